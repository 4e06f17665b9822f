// The script steps of fexplore-sim.
#include "script_runner.h"

#include <iostream>
#include <istream>
#include <ostream>

#include <cstring>
#include <functional>
#include <vector>

#include "ceplatform.h"
#include "cesim/automation.h"
#include "cesim/ui.h"
#include "context_menu_host.h"
#include "explorer.h"
#include "frame_window.h"
#include "message_loop.h"

namespace fexplore_sim {
namespace {

const char16_t kModulePath[] = u"\\Windows\\foldwise.dll";
const char16_t kExplorerPath[] = u"\\Windows\\fexplore.exe";
const WORD kFolderTreeId = 1011;  // the tree control of the Change Folder dialog

// The running Explorer's frame window; a module that another program loaded to show that the
// module refuses it.
HWND g_frame = nullptr;
HMODULE g_other_module = nullptr;
// Bumped whenever an Explorer loop ends by itself, so that the quit queued for it goes unused.
int g_loop = 0;

void ActInExplorer(std::function<void()> action, std::ostream* out = nullptr);

void EndExplorer() {
  if (g_frame != nullptr) ::EndExplorer(g_frame);
  g_frame = nullptr;
  if (g_other_module != nullptr) FreeLibrary(g_other_module);
  g_other_module = nullptr;
}

bool IsExplorerProgram(const std::u16string& path) {
  const std::u16string name = u"fexplore.exe";
  if (path.size() < name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    char16_t c = path[path.size() - name.size() + i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != name[i]) return false;
  }
  return path.size() == name.size() || path[path.size() - name.size() - 1] == u'\\';
}

// A new Explorer process with its windows; the module loads into it afresh.
void StartNewExplorer(std::ostream& out) {
  cesim::StartProcess(kExplorerPath);
  g_frame = StartExplorer(GetModuleHandleW(nullptr), nullptr);
  if (g_frame == nullptr) {
    out << "  The Explorer's frame window could not be created.\n";
    return;
  }
  WCHAR folder[MAX_PATH];
  GetFrameFolder(g_frame, folder, MAX_PATH);
  out << "  The Explorer is open at " << cesim::Narrow(folder) << ", "
      << (CurrentImportRoute() == kRouteToModule ? "its calls routed through foldwise.dll's table"
                                                 : "its calls going to the platform (no replacement table)")
      << ".\n";
}

std::vector<std::u16string> SplitTreePath(const std::string& text) {
  std::vector<std::u16string> parts;
  std::u16string wide = cesim::Widen(text);
  size_t start = 0;
  while (start <= wide.size()) {
    size_t end = wide.find(u'\\', start);
    if (end == std::u16string::npos) end = wide.size();
    if (end > start) parts.push_back(wide.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

HWND OpenDialog() {
  if (g_frame == nullptr) return nullptr;
  cesim::WindowQuery query;
  query.className = u"Dialog";
  query.owner = g_frame;
  return cesim::FindFirstWindow(query);
}

void PrintFolderState(std::ostream& out, int navigationsBefore) {
  if (g_frame == nullptr) return;
  if (GetFrameNavigationCount(g_frame) != navigationsBefore) {
    WCHAR folder[MAX_PATH];
    GetFrameFolder(g_frame, folder, MAX_PATH);
    out << "  The Explorer was sent the folder " << cesim::Narrow(folder) << "\n";
  }
  HWND dialog = OpenDialog();
  if (dialog == nullptr) {
    out << "  (no Change Folder dialog open)\n";
    return;
  }
  out << "  Change Folder:\n";
  std::string tree = cesim::DumpTree(GetDlgItem(dialog, kFolderTreeId));
  size_t start = 0;
  while (start < tree.size()) {
    size_t end = tree.find('\n', start);
    if (end == std::string::npos) end = tree.size();
    out << "    | " << tree.substr(start, end - start) << "\n";
    start = end + 1;
  }
}

bool KeyOf(const std::string& name, UINT* key) {
  static const struct {
    const char* name;
    UINT key;
  } kKeys[] = {{"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB}, {"Up", VK_UP},
               {"Down", VK_DOWN},   {"Left", VK_LEFT},     {"Right", VK_RIGHT}};
  for (const auto& entry : kKeys) {
    if (name == entry.name) {
      *key = entry.key;
      return true;
    }
  }
  return false;
}

void ActInExplorer(std::vector<std::function<void()>> actions, std::ostream* out);

// Prints the pop-up menus that are open, then closes them as the user does with Escape.
void PrintAndCancelMenus(std::ostream& out) {
  if (cesim::OpenMenus().empty()) return;
  out << "  Open menu:\n";
  std::string menus = cesim::DumpOpenMenus();
  size_t start = 0;
  while (start < menus.size()) {
    size_t end = menus.find('\n', start);
    if (end == std::string::npos) end = menus.size();
    out << "    | " << menus.substr(start, end - start) << "\n";
    start = end + 1;
  }
  cesim::CancelMenu();
}

// The user acts while the Explorer's own message loop runs (it gives the Explorer's dialogs the
// dialog manager's keys, as a real Explorer's loop does); the loop ends once it has handled
// everything that the action caused, or when the Explorer closes. A menu that the action left
// open is shown and closed. An Explorer that closed and had a new one started is followed by
// that new one, as on the device.
void ActInExplorer(std::vector<std::function<void()>> actions, std::ostream* out = nullptr) {
  size_t launches = cesim::LaunchLog().size();
  int loop = g_loop;
  for (std::function<void()>& action : actions) cesim::WhenIdle(std::move(action));
  if (out != nullptr) cesim::WhenIdle([out] { PrintAndCancelMenus(*out); });
  cesim::WhenIdle([loop] {
    if (loop == g_loop) PostQuitMessage(0);
  });
  RunExplorerMessageLoop(g_frame);
  if (g_frame == nullptr || IsWindow(g_frame)) return;
  ++g_loop;
  std::ostream& report = out != nullptr ? *out : std::cout;
  report << "  The Explorer closed.\n";
  EndExplorer();
  std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
  for (size_t i = launches; i < log.size(); ++i) {
    if (!IsExplorerProgram(log[i].programPath)) continue;
    report << "  A new Explorer was started (" << log[i].call << ").\n";
    StartNewExplorer(report);
    return;
  }
}

void ActInExplorer(std::function<void()> action, std::ostream* out) {
  std::vector<std::function<void()>> actions;
  actions.push_back(std::move(action));
  ActInExplorer(std::move(actions), out);
}

// Change Folder steps: open the dialog, tap an item or its expand button, press a key.
bool RunFolderStep(const std::string& command, const std::string& argument, std::ostream& out) {
  int before = g_frame != nullptr ? GetFrameNavigationCount(g_frame) : 0;
  if (command == "change-folder") {
    if (g_frame == nullptr) {
      out << "  (the Explorer's frame window is not open)\n";
      return true;
    }
    // The user taps the toolbar's folder button: the module puts its Change Folder dialog in
    // place of the Explorer's folder pop-up.
    HWND toolbar = ExplorerToolbar(g_frame);
    bool tapped = false;
    ActInExplorer([&] { tapped = cesim::TapToolbarButton(toolbar, 301); }, &out);
    if (!tapped) out << "  (the folder button is not on the screen)\n";
  } else if (command == "tap-folder" || command == "tap-expand") {
    HWND dialog = OpenDialog();
    HWND tree = dialog != nullptr ? GetDlgItem(dialog, kFolderTreeId) : nullptr;
    std::vector<std::u16string> path = SplitTreePath(argument);
    HTREEITEM item = tree != nullptr ? cesim::FindTreeItem(tree, path) : nullptr;
    if (item == nullptr) {
      out << "  (no item " << argument << " in the tree)\n";
      return true;
    }
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    bool tapped = false;
    bool onItem = command == "tap-folder";
    ActInExplorer([&] { tapped = onItem ? cesim::TapTreeItem(tree, path) : cesim::TapTreeItemButton(tree, path); },
                  &out);
    if (!tapped) out << "  (" << argument << " is not on the screen)\n";
  } else if (command == "key") {
    UINT key = 0;
    if (!KeyOf(argument, &key)) return false;
    if (g_frame == nullptr) {
      cesim::PressKey(key);
    } else {
      ActInExplorer([key] { cesim::PressKey(key); }, &out);
    }
  } else if (command == "tap-explorer") {
    if (g_frame == nullptr) return false;
    RECT rect;
    GetWindowRect(g_frame, &rect);
    ActInExplorer([rect] { cesim::Tap({rect.right - 10, rect.bottom - 10}); }, &out);
  } else {
    return false;
  }
  PrintFolderState(out, before);
  return true;
}

void PrintLines(std::ostream& out, const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    out << "    | " << text.substr(start, end - start) << "\n";
    start = end + 1;
  }
}

// What the user sees of the Explorer: the folder in its path control, its toolbar and its list.
void PrintExplorer(std::ostream& out) {
  if (g_frame == nullptr) {
    out << "  (the Explorer is not open)\n";
    return;
  }
  WCHAR folder[MAX_PATH] = {};
  GetWindowTextW(GetDlgItem(g_frame, FRAME_PATH_BAR_ID), folder, MAX_PATH);
  out << "  Folder: " << cesim::Narrow(folder) << "\n  Toolbar:";
  for (const cesim::ToolbarButtonRow& button : cesim::ReadToolbar(ExplorerToolbar(g_frame))) {
    out << " [" << cesim::Narrow(button.text) << ((button.style & TBSTYLE_DROPDOWN) != 0 ? " v" : "") << "]";
  }
  out << "\n  List:\n";
  PrintLines(out, cesim::DumpListView(ExplorerListView(g_frame)));
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

// Explorer steps: look at it, go to a folder, open a menu of its menu bar, choose a menu item.
bool RunExplorerStep(const std::string& command, const std::string& argument, std::ostream& out) {
  if (command == "explorer") {
    PrintExplorer(out);
    return true;
  }
  if (g_frame == nullptr) return false;
  if (command == "navigate") {
    std::u16string folder = cesim::Widen(argument);
    ActInExplorer([folder] { SendMessageW(g_frame, FRAME_MSG_NAVIGATE, 0, reinterpret_cast<LPARAM>(folder.c_str())); },
                  &out);
    PrintExplorer(out);
    return true;
  }
  if (command == "menu" || command == "choose") {
    std::vector<std::u16string> path = SplitMenuPath(argument);
    if (path.empty() || (command == "choose" && path.size() < 2)) return false;
    HWND bar = ExplorerCommandBar(g_frame);
    bool tapped = false;
    bool chosen = command == "menu";
    std::vector<std::u16string> items(path.begin() + 1, path.end());
    std::vector<std::function<void()>> actions;
    actions.push_back([&] { tapped = cesim::TapMenuBarItem(bar, path[0]); });
    if (command == "choose") actions.push_back([&] { chosen = cesim::ChooseMenuItem(items); });
    ActInExplorer(std::move(actions), &out);
    if (!tapped) out << "  (no menu " << cesim::Narrow(path[0]) << " on the menu bar)\n";
    if (!chosen) out << "  (no item " << argument << ")\n";
    if (command == "choose" && g_frame != nullptr) PrintExplorer(out);
    return true;
  }
  return false;
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

void StartProcess(const std::string& program, std::ostream& out) {
  EndExplorer();
  std::u16string path = cesim::Widen(program);
  if (IsExplorerProgram(path)) {
    out << "Process " << program << " started.\n";
    StartNewExplorer(out);
    return;
  }
  cesim::StartProcess(path);
  out << "Process " << program << " started.\n";
  // Another program that loads the module: the module decides whether it may live there.
  g_other_module = LoadLibraryW(kModulePath);
  if (g_other_module == nullptr) {
    out << "  foldwise.dll refused to load into it (error " << GetLastError() << ").\n";
  } else {
    out << "  foldwise.dll loaded into it.\n";
  }
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

bool RunScript(std::istream& script, std::ostream& out) {
  std::string line;
  int number = 0;
  while (std::getline(script, line)) {
    ++number;
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    size_t space = line.find_first_of(" \t");
    std::string command = line.substr(0, space);
    std::string argument = space == std::string::npos ? std::string() : Trim(line.substr(space));
    out << "\n> " << line << "\n";
    if (command == "process" && !argument.empty()) {
      StartProcess(argument, out);
    } else if (command == "context-menu" && !argument.empty()) {
      ShowContextMenu(argument, out);
    } else if (RunExplorerStep(command, argument, out) || RunFolderStep(command, argument, out)) {
      continue;
    } else {
      out << "line " << number << ": cannot run \"" << line << "\"\n";
      EndExplorer();
      return false;
    }
  }
  EndExplorer();
  return true;
}

}  // namespace fexplore_sim
