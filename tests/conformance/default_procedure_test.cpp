// What the default window procedure does with WM_CONTEXTMENU: a child's goes on to its parent
// with the same arguments; a top-level window's goes nowhere.
#include "conformance.h"
#include "message_recorder.h"
#include "test_windows.h"

namespace conformance {
namespace {

using foldwise_test::MessageRecorder;
using foldwise_test::Wnd;

class DefaultProcedureTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    parent = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
    ASSERT_NE(parent, nullptr);
    child = CreateTestWindow(host, WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, parent);
    ASSERT_NE(child, nullptr);
    host.Activate(parent);
    recorder.Name(parent, "parent");
    recorder.Name(child, "child");
    recorder.Only({WM_CONTEXTMENU});
    recorder.Flush();
  }

  MessageRecorder recorder;
  HWND parent = nullptr;
  HWND child = nullptr;
};

TEST_F(DefaultProcedureTest, AChildsContextMenuGoesToItsParentWithTheSameArguments) {
  SendMessageW(child, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child), MAKELPARAM(5, 6));
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_CONTEXTMENU, Wnd("child"), MAKELPARAM(5, 6), 0},
      {"parent", WM_CONTEXTMENU, Wnd("child"), MAKELPARAM(5, 6), 1},
  }));
}

TEST_F(DefaultProcedureTest, ATopLevelWindowsContextMenuGoesNowhere) {
  SendMessageW(parent, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(parent), MAKELPARAM(5, 6));
  EXPECT_TRUE(recorder.Sequence({{"parent", WM_CONTEXTMENU, Wnd("parent"), MAKELPARAM(5, 6), 0}}));
}

}  // namespace
}  // namespace conformance
