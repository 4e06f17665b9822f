// FindFirstFileW, FindFirstFileExW, FindNextFileW and FindClose over the image's file tree.
// A search takes its entries when it starts; they come in name order, without "." and "..".
#include "files/find.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "cesim/automation.h"
#include "core/case_fold.h"
#include "core/parts.h"
#include "core/poison.h"
#include "files/attributes.h"
#include "files/items.h"
#include "files/volumes.h"
#include "sim/core.h"
#include "sim/files.h"

namespace cesim::detail {

namespace {

struct Search {
  std::vector<WIN32_FIND_DATAW> entries;
  size_t next = 0;
};

// Open searches. Handle values are never reused, so a closed one, or one from before a reboot,
// stays invalid.
std::map<uintptr_t, Search>& Searches() {
  static std::map<uintptr_t, Search> searches;
  return searches;
}
uintptr_t nextSearch = 0x00F10000;
int listings = 0;

// The classic wildcard walk, going back only to the last "*".
bool MatchFrom(const std::u16string& pattern, const std::u16string& name) {
  size_t p = 0;
  size_t n = 0;
  size_t star = std::u16string::npos;
  size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == u'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::u16string::npos) {
      p = star + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

// One entry of a folder as the search lists it: its name as on disk, as the device writes it, and
// folded, which orders the entries (the name on disk orders names that fold alike).
struct HostEntry {
  std::u16string folded;
  std::string host;
  std::u16string name;
  bool operator<(const HostEntry& other) const {
    const int order = folded.compare(other.folded);
    return order != 0 ? order < 0 : host < other.host;
  }
};

// The listed folder: its descriptor, and the start of its entries' keys (its PathKey and "\\")
// with the object identifier that start gives.
struct ListedFolder {
  int descriptor;
  std::u16string keyStart;
  DWORD keyStartId;
};

// An entry's key is the folder's key start and its folded name.
bool FillEntry(const ListedFolder& folder, const HostEntry& entry, WIN32_FIND_DATAW& data) {
  struct stat info;
  if (fstatat(folder.descriptor, entry.host.c_str(), &info, 0) != 0 || !(S_ISDIR(info.st_mode) || S_ISREG(info.st_mode))) {
    return false;
  }
  const std::u16string& name = entry.name;
  if (name.size() >= MAX_PATH) return false;
  std::u16string key;
  key.reserve(folder.keyStart.size() + entry.folded.size());
  key = folder.keyStart;
  key += entry.folded;
  const bool isFolder = S_ISDIR(info.st_mode);
  std::memset(&data, 0, sizeof(data));
  data.dwFileAttributes = DeviceAttributes(key, isFolder);
  data.ftCreationTime = FileTimeOf(info.st_mtim);
  data.ftLastAccessTime = data.ftCreationTime;
  data.ftLastWriteTime = data.ftCreationTime;
  const uint64_t size = isFolder ? 0 : static_cast<uint64_t>(info.st_size);
  data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(size);
  data.dwOID = ObjectIdAfter(folder.keyStartId, entry.folded);
  std::memcpy(data.cFileName, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
  return true;
}

// A search that fails leaves the caller's find data indeterminate, as the reference says.
HANDLE FailSearch(LPWIN32_FIND_DATAW lpFindFileData, DWORD error) {
  PoisonUndefinedOutput(lpFindFileData, sizeof(*lpFindFileData));
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

// A folder-only search is advisory: only a volume whose file system filters leaves the files out.
HANDLE StartSearch(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData, bool foldersOnly) {
  ++listings;
  if (lpFindFileData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::u16string absolute;
  const DWORD error = CheckPath(lpFileName, true, absolute);
  if (error != ERROR_SUCCESS) return FailSearch(lpFindFileData, error);
  if (IsPathSeparator(absolute.back())) return FailSearch(lpFindFileData, ERROR_FILE_NOT_FOUND);  // no name
  const size_t lastSeparator = absolute.find_last_of(u"\\/");
  const std::u16string pattern = absolute.substr(lastSeparator + 1);
  const DeviceItem folder = LookUpItem(absolute.substr(0, lastSeparator + 1));
  if (!folder.exists || !folder.isFolder) return FailSearch(lpFindFileData, ERROR_PATH_NOT_FOUND);
  if (foldersOnly && !VolumeOf(folder.key).filtersFolders) foldersOnly = false;
  // Each matching name, converted and folded once, not at every comparison. The entries are
  // looked at through the listed folder, so that each look walks one name, not the whole path.
  Search search;
  if (DIR* listing = opendir(folder.resolved.host.c_str())) {
    std::vector<HostEntry> entries;
    while (dirent* entry = readdir(listing)) {
      const char* name = entry->d_name;
      if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
      HostEntry found;
      found.host = name;
      found.name = Widen(found.host);
      if (!MatchesPattern(pattern, found.name)) continue;
      found.folded = FoldCase(found.name);
      entries.push_back(std::move(found));
    }
    std::sort(entries.begin(), entries.end());
    search.entries.reserve(entries.size());
    ListedFolder listed{dirfd(listing), folder.key == u"\\" ? std::u16string() : folder.key, 0};
    listed.keyStart += u'\\';
    listed.keyStartId = ObjectIdOf(listed.keyStart);
    for (const HostEntry& entry : entries) {
      WIN32_FIND_DATAW data;
      if (!FillEntry(listed, entry, data)) continue;
      if (foldersOnly && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
      search.entries.push_back(data);
    }
    closedir(listing);
  }
  if (search.entries.empty()) return FailSearch(lpFindFileData, ERROR_FILE_NOT_FOUND);
  *lpFindFileData = search.entries[0];
  search.next = 1;
  nextSearch += 4;
  Searches()[nextSearch] = std::move(search);
  return reinterpret_cast<HANDLE>(nextSearch);
}

}  // namespace

void ResetFolderSearches(Phase) {
  Searches().clear();
  listings = 0;
}

bool MatchesPattern(const std::u16string& pattern, const std::u16string& name) {
  // "*" and "*.*" take every name (the second through its "*" alone, below).
  if (pattern == u"*" || pattern == u"*.*") return true;
  if (MatchFrom(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, u".*") == 0) {
    return MatchFrom(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

int FolderListings() { return listings; }

}  // namespace cesim::detail

using namespace cesim::detail;

HANDLE WINAPI FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData) {
  return StartSearch(lpFileName, lpFindFileData, false);
}

HANDLE WINAPI FindFirstFileExW(LPCWSTR lpFileName, FINDEX_INFO_LEVELS fInfoLevelId, LPVOID lpFindFileData,
                               FINDEX_SEARCH_OPS fSearchOp, LPVOID lpSearchFilter, DWORD dwAdditionalFlags) {
  // The device knows the standard record only, and searches by name or for folders.
  if (fInfoLevelId != FindExInfoStandard || lpSearchFilter != nullptr || dwAdditionalFlags != 0 ||
      (fSearchOp != FindExSearchNameMatch && fSearchOp != FindExSearchLimitToDirectories)) {
    ++listings;
    // Only the standard record has a known size to poison; other levels are refused untouched.
    if (fInfoLevelId == FindExInfoStandard) {
      return FailSearch(static_cast<LPWIN32_FIND_DATAW>(lpFindFileData), ERROR_INVALID_PARAMETER);
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  return StartSearch(lpFileName, static_cast<LPWIN32_FIND_DATAW>(lpFindFileData),
                     fSearchOp == FindExSearchLimitToDirectories);
}

BOOL WINAPI FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData) {
  auto it = Searches().find(reinterpret_cast<uintptr_t>(hFindFile));
  if (it == Searches().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (lpFindFileData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Search& search = it->second;
  if (search.next >= search.entries.size()) {
    // The end of the search is a failure too: the find data is indeterminate.
    PoisonUndefinedOutput(lpFindFileData, sizeof(*lpFindFileData));
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  *lpFindFileData = search.entries[search.next++];
  return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
  if (Searches().erase(reinterpret_cast<uintptr_t>(hFindFile)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
