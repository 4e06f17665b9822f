// Keyboard and stylus input against the platform's documented behaviour: keybd_event puts key
// events into the input queue, which hands them out in order with the other input when the
// thread's loop takes them; GetKeyState follows the messages taken, GetAsyncKeyState the keys'
// physical state; KEYEVENTF_SILENT; and automation's keys, strokes and holds going through the
// same queue and state.
#include <gtest/gtest.h>

#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "message_recorder.h"

namespace {

using foldwise_test::Any;
using foldwise_test::MessageRecorder;

// What a handler saw of the key states and the message's time while it ran.
struct Seen {
  UINT message = 0;
  WPARAM wParam = 0;
  SHORT thread = 0;    // GetKeyState of the key (VK_LBUTTON for the stylus)
  SHORT physical = 0;  // GetAsyncKeyState of it
  DWORD time = 0;      // GetMessageTime
  POINT pt = {0, 0};   // the message's client point, for the stylus
};
std::vector<Seen> seen;
// A key that a stylus press queues while it is handled.
UINT keyQueuedOnPress = 0;

LRESULT CALLBACK WatchingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_KEYUP || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)) {
    int vk = message == WM_KEYDOWN || message == WM_KEYUP ? static_cast<int>(wParam) : VK_LBUTTON;
    seen.push_back({message, wParam, GetKeyState(vk), GetAsyncKeyState(vk), static_cast<DWORD>(GetMessageTime()),
                    {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}});
  }
  if (message == WM_LBUTTONDOWN && keyQueuedOnPress != 0) keybd_event(static_cast<BYTE>(keyQueuedOnPress), 0, 0, 0);
  return foldwise_test::RecordingWindowProc(hwnd, message, wParam, lParam);
}

bool Down(SHORT state) { return (state & 0x8000) != 0; }

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seen.clear();
    keyQueuedOnPress = 0;
  }

  void Boot() {
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &WatchingProc;
    cls.lpszClassName = u"Watching";
    ASSERT_NE(RegisterClassW(&cls), 0);
  }

  // A visible window at 0,0 of 100 x 100 pixels that is active and has the focus.
  HWND FocusedWindow(MessageRecorder& recorder) {
    HWND hwnd = CreateWindowExW(0, u"Watching", u"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
    SetFocus(hwnd);
    recorder.Name(hwnd, "window");
    recorder.Flush();
    return hwnd;
  }

  foldwise_test::BootedDevice device;
};

TEST_F(InputTest, KeybdEventKeysArriveWhenTheLoopTakesThemInTheOrderGiven) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  recorder.Only({WM_KEYDOWN, WM_KEYUP, WM_CHAR});
  keybd_event('A', 0, 0, 0);
  keybd_event('A', 0, KEYEVENTF_KEYUP, 0);
  keybd_event('B', 0, 0, 0);
  keybd_event('B', 0, KEYEVENTF_KEYUP, 0);
  EXPECT_TRUE(recorder.Recorded().empty());  // nothing arrives before the loop takes it
  cesim::PumpMessages();
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_KEYDOWN, 'A', 1, 0},
      {"window", WM_CHAR, 'a', Any(), 0},
      {"window", WM_KEYUP, 'A', static_cast<LONG>(0xC0000001), 0},
      {"window", WM_KEYDOWN, 'B', 1, 0},
      {"window", WM_CHAR, 'b', Any(), 0},
      {"window", WM_KEYUP, 'B', static_cast<LONG>(0xC0000001), 0},
  }));
}

TEST_F(InputTest, KeysQueuedDuringATapComeAfterTheInputQueuedBeforeThemAndAfterPostedMessages) {
  Boot();
  MessageRecorder recorder;
  HWND window = FocusedWindow(recorder);
  recorder.Only({WM_KEYDOWN, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_USER});
  keyQueuedOnPress = 'X';  // queued while the press is handled, after the lift that is queued already
  PostMessageW(window, WM_USER, 0, 0);
  cesim::TapClient(window, {10, 10});
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_USER, 0, 0, 0},
      {"window", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), 0},
      {"window", WM_LBUTTONUP, 0, MAKELPARAM(10, 10), 0},
      {"window", WM_KEYDOWN, 'X', 1, 0},
  }));
}

TEST_F(InputTest, AsyncStateIsThePhysicalKeyAndKeyStateTheThreadsAsOfTheMessageTaken) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  keybd_event(VK_SHIFT, 0, 0, 0);
  EXPECT_TRUE(Down(GetAsyncKeyState(VK_SHIFT)));  // the key is down now
  EXPECT_FALSE(Down(GetKeyState(VK_SHIFT)));      // the thread has not taken it yet
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_FALSE(Down(GetKeyState(VK_SHIFT)));  // looking does not take it
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_TRUE(Down(GetKeyState(VK_SHIFT)));
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  EXPECT_FALSE(Down(GetAsyncKeyState(VK_SHIFT)));
  EXPECT_TRUE(Down(GetKeyState(VK_SHIFT)));
  cesim::PumpMessages();
  EXPECT_FALSE(Down(GetKeyState(VK_SHIFT)));
}

TEST_F(InputTest, AHandlerSeesTheKeyDownInItsStateWhileThePhysicalKeyIsUpAgain) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  keybd_event(VK_UP, 0, 0, 0);
  keybd_event(VK_UP, 0, KEYEVENTF_KEYUP, 0);
  cesim::PumpMessages();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_TRUE(Down(seen[0].thread));
  EXPECT_FALSE(Down(seen[0].physical));
  EXPECT_FALSE(Down(seen[1].thread));
}

TEST_F(InputTest, TheAsyncLowBitTellsOfAPressSinceTheLastCall) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  EXPECT_EQ(GetAsyncKeyState('Q'), 0);
  keybd_event('Q', 0, 0, 0);
  keybd_event('Q', 0, KEYEVENTF_KEYUP, 0);
  EXPECT_EQ(GetAsyncKeyState('Q'), 1);  // up now, pressed since the last call
  EXPECT_EQ(GetAsyncKeyState('Q'), 0);
  keybd_event('Q', 0, 0, 0);
  EXPECT_EQ(static_cast<WORD>(GetAsyncKeyState('Q')), 0x8001);
  EXPECT_EQ(static_cast<WORD>(GetAsyncKeyState('Q')), 0x8000);
}

TEST_F(InputTest, AnImageCanPoisonTheAsyncLowBitThatTheDeviceCallsNotValid) {
  device.image.SetAsyncKeyLowBitPoisoned(true);
  Boot();
  EXPECT_EQ(GetAsyncKeyState('Q'), 1);  // never pressed, and the low bit all the same
  EXPECT_EQ(GetAsyncKeyState('Q'), 1);
  keybd_event('Q', 0, 0, 0);
  EXPECT_EQ(static_cast<WORD>(GetAsyncKeyState('Q')), 0x8001);
}

TEST_F(InputTest, KeyStateToggledBitFlipsWithEachPressTaken) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
  cesim::PressKey(VK_CAPITAL);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
  EXPECT_FALSE(Down(GetKeyState(VK_CAPITAL)));
  cesim::PressKey(VK_CAPITAL);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
}

TEST_F(InputTest, AKeyUpWithoutADownIsDeliveredAndLeavesTheKeyUp) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  recorder.Only({WM_KEYDOWN, WM_KEYUP, WM_CHAR});
  keybd_event('M', 0, KEYEVENTF_KEYUP, 0);
  cesim::PumpMessages();
  EXPECT_TRUE(recorder.Sequence({{"window", WM_KEYUP, 'M', static_cast<LONG>(0xC0000001), 0}}));
  EXPECT_FALSE(Down(GetKeyState('M')));
  EXPECT_FALSE(Down(GetAsyncKeyState('M')));
  EXPECT_EQ(GetAsyncKeyState('M') & 1, 0);  // no press happened
}

TEST_F(InputTest, KeyMessagesCarryTheScanCodeTheExtendedBitAndARepeatedPress) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  recorder.Only({WM_KEYDOWN, WM_KEYUP});
  keybd_event(VK_DELETE, 0x53, KEYEVENTF_EXTENDEDKEY, 0);
  keybd_event(VK_DELETE, 0x53, KEYEVENTF_EXTENDEDKEY, 0);  // held: the press repeats
  keybd_event(VK_DELETE, 0x53, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
  cesim::PumpMessages();
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_KEYDOWN, VK_DELETE, 0x01530001, 0},
      {"window", WM_KEYDOWN, VK_DELETE, 0x41530001, 0},
      {"window", WM_KEYUP, VK_DELETE, static_cast<LONG>(0xC1530001), 0},
  }));
}

TEST_F(InputTest, ASilentKeystrokeArrivesWithoutTheKeyClick) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  recorder.Only({WM_KEYDOWN, WM_KEYUP});
  keybd_event(VK_NEXT, 0, KEYEVENTF_SILENT, 0);
  keybd_event(VK_NEXT, 0, KEYEVENTF_KEYUP, 0);
  cesim::PumpMessages();
  EXPECT_EQ(cesim::KeyClicks(), 0);
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_KEYDOWN, VK_NEXT, 1, 0},
      {"window", WM_KEYUP, VK_NEXT, Any(), 0},
  }));
  keybd_event(VK_NEXT, 0, 0, 0);
  cesim::PressKey('K');  // the user's own keys click too
  EXPECT_EQ(cesim::KeyClicks(), 2);
}

TEST_F(InputTest, KeysOutsideTheRangeOfVirtualKeysAreNotQueued) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  recorder.Only({WM_KEYDOWN, WM_KEYUP});
  keybd_event(0, 0, 0, 0);
  keybd_event(0xFF, 0, 0, 0);
  cesim::PumpMessages();
  EXPECT_TRUE(recorder.Recorded().empty());
  EXPECT_EQ(GetKeyState(-1), 0);
  EXPECT_EQ(GetKeyState(256), 0);
  EXPECT_EQ(GetAsyncKeyState(1000000), 0);
  EXPECT_EQ(GetAsyncKeyState(-1000000), 0);
}

TEST_F(InputTest, KeysWithoutAFocusGoToTheActiveWindowAndWithoutEitherAreLost) {
  Boot();
  MessageRecorder recorder;
  HWND window = FocusedWindow(recorder);
  recorder.Only({WM_KEYDOWN});
  SetFocus(nullptr);
  keybd_event('Z', 0, 0, 0);
  cesim::PumpMessages();
  EXPECT_TRUE(recorder.Sequence({{"window", WM_KEYDOWN, 'Z', Any(), 0}}));
  DestroyWindow(window);
  recorder.Flush();
  keybd_event('Y', 0, 0, 0);
  cesim::PumpMessages();
  EXPECT_TRUE(recorder.Recorded().empty());
  EXPECT_TRUE(Down(GetKeyState('Y')));  // taken by the thread all the same
}

TEST_F(InputTest, AutomationKeysGoThroughTheSameQueueAndStates) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  cesim::KeyDown(VK_CONTROL);
  EXPECT_TRUE(Down(GetKeyState(VK_CONTROL)));
  EXPECT_TRUE(Down(GetAsyncKeyState(VK_CONTROL)));
  cesim::KeyUp(VK_CONTROL);
  EXPECT_FALSE(Down(GetAsyncKeyState(VK_CONTROL)));
  EXPECT_EQ(cesim::KeyClicks(), 1);
}

TEST_F(InputTest, AHeldKeyIsDownUntilItsTimeAndItsReleaseComesThen) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  DWORD start = cesim::Now();
  cesim::HoldKey(VK_RETURN, 700);
  EXPECT_EQ(cesim::Now(), start + 700);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(seen[0].time, start);
  EXPECT_TRUE(Down(seen[0].physical));  // still held while the press is handled
  EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_KEYUP));
  EXPECT_EQ(seen[1].time, start + 700);
}

TEST_F(InputTest, ADragMovesTheStylusInStepsOverTime) {
  Boot();
  MessageRecorder recorder;
  HWND window = FocusedWindow(recorder);
  recorder.Only({WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP});
  DWORD start = cesim::Now();
  cesim::Drag({10, 10}, {50, 30}, 2, 400);
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), 0},
      {"window", WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 20), 0},
      {"window", WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 30), 0},
      {"window", WM_LBUTTONUP, 0, MAKELPARAM(50, 30), 0},
  }));
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].time, start);
  EXPECT_EQ(seen[1].time, start + 200);
  EXPECT_EQ(seen[2].time, start + 400);
  EXPECT_EQ(seen[3].time, start + 400);
  // The stylus is down in the thread's state for the moves, up after the lift.
  EXPECT_TRUE(Down(seen[1].thread));
  EXPECT_FALSE(Down(GetKeyState(VK_LBUTTON)));
  EXPECT_FALSE(Down(GetAsyncKeyState(VK_LBUTTON)));
  (void)window;
}

TEST_F(InputTest, TheStylusIsPhysicallyDownWhileHeldAndItsLiftArrivesAtItsTime) {
  Boot();
  MessageRecorder recorder;
  FocusedWindow(recorder);
  DWORD start = cesim::Now();
  cesim::Hold({20, 20}, 1000);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_TRUE(Down(seen[0].physical));
  EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_LBUTTONUP));
  EXPECT_EQ(seen[1].time, start + 1000);
  EXPECT_FALSE(Down(GetAsyncKeyState(VK_LBUTTON)));
}

TEST_F(InputTest, AMessageLoopThatWaitsTakesTheHeldStylusLiftWhenItComes) {
  Boot();
  MessageRecorder recorder;
  HWND window = FocusedWindow(recorder);
  DWORD start = cesim::Now();
  // The user presses now and lifts in 300 ms; the application's loop waits for it.
  cesim::WhenIdle([] { cesim::Hold({30, 30}, 300); });
  MSG msg;
  std::vector<UINT> taken;
  while (GetMessageW(&msg, window, WM_LBUTTONDOWN, WM_LBUTTONUP)) {
    taken.push_back(msg.message);
    if (msg.message == WM_LBUTTONUP) break;
  }
  EXPECT_EQ(taken, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
  EXPECT_EQ(msg.time, start + 300);
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

}  // namespace
