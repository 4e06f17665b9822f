// Stylus and key input turned into messages at the moment they are taken from the queue, the two
// key states (the thread's behind GetKeyState, the physical one behind GetAsyncKeyState),
// keybd_event, and the characters that keys type.
#include "message/input.h"

#include <array>

#include "core/device.h"
#include "message/gesture.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/focus.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

// A key in the thread's state: down, and toggled (each press flips it; meaningful for the toggle
// keys such as VK_CAPITAL).
struct ThreadKey {
  bool down = false;
  bool toggled = false;
};

// A key's physical state: down, and pressed since GetAsyncKeyState last asked about it.
struct PhysicalKey {
  bool down = false;
  bool pressedSinceAsked = false;
};

// The last key press taken from the queue that typed a character of its own.
struct TypedKey {
  HWND hwnd = nullptr;
  UINT vk = 0;
  DWORD time = 0;
  char16_t character = 0;
};

struct InputState {
  std::array<ThreadKey, 256> thread{};
  std::array<PhysicalKey, 256> physical{};
  TypedKey typed;
  UINT heldKey = 0;
  int keyClicks = 0;
};

InputState& State() {
  static InputState state;
  return state;
}

bool IsKey(int vk) { return vk >= 0 && vk < 256; }

// The generic shift, control and menu keys follow their left and right keys.
void MirrorGenericKey(UINT vk) {
  auto& keys = State().thread;
  auto mirror = [&keys](UINT generic, UINT left, UINT right) {
    keys[generic].down = keys[left].down || keys[right].down;
  };
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) mirror(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) mirror(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
  if (vk == VK_LMENU || vk == VK_RMENU) mirror(VK_MENU, VK_LMENU, VK_RMENU);
}

void SetThreadKey(UINT vk, bool down) {
  if (!IsKey(static_cast<int>(vk))) return;
  InputState& state = State();
  ThreadKey& key = state.thread[vk];
  if (down && !key.down) key.toggled = !key.toggled;
  key.down = down;
  if (down) state.heldKey = vk;
  MirrorGenericKey(vk);
}

void SetPhysicalKey(UINT vk, bool down) {
  if (!IsKey(static_cast<int>(vk))) return;
  PhysicalKey& key = State().physical[vk];
  if (down) key.pressedSinceAsked = true;
  key.down = down;
}

POINT ScreenToClientOf(HWND hwnd, POINT pt) {
  ScreenToClient(hwnd, &pt);
  return pt;
}

bool ContainsScreenPoint(HWND hwnd, POINT pt) {
  RECT rect;
  return GetWindowRect(hwnd, &rect) && PtInRect(&rect, pt);
}

// The deepest visible, enabled child of `parent` under the point; parent itself when none.
HWND DeepestChild(HWND parent, POINT pt) {
  Window* w = FindWindowRecord(parent);
  if (w == nullptr) return nullptr;
  std::vector<HWND> children = w->children;
  for (HWND child : children) {
    Window* c = FindWindowRecord(child);
    if (c == nullptr || (c->style & WS_VISIBLE) == 0 || (c->style & WS_DISABLED) != 0) continue;
    if (ContainsScreenPoint(child, pt)) return DeepestChild(child, pt);
  }
  return parent;
}

bool IsStylusEvent(const InputEvent& event) {
  return event.kind == InputEvent::Kind::StylusDown || event.kind == InputEvent::Kind::StylusUp ||
         event.kind == InputEvent::Kind::StylusMove;
}

bool StylusMessage(const InputEvent& event, bool deliver, MSG* msg) {
  HWND target = StylusTarget(event.pt);
  if (target == nullptr) return false;
  HWND top = TopLevelOf(target);
  Window* t = FindWindowRecord(top);
  if (t == nullptr) return false;
  if (deliver) {
    if (event.kind == InputEvent::Kind::StylusDown) {
      SetThreadKey(VK_LBUTTON, true);
      // A tap on another top-level window activates it before the window sees the tap.
      if (top != ActiveWindow() && (t->exStyle & WS_EX_NOACTIVATE) == 0) {
        ActivateWindow(top, WA_CLICKACTIVE, true);
        if (FindWindowRecord(target) == nullptr) return false;
      }
    } else if (event.kind == InputEvent::Kind::StylusUp) {
      SetThreadKey(VK_LBUTTON, false);
    }
  }
  POINT client = ScreenToClientOf(target, event.pt);
  *msg = MSG();
  msg->hwnd = target;
  switch (event.kind) {
    case InputEvent::Kind::StylusDown:
      msg->message = WM_LBUTTONDOWN;
      msg->wParam = MK_LBUTTON;
      break;
    case InputEvent::Kind::StylusUp:
      msg->message = WM_LBUTTONUP;
      msg->wParam = 0;
      break;
    default:
      msg->message = WM_MOUSEMOVE;
      msg->wParam = KeyIsDown(VK_LBUTTON) ? MK_LBUTTON : 0;
      break;
  }
  msg->lParam = MAKELPARAM(client.x, client.y);
  msg->time = event.time;
  msg->pt = event.pt;
  return true;
}

// The lParam of a key message: repeat count 1, the scan code, the extended-key bit, the previous
// key state (down for a repeated press and always for a release) and the transition bit.
LPARAM KeyMessageLParam(const InputEvent& event, bool down, bool wasDown) {
  DWORD bits = 1 | (static_cast<DWORD>(event.scan) << 16);
  if ((event.keyFlags & KEYEVENTF_EXTENDEDKEY) != 0) bits |= 1u << 24;
  if (!down || wasDown) bits |= 1u << 30;
  if (!down) bits |= 1u << 31;
  return static_cast<LPARAM>(static_cast<LONG>(bits));
}

bool KeyMessage(const InputEvent& event, bool deliver, MSG* msg) {
  bool down = event.kind == InputEvent::Kind::KeyDown;
  bool wasDown = KeyIsDown(static_cast<int>(event.vk));
  if (deliver) SetThreadKey(event.vk, down);
  HWND target = FocusWindow();
  if (target == nullptr) target = ActiveWindow();
  if (FindWindowRecord(target) == nullptr) return false;
  *msg = MSG();
  msg->hwnd = target;
  msg->message = down ? WM_KEYDOWN : WM_KEYUP;
  msg->wParam = event.vk;
  msg->lParam = KeyMessageLParam(event, down, wasDown);
  msg->time = event.time;
  msg->pt = CursorPosition();
  if (deliver && down) {
    TypedKey& typed = State().typed;
    typed.hwnd = target;
    typed.vk = event.vk;
    typed.time = event.time;
    typed.character = event.character;
  }
  return true;
}

}  // namespace

bool MessageFromInput(const InputEvent& event, bool deliver, MSG* msg) {
  if (event.kind == InputEvent::Kind::Gesture) return GestureMessage(event, deliver, msg);
  return IsStylusEvent(event) ? StylusMessage(event, deliver, msg) : KeyMessage(event, deliver, msg);
}

void InputArrived(const InputEvent& event) {
  switch (event.kind) {
    case InputEvent::Kind::StylusDown:
      SetPhysicalKey(VK_LBUTTON, true);
      break;
    case InputEvent::Kind::StylusUp:
      SetPhysicalKey(VK_LBUTTON, false);
      break;
    case InputEvent::Kind::KeyDown:
      SetPhysicalKey(event.vk, true);
      if ((event.keyFlags & KEYEVENTF_SILENT) == 0) ++State().keyClicks;
      break;
    case InputEvent::Kind::KeyUp:
      SetPhysicalKey(event.vk, false);
      break;
    default:
      break;
  }
}

HWND WindowUnderPoint(POINT pt) {
  for (HWND top : TopLevelWindows()) {
    Window* t = FindWindowRecord(top);
    if (t == nullptr || (t->style & WS_VISIBLE) == 0) continue;
    if (!ContainsScreenPoint(top, pt)) continue;
    if ((t->style & WS_DISABLED) != 0) return top;
    return DeepestChild(top, pt);
  }
  return nullptr;
}

HWND StylusTarget(POINT pt) {
  HWND target = CaptureWindow();
  if (target == nullptr) target = WindowUnderPoint(pt);
  Window* w = FindWindowRecord(target);
  if (w == nullptr) return nullptr;
  // A disabled window takes no input; a tap on it is swallowed.
  Window* t = FindWindowRecord(TopLevelOf(target));
  if (t == nullptr || (w->style & WS_DISABLED) != 0 || (t->style & WS_DISABLED) != 0) return nullptr;
  return target;
}

char16_t CharacterOfKey(UINT vk) {
  bool shift = KeyIsDown(VK_SHIFT) || KeyIsDown(VK_LSHIFT) || KeyIsDown(VK_RSHIFT);
  if (vk >= 'A' && vk <= 'Z') return static_cast<char16_t>(shift ? vk : vk - 'A' + 'a');
  if (vk >= '0' && vk <= '9') return static_cast<char16_t>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<char16_t>('0' + (vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE: return u' ';
    case VK_RETURN: return u'\r';
    case VK_ESCAPE: return 0x1B;
    case VK_BACK: return 0x08;
    case VK_TAB: return u'\t';
    case VK_MULTIPLY: return u'*';
    case VK_ADD: return u'+';
    case VK_SUBTRACT: return u'-';
    case VK_DECIMAL: return u'.';
    case VK_DIVIDE: return u'/';
    default: return 0;
  }
}

char16_t CharacterOfKeyMessage(const MSG& msg) {
  const TypedKey& typed = State().typed;
  if (typed.character != 0 && typed.hwnd == msg.hwnd && typed.vk == msg.wParam && typed.time == msg.time) {
    return typed.character;
  }
  return CharacterOfKey(static_cast<UINT>(msg.wParam));
}

bool KeyIsDown(int vk) { return IsKey(vk) && State().thread[static_cast<size_t>(vk)].down; }

UINT HeldKey() {
  UINT vk = State().heldKey;
  return KeyIsDown(static_cast<int>(vk)) ? vk : 0;
}

int KeyClickCount() { return State().keyClicks; }

void ResetInput() { State() = InputState(); }

}  // namespace cesim::detail

using namespace cesim::detail;

SHORT WINAPI GetKeyState(int nVirtKey) {
  if (!IsKey(nVirtKey)) return 0;
  const ThreadKey& key = State().thread[static_cast<size_t>(nVirtKey)];
  // The key's state byte sign-extended, as the platform returns it: 0xFF80 when down.
  return static_cast<SHORT>((key.down ? 0xFF80 : 0) | (key.toggled ? 0x0001 : 0));
}

SHORT WINAPI GetAsyncKeyState(int vKey) {
  if (!IsKey(vKey)) return 0;
  ArriveDueInput();
  PhysicalKey& key = State().physical[static_cast<size_t>(vKey)];
  // The low bit is not valid on the device; an image that says so gets it set on every call.
  std::optional<std::string> lowBit = SettingValue("input", "asyncpressedbit");
  bool pressed = lowBit && *lowBit == "poison" ? true : key.pressedSinceAsked;
  key.pressedSinceAsked = false;
  return static_cast<SHORT>((key.down ? 0x8000 : 0) | (pressed ? 0x0001 : 0));
}

void WINAPI keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, DWORD dwExtraInfo) {
  (void)dwExtraInfo;  // the device reports it nowhere an application can read it
  // Only virtual keys 1 to 254 exist.
  if (bVk == 0 || bVk == 0xFF) return;
  InputEvent event;
  event.kind = (dwFlags & KEYEVENTF_KEYUP) != 0 ? InputEvent::Kind::KeyUp : InputEvent::Kind::KeyDown;
  event.vk = bVk;
  event.scan = bScan;
  event.keyFlags = dwFlags & (KEYEVENTF_EXTENDEDKEY | KEYEVENTF_SILENT);
  PostInput(event);
}
