// Expanding tree items as the Change Folder dialog does: the parent fills a branch while it is
// told that the branch opens (TVN_ITEMEXPANDINGW), and TVIS_EXPANDEDONCE tells it that it did so
// before. Expansions by message notify only until the item has been expanded once; the user's
// (a tap on the button) always notify. Also the children count that gives an item its button.
#include "tree_fixture.h"

namespace conformance {
namespace {

using foldwise_test::ExpectedMessage;

class TreeExpandTest : public TreeTest {
 protected:
  // A top-level item that says it has children but has none yet, and a parent that fills it
  // with two children the first time it is told that it expands.
  void FillOnFirstExpansion() {
    root = InsertItem(tree, TVI_ROOT, TEXT("Root"), TVI_LAST, 1);
    OnNotify([this](NMHDR* header) -> LRESULT {
      if (header->code != TVN_ITEMEXPANDINGW) return 0;
      const NMTREEVIEWW* expanding = reinterpret_cast<NMTREEVIEWW*>(header);
      stateWhileExpanding.push_back(ItemState(tree, expanding->itemNew.hItem));
      if (expanding->action == TVE_EXPAND && !(ItemState(tree, expanding->itemNew.hItem) & TVIS_EXPANDEDONCE)) {
        InsertItem(tree, expanding->itemNew.hItem, TEXT("One"));
        InsertItem(tree, expanding->itemNew.hItem, TEXT("Two"));
      }
      return 0;
    });
  }

  BOOL Expand(UINT code) {
    return static_cast<BOOL>(SendMessageW(tree, TVM_EXPAND, code, reinterpret_cast<LPARAM>(root)));
  }

  HTREEITEM root = nullptr;
  std::vector<UINT> stateWhileExpanding;
};

TEST_F(TreeExpandTest, ExpandingByMessageLetsTheParentFillTheBranch) {
  FillOnFirstExpansion();
  RecordNotifications({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW});
  EXPECT_TRUE(Expand(TVE_EXPAND));
  EXPECT_TRUE(recorder.Sequence({Notified(TVN_ITEMEXPANDINGW, 0), Notified(TVN_ITEMEXPANDEDW, 0)}));
  EXPECT_EQ(ChildTexts(tree, root), (std::vector<Text>{TEXT("One"), TEXT("Two")}));
  ASSERT_EQ(stateWhileExpanding.size(), 1u);
  EXPECT_EQ(stateWhileExpanding[0] & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);
  EXPECT_EQ(ItemState(tree, root) & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), UINT(TVIS_EXPANDED | TVIS_EXPANDEDONCE));
}

TEST_F(TreeExpandTest, TheNotificationsDescribeTheItem) {
  FillOnFirstExpansion();
  std::vector<NMTREEVIEWW> seen;
  OnNotify([this, &seen](NMHDR* header) -> LRESULT {
    if (header->code == TVN_ITEMEXPANDINGW && ItemChildren(tree, root) == 1 && NextItem(tree, root, TVGN_CHILD) == nullptr) {
      InsertItem(tree, root, TEXT("One"));
    }
    if (header->code == TVN_ITEMEXPANDINGW || header->code == TVN_ITEMEXPANDEDW) {
      seen.push_back(*reinterpret_cast<NMTREEVIEWW*>(header));
    }
    return 0;
  });
  Expand(TVE_EXPAND);
  ASSERT_EQ(seen.size(), 2u);
  for (const NMTREEVIEWW& notify : seen) {
    EXPECT_EQ(notify.action, UINT(TVE_EXPAND));
    EXPECT_EQ(notify.itemNew.hItem, root);
    EXPECT_EQ(notify.itemNew.mask & (TVIF_HANDLE | TVIF_STATE), UINT(TVIF_HANDLE | TVIF_STATE));
    EXPECT_EQ(notify.hdr.hwndFrom, tree);
    EXPECT_EQ(notify.hdr.idFrom, UINT_PTR(kTreeId));
  }
  EXPECT_EQ(seen[0].itemNew.state & TVIS_EXPANDED, 0u);
  EXPECT_EQ(seen[1].itemNew.state & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), UINT(TVIS_EXPANDED));
}

TEST_F(TreeExpandTest, ByMessageOnlyTheFirstExpansionNotifies) {
  FillOnFirstExpansion();
  Expand(TVE_EXPAND);
  RecordNotifications({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW});
  EXPECT_TRUE(Expand(TVE_COLLAPSE));
  EXPECT_TRUE(Expand(TVE_EXPAND));
  EXPECT_TRUE(recorder.Sequence({}));
  EXPECT_EQ(ItemState(tree, root) & TVIS_EXPANDED, UINT(TVIS_EXPANDED));
  EXPECT_EQ(ChildTexts(tree, root).size(), 2u);
}

TEST_F(TreeExpandTest, TheUsersExpansionsAlwaysNotifyAndTellThatTheBranchWasFilled) {
  FillOnFirstExpansion();
  POINT button;
  ASSERT_TRUE(ButtonPoint(tree, root, &button));
  RecordNotifications({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW});
  host.Tap(tree, button);  // opens
  host.Tap(tree, button);  // closes
  host.Tap(tree, button);  // opens again
  EXPECT_TRUE(recorder.Sequence({Notified(TVN_ITEMEXPANDINGW), Notified(TVN_ITEMEXPANDEDW),
                                 Notified(TVN_ITEMEXPANDINGW), Notified(TVN_ITEMEXPANDEDW),
                                 Notified(TVN_ITEMEXPANDINGW), Notified(TVN_ITEMEXPANDEDW)}));
  ASSERT_EQ(stateWhileExpanding.size(), 3u);
  EXPECT_EQ(stateWhileExpanding[0] & TVIS_EXPANDEDONCE, 0u);
  EXPECT_EQ(stateWhileExpanding[1] & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), UINT(TVIS_EXPANDED | TVIS_EXPANDEDONCE));
  EXPECT_EQ(stateWhileExpanding[2] & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), UINT(TVIS_EXPANDEDONCE));
  // Filled once: the third expansion found TVIS_EXPANDEDONCE and added nothing.
  EXPECT_EQ(ChildTexts(tree, root), (std::vector<Text>{TEXT("One"), TEXT("Two")}));
}

TEST_F(TreeExpandTest, ARefusedExpansionStaysClosedAndNotifiesAgainNextTime) {
  root = InsertItem(tree, TVI_ROOT, TEXT("Root"), TVI_LAST, 1);
  InsertItem(tree, root, TEXT("One"));
  OnNotify([](NMHDR* header) -> LRESULT { return header->code == TVN_ITEMEXPANDINGW ? TRUE : 0; });
  RecordNotifications({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW});
  EXPECT_FALSE(Expand(TVE_EXPAND));
  EXPECT_FALSE(Expand(TVE_EXPAND));
  EXPECT_TRUE(recorder.Sequence({Notified(TVN_ITEMEXPANDINGW), Notified(TVN_ITEMEXPANDINGW)}));
  EXPECT_EQ(ItemState(tree, root) & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);
}

TEST_F(TreeExpandTest, ABranchLeftEmptyDoesNotOpen) {
  root = InsertItem(tree, TVI_ROOT, TEXT("Root"), TVI_LAST, 1);
  RecordNotifications({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW});
  EXPECT_FALSE(Expand(TVE_EXPAND));
  EXPECT_FALSE(Expand(TVE_EXPAND));
  // Without children nothing opened, so the next expansion asks the parent again.
  EXPECT_TRUE(recorder.Sequence({Notified(TVN_ITEMEXPANDINGW), Notified(TVN_ITEMEXPANDINGW)}));
  EXPECT_EQ(ItemState(tree, root) & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);
  EXPECT_EQ(ItemChildren(tree, root), 1);
}

TEST_F(TreeExpandTest, AnItemWithoutChildrenIsNeverToldToExpand) {
  root = InsertItem(tree, TVI_ROOT, TEXT("Leaf"), TVI_LAST, 0);
  RecordNotifications({TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW});
  EXPECT_FALSE(Expand(TVE_EXPAND));
  POINT button;
  ASSERT_TRUE(ButtonPoint(tree, root, &button));
  host.Tap(tree, button);
  EXPECT_TRUE(recorder.Sequence({}));
}

// --- The children count ---

TEST_F(TreeExpandTest, AFirstChildGivesAChildlessItemItsChildren) {
  root = InsertItem(tree, TVI_ROOT, TEXT("Root"), TVI_LAST, 0);
  InsertItem(tree, root, TEXT("One"));
  EXPECT_EQ(ItemChildren(tree, root), 1);
}

TEST_F(TreeExpandTest, TheLastChildGoingLeavesAnExplicitChildrenCount) {
  // A children count that the caller set stays what the caller said; only a count that the
  // control keeps by itself follows the children.
  KnownWineDifference("tree-explicit-children-count-reset", "dlls/comctl32/tests/treeview.c, test_cchildren", [&] {
    root = InsertItem(tree, TVI_ROOT, TEXT("Root"), TVI_LAST, 1);
    HTREEITEM child = InsertItem(tree, root, TEXT("One"));
    ASSERT_TRUE(SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child)));
    EXPECT_EQ(ItemChildren(tree, root), 1);
  });
}

TEST_F(TreeExpandTest, TheLastChildGoingTakesACountOfItsOwnWithIt) {
  root = InsertItem(tree, TVI_ROOT, TEXT("Root"));
  HTREEITEM child = InsertItem(tree, root, TEXT("One"));
  ASSERT_TRUE(SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child)));
  EXPECT_EQ(ItemChildren(tree, root), 0);
}

TEST_F(TreeExpandTest, AChildrenCountSetAfterTheChildrenStays) {
  root = InsertItem(tree, TVI_ROOT, TEXT("Root"));
  InsertItem(tree, root, TEXT("One"));
  TVITEMW item = {};
  item.mask = TVIF_CHILDREN | TVIF_HANDLE;
  item.hItem = root;
  item.cChildren = 5;
  ASSERT_TRUE(SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(ItemChildren(tree, root), 5);
}

}  // namespace
}  // namespace conformance
