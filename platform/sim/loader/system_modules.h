// The device's own shell modules, which a device image has or lacks ([system modules] in
// device.ini): "ceshell", the shell library, and "shellres", the shell's resources. A present one
// is part of every emulated process from its start, as the Explorer links it: GetModuleHandleW
// finds it, LoadLibraryW gives its handle and FreeLibrary never unloads it. Each carries its
// resources (a .res compiled into cesim) and a table of exports by ordinal and by name.
#ifndef CESIM_LOADER_SYSTEM_MODULES_H
#define CESIM_LOADER_SYSTEM_MODULES_H

#include <string>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

// An export of a system module: by ordinal, and by name unless the name is null.
struct SystemExport {
  const char* name;
  WORD ordinal;
  FARPROC function;
};

// Whether the handle is that of a system module present on the booted device.
bool IsSystemModule(HMODULE module);
// The present system module known by this key (file name without extension, upper case).
HMODULE SystemModuleByKey(const std::u16string& key);
// Where the device keeps it ("\Windows\ceshell.dll").
std::u16string SystemModulePath(HMODULE module);
// An export by ordinal (`name` empty) or by name; null when it has none such.
FARPROC SystemModuleExport(HMODULE module, bool byOrdinal, WORD ordinal, const std::string& name);

// The system modules' part of the device: at boot, which are present, and their resources.
void ResetSystemModules(Phase phase);

}  // namespace cesim::detail

#endif
