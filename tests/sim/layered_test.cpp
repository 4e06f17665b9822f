// Layered windows: WS_EX_LAYERED set through SetWindowLongW, the attributes that the optional
// core-library entry point SetLayeredWindowAttributes gives (refused for a window without the
// style), child windows, and how automation reads the opacity back.
#include <gtest/gtest.h>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"

namespace {

class LayeredTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device.Boot());
    frame = CreateWindowExW(0, u"Static", u"frame", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr,
                            nullptr);
    ASSERT_NE(frame, nullptr);
  }

  // A child like the module's overlay: a bitmap Static that takes no activation.
  HWND Overlay() const {
    return CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE, u"Static", nullptr, WS_CHILD | WS_BORDER | SS_BITMAP,
                           0, 0, 0, 0, frame, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(65520)), nullptr, nullptr);
  }

  static void MakeLayered(HWND hwnd) {
    SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  }

  foldwise_test::BootedDevice device;
  HWND frame = nullptr;
};

TEST_F(LayeredTest, AttributesNeedTheLayeredStyle) {
  SetLastError(0);
  EXPECT_FALSE(SetLayeredWindowAttributes(frame, 0, 128, LWA_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(cesim::LayeredAlpha(frame));
  MakeLayered(frame);
  // Layered but without attributes yet: the window has no opacity to show.
  EXPECT_FALSE(cesim::LayeredAlpha(frame));
  EXPECT_TRUE(SetLayeredWindowAttributes(frame, RGB(1, 2, 3), 128, LWA_ALPHA));
  EXPECT_EQ(cesim::LayeredAlpha(frame), 128);
  std::optional<cesim::LayeredAttributes> attributes = cesim::ReadLayeredAttributes(frame);
  ASSERT_TRUE(attributes);
  EXPECT_EQ(attributes->key, RGB(1, 2, 3));
  EXPECT_EQ(attributes->flags, static_cast<DWORD>(LWA_ALPHA));
}

TEST_F(LayeredTest, AChildWindowMadeLayeredTakesItsAlpha) {
  HWND overlay = Overlay();
  ASSERT_NE(overlay, nullptr);
  EXPECT_FALSE(SetLayeredWindowAttributes(overlay, 0, 255, LWA_ALPHA));
  // The module's overlay after its first tap: the same styles plus WS_EX_LAYERED.
  SetWindowLongW(overlay, GWL_EXSTYLE, WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE | WS_EX_LAYERED);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(overlay, GWL_EXSTYLE)), 0x08080200u);
  const BYTE alphas[] = {255, 223, 191, 159, 127, 95, 255};
  for (BYTE alpha : alphas) {
    EXPECT_TRUE(SetLayeredWindowAttributes(overlay, 0, alpha, LWA_ALPHA));
    EXPECT_EQ(cesim::LayeredAlpha(overlay), alpha);
  }
  EXPECT_FALSE(cesim::LayeredAlpha(frame));  // the parent is not affected
}

TEST_F(LayeredTest, WithoutTheAlphaFlagTheWindowIsOpaque) {
  MakeLayered(frame);
  EXPECT_TRUE(SetLayeredWindowAttributes(frame, RGB(255, 0, 255), 40, LWA_COLORKEY));
  EXPECT_EQ(cesim::LayeredAlpha(frame), 255);
  EXPECT_EQ(cesim::ReadLayeredAttributes(frame)->key, RGB(255, 0, 255));
}

TEST_F(LayeredTest, LosingTheStyleForgetsTheAttributes) {
  MakeLayered(frame);
  ASSERT_TRUE(SetLayeredWindowAttributes(frame, 0, 100, LWA_ALPHA));
  SetWindowLongW(frame, GWL_EXSTYLE, GetWindowLongW(frame, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  EXPECT_FALSE(cesim::LayeredAlpha(frame));
  // Made layered again, it needs its attributes anew.
  MakeLayered(frame);
  EXPECT_FALSE(cesim::LayeredAlpha(frame));
  EXPECT_TRUE(SetLayeredWindowAttributes(frame, 0, 60, LWA_ALPHA));
  EXPECT_EQ(cesim::LayeredAlpha(frame), 60);
}

TEST_F(LayeredTest, AWindowCreatedLayeredAndAWindowThatIsGone) {
  HWND layered = CreateWindowExW(WS_EX_LAYERED, u"Static", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
  EXPECT_TRUE(SetLayeredWindowAttributes(layered, 0, 10, LWA_ALPHA));
  DestroyWindow(layered);
  SetLastError(0);
  EXPECT_FALSE(SetLayeredWindowAttributes(layered, 0, 10, LWA_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(cesim::LayeredAlpha(layered));
  EXPECT_FALSE(SetLayeredWindowAttributes(nullptr, 0, 10, LWA_ALPHA));
}

}  // namespace
