// The tests' folder on the system drive and the current folder on another drive.
#include "device_folder.h"

void DeviceFolderTest::SetUp() {
  WCHAR system[MAX_PATH];
  UINT length = GetSystemDirectoryW(system, MAX_PATH);
  ASSERT_GT(length, 2u);
  ASSERT_EQ(L':', system[1]);
  drive_ = std::wstring(system, 2);
  systemFolder_ = system + 2;
  ASSERT_TRUE(GetCurrentDirectoryW(MAX_PATH, previous_) > 0);
  RemoveTree(Desktop());
  ASSERT_TRUE(CreateDirectoryW(Desktop().c_str(), NULL)) << GetLastError();
  const DWORD drives = GetLogicalDrives();
  for (WCHAR letter = L'A'; letter <= L'Z'; ++letter) {
    if ((drives & (1u << (letter - L'A'))) == 0 || letter == (drive_[0] & ~0x20)) continue;
    const WCHAR root[] = {letter, L':', L'\\', L'\0'};
    if (GetDriveTypeW(root) == DRIVE_FIXED && SetCurrentDirectoryW(root)) return;
  }
  GTEST_SKIP() << "no drive but the system drive to move the current folder to";
}

void DeviceFolderTest::TearDown() {
  SetCurrentDirectoryW(previous_);
  RemoveTree(Desktop());
}

bool DeviceFolderTest::Write(const std::wstring& desktopPath, const std::string& contents) {
  HANDLE file = CreateFileW(desktopPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool done = WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, NULL) &&
                    written == contents.size();
  CloseHandle(file);
  return done;
}

std::string DeviceFolderTest::Contents(const std::wstring& desktopPath) {
  HANDLE file = CreateFileW(desktopPath.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return "(none)";
  char data[1024];
  DWORD read = 0;
  ReadFile(file, data, sizeof(data), &read, NULL);
  CloseHandle(file);
  return std::string(data, read);
}

void DeviceFolderTest::RemoveTree(const std::wstring& desktopPath) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((desktopPath + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = desktopPath + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(desktopPath.c_str());
}
