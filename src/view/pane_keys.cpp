// The list's keys, acted on when the list view reports them (LVN_KEYDOWN), before the host.
#include "view/pane_keys.h"

#include "host/host_contract.h"
#include "host/settings.h"
#include "module/module_state.h"
#include "view/change_folder_dialog.h"
#include "view/list_items.h"

namespace {

const UINT kFocusedAndSelected = LVIS_FOCUSED | LVIS_SELECTED;

// Shows the folder above the one the host shows: the host's last location cut at its last
// backslash, or the root for a folder directly below it. Without a known location, or with one
// that holds no backslash, there is no parent to go to.
void GoToParent() {
  WCHAR path[MAX_PATH];
  path[0] = 0;
  GetLastLocation(path);
  WCHAR* cut = wcsrchr(path, TEXT('\\'));
  if (cut == NULL) return;
  *cut = 0;
  LPCWSTR parent = path[0] != 0 ? path : TEXT("\\");
  SendMessageW(g_module.frameWindow, HOST_MSG_NAVIGATE, 0, reinterpret_cast<LPARAM>(parent));
}

// In the report styles (by the stored style) one press of Page Up or Page Down is injected,
// which the list view pages with when it arrives. TRUE when it was.
BOOL PageList(BYTE key) {
  if ((GetListStyle() & LVS_TYPEMASK) == 0) return FALSE;
  keybd_event(key, 0, KEYEVENTF_SILENT, 0);
  keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  return TRUE;
}

BOOL OnLeft(HWND listView) {
  if (ListItemState(listView, 0, LVIS_FOCUSED) != 0 || ListItemCount(listView) == 0) {
    GoToParent();
    return FALSE;
  }
  return PageList(VK_PRIOR);
}

BOOL OnUp(HWND listView) {
  if (ListItemState(listView, 0, kFocusedAndSelected) != kFocusedAndSelected) return FALSE;
  SetListItemState(listView, 0, LVIS_FOCUSED, kFocusedAndSelected);
  return TRUE;
}

// Enter in an empty list asks the shell for its context-menu gesture (a held action button),
// which shows the list's context menu; the gesture's answer is not needed.
void OnReturn(HWND listView) {
  if (ListItemCount(listView) != 0) return;
  SHRGINFO gesture;
  memset(&gesture, 0, sizeof(gesture));
  gesture.cbSize = sizeof(gesture);
  gesture.hwndClient = listView;
  gesture.dwFlags = SHRG_RETURNCMD;
  SHRecognizeGesture(&gesture);
}

BOOL IsPressed(int key) { return (GetAsyncKeyState(key) & 0xFFFF) != 0; }

}  // namespace

BOOL OnListKeyDown(const NMLVKEYDOWN* key) {
  HWND listView = g_module.listView;
  switch (key->wVKey) {
    case VK_BACK:
      GoToParent();
      return FALSE;
    case VK_TAB:
    case VK_ESCAPE:
      ShowChangeFolderDialog(g_module.frameWindow);
      return FALSE;
    case VK_RETURN:
      OnReturn(listView);
      return FALSE;
    case VK_LEFT:
      return OnLeft(listView);
    case VK_RIGHT:
      return PageList(VK_NEXT);
    case VK_UP:
      return OnUp(listView);
    default:
      return FALSE;
  }
}

void KeepTopItemUnselected(const NMLISTVIEW* change) {
  if (!IsPressed(VK_UP) && !IsPressed(VK_ACTION)) return;
  if (change->iItem != 0 || change->uOldState != LVIS_FOCUSED || change->uNewState != kFocusedAndSelected) return;
  SetListItemState(g_module.listView, 0, 0, LVIS_SELECTED);
}
