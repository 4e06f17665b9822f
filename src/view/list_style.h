// The three list styles, shared by the frame's View Options and the pane's context menu.
#ifndef FOLDWISE_VIEW_LIST_STYLE_H
#define FOLDWISE_VIEW_LIST_STYLE_H

#include "ceplatform.h"

// A new pop-up menu with "Detail", "Detail with Header" and "Icon", in that order.
HMENU BuildListStyleMenu();

// The list style value of command 61441, 61442 or 61443; 0 for any other command.
DWORD ListStyleOfCommand(UINT command);

// Replaces the list view's style bits within the list style mask with `value`, as given.
void ApplyListStyle(HWND listView, DWORD value);

// Puts the radio mark of the list style menu items (by command) on the entry that the window
// style shows: report with or without header, or any other view as "Icon".
void CheckListStyleItem(HMENU menu, DWORD windowStyle);

#endif
