// The list of cesim's parts that take part in a device's life, and the walk over it at boot
// (lowest order first) and at shutdown (highest order first).
#include "core/subsystems.h"

#include <algorithm>
#include <vector>

namespace cesim::detail {

namespace {

struct Subsystem {
  int order;
  void (*reset)(Phase phase);
};

// Filled by static initialisers of the parts, so it is built on first use.
std::vector<Subsystem>& Subsystems() {
  static std::vector<Subsystem> subsystems;
  return subsystems;
}

}  // namespace

bool RegisterSubsystem(int order, void (*reset)(Phase phase)) {
  if (reset == nullptr) return false;
  std::vector<Subsystem>& subsystems = Subsystems();
  // Stable: parts of equal order keep the order in which they registered.
  auto position = std::upper_bound(subsystems.begin(), subsystems.end(), order,
                                   [](int o, const Subsystem& s) { return o < s.order; });
  subsystems.insert(position, Subsystem{order, reset});
  return true;
}

void RunSubsystems(Phase phase) {
  // A copy: a reset that registers nothing new is expected, but the walk stays sound if one does.
  const std::vector<Subsystem> subsystems = Subsystems();
  if (phase == Phase::Boot) {
    for (const Subsystem& s : subsystems) s.reset(phase);
  } else {
    for (auto it = subsystems.rbegin(); it != subsystems.rend(); ++it) it->reset(phase);
  }
}

}  // namespace cesim::detail
