// Starting programs as module code sees it on desktop Windows: CreateProcessW with the device's
// meaning. The image name names the program (a plain name in the Windows folder, then in the
// root, ".exe" added), a path without a drive is on the system drive, the command line holds
// only the arguments, and the process information may be left out.
#include <gtest/gtest.h>

#include <string>

#include "ceplatform.h"

namespace {

typedef std::basic_string<WCHAR> Text;

const WCHAR kChildVariable[] = TEXT("CEDESKTOP_TESTS_CHILD");

// Waits for a started program and gives its exit code; closes its handles.
DWORD ExitCodeOf(PROCESS_INFORMATION* info) {
  DWORD code = 0xFFFFFFFF;
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info->hProcess, 60000));
  EXPECT_TRUE(GetExitCodeProcess(info->hProcess, &code));
  CloseHandle(info->hThread);
  CloseHandle(info->hProcess);
  return code;
}

BOOL Start(LPCWSTR name, LPCWSTR arguments, PROCESS_INFORMATION* info) {
  return CreateProcessW(name, arguments, NULL, NULL, FALSE, 0, NULL, NULL, NULL, info);
}

// The error of a start that fails, and that the process information was not written.
DWORD FailureOf(LPCWSTR name) {
  PROCESS_INFORMATION info;
  info.hProcess = reinterpret_cast<HANDLE>(0x5A5A);
  SetLastError(0);
  EXPECT_FALSE(Start(name, NULL, &info));
  DWORD error = GetLastError();
  EXPECT_EQ(reinterpret_cast<HANDLE>(0x5A5A), info.hProcess);
  return error;
}

TEST(ProgramStart, APathWithoutDriveIsOnTheSystemDriveAndTheArgumentsReachTheProgram) {
  WCHAR system[MAX_PATH];
  UINT length = GetSystemDirectoryW(system, MAX_PATH);
  ASSERT_GT(length, 2u);
  ASSERT_EQ(TEXT(':'), system[1]);
  Text cmd = Text(system + 2) + TEXT("\\cmd.exe");  // "\windows\system32\cmd.exe"
  PROCESS_INFORMATION info;
  ASSERT_TRUE(Start(cmd.c_str(), TEXT("/c exit 7"), &info)) << GetLastError();
  EXPECT_NE(0u, info.dwProcessId);
  EXPECT_EQ(7u, ExitCodeOf(&info));
}

// This test program, copied into the Windows folder under a name of its own, stands for a program
// there; started with a filter that selects no test, it ends at once with 0.
class PlainNameStart : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetEnvironmentVariableW(kChildVariable, NULL, 0) != 0) GTEST_SKIP() << "running as the started program";
    WCHAR self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(NULL, self, MAX_PATH), 0u);
    WCHAR windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    copy_ = Text(windows) + TEXT("\\cedesktop_child.exe");
    ASSERT_TRUE(CopyFileW(self, copy_.c_str(), FALSE)) << GetLastError();
    // Should the arguments be lost, the copy runs no further copies of these tests.
    SetEnvironmentVariableW(kChildVariable, TEXT("1"));
  }
  void TearDown() override {
    SetEnvironmentVariableW(kChildVariable, NULL);
    if (copy_.empty()) return;
    // A program started without its process information may still be running.
    for (int attempt = 0; attempt < 100 && !DeleteFileW(copy_.c_str()); ++attempt) Sleep(50);
  }

  Text copy_;
};

TEST_F(PlainNameStart, APlainNameIsLookedForInTheWindowsFolderWithExeAdded) {
  PROCESS_INFORMATION info;
  ASSERT_TRUE(Start(TEXT("cedesktop_child"), TEXT("--gtest_filter=-*"), &info)) << GetLastError();
  EXPECT_EQ(0u, ExitCodeOf(&info));
  ASSERT_TRUE(Start(TEXT("CEDESKTOP_CHILD.EXE"), TEXT("--gtest_filter=-*"), &info)) << GetLastError();
  EXPECT_EQ(0u, ExitCodeOf(&info));
}

TEST_F(PlainNameStart, WithoutProcessInformationTheProgramStartsAndNoHandleIsLeftOpen) {
  DWORD before = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
  EXPECT_TRUE(Start(TEXT("cedesktop_child.exe"), TEXT("--gtest_filter=-*"), NULL)) << GetLastError();
  DWORD after = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
  EXPECT_EQ(before, after);
}

TEST(ProgramStart, OnlyTheDevicesFoldersAreSearched) {
  // cmd.exe is in the system folder, on the desktop's search path but not in the device's.
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), FailureOf(TEXT("cmd")));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), FailureOf(TEXT("no such program.exe")));
}

TEST(ProgramStart, NamesThatAreNullEmptyOrTooLongAreRefused) {
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), FailureOf(NULL));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), FailureOf(TEXT("")));
  Text longName(MAX_PATH, TEXT('a'));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), FailureOf(longName.c_str()));
}

}  // namespace
