// The Explorer's list pane: a window of its own class, created by the class atom, whose first
// child is the report list view of the current folder (name, size, type, date). The pane answers
// the list's notifications (texts, renames, activation, context menus), resizes the name column
// when its width changes, and refills the list on command 28006.
#ifndef FEXPLORE_PANE_WINDOW_H
#define FEXPLORE_PANE_WINDOW_H

#include "ceplatform.h"

#define PANE_CMD_REFILL 28006
#define PANE_LIST_ID 1

// Registers the pane's class anew for this boot; the atom, or 0.
ATOM RegisterPaneClass(HINSTANCE instance);

// Creates the pane as a child of the frame, by its class atom.
HWND CreatePaneWindow(HWND frame, HINSTANCE instance, ATOM paneClass, int paneId);

// The pane's list view: its first child.
HWND PaneListView(HWND pane);

// Lists the frame's current folder into the pane's list.
void RefillPane(HWND pane);

#endif
