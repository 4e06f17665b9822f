// Reading the items of the Explorer's menus, by position or by command.
#ifndef FOLDWISE_VIEW_MENU_ITEMS_H
#define FOLDWISE_VIEW_MENU_ITEMS_H

#include "ceplatform.h"

// Reads the item's fields named by `mask` into `info`, which is cleared and sized first.
BOOL ReadMenuItem(HMENU menu, UINT item, BOOL byPosition, UINT mask, MENUITEMINFOW* info);

// The item's command identifier; FALSE when there is no such item.
BOOL ReadMenuItemId(HMENU menu, UINT item, BOOL byPosition, UINT* id);

#endif
