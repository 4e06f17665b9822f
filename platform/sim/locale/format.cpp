// GetDateFormatW and GetTimeFormatW: a format picture is copied character by character, runs of
// the format letters (date: d M y g; time: h H m s t) become the fields they name, and text in
// single quotes is copied as it is ('' is a quote). Fields that the time flags leave out take the
// separators before them along, and nothing but spaces is copied until the next field, so that
// "h:mm:ss tt" without seconds is "h:mm tt".
#include <string>

#include "locale/device_locale.h"
#include "sim/core.h"
#include "sim/locale.h"
#include "sim/time.h"
#include "time/calendar.h"

using namespace cesim::detail;

namespace {

enum class Kind { Date, Time };

bool IsField(Kind kind, char16_t c) {
  if (kind == Kind::Date) return c == u'd' || c == u'M' || c == u'y' || c == u'g';
  return c == u'h' || c == u'H' || c == u'm' || c == u's' || c == u't';
}

std::u16string Number(unsigned value, int digits) {
  std::u16string text;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  while (static_cast<int>(text.size()) < digits) text.insert(text.begin(), u'0');
  return text;
}

// The text of a run of `count` field letters `c`; empty with `dropped` set for a field that the
// flags leave out.
std::u16string Field(char16_t c, int count, const SYSTEMTIME& when, const DeviceLocale& locale, DWORD flags,
                     bool* dropped) {
  *dropped = false;
  const int twoAtMost = count > 2 ? 2 : count;
  switch (c) {
    case u'd':
      if (count >= 4) return locale.days[when.wDayOfWeek % 7];
      if (count == 3) return locale.shortDays[when.wDayOfWeek % 7];
      return Number(when.wDay, count);
    case u'M':
      if (count >= 4) return locale.months[(when.wMonth + 11) % 12];
      if (count == 3) return locale.shortMonths[(when.wMonth + 11) % 12];
      return Number(when.wMonth, count);
    case u'y':
      if (count >= 4) return Number(when.wYear, 4);
      return Number(when.wYear % 100, twoAtMost);
    case u'g':
      return count == 2 ? locale.era : std::u16string(u"g");
    case u'h':
      if (!(flags & TIME_FORCE24HOURFORMAT)) {
        return Number(when.wHour == 0 ? 12 : (when.wHour - 1) % 12 + 1, twoAtMost);
      }
      return Number(when.wHour, twoAtMost);
    case u'H':
      return Number(when.wHour, twoAtMost);
    case u'm':
      if (flags & TIME_NOMINUTESORSECONDS) break;
      return Number(when.wMinute, twoAtMost);
    case u's':
      if (flags & (TIME_NOMINUTESORSECONDS | TIME_NOSECONDS)) break;
      return Number(when.wSecond, twoAtMost);
    case u't': {
      if (flags & TIME_NOTIMEMARKER) break;
      const std::u16string& marker = when.wHour < 12 ? locale.am : locale.pm;
      return count == 1 ? marker.substr(0, 1) : marker;
    }
    default:
      break;
  }
  *dropped = true;
  return std::u16string();
}

std::u16string Format(Kind kind, const std::u16string& picture, const SYSTEMTIME& when, const DeviceLocale& locale,
                      DWORD flags) {
  std::u16string out;
  size_t lastField = 0;   // where the text after the last field written starts
  bool skipping = false;  // after a dropped field, until the next field
  for (size_t i = 0; i < picture.size();) {
    const char16_t c = picture[i];
    if (c == u'\'') {
      // Quoted text up to the closing quote; a doubled quote is a quote.
      for (++i; i < picture.size(); ++i) {
        if (picture[i] == u'\'') {
          if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
            ++i;
          } else {
            ++i;
            break;
          }
        }
        if (!skipping) out += picture[i];
      }
    } else if (IsField(kind, c)) {
      int count = 0;
      while (i < picture.size() && picture[i] == c) {
        ++count;
        ++i;
      }
      bool dropped = false;
      const std::u16string text = Field(c, count, when, locale, flags, &dropped);
      if (dropped) {
        out.erase(lastField);
        skipping = true;
      } else {
        skipping = false;
        out += text;
        lastField = out.size();
      }
    } else {
      if (!skipping || c == u' ') out += c;
      ++i;
    }
  }
  return out;
}

// Writes the result as the callers' capacity allows.
int Deliver(const std::u16string& text, LPWSTR buffer, int capacity) {
  const int needed = static_cast<int>(text.size()) + 1;
  if (capacity == 0) return needed;
  if (needed > capacity) {
    // What fits is written, cut to leave room for a terminator.
    for (int i = 0; i < capacity - 1; ++i) buffer[i] = text[i];
    buffer[capacity - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  for (size_t i = 0; i < text.size(); ++i) buffer[i] = text[i];
  buffer[text.size()] = 0;
  return needed;
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace

int WINAPI GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat, LPWSTR lpDateStr,
                          int cchDate) {
  if (cchDate < 0 || (cchDate > 0 && lpDateStr == nullptr) || !IsDeviceLocale(Locale)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  constexpr DWORD kKnown = LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP | DATE_SHORTDATE | DATE_LONGDATE |
                           DATE_USE_ALT_CALENDAR | DATE_YEARMONTH | DATE_LTRREADING | DATE_RTLREADING;
  const DWORD picked = dwFlags & (DATE_SHORTDATE | DATE_LONGDATE | DATE_YEARMONTH);
  if ((dwFlags & ~kKnown) || (picked & (picked - 1)) ||
      (dwFlags & (DATE_LTRREADING | DATE_RTLREADING)) == (DATE_LTRREADING | DATE_RTLREADING) ||
      (lpFormat != nullptr && (picked != 0 || (dwFlags & LOCALE_NOUSEROVERRIDE)))) {
    return Fail(ERROR_INVALID_FLAGS);
  }
  SYSTEMTIME date;
  if (lpDate == nullptr) {
    GetLocalTime(&date);
  } else {
    // Only the date counts; its day of the week is worked out again.
    SYSTEMTIME day = {};
    day.wYear = lpDate->wYear;
    day.wMonth = lpDate->wMonth;
    day.wDay = lpDate->wDay;
    std::optional<uint64_t> ticks = TicksOfSystemTime(day);
    if (!ticks) return Fail(ERROR_INVALID_PARAMETER);
    date = *SystemTimeOfTicks(*ticks);
  }
  const DeviceLocale locale = CurrentLocale();
  const std::u16string picture = lpFormat != nullptr           ? std::u16string(lpFormat)
                                 : (dwFlags & DATE_LONGDATE)   ? locale.longDate
                                 : (dwFlags & DATE_YEARMONTH) ? locale.yearMonth
                                                               : locale.shortDate;
  return Deliver(Format(Kind::Date, picture, date, locale, 0), lpDateStr, cchDate);
}

int WINAPI GetTimeFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCWSTR lpFormat, LPWSTR lpTimeStr,
                          int cchTime) {
  if (cchTime < 0 || (cchTime > 0 && lpTimeStr == nullptr) || !IsDeviceLocale(Locale)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  constexpr DWORD kKnown = LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP | TIME_NOMINUTESORSECONDS | TIME_NOSECONDS |
                           TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT;
  if ((dwFlags & ~kKnown) || (lpFormat != nullptr && (dwFlags & LOCALE_NOUSEROVERRIDE))) {
    return Fail(ERROR_INVALID_FLAGS);
  }
  SYSTEMTIME time;
  if (lpTime == nullptr) {
    GetLocalTime(&time);
  } else {
    // Only the time counts; an hour of 24 is accepted as the platform accepts it.
    if (lpTime->wHour > 24 || lpTime->wMinute > 59 || lpTime->wSecond > 59) return Fail(ERROR_INVALID_PARAMETER);
    time = *lpTime;
  }
  const DeviceLocale locale = CurrentLocale();
  const std::u16string picture = lpFormat != nullptr ? std::u16string(lpFormat) : locale.time;
  return Deliver(Format(Kind::Time, picture, time, locale, dwFlags), lpTimeStr, cchTime);
}
