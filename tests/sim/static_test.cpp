// The "Static" control showing pictures: STM_SETIMAGE and STM_GETIMAGE with bitmaps (SS_BITMAP)
// and icons (SS_ICON), the previous picture handed back and never deleted, the control taking its
// bitmap's size (around its midpoint with SS_CENTERIMAGE), what automation reads of the picture,
// and the taps that SS_NOTIFY turns into STN_CLICKED for the parent.
#include <gtest/gtest.h>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "cesim/ui.h"
#include "dib_sections.h"
#include "message_recorder.h"

namespace {

using foldwise_test::Any;
using foldwise_test::MessageRecorder;
using foldwise_test::RowOrder;
using foldwise_test::Wnd;

constexpr int kOverlayId = 65520;

class StaticTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &foldwise_test::RecordingWindowProc;
    cls.lpszClassName = u"Parent";
    ASSERT_NE(RegisterClassW(&cls), 0);
    parent = CreateWindowExW(0, u"Parent", u"parent", WS_POPUP | WS_VISIBLE, 0, 0, 240, 300, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
  }

  HWND Picture(DWORD style, DWORD exStyle = 0, RECT r = {10, 20, 10, 20}) const {
    return CreateWindowExW(exStyle, u"Static", nullptr, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kOverlayId)),
                           nullptr, nullptr);
  }

  static HBITMAP SetImage(HWND control, HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }

  static RECT WindowRectIn(HWND hwnd, HWND parentWindow) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, parentWindow, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  foldwise_test::BootedDevice device;
  HWND parent = nullptr;
};

TEST_F(StaticTest, SetImageHandsBackThePreviousBitmapAndDeletesNothing) {
  HWND control = Picture(SS_BITMAP);
  HBITMAP first = foldwise_test::Dib565(40, 30, RowOrder::TopDown, nullptr);
  HBITMAP second = CreateBitmap(21, 11, 1, 16, nullptr);
  EXPECT_EQ(SetImage(control, first), nullptr);
  EXPECT_EQ(SetImage(control, second), first);
  EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP));  // still the application's
  EXPECT_EQ(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(second));
  EXPECT_EQ(SendMessageW(control, STM_GETIMAGE, IMAGE_ICON, 0), 0);
  // Nothing takes the picture away; destroying the control does not delete it either.
  EXPECT_EQ(SetImage(control, nullptr), second);
  EXPECT_EQ(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  SetImage(control, first);
  DestroyWindow(control);
  EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(cesim::LiveGdiObjects().bitmaps, 2u);
  DeleteObject(first);
  DeleteObject(second);
}

TEST_F(StaticTest, WhatIsNoBitmapOrDoesNotFitTheStyleIsRefused) {
  HWND control = Picture(SS_BITMAP);
  HBITMAP bitmap = CreateBitmap(8, 8, 1, 16, nullptr);
  SetImage(control, bitmap);
  // A handle that is no bitmap: refused, the bitmap stays.
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(SetImage(control, reinterpret_cast<HBITMAP>(brush)), nullptr);
  EXPECT_EQ(SetImage(control, reinterpret_cast<HBITMAP>(parent)), nullptr);
  EXPECT_EQ(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(bitmap));
  // An icon for a bitmap control, a bitmap for a text control: nothing.
  EXPECT_EQ(SendMessageW(control, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(bitmap)), 0);
  HWND text = Picture(SS_LEFT);
  EXPECT_EQ(SetImage(text, bitmap), nullptr);
  EXPECT_EQ(SendMessageW(text, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  DestroyWindow(control);
  DeleteObject(brush);
  DeleteObject(bitmap);
}

TEST_F(StaticTest, TheControlTakesItsBitmapsSize) {
  // The module's overlay: a border, a client edge, no size of its own.
  HWND control = Picture(SS_BITMAP | WS_BORDER, WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE);
  HBITMAP bitmap = foldwise_test::Dib565(136, 101, RowOrder::TopDown, nullptr);
  SetImage(control, bitmap);
  RECT r = WindowRectIn(control, parent);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 136);
  EXPECT_EQ(r.bottom - r.top, 101);
  RECT client;
  GetClientRect(control, &client);
  EXPECT_EQ(client.right, 136 - 2 * (1 + 2));  // border and client edge on each side
  // Taking the picture away leaves the size.
  SetImage(control, nullptr);
  r = WindowRectIn(control, parent);
  EXPECT_EQ(r.right - r.left, 136);
  DestroyWindow(control);
  DeleteObject(bitmap);
}

TEST_F(StaticTest, ACentredImageKeepsTheControlsMidpoint) {
  HWND control = Picture(SS_BITMAP | SS_CENTERIMAGE, 0, {100, 100, 150, 150});
  HBITMAP bitmap = CreateBitmap(20, 10, 1, 16, nullptr);
  SetImage(control, bitmap);
  RECT r = WindowRectIn(control, parent);
  EXPECT_EQ(r.left, 115);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right, 135);
  EXPECT_EQ(r.bottom, 130);
  DestroyWindow(control);
  DeleteObject(bitmap);
}

TEST_F(StaticTest, AutomationReadsWhatThePictureShows) {
  HWND control = Picture(SS_BITMAP | WS_BORDER, WS_EX_CLIENTEDGE);
  void* pixels = nullptr;
  HBITMAP bitmap = foldwise_test::Dib565(136, 101, RowOrder::TopDown, &pixels);
  static_cast<uint16_t*>(pixels)[0] = 0xF800;
  SetImage(control, bitmap);
  // As a preview places it: the client area one pixel narrower than the even-width bitmap.
  SetWindowPos(control, nullptr, 10, 20, 135 + 6, 101 + 6, SWP_NOZORDER | SWP_NOACTIVATE);
  std::optional<cesim::StaticImage> shown = cesim::ShownImage(control);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->bitmap, bitmap);
  EXPECT_EQ(shown->size.cx, 136);
  EXPECT_EQ(shown->size.cy, 101);
  EXPECT_EQ(shown->drawn.left, 0);
  EXPECT_EQ(shown->drawn.right, 136);
  EXPECT_EQ(shown->visible.right, 135);
  EXPECT_EQ(shown->visible.bottom, 101);
  std::optional<cesim::BitmapPixels> picture = cesim::ReadBitmap(shown->bitmap);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->At(0, 0), RGB(255, 0, 0));
  // A deleted bitmap still sits in the control, with nothing to show.
  SetImage(control, nullptr);
  DeleteObject(bitmap);
  EXPECT_EQ(cesim::ShownImage(control)->bitmap, nullptr);
  EXPECT_FALSE(cesim::ShownImage(parent));  // no static control
  DestroyWindow(control);
}

TEST_F(StaticTest, IconsGoToIconControls) {
  HWND control = Picture(SS_ICON);
  HICON icon = reinterpret_cast<HICON>(static_cast<UINT_PTR>(0x1234));
  EXPECT_EQ(SendMessageW(control, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)), 0);
  EXPECT_EQ(SendMessageW(control, STM_GETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(icon));
  EXPECT_EQ(SendMessageW(control, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(icon));
  EXPECT_EQ(SendMessageW(control, STM_SETICON, 0, 0), reinterpret_cast<LRESULT>(icon));
  EXPECT_EQ(cesim::ShownImage(control)->icon, nullptr);
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 16, nullptr);
  EXPECT_EQ(SetImage(control, bitmap), nullptr);
  DestroyWindow(control);
  DeleteObject(bitmap);
}

TEST_F(StaticTest, ATapOnANotifyingPictureTellsTheParent) {
  HWND control = Picture(SS_BITMAP | SS_NOTIFY);
  HBITMAP bitmap = CreateBitmap(30, 20, 1, 16, nullptr);
  SetImage(control, bitmap);
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Name(control, "overlay");
  recorder.Only({WM_COMMAND});
  cesim::TapClient(control, {5, 5});
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_COMMAND, MAKEWPARAM(kOverlayId, STN_CLICKED), Wnd("overlay"), 0},
  }));
  DestroyWindow(control);
  DeleteObject(bitmap);
}

TEST_F(StaticTest, ATapOnAPictureWithoutNotifySaysNothing) {
  HWND control = Picture(SS_BITMAP);
  HBITMAP bitmap = CreateBitmap(30, 20, 1, 16, nullptr);
  SetImage(control, bitmap);
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Only({WM_COMMAND});
  cesim::TapClient(control, {5, 5});
  EXPECT_TRUE(recorder.Sequence({}));
  DestroyWindow(control);
  DeleteObject(bitmap);
}

}  // namespace
