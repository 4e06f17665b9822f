// Giving an existing shortcut a new target without ever losing it.
#ifndef FOLDWISE_DIALOGS_SHORTCUT_REWRITE_H
#define FOLDWISE_DIALOGS_SHORTCUT_REWRITE_H

#include "ceplatform.h"

// Puts a shortcut to `target` in the place of the one at `path`, with the old one's attributes.
// The new shortcut is made first, under a free name of the same length beside it; only once it
// exists does the old one go and the new one move into its place. When the new one cannot be made
// or the old one cannot be deleted, the old one stays as it was. TRUE when the path holds the new
// shortcut.
BOOL RewriteShortcut(LPCWSTR path, WCHAR* target, DWORD attributes);

#endif
