// Copy Path: the selected path as Unicode text on the clipboard.
#include "contextmenu/menu_commands.h"

namespace {

// Another window may hold the clipboard open for a moment; one that never lets go must not hang
// the Explorer, so the open is tried this many times and the copy is then given up.
const int kClipboardOpenAttempts = 100;

BOOL OpenClipboardBounded(HWND owner) {
  for (int attempt = 0; attempt < kClipboardOpenAttempts; ++attempt) {
    if (OpenClipboard(owner)) return TRUE;
  }
  return FALSE;
}

}  // namespace

void CopyPathToClipboard(HWND owner, LPCWSTR path) {
  // The block is had before the clipboard is emptied, so that running out of memory leaves the
  // clipboard's earlier contents in place.
  WCHAR* text = static_cast<WCHAR*>(LocalAlloc(LPTR, MAX_PATH * sizeof(WCHAR)));
  if (text == NULL) return;
  int length = 0;
  for (; length < MAX_PATH - 1 && path[length] != 0; ++length) text[length] = path[length];
  text[length] = 0;

  if (!OpenClipboardBounded(owner)) {
    LocalFree(text);
    return;
  }
  EmptyClipboard();
  // The clipboard owns the block only when it took it.
  if (SetClipboardData(CF_UNICODETEXT, text) == NULL) LocalFree(text);
  CloseClipboard();
}
