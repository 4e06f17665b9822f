// Destroying the tree (or its dialog) inside the tree's own notifications, as the Change Folder
// dialog closes itself on NM_CLICK, NM_RETURN and TVN_KEYDOWN. Which of these the real control
// survives depends on what it does after the notification returns (comctl32's treeview.c):
//
// - NM_CLICK: TREEVIEW_LButtonDown goes on to toggle or select through its freed state unless
//   the answer is nonzero (then it only calls SetFocus on its stale handle).
// - NM_RETURN: nothing follows it. TVN_KEYDOWN: TREEVIEW_KeyDown goes on with the key; for
//   Escape and Tab it does nothing more, for Enter it sends NM_RETURN and for the arrows it moves
//   the selection, both through its freed state.
// - TVN_ITEMEXPANDINGW: TREEVIEW_Expand reads the item's children afterwards unless the answer
//   is TRUE (the expansion is refused and it returns). TVN_ITEMEXPANDEDW: it marks the freed item
//   TVIS_EXPANDEDONCE afterwards.
// - A dialog procedure cannot answer nonzero after destroying its dialog: the answer is read from
//   DWL_MSGRESULT of the window that is gone, so the control hears 0.
//
// What the real control survives is tested on both platforms. Where it would go on with freed
// state, nothing safe can be watched on the desktop; there cesim must stop the test with a report
// naming the notification, instead of surviving what a device would not.
#include "tree_fixture.h"

namespace conformance {
namespace {

class TreeDestroyTest : public TreeTest {
 protected:
  void SetUp() override {
    TreeTest::SetUp();
    folder = InsertItem(tree, TVI_ROOT, TEXT("Folder"), TVI_LAST, 1);
    other = InsertItem(tree, TVI_ROOT, TEXT("Other"));
    last = InsertItem(tree, TVI_ROOT, TEXT("Last"));
  }

  // The parent destroys the tree when it is told `code`, and answers `answer`.
  void DestroyTreeOn(UINT code, LRESULT answer) {
    OnNotify([this, code, answer](NMHDR* header) -> LRESULT {
      if (header->code != code) return 0;
      DestroyWindow(tree);
      return answer;
    });
  }

  void TapLabel(HTREEITEM item) {
    POINT label;
    ASSERT_TRUE(LabelPoint(tree, item, &label));
    host.Tap(tree, label);
  }

  HTREEITEM folder = nullptr;
  HTREEITEM other = nullptr;
  HTREEITEM last = nullptr;
};

// --- What the control survives ---

TEST_F(TreeDestroyTest, DestroyedInAClickAnsweredTrue) {
  FocusWithSelection(other);
  DestroyTreeOn(NM_CLICK, TRUE);
  RecordNotifications({NM_CLICK, TVN_SELCHANGINGW, TVN_SELCHANGEDW, NM_SETFOCUS});
  TapLabel(last);
  EXPECT_TRUE(recorder.Sequence({Notified(NM_CLICK, 0)}));
  EXPECT_FALSE(IsWindow(tree));
  EXPECT_TRUE(IsWindow(parent));
}

TEST_F(TreeDestroyTest, DestroyedInReturn) {
  FocusWithSelection(other);
  DestroyTreeOn(NM_RETURN, 0);
  RecordNotifications({TVN_KEYDOWN, NM_RETURN, TVN_SELCHANGINGW, TVN_SELCHANGEDW});
  host.PressKey(VK_RETURN);
  EXPECT_TRUE(recorder.Sequence({Notified(TVN_KEYDOWN, 0), Notified(NM_RETURN, 0)}));
  EXPECT_FALSE(IsWindow(tree));
}

TEST_F(TreeDestroyTest, DestroyedInTheKeyDownOfEscape) {
  FocusWithSelection(other);
  DestroyTreeOn(TVN_KEYDOWN, 0);
  RecordNotifications({TVN_KEYDOWN, NM_RETURN, TVN_SELCHANGINGW, TVN_SELCHANGEDW});
  host.PressKey(VK_ESCAPE);
  EXPECT_TRUE(recorder.Sequence({Notified(TVN_KEYDOWN, 0)}));
  EXPECT_FALSE(IsWindow(tree));
}

TEST_F(TreeDestroyTest, DestroyedInTheKeyDownOfTab) {
  FocusWithSelection(other);
  DestroyTreeOn(TVN_KEYDOWN, 0);
  host.PressKey(VK_TAB);
  EXPECT_FALSE(IsWindow(tree));
  EXPECT_TRUE(IsWindow(parent));
}

TEST_F(TreeDestroyTest, DestroyedInARefusedExpansion) {
  DestroyTreeOn(TVN_ITEMEXPANDINGW, TRUE);
  RecordNotifications({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW});
  EXPECT_FALSE(SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(folder)));
  EXPECT_TRUE(recorder.Sequence({Notified(TVN_ITEMEXPANDINGW, 0)}));
  EXPECT_FALSE(IsWindow(tree));
}

TEST_F(TreeDestroyTest, ADialogThatDestroyedItselfAnswersZero) {
  // The dialog procedure sets DWL_MSGRESULT and returns TRUE, but its window is gone.
  DialogTemplate shape(WS_POPUP, 100, 60);
  HWND dialog = CreateTestDialog(host, shape, parent, [](HWND self, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message != WM_NOTIFY) return false;
    SetWindowLongPtrW(self, DWL_MSGRESULT, TRUE);
    DestroyWindow(self);
    *result = TRUE;
    return true;
  });
  ASSERT_NE(dialog, nullptr);
  NMHDR header = {};
  header.hwndFrom = tree;
  header.idFrom = kTreeId;
  header.code = NM_CLICK;
  EXPECT_EQ(SendMessageW(dialog, WM_NOTIFY, kTreeId, reinterpret_cast<LPARAM>(&header)), 0);
  EXPECT_FALSE(IsWindow(dialog));
}

// --- What the control does not survive: cesim reports it ---

TEST_F(TreeDestroyTest, DestroyedInAClickAnsweredFalseIsReported) {
  CONFORMANCE_CESIM_ONLY("the control toggles or selects with freed state after NM_CLICK");
  FocusWithSelection(other);
  DestroyTreeOn(NM_CLICK, 0);
  EXPECT_DEATH(TapLabel(last), "NM_CLICK");
}

TEST_F(TreeDestroyTest, DestroyedWithItsDialogInAClickIsReported) {
  // The Change Folder dialog's way: the dialog is destroyed, so the answer is 0 whatever it says.
  CONFORMANCE_CESIM_ONLY("the control toggles or selects with freed state after NM_CLICK");
  DialogTemplate shape(WS_POPUP | WS_VISIBLE, 100, 100);
  shape.Add(WC_TREEVIEWW, kTreeId, kFolderTreeStyle, 0, 0, 100, 100);
  HWND dialog = CreateTestDialog(host, shape, parent, [](HWND self, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != NM_CLICK) return false;
    DestroyWindow(self);
    *result = TRUE;
    return true;
  });
  ASSERT_NE(dialog, nullptr);
  HWND dialogTree = GetDlgItem(dialog, kTreeId);
  HTREEITEM item = InsertItem(dialogTree, TVI_ROOT, TEXT("Item"));
  POINT label;
  ASSERT_TRUE(LabelPoint(dialogTree, item, &label));
  EXPECT_DEATH(host.Tap(dialogTree, label), "NM_CLICK");
}

TEST_F(TreeDestroyTest, DestroyedInTheKeyDownOfEnterIsReported) {
  CONFORMANCE_CESIM_ONLY("the control sends NM_RETURN with freed state after TVN_KEYDOWN");
  FocusWithSelection(other);
  DestroyTreeOn(TVN_KEYDOWN, 0);
  EXPECT_DEATH(host.PressKey(VK_RETURN), "TVN_KEYDOWN");
}

TEST_F(TreeDestroyTest, DestroyedInTheKeyDownOfAnArrowIsReported) {
  CONFORMANCE_CESIM_ONLY("the control moves its selection with freed state after TVN_KEYDOWN");
  FocusWithSelection(other);
  DestroyTreeOn(TVN_KEYDOWN, 0);
  EXPECT_DEATH(host.PressKey(VK_DOWN), "TVN_KEYDOWN");
}

TEST_F(TreeDestroyTest, DestroyedInAnAllowedExpansionIsReported) {
  CONFORMANCE_CESIM_ONLY("the control reads the item's children with freed state after TVN_ITEMEXPANDINGW");
  DestroyTreeOn(TVN_ITEMEXPANDINGW, 0);
  EXPECT_DEATH(SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(folder)), "TVN_ITEMEXPANDING");
}

TEST_F(TreeDestroyTest, DestroyedWhenToldThatABranchOpenedIsReported) {
  CONFORMANCE_CESIM_ONLY("the control marks the freed item TVIS_EXPANDEDONCE after TVN_ITEMEXPANDEDW");
  InsertItem(tree, folder, TEXT("Child"));
  DestroyTreeOn(TVN_ITEMEXPANDEDW, 0);
  EXPECT_DEATH(SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(folder)), "TVN_ITEMEXPANDED");
}

}  // namespace
}  // namespace conformance
