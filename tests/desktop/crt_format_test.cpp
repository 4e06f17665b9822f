// The C run-time's formatting as module code sees it on desktop Windows: swprintf without a count
// and with the device's wide and narrow string arguments, _snprintf with its count.
#include <gtest/gtest.h>

#include "ceplatform.h"

namespace {

int FormatThroughList(WCHAR* buffer, const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int written = vswprintf(buffer, format, arguments);
  va_end(arguments);
  return written;
}

TEST(WideFormatting, PercentSTakesAWideStringAndPercentCapitalSANarrowOne) {
  WCHAR buffer[64];
  EXPECT_EQ(12, swprintf(buffer, TEXT("%s|%S"), TEXT("wide"), "narrow."));
  EXPECT_STREQ(TEXT("wide|narrow."), buffer);
}

TEST(WideFormatting, ExplicitWidthPrefixesNameTheArgumentWidth) {
  WCHAR buffer[64];
  EXPECT_EQ(7, swprintf(buffer, TEXT("%hs-%ls"), "abc", TEXT("def")));
  EXPECT_STREQ(TEXT("abc-def"), buffer);
}

TEST(WideFormatting, PercentCTakesAWideCharacterAndPercentCapitalCANarrowOne) {
  WCHAR buffer[16];
  EXPECT_EQ(2, swprintf(buffer, TEXT("%c%C"), static_cast<int>(TEXT('\x00e9')), static_cast<int>('z')));
  EXPECT_EQ(0x00e9, buffer[0]);
  EXPECT_EQ(TEXT('z'), buffer[1]);
  EXPECT_EQ(0, buffer[2]);
}

TEST(WideFormatting, NumbersFlagsAndWidths) {
  WCHAR buffer[64];
  int written = swprintf(buffer, TEXT("%d %u %x %08X %-4s| %%"), -42, 4000000000u, 255, 0xBEEFu, TEXT("ab"));
  EXPECT_STREQ(TEXT("-42 4000000000 ff 0000BEEF ab  | %"), buffer);
  EXPECT_EQ(static_cast<int>(wcslen(buffer)), written);
}

TEST(WideFormatting, AFullLengthPathIsWrittenWholeAndTerminated) {
  WCHAR path[MAX_PATH];
  for (int i = 0; i < MAX_PATH - 1; ++i) {
    path[i] = TEXT('a') + static_cast<WCHAR>(i % 26);
  }
  path[MAX_PATH - 1] = 0;
  WCHAR buffer[MAX_PATH + 1];
  buffer[MAX_PATH] = TEXT('#');
  EXPECT_EQ(MAX_PATH - 1, swprintf(buffer, TEXT("%s"), path));
  EXPECT_EQ(0, wcscmp(path, buffer));
  EXPECT_EQ(TEXT('#'), buffer[MAX_PATH]);
}

TEST(WideFormatting, TheListFormHasTheSameMeaning) {
  WCHAR buffer[64];
  EXPECT_EQ(8, FormatThroughList(buffer, TEXT("%s=%d/%S"), TEXT("key"), 17, "z"));
  EXPECT_STREQ(TEXT("key=17/z"), buffer);
}

TEST(NarrowFormatting, TextThatFitsIsCountedAndTerminated) {
  char buffer[8];
  EXPECT_EQ(3, _snprintf(buffer, sizeof(buffer), "%d", 123));
  EXPECT_STREQ("123", buffer);
}

TEST(NarrowFormatting, TextThatFillsTheCountExactlyIsNotTerminated) {
  char buffer[8];
  memset(buffer, '#', sizeof(buffer));
  EXPECT_EQ(4, _snprintf(buffer, 4, "%s", "abcd"));
  EXPECT_EQ(0, memcmp(buffer, "abcd#", 5));
}

TEST(NarrowFormatting, TextThatDoesNotFitGivesMinusOneAndWritesOnlyTheCount) {
  char buffer[8];
  memset(buffer, '#', sizeof(buffer));
  EXPECT_EQ(-1, _snprintf(buffer, 4, "%s", "abcdef"));
  EXPECT_EQ(0, memcmp(buffer, "abcd####", 8));
}

}  // namespace
