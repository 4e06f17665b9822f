// What every system test shares: a fresh platform (a device on cesim, a folder and registry key
// of the test's own on the desktop) with the built module registered as the context menu handler
// of files and folders, and the Explorer stand-in run in this process as the Explorer, which
// loads the module by its registered path. Tests use only the Win32 API, the host's user and the
// Explorer's own windows.
#ifndef FOLDWISE_SYSTEM_SYSTEM_TEST_H
#define FOLDWISE_SYSTEM_SYSTEM_TEST_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conformance.h"
#include "context_menu_host.h"
#include "host.h"

namespace system_test {

using conformance::Host;
using conformance::Text;

// The module's own program path: the Explorer's.
extern const WCHAR kExplorerProgram[];

// The process runs as the program at `program` from here on (see program_runs_*.cpp): on cesim
// the emulated process starts with it; on the desktop the test program was started from that
// place by its main, and this only checks that it was.
bool RunAs(const Text& program);
// Whether the module at `module` stays loaded (LoadLibraryW gives a handle) in a process whose
// main program is a copy of this one at `program`; the Explorer's process is not disturbed.
enum class Load { kStays, kRefused, kProgramNotRun };
Load LoadInProgram(const Host& host, const Text& program, const Text& module);

// A path of the platform as the device writes it: on the desktop a path on the system drive
// loses its drive letter, as the platform face's GetModuleFileNameW gives it (the system drive's
// root plays the device root's part, and the test program works on that drive); on cesim the
// path itself.
Text DeviceForm(const Text& platformPath);

// The programs that the platform was asked to start since it started, each as "program|parameters",
// where the host can see them: cesim keeps a launch log; the desktop starts the program for real
// and keeps no record, so it gives nothing (a difference that FIDELITY.md lists).
bool StartsAreObservable();
std::vector<Text> StartedPrograms();

class SystemTest : public ::testing::Test {
 protected:
  // Puts the module at \Modules\foldwise.dll and registers it as the handler of files and
  // folders. Tests add their files and values before starting.
  void SetUp() override;
  // Ends the Explorer that is still running, with the module that it loaded.
  void TearDown() override;

  // Starts the platform, runs as the Explorer and starts the Explorer in a folder of the test.
  // Fills frame, pane and list; false, with a failure, when anything is missing.
  bool StartExplorerIn(const Text& folder);

  // The Explorer goes to a folder of the test as its own controls take it there (its navigate
  // message), which makes the folder its last location; false when it did not go.
  bool GoTo(const Text& folder);

  // A path of the test as the device writes it (DeviceForm of the platform's path).
  Text DevicePath(const Text& path) const;
  // The folder that the Explorer shows in its path bar (control 300), and the names of the items
  // that its list shows, in the order of their names (the Explorer lists them in the order that
  // the file system gives, which differs between the platforms).
  Text ShownFolder() const;
  std::vector<Text> ListedNames() const;
  // The index of the listed item named `name`, or -1.
  int ListedItem(const Text& name) const;
  // A tap on the listed item named `name`.
  void TapListedItem(const Text& name);

  // A value under HKEY_LOCAL_MACHINE\Explorer that the Explorer finds when it starts, as the
  // Explorer and the module wrote it in an earlier session.
  void SetExplorerValue(const Text& name, DWORD type, const std::vector<BYTE>& data);
  // The data of a value under HKEY_LOCAL_MACHINE\Explorer right now; empty when it is not there.
  static std::vector<BYTE> ExplorerValue(const Text& name);

  // Opens a pop-up of the frame's menu bar as the menu bar opens it (WM_INITMENUPOPUP to the
  // frame) and finds its item that opens a submenu with the text `name`: that submenu, with its
  // position in `position` when asked, or null.
  HMENU OpenPopupAndFindSubmenu(HMENU popup, const Text& name, int* position = nullptr) const;

  // The context menu of a test path, as the Explorer builds it when the user holds on the item.
  bool OpenMenuOf(const Text& path);
  // The identifier of the menu item whose text is `text`, or 0.
  UINT CommandWithText(const Text& text) const;
  // The texts of the menu's items from the top ("-" for a separator).
  std::vector<Text> MenuTexts() const;
  // Chooses the item with `text` in the open menu, as the Explorer runs a chosen handler
  // command, owned by the frame; the menu stays open until CloseMenu (or TearDown).
  HRESULT Choose(const Text& text);
  void CloseMenu();

  // The text of a window or dialog control.
  static Text TextOf(HWND window);
  static Text ItemText(HWND dialog, int control);
  // The dialog that a modal loop runs right now (the active window, when it is no Explorer
  // window).
  HWND ActiveDialog() const;
  // The CF_UNICODETEXT text of the clipboard, as another program pastes it; "(none)" without.
  static Text ClipboardText();

  Host host;
  Text modulePath;
  HWND frame = nullptr;
  HWND pane = nullptr;
  HWND list = nullptr;
  ContextMenuSession menu = {};
  struct ExplorerValueData {
    Text name;
    DWORD type;
    std::vector<BYTE> data;
  };
  std::vector<ExplorerValueData> explorerValues;
  bool menuOpen = false;
};

}  // namespace system_test

#endif
