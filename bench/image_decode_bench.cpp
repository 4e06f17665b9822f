// The shell's image loader on a camera picture: a 12-megapixel JPEG (4000 x 3000) decoded by
// SHLoadImageFile alone, and the module's preview step on the same picture (the decode, the
// scaling into a 5-6-5 picture of the overlay's size, the overlay shown). Besides the time, each reports the
// peak of bitmap pixel memory against the decoded picture's own size, the memory side of the
// preview's budget (a preview may cost at most 1.3 times the decode alone, and hold at most 1.5
// times the decoded picture at its peak).
#include <benchmark/benchmark.h>

#include <string>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "image_files.h"
#include "pane_host.h"

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

// The module's own preview step, as the Explorer's pane runs it when the preview timer expires:
// the small test Explorer lists the folder through the module's table, the picture is focused,
// and each iteration is one timer message to the pane.
void BM_PreviewOfCameraJpeg(benchmark::State& state) {
  foldwise_test::BootedDevice booted;
  booted.image.AddFile(kPath, CameraJpeg())
      .AddModule(u"\\Windows\\foldwise.dll", FOLDWISE_MODULE_PATH)
      .AddFile(u"\\Windows\\fexplore.exe", "MZ")
      .AddRegistry("[HKEY_LOCAL_MACHINE\\Explorer]\n[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer]\n");
  if (!booted.Boot()) {
    state.SkipWithError("the device did not boot");
    return;
  }
  cesim::StartProcess(u"\\Windows\\fexplore.exe");
  HMODULE module = LoadLibraryW(u"\\Windows\\foldwise.dll");
  foldwise_test::PaneHost host;
  if (module == nullptr || !host.Start(module, u"\\My Documents")) {
    state.SkipWithError("the module or the small Explorer did not start");
    return;
  }
  int item = host.ItemOf(kPath);
  LVITEMW focus = {};
  focus.state = focus.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageW(host.list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&focus));
  HWND overlay = GetDlgItem(host.frame, 0xFFF0);
  HBITMAP probe = SHLoadImageFile(kPath);
  const size_t decoded = DecodedBytes(probe);
  DeleteObject(probe);
  cesim::ResetPeakBitmapMemory();
  for (auto _ : state) {
    SendMessageW(host.pane, WM_TIMER, 1, 0);
    host.log.Clear();
  }
  if (!IsWindowVisible(overlay)) state.SkipWithError("no preview was shown");
  ReportMemory(state, decoded);
}
BENCHMARK(BM_PreviewOfCameraJpeg)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
