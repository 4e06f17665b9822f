// The list view's per-control instance: its items with their sub-item texts, its columns, the
// focus, selection mark, image lists, scroll position and label edit, and the debug check of what
// must always hold between them.
#ifndef CESIM_CONTROLS_LISTVIEW_MODEL_H
#define CESIM_CONTROLS_LISTVIEW_MODEL_H

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/common/control.h"
#include "sim/commctrl.h"
#include "sim/types.h"

namespace cesim::detail {

// An item's or sub-item's text: stored, or asked of the parent (LPSTR_TEXTCALLBACKW, and a text
// that was never given, which the platform asks for too).
struct ListText {
  enum class Kind { None, Stored, Callback };
  Kind kind = Kind::None;
  std::u16string text;
  bool Asked() const { return kind != Kind::Stored; }
};

struct ListSubItem {
  ListText text;
  int image = I_IMAGECALLBACK;
};

struct ListItem {
  ListText text;
  int image = 0;
  LPARAM lParam = 0;
  UINT state = 0;  // every state bit; LVIS_FOCUSED on the focused item only
  int indent = 0;
  std::vector<ListSubItem> subItems;  // index 0 unused: the item itself is column 0
  POINT position = {0, 0};            // icon and small icon views, before scrolling
};

// The items in their order, each kept at an address of its own, so that an insertion or a removal
// moves only the pointers of the items after it, whatever the items hold. Copies copy the items.
class ListItems {
 public:
  class Iterator {
   public:
    explicit Iterator(ListItem* const* at) : at_(at) {}
    ListItem& operator*() const { return **at_; }
    ListItem* operator->() const { return *at_; }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return at_ != other.at_; }

   private:
    ListItem* const* at_;
  };

  ListItems() = default;
  ListItems(const ListItems& other);
  ListItems(ListItems&& other) noexcept : items_(std::move(other.items_)) {}
  ListItems& operator=(ListItems other) noexcept {
    items_.swap(other.items_);
    return *this;
  }
  ~ListItems();

  size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  ListItem& operator[](size_t index) { return *items_[index]; }
  const ListItem& operator[](size_t index) const { return *items_[index]; }
  Iterator begin() const { return Iterator(items_.data()); }
  Iterator end() const { return Iterator(items_.data() + items_.size()); }

  // A new item of default fields at `index` (at most size()); the items from there on move up.
  ListItem& Insert(size_t index);
  // Takes the item at `index` out; the items after it move down.
  void Erase(size_t index);
  // A copy of `item` after the last item.
  void Append(const ListItem& item);

 private:
  std::vector<ListItem*> items_;  // owned
};

struct ListColumn {
  int fmt = LVCFMT_LEFT;
  int width = 0;  // kept in step with the header's item
};

struct ListView : ControlInstance {
  void CheckInvariants() override;

  DWORD style = 0;  // as of the last WM_STYLECHANGED, to see what a change changes
  ListItems items;
  // Whether the items' texts are known to be in sorted order (CompareSortText), and in which
  // direction: a sorted insertion then finds its place by halving the items instead of
  // comparing its text with each. Anything that may break the order forgets it (ForgetTextOrder).
  enum class TextOrder { Unknown, Ascending, Descending };
  TextOrder textOrder = TextOrder::Ascending;
  unsigned long textOrderChanges = 0;  // counts ForgetTextOrder, to see whether a callback broke it
  std::vector<ListColumn> columns;
  HWND header = nullptr;
  int focused = -1;
  int selectionMark = -1;
  HIMAGELIST normalImages = nullptr;
  HIMAGELIST smallImages = nullptr;
  HIMAGELIST stateImages = nullptr;
  bool autoSpacing = true;
  SIZE iconSpacing = {0, 0};
  POINT nextIconPosition = {0, 0};  // where the next new item goes in the icon views
  int listColumnWidth = 0;          // LVM_SETCOLUMNWIDTH of the list view; 0 measures the items
  UINT callbackMask = 0;
  DWORD exStyle = 0;
  COLORREF backColor = 0;
  COLORREF textColor = 0;
  COLORREF textBackColor = 0;
  HFONT font = nullptr;
  bool hasFocus = false;
  // Scrolling: the first row (report view), the first column (list view), or the pixels scrolled
  // (icon and small icon views, and the report view's columns).
  int topRow = 0;
  int firstColumn = 0;
  POINT scrolled = {0, 0};
  // The stylus.
  bool stylusDown = false;
  POINT pressPoint = {0, 0};
  bool dragging = false;
  int pressedSelectedItem = -1;  // a press on a selected item: a tap on its label edits it
  int editOnTapItem = -1;        // waiting for the double-tap time to pass before editing
  // Label editing.
  HWND edit = nullptr;
  WNDPROC editProc = nullptr;
  int editItem = -1;
  bool endingEdit = false;  // LVN_ENDLABELEDITW is being sent: the edit's focus loss ends nothing
  // Incremental search by typed characters.
  std::u16string search;
  DWORD lastSearchKey = 0;
  ItemCheckPacing fullCheck;  // the check of every item, paced by the number of items
};

using ListViewPtr = std::shared_ptr<ListView>;

int ItemCount(const ListView& lv);
bool ValidItem(const ListView& lv, int index);
UINT ViewOf(const ListView& lv);  // LVS_ICON, LVS_REPORT, LVS_SMALLICON or LVS_LIST
// The control is destroyed, or being destroyed past the point where it may use its state.
inline bool Gone(const ListViewPtr& lv) { return IsGone(*lv); }

// The stored text of an item (sub-item 0) or sub-item; null when it is asked of the parent.
const ListText* TextOf(const ListView& lv, int index, int subItem);
void SetText(ListText& slot, LPCWSTR text);
// Whether setting this text counts as a change (a callback set again always does).
bool TextDiffers(const ListText& slot, LPCWSTR text);

// Texts compared as LVS_SORTASCENDING sorts them: in the user's locale (lstrcmpW), an item without
// a text of its own first.
int CompareSortText(const ListText& a, LPCWSTR b);
// The same with b's text already bounded (TextUpTo), or nothing for a caller-kept text: for a
// sorted insertion that compares one text with every item.
int CompareSortText(const ListText& a, const std::optional<std::u16string>& b);

// The items' texts are no longer known to be in order: a text changed, an item went in at a place
// of the caller's choosing, or the items were reordered.
void ForgetTextOrder(ListView& lv);
// The index at which a sorted insertion puts a text (bounded, or nothing for a caller-kept text):
// before the first item whose text sorts at or after it.
int SortedInsertionIndex(ListView& lv, const std::optional<std::u16string>& text, bool descending);

// The longest text an item keeps.
constexpr size_t kMaxItemText = 4096;


}  // namespace cesim::detail

#endif
