// Window searches by class, process and z-order; nothing here sends the Explorer a message that
// carries a pointer, as those do not cross between processes.
#include "explorer_windows.h"

#include <commctrl.h>

namespace shots {
namespace {

struct TopSearch {
  HWND frame;
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindTop(HWND window, LPARAM data) {
  TopSearch* search = reinterpret_cast<TopSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (window == search->frame || process != search->process || !IsWindowVisible(window)) return TRUE;
  if (ClassOf(window) == L"#32768") return TRUE;
  search->found = window;
  return FALSE;
}

struct ChildSearch {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM data) {
  ChildSearch* search = reinterpret_cast<ChildSearch*>(data);
  if (ClassOf(window) != search->className) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

HWND FindFrame() {
  HWND frame = FindWindowW(L"FEXPLORE", nullptr);
  return frame != nullptr && IsWindowVisible(frame) ? frame : nullptr;
}

HWND FindListView(HWND frame) {
  ChildSearch search = {WC_LISTVIEWW, nullptr};
  EnumChildWindows(frame, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND OpenMenu() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

HWND WindowOnTop(HWND frame) {
  TopSearch search = {frame, 0, nullptr};
  GetWindowThreadProcessId(frame, &search.process);
  EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace shots
