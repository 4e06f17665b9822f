// Tree view items: handles, links, the shown order, the layout of each row and hit-testing.
#include "controls/treeview/items.h"

#include <algorithm>

#include "controls/common/control.h"
#include "controls/common/text.h"
#include "sim/commctrl.h"
#include "sim/window.h"

namespace cesim::detail {

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

void LinkAfter(TreeItem* item, TreeItem* parent, TreeItem* after) {
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
}

void Unlink(TreeView& tv, TreeItem* item, bool forgetChildrenCount) {
  (void)tv;
  TreeItem* parent = item->parent;
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

std::vector<TreeItem*> VisibleItems(const TreeView& tv) {
  std::vector<TreeItem*> shown;
  for (TreeItem* i = tv.root.firstChild; i != nullptr; i = NextShown(tv, i)) shown.push_back(i);
  return shown;
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

}  // namespace

ItemLayout LayoutOf(const TreeView& tv, const TreeItem* item) {
  std::vector<TreeItem*> shown = VisibleItems(tv);
  auto at = std::find(shown.begin(), shown.end(), item);
  auto first = std::find(shown.begin(), shown.end(), tv.firstVisible);
  int index = static_cast<int>(at - shown.begin());
  int firstIndex = first == shown.end() ? 0 : static_cast<int>(first - shown.begin());
  // Rows count integral heights: an item may be several rows high.
  int row = 0;
  if (index >= firstIndex) {
    for (int i = firstIndex; i < index; ++i) row += shown[static_cast<size_t>(i)]->integral;
  } else {
    for (int i = index; i < firstIndex; ++i) row -= shown[static_cast<size_t>(i)]->integral;
  }
  return LayoutAtRow(tv, item, row);
}

void SetFirstVisible(TreeView& tv, TreeItem* item) {
  std::vector<TreeItem*> shown = VisibleItems(tv);
  if (shown.empty()) {
    tv.firstVisible = nullptr;
    return;
  }
  auto at = std::find(shown.begin(), shown.end(), item);
  if (at == shown.end()) at = shown.begin();
  // No gap below the last item while items are scrolled away above.
  int rows = VisibleCount(tv);
  int index = static_cast<int>(at - shown.begin());
  int total = static_cast<int>(shown.size());
  if (total - index < rows) index = std::max(0, total - rows);
  tv.firstVisible = shown[static_cast<size_t>(index)];
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
  ItemLayout layout;
  int row = 0;
  for (TreeItem* i = tv.firstVisible; i != nullptr; i = NextShown(tv, i)) {
    layout = LayoutAtRow(tv, i, row);
    if (layout.top > pt.y) break;
    if (pt.y < layout.bottom) {
      hit = i;
      break;
    }
    row += std::max(i->integral, 1);
  }
  if (hit == nullptr) {
    *flags = TVHT_NOWHERE;
    return nullptr;
  }
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
  CESIM_CHECK_INVARIANT(tv.selected == nullptr || (tv.selected->state & TVIS_SELECTED) != 0, "selected item state");
  CESIM_CHECK_INVARIANT(tv.firstVisible == nullptr || IsShown(tv.firstVisible), "first visible item shown");
}

}  // namespace cesim::detail
