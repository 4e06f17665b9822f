// The device's system modules "ceshell" and "shellres": present or absent as the device image
// says, part of the emulated process when present (found by GetModuleHandleW, given by
// LoadLibraryW, never unloaded by FreeLibrary), and carrying the Explorer's menus: "ceshell" menu
// 107, "shellres" menu 8915, whose first pop-up menu is the list pane's context menu with the
// same identifying command at position 1 and a separator at position 2. Windows CE only: the
// desktop has neither module.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "loader/system/shell_menu_ids.h"

namespace {

class SystemModulesTest : public ::testing::Test {
 protected:
  // Boots a device with the modules the test names, and starts the Explorer's process.
  void BootWith(bool ceshell, bool shellres) {
    device.image.SetSystemModule("ceshell", ceshell).SetSystemModule("shellres", shellres);
    ASSERT_TRUE(device.Boot());
    cesim::StartProcess(u"\\Windows\\fexplore.exe");
  }

  // The identifier of the item at a position, read as the Explorer's extension reads it.
  static UINT IdAt(HMENU menu, UINT position) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    return GetMenuItemInfoW(menu, position, TRUE, &info) ? info.wID : 0xFFFFFFFFu;
  }

  static UINT TypeAt(HMENU menu, UINT position) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    return GetMenuItemInfoW(menu, position, TRUE, &info) ? info.fType : 0xFFFFFFFFu;
  }

  foldwise_test::BootedDevice device;
};

TEST_F(SystemModulesTest, ByDefaultTheDeviceHasTheShellLibraryOnly) {
  ASSERT_TRUE(device.Boot());
  cesim::StartProcess(u"\\Windows\\fexplore.exe");
  EXPECT_NE(GetModuleHandleW(u"ceshell"), nullptr);
  SetLastError(0);
  EXPECT_EQ(GetModuleHandleW(u"shellres"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(SystemModulesTest, PresentModulesArePartOfTheProcess) {
  BootWith(true, true);
  HMODULE ceshell = GetModuleHandleW(u"ceshell");
  HMODULE shellres = GetModuleHandleW(u"SHELLRES.DLL");
  ASSERT_NE(ceshell, nullptr);
  ASSERT_NE(shellres, nullptr);
  EXPECT_NE(ceshell, shellres);
  // Loading gives the same handle by any spelling; freeing never unloads them.
  EXPECT_EQ(LoadLibraryW(u"ceshell.dll"), ceshell);
  EXPECT_EQ(LoadLibraryW(u"\\Windows\\ceshell.dll"), ceshell);
  EXPECT_TRUE(FreeLibrary(ceshell));
  EXPECT_TRUE(FreeLibrary(ceshell));
  EXPECT_TRUE(FreeLibrary(ceshell));
  EXPECT_EQ(GetModuleHandleW(u"ceshell"), ceshell);
  WCHAR path[MAX_PATH];
  ASSERT_EQ(GetModuleFileNameW(shellres, path, MAX_PATH), 21u);
  EXPECT_EQ(std::u16string(path), u"\\Windows\\shellres.dll");
  // A new process has them too.
  cesim::StartProcess(u"\\Windows\\pword.exe");
  EXPECT_EQ(GetModuleHandleW(u"ceshell"), ceshell);
}

TEST_F(SystemModulesTest, AbsentModulesCannotBeLoaded) {
  BootWith(false, false);
  SetLastError(0);
  EXPECT_EQ(GetModuleHandleW(u"ceshell"), nullptr);
  EXPECT_EQ(LoadLibraryW(u"ceshell"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(LoadLibraryW(u"shellres.dll"), nullptr);
  // What the handle of a present one would be names no module here.
  EXPECT_EQ(LoadMenuW(reinterpret_cast<HINSTANCE>(0x01F70000), MAKEINTRESOURCEW(IDM_CESHELL_EXPLORER)), nullptr);
}

TEST_F(SystemModulesTest, TheShellLibraryCarriesTheExplorersMenus) {
  BootWith(true, false);
  HMENU menu = LoadMenuW(GetModuleHandleW(u"ceshell"), MAKEINTRESOURCEW(IDM_CESHELL_EXPLORER));
  ASSERT_NE(menu, nullptr);
  HMENU pane = GetSubMenu(menu, 0);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(IdAt(pane, 1), static_cast<UINT>(IDC_SHELL_SELECTALL));
  EXPECT_EQ(TypeAt(pane, 2), static_cast<UINT>(MFT_SEPARATOR));
  EXPECT_GT(GetMenuItemCount(pane), 3);
  EXPECT_NE(GetSubMenu(menu, 1), nullptr);  // the item menu
  DestroyMenu(menu);
  // The shell library has no menu 8915.
  EXPECT_EQ(LoadMenuW(GetModuleHandleW(u"ceshell"), MAKEINTRESOURCEW(IDM_SHELLRES_EXPLORER)), nullptr);
}

TEST_F(SystemModulesTest, BothModulesIdentifyThePaneMenuByTheSameCommand) {
  BootWith(true, true);
  HMENU fromShellres = LoadMenuW(GetModuleHandleW(u"shellres"), MAKEINTRESOURCEW(IDM_SHELLRES_EXPLORER));
  HMENU fromCeshell = LoadMenuW(GetModuleHandleW(u"ceshell"), MAKEINTRESOURCEW(IDM_CESHELL_EXPLORER));
  ASSERT_NE(fromShellres, nullptr);
  ASSERT_NE(fromCeshell, nullptr);
  EXPECT_EQ(IdAt(GetSubMenu(fromShellres, 0), 1), IdAt(GetSubMenu(fromCeshell, 0), 1));
  EXPECT_EQ(TypeAt(GetSubMenu(fromShellres, 0), 2), static_cast<UINT>(MFT_SEPARATOR));
  const std::vector<cesim::MenuRow> rows = cesim::ReadMenu(GetSubMenu(fromShellres, 0));
  std::vector<std::u16string> texts;
  for (const cesim::MenuRow& row : rows) texts.push_back(row.separator ? u"-" : row.text);
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"New &Folder", u"Select &All", u"-", u"&Paste", u"Paste &Shortcut",
                                                u"-", u"&Refresh"}));
}

TEST_F(SystemModulesTest, ExportsAreLookedUpInTheModulesOwnTable) {
  BootWith(true, true);
  HMODULE ceshell = GetModuleHandleW(u"ceshell");
  // Nothing the shell library does not export is found, by name or by ordinal.
  SetLastError(0);
  EXPECT_EQ(GetProcAddressW(ceshell, u"LoadLibraryW"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddressW(GetModuleHandleW(u"shellres"), reinterpret_cast<LPCWSTR>(1)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  // The system modules' resources are not the core library's.
  EXPECT_EQ(FindResourceW(GetModuleHandleW(u"coredll"), MAKEINTRESOURCEW(IDM_CESHELL_EXPLORER), RT_MENU), nullptr);
}

}  // namespace
