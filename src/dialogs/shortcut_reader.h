// The device's shortcut files: a decimal count, "#", then the command line that the shortcut
// starts, on the first line.
#ifndef FOLDWISE_DIALOGS_SHORTCUT_READER_H
#define FOLDWISE_DIALOGS_SHORTCUT_READER_H

#include "ceplatform.h"

// Reads the shortcut's command into `buffer` (`capacity` characters, terminator included): the
// rest of the first line after the count and its "#", line break included when the line has
// one, cut to capacity - 1 characters. FALSE, with an empty buffer, for a file that cannot be
// opened, does not start with a number, or has nothing after it.
BOOL ReadShortcutTarget(LPCWSTR path, WCHAR* buffer, int capacity);

#endif
