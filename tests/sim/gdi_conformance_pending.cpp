// Platform behaviour that the image preview relies on, written against the plain Win32 API only so
// that the same source can run on cesim and, as a Windows program, under Wine: memory DCs and
// their default bitmap, SelectObject, DIB sections with 5-6-5 bit fields, StretchBlt on real
// pixels, CreateBitmap, GetObjectW, DeleteObject and DeleteDC, the Static control's STM_SETIMAGE
// and SS_NOTIFY, and layered-window attributes. Where Windows CE and desktop Windows are
// documented to differ, the test says so and names the CE reference.
//
// These move to tests/conformance once that suite exists; until then only the boot below is
// cesim's.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "booted_device.h"
#include "ceplatform.h"

#if defined(_WIN32) && !defined(_WIN32_WCE)
#define FOLDWISE_DESKTOP_WINDOWS 1
#else
#define FOLDWISE_DESKTOP_WINDOWS 0
#endif

namespace {

class GdiConformance : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device.Boot()); }

  // A DIB section with three colour masks after its header.
  static HBITMAP MaskedDib(int width, int height, int bits, DWORD r, DWORD g, DWORD b, void** pixels) {
    struct {
      BITMAPINFOHEADER header;
      DWORD masks[3];
    } info;
    std::memset(&info, 0, sizeof info);
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = BI_BITFIELDS;
    info.masks[0] = r;
    info.masks[1] = g;
    info.masks[2] = b;
    return CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, pixels, nullptr, 0);
  }
  static HBITMAP Dib565(int width, int height, void** pixels) {
    return MaskedDib(width, height, 16, 0xF800, 0x07E0, 0x001F, pixels);
  }
  static HBITMAP Dib24(int width, int height, void** pixels) {
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0);
  }

  foldwise_test::BootedDevice device;
};

TEST_F(GdiConformance, AMemoryDcStartsWithAOneByOneMonochromeBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  BITMAP bm;
  std::memset(&bm, 0, sizeof bm);
  ASSERT_EQ(GetObjectW(bitmap, sizeof bm, &bm), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  HDC other = CreateCompatibleDC(dc);
  EXPECT_EQ(GetCurrentObject(other, OBJ_BITMAP), bitmap);
  EXPECT_TRUE(DeleteDC(other));
  EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(GdiConformance, SelectObjectGivesThePreviousBitmapAndABitmapFitsOneDc) {
  HBITMAP bitmap = Dib565(4, 4, nullptr);
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(nullptr);
  HGDIOBJ initial = GetCurrentObject(a, OBJ_BITMAP);
  EXPECT_EQ(SelectObject(a, bitmap), initial);
  EXPECT_EQ(SelectObject(b, bitmap), nullptr);
  EXPECT_EQ(SelectObject(a, initial), bitmap);
  EXPECT_EQ(SelectObject(b, bitmap), initial);
  SelectObject(b, initial);
  DeleteDC(a);
  DeleteDC(b);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(GdiConformance, ABitFieldDibSectionDescribesItselfAndGivesItsPixels) {
  void* pixels = nullptr;
  // 135 pixels wide at 16 bits: rows padded to 272 bytes.
  HBITMAP dib = MaskedDib(135, -2, 16, 0xF800, 0x07E0, 0x001F, &pixels);
  ASSERT_NE(dib, nullptr);
  ASSERT_NE(pixels, nullptr);
  BITMAP bm;
  ASSERT_EQ(GetObjectW(dib, sizeof bm, &bm), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(bm.bmWidth, 135);
  EXPECT_EQ(bm.bmHeight, 2);
  EXPECT_EQ(bm.bmWidthBytes, 272);
  EXPECT_EQ(bm.bmPlanes, 1);
  EXPECT_EQ(bm.bmBitsPixel, 16);
  EXPECT_EQ(bm.bmBits, pixels);
  DIBSECTION ds;
  ASSERT_EQ(GetObjectW(dib, sizeof ds, &ds), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(ds.dsBmih.biHeight, 2);
  EXPECT_EQ(ds.dsBmih.biCompression, static_cast<DWORD>(BI_BITFIELDS));
  EXPECT_EQ(ds.dsBitfields[0], 0xF800u);
  EXPECT_EQ(ds.dsBitfields[1], 0x07E0u);
  EXPECT_EQ(ds.dsBitfields[2], 0x001Fu);
  EXPECT_EQ(GetObjectW(dib, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
  EXPECT_TRUE(DeleteObject(dib));
}

TEST_F(GdiConformance, SixteenAndThirtyTwoBitDibsWithoutMasks) {
  // Windows CE (CreateDIBSection, CE 2.0 and later): 16 and 32 bits need BI_BITFIELDS with
  // three masks; BI_RGB is not supported for them. Desktop Windows takes BI_RGB as 5-5-5 and
  // 8-8-8.
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 2;
  info.bmiHeader.biHeight = 2;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 16;
  info.bmiHeader.biCompression = BI_RGB;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
#if FOLDWISE_DESKTOP_WINDOWS
  EXPECT_NE(dib, nullptr);
  DeleteObject(dib);
#else
  EXPECT_EQ(dib, nullptr);
#endif
}

TEST_F(GdiConformance, StretchBltScalesAndConvertsRealPixels) {
  // A 4 x 2 picture of 2 x 2 blocks, 24 bits, shrunk into 2 x 1 and enlarged into 8 x 4 at 5-6-5.
  void* from = nullptr;
  HBITMAP source = Dib24(4, -2, &from);
  uint8_t* p = static_cast<uint8_t*>(from);
  const int stride = 12;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      uint8_t* px = p + y * stride + 3 * x;
      if (x < 2) {
        px[0] = 0x10, px[1] = 0x20, px[2] = 0x30;  // blue, green, red bytes
      } else {
        px[0] = 0x00, px[1] = 0x00, px[2] = 0xF8;
      }
    }
  }
  void* small = nullptr;
  HBITMAP shrunk = MaskedDib(2, -1, 16, 0xF800, 0x07E0, 0x001F, &small);
  void* big = nullptr;
  HBITMAP enlarged = MaskedDib(8, -4, 16, 0xF800, 0x07E0, 0x001F, &big);
  HDC s = CreateCompatibleDC(nullptr);
  HDC d = CreateCompatibleDC(nullptr);
  HGDIOBJ sPrevious = SelectObject(s, source);
  HGDIOBJ dPrevious = SelectObject(d, shrunk);
  EXPECT_TRUE(StretchBlt(d, 0, 0, 2, 1, s, 0, 0, 4, 2, SRCCOPY));
  const uint16_t* q = static_cast<const uint16_t*>(small);
  EXPECT_EQ(q[0], 0x3102u);
  EXPECT_EQ(q[1], 0xF800u);
  SelectObject(d, enlarged);
  EXPECT_TRUE(StretchBlt(d, 0, 0, 8, 4, s, 0, 0, 4, 2, SRCCOPY));
  const uint16_t* r = static_cast<const uint16_t*>(big);
  EXPECT_EQ(r[0], 0x3102u);
  EXPECT_EQ(r[3], 0x3102u);
  EXPECT_EQ(r[4], 0xF800u);
  EXPECT_EQ(r[3 * 8 + 7], 0xF800u);
  SelectObject(d, dPrevious);
  SelectObject(s, sPrevious);
  DeleteDC(d);
  DeleteDC(s);
  DeleteObject(source);
  DeleteObject(shrunk);
  DeleteObject(enlarged);
}

TEST_F(GdiConformance, CreateBitmapOfADibSectionsPixels) {
  void* pixels = nullptr;
  HBITMAP dib = MaskedDib(136, -3, 16, 0xF800, 0x07E0, 0x001F, &pixels);
  BITMAP t;
  GetObjectW(dib, sizeof t, &t);
  HBITMAP copy = CreateBitmap(t.bmWidth, t.bmHeight, t.bmPlanes, t.bmBitsPixel, t.bmBits);
  ASSERT_NE(copy, nullptr);
  BITMAP bm;
  ASSERT_EQ(GetObjectW(copy, sizeof bm, &bm), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(bm.bmWidth, 136);
  EXPECT_EQ(bm.bmHeight, 3);
  EXPECT_EQ(bm.bmBitsPixel, 16);
  EXPECT_EQ(bm.bmWidthBytes, 272);  // rows padded to 16 bits
  EXPECT_EQ(bm.bmBits, nullptr);
  EXPECT_TRUE(DeleteObject(copy));
  EXPECT_TRUE(DeleteObject(dib));
}

TEST_F(GdiConformance, ABitmapSelectedIntoADcStaysUntilSelectedOut) {
  HBITMAP bitmap = Dib565(2, 2, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  // Windows CE (DeleteObject): zero when the handle is selected into a device context; desktop
  // Windows reports success and deletes the bitmap once it is selected out.
#if FOLDWISE_DESKTOP_WINDOWS
  EXPECT_TRUE(DeleteObject(bitmap));
#else
  EXPECT_FALSE(DeleteObject(bitmap));
#endif
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(SelectObject(dc, previous), bitmap);
#if !FOLDWISE_DESKTOP_WINDOWS
  EXPECT_TRUE(DeleteObject(bitmap));
#endif
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_FALSE(DeleteObject(bitmap));
}

TEST_F(GdiConformance, DeletingADcFreesItsBitmap) {
  HBITMAP bitmap = Dib565(2, 2, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bitmap);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
}

// ---------------------------------------------------------------------------------------------
// The Static control showing a bitmap.

int lastCommandId = 0;
int lastCommandCode = -1;
LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    lastCommandId = LOWORD(wParam);
    lastCommandCode = HIWORD(wParam);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class StaticConformance : public GdiConformance {
 protected:
  void SetUp() override {
    GdiConformance::SetUp();
    WNDCLASSW cls;
    std::memset(&cls, 0, sizeof cls);
    cls.lpfnWndProc = &ParentProc;
    cls.lpszClassName = TEXT("ConformanceParent");
    RegisterClassW(&cls);
    parent = CreateWindowExW(0, TEXT("ConformanceParent"), TEXT("parent"), WS_POPUP | WS_VISIBLE, 0, 0, 300, 300,
                             nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    lastCommandId = 0;
    lastCommandCode = -1;
  }
  void TearDown() override { DestroyWindow(parent); }

  HWND Overlay(DWORD style) const {
    return CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE, TEXT("Static"), nullptr,
                           WS_CHILD | WS_BORDER | SS_BITMAP | style, 10, 10, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(65520)), nullptr, nullptr);
  }

  HWND parent = nullptr;
};

TEST_F(StaticConformance, SetImageHandsBackThePreviousBitmapAndSizesTheControl) {
  HWND overlay = Overlay(0);
  ASSERT_NE(overlay, nullptr);
  HBITMAP first = Dib565(40, 30, nullptr);
  HBITMAP second = Dib565(21, 11, nullptr);
  EXPECT_EQ(SendMessageW(overlay, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
  RECT r;
  GetWindowRect(overlay, &r);
  EXPECT_EQ(r.right - r.left, 40);
  EXPECT_EQ(r.bottom - r.top, 30);
  EXPECT_EQ(SendMessageW(overlay, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
            reinterpret_cast<LRESULT>(first));
  EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP));  // not deleted by the control
  EXPECT_EQ(SendMessageW(overlay, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(second));
  // What is no bitmap is refused, and the bitmap stays.
  EXPECT_EQ(SendMessageW(overlay, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(parent)), 0);
  EXPECT_EQ(SendMessageW(overlay, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(second));
  DestroyWindow(overlay);
  EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
  DeleteObject(first);
  DeleteObject(second);
}

TEST_F(StaticConformance, ATapOnANotifyingControlTellsTheParent) {
  HWND overlay = Overlay(SS_NOTIFY);
  SendMessageW(overlay, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(lastCommandId, 65520);
  EXPECT_EQ(lastCommandCode, STN_CLICKED);
  DestroyWindow(overlay);
}

TEST_F(StaticConformance, WithoutNotifyATapSaysNothing) {
  HWND overlay = Overlay(0);
  SendMessageW(overlay, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(lastCommandCode, -1);
  DestroyWindow(overlay);
}

TEST_F(StaticConformance, OnlyALayeredWindowTakesLayeredAttributes) {
  HWND overlay = Overlay(SS_NOTIFY);
  SetLastError(0);
  EXPECT_FALSE(SetLayeredWindowAttributes(overlay, 0, 255, LWA_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  // The overlay made layered, as the module does at the first tap: a child window.
  SetWindowLongW(overlay, GWL_EXSTYLE, WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE | WS_EX_LAYERED);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(overlay, GWL_EXSTYLE)), 0x08080200u);
  EXPECT_TRUE(SetLayeredWindowAttributes(overlay, 0, 223, LWA_ALPHA));
  EXPECT_TRUE(SetLayeredWindowAttributes(overlay, 0, 95, LWA_ALPHA));
  DestroyWindow(overlay);
}

}  // namespace
