// The shell's image loader on a camera picture: a 12-megapixel JPEG (4000 x 3000) decoded by
// SHLoadImageFile, alone and followed by the GDI calls that scale it into a preview (a memory DC
// for the picture, a 5-6-5 DIB section of the preview's size in another, StretchBlt, a
// device-dependent copy, everything but the copy released). Besides the time, each reports the
// peak of bitmap pixel memory against the decoded picture's own size, the memory side of the
// preview's budget (a preview may cost at most 1.3 times the decode alone, and hold at most 1.5
// times the decoded picture at its peak).
#include <benchmark/benchmark.h>

#include <string>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "image_files.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
const char16_t kPath[] = u"\\My Documents\\camera.jpg";

// A photograph-like picture: smooth gradients and some edges, so the coder has real work.
const std::string& CameraJpeg() {
  static const std::string file = [] {
    foldwise_test::Picture picture(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const uint8_t r = static_cast<uint8_t>((x * 255) / kWidth);
        const uint8_t g = static_cast<uint8_t>((y * 255) / kHeight);
        const uint8_t b = static_cast<uint8_t>(((x / 50 + y / 50) % 2) * 160 + (x ^ y) % 64);
        picture.Set(x, y, foldwise_test::Rgb{r, g, b});
      }
    }
    return foldwise_test::EncodeJpeg(picture, 85);
  }();
  return file;
}

struct Device {
  foldwise_test::BootedDevice booted;
  Device() {
    booted.image.AddFile(kPath, CameraJpeg());
    booted.Boot();
  }
};

size_t DecodedBytes(HBITMAP bitmap) {
  BITMAP bm = {};
  GetObjectW(bitmap, sizeof bm, &bm);
  return static_cast<size_t>(bm.bmWidthBytes) * static_cast<size_t>(bm.bmHeight);
}

// The GDI steps of a preview that fits the picture into 180 pixels' width, as the preview does.
HBITMAP ScaleForPreview(HBITMAP picture) {
  BITMAP bm = {};
  GetObjectW(picture, sizeof bm, &bm);
  const int w = 180, h = bm.bmHeight * 180 / bm.bmWidth;
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ sourcePrevious = SelectObject(source, picture);
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = (((bm.bmBitsPixel * w + 31) / 32) * bm.bmBitsPixel) / 8;
  info.header.biHeight = -h;
  info.header.biPlanes = bm.bmPlanes;
  info.header.biBitCount = bm.bmBitsPixel;
  info.header.biCompression = BI_BITFIELDS;
  info.masks[0] = 0xF800;
  info.masks[1] = 0x07E0;
  info.masks[2] = 0x001F;
  void* bits = nullptr;
  HBITMAP target = CreateDIBSection(source, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC destination = CreateCompatibleDC(nullptr);
  HGDIOBJ destinationPrevious = SelectObject(destination, target);
  BITMAP t = {};
  GetObjectW(target, sizeof t, &t);
  StretchBlt(destination, 0, 0, t.bmWidth, t.bmHeight, source, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  HBITMAP preview = CreateBitmap(t.bmWidth, t.bmHeight, t.bmPlanes, t.bmBitsPixel, t.bmBits);
  SelectObject(destination, destinationPrevious);
  DeleteObject(target);
  DeleteDC(destination);
  SelectObject(source, sourcePrevious);
  DeleteDC(source);
  return preview;
}

void ReportMemory(benchmark::State& state, size_t decoded) {
  const cesim::BitmapMemory memory = cesim::ReadBitmapMemory();
  state.counters["decoded_MB"] = static_cast<double>(decoded) / (1024.0 * 1024.0);
  state.counters["peak_MB"] = static_cast<double>(memory.peakBytes) / (1024.0 * 1024.0);
  state.counters["peak_per_decoded"] = decoded == 0 ? 0.0 : static_cast<double>(memory.peakBytes) / static_cast<double>(decoded);
}

void BM_DecodeCameraJpeg(benchmark::State& state) {
  Device device;
  size_t decoded = 0;
  cesim::ResetPeakBitmapMemory();
  for (auto _ : state) {
    HBITMAP picture = SHLoadImageFile(kPath);
    if (picture == nullptr) {
      state.SkipWithError("the picture did not load");
      return;
    }
    decoded = DecodedBytes(picture);
    DeleteObject(picture);
  }
  ReportMemory(state, decoded);
}
BENCHMARK(BM_DecodeCameraJpeg)->Unit(benchmark::kMillisecond);

void BM_PreviewOfCameraJpeg(benchmark::State& state) {
  Device device;
  size_t decoded = 0;
  HBITMAP preview = nullptr;
  cesim::ResetPeakBitmapMemory();
  for (auto _ : state) {
    HBITMAP picture = SHLoadImageFile(kPath);
    if (picture == nullptr) {
      state.SkipWithError("the picture did not load");
      return;
    }
    decoded = DecodedBytes(picture);
    HBITMAP next = ScaleForPreview(picture);
    DeleteObject(picture);
    // The previous preview goes when the next one replaces it, as in the overlay.
    if (preview != nullptr) DeleteObject(preview);
    preview = next;
  }
  DeleteObject(preview);
  ReportMemory(state, decoded);
}
BENCHMARK(BM_PreviewOfCameraJpeg)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
