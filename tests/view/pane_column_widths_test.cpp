// Column widths: the limits of a small icon's multiples and of the pane's width, and the widths
// kept per screen shape, restored after the device is turned.
#include <gtest/gtest.h>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "pane_fixture.h"
#include "view/commands.h"

namespace foldwise_test {
namespace {

class PaneColumnWidthsTest : public PaneTest {
 protected:
  void StartInReport(const std::string& values = "") {
    Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER) + values);
  }
  // The user drags the divider of a column to a width.
  void Drag(int column, int width) { ASSERT_TRUE(cesim::DragHeaderDivider(Header(), column, width)); }
  // The widest a column may be in the pane.
  int Greatest(int column) const {
    RECT client;
    GetClientRect(host.pane, &client);
    int greatest = client.right - 2 * GetSystemMetrics(SM_CXBORDER) - GetSystemMetrics(SM_CXVSCROLL);
    return column == 0 ? greatest : greatest - 3 * SmallIcon();
  }
  // A width change as the host makes one, reported by the header like a user's.
  void SetWidth(int column, int width) { SendMessageW(host.list, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)); }
};

TEST_F(PaneColumnWidthsTest, StartUpPutsTheKeptWidthsOnTheColumnsWithoutKeepingThemAgain) {
  StartInReport(ExplorerWidths("ClumnWidth", {120, 40, 40, 60}));
  EXPECT_EQ(ColumnWidths(), (std::vector<int>{120, 40, 40, 60}));
  EXPECT_EQ(cesim::RegistryFlushCount(), 0);
}

TEST_F(PaneColumnWidthsTest, ColumnZeroBelowThreeSmallIconsSnapsToThemAndKeepsTheSnappedWidth) {
  StartInReport();
  Drag(0, SmallIcon());
  EXPECT_EQ(ColumnWidth(0), 3 * SmallIcon());
  EXPECT_EQ(KeptWidths(u"ClumnWidth"),
            (std::vector<int>{3 * SmallIcon(), kHostColumnWidths[1], kHostColumnWidths[2], kHostColumnWidths[3]}));
}

TEST_F(PaneColumnWidthsTest, AHiddenColumnStaysHiddenAndANarrowOneSnapsToTwoSmallIcons) {
  StartInReport();
  SetWidth(1, 0);
  EXPECT_EQ(ColumnWidth(1), 0);
  EXPECT_EQ(KeptWidths(u"ClumnWidth").at(1), 0);
  SetWidth(1, SmallIcon());
  EXPECT_EQ(ColumnWidth(1), 2 * SmallIcon());
  EXPECT_EQ(KeptWidths(u"ClumnWidth").at(1), 2 * SmallIcon());
}

TEST_F(PaneColumnWidthsTest, NoColumnGrowsWiderThanThePaneLeavesForIt) {
  StartInReport();
  SetWidth(2, 1000);
  EXPECT_EQ(ColumnWidth(2), Greatest(2));
  EXPECT_EQ(KeptWidths(u"ClumnWidth").at(2), Greatest(2));
  SetWidth(0, 1000);
  EXPECT_EQ(ColumnWidth(0), Greatest(0));
  EXPECT_EQ(KeptWidths(u"ClumnWidth").at(0), Greatest(0));
}

TEST_F(PaneColumnWidthsTest, TheFirstAcceptedChangeKeepsAllFourCurrentWidths) {
  StartInReport();
  EXPECT_TRUE(KeptWidths(u"ClumnWidth").empty());
  SetWidth(3, 70);
  EXPECT_EQ(KeptWidths(u"ClumnWidth"), (std::vector<int>{kHostColumnWidths[0], kHostColumnWidths[1], kHostColumnWidths[2], 70}));
}

TEST_F(PaneColumnWidthsTest, ChangesBeforeTheStartUpAreTheHostsAndNotKept) {
  // A host that lists its folders with "\*" never makes the frame's start-up run.
  host.listingPattern = u"\\*";
  StartInReport();
  SetWidth(1, SmallIcon());
  EXPECT_EQ(ColumnWidth(1), SmallIcon());
  EXPECT_TRUE(KeptWidths(u"ClumnWidth").empty());
}

TEST_F(PaneColumnWidthsTest, TurningTheDeviceRestoresTheWidthsKeptForTheNewShapeAndSavesNothing) {
  StartInReport(ExplorerWidths("ClumnWidth", {100, 40, 40, 50}) + ExplorerWidths("ClumnWidthLS", {150, 50, 50, 50}));
  cesim::TurnDevice();
  EXPECT_EQ(ColumnWidths(), (std::vector<int>{150, 50, 50, 50}));
  EXPECT_EQ(KeptWidths(u"ClumnWidthLS"), (std::vector<int>{150, 50, 50, 50}));
  EXPECT_EQ(KeptWidths(u"ClumnWidth"), (std::vector<int>{100, 40, 40, 50}));
  // The user's next change of column 0 is kept, in the landscape record.
  SetWidth(0, 120);
  EXPECT_EQ(KeptWidths(u"ClumnWidthLS"), (std::vector<int>{120, 50, 50, 50}));
  cesim::TurnDevice();
  EXPECT_EQ(ColumnWidths(), (std::vector<int>{100, 40, 40, 50}));
}

TEST_F(PaneColumnWidthsTest, ASizeChangeThatKeepsTheWidthLetsTheNextReportOfColumnZeroBeKept) {
  StartInReport(ExplorerWidths("ClumnWidth", {100, 40, 40, 50}));
  RECT client;
  GetClientRect(host.frame, &client);
  MoveWindow(host.pane, 0, 0, client.right - 20, client.bottom, TRUE);  // a new width
  MoveWindow(host.pane, 0, 0, client.right - 20, client.bottom - 30, TRUE);  // the same width
  SetWidth(0, 90);
  EXPECT_EQ(ColumnWidth(0), 90);
  EXPECT_EQ(KeptWidths(u"ClumnWidth").at(0), 90);
}

TEST_F(PaneColumnWidthsTest, APaneTooNarrowForBothLimitsSettlesOnTheLeastWidth) {
  StartInReport();
  MoveWindow(host.pane, 0, 0, 2 * SmallIcon(), 100, TRUE);
  SetWidth(1, 300);
  EXPECT_EQ(ColumnWidth(1), 2 * SmallIcon());
  EXPECT_EQ(KeptWidths(u"ClumnWidth").at(1), 2 * SmallIcon());
}

// Which record a change goes to follows the screen's shape: landscape only when it is wider
// than high. The record holds the four widths as 16-bit little-endian numbers.
struct ScreenShape {
  int width;
  int height;
  const char16_t* kept;
  const char16_t* other;
};

class ColumnWidthRecordTest : public PaneColumnWidthsTest, public ::testing::WithParamInterface<ScreenShape> {};

TEST_P(ColumnWidthRecordTest, GoesToTheRecordOfTheScreensShape) {
  device.image.SetScreen(GetParam().width, GetParam().height);
  StartInReport(ExplorerWidths("ClumnWidth", {100, 40, 40, 50}) + ExplorerWidths("ClumnWidthLS", {100, 40, 40, 50}));
  SetWidth(1, 60);
  SetWidth(3, 80);
  std::optional<cesim::RegistryValue> kept = cesim::ReadRegistryValue("HKEY_LOCAL_MACHINE\\Explorer", GetParam().kept);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(kept->data, (std::vector<uint8_t>{0x64, 0, 0x3C, 0, 0x28, 0, 0x50, 0}));
  EXPECT_EQ(KeptWidths(GetParam().other), (std::vector<int>{100, 40, 40, 50}));
}

INSTANTIATE_TEST_SUITE_P(Screens, ColumnWidthRecordTest,
                         ::testing::Values(ScreenShape{240, 320, u"ClumnWidth", u"ClumnWidthLS"},
                                           ScreenShape{320, 240, u"ClumnWidthLS", u"ClumnWidth"},
                                           ScreenShape{240, 240, u"ClumnWidth", u"ClumnWidthLS"}),
                         [](const ::testing::TestParamInfo<ScreenShape>& info) {
                           return std::to_string(info.param.width) + "by" + std::to_string(info.param.height);
                         });

}  // namespace
}  // namespace foldwise_test
