// The clipboard from outside: what it holds, and another application holding it or copying to it.
#include "cesim/automation.h"
#include "clipboard/clipboard.h"

namespace cesim {

ClipboardView ReadClipboard() {
  const detail::ClipboardContents contents = detail::ReadClipboardContents();
  ClipboardView view;
  view.open = contents.open;
  view.heldByAnotherApplication = contents.heldByAnother;
  view.openWindow = contents.openWindow;
  view.owner = contents.owner;
  view.formats = contents.formats;
  view.delayedFormats = contents.delayed;
  return view;
}

std::optional<std::u16string> ClipboardText() { return detail::ReadClipboardText(); }

bool HoldClipboard(HWND holder, int refusalsBeforeLettingGo) {
  return detail::HoldClipboardOpen(holder, refusalsBeforeLettingGo);
}

bool ReleaseClipboard() { return detail::ReleaseHeldClipboard(); }

bool CopyToClipboard(HWND owner, const std::u16string& text) {
  return detail::CopyTextAsAnotherApplication(owner, text);
}

}  // namespace cesim
