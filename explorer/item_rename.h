// Renaming an item by editing its label: the typed name, with the extension that the list hides
// put back, becomes the item's new name (MoveFileW), and its record follows.
#ifndef FEXPLORE_ITEM_RENAME_H
#define FEXPLORE_ITEM_RENAME_H

#include "ceplatform.h"

// The new full path for an item record renamed to `typed` into a buffer of MAX_PATH characters:
// the record's folder, the typed name and the hidden extension. FALSE for an empty name, one with
// a character that no file name may hold, or a path that would not fit.
BOOL RenamedPath(const BYTE* record, LPCWSTR typed, WCHAR* path);

// Answers LVN_ENDLABELEDITW: renames the file and gives the item its new record. Always FALSE:
// the list keeps asking the Explorer for the item's text.
LRESULT EndItemRename(HWND list, NMLVDISPINFOW* info);

#endif
