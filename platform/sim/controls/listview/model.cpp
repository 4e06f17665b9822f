// The list view's instance: its items, their texts and the checks of what holds between them.
#include "controls/listview/model.h"

#include <algorithm>

#include "controls/common/text.h"
#include "sim/core.h"
#include "sim/window.h"

namespace cesim::detail {

int ItemCount(const ListView& lv) { return static_cast<int>(lv.items.size()); }

bool ValidItem(const ListView& lv, int index) { return index >= 0 && index < ItemCount(lv); }

UINT ViewOf(const ListView& lv) { return lv.style & LVS_TYPEMASK; }

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
    slot.text = TextUpTo(text, kMaxItemText);
  }
}

bool TextDiffers(const ListText& slot, LPCWSTR text) {
  if (text == LPSTR_TEXTCALLBACKW) return true;
  if (text == nullptr) return slot.kind != ListText::Kind::None;
  if (slot.kind != ListText::Kind::Stored) return true;
  return slot.text != TextUpTo(text, kMaxItemText);
}

int CompareSortText(const ListText& a, LPCWSTR b) {
  std::optional<std::u16string> other;
  if (b != nullptr && b != LPSTR_TEXTCALLBACKW) other = TextUpTo(b, kMaxItemText);
  return CompareSortText(a, other);
}

int CompareSortText(const ListText& a, const std::optional<std::u16string>& b) {
  bool aText = a.kind == ListText::Kind::Stored;
  if (!aText || !b) return aText == b.has_value() ? 0 : (aText ? 1 : -1);
  return lstrcmpW(a.text.c_str(), b->c_str());
}

void ListView::CheckInvariants() {
  CESIM_CHECK_INVARIANT(focused >= -1 && focused < ItemCount(*this), "focus within the items");
  CESIM_CHECK_INVARIANT(selectionMark >= -1 && selectionMark < ItemCount(*this), "selection mark within the items");
  for (int i = 0; i < ItemCount(*this); ++i) {
    bool focusBit = (items[static_cast<size_t>(i)].state & LVIS_FOCUSED) != 0;
    CESIM_CHECK_INVARIANT(focusBit == (i == focused), "only the focused item has LVIS_FOCUSED");
    CESIM_CHECK_INVARIANT(items[static_cast<size_t>(i)].subItems.size() <= columns.size(),
                          "sub-items only for columns");
  }
  CESIM_CHECK_INVARIANT(editItem == -1 || edit != nullptr, "an edited item has its edit control");
}

}  // namespace cesim::detail
