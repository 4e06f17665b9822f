// The frame extension's pop-ups: View Options in the host's View pop-up, built once and marked
// from the settings at every opening; Delete Path in the path history pop-up, rebuilt each time.
#include <gtest/gtest.h>

#include "cesim/automation.h"
#include "frame_fixture.h"
#include "host/host_contract.h"
#include "view/commands.h"

namespace foldwise_test {
namespace {

using FrameMenusTest = FrameTest;

TEST_F(FrameMenusTest, ViewOptionsGoInOnceAndHoldTheHostsShowAllItem) {
  Start();
  OpenPopup(view, 2);
  OpenPopup(view, 2);
  EXPECT_EQ(Rows(view), (std::vector<std::string>{"View Options>", "Refresh=21002", "Redisplay=21004"}));
  EXPECT_EQ(Rows(SubmenuAt(view, 0)),
            (std::vector<std::string>{"Show All Files=21003", "Show Extension=61440", "Preview Image=61444", "-",
                                      "Detail=61441", "Detail with Header=61442", "Icon=61443 (o)"}));
}

TEST_F(FrameMenusTest, TheMarksFollowTheSettingsAtEveryOpening) {
  Start(ExplorerDword("ShowExt", 1) + ExplorerDword("ViewAll", 7));
  OpenPopup(view, 2);
  EXPECT_EQ(Rows(SubmenuAt(view, 0))[0], "Show All Files=21003 [x]");
  EXPECT_EQ(Rows(SubmenuAt(view, 0))[1], "Show Extension=61440 [x]");
  EXPECT_EQ(Rows(SubmenuAt(view, 0))[2], "Preview Image=61444");

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Explorer", 0, 0, &key), ERROR_SUCCESS);
  DWORD zero = 0;
  DWORD one = 1;
  RegSetValueExW(key, u"ViewAll", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof(zero));
  RegSetValueExW(key, u"Preview", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
  RegCloseKey(key);
  OpenPopup(view, 2);
  EXPECT_EQ(Rows(SubmenuAt(view, 0))[0], "Show All Files=21003");
  EXPECT_EQ(Rows(SubmenuAt(view, 0))[2], "Preview Image=61444 [x]");
}

struct StyleMark {
  DWORD style;
  const char* marked;
};

class ViewOptionsStyleMarkTest : public FrameTest, public ::testing::WithParamInterface<StyleMark> {};

TEST_P(ViewOptionsStyleMarkTest, TheRadioMarkFollowsTheListsOwnStyle) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
  LONG style = GetWindowLongW(host.list, GWL_STYLE);
  SetWindowLongW(host.list, GWL_STYLE, (style & ~0x4003) | static_cast<LONG>(GetParam().style));
  OpenPopup(view, 2);
  std::vector<std::string> rows = Rows(SubmenuAt(view, 0));
  ASSERT_EQ(rows.size(), 7u);
  std::vector<std::string> marked;
  for (size_t i = 4; i < rows.size(); ++i) {
    if (rows[i].find(" (o)") != std::string::npos) marked.push_back(rows[i]);
  }
  EXPECT_EQ(marked, std::vector<std::string>{GetParam().marked});
}

INSTANTIATE_TEST_SUITE_P(
    Styles, ViewOptionsStyleMarkTest,
    ::testing::Values(StyleMark{LVS_REPORT | LVS_NOCOLUMNHEADER, "Detail=61441 (o)"},
                      StyleMark{LVS_REPORT, "Detail with Header=61442 (o)"},
                      StyleMark{LVS_LIST | LVS_NOCOLUMNHEADER, "Detail=61441 (o)"},
                      StyleMark{LVS_LIST, "Detail with Header=61442 (o)"},
                      StyleMark{LVS_SMALLICON, "Icon=61443 (o)"}, StyleMark{LVS_ICON, "Icon=61443 (o)"}),
    [](const ::testing::TestParamInfo<StyleMark>& info) { return "Style" + std::to_string(info.param.style); });

TEST_F(FrameMenusTest, TheHistoryPopupGetsOneDeletePathSubmenuHoweverOftenItOpens) {
  device.image.AddRegistry(PathHistory("ba", {{'a', "\\My Documents"}, {'b', "\\Windows"}}));
  Start();
  for (int opening = 0; opening < 3; ++opening) OpenPopup(history, 1);
  EXPECT_EQ(Rows(history), (std::vector<std::string>{"Up One Level=210", "-", "Delete Path>"}));
  EXPECT_EQ(Rows(SubmenuAt(history, 2)), (std::vector<std::string>{"\\Windows=61538", "\\My Documents=61537"}));
}

TEST_F(FrameMenusTest, AnEntryWithoutItsValueGetsAnEmptyText) {
  device.image.AddRegistry(PathHistory("ab", {{'a', "\\My Documents"}}));
  Start();
  OpenPopup(history, 1);
  EXPECT_EQ(Rows(SubmenuAt(history, 2)), (std::vector<std::string>{"\\My Documents=61537", "=61538"}));
}

class UnreadableHistoryTest : public FrameTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnreadableHistoryTest, AddsNoDeletePathSubmenu) {
  if (std::string(GetParam()) != "missing") {
    device.image.AddRegistry(PathHistory(GetParam(), {{'a', "\\My Documents"}}));
  }
  Start();
  OpenPopup(history, 1);
  EXPECT_EQ(Rows(history), std::vector<std::string>{"Up One Level=210"});
}

INSTANTIATE_TEST_SUITE_P(Histories, UnreadableHistoryTest, ::testing::Values("missing", "", "abcdefghijklmnop"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           return name == "missing" ? name : name.empty() ? std::string("empty") : "sixteen";
                         });

TEST_F(FrameMenusTest, TheHostsNetworkRootPopupIsDestroyed) {
  Start();
  HMENU folders = CreatePopupMenu();
  AppendMenuW(folders, MF_STRING, 256, u"\\\\");
  AppendMenuW(folders, MF_STRING, 257, u"\\");
  HMENU other = CreatePopupMenu();
  AppendMenuW(other, MF_STRING, 256, u"\\\\server");
  SendMessageW(host.frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(folders), 0);
  SendMessageW(host.frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(other), 0);
  EXPECT_FALSE(IsMenu(folders));
  EXPECT_TRUE(IsMenu(other));
  // Opened at a position other than 0, the same pop-up stays.
  HMENU again = CreatePopupMenu();
  AppendMenuW(again, MF_STRING, 256, u"\\\\");
  SendMessageW(host.frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(again), MAKELPARAM(1, 0));
  EXPECT_TRUE(IsMenu(again));
  DestroyMenu(other);
  DestroyMenu(again);
}

TEST_F(FrameMenusTest, OpeningAnyPopupHidesTheOverlay) {
  Start();
  HWND overlay = GetDlgItem(host.frame, OVERLAY_CONTROL_ID);
  ASSERT_NE(overlay, nullptr);
  ShowWindow(overlay, SW_SHOWNA);
  HMENU popup = CreatePopupMenu();
  AppendMenuW(popup, MF_STRING, 5, u"Anything");
  SendMessageW(host.frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(3, 0));
  EXPECT_FALSE(IsWindowVisible(overlay));
  DestroyMenu(popup);
}

TEST_F(FrameMenusTest, ASettingOfTheWrongTypeOrSizeReadsAsOff) {
  Start("\"Preview\"=\"on\"\n\"ShowExt\"=hex:01,00,00,00,00\n");
  OpenPopup(view, 2);
  EXPECT_EQ(Rows(SubmenuAt(view, 0))[1], "Show Extension=61440");
  EXPECT_EQ(Rows(SubmenuAt(view, 0))[2], "Preview Image=61444");
}

}  // namespace
}  // namespace foldwise_test
