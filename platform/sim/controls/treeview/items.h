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
};

struct TreeView : ControlInstance {
  // The links of the items, the selection and the first visible item.
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
};

// Item handles: never reused, small enough for the 32-bit fields that carry them.
HTREEITEM NewItemHandle();
// The item of this tree for a handle; null for stale and foreign handles. TVI_ROOT (in its
// 64-bit and 32-bit spellings) gives the hidden root only where `rootAllowed`.
TreeItem* ItemOf(TreeView& tv, HTREEITEM handle, bool rootAllowed = false);
// Whether a handle is one of TVI_ROOT, TVI_FIRST, TVI_LAST, TVI_SORT, in its 64-bit or 32-bit spelling.
bool IsSpecialHandle(HTREEITEM handle, HTREEITEM special);

void LinkAfter(TreeItem* item, TreeItem* parent, TreeItem* after);  // after null: first
// Takes an item out of its parent's children; a parent left without children then has none
// (cChildren 0), unless its cChildren was given explicitly or the caller says otherwise.
void Unlink(TreeView& tv, TreeItem* item, bool forgetChildrenCount = true);
bool IsAncestor(const TreeItem* ancestor, const TreeItem* item);

// Items in the order the tree shows them: every item whose ancestors are all expanded.
std::vector<TreeItem*> VisibleItems(const TreeView& tv);
bool IsShown(const TreeItem* item);  // all ancestors expanded
TreeItem* NextShown(const TreeView& tv, TreeItem* item);
TreeItem* PreviousShown(const TreeView& tv, TreeItem* item);
TreeItem* LastShown(const TreeView& tv);

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
ItemLayout LayoutOf(const TreeView& tv, const TreeItem* item);
int ClientWidth(const TreeView& tv);
int ClientHeight(const TreeView& tv);
int VisibleCount(const TreeView& tv);
// Whether the item shows an expand button (+ or -).
bool HasButton(const TreeView& tv, const TreeItem* item);

// Keeps the first visible item shown and the list without a gap below its end.
void SetFirstVisible(TreeView& tv, TreeItem* item);
void NormalizeFirstVisible(TreeView& tv);

// Hit-testing a client point: the item and TVHT_ flags.
HTREEITEM HitTest(TreeView& tv, POINT pt, UINT* flags);


}  // namespace cesim::detail

#endif
