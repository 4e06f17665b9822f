// The Explorer's frame window: its children, its menus and commands, and navigation.
#include "frame_window.h"

#include "explorer_settings.h"
#include "folder_popup.h"
#include "frame_menus.h"
#include "import_routing.h"
#include "pane_window.h"
#include "path_history.h"

namespace {

const WCHAR kFrameClass[] = TEXT("FEXPLORE");
const int kBarHeight = 24;
const int kToolbarWidth = 96;

struct FrameState {
  WCHAR folder[MAX_PATH];
  int navigations;
  HWND toolbar;
  HWND pathBar;
  HWND commandBar;
  HWND pane;
  FrameMenus menus;
  PathHistory shownHistory;  // the history entries as the Go pop-up showed them last
};

FrameState* StateOf(HWND frame) {
  if (frame == NULL || !IsWindow(frame)) return NULL;
  WCHAR className[16];
  if (GetClassNameW(frame, className, 16) == 0 || wcscmp(className, kFrameClass) != 0) return NULL;
  return reinterpret_cast<FrameState*>(GetWindowLongW(frame, GWL_USERDATA));
}

// A folder as the frame keeps it: as it was given (the navigate message's text is what the
// Explorer shows); FALSE for a path that is empty or does not fit.
BOOL NormalFolder(LPCWSTR folder, WCHAR* normal) {
  if (folder == NULL || folder[0] == 0) return FALSE;
  size_t length = wcslen(folder);
  if (length >= MAX_PATH) return FALSE;
  memcpy(normal, folder, (length + 1) * sizeof(WCHAR));
  return TRUE;
}

// Shows a folder: the path bar and the list.
void ShowFolder(FrameState* state, LPCWSTR folder) {
  memcpy(state->folder, folder, (wcslen(folder) + 1) * sizeof(WCHAR));
  SetWindowTextW(state->pathBar, state->folder);
  RefillPane(state->pane);
}

// Goes to a folder as the user does: only to a folder that is there (network folders are taken
// as given), remembered as the last location and in the path history.
BOOL Navigate(HWND frame, LPCWSTR folder) {
  FrameState* state = StateOf(frame);
  WCHAR normal[MAX_PATH];
  if (state == NULL || !NormalFolder(folder, normal)) return FALSE;
  if (LocationKindOf(normal) != kLocationNetwork && wcscmp(normal, TEXT("\\")) != 0) {
    DWORD attributes = RoutedGetFileAttributesW(normal);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return FALSE;
  }
  ++state->navigations;
  ShowFolder(state, normal);
  StoreLastLocation(state->folder);
  AddToPathHistory(state->folder);
  return TRUE;
}

void GoUpOneLevel(HWND frame, FrameState* state) {
  WCHAR parent[MAX_PATH];
  memcpy(parent, state->folder, sizeof(parent));
  size_t length = wcslen(parent);
  while (length > 1 && parent[length - 1] == TEXT('\\')) parent[--length] = 0;
  WCHAR* last = wcsrchr(parent, TEXT('\\'));
  if (last == NULL || wcscmp(parent, TEXT("\\")) == 0) return;
  if (last == parent) {
    last[1] = 0;  // a folder directly below the root
  } else {
    *last = 0;
  }
  Navigate(frame, parent);
}

HWND CreateToolbar(HWND frame, HINSTANCE instance) {
  HWND toolbar = RoutedCreateWindowExW(
      0, TOOLBARCLASSNAMEW, NULL, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
      0, 0, kToolbarWidth, kBarHeight, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(FRAME_TOOLBAR_ID)), instance,
      NULL);
  if (toolbar == NULL) return NULL;
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  const WCHAR texts[] = TEXT("Folder\0Up\0");
  INT_PTR first = SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(texts));
  TBBUTTON buttons[2];
  memset(buttons, 0, sizeof(buttons));
  buttons[0].idCommand = CMD_FOLDER;
  buttons[0].fsState = TBSTATE_ENABLED;
  buttons[0].fsStyle = TBSTYLE_BUTTON | TBSTYLE_DROPDOWN;
  buttons[0].iString = first;
  buttons[1].idCommand = CMD_UP_ONE_LEVEL;
  buttons[1].fsState = TBSTATE_ENABLED;
  buttons[1].fsStyle = TBSTYLE_BUTTON;
  buttons[1].iString = first + 1;
  SendMessageW(toolbar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
  return toolbar;
}

void Layout(HWND frame, FrameState* state) {
  RECT client;
  GetClientRect(frame, &client);
  int top = state->commandBar != NULL ? CommandBar_Height(state->commandBar) : 0;
  if (state->commandBar != NULL) MoveWindow(state->commandBar, 0, 0, client.right, top, TRUE);
  MoveWindow(state->toolbar, 0, top, kToolbarWidth, kBarHeight, TRUE);
  MoveWindow(state->pathBar, kToolbarWidth, top, client.right - kToolbarWidth, kBarHeight, TRUE);
  int paneTop = top + kBarHeight;
  int paneHeight = client.bottom - paneTop;
  MoveWindow(state->pane, 0, paneTop, client.right, paneHeight > 0 ? paneHeight : 0, TRUE);
}

LRESULT OnCreate(HWND frame, const CREATESTRUCTW* create) {
  FrameState* state = static_cast<FrameState*>(LocalAlloc(LPTR, sizeof(FrameState)));
  if (state == NULL) return -1;
  SetWindowLongW(frame, GWL_USERDATA, reinterpret_cast<LONG_PTR>(state));
  ATOM paneClass = RegisterPaneClass(create->hInstance);
  // The toolbar is the first child.
  state->toolbar = CreateToolbar(frame, create->hInstance);
  state->pathBar = RoutedCreateWindowExW(0, TEXT("Static"), TEXT(""), WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, 0,
                                         0, 0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(FRAME_PATH_BAR_ID)),
                                         create->hInstance, NULL);
  if (state->toolbar == NULL || state->pathBar == NULL || paneClass == 0) return -1;
  if (BuildFrameMenus(&state->menus)) {
    state->commandBar = CommandBar_Create(create->hInstance, frame, FRAME_COMMAND_BAR_ID);
    if (state->commandBar == NULL ||
        !CommandBar_InsertMenubarEx(state->commandBar, NULL, reinterpret_cast<LPWSTR>(state->menus.bar), 0)) {
      DestroyMenu(state->menus.bar);
      state->menus.bar = state->menus.view = state->menus.history = NULL;
    }
  }
  state->pane = CreatePaneWindow(frame, create->hInstance, paneClass, FRAME_PANE_ID);
  if (state->pane == NULL) return -1;
  Layout(frame, state);
  return 0;
}

void OnFolderCommand(HWND frame, FrameState* state) {
  RECT button;
  memset(&button, 0, sizeof(button));
  if (!SendMessageW(state->toolbar, TB_GETRECT, CMD_FOLDER, reinterpret_cast<LPARAM>(&button))) {
    GetClientRect(state->toolbar, &button);
  }
  POINT at = {button.left, button.bottom};
  ClientToScreen(state->toolbar, &at);
  WCHAR chosen[MAX_PATH];
  if (TrackFolderPopup(frame, state->folder, at, chosen)) Navigate(frame, chosen);
}

void OnCommand(HWND frame, UINT command) {
  FrameState* state = StateOf(frame);
  if (state == NULL) return;
  if (command >= CMD_HISTORY_FIRST && command <= CMD_HISTORY_LAST) {
    int index = static_cast<int>(command - CMD_HISTORY_FIRST);
    if (index < state->shownHistory.count) {
      WCHAR folder[MAX_PATH];
      memcpy(folder, state->shownHistory.entries[index].path, sizeof(folder));
      Navigate(frame, folder);
    }
    return;
  }
  switch (command) {
    case CMD_FOLDER:
      OnFolderCommand(frame, state);
      break;
    case CMD_UP_ONE_LEVEL:
      GoUpOneLevel(frame, state);
      break;
    case CMD_REFRESH:
    case CMD_REDISPLAY:
      RefillPane(state->pane);
      break;
    case CMD_SHOW_ALL:
      ToggleViewAll();
      RefillPane(state->pane);
      break;
    case CMD_CLOSE:
      PostMessageW(frame, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

LRESULT OnNotify(HWND frame, NMHDR* header) {
  FrameState* state = StateOf(frame);
  if (state == NULL || header == NULL || header->hwndFrom != state->toolbar) return 0;
  if (header->code == TBN_DROPDOWN && reinterpret_cast<NMTOOLBARW*>(header)->iItem == CMD_FOLDER) {
    OnFolderCommand(frame, state);
    return TBDDRET_DEFAULT;
  }
  return 0;
}

void OnInitMenuPopup(HWND frame, HMENU popup) {
  FrameState* state = StateOf(frame);
  if (state == NULL || popup == NULL) return;
  if (popup == state->menus.view) {
    UpdateViewPopup(popup);
  } else if (popup == state->menus.history) {
    ReadPathHistory(&state->shownHistory);
    FillHistoryPopup(popup, state->shownHistory);
  }
}

void OnDestroy(HWND frame) {
  FrameState* state = reinterpret_cast<FrameState*>(GetWindowLongW(frame, GWL_USERDATA));
  SetWindowLongW(frame, GWL_USERDATA, 0);
  if (state != NULL) {
    if (state->menus.bar != NULL && IsMenu(state->menus.bar)) DestroyMenu(state->menus.bar);
    LocalFree(state);
  }
  PostQuitMessage(0);
}

LRESULT CALLBACK FrameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(frame, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case WM_SIZE: {
      FrameState* state = StateOf(frame);
      if (state != NULL && state->pane != NULL) Layout(frame, state);
      return 0;
    }
    case WM_COMMAND:
      OnCommand(frame, LOWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(frame, reinterpret_cast<NMHDR*>(lParam));
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(frame, reinterpret_cast<HMENU>(wParam));
      return 0;
    case FRAME_MSG_NAVIGATE:
      Navigate(frame, reinterpret_cast<LPCWSTR>(lParam));
      return 0;
    case WM_DESTROY:
      OnDestroy(frame);
      return 0;
    default:
      return DefWindowProcW(frame, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateFrameWindow(HINSTANCE instance, LPCWSTR startFolder) {
  WNDCLASSW existing;
  if (!GetClassInfoW(instance, kFrameClass, &existing)) {
    WNDCLASSW frameClass;
    memset(&frameClass, 0, sizeof(frameClass));
    frameClass.lpfnWndProc = FrameWindowProc;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = kFrameClass;
    if (RegisterClassW(&frameClass) == 0) return NULL;
  }
  HWND frame = RoutedCreateWindowExW(0, kFrameClass, TEXT("File Explorer"), WS_VISIBLE, 0, 0,
                                     GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, NULL, instance,
                                     NULL);
  FrameState* state = StateOf(frame);
  if (state == NULL) return frame;
  WCHAR folder[MAX_PATH];
  if (!NormalFolder(startFolder, folder)) memcpy(folder, TEXT("\\"), 2 * sizeof(WCHAR));
  ShowFolder(state, folder);
  return frame;
}

void GetFrameFolder(HWND frame, WCHAR* folder, int size) {
  if (size <= 0) return;
  folder[0] = 0;
  FrameState* state = StateOf(frame);
  if (state == NULL) return;
  wcsncpy(folder, state->folder, size - 1);
  folder[size - 1] = 0;
}

int GetFrameNavigationCount(HWND frame) {
  FrameState* state = StateOf(frame);
  return state != NULL ? state->navigations : 0;
}

HWND GetFrameToolbar(HWND frame) {
  FrameState* state = StateOf(frame);
  return state != NULL ? state->toolbar : NULL;
}

HWND GetFrameCommandBar(HWND frame) {
  FrameState* state = StateOf(frame);
  return state != NULL ? state->commandBar : NULL;
}

HWND GetFramePane(HWND frame) {
  FrameState* state = StateOf(frame);
  return state != NULL ? state->pane : NULL;
}

HMENU GetFrameViewMenu(HWND frame) {
  FrameState* state = StateOf(frame);
  return state != NULL ? state->menus.view : NULL;
}

HMENU GetFrameHistoryMenu(HWND frame) {
  FrameState* state = StateOf(frame);
  return state != NULL ? state->menus.history : NULL;
}
