// The list view's items and columns as the module keeps its folder listing in them: the report
// view's header holds the columns' widths, items keep their data and sub-item texts, texts the
// parent keeps are asked for with the caller's buffer, deleting tells the parent of each item, and
// a sorted list inserts by text without regard to letter case.
#include "list_fixture.h"

namespace conformance {
namespace {

class ListItemsTest : public ListTest {};

TEST_F(ListItemsTest, TheReportViewHasItsHeaderAsChildAboveTheRows) {
  Create(LVS_REPORT);
  HWND header = Header();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(GetParent(header), list);
  WCHAR cls[32] = {};
  GetClassNameW(header, cls, 32);
  EXPECT_EQ(Text(cls), WC_HEADERW);
  AddColumn(100);
  Insert(0, TEXT("first"));
  RECT headerRect;
  GetWindowRect(header, &headerRect);
  EXPECT_GT(headerRect.bottom - headerRect.top, 0);
  EXPECT_EQ(ItemRect(0, LVIR_BOUNDS).top, headerRect.bottom - headerRect.top);
}

TEST_F(ListItemsTest, ColumnWidthsAreTheHeadersWidths) {
  Create(LVS_REPORT);
  EXPECT_EQ(AddColumn(100, TEXT("Name")), 0);
  EXPECT_EQ(AddColumn(60, TEXT("Size")), 1);
  EXPECT_EQ(SendMessageW(Header(), HDM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(Width(1), 60);
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(75, 0)));
  HDITEMW item = {};
  item.mask = HDI_WIDTH;
  EXPECT_TRUE(SendMessageW(Header(), HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.cxy, 75);
  // The header's widths are the list's.
  item.cxy = 33;
  EXPECT_TRUE(SendMessageW(Header(), HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(Width(1), 33);
  // Autosizing fits the texts: a longer text makes a wider column.
  Insert(0, TEXT("ab"));
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE, 0)));
  int shortWidth = Width(0);
  EXPECT_GT(shortWidth, 0);
  Insert(1, TEXT("a much longer text"));
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE, 0)));
  EXPECT_GT(Width(0), shortWidth);
  EXPECT_EQ(Width(5), 0);
}

TEST_F(ListItemsTest, ItemsKeepTheirDataAndTheirSubItemsTexts) {
  Create(LVS_REPORT);
  AddColumn(100);
  AddColumn(60);
  EXPECT_EQ(Insert(0, TEXT("second"), 2), 0);
  EXPECT_EQ(Insert(0, TEXT("first"), 1), 0);
  EXPECT_EQ(Insert(7, TEXT("third"), 3), 2);  // past the end: appended
  EXPECT_EQ(Count(), 3);
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = 1;
  EXPECT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.lParam, 2);
  EXPECT_TRUE(SetSubText(1, 1, TEXT("12 KB")));
  EXPECT_EQ(TextOf(1, 1), TEXT("12 KB"));
  EXPECT_EQ(TextOf(1, 0), TEXT("second"));
  EXPECT_EQ(TextOf(0, 1), TEXT(""));
  WCHAR text[32] = {};
  LVITEMW get = {};
  get.iSubItem = 1;
  get.pszText = text;
  get.cchTextMax = 32;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&get)), 5);
  EXPECT_EQ(Text(text), TEXT("12 KB"));
  EXPECT_EQ(TextOf(5), TEXT("<none>"));
}

TEST_F(ListItemsTest, TextsAreCutToTheCallersBuffer) {
  Create(LVS_REPORT);
  AddColumn(100);
  Insert(0, TEXT("Parent folder"));
  WCHAR text[8];
  for (WCHAR& c : text) c = '#';
  LVITEMW get = {};
  get.pszText = text;
  get.cchTextMax = 7;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&get)), 6);
  EXPECT_EQ(Text(text), TEXT("Parent"));
  EXPECT_EQ(text[7], '#');
}

TEST_F(ListItemsTest, ATextTheParentKeepsIsAskedForOnceWithTheCallersBuffer) {
  Create(LVS_REPORT);
  AddColumn(100);
  LVITEMW insert = {};
  insert.mask = LVIF_TEXT | LVIF_PARAM;
  insert.pszText = LPSTR_TEXTCALLBACKW;
  insert.lParam = 5;
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
  WCHAR text[32] = {};
  LPWSTR offered = nullptr;
  LPARAM param = 0;
  OnNotify([&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != LVN_GETDISPINFOW) return 0;
    auto* di = reinterpret_cast<NMLVDISPINFOW*>(hdr);
    offered = di->item.pszText;
    param = di->item.lParam;
    const WCHAR answer[] = TEXT("Letter.doc");
    for (int i = 0; i < di->item.cchTextMax; ++i) {
      di->item.pszText[i] = answer[i];
      if (answer[i] == 0) break;
    }
    return 0;
  });
  RecordNotifications({LVN_GETDISPINFOW});
  LVITEMW get = {};
  get.mask = LVIF_TEXT;
  get.pszText = text;
  get.cchTextMax = 32;
  EXPECT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&get)));
  EXPECT_EQ(Text(text), TEXT("Letter.doc"));
  EXPECT_EQ(offered, text);
  EXPECT_EQ(param, 5);
  EXPECT_TRUE(recorder.Sequence({Note(LVN_GETDISPINFOW, "item 0 sub 0 mask 0x1 size 32")}));
}

TEST_F(ListItemsTest, DeletingAllTellsTheParentThenEachItemFromTheLast) {
  Create(LVS_REPORT);
  Fill(3);
  SetState(0, kFocusSelect, kFocusSelect);
  RecordNotifications({LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_ITEMCHANGING, LVN_ITEMCHANGED});
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_TRUE(recorder.Sequence({
      Note(LVN_DELETEALLITEMS, "item -1 param 0"),
      Note(LVN_DELETEITEM, "item 2 param 102"),
      Note(LVN_DELETEITEM, "item 1 param 101"),
      Note(LVN_DELETEITEM, "item 0 param 100"),
  }));
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), -1);
  // TRUE spares the parent each item.
  Fill(2);
  OnNotify([](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_DELETEALLITEMS ? TRUE : 0; });
  recorder.Flush();
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_TRUE(recorder.Sequence({Note(LVN_DELETEALLITEMS, "item -1 param 0")}));
  EXPECT_EQ(Count(), 0);
}

TEST_F(ListItemsTest, DestroyingTheListDeletesItsItemsAloud) {
  Create(LVS_REPORT);
  Fill(2);
  RecordNotifications({LVN_DELETEALLITEMS, LVN_DELETEITEM});
  DestroyWindow(list);
  EXPECT_TRUE(recorder.Sequence({
      Note(LVN_DELETEALLITEMS, "item -1 param 0"),
      Note(LVN_DELETEITEM, "item 1 param 101"),
      Note(LVN_DELETEITEM, "item 0 param 100"),
  }));
}

TEST_F(ListItemsTest, ASortedListInsertsByText) {
  Create(LVS_REPORT | LVS_SORTASCENDING);
  AddColumn(100);
  Insert(0, TEXT("pear"));
  Insert(0, TEXT("Zucchini"));
  EXPECT_EQ(Insert(0, TEXT("apple")), 0);
  EXPECT_EQ(Insert(0, TEXT("melon")), 1);
  EXPECT_EQ(TextOf(0), TEXT("apple"));
  EXPECT_EQ(TextOf(1), TEXT("melon"));
  EXPECT_EQ(TextOf(2), TEXT("pear"));
  EXPECT_EQ(TextOf(3), TEXT("Zucchini"));
}

}  // namespace
}  // namespace conformance
