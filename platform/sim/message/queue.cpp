// The message queue: posting, taking messages out in the device's order, WM_QUIT, input that
// arrives at its time, timers on the virtual clock, and the idle moments in which automation acts.
#include "message/queue.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <vector>

#include "core/clock.h"
#include "message/gesture.h"
#include "message/input.h"
#include "sim/core.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  DWORD due = 0;
  bool firedAtDue = false;  // fired at the clock time `due` already (a zero interval timer)
};

// An input event in the queue; `arrived` once the clock has reached it and the device's input
// state (the keys' physical state, the stylus position) has taken it in.
struct QueuedInput {
  InputEvent event;
  bool arrived = false;
};

struct Queue {
  std::deque<MSG> posted;
  std::deque<QueuedInput> input;  // in arrival order
  uint64_t nextInputId = 0;
  bool quit = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  UINT_PTR nextThreadTimerId = 1;
  POINT cursor = {0, 0};
  DWORD lastPos = 0;
  LONG lastTime = 0;
  std::deque<std::function<void()>> idleActions;
  int inIdleAction = 0;
  int stalls = 0;
};

Queue& State() {
  static Queue queue;
  return queue;
}

DWORD PackPoint(POINT pt) {
  return static_cast<DWORD>(static_cast<WORD>(pt.x)) | (static_cast<DWORD>(static_cast<WORD>(pt.y)) << 16);
}

bool InRange(UINT message, UINT first, UINT last) {
  if (first == 0 && last == 0) return true;
  return message >= first && message <= last;
}

bool ForWindow(HWND target, HWND filter) {
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) return target == nullptr;
  return target == filter || (target != nullptr && IsSelfOrDescendant(filter, target));
}

bool TimerIsDue(const Timer& timer, DWORD now) {
  if (static_cast<int32_t>(now - timer.due) < 0) return false;
  return !(timer.firedAtDue && now == timer.due);
}

void Remember(const MSG& msg) {
  Queue& q = State();
  q.lastPos = PackPoint(msg.pt);
  q.lastTime = static_cast<LONG>(msg.time);
}

bool TakePosted(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
  Queue& q = State();
  for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
    if (!ForWindow(it->hwnd, filter) || !InRange(it->message, first, last)) continue;
    *msg = *it;
    if (remove) q.posted.erase(it);
    return true;
  }
  return false;
}

bool TakeQuit(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
  Queue& q = State();
  if (!q.quit || !InRange(WM_QUIT, first, last) || (filter != nullptr && filter != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)))) {
    return false;
  }
  *msg = MSG();
  msg->message = WM_QUIT;
  msg->wParam = static_cast<WPARAM>(q.quitCode);
  msg->time = ClockNow();
  msg->pt = q.cursor;
  if (remove) q.quit = false;
  return true;
}

bool IsStylus(const InputEvent& event) {
  return event.kind == InputEvent::Kind::StylusDown || event.kind == InputEvent::Kind::StylusUp ||
         event.kind == InputEvent::Kind::StylusMove;
}

bool HasArrived(const InputEvent& event, DWORD now) { return static_cast<int32_t>(now - event.time) >= 0; }

bool TakeInput(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
  Queue& q = State();
  size_t index = 0;
  while (index < q.input.size()) {
    if (!q.input[index].arrived) break;
    InputEvent event = q.input[index].event;
    MSG candidate;
    if (!MessageFromInput(event, false, &candidate)) {
      // Nothing would receive it: the event is gone, as a tap on nothing is.
      if (remove) {
        q.input.erase(q.input.begin() + static_cast<std::ptrdiff_t>(index));
        MessageFromInput(event, true, &candidate);
        continue;
      }
      ++index;
      continue;
    }
    if (!ForWindow(candidate.hwnd, filter) || !InRange(candidate.message, first, last)) {
      ++index;
      continue;
    }
    if (!remove) {
      *msg = candidate;
      return true;
    }
    q.input.erase(q.input.begin() + static_cast<std::ptrdiff_t>(index));
    // Delivering can activate windows and send messages; the event may lose its target.
    if (MessageFromInput(event, true, msg)) return true;
    index = 0;
  }
  return false;
}

bool TakeTimer(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
  Queue& q = State();
  if (!InRange(WM_TIMER, first, last)) return false;
  DWORD now = ClockNow();
  for (Timer& timer : q.timers) {
    if (!TimerIsDue(timer, now) || !ForWindow(timer.hwnd, filter)) continue;
    *msg = MSG();
    msg->hwnd = timer.hwnd;
    msg->message = WM_TIMER;
    msg->wParam = timer.id;
    msg->lParam = reinterpret_cast<LPARAM>(timer.proc);
    msg->time = now;
    msg->pt = q.cursor;
    if (remove) {
      // The next period starts now: a late timer does not fire twice to catch up.
      timer.due = now + timer.elapse;
      timer.firedAtDue = timer.elapse == 0;
    }
    return true;
  }
  return false;
}

void PostTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Queue& q = State();
  MSG msg;
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = ClockNow();
  msg.pt = q.cursor;
  q.posted.push_back(msg);
}

// The arrival time of the next input that has not arrived, or the time of a timer that falls due
// before it: the next moment at which a wait for that input makes progress.
DWORD NextArrivalOrTimer() {
  Queue& q = State();
  DWORD now = ClockNow();
  DWORD target = now;
  for (const QueuedInput& queued : q.input) {
    if (queued.arrived) continue;
    target = queued.event.time;
    break;
  }
  for (const Timer& timer : q.timers) {
    DWORD when = timer.firedAtDue ? timer.due + 1 : timer.due;
    if (static_cast<int32_t>(when - now) > 0 && static_cast<int32_t>(when - target) < 0) target = when;
  }
  return target;
}

}  // namespace

// Takes in the input that has arrived by now, in order: the keys' physical state and the stylus
// position follow the hardware, before any message says so.
void ArriveDueInput() {
  Queue& q = State();
  DWORD now = ClockNow();
  for (QueuedInput& queued : q.input) {
    if (!HasArrived(queued.event, now)) break;
    if (queued.arrived) continue;
    queued.arrived = true;
    if (IsStylus(queued.event)) q.cursor = queued.event.pt;
    InputArrived(queued.event);
  }
}

uint64_t PostInput(InputEvent event) { return PostInputAt(event, ClockNow()); }

uint64_t PostInputAt(InputEvent event, DWORD time) {
  Queue& q = State();
  DWORD now = ClockNow();
  event.time = static_cast<int32_t>(time - now) > 0 ? time : now;
  event.id = ++q.nextInputId;
  // The gesture engine sees the stylus first: its gestures come before the stylus messages.
  if (IsStylus(event)) RecognizeGestures(event);
  // After everything that arrives at the same time or earlier.
  auto at = q.input.end();
  while (at != q.input.begin() && static_cast<int32_t>(std::prev(at)->event.time - event.time) > 0) --at;
  q.input.insert(at, QueuedInput{event, false});
  ArriveDueInput();
  return event.id;
}

bool CancelInput(uint64_t id) {
  auto& input = State().input;
  auto it = std::find_if(input.begin(), input.end(), [id](const QueuedInput& q) { return q.event.id == id; });
  if (it == input.end() || it->arrived) return false;
  input.erase(it);
  return true;
}

void VisitQueuedInput(const std::function<bool(const InputEvent&)>& visit) {
  // A copy: the visitor may queue or cancel input.
  std::deque<QueuedInput> input = State().input;
  for (const QueuedInput& queued : input) {
    if (!visit(queued.event)) return;
  }
}

POINT CursorPosition() {
  ArriveDueInput();
  return State().cursor;
}

void PostAheadOfQueue(const MSG& msg) { State().posted.push_front(msg); }

bool QueueIsIdle() {
  ArriveDueInput();
  Queue& q = State();
  if (!q.posted.empty() || q.quit || (!q.input.empty() && q.input.front().arrived)) return false;
  DWORD now = ClockNow();
  return std::none_of(q.timers.begin(), q.timers.end(), [now](const Timer& t) { return TimerIsDue(t, now); });
}

bool RetrieveMessage(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
  ArriveDueInput();
  bool found = TakePosted(msg, filter, first, last, remove) || TakeQuit(msg, filter, first, last, remove) ||
               TakeInput(msg, filter, first, last, remove) || TakeTimer(msg, filter, first, last, remove);
  if (found) Remember(*msg);
  return found;
}

void AddIdleAction(std::function<void()> action) { State().idleActions.push_back(std::move(action)); }

void AddIdleActionFirst(std::function<void()> action) { State().idleActions.push_front(std::move(action)); }

bool RunIdleAction() {
  Queue& q = State();
  if (q.idleActions.empty()) return false;
  std::function<void()> action = std::move(q.idleActions.front());
  q.idleActions.pop_front();
  ++State().inIdleAction;
  action();
  --State().inIdleAction;
  return true;
}

bool InIdleAction() { return State().inIdleAction > 0; }

size_t PendingIdleActions() { return State().idleActions.size(); }

bool WaitForInput() {
  // Input already on its way (a stylus still held) arrives first, timers due before it on the way.
  Queue& q = State();
  if (!q.input.empty() && !q.input.back().arrived) {
    SetClock(NextArrivalOrTimer());
    ArriveDueInput();
    return true;
  }
  if (RunIdleAction()) return true;
  ++State().stalls;
  std::fprintf(stderr, "cesim: a message loop waits for input and automation has nothing left to do\n");
  return false;
}

int StallCount() { return State().stalls; }

void RemoveTimersOf(HWND hwnd) {
  auto& timers = State().timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(), [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
               timers.end());
}

bool NextDueTime(DWORD* due) {
  Queue& q = State();
  DWORD now = ClockNow();
  bool any = false;
  DWORD best = 0;
  for (const QueuedInput& queued : q.input) {
    if (queued.arrived) continue;
    best = queued.event.time;
    any = true;
    break;
  }
  for (const Timer& timer : q.timers) {
    // A zero-interval timer that fired at this instant falls due again a moment later.
    DWORD when = timer.firedAtDue ? timer.due + 1 : timer.due;
    if (static_cast<int32_t>(when - now) < 0) when = now;
    if (!any || static_cast<int32_t>(when - best) < 0) {
      best = when;
      any = true;
    }
  }
  if (any) *due = best;
  return any;
}

void ResetMessageQueue() {
  Queue& q = State();
  // Actions queued by automation for a device that is gone do not carry over, nor do gestures.
  q = Queue();
  ResetGestures();
}

}  // namespace cesim::detail

using namespace cesim::detail;

BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd == HWND_BROADCAST) {
    for (HWND top : TopLevelWindows()) PostTo(top, Msg, wParam, lParam);
    return TRUE;
  }
  if (hWnd != nullptr && WindowOrFail(hWnd) == nullptr) return FALSE;
  PostTo(hWnd, Msg, wParam, lParam);
  return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
  Queue& q = State();
  q.quit = true;
  q.quitCode = nExitCode;
}

BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (lpMsg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hWnd != nullptr && hWnd != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) && WindowOrFail(hWnd) == nullptr) {
    return FALSE;
  }
  return RetrieveMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (lpMsg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (hWnd != nullptr && hWnd != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) && WindowOrFail(hWnd) == nullptr) {
    return -1;
  }
  for (;;) {
    if (RetrieveMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) {
      return lpMsg->message == WM_QUIT ? FALSE : TRUE;
    }
    // The device would wait for the user here; automation acts in these moments.
    if (WaitForInput()) continue;
    // Nothing will ever come: the loop ends as if WM_QUIT had arrived.
    Queue& q = State();
    *lpMsg = MSG();
    lpMsg->message = WM_QUIT;
    lpMsg->time = ClockNow();
    lpMsg->pt = q.cursor;
    Remember(*lpMsg);
    return FALSE;
  }
}

DWORD WINAPI GetMessagePos(void) { return State().lastPos; }

LONG WINAPI GetMessageTime(void) { return State().lastTime; }

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
  if (hWnd != nullptr && WindowOrFail(hWnd) == nullptr) return 0;
  Queue& q = State();
  if (hWnd == nullptr) {
    // A thread timer gets an identifier of its own unless it replaces one (nIDEvent).
    bool replaces = false;
    for (const Timer& t : q.timers) replaces = replaces || (t.hwnd == nullptr && t.id == nIDEvent && nIDEvent != 0);
    if (!replaces) nIDEvent = q.nextThreadTimerId++;
  }
  for (Timer& timer : q.timers) {
    if (timer.hwnd == hWnd && timer.id == nIDEvent) {
      timer.elapse = uElapse;
      timer.proc = lpTimerFunc;
      timer.due = ClockNow() + uElapse;
      timer.firedAtDue = false;
      return hWnd == nullptr ? nIDEvent : (nIDEvent != 0 ? nIDEvent : 1);
    }
  }
  Timer timer;
  timer.hwnd = hWnd;
  timer.id = nIDEvent;
  timer.elapse = uElapse;
  timer.proc = lpTimerFunc;
  timer.due = ClockNow() + uElapse;
  q.timers.push_back(timer);
  return hWnd == nullptr ? nIDEvent : (nIDEvent != 0 ? nIDEvent : 1);
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
  auto& timers = State().timers;
  auto it = std::find_if(timers.begin(), timers.end(),
                         [hWnd, uIDEvent](const Timer& t) { return t.hwnd == hWnd && t.id == uIDEvent; });
  if (it == timers.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  timers.erase(it);
  // A WM_TIMER already taken is not recalled, as on the device; none is ever queued ahead.
  return TRUE;
}
