// The conformance host on desktop Windows (run under Wine on a virtual X display): a clean
// desktop per test, the test's files in a temporary folder and its registry values in a key of
// its own, all taken away again at the end; the user's input as real input.
//
// Input goes through SendInput, not through posted messages. The tree view follows the mouse
// after WM_LBUTTONDOWN in a PeekMessage loop of its own (TREEVIEW_TrackMouse) until it sees the
// button come up, and asks GetMessagePos where the click was; posted messages would carry the
// cursor's position at the time of posting and bypass the input queue whose order and key state
// (GetKeyState of Shift for Shift+Tab, TranslateMessage's characters) a real user produces.
// SendInput queues hardware input exactly as the mouse and keyboard drivers do: the window under
// the cursor gets the button messages, the focus window of the foreground window the keys.
#include <stdio.h>

#include <deque>
#include <string>

#include "host.h"
#include "key_trees.h"

namespace conformance {

namespace {

Host* current = nullptr;

// When the last tap may have been made. Each test is a process of its own, but the window
// station that tells clicks from double clicks outlives it: the previous test's last tap, at the
// same point of the same layout, may have been a moment ago. So a process counts as having just
// tapped when it starts.
DWORD lastTapTime = GetTickCount();

const WCHAR kUserRoot[] = L"Software\\FoldwiseConformance";

Text Number(DWORD value) {
  WCHAR text[16];
  _snwprintf(text, 16, L"%lu", static_cast<unsigned long>(value));
  text[15] = 0;
  return text;
}

void DeleteFolderTree(const Text& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      Text name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      Text path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteFolderTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

// Absolute mouse coordinates are in 65536ths of the primary screen.
LONG Normalized(LONG pixel, int screen) { return static_cast<LONG>((pixel * 65536LL + screen - 1) / screen); }

// A press and release of the stylus at a screen point, as real input. The cursor is put there
// first as well: on a loaded X server the absolute move of the input can reach the window station
// after the press, which then lands where the cursor was.
void SendTapAt(POINT screen) {
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  inputs[0].mi.dx = Normalized(screen.x, GetSystemMetrics(SM_CXSCREEN));
  inputs[0].mi.dy = Normalized(screen.y, GetSystemMetrics(SM_CYSCREEN));
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  // The display server may still report an earlier position of the pointer back: the cursor
  // must be seen to stay at the point before the press goes.
  for (int attempt = 0; attempt < 20; ++attempt) {
    SetCursorPos(screen.x, screen.y);
    Sleep(10);
    POINT now = {};
    if (GetCursorPos(&now) && now.x == screen.x && now.y == screen.y) break;
  }
  SendInput(3, inputs, sizeof(INPUT));
}

void SendKey(UINT vk, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(vk);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(input));
}

// A file that the build made, at a path relative to this program's folder in the build tree (or
// to the folder that FOLDWISE_TEST_PROGRAM_FOLDER names, for a copy of the program run from
// elsewhere); false when it is missing or empty.
bool ReadBuiltFile(const std::string& relative, std::string* contents) {
  WCHAR self[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"FOLDWISE_TEST_PROGRAM_FOLDER", self, MAX_PATH);
  Text folder;
  if (length > 0 && length < MAX_PATH) {
    folder.assign(self, length);
    if (folder.back() != L'\\') folder += L'\\';
  } else {
    length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    folder.assign(self, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
  }
  for (char c : relative) folder += c == '/' ? L'\\' : static_cast<WCHAR>(c);
  HANDLE file = CreateFileW(folder.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  contents->clear();
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) contents->append(chunk, read);
  CloseHandle(file);
  return !contents->empty();
}

struct PendingValue {
  Text subkey;
  Text name;
  DWORD type;
  std::vector<BYTE> data;
};

struct PendingItem {
  Text path;
  bool folder;
  std::string contents;
  DWORD attributes;
};

}  // namespace

bool OnCesim() { return false; }

bool OnWine() {
  HMODULE ntdll = GetModuleHandleW(TEXT("ntdll.dll"));
  return ntdll != nullptr && GetProcAddressA(ntdll, "wine_get_version") != nullptr;
}

void FinishDrawing() { GdiFlush(); }

bool ReadLayeredAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags) {
  return GetLayeredWindowAttributes(window, key, alpha, flags) != FALSE;
}

struct Host::Platform {
  Text root;     // the test's folder, which stands for the device root
  Text userKey;  // the test's key below HKEY_CURRENT_USER
  std::vector<PendingItem> items;
  std::vector<PendingValue> values;
  std::vector<PendingValue> classValues;  // below HKEY_CLASSES_ROOT, default values only
  std::vector<Text> classes;
  HWND dialog = nullptr;
  int inIdleAction = 0;
  std::deque<std::function<void()>> idleActions;
  UINT_PTR idleTimer = 0;
  bool started = false;

  // The application's loop: everything queued is handled; the loop ends when nothing more came
  // for two short waits (input, sent messages and timers included).
  void Loop() {
    int quiet = 0;
    while (quiet < 2) {
      MSG msg;
      bool any = false;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        any = true;
        if (msg.message == WM_QUIT) {
          PostQuitMessage(static_cast<int>(msg.wParam));
          return;
        }
        Dispatch(&msg);
      }
      if (any) {
        quiet = 0;
        continue;
      }
      if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT) == WAIT_TIMEOUT) ++quiet;
    }
  }

  void Dispatch(MSG* msg) {
    if (dialog != nullptr && IsWindow(dialog) && IsDialogMessageW(dialog, msg)) return;
    TranslateMessage(msg);
    DispatchMessageW(msg);
  }

  void Act(const std::function<void()>& input) {
    input();
    if (inIdleAction == 0) Loop();
  }

  static void CALLBACK IdleTimer(HWND, UINT, UINT_PTR, DWORD);
  void ArmIdleTimer() {
    if (idleTimer == 0 && !idleActions.empty()) idleTimer = SetTimer(nullptr, 0, 1, &IdleTimer);
  }
};

// A thread timer stands for "the loop waits": timers come only when no other message is queued,
// in whichever loop runs (a modal dialog's too).
void CALLBACK Host::Platform::IdleTimer(HWND, UINT, UINT_PTR, DWORD) {
  Host* host = Host::Current();
  if (host == nullptr) return;
  Platform* p = host->platform_.get();
  KillTimer(nullptr, p->idleTimer);
  p->idleTimer = 0;
  if (p->idleActions.empty()) return;
  std::function<void()> action = std::move(p->idleActions.front());
  p->idleActions.pop_front();
  ++p->inIdleAction;
  action();
  --p->inIdleAction;
  p->ArmIdleTimer();
}

Host::Host() : platform_(std::make_unique<Platform>()) {
  current = this;
  WCHAR temp[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, temp);
  Text base = length > 0 && length < MAX_PATH ? Text(temp) : Text(L"C:\\");
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  platform_->root = base + L"\\foldwise-conformance-" + Number(GetCurrentProcessId());
  platform_->userKey = Text(kUserRoot) + L"\\" + Number(GetCurrentProcessId());
}

Host::~Host() {
  Platform& p = *platform_;
  if (p.idleTimer != 0) KillTimer(nullptr, p.idleTimer);
  p.idleActions.clear();
  ReleaseCapture();
  // Every window of this thread goes, owned pop-ups and dialogs included, then what they posted.
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    if (IsWindow(window)) DestroyWindow(window);
  }
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  for (const Text& name : p.classes) UnregisterClassW(name.c_str(), GetModuleHandleW(nullptr));
  if (p.started) {
    DeleteKeyTree(HKEY_CURRENT_USER, p.userKey);
    for (const PendingValue& value : p.classValues) DeleteKeyTree(HKEY_CLASSES_ROOT, value.subkey);
    DeleteFolderTree(p.root);
  }
  if (current == this) current = nullptr;
}

Host* Host::Current() { return current; }

void Host::AddFolder(const Text& path, DWORD attributes) {
  platform_->items.push_back(PendingItem{path, true, std::string(), attributes});
}

void Host::AddFile(const Text& path, const std::string& contents) {
  platform_->items.push_back(PendingItem{path, false, contents, 0});
}

bool Host::AddSampleProgram(const Text& path, const std::string& name) {
  std::string contents;
  if (!ReadBuiltFile(FOLDWISE_CONFORMANCE_PROGRAMS "/" + name, &contents)) return false;
  AddFile(path, contents);
  return true;
}

bool Host::AddModule(const Text& path, const std::string& builtFile) {
  std::string contents;
  if (!ReadBuiltFile(builtFile, &contents)) return false;
  AddFile(path, contents);
  return true;
}

void Host::SetUserString(const Text& subkey, const Text& name, const Text& value) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(value.c_str());
  platform_->values.push_back(
      PendingValue{subkey, name, REG_SZ, std::vector<BYTE>(bytes, bytes + (value.size() + 1) * sizeof(WCHAR))});
}

void Host::SetUserDword(const Text& subkey, const Text& name, DWORD value) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
  platform_->values.push_back(PendingValue{subkey, name, REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof(value))});
}

void Host::SetUserBinary(const Text& subkey, const Text& name, const std::vector<BYTE>& data) {
  platform_->values.push_back(PendingValue{subkey, name, REG_BINARY, data});
}

void Host::SetClassesDefault(const Text& subkey, const Text& value) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(value.c_str());
  platform_->classValues.push_back(
      PendingValue{subkey, Text(), REG_SZ, std::vector<BYTE>(bytes, bytes + (value.size() + 1) * sizeof(WCHAR))});
}

Text Host::ClassName(const Text& name) const { return name + Number(GetCurrentProcessId()); }

bool Host::Start() {
  Platform& p = *platform_;
  DeleteFolderTree(p.root);
  DeleteKeyTree(HKEY_CURRENT_USER, p.userKey);
  p.started = true;
  if (!CreateDirectoryW(p.root.c_str(), nullptr)) return false;
  for (const PendingItem& item : p.items) {
    // Parent folders first, one level at a time.
    for (size_t at = item.path.find(L'\\', 1); at != Text::npos; at = item.path.find(L'\\', at + 1)) {
      CreateDirectoryW(Path(item.path.substr(0, at)).c_str(), nullptr);
    }
    Text path = Path(item.path);
    if (item.folder) {
      CreateDirectoryW(path.c_str(), nullptr);
    } else {
      HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file == INVALID_HANDLE_VALUE) return false;
      DWORD written = 0;
      WriteFile(file, item.contents.data(), static_cast<DWORD>(item.contents.size()), &written, nullptr);
      CloseHandle(file);
    }
    if (item.attributes != 0) SetFileAttributesW(path.c_str(), item.attributes);
  }
  for (const PendingValue& value : p.values) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, UserKey(value.subkey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      return false;
    }
    RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
  }
  for (const PendingValue& value : p.classValues) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, value.subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      return false;
    }
    RegSetValueExW(key, nullptr, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
  }
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
  return InitCommonControlsEx(&controls) != FALSE;
}

Text Host::Path(const Text& devicePath) const {
  if (devicePath == L"\\") return platform_->root;
  return platform_->root + devicePath;
}

Text Host::UserKey(const Text& subkey) const {
  return subkey.empty() ? platform_->userKey : platform_->userKey + L"\\" + subkey;
}

void Host::RegisterWindowClass(const Text& name, WNDPROC procedure, int windowExtraBytes) {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = procedure;
  cls.cbWndExtra = windowExtraBytes;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  cls.lpszClassName = name.c_str();
  if (RegisterClassW(&cls) == 0) {
    fprintf(stderr, "conformance: RegisterClassW failed (%lu)\n", static_cast<unsigned long>(GetLastError()));
    return;
  }
  platform_->classes.push_back(name);
}

HINSTANCE Host::Instance() const { return GetModuleHandleW(nullptr); }

void Host::Tap(HWND window, POINT client) {
  // A handheld's taps are never double clicks: a tap soon after the last one waits until the
  // double-click time has passed (in the application's loop, so that timers still fire).
  DWORD since = GetTickCount() - lastTapTime;
  DWORD doubleClick = GetDoubleClickTime() + 50;
  if (since < doubleClick && platform_->inIdleAction == 0) AdvanceTime(doubleClick - since);
  platform_->Act([window, client] {
    POINT screen = client;
    ClientToScreen(window, &screen);
    SendTapAt(screen);
  });
  lastTapTime = GetTickCount();
}

void Host::PressKey(UINT vk) {
  platform_->Act([vk] {
    SendKey(vk, true);
    SendKey(vk, false);
  });
}

void Host::PressShiftedKey(UINT vk) {
  platform_->Act([vk] {
    SendKey(VK_SHIFT, true);
    SendKey(vk, true);
    SendKey(vk, false);
    SendKey(VK_SHIFT, false);
  });
}

void Host::TapMenuItem(HMENU menu, UINT position) {
  platform_->Act([menu, position] {
    // A shown pop-up menu knows its own window: no window is needed for its items' rectangles.
    RECT item;
    if (!GetMenuItemRect(nullptr, menu, position, &item)) {
      fprintf(stderr, "conformance: no open menu shows item %u of %p\n", position, static_cast<void*>(menu));
      return;
    }
    SendTapAt(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    // The input reaches the queue through the display server; the menu loop must see the tap
    // before the next queued action runs (which may tap into the submenu this one opens).
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 500, QS_MOUSEBUTTON);
  });
}

void Host::Activate(HWND window) {
  platform_->Act([window] {
    HWND top = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(top);
  });
}

void Host::Pump() { platform_->Loop(); }

void Host::UseDialogMessage(HWND dialog) { platform_->dialog = dialog; }

void Host::AdvanceTime(DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    DWORD left = milliseconds - (GetTickCount() - start);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) platform_->Dispatch(&msg);
  }
  platform_->Loop();
}

void Host::WhenIdle(std::function<void()> action) {
  platform_->idleActions.push_back(std::move(action));
  platform_->ArmIdleTimer();
}

}  // namespace conformance
