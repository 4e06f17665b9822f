// Character classes and letter case of the device's C run-time. Letter case is the device's one
// mapping (core/case_fold.h), the same by which its file system compares names.
#include "core/case_fold.h"
#include "sim/crt.h"

namespace {

bool InRange(WCHAR c, unsigned first, unsigned last) { return c >= first && c <= last; }

}  // namespace

WCHAR towlower(WCHAR c) { return cesim::detail::LowerCase(c); }

WCHAR towupper(WCHAR c) { return cesim::detail::UpperCase(c); }

int iswspace(WCHAR c) {
  return InRange(c, 0x09, 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         InRange(c, 0x2000, 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

int iswdigit(WCHAR c) { return InRange(c, u'0', u'9'); }
