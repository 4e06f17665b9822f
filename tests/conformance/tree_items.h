// Tree view items for conformance tests, through the control's messages only: inserting,
// reading, and the client points of an item's parts as the control itself reports them.
#ifndef FOLDWISE_CONFORMANCE_TREE_ITEMS_H
#define FOLDWISE_CONFORMANCE_TREE_ITEMS_H

#include <vector>

#include "host.h"

namespace conformance {

// The tree of the module's Change Folder dialog: buttons, lines, lines at the root, no dragging,
// a border and a tab stop.
constexpr DWORD kFolderTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                   TVS_LINESATROOT | TVS_DISABLEDRAGDROP;
constexpr int kTreeId = 100;

// cChildren left unset.
constexpr int kNoChildrenField = -2;

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const Text& text, HTREEITEM after = TVI_LAST,
                     int children = kNoChildrenField);
Text ItemText(HWND tree, HTREEITEM item);
UINT ItemState(HWND tree, HTREEITEM item);
int ItemChildren(HWND tree, HTREEITEM item);
HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation);
HTREEITEM Selection(HWND tree);
// The texts of an item's children (of the top level for null), in the tree's order.
std::vector<Text> ChildTexts(HWND tree, HTREEITEM parent);

// Client points of an item's parts, from TVM_GETITEMRECT and TVM_GETINDENT: the middle of its
// label, the middle of its expand button's column (left of the label by one indent: no image
// lists here), and a point right of its label. False when the item is not shown.
bool LabelPoint(HWND tree, HTREEITEM item, POINT* point);
bool LabelRect(HWND tree, HTREEITEM item, RECT* rect);  // TVM_GETITEMRECT of the label
bool ButtonPoint(HWND tree, HTREEITEM item, POINT* point);
bool RightOfLabelPoint(HWND tree, HTREEITEM item, POINT* point);

// TVM_HITTEST at a client point.
TVHITTESTINFO HitTest(HWND tree, POINT point);

}  // namespace conformance

#endif
