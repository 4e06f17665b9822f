// The toolbar as the Explorer's frame uses it: buttons added, read and changed by index and by
// command, texts copied or taken from the string pool, and the user's taps on plain buttons (the
// button's WM_COMMAND) and on drop-down buttons (TBN_DROPDOWN, on the arrow only when the arrow is
// a part of its own).
#include "conformance.h"
#include "message_recorder.h"
#include "test_windows.h"

namespace conformance {
namespace {

const int kToolbarId = 300;

class ToolbarTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    parent = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 320});
    ASSERT_NE(parent, nullptr);
    SetHandler(parent, [this](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
      if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != TBN_DROPDOWN) return false;
      *result = answerToDropDown;
      return true;
    });
    toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarId)), host.Instance(), nullptr);
    ASSERT_NE(toolbar, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // A drop-down button (10) and two plain ones (11, 12).
    TBBUTTON buttons[3];
    memset(buttons, 0, sizeof(buttons));
    const int commands[] = {10, 11, 12};
    const BYTE styles[] = {TBSTYLE_DROPDOWN, TBSTYLE_BUTTON, TBSTYLE_BUTTON};
    for (int i = 0; i < 3; ++i) {
      buttons[i].idCommand = commands[i];
      buttons[i].fsState = TBSTATE_ENABLED;
      buttons[i].fsStyle = styles[i];
      buttons[i].iString = -1;
    }
    ASSERT_TRUE(SendMessageW(toolbar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons)));
    host.Activate(parent);
    recorder.Name(parent, "parent");
    recorder.Name(toolbar, "toolbar");
    recorder.Only({WM_COMMAND, WM_NOTIFY});
    recorder.OnlyNotifications({TBN_DROPDOWN});
    recorder.Flush();
  }

  RECT ItemRect(int index) {
    RECT r;
    memset(&r, 0, sizeof(r));
    SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  static POINT Middle(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

  static foldwise_test::ExpectedMessage Command(int id) {
    return {"parent", WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), foldwise_test::Wnd("toolbar"), 0};
  }
  static foldwise_test::ExpectedMessage DroppedDown() {
    return {"parent", WM_NOTIFY, kToolbarId, foldwise_test::Code(TBN_DROPDOWN), 0};
  }

  foldwise_test::MessageRecorder recorder;
  HWND parent = nullptr;
  HWND toolbar = nullptr;
  LRESULT answerToDropDown = 0;
};

// --- Buttons as data ---

TEST_F(ToolbarTest, ButtonsAreReadAndChangedByIndexAndByCommand) {
  EXPECT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 3);
  TBBUTTON b;
  memset(&b, 0, sizeof(b));
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&b)));
  EXPECT_EQ(b.idCommand, 10);
  EXPECT_EQ(b.fsStyle, TBSTYLE_DROPDOWN);
  EXPECT_FALSE(SendMessageW(toolbar, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&b)));

  TBBUTTONINFOW info;
  memset(&info, 0, sizeof(info));
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_STYLE;
  info.fsStyle = static_cast<BYTE>(b.fsStyle & ~TBSTYLE_DROPDOWN);
  EXPECT_TRUE(SendMessageW(toolbar, TB_SETBUTTONINFOW, b.idCommand, reinterpret_cast<LPARAM>(&info)));
  memset(&info, 0, sizeof(info));
  info.cbSize = sizeof(info);
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

TEST_F(ToolbarTest, InsertsAtTheEndForMinusOneAndPastTheEnd) {
  TBBUTTON b;
  memset(&b, 0, sizeof(b));
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

TEST_F(ToolbarTest, TextsAreCopiedOrTakenFromTheStringPool) {
  EXPECT_EQ(SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(TEXT("Back\0Forward\0"))), 0);
  WCHAR own[] = TEXT("Folders");
  TBBUTTON b[2];
  memset(b, 0, sizeof(b));
  b[0].idCommand = 30;
  b[0].fsState = TBSTATE_ENABLED;
  b[0].iString = reinterpret_cast<INT_PTR>(own);
  b[1].idCommand = 31;
  b[1].fsState = TBSTATE_ENABLED;
  b[1].iString = 1;
  ASSERT_TRUE(SendMessageW(toolbar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(b)));
  own[0] = 'X';  // the toolbar holds a copy
  WCHAR text[16];
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONTEXTW, 30, reinterpret_cast<LPARAM>(text)), 7);
  EXPECT_EQ(Text(text), Text(TEXT("Folders")));
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONTEXTW, 31, reinterpret_cast<LPARAM>(text)), 7);
  EXPECT_EQ(Text(text), Text(TEXT("Forward")));
  TBBUTTON read;
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&read)));
  EXPECT_NE(read.iString, reinterpret_cast<INT_PTR>(own));
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 4, reinterpret_cast<LPARAM>(&read)));
  EXPECT_EQ(read.iString, 1);
  // Button information gives a button's own text, not a pool string.
  TBBUTTONINFOW info;
  memset(&info, 0, sizeof(info));
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT;
  info.pszText = text;
  info.cchText = 16;
  text[0] = '#';
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 31, reinterpret_cast<LPARAM>(&info)), 4);
  EXPECT_EQ(text[0], 0);
  info.cchText = 4;
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 30, reinterpret_cast<LPARAM>(&info)), 3);
  EXPECT_EQ(Text(text), Text(TEXT("Fol")));
}

// --- Taps ---

TEST_F(ToolbarTest, ATapSendsTheButtonsCommand) {
  host.Tap(toolbar, Middle(ItemRect(1)));
  EXPECT_TRUE(recorder.Sequence({Command(11)}));
}

TEST_F(ToolbarTest, ADropDownButtonWithoutASeparateArrowDropsDownAnywhere) {
  const RECT r = ItemRect(0);
  host.Tap(toolbar, POINT{r.left + 2, (r.top + r.bottom) / 2});
  EXPECT_TRUE(recorder.Sequence({DroppedDown()}));
}

TEST_F(ToolbarTest, WithASeparateArrowOnlyTheArrowDropsDown) {
  SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  const RECT r = ItemRect(0);
  host.Tap(toolbar, POINT{r.right - 2, (r.top + r.bottom) / 2});
  EXPECT_TRUE(recorder.Sequence({DroppedDown()}));
  recorder.Flush();
  host.Tap(toolbar, POINT{r.left + 2, (r.top + r.bottom) / 2});
  EXPECT_TRUE(recorder.Sequence({Command(10)}));
}

TEST_F(ToolbarTest, TreatPressedMakesADropDownButtonSendItsCommand) {
  answerToDropDown = TBDDRET_TREATPRESSED;
  host.Tap(toolbar, Middle(ItemRect(0)));
  EXPECT_TRUE(recorder.Sequence({DroppedDown(), Command(10)}));
}

}  // namespace
}  // namespace conformance
