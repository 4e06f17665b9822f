// The conformance host on cesim: a fresh device per test, booted from an image that holds the
// test's files and registry values; the user's input through cesim's automation, handled by a
// message loop of our own built from the platform's calls.
//
// cesim's automation pumps its own queue after each action, without IsDialogMessageW. So that
// the application's loop here is the one the test asks for, every action is queued as an idle
// action: GetMessageW runs it when the queue is empty, the action only queues its input (inside
// a wait, automation does not pump), and this loop takes the messages it caused.
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "host.h"

namespace conformance {

namespace {

Host* current = nullptr;

std::string Quoted(const Text& text) {
  std::string out = "\"";
  for (char c : cesim::Narrow(text)) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string Hex(const BYTE* data, size_t size) {
  std::string out;
  char byte[4];
  for (size_t i = 0; i < size; ++i) {
    std::snprintf(byte, sizeof byte, "%02x", data[i]);
    if (i > 0) out += ',';
    out += byte;
  }
  return out;
}

const char16_t kUserRoot[] = u"Software\\Conformance";

// A value's name in REGEDIT4 text: "@" for the key's default value.
std::string ValueName(const Text& name) { return name.empty() ? std::string("@") : Quoted(name); }

}  // namespace

bool OnCesim() { return true; }

bool OnWine() { return false; }

void FinishDrawing() {}

bool ReadLayeredAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags) {
  std::optional<cesim::LayeredAttributes> attributes = cesim::ReadLayeredAttributes(window);
  if (!attributes) return false;
  *key = attributes->key;
  *alpha = attributes->alpha;
  *flags = attributes->flags;
  return true;
}

struct Host::Platform {
  cesim::ImageBuilder image;
  HWND dialog = nullptr;
  int inIdleAction = 0;

  // The application's loop: messages until the queue is empty, then the idle actions that
  // automation still holds, each of which may queue more.
  void Loop() {
    for (;;) {
      MSG msg;
      if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        Dispatch(msg);
        continue;
      }
      if (cesim::PendingIdleActions() == 0) return;
      if (!GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      Dispatch(msg);
    }
  }

  void Dispatch(const MSG& msg) {
    if (msg.hwnd == nullptr && msg.message == WM_NULL) return;  // the end of an action
    if (dialog != nullptr && IsWindow(dialog) && IsDialogMessageW(dialog, const_cast<MSG*>(&msg))) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }

  // Runs one user action inside the loop's wait; a thread message after it makes sure the wait
  // ends even when the action caused no message at all.
  void Act(std::function<void()> action) {
    if (inIdleAction > 0) {
      action();
      return;
    }
    cesim::WhenIdle([this, action] {
      ++inIdleAction;
      action();
      --inIdleAction;
    });
    cesim::WhenIdle([] { PostMessageW(nullptr, WM_NULL, 0, 0); });
    Loop();
  }
};

Host::Host() : platform_(std::make_unique<Platform>()) { current = this; }

Host::~Host() {
  if (cesim::IsBooted()) cesim::Shutdown();
  if (current == this) current = nullptr;
}

Host* Host::Current() { return current; }

void Host::AddFolder(const Text& path, DWORD attributes) { platform_->image.AddFolder(path, attributes); }

void Host::AddFile(const Text& path, const std::string& contents) { platform_->image.AddFile(path, contents); }

bool Host::AddSampleProgram(const Text& path, const std::string& name) {
  std::ifstream in(std::string(FOLDWISE_PROGRAMS_DIR) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  if (bytes.str().empty()) return false;
  AddFile(path, bytes.str());
  return true;
}

bool Host::AddModule(const Text& path, const std::string& builtFile) {
  if (!std::ifstream(builtFile, std::ios::binary)) return false;
  platform_->image.AddModule(path, builtFile);
  return true;
}

void Host::SetUserString(const Text& subkey, const Text& name, const Text& value) {
  platform_->image.AddRegistry("[HKEY_CURRENT_USER\\" + cesim::Narrow(UserKey(subkey)) + "]\n" + ValueName(name) + "=" +
                               Quoted(value) + "\n");
}

void Host::SetClassesDefault(const Text& subkey, const Text& value) {
  platform_->image.AddRegistry("[HKEY_CLASSES_ROOT\\" + cesim::Narrow(subkey) + "]\n@=" + Quoted(value) + "\n");
}

Text Host::ClassName(const Text& name) const { return name; }

void Host::SetUserDword(const Text& subkey, const Text& name, DWORD value) {
  char number[16];
  std::snprintf(number, sizeof number, "%08x", static_cast<unsigned>(value));
  platform_->image.AddRegistry("[HKEY_CURRENT_USER\\" + cesim::Narrow(UserKey(subkey)) + "]\n" + ValueName(name) +
                               "=dword:" + number + "\n");
}

void Host::SetUserBinary(const Text& subkey, const Text& name, const std::vector<BYTE>& data) {
  platform_->image.AddRegistry("[HKEY_CURRENT_USER\\" + cesim::Narrow(UserKey(subkey)) + "]\n" + ValueName(name) +
                               "=hex:" + Hex(data.data(), data.size()) + "\n");
}

bool Host::Start() {
  platform_->image.AddFolder(u"\\Windows");
  // The test's files lie in the object store, described as a file system that ignores a
  // folder-only search as the desktop's does: the same expectations hold on both platforms.
  platform_->image.AddVolume(u"\\", 64u << 20, 128u << 20, /*filtersFolders=*/false);
  if (!cesim::Boot(platform_->image.Write())) return false;
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
  return InitCommonControlsEx(&controls) != FALSE;
}

Text Host::Path(const Text& devicePath) const { return devicePath; }

Text Host::UserKey(const Text& subkey) const {
  return subkey.empty() ? Text(kUserRoot) : Text(kUserRoot) + u"\\" + subkey;
}

void Host::RegisterWindowClass(const Text& name, WNDPROC procedure, int windowExtraBytes) {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = procedure;
  cls.cbWndExtra = windowExtraBytes;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = name.c_str();
  if (RegisterClassW(&cls) == 0) std::fprintf(stderr, "conformance: RegisterClassW failed\n");
}

HINSTANCE Host::Instance() const { return nullptr; }

void Host::Tap(HWND window, POINT client) {
  platform_->Act([window, client] { cesim::TapClient(window, client); });
}

void Host::PressKey(UINT vk) {
  platform_->Act([vk] { cesim::PressKey(vk); });
}

void Host::PressShiftedKey(UINT vk) {
  platform_->Act([vk] {
    cesim::KeyDown(VK_SHIFT);
    cesim::PressKey(vk);
    cesim::KeyUp(VK_SHIFT);
  });
}

void Host::TapMenuItem(HMENU menu, UINT position) {
  platform_->Act([menu, position] {
    for (const cesim::OpenMenu& open : cesim::OpenMenus()) {
      if (open.menu != menu || position >= open.itemRects.size()) continue;
      const RECT& item = open.itemRects[position];
      cesim::Tap(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
      return;
    }
    std::fprintf(stderr, "conformance: no open menu shows item %u of %p\n", position, static_cast<void*>(menu));
  });
}

void Host::Activate(HWND window) {
  platform_->Act([window] { cesim::Activate(window); });
}

void Host::Pump() { platform_->Loop(); }

void Host::UseDialogMessage(HWND dialog) { platform_->dialog = dialog; }

void Host::AdvanceTime(DWORD milliseconds) {
  // One millisecond at a time, inside the loop's wait: the loop takes each timer that falls due.
  for (DWORD step = 0; step < milliseconds; ++step) {
    platform_->Act([] { cesim::AdvanceClock(1); });
  }
}

void Host::WhenIdle(std::function<void()> action) {
  Platform* platform = platform_.get();
  cesim::WhenIdle([platform, action] {
    ++platform->inIdleAction;
    action();
    --platform->inIdleAction;
  });
}

}  // namespace conformance
