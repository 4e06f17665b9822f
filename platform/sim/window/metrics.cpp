// The screen and its work area, frame sizes and the system font's measures.
#include "window/metrics.h"

#include <algorithm>
#include <cstdlib>

#include "core/device.h"
#include "sim/metrics.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

// A whole number of pixels from [screen]; the fallback for what is missing or does not parse.
int ScreenSetting(const char* key, int fallback, int least) {
  std::optional<std::string> value = SettingValue("screen", key);
  if (!value) return fallback;
  char* end = nullptr;
  long number = std::strtol(value->c_str(), &end, 10);
  if (end == value->c_str() || *end != 0 || number < least || number > 8192) return fallback;
  return static_cast<int>(number);
}

struct Screen {
  bool known = false;
  int width = 0;
  int height = 0;
  int taskbar = 0;
};

Screen& TheScreen() {
  static Screen screen;
  if (!screen.known) {
    screen.width = ScreenSetting("width", 240, 1);
    screen.height = ScreenSetting("height", 320, 1);
    screen.taskbar = ScreenSetting("taskbar", 0, 0);
    screen.known = true;
  }
  return screen;
}

}  // namespace

int ScreenWidth() { return TheScreen().width; }
int ScreenHeight() { return TheScreen().height; }

void SetScreenSize(int width, int height) {
  Screen& screen = TheScreen();
  screen.width = width;
  screen.height = height;
}

RECT WorkArea() {
  const Screen& screen = TheScreen();
  RECT area = {0, std::min(screen.taskbar, screen.height), screen.width, screen.height};
  return area;
}

void ResetScreen() { TheScreen() = Screen(); }

void FontBaseUnits(int pointSize, int* baseX, int* baseY) {
  if (pointSize <= 0 || pointSize > 200) {
    *baseX = kSystemFontCharWidth;
    *baseY = kSystemFontHeight;
    return;
  }
  int height = (pointSize * 96 + 36) / 72;
  *baseY = height;
  *baseX = (height + 1) / 2;
}

int TextWidth(const std::u16string& text) { return static_cast<int>(text.size()) * kSystemFontCharWidth; }

RECT NonClientInsets(DWORD style, DWORD exStyle) {
  RECT insets = {0, 0, 0, 0};
  int frame = 0;
  if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_BORDER) != 0) {
    frame = GetSystemMetrics(SM_CXBORDER);
  } else if ((style & WS_DLGFRAME) != 0) {
    frame = GetSystemMetrics(SM_CXDLGFRAME);
  }
  if ((exStyle & WS_EX_CLIENTEDGE) != 0) frame += GetSystemMetrics(SM_CXEDGE);
  insets.left = insets.top = insets.right = insets.bottom = frame;
  if ((style & WS_CAPTION) == WS_CAPTION) insets.top += GetSystemMetrics(SM_CYCAPTION);
  if ((style & WS_VSCROLL) != 0) insets.right += GetSystemMetrics(SM_CXVSCROLL);
  if ((style & WS_HSCROLL) != 0) insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
  return insets;
}

}  // namespace cesim::detail
