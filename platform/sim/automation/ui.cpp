// Automation of the user interface: finding and describing windows, taps, strokes, holds and keys
// through the device's input queue, turning the device, running the queue as an application's or
// a host's loop does (the latter offering messages to its modeless dialogs), the virtual clock, and
// actions for message loops that wait for input.
#include <cstdio>
#include <sstream>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "controls/header/header.h"
#include "controls/listview/listview.h"
#include "controls/treeview/treeview.h"
#include "core/case_fold.h"
#include "core/clock.h"
#include "dialog/state.h"
#include "message/input.h"
#include "message/queue.h"
#include "sim/commctrl.h"
#include "sim/dialog.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/cursor.h"
#include "window/focus.h"
#include "window/metrics.h"
#include "window/table.h"

namespace cesim {

namespace {

using detail::FindWindowRecord;
using detail::InputEvent;
using detail::Window;

// A runaway application that posts to itself for ever is stopped after this many messages.
constexpr int kPumpLimit = 100000;
// Longer than the double-tap time after which a tap on a selected label starts editing it.
constexpr DWORD kDoubleTapWait = 600;

void Settle() {
  if (!detail::InIdleAction()) PumpMessages();
}

bool Matches(const Window& w, const WindowQuery& query) {
  if (query.className && (!w.cls || !detail::SameFolded(w.cls->name, *query.className))) return false;
  if (query.owner && w.owner != *query.owner) return false;
  if (query.text && w.text != *query.text) return false;
  return !IsBeingDestroyed(w);
}

void Collect(HWND hwnd, const WindowQuery& query, std::vector<HWND>* found) {
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr) return;
  if (Matches(*w, query)) found->push_back(hwnd);
  if (query.topLevelOnly) return;
  for (HWND child : w->children) Collect(child, query, found);
}

std::string Quoted(const std::u16string& text) { return "\"" + Narrow(text) + "\""; }

void DescribeInto(const WindowDescription& d, int depth, std::ostringstream& out) {
  out << std::string(static_cast<size_t>(depth) * 2, ' ') << Narrow(d.className) << ' ' << Quoted(d.text);
  if (d.id != 0) out << " id " << d.id;
  out << " (" << d.rect.left << ',' << d.rect.top << ")-(" << d.rect.right << ',' << d.rect.bottom << ')';
  out << (d.visible ? " visible" : " hidden") << (d.enabled ? "" : " disabled");
  if (d.active) out << " active";
  if (d.focused) out << " focused";
  out << '\n';
  for (const WindowDescription& child : d.children) DescribeInto(child, depth + 1, out);
}

void PostKey(UINT vk, bool down, char16_t character, DWORD at) {
  InputEvent event;
  event.kind = down ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
  event.vk = vk;
  event.character = character;
  detail::PostInputAt(event, at);
}

void PostKey(UINT vk, bool down, char16_t character) { PostKey(vk, down, character, detail::ClockNow()); }

void PostStylus(InputEvent::Kind kind, POINT screen, DWORD at) {
  InputEvent event;
  event.kind = kind;
  event.pt = screen;
  detail::PostInputAt(event, at);
}

// Lets the clock run through input queued ahead of it. Inside a message loop's wait that loop
// takes the input as it arrives, waiting for each in turn.
void RunUntil(DWORD end) {
  if (detail::InIdleAction()) return;
  DWORD now = detail::ClockNow();
  if (static_cast<int32_t>(end - now) > 0) {
    AdvanceClock(end - now);
  } else {
    Settle();
  }
}

POINT ClientPointOnScreen(HWND hwnd, POINT client) {
  ClientToScreen(hwnd, &client);
  return client;
}

// The key that types a character, as a handheld's keyboard has it; 0 for characters that only
// the input panel types.
UINT KeyOfCharacter(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<UINT>(c - u'a' + 'A');
  if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) return c;
  switch (c) {
    case u' ': return VK_SPACE;
    case u'\r': return VK_RETURN;
    case u'\t': return VK_TAB;
    case 0x08: return VK_BACK;
    case 0x1B: return VK_ESCAPE;
    default: return VK_PROCESSKEY;
  }
}

std::vector<PumpOptions>& HostDialogScopes() {
  static std::vector<PumpOptions> scopes;
  return scopes;
}

// The dialogs a host's loop offers a message to, as they are now.
std::vector<HWND> DialogsOf(const PumpOptions& options) {
  std::vector<HWND> dialogs = options.dialogs;
  if (options.dialogsOwnedBy) {
    for (HWND top : detail::TopLevelWindows()) {
      Window* w = FindWindowRecord(top);
      if (w != nullptr && w->owner == *options.dialogsOwnedBy && detail::ExistingDialogState(top) != nullptr) {
        dialogs.push_back(top);
      }
    }
  }
  return dialogs;
}

bool OfferToDialogs(const PumpOptions& options, MSG* msg) {
  for (HWND dialog : DialogsOf(options)) {
    if (IsWindow(dialog) && IsDialogMessageW(dialog, msg)) return true;
  }
  return false;
}

bool TapTreePoint(HWND tree, const std::vector<std::u16string>& path, bool button) {
  HTREEITEM item = FindTreeItem(tree, path);
  POINT client;
  bool found = button ? detail::TreeItemButtonPoint(tree, item, &client) : detail::TreeItemLabelPoint(tree, item, &client);
  RECT area;
  if (!found || !GetClientRect(tree, &area) || !PtInRect(&area, client)) return false;
  TapClient(tree, client);
  return true;
}

}  // namespace

std::vector<HWND> FindWindows(const WindowQuery& query) {
  std::vector<HWND> found;
  for (HWND top : detail::TopLevelWindows()) Collect(top, query, &found);
  return found;
}

HWND FindFirstWindow(const WindowQuery& query) {
  std::vector<HWND> found = FindWindows(query);
  return found.empty() ? nullptr : found.front();
}

WindowDescription Describe(HWND hwnd) {
  WindowDescription d;
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr) return d;
  d.handle = hwnd;
  if (w->cls) d.className = w->cls->name;
  d.text = w->text;
  GetWindowRect(hwnd, &d.rect);
  d.style = w->style;
  d.exStyle = w->exStyle;
  d.id = static_cast<int>(w->id);
  d.visible = IsWindowVisible(hwnd) != FALSE;
  d.enabled = IsWindowEnabled(hwnd) != FALSE;
  d.focused = detail::FocusWindow() == hwnd;
  d.active = detail::ActiveWindow() == hwnd;
  std::vector<HWND> children = w->children;
  for (HWND child : children) d.children.push_back(Describe(child));
  return d;
}

std::string DescribeText(HWND hwnd) {
  std::ostringstream out;
  if (FindWindowRecord(hwnd) != nullptr) DescribeInto(Describe(hwnd), 0, out);
  return out.str();
}

std::string DumpTree(HWND tree) {
  std::ostringstream out;
  for (const detail::TreeRow& row : detail::ShownTreeRows(tree)) {
    out << std::string(static_cast<size_t>(row.level) * 2, ' ');
    out << (row.button == '+' ? "+ " : row.button == '-' ? "- " : "  ");
    out << Narrow(row.text);
    if (row.selected) out << " [selected]";
    out << '\n';
  }
  return out.str();
}

HTREEITEM FindTreeItem(HWND tree, const std::vector<std::u16string>& path) {
  if (path.empty()) return nullptr;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  for (size_t level = 0; level < path.size(); ++level) {
    for (; item != nullptr;
         item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      WCHAR text[MAX_PATH] = {};
      TVITEMW tvi = {};
      tvi.mask = TVIF_TEXT | TVIF_HANDLE;
      tvi.hItem = item;
      tvi.pszText = text;
      tvi.cchTextMax = MAX_PATH;
      if (SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi)) && path[level] == text) break;
    }
    if (item == nullptr || level + 1 == path.size()) return item;
    item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
  }
  return item;
}

ListViewReading ReadListView(HWND list) {
  ListViewReading reading;
  if (!detail::IsListView(list)) return reading;
  reading.view = static_cast<UINT>(GetWindowLongW(list, GWL_STYLE)) & LVS_TYPEMASK;
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  reading.headerShown = header != nullptr && IsWindowVisible(header) && reading.view == LVS_REPORT;
  if (reading.view == LVS_REPORT && header != nullptr) {
    int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
      reading.columnWidths.push_back(static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)));
    }
  }
  reading.topIndex = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
  for (const detail::ListRow& row : detail::ShownListRows(list)) {
    ListRowReading shown;
    shown.item = row.item;
    shown.texts = row.texts;
    shown.focused = row.focused;
    shown.selected = row.selected;
    reading.rows.push_back(shown);
  }
  return reading;
}

std::string DumpListView(HWND list) {
  std::ostringstream out;
  if (!detail::IsListView(list)) return out.str();
  ListViewReading reading = ReadListView(list);
  static const char* const kViews[] = {"icon", "report", "small icon", "list"};
  out << kViews[reading.view & LVS_TYPEMASK] << " view";
  if (reading.view == LVS_REPORT) {
    out << ", columns";
    for (int width : reading.columnWidths) out << ' ' << width;
    if (!reading.headerShown) out << ", no header";
  }
  out << '\n';
  for (const ListRowReading& row : reading.rows) {
    out << (row.focused ? '>' : ' ') << (row.selected ? '*' : ' ') << ' ';
    for (size_t i = 0; i < row.texts.size(); ++i) out << (i == 0 ? "" : " | ") << Narrow(row.texts[i]);
    out << '\n';
  }
  return out.str();
}

bool TapListItem(HWND list, int item) {
  POINT client;
  if (!detail::ListItemLabelPoint(list, item, &client)) return false;
  TapClient(list, client);
  return true;
}

bool DragHeaderDivider(HWND header, int item, int width) {
  POINT client;
  if (!detail::HeaderDividerPoint(header, item, &client)) return false;
  HDITEMW current = {};
  current.mask = HDI_WIDTH;
  if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&current))) return false;
  POINT start = client;
  ClientToScreen(header, &start);
  POINT end = start;
  end.x += width - current.cxy;
  POINT middle = {(start.x + end.x) / 2, start.y};
  InputEvent event;
  event.kind = InputEvent::Kind::StylusDown;
  event.pt = start;
  detail::PostInput(event);
  event.kind = InputEvent::Kind::StylusMove;
  event.pt = middle;
  detail::PostInput(event);
  event.pt = end;
  detail::PostInput(event);
  event.kind = InputEvent::Kind::StylusUp;
  detail::PostInput(event);
  Settle();
  return true;
}

HWND StartListLabelEdit(HWND list, int item) {
  if (!detail::IsListView(list)) return nullptr;
  // The first tap selects the item; a tap on the label of a selected item edits it.
  if ((SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) & LVIS_SELECTED) == 0) {
    if (!TapListItem(list, item)) return nullptr;
  }
  if (!TapListItem(list, item)) return nullptr;
  AdvanceClock(kDoubleTapWait);
  return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0));
}

bool TypeIntoListLabelEdit(HWND list, const std::u16string& text) {
  if (!detail::IsListView(list)) return false;
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0));
  if (edit == nullptr || detail::FocusWindow() != edit) return false;
  TypeText(text);
  return true;
}

int CurrentCursorId() { return detail::CursorResourceId(detail::CurrentCursor()); }

int CursorChanges() { return detail::CursorChanges(); }

void Tap(POINT screen) {
  InputEvent down;
  down.kind = InputEvent::Kind::StylusDown;
  down.pt = screen;
  detail::PostInput(down);
  InputEvent up = down;
  up.kind = InputEvent::Kind::StylusUp;
  detail::PostInput(up);
  Settle();
}

void TapClient(HWND hwnd, POINT client) {
  ClientToScreen(hwnd, &client);
  Tap(client);
}

bool TapTreeItem(HWND tree, const std::vector<std::u16string>& path) { return TapTreePoint(tree, path, false); }

bool TapTreeItemButton(HWND tree, const std::vector<std::u16string>& path) { return TapTreePoint(tree, path, true); }

void PressKey(UINT vk) {
  PostKey(vk, true, 0);
  PostKey(vk, false, 0);
  Settle();
}

void KeyDown(UINT vk) {
  PostKey(vk, true, 0);
  Settle();
}

void KeyUp(UINT vk) {
  PostKey(vk, false, 0);
  Settle();
}

void TypeText(const std::u16string& text) {
  for (char16_t c : text) {
    UINT vk = KeyOfCharacter(c);
    PostKey(vk, true, c);
    PostKey(vk, false, 0);
  }
  Settle();
}

void StylusDown(POINT screen) {
  PostStylus(InputEvent::Kind::StylusDown, screen, detail::ClockNow());
  Settle();
}

void StylusMove(POINT screen) {
  PostStylus(InputEvent::Kind::StylusMove, screen, detail::ClockNow());
  Settle();
}

void StylusUp(POINT screen) {
  PostStylus(InputEvent::Kind::StylusUp, screen, detail::ClockNow());
  Settle();
}

void Drag(POINT from, POINT to, int steps, DWORD milliseconds) {
  if (steps < 1) steps = 1;
  const DWORD start = detail::ClockNow();
  PostStylus(InputEvent::Kind::StylusDown, from, start);
  for (int i = 1; i <= steps; ++i) {
    POINT at = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
    PostStylus(InputEvent::Kind::StylusMove, at, start + milliseconds * static_cast<DWORD>(i) / static_cast<DWORD>(steps));
  }
  PostStylus(InputEvent::Kind::StylusUp, to, start + milliseconds);
  RunUntil(start + milliseconds);
}

void Flick(POINT from, POINT to, DWORD milliseconds) { Drag(from, to, 2, milliseconds); }

void ScrollGesture(HWND hwnd, POINT client, UINT direction, int distance) {
  POINT from = ClientPointOnScreen(hwnd, client);
  POINT to = from;
  switch (direction) {
    case ARG_SCROLL_LEFT: to.x -= distance; break;
    case ARG_SCROLL_RIGHT: to.x += distance; break;
    case ARG_SCROLL_UP: to.y -= distance; break;
    case ARG_SCROLL_DOWN: to.y += distance; break;
    default: break;
  }
  Flick(from, to);
}

void Hold(POINT screen, DWORD milliseconds) {
  const DWORD start = detail::ClockNow();
  PostStylus(InputEvent::Kind::StylusDown, screen, start);
  PostStylus(InputEvent::Kind::StylusUp, screen, start + milliseconds);
  RunUntil(start + milliseconds);
}

void HoldClient(HWND hwnd, POINT client, DWORD milliseconds) { Hold(ClientPointOnScreen(hwnd, client), milliseconds); }

void HoldKey(UINT vk, DWORD milliseconds) {
  const DWORD start = detail::ClockNow();
  PostKey(vk, true, 0, start);
  PostKey(vk, false, 0, start + milliseconds);
  RunUntil(start + milliseconds);
}

int KeyClicks() { return detail::KeyClickCount(); }

void TurnDevice() { SetScreenSize(detail::ScreenHeight(), detail::ScreenWidth()); }

void SetScreenSize(int width, int height) {
  detail::ChangeDisplay(width, height);
  Settle();
}

void Activate(HWND hwnd) {
  HWND top = detail::TopLevelOf(hwnd);
  if (top != nullptr) detail::ActivateWindow(top, WA_ACTIVE, true);
  Settle();
}

int PumpMessages() {
  const std::vector<PumpOptions>& scopes = HostDialogScopes();
  return PumpMessages(scopes.empty() ? PumpOptions() : scopes.back());
}

HostDialogs::HostDialogs(PumpOptions options) { HostDialogScopes().push_back(std::move(options)); }

HostDialogs::~HostDialogs() { HostDialogScopes().pop_back(); }

int PumpMessages(const PumpOptions& options) {
  int dispatched = 0;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The application's loop ends on it; it stays for that loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!OfferToDialogs(options, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (++dispatched >= kPumpLimit) {
      std::fprintf(stderr, "cesim: the message queue never runs empty; stopped after %d messages\n", dispatched);
      break;
    }
  }
  return dispatched;
}

void AdvanceClock(DWORD milliseconds) {
  DWORD target = detail::ClockNow() + milliseconds;
  if (detail::InIdleAction()) {
    // Inside a message loop's wait the loop itself takes the timers that fall due.
    detail::SetClock(target);
    return;
  }
  // What is due now happens before the time moves on.
  PumpMessages();
  DWORD due = 0;
  while (detail::NextDueTime(&due) && static_cast<int32_t>(target - due) >= 0) {
    DWORD before = detail::ClockNow();
    detail::SetClock(due);
    PumpMessages();
    DWORD next = 0;
    // A timer that did not fire (its message was filtered away) must not hold the clock.
    if (detail::ClockNow() == before && detail::NextDueTime(&next) && next == due) break;
  }
  detail::SetClock(target);
  PumpMessages();
}

DWORD Now() { return detail::ClockNow(); }

void WhenIdle(std::function<void()> action) { detail::AddIdleAction(std::move(action)); }

size_t PendingIdleActions() { return detail::PendingIdleActions(); }

int MessageLoopStalls() { return detail::StallCount(); }

}  // namespace cesim
