// The header control, class "SysHeader32": items inserted, changed and laid out by message, and
// dividers dragged with the stylus, with the notifications the documentation describes, in its
// order. A notification may re-enter the control or destroy it: after each one the control checks
// that it still exists and looks its items up again by index.
#include "controls/header/header.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/common/control.h"
#include "controls/common/text.h"
#include "sim/commctrl.h"
#include "sim/dialog.h"
#include "sim/message.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

// The zone on either side of an item's right edge where a press grabs the divider.
constexpr int kDividerWidth = 10;
// The longest text a callback item is asked for.
constexpr int kCallbackTextSize = 260;
constexpr size_t kMaxItemText = 4096;

struct HeaderItem {
  int cxy = 0;
  HBITMAP bitmap = nullptr;
  std::u16string text;
  bool textCallback = false;
  int fmt = 0;
  LPARAM lParam = 0;
  int image = 0;
  bool imageCallback = false;
  int order = 0;
};

struct Header : ControlInstance {
  void CheckInvariants() override;

  std::vector<HeaderItem> items;
  std::vector<int> order;  // item indexes from left to right
  HIMAGELIST images = nullptr;
  HFONT font = nullptr;
  // The stylus: an item pressed (HDS_BUTTONS) or a divider being dragged.
  bool captured = false;
  bool pressed = false;
  bool tracking = false;
  int movingItem = -1;
  int trackOffset = 0;  // from the stylus to the right edge of the item being resized
};

using HeaderPtr = std::shared_ptr<Header>;

bool Gone(const HeaderPtr& h) { return IsGone(*h); }

// ---------------------------------------------------------------------------------------------
// Notifications: what the header tells its parent, and what the real control does once the parent
// has answered. It goes on with its state after nearly all of them; only the double taps and
// NM_RELEASEDCAPTURE end the handling of their message, and a parent's TRUE to HDN_BEGINTRACKW, or
// to the HDN_ITEMCHANGINGW of HDM_SETITEMW, ends the action.

const Notification kSetItemChanging = {HDN_ITEMCHANGINGW, "HDN_ITEMCHANGING", AfterNotify::UsesStateUnlessNonzero};
const Notification kDragItemChanging = {HDN_ITEMCHANGINGW, "HDN_ITEMCHANGING", AfterNotify::UsesState};
const Notification kItemChanged = {HDN_ITEMCHANGEDW, "HDN_ITEMCHANGED", AfterNotify::UsesState};
const Notification kBeginTrack = {HDN_BEGINTRACKW, "HDN_BEGINTRACK", AfterNotify::UsesStateUnlessNonzero};
const Notification kTrack = {HDN_TRACKW, "HDN_TRACK", AfterNotify::UsesState};
const Notification kEndTrack = {HDN_ENDTRACKW, "HDN_ENDTRACK", AfterNotify::UsesState};
const Notification kItemClick = {HDN_ITEMCLICKW, "HDN_ITEMCLICK", AfterNotify::UsesState};
const Notification kItemDoubleClick = {HDN_ITEMDBLCLICKW, "HDN_ITEMDBLCLICK", AfterNotify::ReturnsAtOnce};
const Notification kDividerDoubleClick = {HDN_DIVIDERDBLCLICKW, "HDN_DIVIDERDBLCLICK", AfterNotify::ReturnsAtOnce};
const Notification kGetDispInfo = {HDN_GETDISPINFOW, "HDN_GETDISPINFO", AfterNotify::UsesState};
const Notification kReleasedCapture = {NM_RELEASEDCAPTURE, "NM_RELEASEDCAPTURE", AfterNotify::ReturnsAtOnce};
const Notification kRightClick = {NM_RCLICK, "NM_RCLICK", AfterNotify::UsesState};

DWORD StyleOf(const Header& h) { return static_cast<DWORD>(GetWindowLongW(h.hwnd, GWL_STYLE)); }

int Height() { return SystemFontHeight() + 4; }

int Count(const Header& h) { return static_cast<int>(h.items.size()); }

bool Valid(const Header& h, int index) { return index >= 0 && index < Count(h); }

void Header::CheckInvariants() {
  CESIM_CHECK_INVARIANT(order.size() == items.size(), "one order slot per item");
  std::vector<bool> seen(items.size(), false);
  for (size_t position = 0; position < order.size(); ++position) {
    int index = order[position];
    CESIM_CHECK_INVARIANT(index >= 0 && index < Count(*this) && !seen[static_cast<size_t>(index)], "order is a permutation");
    if (index < 0 || index >= Count(*this)) continue;
    seen[static_cast<size_t>(index)] = true;
    CESIM_CHECK_INVARIANT(items[static_cast<size_t>(index)].order == static_cast<int>(position), "item knows its order");
  }
  CESIM_CHECK_INVARIANT(!tracking || movingItem < Count(*this), "a tracked divider belongs to an item");
}

// The item's rectangle in client coordinates: items stand side by side in their order, each as
// wide as its width (a negative width takes no room).
RECT ItemRect(const Header& h, int index) {
  RECT client;
  GetClientRect(h.hwnd, &client);
  RECT rect = {client.left, client.top, client.left, client.bottom};
  for (int position = 0; position < Count(h); ++position) {
    const HeaderItem& item = h.items[static_cast<size_t>(h.order[static_cast<size_t>(position)])];
    rect.left = rect.right;
    rect.right = rect.left + std::max(item.cxy, 0);
    if (h.order[static_cast<size_t>(position)] == index) return rect;
  }
  return RECT{0, 0, 0, 0};
}

// Where a client point falls: HHT_ flags and the item they refer to (the item whose divider it
// is, for the divider zones).
void HitTest(const Header& h, POINT pt, UINT* flags, int* item) {
  RECT client;
  GetClientRect(h.hwnd, &client);
  *flags = 0;
  *item = -1;
  if (!PtInRect(&client, pt)) {
    if (pt.x < client.left) *flags |= HHT_TOLEFT;
    else if (pt.x >= client.right) *flags |= HHT_TORIGHT;
    if (pt.y < client.top) *flags |= HHT_ABOVE;
    else if (pt.y >= client.bottom) *flags |= HHT_BELOW;
    return;
  }
  if (h.items.empty()) {
    *flags = HHT_NOWHERE;
    return;
  }
  bool hiddenBefore = false;  // a zero-width item lies to the left of the point
  for (int position = 0; position < Count(h); ++position) {
    int index = h.order[static_cast<size_t>(position)];
    RECT rect = ItemRect(h, index);
    int width = rect.right - rect.left;
    if (width == 0) {
      hiddenBefore = true;
      continue;
    }
    if (!PtInRect(&rect, pt)) continue;
    if (width <= 2 * kDividerWidth) {
      *flags = HHT_ONHEADER;
      *item = index;
      return;
    }
    // The left zone of an item belongs to the divider of the item before it.
    if (position > 0 && pt.x < rect.left + kDividerWidth) {
      *flags = hiddenBefore ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
      *item = h.order[static_cast<size_t>(position - 1)];
      return;
    }
    if (pt.x >= rect.right - kDividerWidth) {
      *flags = HHT_ONDIVIDER;
      *item = index;
      return;
    }
    *flags = HHT_ONHEADER;
    *item = index;
    return;
  }
  // Just right of the last item is still its divider.
  int last = h.order.back();
  RECT rect = ItemRect(h, last);
  if (pt.x >= rect.right && pt.x < rect.right + kDividerWidth) {
    *flags = hiddenBefore ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
    *item = last;
    return;
  }
  *flags = HHT_NOWHERE;
}

// ---------------------------------------------------------------------------------------------
// The notifications' contents.

LRESULT NotifyItem(Header& h, const Notification& notification, int index, HDITEMW* item) {
  NMHEADERW nm = {};
  nm.iItem = index;
  nm.iButton = 0;
  nm.pitem = item;
  return NotifyParent(h, notification, &nm.hdr);
}

// A notification about one field of an item, the others as they are now (a drag's width).
LRESULT NotifyWidth(Header& h, const Notification& notification, int index, int width) {
  const HeaderItem& source = h.items[static_cast<size_t>(index)];
  HDITEMW item = {};
  item.mask = HDI_WIDTH;
  item.cxy = width;
  item.hbm = source.bitmap;
  item.fmt = source.fmt;
  item.lParam = source.lParam;
  item.iImage = source.image;
  item.iOrder = source.order;
  return NotifyItem(h, notification, index, &item);
}

// What the parent says about an item whose text or image it keeps itself (HDN_GETDISPINFOW);
// HDI_DI_SETITEM keeps the answer for good.
void AskDisplayInfo(const HeaderPtr& h, int index, UINT mask, std::u16string* text, int* image) {
  HeaderItem& item = h->items[static_cast<size_t>(index)];
  *text = item.text;
  *image = item.image;
  UINT ask = 0;
  if ((mask & HDI_TEXT) != 0 && item.textCallback) ask |= HDI_TEXT;
  if ((mask & HDI_IMAGE) != 0 && item.imageCallback) ask |= HDI_IMAGE;
  if (ask == 0) return;
  WCHAR buffer[kCallbackTextSize] = {};
  NMHDDISPINFOW di = {};
  di.iItem = index;
  di.mask = ask;
  di.pszText = (ask & HDI_TEXT) != 0 ? buffer : nullptr;
  di.cchTextMax = (ask & HDI_TEXT) != 0 ? kCallbackTextSize : 0;
  di.lParam = item.lParam;
  NotifyParent(*h, kGetDispInfo, &di.hdr);
  if (Gone(h) || !Valid(*h, index)) return;
  HeaderItem& after = h->items[static_cast<size_t>(index)];
  if ((ask & HDI_TEXT) != 0 && di.pszText != nullptr && di.pszText != LPSTR_TEXTCALLBACKW) {
    *text = TextUpTo(di.pszText, di.pszText == buffer ? kCallbackTextSize - 1 : kMaxItemText);
  }
  if ((ask & HDI_IMAGE) != 0) *image = di.iImage;
  if ((di.mask & HDI_DI_SETITEM) != 0) {
    if ((ask & HDI_TEXT) != 0) {
      after.text = *text;
      after.textCallback = false;
    }
    if ((ask & HDI_IMAGE) != 0) {
      after.image = *image;
      after.imageCallback = false;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Messages: the items.

void Store(HeaderItem& item, UINT mask, const HDITEMW& source) {
  if ((mask & HDI_BITMAP) != 0) item.bitmap = source.hbm;
  if ((mask & HDI_FORMAT) != 0) item.fmt = source.fmt;
  if ((mask & HDI_LPARAM) != 0) item.lParam = source.lParam;
  if ((mask & HDI_WIDTH) != 0) item.cxy = source.cxy;
  if ((mask & HDI_IMAGE) != 0) {
    item.image = source.iImage;
    item.imageCallback = source.iImage == I_IMAGECALLBACK;
  }
  if ((mask & HDI_TEXT) != 0) {
    item.textCallback = source.pszText == LPSTR_TEXTCALLBACKW;
    item.text = item.textCallback ? std::u16string() : TextUpTo(source.pszText, kMaxItemText);
  }
}

void Reorder(Header& h, int index, int newOrder) {
  HeaderItem& item = h.items[static_cast<size_t>(index)];
  h.order.erase(h.order.begin() + item.order);
  h.order.insert(h.order.begin() + newOrder, index);
  for (size_t position = 0; position < h.order.size(); ++position) {
    h.items[static_cast<size_t>(h.order[position])].order = static_cast<int>(position);
  }
}

LRESULT OnInsertItem(Header& h, int index, const HDITEMW* source) {
  if (source == nullptr || index < 0 || source->mask == 0) return -1;
  index = std::min(index, Count(h));
  int order = (source->mask & HDI_ORDER) != 0 ? std::clamp(source->iOrder, 0, Count(h)) : index;
  HeaderItem item;
  // The width, format and item data are taken whatever the mask says, as the platform does.
  Store(item, source->mask | HDI_WIDTH | HDI_FORMAT | HDI_LPARAM, *source);
  if ((source->mask & HDI_TEXT) != 0) item.fmt |= HDF_STRING;
  else item.fmt &= ~HDF_STRING;
  if (item.bitmap != nullptr) item.fmt |= HDF_BITMAP;
  else item.fmt &= ~HDF_BITMAP;
  if ((source->mask & HDI_IMAGE) != 0) item.fmt |= HDF_IMAGE;
  for (int& slot : h.order) {
    if (slot >= index) ++slot;
  }
  h.items.insert(h.items.begin() + index, item);
  h.order.insert(h.order.begin() + order, index);
  for (size_t position = 0; position < h.order.size(); ++position) {
    h.items[static_cast<size_t>(h.order[position])].order = static_cast<int>(position);
  }
  return index;
}

LRESULT OnDeleteItem(Header& h, int index) {
  if (!Valid(h, index)) return FALSE;
  h.order.erase(h.order.begin() + h.items[static_cast<size_t>(index)].order);
  h.items.erase(h.items.begin() + index);
  for (int& slot : h.order) {
    if (slot > index) --slot;
  }
  for (size_t position = 0; position < h.order.size(); ++position) {
    h.items[static_cast<size_t>(h.order[position])].order = static_cast<int>(position);
  }
  if (h.movingItem == index) {
    h.tracking = h.pressed = false;
    h.movingItem = -1;
  }
  return TRUE;
}

LRESULT OnGetItem(const HeaderPtr& h, int index, HDITEMW* out) {
  if (out == nullptr) return FALSE;
  UINT mask = out->mask;
  if (mask == 0) return TRUE;
  if (!Valid(*h, index)) return FALSE;
  std::u16string text;
  int image = 0;
  AskDisplayInfo(h, index, mask, &text, &image);
  if (Gone(h) || !Valid(*h, index)) return FALSE;
  const HeaderItem& item = h->items[static_cast<size_t>(index)];
  if ((mask & HDI_BITMAP) != 0) out->hbm = item.bitmap;
  if ((mask & HDI_FORMAT) != 0) out->fmt = item.fmt;
  if ((mask & HDI_WIDTH) != 0) out->cxy = item.cxy;
  if ((mask & HDI_LPARAM) != 0) out->lParam = item.lParam;
  if ((mask & HDI_IMAGE) != 0) out->iImage = image;
  if ((mask & HDI_ORDER) != 0) out->iOrder = item.order;
  if ((mask & HDI_TEXT) != 0 && out->pszText != nullptr && out->cchTextMax > 0) {
    // Cut to the buffer, terminator included.
    size_t count = std::min(text.size(), static_cast<size_t>(out->cchTextMax) - 1);
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count), out->pszText);
    out->pszText[count] = 0;
  }
  return TRUE;
}

// HDM_SETITEMW: the parent sees the caller's HDITEMW before (and may refuse) and after the change.
LRESULT OnSetItem(const HeaderPtr& h, int index, const HDITEMW* source) {
  if (source == nullptr || !Valid(*h, index)) return FALSE;
  HDITEMW told = *source;
  if (NotifyItem(*h, kSetItemChanging, index, &told) != 0 || Gone(h)) return FALSE;
  if (!Valid(*h, index)) return FALSE;
  Store(h->items[static_cast<size_t>(index)], source->mask, *source);
  if ((source->mask & HDI_ORDER) != 0 && source->iOrder >= 0 && source->iOrder < Count(*h)) {
    Reorder(*h, index, source->iOrder);
  }
  told = *source;
  NotifyItem(*h, kItemChanged, index, &told);
  return TRUE;
}

LRESULT OnGetItemRect(const Header& h, int index, RECT* rect) {
  if (rect == nullptr || !Valid(h, index)) return FALSE;
  *rect = ItemRect(h, index);
  return TRUE;
}

// HDM_LAYOUT: the header takes the top of the rectangle, as tall as its font needs, or nothing
// while hidden.
LRESULT OnLayout(const Header& h, HDLAYOUT* layout) {
  if (layout == nullptr || layout->prc == nullptr || layout->pwpos == nullptr) return FALSE;
  WINDOWPOS& pos = *layout->pwpos;
  pos.hwnd = h.hwnd;
  pos.hwndInsertAfter = nullptr;
  pos.x = layout->prc->left;
  pos.y = layout->prc->top;
  pos.cx = layout->prc->right - layout->prc->left;
  if ((StyleOf(h) & HDS_HIDDEN) != 0) {
    pos.cy = 0;
  } else {
    pos.cy = Height();
    layout->prc->top += Height();
  }
  pos.flags = SWP_NOZORDER;
  return TRUE;
}

LRESULT OnHitTest(const Header& h, HDHITTESTINFO* info) {
  if (info == nullptr) return -1;
  HitTest(h, info->pt, &info->flags, &info->iItem);
  if ((info->flags & (HHT_ONHEADER | HHT_ONDIVIDER | HHT_ONDIVOPEN)) == 0) info->iItem = -1;
  return info->iItem;
}

LRESULT OnGetOrderArray(const Header& h, int size, int* order) {
  if (order == nullptr || size < Count(h)) return FALSE;
  std::copy(h.order.begin(), h.order.end(), order);
  return TRUE;
}

LRESULT OnSetOrderArray(Header& h, int size, const int* order) {
  if (order == nullptr || size != Count(h)) return FALSE;
  std::vector<int> sorted(order, order + size);
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < size; ++i) {
    if (sorted[static_cast<size_t>(i)] != i) return FALSE;  // not a permutation of the items
  }
  h.order.assign(order, order + size);
  for (size_t position = 0; position < h.order.size(); ++position) {
    h.items[static_cast<size_t>(h.order[position])].order = static_cast<int>(position);
  }
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Messages: the stylus. A press on a divider starts resizing its item (HDN_BEGINTRACKW may refuse);
// each move resizes it at once with HDS_FULLDRAG and only reports the width (HDN_TRACKW, which
// may end the drag) without; lifting the stylus ends the drag and sets the width.

int TrackedWidth(const Header& h, int index, POINT pt) {
  RECT rect = ItemRect(h, index);
  return std::max(static_cast<int>(pt.x - rect.left + h.trackOffset), 0);
}

LRESULT OnLButtonDown(const HeaderPtr& h, POINT pt) {
  UINT flags = 0;
  int index = -1;
  HitTest(*h, pt, &flags, &index);
  if ((flags == HHT_ONDIVIDER || flags == HHT_ONDIVOPEN) && Valid(*h, index)) {
    if (NotifyWidth(*h, kBeginTrack, index, h->items[static_cast<size_t>(index)].cxy) != 0 || Gone(h)) return 0;
    if (!Valid(*h, index)) return 0;
    SetCapture(h->hwnd);
    h->captured = true;
    h->tracking = true;
    h->movingItem = index;
    h->trackOffset = ItemRect(*h, index).right - pt.x;
    return 0;
  }
  if (flags == HHT_ONHEADER && (StyleOf(*h) & HDS_BUTTONS) != 0) {
    SetCapture(h->hwnd);
    h->captured = true;
    h->pressed = true;
    h->movingItem = index;
  }
  return 0;
}

void ReleaseStylus(const HeaderPtr& h) {
  if (!h->captured) return;
  h->captured = false;
  if (GetCapture() == h->hwnd) ReleaseCapture();
  NMHDR hdr = {};
  if (!Gone(h)) NotifyParent(*h, kReleasedCapture, &hdr);
}

LRESULT OnMouseMove(const HeaderPtr& h, POINT pt) {
  if (!h->tracking || !Valid(*h, h->movingItem)) return 0;
  int index = h->movingItem;
  int width = TrackedWidth(*h, index, pt);
  if ((StyleOf(*h) & HDS_FULLDRAG) == 0) {
    // TRUE ends the tracking, the width as it was.
    if (NotifyWidth(*h, kTrack, index, width) != 0 && !Gone(h) && h->tracking) {
      h->tracking = false;
      h->movingItem = -1;
      ReleaseStylus(h);
    }
    return 0;
  }
  if (NotifyWidth(*h, kDragItemChanging, index, width) != 0 || Gone(h) || !Valid(*h, index)) return 0;
  h->items[static_cast<size_t>(index)].cxy = width;
  NotifyWidth(*h, kItemChanged, index, width);
  return 0;
}

LRESULT OnLButtonUp(const HeaderPtr& h, POINT pt) {
  if (h->pressed) {
    h->pressed = false;
    UINT flags = 0;
    int index = -1;
    HitTest(*h, pt, &flags, &index);
    int pressedItem = h->movingItem;
    h->movingItem = -1;
    // A tap on the item it pressed is a click of that item.
    if (flags == HHT_ONHEADER && index == pressedItem && Valid(*h, index)) {
      NotifyItem(*h, kItemClick, index, nullptr);
      if (Gone(h)) return 0;
    }
  } else if (h->tracking) {
    h->tracking = false;
    int index = h->movingItem;
    h->movingItem = -1;
    if (Valid(*h, index)) {
      int width = TrackedWidth(*h, index, pt);
      NotifyWidth(*h, kEndTrack, index, width);
      if (Gone(h)) return 0;
      if (Valid(*h, index) && NotifyWidth(*h, kDragItemChanging, index, width) == 0 && !Gone(h) && Valid(*h, index)) {
        h->items[static_cast<size_t>(index)].cxy = width;
        NotifyWidth(*h, kItemChanged, index, width);
      }
      if (Gone(h)) return 0;
    }
  }
  ReleaseStylus(h);
  return 0;
}

LRESULT OnLButtonDblClk(const HeaderPtr& h, POINT pt) {
  UINT flags = 0;
  int index = -1;
  HitTest(*h, pt, &flags, &index);
  if (flags == HHT_ONHEADER && (StyleOf(*h) & HDS_BUTTONS) != 0) {
    NotifyItem(*h, kItemDoubleClick, index, nullptr);
  } else if (flags == HHT_ONDIVIDER || flags == HHT_ONDIVOPEN) {
    NotifyItem(*h, kDividerDoubleClick, index, nullptr);
  }
  return 0;
}

// Someone else took the stylus: whatever was under way stops without a word.
LRESULT OnCaptureChanged(Header& h, HWND newCapture) {
  if (newCapture == h.hwnd) return 0;
  h.captured = h.pressed = h.tracking = false;
  h.movingItem = -1;
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Creation, destruction and the window procedure.

// A press of the other button: NM_RCLICK, then a request for a shortcut menu, which the default
// procedure leaves to the parent.
LRESULT OnRButtonUp(const HeaderPtr& h, POINT pt) {
  NMHDR hdr = {};
  LRESULT handled = NotifyParent(*h, kRightClick, &hdr);
  if (Gone(h)) return handled;
  POINT screen = pt;
  ClientToScreen(h->hwnd, &screen);
  SendMessageW(h->hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h->hwnd), MAKELPARAM(screen.x, screen.y));
  return handled;
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LRESULT HandleMessage(const HeaderPtr& h, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = h->hwnd;
  switch (message) {
    case WM_CREATE: return 0;
    case HDM_GETITEMCOUNT: return Count(*h);
    case HDM_INSERTITEMW: return OnInsertItem(*h, static_cast<int>(wParam), reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_DELETEITEM: return OnDeleteItem(*h, static_cast<int>(wParam));
    case HDM_GETITEMW: return OnGetItem(h, static_cast<int>(wParam), reinterpret_cast<HDITEMW*>(lParam));
    case HDM_SETITEMW: return OnSetItem(h, static_cast<int>(wParam), reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_GETITEMRECT: return OnGetItemRect(*h, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
    case HDM_LAYOUT: return OnLayout(*h, reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_HITTEST: return OnHitTest(*h, reinterpret_cast<HDHITTESTINFO*>(lParam));
    case HDM_ORDERTOINDEX: {
      int position = static_cast<int>(wParam);
      return Valid(*h, position) ? h->order[static_cast<size_t>(position)] : position;
    }
    case HDM_GETORDERARRAY: return OnGetOrderArray(*h, static_cast<int>(wParam), reinterpret_cast<int*>(lParam));
    case HDM_SETORDERARRAY: return OnSetOrderArray(*h, static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
    case HDM_SETIMAGELIST: {
      HIMAGELIST previous = h->images;
      h->images = reinterpret_cast<HIMAGELIST>(lParam);
      return reinterpret_cast<LRESULT>(previous);
    }
    case HDM_GETIMAGELIST: return reinterpret_cast<LRESULT>(h->images);
    case WM_LBUTTONDOWN: return OnLButtonDown(h, PointOf(lParam));
    case WM_MOUSEMOVE: return OnMouseMove(h, PointOf(lParam));
    case WM_LBUTTONUP: return OnLButtonUp(h, PointOf(lParam));
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(h, PointOf(lParam));
    case WM_RBUTTONUP: return OnRButtonUp(h, PointOf(lParam));
    case WM_CAPTURECHANGED: return OnCaptureChanged(*h, reinterpret_cast<HWND>(lParam));
    case WM_GETDLGCODE: return DLGC_WANTTAB | DLGC_WANTARROWS;
    case WM_SETFONT:
      h->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(h->font);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK HeaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunControl<Header>("SysHeader32", &HandleMessage, hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterHeaderClass() {
  RegisterCommonControlClass(WC_HEADERW, &HeaderProc);
}

bool IsHeader(HWND hwnd) { return FindInstance<Header>(hwnd) != nullptr; }

bool HeaderDividerPoint(HWND header, int item, POINT* client) {
  HeaderPtr h = FindInstance<Header>(header);
  if (h == nullptr || !Valid(*h, item) || client == nullptr) return false;
  RECT rect = ItemRect(*h, item);
  RECT area;
  GetClientRect(header, &area);
  int y = (area.top + area.bottom) / 2;
  // Inside the item's own right zone first, then the zone right of its edge.
  for (int x : {static_cast<int>(rect.right) - 1, static_cast<int>(rect.right), static_cast<int>(rect.right) + 1}) {
    UINT flags = 0;
    int hit = -1;
    HitTest(*h, POINT{x, y}, &flags, &hit);
    if ((flags == HHT_ONDIVIDER || flags == HHT_ONDIVOPEN) && hit == item) {
      *client = POINT{x, y};
      return true;
    }
  }
  return false;
}

}  // namespace cesim::detail
