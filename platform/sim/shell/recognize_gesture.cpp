// SHRecognizeGesture: follows the press of the stylus or of the action button that the calling
// control is handling, through the queued input, until the press ends, moves away or lasts long
// enough to ask for a context menu; then WM_CONTEXTMENU and GN_CONTEXTMENU as the flags say.
#include "core/clock.h"
#include "message/gesture.h"
#include "message/input.h"
#include "message/queue.h"
#include "sim/core.h"
#include "sim/dialog.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/shell.h"
#include "sim/window.h"

namespace {

using cesim::detail::InputEvent;

// How long a press lasts before it is a context-menu gesture: the device's OEM sets it; these are
// cesim's choices, both shorter than the gesture engine's hold.
constexpr DWORD kContextMenuDelay = 500;
constexpr DWORD kLongContextMenuDelay = 800;

enum class Press { Stylus, Key };

bool MovedAway(POINT a, POINT b) { return cesim::detail::PointDistance(a, b) >= cesim::detail::kPanDistance; }

bool Reached(DWORD time, DWORD deadline) { return static_cast<int32_t>(time - deadline) >= 0; }

enum class Outcome { Undecided, Ended, Held };

// What the queued input says about the press: it ends (released, moved away, another press)
// before the deadline, it lasts past it, or nothing queued says yet.
Outcome ReadQueuedInput(Press press, UINT key, POINT screen, DWORD deadline) {
  Outcome outcome = Outcome::Undecided;
  cesim::detail::VisitQueuedInput([&](const InputEvent& event) {
    bool stylus = event.kind == InputEvent::Kind::StylusDown || event.kind == InputEvent::Kind::StylusUp ||
                  event.kind == InputEvent::Kind::StylusMove;
    bool ours = press == Press::Stylus ? stylus
                                       : (event.kind == InputEvent::Kind::KeyDown ||
                                          event.kind == InputEvent::Kind::KeyUp) && event.vk == key;
    if (!ours) return true;
    if (Reached(event.time, deadline)) {
      outcome = Outcome::Held;
      return false;
    }
    if (event.kind == InputEvent::Kind::StylusMove && !MovedAway(event.pt, screen)) return true;
    if (event.kind == InputEvent::Kind::KeyDown) return true;  // the key repeats
    outcome = Outcome::Ended;
    return false;
  });
  return outcome;
}

// Follows the press; true when it lasted until the deadline. Input stays queued for the caller.
bool FollowPress(Press press, UINT key, POINT screen, DWORD deadline) {
  for (;;) {
    Outcome outcome = ReadQueuedInput(press, key, screen, deadline);
    if (outcome != Outcome::Undecided) return outcome == Outcome::Held;
    // Nothing queued ends the press: it goes on. The user may act meanwhile; else the time runs.
    if (Reached(cesim::detail::ClockNow(), deadline)) return true;
    if (cesim::detail::RunIdleAction()) continue;
    cesim::detail::SetClock(deadline);
  }
}

}  // namespace

DWORD WINAPI SHRecognizeGesture(SHRGINFO* shrg) {
  if (shrg == nullptr || shrg->cbSize != sizeof(SHRGINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  HWND client = shrg->hwndClient;
  if (!IsWindow(client)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  // The press being handled: the stylus, else the key that is down (the action button).
  Press press = Press::Stylus;
  UINT key = 0;
  if (!cesim::detail::KeyIsDown(VK_LBUTTON)) {
    key = cesim::detail::HeldKey();
    if (key == 0) return 0;
    press = Press::Key;
  }
  POINT screen = shrg->ptDown;
  ClientToScreen(client, &screen);
  // The press began when its message was sent, which is the message being handled.
  DWORD now = cesim::detail::ClockNow();
  DWORD start = static_cast<DWORD>(GetMessageTime());
  if (static_cast<int32_t>(now - start) < 0) start = now;
  DWORD delay = (shrg->dwFlags & SHRG_LONGDELAY) != 0 ? kLongContextMenuDelay : kContextMenuDelay;
  DWORD deadline = start + delay;
  if (!FollowPress(press, key, screen, deadline)) return 0;
  cesim::detail::SetClock(deadline);

  // The gesture: WM_CONTEXTMENU first (it goes up the parent chain while nobody handles it).
  DWORD flags = shrg->dwFlags;
  SendMessageW(client, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(client), MAKELPARAM(screen.x, screen.y));
  if ((flags & SHRG_RETURNCMD) != 0) return GN_CONTEXTMENU;
  if (!IsWindow(client)) return 0;
  NMRGINFO info = {};
  info.hdr.hwndFrom = client;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(client));
  info.hdr.code = GN_CONTEXTMENU;
  info.ptAction = screen;
  HWND receiver = (flags & SHRG_NOTIFYPARENT) != 0 ? GetParent(client) : client;
  if (receiver == nullptr) return 0;
  return static_cast<DWORD>(SendMessageW(receiver, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info)));
}
