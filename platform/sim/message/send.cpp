// Sending messages (synchronous calls of the window procedure, nested as deep as procedures
// nest them), calling a previous procedure, dispatching queued messages (a gesture's handle valid
// for the dispatch), and translating key presses into characters.
#include <cstdio>

#include "core/clock.h"
#include "message/gesture.h"
#include "message/input.h"
#include "message/queue.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/table.h"

using namespace cesim::detail;

namespace {

// A procedure that sends to itself without end would overflow the stack; the device would
// crash, cesim stops the chain and says so.
constexpr int kMaxSendDepth = 1000;
int sendDepth = 0;

LRESULT CallProcedure(WNDPROC proc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (proc == nullptr) return 0;
  if (sendDepth >= kMaxSendDepth) {
    std::fprintf(stderr, "cesim: messages nested %d deep; message 0x%04x not delivered\n", sendDepth, Msg);
    return 0;
  }
  ++sendDepth;
  LRESULT result = proc(hWnd, Msg, wParam, lParam);
  --sendDepth;
  return result;
}

}  // namespace

LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd == HWND_BROADCAST) {
    for (HWND top : TopLevelWindows()) {
      Window* w = FindWindowRecord(top);
      if (w != nullptr) CallProcedure(w->proc, top, Msg, wParam, lParam);
    }
    return 0;
  }
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || hWnd == DesktopHandle()) return 0;
  return CallProcedure(w->proc, hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return CallProcedure(lpPrevWndFunc, hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI DispatchMessageW(const MSG* lpMsg) {
  if (lpMsg == nullptr) return 0;
  if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
    // A timer with a procedure of its own calls it instead of the window procedure.
    TIMERPROC proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
    if (lpMsg->hwnd != nullptr && FindWindowRecord(lpMsg->hwnd) == nullptr) return 0;
    proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, ClockNow());
    return 0;
  }
  if (lpMsg->hwnd == nullptr) return 0;
  // A message posted to a window that has gone since stays in the queue and goes nowhere.
  Window* w = WindowOrFail(lpMsg->hwnd);
  if (w == nullptr) {
    // A gesture whose window has gone is over; its handle goes with it.
    if (BeginGestureDispatch(*lpMsg)) EndGestureDispatch(*lpMsg);
    return 0;
  }
  // A gesture's details can be asked for while its message is being dispatched, and not after.
  const bool gesture = BeginGestureDispatch(*lpMsg);
  LRESULT result = CallProcedure(w->proc, lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
  if (gesture) EndGestureDispatch(*lpMsg);
  return result;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
  if (lpMsg == nullptr || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN)) return FALSE;
  char16_t character = CharacterOfKeyMessage(*lpMsg);
  if (character == 0) return FALSE;
  // The character comes next out of the queue, ahead of anything posted meanwhile.
  MSG charMsg = *lpMsg;
  charMsg.message = lpMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  charMsg.wParam = character;
  PostAheadOfQueue(charMsg);
  return TRUE;
}
