// The one user-interface thread's message queue: posted messages, the quit flag, input from the
// stylus and the keys, and timers. Messages come out in the device's order: posted messages,
// then WM_QUIT, then input, then WM_TIMER of timers that are due on the virtual clock.
#ifndef CESIM_MESSAGE_QUEUE_H
#define CESIM_MESSAGE_QUEUE_H

#include <functional>

#include "sim/message.h"
#include "sim/types.h"

namespace cesim::detail {

// Input as the hardware delivers it. Its target window is decided when the message is taken
// from the queue: the window under the stylus (or the one that has captured it), the window
// that has the keyboard focus.
struct InputEvent {
  enum class Kind { StylusDown, StylusUp, StylusMove, KeyDown, KeyUp };
  Kind kind = Kind::KeyDown;
  POINT pt = {0, 0};      // screen coordinates, stylus events
  UINT vk = 0;            // key events
  char16_t character = 0; // the character a key down types, when it is not the key's own
  DWORD time = 0;
};

// Queues input; the stylus moves to the event's point at once.
void PostInput(InputEvent event);
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
// The time at which the next timer falls due; false when no timer runs.
bool NextTimerDue(DWORD* due);

void ResetMessageQueue();

}  // namespace cesim::detail

#endif
