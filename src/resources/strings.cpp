// String and template lookup in the module's own resources.
#include "resources/strings.h"

#include "module/module_state.h"

LPCWSTR GetResourceString(UINT id) {
  LPCWSTR text = NULL;
#if defined(_WIN32) && !defined(_WIN32_WCE)
  // Desktop Windows hands out the in-place pointer through the buffer argument.
  LoadStringW(g_module.instance, id, reinterpret_cast<LPWSTR>(&text), 0);
#else
  // The device returns the in-place pointer as the result when called without a buffer.
  text = reinterpret_cast<LPCWSTR>(static_cast<INT_PTR>(LoadStringW(g_module.instance, id, NULL, 0)));
#endif
  return text != NULL ? text : g_module.emptyPath;
}

LPCVOID GetDialogTemplate(UINT id) {
  HRSRC resource = FindResourceW(g_module.instance, MAKEINTRESOURCEW(id), RT_DIALOG);
  if (resource == NULL) return NULL;
  HGLOBAL data = LoadResource(g_module.instance, resource);
  if (data == NULL) return NULL;
  return LockResource(data);
}
