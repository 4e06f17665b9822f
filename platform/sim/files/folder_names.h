// The names in a host folder of the image, for the look-ups that match a name without letter
// case. A folder's listing is kept while the folder is unchanged, so that a name looked up again
// and again in the wrong case, or missing, does not list its folder again each time.
#ifndef CESIM_FILES_FOLDER_NAMES_H
#define CESIM_FILES_FOLDER_NAMES_H

#include <string>
#include <string_view>
#include <vector>

#include "core/parts.h"

namespace cesim::detail {

// One entry of a host folder: its name on disk and that name folded as the device compares names.
struct HostFolderName {
  std::string host;
  std::u16string folded;
};

// The entries of the host folder, without "." and "..", in the order the host lists them; null
// when it cannot be listed. The names come from a listing kept since an earlier call when the
// folder still has the identity and the modification and change times it had then, and those
// times lay far enough before that listing that no change made after it can have been given the
// same change time by the host's clock (a change time without a fraction of a millisecond may
// come from a file system that keeps whole seconds, and must be seconds old). The result lasts
// until the next call.
const std::vector<HostFolderName>* ListHostFolder(const std::string& hostFolder);
// The same from a kept listing only: null when none is kept, or the one kept is no longer good;
// the folder is not listed here.
const std::vector<HostFolderName>* KeptHostFolder(const std::string& hostFolder);

// Whether the folder's kept listing, still good, lacks the name (in any letter case). False when
// no listing is kept, when it has gone stale, or when the name is in it; the last name found in a
// listing this way is remembered, so that asking again for a name that is there costs no look.
bool KeptHostFolderLacks(std::string_view hostFolder, const std::u16string& name);

// Forgets every kept listing.
void ResetHostFolderNames(Phase phase);

}  // namespace cesim::detail

#endif
