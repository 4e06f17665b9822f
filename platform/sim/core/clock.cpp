// The virtual clock and GetTickCount on top of it.
#include "core/clock.h"

#include "sim/core.h"

namespace cesim::detail {

namespace {
DWORD& Milliseconds() {
  static DWORD now = 0;
  return now;
}
}  // namespace

DWORD ClockNow() { return Milliseconds(); }

void SetClock(DWORD milliseconds) {
  if (milliseconds > Milliseconds()) Milliseconds() = milliseconds;
}

void ResetClock() { Milliseconds() = 0; }

}  // namespace cesim::detail

DWORD WINAPI GetTickCount(void) { return cesim::detail::ClockNow(); }
