// The device's system modules beside the core library: libraries in ROM that every process has
// loaded, known by their name and exporting by ordinal only. The shell library ("ceshell") is one.
#ifndef CESIM_LOADER_SYSTEM_MODULES_H
#define CESIM_LOADER_SYSTEM_MODULES_H

#include <string>

#include "sim/types.h"

namespace cesim::detail {

// The handle of the system module of a key (its file name without extension, in upper case), or
// null when there is none.
HMODULE SystemModuleHandle(const std::u16string& key);
bool IsSystemModule(HMODULE module);
// Where the device keeps it: "\\Windows\\ceshell.dll".
std::u16string SystemModulePath(HMODULE module);
// An export by ordinal; null when the module has none of that number.
FARPROC SystemModuleExport(HMODULE module, WORD ordinal);

}  // namespace cesim::detail

#endif
