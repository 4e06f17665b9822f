// The tree under the user's taps and keys, as the Change Folder dialog meets it: NM_CLICK comes
// before the selection changes (so the dialog asks GetMessagePos and TVM_HITTEST where the tap
// was), Enter gives TVN_KEYDOWN and NM_RETURN, other keys TVN_KEYDOWN first, and a tree that gets
// the focus with nothing selected selects its first shown item.
#include "tree_fixture.h"

namespace conformance {
namespace {

using foldwise_test::Any;

class TreeInputTest : public TreeTest {
 protected:
  void SetUp() override {
    TreeTest::SetUp();
    first = InsertItem(tree, TVI_ROOT, TEXT("First"));
    second = InsertItem(tree, TVI_ROOT, TEXT("Second"));
    third = InsertItem(tree, TVI_ROOT, TEXT("Third"), TVI_LAST, 1);
  }

  HTREEITEM first = nullptr;
  HTREEITEM second = nullptr;
  HTREEITEM third = nullptr;
};

// --- Taps ---

TEST_F(TreeInputTest, TheClickComesBeforeTheSelectionChanges) {
  FocusWithSelection(first);
  HTREEITEM selectedDuringClick = nullptr;
  DWORD positionDuringClick = 0;
  OnNotify([&](NMHDR* header) -> LRESULT {
    if (header->code == NM_CLICK) {
      selectedDuringClick = Selection(tree);
      positionDuringClick = GetMessagePos();
    }
    return 0;
  });
  POINT label;
  ASSERT_TRUE(LabelPoint(tree, second, &label));
  RecordNotifications({NM_CLICK, TVN_SELCHANGINGW, TVN_SELCHANGEDW, NM_SETFOCUS, NM_KILLFOCUS});
  host.Tap(tree, label);
  EXPECT_TRUE(recorder.Sequence(
      {Notified(NM_CLICK, 0), Notified(TVN_SELCHANGINGW, 0), Notified(TVN_SELCHANGEDW, 0)}));
  EXPECT_EQ(selectedDuringClick, first);
  EXPECT_EQ(Selection(tree), second);
  // Where the tap was, in screen coordinates, as the dialog reads it to hit-test.
  POINT screen = label;
  ClientToScreen(tree, &screen);
  EXPECT_EQ(static_cast<short>(LOWORD(positionDuringClick)), screen.x);
  EXPECT_EQ(static_cast<short>(HIWORD(positionDuringClick)), screen.y);
}

TEST_F(TreeInputTest, TheSelectionByTapIsCausedByTheMouse) {
  FocusWithSelection(first);
  UINT action = 12345;
  OnNotify([&](NMHDR* header) -> LRESULT {
    if (header->code == TVN_SELCHANGEDW) action = reinterpret_cast<NMTREEVIEWW*>(header)->action;
    return 0;
  });
  POINT label;
  ASSERT_TRUE(LabelPoint(tree, second, &label));
  host.Tap(tree, label);
  EXPECT_EQ(action, UINT(TVC_BYMOUSE));
}

TEST_F(TreeInputTest, AClickAnsweredTrueSelectsNothing) {
  FocusWithSelection(first);
  OnNotify([](NMHDR* header) -> LRESULT { return header->code == NM_CLICK ? TRUE : 0; });
  POINT label;
  ASSERT_TRUE(LabelPoint(tree, second, &label));
  RecordNotifications({NM_CLICK, TVN_SELCHANGINGW, TVN_SELCHANGEDW});
  host.Tap(tree, label);
  EXPECT_TRUE(recorder.Sequence({Notified(NM_CLICK)}));
  EXPECT_EQ(Selection(tree), first);
}

TEST_F(TreeInputTest, ATapOnTheButtonClicksThenOpensWithoutSelecting) {
  FocusWithSelection(first);
  InsertItem(tree, third, TEXT("Below"));
  POINT button;
  ASSERT_TRUE(ButtonPoint(tree, third, &button));
  RecordNotifications({NM_CLICK, TVN_SELCHANGINGW, TVN_SELCHANGEDW, TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW});
  host.Tap(tree, button);
  EXPECT_TRUE(recorder.Sequence(
      {Notified(NM_CLICK, 0), Notified(TVN_ITEMEXPANDINGW, 0), Notified(TVN_ITEMEXPANDEDW, 0)}));
  EXPECT_EQ(Selection(tree), first);
  EXPECT_NE(ItemState(tree, third) & TVIS_EXPANDED, 0u);
}

TEST_F(TreeInputTest, ATapBesideALabelClicksAndSelectsNothing) {
  FocusWithSelection(first);
  POINT beside;
  ASSERT_TRUE(RightOfLabelPoint(tree, second, &beside));
  RecordNotifications({NM_CLICK, TVN_SELCHANGINGW, TVN_SELCHANGEDW});
  host.Tap(tree, beside);
  EXPECT_TRUE(recorder.Sequence({Notified(NM_CLICK)}));
  EXPECT_EQ(Selection(tree), first);
}

TEST_F(TreeInputTest, ATapBelowTheItemsStillClicks) {
  FocusWithSelection(first);
  RECT client;
  GetClientRect(tree, &client);
  RecordNotifications({NM_CLICK, TVN_SELCHANGINGW, TVN_SELCHANGEDW});
  host.Tap(tree, POINT{20, client.bottom - 4});
  EXPECT_TRUE(recorder.Sequence({Notified(NM_CLICK)}));
  EXPECT_EQ(Selection(tree), first);
}

TEST_F(TreeInputTest, ATapTakesTheFocus) {
  HWND other = CreateTestWindow(host, WS_CHILD | WS_VISIBLE, RECT{0, 210, 100, 230}, parent);
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first));
  SetFocus(other);
  POINT label;
  ASSERT_TRUE(LabelPoint(tree, second, &label));
  host.Tap(tree, label);
  EXPECT_EQ(GetFocus(), tree);
}

// --- Keys ---

TEST_F(TreeInputTest, EnterGivesKeyDownThenReturn) {
  FocusWithSelection(second);
  WORD key = 0;
  OnNotify([&](NMHDR* header) -> LRESULT {
    if (header->code == TVN_KEYDOWN) key = reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey;
    return 0;
  });
  RecordNotifications({TVN_KEYDOWN, NM_RETURN, TVN_SELCHANGINGW, TVN_SELCHANGEDW});
  host.PressKey(VK_RETURN);
  EXPECT_TRUE(recorder.Sequence({Notified(TVN_KEYDOWN, 0), Notified(NM_RETURN, 0)}));
  EXPECT_EQ(key, WORD(VK_RETURN));
  EXPECT_EQ(Selection(tree), second);
}

TEST_F(TreeInputTest, EnterWithNothingSelectedStillGivesReturn) {
  // Enter is the parent's to act on whatever is selected: a caller must look at the selection
  // itself when NM_RETURN comes.
  KnownWineDifference("tree-return-needs-a-selection", "dlls/comctl32/tests/treeview.c, test_WM_KEYDOWN", [&] {
    FocusWithSelection(second);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, 0);
    ASSERT_EQ(Selection(tree), nullptr);
    RecordNotifications({TVN_KEYDOWN, NM_RETURN, TVN_SELCHANGINGW});
    host.PressKey(VK_RETURN);
    EXPECT_TRUE(recorder.Sequence({Notified(TVN_KEYDOWN), Notified(NM_RETURN)}));
    EXPECT_EQ(Selection(tree), nullptr);
  });
}

TEST_F(TreeInputTest, DownGivesKeyDownThenMovesTheSelection) {
  FocusWithSelection(first);
  UINT action = 12345;
  OnNotify([&](NMHDR* header) -> LRESULT {
    if (header->code == TVN_SELCHANGEDW) action = reinterpret_cast<NMTREEVIEWW*>(header)->action;
    return 0;
  });
  RecordNotifications({TVN_KEYDOWN, TVN_SELCHANGINGW, TVN_SELCHANGEDW});
  host.PressKey(VK_DOWN);
  EXPECT_TRUE(recorder.Sequence(
      {Notified(TVN_KEYDOWN, 0), Notified(TVN_SELCHANGINGW, 0), Notified(TVN_SELCHANGEDW, 0)}));
  EXPECT_EQ(Selection(tree), second);
  EXPECT_EQ(action, UINT(TVC_BYKEYBOARD));
}

TEST_F(TreeInputTest, AKeyDownAnsweredTrueStillMovesTheSelection) {
  // The answer to TVN_KEYDOWN only keeps the key from the control's incremental search.
  FocusWithSelection(first);
  OnNotify([](NMHDR* header) -> LRESULT { return header->code == TVN_KEYDOWN ? TRUE : 0; });
  host.PressKey(VK_DOWN);
  EXPECT_EQ(Selection(tree), second);
}

TEST_F(TreeInputTest, EscapeAndTabReachTheTreeAsKeyDowns) {
  FocusWithSelection(first);
  std::vector<WORD> keys;
  OnNotify([&](NMHDR* header) -> LRESULT {
    if (header->code == TVN_KEYDOWN) keys.push_back(reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey);
    return 0;
  });
  host.PressKey(VK_ESCAPE);
  host.PressKey(VK_TAB);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_ESCAPE, VK_TAB}));
  EXPECT_EQ(GetFocus(), tree);
  EXPECT_EQ(Selection(tree), first);
}

TEST_F(TreeInputTest, TheTreeAsksADialogForArrowsAndCharactersOnly) {
  EXPECT_EQ(SendMessageW(tree, WM_GETDLGCODE, 0, 0), LRESULT(DLGC_WANTARROWS | DLGC_WANTCHARS));
}

// --- The focus ---

TEST_F(TreeInputTest, FocusWithNothingSelectedSelectsTheFirstShownItem) {
  UINT action = 12345;
  OnNotify([&](NMHDR* header) -> LRESULT {
    if (header->code == TVN_SELCHANGEDW) action = reinterpret_cast<NMTREEVIEWW*>(header)->action;
    return 0;
  });
  RecordNotifications({TVN_SELCHANGINGW, TVN_SELCHANGEDW, NM_SETFOCUS});
  SetFocus(tree);
  EXPECT_TRUE(recorder.Sequence({Notified(TVN_SELCHANGINGW), Notified(TVN_SELCHANGEDW), Notified(NM_SETFOCUS)}));
  EXPECT_EQ(Selection(tree), first);
  EXPECT_EQ(action, UINT(TVC_UNKNOWN));
}

TEST_F(TreeInputTest, FocusKeepsAnExistingSelection) {
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(third));
  RecordNotifications({TVN_SELCHANGINGW, TVN_SELCHANGEDW, NM_SETFOCUS});
  SetFocus(tree);
  EXPECT_TRUE(recorder.Sequence({Notified(NM_SETFOCUS)}));
  EXPECT_EQ(Selection(tree), third);
}

TEST_F(TreeInputTest, FocusScrolledToTheSecondItemSelectsTheFirstShownOne) {
  for (int i = 0; i < 30; ++i) InsertItem(tree, TVI_ROOT, TEXT("More"));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(second));
  ASSERT_EQ(NextItem(tree, nullptr, TVGN_FIRSTVISIBLE), second);
  SetFocus(tree);
  EXPECT_EQ(Selection(tree), second);
}

// --- The device's gesture question ---

TEST_F(TreeInputTest, APressFirstAsksTheParentAboutGesturesWithTheClientPoint) {
  CONFORMANCE_CE_ONLY("NM_RECOGNIZEGESTURE, learn.microsoft.com/en-us/previous-versions/bb416623(v=msdn.10): "
                      "ptAction has client coordinates; desktop trees send no such notification");
  // A tree whose client area does not start at the screen's origin (in place of the first tree,
  // which would lie above it).
  DestroyWindow(tree);
  HWND offset = CreateWindowExW(0, WC_TREEVIEWW, TEXT(""), kFolderTreeStyle, 20, 30, 150, 100, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId + 1)), host.Instance(), nullptr);
  ASSERT_NE(offset, nullptr);
  HTREEITEM item = InsertItem(offset, TVI_ROOT, TEXT("Item"));
  NMRGINFO gesture = {};
  std::vector<UINT> codes;
  OnNotify([&](NMHDR* header) -> LRESULT {
    if (header->hwndFrom != offset) return 0;
    codes.push_back(header->code);
    if (header->code == NM_RECOGNIZEGESTURE) gesture = *reinterpret_cast<NMRGINFO*>(header);
    return 0;
  });
  POINT label;
  ASSERT_TRUE(LabelPoint(offset, item, &label));
  host.Tap(offset, label);
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.front(), UINT(NM_RECOGNIZEGESTURE));
  EXPECT_EQ(gesture.dwItemSpec, static_cast<DWORD>(reinterpret_cast<uintptr_t>(item)));
  EXPECT_EQ(gesture.ptAction.x, label.x);
  EXPECT_EQ(gesture.ptAction.y, label.y);
}

class EmptyTreeTest : public TreeTest {};

TEST_F(EmptyTreeTest, FocusOnAnEmptyTreeSelectsNothing) {
  RecordNotifications({TVN_SELCHANGINGW, TVN_SELCHANGEDW, NM_SETFOCUS});
  SetFocus(tree);
  EXPECT_TRUE(recorder.Sequence({Notified(NM_SETFOCUS)}));
  EXPECT_EQ(Selection(tree), nullptr);
}

TEST_F(EmptyTreeTest, EnterInAnEmptyTreeTellsTheKeyAndSelectsNothing) {
  SetFocus(tree);
  host.Pump();
  RecordNotifications({TVN_KEYDOWN, TVN_SELCHANGINGW, TVN_SELCHANGEDW});
  host.PressKey(VK_RETURN);
  EXPECT_TRUE(recorder.Sequence({Notified(TVN_KEYDOWN)}));
  EXPECT_EQ(Selection(tree), nullptr);
}

}  // namespace
}  // namespace conformance
