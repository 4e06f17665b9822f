// Host folder listings, kept while their folders are unchanged.
#include "files/folder_names.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#include <functional>
#include <ctime>
#include <map>
#include <utility>

#include "cesim/automation.h"
#include "core/case_fold.h"

namespace cesim::detail {

namespace {

// How long before a listing a folder's last change must lie for the listing to be kept. The host
// stamps a change with a clock that may lag the precise one by a tick (a few milliseconds); a file
// system that keeps whole seconds (or two) needs whole seconds more.
constexpr int64_t kFineMargin = 100 * 1000 * 1000;          // nanoseconds
constexpr int64_t kCoarseMargin = 3LL * 1000 * 1000 * 1000;  // nanoseconds
// Folders whose listings are kept at most; past it, the kept listings start again.
constexpr size_t kKeptFolders = 64;

struct Listing {
  dev_t device = 0;
  ino_t inode = 0;
  struct timespec modified = {};
  struct timespec changed = {};
  std::vector<HostFolderName> names;
};

struct State {
  std::map<std::string, Listing, std::less<>> kept;
  Listing latest;  // the last listing that was not kept
  // The last name that KeptHostFolderLacks found in a kept listing, and that listing's folder.
  std::string presentIn;
  std::u16string present;
};

State& Stored() {
  static State state;
  return state;
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

int64_t Nanoseconds(const struct timespec& time) {
  return static_cast<int64_t>(time.tv_sec) * 1000 * 1000 * 1000 + time.tv_nsec;
}

bool Unchanged(const Listing& listing, const struct stat& status) {
  return listing.device == status.st_dev && listing.inode == status.st_ino &&
         SameTime(listing.modified, status.st_mtim) && SameTime(listing.changed, status.st_ctim);
}

// Whether a listing made at `listed` of a folder of this status may be kept: every change after
// the listing gets a later change time than the one the folder has now.
bool SafeToKeep(const struct stat& status, const struct timespec& listed) {
  const int64_t margin = status.st_ctim.tv_nsec % (1000 * 1000) == 0 ? kCoarseMargin : kFineMargin;
  return Nanoseconds(status.st_ctim) < Nanoseconds(listed) - margin &&
         Nanoseconds(status.st_mtim) < Nanoseconds(listed) - margin;
}

bool ReadFolder(const std::string& hostFolder, std::vector<HostFolderName>* names) {
  DIR* folder = opendir(hostFolder.c_str());
  if (folder == nullptr) return false;
  names->clear();
  while (dirent* entry = readdir(folder)) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    HostFolderName found;
    found.host = name;
    found.folded = FoldCase(Widen(found.host));
    names->push_back(std::move(found));
  }
  closedir(folder);
  return true;
}

// The kept listing of the folder while it is still good. `status` receives the folder's status,
// and `isFolder` whether there is a folder to list.
const std::vector<HostFolderName>* StillKept(State& state, const std::string& hostFolder, struct stat* status,
                                            bool* isFolder) {
  *isFolder = stat(hostFolder.c_str(), status) == 0 && S_ISDIR(status->st_mode);
  auto it = state.kept.find(hostFolder);
  if (it == state.kept.end()) return nullptr;
  if (*isFolder && Unchanged(it->second, *status)) return &it->second.names;
  state.kept.erase(it);
  return nullptr;
}

}  // namespace

const std::vector<HostFolderName>* KeptHostFolder(const std::string& hostFolder) {
  State& state = Stored();
  auto it = state.kept.find(hostFolder);
  if (it == state.kept.end()) return nullptr;
  struct stat status;
  if (stat(hostFolder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && Unchanged(it->second, status)) {
    return &it->second.names;
  }
  state.kept.erase(it);
  return nullptr;
}

const std::vector<HostFolderName>* ListHostFolder(const std::string& hostFolder) {
  State& state = Stored();
  struct stat status;
  bool isFolder = false;
  if (const std::vector<HostFolderName>* kept = StillKept(state, hostFolder, &status, &isFolder)) return kept;
  if (!isFolder) return nullptr;
  // The time is taken before the folder is read: a change made after it is not missed.
  struct timespec listed;
  clock_gettime(CLOCK_REALTIME, &listed);
  Listing listing;
  listing.device = status.st_dev;
  listing.inode = status.st_ino;
  listing.modified = status.st_mtim;
  listing.changed = status.st_ctim;
  if (!ReadFolder(hostFolder, &listing.names)) return nullptr;
  if (!SafeToKeep(status, listed)) {
    state.latest = std::move(listing);
    return &state.latest.names;
  }
  if (state.kept.size() >= kKeptFolders) state.kept.clear();
  return &(state.kept[hostFolder] = std::move(listing)).names;
}

bool KeptHostFolderLacks(std::string_view hostFolder, const std::u16string& name) {
  State& state = Stored();
  if (state.kept.empty()) return false;
  // A name found before may have gone since; not answering is always right, and costs no look.
  if (name == state.present && hostFolder == state.presentIn) return false;
  auto it = state.kept.find(hostFolder);
  if (it == state.kept.end()) return false;
  for (const HostFolderName& entry : it->second.names) {
    if (SameFolded(entry.folded, name)) {
      state.present = name;
      state.presentIn = hostFolder;
      return false;
    }
  }
  // Missing from the listing: true only while the listing is still good.
  struct stat status;
  if (stat(it->first.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && Unchanged(it->second, status)) return true;
  state.kept.erase(it);
  return false;
}

void ResetHostFolderNames(Phase) { Stored() = State(); }

}  // namespace cesim::detail
