// The replacement table and its five entries.
#include "host/replacement_table.h"

#include "host/host_contract.h"
#include "module/module_state.h"
#include "view/frame_window.h"
#include "view/pane_window.h"

namespace {

// The pattern component that marks a folder listing of the Explorer's own.
const WCHAR kListingPattern[] = TEXT("\\*.*");

BOOL IsListingPattern(LPCWSTR pattern) {
  if (pattern == NULL) return FALSE;
  const WCHAR* last = wcsrchr(pattern, TEXT('\\'));
  return last != NULL && wcscmp(last, kListingPattern) == 0;
}

// A class argument below 0x10000 is an atom, not a name.
BOOL IsClassAtom(LPCWSTR className) { return (reinterpret_cast<UINT_PTR>(className) >> 16) == 0; }

void Attach(HWND window, WNDPROC procedure) {
  WNDPROC previous = reinterpret_cast<WNDPROC>(
      SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  procedure(window, VIEW_CALL_INIT, 0, reinterpret_cast<LPARAM>(previous));
}

}  // namespace

BOOL WINAPI DeleteFileReplacement(LPCWSTR path) {
  BOOL deleted = DeleteFileW(path);
  DWORD attributes = GetFileAttributesW(path);
  // The query succeeded (bit 31 clear) and the file still resides in ROM.
  if ((attributes & 0x80000000UL) == 0 && (attributes & FILE_ATTRIBUTE_INROM) != 0) {
    // A path that does not fit is never remembered cut: a cut path could hide another file.
    size_t length = wcslen(path);
    if (length < MAX_PATH) memcpy(g_module.suppressedPath, path, (length + 1) * sizeof(WCHAR));
    else g_module.suppressedPath[0] = 0;
    return static_cast<BOOL>(-1);
  }
  return deleted;
}

DWORD WINAPI GetFileAttributesReplacement(LPCWSTR path) {
  DWORD attributes = GetFileAttributesW(path);
  if (path != NULL && wcscmp(path, g_module.suppressedPath) == 0) {
    g_module.suppressedPath[0] = 0;
    return 0xFFFFFFFFUL;
  }
  return attributes;
}

HANDLE WINAPI FindFirstFileReplacement(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
  if (!g_module.rootListingSeen && IsListingPattern(pattern)) {
    g_module.rootListingSeen = TRUE;
    FrameWindowProc(NULL, VIEW_CALL_STARTUP, 0, 0);
  }
  HANDLE search = FindFirstFileW(pattern, data);
  if (data != NULL) data->dwFileAttributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_ROMMODULE);
  return search;
}

BOOL WINAPI FindNextFileReplacement(HANDLE search, WIN32_FIND_DATAW* data) {
  BOOL found = FindNextFileW(search, data);
  if (data != NULL) data->dwFileAttributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_ROMMODULE);
  return found;
}

HWND WINAPI CreateWindowExReplacement(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                      int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                      LPVOID parameter) {
  HWND window =
      CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menu, instance, parameter);
  if (window == NULL) return NULL;
  if (!IsClassAtom(className)) {
    if (wcscmp(className, HOST_FRAME_CLASS) == 0) Attach(window, FrameWindowProc);
  } else {
    Attach(window, PaneWindowProc);
  }
  return window;
}

extern "C" const ReplacementTable FoldwiseReplacementTable = {
    DeleteFileReplacement, GetFileAttributesReplacement, FindFirstFileReplacement, FindNextFileReplacement,
    CreateWindowExReplacement};
