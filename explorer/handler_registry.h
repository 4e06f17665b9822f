// The context menu handlers registered in HKEY_CLASSES_ROOT: for each kind of item ("*" for
// files, "Folder" for folders) a key "shellex\ContextMenuHandlers" whose subkeys name class
// identifiers, and for each class identifier the module under "CLSID\{...}\InprocServer32".
#ifndef FEXPLORE_HANDLER_REGISTRY_H
#define FEXPLORE_HANDLER_REGISTRY_H

#include "ceplatform.h"

#define HANDLERS_OF_FILES TEXT("*\\shellex\\ContextMenuHandlers")
#define HANDLERS_OF_FOLDERS TEXT("Folder\\shellex\\ContextMenuHandlers")

enum HandlerEntry {
  kHandlerEnd,         // no entry at that index
  kHandlerUnreadable,  // an entry whose default value is no class identifier text
  kHandlerFound
};

// The class identifier text of the index-th handler registered under `handlersKey` (one of the
// keys above, opened by the caller), into a buffer of `chars` characters.
HandlerEntry ReadHandlerClassId(HKEY handlersKey, DWORD index, WCHAR* classIdText, DWORD chars);

// The module path registered for a class identifier text, into a buffer of MAX_PATH characters.
BOOL ReadHandlerServer(LPCWSTR classIdText, WCHAR* server);

// The default value of a key as a terminated string that fits `chars` characters.
BOOL ReadDefaultString(HKEY root, LPCWSTR subkey, WCHAR* value, DWORD chars);

// Parses "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
BOOL ParseGuid(LPCWSTR text, GUID* guid);

#endif
