// The list view's instance: its items, their texts and the checks of what holds between them.
#include "controls/listview/model.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "controls/common/text.h"
#include "sim/core.h"
#include "sim/window.h"

namespace cesim::detail {

ListItems::ListItems(const ListItems& other) {
  // Filled aside first, so that a failed copy frees what it made.
  ListItems copy;
  copy.items_.reserve(other.items_.size());
  for (const ListItem* item : other.items_) copy.Append(*item);
  items_.swap(copy.items_);
}

ListItems::~ListItems() {
  for (ListItem* item : items_) delete item;
}

ListItem& ListItems::Insert(size_t index) {
  std::unique_ptr<ListItem> item(new ListItem());
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), item.get());
  return *item.release();
}

void ListItems::Erase(size_t index) {
  delete items_[index];
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void ListItems::Append(const ListItem& item) {
  std::unique_ptr<ListItem> copy(new ListItem(item));
  items_.push_back(copy.get());
  copy.release();
}

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
  // lstrcmpW with the lengths given: a kept text ends at its first null (TextUpTo), so they are
  // the lengths that lstrcmpW would measure.
  return CompareStringW(LOCALE_USER_DEFAULT, 0, a.text.c_str(), static_cast<int>(a.text.size()), b->c_str(),
                        static_cast<int>(b->size())) -
         CSTR_EQUAL;
}

void ForgetTextOrder(ListView& lv) {
  lv.textOrder = ListView::TextOrder::Unknown;
  ++lv.textOrderChanges;
}

namespace {

int DirectedCompare(const ListView& lv, size_t index, const std::optional<std::u16string>& text, bool descending) {
  int order = CompareSortText(lv.items[index].text, text);
  return descending ? -order : order;
}

bool TextsInOrder(const ListView& lv, bool descending) {
  for (size_t i = 1; i < lv.items.size(); ++i) {
    const ListText& before = lv.items[i - 1].text;
    std::optional<std::u16string> text;
    if (lv.items[i].text.kind == ListText::Kind::Stored) text = lv.items[i].text.text;
    int order = CompareSortText(before, text);
    if (descending ? order < 0 : order > 0) return false;
  }
  return true;
}

}  // namespace

int SortedInsertionIndex(ListView& lv, const std::optional<std::u16string>& text, bool descending) {
  const ListView::TextOrder wanted = descending ? ListView::TextOrder::Descending : ListView::TextOrder::Ascending;
  // The order is checked again once after whatever made it unknown (or after a change of direction).
  if (lv.textOrder != wanted) lv.textOrder = TextsInOrder(lv, descending) ? wanted : ListView::TextOrder::Unknown;
  const size_t count = lv.items.size();
  if (lv.textOrder != wanted) {
    // Out of order: the first item that sorts at or after the text, as the control always looks.
    size_t index = 0;
    while (index < count && DirectedCompare(lv, index, text, descending) < 0) ++index;
    return static_cast<int>(index);
  }
  // In order, the items that sort before the text are all at the front: the same first index.
  size_t low = 0;
  size_t high = count;
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    if (DirectedCompare(lv, middle, text, descending) < 0) low = middle + 1;
    else high = middle;
  }
  return static_cast<int>(low);
}

void ListView::CheckInvariants() {
  CESIM_CHECK_INVARIANT(focused >= -1 && focused < ItemCount(*this), "focus within the items");
  CESIM_CHECK_INVARIANT(selectionMark >= -1 && selectionMark < ItemCount(*this), "selection mark within the items");
  CESIM_CHECK_INVARIANT(focused == -1 || (items[static_cast<size_t>(focused)].state & LVIS_FOCUSED) != 0,
                        "the focused item has LVIS_FOCUSED");
  CESIM_CHECK_INVARIANT(editItem == -1 || edit != nullptr, "an edited item has its edit control");
  // Run before and after every message: one plain pass over the items, paced in a long list.
  if (!fullCheck.Due(items.size())) return;
  const size_t count = items.size();
  const size_t columnCount = columns.size();
  for (size_t i = 0; i < count; ++i) {
    const ListItem& item = items[i];
    bool focusBit = (item.state & LVIS_FOCUSED) != 0;
    CESIM_CHECK_INVARIANT(focusBit == (static_cast<int>(i) == focused), "only the focused item has LVIS_FOCUSED");
    CESIM_CHECK_INVARIANT(item.subItems.size() <= columnCount, "sub-items only for columns");
  }
}

}  // namespace cesim::detail
