// Window classes: registering, unregistering, looking them up by name or atom.
#include <algorithm>
#include <string>

#include "sim/core.h"
#include "sim/window.h"
#include "window/table.h"

using namespace cesim::detail;

namespace {

// A class name given as an atom is kept as the "#<number>" text the device shows for it.
std::u16string NameOf(LPCWSTR nameOrAtom) {
  if (!IS_INTRESOURCE(nameOrAtom)) return BoundedText(nameOrAtom, 256);
  std::string digits = std::to_string(reinterpret_cast<ULONG_PTR>(nameOrAtom));
  std::u16string name = u"#";
  for (char c : digits) name.push_back(static_cast<char16_t>(c));
  return name;
}

}  // namespace

ATOM WINAPI RegisterClassW(const WNDCLASSW* lpWndClass) {
  if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr || lpWndClass->cbClsExtra < 0 ||
      lpWndClass->cbWndExtra < 0 || (!IS_INTRESOURCE(lpWndClass->lpszClassName) && lpWndClass->lpszClassName[0] == 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (FindClass(lpWndClass->lpszClassName) != nullptr) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto cls = std::make_shared<WindowClass>();
  cls->name = NameOf(lpWndClass->lpszClassName);
  cls->style = lpWndClass->style;
  cls->proc = lpWndClass->lpfnWndProc;
  cls->classExtra = lpWndClass->cbClsExtra;
  cls->windowExtra = lpWndClass->cbWndExtra;
  cls->instance = lpWndClass->hInstance;
  cls->icon = lpWndClass->hIcon;
  cls->cursor = lpWndClass->hCursor;
  cls->background = lpWndClass->hbrBackground;
  if (lpWndClass->lpszMenuName != nullptr && !IS_INTRESOURCE(lpWndClass->lpszMenuName)) {
    cls->menuNameText = BoundedText(lpWndClass->lpszMenuName, 256);
  } else {
    cls->menuName = lpWndClass->lpszMenuName;
  }
  ATOM atom = AddClass(cls);
  if (atom == 0) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return atom;
}

BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance) {
  std::shared_ptr<WindowClass> cls = FindClass(lpClassName);
  if (cls == nullptr || cls->system || cls->instance != hInstance) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (cls->windowCount > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  RemoveClass(cls);
  return TRUE;
}

BOOL WINAPI GetClassInfoW(HINSTANCE hInstance, LPCWSTR lpClassName, LPWNDCLASSW lpWndClass) {
  (void)hInstance;  // one class namespace per device process
  std::shared_ptr<WindowClass> cls = FindClass(lpClassName);
  if (cls == nullptr || lpWndClass == nullptr) {
    SetLastError(cls == nullptr ? ERROR_CLASS_DOES_NOT_EXIST : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  lpWndClass->style = cls->style;
  lpWndClass->lpfnWndProc = cls->proc;
  lpWndClass->cbClsExtra = cls->classExtra;
  lpWndClass->cbWndExtra = cls->windowExtra;
  lpWndClass->hInstance = cls->instance;
  lpWndClass->hIcon = cls->icon;
  lpWndClass->hCursor = cls->cursor;
  lpWndClass->hbrBackground = cls->background;
  lpWndClass->lpszMenuName = cls->menuNameText.empty() ? cls->menuName : cls->menuNameText.c_str();
  lpWndClass->lpszClassName = cls->name.c_str();
  return TRUE;
}

int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount) {
  Window* w = WindowOrFail(hWnd);
  if (w == nullptr || !w->cls || lpClassName == nullptr || nMaxCount <= 0) {
    if (w != nullptr) SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // Cut to the buffer, always terminated.
  size_t count = std::min(w->cls->name.size(), static_cast<size_t>(nMaxCount - 1));
  for (size_t i = 0; i < count; ++i) lpClassName[i] = w->cls->name[i];
  lpClassName[count] = 0;
  return static_cast<int>(count);
}
