// The device's shell library ("ceshell") on desktop Windows, which has no such library: loading
// it by name gives a handle that stands for it, and its three numbered path functions are
// supplied here with the device's rules.
#include "device_path.h"

#include "ceshell_ordinals.h"

namespace {

// Its address is the handle that stands for the shell library; nothing is ever read through it.
char g_shellLibraryStandIn;

HMODULE ShellLibraryHandle() { return reinterpret_cast<HMODULE>(&g_shellLibraryStandIn); }

bool IsShellLibraryName(LPCWSTR name) {
  return name != NULL && (_wcsicmp(name, L"ceshell") == 0 || _wcsicmp(name, L"ceshell.dll") == 0);
}

bool IsBlank(WCHAR c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// The length of a text that ends within MAX_PATH characters, or -1.
int BoundedLength(LPCWSTR text) {
  if (text == NULL) return -1;
  for (int i = 0; i < MAX_PATH; ++i) {
    if (text[i] == 0) return i;
  }
  return -1;
}

// Whether the last name of the path (after its last "\") has this extension, letter case ignored.
bool HasExtension(LPCWSTR path, LPCWSTR extension) {
  if (BoundedLength(path) < 0) return false;
  LPCWSTR name = wcsrchr(path, L'\\');
  name = name != NULL ? name + 1 : path;
  LPCWSTR dot = wcsrchr(name, L'.');
  return dot != NULL && _wcsicmp(dot, extension) == 0;
}

bool IsExeAt(LPCWSTR text, int at, int length) {
  return at + 4 <= length && _wcsnicmp(text + at, L".exe", 4) == 0;
}

BOOL WINAPI PathIsProgram(LPCWSTR path) { return HasExtension(path, L".exe") ? TRUE : FALSE; }

BOOL WINAPI PathIsShortcut(LPCWSTR path) { return HasExtension(path, L".lnk") ? TRUE : FALSE; }

// White space around the command goes; a quoted program path keeps what is between the quotes; an
// unquoted one ends after the first ".exe" that the end, white space or "?" follows; a ":NAME"
// command, or one that names no program, keeps its text. In place: never longer.
void WINAPI CleanCommand(LPWSTR command) {
  int length = BoundedLength(command);
  if (length < 0) return;
  int first = 0;
  while (first < length && IsBlank(command[first])) ++first;
  while (length > first && IsBlank(command[length - 1])) --length;
  int start = first;
  int end = length;
  if (first < length && command[first] == L'"') {
    start = first + 1;
    end = start;
    while (end < length && command[end] != L'"') ++end;
  } else if (first < length && command[first] != L':') {
    for (int at = first; at < length; ++at) {
      if (command[at] != L'.' || !IsExeAt(command, at, length)) continue;
      int after = at + 4;
      if (after == length || IsBlank(command[after]) || command[after] == L'?') {
        end = after;
        break;
      }
    }
  }
  int out = 0;
  for (int at = start; at < end; ++at) command[out++] = command[at];
  command[out] = 0;
}

}  // namespace

HMODULE WINAPI cedesktop_LoadLibraryW(LPCWSTR name) {
  if (IsShellLibraryName(name)) return ShellLibraryHandle();
  // A plain name is looked for as the desktop looks for libraries; a path is the device's.
  if (name == NULL || (wcschr(name, L'\\') == NULL && wcschr(name, L'/') == NULL)) return LoadLibraryW(name);
  DesktopPath path(name);
  if (path.Refused()) return NULL;
  return LoadLibraryW(path.Get());
}

BOOL WINAPI cedesktop_FreeLibrary(HMODULE module) {
  if (module == ShellLibraryHandle()) return TRUE;
  return FreeLibrary(module);
}

BOOL cedesktop_IsShellLibrary(HMODULE module) { return module == ShellLibraryHandle() ? TRUE : FALSE; }

FARPROC cedesktop_ShellLibraryExport(HMODULE module, LPCSTR name) {
  if (module != ShellLibraryHandle()) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return NULL;
  }
  switch (reinterpret_cast<ULONG_PTR>(name)) {
    case CESHELL_ORDINAL_PATHISPROGRAM:
      return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&PathIsProgram));
    case CESHELL_ORDINAL_PATHISSHORTCUT:
      return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&PathIsShortcut));
    case CESHELL_ORDINAL_CLEANCOMMAND:
      return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&CleanCommand));
    default:
      SetLastError(ERROR_PROC_NOT_FOUND);
      return NULL;
  }
}
