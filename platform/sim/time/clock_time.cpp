// GetSystemTime, GetLocalTime and GetTimeZoneInformation over the virtual clock and the image's
// time zone. The device keeps no daylight saving time: the zone has one bias all year.
#include "time/clock_time.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "core/clock.h"
#include "core/device.h"
#include "sim/core.h"
#include "sim/time.h"
#include "time/calendar.h"

namespace cesim::detail {

namespace {

// "YYYY-MM-DD hh:mm:ss" (or with "T" between date and time); nothing when it does not parse.
std::optional<uint64_t> ParseBootTime(const std::string& text) {
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char separator = 0;
  int used = 0;
  if (std::sscanf(text.c_str(), "%4u-%2u-%2u%c%2u:%2u:%2u%n", &year, &month, &day, &separator, &hour, &minute,
                  &second, &used) != 7 ||
      static_cast<size_t>(used) != text.size() || (separator != ' ' && separator != 'T')) {
    return std::nullopt;
  }
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  return TicksOfSystemTime(time);
}

}  // namespace

uint64_t BootTicks(const std::optional<std::string>& text) {
  std::optional<uint64_t> boot;
  if (text) boot = ParseBootTime(*text);
  if (!boot) boot = TicksOfSystemTime(kDefaultBootTime);
  return *boot;
}

uint64_t SystemTicksNow() {
  return BootTicks(SettingValue("clock", "boot")) + static_cast<uint64_t>(ClockNow()) * kTicksPerMillisecond;
}

LONG TimeZoneBias() {
  std::optional<std::string> text = SettingValue("timezone", "bias");
  if (!text || text->empty()) return 0;
  char* end = nullptr;
  const long bias = std::strtol(text->c_str(), &end, 10);
  if (end == nullptr || *end != 0 || bias < -1440 || bias > 1440) return 0;
  return static_cast<LONG>(bias);
}

}  // namespace cesim::detail

using namespace cesim::detail;

void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime) {
  if (lpSystemTime == nullptr) return;
  *lpSystemTime = *SystemTimeOfTicks(SystemTicksNow());
}

void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) {
  if (lpSystemTime == nullptr) return;
  const int64_t local = static_cast<int64_t>(SystemTicksNow()) -
                        static_cast<int64_t>(TimeZoneBias()) * static_cast<int64_t>(kTicksPerMinute);
  *lpSystemTime = *SystemTimeOfTicks(static_cast<uint64_t>(local < 0 ? 0 : local));
}

DWORD WINAPI GetTimeZoneInformation(LPTIME_ZONE_INFORMATION lpTimeZoneInformation) {
  if (lpTimeZoneInformation == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return TIME_ZONE_ID_INVALID;
  }
  std::memset(lpTimeZoneInformation, 0, sizeof(*lpTimeZoneInformation));
  lpTimeZoneInformation->Bias = TimeZoneBias();
  // No transition dates: the zone has no daylight saving time.
  return TIME_ZONE_ID_UNKNOWN;
}
