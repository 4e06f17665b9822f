// The pane's context menu: the module's four entries, added once, with their marks, and Change
// Folder grey while the host shows a network folder.
#include <gtest/gtest.h>

#include "cesim/ui.h"
#include "pane_fixture.h"
#include "view/commands.h"

namespace foldwise_test {
namespace {

class PaneContextMenuTest : public PaneTest {
 protected:
  // Opens the host's pane menu and reads it as the user sees it, then closes it.
  std::string OpenAndRead() {
    std::string shown;
    cesim::WhenIdle([&] {
      shown = cesim::DumpOpenMenus();
      cesim::CancelMenu();
    });
    POINT at = {40, 60};
    host.OpenPaneMenu(at);
    return shown;
  }
  std::vector<cesim::MenuRow> Rows() { return cesim::ReadMenu(GetSubMenu(host.paneMenu, 0)); }
  const cesim::MenuRow* Row(UINT id) {
    rows_ = Rows();
    for (const auto& row : rows_)
      if (row.id == id) return &row;
    return nullptr;
  }
  std::vector<cesim::MenuRow> rows_;
};

int Count(const std::vector<cesim::MenuRow>& rows, UINT id) {
  int n = 0;
  for (const auto& row : rows) n += row.id == id ? 1 : 0;
  return n;
}

TEST_F(PaneContextMenuTest, TheEntriesGoInOnceAtTheirPlaces) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL));
  const size_t hostItems = Rows().size();
  OpenAndRead();
  OpenAndRead();
  std::vector<cesim::MenuRow> rows = Rows();
  ASSERT_EQ(rows.size(), hostItems + 4);
  EXPECT_EQ(rows[2].id, static_cast<UINT>(CMD_SHOW_EXTENSION));
  EXPECT_EQ(rows[2].text, u"Show Extension");
  EXPECT_EQ(rows[3].id, static_cast<UINT>(CMD_PREVIEW_IMAGE));
  EXPECT_EQ(rows[3].text, u"Preview Image");
  EXPECT_TRUE(rows[4].popup);
  EXPECT_EQ(rows[4].text, u"Change Style");
  EXPECT_TRUE(rows[5].separator);
  EXPECT_EQ(rows.back().id, static_cast<UINT>(CMD_CHANGE_FOLDER));
  EXPECT_EQ(rows.back().text, u"Change Folder");
  EXPECT_EQ(Count(rows, CMD_SHOW_EXTENSION), 1);

  std::vector<cesim::MenuRow> styles = cesim::ReadMenu(rows[4].submenu);
  ASSERT_EQ(styles.size(), 3u);
  EXPECT_TRUE(styles[0].checked);  // "Detail": the list's style
  EXPECT_FALSE(styles[1].checked);
  EXPECT_FALSE(styles[2].checked);
}

TEST_F(PaneContextMenuTest, MarksFollowTheSettingsAtEveryOpening) {
  Start(ExplorerDword("ShowExt", 1));
  OpenAndRead();
  EXPECT_TRUE(Row(CMD_SHOW_EXTENSION)->checked);
  EXPECT_FALSE(Row(CMD_PREVIEW_IMAGE)->checked);
  SendMessageW(host.pane, WM_COMMAND, CMD_PREVIEW_IMAGE, 0);
  SendMessageW(host.pane, WM_COMMAND, CMD_SHOW_EXTENSION, 0);
  OpenAndRead();
  EXPECT_FALSE(Row(CMD_SHOW_EXTENSION)->checked);
  EXPECT_TRUE(Row(CMD_PREVIEW_IMAGE)->checked);
  EXPECT_FALSE(Row(CMD_CHANGE_FOLDER)->grayed);
}

TEST_F(PaneContextMenuTest, ChangeFolderIsGreyWhileTheHostShowsANetworkFolder) {
  Start();
  SetLastLocation(u"\\\\server\\share");
  OpenAndRead();
  EXPECT_TRUE(Row(CMD_CHANGE_FOLDER)->grayed);
  SetLastLocation(u"\\Storage Card");
  OpenAndRead();
  EXPECT_FALSE(Row(CMD_CHANGE_FOLDER)->grayed);
}

TEST_F(PaneContextMenuTest, ChoosingAnEntryActsOnIt) {
  Start();
  cesim::WhenIdle([] { cesim::ChooseMenuCommand(CMD_SHOW_EXTENSION); });
  POINT at = {40, 60};
  host.OpenPaneMenu(at);
  cesim::PumpMessages();
  EXPECT_EQ(ExplorerNumber(u"ShowExt"), 1u);
}

TEST_F(PaneContextMenuTest, AnotherPopupOfThePaneGetsNothing) {
  Start();
  HMENU other = CreatePopupMenu();
  AppendMenuW(other, MF_STRING, 100, u"One");
  AppendMenuW(other, MF_STRING, 101, u"Two");
  AppendMenuW(other, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(other, MF_STRING, 102, u"Three");
  cesim::WhenIdle([] { cesim::CancelMenu(); });
  TrackPopupMenu(other, TPM_LEFTALIGN, 40, 60, 0, host.pane, nullptr);
  EXPECT_EQ(cesim::ReadMenu(other).size(), 4u);
  DestroyMenu(other);
}

}  // namespace
}  // namespace foldwise_test
