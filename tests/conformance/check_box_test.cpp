// Check boxes: an automatic check box (BS_AUTOCHECKBOX) changes its check on every click, by a tap
// or the space bar, and tells its parent with BN_CLICKED; BM_SETCHECK sets the check without a
// notification; a plain check box (BS_CHECKBOX) leaves the check to its parent.
#include <vector>

#include "conformance.h"
#include "test_windows.h"

namespace conformance {
namespace {

constexpr WORD kBoxId = 51;

class CheckBoxTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    parent = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 200});
    ASSERT_NE(parent, nullptr);
    SetHandler(parent, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
      if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != box) return false;
      if (LOWORD(wParam) == kBoxId && HIWORD(wParam) == BN_CLICKED) ++clicks;
      *result = 0;
      return true;
    });
  }
  HWND Make(DWORD type) {
    box = CreateWindowExW(0, TEXT("Button"), TEXT("Show Extension"), WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, 10,
                          10, 150, 20, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBoxId)), nullptr, nullptr);
    return box;
  }
  LRESULT Check() { return SendMessageW(box, BM_GETCHECK, 0, 0); }
  void TapBox() { host.Tap(box, POINT{10, 10}); }

  HWND parent = nullptr;
  HWND box = nullptr;
  int clicks = 0;
};

TEST_F(CheckBoxTest, AnAutomaticCheckBoxTogglesOnEachTapAndTellsItsParent) {
  ASSERT_NE(Make(BS_AUTOCHECKBOX), nullptr);
  host.Activate(parent);
  EXPECT_EQ(Check(), BST_UNCHECKED);
  TapBox();
  EXPECT_EQ(Check(), BST_CHECKED);
  EXPECT_EQ(clicks, 1);
  TapBox();
  EXPECT_EQ(Check(), BST_UNCHECKED);
  EXPECT_EQ(clicks, 2);
}

TEST_F(CheckBoxTest, TheSpaceBarClicksTheFocusedCheckBox) {
  ASSERT_NE(Make(BS_AUTOCHECKBOX), nullptr);
  host.Activate(parent);
  SetFocus(box);
  host.PressKey(VK_SPACE);
  EXPECT_EQ(Check(), BST_CHECKED);
  EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBoxTest, SetCheckChangesTheCheckWithoutANotification) {
  ASSERT_NE(Make(BS_AUTOCHECKBOX), nullptr);
  SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(), BST_CHECKED);
  EXPECT_EQ(SendMessageW(box, BM_GETSTATE, 0, 0) & BST_CHECKED, BST_CHECKED);
  SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(Check(), BST_UNCHECKED);
  host.Pump();
  EXPECT_EQ(clicks, 0);
}

TEST_F(CheckBoxTest, APlainCheckBoxLeavesItsCheckToTheParent) {
  ASSERT_NE(Make(BS_CHECKBOX), nullptr);
  host.Activate(parent);
  TapBox();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Check(), BST_UNCHECKED);
}

TEST_F(CheckBoxTest, APushButtonHasNoCheck) {
  ASSERT_NE(Make(BS_PUSHBUTTON), nullptr);
  SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(), BST_UNCHECKED);
}

}  // namespace
}  // namespace conformance
