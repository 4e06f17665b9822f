// Program paths as module code sees them on desktop Windows: without the system drive, as the
// device writes them, and cut to the caller's buffer.
#include <gtest/gtest.h>

#include "ceplatform.h"

namespace {

// The device's form of the system folder's user32.dll: the system folder without its drive.
void ExpectedUser32Path(WCHAR* path, size_t size) {
  WCHAR system[MAX_PATH];
  UINT length = GetSystemDirectoryW(system, MAX_PATH);
  ASSERT_GT(length, 2u);
  ASSERT_EQ(TEXT(':'), system[1]);
  ASSERT_LT(static_cast<size_t>(length) + 12, size);
  swprintf(path, TEXT("%s\\user32.dll"), system + 2);
}

TEST(ProgramPath, ALibraryOnTheSystemDriveIsGivenWithoutTheDrive) {
  WCHAR expected[MAX_PATH];
  ExpectedUser32Path(expected, MAX_PATH);
  WCHAR path[MAX_PATH];
  DWORD length = GetModuleFileNameW(GetModuleHandleW(TEXT("user32.dll")), path, MAX_PATH);
  EXPECT_EQ(wcslen(expected), static_cast<size_t>(length));
  EXPECT_EQ(0, _wcsicmp(expected, path));
  EXPECT_EQ(TEXT('\\'), path[0]);
}

TEST(ProgramPath, TheProgramPathIsTerminatedAndCounted) {
  WCHAR path[MAX_PATH];
  DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(wcslen(path), static_cast<size_t>(length));
  const WCHAR* name = wcsrchr(path, TEXT('\\'));
  ASSERT_NE(static_cast<const WCHAR*>(NULL), name);
  EXPECT_EQ(0, _wcsicmp(name, TEXT("\\cedesktop_tests.exe")));
}

TEST(ProgramPath, AShortBufferGetsTheCutPathTerminated) {
  WCHAR expected[MAX_PATH];
  ExpectedUser32Path(expected, MAX_PATH);
  HMODULE user32 = GetModuleHandleW(TEXT("user32.dll"));
  WCHAR path[8];
  wmemset(path, TEXT('#'), 8);
  SetLastError(0);
  EXPECT_EQ(5u, GetModuleFileNameW(user32, path, 5));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
  EXPECT_EQ(0, _wcsnicmp(expected, path, 4));
  EXPECT_EQ(0, path[4]);
  EXPECT_EQ(TEXT('#'), path[5]);
}

TEST(ProgramPath, ABufferOfExactlyThePathAndItsTerminatorIsEnough) {
  WCHAR expected[MAX_PATH];
  ExpectedUser32Path(expected, MAX_PATH);
  const DWORD length = static_cast<DWORD>(wcslen(expected));
  HMODULE user32 = GetModuleHandleW(TEXT("user32.dll"));
  WCHAR path[MAX_PATH];
  EXPECT_EQ(length, GetModuleFileNameW(user32, path, length + 1));
  EXPECT_EQ(0, _wcsicmp(expected, path));
  // One character fewer cuts the last character off.
  EXPECT_EQ(length, GetModuleFileNameW(user32, path, length));
  EXPECT_EQ(length - 1, wcslen(path));
}

TEST(ProgramPath, AZeroSizeWritesNothing) {
  WCHAR path[2] = {TEXT('#'), TEXT('#')};
  EXPECT_EQ(0u, GetModuleFileNameW(NULL, path, 0));
  EXPECT_EQ(TEXT('#'), path[0]);
}

}  // namespace
