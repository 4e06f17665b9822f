// Files and folder searches over a device image: attributes that only the device knows,
// searches with the device's wildcards, letter case, MAX_PATH, and what ROM refuses.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "booted_device.h"
#include "cesim/automation.h"
#include "sim/core.h"
#include "sim/files.h"

namespace {

using foldwise_test::BootedDevice;
using foldwise_test::PathOfLength;

constexpr DWORD kFailed = 0xFFFFFFFF;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device_.image.AddFile(u"\\Windows\\fexplore.exe", "MZ", FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_ROMMODULE)
        .AddFile(u"\\Windows\\Fonts\\tahoma.ttf", "font", FILE_ATTRIBUTE_INROM)
        .AddFolder(u"\\Windows\\System\\Hidden Cache", FILE_ATTRIBUTE_HIDDEN)
        .AddFile(u"\\My Documents\\Letter.doc", "0123456789")
        .AddFile(u"\\My Documents\\notes.txt", "n")
        .AddFile(u"\\My Documents\\a.txt")
        .AddFile(u"\\My Documents\\README")
        .AddFile(u"\\My Documents\\locked.txt", "", FILE_ATTRIBUTE_READONLY)
        .AddFolder(u"\\My Documents\\Pictures")
        .AddFolder(u"\\My Documents\\Templates", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)
        .AddVolume(u"\\Storage Card", 16777216, 134217728);
  }
  void Boot() { ASSERT_TRUE(device_.Boot()); }

  // The names a search gives, in order; empty with the error when it finds nothing.
  std::vector<std::u16string> Find(const std::u16string& pattern, FINDEX_SEARCH_OPS operation = FindExSearchNameMatch,
                                   DWORD* error = nullptr) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, operation, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
      if (error != nullptr) *error = GetLastError();
      return names;
    }
    do {
      names.push_back(data.cFileName);
    } while (FindNextFileW(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    return names;
  }

  bool HostFileExists(const std::string& relative) {
    struct stat info;
    return stat((device_.image.Folder() + "/files/" + relative).c_str(), &info) == 0;
  }

  BootedDevice device_;
};

using Names = std::vector<std::u16string>;

TEST_F(FilesTest, AttributesCombineTheFileSystemWithTheImagesDeviceOnlyAttributes) {
  Boot();
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\fexplore.exe"),
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_ROMMODULE));
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\System\\Hidden Cache"),
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesW(u"\\Storage Card"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Letter.doc"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesW(u"\\"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  // No current folder on the device: a path without a leading backslash starts at the root.
  EXPECT_EQ(GetFileAttributesW(u"My Documents\\Letter.doc"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExW(u"\\My Documents\\Letter.doc", GetFileExInfoStandard, &data));
  EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(data.nFileSizeLow, 10u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
}

TEST_F(FilesTest, MissingItemsFailWithFileOrPathNotFound) {
  Boot();
  SetLastError(0);
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\nothing.txt"), kFailed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesW(u"\\Nowhere\\nothing.txt"), kFailed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Letter.doc\\inside"), kFailed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\*.txt"), kFailed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
  // The device's file system has no "." or "..": nothing can reach outside the image.
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\..\\..\\device.ini"), kFailed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(GetFileAttributesW(u""), kFailed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FilesTest, NamesMatchWithoutLetterCaseAndComeBackAsWritten) {
  Boot();
  EXPECT_EQ(GetFileAttributesW(u"\\WINDOWS\\FEXPLORE.EXE"), GetFileAttributesW(u"\\Windows\\fexplore.exe"));
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(u"\\my documents\\LETTER.DOC", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(std::u16string(data.cFileName), u"Letter.doc");
  EXPECT_EQ(data.nFileSizeLow, 10u);
  EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_NE(data.dwOID, 0u);
  EXPECT_TRUE(FindClose(search));
  // A new folder keeps the case it is created with, beside existing names matched in any case.
  ASSERT_TRUE(CreateDirectoryW(u"\\MY DOCUMENTS\\New Folder", nullptr));
  EXPECT_TRUE(HostFileExists("My Documents/New Folder"));
  EXPECT_EQ(Find(u"\\my documents\\new*"), Names{u"New Folder"});
}

// The file system compares names through its upper-case table, beyond Latin too: both small
// sigmas are the capital one, and letters with tonos pair with their capitals.
TEST_F(FilesTest, NamesFoldAsTheDevicesUpperCaseTableFoldsThem) {
  device_.image.AddFile(u"\\My Documents\\\x039F\x0394\x039F\x03A3.txt", "greek")   // ΟΔΟΣ.txt
      .AddFile(u"\\My Documents\\\x0388\x03C1\x03B3\x03B1.doc", "tonos")           // Έργα.doc
      .AddFolder(u"\\\x041F\x0430\x043F\x043A\x0430");                              // Папка
  Boot();
  EXPECT_EQ(GetFileAttributesW(u"\\my documents\\\x03BF\x03B4\x03BF\x03C2.TXT"),  // οδος with final sigma
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\\x03AD\x03A1\x0393\x0391.DOC"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesW(u"\\\x043F\x0410\x041F\x041A\x0410"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(Find(u"\\My Documents\\*\x03C3.txt"), Names{u"\x039F\x0394\x039F\x03A3.txt"});
  // A folder made in another case is the same folder.
  EXPECT_FALSE(CreateDirectoryW(u"\\\x041F\x0410\x041F\x041A\x0410", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

// A name in another case is matched against a listing of its folder, which is listed again once
// the folder has changed, whoever changed it: names made after a look-up are found in any case.
TEST_F(FilesTest, NamesInAnotherCaseAreFoundAfterTheirFolderChanges) {
  Boot();
  // Left alone this long, the folder's listing is kept after the first look-up.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(GetFileAttributesW(u"\\MY DOCUMENTS\\LETTER.DOC"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\SUMMARY.TXT"), kFailed);
  // Made on the host, behind the device's back.
  std::ofstream(device_.image.Folder() + "/files/My Documents/Summary.txt") << "s";
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\SUMMARY.TXT"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  // Renamed by the device.
  ASSERT_TRUE(MoveFileW(u"\\My Documents\\a.txt", u"\\My Documents\\Report.doc"));
  EXPECT_EQ(GetFileAttributesW(u"\\my documents\\REPORT.DOC"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesW(u"\\my documents\\A.TXT"), kFailed);
  // A folder missing from the root, then made there on the host.
  EXPECT_EQ(GetFileAttributesW(u"\\Program Files\\tool.exe"), kFailed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  ASSERT_TRUE(std::filesystem::create_directory(device_.image.Folder() + "/files/Program Files"));
  std::ofstream(device_.image.Folder() + "/files/Program Files/tool.exe") << "MZ";
  EXPECT_EQ(GetFileAttributesW(u"\\PROGRAM FILES\\TOOL.EXE"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(FilesTest, WildcardsFollowTheDevicesRules) {
  Boot();
  const Names all = {u"a.txt", u"Letter.doc", u"locked.txt", u"notes.txt", u"Pictures", u"README", u"Templates"};
  EXPECT_EQ(Find(u"\\My Documents\\*"), all);
  // "*.*" also matches names without a dot.
  EXPECT_EQ(Find(u"\\My Documents\\*.*"), all);
  EXPECT_EQ(Find(u"\\My Documents\\*.TXT"), (Names{u"a.txt", u"locked.txt", u"notes.txt"}));
  EXPECT_EQ(Find(u"\\My Documents\\?.txt"), Names{u"a.txt"});
  EXPECT_EQ(Find(u"\\My Documents\\n*s.*"), Names{u"notes.txt"});
  EXPECT_EQ(Find(u"\\My Documents\\readme.*"), Names{u"README"});
  EXPECT_EQ(Find(u"\\*"), (Names{u"My Documents", u"Storage Card", u"Windows"}));
  // Hidden items are listed; the caller decides whether to show them.
  EXPECT_EQ(Find(u"\\Windows\\System\\*"), Names{u"Hidden Cache"});
}

// The folder-only search is advisory: the volume's file system decides. The object store filters
// by default.
TEST_F(FilesTest, FolderOnlySearchGivesFoldersOnlyWhereTheFileSystemFilters) {
  Boot();
  EXPECT_EQ(Find(u"\\My Documents\\*", FindExSearchLimitToDirectories), (Names{u"Pictures", u"Templates"}));
  DWORD error = 0;
  EXPECT_TRUE(Find(u"\\My Documents\\Pictures\\*", FindExSearchLimitToDirectories, &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(Find(u"\\My Documents\\*.txt", FindExSearchLimitToDirectories, &error).empty());
  WIN32_FIND_DATAW data;
  EXPECT_EQ(FindFirstFileExW(u"\\*", FindExInfoMaxInfoLevel, &data, FindExSearchNameMatch, nullptr, 0),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(FindFirstFileExW(u"\\*", FindExInfoStandard, &data, FindExSearchLimitToDevices, nullptr, 0),
            INVALID_HANDLE_VALUE);
}

// A storage card's file system ignores the flag unless the image says it filters; the search
// goes by the volume that holds the folder, its sub-folders included.
TEST_F(FilesTest, FolderOnlySearchGivesFilesTooOnAVolumeThatDoesNotFilter) {
  device_.image.AddFile(u"\\Storage Card\\readme.txt", "r")
      .AddFolder(u"\\Storage Card\\Music\\Albums")
      .AddFile(u"\\Storage Card\\Music\\a.mp3", "m");
  Boot();
  EXPECT_EQ(Find(u"\\Storage Card\\*", FindExSearchLimitToDirectories), (Names{u"Music", u"readme.txt"}));
  EXPECT_EQ(Find(u"\\Storage Card\\Music\\*", FindExSearchLimitToDirectories), (Names{u"a.mp3", u"Albums"}));
  // Files that match when folders are asked for are still found: the search does not fail.
  EXPECT_EQ(Find(u"\\Storage Card\\*.txt", FindExSearchLimitToDirectories), Names{u"readme.txt"});
  // The root lists the card's mount folder on the object store, which filters.
  EXPECT_EQ(Find(u"\\*", FindExSearchLimitToDirectories), (Names{u"My Documents", u"Storage Card", u"Windows"}));
}

TEST_F(FilesTest, AVolumeTheImageSaysFiltersGivesFoldersOnly) {
  device_.image.AddVolume(u"\\Backup Card", 1024, 4096, true)
      .AddFile(u"\\Backup Card\\contacts.bak", "c")
      .AddFolder(u"\\Backup Card\\2024");
  Boot();
  EXPECT_EQ(Find(u"\\Backup Card\\*", FindExSearchLimitToDirectories), Names{u"2024"});
  EXPECT_EQ(GetFileAttributesW(u"\\Backup Card"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY));
}

TEST_F(FilesTest, AnObjectStoreTheImageSaysDoesNotFilterGivesFilesToo) {
  device_.image.AddVolume(u"\\", 1048576, 8388608, false);
  Boot();
  EXPECT_EQ(Find(u"\\My Documents\\*", FindExSearchLimitToDirectories),
            (Names{u"a.txt", u"Letter.doc", u"locked.txt", u"notes.txt", u"Pictures", u"README", u"Templates"}));
  // The root is no mount folder for all that.
  EXPECT_EQ(GetFileAttributesW(u"\\"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(FilesTest, FindDataCarriesTheDeviceAttributes) {
  Boot();
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(u"\\Windows\\*.exe", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes,
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_ROMMODULE));
  FindClose(search);
  search = FindFirstFileW(u"\\Storage Card", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY));
  EXPECT_EQ(data.nFileSizeLow, 0u);
  FindClose(search);
}

// The find data of a failed search is indeterminate, the reference says: cesim poisons it.
bool IsPoisoned(const WIN32_FIND_DATAW& data) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&data);
  for (size_t i = 0; i < sizeof(data); ++i) {
    if (bytes[i] != cesim::kUndefinedOutputByte) return false;
  }
  return true;
}

TEST_F(FilesTest, SearchesThatFailLeaveTheFindDataIndeterminate) {
  Boot();
  WIN32_FIND_DATAW data = {};
  EXPECT_EQ(FindFirstFileW(u"\\My Documents\\*.zip", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(IsPoisoned(data));
  data = {};
  EXPECT_EQ(FindFirstFileExW(u"\\Nowhere\\*", FindExInfoStandard, &data, FindExSearchLimitToDirectories, nullptr, 0),
            INVALID_HANDLE_VALUE);
  EXPECT_TRUE(IsPoisoned(data));
  // The end of a search is a failure of FindNextFileW too: the last entry is not left behind.
  HANDLE search = FindFirstFileW(u"\\My Documents\\README", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(std::u16string(data.cFileName), u"README");
  EXPECT_FALSE(FindNextFileW(search, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_TRUE(IsPoisoned(data));
  FindClose(search);
}

TEST_F(FilesTest, SearchesThatFindNothingAndStaleSearchHandlesFail) {
  Boot();
  WIN32_FIND_DATAW data;
  EXPECT_EQ(FindFirstFileW(u"\\My Documents\\*.zip", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirstFileW(u"\\Nowhere\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(FindFirstFileW(u"\\My Documents\\", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFileW(u"\\My*\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));

  HANDLE search = FindFirstFileW(u"\\*", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(FindClose(search));
  EXPECT_FALSE(FindNextFileW(search, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindClose(search));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(FindClose(nullptr));

  HANDLE beforeReboot = FindFirstFileW(u"\\*", &data);
  ASSERT_NE(beforeReboot, INVALID_HANDLE_VALUE);
  Boot();
  EXPECT_FALSE(FindNextFileW(beforeReboot, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(FilesTest, PathsOfMaxPathCharactersOrMoreAreRefused) {
  std::u16string folder259;
  const std::u16string path259 = PathOfLength(u"\\Long", 259, &folder259);
  device_.image.AddFile(path259, "x");
  Boot();
  ASSERT_EQ(path259.size(), 259u);
  EXPECT_EQ(GetFileAttributesW(path259.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(path259.c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);

  for (size_t length : {260u, 261u}) {
    const std::u16string path = PathOfLength(u"\\Long", length);
    ASSERT_EQ(path.size(), length);
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), kFailed) << length;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE)) << length;
    EXPECT_EQ(FindFirstFileW(path.c_str(), &data), INVALID_HANDLE_VALUE) << length;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE)) << length;
    EXPECT_FALSE(CreateDirectoryW(path.c_str(), nullptr)) << length;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE)) << length;
  }
  // A folder of 259 characters can be made; nothing longer can be put in it.
  const std::u16string newFolder = folder259 + u"\\" + std::u16string(259 - folder259.size() - 1, u'n');
  EXPECT_TRUE(CreateDirectoryW(newFolder.c_str(), nullptr));
  EXPECT_EQ(GetFileAttributesW((newFolder + u"\\x").c_str()), kFailed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

TEST_F(FilesTest, DeleteRemovesOrdinaryFilesButNotRomReadOnlyOrFolders) {
  Boot();
  ASSERT_TRUE(DeleteFileW(u"\\My Documents\\NOTES.TXT"));
  EXPECT_FALSE(HostFileExists("My Documents/notes.txt"));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\notes.txt"), kFailed);

  EXPECT_FALSE(DeleteFileW(u"\\Windows\\fexplore.exe"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(HostFileExists("Windows/fexplore.exe"));
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\fexplore.exe") & FILE_ATTRIBUTE_INROM, static_cast<DWORD>(FILE_ATTRIBUTE_INROM));

  EXPECT_FALSE(DeleteFileW(u"\\My Documents\\locked.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(DeleteFileW(u"\\My Documents\\Pictures"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(DeleteFileW(u"\\My Documents\\notes.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FilesTest, ChangedAttributesLastForTheBootOnly) {
  Boot();
  ASSERT_TRUE(SetFileAttributesW(u"\\My Documents\\Letter.doc", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Letter.doc"),
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_FALSE(DeleteFileW(u"\\My Documents\\Letter.doc"));
  ASSERT_TRUE(SetFileAttributesW(u"\\My Documents\\Letter.doc", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Letter.doc"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
  // A folder's own bits stay whatever else is passed back with the settable ones.
  ASSERT_TRUE(SetFileAttributesW(u"\\Storage Card",
                                 FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesW(u"\\Storage Card"),
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW(u"\\My Documents\\Templates", FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Templates"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

  EXPECT_FALSE(SetFileAttributesW(u"\\Windows\\Fonts\\tahoma.ttf", FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(SetFileAttributesW(u"\\My Documents\\nothing", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  Boot();
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Letter.doc"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Templates"),
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

TEST_F(FilesTest, AFileMadeWhereADeletedOneWasHasNoneOfItsAttributes) {
  Boot();
  ASSERT_TRUE(SetFileAttributesW(u"\\My Documents\\a.txt", FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(DeleteFileW(u"\\My Documents\\a.txt"));
  ASSERT_TRUE(CreateDirectoryW(u"\\My Documents\\a.txt", nullptr));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\a.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(FilesTest, FoldersAreCreatedOnceAndRemovedOnlyWhenEmpty) {
  Boot();
  ASSERT_TRUE(CreateDirectoryW(u"\\Temp", nullptr));
  EXPECT_EQ(GetFileAttributesW(u"\\temp"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_FALSE(CreateDirectoryW(u"\\TEMP", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryW(u"\\My Documents\\Letter.doc", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryW(u"\\Nowhere\\Sub", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(CreateDirectoryW(u"\\Temp\\a|b", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_FALSE(CreateDirectoryW(u"\\", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

  EXPECT_FALSE(RemoveDirectoryW(u"\\My Documents"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
  EXPECT_FALSE(RemoveDirectoryW(u"\\My Documents\\Letter.doc"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
  EXPECT_FALSE(RemoveDirectoryW(u"\\Storage Card"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(RemoveDirectoryW(u"\\Temp"));
  EXPECT_EQ(GetFileAttributesW(u"\\Temp"), kFailed);
}

TEST_F(FilesTest, EverySearchCallCountsAsAFolderListing) {
  Boot();
  EXPECT_EQ(cesim::ReadCounters().folderListings, 0);
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(u"\\*", &data);
  FindClose(search);
  FindFirstFileExW(u"\\Nowhere\\*", FindExInfoStandard, &data, FindExSearchLimitToDirectories, nullptr, 0);
  FindFirstFileW(u"\\My Documents\\*.zip", &data);
  EXPECT_EQ(cesim::ReadCounters().folderListings, 3);
  GetFileAttributesW(u"\\Windows");
  EXPECT_EQ(cesim::ReadCounters().folderListings, 3);
  Boot();
  EXPECT_EQ(cesim::ReadCounters().folderListings, 0);
}


// ---------------------------------------------------------------------------------------------
// Moving and copying.

TEST_F(FilesTest, MoveRenamesAFileInItsFolderAndTakesItsAttributesAlong) {
  Boot();
  ASSERT_TRUE(SetFileAttributesW(u"\\My Documents\\Letter.doc", FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(MoveFileW(u"\\my documents\\letter.doc", u"\\My Documents\\Answer.doc"));
  EXPECT_FALSE(HostFileExists("My Documents/Letter.doc"));
  EXPECT_TRUE(HostFileExists("My Documents/Answer.doc"));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Letter.doc"), kFailed);
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Answer.doc"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExW(u"\\My Documents\\Answer.doc", GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 10u);
}

TEST_F(FilesTest, MoveTakesAFolderWithEverythingInItToAnotherFolder) {
  device_.image.AddFile(u"\\My Documents\\Templates\\Inner\\deep.txt", "deep", FILE_ATTRIBUTE_SYSTEM);
  Boot();
  ASSERT_TRUE(CreateDirectoryW(u"\\Archive", nullptr));
  ASSERT_TRUE(MoveFileW(u"\\My Documents\\Templates", u"\\Archive\\Old Templates"));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Templates"), kFailed);
  EXPECT_EQ(GetFileAttributesW(u"\\Archive\\Old Templates"),
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(GetFileAttributesW(u"\\Archive\\Old Templates\\Inner\\deep.txt"),
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_TRUE(HostFileExists("Archive/Old Templates/Inner/deep.txt"));
  // Nothing of the old place is left for a new folder made there.
  ASSERT_TRUE(CreateDirectoryW(u"\\My Documents\\Templates", nullptr));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Templates"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(FilesTest, MoveToAnotherSpellingOfTheSameNameChangesOnlyItsLetterCase) {
  Boot();
  ASSERT_TRUE(MoveFileW(u"\\My Documents\\Letter.doc", u"\\My Documents\\Letter.doc"));
  EXPECT_TRUE(HostFileExists("My Documents/Letter.doc"));
  ASSERT_TRUE(MoveFileW(u"\\My Documents\\Letter.doc", u"\\MY DOCUMENTS\\LETTER.DOC"));
  EXPECT_TRUE(HostFileExists("My Documents/LETTER.DOC"));
  EXPECT_FALSE(HostFileExists("My Documents/Letter.doc"));
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(u"\\My Documents\\letter.doc", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(std::u16string(data.cFileName), u"LETTER.DOC");
  FindClose(search);
}

TEST_F(FilesTest, MoveRefusesTakenNamesMissingItemsAndWhatMustStayInPlace) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(MoveFileW(u"\\My Documents\\Letter.doc", u"\\My Documents\\NOTES.TXT"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(MoveFileW(u"\\My Documents\\Letter.doc", u"\\My Documents\\Pictures"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(HostFileExists("My Documents/Letter.doc"));

  EXPECT_FALSE(MoveFileW(u"\\Windows\\fexplore.exe", u"\\Windows\\explorer.exe"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(MoveFileW(u"\\Storage Card", u"\\Card"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(MoveFileW(u"\\", u"\\Root"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  EXPECT_FALSE(MoveFileW(u"\\My Documents\\nothing.txt", u"\\My Documents\\b.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(MoveFileW(u"\\Nowhere\\nothing.txt", u"\\My Documents\\b.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(MoveFileW(u"\\My Documents\\Letter.doc", u"\\Nowhere\\Letter.doc"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(MoveFileW(u"\\My Documents\\Letter.doc", u"\\My Documents\\wild?.doc"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
  // A folder cannot go inside itself.
  EXPECT_FALSE(MoveFileW(u"\\My Documents", u"\\My Documents\\Pictures\\Documents"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(FilesTest, MoveRefusesNewPathsOfMaxPathCharactersOrMore) {
  Boot();
  const std::u16string folder = u"\\My Documents";
  const std::u16string at259 = folder + u"\\" + std::u16string(259 - folder.size() - 1, u'n');
  const std::u16string at260 = at259 + u"n";
  SetLastError(0);
  EXPECT_FALSE(MoveFileW(u"\\My Documents\\Letter.doc", at260.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_TRUE(HostFileExists("My Documents/Letter.doc"));
  EXPECT_TRUE(MoveFileW(u"\\My Documents\\Letter.doc", at259.c_str()));
  EXPECT_EQ(GetFileAttributesW(at259.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(FilesTest, FilesMoveBetweenTheObjectStoreAndACardButNotFromCardToCardAndFoldersStayOnTheirVolume) {
  device_.image.AddVolume(u"\\Second Card", 1000, 2000).AddFile(u"\\Storage Card\\photo.jpg", "jpg");
  device_.image.AddFolder(u"\\Storage Card\\Album");
  Boot();
  ASSERT_TRUE(MoveFileW(u"\\My Documents\\notes.txt", u"\\Storage Card\\notes.txt"));
  EXPECT_TRUE(HostFileExists("Storage Card/notes.txt"));
  ASSERT_TRUE(MoveFileW(u"\\Storage Card\\notes.txt", u"\\My Documents\\notes.txt"));
  EXPECT_TRUE(HostFileExists("My Documents/notes.txt"));

  SetLastError(0);
  EXPECT_FALSE(MoveFileW(u"\\Storage Card\\photo.jpg", u"\\Second Card\\photo.jpg"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SAME_DEVICE));
  EXPECT_FALSE(MoveFileW(u"\\My Documents\\Pictures", u"\\Storage Card\\Pictures"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SAME_DEVICE));
  EXPECT_FALSE(MoveFileW(u"\\Storage Card\\Album", u"\\Album"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SAME_DEVICE));
  // Within one card a folder moves.
  EXPECT_TRUE(MoveFileW(u"\\Storage Card\\Album", u"\\Storage Card\\Holiday"));
}

TEST_F(FilesTest, CopyMakesAFileWithTheSameBytesTimeAndSettableAttributes) {
  Boot();
  ASSERT_TRUE(SetFileAttributesW(u"\\My Documents\\Letter.doc", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(CopyFileW(u"\\My Documents\\Letter.doc", u"\\Storage Card\\Letter.doc", TRUE));
  WIN32_FILE_ATTRIBUTE_DATA original;
  WIN32_FILE_ATTRIBUTE_DATA copy;
  ASSERT_TRUE(GetFileAttributesExW(u"\\My Documents\\Letter.doc", GetFileExInfoStandard, &original));
  ASSERT_TRUE(GetFileAttributesExW(u"\\Storage Card\\Letter.doc", GetFileExInfoStandard, &copy));
  EXPECT_EQ(copy.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(copy.nFileSizeLow, 10u);
  EXPECT_EQ(copy.ftLastWriteTime.dwLowDateTime, original.ftLastWriteTime.dwLowDateTime);
  EXPECT_EQ(copy.ftLastWriteTime.dwHighDateTime, original.ftLastWriteTime.dwHighDateTime);
  // A copy of a file in ROM is an ordinary file.
  ASSERT_TRUE(CopyFileW(u"\\Windows\\fexplore.exe", u"\\Temp.exe", FALSE));
  EXPECT_EQ(GetFileAttributesW(u"\\Temp.exe"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_TRUE(DeleteFileW(u"\\Temp.exe"));
}

TEST_F(FilesTest, CopyOverwritesOnlyWhenAskedAndNeverWhatIsProtected) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(CopyFileW(u"\\My Documents\\Letter.doc", u"\\My Documents\\notes.txt", TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExW(u"\\My Documents\\notes.txt", GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 1u);
  ASSERT_TRUE(CopyFileW(u"\\My Documents\\Letter.doc", u"\\My Documents\\notes.txt", FALSE));
  ASSERT_TRUE(GetFileAttributesExW(u"\\My Documents\\notes.txt", GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 10u);

  EXPECT_FALSE(CopyFileW(u"\\My Documents\\Letter.doc", u"\\My Documents\\locked.txt", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(CopyFileW(u"\\My Documents\\Letter.doc", u"\\Windows\\fexplore.exe", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(CopyFileW(u"\\My Documents\\Pictures", u"\\Pictures", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(CopyFileW(u"\\My Documents\\Letter.doc", u"\\MY DOCUMENTS\\letter.doc", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(CopyFileW(u"\\My Documents\\nothing", u"\\My Documents\\b", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(CopyFileW(u"\\My Documents\\Letter.doc", u"\\Nowhere\\b", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

// ---------------------------------------------------------------------------------------------
// Free space of the storage volumes.

struct Space {
  bool ok = false;
  DWORD error = 0;
  ULONGLONG available = 0;
  ULONGLONG total = 0;
  ULONGLONG free = 0;
};

Space FreeSpaceOf(LPCWSTR path) {
  Space space;
  ULARGE_INTEGER available;
  ULARGE_INTEGER total;
  ULARGE_INTEGER free;
  available.QuadPart = total.QuadPart = free.QuadPart = 0xDEADBEEF;
  SetLastError(0);
  space.ok = GetDiskFreeSpaceExW(path, &available, &total, &free) != FALSE;
  space.error = GetLastError();
  space.available = available.QuadPart;
  space.total = total.QuadPart;
  space.free = free.QuadPart;
  return space;
}

TEST_F(FilesTest, FreeSpaceOfAPathIsThatOfTheVolumeItLiesOn) {
  device_.image.AddVolume(u"\\Second Card", 123456789, 1500000000).AddFile(u"\\Second Card\\Docs\\a.txt");
  Boot();
  Space card = FreeSpaceOf(u"\\Storage Card");
  ASSERT_TRUE(card.ok);
  EXPECT_EQ(card.free, 16777216u);
  EXPECT_EQ(card.available, 16777216u);
  EXPECT_EQ(card.total, 134217728u);
  Space inside = FreeSpaceOf(u"\\second card\\Docs\\");
  ASSERT_TRUE(inside.ok);
  EXPECT_EQ(inside.free, 123456789u);
  EXPECT_EQ(inside.total, 1500000000u);
  Space file = FreeSpaceOf(u"\\Second Card\\Docs\\a.txt");
  EXPECT_FALSE(file.ok);
  EXPECT_EQ(file.error, static_cast<DWORD>(ERROR_DIRECTORY));
  // Everything else lies in the object store, whose size the image did not give.
  Space store = FreeSpaceOf(u"\\My Documents");
  ASSERT_TRUE(store.ok);
  EXPECT_EQ(store.free, 16777216u);
  EXPECT_EQ(store.total, 33554432u);
  Space root = FreeSpaceOf(u"\\");
  EXPECT_EQ(root.total, store.total);
  Space none = FreeSpaceOf(nullptr);
  ASSERT_TRUE(none.ok);
  EXPECT_EQ(none.total, store.total);
}

TEST_F(FilesTest, TheObjectStoreReportsTheSizesTheImageGivesIt) {
  device_.image.SetObjectStore(1048575, 67108864);
  Boot();
  Space store = FreeSpaceOf(u"\\Windows");
  ASSERT_TRUE(store.ok);
  EXPECT_EQ(store.free, 1048575u);
  EXPECT_EQ(store.total, 67108864u);
  // The object store's entry makes no mount folder of the root.
  EXPECT_EQ(GetFileAttributesW(u"\\"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(FreeSpaceOf(u"\\Storage Card").total, 134217728u);
}

TEST_F(FilesTest, FreeSpaceFailsForMissingPathsAndMissingResults) {
  Boot();
  Space missing = FreeSpaceOf(u"\\Storage Card\\Nothing");
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(missing.total, 0xDEADBEEFu);
  EXPECT_EQ(FreeSpaceOf(u"\\Nowhere\\Nothing").error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(FreeSpaceOf(u"\\My Documents\\*").error, static_cast<DWORD>(ERROR_INVALID_NAME));

  // The device's reference lets only the total free bytes be left out.
  ULARGE_INTEGER available;
  ULARGE_INTEGER total;
  EXPECT_TRUE(GetDiskFreeSpaceExW(u"\\Storage Card", &available, &total, nullptr));
  EXPECT_EQ(total.QuadPart, 134217728u);
  SetLastError(0);
  EXPECT_FALSE(GetDiskFreeSpaceExW(u"\\Storage Card", nullptr, &total, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(GetDiskFreeSpaceExW(u"\\Storage Card", &available, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(FilesTest, AVolumeLineThatDoesNotParseMakesNoVolume) {
  device_.image.AddFolder(u"\\Broken Card");
  Boot();
  cesim::Shutdown();
  {
    std::ofstream settings(device_.image.Folder() + "/device.ini", std::ios::app);
    settings << "[volumes]\n\\Broken Card=lots,more\n\\Full Card=20,10\n";
  }
  ASSERT_TRUE(cesim::Boot(device_.image.Folder()));
  EXPECT_EQ(GetFileAttributesW(u"\\Broken Card"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(FreeSpaceOf(u"\\Broken Card").total, 33554432u);
  EXPECT_EQ(GetFileAttributesW(u"\\Storage Card"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY));
}

}  // namespace
