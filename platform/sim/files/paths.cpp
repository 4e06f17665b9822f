// Device paths over the image's file tree: "\\" is files/ of the image folder, each name is
// matched without letter case against what is on disk and keeps the case it was written in.
#include "files/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>

#include "cesim/automation.h"
#include "core/device.h"
#include "files/folder_names.h"

namespace cesim::detail {

namespace {

// Calls `name(start, length)` for each name of an absolute device path; false for a path that
// does not start at the root or that holds a "." or ".." name.
template <typename Each>
bool ForEachName(const std::u16string& path, Each name) {
  const size_t size = path.size();
  const char16_t* text = path.data();
  if (size == 0 || !IsPathSeparator(text[0])) return false;
  size_t start = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i < size && !IsPathSeparator(text[i])) continue;
    const size_t length = i - start;
    if ((length == 1 || length == 2) && text[start] == u'.' && text[i - 1] == u'.') return false;
    if (length > 0) name(start, length);
    start = i + 1;
  }
  return true;
}

}  // namespace

std::optional<std::vector<std::u16string>> SplitDevicePath(const std::u16string& path) {
  std::vector<std::u16string> names;
  if (!ForEachName(path, [&](size_t start, size_t length) { names.emplace_back(path, start, length); })) {
    return std::nullopt;
  }
  return names;
}

bool IsDevicePath(const std::u16string& path) {
  return ForEachName(path, [](size_t, size_t) {});
}

bool SameName(const std::u16string& a, const std::u16string& b) { return SameFolded(a, b); }

std::u16string PathKey(const std::vector<std::u16string>& names) {
  if (names.empty()) return u"\\";
  size_t length = 0;
  for (const std::u16string& name : names) length += name.size() + 1;
  std::u16string key(length, u'\\');
  size_t at = 0;
  for (const std::u16string& name : names) {
    ++at;  // the separator
    for (char16_t c : name) key[at++] = FoldCase(c);
  }
  return key;
}

std::u16string DevicePathOf(const ResolvedPath& resolved) {
  if (resolved.names.empty()) return u"\\";
  size_t length = 0;
  for (const std::u16string& name : resolved.names) length += name.size() + 1;
  std::u16string path;
  path.reserve(length);
  for (const std::u16string& name : resolved.names) {
    path += u'\\';
    path += name;
  }
  return path;
}

std::u16string PathKey(const std::u16string& path) {
  std::optional<std::vector<std::u16string>> names = SplitDevicePath(path);
  return names ? PathKey(*names) : std::u16string();
}

std::string HostRoot() {
  const std::string& image = ImageFolder();
  return image.empty() ? std::string() : image + "/files";
}

std::optional<std::string> FindHostEntry(const std::string& hostFolder, const std::u16string& name) {
  const std::string exact = Narrow(name);
  // A folder whose listing is kept answers from it, a name as written included. Otherwise a name
  // on disk as written is the answer that the listing below gives too; most lookups end there.
  const std::vector<HostFolderName>* names = KeptHostFolder(hostFolder);
  if (names == nullptr) {
    struct stat status;
    if (!exact.empty() && exact != "." && exact != ".." && exact.find('/') == std::string::npos &&
        lstat((hostFolder + "/" + exact).c_str(), &status) == 0) {
      return exact;
    }
    names = ListHostFolder(hostFolder);
  }
  if (names == nullptr) return std::nullopt;
  const std::string* match = nullptr;
  for (const HostFolderName& entry : *names) {
    if (entry.host == exact) return exact;
    // Names that differ only in letter case cannot both exist on the device; take one steadily.
    if (SameFolded(entry.folded, name) && (match == nullptr || entry.host < *match)) match = &entry.host;
  }
  if (match == nullptr) return std::nullopt;
  return *match;
}

namespace {

// The first look at a path as written: its status, links followed, and with `opened` the path
// opened for reading (when it can be: a file without read access is still found).
bool LookAsWritten(const std::string& exact, struct stat* status, int* opened) {
  if (opened == nullptr) return stat(exact.c_str(), status) == 0;
  const int descriptor = open(exact.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (descriptor < 0) {
    // Missing as written: a look by status would not find it either.
    if (errno == ENOENT || errno == ENOTDIR) return false;
    return stat(exact.c_str(), status) == 0;
  }
  if (fstat(descriptor, status) != 0) {
    close(descriptor);
    return stat(exact.c_str(), status) == 0;
  }
  *opened = descriptor;
  return true;
}

}  // namespace

std::optional<ResolvedPath> ResolveDevicePath(const std::u16string& path, struct stat* followed, int* opened) {
  const std::string& image = ImageFolder();
  if (image.empty()) return std::nullopt;
  ResolvedPath resolved;
  // The path as written on disk, built while the names are split off: a name is never empty,
  // "." or "..", and holds no "/", so each one can be written as a host name.
  std::string exact;
  exact.reserve(image.size() + 6 + path.size());
  exact = image;
  exact += "/files";
  const size_t rootLength = exact.size();
  resolved.names.reserve(static_cast<size_t>(std::count_if(path.begin(), path.end(), IsPathSeparator)));
  if (!ForEachName(path, [&](size_t start, size_t length) {
        resolved.names.emplace_back(path, start, length);
        exact += '/';
        AppendNarrow(exact, path.data() + start, length);
      })) {
    return std::nullopt;
  }
  // A first name that the root's kept listing lacks, while that listing is still good, is not
  // there in any letter case: nothing of the path is (a shortcut to a program that is gone).
  if (!resolved.names.empty() && KeptHostFolderLacks(std::string_view(exact.data(), rootLength), resolved.names[0])) {
    exact.resize(rootLength);
    resolved.host = std::move(exact);
    for (const std::u16string& name : resolved.names) {
      resolved.host += '/';
      AppendNarrow(resolved.host, name.data(), name.size());
    }
    return resolved;
  }
  // A path whose every name is on disk as written resolves to itself: one look at the whole
  // path answers what a look at each name would (each would find its name as written). The look
  // follows links, so that it also tells the caller what the path names.
  struct stat status;
  if (!resolved.names.empty() && LookAsWritten(exact, &status, followed != nullptr ? opened : nullptr)) {
    resolved.host = std::move(exact);
    resolved.existing = resolved.names.size();
    if (followed != nullptr) {
      *followed = status;
      resolved.followed = true;
    }
    return resolved;
  }
  // Otherwise name by name; a name that is there as written (a link to nothing, say) is still
  // found as written.
  exact.resize(rootLength);
  resolved.host = std::move(exact);
  bool searching = true;
  for (std::u16string& name : resolved.names) {
    std::optional<std::string> onDisk;
    if (searching) onDisk = FindHostEntry(resolved.host, name);
    if (onDisk) {
      name = Widen(*onDisk);
      resolved.host += "/" + *onDisk;
      ++resolved.existing;
    } else {
      searching = false;
      resolved.host += '/';
      AppendNarrow(resolved.host, name.data(), name.size());
    }
  }
  return resolved;
}

std::optional<std::string> HostPath(const std::u16string& devicePath) {
  std::optional<ResolvedPath> resolved = ResolveDevicePath(devicePath);
  if (!resolved) return std::nullopt;
  return resolved->host;
}

}  // namespace cesim::detail
