// The Explorer's frame window, class "FEXPLORE": a path bar (control 300) at the top that shows
// the current folder, and the host's navigate message, which makes it show another folder.
#ifndef FEXPLORE_FRAME_WINDOW_H
#define FEXPLORE_FRAME_WINDOW_H

#include "ceplatform.h"

#define FRAME_PATH_BAR_ID 300
#define FRAME_MSG_NAVIGATE 5237  // wParam 0, lParam the terminated path of the folder to show

// Registers the class (once per boot) and creates the frame window over the whole screen.
HWND CreateFrameWindow(HINSTANCE instance, LPCWSTR startFolder);

// The folder the frame shows, and how many navigations it has received.
void GetFrameFolder(HWND frame, WCHAR* folder, int size);
int GetFrameNavigationCount(HWND frame);

#endif
