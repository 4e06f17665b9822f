// The Explorer's record of one listed item, the lParam of its list view item. Its layout is part
// of what the Explorer offers its extensions: the item's file attributes at byte offset 10 (not
// aligned) and its full path at byte offset 26, or at 30 for items on a storage card, whose
// record carries the card's volume tag at 26 (never a "\").
//
//   offset  0  WORD      record kind (kItemOnDevice or kItemOnStorageCard)
//   offset  2  FILETIME  last write time (8 bytes)
//   offset 10  DWORD     file attributes
//   offset 14  DWORD     size, low 32 bits
//   offset 18  DWORD     size, high 32 bits
//   offset 22  DWORD     position of the name within the path, in characters
//   offset 26  WCHAR[]   the full path, terminated          (kItemOnDevice)
//   offset 26  DWORD     kStorageCardTag, then at 30 the path (kItemOnStorageCard)
#ifndef FEXPLORE_ITEM_RECORD_H
#define FEXPLORE_ITEM_RECORD_H

#include "ceplatform.h"

#define ITEM_RECORD_ATTRIBUTES_OFFSET 10
#define ITEM_RECORD_PATH_OFFSET 26
#define ITEM_RECORD_CARD_PATH_OFFSET 30

enum ItemRecordKind {
  kItemOnDevice = 1,
  kItemOnStorageCard = 2
};

// "CARD" as a little-endian 32-bit number; its low 16 bits are no backslash.
#define ITEM_RECORD_STORAGE_CARD_TAG 0x44524143u

// Allocates (LocalAlloc) the record of an item listed in `folder` with its find data. Null when
// the full path would not fit MAX_PATH characters or memory runs out.
BYTE* CreateItemRecord(LPCWSTR folder, const WIN32_FIND_DATAW* data, ItemRecordKind kind);
void FreeItemRecord(BYTE* record);

// A record with a new path (after a rename), or null as for CreateItemRecord; the old record is
// left as it is.
BYTE* RenameItemRecord(const BYTE* record, LPCWSTR newPath);

ItemRecordKind ItemRecordKindOf(const BYTE* record);
LPCWSTR ItemRecordPath(const BYTE* record);
LPCWSTR ItemRecordName(const BYTE* record);
DWORD ItemRecordAttributes(const BYTE* record);
ULONGLONG ItemRecordSize(const BYTE* record);
FILETIME ItemRecordWriteTime(const BYTE* record);
BOOL ItemRecordIsFolder(const BYTE* record);

#endif
