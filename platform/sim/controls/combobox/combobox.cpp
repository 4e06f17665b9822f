// The "ComboBox" class as a drop-down list (CBS_DROPDOWNLIST): a field that shows the selected
// item and a list of items that drops down under it. Items are kept in the order inserted, or
// sorted without letter case (CBS_SORT) as they are added; each carries a value of the caller's
// (CB_SETITEMDATA). The user changes the selection with the arrow keys, or drops the list (a tap,
// F4, Alt+Down) and taps an item; the parent hears CBN_SELCHANGE for every change the user makes,
// never for CB_SETCURSEL. The other kinds of combo box (CBS_SIMPLE, CBS_DROPDOWN, which have an
// edit field) behave as drop-down lists here.
#include "controls/combobox/combobox.h"

#include <algorithm>
#include <string>
#include <vector>

#include "controls/common/control.h"
#include "controls/common/text.h"
#include "sim/controls.h"
#include "sim/core.h"
#include "sim/dialog.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

const char16_t kListClass[] = u"ComboLBox";
// The longest item text taken; a longer one is cut.
constexpr size_t kLongestItem = 32767;
// The items the dropped list shows at once before it scrolls.
constexpr int kVisibleItems = 8;

struct Item {
  std::u16string text;
  LPARAM data = 0;
};

struct ComboInstance : ControlInstance {
  void CheckInvariants() override;

  std::vector<Item> items;
  int selected = CB_ERR;   // the index shown in the field, or CB_ERR
  int listTop = 0;         // the first item the dropped list shows
  HWND list = nullptr;     // the dropped list while it shows
  bool focused = false;
  bool trackingTap = false;  // the tap that dropped the list is still down
};

using ComboPtr = std::shared_ptr<ComboInstance>;

// What the combo box tells its parent. A parent may destroy the control on any of them: the real
// control checks that its window still exists after each.
const Notification kSelChange = {static_cast<UINT>(CBN_SELCHANGE), "CBN_SELCHANGE", AfterNotify::ReturnsAtOnce};
const Notification kSetFocus = {static_cast<UINT>(CBN_SETFOCUS), "CBN_SETFOCUS", AfterNotify::ReturnsAtOnce};
const Notification kKillFocus = {static_cast<UINT>(CBN_KILLFOCUS), "CBN_KILLFOCUS", AfterNotify::ReturnsAtOnce};
const Notification kDropDown = {static_cast<UINT>(CBN_DROPDOWN), "CBN_DROPDOWN", AfterNotify::ReturnsAtOnce};
const Notification kCloseUp = {static_cast<UINT>(CBN_CLOSEUP), "CBN_CLOSEUP", AfterNotify::ReturnsAtOnce};
const Notification kSelEndOk = {static_cast<UINT>(CBN_SELENDOK), "CBN_SELENDOK", AfterNotify::ReturnsAtOnce};
const Notification kSelEndCancel = {static_cast<UINT>(CBN_SELENDCANCEL), "CBN_SELENDCANCEL",
                                    AfterNotify::ReturnsAtOnce};

int ItemHeight() { return SystemFontHeight() + 2; }

int Count(const ComboInstance& c) { return static_cast<int>(c.items.size()); }

bool Valid(const ComboInstance& c, WPARAM index) {
  const int i = static_cast<int>(index);
  return i >= 0 && i < Count(c);
}

void ComboInstance::CheckInvariants() {
  CESIM_CHECK_INVARIANT(selected == CB_ERR || (selected >= 0 && selected < Count(*this)), "selection within the items");
  CESIM_CHECK_INVARIANT(listTop >= 0, "the dropped list's first item");
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)); }

bool IsSorted(HWND hwnd) { return (StyleOf(hwnd) & CBS_SORT) != 0; }

// The text an item is given with, in the letter case that the style asks for.
std::u16string ItemText(HWND hwnd, LPARAM lParam) {
  std::u16string text = lParam != 0 ? TextUpTo(reinterpret_cast<LPCWSTR>(lParam), kLongestItem) : std::u16string();
  const DWORD style = StyleOf(hwnd);
  for (char16_t& c : text) {
    if ((style & CBS_UPPERCASE) != 0 && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if ((style & CBS_LOWERCASE) != 0 && c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

// Where a sorted list takes a new text: after every item that sorts before it or equal to it.
int SortedPosition(const ComboInstance& c, const std::u16string& text) {
  int low = 0;
  int high = Count(c);
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (lstrcmpiW(c.items[static_cast<size_t>(middle)].text.c_str(), text.c_str()) <= 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

LRESULT Insert(ComboInstance& c, int position, const std::u16string& text) {
  if (position < 0 || position > Count(c)) return CB_ERR;
  Item item;
  item.text = text;
  c.items.insert(c.items.begin() + position, item);
  if (c.selected != CB_ERR && c.selected >= position) ++c.selected;
  return position;
}

LRESULT OnDeleteString(ComboInstance& c, WPARAM index) {
  if (!Valid(c, index)) return CB_ERR;
  const int i = static_cast<int>(index);
  c.items.erase(c.items.begin() + i);
  if (c.selected == i) {
    c.selected = CB_ERR;
  } else if (c.selected > i) {
    --c.selected;
  }
  c.listTop = std::min(c.listTop, std::max(0, Count(c) - 1));
  return Count(c);
}

// The first item after `start` (-1: from the first) whose text begins with, or is, `text`, going
// round to the start of the list.
LRESULT Find(const ComboInstance& c, WPARAM start, LPARAM lParam, bool exact) {
  if (lParam == 0 || c.items.empty()) return CB_ERR;
  const std::u16string text = TextUpTo(reinterpret_cast<LPCWSTR>(lParam), kLongestItem);
  const int count = Count(c);
  const int first = Valid(c, start) ? static_cast<int>(start) + 1 : 0;
  for (int step = 0; step < count; ++step) {
    const int i = (first + step) % count;
    const std::u16string& item = c.items[static_cast<size_t>(i)].text;
    const std::u16string compared = exact ? item : item.substr(0, std::min(item.size(), text.size()));
    if ((exact || item.size() >= text.size()) && lstrcmpiW(compared.c_str(), text.c_str()) == 0) return i;
  }
  return CB_ERR;
}

LRESULT OnGetLbText(const ComboInstance& c, WPARAM index, LPARAM lParam) {
  if (!Valid(c, index) || lParam == 0) return CB_ERR;
  const std::u16string& text = c.items[static_cast<size_t>(index)].text;
  WCHAR* out = reinterpret_cast<WCHAR*>(lParam);
  std::copy(text.begin(), text.end(), out);
  out[text.size()] = 0;
  return static_cast<LRESULT>(text.size());
}

// WM_GETTEXT: the selected item's text, cut to the buffer.
LRESULT OnGetText(const ComboInstance& c, WPARAM count, LPARAM lParam) {
  if (count == 0 || lParam == 0) return 0;
  WCHAR* out = reinterpret_cast<WCHAR*>(lParam);
  if (c.selected == CB_ERR) {
    out[0] = 0;
    return 0;
  }
  const std::u16string& text = c.items[static_cast<size_t>(c.selected)].text;
  const size_t length = std::min(text.size(), static_cast<size_t>(count) - 1);
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), out);
  out[length] = 0;
  return static_cast<LRESULT>(length);
}

void KeepSelectionInView(ComboInstance& c) {
  if (c.selected == CB_ERR) return;
  if (c.selected < c.listTop) c.listTop = c.selected;
  if (c.selected >= c.listTop + kVisibleItems) c.listTop = c.selected - kVisibleItems + 1;
}

// The user's choice of an item: the field shows it and the parent hears of the change.
void SelectByUser(const ComboPtr& c, int index) {
  if (index < 0 || index >= Count(*c) || index == c->selected) return;
  c->selected = index;
  KeepSelectionInView(*c);
  CommandParent(*c, kSelChange);
}

// A key that moves the selection: it goes to the item, kept within the list, and the parent hears
// CBN_SELCHANGE for every such key while the list has items, also when the selection stays where
// it was (the first item and Up, the last and Down), as the platform's list tells its combo box.
void SelectByKey(const ComboPtr& c, int index) {
  if (c->items.empty()) return;
  c->selected = std::max(0, std::min(index, Count(*c) - 1));
  KeepSelectionInView(*c);
  CommandParent(*c, kSelChange);
}

bool IsDropped(const ComboInstance& c) { return c.list != nullptr; }

void DropDown(const ComboPtr& c) {
  if (IsDropped(*c)) return;
  CommandParent(*c, kDropDown);
  if (IsGone(*c) || IsDropped(*c)) return;
  RECT field;
  GetWindowRect(c->hwnd, &field);
  const int shown = std::max(1, std::min(Count(*c), kVisibleItems));
  c->listTop = 0;
  KeepSelectionInView(*c);
  HWND list = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kListClass, u"", WS_POPUP | WS_BORDER, field.left, field.bottom,
                              field.right - field.left, shown * ItemHeight() + 2, c->hwnd, nullptr, nullptr, nullptr);
  if (list == nullptr || IsGone(*c)) return;
  SetWindowLongPtrW(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(c->hwnd));
  c->list = list;
  SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (!c->trackingTap && IsWindow(list)) SetCapture(list);
}

// Closes the dropped list: CBN_SELENDOK when the user took the selection, CBN_SELENDCANCEL when
// not, then CBN_CLOSEUP.
void RollUp(const ComboPtr& c, bool ok) {
  if (!IsDropped(*c)) return;
  CommandParent(*c, ok ? kSelEndOk : kSelEndCancel);
  if (IsGone(*c) || !IsDropped(*c)) return;
  HWND list = c->list;
  c->list = nullptr;
  c->trackingTap = false;
  if (GetCapture() == list || GetCapture() == c->hwnd) ReleaseCapture();
  DestroyWindow(list);
  if (IsGone(*c)) return;
  CommandParent(*c, kCloseUp);
}

void Flip(const ComboPtr& c) {
  if (IsDropped(*c)) {
    RollUp(c, true);
  } else {
    DropDown(c);
  }
}

LRESULT OnKeyDown(const ComboPtr& c, UINT vk) {
  const int count = Count(*c);
  switch (vk) {
    case VK_F4:
      Flip(c);
      return 0;
    case VK_RETURN:
    case VK_ESCAPE:
      RollUp(c, vk == VK_RETURN);
      return 0;
    case VK_DOWN:
    case VK_RIGHT:
      SelectByKey(c, c->selected == CB_ERR ? 0 : c->selected + 1);
      return 0;
    case VK_UP:
    case VK_LEFT:
      SelectByKey(c, c->selected == CB_ERR ? 0 : c->selected - 1);
      return 0;
    case VK_HOME:
      SelectByKey(c, 0);
      return 0;
    case VK_END:
      SelectByKey(c, count - 1);
      return 0;
    case VK_NEXT:
      SelectByKey(c, (c->selected == CB_ERR ? 0 : c->selected) + kVisibleItems - 1);
      return 0;
    case VK_PRIOR:
      SelectByKey(c, (c->selected == CB_ERR ? 0 : c->selected) - kVisibleItems + 1);
      return 0;
    default:
      return 0;
  }
}

// A typed character selects the next item that begins with it.
LRESULT OnChar(const ComboPtr& c, char16_t ch) {
  if (ch < 0x20) return 0;
  const char16_t text[2] = {ch, 0};
  const LRESULT found = Find(*c, static_cast<WPARAM>(c->selected), reinterpret_cast<LPARAM>(text), false);
  if (found != CB_ERR) SelectByKey(c, static_cast<int>(found));
  return 0;
}

LRESULT OnLButtonDown(const ComboPtr& c) {
  if (!c->focused) SetFocus(c->hwnd);
  if (IsGone(*c) || !c->focused) return 0;
  if (IsDropped(*c)) {
    RollUp(c, false);
    return 0;
  }
  // The press is the combo box's until it is lifted; then the dropped list takes the stylus.
  c->trackingTap = true;
  SetCapture(c->hwnd);
  DropDown(c);
  if (!IsGone(*c) && !IsDropped(*c)) {
    c->trackingTap = false;
    ReleaseCapture();
  }
  return 0;
}

LRESULT OnLButtonUp(const ComboPtr& c) {
  if (!c->trackingTap) return 0;
  c->trackingTap = false;
  if (GetCapture() == c->hwnd) ReleaseCapture();
  if (IsDropped(*c)) SetCapture(c->list);
  return 0;
}

LRESULT OnSetFocus(const ComboPtr& c) {
  if (c->focused) return 0;
  CommandParent(*c, kSetFocus);
  if (!IsGone(*c)) c->focused = true;
  return 0;
}

LRESULT OnKillFocus(const ComboPtr& c) {
  if (!c->focused) return 0;
  RollUp(c, false);
  if (IsGone(*c)) return 0;
  c->focused = false;
  CommandParent(*c, kKillFocus);
  return 0;
}

LRESULT OnGetDlgCode(const ComboInstance& c, LPARAM lParam) {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg != nullptr && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) &&
      IsDropped(c)) {
    code |= DLGC_WANTMESSAGE;
  }
  return code;
}

LRESULT OnSetCurSel(ComboInstance& c, WPARAM index) {
  if (!Valid(c, index)) {
    c.selected = CB_ERR;
    return CB_ERR;
  }
  c.selected = static_cast<int>(index);
  KeepSelectionInView(c);
  return c.selected;
}

LRESULT OnSelectString(ComboInstance& c, WPARAM start, LPARAM text) {
  const LRESULT found = Find(c, start, text, false);
  if (found != CB_ERR) OnSetCurSel(c, static_cast<WPARAM>(found));
  return found;
}

LRESULT OnResetContent(ComboInstance& c) {
  c.items.clear();
  c.selected = CB_ERR;
  c.listTop = 0;
  return CB_OKAY;
}

LRESULT OnDestroy(const ComboPtr& c) {
  if (c->list != nullptr) {
    HWND list = c->list;
    c->list = nullptr;
    DestroyWindow(list);
  }
  return 0;
}

LRESULT HandleMessage(const ComboPtr& c, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = c->hwnd;
  switch (message) {
    case WM_CREATE: return 0;
    case WM_DESTROY: return OnDestroy(c);
    case WM_GETDLGCODE: return OnGetDlgCode(*c, lParam);
    case WM_KEYDOWN: return OnKeyDown(c, static_cast<UINT>(wParam));
    case WM_SYSKEYDOWN:
      if (wParam == VK_DOWN || wParam == VK_UP) {
        Flip(c);
        return 0;
      }
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_CHAR: return OnChar(c, static_cast<char16_t>(wParam));
    case WM_LBUTTONDOWN: return OnLButtonDown(c);
    case WM_LBUTTONUP: return OnLButtonUp(c);
    case WM_SETFOCUS: return OnSetFocus(c);
    case WM_KILLFOCUS: return OnKillFocus(c);
    case WM_GETTEXT: return OnGetText(*c, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return c->selected == CB_ERR ? 0 : static_cast<LRESULT>(c->items[static_cast<size_t>(c->selected)].text.size());
    case WM_SETTEXT: return CB_ERR;  // a drop-down list's field shows only its items
    case CB_ADDSTRING: {
      const std::u16string text = ItemText(hwnd, lParam);
      return Insert(*c, IsSorted(hwnd) ? SortedPosition(*c, text) : Count(*c), text);
    }
    case CB_INSERTSTRING: {
      const int position = static_cast<int>(wParam) == -1 ? Count(*c) : static_cast<int>(wParam);
      return Insert(*c, position, ItemText(hwnd, lParam));
    }
    case CB_DELETESTRING: return OnDeleteString(*c, wParam);
    case CB_GETCOUNT: return Count(*c);
    case CB_GETCURSEL: return c->selected;
    case CB_SETCURSEL: return OnSetCurSel(*c, wParam);
    case CB_GETLBTEXT: return OnGetLbText(*c, wParam, lParam);
    case CB_GETLBTEXTLEN:
      return Valid(*c, wParam) ? static_cast<LRESULT>(c->items[static_cast<size_t>(wParam)].text.size()) : CB_ERR;
    case CB_GETITEMDATA: return Valid(*c, wParam) ? c->items[static_cast<size_t>(wParam)].data : CB_ERR;
    case CB_SETITEMDATA:
      if (!Valid(*c, wParam)) return CB_ERR;
      c->items[static_cast<size_t>(wParam)].data = lParam;
      return TRUE;
    case CB_RESETCONTENT: return OnResetContent(*c);
    case CB_FINDSTRING: return Find(*c, wParam, lParam, false);
    case CB_FINDSTRINGEXACT: return Find(*c, wParam, lParam, true);
    case CB_SELECTSTRING: return OnSelectString(*c, wParam, lParam);
    case CB_SHOWDROPDOWN:
      if (wParam != 0) {
        DropDown(c);
      } else {
        RollUp(c, false);
      }
      return TRUE;
    case CB_GETDROPPEDSTATE: return IsDropped(*c) ? TRUE : FALSE;
    case CB_GETITEMHEIGHT: return ItemHeight();
    case CB_GETEDITSEL:
    case CB_SETEDITSEL:
    case CB_LIMITTEXT: return CB_ERR;  // a drop-down list has no edit field
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK ComboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunControl<ComboInstance>("ComboBox", &HandleMessage, hwnd, message, wParam, lParam);
}

// The dropped list: a tap on an item chooses it and closes the list; a press outside closes it
// without a choice.
ComboPtr OwnerOf(HWND list) {
  HWND combo = reinterpret_cast<HWND>(GetWindowLongPtrW(list, GWLP_USERDATA));
  return combo != nullptr ? FindInstance<ComboInstance>(combo) : nullptr;
}

LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
    ComboPtr c = OwnerOf(hwnd);
    if (c == nullptr || c->list != hwnd) return 0;
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client;
    GetClientRect(hwnd, &client);
    const bool inside = PtInRect(&client, pt) != FALSE;
    if (message == WM_LBUTTONDOWN) {
      if (!inside) RollUp(c, false);
      return 0;
    }
    if (!inside) return 0;
    const int index = c->listTop + (pt.y - 1) / ItemHeight();
    if (index < 0 || index >= Count(*c)) return 0;
    SelectByUser(c, index);
    if (!IsGone(*c)) RollUp(c, true);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterComboBoxClass() {
  WNDCLASSW cls = {};
  cls.style = CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS;
  cls.lpfnWndProc = &ComboProc;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = u"ComboBox";
  RegisterPredefinedClass(cls);

  WNDCLASSW list = {};
  list.style = CS_DBLCLKS | CS_GLOBALCLASS;
  list.lpfnWndProc = &ListProc;
  list.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  list.lpszClassName = kListClass;
  RegisterPredefinedClass(list);
}

}  // namespace cesim::detail
