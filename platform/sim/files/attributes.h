// File attributes that a Linux file system cannot hold (in ROM, ROM module, hidden, system,
// read-only, mount folder): read from the image's settings at boot, changed in memory by
// SetFileAttributesW and forgotten when the device shuts down.
#ifndef CESIM_FILES_ATTRIBUTES_H
#define CESIM_FILES_ATTRIBUTES_H

#include <string>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

// Attribute words of a settings entry: "rom,rommodule", "hidden system", "mount", "0x41".
DWORD ParseAttributeWords(const std::string& words);
std::string AttributeWords(DWORD attributes);

// The attributes the device reports for an existing file or folder, by its path key
// (PathKey): DIRECTORY for folders, ARCHIVE for files unless changed, the CE-only attributes,
// NORMAL when nothing else is set.
DWORD DeviceAttributes(const std::u16string& pathKey, bool isFolder);
// Keeps the settable attributes (read-only, hidden, system, archive) of an existing item.
void ChangeAttributes(const std::u16string& pathKey, DWORD attributes);
// A moved item takes its attributes, and those of everything below it, to its new path; whatever
// the new path had is forgotten.
void MoveAttributes(const std::u16string& fromKey, const std::u16string& toKey);
// A deleted item leaves nothing behind for a new one of the same name.
void ForgetAttributes(const std::u16string& pathKey);

// Reads the CE-only attributes from the image's settings at boot; forgets them at shutdown.
void ResetFileAttributes(Phase phase);

}  // namespace cesim::detail

#endif
