// Send Shortcut to Programs: a shortcut to the selected program in the Start menu's Programs
// folder, named after the program, with the user's say when that name is taken.
#include "contextmenu/menu_commands.h"

#include "dialogs/shortcut_rewrite.h"
#include "module/bounded_format.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"

namespace {

// After No, the numbered names tried: name(1).lnk up to this number. A folder holding all of them
// gets no shortcut rather than a search without end.
const int kHighestShortcutNumber = 999;
// The names tried for the new shortcut before it replaces an existing one.

BOOL Exists(LPCWSTR path) { return GetFileAttributesW(path) != 0xFFFFFFFF; }

// The Programs folder followed by "\" and the program's file name without its extension: the
// shortcut names are built from it. FALSE when the Programs folder cannot be had or the name does
// not fit.
BOOL BuildBaseName(HWND owner, LPCWSTR program, WCHAR* base) {
  WCHAR folder[MAX_PATH];
  folder[0] = 0;
  if (!SHGetSpecialFolderPath(owner, folder, CSIDL_PROGRAMS, TRUE) || folder[0] == 0) return FALSE;
  const WCHAR* slash = wcsrchr(program, TEXT('\\'));
  const WCHAR* name = slash != NULL ? slash : program;
  if (!FormatBounded(base, MAX_PATH, TEXT("%s%s"), folder, name)) return FALSE;
  // The extension goes from the name's last "."; a dot in a folder name is no extension.
  WCHAR* nameStart = wcsrchr(base, TEXT('\\'));
  WCHAR* dot = wcsrchr(nameStart != NULL ? nameStart : base, TEXT('.'));
  if (dot != NULL) *dot = 0;
  return TRUE;
}

// The target as the shortcut stores it: a path with a space anywhere in double quotation marks.
BOOL BuildTarget(LPCWSTR program, WCHAR* target) {
  if (wcschr(program, TEXT(' ')) != NULL) return FormatBounded(target, MAX_PATH, TEXT("\"%s\""), program);
  return FormatBounded(target, MAX_PATH, TEXT("%s"), program);
}

// After No: the first free name(n).lnk, n from 1.
void CreateNumberedShortcut(LPCWSTR base, WCHAR* target) {
  WCHAR shortcut[MAX_PATH];
  for (int number = 1; number <= kHighestShortcutNumber; ++number) {
    if (!FormatBounded(shortcut, MAX_PATH, TEXT("%s(%d).lnk"), base, number)) return;
    if (!Exists(shortcut)) {
      SHCreateShortcut(shortcut, target);
      return;
    }
  }
}

}  // namespace

void SendShortcutToPrograms(HWND owner, LPCWSTR path) {
  WCHAR base[MAX_PATH];
  WCHAR shortcut[MAX_PATH];
  WCHAR target[MAX_PATH];
  // A name or target that does not fit its buffer is refused: a cut one would name another file.
  if (!BuildBaseName(owner, path, base)) return;
  if (!FormatBounded(shortcut, MAX_PATH, TEXT("%s.lnk"), base)) return;
  if (!BuildTarget(path, target)) return;

  if (!Exists(shortcut)) {
    SHCreateShortcut(shortcut, target);
    return;
  }
  int answer = MessageBoxW(owner, GetResourceString(IDS_SHORTCUT_EXISTS), GetResourceString(IDS_CONFIRM_OVERWRITE),
                           MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDYES) {
    RewriteShortcut(shortcut, target, GetFileAttributesW(shortcut));
  } else if (answer == IDNO) {
    CreateNumberedShortcut(base, target);
  }
}
