// Gestures over the Explorer's list: a scroll to the left previews the item under the finger at
// once, one to the right opens the list's context menu there; every other gesture hides the
// preview.
#ifndef FOLDWISE_VIEW_PANE_GESTURES_H
#define FOLDWISE_VIEW_PANE_GESTURES_H

#include "ceplatform.h"

// A WM_GESTURE of the pane window: the gesture's identifier and its information handle, which
// is valid while the message is being handled.
void OnPaneGesture(HWND pane, WPARAM gesture, LPARAM info);

#endif
