// TVM_HITTEST, which the Change Folder dialog asks after each NM_CLICK to tell a tap on a folder
// (TVHT_ONITEM) from a tap on its expand button or beside it. Points are taken from the item's
// own rectangles (TVM_GETITEMRECT) and indent, so that the fonts of either platform do not
// matter. Without image lists an item has no icon: its label follows its button column.
#include "tree_fixture.h"

namespace conformance {
namespace {

// Where Wine's own tests record Windows' hit test of a childless item.
const char kWineHitTestTest[] = "dlls/comctl32/tests/treeview.c, test_TVM_HITTEST";

class TreeHitTest : public TreeTest {
 protected:
  void SetUp() override {
    TreeTest::SetUp();
    folder = InsertItem(tree, TVI_ROOT, TEXT("Folder"));
    child = InsertItem(tree, folder, TEXT("Child"));
    leaf = InsertItem(tree, TVI_ROOT, TEXT("Leaf"), TVI_LAST, 0);
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(folder));
  }

  HTREEITEM folder = nullptr;
  HTREEITEM child = nullptr;
  HTREEITEM leaf = nullptr;
};

TEST_F(TreeHitTest, TheLabelIsOnTheItem) {
  POINT point;
  ASSERT_TRUE(LabelPoint(tree, child, &point));
  TVHITTESTINFO hit = HitTest(tree, point);
  EXPECT_EQ(hit.hItem, child);
  EXPECT_EQ(hit.flags, UINT(TVHT_ONITEMLABEL));
  EXPECT_NE(hit.flags & TVHT_ONITEM, 0u);
}

TEST_F(TreeHitTest, TheButtonOfAnItemWithChildrenIsNotOnTheItem) {
  POINT point;
  ASSERT_TRUE(ButtonPoint(tree, folder, &point));
  TVHITTESTINFO hit = HitTest(tree, point);
  EXPECT_EQ(hit.hItem, folder);
  EXPECT_EQ(hit.flags, UINT(TVHT_ONITEMBUTTON));
  EXPECT_EQ(hit.flags & TVHT_ONITEM, 0u);
}

TEST_F(TreeHitTest, TheButtonColumnOfAChildlessItemIsItsIndent) {
  // A childless item has no button: the column where it would be is indent, in its middle and
  // right left of the label, where Wine's test looks (Wine reports the button there).
  KnownWineDifference("tree-hit-test-childless-button-column", kWineHitTestTest, [&] {
    POINT point;
    ASSERT_TRUE(ButtonPoint(tree, child, &point));
    TVHITTESTINFO hit = HitTest(tree, point);
    EXPECT_EQ(hit.hItem, child);
    EXPECT_EQ(hit.flags, UINT(TVHT_ONITEMINDENT));
    RECT label;
    ASSERT_TRUE(LabelRect(tree, child, &label));
    hit = HitTest(tree, POINT{label.left - 1, label.top});
    EXPECT_EQ(hit.hItem, child);
    EXPECT_EQ(hit.flags, UINT(TVHT_ONITEMINDENT));
  });
}

TEST_F(TreeHitTest, RightOfTheLabelIsBesideTheItem) {
  POINT point;
  ASSERT_TRUE(RightOfLabelPoint(tree, leaf, &point));
  TVHITTESTINFO hit = HitTest(tree, point);
  EXPECT_EQ(hit.hItem, leaf);
  EXPECT_EQ(hit.flags, UINT(TVHT_ONITEMRIGHT));
  EXPECT_EQ(hit.flags & TVHT_ONITEM, 0u);
}

TEST_F(TreeHitTest, LeftOfAChildsButtonIsItsIndent) {
  POINT point;
  ASSERT_TRUE(ButtonPoint(tree, child, &point));
  int indent = static_cast<int>(SendMessageW(tree, TVM_GETINDENT, 0, 0));
  point.x -= indent;
  TVHITTESTINFO hit = HitTest(tree, point);
  EXPECT_EQ(hit.hItem, child);
  EXPECT_EQ(hit.flags, UINT(TVHT_ONITEMINDENT));
}

TEST_F(TreeHitTest, BelowTheLastItemIsNowhere) {
  POINT point;
  ASSERT_TRUE(LabelPoint(tree, leaf, &point));
  RECT client;
  GetClientRect(tree, &client);
  point.y = client.bottom - 2;
  TVHITTESTINFO hit = HitTest(tree, point);
  EXPECT_EQ(hit.hItem, nullptr);
  EXPECT_EQ(hit.flags, UINT(TVHT_NOWHERE));
  EXPECT_EQ(SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
}

TEST_F(TreeHitTest, OutsideTheClientAreaSaysWhichSide) {
  RECT client;
  GetClientRect(tree, &client);
  EXPECT_EQ(HitTest(tree, POINT{-5, 5}).flags, UINT(TVHT_TOLEFT));
  EXPECT_EQ(HitTest(tree, POINT{client.right + 5, 5}).flags, UINT(TVHT_TORIGHT));
  EXPECT_EQ(HitTest(tree, POINT{5, -5}).flags, UINT(TVHT_ABOVE));
  EXPECT_EQ(HitTest(tree, POINT{5, client.bottom + 5}).flags, UINT(TVHT_BELOW));
  EXPECT_EQ(HitTest(tree, POINT{-5, client.bottom + 5}).flags, UINT(TVHT_TOLEFT | TVHT_BELOW));
  EXPECT_EQ(HitTest(tree, POINT{-5, -5}).hItem, nullptr);
}

TEST_F(TreeHitTest, TheResultIsTheItem) {
  POINT point;
  ASSERT_TRUE(LabelPoint(tree, folder, &point));
  TVHITTESTINFO hit = {};
  hit.pt = point;
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))), folder);
}

}  // namespace
}  // namespace conformance
