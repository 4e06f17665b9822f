// Command bars as the Windows CE reference describes them: a toolbar across the top of its parent
// that holds a menu bar (from a menu resource or a menu handle) as one button; a tap on a menu bar
// item opens its pop-up menu in a menu loop whose messages go to the command bar's parent, as
// TrackPopupMenu's go to its owner. Windows CE only: the desktop has no command bars.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "message_recorder.h"
#include "testmodule/testmodule_ids.h"

namespace {

using foldwise_test::MessageRecorder;

constexpr int kCommandBarId = 1;

class CommandBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.image.AddModule(u"\\Windows\\testmodule.dll", CESIM_TESTMODULE_PATH);
    ASSERT_TRUE(device.Boot());
    cesim::StartProcess(u"\\Windows\\fexplore.exe");
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &DefWindowProcW;
    cls.lpszClassName = u"FrameClass";
    ASSERT_NE(RegisterClassW(&cls), 0);
    frame = CreateWindowExW(0, u"FrameClass", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                            nullptr);
    ASSERT_NE(frame, nullptr);
    cesim::Activate(frame);
    bar = CommandBar_Create(nullptr, frame, kCommandBarId);
    ASSERT_NE(bar, nullptr);
    // File > Open (1); View > Refresh (21002), Show All (21003).
    menu = CreateMenu();
    file = CreatePopupMenu();
    view = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, u"&Open");
    AppendMenuW(view, MF_STRING, 21002, u"&Refresh");
    AppendMenuW(view, MF_STRING, 21003, u"Show &All");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"&File");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(view), u"&View");
  }

  void RecordMenuMessages(MessageRecorder& recorder) {
    recorder.Watch(frame, "frame");
    recorder.Only({WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND});
  }

  foldwise_test::BootedDevice device;
  HWND frame = nullptr;
  HWND bar = nullptr;
  HMENU menu = nullptr;
  HMENU file = nullptr;
  HMENU view = nullptr;
};

TEST_F(CommandBarTest, IsAToolbarAcrossTheTopOfItsParent) {
  EXPECT_TRUE(cesim::Describe(bar).className == u"ToolbarWindow32");
  EXPECT_EQ(GetDlgCtrlID(bar), kCommandBarId);
  EXPECT_EQ(GetParent(bar), frame);
  EXPECT_EQ(GetWindow(frame, GW_CHILD), bar);
  RECT rect;
  GetWindowRect(bar, &rect);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right - rect.left, 240);
  EXPECT_EQ(CommandBar_Height(bar), 26);
  EXPECT_TRUE(CommandBar_IsVisible(bar));
  CommandBar_Show(bar, FALSE);
  EXPECT_FALSE(CommandBar_IsVisible(bar));
  SetLastError(0);
  EXPECT_EQ(CommandBar_Create(nullptr, nullptr, 2), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(CommandBarTest, HoldsAMenuBarAsOneButton) {
  ASSERT_TRUE(CommandBar_InsertMenubarEx(bar, nullptr, reinterpret_cast<LPWSTR>(menu), 0));
  TBBUTTON buttons[2] = {};
  buttons[0].idCommand = 40;
  buttons[0].fsState = TBSTATE_ENABLED;
  buttons[0].fsStyle = TBSTYLE_DROPDOWN;
  buttons[0].iString = -1;
  buttons[1] = buttons[0];
  buttons[1].idCommand = 41;
  buttons[1].fsStyle = TBSTYLE_BUTTON;
  ASSERT_TRUE(CommandBar_AddButtons(bar, 2, buttons));
  EXPECT_EQ(CommandBar_GetMenu(bar, 0), menu);
  EXPECT_EQ(CommandBar_GetMenu(bar, 1), nullptr);  // not the menu bar's button
  const std::vector<cesim::ToolbarButtonRow> rows = cesim::ReadToolbar(bar);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(rows[0].menuBar);
  EXPECT_EQ(rows[0].style, TBSTYLE_SEP);
  // The menu bar is as wide as its items; the buttons follow it.
  EXPECT_EQ(rows[0].rect.right - rows[0].rect.left, 72);
  EXPECT_EQ(rows[1].rect.left, 72);
  // One menu bar to a command bar; and a handle that is no menu is refused.
  EXPECT_FALSE(CommandBar_InsertMenubarEx(bar, nullptr, reinterpret_cast<LPWSTR>(CreateMenu()), 0));
  EXPECT_FALSE(CommandBar_InsertMenubarEx(frame, nullptr, reinterpret_cast<LPWSTR>(menu), 0));
  // The menu bar measures itself again when its menu changes.
  AppendMenuW(menu, MF_STRING, 9, u"Go");
  ASSERT_TRUE(CommandBar_DrawMenuBar(bar, 0));
  EXPECT_EQ(cesim::ReadToolbar(bar)[1].rect.left, 72 + 24);
  // A menu the caller gave stays the caller's.
  DestroyWindow(bar);
  EXPECT_TRUE(IsMenu(menu));
}

TEST_F(CommandBarTest, ATapOnAMenuBarItemOpensItsPopupMenuForTheParent) {
  ASSERT_TRUE(CommandBar_InsertMenubarEx(bar, nullptr, reinterpret_cast<LPWSTR>(menu), 0));
  MessageRecorder recorder;
  RecordMenuMessages(recorder);
  std::string seen;
  cesim::WhenIdle([&seen] {
    seen = cesim::DumpOpenMenus();
    cesim::ChooseMenuItem({u"Show All"});
  });
  ASSERT_TRUE(cesim::TapMenuBarItem(bar, u"View"));
  EXPECT_EQ(seen, "Refresh\nShow All\n");
  EXPECT_TRUE(recorder.Sequence({
      {"frame", WM_ENTERMENULOOP, FALSE, 0, 0},
      {"frame", WM_INITMENUPOPUP, reinterpret_cast<long long>(view), MAKELPARAM(1, FALSE), 0},
      {"frame", WM_EXITMENULOOP, FALSE, 0, 0},
      {"frame", WM_COMMAND, 21003, 0, 0},  // posted; the tap's own pumping delivers it
  }));
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CommandBarTest, TheArrowKeysAndTapsMoveAlongTheMenuBar) {
  ASSERT_TRUE(CommandBar_InsertMenubarEx(bar, nullptr, reinterpret_cast<LPWSTR>(menu), 0));
  std::vector<HMENU> opened;
  MessageRecorder recorder;
  RecordMenuMessages(recorder);
  cesim::WhenIdle([] { cesim::PressKey(VK_RIGHT); });  // File -> View
  cesim::WhenIdle([] { cesim::PressKey(VK_LEFT); });   // View -> File
  cesim::WhenIdle([this] {
    // A tap on View while File is open switches to View.
    const RECT r = cesim::OpenMenus()[0].itemRects[1];
    cesim::Tap(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  });
  cesim::WhenIdle([] { cesim::ChooseMenuItem({u"Refresh"}); });
  ASSERT_TRUE(cesim::TapMenuBarItem(bar, u"&File"));
  for (const foldwise_test::RecordedMessage& r : recorder.Recorded()) {
    if (r.message == WM_INITMENUPOPUP) opened.push_back(reinterpret_cast<HMENU>(r.wParam));
  }
  EXPECT_EQ(opened, (std::vector<HMENU>{file, view, file, view}));
  EXPECT_EQ(recorder.Recorded().back().message, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(recorder.Recorded().back().wParam, 21002u);
}

TEST_F(CommandBarTest, ASecondTapOnTheOpenItemOrEscapesCloseTheMenu) {
  ASSERT_TRUE(CommandBar_InsertMenubarEx(bar, nullptr, reinterpret_cast<LPWSTR>(menu), 0));
  cesim::WhenIdle([] {
    const RECT r = cesim::OpenMenus()[0].itemRects[0];
    cesim::Tap(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  });
  ASSERT_TRUE(cesim::TapMenuBarItem(bar, u"File"));
  EXPECT_TRUE(cesim::OpenMenus().empty());
  // Escape closes the pop-up menu first, then leaves the menu bar.
  size_t afterFirst = 0;
  cesim::WhenIdle([] { cesim::PressKey(VK_ESCAPE); });
  cesim::WhenIdle([&afterFirst] {
    afterFirst = cesim::OpenMenus().size();
    cesim::PressKey(VK_ESCAPE);
  });
  ASSERT_TRUE(cesim::TapMenuBarItem(bar, u"File"));
  EXPECT_EQ(afterFirst, 1u);  // the bar alone
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

TEST_F(CommandBarTest, AMenuBarFromAResourceBelongsToTheCommandBar) {
  HMODULE module = LoadLibraryW(u"\\Windows\\testmodule.dll");
  ASSERT_NE(module, nullptr);
  ASSERT_TRUE(CommandBar_InsertMenubar(bar, module, IDM_SAMPLE, 0));
  HMENU loaded = CommandBar_GetMenu(bar, 0);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(GetMenuItemCount(loaded), 2);
  // The bar's "Help" is a command of its own: a tap sends it at once.
  MessageRecorder recorder;
  RecordMenuMessages(recorder);
  ASSERT_TRUE(cesim::TapMenuBarItem(bar, u"Help"));
  EXPECT_TRUE(recorder.Sequence({
      {"frame", WM_ENTERMENULOOP, FALSE, 0, 0},
      {"frame", WM_EXITMENULOOP, FALSE, 0, 0},
      {"frame", WM_COMMAND, IDC_ABOUT, 0, 0},
  }));
  DestroyWindow(bar);
  EXPECT_FALSE(IsMenu(loaded));
  SetLastError(0);
  HWND another = CommandBar_Create(nullptr, frame, 2);
  EXPECT_FALSE(CommandBar_InsertMenubar(another, module, 999, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(CommandBar_GetMenu(another, 0), nullptr);
}

}  // namespace
