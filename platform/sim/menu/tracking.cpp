// The menu loop of TrackPopupMenu(Ex) and of a command bar's menu bar. Pop-up menus are not
// windows here: the loop keeps where each open level lies and takes the stylus (it holds the
// capture for the owner) and the keys itself, as the platform's menu loop does; every other
// message is dispatched. The owner may change or destroy the menus in WM_INITMENUPOPUP or while
// the loop dispatches, so every step looks the menus up again.
#include "menu/tracking.h"

#include <algorithm>

#include "menu/layout.h"
#include "menu/store.h"
#include "message/queue.h"
#include "sim/core.h"
#include "sim/input.h"
#include "sim/menu.h"
#include "sim/message.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

class MenuLoop;
// One menu loop at a time runs on the device.
MenuLoop* activeLoop = nullptr;

const MenuItem* ItemOf(HMENU menu, int position) {
  const Menu* data = LookUpMenu(menu);
  if (data == nullptr || position < 0 || static_cast<size_t>(position) >= data->items.size()) return nullptr;
  return &data->items[static_cast<size_t>(position)];
}

bool IsPopupItem(const MenuItem& item) { return (item.type & MF_POPUP) != 0 && LookUpMenu(item.submenu) != nullptr; }
bool IsGrayed(const MenuItem& item) { return (item.state & (MF_GRAYED | MF_DISABLED)) != 0; }
bool IsSeparator(const MenuItem& item) { return (item.type & MFT_SEPARATOR) != 0; }

bool IsStylusMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }
bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// The mnemonic of an item's text: the character after a single "&".
char16_t Mnemonic(const std::u16string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') return text[i + 1];
    ++i;
  }
  return 0;
}

// The rectangle around all the rectangles; empty for none.
RECT Bounds(const std::vector<RECT>& rects) {
  if (rects.empty()) return RECT{0, 0, 0, 0};
  RECT bounds = rects.front();
  for (const RECT& r : rects) {
    bounds.left = std::min(bounds.left, r.left);
    bounds.top = std::min(bounds.top, r.top);
    bounds.right = std::max(bounds.right, r.right);
    bounds.bottom = std::max(bounds.bottom, r.bottom);
  }
  return bounds;
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

class MenuLoop {
 public:
  MenuLoop(HWND owner, UINT flags, bool popup) : owner_(owner), flags_(flags), popup_(popup) {}

  // The first level of a TrackPopupMenu loop; false when the menu shows nothing.
  bool OpenTop(HMENU menu, POINT at, const RECT* exclude) {
    if (!InitPopup(menu, 0)) return false;
    Level level;
    level.menu = menu;
    level.origin = PlacePopup(menu, at, flags_, exclude);
    return Push(level);
  }

  // The first level of a menu-bar loop, and the item the user tapped.
  void OpenBar(HMENU bar, const std::vector<RECT>& items, UINT position) {
    Level level;
    level.menu = bar;
    level.bar = true;
    level.barItems = items;
    levels_.push_back(level);
    Refresh();
    if (!ended_) OpenFromBar(static_cast<int>(position), false);
  }

  void Run() {
    while (!ended_) {
      Refresh();
      if (ended_) break;
      MSG msg;
      if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        // The device waits for the user here; with nothing left to come the menu closes.
        if (!WaitForInput()) End();
        continue;
      }
      if (msg.message == WM_QUIT) {
        End();  // it stays for the application's own loop
      } else if (msg.message == WM_CANCELMODE) {
        Take(&msg);
        End();
      } else if (IsStylusMessage(msg.message)) {
        // A press outside every open level ends the loop and stays in the queue: the window under
        // the stylus gets it afterwards. Any other is taken before it is acted on, since acting may
        // post the chosen command.
        if (msg.message == WM_LBUTTONDOWN && LevelAt(ScreenPoint(msg)) < 0) {
          End();
        } else {
          Take(&msg);
          OnStylus(msg);
        }
      } else if (IsKeyMessage(msg.message)) {
        Take(&msg);
        TranslateMessage(&msg);
        OnKey(msg);
      } else {
        Take(&msg);
        DispatchMessageW(&msg);
      }
    }
  }

  UINT chosen() const { return chosen_; }
  bool popup() const { return popup_; }
  HWND owner() const { return owner_; }
  bool ended() const { return ended_; }

  // Re-reads the open menus: a level whose menu is gone closes with the levels above it; the
  // others are measured anew from where they opened.
  void Refresh() {
    if (!IsWindow(owner_)) {
      End();
      return;
    }
    for (size_t i = 0; i < levels_.size(); ++i) {
      Level& level = levels_[i];
      const Menu* menu = LookUpMenu(level.menu);
      if (menu == nullptr) {
        levels_.resize(i);
        break;
      }
      if (level.bar) {
        level.items = level.barItems;
        level.items.resize(std::min(level.items.size(), menu->items.size()));
        level.rect = Bounds(level.items);
      } else {
        PopupLayout layout = LayOutPopupAt(level.menu, level.origin);
        level.rect = layout.rect;
        level.items = layout.items;
      }
      if (level.selected >= static_cast<int>(level.items.size())) level.selected = -1;
    }
    if (levels_.empty()) End();
  }

  std::vector<OpenMenuLevel> Levels() const {
    std::vector<OpenMenuLevel> open;
    for (const Level& level : levels_) {
      OpenMenuLevel row;
      row.menu = level.menu;
      row.bar = level.bar;
      row.rect = level.rect;
      row.items = level.items;
      row.selected = level.selected;
      open.push_back(row);
    }
    return open;
  }

 private:
  struct Level {
    HMENU menu = nullptr;
    bool bar = false;
    POINT origin = {0, 0};
    std::vector<RECT> barItems;
    RECT rect = {0, 0, 0, 0};
    std::vector<RECT> items;
    int selected = -1;
  };

  void End() { ended_ = true; }

  bool Take(MSG* msg) { return PeekMessageW(msg, nullptr, 0, 0, PM_REMOVE) != FALSE; }

  // Tells the owner that a pop-up menu is about to open; false when the owner or the menu is gone
  // afterwards.
  bool InitPopup(HMENU menu, WORD position) {
    if ((flags_ & TPM_NONOTIFY) == 0) {
      SendMessageW(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(position, FALSE));
    }
    return IsWindow(owner_) && LookUpMenu(menu) != nullptr;
  }

  // Adds a level unless its menu is empty: an empty pop-up menu does not show.
  bool Push(const Level& level) {
    const Menu* menu = LookUpMenu(level.menu);
    if (menu == nullptr || menu->items.empty()) return false;
    levels_.push_back(level);
    Refresh();
    return !ended_ && !levels_.empty() && levels_.back().menu == level.menu;
  }

  void CloseAbove(size_t index) {
    if (levels_.size() > index + 1) levels_.resize(index + 1);
  }

  // Opens the submenu of the item at `position` of the level at `index`.
  bool OpenSubmenu(size_t index, int position, bool selectFirst) {
    const MenuItem* item = ItemOf(levels_[index].menu, position);
    if (item == nullptr || !IsPopupItem(*item) || IsGrayed(*item)) return false;
    CloseAbove(index);
    levels_[index].selected = position;
    const HMENU submenu = item->submenu;
    if (!InitPopup(submenu, static_cast<WORD>(position))) return false;
    Refresh();
    // The owner may have changed the menu that holds the item.
    if (ended_ || levels_.size() != index + 1 || static_cast<size_t>(position) >= levels_[index].items.size()) return false;
    item = ItemOf(levels_[index].menu, position);
    if (item == nullptr || item->submenu != submenu) return false;
    Level level;
    level.menu = submenu;
    level.origin = PlaceSubmenu(submenu, levels_[index].rect, levels_[index].items[static_cast<size_t>(position)]);
    if (!Push(level)) return false;
    if (selectFirst) MoveSelection(levels_.back(), 1);
    return true;
  }

  // The menu bar's item at `position`: its pop-up menu opens, a command is chosen.
  void OpenFromBar(int position, bool selectFirst) {
    CloseAbove(0);
    Level& bar = levels_[0];
    const MenuItem* item = ItemOf(bar.menu, position);
    if (item == nullptr || static_cast<size_t>(position) >= bar.items.size()) {
      End();
      return;
    }
    bar.selected = position;
    if (!IsPopupItem(*item)) {
      if (!IsGrayed(*item) && !IsSeparator(*item)) {
        Choose(item->id);
      } else {
        End();
      }
      return;
    }
    const HMENU submenu = item->submenu;
    if (!InitPopup(submenu, static_cast<WORD>(position))) {
      End();
      return;
    }
    Refresh();
    if (ended_ || static_cast<size_t>(position) >= levels_[0].items.size()) return;
    Level level;
    level.menu = submenu;
    level.origin = PlaceBelow(submenu, levels_[0].items[static_cast<size_t>(position)]);
    if (Push(level) && selectFirst) MoveSelection(levels_.back(), 1);
  }

  // The bar's neighbouring item, by the arrow keys.
  void SwitchBar(int delta) {
    Level& bar = levels_[0];
    const int count = static_cast<int>(bar.items.size());
    if (count == 0) return;
    int position = bar.selected;
    for (int step = 0; step < count; ++step) {
      position = ((position < 0 ? (delta > 0 ? -1 : 0) : position) + delta + count) % count;
      const MenuItem* item = ItemOf(bar.menu, position);
      if (item != nullptr && !IsSeparator(*item)) break;
    }
    OpenFromBar(position, true);
  }

  // The next item that is not a separator, going round the menu.
  void MoveSelection(Level& level, int delta) {
    const int count = static_cast<int>(level.items.size());
    int position = level.selected < 0 ? (delta > 0 ? -1 : count) : level.selected;
    for (int step = 0; step < count; ++step) {
      position = ((position + delta) % count + count) % count;
      const MenuItem* item = ItemOf(level.menu, position);
      if (item != nullptr && !IsSeparator(*item)) {
        level.selected = position;
        return;
      }
    }
  }

  void Choose(UINT id) {
    chosen_ = id;
    // The command arrives after the loop: it is posted, never sent.
    if ((flags_ & TPM_RETURNCMD) == 0) PostMessageW(owner_, WM_COMMAND, static_cast<WPARAM>(id), 0);
    End();
  }

  // Enter or a mnemonic on the selected item: a submenu opens with its first item selected; a
  // command is chosen; a grayed item or no selection closes the menu, as on the platform.
  void ExecuteByKey(size_t index, int position) {
    Level& level = levels_[index];
    const MenuItem* item = ItemOf(level.menu, position);
    if (item == nullptr) {
      End();
      return;
    }
    if (level.bar) {
      OpenFromBar(position, true);
      return;
    }
    if (IsPopupItem(*item)) {
      if (!OpenSubmenu(index, position, true) && IsGrayed(*item)) End();
      return;
    }
    if (IsGrayed(*item) || IsSeparator(*item)) {
      End();
      return;
    }
    Choose(item->id);
  }

  int LevelAt(POINT pt) const {
    for (size_t i = levels_.size(); i-- > 0;) {
      if (PtInRect(&levels_[i].rect, pt)) return static_cast<int>(i);
    }
    return -1;
  }

  static int ItemAt(const Level& level, POINT pt) {
    for (size_t i = 0; i < level.items.size(); ++i) {
      if (PtInRect(&level.items[i], pt)) return static_cast<int>(i);
    }
    return -1;
  }

  // Where a stylus message happens on the screen: its client point in its window's terms.
  static POINT ScreenPoint(const MSG& msg) {
    POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.hwnd == nullptr || !ClientToScreen(msg.hwnd, &pt)) pt = msg.pt;
    return pt;
  }

  void OnStylus(const MSG& msg) {
    const POINT pt = ScreenPoint(msg);
    const int index = LevelAt(pt);
    switch (msg.message) {
      case WM_LBUTTONDOWN: {
        if (index < 0) {
          End();
          return;
        }
        Level& level = levels_[static_cast<size_t>(index)];
        const int position = ItemAt(level, pt);
        if (level.bar) {
          const bool open = levels_.size() > 1 && level.selected == position;
          // A second tap on the open item closes the menu when the stylus lifts.
          closeOnRelease_ = open;
          if (!open && position >= 0) OpenFromBar(position, false);
          return;
        }
        CloseAbove(static_cast<size_t>(index));
        level.selected = position;
        if (position >= 0) OpenSubmenu(static_cast<size_t>(index), position, false);
        return;
      }
      case WM_LBUTTONUP: {
        if (index < 0) return;
        const Level& level = levels_[static_cast<size_t>(index)];
        const int position = ItemAt(level, pt);
        if (level.bar) {
          if (closeOnRelease_ && position == level.selected) End();
          closeOnRelease_ = false;
          return;
        }
        const MenuItem* item = ItemOf(level.menu, position);
        // Lifting over a grayed item, a separator or an item that opens a submenu does nothing.
        if (item != nullptr && position == level.selected && !IsPopupItem(*item) && !IsGrayed(*item) &&
            !IsSeparator(*item)) {
          Choose(item->id);
        }
        return;
      }
      case WM_MOUSEMOVE: {
        if (index >= 0 && !levels_[static_cast<size_t>(index)].bar && (msg.wParam & MK_LBUTTON) != 0) {
          const int position = ItemAt(levels_[static_cast<size_t>(index)], pt);
          if (position >= 0) levels_[static_cast<size_t>(index)].selected = position;
        }
        return;
      }
      default:
        return;
    }
  }

  void OnKey(const MSG& msg) {
    const size_t current = levels_.size() - 1;
    Level& level = levels_[current];
    const bool barLoop = levels_[0].bar;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      switch (msg.wParam) {
        case VK_UP:
        case VK_DOWN:
          if (level.bar) {
            if (level.selected >= 0) OpenFromBar(level.selected, true);
          } else {
            MoveSelection(level, msg.wParam == VK_DOWN ? 1 : -1);
          }
          break;
        case VK_RIGHT:
          if (!level.bar && OpenSubmenu(current, level.selected, true)) break;
          if (barLoop) SwitchBar(1);
          break;
        case VK_LEFT:
          if (current > (barLoop ? 1u : 0u)) {
            levels_.pop_back();
          } else if (barLoop) {
            SwitchBar(-1);
          }
          break;
        case VK_ESCAPE:
          // Closes the innermost pop-up menu; at the outermost level the loop ends.
          if (current > 0) {
            levels_.pop_back();
          } else {
            End();
          }
          break;
        default:
          break;
      }
      return;
    }
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return;
    const char16_t c = static_cast<char16_t>(msg.wParam);
    if (c == u'\r' || c == u' ') {
      ExecuteByKey(current, level.selected);
      return;
    }
    if (c < 0x20) return;
    const Menu* menu = LookUpMenu(level.menu);
    if (menu == nullptr) return;
    for (size_t i = 0; i < menu->items.size(); ++i) {
      const MenuItem& item = menu->items[i];
      if (item.hasText && Mnemonic(item.text) != 0 && Upper(Mnemonic(item.text)) == Upper(c)) {
        level.selected = static_cast<int>(i);
        ExecuteByKey(current, static_cast<int>(i));
        return;
      }
    }
  }

  HWND owner_;
  UINT flags_;
  bool popup_;
  bool ended_ = false;
  bool closeOnRelease_ = false;
  UINT chosen_ = 0;
  std::vector<Level> levels_;
};

// Starts the loop proper and cleans up after it: the capture, WM_EXITMENULOOP.
void RunAndFinish(MenuLoop& loop) {
  if (!loop.ended()) {
    SetCapture(loop.owner());
    loop.Run();
  }
  activeLoop = nullptr;
  if (GetCapture() == loop.owner()) ReleaseCapture();
  if (IsWindow(loop.owner())) SendMessageW(loop.owner(), WM_EXITMENULOOP, loop.popup() ? TRUE : FALSE, 0);
}

}  // namespace

std::vector<OpenMenuLevel> OpenMenuLevels() {
  if (activeLoop == nullptr) return {};
  activeLoop->Refresh();
  return activeLoop->ended() ? std::vector<OpenMenuLevel>() : activeLoop->Levels();
}

BOOL TrackPopupMenuLoop(HMENU menu, UINT flags, POINT at, HWND owner, const RECT* exclude) {
  if (FindMenu(menu) == nullptr) return FALSE;
  if (!IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (activeLoop != nullptr) {
    SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
    return FALSE;
  }
  MenuLoop loop(owner, flags, true);
  activeLoop = &loop;
  if ((flags & TPM_NONOTIFY) == 0) SendMessageW(owner, WM_ENTERMENULOOP, TRUE, 0);
  const bool shown = IsWindow(owner) && loop.OpenTop(menu, at, exclude);
  if (!shown) loop.Refresh();  // an empty or vanished menu: nothing to track
  RunAndFinish(loop);
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(loop.chosen());
  return shown ? TRUE : FALSE;
}

void TrackMenuBar(HMENU bar, const std::vector<RECT>& items, UINT position, HWND owner) {
  if (activeLoop != nullptr || LookUpMenu(bar) == nullptr || !IsWindow(owner)) return;
  MenuLoop loop(owner, 0, false);
  activeLoop = &loop;
  SendMessageW(owner, WM_ENTERMENULOOP, FALSE, 0);
  if (IsWindow(owner)) loop.OpenBar(bar, items, position);
  RunAndFinish(loop);
}

}  // namespace cesim::detail

CESIM_API BOOL WINAPI TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hWnd, LPTPMPARAMS lptpm) {
  if (lptpm != nullptr && lptpm->cbSize != sizeof(TPMPARAMS)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return cesim::detail::TrackPopupMenuLoop(hMenu, uFlags, POINT{x, y}, hWnd,
                                           lptpm != nullptr ? &lptpm->rcExclude : nullptr);
}

CESIM_API BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
  // prcRect is ignored, as the platform documents.
  return cesim::detail::TrackPopupMenuLoop(hMenu, uFlags, POINT{x, y}, hWnd, nullptr);
}
