// The Explorer's context menus and the shell extension handlers that add to them.
#include "context_menu_host.h"

#include "drop_data_object.h"

namespace {

typedef HRESULT(STDMETHODCALLTYPE* GetClassObjectFunc)(REFCLSID, REFIID, void**);

int HexDigit(WCHAR c) {
  if (c >= TEXT('0') && c <= TEXT('9')) return c - TEXT('0');
  if (c >= TEXT('a') && c <= TEXT('f')) return c - TEXT('a') + 10;
  if (c >= TEXT('A') && c <= TEXT('F')) return c - TEXT('A') + 10;
  return -1;
}

// Reads `digits` hex digits from text at *at; FALSE on anything else.
BOOL ReadHex(LPCWSTR text, int* at, int digits, DWORD* value) {
  *value = 0;
  for (int i = 0; i < digits; ++i) {
    int d = HexDigit(text[*at]);
    if (d < 0) return FALSE;
    *value = (*value << 4) | static_cast<DWORD>(d);
    ++*at;
  }
  return TRUE;
}

BOOL Expect(LPCWSTR text, int* at, WCHAR c) {
  if (text[*at] != c) return FALSE;
  ++*at;
  return TRUE;
}

BOOL ReadDefaultString(HKEY root, LPCWSTR subkey, WCHAR* value, DWORD chars) {
  HKEY key = NULL;
  if (RegOpenKeyExW(root, subkey, 0, 0, &key) != ERROR_SUCCESS) return FALSE;
  DWORD type = 0;
  DWORD size = chars * sizeof(WCHAR);
  LONG status = RegQueryValueExW(key, NULL, NULL, &type, reinterpret_cast<LPBYTE>(value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ || size < sizeof(WCHAR)) return FALSE;
  DWORD length = size / sizeof(WCHAR);
  if (value[length - 1] != 0) {
    if (length >= chars) return FALSE;
    value[length] = 0;
  }
  return TRUE;
}

// Loads one handler by its class identifier text and lets it fill the menu.
void AddHandler(LPCWSTR classIdText, LPCWSTR path, ContextMenuSession* session) {
  if (session->handlerCount >= static_cast<int>(sizeof(session->handlers) / sizeof(session->handlers[0]))) return;
  GUID classId;
  WCHAR key[MAX_PATH];
  WCHAR server[MAX_PATH];
  if (!ParseGuid(classIdText, &classId) || wcslen(classIdText) > 64) {
    ++session->handlersRefused;
    return;
  }
  _snwprintf(key, MAX_PATH - 1, TEXT("CLSID\\%s\\InprocServer32"), classIdText);
  key[MAX_PATH - 1] = 0;
  if (!ReadDefaultString(HKEY_CLASSES_ROOT, key, server, MAX_PATH)) {
    ++session->handlersRefused;
    return;
  }
  HMODULE module = LoadLibraryW(server);
  if (module == NULL) {
    ++session->handlersRefused;
    return;
  }
  GetClassObjectFunc getClassObject = reinterpret_cast<GetClassObjectFunc>(
      reinterpret_cast<void*>(GetProcAddressW(module, TEXT("DllGetClassObject"))));
  IClassFactory* factory = NULL;
  IContextMenu* menu = NULL;
  if (getClassObject != NULL &&
      SUCCEEDED(getClassObject(classId, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    factory->CreateInstance(NULL, IID_IContextMenu, reinterpret_cast<void**>(&menu));
    factory->Release();
  }
  if (menu == NULL) {
    FreeLibrary(module);
    ++session->handlersRefused;
    return;
  }
  IObjectWithSite* withSite = NULL;
  DropDataObject* data = DropDataObject::Create(path);
  if (data != NULL && SUCCEEDED(menu->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&withSite)))) {
    withSite->SetSite(data);
    withSite->Release();
  }
  if (data != NULL) data->Release();
  LoadedHandler& handler = session->handlers[session->handlerCount++];
  handler.module = module;
  handler.menu = menu;
  handler.queryResult = menu->QueryContextMenu(session->menu, 0, kFirstHandlerCommand, kLastHandlerCommand, CMF_NORMAL);
}

}  // namespace

BOOL ParseGuid(LPCWSTR text, GUID* guid) {
  if (text == NULL) return FALSE;
  int at = 0;
  DWORD value = 0;
  if (!Expect(text, &at, TEXT('{')) || !ReadHex(text, &at, 8, &guid->Data1) || !Expect(text, &at, TEXT('-'))) return FALSE;
  if (!ReadHex(text, &at, 4, &value)) return FALSE;
  guid->Data2 = static_cast<WORD>(value);
  if (!Expect(text, &at, TEXT('-')) || !ReadHex(text, &at, 4, &value)) return FALSE;
  guid->Data3 = static_cast<WORD>(value);
  if (!Expect(text, &at, TEXT('-'))) return FALSE;
  for (int i = 0; i < 8; ++i) {
    if (i == 2 && !Expect(text, &at, TEXT('-'))) return FALSE;
    if (!ReadHex(text, &at, 2, &value)) return FALSE;
    guid->Data4[i] = static_cast<BYTE>(value);
  }
  return Expect(text, &at, TEXT('}')) && text[at] == 0;
}

BOOL OpenContextMenu(LPCWSTR path, ContextMenuSession* session) {
  session->menu = CreatePopupMenu();
  session->handlerCount = 0;
  session->handlersRefused = 0;
  if (session->menu == NULL) return FALSE;
  AppendMenuW(session->menu, MF_STRING, kCommandOpen, TEXT("Open"));
  AppendMenuW(session->menu, MF_STRING, kCommandCut, TEXT("Cut"));
  AppendMenuW(session->menu, MF_STRING, kCommandCopy, TEXT("Copy"));
  AppendMenuW(session->menu, MF_STRING, kCommandDelete, TEXT("Delete"));
  AppendMenuW(session->menu, MF_STRING, kCommandRename, TEXT("Rename"));

  DWORD attributes = GetFileAttributesW(path);
  BOOL folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  HKEY handlers = NULL;
  LPCWSTR kind = folder ? TEXT("Folder\\shellex\\ContextMenuHandlers") : TEXT("*\\shellex\\ContextMenuHandlers");
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kind, 0, 0, &handlers) != ERROR_SUCCESS) return TRUE;
  for (DWORD index = 0;; ++index) {
    WCHAR name[MAX_PATH];
    DWORD chars = MAX_PATH;
    if (RegEnumKeyExW(handlers, index, name, &chars, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
    WCHAR classId[MAX_PATH];
    if (ReadDefaultString(handlers, name, classId, MAX_PATH)) {
      AddHandler(classId, path, session);
    } else {
      ++session->handlersRefused;
    }
  }
  RegCloseKey(handlers);
  return TRUE;
}

void CloseContextMenu(ContextMenuSession* session) {
  for (int i = 0; i < session->handlerCount; ++i) {
    session->handlers[i].menu->Release();
    FreeLibrary(session->handlers[i].module);
  }
  session->handlerCount = 0;
  if (session->menu != NULL) DestroyMenu(session->menu);
  session->menu = NULL;
}
