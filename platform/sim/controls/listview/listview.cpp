// The list view control, class "SysListView32": items, sub-items and columns set and read by
// message, in the icon, small icon, list and report views and their changes through the window
// style, with the notifications the documentation describes, in its order. The report view's
// columns are the items of a header control, its child, whose notifications the list view passes
// on to its own parent. Every notification may re-enter the control or destroy it: after each one
// the control checks that it still exists and finds its items again by index.
#include "controls/listview/listview.h"

#include <algorithm>
#include <vector>

#include "controls/header/header.h"
#include "controls/listview/control.h"
#include "controls/listview/layout.h"
#include "sim/commctrl.h"
#include "sim/controls.h"
#include "sim/core.h"
#include "sim/dialog.h"
#include "sim/message.h"
#include "sim/metrics.h"
#include "sim/shell.h"
#include "sim/window.h"
#include "controls/common/text.h"

namespace cesim::detail {

// ---------------------------------------------------------------------------------------------
// Notifications.

const Notification kItemChanging = {LVN_ITEMCHANGING, "LVN_ITEMCHANGING", AfterNotify::UsesStateUnlessNonzero};
const Notification kItemChanged = {LVN_ITEMCHANGED, "LVN_ITEMCHANGED", AfterNotify::UsesState};
const Notification kInsertItem = {LVN_INSERTITEM, "LVN_INSERTITEM", AfterNotify::ReturnsAtOnce};
const Notification kDeleteItem = {LVN_DELETEITEM, "LVN_DELETEITEM", AfterNotify::ReturnsAtOnce};
const Notification kDeleteEachItem = {LVN_DELETEITEM, "LVN_DELETEITEM", AfterNotify::UsesState};
const Notification kDeleteAllItems = {LVN_DELETEALLITEMS, "LVN_DELETEALLITEMS", AfterNotify::UsesState};
const Notification kGetDispInfo = {LVN_GETDISPINFOW, "LVN_GETDISPINFO", AfterNotify::UsesState};
const Notification kColumnClick = {LVN_COLUMNCLICK, "LVN_COLUMNCLICK", AfterNotify::UsesState};
const Notification kKeyDown = {LVN_KEYDOWN, "LVN_KEYDOWN", AfterNotify::ReturnsAtOnce};
const Notification kReturn = {NM_RETURN, "NM_RETURN", AfterNotify::ReturnsAtOnce};
const Notification kItemActivate = {LVN_ITEMACTIVATE, "LVN_ITEMACTIVATE", AfterNotify::ReturnsAtOnce};
const Notification kClick = {NM_CLICK, "NM_CLICK", AfterNotify::ReturnsAtOnce};
const Notification kDoubleClick = {NM_DBLCLK, "NM_DBLCLK", AfterNotify::ReturnsAtOnce};
const Notification kRightClick = {NM_RCLICK, "NM_RCLICK", AfterNotify::ReturnsAtOnce};
const Notification kRecognizeGesture = {NM_RECOGNIZEGESTURE, "NM_RECOGNIZEGESTURE", AfterNotify::UsesState};
const Notification kHoldContextMenu = {GN_CONTEXTMENU, "GN_CONTEXTMENU", AfterNotify::ReturnsAtOnce};
const Notification kReleasedCapture = {NM_RELEASEDCAPTURE, "NM_RELEASEDCAPTURE", AfterNotify::ReturnsAtOnce};
const Notification kBeginDrag = {LVN_BEGINDRAG, "LVN_BEGINDRAG", AfterNotify::UsesState};
const Notification kSetFocus = {NM_SETFOCUS, "NM_SETFOCUS", AfterNotify::ReturnsAtOnce};
const Notification kKillFocus = {NM_KILLFOCUS, "NM_KILLFOCUS", AfterNotify::ReturnsAtOnce};
const Notification kBeginLabelEdit = {LVN_BEGINLABELEDITW, "LVN_BEGINLABELEDIT", AfterNotify::UsesStateUnlessNonzero};
const Notification kEndLabelEdit = {LVN_ENDLABELEDITW, "LVN_ENDLABELEDIT", AfterNotify::ReturnsAtOnce};

LRESULT PassOn(ListView& lv, NMHDR* hdr) {
  if (!IsWindow(lv.notify)) return 0;
  return SendMessageW(lv.notify, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

namespace {

LRESULT NotifyItem(ListView& lv, const Notification& notification, int index, LPARAM lParam) {
  NMLISTVIEW nm = {};
  nm.iItem = index;
  nm.lParam = lParam;
  return NotifyParent(lv, notification, &nm.hdr);
}

// The text read from a buffer the parent wrote into: up to its terminator, within the buffer.
std::u16string TextInBuffer(LPCWSTR buffer, int size) {
  std::u16string text;
  if (buffer == nullptr || size <= 0) return text;
  for (int i = 0; i < size - 1 && buffer[i] != 0; ++i) text.push_back(buffer[i]);
  return text;
}

// Copies a text into a caller's buffer, cut to fit with its terminator; the number of characters
// written before the terminator.
int CopyToBuffer(const std::u16string& text, LPWSTR buffer, int size) {
  if (buffer == nullptr || buffer == LPSTR_TEXTCALLBACKW || size <= 0) return 0;
  size_t count = std::min(text.size(), static_cast<size_t>(size) - 1);
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count), buffer);
  buffer[count] = 0;
  return static_cast<int>(count);
}

UINT ItemState(const ListViewPtr& lv, int index, UINT mask) {
  if (!ValidItem(*lv, index)) return 0;
  LVITEMW item = {};
  item.mask = LVIF_STATE;
  item.iItem = index;
  item.stateMask = mask;
  std::u16string unused;
  if (!QueryItem(lv, &item, &unused)) return 0;
  return item.state & mask;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Reading items as the parent shows them.

bool QueryItem(const ListViewPtr& lv, LVITEMW* item, std::u16string* text, bool* callbackMarker) {
  if (callbackMarker != nullptr) *callbackMarker = false;
  if (item == nullptr || !ValidItem(*lv, item->iItem)) return false;
  const int index = item->iItem;
  const int sub = item->iSubItem;
  const UINT mask = item->mask;
  if (mask == 0) return true;
  if (sub != 0 && (mask & LVIF_STATE) != 0) item->state = 0;
  // Asking only for the focus is answered at once.
  if (mask == LVIF_STATE && item->stateMask == LVIS_FOCUSED && (lv->callbackMask & LVIS_FOCUSED) == 0) {
    item->state = lv->focused == index && sub == 0 ? LVIS_FOCUSED : 0;
    return true;
  }
  const ListItem& li = lv->items[static_cast<size_t>(index)];
  const ListSubItem* subItem = nullptr;
  if (sub > 0 && static_cast<size_t>(sub) < li.subItems.size()) subItem = &li.subItems[static_cast<size_t>(sub)];
  bool subMissing = sub != 0 && subItem == nullptr;
  // A sub-item that was never set is the parent's to tell, like a callback.
  ListText shown = sub == 0 ? li.text : (subItem != nullptr ? subItem->text : ListText{ListText::Kind::Callback, {}});
  int storedImage = sub == 0 ? li.image : (subItem != nullptr ? subItem->image : I_IMAGECALLBACK);
  bool subImages = (lv->exStyle & LVS_EX_SUBITEMIMAGES) != 0;

  NMLVDISPINFOW di = {};
  UINT ask = 0;
  if ((mask & LVIF_STATE) != 0 && lv->callbackMask != 0 && (sub == 0 || subMissing)) {
    ask |= LVIF_STATE;
    di.item.stateMask = lv->callbackMask;
  }
  if ((mask & LVIF_IMAGE) != 0 && storedImage == I_IMAGECALLBACK && (sub == 0 || subImages)) {
    ask |= LVIF_IMAGE;
    di.item.iImage = I_IMAGECALLBACK;
  }
  if ((mask & LVIF_INDENT) != 0 && sub == 0 && li.indent == I_INDENTCALLBACK) {
    ask |= LVIF_INDENT;
    di.item.iIndent = I_INDENTCALLBACK;
  }
  if ((mask & LVIF_TEXT) != 0 && (mask & LVIF_NORECOMPUTE) == 0 && shown.Asked()) {
    ask |= LVIF_TEXT;
    di.item.pszText = item->pszText;
    di.item.cchTextMax = item->cchTextMax;
    if (di.item.pszText != nullptr && di.item.pszText != LPSTR_TEXTCALLBACKW && di.item.cchTextMax > 0) di.item.pszText[0] = 0;
  }
  if (ask != 0) {
    di.item.mask = ask;
    di.item.iItem = index;
    di.item.iSubItem = sub;
    di.item.lParam = li.lParam;
    NotifyParent(*lv, kGetDispInfo, &di.hdr);
    if (Gone(lv) || !ValidItem(*lv, index)) return false;
  }
  ListItem& after = lv->items[static_cast<size_t>(index)];
  // The parent may keep its answer in the item (LVIF_DI_SETITEM), but not in a sub-item.
  bool keep = sub == 0 && (di.item.mask & LVIF_DI_SETITEM) != 0;

  if ((ask & LVIF_IMAGE) != 0) {
    item->iImage = di.item.iImage;
    if (keep && after.image == I_IMAGECALLBACK) after.image = di.item.iImage;
  } else if ((mask & LVIF_IMAGE) != 0) {
    item->iImage = sub == 0 || subImages ? storedImage : 0;
  }

  if ((mask & LVIF_TEXT) != 0 && text != nullptr) {
    if ((ask & LVIF_TEXT) != 0) {
      LPCWSTR given = di.item.pszText;
      if (given == nullptr || given == LPSTR_TEXTCALLBACKW) text->clear();
      else if (given == item->pszText) *text = TextInBuffer(given, item->cchTextMax);
      else *text = TextUpTo(given, kMaxItemText);
      if (keep && after.text.kind == ListText::Kind::Callback && given != LPSTR_TEXTCALLBACKW) {
        SetText(after.text, text->c_str());
        ForgetTextOrder(*lv);
      }
    } else if (shown.Asked()) {
      text->clear();
      if (callbackMarker != nullptr) *callbackMarker = true;
    } else {
      *text = shown.text;
    }
  }

  if ((mask & LVIF_PARAM) != 0) item->lParam = after.lParam;
  if (sub != 0) return true;

  if ((mask & LVIF_STATE) != 0) {
    UINT state = after.state & item->stateMask;
    if ((ask & LVIF_STATE) != 0) {
      state &= ~di.item.stateMask;
      state |= di.item.state & di.item.stateMask;
    }
    item->state = state;
  }
  if ((ask & LVIF_INDENT) != 0) {
    item->iIndent = di.item.iIndent;
    if (keep && after.indent == I_INDENTCALLBACK) after.indent = di.item.iIndent;
  } else if ((mask & LVIF_INDENT) != 0) {
    item->iIndent = after.indent;
  }
  return true;
}

std::u16string ShownText(const ListViewPtr& lv, int index, int subItem) {
  WCHAR buffer[kDisplayTextSize] = {};
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.iSubItem = subItem;
  item.pszText = buffer;
  item.cchTextMax = kDisplayTextSize;
  std::u16string text;
  if (!QueryItem(lv, &item, &text)) return std::u16string();
  return text;
}

// ---------------------------------------------------------------------------------------------
// Item states, selection and focus.

namespace {

// Sets an item's fields; what changes of an existing item (and the focus and selection of a new
// one) the parent hears of before (LVN_ITEMCHANGING, which may refuse it) and after.
bool SetMainItem(const ListViewPtr& lv, const LVITEMW& in, bool isNew) {
  const int index = in.iItem;
  if (in.mask == 0) return true;
  const UINT stateMask = isNew ? ~0u : in.stateMask;  // LVM_INSERTITEMW takes the whole state
  const UINT callbackMask = lv->callbackMask;
  UINT oldState = 0;
  LPARAM oldParam = 0;
  if (!isNew) {
    LVITEMW current = {};
    current.mask = LVIF_STATE | LVIF_PARAM;
    current.iItem = index;
    current.stateMask = ~0u;
    if (!QueryItem(lv, &current, nullptr)) return false;
    oldState = current.state;
    oldParam = current.lParam;
  }
  const ListItem& item = lv->items[static_cast<size_t>(index)];
  UINT changed = 0;
  if ((in.mask & LVIF_STATE) != 0 && ((oldState ^ in.state) & stateMask & ~callbackMask) != 0) changed |= LVIF_STATE;
  if ((in.mask & LVIF_IMAGE) != 0 && item.image != in.iImage) changed |= LVIF_IMAGE;
  if ((in.mask & LVIF_PARAM) != 0 && item.lParam != in.lParam) changed |= LVIF_PARAM;
  if ((in.mask & LVIF_INDENT) != 0 && item.indent != in.iIndent) changed |= LVIF_INDENT;
  if ((in.mask & LVIF_TEXT) != 0 && TextDiffers(item.text, in.pszText)) changed |= LVIF_TEXT;

  NMLISTVIEW nm = {};
  nm.iItem = index;
  if ((in.mask & LVIF_STATE) != 0) {
    nm.uNewState = (oldState & ~stateMask) | (in.state & stateMask);
    nm.uOldState = oldState;
  }
  // A change that changes nothing is still announced, with the fields asked for.
  nm.uChanged = isNew ? LVIF_STATE : (changed != 0 ? changed : in.mask);
  nm.lParam = oldParam;
  bool tell = !isNew || ((changed & LVIF_STATE) != 0 && (in.state & (LVIS_FOCUSED | LVIS_SELECTED)) != 0);
  if (tell) {
    if (NotifyParent(*lv, kItemChanging, &nm.hdr) != 0 || Gone(lv)) return false;
    if (!ValidItem(*lv, index)) return false;
  }
  if (changed == 0) return true;

  ListItem& target = lv->items[static_cast<size_t>(index)];
  if ((in.mask & LVIF_TEXT) != 0) {
    SetText(target.text, in.pszText);
    if (!isNew) ForgetTextOrder(*lv);
  }
  if ((in.mask & LVIF_IMAGE) != 0) target.image = in.iImage;
  if ((in.mask & LVIF_PARAM) != 0) target.lParam = in.lParam;
  if ((in.mask & LVIF_INDENT) != 0) target.indent = in.iIndent;
  if ((changed & LVIF_STATE) != 0) {
    const UINT own = stateMask & ~callbackMask;  // the bits the control keeps itself
    const UINT plain = own & ~static_cast<UINT>(LVIS_FOCUSED);
    target.state = (target.state & ~plain) | (in.state & plain);
    // A single-selection list drops the other selections now, before it reports this one.
    if ((in.state & own & LVIS_SELECTED) != 0 && (lv->style & LVS_SINGLESEL) != 0) {
      DeselectAllExcept(lv, index);
      if (Gone(lv) || !ValidItem(*lv, index)) return false;
    }
    if ((own & LVIS_FOCUSED) != 0) {
      if ((in.state & LVIS_FOCUSED) != 0) {
        if (lv->focused == -1 && lv->selectionMark == -1) lv->selectionMark = index;
        // The item that had the focus loses it first, with notifications of its own.
        if (lv->focused != -1 && lv->focused != index) {
          SetItemState(lv, lv->focused, 0, LVIS_FOCUSED);
          if (Gone(lv) || !ValidItem(*lv, index)) return false;
          if (ValidItem(*lv, lv->focused) && lv->focused != index) {
            lv->items[static_cast<size_t>(lv->focused)].state &= ~static_cast<UINT>(LVIS_FOCUSED);
          }
        }
        lv->focused = index;
        lv->items[static_cast<size_t>(index)].state |= LVIS_FOCUSED;
        EnsureShown(lv, index, ViewOf(*lv) == LVS_LIST);
        if (Gone(lv) || !ValidItem(*lv, index)) return false;
      } else if (lv->focused == index) {
        lv->focused = -1;
        lv->items[static_cast<size_t>(index)].state &= ~static_cast<UINT>(LVIS_FOCUSED);
      }
    }
  }
  if (tell) {
    if ((in.mask & LVIF_PARAM) != 0) nm.lParam = in.lParam;
    NotifyParent(*lv, kItemChanged, &nm.hdr);
  }
  return true;
}

bool SetSubItem(ListView& lv, const LVITEMW& in) {
  if (in.iSubItem < 0 || static_cast<size_t>(in.iSubItem) >= lv.columns.size()) return false;
  if ((in.mask & ~static_cast<UINT>(LVIF_TEXT | LVIF_IMAGE | LVIF_STATE | LVIF_DI_SETITEM)) != 0) return false;
  if ((in.mask & (LVIF_TEXT | LVIF_IMAGE | LVIF_STATE)) == 0) return true;
  ListItem& item = lv.items[static_cast<size_t>(in.iItem)];
  if (item.subItems.size() <= static_cast<size_t>(in.iSubItem)) item.subItems.resize(static_cast<size_t>(in.iSubItem) + 1);
  ListSubItem& sub = item.subItems[static_cast<size_t>(in.iSubItem)];
  if ((in.mask & LVIF_IMAGE) != 0) sub.image = in.iImage;
  if ((in.mask & LVIF_TEXT) != 0) SetText(sub.text, in.pszText);
  return true;
}

// An item of a sorted list cannot have its text kept by the parent.
bool Assignable(const ListView& lv, const LVITEMW& item) {
  return !((item.mask & LVIF_TEXT) != 0 && item.pszText == LPSTR_TEXTCALLBACKW &&
           (lv.style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) != 0);
}

}  // namespace

bool SetItem(const ListViewPtr& lv, const LVITEMW* in) {
  if (in == nullptr || !ValidItem(*lv, in->iItem)) return false;
  if (!Assignable(*lv, *in)) return false;
  if (in->iSubItem != 0) return SetSubItem(*lv, *in);
  return SetMainItem(lv, *in, false);
}

bool SetItemState(const ListViewPtr& lv, int index, UINT state, UINT mask) {
  LVITEMW item = {};
  item.mask = LVIF_STATE;
  item.iItem = index;
  item.state = state;
  item.stateMask = mask;
  return SetItem(lv, &item);
}

void DeselectAllExcept(const ListViewPtr& lv, int keep) {
  std::vector<int> selected;
  for (int i = 0; i < ItemCount(*lv); ++i) {
    if (i != keep && (lv->items[static_cast<size_t>(i)].state & LVIS_SELECTED) != 0) selected.push_back(i);
  }
  for (int index : selected) {
    SetItemState(lv, index, 0, LVIS_SELECTED);
    if (Gone(lv)) return;
  }
}

void SetSelection(const ListViewPtr& lv, int index) {
  DeselectAllExcept(lv, index);
  if (Gone(lv)) return;
  SetItemState(lv, index, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  if (Gone(lv)) return;
  if (ValidItem(*lv, index)) lv->selectionMark = index;
}

bool SetItemFocus(const ListViewPtr& lv, int index) {
  int before = lv->focused;
  if (index == lv->focused) return false;
  SetItemState(lv, index == -1 ? lv->focused : index, index == -1 ? 0 : LVIS_FOCUSED, LVIS_FOCUSED);
  return !Gone(lv) && before != lv->focused;
}

void EnsureShown(const ListViewPtr& lv, int index, bool partial) {
  int topRow = lv->topRow;
  int firstColumn = lv->firstColumn;
  POINT scrolled = lv->scrolled;
  EnsureVisible(*lv, index, partial);
  bool moved = topRow != lv->topRow || firstColumn != lv->firstColumn || scrolled.x != lv->scrolled.x ||
               scrolled.y != lv->scrolled.y;
  // Scrolling takes a label edit's focus away, which ends it.
  if (moved && lv->edit != nullptr) SendMessageW(lv->edit, WM_KILLFOCUS, 0, 0);
}

namespace {

// The item nearest to a point in a direction among the icon views' items.
int NearestIconItem(const ListViewPtr& lv, int start, UINT direction, UINT mask) {
  std::vector<std::pair<long long, int>> candidates;
  POINT from = ValidItem(*lv, start) ? lv->items[static_cast<size_t>(start)].position : POINT{0, 0};
  POINT target = from;
  int width = ItemWidth(*lv);
  int height = ItemHeight(*lv);
  if (direction == LVNI_ABOVE) target.y -= height;
  if (direction == LVNI_BELOW) target.y += height;
  if (direction == LVNI_TOLEFT) target.x -= width;
  if (direction == LVNI_TORIGHT) target.x += width;
  for (int i = 0; i < ItemCount(*lv); ++i) {
    if (i == start) continue;
    POINT at = lv->items[static_cast<size_t>(i)].position;
    bool inDirection = start == -1 || (direction == LVNI_ABOVE && at.y < from.y) || (direction == LVNI_BELOW && at.y > from.y) ||
                       (direction == LVNI_TOLEFT && at.x < from.x) || (direction == LVNI_TORIGHT && at.x > from.x);
    if (!inDirection) continue;
    long long dx = at.x - target.x;
    long long dy = at.y - target.y;
    candidates.emplace_back(dx * dx + dy * dy, i);
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const std::pair<long long, int>& a, const std::pair<long long, int>& b) { return a.first < b.first; });
  for (const auto& candidate : candidates) {
    if ((ItemState(lv, candidate.second, mask) & mask) == mask) return candidate.second;
    if (Gone(lv)) return -1;
  }
  return -1;
}

}  // namespace

int NextItem(const ListViewPtr& lv, int start, UINT flags) {
  if (start < -1 || start >= ItemCount(*lv)) return -1;
  UINT mask = 0;
  if ((flags & LVNI_CUT) != 0) mask |= LVIS_CUT;
  if ((flags & LVNI_DROPHILITED) != 0) mask |= LVIS_DROPHILITED;
  if ((flags & LVNI_FOCUSED) != 0) mask |= LVIS_FOCUSED;
  if ((flags & LVNI_SELECTED) != 0) mask |= LVIS_SELECTED;
  auto matches = [&](int i) { return ValidItem(*lv, i) && (ItemState(lv, i, mask) & mask) == mask; };
  // There is only one focused item.
  if ((flags & LVNI_FOCUSED) != 0) {
    if (!matches(lv->focused)) return -1;
    return lv->focused == start ? -1 : lv->focused;
  }
  UINT view = ViewOf(*lv);
  bool icons = view == LVS_ICON || view == LVS_SMALLICON;
  int perColumn = CountPerColumn(*lv);
  int i = start;
  if ((flags & LVNI_ABOVE) != 0) {
    if (icons) return NearestIconItem(lv, start, LVNI_ABOVE, mask);
    while (i > 0) {
      if (matches(--i)) return i;
    }
    return -1;
  }
  if ((flags & LVNI_BELOW) != 0) {
    if (icons) return NearestIconItem(lv, start, LVNI_BELOW, mask);
    while (i + 1 < ItemCount(*lv)) {
      if (matches(++i)) return i;
    }
    return -1;
  }
  if ((flags & LVNI_TOLEFT) != 0) {
    if (icons) return NearestIconItem(lv, start, LVNI_TOLEFT, mask);
    if (view != LVS_LIST) return -1;
    while (i - perColumn >= 0) {
      i -= perColumn;
      if (matches(i)) return i;
    }
    return -1;
  }
  if ((flags & LVNI_TORIGHT) != 0) {
    if (icons) return NearestIconItem(lv, start, LVNI_TORIGHT, mask);
    if (view != LVS_LIST) return -1;
    while (i + perColumn < ItemCount(*lv)) {
      i += perColumn;
      if (matches(i)) return i;
    }
    return -1;
  }
  for (int next = start + 1; next < ItemCount(*lv); ++next) {
    if (matches(next)) return next;
  }
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Hit-testing.

int HitTest(const ListViewPtr& lv, LVHITTESTINFO* info, bool subItem, bool select) {
  if (info == nullptr) return -1;
  POINT pt = info->pt;
  info->flags = 0;
  info->iItem = -1;
  if (subItem) info->iSubItem = 0;
  RECT area = ListArea(*lv);
  POINT origin = Origin(*lv);
  bool report = ViewOf(*lv) == LVS_REPORT;
  if (subItem && report) {
    // The report view's columns reach past the client area; only below it is outside.
    if (area.left > pt.x && origin.x < pt.x) info->flags |= LVHT_TOLEFT;
    if (area.bottom < pt.y) info->flags |= LVHT_BELOW;
    info->iSubItem = ColumnUnder(*lv, pt.x);
    if (info->iSubItem == -1) {
      info->flags = LVHT_NOWHERE;
      return -1;
    }
  } else {
    if (area.left > pt.x) info->flags |= LVHT_TOLEFT;
    else if (area.right < pt.x) info->flags |= LVHT_TORIGHT;
    if (area.top > pt.y) info->flags |= LVHT_ABOVE;
    else if (area.bottom < pt.y) info->flags |= LVHT_BELOW;
  }
  if (info->flags != 0) return -1;
  info->flags = LVHT_NOWHERE;
  int index = ItemUnder(*lv, pt);
  if (index == -1) return -1;
  std::u16string text;
  if (LabelNeedsText(*lv)) {
    text = ShownText(lv, index, 0);
    if (Gone(lv) || !ValidItem(*lv, index)) return -1;
  }
  int part = report && subItem ? info->iSubItem : 0;
  ItemParts parts = PartsOf(*lv, index, part, text);
  RECT bounds = report ? parts.box : OwnArea(parts);
  if (!PtInRect(&bounds, pt)) return -1;
  bool fullRow = report && ((lv->exStyle & LVS_EX_FULLROWSELECT) != 0 || (lv->style & LVS_OWNERDRAWFIXED) != 0);
  if (PtInRect(&parts.icon, pt)) info->flags |= LVHT_ONITEMICON;
  else if (PtInRect(&parts.label, pt)) info->flags |= LVHT_ONITEMLABEL;
  else if (lv->stateImages != nullptr && PtInRect(&parts.state, pt)) info->flags |= LVHT_ONITEMSTATEICON;
  if (fullRow && (info->flags & LVHT_ONITEM) == 0) info->flags = LVHT_ONITEM | LVHT_ABOVE;
  if ((info->flags & LVHT_ONITEM) != 0) info->flags &= ~static_cast<UINT>(LVHT_NOWHERE);
  if (select && !fullRow) {
    // Only the item's own icon and label select it.
    RECT own = OwnArea(report ? PartsOf(*lv, index, 0, text) : parts);
    if (!PtInRect(&own, pt)) index = -1;
  }
  info->iItem = index;
  return index;
}

// ---------------------------------------------------------------------------------------------
// The header: created for the report view, laid out at the top, its widths mirrored.

namespace {

bool HeaderShown(const ListView& lv) { return ViewOf(lv) == LVS_REPORT && (lv.style & LVS_NOCOLUMNHEADER) == 0; }

void LayOutHeader(const ListViewPtr& lv) {
  if (lv->header == nullptr || !IsWindow(lv->header)) return;
  RECT rect;
  GetClientRect(lv->hwnd, &rect);
  rect.left -= ViewOf(*lv) == LVS_REPORT ? lv->scrolled.x : 0;
  WINDOWPOS pos = {};
  HDLAYOUT layout = {&rect, &pos};
  SendMessageW(lv->header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  if (Gone(lv) || lv->header == nullptr) return;
  UINT flags = pos.flags | SWP_NOACTIVATE;
  if (HeaderShown(*lv)) {
    flags |= SWP_SHOWWINDOW;
  } else {
    flags |= SWP_HIDEWINDOW;
    pos.cy = 0;
  }
  SetWindowPos(lv->header, pos.hwndInsertAfter, pos.x, pos.y, pos.cx, pos.cy, flags);
}

void CreateHeader(const ListViewPtr& lv) {
  if (lv->header != nullptr) return;
  DWORD style = WS_CHILD | HDS_HORZ | HDS_FULLDRAG | HDS_DRAGDROP;
  if ((lv->style & LVS_NOSORTHEADER) == 0) style |= HDS_BUTTONS;
  if ((lv->style & LVS_NOCOLUMNHEADER) != 0) style |= HDS_HIDDEN;
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongW(lv->hwnd, GWL_HINSTANCE));
  HWND header = CreateWindowExW(0, WC_HEADERW, nullptr, style, 0, 0, 0, 0, lv->hwnd, nullptr, instance, nullptr);
  if (header == nullptr || Gone(lv)) return;
  lv->header = header;
  SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(lv->font), FALSE);
  if (lv->smallImages != nullptr) SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(lv->smallImages));
  LayOutHeader(lv);
}

// ---------------------------------------------------------------------------------------------
// Messages: items.

// Takes an item out without a word; the indexes after it move up.
void RemoveItem(ListView& lv, int index) {
  if (lv.editItem == index) DropLabelEdit(lv);
  else if (lv.editItem > index) --lv.editItem;
  lv.items.Erase(static_cast<size_t>(index));
  if (lv.focused == index) lv.focused = -1;
  else if (lv.focused > index) --lv.focused;
  // The selection mark stays on its index while there is an item there.
  if (lv.selectionMark > index) --lv.selectionMark;
  else if (lv.selectionMark == index) lv.selectionMark = std::min(lv.selectionMark, ItemCount(lv) - 1);
  lv.pressedSelectedItem = -1;
  lv.editOnTapItem = -1;
}

LRESULT OnInsertItem(const ListViewPtr& lv, const LVITEMW* in) {
  if (in == nullptr || in->iSubItem != 0 || !Assignable(*lv, *in)) return -1;
  LPCWSTR text = (in->mask & LVIF_TEXT) != 0 ? in->pszText : nullptr;
  bool sorted = (lv->style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) != 0 && (lv->style & LVS_OWNERDRAWFIXED) == 0 &&
                text != LPSTR_TEXTCALLBACKW;
  if (in->iItem < 0 && !sorted) return -1;
  int index = 0;
  // The order the items keep once this one has its text (none while it is being set: the parent
  // may hear of the new item and change the list meanwhile).
  ListView::TextOrder order = ListView::TextOrder::Unknown;
  if (sorted) {
    bool descending = (lv->style & LVS_SORTDESCENDING) != 0;
    std::optional<std::u16string> bounded;
    if (text != nullptr) bounded = TextUpTo(text, kMaxItemText);
    index = SortedInsertionIndex(*lv, bounded, descending);
    order = lv->textOrder;
  } else {
    index = std::min(in->iItem, ItemCount(*lv));
  }
  lv->items.Insert(static_cast<size_t>(index));
  ForgetTextOrder(*lv);
  const unsigned long orderChanges = lv->textOrderChanges;
  if (lv->focused >= index) ++lv->focused;
  if (lv->selectionMark >= index) ++lv->selectionMark;
  if (lv->editItem >= index) ++lv->editItem;
  if (lv->pressedSelectedItem >= index) lv->pressedSelectedItem = -1;
  if (ViewOf(*lv) == LVS_ICON || ViewOf(*lv) == LVS_SMALLICON) {
    lv->items[static_cast<size_t>(index)].position = TakeNextIconPosition(*lv);
  }
  LVITEMW item = *in;
  item.iItem = index;
  if (!SetMainItem(lv, item, true)) {
    if (Gone(lv)) return -1;
    if (ValidItem(*lv, index)) RemoveItem(*lv, index);
    return -1;
  }
  if (lv->textOrderChanges == orderChanges) lv->textOrder = order;
  LPARAM lParam = lv->items[static_cast<size_t>(index)].lParam;
  NotifyItem(*lv, kInsertItem, index, lParam);
  if (Gone(lv)) return -1;
  if ((lv->style & LVS_AUTOARRANGE) != 0) Arrange(*lv, LVA_DEFAULT);
  ClampScroll(*lv);
  return index;
}

LRESULT OnDeleteItem(const ListViewPtr& lv, int index) {
  if (!ValidItem(*lv, index)) return FALSE;
  int focus = lv->focused;
  // The item loses its selection and focus first, as any other state change.
  SetItemState(lv, index, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (Gone(lv) || !ValidItem(*lv, index)) return FALSE;
  NotifyItem(*lv, kDeleteItem, index, lv->items[static_cast<size_t>(index)].lParam);
  if (Gone(lv) || !ValidItem(*lv, index)) return FALSE;
  RemoveItem(*lv, index);
  // The focus the item had goes, without a word, to the item that takes its index (the last
  // item when it was the last), as in Wine.
  if (focus == index && lv->focused == -1 && ItemCount(*lv) > 0) {
    lv->focused = std::min(index, ItemCount(*lv) - 1);
    lv->items[static_cast<size_t>(lv->focused)].state |= LVIS_FOCUSED;
  }
  if ((lv->style & LVS_AUTOARRANGE) != 0) Arrange(*lv, LVA_DEFAULT);
  ClampScroll(*lv);
  return TRUE;
}

// LVN_DELETEALLITEMS first (a non-zero answer spares the parent LVN_DELETEITEM), then the items
// from the last to the first. Selection and focus go without notifications.
LRESULT DeleteAllItems(const ListViewPtr& lv) {
  for (ListItem& item : lv->items) item.state &= ~static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED);
  lv->focused = -1;
  lv->selectionMark = -1;
  lv->pressedSelectedItem = -1;
  if (lv->editItem != -1) DropLabelEdit(*lv);
  NMLISTVIEW nm = {};
  nm.iItem = -1;
  bool quiet = NotifyParent(*lv, kDeleteAllItems, &nm.hdr) != 0;
  if (Gone(lv)) return FALSE;
  for (int i = ItemCount(*lv) - 1; i >= 0; --i) {
    i = std::min(i, ItemCount(*lv) - 1);
    if (i < 0) break;
    if (!quiet) {
      NotifyItem(*lv, kDeleteEachItem, i, lv->items[static_cast<size_t>(i)].lParam);
      if (Gone(lv)) return FALSE;
      if (!ValidItem(*lv, i)) continue;
    }
    RemoveItem(*lv, i);
  }
  lv->nextIconPosition = POINT{0, 0};
  lv->topRow = lv->firstColumn = 0;
  lv->scrolled = POINT{0, 0};
  Arrange(*lv, LVA_DEFAULT);
  ClampScroll(*lv);
  return TRUE;
}

LRESULT OnGetItem(const ListViewPtr& lv, LVITEMW* out) {
  if (out == nullptr || !ValidItem(*lv, out->iItem)) return FALSE;
  LPWSTR buffer = out->pszText;
  int size = out->cchTextMax;
  std::u16string text;
  bool marker = false;
  if (!QueryItem(lv, out, &text, &marker)) return FALSE;
  if ((out->mask & LVIF_TEXT) != 0) {
    if (marker) {
      out->pszText = LPSTR_TEXTCALLBACKW;
    } else {
      CopyToBuffer(text, buffer, size);
      out->pszText = buffer;
    }
  }
  return TRUE;
}

LRESULT OnGetItemText(const ListViewPtr& lv, int index, LVITEMW* out) {
  if (out == nullptr || !ValidItem(*lv, index)) return 0;
  out->mask = LVIF_TEXT;
  out->iItem = index;
  LPWSTR buffer = out->pszText;
  int size = out->cchTextMax;
  std::u16string text;
  if (!QueryItem(lv, out, &text)) return 0;
  out->pszText = buffer;
  return CopyToBuffer(text, buffer, size);
}

LRESULT OnSetItemText(const ListViewPtr& lv, int index, const LVITEMW* in) {
  if (in == nullptr || !ValidItem(*lv, index)) return FALSE;
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.iSubItem = in->iSubItem;
  item.pszText = in->pszText;
  item.cchTextMax = in->cchTextMax;
  return SetItem(lv, &item) ? TRUE : FALSE;
}

// LVM_SETITEMSTATE; item -1 changes every item, but may not focus them all, nor select them all in
// a single-selection list. Taking away a selection that no item has changes nothing.
LRESULT OnSetItemState(const ListViewPtr& lv, int index, const LVITEMW* in) {
  if (in == nullptr) return FALSE;
  if (index != -1) return SetItemState(lv, index, in->state, in->stateMask) ? TRUE : FALSE;
  UINT set = in->state & in->stateMask;
  if (in->state == 0 && in->stateMask == LVIS_SELECTED) {
    bool any = false;
    for (const ListItem& item : lv->items) any = any || (item.state & LVIS_SELECTED) != 0;
    if (!any) return TRUE;
  }
  if ((set & LVIS_SELECTED) != 0 && (lv->style & LVS_SINGLESEL) != 0) return FALSE;
  if ((set & LVIS_FOCUSED) != 0) return FALSE;
  BOOL result = TRUE;
  for (int i = 0; i < ItemCount(*lv); ++i) {
    if (!SetItemState(lv, i, in->state, in->stateMask)) result = FALSE;
    if (Gone(lv)) return FALSE;
  }
  return result;
}

LRESULT OnGetItemRect(const ListViewPtr& lv, int index, RECT* rect) {
  if (rect == nullptr || !ValidItem(*lv, index)) return FALSE;
  int code = rect->left;
  if (code < LVIR_BOUNDS || code > LVIR_SELECTBOUNDS) return FALSE;
  bool report = ViewOf(*lv) == LVS_REPORT;
  std::u16string text;
  if (code != LVIR_ICON && !(report && code == LVIR_BOUNDS)) {
    text = ShownText(lv, index, 0);
    if (Gone(lv) || !ValidItem(*lv, index)) return FALSE;
  }
  if (report && (lv->exStyle & LVS_EX_FULLROWSELECT) != 0 && code == LVIR_SELECTBOUNDS) code = LVIR_BOUNDS;
  ItemParts parts = PartsOf(*lv, index, 0, text);
  switch (code) {
    case LVIR_ICON: *rect = parts.icon; break;
    case LVIR_LABEL: *rect = parts.label; break;
    case LVIR_SELECTBOUNDS: *rect = parts.select; break;
    default: *rect = parts.box; break;
  }
  return TRUE;
}

// LVM_GETSUBITEMRECT: top names the sub-item (0 is the whole item), left the part.
LRESULT OnGetSubItemRect(const ListViewPtr& lv, int index, RECT* rect) {
  if (rect == nullptr) return FALSE;
  if (rect->top == 0) return OnGetItemRect(lv, index, rect);
  if (ViewOf(*lv) != LVS_REPORT) return FALSE;
  int sub = rect->top;
  int code = rect->left;
  POINT origin = Origin(*lv);
  int top = origin.y + index * ItemHeight(*lv);
  if (sub < 0 || static_cast<size_t>(sub) >= lv->columns.size()) {
    *rect = RECT{origin.x, top, origin.x, top + ItemHeight(*lv)};
    return TRUE;
  }
  if (code != LVIR_ICON && code != LVIR_LABEL && code != LVIR_BOUNDS) return FALSE;
  int left = origin.x + ColumnLeft(*lv, sub);
  *rect = RECT{left, top, left + ColumnWidth(*lv, sub), top + ItemHeight(*lv)};
  if (code == LVIR_ICON) {
    rect->right = left + (lv->smallImages != nullptr ? IconSize(*lv).cx : 0);
    rect->bottom = top + IconSize(*lv).cy;
  }
  return TRUE;
}

LRESULT OnFindItem(const ListViewPtr& lv, int start, const LVFINDINFOW* find) {
  if (find == nullptr || start + 1 < 0) return -1;
  bool byText = (find->flags & (LVFI_STRING | LVFI_PARTIAL)) != 0 && (find->flags & LVFI_PARAM) == 0;
  std::u16string wanted = byText ? TextUpTo(find->psz, kMaxItemText) : std::u16string();
  auto matches = [&](int i) {
    if ((find->flags & LVFI_PARAM) != 0) return lv->items[static_cast<size_t>(i)].lParam == find->lParam;
    if (!byText) return true;
    std::u16string text = ShownText(lv, i, 0);
    if ((find->flags & LVFI_PARTIAL) != 0) text = text.substr(0, wanted.size());
    return lstrcmpiW(text.c_str(), wanted.c_str()) == 0;
  };
  int last = ItemCount(*lv);
  for (int i = start + 1; i < last && i < ItemCount(*lv); ++i) {
    if (matches(i)) return Gone(lv) ? -1 : i;
    if (Gone(lv)) return -1;
  }
  if ((find->flags & LVFI_WRAP) != 0) {
    for (int i = 0; i <= start && i < ItemCount(*lv); ++i) {
      if (matches(i)) return Gone(lv) ? -1 : i;
      if (Gone(lv)) return -1;
    }
  }
  return -1;
}

// LVM_SORTITEMS: the parent's comparison of the items' data orders them; focus, selection and
// selection mark go with their items.
LRESULT OnSortItems(const ListViewPtr& lv, LPARAM sortParam, PFNLVCOMPARE compare) {
  if (compare == nullptr) return FALSE;
  if (ItemCount(*lv) < 2) return TRUE;
  DropLabelEdit(*lv);
  ListItems items = lv->items;
  int focused = lv->focused;
  int mark = lv->selectionMark;
  std::vector<size_t> order(items.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  // The comparison is the parent's code and may re-enter: it sorts a copy.
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return compare(items[a].lParam, items[b].lParam, sortParam) < 0; });
  if (Gone(lv) || items.size() != lv->items.size()) return FALSE;
  ListItems sorted;
  lv->focused = lv->selectionMark = -1;
  for (size_t position = 0; position < order.size(); ++position) {
    sorted.Append(items[order[position]]);
    if (static_cast<int>(order[position]) == focused) lv->focused = static_cast<int>(position);
    if (static_cast<int>(order[position]) == mark) lv->selectionMark = static_cast<int>(position);
  }
  lv->items = std::move(sorted);
  ForgetTextOrder(*lv);
  if (ViewOf(*lv) == LVS_ICON || ViewOf(*lv) == LVS_SMALLICON) Arrange(*lv, LVA_DEFAULT);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Messages: columns.

HDITEMW HeaderItemOf(const ListView& lv, int column, const LVCOLUMNW& in) {
  HDITEMW item = {};
  if ((in.mask & LVCF_FMT) != 0) {
    item.mask |= HDI_FORMAT;
    int justify = in.fmt & LVCFMT_JUSTIFYMASK;
    // The first column is always left-aligned.
    if (column == 0 || justify == LVCFMT_LEFT) item.fmt |= HDF_LEFT;
    else if (justify == LVCFMT_RIGHT) item.fmt |= HDF_RIGHT;
    else if (justify == LVCFMT_CENTER) item.fmt |= HDF_CENTER;
    if ((in.fmt & LVCFMT_BITMAP_ON_RIGHT) != 0) item.fmt |= HDF_BITMAP_ON_RIGHT;
    if ((in.fmt & LVCFMT_COL_HAS_IMAGES) != 0) {
      item.fmt |= HDF_IMAGE;
      item.iImage = I_IMAGECALLBACK;
    }
  }
  if ((in.mask & LVCF_WIDTH) != 0) {
    item.mask |= HDI_WIDTH;
    if (in.cx == LVSCW_AUTOSIZE_USEHEADER) {
      // The rest of the client area.
      RECT client;
      GetClientRect(lv.hwnd, &client);
      item.cxy = client.right - client.left - ColumnLeft(lv, column);
    } else {
      item.cxy = in.cx;
    }
  }
  if ((in.mask & LVCF_TEXT) != 0) {
    item.mask |= HDI_TEXT | HDI_FORMAT;
    item.fmt |= HDF_STRING;
    item.pszText = in.pszText;
    item.cchTextMax = static_cast<int>(TextUpTo(in.pszText, kMaxItemText).size());
  }
  if ((in.mask & LVCF_IMAGE) != 0) {
    item.mask |= HDI_IMAGE;
    item.iImage = in.iImage;
  }
  if ((in.mask & LVCF_ORDER) != 0) {
    item.mask |= HDI_ORDER;
    item.iOrder = in.iOrder;
  }
  return item;
}

int HeaderWidth(const ListViewPtr& lv, int column) {
  if (lv->header == nullptr) return 0;
  HDITEMW item = {};
  item.mask = HDI_WIDTH;
  if (!SendMessageW(lv->header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item))) return 0;
  return item.cxy;
}

LRESULT OnInsertColumn(const ListViewPtr& lv, int column, const LVCOLUMNW* in) {
  if (in == nullptr || column < 0) return -1;
  column = std::min(column, static_cast<int>(lv->columns.size()));
  HDITEMW item = HeaderItemOf(*lv, column, *in);
  // A column without a width gets 10 pixels.
  if ((in->mask & LVCF_WIDTH) == 0) {
    item.mask |= HDI_WIDTH;
    item.cxy = 10;
  }
  if ((in->mask & LVCF_SUBITEM) != 0) {
    item.mask |= HDI_LPARAM;
    item.lParam = in->iSubItem;
  }
  CreateHeader(lv);
  if (Gone(lv) || lv->header == nullptr) return -1;
  LRESULT inserted = SendMessageW(lv->header, HDM_INSERTITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
  if (Gone(lv) || inserted == -1) return -1;
  column = static_cast<int>(inserted);
  ListColumn added;
  if ((in->mask & LVCF_FMT) != 0) added.fmt = in->fmt;
  added.width = HeaderWidth(lv, column);
  if (Gone(lv)) return -1;
  column = std::min(column, static_cast<int>(lv->columns.size()));
  lv->columns.insert(lv->columns.begin() + column, added);
  // The items' sub-items move right; the new column's are the parent's to tell.
  size_t slot = static_cast<size_t>(std::max(column, 1));
  for (ListItem& entry : lv->items) {
    if (entry.subItems.size() > slot) {
      ListSubItem asked;
      asked.text.kind = ListText::Kind::Callback;
      entry.subItems.insert(entry.subItems.begin() + static_cast<std::ptrdiff_t>(slot), asked);
    }
  }
  LayOutHeader(lv);
  ClampScroll(*lv);
  return column;
}

LRESULT OnDeleteColumn(const ListViewPtr& lv, int column) {
  if (column < 0 || static_cast<size_t>(column) >= lv->columns.size() || lv->header == nullptr) return FALSE;
  if (!SendMessageW(lv->header, HDM_DELETEITEM, static_cast<WPARAM>(column), 0) || Gone(lv)) return FALSE;
  if (static_cast<size_t>(column) >= lv->columns.size()) return FALSE;
  lv->columns.erase(lv->columns.begin() + column);
  for (ListItem& entry : lv->items) {
    if (column > 0 && entry.subItems.size() > static_cast<size_t>(column)) {
      entry.subItems.erase(entry.subItems.begin() + column);
    }
    if (entry.subItems.size() > lv->columns.size()) entry.subItems.resize(lv->columns.size());
  }
  ClampScroll(*lv);
  return TRUE;
}

LRESULT OnGetColumn(const ListViewPtr& lv, int column, LVCOLUMNW* out) {
  if (out == nullptr || column < 0 || static_cast<size_t>(column) >= lv->columns.size() || lv->header == nullptr) return FALSE;
  HDITEMW item = {};
  if ((out->mask & LVCF_TEXT) != 0) {
    item.mask |= HDI_TEXT;
    item.pszText = out->pszText;
    item.cchTextMax = out->cchTextMax;
  }
  if ((out->mask & LVCF_IMAGE) != 0) item.mask |= HDI_IMAGE;
  if ((out->mask & LVCF_ORDER) != 0) item.mask |= HDI_ORDER;
  if ((out->mask & LVCF_SUBITEM) != 0) item.mask |= HDI_LPARAM;
  if (!SendMessageW(lv->header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item))) return FALSE;
  if (Gone(lv) || static_cast<size_t>(column) >= lv->columns.size()) return FALSE;
  if ((out->mask & LVCF_FMT) != 0) out->fmt = lv->columns[static_cast<size_t>(column)].fmt;
  if ((out->mask & LVCF_WIDTH) != 0) out->cx = lv->columns[static_cast<size_t>(column)].width;
  if ((out->mask & LVCF_IMAGE) != 0) out->iImage = item.iImage;
  if ((out->mask & LVCF_ORDER) != 0) out->iOrder = item.iOrder;
  if ((out->mask & LVCF_SUBITEM) != 0) out->iSubItem = static_cast<int>(item.lParam);
  return TRUE;
}

LRESULT OnSetColumn(const ListViewPtr& lv, int column, const LVCOLUMNW* in) {
  if (in == nullptr || column < 0 || static_cast<size_t>(column) >= lv->columns.size() || lv->header == nullptr) return FALSE;
  HDITEMW item = HeaderItemOf(*lv, column, *in);
  if ((in->mask & LVCF_FMT) != 0) {
    HDITEMW current = {};
    current.mask = HDI_FORMAT;
    if (SendMessageW(lv->header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&current))) {
      item.fmt |= current.fmt & HDF_STRING;
    }
  }
  if (!SendMessageW(lv->header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)) || Gone(lv)) return FALSE;
  if ((in->mask & LVCF_FMT) != 0 && static_cast<size_t>(column) < lv->columns.size()) lv->columns[static_cast<size_t>(column)].fmt = in->fmt;
  return TRUE;
}

// LVM_SETCOLUMNWIDTH: in the report view through the header; LVSCW_AUTOSIZE fits the widest text
// of the column (the parent asked for the ones it keeps), LVSCW_AUTOSIZE_USEHEADER the header's
// text too, or the rest of the client area for the last column. The list view sets the width of
// all its columns.
LRESULT OnSetColumnWidth(const ListViewPtr& lv, int column, int cx) {
  UINT view = ViewOf(*lv);
  if (view != LVS_REPORT && view != LVS_LIST) return FALSE;
  if (view == LVS_REPORT && cx < LVSCW_AUTOSIZE_USEHEADER) cx = LVSCW_AUTOSIZE;
  if (view == LVS_LIST) {
    if (cx <= 0) return FALSE;
    lv->listColumnWidth = cx;
    ClampScroll(*lv);
    return TRUE;
  }
  if (column < 0 || static_cast<size_t>(column) >= lv->columns.size() || lv->header == nullptr) return FALSE;
  bool last = static_cast<size_t>(column) + 1 == lv->columns.size();
  int widest = 0;
  if (cx == LVSCW_AUTOSIZE || (cx == LVSCW_AUTOSIZE_USEHEADER && !last)) {
    for (int i = 0; i < ItemCount(*lv); ++i) {
      std::u16string text = ShownText(lv, i, column);
      if (Gone(lv)) return FALSE;
      widest = std::max(widest, SystemTextWidth(text));
    }
    if (static_cast<size_t>(column) >= lv->columns.size()) return FALSE;
    if (lv->smallImages != nullptr && (column == 0 || (lv->columns[static_cast<size_t>(column)].fmt & LVCFMT_IMAGE) != 0)) {
      widest += IconSize(*lv).cx;
    }
    widest += 12;
  }
  if (cx == LVSCW_AUTOSIZE) {
    cx = widest;
  } else if (cx == LVSCW_AUTOSIZE_USEHEADER) {
    if (last) {
      RECT area = ListArea(*lv);
      cx = area.right - Origin(*lv).x - ColumnLeft(*lv, column);
    } else {
      WCHAR text[kDisplayTextSize] = {};
      HDITEMW item = {};
      item.mask = HDI_TEXT;
      item.pszText = text;
      item.cchTextMax = kDisplayTextSize;
      int headerWidth = 0;
      if (SendMessageW(lv->header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item))) {
        headerWidth = SystemTextWidth(text) + 11;
      }
      if (Gone(lv)) return FALSE;
      cx = std::max(headerWidth, widest);
    }
  }
  if (cx < 0) return FALSE;
  HDITEMW item = {};
  item.mask = HDI_WIDTH;
  item.cxy = cx;
  return SendMessageW(lv->header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

LRESULT OnGetColumnWidth(const ListViewPtr& lv, int column) {
  switch (ViewOf(*lv)) {
    case LVS_LIST: return ItemWidth(*lv);
    case LVS_REPORT:
      // Read from the header: it knows a change before it has told anyone.
      if (lv->header == nullptr || column < 0 || static_cast<size_t>(column) >= lv->columns.size()) return 0;
      return HeaderWidth(lv, column);
    default: return 0;
  }
}

// Header notifications: the list view keeps its columns in step, and passes some on to its parent
// as the header sent them (the sender stays the header): the changes of a width (a header item's
// other attributes it keeps to itself), clicks, divider double taps, tracking after it started
// and the end of a drag. The start of tracking, item double taps and the rest stay with the list,
// as Windows keeps them
// (dlls/comctl32/tests/listview.c, test_header_notification and test_header_notification2).
LRESULT OnHeaderNotify(const ListViewPtr& lv, NMHDR* hdr) {
  if (hdr == nullptr || lv->header == nullptr || hdr->hwndFrom != lv->header) return 0;
  if (hdr->code > HDN_FIRST || hdr->code < HDN_LAST) return 0;
  NMHEADERW* nm = reinterpret_cast<NMHEADERW*>(hdr);
  if (nm->iItem < 0 || static_cast<size_t>(nm->iItem) >= lv->columns.size()) return 0;
  int column = nm->iItem;
  bool width = nm->pitem != nullptr && (nm->pitem->mask & HDI_WIDTH) != 0;
  switch (hdr->code) {
    case HDN_ITEMCHANGINGW:
      return width ? PassOn(*lv, hdr) : 0;
    case HDN_ITEMCHANGEDW: {
      int cx = width ? nm->pitem->cxy : HeaderWidth(lv, column);
      if (Gone(lv) || static_cast<size_t>(column) >= lv->columns.size()) return 0;
      lv->columns[static_cast<size_t>(column)].width = cx;
      ClampScroll(*lv);
      return width ? PassOn(*lv, hdr) : 0;
    }
    case HDN_ITEMCLICKW: {
      // A tap on a column's title is a click of the column.
      NMLISTVIEW click = {};
      click.iItem = -1;
      click.iSubItem = column;
      NotifyParent(*lv, kColumnClick, &click.hdr);
      if (Gone(lv)) return 0;
      return PassOn(*lv, hdr);
    }
    case HDN_DIVIDERDBLCLICKW:
      OnSetColumnWidth(lv, column, LVSCW_AUTOSIZE);
      if (Gone(lv)) return 0;
      return PassOn(*lv, hdr);
    case HDN_BEGINDRAG:
      if ((lv->exStyle & LVS_EX_HEADERDRAGDROP) == 0) return TRUE;
      return PassOn(*lv, hdr);
    case HDN_TRACKW:
    case HDN_ENDTRACKW:
    case HDN_ENDDRAG:
      return PassOn(*lv, hdr);
    default:
      return 0;
  }
}

// ---------------------------------------------------------------------------------------------
// Messages: views, spacing, images and scrolling.

// A style change: a new view lays the items out again (and the report view gets its header), the
// header shows or hides with LVS_NOCOLUMNHEADER.
LRESULT OnStyleChanged(const ListViewPtr& lv, WPARAM which, const STYLESTRUCT* change) {
  if (static_cast<int>(which) != GWL_STYLE || change == nullptr || change->styleNew == lv->style) return 0;
  DWORD before = change->styleOld;
  DWORD after = change->styleNew;
  lv->style = after;
  UINT oldView = before & LVS_TYPEMASK;
  UINT newView = after & LVS_TYPEMASK;
  if (oldView != newView) {
    if (lv->edit != nullptr) {
      SendMessageW(lv->edit, WM_KILLFOCUS, 0, 0);
      if (Gone(lv)) return 0;
    }
    if (lv->header != nullptr) ShowWindow(lv->header, SW_HIDE);
    lv->topRow = lv->firstColumn = 0;
    lv->scrolled = POINT{0, 0};
    if (newView == LVS_REPORT) CreateHeader(lv);
    if (Gone(lv)) return 0;
  }
  // LVS_NOCOLUMNHEADER set or cleared in the report view hides or shows the header (HDS_HIDDEN);
  // a change of the bit in another view leaves the header as it was, as in Wine.
  if (newView == LVS_REPORT && ((before ^ after) & LVS_NOCOLUMNHEADER) != 0 && lv->header != nullptr) {
    DWORD headerStyle = static_cast<DWORD>(GetWindowLongW(lv->header, GWL_STYLE));
    if ((after & LVS_NOCOLUMNHEADER) != 0) {
      SetWindowLongW(lv->header, GWL_STYLE, headerStyle | HDS_HIDDEN);
    } else if ((headerStyle & HDS_HIDDEN) != 0) {
      SetWindowLongW(lv->header, GWL_STYLE, (headerStyle & ~static_cast<DWORD>(HDS_HIDDEN)) | WS_VISIBLE);
    }
    if (Gone(lv)) return 0;
  }
  if ((newView == LVS_ICON || newView == LVS_SMALLICON) && (newView != oldView || ((before ^ after) & LVS_ALIGNMASK) != 0)) {
    Arrange(*lv, LVA_DEFAULT);
  }
  LayOutHeader(lv);
  if (Gone(lv)) return 0;
  ClampScroll(*lv);
  return 0;
}

// LVM_SETICONSPACING: the low word is the horizontal spacing, the high word the vertical; 0
// keeps one, -1 in both the system's. The previous spacing is the result.
LRESULT OnSetIconSpacing(ListView& lv, LPARAM spacing) {
  DWORD previous = MAKELONG(lv.iconSpacing.cx, lv.iconSpacing.cy);
  int cx = static_cast<SHORT>(LOWORD(spacing));
  int cy = static_cast<SHORT>(HIWORD(spacing));
  if (spacing == -1 || (cx == -1 && cy == -1)) {
    lv.autoSpacing = true;
    lv.iconSpacing = DefaultIconSpacing(lv);
  } else {
    lv.autoSpacing = false;
    if (cx > 0) lv.iconSpacing.cx = cx;
    if (cy > 0) lv.iconSpacing.cy = cy;
  }
  ClampScroll(lv);
  return static_cast<LRESULT>(previous);
}

LRESULT OnGetItemSpacing(const ListView& lv, bool small) {
  if (!small) return MAKELONG(lv.iconSpacing.cx, lv.iconSpacing.cy);
  if (ViewOf(lv) == LVS_ICON) return MAKELONG(128, GetSystemMetrics(SM_CXSMICON) + 1);
  return MAKELONG(ItemWidth(lv), ItemHeight(lv));
}

LRESULT OnSetImageList(const ListViewPtr& lv, int which, HIMAGELIST images) {
  HIMAGELIST previous = nullptr;
  switch (which) {
    case LVSIL_NORMAL:
      previous = lv->normalImages;
      lv->normalImages = images;
      if (lv->autoSpacing) lv->iconSpacing = DefaultIconSpacing(*lv);
      break;
    case LVSIL_SMALL:
      previous = lv->smallImages;
      lv->smallImages = images;
      if (lv->header != nullptr) SendMessageW(lv->header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
      break;
    case LVSIL_STATE:
      previous = lv->stateImages;
      lv->stateImages = images;
      break;
    default: return 0;
  }
  if (!Gone(lv)) ClampScroll(*lv);
  return reinterpret_cast<LRESULT>(previous);
}

LRESULT OnGetImageList(const ListView& lv, int which) {
  switch (which) {
    case LVSIL_NORMAL: return reinterpret_cast<LRESULT>(lv.normalImages);
    case LVSIL_SMALL: return reinterpret_cast<LRESULT>(lv.smallImages);
    case LVSIL_STATE: return reinterpret_cast<LRESULT>(lv.stateImages);
    default: return 0;
  }
}

// Scrolling by message; a label edit ends when the list moves under it.
LRESULT ScrollBy(const ListViewPtr& lv, int dx, int dy) {
  int topRow = lv->topRow;
  int firstColumn = lv->firstColumn;
  POINT scrolled = lv->scrolled;
  if (!Scroll(*lv, dx, dy)) return FALSE;
  bool moved = topRow != lv->topRow || firstColumn != lv->firstColumn || scrolled.x != lv->scrolled.x || scrolled.y != lv->scrolled.y;
  if (moved && lv->edit != nullptr) SendMessageW(lv->edit, WM_KILLFOCUS, 0, 0);
  if (!Gone(lv) && moved && scrolled.x != lv->scrolled.x) LayOutHeader(lv);
  return TRUE;
}

// Farther than any list reaches.
constexpr int kFar = 1 << 24;

LRESULT OnVScroll(const ListViewPtr& lv, int code) {
  UINT view = ViewOf(*lv);
  int line = view == LVS_REPORT ? ItemHeight(*lv) : 37;
  RECT area = ListArea(*lv);
  int page = view == LVS_REPORT ? CountPerColumn(*lv) * ItemHeight(*lv) : static_cast<int>(area.bottom - area.top);
  if (view == LVS_LIST) return 0;
  switch (code) {
    case SB_LINEUP: return ScrollBy(lv, 0, -line);
    case SB_LINEDOWN: return ScrollBy(lv, 0, line);
    case SB_PAGEUP: return ScrollBy(lv, 0, -page);
    case SB_PAGEDOWN: return ScrollBy(lv, 0, page);
    case SB_TOP: return ScrollBy(lv, 0, -kFar);
    case SB_BOTTOM: return ScrollBy(lv, 0, kFar);
    default: return 0;
  }
}

LRESULT OnHScroll(const ListViewPtr& lv, int code) {
  bool list = ViewOf(*lv) == LVS_LIST;
  bool icons = ViewOf(*lv) == LVS_ICON || ViewOf(*lv) == LVS_SMALLICON;
  int line = icons ? 37 : 1;  // a column of the list view, a pixel of the report view
  int page = list ? CountPerRow(*lv) : static_cast<int>(ListArea(*lv).right - ListArea(*lv).left);
  switch (code) {
    case SB_LINELEFT: return ScrollBy(lv, -line, 0);
    case SB_LINERIGHT: return ScrollBy(lv, line, 0);
    case SB_PAGELEFT: return ScrollBy(lv, -page, 0);
    case SB_PAGERIGHT: return ScrollBy(lv, page, 0);
    default: return 0;
  }
}

// ---------------------------------------------------------------------------------------------
// Creation, destruction and the window procedure.

LRESULT OnCreate(const ListViewPtr& lv, const CREATESTRUCTW* cs) {
  lv->style = cs != nullptr ? static_cast<DWORD>(cs->style) : static_cast<DWORD>(GetWindowLongW(lv->hwnd, GWL_STYLE));
  lv->iconSpacing = DefaultIconSpacing(*lv);
  lv->backColor = 0x00FFFFFF;  // the window colour
  lv->textColor = CLR_DEFAULT;
  lv->textBackColor = CLR_DEFAULT;
  if (ViewOf(*lv) == LVS_REPORT) CreateHeader(lv);
  return 0;
}

LRESULT OnDestroy(const ListViewPtr& lv) {
  // Every item is told to the parent as it goes.
  DeleteAllItems(lv);
  KillTimer(lv->hwnd, kEditTimerId);
  DropLabelEdit(*lv);
  return 0;
}

LRESULT OnSize(const ListViewPtr& lv) {
  LayOutHeader(lv);
  if (Gone(lv)) return 0;
  if ((lv->style & LVS_AUTOARRANGE) != 0) Arrange(*lv, LVA_DEFAULT);
  ClampScroll(*lv);
  return 0;
}

LRESULT OnSetFocus(const ListViewPtr& lv) {
  if (lv->hasFocus) return 0;
  NotifyParent(*lv, kSetFocus);
  if (!Gone(lv)) lv->hasFocus = true;
  return 0;
}

LRESULT OnKillFocus(const ListViewPtr& lv) {
  if (!lv->hasFocus) return 0;
  NotifyParent(*lv, kKillFocus);
  if (!Gone(lv)) lv->hasFocus = false;
  return 0;
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LRESULT HandleMessage(const ListViewPtr& lv, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = lv->hwnd;
  switch (message) {
    case WM_CREATE: return OnCreate(lv, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case LVM_INSERTITEMW: return OnInsertItem(lv, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_DELETEITEM: return OnDeleteItem(lv, static_cast<int>(wParam));
    case LVM_DELETEALLITEMS: return DeleteAllItems(lv);
    case LVM_GETITEMCOUNT: return ItemCount(*lv);
    case LVM_GETITEMW: return OnGetItem(lv, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMW: return SetItem(lv, reinterpret_cast<const LVITEMW*>(lParam)) ? TRUE : FALSE;
    case LVM_GETITEMTEXTW: return OnGetItemText(lv, static_cast<int>(wParam), reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMTEXTW: return OnSetItemText(lv, static_cast<int>(wParam), reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMSTATE: return ItemState(lv, static_cast<int>(wParam), static_cast<UINT>(lParam));
    case LVM_SETITEMSTATE: return OnSetItemState(lv, static_cast<int>(wParam), reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETNEXTITEM: return NextItem(lv, static_cast<int>(wParam), LOWORD(lParam));
    case LVM_GETSELECTEDCOUNT: {
      int count = 0;
      for (const ListItem& item : lv->items) count += (item.state & LVIS_SELECTED) != 0 ? 1 : 0;
      return count;
    }
    case LVM_GETSELECTIONMARK: return lv->selectionMark;
    case LVM_SETSELECTIONMARK: {
      int previous = lv->selectionMark;
      int index = static_cast<int>(lParam);
      if (index >= -1 && index < ItemCount(*lv)) lv->selectionMark = index;
      return previous;
    }
    case LVM_GETCALLBACKMASK: return static_cast<LRESULT>(lv->callbackMask);
    case LVM_SETCALLBACKMASK:
      lv->callbackMask = static_cast<UINT>(wParam);
      return TRUE;
    case LVM_FINDITEMW: return OnFindItem(lv, static_cast<int>(wParam), reinterpret_cast<const LVFINDINFOW*>(lParam));
    case LVM_SORTITEMS: return OnSortItems(lv, static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
    case LVM_SETITEMCOUNT: return TRUE;
    case LVM_UPDATE:
      if (!ValidItem(*lv, static_cast<int>(wParam))) return FALSE;
      if ((lv->style & LVS_AUTOARRANGE) != 0) Arrange(*lv, LVA_DEFAULT);
      return TRUE;
    case LVM_REDRAWITEMS: return TRUE;
    case LVM_HITTEST: return HitTest(lv, reinterpret_cast<LVHITTESTINFO*>(lParam), false, true);
    case LVM_SUBITEMHITTEST: return HitTest(lv, reinterpret_cast<LVHITTESTINFO*>(lParam), true, false);
    case LVM_GETITEMRECT: return OnGetItemRect(lv, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
    case LVM_GETSUBITEMRECT: return OnGetSubItemRect(lv, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
    case LVM_GETITEMPOSITION: {
      POINT* position = reinterpret_cast<POINT*>(lParam);
      if (position == nullptr || !ValidItem(*lv, static_cast<int>(wParam))) return FALSE;
      *position = ItemPosition(*lv, static_cast<int>(wParam));
      return TRUE;
    }
    case LVM_SETITEMPOSITION: return MoveItemTo(*lv, static_cast<int>(wParam), PointOf(lParam)) ? TRUE : FALSE;
    case LVM_GETVIEWRECT: {
      RECT* rect = reinterpret_cast<RECT*>(lParam);
      if (rect == nullptr) return FALSE;
      *rect = ViewRect(*lv);
      return TRUE;
    }
    case LVM_GETORIGIN: {
      POINT* origin = reinterpret_cast<POINT*>(lParam);
      if (origin == nullptr || ViewOf(*lv) == LVS_REPORT || ViewOf(*lv) == LVS_LIST) return FALSE;
      *origin = Origin(*lv);
      return TRUE;
    }
    case LVM_ENSUREVISIBLE: {
      int index = static_cast<int>(wParam);
      if (!ValidItem(*lv, index)) return FALSE;
      EnsureShown(lv, index, LOWORD(lParam) != 0);
      return TRUE;
    }
    case LVM_SCROLL: return ScrollBy(lv, static_cast<int>(wParam), static_cast<int>(lParam));
    case LVM_GETTOPINDEX: return TopIndex(*lv);
    case LVM_GETCOUNTPERPAGE: return CountPerPage(*lv);
    case LVM_ARRANGE: return Arrange(*lv, static_cast<UINT>(wParam)) ? TRUE : FALSE;
    case LVM_SETICONSPACING: return OnSetIconSpacing(*lv, lParam);
    case LVM_GETITEMSPACING: return OnGetItemSpacing(*lv, wParam != 0);
    case LVM_GETSTRINGWIDTHW: return lParam == 0 ? 0 : SystemTextWidth(TextUpTo(reinterpret_cast<LPCWSTR>(lParam), kMaxItemText));
    case LVM_SETIMAGELIST: return OnSetImageList(lv, static_cast<int>(wParam), reinterpret_cast<HIMAGELIST>(lParam));
    case LVM_GETIMAGELIST: return OnGetImageList(*lv, static_cast<int>(wParam));
    case LVM_INSERTCOLUMNW: return OnInsertColumn(lv, static_cast<int>(wParam), reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_DELETECOLUMN: return OnDeleteColumn(lv, static_cast<int>(wParam));
    case LVM_GETCOLUMNW: return OnGetColumn(lv, static_cast<int>(wParam), reinterpret_cast<LVCOLUMNW*>(lParam));
    case LVM_SETCOLUMNW: return OnSetColumn(lv, static_cast<int>(wParam), reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_SETCOLUMNWIDTH: return OnSetColumnWidth(lv, static_cast<int>(wParam), static_cast<SHORT>(LOWORD(lParam)));
    case LVM_GETCOLUMNWIDTH: return OnGetColumnWidth(lv, static_cast<int>(wParam));
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(lv->header);
    case LVM_EDITLABELW: return reinterpret_cast<LRESULT>(EditLabel(lv, static_cast<int>(wParam)));
    case LVM_GETEDITCONTROL: return reinterpret_cast<LRESULT>(lv->edit);
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return static_cast<LRESULT>(lv->exStyle);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      DWORD previous = lv->exStyle;
      DWORD mask = static_cast<DWORD>(wParam);
      lv->exStyle = mask != 0 ? (previous & ~mask) | (static_cast<DWORD>(lParam) & mask) : static_cast<DWORD>(lParam);
      return static_cast<LRESULT>(previous);
    }
    case LVM_GETBKCOLOR: return static_cast<LRESULT>(lv->backColor);
    case LVM_SETBKCOLOR:
      lv->backColor = static_cast<COLORREF>(lParam);
      return TRUE;
    case LVM_GETTEXTCOLOR: return static_cast<LRESULT>(lv->textColor);
    case LVM_SETTEXTCOLOR:
      lv->textColor = static_cast<COLORREF>(lParam);
      return TRUE;
    case LVM_GETTEXTBKCOLOR: return static_cast<LRESULT>(lv->textBackColor);
    case LVM_SETTEXTBKCOLOR:
      lv->textBackColor = static_cast<COLORREF>(lParam);
      return TRUE;
    case WM_NOTIFY: return OnHeaderNotify(lv, reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND: return OnEditCommand(lv, wParam, lParam);
    case WM_STYLECHANGED: return OnStyleChanged(lv, wParam, reinterpret_cast<const STYLESTRUCT*>(lParam));
    case WM_SIZE: return OnSize(lv);
    case WM_LBUTTONDOWN: return OnLButtonDown(lv, wParam, PointOf(lParam));
    case WM_LBUTTONUP: return OnLButtonUp(lv, PointOf(lParam));
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(lv, PointOf(lParam));
    case WM_RBUTTONDOWN: return OnRButtonDown(lv, PointOf(lParam));
    case WM_MOUSEMOVE: return OnMouseMove(lv, wParam, PointOf(lParam));
    case WM_KEYDOWN: return OnKeyDown(lv, static_cast<UINT>(wParam));
    case WM_CHAR: return OnChar(lv, static_cast<char16_t>(wParam));
    case WM_TIMER:
      if (wParam == kEditTimerId) return OnEditTimer(lv);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_VSCROLL: return OnVScroll(lv, LOWORD(wParam));
    case WM_HSCROLL: return OnHScroll(lv, LOWORD(wParam));
    case WM_SETFOCUS: return OnSetFocus(lv);
    case WM_KILLFOCUS: return OnKillFocus(lv);
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_SETFONT:
      lv->font = reinterpret_cast<HFONT>(wParam);
      if (lv->header != nullptr) SendMessageW(lv->header, WM_SETFONT, wParam, lParam);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(lv->font);
    case WM_DESTROY: return OnDestroy(lv);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunControl<ListView>("SysListView32", &HandleMessage, hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterListViewClass() {
  RegisterCommonControlClass(WC_LISTVIEWW, &ListViewProc);
}

bool IsListView(HWND hwnd) { return FindInstance<ListView>(hwnd) != nullptr; }

std::vector<ListRow> ShownListRows(HWND list) {
  std::vector<ListRow> rows;
  ListViewPtr lv = FindInstance<ListView>(list);
  if (lv == nullptr) return rows;
  RECT area = ListArea(*lv);
  size_t columns = ViewOf(*lv) == LVS_REPORT ? std::max<size_t>(lv->columns.size(), 1) : 1;
  for (int i = 0; i < ItemCount(*lv); ++i) {
    RECT box = PartsOf(*lv, i, 0, std::u16string()).box;
    RECT common;
    if (ViewOf(*lv) == LVS_REPORT) box.right = std::max(box.right, box.left + 1);  // an item of no columns still has a row
    if (!IntersectRect(&common, &area, &box)) continue;
    // Drawing asks for the item's text, image, data and state, then for each sub-item's.
    ListRow row;
    row.item = i;
    for (size_t column = 0; column < columns; ++column) {
      WCHAR buffer[kDisplayTextSize] = {};
      LVITEMW item = {};
      item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | (column == 0 ? LVIF_STATE : 0u);
      if (ViewOf(*lv) == LVS_REPORT) item.mask |= LVIF_INDENT;
      item.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK | LVIS_CUT | LVIS_OVERLAYMASK;
      item.iItem = i;
      item.iSubItem = static_cast<int>(column);
      item.pszText = buffer;
      item.cchTextMax = kDisplayTextSize;
      std::u16string text;
      if (!QueryItem(lv, &item, &text)) break;
      row.texts.push_back(text);
      if (column == 0) {
        row.focused = (item.state & LVIS_FOCUSED) != 0;
        row.selected = (item.state & LVIS_SELECTED) != 0;
      }
    }
    if (Gone(lv)) break;
    if (row.texts.size() == columns) rows.push_back(row);
  }
  return rows;
}

bool ListItemLabelPoint(HWND list, int item, POINT* client) {
  ListViewPtr lv = FindInstance<ListView>(list);
  if (lv == nullptr || client == nullptr || !ValidItem(*lv, item)) return false;
  std::u16string text = ShownText(lv, item, 0);
  if (Gone(lv) || !ValidItem(*lv, item)) return false;
  ItemParts parts = PartsOf(*lv, item, 0, text);
  RECT target = parts.label.right > parts.label.left ? parts.label : parts.icon;
  if (target.right <= target.left) target = parts.box;
  POINT point = {(target.left + target.right) / 2, (target.top + target.bottom) / 2};
  RECT area = ListArea(*lv);
  if (!PtInRect(&area, point)) return false;
  *client = point;
  return true;
}

}  // namespace cesim::detail
