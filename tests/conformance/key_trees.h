// Registry keys taken away with everything below them, through the Win32 calls alone (desktop
// Windows deletes only keys without subkeys).
#ifndef FOLDWISE_CONFORMANCE_KEY_TREES_H
#define FOLDWISE_CONFORMANCE_KEY_TREES_H

#include "host.h"

namespace conformance {

// Deletes `subkey` of `root` and all its subkeys; a missing key is no error.
void DeleteKeyTree(HKEY root, const Text& subkey);

}  // namespace conformance

#endif
