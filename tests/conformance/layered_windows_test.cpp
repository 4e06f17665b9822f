// Layered windows as the image preview's overlay uses them: only a window with WS_EX_LAYERED
// takes attributes, the alpha given is the alpha kept (and read back), a child window made
// layered takes them too, and a window that stops being layered loses them.
#include "conformance.h"
#include "test_windows.h"

namespace conformance {
namespace {

class LayeredWindowTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    frame = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 300});
    ASSERT_NE(frame, nullptr);
  }

  // The attributes read back: the alpha, or -1 when the window has none.
  static int Alpha(HWND window, DWORD* flags = nullptr) {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD kept = 0;
    if (!ReadLayeredAttributes(window, &key, &alpha, &kept)) return -1;
    if (flags != nullptr) *flags = kept;
    return alpha;
  }

  HWND frame = nullptr;
};

TEST_F(LayeredWindowTest, AWindowThatIsNotLayeredTakesNoAttributes) {
  SetLastError(0);
  EXPECT_FALSE(SetLayeredWindowAttributes(frame, 0, 128, LWA_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(Alpha(frame), -1);
}

TEST_F(LayeredWindowTest, TheAlphaGivenIsTheAlphaKept) {
  HWND popup = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{20, 20, 120, 120}, frame, WS_EX_LAYERED);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(Alpha(popup), -1);  // layered, but given nothing yet
  EXPECT_TRUE(SetLayeredWindowAttributes(popup, 0, 223, LWA_ALPHA));
  DWORD flags = 0;
  EXPECT_EQ(Alpha(popup, &flags), 223);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  EXPECT_TRUE(SetLayeredWindowAttributes(popup, 0, 95, LWA_ALPHA));
  EXPECT_EQ(Alpha(popup), 95);
}

TEST_F(LayeredWindowTest, AChildMadeLayeredTakesAttributes) {
  // The overlay is a static child; it becomes layered at the first tap.
  HWND overlay = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE, TEXT("Static"), nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP | SS_NOTIFY, 10, 10, 40, 30, frame,
                                 nullptr, host.Instance(), nullptr);
  ASSERT_NE(overlay, nullptr);
  SetLastError(0);
  EXPECT_FALSE(SetLayeredWindowAttributes(overlay, 0, 255, LWA_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  SetWindowLongW(overlay, GWL_EXSTYLE, WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE | WS_EX_LAYERED);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(overlay, GWL_EXSTYLE)),
            static_cast<DWORD>(WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE | WS_EX_LAYERED));
  EXPECT_TRUE(SetLayeredWindowAttributes(overlay, 0, 223, LWA_ALPHA));
  EXPECT_EQ(Alpha(overlay), 223);
  EXPECT_TRUE(SetLayeredWindowAttributes(overlay, 0, 95, LWA_ALPHA));
  EXPECT_EQ(Alpha(overlay), 95);
}

TEST_F(LayeredWindowTest, AWindowThatStopsBeingLayeredLosesItsAttributes) {
  HWND popup = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{20, 20, 120, 120}, frame, WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(popup, 0, 95, LWA_ALPHA));
  SetWindowLongW(popup, GWL_EXSTYLE, 0);
  EXPECT_EQ(Alpha(popup), -1);
  EXPECT_FALSE(SetLayeredWindowAttributes(popup, 0, 95, LWA_ALPHA));
  SetWindowLongW(popup, GWL_EXSTYLE, WS_EX_LAYERED);
  EXPECT_EQ(Alpha(popup), -1);  // layered again, but the old attributes are gone
}

TEST_F(LayeredWindowTest, AColourKeyIsKeptWithItsFlag) {
  HWND popup = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{20, 20, 120, 120}, frame, WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(popup, RGB(0, 255, 0), 0, LWA_COLORKEY));
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(ReadLayeredAttributes(popup, &key, &alpha, &flags));
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
  EXPECT_EQ(key, RGB(0, 255, 0));
}

}  // namespace
}  // namespace conformance
