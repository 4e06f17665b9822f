// The list view and header tests' fixture.
#include "list_fixture.h"

#include <cstdio>

#include "list_notifications.h"

namespace conformance {

void ControlParentTest::SetUp() {
  ASSERT_TRUE(host.Start());
  parent = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 320});
  ASSERT_NE(parent, nullptr);
  SetHandler(parent, [this](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY || !answer_) return false;
    *result = answer_(reinterpret_cast<NMHDR*>(lParam));
    return true;
  });
  recorder.Name(parent, "parent");
  recorder.DescribeNotifications(&foldwise_test::DescribeListNotification);
  host.Activate(parent);
  recorder.Flush();
}

void ControlParentTest::RecordNotifications(std::set<UINT> codes) {
  recorder.Only({WM_NOTIFY});
  recorder.OnlyNotifications(std::move(codes));
  recorder.Flush();
}

HWND ListTest::Create(DWORD style) {
  list = CreateWindowExW(0, WC_LISTVIEWW, TEXT(""), WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 200, 150, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), host.Instance(), nullptr);
  recorder.Name(list, "list");
  return list;
}

HWND ListTest::Header() const { return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)); }

int ListTest::AddColumn(int width, LPCWSTR text) {
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH | (text != nullptr ? LVCF_TEXT : 0u);
  column.cx = width;
  column.pszText = const_cast<LPWSTR>(text);
  int count = static_cast<int>(SendMessageW(Header(), HDM_GETITEMCOUNT, 0, 0));
  return static_cast<int>(
      SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&column)));
}

int ListTest::Insert(int index, LPCWSTR text, LPARAM param) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<LPWSTR>(text);
  item.lParam = param;
  return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListTest::Fill(int count) {
  for (int i = 0; i < count; ++i) {
    WCHAR text[16] = {'i', 't', 'e', 'm', ' ', static_cast<WCHAR>('A' + i % 26), 0};
    if (i >= 26) text[6] = static_cast<WCHAR>('0' + i / 26), text[7] = 0;
    Insert(i, text, 100 + i);
  }
}

Text ListTest::TextOf(int item, int sub) {
  WCHAR text[MAX_PATH] = {};
  LVITEMW lvi = {};
  lvi.mask = LVIF_TEXT;
  lvi.iItem = item;
  lvi.iSubItem = sub;
  lvi.pszText = text;
  lvi.cchTextMax = MAX_PATH;
  if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lvi))) return TEXT("<none>");
  return text;
}

BOOL ListTest::SetSubText(int item, int sub, LPCWSTR text) {
  LVITEMW lvi = {};
  lvi.iSubItem = sub;
  lvi.pszText = const_cast<LPWSTR>(text);
  return static_cast<BOOL>(
      SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
}

UINT ListTest::StateOf(int item) const {
  return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), kFocusSelect));
}

BOOL ListTest::SetState(int item, UINT state, UINT mask) {
  LVITEMW lvi = {};
  lvi.state = state;
  lvi.stateMask = mask;
  return static_cast<BOOL>(
      SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
}

int ListTest::Count() const { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

int ListTest::Width(int column) const {
  return static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

int ListTest::Next(int start, UINT flags) const {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
}

int ListTest::SelectedCount() const { return static_cast<int>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0)); }

int ListTest::TopIndex() const { return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)); }

int ListTest::CountPerPage() const { return static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0)); }

RECT ListTest::ItemRect(int item, int code) const {
  RECT rect = {code, 0, 0, 0};
  if (!SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect))) {
    return RECT{-1, -1, -1, -1};
  }
  return rect;
}

POINT ListTest::LabelMiddle(int item) const {
  RECT label = ItemRect(item, LVIR_LABEL);
  return POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
}

POINT ListTest::Position(int item) const {
  POINT at = {-1, -1};
  SendMessageW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&at));
  return at;
}

void ListTest::SetStyle(DWORD set, DWORD clear) {
  LONG style = GetWindowLongW(list, GWL_STYLE);
  SetWindowLongW(list, GWL_STYLE, static_cast<LONG>((static_cast<DWORD>(style) & ~clear) | set));
}

void ListTest::FocusWithSelection(int item) {
  SetFocus(list);
  SetState(item, kFocusSelect, kFocusSelect);
  host.Pump();
  recorder.Flush();
}

foldwise_test::ExpectedMessage Note(UINT code, const std::string& detail) {
  foldwise_test::ExpectedMessage row;
  row.window = "parent";
  row.message = WM_NOTIFY;
  row.lParam = foldwise_test::Code(code);
  row.depth = 0;
  if (!detail.empty()) row.detail = detail;
  return row;
}

namespace {

std::string States(int item, UINT oldState, UINT newState) {
  char text[80];
  std::snprintf(text, sizeof text, "item %d old 0x%x new 0x%x changed 0x%x", item, oldState, newState,
                static_cast<UINT>(LVIF_STATE));
  return text;
}

}  // namespace

foldwise_test::ExpectedMessage Changing(int item, UINT oldState, UINT newState) {
  return Note(LVN_ITEMCHANGING, States(item, oldState, newState));
}

foldwise_test::ExpectedMessage Changed(int item, UINT oldState, UINT newState) {
  return Note(LVN_ITEMCHANGED, States(item, oldState, newState));
}

std::string HeaderWidth(int item, int width) {
  return "item " + std::to_string(item) + " mask 0x1 width " + std::to_string(width);
}

}  // namespace conformance
