// The Explorer's calls of the five functions that an extension module may stand in for
// (DeleteFileW, GetFileAttributesW, FindFirstFileW, FindNextFileW, CreateWindowExW). The Explorer
// makes every one of its own calls of them through these routed forms: through the replacement
// table of the module registered as its context menu handler (export ordinal 1, five function
// addresses in that order), or straight to the platform when there is no such module or table.
#ifndef FEXPLORE_IMPORT_ROUTING_H
#define FEXPLORE_IMPORT_ROUTING_H

#include "ceplatform.h"

typedef BOOL(WINAPI* DeleteFileFunc)(LPCWSTR path);
typedef DWORD(WINAPI* GetFileAttributesFunc)(LPCWSTR path);
typedef HANDLE(WINAPI* FindFirstFileFunc)(LPCWSTR pattern, LPWIN32_FIND_DATAW data);
typedef BOOL(WINAPI* FindNextFileFunc)(HANDLE search, LPWIN32_FIND_DATAW data);
typedef HWND(WINAPI* CreateWindowExFunc)(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                                         int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                         LPVOID parameter);

// The replacement table as the module exports it: five consecutive function addresses.
struct ReplacementTable {
  DeleteFileFunc deleteFile;
  GetFileAttributesFunc getFileAttributes;
  FindFirstFileFunc findFirstFile;
  FindNextFileFunc findNextFile;
  CreateWindowExFunc createWindowEx;
};

// Where the routed calls go.
enum ImportRoute {
  kRouteToPlatform,  // no module with a table: the platform's own functions
  kRouteToModule     // the entries of the module's table
};

// Looks for the module (the InprocServer32 of the first context menu handler registered under
// HKEY_CLASSES_ROOT "*", then "Folder", whose module loads and exports ordinal 1), keeps it
// loaded and routes the five calls through its table. Without one they go to the platform.
// Call it before the Explorer creates a window or lists a folder. Returns the route taken.
ImportRoute InstallImportRouting();

// Routes the calls to the module's table that `module` exports as ordinal 1, keeping the module
// loaded (the routing takes over one reference of it); a module without that export is freed and
// the calls go to the platform.
ImportRoute InstallImportRoutingFrom(HMODULE module);

// Routes to the platform again and frees the module that the routing kept loaded.
void RemoveImportRouting();

ImportRoute CurrentImportRoute();
// The module whose table the calls go through; null when they go to the platform.
HMODULE RoutingModule();

BOOL RoutedDeleteFileW(LPCWSTR path);
DWORD RoutedGetFileAttributesW(LPCWSTR path);
HANDLE RoutedFindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data);
BOOL RoutedFindNextFileW(HANDLE search, LPWIN32_FIND_DATAW data);
HWND RoutedCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                           int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter);

#endif
