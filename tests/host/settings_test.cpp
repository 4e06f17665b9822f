// The Explorer settings store against the device's registry: defaults, toggles, flushed writes,
// column widths per screen orientation, and the host's last folder.
#include <gtest/gtest.h>

#include <string>

#include "booted_device.h"
#include "cesim/automation.h"
#include "host/settings.h"

namespace foldwise_test {
namespace {

const char kExplorerKey[] = "HKEY_LOCAL_MACHINE\\Explorer";

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { device.image.AddRegistry("[HKEY_LOCAL_MACHINE\\Explorer]\n"); }
  void Boot(const std::string& registry = "") {
    if (!registry.empty()) device.image.AddRegistry(registry);
    ASSERT_TRUE(device.Boot());
  }
  BootedDevice device;
};

TEST_F(SettingsTest, MissingNumbersReadAsZero) {
  Boot();
  EXPECT_EQ(GetShowExt(), 0u);
  EXPECT_EQ(GetPreview(), 0u);
  EXPECT_EQ(GetViewAll(), 0u);
  EXPECT_EQ(GetListStyle(), 0u);
  BYTE widths[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_FALSE(LoadColumnWidths(widths));
  EXPECT_EQ(widths[0], 1);
}

TEST_F(SettingsTest, NumbersAreReadAtEveryCall) {
  Boot("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ShowExt\"=dword:00000001\n\"ViewAll\"=dword:00000007\n");
  EXPECT_EQ(GetShowExt(), 1u);
  EXPECT_EQ(GetViewAll(), 7u);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Explorer", 0, 0, &key), ERROR_SUCCESS);
  DWORD zero = 0;
  ASSERT_EQ(RegSetValueExW(key, u"ViewAll", 0, REG_DWORD, reinterpret_cast<BYTE*>(&zero), 4), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(GetViewAll(), 0u);
}

TEST_F(SettingsTest, ANumberOfTheWrongSizeReadsAsZero) {
  Boot("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ListStyle\"=hex:01,40,00,00,00,00\n\"Preview\"=\"on\"\n");
  EXPECT_EQ(GetListStyle(), 0u);  // too large for the 4-byte buffer: not read
  EXPECT_EQ(GetPreview(), 0u);
}

TEST_F(SettingsTest, TogglesFlipAndFlushAtOnce) {
  Boot("[HKEY_LOCAL_MACHINE\\Explorer]\n\"Preview\"=dword:00000005\n");
  int flushes = cesim::RegistryFlushCount();
  TogglePreview();
  EXPECT_EQ(cesim::ReadRegistryDword(kExplorerKey, u"Preview"), 0u);
  EXPECT_EQ(cesim::RegistryFlushCount(), flushes + 1);
  TogglePreview();
  EXPECT_EQ(cesim::ReadRegistryDword(kExplorerKey, u"Preview"), 1u);
  ToggleShowExt();
  ToggleShowExt();
  EXPECT_EQ(cesim::ReadRegistryDword(kExplorerKey, u"ShowExt"), 0u);
  EXPECT_NE(cesim::RegistryFileText().find("\"ShowExt\"=dword:00000000"), std::string::npos);
}

TEST_F(SettingsTest, ListStyleIsStoredAsGiven) {
  Boot();
  // "Detail": the report view without a header.
  SetListStyle(LVS_REPORT | LVS_NOCOLUMNHEADER);
  EXPECT_EQ(cesim::ReadRegistryValue(kExplorerKey, u"ListStyle")->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(cesim::ReadRegistryDword(kExplorerKey, u"ListStyle"), 0x4001u);  // as the Explorer stores it
  EXPECT_EQ(GetListStyle(), static_cast<DWORD>(LVS_REPORT | LVS_NOCOLUMNHEADER));
}

TEST_F(SettingsTest, WritesNeverCreateTheExplorerKey) {
  ASSERT_TRUE(device.Boot());
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"Explorer");
  ASSERT_FALSE(cesim::RegistryKeyExists(kExplorerKey));
  SetListStyle(1);
  ToggleShowExt();
  EXPECT_FALSE(cesim::RegistryKeyExists(kExplorerKey));
}

struct Orientation {
  int width;
  int height;
  const char16_t* value;
};

class ColumnWidthsTest : public SettingsTest, public ::testing::WithParamInterface<Orientation> {};

TEST_P(ColumnWidthsTest, EachOrientationKeepsItsOwnWidths) {
  device.image.SetScreen(GetParam().width, GetParam().height);
  Boot();
  const BYTE widths[8] = {100, 0, 60, 0, 40, 0, 80, 0};
  SaveColumnWidths(widths);
  auto stored = cesim::ReadRegistryValue(kExplorerKey, GetParam().value);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(stored->data, (std::vector<uint8_t>{0x64, 0, 0x3C, 0, 0x28, 0, 0x50, 0}));
  std::u16string other = std::u16string(GetParam().value) == u"ClumnWidth" ? u"ClumnWidthLS" : u"ClumnWidth";
  EXPECT_FALSE(cesim::ReadRegistryValue(kExplorerKey, other).has_value());
  BYTE read[8] = {};
  EXPECT_TRUE(LoadColumnWidths(read));
  EXPECT_EQ(std::vector<BYTE>(read, read + 8), std::vector<BYTE>(widths, widths + 8));
}

INSTANTIATE_TEST_SUITE_P(Screens, ColumnWidthsTest,
                         ::testing::Values(Orientation{240, 320, u"ClumnWidth"}, Orientation{320, 240, u"ClumnWidthLS"},
                                           Orientation{240, 240, u"ClumnWidth"}));

TEST_F(SettingsTest, ColumnWidthsOfTheWrongSizeAreNotUsed) {
  Boot("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ClumnWidth\"=hex:01,02,03,04,05,06,07,08,09\n"
       "\"ClumnWidthLS\"=hex:01,02,03,04\n");
  BYTE widths[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  EXPECT_FALSE(LoadColumnWidths(widths));
  EXPECT_EQ(widths[0], 9);
}

class LastLocationTest : public SettingsTest {
 protected:
  std::u16string Read() {
    WCHAR path[MAX_PATH];
    path[0] = u'?';
    path[1] = 0;
    GetLastLocation(path);
    return path;
  }
};

TEST_F(LastLocationTest, TheIndexNamesThePathValue) {
  Boot("[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer]\n\"LastLocation\"=dword:00000001\n"
       "\"LocalPath\"=\"\\\\My Documents\"\n\"StorageCardPath\"=\"\\\\Storage Card\\\\Backup\"\n"
       "\"NetWorkPath\"=\"\\\\\\\\server\\\\share\"\n");
  EXPECT_EQ(Read(), u"\\Storage Card\\Backup");
}

TEST_F(LastLocationTest, AMissingIndexMeansTheDevicePath) {
  Boot("[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer]\n\"LocalPath\"=\"\\\\Windows\"\n");
  EXPECT_EQ(Read(), u"\\Windows");
}

TEST_F(LastLocationTest, AnUnknownIndexMeansTheDevicePath) {
  Boot("[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer]\n\"LastLocation\"=dword:00000009\n"
       "\"LocalPath\"=\"\\\\Windows\"\n");
  EXPECT_EQ(Read(), u"\\Windows");
}

TEST_F(LastLocationTest, AMissingPathLeavesTheBufferAsItWas) {
  Boot("[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer]\n\"LastLocation\"=dword:00000002\n");
  EXPECT_EQ(Read(), u"?");
}

TEST_F(LastLocationTest, APathOf259CharactersIsRead) {
  Boot();
  std::u16string path = u"\\" + std::u16string(258, u'x');
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Microsoft\\File Explorer", 0, nullptr, 0, 0, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, u"LocalPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 static_cast<DWORD>((path.size() + 1) * 2));
  RegCloseKey(key);
  EXPECT_EQ(Read(), path);
}

TEST_F(LastLocationTest, APathOf260CharactersIsRefusedNotCut) {
  Boot();
  std::u16string path = u"\\" + std::u16string(259, u'x');  // with its terminator, 522 bytes
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Microsoft\\File Explorer", 0, nullptr, 0, 0, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, u"LocalPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 static_cast<DWORD>((path.size() + 1) * 2));
  RegCloseKey(key);
  EXPECT_EQ(Read(), u"?");
}

TEST_F(LastLocationTest, AValueFillingTheBufferWithoutTerminatorIsNotUsed) {
  Boot();
  std::u16string path = u"\\" + std::u16string(259, u'x');  // 520 bytes, no terminator
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Microsoft\\File Explorer", 0, nullptr, 0, 0, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, u"LocalPath", 0, REG_BINARY, reinterpret_cast<const BYTE*>(path.c_str()), 520);
  RegCloseKey(key);
  EXPECT_EQ(Read(), u"?");
}

TEST_F(LastLocationTest, AShortValueWithoutTerminatorIsTerminated) {
  Boot("[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer]\n\"LocalPath\"=hex:5c,00,41,00\n");
  EXPECT_EQ(Read(), u"\\A");
}

}  // namespace
}  // namespace foldwise_test
