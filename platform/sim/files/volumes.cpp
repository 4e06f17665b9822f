// Storage volumes of the booted device, and GetDiskFreeSpaceExW over them. A [volumes] entry
// reads "free,total" and, optionally, "dirfilter" or "nodirfilter": by default the object store
// filters folder-only searches and a storage card, formatted as a card usually is, does not.
#include "files/volumes.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <optional>

#include "cesim/automation.h"
#include "core/device.h"
#include "files/items.h"
#include "files/paths.h"
#include "sim/core.h"
#include "sim/files.h"

namespace cesim::detail {

namespace {

constexpr bool kObjectStoreFiltersFolders = true;
constexpr bool kVolumeFiltersFolders = false;

struct Volumes {
  std::map<std::u16string, StorageVolume> mounted;
  StorageVolume objectStore;
};

Volumes& State() {
  static Volumes volumes;
  return volumes;
}

StorageVolume DefaultObjectStore() {
  StorageVolume store;
  store.key.assign(1, u'\\');
  store.freeBytes = kDefaultObjectStoreFree;
  store.totalBytes = kDefaultObjectStoreTotal;
  store.filtersFolders = kObjectStoreFiltersFolders;
  return store;
}

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::vector<std::string> Fields(const std::string& value) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t comma = value.find(',', start);
    fields.push_back(Trimmed(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

std::optional<uint64_t> WholeNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (errno != 0) return std::nullopt;
  return static_cast<uint64_t>(value);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// "free,total[,dirfilter|nodirfilter]"; nothing when the byte counts are not two whole numbers
// with free not above total.
std::optional<StorageVolume> ParseVolume(const std::u16string& key, const std::string& value) {
  const std::vector<std::string> fields = Fields(value);
  if (fields.size() < 2) return std::nullopt;
  std::optional<uint64_t> freeBytes = WholeNumber(fields[0]);
  std::optional<uint64_t> totalBytes = WholeNumber(fields[1]);
  if (!freeBytes || !totalBytes || *freeBytes > *totalBytes) return std::nullopt;
  StorageVolume volume;
  volume.key = key;
  volume.freeBytes = *freeBytes;
  volume.totalBytes = *totalBytes;
  volume.filtersFolders = volume.objectStore() ? kObjectStoreFiltersFolders : kVolumeFiltersFolders;
  for (size_t i = 2; i < fields.size(); ++i) {
    const std::string word = Lower(fields[i]);
    if (word == "dirfilter") volume.filtersFolders = true;
    if (word == "nodirfilter") volume.filtersFolders = false;
  }
  return volume;
}

}  // namespace

void ResetStorageVolumes(Phase phase) {
  Volumes& state = State();
  state.mounted.clear();
  state.objectStore = DefaultObjectStore();
  if (phase != Phase::Boot) return;
  // A later line for the same folder wins.
  for (const auto& entry : SettingSection("volumes")) {
    const std::u16string key = PathKey(Widen(entry.first));
    if (key.empty()) continue;
    std::optional<StorageVolume> volume = ParseVolume(key, entry.second);
    if (!volume) continue;
    if (volume->objectStore()) {
      state.objectStore = *volume;
    } else {
      state.mounted[key] = *volume;
    }
  }
}

bool IsAtOrBelow(const std::u16string& pathKey, const std::u16string& folderKey) {
  if (folderKey == u"\\") return true;
  if (pathKey.compare(0, folderKey.size(), folderKey) != 0) return false;
  return pathKey.size() == folderKey.size() || pathKey[folderKey.size()] == u'\\';
}

std::vector<StorageVolume> MountedVolumes() {
  std::vector<StorageVolume> volumes;
  for (const auto& entry : State().mounted) volumes.push_back(entry.second);
  return volumes;
}

StorageVolume VolumeOf(const std::u16string& pathKey) {
  const StorageVolume* innermost = nullptr;
  for (const auto& entry : State().mounted) {
    if (!IsAtOrBelow(pathKey, entry.first)) continue;
    if (innermost == nullptr || entry.first.size() > innermost->key.size()) innermost = &entry.second;
  }
  return innermost != nullptr ? *innermost : State().objectStore;
}

}  // namespace cesim::detail

using namespace cesim::detail;

BOOL WINAPI GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                PULARGE_INTEGER lpTotalNumberOfBytes, PULARGE_INTEGER lpTotalNumberOfFreeBytes) {
  // The device's reference lets only the last of the three results be left out.
  if (lpFreeBytesAvailableToCaller == nullptr || lpTotalNumberOfBytes == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::u16string key = u"\\";  // no path: the object store
  if (lpDirectoryName != nullptr) {
    std::u16string absolute;
    const DWORD error = CheckPath(lpDirectoryName, false, absolute);
    if (error != ERROR_SUCCESS) {
      SetLastError(error);
      return FALSE;
    }
    const DeviceItem item = LookUpItem(absolute);
    if (!item.exists) {
      SetLastError(item.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
      return FALSE;
    }
    // A folder of the volume; any folder will do, not only the volume's own.
    if (!item.isFolder) {
      SetLastError(ERROR_DIRECTORY);
      return FALSE;
    }
    key = item.key;
  }
  const StorageVolume volume = VolumeOf(key);
  // No quotas on the device: all free bytes are available to the caller.
  lpFreeBytesAvailableToCaller->QuadPart = volume.freeBytes;
  lpTotalNumberOfBytes->QuadPart = volume.totalBytes;
  if (lpTotalNumberOfFreeBytes != nullptr) lpTotalNumberOfFreeBytes->QuadPart = volume.freeBytes;
  return TRUE;
}
