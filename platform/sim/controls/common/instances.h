// Per-window instance data of cesim's own controls: found by window handle, kept alive by
// whoever holds it while a message is handled (a notification may destroy the control), and
// dropped when the window goes. Also the debug-only invariant check run on every message.
#ifndef CESIM_CONTROLS_COMMON_INSTANCES_H
#define CESIM_CONTROLS_COMMON_INSTANCES_H

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "sim/types.h"
#include "window/table.h"

namespace cesim::detail {

template <typename Instance>
class ControlInstances {
 public:
  static std::shared_ptr<Instance> Create(HWND hwnd) {
    AddWindowRemovedObserver(&Forget);
    auto instance = std::make_shared<Instance>();
    Map()[hwnd] = instance;
    return instance;
  }

  static std::shared_ptr<Instance> Find(HWND hwnd) {
    auto& map = Map();
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
  }

  static void Forget(HWND hwnd) { Map().erase(hwnd); }

 private:
  static std::map<HWND, std::shared_ptr<Instance>>& Map() {
    static std::map<HWND, std::shared_ptr<Instance>> map;
    return map;
  }
};

// A broken invariant of a control is a bug in cesim: debug builds stop at once and say where.
#ifndef NDEBUG
#define CESIM_CHECK_INVARIANT(condition, what)                                                       \
  do {                                                                                               \
    if (!(condition)) {                                                                              \
      std::fprintf(stderr, "cesim: invariant broken (%s): %s at %s:%d\n", what, #condition, __FILE__, \
                   __LINE__);                                                                        \
      std::abort();                                                                                  \
    }                                                                                                \
  } while (0)
#else
// Names what the check reads without evaluating it, so release builds see no unused values.
#define CESIM_CHECK_INVARIANT(condition, what) \
  do {                                         \
    (void)sizeof(condition);                   \
    (void)(what);                              \
  } while (0)
#endif

}  // namespace cesim::detail

#endif
