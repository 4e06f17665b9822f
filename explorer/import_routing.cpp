// The routing of the Explorer's five replaceable calls: the platform's functions until a module's
// replacement table is installed, then that table's entries. The table's own calls go to the
// platform, so they never come back here.
#include "import_routing.h"

#include "handler_registry.h"

namespace {

// The platform's own functions, the route when no table is installed.
const ReplacementTable kPlatform = {DeleteFileW, GetFileAttributesW, FindFirstFileW, FindNextFileW, CreateWindowExW};

ReplacementTable g_route = kPlatform;
HMODULE g_module = NULL;

BOOL IsCompleteTable(const ReplacementTable* table) {
  return table->deleteFile != NULL && table->getFileAttributes != NULL && table->findFirstFile != NULL &&
         table->findNextFile != NULL && table->createWindowEx != NULL;
}

// The module's export ordinal 1 when it is a table: a module built without one gives its first
// named export that ordinal, and a COM entry point is code, not a table.
const ReplacementTable* TableOf(HMODULE module) {
  FARPROC first = GetProcAddressW(module, MAKEINTRESOURCEW(1));
  if (first == NULL || first == GetProcAddressW(module, TEXT("DllGetClassObject")) ||
      first == GetProcAddressW(module, TEXT("DllCanUnloadNow"))) {
    return NULL;
  }
  return reinterpret_cast<const ReplacementTable*>(reinterpret_cast<void*>(first));
}

// The first handler module of one kind that loads and carries a table; NULL when none does.
HMODULE FindTableModule(LPCWSTR handlersKeyName) {
  HKEY handlers = NULL;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, handlersKeyName, 0, 0, &handlers) != ERROR_SUCCESS) return NULL;
  HMODULE found = NULL;
  for (DWORD index = 0; found == NULL; ++index) {
    WCHAR classId[MAX_PATH];
    HandlerEntry entry = ReadHandlerClassId(handlers, index, classId, MAX_PATH);
    if (entry == kHandlerEnd) break;
    WCHAR server[MAX_PATH];
    if (entry != kHandlerFound || !ReadHandlerServer(classId, server)) continue;
    HMODULE module = LoadLibraryW(server);
    if (module == NULL) continue;
    if (TableOf(module) != NULL) {
      found = module;
    } else {
      FreeLibrary(module);
    }
  }
  RegCloseKey(handlers);
  return found;
}

}  // namespace

ImportRoute InstallImportRoutingFrom(HMODULE module) {
  RemoveImportRouting();
  if (module == NULL) return kRouteToPlatform;
  // Ordinal 1 is data: the table itself, not a function.
  const ReplacementTable* table = TableOf(module);
  if (table == NULL || !IsCompleteTable(table)) {
    FreeLibrary(module);
    return kRouteToPlatform;
  }
  g_route = *table;
  g_module = module;
  return kRouteToModule;
}

ImportRoute InstallImportRouting() {
  HMODULE module = FindTableModule(HANDLERS_OF_FILES);
  if (module == NULL) module = FindTableModule(HANDLERS_OF_FOLDERS);
  return InstallImportRoutingFrom(module);
}

void RemoveImportRouting() {
  g_route = kPlatform;
  if (g_module != NULL) FreeLibrary(g_module);
  g_module = NULL;
}

ImportRoute CurrentImportRoute() { return g_module != NULL ? kRouteToModule : kRouteToPlatform; }

HMODULE RoutingModule() { return g_module; }

BOOL RoutedDeleteFileW(LPCWSTR path) { return g_route.deleteFile(path); }

DWORD RoutedGetFileAttributesW(LPCWSTR path) { return g_route.getFileAttributes(path); }

HANDLE RoutedFindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data) { return g_route.findFirstFile(pattern, data); }

BOOL RoutedFindNextFileW(HANDLE search, LPWIN32_FIND_DATAW data) { return g_route.findNextFile(search, data); }

HWND RoutedCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                           int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
  return g_route.createWindowEx(exStyle, className, windowName, style, x, y, width, height, parent, menu, instance,
                                parameter);
}
