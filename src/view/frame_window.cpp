// The frame window extension: attached when the Explorer creates its frame, started once at
// the Explorer's first folder listing, then first to see every message of the frame.
#include "view/frame_window.h"

#include "host/host_contract.h"
#include "host/settings.h"
#include "module/module_state.h"
#include "view/change_folder_dialog.h"
#include "view/commands.h"
#include "view/image_preview.h"
#include "view/list_style.h"
#include "view/path_history_menu.h"
#include "view/view_options_menu.h"

namespace {

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_module.framePreviousProc == NULL) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(g_module.framePreviousProc, window, message, wParam, lParam);
}

// The first toolbar button loses its drop-down arrow; a toolbar without buttons stays as it is.
void RestyleFirstToolbarButton(HWND toolbar) {
  TBBUTTON button;
  memset(&button, 0, sizeof(button));
  if (toolbar == NULL || !SendMessageW(toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button))) return;
  TBBUTTONINFOW info;
  memset(&info, 0, sizeof(info));
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_STYLE;
  info.fsStyle = static_cast<BYTE>(button.fsStyle & ~TBSTYLE_DROPDOWN);
  SendMessageW(toolbar, TB_SETBUTTONINFOW, static_cast<WPARAM>(button.idCommand), reinterpret_cast<LPARAM>(&info));
}

void SetHeaderWidth(HWND header, int column, int width) {
  HDITEMW item;
  memset(&item, 0, sizeof(item));
  item.mask = HDI_WIDTH;
  item.cxy = width;
  SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

void RestoreColumnWidths(HWND listView) {
  BYTE widths[8];
  if (!LoadColumnWidths(widths)) return;
  for (int column = 0; column < 4; ++column) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    SetHeaderWidth(header, column, widths[2 * column] | (widths[2 * column + 1] << 8));
  }
}

HWND CreateOverlayWindow() {
  DWORD style = WS_CHILD | WS_BORDER | SS_BITMAP;
  // Without the entry point the overlay cannot turn translucent, so taps on it mean nothing.
  if (g_module.setLayeredWindowAttributes != NULL) style |= SS_NOTIFY;
  return CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE, TEXT("Static"), NULL, style, 0, 0, 0, 0,
                         g_module.frameWindow, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(OVERLAY_CONTROL_ID)),
                         g_module.instance, NULL);
}

LRESULT StartUp() {
  RestyleFirstToolbarButton(GetWindow(g_module.frameWindow, GW_CHILD));
  HWND listView = g_module.listView;
  ApplyListStyle(listView, GetListStyle());
  int cx = GetSystemMetrics(SM_CXICONSPACING);
  int cy = GetSystemMetrics(SM_CYICONSPACING);
  SendMessageW(listView, LVM_SETICONSPACING, 0, MAKELPARAM(static_cast<WORD>(cx * 3 / 4), static_cast<WORD>(cy)));
  RestoreColumnWidths(listView);
  g_module.overlayWindow = CreateOverlayWindow();
  // Set only now: width reports caused by the restored widths above are not stored again.
  g_module.overlayCreated = TRUE;
  return 0;
}

// Each tap on the overlay makes it one step more transparent, in six steps that wrap around.
void StepOverlayTransparency() {
  if (g_module.setLayeredWindowAttributes == NULL) return;
  if (!g_module.overlayLayered) {
    g_module.overlayLayered = TRUE;
    SetWindowLongW(g_module.overlayWindow, GWL_EXSTYLE, WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_CLIENTEDGE);
  }
  g_module.setLayeredWindowAttributes(g_module.overlayWindow, 0, static_cast<BYTE>(255 - g_module.overlayAlphaStep),
                                      LWA_ALPHA);
  g_module.overlayAlphaStep = static_cast<BYTE>((g_module.overlayAlphaStep + 32) % 192);
}

BOOL IsNetworkPath(LPCWSTR path) { return path[0] == TEXT('\\') && path[1] == TEXT('\\'); }

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  if (wParam == OVERLAY_CONTROL_ID) {
    StepOverlayTransparency();
    return PassOn(window, WM_COMMAND, wParam, lParam);
  }
  StopPreview();
  UINT command = LOWORD(wParam);
  if (command >= CMD_DELETE_PATH_FIRST && command <= CMD_DELETE_PATH_LAST) {
    DeletePathAndRestart(static_cast<WCHAR>(command & 0xFF));
  } else if (ListStyleOfCommand(command) != 0) {
    DWORD value = ListStyleOfCommand(command);
    ApplyListStyle(g_module.listView, value);
    SetListStyle(value);
    SendMessageW(g_module.listView, LVM_ARRANGE, LVA_DEFAULT, 0);
  } else if (command == CMD_SHOW_EXTENSION) {
    ToggleShowExt();
    SendMessageW(g_module.frameWindow, WM_COMMAND, HOST_CMD_REFRESH_VIEW, 0);
  } else if (command == CMD_PREVIEW_IMAGE) {
    TogglePreview();
  } else if (command == HOST_CMD_FOLDER) {
    WCHAR location[MAX_PATH];
    location[0] = 0;
    GetLastLocation(location);
    if (!IsNetworkPath(location)) {
      ShowChangeFolderDialog(g_module.frameWindow);
      return 0;
    }
  }
  return PassOn(window, WM_COMMAND, wParam, lParam);
}

// The host's folder pop-up that starts with the network root: the Change Folder dialog takes
// its place, so it goes.
BOOL IsNetworkRootPopup(HMENU popup) {
  WCHAR text[6];
  text[0] = 0;
  MENUITEMINFOW item;
  memset(&item, 0, sizeof(item));
  item.cbSize = sizeof(item);
  item.fMask = MIIM_TYPE | MIIM_ID;
  item.dwTypeData = text;
  item.cch = sizeof(text) / sizeof(text[0]);
  if (!GetMenuItemInfoW(popup, 0, TRUE, &item)) return FALSE;
  text[sizeof(text) / sizeof(text[0]) - 1] = 0;
  return item.wID == 256 && wcscmp(text, TEXT("\\\\")) == 0;
}

LRESULT OnInitMenuPopup(HWND window, WPARAM wParam, LPARAM lParam) {
  StopPreview();
  HMENU popup = reinterpret_cast<HMENU>(wParam);
  if (IsPathHistoryPopup(popup)) {
    RemoveDeletePathMenu(popup);
    LRESULT result = PassOn(window, WM_INITMENUPOPUP, wParam, lParam);
    AddDeletePathMenu(popup);
    return result;
  }
  if (IsViewPopup(popup)) {
    AddViewOptionsMenu(popup);
    UpdateViewOptionsMarks();
    return PassOn(window, WM_INITMENUPOPUP, wParam, lParam);
  }
  if (lParam == 0 && IsNetworkRootPopup(popup)) DestroyMenu(popup);
  return PassOn(window, WM_INITMENUPOPUP, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == VIEW_CALL_INIT && wParam == 0 && lParam != 0) {
    g_module.framePreviousProc = reinterpret_cast<WNDPROC>(lParam);
    g_module.frameWindow = window;
    return 0;
  }
  if (message == VIEW_CALL_STARTUP && window == NULL) return StartUp();
  switch (message) {
    case WM_COMMAND:
      return OnCommand(window, wParam, lParam);
    case WM_INITMENUPOPUP:
      return OnInitMenuPopup(window, wParam, lParam);
    default:
      return PassOn(window, message, wParam, lParam);
  }
}
