// The parent window of a control under test.
// The recorder's header first: the standard library's string headers must come before cesim's C
// run-time declarations, which the platform header brings.
#include "message_recorder.h"
#include "notify_parent.h"

namespace foldwise_test {

namespace {

const WCHAR kClassName[] = TEXT("FoldwiseNotifyParent");

}  // namespace

NotifyParent::~NotifyParent() {
  onNotify = nullptr;
  if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool NotifyParent::Create() {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = &NotifyParent::Proc;
  cls.lpszClassName = kClassName;
  RegisterClassW(&cls);  // once per device; again on the desktop it fails harmlessly
  hwnd_ = CreateWindowExW(0, kClassName, TEXT(""), WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                          nullptr);
  if (hwnd_ == nullptr) return false;
  SetWindowLongW(hwnd_, GWL_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return true;
}

LRESULT CALLBACK NotifyParent::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* parent = reinterpret_cast<NotifyParent*>(GetWindowLongW(hwnd, GWL_USERDATA));
  if (parent == nullptr || parent->hwnd_ != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_DESTROY) parent->hwnd_ = nullptr;
  return parent->Handle(message, wParam, lParam);
}

LRESULT NotifyParent::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = hwnd_;
  bool notify = message == WM_NOTIFY;
  if (!notify && messages.count(message) == 0) return DefWindowProcW(hwnd, message, wParam, lParam);
  // The answer may destroy this window, and with it the test's parent object's window handle:
  // nothing of the parent is used after it.
  std::function<LRESULT(NMHDR*)> answer = notify ? onNotify : nullptr;
  auto respond = [&]() -> LRESULT { return answer ? answer(reinterpret_cast<NMHDR*>(lParam)) : 0; };
  MessageRecorder* recorder = MessageRecorder::Active();
  bool record = !notify || codes.empty() || codes.count(reinterpret_cast<NMHDR*>(lParam)->code) != 0;
  if (recorder == nullptr || !record) return respond();
  auto scope = recorder->Enter(hwnd, message, wParam, lParam);
  return respond();
}

}  // namespace foldwise_test
