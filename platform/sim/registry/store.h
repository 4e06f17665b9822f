// The device's registry in memory: four root keys, each a tree of keys with named values;
// names compared without letter case and kept as written. The REGEDIT4 text of the image's
// registry.reg is read into it at boot and written back from it on a flush.
#ifndef CESIM_REGISTRY_STORE_H
#define CESIM_REGISTRY_STORE_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/parts.h"
#include "sim/registry.h"

namespace cesim::detail {

struct RegistryValueEntry {
  std::u16string name;  // empty: the key's default value
  DWORD type = REG_NONE;
  std::vector<uint8_t> data;
};

struct RegistryKey {
  std::u16string name;
  RegistryKey* parent = nullptr;
  std::vector<std::shared_ptr<RegistryKey>> children;  // in creation order
  std::vector<RegistryValueEntry> values;              // in creation order
  int openHandles = 0;
};

// Lookups for the read path, which allocate nothing: the key named by a path of names separated
// by "\" below a key (the key itself for an empty path), and a value by name; null when missing.
const RegistryKey* FindSubkeyByPath(const RegistryKey& key, std::u16string_view path);
const RegistryValueEntry* FindValueByName(const RegistryKey& key, std::u16string_view name);
// The key of a predefined root, without sharing it.
const RegistryKey* RegistryRootKey(HKEY predefined);

// The root key for a predefined handle, or null.
std::shared_ptr<RegistryKey> RegistryRoot(HKEY predefined);
// Its name as the REGEDIT4 text writes it ("HKEY_LOCAL_MACHINE"), or empty.
std::string RegistryRootName(HKEY predefined);
// The predefined handle for a root name, or null.
HKEY RegistryRootByName(const std::string& name);
// The roots in the order in which the registry file lists them.
const std::vector<HKEY>& RegistryRootHandles();

// Splits "a\\b\\c" into names; repeated separators are ignored.
std::vector<std::u16string> SplitKeyPath(const std::u16string& path);

std::shared_ptr<RegistryKey> FindSubkey(const std::shared_ptr<RegistryKey>& key,
                                        const std::vector<std::u16string>& names);
// Finds or creates the subkey and its missing ancestors; `created` tells whether the last name
// was new.
std::shared_ptr<RegistryKey> CreateSubkey(const std::shared_ptr<RegistryKey>& key,
                                          const std::vector<std::u16string>& names, bool* created);
// Removes a child key with everything below it.
void RemoveChild(RegistryKey* parent, const RegistryKey* child);
// Whether a handle is open on the key or on any key below it.
bool HasOpenHandles(const RegistryKey& key);

RegistryValueEntry* FindValue(RegistryKey& key, const std::u16string& name);
void SetValue(RegistryKey& key, const std::u16string& name, DWORD type, std::vector<uint8_t> data);
bool RemoveValue(RegistryKey& key, const std::u16string& name);

// Empties the registry, then reads REGEDIT4 text into it; malformed lines are skipped.
void LoadRegistryText(const std::string& text);
// The whole registry as REGEDIT4 text.
std::string RegistryText();

// Empties all four roots.
void ClearRegistry();

// Writes the registry file of the booted image; false when it cannot be written.
bool FlushRegistryFile();
int RegistryFlushes();
void ResetRegistryFlushes();

// The registry's parts of the device: the open key handles (all closed at boot and shutdown) and
// the keys and values (read from the image's registry.reg at boot, emptied at shutdown).
void ResetRegistryHandles(Phase phase);
void ResetRegistry(Phase phase);

}  // namespace cesim::detail

#endif
