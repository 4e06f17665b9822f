// The list view's instance: its items, their texts and the checks of what holds between them.
#include "controls/listview/model.h"

#include "controls/common/instances.h"
#include "files/paths.h"
#include "sim/window.h"
#include "window/table.h"

namespace cesim::detail {

int ItemCount(const ListView& lv) { return static_cast<int>(lv.items.size()); }

bool ValidItem(const ListView& lv, int index) { return index >= 0 && index < ItemCount(lv); }

UINT ViewOf(const ListView& lv) { return lv.style & LVS_TYPEMASK; }

bool Gone(const ListViewPtr& lv) { return lv->destroyed || !IsWindow(lv->hwnd); }

const ListText* TextOf(const ListView& lv, int index, int subItem) {
  if (!ValidItem(lv, index)) return nullptr;
  const ListItem& item = lv.items[static_cast<size_t>(index)];
  if (subItem == 0) return &item.text;
  if (subItem < 0 || static_cast<size_t>(subItem) >= item.subItems.size()) return nullptr;
  return &item.subItems[static_cast<size_t>(subItem)].text;
}

void SetText(ListText& slot, LPCWSTR text) {
  if (text == LPSTR_TEXTCALLBACKW) {
    slot.kind = ListText::Kind::Callback;
    slot.text.clear();
  } else if (text == nullptr) {
    slot.kind = ListText::Kind::None;
    slot.text.clear();
  } else {
    slot.kind = ListText::Kind::Stored;
    slot.text = BoundedText(text, kMaxItemText);
  }
}

bool TextDiffers(const ListText& slot, LPCWSTR text) {
  if (text == LPSTR_TEXTCALLBACKW) return true;
  if (text == nullptr) return slot.kind != ListText::Kind::None;
  if (slot.kind != ListText::Kind::Stored) return true;
  return slot.text != BoundedText(text, kMaxItemText);
}

int CompareSortText(const ListText& a, LPCWSTR b) {
  bool aText = a.kind == ListText::Kind::Stored;
  bool bText = b != nullptr && b != LPSTR_TEXTCALLBACKW;
  if (!aText || !bText) return aText == bText ? 0 : (aText ? 1 : -1);
  std::u16string x = FoldCase(a.text);
  std::u16string y = FoldCase(BoundedText(b, kMaxItemText));
  return x < y ? -1 : (x == y ? 0 : 1);
}

void CheckListInvariants(const ListView& lv) {
#ifndef NDEBUG
  CESIM_CHECK_INVARIANT(lv.focused >= -1 && lv.focused < ItemCount(lv), "focus within the items");
  CESIM_CHECK_INVARIANT(lv.selectionMark >= -1 && lv.selectionMark < ItemCount(lv), "selection mark within the items");
  for (int i = 0; i < ItemCount(lv); ++i) {
    bool focusBit = (lv.items[static_cast<size_t>(i)].state & LVIS_FOCUSED) != 0;
    CESIM_CHECK_INVARIANT(focusBit == (i == lv.focused), "only the focused item has LVIS_FOCUSED");
    CESIM_CHECK_INVARIANT(lv.items[static_cast<size_t>(i)].subItems.size() <= lv.columns.size(),
                          "sub-items only for columns");
  }
  CESIM_CHECK_INVARIANT(lv.editItem == -1 || lv.edit != nullptr, "an edited item has its edit control");
#else
  (void)lv;
#endif
}

}  // namespace cesim::detail
