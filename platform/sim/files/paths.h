// Device paths: splitting them into names, comparing names without letter case as the device
// does, and finding the host file-system path of a device path inside the booted image.
#ifndef CESIM_FILES_PATHS_H
#define CESIM_FILES_PATHS_H

#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

#include "core/case_fold.h"

namespace cesim::detail {

inline bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// The names of an absolute device path ("\\Windows\\Fonts" gives Windows, Fonts; "\\" gives
// none). Repeated and trailing separators are ignored. Nothing for a path that does not start
// at the root or that holds a "." or ".." name, which the device's file system does not have.
std::optional<std::vector<std::u16string>> SplitDevicePath(const std::u16string& path);

// Whether SplitDevicePath takes the path, without splitting it.
bool IsDevicePath(const std::u16string& path);

// Whether two names are one on the device: compared in its letter-case folding (FoldCase).
bool SameName(const std::u16string& a, const std::u16string& b);

// "\\a\\b" in folded case: the key under which settings and in-memory tables keep a path.
std::u16string PathKey(const std::vector<std::u16string>& names);
// The same for a path given as text; empty when the path is not an absolute device path.
std::u16string PathKey(const std::u16string& path);

// The host folder of the device's root.
std::string HostRoot();

// Where a device path lies in the image: the host path and, for each name that exists, the
// name as written on disk. `existing` counts the leading names found; names past it keep the
// case they were given. When the caller gives `followed`, a path found whole at the first look
// (every name as written) fills it with the host's status of what the path names, links
// followed, and sets `followed` in the result; otherwise `followed` is left alone. When the
// caller also gives `opened`, that first look opens what the path names for reading where it can:
// `*opened` then holds the descriptor, which the caller closes; it is left alone otherwise.
struct ResolvedPath {
  std::string host;
  std::vector<std::u16string> names;
  size_t existing = 0;
  bool followed = false;
  bool complete() const { return existing == names.size(); }
};
std::optional<ResolvedPath> ResolveDevicePath(const std::u16string& path, struct stat* followed = nullptr,
                                              int* opened = nullptr);

// The device path of a resolved path, names as the file system writes them ("\" for the root).
std::u16string DevicePathOf(const ResolvedPath& resolved);

// The host folder entry of `name` in `hostFolder`, matched without letter case (an exact
// match wins); nothing when there is none.
std::optional<std::string> FindHostEntry(const std::string& hostFolder, const std::u16string& name);

}  // namespace cesim::detail

#endif
