// Starting programs that are not there: CreateProcessW fails with the error of what is missing
// (the program, or a folder on its way) and writes no process information.
#include "conformance.h"

namespace conformance {
namespace {

class ProcessStartTest : public ConformanceTest {
 protected:
  void SetUp() override {
    host.AddFolder(TEXT("\\Programs"));
    ASSERT_TRUE(host.Start());
  }

  // The error of a start that fails; the process information stays as it was.
  DWORD FailureOf(const Text& name) {
    PROCESS_INFORMATION info = {};
    info.hProcess = reinterpret_cast<HANDLE>(0x5A5A);
    SetLastError(0);
    BOOL started = CreateProcessW(name.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info);
    DWORD error = GetLastError();
    EXPECT_FALSE(started) << Printable(name);
    if (started) {
      CloseHandle(info.hThread);
      CloseHandle(info.hProcess);
    } else {
      EXPECT_EQ(info.hProcess, reinterpret_cast<HANDLE>(0x5A5A));
    }
    return error;
  }
};

TEST_F(ProcessStartTest, AProgramThatIsNotThereFailsWithTheErrorOfWhatIsMissing) {
  EXPECT_EQ(FailureOf(host.Path(TEXT("\\Programs\\no such program.exe"))), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FailureOf(host.Path(TEXT("\\No Such Folder\\program.exe"))), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(FailureOf(TEXT("")), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
}  // namespace conformance
