// The combo box where only cesim can show it: the selection cleared by an index out of range, as
// the reference page says (CB_SETCURSEL, Windows CE 5.0), and the dropped list chosen from with
// the stylus, whose place on the screen is cesim's own layout.
#include <gtest/gtest.h>

#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"

namespace {

constexpr WORD kComboId = 7;
std::vector<int> heard;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kComboId) heard.push_back(HIWORD(wParam));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    heard.clear();
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &ParentProc;
    cls.lpszClassName = u"ComboParent";
    ASSERT_NE(RegisterClassW(&cls), 0);
    parent = CreateWindowExW(0, u"ComboParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 300, nullptr, nullptr,
                             nullptr, nullptr);
    combo = CreateWindowExW(0, u"ComboBox", u"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 150, 100, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)), nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    for (const char16_t* text : {u"one", u"two", u"three"}) {
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    cesim::Activate(parent);
  }
  // The dropped list's item, in screen coordinates: rows of the combo box's item height under the
  // control, inside a one-pixel border.
  POINT ItemPoint(int item) {
    RECT field;
    GetWindowRect(combo, &field);
    const int height = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    return POINT{field.left + 20, field.bottom + 1 + item * height + height / 2};
  }

  foldwise_test::BootedDevice device;
  HWND parent = nullptr;
  HWND combo = nullptr;
};

TEST_F(ComboBoxTest, AnIndexOutOfRangeClearsTheSelection) {
  ASSERT_EQ(SendMessageW(combo, CB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 3, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(GetWindowTextLengthW(combo), 0);
}

TEST_F(ComboBoxTest, ATapDropsTheListAndATapOnAnItemChoosesIt) {
  cesim::TapClient(combo, POINT{20, 5});
  EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  EXPECT_EQ(heard, (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN}));
  heard.clear();
  cesim::Tap(ItemPoint(2));
  EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(heard, (std::vector<int>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  EXPECT_EQ(GetActiveWindow(), parent) << "the dropped list never takes the activation";
}

TEST_F(ComboBoxTest, ATapOutsideTheDroppedListClosesItWithoutAChoice) {
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  cesim::TapClient(combo, POINT{20, 5});
  ASSERT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  heard.clear();
  cesim::TapClient(parent, POINT{200, 280});
  EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(heard, (std::vector<int>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, DestroyingTheControlWhileItsListIsDroppedTakesTheListToo) {
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  const POINT inList = ItemPoint(0);
  HWND list = WindowFromPoint(inList);
  ASSERT_NE(list, nullptr);
  ASSERT_NE(list, combo);
  EXPECT_TRUE(DestroyWindow(combo));
  EXPECT_FALSE(IsWindow(list));
  cesim::Tap(inList);  // nothing left to choose from
}

}  // namespace
