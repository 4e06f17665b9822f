// Reading the context menu handler registrations.
#include "handler_registry.h"

namespace {

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

HandlerEntry ReadHandlerClassId(HKEY handlersKey, DWORD index, WCHAR* classIdText, DWORD chars) {
  WCHAR name[MAX_PATH];
  DWORD nameChars = MAX_PATH;
  if (RegEnumKeyExW(handlersKey, index, name, &nameChars, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) return kHandlerEnd;
  GUID unused;
  if (!ReadDefaultString(handlersKey, name, classIdText, chars) || !ParseGuid(classIdText, &unused)) {
    return kHandlerUnreadable;
  }
  return kHandlerFound;
}

BOOL ReadHandlerServer(LPCWSTR classIdText, WCHAR* server) {
  if (classIdText == NULL || wcslen(classIdText) > 64) return FALSE;
  WCHAR key[MAX_PATH];
  _snwprintf(key, MAX_PATH - 1, TEXT("CLSID\\%s\\InprocServer32"), classIdText);
  key[MAX_PATH - 1] = 0;
  return ReadDefaultString(HKEY_CLASSES_ROOT, key, server, MAX_PATH);
}
