// The Explorer's context menus and the shell extension handlers that add to them.
#include "context_menu_host.h"

#include "drop_data_object.h"
#include "handler_registry.h"
#include "import_routing.h"

namespace {

typedef HRESULT(STDMETHODCALLTYPE* GetClassObjectFunc)(REFCLSID, REFIID, void**);

// Loads one handler by its class identifier text and lets it fill the menu from `*nextCommand`
// on, which then moves past the identifiers that it took.
void AddHandler(LPCWSTR classIdText, LPCWSTR path, ContextMenuSession* session, UINT* nextCommand) {
  if (session->handlerCount >= static_cast<int>(sizeof(session->handlers) / sizeof(session->handlers[0]))) return;
  GUID classId;
  WCHAR server[MAX_PATH];
  if (!ParseGuid(classIdText, &classId) || !ReadHandlerServer(classIdText, server)) {
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
  handler.firstCommand = *nextCommand;
  handler.queryResult = menu->QueryContextMenu(session->menu, 0, *nextCommand, kLastHandlerCommand, CMF_NORMAL);
  // A handler answers how many identifiers it took, as the code of a success.
  UINT taken = SUCCEEDED(handler.queryResult) ? LOWORD(static_cast<DWORD>(handler.queryResult)) : 0;
  if (taken > static_cast<UINT>(kLastHandlerCommand) + 1 - *nextCommand) taken = kLastHandlerCommand + 1 - *nextCommand;
  handler.commandCount = taken;
  *nextCommand += taken;
}

}  // namespace

BOOL OpenContextMenu(LPCWSTR path, ContextMenuSession* session) {
  session->menu = CreatePopupMenu();
  session->handlerCount = 0;
  session->handlersRefused = 0;
  if (session->menu == NULL) return FALSE;
  AppendMenuW(session->menu, MF_STRING, kCommandOpen, TEXT("Open"));
  AppendMenuW(session->menu, MF_STRING | MF_GRAYED, kCommandCut, TEXT("Cut"));
  AppendMenuW(session->menu, MF_STRING | MF_GRAYED, kCommandCopy, TEXT("Copy"));
  AppendMenuW(session->menu, MF_STRING, kCommandDelete, TEXT("Delete"));
  AppendMenuW(session->menu, MF_STRING, kCommandRename, TEXT("Rename"));

  DWORD attributes = RoutedGetFileAttributesW(path);
  BOOL folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  HKEY handlers = NULL;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, folder ? HANDLERS_OF_FOLDERS : HANDLERS_OF_FILES, 0, 0, &handlers) !=
      ERROR_SUCCESS) {
    return TRUE;
  }
  UINT nextCommand = kFirstHandlerCommand;
  for (DWORD index = 0;; ++index) {
    WCHAR classId[MAX_PATH];
    HandlerEntry entry = ReadHandlerClassId(handlers, index, classId, MAX_PATH);
    if (entry == kHandlerEnd) break;
    if (entry == kHandlerFound) {
      AddHandler(classId, path, session, &nextCommand);
    } else {
      ++session->handlersRefused;
    }
  }
  RegCloseKey(handlers);
  return TRUE;
}

BOOL InvokeHandlerCommand(ContextMenuSession* session, UINT command, HWND owner, HRESULT* result) {
  for (int i = 0; i < session->handlerCount; ++i) {
    LoadedHandler& handler = session->handlers[i];
    if (command < handler.firstCommand || command - handler.firstCommand >= handler.commandCount) continue;
    char verb[16];
    verb[0] = 0;
    if (FAILED(handler.menu->GetCommandString(command, GCS_VERBA, NULL, verb, sizeof(verb)))) return FALSE;
    verb[sizeof(verb) - 1] = 0;
    CMINVOKECOMMANDINFO invocation;
    memset(&invocation, 0, sizeof(invocation));
    invocation.cbSize = sizeof(invocation);
    invocation.hwnd = owner;
    invocation.lpVerb = verb;
    invocation.nShow = SW_SHOWNORMAL;
    HRESULT hr = handler.menu->InvokeCommand(&invocation);
    if (result != NULL) *result = hr;
    return TRUE;
  }
  return FALSE;
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
