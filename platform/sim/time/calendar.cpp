// Calendar arithmetic over days since 1 January 1601, a Monday.
#include "time/calendar.h"

namespace cesim::detail {

namespace {

constexpr uint64_t kTicksPerDay = 86400 * kTicksPerSecond;

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int64_t year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1 January 1601 to the first of the month (a proleptic civil-date count).
int64_t DaysBefore(int64_t year, int month, int day) {
  const int64_t y = month <= 2 ? year - 1 : year;
  const int64_t era = y / 400;
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  // Days since 1 March of year 0, then moved to 1 January 1601.
  return era * 146097 + dayOfEra - 584694;
}

}  // namespace

uint64_t TicksOf(const FILETIME& time) {
  return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FileTimeOfTicks(uint64_t ticks) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return time;
}

std::optional<SYSTEMTIME> SystemTimeOfTicks(uint64_t ticks) {
  if (ticks > kLargestFileTime) return std::nullopt;
  const int64_t days = static_cast<int64_t>(ticks / kTicksPerDay);
  uint64_t rest = ticks % kTicksPerDay;
  // Back from days to the civil date.
  const int64_t z = days + 584694;
  const int64_t era = z / 146097;
  const int64_t dayOfEra = z - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  SYSTEMTIME time;
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1 January 1601 was a Monday
  time.wHour = static_cast<WORD>(rest / (3600 * kTicksPerSecond));
  rest %= 3600 * kTicksPerSecond;
  time.wMinute = static_cast<WORD>(rest / kTicksPerMinute);
  rest %= kTicksPerMinute;
  time.wSecond = static_cast<WORD>(rest / kTicksPerSecond);
  rest %= kTicksPerSecond;
  time.wMilliseconds = static_cast<WORD>(rest / kTicksPerMillisecond);
  return time;
}

std::optional<uint64_t> TicksOfSystemTime(const SYSTEMTIME& time) {
  if (time.wYear < 1601 || time.wYear > 30827 || time.wMonth < 1 || time.wMonth > 12 || time.wDay < 1 ||
      time.wDay > DaysInMonth(time.wYear, time.wMonth) || time.wHour > 23 || time.wMinute > 59 ||
      time.wSecond > 59 || time.wMilliseconds > 999) {
    return std::nullopt;
  }
  const uint64_t days = static_cast<uint64_t>(DaysBefore(time.wYear, time.wMonth, time.wDay));
  return days * kTicksPerDay + time.wHour * 3600 * kTicksPerSecond + time.wMinute * kTicksPerMinute +
         time.wSecond * kTicksPerSecond + time.wMilliseconds * kTicksPerMillisecond;
}

}  // namespace cesim::detail
