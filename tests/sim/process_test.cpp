// CreateProcessW on the device: the program is looked for as the device looks for it (a plain
// name in \Windows, then in the root folder; ".exe" added to a name without extension) and its
// start is kept in the launch log that automation reads; nothing runs on this host. Failures set
// the platform's errors. The device's CreateProcess takes the program's name and its arguments and
// ignores the rest (CreateProcess and "Creating a Process", Windows CE 5.0 and Windows Mobile).
#include <gtest/gtest.h>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "cesim/ui.h"

namespace {

using foldwise_test::BootedDevice;

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.image.AddFile(u"\\Windows\\fexplore.exe")
        .AddFile(u"\\Windows\\readme.txt", "text")
        .AddFolder(u"\\Windows\\Tools.exe")
        .AddFile(u"\\Root Only.exe")
        .AddFile(u"\\Program Files\\Calc\\Calc.exe");
  }

  void Boot() { ASSERT_TRUE(device.Boot()); }

  // Starts a program with every other argument the device supports left out.
  static BOOL Start(LPCWSTR name, LPCWSTR arguments = nullptr, PROCESS_INFORMATION* info = nullptr) {
    return CreateProcessW(name, arguments, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, info);
  }

  // The error of a start that fails, and that it left no trace.
  DWORD FailureOf(LPCWSTR name) {
    PROCESS_INFORMATION info;
    info.hProcess = reinterpret_cast<HANDLE>(0x5A5A);
    info.dwProcessId = 0x5A5A;
    const size_t starts = cesim::LaunchLog().size();
    const size_t handles = cesim::OpenKernelHandles();
    SetLastError(0);
    EXPECT_FALSE(Start(name, nullptr, &info));
    DWORD error = GetLastError();
    EXPECT_EQ(info.hProcess, reinterpret_cast<HANDLE>(0x5A5A));  // not written
    EXPECT_EQ(info.dwProcessId, 0x5A5Au);
    EXPECT_EQ(cesim::LaunchLog().size(), starts);
    EXPECT_EQ(cesim::OpenKernelHandles(), handles);
    return error;
  }

  BootedDevice device;
};

TEST_F(ProcessTest, APlainNameIsFoundInWindowsAndLoggedAsFound) {
  Boot();
  cesim::AdvanceClock(1234);
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(Start(u"fexplore.exe", nullptr, &info));
  std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].programPath, u"\\Windows\\fexplore.exe");
  EXPECT_EQ(log[0].commandLine, u"");
  EXPECT_EQ(log[0].time, 1234u);
  EXPECT_EQ(log[0].call, "CreateProcessW");
  EXPECT_EQ(log[0].creationFlags, 0u);
  EXPECT_NE(info.hProcess, nullptr);
  EXPECT_NE(info.hThread, nullptr);
  EXPECT_NE(info.hProcess, info.hThread);
  EXPECT_NE(info.dwProcessId, 0u);
  EXPECT_NE(info.dwThreadId, 0u);
  EXPECT_EQ(cesim::OpenKernelHandles(), 2u);
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_EQ(cesim::OpenKernelHandles(), 0u);
  SetLastError(0);
  EXPECT_FALSE(CloseHandle(info.hProcess));  // closed already
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(nullptr));
}

TEST_F(ProcessTest, ANameWithoutExtensionIsAProgramAndLetterCaseIsTheDevicesOwn) {
  Boot();
  ASSERT_TRUE(Start(u"FEXPLORE"));
  ASSERT_TRUE(Start(u"\\WINDOWS\\FExplore.EXE"));
  std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].programPath, u"\\Windows\\fexplore.exe");
  EXPECT_EQ(log[1].programPath, u"\\Windows\\fexplore.exe");
  // A trailing dot means a name without extension: "fexplore." is no program of that name.
  EXPECT_EQ(FailureOf(u"fexplore."), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(ProcessTest, AfterWindowsTheRootFolderIsSearched) {
  Boot();
  ASSERT_TRUE(Start(u"Root Only.exe"));
  ASSERT_EQ(cesim::LaunchLog().size(), 1u);
  EXPECT_EQ(cesim::LaunchLog()[0].programPath, u"\\Root Only.exe");
}

TEST_F(ProcessTest, ProgramsElsewhereAreStartedByPathAndThePathHasNoDefaultExtension) {
  Boot();
  ASSERT_TRUE(Start(u"\\Program Files\\Calc\\Calc.exe", u"/memory 12 \"two words\""));
  ASSERT_TRUE(Start(u"Program Files\\calc\\calc.exe"));  // no current folder: from the root
  EXPECT_EQ(FailureOf(u"Calc.exe"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));  // not on the search path
  std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].programPath, u"\\Program Files\\Calc\\Calc.exe");
  EXPECT_EQ(log[0].commandLine, u"/memory 12 \"two words\"");
  EXPECT_EQ(log[1].programPath, u"\\Program Files\\Calc\\Calc.exe");
}

TEST_F(ProcessTest, WhatTheDeviceDoesNotSupportIsIgnoredAndTheFlagsAreKept) {
  Boot();
  SECURITY_ATTRIBUTES security = {};
  security.nLength = sizeof security;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  WCHAR folder[] = u"\\Windows";
  ASSERT_TRUE(CreateProcessW(u"fexplore.exe", u"-x", &security, &security, TRUE, CREATE_SUSPENDED, nullptr, folder,
                             &startup, nullptr));
  ASSERT_EQ(cesim::LaunchLog().size(), 1u);
  EXPECT_EQ(cesim::LaunchLog()[0].creationFlags, static_cast<DWORD>(CREATE_SUSPENDED));
  EXPECT_EQ(cesim::OpenKernelHandles(), 0u);  // no process information asked for
}

TEST_F(ProcessTest, AProgramThatIsNotThereFailsWithTheErrorOfWhatIsMissing) {
  Boot();
  EXPECT_EQ(FailureOf(u"nothing.exe"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FailureOf(u"\\Windows\\nothing.exe"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FailureOf(u"\\No Such Folder\\nothing.exe"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(ProcessTest, WhatIsNoProgramCannotBeStarted) {
  Boot();
  EXPECT_EQ(FailureOf(u"readme.txt"), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  EXPECT_EQ(FailureOf(u"\\Windows\\readme.txt"), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  EXPECT_EQ(FailureOf(u"\\Windows\\Tools.exe"), static_cast<DWORD>(ERROR_ACCESS_DENIED));  // a folder
  EXPECT_EQ(FailureOf(u"\\Windows\\fex*.exe"), static_cast<DWORD>(ERROR_INVALID_NAME));
}

TEST_F(ProcessTest, NamesThatAreNullEmptyOrTooLongAreRefused) {
  Boot();
  EXPECT_EQ(FailureOf(nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));  // the device needs a name
  EXPECT_EQ(FailureOf(u""), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  std::u16string tooLong = u"\\" + std::u16string(MAX_PATH, u'x') + u".exe";
  EXPECT_EQ(FailureOf(tooLong.c_str()), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
  std::u16string plainTooLong(MAX_PATH, u'y');
  EXPECT_EQ(FailureOf(plainTooLong.c_str()), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

TEST_F(ProcessTest, APathOf259CharactersIsStartedAndOneOf260IsNot) {
  std::u16string longest = foldwise_test::PathOfLength(u"\\Programs", MAX_PATH - 1 - 4) + u".exe";
  std::u16string tooLong = foldwise_test::PathOfLength(u"\\Programs", MAX_PATH - 4) + u".exe";
  ASSERT_EQ(longest.size(), 259u);
  device.image.AddFile(longest).AddFile(tooLong);
  Boot();
  ASSERT_TRUE(Start(longest.c_str()));
  EXPECT_EQ(cesim::LaunchLog().at(0).programPath, longest);
  EXPECT_FALSE(Start(tooLong.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

TEST_F(ProcessTest, ACommandLineLongerThanThePlatformTakesIsRefused) {
  Boot();
  std::u16string longest(32766, u'a');
  ASSERT_TRUE(Start(u"fexplore.exe", longest.c_str()));
  EXPECT_EQ(cesim::LaunchLog().at(0).commandLine.size(), 32766u);
  std::u16string tooLong(32767, u'a');
  SetLastError(0);
  EXPECT_FALSE(Start(u"fexplore.exe", tooLong.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(cesim::LaunchLog().size(), 1u);
}

TEST_F(ProcessTest, EachBootStartsWithAnEmptyLog) {
  Boot();
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(Start(u"fexplore.exe", nullptr, &info));
  cesim::Shutdown();
  ASSERT_TRUE(cesim::Boot(device.image.Folder()));
  EXPECT_TRUE(cesim::LaunchLog().empty());
  EXPECT_EQ(cesim::OpenKernelHandles(), 0u);
  EXPECT_FALSE(CloseHandle(info.hProcess));  // a handle of the device that is gone
}

TEST_F(ProcessTest, TheStartsAreLoggedInOrder) {
  Boot();
  ASSERT_TRUE(Start(u"fexplore.exe", u"one"));
  cesim::AdvanceClock(10);
  ASSERT_TRUE(Start(u"Root Only", u"two"));
  std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].commandLine, u"one");
  EXPECT_EQ(log[1].commandLine, u"two");
  EXPECT_EQ(log[1].programPath, u"\\Root Only.exe");
  EXPECT_EQ(log[1].time, log[0].time + 10);
}

}  // namespace
