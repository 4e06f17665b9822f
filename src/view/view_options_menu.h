// The "View Options" submenu of the Explorer's View pop-up: the host's show-all item, "Show
// Extension", "Preview Image" and the three list styles.
#ifndef FOLDWISE_VIEW_VIEW_OPTIONS_MENU_H
#define FOLDWISE_VIEW_VIEW_OPTIONS_MENU_H

#include "ceplatform.h"

// The pop-up that holds the host's item 21004.
BOOL IsViewPopup(HMENU popup);

// On the first opening only: builds View Options, moves the host's show-all item into it and
// inserts it before the host's item 21002.
void AddViewOptionsMenu(HMENU popup);

// Sets the check marks from the settings and the radio mark from the list view's style.
void UpdateViewOptionsMarks();

#endif
