// Tree view items through the control's messages.
#include "tree_items.h"

namespace conformance {

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const Text& text, HTREEITEM after, int children) {
  TVINSERTSTRUCTW insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | (children != kNoChildrenField ? TVIF_CHILDREN : 0);
  insert.item.pszText = const_cast<LPWSTR>(text.c_str());
  insert.item.cChildren = children;
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

namespace {

bool ReadItem(HWND tree, HTREEITEM item, UINT mask, TVITEMW* out, WCHAR* text, int size) {
  *out = TVITEMW();
  out->mask = mask | TVIF_HANDLE;
  out->hItem = item;
  out->stateMask = static_cast<UINT>(-1);
  out->pszText = text;
  out->cchTextMax = size;
  return SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(out)) != 0;
}

bool ItemRect(HWND tree, HTREEITEM item, bool labelOnly, RECT* rect) {
  // The item's handle goes in where the rectangle comes out.
  *reinterpret_cast<HTREEITEM*>(rect) = item;
  return SendMessageW(tree, TVM_GETITEMRECT, labelOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(rect)) != 0;
}

}  // namespace

Text ItemText(HWND tree, HTREEITEM item) {
  WCHAR text[MAX_PATH] = {};
  TVITEMW tvi;
  if (!ReadItem(tree, item, TVIF_TEXT, &tvi, text, MAX_PATH)) return TEXT("<no item>");
  return text;
}

UINT ItemState(HWND tree, HTREEITEM item) {
  TVITEMW tvi;
  WCHAR text[4];
  return ReadItem(tree, item, TVIF_STATE, &tvi, text, 4) ? tvi.state : 0;
}

int ItemChildren(HWND tree, HTREEITEM item) {
  TVITEMW tvi;
  WCHAR text[4];
  return ReadItem(tree, item, TVIF_CHILDREN, &tvi, text, 4) ? tvi.cChildren : -99;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM Selection(HWND tree) { return NextItem(tree, nullptr, TVGN_CARET); }

std::vector<Text> ChildTexts(HWND tree, HTREEITEM parent) {
  std::vector<Text> texts;
  HTREEITEM child = parent == nullptr ? NextItem(tree, nullptr, TVGN_ROOT) : NextItem(tree, parent, TVGN_CHILD);
  for (; child != nullptr; child = NextItem(tree, child, TVGN_NEXT)) texts.push_back(ItemText(tree, child));
  return texts;
}

bool LabelPoint(HWND tree, HTREEITEM item, POINT* point) {
  RECT label;
  if (!ItemRect(tree, item, true, &label)) return false;
  point->x = (label.left + label.right) / 2;
  point->y = (label.top + label.bottom) / 2;
  return true;
}

bool LabelRect(HWND tree, HTREEITEM item, RECT* rect) { return ItemRect(tree, item, true, rect); }

bool ButtonPoint(HWND tree, HTREEITEM item, POINT* point) {
  RECT label;
  if (!ItemRect(tree, item, true, &label)) return false;
  int indent = static_cast<int>(SendMessageW(tree, TVM_GETINDENT, 0, 0));
  point->x = label.left - indent / 2;
  point->y = (label.top + label.bottom) / 2;
  return true;
}

bool RightOfLabelPoint(HWND tree, HTREEITEM item, POINT* point) {
  RECT label;
  if (!ItemRect(tree, item, true, &label)) return false;
  point->x = label.right + 10;
  point->y = (label.top + label.bottom) / 2;
  return true;
}

TVHITTESTINFO HitTest(HWND tree, POINT point) {
  TVHITTESTINFO hit = {};
  hit.pt = point;
  SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit;
}

}  // namespace conformance
