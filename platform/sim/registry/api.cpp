// The registry calls of the core library over the in-memory registry: key handles, values,
// enumeration and the flush, with the device's error codes.
#include <algorithm>
#include <cstring>
#include <map>

#include "core/parts.h"
#include "core/poison.h"
#include "registry/store.h"
#include "sim/registry.h"

namespace cesim::detail {
namespace {

// Open key handles. Values are never reused, so a closed handle, or one from before a reboot,
// stays invalid.
std::map<uintptr_t, std::shared_ptr<RegistryKey>>& Handles() {
  static std::map<uintptr_t, std::shared_ptr<RegistryKey>> handles;
  return handles;
}
uintptr_t nextHandle = 0x00A10000;

std::shared_ptr<RegistryKey> KeyOf(HKEY handle) {
  if (std::shared_ptr<RegistryKey> root = RegistryRoot(handle)) return root;
  auto it = Handles().find(reinterpret_cast<uintptr_t>(handle));
  return it == Handles().end() ? nullptr : it->second;
}

HKEY NewHandle(const std::shared_ptr<RegistryKey>& key) {
  nextHandle += 4;
  Handles()[nextHandle] = key;
  ++key->openHandles;
  return reinterpret_cast<HKEY>(nextHandle);
}

std::u16string Text(LPCWSTR text) { return text == nullptr ? std::u16string() : std::u16string(text); }

// Copies a name with its terminator into a buffer of *capacity characters; on success the count
// becomes the name's length without the terminator. A name that does not fit leaves the count
// alone; `undefinedWhenShort` says whether the buffer's contents are then documented as undefined.
LONG CopyName(const std::u16string& name, LPWSTR buffer, LPDWORD capacity, bool undefinedWhenShort) {
  if (name.size() + 1 > *capacity) {
    if (undefinedWhenShort) PoisonUndefinedOutput(buffer, static_cast<size_t>(*capacity) * sizeof(WCHAR));
    return ERROR_MORE_DATA;
  }
  std::memcpy(buffer, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
  *capacity = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

// Hands value data out as the query calls do: the size alone when there is no buffer,
// ERROR_MORE_DATA with the needed size when the buffer is too small; the buffer's contents are
// then undefined, and the whole of it is poisoned.
LONG CopyData(const RegistryValueEntry& value, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  const DWORD size = static_cast<DWORD>(value.data.size());
  if (lpType != nullptr) *lpType = value.type;
  if (lpData == nullptr) {
    if (lpcbData != nullptr) *lpcbData = size;
    return ERROR_SUCCESS;
  }
  if (*lpcbData < size) {
    PoisonUndefinedOutput(lpData, *lpcbData);
    *lpcbData = size;
    return ERROR_MORE_DATA;
  }
  if (size > 0) std::memcpy(lpData, value.data.data(), size);
  *lpcbData = size;
  return ERROR_SUCCESS;
}

bool IsUsableKeyName(const std::vector<std::u16string>& names) {
  for (const std::u16string& name : names) {
    if (name.find_first_of(u"\r\n") != std::u16string::npos) return false;
  }
  return true;
}

}  // namespace

void ResetRegistryHandles(Phase) {
  for (auto& entry : Handles()) entry.second->openHandles = 0;
  Handles().clear();
}

}  // namespace cesim::detail

using namespace cesim::detail;

LONG WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult) {
  if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  std::shared_ptr<RegistryKey> key = KeyOf(hKey);
  if (!key) return ERROR_INVALID_HANDLE;
  std::shared_ptr<RegistryKey> subkey = FindSubkey(key, SplitKeyPath(Text(lpSubKey)));
  if (!subkey) return ERROR_FILE_NOT_FOUND;
  *phkResult = NewHandle(subkey);
  return ERROR_SUCCESS;
}

LONG WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM,
                            LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
  if (phkResult == nullptr || lpSubKey == nullptr) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  std::shared_ptr<RegistryKey> key = KeyOf(hKey);
  if (!key) return ERROR_INVALID_HANDLE;
  const std::vector<std::u16string> names = SplitKeyPath(lpSubKey);
  if (!IsUsableKeyName(names)) return ERROR_INVALID_PARAMETER;
  bool created = false;
  std::shared_ptr<RegistryKey> subkey = CreateSubkey(key, names, &created);
  *phkResult = NewHandle(subkey);
  if (lpdwDisposition != nullptr) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

LONG WINAPI RegCloseKey(HKEY hKey) {
  if (RegistryRoot(hKey)) return ERROR_SUCCESS;
  auto it = Handles().find(reinterpret_cast<uintptr_t>(hKey));
  if (it == Handles().end()) return ERROR_INVALID_HANDLE;
  --it->second->openHandles;
  Handles().erase(it);
  return ERROR_SUCCESS;
}

LONG WINAPI RegFlushKey(HKEY hKey) {
  if (!KeyOf(hKey)) return ERROR_INVALID_HANDLE;
  return FlushRegistryFile() ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LONG WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
  if (lpSubKey == nullptr) return ERROR_INVALID_PARAMETER;
  std::shared_ptr<RegistryKey> key = KeyOf(hKey);
  if (!key) return ERROR_INVALID_HANDLE;
  std::shared_ptr<RegistryKey> doomed = FindSubkey(key, SplitKeyPath(lpSubKey));
  if (!doomed) return ERROR_FILE_NOT_FOUND;
  // The device deletes the key with all its subkeys, but not while a handle is open on any of
  // them (nor a root).
  if (doomed->parent == nullptr || HasOpenHandles(*doomed)) return ERROR_ACCESS_DENIED;
  RemoveChild(doomed->parent, doomed.get());
  return ERROR_SUCCESS;
}

LONG WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
  std::shared_ptr<RegistryKey> key = KeyOf(hKey);
  if (!key) return ERROR_INVALID_HANDLE;
  return RemoveValue(*key, Text(lpValueName)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                             LPBYTE lpData, LPDWORD lpcbData) {
  // Read without copying a key's share or a name: the Explorer reads settings at every message.
  const RegistryKey* key = RegistryRootKey(hKey);
  if (key == nullptr) {
    auto it = Handles().find(reinterpret_cast<uintptr_t>(hKey));
    if (it == Handles().end()) return ERROR_INVALID_HANDLE;
    key = it->second.get();
  }
  if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
  if (lpReserved != nullptr) {
    // The device's one-call form: the reserved argument names a subkey whose value is read.
    key = FindSubkeyByPath(*key, reinterpret_cast<LPCWSTR>(lpReserved));
    if (key == nullptr) return ERROR_FILE_NOT_FOUND;
  }
  const RegistryValueEntry* value =
      FindValueByName(*key, lpValueName == nullptr ? std::u16string_view() : std::u16string_view(lpValueName));
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  return CopyData(*value, lpType, lpData, lpcbData);
}

LONG WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                           DWORD cbData) {
  std::shared_ptr<RegistryKey> key = KeyOf(hKey);
  if (!key) return ERROR_INVALID_HANDLE;
  if (lpData == nullptr && cbData > 0) return ERROR_INVALID_PARAMETER;
  std::vector<uint8_t> data;
  if (cbData > 0) data.assign(lpData, lpData + cbData);
  SetValue(*key, Text(lpValueName), dwType, std::move(data));
  return ERROR_SUCCESS;
}

LONG WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD,
                          LPWSTR lpClass, LPDWORD lpcchClass, PFILETIME) {
  std::shared_ptr<RegistryKey> key = KeyOf(hKey);
  if (!key) return ERROR_INVALID_HANDLE;
  if (lpName == nullptr || lpcchName == nullptr) return ERROR_INVALID_PARAMETER;
  if (dwIndex >= key->children.size()) return ERROR_NO_MORE_ITEMS;
  // The reference says only that a name that does not fit gives ERROR_MORE_DATA: the buffer is left.
  const LONG result = CopyName(key->children[dwIndex]->name, lpName, lpcchName, false);
  if (result != ERROR_SUCCESS) return result;
  // Keys carry no class text on the device.
  if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0) lpClass[0] = 0;
  if (lpcchClass != nullptr) *lpcchClass = 0;
  return ERROR_SUCCESS;
}

LONG WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                          LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  std::shared_ptr<RegistryKey> key = KeyOf(hKey);
  if (!key) return ERROR_INVALID_HANDLE;
  if (lpValueName == nullptr || lpcchValueName == nullptr) return ERROR_INVALID_PARAMETER;
  if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
  if (dwIndex >= key->values.size()) return ERROR_NO_MORE_ITEMS;
  const RegistryValueEntry& value = key->values[dwIndex];
  // A value name that does not fit leaves the name buffer undefined, as the reference says.
  const LONG result = CopyName(value.name, lpValueName, lpcchValueName, true);
  if (result != ERROR_SUCCESS) return result;
  return CopyData(value, lpType, lpData, lpcbData);
}

LONG WINAPI RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD,
                             LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen,
                             LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                             LPDWORD lpcbSecurityDescriptor, PFILETIME) {
  std::shared_ptr<RegistryKey> key = KeyOf(hKey);
  if (!key) return ERROR_INVALID_HANDLE;
  DWORD longestSubkey = 0;
  for (const std::shared_ptr<RegistryKey>& child : key->children) {
    longestSubkey = std::max(longestSubkey, static_cast<DWORD>(child->name.size()));
  }
  DWORD longestName = 0;
  DWORD largestData = 0;
  for (const RegistryValueEntry& value : key->values) {
    longestName = std::max(longestName, static_cast<DWORD>(value.name.size()));
    largestData = std::max(largestData, static_cast<DWORD>(value.data.size()));
  }
  if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0) lpClass[0] = 0;
  if (lpcchClass != nullptr) *lpcchClass = 0;
  if (lpcSubKeys != nullptr) *lpcSubKeys = static_cast<DWORD>(key->children.size());
  if (lpcbMaxSubKeyLen != nullptr) *lpcbMaxSubKeyLen = longestSubkey;
  if (lpcbMaxClassLen != nullptr) *lpcbMaxClassLen = 0;
  if (lpcValues != nullptr) *lpcValues = static_cast<DWORD>(key->values.size());
  if (lpcbMaxValueNameLen != nullptr) *lpcbMaxValueNameLen = longestName;
  if (lpcbMaxValueLen != nullptr) *lpcbMaxValueLen = largestData;
  if (lpcbSecurityDescriptor != nullptr) *lpcbSecurityDescriptor = 0;
  return ERROR_SUCCESS;
}
