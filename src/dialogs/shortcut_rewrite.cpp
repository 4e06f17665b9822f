// The shortcut rewrite: create beside, then replace. A name of the same length as the shortcut's
// always fits where the shortcut's own does.
#include "dialogs/shortcut_rewrite.h"

#include "module/bounded_format.h"

namespace {

const DWORD kNoFile = 0xFFFFFFFF;

// A name beside `path` that no file has: its last character replaced. FALSE when every candidate
// is taken.
BOOL FindFreeSiblingName(LPCWSTR path, WCHAR* sibling) {
  static const WCHAR kLastCharacters[] = TEXT("~_0123456789");
  if (!FormatBounded(sibling, MAX_PATH, TEXT("%s"), path)) return FALSE;
  const size_t length = wcslen(sibling);
  if (length == 0) return FALSE;
  for (const WCHAR* c = kLastCharacters; *c != 0; ++c) {
    if (path[length - 1] == *c) continue;
    sibling[length - 1] = *c;
    if (GetFileAttributesW(sibling) == kNoFile) return TRUE;
  }
  return FALSE;
}

}  // namespace

BOOL RewriteShortcut(LPCWSTR path, WCHAR* target, DWORD attributes) {
  WCHAR fresh[MAX_PATH];
  if (!FindFreeSiblingName(path, fresh)) return FALSE;
  if (!SHCreateShortcut(fresh, target) || GetFileAttributesW(fresh) == kNoFile) return FALSE;
  if (!DeleteFileW(path)) {
    // The old shortcut stays (it may be read-only); the new one goes again.
    DeleteFileW(fresh);
    return FALSE;
  }
  // Should the move fail, the new shortcut is still there, under the sibling name.
  if (!MoveFileW(fresh, path)) return FALSE;
  // A shortcut made anew has plain attributes; it keeps the old one's, so that a hidden shortcut
  // stays hidden and what the dialog's attribute step compares with is what the file holds.
  SetFileAttributesW(path, attributes);
  return TRUE;
}
