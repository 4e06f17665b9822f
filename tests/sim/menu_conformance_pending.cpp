// Menus, TrackPopupMenu and the toolbar written only against the platform's API, so that the same
// source can run on cesim and, as a Windows program, under Wine's real user32 and comctl32. Only
// the host below knows cesim: it boots a device and creates the windows. The menu loop is driven
// by key messages posted before it starts (the loop takes them from the queue, as it takes the
// user's keys) and the toolbar by stylus messages sent to it at its buttons' own rectangles.
// These move to tests/conformance when that suite arrives.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"

namespace {

// What a window of the tests received, in order: message, wParam, lParam.
struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Received> received;
// Only these are kept: the ones both platforms document for menus and toolbars.
bool Kept(UINT message) {
  return message == WM_ENTERMENULOOP || message == WM_INITMENUPOPUP || message == WM_EXITMENULOOP ||
         message == WM_COMMAND || message == WM_NOTIFY;
}
LRESULT answerToDropDown = 0;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Kept(message)) {
    // A notification is kept by its code.
    received.push_back(Received{message, wParam,
                                message == WM_NOTIFY ? static_cast<LPARAM>(reinterpret_cast<NMHDR*>(lParam)->code)
                                                     : lParam});
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TBN_DROPDOWN) return answerToDropDown;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The platform host: a fresh device and a visible top-level window that records what it gets.
class ConformanceHost : public ::testing::Test {
 protected:
  void SetUp() override {
    received.clear();
    answerToDropDown = 0;
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &RecordingProc;
    cls.lpszClassName = TEXT("ConformanceWindow");
    // On the desktop the class outlives a test: the process is the same.
    ASSERT_TRUE(RegisterClassW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
    window = CreateWindowExW(0, TEXT("ConformanceWindow"), TEXT("Conformance"), WS_POPUP | WS_VISIBLE, 0, 0, 240, 320,
                             nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    SetFocus(window);
  }
  void TearDown() override { DestroyWindow(window); }

  // Runs the queue the way an application's loop does.
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  void PostKey(UINT vk) { PostMessageW(window, WM_KEYDOWN, vk, 1); }
  void PostEnter() { PostMessageW(window, WM_CHAR, '\r', 1); }

  std::vector<Received> Of(UINT message) const {
    std::vector<Received> of;
    for (const Received& r : received) {
      if (r.message == message) of.push_back(r);
    }
    return of;
  }

  foldwise_test::BootedDevice device;
  HWND window = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Menus as data.

using MenuConformanceTest = ConformanceHost;

MENUITEMINFOW ItemInfo(UINT mask, LPWSTR text = nullptr, UINT cch = 0) {
  MENUITEMINFOW info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = mask;
  info.dwTypeData = text;
  info.cch = cch;
  return info;
}

TEST_F(MenuConformanceTest, InsertsByPositionAtTheEndAndBeforeACommandInsideASubmenu) {
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
  EXPECT_EQ(GetMenuItemID(menu, 1), 0xFFFFFFFFu);  // a pop-up item
  EXPECT_EQ(GetMenuItemID(menu, 4), 0xFFFFFFFFu);
  EXPECT_EQ(GetSubMenu(menu, 1), sub);
  EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
  MENUITEMINFOW info = ItemInfo(MIIM_ID | MIIM_SUBMENU);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 1, TRUE, &info));
  EXPECT_EQ(info.wID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub)));
  EXPECT_EQ(info.hSubMenu, sub);
  DestroyMenu(menu);
  EXPECT_FALSE(IsMenu(sub));
}

TEST_F(MenuConformanceTest, SeparatorsAreGrayedAndKeepTheirIdentifier) {
  HMENU menu = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(menu, MF_SEPARATOR, 8, nullptr));
  ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 6, nullptr));  // a string item without a string
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

TEST_F(MenuConformanceTest, ItemTextIsCutToTheBufferAndCountedWithoutIt) {
  HMENU menu = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 1, TEXT("Properties")));
  WCHAR text[16];
  MENUITEMINFOW info = ItemInfo(MIIM_TYPE, text, 5);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 1, FALSE, &info));
  EXPECT_EQ(info.cch, 4u);
  EXPECT_EQ(text[4], 0);
  info = ItemInfo(MIIM_TYPE, text, 16);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &info));
  EXPECT_EQ(info.cch, 10u);
  info = ItemInfo(MIIM_TYPE);
  ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &info));
  EXPECT_EQ(info.cch, 10u);  // no buffer: the whole length
  info = ItemInfo(MIIM_ID);
  SetLastError(0);
  EXPECT_FALSE(GetMenuItemInfoW(menu, 1, TRUE, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
  info.cbSize = sizeof info + 4;
  SetLastError(0);
  EXPECT_FALSE(GetMenuItemInfoW(menu, 0, TRUE, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  DestroyMenu(menu);
}

TEST_F(MenuConformanceTest, ChecksGivePreviousStatesAndRadioGroupsStayInOneMenu) {
  HMENU menu = CreatePopupMenu();
  HMENU styles = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 61440, TEXT("Show Extension"));
  AppendMenuW(styles, MF_STRING, 61441, TEXT("Detail"));
  AppendMenuW(styles, MF_STRING, 61442, TEXT("Detail with Header"));
  AppendMenuW(styles, MF_STRING, 61443, TEXT("Icon"));
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(styles), TEXT("Change Style"));
  EXPECT_EQ(CheckMenuItem(menu, 61440, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 61440, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 9, MF_BYCOMMAND | MF_CHECKED), 0xFFFFFFFFu);
  EXPECT_EQ(EnableMenuItem(menu, 61443, MF_BYCOMMAND | MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
  EXPECT_EQ(EnableMenuItem(menu, 61443, MF_BYCOMMAND | MF_ENABLED), static_cast<BOOL>(MF_GRAYED));

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

TEST_F(MenuConformanceTest, RemoveKeepsTheSubmenuDeleteDestroysIt) {
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

TEST_F(MenuConformanceTest, CommandsAreFoundInSubmenusAndPopupItemsByTheirHandle) {
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
  // The pop-up item itself, by its menu's handle.
  EXPECT_TRUE(DeleteMenu(sub, static_cast<UINT>(reinterpret_cast<UINT_PTR>(deeper)), MF_BYCOMMAND));
  EXPECT_FALSE(IsMenu(deeper));
  EXPECT_EQ(GetMenuItemCount(sub), 0);
  DestroyMenu(menu);
}

// ---------------------------------------------------------------------------------------------
// TrackPopupMenu, driven by posted keys.

class TrackPopupConformanceTest : public ConformanceHost {
 protected:
  void SetUp() override {
    ConformanceHost::SetUp();
    // Open (1), Save (2), More > {Copy (10), Move (11)}.
    menu = CreatePopupMenu();
    more = CreatePopupMenu();
    AppendMenuW(more, MF_STRING, 10, TEXT("Copy"));
    AppendMenuW(more, MF_STRING, 11, TEXT("Move"));
    AppendMenuW(menu, MF_STRING, 1, TEXT("Open"));
    AppendMenuW(menu, MF_STRING, 2, TEXT("Save"));
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), TEXT("More"));
  }
  void TearDown() override {
    DestroyMenu(menu);
    ConformanceHost::TearDown();
  }
  HMENU menu = nullptr;
  HMENU more = nullptr;
};

TEST_F(TrackPopupConformanceTest, BadMenusAndOwnersFailWithoutMessages) {
  SetLastError(0);
  EXPECT_FALSE(TrackPopupMenu(nullptr, TPM_RETURNCMD, 10, 10, 0, window, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  SetLastError(0);
  EXPECT_FALSE(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_TRUE(received.empty());
}

TEST_F(TrackPopupConformanceTest, TheLoopIsEnteredInitialisedAndLeftInThisOrder) {
  PostKey(VK_ESCAPE);
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, window, nullptr), 0);
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].message, static_cast<UINT>(WM_ENTERMENULOOP));
  EXPECT_EQ(received[0].wParam, static_cast<WPARAM>(TRUE));
  EXPECT_EQ(received[1].message, static_cast<UINT>(WM_INITMENUPOPUP));
  EXPECT_EQ(received[1].wParam, reinterpret_cast<WPARAM>(menu));
  EXPECT_EQ(received[1].lParam, 0);
  EXPECT_EQ(received[2].message, static_cast<UINT>(WM_EXITMENULOOP));
  EXPECT_EQ(received[2].wParam, static_cast<WPARAM>(TRUE));
}

TEST_F(TrackPopupConformanceTest, KeysChooseAndTheResultIsReturned) {
  PostKey(VK_DOWN);
  PostKey(VK_DOWN);
  PostEnter();
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, window, nullptr), 2);
  Pump();
  EXPECT_TRUE(Of(WM_COMMAND).empty());
}

TEST_F(TrackPopupConformanceTest, WithoutReturnCommandTheCommandIsPostedForAfterTheLoop) {
  PostKey(VK_DOWN);
  PostEnter();
  EXPECT_TRUE(TrackPopupMenu(menu, 0, 10, 10, 0, window, nullptr));
  EXPECT_TRUE(Of(WM_COMMAND).empty());
  Pump();
  ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
  EXPECT_EQ(LOWORD(Of(WM_COMMAND)[0].wParam), 1);
  EXPECT_EQ(Of(WM_COMMAND)[0].lParam, 0);
}

TEST_F(TrackPopupConformanceTest, ASubmenuOpensWithItsItemsPosition) {
  PostKey(VK_UP);     // More, the last item
  PostKey(VK_RIGHT);  // opens it at Copy
  PostKey(VK_DOWN);   // Move
  PostEnter();
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, window, nullptr), 11);
  const std::vector<Received> inits = Of(WM_INITMENUPOPUP);
  ASSERT_EQ(inits.size(), 2u);
  EXPECT_EQ(inits[1].wParam, reinterpret_cast<WPARAM>(more));
  EXPECT_EQ(LOWORD(inits[1].lParam), 2);
  EXPECT_EQ(HIWORD(inits[1].lParam), 0);
}

TEST_F(TrackPopupConformanceTest, NoNotifySendsNoInitialisation) {
  PostKey(VK_ESCAPE);
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, 0, window, nullptr), 0);
  EXPECT_TRUE(Of(WM_INITMENUPOPUP).empty());
  EXPECT_TRUE(Of(WM_ENTERMENULOOP).empty());
  EXPECT_EQ(Of(WM_EXITMENULOOP).size(), 1u);  // the loop's end is told all the same
}

// A second loop asked for while one runs (here from the first one's WM_INITMENUPOPUP).
BOOL nestedResult = TRUE;
DWORD nestedError = 0;
LRESULT CALLBACK NestingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITMENUPOPUP) {
    HMENU other = CreatePopupMenu();
    AppendMenuW(other, MF_STRING, 1, TEXT("Other"));
    SetLastError(0);
    nestedResult = TrackPopupMenu(other, TPM_RETURNCMD, 0, 0, 0, hwnd, nullptr);
    nestedError = GetLastError();
    DestroyMenu(other);
  }
  return RecordingProc(hwnd, message, wParam, lParam);
}

TEST_F(TrackPopupConformanceTest, OneMenuLoopRunsAtATime) {
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NestingProc));
  PostKey(VK_ESCAPE);
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, window, nullptr), 0);
  EXPECT_FALSE(nestedResult);
  // Windows sets ERROR_POPUP_ALREADY_ACTIVE here; Wine fails the same way but leaves the last
  // error alone, so the code is held on cesim only (popup_menu_test).
  (void)nestedError;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc));
}

TEST_F(TrackPopupConformanceTest, EscapeInASubmenuClosesOnlyTheSubmenu) {
  PostKey(VK_UP);      // More
  PostKey(VK_RIGHT);   // its submenu opens
  PostKey(VK_ESCAPE);  // and closes; More stays selected
  PostKey(VK_UP);      // Save
  PostEnter();
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, window, nullptr), 2);
}

TEST_F(TrackPopupConformanceTest, AMnemonicChoosesItsItem) {
  WCHAR text[] = TEXT("&Open");
  MENUITEMINFOW info = ItemInfo(MIIM_TYPE, text);
  info.fType = MFT_STRING;
  ASSERT_TRUE(SetMenuItemInfoW(menu, 1, FALSE, &info));
  PostMessageW(window, WM_CHAR, 'o', 1);
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, window, nullptr), 1);
}

TEST_F(TrackPopupConformanceTest, EnterOnAGrayedItemClosesTheMenuWithoutACommand) {
  EnableMenuItem(menu, 1, MF_BYCOMMAND | MF_GRAYED);
  PostKey(VK_DOWN);  // the grayed Open can be selected
  PostEnter();
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, window, nullptr), 0);
  EXPECT_EQ(Of(WM_EXITMENULOOP).size(), 1u);
}

TEST_F(TrackPopupConformanceTest, CancelModeEndsTheLoop) {
  PostMessageW(window, WM_CANCELMODE, 0, 0);
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, window, nullptr), 0);
  EXPECT_EQ(Of(WM_EXITMENULOOP).size(), 1u);
}

TEST_F(TrackPopupConformanceTest, AnEmptyMenuGivesNothing) {
  HMENU empty = CreatePopupMenu();
  EXPECT_EQ(TrackPopupMenu(empty, TPM_RETURNCMD, 10, 10, 0, window, nullptr), 0);
  EXPECT_EQ(Of(WM_INITMENUPOPUP).size(), 1u);
  EXPECT_EQ(Of(WM_EXITMENULOOP).size(), 1u);
  DestroyMenu(empty);
}

// ---------------------------------------------------------------------------------------------
// The toolbar, through its messages and stylus messages at its buttons.

class ToolbarConformanceTest : public ConformanceHost {
 protected:
  void SetUp() override {
    ConformanceHost::SetUp();
    InitCommonControls();
    toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)), nullptr, nullptr);
    ASSERT_NE(toolbar, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[3];
    std::memset(buttons, 0, sizeof buttons);
    const int commands[] = {10, 11, 12};
    const BYTE styles[] = {TBSTYLE_DROPDOWN, TBSTYLE_BUTTON, TBSTYLE_BUTTON};
    for (int i = 0; i < 3; ++i) {
      buttons[i].idCommand = commands[i];
      buttons[i].fsState = TBSTATE_ENABLED;
      buttons[i].fsStyle = styles[i];
      buttons[i].iString = -1;
    }
    ASSERT_TRUE(SendMessageW(toolbar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons)));
    received.clear();
  }

  RECT ItemRect(int index) {
    RECT r;
    std::memset(&r, 0, sizeof r);
    SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }

  void Click(int x, int y) {
    SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(toolbar, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  static constexpr int kId = 300;
  HWND toolbar = nullptr;
};

TEST_F(ToolbarConformanceTest, ButtonsAreReadAndChangedByIndexAndByCommand) {
  EXPECT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 3);
  TBBUTTON b;
  std::memset(&b, 0, sizeof b);
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&b)));
  EXPECT_EQ(b.idCommand, 10);
  EXPECT_EQ(b.fsStyle, TBSTYLE_DROPDOWN);
  EXPECT_FALSE(SendMessageW(toolbar, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&b)));

  TBBUTTONINFOW info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STYLE;
  info.fsStyle = static_cast<BYTE>(b.fsStyle & ~TBSTYLE_DROPDOWN);
  EXPECT_TRUE(SendMessageW(toolbar, TB_SETBUTTONINFOW, b.idCommand, reinterpret_cast<LPARAM>(&info)));
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STYLE | TBIF_COMMAND | TBIF_BYINDEX;
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(info.fsStyle, TBSTYLE_BUTTON);
  EXPECT_EQ(info.idCommand, 10);
  info.dwMask = TBIF_STATE;
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 99, reinterpret_cast<LPARAM>(&info)), -1);

  EXPECT_TRUE(SendMessageW(toolbar, TB_SETSTATE, 12, TBSTATE_ENABLED | TBSTATE_CHECKED));
  EXPECT_EQ(SendMessageW(toolbar, TB_GETSTATE, 12, 0), TBSTATE_ENABLED | TBSTATE_CHECKED);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETSTATE, 99, 0), -1);
  RECT byCommand;
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETRECT, 11, reinterpret_cast<LPARAM>(&byCommand)));
  const RECT byIndex = ItemRect(1);
  EXPECT_EQ(byCommand.left, byIndex.left);
  EXPECT_EQ(byCommand.right, byIndex.right);
  EXPECT_GT(byIndex.left, ItemRect(0).left);
}

TEST_F(ToolbarConformanceTest, AClickSendsTheButtonsCommand) {
  const RECT r = ItemRect(1);
  Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  const std::vector<Received> commands = Of(WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam, MAKEWPARAM(11, BN_CLICKED));
  EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(toolbar));
}

TEST_F(ToolbarConformanceTest, ADropDownButtonWithoutASeparateArrowDropsDownAnywhere) {
  const RECT r = ItemRect(0);
  Click(r.left + 2, (r.top + r.bottom) / 2);
  std::vector<Received> notes = Of(WM_NOTIFY);
  bool dropped = false;
  for (const Received& n : notes) dropped = dropped || static_cast<UINT>(n.lParam) == TBN_DROPDOWN;
  EXPECT_TRUE(dropped);
  EXPECT_TRUE(Of(WM_COMMAND).empty());
}

TEST_F(ToolbarConformanceTest, WithASeparateArrowOnlyTheArrowDropsDown) {
  SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  const RECT r = ItemRect(0);
  Click(r.right - 2, (r.top + r.bottom) / 2);
  bool dropped = false;
  for (const Received& n : Of(WM_NOTIFY)) dropped = dropped || static_cast<UINT>(n.lParam) == TBN_DROPDOWN;
  EXPECT_TRUE(dropped);
  EXPECT_TRUE(Of(WM_COMMAND).empty());
  received.clear();
  Click(r.left + 2, (r.top + r.bottom) / 2);
  for (const Received& n : Of(WM_NOTIFY)) EXPECT_NE(static_cast<UINT>(n.lParam), static_cast<UINT>(TBN_DROPDOWN));
  ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
  EXPECT_EQ(Of(WM_COMMAND)[0].wParam, MAKEWPARAM(10, BN_CLICKED));
}

TEST_F(ToolbarConformanceTest, InsertsAtTheEndForMinusOneAndPastTheEnd) {
  TBBUTTON b;
  std::memset(&b, 0, sizeof b);
  b.idCommand = 20;
  b.fsState = TBSTATE_ENABLED;
  b.iString = -1;
  EXPECT_TRUE(SendMessageW(toolbar, TB_INSERTBUTTONW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&b)));
  b.idCommand = 21;
  EXPECT_TRUE(SendMessageW(toolbar, TB_INSERTBUTTONW, 50, reinterpret_cast<LPARAM>(&b)));
  b.idCommand = 22;
  EXPECT_TRUE(SendMessageW(toolbar, TB_INSERTBUTTONW, 0, reinterpret_cast<LPARAM>(&b)));
  EXPECT_EQ(SendMessageW(toolbar, TB_COMMANDTOINDEX, 20, 0), 4);
  EXPECT_EQ(SendMessageW(toolbar, TB_COMMANDTOINDEX, 21, 0), 5);
  EXPECT_EQ(SendMessageW(toolbar, TB_COMMANDTOINDEX, 22, 0), 0);
  EXPECT_TRUE(SendMessageW(toolbar, TB_DELETEBUTTON, 0, 0));
  EXPECT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessageW(toolbar, TB_ISBUTTONCHECKED, 99, 0), -1);
}

TEST_F(ToolbarConformanceTest, TextsAreCopiedOrTakenFromTheStringPool) {
  EXPECT_EQ(SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(TEXT("Back\0Forward\0"))), 0);
  WCHAR own[] = TEXT("Folders");
  TBBUTTON b[2];
  std::memset(b, 0, sizeof b);
  b[0].idCommand = 30;
  b[0].fsState = TBSTATE_ENABLED;
  b[0].iString = reinterpret_cast<INT_PTR>(own);
  b[1].idCommand = 31;
  b[1].fsState = TBSTATE_ENABLED;
  b[1].iString = 1;
  ASSERT_TRUE(SendMessageW(toolbar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(b)));
  own[0] = 'X';
  WCHAR text[16];
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONTEXTW, 30, reinterpret_cast<LPARAM>(text)), 7);
  EXPECT_EQ(text[0], 'F');
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONTEXTW, 31, reinterpret_cast<LPARAM>(text)), 7);
  EXPECT_EQ(text[0], 'F');
  EXPECT_EQ(text[1], 'o');
  TBBUTTON read;
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&read)));
  EXPECT_NE(read.iString, reinterpret_cast<INT_PTR>(own));
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 4, reinterpret_cast<LPARAM>(&read)));
  EXPECT_EQ(read.iString, 1);
  // Button information gives a button's own text, not a pool string.
  TBBUTTONINFOW info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.dwMask = TBIF_TEXT;
  info.pszText = text;
  info.cchText = 16;
  text[0] = '#';
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 31, reinterpret_cast<LPARAM>(&info)), 4);
  EXPECT_EQ(text[0], 0);
  info.cchText = 4;
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 30, reinterpret_cast<LPARAM>(&info)), 3);
  EXPECT_EQ(text[0], 'F');
  EXPECT_EQ(text[3], 0);
}

TEST_F(ToolbarConformanceTest, TreatPressedMakesADropDownButtonSendItsCommand) {
  answerToDropDown = TBDDRET_TREATPRESSED;
  const RECT r = ItemRect(0);
  Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ASSERT_EQ(Of(WM_COMMAND).size(), 1u);
  EXPECT_EQ(Of(WM_COMMAND)[0].wParam, MAKEWPARAM(10, BN_CLICKED));
}

}  // namespace
