// The registry values that the steps show: the Explorer's settings, last folders and path history,
// every value below a key (HKEY_CLASSES_ROOT's file types and their commands), and what a step
// changed of them.
#include <cstdio>
#include <optional>
#include <vector>

#include "cesim/automation.h"
#include "steps.h"

namespace fexplore_sim {
namespace {

const char kExplorerKey[] = "HKEY_LOCAL_MACHINE\\Explorer";
const char kUserKey[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer";
const char kHistoryKey[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer\\DialogMRU";
const char kClassesRoot[] = "HKEY_CLASSES_ROOT";

struct WatchedValue {
  const char* key;
  const char16_t* name;
};
const WatchedValue kWatched[] = {
    {kExplorerKey, u"ShowExt"},   {kExplorerKey, u"Preview"},      {kExplorerKey, u"ViewAll"},
    {kExplorerKey, u"ListStyle"}, {kExplorerKey, u"ClumnWidth"},   {kExplorerKey, u"ClumnWidthLS"},
    {kUserKey, u"LastLocation"},  {kUserKey, u"LocalPath"},        {kUserKey, u"StorageCardPath"},
    {kUserKey, u"NetWorkPath"},   {kHistoryKey, u"MRUList"},       {kHistoryKey, u"a"},
    {kHistoryKey, u"b"},          {kHistoryKey, u"c"},             {kHistoryKey, u"d"},
    {kHistoryKey, u"e"},          {kHistoryKey, u"f"},             {kHistoryKey, u"g"},
    {kHistoryKey, u"h"},          {kHistoryKey, u"i"},             {kHistoryKey, u"j"},
};

// The Explorer's column-width records, shown as their four widths.
bool IsColumnWidths(const char16_t* name) {
  return std::u16string(name) == u"ClumnWidth" || std::u16string(name) == u"ClumnWidthLS";
}

struct Root {
  const char* name;
  HKEY key;
};
const Root kRoots[] = {{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                       {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                       {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                       {"HKEY_USERS", HKEY_USERS}};

// Deeper keys than this are not listed; no key of the device's registry lies so deep.
const int kDeepestKey = 32;

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%X", value);
  return text;
}

// A value's data as the user would want to read it: numbers (and style bits in hexadecimal),
// texts in quotes, a column-width record as its four widths, anything else as its bytes.
std::string Describe(const cesim::RegistryValue& value, bool columnWidths) {
  const std::vector<uint8_t>& data = value.data;
  if (value.type == REG_DWORD && data.size() == 4) {
    unsigned number = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<unsigned>(data[3]) << 24);
    return number > 9 ? std::to_string(number) + " (" + Hex(number) + ")" : std::to_string(number);
  }
  if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
    std::u16string text;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
      char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
      if (c == 0) break;
      text.push_back(c);
    }
    return "\"" + cesim::Narrow(text) + "\"";
  }
  if (columnWidths && value.type == REG_BINARY && data.size() == 8) {
    std::string widths = "widths";
    for (size_t i = 0; i < 8; i += 2) widths += " " + std::to_string(data[i] | (data[i + 1] << 8));
    return widths;
  }
  std::string bytes = "type " + std::to_string(value.type) + ",";
  for (uint8_t byte : data) {
    char text[4];
    std::snprintf(text, sizeof(text), " %02x", byte);
    bytes += text;
  }
  return bytes;
}

// A value's entry name: the key, then the value's name in quotes, or "@" for the key's default
// value, as the image's registry.reg writes it.
std::string EntryName(const std::string& key, const std::u16string& value) {
  return key + (value.empty() ? std::string(" @") : " \"" + cesim::Narrow(value) + "\"");
}

// Every value of an open key and of the keys below it, read through the device's registry calls
// as a registry viewer on the device reads them.
void ListKey(HKEY key, const std::string& name, int depth, RegistrySnapshot* snapshot) {
  DWORD subkeys = 0;
  DWORD longestSubkey = 0;
  DWORD values = 0;
  DWORD longestValueName = 0;
  DWORD largestData = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr, &values,
                       &longestValueName, &largestData, nullptr, nullptr) != ERROR_SUCCESS) {
    return;
  }
  std::vector<WCHAR> valueName(longestValueName + 1, 0);
  std::vector<BYTE> data(largestData + 1, 0);
  for (DWORD i = 0; i < values; ++i) {
    DWORD nameLength = static_cast<DWORD>(valueName.size());
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    if (RegEnumValueW(key, i, valueName.data(), &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
      continue;
    }
    cesim::RegistryValue value;
    value.type = type;
    value.data.assign(data.begin(), data.begin() + size);
    (*snapshot)[EntryName(name, std::u16string(valueName.data(), nameLength))] = Describe(value, false);
  }
  if (depth >= kDeepestKey) return;
  std::vector<WCHAR> subkeyName(longestSubkey + 1, 0);
  for (DWORD i = 0; i < subkeys; ++i) {
    DWORD nameLength = static_cast<DWORD>(subkeyName.size());
    if (RegEnumKeyExW(key, i, subkeyName.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      continue;
    }
    const std::u16string subkey(subkeyName.data(), nameLength);
    HKEY child = nullptr;
    if (RegOpenKeyExW(key, subkey.c_str(), 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
    ListKey(child, name + "\\" + cesim::Narrow(subkey), depth + 1, snapshot);
    RegCloseKey(child);
  }
}

}  // namespace

RegistrySnapshot ReadExplorerRegistry() {
  RegistrySnapshot snapshot;
  for (const WatchedValue& watched : kWatched) {
    std::optional<cesim::RegistryValue> value = cesim::ReadRegistryValue(watched.key, watched.name);
    if (!value) continue;
    snapshot[EntryName(watched.key, watched.name)] = Describe(*value, IsColumnWidths(watched.name));
  }
  return snapshot;
}

bool ReadRegistryTree(const std::string& key, RegistrySnapshot* snapshot) {
  const size_t slash = key.find('\\');
  const std::string rootName = key.substr(0, slash);
  const std::string below = slash == std::string::npos ? std::string() : key.substr(slash + 1);
  for (const Root& root : kRoots) {
    if (rootName != root.name) continue;
    if (below.empty()) {
      ListKey(root.key, root.name, 0, snapshot);
      return true;
    }
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root.key, cesim::Widen(below).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    ListKey(opened, key, 0, snapshot);
    RegCloseKey(opened);
    return true;
  }
  return false;
}

RegistrySnapshot ReadWatchedRegistry() {
  RegistrySnapshot snapshot = ReadExplorerRegistry();
  ReadRegistryTree(kClassesRoot, &snapshot);
  return snapshot;
}

void PrintRegistryChanges(const RegistrySnapshot& before, const RegistrySnapshot& after, std::ostream& out) {
  for (const auto& [name, data] : after) {
    auto old = before.find(name);
    if (old == before.end()) {
      out << "  Registry: " << name << " = " << data << " (new)\n";
    } else if (old->second != data) {
      out << "  Registry: " << name << " = " << data << " (was " << old->second << ")\n";
    }
  }
  for (const auto& [name, data] : before) {
    if (after.find(name) == after.end()) out << "  Registry: " << name << " removed (was " << data << ")\n";
  }
}

}  // namespace fexplore_sim
