// The device's upper-case and lower-case table, as ranges of letter pairs.
#include "core/case_fold.h"

namespace cesim::detail {

namespace {

bool InRange(char16_t c, unsigned first, unsigned last) { return c >= first && c <= last; }

// Greek capitals with tonos and their small letters, which do not lie at a fixed distance.
struct Pair {
  char16_t upper;
  char16_t lower;
};
constexpr Pair kGreekTonos[] = {{0x386, 0x3AC}, {0x388, 0x3AD}, {0x389, 0x3AE}, {0x38A, 0x3AF},
                                {0x38C, 0x3CC}, {0x38E, 0x3CD}, {0x38F, 0x3CE}};

}  // namespace

char16_t LowerCase(char16_t c) {
  if (InRange(c, u'A', u'Z')) return static_cast<char16_t>(c + 32);
  if (c < 0xC0) return c;
  if (InRange(c, 0xC0, 0xDE) && c != 0xD7) return static_cast<char16_t>(c + 32);
  if ((InRange(c, 0x100, 0x12F) || InRange(c, 0x132, 0x137) || InRange(c, 0x14A, 0x177)) && c % 2 == 0) {
    return static_cast<char16_t>(c + 1);
  }
  if ((InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E)) && c % 2 == 1) return static_cast<char16_t>(c + 1);
  if (c == 0x178) return 0xFF;
  for (const Pair& pair : kGreekTonos) {
    if (c == pair.upper) return pair.lower;
  }
  if (InRange(c, 0x391, 0x3A1) || InRange(c, 0x3A3, 0x3AB)) return static_cast<char16_t>(c + 32);
  if (InRange(c, 0x400, 0x40F)) return static_cast<char16_t>(c + 80);
  if (InRange(c, 0x410, 0x42F)) return static_cast<char16_t>(c + 32);
  if (InRange(c, 0xFF21, 0xFF3A)) return static_cast<char16_t>(c + 32);
  return c;
}

char16_t UpperCase(char16_t c) {
  if (InRange(c, u'a', u'z')) return static_cast<char16_t>(c - 32);
  if (c < 0xE0) return c;
  if (InRange(c, 0xE0, 0xFE) && c != 0xF7) return static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  if ((InRange(c, 0x101, 0x12F) || InRange(c, 0x133, 0x137) || InRange(c, 0x14B, 0x177)) && c % 2 == 1) {
    return static_cast<char16_t>(c - 1);
  }
  if ((InRange(c, 0x13A, 0x148) || InRange(c, 0x17A, 0x17E)) && c % 2 == 0) return static_cast<char16_t>(c - 1);
  for (const Pair& pair : kGreekTonos) {
    if (c == pair.lower) return pair.upper;
  }
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (InRange(c, 0x3B1, 0x3C1) || InRange(c, 0x3C3, 0x3CB)) return static_cast<char16_t>(c - 32);
  if (InRange(c, 0x430, 0x44F)) return static_cast<char16_t>(c - 32);
  if (InRange(c, 0x450, 0x45F)) return static_cast<char16_t>(c - 80);
  if (InRange(c, 0xFF41, 0xFF5A)) return static_cast<char16_t>(c - 32);
  return c;
}

std::u16string FoldCase(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) c = FoldCase(c);
  return folded;
}

int CompareFolded(std::u16string_view a, std::u16string_view b) {
  const size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    if (a[i] == b[i]) continue;
    const char16_t x = FoldCase(a[i]);
    const char16_t y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameFolded(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && CompareFolded(a, b) == 0;
}

}  // namespace cesim::detail
