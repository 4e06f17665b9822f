// File names with their extensions in the Explorer's list while "ShowExt" is on, and a rename
// box without the extension, so that the host's own renaming, which adds it back, still works.
#ifndef FOLDWISE_VIEW_EXTENSION_DISPLAY_H
#define FOLDWISE_VIEW_EXTENSION_DISPLAY_H

#include "ceplatform.h"

// The list's buffer for an item's text, as the list view asked for it.
struct DisplayTextBuffer {
  LPWSTR text;
  int size;  // in characters, the terminator included
};

// Takes the buffer that the list view gave before the host answers: the host may point the
// text at a string of its own, which is no place to write to.
DisplayTextBuffer TakeDisplayTextBuffer(const NMLVDISPINFOW* info);

// After the host has answered: the main column's text becomes the whole file name of the item's
// path, cut to the list's buffer.
void ShowWholeFileName(NMLVDISPINFOW* info, const DisplayTextBuffer& buffer);

// When a rename of a file (not a folder) starts: the rename box loses the extension.
void CutExtensionInRenameBox(const NMLVDISPINFOW* info);

#endif
