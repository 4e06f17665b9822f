// Menu items as the Explorer's menus are built and changed: submenus found by command and by
// position, separators, item texts, check marks and radio groups, and removing an item (its
// submenu stays) or deleting it (its submenu goes).
#include "conformance.h"

namespace conformance {
namespace {

class MenuItemsTest : public ConformanceTest {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Start()); }

  static MENUITEMINFOW ItemInfo(UINT mask, LPWSTR text = nullptr, UINT cch = 0) {
    MENUITEMINFOW info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = mask;
    info.dwTypeData = text;
    info.cch = cch;
    return info;
  }
};

TEST_F(MenuItemsTest, InsertsByPositionAndBeforeACommandInsideASubmenu) {
  HMENU menu = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(sub, MF_STRING, 20, TEXT("Inner")));
  ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 1, TEXT("One")));
  ASSERT_TRUE(AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), TEXT("Sub")));
  ASSERT_TRUE(InsertMenuW(menu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, 2, TEXT("Last")));
  ASSERT_TRUE(InsertMenuW(menu, 99, MF_BYPOSITION | MF_STRING, 3, TEXT("Past")));
  ASSERT_TRUE(InsertMenuW(menu, 20, MF_BYCOMMAND | MF_STRING, 21, TEXT("Before inner")));
  EXPECT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_EQ(GetMenuItemCount(sub), 2);
  EXPECT_EQ(GetMenuItemID(sub, 0), 21u);
  EXPECT_EQ(GetMenuItemID(menu, 3), 3u);
  EXPECT_EQ(GetMenuItemID(menu, 1), 0xFFFFFFFFu);  // an item that opens a submenu
  EXPECT_EQ(GetMenuItemID(menu, 4), 0xFFFFFFFFu);  // no such position
  EXPECT_EQ(GetSubMenu(menu, 1), sub);
  EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
  MENUITEMINFOW info = ItemInfo(MIIM_ID | MIIM_SUBMENU);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 1, TRUE, &info));
  EXPECT_EQ(info.wID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub)));
  EXPECT_EQ(info.hSubMenu, sub);
  DestroyMenu(menu);
  EXPECT_FALSE(IsMenu(sub));  // destroyed with the menu that held it
}

TEST_F(MenuItemsTest, SeparatorsAreGrayedAndKeepTheirIdentifier) {
  HMENU menu = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(menu, MF_SEPARATOR, 8, nullptr));
  ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 6, nullptr));   // a string item without a string
  ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 7, TEXT("")));  // an empty string is a string
  for (UINT i = 0; i < 2; ++i) {
    MENUITEMINFOW info = ItemInfo(MIIM_TYPE | MIIM_STATE | MIIM_ID);
    ASSERT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &info));
    EXPECT_EQ(info.fType, static_cast<UINT>(MFT_SEPARATOR)) << i;
    EXPECT_EQ(info.fState, static_cast<UINT>(MFS_GRAYED)) << i;
    EXPECT_EQ(info.cch, 0u) << i;
  }
  EXPECT_EQ(GetMenuItemID(menu, 0), 8u);
  EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION), static_cast<UINT>(MF_STRING));
  DestroyMenu(menu);
}

TEST_F(MenuItemsTest, ItemTextIsReadByCommandAndWrongCallsSayWhy) {
  HMENU menu = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 1, TEXT("Properties")));
  WCHAR text[16];
  MENUITEMINFOW info = ItemInfo(MIIM_TYPE, text, 5);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 1, FALSE, &info));
  EXPECT_EQ(info.cch, 4u);
  EXPECT_EQ(text[4], 0);
  info = ItemInfo(MIIM_ID);
  SetLastError(0);
  EXPECT_FALSE(GetMenuItemInfoW(menu, 1, TRUE, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
  info = ItemInfo(MIIM_ID);
  info.cbSize = sizeof(info) + 4;
  SetLastError(0);
  EXPECT_FALSE(GetMenuItemInfoW(menu, 0, TRUE, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  DestroyMenu(menu);
}

TEST_F(MenuItemsTest, ChecksAndEnablingGiveThePreviousState) {
  HMENU menu = CreatePopupMenu();
  HMENU styles = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 61440, TEXT("Show Extension"));
  AppendMenuW(styles, MF_STRING, 61443, TEXT("Icon"));
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(styles), TEXT("Change Style"));
  EXPECT_EQ(CheckMenuItem(menu, 61440, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 61440, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 9, MF_BYCOMMAND | MF_CHECKED), 0xFFFFFFFFu);
  EXPECT_EQ(EnableMenuItem(menu, 61443, MF_BYCOMMAND | MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
  EXPECT_EQ(EnableMenuItem(menu, 61443, MF_BYCOMMAND | MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(menu, 9, MF_BYCOMMAND | MF_GRAYED), -1);
  DestroyMenu(menu);
}

TEST_F(MenuItemsTest, ARadioGroupIsCheckedInTheMenuThatHoldsItsFirstItem) {
  HMENU menu = CreatePopupMenu();
  HMENU styles = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 61440, TEXT("Show Extension"));
  AppendMenuW(styles, MF_STRING, 61441, TEXT("Detail"));
  AppendMenuW(styles, MF_STRING, 61442, TEXT("Detail with Header"));
  AppendMenuW(styles, MF_STRING, 61443, TEXT("Icon"));
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(styles), TEXT("Change Style"));

  ASSERT_TRUE(CheckMenuRadioItem(menu, 61441, 61443, 61442, MF_BYCOMMAND));
  MENUITEMINFOW info = ItemInfo(MIIM_TYPE | MIIM_STATE);
  ASSERT_TRUE(GetMenuItemInfoW(styles, 1, TRUE, &info));
  EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
  EXPECT_EQ(info.fState, static_cast<UINT>(MFS_CHECKED));
  ASSERT_TRUE(CheckMenuRadioItem(styles, 0, 2, 2, MF_BYPOSITION));
  info = ItemInfo(MIIM_TYPE | MIIM_STATE);
  ASSERT_TRUE(GetMenuItemInfoW(styles, 1, TRUE, &info));
  EXPECT_TRUE(info.fType & MFT_RADIOCHECK);  // the mark's shape stays
  EXPECT_EQ(info.fState, 0u);
  // A range whose first item is in another menu changes nothing there.
  EXPECT_FALSE(CheckMenuRadioItem(menu, 61440, 61443, 61441, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(styles, 61443, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
  DestroyMenu(menu);
}

TEST_F(MenuItemsTest, RemoveKeepsTheSubmenuDeleteDestroysIt) {
  HMENU menu = CreatePopupMenu();
  HMENU kept = CreatePopupMenu();
  HMENU gone = CreatePopupMenu();
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), TEXT("Kept"));
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(gone), TEXT("Gone"));
  EXPECT_TRUE(RemoveMenu(menu, 0, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(kept));
  EXPECT_TRUE(DeleteMenu(menu, 0, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(gone));
  EXPECT_EQ(GetMenuItemCount(menu), 0);
  EXPECT_FALSE(DeleteMenu(menu, 0, MF_BYPOSITION));
  DestroyMenu(menu);
  EXPECT_TRUE(IsMenu(kept));
  DestroyMenu(kept);
  EXPECT_EQ(GetMenuItemCount(kept), -1);
}

TEST_F(MenuItemsTest, CommandsAreFoundInSubmenusAndSubmenuItemsByTheirMenusHandle) {
  HMENU menu = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  HMENU deeper = CreatePopupMenu();
  AppendMenuW(deeper, MF_STRING, 5, TEXT("Bottom"));
  AppendMenuW(sub, MF_POPUP, reinterpret_cast<UINT_PTR>(deeper), TEXT("Deeper"));
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), TEXT("Sub"));
  EXPECT_EQ(EnableMenuItem(menu, 5, MF_BYCOMMAND | MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
  EXPECT_EQ(GetMenuState(deeper, 0, MF_BYPOSITION), static_cast<UINT>(MF_GRAYED));
  WCHAR text[8];
  MENUITEMINFOW info = ItemInfo(MIIM_TYPE, text, 8);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 5, FALSE, &info));
  EXPECT_EQ(info.cch, 6u);
  // The item that opens a submenu, by that menu's handle.
  EXPECT_TRUE(DeleteMenu(sub, static_cast<UINT>(reinterpret_cast<UINT_PTR>(deeper)), MF_BYCOMMAND));
  EXPECT_FALSE(IsMenu(deeper));
  EXPECT_EQ(GetMenuItemCount(sub), 0);
  DestroyMenu(menu);
}

TEST_F(MenuItemsTest, ACommandInASubmenuIsFoundBeforeTheSameCommandAfterIt) {
  HMENU menu = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING, 7, TEXT("Inner"));
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), TEXT("Sub"));
  AppendMenuW(menu, MF_STRING, 7, TEXT("Outer"));
  // The search goes into the submenu when it meets it, before the items after it.
  EXPECT_TRUE(RemoveMenu(menu, 7, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(sub), 0);
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_EQ(GetMenuItemID(menu, 1), 7u);
  DestroyMenu(menu);
}

}  // namespace
}  // namespace conformance
