// Renaming in the list view: the label is edited in an Edit child that the parent may refuse;
// Enter ends the edit with its text, Escape without, and losing the focus keeps the text.
#include "list_fixture.h"

namespace conformance {
namespace {

class ListLabelEditTest : public ListTest {};

TEST_F(ListLabelEditTest, ParentRefusingToEditLeavesNoEdit) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  AddColumn(100);
  Fill(1);
  OnNotify([](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_BEGINLABELEDITW ? TRUE : 0; });
  EXPECT_EQ(SendMessageW(list, LVM_EDITLABELW, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);
}

TEST_F(ListLabelEditTest, EnterEndsTheEditWithTheTextWhichTheItemTakesWhenAccepted) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  AddColumn(100);
  Fill(2);
  OnNotify([](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_ENDLABELEDITW ? TRUE : 0; });
  RecordNotifications({LVN_BEGINLABELEDITW, LVN_ENDLABELEDITW});
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 1, 0));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0)), edit);
  EXPECT_EQ(GetParent(edit), list);
  EXPECT_EQ(GetFocus(), edit);
  WCHAR shown[32] = {};
  GetWindowTextW(edit, shown, 32);
  EXPECT_EQ(Text(shown), TEXT("item B"));
  SetWindowTextW(edit, TEXT("Renamed"));
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({
      Note(LVN_BEGINLABELEDITW, "item 1 text \"item B\""),
      Note(LVN_ENDLABELEDITW, "item 1 text \"Renamed\""),
  }));
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(TextOf(1), TEXT("Renamed"));
}

TEST_F(ListLabelEditTest, EscapeEndsTheEditWithoutText) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  AddColumn(100);
  Fill(1);
  OnNotify([](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_ENDLABELEDITW ? TRUE : 0; });
  RecordNotifications({LVN_ENDLABELEDITW});
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 0, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextW(edit, TEXT("Dropped"));
  SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({Note(LVN_ENDLABELEDITW, "item 0 no text")}));
  EXPECT_EQ(TextOf(0), TEXT("item A"));
}

TEST_F(ListLabelEditTest, LosingTheFocusEndsTheEditKeepingTheText) {
  Create(LVS_REPORT | LVS_EDITLABELS);
  AddColumn(100);
  Fill(1);
  HWND other = CreateWindowExW(0, TEXT("BUTTON"), TEXT("x"), WS_CHILD | WS_VISIBLE, 0, 200, 40, 20, parent, nullptr,
                               nullptr, nullptr);
  OnNotify([](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_ENDLABELEDITW ? TRUE : 0; });
  RecordNotifications({LVN_ENDLABELEDITW});
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 0, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextW(edit, TEXT("Kept"));
  SetFocus(other);
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({Note(LVN_ENDLABELEDITW, "item 0 text \"Kept\"")}));
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(TextOf(0), TEXT("Kept"));
}

}  // namespace
}  // namespace conformance
