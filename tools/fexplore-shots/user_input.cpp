// SendInput with one event per call and a short pause after each, so that a program that reads
// its input slowly under a loaded machine still gets every key in order.
#include "user_input.h"

namespace shots {
namespace {

const DWORD kAfterEvent = 30;

void Send(INPUT input) {
  SendInput(1, &input, sizeof(input));
  Sleep(kAfterEvent);
}

void KeyEvent(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  Send(input);
}

// A mouse event at a screen point, in SendInput's absolute units over the primary screen.
void MouseEvent(POINT screen, DWORD flags) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65535 + width / 2) / (width > 1 ? width - 1 : 1));
  input.mi.dy = static_cast<LONG>((screen.y * 65535 + height / 2) / (height > 1 ? height - 1 : 1));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  Send(input);
}

void Click(POINT screen, DWORD down, DWORD up) {
  // The display server may report an earlier place of the pointer back for a while: the cursor
  // must be seen at the point before the button goes down, or the press lands where it was.
  for (int attempt = 0; attempt < 20; ++attempt) {
    SetCursorPos(screen.x, screen.y);
    Sleep(10);
    POINT now = {};
    if (GetCursorPos(&now) && now.x == screen.x && now.y == screen.y) break;
  }
  MouseEvent(screen, MOUSEEVENTF_MOVE);
  MouseEvent(screen, down);
  MouseEvent(screen, up);
}

}  // namespace

void PressKey(WORD key, int times) {
  for (int i = 0; i < times; ++i) {
    KeyEvent(key, false);
    KeyEvent(key, true);
  }
}

void PressKeyWith(WORD modifier, WORD key) {
  KeyEvent(modifier, false);
  PressKey(key);
  KeyEvent(modifier, true);
}

void TypeText(const std::wstring& text) {
  for (wchar_t character : text) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = character;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    Send(input);
    input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    Send(input);
  }
}

void Tap(POINT screen) { Click(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void RightClick(POINT screen) { Click(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(20);
  }
  return true;
}

void Settle(DWORD milliseconds) { Sleep(milliseconds); }

}  // namespace shots
