// Path checks and item look-up for the file calls.
#include "files/items.h"

#include "files/attributes.h"
#include "sim/types.h"

namespace cesim::detail {

namespace {

bool IsForbiddenInName(char16_t c, bool pattern) {
  if (c < 0x20) return true;
  switch (c) {
    case u':':
    case u'<':
    case u'>':
    case u'|':
    case u'"':
      return true;
    case u'*':
    case u'?':
      return !pattern;
    default:
      return false;
  }
}

}  // namespace

DWORD CheckPath(LPCWSTR path, bool pattern, std::u16string& absolute) {
  if (path == nullptr) return ERROR_INVALID_PARAMETER;
  size_t length = 0;
  while (path[length] != 0) {
    if (++length >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  }
  if (length == 0) return ERROR_PATH_NOT_FOUND;
  const bool rooted = IsPathSeparator(path[0]);
  absolute.reserve(length + 1);
  absolute.assign(rooted ? 0 : 1, u'\\');
  absolute.append(path, length);
  // One pass over the names: no character that no name may hold, wildcards only in the last
  // name, and no "." or ".." name (IsDevicePath's rule).
  const size_t size = absolute.size();
  size_t start = 1;
  bool wildcard = false;
  for (size_t i = 1; i <= size; ++i) {
    if (i == size || IsPathSeparator(absolute[i])) {
      const size_t nameLength = i - start;
      if ((nameLength == 1 || nameLength == 2) && absolute[start] == u'.' && absolute[i - 1] == u'.') {
        return ERROR_INVALID_NAME;
      }
      if (wildcard && (i < size || !pattern)) return ERROR_INVALID_NAME;
      start = i + 1;
      continue;
    }
    // Past "?" only "|" is refused: letters, the usual case, are let through at once.
    const char16_t c = absolute[i];
    if (c > u'?' && c != u'|') continue;
    if (c == u'*' || c == u'?') {
      wildcard = true;
    } else if (IsForbiddenInName(c, false)) {
      return ERROR_INVALID_NAME;
    }
  }
  return ERROR_SUCCESS;
}

DeviceItem LookUpItem(const std::u16string& absolute, int* opened) {
  DeviceItem item;
  if (opened != nullptr) *opened = -1;
  // A path found whole at the first look comes with its status; no second look is needed.
  struct stat followed;
  std::optional<ResolvedPath> resolved = ResolveDevicePath(absolute, &followed, opened);
  if (!resolved) return item;
  item.resolved = std::move(*resolved);
  item.key = PathKey(item.resolved.names);
  item.parentExists = item.resolved.names.empty() || item.resolved.existing + 1 >= item.resolved.names.size();
  if (item.parentExists && item.resolved.names.size() >= 2 && item.resolved.existing + 1 == item.resolved.names.size()) {
    // The parent was found by name; it must also be a folder.
    const std::string parent = item.resolved.host.substr(0, item.resolved.host.rfind('/'));
    struct stat parentInfo;
    item.parentExists = stat(parent.c_str(), &parentInfo) == 0 && S_ISDIR(parentInfo.st_mode);
  }
  if (!item.resolved.complete()) return item;
  if (item.resolved.followed) {
    item.info = followed;
  } else if (stat(item.resolved.host.c_str(), &item.info) != 0) {
    return item;
  }
  if (!S_ISDIR(item.info.st_mode) && !S_ISREG(item.info.st_mode)) return item;
  item.exists = true;
  item.isFolder = S_ISDIR(item.info.st_mode);
  return item;
}

DWORD ItemAttributes(const DeviceItem& item) { return DeviceAttributes(item.key, item.isFolder); }

FILETIME FileTimeOf(const struct timespec& time) {
  // 100-nanosecond intervals since 1 January 1601 (UTC).
  const uint64_t ticks = (static_cast<uint64_t>(time.tv_sec) + 11644473600ULL) * 10000000ULL +
                         static_cast<uint64_t>(time.tv_nsec) / 100;
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(ticks);
  result.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return result;
}

DWORD ObjectIdOf(const std::u16string& key) { return ObjectIdAfter(2166136261u, key); }

DWORD ObjectIdAfter(DWORD start, std::u16string_view more) {
  uint32_t hash = start;
  for (char16_t c : more) {
    hash = (hash ^ (c & 0xFF)) * 16777619u;
    hash = (hash ^ (c >> 8)) * 16777619u;
  }
  return hash;
}

}  // namespace cesim::detail
