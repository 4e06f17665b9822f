// The registry's keys and values in memory, its four roots, and its life with the device:
// loaded from registry.reg at boot, written back on a flush, emptied at shutdown.
#include "registry/store.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/case_fold.h"
#include "core/device.h"
#include "core/parts.h"
#include "files/paths.h"
#include "sim/registry.h"

namespace cesim::detail {

namespace {

struct RootEntry {
  HKEY handle;
  const char* name;
  std::shared_ptr<RegistryKey> key;
};

std::vector<RootEntry>& Roots() {
  static std::vector<RootEntry> roots = {
      {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", std::make_shared<RegistryKey>()},
      {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", std::make_shared<RegistryKey>()},
      {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", std::make_shared<RegistryKey>()},
      {HKEY_USERS, "HKEY_USERS", std::make_shared<RegistryKey>()},
  };
  return roots;
}

int flushes = 0;

// The read path's last look-up of each kind, kept until the registry's keys or values change
// (every change of a key's children or values counts one up): a program that reads the same
// setting at every message looks it up once. Only names of up to kRememberedLength units are
// kept, in place, so that the read path still allocates nothing.
constexpr size_t kRememberedLength = 64;
uint64_t registryChanges = 0;

struct RememberedLookUp {
  uint64_t changes = ~uint64_t(0);
  const void* in = nullptr;
  size_t length = 0;
  char16_t text[kRememberedLength] = {};
  const void* found = nullptr;

  bool Holds(const void* where, std::u16string_view name) const {
    return changes == registryChanges && in == where && length == name.size() &&
           std::char_traits<char16_t>::compare(text, name.data(), length) == 0;
  }
  void Keep(const void* where, std::u16string_view name, const void* result) {
    if (name.size() > kRememberedLength) return;
    changes = registryChanges;
    in = where;
    length = name.size();
    std::char_traits<char16_t>::copy(text, name.data(), length);
    found = result;
  }
};

RememberedLookUp lastSubkey;
RememberedLookUp lastValue;

const RegistryKey* FindSubkeyByPathNow(const RegistryKey& key, std::u16string_view path) {
  const RegistryKey* current = &key;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos) end = path.size();
    std::u16string_view name = path.substr(start, end - start);
    start = end + 1;
    if (name.empty()) continue;  // empty components are skipped, as SplitKeyPath does
    const RegistryKey* next = nullptr;
    for (const std::shared_ptr<RegistryKey>& child : current->children) {
      if (SameFolded(child->name, name)) {
        next = child.get();
        break;
      }
    }
    if (next == nullptr) return nullptr;
    current = next;
  }
  return current;
}

std::string RegistryFilePath() {
  const std::string& image = ImageFolder();
  return image.empty() ? std::string() : image + "/registry.reg";
}

}  // namespace

void ResetRegistry(Phase phase) {
  ClearRegistry();
  ResetRegistryFlushes();
  if (phase != Phase::Boot) return;
  std::ifstream in(RegistryFilePath(), std::ios::binary);
  if (!in) return;  // no registry file: the device starts with an empty registry
  std::ostringstream text;
  text << in.rdbuf();
  LoadRegistryText(text.str());
}

std::shared_ptr<RegistryKey> RegistryRoot(HKEY predefined) {
  for (const RootEntry& root : Roots()) {
    if (root.handle == predefined) return root.key;
  }
  return nullptr;
}

const RegistryKey* RegistryRootKey(HKEY predefined) {
  // The four predefined handles are consecutive numbers: a read finds its root without a search.
  const uintptr_t first = reinterpret_cast<uintptr_t>(HKEY_CLASSES_ROOT);
  const uintptr_t number = reinterpret_cast<uintptr_t>(predefined);
  if (number < first || number - first > 3) return nullptr;
  static const size_t kRootOfHandle[4] = {2, 1, 0, 3};  // Roots() lists HKLM, HKCU, HKCR, HKU
  const RootEntry& root = Roots()[kRootOfHandle[number - first]];
  return root.handle == predefined ? root.key.get() : nullptr;
}

const RegistryKey* FindSubkeyByPath(const RegistryKey& key, std::u16string_view path) {
  if (lastSubkey.Holds(&key, path)) return static_cast<const RegistryKey*>(lastSubkey.found);
  const RegistryKey* found = FindSubkeyByPathNow(key, path);
  lastSubkey.Keep(&key, path, found);
  return found;
}

const RegistryValueEntry* FindValueByName(const RegistryKey& key, std::u16string_view name) {
  if (lastValue.Holds(&key, name)) return static_cast<const RegistryValueEntry*>(lastValue.found);
  const RegistryValueEntry* found = nullptr;
  for (const RegistryValueEntry& value : key.values) {
    if (SameFolded(value.name, name)) {
      found = &value;
      break;
    }
  }
  lastValue.Keep(&key, name, found);
  return found;
}


std::string RegistryRootName(HKEY predefined) {
  for (const RootEntry& root : Roots()) {
    if (root.handle == predefined) return root.name;
  }
  return std::string();
}

HKEY RegistryRootByName(const std::string& name) {
  for (const RootEntry& root : Roots()) {
    if (name.size() != std::string(root.name).size()) continue;
    bool same = true;
    for (size_t i = 0; i < name.size() && same; ++i) {
      same = std::toupper(static_cast<unsigned char>(name[i])) == root.name[i];
    }
    if (same) return root.handle;
  }
  return nullptr;
}

const std::vector<HKEY>& RegistryRootHandles() {
  static const std::vector<HKEY> handles = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER,
                                            HKEY_CLASSES_ROOT, HKEY_USERS};
  return handles;
}

std::vector<std::u16string> SplitKeyPath(const std::u16string& path) {
  std::vector<std::u16string> names;
  std::u16string current;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == u'\\') {
      if (!current.empty()) names.push_back(current);
      current.clear();
    } else {
      current += path[i];
    }
  }
  return names;
}

std::shared_ptr<RegistryKey> FindSubkey(const std::shared_ptr<RegistryKey>& key,
                                        const std::vector<std::u16string>& names) {
  std::shared_ptr<RegistryKey> current = key;
  for (const std::u16string& name : names) {
    std::shared_ptr<RegistryKey> next;
    for (const std::shared_ptr<RegistryKey>& child : current->children) {
      if (SameName(child->name, name)) {
        next = child;
        break;
      }
    }
    if (!next) return nullptr;
    current = next;
  }
  return current;
}

std::shared_ptr<RegistryKey> CreateSubkey(const std::shared_ptr<RegistryKey>& key,
                                          const std::vector<std::u16string>& names, bool* created) {
  std::shared_ptr<RegistryKey> current = key;
  bool madeLast = false;
  for (const std::u16string& name : names) {
    std::shared_ptr<RegistryKey> next = FindSubkey(current, {name});
    madeLast = !next;
    if (!next) {
      next = std::make_shared<RegistryKey>();
      next->name = name;
      next->parent = current.get();
      current->children.push_back(next);
      ++registryChanges;
    }
    current = next;
  }
  if (created != nullptr) *created = madeLast;
  return current;
}

void RemoveChild(RegistryKey* parent, const RegistryKey* child) {
  for (auto it = parent->children.begin(); it != parent->children.end(); ++it) {
    if (it->get() == child) {
      (*it)->parent = nullptr;
      parent->children.erase(it);
      ++registryChanges;
      return;
    }
  }
}

bool HasOpenHandles(const RegistryKey& key) {
  if (key.openHandles > 0) return true;
  for (const std::shared_ptr<RegistryKey>& child : key.children) {
    if (HasOpenHandles(*child)) return true;
  }
  return false;
}

RegistryValueEntry* FindValue(RegistryKey& key, const std::u16string& name) {
  for (RegistryValueEntry& value : key.values) {
    if (SameName(value.name, name)) return &value;
  }
  return nullptr;
}

void SetValue(RegistryKey& key, const std::u16string& name, DWORD type, std::vector<uint8_t> data) {
  if (RegistryValueEntry* existing = FindValue(key, name)) {
    existing->type = type;
    existing->data = std::move(data);
    return;
  }
  key.values.push_back(RegistryValueEntry{name, type, std::move(data)});
  ++registryChanges;
}

bool RemoveValue(RegistryKey& key, const std::u16string& name) {
  for (auto it = key.values.begin(); it != key.values.end(); ++it) {
    if (SameName(it->name, name)) {
      key.values.erase(it);
      ++registryChanges;
      return true;
    }
  }
  return false;
}

void ClearRegistry() {
  ++registryChanges;
  for (RootEntry& root : Roots()) {
    for (const std::shared_ptr<RegistryKey>& child : root.key->children) child->parent = nullptr;
    root.key = std::make_shared<RegistryKey>();
  }
}

bool FlushRegistryFile() {
  const std::string path = RegistryFilePath();
  if (path.empty()) return false;
  // Written beside the file and renamed over it, so a failed write never leaves half a registry.
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << RegistryText();
    out.flush();
    if (!out) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  ++flushes;
  return true;
}

int RegistryFlushes() { return flushes; }

void ResetRegistryFlushes() { flushes = 0; }

}  // namespace cesim::detail
