// Turns queued stylus and key input into window messages: the target window, the message's
// coordinates, and the activation that a tap on another top-level window causes; and the two key
// states, the thread's (as of the messages taken) and the keys' physical one (as of the input
// that has arrived).
#ifndef CESIM_MESSAGE_INPUT_H
#define CESIM_MESSAGE_INPUT_H

#include "message/queue.h"
#include "sim/message.h"

namespace cesim::detail {

// The message an input event becomes now. With `deliver`, the event takes effect: a stylus
// press activates the tapped top-level window and the thread's key state changes. False when the
// event has no target (nothing under the stylus, no focus, a disabled window) or lost it while
// activating.
bool MessageFromInput(const InputEvent& event, bool deliver, MSG* msg);

// Input that has just arrived: the keys' physical state (GetAsyncKeyState) and the key click.
void InputArrived(const InputEvent& event);

// The deepest visible, enabled window under a screen point; disabled top-level windows are
// returned too, so that a tap on them can be swallowed.
HWND WindowUnderPoint(POINT pt);
// The window that stylus input at a point goes to: the capture, else the window under it; null
// when nothing takes it (no window, or a disabled one).
HWND StylusTarget(POINT pt);

// The character a key types with the current key state; 0 for keys that type nothing.
char16_t CharacterOfKey(UINT vk);

// The character that TranslateMessage makes of a key-down message: the one typed with that
// key press when automation typed a text, else the key's own.
char16_t CharacterOfKeyMessage(const MSG& msg);

// Whether a key (or the stylus, VK_LBUTTON) is down in the thread's state, as of the input taken
// so far.
bool KeyIsDown(int vk);
// The last key that went down in the thread's state and is still down; 0 when none is.
UINT HeldKey();

// Key presses that made the key click sound (every one without KEYEVENTF_SILENT).
int KeyClickCount();

void ResetInput();

}  // namespace cesim::detail

#endif
