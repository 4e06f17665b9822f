// The control base: the instances of cesim's controls by window, the frame around each message,
// the notifications to the parent with their check after the parent's answer, and the registration
// of the device's predefined classes.
#include "controls/common/control.h"

#include <map>

#include "sim/dialog.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

std::map<HWND, std::shared_ptr<ControlInstance>>& Instances() {
  static std::map<HWND, std::shared_ptr<ControlInstance>> instances;
  return instances;
}

// The real control would go on using its freed state here: say which control and which
// notification, then stop, so that the test that did it fails at the cause.
void ReportDestroyedInside(const ControlInstance& control, const Notification& notification) {
  std::fprintf(stderr,
               "cesim: the %s control %p was destroyed inside its %s notification; the real control goes on "
               "using its state after %s returns\n",
               control.className, static_cast<void*>(control.hwnd), notification.name, notification.name);
  std::fflush(stderr);
  std::abort();
}

// Checks, once the parent has answered, that a control which the real one would go on using is
// still there.
void CheckSurvived(const ControlInstance& control, bool wasAlive, const Notification& notification, LRESULT answer,
                   Afterwards afterwards) {
  if (!kControlChecks || !wasAlive || !control.destroying) return;
  bool usesState = afterwards == Afterwards::CallerGoesOn || notification.after == AfterNotify::UsesState ||
                   (notification.after == AfterNotify::UsesStateUnlessNonzero && answer == 0);
  if (usesState) ReportDestroyedInside(control, notification);
}

}  // namespace

std::shared_ptr<ControlInstance> FindControl(HWND hwnd) {
  auto& instances = Instances();
  auto it = instances.find(hwnd);
  return it == instances.end() ? nullptr : it->second;
}

void AttachControl(const std::shared_ptr<ControlInstance>& control, HWND hwnd, const char* className,
                   const CREATESTRUCTW* create) {
  // A window that goes without WM_DESTROY (the device shutting down) takes its instance with it.
  AddWindowRemovedObserver(&ForgetControl);
  control->hwnd = hwnd;
  control->notify = create != nullptr ? create->hwndParent : GetParent(hwnd);
  control->className = className;
  Instances()[hwnd] = control;
}

void ForgetControl(HWND hwnd) { Instances().erase(hwnd); }

ControlMessage::ControlMessage(std::shared_ptr<ControlInstance> control, UINT message)
    : control_(std::move(control)), message_(message) {
  if (kControlChecks && message_ != WM_CREATE) control_->CheckInvariants();
  if (message_ == WM_DESTROY) control_->destroying = true;
}

ControlMessage::~ControlMessage() {
  if (message_ == WM_DESTROY) {
    control_->destroyed = true;
    ForgetControl(control_->hwnd);
  } else if (kControlChecks && !control_->destroyed) {
    control_->CheckInvariants();
  }
}

bool IsGone(const ControlInstance& control) { return control.destroyed || !IsWindow(control.hwnd); }

LRESULT NotifyParent(ControlInstance& control, const Notification& notification, NMHDR* header,
                     Afterwards afterwards) {
  header->hwndFrom = control.hwnd;
  header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control.hwnd));
  header->code = notification.code;
  if (!IsWindow(control.notify)) return 0;
  bool wasAlive = !control.destroying;
  LRESULT answer = SendMessageW(control.notify, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
  CheckSurvived(control, wasAlive, notification, answer, afterwards);
  return answer;
}

LRESULT NotifyParent(ControlInstance& control, const Notification& notification, Afterwards afterwards) {
  NMHDR header = {};
  return NotifyParent(control, notification, &header, afterwards);
}

LRESULT CommandParent(ControlInstance& control, const Notification& notification) {
  HWND parent = GetParent(control.hwnd);
  if (parent == nullptr) return 0;
  bool wasAlive = !control.destroying;
  WPARAM command = MAKEWPARAM(GetDlgCtrlID(control.hwnd), notification.code);
  LRESULT answer = SendMessageW(parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(control.hwnd));
  CheckSurvived(control, wasAlive, notification, answer, Afterwards::AsItsKindSays);
  return answer;
}

LRESULT CommandParentFor(ControlInstance& control, const Notification& notification, WORD identifier) {
  if (!IsWindow(control.notify)) return 0;
  bool wasAlive = !control.destroying;
  LRESULT answer = SendMessageW(control.notify, WM_COMMAND, MAKEWPARAM(identifier, notification.code),
                                reinterpret_cast<LPARAM>(control.hwnd));
  CheckSurvived(control, wasAlive, notification, answer, Afterwards::AsItsKindSays);
  return answer;
}

void RegisterPredefinedClass(const WNDCLASSW& cls) {
  RegisterClassW(&cls);
  std::shared_ptr<WindowClass> registered = FindClass(cls.lpszClassName);
  if (registered) registered->system = true;
}

void RegisterCommonControlClass(LPCWSTR name, WNDPROC proc) {
  WNDCLASSW cls = {};
  cls.style = CS_DBLCLKS | CS_GLOBALCLASS;
  cls.lpfnWndProc = proc;
  cls.cbWndExtra = sizeof(void*);
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = name;
  RegisterPredefinedClass(cls);
}

}  // namespace cesim::detail
