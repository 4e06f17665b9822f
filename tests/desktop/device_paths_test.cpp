// The device's paths as module code gives them on desktop Windows: a path without a drive is on
// the system drive, from its root, whatever the process's current folder, for every call that
// takes a path; the device's length limit holds; and the special folders come back without the
// system drive.
#include <stdio.h>

#include "device_folder.h"

namespace {

class DevicePaths : public DeviceFolderTest {
 protected:
  DevicePaths() : DeviceFolderTest(L"cedesktop device paths") {}
};

// A name that makes the test folder's device path exactly `length` characters long.
std::wstring NameFor(const std::wstring& folder, size_t length) {
  return std::wstring(length - folder.size() - 1, L'n');
}

TEST_F(DevicePaths, TheRootAndTheWindowsFolderAreOnTheSystemDrive) {
  DWORD root = GetFileAttributesW(L"\\");
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, root);
  EXPECT_NE(0u, root & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(SystemFolder().c_str()));
  ASSERT_TRUE(Write(Desktop(L"here.txt"), "here"));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Device(L"here.txt").c_str()));
  // Forward slashes separate names, as on the device.
  std::wstring slashes = Device(L"here.txt");
  for (size_t i = 0; i < slashes.size(); ++i) {
    if (slashes[i] == L'\\') slashes[i] = L'/';
  }
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(slashes.c_str()));
}

TEST_F(DevicePaths, APathWithoutALeadingSeparatorStartsAtTheRoot) {
  HANDLE file = CreateFileW(Device(L"relative.txt").substr(1).c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, file) << GetLastError();
  CloseHandle(file);
  EXPECT_TRUE(Exists(Desktop(L"relative.txt")));
}

TEST_F(DevicePaths, FilesAreMadeCopiedRenamedMarkedAndDeletedByTheirDevicePaths) {
  HANDLE file = CreateFileW(Device(L"notes.txt").c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, file) << GetLastError();
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, "notes", 5, &written, NULL));
  CloseHandle(file);
  EXPECT_EQ("notes", Contents(Desktop(L"notes.txt")));

  EXPECT_TRUE(CopyFileW(Device(L"notes.txt").c_str(), Device(L"copy.txt").c_str(), TRUE)) << GetLastError();
  EXPECT_EQ("notes", Contents(Desktop(L"copy.txt")));
  EXPECT_TRUE(MoveFileW(Device(L"copy.txt").c_str(), Device(L"moved.txt").c_str())) << GetLastError();
  EXPECT_FALSE(Exists(Desktop(L"copy.txt")));
  EXPECT_EQ("notes", Contents(Desktop(L"moved.txt")));

  EXPECT_TRUE(SetFileAttributesW(Device(L"moved.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_NE(0u, GetFileAttributesW(Device(L"moved.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(SetFileAttributesW(Device(L"moved.txt").c_str(), FILE_ATTRIBUTE_NORMAL));

  EXPECT_TRUE(DeleteFileW(Device(L"moved.txt").c_str()));
  EXPECT_FALSE(Exists(Desktop(L"moved.txt")));
  SetLastError(0);
  EXPECT_FALSE(DeleteFileW(Device(L"moved.txt").c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(DevicePaths, FoldersAreMadeAndRemovedAndTheirFreeSpaceIsTheSystemDrives) {
  EXPECT_TRUE(CreateDirectoryW(Device(L"Sub").c_str(), NULL)) << GetLastError();
  EXPECT_NE(0u, GetFileAttributesW(Desktop(L"Sub").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  ULARGE_INTEGER available, total, free, driveTotal;
  ASSERT_TRUE(GetDiskFreeSpaceExW(Device(L"Sub").c_str(), &available, &total, &free)) << GetLastError();
  ASSERT_TRUE(GetDiskFreeSpaceExW((Drive() + L"\\").c_str(), NULL, &driveTotal, NULL));
  EXPECT_EQ(driveTotal.QuadPart, total.QuadPart);
  EXPECT_TRUE(RemoveDirectoryW(Device(L"Sub").c_str())) << GetLastError();
  EXPECT_FALSE(Exists(Desktop(L"Sub")));
}

TEST_F(DevicePaths, TheRunTimeOpensADevicePath) {
  ASSERT_TRUE(Write(Desktop(L"stream.txt"), "first line\n"));
  FILE* stream = _wfopen(Device(L"stream.txt").c_str(), L"r");
  ASSERT_NE(static_cast<FILE*>(NULL), stream);
  char line[32] = {};
  EXPECT_NE(static_cast<char*>(NULL), fgets(line, sizeof(line), stream));
  fclose(stream);
  EXPECT_STREQ("first line\n", line);
  EXPECT_EQ(static_cast<FILE*>(NULL), _wfopen(Device(L"missing.txt").c_str(), L"r"));
}

TEST_F(DevicePaths, TheShellFindsAFileAndStartsAProgramByTheirDevicePaths) {
  ASSERT_TRUE(Write(Desktop(L"shown.txt"), "shown"));
  SHFILEINFOW info;
  memset(&info, 0, sizeof(info));
  EXPECT_NE(0u, SHGetFileInfoW(Device(L"shown.txt").c_str(), 0, &info, sizeof(info), SHGFI_ATTRIBUTES));
  EXPECT_EQ(0u, SHGetFileInfoW(Device(L"missing.txt").c_str(), 0, &info, sizeof(info), SHGFI_ATTRIBUTES));

  const std::wstring cmd = SystemFolder() + L"\\cmd.exe";
  SHELLEXECUTEINFOW start;
  memset(&start, 0, sizeof(start));
  start.cbSize = sizeof(start);
  start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  start.lpFile = cmd.c_str();
  start.lpParameters = L"/c exit 5";
  start.nShow = SW_HIDE;
  ASSERT_TRUE(ShellExecuteExW(&start)) << GetLastError();
  // The caller's record keeps its own texts and gets what the shell gives back.
  EXPECT_EQ(cmd.c_str(), start.lpFile);
  ASSERT_NE(static_cast<HANDLE>(NULL), start.hProcess);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(start.hProcess, 60000));
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(start.hProcess, &code));
  EXPECT_EQ(5u, code);
  CloseHandle(start.hProcess);
}

TEST_F(DevicePaths, ALibraryAndItsVersionInformationAreReachedByTheirDevicePaths) {
  const std::wstring user32 = SystemFolder() + L"\\user32.dll";
  HMODULE module = LoadLibraryW(user32.c_str());
  EXPECT_EQ(GetModuleHandleW(L"user32.dll"), module);
  if (module != NULL) FreeLibrary(module);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(user32.c_str(), &handle);
  ASSERT_GT(size, 0u) << GetLastError();
  std::string block(size, '\0');
  EXPECT_TRUE(GetFileVersionInfoW(user32.c_str(), 0, size, &block[0]));
}

TEST_F(DevicePaths, ShortcutsAndPicturesAreMadeAndReadByTheirDevicePaths) {
  std::wstring shortcut = Device(L"calc.lnk");
  WCHAR target[] = L"\\Windows\\calc.exe";
  ASSERT_TRUE(SHCreateShortcut(&shortcut[0], target));
  EXPECT_EQ("17#\\Windows\\calc.exe", Contents(Desktop(L"calc.lnk")));

  // A BMP of 2 by 1 pixels, 24 bits each, its row padded to 8 bytes.
  const unsigned char bmp[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                               40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
                               8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                               0, 0, 255, 255, 0, 0, 0, 0};
  ASSERT_TRUE(Write(Desktop(L"dot.bmp"), std::string(reinterpret_cast<const char*>(bmp), sizeof(bmp))));
  HBITMAP picture = SHLoadImageFile(Device(L"dot.bmp").c_str());
  ASSERT_NE(static_cast<HBITMAP>(NULL), picture);
  BITMAP shape;
  ASSERT_EQ(static_cast<int>(sizeof(shape)), GetObjectW(picture, sizeof(shape), &shape));
  EXPECT_EQ(2, shape.bmWidth);
  EXPECT_EQ(1, shape.bmHeight);
  DeleteObject(picture);
}

TEST_F(DevicePaths, APathOf259CharactersReachesItsFileAndOneOf260IsRefused) {
  const std::wstring longest = NameFor(Device(), 259);
  ASSERT_EQ(259u, Device(longest).size());
  HANDLE file = CreateFileW(Device(longest).c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, file) << GetLastError();
  CloseHandle(file);
  EXPECT_TRUE(Exists(Desktop(longest)));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Device(longest).c_str()));
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Device(longest).c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  EXPECT_EQ(longest, found.cFileName);
  FindClose(search);
  EXPECT_TRUE(DeleteFileW(Device(longest).c_str()));
  EXPECT_FALSE(Exists(Desktop(longest)));

  const std::wstring tooLong = NameFor(Device(), 260);
  SetLastError(0);
  EXPECT_EQ(INVALID_HANDLE_VALUE,
            CreateFileW(Device(tooLong).c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), GetLastError());
  EXPECT_FALSE(Exists(Desktop(tooLong)));
  SetLastError(0);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Device(tooLong).c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), GetLastError());
}

TEST_F(DevicePaths, ASpecialFolderOnTheSystemDriveIsGivenWithoutTheDrive) {
  WCHAR path[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathW(NULL, path, CSIDL_SYSTEM, FALSE));
  EXPECT_EQ(0, _wcsicmp(SystemFolder().c_str(), path)) << path;
  // The desktop's own answer, with its drive.
  typedef BOOL(WINAPI * SpecialFolderFunc)(HWND, LPWSTR, int, BOOL);
  SpecialFolderFunc desktops = reinterpret_cast<SpecialFolderFunc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"shell32.dll"), L"SHGetSpecialFolderPathW")));
  ASSERT_NE(static_cast<SpecialFolderFunc>(NULL), desktops);
  WCHAR desktopPrograms[MAX_PATH];
  ASSERT_TRUE(desktops(NULL, desktopPrograms, CSIDL_PROGRAMS, FALSE));
  ASSERT_TRUE(SHGetSpecialFolderPathW(NULL, path, CSIDL_PROGRAMS, FALSE));
  if (_wcsnicmp(desktopPrograms, Drive().c_str(), 2) == 0) {
    EXPECT_EQ(std::wstring(desktopPrograms + 2), path);
  } else {
    EXPECT_EQ(std::wstring(desktopPrograms), path);
  }
}

}  // namespace
