// The device's ANSI code page, Windows-1252 (the Western one of English and Western European
// devices), between its bytes and UTF-16: what the run-time's wide stream calls read and write in
// text mode.
#ifndef CESIM_CRT_CODEPAGE_H
#define CESIM_CRT_CODEPAGE_H

#include <optional>

namespace cesim::detail {

// Every byte has a character; the five bytes the code page leaves unassigned stand for the
// control characters of their value, as the platform's conversion gives them.
char16_t AnsiToWide(unsigned char byte);
// The byte of a character; nothing for a character the code page does not have.
std::optional<unsigned char> WideToAnsi(char16_t c);

}  // namespace cesim::detail

#endif
