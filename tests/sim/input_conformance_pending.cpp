// Input, processes and system metrics where desktop Windows behaves as the device does: keystrokes
// synthesized with keybd_event (silent ones too) go into the input queue and come out in order as
// key messages and characters; GetAsyncKeyState is the keys' state now, GetKeyState the thread's
// as of the messages it has taken; CreateProcessW's errors for programs that are not there; the
// system metrics that window layouts read; the default procedure passing WM_CONTEXTMENU to the
// parent. The tests use the plain Win32 API and a small host for what differs between the
// platforms, so that they run on cesim now and move into the conformance suite, to run under Wine
// as well, as they are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ceplatform.h"

#ifndef _WIN32
#include "booted_device.h"
#include "cesim/ui.h"
#endif

namespace {

// ---------------------------------------------------------------------------------------------
// The host: a device to run on, a foreground window, and an application's loop.

struct Message {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Message> received;

LRESULT CALLBACK ReceivingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_CONTEXTMENU:
    case WM_USER:
      received.push_back({hwnd, message, wParam, lParam});
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class Host {
 public:
  Host() {
#ifndef _WIN32
    device_.image.AddFolder(TEXT("\\Windows"));
    booted_ = device_.Boot();
#endif
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &ReceivingProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = TEXT("ConformanceInput");
    RegisterClassW(&cls);
    received.clear();
  }
  ~Host() {
    for (HWND hwnd : windows_) DestroyWindow(hwnd);
    UnregisterClassW(TEXT("ConformanceInput"), GetModuleHandleW(nullptr));
  }
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  bool Ready() const { return booted_; }

  // A folder that exists: the system's own (\\Windows on the device).
  static std::basic_string<WCHAR> SystemFolder() {
#ifdef _WIN32
    WCHAR folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    return folder;
#else
    return TEXT("\\Windows");
#endif
  }

  // A visible top-level window in the foreground with the keyboard focus.
  HWND ForegroundWindow() {
    HWND hwnd = CreateWindowExW(0, TEXT("ConformanceInput"), TEXT(""), WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    windows_.push_back(hwnd);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    Pump();
    received.clear();
    return hwnd;
  }

  // A child window of a window.
  HWND ChildOf(HWND parent) {
    return CreateWindowExW(0, TEXT("ConformanceInput"), TEXT(""), WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  }

  // The application's loop: every message queued now is translated and dispatched.
  static void Pump() {
#ifdef _WIN32
    // Input that another thread of the system delivers may still be on its way.
    for (int round = 0; round < 3; ++round) {
      Sleep(20);
#endif
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
#ifdef _WIN32
    }
#endif
  }

 private:
#ifndef _WIN32
  foldwise_test::BootedDevice device_;
  bool booted_ = false;
#else
  bool booted_ = true;
#endif
  std::vector<HWND> windows_;
};

bool Down(SHORT state) { return (state & 0x8000) != 0; }

// The key messages received, as message and key.
std::vector<std::pair<UINT, WPARAM>> KeyMessages() {
  std::vector<std::pair<UINT, WPARAM>> keys;
  for (const Message& m : received) {
    if (m.message == WM_KEYDOWN || m.message == WM_KEYUP || m.message == WM_CHAR) keys.push_back({m.message, m.wParam});
  }
  return keys;
}

// ---------------------------------------------------------------------------------------------
// keybd_event and the key states.

TEST(InputConformance, SynthesizedKeysArriveInOrderAsKeyMessagesAndCharacters) {
  Host host;
  ASSERT_TRUE(host.Ready());
  host.ForegroundWindow();
  keybd_event('A', 0, 0, 0);
  keybd_event('A', 0, KEYEVENTF_KEYUP, 0);
  keybd_event('B', 0, 0, 0);
  keybd_event('B', 0, KEYEVENTF_KEYUP, 0);
  Host::Pump();
  std::vector<std::pair<UINT, WPARAM>> expected = {
      {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}, {WM_KEYDOWN, 'B'}, {WM_CHAR, 'b'}, {WM_KEYUP, 'B'},
  };
  EXPECT_EQ(KeyMessages(), expected);
  // One press each; a release has the previous-state and transition bits.
  for (const Message& m : received) {
    if (m.message == WM_KEYDOWN) {
      EXPECT_EQ(m.lParam & 0xFFFF, 1);
    }
    if (m.message == WM_KEYUP) {
      EXPECT_EQ(static_cast<DWORD>(m.lParam) & 0xC0000000u, 0xC0000000u);
    }
  }
}

// A keystroke made without the key click is the key it names, as paging a list injects it: on the
// desktop, where the silent flag's bit means a character instead, the platform layer takes it off.
TEST(InputConformance, ASilentKeystrokeArrivesAsTheKeyItNames) {
  Host host;
  ASSERT_TRUE(host.Ready());
  host.ForegroundWindow();
  keybd_event(VK_NEXT, 0, KEYEVENTF_SILENT, 0);
  keybd_event(VK_NEXT, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_PRIOR, 0, KEYEVENTF_SILENT, 0);
  keybd_event(VK_PRIOR, 0, KEYEVENTF_KEYUP, 0);
  Host::Pump();
  std::vector<std::pair<UINT, WPARAM>> expected = {
      {WM_KEYDOWN, VK_NEXT}, {WM_KEYUP, VK_NEXT}, {WM_KEYDOWN, VK_PRIOR}, {WM_KEYUP, VK_PRIOR}};
  EXPECT_EQ(KeyMessages(), expected);
}

TEST(InputConformance, PostedMessagesAreTakenBeforeQueuedInput) {
  Host host;
  ASSERT_TRUE(host.Ready());
  HWND window = host.ForegroundWindow();
  keybd_event(VK_F7, 0, 0, 0);
  keybd_event(VK_F7, 0, KEYEVENTF_KEYUP, 0);
  PostMessageW(window, WM_USER, 0, 0);
  Host::Pump();
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received.front().message, static_cast<UINT>(WM_USER));
}

TEST(InputConformance, TheAsyncStateIsTheKeyNowAndTheKeyStateTheThreadsAsOfTheMessagesTaken) {
  Host host;
  ASSERT_TRUE(host.Ready());
  host.ForegroundWindow();
  keybd_event(VK_SHIFT, 0, 0, 0);
#ifdef _WIN32
  Sleep(50);
#endif
  EXPECT_TRUE(Down(GetAsyncKeyState(VK_SHIFT)));
  EXPECT_FALSE(Down(GetKeyState(VK_SHIFT)));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_SHIFT));
  EXPECT_TRUE(Down(GetKeyState(VK_SHIFT)));
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  Host::Pump();
  EXPECT_FALSE(Down(GetAsyncKeyState(VK_SHIFT)));
  EXPECT_FALSE(Down(GetKeyState(VK_SHIFT)));
}

TEST(InputConformance, AKeyReleasedWithoutAPressIsDeliveredAndStaysUp) {
  Host host;
  ASSERT_TRUE(host.Ready());
  host.ForegroundWindow();
  keybd_event(VK_F8, 0, KEYEVENTF_KEYUP, 0);
  Host::Pump();
  std::vector<std::pair<UINT, WPARAM>> expected = {{WM_KEYUP, VK_F8}};
  EXPECT_EQ(KeyMessages(), expected);
  EXPECT_FALSE(Down(GetKeyState(VK_F8)));
  EXPECT_FALSE(Down(GetAsyncKeyState(VK_F8)));
}

TEST(InputConformance, KeyStatesOfKeysThatDoNotExistAreZero) {
  Host host;
  ASSERT_TRUE(host.Ready());
  EXPECT_EQ(GetAsyncKeyState(1000000), 0);
  EXPECT_EQ(GetAsyncKeyState(-1000000), 0);
}

// ---------------------------------------------------------------------------------------------
// CreateProcessW of programs that are not there.

DWORD CreateProcessError(LPCWSTR name) {
  PROCESS_INFORMATION info = {};
  // The desktop needs the start-up information; the device ignores it.
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  SetLastError(0);
  BOOL started = CreateProcessW(name, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
  EXPECT_FALSE(started);
  if (started) {
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  return GetLastError();
}

TEST(ProcessConformance, AProgramThatIsNotThereFailsWithTheErrorOfWhatIsMissing) {
  Host host;
  ASSERT_TRUE(host.Ready());
  const std::basic_string<WCHAR> missingProgram = Host::SystemFolder() + TEXT("\\no such program.exe");
  const std::basic_string<WCHAR> missingFolder = Host::SystemFolder() + TEXT("\\No Such Folder\\program.exe");
  EXPECT_EQ(CreateProcessError(missingProgram.c_str()), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(CreateProcessError(missingFolder.c_str()), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(CreateProcessError(TEXT("")), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

// ---------------------------------------------------------------------------------------------
// System metrics.

TEST(MetricsConformance, TheMetricsThatLayoutsReadExistAndFitTogether) {
  Host host;
  ASSERT_TRUE(host.Ready());
  const int indexes[] = {SM_CXSCREEN,  SM_CYSCREEN,  SM_CXICONSPACING, SM_CYICONSPACING, SM_CXSMICON,
                         SM_CYSMICON,  SM_CXBORDER,  SM_CYBORDER,      SM_CXVSCROLL,     SM_CYHSCROLL,
                         SM_CXICON,    SM_CYICON,    SM_CXEDGE,        SM_CYEDGE,        SM_CYCAPTION};
  for (int index : indexes) EXPECT_GT(GetSystemMetrics(index), 0) << "index " << index;
  EXPECT_LT(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CXICON));
  EXPECT_LT(GetSystemMetrics(SM_CYSMICON), GetSystemMetrics(SM_CYICON));
  EXPECT_GE(GetSystemMetrics(SM_CXICONSPACING), GetSystemMetrics(SM_CXICON));
  EXPECT_GE(GetSystemMetrics(SM_CYICONSPACING), GetSystemMetrics(SM_CYICON));
  EXPECT_LT(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(GetSystemMetrics(12345), 0);  // an index the system does not know
}

// ---------------------------------------------------------------------------------------------
// The default procedure and WM_CONTEXTMENU.

TEST(WindowConformance, TheDefaultProcedurePassesAChildsContextMenuToItsParent) {
  Host host;
  ASSERT_TRUE(host.Ready());
  HWND parent = host.ForegroundWindow();
  HWND child = host.ChildOf(parent);
  received.clear();
  SendMessageW(child, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child), MAKELPARAM(5, 6));
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].hwnd, child);
  EXPECT_EQ(received[1].hwnd, parent);
  EXPECT_EQ(received[1].wParam, reinterpret_cast<WPARAM>(child));
  EXPECT_EQ(received[1].lParam, MAKELPARAM(5, 6));
  received.clear();
  SendMessageW(parent, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(parent), MAKELPARAM(5, 6));
  EXPECT_EQ(received.size(), 1u);  // a top-level window's goes nowhere
}

}  // namespace
