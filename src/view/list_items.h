// Small questions and changes of the Explorer's list view items, by their messages.
#ifndef FOLDWISE_VIEW_LIST_ITEMS_H
#define FOLDWISE_VIEW_LIST_ITEMS_H

#include "ceplatform.h"

int ListItemCount(HWND listView);

// The item's state bits within `mask`.
UINT ListItemState(HWND listView, int item, UINT mask);

// Sets the item's state bits within `mask` to `state`.
void SetListItemState(HWND listView, int item, UINT state, UINT mask);

#endif
