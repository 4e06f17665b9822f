// A shortcut file read as the module reads one, with the run-time's streams in text mode:
// _wfopen, then fwscanf of the number before the hash and fgetws of the command after it. The
// edges of the number and the hash, the end of the file before the first conversion, a command
// cut at the buffer's capacity, and how text mode widens the bytes of the code page.
#include <string>
#include <vector>

#include "conformance.h"

namespace conformance {
namespace {

class CrtStreamTest : public ConformanceTest {
 protected:
  // A test with one shortcut file holding exactly these bytes.
  void StartWith(const std::string& bytes) {
    host.AddFile(TEXT("\\Shortcut.lnk"), bytes);
    ASSERT_TRUE(host.Start());
  }

  // Reads the shortcut: the result of fwscanf("%d#"), the number, and the line after it.
  void Read(int capacity = MAX_PATH) {
    FILE* file = _wfopen(host.Path(TEXT("\\Shortcut.lnk")).c_str(), TEXT("r"));
    ASSERT_TRUE(file != nullptr);
    scanned = fwscanf(file, TEXT("%d#"), &count);
    std::vector<WCHAR> buffer(capacity, 0);
    gotLine = fgetws(buffer.data(), capacity, file) == buffer.data();
    line = buffer.data();
    fclose(file);
  }

  int scanned = -2;
  int count = -2;
  bool gotLine = false;
  Text line;
};

TEST_F(CrtStreamTest, AShortcutGivesItsCountAndItsCommandWithTheLineFeed) {
  StartWith("22#\"\\Windows\\pword.exe\" -n\r\nsecond line\r\n");
  Read();
  EXPECT_EQ(scanned, 1);
  EXPECT_EQ(count, 22);
  EXPECT_TRUE(gotLine);
  EXPECT_EQ(Printable(line), "\"\\Windows\\pword.exe\" -n\n");
}

TEST_F(CrtStreamTest, AnotherCharacterThanTheHashIsLeftForTheLine) {
  StartWith("12x");
  Read();
  EXPECT_EQ(scanned, 1);
  EXPECT_EQ(count, 12);
  EXPECT_TRUE(gotLine);
  EXPECT_EQ(Printable(line), "x");
}

TEST_F(CrtStreamTest, NothingAfterTheHashGivesNoLine) {
  StartWith("12#");
  Read();
  EXPECT_EQ(scanned, 1);
  EXPECT_EQ(count, 12);
  EXPECT_FALSE(gotLine);
  EXPECT_EQ(Printable(line), "");
}

TEST_F(CrtStreamTest, AHashFirstMatchesNoNumberAndStaysForTheLine) {
  StartWith("#12");
  Read();
  EXPECT_EQ(scanned, 0);
  EXPECT_EQ(count, -2);
  EXPECT_TRUE(gotLine);
  EXPECT_EQ(Printable(line), "#12");
}

TEST_F(CrtStreamTest, ASignThatTheEndCutsShortIsAFailedMatch) {
  StartWith("-");
  Read();
  EXPECT_EQ(scanned, 0);
  EXPECT_FALSE(gotLine);
  EXPECT_EQ(Printable(line), "");
}

TEST_F(CrtStreamTest, AnEmptyShortcutEndsBeforeTheFirstConversion) {
  StartWith("");
  Read();
  EXPECT_EQ(scanned, EOF);
  EXPECT_FALSE(gotLine);
}

TEST_F(CrtStreamTest, AShortcutOfWhiteSpaceEndsBeforeTheFirstConversion) {
  // The run-time's reference: EOF when the end of the stream comes before the first conversion.
  StartWith("  \r\n\t ");
  Read();
  EXPECT_EQ(scanned, EOF);
  EXPECT_FALSE(gotLine);
}

TEST_F(CrtStreamTest, ALongCommandIsCutAtTheCapacityLessOne) {
  StartWith("300#" + std::string(300, 'c') + "\r\n");
  Read(MAX_PATH);
  EXPECT_TRUE(gotLine);
  EXPECT_EQ(line, Text(MAX_PATH - 1, TEXT('c')));
}

TEST_F(CrtStreamTest, TextModeWidensLatin1LettersToThemselves) {
  StartWith("1#caf\xE9!");
  Read();
  ASSERT_TRUE(gotLine);
  EXPECT_EQ(line, Text(TEXT("caf\x00E9!")));
}

TEST_F(CrtStreamTest, TheDeviceWidensTheBytesOfItsAnsiCodePage) {
  CONFORMANCE_CE_ONLY("fgetws (Windows CE): text mode reads multibyte characters of the ANSI code page, which is "
                      "Windows-1252 on the device; the desktop run-time's \"C\" locale widens each byte to its own "
                      "value");
  StartWith("1#\x80\x9F");
  Read();
  ASSERT_TRUE(gotLine);
  EXPECT_EQ(line, Text(TEXT("\x20AC\x0178")));
}

TEST_F(CrtStreamTest, TheDesktopRunTimeWidensEachByteToItsOwnValue) {
  CONFORMANCE_DESKTOP_ONLY("fgetws (Windows CE): text mode reads characters of the device's ANSI code page, "
                           "Windows-1252");
  StartWith("1#\x80\x9F");
  Read();
  ASSERT_TRUE(gotLine);
  EXPECT_EQ(line, Text(TEXT("\x0080\x009F")));
}

}  // namespace
}  // namespace conformance
