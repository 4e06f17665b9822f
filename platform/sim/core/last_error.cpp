// The calling thread's last-error code, as the core library keeps it.
#include "sim/core.h"
#include "sim/types.h"

namespace {
thread_local DWORD lastError = 0;
}

DWORD WINAPI GetLastError(void) { return lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }
