// The device's collation: CompareStringW, lstrcmpW and lstrcmpiW compare texts in alphabetical
// order as the platform's word sort does. Each text becomes a row of collation elements, compared
// level by level: letters and digits without accents and case first (symbols before digits before
// letters), then accents, then case (lower before upper), width and kana type; in a word sort
// hyphens and apostrophes weigh only when everything else is equal.
#include <cstdint>
#include <initializer_list>

#include "sim/core.h"
#include "sim/crt.h"

namespace {

// The device's one case folding of a unit, which every comparison without case goes through.
WCHAR FoldedUnit(WCHAR c) { return towlower(c); }

// The Latin letters U+00C0..U+017F: the ASCII letters they sort as (two for Æ, ß, Œ, Þ, Ĳ), in the
// letter's case, and their accent: a combining mark U+0300..U+036F weighs its offset from U+02FF,
// a stroke, a middle dot and the like 0x80 and up. A letter of zero is no letter (× and ÷).
struct LatinLetter {
  char first;
  char second;
  uint8_t accent;
};
const LatinLetter kLatinLetters[] = {
    {'A', '\0', 0x01}, {'A', '\0', 0x02}, {'A', '\0', 0x03}, {'A', '\0', 0x04}, {'A', '\0', 0x09}, {'A', '\0', 0x0B},
    {'A', 'E', 0x00}, {'C', '\0', 0x28}, {'E', '\0', 0x01}, {'E', '\0', 0x02}, {'E', '\0', 0x03}, {'E', '\0', 0x09},
    {'I', '\0', 0x01}, {'I', '\0', 0x02}, {'I', '\0', 0x03}, {'I', '\0', 0x09}, {'D', '\0', 0x80}, {'N', '\0', 0x04},
    {'O', '\0', 0x01}, {'O', '\0', 0x02}, {'O', '\0', 0x03}, {'O', '\0', 0x04}, {'O', '\0', 0x09}, {'\0', '\0', 0x00},
    {'O', '\0', 0x80}, {'U', '\0', 0x01}, {'U', '\0', 0x02}, {'U', '\0', 0x03}, {'U', '\0', 0x09}, {'Y', '\0', 0x02},
    {'T', 'H', 0x00}, {'s', 's', 0x00}, {'a', '\0', 0x01}, {'a', '\0', 0x02}, {'a', '\0', 0x03}, {'a', '\0', 0x04},
    {'a', '\0', 0x09}, {'a', '\0', 0x0B}, {'a', 'e', 0x00}, {'c', '\0', 0x28}, {'e', '\0', 0x01}, {'e', '\0', 0x02},
    {'e', '\0', 0x03}, {'e', '\0', 0x09}, {'i', '\0', 0x01}, {'i', '\0', 0x02}, {'i', '\0', 0x03}, {'i', '\0', 0x09},
    {'d', '\0', 0x80}, {'n', '\0', 0x04}, {'o', '\0', 0x01}, {'o', '\0', 0x02}, {'o', '\0', 0x03}, {'o', '\0', 0x04},
    {'o', '\0', 0x09}, {'\0', '\0', 0x00}, {'o', '\0', 0x80}, {'u', '\0', 0x01}, {'u', '\0', 0x02}, {'u', '\0', 0x03},
    {'u', '\0', 0x09}, {'y', '\0', 0x02}, {'t', 'h', 0x00}, {'y', '\0', 0x09}, {'A', '\0', 0x05}, {'a', '\0', 0x05},
    {'A', '\0', 0x07}, {'a', '\0', 0x07}, {'A', '\0', 0x29}, {'a', '\0', 0x29}, {'C', '\0', 0x02}, {'c', '\0', 0x02},
    {'C', '\0', 0x03}, {'c', '\0', 0x03}, {'C', '\0', 0x08}, {'c', '\0', 0x08}, {'C', '\0', 0x0D}, {'c', '\0', 0x0D},
    {'D', '\0', 0x0D}, {'d', '\0', 0x0D}, {'D', '\0', 0x80}, {'d', '\0', 0x80}, {'E', '\0', 0x05}, {'e', '\0', 0x05},
    {'E', '\0', 0x07}, {'e', '\0', 0x07}, {'E', '\0', 0x08}, {'e', '\0', 0x08}, {'E', '\0', 0x29}, {'e', '\0', 0x29},
    {'E', '\0', 0x0D}, {'e', '\0', 0x0D}, {'G', '\0', 0x03}, {'g', '\0', 0x03}, {'G', '\0', 0x07}, {'g', '\0', 0x07},
    {'G', '\0', 0x08}, {'g', '\0', 0x08}, {'G', '\0', 0x28}, {'g', '\0', 0x28}, {'H', '\0', 0x03}, {'h', '\0', 0x03},
    {'H', '\0', 0x80}, {'h', '\0', 0x80}, {'I', '\0', 0x04}, {'i', '\0', 0x04}, {'I', '\0', 0x05}, {'i', '\0', 0x05},
    {'I', '\0', 0x07}, {'i', '\0', 0x07}, {'I', '\0', 0x29}, {'i', '\0', 0x29}, {'I', '\0', 0x08}, {'i', '\0', 0x80},
    {'I', 'J', 0x00}, {'i', 'j', 0x00}, {'J', '\0', 0x03}, {'j', '\0', 0x03}, {'K', '\0', 0x28}, {'k', '\0', 0x28},
    {'q', '\0', 0x80}, {'L', '\0', 0x02}, {'l', '\0', 0x02}, {'L', '\0', 0x28}, {'l', '\0', 0x28}, {'L', '\0', 0x0D},
    {'l', '\0', 0x0D}, {'L', '\0', 0x81}, {'l', '\0', 0x81}, {'L', '\0', 0x80}, {'l', '\0', 0x80}, {'N', '\0', 0x02},
    {'n', '\0', 0x02}, {'N', '\0', 0x28}, {'n', '\0', 0x28}, {'N', '\0', 0x0D}, {'n', '\0', 0x0D}, {'n', '\0', 0x82},
    {'N', '\0', 0x80}, {'n', '\0', 0x80}, {'O', '\0', 0x05}, {'o', '\0', 0x05}, {'O', '\0', 0x07}, {'o', '\0', 0x07},
    {'O', '\0', 0x0C}, {'o', '\0', 0x0C}, {'O', 'E', 0x00}, {'o', 'e', 0x00}, {'R', '\0', 0x02}, {'r', '\0', 0x02},
    {'R', '\0', 0x28}, {'r', '\0', 0x28}, {'R', '\0', 0x0D}, {'r', '\0', 0x0D}, {'S', '\0', 0x02}, {'s', '\0', 0x02},
    {'S', '\0', 0x03}, {'s', '\0', 0x03}, {'S', '\0', 0x28}, {'s', '\0', 0x28}, {'S', '\0', 0x0D}, {'s', '\0', 0x0D},
    {'T', '\0', 0x28}, {'t', '\0', 0x28}, {'T', '\0', 0x0D}, {'t', '\0', 0x0D}, {'T', '\0', 0x80}, {'t', '\0', 0x80},
    {'U', '\0', 0x04}, {'u', '\0', 0x04}, {'U', '\0', 0x05}, {'u', '\0', 0x05}, {'U', '\0', 0x07}, {'u', '\0', 0x07},
    {'U', '\0', 0x0B}, {'u', '\0', 0x0B}, {'U', '\0', 0x0C}, {'u', '\0', 0x0C}, {'U', '\0', 0x29}, {'u', '\0', 0x29},
    {'W', '\0', 0x03}, {'w', '\0', 0x03}, {'Y', '\0', 0x03}, {'y', '\0', 0x03}, {'Y', '\0', 0x09}, {'Z', '\0', 0x02},
    {'z', '\0', 0x02}, {'Z', '\0', 0x08}, {'z', '\0', 0x08}, {'Z', '\0', 0x0D}, {'z', '\0', 0x0D}, {'s', '\0', 0x83},
};

// Primary weights by kind, in the platform's order: ignorable, symbols (punctuation, spaces and the
// like), digits, Latin letters, other letters.
constexpr uint32_t kSymbols = 0x00010000;
constexpr uint32_t kDigits = 0x00020000;
constexpr uint32_t kLatin = 0x00030000;
constexpr uint32_t kOtherLetters = 0x00040000;
constexpr uint32_t kOthers = 0x00050000;

// Tertiary bits.
constexpr uint8_t kUpper = 0x01;
constexpr uint8_t kWide = 0x02;
constexpr uint8_t kKatakana = 0x04;

struct Element {
  uint32_t primary = 0;   // 0: nothing to compare at the first three levels
  uint8_t secondary = 0;
  uint8_t tertiary = 0;
  WCHAR special = 0;      // a hyphen or an apostrophe of a word sort, weighed last
};

bool IsLetterOfScript(WCHAR c) {
  return (c >= 0x0370 && c <= 0x03FF) || (c >= 0x0400 && c <= 0x04FF) || (c >= 0x3041 && c <= 0x30FF) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3);
}

bool IsCombiningMark(WCHAR c) { return c >= 0x0300 && c <= 0x036F; }

// Reads the collation elements of a text one at a time: a letter that sorts as two yields two, and
// combining marks after a character add their accent to its element.
class ElementReader {
 public:
  ElementReader(const WCHAR* text, size_t length, DWORD flags) : text_(text), length_(length), flags_(flags) {}

  // The next element that counts with these flags; false at the end of the text.
  bool Next(Element* element) {
    for (;;) {
      if (pending_) {
        pending_ = false;
        *element = pendingElement_;
        return true;
      }
      if (position_ >= length_) return false;
      WCHAR c = text_[position_++];
      Element e;
      if (!Weigh(c, &e)) continue;
      while (position_ < length_ && IsCombiningMark(text_[position_])) {
        e.secondary = static_cast<uint8_t>(e.secondary + (text_[position_] - 0x02FF));
        ++position_;
      }
      if ((flags_ & NORM_IGNORENONSPACE) != 0) e.secondary = 0;
      if ((flags_ & NORM_IGNORECASE) != 0) e.tertiary &= static_cast<uint8_t>(~kUpper);
      if ((flags_ & NORM_IGNOREWIDTH) != 0) e.tertiary &= static_cast<uint8_t>(~kWide);
      if ((flags_ & NORM_IGNOREKANATYPE) != 0) e.tertiary &= static_cast<uint8_t>(~kKatakana);
      if (pending_) {
        pendingElement_.secondary = e.secondary;
        pendingElement_.tertiary = e.tertiary;
      }
      *element = e;
      return true;
    }
  }

 private:
  static uint32_t LetterWeight(char c) {
    return kLatin + static_cast<uint32_t>(FoldedUnit(static_cast<WCHAR>(c)) - u'a') * 0x10;
  }

  // The element of one unit; false when the unit does not count (ignorable, or a symbol that the
  // flags ignore).
  bool Weigh(WCHAR c, Element* e) {
    uint8_t tertiary = 0;
    // Fullwidth forms weigh as their ASCII letters, digits and symbols, and wide.
    if (c >= 0xFF01 && c <= 0xFF5E) {
      c = static_cast<WCHAR>(c - 0xFF01 + 0x21);
      tertiary |= kWide;
    }
    // Katakana weighs as hiragana, of another kana type.
    if (c >= 0x30A1 && c <= 0x30F6) {
      c = static_cast<WCHAR>(c - 0x60);
      tertiary |= kKatakana;
    }
    if (c < 0x20 || c == 0x7F || c == 0x00AD || IsCombiningMark(c)) return false;  // no weight
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
      e->primary = LetterWeight(static_cast<char>(c));
      e->tertiary = static_cast<uint8_t>(tertiary | (c <= u'Z' ? kUpper : 0));
      return true;
    }
    if (c >= u'0' && c <= u'9') {
      e->primary = kDigits + static_cast<uint32_t>(c - u'0');
      e->tertiary = tertiary;
      return true;
    }
    if (c >= 0x00C0 && c <= 0x017F && kLatinLetters[c - 0x00C0].first != 0) {
      const LatinLetter& letter = kLatinLetters[c - 0x00C0];
      bool upper = letter.first >= 'A' && letter.first <= 'Z';
      e->primary = LetterWeight(letter.first);
      e->secondary = letter.accent;
      e->tertiary = static_cast<uint8_t>(tertiary | (upper ? kUpper : 0));
      if (letter.second != 0) {
        pending_ = true;
        pendingElement_ = *e;
        pendingElement_.primary = LetterWeight(letter.second);
      }
      return true;
    }
    if (IsLetterOfScript(c)) {
      WCHAR folded = FoldedUnit(c);
      e->primary = kOtherLetters + folded;
      e->tertiary = static_cast<uint8_t>(tertiary | (folded != c ? kUpper : 0));
      return true;
    }
    bool symbol = c < 0x0080 || (c >= 0x0080 && c <= 0x00BF) || c == 0x00D7 || c == 0x00F7 ||
                  (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F);
    if (!symbol) {
      e->primary = kOthers + c;
      e->tertiary = tertiary;
      return true;
    }
    if ((flags_ & NORM_IGNORESYMBOLS) != 0) return false;
    if ((flags_ & SORT_STRINGSORT) == 0 && (c == u'-' || c == u'\'')) {
      e->special = c;  // weighs only at the last level
      e->tertiary = tertiary;
      return true;
    }
    e->primary = kSymbols + c;
    e->tertiary = tertiary;
    return true;
  }

  const WCHAR* text_;
  size_t length_;
  DWORD flags_;
  size_t position_ = 0;
  bool pending_ = false;
  Element pendingElement_;
};

enum class Level { Primary, Secondary, Tertiary };

uint32_t WeightAt(const Element& e, Level level) {
  switch (level) {
    case Level::Primary: return e.primary;
    case Level::Secondary: return e.secondary;
    case Level::Tertiary: return e.tertiary;
  }
  return 0;
}

// Compares the two texts' elements at one level (the hyphens and apostrophes of a word sort left
// out): -1, 0 or 1; a text that runs out first is the lesser.
int CompareLevel(const WCHAR* a, size_t lengthA, const WCHAR* b, size_t lengthB, DWORD flags, Level level) {
  ElementReader readerA(a, lengthA, flags);
  ElementReader readerB(b, lengthB, flags);
  for (;;) {
    Element x;
    Element y;
    bool hasX;
    bool hasY;
    do {
      hasX = readerA.Next(&x);
    } while (hasX && x.special != 0);
    do {
      hasY = readerB.Next(&y);
    } while (hasY && y.special != 0);
    if (!hasX || !hasY) return hasX == hasY ? 0 : (hasX ? 1 : -1);
    uint32_t wx = WeightAt(x, level);
    uint32_t wy = WeightAt(y, level);
    if (wx != wy) return wx < wy ? -1 : 1;
  }
}

// The last level of a word sort: the hyphens and apostrophes, by how many come before each.
int CompareSpecials(const WCHAR* a, size_t lengthA, const WCHAR* b, size_t lengthB, DWORD flags) {
  ElementReader readerA(a, lengthA, flags);
  ElementReader readerB(b, lengthB, flags);
  size_t indexA = 0;
  size_t indexB = 0;
  for (;;) {
    Element x;
    Element y;
    bool hasX;
    bool hasY;
    while ((hasX = readerA.Next(&x)) && x.special == 0) ++indexA;
    while ((hasY = readerB.Next(&y)) && y.special == 0) ++indexB;
    if (!hasX || !hasY) return hasX == hasY ? 0 : (hasX ? 1 : -1);
    // A hyphen or apostrophe further on weighs less than one nearer the start.
    if (indexA != indexB) return indexA > indexB ? -1 : 1;
    if (x.special != y.special) return x.special < y.special ? -1 : 1;
    if (x.tertiary != y.tertiary) return x.tertiary < y.tertiary ? -1 : 1;
  }
}

// The first-level weight of an ASCII letter or digit, as ElementReader weighs it; 0 for any other
// unit.
uint32_t PlainPrimary(WCHAR c) {
  if (c >= u'0' && c <= u'9') return kDigits + static_cast<uint32_t>(c - u'0');
  if (c >= u'A' && c <= u'Z') c = static_cast<WCHAR>(c + (u'a' - u'A'));
  if (c >= u'a' && c <= u'z') return kLatin + static_cast<uint32_t>(c - u'a') * 0x10;
  return 0;
}

size_t LengthOf(const WCHAR* text, int count) {
  if (count >= 0) return static_cast<size_t>(count);
  size_t length = 0;
  while (text[length] != 0) ++length;
  return length;
}

constexpr DWORD kKnownFlags = NORM_IGNORECASE | NORM_IGNORENONSPACE | NORM_IGNORESYMBOLS | SORT_STRINGSORT |
                              NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH;

}  // namespace

int WINAPI CompareStringW(LCID Locale, DWORD dwCmpFlags, LPCWSTR lpString1, int cchCount1, LPCWSTR lpString2,
                          int cchCount2) {
  (void)Locale;  // one collation for every locale
  if (lpString1 == nullptr || lpString2 == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if ((dwCmpFlags & ~kKnownFlags) != 0) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  size_t lengthA = LengthOf(lpString1, cchCount1);
  size_t lengthB = LengthOf(lpString2, cchCount2);
  // The same units at the start weigh the same at every level: the comparison starts after them
  // (and before the last of them when an accent follows it, which belongs to it).
  size_t same = 0;
  while (same < lengthA && same < lengthB && lpString1[same] == lpString2[same]) ++same;
  while (same > 0 && ((same < lengthA && IsCombiningMark(lpString1[same])) ||
                      (same < lengthB && IsCombiningMark(lpString2[same])))) {
    --same;
  }
  lpString1 += same;
  lpString2 += same;
  lengthA -= same;
  lengthB -= same;
  // The usual case: the texts go on with a plain letter or digit each, of different letters or
  // digits. Those are the first elements the first level compares, and they settle it.
  if (lengthA > 0 && lengthB > 0) {
    const uint32_t first = PlainPrimary(lpString1[0]);
    const uint32_t second = PlainPrimary(lpString2[0]);
    if (first != 0 && second != 0 && first != second) return first < second ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
  }
  int result = 0;
  for (Level level : {Level::Primary, Level::Secondary, Level::Tertiary}) {
    result = CompareLevel(lpString1, lengthA, lpString2, lengthB, dwCmpFlags, level);
    if (result != 0) break;
  }
  if (result == 0) result = CompareSpecials(lpString1, lengthA, lpString2, lengthB, dwCmpFlags);
  return result < 0 ? CSTR_LESS_THAN : result > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}

namespace {

int CompareInUserLocale(LPCWSTR a, LPCWSTR b, DWORD flags) {
  // Null texts compare before all others (the reference pages do not say; no caller crashes).
  if (a == nullptr || b == nullptr) return a == b ? 0 : (a == nullptr ? -1 : 1);
  return CompareStringW(LOCALE_USER_DEFAULT, flags, a, -1, b, -1) - CSTR_EQUAL;
}

}  // namespace

int WINAPI lstrcmpW(LPCWSTR lpString1, LPCWSTR lpString2) { return CompareInUserLocale(lpString1, lpString2, 0); }

int WINAPI lstrcmpiW(LPCWSTR lpString1, LPCWSTR lpString2) {
  return CompareInUserLocale(lpString1, lpString2, NORM_IGNORECASE);
}
