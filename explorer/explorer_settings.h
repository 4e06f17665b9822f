// The Explorer's own settings in its registry keys: whether hidden items are listed (HKEY_LOCAL_MACHINE
// "Explorer" "ViewAll") and the folder it showed last (HKEY_CURRENT_USER
// "Software\Microsoft\File Explorer": "LastLocation" 0, 1 or 2 naming which of "LocalPath",
// "StorageCardPath" and "NetWorkPath" holds it).
#ifndef FEXPLORE_EXPLORER_SETTINGS_H
#define FEXPLORE_EXPLORER_SETTINGS_H

#include "ceplatform.h"

#define EXPLORER_MACHINE_KEY TEXT("Explorer")
#define EXPLORER_USER_KEY TEXT("Software\\Microsoft\\File Explorer")

enum LocationKind {
  kLocationLocal = 0,
  kLocationStorageCard = 1,
  kLocationNetwork = 2
};

BOOL ReadViewAll();
// Flips "ViewAll" and flushes the key at once.
void ToggleViewAll();

// Where a folder lies: a network path begins with two backslashes; a folder on a storage card
// lies in a mount folder directly below the root; anything else is local.
LocationKind LocationKindOf(LPCWSTR folder);

// Stores the folder as the last location: its path value and "LastLocation".
void StoreLastLocation(LPCWSTR folder);
// The stored last location into a buffer of MAX_PATH characters; FALSE when there is none.
BOOL ReadLastLocation(WCHAR* folder);

// Reads a DWORD value; `fallback` when it is missing or of another type.
DWORD ReadDwordValue(HKEY root, LPCWSTR subkey, LPCWSTR name, DWORD fallback);
// Reads a terminated string value that fits a buffer of MAX_PATH characters.
BOOL ReadPathValue(HKEY root, LPCWSTR subkey, LPCWSTR name, WCHAR* path);

#endif
