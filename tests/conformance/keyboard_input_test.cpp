// Synthesized keystrokes and the key states: keybd_event puts keys into the input queue, from
// which the application's loop takes them in order, after the messages posted before them, as key
// messages and (through TranslateMessage) characters; a silent keystroke is the key it names.
// GetAsyncKeyState is the key's state now, GetKeyState the thread's as of the messages it took.
#include "conformance.h"
#include "message_recorder.h"
#include "test_windows.h"

namespace conformance {
namespace {

using foldwise_test::Any;
using foldwise_test::MessageRecorder;

bool Down(SHORT state) { return (state & 0x8000) != 0; }

class KeyboardInputTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    window = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    ASSERT_NE(window, nullptr);
    host.Activate(window);
    SetFocus(window);
    host.Pump();
    recorder.Name(window, "window");
    recorder.Only({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_APP});
    recorder.Flush();
  }

  MessageRecorder recorder;
  HWND window = nullptr;
};

TEST_F(KeyboardInputTest, SynthesizedKeysArriveInOrderAsKeyMessagesAndCharacters) {
  keybd_event('A', 0, 0, 0);
  keybd_event('A', 0, KEYEVENTF_KEYUP, 0);
  keybd_event('B', 0, 0, 0);
  keybd_event('B', 0, KEYEVENTF_KEYUP, 0);
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_KEYDOWN, 'A', Any(), 0},
      {"window", WM_CHAR, 'a', Any(), 0},
      {"window", WM_KEYUP, 'A', Any(), 0},
      {"window", WM_KEYDOWN, 'B', Any(), 0},
      {"window", WM_CHAR, 'b', Any(), 0},
      {"window", WM_KEYUP, 'B', Any(), 0},
  }));
  // One press each; a release has the previous-state and transition bits.
  for (const foldwise_test::RecordedMessage& m : recorder.Recorded()) {
    if (m.message == WM_KEYDOWN) {
      EXPECT_EQ(m.lParam & 0xFFFF, 1);
      EXPECT_EQ(static_cast<DWORD>(m.lParam) & 0xC0000000u, 0u);
    }
    if (m.message == WM_KEYUP) {
      EXPECT_EQ(static_cast<DWORD>(m.lParam) & 0xC0000000u, 0xC0000000u);
    }
  }
}

// A keystroke made without the key click is the key it names, as a list that pages injects it.
// On the desktop the silent flag's bit is KEYEVENTF_UNICODE, which the platform layer takes off.
TEST_F(KeyboardInputTest, ASilentKeystrokeArrivesAsTheKeyItNames) {
  keybd_event(VK_NEXT, 0, KEYEVENTF_SILENT, 0);
  keybd_event(VK_NEXT, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_PRIOR, 0, KEYEVENTF_SILENT, 0);
  keybd_event(VK_PRIOR, 0, KEYEVENTF_KEYUP, 0);
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_KEYDOWN, VK_NEXT, Any(), 0},
      {"window", WM_KEYUP, VK_NEXT, Any(), 0},
      {"window", WM_KEYDOWN, VK_PRIOR, Any(), 0},
      {"window", WM_KEYUP, VK_PRIOR, Any(), 0},
  }));
}

TEST_F(KeyboardInputTest, PostedMessagesAreTakenBeforeQueuedInput) {
  keybd_event(VK_F7, 0, 0, 0);
  keybd_event(VK_F7, 0, KEYEVENTF_KEYUP, 0);
  PostMessageW(window, WM_APP, 0, 0);
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_APP, 0, 0, 0},
      {"window", WM_KEYDOWN, VK_F7, Any(), 0},
      {"window", WM_KEYUP, VK_F7, Any(), 0},
  }));
}

TEST_F(KeyboardInputTest, TheAsyncStateIsTheKeyNowAndTheKeyStateTheThreadsAsOfTheMessagesTaken) {
  keybd_event(VK_SHIFT, 0, 0, 0);
#ifdef _WIN32
  Sleep(50);  // the desktop's input arrives from another thread of the system
#endif
  EXPECT_TRUE(Down(GetAsyncKeyState(VK_SHIFT)));
  EXPECT_FALSE(Down(GetKeyState(VK_SHIFT)));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_SHIFT));
  EXPECT_TRUE(Down(GetKeyState(VK_SHIFT)));
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  host.Pump();
  EXPECT_FALSE(Down(GetAsyncKeyState(VK_SHIFT)));
  EXPECT_FALSE(Down(GetKeyState(VK_SHIFT)));
}

TEST_F(KeyboardInputTest, AKeyReleasedWithoutAPressIsDeliveredAndStaysUp) {
  keybd_event(VK_F8, 0, KEYEVENTF_KEYUP, 0);
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({{"window", WM_KEYUP, VK_F8, Any(), 0}}));
  EXPECT_FALSE(Down(GetKeyState(VK_F8)));
  EXPECT_FALSE(Down(GetAsyncKeyState(VK_F8)));
}

TEST_F(KeyboardInputTest, KeyStatesOfKeysThatDoNotExistAreZero) {
  EXPECT_EQ(GetAsyncKeyState(1000000), 0);
  EXPECT_EQ(GetAsyncKeyState(-1000000), 0);
}

}  // namespace
}  // namespace conformance
