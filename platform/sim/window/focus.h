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

// Called while a window is destroyed, before WM_DESTROY: an active window hands activation on
// (to the owner of a pop-up, else the next suitable window in z-order), and the focus and the
// capture leave it.
void HandOffBeforeDestroy(HWND hwnd);
// Called after ShowWindow has hidden a window (SetWindowPos hiding it hands nothing on): an active
// window hands activation on, and the focus leaves it (to the parent of a child). Called after a
// window has been disabled: a disabled window loses the focus it has itself.
void HandOffAfterHide(HWND hwnd);
void HandOffAfterDisable(HWND hwnd);

void ResetFocusState();

}  // namespace cesim::detail

#endif
