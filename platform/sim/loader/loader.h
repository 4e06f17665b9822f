// The loader as cesim's other parts see it: which kind of module a handle names, and the end of the
// emulated process's modules.
#ifndef CESIM_LOADER_LOADER_H
#define CESIM_LOADER_LOADER_H

#include <optional>

#include "core/parts.h"
#include "sim/loader.h"
#include "sim/types.h"

namespace cesim::detail {

enum class ModuleKind {
  None,     // not a module handle (or one of a module since unloaded)
  Process,  // the emulated process's own program
  Core,     // the core library
  System,   // a system module present on the device ("ceshell", "shellres")
  Loaded    // a module loaded with LoadLibraryW
};

ModuleKind ClassifyModule(HMODULE module);

// The handles of the process and of the core library (GetModuleHandleW(NULL), "coredll").
HMODULE ProcessModuleHandle();
HMODULE CoreModuleHandle();

// Ends every loaded module as the end of the process does: DLL_PROCESS_DETACH to each, newest
// first, then unloads it. Runs at boot and shutdown; for the start of a new emulated process too.
void UnloadAllModules();

// The attributes that the core library's optional SetLayeredWindowAttributes last gave a window
// that is still layered.
struct LayeredWindowAttributes {
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
};
std::optional<LayeredWindowAttributes> LayeredAttributesOf(HWND window);
// A window that loses WS_EX_LAYERED loses its attributes: made layered again, it needs them anew.
void ForgetLayeredAttributes(HWND window);

// The loader's parts of the device: the loaded modules (ended as at the end of the process) and
// the core library's own state (layered-window attributes).
void ResetLoader(Phase phase);
void ResetCoreLibraryState(Phase phase);

}  // namespace cesim::detail

#endif
