// The device's collation against the platform's documented word sort: CompareStringW with its
// flags and counts, lstrcmpW and lstrcmpiW. Letters compare without case and accents first, then
// by accent, then by case (lower before upper); symbols come before digits, digits before letters;
// hyphens and apostrophes weigh only when everything else is equal.
#include <gtest/gtest.h>

#include <string>

#include "booted_device.h"
#include "ceplatform.h"

namespace {

class CollationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device.Boot()); }

  static int Compare(const std::u16string& a, const std::u16string& b, DWORD flags = 0) {
    return CompareStringW(LOCALE_USER_DEFAULT, flags, a.c_str(), -1, b.c_str(), -1);
  }

  foldwise_test::BootedDevice device;
};

TEST_F(CollationTest, LettersComeInAlphabeticalOrderWhateverTheirCase) {
  EXPECT_LT(lstrcmpW(u"apple", u"Banana"), 0);  // not in code unit order, where 'B' < 'a'
  EXPECT_LT(lstrcmpW(u"Zebra", u"zebras"), 0);
  EXPECT_GT(lstrcmpiW(u"windows", u"Program Files"), 0);
  // Case decides last, lower case first; without case the texts are equal.
  EXPECT_LT(lstrcmpW(u"apple", u"Apple"), 0);
  EXPECT_EQ(lstrcmpiW(u"apple", u"APPLE"), 0);
  EXPECT_EQ(Compare(u"Apple", u"apple", NORM_IGNORECASE), CSTR_EQUAL);
  EXPECT_EQ(Compare(u"Apple", u"apple"), CSTR_GREATER_THAN);
}

// After a common start the first letters or digits that differ decide, in alphabetical order and
// not in code unit order; an accent or a case that differs there weighs only after the rest.
TEST_F(CollationTest, TextsWithACommonStartAreOrderedByWhatFollowsIt) {
  EXPECT_LT(lstrcmpW(u"Notes a", u"Notes B"), 0);  // 'B' < 'a' as code units
  EXPECT_LT(lstrcmpW(u"Application 517 (app517.exe)", u"Application 52 (app52.exe)"), 0);
  EXPECT_GT(lstrcmpW(u"Group 9", u"Group 10"), 0);
  EXPECT_LT(lstrcmpW(u"Group 9", u"Group A"), 0);  // digits before letters
  EXPECT_LT(lstrcmpW(u"Group a", u"Group-a"), 0);  // the hyphen weighs last, the space as a symbol
  EXPECT_GT(lstrcmpW(u"Notes bz", u"Notes Ba"), 0);  // the case of the b weighs after the z and a
  EXPECT_LT(lstrcmpW(u"cafe\u0301s", u"cafet"), 0);  // the accent belongs to the e
  EXPECT_GT(lstrcmpW(u"cafe\u0301s", u"cafes"), 0);
}

TEST_F(CollationTest, AccentsWeighAfterTheLettersAndBeforeTheCase) {
  // Ä sorts among the A's, not after Z as its code unit would.
  EXPECT_LT(lstrcmpW(u"Äpfel", u"Birne"), 0);
  EXPECT_LT(lstrcmpW(u"Apfel", u"Äpfel"), 0);
  // The letters decide before the accents: résumé comes before resumes.
  EXPECT_LT(lstrcmpW(u"résumé", u"resumes"), 0);
  EXPECT_LT(lstrcmpW(u"resume", u"résumé"), 0);
  // The accent decides before the case.
  EXPECT_LT(lstrcmpW(u"Resume", u"résumé"), 0);
  EXPECT_EQ(Compare(u"Résumé", u"resume", NORM_IGNORECASE | NORM_IGNORENONSPACE), CSTR_EQUAL);
  EXPECT_EQ(Compare(u"Résumé", u"resume", NORM_IGNORENONSPACE), CSTR_GREATER_THAN);  // the case is left
  // A combining accent after its letter is the same as the precomposed letter.
  EXPECT_EQ(Compare(u"re\u0301sume\u0301", u"résumé"), CSTR_EQUAL);
  EXPECT_EQ(Compare(u"cafe\u0301", u"café"), CSTR_EQUAL);
  EXPECT_EQ(Compare(u"cafe\u0301", u"cafe"), CSTR_GREATER_THAN);  // the accent belongs to the e
  // Letters that sort as two: ß as ss, Æ as AE.
  EXPECT_EQ(Compare(u"Straße", u"STRASSE", NORM_IGNORECASE), CSTR_EQUAL);
  EXPECT_LT(lstrcmpiW(u"Ærø", u"Afrika"), 0);
}

TEST_F(CollationTest, SymbolsComeBeforeDigitsAndDigitsBeforeLetters) {
  EXPECT_LT(lstrcmpW(u"_notes", u"1998"), 0);
  EXPECT_LT(lstrcmpW(u"1998", u"Archive"), 0);
  EXPECT_GT(lstrcmpW(u"2", u"10"), 0);  // digits compare one by one: "10" before "2"
  EXPECT_LT(lstrcmpW(u"My Device", u"MyDevice"), 0);  // a space is a symbol, before letters
  EXPECT_EQ(Compare(u"a.b c", u"abc", NORM_IGNORESYMBOLS), CSTR_EQUAL);
}

TEST_F(CollationTest, HyphensAndApostrophesWeighLastInAWordSort) {
  // co-op stays beside coop: both before cop.
  EXPECT_LT(lstrcmpW(u"co-op", u"cop"), 0);
  EXPECT_LT(lstrcmpW(u"coop", u"co-op"), 0);
  EXPECT_LT(lstrcmpW(u"cant", u"can't"), 0);
  // A string sort weighs them as the symbols they are.
  EXPECT_EQ(Compare(u"co-op", u"coop", SORT_STRINGSORT), CSTR_LESS_THAN);
  EXPECT_EQ(Compare(u"co-op", u"cop", SORT_STRINGSORT), CSTR_LESS_THAN);
}

TEST_F(CollationTest, WidthAndKanaTypeCanBeIgnored) {
  EXPECT_NE(Compare(u"\uFF21\uFF22\uFF23", u"ABC"), CSTR_EQUAL);  // fullwidth ABC
  EXPECT_EQ(Compare(u"\uFF21\uFF22\uFF23", u"ABC", NORM_IGNOREWIDTH), CSTR_EQUAL);
  EXPECT_NE(Compare(u"\u30AB", u"\u304B"), CSTR_EQUAL);  // katakana and hiragana ka
  EXPECT_EQ(Compare(u"\u30AB", u"\u304B", NORM_IGNOREKANATYPE), CSTR_EQUAL);
}

TEST_F(CollationTest, CountsLimitTheTexts) {
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, u"abcdef", 3, u"abc", -1), CSTR_EQUAL);
  EXPECT_EQ(CompareStringW(LOCALE_SYSTEM_DEFAULT, 0, u"abc", 2, u"abc", 3), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, u"", 0, u"", -1), CSTR_EQUAL);
}

TEST_F(CollationTest, BadArgumentsFail) {
  SetLastError(0);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, nullptr, -1, u"a", -1), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0x40000000, u"a", -1, u"a", -1), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
  // lstrcmpW and lstrcmpiW take null texts as less than any other.
  EXPECT_EQ(lstrcmpW(nullptr, nullptr), 0);
  EXPECT_LT(lstrcmpiW(nullptr, u""), 0);
  EXPECT_GT(lstrcmpW(u"", nullptr), 0);
}

}  // namespace
