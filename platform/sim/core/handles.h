// The kernel's handle table for the objects that CloseHandle closes: the process and thread
// handles that a started program hands back. A handle names one object until it is closed, and
// no handle value is given out twice in the life of the host process.
#ifndef CESIM_CORE_HANDLES_H
#define CESIM_CORE_HANDLES_H

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

enum class KernelObject { Process, Thread };

// A new handle of an object of the kind, known by its identifier (a process or thread id).
HANDLE OpenKernelHandle(KernelObject kind, DWORD id);
// Whether a handle is open, and on what.
bool FindKernelHandle(HANDLE handle, KernelObject* kind, DWORD* id);
// Open kernel handles, for tests that check that callers close what they were given.
size_t OpenKernelHandleCount();

void ResetKernelHandles(Phase phase);

}  // namespace cesim::detail

#endif
