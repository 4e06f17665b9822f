// The properties dialog's edits, each applied only when the user changed it and each refused
// rather than applied to a cut path or text.
#include "dialogs/properties_edits.h"

#include "dialogs/shortcut_reader.h"
#include "dialogs/shortcut_rewrite.h"

namespace {

// The field's whole text, or FALSE when it does not fit in `capacity` characters with the
// terminator.
BOOL ReadWholeText(HWND field, WCHAR* text, int capacity) {
  text[0] = 0;
  if (GetWindowTextLengthW(field) >= capacity) return FALSE;
  GetWindowTextW(field, text, capacity);
  return TRUE;
}

}  // namespace

void ApplyShortcutTarget(LPCWSTR path, HWND targetField, DWORD attributes) {
  WCHAR stored[MAX_PATH];
  WCHAR wanted[MAX_PATH];
  ReadShortcutTarget(path, stored, MAX_PATH);  // an unreadable shortcut has an empty target
  if (!ReadWholeText(targetField, wanted, MAX_PATH)) return;
  if (wcscmp(stored, wanted) == 0) return;
  RewriteShortcut(path, wanted, attributes);
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
