// Reading the host's item record, the lParam of every item in the Explorer's list.
#ifndef FOLDWISE_HOST_HOST_ITEM_H
#define FOLDWISE_HOST_HOST_ITEM_H

#include "ceplatform.h"

// The item's terminated path: at byte offset 26 when the character there is "\", else at 30.
// Null for a null record.
LPCWSTR HostItemPath(LPARAM record);

// The item's file attributes at byte offset 10, read bytewise (the field is not aligned);
// 0 for a null record.
DWORD HostItemAttributes(LPARAM record);

#endif
