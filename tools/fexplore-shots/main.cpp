// fexplore-shots: plays a tour of the sample device in the desktop Explorer (fexplore.exe with
// the module) with real input, and writes a PNG picture of the screen at each stop: the Explorer
// with each enhancement, and every dialog and menu. Usage:
//   fexplore-shots.exe EXPLORER_PROGRAM PICTURE_FOLDER
// It ends with 0 when every picture was written, else with 1 and a line that says which step
// did not come about.
#include <windows.h>

#include <cstdio>
#include <string>

#include "explorer_windows.h"
#include "screen_picture.h"
#include "user_input.h"

namespace shots {
namespace {

// The properties dialog's button that opens a program's version information.
const int kVersionButton = 1003;
// The Explorer's path bar, which shows its folder.
const int kPathBar = 300;

class Tour {
 public:
  Tour(std::wstring explorer, std::wstring pictures) : explorer_(explorer), pictures_(pictures) {}
  ~Tour() { End(); }

  // Starts the Explorer and waits for its frame to show its folder.
  bool Start() {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + explorer_ + L"\"";
    if (!CreateProcessW(explorer_.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
      return Fail("the Explorer did not start");
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    if (!WaitUntil([this] { return (frame_ = FindFrame()) != nullptr; }, 20000))
      return Fail("the Explorer showed no frame");
    WaitForInputIdle(process_, 5000);
    SetForegroundWindow(frame_);
    Settle(800);
    return true;
  }

  // Closes the Explorer and waits for its process to end.
  void End() {
    if (process_ == nullptr) return;
    if (IsWindow(frame_)) PostMessageW(frame_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_, 5000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
    CloseHandle(process_);
    process_ = nullptr;
    frame_ = nullptr;
  }

  bool Picture(const wchar_t* name) {
    Settle();
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    std::string error;
    if (!SaveScreenPicture(screen, pictures_ + L"\\" + name + L".png", &error)) return Fail(error);
    std::printf("picture %ls.png\n", name);
    std::fflush(stdout);
    return true;
  }

  // Gives an item of the list the focus and the selection, as typing the start of its name does.
  bool FocusItem(const std::wstring& name) {
    if (!FocusList()) return false;
    Settle(1100);  // the list starts a new search once its last key is a second old
    TypeText(name);
    Settle();
    return true;
  }

  // A tap below the items gives the list the focus and selects nothing.
  bool FocusList() {
    POINT below;
    if (!BelowTheItems(&below)) return false;
    Tap(below);
    Settle(100);
    return true;
  }

  // A point of the list below its few items: in its lowest quarter, across its middle.
  bool BelowTheItems(POINT* point) {
    HWND list = FindListView(frame_);
    if (list == nullptr) return Fail("the Explorer has no list");
    RECT rect;
    GetWindowRect(list, &rect);
    *point = POINT{(rect.left + rect.right) / 2, rect.bottom - (rect.bottom - rect.top) / 4};
    return true;
  }

  // The focused item's context menu, as the context-menu key opens it.
  bool ItemMenu() {
    PressKeyWith(VK_SHIFT, VK_F10);
    if (!WaitUntil([] { return OpenMenu() != nullptr; })) return Fail("no context menu opened");
    return true;
  }

  // A pop-up of the menu bar, by its mnemonic.
  bool BarMenu(WORD letter) {
    PressKeyWith(VK_MENU, letter);
    if (!WaitUntil([] { return OpenMenu() != nullptr; })) return Fail("no pop-up of the menu bar opened");
    return true;
  }

  // Moves down `steps` items in the open menu (from none selected, the first step selects its
  // first item) and chooses the selected item.
  bool ChooseInMenu(int steps) { return MoveAndChoose(VK_DOWN, steps); }

  void CloseMenus() {
    while (OpenMenu() != nullptr) {
      PressKey(VK_ESCAPE);
      Settle(100);
    }
  }

  // Closes the pop-ups of the menu bar, and leaves the menu bar, which keeps its selection after
  // its last pop-up has closed.
  void CloseBarMenus() {
    CloseMenus();
    PressKey(VK_ESCAPE);
    Settle(100);
  }

  // Waits for a window on top of the Explorer whose title starts with `title`.
  bool WaitForWindow(const std::wstring& title) {
    HWND found = nullptr;
    if (!WaitUntil([&] {
          found = WindowOnTop(frame_);
          return found != nullptr && TextOf(found).compare(0, title.size(), title) == 0;
        })) {
      std::string shown = "nothing";
      if (found != nullptr) {
        char text[256];
        std::snprintf(text, sizeof(text), "\"%ls\" (%ls)", TextOf(found).c_str(), ClassOf(found).c_str());
        shown = text;
      }
      char what[512];
      std::snprintf(what, sizeof(what), "no window \"%ls\" opened; on top: %s", title.c_str(), shown.c_str());
      return Fail(what);
    }
    top_ = found;
    std::printf("window \"%ls\" (%ls)\n", TextOf(found).c_str(), ClassOf(found).c_str());
    return true;
  }

  // Closes the window on top as Escape does, and waits for it to go.
  bool CloseWindow() {
    HWND window = top_;
    PressKey(VK_ESCAPE);
    if (!WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }))
      return Fail("the window on top stayed open");
    return true;
  }

  // Chooses the item `fromBottom` places from the end of the open menu (1: the last one; from
  // the first item selected or none, the first step up selects the last).
  bool ChooseFromBottom(int fromBottom) { return MoveAndChoose(VK_UP, fromBottom); }

  // Presses an arrow key `times` times in the open menu, then Enter, and waits for it to close.
  bool MoveAndChoose(WORD arrow, int times) {
    PressKey(arrow, times);
    PressKey(VK_RETURN);
    if (!WaitUntil([] { return OpenMenu() == nullptr; })) return Fail("the menu stayed open");
    return true;
  }

  // The pane's own menu, as a right-button click below the list's items opens it.
  bool PaneMenu() {
    POINT below;
    if (!BelowTheItems(&below)) return false;
    RightClick(below);
    if (!WaitUntil([] { return OpenMenu() != nullptr; })) return Fail("the pane's menu did not open");
    // The pointer goes to the screen's lower left corner, off the menu, which would show the
    // item below it as selected.
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    return true;
  }

  // Opens a folder of the list, or goes up for "Back" (the Backspace key), and waits for the
  // path bar to show another folder.
  bool Open(const std::wstring& name) {
    HWND pathBar = GetDlgItem(frame_, kPathBar);
    const std::wstring before = TextOf(pathBar);
    if (name == L"Back") {
      if (!FocusList()) return false;
      PressKey(VK_BACK);
    } else {
      if (!FocusItem(name)) return false;
      PressKey(VK_RETURN);
    }
    if (!WaitUntil([&] { return TextOf(pathBar) != before; })) return Fail("the Explorer stayed in its folder");
    std::printf("folder %ls\n", TextOf(pathBar).c_str());
    Settle(400);
    return true;
  }

  // A tap on the toolbar's first button, the folder button.
  bool TapFolderButton() {
    HWND toolbar = GetWindow(frame_, GW_CHILD);
    if (toolbar == nullptr) return Fail("the Explorer has no toolbar");
    RECT rect;
    GetWindowRect(toolbar, &rect);
    Tap(POINT{rect.left + 30, (rect.top + rect.bottom) / 2});
    return true;
  }

  // Closes what is left open on top of the Explorer, one window after another.
  bool CloseWindowsOnTop() {
    for (int i = 0; i < 4; ++i) {
      Settle(200);
      HWND window = WindowOnTop(frame_);
      if (window == nullptr) return true;
      top_ = window;
      if (!CloseWindow()) return false;
    }
    return Fail("windows stayed open on top of the Explorer");
  }

  // A tap on a control of the window on top.
  bool TapControl(int control) {
    HWND item = GetDlgItem(top_, control);
    if (item == nullptr) return Fail("the window on top has no such control");
    RECT rect;
    GetWindowRect(item, &rect);
    Tap(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    return true;
  }

  bool Fail(const std::string& what) {
    std::fprintf(stderr, "fexplore-shots: %s\n", what.c_str());
    return false;
  }

 private:
  std::wstring explorer_;
  std::wstring pictures_;
  HANDLE process_ = nullptr;
  HWND frame_ = nullptr;
  HWND top_ = nullptr;
};

bool PlayTour(Tour& tour) {
  // My Documents, where the Explorer starts, with its items' context menu and the commands'
  // dialogs for a document and a shortcut.
  if (!tour.Start() || !tour.Picture(L"explorer")) return false;
  if (!tour.FocusItem(L"Letter") || !tour.ItemMenu() || !tour.Picture(L"context-menu")) return false;
  if (!tour.ChooseFromBottom(1) || !tour.WaitForWindow(L"") || !tour.Picture(L"properties-file") ||
      !tour.CloseWindow())
    return false;
  if (!tour.FocusItem(L"Letter") || !tour.ItemMenu() || !tour.ChooseFromBottom(2) || !tour.WaitForWindow(L"") ||
      !tour.Picture(L"open-with-program") || !tour.CloseWindow())
    return false;
  if (!tour.FocusItem(L"Tool") || !tour.ItemMenu() || !tour.ChooseFromBottom(1) || !tour.WaitForWindow(L"") ||
      !tour.Picture(L"properties-shortcut") || !tour.CloseWindow())
    return false;
  // The pane's menu, below the items.
  if (!tour.PaneMenu() || !tour.Picture(L"pane-menu")) return false;
  tour.CloseMenus();
  // The Go menu's Delete Path.
  if (!tour.BarMenu('G') || !tour.Picture(L"go-menu")) return false;
  PressKey(VK_UP);
  PressKey(VK_RIGHT);
  if (!tour.Picture(L"delete-path")) return false;
  tour.CloseBarMenus();
  // The Change Folder pop-up from the toolbar's folder button.
  if (!tour.TapFolderButton() || !tour.WaitForWindow(L"") || !tour.Picture(L"change-folder") || !tour.CloseWindow())
    return false;
  // A program with version information: its properties, its version dialog, its parameters and
  // a shortcut to it that the Programs menu has already.
  if (!tour.Open(L"Back") || !tour.Open(L"Program") || !tour.Open(L"Tool")) return false;
  if (!tour.FocusItem(L"box") || !tour.ItemMenu() || !tour.Picture(L"context-menu-program")) return false;
  if (!tour.ChooseFromBottom(1) || !tour.WaitForWindow(L"") || !tour.Picture(L"properties-program")) return false;
  if (!tour.TapControl(kVersionButton) || !tour.WaitForWindow(L"") || !tour.Picture(L"version-info") ||
      !tour.CloseWindow() || !tour.CloseWindowsOnTop())
    return false;
  if (!tour.FocusItem(L"box") || !tour.ItemMenu() || !tour.ChooseInMenu(1) || !tour.WaitForWindow(L"") ||
      !tour.Picture(L"open-with-parameters") || !tour.CloseWindow())
    return false;
  if (!tour.FocusItem(L"box") || !tour.ItemMenu() || !tour.ChooseFromBottom(3) || !tour.WaitForWindow(L"Confirm") ||
      !tour.Picture(L"send-shortcut-question") || !tour.CloseWindow())
    return false;
  // The picture preview in My Documents\Pictures, once the focus has stayed on the picture.
  if (!tour.Open(L"Back") || !tour.Open(L"Back") || !tour.Open(L"My") || !tour.Open(L"Pic")) return false;
  if (!tour.FocusItem(L"harbour")) return false;
  Settle(1000);
  if (!tour.Picture(L"preview") || !tour.Open(L"Back")) return false;
  // View Options on the View menu (its submenu opens on its first item, Show All Files), with
  // Show Extension and the Icon style; last, as Wine's list view keeps the old style's paint
  // after a change of style until something else repaints it.
  if (!tour.BarMenu('V')) return false;
  PressKey(VK_RIGHT);
  if (!tour.Picture(L"view-options")) return false;
  if (!tour.ChooseInMenu(1) || !tour.Picture(L"show-extension")) return false;
  if (!tour.BarMenu('V')) return false;
  PressKey(VK_RIGHT);
  if (!tour.ChooseFromBottom(1) || !tour.Picture(L"icon-style")) return false;
  return true;
}

}  // namespace
}  // namespace shots

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fexplore-shots EXPLORER_PROGRAM PICTURE_FOLDER\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  shots::Tour tour(argv[1], argv[2]);
  bool played = shots::PlayTour(tour);
  tour.End();
  CoUninitialize();
  return played ? 0 : 1;
}
