// The device's storage volumes: the object store, which holds the root and everything that is not
// on a mounted volume, and each storage card mounted at a folder of the root ([volumes] in the
// image's settings), with their free and total bytes.
#ifndef CESIM_FILES_VOLUMES_H
#define CESIM_FILES_VOLUMES_H

#include <cstdint>
#include <string>
#include <vector>

namespace cesim::detail {

struct StorageVolume {
  std::u16string key;  // PathKey of the mount folder; "\\" for the object store
  uint64_t freeBytes = 0;
  uint64_t totalBytes = 0;
  bool objectStore() const { return key == u"\\"; }
};

// The object store's sizes when the image does not give them.
constexpr uint64_t kDefaultObjectStoreFree = 16777216;   // 16 MB
constexpr uint64_t kDefaultObjectStoreTotal = 33554432;  // 32 MB

// The mounted volumes of the booted image, in the order of its settings; an entry whose value is
// not "free,total" (two whole numbers, free not above total) is no volume.
std::vector<StorageVolume> MountedVolumes();
// The volume that the item with this path key lies on: the mounted volume whose folder is the
// item or holds it, else the object store.
StorageVolume VolumeOf(const std::u16string& pathKey);
// Whether a path key lies at or below another (both PathKey forms).
bool IsAtOrBelow(const std::u16string& pathKey, const std::u16string& folderKey);

}  // namespace cesim::detail

#endif
