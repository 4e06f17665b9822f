// The drop-down list combo box (CBS_DROPDOWNLIST): items sorted as they are added (CBS_SORT), a
// value kept with each item, the selection set by the program without a notification and changed
// by the user's keys with CBN_SELCHANGE, the field's text the selected item's.
#include <vector>

#include "conformance.h"
#include "test_windows.h"

namespace conformance {
namespace {

constexpr WORD kComboId = 41;

class ComboBoxTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    parent = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 200});
    ASSERT_NE(parent, nullptr);
    SetHandler(parent, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
      if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != combo) return false;
      if (LOWORD(wParam) == kComboId) codes.push_back(HIWORD(wParam));
      *result = 0;
      return true;
    });
  }
  HWND Make(DWORD style) {
    combo = CreateWindowExW(0, TEXT("ComboBox"), TEXT(""), WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | style, 10,
                            10, 150, 120, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)), nullptr,
                            nullptr);
    return combo;
  }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return SendMessageW(combo, message, wParam, lParam); }
  LRESULT Add(const WCHAR* text) { return Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
  Text ItemText(int index) {
    LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return Text(TEXT("<CB_ERR>"));
    Text text(static_cast<size_t>(length) + 1, 0);
    EXPECT_EQ(Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0])), length);
    text.resize(static_cast<size_t>(length));
    return text;
  }
  Text FieldText() {
    WCHAR text[64] = {};
    GetWindowTextW(combo, text, 64);
    return text;
  }
  void Focus() {
    host.Activate(parent);
    SetFocus(combo);
    host.Pump();
    codes.clear();
  }
  int Count(int code) const {
    int n = 0;
    for (int c : codes) n += c == code ? 1 : 0;
    return n;
  }

  HWND parent = nullptr;
  HWND combo = nullptr;
  std::vector<int> codes;
};

TEST_F(ComboBoxTest, ASortedListPutsEachNewItemInItsPlaceWithoutLetterCase) {
  ASSERT_NE(Make(CBS_DROPDOWNLIST | CBS_SORT), nullptr);
  EXPECT_EQ(Add(TEXT("FileVersion")), 0);
  EXPECT_EQ(Add(TEXT("CompanyName")), 0);
  EXPECT_EQ(Add(TEXT("productName")), 2);
  EXPECT_EQ(Add(TEXT("Comments")), 0);
  ASSERT_EQ(Send(CB_GETCOUNT), 4);
  EXPECT_EQ(ItemText(0), Text(TEXT("Comments")));
  EXPECT_EQ(ItemText(1), Text(TEXT("CompanyName")));
  EXPECT_EQ(ItemText(2), Text(TEXT("FileVersion")));
  EXPECT_EQ(ItemText(3), Text(TEXT("productName")));
}

TEST_F(ComboBoxTest, AnUnsortedListKeepsTheOrderOfAdding) {
  ASSERT_NE(Make(CBS_DROPDOWNLIST), nullptr);
  EXPECT_EQ(Add(TEXT("b")), 0);
  EXPECT_EQ(Add(TEXT("a")), 1);
  EXPECT_EQ(Send(CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(TEXT("c"))), 0);
  EXPECT_EQ(Send(CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(TEXT("d"))), 3);
  EXPECT_EQ(ItemText(0), Text(TEXT("c")));
  EXPECT_EQ(ItemText(1), Text(TEXT("b")));
  EXPECT_EQ(ItemText(3), Text(TEXT("d")));
}

TEST_F(ComboBoxTest, ItemDataStaysWithItsItemAsSortedItemsArrive) {
  ASSERT_NE(Make(CBS_DROPDOWNLIST | CBS_SORT), nullptr);
  LRESULT m = Add(TEXT("m"));
  EXPECT_EQ(Send(CB_SETITEMDATA, static_cast<WPARAM>(m), 1300), TRUE);
  LRESULT a = Add(TEXT("a"));
  EXPECT_EQ(Send(CB_SETITEMDATA, static_cast<WPARAM>(a), 1100), TRUE);
  Add(TEXT("z"));
  EXPECT_EQ(Send(CB_GETITEMDATA, 0), 1100);
  EXPECT_EQ(Send(CB_GETITEMDATA, 1), 1300);
  EXPECT_EQ(Send(CB_GETITEMDATA, 2), 0) << "an item's value starts at zero";
  EXPECT_EQ(Send(CB_GETITEMDATA, 3), CB_ERR);
  EXPECT_EQ(Send(CB_SETITEMDATA, 3, 5), CB_ERR);
  EXPECT_EQ(Send(CB_GETLBTEXTLEN, 3), CB_ERR);
}

TEST_F(ComboBoxTest, TheProgramsSelectionShowsInTheFieldAndSendsNoSelChange) {
  ASSERT_NE(Make(CBS_DROPDOWNLIST | CBS_SORT), nullptr);
  Add(TEXT("beta"));
  Add(TEXT("alpha"));
  EXPECT_EQ(Send(CB_GETCURSEL), CB_ERR) << "nothing is selected at first";
  EXPECT_EQ(FieldText(), Text());
  codes.clear();
  EXPECT_EQ(Send(CB_SETCURSEL, 1), 1);
  EXPECT_EQ(Send(CB_GETCURSEL), 1);
  EXPECT_EQ(FieldText(), Text(TEXT("beta")));
  EXPECT_EQ(GetWindowTextLengthW(combo), 4);
  EXPECT_EQ(Count(CBN_SELCHANGE), 0);
  EXPECT_EQ(Send(CB_SETCURSEL, 7), CB_ERR) << "an index out of range";
  EXPECT_EQ(Send(CB_SETCURSEL, static_cast<WPARAM>(-1)), CB_ERR) << "-1 clears the selection";
  EXPECT_EQ(Send(CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(FieldText(), Text());
}

TEST_F(ComboBoxTest, ArrowKeysMoveTheSelectionAndTellTheParent) {
  ASSERT_NE(Make(CBS_DROPDOWNLIST | CBS_SORT), nullptr);
  Add(TEXT("one"));
  Add(TEXT("three"));
  Add(TEXT("two"));
  Send(CB_SETCURSEL, 0);
  Focus();
  host.PressKey(VK_DOWN);
  EXPECT_EQ(Send(CB_GETCURSEL), 1);
  EXPECT_EQ(Count(CBN_SELCHANGE), 1);
  EXPECT_EQ(FieldText(), Text(TEXT("three")));
  host.PressKey(VK_DOWN);
  EXPECT_EQ(Send(CB_GETCURSEL), 2);
  EXPECT_EQ(Count(CBN_SELCHANGE), 2);
  host.PressKey(VK_DOWN);
  EXPECT_EQ(Send(CB_GETCURSEL), 2) << "the last item stays selected";
  EXPECT_EQ(Count(CBN_SELCHANGE), 3) << "the list tells of every move of its caret, also one that stays";
  host.PressKey(VK_UP);
  EXPECT_EQ(Send(CB_GETCURSEL), 1);
  EXPECT_EQ(Count(CBN_SELCHANGE), 4);
  EXPECT_EQ(Send(CB_GETDROPPEDSTATE), FALSE) << "the arrows leave the list closed";
}

TEST_F(ComboBoxTest, DeletingAnItemMovesOrClearsTheSelection) {
  ASSERT_NE(Make(CBS_DROPDOWNLIST), nullptr);
  Add(TEXT("a"));
  Add(TEXT("b"));
  Add(TEXT("c"));
  Send(CB_SETCURSEL, 2);
  EXPECT_EQ(Send(CB_DELETESTRING, 0), 2) << "the items left";
  EXPECT_EQ(Send(CB_GETCURSEL), 1);
  EXPECT_EQ(FieldText(), Text(TEXT("c")));
  EXPECT_EQ(Send(CB_DELETESTRING, 1), 1);
  EXPECT_EQ(Send(CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(Send(CB_DELETESTRING, 5), CB_ERR);
  Send(CB_RESETCONTENT);
  EXPECT_EQ(Send(CB_GETCOUNT), 0);
  EXPECT_EQ(Send(CB_GETCURSEL), CB_ERR);
}

TEST_F(ComboBoxTest, FindingAndSelectingByTextIgnoresLetterCase) {
  ASSERT_NE(Make(CBS_DROPDOWNLIST), nullptr);
  Add(TEXT("FileVersion"));
  Add(TEXT("FileDescription"));
  Add(TEXT("Comments"));
  EXPECT_EQ(Send(CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(TEXT("file"))), 0);
  EXPECT_EQ(Send(CB_FINDSTRING, 0, reinterpret_cast<LPARAM>(TEXT("file"))), 1) << "the search starts after wParam";
  EXPECT_EQ(Send(CB_FINDSTRING, 1, reinterpret_cast<LPARAM>(TEXT("file"))), 0) << "and goes round";
  EXPECT_EQ(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(TEXT("comments"))), 2);
  EXPECT_EQ(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(TEXT("Comment"))), CB_ERR);
  codes.clear();
  EXPECT_EQ(Send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(TEXT("COM"))), 2);
  EXPECT_EQ(Send(CB_GETCURSEL), 2);
  EXPECT_EQ(Count(CBN_SELCHANGE), 0);
}

TEST_F(ComboBoxTest, F4DropsTheListAndEnterClosesItWithTheSelection) {
  ASSERT_NE(Make(CBS_DROPDOWNLIST), nullptr);
  Add(TEXT("a"));
  Add(TEXT("b"));
  Focus();
  host.PressKey(VK_F4);
  EXPECT_EQ(Send(CB_GETDROPPEDSTATE), TRUE);
  EXPECT_EQ(Count(CBN_DROPDOWN), 1);
  host.PressKey(VK_DOWN);
  EXPECT_EQ(Send(CB_GETCURSEL), 0);
  EXPECT_EQ(Count(CBN_SELCHANGE), 1);
  EXPECT_EQ(Send(CB_GETDROPPEDSTATE), TRUE) << "the arrows keep a dropped list open";
  host.PressKey(VK_RETURN);
  EXPECT_EQ(Send(CB_GETDROPPEDSTATE), FALSE);
  EXPECT_EQ(Count(CBN_SELENDOK), 1);
  EXPECT_EQ(Count(CBN_CLOSEUP), 1);
  EXPECT_EQ(Send(CB_GETCURSEL), 0);
}

TEST_F(ComboBoxTest, EscapeClosesTheDroppedListWithoutTakingIt) {
  ASSERT_NE(Make(CBS_DROPDOWNLIST), nullptr);
  Add(TEXT("a"));
  Focus();
  EXPECT_EQ(Send(CB_SHOWDROPDOWN, TRUE), TRUE);
  EXPECT_EQ(Send(CB_GETDROPPEDSTATE), TRUE);
  host.PressKey(VK_ESCAPE);
  EXPECT_EQ(Send(CB_GETDROPPEDSTATE), FALSE);
  EXPECT_EQ(Count(CBN_SELENDCANCEL), 1);
  EXPECT_EQ(Count(CBN_SELENDOK), 0);
  EXPECT_EQ(Count(CBN_CLOSEUP), 1);
}

}  // namespace
}  // namespace conformance
