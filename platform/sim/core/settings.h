// device.ini as text: sections of key=value lines. Shared by the booted device, which reads the
// image's file, and by the image builder, which merges into an existing one.
#ifndef CESIM_CORE_SETTINGS_H
#define CESIM_CORE_SETTINGS_H

#include <string>
#include <utility>
#include <vector>

namespace cesim::detail {

struct SettingsSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> entries;  // in file order, later ones win
};

// Parses the text. Blank lines, comments (";" or "#" first), lines outside a section, lines
// without "=" and lines with an empty key are ignored; keys and values are trimmed.
std::vector<SettingsSection> ParseSettings(const std::string& text);

// Whether two keys name the same entry: device paths (starting with "\\") as device paths,
// other keys without ASCII letter case.
bool SameSettingKey(const std::string& a, const std::string& b);
bool SameSectionName(const std::string& a, const std::string& b);

}  // namespace cesim::detail

#endif
