// The shell library's path tests, looked up by number each time they are used: the library is
// one of the device's system modules and stays loaded for the life of the process.
#include "dialogs/shell_library.h"

namespace {

// Through a generic pointer: the exports' own types differ from FARPROC's.
void* ShellLibraryExport(WORD ordinal) {
  HMODULE library = GetModuleHandleW(TEXT("ceshell"));
  if (library == NULL) return NULL;
  return reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEW(ordinal)));
}

BOOL HasShortcutExtension(LPCWSTR path) {
  const WCHAR* slash = wcsrchr(path, TEXT('\\'));
  const WCHAR* name = slash != NULL ? slash + 1 : path;
  const WCHAR* dot = wcsrchr(name, TEXT('.'));
  return dot != NULL && _wcsicmp(dot, TEXT(".lnk")) == 0;
}

}  // namespace

BOOL PathIsShortcut(LPCWSTR path) {
  if (path == NULL) return FALSE;
  CESHELL_PATHISSHORTCUT test =
      reinterpret_cast<CESHELL_PATHISSHORTCUT>(ShellLibraryExport(CESHELL_ORDINAL_PATHISSHORTCUT));
  if (test != NULL) return test(path);
  return HasShortcutExtension(path);
}
