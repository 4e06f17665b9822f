// MessageBoxW answered from the keyboard: Escape is the Cancel button of a box that has one, Enter
// the default button (the first unless MB_DEFBUTTON2 or MB_DEFBUTTON3 names another).
#include "conformance.h"

namespace conformance {
namespace {

class MessageBoxTest : public ConformanceTest {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Start()); }
  int Show(UINT type, UINT key) {
    host.WhenIdle([this, key] { host.PressKey(key); });
    return MessageBoxW(nullptr, TEXT("Overwrite the file?"), TEXT("Confirm"), type);
  }
};

TEST_F(MessageBoxTest, EscapeCancelsABoxWithACancelButton) {
  EXPECT_EQ(Show(MB_OKCANCEL, VK_ESCAPE), IDCANCEL);
  EXPECT_EQ(Show(MB_YESNOCANCEL | MB_ICONWARNING, VK_ESCAPE), IDCANCEL);
}

TEST_F(MessageBoxTest, EnterPressesTheFirstButtonByDefault) {
  EXPECT_EQ(Show(MB_YESNOCANCEL | MB_ICONQUESTION, VK_RETURN), IDYES);
  EXPECT_EQ(Show(MB_OKCANCEL, VK_RETURN), IDOK);
}

TEST_F(MessageBoxTest, EnterPressesTheButtonThatTheTypeMakesTheDefault) {
  EXPECT_EQ(Show(MB_YESNO | MB_DEFBUTTON2, VK_RETURN), IDNO);
  EXPECT_EQ(Show(MB_YESNOCANCEL | MB_DEFBUTTON3, VK_RETURN), IDCANCEL);
}

TEST_F(MessageBoxTest, AnOwnedBoxReturnsToItsOwner) {
  HWND owner = CreateWindowExW(0, TEXT("STATIC"), TEXT("Owner"), WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  host.Activate(owner);
  host.WhenIdle([this] { host.PressKey(VK_RETURN); });
  EXPECT_EQ(MessageBoxW(owner, TEXT("Done."), TEXT("Copy"), MB_OK), IDOK);
  host.Pump();
  EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner is enabled again once the box has gone";
  EXPECT_EQ(GetActiveWindow(), owner);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace conformance
