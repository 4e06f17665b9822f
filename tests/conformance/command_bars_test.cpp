// Command bars, Windows CE's toolbar along the top of a window that holds the menu bar: one
// button of it is the menu bar, whose pop-up menus open with a tap and send their choice to the
// bar's parent as a tracked pop-up menu does. Desktop Windows has no command bars (a window's
// menu bar is in its non-client area there), so these run on cesim only.
#include "conformance.h"
#include "message_recorder.h"
#include "test_windows.h"

namespace conformance {
namespace {

#define COMMAND_BARS_ONLY_ON_CE() \
  CONFORMANCE_CE_ONLY("Windows CE Shell: CommandBar_Create, CommandBar_InsertMenubarEx, CommandBar_GetMenu")

const int kCommandBarId = 2;

class CommandBarTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    frame = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 320});
    ASSERT_NE(frame, nullptr);
    // File > {Open (100)}, View > {Refresh (200), Show All (201)}.
    menu = CreateMenu();
    file = CreatePopupMenu();
    view = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 100, TEXT("Open"));
    AppendMenuW(view, MF_STRING, 200, TEXT("Refresh"));
    AppendMenuW(view, MF_STRING, 201, TEXT("Show All"));
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), TEXT("File"));
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(view), TEXT("View"));
    host.Activate(frame);
    recorder.Name(frame, "frame");
  }
  void TearDown() override { DestroyMenu(menu); }

  HWND CreateBarWithMenu() {
    HWND bar = CommandBar_Create(host.Instance(), frame, kCommandBarId);
    if (bar != nullptr && !CommandBar_InsertMenubarEx(bar, nullptr, reinterpret_cast<LPWSTR>(menu), 0)) return nullptr;
    return bar;
  }

  foldwise_test::MessageRecorder recorder;
  HWND frame = nullptr;
  HMENU menu = nullptr;
  HMENU file = nullptr;
  HMENU view = nullptr;
};

TEST_F(CommandBarTest, IsAToolbarChildAcrossTheTopThatHoldsTheMenuBar) {
  COMMAND_BARS_ONLY_ON_CE();
  HWND bar = CreateBarWithMenu();
  ASSERT_NE(bar, nullptr);
  WCHAR className[32];
  ASSERT_GT(GetClassNameW(bar, className, 32), 0);
  EXPECT_EQ(Text(className), Text(TOOLBARCLASSNAMEW));
  EXPECT_EQ(GetParent(bar), frame);
  EXPECT_EQ(GetDlgCtrlID(bar), kCommandBarId);
  RECT bounds;
  ASSERT_TRUE(GetWindowRect(bar, &bounds));
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.right - bounds.left, 240);
  EXPECT_EQ(CommandBar_Height(bar), bounds.bottom - bounds.top);
  EXPECT_EQ(CommandBar_GetMenu(bar, 0), menu);
  EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 1);  // the menu bar is one button
  CommandBar_Destroy(bar);
  EXPECT_TRUE(IsMenu(menu));  // a menu given by handle stays the caller's
}

TEST_F(CommandBarTest, ATapOnAMenuBarItemOpensItsMenuAndTheChoiceIsPostedToTheParent) {
  COMMAND_BARS_ONLY_ON_CE();
  HWND bar = CreateBarWithMenu();
  ASSERT_NE(bar, nullptr);
  RECT menuBar;
  ASSERT_TRUE(SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&menuBar)));
  recorder.Only({WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND});
  recorder.Flush();
  // The user taps "File", the menu bar's first item, and then Open in the menu that opens.
  const POINT fileItem = {menuBar.left + 4, (menuBar.top + menuBar.bottom) / 2};
  host.WhenIdle([this, bar, fileItem] {
    host.Tap(bar, fileItem);
    host.WhenIdle([this] { host.TapMenuItem(file, 0); });
  });
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({
      {"frame", WM_ENTERMENULOOP, FALSE, 0, 0},
      {"frame", WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, FALSE), 0},
      {"frame", WM_EXITMENULOOP, FALSE, 0, 0},
      {"frame", WM_COMMAND, 100, 0, 0},
  }));
}

}  // namespace
}  // namespace conformance
