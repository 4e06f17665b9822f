// The run-time's file streams on the device: _wfopen's modes and errors, text mode (bytes of the
// ANSI code page, line ends, CTRL+Z) and binary mode (UTF-16 units), and the wide calls over them
// with the cases of a shortcut file: a count, "#" and a command line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "booted_device.h"
#include "sim/core.h"
#include "sim/crt.h"
#include "sim/files.h"

namespace {

using foldwise_test::BootedDevice;

constexpr int kWeof = 0xFFFF;

class CrtStreamTest : public ::testing::Test {
 protected:
  void SetUp() override { device_.image.AddFolder(u"\\Temp"); }
  void Boot() { ASSERT_TRUE(device_.Boot()); }
  // A file on the device holding exactly these bytes.
  void AddFile(const std::string& bytes) { device_.image.AddFile(u"\\Temp\\file.lnk", bytes); }
  FILE* Open(const WCHAR* mode) { return _wfopen(u"\\Temp\\file.lnk", mode); }
  std::string HostBytes(const std::string& relative = "Temp/file.lnk") {
    std::ifstream in(device_.image.Folder() + "/files/" + relative, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  // Reads a shortcut as the platform's stream calls allow: "%d#", then the rest of the line.
  struct Shortcut {
    int scanned = 0;
    int count = 0;
    bool gotLine = false;
    std::u16string line;
  };
  Shortcut ReadShortcut(int capacity = 260) {
    Shortcut result;
    FILE* file = Open(u"r");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return result;
    result.scanned = fwscanf(file, u"%d#", &result.count);
    std::vector<WCHAR> buffer(capacity + 1, u'#');
    buffer[0] = 0;
    WCHAR* got = fgetws(buffer.data(), capacity, file);
    result.gotLine = got == buffer.data();
    EXPECT_TRUE(got == nullptr || got == buffer.data());
    result.line = buffer.data();
    EXPECT_EQ(buffer[capacity], u'#') << "wrote past the capacity";
    EXPECT_EQ(fclose(file), 0);
    return result;
  }

  BootedDevice device_;
};

// ---------------------------------------------------------------------------------------------
// Shortcut files.

TEST_F(CrtStreamTest, ACountAHashAndAQuotedCommandWithoutALineEnd) {
  AddFile("18#\"\\Windows\\pword.exe\"");
  Boot();
  Shortcut s = ReadShortcut();
  EXPECT_EQ(s.scanned, 1);
  EXPECT_EQ(s.count, 18);
  EXPECT_TRUE(s.gotLine);
  EXPECT_EQ(s.line, u"\"\\Windows\\pword.exe\"");
}

TEST_F(CrtStreamTest, ACommandEndingInALineBreakKeepsItAsALineFeed) {
  AddFile("22#\"\\Windows\\pword.exe\" -n\r\nsecond line\r\n");
  Boot();
  Shortcut s = ReadShortcut();
  EXPECT_EQ(s.scanned, 1);
  EXPECT_TRUE(s.gotLine);
  EXPECT_EQ(s.line, u"\"\\Windows\\pword.exe\" -n\n");
}

TEST_F(CrtStreamTest, TheSecondLineIsOnlyReadByAnotherCall) {
  AddFile("5#first\nsecond\n");
  Boot();
  FILE* file = Open(u"r");
  ASSERT_NE(file, nullptr);
  int count = 0;
  ASSERT_EQ(fwscanf(file, u"%d#", &count), 1);
  WCHAR line[64];
  ASSERT_EQ(fgetws(line, 64, file), line);
  EXPECT_EQ(std::u16string(line), u"first\n");
  ASSERT_EQ(fgetws(line, 64, file), line);
  EXPECT_EQ(std::u16string(line), u"second\n");
  EXPECT_EQ(fgetws(line, 64, file), nullptr);
  EXPECT_NE(feof(file), 0);
  EXPECT_EQ(ferror(file), 0);
  fclose(file);
}

TEST_F(CrtStreamTest, ANumberWithoutAHashStillCountsAndTheCommandStartsAfterIt) {
  AddFile("12x");
  Boot();
  Shortcut s = ReadShortcut();
  EXPECT_EQ(s.scanned, 1);
  EXPECT_EQ(s.count, 12);
  EXPECT_EQ(s.line, u"x");
}

TEST_F(CrtStreamTest, ANumberAndAHashAloneLeaveNothingToRead) {
  AddFile("12#");
  Boot();
  Shortcut s = ReadShortcut();
  EXPECT_EQ(s.scanned, 1);
  EXPECT_FALSE(s.gotLine);
  EXPECT_EQ(s.line, u"");
}

TEST_F(CrtStreamTest, AFileThatDoesNotStartWithANumberMatchesNothing) {
  AddFile("  #12 text");
  Boot();
  Shortcut s = ReadShortcut();
  EXPECT_EQ(s.scanned, 0);
  // The character that did not match is read next.
  EXPECT_EQ(s.line, u"#12 text");
}

TEST_F(CrtStreamTest, AnEmptyFileEndsBeforeTheFirstConversion) {
  AddFile("");
  Boot();
  Shortcut s = ReadShortcut();
  EXPECT_EQ(s.scanned, EOF);
  EXPECT_FALSE(s.gotLine);
}

TEST_F(CrtStreamTest, AFileOfWhiteSpaceEndsBeforeTheFirstConversion) {
  AddFile(" \t\r\n  \r\n");
  Boot();
  Shortcut s = ReadShortcut();
  EXPECT_EQ(s.scanned, EOF);
  EXPECT_FALSE(s.gotLine);
}

TEST_F(CrtStreamTest, ASignedCountAfterWhiteSpaceIsACount) {
  AddFile("\r\n  -7#cmd");
  Boot();
  Shortcut s = ReadShortcut();
  EXPECT_EQ(s.scanned, 1);
  EXPECT_EQ(s.count, -7);
  EXPECT_EQ(s.line, u"cmd");
}

TEST_F(CrtStreamTest, ALongCommandIsCutAtTheCapacityLessOne) {
  const std::string command(300, 'c');
  AddFile("300#" + command + "\r\n");
  Boot();
  Shortcut s = ReadShortcut(260);
  EXPECT_TRUE(s.gotLine);
  EXPECT_EQ(s.line, std::u16string(259, u'c'));
}

TEST_F(CrtStreamTest, ALineOfExactlyTheCapacityLessOneKeepsItsLineFeed) {
  AddFile("1#" + std::string(258, 'c') + "\n");
  Boot();
  Shortcut s = ReadShortcut(260);
  EXPECT_EQ(s.line, std::u16string(258, u'c') + u"\n");
}

// ---------------------------------------------------------------------------------------------
// Text and binary mode.

TEST_F(CrtStreamTest, TextModeReadsBytesOfTheAnsiCodePage) {
  AddFile("1#\x80 caf\xE9 \x93q\x94\x81");
  Boot();
  Shortcut s = ReadShortcut();
  EXPECT_EQ(s.line, u"\u20AC caf\u00E9 \u201Cq\u201D\u0081");
}

TEST_F(CrtStreamTest, TextModeEndsAtControlZAndKeepsLoneCarriageReturns) {
  AddFile("a\rb\r\r\nc\x1A" "after");
  Boot();
  FILE* file = Open(u"rt");
  ASSERT_NE(file, nullptr);
  WCHAR line[32];
  ASSERT_EQ(fgetws(line, 32, file), line);
  EXPECT_EQ(std::u16string(line), u"a\rb\r\n");
  ASSERT_EQ(fgetws(line, 32, file), line);
  EXPECT_EQ(std::u16string(line), u"c");
  EXPECT_EQ(fgetws(line, 32, file), nullptr);
  EXPECT_NE(feof(file), 0);
  fclose(file);
}

TEST_F(CrtStreamTest, BinaryModeReadsUtf16UnitsAsTheyAre) {
  const char16_t text[] = u"4#x\u0416\r\n";
  AddFile(std::string(reinterpret_cast<const char*>(text), sizeof(text) - 2));
  Boot();
  FILE* file = Open(u"rb");
  ASSERT_NE(file, nullptr);
  int count = 0;
  ASSERT_EQ(fwscanf(file, u"%d#", &count), 1);
  EXPECT_EQ(count, 4);
  WCHAR line[16];
  ASSERT_EQ(fgetws(line, 16, file), line);
  EXPECT_EQ(std::u16string(line), u"x\u0416\r\n");
  fclose(file);
}

TEST_F(CrtStreamTest, TextModeWritesLineFeedsAsCarriageReturnAndLineFeed) {
  Boot();
  FILE* file = Open(u"w");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(fputws(u"22#\"\\Windows\\pword.exe\"\n\u00E9\u20AC", file), 0);
  EXPECT_EQ(fwprintf(file, u"%d#%s", 7, u"x"), 3);
  EXPECT_EQ(fclose(file), 0);
  EXPECT_EQ(HostBytes(), "22#\"\\Windows\\pword.exe\"\r\n\xE9\x80" "7#x");
}

TEST_F(CrtStreamTest, BinaryModeWritesUtf16UnitsAsTheyAre) {
  Boot();
  FILE* file = Open(u"wb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(fputws(u"a\n\u0416", file), 0);
  fclose(file);
  EXPECT_EQ(HostBytes(), std::string("a\0\n\0\x16\x04", 6));
}

TEST_F(CrtStreamTest, ACharacterTheCodePageLacksEndsTheTextWithWeof) {
  Boot();
  FILE* file = Open(u"w");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(fputws(u"ab\u0416cd", file), kWeof);
  fclose(file);
  EXPECT_EQ(HostBytes(), "ab");
}

// ---------------------------------------------------------------------------------------------
// Opening.

TEST_F(CrtStreamTest, WriteEmptiesAppendAddsAndReadWriteKeeps) {
  AddFile("old text");
  Boot();
  FILE* file = Open(u"a");
  ASSERT_NE(file, nullptr);
  fputws(u"+more", file);
  fclose(file);
  EXPECT_EQ(HostBytes(), "old text+more");
  file = Open(u"r+");
  ASSERT_NE(file, nullptr);
  WCHAR word[8];
  ASSERT_EQ(fwscanf(file, u"%3s", word), 1);
  EXPECT_EQ(std::u16string(word), u"old");
  ASSERT_EQ(fseek(file, 0, SEEK_CUR), 0);
  fputws(u"_", file);
  fclose(file);
  EXPECT_EQ(HostBytes(), "old_text+more");
  file = Open(u"w");
  ASSERT_NE(file, nullptr);
  fclose(file);
  EXPECT_EQ(HostBytes(), "");
}

TEST_F(CrtStreamTest, NewFilesAreMadeInExistingFoldersOnly) {
  Boot();
  FILE* file = _wfopen(u"\\Temp\\new.txt", u"w+");
  ASSERT_NE(file, nullptr);
  fclose(file);
  EXPECT_EQ(GetFileAttributesW(u"\\Temp\\new.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  SetLastError(0);
  EXPECT_EQ(_wfopen(u"\\Nowhere\\new.txt", u"w"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(CrtStreamTest, WhatCannotBeOpenedGivesNoStreamAndTheDevicesError) {
  device_.image.AddFile(u"\\Windows\\rom.lnk", "1#x", FILE_ATTRIBUTE_INROM)
      .AddFile(u"\\Temp\\locked.lnk", "1#x", FILE_ATTRIBUTE_READONLY);
  Boot();
  struct Case {
    const WCHAR* path;
    const WCHAR* mode;
    DWORD error;
  };
  const Case cases[] = {
      {u"\\Temp\\missing.lnk", u"r", ERROR_FILE_NOT_FOUND},
      {u"\\Nowhere\\missing.lnk", u"r", ERROR_PATH_NOT_FOUND},
      {u"\\Temp", u"r", ERROR_ACCESS_DENIED},
      {u"\\Windows\\rom.lnk", u"w", ERROR_ACCESS_DENIED},
      {u"\\Windows\\rom.lnk", u"r+", ERROR_ACCESS_DENIED},
      {u"\\Temp\\locked.lnk", u"a", ERROR_ACCESS_DENIED},
      {u"\\Temp\\bad|name.lnk", u"w", ERROR_INVALID_NAME},
      {u"\\Temp\\file.lnk", u"x", ERROR_INVALID_PARAMETER},
      {u"\\Temp\\file.lnk", u"", ERROR_INVALID_PARAMETER},
      {u"\\Temp\\file.lnk", u"rw", ERROR_INVALID_PARAMETER},
      {u"\\Temp\\file.lnk", u"r++", ERROR_INVALID_PARAMETER},
      {u"\\Temp\\file.lnk", u"rtb", ERROR_INVALID_PARAMETER},
      {u"\\Temp\\file.lnk", nullptr, ERROR_INVALID_PARAMETER},
      {nullptr, u"r", ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(_wfopen(c.path, c.mode), nullptr) << (c.path ? cesim::Narrow(c.path) : "null");
    EXPECT_EQ(GetLastError(), c.error) << (c.path ? cesim::Narrow(c.path) : "null");
  }
  // What lies in ROM and read-only files can be read.
  for (const WCHAR* path : {u"\\Windows\\rom.lnk", u"\\Temp\\locked.lnk"}) {
    FILE* file = _wfopen(path, u"rb");
    ASSERT_NE(file, nullptr);
    fclose(file);
  }
}

TEST_F(CrtStreamTest, TheCommitFlagsAreAccepted) {
  AddFile("1#x");
  Boot();
  for (const WCHAR* mode : {u"rc", u"rbn", u"r+tc"}) {
    FILE* file = Open(mode);
    EXPECT_NE(file, nullptr) << cesim::Narrow(mode);
    if (file != nullptr) fclose(file);
  }
}

// ---------------------------------------------------------------------------------------------
// The line call's edges.

TEST_F(CrtStreamTest, ACapacityOfOneGivesAnEmptyLineAndNoneGivesNothing) {
  AddFile("abc");
  Boot();
  FILE* file = Open(u"r");
  ASSERT_NE(file, nullptr);
  WCHAR line[4] = {u'#', u'#', u'#', u'#'};
  EXPECT_EQ(fgetws(line, 1, file), line);
  EXPECT_EQ(line[0], 0);
  line[0] = u'#';
  EXPECT_EQ(fgetws(line, 0, file), nullptr);
  EXPECT_EQ(line[0], u'#');
  ASSERT_EQ(fgetws(line, 4, file), line);
  EXPECT_EQ(std::u16string(line), u"abc");
  fclose(file);
}

// ---------------------------------------------------------------------------------------------
// Scanning.

TEST(WideScanTest, FieldsLiteralsAndWhiteSpace) {
  int a = 0;
  int b = 0;
  WCHAR word[16];
  WCHAR letter = 0;
  EXPECT_EQ(swscanf(u"  12 , -3 name x", u"%d , %d %s %c", &a, &b, word, &letter), 4);
  EXPECT_EQ(a, 12);
  EXPECT_EQ(b, -3);
  EXPECT_EQ(std::u16string(word), u"name");
  EXPECT_EQ(letter, u'x');
  // %c takes white space as it comes.
  EXPECT_EQ(swscanf(u"1 z", u"%d%c", &a, &letter), 2);
  EXPECT_EQ(letter, u' ');
}

TEST(WideScanTest, TheResultCountsStoredFields) {
  int a = 0;
  int b = 0;
  EXPECT_EQ(swscanf(u"5 x", u"%d %d", &a, &b), 1);
  EXPECT_EQ(swscanf(u"x", u"%d", &a), 0);
  EXPECT_EQ(swscanf(u"", u"%d", &a), EOF);
  EXPECT_EQ(swscanf(u"   ", u"%d", &a), EOF);
  EXPECT_EQ(swscanf(u"7", u"%d#", &a), 1);
  // A suppressed field is a conversion too.
  EXPECT_EQ(swscanf(u"7", u"%*d %d", &a), 0);
  EXPECT_EQ(swscanf(u"7 8", u"%*d %d", &a), 1);
  EXPECT_EQ(a, 8);
  EXPECT_EQ(swscanf(u"#", u"#%d", &a), EOF);
  // A field that the input's end cuts short matched nothing.
  EXPECT_EQ(swscanf(u"-", u"%d", &a), 0);
  EXPECT_EQ(swscanf(u"-x", u"%d", &a), 0);
}

TEST(WideScanTest, WidthsSizesBasesScansetsAndCounts) {
  int a = 0;
  short s = 0;
  long long big = 0;
  unsigned u = 0;
  int n = 0;
  EXPECT_EQ(swscanf(u"12345", u"%2d%hd", &a, &s), 2);
  EXPECT_EQ(a, 12);
  EXPECT_EQ(s, 345);
  EXPECT_EQ(swscanf(u"9000000000", u"%I64d", &big), 1);
  EXPECT_EQ(big, 9000000000LL);
  EXPECT_EQ(swscanf(u"0x1F 017 ff", u"%i %i %x", &a, &n, &u), 3);
  EXPECT_EQ(a, 31);
  EXPECT_EQ(n, 15);
  EXPECT_EQ(u, 255u);
  WCHAR part[16];
  char narrow[16];
  EXPECT_EQ(swscanf(u"abc123;rest", u"%[a-z]%*[0-9]%n;%S", part, &n, narrow), 2);
  EXPECT_EQ(std::u16string(part), u"abc");
  EXPECT_EQ(n, 6);
  EXPECT_EQ(std::string(narrow), "rest");
  // A range written backwards is the same range.
  EXPECT_EQ(swscanf(u"mno!", u"%[z-a]", part), 1);
  EXPECT_EQ(std::u16string(part), u"mno");
  double d = 0;
  float f = 0;
  EXPECT_EQ(swscanf(u"2.5e2 -0.5", u"%lf %f", &d, &f), 2);
  EXPECT_EQ(d, 250.0);
  EXPECT_EQ(f, -0.5f);
}

}  // namespace
