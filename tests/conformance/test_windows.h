// Windows and dialogs that conformance tests create: plain windows and dialog procedures that
// record what they receive in the active message recorder and let the test answer, and dialog
// templates built in memory.
#ifndef FOLDWISE_CONFORMANCE_TEST_WINDOWS_H
#define FOLDWISE_CONFORMANCE_TEST_WINDOWS_H

#include <functional>
#include <vector>

#include "host.h"

namespace conformance {

// What a test window or dialog does with a message: true when it handled it, with *result its
// answer (for a dialog procedure: the value the procedure returns).
using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;

// The class of the test's plain windows, registered once per test by the host.
extern const WCHAR kTestWindowClass[];

// A window of kTestWindowClass. Every message it receives is recorded; the handler (which may
// be set later) answers first, the rest goes to DefWindowProcW.
HWND CreateTestWindow(Host& host, DWORD style, RECT rect, HWND parentOrOwner = nullptr, DWORD exStyle = 0);
void SetHandler(HWND window, Handler handler);

// A dialog template built in memory: the dialog, then its controls in tab order. Sizes are in
// dialog units; no font (the system font).
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short cx, short cy, DWORD exStyle = 0);
  DialogTemplate& Add(const WCHAR* className, WORD id, DWORD style, short x, short y, short cx, short cy,
                      const WCHAR* text = nullptr);
  LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(words_.data()); }

 private:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d);
  void String(const WCHAR* text);
  void AlignDword();
  std::vector<WORD> words_;
  size_t countAt_ = 0;
};

// A dialog whose procedure records every message and asks the handler first; unhandled
// messages return FALSE. Modeless (CreateDialogIndirectParamW) or modal.
HWND CreateTestDialog(Host& host, const DialogTemplate& dialog, HWND owner, Handler handler);
INT_PTR RunModalTestDialog(Host& host, const DialogTemplate& dialog, HWND owner, Handler handler);

}  // namespace conformance

#endif
