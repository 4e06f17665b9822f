// The module entry: the module stays only in the host Explorer's process, records its instance
// and looks up the optional core-library functions that not every device has.
#include "host/host_contract.h"
#include "module/module_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason != DLL_PROCESS_ATTACH) return TRUE;

  WCHAR program[MAX_PATH];
  DWORD length = GetModuleFileNameW(NULL, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return FALSE;  // failed or cut: not the Explorer
  program[length] = 0;
  if (_wcsicmp(program, HOST_PROGRAM_PATH) != 0) return FALSE;

  g_module.instance = instance;
  HMODULE core = GetModuleHandleW(TEXT("coredll"));
  if (core != NULL) {
    // Through a generic pointer: the entry points' own types differ from FARPROC's.
    g_module.getGestureInfo =
        reinterpret_cast<GetGestureInfoFunc>(reinterpret_cast<void*>(GetProcAddressA(core, "GetGestureInfo")));
    g_module.setLayeredWindowAttributes = reinterpret_cast<SetLayeredWindowAttributesFunc>(
        reinterpret_cast<void*>(GetProcAddressA(core, "SetLayeredWindowAttributes")));
  }
  return TRUE;
}
