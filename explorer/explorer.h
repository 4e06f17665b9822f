// The Explorer stand-in as a whole, for the program, for fexplore-sim and for tests that start
// it in the emulated process "\Windows\fexplore.exe".
#ifndef FEXPLORE_EXPLORER_H
#define FEXPLORE_EXPLORER_H

#include "ceplatform.h"
#include "import_routing.h"

// Starts the Explorer: installs the routing of its replaceable calls (the registered context menu
// handler's replacement table, or the platform), then creates its windows and lists the folder
// (null: the stored last location, else the root). Returns the frame window, or null.
HWND StartExplorer(HINSTANCE instance, LPCWSTR folder);

// Runs the Explorer's message loop until its frame is closed; returns the loop's exit code.
int RunExplorer(HWND frame);

// Ends the Explorer: destroys its frame if it is still open (a quit that this posts is taken off
// the queue again) and frees the module that the routing kept loaded.
void EndExplorer(HWND frame);

// The Explorer's windows: the frame (of the Explorer started last, while it is open), its toolbar (first
// child), its command bar, its list pane and the pane's list view. Null when there is none.
HWND FindExplorerFrame();
HWND ExplorerToolbar(HWND frame);
HWND ExplorerCommandBar(HWND frame);
HWND ExplorerPane(HWND frame);
HWND ExplorerListView(HWND frame);
// The menu bar's View pop-up and path history pop-up.
HMENU ExplorerViewMenu(HWND frame);
HMENU ExplorerHistoryMenu(HWND frame);

#endif
