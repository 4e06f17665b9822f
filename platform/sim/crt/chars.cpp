// Character classes and letter case of the device's C run-time. Letter case covers the scripts
// a handheld's file names use in practice: Latin (Basic, Latin-1, Extended-A), Greek, Cyrillic
// and fullwidth Latin; every other unit is its own upper and lower case.
#include "sim/crt.h"

namespace {

bool InRange(WCHAR c, unsigned first, unsigned last) { return c >= first && c <= last; }

}  // namespace

WCHAR towlower(WCHAR c) {
  if (InRange(c, u'A', u'Z')) return static_cast<WCHAR>(c + 32);
  if (c < 0xC0) return c;
  if (InRange(c, 0xC0, 0xDE) && c != 0xD7) return static_cast<WCHAR>(c + 32);
  if ((InRange(c, 0x100, 0x12F) || InRange(c, 0x132, 0x137) || InRange(c, 0x14A, 0x177)) &&
      c % 2 == 0)
    return static_cast<WCHAR>(c + 1);
  if ((InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E)) && c % 2 == 1)
    return static_cast<WCHAR>(c + 1);
  if (c == 0x178) return 0xFF;
  if (InRange(c, 0x391, 0x3A1) || InRange(c, 0x3A3, 0x3AB)) return static_cast<WCHAR>(c + 32);
  if (InRange(c, 0x400, 0x40F)) return static_cast<WCHAR>(c + 80);
  if (InRange(c, 0x410, 0x42F)) return static_cast<WCHAR>(c + 32);
  if (InRange(c, 0xFF21, 0xFF3A)) return static_cast<WCHAR>(c + 32);
  return c;
}

WCHAR towupper(WCHAR c) {
  if (InRange(c, u'a', u'z')) return static_cast<WCHAR>(c - 32);
  if (c < 0xE0) return c;
  if (InRange(c, 0xE0, 0xFE) && c != 0xF7) return static_cast<WCHAR>(c - 32);
  if (c == 0xFF) return 0x178;
  if ((InRange(c, 0x101, 0x12F) || InRange(c, 0x133, 0x137) || InRange(c, 0x14B, 0x177)) &&
      c % 2 == 1)
    return static_cast<WCHAR>(c - 1);
  if ((InRange(c, 0x13A, 0x148) || InRange(c, 0x17A, 0x17E)) && c % 2 == 0)
    return static_cast<WCHAR>(c - 1);
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (InRange(c, 0x3B1, 0x3C1) || InRange(c, 0x3C3, 0x3CB)) return static_cast<WCHAR>(c - 32);
  if (InRange(c, 0x430, 0x44F)) return static_cast<WCHAR>(c - 32);
  if (InRange(c, 0x450, 0x45F)) return static_cast<WCHAR>(c - 80);
  if (InRange(c, 0xFF41, 0xFF5A)) return static_cast<WCHAR>(c - 32);
  return c;
}

int iswspace(WCHAR c) {
  return InRange(c, 0x09, 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         InRange(c, 0x2000, 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

int iswdigit(WCHAR c) { return InRange(c, u'0', u'9'); }
