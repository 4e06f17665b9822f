// Keys in the Explorer's list: Backspace and Left at the top go to the parent folder, Left and
// Right page in the report styles, Up on the first item takes its selection away, Tab and
// Escape open the Change Folder dialog.
#ifndef FOLDWISE_VIEW_PANE_KEYS_H
#define FOLDWISE_VIEW_PANE_KEYS_H

#include "ceplatform.h"

// Acts on a key that the list view reports; TRUE when the key is used up here and must not reach
// the host.
BOOL OnListKeyDown(const NMLVKEYDOWN* key);

// While Up or the action button is pressed, item 0 gaining the selection beside its focus loses
// the selection again: the top of the list keeps the focus only.
void KeepTopItemUnselected(const NMLISTVIEW* change);

#endif
