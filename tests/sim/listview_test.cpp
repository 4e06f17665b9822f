// The list view control against the platform's documented behaviour: columns through its header,
// items with their data and sub-items, texts the parent keeps (LVN_GETDISPINFOW), focus and
// selection with their notifications in order, deleting, the four views and their changes through
// the window style, hit-testing, the keys, taps, label editing, scrolling, and parents that
// destroy the control while it notifies them.
#include <gtest/gtest.h>

#include <algorithm>
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

constexpr int kListId = 1010;

// A notification row of the parent's table with the fields that matter.
ExpectedMessage Note(UINT code, const std::string& detail = std::string(), int depth = 0) {
  ExpectedMessage row;
  row.window = "parent";
  row.message = WM_NOTIFY;
  row.lParam = Code(code);
  row.depth = depth;
  if (!detail.empty()) row.detail = detail;
  return row;
}

ExpectedMessage Changing(int item, UINT oldState, UINT newState, int depth = 0) {
  char text[80];
  std::snprintf(text, sizeof text, "item %d old 0x%x new 0x%x changed 0x%x", item, oldState, newState, LVIF_STATE);
  return Note(LVN_ITEMCHANGING, text, depth);
}

ExpectedMessage Changed(int item, UINT oldState, UINT newState, int depth = 0) {
  char text[80];
  std::snprintf(text, sizeof text, "item %d old 0x%x new 0x%x changed 0x%x", item, oldState, newState, LVIF_STATE);
  return Note(LVN_ITEMCHANGED, text, depth);
}

constexpr UINT kFocusSelect = LVIS_FOCUSED | LVIS_SELECTED;

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device.Boot());
    host.messages = {WM_CONTEXTMENU, WM_COMMAND};
    ASSERT_TRUE(host.Create());
    parent = host.hwnd();
  }
  void TearDown() override { onNotify = nullptr; }

  // A list of 200 x 150 pixels: in the report view a 16-pixel header and ten rows of 13.
  HWND Create(DWORD style) {
    list = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 200, 150, parent,
                           reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
    return list;
  }

  void Record(MessageRecorder& recorder) {
    recorder.Name(parent, "parent");
    recorder.DescribeNotifications(&foldwise_test::DescribeListNotification);
  }

  int AddColumn(int width, const char16_t* text = nullptr) {
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | (text != nullptr ? LVCF_TEXT : 0u);
    column.cx = width;
    column.pszText = const_cast<LPWSTR>(text);
    int count = static_cast<int>(SendMessageW(Header(), HDM_GETITEMCOUNT, 0, 0));
    return static_cast<int>(SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&column)));
  }

  int Insert(int index, LPCWSTR text, LPARAM param = 0) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<LPWSTR>(text);
    item.lParam = param;
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  }

  void Fill(int count) {
    for (int i = 0; i < count; ++i) {
      std::u16string text = u"item " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + std::u16string(i / 26, u'+');
      Insert(i, text.c_str(), 100 + i);
    }
  }

  BOOL SetSubText(int item, int sub, LPCWSTR text) {
    LVITEMW lvi = {};
    lvi.iSubItem = sub;
    lvi.pszText = const_cast<LPWSTR>(text);
    return static_cast<BOOL>(SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
  }

  std::u16string TextOf(int item, int sub = 0) {
    WCHAR text[MAX_PATH] = {};
    LVITEMW lvi = {};
    lvi.mask = LVIF_TEXT;
    lvi.iItem = item;
    lvi.iSubItem = sub;
    lvi.pszText = text;
    lvi.cchTextMax = MAX_PATH;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lvi))) return u"<none>";
    return text;
  }

  UINT StateOf(int item) { return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), 0xFFFF)); }

  BOOL SetState(int item, UINT state, UINT mask) {
    LVITEMW lvi = {};
    lvi.state = state;
    lvi.stateMask = mask;
    return static_cast<BOOL>(SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
  }

  int Count() { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }
  HWND Header() { return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)); }
  int Width(int column) { return static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)); }
  int Next(int start, UINT flags) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
  }

  RECT ItemRect(int item, int code) {
    RECT rect = {code, 0, 0, 0};
    if (!SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect))) return RECT{-1, -1, -1, -1};
    return rect;
  }

  LVHITTESTINFO HitTest(int x, int y, UINT message = LVM_HITTEST) {
    LVHITTESTINFO info = {};
    info.pt = {x, y};
    info.iSubItem = 77;
    SendMessageW(list, message, 0, reinterpret_cast<LPARAM>(&info));
    return info;
  }

  void SetStyle(DWORD set, DWORD clear) {
    LONG_PTR style = GetWindowLongW(list, GWL_STYLE);
    SetWindowLongW(list, GWL_STYLE, (style & ~static_cast<LONG_PTR>(clear)) | static_cast<LONG_PTR>(set));
  }

  foldwise_test::BootedDevice device;
  foldwise_test::NotifyParent host;
  // The parent's answer to each notification (the functions that tests set capture their locals:
  // it is cleared before the windows go).
  std::function<LRESULT(NMHDR*)>& onNotify = host.onNotify;
  HWND parent = nullptr;
  HWND list = nullptr;
};

using Texts = std::vector<std::u16string>;

// ---------------------------------------------------------------------------------------------
// Columns and the header.

TEST_F(ListViewTest, ReportViewHasItsHeaderAsChildAtTheTop) {
  Create(LVS_REPORT);
  HWND header = Header();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(GetParent(header), list);
  EXPECT_EQ(GetDlgCtrlID(header), 0);
  WCHAR cls[32] = {};
  GetClassNameW(header, cls, 32);
  EXPECT_EQ(std::u16string(cls), WC_HEADERW);
  EXPECT_TRUE(IsWindowVisible(header));
  RECT rect;
  GetWindowRect(header, &rect);
  EXPECT_EQ(rect.bottom - rect.top, 16);
  EXPECT_EQ(rect.right - rect.left, 200);
  // The items start below it.
  AddColumn(100);
  Insert(0, u"first");
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).top, 16);
}

TEST_F(ListViewTest, IconViewGetsAHiddenHeaderOnlyWithItsFirstColumn) {
  Create(LVS_ICON);
  EXPECT_EQ(Header(), nullptr);
  EXPECT_EQ(AddColumn(80), 0);
  HWND header = Header();
  ASSERT_NE(header, nullptr);
  EXPECT_FALSE(IsWindowVisible(header));
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 1);
}

TEST_F(ListViewTest, ColumnsAreInsertedThroughTheHeader) {
  Create(LVS_REPORT);
  EXPECT_EQ(AddColumn(120, u"Name"), 0);
  EXPECT_EQ(AddColumn(40), 1);
  // Past the end appends; a column without a width gets 10 pixels.
  LVCOLUMNW bare = {};
  EXPECT_EQ(SendMessageW(list, LVM_INSERTCOLUMNW, 9, reinterpret_cast<LPARAM>(&bare)), 2);
  EXPECT_EQ(SendMessageW(Header(), HDM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(Width(0), 120);
  EXPECT_EQ(Width(1), 40);
  EXPECT_EQ(Width(2), 10);
  EXPECT_EQ(Width(3), 0);
  WCHAR text[16] = {};
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = text;
  column.cchTextMax = 16;
  EXPECT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)));
  EXPECT_EQ(std::u16string(text), u"Name");
  EXPECT_EQ(column.cx, 120);
  // Refused: no structure, a negative index.
  EXPECT_EQ(SendMessageW(list, LVM_INSERTCOLUMNW, 0, 0), -1);
  EXPECT_EQ(SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&bare)), -1);
}

TEST_F(ListViewTest, AutosizeFitsTheWidestTextOfTheColumnAskingThePartyThatKeepsIt) {
  Create(LVS_REPORT);
  AddColumn(20);
  AddColumn(20);
  Insert(0, u"ab");
  Insert(1, LPSTR_TEXTCALLBACKW);
  SetSubText(0, 1, u"x");
  int asked = 0;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != LVN_GETDISPINFOW) return 0;
    auto* di = reinterpret_cast<NMLVDISPINFOW*>(hdr);
    ++asked;
    EXPECT_EQ(di->item.cchTextMax, 260);
    wcsncpy(di->item.pszText, u"a longer text", di->item.cchTextMax);
    return 0;
  };
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE, 0)));
  EXPECT_EQ(asked, 1);  // only the item whose text the parent keeps
  EXPECT_EQ(Width(0), 13 * 6 + 12);
  // The last column with LVSCW_AUTOSIZE_USEHEADER fills the rest of the list.
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0)));
  EXPECT_EQ(Width(1), 200 - Width(0));
  EXPECT_FALSE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(50, 0)));
}

TEST_F(ListViewTest, HeaderWidthChangesReachTheParentWithTheHeaderAsSender) {
  Create(LVS_REPORT);
  AddColumn(100);
  AddColumn(60);
  HWND header = Header();
  std::vector<HWND> senders;
  std::vector<UINT_PTR> ids;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    senders.push_back(hdr->hwndFrom);
    ids.push_back(hdr->idFrom);
    return 0;
  };
  MessageRecorder recorder;
  Record(recorder);
  HDITEMW item = {};
  item.mask = HDI_WIDTH;
  item.cxy = 77;
  EXPECT_TRUE(SendMessageW(header, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, 0, Code(HDN_ITEMCHANGINGW), 0, false, "item 1 mask 0x1 width 77"},
      {"parent", WM_NOTIFY, 0, Code(HDN_ITEMCHANGEDW), 0, false, "item 1 mask 0x1 width 77"},
  }));
  EXPECT_EQ(senders, (std::vector<HWND>{header, header}));
  EXPECT_EQ(ids, (std::vector<UINT_PTR>{0, 0}));
  // The list's columns follow the header.
  EXPECT_EQ(Width(1), 77);
  RECT sub = {LVIR_BOUNDS, 1, 0, 0};
  Insert(0, u"row");
  EXPECT_TRUE(SendMessageW(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&sub)));
  EXPECT_EQ(sub.left, 100);
  EXPECT_EQ(sub.right, 177);
}

TEST_F(ListViewTest, ParentRefusingAHeaderChangeKeepsTheWidth) {
  Create(LVS_REPORT);
  AddColumn(100);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == HDN_ITEMCHANGINGW ? TRUE : 0; };
  EXPECT_FALSE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(50, 0)));
  EXPECT_EQ(Width(0), 100);
}

TEST_F(ListViewTest, ColumnWidthSetByTheListReachesTheParentThroughTheHeader) {
  Create(LVS_REPORT);
  AddColumn(100);
  MessageRecorder recorder;
  Record(recorder);
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(64, 0)));
  EXPECT_TRUE(recorder.Sequence({
      Note(HDN_ITEMCHANGINGW, "item 0 mask 0x1 width 64"),
      Note(HDN_ITEMCHANGEDW, "item 0 mask 0x1 width 64"),
  }));
  EXPECT_EQ(Width(0), 64);
}

TEST_F(ListViewTest, ColumnTitleChangesStayBetweenTheListAndItsHeader) {
  Create(LVS_REPORT);
  AddColumn(100, u"Name");
  MessageRecorder recorder;
  Record(recorder);
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<LPWSTR>(u"Size");
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)));
  EXPECT_TRUE(recorder.Recorded().empty());
}

TEST_F(ListViewTest, DraggingADividerTracksAndSetsTheWidth) {
  Create(LVS_REPORT);
  AddColumn(100);
  AddColumn(60);
  MessageRecorder recorder;
  Record(recorder);
  ASSERT_TRUE(cesim::DragHeaderDivider(Header(), 0, 140));
  // The start of the drag stays between the list and its header.
  EXPECT_TRUE(recorder.Sequence({
      Note(HDN_ITEMCHANGINGW, "item 0 mask 0x1 width 120"),
      Note(HDN_ITEMCHANGEDW, "item 0 mask 0x1 width 120"),
      Note(HDN_ITEMCHANGINGW, "item 0 mask 0x1 width 140"),
      Note(HDN_ITEMCHANGEDW, "item 0 mask 0x1 width 140"),
      Note(HDN_ENDTRACKW, "item 0 mask 0x1 width 140"),
      Note(HDN_ITEMCHANGINGW, "item 0 mask 0x1 width 140"),
      Note(HDN_ITEMCHANGEDW, "item 0 mask 0x1 width 140"),
  }));
  EXPECT_EQ(Width(0), 140);
  EXPECT_EQ(cesim::ReadListView(list).columnWidths, (std::vector<int>{140, 60}));
}

TEST_F(ListViewTest, TheParentIsNotAskedWhetherADividerDragMayStart) {
  // The list keeps HDN_BEGINTRACKW to itself, so a parent that would refuse never sees it.
  Create(LVS_REPORT);
  AddColumn(100);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == HDN_BEGINTRACKW ? TRUE : 0; };
  MessageRecorder recorder;
  Record(recorder);
  ASSERT_TRUE(cesim::DragHeaderDivider(Header(), 0, 30));
  EXPECT_TRUE(recorder.Sequence({
      Note(HDN_ITEMCHANGINGW, "item 0 mask 0x1 width 65"),
      Note(HDN_ITEMCHANGEDW, "item 0 mask 0x1 width 65"),
      Note(HDN_ITEMCHANGINGW, "item 0 mask 0x1 width 30"),
      Note(HDN_ITEMCHANGEDW, "item 0 mask 0x1 width 30"),
      Note(HDN_ENDTRACKW, "item 0 mask 0x1 width 30"),
      Note(HDN_ITEMCHANGINGW, "item 0 mask 0x1 width 30"),
      Note(HDN_ITEMCHANGEDW, "item 0 mask 0x1 width 30"),
  }));
  EXPECT_EQ(Width(0), 30);
}

TEST_F(ListViewTest, TappingAColumnTitleClicksTheColumn) {
  Create(LVS_REPORT);
  AddColumn(100);
  AddColumn(60);
  MessageRecorder recorder;
  Record(recorder);
  cesim::TapClient(Header(), POINT{130, 8});
  EXPECT_TRUE(recorder.Sequence({Note(LVN_COLUMNCLICK, "column 1"), Note(HDN_ITEMCLICKW, "item 1")}));
}

// ---------------------------------------------------------------------------------------------
// Items, sub-items and their texts.

TEST_F(ListViewTest, ItemsKeepTheirDataAndTellTheParentOfEachInsert) {
  Create(LVS_REPORT);
  MessageRecorder recorder;
  Record(recorder);
  EXPECT_EQ(Insert(0, u"second", 2), 0);
  EXPECT_EQ(Insert(0, u"first", 1), 0);
  EXPECT_EQ(Insert(7, u"third", 3), 2);  // past the end appends
  EXPECT_TRUE(recorder.Sequence({
      Note(LVN_INSERTITEM, "item 0 param 2"),
      Note(LVN_INSERTITEM, "item 0 param 1"),
      Note(LVN_INSERTITEM, "item 2 param 3"),
  }));
  EXPECT_EQ(Count(), 3);
  EXPECT_EQ(TextOf(1), u"second");
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = 2;
  EXPECT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.lParam, 3);
  // An item needs an index unless the list sorts; a sub-item cannot be inserted.
  LVITEMW bad = {};
  bad.mask = LVIF_TEXT;
  bad.iItem = -1;
  bad.pszText = const_cast<LPWSTR>(u"x");
  EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&bad)), -1);
  bad.iItem = 0;
  bad.iSubItem = 1;
  EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&bad)), -1);
  EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, 0), -1);
}

TEST_F(ListViewTest, SubItemsHoldTheColumnsTexts) {
  Create(LVS_REPORT);
  AddColumn(100);
  AddColumn(60);
  Insert(0, u"Letter.doc", 42);
  EXPECT_TRUE(SetSubText(0, 1, u"12 KB"));
  EXPECT_EQ(TextOf(0, 1), u"12 KB");
  // There is no third column to hold a text.
  EXPECT_FALSE(SetSubText(0, 2, u"no"));
  // A sub-item gives its item's data, and takes none of its own.
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = 0;
  item.iSubItem = 1;
  EXPECT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.lParam, 42);
  item.lParam = 7;
  EXPECT_FALSE(SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  // LVM_GETITEMTEXTW gives the length copied.
  WCHAR text[MAX_PATH] = {};
  LVITEMW get = {};
  get.iSubItem = 1;
  get.pszText = text;
  get.cchTextMax = MAX_PATH;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&get)), 5);
  EXPECT_EQ(std::u16string(text), u"12 KB");
}

TEST_F(ListViewTest, TextsAreCutToTheBufferWithTheirTerminator) {
  Create(LVS_REPORT);
  Insert(0, u"Letter.doc");
  WCHAR text[8];
  std::fill(std::begin(text), std::end(text), u'#');
  LVITEMW get = {};
  get.pszText = text;
  get.cchTextMax = 4;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&get)), 3);
  EXPECT_EQ(std::u16string(text), u"Let");
  EXPECT_EQ(text[4], u'#');
  // No room writes nothing.
  std::fill(std::begin(text), std::end(text), u'#');
  get.cchTextMax = 0;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&get)), 0);
  EXPECT_EQ(text[0], u'#');
  // A parent's own, longer text is cut the same way.
  Insert(1, LPSTR_TEXTCALLBACKW);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_GETDISPINFOW) reinterpret_cast<NMLVDISPINFOW*>(hdr)->item.pszText = const_cast<LPWSTR>(u"Parent's text");
    return 0;
  };
  std::fill(std::begin(text), std::end(text), u'#');
  get.cchTextMax = 7;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&get)), 6);
  EXPECT_EQ(std::u16string(text), u"Parent");
  EXPECT_EQ(text[7], u'#');
}

TEST_F(ListViewTest, AskingForATextTheParentKeepsIsOneNotificationWithTheCallersBuffer) {
  Create(LVS_REPORT);
  AddColumn(100);
  AddColumn(60);
  Insert(0, LPSTR_TEXTCALLBACKW, 5);
  Insert(1, u"stored");
  WCHAR text[32] = {};
  LPWSTR offered = nullptr;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != LVN_GETDISPINFOW) return 0;
    auto* di = reinterpret_cast<NMLVDISPINFOW*>(hdr);
    offered = di->item.pszText;
    EXPECT_EQ(di->item.lParam, di->item.iItem == 0 ? 5 : 0);  // the item's data comes along
    wcsncpy(di->item.pszText, di->item.iSubItem == 0 ? u"Letter.doc" : u"12 KB", di->item.cchTextMax);
    return 0;
  };
  MessageRecorder recorder;
  Record(recorder);
  LVITEMW get = {};
  get.mask = LVIF_TEXT;
  get.pszText = text;
  get.cchTextMax = 32;
  EXPECT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&get)));
  EXPECT_EQ(std::u16string(text), u"Letter.doc");
  EXPECT_EQ(offered, text);
  // A stored text asks nothing; a sub-item that was never set is the parent's too.
  EXPECT_EQ(TextOf(1), u"stored");
  EXPECT_EQ(TextOf(1, 1), u"12 KB");
  EXPECT_TRUE(recorder.Sequence({
      Note(LVN_GETDISPINFOW, "item 0 sub 0 mask 0x1 size 32"),
      Note(LVN_GETDISPINFOW, "item 1 sub 1 mask 0x1 size 260"),
  }));
}

TEST_F(ListViewTest, ReadingTheListAsksForEachShownItemAsDrawingDoes) {
  Create(LVS_REPORT);
  AddColumn(100);
  AddColumn(60);
  Insert(0, LPSTR_TEXTCALLBACKW);
  Insert(1, u"Notes.txt");
  SetSubText(1, 1, u"2 KB");
  SetSubText(0, 1, u"12 KB");
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_GETDISPINFOW) {
      auto* di = reinterpret_cast<NMLVDISPINFOW*>(hdr);
      if ((di->item.mask & LVIF_TEXT) != 0) wcsncpy(di->item.pszText, u"Letter.doc", di->item.cchTextMax);
    }
    return 0;
  };
  SetState(1, kFocusSelect, kFocusSelect);
  MessageRecorder recorder;
  Record(recorder);
  EXPECT_EQ(cesim::DumpListView(list),
            "report view, columns 100 60\n"
            "   Letter.doc | 12 KB\n"
            ">* Notes.txt | 2 KB\n");
  EXPECT_TRUE(recorder.Sequence({Note(LVN_GETDISPINFOW, "item 0 sub 0 mask 0x1 size 260")}));
}

TEST_F(ListViewTest, ParentKeepingItsAnswerIsAskedOnce) {
  Create(LVS_LIST);
  Insert(0, LPSTR_TEXTCALLBACKW);
  int asked = 0;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != LVN_GETDISPINFOW) return 0;
    auto* di = reinterpret_cast<NMLVDISPINFOW*>(hdr);
    ++asked;
    wcsncpy(di->item.pszText, u"kept", di->item.cchTextMax);
    di->item.mask |= LVIF_DI_SETITEM;
    return 0;
  };
  EXPECT_EQ(TextOf(0), u"kept");
  EXPECT_EQ(TextOf(0), u"kept");
  EXPECT_EQ(asked, 1);
}

TEST_F(ListViewTest, SortedListsInsertByTextWithoutLetterCase) {
  Create(LVS_REPORT | LVS_SORTASCENDING);
  for (const char16_t* text : {u"Word (winword.exe)", u"calc (calc.exe)", u"Alarm (alarm.exe)", u"beta"}) {
    Insert(0, text);
  }
  EXPECT_EQ(Insert(0, u"0 first"), 0);
  Texts texts;
  for (int i = 0; i < Count(); ++i) texts.push_back(TextOf(i));
  EXPECT_EQ(texts, (Texts{u"0 first", u"Alarm (alarm.exe)", u"beta", u"calc (calc.exe)", u"Word (winword.exe)"}));
  // A sorted list cannot take a text its parent keeps.
  EXPECT_EQ(Insert(0, LPSTR_TEXTCALLBACKW), -1);
}

TEST_F(ListViewTest, SortedListsKeepManyTextsInOrder) {
  for (DWORD sort : {static_cast<DWORD>(LVS_SORTASCENDING), static_cast<DWORD>(LVS_SORTDESCENDING)}) {
    Create(LVS_REPORT | sort);
    // Texts in a scrambled order, with repeats; a repeat goes before the texts equal to it.
    Texts expected;
    for (int i = 0; i < 60; ++i) {
      std::u16string text = u"entry ";
      for (char digit : std::to_string((i * 37) % 23)) text += static_cast<char16_t>(digit);
      int at = Insert(0, text.c_str(), i);
      auto place = sort == LVS_SORTASCENDING
                       ? std::lower_bound(expected.begin(), expected.end(), text,
                                          [](const std::u16string& a, const std::u16string& b) { return lstrcmpW(a.c_str(), b.c_str()) < 0; })
                       : std::lower_bound(expected.begin(), expected.end(), text,
                                          [](const std::u16string& a, const std::u16string& b) { return lstrcmpW(a.c_str(), b.c_str()) > 0; });
      ASSERT_EQ(at, place - expected.begin()) << i;
      expected.insert(place, text);
    }
    Texts texts;
    for (int i = 0; i < Count(); ++i) texts.push_back(TextOf(i));
    EXPECT_EQ(texts, expected);
    DestroyWindow(list);
  }
}

// The list does not sort itself again when a text changes, or when the parent sorts it: a new
// text still goes before the first item whose text sorts at or after it.
TEST_F(ListViewTest, SortedInsertionAfterTheOrderIsBrokenTakesTheFirstItemAtOrAfterTheText) {
  Create(LVS_REPORT | LVS_SORTASCENDING);
  for (const char16_t* text : {u"b", u"d", u"f", u"h", u"j"}) Insert(0, text);
  SetSubText(2, 0, u"a");          // b d a h j
  EXPECT_EQ(Insert(0, u"c"), 1);   // b c d a h j: "d" is the first at or after "c"
  EXPECT_EQ(Insert(0, u"zz"), 6);  // after all
  EXPECT_EQ(Insert(0, u"a"), 0);   // "b" is at or after it
  Texts texts;
  for (int i = 0; i < Count(); ++i) texts.push_back(TextOf(i));
  EXPECT_EQ(texts, (Texts{u"a", u"b", u"c", u"d", u"a", u"h", u"j", u"zz"}));

  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (const char16_t* text : {u"b", u"d", u"f", u"h", u"j"}) Insert(0, text, text[0]);
  // The parent orders the items by their data, backwards: j h f d b.
  PFNLVCOMPARE backwards = [](LPARAM a, LPARAM b, LPARAM) -> int { return static_cast<int>(b - a); };
  ASSERT_TRUE(SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(backwards)));
  EXPECT_EQ(Insert(0, u"i"), 0);  // "j" is at or after it
  EXPECT_EQ(Insert(0, u"k"), 6);
  texts.clear();
  for (int i = 0; i < Count(); ++i) texts.push_back(TextOf(i));
  EXPECT_EQ(texts, (Texts{u"i", u"j", u"h", u"f", u"d", u"b", u"k"}));

  // Sorted again from the start, the list finds its order once more.
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (const char16_t* text : {u"m", u"k", u"o", u"l", u"n"}) Insert(0, text);
  texts.clear();
  for (int i = 0; i < Count(); ++i) texts.push_back(TextOf(i));
  EXPECT_EQ(texts, (Texts{u"k", u"l", u"m", u"n", u"o"}));
}

TEST_F(ListViewTest, BadArgumentsAreRefused) {
  Create(LVS_REPORT);
  Insert(0, u"only");
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  EXPECT_FALSE(SendMessageW(list, LVM_GETITEMW, 0, 0));
  EXPECT_FALSE(SendMessageW(list, LVM_SETITEMW, 0, 0));
  EXPECT_FALSE(SendMessageW(list, LVM_SETITEMTEXTW, 0, 0));
  EXPECT_FALSE(SendMessageW(list, LVM_SETITEMSTATE, 0, 0));
  EXPECT_FALSE(SendMessageW(list, LVM_GETITEMRECT, 0, 0));
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, 0), -1);
  for (int index : {-1, 1, 1000}) {
    item.iItem = index;
    EXPECT_FALSE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) << index;
    EXPECT_FALSE(SetSubText(index, 0, u"x")) << index;
    EXPECT_EQ(StateOf(index), 0u) << index;
    EXPECT_FALSE(SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(index), 0)) << index;
    EXPECT_EQ(ItemRect(index, LVIR_BOUNDS).left, -1) << index;
    EXPECT_FALSE(SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), 0)) << index;
  }
  EXPECT_FALSE(SetState(1, LVIS_SELECTED, LVIS_SELECTED));
  RECT rect = {99, 0, 0, 0};
  EXPECT_FALSE(SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect)));
  EXPECT_EQ(Count(), 1);
}

TEST_F(ListViewTest, AnEmptyListAnswersWithNothing) {
  Create(LVS_REPORT);
  AddColumn(100);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(Next(-1, LVNI_ALL), -1);
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), -1);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), -1);
  LVHITTESTINFO hit = HitTest(20, 30);
  EXPECT_EQ(hit.iItem, -1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_NOWHERE));
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
  EXPECT_TRUE(SetState(-1, 0, LVIS_SELECTED));
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(cesim::DumpListView(list), "report view, columns 100\n");
}

// ---------------------------------------------------------------------------------------------
// Focus and selection.

TEST_F(ListViewTest, TheSelectionMarkFollowsTheFirstFocusAndEachTap) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(4);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), -1);
  SetState(2, LVIS_FOCUSED, LVIS_FOCUSED);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), 2);
  ASSERT_TRUE(cesim::TapListItem(list, 1));
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), 1);
  EXPECT_EQ(SendMessageW(list, LVM_SETSELECTIONMARK, 0, 3), 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), 3);
  // Out of range leaves it.
  EXPECT_EQ(SendMessageW(list, LVM_SETSELECTIONMARK, 0, 9), 3);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), 3);
  // Deleting an item before it moves it with its item.
  SendMessageW(list, LVM_DELETEITEM, 0, 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), 2);
}

TEST_F(ListViewTest, AnItemInsertedSelectedIsReportedBeforeItsInsertion) {
  Create(LVS_REPORT);
  MessageRecorder recorder;
  Record(recorder);
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_STATE | LVIF_PARAM;
  item.pszText = const_cast<LPWSTR>(u"new");
  item.state = kFocusSelect;
  item.stateMask = 0;  // ignored by an insertion
  item.lParam = 9;
  EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), 0);
  EXPECT_TRUE(recorder.Sequence({
      Changing(0, 0, kFocusSelect),
      Changed(0, 0, kFocusSelect),
      Note(LVN_INSERTITEM, "item 0 param 9"),
  }));
  EXPECT_EQ(StateOf(0), kFocusSelect);
}

// ---------------------------------------------------------------------------------------------
// Deleting.

TEST_F(ListViewTest, DeletingAnItemTakesItsSelectionFirstAndPassesTheFocusOn) {
  Create(LVS_REPORT);
  Fill(3);
  SetState(1, kFocusSelect, kFocusSelect);
  MessageRecorder recorder;
  Record(recorder);
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
  EXPECT_TRUE(recorder.Sequence({
      Changing(1, kFocusSelect, 0),
      Changed(1, kFocusSelect, 0),
      Note(LVN_DELETEITEM, "item 1 param 101"),
  }));
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(TextOf(1), u"item C");
  // The focus passes quietly to the item that took the index; from the last, to the new last.
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
  SendMessageW(list, LVM_DELETEITEM, 1, 0);
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), 0);
  SendMessageW(list, LVM_DELETEITEM, 0, 0);
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), -1);
}

TEST_F(ListViewTest, ParentRestylingTheListWhileItEmptiesItWorks) {
  // The Explorer's pane applies its stored style each time the host empties the list.
  Create(LVS_REPORT);
  AddColumn(100);
  Fill(3);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_DELETEALLITEMS) {
      LONG_PTR style = GetWindowLongW(hdr->hwndFrom, GWL_STYLE);
      SetWindowLongW(hdr->hwndFrom, GWL_STYLE, (style & ~0x4003) | LVS_ICON | LVS_NOCOLUMNHEADER);
    }
    return 0;
  };
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(cesim::ReadListView(list).view, static_cast<UINT>(LVS_ICON));
  EXPECT_FALSE(IsWindowVisible(Header()));
}

// ---------------------------------------------------------------------------------------------
// Views and their styles.

TEST_F(ListViewTest, StyleChangesSwitchTheViewAndTheHeader) {
  Create(LVS_REPORT);
  AddColumn(100);
  Fill(2);
  HWND header = Header();
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).top, 16);
  // The report view without its header: the rows move up.
  SetStyle(LVS_REPORT | LVS_NOCOLUMNHEADER, LVS_TYPEMASK | LVS_NOCOLUMNHEADER);
  EXPECT_FALSE(IsWindowVisible(header));
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).top, 0);
  EXPECT_EQ(cesim::DumpListView(list).substr(0, 38), "report view, columns 100, no header\n  ");
  // The icon view (with the bit kept), then the report view with its header.
  SetStyle(LVS_ICON | LVS_NOCOLUMNHEADER, LVS_TYPEMASK | LVS_NOCOLUMNHEADER);
  EXPECT_EQ(cesim::ReadListView(list).view, static_cast<UINT>(LVS_ICON));
  EXPECT_FALSE(IsWindowVisible(header));
  SetStyle(LVS_REPORT, LVS_TYPEMASK | LVS_NOCOLUMNHEADER);
  EXPECT_EQ(Header(), header);
  EXPECT_TRUE(IsWindowVisible(header));
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).top, 16);
  EXPECT_EQ(Width(0), 100);
}

TEST_F(ListViewTest, AHeaderHiddenInTheReportViewStaysHiddenUntilTheBitGoesThere) {
  // As in Wine: only a change of LVS_NOCOLUMNHEADER made in the report view hides or shows the
  // header; cleared in another view, it leaves the header without room when the report view
  // comes back.
  Create(LVS_REPORT | LVS_NOCOLUMNHEADER);
  AddColumn(100);
  Fill(2);
  SetStyle(LVS_ICON, LVS_TYPEMASK | LVS_NOCOLUMNHEADER);
  SetStyle(LVS_REPORT, LVS_TYPEMASK);
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).top, 0);
  SetStyle(LVS_NOCOLUMNHEADER, 0);
  SetStyle(0, LVS_NOCOLUMNHEADER);
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).top, 16);
}

TEST_F(ListViewTest, ASwitchToTheReportViewCreatesTheHeader) {
  Create(LVS_ICON);
  EXPECT_EQ(Header(), nullptr);
  SetStyle(LVS_REPORT, 0);
  ASSERT_NE(Header(), nullptr);
  EXPECT_TRUE(IsWindowVisible(Header()));
}

TEST_F(ListViewTest, ArrangeLaysTheIconsOutInRows) {
  Create(LVS_ICON);
  Fill(5);
  // The default spacing: the system's icon spacing less an icon, without an image list.
  DWORD spacing = static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0));
  int cx = LOWORD(spacing);
  int cy = HIWORD(spacing);
  EXPECT_EQ(cx, GetSystemMetrics(SM_CXICONSPACING) - GetSystemMetrics(SM_CXICON));
  EXPECT_TRUE(SendMessageW(list, LVM_ARRANGE, LVA_DEFAULT, 0));
  std::vector<POINT> positions;
  for (int i = 0; i < 5; ++i) {
    POINT pt = {};
    ASSERT_TRUE(SendMessageW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&pt)));
    positions.push_back(pt);
  }
  int perRow = 200 / cx;
  EXPECT_EQ(positions[1].x - positions[0].x, cx);
  EXPECT_EQ(positions[static_cast<size_t>(perRow)].y - positions[0].y, cy);
  EXPECT_EQ(positions[static_cast<size_t>(perRow)].x, positions[0].x);
  // The report view has nothing to arrange.
  SetStyle(LVS_REPORT, 0);
  EXPECT_FALSE(SendMessageW(list, LVM_ARRANGE, LVA_DEFAULT, 0));
}

TEST_F(ListViewTest, IconSpacingReturnsThePreviousSpacing) {
  Create(LVS_ICON);
  DWORD initial = static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0));
  EXPECT_EQ(static_cast<DWORD>(SendMessageW(list, LVM_SETICONSPACING, 0, MAKELPARAM(56, 75))), initial);
  EXPECT_EQ(static_cast<DWORD>(SendMessageW(list, LVM_SETICONSPACING, 0, MAKELPARAM(60, 0))), static_cast<DWORD>(MAKELONG(56, 75)));
  // 0 keeps a spacing; -1 in both returns to the system's.
  EXPECT_EQ(static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0)), static_cast<DWORD>(MAKELONG(60, 75)));
  SendMessageW(list, LVM_SETICONSPACING, 0, -1);
  EXPECT_EQ(static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0)), initial);
}

TEST_F(ListViewTest, ImageListsAreKeptByHandle) {
  Create(LVS_REPORT | LVS_SHAREIMAGELISTS);
  HIMAGELIST small = reinterpret_cast<HIMAGELIST>(static_cast<uintptr_t>(0x5A11));
  EXPECT_EQ(SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small)), 0);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0)), small);
  EXPECT_EQ(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, 0)), small);
  EXPECT_EQ(SendMessageW(list, LVM_SETIMAGELIST, 7, reinterpret_cast<LPARAM>(small)), 0);
  // The small images make the rows as tall as a small icon and take room before the label.
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));
  AddColumn(100);
  Insert(0, u"x");
  RECT icon = ItemRect(0, LVIR_ICON);
  EXPECT_EQ(icon.right - icon.left, GetSystemMetrics(SM_CXSMICON));
  RECT bounds = ItemRect(0, LVIR_BOUNDS);
  EXPECT_EQ(bounds.bottom - bounds.top, GetSystemMetrics(SM_CYSMICON) + 1);
}

TEST_F(ListViewTest, TheListViewFillsColumnsOfRows) {
  Create(LVS_LIST);
  Fill(20);
  // 150 pixels less the scroll bar's room and 2: eight rows of 13.
  int perColumn = (150 - GetSystemMetrics(SM_CYHSCROLL) - 2) / 13;
  POINT first = {}, next = {};
  SendMessageW(list, LVM_GETITEMPOSITION, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(perColumn), reinterpret_cast<LPARAM>(&next));
  EXPECT_EQ(next.y, first.y);
  EXPECT_EQ(next.x - first.x, Width(0));
  EXPECT_EQ(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0), perColumn * (200 / Width(0)));
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(60, 0)));
  EXPECT_EQ(Width(0), 60);
}

// ---------------------------------------------------------------------------------------------
// Hit-testing and rectangles.

TEST_F(ListViewTest, HitTestsFindTheItemAndTheSubItemUnderAPoint) {
  Create(LVS_REPORT);
  AddColumn(100);
  AddColumn(60);
  Fill(2);
  LVHITTESTINFO hit = HitTest(30, 16 + 13 + 5);
  EXPECT_EQ(hit.iItem, 1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
  EXPECT_EQ(hit.iSubItem, 77);  // LVM_HITTEST leaves the sub-item alone
  // The second column does not select its item; the sub-item hit test finds it.
  hit = HitTest(130, 16 + 5);
  EXPECT_EQ(hit.iItem, -1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_NOWHERE));
  hit = HitTest(130, 16 + 5, LVM_SUBITEMHITTEST);
  EXPECT_EQ(hit.iItem, 0);
  EXPECT_EQ(hit.iSubItem, 1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
  // Below the items, beside the columns, outside the list.
  EXPECT_EQ(HitTest(30, 100).iItem, -1);
  EXPECT_EQ(HitTest(170, 16 + 5, LVM_SUBITEMHITTEST).iSubItem, -1);
  hit = HitTest(250, 20);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_TORIGHT));
  hit = HitTest(20, 200);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_BELOW));
}

TEST_F(ListViewTest, ItemRectanglesOfTheReportView) {
  Create(LVS_REPORT);
  AddColumn(50);
  AddColumn(100);
  Insert(0, u"");
  RECT bounds = ItemRect(0, LVIR_BOUNDS);
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.right, 150);
  EXPECT_EQ(bounds.bottom - bounds.top, 13);
  RECT label = ItemRect(0, LVIR_LABEL);
  EXPECT_EQ(label.left, 2);
  EXPECT_EQ(label.right, 50);
  RECT icon = ItemRect(0, LVIR_ICON);
  EXPECT_EQ(icon.left, 2);
  EXPECT_EQ(icon.right, 2);
  EXPECT_EQ(ItemRect(0, LVIR_SELECTBOUNDS).left, 2);
}

TEST_F(ListViewTest, IconViewHitTestsTheIconsLabel) {
  Create(LVS_ICON | LVS_SHAREIMAGELISTS);
  Fill(3);
  // Without images the label hangs below the item's box (43 pixels, the spacing less an icon)
  // and only its part inside the box is the item's, as in Wine.
  SendMessageW(list, LVM_ARRANGE, LVA_DEFAULT, 0);
  RECT label = ItemRect(1, LVIR_LABEL);
  EXPECT_EQ(label.top, 38);
  EXPECT_EQ(HitTest((label.left + label.right) / 2, label.top + 1).iItem, 1);
  EXPECT_EQ(HitTest((label.left + label.right) / 2, 45).iItem, -1);
  // With images the spacing takes the icon in: the label lies inside, and so does the icon.
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(static_cast<uintptr_t>(0x1C0));
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
  SendMessageW(list, LVM_ARRANGE, LVA_DEFAULT, 0);
  label = ItemRect(1, LVIR_LABEL);
  LVHITTESTINFO hit = HitTest((label.left + label.right) / 2, (label.top + label.bottom) / 2);
  EXPECT_EQ(hit.iItem, 1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
  RECT icon = ItemRect(1, LVIR_ICON);
  hit = HitTest((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
  EXPECT_EQ(hit.iItem, 1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMICON));
}

// ---------------------------------------------------------------------------------------------
// Keys.

TEST_F(ListViewTest, PageKeysMoveByAScreenfulInTheReportView) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(30);
  SetFocus(list);
  SetState(0, kFocusSelect, kFocusSelect);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0), 10);
  cesim::PressKey(VK_NEXT);
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), 9);  // the last row of the page
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
  cesim::PressKey(VK_NEXT);
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), 18);  // a page further, scrolled there
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 9);
  cesim::PressKey(VK_PRIOR);
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), 9);  // the top row
  cesim::PressKey(VK_PRIOR);
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
}

TEST_F(ListViewTest, PageKeysMoveByAScreenfulInTheListView) {
  Create(LVS_LIST);
  Fill(40);
  SetFocus(list);
  SetState(0, kFocusSelect, kFocusSelect);
  int page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  cesim::PressKey(VK_NEXT);
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), page);
  cesim::PressKey(VK_PRIOR);
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), 0);
  // Right moves a column of rows on.
  cesim::PressKey(VK_RIGHT);
  int perColumn = (150 - GetSystemMetrics(SM_CYHSCROLL) - 2) / 13;
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), perColumn);
}

TEST_F(ListViewTest, EnterReturnsAndActivatesTheFocusedItem) {
  Create(LVS_REPORT);
  Fill(2);
  SetFocus(list);
  SetState(1, kFocusSelect, kFocusSelect);
  MessageRecorder recorder;
  Record(recorder);
  recorder.Ignore({WM_COMMAND});
  cesim::PressKey(VK_RETURN);
  EXPECT_TRUE(recorder.Sequence({Note(LVN_KEYDOWN, "key 0xd"), Note(NM_RETURN), Note(LVN_ITEMACTIVATE, "item 1")}));
}

TEST_F(ListViewTest, ParentDestroyingTheListOnAKeyStopsIt) {
  Create(LVS_REPORT);
  Fill(3);
  SetFocus(list);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_KEYDOWN) DestroyWindow(hdr->hwndFrom);
    return 0;
  };
  cesim::PressKey(VK_DOWN);
  EXPECT_FALSE(IsWindow(list));
}

// ---------------------------------------------------------------------------------------------
// Taps.

TEST_F(ListViewTest, ATapSelectsAndFocusesThenClicks) {
  Create(LVS_REPORT | LVS_SHOWSELALWAYS);
  AddColumn(150);
  Fill(3);
  SetState(0, kFocusSelect, kFocusSelect);
  MessageRecorder recorder;
  Record(recorder);
  ASSERT_TRUE(cesim::TapListItem(list, 2));
  EXPECT_TRUE(recorder.Sequence({
      Note(NM_RECOGNIZEGESTURE),
      Changing(0, kFocusSelect, LVIS_FOCUSED),
      Changed(0, kFocusSelect, LVIS_FOCUSED),
      Changing(2, 0, kFocusSelect),
      Changing(0, LVIS_FOCUSED, 0),
      Changed(0, LVIS_FOCUSED, 0),
      Changed(2, 0, kFocusSelect),
      Note(NM_SETFOCUS),
      Note(NM_CLICK, "item 2 sub 0"),
  }));
  EXPECT_EQ(GetFocus(), list);
  EXPECT_EQ(StateOf(2), kFocusSelect);
}

TEST_F(ListViewTest, AGestureQuestionCarriesThePressInClientCoordinatesAndTheItem) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(3);
  // Moved away from the screen's corner, so that client and screen coordinates differ.
  SetWindowPos(list, nullptr, 30, 40, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  NMRGINFO asked = {};
  int questions = 0;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == NM_RECOGNIZEGESTURE) {
      asked = *reinterpret_cast<NMRGINFO*>(hdr);
      ++questions;
    }
    return 0;
  };
  RECT item = {};
  item.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  POINT press = {item.left + 5, (item.top + item.bottom) / 2};
  cesim::TapClient(list, press);
  ASSERT_EQ(questions, 1);
  EXPECT_EQ(asked.ptAction.x, press.x);
  EXPECT_EQ(asked.ptAction.y, press.y);
  EXPECT_EQ(asked.dwItemSpec, 1u);
}

TEST_F(ListViewTest, ATapBesideTheItemsTakesTheSelectionAway) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(2);
  SetState(0, kFocusSelect, kFocusSelect);
  cesim::TapClient(list, POINT{50, 120});
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
  EXPECT_EQ(Next(-1, LVNI_FOCUSED), 0);  // the focus stays
}

TEST_F(ListViewTest, AContextMenuRequestGoesToTheParent) {
  Create(LVS_REPORT);
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Name(list, "list");
  SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(30, 40));
  EXPECT_TRUE(recorder.Sequence({{"parent", WM_CONTEXTMENU, foldwise_test::Wnd("list"), MAKELPARAM(30, 40), 0}}));
}

// Tap-and-hold: unless the parent answers the gesture question with TRUE, the list recognises the
// hold itself and sends the context menu messages to its parent.
TEST_F(ListViewTest, AHoldOnAnItemSelectsItAndAsksTheParentForItsContextMenu) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(3);
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Name(list, "list");
  Record(recorder);
  RECT item = {};
  item.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  POINT press = {item.left + 5, (item.top + item.bottom) / 2};
  POINT screen = press;
  ClientToScreen(list, &screen);
  cesim::HoldClient(list, press);
  EXPECT_EQ(StateOf(2), kFocusSelect);
  std::vector<UINT> seen;
  for (const foldwise_test::RecordedMessage& r : recorder.Recorded()) {
    if (r.message == WM_CONTEXTMENU) {
      seen.push_back(WM_CONTEXTMENU);
      EXPECT_EQ(r.lParam, MAKELPARAM(screen.x, screen.y));
    }
    if (r.message == WM_NOTIFY && (r.notifyCode == GN_CONTEXTMENU || r.notifyCode == NM_CLICK)) seen.push_back(r.notifyCode);
  }
  // The context menu messages, and no tap when the stylus lifts.
  EXPECT_EQ(seen, (std::vector<UINT>{WM_CONTEXTMENU, GN_CONTEXTMENU}));
}

TEST_F(ListViewTest, AParentThatRecognisesGesturesItselfGetsNoContextMenuFromAHold) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(3);
  int menus = 0;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == GN_CONTEXTMENU) ++menus;
    return hdr->code == NM_RECOGNIZEGESTURE ? TRUE : 0;
  };
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  Record(recorder);
  cesim::HoldClient(list, POINT{20, 22});
  EXPECT_EQ(menus, 0);
  for (const foldwise_test::RecordedMessage& r : recorder.Recorded()) EXPECT_NE(r.message, static_cast<UINT>(WM_CONTEXTMENU));
}

// ---------------------------------------------------------------------------------------------
// Label editing.

TEST_F(ListViewTest, LabelsAreEditedOnlyWithLvsEditlabels) {
  Create(LVS_REPORT);
  Fill(1);
  EXPECT_EQ(SendMessageW(list, LVM_EDITLABELW, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);
}

TEST_F(ListViewTest, EditingStartsWithAnEditHoldingTheShownText) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  AddColumn(150);
  Fill(2);
  HWND seenInBegin = nullptr;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_BEGINLABELEDITW) {
      seenInBegin = reinterpret_cast<HWND>(SendMessageW(hdr->hwndFrom, LVM_GETEDITCONTROL, 0, 0));
      // The Explorer's pane cuts the extension off here.
      SetWindowTextW(seenInBegin, u"item");
    }
    return 0;
  };
  MessageRecorder recorder;
  Record(recorder);
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 1, 0));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(seenInBegin, edit);
  EXPECT_EQ(GetParent(edit), list);
  EXPECT_EQ(GetFocus(), edit);
  WCHAR cls[16] = {};
  GetClassNameW(edit, cls, 16);
  EXPECT_TRUE(cesim::Describe(edit).className == u"Edit");
  WCHAR text[32] = {};
  GetWindowTextW(edit, text, 32);
  EXPECT_EQ(std::u16string(text), u"item");
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 4u);
  const std::vector<foldwise_test::RecordedMessage>& seen = recorder.Recorded();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(StateOf(1), kFocusSelect);
  bool begin = false;
  for (const auto& row : seen) begin = begin || (row.notifyCode == LVN_BEGINLABELEDITW && row.detail == "item 1 text \"item B\"");
  EXPECT_TRUE(begin);
}

TEST_F(ListViewTest, ParentRefusingToEditLeavesNoEdit) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  Fill(1);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_BEGINLABELEDITW ? TRUE : 0; };
  MessageRecorder recorder;
  Record(recorder);
  EXPECT_EQ(SendMessageW(list, LVM_EDITLABELW, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);
  for (const auto& row : recorder.Recorded()) EXPECT_NE(row.notifyCode, static_cast<UINT>(LVN_ENDLABELEDITW));
  EXPECT_EQ(cesim::FindWindows({u"Edit", std::nullopt, std::nullopt, false}).size(), 0u);
}

TEST_F(ListViewTest, EnterEndsTheEditWithTheTypedTextWhichTheItemTakesWhenAccepted) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  AddColumn(150);
  Fill(2);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_ENDLABELEDITW ? TRUE : 0; };
  ASSERT_NE(SendMessageW(list, LVM_EDITLABELW, 0, 0), 0);
  ASSERT_TRUE(cesim::TypeIntoListLabelEdit(list, u"Renamed"));
  MessageRecorder recorder;
  Record(recorder);
  cesim::PressKey(VK_RETURN);
  EXPECT_TRUE(recorder.Sequence({
      Note(LVN_ENDLABELEDITW, "item 0 text \"Renamed\""),
      Note(NM_SETFOCUS),
      Note(LVN_ITEMCHANGING),
      Note(LVN_ITEMCHANGED),
  }));
  EXPECT_EQ(TextOf(0), u"Renamed");
  EXPECT_EQ(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);
  EXPECT_EQ(GetFocus(), list);
}

TEST_F(ListViewTest, TheItemKeepsItsTextWhenTheParentDoesNotAccept) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  Fill(1);
  ASSERT_NE(SendMessageW(list, LVM_EDITLABELW, 0, 0), 0);
  ASSERT_TRUE(cesim::TypeIntoListLabelEdit(list, u"Renamed"));
  cesim::PressKey(VK_RETURN);
  EXPECT_EQ(TextOf(0), u"item A");
}

TEST_F(ListViewTest, EscapeEndsTheEditWithoutText) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  Fill(1);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_ENDLABELEDITW ? TRUE : 0; };
  ASSERT_NE(SendMessageW(list, LVM_EDITLABELW, 0, 0), 0);
  cesim::TypeIntoListLabelEdit(list, u"Renamed");
  MessageRecorder recorder;
  Record(recorder);
  cesim::PressKey(VK_ESCAPE);
  EXPECT_TRUE(recorder.Sequence({Note(LVN_ENDLABELEDITW, "item 0 no text"), Note(NM_SETFOCUS)}));
  EXPECT_EQ(TextOf(0), u"item A");
}

TEST_F(ListViewTest, LosingTheFocusEndsTheEditKeepingTheText) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  Fill(1);
  HWND other = CreateWindowExW(0, u"Edit", u"", WS_CHILD | WS_VISIBLE, 0, 200, 50, 20, parent, nullptr, nullptr, nullptr);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_ENDLABELEDITW ? TRUE : 0; };
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 0, 0));
  ASSERT_NE(edit, nullptr);
  cesim::TypeIntoListLabelEdit(list, u"Moved");
  SetFocus(other);
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(TextOf(0), u"Moved");
  EXPECT_EQ(GetFocus(), other);
}

TEST_F(ListViewTest, AnUnchangedLabelEndsWithoutText) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  Fill(1);
  ASSERT_NE(SendMessageW(list, LVM_EDITLABELW, 0, 0), 0);
  MessageRecorder recorder;
  Record(recorder);
  cesim::PressKey(VK_RETURN);
  EXPECT_TRUE(recorder.Sequence({Note(LVN_ENDLABELEDITW, "item 0 no text"), Note(NM_SETFOCUS)}));
}

TEST_F(ListViewTest, ATapOnASelectedLabelStartsEditingAfterTheDoubleTapTime) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  AddColumn(150);
  Fill(2);
  ASSERT_TRUE(cesim::TapListItem(list, 1));
  EXPECT_EQ(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);
  ASSERT_TRUE(cesim::TapListItem(list, 1));
  EXPECT_EQ(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);  // not yet: it may be a double tap
  cesim::AdvanceClock(600);
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetFocus(), edit);
}

TEST_F(ListViewTest, AutomationStartsEditingAndTypesIntoTheEdit) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  AddColumn(150);
  Fill(3);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_ENDLABELEDITW ? TRUE : 0; };
  HWND edit = cesim::StartListLabelEdit(list, 2);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(cesim::TypeIntoListLabelEdit(list, u"Typed"));
  cesim::PressKey(VK_RETURN);
  EXPECT_EQ(TextOf(2), u"Typed");
  EXPECT_FALSE(cesim::TypeIntoListLabelEdit(list, u"more"));
}

TEST_F(ListViewTest, ParentDestroyingTheListWhenEditingEndsStopsIt) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  Fill(1);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code != LVN_ENDLABELEDITW) return 0;
    DestroyWindow(hdr->hwndFrom);
    return TRUE;
  };
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 0, 0));
  ASSERT_NE(edit, nullptr);
  cesim::TypeIntoListLabelEdit(list, u"Gone");
  cesim::PressKey(VK_RETURN);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_FALSE(IsWindow(edit));
}

TEST_F(ListViewTest, EditingAnotherItemEndsTheFirstEdit) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  Fill(2);
  MessageRecorder recorder;
  Record(recorder);
  HWND first = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 0, 0));
  ASSERT_NE(first, nullptr);
  HWND second = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 1, 0));
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(first));
  int ends = 0;
  for (const auto& row : recorder.Recorded()) ends += row.notifyCode == LVN_ENDLABELEDITW ? 1 : 0;
  EXPECT_EQ(ends, 1);
  // -1 ends the edit and starts none.
  EXPECT_EQ(SendMessageW(list, LVM_EDITLABELW, static_cast<WPARAM>(-1), 0), 0);
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(GetFocus(), list);
}

// ---------------------------------------------------------------------------------------------
// Scrolling.

TEST_F(ListViewTest, ScrollingTheReportViewGoesByWholeRows) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(30);
  EXPECT_TRUE(SendMessageW(list, LVM_SCROLL, 0, 13 * 3 + 5));  // rounds to 3 rows
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 3);
  EXPECT_TRUE(SendMessageW(list, LVM_SCROLL, 0, 7));  // rounds up to a row
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 4);
  EXPECT_TRUE(SendMessageW(list, LVM_SCROLL, 0, -1000));
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
  // Not past the last page.
  EXPECT_TRUE(SendMessageW(list, LVM_SCROLL, 0, 13 * 100));
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 20);
  EXPECT_EQ(ItemRect(20, LVIR_BOUNDS).top, 16);
  EXPECT_EQ(cesim::ReadListView(list).rows.front().item, 20);
}

TEST_F(ListViewTest, EnsureVisibleScrollsAnItemIntoView) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(30);
  EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 15, FALSE));
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 6);  // the item on the last row
  EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 2, FALSE));
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 2);
  EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 5, FALSE));
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 2);  // shown already
}

TEST_F(ListViewTest, TheListViewScrollsByColumnsAndNotVertically) {
  Create(LVS_LIST);
  Fill(40);
  EXPECT_FALSE(SendMessageW(list, LVM_SCROLL, 0, 10));
  EXPECT_TRUE(SendMessageW(list, LVM_SCROLL, 1, 0));
  int perColumn = (150 - GetSystemMetrics(SM_CYHSCROLL) - 2) / 13;
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), perColumn);
}

// ---------------------------------------------------------------------------------------------
// Parents that destroy the control while it notifies them, where the real one survives it: it
// checks that it still exists, or the parent's TRUE ends the change.

TEST_F(ListViewTest, ParentMayDestroyTheListWhileItDeletesOneItem) {
  Create(LVS_REPORT);
  Fill(3);
  int deleted = 0;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_DELETEITEM && ++deleted == 1) DestroyWindow(hdr->hwndFrom);
    return 0;
  };
  EXPECT_FALSE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(deleted, 1 + 3);  // the one it was told, then the destruction's own three
}

TEST_F(ListViewTest, ParentRefusingAChangeMayDestroyTheList) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(2);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code != LVN_ITEMCHANGING) return 0;
    DestroyWindow(hdr->hwndFrom);
    return TRUE;
  };
  EXPECT_TRUE(cesim::TapListItem(list, 1));
  EXPECT_FALSE(IsWindow(list));
}

// What the real control does not survive: it goes on using its state after these notifications
// return, so destroying it there is reported and stops the test program.
using ListViewDeathTest = ListViewTest;

TEST_F(ListViewDeathTest, ListDestroyedWhileItDeletesAllIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  Create(LVS_REPORT);
  Fill(3);
  bool destroyed = false;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_DELETEITEM && !destroyed) {
      destroyed = true;
      DestroyWindow(hdr->hwndFrom);
    }
    return 0;
  };
  EXPECT_DEATH(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0),
               "SysListView32 control .* destroyed inside its LVN_DELETEITEM notification");
}

TEST_F(ListViewDeathTest, ListDestroyedInsideAChangeItAllowsIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(2);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_ITEMCHANGING) DestroyWindow(hdr->hwndFrom);
    return 0;
  };
  EXPECT_DEATH(cesim::TapListItem(list, 1), "destroyed inside its LVN_ITEMCHANGING notification");
}

TEST_F(ListViewDeathTest, ListDestroyedWhileItAsksForATextIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  Create(LVS_REPORT);
  AddColumn(150);
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.pszText = LPSTR_TEXTCALLBACKW;
  ASSERT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), 0);
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_GETDISPINFOW) DestroyWindow(hdr->hwndFrom);
    return 0;
  };
  WCHAR buffer[32] = {};
  LVITEMW read = {};
  read.mask = LVIF_TEXT;
  read.pszText = buffer;
  read.cchTextMax = 32;
  EXPECT_DEATH(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read)),
               "destroyed inside its LVN_GETDISPINFO notification");
}

}  // namespace
