// The CE-only attribute table of the booted device.
#include "files/attributes.h"

#include <cctype>
#include <cstdio>
#include <iterator>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "cesim/automation.h"
#include "core/device.h"
#include "core/parts.h"
#include "files/paths.h"
#include "files/volumes.h"
#include "sim/files.h"

namespace cesim::detail {

namespace {

constexpr DWORD kSettable =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

struct AttributeEntry {
  DWORD fromImage = 0;  // as the settings give them
  bool changed = false;
  DWORD settable = 0;  // after SetFileAttributesW
};

std::map<std::u16string, AttributeEntry>& Table() {
  static std::map<std::u16string, AttributeEntry> table;
  return table;
}

struct Word {
  const char* text;
  DWORD attribute;
};
constexpr Word kWords[] = {
    {"readonly", FILE_ATTRIBUTE_READONLY}, {"hidden", FILE_ATTRIBUTE_HIDDEN},
    {"system", FILE_ATTRIBUTE_SYSTEM},     {"rom", FILE_ATTRIBUTE_INROM},
    {"rommodule", FILE_ATTRIBUTE_ROMMODULE}, {"mount", FILE_ATTRIBUTE_TEMPORARY},
    {"temporary", FILE_ATTRIBUTE_TEMPORARY},
};

}  // namespace

void ResetFileAttributes(Phase phase) {
  Table().clear();
  if (phase != Phase::Boot) return;
  for (const auto& entry : SettingSection("attributes")) {
    const std::u16string key = PathKey(Widen(entry.first));
    if (!key.empty()) Table()[key].fromImage |= ParseAttributeWords(entry.second);
  }
  // A storage volume's folder is a mount folder.
  for (const StorageVolume& volume : MountedVolumes()) Table()[volume.key].fromImage |= FILE_ATTRIBUTE_TEMPORARY;
}

DWORD ParseAttributeWords(const std::string& words) {
  DWORD attributes = 0;
  std::string word;
  for (size_t i = 0; i <= words.size(); ++i) {
    const char c = i < words.size() ? words[i] : ',';
    if (c == ',' || c == '|' || std::isspace(static_cast<unsigned char>(c))) {
      if (word.empty()) continue;
      bool known = false;
      for (const Word& w : kWords) {
        if (word == w.text) {
          attributes |= w.attribute;
          known = true;
        }
      }
      if (!known && std::isdigit(static_cast<unsigned char>(word[0]))) {
        char* end = nullptr;
        const unsigned long number = std::strtoul(word.c_str(), &end, 0);
        if (end != nullptr && *end == 0) attributes |= static_cast<DWORD>(number);
      }
      word.clear();
    } else {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  return attributes;
}

std::string AttributeWords(DWORD attributes) {
  std::string words;
  const Word order[] = {{"rom", FILE_ATTRIBUTE_INROM},       {"rommodule", FILE_ATTRIBUTE_ROMMODULE},
                        {"readonly", FILE_ATTRIBUTE_READONLY}, {"hidden", FILE_ATTRIBUTE_HIDDEN},
                        {"system", FILE_ATTRIBUTE_SYSTEM},     {"mount", FILE_ATTRIBUTE_TEMPORARY}};
  for (const Word& w : order) {
    if (attributes & w.attribute) {
      if (!words.empty()) words += ',';
      words += w.text;
      attributes &= ~w.attribute;
    }
  }
  if (attributes != 0) {
    char number[16];
    std::snprintf(number, sizeof(number), "0x%x", attributes);
    if (!words.empty()) words += ',';
    words += number;
  }
  return words;
}

DWORD DeviceAttributes(const std::u16string& pathKey, bool isFolder) {
  DWORD attributes = isFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  auto it = Table().find(pathKey);
  if (it != Table().end()) {
    const AttributeEntry& entry = it->second;
    if (entry.changed) {
      attributes = (attributes & FILE_ATTRIBUTE_DIRECTORY) | entry.settable;
      attributes |= entry.fromImage & ~kSettable;
    } else {
      attributes |= entry.fromImage;
    }
    if (isFolder) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  }
  return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

void ChangeAttributes(const std::u16string& pathKey, DWORD attributes) {
  AttributeEntry& entry = Table()[pathKey];
  entry.changed = true;
  entry.settable = attributes & kSettable;
}

void MoveAttributes(const std::u16string& fromKey, const std::u16string& toKey) {
  ForgetAttributes(toKey);
  std::vector<std::pair<std::u16string, AttributeEntry>> moved;
  for (auto it = Table().begin(); it != Table().end();) {
    if (IsAtOrBelow(it->first, fromKey)) {
      moved.emplace_back(toKey + it->first.substr(fromKey.size()), it->second);
      it = Table().erase(it);
    } else {
      ++it;
    }
  }
  for (auto& entry : moved) Table()[entry.first] = entry.second;
}

void ForgetAttributes(const std::u16string& pathKey) {
  // The item and everything that was below it.
  auto it = Table().lower_bound(pathKey);
  while (it != Table().end() && it->first.compare(0, pathKey.size(), pathKey) == 0) {
    const bool below = it->first.size() == pathKey.size() || it->first[pathKey.size()] == u'\\';
    it = below ? Table().erase(it) : std::next(it);
  }
}

}  // namespace cesim::detail
