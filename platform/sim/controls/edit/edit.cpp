// The "Edit" class: a single line of text that the user types into (WM_CHAR), with a selection,
// a text limit (EM_LIMITTEXT), read-only mode and the EN_ notifications of each change.
#include "controls/edit/edit.h"

#include <algorithm>
#include <string>

#include "controls/common/instances.h"
#include "sim/controls.h"
#include "sim/dialog.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/metrics.h"

namespace cesim::detail {

namespace {

// The limit a single-line edit control starts with.
constexpr size_t kDefaultLimit = 32767;
// What EM_LIMITTEXT with 0 sets.
constexpr size_t kLargestLimit = 0x7FFFFFFE;

struct EditInstance {
  HWND hwnd = nullptr;
  size_t anchor = 0;  // selection: from the anchor to the caret
  size_t caret = 0;
  size_t limit = kDefaultLimit;
  bool modified = false;
};

using Instances = ControlInstances<EditInstance>;

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

size_t SelectionStart(const EditInstance& e) { return std::min(e.anchor, e.caret); }
size_t SelectionEnd(const EditInstance& e) { return std::max(e.anchor, e.caret); }

void CheckInvariants(const EditInstance& e) {
  size_t length = TextLength(e.hwnd);
  CESIM_CHECK_INVARIANT(e.anchor <= length && e.caret <= length, "selection within the text");
  CESIM_CHECK_INVARIANT(e.limit > 0, "text limit");
}

// The one place the edit control tells its parent something.
void Notify(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (parent == nullptr) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

void NotifyChanged(HWND hwnd) {
  Notify(hwnd, EN_UPDATE);
  if (IsWindow(hwnd)) Notify(hwnd, EN_CHANGE);
}

// Replaces the selection, within the limit; the part that does not fit is cut and EN_MAXTEXT
// tells the parent.
void ReplaceSelection(std::shared_ptr<EditInstance> e, const std::u16string& insert) {
  HWND hwnd = e->hwnd;
  std::u16string text = ControlText(hwnd);
  size_t start = SelectionStart(*e);
  size_t end = SelectionEnd(*e);
  size_t room = e->limit > text.size() - (end - start) ? e->limit - (text.size() - (end - start)) : 0;
  std::u16string fitting = insert.substr(0, std::min(insert.size(), room));
  bool cut = fitting.size() < insert.size();
  if (fitting.empty() && start == end) {
    if (cut) Notify(hwnd, EN_MAXTEXT);
    return;
  }
  text.replace(start, end - start, fitting);
  StoreText(hwnd, text);
  e->anchor = e->caret = start + fitting.size();
  e->modified = true;
  NotifyChanged(hwnd);
  if (cut && IsWindow(hwnd)) Notify(hwnd, EN_MAXTEXT);
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

LRESULT OnChar(std::shared_ptr<EditInstance> e, char16_t c) {
  DWORD style = StyleOf(e->hwnd);
  if ((style & ES_READONLY) != 0) return 0;
  if (c == 0x08) {
    // Backspace: the selection, or the character before the caret.
    if (SelectionStart(*e) == SelectionEnd(*e)) {
      if (e->caret == 0) return 0;
      e->anchor = e->caret - 1;
    }
    ReplaceSelection(e, std::u16string());
    return 0;
  }
  if (!Accepts(style, c)) return 0;
  ReplaceSelection(e, std::u16string(1, Converted(style, c)));
  return 0;
}

LRESULT OnKeyDown(std::shared_ptr<EditInstance> e, UINT vk) {
  size_t length = TextLength(e->hwnd);
  switch (vk) {
    case VK_LEFT:
      e->caret = e->anchor = SelectionStart(*e) == SelectionEnd(*e) && e->caret > 0 ? e->caret - 1 : SelectionStart(*e);
      break;
    case VK_RIGHT:
      e->caret = e->anchor = SelectionStart(*e) == SelectionEnd(*e) && e->caret < length ? e->caret + 1 : SelectionEnd(*e);
      break;
    case VK_HOME:
      e->caret = e->anchor = 0;
      break;
    case VK_END:
      e->caret = e->anchor = length;
      break;
    case VK_DELETE:
      if ((StyleOf(e->hwnd) & ES_READONLY) != 0) break;
      if (SelectionStart(*e) == SelectionEnd(*e)) {
        if (e->caret >= length) break;
        e->anchor = e->caret + 1;
      }
      ReplaceSelection(e, std::u16string());
      break;
    default:
      break;
  }
  return 0;
}

LRESULT OnSetText(std::shared_ptr<EditInstance> e, LPCWSTR text) {
  StoreText(e->hwnd, BoundedText(text, kLargestLimit));
  e->anchor = e->caret = 0;
  e->modified = false;
  NotifyChanged(e->hwnd);
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

LRESULT OnLButtonDown(std::shared_ptr<EditInstance> e, int x) {
  SetFocus(e->hwnd);
  if (!IsWindow(e->hwnd)) return 0;
  size_t length = TextLength(e->hwnd);
  size_t position = x <= 0 ? 0 : static_cast<size_t>((x + kSystemFontCharWidth / 2) / kSystemFontCharWidth);
  e->anchor = e->caret = std::min(position, length);
  return 0;
}

LRESULT OnSetReadOnly(HWND hwnd, bool readOnly) {
  LONG_PTR style = GetWindowLongW(hwnd, GWL_STYLE);
  SetWindowLongW(hwnd, GWL_STYLE, readOnly ? style | ES_READONLY : style & ~static_cast<LONG_PTR>(ES_READONLY));
  return TRUE;
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    Instances::Create(hwnd)->hwnd = hwnd;
    return 0;
  }
  std::shared_ptr<EditInstance> e = Instances::Find(hwnd);
  if (e == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  CheckInvariants(*e);
  switch (message) {
    case WM_DESTROY:
      Instances::Forget(hwnd);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_CHAR: return OnChar(e, static_cast<char16_t>(wParam));
    case WM_KEYDOWN: return OnKeyDown(e, static_cast<UINT>(wParam));
    case WM_SETTEXT: return OnSetText(e, reinterpret_cast<LPCWSTR>(lParam));
    case WM_LBUTTONDOWN: return OnLButtonDown(e, GET_X_LPARAM(lParam));
    case WM_SETFOCUS:
      Notify(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      Notify(hwnd, EN_KILLFOCUS);
      return 0;
    case EM_SETSEL: return OnSetSel(*e, wParam, lParam);
    case EM_GETSEL: return OnGetSel(*e, reinterpret_cast<DWORD*>(wParam), reinterpret_cast<DWORD*>(lParam));
    case EM_REPLACESEL:
      if (lParam != 0) ReplaceSelection(e, BoundedText(reinterpret_cast<LPCWSTR>(lParam), kLargestLimit));
      return 0;
    case EM_LIMITTEXT:
      e->limit = wParam == 0 ? kLargestLimit : static_cast<size_t>(wParam);
      return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(e->limit);
    case EM_SETREADONLY: return OnSetReadOnly(hwnd, wParam != 0);
    case EM_GETMODIFY: return e->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
      e->modified = wParam != 0;
      return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void RegisterEditClass() {
  WNDCLASSW cls = {};
  cls.style = CS_DBLCLKS | CS_GLOBALCLASS;
  cls.lpfnWndProc = &EditProc;
  cls.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
  cls.lpszClassName = u"Edit";
  RegisterClassW(&cls);
  std::shared_ptr<WindowClass> registered = FindClass(u"Edit");
  if (registered) registered->system = true;
}

}  // namespace cesim::detail
