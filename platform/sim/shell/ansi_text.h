// The device's ANSI code page, Windows-1252, for the shell's text files (shortcuts): one byte a
// character; characters outside the code page have no byte.
#ifndef CESIM_SHELL_ANSI_TEXT_H
#define CESIM_SHELL_ANSI_TEXT_H

#include <optional>
#include <string>
#include <string_view>

namespace cesim::detail {

// The bytes of a text; nothing when a character has no byte in the code page.
std::optional<std::string> EncodeAnsi(const std::u16string& text);
// The text of bytes; every byte has a character.
std::u16string DecodeAnsi(std::string_view bytes);

}  // namespace cesim::detail

#endif
