// The Explorer's frame window and its path bar.
#include "frame_window.h"

namespace {

const WCHAR kFrameClass[] = TEXT("FEXPLORE");
const int kPathBarHeight = 24;

struct FrameState {
  WCHAR folder[MAX_PATH];
  int navigations;
};

FrameState* StateOf(HWND frame) { return reinterpret_cast<FrameState*>(GetWindowLongW(frame, GWL_USERDATA)); }

void ShowFolder(HWND frame, LPCWSTR folder) {
  FrameState* state = StateOf(frame);
  if (state == NULL || folder == NULL) return;
  wcsncpy(state->folder, folder, MAX_PATH - 1);
  state->folder[MAX_PATH - 1] = 0;
  SetWindowTextW(GetDlgItem(frame, FRAME_PATH_BAR_ID), state->folder);
}

LRESULT OnCreate(HWND frame, const CREATESTRUCTW* create) {
  FrameState* state = static_cast<FrameState*>(LocalAlloc(LPTR, sizeof(FrameState)));
  if (state == NULL) return -1;
  SetWindowLongW(frame, GWL_USERDATA, reinterpret_cast<LONG_PTR>(state));
  RECT client;
  GetClientRect(frame, &client);
  CreateWindowExW(0, TEXT("Static"), TEXT(""), WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, 0, client.right,
                  kPathBarHeight, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(FRAME_PATH_BAR_ID)),
                  create->hInstance, NULL);
  ShowFolder(frame, static_cast<LPCWSTR>(create->lpCreateParams));
  return 0;
}

void OnNavigate(HWND frame, LPCWSTR folder) {
  FrameState* state = StateOf(frame);
  if (state == NULL) return;
  ++state->navigations;
  ShowFolder(frame, folder);
}

void OnDestroy(HWND frame) {
  LocalFree(StateOf(frame));
  SetWindowLongW(frame, GWL_USERDATA, 0);
}

LRESULT CALLBACK FrameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(frame, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case FRAME_MSG_NAVIGATE:
      OnNavigate(frame, reinterpret_cast<LPCWSTR>(lParam));
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
  return CreateWindowExW(0, kFrameClass, TEXT("File Explorer"), WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                         GetSystemMetrics(SM_CYSCREEN), NULL, NULL, instance,
                         const_cast<LPWSTR>(startFolder != NULL ? startFolder : TEXT("\\")));
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
