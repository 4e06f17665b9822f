// Messages against the platform's documented behaviour: sending (synchronous and nested),
// posting and the queue's order, peeking and filters, WM_QUIT, the positions and times of queued
// messages, timers on the virtual clock, translating keys, activation and focus changes in their
// order, taps and capture, and windows destroyed in the middle of their own messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "message_recorder.h"

namespace {

using foldwise_test::Any;
using foldwise_test::MessageRecorder;
using foldwise_test::Wnd;

// Sends WM_USER + 1 to the window named by its user data when it gets WM_USER.
LRESULT CALLBACK ForwardingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) {
    HWND target = reinterpret_cast<HWND>(GetWindowLongW(hwnd, GWL_USERDATA));
    return SendMessageW(target, WM_USER + 1, 0, 0) + 1;
  }
  if (message == WM_USER + 1) return 41;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Destroys itself while it handles WM_USER.
LRESULT CALLBACK SelfDestroyingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) {
    DestroyWindow(hwnd);
    return 0;
  }
  return foldwise_test::RecordingWindowProc(hwnd, message, wParam, lParam);
}

// Closes itself, once, when it loses activation: the mark (its user data) is set before the
// destruction begins, so the deactivation that the destruction itself sends begins nothing.
LRESULT CALLBACK ClosingOnDeactivationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
    MessageRecorder::Scope scope = MessageRecorder::Active()->Enter(hwnd, message, wParam, lParam);
    if (GetWindowLongW(hwnd, GWL_USERDATA) == 0) {
      SetWindowLongW(hwnd, GWL_USERDATA, 1);
      DestroyWindow(hwnd);
    }
    return 0;
  }
  return foldwise_test::RecordingWindowProc(hwnd, message, wParam, lParam);
}

// Destroys itself every time it loses activation, as a window without such a mark does.
LRESULT CALLBACK DestroyingOnEveryDeactivationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
    DestroyWindow(hwnd);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Destroys itself again from its own WM_DESTROY, once with the mark (user data), or every time.
LRESULT CALLBACK DestroyingAgainOnDestroyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    MessageRecorder* recorder = MessageRecorder::Active();
    if (recorder != nullptr) {
      MessageRecorder::Scope scope = recorder->Enter(hwnd, message, wParam, lParam);
      if (GetWindowLongW(hwnd, GWL_USERDATA) == 0) {
        SetWindowLongW(hwnd, GWL_USERDATA, 1);
        DestroyWindow(hwnd);
      }
    } else {
      DestroyWindow(hwnd);
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::vector<DWORD> timerTicks;
void CALLBACK TimerCallback(HWND, UINT message, UINT_PTR id, DWORD tick) {
  if (message == WM_TIMER && id != 0) timerTicks.push_back(tick);
}

class MessageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device.Boot());
    for (auto [name, proc] : {std::pair<LPCWSTR, WNDPROC>{u"Recording", &foldwise_test::RecordingWindowProc},
                              {u"Forwarding", &ForwardingProc}, {u"SelfDestroying", &SelfDestroyingProc},
                              {u"ClosingOnDeactivation", &ClosingOnDeactivationProc},
                              {u"DestroyingOnEveryDeactivation", &DestroyingOnEveryDeactivationProc},
                              {u"DestroyingAgainOnDestroy", &DestroyingAgainOnDestroyProc}}) {
      WNDCLASSW cls = {};
      cls.lpfnWndProc = proc;
      cls.lpszClassName = name;
      ASSERT_NE(RegisterClassW(&cls), 0);
    }
  }

  static HWND Window(LPCWSTR cls = u"Recording", DWORD style = WS_POPUP | WS_VISIBLE, RECT r = {0, 0, 100, 100},
                     HWND parent = nullptr, int id = 0) {
    return CreateWindowExW(0, cls, u"", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  }

  foldwise_test::BootedDevice device;
};

TEST_F(MessageTest, SendIsSynchronousAndNests) {
  HWND target = Window();
  HWND forwarder = Window(u"Forwarding");
  SetWindowLongW(forwarder, GWL_USERDATA, reinterpret_cast<LONG_PTR>(target));
  MessageRecorder recorder;
  recorder.Watch(forwarder, "forwarder");
  recorder.Name(target, "target");  // its own procedure records
  EXPECT_EQ(SendMessageW(forwarder, WM_USER, 0, 0), 1);  // the target answered 0 through its default procedure
  EXPECT_TRUE(recorder.Sequence({
      {"forwarder", WM_USER, 0, 0, 0},
      {"target", WM_USER + 1, 0, 0, 1},
  }));
}

TEST_F(MessageTest, PostedMessagesComeOutInOrderWithTheirTimeAndPosition) {
  HWND window = Window();
  cesim::AdvanceClock(250);
  cesim::Tap({30, 40});  // the stylus is now at 30, 40
  ASSERT_TRUE(PostMessageW(window, WM_USER, 1, 2));
  ASSERT_TRUE(PostMessageW(window, WM_USER + 1, 3, 4));
  ASSERT_TRUE(PostMessageW(nullptr, WM_USER + 2, 5, 6));  // a message for the thread
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.hwnd, window);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  EXPECT_EQ(msg.wParam, 1u);
  EXPECT_EQ(msg.lParam, 2);
  EXPECT_EQ(msg.time, 250u);
  EXPECT_EQ(GetMessageTime(), 250);
  EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELONG(30, 40)));
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageTest, PeekFiltersByWindowAndRangeAndCanLeaveTheMessage) {
  HWND first = Window();
  HWND second = Window();
  HWND child = Window(u"Recording", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, first, 1);
  PostMessageW(second, WM_USER, 0, 0);
  PostMessageW(child, WM_USER + 5, 0, 0);
  MSG msg = {};
  msg.message = 0xBEEF;
  EXPECT_FALSE(PeekMessageW(&msg, first, WM_USER, WM_USER + 1, PM_NOREMOVE));
  EXPECT_EQ(msg.message, 0xBEEFu);  // untouched when nothing matched
  // A window's filter takes its children's messages too.
  ASSERT_TRUE(PeekMessageW(&msg, first, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.hwnd, child);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, child);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, second);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageTest, QuitComesAfterPostedMessagesAndEndsGetMessage) {
  HWND window = Window();
  PostQuitMessage(3);
  PostMessageW(window, WM_USER, 0, 0);
  MSG msg;
  EXPECT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

TEST_F(MessageTest, WaitingLoopsRunQueuedActionsAndReportAStall) {
  HWND window = Window();
  cesim::WhenIdle([window] { PostMessageW(window, WM_USER + 7, 0, 0); });
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 7));
  EXPECT_EQ(cesim::PendingIdleActions(), 0u);
  // Nothing left to come: the device would wait for ever; the loop ends and says so.
  EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(cesim::MessageLoopStalls(), 1);
}

TEST_F(MessageTest, TimersFireWhenTheVirtualClockPassesTheirTime) {
  HWND window = Window();
  MessageRecorder recorder;
  recorder.Name(window, "window");
  recorder.Only({WM_TIMER});
  EXPECT_EQ(GetTickCount(), 0u);
  EXPECT_NE(SetTimer(window, 1, 100, nullptr), 0u);
  cesim::AdvanceClock(99);
  EXPECT_TRUE(recorder.Recorded().empty());
  cesim::AdvanceClock(1);
  cesim::AdvanceClock(250);  // 200 and 300, not a burst to catch up
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_TIMER, 1, 0, 0},
      {"window", WM_TIMER, 1, 0, 0},
      {"window", WM_TIMER, 1, 0, 0},
  }));
  EXPECT_EQ(GetTickCount(), 350u);
  EXPECT_TRUE(KillTimer(window, 1));
  EXPECT_FALSE(KillTimer(window, 1));
  recorder.Flush();
  cesim::AdvanceClock(1000);
  EXPECT_TRUE(recorder.Recorded().empty());
}

TEST_F(MessageTest, TimerProcedureIsCalledAtTheTimerTime) {
  timerTicks.clear();
  HWND window = Window();
  SetTimer(window, 9, 40, &TimerCallback);
  UINT_PTR threadTimer = SetTimer(nullptr, 0, 70, &TimerCallback);
  EXPECT_NE(threadTimer, 0u);
  cesim::AdvanceClock(100);
  EXPECT_EQ(timerTicks, (std::vector<DWORD>{40, 70, 80}));
  // A zero interval timer fires once for each moment of the clock.
  timerTicks.clear();
  KillTimer(window, 9);
  KillTimer(nullptr, threadTimer);
  SetTimer(window, 2, 0, &TimerCallback);
  cesim::PumpMessages();
  cesim::PumpMessages();
  EXPECT_EQ(timerTicks, (std::vector<DWORD>{100}));
}

TEST_F(MessageTest, TimersOfADestroyedWindowStop) {
  HWND window = Window();
  SetTimer(window, 1, 10, nullptr);
  DestroyWindow(window);
  cesim::AdvanceClock(100);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageTest, KeysGoToTheFocusAndTranslateIntoCharacters) {
  HWND window = Window();
  HWND child = Window(u"Recording", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, window, 1);
  SetFocus(child);
  MessageRecorder recorder;
  recorder.Name(child, "child");
  recorder.Only({WM_KEYDOWN, WM_KEYUP, WM_CHAR});
  cesim::PressKey('A');
  cesim::PressKey(VK_F1);  // types nothing
  cesim::TypeText(u"b!");
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_KEYDOWN, 'A', 1, 0},
      {"child", WM_CHAR, 'a', 1, 0},
      {"child", WM_KEYUP, 'A', static_cast<LONG>(0xC0000001), 0},
      {"child", WM_KEYDOWN, VK_F1, Any(), 0},
      {"child", WM_KEYUP, VK_F1, Any(), 0},
      {"child", WM_KEYDOWN, 'B', Any(), 0},
      {"child", WM_CHAR, 'b', Any(), 0},
      {"child", WM_KEYUP, 'B', Any(), 0},
      {"child", WM_KEYDOWN, VK_PROCESSKEY, Any(), 0},
      {"child", WM_CHAR, '!', Any(), 0},
      {"child", WM_KEYUP, VK_PROCESSKEY, Any(), 0},
  }));
}

TEST_F(MessageTest, KeyStateFollowsTheKeysTaken) {
  Window();
  cesim::KeyDown(VK_SHIFT);
  EXPECT_NE(GetKeyState(VK_SHIFT) & 0x8000, 0);
  cesim::KeyUp(VK_SHIFT);
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST_F(MessageTest, MessagesToAWindowDestroyedSinceStayQueuedAndGoNowhere) {
  HWND window = Window();
  PostMessageW(window, WM_USER, 0, 0);
  DestroyWindow(window);
  MessageRecorder recorder;
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, window);
  SetLastError(0);
  EXPECT_EQ(DispatchMessageW(&msg), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_TRUE(recorder.Recorded().empty());
}

TEST_F(MessageTest, ActivationTellsTheOldWindowFirstAndMovesTheFocus) {
  HWND first = Window();
  HWND firstChild = Window(u"Recording", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, first, 1);
  SetFocus(firstChild);
  HWND second = Window(u"Recording", WS_POPUP);
  MessageRecorder recorder;
  recorder.Name(first, "first");
  recorder.Name(firstChild, "firstChild");
  recorder.Name(second, "second");
  recorder.Only({WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS});
  EXPECT_EQ(SetActiveWindow(second), first);
  EXPECT_TRUE(recorder.Sequence({
      {"first", WM_ACTIVATE, WA_INACTIVE, Wnd("second"), 0},
      {"second", WM_ACTIVATE, WA_ACTIVE, Wnd("first"), 0},
      {"firstChild", WM_KILLFOCUS, Wnd("second"), 0, 1},
      {"second", WM_SETFOCUS, Wnd("firstChild"), 0, 1},
  }));
  EXPECT_EQ(GetActiveWindow(), second);
  EXPECT_EQ(GetForegroundWindow(), second);
  EXPECT_EQ(GetFocus(), second);
}

TEST_F(MessageTest, UserSwitchingToAWindowActivatesItsTopLevelWindow) {
  HWND first = Window();
  HWND firstChild = Window(u"Recording", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, first, 1);
  HWND second = Window();
  ASSERT_EQ(GetActiveWindow(), second);
  MessageRecorder recorder;
  recorder.Name(first, "first");
  recorder.Name(second, "second");
  recorder.Only({WM_ACTIVATE});
  cesim::Activate(firstChild);
  EXPECT_TRUE(recorder.Sequence({
      {"second", WM_ACTIVATE, WA_INACTIVE, Wnd("first"), 0},
      {"first", WM_ACTIVATE, WA_ACTIVE, Wnd("second"), 0},
  }));
  EXPECT_EQ(GetWindow(second, GW_HWNDPREV), first);  // on top now
}

TEST_F(MessageTest, FocusChangesTellTheLoserFirst) {
  HWND window = Window();
  HWND a = Window(u"Recording", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, window, 1);
  HWND b = Window(u"Recording", WS_CHILD | WS_VISIBLE, {0, 10, 10, 20}, window, 2);
  SetFocus(a);
  MessageRecorder recorder;
  recorder.Name(a, "a");
  recorder.Name(b, "b");
  recorder.Only({WM_SETFOCUS, WM_KILLFOCUS});
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_TRUE(recorder.Sequence({
      {"a", WM_KILLFOCUS, Wnd("b"), 0, 0},
      {"b", WM_SETFOCUS, Wnd("a"), 0, 0},
  }));
  EXPECT_EQ(SetFocus(b), b);  // no change, no messages
  EXPECT_EQ(recorder.Recorded().size(), 2u);
}

// The platform's order: the window is hidden, then, while it is still active, activation moves
// to its owner (the dying window told first), the focus follows, and only then WM_DESTROY.
TEST_F(MessageTest, DestroyingTheActiveWindowHidesItThenActivatesItsOwnerBeforeWmDestroy) {
  HWND frame = Window();
  HWND popup = Window(u"Recording", WS_POPUP | WS_VISIBLE, {10, 10, 50, 50}, frame);
  ASSERT_EQ(GetActiveWindow(), popup);
  MessageRecorder recorder;
  recorder.Name(frame, "frame");
  recorder.Name(popup, "popup");
  recorder.Only({WM_WINDOWPOSCHANGED, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_DESTROY});
  ASSERT_TRUE(DestroyWindow(popup));
  EXPECT_TRUE(recorder.Sequence({
      {"popup", WM_WINDOWPOSCHANGED, 0, Any(), 0},
      {"popup", WM_ACTIVATE, WA_INACTIVE, Wnd("frame"), 0},
      {"frame", WM_ACTIVATE, WA_ACTIVE, Wnd("popup"), 0},
      {"popup", WM_KILLFOCUS, Wnd("frame"), 0, 1},
      {"frame", WM_SETFOCUS, Wnd("popup"), 0, 1},
      {"popup", WM_DESTROY, 0, 0, 0},
  }));
  EXPECT_EQ(GetActiveWindow(), frame);
  EXPECT_EQ(GetFocus(), frame);
}

// A pop-up hands activation to its owner; any other top-level window to the next one below it in
// z-order, owned or not.
TEST_F(MessageTest, TheNextActiveWindowIsAPopupsOwnerElseTheWindowBelowIt) {
  HWND frame = Window();
  HWND other = Window();
  HWND owned = Window(u"Recording", WS_OVERLAPPED | WS_VISIBLE, {10, 10, 50, 50}, frame);
  ASSERT_EQ(GetActiveWindow(), owned);
  ASSERT_EQ(GetWindow(owned, GW_HWNDNEXT), other);
  ASSERT_TRUE(DestroyWindow(owned));
  EXPECT_EQ(GetActiveWindow(), other);

  HWND popup = Window(u"Recording", WS_POPUP | WS_VISIBLE, {10, 10, 50, 50}, frame);
  ASSERT_EQ(GetWindow(popup, GW_HWNDNEXT), other);
  ASSERT_TRUE(DestroyWindow(popup));
  EXPECT_EQ(GetActiveWindow(), frame);

  // Hidden, disabled and WS_EX_NOACTIVATE windows are passed over.
  HWND hidden = Window(u"Recording", WS_POPUP);
  HWND disabled = Window(u"Recording", WS_POPUP | WS_VISIBLE | WS_DISABLED);
  HWND shy = CreateWindowExW(WS_EX_NOACTIVATE, u"Recording", u"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                             nullptr, nullptr, nullptr);
  HWND last = Window(u"Recording", WS_POPUP | WS_VISIBLE, {10, 10, 50, 50});
  ASSERT_EQ(GetActiveWindow(), last);
  ASSERT_TRUE(DestroyWindow(last));
  EXPECT_EQ(GetActiveWindow(), frame);
  for (HWND window : {hidden, disabled, shy}) EXPECT_TRUE(IsWindow(window));
}

TEST_F(MessageTest, WindowDestroyedWhileHandlingAMessage) {
  HWND window = Window(u"SelfDestroying");
  SetLastError(0);
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(MessageTest, TapOnAnotherWindowActivatesItFirst) {
  HWND frame = Window(u"Recording", WS_POPUP | WS_VISIBLE, {0, 0, 240, 320});
  HWND list = Window(u"Recording", WS_CHILD | WS_VISIBLE, {0, 100, 240, 300}, frame, 5);
  HWND popup = Window(u"Recording", WS_POPUP | WS_VISIBLE, {0, 0, 100, 50}, frame);
  ASSERT_EQ(GetActiveWindow(), popup);
  MessageRecorder recorder;
  recorder.Name(frame, "frame");
  recorder.Name(list, "list");
  recorder.Name(popup, "popup");
  recorder.Only({WM_ACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP});
  cesim::Tap({20, 150});
  EXPECT_TRUE(recorder.Sequence({
      {"popup", WM_ACTIVATE, WA_INACTIVE, Wnd("frame"), 0},
      {"frame", WM_ACTIVATE, WA_CLICKACTIVE, Wnd("popup"), 0},
      {"list", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 50), 0},
      {"list", WM_LBUTTONUP, 0, MAKELPARAM(20, 50), 0},
  }));
  EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELONG(20, 150)));
  EXPECT_EQ(GetActiveWindow(), frame);
}

// A tap on the frame deactivates the pop-up, which closes itself while it is told. It is still
// the active window then, so its destruction moves activation on from it again: it is told a
// second time, from inside its own DestroyWindow, and its owner becomes active from there, before
// WM_DESTROY. The tap's own activation finds the frame active already; the tap still reaches it.
TEST_F(MessageTest, WindowThatDestroysItselfWhenDeactivatedByATap) {
  HWND frame = Window(u"Recording", WS_POPUP | WS_VISIBLE, {0, 0, 240, 320});
  HWND popup = Window(u"ClosingOnDeactivation", WS_POPUP | WS_VISIBLE, {0, 0, 100, 50}, frame);
  HWND popupChild = Window(u"Recording", WS_CHILD | WS_VISIBLE, {0, 0, 50, 20}, popup, 1);
  SetFocus(popupChild);
  MessageRecorder recorder;
  recorder.Name(frame, "frame");
  recorder.Name(popup, "popup");
  recorder.Name(popupChild, "popupChild");
  recorder.Only({WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_DESTROY, WM_LBUTTONDOWN});
  cesim::Tap({120, 200});
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_TRUE(recorder.Sequence({
      {"popup", WM_ACTIVATE, WA_INACTIVE, Wnd("frame"), 0},
      {"popup", WM_ACTIVATE, WA_INACTIVE, Wnd("frame"), 1},
      {"frame", WM_ACTIVATE, WA_ACTIVE, Wnd("popup"), 1},
      {"popupChild", WM_KILLFOCUS, Wnd("frame"), 0, 2},
      {"frame", WM_SETFOCUS, Wnd("popupChild"), 0, 2},
      {"popup", WM_DESTROY, 0, 0, 1},
      {"popupChild", WM_DESTROY, 0, 0, 1},
      {"frame", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 200), 0},
  }));
  EXPECT_EQ(GetActiveWindow(), frame);
  EXPECT_EQ(GetFocus(), frame);
}

// DestroyWindow of a window whose destruction is under way does all of it again, as the platform
// does: from its own WM_DESTROY, the window is told WM_DESTROY a second time.
TEST_F(MessageTest, DestroyingAWindowAgainFromItsWmDestroyTellsItAgain) {
  HWND window = Window(u"DestroyingAgainOnDestroy");
  MessageRecorder recorder;
  recorder.Name(window, "window");
  recorder.Only({WM_DESTROY});
  ASSERT_TRUE(DestroyWindow(window));
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_DESTROY, 0, 0, 0},
      {"window", WM_DESTROY, 0, 0, 1},
  }));
  EXPECT_FALSE(IsWindow(window));
}

// What a device does not survive is reported instead of survived: a window that destroys itself
// every time it is deactivated is deactivated again by each of its destructions, and on a device
// the recursion ends only when the stack overflows.
using MessageDeathTest = MessageTest;

TEST_F(MessageDeathTest, AWindowDestroyingItselfOnEveryDeactivationIsReported) {
  HWND frame = Window();
  HWND popup = Window(u"DestroyingOnEveryDeactivation", WS_POPUP | WS_VISIBLE, {0, 0, 100, 50}, frame);
  ASSERT_EQ(GetActiveWindow(), popup);
  EXPECT_DEATH(SetActiveWindow(frame),
               "DestroyWindow of window 0x[0-9a-f]+ of class \"DestroyingOnEveryDeactivation\" titled \"\" entered again "
               "[0-9]+ times from inside its own destruction, last while activation moved on from it");
}

TEST_F(MessageDeathTest, AWindowDestroyingItselfOnEveryWmDestroyIsReported) {
  HWND window = Window(u"DestroyingAgainOnDestroy");
  EXPECT_DEATH(DestroyWindow(window), "entered again [0-9]+ times from inside its own destruction, last from its WM_DESTROY");
}

TEST_F(MessageTest, TapOnADisabledWindowIsSwallowed) {
  HWND frame = Window();
  EnableWindow(frame, FALSE);
  MessageRecorder recorder;
  recorder.Name(frame, "frame");
  recorder.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_ACTIVATE});
  cesim::Tap({10, 10});
  EXPECT_TRUE(recorder.Recorded().empty());
}

TEST_F(MessageTest, CaptureTakesTheStylusUntilCancelled) {
  HWND frame = Window(u"Recording", WS_POPUP | WS_VISIBLE, {0, 0, 240, 320});
  HWND left = Window(u"Recording", WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, frame, 1);
  HWND right = Window(u"Recording", WS_CHILD | WS_VISIBLE, {100, 0, 200, 100}, frame, 2);
  EXPECT_EQ(SetCapture(left), nullptr);
  MessageRecorder recorder;
  recorder.Name(left, "left");
  recorder.Name(right, "right");
  recorder.Only({WM_LBUTTONDOWN, WM_CANCELMODE, WM_CAPTURECHANGED});
  cesim::Tap({150, 50});
  SendMessageW(left, WM_CANCELMODE, 0, 0);
  cesim::Tap({150, 50});
  EXPECT_TRUE(recorder.Sequence({
      {"left", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 50), 0},  // its own coordinates
      {"left", WM_CANCELMODE, 0, 0, 0},
      {"left", WM_CAPTURECHANGED, 0, 0, 1},
      {"right", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50), 0},
  }));
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
