// The device's C run-time on wide strings, with the device's meaning: swprintf without a
// count, %s as a wide string in a wide format, 32-bit long, -1 from the counted formats when
// the text does not fit, and wcstok's kept position.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "cesim/automation.h"
#include "sim/crt.h"

namespace {


constexpr WCHAR kSentinel = u'#';

void Fill(WCHAR* buffer, size_t count) {
  for (size_t i = 0; i < count; ++i) buffer[i] = kSentinel;
}

int CallVswprintf(WCHAR* buffer, const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int result = vswprintf(buffer, format, arguments);
  va_end(arguments);
  return result;
}

TEST(CrtCopy, WcsncpyPadsWithZerosAndLeavesNoTerminatorWhenFull) {
  WCHAR buffer[8];
  Fill(buffer, 8);
  wcsncpy(buffer, u"ab", 5);
  EXPECT_EQ(std::u16string(buffer, 5), std::u16string(u"ab\0\0\0", 5));
  EXPECT_EQ(buffer[5], kSentinel);

  Fill(buffer, 8);
  wcsncpy(buffer, u"abcdef", 3);
  EXPECT_EQ(std::u16string(buffer, 4), u"abc#");
}

TEST(CrtCopy, WcsncatAppendsAtMostCountAndAlwaysTerminates) {
  WCHAR buffer[10] = u"ab";
  buffer[9] = kSentinel;
  wcsncat(buffer, u"cdefgh", 3);
  EXPECT_EQ(std::u16string(buffer), u"abcde");
  wcsncat(buffer, u"", 3);
  EXPECT_EQ(std::u16string(buffer), u"abcde");
  EXPECT_EQ(buffer[9], kSentinel);
}

TEST(CrtCopy, WcscpyAndWcscatCopyTheTerminator) {
  WCHAR buffer[12];
  Fill(buffer, 12);
  EXPECT_EQ(wcscpy(buffer, u"Temp"), buffer);
  EXPECT_EQ(buffer[4], 0);
  EXPECT_EQ(buffer[5], kSentinel);
  wcscat(buffer, u"\\x");
  EXPECT_EQ(std::u16string(buffer), u"Temp\\x");
  EXPECT_EQ(wcslen(buffer), 6u);
  EXPECT_EQ(wcslen(u""), 0u);
}

TEST(CrtCompare, OrdinalComparisonsGiveTheSignOfTheFirstDifference) {
  EXPECT_EQ(wcscmp(u"abc", u"abc"), 0);
  EXPECT_LT(wcscmp(u"abc", u"abd"), 0);
  EXPECT_GT(wcscmp(u"abc", u"ab"), 0);
  EXPECT_LT(wcscmp(u"Z", u"a"), 0);
  // Units above 0x7FFF compare as unsigned.
  EXPECT_GT(wcscmp(u"\xE9", u"e"), 0);
  EXPECT_EQ(wcsncmp(u"abcX", u"abcY", 3), 0);
  EXPECT_NE(wcsncmp(u"abcX", u"abcY", 4), 0);
  EXPECT_EQ(wcsncmp(u"a", u"b", 0), 0);
}

TEST(CrtCompare, CaseInsensitiveComparisonsFoldToLowerCase) {
  EXPECT_EQ(_wcsicmp(u".EXE", u".exe"), 0);
  EXPECT_EQ(_wcsicmp(u"\xC9T\xC9", u"\xE9t\xE9"), 0);  // É and é
  EXPECT_EQ(_wcsicmp(u"\x0416", u"\x0436"), 0);        // Cyrillic Zhe
  // Compared in lower case: '_' (0x5F) sorts before 'a' even against 'A'.
  EXPECT_LT(_wcsicmp(u"_", u"A"), 0);
  EXPECT_LT(_wcsicmp(u"abc", u"ABCD"), 0);
  EXPECT_EQ(_wcsnicmp(u"WindowsX", u"windowsY", 7), 0);
  EXPECT_NE(_wcsnicmp(u"WindowsX", u"windowsY", 8), 0);
}

TEST(CrtSearch, WcschrAndWcsrchrFindFirstAndLastAndTheTerminator) {
  WCHAR path[] = u"\\Windows\\Fonts\\tahoma.ttf";
  EXPECT_EQ(wcschr(path, u'\\'), path);
  EXPECT_EQ(wcsrchr(path, u'\\'), path + 14);
  EXPECT_EQ(wcschr(path, u'?'), nullptr);
  EXPECT_EQ(wcsrchr(path, u'?'), nullptr);
  EXPECT_EQ(wcschr(path, 0), path + wcslen(path));
  // The constant overload returns a constant pointer into the same string.
  const WCHAR* constant = path;
  const WCHAR* dot = wcsrchr(constant, u'.');
  EXPECT_EQ(std::u16string(dot), u".ttf");
}

TEST(CrtSearch, WcsstrWcspbrkAndSpans) {
  const WCHAR* text = u"Program Files\\Tool Box";
  EXPECT_EQ(wcsstr(text, u"Tool"), text + 14);
  EXPECT_EQ(wcsstr(text, u""), text);
  EXPECT_EQ(wcsstr(text, u"tool"), nullptr);
  EXPECT_EQ(wcspbrk(text, u"\\ "), text + 7);
  EXPECT_EQ(wcspbrk(text, u"?*"), nullptr);
  EXPECT_EQ(wcscspn(text, u"\\"), 13u);
  EXPECT_EQ(wcscspn(text, u""), wcslen(text));
  EXPECT_EQ(wcsspn(u"  \tx", u" \t"), 3u);
  EXPECT_EQ(wcsspn(u"x", u""), 0u);
}

TEST(CrtTokens, WcstokKeepsItsPositionAndSkipsEmptyTokens) {
  WCHAR path[] = u"\\\\Windows\\\\Fonts\\";
  WCHAR* token = wcstok(path, u"\\");
  ASSERT_NE(token, nullptr);
  EXPECT_EQ(std::u16string(token), u"Windows");
  // Other string calls in between leave the position alone.
  WCHAR other[16];
  wcscpy(other, u"abc");
  EXPECT_EQ(wcslen(other), 3u);
  token = wcstok(nullptr, u"\\");
  ASSERT_NE(token, nullptr);
  EXPECT_EQ(std::u16string(token), u"Fonts");
  EXPECT_EQ(wcstok(nullptr, u"\\"), nullptr);
  EXPECT_EQ(wcstok(nullptr, u"\\"), nullptr);
}

TEST(CrtTokens, WcstokStartsOverWithANewStringAndChangesDelimiters) {
  WCHAR first[] = u"a,b";
  EXPECT_EQ(std::u16string(wcstok(first, u",")), u"a");
  WCHAR second[] = u"x;y z";
  EXPECT_EQ(std::u16string(wcstok(second, u";")), u"x");
  EXPECT_EQ(std::u16string(wcstok(nullptr, u" ")), u"y");
  EXPECT_EQ(std::u16string(wcstok(nullptr, u" ")), u"z");
  WCHAR onlyDelimiters[] = u"\\\\";
  EXPECT_EQ(wcstok(onlyDelimiters, u"\\"), nullptr);
  WCHAR empty[] = u"";
  EXPECT_EQ(wcstok(empty, u"\\"), nullptr);
}

TEST(CrtNumbers, WcstolReadsBasesSignsAndPrefixes) {
  WCHAR* end = nullptr;
  const WCHAR* text = u"  -42abc";
  EXPECT_EQ(wcstol(text, &end, 10), -42);
  EXPECT_EQ(end, text + 5);
  EXPECT_EQ(wcstol(u"0x1F", nullptr, 16), 31);
  EXPECT_EQ(wcstol(u"0x1F", nullptr, 0), 31);
  EXPECT_EQ(wcstol(u"017", nullptr, 0), 15);
  EXPECT_EQ(wcstol(u"z", nullptr, 36), 35);
  EXPECT_EQ(wcstol(u"+7", nullptr, 10), 7);
  // No digits: nothing read, the end is the start.
  const WCHAR* none = u"  x1";
  EXPECT_EQ(wcstol(none, &end, 10), 0);
  EXPECT_EQ(end, none);
  EXPECT_EQ(wcstol(u"12", nullptr, 1), 0);
}

TEST(CrtNumbers, LongIsThirtyTwoBitsAndOverflowClamps) {
  errno = 0;
  EXPECT_EQ(wcstol(u"2147483647", nullptr, 10), 2147483647);
  EXPECT_EQ(errno, 0);
  EXPECT_EQ(wcstol(u"2147483648", nullptr, 10), INT32_MAX);
  EXPECT_EQ(errno, ERANGE);
  EXPECT_EQ(wcstol(u"-2147483648", nullptr, 10), INT32_MIN);
  EXPECT_EQ(wcstol(u"-99999999999999999999", nullptr, 10), INT32_MIN);
  EXPECT_EQ(wcstoul(u"4294967295", nullptr, 10), 4294967295u);
  errno = 0;
  EXPECT_EQ(wcstoul(u"4294967296", nullptr, 10), 4294967295u);
  EXPECT_EQ(errno, ERANGE);
  EXPECT_EQ(wcstoul(u"-1", nullptr, 10), 4294967295u);
  EXPECT_EQ(_wtoi(u" 12 34"), 12);
  EXPECT_EQ(_wtoi(u"abc"), 0);
  EXPECT_EQ(_wtol(u"-300"), -300);
}

TEST(CrtCharacters, CaseMappingAndClasses) {
  EXPECT_EQ(towlower(u'A'), u'a');
  EXPECT_EQ(towlower(u'a'), u'a');
  EXPECT_EQ(towlower(u'['), u'[');
  EXPECT_EQ(towlower(u'\xC0'), u'\xE0');
  EXPECT_EQ(towlower(u'\xD7'), u'\xD7');  // the multiplication sign has no case
  EXPECT_EQ(towupper(u'\xFF'), u'\x0178');
  EXPECT_EQ(towupper(u'\x0161'), u'\x0160');
  EXPECT_EQ(towupper(u'\x03C2'), u'\x03A3');
  EXPECT_EQ(towupper(u'\x0451'), u'\x0401');
  // Greek letters with tonos pair up too, as the device's table has them.
  EXPECT_EQ(towupper(u'\x03AD'), u'\x0388');
  EXPECT_EQ(towlower(u'\x038F'), u'\x03CE');
  EXPECT_TRUE(iswspace(u' '));
  EXPECT_TRUE(iswspace(u'\t'));
  EXPECT_TRUE(iswspace(u'\x3000'));
  EXPECT_FALSE(iswspace(u'x'));
  EXPECT_TRUE(iswdigit(u'7'));
  EXPECT_FALSE(iswdigit(u'a'));
}

// The run-time compares without letter case through the device's one case table, the same the
// file system and the window manager use.
TEST(CrtStrings, CaseInsensitiveComparisonUsesTheDevicesCaseTable) {
  EXPECT_EQ(_wcsicmp(u"\x03A9\x03BC\x03AD\x03B3\x03B1", u"\x03A9\x039C\x0388\x0393\x0391"), 0);  // Greek, tonos
  EXPECT_EQ(_wcsicmp(u"\x041E\x043A\x043D\x043E", u"\x043E\x041A\x041D\x041E"), 0);                // Cyrillic
  EXPECT_EQ(_wcsnicmp(u"\x0176x", u"\x0177y", 1), 0);                                                 // Latin Extended-A
  // Both sides compare in lower case, as the run-time documents: "_" (0x5F) comes before "a" (0x61).
  EXPECT_LT(_wcsicmp(u"_", u"A"), 0);
  EXPECT_LT(_wcsicmp(u"a", u"B"), 0);
}

TEST(CrtFormat, PercentSIsWideAndUpperSIsNarrowInAWideFormat) {
  WCHAR buffer[64];
  EXPECT_EQ(swprintf(buffer, u"Property (%s)...", u"Letter.doc"), 24);
  EXPECT_EQ(std::u16string(buffer), u"Property (Letter.doc)...");
  swprintf(buffer, u"[%S|%c|%C]", "narrow", u'\x20AC', 'n');
  EXPECT_EQ(std::u16string(buffer), u"[narrow|\x20AC|n]");
  swprintf(buffer, u"%hs %ls %ws", "h", u"l", u"w");
  EXPECT_EQ(std::u16string(buffer), u"h l w");
  swprintf(buffer, u"%s", static_cast<const WCHAR*>(nullptr));
  EXPECT_EQ(std::u16string(buffer), u"(null)");
}

TEST(CrtFormat, NumbersWidthsPrecisionAndFlags) {
  WCHAR buffer[128];
  const DWORD dword = 0xDEADBEEF;
  const LONG negative = -5;
  swprintf(buffer, u"%d %u %x %X %08X %lu %ld", -12, 3000000000u, 255, 255, 0x1F, dword, negative);
  EXPECT_EQ(std::u16string(buffer), u"-12 3000000000 ff FF 0000001F 3735928559 -5");
  swprintf(buffer, u"%I64d %lld %I64u", -1234567890123LL, 9000000000LL, 18446744073709551615ULL);
  EXPECT_EQ(std::u16string(buffer), u"-1234567890123 9000000000 18446744073709551615");
  swprintf(buffer, u"[%5d][%-5d][%05d][%+d][% d][%.3d][%#x][%#o]", 42, 42, -42, 7, 7, 5, 255, 8);
  EXPECT_EQ(std::u16string(buffer), u"[   42][42   ][-0042][+7][ 7][005][0xff][010]");
  swprintf(buffer, u"[%.3s][%6s][%-6s][%*d][%.*s]", u"abcdef", u"ab", u"ab", 4, 9, 2, u"xyz");
  EXPECT_EQ(std::u16string(buffer), u"[abc][    ab][ab    ][   9][xy]");
  swprintf(buffer, u"100%% %hd %.2f", 70000, 2.5);
  EXPECT_EQ(std::u16string(buffer), u"100% 4464 2.50");
  EXPECT_EQ(CallVswprintf(buffer, u"%s(%d).lnk", u"\\Windows\\Start Menu\\Programs\\box", 2), 39);
  EXPECT_EQ(std::u16string(buffer), u"\\Windows\\Start Menu\\Programs\\box(2).lnk");
}

TEST(CrtFormat, CountedWideFormatFitsExactlyOrReportsMinusOne) {
  WCHAR buffer[8];
  Fill(buffer, 8);
  EXPECT_EQ(_snwprintf(buffer, 6, u"%s", u"abcd"), 4);
  EXPECT_EQ(std::u16string(buffer), u"abcd");
  EXPECT_EQ(buffer[5], kSentinel);

  // Exactly full: every character written, no terminator.
  Fill(buffer, 8);
  EXPECT_EQ(_snwprintf(buffer, 4, u"%s", u"abcd"), 4);
  EXPECT_EQ(std::u16string(buffer, 5), u"abcd#");

  // Too long: count characters written, -1 returned, nothing past count touched.
  Fill(buffer, 8);
  EXPECT_EQ(_snwprintf(buffer, 3, u"%d", 123456), -1);
  EXPECT_EQ(std::u16string(buffer, 4), u"123#");

  Fill(buffer, 8);
  EXPECT_EQ(_snwprintf(buffer, 0, u"x"), -1);
  EXPECT_EQ(buffer[0], kSentinel);
}

TEST(CrtFormat, NarrowCountedFormatTakesWideArgumentsThroughUpperS) {
  char buffer[8];
  std::memset(buffer, '#', sizeof(buffer));
  EXPECT_EQ(_snprintf(buffer, 8, "%d", 3), 1);
  EXPECT_STREQ(buffer, "3");
  EXPECT_EQ(_snprintf(buffer, 8, "%S|%s", u"w\x20AC", "n"), 4);
  EXPECT_STREQ(buffer, "w?|n");

  std::memset(buffer, '#', sizeof(buffer));
  EXPECT_EQ(_snprintf(buffer, 2, "%d", 12), 2);
  EXPECT_EQ(std::string(buffer, 3), "12#");
  std::memset(buffer, '#', sizeof(buffer));
  EXPECT_EQ(_snprintf(buffer, 2, "%d", 123), -1);
  EXPECT_EQ(std::string(buffer, 3), "12#");
}

}  // namespace
