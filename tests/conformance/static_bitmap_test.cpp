// The Static control showing a bitmap, as the image preview's overlay is one: STM_SETIMAGE hands
// back the previous bitmap (never deleting it) and sizes the control to the new one, what is not
// a picture of the control's type is refused, SS_CENTERIMAGE keeps the midpoint on the device,
// and SS_NOTIFY turns a tap into STN_CLICKED for the parent.
#include <vector>

#include "conformance.h"
#include "dib_sections.h"
#include "test_windows.h"

namespace conformance {
namespace {

const int kOverlayId = 65520;

struct Command {
  int id;
  int code;
  HWND control;
};

class StaticBitmapTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    parent = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 300});
    ASSERT_NE(parent, nullptr);
    SetHandler(parent, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
      if (message == WM_COMMAND) {
        commands.push_back(Command{LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
      }
      return false;
    });
    host.Activate(parent);
  }

  HWND Overlay(DWORD style, int width = 0, int height = 0) const {
    return CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE, TEXT("Static"), nullptr,
                           WS_CHILD | WS_BORDER | SS_BITMAP | style, 10, 10, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kOverlayId)), host.Instance(), nullptr);
  }

  static LRESULT SetImage(HWND control, WPARAM type, HANDLE image) {
    return SendMessageW(control, STM_SETIMAGE, type, reinterpret_cast<LPARAM>(image));
  }
  static HANDLE GetImage(HWND control, WPARAM type) {
    return reinterpret_cast<HANDLE>(SendMessageW(control, STM_GETIMAGE, type, 0));
  }
  static SIZE WindowSize(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  }

  HWND parent = nullptr;
  std::vector<Command> commands;
};

TEST_F(StaticBitmapTest, SetImageHandsBackThePreviousBitmapAndSizesTheControl) {
  HWND overlay = Overlay(0);
  ASSERT_NE(overlay, nullptr);
  HBITMAP first = Dib565(40, 30);
  HBITMAP second = Dib565(21, 11);
  EXPECT_EQ(GetImage(overlay, IMAGE_BITMAP), nullptr);
  EXPECT_EQ(SetImage(overlay, IMAGE_BITMAP, first), 0);
  SIZE size = WindowSize(overlay);
  EXPECT_EQ(size.cx, 40);
  EXPECT_EQ(size.cy, 30);
  EXPECT_EQ(SetImage(overlay, IMAGE_BITMAP, second), reinterpret_cast<LRESULT>(first));
  EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP));  // not deleted by the control
  EXPECT_EQ(GetImage(overlay, IMAGE_BITMAP), second);
  size = WindowSize(overlay);
  EXPECT_EQ(size.cx, 21);
  EXPECT_EQ(size.cy, 11);
  DestroyWindow(overlay);
  EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));  // nor when it is destroyed
  EXPECT_TRUE(DeleteObject(first));
  EXPECT_TRUE(DeleteObject(second));
}

TEST_F(StaticBitmapTest, OnTheDeviceACentredPictureKeepsTheControlsMidpoint) {
  CONFORMANCE_CE_ONLY("Static Control Styles (Windows CE 5.0), learn.microsoft.com/en-us/previous-versions/windows/"
                      "embedded/ms940359(v=msdn.10): with SS_CENTERIMAGE the midpoint stays fixed and the four "
                      "sides are adjusted to accommodate a new bitmap");
  HWND overlay = Overlay(SS_CENTERIMAGE, 100, 80);  // midpoint (60, 50) in the parent
  HBITMAP bitmap = Dib565(40, 30);
  EXPECT_EQ(SetImage(overlay, IMAGE_BITMAP, bitmap), 0);
  RECT r = {};
  GetWindowRect(overlay, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 35);
  EXPECT_EQ(r.right, 80);
  EXPECT_EQ(r.bottom, 65);
  DestroyWindow(overlay);
  DeleteObject(bitmap);
}

TEST_F(StaticBitmapTest, OnTheDesktopACentredPictureLeavesTheControlsSize) {
  CONFORMANCE_DESKTOP_ONLY("Static Control Styles (Windows CE 5.0): SS_CENTERIMAGE keeps the midpoint and sizes the "
                           "control to the bitmap");
  HWND overlay = Overlay(SS_CENTERIMAGE, 100, 80);
  HBITMAP bitmap = Dib565(40, 30);
  EXPECT_EQ(SetImage(overlay, IMAGE_BITMAP, bitmap), 0);
  SIZE size = WindowSize(overlay);
  EXPECT_EQ(size.cx, 100);
  EXPECT_EQ(size.cy, 80);
  DestroyWindow(overlay);
  DeleteObject(bitmap);
}

TEST_F(StaticBitmapTest, WhatIsNoBitmapOfTheControlsTypeIsRefusedAndTheBitmapStays) {
  HWND overlay = Overlay(0);
  HBITMAP bitmap = Dib565(8, 8);
  SetImage(overlay, IMAGE_BITMAP, bitmap);
  EXPECT_EQ(SetImage(overlay, IMAGE_BITMAP, parent), 0);  // a window handle
  EXPECT_EQ(GetImage(overlay, IMAGE_BITMAP), bitmap);
  HBITMAP other = Dib565(4, 4);
  EXPECT_EQ(SetImage(overlay, IMAGE_ICON, other), 0);  // offered as an icon, to a bitmap control
  EXPECT_EQ(GetImage(overlay, IMAGE_BITMAP), bitmap);
  EXPECT_EQ(GetImage(overlay, IMAGE_ICON), nullptr);
  DestroyWindow(overlay);
  DeleteObject(other);
  DeleteObject(bitmap);
}

TEST_F(StaticBitmapTest, NoBitmapTakesTheBitmapAwayAndHandsItBack) {
  HWND overlay = Overlay(0);
  HBITMAP bitmap = Dib565(8, 8);
  SetImage(overlay, IMAGE_BITMAP, bitmap);
  EXPECT_EQ(SetImage(overlay, IMAGE_BITMAP, nullptr), reinterpret_cast<LRESULT>(bitmap));
  EXPECT_EQ(GetImage(overlay, IMAGE_BITMAP), nullptr);
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  DestroyWindow(overlay);
  DeleteObject(bitmap);
}

// --- SS_NOTIFY ---

TEST_F(StaticBitmapTest, APressOnANotifyingControlTellsTheParent) {
  HWND overlay = Overlay(SS_NOTIFY);
  SendMessageW(overlay, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].id, kOverlayId);
  EXPECT_EQ(commands[0].code, STN_CLICKED);
  EXPECT_EQ(commands[0].control, overlay);
  DestroyWindow(overlay);
}

TEST_F(StaticBitmapTest, WithoutNotifyAPressSaysNothing) {
  HWND overlay = Overlay(0);
  SendMessageW(overlay, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(commands.empty());
  DestroyWindow(overlay);
}

TEST_F(StaticBitmapTest, ATapOnTheShownPictureTellsTheParent) {
  HWND overlay = Overlay(WS_VISIBLE | SS_NOTIFY);
  HBITMAP bitmap = Dib565(60, 40);
  SetImage(overlay, IMAGE_BITMAP, bitmap);
  host.Pump();
  host.Tap(overlay, POINT{20, 15});
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].id, kOverlayId);
  EXPECT_EQ(commands[0].code, STN_CLICKED);
  EXPECT_EQ(commands[0].control, overlay);
  DestroyWindow(overlay);
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace conformance
