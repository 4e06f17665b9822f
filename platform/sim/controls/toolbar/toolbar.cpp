// The toolbar control, class "ToolbarWindow32": buttons added, inserted and deleted by message,
// their information read and changed by command or by index, texts given as pointers (copied) or
// as indexes into the control's string pool, a row of buttons laid out from the left, taps that
// press buttons (WM_COMMAND on release) and drop-down buttons (TBN_DROPDOWN on their arrow part,
// or on the whole button without TBSTYLE_EX_DRAWDDARROWS). A command bar's menu bar is one button
// of the toolbar; a tap on one of its items opens the item's pop-up menu. The parent may change or
// destroy the control in any notification: after each one the control checks that it still
// exists and finds its button again.
#include "controls/toolbar/toolbar.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include "controls/common/control.h"
#include "controls/common/text.h"
#include "menu/layout.h"
#include "menu/store.h"
#include "menu/tracking.h"
#include "sim/commctrl.h"
#include "sim/controls.h"
#include "sim/core.h"
#include "sim/dialog.h"
#include "sim/menu.h"
#include "sim/message.h"
#include "sim/resources.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;
constexpr int kTextPadding = 7;
constexpr int kSeparatorWidth = 8;
constexpr int kDropArrowWidth = 11;
constexpr int kTopBorder = 2;
constexpr int kBottomBorder = 2;
constexpr int kMenuBarItemPadding = 6;
// No button text or pool string is longer; a longer one is cut.
constexpr size_t kLongestText = 1024;
// The smallest TBBUTTON that names a button's command, state and style.
constexpr size_t kSmallestButtonStruct = offsetof(TBBUTTON, bReserved);

struct ToolbarButton {
  int bitmap = 0;
  int command = 0;
  BYTE state = 0;
  BYTE style = 0;
  DWORD_PTR data = 0;
  INT_PTR string = -1;                   // a string pool index when `text` is null
  std::shared_ptr<std::u16string> text;  // text given as a pointer: the control's own copy
  int width = 0;                         // TBIF_SIZE; 0 for the toolbar's width
  bool menuBar = false;
  RECT rect = {0, 0, 0, 0};
};

struct Toolbar : ControlInstance {
  void CheckInvariants() override;

  size_t structSize = sizeof(TBBUTTON);
  std::vector<ToolbarButton> buttons;
  std::vector<std::u16string> strings;
  DWORD exStyle = 0;
  int requestedWidth = 0;   // TB_SETBUTTONSIZE
  int requestedHeight = 0;
  int buttonWidth = kButtonWidth;
  int buttonHeight = kButtonHeight;
  int rows = 1;
  int pressed = -1;  // the button under the stylus
  HIMAGELIST images = nullptr;
  struct Bitmap {
    HINSTANCE instance;
    UINT_PTR id;
    int count;
  };
  std::vector<Bitmap> bitmaps;
  HMENU menuBar = nullptr;
  bool ownsMenuBar = false;
  HFONT font = nullptr;
};

using ToolbarPtr = std::shared_ptr<Toolbar>;

// What the toolbar tells its parent. After each of these the real control goes on with the button
// it pressed, except after the command, which is the last thing a tap does.
const Notification kBeginDrag = {TBN_BEGINDRAG, "TBN_BEGINDRAG", AfterNotify::UsesState};
const Notification kEndDrag = {TBN_ENDDRAG, "TBN_ENDDRAG", AfterNotify::UsesState};
const Notification kDropDown = {TBN_DROPDOWN, "TBN_DROPDOWN", AfterNotify::UsesState};
const Notification kClicked = {BN_CLICKED, "BN_CLICKED", AfterNotify::ReturnsAtOnce};

bool Gone(const ToolbarPtr& tb) { return IsGone(*tb); }

DWORD StyleOf(const Toolbar& tb) { return static_cast<DWORD>(GetWindowLongW(tb.hwnd, GWL_STYLE)); }

// A pointer given as iString or as a text, not a pool index (nor the -1 that means none).
bool IsTextPointer(INT_PTR value) { return value != -1 && !IS_INTRESOURCE(value); }

std::shared_ptr<std::u16string> CopyText(LPCWSTR text) {
  return std::make_shared<std::u16string>(TextUpTo(text, kLongestText));
}

// The text the button shows: its own, or the pool string its index names; null for none.
const std::u16string* TextOf(const Toolbar& tb, const ToolbarButton& b) {
  if (b.text) return b.text.get();
  if (b.string >= 0 && static_cast<size_t>(b.string) < tb.strings.size()) return &tb.strings[static_cast<size_t>(b.string)];
  return nullptr;
}

INT_PTR ReportedString(const ToolbarButton& b) {
  return b.text ? reinterpret_cast<INT_PTR>(b.text->c_str()) : b.string;
}

bool HasArrowPart(const Toolbar& tb, const ToolbarButton& b) {
  return (b.style & BTNS_DROPDOWN) != 0 && (tb.exStyle & TBSTYLE_EX_DRAWDDARROWS) != 0;
}

// Where a drop-down button's arrow lies when it is drawn apart: the button's right end.
RECT ArrowPart(const ToolbarButton& b) {
  RECT arrow = b.rect;
  arrow.left = std::max(b.rect.left, b.rect.right - kDropArrowWidth);
  return arrow;
}

int MenuBarItemWidth(const std::u16string& text) {
  return SystemTextWidth(DisplayedItemText(text)) + 2 * kMenuBarItemPadding;
}

// The texts of the menu bar's items, left to right.
std::vector<std::u16string> MenuBarTexts(HMENU bar) {
  std::vector<std::u16string> texts;
  if (const Menu* menu = LookUpMenu(bar)) {
    for (const MenuItem& item : menu->items) texts.push_back(item.hasText ? item.text : std::u16string());
  }
  return texts;
}

int MenuBarWidth(const Toolbar& tb) {
  int width = 0;
  for (const std::u16string& text : MenuBarTexts(tb.menuBar)) width += MenuBarItemWidth(text);
  return width;
}

// ---------------------------------------------------------------------------------------------
// Layout: buttons from the left in one row (a TBSTATE_WRAP button ends its row), every button as
// wide as the widest text needs, separators 8 pixels or their iBitmap wide.

void MeasureButtons(Toolbar& tb) {
  bool anyText = !tb.strings.empty();
  int widest = 0;
  for (const ToolbarButton& b : tb.buttons) {
    const std::u16string* text = TextOf(tb, b);
    if (text == nullptr || (b.style & BTNS_SEP) != 0) continue;
    anyText = true;
    widest = std::max(widest, SystemTextWidth(*text));
  }
  tb.buttonWidth = std::max(kButtonWidth, widest > 0 ? widest + kTextPadding : 0);
  // A text goes under the button's image, one line of the system font.
  tb.buttonHeight = anyText ? kButtonHeight + 1 + SystemFontHeight() : kButtonHeight;
  // An explicit size wins where it is larger than the least a button needs.
  if (tb.requestedWidth > 0) tb.buttonWidth = std::max(kButtonWidth, tb.requestedWidth);
  if (tb.requestedHeight > 0) tb.buttonHeight = std::max(kButtonHeight, tb.requestedHeight);
}

void LayOut(Toolbar& tb) {
  MeasureButtons(tb);
  int x = 0;
  int y = (StyleOf(tb) & TBSTYLE_FLAT) != 0 ? 0 : kTopBorder;
  tb.rows = 1;
  for (size_t i = 0; i < tb.buttons.size(); ++i) {
    ToolbarButton& b = tb.buttons[i];
    if ((b.state & TBSTATE_HIDDEN) != 0) {
      b.rect = RECT{0, 0, 0, 0};
      continue;
    }
    int width = tb.buttonWidth;
    if (b.menuBar) {
      width = MenuBarWidth(tb);
    } else if ((b.style & BTNS_SEP) != 0) {
      width = b.bitmap > 0 ? b.bitmap : kSeparatorWidth;
    } else if (b.width > 0) {
      width = b.width;
    } else if (HasArrowPart(tb, b) || ((b.style & BTNS_WHOLEDROPDOWN) != 0 && (tb.exStyle & TBSTYLE_EX_DRAWDDARROWS) != 0)) {
      width += kDropArrowWidth;
    }
    b.rect = RECT{x, y, x + width, y + tb.buttonHeight};
    if ((b.state & TBSTATE_WRAP) != 0 && i + 1 < tb.buttons.size()) {
      x = 0;
      y += tb.buttonHeight;
      ++tb.rows;
    } else {
      x += width;
    }
  }
}

// Without CCS_NORESIZE the toolbar takes its parent's width and the height of its rows, at the top
// of the parent (CCS_BOTTOM: at the bottom; CCS_NOPARENTALIGN: where it is).
void AutoSize(Toolbar& tb) {
  const DWORD style = StyleOf(tb);
  HWND parent = GetParent(tb.hwnd);
  if ((style & CCS_NORESIZE) != 0 || parent == nullptr) return;
  RECT area;
  if (!GetClientRect(parent, &area)) return;
  const int height = kTopBorder + tb.rows * tb.buttonHeight + kBottomBorder;
  int y = 0;
  if ((style & CCS_BOTTOM) == CCS_BOTTOM) y = area.bottom - height;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if ((style & CCS_NOPARENTALIGN) != 0) flags |= SWP_NOMOVE;
  SetWindowPos(tb.hwnd, nullptr, 0, y, area.right - area.left, height, flags);
}

// ---------------------------------------------------------------------------------------------
// Notifications: through the control base, the one place the control talks to its parent.

void FillButton(const ToolbarButton& b, TBBUTTON* out) {
  std::memset(out, 0, sizeof(*out));
  out->iBitmap = b.bitmap;
  out->idCommand = b.command;
  out->fsState = b.state;
  out->fsStyle = b.style;
  out->dwData = b.data;
  out->iString = ReportedString(b);
}

LRESULT NotifyButton(Toolbar& tb, const Notification& notification, const ToolbarButton& b) {
  NMTOOLBARW nm = {};
  nm.iItem = b.command;
  FillButton(b, &nm.tbButton);
  nm.rcButton = b.rect;
  return NotifyParent(tb, notification, &nm.hdr);
}

void Toolbar::CheckInvariants() {
  CESIM_CHECK_INVARIANT(pressed < static_cast<int>(buttons.size()), "pressed button exists");
  const auto bars = std::count_if(buttons.begin(), buttons.end(), [](const ToolbarButton& b) { return b.menuBar; });
  CESIM_CHECK_INVARIANT(bars == (menuBar != nullptr ? 1 : 0), "one menu bar button for the menu bar");
}

// ---------------------------------------------------------------------------------------------
// Finding buttons.

int IndexOfCommand(const Toolbar& tb, int command) {
  for (size_t i = 0; i < tb.buttons.size(); ++i) {
    if (tb.buttons[i].command == command) return static_cast<int>(i);
  }
  return -1;
}

int IndexOf(const Toolbar& tb, WPARAM wParam, bool byIndex) {
  if (!byIndex) return IndexOfCommand(tb, static_cast<int>(wParam));
  const int index = static_cast<int>(wParam);
  return index >= 0 && static_cast<size_t>(index) < tb.buttons.size() ? index : -1;
}

int HitTest(const Toolbar& tb, POINT pt) {
  for (size_t i = 0; i < tb.buttons.size(); ++i) {
    const ToolbarButton& b = tb.buttons[i];
    if ((b.state & TBSTATE_HIDDEN) == 0 && PtInRect(&b.rect, pt)) return static_cast<int>(i);
  }
  return -1;
}

// The caller's buttons, read with the stride it declared (TB_BUTTONSTRUCTSIZE); members past a
// smaller declared size read as zero.
ToolbarButton ReadButton(const Toolbar& tb, const uint8_t* at) {
  TBBUTTON given = {};
  std::memcpy(&given, at, std::min(tb.structSize, sizeof(TBBUTTON)));
  ToolbarButton b;
  b.bitmap = given.iBitmap;
  b.command = given.idCommand;
  b.state = given.fsState;
  b.style = given.fsStyle;
  b.data = given.dwData;
  if (IsTextPointer(given.iString)) {
    b.text = CopyText(reinterpret_cast<LPCWSTR>(given.iString));
  } else {
    b.string = given.iString;
  }
  return b;
}

void Changed(Toolbar& tb) {
  LayOut(tb);
  AutoSize(tb);
}

// ---------------------------------------------------------------------------------------------
// Message handlers.

LRESULT OnInsertButtons(const ToolbarPtr& tb, int index, UINT count, const void* buttons) {
  if (buttons == nullptr || tb->structSize < kSmallestButtonStruct) return FALSE;
  if (index == -1 || index > static_cast<int>(tb->buttons.size())) index = static_cast<int>(tb->buttons.size());
  if (index < 0) return FALSE;
  const uint8_t* at = static_cast<const uint8_t*>(buttons);
  std::vector<ToolbarButton> added;
  for (UINT i = 0; i < count; ++i) added.push_back(ReadButton(*tb, at + static_cast<size_t>(i) * tb->structSize));
  tb->buttons.insert(tb->buttons.begin() + index, added.begin(), added.end());
  if (tb->pressed >= index) tb->pressed += static_cast<int>(count);
  Changed(*tb);
  return TRUE;
}

LRESULT OnDeleteButton(const ToolbarPtr& tb, int index) {
  if (index < 0 || static_cast<size_t>(index) >= tb->buttons.size()) return FALSE;
  if (tb->buttons[static_cast<size_t>(index)].menuBar) {
    if (tb->ownsMenuBar) DestroyMenu(tb->menuBar);
    tb->menuBar = nullptr;
    tb->ownsMenuBar = false;
  }
  tb->buttons.erase(tb->buttons.begin() + index);
  if (tb->pressed == index) {
    tb->pressed = -1;
  } else if (tb->pressed > index) {
    --tb->pressed;
  }
  Changed(*tb);
  return TRUE;
}

LRESULT OnGetButton(const ToolbarPtr& tb, int index, TBBUTTON* out) {
  if (out == nullptr || index < 0 || static_cast<size_t>(index) >= tb->buttons.size()) return FALSE;
  FillButton(tb->buttons[static_cast<size_t>(index)], out);
  return TRUE;
}

LRESULT OnGetButtonInfo(const ToolbarPtr& tb, WPARAM wParam, TBBUTTONINFOW* info) {
  if (info == nullptr || info->cbSize < sizeof(TBBUTTONINFOW)) return -1;
  const int index = IndexOf(*tb, wParam, (info->dwMask & TBIF_BYINDEX) != 0);
  if (index < 0) return -1;
  const ToolbarButton& b = tb->buttons[static_cast<size_t>(index)];
  if (info->dwMask & TBIF_COMMAND) info->idCommand = b.command;
  if (info->dwMask & TBIF_IMAGE) info->iImage = b.bitmap;
  if (info->dwMask & TBIF_LPARAM) info->lParam = b.data;
  if (info->dwMask & TBIF_SIZE) info->cx = static_cast<WORD>(b.rect.right - b.rect.left);
  if (info->dwMask & TBIF_STATE) info->fsState = b.state;
  if (info->dwMask & TBIF_STYLE) info->fsStyle = b.style;
  if ((info->dwMask & TBIF_TEXT) && info->pszText != nullptr && info->cchText > 0) {
    // Only a button's own text: a pool string is not given out here, as on the platform.
    const std::u16string text = b.text ? *b.text : std::u16string();
    const size_t copied = std::min(text.size(), static_cast<size_t>(info->cchText - 1));
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(copied), info->pszText);
    info->pszText[copied] = 0;
  }
  return index;
}

LRESULT OnSetButtonInfo(const ToolbarPtr& tb, WPARAM wParam, const TBBUTTONINFOW* info) {
  if (info == nullptr || info->cbSize < sizeof(TBBUTTONINFOW)) return FALSE;
  const int index = IndexOf(*tb, wParam, (info->dwMask & TBIF_BYINDEX) != 0);
  if (index < 0) return FALSE;
  ToolbarButton& b = tb->buttons[static_cast<size_t>(index)];
  if (info->dwMask & TBIF_COMMAND) b.command = info->idCommand;
  if (info->dwMask & TBIF_IMAGE) b.bitmap = info->iImage;
  if (info->dwMask & TBIF_LPARAM) b.data = info->lParam;
  if (info->dwMask & TBIF_SIZE) b.width = info->cx;
  if (info->dwMask & TBIF_STATE) b.state = info->fsState;
  if (info->dwMask & TBIF_STYLE) b.style = info->fsStyle;
  if ((info->dwMask & TBIF_TEXT) && info->pszText != LPSTR_TEXTCALLBACKW) {
    // The text becomes the button's own, replacing a pool index.
    if (info->pszText != nullptr) {
      b.text = CopyText(info->pszText);
    } else {
      b.text.reset();
      b.string = -1;
    }
  }
  Changed(*tb);
  return TRUE;
}

LRESULT OnAddString(const ToolbarPtr& tb, WPARAM wParam, LPARAM lParam) {
  const LRESULT first = static_cast<LRESULT>(tb->strings.size());
  // A resource identifier needs the module that holds it.
  if (wParam == 0 && IS_INTRESOURCE(lParam)) return -1;
  if (wParam != 0 && IS_INTRESOURCE(lParam)) {
    // A string resource whose first character separates the strings that follow it.
    WCHAR text[kLongestText];
    const int length = LoadStringW(reinterpret_cast<HINSTANCE>(wParam), static_cast<UINT>(lParam), text, kLongestText);
    if (length <= 0) return -1;
    if (length == 1) return first;
    const char16_t delimiter = text[0];
    std::u16string current;
    for (int i = 1; i < length; ++i) {
      if (text[i] == delimiter) {
        tb->strings.push_back(current);
        current.clear();
      } else {
        current.push_back(text[i]);
      }
    }
    if (!current.empty()) tb->strings.push_back(current);
  } else {
    LPCWSTR p = reinterpret_cast<LPCWSTR>(lParam);
    if (p == nullptr) return -1;
    // Strings one after another, each terminated, the list ended by an empty one.
    while (*p != 0) {
      std::u16string text = TextUpTo(p, kLongestText);
      size_t length = 0;
      while (p[length] != 0) ++length;
      tb->strings.push_back(text);
      p += length + 1;
    }
  }
  Changed(*tb);
  return first;
}

LRESULT OnGetButtonText(const ToolbarPtr& tb, int command, LPWSTR buffer) {
  const int index = IndexOfCommand(*tb, command);
  if (index < 0) return -1;
  const std::u16string* text = TextOf(*tb, tb->buttons[static_cast<size_t>(index)]);
  if (text == nullptr) return 0;
  if (buffer != nullptr) {
    std::copy(text->begin(), text->end(), buffer);
    buffer[text->size()] = 0;
  }
  return static_cast<LRESULT>(text->size());
}

LRESULT OnSetState(const ToolbarPtr& tb, int command, BYTE state) {
  const int index = IndexOfCommand(*tb, command);
  if (index < 0) return FALSE;
  tb->buttons[static_cast<size_t>(index)].state = state;
  Changed(*tb);
  return TRUE;
}

// TB_ENABLEBUTTON, TB_CHECKBUTTON, TB_PRESSBUTTON, TB_HIDEBUTTON, TB_INDETERMINATE.
LRESULT OnSetStateBit(const ToolbarPtr& tb, int command, BYTE bit, bool on) {
  const int index = IndexOfCommand(*tb, command);
  if (index < 0) return FALSE;
  ToolbarButton& b = tb->buttons[static_cast<size_t>(index)];
  if (bit == TBSTATE_CHECKED && on && (b.style & BTNS_GROUP) != 0) {
    // A checked button of a group unchecks the group's other buttons (a run of group buttons).
    for (int i = index - 1; i >= 0 && (tb->buttons[static_cast<size_t>(i)].style & BTNS_GROUP) != 0; --i) {
      tb->buttons[static_cast<size_t>(i)].state &= static_cast<BYTE>(~TBSTATE_CHECKED);
    }
    for (size_t i = static_cast<size_t>(index) + 1; i < tb->buttons.size() && (tb->buttons[i].style & BTNS_GROUP) != 0; ++i) {
      tb->buttons[i].state &= static_cast<BYTE>(~TBSTATE_CHECKED);
    }
  }
  if (on) {
    b.state |= bit;
  } else {
    b.state &= static_cast<BYTE>(~bit);
    if (bit == TBSTATE_ENABLED) b.state &= static_cast<BYTE>(~TBSTATE_PRESSED);
  }
  if (bit == TBSTATE_HIDDEN) Changed(*tb);
  return TRUE;
}

// TB_ISBUTTON...: the bit, or -1 for a command no button has.
LRESULT OnIsStateBit(const ToolbarPtr& tb, int command, BYTE bit) {
  const int index = IndexOfCommand(*tb, command);
  if (index < 0) return -1;
  return (tb->buttons[static_cast<size_t>(index)].state & bit) != 0 ? TRUE : FALSE;
}

LRESULT OnAddBitmap(const ToolbarPtr& tb, int count, const TBADDBITMAP* bitmap) {
  if (bitmap == nullptr) return -1;
  // The same bitmap again gives the index its images got the first time.
  int first = 0;
  for (const Toolbar::Bitmap& known : tb->bitmaps) {
    if (known.instance == bitmap->hInst && known.id == bitmap->nID) return first;
    first += known.count;
  }
  tb->bitmaps.push_back(Toolbar::Bitmap{bitmap->hInst, bitmap->nID, std::max(count, 1)});
  return first;
}

LRESULT OnGetRect(const ToolbarPtr& tb, int index, RECT* rect, bool hiddenFails) {
  if (rect == nullptr || index < 0 || static_cast<size_t>(index) >= tb->buttons.size()) return FALSE;
  const ToolbarButton& b = tb->buttons[static_cast<size_t>(index)];
  if (hiddenFails && (b.state & TBSTATE_HIDDEN) != 0) return FALSE;
  *rect = b.rect;
  return TRUE;
}

// The menu bar's item under a client point, or -1.
int MenuBarItemAt(const Toolbar& tb, POINT pt);

void OpenMenuBar(const ToolbarPtr& tb, POINT pt) {
  const int item = MenuBarItemAt(*tb, pt);
  if (item < 0) return;
  std::vector<RECT> items = ToolbarMenuBarItems(tb->hwnd);
  for (RECT& r : items) MapWindowPoints(tb->hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  // The pop-up menus belong to the window the command bar serves.
  TrackMenuBar(tb->menuBar, items, static_cast<UINT>(item), tb->notify);
}

LRESULT OnLButtonDown(const ToolbarPtr& tb, POINT pt) {
  const int index = HitTest(*tb, pt);
  if (index < 0) return 0;
  const ToolbarButton& hit = tb->buttons[static_cast<size_t>(index)];
  if (hit.menuBar) {
    OpenMenuBar(tb, pt);
    return 0;
  }
  if ((hit.style & BTNS_SEP) != 0 || (hit.state & TBSTATE_ENABLED) == 0) return 0;
  const int command = hit.command;
  const RECT arrow = ArrowPart(hit);
  const bool dropDown = (hit.style & BTNS_WHOLEDROPDOWN) != 0 ||
                        ((hit.style & BTNS_DROPDOWN) != 0 && (!HasArrowPart(*tb, hit) || PtInRect(&arrow, pt)));
  if (dropDown) {
    const LRESULT answer = NotifyButton(*tb, kDropDown, hit);
    if (Gone(tb) || answer != TBDDRET_TREATPRESSED) return 0;
  }
  // The parent may have changed the buttons: the pressed one is found again by its command.
  const int again = index < static_cast<int>(tb->buttons.size()) && tb->buttons[static_cast<size_t>(index)].command == command
                        ? index
                        : IndexOfCommand(*tb, command);
  if (again < 0) return 0;
  tb->pressed = again;
  tb->buttons[static_cast<size_t>(again)].state |= TBSTATE_PRESSED;
  SetCapture(tb->hwnd);
  NotifyButton(*tb, kBeginDrag, tb->buttons[static_cast<size_t>(again)]);
  return 0;
}

LRESULT OnLButtonUp(const ToolbarPtr& tb, POINT pt) {
  if (tb->pressed < 0) return 0;
  const int index = tb->pressed;
  tb->pressed = -1;
  ToolbarButton& b = tb->buttons[static_cast<size_t>(index)];
  b.state &= static_cast<BYTE>(~TBSTATE_PRESSED);
  const bool over = HitTest(*tb, pt) == index;
  if (over && (b.style & BTNS_CHECK) != 0) {
    const bool checked = (b.state & TBSTATE_CHECKED) != 0;
    // A group button stays checked; a plain check button toggles.
    OnSetStateBit(tb, b.command, TBSTATE_CHECKED, (b.style & BTNS_GROUP) != 0 ? true : !checked);
  }
  const ToolbarButton released = tb->buttons[static_cast<size_t>(index)];
  if (GetCapture() == tb->hwnd) ReleaseCapture();
  if (Gone(tb)) return 0;
  NotifyButton(*tb, kEndDrag, released);
  if (Gone(tb)) return 0;
  if (over && (released.state & TBSTATE_ENABLED) != 0) {
    CommandParentFor(*tb, kClicked, static_cast<WORD>(released.command));
  }
  return 0;
}

LRESULT OnCaptureChanged(const ToolbarPtr& tb) {
  // The stylus was taken away while a button was pressed: it is released without a command.
  if (tb->pressed >= 0) {
    tb->buttons[static_cast<size_t>(tb->pressed)].state &= static_cast<BYTE>(~TBSTATE_PRESSED);
    tb->pressed = -1;
  }
  return 0;
}

LRESULT OnCreate(const ToolbarPtr& tb) {
  LayOut(*tb);
  return 0;
}

LRESULT OnDestroy(const ToolbarPtr& tb) {
  if (tb->ownsMenuBar && tb->menuBar != nullptr) DestroyMenu(tb->menuBar);
  tb->menuBar = nullptr;
  return 0;
}

int MenuBarItemAt(const Toolbar& tb, POINT pt) {
  const std::vector<RECT> items = ToolbarMenuBarItems(tb.hwnd);
  for (size_t i = 0; i < items.size(); ++i) {
    if (PtInRect(&items[i], pt)) return static_cast<int>(i);
  }
  return -1;
}

LRESULT HandleMessage(const ToolbarPtr& tb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return OnCreate(tb);
  LayOut(*tb);
  const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case TB_BUTTONSTRUCTSIZE:
      tb->structSize = static_cast<size_t>(wParam);
      return 0;
    case TB_ADDBUTTONSW:
      return OnInsertButtons(tb, -1, static_cast<UINT>(wParam), reinterpret_cast<const void*>(lParam));
    case TB_INSERTBUTTONW:
      return OnInsertButtons(tb, static_cast<int>(wParam), 1, reinterpret_cast<const void*>(lParam));
    case TB_DELETEBUTTON: return OnDeleteButton(tb, static_cast<int>(wParam));
    case TB_BUTTONCOUNT: return static_cast<LRESULT>(tb->buttons.size());
    case TB_COMMANDTOINDEX: return IndexOfCommand(*tb, static_cast<int>(wParam));
    case TB_GETBUTTON: return OnGetButton(tb, static_cast<int>(wParam), reinterpret_cast<TBBUTTON*>(lParam));
    case TB_GETBUTTONINFOW: return OnGetButtonInfo(tb, wParam, reinterpret_cast<TBBUTTONINFOW*>(lParam));
    case TB_SETBUTTONINFOW: return OnSetButtonInfo(tb, wParam, reinterpret_cast<const TBBUTTONINFOW*>(lParam));
    case TB_GETRECT:
      return OnGetRect(tb, IndexOfCommand(*tb, static_cast<int>(wParam)), reinterpret_cast<RECT*>(lParam), false);
    case TB_GETITEMRECT: return OnGetRect(tb, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam), true);
    case TB_SETSTATE: return OnSetState(tb, static_cast<int>(wParam), static_cast<BYTE>(LOWORD(lParam)));
    case TB_GETSTATE: {
      const int index = IndexOfCommand(*tb, static_cast<int>(wParam));
      return index < 0 ? -1 : tb->buttons[static_cast<size_t>(index)].state;
    }
    case TB_ENABLEBUTTON: return OnSetStateBit(tb, static_cast<int>(wParam), TBSTATE_ENABLED, LOWORD(lParam) != 0);
    case TB_CHECKBUTTON: return OnSetStateBit(tb, static_cast<int>(wParam), TBSTATE_CHECKED, LOWORD(lParam) != 0);
    case TB_PRESSBUTTON: return OnSetStateBit(tb, static_cast<int>(wParam), TBSTATE_PRESSED, LOWORD(lParam) != 0);
    case TB_HIDEBUTTON: return OnSetStateBit(tb, static_cast<int>(wParam), TBSTATE_HIDDEN, LOWORD(lParam) != 0);
    case TB_INDETERMINATE:
      return OnSetStateBit(tb, static_cast<int>(wParam), TBSTATE_INDETERMINATE, LOWORD(lParam) != 0);
    case TB_ISBUTTONENABLED: return OnIsStateBit(tb, static_cast<int>(wParam), TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED: return OnIsStateBit(tb, static_cast<int>(wParam), TBSTATE_CHECKED);
    case TB_ISBUTTONPRESSED: return OnIsStateBit(tb, static_cast<int>(wParam), TBSTATE_PRESSED);
    case TB_ISBUTTONHIDDEN: return OnIsStateBit(tb, static_cast<int>(wParam), TBSTATE_HIDDEN);
    case TB_ISBUTTONINDETERMINATE: return OnIsStateBit(tb, static_cast<int>(wParam), TBSTATE_INDETERMINATE);
    case TB_ADDSTRINGW: return OnAddString(tb, wParam, lParam);
    case TB_GETBUTTONTEXTW: return OnGetButtonText(tb, static_cast<int>(wParam), reinterpret_cast<LPWSTR>(lParam));
    case TB_ADDBITMAP:
      return OnAddBitmap(tb, static_cast<int>(wParam), reinterpret_cast<const TBADDBITMAP*>(lParam));
    case TB_SETIMAGELIST: {
      HIMAGELIST previous = tb->images;
      tb->images = reinterpret_cast<HIMAGELIST>(lParam);
      return reinterpret_cast<LRESULT>(previous);
    }
    case TB_GETIMAGELIST: return reinterpret_cast<LRESULT>(tb->images);
    case TB_SETEXTENDEDSTYLE: {
      const DWORD previous = tb->exStyle;
      tb->exStyle = static_cast<DWORD>(lParam);
      Changed(*tb);
      return static_cast<LRESULT>(previous);
    }
    case TB_GETEXTENDEDSTYLE: return static_cast<LRESULT>(tb->exStyle);
    case TB_SETBUTTONSIZE:
      tb->requestedWidth = LOWORD(lParam);
      tb->requestedHeight = HIWORD(lParam);
      Changed(*tb);
      return TRUE;
    case TB_SETBITMAPSIZE: return TRUE;  // images are not drawn, so they take no room here
    case TB_GETBUTTONSIZE: return MAKELONG(tb->buttonWidth, tb->buttonHeight);
    case TB_AUTOSIZE:
      AutoSize(*tb);
      return 0;
    case TB_HITTEST: {
      const POINT* at = reinterpret_cast<const POINT*>(lParam);
      if (at == nullptr) return -1;
      const int index = HitTest(*tb, *at);
      // A separator answers with its index negated.
      if (index >= 0 && (tb->buttons[static_cast<size_t>(index)].style & BTNS_SEP) != 0) return -index;
      return index;
    }
    case TB_SETPARENT: {
      HWND previous = tb->notify;
      tb->notify = reinterpret_cast<HWND>(wParam);
      return reinterpret_cast<LRESULT>(previous);
    }
    case WM_LBUTTONDOWN: return OnLButtonDown(tb, pt);
    case WM_LBUTTONUP: return OnLButtonUp(tb, pt);
    case WM_CAPTURECHANGED: return OnCaptureChanged(tb);
    case WM_SETFONT:
      tb->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(tb->font);
    case WM_DESTROY: return OnDestroy(tb);
    default: return DefWindowProcW(tb->hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK ToolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunControl<Toolbar>("ToolbarWindow32", &HandleMessage, hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterToolbarClass() {
  RegisterCommonControlClass(TOOLBARCLASSNAMEW, &ToolbarProc);
}

bool IsToolbar(HWND hwnd) { return FindInstance<Toolbar>(hwnd) != nullptr; }

bool ToolbarButtonParts(HWND toolbar, int command, RECT* main, RECT* arrow) {
  ToolbarPtr tb = FindInstance<Toolbar>(toolbar);
  if (tb == nullptr) return false;
  LayOut(*tb);
  const int index = IndexOfCommand(*tb, command);
  if (index < 0) return false;
  const ToolbarButton& b = tb->buttons[static_cast<size_t>(index)];
  if ((b.state & TBSTATE_HIDDEN) != 0 || b.menuBar) return false;
  *main = b.rect;
  *arrow = RECT{0, 0, 0, 0};
  if (HasArrowPart(*tb, b)) {
    *arrow = ArrowPart(b);
    main->right = arrow->left;
  }
  return true;
}

bool InsertToolbarMenuBar(HWND toolbar, HMENU menu, bool owned, UINT before) {
  ToolbarPtr tb = FindInstance<Toolbar>(toolbar);
  if (tb == nullptr || tb->menuBar != nullptr || !IsMenu(menu)) return false;
  ToolbarButton bar;
  bar.style = BTNS_SEP;
  bar.state = TBSTATE_ENABLED;
  bar.menuBar = true;
  const size_t at = std::min(static_cast<size_t>(before), tb->buttons.size());
  tb->buttons.insert(tb->buttons.begin() + static_cast<std::ptrdiff_t>(at), bar);
  if (tb->pressed >= static_cast<int>(at)) ++tb->pressed;
  tb->menuBar = menu;
  tb->ownsMenuBar = owned;
  Changed(*tb);
  return true;
}

HMENU ToolbarMenuBar(HWND toolbar, int* button) {
  ToolbarPtr tb = FindInstance<Toolbar>(toolbar);
  if (tb == nullptr || tb->menuBar == nullptr) return nullptr;
  for (size_t i = 0; i < tb->buttons.size(); ++i) {
    if (tb->buttons[i].menuBar && button != nullptr) *button = static_cast<int>(i);
  }
  return tb->menuBar;
}

std::vector<RECT> ToolbarMenuBarItems(HWND toolbar) {
  std::vector<RECT> items;
  ToolbarPtr tb = FindInstance<Toolbar>(toolbar);
  if (tb == nullptr || tb->menuBar == nullptr) return items;
  LayOut(*tb);
  const auto bar = std::find_if(tb->buttons.begin(), tb->buttons.end(), [](const ToolbarButton& b) { return b.menuBar; });
  if (bar == tb->buttons.end() || (bar->state & TBSTATE_HIDDEN) != 0) return items;
  int x = bar->rect.left;
  for (const std::u16string& text : MenuBarTexts(tb->menuBar)) {
    const int width = MenuBarItemWidth(text);
    items.push_back(RECT{x, bar->rect.top, x + width, bar->rect.bottom});
    x += width;
  }
  return items;
}

}  // namespace cesim::detail
