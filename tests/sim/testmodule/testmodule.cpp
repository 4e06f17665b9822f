// A small device module for the loader tests. It counts its attaches and detaches in the registry
// (HKEY_LOCAL_MACHINE\TestModule, flushed at once so the count survives the device), refuses to
// attach when that key holds "Refuse" = 1, and keeps a counter in a global so that a test can see
// whether a new load starts from zeroed state.
#include "ceplatform.h"

static HINSTANCE g_instance;
static int g_counter;

static const WCHAR kKey[] = TEXT("TestModule");

static DWORD ReadValue(HKEY key, LPCWSTR name) {
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExW(key, name, NULL, &type, (LPBYTE)&value, &size) != ERROR_SUCCESS || type != REG_DWORD)
    return 0;
  return value;
}

static void Count(LPCWSTR name) {
  HKEY key;
  DWORD disposition;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, NULL, 0, 0, NULL, &key, &disposition) != ERROR_SUCCESS) return;
  DWORD value = ReadValue(key, name) + 1;
  RegSetValueExW(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
  RegFlushKey(key);
  RegCloseKey(key);
}

static bool Refused() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, 0, &key) != ERROR_SUCCESS) return false;
  const bool refused = ReadValue(key, TEXT("Refuse")) != 0;
  RegCloseKey(key);
  return refused;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    Count(TEXT("Attaches"));
    if (Refused()) return FALSE;
    g_instance = instance;
  } else if (reason == DLL_PROCESS_DETACH) {
    Count(TEXT("Detaches"));
  }
  return TRUE;
}

extern "C" int WINAPI NextCount(void) { return ++g_counter; }

extern "C" HINSTANCE WINAPI ModuleInstance(void) { return g_instance; }

extern "C" int WINAPI HiddenOrdinal(void) { return 7; }
