// Message boxes and the caption's OK button, as the user answers and taps them.
#include <cstdio>

#include "cesim/ui.h"
#include "message/queue.h"
#include "message_box/message_box.h"
#include "sim/dialog.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/table.h"

namespace cesim {

namespace {

MessageBoxView ViewOf(const detail::MessageBoxShown& box) {
  MessageBoxView view;
  view.window = box.window;
  view.owner = box.owner;
  view.caption = box.caption;
  view.text = box.text;
  view.type = box.type;
  view.buttons = box.buttons;
  view.defaultButton = box.defaultButton;
  view.answer = box.result;
  return view;
}

// The top-level window of a message box that shows, the topmost first.
HWND ShownBoxWindow() {
  for (HWND top : detail::TopLevelWindows()) {
    if (IsWindowVisible(top) && detail::MessageBoxOf(top) != nullptr) return top;
  }
  return nullptr;
}

}  // namespace

std::optional<MessageBoxView> ShownMessageBox() {
  HWND window = ShownBoxWindow();
  if (window == nullptr) return std::nullopt;
  return ViewOf(*detail::MessageBoxOf(window));
}

std::vector<MessageBoxView> MessageBoxesShown() {
  std::vector<MessageBoxView> views;
  for (const detail::MessageBoxShown& box : detail::MessageBoxHistory()) views.push_back(ViewOf(box));
  return views;
}

bool PressMessageBoxButton(int button) {
  HWND window = ShownBoxWindow();
  if (window == nullptr) return false;
  HWND control = GetDlgItem(window, button);
  RECT rect;
  if (control == nullptr || !IsWindowVisible(control) || !GetClientRect(control, &rect)) return false;
  TapClient(control, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  return true;
}

void AnswerMessageBox(int button) {
  WhenIdle([button] {
    if (!PressMessageBoxButton(button)) {
      std::fprintf(stderr, "cesim: AnswerMessageBox(%d) found no message box with that button\n", button);
    }
  });
}

bool TapCaptionOkButton(HWND window) {
  detail::Window* w = detail::FindWindowRecord(window);
  if (w == nullptr || !detail::IsTopLevel(*w)) return false;
  const bool hasButton = (w->style & WS_CAPTION) == WS_CAPTION && (w->exStyle & WS_EX_CAPTIONOKBTN) != 0;
  if (!hasButton || !IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
  // The button lies on the caption, not in the client area: the window manager turns the tap into
  // the command itself.
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  if (!detail::InIdleAction()) PumpMessages();
  return true;
}

}  // namespace cesim
