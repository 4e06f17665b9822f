// The tree view control, class "SysTreeView32": items inserted, deleted, expanded and selected by
// message, tapped with the stylus and walked with the keys, and the notifications that the
// documentation describes, in its order. Every notification may re-enter the control or destroy
// it: after each one the control checks that it still exists and looks its items up again.
#include "controls/treeview/treeview.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "controls/common/control.h"
#include "controls/common/text.h"
#include "controls/treeview/items.h"
#include "sim/commctrl.h"
#include "sim/core.h"
#include "sim/crt.h"
#include "sim/dialog.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

using TreePtr = std::shared_ptr<TreeView>;

constexpr int kMinimumIndent = 19;
constexpr int kDragDistance = 4;
constexpr DWORD kSearchDelay = 450;
constexpr size_t kMaxItemText = 4096;
constexpr int kCallbackTextSize = 260;

int DefaultItemHeight() { return SystemFontHeight() + 4; }

DWORD StyleOf(const TreeView& tv) { return static_cast<DWORD>(GetWindowLongW(tv.hwnd, GWL_STYLE)); }

bool Gone(const TreePtr& tv) { return IsGone(*tv); }

// ---------------------------------------------------------------------------------------------
// Notifications: what the tree view tells its parent, and what the real control does once the
// parent has answered. It goes on with its state after nearly all of them; only NM_RETURN,
// NM_SETFOCUS and NM_KILLFOCUS end the handling of their message. Where the parent's TRUE ends the
// action (a click, a refused selection or expansion) and the caller then stops too, destroying the
// control with that answer is survived. TVN_KEYDOWN leads to nothing by itself: whether the control
// goes on depends on the key, which the key handler says with each call.

const Notification kRecognizeGesture = {NM_RECOGNIZEGESTURE, "NM_RECOGNIZEGESTURE", AfterNotify::UsesState};
const Notification kClick = {NM_CLICK, "NM_CLICK", AfterNotify::UsesStateUnlessNonzero};
const Notification kDoubleClick = {NM_DBLCLK, "NM_DBLCLK", AfterNotify::UsesStateUnlessNonzero};
const Notification kReturn = {NM_RETURN, "NM_RETURN", AfterNotify::ReturnsAtOnce};
const Notification kSetFocus = {NM_SETFOCUS, "NM_SETFOCUS", AfterNotify::ReturnsAtOnce};
const Notification kKillFocus = {NM_KILLFOCUS, "NM_KILLFOCUS", AfterNotify::ReturnsAtOnce};
const Notification kKeyDown = {TVN_KEYDOWN, "TVN_KEYDOWN", AfterNotify::ReturnsAtOnce};
const Notification kGetDispInfo = {TVN_GETDISPINFOW, "TVN_GETDISPINFO", AfterNotify::UsesState};
const Notification kDeleteItem = {TVN_DELETEITEMW, "TVN_DELETEITEM", AfterNotify::UsesState};
const Notification kBeginDrag = {TVN_BEGINDRAGW, "TVN_BEGINDRAG", AfterNotify::UsesState};
const Notification kSelChanging = {TVN_SELCHANGINGW, "TVN_SELCHANGING", AfterNotify::UsesStateUnlessNonzero};
const Notification kSelChanged = {TVN_SELCHANGEDW, "TVN_SELCHANGED", AfterNotify::UsesState};
const Notification kItemExpanding = {TVN_ITEMEXPANDINGW, "TVN_ITEMEXPANDING", AfterNotify::UsesStateUnlessNonzero};
const Notification kItemExpanded = {TVN_ITEMEXPANDEDW, "TVN_ITEMEXPANDED", AfterNotify::UsesState};

// Whether the caller of a selection or an expansion ends its own action when the parent refuses
// it (a tap, a key, a message) or goes on with its state (making an item visible, expanding a whole
// branch, a deletion moving the selection, the focus choosing an item).
enum class OnRefusal { EndsAction, GoesOn };

Afterwards AfterRefusal(OnRefusal refusal) {
  return refusal == OnRefusal::GoesOn ? Afterwards::CallerGoesOn : Afterwards::AsItsKindSays;
}

void FillItem(TVITEMW& out, const TreeItem* item, UINT mask) {
  out = TVITEMW();
  if (item == nullptr) return;
  out.mask = mask;
  out.hItem = item->handle;
  out.state = item->state;
  out.iImage = item->image;
  out.iSelectedImage = item->selectedImage;
  out.cChildren = item->children;
  out.lParam = item->lParam;
  if ((mask & TVIF_TEXT) != 0) {
    out.pszText = const_cast<LPWSTR>(item->text.c_str());
    out.cchTextMax = static_cast<int>(item->text.size()) + 1;
  }
}

LRESULT NotifyTree(TreeView& tv, const Notification& notification, UINT action, UINT mask, const TreeItem* oldItem,
                   const TreeItem* newItem, Afterwards afterwards = Afterwards::AsItsKindSays) {
  NMTREEVIEWW nm = {};
  nm.action = action;
  FillItem(nm.itemOld, oldItem, mask);
  FillItem(nm.itemNew, newItem, mask);
  return NotifyParent(tv, notification, &nm.hdr, afterwards);
}

UINT CallbackMaskOf(const TreeItem& item) {
  UINT mask = 0;
  if (item.textCallback) mask |= TVIF_TEXT;
  if (item.children == I_CHILDRENCALLBACK) mask |= TVIF_CHILDREN;
  if (item.image == I_IMAGECALLBACK) mask |= TVIF_IMAGE;
  if (item.selectedImage == I_IMAGECALLBACK) mask |= TVIF_SELECTEDIMAGE;
  return mask;
}

// What the parent says about an item whose text, children or images it keeps itself
// (TVN_GETDISPINFOW). The answer is kept for good with TVIF_DI_SETITEM.
struct DisplayInfo {
  std::u16string text;
  int children = 0;
  int image = 0;
  int selectedImage = 0;
};

DisplayInfo AskDisplayInfo(const TreePtr& tv, HTREEITEM handle, UINT mask) {
  DisplayInfo info;
  TreeItem* item = ItemOf(*tv, handle);
  if (item == nullptr) return info;
  info.text = item->text;
  info.children = item->children;
  info.image = item->image;
  info.selectedImage = item->selectedImage;
  mask &= CallbackMaskOf(*item);
  if (mask == 0) return info;
  WCHAR buffer[kCallbackTextSize] = {};
  NMTVDISPINFOW di = {};
  di.item.mask = mask;
  di.item.hItem = handle;
  di.item.state = item->state;
  di.item.lParam = item->lParam;
  di.item.pszText = buffer;
  di.item.cchTextMax = kCallbackTextSize;
  NotifyParent(*tv, kGetDispInfo, &di.hdr);
  item = ItemOf(*tv, handle);
  if (Gone(tv) || item == nullptr) return info;
  if ((mask & TVIF_TEXT) != 0 && di.item.pszText != nullptr && di.item.pszText != LPSTR_TEXTCALLBACKW) {
    info.text = TextUpTo(di.item.pszText, di.item.pszText == buffer ? kCallbackTextSize - 1 : kMaxItemText);
    item->text = info.text;  // the text shown now, measured for the layout
  }
  if ((mask & TVIF_CHILDREN) != 0) info.children = di.item.cChildren;
  if ((mask & TVIF_IMAGE) != 0) info.image = di.item.iImage;
  if ((mask & TVIF_SELECTEDIMAGE) != 0) info.selectedImage = di.item.iSelectedImage;
  if ((di.item.mask & TVIF_DI_SETITEM) != 0) {
    if ((mask & TVIF_TEXT) != 0) item->textCallback = false;
    if ((mask & TVIF_CHILDREN) != 0) item->children = info.children;
    if ((mask & TVIF_IMAGE) != 0) item->image = info.image;
    if ((mask & TVIF_SELECTEDIMAGE) != 0) item->selectedImage = info.selectedImage;
  }
  return info;
}

bool HasChildren(const TreePtr& tv, HTREEITEM handle) {
  DisplayInfo info = AskDisplayInfo(tv, handle, TVIF_CHILDREN);
  return info.children != 0 && info.children != I_CHILDRENCALLBACK;
}

// ---------------------------------------------------------------------------------------------
// Removing items.

void RemoveItem(const TreePtr& tv, HTREEITEM handle) {
  for (;;) {
    TreeItem* item = ItemOf(*tv, handle);
    if (item == nullptr) return;
    // Children go first, each told to the parent before it goes.
    if (item->firstChild != nullptr) {
      RemoveItem(tv, item->firstChild->handle);
      if (Gone(tv)) return;
      continue;
    }
    NotifyTree(*tv, kDeleteItem, TVC_UNKNOWN, TVIF_HANDLE | TVIF_PARAM, item, nullptr);
    if (Gone(tv)) return;
    item = ItemOf(*tv, handle);
    if (item == nullptr) return;
    if (item->firstChild != nullptr) continue;  // the parent added children meanwhile
    Unlink(*tv, item);
    if (tv->selected == item) tv->selected = nullptr;
    if (tv->dropHilite == item) tv->dropHilite = nullptr;
    if (tv->firstVisible == item) tv->firstVisible = nullptr;
    tv->items.erase(reinterpret_cast<uintptr_t>(handle));
    return;
  }
}

void RemoveChildren(const TreePtr& tv, TreeItem* parent) {
  HTREEITEM parentHandle = parent->handle;
  bool root = parent == &tv->root;
  for (;;) {
    TreeItem* p = root ? &tv->root : ItemOf(*tv, parentHandle);
    if (p == nullptr || p->firstChild == nullptr || Gone(tv)) return;
    RemoveItem(tv, p->firstChild->handle);
  }
}

// ---------------------------------------------------------------------------------------------
// Expanding and collapsing.

bool SendExpanding(const TreePtr& tv, const TreeItem* item, UINT action, OnRefusal refusal) {
  const UINT mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  return NotifyTree(*tv, kItemExpanding, action, mask, nullptr, item, AfterRefusal(refusal)) != 0;
}

void SendExpanded(const TreePtr& tv, const TreeItem* item, UINT action) {
  const UINT mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  NotifyTree(*tv, kItemExpanded, action, mask, nullptr, item);
}

// Expanding by the user (button, keys) always notifies; by TVM_EXPAND, only until the item has
// been expanded once (TVIS_EXPANDEDONCE).
bool Expand(const TreePtr& tv, HTREEITEM handle, bool byUser, OnRefusal refusal) {
  if (!HasChildren(tv, handle) || Gone(tv)) return false;
  TreeItem* item = ItemOf(*tv, handle);
  if (item == nullptr) return false;
  bool notifies = byUser || (item->children != 0 && (item->state & TVIS_EXPANDEDONCE) == 0);
  if (notifies) {
    // The parent may fill the branch now; TRUE keeps it closed.
    if (SendExpanding(tv, item, TVE_EXPAND, refusal) || Gone(tv)) return false;
    item = ItemOf(*tv, handle);
    if (item == nullptr) return false;
  }
  if (item->firstChild == nullptr) return false;
  SetExpanded(*tv, item, true);
  NormalizeFirstVisible(*tv);
  if (notifies) {
    SendExpanded(tv, item, TVE_EXPAND);
    if (Gone(tv)) return true;
    item = ItemOf(*tv, handle);
    if (item != nullptr) item->state |= TVIS_EXPANDEDONCE;
  }
  return true;
}

bool Collapse(const TreePtr& tv, HTREEITEM handle, bool reset, bool byUser, OnRefusal refusal) {
  UINT action = TVE_COLLAPSE | (reset ? TVE_COLLAPSERESET : 0);
  if (!HasChildren(tv, handle) || Gone(tv)) return false;
  TreeItem* item = ItemOf(*tv, handle);
  if (item == nullptr) return false;
  if (byUser) {
    if (SendExpanding(tv, item, action, refusal) || Gone(tv)) return false;
    item = ItemOf(*tv, handle);
    if (item == nullptr) return false;
  }
  if (item->firstChild == nullptr) return false;
  bool wasExpanded = (item->state & TVIS_EXPANDED) != 0;
  SetExpanded(*tv, item, false);
  // A selection inside the closed branch moves to the branch without notifications.
  if (tv->selected != nullptr && IsAncestor(item, tv->selected)) {
    tv->selected->state &= ~static_cast<UINT>(TVIS_SELECTED);
    item->state |= TVIS_SELECTED;
    tv->selected = item;
  }
  NormalizeFirstVisible(*tv);
  if (wasExpanded && byUser) {
    SendExpanded(tv, item, action);
    if (Gone(tv)) return wasExpanded;
  }
  if (reset) {
    item = ItemOf(*tv, handle);
    if (item == nullptr) return wasExpanded;
    int children = item->children;
    item->state &= ~static_cast<UINT>(TVIS_EXPANDEDONCE);
    RemoveChildren(tv, item);
    item = ItemOf(*tv, handle);
    if (item != nullptr) item->children = children;
    if (!Gone(tv)) NormalizeFirstVisible(*tv);
  }
  return wasExpanded;
}

bool Toggle(const TreePtr& tv, HTREEITEM handle, bool byUser, OnRefusal refusal) {
  TreeItem* item = ItemOf(*tv, handle);
  if (item == nullptr) return false;
  return (item->state & TVIS_EXPANDED) != 0 ? Collapse(tv, handle, false, byUser, refusal)
                                            : Expand(tv, handle, byUser, refusal);
}

void ExpandAll(const TreePtr& tv, HTREEITEM handle) {
  Expand(tv, handle, true, OnRefusal::GoesOn);
  if (Gone(tv)) return;
  TreeItem* item = ItemOf(*tv, handle);
  std::vector<HTREEITEM> children;
  for (TreeItem* c = item != nullptr ? item->firstChild : nullptr; c != nullptr; c = c->next) children.push_back(c->handle);
  for (HTREEITEM child : children) {
    if (ItemOf(*tv, child) != nullptr && HasChildren(tv, child)) ExpandAll(tv, child);
    if (Gone(tv)) return;
  }
}

// ---------------------------------------------------------------------------------------------
// Selection and scrolling.

// Opens the branches above an item and scrolls it into view. True when it scrolled without
// opening a branch.
bool EnsureVisible(const TreePtr& tv, HTREEITEM handle) {
  TreeItem* item = ItemOf(*tv, handle);
  if (item == nullptr) return false;
  std::vector<HTREEITEM> closed;
  for (TreeItem* p = item->parent; p != nullptr && p != &tv->root; p = p->parent) {
    if ((p->state & TVIS_EXPANDED) == 0) closed.insert(closed.begin(), p->handle);
  }
  for (HTREEITEM branch : closed) {
    Expand(tv, branch, true, OnRefusal::GoesOn);
    if (Gone(tv)) return false;
  }
  item = ItemOf(*tv, handle);
  if (item == nullptr || !IsShown(item)) return false;
  if (tv->firstVisible == nullptr) NormalizeFirstVisible(*tv);
  ItemLayout layout = LayoutOf(*tv, item);
  int rows = VisibleCount(*tv);
  TreeItem* before = tv->firstVisible;
  if (layout.row < 0) {
    SetFirstVisible(*tv, item);
  } else if (rows > 0 && layout.row >= rows) {
    // The item becomes the last one that fits.
    SetFirstVisible(*tv, ShownItemsAway(*tv, item, -(rows - 1)));
  }
  return closed.empty() && tv->firstVisible != before;
}

bool Select(const TreePtr& tv, HTREEITEM newHandle, UINT cause, OnRefusal refusal) {
  TreeItem* next = ItemOf(*tv, newHandle);
  TreeItem* previous = tv->selected;
  if (previous == next) {
    if (next != nullptr) EnsureVisible(tv, newHandle);
    return true;
  }
  HTREEITEM previousHandle = previous != nullptr ? previous->handle : nullptr;
  const UINT mask = TVIF_TEXT | TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
  if (NotifyTree(*tv, kSelChanging, cause, mask, previous, next, AfterRefusal(refusal)) != 0 || Gone(tv)) return false;
  next = ItemOf(*tv, newHandle);
  if (newHandle != nullptr && next == nullptr) return false;
  previous = ItemOf(*tv, previousHandle);
  if (tv->selected != nullptr) tv->selected->state &= ~static_cast<UINT>(TVIS_SELECTED);
  if (next != nullptr) next->state |= TVIS_SELECTED;
  tv->selected = next;
  if (next != nullptr) {
    EnsureVisible(tv, newHandle);
    if (Gone(tv)) return true;
  }
  NotifyTree(*tv, kSelChanged, cause, mask, ItemOf(*tv, previousHandle), ItemOf(*tv, newHandle));
  return true;
}

// ---------------------------------------------------------------------------------------------
// Messages: inserting, deleting, reading and changing items.

LRESULT OnInsertItem(const TreePtr& tv, const TVINSERTSTRUCTW* insert) {
  if (insert == nullptr) return 0;
  TreeItem* parent = insert->hParent == nullptr ? &tv->root : ItemOf(*tv, insert->hParent, true);
  if (parent == nullptr) return 0;
  const TVITEMEXW& source = insert->itemex;
  auto item = std::make_unique<TreeItem>();
  item->handle = NewItemHandle();
  if ((source.mask & TVIF_TEXT) != 0) {
    item->textCallback = source.pszText == nullptr || source.pszText == LPSTR_TEXTCALLBACKW;
    if (!item->textCallback) item->text = TextUpTo(source.pszText, kMaxItemText);
  }
  if ((source.mask & TVIF_CHILDREN) != 0) {
    item->children = source.cChildren;
    item->childrenSet = true;
  }
  if ((source.mask & TVIF_IMAGE) != 0) item->image = source.iImage;
  if ((source.mask & TVIF_SELECTEDIMAGE) != 0) item->selectedImage = source.iSelectedImage;
  if ((source.mask & TVIF_PARAM) != 0) item->lParam = source.lParam;
  if ((source.mask & TVIF_STATE) != 0) item->state = source.state & source.stateMask;
  if ((source.mask & TVIF_INTEGRAL) != 0 && source.iIntegral > 0) item->integral = source.iIntegral;
  HTREEITEM handle = item->handle;
  HTREEITEM parentHandle = parent->handle;
  bool parentIsRoot = parent == &tv->root;
  bool topShown = tv->firstVisible != nullptr && tv->firstVisible == tv->root.firstChild;
  TreeItem* raw = item.get();
  tv->items.emplace(reinterpret_cast<uintptr_t>(handle), std::move(item));
  // Linked last at once, so that the tree is whole whenever the parent is asked something.
  LinkAfter(*tv, raw, parent, parent->lastChild);
  if (parent->children == 0) parent->children = 1;

  HTREEITEM where = insert->hInsertAfter;
  TreeItem* after = raw->prev;
  if (IsSpecialHandle(where, TVI_FIRST)) {
    after = nullptr;
  } else if (IsSpecialHandle(where, TVI_SORT)) {
    // In alphabetical order (lstrcmpiW, the user's locale); items with callback texts are asked for
    // theirs. The new item goes before the first sibling it sorts before, or after the first one
    // it equals.
    std::u16string text = raw->textCallback ? AskDisplayInfo(tv, handle, TVIF_TEXT).text : raw->text;
    if (Gone(tv)) return 0;
    parent = parentIsRoot ? &tv->root : ItemOf(*tv, parentHandle);
    after = nullptr;
    bool placed = false;
    // Siblings with texts of their own are compared where they lie; from the first one whose text
    // the parent keeps, the parent may change the tree while it is asked, so the rest goes by handle.
    TreeItem* c = parent != nullptr ? parent->firstChild : nullptr;
    for (; c != nullptr && !c->textCallback && !placed; c = c->next) {
      if (c == raw) continue;
      int order = lstrcmpiW(text.c_str(), c->text.c_str());
      if (order < 0) {
        placed = true;
        break;
      }
      after = c;
      placed = order == 0;
    }
    if (!placed && c != nullptr) {
      std::vector<HTREEITEM> rest;
      for (; c != nullptr; c = c->next) {
        if (c != raw) rest.push_back(c->handle);
      }
      HTREEITEM afterHandle = after != nullptr ? after->handle : nullptr;
      for (HTREEITEM sibling : rest) {
        TreeItem* s = ItemOf(*tv, sibling);
        if (s == nullptr) continue;
        std::u16string siblingText = s->textCallback ? AskDisplayInfo(tv, sibling, TVIF_TEXT).text : s->text;
        if (Gone(tv)) return 0;
        int order = lstrcmpiW(text.c_str(), siblingText.c_str());
        if (order < 0) break;
        afterHandle = sibling;
        if (order == 0) break;
      }
      after = ItemOf(*tv, afterHandle);
    }
  } else if (!IsSpecialHandle(where, TVI_LAST)) {
    TreeItem* sibling = ItemOf(*tv, where);
    if (sibling != nullptr && sibling->parent == parent && sibling != raw) after = sibling;
  }
  // The parent may have removed the new item or its parent while it was asked.
  raw = ItemOf(*tv, handle);
  if (raw == nullptr) return 0;
  if (after != nullptr && after->parent != raw->parent) after = raw->prev;
  if (after != raw->prev) {
    TreeItem* newParent = raw->parent;
    Unlink(*tv, raw, false);
    LinkAfter(*tv, raw, newParent, after);
  }
  // The list keeps its top where it was; an item inserted above the first one shows first.
  if (tv->firstVisible == nullptr || (topShown && parentIsRoot && raw->prev == nullptr)) {
    tv->firstVisible = tv->root.firstChild;
  }
  NormalizeFirstVisible(*tv);
  return reinterpret_cast<LRESULT>(handle);
}

LRESULT OnDeleteItem(const TreePtr& tv, HTREEITEM handle) {
  if (handle == nullptr || IsSpecialHandle(handle, TVI_ROOT)) {
    RemoveChildren(tv, &tv->root);
    if (!Gone(tv)) NormalizeFirstVisible(*tv);
    return TRUE;
  }
  TreeItem* item = ItemOf(*tv, handle);
  if (item == nullptr) return FALSE;
  // The selection moves on from a deleted branch: to the next sibling, the parent, or the
  // previous sibling.
  HTREEITEM newSelection = nullptr;
  if (tv->selected != nullptr && (tv->selected == item || IsAncestor(item, tv->selected))) {
    if (item->next != nullptr) {
      newSelection = item->next->handle;
    } else if (item->parent != &tv->root) {
      newSelection = item->parent->handle;
    } else if (item->prev != nullptr) {
      newSelection = item->prev->handle;
    }
  }
  RemoveItem(tv, handle);
  if (Gone(tv)) return TRUE;
  if (tv->selected == nullptr && ItemOf(*tv, newSelection) != nullptr) {
    Select(tv, newSelection, TVC_UNKNOWN, OnRefusal::GoesOn);
  }
  if (!Gone(tv)) NormalizeFirstVisible(*tv);
  return TRUE;
}

LRESULT OnGetItem(const TreePtr& tv, TVITEMW* out) {
  if (out == nullptr || ItemOf(*tv, out->hItem) == nullptr) return FALSE;
  HTREEITEM handle = out->hItem;
  DisplayInfo info = AskDisplayInfo(tv, handle, out->mask);
  TreeItem* item = ItemOf(*tv, handle);
  if (item == nullptr || Gone(tv)) return FALSE;
  if ((out->mask & TVIF_CHILDREN) != 0) out->cChildren = info.children;
  if ((out->mask & TVIF_HANDLE) != 0) out->hItem = handle;
  if ((out->mask & TVIF_IMAGE) != 0) out->iImage = info.image;
  if ((out->mask & TVIF_SELECTEDIMAGE) != 0) out->iSelectedImage = info.selectedImage;
  if ((out->mask & TVIF_INTEGRAL) != 0) reinterpret_cast<TVITEMEXW*>(out)->iIntegral = item->integral;
  // As on the device, the state and the item data come back whatever the mask and state mask say.
  out->state = item->state;
  out->lParam = item->lParam;
  if ((out->mask & TVIF_TEXT) != 0 && out->pszText != nullptr && out->cchTextMax > 0) {
    // Cut to the caller's buffer and always terminated.
    size_t count = std::min(info.text.size(), static_cast<size_t>(out->cchTextMax - 1));
    std::copy(info.text.begin(), info.text.begin() + static_cast<std::ptrdiff_t>(count), out->pszText);
    out->pszText[count] = 0;
  }
  return TRUE;
}

LRESULT OnSetItem(const TreePtr& tv, const TVITEMW* in) {
  if (in == nullptr) return FALSE;
  TreeItem* item = ItemOf(*tv, in->hItem);
  if (item == nullptr) return FALSE;
  if ((in->mask & TVIF_TEXT) != 0) {
    item->textCallback = in->pszText == nullptr || in->pszText == LPSTR_TEXTCALLBACKW;
    item->text = item->textCallback ? std::u16string() : TextUpTo(in->pszText, kMaxItemText);
  }
  if ((in->mask & TVIF_CHILDREN) != 0) {
    item->children = in->cChildren;
    item->childrenSet = true;
  }
  if ((in->mask & TVIF_IMAGE) != 0) item->image = in->iImage;
  if ((in->mask & TVIF_SELECTEDIMAGE) != 0) item->selectedImage = in->iSelectedImage;
  if ((in->mask & TVIF_PARAM) != 0) item->lParam = in->lParam;
  if ((in->mask & TVIF_INTEGRAL) != 0) {
    int integral = reinterpret_cast<const TVITEMEXW*>(in)->iIntegral;
    if (integral > 0) SetIntegral(*tv, item, integral);
  }
  if ((in->mask & TVIF_STATE) != 0) {
    UINT state = (item->state & ~in->stateMask) | (in->state & in->stateMask);
    SetExpanded(*tv, item, (state & TVIS_EXPANDED) != 0);
    item->state = state;
    // The selection itself moves with TVM_SELECTITEM only: the selected item keeps its mark.
    if (item == tv->selected) item->state |= TVIS_SELECTED;
  }
  NormalizeFirstVisible(*tv);
  return TRUE;
}

LRESULT OnGetNextItem(const TreePtr& tv, UINT code, HTREEITEM handle) {
  TreeItem* result = nullptr;
  switch (code) {
    case TVGN_ROOT: result = tv->root.firstChild; break;
    case TVGN_CARET: result = tv->selected; break;
    case TVGN_FIRSTVISIBLE: result = tv->firstVisible; break;
    case TVGN_DROPHILITE: result = tv->dropHilite; break;
    case TVGN_LASTVISIBLE: result = LastShown(*tv); break;
    default: {
      TreeItem* item = handle == nullptr && code == TVGN_CHILD ? &tv->root : ItemOf(*tv, handle, true);
      if (item == nullptr) return 0;
      switch (code) {
        case TVGN_NEXT: result = item->next; break;
        case TVGN_PREVIOUS: result = item->prev; break;
        case TVGN_PARENT: result = item->parent == &tv->root ? nullptr : item->parent; break;
        case TVGN_CHILD: result = item->firstChild; break;
        case TVGN_NEXTVISIBLE: result = item != &tv->root && IsShown(item) ? NextShown(*tv, item) : nullptr; break;
        case TVGN_PREVIOUSVISIBLE:
          result = item != &tv->root && IsShown(item) ? PreviousShown(*tv, item) : nullptr;
          break;
        default: break;
      }
    }
  }
  return result != nullptr ? reinterpret_cast<LRESULT>(result->handle) : 0;
}

LRESULT OnExpand(const TreePtr& tv, UINT flags, HTREEITEM handle) {
  if (ItemOf(*tv, handle) == nullptr) return FALSE;
  switch (flags & TVE_TOGGLE) {
    case TVE_COLLAPSE:
      return Collapse(tv, handle, (flags & TVE_COLLAPSERESET) != 0, false, OnRefusal::EndsAction) ? TRUE : FALSE;
    case TVE_EXPAND: return Expand(tv, handle, false, OnRefusal::EndsAction) ? TRUE : FALSE;
    case TVE_TOGGLE: return Toggle(tv, handle, false, OnRefusal::EndsAction) ? TRUE : FALSE;
    default: return FALSE;
  }
}

LRESULT OnSelectItem(const TreePtr& tv, UINT code, HTREEITEM handle) {
  TreeItem* item = ItemOf(*tv, handle);
  if (handle != nullptr && item == nullptr) return FALSE;
  switch (code) {
    case TVGN_CARET:
      if (item == tv->selected) return TRUE;
      return Select(tv, handle, TVC_UNKNOWN, OnRefusal::EndsAction) ? TRUE : FALSE;
    case TVGN_DROPHILITE:
      if (tv->dropHilite != nullptr) tv->dropHilite->state &= ~static_cast<UINT>(TVIS_DROPHILITED);
      tv->dropHilite = item;
      if (item != nullptr) item->state |= TVIS_DROPHILITED;
      return TRUE;
    case TVGN_FIRSTVISIBLE:
      if (item == nullptr) return FALSE;
      EnsureVisible(tv, handle);
      if (Gone(tv)) return TRUE;
      item = ItemOf(*tv, handle);
      if (item != nullptr) SetFirstVisible(*tv, item);
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT OnHitTest(const TreePtr& tv, TVHITTESTINFO* info) {
  if (info == nullptr) return 0;
  info->hItem = HitTest(*tv, info->pt, &info->flags);
  return reinterpret_cast<LRESULT>(info->hItem);
}

LRESULT OnGetItemRect(const TreePtr& tv, bool textOnly, RECT* rect) {
  if (rect == nullptr) return FALSE;
  // The item's handle comes in where the rectangle goes out.
  HTREEITEM handle = nullptr;
  std::memcpy(&handle, rect, sizeof(handle));
  TreeItem* item = ItemOf(*tv, handle);
  if (item == nullptr || !IsShown(item)) return FALSE;
  ItemLayout layout = LayoutOf(*tv, item);
  if (textOnly) {
    SetRect(rect, layout.textOffset, layout.top, layout.textOffset + layout.labelWidth, layout.bottom);
  } else {
    SetRect(rect, 0, layout.top, ClientWidth(*tv), layout.bottom);
  }
  return TRUE;
}

LRESULT OnSetItemHeight(const TreePtr& tv, int height) {
  int previous = tv->itemHeight;
  if (height == -1) {
    tv->itemHeight = DefaultItemHeight();
    tv->itemHeightSet = false;
  } else {
    tv->itemHeight = std::max(height, 1);
    tv->itemHeightSet = true;
  }
  if ((StyleOf(*tv) & TVS_NONEVENHEIGHT) == 0 && tv->itemHeight > 1) tv->itemHeight &= ~1;
  NormalizeFirstVisible(*tv);
  return previous;
}

// Sorts an item's children alphabetically (lstrcmpiW). The device's control sorts one level only,
// whatever wParam asks (the reference pages speak of all levels); it answers FALSE for an item with
// fewer than two children and TRUE for the root.
LRESULT OnSortChildren(const TreePtr& tv, HTREEITEM handle) {
  bool root = handle == nullptr || IsSpecialHandle(handle, TVI_ROOT);
  TreeItem* parent = root ? &tv->root : ItemOf(*tv, handle);
  if (parent == nullptr) return FALSE;
  std::vector<TreeItem*> children;
  for (TreeItem* c = parent->firstChild; c != nullptr; c = c->next) children.push_back(c);
  if (children.size() < 2) return root ? TRUE : FALSE;
  std::stable_sort(children.begin(), children.end(), [](const TreeItem* a, const TreeItem* b) {
    return lstrcmpiW(a->text.c_str(), b->text.c_str()) < 0;
  });
  parent->firstChild = parent->lastChild = nullptr;
  TreeItem* after = nullptr;
  for (TreeItem* child : children) {
    LinkAfter(*tv, child, parent, after);
    after = child;
  }
  NormalizeFirstVisible(*tv);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Messages: the stylus and the keys.

// Follows the stylus after a press on an item until it lifts or moves away far enough to drag.
bool TrackStylus(const TreePtr& tv, POINT start) {
  HWND hwnd = tv->hwnd;
  SetCapture(hwnd);
  MSG msg;
  // Nothing left in the queue means the stylus is up already.
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == hwnd) {
      if (std::abs(GET_X_LPARAM(msg.lParam) - start.x) > kDragDistance ||
          std::abs(GET_Y_LPARAM(msg.lParam) - start.y) > kDragDistance) {
        ReleaseCapture();
        return true;
      }
      continue;
    }
    if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_RBUTTONDBLCLK) break;
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the application's loop
      break;
    }
    DispatchMessageW(&msg);
    if (Gone(tv) || GetCapture() != hwnd) return false;
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  return false;
}

bool SelectsOnTap(DWORD style, UINT flags) {
  bool fullRow = (style & TVS_FULLROWSELECT) != 0 && (style & TVS_HASLINES) == 0;
  UINT zones = TVHT_ONITEMICON | TVHT_ONITEMLABEL;
  if (fullRow) zones |= TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT;
  return (flags & zones) != 0;
}

// A press of the stylus: the parent hears of it, then the control opens a branch, starts a drag
// or selects. Returns whether the control takes the focus afterwards.
bool OnPress(const TreePtr& tv, POINT pt) {
  UINT flags = 0;
  HTREEITEM hit = HitTest(*tv, pt, &flags);
  // The parent decides first whether a press may become a tap-and-hold gesture; it gets the press
  // in client coordinates (the device's NM_RECOGNIZEGESTURE, unlike the screen coordinates of the
  // same structure in GN_CONTEXTMENU).
  NMRGINFO gesture = {};
  gesture.ptAction = pt;
  gesture.dwItemSpec = static_cast<DWORD>(reinterpret_cast<uintptr_t>(hit));
  NotifyParent(*tv, kRecognizeGesture, &gesture.hdr);
  if (Gone(tv)) return false;
  hit = HitTest(*tv, pt, &flags);
  DWORD style = StyleOf(*tv);
  bool track = (style & TVS_DISABLEDRAGDROP) == 0 && (flags & TVHT_ONITEM) != 0;
  // Without dragging the parent hears of the click at once; a TRUE answer ends the tap.
  if (!track) {
    if (NotifyParent(*tv, kClick) != 0 || Gone(tv)) return true;
    hit = HitTest(*tv, pt, &flags);
  }
  if ((flags & TVHT_ONITEMBUTTON) != 0) {
    // A tap on the button opens or closes the branch and selects nothing.
    if (ItemOf(*tv, hit) != nullptr) Toggle(tv, hit, true, OnRefusal::EndsAction);
    return true;
  }
  if (track) {
    if (TrackStylus(tv, pt)) {
      TreeItem* dragged = ItemOf(*tv, hit);
      if (dragged != nullptr && !Gone(tv)) {
        NMTREEVIEWW nm = {};
        nm.itemNew.mask = TVIF_STATE | TVIF_PARAM | TVIF_HANDLE;
        nm.itemNew.hItem = hit;
        nm.itemNew.state = dragged->state;
        nm.itemNew.lParam = dragged->lParam;
        nm.ptDrag = pt;
        NotifyParent(*tv, kBeginDrag, &nm.hdr);
      }
      return false;
    }
    if (Gone(tv) || NotifyParent(*tv, kClick) != 0 || Gone(tv)) return true;
  }
  if (SelectsOnTap(style, flags) && ItemOf(*tv, hit) != nullptr) Select(tv, hit, TVC_BYMOUSE, OnRefusal::GoesOn);
  return true;
}

LRESULT OnLButtonDown(const TreePtr& tv, POINT pt) {
  if (OnPress(tv, pt) && !Gone(tv)) SetFocus(tv->hwnd);
  return 0;
}

// A double tap: the control takes the focus, the parent hears of it, and unless it answers TRUE a
// double tap on the item (its label, icon, state icon or button) opens or closes its branch; with
// lines, a double tap on the indent does so for the ancestor whose column it is.
LRESULT OnLButtonDoubleClick(const TreePtr& tv, POINT pt) {
  SetFocus(tv->hwnd);
  if (Gone(tv)) return 0;
  UINT flags = 0;
  HTREEITEM hit = HitTest(*tv, pt, &flags);
  if (hit == nullptr) return 0;
  if (NotifyParent(*tv, kDoubleClick) != 0 || Gone(tv)) return TRUE;
  TreeItem* item = ItemOf(*tv, hit);
  if (item == nullptr || (flags & TVHT_ONITEMRIGHT) != 0) return TRUE;
  if ((flags & TVHT_ONITEMINDENT) != 0) {
    DWORD style = StyleOf(*tv);
    if ((style & TVS_HASLINES) == 0) return TRUE;
    int level = tv->indent > 0 ? pt.x / tv->indent : 0;
    if ((style & TVS_LINESATROOT) == 0) ++level;
    while (item->level > level && item->parent != &tv->root) item = item->parent;
  }
  Toggle(tv, item->handle, true, OnRefusal::EndsAction);
  return TRUE;
}

// Whether the real control goes on with its state once the parent has answered TVN_KEYDOWN of a
// key: Enter sends NM_RETURN, with or without a selection; the keys that move, open or close the
// selection (and Space, which reads the style for check boxes) act only when an item is selected.
// Every other key (Escape, Tab, characters) ends the handling there.
bool GoesOnAfterKeyDown(UINT vk, bool hasSelection) {
  switch (vk) {
    case VK_RETURN: return true;
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_BACK:
    case VK_ADD:
    case VK_SUBTRACT:
    case VK_MULTIPLY:
    case VK_SPACE: return hasSelection;
    default: return false;
  }
}

LRESULT OnKeyDown(const TreePtr& tv, UINT vk) {
  NMTVKEYDOWN keydown = {};
  keydown.wVKey = static_cast<WORD>(vk);
  keydown.flags = 0;
  Afterwards afterwards =
      GoesOnAfterKeyDown(vk, tv->selected != nullptr) ? Afterwards::CallerGoesOn : Afterwards::AsItsKindSays;
  LRESULT keep = NotifyParent(*tv, kKeyDown, &keydown.hdr, afterwards);
  if (Gone(tv)) return 0;
  tv->suppressNextChar = keep != 0;
  if (vk == VK_RETURN) {
    NotifyParent(*tv, kReturn);
    return 0;
  }
  TreeItem* current = tv->selected;
  if (current == nullptr) return 0;
  HTREEITEM handle = current->handle;
  TreeItem* next = nullptr;
  int rows = std::max(VisibleCount(*tv), 1);
  switch (vk) {
    case VK_UP:
      next = PreviousShown(*tv, current);
      if (next == nullptr) next = tv->root.firstChild;
      break;
    case VK_DOWN: next = NextShown(*tv, current); break;
    case VK_HOME: next = tv->root.firstChild; break;
    case VK_END: next = LastShown(*tv); break;
    case VK_PRIOR: next = ShownItemsAway(*tv, current, -rows); break;
    case VK_NEXT: next = ShownItemsAway(*tv, current, rows); break;
    case VK_BACK: next = current->parent == &tv->root ? nullptr : current->parent; break;
    case VK_LEFT:
      if ((current->state & TVIS_EXPANDED) != 0) {
        Collapse(tv, handle, false, true, OnRefusal::EndsAction);
      } else if (current->parent != &tv->root) {
        next = current->parent;
      }
      break;
    case VK_RIGHT:
      if (HasChildren(tv, handle) && !Gone(tv)) {
        current = ItemOf(*tv, handle);
        if (current == nullptr) return 0;
        if ((current->state & TVIS_EXPANDED) == 0) {
          Expand(tv, handle, true, OnRefusal::EndsAction);
        } else {
          next = current->firstChild;
        }
      }
      break;
    case VK_ADD: Expand(tv, handle, true, OnRefusal::EndsAction); break;
    case VK_SUBTRACT: Collapse(tv, handle, false, true, OnRefusal::EndsAction); break;
    case VK_MULTIPLY: ExpandAll(tv, handle); break;
    default: break;
  }
  if (Gone(tv) || next == nullptr || next == tv->selected) return 0;
  Select(tv, next->handle, TVC_BYKEYBOARD, OnRefusal::EndsAction);
  return 0;
}

// Typed characters select the next shown item whose text starts with what was typed in quick
// succession.
LRESULT OnChar(const TreePtr& tv, char16_t c) {
  if (tv->suppressNextChar) {
    tv->suppressNextChar = false;
    return 0;
  }
  if (c < 0x20) return 0;
  DWORD now = GetTickCount();
  if (tv->search.empty() || now - tv->lastSearchKey >= kSearchDelay) tv->search.clear();
  tv->lastSearchKey = now;
  tv->search.push_back(c);
  std::vector<TreeItem*> shown = VisibleItems(*tv);
  if (shown.empty()) return 0;
  size_t start = 0;
  auto at = std::find(shown.begin(), shown.end(), tv->selected);
  if (at != shown.end()) start = static_cast<size_t>(at - shown.begin()) + (tv->search.size() == 1 ? 1 : 0);
  for (size_t step = 0; step < shown.size(); ++step) {
    TreeItem* candidate = shown[(start + step) % shown.size()];
    if (_wcsnicmp(candidate->text.c_str(), tv->search.c_str(), tv->search.size()) == 0) {
      if (candidate != tv->selected) Select(tv, candidate->handle, TVC_BYKEYBOARD, OnRefusal::EndsAction);
      break;
    }
  }
  return 0;
}

// Scrolls by items: a line, a page of the visible count, to a position counted in items from the top.
LRESULT OnVScroll(const TreePtr& tv, WPARAM wParam) {
  TreeItem* top = tv->root.firstChild;
  if (top == nullptr) return 0;
  if (tv->firstVisible == nullptr) NormalizeFirstVisible(*tv);
  TreeItem* first = tv->firstVisible;
  long rows = std::max(VisibleCount(*tv), 1);
  TreeItem* target = first;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: target = ShownItemsAway(*tv, first, -1); break;
    case SB_LINEDOWN: target = ShownItemsAway(*tv, first, 1); break;
    case SB_PAGEUP: target = ShownItemsAway(*tv, first, -rows); break;
    case SB_PAGEDOWN: target = ShownItemsAway(*tv, first, rows); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: target = ShownItemsAway(*tv, top, std::max(0L, static_cast<long>(static_cast<SHORT>(HIWORD(wParam))))); break;
    case SB_TOP: target = top; break;
    case SB_BOTTOM: target = LastShown(*tv); break;
    default: return 0;
  }
  SetFirstVisible(*tv, target);
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Creation, destruction and the window procedure.

LRESULT OnCreate(const TreePtr& tv) {
  tv->root.state = TVIS_EXPANDED;
  tv->root.level = -1;
  tv->root.children = 1;
  tv->itemHeight = DefaultItemHeight();
  return 0;
}

LRESULT OnDestroy(const TreePtr& tv) {
  // Each item is told to the parent as it goes, as on the device.
  RemoveChildren(tv, &tv->root);
  return 0;
}

// Taking the focus with nothing selected selects the first visible item, as a selection of unknown
// cause; then the parent hears of the focus.
LRESULT OnSetFocus(const TreePtr& tv) {
  if (tv->selected == nullptr && tv->firstVisible != nullptr) {
    Select(tv, tv->firstVisible->handle, TVC_UNKNOWN, OnRefusal::GoesOn);
    if (Gone(tv)) return 0;
  }
  NotifyParent(*tv, kSetFocus);
  return 0;
}

LRESULT HandleMessage(const TreePtr& tv, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = tv->hwnd;
  switch (message) {
    case WM_CREATE: return OnCreate(tv);
    case TVM_INSERTITEMW: return OnInsertItem(tv, reinterpret_cast<const TVINSERTSTRUCTW*>(lParam));
    case TVM_DELETEITEM: return OnDeleteItem(tv, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_EXPAND: return OnExpand(tv, static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETITEMRECT: return OnGetItemRect(tv, wParam != 0, reinterpret_cast<RECT*>(lParam));
    case TVM_GETCOUNT: return static_cast<LRESULT>(tv->items.size());
    case TVM_GETINDENT: return tv->indent;
    case TVM_SETINDENT:
      tv->indent = std::max(static_cast<int>(wParam), kMinimumIndent);
      return 0;
    case TVM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? tv->stateImages : wParam == TVSIL_NORMAL ? tv->normalImages : nullptr);
    case TVM_SETIMAGELIST: {
      HIMAGELIST& slot = wParam == TVSIL_STATE ? tv->stateImages : tv->normalImages;
      if (wParam != TVSIL_STATE && wParam != TVSIL_NORMAL) return 0;
      HIMAGELIST previous = slot;
      slot = reinterpret_cast<HIMAGELIST>(lParam);
      return reinterpret_cast<LRESULT>(previous);
    }
    case TVM_GETNEXTITEM: return OnGetNextItem(tv, static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
    case TVM_SELECTITEM: return OnSelectItem(tv, static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETITEMW: return OnGetItem(tv, reinterpret_cast<TVITEMW*>(lParam));
    case TVM_SETITEMW: return OnSetItem(tv, reinterpret_cast<const TVITEMW*>(lParam));
    case TVM_GETVISIBLECOUNT: return VisibleCount(*tv);
    case TVM_HITTEST: return OnHitTest(tv, reinterpret_cast<TVHITTESTINFO*>(lParam));
    case TVM_ENSUREVISIBLE: return EnsureVisible(tv, reinterpret_cast<HTREEITEM>(lParam)) ? TRUE : FALSE;
    case TVM_SORTCHILDREN: return OnSortChildren(tv, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETITEMHEIGHT: return tv->itemHeight;
    case TVM_SETITEMHEIGHT: return OnSetItemHeight(tv, static_cast<SHORT>(LOWORD(wParam)));
    case TVM_GETITEMSTATE: {
      TreeItem* item = ItemOf(*tv, reinterpret_cast<HTREEITEM>(wParam));
      return item == nullptr ? 0 : static_cast<LRESULT>(item->state & static_cast<UINT>(lParam));
    }
    case WM_LBUTTONDOWN: return OnLButtonDown(tv, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_LBUTTONDBLCLK: return OnLButtonDoubleClick(tv, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_KEYDOWN: return OnKeyDown(tv, static_cast<UINT>(wParam));
    case WM_CHAR: return OnChar(tv, static_cast<char16_t>(wParam));
    case WM_VSCROLL: return OnVScroll(tv, wParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: return OnSetFocus(tv);
    case WM_KILLFOCUS:
      NotifyParent(*tv, kKillFocus);
      return 0;
    case WM_SIZE:
      NormalizeFirstVisible(*tv);
      return 0;
    case WM_SETFONT:
      tv->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(tv->font);
    case WM_DESTROY: return OnDestroy(tv);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK TreeViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunControl<TreeView>("SysTreeView32", &HandleMessage, hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterTreeViewClass() {
  RegisterCommonControlClass(WC_TREEVIEWW, &TreeViewProc);
}

bool IsTreeView(HWND hwnd) { return FindInstance<TreeView>(hwnd) != nullptr; }

bool TreeItemLabelPoint(HWND tree, HTREEITEM item, POINT* client) {
  TreePtr tv = FindInstance<TreeView>(tree);
  TreeItem* i = tv != nullptr ? ItemOf(*tv, item) : nullptr;
  if (i == nullptr || !IsShown(i)) return false;
  ItemLayout layout = LayoutOf(*tv, i);
  client->x = layout.textOffset + layout.labelWidth / 2;
  client->y = (layout.top + layout.bottom) / 2;
  return true;
}

bool TreeItemButtonPoint(HWND tree, HTREEITEM item, POINT* client) {
  TreePtr tv = FindInstance<TreeView>(tree);
  TreeItem* i = tv != nullptr ? ItemOf(*tv, item) : nullptr;
  if (i == nullptr || !IsShown(i) || !HasButton(*tv, i)) return false;
  ItemLayout layout = LayoutOf(*tv, i);
  client->x = layout.linesOffset + tv->indent / 2;
  client->y = (layout.top + layout.bottom) / 2;
  return true;
}

std::vector<TreeRow> ShownTreeRows(HWND tree) {
  std::vector<TreeRow> rows;
  TreePtr tv = FindInstance<TreeView>(tree);
  if (tv == nullptr) return rows;
  for (TreeItem* item : VisibleItems(*tv)) {
    TreeRow row;
    row.level = item->level;
    if (HasButton(*tv, item)) row.button = (item->state & TVIS_EXPANDED) != 0 && item->firstChild != nullptr ? '-' : '+';
    row.text = item->text;
    row.selected = item == tv->selected;
    row.item = item->handle;
    rows.push_back(row);
  }
  return rows;
}

}  // namespace cesim::detail
