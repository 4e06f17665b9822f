// The device's screen and system font as the window system measures them: the screen size of
// the booted image, the frame sizes that styles add around a client area, dialog base units and
// the width of a text in the system font.
#ifndef CESIM_WINDOW_METRICS_H
#define CESIM_WINDOW_METRICS_H

#include <string>

#include "sim/types.h"

namespace cesim::detail {

// The screen: at boot that of the image ([screen] width and height, 240 x 320 when it names
// none); turning the device or changing its display changes it.
int ScreenWidth();
int ScreenHeight();
void SetScreenSize(int width, int height);
// The work area: the screen below the taskbar ([screen] taskbar, its height at the top of the
// screen; none when the image names none).
RECT WorkArea();
// Back to the image's screen, at boot and at shutdown.
void ResetScreen();
// The metrics an image sets ([metrics]) are read again after this, at boot and at shutdown.
void ResetSystemMetrics();
// The display takes a new size (the device turned): full-screen windows follow, top-level windows
// hear of it (display.cpp).
void ChangeDisplay(int width, int height);

// The system font: 12 pixels high, 6 pixels per character on average; dialog base units
// without DS_SETFONT are these two values.
constexpr int kSystemFontHeight = 12;
constexpr int kSystemFontCharWidth = 6;
// Base units of a dialog font of the given point size at the device's 96 dots per inch.
void FontBaseUnits(int pointSize, int* baseX, int* baseY);
// The width of a single-line text in the system font.
int TextWidth(const std::u16string& text);

// The frame that a window's style puts around its client area, side by side.
RECT NonClientInsets(DWORD style, DWORD exStyle);

}  // namespace cesim::detail

#endif
