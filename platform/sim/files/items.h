// What the file calls share: checking a caller's path as the device does, and looking up the
// file or folder that a device path names in the image.
#ifndef CESIM_FILES_ITEMS_H
#define CESIM_FILES_ITEMS_H

#include <sys/stat.h>

#include <string>
#include <string_view>

#include "files/paths.h"
#include "sim/types.h"

namespace cesim::detail {

// Checks a path given to a file call; ERROR_SUCCESS or the error the device reports: too long
// (MAX_PATH counts the terminator), empty, characters that no name may hold, "." or ".."
// names. The device has no current folder: a path without a leading "\\" starts at the root.
// Wildcards are allowed in the last name when `pattern` is set.
DWORD CheckPath(LPCWSTR path, bool pattern, std::u16string& absolute);

struct DeviceItem {
  ResolvedPath resolved;
  std::u16string key;  // PathKey of the item
  bool exists = false;
  bool isFolder = false;
  struct stat info = {};
  // Whether every folder above the item exists (else the path, not the file, is missing).
  bool parentExists = false;
};
// With `opened`, an item found as written is opened for reading where it can be: `*opened` is its
// descriptor, which the caller closes, or -1.
DeviceItem LookUpItem(const std::u16string& absolute, int* opened = nullptr);

// The item's attributes as the device reports them.
DWORD ItemAttributes(const DeviceItem& item);

FILETIME FileTimeOf(const struct timespec& time);
// A stable object identifier for the item's path.
DWORD ObjectIdOf(const std::u16string& key);
// The identifier of a key that goes on from one whose identifier is `start` with `more`:
// ObjectIdOf(a + b) is ObjectIdAfter(ObjectIdOf(a), b).
DWORD ObjectIdAfter(DWORD start, std::u16string_view more);

}  // namespace cesim::detail

#endif
