// Storage volumes from the image's settings, and GetDiskFreeSpaceExW over them.
#include "files/volumes.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <optional>

#include "cesim/automation.h"
#include "core/device.h"
#include "files/items.h"
#include "files/paths.h"
#include "sim/core.h"
#include "sim/files.h"

namespace cesim::detail {

namespace {

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

// "free,total", spaces allowed around each number.
std::optional<StorageVolume> ParseVolume(const std::string& folder, const std::string& value) {
  const size_t comma = value.find(',');
  if (comma == std::string::npos) return std::nullopt;
  auto trimmed = [](std::string text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    size_t first = 0;
    while (first < text.size() && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
    return text.substr(first);
  };
  std::optional<uint64_t> freeBytes = WholeNumber(trimmed(value.substr(0, comma)));
  std::optional<uint64_t> totalBytes = WholeNumber(trimmed(value.substr(comma + 1)));
  const std::u16string key = PathKey(Widen(folder));
  if (!freeBytes || !totalBytes || *freeBytes > *totalBytes || key.empty()) return std::nullopt;
  StorageVolume volume;
  volume.key = key;
  volume.freeBytes = *freeBytes;
  volume.totalBytes = *totalBytes;
  return volume;
}

}  // namespace

bool IsAtOrBelow(const std::u16string& pathKey, const std::u16string& folderKey) {
  if (folderKey == u"\\") return true;
  if (pathKey.compare(0, folderKey.size(), folderKey) != 0) return false;
  return pathKey.size() == folderKey.size() || pathKey[folderKey.size()] == u'\\';
}

std::vector<StorageVolume> MountedVolumes() {
  std::vector<StorageVolume> volumes;
  for (const auto& entry : SettingSection("volumes")) {
    std::optional<StorageVolume> volume = ParseVolume(entry.first, entry.second);
    if (!volume || volume->objectStore()) continue;
    // A later line for the same folder wins.
    bool replaced = false;
    for (StorageVolume& known : volumes) {
      if (known.key == volume->key) {
        known = *volume;
        replaced = true;
      }
    }
    if (!replaced) volumes.push_back(*volume);
  }
  return volumes;
}

StorageVolume VolumeOf(const std::u16string& pathKey) {
  for (const StorageVolume& volume : MountedVolumes()) {
    if (IsAtOrBelow(pathKey, volume.key)) return volume;
  }
  StorageVolume store;
  store.key.assign(1, u'\\');
  store.freeBytes = kDefaultObjectStoreFree;
  store.totalBytes = kDefaultObjectStoreTotal;
  if (std::optional<std::string> value = SettingValue("volumes", "\\")) {
    if (std::optional<StorageVolume> given = ParseVolume("\\", *value)) store = *given;
  }
  return store;
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
