// The pane's commands: Show Extension, the list styles, Preview Image and Change Folder, and the
// stored style that comes back whenever the host empties the list.
#include <gtest/gtest.h>

#include "cesim/ui.h"
#include "host/host_contract.h"
#include "pane_fixture.h"
#include "view/commands.h"

namespace foldwise_test {
namespace {

using PaneCommandsTest = PaneTest;

std::string PaneCommand(int id) { return "pane command " + std::to_string(id); }

DWORD ListStyleBits(HWND list) { return static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE)) & 0x4003; }

TEST_F(PaneCommandsTest, ShowExtensionFlipsTheSettingAndMakesTheHostRefillWithoutSeeingTheCommand) {
  Start();
  SendMessageW(host.pane, WM_COMMAND, CMD_SHOW_EXTENSION, 0);
  EXPECT_EQ(host.log.lines, std::vector<std::string>{PaneCommand(HOST_CMD_REFILL_LIST)});
  EXPECT_EQ(ExplorerNumber(u"ShowExt"), 1u);

  host.log.Clear();
  EXPECT_EQ(SendMessageW(host.pane, WM_COMMAND, CMD_SHOW_EXTENSION, 0), 0);
  EXPECT_EQ(host.log.lines, std::vector<std::string>{PaneCommand(HOST_CMD_REFILL_LIST)});
  EXPECT_EQ(ExplorerNumber(u"ShowExt"), 0u);
}

TEST_F(PaneCommandsTest, AListStyleReachesTheHostAfterItIsAppliedAndStored) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
  DWORD styleSeen = 0;
  std::optional<DWORD> storedSeen;
  host.paneProbe = [&](UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != CMD_STYLE_DETAIL) return;
    styleSeen = ListStyleBits(host.list);
    storedSeen = ExplorerNumber(u"ListStyle");
  };
  SendMessageW(host.pane, WM_COMMAND, CMD_STYLE_DETAIL, 0);
  EXPECT_EQ(host.log.lines, std::vector<std::string>{PaneCommand(CMD_STYLE_DETAIL)});
  EXPECT_EQ(styleSeen, static_cast<DWORD>(LIST_STYLE_DETAIL));
  EXPECT_EQ(storedSeen, static_cast<DWORD>(LIST_STYLE_DETAIL));
}

TEST_F(PaneCommandsTest, TheIconStyleKeepsTheOtherStyleBitsOfTheList) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
  const DWORD others = static_cast<DWORD>(GetWindowLongW(host.list, GWL_STYLE)) & ~0x4003u;
  SendMessageW(host.pane, WM_COMMAND, CMD_STYLE_ICON, 0);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(host.list, GWL_STYLE)), others | LIST_STYLE_ICON);
  EXPECT_EQ(ExplorerNumber(u"ListStyle"), static_cast<DWORD>(LIST_STYLE_ICON));
  EXPECT_EQ(cesim::ReadListView(host.list).view, static_cast<UINT>(LVS_ICON));
}

TEST_F(PaneCommandsTest, PreviewImageFlipsTheSettingAndStaysWithTheModule) {
  Start(ExplorerDword("Preview", 5));
  EXPECT_EQ(SendMessageW(host.pane, WM_COMMAND, CMD_PREVIEW_IMAGE, 0), 0);
  EXPECT_EQ(ExplorerNumber(u"Preview"), 0u);
  SendMessageW(host.pane, WM_COMMAND, CMD_PREVIEW_IMAGE, 0);
  EXPECT_EQ(ExplorerNumber(u"Preview"), 1u);
  EXPECT_TRUE(host.log.lines.empty());
}

TEST_F(PaneCommandsTest, OtherCommandsReachTheHostUnchanged) {
  Start();
  SendMessageW(host.pane, WM_COMMAND, MAKEWPARAM(CMD_PREVIEW_IMAGE + 1, 0), 0);
  SendMessageW(host.pane, WM_COMMAND, MAKEWPARAM(20481, 0), 0);
  EXPECT_EQ(host.log.lines, (std::vector<std::string>{PaneCommand(CMD_PREVIEW_IMAGE + 1), PaneCommand(20481)}));
}

TEST_F(PaneCommandsTest, ChangeFolderOpensTheDialogOnTheFrameAndReachesTheHost) {
  Start();
  SendMessageW(host.pane, WM_COMMAND, CMD_CHANGE_FOLDER, 0);
  cesim::WindowQuery query;
  query.className = u"Dialog";
  query.owner = host.frame;
  EXPECT_EQ(cesim::FindWindows(query).size(), 1u);
  EXPECT_EQ(host.log.lines, std::vector<std::string>{PaneCommand(CMD_CHANGE_FOLDER)});
}

TEST_F(PaneCommandsTest, EmptyingTheListBringsTheStoredStyleBack) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL));
  // The host changes the list's style itself, then refills it.
  SetWindowLongW(host.list, GWL_STYLE, (GetWindowLongW(host.list, GWL_STYLE) & ~0x4003) | LVS_LIST);
  SendMessageW(host.pane, WM_COMMAND, HOST_CMD_REFILL_LIST, 0);
  EXPECT_EQ(ListStyleBits(host.list), static_cast<DWORD>(LIST_STYLE_DETAIL));
  EXPECT_GT(SendMessageW(host.list, LVM_GETITEMCOUNT, 0, 0), 0);
}

}  // namespace
}  // namespace foldwise_test
