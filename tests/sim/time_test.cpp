// Time on the device: the system time from the boot time and the virtual clock, the time zone of
// the image, the conversions between file times, system times and local file times, and the date
// and time formats of the device's locale with their capacity rules.
#include <gtest/gtest.h>

#include <string>

#include "booted_device.h"
#include "cesim/ui.h"
#include "sim/core.h"
#include "sim/locale.h"
#include "sim/time.h"

namespace {

using foldwise_test::BootedDevice;

SYSTEMTIME Date(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0, WORD ms = 0) {
  SYSTEMTIME time = {};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  time.wMilliseconds = ms;
  return time;
}

std::string Text(const SYSTEMTIME& t) {
  char text[64];
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u.%03u (day %u)", t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute, t.wSecond, t.wMilliseconds, t.wDayOfWeek);
  return text;
}

uint64_t Ticks(const FILETIME& time) { return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

FILETIME FileTime(uint64_t ticks) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return time;
}

constexpr uint64_t kMinute = 600000000ull;

class TimeTest : public ::testing::Test {
 protected:
  void Boot() { ASSERT_TRUE(device_.Boot()); }
  BootedDevice device_;
};

// ---------------------------------------------------------------------------------------------
// The clock and the time zone.

TEST_F(TimeTest, TheSystemTimeIsTheBootTimeMovedOnByTheVirtualClock) {
  device_.image.SetBootTime("2009-06-15 14:30:00");
  Boot();
  SYSTEMTIME now;
  GetSystemTime(&now);
  EXPECT_EQ(Text(now), "2009-06-15 14:30:00.000 (day 1)");
  cesim::AdvanceClock(90500);
  GetSystemTime(&now);
  EXPECT_EQ(Text(now), "2009-06-15 14:31:30.500 (day 1)");
}

TEST_F(TimeTest, WithoutABootTimeTheDeviceStartsOnTheFirstOf2009) {
  Boot();
  SYSTEMTIME now;
  GetSystemTime(&now);
  EXPECT_EQ(Text(now), "2009-01-01 00:00:00.000 (day 4)");
}

TEST_F(TimeTest, TheLocalTimeIsTheSystemTimeLessTheZonesBias) {
  device_.image.SetBootTime("2009-06-15 23:30:00").SetTimeZoneBias(-60);
  Boot();
  SYSTEMTIME local;
  GetLocalTime(&local);
  EXPECT_EQ(Text(local), "2009-06-16 00:30:00.000 (day 2)");
  TIME_ZONE_INFORMATION zone;
  EXPECT_EQ(GetTimeZoneInformation(&zone), static_cast<DWORD>(TIME_ZONE_ID_UNKNOWN));
  EXPECT_EQ(zone.Bias, -60);
  EXPECT_EQ(zone.DaylightBias, 0);
  EXPECT_EQ(zone.StandardDate.wMonth, 0);
}

TEST_F(TimeTest, ABiasThatDoesNotParseIsNoBias) {
  device_.image.AddRegistry("");
  Boot();
  cesim::Shutdown();
  cesim::ImageBuilder image(device_.image.Folder());
  image.Write();
  FILE* ini = std::fopen((device_.image.Folder() + "/device.ini").c_str(), "a");
  ASSERT_NE(ini, nullptr);
  std::fputs("\n[timezone]\nbias=one hour\n", ini);
  std::fclose(ini);
  ASSERT_TRUE(cesim::Boot(device_.image.Folder()));
  TIME_ZONE_INFORMATION zone;
  GetTimeZoneInformation(&zone);
  EXPECT_EQ(zone.Bias, 0);
}

TEST_F(TimeTest, FileTimesBecomeLocalInPlaceAndBackAgain) {
  device_.image.SetTimeZoneBias(300);  // five hours west of UTC
  Boot();
  FILETIME time;
  const SYSTEMTIME start = Date(2009, 3, 1, 2, 15);
  ASSERT_TRUE(SystemTimeToFileTime(&start, &time));
  const uint64_t utc = Ticks(time);
  ASSERT_TRUE(FileTimeToLocalFileTime(&time, &time));
  EXPECT_EQ(Ticks(time), utc - 300 * kMinute);
  SYSTEMTIME local;
  ASSERT_TRUE(FileTimeToSystemTime(&time, &local));
  EXPECT_EQ(Text(local), "2009-02-28 21:15:00.000 (day 6)");
  ASSERT_TRUE(LocalFileTimeToFileTime(&time, &time));
  EXPECT_EQ(Ticks(time), utc);
}

TEST_F(TimeTest, LocalFileTimesBeforeTheFirstFileTimeFail) {
  device_.image.SetTimeZoneBias(60);
  Boot();
  FILETIME time = FileTime(30 * kMinute);
  FILETIME result = FileTime(12345);
  SetLastError(0);
  EXPECT_FALSE(FileTimeToLocalFileTime(&time, &result));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(Ticks(result), 12345u);
  EXPECT_TRUE(LocalFileTimeToFileTime(&time, &result));
  EXPECT_EQ(Ticks(result), 90 * kMinute);
}

// ---------------------------------------------------------------------------------------------
// File times and system times.

TEST(TimeConversionTest, TheFirstFileTimeIsTheFirstOf1601AMonday) {
  FILETIME zero = FileTime(0);
  SYSTEMTIME time;
  ASSERT_TRUE(FileTimeToSystemTime(&zero, &time));
  EXPECT_EQ(Text(time), "1601-01-01 00:00:00.000 (day 1)");
}

TEST(TimeConversionTest, SystemTimesAndFileTimesConvertBothWays) {
  const SYSTEMTIME cases[] = {Date(2000, 2, 29, 23, 59, 59, 999), Date(1970, 1, 1), Date(2009, 12, 31, 12, 0, 0, 1),
                              Date(1900, 3, 1), Date(30827, 12, 31, 23, 59, 59, 999)};
  for (const SYSTEMTIME& date : cases) {
    FILETIME file;
    ASSERT_TRUE(SystemTimeToFileTime(&date, &file)) << Text(date);
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
    EXPECT_EQ(Text(back).substr(0, 23), Text(date).substr(0, 23));
  }
  // The Unix epoch in file time ticks.
  FILETIME epoch;
  const SYSTEMTIME epochDate = Date(1970, 1, 1);
  ASSERT_TRUE(SystemTimeToFileTime(&epochDate, &epoch));
  EXPECT_EQ(Ticks(epoch), 116444736000000000ull);
  SYSTEMTIME day;
  ASSERT_TRUE(FileTimeToSystemTime(&epoch, &day));
  EXPECT_EQ(day.wDayOfWeek, 4);  // a Thursday
}

TEST(TimeConversionTest, FieldsOutOfRangeAndInvalidFileTimesAreRefused) {
  const SYSTEMTIME bad[] = {Date(2009, 2, 29), Date(1900, 2, 29), Date(2009, 13, 1), Date(2009, 0, 1),
                            Date(2009, 4, 31), Date(2009, 1, 0), Date(2009, 1, 1, 24), Date(2009, 1, 1, 0, 60),
                            Date(2009, 1, 1, 0, 0, 60), Date(2009, 1, 1, 0, 0, 0, 1000), Date(1600, 12, 31),
                            Date(30828, 1, 1)};
  for (const SYSTEMTIME& date : bad) {
    FILETIME file = FileTime(77);
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&date, &file)) << Text(date);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(Ticks(file), 77u);
  }
  // The day of the week is not looked at.
  SYSTEMTIME wrongDay = Date(2009, 6, 15);
  wrongDay.wDayOfWeek = 5;
  FILETIME file;
  EXPECT_TRUE(SystemTimeToFileTime(&wrongDay, &file));

  FILETIME top = FileTime(0x8000000000000000ull);
  SYSTEMTIME time;
  EXPECT_FALSE(FileTimeToSystemTime(&top, &time));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  FILETIME last = FileTime(0x7FFFFFFFFFFFFFFFull);
  ASSERT_TRUE(FileTimeToSystemTime(&last, &time));
  EXPECT_EQ(time.wYear, 30828);
}

// ---------------------------------------------------------------------------------------------
// Date and time formats.

std::u16string FormatDate(DWORD flags, const SYSTEMTIME& date, const WCHAR* picture = nullptr) {
  WCHAR text[80];
  const int written = GetDateFormatW(LOCALE_USER_DEFAULT, flags, &date, picture, text, 80);
  if (written == 0) return u"(failed)";
  EXPECT_EQ(static_cast<size_t>(written), std::u16string(text).size() + 1);
  return text;
}

std::u16string FormatTime(DWORD flags, const SYSTEMTIME& time, const WCHAR* picture = nullptr) {
  WCHAR text[80];
  const int written = GetTimeFormatW(LOCALE_USER_DEFAULT, flags, &time, picture, text, 80);
  if (written == 0) return u"(failed)";
  EXPECT_EQ(static_cast<size_t>(written), std::u16string(text).size() + 1);
  return text;
}

TEST_F(TimeTest, AUsEnglishDeviceWritesItsShortAndLongDateAndItsTime) {
  Boot();
  const SYSTEMTIME when = Date(2009, 6, 5, 14, 7, 9);
  EXPECT_EQ(FormatDate(DATE_SHORTDATE, when), u"6/5/2009");
  EXPECT_EQ(FormatDate(0, when), u"6/5/2009");
  EXPECT_EQ(FormatDate(DATE_LONGDATE, when), u"Friday, June 05, 2009");
  EXPECT_EQ(FormatDate(DATE_YEARMONTH, when), u"June, 2009");
  EXPECT_EQ(FormatTime(0, when), u"2:07:09 PM");
  EXPECT_EQ(FormatTime(0, Date(2009, 6, 5, 0, 5, 0)), u"12:05:00 AM");
  EXPECT_EQ(FormatTime(0, Date(2009, 6, 5, 12, 0, 0)), u"12:00:00 PM");
  EXPECT_EQ(GetUserDefaultLCID(), static_cast<LCID>(0x0409));
  EXPECT_EQ(FormatDate(DATE_SHORTDATE, when), FormatDate(LOCALE_NOUSEROVERRIDE | DATE_SHORTDATE, when));
}

TEST_F(TimeTest, TimeFlagsLeaveOutFieldsWithTheSeparatorsBeforeThem) {
  Boot();
  const SYSTEMTIME when = Date(2009, 6, 5, 14, 7, 9);
  EXPECT_EQ(FormatTime(TIME_NOSECONDS, when), u"2:07 PM");
  EXPECT_EQ(FormatTime(TIME_NOMINUTESORSECONDS, when), u"2 PM");
  EXPECT_EQ(FormatTime(TIME_NOTIMEMARKER, when), u"2:07:09");
  EXPECT_EQ(FormatTime(TIME_FORCE24HOURFORMAT, when), u"14:07:09 PM");
  const SYSTEMTIME morning = Date(2009, 6, 5, 8, 56, 13);
  EXPECT_EQ(FormatTime(TIME_NOSECONDS, morning, u"h.@:m.@:s.@:tt"), u"8.@:56AM");
  EXPECT_EQ(FormatTime(TIME_NOTIMEMARKER, Date(2009, 6, 5, 13, 56), u"h1t2tt3m"), u"156");
  EXPECT_EQ(FormatTime(TIME_NOTIMEMARKER, morning, u"'123'tt"), u"");
}

TEST_F(TimeTest, FormatPicturesNameTheirFieldsAndQuoteTheirText) {
  Boot();
  SYSTEMTIME when = Date(2002, 5, 4, 8, 56, 13);
  EXPECT_EQ(FormatDate(0, when, u"ddd',' MMM dd yy"), u"Sat, May 04 02");
  EXPECT_EQ(FormatDate(0, when, u"d dd ddd dddd M MM MMM MMMM y yy yyyy gg"),
            u"4 04 Sat Saturday 5 05 May May 2 02 2002 A.D.");
  EXPECT_EQ(FormatDate(0, when, u"'day' d 'of' MMMM h:mm"), u"day 4 of May h:mm");
  EXPECT_EQ(FormatDate(0, when, u"''''"), u"'");
  EXPECT_EQ(FormatTime(0, when, u"h hh H HH m mm s ss t tt"), u"8 08 8 08 56 56 13 13 A AM");
  EXPECT_EQ(FormatTime(0, when, u"h 'h' H 'H' dd/MM"), u"8 h 8 H dd/MM");
  EXPECT_EQ(FormatTime(0, Date(2002, 5, 4, 0, 0), u"h/H/hh/HH"), u"12/0/12/00");
}

TEST_F(TimeTest, TheResultCountsTheTerminatorAndWhatDoesNotFitIsRefused) {
  Boot();
  const SYSTEMTIME when = Date(2009, 12, 25, 10, 30, 45);
  WCHAR text[32];
  for (WCHAR& c : text) c = u'#';
  // A capacity of 0 asks for the size and writes nothing.
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text, 0), 11);
  EXPECT_EQ(text[0], u'#');
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, nullptr, 0), 11);
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, nullptr, 0), 12);
  // Exactly the size fits.
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text, 11), 11);
  EXPECT_EQ(std::u16string(text), u"12/25/2009");
  // One less does not; what fits is left, cut and terminated.
  SetLastError(0);
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, text, 11), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::u16string(text), u"10:30:45 A");
  EXPECT_EQ(text[11], u'#');
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text, 10), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST_F(TimeTest, ADateASpaceAndATimeShareOneBudgetOfThirtyTwoCharacters) {
  Boot();
  const SYSTEMTIME when = Date(2009, 12, 25, 10, 30, 45);
  WCHAR text[32];
  const int date = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text, 32);
  ASSERT_EQ(date, 11);
  text[date - 1] = u' ';
  const int time = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, text + date, 32 - date);
  EXPECT_EQ(time, 12);
  EXPECT_EQ(std::u16string(text), u"12/25/2009 10:30:45 AM");
}

TEST_F(TimeTest, TheBudgetIsTooSmallForALongDateAndATime) {
  Boot();
  const SYSTEMTIME when = Date(2009, 9, 30, 10, 30, 45);
  WCHAR text[32];
  const int date = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &when, nullptr, text, 32);
  ASSERT_EQ(date, 30);  // "Wednesday, September 30, 2009"
  SetLastError(0);
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, text + date, 32 - date), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST_F(TimeTest, FlagsThatContradictEachOtherOrThePictureAreRefused) {
  Boot();
  const SYSTEMTIME when = Date(2009, 6, 5, 14, 7, 9);
  WCHAR text[40];
  struct Case {
    DWORD flags;
    const WCHAR* picture;
    bool date;
  };
  const Case cases[] = {
      {DATE_SHORTDATE | DATE_LONGDATE, nullptr, true},
      {DATE_LONGDATE | DATE_YEARMONTH, nullptr, true},
      {DATE_SHORTDATE, u"d/M", true},
      {LOCALE_NOUSEROVERRIDE, u"d/M", true},
      {DATE_LTRREADING | DATE_RTLREADING, nullptr, true},
      {0x00010000, nullptr, true},
      {LOCALE_NOUSEROVERRIDE, u"h:mm", false},
      {0x00000010, nullptr, false},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    const int result = c.date ? GetDateFormatW(LOCALE_USER_DEFAULT, c.flags, &when, c.picture, text, 40)
                              : GetTimeFormatW(LOCALE_USER_DEFAULT, c.flags, &when, c.picture, text, 40);
    EXPECT_EQ(result, 0) << std::hex << c.flags;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS)) << std::hex << c.flags;
  }
}

TEST_F(TimeTest, InvalidDatesTimesLocalesAndBuffersAreRefused) {
  Boot();
  WCHAR text[40];
  const SYSTEMTIME badDate = Date(2009, 2, 30);
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &badDate, nullptr, text, 40), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  const SYSTEMTIME badTime = Date(2009, 2, 3, 25);
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &badTime, nullptr, text, 40), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  // A time only looks at the time, a date only at the date.
  SYSTEMTIME timeOnly = Date(2009, 60, 3, 12, 56, 13);
  EXPECT_EQ(FormatTime(0, timeOnly, u"h:m:s"), u"12:56:13");
  SYSTEMTIME dateOnly = Date(2009, 6, 15, 99, 99, 99);
  dateOnly.wDayOfWeek = 6;  // wrong: it was a Monday
  EXPECT_EQ(FormatDate(0, dateOnly, u"dddd d"), u"Monday 15");

  const SYSTEMTIME when = Date(2009, 6, 5);
  EXPECT_EQ(GetDateFormatW(0x0407, 0, &when, nullptr, text, 40), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_GT(GetDateFormatW(0x0409, 0, &when, nullptr, text, 40), 0);
  EXPECT_GT(GetDateFormatW(LOCALE_SYSTEM_DEFAULT, 0, &when, nullptr, text, 40), 0);
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, nullptr, 40), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, text, -1), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(TimeTest, WithoutADateOrTimeTheLocalTimeIsWritten) {
  device_.image.SetBootTime("2009-06-15 22:30:00").SetTimeZoneBias(-120);
  Boot();
  WCHAR text[40];
  ASSERT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 40), 0);
  EXPECT_EQ(std::u16string(text), u"6/16/2009");
  ASSERT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, 40), 0);
  EXPECT_EQ(std::u16string(text), u"12:30:00 AM");
}

TEST_F(TimeTest, TheImageCanGiveTheDeviceAnotherLocale) {
  device_.image.SetLocale("lcid", "0x0407")
      .SetLocale("shortdate", "dd.MM.yyyy")
      .SetLocale("longdate", "dddd, d. MMMM yyyy")
      .SetLocale("time", "HH:mm:ss")
      .SetLocale("days", "Sonntag,Montag,Dienstag,Mittwoch,Donnerstag,Freitag,Samstag")
      .SetLocale("months", "Januar,Februar,M\xC3\xA4rz,April,Mai,Juni,Juli,August,September,Oktober,November,Dezember");
  Boot();
  const SYSTEMTIME when = Date(2009, 3, 5, 14, 7, 9);
  EXPECT_EQ(GetUserDefaultLCID(), static_cast<LCID>(0x0407));
  EXPECT_EQ(GetSystemDefaultLangID(), static_cast<LANGID>(0x0407));
  EXPECT_EQ(FormatDate(DATE_SHORTDATE, when), u"05.03.2009");
  EXPECT_EQ(FormatDate(DATE_LONGDATE, when), u"Donnerstag, 5. M\u00e4rz 2009");
  EXPECT_EQ(FormatTime(0, when), u"14:07:09");
  EXPECT_EQ(FormatTime(TIME_NOSECONDS, when), u"14:07");
  WCHAR text[40];
  EXPECT_GT(GetDateFormatW(0x0407, 0, &when, nullptr, text, 40), 0);
  EXPECT_EQ(GetDateFormatW(0x0409, 0, &when, nullptr, text, 40), 0);
}

TEST_F(TimeTest, ALocaleNameListOfTheWrongLengthKeepsTheEnglishNames) {
  device_.image.SetLocale("days", "Sonntag,Montag");
  Boot();
  EXPECT_EQ(FormatDate(0, Date(2009, 6, 7), u"dddd"), u"Sunday");
}

}  // namespace
