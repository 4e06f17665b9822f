// Messages: sends nested inside sends (re-entrant into the same window too), posted messages in
// the order they were posted and ahead of input, and GetMessagePos while a tap is handled.
#include "conformance.h"
#include "message_recorder.h"
#include "test_windows.h"

namespace conformance {
namespace {

using foldwise_test::Any;
using foldwise_test::MessageRecorder;

class MessagesTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    first = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 120, 160});
    second = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{120, 0, 240, 160});
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    host.Activate(first);
    recorder.Name(first, "first");
    recorder.Name(second, "second");
    recorder.Only({WM_APP, WM_APP + 1, WM_APP + 2, WM_APP + 3, WM_KEYDOWN, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_TIMER});
    recorder.Flush();
  }

  MessageRecorder recorder;
  HWND first = nullptr;
  HWND second = nullptr;
};

TEST_F(MessagesTest, ASendInsideASendIsNestedAndAnsweredInTurn) {
  LRESULT inner = 0;
  SetHandler(first, [&](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message == WM_APP) {
      inner = SendMessageW(second, WM_APP + 1, 0, 0);
      *result = inner + 1;
      return true;
    }
    if (message == WM_APP + 2) {
      *result = 100;
      return true;
    }
    return false;
  });
  SetHandler(second, [&](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message != WM_APP + 1) return false;
    *result = SendMessageW(first, WM_APP + 2, 0, 0) + 10;  // back into the window that sent
    return true;
  });
  EXPECT_EQ(SendMessageW(first, WM_APP, 0, 0), 111);
  EXPECT_EQ(inner, 110);
  EXPECT_TRUE(recorder.Sequence({
      {"first", WM_APP, Any(), Any(), 0},
      {"second", WM_APP + 1, Any(), Any(), 1},
      {"first", WM_APP + 2, Any(), Any(), 2},
  }));
}

TEST_F(MessagesTest, PostedMessagesArriveInTheOrderPosted) {
  PostMessageW(first, WM_APP + 1, 1, 0);
  PostMessageW(second, WM_APP + 2, 2, 0);
  PostMessageW(first, WM_APP + 3, 3, 0);
  EXPECT_TRUE(recorder.Sequence({}));  // nothing before the loop takes them
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({
      {"first", WM_APP + 1, 1, 0, 0},
      {"second", WM_APP + 2, 2, 0, 0},
      {"first", WM_APP + 3, 3, 0, 0},
  }));
}

TEST_F(MessagesTest, AMessagePostedWhileHandlingOneComesAfterTheOthersAlreadyPosted) {
  SetHandler(first, [&](HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == WM_APP + 1) PostMessageW(first, WM_APP + 3, 0, 0);
    return false;
  });
  PostMessageW(first, WM_APP + 1, 0, 0);
  PostMessageW(second, WM_APP + 2, 0, 0);
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({
      {"first", WM_APP + 1, Any(), Any(), 0},
      {"second", WM_APP + 2, Any(), Any(), 0},
      {"first", WM_APP + 3, Any(), Any(), 0},
  }));
}

TEST_F(MessagesTest, PostedMessagesComeBeforeInputQueuedEarlier) {
  SetFocus(first);
  host.WhenIdle([&] {
    host.PressKey(VK_DOWN);
    PostMessageW(first, WM_APP, 0, 0);
  });
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({
      {"first", WM_APP, Any(), Any(), 0},
      {"first", WM_KEYDOWN, VK_DOWN, Any(), 0},
  }));
}

TEST_F(MessagesTest, DuringATapTheMessagePositionIsTheTap) {
  DWORD positionAtPress = 0;
  LPARAM pointAtPress = 0;
  SetHandler(second, [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT*) {
    if (message == WM_LBUTTONDOWN) {
      positionAtPress = GetMessagePos();
      pointAtPress = lParam;
    }
    return false;
  });
  host.Tap(second, POINT{30, 40});
  EXPECT_EQ(GET_X_LPARAM(pointAtPress), 30);
  EXPECT_EQ(GET_Y_LPARAM(pointAtPress), 40);
  POINT screen = {30, 40};
  ClientToScreen(second, &screen);
  EXPECT_EQ(static_cast<short>(LOWORD(positionAtPress)), screen.x);
  EXPECT_EQ(static_cast<short>(HIWORD(positionAtPress)), screen.y);
}

TEST_F(MessagesTest, ASentMessageIsHandledAtOnceAndNotQueued) {
  PostMessageW(first, WM_APP + 1, 0, 0);
  SendMessageW(first, WM_APP + 2, 0, 0);
  EXPECT_TRUE(recorder.Sequence({{"first", WM_APP + 2, Any(), Any(), 0}}));
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({{"first", WM_APP + 2, Any(), Any(), 0}, {"first", WM_APP + 1, Any(), Any(), 0}}));
}

TEST_F(MessagesTest, ATimerFiresThroughTheLoopOnceItsTimeHasCome) {
  ASSERT_EQ(SetTimer(first, 7, 1000, nullptr), UINT_PTR(7));
  host.AdvanceTime(300);
  EXPECT_TRUE(recorder.Sequence({}));
  host.AdvanceTime(1000);
  EXPECT_TRUE(recorder.Sequence({{"first", WM_TIMER, 7, 0, 0}}));
  EXPECT_TRUE(KillTimer(first, 7));
  host.AdvanceTime(1500);
  EXPECT_EQ(recorder.Recorded().size(), 1u);
}

}  // namespace
}  // namespace conformance
