// Command bars on desktop Windows, which has none: a toolbar across the top of the window, and the
// menu bar is the window's own menu (SetMenu). Its pop-up menus send WM_INITMENUPOPUP and the
// chosen commands to the window, as a command bar's menu bar sends them to the command bar's parent.
#include "desktop/ce_desktop.h"

namespace {

// The window whose menu the command bar's menu bar is.
HWND Owner(HWND commandBar) { return IsWindow(commandBar) ? GetParent(commandBar) : NULL; }

BOOL AttachMenu(HWND commandBar, HMENU menu) {
  HWND owner = Owner(commandBar);
  if (owner == NULL || menu == NULL || GetMenu(owner) != NULL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return SetMenu(owner, menu);
}

}  // namespace

HWND WINAPI CommandBar_Create(HINSTANCE hInst, HWND hwndParent, int idCmdBar) {
  if (!IsWindow(hwndParent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return NULL;
  }
  INITCOMMONCONTROLSEX controls;
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
  HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, NULL, WS_CHILD | WS_VISIBLE | CCS_TOP | CCS_NODIVIDER, 0, 0, 0, 0,
                             hwndParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(idCmdBar)), hInst, NULL);
  if (bar == NULL) return NULL;
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(bar, TB_AUTOSIZE, 0, 0);
  return bar;
}

BOOL WINAPI CommandBar_InsertMenubar(HWND hwndCB, HINSTANCE hInst, WORD idMenu, WORD) {
  HMENU menu = LoadMenuW(hInst, MAKEINTRESOURCEW(idMenu));
  if (menu == NULL) return FALSE;
  if (!AttachMenu(hwndCB, menu)) {
    DestroyMenu(menu);
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI CommandBar_InsertMenubarEx(HWND hwndCB, HINSTANCE hInst, LPWSTR pszMenu, WORD iButton) {
  if (hInst != NULL) {
    HMENU menu = LoadMenuW(hInst, pszMenu);
    if (menu == NULL) return FALSE;
    if (!AttachMenu(hwndCB, menu)) {
      DestroyMenu(menu);
      return FALSE;
    }
    return TRUE;
  }
  (void)iButton;
  HMENU menu = reinterpret_cast<HMENU>(pszMenu);
  if (!IsMenu(menu)) return FALSE;
  return AttachMenu(hwndCB, menu);
}

HMENU WINAPI CommandBar_GetMenu(HWND hwndCB, WORD) {
  HWND owner = Owner(hwndCB);
  return owner == NULL ? NULL : GetMenu(owner);
}

BOOL WINAPI CommandBar_DrawMenuBar(HWND hwndCB, WORD) {
  HWND owner = Owner(hwndCB);
  return owner != NULL && DrawMenuBar(owner);
}

int WINAPI CommandBar_Height(HWND hwndCB) {
  RECT rect;
  if (!IsWindow(hwndCB) || !GetWindowRect(hwndCB, &rect)) return 0;
  return rect.bottom - rect.top;
}
