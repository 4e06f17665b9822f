// The replacement table: five functions that stand in for the Explorer's imports of
// DeleteFileW, GetFileAttributesW, FindFirstFileW, FindNextFileW and CreateWindowExW, exported
// as the module's ordinal 1 without a name. Each calls the platform function (through the
// module's own imports, never through the table) and adds one behaviour of its own.
#ifndef FOLDWISE_HOST_REPLACEMENT_TABLE_H
#define FOLDWISE_HOST_REPLACEMENT_TABLE_H

#include "ceplatform.h"

// A file that stays in ROM after a delete counts as deleted, and the next attribute query for
// exactly that path answers once that there is no such file.
BOOL WINAPI DeleteFileReplacement(LPCWSTR path);
DWORD WINAPI GetFileAttributesReplacement(LPCWSTR path);

// Listings never carry the ROM-module attribute; the first listing of a pattern ending in
// "\*.*" starts the frame window extension first.
HANDLE WINAPI FindFirstFileReplacement(LPCWSTR pattern, WIN32_FIND_DATAW* data);
BOOL WINAPI FindNextFileReplacement(HANDLE search, WIN32_FIND_DATAW* data);

// The frame window ("FEXPLORE" by name) and every window created with a class atom get the
// module's procedures in front of their own.
HWND WINAPI CreateWindowExReplacement(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                      int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                      LPVOID parameter);

// The table's layout: five consecutive code addresses, in this order, no count, no terminator.
struct ReplacementTable {
  BOOL(WINAPI* deleteFile)(LPCWSTR);
  DWORD(WINAPI* getFileAttributes)(LPCWSTR);
  HANDLE(WINAPI* findFirstFile)(LPCWSTR, WIN32_FIND_DATAW*);
  BOOL(WINAPI* findNextFile)(HANDLE, WIN32_FIND_DATAW*);
  HWND(WINAPI* createWindowEx)(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID);
};

extern "C" const ReplacementTable FoldwiseReplacementTable;

#endif
