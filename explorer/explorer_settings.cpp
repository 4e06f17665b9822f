// The Explorer's settings in its registry keys.
#include "explorer_settings.h"

#include "import_routing.h"

namespace {

const WCHAR* const kLocationValues[] = {TEXT("LocalPath"), TEXT("StorageCardPath"), TEXT("NetWorkPath")};

HKEY CreateKey(HKEY root, LPCWSTR subkey) {
  HKEY key = NULL;
  DWORD disposition = 0;
  if (RegCreateKeyExW(root, subkey, 0, NULL, 0, 0, NULL, &key, &disposition) != ERROR_SUCCESS) return NULL;
  return key;
}

}  // namespace

DWORD ReadDwordValue(HKEY root, LPCWSTR subkey, LPCWSTR name, DWORD fallback) {
  HKEY key = NULL;
  if (RegOpenKeyExW(root, subkey, 0, 0, &key) != ERROR_SUCCESS) return fallback;
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof(value);
  LONG status = RegQueryValueExW(key, name, NULL, &type, reinterpret_cast<LPBYTE>(&value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) return fallback;
  return value;
}

BOOL ReadPathValue(HKEY root, LPCWSTR subkey, LPCWSTR name, WCHAR* path) {
  HKEY key = NULL;
  if (RegOpenKeyExW(root, subkey, 0, 0, &key) != ERROR_SUCCESS) return FALSE;
  WCHAR value[MAX_PATH];
  DWORD type = 0;
  DWORD size = sizeof(value);
  LONG status = RegQueryValueExW(key, name, NULL, &type, reinterpret_cast<LPBYTE>(value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ || size < sizeof(WCHAR)) return FALSE;
  DWORD length = size / sizeof(WCHAR);
  if (value[length - 1] != 0) {
    if (length >= MAX_PATH) return FALSE;
    value[length] = 0;
  }
  memcpy(path, value, MAX_PATH * sizeof(WCHAR));
  return TRUE;
}

BOOL ReadViewAll() { return ReadDwordValue(HKEY_LOCAL_MACHINE, EXPLORER_MACHINE_KEY, TEXT("ViewAll"), 0) != 0; }

void ToggleViewAll() {
  DWORD value = ReadViewAll() ? 0 : 1;
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE, EXPLORER_MACHINE_KEY);
  if (key == NULL) return;
  RegSetValueExW(key, TEXT("ViewAll"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegFlushKey(key);
  RegCloseKey(key);
}

LocationKind LocationKindOf(LPCWSTR folder) {
  if (folder == NULL) return kLocationLocal;
  if (folder[0] == TEXT('\\') && folder[1] == TEXT('\\')) return kLocationNetwork;
  if (folder[0] != TEXT('\\') || folder[1] == 0) return kLocationLocal;
  // The first component below the root: a mount folder is a storage card.
  WCHAR top[MAX_PATH];
  size_t length = wcscspn(folder + 1, TEXT("\\")) + 1;
  if (length >= MAX_PATH) return kLocationLocal;
  memcpy(top, folder, length * sizeof(WCHAR));
  top[length] = 0;
  DWORD attributes = RoutedGetFileAttributesW(top);
  if (attributes == INVALID_FILE_ATTRIBUTES) return kLocationLocal;
  const DWORD mountFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
  return (attributes & mountFolder) == mountFolder ? kLocationStorageCard : kLocationLocal;
}

void StoreLastLocation(LPCWSTR folder) {
  size_t length = folder != NULL ? wcslen(folder) : 0;
  if (length == 0 || length >= MAX_PATH) return;
  DWORD kind = static_cast<DWORD>(LocationKindOf(folder));
  HKEY key = CreateKey(HKEY_CURRENT_USER, EXPLORER_USER_KEY);
  if (key == NULL) return;
  RegSetValueExW(key, kLocationValues[kind], 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                 static_cast<DWORD>((length + 1) * sizeof(WCHAR)));
  RegSetValueExW(key, TEXT("LastLocation"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&kind), sizeof(kind));
  RegCloseKey(key);
}

BOOL ReadLastLocation(WCHAR* folder) {
  DWORD kind = ReadDwordValue(HKEY_CURRENT_USER, EXPLORER_USER_KEY, TEXT("LastLocation"), kLocationLocal);
  if (kind > kLocationNetwork) return FALSE;
  return ReadPathValue(HKEY_CURRENT_USER, EXPLORER_USER_KEY, kLocationValues[kind], folder);
}
