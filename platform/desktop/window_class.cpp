// Window class names as the device gives them: its dialog boxes are of the class "Dialog", where
// the desktop's are of its system class "#32770".
#include "desktop/ce_desktop.h"

namespace {

const WCHAR kDesktopDialogClass[] = L"#32770";
const WCHAR kDeviceDialogClass[] = L"Dialog";
// The longest class name that the desktop registers, and its terminator.
const int kLongestClassName = 256;

}  // namespace

int WINAPI cedesktop_GetClassNameW(HWND window, LPWSTR className, int count) {
  // Without room for a name, the desktop gives its own answer.
  if (className == NULL || count <= 0) return GetClassNameW(window, className, count);
  WCHAR name[kLongestClassName + 1];
  const int length = GetClassNameW(window, name, kLongestClassName + 1);
  if (length == 0) return 0;
  const WCHAR* given = wcscmp(name, kDesktopDialogClass) == 0 ? kDeviceDialogClass : name;
  int copied = static_cast<int>(wcslen(given));
  if (copied > count - 1) copied = count - 1;
  memcpy(className, given, copied * sizeof(WCHAR));
  className[copied] = L'\0';
  return copied;
}
