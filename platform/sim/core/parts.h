// The device's parts: each piece of cesim with state of its own (registry, files, heap, windows,
// loader, ...) has a reset that runs when a device boots and when it shuts down, so that every
// boot starts from a clean device. core/parts.cpp lists them, in boot order.
#ifndef CESIM_CORE_PARTS_H
#define CESIM_CORE_PARTS_H

namespace cesim::detail {

enum class Phase { Boot, Shutdown };

// Runs every part's reset for the phase: at Boot in the table's order, at Shutdown in the
// reverse order. Called by the device's boot and shutdown only.
void ResetParts(Phase phase);

}  // namespace cesim::detail

#endif
