// Screen size, frame sizes and the system font's measures.
#include "window/metrics.h"

#include <cstdlib>

#include "core/device.h"
#include "sim/metrics.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

int ScreenSetting(const char* key, int fallback) {
  std::optional<std::string> value = SettingValue("screen", key);
  if (!value) return fallback;
  char* end = nullptr;
  long number = std::strtol(value->c_str(), &end, 10);
  if (end == value->c_str() || number <= 0 || number > 8192) return fallback;
  return static_cast<int>(number);
}

}  // namespace

int ScreenWidth() { return ScreenSetting("width", 240); }
int ScreenHeight() { return ScreenSetting("height", 320); }

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
