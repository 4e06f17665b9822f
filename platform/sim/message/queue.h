// The one user-interface thread's message queue: posted messages, the quit flag, input from the
// stylus and the keys, and timers. Messages come out in the device's order: posted messages,
// then WM_QUIT, then input, then WM_TIMER of timers that are due on the virtual clock.
#ifndef CESIM_MESSAGE_QUEUE_H
#define CESIM_MESSAGE_QUEUE_H

#include <cstdint>
#include <functional>

#include "sim/message.h"
#include "sim/types.h"

namespace cesim::detail {

// Input as the hardware delivers it, and the gestures that the gesture engine recognises in the
// stylus input. Its target window is decided when the message is taken from the queue: the window
// under the stylus (or the one that has captured it), the window that has the keyboard focus, the
// window that a touch's first gesture went to. Input arrives at its time: automation may queue a
// user's actions ahead (a stylus held for a second), and until the clock reaches an event nothing
// sees it.
struct InputEvent {
  enum class Kind { StylusDown, StylusUp, StylusMove, KeyDown, KeyUp, Gesture };
  Kind kind = Kind::KeyDown;
  uint64_t id = 0;         // given by the queue
  DWORD time = 0;          // when it arrives
  POINT pt = {0, 0};       // screen coordinates: stylus events and gestures
  UINT vk = 0;             // key events
  BYTE scan = 0;           // key events: the hardware scan code (keybd_event)
  DWORD keyFlags = 0;      // key events: KEYEVENTF_EXTENDEDKEY, KEYEVENTF_SILENT
  char16_t character = 0;  // the character a key down types, when it is not the key's own
  // Gestures.
  DWORD gestureId = 0;
  uintptr_t gestureHandle = 0;
  DWORD gestureSession = 0;
};

// Queues input arriving now, or at a time ahead (never before now). Returns the event's id.
uint64_t PostInput(InputEvent event);
uint64_t PostInputAt(InputEvent event, DWORD time);
// Takes an event back out before it arrived (a gesture that did not happen after all).
bool CancelInput(uint64_t id);
// Looks at the queued input in arrival order, arrived or not, until `visit` returns false.
void VisitQueuedInput(const std::function<bool(const InputEvent&)>& visit);
// Takes in the input that has arrived by now: the keys' physical state and the stylus position
// follow the hardware before any message says so.
void ArriveDueInput();
// Where the stylus is now.
POINT CursorPosition();

// Puts a message at the head of the posted messages (the character of a translated key).
void PostAheadOfQueue(const MSG& msg);

// Whether the queue holds nothing that GetMessageW could return now.
bool QueueIsIdle();
// Takes (or looks at) the first message that matches the filter; false when there is none.
bool RetrieveMessage(MSG* msg, HWND filter, UINT first, UINT last, bool remove);

// Actions that automation queues for the moments when the device waits for input (a message
// loop finds the queue empty). Running one returns true; false when none is left.
void AddIdleAction(std::function<void()> action);
// Queues an action ahead of those queued so far: the next step of a multi-step user action.
void AddIdleActionFirst(std::function<void()> action);
bool RunIdleAction();
bool InIdleAction();
size_t PendingIdleActions();
// What a message loop does when the queue is empty: runs the next idle action and returns true,
// or, with none left, counts a stall (the device would wait for the user forever) and returns
// false.
bool WaitForInput();
// Message loops that waited for input when nothing was left to come.
int StallCount();

// Timers of a window that goes away.
void RemoveTimersOf(HWND hwnd);
// The next time at which something happens by itself: a timer falls due or queued input arrives;
// false when nothing is waiting for the clock.
bool NextDueTime(DWORD* due);

void ResetMessageQueue();

}  // namespace cesim::detail

#endif
