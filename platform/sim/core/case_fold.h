// The device's one letter-case mapping: the upper and lower case of a UTF-16 unit, and the
// folding by which the device compares names without letter case (files and folders, registry
// keys and values, window classes and texts). Folding maps to upper case, as the device's file
// system compares names through its upper-case table, so that both Greek small sigmas (σ, ς)
// fold to Σ. The mapping covers ASCII, Latin-1, Latin Extended-A, Greek (with the tonos
// letters), Cyrillic (U+0400-U+045F) and fullwidth Latin; every other unit is its own upper and
// lower case.
#ifndef CESIM_CORE_CASE_FOLD_H
#define CESIM_CORE_CASE_FOLD_H

#include <string>
#include <string_view>

namespace cesim::detail {

char16_t UpperCase(char16_t c);
char16_t LowerCase(char16_t c);

// A unit, or a text, as the device compares it without letter case; plain ASCII, the usual case,
// is decided here.
inline char16_t FoldCase(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
  return UpperCase(c);
}
std::u16string FoldCase(std::u16string_view text);

// Compares two texts unit by unit after folding: negative, 0 or positive; a text that is the
// start of the other comes first.
int CompareFolded(std::u16string_view a, std::u16string_view b);
bool SameFolded(std::u16string_view a, std::u16string_view b);

}  // namespace cesim::detail

#endif
