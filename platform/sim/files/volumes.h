// The device's storage volumes, from the image's [volumes] settings: the object store at "\",
// which holds the root and everything not on a mounted volume, and a volume under each mount
// folder (a storage card), with their free and total bytes and whether their file system filters
// a folder-only search (FindExSearchLimitToDirectories, which the reference calls advisory: a
// file system that cannot filter ignores it).
#ifndef CESIM_FILES_VOLUMES_H
#define CESIM_FILES_VOLUMES_H

#include <cstdint>
#include <string>
#include <vector>

#include "core/parts.h"

namespace cesim::detail {

struct StorageVolume {
  std::u16string key;  // PathKey of the mount folder; "\\" for the object store
  uint64_t freeBytes = 0;
  uint64_t totalBytes = 0;
  bool filtersFolders = false;  // whether a folder-only search gives folders only
  bool objectStore() const { return key == u"\\"; }
};

// The object store's sizes when the image does not give them.
constexpr uint64_t kDefaultObjectStoreFree = 16777216;   // 16 MB
constexpr uint64_t kDefaultObjectStoreTotal = 33554432;  // 32 MB

// The mounted volumes of the booted device (the object store is not one), by mount folder. An
// entry whose value does not start "free,total" (two whole numbers, free not above total) is no
// volume.
std::vector<StorageVolume> MountedVolumes();
// The volume that holds the item with this path key: the innermost mount folder at or above it,
// else the object store.
StorageVolume VolumeOf(const std::u16string& pathKey);
// Whether a path key lies at or below another (both PathKey forms).
bool IsAtOrBelow(const std::u16string& pathKey, const std::u16string& folderKey);

// Reads the volumes from the image's settings at boot; forgets them at shutdown.
void ResetStorageVolumes(Phase phase);

}  // namespace cesim::detail

#endif
