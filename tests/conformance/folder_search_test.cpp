// Folder searches as the Change Folder dialog lists a folder's sub-folders: FindFirstFileW,
// FindFirstFileExW with FindExSearchLimitToDirectories (advisory: a file system that cannot
// filter lists files too, so a caller must look at FILE_ATTRIBUTE_DIRECTORY itself),
// FindNextFileW to the end, the error codes, and "." and "..", which the desktop lists and the
// device never does (the desktop layer leaves them out for module code).
#include <algorithm>
#include <set>

#include "conformance.h"

namespace conformance {
namespace {

struct Entry {
  Text name;
  bool folder;
  bool operator<(const Entry& other) const { return name < other.name; }
  bool operator==(const Entry& other) const { return name == other.name && folder == other.folder; }
};

void PrintTo(const Entry& entry, std::ostream* out) { *out << Printable(entry.name) << (entry.folder ? "\\" : ""); }

class FolderSearchTest : public ConformanceTest {
 protected:
  void SetUp() override {
    host.AddFolder(TEXT("\\Base\\Sub"));
    host.AddFolder(TEXT("\\Base\\Other"));
    host.AddFile(TEXT("\\Base\\notes.txt"), "notes");
    host.AddFolder(TEXT("\\Empty"));
    host.AddFile(TEXT("\\Files\\only.txt"), "only");
    ASSERT_TRUE(host.Start());
  }

  // Every entry a search lists, with FindNextFileW's last error at the end.
  std::vector<Entry> List(const Text& pattern, FINDEX_SEARCH_OPS operation, DWORD* endError = nullptr,
                          DWORD* startError = nullptr) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAW found;
    SetLastError(0);
    HANDLE search = FindFirstFileExW(host.Path(pattern).c_str(), FindExInfoStandard, &found, operation, nullptr, 0);
    if (startError != nullptr) *startError = search == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
      entries.push_back(Entry{found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search, &found));
    if (endError != nullptr) *endError = GetLastError();
    FindClose(search);
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  static std::vector<Entry> Sorted(std::vector<Entry> entries) {
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  static std::vector<Entry> WithoutDots(std::vector<Entry> entries) {
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const Entry& e) { return e.name == TEXT(".") || e.name == TEXT(".."); }),
                  entries.end());
    return entries;
  }
};

TEST_F(FolderSearchTest, AFolderListsItsFilesAndFoldersWithTheirAttributes) {
  DWORD endError = 0;
  std::vector<Entry> entries = WithoutDots(List(TEXT("\\Base\\*"), FindExSearchNameMatch, &endError));
  EXPECT_EQ(entries, Sorted({{TEXT("notes.txt"), false}, {TEXT("Other"), true}, {TEXT("Sub"), true}}));
  EXPECT_EQ(endError, DWORD(ERROR_NO_MORE_FILES));
}

TEST_F(FolderSearchTest, FindFirstFileWListsTheSameAsTheNameMatch) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(host.Path(TEXT("\\Base\\*")).c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  std::vector<Entry> entries;
  do {
    entries.push_back(Entry{found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(WithoutDots(entries), WithoutDots(List(TEXT("\\Base\\*"), FindExSearchNameMatch)));
}

TEST_F(FolderSearchTest, LimitingToFoldersListsEveryFolderAndMayListFilesToo) {
  std::vector<Entry> entries = WithoutDots(List(TEXT("\\Base\\*"), FindExSearchLimitToDirectories));
  std::vector<Entry> filtered = Sorted({{TEXT("Other"), true}, {TEXT("Sub"), true}});
  std::vector<Entry> unfiltered = Sorted({{TEXT("notes.txt"), false}, {TEXT("Other"), true}, {TEXT("Sub"), true}});
  EXPECT_TRUE(entries == filtered || entries == unfiltered);
  // Whatever is listed says truly whether it is a folder: callers must look.
  for (const Entry& entry : entries) EXPECT_EQ(entry.folder, entry.name != TEXT("notes.txt")) << Printable(entry.name);
}

TEST_F(FolderSearchTest, AVolumeThatCannotFilterListsFilesWhenLimitedToFolders) {
  // The test's files lie on a volume whose file system does not filter (the desktop's, and a
  // device's storage card with FAT); the device image must be able to say so per volume.
  std::vector<Entry> entries = WithoutDots(List(TEXT("\\Files\\*"), FindExSearchLimitToDirectories));
  EXPECT_EQ(entries, (std::vector<Entry>{{TEXT("only.txt"), false}}));
}

TEST_F(FolderSearchTest, NoMatchIsFileNotFound) {
  DWORD startError = 0;
  EXPECT_TRUE(List(TEXT("\\Base\\*.none"), FindExSearchNameMatch, nullptr, &startError).empty());
  EXPECT_EQ(startError, DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(FolderSearchTest, AMissingFolderIsPathNotFound) {
  DWORD startError = 0;
  EXPECT_TRUE(List(TEXT("\\Missing\\*"), FindExSearchNameMatch, nullptr, &startError).empty());
  EXPECT_EQ(startError, DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(FolderSearchTest, FindNextFileAfterTheEndKeepsFailing) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(host.Path(TEXT("\\Base\\notes.txt")).c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Text(found.cFileName), Text(TEXT("notes.txt")));
  EXPECT_FALSE(FindNextFileW(search, &found));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
  EXPECT_FALSE(FindNextFileW(search, &found));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
  EXPECT_TRUE(FindClose(search));
}

TEST_F(FolderSearchTest, TheAttributesOfAMissingPathAreInvalid) {
  // The context menu takes a failed query (all bits set) for a folder.
  SetLastError(0);
  EXPECT_EQ(GetFileAttributesW(host.Path(TEXT("\\Base\\missing.txt")).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_NE(GetFileAttributesW(host.Path(TEXT("\\Base\\Sub")).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(GetFileAttributesW(host.Path(TEXT("\\Base\\notes.txt")).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

// --- "." and ".." ---

TEST_F(FolderSearchTest, TheDeviceNeverListsDotEntries) {
  // FindFirstFile (Windows CE 5.0), learn.microsoft.com/en-us/previous-versions/windows/embedded/
  // ms889678(v=msdn.10): the object store has no current or parent folder entries. On the desktop
  // the desktop layer leaves out the desktop's (below).
  std::vector<Entry> entries = List(TEXT("\\Base\\*"), FindExSearchNameMatch);
  EXPECT_EQ(entries, WithoutDots(entries));
  DWORD startError = 0;
  EXPECT_TRUE(List(TEXT("\\Empty\\*"), FindExSearchLimitToDirectories, nullptr, &startError).empty());
  EXPECT_EQ(startError, DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(FolderSearchTest, TheDesktopListsDotEntriesAsFolders) {
  CONFORMANCE_DESKTOP_ONLY("FindFirstFile (Windows CE 5.0) lists no \".\" and \"..\" entries");
  // The desktop's own search, past the desktop layer that leaves the dot entries out.
  using FindFirstFunc = HANDLE(WINAPI*)(LPCWSTR, FINDEX_INFO_LEVELS, LPVOID, FINDEX_SEARCH_OPS, LPVOID, DWORD);
  using FindNextFunc = BOOL(WINAPI*)(HANDLE, LPWIN32_FIND_DATAW);
  HMODULE kernel = GetModuleHandleW(TEXT("kernel32.dll"));
  auto findFirst = reinterpret_cast<FindFirstFunc>(reinterpret_cast<void*>(GetProcAddress(kernel, TEXT("FindFirstFileExW"))));
  auto findNext = reinterpret_cast<FindNextFunc>(reinterpret_cast<void*>(GetProcAddress(kernel, TEXT("FindNextFileW"))));
  ASSERT_NE(findFirst, nullptr);
  ASSERT_NE(findNext, nullptr);
  WIN32_FIND_DATAW found;
  HANDLE search = findFirst(host.Path(TEXT("\\Empty\\*")).c_str(), FindExInfoStandard, &found,
                            FindExSearchLimitToDirectories, nullptr, 0);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  std::vector<Entry> entries;
  do {
    entries.push_back(Entry{found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (findNext(search, &found));
  FindClose(search);
  EXPECT_EQ(Sorted(entries), (std::vector<Entry>{{TEXT("."), true}, {TEXT(".."), true}}));
}

}  // namespace
}  // namespace conformance
