// The Explorer's frame window, class "FEXPLORE". Its children, in this order: the toolbar (first,
// its first button the folder command 301 with a drop-down arrow, then "Up"), the path bar
// (control 300) that shows the current folder, the command bar with the menu bar, and the list
// pane. The navigate message 5237 makes it show another folder, which becomes the last location
// and the newest entry of the path history.
#ifndef FEXPLORE_FRAME_WINDOW_H
#define FEXPLORE_FRAME_WINDOW_H

#include "ceplatform.h"

#define FRAME_TOOLBAR_ID 100
#define FRAME_PATH_BAR_ID 300
#define FRAME_COMMAND_BAR_ID 101
#define FRAME_PANE_ID 102
#define FRAME_MSG_NAVIGATE 5237  // wParam 0, lParam the terminated path of the folder to show

// Registers the class (once per boot), creates the frame window over the whole screen with its
// children and lists the start folder ("\" when null). The Explorer's calls go through the
// routing as it is installed when this is called.
HWND CreateFrameWindow(HINSTANCE instance, LPCWSTR startFolder);

// The folder the frame shows, and how many navigations it has received.
void GetFrameFolder(HWND frame, WCHAR* folder, int size);
int GetFrameNavigationCount(HWND frame);

// The frame's parts; null for a window that is no Explorer frame.
HWND GetFrameToolbar(HWND frame);
HWND GetFrameCommandBar(HWND frame);
HWND GetFramePane(HWND frame);
HMENU GetFrameViewMenu(HWND frame);
HMENU GetFrameHistoryMenu(HWND frame);

#endif
