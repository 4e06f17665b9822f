// The preview timer and the gestures over the list: 300 ms after a file gains the focus, at once
// after a scroll to the left; a scroll to the right opens the context menu, other gestures hide
// the overlay.
#include <gtest/gtest.h>

#include "cesim/ui.h"
#include "pane_fixture.h"
#include "view/commands.h"

namespace foldwise_test {
namespace {

class PanePreviewTest : public PaneTest {
 protected:
  std::vector<std::string> TimerLines() const {
    std::vector<std::string> timers;
    for (const auto& line : host.log.lines)
      if (line.rfind("pane timer", 0) == 0) timers.push_back(line);
    return timers;
  }
  std::string TimerAt(DWORD time) const { return "pane timer 1 at " + std::to_string(time); }
  HWND Overlay() const { return GetDlgItem(host.frame, OVERLAY_CONTROL_ID); }
  POINT ClientPoint(int item) const {
    POINT point = ItemPoint(item);
    ScreenToClient(host.list, &point);
    return point;
  }
};

TEST_F(PanePreviewTest, AFocusedFileIsPreviewed300MillisecondsLater) {
  Start(ExplorerDword("Preview", 1));
  const DWORD start = cesim::Now();
  FocusAndSelect(Item(u"\\My Documents\\Letter.doc"));
  cesim::AdvanceClock(299);
  EXPECT_TRUE(TimerLines().empty());
  cesim::AdvanceClock(1);
  EXPECT_EQ(TimerLines(), std::vector<std::string>{TimerAt(start + 300)});
}

TEST_F(PanePreviewTest, AnotherFocusWithinTheWaitStartsItAgain) {
  Start(ExplorerDword("Preview", 1));
  const DWORD start = cesim::Now();
  FocusAndSelect(Item(u"\\My Documents\\Letter.doc"));
  cesim::AdvanceClock(200);
  FocusAndSelect(Item(u"\\My Documents\\Notes.txt"));
  cesim::AdvanceClock(400);
  EXPECT_EQ(TimerLines(), std::vector<std::string>{TimerAt(start + 500)});
}

TEST_F(PanePreviewTest, FoldersAndRomModulesAreNotPreviewed) {
  Start(ExplorerDword("Preview", 1));
  FocusAndSelect(Item(u"\\My Documents\\Work"));
  cesim::AdvanceClock(400);
  FocusAndSelect(host.AddItem(u"\\Windows\\shell.dll", FILE_ATTRIBUTE_ROMMODULE));
  cesim::AdvanceClock(400);
  EXPECT_TRUE(TimerLines().empty());
}

TEST_F(PanePreviewTest, WithThePreviewOffNothingIsPreviewed) {
  Start();
  FocusAndSelect(Item(u"\\My Documents\\Letter.doc"));
  cesim::AdvanceClock(400);
  EXPECT_TRUE(TimerLines().empty());
}

TEST_F(PanePreviewTest, TurningThePreviewOffStopsTheWait) {
  Start(ExplorerDword("Preview", 1));
  FocusAndSelect(Item(u"\\My Documents\\Letter.doc"));
  SendMessageW(host.pane, WM_COMMAND, CMD_PREVIEW_IMAGE, 0);
  cesim::AdvanceClock(400);
  EXPECT_TRUE(TimerLines().empty());
}

TEST_F(PanePreviewTest, AScrollToTheLeftSelectsTheItemUnderTheFingerAndPreviewsItAtOnce) {
  Start(ExplorerDword("Preview", 1) + ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
  FocusAndSelect(0);
  cesim::AdvanceClock(400);
  host.log.Clear();
  const int notes = Item(u"\\My Documents\\Notes.txt");
  cesim::ScrollGesture(host.list, ClientPoint(notes), ARG_SCROLL_LEFT);
  const DWORD after = cesim::Now();
  cesim::PumpMessages();
  EXPECT_EQ(TimerLines(), std::vector<std::string>{TimerAt(after)});
  const int count = static_cast<int>(SendMessageW(host.list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(ItemState(i), i == notes ? static_cast<UINT>(LVIS_FOCUSED | LVIS_SELECTED) : 0u) << "item " << i;
  }
}

TEST_F(PanePreviewTest, WithThePreviewOffAScrollToTheLeftOnlyReachesTheHost) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
  host.log.Clear();
  cesim::ScrollGesture(host.list, ClientPoint(Item(u"\\My Documents\\Notes.txt")), ARG_SCROLL_LEFT);
  cesim::AdvanceClock(400);
  EXPECT_TRUE(TimerLines().empty());
  EXPECT_NE(std::find(host.log.lines.begin(), host.log.lines.end(), "pane gesture " + std::to_string(GID_SCROLL)),
            host.log.lines.end());
}

TEST_F(PanePreviewTest, AScrollToTheRightOpensTheListsContextMenuAtTheFinger) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
  const POINT client = ClientPoint(Item(u"\\My Documents\\Notes.txt"));
  POINT screen = client;
  ClientToScreen(host.list, &screen);
  bool menuShown = false;
  cesim::WhenIdle([&] {
    menuShown = !cesim::OpenMenus().empty();
    cesim::CancelMenu();
  });
  host.log.Clear();
  cesim::ScrollGesture(host.list, client, ARG_SCROLL_RIGHT);
  cesim::PumpMessages();
  const std::string expected = "pane context menu " + std::to_string(screen.x) + "," + std::to_string(screen.y);
  EXPECT_NE(std::find(host.log.lines.begin(), host.log.lines.end(), expected), host.log.lines.end());
  EXPECT_TRUE(menuShown);
}

TEST_F(PanePreviewTest, ATapHidesTheOverlay) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
  ASSERT_NE(Overlay(), nullptr);
  ShowWindow(Overlay(), SW_SHOWNA);
  cesim::TapListItem(host.list, Item(u"\\My Documents\\Notes.txt"));
  EXPECT_FALSE(IsWindowVisible(Overlay()));
}

TEST_F(PanePreviewTest, WithoutTheGestureEngineAScrollIsHandedOnUntouched) {
  device.image.SetCoreExport("GetGestureInfo", false);
  Start(ExplorerDword("Preview", 1) + ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
  host.log.Clear();
  // Without the engine there are no gesture messages; one sent as a host's own is passed on.
  SendMessageW(host.pane, WM_GESTURE, GID_SCROLL, 0);
  cesim::AdvanceClock(400);
  EXPECT_EQ(host.log.lines, std::vector<std::string>{"pane gesture " + std::to_string(GID_SCROLL)});
}

}  // namespace
}  // namespace foldwise_test
