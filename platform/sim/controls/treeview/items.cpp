// Tree view items: handles, links, the shown order kept as each change happens, the layout of each
// row and hit-testing.
#include "controls/treeview/items.h"

#include <algorithm>

#include "controls/common/control.h"
#include "controls/common/text.h"
#include "sim/commctrl.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

// The shown order changed after `before`, a shown item whose order the change leaves alone (null:
// from the top). The numbers of the items after it are stale until the order is next read.
void OrderChangedAfter(TreeView& tv, const TreeItem* before) {
  if (before == nullptr) {
    tv.staleRow = 0;
    tv.renumberFrom = nullptr;
    return;
  }
  // An item numbered below the stale row has its true number; one that is not lies in the stale
  // part already, which is numbered again from an earlier item.
  int order = before->visibleOrder;
  if (order < 0 || order >= tv.staleRow) return;
  tv.staleRow = order + 1;
  tv.renumberFrom = const_cast<TreeItem*>(before);
}

// Numbers the stale part of the shown order again, from the last item known right to the end.
void EnsureOrder(TreeView& tv) {
  if (tv.staleRow == TreeView::kOrderWhole) return;
  TreeItem* item = tv.renumberFrom != nullptr ? tv.renumberFrom : tv.root.firstChild;
  int order = tv.renumberFrom != nullptr ? tv.renumberFrom->visibleOrder : 0;
  for (; item != nullptr; item = NextShown(tv, item)) {
    item->visibleOrder = order;
    order += item->integral;
  }
  tv.totalRows = order;
  tv.staleRow = TreeView::kOrderWhole;
  tv.renumberFrom = nullptr;
}

// The items shown below an expanded item leave the shown order (the item is about to close).
void HideShownDescendants(const TreeView& tv, TreeItem* item) {
  for (TreeItem* i = NextShown(tv, item); i != nullptr && i->level > item->level; i = NextShown(tv, i)) {
    i->visibleOrder = -1;
  }
}

bool InShownBranch(const TreeItem* parent) {
  return parent->parent == nullptr || ((parent->state & TVIS_EXPANDED) != 0 && IsShown(parent));
}

}  // namespace

HTREEITEM NewItemHandle() {
  static uintptr_t next = 0x00A00000;
  next += 4;
  return reinterpret_cast<HTREEITEM>(next);
}

bool IsSpecialHandle(HTREEITEM handle, HTREEITEM special) {
  uintptr_t raw = reinterpret_cast<uintptr_t>(handle);
  uintptr_t value = reinterpret_cast<uintptr_t>(special);
  // The platform's 64-bit spelling sign-extends the device's 32-bit value.
  return raw == value || raw == static_cast<uint32_t>(value);
}

TreeItem* ItemOf(TreeView& tv, HTREEITEM handle, bool rootAllowed) {
  if (rootAllowed && IsSpecialHandle(handle, TVI_ROOT)) return &tv.root;
  auto it = tv.items.find(reinterpret_cast<uintptr_t>(handle));
  return it == tv.items.end() ? nullptr : it->second.get();
}

void LinkAfter(TreeView& tv, TreeItem* item, TreeItem* parent, TreeItem* after) {
  item->parent = parent;
  item->level = parent->level + 1;
  item->prev = after;
  item->next = after != nullptr ? after->next : parent->firstChild;
  if (item->prev != nullptr) {
    item->prev->next = item;
  } else {
    parent->firstChild = item;
  }
  if (item->next != nullptr) {
    item->next->prev = item;
  } else {
    parent->lastChild = item;
  }
  item->visibleOrder = -1;
  if (InShownBranch(parent)) OrderChangedAfter(tv, PreviousShown(tv, item));
}

void Unlink(TreeView& tv, TreeItem* item, bool forgetChildrenCount) {
  TreeItem* parent = item->parent;
  if (InShownBranch(parent)) OrderChangedAfter(tv, PreviousShown(tv, item));
  item->visibleOrder = -1;
  if (item->prev != nullptr) {
    item->prev->next = item->next;
  } else {
    parent->firstChild = item->next;
  }
  if (item->next != nullptr) {
    item->next->prev = item->prev;
  } else {
    parent->lastChild = item->prev;
  }
  item->prev = item->next = nullptr;
  // A parent whose last child goes has no children any more, unless it was told how many it has.
  if (forgetChildrenCount && !parent->childrenSet && parent->firstChild == nullptr && parent->children > 0) {
    parent->children = 0;
  }
}

bool IsAncestor(const TreeItem* ancestor, const TreeItem* item) {
  for (const TreeItem* p = item != nullptr ? item->parent : nullptr; p != nullptr; p = p->parent) {
    if (p == ancestor) return true;
  }
  return false;
}

void SetExpanded(TreeView& tv, TreeItem* item, bool expanded) {
  bool was = (item->state & TVIS_EXPANDED) != 0;
  if (was == expanded) return;
  bool shown = IsShown(item) && item->firstChild != nullptr;
  if (shown && was) HideShownDescendants(tv, item);
  if (expanded) {
    item->state |= TVIS_EXPANDED;
  } else {
    item->state &= ~static_cast<UINT>(TVIS_EXPANDED);
  }
  if (shown) OrderChangedAfter(tv, item);
}

void SetIntegral(TreeView& tv, TreeItem* item, int integral) {
  if (item->integral == integral) return;
  item->integral = integral;
  if (IsShown(item)) OrderChangedAfter(tv, item);
}

bool IsShown(const TreeItem* item) {
  for (const TreeItem* p = item->parent; p != nullptr && p->parent != nullptr; p = p->parent) {
    if ((p->state & TVIS_EXPANDED) == 0) return false;
  }
  return true;
}

TreeItem* NextShown(const TreeView& tv, TreeItem* item) {
  (void)tv;
  if ((item->state & TVIS_EXPANDED) != 0 && item->firstChild != nullptr) return item->firstChild;
  for (TreeItem* i = item; i != nullptr && i->parent != nullptr; i = i->parent) {
    if (i->next != nullptr) return i->next;
  }
  return nullptr;
}

TreeItem* PreviousShown(const TreeView& tv, TreeItem* item) {
  if (item->prev == nullptr) return item->parent == &tv.root ? nullptr : item->parent;
  TreeItem* i = item->prev;
  while ((i->state & TVIS_EXPANDED) != 0 && i->lastChild != nullptr) i = i->lastChild;
  return i;
}

TreeItem* LastShown(const TreeView& tv) {
  TreeItem* i = tv.root.lastChild;
  while (i != nullptr && (i->state & TVIS_EXPANDED) != 0 && i->lastChild != nullptr) i = i->lastChild;
  return i;
}

TreeItem* ShownItemsAway(const TreeView& tv, TreeItem* item, long count) {
  for (; count > 0; --count) {
    TreeItem* next = NextShown(tv, item);
    if (next == nullptr) break;
    item = next;
  }
  for (; count < 0; ++count) {
    TreeItem* previous = PreviousShown(tv, item);
    if (previous == nullptr) break;
    item = previous;
  }
  return item;
}

std::vector<TreeItem*> VisibleItems(const TreeView& tv) {
  std::vector<TreeItem*> shown;
  for (TreeItem* i = tv.root.firstChild; i != nullptr; i = NextShown(tv, i)) shown.push_back(i);
  return shown;
}

int RowOf(TreeView& tv, const TreeItem* item) {
  EnsureOrder(tv);
  return item->visibleOrder;
}

int TotalRows(TreeView& tv) {
  EnsureOrder(tv);
  return tv.totalRows;
}

int ClientWidth(const TreeView& tv) {
  RECT client = {0, 0, 0, 0};
  GetClientRect(tv.hwnd, &client);
  return client.right;
}

int ClientHeight(const TreeView& tv) {
  RECT client = {0, 0, 0, 0};
  GetClientRect(tv.hwnd, &client);
  return client.bottom;
}

int VisibleCount(const TreeView& tv) { return tv.itemHeight > 0 ? ClientHeight(tv) / tv.itemHeight : 0; }

bool HasButton(const TreeView& tv, const TreeItem* item) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(tv.hwnd, GWL_STYLE));
  if ((style & TVS_HASBUTTONS) == 0 || item->children == 0) return false;
  return item->level > 0 || (style & TVS_LINESATROOT) != 0;
}

namespace {

ItemLayout LayoutAtRow(const TreeView& tv, const TreeItem* item, int row) {
  ItemLayout layout;
  layout.row = row;
  layout.top = row * tv.itemHeight;
  layout.bottom = layout.top + tv.itemHeight * std::max(item->integral, 1);
  DWORD style = static_cast<DWORD>(GetWindowLongW(tv.hwnd, GWL_STYLE));
  // Top-level items have an indent column of their own only with lines or buttons at the root.
  bool linesAtRoot = (style & TVS_LINESATROOT) != 0 && (style & (TVS_HASLINES | TVS_HASBUTTONS)) != 0;
  layout.linesOffset = tv.indent * (linesAtRoot ? item->level : item->level - 1);
  layout.stateOffset = layout.linesOffset + tv.indent;
  // cesim has no image lists to measure: state icons and icons take no room.
  layout.imageOffset = layout.stateOffset;
  layout.textOffset = layout.imageOffset;
  // The label: the text and two pixels on either side.
  layout.labelWidth = SystemTextWidth(item->text) + 4;
  return layout;
}

int FirstVisibleRow(TreeView& tv) { return tv.firstVisible != nullptr ? RowOf(tv, tv.firstVisible) : 0; }

}  // namespace

ItemLayout LayoutOf(TreeView& tv, const TreeItem* item) {
  return LayoutAtRow(tv, item, RowOf(tv, item) - FirstVisibleRow(tv));
}

void SetFirstVisible(TreeView& tv, TreeItem* item) {
  if (tv.root.firstChild == nullptr) {
    tv.firstVisible = nullptr;
    return;
  }
  if (item == nullptr || !IsShown(item)) item = tv.root.firstChild;
  // No gap below the last item while items are scrolled away above.
  int rows = VisibleCount(tv);
  int total = TotalRows(tv);
  for (;;) {
    TreeItem* previous = PreviousShown(tv, item);
    if (previous == nullptr || total - RowOf(tv, previous) > rows) break;
    item = previous;
  }
  tv.firstVisible = item;
}

void NormalizeFirstVisible(TreeView& tv) {
  TreeItem* first = tv.firstVisible;
  // A first visible item inside a collapsed branch gives way to the branch.
  while (first != nullptr && !IsShown(first)) first = first->parent == &tv.root ? nullptr : first->parent;
  SetFirstVisible(tv, first);
}

HTREEITEM HitTest(TreeView& tv, POINT pt, UINT* flags) {
  *flags = 0;
  int width = ClientWidth(tv);
  int height = ClientHeight(tv);
  if (pt.x < 0) *flags |= TVHT_TOLEFT;
  if (pt.x >= width) *flags |= TVHT_TORIGHT;
  if (pt.y < 0) *flags |= TVHT_ABOVE;
  if (pt.y >= height) *flags |= TVHT_BELOW;
  if (*flags != 0) return nullptr;
  TreeItem* hit = nullptr;
  int first = FirstVisibleRow(tv);
  int row = tv.itemHeight > 0 ? pt.y / tv.itemHeight + first : first;
  for (TreeItem* i = tv.firstVisible; i != nullptr && RowOf(tv, i) <= row; i = NextShown(tv, i)) {
    if (row < RowOf(tv, i) + std::max(i->integral, 1)) {
      hit = i;
      break;
    }
  }
  if (hit == nullptr) {
    *flags = TVHT_NOWHERE;
    return nullptr;
  }
  ItemLayout layout = LayoutAtRow(tv, hit, RowOf(tv, hit) - first);
  DWORD style = static_cast<DWORD>(GetWindowLongW(tv.hwnd, GWL_STYLE));
  if (pt.x >= layout.textOffset + layout.labelWidth) {
    *flags = TVHT_ONITEMRIGHT;
  } else if (pt.x >= layout.textOffset) {
    *flags = TVHT_ONITEMLABEL;
  } else if (pt.x >= layout.imageOffset) {
    *flags = TVHT_ONITEMICON;
  } else if (pt.x >= layout.stateOffset) {
    *flags = TVHT_ONITEMSTATEICON;
  } else if (pt.x >= layout.linesOffset && (style & TVS_HASBUTTONS) != 0 && hit->children != 0) {
    // Only an item that may have children shows a button; elsewhere the column is indent.
    *flags = TVHT_ONITEMBUTTON;
  } else {
    *flags = TVHT_ONITEMINDENT;
  }
  return hit->handle;
}

void TreeView::CheckInvariants() {
  const TreeView& tv = *this;
  CESIM_CHECK_INVARIANT(tv.selected == nullptr || (tv.selected->state & TVIS_SELECTED) != 0, "selected item state");
  CESIM_CHECK_INVARIANT(tv.firstVisible == nullptr || IsShown(tv.firstVisible), "first visible item shown");
  CESIM_CHECK_INVARIANT(tv.staleRow == kOrderWhole || tv.renumberFrom == nullptr ||
                            tv.staleRow == tv.renumberFrom->visibleOrder + 1,
                        "visible order renumbered from the last item known right");
  if (!fullCheck.Due(items.size())) return;
  // The links, every item linked once.
  size_t count = 0;
  std::vector<const TreeItem*> pending = {&tv.root};
  while (!pending.empty()) {
    const TreeItem* parent = pending.back();
    pending.pop_back();
    const TreeItem* previous = nullptr;
    for (const TreeItem* child = parent->firstChild; child != nullptr; child = child->next) {
      CESIM_CHECK_INVARIANT(child->parent == parent, "tree item parent link");
      CESIM_CHECK_INVARIANT(child->prev == previous, "tree item sibling links");
      CESIM_CHECK_INVARIANT(child->level == parent->level + 1, "tree item level");
      CESIM_CHECK_INVARIANT(tv.items.count(reinterpret_cast<uintptr_t>(child->handle)) == 1, "tree item handle");
      previous = child;
      ++count;
      pending.push_back(child);
    }
    CESIM_CHECK_INVARIANT(parent->lastChild == previous, "tree last child link");
  }
  CESIM_CHECK_INVARIANT(count == tv.items.size(), "every tree item linked once");
  // The kept visible order against one rebuilt from the top: right below the stale row, and above
  // it either not numbered yet or numbered no lower than the stale row; nothing hidden numbered.
  int order = 0;
  bool renumberFromShown = false;
  for (TreeItem* i = tv.root.firstChild; i != nullptr; i = NextShown(tv, i)) {
    if (order < tv.staleRow) {
      CESIM_CHECK_INVARIANT(i->visibleOrder == order, "visible order kept as a rebuild gives it");
    } else {
      CESIM_CHECK_INVARIANT(i->visibleOrder == -1 || i->visibleOrder >= tv.staleRow, "stale visible order");
    }
    if (i == tv.renumberFrom) renumberFromShown = true;
    order += i->integral;
  }
  CESIM_CHECK_INVARIANT(tv.renumberFrom == nullptr || renumberFromShown, "visible order renumbered from a shown item");
  CESIM_CHECK_INVARIANT(tv.staleRow != kOrderWhole || tv.totalRows == order, "rows of the shown items");
  for (const auto& entry : tv.items) {
    CESIM_CHECK_INVARIANT(IsShown(entry.second.get()) || entry.second->visibleOrder == -1,
                          "hidden items have no visible order");
  }
}

}  // namespace cesim::detail
