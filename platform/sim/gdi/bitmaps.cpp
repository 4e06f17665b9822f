// Bitmaps: their storage and its accounting, the device's pixel formats, and the calls that make
// them (CreateBitmap, CreateCompatibleBitmap, CreateDIBSection).
#include "gdi/bitmaps.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/device.h"
#include "gdi/dc.h"
#include "sim/core.h"

namespace cesim::detail {

namespace {

// Pixels whose contents the platform documents as undefined get this byte, so that code reading
// them before writing them shows up instead of finding zeros.
constexpr uint8_t kUndefinedPixelByte = 0xCD;

struct PixelMemory {
  size_t live = 0;
  size_t peak = 0;
};

PixelMemory& Memory() {
  static PixelMemory memory;
  return memory;
}

void Count(size_t bytes) {
  PixelMemory& m = Memory();
  m.live += bytes;
  if (m.live > m.peak) m.peak = m.live;
}

RGBQUAD Quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }

// The colour tables of device-dependent bitmaps below 16 bits: black and white; four greys; the
// sixteen colours of the standard 4-bit palette; and for 8 bits the twenty static colours of the
// system palette around a 6 x 6 x 6 colour cube and a ramp of greys.
std::vector<RGBQUAD> DevicePalette(int bitsPerPixel) {
  static const RGBQUAD kSixteen[16] = {
      Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
      Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(192, 192, 192),
      Quad(128, 128, 128), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
      Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255)};
  switch (bitsPerPixel) {
    case 1: return {Quad(0, 0, 0), Quad(255, 255, 255)};
    case 2: return {Quad(0, 0, 0), Quad(128, 128, 128), Quad(192, 192, 192), Quad(255, 255, 255)};
    case 4: return std::vector<RGBQUAD>(kSixteen, kSixteen + 16);
    default: break;
  }
  static const RGBQUAD kLow[10] = {Quad(0, 0, 0),       Quad(128, 0, 0),     Quad(0, 128, 0),   Quad(128, 128, 0),
                                   Quad(0, 0, 128),     Quad(128, 0, 128),   Quad(0, 128, 128), Quad(192, 192, 192),
                                   Quad(192, 220, 192), Quad(166, 202, 240)};
  static const RGBQUAD kHigh[10] = {Quad(255, 251, 240), Quad(160, 160, 164), Quad(128, 128, 128), Quad(255, 0, 0),
                                    Quad(0, 255, 0),     Quad(255, 255, 0),   Quad(0, 0, 255),     Quad(255, 0, 255),
                                    Quad(0, 255, 255),   Quad(255, 255, 255)};
  std::vector<RGBQUAD> palette(kLow, kLow + 10);
  for (int r = 0; r < 6; ++r) {
    for (int g = 0; g < 6; ++g) {
      for (int b = 0; b < 6; ++b) palette.push_back(Quad(static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(b * 51)));
    }
  }
  for (int i = 1; palette.size() < 246; ++i) {
    const BYTE grey = static_cast<BYTE>(i * 12);
    palette.push_back(Quad(grey, grey, grey));
  }
  palette.insert(palette.end(), kHigh, kHigh + 10);
  return palette;
}

// CreateBitmap's depth: the device keeps 1, 2, 4, 8, 16, 24 and 32 bits and rounds others up.
int DeviceDepth(UINT bitsPerPixel) {
  if (bitsPerPixel == 0 || bitsPerPixel > 32) return 0;
  static const int kDepths[] = {1, 2, 4, 8, 16, 24, 32};
  for (int depth : kDepths) {
    if (static_cast<int>(bitsPerPixel) <= depth) return depth;
  }
  return 0;
}

// The colour table that follows a DIB header (biClrUsed entries, all of the depth's when 0).
std::vector<RGBQUAD> ColorTable(const BITMAPINFO* info) {
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const size_t full = static_cast<size_t>(1) << h.biBitCount;
  const size_t count = h.biClrUsed == 0 || h.biClrUsed > full ? full : h.biClrUsed;
  const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(info) + h.biSize);
  return std::vector<RGBQUAD>(table, table + count);
}

HBITMAP Fail(DWORD error) {
  SetLastError(error);
  return nullptr;
}

}  // namespace

Bitmap::~Bitmap() {
  if (counted) Memory().live -= bytes;
  std::free(pixels);
}

HBITMAP NewBitmap(int width, int height, const PixelFormat& format, bool dibSection, bool topDown,
                  DWORD compression, InitialPixels initial, void** pixels) {
  const size_t stride =
      dibSection ? DibStride(width, format.BitsPerPixel()) : DdbStride(width, format.BitsPerPixel());
  if (stride == 0 || height <= 0) return Fail(ERROR_INVALID_PARAMETER);
  if (static_cast<size_t>(height) > kLargestPixelStore / stride) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  const size_t bytes = stride * static_cast<size_t>(height);
  uint8_t* store = nullptr;
  if (initial == InitialPixels::Zero) {
    store = static_cast<uint8_t*>(std::calloc(1, bytes));
  } else {
    store = static_cast<uint8_t*>(std::malloc(bytes));
    if (store != nullptr) std::memset(store, kUndefinedPixelByte, bytes);
  }
  if (store == nullptr) return Fail(ERROR_NOT_ENOUGH_MEMORY);

  auto bitmap = std::make_unique<Bitmap>();
  bitmap->width = width;
  bitmap->height = height;
  bitmap->format = format;
  bitmap->stride = stride;
  bitmap->pixels = store;
  bitmap->bytes = bytes;
  bitmap->dibSection = dibSection;
  bitmap->topDown = topDown;
  bitmap->compression = compression;
  Count(bytes);
  if (pixels != nullptr) *pixels = store;
  return static_cast<HBITMAP>(AddGdiObject(std::move(bitmap)));
}

Bitmap* FindBitmap(HGDIOBJ handle) { return FindGdi<Bitmap>(handle, GdiKind::Bitmap); }

int DisplayBitsPerPixel() {
  const std::optional<std::string> value = SettingValue("screen", "bitsPerPixel");
  if (value == "24") return 24;
  if (value == "32") return 32;
  return 16;
}

PixelFormat DisplayFormat() { return DeviceFormat(DisplayBitsPerPixel()); }

PixelFormat DeviceFormat(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 16: return PixelFormat::Masked(16, 0xF800, 0x07E0, 0x001F);
    case 24: return PixelFormat::Triples();
    case 32: return PixelFormat::Masked(32, 0x00FF0000, 0x0000FF00, 0x000000FF);
    default: return PixelFormat::Palettized(bitsPerPixel, DevicePalette(bitsPerPixel));
  }
}

size_t LivePixelBytes() { return Memory().live; }
size_t PeakPixelBytes() { return Memory().peak; }
void ResetPeakPixelBytes() { Memory().peak = Memory().live; }
void ResetPixelMemory() { Memory() = PixelMemory(); }

}  // namespace cesim::detail

using namespace cesim::detail;

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT cPlanes, UINT cBitsPerPel, CONST VOID* lpvBits) {
  if (nWidth == 0 || nHeight == 0) return DefaultBitmapHandle();
  if (cPlanes != 1) return Fail(ERROR_INVALID_PARAMETER);
  const int depth = DeviceDepth(cBitsPerPel);
  if (depth == 0) return Fail(ERROR_INVALID_PARAMETER);
  const int width = nWidth < 0 ? -nWidth : nWidth;
  const int height = nHeight < 0 ? -nHeight : nHeight;
  if (width < 0 || height < 0) return Fail(ERROR_INVALID_PARAMETER);  // INT_MIN has no positive
  // Without initial bits the bitmap's contents are undefined.
  void* store = nullptr;
  HBITMAP bitmap = NewBitmap(width, height, DeviceFormat(depth), false, true, BI_RGB,
                             lpvBits == nullptr ? InitialPixels::Undefined : InitialPixels::Zero, &store);
  if (bitmap != nullptr && lpvBits != nullptr) std::memcpy(store, lpvBits, FindBitmap(bitmap)->bytes);
  return bitmap;
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int nWidth, int nHeight) {
  DeviceContext* dc = FindDeviceContext(hdc);
  if (dc == nullptr) return Fail(ERROR_INVALID_HANDLE);
  if (nWidth == 0 || nHeight == 0) return DefaultBitmapHandle();
  const int width = nWidth < 0 ? -nWidth : nWidth;
  const int height = nHeight < 0 ? -nHeight : nHeight;
  if (width < 0 || height < 0) return Fail(ERROR_INVALID_PARAMETER);
  // A memory DC makes bitmaps like the one it holds (a DIB section makes a DIB section); a window
  // DC makes bitmaps of the display's format.
  const Bitmap* selected = dc->memory ? FindBitmap(dc->bitmap) : nullptr;
  if (selected == nullptr) return NewBitmap(width, height, DisplayFormat(), false, true, BI_RGB, InitialPixels::Zero, nullptr);
  return NewBitmap(width, height, selected->format, selected->dibSection, !selected->dibSection,
                   selected->compression, InitialPixels::Zero, nullptr);
}

HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT iUsage, VOID** ppvBits, HANDLE hSection,
                                DWORD dwOffset) {
  (void)hdc;       // only DIB_PAL_COLORS would read the DC's palette
  (void)dwOffset;  // ignored by the device
  if (ppvBits != nullptr) *ppvBits = nullptr;
  if (pbmi == nullptr || hSection != nullptr) return Fail(ERROR_INVALID_PARAMETER);
  // The colour table gives colours; palette indexes (DIB_PAL_COLORS) are not modelled.
  if (iUsage != DIB_RGB_COLORS) return Fail(ERROR_INVALID_PARAMETER);
  const BITMAPINFOHEADER& h = pbmi->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN ||
      h.biPlanes != 1) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  PixelFormat format;
  switch (h.biBitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
      if (h.biCompression != BI_RGB) return Fail(ERROR_INVALID_PARAMETER);
      format = PixelFormat::Palettized(h.biBitCount, ColorTable(pbmi));
      break;
    case 24:
      if (h.biCompression != BI_RGB) return Fail(ERROR_INVALID_PARAMETER);
      format = PixelFormat::Triples();
      break;
    case 16:
    case 32: {
      // The device takes these depths only with their colour masks (BI_BITFIELDS), the three
      // DWORDs after the header; BI_RGB is not supported for them.
      if (h.biCompression != BI_BITFIELDS) return Fail(ERROR_INVALID_PARAMETER);
      const DWORD* masks = reinterpret_cast<const DWORD*>(pbmi->bmiColors);
      if (masks[0] == 0 || masks[1] == 0 || masks[2] == 0) return Fail(ERROR_INVALID_PARAMETER);
      format = PixelFormat::Masked(h.biBitCount, masks[0], masks[1], masks[2]);
      break;
    }
    default: return Fail(ERROR_INVALID_PARAMETER);
  }
  return NewBitmap(h.biWidth, height, format, true, h.biHeight < 0, h.biCompression, InitialPixels::Zero, ppvBits);
}
