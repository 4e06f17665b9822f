// Values read out of a copied version resource, taken only where they lie whole inside it.
#ifndef FOLDWISE_DIALOGS_VERSION_BLOCK_H
#define FOLDWISE_DIALOGS_VERSION_BLOCK_H

#include "ceplatform.h"

// The fixed part ("\"), or null when the resource has none or it is shorter than the structure.
const VS_FIXEDFILEINFO* QueryFixedInfo(void* block, DWORD blockSize);

// The first language and code page of the translation table; FALSE when there is none.
BOOL QueryFirstTranslation(void* block, DWORD blockSize, WORD* language, WORD* codePage);

// The string of `key` under the translation, or null when it is not there or its text has no
// terminator inside the block (such a value would be read past the block's end).
LPCWSTR QueryVersionString(void* block, DWORD blockSize, WORD language, WORD codePage, LPCWSTR key);

#endif
