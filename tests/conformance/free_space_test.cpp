// Free space as the module's Properties page shows it: GetDiskFreeSpaceExW of a folder on a
// storage volume, the error codes of a missing folder, a missing file and a file named as a
// folder, and which of the three results a caller may leave out.
#include "conformance.h"

namespace conformance {
namespace {

class FreeSpaceTest : public ConformanceTest {
 protected:
  void SetUp() override {
    host.AddFolder(TEXT("\\Data"));
    host.AddFile(TEXT("\\Data\\file.txt"), "x");
    ASSERT_TRUE(host.Start());
  }

  // GetDiskFreeSpaceExW of a test path with every result asked for; the last error on failure.
  BOOL FreeSpaceOf(const Text& devicePath) {
    SetLastError(0);
    return GetDiskFreeSpaceExW(host.Path(devicePath).c_str(), &available, &total, &free);
  }

  ULARGE_INTEGER available = {};
  ULARGE_INTEGER total = {};
  ULARGE_INTEGER free = {};
};

TEST_F(FreeSpaceTest, AFolderGivesItsVolumesBytes) {
  ASSERT_TRUE(FreeSpaceOf(TEXT("\\Data\\")));
  EXPECT_GT(total.QuadPart, 0u);
  EXPECT_LE(free.QuadPart, total.QuadPart);
  EXPECT_LE(available.QuadPart, free.QuadPart);
}

TEST_F(FreeSpaceTest, AFolderNamedWithoutTheBackslashGivesTheSame) {
  ASSERT_TRUE(FreeSpaceOf(TEXT("\\Data\\")));
  const ULONGLONG totalWithBackslash = total.QuadPart;
  ASSERT_TRUE(FreeSpaceOf(TEXT("\\Data")));
  EXPECT_EQ(total.QuadPart, totalWithBackslash);
}

TEST_F(FreeSpaceTest, AMissingFolderOnTheWayIsPathNotFound) {
  EXPECT_FALSE(FreeSpaceOf(TEXT("\\Nowhere\\Deeper\\")));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FreeSpaceTest, AMissingLastNameIsFileNotFound) {
  EXPECT_FALSE(FreeSpaceOf(TEXT("\\Nowhere")));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FreeSpaceTest, AFileIsNoFolderOfTheVolume) {
  EXPECT_FALSE(FreeSpaceOf(TEXT("\\Data\\file.txt")));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
}

TEST_F(FreeSpaceTest, TheDeviceNeedsTheFirstTwoResults) {
  CONFORMANCE_CE_ONLY("GetDiskFreeSpaceEx (Windows CE 5.0): lpTotalNumberOfFreeBytes is the one result that "
                      "can be NULL; the desktop takes NULL for any");
  SetLastError(0);
  EXPECT_FALSE(GetDiskFreeSpaceExW(host.Path(TEXT("\\Data\\")).c_str(), nullptr, nullptr, &free));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(GetDiskFreeSpaceExW(host.Path(TEXT("\\Data\\")).c_str(), &available, &total, nullptr));
}

TEST_F(FreeSpaceTest, TheDesktopLetsAnyResultBeLeftOut) {
  CONFORMANCE_DESKTOP_ONLY("GetDiskFreeSpaceEx (Windows CE 5.0): lpTotalNumberOfFreeBytes is the one result "
                           "that can be NULL");
  EXPECT_TRUE(GetDiskFreeSpaceExW(host.Path(TEXT("\\Data\\")).c_str(), nullptr, nullptr, &free));
  EXPECT_TRUE(GetDiskFreeSpaceExW(host.Path(TEXT("\\Data\\")).c_str(), &available, nullptr, nullptr));
}

}  // namespace
}  // namespace conformance
