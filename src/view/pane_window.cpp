// The procedure put in front of the Explorer's list pane. It sees every message of the pane
// window first, does its own work and hands the message on to the host's procedure, except
// where it uses a command or a key up itself.
#include "view/pane_window.h"

#include "host/host_contract.h"
#include "host/host_item.h"
#include "host/settings.h"
#include "module/module_state.h"
#include "view/change_folder_dialog.h"
#include "view/column_widths.h"
#include "view/commands.h"
#include "view/extension_display.h"
#include "view/frame_window.h"
#include "view/image_preview.h"
#include "view/list_style.h"
#include "view/pane_context_menu.h"
#include "view/pane_gestures.h"
#include "view/pane_keys.h"

namespace {

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_module.panePreviousProc == NULL) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(g_module.panePreviousProc, window, message, wParam, lParam);
}

// The init call, made once the procedure is attached: the host's procedure and the list view,
// the pane's first child. The latest pane window is the one the module works with.
LRESULT OnInitCall(HWND window, LPARAM previous) {
  g_module.panePreviousProc = reinterpret_cast<WNDPROC>(previous);
  g_module.listView = GetWindow(window, GW_CHILD);
  return 0;
}

// A size change that changes the pane's width makes the host resize column 0; the column-width
// rules then restore the kept widths instead of keeping the host's.
void OnWindowPosChanged(const WINDOWPOS* position) {
  StopPreview();
  if (position == NULL || (position->flags & SWP_NOSIZE) != 0) return;
  g_module.paneWidthChanged = position->cx != g_module.lastPaneWidth;
  g_module.lastPaneWidth = position->cx;
}

// Returns TRUE when the command is used up here.
BOOL OnCommand(HWND window, UINT command) {
  switch (command) {
    case CMD_SHOW_EXTENSION:
      // The host refills the list, which asks for every item's text again.
      ToggleShowExt();
      SendMessageW(window, WM_COMMAND, HOST_CMD_REFILL_LIST, 0);
      return TRUE;
    case CMD_STYLE_DETAIL:
    case CMD_STYLE_DETAIL_HEADER:
    case CMD_STYLE_ICON: {
      DWORD style = ListStyleOfCommand(command);
      ApplyListStyle(g_module.listView, style);
      SetListStyle(style);
      SendMessageW(g_module.listView, LVM_ARRANGE, LVA_DEFAULT, 0);
      return FALSE;
    }
    case CMD_PREVIEW_IMAGE:
      StopPreview();
      TogglePreview();
      return TRUE;
    case CMD_CHANGE_FOLDER:
      ShowChangeFolderDialog(g_module.frameWindow);
      return FALSE;
    default:
      return FALSE;
  }
}

// An item that has just gained the focus, while the preview is on, is previewed once the list
// has kept still for a moment; folders and ROM modules are no pictures.
void StartPreviewOfFocusedItem(HWND window, const NMLISTVIEW* change) {
  if (GetPreview() == 0) return;
  if ((change->uNewState & LVIS_FOCUSED) == 0 || (change->uOldState & LVIS_FOCUSED) != 0) return;
  if ((HostItemAttributes(change->lParam) & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ROMMODULE)) != 0) return;
  SetTimer(window, PREVIEW_TIMER_ID, PREVIEW_DELAY_MS, NULL);
}

void OnItemChanged(HWND window, const NMLISTVIEW* change) {
  StopPreview();
  KeepTopItemUnselected(change);
  StartPreviewOfFocusedItem(window, change);
}

LRESULT OnNotify(HWND window, WPARAM wParam, NMHDR* header) {
  LPARAM lParam = reinterpret_cast<LPARAM>(header);
  if (header == NULL) return PassOn(window, WM_NOTIFY, wParam, lParam);
  switch (header->code) {
    case LVN_DELETEALLITEMS:
      // The host empties the list before it fills it: the stored style comes back, whatever
      // the host did to the list view's style meanwhile.
      ApplyListStyle(g_module.listView, GetListStyle());
      break;
    case LVN_ITEMCHANGED:
      OnItemChanged(window, reinterpret_cast<const NMLISTVIEW*>(header));
      break;
    case HDN_ITEMCHANGEDW:
      OnColumnWidthChanged(window, reinterpret_cast<const NMHEADERW*>(header));
      break;
    case LVN_KEYDOWN:
      if (OnListKeyDown(reinterpret_cast<const NMLVKEYDOWN*>(header))) return 0;
      break;
    default:
      break;
  }

  if (GetShowExt() != 0) {
    if (header->code == LVN_GETDISPINFOW) {
      NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      DisplayTextBuffer buffer = TakeDisplayTextBuffer(info);
      LRESULT result = PassOn(window, WM_NOTIFY, wParam, lParam);
      ShowWholeFileName(info, buffer);
      return result;
    }
    if (header->code == LVN_BEGINLABELEDITW) CutExtensionInRenameBox(reinterpret_cast<const NMLVDISPINFOW*>(header));
  }
  return PassOn(window, WM_NOTIFY, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK PaneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case VIEW_CALL_INIT:
      if (wParam == 0 && lParam != 0) return OnInitCall(window, lParam);
      break;
    case WM_WINDOWPOSCHANGED:
      OnWindowPosChanged(reinterpret_cast<const WINDOWPOS*>(lParam));
      break;
    case WM_NOTIFY:
      return OnNotify(window, wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
      if (OnCommand(window, LOWORD(wParam))) return 0;
      break;
    case WM_TIMER:
      // Whatever the timer: the preview step looks at the focused item and stops the timer.
      RunPreviewStep(window);
      break;
    case WM_INITMENUPOPUP:
      StopPreview();
      OnPanePopupOpens(reinterpret_cast<HMENU>(wParam));
      break;
    case WM_GESTURE:
      OnPaneGesture(window, wParam, lParam);
      break;
    default:
      break;
  }
  return PassOn(window, message, wParam, lParam);
}
