// The procedure put in front of the Explorer's list pane: context menu entries, list styles,
// extensions shown, column widths per screen shape, keys, gestures and the preview timer.
#ifndef FOLDWISE_VIEW_PANE_WINDOW_H
#define FOLDWISE_VIEW_PANE_WINDOW_H

#include "ceplatform.h"

LRESULT CALLBACK PaneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
