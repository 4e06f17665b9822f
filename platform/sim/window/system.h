// The window system as one part of the device: its reset at boot and at shutdown.
#ifndef CESIM_WINDOW_SYSTEM_H
#define CESIM_WINDOW_SYSTEM_H

#include "core/parts.h"

namespace cesim::detail {

// Forgets every window and class, the queue, the input state, activation, focus and capture,
// the cursor and the clock, in that order, at boot and at shutdown alike.
void ResetWindowSystem(Phase phase);

}  // namespace cesim::detail

#endif
