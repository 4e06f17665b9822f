// The registry as the settings store and the Explorer read it: the error codes of a missing key
// or value, of a buffer that is too small (ERROR_MORE_DATA with the size needed, the buffer's
// contents undefined), the end of an enumeration, and the device's one-call read of a subkey's
// value through lpReserved (Windows CE only).
#include <cstring>

#include "conformance.h"

namespace conformance {
namespace {

const WCHAR kPath[] = TEXT("\\Windows\\fexplore.exe");  // 21 characters, 44 bytes with the terminator

class RegistryTest : public ConformanceTest {
 protected:
  void SetUp() override {
    host.SetUserString(TEXT("Explorer"), TEXT("LocalPath"), kPath);
    host.SetUserDword(TEXT("Explorer"), TEXT("LastLocation"), 2);
    host.SetUserBinary(TEXT("Explorer"), TEXT("Widths"), {1, 2, 3, 4, 5, 6, 7, 8});
    host.SetUserDword(TEXT("Explorer\\Handlers\\First"), TEXT("Order"), 1);
    host.SetUserString(TEXT("Explorer\\Handlers\\First"), TEXT(""), TEXT("{00000000-0000-0000-0000-000000000001}"));
    host.SetUserDword(TEXT("Explorer\\Handlers\\Second"), TEXT("Order"), 2);
    ASSERT_TRUE(host.Start());
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, host.UserKey(TEXT("Explorer")).c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    if (key != nullptr) RegCloseKey(key);
  }

  HKEY key = nullptr;
};

TEST_F(RegistryTest, AMissingKeyIsFileNotFound) {
  HKEY missing = reinterpret_cast<HKEY>(static_cast<INT_PTR>(0x1234));
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, host.UserKey(TEXT("Missing")).c_str(), 0, KEY_READ, &missing),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, AMissingValueIsFileNotFound) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  EXPECT_EQ(RegQueryValueExW(key, TEXT("Missing"), nullptr, nullptr, reinterpret_cast<LPBYTE>(&value), &size),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, WithoutABufferTheSizeAndTypeComeBack) {
  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, TEXT("LocalPath"), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, DWORD(sizeof(kPath)));
}

TEST_F(RegistryTest, AValueThatFitsIsReadWhole) {
  WCHAR text[MAX_PATH];
  DWORD type = 0;
  DWORD size = sizeof(text);
  ASSERT_EQ(RegQueryValueExW(key, TEXT("LocalPath"), nullptr, &type, reinterpret_cast<LPBYTE>(text), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, DWORD(sizeof(kPath)));
  EXPECT_EQ(Text(text), Text(kPath));
  DWORD number = 0;
  size = sizeof(number);
  ASSERT_EQ(RegQueryValueExW(key, TEXT("LastLocation"), nullptr, &type, reinterpret_cast<LPBYTE>(&number), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_DWORD));
  EXPECT_EQ(number, 2u);
}

TEST_F(RegistryTest, TheDefaultValueIsReadWithoutAName) {
  HKEY handler = nullptr;
  ASSERT_EQ(RegOpenKeyExW(key, TEXT("Handlers\\First"), 0, KEY_READ, &handler), ERROR_SUCCESS);
  WCHAR text[64];
  DWORD type = 0;
  DWORD size = sizeof(text);
  EXPECT_EQ(RegQueryValueExW(handler, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(Text(text), Text(TEXT("{00000000-0000-0000-0000-000000000001}")));
  RegCloseKey(handler);
  HKEY second = nullptr;
  ASSERT_EQ(RegOpenKeyExW(key, TEXT("Handlers\\Second"), 0, KEY_READ, &second), ERROR_SUCCESS);
  size = sizeof(text);
  EXPECT_EQ(RegQueryValueExW(second, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size), ERROR_FILE_NOT_FOUND);
  RegCloseKey(second);
}

TEST_F(RegistryTest, ATooSmallBufferIsMoreDataWithTheSizeNeeded) {
  BYTE data[8];
  DWORD type = 0;
  DWORD size = sizeof(data);
  EXPECT_EQ(RegQueryValueExW(key, TEXT("LocalPath"), nullptr, &type, data, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, DWORD(sizeof(kPath)));
  EXPECT_EQ(type, DWORD(REG_SZ));
}

TEST_F(RegistryTest, ABinaryValueTooLongForTheBufferIsMoreData) {
  BYTE data[4];
  DWORD size = sizeof(data);
  EXPECT_EQ(RegQueryValueExW(key, TEXT("Widths"), nullptr, nullptr, data, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);
}

TEST_F(RegistryTest, AfterMoreDataTheBufferHoldsNothingToRelyOn) {
  // The reference leaves the buffer's contents undefined after ERROR_MORE_DATA: neither the old
  // contents nor the first part of the value. cesim poisons it so that a caller relying on either
  // fails there.
  CONFORMANCE_CESIM_ONLY("the buffer's contents after ERROR_MORE_DATA are undefined on every platform");
  BYTE data[8];
  memset(data, 0x5A, sizeof(data));
  DWORD size = sizeof(data);
  ASSERT_EQ(RegQueryValueExW(key, TEXT("LocalPath"), nullptr, nullptr, data, &size), ERROR_MORE_DATA);
  BYTE old[8];
  memset(old, 0x5A, sizeof(old));
  EXPECT_NE(memcmp(data, old, sizeof(data)), 0) << "the buffer kept the caller's contents";
  EXPECT_NE(memcmp(data, kPath, sizeof(data)), 0) << "the buffer holds the start of the value";
}

TEST_F(RegistryTest, EnumeratingPastTheLastSubkeyIsNoMoreItems) {
  HKEY handlers = nullptr;
  ASSERT_EQ(RegOpenKeyExW(key, TEXT("Handlers"), 0, KEY_READ, &handlers), ERROR_SUCCESS);
  std::vector<Text> names;
  LONG status = ERROR_SUCCESS;
  for (DWORD index = 0; index < 10; ++index) {
    WCHAR name[MAX_PATH];
    DWORD chars = MAX_PATH;
    status = RegEnumKeyExW(handlers, index, name, &chars, nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) break;
    EXPECT_EQ(chars, DWORD(Text(name).size()));
    names.push_back(name);
  }
  RegCloseKey(handlers);
  EXPECT_EQ(status, ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(names.size(), 2u);
}

TEST_F(RegistryTest, ASubkeyNameTooLongForTheBufferIsMoreData) {
  HKEY handlers = nullptr;
  ASSERT_EQ(RegOpenKeyExW(key, TEXT("Handlers"), 0, KEY_READ, &handlers), ERROR_SUCCESS);
  WCHAR name[3];
  DWORD chars = 3;
  EXPECT_EQ(RegEnumKeyExW(handlers, 0, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  RegCloseKey(handlers);
}

TEST_F(RegistryTest, ASubkeysValueIsReadInOneCallThroughReserved) {
  CONFORMANCE_CE_ONLY("the device's RegQueryValueExW reads the value of the subkey named in lpReserved; "
                      "desktop Windows requires lpReserved to be null");
  DWORD number = 0;
  DWORD size = sizeof(number);
  Text subkey = host.UserKey(TEXT("Explorer"));
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, TEXT("LastLocation"),
                             reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(subkey.c_str())), nullptr,
                             reinterpret_cast<LPBYTE>(&number), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(number, 2u);
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, TEXT("Missing"),
                             reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(subkey.c_str())), nullptr,
                             reinterpret_cast<LPBYTE>(&number), &size),
            ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace conformance
