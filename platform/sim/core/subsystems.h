// How cesim's parts take part in a device's life: each part with state of its own (registry,
// files, loader, windows, ...) registers a reset function that runs when a device boots and
// when it shuts down, so every boot starts from a clean device.
#ifndef CESIM_CORE_SUBSYSTEMS_H
#define CESIM_CORE_SUBSYSTEMS_H

namespace cesim::detail {

enum class Phase { Boot, Shutdown };

// Registers a part's reset function; call it from a static initialiser:
//   static const bool registered = RegisterSubsystem(order, &ResetWindows);
// Lower orders run first at boot and last at shutdown (the loader unloads modules before the
// window system is torn down, for example).
bool RegisterSubsystem(int order, void (*reset)(Phase phase));

// Runs every registered reset for the phase: at Boot in rising order, at Shutdown in falling
// order. Called by the device's boot and shutdown only.
void RunSubsystems(Phase phase);

// Order values of the parts that exist.
constexpr int kOrderRegistry = 10;
constexpr int kOrderFiles = 20;
constexpr int kOrderMemory = 30;
constexpr int kOrderResources = 40;
constexpr int kOrderWindows = 50;
constexpr int kOrderMenus = 60;
constexpr int kOrderLoader = 90;

}  // namespace cesim::detail

#endif
