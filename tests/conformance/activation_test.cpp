// Activation and the focus, as the Change Folder dialog meets them: SetWindowPos without
// SWP_NOACTIVATE on a window that is not shown yet, what destroying the active window activates
// and sends, and the order of WM_ACTIVATE, WM_KILLFOCUS and WM_SETFOCUS when the user switches.
#include "conformance.h"
#include "message_recorder.h"
#include "test_windows.h"

namespace conformance {
namespace {

using foldwise_test::Any;
using foldwise_test::MessageRecorder;
using foldwise_test::Wnd;

class ActivationTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    frame = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 320});
    ASSERT_NE(frame, nullptr);
    host.Activate(frame);
    recorder.Name(frame, "frame");
    recorder.Only({WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_DESTROY});
  }

  HWND Popup(DWORD visible) {
    HWND popup = CreateTestWindow(host, WS_POPUP | visible, RECT{20, 20, 200, 200}, frame);
    recorder.Name(popup, "popup");
    host.Pump();
    return popup;
  }

  MessageRecorder recorder;
  HWND frame = nullptr;
};

TEST_F(ActivationTest, SetWindowPosActivatesAWindowThatIsNotShown) {
  HWND popup = Popup(0);
  ASSERT_EQ(GetActiveWindow(), frame);
  recorder.Flush();
  SetWindowPos(popup, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(GetActiveWindow(), popup);
  EXPECT_FALSE(IsWindowVisible(popup));
  EXPECT_TRUE(recorder.Sequence({
      {"frame", WM_ACTIVATE, WA_INACTIVE, Wnd("popup"), 0},
      {"popup", WM_ACTIVATE, WA_ACTIVE, Wnd("frame"), 0},
      {"frame", WM_KILLFOCUS, Wnd("popup"), Any(), 1},
      {"popup", WM_SETFOCUS, Wnd("frame"), Any(), 1},
  }));
}

TEST_F(ActivationTest, SetWindowPosWithNoActivateLeavesTheActiveWindow) {
  HWND popup = Popup(0);
  recorder.Flush();
  SetWindowPos(popup, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(GetActiveWindow(), frame);
  EXPECT_TRUE(recorder.Sequence({}));
}

TEST_F(ActivationTest, SetWindowPosActivatesAShownWindow) {
  HWND popup = Popup(WS_VISIBLE);
  SetActiveWindow(frame);
  host.Pump();
  ASSERT_EQ(GetActiveWindow(), frame);
  SetWindowPos(popup, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(GetActiveWindow(), popup);
}

TEST_F(ActivationTest, ShowingAWindowActivatesIt) {
  HWND popup = Popup(0);
  recorder.Flush();
  ShowWindow(popup, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), popup);
  EXPECT_EQ(GetFocus(), popup);
  EXPECT_TRUE(recorder.Sequence({
      {"frame", WM_ACTIVATE, WA_INACTIVE, Wnd("popup"), 0},
      {"popup", WM_ACTIVATE, WA_ACTIVE, Wnd("frame"), 0},
      {"frame", WM_KILLFOCUS, Wnd("popup"), Any(), 1},
      {"popup", WM_SETFOCUS, Wnd("frame"), Any(), 1},
  }));
}

TEST_F(ActivationTest, DestroyingTheActiveOwnedWindowActivatesItsOwner) {
  HWND popup = Popup(WS_VISIBLE);
  ASSERT_EQ(GetActiveWindow(), popup);
  recorder.Flush();
  DestroyWindow(popup);
  EXPECT_EQ(GetActiveWindow(), frame);
  EXPECT_EQ(GetFocus(), frame);
  EXPECT_TRUE(recorder.Sequence({
      {"popup", WM_ACTIVATE, WA_INACTIVE, Wnd("frame"), 0},
      {"frame", WM_ACTIVATE, WA_ACTIVE, Any(), 0},
      {"popup", WM_KILLFOCUS, Wnd("frame"), Any(), 1},
      {"frame", WM_SETFOCUS, Any(), Any(), 1},
      {"popup", WM_DESTROY, Any(), Any(), 0},
  }));
}

TEST_F(ActivationTest, AnOwnedWindowIsAboveItsOwner) {
  // The Change Folder dialog finds an open instance of itself this way: above the frame.
  HWND popup = Popup(WS_VISIBLE);
  EXPECT_EQ(GetWindow(frame, GW_HWNDPREV), popup);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), frame);
}

TEST_F(ActivationTest, DestroyingAnInactiveWindowLeavesTheActiveOne) {
  HWND popup = Popup(WS_VISIBLE);
  SetActiveWindow(frame);
  host.Pump();
  recorder.Flush();
  DestroyWindow(popup);
  EXPECT_EQ(GetActiveWindow(), frame);
  EXPECT_TRUE(recorder.Sequence({{"popup", WM_DESTROY, Any(), Any(), 0}}));
}

TEST_F(ActivationTest, SwitchingWindowsDeactivatesThenActivatesThenMovesTheFocus) {
  HWND popup = Popup(WS_VISIBLE);
  HWND child = CreateTestWindow(host, WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 20}, popup);
  recorder.Name(child, "child");
  SetFocus(child);
  host.Pump();
  recorder.Flush();
  host.Activate(frame);
  EXPECT_EQ(GetActiveWindow(), frame);
  EXPECT_EQ(GetFocus(), frame);
  EXPECT_TRUE(recorder.Sequence({
      {"popup", WM_ACTIVATE, WA_INACTIVE, Wnd("frame"), 0},
      {"frame", WM_ACTIVATE, WA_ACTIVE, Wnd("popup"), 0},
      {"child", WM_KILLFOCUS, Wnd("frame"), Any(), 1},
      {"frame", WM_SETFOCUS, Wnd("child"), Any(), 1},
  }));
}

TEST_F(ActivationTest, ATapOnAnotherWindowActivatesItByClick) {
  HWND popup = Popup(WS_VISIBLE);
  ASSERT_EQ(GetActiveWindow(), popup);
  recorder.Only({WM_ACTIVATE});
  recorder.Flush();
  host.Tap(frame, POINT{230, 300});
  EXPECT_EQ(GetActiveWindow(), frame);
  EXPECT_TRUE(recorder.Sequence({
      {"popup", WM_ACTIVATE, WA_INACTIVE, Wnd("frame"), 0},
      {"frame", WM_ACTIVATE, WA_CLICKACTIVE, Wnd("popup"), 0},
  }));
}

TEST_F(ActivationTest, SetFocusOnAChildOfAnInactiveWindowActivatesIt) {
  HWND popup = Popup(WS_VISIBLE);
  HWND child = CreateTestWindow(host, WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 20}, popup);
  SetActiveWindow(frame);
  host.Pump();
  SetFocus(child);
  EXPECT_EQ(GetActiveWindow(), popup);
  EXPECT_EQ(GetFocus(), child);
}

}  // namespace
}  // namespace conformance
