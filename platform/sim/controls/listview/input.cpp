// The list view's stylus and keys. A press asks the parent about tap-and-hold (NM_RECOGNIZEGESTURE),
// selects and focuses the item under it and takes the focus; lifting the stylus is the click
// (NM_CLICK); a tap on the label of an item that was selected already starts editing it once the
// double-tap time has passed. Every key goes to the parent first (LVN_KEYDOWN); the arrows,
// Home, End, Page Up and Page Down then move the focus and the selection.
#include <algorithm>
#include <cstdlib>

#include "controls/listview/control.h"
#include "controls/listview/layout.h"
#include "sim/commctrl.h"
#include "sim/core.h"
#include "sim/crt.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

constexpr int kDragDistance = 4;
// The platform's double-click time: a second tap within it is a double tap, not an edit.
constexpr UINT kDoubleTapTime = 500;
// Typed characters within this time make one search text.
constexpr DWORD kSearchDelay = 450;

bool KeyHeld(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

bool Selected(const ListView& lv, int index) {
  return ValidItem(lv, index) && (lv.items[static_cast<size_t>(index)].state & LVIS_SELECTED) != 0;
}

LPARAM ParamOf(const ListView& lv, int index) {
  return ValidItem(lv, index) ? lv.items[static_cast<size_t>(index)].lParam : 0;
}

// NM_CLICK, NM_DBLCLK, NM_RCLICK: where the stylus was and the item there.
LRESULT NotifyClick(const ListViewPtr& lv, const Notification& notification, const LVHITTESTINFO& hit) {
  NMITEMACTIVATE nm = {};
  nm.iItem = hit.iItem;
  nm.iSubItem = hit.iSubItem;
  nm.ptAction = hit.pt;
  nm.lParam = ParamOf(*lv, hit.iItem);
  return NotifyParent(*lv, notification, &nm.hdr);
}

void NotifyActivate(const ListViewPtr& lv, int index, int subItem, POINT pt) {
  NMLISTVIEW nm = {};
  nm.iItem = index;
  nm.iSubItem = subItem;
  nm.ptAction = pt;
  nm.lParam = ParamOf(*lv, index);
  NotifyParent(*lv, kItemActivate, &nm.hdr);
}

// With Shift: every item from the selection mark to this one selected, the others not.
void SelectRange(const ListViewPtr& lv, int index) {
  int mark = ValidItem(*lv, lv->selectionMark) ? lv->selectionMark : index;
  if (lv->selectionMark == -1) lv->selectionMark = index;
  int first = std::min(mark, index);
  int last = std::max(mark, index);
  for (int i = 0; i < ItemCount(*lv); ++i) {
    if ((i < first || i > last) && Selected(*lv, i)) SetItemState(lv, i, 0, LVIS_SELECTED);
    if (Gone(lv)) return;
  }
  for (int i = first; i <= last && i < ItemCount(*lv); ++i) {
    SetItemState(lv, i, LVIS_SELECTED, LVIS_SELECTED);
    if (Gone(lv)) return;
  }
  SetItemFocus(lv, index);
}

// Moving by the keys: the item alone selected and focused; with Shift a range from the selection
// mark, with Ctrl only the focus (Space toggles the selection).
void KeySelection(const ListViewPtr& lv, int index, bool space) {
  if (!ValidItem(*lv, index)) return;
  bool shift = KeyHeld(VK_SHIFT);
  bool ctrl = KeyHeld(VK_CONTROL);
  if ((lv->style & LVS_SINGLESEL) != 0 || (!shift && !ctrl)) {
    SetSelection(lv, index);
  } else if (shift) {
    SelectRange(lv, index);
  } else {
    if (space) {
      bool select = !Selected(*lv, index);
      SetItemState(lv, index, select ? LVIS_SELECTED : 0, LVIS_SELECTED);
      if (Gone(lv)) return;
      if (select && ValidItem(*lv, index)) lv->selectionMark = index;
    }
    SetItemFocus(lv, index);
  }
  if (Gone(lv)) return;
  EnsureShown(lv, index, false);
}

}  // namespace

LRESULT OnLButtonDown(const ListViewPtr& lv, WPARAM keys, POINT pt) {
  LVHITTESTINFO hit = {};
  hit.pt = pt;
  HitTest(lv, &hit, true, true);
  if (Gone(lv)) return 0;
  // The parent decides first whether a press may become a tap-and-hold gesture.
  NMRGINFO gesture = {};
  gesture.ptAction = pt;
  ClientToScreen(lv->hwnd, &gesture.ptAction);
  gesture.dwItemSpec = static_cast<DWORD>(hit.iItem);
  NotifyParent(*lv, kRecognizeGesture, &gesture.hdr);
  if (Gone(lv)) return 0;
  KillTimer(lv->hwnd, kEditTimerId);
  lv->editOnTapItem = -1;
  lv->stylusDown = true;
  lv->pressPoint = pt;
  lv->dragging = false;
  lv->pressedSelectedItem = -1;
  hit = LVHITTESTINFO{};
  hit.pt = pt;
  int index = HitTest(lv, &hit, true, true);
  if (Gone(lv)) return 0;
  bool ctrl = (keys & MK_CONTROL) != 0;
  bool shift = (keys & MK_SHIFT) != 0;
  if (ValidItem(*lv, index)) {
    if ((lv->style & LVS_SINGLESEL) != 0) {
      if (Selected(*lv, index)) lv->pressedSelectedItem = index;
      else SetSelection(lv, index);
    } else if (ctrl) {
      bool select = !Selected(*lv, index);
      SetItemState(lv, index, (select ? LVIS_SELECTED : 0) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      if (!Gone(lv) && ValidItem(*lv, index)) lv->selectionMark = index;
    } else if (shift) {
      SelectRange(lv, index);
    } else if (Selected(*lv, index)) {
      lv->pressedSelectedItem = index;
      SetItemFocus(lv, index);
    } else {
      SetSelection(lv, index);
    }
    if (Gone(lv)) return 0;
    if (!lv->hasFocus) SetFocus(lv->hwnd);
    return 0;
  }
  if (!lv->hasFocus) SetFocus(lv->hwnd);
  if (Gone(lv)) return 0;
  // A tap beside the items takes the selection away.
  if (!ctrl && !shift) DeselectAllExcept(lv, -1);
  return 0;
}

LRESULT OnLButtonUp(const ListViewPtr& lv, POINT pt) {
  if (!lv->stylusDown) return 0;
  LVHITTESTINFO hit = {};
  hit.pt = pt;
  HitTest(lv, &hit, true, false);
  if (Gone(lv)) return 0;
  NotifyClick(lv, kClick, hit);
  if (Gone(lv)) return 0;
  lv->stylusDown = false;
  int pressed = lv->pressedSelectedItem;
  lv->pressedSelectedItem = -1;
  // A tap on one of several selected items leaves it the only one.
  if (pressed != -1 && hit.iItem == pressed && (lv->style & LVS_SINGLESEL) == 0) {
    SetSelection(lv, pressed);
    if (Gone(lv)) return 0;
  }
  if (lv->dragging) {
    lv->dragging = false;
    return 0;
  }
  if (pressed != -1 && hit.iItem == pressed && (hit.flags & LVHT_ONITEMLABEL) != 0 && (lv->style & LVS_EDITLABELS) != 0) {
    lv->editOnTapItem = pressed;
    SetTimer(lv->hwnd, kEditTimerId, kDoubleTapTime, nullptr);
  }
  return 0;
}

LRESULT OnEditTimer(const ListViewPtr& lv) {
  KillTimer(lv->hwnd, kEditTimerId);
  int index = lv->editOnTapItem;
  lv->editOnTapItem = -1;
  // Still the focused list, and the item still selected.
  if (lv->hasFocus && Selected(*lv, index)) EditLabel(lv, index);
  return 0;
}

LRESULT OnLButtonDblClk(const ListViewPtr& lv, POINT pt) {
  KillTimer(lv->hwnd, kEditTimerId);
  lv->editOnTapItem = -1;
  LVHITTESTINFO hit = {};
  hit.pt = pt;
  HitTest(lv, &hit, true, false);
  if (Gone(lv)) return 0;
  NotifyClick(lv, kDoubleClick, hit);
  if (Gone(lv)) return 0;
  if (ValidItem(*lv, hit.iItem)) NotifyActivate(lv, hit.iItem, hit.iSubItem, pt);
  return 0;
}

LRESULT OnRButtonDown(const ListViewPtr& lv, POINT pt) {
  LVHITTESTINFO hit = {};
  hit.pt = pt;
  int index = HitTest(lv, &hit, true, true);
  if (Gone(lv)) return 0;
  if (!lv->hasFocus) SetFocus(lv->hwnd);
  if (Gone(lv)) return 0;
  if (ValidItem(*lv, index)) {
    SetItemFocus(lv, index);
    if (!Gone(lv) && !Selected(*lv, index)) SetSelection(lv, index);
  } else {
    DeselectAllExcept(lv, -1);
  }
  if (Gone(lv)) return 0;
  hit = LVHITTESTINFO{};
  hit.pt = pt;
  HitTest(lv, &hit, true, false);
  if (Gone(lv)) return 0;
  // A parent that answers NM_RCLICK with non-zero has handled it; otherwise a context menu.
  if (NotifyClick(lv, kRightClick, hit) == 0 && !Gone(lv)) {
    SendMessageW(lv->hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(lv->hwnd), static_cast<LPARAM>(GetMessagePos()));
  }
  return 0;
}

LRESULT OnMouseMove(const ListViewPtr& lv, WPARAM keys, POINT pt) {
  if ((keys & MK_LBUTTON) == 0) lv->stylusDown = false;
  if (!lv->stylusDown || lv->dragging) return 0;
  if (std::abs(pt.x - lv->pressPoint.x) <= kDragDistance && std::abs(pt.y - lv->pressPoint.y) <= kDragDistance) return 0;
  // Moving away from a pressed item far enough starts dragging it.
  LVHITTESTINFO hit = {};
  hit.pt = lv->pressPoint;
  int index = HitTest(lv, &hit, true, true);
  if (Gone(lv)) return 0;
  lv->pressedSelectedItem = -1;
  if (!ValidItem(*lv, index)) return 0;
  lv->dragging = true;
  NMLISTVIEW nm = {};
  nm.iItem = index;
  nm.ptAction = lv->pressPoint;
  nm.lParam = ParamOf(*lv, index);
  NotifyParent(*lv, kBeginDrag, &nm.hdr);
  return 0;
}

LRESULT OnKeyDown(const ListViewPtr& lv, UINT vk) {
  NMLVKEYDOWN keydown = {};
  keydown.wVKey = static_cast<WORD>(vk);
  keydown.flags = 0;
  NotifyParent(*lv, kKeyDown, &keydown.hdr);
  if (Gone(lv)) return 0;
  int count = ItemCount(*lv);
  int focused = lv->focused;
  int next = -1;
  UINT view = ViewOf(*lv);
  switch (vk) {
    case VK_SPACE: next = focused; break;
    case VK_RETURN:
      if (count > 0 && focused != -1) {
        NotifyParent(*lv, kReturn);
        if (Gone(lv)) return 0;
        NotifyActivate(lv, lv->focused, 0, POINT{-1, -1});
      }
      return 0;
    case VK_HOME:
      if (count > 0) next = 0;
      break;
    case VK_END:
      if (count > 0) next = count - 1;
      break;
    case VK_LEFT: next = NextItem(lv, focused, LVNI_TOLEFT); break;
    case VK_UP: next = NextItem(lv, focused, LVNI_ABOVE); break;
    case VK_RIGHT: next = NextItem(lv, focused, LVNI_TORIGHT); break;
    case VK_DOWN: next = NextItem(lv, focused, LVNI_BELOW); break;
    case VK_PRIOR:
      // A page up: to the top row, or a screenful up from it.
      if (view == LVS_REPORT) {
        int top = TopIndex(*lv);
        next = focused == top ? top - CountPerColumn(*lv) + 1 : top;
      } else {
        next = focused - CountPerColumn(*lv) * CountPerRow(*lv);
      }
      next = std::max(next, 0);
      if (count == 0) next = -1;
      break;
    case VK_NEXT:
      if (view == LVS_REPORT) {
        int top = TopIndex(*lv);
        int page = CountPerColumn(*lv);
        next = focused == top + page - 1 ? focused + page - 1 : top + page - 1;
      } else {
        next = focused + CountPerColumn(*lv) * CountPerRow(*lv);
      }
      next = std::min(next, count - 1);
      break;
    default: break;
  }
  if (Gone(lv)) return 0;
  if (next != -1 && (next != lv->focused || vk == VK_SPACE)) KeySelection(lv, next, vk == VK_SPACE);
  return 0;
}

// Typed characters select the next item whose text starts with what was typed in quick
// succession.
LRESULT OnChar(const ListViewPtr& lv, char16_t c) {
  if (c < 0x20 || ItemCount(*lv) == 0) return 0;
  DWORD now = GetTickCount();
  if (lv->search.empty() || now - lv->lastSearchKey >= kSearchDelay) lv->search.clear();
  lv->lastSearchKey = now;
  lv->search.push_back(c);
  int count = ItemCount(*lv);
  int start = 0;
  if (ValidItem(*lv, lv->focused) && count > 1) start = (lv->search.size() > 1 ? lv->focused : lv->focused + 1) % count;
  std::u16string wanted = lv->search;
  for (int step = 0; step < count; ++step) {
    int index = (start + step) % count;
    std::u16string text = ShownText(lv, index, 0);
    if (Gone(lv)) return 0;
    if (!ValidItem(*lv, index)) break;
    if (_wcsnicmp(text.c_str(), wanted.c_str(), wanted.size()) == 0) {
      KeySelection(lv, index, false);
      break;
    }
  }
  return 0;
}

}  // namespace cesim::detail
