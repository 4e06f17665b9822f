// The registry seen from outside the device, as a desktop registry tool would show it: values
// read from the live registry, the flush count and the registry file as it is on disk.
#include <fstream>
#include <sstream>

#include "cesim/automation.h"
#include "core/device.h"
#include "registry/store.h"
#include "sim/registry.h"

namespace cesim {

namespace {

// "HKEY_LOCAL_MACHINE\\Explorer" to its key; null when the root or a key is missing.
std::shared_ptr<detail::RegistryKey> KeyAt(const std::string& path) {
  const size_t slash = path.find('\\');
  const HKEY root = detail::RegistryRootByName(path.substr(0, slash));
  if (root == nullptr) return nullptr;
  const std::u16string below = slash == std::string::npos ? std::u16string() : Widen(path.substr(slash + 1));
  return detail::FindSubkey(detail::RegistryRoot(root), detail::SplitKeyPath(below));
}

}  // namespace

std::optional<RegistryValue> ReadRegistryValue(const std::string& key, const std::u16string& name) {
  std::shared_ptr<detail::RegistryKey> found = KeyAt(key);
  if (!found) return std::nullopt;
  const detail::RegistryValueEntry* value = detail::FindValue(*found, name);
  if (value == nullptr) return std::nullopt;
  RegistryValue result;
  result.type = value->type;
  result.data = value->data;
  return result;
}

std::optional<DWORD> ReadRegistryDword(const std::string& key, const std::u16string& name) {
  std::optional<RegistryValue> value = ReadRegistryValue(key, name);
  if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
  return static_cast<DWORD>(value->data[0] | (value->data[1] << 8) | (value->data[2] << 16) |
                            (static_cast<DWORD>(value->data[3]) << 24));
}

std::optional<std::u16string> ReadRegistryString(const std::string& key, const std::u16string& name) {
  std::optional<RegistryValue> value = ReadRegistryValue(key, name);
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return std::nullopt;
  // The text up to the first terminator, or all of it when the stored bytes have none.
  std::u16string text;
  for (size_t i = 0; i + 1 < value->data.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(value->data[i] | (value->data[i + 1] << 8));
    if (c == 0) break;
    text += c;
  }
  return text;
}

bool RegistryKeyExists(const std::string& key) { return KeyAt(key) != nullptr; }

int RegistryFlushCount() { return detail::RegistryFlushes(); }

std::string RegistryFileText() {
  if (detail::ImageFolder().empty()) return std::string();
  std::ifstream in(detail::ImageFolder() + "/registry.reg", std::ios::binary);
  if (!in) return std::string();
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace cesim
