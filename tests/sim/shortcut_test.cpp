// SHCreateShortcut against the Windows CE documentation: a shortcut is a text file holding the
// number of characters of the target, "#" and the target (Creating a Shortcut File, Windows CE
// 5.0), in the device's ANSI code page and without a line break; it is not made when a file of
// that name exists (SHCreateShortcut: "FALSE is also returned if the specified shortcut already
// exists"), when its folder is missing or in ROM, or when the target does not fit the
// 256-character buffer the function documents. The paths are the device's, MAX_PATH included.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"

namespace {

using foldwise_test::PathOfLength;

class ShortcutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.image.AddFolder(u"\\Windows\\Start Menu\\Programs");
    device.image.AddFile(u"\\Program Files\\Tool Box\\box.exe", "MZ");
    device.image.AddFolder(u"\\Rom Folder", FILE_ATTRIBUTE_INROM);
    ASSERT_TRUE(device.Boot());
  }

  // The bytes of a device file, read from the image on the host.
  std::string Contents(const std::string& deviceRelativeHostPath) {
    std::ifstream in(device.image.Folder() + "/files/" + deviceRelativeHostPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  static BOOL Create(const std::u16string& shortcut, const std::u16string& target) {
    std::u16string link = shortcut;
    std::u16string text = target;
    return static_cast<BOOL>(SHCreateShortcut(link.data(), text.data()));
  }

  foldwise_test::BootedDevice device;
};

TEST_F(ShortcutTest, TheFileHoldsTheTargetsLengthAHashAndTheTargetOnOneLine) {
  ASSERT_TRUE(Create(u"\\Windows\\Start Menu\\Programs\\box.lnk", u"\"\\Program Files\\Tool Box\\box.exe\""));
  EXPECT_EQ(Contents("Windows/Start Menu/Programs/box.lnk"), "33#\"\\Program Files\\Tool Box\\box.exe\"");
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Start Menu\\Programs\\box.lnk"), DWORD(FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(ShortcutTest, TheTargetIsWrittenAsGivenWithItsArguments) {
  ASSERT_TRUE(Create(u"\\Windows\\Start Menu\\Programs\\web.lnk", u"\\Windows\\iexplore.exe -home"));
  EXPECT_EQ(Contents("Windows/Start Menu/Programs/web.lnk"), "27#\\Windows\\iexplore.exe -home");
}

TEST_F(ShortcutTest, TheTargetIsWrittenInTheDevicesAnsiCodePage) {
  ASSERT_TRUE(Create(u"\\Windows\\Start Menu\\Programs\\caf.lnk", u"\\Caf\u00e9\\\u20ac.exe"));
  // é is 0xE9 and the euro sign 0x80 in Windows-1252; the count is of characters.
  EXPECT_EQ(Contents("Windows/Start Menu/Programs/caf.lnk"), std::string("11#\\Caf\xE9\\\x80.exe"));
}

TEST_F(ShortcutTest, ATargetOutsideTheCodePageIsRefusedRatherThanChanged) {
  SetLastError(0);
  EXPECT_FALSE(Create(u"\\Windows\\Start Menu\\Programs\\greek.lnk", u"\\\u03a9.exe"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Start Menu\\Programs\\greek.lnk"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ShortcutTest, AnExistingFileIsNeitherReplacedNorChanged) {
  ASSERT_TRUE(Create(u"\\Windows\\Start Menu\\Programs\\box.lnk", u"\\first.exe"));
  SetLastError(0);
  EXPECT_FALSE(Create(u"\\Windows\\Start Menu\\Programs\\BOX.LNK", u"\\second.exe"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));
  EXPECT_EQ(Contents("Windows/Start Menu/Programs/box.lnk"), "10#\\first.exe");
}

TEST_F(ShortcutTest, AFolderOfThatNameIsNotReplaced) {
  SetLastError(0);
  EXPECT_FALSE(Create(u"\\Windows\\Start Menu\\Programs", u"\\x.exe"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Start Menu\\Programs"), DWORD(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(ShortcutTest, AMissingFolderIsNotMade) {
  SetLastError(0);
  EXPECT_FALSE(Create(u"\\Windows\\Start Menu\\Missing\\box.lnk", u"\\box.exe"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Start Menu\\Missing"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ShortcutTest, NothingIsMadeInAFolderInRom) {
  SetLastError(0);
  EXPECT_FALSE(Create(u"\\Rom Folder\\box.lnk", u"\\box.exe"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
}

TEST_F(ShortcutTest, NullArgumentsAreRefused) {
  WCHAR target[] = u"\\box.exe";
  WCHAR link[] = u"\\box.lnk";
  SetLastError(0);
  EXPECT_FALSE(SHCreateShortcut(nullptr, target));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(SHCreateShortcut(link, nullptr));
  EXPECT_EQ(GetFileAttributesW(link), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ShortcutTest, AnEmptyTargetGivesACountOfNothing) {
  ASSERT_TRUE(Create(u"\\empty.lnk", u""));
  EXPECT_EQ(Contents("empty.lnk"), "0#");
}

// --- The device's MAX_PATH for the shortcut's path ---

TEST_F(ShortcutTest, AShortcutPathOf259CharactersIsMade) {
  std::u16string folder;
  const std::u16string path = PathOfLength(u"\\Deep", 259, &folder);
  ASSERT_TRUE(CreateDirectoryW(u"\\Deep", nullptr));
  for (size_t at = folder.find(u'\\', 6); at != std::u16string::npos; at = folder.find(u'\\', at + 1)) {
    ASSERT_TRUE(CreateDirectoryW(folder.substr(0, at).c_str(), nullptr));
  }
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  EXPECT_TRUE(Create(path, u"\\box.exe"));
  EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

class ShortcutPathTooLongTest : public ShortcutTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(ShortcutPathTooLongTest, IsRefused) {
  const std::u16string path = PathOfLength(u"\\Deep", GetParam());
  SetLastError(0);
  EXPECT_FALSE(Create(path, u"\\box.exe"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
}

INSTANTIATE_TEST_SUITE_P(OfMaxPathAndMore, ShortcutPathTooLongTest, ::testing::Values(size_t(260), size_t(261)));

// --- The documented 256-character buffer of the target ---

TEST_F(ShortcutTest, ATargetOf255CharactersFillsTheBuffer) {
  const std::u16string target = u"\\" + std::u16string(250, u't') + u".exe";
  ASSERT_EQ(target.size(), 255u);
  ASSERT_TRUE(Create(u"\\long.lnk", target));
  EXPECT_EQ(Contents("long.lnk"), "255#\\" + std::string(250, 't') + ".exe");
}

class ShortcutTargetTooLongTest : public ShortcutTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(ShortcutTargetTooLongTest, IsRefusedWhole) {
  const std::u16string target = u"\\" + std::u16string(GetParam() - 5, u't') + u".exe";
  SetLastError(0);
  EXPECT_FALSE(Create(u"\\long.lnk", target));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetFileAttributesW(u"\\long.lnk"), INVALID_FILE_ATTRIBUTES) << "nothing cut to size is written";
}

INSTANTIATE_TEST_SUITE_P(OfTheBufferAndMore, ShortcutTargetTooLongTest,
                         ::testing::Values(size_t(256), size_t(259), size_t(260)));

}  // namespace
