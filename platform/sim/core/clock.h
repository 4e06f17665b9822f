// The device's virtual clock: milliseconds since boot. Nothing in cesim sleeps; the clock moves
// only when automation advances it, and timers fall due against it.
#ifndef CESIM_CORE_CLOCK_H
#define CESIM_CORE_CLOCK_H

#include "sim/types.h"

namespace cesim::detail {

DWORD ClockNow();
// Moves the clock forward to the given time (never backward).
void SetClock(DWORD milliseconds);
void ResetClock();

}  // namespace cesim::detail

#endif
