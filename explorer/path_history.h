// The Explorer's path history under HKEY_CURRENT_USER "Software\Microsoft\File Explorer\DialogMRU":
// "MRUList" holds one letter per entry, the most recent first, and each entry is a REG_SZ value
// named by its letter holding a folder path. The Explorer keeps at most ten entries, "a" to "j".
#ifndef FEXPLORE_PATH_HISTORY_H
#define FEXPLORE_PATH_HISTORY_H

#include "ceplatform.h"

#define PATH_HISTORY_KEY TEXT("Software\\Microsoft\\File Explorer\\DialogMRU")
#define PATH_HISTORY_MAX 10

struct PathHistoryEntry {
  WCHAR letter;
  WCHAR path[MAX_PATH];
};

struct PathHistory {
  PathHistoryEntry entries[PATH_HISTORY_MAX];
  int count;
};

// The entries in "MRUList" order. Letters outside "a" to "j", repeated letters and letters whose
// value is missing or no path are passed over.
void ReadPathHistory(PathHistory* history);

// Puts a folder at the front of the history: an entry with the same path (letter case ignored)
// moves to the front; otherwise the folder takes a free letter, or the least recent entry's.
void AddToPathHistory(LPCWSTR folder);

#endif
