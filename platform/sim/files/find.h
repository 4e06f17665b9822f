// Folder searches: the wildcard match of the device's file system and the count of listings
// that the automation API reports.
#ifndef CESIM_FILES_FIND_H
#define CESIM_FILES_FIND_H

#include <string>

#include "core/parts.h"

namespace cesim::detail {

// Whether a name matches a search pattern: "*" any run of characters, "?" one character,
// letter case ignored; a pattern ending in ".*" also matches the name without that ending, so
// "*.*" matches names without a dot.
bool MatchesPattern(const std::u16string& pattern, const std::u16string& name);

// FindFirstFileW and FindFirstFileExW calls since boot.
int FolderListings();

// Ends every open search and zeroes the count of listings.
void ResetFolderSearches(Phase phase);

}  // namespace cesim::detail

#endif
