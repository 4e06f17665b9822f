// The procedure put in front of the Explorer's frame window ("FEXPLORE"): View Options, Delete
// Path, Change Folder in place of the folder command, and the overlay's transparency.
#ifndef FOLDWISE_VIEW_FRAME_WINDOW_H
#define FOLDWISE_VIEW_FRAME_WINDOW_H

#include "ceplatform.h"

// Direct calls, made by the replacement table, that are no window messages.
#define VIEW_CALL_INIT 0     // wParam 0, lParam the procedure that was replaced
#define VIEW_CALL_STARTUP 1  // no window, wParam 0, lParam 0 (frame only)

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
