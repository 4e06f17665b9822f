// The list view under the user's taps and keys: every key goes to the parent first (LVN_KEYDOWN),
// arrows and page keys move the focus and the selection, a tap selects and focuses the item and then
// clicks it, and a right click is the parent's to answer before the list asks for a context menu.
#include "list_fixture.h"

namespace conformance {
namespace {

class ListInputTest : public ListTest {};

TEST_F(ListInputTest, EveryKeyGoesToTheParentFirstAndArrowsMoveFocusAndSelection) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(3);
  FocusWithSelection(0);
  RecordNotifications({LVN_KEYDOWN, LVN_ITEMCHANGING, LVN_ITEMCHANGED});
  host.PressKey('Q');
  host.PressKey(VK_DOWN);
  EXPECT_TRUE(recorder.Sequence({
      Note(LVN_KEYDOWN, "key 0x51"),
      Note(LVN_KEYDOWN, "key 0x28"),
      Changing(0, kFocusSelect, LVIS_FOCUSED),
      Changed(0, kFocusSelect, LVIS_FOCUSED),
      Changing(1, 0, kFocusSelect),
      Changing(0, LVIS_FOCUSED, 0),
      Changed(0, LVIS_FOCUSED, 0),
      Changed(1, 0, kFocusSelect),
  }));
  EXPECT_EQ(Focused(), 1);
  // Up at the first item goes nowhere.
  host.PressKey(VK_UP);
  host.PressKey(VK_UP);
  EXPECT_EQ(Focused(), 0);
  host.PressKey(VK_END);
  EXPECT_EQ(Focused(), 2);
  host.PressKey(VK_HOME);
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(SelectedCount(), 1);
}

TEST_F(ListInputTest, PageDownGoesToTheLastRowOfThePageThenAPageOn) {
  Create(LVS_REPORT);
  AddColumn(150);
  Fill(40);
  FocusWithSelection(0);
  int page = CountPerPage();
  ASSERT_GT(page, 1);
  host.PressKey(VK_NEXT);
  EXPECT_EQ(Focused(), page - 1);
  EXPECT_EQ(TopIndex(), 0);
  host.PressKey(VK_NEXT);
  EXPECT_EQ(Focused(), 2 * page - 2);
  EXPECT_EQ(TopIndex(), page - 1);
  host.PressKey(VK_PRIOR);
  EXPECT_EQ(Focused(), page - 1);
  EXPECT_EQ(SelectedCount(), 1);
}

TEST_F(ListInputTest, ATapSelectsAndFocusesTheItemThenClicksIt) {
  // Windows CE also asks the parent whether the press is a gesture (NM_RECOGNIZEGESTURE,
  // "Tap-and-hold" in the Windows CE list view reference); the desktop does not.
  Create(LVS_REPORT | LVS_SHOWSELALWAYS);
  AddColumn(150);
  Fill(3);
  SetState(0, kFocusSelect, kFocusSelect);
  RecordNotifications({LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK});
  host.Tap(list, LabelMiddle(2));
  EXPECT_TRUE(recorder.Sequence({
      Changing(0, kFocusSelect, LVIS_FOCUSED),
      Changed(0, kFocusSelect, LVIS_FOCUSED),
      Changing(2, 0, kFocusSelect),
      Changing(0, LVIS_FOCUSED, 0),
      Changed(0, LVIS_FOCUSED, 0),
      Changed(2, 0, kFocusSelect),
      Note(NM_CLICK, "item 2 sub 0"),
  }));
  EXPECT_EQ(GetFocus(), list);
}

// What the parent receives besides notifications: WM_CONTEXTMENU.
foldwise_test::ExpectedMessage ContextMenu(HWND list, foldwise_test::Field where) {
  foldwise_test::ExpectedMessage row;
  row.window = "parent";
  row.message = WM_CONTEXTMENU;
  row.wParam = static_cast<long long>(reinterpret_cast<WPARAM>(list));
  row.lParam = where;
  return row;
}

TEST_F(ListInputTest, AContextMenuRequestGoesToTheParent) {
  Create(LVS_REPORT);
  RecordNotifications({});
  recorder.Only({WM_CONTEXTMENU});
  SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(10, 10));
  EXPECT_TRUE(recorder.Sequence({ContextMenu(list, MAKELPARAM(10, 10))}));
}

// A right click (the mouse's right button over an item) tells the parent with NM_RCLICK; a parent
// that answers 0 leaves the list to ask for a context menu (WM_CONTEXTMENU, which goes up to the
// parent), and one that answers nonzero has handled the click itself: no WM_CONTEXTMENU follows.
class ListRightClickTest : public ListTest {
 protected:
  void RightClick(POINT at) {
    // The release is queued before the press: a list that waits for the button to come up (to
    // tell a drag from a click) finds it there.
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    host.Pump();
  }

  void SetUp() override {
    ListTest::SetUp();
    Create(LVS_REPORT);
    AddColumn(150);
    Fill(3);
    FocusWithSelection(0);
    RecordNotifications({NM_RCLICK});
    recorder.Only({WM_NOTIFY, WM_CONTEXTMENU});
  }
};

TEST_F(ListRightClickTest, AnsweredZeroTheListAsksForAContextMenu) {
  RightClick(LabelMiddle(1));
  EXPECT_TRUE(recorder.Sequence({Note(NM_RCLICK, "item 1 sub 0"), ContextMenu(list, foldwise_test::Any())}));
}

TEST_F(ListRightClickTest, AnsweredNonzeroNoContextMenuFollows) {
  OnNotify([](NMHDR* hdr) -> LRESULT { return hdr->code == NM_RCLICK ? TRUE : 0; });
  RightClick(LabelMiddle(1));
  EXPECT_TRUE(recorder.Sequence({Note(NM_RCLICK, "item 1 sub 0")}));
}

}  // namespace
}  // namespace conformance
