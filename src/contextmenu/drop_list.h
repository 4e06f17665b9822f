// Reading the first path of a shell drop list (a DROPFILES block) without trusting the block.
#ifndef FOLDWISE_DROP_LIST_H
#define FOLDWISE_DROP_LIST_H

#include "ceplatform.h"

// Copies the first wide path of the drop list in the block of `size` bytes into `path`
// (MAX_PATH characters). Returns FALSE, with `path` empty, when the list's offset lies outside
// the block, the path has no terminator inside the block, or the path does not fit in MAX_PATH
// characters: a cut path could name another file.
BOOL ReadFirstDropPath(const BYTE* block, SIZE_T size, WCHAR* path);

#endif
