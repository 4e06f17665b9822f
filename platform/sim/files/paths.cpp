// Device paths over the image's file tree: "\\" is files/ of the image folder, each name is
// matched without letter case against what is on disk and keeps the case it was written in.
#include "files/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "cesim/automation.h"
#include "core/device.h"

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
  std::u16string key;
  for (const std::u16string& name : names) {
    key += u'\\';
    key += FoldCase(name);
  }
  return key;
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
  // A name on disk as written is the answer that the listing below gives too; most lookups end here.
  struct stat status;
  if (!exact.empty() && exact != "." && exact != ".." && exact.find('/') == std::string::npos &&
      lstat((hostFolder + "/" + exact).c_str(), &status) == 0) {
    return exact;
  }
  DIR* folder = opendir(hostFolder.c_str());
  if (folder == nullptr) return std::nullopt;
  std::vector<std::string> matches;
  bool exactFound = false;
  while (dirent* entry = readdir(folder)) {
    const std::string entryName = entry->d_name;
    if (entryName == "." || entryName == "..") continue;
    if (entryName == exact) exactFound = true;
    if (SameName(Widen(entryName), name)) matches.push_back(entryName);
  }
  closedir(folder);
  if (exactFound) return exact;
  if (matches.empty()) return std::nullopt;
  // Names that differ only in letter case cannot both exist on the device; take one steadily.
  return *std::min_element(matches.begin(), matches.end());
}

std::optional<ResolvedPath> ResolveDevicePath(const std::u16string& path) {
  std::optional<std::vector<std::u16string>> names = SplitDevicePath(path);
  const std::string root = HostRoot();
  if (!names || root.empty()) return std::nullopt;
  ResolvedPath resolved;
  resolved.host = root;
  resolved.names = *names;
  // A path whose every name is on disk as written resolves to itself: one look at the whole
  // path answers what a look at each name would (each would find its name as written).
  std::string exact = root;
  bool plain = true;
  for (const std::u16string& name : resolved.names) {
    const std::string narrow = Narrow(name);
    if (narrow.empty() || narrow == "." || narrow == ".." || narrow.find('/') != std::string::npos) plain = false;
    exact += "/" + narrow;
  }
  struct stat status;
  if (plain && !resolved.names.empty() && lstat(exact.c_str(), &status) == 0) {
    resolved.host = exact;
    resolved.existing = resolved.names.size();
    return resolved;
  }
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
      resolved.host += "/" + Narrow(name);
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
