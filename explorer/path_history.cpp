// The Explorer's path history in its registry key.
#include "path_history.h"

#include "explorer_settings.h"

namespace {

const WCHAR kFirstLetter = TEXT('a');

// "MRUList" as stored (at most 15 letters), into a buffer of 16 characters; empty when missing.
void ReadLetters(HKEY key, WCHAR* letters) {
  letters[0] = 0;
  DWORD type = 0;
  DWORD size = 16 * sizeof(WCHAR);
  if (RegQueryValueExW(key, TEXT("MRUList"), NULL, &type, reinterpret_cast<LPBYTE>(letters), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    letters[0] = 0;
    return;
  }
  DWORD length = size / sizeof(WCHAR);
  if (length >= 16) length = 15;
  letters[length] = 0;
}

BOOL IsHistoryLetter(WCHAR letter) { return letter >= kFirstLetter && letter < kFirstLetter + PATH_HISTORY_MAX; }

void Write(HKEY key, const PathHistory& history) {
  WCHAR letters[PATH_HISTORY_MAX + 1];
  for (int i = 0; i < history.count; ++i) letters[i] = history.entries[i].letter;
  letters[history.count] = 0;
  RegSetValueExW(key, TEXT("MRUList"), 0, REG_SZ, reinterpret_cast<const BYTE*>(letters),
                 static_cast<DWORD>((history.count + 1) * sizeof(WCHAR)));
}

}  // namespace

void ReadPathHistory(PathHistory* history) {
  history->count = 0;
  HKEY key = NULL;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, PATH_HISTORY_KEY, 0, 0, &key) != ERROR_SUCCESS) return;
  WCHAR letters[16];
  ReadLetters(key, letters);
  RegCloseKey(key);
  BOOL seen[PATH_HISTORY_MAX] = {FALSE};
  for (int i = 0; letters[i] != 0 && history->count < PATH_HISTORY_MAX; ++i) {
    WCHAR letter = letters[i];
    if (!IsHistoryLetter(letter) || seen[letter - kFirstLetter]) continue;
    seen[letter - kFirstLetter] = TRUE;
    PathHistoryEntry& entry = history->entries[history->count];
    WCHAR name[2] = {letter, 0};
    if (!ReadPathValue(HKEY_CURRENT_USER, PATH_HISTORY_KEY, name, entry.path) || entry.path[0] == 0) continue;
    entry.letter = letter;
    ++history->count;
  }
}

void AddToPathHistory(LPCWSTR folder) {
  size_t length = folder != NULL ? wcslen(folder) : 0;
  if (length == 0 || length >= MAX_PATH) return;
  PathHistory history;
  ReadPathHistory(&history);
  int found = -1;
  for (int i = 0; i < history.count && found < 0; ++i) {
    if (_wcsicmp(history.entries[i].path, folder) == 0) found = i;
  }
  PathHistoryEntry front;
  if (found >= 0) {
    front = history.entries[found];
  } else if (history.count < PATH_HISTORY_MAX) {
    BOOL used[PATH_HISTORY_MAX] = {FALSE};
    for (int i = 0; i < history.count; ++i) used[history.entries[i].letter - kFirstLetter] = TRUE;
    int free = 0;
    while (used[free]) ++free;
    front.letter = static_cast<WCHAR>(kFirstLetter + free);
    found = history.count++;
  } else {
    found = history.count - 1;  // the least recent entry gives up its letter
    front.letter = history.entries[found].letter;
  }
  memcpy(front.path, folder, (length + 1) * sizeof(WCHAR));
  for (int i = found; i > 0; --i) history.entries[i] = history.entries[i - 1];
  history.entries[0] = front;

  HKEY key = NULL;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, PATH_HISTORY_KEY, 0, NULL, 0, 0, NULL, &key, &disposition) != ERROR_SUCCESS) {
    return;
  }
  WCHAR name[2] = {front.letter, 0};
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(front.path),
                 static_cast<DWORD>((length + 1) * sizeof(WCHAR)));
  Write(key, history);
  RegCloseKey(key);
}
