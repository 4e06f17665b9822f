// The properties dialog's edits, each applied only when the user changed it and each refused
// rather than applied to a cut path or text.
#include "dialogs/properties_edits.h"

#include "dialogs/shortcut_reader.h"

namespace {

const DWORD kNoFile = 0xFFFFFFFF;

// The field's whole text, or FALSE when it does not fit in `capacity` characters with the
// terminator.
BOOL ReadWholeText(HWND field, WCHAR* text, int capacity) {
  text[0] = 0;
  if (GetWindowTextLengthW(field) >= capacity) return FALSE;
  GetWindowTextW(field, text, capacity);
  return TRUE;
}

// A name beside `path` of the same length that no file has: its last character replaced. FALSE
// when every candidate is taken.
BOOL FindFreeSiblingName(LPCWSTR path, WCHAR* sibling) {
  static const WCHAR kLastCharacters[] = TEXT("~_0123456789");
  const size_t length = wcslen(path);
  if (length == 0 || length >= MAX_PATH) return FALSE;
  wcsncpy(sibling, path, MAX_PATH - 1);
  sibling[MAX_PATH - 1] = 0;
  for (const WCHAR* c = kLastCharacters; *c != 0; ++c) {
    if (path[length - 1] == *c) continue;
    sibling[length - 1] = *c;
    if (GetFileAttributesW(sibling) == kNoFile) return TRUE;
  }
  return FALSE;
}

// Puts a new shortcut with the target in the place of the one at `path`, keeping its attributes.
void ReplaceShortcut(LPCWSTR path, WCHAR* target, DWORD attributes) {
  WCHAR fresh[MAX_PATH];
  if (!FindFreeSiblingName(path, fresh)) return;
  if (!SHCreateShortcut(fresh, target) || GetFileAttributesW(fresh) == kNoFile) return;
  if (!DeleteFileW(path)) {
    // The old shortcut stays (read-only, say); the new one goes again.
    DeleteFileW(fresh);
    return;
  }
  // Should the rename fail, the new shortcut is still there, under the sibling name.
  if (!MoveFileW(fresh, path)) return;
  // A shortcut made anew has plain attributes; it keeps the ones the old one had, so that the
  // attribute step compares with what the file holds.
  SetFileAttributesW(path, attributes);
}

}  // namespace

void ApplyShortcutTarget(LPCWSTR path, HWND targetField, DWORD attributes) {
  WCHAR stored[MAX_PATH];
  WCHAR wanted[MAX_PATH];
  ReadShortcutTarget(path, stored, MAX_PATH);  // an unreadable shortcut has an empty target
  if (!ReadWholeText(targetField, wanted, MAX_PATH)) return;
  if (wcscmp(stored, wanted) == 0) return;
  ReplaceShortcut(path, wanted, attributes);
}

void ApplyAttributes(LPCWSTR path, DWORD attributes, HWND readOnlyBox, HWND hiddenBox) {
  const DWORD editable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
  DWORD wanted = 0;
  if (SendMessageW(readOnlyBox, BM_GETCHECK, 0, 0) == BST_CHECKED) wanted |= FILE_ATTRIBUTE_READONLY;
  if (SendMessageW(hiddenBox, BM_GETCHECK, 0, 0) == BST_CHECKED) wanted |= FILE_ATTRIBUTE_HIDDEN;
  if ((attributes & editable) == wanted) return;
  SetFileAttributesW(path, (attributes & ~editable) | wanted);
}

void ApplyName(LPCWSTR path, HWND nameField) {
  const WCHAR* slash = wcsrchr(path, TEXT('\\'));
  if (slash == NULL) return;
  const size_t folderLength = static_cast<size_t>(slash - path) + 1;  // the backslash included
  if (folderLength >= MAX_PATH) return;
  WCHAR renamed[MAX_PATH];
  wcsncpy(renamed, path, folderLength);
  // The name goes over everything after the backslash; one that would not fit is refused.
  const int room = static_cast<int>(MAX_PATH - folderLength);
  if (!ReadWholeText(nameField, renamed + folderLength, room)) return;
  if (renamed[folderLength] == 0) return;
  if (_wcsicmp(path, renamed) == 0) return;
  MoveFileW(path, renamed);
}
