// The conversions between file times, system times and local file times. Local file times use the
// zone's bias now (as the platform documents: the current settings, whatever the time converted).
#include "sim/core.h"
#include "sim/time.h"
#include "time/calendar.h"
#include "time/clock_time.h"

using namespace cesim::detail;

namespace {

BOOL Invalid() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

// Moves a file time by minutes, within the valid file times.
BOOL Shift(const FILETIME* from, LPFILETIME to, int64_t minutes) {
  if (from == nullptr || to == nullptr) return Invalid();
  const uint64_t ticks = TicksOf(*from);
  const uint64_t distance = static_cast<uint64_t>(minutes < 0 ? -minutes : minutes) * kTicksPerMinute;
  if (ticks > kLargestFileTime) return Invalid();
  if (minutes < 0 && ticks < distance) return Invalid();
  if (minutes > 0 && ticks > kLargestFileTime - distance) return Invalid();
  *to = FileTimeOfTicks(minutes < 0 ? ticks - distance : ticks + distance);
  return TRUE;
}

}  // namespace

BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
  return Shift(lpFileTime, lpLocalFileTime, -static_cast<int64_t>(TimeZoneBias()));
}

BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime) {
  return Shift(lpLocalFileTime, lpFileTime, TimeZoneBias());
}

BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
  if (lpFileTime == nullptr || lpSystemTime == nullptr) return Invalid();
  std::optional<SYSTEMTIME> time = SystemTimeOfTicks(TicksOf(*lpFileTime));
  if (!time) return Invalid();
  *lpSystemTime = *time;
  return TRUE;
}

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
  if (lpSystemTime == nullptr || lpFileTime == nullptr) return Invalid();
  std::optional<uint64_t> ticks = TicksOfSystemTime(*lpSystemTime);
  if (!ticks) return Invalid();
  *lpFileTime = FileTimeOfTicks(*ticks);
  return TRUE;
}

LONG WINAPI CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2) {
  const uint64_t first = TicksOf(*lpFileTime1);
  const uint64_t second = TicksOf(*lpFileTime2);
  return first < second ? -1 : first > second ? 1 : 0;
}
