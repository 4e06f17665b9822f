// Reading the device's files from a test, through the device's own calls.
#ifndef FOLDWISE_TESTS_COMMANDS_DEVICE_FILES_H
#define FOLDWISE_TESTS_COMMANDS_DEVICE_FILES_H

#include <optional>
#include <string>
#include <vector>

namespace foldwise_test {

// The first line of a device file as the device's text streams read it; nothing when the file
// cannot be opened.
std::optional<std::u16string> FirstLine(const std::u16string& path);

// The names in a device folder, sorted; folders end in "\".
std::vector<std::u16string> FolderNames(const std::u16string& folder);

}  // namespace foldwise_test

#endif
