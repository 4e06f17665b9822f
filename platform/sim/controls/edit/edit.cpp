// The "Edit" class: a line of text, or lines (ES_MULTILINE) parted by "\r\n", that the user types
// into (WM_CHAR), with a selection, a text limit (EM_LIMITTEXT), read-only mode and the EN_
// notifications of each change. Lines break only where the text has a line break.
#include "controls/edit/edit.h"

#include <algorithm>
#include <string>
#include <vector>

#include "controls/common/control.h"
#include "controls/common/text.h"
#include "sim/controls.h"
#include "sim/dialog.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

// The limit a single-line edit control starts with.
constexpr size_t kDefaultLimit = 32767;
// What EM_LIMITTEXT with 0 sets.
constexpr size_t kLargestLimit = 0x7FFFFFFE;

struct EditInstance : ControlInstance {
  void CheckInvariants() override;

  size_t anchor = 0;  // selection: from the anchor to the caret
  size_t caret = 0;
  size_t limit = kDefaultLimit;
  bool modified = false;
};

using EditPtr = std::shared_ptr<EditInstance>;

// What the edit control tells its parent. The device's edit control checks after each notification
// that it still exists before it goes on, so a parent may destroy it at any of them.
const Notification kUpdate = {EN_UPDATE, "EN_UPDATE", AfterNotify::ReturnsAtOnce};
const Notification kChange = {EN_CHANGE, "EN_CHANGE", AfterNotify::ReturnsAtOnce};
const Notification kMaxText = {EN_MAXTEXT, "EN_MAXTEXT", AfterNotify::ReturnsAtOnce};
const Notification kSetFocus = {EN_SETFOCUS, "EN_SETFOCUS", AfterNotify::ReturnsAtOnce};
const Notification kKillFocus = {EN_KILLFOCUS, "EN_KILLFOCUS", AfterNotify::ReturnsAtOnce};

// The stored text and its length, read past this class's own procedure.
size_t TextLength(HWND hwnd) { return static_cast<size_t>(DefWindowProcW(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

std::u16string ControlText(HWND hwnd) {
  size_t length = TextLength(hwnd);
  std::u16string text(length + 1, u'\0');
  LRESULT copied = DefWindowProcW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

// The stored text, through the default procedure (WM_SETTEXT of this class means more).
void StoreText(HWND hwnd, const std::u16string& text) {
  DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)); }

bool IsMultiline(HWND hwnd) { return (StyleOf(hwnd) & ES_MULTILINE) != 0; }

// Whether a position falls between the "\r" and the "\n" of a line break.
bool InsideLineBreak(HWND hwnd, size_t position) {
  if (position == 0) return false;
  const std::u16string text = ControlText(hwnd);
  return position < text.size() && text[position - 1] == u'\r' && text[position] == u'\n';
}

size_t SelectionStart(const EditInstance& e) { return std::min(e.anchor, e.caret); }
size_t SelectionEnd(const EditInstance& e) { return std::max(e.anchor, e.caret); }

void EditInstance::CheckInvariants() {
  size_t length = TextLength(hwnd);
  CESIM_CHECK_INVARIANT(anchor <= length && caret <= length, "selection within the text");
  CESIM_CHECK_INVARIANT(limit > 0, "text limit");
}

void NotifyChanged(EditInstance& e) {
  CommandParent(e, kUpdate);
  if (!IsGone(e)) CommandParent(e, kChange);
}

// Replaces the selection, within the limit; the part that does not fit is cut and EN_MAXTEXT
// tells the parent.
void ReplaceSelection(const EditPtr& e, const std::u16string& insert) {
  HWND hwnd = e->hwnd;
  std::u16string text = ControlText(hwnd);
  size_t start = SelectionStart(*e);
  size_t end = SelectionEnd(*e);
  size_t room = e->limit > text.size() - (end - start) ? e->limit - (text.size() - (end - start)) : 0;
  std::u16string fitting = insert.substr(0, std::min(insert.size(), room));
  bool cut = fitting.size() < insert.size();
  if (fitting.empty() && start == end) {
    if (cut) CommandParent(*e, kMaxText);
    return;
  }
  text.replace(start, end - start, fitting);
  StoreText(hwnd, text);
  e->anchor = e->caret = start + fitting.size();
  e->modified = true;
  NotifyChanged(*e);
  if (cut && !IsGone(*e)) CommandParent(*e, kMaxText);
}

bool Accepts(DWORD style, char16_t c) {
  if ((style & ES_NUMBER) != 0 && (c < u'0' || c > u'9')) return false;
  return c >= 0x20;
}

char16_t Converted(DWORD style, char16_t c) {
  if ((style & ES_UPPERCASE) != 0 && c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
  if ((style & ES_LOWERCASE) != 0 && c >= u'A' && c <= u'Z') return static_cast<char16_t>(c - u'A' + u'a');
  return c;
}


// Where each line starts: after every "\r\n" of a multi-line control's text; a single line has one.
std::vector<size_t> LineStarts(HWND hwnd) {
  std::vector<size_t> starts(1, 0);
  if (!IsMultiline(hwnd)) return starts;
  const std::u16string text = ControlText(hwnd);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == u'\r' && text[i + 1] == u'\n') starts.push_back(i + 2);
  }
  return starts;
}

size_t LineOf(const std::vector<size_t>& starts, size_t position) {
  size_t line = 0;
  while (line + 1 < starts.size() && starts[line + 1] <= position) ++line;
  return line;
}

// A line's length without its line break.
size_t LineLength(HWND hwnd, const std::vector<size_t>& starts, size_t line) {
  const size_t end = line + 1 < starts.size() ? starts[line + 1] - 2 : TextLength(hwnd);
  return end - starts[line];
}

LRESULT OnChar(const EditPtr& e, char16_t c) {
  DWORD style = StyleOf(e->hwnd);
  if ((style & ES_READONLY) != 0) return 0;
  if (c == u'\r' || c == u'\n') {
    // Enter (or Ctrl+Enter) breaks the line of a multi-line control; a single line takes none.
    if ((style & ES_MULTILINE) != 0) ReplaceSelection(e, u"\r\n");
    return 0;
  }
  if (c == 0x08) {
    // Backspace: the selection, or the character before the caret.
    if (SelectionStart(*e) == SelectionEnd(*e)) {
      if (e->caret == 0) return 0;
      e->anchor = e->caret - 1;
      // A line break goes as one.
      if (e->anchor > 0 && InsideLineBreak(e->hwnd, e->anchor)) --e->anchor;
    }
    ReplaceSelection(e, std::u16string());
    return 0;
  }
  if (!Accepts(style, c)) return 0;
  ReplaceSelection(e, std::u16string(1, Converted(style, c)));
  return 0;
}

// Up and down in a multi-line control: the same column of the line above or below, or its end.
void MoveLine(EditInstance& e, bool down) {
  const std::vector<size_t> starts = LineStarts(e.hwnd);
  const size_t line = LineOf(starts, e.caret);
  if ((!down && line == 0) || (down && line + 1 >= starts.size())) return;
  const size_t column = e.caret - starts[line];
  const size_t target = down ? line + 1 : line - 1;
  e.caret = e.anchor = starts[target] + std::min(column, LineLength(e.hwnd, starts, target));
}

LRESULT OnKeyDown(const EditPtr& e, UINT vk) {
  size_t length = TextLength(e->hwnd);
  const bool multiline = IsMultiline(e->hwnd);
  switch (vk) {
    case VK_UP:
    case VK_DOWN:
      if (multiline) MoveLine(*e, vk == VK_DOWN);
      break;
    case VK_LEFT:
      e->caret = e->anchor = SelectionStart(*e) == SelectionEnd(*e) && e->caret > 0 ? e->caret - 1 : SelectionStart(*e);
      if (multiline && InsideLineBreak(e->hwnd, e->caret)) e->caret = e->anchor = e->caret - 1;
      break;
    case VK_RIGHT:
      e->caret = e->anchor = SelectionStart(*e) == SelectionEnd(*e) && e->caret < length ? e->caret + 1 : SelectionEnd(*e);
      if (multiline && InsideLineBreak(e->hwnd, e->caret)) e->caret = e->anchor = e->caret + 1;
      break;
    case VK_HOME:
    case VK_END: {
      // The start or end of the caret's line (the whole text's for a single line).
      const std::vector<size_t> starts = LineStarts(e->hwnd);
      const size_t line = LineOf(starts, e->caret);
      e->caret = e->anchor = vk == VK_HOME ? starts[line] : starts[line] + LineLength(e->hwnd, starts, line);
      break;
    }
    case VK_DELETE:
      if ((StyleOf(e->hwnd) & ES_READONLY) != 0) break;
      if (SelectionStart(*e) == SelectionEnd(*e)) {
        if (e->caret >= length) break;
        e->anchor = e->caret + 1;
        if (multiline && InsideLineBreak(e->hwnd, e->anchor)) ++e->anchor;
      }
      ReplaceSelection(e, std::u16string());
      break;
    default:
      break;
  }
  return 0;
}

LRESULT OnSetText(const EditPtr& e, LPCWSTR text) {
  StoreText(e->hwnd, TextUpTo(text, kLargestLimit));
  e->anchor = e->caret = 0;
  e->modified = false;
  NotifyChanged(*e);
  return TRUE;
}

LRESULT OnSetSel(EditInstance& e, WPARAM start, LPARAM end) {
  size_t length = TextLength(e.hwnd);
  if (static_cast<int>(start) == -1) {
    e.anchor = e.caret;  // deselects, the caret stays
    return 0;
  }
  size_t from = std::min(static_cast<size_t>(static_cast<DWORD>(start)), length);
  size_t to = static_cast<int>(end) == -1 ? length : std::min(static_cast<size_t>(static_cast<DWORD>(end)), length);
  e.anchor = from;
  e.caret = to;
  return 0;
}

LRESULT OnGetSel(const EditInstance& e, DWORD* start, DWORD* end) {
  DWORD from = static_cast<DWORD>(SelectionStart(e));
  DWORD to = static_cast<DWORD>(SelectionEnd(e));
  if (start != nullptr) *start = from;
  if (end != nullptr) *end = to;
  return MAKELONG(std::min<DWORD>(from, 0xFFFF), std::min<DWORD>(to, 0xFFFF));
}

LRESULT OnLButtonDown(const EditPtr& e, int x) {
  SetFocus(e->hwnd);
  if (IsGone(*e)) return 0;
  size_t length = TextLength(e->hwnd);
  const int charWidth = SystemFontCharWidth();
  size_t position = x <= 0 ? 0 : static_cast<size_t>((x + charWidth / 2) / charWidth);
  e->anchor = e->caret = std::min(position, length);
  return 0;
}

// The line of a character (-1: of the selection's start).
LRESULT OnLineFromChar(const EditInstance& e, WPARAM index) {
  const std::vector<size_t> starts = LineStarts(e.hwnd);
  const size_t position =
      static_cast<int>(index) == -1 ? SelectionStart(e) : std::min(static_cast<size_t>(index), TextLength(e.hwnd));
  return static_cast<LRESULT>(LineOf(starts, position));
}

// Where a line starts (-1: the caret's line); -1 for a line past the last.
LRESULT OnLineIndex(const EditInstance& e, WPARAM line) {
  const std::vector<size_t> starts = LineStarts(e.hwnd);
  const size_t which = static_cast<int>(line) == -1 ? LineOf(starts, e.caret) : static_cast<size_t>(line);
  return which < starts.size() ? static_cast<LRESULT>(starts[which]) : -1;
}

// The length of the line that holds a character (-1: the characters of the selection's lines that
// are not selected).
LRESULT OnLineLength(const EditInstance& e, WPARAM index) {
  const std::vector<size_t> starts = LineStarts(e.hwnd);
  if (static_cast<int>(index) == -1) {
    const size_t first = LineOf(starts, SelectionStart(e));
    const size_t last = LineOf(starts, SelectionEnd(e));
    const size_t lastEnd = starts[last] + LineLength(e.hwnd, starts, last);
    return static_cast<LRESULT>((SelectionStart(e) - starts[first]) + (lastEnd - SelectionEnd(e)));
  }
  const size_t position = std::min(static_cast<size_t>(index), TextLength(e.hwnd));
  return static_cast<LRESULT>(LineLength(e.hwnd, starts, LineOf(starts, position)));
}

// EM_GETLINE: the line's text into the buffer whose first WORD gives its size in characters; no
// terminator is written. Returns the characters copied.
LRESULT OnGetLine(const EditInstance& e, WPARAM line, LPARAM buffer) {
  if (buffer == 0) return 0;
  const std::vector<size_t> starts = LineStarts(e.hwnd);
  const size_t which = IsMultiline(e.hwnd) ? static_cast<size_t>(line) : 0;
  if (which >= starts.size()) return 0;
  WCHAR* out = reinterpret_cast<WCHAR*>(buffer);
  const size_t capacity = *reinterpret_cast<const WORD*>(buffer);
  const std::u16string text = ControlText(e.hwnd);
  const size_t length = std::min(capacity, LineLength(e.hwnd, starts, which));
  std::copy(text.begin() + static_cast<std::ptrdiff_t>(starts[which]),
            text.begin() + static_cast<std::ptrdiff_t>(starts[which] + length), out);
  return static_cast<LRESULT>(length);
}

LRESULT OnSetReadOnly(HWND hwnd, bool readOnly) {
  LONG_PTR style = GetWindowLongW(hwnd, GWL_STYLE);
  SetWindowLongW(hwnd, GWL_STYLE, readOnly ? style | ES_READONLY : style & ~static_cast<LONG_PTR>(ES_READONLY));
  return TRUE;
}

LRESULT HandleMessage(const EditPtr& e, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = e->hwnd;
  switch (message) {
    case WM_CREATE:
    case WM_DESTROY: return 0;
    case WM_GETDLGCODE:
      // A multi-line control takes every key, Enter and Escape among them.
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (IsMultiline(hwnd) ? DLGC_WANTALLKEYS : 0);
    case WM_CHAR: return OnChar(e, static_cast<char16_t>(wParam));
    case WM_KEYDOWN: return OnKeyDown(e, static_cast<UINT>(wParam));
    case WM_SETTEXT: return OnSetText(e, reinterpret_cast<LPCWSTR>(lParam));
    case WM_LBUTTONDOWN: return OnLButtonDown(e, GET_X_LPARAM(lParam));
    case WM_SETFOCUS:
      CommandParent(*e, kSetFocus);
      return 0;
    case WM_KILLFOCUS:
      CommandParent(*e, kKillFocus);
      return 0;
    case EM_SETSEL: return OnSetSel(*e, wParam, lParam);
    case EM_GETSEL: return OnGetSel(*e, reinterpret_cast<DWORD*>(wParam), reinterpret_cast<DWORD*>(lParam));
    case EM_REPLACESEL:
      if (lParam != 0) ReplaceSelection(e, TextUpTo(reinterpret_cast<LPCWSTR>(lParam), kLargestLimit));
      return 0;
    case EM_LIMITTEXT:
      e->limit = wParam == 0 ? kLargestLimit : static_cast<size_t>(wParam);
      return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(e->limit);
    case EM_SETREADONLY: return OnSetReadOnly(hwnd, wParam != 0);
    case EM_GETLINECOUNT: return static_cast<LRESULT>(LineStarts(hwnd).size());
    case EM_LINEFROMCHAR: return OnLineFromChar(*e, wParam);
    case EM_LINEINDEX: return OnLineIndex(*e, wParam);
    case EM_LINELENGTH: return OnLineLength(*e, wParam);
    case EM_GETLINE: return OnGetLine(*e, wParam, lParam);
    case EM_GETMODIFY: return e->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
      e->modified = wParam != 0;
      return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunControl<EditInstance>("Edit", &HandleMessage, hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterEditClass() {
  WNDCLASSW cls = {};
  cls.style = CS_DBLCLKS | CS_GLOBALCLASS;
  cls.lpfnWndProc = &EditProc;
  cls.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
  cls.lpszClassName = u"Edit";
  RegisterPredefinedClass(cls);
}

}  // namespace cesim::detail
