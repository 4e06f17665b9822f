// Menu steps: a pop-up of the Explorer's menu bar, an item chosen by its path through submenus,
// the pane's context menu (as the list view asks for it) and an item's context menu with the
// registered extensions' commands.
#include <vector>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "context_menu_host.h"
#include "explorer.h"
#include "steps.h"
#include "session.h"

namespace fexplore_sim {
namespace {

// One line per item, as DumpOpenMenus writes them, and each submenu's items below its item,
// indented by two more spaces, whether it is open or not.
void FormatMenu(HMENU menu, const std::string& indent, int depth, std::string* text) {
  for (const cesim::MenuRow& row : cesim::ReadMenu(menu)) {
    *text += indent;
    if (row.separator) {
      *text += "-\n";
      continue;
    }
    if (row.radio) *text += "(o) ";
    else if (row.checked) *text += "[x] ";
    *text += ShownText(row.text);
    if (row.popup) *text += " >";
    if (row.grayed) *text += " (grayed)";
    *text += "\n";
    if (row.popup && row.submenu != nullptr && depth < 8) FormatMenu(row.submenu, indent + "  ", depth + 1, text);
  }
}

std::vector<std::u16string> SplitMenuPath(const std::string& text) {
  std::vector<std::u16string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('>', start);
    if (end == std::string::npos) end = text.size();
    std::string part = text.substr(start, end - start);
    size_t first = part.find_first_not_of(' ');
    size_t last = part.find_last_not_of(' ');
    if (first != std::string::npos) parts.push_back(cesim::Widen(part.substr(first, last - first + 1)));
    start = end + 1;
  }
  return parts;
}

// "menu View", "choose View > View Options > Icon".
void MenuBarStep(const std::string& command, const std::string& argument, std::ostream& out) {
  std::vector<std::u16string> path = SplitMenuPath(argument);
  HWND bar = ExplorerCommandBar(Frame());
  bool tapped = false;
  bool chosen = command == "menu";
  std::vector<std::u16string> items(path.begin() + 1, path.end());
  std::vector<std::function<void()>> actions;
  actions.push_back([&] { tapped = cesim::TapMenuBarItem(bar, path[0]); });
  if (command == "choose") actions.push_back([&] { chosen = cesim::ChooseMenuItem(items); });
  ActInExplorer(std::move(actions), out);
  if (!tapped) out << "  (no menu " << cesim::Narrow(path[0]) << " on the menu bar)\n";
  if (!chosen) out << "  (no item " << argument << ")\n";
  if (command == "choose" && Frame() != nullptr) PrintExplorer(out);
}

// "pane-menu", "pane-menu Letter", "pane-menu > Change Style > Icon", "pane-menu Letter > Rename":
// the list view asks for its context menu (WM_CONTEXTMENU at the item's label, or below the
// items), as it does on a tap-and-hold; the pane shows its own menu or the item's.
void PaneMenuStep(const std::string& argument, std::ostream& out) {
  size_t arrow = argument.find('>');
  std::string name = argument.substr(0, arrow);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  std::vector<std::u16string> items =
      arrow == std::string::npos ? std::vector<std::u16string>() : SplitMenuPath(argument.substr(arrow + 1));
  HWND list = ExplorerListView(Frame());
  POINT point = {0, 0};
  if (name.empty()) {
    RECT client;
    GetClientRect(list, &client);
    point = {client.right / 2, client.bottom - 4};
    out << "  (held below the items)\n";
  } else {
    int item = FindListItem(list, name);
    RECT rect = {};
    rect.left = LVIR_LABEL;
    if (item < 0 || !SendMessageW(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect))) {
      out << "  (no item " << name << " on the screen)\n";
      return;
    }
    point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  ClientToScreen(list, &point);
  bool chosen = true;
  std::vector<std::function<void()>> actions;
  actions.push_back([list, point] {
    SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(point.x, point.y));
  });
  if (!items.empty()) actions.push_back([&] { chosen = cesim::ChooseMenuItem(items); });
  ActInExplorer(std::move(actions), out);
  if (!chosen) out << "  (no item " << argument.substr(arrow + 1) << ")\n";
  if (!items.empty() && Frame() != nullptr) PrintExplorer(out);
}

void ShowContextMenu(const std::string& path, std::ostream& out) {
  ContextMenuSession session = {};
  std::u16string devicePath = cesim::Widen(path);
  out << "Context menu of " << path << ":\n";
  if (!OpenContextMenu(devicePath.c_str(), &session)) {
    out << "  (no menu)\n";
    return;
  }
  for (const cesim::MenuRow& row : cesim::ReadMenu(session.menu)) {
    if (row.separator) {
      out << "  ----------------\n";
    } else {
      out << "  " << cesim::Narrow(row.text);
      if (row.id >= kFirstHandlerCommand) out << "   [extension command " << (row.id - kFirstHandlerCommand) << "]";
      out << "\n";
    }
  }
  if (session.handlersRefused > 0) {
    out << "  (" << session.handlersRefused << " registered extension(s) could not be loaded)\n";
  }
  CloseContextMenu(&session);
}

}  // namespace

std::string ShownText(const std::u16string& text) {
  std::u16string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;  // "&&" shows one ampersand
    shown.push_back(text[i]);
  }
  return cesim::Narrow(shown);
}

void PrintAndCancelMenus(std::ostream& out) {
  std::vector<cesim::OpenMenu> open = cesim::OpenMenus();
  for (const cesim::OpenMenu& level : open) {
    if (level.menuBar) continue;
    std::string text;
    FormatMenu(level.menu, "", 0, &text);
    out << "  Open menu:\n";
    PrintLines(out, text);
    break;
  }
  if (!open.empty()) cesim::CancelMenu();
}

bool RunMenuStep(const std::string& command, const std::string& argument, std::ostream& out) {
  if (command == "context-menu" && !argument.empty()) {
    ShowContextMenu(argument, out);
    return true;
  }
  if (Frame() == nullptr) return false;
  if (command == "menu" || command == "choose") {
    std::vector<std::u16string> path = SplitMenuPath(argument);
    if (path.empty() || (command == "choose" && path.size() < 2)) return false;
    MenuBarStep(command, argument, out);
    return true;
  }
  if (command == "pane-menu") {
    PaneMenuStep(argument, out);
    return true;
  }
  return false;
}

}  // namespace fexplore_sim
