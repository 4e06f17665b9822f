// The thin layer under the conformance tests: everything that differs between running them on
// cesim and as a Windows program on desktop Windows (under Wine). A test prepares its files and
// registry values, starts the platform, then uses nothing but the Win32 API and the user's
// actions below, each of which runs the application's message loop until the queue is idle.
#ifndef FOLDWISE_CONFORMANCE_HOST_H
#define FOLDWISE_CONFORMANCE_HOST_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ceplatform.h"

namespace conformance {

// Text in the platform's own characters (UTF-16 code units).
using Text = std::basic_string<WCHAR>;

// True when the suite runs on cesim, false on desktop Windows.
bool OnCesim();
// True when the desktop Windows that the suite runs on is Wine (its ntdll exports
// wine_get_version); false on cesim and on Windows itself.
bool OnWine();

// What GDI calls drew into a DIB section is in its bits once this returns (desktop Windows may
// batch them: GdiFlush; the device draws at once).
void FinishDrawing();
// The attributes that SetLayeredWindowAttributes gave a window, read back as the system keeps
// them (GetLayeredWindowAttributes on the desktop): false while the window has none, because it
// is not layered or was never given any since it became layered.
bool ReadLayeredAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags);

class Host {
 public:
  Host();
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // --- What the test needs before it starts: files and registry values. ---

  // Paths are written as on the device ("\\Folder\\File.txt"); parent folders are made as needed.
  void AddFolder(const Text& path, DWORD attributes = 0);  // attributes: FILE_ATTRIBUTE_HIDDEN
  void AddFile(const Text& path, const std::string& contents = std::string());
  // One of the sample programs that the build cross-compiles (examples/programs: "box.exe",
  // "notes.exe", "viewer.exe", "plain.exe"), real PE files with version resources, as a file of
  // the test. False when the program was not built.
  bool AddSampleProgram(const Text& path, const std::string& name);
  // A module (DLL) that the build made, as a file of the test that LoadLibraryW can load:
  // `builtFile` is the module's path on the build machine on cesim, and relative to the test
  // program's folder on the desktop. False when the module was not built.
  bool AddModule(const Text& path, const std::string& builtFile);
  // Values under HKEY_CURRENT_USER, in the test's own key (see UserKey).
  void SetUserString(const Text& subkey, const Text& name, const Text& value);
  void SetUserDword(const Text& subkey, const Text& name, DWORD value);
  void SetUserBinary(const Text& subkey, const Text& name, const std::vector<BYTE>& data);
  // The default value of a key below HKEY_CLASSES_ROOT (file types: ".ext" names a type, the
  // type's key holds its name). The desktop's classes are shared by every program: a test names
  // its keys through ClassName, and the host takes them away again at the end.
  void SetClassesDefault(const Text& subkey, const Text& value);
  // A name for the test's own keys below HKEY_CLASSES_ROOT: `name` itself on cesim, `name` with
  // the process's number appended on the desktop, where tests run side by side.
  Text ClassName(const Text& name) const;

  // cesim: boots a fresh device from an image holding the files and values. Desktop: writes them
  // into a folder and a registry key of this test's own. Both initialise the common controls.
  bool Start();

  // The platform's path for a device path of the test ("\\" is the test's root folder).
  Text Path(const Text& devicePath) const;
  // The key below HKEY_CURRENT_USER that holds the test's subkey ("Settings" gives the key the
  // test's values went to).
  Text UserKey(const Text& subkey) const;

  // A window class of the test's own, taken away again when the test ends. The instance is the
  // program's; the cursor is the arrow.
  void RegisterWindowClass(const Text& name, WNDPROC procedure, int windowExtraBytes = 0);
  HINSTANCE Instance() const;

  // --- The user, and the application's loop. ---

  // Every action below lets the application's loop handle what it caused: messages are taken
  // from the queue and dispatched (after IsDialogMessageW for the dialog named by
  // UseDialogMessage) until the queue stays empty. Called from an action queued with WhenIdle,
  // they only queue their input: the loop that waits handles it.

  // A tap (the stylus, or the left mouse button, pressed and lifted) at a client point.
  void Tap(HWND window, POINT client);
  // A key pressed and released, as the keyboard sends it to the window with the focus.
  void PressKey(UINT vk);
  // A key pressed with Shift held.
  void PressShiftedKey(UINT vk);
  // A tap on the item at `position` of a pop-up menu that a menu loop shows (TrackPopupMenu):
  // queue it with WhenIdle before the loop starts; the loop handles it. A tap that opens a
  // submenu comes back to the loop first, so the next action queued can tap into the submenu.
  void TapMenuItem(HMENU menu, UINT position);
  // The user switches to the top-level window of `window`.
  void Activate(HWND window);
  // The application's loop, until the queue is idle.
  void Pump();
  // The application's loop passes every message to IsDialogMessageW(dialog) first, as a loop
  // that runs a modeless dialog does; null gives a plain loop again.
  void UseDialogMessage(HWND dialog);
  // Time moves on by `milliseconds`; timers that fall due fire through the application's loop.
  void AdvanceTime(DWORD milliseconds);
  // Runs `action` the next time a message loop waits for input, such as a modal dialog's loop.
  // Actions run one per wait, in the order queued.
  void WhenIdle(std::function<void()> action);

  // The host that the running test started (null when none).
  static Host* Current();

  struct Platform;  // what each platform's host keeps

 private:
  std::unique_ptr<Platform> platform_;
};

}  // namespace conformance

#endif
