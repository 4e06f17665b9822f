// Folder searches as module code makes them on desktop Windows: the pattern is a device path, and
// the desktop's "." and ".." entries are never listed, as the device has none; a folder with
// nothing else in it has no match.
#include <algorithm>
#include <vector>

#include "device_folder.h"

namespace {

class FolderSearch : public DeviceFolderTest {
 protected:
  FolderSearch() : DeviceFolderTest(L"cedesktop folder search") {}

  // Every name that a search lists, sorted, and the error that ended it.
  std::vector<std::wstring> List(const std::wstring& pattern, FINDEX_SEARCH_OPS operation, DWORD* error) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    SetLastError(0);
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &found, operation, NULL, 0);
    if (search == INVALID_HANDLE_VALUE) {
      *error = GetLastError();
      return names;
    }
    do {
      names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    *error = GetLastError();
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(FolderSearch, AFolderListsItsFilesAndFoldersWithoutDotEntries) {
  ASSERT_TRUE(Write(Desktop(L"notes.txt"), "notes"));
  ASSERT_TRUE(CreateDirectoryW(Desktop(L"Sub").c_str(), NULL));
  DWORD error = 0;
  std::vector<std::wstring> expected;
  expected.push_back(L"Sub");
  expected.push_back(L"notes.txt");
  EXPECT_EQ(expected, List(Device(L"*"), FindExSearchNameMatch, &error));
  EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), error);
  EXPECT_EQ(expected, List(Device(L"*.*"), FindExSearchLimitToDirectories, &error));
}

TEST_F(FolderSearch, FindFirstFileWListsNoDotEntryFirst) {
  ASSERT_TRUE(CreateDirectoryW(Desktop(L"Sub").c_str(), NULL));
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Device(L"*").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  EXPECT_EQ(std::wstring(L"Sub"), found.cFileName);
  SetLastError(0);
  EXPECT_FALSE(FindNextFileW(search, &found));
  EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
  // Past the end it keeps failing.
  EXPECT_FALSE(FindNextFileW(search, &found));
  EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
  EXPECT_TRUE(FindClose(search));
}

TEST_F(FolderSearch, AnEmptyFolderHasNoMatch) {
  ASSERT_TRUE(CreateDirectoryW(Desktop(L"Empty").c_str(), NULL));
  DWORD error = 0;
  EXPECT_TRUE(List(Device(L"Empty\\*"), FindExSearchNameMatch, &error).empty());
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), error);
  EXPECT_TRUE(List(Device(L"Empty\\*.*"), FindExSearchLimitToDirectories, &error).empty());
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), error);
  WIN32_FIND_DATAW found;
  SetLastError(0);
  EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileW(Device(L"Empty\\*").c_str(), &found));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(FolderSearch, AMissingFolderIsPathNotFound) {
  DWORD error = 0;
  EXPECT_TRUE(List(Device(L"Missing\\*"), FindExSearchNameMatch, &error).empty());
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), error);
}

TEST_F(FolderSearch, TheRootListsItsFoldersByTheDevicePath) {
  DWORD error = 0;
  std::vector<std::wstring> names = List(L"\\*", FindExSearchNameMatch, &error);
  EXPECT_NE(names.end(), std::find(names.begin(), names.end(), Device().substr(1)));
  EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), std::wstring(L".")));
  EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), std::wstring(L"..")));
}

}  // namespace
