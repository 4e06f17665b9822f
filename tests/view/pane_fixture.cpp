// The list pane tests' device and Explorer.
#include "pane_fixture.h"

#include <cstdio>

#include "cesim/automation.h"
#include "cesim/ui.h"

namespace foldwise_test {

namespace {
const char kMachineKey[] = "HKEY_LOCAL_MACHINE\\Explorer";
}  // namespace

std::string ExplorerDword(const std::string& name, DWORD value) {
  char text[64];
  std::snprintf(text, sizeof(text), "\"%s\"=dword:%08x\n", name.c_str(), static_cast<unsigned>(value));
  return text;
}

std::string ExplorerWidths(const std::string& name, const std::vector<int>& widths) {
  std::string line = "\"" + name + "\"=hex:";
  for (size_t i = 0; i < widths.size(); ++i) {
    char bytes[16];
    std::snprintf(bytes, sizeof(bytes), "%s%02x,%02x", i == 0 ? "" : ",", widths[i] & 0xFF, (widths[i] >> 8) & 0xFF);
    line += bytes;
  }
  return line + "\n";
}

void PaneTest::SetUp() {
  ModuleTest::SetUp();
  device.image.AddFile(u"\\Windows\\fexplore.exe", "MZ")
      .AddFolder(u"\\My Documents\\Work")
      .AddFolder(u"\\My Documents\\Work\\Plans")
      .AddFile(u"\\My Documents\\Letter.doc", "letter")
      .AddFile(u"\\My Documents\\a.b.c", "abc")
      .AddFile(u"\\My Documents\\Notes.txt", "notes")
      .AddFile(u"\\My Documents\\README", "readme");
  for (int i = 0; i < 40; ++i) {
    char16_t name[32];
    char narrow[32];
    std::snprintf(narrow, sizeof(narrow), "Page%02d.txt", i);
    for (int c = 0;; ++c) {
      name[c] = static_cast<char16_t>(narrow[c]);
      if (narrow[c] == 0) break;
    }
    device.image.AddFile(std::u16string(u"\\My Documents\\Long\\") + name, "page");
  }
}

void PaneTest::Start(const std::string& explorerValues, const std::u16string& folder) {
  device.image.AddRegistry("[" + std::string(kMachineKey) + "]\n" + explorerValues +
                           "[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer]\n");
  ASSERT_NE(BootAndLoad(), nullptr);
  ASSERT_TRUE(host.Start(module, folder)) << "the small Explorer could not start through the module's table";
}

HWND PaneTest::Header() const { return reinterpret_cast<HWND>(SendMessageW(host.list, LVM_GETHEADER, 0, 0)); }

int PaneTest::ColumnWidth(int column) const {
  return static_cast<int>(SendMessageW(host.list, LVM_GETCOLUMNWIDTH, column, 0));
}

std::vector<int> PaneTest::ColumnWidths() const {
  std::vector<int> widths;
  for (int i = 0; i < 4; ++i) widths.push_back(ColumnWidth(i));
  return widths;
}

std::vector<int> PaneTest::KeptWidths(const std::u16string& name) const {
  std::optional<cesim::RegistryValue> value = cesim::ReadRegistryValue(kMachineKey, name);
  std::vector<int> widths;
  if (!value || value->type != REG_BINARY || value->data.size() != 8) return widths;
  for (size_t i = 0; i < 8; i += 2) widths.push_back(value->data[i] | (value->data[i + 1] << 8));
  return widths;
}

std::optional<DWORD> PaneTest::ExplorerNumber(const std::u16string& name) const {
  return cesim::ReadRegistryDword(kMachineKey, name);
}

void PaneTest::SetLastLocation(const std::u16string& path) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Microsoft\\File Explorer", 0, 0, &key), ERROR_SUCCESS);
  RegSetValueExW(key, u"LocalPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 static_cast<DWORD>((path.size() + 1) * sizeof(char16_t)));
  RegCloseKey(key);
}

int PaneTest::Item(const std::u16string& path) const { return host.ItemOf(path); }

UINT PaneTest::ItemState(int item) const {
  return static_cast<UINT>(SendMessageW(host.list, LVM_GETITEMSTATE, item, LVIS_FOCUSED | LVIS_SELECTED));
}

void PaneTest::FocusAndSelect(int item) {
  LVITEMW change = {};
  change.state = LVIS_FOCUSED | LVIS_SELECTED;
  change.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageW(host.list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&change));
}

POINT PaneTest::ItemPoint(int item) const {
  RECT rect = {};
  rect.left = LVIR_LABEL;
  SendMessageW(host.list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
  POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(host.list, &point);
  return point;
}

}  // namespace foldwise_test
