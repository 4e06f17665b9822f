// Menus against the platform's documented behaviour: items inserted by position and before a
// command (also inside pop-up menus), texts copied at insertion, item information in and out,
// check marks, radio groups and graying, removal versus deletion, recursive destruction and stale
// handles. Menus are read back the way a user sees them, through cesim::ReadMenu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"

namespace {

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device.Boot()); }

  // The texts of a menu's rows, separators as "-".
  static std::vector<std::u16string> Texts(HMENU menu) {
    std::vector<std::u16string> texts;
    for (const cesim::MenuRow& row : cesim::ReadMenu(menu)) texts.push_back(row.separator ? u"-" : row.text);
    return texts;
  }

  // A pop-up menu with the items "One" (1), "Two" (2), "Three" (3).
  static HMENU ThreeItems() {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, u"One");
    AppendMenuW(menu, MF_STRING, 2, u"Two");
    AppendMenuW(menu, MF_STRING, 3, u"Three");
    return menu;
  }

  static MENUITEMINFOW Info(UINT mask) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
  }

  foldwise_test::BootedDevice device;
};

using Strings = std::vector<std::u16string>;

TEST_F(MenuTest, InsertsByPosition) {
  HMENU menu = ThreeItems();
  EXPECT_TRUE(InsertMenuW(menu, 1, MF_BYPOSITION | MF_STRING, 10, u"Ten"));
  EXPECT_TRUE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr));
  EXPECT_TRUE(InsertMenuW(menu, static_cast<UINT>(-1), MF_BYPOSITION, 11, u"End"));
  EXPECT_TRUE(InsertMenuW(menu, 99, MF_BYPOSITION, 12, u"Past the end"));
  EXPECT_EQ(Texts(menu), (Strings{u"-", u"One", u"Ten", u"Two", u"Three", u"End", u"Past the end"}));
  EXPECT_EQ(GetMenuItemCount(menu), 7);
  EXPECT_EQ(GetMenuItemID(menu, 2), 10u);
  EXPECT_EQ(GetMenuItemID(menu, 0), 0u);  // a separator's identifier
  EXPECT_EQ(GetMenuItemID(menu, 7), 0xFFFFFFFFu);
  EXPECT_EQ(GetMenuItemID(menu, -1), 0xFFFFFFFFu);
}

TEST_F(MenuTest, InsertsBeforeACommandInWhicheverMenuHoldsIt) {
  HMENU menu = ThreeItems();
  HMENU popup = CreatePopupMenu();
  AppendMenuW(popup, MF_STRING, 20, u"Inner");
  ASSERT_TRUE(AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), u"More"));

  EXPECT_TRUE(InsertMenuW(menu, 3, MF_BYCOMMAND, 4, u"Before three"));
  EXPECT_TRUE(InsertMenuW(menu, 20, MF_BYCOMMAND, 21, u"Before inner"));
  EXPECT_TRUE(InsertMenuW(menu, 999, MF_BYCOMMAND, 5, u"Unknown command"));  // appended
  EXPECT_EQ(Texts(menu), (Strings{u"One", u"Two", u"Before three", u"Three", u"More", u"Unknown command"}));
  EXPECT_EQ(Texts(popup), (Strings{u"Before inner", u"Inner"}));
}

TEST_F(MenuTest, CopiesTextsAtInsertion) {
  HMENU menu = CreatePopupMenu();
  std::u16string text = u"Original";
  AppendMenuW(menu, MF_STRING, 1, text.c_str());
  MENUITEMINFOW info = Info(MIIM_TYPE);
  info.fType = MFT_STRING;
  info.dwTypeData = text.data();
  InsertMenuItemW(menu, 0, TRUE, &info);
  text = u"Changed!";
  EXPECT_EQ(Texts(menu), (Strings{u"Original", u"Original"}));
}

TEST_F(MenuTest, KeepsMarksAndStates) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING | MF_CHECKED, 1, u"Checked");
  AppendMenuW(menu, MF_STRING | MF_GRAYED, 2, u"Grayed");
  AppendMenuW(menu, MF_STRING | MF_DISABLED, 3, u"Disabled");
  AppendMenuW(menu, MF_STRING, 4, nullptr);  // a string item without a string is a separator
  const std::vector<cesim::MenuRow> rows = cesim::ReadMenu(menu);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_TRUE(rows[0].checked);
  EXPECT_FALSE(rows[0].grayed);
  EXPECT_TRUE(rows[1].grayed);
  EXPECT_TRUE(rows[2].grayed);
  EXPECT_TRUE(rows[3].separator);
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION), static_cast<UINT>(MF_GRAYED));
  // A separator is grayed and disabled, as the platform inserts it.
  EXPECT_EQ(GetMenuState(menu, 3, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
  EXPECT_EQ(GetMenuState(menu, 9, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST_F(MenuTest, ReadsItemInformation) {
  HMENU menu = CreatePopupMenu();
  HMENU popup = CreatePopupMenu();
  AppendMenuW(popup, MF_STRING, 30, u"x");
  AppendMenuW(menu, MF_STRING | MF_CHECKED, 7, u"Seven");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), u"Sub");

  WCHAR text[16];
  MENUITEMINFOW info = Info(MIIM_ID | MIIM_TYPE | MIIM_STATE | MIIM_SUBMENU);
  info.dwTypeData = text;
  info.cch = 16;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 7, FALSE, &info));
  EXPECT_EQ(info.wID, 7u);
  EXPECT_EQ(info.fType, static_cast<UINT>(MFT_STRING));
  EXPECT_EQ(info.fState, static_cast<UINT>(MFS_CHECKED));
  EXPECT_EQ(info.hSubMenu, nullptr);
  EXPECT_EQ(std::u16string(text), u"Seven");
  EXPECT_EQ(info.cch, 5u);

  info = Info(MIIM_TYPE | MIIM_SUBMENU);
  info.dwTypeData = text;
  info.cch = 16;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 2, TRUE, &info));
  EXPECT_EQ(info.hSubMenu, popup);
  EXPECT_EQ(std::u16string(text), u"Sub");
  EXPECT_EQ(GetSubMenu(menu, 2), popup);
  EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
  EXPECT_EQ(GetMenuItemID(menu, 2), 0xFFFFFFFFu);  // pop-up items have no command

  info = Info(MIIM_TYPE);
  info.dwTypeData = text;
  info.cch = 16;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 1, TRUE, &info));
  EXPECT_EQ(info.fType, static_cast<UINT>(MFT_SEPARATOR));
  EXPECT_EQ(info.cch, 0u);
}

TEST_F(MenuTest, CutsItemTextToTheBuffer) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, u"Properties");
  WCHAR text[8];
  for (WCHAR& c : text) c = u'#';
  MENUITEMINFOW info = Info(MIIM_TYPE);
  info.dwTypeData = text;
  info.cch = 5;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &info));
  EXPECT_EQ(std::u16string(text), u"Prop");
  EXPECT_EQ(text[5], u'#');
  EXPECT_EQ(info.cch, 4u);  // the characters copied

  // Without a buffer, the whole length.
  info = Info(MIIM_TYPE);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &info));
  EXPECT_EQ(info.cch, 10u);
  // A buffer of no characters receives nothing.
  info = Info(MIIM_TYPE);
  text[0] = u'#';
  info.dwTypeData = text;
  info.cch = 0;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &info));
  EXPECT_EQ(text[0], u'#');
  EXPECT_EQ(info.cch, 10u);
}

TEST_F(MenuTest, RefusesBadItemRequests) {
  HMENU menu = ThreeItems();
  MENUITEMINFOW info = Info(MIIM_ID);
  SetLastError(0);
  EXPECT_FALSE(GetMenuItemInfoW(menu, 9, FALSE, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
  EXPECT_FALSE(GetMenuItemInfoW(menu, 3, TRUE, &info));
  info.cbSize = sizeof info + 4;
  EXPECT_FALSE(GetMenuItemInfoW(menu, 0, TRUE, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(InsertMenuItemW(menu, 0, TRUE, &info));
  EXPECT_FALSE(SetMenuItemInfoW(menu, 0, TRUE, nullptr));
  EXPECT_EQ(GetMenuItemCount(menu), 3);
}

TEST_F(MenuTest, ChangesItemsThroughItemInformation) {
  HMENU menu = ThreeItems();
  std::u16string text = u"Renamed";
  MENUITEMINFOW info = Info(MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_DATA);
  info.fType = MFT_STRING;
  info.dwTypeData = text.data();
  info.fState = MFS_CHECKED | MFS_GRAYED;
  info.wID = 42;
  info.dwItemData = 0x1234;
  ASSERT_TRUE(SetMenuItemInfoW(menu, 2, FALSE, &info));
  EXPECT_EQ(Texts(menu), (Strings{u"One", u"Renamed", u"Three"}));
  const cesim::MenuRow row = cesim::ReadMenu(menu)[1];
  EXPECT_EQ(row.id, 42u);
  EXPECT_TRUE(row.checked);
  EXPECT_TRUE(row.grayed);

  MENUITEMINFOW read = Info(MIIM_DATA | MIIM_STATE);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 42, FALSE, &read));
  EXPECT_EQ(read.dwItemData, 0x1234u);
  EXPECT_EQ(read.fState, static_cast<UINT>(MFS_CHECKED | MFS_GRAYED));
  // Only what the mask names changes.
  MENUITEMINFOW stateOnly = Info(MIIM_STATE);
  stateOnly.fState = 0;
  ASSERT_TRUE(SetMenuItemInfoW(menu, 1, TRUE, &stateOnly));
  EXPECT_EQ(Texts(menu)[1], u"Renamed");
  EXPECT_EQ(cesim::ReadMenu(menu)[1].id, 42u);
}

TEST_F(MenuTest, InsertsItemsWithPopupMenus) {
  HMENU menu = ThreeItems();
  HMENU popup = CreatePopupMenu();
  MENUITEMINFOW info = Info(MIIM_TYPE | MIIM_SUBMENU | MIIM_ID);
  std::u16string text = u"View";
  info.fType = MFT_STRING;
  info.dwTypeData = text.data();
  info.hSubMenu = popup;
  info.wID = 50;
  ASSERT_TRUE(InsertMenuItemW(menu, 2, FALSE, &info));  // before command 2
  EXPECT_EQ(Texts(menu), (Strings{u"One", u"View", u"Two", u"Three"}));
  EXPECT_EQ(GetSubMenu(menu, 1), popup);
  EXPECT_TRUE(cesim::ReadMenu(menu)[1].popup);

  // A menu may not hold itself, directly or below a pop-up menu.
  info.hSubMenu = menu;
  SetLastError(0);
  EXPECT_FALSE(InsertMenuItemW(popup, 0, TRUE, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(menu), u"Self"));
  // Nor a pop-up menu that does not exist.
  EXPECT_FALSE(AppendMenuW(menu, MF_POPUP, 0x1234, u"Nothing"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_EQ(GetMenuItemCount(popup), 0);
}

TEST_F(MenuTest, ChecksAndEnablesItems) {
  HMENU menu = ThreeItems();
  HMENU popup = CreatePopupMenu();
  AppendMenuW(popup, MF_STRING, 20, u"Inner");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), u"More");

  EXPECT_EQ(CheckMenuItem(menu, 2, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYPOSITION | MF_CHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 20, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_TRUE(cesim::ReadMenu(popup)[0].checked);
  EXPECT_EQ(CheckMenuItem(menu, 2, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_FALSE(cesim::ReadMenu(menu)[1].checked);
  EXPECT_EQ(CheckMenuItem(menu, 99, MF_BYCOMMAND), 0xFFFFFFFFu);

  EXPECT_EQ(EnableMenuItem(menu, 3, MF_BYCOMMAND | MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
  EXPECT_TRUE(cesim::ReadMenu(menu)[2].grayed);
  EXPECT_EQ(EnableMenuItem(menu, 3, MF_BYCOMMAND | MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
  EXPECT_FALSE(cesim::ReadMenu(menu)[2].grayed);
  EXPECT_EQ(EnableMenuItem(menu, 9, MF_BYPOSITION), -1);
}

TEST_F(MenuTest, ChecksOneRadioItemOfAGroup) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 61440, u"Detail");
  AppendMenuW(menu, MF_STRING, 61441, u"Detail with Header");
  AppendMenuW(menu, MF_SEPARATOR, 61442, nullptr);
  AppendMenuW(menu, MF_STRING, 61443, u"Icon");
  HMENU popup = CreatePopupMenu();
  AppendMenuW(popup, MF_STRING | MF_CHECKED, 61444, u"Elsewhere");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), u"More");

  ASSERT_TRUE(CheckMenuRadioItem(menu, 61440, 61444, 61441, MF_BYCOMMAND));
  std::vector<cesim::MenuRow> rows = cesim::ReadMenu(menu);
  EXPECT_FALSE(rows[0].checked);
  EXPECT_TRUE(rows[1].checked);
  EXPECT_TRUE(rows[1].radio);
  EXPECT_FALSE(rows[3].checked);
  EXPECT_TRUE(cesim::ReadMenu(popup)[0].checked);  // another menu's item is left alone

  ASSERT_TRUE(CheckMenuRadioItem(menu, 0, 3, 3, MF_BYPOSITION));
  rows = cesim::ReadMenu(menu);
  EXPECT_FALSE(rows[1].checked);
  EXPECT_TRUE(rows[3].checked);
  MENUITEMINFOW info = Info(MIIM_TYPE);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 61441, FALSE, &info));
  EXPECT_TRUE(info.fType & MFT_RADIOCHECK);  // the mark's shape stays, as on the platform

  // An item outside the group is not checked.
  EXPECT_FALSE(CheckMenuRadioItem(menu, 61440, 61441, 61443, MF_BYCOMMAND));
  EXPECT_FALSE(cesim::ReadMenu(menu)[0].checked);
  EXPECT_FALSE(CheckMenuRadioItem(nullptr, 0, 1, 0, MF_BYPOSITION));
}

TEST_F(MenuTest, RemoveKeepsThePopupMenuDeleteDestroysIt) {
  HMENU menu = ThreeItems();
  HMENU kept = CreatePopupMenu();
  HMENU destroyed = CreatePopupMenu();
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), u"Kept");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(destroyed), u"Destroyed");

  EXPECT_TRUE(RemoveMenu(menu, 3, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(kept));
  EXPECT_TRUE(DeleteMenu(menu, 3, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(destroyed));
  EXPECT_TRUE(DeleteMenu(menu, 2, MF_BYCOMMAND));
  EXPECT_EQ(Texts(menu), (Strings{u"One", u"Three"}));
  SetLastError(0);
  EXPECT_FALSE(RemoveMenu(menu, 2, MF_BYCOMMAND));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
  EXPECT_FALSE(DeleteMenu(menu, 5, MF_BYPOSITION));
  DestroyMenu(kept);
}

TEST_F(MenuTest, DestroysPopupMenusWithTheirMenu) {
  HMENU bar = CreateMenu();
  HMENU view = CreatePopupMenu();
  HMENU styles = CreatePopupMenu();
  AppendMenuW(styles, MF_STRING, 1, u"Icon");
  AppendMenuW(view, MF_POPUP, reinterpret_cast<UINT_PTR>(styles), u"Styles");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), u"View");
  ASSERT_TRUE(IsMenu(bar));

  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(IsMenu(view));
  EXPECT_FALSE(IsMenu(styles));
  // Every call on a stale menu fails as the platform reports it.
  SetLastError(0);
  EXPECT_FALSE(DestroyMenu(view));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_EQ(GetMenuItemCount(styles), -1);
  EXPECT_FALSE(AppendMenuW(styles, MF_STRING, 2, u"List"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_EQ(CheckMenuItem(styles, 1, MF_CHECKED), 0xFFFFFFFFu);
  EXPECT_TRUE(cesim::ReadMenu(styles).empty());
}

TEST_F(MenuTest, OnlyLiveMenusAreMenus) {
  EXPECT_FALSE(IsMenu(nullptr));
  EXPECT_FALSE(IsMenu(reinterpret_cast<HMENU>(0x1234)));
  HMENU menu = CreateMenu();
  EXPECT_TRUE(IsMenu(menu));
  EXPECT_NE(CreatePopupMenu(), menu);
  EXPECT_EQ(GetMenuItemCount(menu), 0);
  // A new boot has no menus.
  ASSERT_TRUE(cesim::Boot(device.image.Folder()));
  EXPECT_FALSE(IsMenu(menu));
}

TEST_F(MenuTest, InsertsPopupMenusByPositionAndBeforeACommand) {
  HMENU bar = CreateMenu();
  HMENU view = CreatePopupMenu();
  AppendMenuW(view, MF_STRING, 21002, u"Refresh");
  AppendMenuW(view, MF_STRING, 21004, u"Show All");
  ASSERT_TRUE(AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), u"View"));
  HMENU options = CreatePopupMenu();
  AppendMenuW(options, MF_STRING, 61440, u"Show Extension");
  // Before a command of the submenu: the pop-up item goes into the submenu.
  ASSERT_TRUE(InsertMenuW(bar, 21002, MF_BYCOMMAND | MF_POPUP, reinterpret_cast<UINT_PTR>(options), u"View Options"));
  EXPECT_EQ(Texts(view), (Strings{u"View Options", u"Refresh", u"Show All"}));
  EXPECT_EQ(GetSubMenu(view, 0), options);
  // Items of the new submenu are found from the top, by command.
  EXPECT_EQ(CheckMenuItem(bar, 61440, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_TRUE(cesim::ReadMenu(options)[0].checked);
  // By position, at the end with -1.
  HMENU tools = CreatePopupMenu();
  ASSERT_TRUE(InsertMenuW(bar, static_cast<UINT>(-1), MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(tools), u"Tools"));
  EXPECT_EQ(Texts(bar), (Strings{u"View", u"Tools"}));
  // A pop-up item's identifier is its menu's handle; the item itself is found by it when no item
  // inside has that command.
  MENUITEMINFOW info = Info(MIIM_ID | MIIM_SUBMENU);
  ASSERT_TRUE(GetMenuItemInfoW(bar, 1, TRUE, &info));
  EXPECT_EQ(info.wID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(tools)));
  EXPECT_EQ(info.hSubMenu, tools);
  EXPECT_TRUE(DeleteMenu(bar, static_cast<UINT>(reinterpret_cast<UINT_PTR>(tools)), MF_BYCOMMAND));
  EXPECT_FALSE(IsMenu(tools));
}

TEST_F(MenuTest, CountsTextAgainstTheBufferAtItsBoundaries) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, u"Properties");  // 10 characters
  struct Case {
    UINT cch;
    std::u16string text;
    UINT result;
  };
  for (const Case& c : {Case{10, u"Propertie", 9}, Case{11, u"Properties", 10}, Case{12, u"Properties", 10}, Case{1, u"", 0}}) {
    WCHAR text[16];
    for (WCHAR& w : text) w = u'#';
    MENUITEMINFOW info = Info(MIIM_TYPE);
    info.dwTypeData = text;
    info.cch = c.cch;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 1, FALSE, &info));
    EXPECT_EQ(std::u16string(text), c.text) << c.cch;
    EXPECT_EQ(info.cch, c.result) << c.cch;
    EXPECT_EQ(text[c.cch], u'#') << c.cch;  // nothing written past the buffer
  }
}

TEST_F(MenuTest, TurnsItemsIntoSeparatorsAndPopupItemsBack) {
  HMENU menu = ThreeItems();
  MENUITEMINFOW info = Info(MIIM_TYPE);
  info.fType = MFT_SEPARATOR;
  ASSERT_TRUE(SetMenuItemInfoW(menu, 2, FALSE, &info));
  WCHAR text[8] = {u'#'};
  MENUITEMINFOW read = Info(MIIM_TYPE | MIIM_ID);
  read.dwTypeData = text;
  read.cch = 8;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 1, TRUE, &read));
  EXPECT_EQ(read.fType, static_cast<UINT>(MFT_SEPARATOR));
  EXPECT_EQ(read.dwTypeData, nullptr);
  EXPECT_EQ(read.cch, 0u);
  EXPECT_EQ(read.wID, 2u);  // the identifier stays
  // MIIM_SUBMENU gives an item a pop-up menu and takes it away again.
  HMENU popup = CreatePopupMenu();
  MENUITEMINFOW sub = Info(MIIM_SUBMENU);
  sub.hSubMenu = popup;
  ASSERT_TRUE(SetMenuItemInfoW(menu, 0, TRUE, &sub));
  EXPECT_EQ(GetSubMenu(menu, 0), popup);
  EXPECT_EQ(GetMenuItemID(menu, 0), 0xFFFFFFFFu);
  sub.hSubMenu = nullptr;
  ASSERT_TRUE(SetMenuItemInfoW(menu, 0, TRUE, &sub));
  EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
  EXPECT_EQ(GetMenuItemID(menu, 0), 1u);
  EXPECT_TRUE(IsMenu(popup));  // taken away, not destroyed
}

TEST_F(MenuTest, TakesItemInformationOfThePlatformsSizeOnly) {
  HMENU menu = ThreeItems();
  // The device's 32-bit MENUITEMINFOW has 44 bytes; on this host the structure is larger, and only
  // its own size is taken, so that code which writes the number instead of sizeof fails here.
  ASSERT_NE(sizeof(MENUITEMINFOW), 44u);
  MENUITEMINFOW info = Info(MIIM_ID);
  info.cbSize = 44;
  SetLastError(0);
  EXPECT_FALSE(GetMenuItemInfoW(menu, 0, TRUE, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(SetMenuItemInfoW(menu, 0, TRUE, &info));
  info.cbSize = sizeof info;
  EXPECT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &info));
}

TEST_F(MenuTest, RadioGroupsBelongToTheMenuOfTheirFirstItem) {
  // Detail (61441), Detail with Header (61442) and Icon (61443) in a submenu of the menu.
  HMENU menu = CreatePopupMenu();
  HMENU styles = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 61440, u"Show Extension");
  AppendMenuW(styles, MF_STRING, 61441, u"Detail");
  AppendMenuW(styles, MF_STRING, 61442, u"Detail with Header");
  AppendMenuW(styles, MF_STRING, 61443, u"Icon");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(styles), u"Change Style");

  // From the top menu, by command: the group is the submenu that holds 61441.
  ASSERT_TRUE(CheckMenuRadioItem(menu, 61441, 61443, 61443, MF_BYCOMMAND));
  EXPECT_TRUE(cesim::ReadMenu(styles)[2].radio);
  ASSERT_TRUE(CheckMenuRadioItem(menu, 61441, 61443, 61442, MF_BYCOMMAND));
  std::vector<cesim::MenuRow> rows = cesim::ReadMenu(styles);
  EXPECT_TRUE(rows[1].radio);
  EXPECT_FALSE(rows[2].checked);
  // A range that starts in another menu leaves the submenu's items alone and checks nothing.
  EXPECT_FALSE(CheckMenuRadioItem(menu, 61440, 61443, 61441, MF_BYCOMMAND));
  rows = cesim::ReadMenu(styles);
  EXPECT_FALSE(rows[0].checked);
  EXPECT_TRUE(rows[1].checked);
  // Only items that exist count: a missing command inside the range is no failure.
  RemoveMenu(styles, 61442, MF_BYCOMMAND);
  EXPECT_TRUE(CheckMenuRadioItem(menu, 61441, 61443, 61441, MF_BYCOMMAND));
  EXPECT_FALSE(CheckMenuRadioItem(menu, 61441, 61443, 61442, MF_BYCOMMAND));
}

TEST_F(MenuTest, ARemovedSubmenuLivesOnAndCanBeInsertedElsewhere) {
  HMENU menu = CreatePopupMenu();
  HMENU deep = CreatePopupMenu();
  HMENU deeper = CreatePopupMenu();
  AppendMenuW(deeper, MF_STRING, 5, u"Bottom");
  AppendMenuW(deep, MF_POPUP, reinterpret_cast<UINT_PTR>(deeper), u"Deeper");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(deep), u"Deep");
  EXPECT_EQ(EnableMenuItem(menu, 5, MF_BYCOMMAND | MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
  ASSERT_TRUE(RemoveMenu(menu, 0, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(deep));
  EXPECT_TRUE(IsMenu(deeper));
  EXPECT_EQ(GetMenuState(menu, 5, MF_BYCOMMAND), 0xFFFFFFFFu);  // no longer below the menu
  HMENU other = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(other, MF_POPUP, reinterpret_cast<UINT_PTR>(deep), u"Moved"));
  EXPECT_EQ(GetMenuState(other, 5, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  // Deleting the item destroys the whole branch below it.
  ASSERT_TRUE(DeleteMenu(other, 0, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(deep));
  EXPECT_FALSE(IsMenu(deeper));
}

}  // namespace
