// How the device was used since boot, for tests of laziness.
#include "cesim/automation.h"
#include "files/find.h"

namespace cesim {

Counters ReadCounters() {
  Counters counters;
  counters.folderListings = detail::FolderListings();
  return counters;
}

}  // namespace cesim
