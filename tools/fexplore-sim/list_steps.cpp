// List steps: look at the Explorer, go to a folder, focus an item, press keys in the list, drag a
// column divider, flick over an item, turn the device.
#include <cstdio>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "explorer.h"
#include "frame_window.h"
#include "session.h"
#include "steps.h"

namespace fexplore_sim {
namespace {

bool KeyOf(const std::string& name, UINT* key) {
  static const struct {
    const char* name;
    UINT key;
  } kKeys[] = {{"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},        {"Up", VK_UP},
               {"Down", VK_DOWN},    {"Left", VK_LEFT},     {"Right", VK_RIGHT},    {"Backspace", VK_BACK},
               {"PageUp", VK_PRIOR}, {"PageDown", VK_NEXT}, {"Home", VK_HOME},      {"End", VK_END}};
  for (const auto& entry : kKeys) {
    if (name == entry.name) {
      *key = entry.key;
      return true;
    }
  }
  return false;
}

void PrintList(std::ostream& out) {
  HWND list = ExplorerListView(Frame());
  out << "  List:\n";
  PrintLines(out, cesim::DumpListView(list));
}

// The middle of an item's label, in the list's client coordinates.
bool LabelPoint(HWND list, int item, POINT* point) {
  RECT rect = {};
  rect.left = LVIR_LABEL;
  if (item < 0 || !SendMessageW(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect))) return false;
  *point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  return true;
}

std::string ScreenShape() {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  return std::to_string(width) + " x " + std::to_string(height) + (width > height ? " (landscape)" : " (portrait)");
}

// The stylus takes this long to drag a column divider.
const DWORD kDragMilliseconds = 600;

// A screen point on the divider at the right edge of a header item, and the item's width.
bool DividerPoint(HWND header, int item, POINT* screen, int* width) {
  HDITEMW current = {};
  current.mask = HDI_WIDTH;
  RECT rect;
  RECT area;
  if (header == nullptr ||
      !SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&current)) ||
      !SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect))) {
    return false;
  }
  GetClientRect(header, &area);
  for (int x : {static_cast<int>(rect.right) - 1, static_cast<int>(rect.right), static_cast<int>(rect.right) + 1}) {
    if (x < area.left || x >= area.right) continue;
    HDHITTESTINFO hit = {};
    hit.pt = {x, (area.top + area.bottom) / 2};
    int index = static_cast<int>(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if ((hit.flags == HHT_ONDIVIDER || hit.flags == HHT_ONDIVOPEN) && index == item) {
      *screen = hit.pt;
      ClientToScreen(header, screen);
      *width = current.cxy;
      return true;
    }
  }
  return false;
}

}  // namespace

// True when `longer` is `shorter` followed by an extension (".doc").
bool WithExtension(const std::u16string& longer, const std::u16string& shorter) {
  return longer.size() > shorter.size() && longer.compare(0, shorter.size(), shorter) == 0 &&
         longer[shorter.size()] == u'.' && longer.find(u'.', shorter.size() + 1) == std::u16string::npos;
}

int FindListItem(HWND list, const std::string& name) {
  std::u16string wanted = cesim::Widen(name);
  int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  WCHAR text[MAX_PATH];
  // First the name as shown; then the name with or without the extension that the list shows.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < count; ++i) {
      LVITEMW item = {};
      item.iItem = i;
      item.mask = LVIF_TEXT;
      item.pszText = text;
      item.cchTextMax = MAX_PATH;
      text[0] = 0;
      if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) continue;
      if (item.pszText == nullptr || item.pszText == LPSTR_TEXTCALLBACKW) continue;
      std::u16string shown(item.pszText);
      if (pass == 0 ? shown == wanted : WithExtension(shown, wanted) || WithExtension(wanted, shown)) return i;
    }
  }
  return -1;
}

void PrintExplorer(std::ostream& out) {
  if (Frame() == nullptr) {
    out << "  (the Explorer is not open)\n";
    return;
  }
  WCHAR folder[MAX_PATH] = {};
  GetWindowTextW(GetDlgItem(Frame(), FRAME_PATH_BAR_ID), folder, MAX_PATH);
  out << "  Folder: " << cesim::Narrow(folder) << "\n  Toolbar:";
  for (const cesim::ToolbarButtonRow& button : cesim::ReadToolbar(ExplorerToolbar(Frame()))) {
    out << " [" << cesim::Narrow(button.text) << ((button.style & TBSTYLE_DROPDOWN) != 0 ? " v" : "") << "]";
  }
  out << "\n";
  PrintList(out);
}

bool RunListStep(const std::string& command, const std::string& argument, std::ostream& out) {
  if (command == "explorer") {
    PrintExplorer(out);
    return true;
  }
  if (Frame() == nullptr) return false;
  HWND list = ExplorerListView(Frame());
  int before = NavigationCount();
  // A step taken while the Change Folder pop-up is open tells whether it stays.
  bool dialogOpen = ChangeFolderOpen();
  if (command == "navigate") {
    std::u16string folder = cesim::Widen(argument);
    ActInExplorer([folder] { SendMessageW(Frame(), FRAME_MSG_NAVIGATE, 0, reinterpret_cast<LPARAM>(folder.c_str())); },
                  out);
    PrintExplorer(out);
    return true;
  }
  if (command == "focus" || command == "flick-left" || command == "flick-right") {
    int item = FindListItem(list, argument);
    POINT point;
    if (!LabelPoint(list, item, &point)) {
      out << "  (no item " << argument << " on the screen)\n";
      return true;
    }
    if (command == "focus") {
      // A tap on the item selects and focuses it.
      ActInExplorer([list, item] { cesim::TapListItem(list, item); }, out);
    } else {
      UINT direction = command == "flick-left" ? ARG_SCROLL_LEFT : ARG_SCROLL_RIGHT;
      ActInExplorer([list, point, direction] { cesim::ScrollGesture(list, point, direction); }, out);
    }
  } else if (command == "key") {
    UINT key = 0;
    if (!KeyOf(argument, &key)) return false;
    ActInExplorer([key] { cesim::PressKey(key); }, out);
  } else if (command == "drag-column") {
    // "drag-column 1 30": the divider at the right edge of column 1 dragged until it is 30 wide.
    int column = -1, width = -1;
    if (sscanf(argument.c_str(), "%d %d", &column, &width) != 2 || column < 0 || width < 0) return false;
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    POINT start;
    int current = 0;
    if (!DividerPoint(header, column, &start, &current)) {
      out << "  (the divider of column " << column << " is not on the screen)\n";
      return true;
    }
    // At a user's pace: a stroke as quick as a flick would be a scroll gesture, not a drag.
    POINT end = {start.x + width - current, start.y};
    ActInExplorer([start, end] { cesim::Drag(start, end, 4, kDragMilliseconds); }, out);
  } else if (command == "turn") {
    ActInExplorer([] { cesim::TurnDevice(); }, out);
    out << "  The screen is " << ScreenShape() << ".\n";
  } else {
    return false;
  }
  if (Frame() == nullptr) return true;
  PrintFolderState(out, before, !dialogOpen);
  PrintList(out);
  if (command == "focus" || command == "flick-left") PrintOverlay(out);
  return true;
}

}  // namespace fexplore_sim
