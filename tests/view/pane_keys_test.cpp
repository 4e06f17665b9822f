// Keys in the list: the parent folder, paging in the report styles, Up on the first item, and
// the Change Folder dialog.
#include <gtest/gtest.h>

#include "cesim/ui.h"
#include "pane_fixture.h"
#include "view/commands.h"

namespace foldwise_test {
namespace {

class PaneKeysTest : public PaneTest {
 protected:
  std::vector<HWND> FolderDialogs() {
    cesim::WindowQuery query;
    query.className = u"Dialog";
    query.owner = host.frame;
    return cesim::FindWindows(query);
  }
  int FocusedItem() const {
    return static_cast<int>(SendMessageW(host.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  }
};

std::string Key(UINT vk) {
  char text[16];
  std::snprintf(text, sizeof(text), "pane key 0x%x", vk);
  return text;
}

TEST_F(PaneKeysTest, BackspaceShowsTheParentFolder) {
  Start("", u"\\My Documents\\Work");
  cesim::PressKey(VK_BACK);
  EXPECT_EQ(host.log.lines, (std::vector<std::string>{"frame navigate \\My Documents", Key(VK_BACK)}));
}

TEST_F(PaneKeysTest, BackspaceInAFolderBelowTheRootShowsTheRoot) {
  Start();
  cesim::PressKey(VK_BACK);
  EXPECT_EQ(host.log.lines, (std::vector<std::string>{"frame navigate \\", Key(VK_BACK)}));
}

TEST_F(PaneKeysTest, WithoutAKnownLocationThereIsNoParentToGoTo) {
  Start();
  SetLastLocation(u"");
  cesim::PressKey(VK_BACK);
  EXPECT_EQ(host.log.lines, std::vector<std::string>{Key(VK_BACK)});
}

TEST_F(PaneKeysTest, LeftOnTheFocusedFirstItemShowsTheParentFolder) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER), u"\\My Documents\\Long");
  FocusAndSelect(0);
  host.log.Clear();
  cesim::PressKey(VK_LEFT);
  EXPECT_EQ(host.log.lines, (std::vector<std::string>{"frame navigate \\My Documents", Key(VK_LEFT)}));
}

TEST_F(PaneKeysTest, LeftAndRightPageSilentlyInAReportStyleWithoutReachingTheHost) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL), u"\\My Documents\\Long");
  FocusAndSelect(20);
  host.log.Clear();
  const int clicks = cesim::KeyClicks();
  cesim::PressKey(VK_LEFT);
  cesim::PumpMessages();
  EXPECT_EQ(host.log.lines, std::vector<std::string>{Key(VK_PRIOR)});
  EXPECT_LT(FocusedItem(), 19);
  const int afterPageUp = FocusedItem();

  host.log.Clear();
  cesim::PressKey(VK_RIGHT);
  cesim::PumpMessages();
  EXPECT_EQ(host.log.lines, std::vector<std::string>{Key(VK_NEXT)});
  EXPECT_GT(FocusedItem(), afterPageUp);
  // Only the user's two presses click; the injected ones are silent.
  EXPECT_EQ(cesim::KeyClicks(), clicks + 2);
}

TEST_F(PaneKeysTest, InTheIconStyleLeftAndRightReachTheHost) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_ICON), u"\\My Documents\\Long");
  FocusAndSelect(5);
  host.log.Clear();
  cesim::PressKey(VK_LEFT);
  cesim::PressKey(VK_RIGHT);
  cesim::PumpMessages();
  EXPECT_EQ(host.log.lines, (std::vector<std::string>{Key(VK_LEFT), Key(VK_RIGHT)}));
}

TEST_F(PaneKeysTest, UpOnTheSelectedFirstItemTakesTheSelectionAndStaysWithTheModule) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
  FocusAndSelect(0);
  host.log.Clear();
  cesim::PressKey(VK_UP);
  EXPECT_EQ(ItemState(0), static_cast<UINT>(LVIS_FOCUSED));
  EXPECT_TRUE(host.log.lines.empty());

  // A second Up reaches the host; the list selecting item 0 again while Up is pressed is undone.
  cesim::PressKey(VK_UP);
  EXPECT_EQ(host.log.lines, std::vector<std::string>{Key(VK_UP)});
  EXPECT_EQ(ItemState(0), static_cast<UINT>(LVIS_FOCUSED));
}

TEST_F(PaneKeysTest, WhileUpIsPressedTheFocusedFirstItemDoesNotTakeTheSelection) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
  FocusAndSelect(0);
  cesim::PressKey(VK_UP);
  ASSERT_EQ(ItemState(0), static_cast<UINT>(LVIS_FOCUSED));
  cesim::KeyDown(VK_UP);
  FocusAndSelect(0);
  EXPECT_EQ(ItemState(0), static_cast<UINT>(LVIS_FOCUSED));
  cesim::KeyUp(VK_UP);
  cesim::PumpMessages();
  GetAsyncKeyState(VK_UP);  // the press has been asked about
  FocusAndSelect(0);
  EXPECT_EQ(ItemState(0), static_cast<UINT>(LVIS_FOCUSED | LVIS_SELECTED));
}

TEST_F(PaneKeysTest, TabOpensTheChangeFolderDialogAndReachesTheHost) {
  Start();
  cesim::PressKey(VK_TAB);
  EXPECT_EQ(FolderDialogs().size(), 1u);
  EXPECT_EQ(host.log.lines, std::vector<std::string>{Key(VK_TAB)});
}

TEST_F(PaneKeysTest, EscapeOpensTheChangeFolderDialog) {
  Start();
  cesim::PressKey(VK_ESCAPE);
  EXPECT_EQ(FolderDialogs().size(), 1u);
  EXPECT_EQ(host.log.lines, std::vector<std::string>{Key(VK_ESCAPE)});
}

}  // namespace
}  // namespace foldwise_test
