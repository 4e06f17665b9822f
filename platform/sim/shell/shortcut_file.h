// The device's shortcut files, read by the shell: a count, "#" and the command on one line.
#ifndef CESIM_SHELL_SHORTCUT_FILE_H
#define CESIM_SHELL_SHORTCUT_FILE_H

#include <optional>
#include <string>

namespace cesim::detail {

// The command of a shortcut file: what follows the count and its "#" up to the end of the first
// line. Nothing for a file that cannot be read or does not start with a count.
std::optional<std::u16string> ReadShortcutCommand(const std::u16string& path);
// The same of a shortcut file whose device path is already resolved to the image's file.
std::optional<std::u16string> ReadShortcutCommandFromHost(const std::string& hostPath);
// The same of a shortcut file already open for reading, from where its descriptor stands; the
// descriptor stays open.
std::optional<std::u16string> ReadShortcutCommandFromFile(int descriptor);

}  // namespace cesim::detail

#endif
