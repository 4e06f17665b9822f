// The device's module lookups on desktop Windows: the core library by its name "coredll", the
// shell's resource module "shellres", which the device keeps in every process, and export lookup
// by ASCII or wide name (or ordinal) with the device's function names.
#include "desktop/ce_desktop.h"

namespace {

// The desktop libraries that between them export what the device's core library does. The first
// one stands for the core library as a module handle.
const WCHAR* const kCoreLibraryParts[] = {L"user32.dll", L"kernel32.dll", L"gdi32.dll", L"advapi32.dll"};
const size_t kCoreLibraryPartCount = sizeof(kCoreLibraryParts) / sizeof(kCoreLibraryParts[0]);

bool IsCoreLibraryName(LPCWSTR name) {
  return _wcsicmp(name, L"coredll") == 0 || _wcsicmp(name, L"coredll.dll") == 0;
}

// The loaded desktop library that stands for the core library; user32 is loaded into every
// process that creates windows, and this loads it into any other.
HMODULE CoreLibraryHandle() {
  HMODULE module = GetModuleHandleW(kCoreLibraryParts[0]);
  if (module == NULL) {
    module = LoadLibraryW(kCoreLibraryParts[0]);
  }
  return module;
}

bool IsShellResourcesName(LPCWSTR name) {
  return _wcsicmp(name, L"shellres") == 0 || _wcsicmp(name, L"shellres.dll") == 0;
}

// The shell's resource module, loaded from the Windows folder where the device has it, the first
// time that it is asked for; null when it is not there.
HMODULE ShellResourcesHandle() {
  HMODULE module = GetModuleHandleW(L"shellres.dll");
  if (module != NULL) return module;
  WCHAR path[MAX_PATH];
  const UINT length = GetWindowsDirectoryW(path, MAX_PATH);
  const WCHAR name[] = L"\\shellres.dll";
  if (length == 0 || length + sizeof(name) / sizeof(name[0]) > MAX_PATH) return NULL;
  memcpy(path + length, name, sizeof(name));
  return LoadLibraryW(path);
}

bool IsOrdinal(const void* name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }

}  // namespace

HMODULE WINAPI cedesktop_GetModuleHandleW(LPCWSTR name) {
  if (name != NULL && IsCoreLibraryName(name)) {
    return CoreLibraryHandle();
  }
  if (name != NULL && IsShellResourcesName(name)) {
    return ShellResourcesHandle();
  }
  return GetModuleHandleW(name);
}

FARPROC WINAPI GetProcAddressA(HMODULE module, LPCSTR name) {
  // The shell library has no desktop module behind its handle.
  if (cedesktop_IsShellLibrary(module)) return cedesktop_ShellLibraryExport(module, name);
  FARPROC address = GetProcAddress(module, name);
  if (address != NULL || module == NULL || IsOrdinal(name) || module != CoreLibraryHandle()) {
    return address;
  }
  // The core library's other parts, in order; only those already loaded into the process.
  for (size_t part = 1; part < kCoreLibraryPartCount; ++part) {
    HMODULE partModule = GetModuleHandleW(kCoreLibraryParts[part]);
    if (partModule == NULL) {
      continue;
    }
    address = GetProcAddress(partModule, name);
    if (address != NULL) {
      return address;
    }
  }
  SetLastError(ERROR_PROC_NOT_FOUND);
  return NULL;
}

FARPROC WINAPI GetProcAddressW(HMODULE module, LPCWSTR name) {
  if (name == NULL || IsOrdinal(name)) {
    return GetProcAddressA(module, reinterpret_cast<LPCSTR>(name));
  }
  // Export names are ASCII: a name with any other character names no export.
  char asciiName[256];
  size_t length = 0;
  for (; name[length] != 0; ++length) {
    if (length + 1 >= sizeof(asciiName) || name[length] > 0x7f) {
      SetLastError(ERROR_PROC_NOT_FOUND);
      return NULL;
    }
    asciiName[length] = static_cast<char>(name[length]);
  }
  asciiName[length] = '\0';
  return GetProcAddressA(module, asciiName);
}
