// The Explorer's list pane and the list view in it.
#include "pane_window.h"

#include "explorer_settings.h"
#include "folder_listing.h"
#include "frame_window.h"
#include "import_routing.h"
#include "item_record.h"
#include "item_rename.h"
#include "item_text.h"
#include "pane_menus.h"

namespace {

const WCHAR kPaneClass[] = TEXT("FexplorePane");
const int kOtherColumnWidths[kColumnCount] = {0, 50, 60, 60};
const int kMinimumNameWidth = 40;

struct PaneState {
  int width;  // the client width at the last WM_SIZE
};

PaneState* StateOf(HWND pane) { return reinterpret_cast<PaneState*>(GetWindowLongW(pane, GWL_USERDATA)); }

// The name column takes what the other columns leave of the pane's width.
int NameColumnWidth(int paneWidth) {
  int width = paneWidth - GetSystemMetrics(SM_CXVSCROLL);
  for (int column = 1; column < kColumnCount; ++column) width -= kOtherColumnWidths[column];
  return width < kMinimumNameWidth ? kMinimumNameWidth : width;
}

LRESULT OnCreate(HWND pane, const CREATESTRUCTW* create) {
  PaneState* state = static_cast<PaneState*>(LocalAlloc(LPTR, sizeof(PaneState)));
  if (state == NULL) return -1;
  SetWindowLongW(pane, GWL_USERDATA, reinterpret_cast<LONG_PTR>(state));
  RECT client;
  GetClientRect(pane, &client);
  state->width = client.right;
  HWND list = RoutedCreateWindowExW(
      0, WC_LISTVIEWW, NULL, WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS, 0, 0,
      client.right, client.bottom, pane, reinterpret_cast<HMENU>(static_cast<INT_PTR>(PANE_LIST_ID)),
      create->hInstance, NULL);
  if (list == NULL) return -1;
  for (int column = 0; column < kColumnCount; ++column) {
    LVCOLUMNW title;
    memset(&title, 0, sizeof(title));
    title.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    title.fmt = column == kColumnSize ? LVCFMT_RIGHT : LVCFMT_LEFT;
    title.cx = column == kColumnName ? NameColumnWidth(client.right) : kOtherColumnWidths[column];
    title.pszText = const_cast<LPWSTR>(ListColumnTitle(column));
    title.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&title));
  }
  return 0;
}

void OnSize(HWND pane, int width, int height) {
  HWND list = PaneListView(pane);
  if (list != NULL) MoveWindow(list, 0, 0, width, height, TRUE);
  PaneState* state = StateOf(pane);
  if (state == NULL || state->width == width) return;
  state->width = width;
  if (list != NULL) SendMessageW(list, LVM_SETCOLUMNWIDTH, kColumnName, MAKELPARAM(NameColumnWidth(width), 0));
}

void OnGetDisplayInfo(NMLVDISPINFOW* info) {
  if ((info->item.mask & LVIF_TEXT) == 0 || info->item.pszText == NULL || info->item.cchTextMax <= 0) return;
  FormatItemText(reinterpret_cast<const BYTE*>(info->item.lParam), info->item.iSubItem, info->item.pszText,
                 info->item.cchTextMax);
}

// The item at a screen point, or the focused item for a point of -1, -1 (the keyboard's menu).
int ItemAt(HWND list, LPARAM position, POINT* screen) {
  if (position == static_cast<LPARAM>(-1) || (LOWORD(position) == 0xFFFF && HIWORD(position) == 0xFFFF)) {
    int focused = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    RECT rect;
    memset(&rect, 0, sizeof(rect));
    rect.left = LVIR_LABEL;
    if (focused < 0 || !SendMessageW(list, LVM_GETITEMRECT, focused, reinterpret_cast<LPARAM>(&rect))) {
      GetWindowRect(list, &rect);
      screen->x = rect.left;
      screen->y = rect.top;
      return focused;
    }
    screen->x = rect.left;
    screen->y = rect.bottom;
    ClientToScreen(list, screen);
    return focused;
  }
  screen->x = static_cast<short>(LOWORD(position));
  screen->y = static_cast<short>(HIWORD(position));
  LVHITTESTINFO hit;
  memset(&hit, 0, sizeof(hit));
  hit.pt = *screen;
  ScreenToClient(list, &hit.pt);
  int item = static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) != 0 ? item : -1;
}

void OnContextMenu(HWND pane, LPARAM position) {
  HWND list = PaneListView(pane);
  if (list == NULL) return;
  POINT screen;
  int item = ItemAt(list, position, &screen);
  if (item >= 0) {
    ShowItemMenu(pane, list, item, screen);
  } else {
    ShowPaneMenu(pane, list, screen);
  }
}

LRESULT OnNotify(HWND pane, NMHDR* header) {
  HWND list = PaneListView(pane);
  if (header == NULL || list == NULL || header->hwndFrom != list) return 0;
  switch (header->code) {
    case LVN_GETDISPINFOW:
      OnGetDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(header));
      return 0;
    case LVN_DELETEITEM:
      FreeItemRecord(reinterpret_cast<BYTE*>(reinterpret_cast<NMLISTVIEW*>(header)->lParam));
      return 0;
    case LVN_DELETEALLITEMS:
      return FALSE;  // LVN_DELETEITEM for each item, which frees its record
    case LVN_BEGINLABELEDITW:
      return FALSE;  // every item may be renamed
    case LVN_ENDLABELEDITW:
      return EndItemRename(list, reinterpret_cast<NMLVDISPINFOW*>(header));
    case LVN_ITEMACTIVATE:
      OpenListItem(pane, list, reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
      return 0;
    case LVN_KEYDOWN: {
      const NMLVKEYDOWN* key = reinterpret_cast<NMLVKEYDOWN*>(header);
      int focused = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
      if (key->wVKey == VK_RETURN && focused >= 0) OpenListItem(pane, list, focused);
      if (key->wVKey == VK_DELETE && focused >= 0) DeleteListItem(pane, list, focused);
      return 0;
    }
    default:
      return 0;
  }
}

void OnCommand(HWND pane, UINT command) {
  if (command == PANE_CMD_REFILL) RefillPane(pane);
}

void OnDestroy(HWND pane) {
  LocalFree(StateOf(pane));
  SetWindowLongW(pane, GWL_USERDATA, 0);
}

LRESULT CALLBACK PaneWindowProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(pane, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case WM_SIZE:
      OnSize(pane, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(pane, reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      OnContextMenu(pane, lParam);
      return 0;
    case WM_COMMAND:
      OnCommand(pane, LOWORD(wParam));
      return 0;
    case WM_DESTROY:
      OnDestroy(pane);
      return 0;
    default:
      return DefWindowProcW(pane, message, wParam, lParam);
  }
}

}  // namespace

ATOM RegisterPaneClass(HINSTANCE instance) {
  // The class may be left from an Explorer that ran before in this boot; its windows are gone.
  UnregisterClassW(kPaneClass, instance);
  WNDCLASSW paneClass;
  memset(&paneClass, 0, sizeof(paneClass));
  paneClass.lpfnWndProc = PaneWindowProc;
  paneClass.hInstance = instance;
  paneClass.lpszClassName = kPaneClass;
  return RegisterClassW(&paneClass);
}

HWND CreatePaneWindow(HWND frame, HINSTANCE instance, ATOM paneClass, int paneId) {
  return RoutedCreateWindowExW(0, MAKEINTATOM(paneClass), NULL, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(paneId)), instance, NULL);
}

HWND PaneListView(HWND pane) { return pane != NULL ? GetWindow(pane, GW_CHILD) : NULL; }

void RefillPane(HWND pane) {
  HWND list = PaneListView(pane);
  if (list == NULL) return;
  WCHAR folder[MAX_PATH];
  GetFrameFolder(GetParent(pane), folder, MAX_PATH);
  if (folder[0] == 0) return;
  ListFolder(list, folder, ReadViewAll());
}
