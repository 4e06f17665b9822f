// The device's registry: REGEDIT4 images, keys and values through the core library's calls,
// the device's one-call read of a subkey's value, error codes, handles and the flush.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "booted_device.h"
#include "cesim/automation.h"
#include "sim/registry.h"

namespace {

using foldwise_test::BootedDevice;

constexpr BYTE kSentinel = 0xCD;

std::vector<BYTE> Bytes(const std::u16string& text) {
  std::vector<BYTE> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

// Reads a value through an opened key; the type and bytes, or the error.
struct Read {
  LONG status = -1;
  DWORD type = 0xFFFF;
  std::vector<BYTE> data;
};
Read QueryValue(HKEY key, const WCHAR* subkey, const WCHAR* name) {
  Read read;
  DWORD size = 0;
  read.status = RegQueryValueExW(key, name, reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(subkey)), &read.type,
                                 nullptr, &size);
  if (read.status != ERROR_SUCCESS) return read;
  read.data.assign(size, kSentinel);
  read.status = RegQueryValueExW(key, name, reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(subkey)), &read.type,
                                 read.data.data(), &size);
  return read;
}

class RegistryTest : public ::testing::Test {
 protected:
  void BootWith(const std::string& regedit4) {
    device_.image.AddRegistry(regedit4);
    ASSERT_TRUE(device_.Boot());
  }
  HKEY Open(HKEY root, const WCHAR* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(root, path, 0, 0, &key), ERROR_SUCCESS);
    return key;
  }
  BootedDevice device_;
};

TEST_F(RegistryTest, ImageValuesOfEveryTypeReadBackWithTypeAndSize) {
  BootWith(
      "[HKEY_LOCAL_MACHINE\\Explorer]\n"
      "\"ShowExt\"=dword:0000001f\n"
      "\"Path\"=\"C:\\\\Temp \\\"x\\\"\"\n"
      "@=\"default\"\n"
      "\"ClumnWidth\"=hex:64,00,3c,00,\\\n"
      "  28,00,50,00\n"
      "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
      "\"Expand\"=hex(2):25,00,00,00\n"
      "\"None\"=hex(0):\n"
      "\"Accent\"=\"caf\xC3\xA9\"\n");
  Read read = QueryValue(HKEY_LOCAL_MACHINE, u"Explorer", u"ShowExt");
  EXPECT_EQ(read.status, ERROR_SUCCESS);
  EXPECT_EQ(read.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(read.data, (std::vector<BYTE>{0x1F, 0, 0, 0}));

  read = QueryValue(HKEY_LOCAL_MACHINE, u"Explorer", u"Path");
  EXPECT_EQ(read.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(read.data, Bytes(u"C:\\Temp \"x\""));

  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, u"Explorer", nullptr).data, Bytes(u"default"));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, u"Explorer", u"").data, Bytes(u"default"));

  read = QueryValue(HKEY_LOCAL_MACHINE, u"Explorer", u"ClumnWidth");
  EXPECT_EQ(read.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(read.data, (std::vector<BYTE>{0x64, 0, 0x3C, 0, 0x28, 0, 0x50, 0}));

  read = QueryValue(HKEY_LOCAL_MACHINE, u"Explorer", u"Multi");
  EXPECT_EQ(read.type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(read.data.size(), 10u);
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, u"Explorer", u"Expand").type, static_cast<DWORD>(REG_EXPAND_SZ));
  read = QueryValue(HKEY_LOCAL_MACHINE, u"Explorer", u"None");
  EXPECT_EQ(read.status, ERROR_SUCCESS);
  EXPECT_EQ(read.type, static_cast<DWORD>(REG_NONE));
  EXPECT_TRUE(read.data.empty());
  EXPECT_EQ(cesim::ReadRegistryString("HKEY_LOCAL_MACHINE\\Explorer", u"Accent"), u"caf\xE9");
}

TEST_F(RegistryTest, MalformedImageLinesAreSkippedAndTheRestLoads) {
  BootWith(
      "\"Orphan\"=dword:00000001\n"
      "[HKEY_NOWHERE\\Key]\n"
      "\"Lost\"=dword:00000001\n"
      "[HKEY_CURRENT_USER\\Software\\Good]\n"
      "\"BadDword\"=dword:xyz\n"
      "\"TooLong\"=dword:123456789\n"
      "\"Unterminated\"=\"abc\n"
      "\"BadHex\"=hex:1,2,zz\n"
      "garbage line\n"
      "\"Kept\"=dword:00000002\n"
      "[HKEY_CURRENT_USER\\Software\\Gone]\n"
      "\"Value\"=\"x\"\n"
      "[-HKEY_CURRENT_USER\\Software\\Gone]\n"
      "[HKEY_CURRENT_USER\\Software\\Good]\n"
      "\"Removed\"=dword:00000003\n"
      "\"Removed\"=-\n");
  EXPECT_EQ(cesim::ReadRegistryDword("HKEY_CURRENT_USER\\Software\\Good", u"Kept"), 2u);
  for (const char16_t* name : {u"BadDword", u"TooLong", u"Unterminated", u"BadHex", u"Removed"}) {
    EXPECT_FALSE(cesim::ReadRegistryValue("HKEY_CURRENT_USER\\Software\\Good", name)) << cesim::Narrow(name);
  }
  EXPECT_FALSE(cesim::RegistryKeyExists("HKEY_CURRENT_USER\\Software\\Gone"));
  EXPECT_FALSE(cesim::ReadRegistryValue("HKEY_LOCAL_MACHINE", u"Orphan"));
}

TEST_F(RegistryTest, OneCallFormReadsAValueOfASubkeyWithoutOpeningIt) {
  BootWith(
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer]\n"
      "\"LastLocation\"=dword:00000001\n"
      "\"StorageCardPath\"=\"\\\\Storage Card\"\n");
  DWORD location = 0xFFFFFFFF;
  DWORD size = sizeof(location);
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, u"LastLocation",
                             reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(u"Software\\Microsoft\\File Explorer")),
                             nullptr, reinterpret_cast<LPBYTE>(&location), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(location, 1u);
  EXPECT_EQ(size, 4u);

  // A string read straight into a path buffer, the size starting at the buffer's size.
  WCHAR path[MAX_PATH];
  size = sizeof(path);
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, u"storagecardpath",
                             reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(u"software\\MICROSOFT\\file explorer")),
                             nullptr, reinterpret_cast<LPBYTE>(path), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(path), u"\\Storage Card");
  EXPECT_EQ(size, 28u);
}

TEST_F(RegistryTest, OneCallFormLeavesTheCallersBufferAloneWhenAnythingIsMissing) {
  BootWith("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ShowExt\"=dword:00000001\n");
  DWORD number = 0x5A5A5A5A;
  DWORD size = sizeof(number);
  EXPECT_EQ(RegQueryValueExW(HKEY_LOCAL_MACHINE, u"ShowExt", reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(u"Nowhere")),
                             nullptr, reinterpret_cast<LPBYTE>(&number), &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExW(HKEY_LOCAL_MACHINE, u"Preview", reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(u"Explorer")),
                             nullptr, reinterpret_cast<LPBYTE>(&number), &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(number, 0x5A5A5A5Au);
  EXPECT_EQ(size, 4u);
}

// The Explorer reads the same setting at every message: each read gives what the registry holds
// at that moment, whatever was written, removed or made again since the last one.
TEST_F(RegistryTest, OneCallFormReadsSeeEveryChangeBetweenThem) {
  BootWith("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ShowExt\"=dword:00000001\n");
  auto showExt = [] { return QueryValue(HKEY_LOCAL_MACHINE, u"Explorer", u"ShowExt"); };
  auto number = [](const Read& read) {
    DWORD value = 0;
    if (read.data.size() == sizeof(value)) std::memcpy(&value, read.data.data(), sizeof(value));
    return value;
  };
  ASSERT_EQ(showExt().status, ERROR_SUCCESS);
  EXPECT_EQ(number(showExt()), 1u);

  HKEY key = Open(HKEY_LOCAL_MACHINE, u"Explorer");
  const DWORD zero = 0;
  ASSERT_EQ(RegSetValueExW(key, u"ShowExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof(zero)),
            ERROR_SUCCESS);
  EXPECT_EQ(number(showExt()), 0u);
  ASSERT_EQ(RegDeleteValueW(key, u"ShowExt"), ERROR_SUCCESS);
  EXPECT_EQ(showExt().status, ERROR_FILE_NOT_FOUND);
  const DWORD two = 2;
  ASSERT_EQ(RegSetValueExW(key, u"ShowExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), sizeof(two)),
            ERROR_SUCCESS);
  EXPECT_EQ(number(showExt()), 2u);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  // The key itself taken away and made again, with another value.
  ASSERT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"Explorer"), ERROR_SUCCESS);
  EXPECT_EQ(showExt().status, ERROR_FILE_NOT_FOUND);
  HKEY again = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Explorer", 0, nullptr, 0, 0, nullptr, &again, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(showExt().status, ERROR_FILE_NOT_FOUND);
  const DWORD three = 3;
  ASSERT_EQ(RegSetValueExW(again, u"ShowExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&three), sizeof(three)),
            ERROR_SUCCESS);
  EXPECT_EQ(number(showExt()), 3u);
  ASSERT_EQ(RegCloseKey(again), ERROR_SUCCESS);
}

// After ERROR_MORE_DATA the reference calls the buffer's contents undefined: cesim poisons all
// of the buffer the caller gave, and nothing past it.
TEST_F(RegistryTest, TooSmallBufferGivesMoreDataWithTheNeededSizeAndAnUndefinedBuffer) {
  BootWith("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ClumnWidth\"=hex:01,02,03,04,05,06,07,08,09\n");
  HKEY key = Open(HKEY_LOCAL_MACHINE, u"Explorer");
  BYTE buffer[12];
  std::memset(buffer, kSentinel, sizeof(buffer));
  DWORD type = 0;
  DWORD size = 8;
  EXPECT_EQ(RegQueryValueExW(key, u"ClumnWidth", nullptr, &type, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 9u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(buffer[i], cesim::kUndefinedOutputByte) << i;
  for (int i = 8; i < 12; ++i) EXPECT_EQ(buffer[i], kSentinel) << i;

  // The one-call form too: a number read into a DWORD that the value does not fit.
  DWORD number = 0;
  size = sizeof(number);
  EXPECT_EQ(RegQueryValueExW(HKEY_LOCAL_MACHINE, u"ClumnWidth", reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(u"Explorer")),
                             nullptr, reinterpret_cast<LPBYTE>(&number), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(number, 0xCCCCCCCCu);

  // The size alone, without a buffer.
  size = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"ClumnWidth", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 9u);
  // A buffer without a size is refused.
  EXPECT_EQ(RegQueryValueExW(key, u"ClumnWidth", nullptr, nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, StringsKeepTheCallersBytesAndFitABufferOfExactlyTheirSize) {
  ASSERT_TRUE(device_.Boot());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u".txt", 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
  const std::vector<BYTE> text = Bytes(u"txtfile");
  ASSERT_EQ(RegSetValueExW(key, nullptr, 0, REG_SZ, text.data(), static_cast<DWORD>(text.size())), ERROR_SUCCESS);
  // Without a terminator, and an odd count: stored as given.
  const BYTE odd[] = {'a', 0, 'b'};
  ASSERT_EQ(RegSetValueExW(key, u"Odd", 0, REG_SZ, odd, sizeof(odd)), ERROR_SUCCESS);

  BYTE buffer[18];
  std::memset(buffer, kSentinel, sizeof(buffer));
  DWORD size = 16;
  EXPECT_EQ(RegQueryValueExW(key, u"", nullptr, nullptr, buffer, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 16u);
  EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 16), text);
  EXPECT_EQ(buffer[16], kSentinel);

  EXPECT_EQ(QueryValue(key, nullptr, u"Odd").data, std::vector<BYTE>(odd, odd + 3));
  EXPECT_EQ(RegSetValueExW(key, u"Null", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, MissingKeysAndValuesGiveFileNotFound) {
  BootWith("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ShowExt\"=dword:00000001\n");
  HKEY key = reinterpret_cast<HKEY>(0x1234);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Explorer\\Missing", 0, 0, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  key = Open(HKEY_LOCAL_MACHINE, u"Explorer");
  DWORD size = 4;
  EXPECT_EQ(RegQueryValueExW(key, u"Preview", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueW(key, u"Preview"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyW(key, u"Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Explorer", 0, 0, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ClosedUnknownAndPreRebootHandlesAreRefused) {
  BootWith("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ShowExt\"=dword:00000001\n");
  HKEY key = Open(HKEY_LOCAL_MACHINE, u"Explorer");
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  DWORD size = 4;
  EXPECT_EQ(RegQueryValueExW(key, u"ShowExt", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegFlushKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
  const DWORD one = 1;
  EXPECT_EQ(RegSetValueExW(reinterpret_cast<HKEY>(0x80000004UL), u"x", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&one), 4),
            ERROR_INVALID_HANDLE);

  HKEY beforeReboot = Open(HKEY_LOCAL_MACHINE, u"Explorer");
  ASSERT_TRUE(device_.Boot());
  EXPECT_EQ(RegQueryValueExW(beforeReboot, u"ShowExt", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  // The predefined roots need no closing and are never refused.
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(HKEY_LOCAL_MACHINE, u"ShowExt", reinterpret_cast<LPDWORD>(const_cast<WCHAR*>(u"Explorer")),
                             nullptr, nullptr, &size),
            ERROR_SUCCESS);
}

TEST_F(RegistryTest, NamesMatchWithoutLetterCaseAndKeepTheCaseTheyWereWrittenIn) {
  BootWith("[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer\\DialogMRU]\n\"MRUList\"=\"ab\"\n");
  HKEY key = Open(HKEY_CURRENT_USER, u"SOFTWARE\\microsoft");
  WCHAR name[32];
  DWORD length = 32;
  EXPECT_EQ(RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name), u"File Explorer");
  EXPECT_EQ(length, 13u);
  EXPECT_EQ(QueryValue(key, u"file explorer\\dialogmru", u"mrulist").data, Bytes(u"ab"));

  HKEY created = nullptr;
  DWORD disposition = 0;
  EXPECT_EQ(RegCreateKeyExW(key, u"FILE EXPLORER", 0, nullptr, 0, 0, nullptr, &created, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  const DWORD one = 1;
  EXPECT_EQ(RegSetValueExW(created, u"MRUList", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(created, u"mrulist", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS);
  DWORD values = 0;
  EXPECT_EQ(RegQueryInfoKeyW(created, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 1u);
  // The first writing's case stays.
  length = 32;
  EXPECT_EQ(RegEnumValueW(created, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name), u"MRUList");
  RegCloseKey(created);
  RegCloseKey(key);
}

TEST_F(RegistryTest, CreateReportsNewOrExistingAndMakesMissingParents) {
  ASSERT_TRUE(device_.Boot());
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"txtfile\\Shell\\Open\\Command", 0, nullptr, 0, 0, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  EXPECT_NE(key, nullptr);
  EXPECT_TRUE(cesim::RegistryKeyExists("HKEY_CLASSES_ROOT\\txtfile\\shell"));
  HKEY again = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"txtfile\\Shell\\Open\\Command", 0, nullptr, 0, 0, nullptr, &again,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  EXPECT_NE(again, key);  // every open gives a handle of its own
  EXPECT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, nullptr, 0, nullptr, 0, 0, nullptr, &again, &disposition),
            ERROR_INVALID_PARAMETER);
  RegCloseKey(again);
  RegCloseKey(key);
}

TEST_F(RegistryTest, DeletingAKeyTakesItsSubkeysButNotWhileOneIsOpen) {
  BootWith(
      "[HKEY_CLASSES_ROOT\\txtfile\\Shell\\Open\\Command]\n@=\"notes.exe %1\"\n"
      "[HKEY_CLASSES_ROOT\\txtfile\\DefaultIcon]\n@=\"notes.exe,0\"\n");
  HKEY command = Open(HKEY_CLASSES_ROOT, u"txtfile\\Shell\\Open\\Command");
  EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u"txtfile"), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(cesim::RegistryKeyExists("HKEY_CLASSES_ROOT\\txtfile\\Shell\\Open\\Command"));
  RegCloseKey(command);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u"TXTFILE"), ERROR_SUCCESS);
  EXPECT_FALSE(cesim::RegistryKeyExists("HKEY_CLASSES_ROOT\\txtfile"));
  EXPECT_FALSE(cesim::RegistryKeyExists("HKEY_CLASSES_ROOT\\txtfile\\DefaultIcon"));
  EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, EnumerationWalksInOrderAndReportsShortBuffers) {
  BootWith("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ShowExt\"=dword:00000001\n\"Preview\"=hex:01,02\n"
           "[HKEY_LOCAL_MACHINE\\Explorer\\Alpha]\n[HKEY_LOCAL_MACHINE\\Explorer\\Beta]\n");
  HKEY key = Open(HKEY_LOCAL_MACHINE, u"Explorer");
  WCHAR name[8];
  DWORD length = 8;
  EXPECT_EQ(RegEnumKeyExW(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name), u"Beta");
  length = 8;
  EXPECT_EQ(RegEnumKeyExW(key, 2, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  length = 4;  // "Beta" needs 5 with its terminator
  EXPECT_EQ(RegEnumKeyExW(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);

  BYTE data[4];
  DWORD type = 0;
  DWORD size = sizeof(data);
  length = 8;
  EXPECT_EQ(RegEnumValueW(key, 1, name, &length, nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name), u"Preview");
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(size, 2u);
  // Data that does not fit: the needed size, and data bytes the reference calls undefined.
  std::memset(data, kSentinel, sizeof(data));
  size = 3;
  length = 8;
  EXPECT_EQ(RegEnumValueW(key, 0, name, &length, nullptr, &type, data, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(data[0], cesim::kUndefinedOutputByte);
  EXPECT_EQ(data[2], cesim::kUndefinedOutputByte);
  EXPECT_EQ(data[3], kSentinel);
  // A name that does not fit: the count stays, the name buffer is undefined.
  WCHAR shortName[8];
  for (WCHAR& c : shortName) c = u'#';
  length = 4;  // "Preview" needs 8 with its terminator
  EXPECT_EQ(RegEnumValueW(key, 1, shortName, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(length, 4u);
  EXPECT_EQ(shortName[0], 0xCCCC);
  EXPECT_EQ(shortName[3], 0xCCCC);
  EXPECT_EQ(shortName[4], u'#');
  length = 8;
  EXPECT_EQ(RegEnumValueW(key, 2, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

  DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, largest = 0;
  EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr, &values, &longestName,
                             &largest, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 2u);
  EXPECT_EQ(longestSubkey, 5u);
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(longestName, 7u);
  EXPECT_EQ(largest, 4u);
  RegCloseKey(key);
}

TEST_F(RegistryTest, FlushWritesRegedit4ThatTheNextBootReadsBackByteForByte) {
  ASSERT_TRUE(device_.Boot());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Explorer", 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
  const DWORD style = 0x4001;
  const BYTE widths[] = {0x64, 0x00, 0x3C, 0x00, 0x28, 0x00, 0x50, 0x00};
  const std::vector<BYTE> quoted = Bytes(u"a \"quoted\" \\ path\x00E9\nnext");
  const std::vector<BYTE> multi = Bytes(std::u16string(u"one\0two\0", 8));
  const BYTE unterminated[] = {'x', 0, 'y', 0};
  const BYTE shortDword[] = {1, 2};
  RegSetValueExW(key, u"ListStyle", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&style), 4);
  RegSetValueExW(key, u"ClumnWidth", 0, REG_BINARY, widths, sizeof(widths));
  RegSetValueExW(key, u"Text", 0, REG_SZ, quoted.data(), static_cast<DWORD>(quoted.size()));
  RegSetValueExW(key, u"Multi", 0, REG_MULTI_SZ, multi.data(), static_cast<DWORD>(multi.size()));
  RegSetValueExW(key, u"Raw", 0, REG_SZ, unterminated, sizeof(unterminated));
  RegSetValueExW(key, u"Short", 0, REG_DWORD, shortDword, sizeof(shortDword));
  RegSetValueExW(key, u"Empty", 0, REG_NONE, nullptr, 0);
  RegSetValueExW(key, nullptr, 0, REG_SZ, quoted.data(), static_cast<DWORD>(quoted.size()));

  EXPECT_EQ(cesim::RegistryFlushCount(), 0);
  ASSERT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  EXPECT_EQ(cesim::RegistryFlushCount(), 1);
  RegCloseKey(key);

  const std::string file = cesim::RegistryFileText();
  EXPECT_EQ(file.rfind("REGEDIT4\n", 0), 0u);
  EXPECT_NE(file.find("[HKEY_LOCAL_MACHINE\\Explorer]\n"), std::string::npos);
  EXPECT_NE(file.find("\"ListStyle\"=dword:00004001\n"), std::string::npos);
  EXPECT_NE(file.find("\"ClumnWidth\"=hex:64,00,3c,00,28,00,50,00\n"), std::string::npos);
  EXPECT_NE(file.find("\"Text\"=\"a \\\"quoted\\\" \\\\ path\xC3\xA9\\nnext\"\n"), std::string::npos);
  EXPECT_NE(file.find("\"Raw\"=hex(1):78,00,79,00\n"), std::string::npos);
  EXPECT_NE(file.find("\"Short\"=hex(4):01,02\n"), std::string::npos);
  EXPECT_NE(file.find("\"Empty\"=hex(0):\n"), std::string::npos);

  ASSERT_TRUE(cesim::Boot(device_.image.Folder()));
  EXPECT_EQ(cesim::RegistryFlushCount(), 0);
  EXPECT_EQ(cesim::ReadRegistryDword("HKEY_LOCAL_MACHINE\\Explorer", u"ListStyle"), 0x4001u);
  const struct {
    const char16_t* name;
    DWORD type;
    std::vector<BYTE> data;
  } expected[] = {
      {u"ClumnWidth", REG_BINARY, std::vector<BYTE>(widths, widths + 8)},
      {u"Text", REG_SZ, quoted},
      {u"", REG_SZ, quoted},
      {u"Multi", REG_MULTI_SZ, multi},
      {u"Raw", REG_SZ, std::vector<BYTE>(unterminated, unterminated + 4)},
      {u"Short", REG_DWORD, std::vector<BYTE>(shortDword, shortDword + 2)},
      {u"Empty", REG_NONE, {}},
  };
  for (const auto& value : expected) {
    std::optional<cesim::RegistryValue> read = cesim::ReadRegistryValue("HKEY_LOCAL_MACHINE\\Explorer", value.name);
    ASSERT_TRUE(read) << cesim::Narrow(value.name);
    EXPECT_EQ(read->type, value.type) << cesim::Narrow(value.name);
    EXPECT_EQ(read->data, value.data) << cesim::Narrow(value.name);
  }
}

TEST_F(RegistryTest, ChangesWithoutAFlushAreGoneAfterAReboot) {
  BootWith("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ShowExt\"=dword:00000000\n");
  HKEY key = Open(HKEY_LOCAL_MACHINE, u"Explorer");
  const DWORD one = 1;
  ASSERT_EQ(RegSetValueExW(key, u"ShowExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS);
  EXPECT_EQ(cesim::ReadRegistryDword("HKEY_LOCAL_MACHINE\\Explorer", u"ShowExt"), 1u);
  RegCloseKey(key);
  ASSERT_TRUE(cesim::Boot(device_.image.Folder()));
  EXPECT_EQ(cesim::ReadRegistryDword("HKEY_LOCAL_MACHINE\\Explorer", u"ShowExt"), 0u);
  EXPECT_EQ(cesim::ReadRegistryString("HKEY_LOCAL_MACHINE\\Explorer", u"ShowExt"), std::nullopt);
}

}  // namespace
