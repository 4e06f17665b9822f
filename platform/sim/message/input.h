// Turns queued stylus and key input into window messages: the target window, the message's
// coordinates, and the activation that a tap on another top-level window causes.
#ifndef CESIM_MESSAGE_INPUT_H
#define CESIM_MESSAGE_INPUT_H

#include "message/queue.h"
#include "sim/message.h"

namespace cesim::detail {

// The message an input event becomes now. With `deliver`, the event takes effect: a stylus
// press activates the tapped top-level window and key state changes. False when the event has
// no target (nothing under the stylus, no focus, a disabled window) or lost it while activating.
bool MessageFromInput(const InputEvent& event, bool deliver, MSG* msg);

// The deepest visible, enabled window under a screen point; disabled top-level windows are
// returned too, so that a tap on them can be swallowed.
HWND WindowUnderPoint(POINT pt);

// The character a key types with the current key state; 0 for keys that type nothing.
char16_t CharacterOfKey(UINT vk);

// The character that TranslateMessage makes of a key-down message: the one typed with that
// key press when automation typed a text, else the key's own.
char16_t CharacterOfKeyMessage(const MSG& msg);

// Whether a key (or the stylus, VK_LBUTTON) is down, as of the input taken so far.
bool KeyIsDown(int vk);

void ResetInput();

}  // namespace cesim::detail

#endif
