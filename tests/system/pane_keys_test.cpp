// The list pane's keys and its own context menu: Backspace, and Left on the first item, go to the
// parent folder; the menu that the pane shows below the items carries the module's entries,
// which act when chosen.
#include "system_test.h"

#include "view/commands.h"

namespace system_test {
namespace {

class PaneKeysTest : public SystemTest {};

TEST_F(PaneKeysTest, BackspaceAndLeftOnTheFirstItemGoToTheParentFolder) {
  host.AddFile(TEXT("\\Docs\\Work\\Drafts\\Draft.txt"), "draft");
  host.AddFile(TEXT("\\Docs\\Work\\Plan.txt"), "plan");
  host.AddFile(TEXT("\\Docs\\Letter.txt"), "dear");
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  ASSERT_TRUE(GoTo(TEXT("\\Docs\\Work\\Drafts")));
  SetFocus(list);
  host.Pump();

  host.PressKey(VK_BACK);
  EXPECT_EQ(conformance::Printable(ShownFolder()), conformance::Printable(DevicePath(TEXT("\\Docs\\Work"))));
  EXPECT_EQ(ListedNames(), (std::vector<Text>{TEXT("Drafts"), TEXT("Plan")}));

  // Left on a later item moves within the list; on the first item it goes up.
  SetFocus(list);
  host.PressKey(VK_END);
  host.PressKey(VK_LEFT);
  EXPECT_EQ(conformance::Printable(ShownFolder()), conformance::Printable(DevicePath(TEXT("\\Docs\\Work"))));
  host.PressKey(VK_HOME);
  host.PressKey(VK_LEFT);
  EXPECT_EQ(conformance::Printable(ShownFolder()), conformance::Printable(DevicePath(TEXT("\\Docs"))));
  EXPECT_EQ(ListedNames(), (std::vector<Text>{TEXT("Letter"), TEXT("Work")}));
}

TEST_F(PaneKeysTest, ThePanesMenuBelowTheItemsCarriesTheModulesEntries) {
  host.AddFile(TEXT("\\Docs\\Letter.txt"), "dear");
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  SetFocus(list);
  host.Pump();
  RECT client = {};
  GetClientRect(list, &client);
  POINT below = {client.right / 2, client.bottom - 4};
  ClientToScreen(list, &below);
  // "Show Extension" is the third item: the keys go down to it and choose it.
  for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) host.WhenIdle([this, key] { host.PressKey(key); });
  SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(below.x, below.y));
  host.Pump();
  EXPECT_EQ(ExplorerValue(TEXT("ShowExt")), (std::vector<BYTE>{1, 0, 0, 0}));
  EXPECT_EQ(ListedNames(), (std::vector<Text>{TEXT("Letter.txt")}));
}

}  // namespace
}  // namespace system_test
