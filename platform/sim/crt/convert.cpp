// Text to numbers in the device's C run-time: long and unsigned long are 32 bits there, so
// results are clamped to that range (and errno set to ERANGE) as the device's run-time does.
#include <cerrno>
#include <cstdint>

#include "sim/crt.h"

namespace {

int DigitValue(WCHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

// The common walk of wcstol and wcstoul: sign, base prefix, digits. `magnitude` saturates at
// `limit` + 1 so that overflow is seen without overflowing.
const WCHAR* ParseInteger(const WCHAR* string, int base, bool& negative, uint64_t limit, uint64_t& magnitude,
                          bool& overflow, bool& any) {
  const WCHAR* p = string;
  while (iswspace(*p)) ++p;
  negative = false;
  if (*p == u'+' || *p == u'-') negative = *p++ == u'-';
  if ((base == 0 || base == 16) && p[0] == u'0' && (p[1] == u'x' || p[1] == u'X') && DigitValue(p[2]) < 16) {
    p += 2;
    base = 16;
  } else if (base == 0) {
    base = p[0] == u'0' ? 8 : 10;
  }
  magnitude = 0;
  overflow = false;
  any = false;
  if (base < 2 || base > 36) return string;
  for (; DigitValue(*p) < base; ++p) {
    any = true;
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(*p));
    if (magnitude > limit) {
      overflow = true;
      magnitude = limit + 1;
    }
  }
  return any ? p : string;
}

}  // namespace

LONG wcstol(const WCHAR* string, WCHAR** end, int base) {
  bool negative = false;
  uint64_t magnitude = 0;
  bool overflow = false;
  bool any = false;
  const WCHAR* stop = ParseInteger(string, base, negative, 0x80000000ULL, magnitude, overflow, any);
  if (end != nullptr) *end = const_cast<WCHAR*>(stop);
  if (!negative && magnitude > 0x7FFFFFFFULL) {
    errno = ERANGE;
    return INT32_MAX;
  }
  if (negative && (overflow || magnitude > 0x80000000ULL)) {
    errno = ERANGE;
    return INT32_MIN;
  }
  return negative ? static_cast<LONG>(-static_cast<int64_t>(magnitude)) : static_cast<LONG>(magnitude);
}

ULONG wcstoul(const WCHAR* string, WCHAR** end, int base) {
  bool negative = false;
  uint64_t magnitude = 0;
  bool overflow = false;
  bool any = false;
  const WCHAR* stop = ParseInteger(string, base, negative, 0xFFFFFFFFULL, magnitude, overflow, any);
  if (end != nullptr) *end = const_cast<WCHAR*>(stop);
  if (overflow) {
    errno = ERANGE;
    return UINT32_MAX;
  }
  // A minus sign negates the value in unsigned arithmetic, as C specifies.
  const uint32_t value = static_cast<uint32_t>(magnitude);
  return negative ? static_cast<ULONG>(0u - value) : value;
}

LONG _wtol(const WCHAR* string) { return wcstol(string, nullptr, 10); }

int _wtoi(const WCHAR* string) { return static_cast<int>(_wtol(string)); }
