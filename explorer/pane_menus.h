// The pane's two context menus and what they do. The pane's own menu is the first pop-up of the
// shell's Explorer menu (menu 8915 of "shellres", else menu 107 of "ceshell"), tracked from the
// pane window so that its menu messages and commands reach the pane; the Explorer acts on its
// "New Folder", "Select All" and "Refresh" items and greys "Paste" and "Paste Shortcut" (it keeps
// no file clipboard). An item's menu holds the Explorer's items and those of the registered
// context menu handlers, which get the item through a data object.
#ifndef FEXPLORE_PANE_MENUS_H
#define FEXPLORE_PANE_MENUS_H

#include "ceplatform.h"

void ShowPaneMenu(HWND pane, HWND list, POINT screen);
void ShowItemMenu(HWND pane, HWND list, int item, POINT screen);

// Opens an item: a folder is shown in the frame, a program is started.
void OpenListItem(HWND pane, HWND list, int item);
// Deletes an item (DeleteFileW through the routing for files); it leaves the list when it is gone.
void DeleteListItem(HWND pane, HWND list, int item);

#endif
