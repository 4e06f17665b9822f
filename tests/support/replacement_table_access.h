// The module's replacement table as a host sees it: export ordinal 1, five consecutive code
// addresses standing in for DeleteFileW, GetFileAttributesW, FindFirstFileW, FindNextFileW and
// CreateWindowExW, in that order.
#ifndef FOLDWISE_TESTS_REPLACEMENT_TABLE_ACCESS_H
#define FOLDWISE_TESTS_REPLACEMENT_TABLE_ACCESS_H

#include "ceplatform.h"

namespace foldwise_test {

struct HostImports {
  BOOL(WINAPI* deleteFile)(LPCWSTR);
  DWORD(WINAPI* getFileAttributes)(LPCWSTR);
  HANDLE(WINAPI* findFirstFile)(LPCWSTR, WIN32_FIND_DATAW*);
  BOOL(WINAPI* findNextFile)(HANDLE, WIN32_FIND_DATAW*);
  HWND(WINAPI* createWindowEx)(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID);
};

// The table of a loaded module, or null when it exports no ordinal 1.
const HostImports* ReplacementTableOf(HMODULE module);

}  // namespace foldwise_test

#endif
