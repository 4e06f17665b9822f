// The clipboard as cesim's automation reaches it: another application (a window that is not the
// emulated program's) holding the clipboard open, copying text onto it, and what it holds, read
// from outside.
#ifndef CESIM_CLIPBOARD_CLIPBOARD_H
#define CESIM_CLIPBOARD_CLIPBOARD_H

#include <optional>
#include <string>
#include <vector>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

// Another application opens the clipboard for `holder` and keeps it open: the program's
// OpenClipboard is refused until the holder lets go, after `refusals` refused opens (0: only when
// released). False when the program has the clipboard open itself.
bool HoldClipboardOpen(HWND holder, int refusals);
// The holder closes the clipboard; false when no other application held it.
bool ReleaseHeldClipboard();

// Another application copies a text: it opens the clipboard (false when that is refused), empties
// it and places the text as CF_UNICODETEXT in a block of the device's heap, with `owner` as the
// new owner.
bool CopyTextAsAnotherApplication(HWND owner, const std::u16string& text);

struct ClipboardContents {
  bool open = false;               // by the program or by another application
  bool heldByAnother = false;      // another application holds it open
  HWND openWindow = nullptr;
  HWND owner = nullptr;
  std::vector<UINT> formats;       // in the order they were placed
  std::vector<UINT> delayed;       // of those, the ones still to be rendered
};
ClipboardContents ReadClipboardContents();
// CF_UNICODETEXT up to its terminator (or the end of its block); nothing when the clipboard holds
// none. A delayed text is rendered first, as when another application pastes it: the owner gets
// WM_RENDERFORMAT. Nothing while the program has the clipboard open (a paster could not open it).
std::optional<std::u16string> ReadClipboardText();

void ResetClipboard(Phase phase);

}  // namespace cesim::detail

#endif
