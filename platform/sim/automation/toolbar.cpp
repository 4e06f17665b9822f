// Automation of toolbars: their buttons read through the control's own messages, and taps on a
// button's main part, its drop-down arrow or an item of a command bar's menu bar.
#include "cesim/ui.h"
#include "controls/toolbar/toolbar.h"
#include "menu/layout.h"
#include "menu/store.h"
#include "sim/commctrl.h"
#include "sim/message.h"

namespace cesim {

namespace {

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The style of the shown button with the command, if it is a button (not a separator).
bool ButtonStyle(HWND toolbar, int id, BYTE* style) {
  const int index = static_cast<int>(SendMessageW(toolbar, TB_COMMANDTOINDEX, static_cast<WPARAM>(id), 0));
  TBBUTTON button = {};
  if (index < 0 || !SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
    return false;
  *style = button.fsStyle;
  return (button.fsStyle & BTNS_SEP) == 0;
}

}  // namespace

std::vector<ToolbarButtonRow> ReadToolbar(HWND toolbar) {
  std::vector<ToolbarButtonRow> rows;
  if (!detail::IsToolbar(toolbar)) return rows;
  int menuBarButton = -1;
  detail::ToolbarMenuBar(toolbar, &menuBarButton);
  const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    if (!SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button))) continue;
    ToolbarButtonRow row;
    row.id = button.idCommand;
    row.style = button.fsStyle;
    row.state = button.fsState;
    row.menuBar = i == menuBarButton;
    SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&row.rect));
    const LRESULT length = SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), 0);
    if (length > 0) {
      std::u16string text(static_cast<size_t>(length) + 1, u'\0');
      SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), reinterpret_cast<LPARAM>(&text[0]));
      text.resize(static_cast<size_t>(length));
      row.text = text;
    }
    rows.push_back(row);
  }
  return rows;
}

bool TapToolbarButton(HWND toolbar, int id) {
  BYTE style = 0;
  RECT main;
  RECT arrow;
  if (!ButtonStyle(toolbar, id, &style) || !detail::ToolbarButtonParts(toolbar, id, &main, &arrow)) return false;
  TapClient(toolbar, Centre(main));
  return true;
}

bool TapToolbarDropDown(HWND toolbar, int id) {
  BYTE style = 0;
  RECT main;
  RECT arrow;
  if (!ButtonStyle(toolbar, id, &style) || (style & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN)) == 0 ||
      !detail::ToolbarButtonParts(toolbar, id, &main, &arrow)) {
    return false;
  }
  // Without an arrow of its own the whole button drops down: its right end is where the arrow is drawn.
  TapClient(toolbar, IsRectEmpty(&arrow) ? POINT{main.right - 3, (main.top + main.bottom) / 2} : Centre(arrow));
  return true;
}

bool TapMenuBarItem(HWND commandBar, const std::u16string& text) {
  HMENU bar = detail::ToolbarMenuBar(commandBar, nullptr);
  const detail::Menu* menu = detail::LookUpMenu(bar);
  if (menu == nullptr) return false;
  const std::vector<RECT> items = detail::ToolbarMenuBarItems(commandBar);
  for (size_t i = 0; i < menu->items.size() && i < items.size(); ++i) {
    const detail::MenuItem& item = menu->items[i];
    if (item.hasText && (item.text == text || detail::DisplayedItemText(item.text) == text)) {
      TapClient(commandBar, Centre(items[i]));
      return true;
    }
  }
  return false;
}

}  // namespace cesim
