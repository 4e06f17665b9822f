// The device's storage volumes, from the image's [volumes] settings: the object store at "\"
// and a volume under each mount folder (a storage card), with their byte counts and whether
// their file system filters a folder-only search (FindExSearchLimitToDirectories, which the
// reference calls advisory: a file system that cannot filter ignores it).
#ifndef CESIM_FILES_VOLUMES_H
#define CESIM_FILES_VOLUMES_H

#include <cstdint>
#include <string>
#include <vector>

#include "core/parts.h"

namespace cesim::detail {

struct StorageVolume {
  std::u16string key;            // PathKey of the mount folder; "\\" for the object store
  uint64_t freeBytes = 0;
  uint64_t totalBytes = 0;
  bool filtersFolders = false;   // whether a folder-only search gives folders only
};

// The mount folders of the booted device (the object store is not one).
std::vector<std::u16string> MountFolderKeys();
// The volume that holds the item with this path key: the innermost mount folder above or at
// it, else the object store.
StorageVolume VolumeOf(const std::u16string& pathKey);

// Reads the volumes from the image's settings at boot; forgets them at shutdown.
void ResetStorageVolumes(Phase phase);

}  // namespace cesim::detail

#endif
