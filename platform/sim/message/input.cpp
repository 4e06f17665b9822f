// Stylus and key input turned into messages at the moment they are taken from the queue, the
// key state behind GetKeyState, and the characters that keys type.
#include "message/input.h"

#include <array>

#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/focus.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

std::array<bool, 256>& KeysDown() {
  static std::array<bool, 256> keys{};
  return keys;
}

// The last key press taken from the queue that typed a character of its own.
struct TypedKey {
  HWND hwnd = nullptr;
  UINT vk = 0;
  DWORD time = 0;
  char16_t character = 0;
};

TypedKey& LastTypedKey() {
  static TypedKey typed;
  return typed;
}

void SetKeyDown(UINT vk, bool down) {
  if (vk < 256) KeysDown()[vk] = down;
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
  HWND target = CaptureWindow();
  if (target == nullptr) target = WindowUnderPoint(event.pt);
  Window* w = FindWindowRecord(target);
  if (w == nullptr) return false;
  // A disabled window takes no input; a tap on it is swallowed.
  HWND top = TopLevelOf(target);
  Window* t = FindWindowRecord(top);
  if (t == nullptr || (w->style & WS_DISABLED) != 0 || (t->style & WS_DISABLED) != 0) return false;
  if (deliver) {
    if (event.kind == InputEvent::Kind::StylusDown) {
      SetKeyDown(VK_LBUTTON, true);
      // A tap on another top-level window activates it before the window sees the tap.
      if (top != ActiveWindow() && (t->exStyle & WS_EX_NOACTIVATE) == 0) {
        ActivateWindow(top, WA_CLICKACTIVE, true);
        if (FindWindowRecord(target) == nullptr) return false;
      }
    } else if (event.kind == InputEvent::Kind::StylusUp) {
      SetKeyDown(VK_LBUTTON, false);
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

bool KeyMessage(const InputEvent& event, bool deliver, MSG* msg) {
  bool down = event.kind == InputEvent::Kind::KeyDown;
  if (deliver) SetKeyDown(event.vk, down);
  HWND target = FocusWindow();
  if (target == nullptr) target = ActiveWindow();
  if (FindWindowRecord(target) == nullptr) return false;
  *msg = MSG();
  msg->hwnd = target;
  msg->message = down ? WM_KEYDOWN : WM_KEYUP;
  msg->wParam = event.vk;
  // Repeat count 1; a release has the previous-state and transition bits set.
  msg->lParam = down ? 1 : static_cast<LPARAM>(static_cast<LONG>(0xC0000001));
  msg->time = event.time;
  msg->pt = CursorPosition();
  if (deliver && down) {
    TypedKey& typed = LastTypedKey();
    typed.hwnd = target;
    typed.vk = event.vk;
    typed.time = event.time;
    typed.character = event.character;
  }
  return true;
}

}  // namespace

bool MessageFromInput(const InputEvent& event, bool deliver, MSG* msg) {
  return IsStylusEvent(event) ? StylusMessage(event, deliver, msg) : KeyMessage(event, deliver, msg);
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
  const TypedKey& typed = LastTypedKey();
  if (typed.character != 0 && typed.hwnd == msg.hwnd && typed.vk == msg.wParam && typed.time == msg.time) {
    return typed.character;
  }
  return CharacterOfKey(static_cast<UINT>(msg.wParam));
}

bool KeyIsDown(int vk) { return vk >= 0 && vk < 256 && KeysDown()[static_cast<size_t>(vk)]; }

void ResetInput() {
  KeysDown().fill(false);
  LastTypedKey() = TypedKey();
}

}  // namespace cesim::detail

using namespace cesim::detail;

SHORT WINAPI GetKeyState(int nVirtKey) { return KeyIsDown(nVirtKey) ? static_cast<SHORT>(0x8000) : 0; }

SHORT WINAPI GetAsyncKeyState(int vKey) { return KeyIsDown(vKey) ? static_cast<SHORT>(0x8000) : 0; }
