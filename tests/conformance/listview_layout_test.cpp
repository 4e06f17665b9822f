// Where the list view's items stand: the module switches between the report view with and without
// its header and the icon view through the window style, hit-tests taps, and scrolls the rows.
#include "list_fixture.h"

namespace conformance {
namespace {

class ListLayoutTest : public ListTest {};

TEST_F(ListLayoutTest, IconSpacingAnswersWithThePreviousSpacing) {
  Create(LVS_ICON);
  LRESULT first = SendMessageW(list, LVM_SETICONSPACING, 0, MAKELPARAM(80, 70));
  EXPECT_NE(first, 0);
  EXPECT_EQ(SendMessageW(list, LVM_SETICONSPACING, 0, MAKELPARAM(90, 60)), MAKELONG(80, 70));
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0), MAKELONG(90, 60));
}

TEST_F(ListLayoutTest, TheWindowStyleSwitchesTheViewAndHidesTheHeader) {
  // The module's three list styles, each applied as (style & ~0x4003) | value.
  Create(LVS_REPORT);
  AddColumn(100);
  Fill(3);
  HWND header = Header();
  int headerBottom = ItemRect(0, LVIR_BOUNDS).top;
  EXPECT_GT(headerBottom, 0);
  // Report rows: one below the other.
  EXPECT_EQ(Position(1).x, Position(0).x);
  EXPECT_GT(Position(1).y, Position(0).y);
  // "Detail": the report view without its header.
  SetStyle(LVS_REPORT | LVS_NOCOLUMNHEADER, LVS_TYPEMASK | LVS_NOCOLUMNHEADER);
  EXPECT_FALSE(IsWindowVisible(header));
  EXPECT_LT(ItemRect(0, LVIR_BOUNDS).top, headerBottom);
  // "Icon": icons side by side.
  SetStyle(LVS_ICON | LVS_NOCOLUMNHEADER, LVS_TYPEMASK | LVS_NOCOLUMNHEADER);
  SendMessageW(list, LVM_ARRANGE, LVA_DEFAULT, 0);
  EXPECT_GT(Position(1).x, Position(0).x);
  EXPECT_EQ(Position(1).y, Position(0).y);
  EXPECT_FALSE(IsWindowVisible(header));
  // "Detail with Header": the report view and its header again.
  SetStyle(LVS_REPORT, LVS_TYPEMASK | LVS_NOCOLUMNHEADER);
  EXPECT_EQ(Header(), header);
  EXPECT_TRUE(IsWindowVisible(header));
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).top, headerBottom);
  EXPECT_EQ(Width(0), 100);
}

TEST_F(ListLayoutTest, HitTestsFindTheItemAndTheSubItemUnderAPoint) {
  Create(LVS_REPORT);
  AddColumn(100);
  AddColumn(60);
  Fill(3);
  SetSubText(2, 1, TEXT("x"));
  LVHITTESTINFO hit = {};
  hit.pt = LabelMiddle(2);
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 2);
  EXPECT_EQ(hit.iItem, 2);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
  RECT sub = {LVIR_BOUNDS, 1, 0, 0};
  EXPECT_TRUE(SendMessageW(list, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&sub)));
  EXPECT_EQ(sub.left, 100);
  hit = LVHITTESTINFO{};
  hit.pt = POINT{(sub.left + sub.right) / 2, (sub.top + sub.bottom) / 2};
  EXPECT_EQ(SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 2);
  EXPECT_EQ(hit.iSubItem, 1);
  // Below the last row is nowhere.
  RECT last = ItemRect(2, LVIR_BOUNDS);
  hit = LVHITTESTINFO{};
  hit.pt = POINT{20, last.bottom + 3};
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_NOWHERE));
}

TEST_F(ListLayoutTest, EnsureVisibleAndScrollMoveTheTopRow) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(40);
  int page = CountPerPage();
  ASSERT_GT(page, 1);
  EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 30, FALSE));
  EXPECT_EQ(TopIndex(), 30 - page + 1);
  EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 2, FALSE));
  EXPECT_EQ(TopIndex(), 2);
  // LVM_SCROLL goes by pixels, in whole rows in the report view.
  RECT row = ItemRect(0, LVIR_BOUNDS);
  EXPECT_TRUE(SendMessageW(list, LVM_SCROLL, 0, 3 * (row.bottom - row.top)));
  EXPECT_EQ(TopIndex(), 5);
}

}  // namespace
}  // namespace conformance
