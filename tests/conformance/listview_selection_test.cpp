// The focus and the selection of the list view and how the parent hears of them: each change is
// asked first (LVN_ITEMCHANGING, which the parent may refuse) and told afterwards, the item that
// loses the focus or the single selection is told inside the change of the one that takes it, and
// a deleted item's state goes first.
#include "list_fixture.h"

namespace conformance {
namespace {

class ListSelectionTest : public ListTest {};

const std::set<UINT> kStateCodes = {LVN_ITEMCHANGING, LVN_ITEMCHANGED};

TEST_F(ListSelectionTest, FocusMovingTellsOfTheItemLosingItInsideTheChange) {
  Create(LVS_REPORT);
  Fill(3);
  RecordNotifications(kStateCodes);
  EXPECT_TRUE(SetState(1, kFocusSelect, kFocusSelect));
  EXPECT_TRUE(SetState(2, kFocusSelect, kFocusSelect));
  EXPECT_TRUE(recorder.Sequence({
      Changing(1, 0, kFocusSelect),
      Changed(1, 0, kFocusSelect),
      Changing(2, 0, kFocusSelect),
      Changing(1, kFocusSelect, LVIS_SELECTED),
      Changed(1, kFocusSelect, LVIS_SELECTED),
      Changed(2, 0, kFocusSelect),
  }));
  EXPECT_EQ(StateOf(1), static_cast<UINT>(LVIS_SELECTED));
  EXPECT_EQ(Focused(), 2);
  EXPECT_EQ(Next(-1, LVNI_SELECTED), 1);
  EXPECT_EQ(Next(1, LVNI_SELECTED), 2);
  EXPECT_EQ(SelectedCount(), 2);
}

TEST_F(ListSelectionTest, SettingAStateTheItemHasOnlyAsks) {
  Create(LVS_REPORT);
  Fill(2);
  SetState(0, kFocusSelect, kFocusSelect);
  RecordNotifications(kStateCodes);
  EXPECT_TRUE(SetState(0, kFocusSelect, kFocusSelect));
  EXPECT_TRUE(recorder.Sequence({Changing(0, kFocusSelect, kFocusSelect)}));
}

TEST_F(ListSelectionTest, ParentRefusingAChangeKeepsTheState) {
  Create(LVS_REPORT);
  Fill(2);
  OnNotify([](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_ITEMCHANGING ? TRUE : 0; });
  EXPECT_FALSE(SetState(1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(StateOf(1), 0u);
}

TEST_F(ListSelectionTest, ItemMinusOneSelectsEveryItemButFocusesNone) {
  Create(LVS_REPORT);
  Fill(3);
  RecordNotifications(kStateCodes);
  EXPECT_TRUE(SetState(-1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_TRUE(recorder.Sequence({
      Changing(0, 0, LVIS_SELECTED), Changed(0, 0, LVIS_SELECTED),
      Changing(1, 0, LVIS_SELECTED), Changed(1, 0, LVIS_SELECTED),
      Changing(2, 0, LVIS_SELECTED), Changed(2, 0, LVIS_SELECTED),
  }));
  EXPECT_EQ(SelectedCount(), 3);
  EXPECT_FALSE(SetState(-1, LVIS_FOCUSED, LVIS_FOCUSED));
  EXPECT_EQ(Focused(), -1);
  EXPECT_TRUE(SetState(-1, 0, LVIS_SELECTED));
  EXPECT_EQ(SelectedCount(), 0);
  // Taking away a selection nobody has is no change at all.
  recorder.Flush();
  EXPECT_TRUE(SetState(-1, 0, LVIS_SELECTED));
  EXPECT_TRUE(recorder.Recorded().empty());
}

TEST_F(ListSelectionTest, DeletingAnItemTakesItsStateFirstAndPassesTheFocusOn) {
  Create(LVS_REPORT);
  Fill(3);
  SetState(1, kFocusSelect, kFocusSelect);
  RecordNotifications({LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_DELETEITEM});
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
  EXPECT_TRUE(recorder.Sequence({
      Changing(1, kFocusSelect, 0),
      Changed(1, kFocusSelect, 0),
      Note(LVN_DELETEITEM, "item 1 param 101"),
  }));
  // The focus goes on, without a word, to the item that takes the index, then to the new last.
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Focused(), 1);
  EXPECT_EQ(StateOf(1), static_cast<UINT>(LVIS_FOCUSED));
  recorder.Flush();
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
  EXPECT_EQ(Focused(), 0);
  EXPECT_TRUE(recorder.Sequence({
      Changing(1, LVIS_FOCUSED, 0),
      Changed(1, LVIS_FOCUSED, 0),
      Note(LVN_DELETEITEM, "item 1 param 102"),
  }));
}

TEST_F(ListSelectionTest, ASingleSelectionListDropsTheOtherSelectionInsideTheChange) {
  Create(LVS_REPORT | LVS_SINGLESEL);
  Fill(3);
  EXPECT_FALSE(SetState(-1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_TRUE(SetState(0, LVIS_SELECTED, LVIS_SELECTED));
  RecordNotifications(kStateCodes);
  EXPECT_TRUE(SetState(2, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_TRUE(recorder.Sequence({
      Changing(2, 0, LVIS_SELECTED),
      Changing(0, LVIS_SELECTED, 0),
      Changed(0, LVIS_SELECTED, 0),
      Changed(2, 0, LVIS_SELECTED),
  }));
  EXPECT_EQ(SelectedCount(), 1);
}

TEST_F(ListSelectionTest, TheSelectionMarkFollowsTheFirstFocus) {
  Create(LVS_REPORT);
  Fill(4);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), -1);
  SetState(2, LVIS_FOCUSED, LVIS_FOCUSED);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LVM_SETSELECTIONMARK, 0, 3), 2);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), 3);
}

}  // namespace
}  // namespace conformance
