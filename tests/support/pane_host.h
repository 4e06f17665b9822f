// A small Explorer for the tests of the frame and list pane extensions: a frame window of class "FEXPLORE" and a pane window
// registered by class atom whose first child is a four-column report list view, both created
// through the loaded module's replacement table, and a folder listing through the table that
// fills the list with the host's item records. It writes down what reaches its own procedures,
// which is what the module hands on to the host.
#ifndef FOLDWISE_TESTS_PANE_HOST_H
#define FOLDWISE_TESTS_PANE_HOST_H

#include <functional>
#include <string>
#include <vector>

#include "ceplatform.h"

namespace foldwise_test {

// What reached the host's procedures, one line per message, in order: "frame navigate
// \My Documents", "pane command 28006", "pane key 0x25", "pane timer 1 at 1300", "pane context
// menu 40,60", "pane gesture 10".
struct PaneHostLog {
  std::vector<std::string> lines;
  void Clear() { lines.clear(); }
};

// The widths the host gives its four columns when it creates the list.
extern const int kHostColumnWidths[4];

class PaneHost {
 public:
  // Creates the windows through the module's table (export ordinal 1) and lists `folder`
  // through it, which makes the module's one-time start-up run. False when the module has no
  // table or a window could not be made.
  bool Start(HMODULE module, const std::u16string& folder);
  ~PaneHost();

  HWND frame = nullptr;
  HWND pane = nullptr;
  HWND list = nullptr;
  HMENU paneMenu = nullptr;  // the host's pane context menu, kept for the host's life
  HWND toolbar = nullptr;    // with withToolbar

  // Adds an item at the end of the list with a record of the host's own making.
  int AddItem(const std::u16string& path, DWORD attributes);
  // Lists the folder anew (the host's command 28006 does the same).
  void Refill();
  // Makes the host list another folder, as the navigate message does.
  void ShowFolder(const std::u16string& folder);
  const std::u16string& Folder() const { return folder_; }
  // The list index of the item whose record holds the path; -1 when there is none.
  int ItemOf(const std::u16string& path) const;

  // The host opens its pane context menu at a screen point, as on WM_CONTEXTMENU; the menu loop
  // runs until the user is done (queue the user's actions with cesim::WhenIdle first).
  void OpenPaneMenu(POINT screen);

  PaneHostLog log;
  // Called with every message that reaches the host's pane procedure, before the host acts: a
  // test looks at the list and the settings at the moment the host sees the message.
  std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> paneProbe;

  // Options of the host's behaviour.
  bool hostShowsExtensions = false;  // the host's own text keeps the extension
  bool hostTextInOwnBuffer = false;  // the host answers LVN_GETDISPINFOW with a string of its own
  // The frame's first child is a toolbar (buttons 100 and 101, both with drop-down arrows) above
  // the pane, as the Explorer's frame has it.
  bool withToolbar = false;
  std::u16string listingPattern = u"\\*.*";  // what the host lists a folder with, after its path

 private:
  static LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PaneProc(HWND, UINT, WPARAM, LPARAM);
  void CreateList(HWND pane);
  void OnPaneSize(int width);
  void AnswerDisplayInfo(NMLVDISPINFOW* info);
  void FreeRecords();

  typedef HANDLE(WINAPI* FindFirstFunc)(LPCWSTR, WIN32_FIND_DATAW*);
  typedef BOOL(WINAPI* FindNextFunc)(HANDLE, WIN32_FIND_DATAW*);
  typedef HWND(WINAPI* CreateWindowFunc)(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU,
                                         HINSTANCE, LPVOID);
  FindFirstFunc findFirst_ = nullptr;
  FindNextFunc findNext_ = nullptr;
  CreateWindowFunc createWindow_ = nullptr;
  std::u16string folder_;
  std::vector<std::vector<unsigned char>*> records_;
  int lastPaneWidth_ = -1;
  std::u16string ownText_;
};

}  // namespace foldwise_test

#endif
