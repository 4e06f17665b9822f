// Storage volumes of the booted device. A [volumes] entry reads "free,total" and, optionally,
// "dirfilter" or "nodirfilter": by default the object store filters folder-only searches and a
// storage card, formatted as a card usually is, does not.
#include "files/volumes.h"

#include <cctype>
#include <cstdlib>
#include <map>

#include "cesim/automation.h"
#include "core/device.h"
#include "files/paths.h"

namespace cesim::detail {

namespace {

constexpr bool kObjectStoreFiltersFolders = true;
constexpr bool kVolumeFiltersFolders = false;

std::map<std::u16string, StorageVolume>& Volumes() {
  static std::map<std::u16string, StorageVolume> volumes;
  return volumes;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> Fields(const std::string& value) {
  std::vector<std::string> fields;
  std::string field;
  for (size_t i = 0; i <= value.size(); ++i) {
    if (i == value.size() || value[i] == ',') {
      size_t first = field.find_first_not_of(" \t");
      size_t last = field.find_last_not_of(" \t");
      fields.push_back(first == std::string::npos ? std::string() : field.substr(first, last - first + 1));
      field.clear();
    } else {
      field += value[i];
    }
  }
  return fields;
}

uint64_t Bytes(const std::string& field) {
  char* end = nullptr;
  const unsigned long long number = std::strtoull(field.c_str(), &end, 10);
  return end != nullptr && *end == 0 && !field.empty() ? number : 0;
}

StorageVolume ParseVolume(const std::u16string& key, const std::string& value) {
  StorageVolume volume;
  volume.key = key;
  volume.filtersFolders = key == u"\\" ? kObjectStoreFiltersFolders : kVolumeFiltersFolders;
  const std::vector<std::string> fields = Fields(value);
  if (fields.size() > 0) volume.freeBytes = Bytes(fields[0]);
  if (fields.size() > 1) volume.totalBytes = Bytes(fields[1]);
  for (size_t i = 2; i < fields.size(); ++i) {
    const std::string word = Lower(fields[i]);
    if (word == "dirfilter") volume.filtersFolders = true;
    if (word == "nodirfilter") volume.filtersFolders = false;
  }
  return volume;
}

bool IsAtOrBelow(const std::u16string& pathKey, const std::u16string& folderKey) {
  if (folderKey == u"\\") return true;
  if (pathKey.compare(0, folderKey.size(), folderKey) != 0) return false;
  return pathKey.size() == folderKey.size() || pathKey[folderKey.size()] == u'\\';
}

}  // namespace

void ResetStorageVolumes(Phase phase) {
  Volumes().clear();
  if (phase != Phase::Boot) return;
  for (const auto& entry : SettingSection("volumes")) {
    const std::u16string key = PathKey(Widen(entry.first));
    if (!key.empty()) Volumes()[key] = ParseVolume(key, entry.second);
  }
}

std::vector<std::u16string> MountFolderKeys() {
  std::vector<std::u16string> keys;
  for (const auto& entry : Volumes()) {
    if (entry.first != u"\\") keys.push_back(entry.first);
  }
  return keys;
}

StorageVolume VolumeOf(const std::u16string& pathKey) {
  const StorageVolume* innermost = nullptr;
  for (const auto& entry : Volumes()) {
    if (!IsAtOrBelow(pathKey, entry.first)) continue;
    if (innermost == nullptr || entry.first.size() > innermost->key.size()) innermost = &entry.second;
  }
  if (innermost != nullptr) return *innermost;
  // The object store as the image leaves it: no byte counts, filtering by default.
  return StorageVolume{std::u16string(1, u'\\'), 0, 0, kObjectStoreFiltersFolders};
}

}  // namespace cesim::detail
