// Real input for another program's windows: keys, typed text and taps through SendInput, as a
// user gives them, and waits for what the program shows in answer.
#ifndef FEXPLORE_SHOTS_USER_INPUT_H
#define FEXPLORE_SHOTS_USER_INPUT_H

#include <windows.h>

#include <functional>
#include <string>

namespace shots {

// A key pressed and let go, `times` times; with `modifier` (VK_SHIFT, VK_MENU, ...) held.
void PressKey(WORD key, int times = 1);
void PressKeyWith(WORD modifier, WORD key);
// Text typed into the window that has the focus, one character message per character.
void TypeText(const std::wstring& text);
// A tap (left button) or a right-button click at a point of the screen.
void Tap(POINT screen);
void RightClick(POINT screen);

// Polls `done` until it holds or `milliseconds` have passed; whether it held.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);
// Lets the program take in what it was given and paint.
void Settle(DWORD milliseconds = 250);

}  // namespace shots

#endif
