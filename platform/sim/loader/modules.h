// The loader's table of loaded modules, shared by its parts (loading, export lookup, the core
// library's own exports).
#ifndef CESIM_LOADER_MODULES_H
#define CESIM_LOADER_MODULES_H

#include <string>

#include "loader/host.h"
#include "sim/types.h"

namespace cesim::detail {

// One row of the export table that the Linux build of a module carries (cesim_module_exports,
// generated from its .def file); the table ends with a row whose name is null.
struct ModuleExport {
  const char* name;
  const char* symbol;
  unsigned short ordinal;
  int noname;
};

typedef BOOL(WINAPI* ModuleEntry)(HINSTANCE instance, DWORD reason, LPVOID reserved);

struct LoadedModule {
  HMODULE handle = nullptr;
  std::u16string devicePath;  // where the loader found it
  std::u16string key;         // the file name without extension, in upper case
  HostLibrary library;
  const ModuleExport* exports = nullptr;
  ModuleEntry entry = nullptr;
  int references = 0;
  unsigned long loadOrder = 0;
  bool unloading = false;
  bool threadCallsDisabled = false;
};

// The loaded module of a handle, or null.
LoadedModule* FindLoadedModule(HMODULE handle);

// An export of the core library by name: cesim's own exported functions; the optional entry points
// only when the device's settings say the core library has them.
FARPROC CoreExport(const char* name);

}  // namespace cesim::detail

#endif
