// SHLoadImageFile: the shell's image loader. The file is mapped, not copied, and decoded straight
// into a DIB section of the display's format (16-bit 5-6-5 on the usual device), stored bottom-up
// as DIBs are by default, so that a picture costs its bitmap and a few rows of work space.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "files/items.h"
#include "gdi/bitmaps.h"
#include "shell/image_decode.h"
#include "sim/core.h"
#include "sim/gdi.h"
#include "sim/shell.h"

namespace cesim::detail {

namespace {

// The picture's rows go into a DIB section of the display's format.
class DibSink : public ImageSink {
 public:
  ~DibSink() override {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }

  bool Begin(int width, int height) override {
    const int bits = DisplayBitsPerPixel();
    struct {
      BITMAPINFOHEADER header;
      DWORD masks[3];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = bits == 24 ? BI_RGB : BI_BITFIELDS;
    const PixelFormat format = DisplayFormat();
    for (int i = 0; i < 3; ++i) info.masks[i] = bits == 24 ? 0 : format.Mask(i);
    void* pixels = nullptr;
    bitmap_ = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap_ == nullptr) return false;
    target_ = FindBitmap(bitmap_);
    return target_ != nullptr;
  }

  void PutRow(int y, const uint8_t* rgb) override {
    if (target_ == nullptr || y < 0 || y >= target_->height) return;
    uint8_t* row = target_->Row(y);
    const int width = target_->width;
    switch (target_->format.BitsPerPixel()) {
      case 16:
        for (int x = 0; x < width; ++x, rgb += 3) {
          const unsigned v = ((rgb[0] & 0xF8u) << 8) | ((rgb[1] & 0xFCu) << 3) | (rgb[2] >> 3);
          row[2 * x] = static_cast<uint8_t>(v);
          row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
        }
        return;
      case 24:
        for (int x = 0; x < width; ++x, rgb += 3) {
          row[3 * x] = rgb[2];
          row[3 * x + 1] = rgb[1];
          row[3 * x + 2] = rgb[0];
        }
        return;
      default:
        for (int x = 0; x < width; ++x, rgb += 3) {
          row[4 * x] = rgb[2];
          row[4 * x + 1] = rgb[1];
          row[4 * x + 2] = rgb[0];
          row[4 * x + 3] = 0;
        }
        return;
    }
  }

  void GetRow(int y, uint8_t* rgb) override {
    if (target_ == nullptr || y < 0 || y >= target_->height) return;
    const uint8_t* row = target_->Row(y);
    for (int x = 0; x < target_->width; ++x, rgb += 3) {
      const COLORREF color = target_->format.ToColor(target_->format.ReadRaw(row, x));
      rgb[0] = GetRValue(color);
      rgb[1] = GetGValue(color);
      rgb[2] = GetBValue(color);
    }
  }

  HBITMAP Release() {
    HBITMAP bitmap = bitmap_;
    bitmap_ = nullptr;
    target_ = nullptr;
    return bitmap;
  }

 private:
  HBITMAP bitmap_ = nullptr;
  const Bitmap* target_ = nullptr;
};

// A file's bytes mapped read-only for the time of the decoding.
class MappedFile {
 public:
  explicit MappedFile(const std::string& path) {
    descriptor_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (descriptor_ < 0 || fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) return;
    size_ = static_cast<size_t>(info.st_size);
    void* data = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, descriptor_, 0);
    if (data != MAP_FAILED) data_ = static_cast<const uint8_t*>(data);
  }
  ~MappedFile() {
    if (data_ != nullptr) munmap(const_cast<uint8_t*>(data_), size_);
    if (descriptor_ >= 0) close(descriptor_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  const uint8_t* Data() const { return data_; }
  size_t Size() const { return data_ != nullptr ? size_ : 0; }

 private:
  int descriptor_ = -1;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

HBITMAP Fail(DWORD error) {
  SetLastError(error);
  return nullptr;
}

}  // namespace

}  // namespace cesim::detail

using namespace cesim::detail;

HBITMAP WINAPI SHLoadImageFile(LPCTSTR pszFileName) {
  std::u16string absolute;
  const DWORD error = CheckPath(pszFileName, false, absolute);
  if (error != ERROR_SUCCESS) return Fail(error);
  const DeviceItem item = LookUpItem(absolute);
  if (!item.exists) return Fail(item.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
  if (item.isFolder) return Fail(ERROR_ACCESS_DENIED);
  MappedFile file(item.resolved.host);
  DibSink sink;
  if (file.Data() == nullptr || !DecodeImage(file.Data(), file.Size(), DecodeLimits(), sink)) return Fail(ERROR_BAD_FORMAT);
  return sink.Release();
}
