// cesim's automation of the user interface: what tests and tools use to look at windows and to
// act on the device as its user does (taps, keys, switching windows, waiting), and to run the
// device's message loops. Input goes through the device's queue, so the application sees it as
// it would see a real tap or key press.
#ifndef CESIM_UI_H
#define CESIM_UI_H

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/commctrl.h"
#include "sim/types.h"
#include "sim/window.h"

namespace cesim {

// ---------------------------------------------------------------------------------------------
// Looking at windows.

struct WindowQuery {
  std::optional<std::u16string> className;  // compared without letter case
  std::optional<HWND> owner;                // top-level windows owned by this one
  std::optional<std::u16string> text;       // the window text, exactly
  bool topLevelOnly = true;                 // false: child windows too
};
// Matching windows, top-level ones in z-order (the topmost first), each followed by its children.
std::vector<HWND> FindWindows(const WindowQuery& query);
// The first match, or null.
HWND FindFirstWindow(const WindowQuery& query);

struct WindowDescription {
  HWND handle = nullptr;
  std::u16string className;
  std::u16string text;
  RECT rect = {0, 0, 0, 0};  // screen coordinates
  DWORD style = 0;
  DWORD exStyle = 0;
  int id = 0;
  bool visible = false;      // the window and its parents
  bool enabled = false;
  bool focused = false;
  bool active = false;
  std::vector<WindowDescription> children;
};
WindowDescription Describe(HWND hwnd);
// The description as indented lines of text, children below their parent.
std::string DescribeText(HWND hwnd);

// A tree view's items as the user sees them, one line per shown item: two spaces of indent per
// level, "+ " or "- " for an expand button (two spaces without), the text, and " [selected]".
std::string DumpTree(HWND tree);
// The item at a path of texts from a top-level item down; null when there is none.
HTREEITEM FindTreeItem(HWND tree, const std::vector<std::u16string>& path);

// The cursor shown now: the identifier of a system cursor (32512 arrow, 32514 wait), 0 for
// none or another cursor; and how many times it changed since boot.
int CurrentCursorId();
int CursorChanges();

// ---------------------------------------------------------------------------------------------
// Acting as the user. Each action queues its input and, unless it runs inside a message loop's
// wait (an action queued with WhenIdle), lets the application handle it at once (PumpMessages).

// A tap (stylus down and up) at a screen point. A tap on another top-level window activates it.
void Tap(POINT screen);
// A tap on a point of a window's client area.
void TapClient(HWND hwnd, POINT client);
// Taps a tree item's label or its expand button; false when the item is not on the screen.
bool TapTreeItem(HWND tree, const std::vector<std::u16string>& path);
bool TapTreeItemButton(HWND tree, const std::vector<std::u16string>& path);

// A key pressed and released in the window that has the focus.
void PressKey(UINT vk);
void KeyDown(UINT vk);
void KeyUp(UINT vk);
// Types a text, one key press per character.
void TypeText(const std::u16string& text);

// The user switches to a window (its top-level window becomes active).
void Activate(HWND hwnd);

// ---------------------------------------------------------------------------------------------
// Message boxes and the caption's OK button.

struct MessageBoxView {
  HWND window = nullptr;      // null once the box has gone
  HWND owner = nullptr;
  std::u16string caption;
  std::u16string text;
  UINT type = 0;              // as MessageBoxW got it: buttons, icon (MB_ICONMASK), default button
  std::vector<int> buttons;   // IDOK ... IDNO, from the left
  int defaultButton = 0;
  int answer = 0;             // the button that ended it; 0 while it shows or when it stalled
};
// The message box shown on top now.
std::optional<MessageBoxView> ShownMessageBox();
// Every message box since boot, the first first.
std::vector<MessageBoxView> MessageBoxesShown();
// Taps a button of the message box shown on top; false when there is none or it lacks the button.
bool PressMessageBoxButton(int button);
// Answers the next message box: when a message loop next waits (the box's own loop), the button
// is tapped. A wait with no box shown is reported on stderr and the answer is used up.
void AnswerMessageBox(int button);

// Taps the OK button on a window's caption (WS_EX_CAPTIONOKBTN, as SHInitDialog's
// SHIDIF_DONEBUTTON gives it): the window gets WM_COMMAND with IDOK. False when the window shows
// no such button (no caption, no OK button, hidden or disabled).
bool TapCaptionOkButton(HWND window);

// ---------------------------------------------------------------------------------------------
// Time and message loops.

// Dispatches queued messages as an application's message loop does (TranslateMessage and
// DispatchMessageW, no IsDialogMessageW) until the queue is idle. Returns how many it dispatched.
// A WM_QUIT stops it and stays in the queue.
int PumpMessages();
// Moves the virtual clock forward; timers fire at their due times, in order.
void AdvanceClock(DWORD milliseconds);
DWORD Now();

// Queues an action for the next moment a message loop waits for input: a modal dialog's loop,
// or GetMessageW with an empty queue. Actions run one per wait, in the order queued.
void WhenIdle(std::function<void()> action);
size_t PendingIdleActions();
// Message loops that waited for input with no action left: the device would wait forever, cesim
// ends the loop as if WM_QUIT had come. A test that expects none checks for 0.
int MessageLoopStalls();

}  // namespace cesim

#endif
