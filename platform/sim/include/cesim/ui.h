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

#include "cesim/automation.h"
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

// What a static control shows: its bitmap or icon and where the picture lies in the client area
// (at its own size from the upper left corner, or centred with SS_CENTERIMAGE), and the part of it
// that the client area does not cut off. Empty for a window that is no static control.
struct StaticImage {
  HBITMAP bitmap = nullptr;
  HICON icon = nullptr;
  SIZE size = {0, 0};             // the bitmap's size; 0 x 0 when there is none (or it was deleted)
  RECT drawn = {0, 0, 0, 0};      // client coordinates of the whole picture
  RECT visible = {0, 0, 0, 0};    // the part of it inside the client area
};
std::optional<StaticImage> ShownImage(HWND staticControl);

// A layered window's attributes (SetLayeredWindowAttributes), while it keeps WS_EX_LAYERED.
struct LayeredAttributes {
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;  // LWA_ALPHA, LWA_COLORKEY
};
std::optional<LayeredAttributes> ReadLayeredAttributes(HWND hwnd);
// The opacity the window is shown with: its alpha when its attributes use LWA_ALPHA, 255 when
// they do not; empty when the window is not layered or has not been given attributes yet.
std::optional<BYTE> LayeredAlpha(HWND hwnd);

// ---------------------------------------------------------------------------------------------
// List views and their headers.

// A list view as its user sees it. Reading it asks the parent for the texts it keeps itself
// (LVN_GETDISPINFOW), as drawing the list does, for the items on the screen only.
struct ListRowReading {
  int item = -1;
  std::vector<std::u16string> texts;  // the item's text, then (report view) each column's
  bool focused = false;
  bool selected = false;
};
struct ListViewReading {
  UINT view = 0;                   // LVS_ICON, LVS_REPORT, LVS_SMALLICON or LVS_LIST
  bool headerShown = false;        // the report view's column header is on the screen
  std::vector<int> columnWidths;   // the report view's columns, as the header has them
  int topIndex = 0;                // LVM_GETTOPINDEX
  std::vector<ListRowReading> rows;  // the items on the screen, in index order
};
ListViewReading ReadListView(HWND list);
// The reading as lines of text: "report view, columns 100 60" (", no header" when hidden), then
// one line per item on the screen: ">" for the focus, "*" for the selection, the texts joined by
// " | ".
std::string DumpListView(HWND list);

// Taps the middle of an item's label; false when the item is not on the screen.
bool TapListItem(HWND list, int item);
// Drags the divider at the right edge of a header item until the item is `width` pixels wide:
// the stylus goes down on the divider, moves there in two steps and lifts. False when no part of
// that divider is on the screen.
bool DragHeaderDivider(HWND header, int item, int width);
// Starts editing an item's label as the user does: a tap selects the item, a tap on its label
// while selected starts editing once the double-tap time has passed. The edit control, or null
// when the list view started none.
HWND StartListLabelEdit(HWND list, int item);
// Types into the label edit of a list view (the edit has its text selected at the start, so the
// typing replaces it); false when there is no label edit with the focus.
bool TypeIntoListLabelEdit(HWND list, const std::u16string& text);

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
// Touch and keys over time. The user's actions are queued at the times they happen and arrive
// when the clock reaches them; each call below advances the clock through them (unless it runs
// inside a message loop's wait, where that loop takes them). On a device whose core library has
// the gesture engine (GetGestureInfo), every touch also brings its WM_GESTURE messages, ahead of
// the stylus messages they belong to: GID_BEGIN, then GID_SELECT (a tap), GID_DOUBLESELECT (a
// second tap soon after), GID_HOLD (held still for 901 ms), GID_PAN (moved) and GID_SCROLL (a
// quick stroke), and GID_END.

// The stylus on its own, now.
void StylusDown(POINT screen);
void StylusMove(POINT screen);
void StylusUp(POINT screen);
// The stylus pressed at `from`, moved in even steps to `to` over `milliseconds`, lifted there.
void Drag(POINT from, POINT to, int steps = 4, DWORD milliseconds = 500);
// A quick stroke from `from` to `to`: a flick (GID_SCROLL) when it is 19 pixels or longer and
// takes at most 250 ms.
void Flick(POINT from, POINT to, DWORD milliseconds = 100);
// A scroll gesture (a flick) that starts at a point of a window's client area and goes in a
// direction (ARG_SCROLL_LEFT, ARG_SCROLL_RIGHT, ARG_SCROLL_UP, ARG_SCROLL_DOWN: where the stylus
// moves).
void ScrollGesture(HWND hwnd, POINT client, UINT direction, int distance = 60);
// Tap-and-hold: the stylus pressed at a point, held there that long, then lifted.
void Hold(POINT screen, DWORD milliseconds = 1200);
void HoldClient(HWND hwnd, POINT client, DWORD milliseconds = 1200);
// A key pressed, held that long and released (no auto-repeat).
void HoldKey(UINT vk, DWORD milliseconds);
// Key presses that sounded the key click since boot: all but those made with KEYEVENTF_SILENT.
int KeyClicks();

// ---------------------------------------------------------------------------------------------
// The device's display.

// The user turns the device: the screen's width and height swap. Windows that fill the screen or
// the work area are sized to the new one (WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE), then every
// top-level window gets WM_SETTINGCHANGE with SETTINGCHANGE_RESET.
void TurnDevice();
// The same for a display of another size.
void SetScreenSize(int width, int height);

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

// Dispatches queued messages as an application's message loop does until the queue is idle:
// TranslateMessage and DispatchMessageW, each message first offered to IsDialogMessageW of the
// modeless dialogs of the innermost HostDialogs scope, if one lives. Returns how many messages it
// took. A WM_QUIT stops it and stays in the queue.
int PumpMessages();

// A host's loop offers every message to IsDialogMessageW of its modeless dialogs before it
// translates and dispatches it; a message one of them takes goes no further.
struct PumpOptions {
  std::vector<HWND> dialogs;               // in this order; those that are gone are passed over
  std::optional<HWND> dialogsOwnedBy;      // and, looked up for each message, the dialogs (windows
                                           // the dialog manager made) that this window owns
};
// PumpMessages with these options.
int PumpMessages(const PumpOptions& options);

// While it lives, automation's own pumping (after each action, in PumpMessages() and in
// AdvanceClock) offers messages to these dialogs, as under a host whose loop calls
// IsDialogMessageW for them. Scopes nest; the innermost counts.
class HostDialogs {
 public:
  explicit HostDialogs(PumpOptions options);
  ~HostDialogs();
  HostDialogs(const HostDialogs&) = delete;
  HostDialogs& operator=(const HostDialogs&) = delete;
};
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

// ---------------------------------------------------------------------------------------------
// Toolbars and command bars, read through the control's messages and tapped as the user does.

struct ToolbarButtonRow {
  int id = 0;
  BYTE style = 0;
  BYTE state = 0;
  std::u16string text;        // the button's own text or its string pool entry
  RECT rect = {0, 0, 0, 0};   // client coordinates of the toolbar
  bool menuBar = false;       // a command bar's menu bar
};
std::vector<ToolbarButtonRow> ReadToolbar(HWND toolbar);
// Taps a button by its command: its main part (the whole button unless its drop-down arrow is a
// part of its own), or the arrow part of a drop-down button. False when no shown button has the
// command, or the button has no drop-down arrow to tap.
bool TapToolbarButton(HWND toolbar, int id);
bool TapToolbarDropDown(HWND toolbar, int id);
// Taps an item of a command bar's menu bar by its text (as inserted, or as shown without "&"):
// the item's pop-up menu opens and the menu loop runs until the user is done, so queue what the
// user does in it with WhenIdle first. False when the bar has no such item.
bool TapMenuBarItem(HWND commandBar, const std::u16string& text);

// ---------------------------------------------------------------------------------------------
// Menus while a menu loop runs: a pop-up menu tracked with TrackPopupMenu(Ex), a command bar's
// menu bar with one of its pop-up menus open. The loop is modal; act from an action queued with
// WhenIdle, which runs while the loop waits for the user. Actions tap and press keys as the user
// does, and the loop handles them once the action returns.

struct OpenMenu {
  HMENU menu = nullptr;
  bool menuBar = false;        // the command bar's menu bar, the first level of a menu-bar loop
  RECT rect = {0, 0, 0, 0};    // screen coordinates
  int selected = -1;           // the highlighted item, -1 for none
  std::vector<MenuRow> rows;
  std::vector<RECT> itemRects;  // one per row, screen coordinates
};
// The open levels, the outermost first; empty when no menu loop runs.
std::vector<OpenMenu> OpenMenus();
// The open pop-up menus as the user reads them, one line per item with its mnemonic markers
// removed: "-" for a separator, "[x] " checked, "(o) " radio-checked, " >" after an item that
// opens a submenu, " (grayed)", and "*" in front of the highlighted item; an open submenu's
// items follow the item that opened it, indented by two more spaces.
std::string DumpOpenMenus();

// Chooses an item by the texts along its path, from the outermost open pop-up menu: each text
// but the last taps an item that opens a submenu, the last taps the item (texts match as
// inserted, "&" included, or as shown, without the mnemonic markers). Later steps run at the
// loop's next waits, after each submenu has opened (and its owner has filled it). False, with
// nothing tapped, when an item is missing, grayed or does not open a submenu where one is needed.
bool ChooseMenuItem(const std::vector<std::u16string>& path);
// Chooses the item with a command identifier, opening the submenus on the way to it.
bool ChooseMenuCommand(UINT id);
// The user presses Escape until the menu is gone (one press per open level).
bool CancelMenu();

}  // namespace cesim

#endif
