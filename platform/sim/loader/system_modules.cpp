// The table of system modules: fixed handles next to the core library's, a device path, and their
// exports by ordinal.
#include "loader/system_modules.h"

#include <cstdint>

#include "shell/ceshell_paths.h"
#include "sim/shell.h"

namespace cesim::detail {

namespace {

struct OrdinalExport {
  WORD ordinal;
  FARPROC address;
};

struct SystemModule {
  const char16_t* key;
  const char16_t* path;
  uintptr_t handle;
  const OrdinalExport* exports;
  size_t exportCount;
};

// An export as GetProcAddressW hands it out; the caller casts it back to the export's own type.
template <typename Function>
FARPROC AsExport(Function* function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

const OrdinalExport kShellLibraryExports[] = {
    {CESHELL_ORDINAL_PATHISPROGRAM, AsExport(&ShellPathIsProgram)},
    {CESHELL_ORDINAL_PATHISSHORTCUT, AsExport(&ShellPathIsShortcut)},
    {CESHELL_ORDINAL_CLEANCOMMAND, AsExport(&ShellCleanCommand)},
};

const SystemModule kSystemModules[] = {
    {u"CESHELL", u"\\Windows\\ceshell.dll", 0x01F70000, kShellLibraryExports,
     sizeof(kShellLibraryExports) / sizeof(kShellLibraryExports[0])},
};

const SystemModule* Find(HMODULE module) {
  for (const SystemModule& system : kSystemModules) {
    if (reinterpret_cast<uintptr_t>(module) == system.handle) return &system;
  }
  return nullptr;
}

}  // namespace

HMODULE SystemModuleHandle(const std::u16string& key) {
  for (const SystemModule& system : kSystemModules) {
    if (key == system.key) return reinterpret_cast<HMODULE>(system.handle);
  }
  return nullptr;
}

bool IsSystemModule(HMODULE module) { return module != nullptr && Find(module) != nullptr; }

std::u16string SystemModulePath(HMODULE module) {
  const SystemModule* system = Find(module);
  return system != nullptr ? system->path : u"";
}

FARPROC SystemModuleExport(HMODULE module, WORD ordinal) {
  const SystemModule* system = Find(module);
  if (system == nullptr) return nullptr;
  for (size_t i = 0; i < system->exportCount; ++i) {
    if (system->exports[i].ordinal == ordinal) return system->exports[i].address;
  }
  return nullptr;
}

}  // namespace cesim::detail
