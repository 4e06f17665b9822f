// The shell's resource module "shellres" as module code finds it on desktop Windows: by its name,
// as the device finds the system module that it keeps in every process, loaded from the Windows
// folder, with the Explorer's context menus as menu 8915.
#include <gtest/gtest.h>

#include <string>

#include "ceplatform.h"
#include "shell_menu_ids.h"

namespace {

class ShellResources : public ::testing::Test {
 protected:
  void SetUp() override {
    WCHAR windows[MAX_PATH];
    UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    ASSERT_GT(length, 2u);
    copy_ = std::wstring(windows) + L"\\shellres.dll";
    if (GetFileAttributesW(copy_.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    // The build's module, relative to the folder that the tests run in.
    WCHAR here[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, here), 0u);
    const std::wstring built = std::wstring(here) + L"\\" + FOLDWISE_SHELLRES_RELATIVE;
    ASSERT_TRUE(CopyFileW(built.c_str(), copy_.c_str(), FALSE)) << GetLastError();
  }

  std::wstring copy_;
};

TEST_F(ShellResources, AreFoundByNameInAnyLetterCaseInTheWindowsFolder) {
  HMODULE module = GetModuleHandleW(L"shellres");
  ASSERT_NE(static_cast<HMODULE>(NULL), module);
  EXPECT_EQ(module, GetModuleHandleW(L"SHELLRES.DLL"));
  WCHAR path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(module, path, MAX_PATH), 0u);
  // The device's form of the path: without the system drive.
  EXPECT_EQ(0, _wcsicmp(copy_.c_str() + 2, path)) << path;
}

TEST_F(ShellResources, HoldTheExplorersPaneAndItemMenusAsMenu8915) {
  HMENU menu = LoadMenuW(GetModuleHandleW(L"shellres"), MAKEINTRESOURCEW(IDM_SHELLRES_EXPLORER));
  ASSERT_NE(static_cast<HMENU>(NULL), menu);
  HMENU pane = GetSubMenu(menu, 0);
  ASSERT_NE(static_cast<HMENU>(NULL), pane);
  EXPECT_EQ(7, GetMenuItemCount(pane));
  EXPECT_EQ(static_cast<UINT>(IDC_SHELL_NEWFOLDER), GetMenuItemID(pane, 0));
  EXPECT_EQ(static_cast<UINT>(IDC_SHELL_SELECTALL), GetMenuItemID(pane, 1));
  WCHAR text[32];
  ASSERT_GT(GetMenuStringW(pane, 1, text, 32, MF_BYPOSITION), 0);
  EXPECT_EQ(std::wstring(L"Select &All"), text);
  EXPECT_NE(0u, GetMenuState(pane, 2, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(static_cast<UINT>(IDC_SHELL_REFRESH), GetMenuItemID(pane, 6));
  HMENU item = GetSubMenu(menu, 1);
  ASSERT_NE(static_cast<HMENU>(NULL), item);
  EXPECT_EQ(static_cast<UINT>(IDC_SHELL_CUT), GetMenuItemID(item, 0));
  EXPECT_EQ(static_cast<UINT>(IDC_SHELL_PROPERTIES), GetMenuItemID(item, 6));
  DestroyMenu(menu);
}

TEST_F(ShellResources, OtherNamesAreTheDesktopsOwnLookup) {
  EXPECT_EQ(static_cast<HMODULE>(NULL), GetModuleHandleW(L"shellres2"));
  EXPECT_EQ(static_cast<HMODULE>(NULL), GetModuleHandleW(L"\\Windows\\shellres.dll.bak"));
  EXPECT_NE(static_cast<HMODULE>(NULL), GetModuleHandleW(L"kernel32.dll"));
}

}  // namespace
