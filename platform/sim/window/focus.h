// Activation of top-level windows, the keyboard focus and the stylus capture, and how they move
// on when the window holding them goes away, hides or is disabled.
#ifndef CESIM_WINDOW_FOCUS_H
#define CESIM_WINDOW_FOCUS_H

#include "sim/types.h"

namespace cesim::detail {

HWND ActiveWindow();
HWND FocusWindow();
HWND CaptureWindow();

// Activates a top-level window (null: none). WM_ACTIVATE goes first to the window losing
// activation (WA_INACTIVE, lParam the new one), then to the one gaining it (`how`, lParam the
// old one). With moveFocus, a window that did not take the focus while activating gets it.
bool ActivateWindow(HWND hwnd, WORD how, bool moveFocus);

// Called when a window starts being destroyed: activation moves to another window, and the
// focus and the capture leave it.
void HandOffBeforeDestroy(HWND hwnd);
// Called after a window has been hidden or disabled (a disabled window loses the focus it
// has itself).
void HandOffAfterHide(HWND hwnd);
void HandOffAfterDisable(HWND hwnd);

void ResetFocusState();

}  // namespace cesim::detail

#endif
