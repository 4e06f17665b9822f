// Test windows and dialogs: one window procedure and one dialog procedure for all of them, each
// recording into the active message recorder and asking the window's handler.
#include "test_windows.h"

#include <map>

#include "message_recorder.h"

namespace conformance {

const WCHAR kTestWindowClass[] = TEXT("ConformanceWindow");

namespace {

using foldwise_test::MessageRecorder;

std::map<HWND, Handler>& Handlers() {
  static std::map<HWND, Handler> handlers;
  return handlers;
}

// The handler of the dialog being created, until its first message names its window.
Handler& PendingDialogHandler() {
  static Handler pending;
  return pending;
}

bool Ask(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto it = Handlers().find(hwnd);
  if (it == Handlers().end() || !it->second) return false;
  Handler handler = it->second;  // the handler may replace itself
  return handler(hwnd, message, wParam, lParam, result);
}

// The handler's answer, else the default: recorded, with what the handling sends nested in it.
LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT unhandled(HWND, UINT, WPARAM, LPARAM)) {
  MessageRecorder* recorder = MessageRecorder::Active();
  LRESULT result = 0;
  auto answer = [&] {
    if (!Ask(hwnd, message, wParam, lParam, &result)) result = unhandled(hwnd, message, wParam, lParam);
  };
  if (recorder != nullptr) {
    auto scope = recorder->Enter(hwnd, message, wParam, lParam);
    answer();
  } else {
    answer();
  }
  if (message == WM_DESTROY) Handlers().erase(hwnd);
  return result;
}

LRESULT Unhandled(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Handle(hwnd, message, wParam, lParam, &DefWindowProcW);
}

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Handlers().count(dialog) == 0 && PendingDialogHandler()) {
    Handlers()[dialog] = PendingDialogHandler();
    PendingDialogHandler() = nullptr;
  }
  return static_cast<INT_PTR>(Handle(dialog, message, wParam, lParam, &Unhandled));
}

void EnsureClass(Host& host) {
  WNDCLASSW existing;
  if (!GetClassInfoW(host.Instance(), kTestWindowClass, &existing)) host.RegisterWindowClass(kTestWindowClass, &TestWindowProc);
}

}  // namespace

HWND CreateTestWindow(Host& host, DWORD style, RECT rect, HWND parentOrOwner, DWORD exStyle) {
  EnsureClass(host);
  return CreateWindowExW(exStyle, kTestWindowClass, TEXT(""), style, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, parentOrOwner, nullptr, host.Instance(), nullptr);
}

void SetHandler(HWND window, Handler handler) { Handlers()[window] = std::move(handler); }

DialogTemplate::DialogTemplate(DWORD style, short cx, short cy, DWORD exStyle) {
  Dword(style);
  Dword(exStyle);
  countAt_ = words_.size();
  Word(0);  // controls, counted as they are added
  Word(0);  // x
  Word(0);  // y
  Word(static_cast<WORD>(cx));
  Word(static_cast<WORD>(cy));
  Word(0);  // no menu
  Word(0);  // the predefined dialog class
  Word(0);  // no title
}

DialogTemplate& DialogTemplate::Add(const WCHAR* className, WORD id, DWORD style, short x, short y, short cx, short cy,
                                    const WCHAR* text) {
  AlignDword();
  Dword(style);
  Dword(0);
  Word(static_cast<WORD>(x));
  Word(static_cast<WORD>(y));
  Word(static_cast<WORD>(cx));
  Word(static_cast<WORD>(cy));
  Word(id);
  String(className);
  String(text != nullptr ? text : TEXT(""));
  Word(0);  // no creation data
  ++words_[countAt_];
  return *this;
}

void DialogTemplate::Dword(DWORD d) {
  Word(static_cast<WORD>(d & 0xFFFF));
  Word(static_cast<WORD>(d >> 16));
}

void DialogTemplate::String(const WCHAR* text) {
  for (; *text != 0; ++text) Word(static_cast<WORD>(*text));
  Word(0);
}

void DialogTemplate::AlignDword() {
  if (words_.size() % 2 != 0) Word(0);
}

HWND CreateTestDialog(Host& host, const DialogTemplate& dialog, HWND owner, Handler handler) {
  PendingDialogHandler() = std::move(handler);
  HWND created = CreateDialogIndirectParamW(host.Instance(), dialog.Get(), owner, &TestDialogProc, 0);
  PendingDialogHandler() = nullptr;
  return created;
}

INT_PTR RunModalTestDialog(Host& host, const DialogTemplate& dialog, HWND owner, Handler handler) {
  PendingDialogHandler() = std::move(handler);
  INT_PTR result = DialogBoxIndirectParamW(host.Instance(), dialog.Get(), owner, &TestDialogProc, 0);
  PendingDialogHandler() = nullptr;
  return result;
}

}  // namespace conformance
