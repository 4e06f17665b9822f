// Dates and times as the module writes them: GetDateFormatW and GetTimeFormatW with a picture of
// their own, counting the terminator, refusing a buffer that is too small (and leaving what fit,
// cut and terminated), TIME_NOSECONDS, flags that contradict a picture, and the short date and
// the time of a United States English locale.
#include "conformance.h"

namespace conformance {
namespace {

class TimeFormatTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    when.wYear = 2009;
    when.wMonth = 6;
    when.wDay = 5;
    when.wDayOfWeek = 5;
    when.wHour = 14;
    when.wMinute = 7;
    when.wSecond = 9;
    for (WCHAR& c : text) c = TEXT('#');
  }

  SYSTEMTIME when = {};
  WCHAR text[32];
};

TEST_F(TimeFormatTest, ADateCountsItsTerminator) {
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, TEXT("yyyy'-'MM'-'dd"), nullptr, 0), 11);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, TEXT("yyyy'-'MM'-'dd"), text, 11), 11);
  EXPECT_EQ(Printable(text), "2009-06-05");
}

TEST_F(TimeFormatTest, ADateThatDoesNotFitIsInsufficientBuffer) {
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, TEXT("yyyy'-'MM'-'dd"), text, 10), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST_F(TimeFormatTest, ATimeCountsItsTerminator) {
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, TEXT("HH:mm:ss"), text, 32), 9);
  EXPECT_EQ(Printable(text), "14:07:09");
}

TEST_F(TimeFormatTest, NoSecondsTakesTheSecondsAndTheirSeparatorAway) {
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &when, TEXT("HH:mm:ss"), text, 32), 6);
  EXPECT_EQ(Printable(text), "14:07");
}

TEST_F(TimeFormatTest, ATimeThatDoesNotFitLeavesWhatFitCutAndTerminated) {
  SetLastError(0);
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, TEXT("HH:mm:ss"), text, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(Printable(text), "14:07:0");
  EXPECT_EQ(text[8], TEXT('#'));
}

TEST_F(TimeFormatTest, AShortDateFlagWithAPictureIsInvalidFlags) {
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, TEXT("d"), text, 32), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

TEST_F(TimeFormatTest, TheShortAndTheLongDateTogetherAreInvalidFlags) {
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE | DATE_LONGDATE, &when, nullptr, text, 32), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

// The device's locale is the one its image sets (United States English unless it says
// otherwise); a desktop's is its user's, which may be any.
class UsEnglishFormatTest : public TimeFormatTest {
 protected:
  void SetUp() override {
    TimeFormatTest::SetUp();
    if (OnCesim()) {
      ASSERT_EQ(GetUserDefaultLCID(), static_cast<LCID>(0x0409));
    } else if (GetUserDefaultLCID() != 0x0409) {
      GTEST_SKIP() << "the desktop's user locale is not United States English";
    }
  }
};

TEST_F(UsEnglishFormatTest, TheShortDateIsMonthDayYear) {
  ASSERT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text, 32), 0);
  EXPECT_EQ(Printable(text), "6/5/2009");
}

TEST_F(UsEnglishFormatTest, TheTimeHasTwelveHoursAndTheMarker) {
  ASSERT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, text, 32), 0);
  EXPECT_EQ(Printable(text), "2:07:09 PM");
}

TEST_F(UsEnglishFormatTest, NoSecondsKeepsTheMarker) {
  ASSERT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &when, nullptr, text, 32), 0);
  EXPECT_EQ(Printable(text), "2:07 PM");
}

}  // namespace
}  // namespace conformance
