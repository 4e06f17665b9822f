// The script steps of fexplore-sim.
#include "script_runner.h"

#include <istream>
#include <ostream>

#include <cstring>
#include <functional>
#include <vector>

#include "ceplatform.h"
#include "cesim/automation.h"
#include "cesim/ui.h"
#include "context_menu_host.h"
#include "frame_window.h"
#include "message_loop.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "view/change_folder_dialog.h"

namespace fexplore_sim {
namespace {

const char16_t kModulePath[] = u"\\Windows\\foldwise.dll";

// The Explorer's frame window, and the module loaded the way the Explorer keeps it while its
// windows are extended. The frame window extension that opens the Change Folder dialog on the
// host's folder command is not part of the module yet, so the tool opens the dialog as that
// extension will, with the module's own resources.
HWND g_frame = nullptr;
HMODULE g_module_handle = nullptr;

void EndExplorer() {
  if (g_frame != nullptr && IsWindow(g_frame)) DestroyWindow(g_frame);
  g_frame = nullptr;
  if (g_module_handle != nullptr) FreeLibrary(g_module_handle);
  g_module_handle = nullptr;
  std::memset(&g_module, 0, sizeof(g_module));
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
  std::string tree = cesim::DumpTree(GetDlgItem(dialog, IDC_FOLDER_TREE));
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

// The user acts while the Explorer's own message loop runs (it gives the Explorer's dialogs the
// dialog manager's keys, as a real Explorer's loop does); the loop ends once it has handled
// everything that the action caused.
void ActInExplorer(std::function<void()> action) {
  cesim::WhenIdle(std::move(action));
  cesim::WhenIdle([] { PostQuitMessage(0); });
  RunExplorerMessageLoop(g_frame);
}

// Change Folder steps: open the dialog, tap an item or its expand button, press a key.
bool RunFolderStep(const std::string& command, const std::string& argument, std::ostream& out) {
  int before = g_frame != nullptr ? GetFrameNavigationCount(g_frame) : 0;
  if (command == "change-folder") {
    if (g_frame == nullptr) {
      out << "  (the Explorer's frame window is not open)\n";
      return true;
    }
    if (ShowChangeFolderDialog(g_frame) == nullptr) out << "  (the dialog could not be created)\n";
    ActInExplorer([] {});
  } else if (command == "tap-folder" || command == "tap-expand") {
    HWND dialog = OpenDialog();
    HWND tree = dialog != nullptr ? GetDlgItem(dialog, IDC_FOLDER_TREE) : nullptr;
    std::vector<std::u16string> path = SplitTreePath(argument);
    HTREEITEM item = tree != nullptr ? cesim::FindTreeItem(tree, path) : nullptr;
    if (item == nullptr) {
      out << "  (no item " << argument << " in the tree)\n";
      return true;
    }
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    bool tapped = false;
    bool onItem = command == "tap-folder";
    ActInExplorer([&] { tapped = onItem ? cesim::TapTreeItem(tree, path) : cesim::TapTreeItemButton(tree, path); });
    if (!tapped) out << "  (" << argument << " is not on the screen)\n";
  } else if (command == "key") {
    UINT key = 0;
    if (!KeyOf(argument, &key)) return false;
    if (g_frame == nullptr) {
      cesim::PressKey(key);
    } else {
      ActInExplorer([key] { cesim::PressKey(key); });
    }
  } else if (command == "tap-explorer") {
    if (g_frame == nullptr) return false;
    RECT rect;
    GetWindowRect(g_frame, &rect);
    ActInExplorer([rect] { cesim::Tap({rect.right - 10, rect.bottom - 10}); });
  } else {
    return false;
  }
  PrintFolderState(out, before);
  return true;
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

void StartProcess(const std::string& program, std::ostream& out) {
  EndExplorer();
  cesim::StartProcess(cesim::Widen(program));
  out << "Process " << program << " started.\n";
  g_module_handle = LoadLibraryW(kModulePath);
  if (g_module_handle == nullptr) {
    out << "  foldwise.dll refused to load into it (error " << GetLastError() << ").\n";
    return;
  }
  out << "  foldwise.dll loaded into it.\n";
  g_module.instance = g_module_handle;
  g_frame = CreateFrameWindow(GetModuleHandleW(nullptr), u"\\");
  if (g_frame != nullptr) {
    g_module.frameWindow = g_frame;
    out << "  The Explorer's frame window is open.\n";
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
    } else if (RunFolderStep(command, argument, out)) {
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
