// File types in HKEY_CLASSES_ROOT, read through the device's own registry calls.
#include "shell/file_types.h"

#include <vector>

#include "sim/crt.h"
#include "sim/registry.h"

namespace cesim::detail {

namespace {

// No class value that the shell reads is longer than this many characters.
constexpr DWORD kLongestValue = 1024;

}  // namespace

std::u16string LastName(const std::u16string& path) {
  const size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

std::u16string ExtensionOf(const std::u16string& path) { return std::u16string(ExtensionIn(path)); }

std::u16string_view ExtensionIn(std::u16string_view path) {
  const size_t slash = path.find_last_of(u'\\');
  const std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of(u'.');
  return dot == std::u16string_view::npos ? std::u16string_view() : name.substr(dot);
}

std::optional<std::u16string> ClassesDefaultText(const std::u16string& subkey) {
  if (subkey.empty()) return std::nullopt;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  std::vector<WCHAR> data(kLongestValue + 1, 0);
  DWORD type = 0;
  DWORD size = kLongestValue * sizeof(WCHAR);
  const LONG result = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(data.data()), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  std::u16string text(data.data(), size / sizeof(WCHAR));
  while (!text.empty() && text.back() == 0) text.pop_back();
  const size_t end = text.find(u'\0');
  if (end != std::u16string::npos) text.resize(end);
  return text;
}

bool ExtensionIsRegistered(const std::u16string& extension) {
  if (extension.size() < 2) return false;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::u16string TypeOfExtension(const std::u16string& extension) {
  if (extension.size() < 2) return std::u16string();
  return ClassesDefaultText(extension).value_or(std::u16string());
}

std::u16string FileTypeName(const std::u16string& path) {
  const std::u16string extension = ExtensionOf(path);
  if (extension.size() < 2) return u"File";
  const std::u16string type = TypeOfExtension(extension);
  if (!type.empty()) {
    std::optional<std::u16string> description = ClassesDefaultText(type);
    if (description && !description->empty()) return *description;
  }
  std::u16string name;
  for (size_t i = 1; i < extension.size(); ++i) name.push_back(towupper(extension[i]));
  return name + u" File";
}

}  // namespace cesim::detail
