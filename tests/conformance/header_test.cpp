// The header control as a list view's report view uses it, and on its own: items stand side by
// side, each change is asked (HDN_ITEMCHANGINGW, which the parent may refuse) and told, HDM_LAYOUT
// takes the header's height from the top, and dragging a divider tracks and resizes the item. A
// list view passes its header's notifications on to its own parent (the header stays the sender)
// except the start of a drag and the changes the list itself makes to a column's other attributes.
#include <vector>

#include "list_fixture.h"

namespace conformance {
namespace {

using foldwise_test::ExpectedMessage;

class HeaderControlTest : public ControlParentTest {
 protected:
  HWND Create(DWORD style) {
    header = CreateWindowExW(0, WC_HEADERW, nullptr, WS_CHILD | WS_VISIBLE | HDS_HORZ | style, 0, 0, 200, 20, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(2020)), host.Instance(), nullptr);
    return header;
  }

  int Insert(int index, int width) {
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    return static_cast<int>(
        SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
  }

  int WidthOf(int index) {
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return -1;
    return item.cxy;
  }

  RECT ItemRect(int index) {
    RECT rect = {-1, -1, -1, -1};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
  }

  HWND header = nullptr;
};

// The stylus on a header, at a point of its top row: the header follows the button itself (it
// takes the capture on the press), so the messages go to it as the input would.
void Stylus(HWND header, UINT message, int x) {
  SendMessageW(header, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 8));
}

TEST_F(HeaderControlTest, ItemsStandSideBySide) {
  Create(0);
  EXPECT_EQ(Insert(0, 80), 0);
  EXPECT_EQ(Insert(9, 40), 1);
  EXPECT_EQ(Insert(-1, 40), -1);
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
  RECT second = ItemRect(1);
  EXPECT_EQ(second.left, 80);
  EXPECT_EQ(second.right, 120);
  EXPECT_EQ(WidthOf(2), -1);
}

TEST_F(HeaderControlTest, SettingAnItemTellsTheParentBeforeAndAfterWithACopyOfTheCallersItem) {
  Create(0);
  Insert(0, 80);
  Insert(1, 40);
  std::vector<const HDITEMW*> told;
  OnNotify([&](NMHDR* hdr) -> LRESULT {
    told.push_back(reinterpret_cast<NMHEADERW*>(hdr)->pitem);
    return 0;
  });
  RecordNotifications({HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW});
  HDITEMW item = {};
  item.mask = HDI_WIDTH;
  item.cxy = 55;
  EXPECT_TRUE(SendMessageW(header, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_TRUE(recorder.Sequence({
      Note(HDN_ITEMCHANGINGW, HeaderWidth(1, 55)),
      Note(HDN_ITEMCHANGEDW, HeaderWidth(1, 55)),
  }));
  ASSERT_FALSE(told.empty());
  EXPECT_NE(told[0], &item);
  EXPECT_EQ(WidthOf(1), 55);
}

TEST_F(HeaderControlTest, ParentRefusingAChangeKeepsTheItem) {
  Create(0);
  Insert(0, 80);
  OnNotify([](NMHDR* hdr) -> LRESULT { return hdr->code == HDN_ITEMCHANGINGW ? TRUE : 0; });
  HDITEMW item = {};
  item.mask = HDI_WIDTH;
  item.cxy = 20;
  EXPECT_FALSE(SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(WidthOf(0), 80);
}

TEST_F(HeaderControlTest, LayoutTakesTheTopOfTheRectangleUnlessHidden) {
  Create(0);
  RECT rect = {4, 10, 180, 200};
  WINDOWPOS pos = {};
  HDLAYOUT layout = {&rect, &pos};
  EXPECT_TRUE(SendMessageW(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
  EXPECT_EQ(pos.hwnd, header);
  EXPECT_EQ(pos.x, 4);
  EXPECT_EQ(pos.y, 10);
  EXPECT_EQ(pos.cx, 176);
  EXPECT_GT(pos.cy, 0);
  EXPECT_EQ(rect.top, 10 + pos.cy);
  SetWindowLongW(header, GWL_STYLE, GetWindowLongW(header, GWL_STYLE) | HDS_HIDDEN);
  rect = RECT{4, 10, 180, 200};
  EXPECT_TRUE(SendMessageW(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
  EXPECT_EQ(pos.cy, 0);
  EXPECT_EQ(rect.top, 10);
}

TEST_F(HeaderControlTest, DraggingADividerWithFullDragResizesAsTheStylusMoves) {
  Create(HDS_FULLDRAG);
  Insert(0, 80);
  Insert(1, 40);
  RecordNotifications({HDN_BEGINTRACKW, HDN_TRACKW, HDN_ENDTRACKW, HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW});
  Stylus(header, WM_LBUTTONDOWN, 79);
  Stylus(header, WM_MOUSEMOVE, 99);
  Stylus(header, WM_MOUSEMOVE, 119);
  Stylus(header, WM_LBUTTONUP, 119);
  EXPECT_TRUE(recorder.Sequence({
      Note(HDN_BEGINTRACKW, HeaderWidth(0, 80)),
      Note(HDN_ITEMCHANGINGW, HeaderWidth(0, 100)),
      Note(HDN_ITEMCHANGEDW, HeaderWidth(0, 100)),
      Note(HDN_ITEMCHANGINGW, HeaderWidth(0, 120)),
      Note(HDN_ITEMCHANGEDW, HeaderWidth(0, 120)),
      Note(HDN_ENDTRACKW, HeaderWidth(0, 120)),
      Note(HDN_ITEMCHANGINGW, HeaderWidth(0, 120)),
      Note(HDN_ITEMCHANGEDW, HeaderWidth(0, 120)),
  }));
  EXPECT_EQ(WidthOf(0), 120);
  EXPECT_EQ(ItemRect(1).left, 120);
}

TEST_F(HeaderControlTest, DraggingADividerWithoutFullDragTracksThenSetsTheWidth) {
  Create(0);
  Insert(0, 80);
  RecordNotifications({HDN_BEGINTRACKW, HDN_TRACKW, HDN_ENDTRACKW, HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW});
  Stylus(header, WM_LBUTTONDOWN, 79);
  Stylus(header, WM_MOUSEMOVE, 49);
  Stylus(header, WM_LBUTTONUP, 49);
  EXPECT_TRUE(recorder.Sequence({
      Note(HDN_BEGINTRACKW, HeaderWidth(0, 80)),
      Note(HDN_TRACKW, HeaderWidth(0, 50)),
      Note(HDN_ENDTRACKW, HeaderWidth(0, 50)),
      Note(HDN_ITEMCHANGINGW, HeaderWidth(0, 50)),
      Note(HDN_ITEMCHANGEDW, HeaderWidth(0, 50)),
  }));
  EXPECT_EQ(WidthOf(0), 50);
}

TEST_F(HeaderControlTest, ParentRefusingToTrackLeavesTheDivider) {
  Create(HDS_FULLDRAG);
  Insert(0, 80);
  OnNotify([](NMHDR* hdr) -> LRESULT { return hdr->code == HDN_BEGINTRACKW ? TRUE : 0; });
  RecordNotifications({HDN_BEGINTRACKW, HDN_TRACKW, HDN_ENDTRACKW, HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW});
  Stylus(header, WM_LBUTTONDOWN, 79);
  Stylus(header, WM_MOUSEMOVE, 40);
  Stylus(header, WM_LBUTTONUP, 40);
  EXPECT_TRUE(recorder.Sequence({Note(HDN_BEGINTRACKW, HeaderWidth(0, 80))}));
  EXPECT_EQ(WidthOf(0), 80);
}

// --- The header of a list view ---

class ListHeaderTest : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    Create(LVS_REPORT);
    AddColumn(80);
    AddColumn(60);
    header = Header();
    OnNotify([this](NMHDR* hdr) -> LRESULT {
      if (watched_.count(hdr->code) != 0) senders.push_back(hdr->hwndFrom);
      return 0;
    });
  }

  // Records these notifications at the parent and who sent them.
  void Watch(std::set<UINT> codes) {
    watched_ = codes;
    RecordNotifications(std::move(codes));
  }

  HWND header = nullptr;
  std::vector<HWND> senders;  // of the watched notifications

 private:
  std::set<UINT> watched_;
};

TEST_F(ListHeaderTest, TheListPassesTheEndOfADividerDragOnButNotItsStart) {
  // The list keeps HDN_BEGINTRACKW to itself: its parent cannot refuse the drag
  // (dlls/comctl32/tests/listview.c, test_header_notification2: HDN_BEGINTRACKW leaves the parent's
  // sequence empty, checked without the todo flag, so on Windows as well).
  Watch({HDN_BEGINTRACKW, HDN_ENDTRACKW});
  Stylus(header, WM_LBUTTONDOWN, 79);
  Stylus(header, WM_MOUSEMOVE, 99);
  Stylus(header, WM_LBUTTONUP, 99);
  EXPECT_TRUE(recorder.Sequence({Note(HDN_ENDTRACKW, HeaderWidth(0, 100))}));
  EXPECT_EQ(senders, std::vector<HWND>(1, header));
  EXPECT_EQ(Width(0), 100);
}

TEST_F(ListHeaderTest, ATitleChangeStaysBetweenTheListAndItsHeader) {
  // dlls/comctl32/tests/listview.c, test_header_notification: LVM_SETCOLUMN with a text leaves the
  // parent's sequence empty.
  Watch({HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW});
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<LPWSTR>(TEXT("Name"));
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)));
  EXPECT_TRUE(recorder.Sequence({}));
  EXPECT_TRUE(senders.empty());
}

TEST_F(ListHeaderTest, WidthChangesReachTheListsParentFromTheHeader) {
  KnownWineDifference("list-passes-header-item-changes-on",
                      "dlls/comctl32/tests/listview.c, test_header_notification2", [&] {
    Watch({HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW});
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    item.cxy = 77;
    EXPECT_TRUE(SendMessageW(header, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(64, 0)));
    EXPECT_TRUE(recorder.Sequence({
        Note(HDN_ITEMCHANGINGW, HeaderWidth(1, 77)),
        Note(HDN_ITEMCHANGEDW, HeaderWidth(1, 77)),
        Note(HDN_ITEMCHANGINGW, HeaderWidth(0, 64)),
        Note(HDN_ITEMCHANGEDW, HeaderWidth(0, 64)),
    }));
    EXPECT_EQ(senders, std::vector<HWND>(4, header));
    EXPECT_EQ(Width(1), 77);
  });
}

}  // namespace
}  // namespace conformance
