// The Explorer as a program of its own, fexplore.exe: its entry point starts the Explorer, runs
// its message loop until the frame closes and ends it. On cesim the automation API starts the
// emulated process and makes the same calls.
#include "explorer.h"

#if defined(_WIN32_WCE)
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
#else
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
#endif
  // The list view and toolbar of the Explorer, and the tree view of the Change Folder dialog.
  INITCOMMONCONTROLSEX controls;
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&controls);
  HWND frame = StartExplorer(instance, NULL);
  if (frame == NULL) return 1;
  int code = RunExplorer(frame);
  EndExplorer(frame);
  return code;
}
