// Automation's way into the loader: the emulated process loads and frees a module as it would
// itself, through LoadLibraryW and FreeLibrary.
#include "cesim/automation.h"
#include "sim/loader.h"

namespace cesim {

HMODULE LoadModule(const std::u16string& devicePath) { return LoadLibraryW(devicePath.c_str()); }

void FreeModule(HMODULE module) { FreeLibrary(module); }

}  // namespace cesim
