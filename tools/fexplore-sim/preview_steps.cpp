// Preview steps: time passes (the preview timer may run out), the overlay is looked at, and taps
// on the overlay step its transparency.
#include <cstdlib>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "explorer.h"
#include "session.h"
#include "steps.h"

namespace fexplore_sim {
namespace {

const int kOverlayId = 65520;  // the preview overlay: a child of the frame with this identifier

HWND Overlay() { return Frame() != nullptr ? GetDlgItem(Frame(), kOverlayId) : nullptr; }

RECT InFrame(RECT screen) {
  POINT corners[2] = {{screen.left, screen.top}, {screen.right, screen.bottom}};
  ScreenToClient(Frame(), &corners[0]);
  ScreenToClient(Frame(), &corners[1]);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

std::string Corners(const RECT& rect) {
  return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) +
         ", " + std::to_string(rect.bottom) + ")";
}

std::string Alpha(HWND overlay) {
  std::optional<BYTE> alpha = cesim::LayeredAlpha(overlay);
  if (!alpha) return "opaque, not layered";
  return "alpha " + std::to_string(*alpha) + (*alpha == 255 ? " (opaque)" : "");
}

}  // namespace

void PrintOverlay(std::ostream& out) {
  HWND overlay = Overlay();
  if (overlay == nullptr) {
    out << "  Preview overlay: none\n";
    return;
  }
  if (!IsWindowVisible(overlay)) {
    out << "  Preview overlay: hidden\n";
    return;
  }
  RECT window;
  GetWindowRect(overlay, &window);
  RECT list;
  GetWindowRect(ExplorerListView(Frame()), &list);
  RECT place = InFrame(window);
  RECT listPlace = InFrame(list);
  out << "  Preview overlay: shown, " << (window.right - window.left) << " x " << (window.bottom - window.top)
      << " at " << Corners(place) << " in the frame, " << Alpha(overlay) << "\n";
  std::optional<cesim::StaticImage> image = cesim::ShownImage(overlay);
  if (image && image->bitmap != nullptr) {
    out << "    picture " << image->size.cx << " x " << image->size.cy;
    std::optional<cesim::BitmapPixels> pixels = cesim::ReadBitmap(image->bitmap);
    if (pixels) out << ", " << pixels->bitsPerPixel << " bits per pixel";
    out << "\n";
  }
  out << "    the list lies at " << Corners(listPlace)
      << ((place.right == listPlace.right && place.bottom == listPlace.bottom)
              ? ": the overlay sits in its lower right corner\n"
              : "\n");
}

bool RunPreviewStep(const std::string& command, const std::string& argument, std::ostream& out) {
  if (Frame() == nullptr) return false;
  if (command == "wait") {
    // "wait 300": 300 ms pass; the timers that run out fire.
    char* end = nullptr;
    long ms = std::strtol(argument.c_str(), &end, 10);
    if (argument.empty() || *end != 0 || ms < 0 || ms > 600000) return false;
    ActInExplorer([ms] { cesim::AdvanceClock(static_cast<DWORD>(ms)); }, out);
  } else if (command == "overlay") {
    if (!argument.empty()) return false;
  } else if (command == "tap-overlay") {
    // "tap-overlay" or "tap-overlay 7": taps in the middle of the overlay, its transparency after
    // each tap.
    long taps = argument.empty() ? 1 : std::strtol(argument.c_str(), nullptr, 10);
    if (taps < 1 || taps > 50) return false;
    HWND overlay = Overlay();
    if (overlay == nullptr || !IsWindowVisible(overlay)) {
      out << "  (the overlay is not on the screen)\n";
      return true;
    }
    out << "  Transparency after each tap:";
    for (long i = 0; i < taps && Frame() != nullptr; ++i) {
      RECT rect;
      GetWindowRect(overlay, &rect);
      ActInExplorer([rect] { cesim::Tap({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}); }, out);
      std::optional<BYTE> alpha = cesim::LayeredAlpha(overlay);
      out << " " << (alpha ? std::to_string(*alpha) : std::string("opaque"));
    }
    out << "\n";
  } else {
    return false;
  }
  if (Frame() != nullptr) PrintOverlay(out);
  return true;
}

}  // namespace fexplore_sim
