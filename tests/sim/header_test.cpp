// The header control against the platform's documented behaviour: items inserted, read, changed
// (with the parent told before and after, and able to refuse), laid out and hit-tested; texts the
// parent keeps (HDN_GETDISPINFOW); dividers dragged with the stylus with and without HDS_FULLDRAG;
// item taps; and parents that destroy the header while it notifies them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "control_checks.h"
#include "list_notifications.h"
#include "message_recorder.h"
#include "notify_parent.h"

namespace {

using foldwise_test::Code;
using foldwise_test::ExpectedMessage;
using foldwise_test::MessageRecorder;

constexpr int kHeaderId = 2020;

ExpectedMessage Note(UINT code, const std::string& detail = std::string()) {
  ExpectedMessage row;
  row.window = "parent";
  row.message = WM_NOTIFY;
  row.wParam = kHeaderId;
  row.lParam = Code(code);
  row.depth = 0;
  if (!detail.empty()) row.detail = detail;
  return row;
}

std::string Width(int item, int width) { return "item " + std::to_string(item) + " mask 0x1 width " + std::to_string(width); }

class HeaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device.Boot());
    ASSERT_TRUE(host.Create());
    parent = host.hwnd();
  }
  void TearDown() override { onNotify = nullptr; }

  // A header of 200 x 16 pixels at the top of the parent.
  HWND Create(DWORD style) {
    header = CreateWindowExW(0, WC_HEADERW, nullptr, WS_CHILD | WS_VISIBLE | HDS_HORZ | style, 0, 0, 200, 16, parent,
                             reinterpret_cast<HMENU>(kHeaderId), nullptr, nullptr);
    return header;
  }

  void Record(MessageRecorder& recorder) {
    recorder.Name(parent, "parent");
    recorder.DescribeNotifications(&foldwise_test::DescribeListNotification);
  }

  int Insert(int index, int width, LPCWSTR text = nullptr, LPARAM param = 0) {
    HDITEMW item = {};
    item.mask = HDI_WIDTH | HDI_LPARAM | (text != nullptr ? HDI_TEXT : 0u);
    item.cxy = width;
    item.pszText = const_cast<LPWSTR>(text);
    item.lParam = param;
    return static_cast<int>(SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
  }

  int Count() { return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); }

  int WidthOf(int index) {
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return -1;
    return item.cxy;
  }

  BOOL SetWidth(int index, int width) {
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    return static_cast<BOOL>(SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
  }

  std::u16string TextOf(int index, int size = 64) {
    std::vector<WCHAR> buffer(static_cast<size_t>(size) + 1, u'#');
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = buffer.data();
    item.cchTextMax = size;
    if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return u"<none>";
    return buffer.data();
  }

  RECT ItemRect(int index) {
    RECT rect = {-1, -1, -1, -1};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
  }

  HDHITTESTINFO HitTest(int x, int y) {
    HDHITTESTINFO info = {};
    info.pt = {x, y};
    info.iItem = 77;
    SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    return info;
  }

  // Real stylus input through the device's queue, at client points of the header.
  void Press(int x) { SendStylus(WM_LBUTTONDOWN, x); }
  void Move(int x) { SendStylus(WM_MOUSEMOVE, x); }
  void Lift(int x) { SendStylus(WM_LBUTTONUP, x); }
  void SendStylus(UINT message, int x) {
    if (!IsWindow(header)) return;
    SendMessageW(header, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 8));
  }

  foldwise_test::BootedDevice device;
  foldwise_test::NotifyParent host;
  std::function<LRESULT(NMHDR*)>& onNotify = host.onNotify;  // cleared before the windows go
  HWND parent = nullptr;
  HWND header = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Items.

TEST_F(HeaderTest, ItemsAreInsertedCountedAndReadBack) {
  Create(0);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(Insert(0, 80, u"Name", 11), 0);
  EXPECT_EQ(Insert(5, 40, u"Size", 12), 1);  // past the end: appended
  EXPECT_EQ(Insert(1, 60, u"Type", 13), 1);  // in between: the later items move up
  EXPECT_EQ(Count(), 3);
  EXPECT_EQ(TextOf(0), u"Name");
  EXPECT_EQ(TextOf(1), u"Type");
  EXPECT_EQ(TextOf(2), u"Size");
  HDITEMW item = {};
  item.mask = HDI_WIDTH | HDI_LPARAM | HDI_FORMAT | HDI_ORDER;
  EXPECT_TRUE(SendMessageW(header, HDM_GETITEMW, 2, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.cxy, 40);
  EXPECT_EQ(item.lParam, 12);
  EXPECT_EQ(item.fmt & HDF_STRING, HDF_STRING);
  EXPECT_EQ(item.iOrder, 2);
  // Inserting tells the parent nothing.
  MessageRecorder recorder;
  Record(recorder);
  Insert(0, 10);
  EXPECT_TRUE(recorder.Recorded().empty());
}

TEST_F(HeaderTest, BadInsertsAndReadsAreRefused) {
  Create(0);
  Insert(0, 80, u"Name");
  EXPECT_EQ(Insert(-1, 10), -1);
  EXPECT_EQ(SendMessageW(header, HDM_INSERTITEMW, 0, 0), -1);
  HDITEMW empty = {};
  EXPECT_EQ(SendMessageW(header, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&empty)), -1);  // no mask
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(WidthOf(1), -1);
  EXPECT_EQ(WidthOf(-1), -1);
  EXPECT_FALSE(SendMessageW(header, HDM_GETITEMW, 0, 0));
  EXPECT_FALSE(SetWidth(1, 10));
  EXPECT_FALSE(SendMessageW(header, HDM_SETITEMW, 0, 0));
  EXPECT_FALSE(SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&empty)));
  EXPECT_FALSE(SendMessageW(header, HDM_GETITEMRECT, 0, 0));
  EXPECT_FALSE(SendMessageW(header, HDM_DELETEITEM, 3, 0));
  // A mask of nothing asks nothing and succeeds.
  EXPECT_TRUE(SendMessageW(header, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&empty)));
}

TEST_F(HeaderTest, TextsAreCutToTheBufferWithTheirTerminator) {
  Create(0);
  Insert(0, 80, u"Modified");
  EXPECT_EQ(TextOf(0, 4), u"Mod");
  EXPECT_EQ(TextOf(0, 1), u"");
}

TEST_F(HeaderTest, DeletingAnItemMovesTheLaterOnesDown) {
  Create(0);
  Insert(0, 80, u"Name");
  Insert(1, 40, u"Size");
  EXPECT_TRUE(SendMessageW(header, HDM_DELETEITEM, 0, 0));
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(TextOf(0), u"Size");
  EXPECT_EQ(ItemRect(0).left, 0);
  EXPECT_EQ(ItemRect(0).right, 40);
}

TEST_F(HeaderTest, ItemsStandSideBySideInTheirOrder) {
  Create(0);
  Insert(0, 80);
  Insert(1, 40);
  Insert(2, 30);
  RECT second = ItemRect(1);
  EXPECT_EQ(second.left, 80);
  EXPECT_EQ(second.right, 120);
  EXPECT_EQ(second.top, 0);
  EXPECT_EQ(second.bottom, 16);
  int order[3] = {2, 0, 1};
  EXPECT_TRUE(SendMessageW(header, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(order)));
  EXPECT_EQ(ItemRect(2).left, 0);
  EXPECT_EQ(ItemRect(0).left, 30);
  EXPECT_EQ(SendMessageW(header, HDM_ORDERTOINDEX, 0, 0), 2);
  int read[3] = {};
  EXPECT_TRUE(SendMessageW(header, HDM_GETORDERARRAY, 3, reinterpret_cast<LPARAM>(read)));
  EXPECT_EQ(std::vector<int>(read, read + 3), (std::vector<int>{2, 0, 1}));
  int notAnOrder[3] = {0, 0, 1};
  EXPECT_FALSE(SendMessageW(header, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(notAnOrder)));
  EXPECT_FALSE(SendMessageW(header, HDM_GETORDERARRAY, 2, reinterpret_cast<LPARAM>(read)));
}

TEST_F(HeaderTest, LayoutTakesTheTopOfTheRectangle) {
  Create(0);
  RECT rect = {4, 10, 180, 200};
  WINDOWPOS pos = {};
  HDLAYOUT layout = {&rect, &pos};
  EXPECT_TRUE(SendMessageW(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
  EXPECT_EQ(pos.hwnd, header);
  EXPECT_EQ(pos.x, 4);
  EXPECT_EQ(pos.y, 10);
  EXPECT_EQ(pos.cx, 176);
  EXPECT_EQ(pos.cy, 16);
  EXPECT_EQ(rect.top, 26);
  EXPECT_FALSE(SendMessageW(header, HDM_LAYOUT, 0, 0));
  // Hidden, it takes nothing.
  SetWindowLongW(header, GWL_STYLE, GetWindowLongW(header, GWL_STYLE) | HDS_HIDDEN);
  rect = RECT{4, 10, 180, 200};
  EXPECT_TRUE(SendMessageW(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
  EXPECT_EQ(pos.cy, 0);
  EXPECT_EQ(rect.top, 10);
}

TEST_F(HeaderTest, ImageListsAreKeptByHandle) {
  Create(0);
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(static_cast<uintptr_t>(0x1AB));
  EXPECT_EQ(SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)), 0);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0)), images);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_SETIMAGELIST, 0, 0)), images);
}

// ---------------------------------------------------------------------------------------------
// Changing items: the parent is told before, may refuse, and is told after, with the caller's item.

TEST_F(HeaderTest, SettingAnItemTellsTheParentBeforeAndAfterWithTheCallersItem) {
  Create(0);
  Insert(0, 80, u"Name");
  Insert(1, 40, u"Size");
  std::vector<const HDITEMW*> told;
  std::vector<std::u16string> texts;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    auto* nm = reinterpret_cast<NMHEADERW*>(hdr);
    told.push_back(nm->pitem);
    if (nm->pitem != nullptr && (nm->pitem->mask & HDI_TEXT) != 0) texts.push_back(nm->pitem->pszText);
    return 0;
  };
  MessageRecorder recorder;
  Record(recorder);
  HDITEMW item = {};
  item.mask = HDI_WIDTH | HDI_TEXT;
  item.cxy = 55;
  item.pszText = const_cast<LPWSTR>(u"Bytes");
  EXPECT_TRUE(SendMessageW(header, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_TRUE(recorder.Sequence({
      Note(HDN_ITEMCHANGINGW, "item 1 mask 0x3 width 55"),
      Note(HDN_ITEMCHANGEDW, "item 1 mask 0x3 width 55"),
  }));
  // A copy of the caller's item each time, never the caller's own.
  ASSERT_EQ(told.size(), 2u);
  EXPECT_NE(told[0], &item);
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"Bytes", u"Bytes"}));
  EXPECT_EQ(WidthOf(1), 55);
  EXPECT_EQ(TextOf(1), u"Bytes");
  EXPECT_EQ(ItemRect(1).right, 135);
}

TEST_F(HeaderTest, TextsTheParentKeepsAreAskedForWhenRead) {
  Create(0);
  HDITEMW item = {};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_LPARAM;
  item.pszText = LPSTR_TEXTCALLBACKW;
  item.cxy = 50;
  item.lParam = 42;
  SendMessageW(header, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  int asked = 0;
  bool keep = false;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != HDN_GETDISPINFOW) return 0;
    auto* di = reinterpret_cast<NMHDDISPINFOW*>(hdr);
    ++asked;
    EXPECT_EQ(di->lParam, 42);
    wcsncpy(di->pszText, u"Kept", static_cast<size_t>(di->cchTextMax));
    if (keep) di->mask |= HDI_DI_SETITEM;
    return 0;
  };
  MessageRecorder recorder;
  Record(recorder);
  EXPECT_EQ(TextOf(0), u"Kept");
  EXPECT_TRUE(recorder.Sequence({Note(HDN_GETDISPINFOW, "item 0 mask 0x2 size 260")}));
  // Reading another field asks nothing; HDI_DI_SETITEM makes the answer the item's own.
  EXPECT_EQ(WidthOf(0), 50);
  EXPECT_EQ(asked, 1);
  keep = true;
  EXPECT_EQ(TextOf(0), u"Kept");
  EXPECT_EQ(TextOf(0), u"Kept");
  EXPECT_EQ(asked, 2);
}

// ---------------------------------------------------------------------------------------------
// Hit-testing: a zone on either side of an item's right edge is its divider.

TEST_F(HeaderTest, HitTestsFindItemsAndTheirDividers) {
  Create(0);
  Insert(0, 80);
  Insert(1, 40);
  HDHITTESTINFO hit = HitTest(40, 8);
  EXPECT_EQ(hit.flags, static_cast<UINT>(HHT_ONHEADER));
  EXPECT_EQ(hit.iItem, 0);
  EXPECT_EQ(HitTest(75, 8).flags, static_cast<UINT>(HHT_ONDIVIDER));
  EXPECT_EQ(HitTest(75, 8).iItem, 0);
  // Just right of the edge still belongs to the item on the left.
  EXPECT_EQ(HitTest(84, 8).flags, static_cast<UINT>(HHT_ONDIVIDER));
  EXPECT_EQ(HitTest(84, 8).iItem, 0);
  EXPECT_EQ(HitTest(100, 8).flags, static_cast<UINT>(HHT_ONHEADER));
  EXPECT_EQ(HitTest(100, 8).iItem, 1);
  // Right of the last divider is nowhere; outside the header is beside it.
  hit = HitTest(180, 8);
  EXPECT_EQ(hit.flags, static_cast<UINT>(HHT_NOWHERE));
  EXPECT_EQ(hit.iItem, -1);
  EXPECT_EQ(HitTest(-3, 8).flags, static_cast<UINT>(HHT_TOLEFT));
  EXPECT_EQ(HitTest(50, 20).flags, static_cast<UINT>(HHT_BELOW));
  EXPECT_EQ(SendMessageW(header, HDM_HITTEST, 0, 0), -1);
}

TEST_F(HeaderTest, AnItemOfNoWidthOpensItsDivider) {
  Create(0);
  Insert(0, 80);
  Insert(1, 0);
  Insert(2, 40);
  HDHITTESTINFO hit = HitTest(84, 8);
  EXPECT_EQ(hit.flags, static_cast<UINT>(HHT_ONDIVOPEN));
}

// ---------------------------------------------------------------------------------------------
// Dragging a divider.

TEST_F(HeaderTest, DraggingWithFullDragResizesAsTheStylusMoves) {
  Create(HDS_FULLDRAG);
  Insert(0, 80);
  Insert(1, 40);
  MessageRecorder recorder;
  Record(recorder);
  ASSERT_TRUE(cesim::DragHeaderDivider(header, 0, 120));
  EXPECT_TRUE(recorder.Sequence({
      Note(HDN_BEGINTRACKW, Width(0, 80)),
      Note(HDN_ITEMCHANGINGW, Width(0, 100)),
      Note(HDN_ITEMCHANGEDW, Width(0, 100)),
      Note(HDN_ITEMCHANGINGW, Width(0, 120)),
      Note(HDN_ITEMCHANGEDW, Width(0, 120)),
      Note(HDN_ENDTRACKW, Width(0, 120)),
      Note(HDN_ITEMCHANGINGW, Width(0, 120)),
      Note(HDN_ITEMCHANGEDW, Width(0, 120)),
      Note(NM_RELEASEDCAPTURE),
  }));
  EXPECT_EQ(WidthOf(0), 120);
  EXPECT_EQ(ItemRect(1).left, 120);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(HeaderTest, DraggingWithoutFullDragTracksAndSetsTheWidthAtTheEnd) {
  Create(0);
  Insert(0, 80);
  MessageRecorder recorder;
  Record(recorder);
  ASSERT_TRUE(cesim::DragHeaderDivider(header, 0, 50));
  EXPECT_TRUE(recorder.Sequence({
      Note(HDN_BEGINTRACKW, Width(0, 80)),
      Note(HDN_TRACKW, Width(0, 65)),
      Note(HDN_TRACKW, Width(0, 50)),
      Note(HDN_ENDTRACKW, Width(0, 50)),
      Note(HDN_ITEMCHANGINGW, Width(0, 50)),
      Note(HDN_ITEMCHANGEDW, Width(0, 50)),
      Note(NM_RELEASEDCAPTURE),
  }));
  EXPECT_EQ(WidthOf(0), 50);
}

TEST_F(HeaderTest, AWidthNeverGoesBelowNothing) {
  Create(HDS_FULLDRAG);
  Insert(0, 30);
  RECT rect = ItemRect(0);
  Press(static_cast<int>(rect.right) - 1);
  Move(-40);
  Lift(-40);
  EXPECT_EQ(WidthOf(0), 0);
}

TEST_F(HeaderTest, ParentRefusingToTrackLeavesTheDivider) {
  Create(HDS_FULLDRAG);
  Insert(0, 80);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == HDN_BEGINTRACKW ? TRUE : 0; };
  MessageRecorder recorder;
  Record(recorder);
  ASSERT_TRUE(cesim::DragHeaderDivider(header, 0, 20));
  EXPECT_TRUE(recorder.Sequence({Note(HDN_BEGINTRACKW, Width(0, 80))}));
  EXPECT_EQ(WidthOf(0), 80);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(HeaderTest, ParentAnsweringTrackWithTrueEndsTheDrag) {
  Create(0);
  Insert(0, 80);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == HDN_TRACKW ? TRUE : 0; };
  MessageRecorder recorder;
  Record(recorder);
  ASSERT_TRUE(cesim::DragHeaderDivider(header, 0, 20));
  EXPECT_TRUE(recorder.Sequence({
      Note(HDN_BEGINTRACKW, Width(0, 80)),
      Note(HDN_TRACKW, Width(0, 50)),
      Note(NM_RELEASEDCAPTURE),
  }));
  EXPECT_EQ(WidthOf(0), 80);
}

TEST_F(HeaderTest, ParentRefusingTheLastChangeKeepsTheWidth) {
  Create(0);
  Insert(0, 80);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == HDN_ITEMCHANGINGW ? TRUE : 0; };
  ASSERT_TRUE(cesim::DragHeaderDivider(header, 0, 120));
  EXPECT_EQ(WidthOf(0), 80);
}

TEST_F(HeaderTest, DraggingAnItemAwayWhileItIsTrackedEndsTheDrag) {
  Create(HDS_FULLDRAG);
  Insert(0, 80);
  Insert(1, 40);
  RECT rect = ItemRect(0);
  Press(static_cast<int>(rect.right) - 1);
  EXPECT_TRUE(SendMessageW(header, HDM_DELETEITEM, 0, 0));
  MessageRecorder recorder;
  Record(recorder);
  Move(100);
  Lift(100);
  EXPECT_EQ(WidthOf(0), 40);
  EXPECT_TRUE(recorder.Sequence({Note(NM_RELEASEDCAPTURE)}));
}

// ---------------------------------------------------------------------------------------------
// Tapping items.

TEST_F(HeaderTest, TappingAnItemClicksItOnlyWithButtons) {
  Create(HDS_BUTTONS);
  Insert(0, 80);
  Insert(1, 40);
  MessageRecorder recorder;
  Record(recorder);
  cesim::TapClient(header, POINT{100, 8});
  EXPECT_TRUE(recorder.Sequence({Note(HDN_ITEMCLICKW, "item 1"), Note(NM_RELEASEDCAPTURE)}));
  // Lifting the stylus over another item clicks nothing.
  recorder.Flush();
  Press(40);
  Lift(100);
  EXPECT_TRUE(recorder.Sequence({Note(NM_RELEASEDCAPTURE)}));
  // Without HDS_BUTTONS an item is no button.
  SetWindowLongW(header, GWL_STYLE, GetWindowLongW(header, GWL_STYLE) & ~HDS_BUTTONS);
  recorder.Flush();
  cesim::TapClient(header, POINT{100, 8});
  EXPECT_TRUE(recorder.Recorded().empty());
}

TEST_F(HeaderTest, DoubleTappingADividerTellsTheParent) {
  Create(HDS_BUTTONS);
  Insert(0, 80);
  MessageRecorder recorder;
  Record(recorder);
  SendMessageW(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(78, 8));
  SendMessageW(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 8));
  EXPECT_TRUE(recorder.Sequence({Note(HDN_DIVIDERDBLCLICKW, "item 0"), Note(HDN_ITEMDBLCLICKW, "item 0")}));
}

// The other button: NM_RCLICK, then a shortcut menu request at the screen point, which the
// default procedure hands to the parent.
TEST_F(HeaderTest, ReleasingTheOtherButtonAsksTheParentForAShortcutMenu) {
  Create(0);
  Insert(0, 80);
  host.messages = {WM_CONTEXTMENU};
  MessageRecorder recorder;
  Record(recorder);
  recorder.Name(header, "header");
  SendMessageW(header, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 8));
  SendMessageW(header, WM_RBUTTONUP, 0, MAKELPARAM(30, 8));
  POINT screen = {30, 8};
  ClientToScreen(header, &screen);
  EXPECT_TRUE(recorder.Sequence({Note(NM_RCLICK),
                                 {"parent", WM_CONTEXTMENU, foldwise_test::Wnd("header"), MAKELPARAM(screen.x, screen.y), 0}}));
}

// ---------------------------------------------------------------------------------------------
// Parents that destroy the header while it notifies them.

// Where the parent's TRUE ends the action, or the real header returns at once, it may be destroyed.
TEST_F(HeaderTest, ParentRefusingAChangeMayDestroyTheHeader) {
  Create(0);
  Insert(0, 80);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code != HDN_ITEMCHANGINGW) return 0;
    DestroyWindow(hdr->hwndFrom);
    return TRUE;
  };
  MessageRecorder recorder;
  Record(recorder);
  EXPECT_FALSE(SetWidth(0, 20));
  EXPECT_FALSE(IsWindow(header));
  EXPECT_TRUE(recorder.Sequence({Note(HDN_ITEMCHANGINGW, Width(0, 20))}));
}

TEST_F(HeaderTest, ParentRefusingToTrackMayDestroyTheHeader) {
  Create(HDS_FULLDRAG);
  Insert(0, 80);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code != HDN_BEGINTRACKW) return 0;
    DestroyWindow(hdr->hwndFrom);
    return TRUE;
  };
  ASSERT_TRUE(cesim::DragHeaderDivider(header, 0, 100));
  EXPECT_FALSE(IsWindow(header));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(HeaderTest, ParentMayDestroyTheHeaderWhenADividerIsDoubleTapped) {
  Create(HDS_BUTTONS);
  Insert(0, 80);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == HDN_DIVIDERDBLCLICKW) DestroyWindow(hdr->hwndFrom);
    return 0;
  };
  SendMessageW(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(78, 8));
  EXPECT_FALSE(IsWindow(header));
}

// What the real header does not survive: it goes on using its state after these notifications
// return, so destroying it there is reported and stops the test program.
using HeaderDeathTest = HeaderTest;

TEST_F(HeaderDeathTest, HeaderDestroyedInsideAChangeItAllowsIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  Create(0);
  Insert(0, 80);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == HDN_ITEMCHANGINGW) DestroyWindow(hdr->hwndFrom);
    return 0;
  };
  EXPECT_DEATH(SetWidth(0, 20), "SysHeader32 control .* destroyed inside its HDN_ITEMCHANGING notification");
}

TEST_F(HeaderDeathTest, HeaderDestroyedWhenTrackingBeginsIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  Create(HDS_FULLDRAG);
  Insert(0, 80);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == HDN_BEGINTRACKW) DestroyWindow(hdr->hwndFrom);
    return 0;
  };
  EXPECT_DEATH(cesim::DragHeaderDivider(header, 0, 100), "destroyed inside its HDN_BEGINTRACK notification");
}

TEST_F(HeaderDeathTest, HeaderDestroyedWhileADragEndsIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  Create(HDS_FULLDRAG);
  Insert(0, 80);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == HDN_ENDTRACKW) DestroyWindow(hdr->hwndFrom);
    return 0;
  };
  EXPECT_DEATH(cesim::DragHeaderDivider(header, 0, 100), "destroyed inside its HDN_ENDTRACK notification");
}

TEST_F(HeaderDeathTest, ParentDestroyedWhileAWidthIsDraggedIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  Create(HDS_FULLDRAG);
  Insert(0, 80);
  onNotify = [this](NMHDR* hdr) -> LRESULT {
    if (hdr->code == HDN_ITEMCHANGEDW) DestroyWindow(parent);
    return 0;
  };
  EXPECT_DEATH(cesim::DragHeaderDivider(header, 0, 100), "destroyed inside its HDN_ITEMCHANGED notification");
}

}  // namespace
