// The frame extension's start-up at the Explorer's first listing: the first toolbar button, the
// stored list style, a narrower icon spacing, the stored column widths and the hidden overlay.
#include <gtest/gtest.h>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "frame_fixture.h"
#include "view/commands.h"

namespace foldwise_test {
namespace {

using FrameStartUpTest = FrameTest;

BYTE ButtonStyle(HWND toolbar, int index) {
  TBBUTTON button = {};
  SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
  return button.fsStyle;
}

DWORD ListStyleBits(HWND list) { return static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE)) & 0x4003; }

// The header's widths: the list view gives column widths in its report view only.
std::vector<int> HeaderWidths(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  std::vector<int> widths;
  for (int column = 0; column < 4; ++column) {
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
    widths.push_back(item.cxy);
  }
  return widths;
}

HWND Overlay(HWND frame) { return GetDlgItem(frame, OVERLAY_CONTROL_ID); }

TEST_F(FrameStartUpTest, AppliesTheStoredStyleSpacingAndWidthsWithoutStoringThemAgain) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL) + ExplorerWidths("ClumnWidth", {120, 40, 40, 60}));
  EXPECT_FALSE(ButtonStyle(host.toolbar, 0) & TBSTYLE_DROPDOWN);
  EXPECT_TRUE(ButtonStyle(host.toolbar, 1) & TBSTYLE_DROPDOWN);
  EXPECT_EQ(ListStyleBits(host.list), static_cast<DWORD>(LIST_STYLE_DETAIL));
  DWORD spacing = static_cast<DWORD>(SendMessageW(host.list, LVM_GETITEMSPACING, FALSE, 0));
  EXPECT_EQ(LOWORD(spacing), GetSystemMetrics(SM_CXICONSPACING) * 3 / 4);
  EXPECT_EQ(HIWORD(spacing), GetSystemMetrics(SM_CYICONSPACING));
  EXPECT_EQ(HeaderWidths(host.list), (std::vector<int>{120, 40, 40, 60}));
  // The restored widths were reported by the header before the start-up ended: not stored.
  EXPECT_EQ(cesim::RegistryFlushCount(), 0);
}

TEST_F(FrameStartUpTest, WithNothingStoredTheListIsAnIconViewWithTheHostsWidths) {
  Start();
  EXPECT_EQ(ListStyleBits(host.list), 0u);
  EXPECT_EQ(HeaderWidths(host.list), (std::vector<int>(kHostColumnWidths, kHostColumnWidths + 4)));
  EXPECT_FALSE(ExplorerNumber(u"ListStyle").has_value());
}

TEST_F(FrameStartUpTest, ValuesOfTheWrongSizeAreNotUsed) {
  Start("\"ListStyle\"=hex:01,40,00,00,00,00\n\"ClumnWidth\"=hex:78,00,28,00,28,00,3c,00,00\n");
  EXPECT_EQ(ListStyleBits(host.list), 0u);
  EXPECT_EQ(HeaderWidths(host.list), (std::vector<int>(kHostColumnWidths, kHostColumnWidths + 4)));
}

TEST_F(FrameStartUpTest, ALandscapeScreenUsesItsOwnWidths) {
  device.image.SetScreen(320, 240);
  Start(ExplorerWidths("ClumnWidth", {120, 40, 40, 60}) + ExplorerWidths("ClumnWidthLS", {150, 50, 50, 50}));
  EXPECT_EQ(HeaderWidths(host.list), (std::vector<int>{150, 50, 50, 50}));
}

TEST_F(FrameStartUpTest, TheOverlayIsAHiddenBitmapStaticThatNotifiesTapsWhereItCanTurnTranslucent) {
  Start();
  HWND overlay = Overlay(host.frame);
  ASSERT_NE(overlay, nullptr);
  WCHAR className[16] = {};
  GetClassNameW(overlay, className, 16);
  EXPECT_EQ(cesim::Narrow(className), "Static");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(overlay, GWL_STYLE)),
            static_cast<DWORD>(WS_CHILD | WS_BORDER | SS_BITMAP | SS_NOTIFY));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(overlay, GWL_EXSTYLE)),
            static_cast<DWORD>(WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE));
  EXPECT_FALSE(IsWindowVisible(overlay));
}

TEST_F(FrameStartUpTest, WithoutTranslucencyTheOverlayIgnoresTaps) {
  device.image.SetCoreExport("SetLayeredWindowAttributes", false);
  Start();
  HWND overlay = Overlay(host.frame);
  ASSERT_NE(overlay, nullptr);
  EXPECT_EQ(GetWindowLongW(overlay, GWL_STYLE) & SS_NOTIFY, 0);
  SendMessageW(host.frame, WM_COMMAND, OVERLAY_CONTROL_ID, reinterpret_cast<LPARAM>(overlay));
  EXPECT_EQ(GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(FrameCommands(), std::vector<std::string>{std::to_string(OVERLAY_CONTROL_ID)});
}

TEST_F(FrameStartUpTest, EachTapOnTheOverlayMakesItMoreTranslucentInSixSteps) {
  Start();
  HWND overlay = Overlay(host.frame);
  ASSERT_NE(overlay, nullptr);
  std::vector<int> alphas;
  for (int tap = 0; tap < 7; ++tap) {
    SendMessageW(host.frame, WM_COMMAND, OVERLAY_CONTROL_ID, reinterpret_cast<LPARAM>(overlay));
    std::optional<BYTE> alpha = cesim::LayeredAlpha(overlay);
    alphas.push_back(alpha ? *alpha : -1);
  }
  EXPECT_EQ(alphas, (std::vector<int>{255, 223, 191, 159, 127, 95, 255}));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(overlay, GWL_EXSTYLE)),
            static_cast<DWORD>(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_CLIENTEDGE));
  // Every tap reached the host too.
  EXPECT_EQ(FrameCommands().size(), 7u);
}

}  // namespace
}  // namespace foldwise_test
