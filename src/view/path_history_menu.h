// The "Delete Path" submenu of the Explorer's path history pop-up, and what its items do.
#ifndef FOLDWISE_VIEW_PATH_HISTORY_MENU_H
#define FOLDWISE_VIEW_PATH_HISTORY_MENU_H

#include "ceplatform.h"

// The pop-up whose item at position 0 is the host's 210.
BOOL IsPathHistoryPopup(HMENU popup);

// Removes the separator and the submenu that the previous opening added (the first submenu
// among the first twenty positions, and the item before it).
void RemoveDeletePathMenu(HMENU popup);

// Appends a separator and "Delete Path" with one item per entry of the history, in its order;
// nothing when the history is empty or cannot be read.
void AddDeletePathMenu(HMENU popup);

// Removes the entry's letter from the history's order (its value stays), then starts a new
// Explorer and closes this one; when no new one can be started, this one stays open.
void DeletePathAndRestart(WCHAR letter);

#endif
