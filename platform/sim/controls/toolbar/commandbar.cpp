// Command bars: a toolbar created along the top of a window, as wide as the window, that holds a
// menu bar as one of its buttons. The menu bar's pop-up menus open with a tap and send their
// WM_INITMENUPOPUP and WM_COMMAND to the command bar's parent.
#include "controls/toolbar/toolbar.h"
#include "sim/commctrl.h"
#include "sim/core.h"
#include "sim/menu.h"
#include "sim/window.h"

namespace {

// Inserts the menu as the menu bar; the command bar destroys a menu it loaded itself.
BOOL InsertMenuBar(HWND hwndCB, HMENU menu, bool owned, WORD iButton) {
  if (menu == nullptr) return FALSE;
  if (!cesim::detail::InsertToolbarMenuBar(hwndCB, menu, owned, iButton)) {
    if (owned) DestroyMenu(menu);
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

bool IsCommandBar(HWND hwnd) {
  if (!cesim::detail::IsToolbar(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  return true;
}

}  // namespace

CESIM_API HWND WINAPI CommandBar_Create(HINSTANCE hInst, HWND hwndParent, int idCmdBar) {
  if (!IsWindow(hwndParent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_NODIVIDER | CCS_TOP, 0, 0, 0, 0,
                             hwndParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(idCmdBar)), hInst, nullptr);
  if (bar == nullptr) return nullptr;
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(bar, TB_AUTOSIZE, 0, 0);
  return bar;
}

CESIM_API BOOL WINAPI CommandBar_InsertMenubar(HWND hwndCB, HINSTANCE hInst, WORD idMenu, WORD iButton) {
  if (!IsCommandBar(hwndCB)) return FALSE;
  return InsertMenuBar(hwndCB, LoadMenuW(hInst, MAKEINTRESOURCEW(idMenu)), true, iButton);
}

CESIM_API BOOL WINAPI CommandBar_InsertMenubarEx(HWND hwndCB, HINSTANCE hInst, LPWSTR pszMenu, WORD iButton) {
  if (!IsCommandBar(hwndCB)) return FALSE;
  if (hInst == nullptr) {
    // pszMenu is a menu the caller made and keeps.
    HMENU menu = reinterpret_cast<HMENU>(pszMenu);
    if (!IsMenu(menu)) return FALSE;
    return InsertMenuBar(hwndCB, menu, false, iButton);
  }
  return InsertMenuBar(hwndCB, LoadMenuW(hInst, pszMenu), true, iButton);
}

CESIM_API HMENU WINAPI CommandBar_GetMenu(HWND hwndCB, WORD iButton) {
  if (!IsCommandBar(hwndCB)) return nullptr;
  int button = -1;
  HMENU menu = cesim::detail::ToolbarMenuBar(hwndCB, &button);
  return menu != nullptr && button == static_cast<int>(iButton) ? menu : nullptr;
}

CESIM_API BOOL WINAPI CommandBar_DrawMenuBar(HWND hwndCB, WORD iButton) {
  if (CommandBar_GetMenu(hwndCB, iButton) == nullptr) return FALSE;
  // The menu bar is measured again from its menu; its neighbours move with it.
  SendMessageW(hwndCB, TB_AUTOSIZE, 0, 0);
  return TRUE;
}

CESIM_API int WINAPI CommandBar_Height(HWND hwndCB) {
  RECT rect;
  if (!IsCommandBar(hwndCB) || !GetWindowRect(hwndCB, &rect)) return 0;
  return rect.bottom - rect.top;
}
