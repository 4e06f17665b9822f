// File types as the shell finds them in HKEY_CLASSES_ROOT: the extension's key names a type
// ("txtfile" for ".txt"), the type's key holds its description, its commands
// ("shell\<verb>\command") and its icon ("DefaultIcon").
#ifndef CESIM_SHELL_FILE_TYPES_H
#define CESIM_SHELL_FILE_TYPES_H

#include <optional>
#include <string>
#include <string_view>

namespace cesim::detail {

// The extension of the last name of a path, its dot included (".txt"); empty when the name has
// no dot.
std::u16string ExtensionOf(const std::u16string& path);
// The same as a view into `path`, for the tests that only look at it.
std::u16string_view ExtensionIn(std::u16string_view path);
// The name after the last "\\" (the whole text when there is none).
std::u16string LastName(const std::u16string& path);

// Whether HKEY_CLASSES_ROOT has a key for the extension.
bool ExtensionIsRegistered(const std::u16string& extension);
// The type that the extension's key names (its default value); empty when none.
std::u16string TypeOfExtension(const std::u16string& extension);
// The default value of a key below HKEY_CLASSES_ROOT, as text; nothing when the key or its
// default value is missing or is no text.
std::optional<std::u16string> ClassesDefaultText(const std::u16string& subkey);

// The type name the shell shows for a file: the description of its type; without one, the
// extension in capitals and " File" ("ABC File"); "File" for a name without extension.
std::u16string FileTypeName(const std::u16string& path);

}  // namespace cesim::detail

#endif
