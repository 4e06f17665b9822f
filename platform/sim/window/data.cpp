// A window's text and the values behind GetWindowLongW: procedure, styles, identifier, user
// data and the extra slots that the class reserves (dialogs keep DWL_MSGRESULT, DWL_DLGPROC and
// DWL_USER there).
#include "sim/core.h"
#include "sim/message.h"
#include "sim/window.h"
#include "loader/loader.h"
#include "window/table.h"

using namespace cesim::detail;

namespace {

// Extra slots hold a whole LONG_PTR each; an index is valid when a LONG fits there, as on the
// device.
bool ValidExtraIndex(const Window& w, int index) {
  int extra = w.cls ? w.cls->windowExtra : 0;
  return index >= 0 && index + static_cast<int>(sizeof(LONG)) <= extra;
}

LONG_PTR SignExtended(DWORD value) { return static_cast<LONG_PTR>(static_cast<LONG>(value)); }

}  // namespace

BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
  if (WindowOrFail(hWnd) == nullptr) return FALSE;
  return SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) != 0 ? TRUE : FALSE;
}

int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) {
  if (lpString == nullptr || nMaxCount <= 0) return 0;
  lpString[0] = 0;
  if (WindowOrFail(hWnd) == nullptr) return 0;
  LRESULT copied = SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString));
  // Terminated within the buffer whatever the window procedure did.
  int count = static_cast<int>(copied < 0 ? 0 : (copied >= nMaxCount ? nMaxCount - 1 : copied));
  lpString[count] = 0;
  return count;
}

int WINAPI GetWindowTextLengthW(HWND hWnd) {
  if (WindowOrFail(hWnd) == nullptr) return 0;
  return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

LONG_PTR WINAPI GetWindowLongW(HWND hWnd, int nIndex) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr) return 0;
  switch (nIndex) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_ID: return static_cast<LONG_PTR>(w->id);
    case GWL_STYLE: return SignExtended(w->style);
    case GWL_EXSTYLE: return SignExtended(w->exStyle);
    case GWL_USERDATA: return w->userData;
    default: break;
  }
  if (!ValidExtraIndex(*w, nIndex)) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  auto it = w->extra.find(nIndex);
  return it == w->extra.end() ? 0 : it->second;
}

LONG_PTR WINAPI SetWindowLongW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || hWnd == DesktopHandle()) return 0;
  LONG_PTR previous = 0;
  switch (nIndex) {
    case GWL_WNDPROC:
      previous = reinterpret_cast<LONG_PTR>(w->proc);
      w->proc = reinterpret_cast<WNDPROC>(dwNewLong);
      return previous;
    case GWL_HINSTANCE:
      previous = reinterpret_cast<LONG_PTR>(w->instance);
      w->instance = reinterpret_cast<HINSTANCE>(dwNewLong);
      return previous;
    case GWL_ID:
      previous = static_cast<LONG_PTR>(w->id);
      w->id = static_cast<UINT_PTR>(dwNewLong);
      return previous;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      DWORD& slot = nIndex == GWL_STYLE ? w->style : w->exStyle;
      STYLESTRUCT change = {slot, static_cast<DWORD>(dwNewLong)};
      previous = SignExtended(slot);
      slot = change.styleNew;
      if (nIndex == GWL_EXSTYLE && (previous & WS_EX_LAYERED) != 0 && (slot & WS_EX_LAYERED) == 0) {
        ForgetLayeredAttributes(hWnd);
      }
      // The window hears of every style change afterwards, also of one that changes nothing.
      SendMessageW(hWnd, WM_STYLECHANGED, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&change));
      return previous;
    }
    case GWL_USERDATA:
      previous = w->userData;
      w->userData = dwNewLong;
      return previous;
    default:
      break;
  }
  if (!ValidExtraIndex(*w, nIndex)) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  LONG_PTR& slot = w->extra[nIndex];
  previous = slot;
  slot = dwNewLong;
  return previous;
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex) { return GetWindowLongW(hWnd, nIndex); }

LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  return SetWindowLongW(hWnd, nIndex, dwNewLong);
}
