// The base of cesim's own controls: per-window instances found by handle, the window procedure
// frame that runs every message through them, the one function that notifies the parent (and
// checks afterwards that the control was not destroyed where the real one would go on using its
// state), the debug check of each control's invariants, and the registration of a predefined class.
#ifndef CESIM_CONTROLS_COMMON_CONTROL_H
#define CESIM_CONTROLS_COMMON_CONTROL_H

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "sim/message.h"
#include "sim/types.h"
#include "sim/window.h"

namespace cesim::detail {

// What the real control does once a notification to its parent has returned. A control that goes
// on using its state after the parent destroyed it (or the parent, and with it the control) would
// use freed memory on a device; builds with control checks stop there and say so.
enum class AfterNotify {
  ReturnsAtOnce,           // the control touches nothing of itself any more: destroying it is fine
  UsesState,               // the control goes on with its state
  UsesStateUnlessNonzero,  // a nonzero answer ends the action at once; after zero it goes on
};

// One notification that a control sends: its code, its platform name for reports, and what the
// real control does after it. Each control keeps a table of these.
struct Notification {
  UINT code;
  const char* name;
  AfterNotify after;
};

// What the code that sends one notification does once the parent has answered, on top of what the
// notification's kind says: nothing more, or it goes on with the control's state whatever the
// answer (a tree view's key handler after TVN_KEYDOWN of a key that it acts on; a selection that
// the parent refuses while the control goes on making an item visible).
enum class Afterwards {
  AsItsKindSays,
  CallerGoesOn,
};

// The part of every control's instance that the base keeps.
class ControlInstance {
 public:
  virtual ~ControlInstance() = default;
  // The control's own invariants; run before and after every message in builds with checks.
  virtual void CheckInvariants() {}

  HWND hwnd = nullptr;
  HWND notify = nullptr;          // the parent at creation, which WM_NOTIFY notifications go to
  const char* className = "";     // for reports
  bool destroying = false;        // WM_DESTROY has reached the control
  bool destroyed = false;         // and the control has handled it
};

// The instance of any of cesim's controls for a window, or null.
std::shared_ptr<ControlInstance> FindControl(HWND hwnd);

// The instance of one kind of control for a window, or null for other windows.
template <typename Instance>
std::shared_ptr<Instance> FindInstance(HWND hwnd) {
  return std::dynamic_pointer_cast<Instance>(FindControl(hwnd));
}

// Keeps the instance of a window from WM_CREATE until its WM_DESTROY has been handled (or the
// window goes without one, at shutdown).
void AttachControl(const std::shared_ptr<ControlInstance>& control, HWND hwnd, const char* className,
                   const CREATESTRUCTW* create);
void ForgetControl(HWND hwnd);

// Around the handling of one message: the invariant check before and after (builds with checks),
// and at WM_DESTROY the instance marked destroying first, destroyed and forgotten last.
class ControlMessage {
 public:
  ControlMessage(std::shared_ptr<ControlInstance> control, UINT message);
  ~ControlMessage();
  ControlMessage(const ControlMessage&) = delete;
  ControlMessage& operator=(const ControlMessage&) = delete;

 private:
  std::shared_ptr<ControlInstance> control_;
  UINT message_;
};

// A control's handler of all its messages, with the instance already found.
template <typename Instance>
using ControlHandler = LRESULT (*)(const std::shared_ptr<Instance>& control, UINT message, WPARAM wParam,
                                   LPARAM lParam);

// The body of a control's window procedure: makes the instance at WM_CREATE, finds it for every
// other message (windows without one get the default procedure) and runs the handler inside a
// ControlMessage.
template <typename Instance>
LRESULT RunControl(const char* className, ControlHandler<Instance> handle, HWND hwnd, UINT message, WPARAM wParam,
                   LPARAM lParam) {
  std::shared_ptr<Instance> control;
  if (message == WM_CREATE) {
    control = std::make_shared<Instance>();
    AttachControl(control, hwnd, className, reinterpret_cast<const CREATESTRUCTW*>(lParam));
  } else {
    control = FindInstance<Instance>(hwnd);
    if (control == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  ControlMessage scope(control, message);
  return handle(control, message, wParam, lParam);
}

// Whether the control's window is gone: destroyed while a message of it was handled. A control is
// not gone while it handles its own WM_DESTROY (it still takes its items down, telling the parent).
bool IsGone(const ControlInstance& control);

// The one way a control tells its parent something. WM_NOTIFY goes to the parent at creation with
// the header's hwndFrom, idFrom and code filled in; WM_COMMAND goes to the current parent with the
// control's identifier and the code. Returns the parent's answer. When the control was destroyed
// while the parent handled a notification after which the real control uses its state (its kind
// says so for the answer given, or the caller goes on), builds with control checks report it on
// stderr, naming the control and the notification, and abort.
LRESULT NotifyParent(ControlInstance& control, const Notification& notification, NMHDR* header,
                     Afterwards afterwards = Afterwards::AsItsKindSays);
LRESULT NotifyParent(ControlInstance& control, const Notification& notification,
                     Afterwards afterwards = Afterwards::AsItsKindSays);
LRESULT CommandParent(ControlInstance& control, const Notification& notification);
// WM_COMMAND that names an item of the control's own (a toolbar's button) instead of the control:
// the item's identifier and the code, lParam the control, to the window that takes the control's
// notifications. Checked after the answer as the others are.
LRESULT CommandParentFor(ControlInstance& control, const Notification& notification, WORD identifier);

// Registers one of the device's predefined classes ("Button", "SysTreeView32", ...): a class
// that applications cannot unregister.
void RegisterPredefinedClass(const WNDCLASSW& cls);
// Registers one of the common controls ("SysTreeView32", "SysListView32", ...) as the device has
// them: double taps, a global class with room for its instance pointer, the arrow cursor.
void RegisterCommonControlClass(LPCWSTR name, WNDPROC proc);

// A broken invariant of a control is a bug in cesim: builds with control checks stop at once and
// say where.
#if defined(CESIM_CONTROL_CHECKS) && CESIM_CONTROL_CHECKS
#define CESIM_CHECK_INVARIANT(condition, what)                                                       \
  do {                                                                                               \
    if (!(condition)) {                                                                              \
      std::fprintf(stderr, "cesim: invariant broken (%s): %s at %s:%d\n", what, #condition, __FILE__, \
                   __LINE__);                                                                        \
      std::abort();                                                                                  \
    }                                                                                                \
  } while (0)
#else
// Names what the check reads without evaluating it, so builds without checks see no unused values.
#define CESIM_CHECK_INVARIANT(condition, what) \
  do {                                         \
    (void)sizeof(condition);                   \
    (void)(what);                              \
  } while (0)
#endif

// Whether this build runs the control checks.
constexpr bool kControlChecks =
#if defined(CESIM_CONTROL_CHECKS) && CESIM_CONTROL_CHECKS
    true;
#else
    false;
#endif

// How often the part of a control's invariant check that visits every item runs: on every message
// while the control holds up to kAlwaysCheckedItems items, on one message in (items /
// kFullChecksPerPass) once it holds more, so that the checks cost a constant per message however
// many items the control holds.
class ItemCheckPacing {
 public:
  static constexpr size_t kAlwaysCheckedItems = 256;
  static constexpr size_t kFullChecksPerPass = 16;
  // Whether this message's check visits every item.
  bool Due(size_t items) {
    if (items > kAlwaysCheckedItems && ++messagesSinceFullCheck_ < items / kFullChecksPerPass) return false;
    messagesSinceFullCheck_ = 0;
    return true;
  }

 private:
  size_t messagesSinceFullCheck_ = 0;
};

}  // namespace cesim::detail

#endif
