// ShellExecuteEx's failures: what is missing (the file, a folder on its way, an association for a
// document) comes back in hInstApp as the shell's error number, with the system error behind it;
// nothing is started.
#include "conformance.h"

namespace conformance {
namespace {

class ShellExecuteTest : public ConformanceTest {
 protected:
  void SetUp() override {
    host.AddFile(TEXT("\\Docs\\data") + host.ClassName(TEXT(".fwnone")), "x");
    ASSERT_TRUE(host.Start());
  }
  BOOL Execute(const Text& devicePath) {
    path = host.Path(devicePath);
    record = SHELLEXECUTEINFO();
    record.cbSize = sizeof(record);
    record.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
    record.lpFile = path.c_str();
    record.nShow = SW_SHOWNORMAL;
    record.hProcess = reinterpret_cast<HANDLE>(0x5A5A);
    return ShellExecuteEx(&record);
  }
  INT_PTR InstApp() const { return reinterpret_cast<INT_PTR>(record.hInstApp); }

  Text path;
  SHELLEXECUTEINFO record = {};
};

TEST_F(ShellExecuteTest, AMissingProgramIsFileNotFound) {
  SetLastError(0);
  EXPECT_FALSE(Execute(TEXT("\\Docs\\nowhere.exe")));
  EXPECT_EQ(InstApp(), INT_PTR(SE_ERR_FNF));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(record.hProcess, nullptr) << "a failed start hands out no process";
}

TEST_F(ShellExecuteTest, AMissingFolderIsPathNotFound) {
  SetLastError(0);
  EXPECT_FALSE(Execute(TEXT("\\Nowhere\\nowhere.exe")));
  EXPECT_LE(InstApp(), 32);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(ShellExecuteTest, ADocumentWithoutAnAssociationIsNoAssociation) {
  EXPECT_FALSE(Execute(TEXT("\\Docs\\data") + host.ClassName(TEXT(".fwnone"))));
  EXPECT_EQ(InstApp(), INT_PTR(SE_ERR_NOASSOC));
}

}  // namespace
}  // namespace conformance
