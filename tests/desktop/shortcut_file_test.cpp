// SHCreateShortcut on desktop Windows: the device's shortcut text, never over an existing file.
#include <gtest/gtest.h>

#include <string>

#include "ceplatform.h"
#include "device_folder.h"

namespace {

class ShortcutFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WCHAR folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"foldwise_shortcut_test.lnk";
    DeleteFileW(path_.c_str());
  }
  void TearDown() override { DeleteFileW(path_.c_str()); }

  std::string Contents() const { return DeviceFolderTest::Contents(path_); }

  std::wstring path_;
};

TEST_F(ShortcutFileTest, WritesTheCountTheHashAndTheTargetInTheDevicesCodePage) {
  WCHAR target[] = L"\"\\Program Files\\Caf\x00e9\\box.exe\"";
  ASSERT_TRUE(SHCreateShortcut(&path_[0], target));
  EXPECT_EQ("29#\"\\Program Files\\Caf\xe9\\box.exe\"", Contents());
}

TEST_F(ShortcutFileTest, AnExistingFileIsKept) {
  WCHAR first[] = L"\\Windows\\calc.exe";
  WCHAR second[] = L"\\Windows\\other.exe";
  ASSERT_TRUE(SHCreateShortcut(&path_[0], first));
  EXPECT_FALSE(SHCreateShortcut(&path_[0], second));
  EXPECT_EQ("17#\\Windows\\calc.exe", Contents());
}

TEST_F(ShortcutFileTest, ATargetOf256CharactersOrMoreIsRefused) {
  std::wstring longest(255, L'x');
  ASSERT_TRUE(SHCreateShortcut(&path_[0], &longest[0]));
  DeleteFileW(path_.c_str());
  std::wstring tooLong(256, L'x');
  EXPECT_FALSE(SHCreateShortcut(&path_[0], &tooLong[0]));
  EXPECT_EQ("(none)", Contents());
}

}  // namespace
