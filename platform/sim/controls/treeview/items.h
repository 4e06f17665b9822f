// The tree view's items and their layout: the per-control instance, items linked to parent and
// siblings, the order in which expanded branches show them, and where each part of an item
// (indent, button, state icon, icon, label) lies, which hit-testing and painting share.
#ifndef CESIM_CONTROLS_TREEVIEW_ITEMS_H
#define CESIM_CONTROLS_TREEVIEW_ITEMS_H

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/common/control.h"
#include "sim/types.h"

namespace cesim::detail {

struct TreeItem {
  HTREEITEM handle = nullptr;
  TreeItem* parent = nullptr;  // the hidden root item for top-level items
  TreeItem* firstChild = nullptr;
  TreeItem* lastChild = nullptr;
  TreeItem* prev = nullptr;
  TreeItem* next = nullptr;
  std::u16string text;
  bool textCallback = false;
  int children = 0;             // cChildren: 0, 1 or I_CHILDRENCALLBACK
  bool childrenSet = false;     // cChildren given with TVIF_CHILDREN: kept when the last child goes
  UINT state = 0;
  int image = 0;
  int selectedImage = 0;
  int integral = 1;
  LPARAM lParam = 0;
  int level = 0;                // 0 for top-level items
  // Rows above the item in the shown order (integral heights counted); -1 while it is not shown.
  // Kept up to date lazily: read it through RowOf.
  int visibleOrder = -1;
};

struct TreeView : ControlInstance {
  // The links of the items, the selection, the first visible item and the kept visible order
  // against a full rebuild (on every message of a small tree, on a sample of a large one's).
  void CheckInvariants() override;

  TreeItem root;                // hidden; always expanded
  std::unordered_map<uintptr_t, std::unique_ptr<TreeItem>> items;
  TreeItem* selected = nullptr;
  TreeItem* dropHilite = nullptr;
  TreeItem* firstVisible = nullptr;
  int indent = 19;
  int itemHeight = 16;
  bool itemHeightSet = false;
  HIMAGELIST normalImages = nullptr;
  HIMAGELIST stateImages = nullptr;
  HFONT font = nullptr;
  bool suppressNextChar = false;  // the parent kept the last key out of the incremental search
  std::u16string search;          // incremental search by typed characters
  DWORD lastSearchKey = 0;

  // The visible order: every shown item whose true order is below staleRow has it in its
  // visibleOrder; the others hold -1 or a number of staleRow or more, and are numbered again from
  // renumberFrom (null: from the top) when an order is next read. totalRows counts the rows of all
  // shown items once the order is whole (staleRow kOrderWhole).
  static constexpr int kOrderWhole = 0x7FFFFFFF;
  int staleRow = kOrderWhole;
  TreeItem* renumberFrom = nullptr;
  int totalRows = 0;
  ItemCheckPacing fullCheck;  // the check of every item, paced by the number of items
};

// Item handles: never reused, small enough for the 32-bit fields that carry them.
HTREEITEM NewItemHandle();
// The item of this tree for a handle; null for stale and foreign handles. TVI_ROOT (in its
// 64-bit and 32-bit spellings) gives the hidden root only where `rootAllowed`.
TreeItem* ItemOf(TreeView& tv, HTREEITEM handle, bool rootAllowed = false);
// Whether a handle is one of TVI_ROOT, TVI_FIRST, TVI_LAST, TVI_SORT, in its 64-bit or 32-bit spelling.
bool IsSpecialHandle(HTREEITEM handle, HTREEITEM special);

// Links an item among a parent's children after a sibling (null: first), and takes it out again.
// Both keep the visible order. A parent left without children then has none (cChildren 0), unless
// its cChildren was given explicitly or the caller says otherwise.
void LinkAfter(TreeView& tv, TreeItem* item, TreeItem* parent, TreeItem* after);
void Unlink(TreeView& tv, TreeItem* item, bool forgetChildrenCount = true);
bool IsAncestor(const TreeItem* ancestor, const TreeItem* item);

// Opens or closes a branch (TVIS_EXPANDED), keeping the visible order.
void SetExpanded(TreeView& tv, TreeItem* item, bool expanded);
// An item's height in rows changed.
void SetIntegral(TreeView& tv, TreeItem* item, int integral);

// Items in the order the tree shows them: every item whose ancestors are all expanded.
std::vector<TreeItem*> VisibleItems(const TreeView& tv);
bool IsShown(const TreeItem* item);  // all ancestors expanded
TreeItem* NextShown(const TreeView& tv, TreeItem* item);
TreeItem* PreviousShown(const TreeView& tv, TreeItem* item);
TreeItem* LastShown(const TreeView& tv);
// The shown item `count` items after (or, negative, before) an item, stopping at either end.
TreeItem* ShownItemsAway(const TreeView& tv, TreeItem* item, long count);
// The row of a shown item from the top of the list, and the rows of all shown items.
int RowOf(TreeView& tv, const TreeItem* item);
int TotalRows(TreeView& tv);

// Layout in client coordinates.
struct ItemLayout {
  int row = 0;           // rows from the first visible item (negative: scrolled above)
  int top = 0;
  int bottom = 0;
  int linesOffset = 0;   // the indent column with the button
  int stateOffset = 0;
  int imageOffset = 0;
  int textOffset = 0;
  int labelWidth = 0;
};
ItemLayout LayoutOf(TreeView& tv, const TreeItem* item);
int ClientWidth(const TreeView& tv);
int ClientHeight(const TreeView& tv);
int VisibleCount(const TreeView& tv);
// Whether the item shows an expand button (+ or -).
bool HasButton(const TreeView& tv, const TreeItem* item);

// Makes an item the first visible one, keeping the list without a gap below its end (null or an
// item not shown: the top). NormalizeFirstVisible keeps the first visible item shown.
void SetFirstVisible(TreeView& tv, TreeItem* item);
void NormalizeFirstVisible(TreeView& tv);

// Hit-testing a client point: the item and TVHT_ flags.
HTREEITEM HitTest(TreeView& tv, POINT pt, UINT* flags);

}  // namespace cesim::detail

#endif
