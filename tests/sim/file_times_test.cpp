// Last-write times on the device come from the device's clock: files it creates or writes, and
// folders whose entries change, carry the time of the change; a copy keeps its source's time.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "booted_device.h"
#include "cesim/automation.h"
#include "cesim/ui.h"
#include "sim/core.h"
#include "sim/crt.h"
#include "sim/files.h"
#include "sim/shell.h"
#include "sim/time.h"

namespace {

using foldwise_test::BootedDevice;

// 2010-05-06 07:08:09 UTC as a file time: the image's boot time.
constexpr unsigned long long kBoot = 129176032890000000ULL;
constexpr unsigned long long kTicksPerMillisecond = 10000ULL;

unsigned long long LastWrite(const std::u16string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  EXPECT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) << "no such item";
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

class FileTimesTest : public ::testing::Test {
 protected:
  void Boot() {
    device_.image.SetBootTime("2010-05-06 07:08:09")
        .AddFile(u"\\My Documents\\Letter.doc", "letter")
        .AddFolder(u"\\My Documents\\Archive")
        .StampFilesWithBootTime();
    ASSERT_TRUE(device_.Boot());
  }
  // Milliseconds after boot, as a file time.
  static unsigned long long At(unsigned long long milliseconds) { return kBoot + milliseconds * kTicksPerMillisecond; }

  BootedDevice device_;
};

TEST_F(FileTimesTest, TheBootTimeStandsForEveryFileOfAStampedImage) {
  Boot();
  SYSTEMTIME now = {};
  GetSystemTime(&now);
  EXPECT_EQ(now.wYear, 2010);
  EXPECT_EQ(LastWrite(u"\\My Documents\\Letter.doc"), kBoot);
  EXPECT_EQ(LastWrite(u"\\My Documents\\Archive"), kBoot);
  EXPECT_EQ(LastWrite(u"\\My Documents"), kBoot);
}

TEST_F(FileTimesTest, CreatingOrWritingAFileStampsItAndANewEntryStampsItsFolder) {
  Boot();
  cesim::AdvanceClock(1500);
  FILE* created = _wfopen(u"\\My Documents\\new.txt", u"w");
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(LastWrite(u"\\My Documents\\new.txt"), At(1500));
  EXPECT_EQ(LastWrite(u"\\My Documents"), At(1500));
  cesim::AdvanceClock(2000);
  ASSERT_GE(fputws(u"text", created), 0);
  ASSERT_EQ(fclose(created), 0);
  EXPECT_EQ(LastWrite(u"\\My Documents\\new.txt"), At(3500));
  EXPECT_EQ(LastWrite(u"\\My Documents"), At(1500)) << "a write in a file is no change of its folder";

  // Reading changes nothing; opening to append without writing changes nothing either.
  cesim::AdvanceClock(1000);
  FILE* reading = _wfopen(u"\\My Documents\\Letter.doc", u"r");
  ASSERT_NE(reading, nullptr);
  fclose(reading);
  FILE* appending = _wfopen(u"\\My Documents\\Letter.doc", u"a");
  ASSERT_NE(appending, nullptr);
  fclose(appending);
  EXPECT_EQ(LastWrite(u"\\My Documents\\Letter.doc"), kBoot);
}

TEST_F(FileTimesTest, FolderEntriesAddedRemovedOrRenamedStampTheFolderButNotTheMovedItem) {
  Boot();
  cesim::AdvanceClock(1000);
  ASSERT_TRUE(CreateDirectoryW(u"\\My Documents\\Archive\\2010", nullptr));
  EXPECT_EQ(LastWrite(u"\\My Documents\\Archive\\2010"), At(1000));
  EXPECT_EQ(LastWrite(u"\\My Documents\\Archive"), At(1000));
  EXPECT_EQ(LastWrite(u"\\My Documents"), kBoot);

  cesim::AdvanceClock(1000);
  ASSERT_TRUE(MoveFileW(u"\\My Documents\\Letter.doc", u"\\My Documents\\Archive\\Letter.doc"));
  EXPECT_EQ(LastWrite(u"\\My Documents\\Archive\\Letter.doc"), kBoot) << "a moved file keeps its time";
  EXPECT_EQ(LastWrite(u"\\My Documents"), At(2000));
  EXPECT_EQ(LastWrite(u"\\My Documents\\Archive"), At(2000));

  cesim::AdvanceClock(1000);
  ASSERT_TRUE(MoveFileW(u"\\My Documents\\Archive\\Letter.doc", u"\\My Documents\\Archive\\letter.doc"));
  EXPECT_EQ(LastWrite(u"\\My Documents\\Archive"), At(3000));

  cesim::AdvanceClock(1000);
  ASSERT_TRUE(DeleteFileW(u"\\My Documents\\Archive\\letter.doc"));
  ASSERT_TRUE(RemoveDirectoryW(u"\\My Documents\\Archive\\2010"));
  EXPECT_EQ(LastWrite(u"\\My Documents\\Archive"), At(4000));
}

TEST_F(FileTimesTest, ACopyKeepsItsSourcesTimeAndAShortcutIsStampedWhenMade) {
  Boot();
  cesim::AdvanceClock(1000);
  ASSERT_TRUE(CopyFileW(u"\\My Documents\\Letter.doc", u"\\My Documents\\Copy.doc", TRUE));
  EXPECT_EQ(LastWrite(u"\\My Documents\\Copy.doc"), kBoot);
  EXPECT_EQ(LastWrite(u"\\My Documents"), At(1000));

  cesim::AdvanceClock(1000);
  WCHAR shortcut[] = u"\\My Documents\\Letter.lnk";
  WCHAR target[] = u"\\My Documents\\Letter.doc";
  ASSERT_TRUE(SHCreateShortcut(shortcut, target));
  EXPECT_EQ(LastWrite(shortcut), At(2000));
  EXPECT_EQ(LastWrite(u"\\My Documents"), At(2000));
}

}  // namespace
