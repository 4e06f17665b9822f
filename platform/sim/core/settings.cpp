// Parsing of device.ini, forgiving as a device's boot is: a bad line is skipped, never fatal.
#include "core/settings.h"

#include <cctype>

#include "cesim/automation.h"
#include "files/paths.h"

namespace cesim::detail {

namespace {

std::string Trim(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
  return text.substr(first, last - first);
}

bool SameAsciiNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

std::vector<SettingsSection> ParseSettings(const std::string& text) {
  std::vector<SettingsSection> sections;
  SettingsSection* current = nullptr;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      const size_t close = line.find(']');
      const std::string name = close == std::string::npos ? std::string() : Trim(line.substr(1, close - 1));
      if (name.empty()) {
        current = nullptr;  // a broken header: its lines belong to no section
        continue;
      }
      current = nullptr;
      for (SettingsSection& section : sections) {
        if (SameSectionName(section.name, name)) current = &section;
      }
      if (current == nullptr) {
        sections.push_back(SettingsSection{name, {}});
        current = &sections.back();
      }
      continue;
    }
    const size_t equals = line.find('=');
    if (current == nullptr || equals == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, equals));
    if (key.empty()) continue;
    current->entries.emplace_back(key, Trim(line.substr(equals + 1)));
  }
  return sections;
}

bool SameSettingKey(const std::string& a, const std::string& b) {
  const bool aPath = !a.empty() && (a[0] == '\\' || a[0] == '/');
  const bool bPath = !b.empty() && (b[0] == '\\' || b[0] == '/');
  if (aPath != bPath) return false;
  if (!aPath) return SameAsciiNoCase(a, b);
  const std::u16string aKey = PathKey(Widen(a));
  return !aKey.empty() && aKey == PathKey(Widen(b));
}

bool SameSectionName(const std::string& a, const std::string& b) { return SameAsciiNoCase(a, b); }

}  // namespace cesim::detail
