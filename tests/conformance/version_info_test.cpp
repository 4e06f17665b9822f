// Version resources as the module's Properties page reads them out of real programs (the sample
// programs that the build cross-compiles with their .rc files): GetFileVersionInfoSizeW and
// GetFileVersionInfoW, then VerQueryValueW for the fixed part, the translation table and the
// strings of one translation, and what a program without a version resource, a file that is no
// program and a missing file report.
#include <vector>

#include "conformance.h"

namespace conformance {
namespace {

class VersionInfoTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.AddSampleProgram(TEXT("\\box.exe"), "box.exe")) << "box.exe was not built";
    ASSERT_TRUE(host.AddSampleProgram(TEXT("\\notes.exe"), "notes.exe")) << "notes.exe was not built";
    ASSERT_TRUE(host.AddSampleProgram(TEXT("\\viewer.exe"), "viewer.exe")) << "viewer.exe was not built";
    ASSERT_TRUE(host.AddSampleProgram(TEXT("\\plain.exe"), "plain.exe")) << "plain.exe was not built";
    host.AddFile(TEXT("\\notes.txt"), "not a program");
    ASSERT_TRUE(host.Start());
  }

  // The calls take writable strings, as the device's headers declare them.
  static std::vector<WCHAR> Writable(const Text& text) {
    std::vector<WCHAR> copy(text.begin(), text.end());
    copy.push_back(0);
    return copy;
  }

  // The file's whole version information, empty when it has none; `reported` gets the size that
  // GetFileVersionInfoSizeW gave.
  std::vector<BYTE> VersionOf(const Text& devicePath, DWORD* reported = nullptr) {
    std::vector<WCHAR> name = Writable(host.Path(devicePath));
    DWORD handle = 0xDEADBEEF;
    const DWORD size = GetFileVersionInfoSizeW(name.data(), &handle);
    EXPECT_EQ(handle, 0u) << "the handle argument is set to zero";
    if (reported != nullptr) *reported = size;
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(name.data(), 0, size, block.data())) block.clear();
    return block;
  }

  static bool Query(std::vector<BYTE>& block, const Text& subBlock, void** value, UINT* length) {
    std::vector<WCHAR> path = Writable(subBlock);
    return VerQueryValueW(block.data(), path.data(), value, length) != FALSE;
  }

  static Text StringOf(std::vector<BYTE>& block, const Text& subBlock) {
    void* value = nullptr;
    UINT length = 0;
    if (!Query(block, subBlock, &value, &length)) return TEXT("(none)");
    return static_cast<const WCHAR*>(value);
  }

  // The size and last error of a file without version information.
  void ExpectNoVersion(const Text& devicePath, DWORD error) {
    std::vector<WCHAR> name = Writable(host.Path(devicePath));
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW(name.data(), nullptr), 0u);
    EXPECT_EQ(GetLastError(), error);
  }
};

TEST_F(VersionInfoTest, TheSizeHoldsTheWholeResource) {
  DWORD reported = 0;
  std::vector<BYTE> block = VersionOf(TEXT("\\box.exe"), &reported);
  ASSERT_FALSE(block.empty());
  // The block starts with the resource's own length. The desktop reports more than that (room for
  // the narrow calls' strings); the device, which has no narrow calls, the resource itself
  // (cesim's choice, checked by its own tests: CE's reference gives only "the size of the file's
  // version information").
  const WORD resourceLength = *reinterpret_cast<const WORD*>(block.data());
  EXPECT_GE(reported, resourceLength);
}

TEST_F(VersionInfoTest, TheRootIsTheFixedPart) {
  std::vector<BYTE> block = VersionOf(TEXT("\\box.exe"));
  ASSERT_FALSE(block.empty());
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(Query(block, TEXT("\\"), &value, &length));
  EXPECT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, static_cast<DWORD>(VS_FFI_SIGNATURE));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00050001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00020003u);
}

TEST_F(VersionInfoTest, TheTranslationTableListsLanguageAndCodePage) {
  std::vector<BYTE> block = VersionOf(TEXT("\\box.exe"));
  ASSERT_FALSE(block.empty());
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(Query(block, TEXT("\\VarFileInfo\\Translation"), &value, &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0409);
  EXPECT_EQ(static_cast<const WORD*>(value)[1], 0x04B0);
}

TEST_F(VersionInfoTest, AStringComesWithItsLengthInCharactersAndTheTerminator) {
  std::vector<BYTE> block = VersionOf(TEXT("\\box.exe"));
  ASSERT_FALSE(block.empty());
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(Query(block, TEXT("\\StringFileInfo\\040904b0\\CompanyName"), &value, &length));
  EXPECT_EQ(Printable(static_cast<const WCHAR*>(value)), "Tool Makers Ltd.");
  EXPECT_EQ(length, 17u);
}

TEST_F(VersionInfoTest, KeysAreFoundWithoutLetterCase) {
  std::vector<BYTE> block = VersionOf(TEXT("\\box.exe"));
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(Printable(StringOf(block, TEXT("\\StringFileInfo\\040904B0\\legalcopyright"))),
            "Copyright (C) 2009 Tool Makers Ltd.");
}

TEST_F(VersionInfoTest, AMissingKeyFailsWithLengthZeroAndLeavesTheValueAlone) {
  std::vector<BYTE> block = VersionOf(TEXT("\\box.exe"));
  ASSERT_FALSE(block.empty());
  void* value = &block;
  UINT length = 0xDEADBEEF;
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(Query(block, TEXT("\\StringFileInfo\\040904b0\\Company"), &value, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(value, static_cast<void*>(&block));
}

TEST_F(VersionInfoTest, ATranslationTheFileLacksHasNoStrings) {
  std::vector<BYTE> block = VersionOf(TEXT("\\box.exe"));
  ASSERT_FALSE(block.empty());
  void* value = nullptr;
  UINT length = 0;
  EXPECT_FALSE(Query(block, TEXT("\\StringFileInfo\\040704e4\\CompanyName"), &value, &length));
}

TEST_F(VersionInfoTest, AProgramWithSomeStringsLacksTheOthers) {
  std::vector<BYTE> block = VersionOf(TEXT("\\notes.exe"));
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(Printable(StringOf(block, TEXT("\\StringFileInfo\\040904b0\\ProductName"))), "Notes");
  EXPECT_EQ(Printable(StringOf(block, TEXT("\\StringFileInfo\\040904b0\\FileDescription"))), "(none)");
}

TEST_F(VersionInfoTest, StringsAreFoundUnderTheSecondTranslationOnly) {
  std::vector<BYTE> block = VersionOf(TEXT("\\viewer.exe"));
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(Printable(StringOf(block, TEXT("\\StringFileInfo\\040904b0\\FileDescription"))), "(none)");
  EXPECT_EQ(Printable(StringOf(block, TEXT("\\StringFileInfo\\040704e4\\FileDescription"))), "Bildbetrachter");
}

TEST_F(VersionInfoTest, AProgramWithoutAVersionResourceReportsSizeZero) {
  ExpectNoVersion(TEXT("\\plain.exe"), ERROR_RESOURCE_DATA_NOT_FOUND);
}

TEST_F(VersionInfoTest, AFileThatIsNoProgramReportsSizeZero) {
  ExpectNoVersion(TEXT("\\notes.txt"), ERROR_RESOURCE_DATA_NOT_FOUND);
}

TEST_F(VersionInfoTest, AMissingFileIsFileNotFound) { ExpectNoVersion(TEXT("\\missing.exe"), ERROR_FILE_NOT_FOUND); }

}  // namespace
}  // namespace conformance
