// A small device module with a replacement table at export ordinal 1, for the tests of the
// Explorer's routing: each entry counts its calls and passes them on to the platform, and the
// module notes the classes of the windows created through it and the first search pattern.
// Built twice: with the table exported (tablemodule) and without it (plainmodule).
#include "ceplatform.h"

static int g_calls[5];
static int g_frameWindows;
static int g_atomWindows;
static WCHAR g_firstPattern[MAX_PATH];

static BOOL WINAPI CountedDeleteFile(LPCWSTR path) {
  ++g_calls[0];
  return DeleteFileW(path);
}

static DWORD WINAPI CountedGetFileAttributes(LPCWSTR path) {
  ++g_calls[1];
  return GetFileAttributesW(path);
}

static HANDLE WINAPI CountedFindFirstFile(LPCWSTR pattern, LPWIN32_FIND_DATAW data) {
  if (g_calls[2]++ == 0 && pattern != NULL && wcslen(pattern) < MAX_PATH) wcscpy(g_firstPattern, pattern);
  return FindFirstFileW(pattern, data);
}

static BOOL WINAPI CountedFindNextFile(HANDLE search, LPWIN32_FIND_DATAW data) {
  ++g_calls[3];
  return FindNextFileW(search, data);
}

static HWND WINAPI CountedCreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                         int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                         LPVOID parameter) {
  ++g_calls[4];
  if ((reinterpret_cast<ULONG_PTR>(className) >> 16) == 0) {
    ++g_atomWindows;
  } else if (wcscmp(className, TEXT("FEXPLORE")) == 0) {
    ++g_frameWindows;
  }
  return CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menu, instance, parameter);
}

extern "C" {

// The table: five function addresses, in the order of the functions they stand in for.
extern void* const ReplacementTable[5];
void* const ReplacementTable[5] = {
    reinterpret_cast<void*>(CountedDeleteFile), reinterpret_cast<void*>(CountedGetFileAttributes),
    reinterpret_cast<void*>(CountedFindFirstFile), reinterpret_cast<void*>(CountedFindNextFile),
    reinterpret_cast<void*>(CountedCreateWindowEx)};

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID, REFIID, void** out) {
  if (out != NULL) *out = NULL;
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT STDMETHODCALLTYPE DllCanUnloadNow() { return S_OK; }

// How many calls the entry at an index (0 to 4) took.
int WINAPI TableCalls(int index) { return index >= 0 && index < 5 ? g_calls[index] : -1; }
int WINAPI FrameWindows() { return g_frameWindows; }
int WINAPI AtomWindows() { return g_atomWindows; }
LPCWSTR WINAPI FirstPattern() { return g_firstPattern; }

}  // extern "C"
