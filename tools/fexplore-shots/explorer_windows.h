// The Explorer's windows as another program finds them: its frame by class, the list pane and
// its list view below it, and what it has open on top (a menu, a dialog or a message box).
#ifndef FEXPLORE_SHOTS_EXPLORER_WINDOWS_H
#define FEXPLORE_SHOTS_EXPLORER_WINDOWS_H

#include <windows.h>

#include <string>

namespace shots {

// The Explorer's frame window ("FEXPLORE"), visible, or null.
HWND FindFrame();
// The frame's list view: the first child of the pane whose class is the list view's, or null.
HWND FindListView(HWND frame);
// The pop-up menu that is open on the screen, or null.
HWND OpenMenu();
// The window on top that the Explorer's process opened besides its frame and its menus (a
// dialog, a message box, a pop-up of its own), or null.
HWND WindowOnTop(HWND frame);
// A window's class name and its text.
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);

}  // namespace shots

#endif
