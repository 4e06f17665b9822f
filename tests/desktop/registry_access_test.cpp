// The registry as module code sees it on desktop Windows: the device's one-call read of a value in
// a subkey, and keys that can be written whatever access rights were asked for.
#include <gtest/gtest.h>

#include "ceplatform.h"

namespace {

// A fresh key of the current user's for each test, removed with everything under it afterwards.
class RegistryAccess : public ::testing::Test {
 protected:
  void SetUp() override {
    swprintf(path_, TEXT("Software\\FoldwiseDesktopTests\\%lu_%lu"), GetCurrentProcessId(), GetTickCount());
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, path_, 0, NULL, 0, 0, NULL, &key_, NULL));
    HKEY explorer = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(key_, TEXT("Explorer"), 0, NULL, 0, 0, NULL, &explorer, NULL));
    DWORD showExt = 1;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(explorer, TEXT("ShowExt"), 0, REG_DWORD,
                                            reinterpret_cast<const BYTE*>(&showExt), sizeof(showExt)));
    const WCHAR last[] = TEXT("\\My Documents");
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(explorer, TEXT("Last"), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(last), sizeof(last)));
    RegCloseKey(explorer);
  }

  void TearDown() override {
    if (key_ != NULL) {
      RegCloseKey(key_);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, path_);
  }

  // The device's one-call form: lpReserved names the subkey.
  LONG QueryInSubkey(const WCHAR* subKey, const WCHAR* value, DWORD* type, BYTE* data, DWORD* size) {
    return RegQueryValueExW(key_, value, reinterpret_cast<DWORD*>(const_cast<WCHAR*>(subKey)), type, data, size);
  }

  WCHAR path_[MAX_PATH];
  HKEY key_ = NULL;
};

TEST_F(RegistryAccess, ANamedSubkeyIsReadInOneCall) {
  DWORD type = 0;
  DWORD value = 0xDEADBEEF;
  DWORD size = sizeof(value);
  ASSERT_EQ(ERROR_SUCCESS, QueryInSubkey(TEXT("Explorer"), TEXT("ShowExt"), &type, reinterpret_cast<BYTE*>(&value), &size));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ(1u, value);
  EXPECT_EQ(sizeof(DWORD), size);
}

TEST_F(RegistryAccess, AStringInANamedSubkeyComesWithItsTerminator) {
  WCHAR text[MAX_PATH];
  DWORD size = sizeof(text);
  DWORD type = 0;
  ASSERT_EQ(ERROR_SUCCESS, QueryInSubkey(TEXT("Explorer"), TEXT("Last"), &type, reinterpret_cast<BYTE*>(text), &size));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_STREQ(TEXT("\\My Documents"), text);
  EXPECT_EQ(sizeof(TEXT("\\My Documents")), size);
}

TEST_F(RegistryAccess, AMissingSubkeyLeavesTheOutputsAlone) {
  DWORD type = 0x5A5A;
  DWORD value = 0xDEADBEEF;
  DWORD size = sizeof(value);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            QueryInSubkey(TEXT("Nowhere"), TEXT("ShowExt"), &type, reinterpret_cast<BYTE*>(&value), &size));
  EXPECT_EQ(0x5A5Au, type);
  EXPECT_EQ(0xDEADBEEFu, value);
  EXPECT_EQ(sizeof(value), size);
}

TEST_F(RegistryAccess, AMissingValueInANamedSubkeyIsNotFound) {
  DWORD value = 0xDEADBEEF;
  DWORD size = sizeof(value);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            QueryInSubkey(TEXT("Explorer"), TEXT("ListStyle"), NULL, reinterpret_cast<BYTE*>(&value), &size));
  EXPECT_EQ(0xDEADBEEFu, value);
}

TEST_F(RegistryAccess, ATooSmallBufferGetsTheSizeNeeded) {
  BYTE small[4] = {0x11, 0x22, 0x33, 0x44};
  DWORD size = sizeof(small);
  EXPECT_EQ(ERROR_MORE_DATA, QueryInSubkey(TEXT("Explorer"), TEXT("Last"), NULL, small, &size));
  EXPECT_EQ(sizeof(TEXT("\\My Documents")), size);
}

TEST_F(RegistryAccess, WithoutASubkeyTheKeyItselfIsRead) {
  DWORD value = 0xDEADBEEF;
  DWORD size = sizeof(value);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegQueryValueExW(key_, TEXT("ShowExt"), NULL, NULL, reinterpret_cast<BYTE*>(&value), &size));
  DWORD seven = 7;
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key_, TEXT("ShowExt"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&seven), sizeof(seven)));
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key_, TEXT("ShowExt"), NULL, NULL, reinterpret_cast<BYTE*>(&value), &size));
  EXPECT_EQ(7u, value);
}

TEST_F(RegistryAccess, AKeyOpenedWithoutRightsCanBeWrittenAndFlushed) {
  HKEY explorer = NULL;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(key_, TEXT("Explorer"), 0, 0, &explorer));
  DWORD style = 2;
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(explorer, TEXT("ListStyle"), 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&style), sizeof(style)));
  EXPECT_EQ(ERROR_SUCCESS, RegFlushKey(explorer));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(explorer));

  DWORD value = 0;
  DWORD size = sizeof(value);
  ASSERT_EQ(ERROR_SUCCESS, QueryInSubkey(TEXT("Explorer"), TEXT("ListStyle"), NULL, reinterpret_cast<BYTE*>(&value), &size));
  EXPECT_EQ(2u, value);
}

TEST_F(RegistryAccess, AKeyOpenedForReadingOnlyCanStillBeWritten) {
  HKEY explorer = NULL;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(key_, TEXT("Explorer"), 0, KEY_QUERY_VALUE, &explorer));
  DWORD zero = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(explorer, TEXT("ShowExt"), 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&zero), sizeof(zero)));
  RegCloseKey(explorer);
}

}  // namespace
