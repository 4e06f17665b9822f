// File times as the module's Properties page turns them into the local date it shows:
// SystemTimeToFileTime and FileTimeToSystemTime with the day of the week and an impossible date,
// FileTimeToLocalFileTime and LocalFileTimeToFileTime into another structure and in place.
#include "conformance.h"

namespace conformance {
namespace {

class FileTimeTest : public ConformanceTest {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Start()); }

  static SYSTEMTIME Day(WORD year, WORD month, WORD day, WORD hour = 0) {
    SYSTEMTIME when = {};
    when.wYear = year;
    when.wMonth = month;
    when.wDay = day;
    when.wHour = hour;
    return when;
  }

  static ULONGLONG Ticks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  }
};

TEST_F(FileTimeTest, TheUnixEpochIsItsCountOfHundredNanosecondsSince1601) {
  const SYSTEMTIME epoch = Day(1970, 1, 1);
  FILETIME file;
  ASSERT_TRUE(SystemTimeToFileTime(&epoch, &file));
  EXPECT_EQ(Ticks(file), 116444736000000000ull);
}

TEST_F(FileTimeTest, BackToASystemTimeGivesTheDayOfTheWeek) {
  const SYSTEMTIME epoch = Day(1970, 1, 1, 13);
  FILETIME file;
  ASSERT_TRUE(SystemTimeToFileTime(&epoch, &file));
  SYSTEMTIME back;
  ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
  EXPECT_EQ(back.wYear, 1970);
  EXPECT_EQ(back.wMonth, 1);
  EXPECT_EQ(back.wDay, 1);
  EXPECT_EQ(back.wHour, 13);
  EXPECT_EQ(back.wDayOfWeek, 4);  // a Thursday
}

TEST_F(FileTimeTest, AnImpossibleDateIsInvalidParameter) {
  const SYSTEMTIME bad = Day(1970, 2, 30);
  FILETIME file;
  SetLastError(0);
  EXPECT_FALSE(SystemTimeToFileTime(&bad, &file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(FileTimeTest, LocalFileTimesConvertInPlaceAsIntoAnotherStructure) {
  const SYSTEMTIME when = Day(2009, 6, 15, 12);
  FILETIME utc;
  ASSERT_TRUE(SystemTimeToFileTime(&when, &utc));
  FILETIME local;
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  FILETIME inPlace = utc;
  ASSERT_TRUE(FileTimeToLocalFileTime(&inPlace, &inPlace));
  EXPECT_EQ(Ticks(inPlace), Ticks(local));
  ASSERT_TRUE(LocalFileTimeToFileTime(&inPlace, &inPlace));
  EXPECT_EQ(Ticks(inPlace), Ticks(utc));
}

}  // namespace
}  // namespace conformance
