// The parent window of a control under test: it records the notifications it receives in the
// active MessageRecorder (what the control sends while the parent answers counts as nested) and
// answers each WM_NOTIFY through a function the test sets. Plain Win32: the same parent serves
// cesim's tests and the ones that also run under Wine.
#ifndef FOLDWISE_TESTS_NOTIFY_PARENT_H
#define FOLDWISE_TESTS_NOTIFY_PARENT_H

#include <functional>
#include <set>

#include "ceplatform.h"

namespace foldwise_test {

class NotifyParent {
 public:
  NotifyParent() = default;
  ~NotifyParent();
  NotifyParent(const NotifyParent&) = delete;
  NotifyParent& operator=(const NotifyParent&) = delete;

  // A visible pop-up window of 240 x 320 pixels at the screen's origin; false when it cannot be
  // made.
  bool Create();
  HWND hwnd() const { return hwnd_; }

  // The parent's answer to a WM_NOTIFY (0 when unset).
  std::function<LRESULT(NMHDR*)> onNotify;
  // The notification codes that are recorded (every code when empty), and the messages besides
  // WM_NOTIFY that are recorded too (handled as DefWindowProcW would not: they end here).
  std::set<UINT> codes;
  std::set<UINT> messages;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

}  // namespace foldwise_test

#endif
