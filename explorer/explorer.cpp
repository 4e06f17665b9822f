// Starting, running and ending the Explorer stand-in.
#include "explorer.h"

#include "explorer_settings.h"
#include "frame_window.h"
#include "message_loop.h"
#include "pane_window.h"

namespace {

// The frame of the Explorer that this process started last.
HWND g_frame = NULL;

}  // namespace

HWND StartExplorer(HINSTANCE instance, LPCWSTR folder) {
  // Before any window exists and any folder is listed.
  InstallImportRouting();
  WCHAR start[MAX_PATH];
  start[0] = 0;
  if (folder != NULL) {
    wcsncpy(start, folder, MAX_PATH - 1);
    start[MAX_PATH - 1] = 0;
  } else if (!ReadLastLocation(start)) {
    start[0] = 0;
  }
  if (start[0] == 0) {
    start[0] = TEXT('\\');
    start[1] = 0;
  }
  HWND frame = CreateFrameWindow(instance, start);
  if (frame == NULL) RemoveImportRouting();
  g_frame = frame;
  return frame;
}

int RunExplorer(HWND frame) { return RunExplorerMessageLoop(frame); }

void EndExplorer(HWND frame) {
  if (frame != NULL && IsWindow(frame)) {
    DestroyWindow(frame);
    MSG quit;
    PeekMessageW(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  if (frame == g_frame) g_frame = NULL;
  RemoveImportRouting();
}

HWND FindExplorerFrame() { return g_frame != NULL && IsWindow(g_frame) ? g_frame : NULL; }

HWND ExplorerToolbar(HWND frame) { return GetFrameToolbar(frame); }

HWND ExplorerCommandBar(HWND frame) { return GetFrameCommandBar(frame); }

HWND ExplorerPane(HWND frame) { return GetFramePane(frame); }

HWND ExplorerListView(HWND frame) { return PaneListView(GetFramePane(frame)); }

HMENU ExplorerViewMenu(HWND frame) { return GetFrameViewMenu(frame); }

HMENU ExplorerHistoryMenu(HWND frame) { return GetFrameHistoryMenu(frame); }
