// Change Folder steps: open the pop-up from the toolbar's folder button, tap a folder or its
// expand button, tap the Explorer outside the pop-up.
#include <vector>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "explorer.h"
#include "frame_window.h"
#include "steps.h"
#include "session.h"

namespace fexplore_sim {
namespace {

const WORD kFolderTreeId = 1011;  // the tree control of the Change Folder dialog

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
  if (Frame() == nullptr) return nullptr;
  cesim::WindowQuery query;
  query.className = u"Dialog";
  query.owner = Frame();
  return cesim::FindFirstWindow(query);
}

}  // namespace

bool ChangeFolderOpen() { return OpenDialog() != nullptr; }

int NavigationCount() { return Frame() != nullptr ? GetFrameNavigationCount(Frame()) : 0; }

void PrintFolderState(std::ostream& out, int navigationsBefore, bool quietWithoutDialog) {
  if (Frame() == nullptr) return;
  if (GetFrameNavigationCount(Frame()) != navigationsBefore) {
    WCHAR folder[MAX_PATH];
    GetFrameFolder(Frame(), folder, MAX_PATH);
    out << "  The Explorer was sent the folder " << cesim::Narrow(folder) << "\n";
  }
  HWND dialog = OpenDialog();
  if (dialog == nullptr) {
    if (!quietWithoutDialog) out << "  (no Change Folder dialog open)\n";
    return;
  }
  out << "  Change Folder:\n";
  PrintLines(out, cesim::DumpTree(GetDlgItem(dialog, kFolderTreeId)));
}

bool RunFolderStep(const std::string& command, const std::string& argument, std::ostream& out) {
  if (Frame() == nullptr) return false;
  int before = NavigationCount();
  if (command == "change-folder") {
    // The user taps the toolbar's folder button: the module puts its Change Folder dialog in
    // place of the Explorer's folder pop-up.
    HWND toolbar = ExplorerToolbar(Frame());
    bool tapped = false;
    ActInExplorer([&] { tapped = cesim::TapToolbarButton(toolbar, 301); }, out);
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
                  out);
    if (!tapped) out << "  (" << argument << " is not on the screen)\n";
  } else if (command == "tap-explorer") {
    RECT rect;
    GetWindowRect(Frame(), &rect);
    ActInExplorer([rect] { cesim::Tap({rect.right - 10, rect.bottom - 10}); }, out);
  } else {
    return false;
  }
  PrintFolderState(out, before, false);
  return true;
}

}  // namespace fexplore_sim
