// What the properties dialog applies on OK, in this order: a shortcut's new target, the
// read-only and hidden attributes, and the new name.
#ifndef FOLDWISE_DIALOGS_PROPERTIES_EDITS_H
#define FOLDWISE_DIALOGS_PROPERTIES_EDITS_H

#include "ceplatform.h"

// Rewrites the shortcut at `path` with the target that the field holds, when it differs from the
// stored one. The user's shortcut is never lost: the new one is made under a free name beside it
// first, and only once it exists does it take the old one's place and attributes. A field of
// MAX_PATH characters or more is not applied (it would be cut).
void ApplyShortcutTarget(LPCWSTR path, HWND targetField, DWORD attributes);

// Sets FILE_ATTRIBUTE_READONLY and FILE_ATTRIBUTE_HIDDEN as the two boxes are checked, when that
// changes them; every other bit stays as `attributes` (the snapshot at opening) holds it.
void ApplyAttributes(LPCWSTR path, DWORD attributes, HWND readOnlyBox, HWND hiddenBox);

// Renames the item within its folder to the name in the field, unless only the letter case
// differs. An empty name, or one that would make the path longer than MAX_PATH allows, is not
// applied.
void ApplyName(LPCWSTR path, HWND nameField);

#endif
