// The GDI against the platform's documented behaviour, on real pixels: memory device contexts and
// their default bitmap, selecting objects (a bitmap into one DC at a time), DIB sections of every
// depth the device takes (bit fields for 16 and 32 bits), device-dependent bitmaps with rows padded
// to 16 bits, GetObjectW, deleting selected, stock and stale objects, BitBlt and StretchBlt between
// formats and sizes with the stretching modes and raster operations, single pixels, and the live
// object counts and pixel memory that automation reads.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "dib_sections.h"

namespace {

using foldwise_test::Dib24;
using foldwise_test::Dib32;
using foldwise_test::Dib565;
using foldwise_test::RowOrder;

class GdiTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device.Boot()); }

  // A memory DC holding the bitmap; the previous object is kept for the clean-up.
  struct Selected {
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
  };
  static Selected Select(HBITMAP bitmap) {
    Selected s;
    s.dc = CreateCompatibleDC(nullptr);
    s.previous = SelectObject(s.dc, bitmap);
    return s;
  }
  static void Release(const Selected& s) {
    SelectObject(s.dc, s.previous);
    DeleteDC(s.dc);
  }

  static uint16_t* Pixels16(void* bits) { return static_cast<uint16_t*>(bits); }

  static cesim::GdiObjectCounts Counts() { return cesim::LiveGdiObjects(); }
  static void ExpectNoObjects() {
    const cesim::GdiObjectCounts counts = Counts();
    EXPECT_EQ(counts.deviceContexts, 0u);
    EXPECT_EQ(counts.bitmaps, 0u);
    EXPECT_EQ(counts.others, 0u);
    EXPECT_EQ(cesim::ReadBitmapMemory().liveBytes, 0u);
  }

  foldwise_test::BootedDevice device;
};

// ---------------------------------------------------------------------------------------------
// Memory and window device contexts.

TEST_F(GdiTest, MemoryDcsStartWithTheSharedOneByOneMonochromeBitmap) {
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(a);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(GetObjectType(a), static_cast<DWORD>(OBJ_MEMDC));
  HGDIOBJ stock = GetCurrentObject(a, OBJ_BITMAP);
  EXPECT_EQ(GetCurrentObject(b, OBJ_BITMAP), stock);
  BITMAP bm = {};
  ASSERT_EQ(GetObjectW(stock, sizeof bm, &bm), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmPlanes, 1);
  EXPECT_EQ(bm.bmBits, nullptr);
  EXPECT_EQ(GetCurrentObject(a, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(a, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(Counts().deviceContexts, 2u);
  EXPECT_EQ(Counts().bitmaps, 0u);  // the default bitmap is the device's, not counted
  EXPECT_TRUE(DeleteDC(a));
  EXPECT_TRUE(DeleteDC(b));
  ExpectNoObjects();
}

TEST_F(GdiTest, StaleAndForeignDcsFail) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_TRUE(DeleteDC(dc));
  SetLastError(0);
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(CreateCompatibleDC(dc), nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 0);
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_BRUSH)), nullptr);
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 16, nullptr);
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(bitmap)));  // a bitmap is no DC
  EXPECT_TRUE(DeleteObject(bitmap));
  ExpectNoObjects();
}

TEST_F(GdiTest, WindowDcsDescribeTheDisplayAndGoBackWithReleaseDc) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 16);
  EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 240);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 320);
  EXPECT_EQ(GetDeviceCaps(screen, TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
  EXPECT_EQ(GetCurrentObject(screen, OBJ_BITMAP), nullptr);
  // A DC of GetDC is not deleted, it is released, once, by the window it came from.
  EXPECT_FALSE(DeleteDC(screen));
  HWND window = CreateWindowExW(0, u"Static", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HDC own = GetDC(window);
  EXPECT_EQ(ReleaseDC(window, screen), 0);
  EXPECT_EQ(Counts().deviceContexts, 2u);  // a DC not released shows as a leak
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
  EXPECT_EQ(ReleaseDC(window, own), 1);
  DestroyWindow(window);
  SetLastError(0);
  EXPECT_EQ(GetDC(window), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  ExpectNoObjects();
}

TEST(GdiDisplayTest, TheDisplayDepthComesFromTheImage) {
  foldwise_test::BootedDevice device;
  device.image.SetScreenDepth(32);
  ASSERT_TRUE(device.Boot());
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 2, 2);
  BITMAP bm = {};
  GetObjectW(bitmap, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidthBytes, 8);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
}

// ---------------------------------------------------------------------------------------------
// Selecting objects.

TEST_F(GdiTest, SelectObjectGivesThePreviousObjectAndABitmapGoesIntoOneDcAtATime) {
  HBITMAP bitmap = Dib565(4, 4, RowOrder::TopDown, nullptr);
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(nullptr);
  HGDIOBJ stock = GetCurrentObject(a, OBJ_BITMAP);
  EXPECT_EQ(SelectObject(a, bitmap), stock);
  EXPECT_EQ(SelectObject(a, bitmap), bitmap);  // already there: nothing changes
  EXPECT_EQ(SelectObject(b, bitmap), nullptr);
  EXPECT_EQ(GetCurrentObject(b, OBJ_BITMAP), stock);
  EXPECT_EQ(GetCurrentObject(a, OBJ_BITMAP), bitmap);
  // Once out of the first DC, the second may take it.
  EXPECT_EQ(SelectObject(a, stock), bitmap);
  EXPECT_EQ(SelectObject(b, bitmap), stock);
  EXPECT_EQ(SelectObject(b, stock), bitmap);
  // Bitmaps go only into memory DCs.
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(SelectObject(screen, bitmap), nullptr);
  ReleaseDC(nullptr, screen);
  // What is no object cannot be selected; a DC is no object to select.
  SetLastError(0);
  EXPECT_EQ(SelectObject(a, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(SelectObject(a, b), nullptr);
  DeleteDC(a);
  DeleteDC(b);
  EXPECT_TRUE(DeleteObject(bitmap));
  ExpectNoObjects();
}

TEST_F(GdiTest, BrushesSwapAndASelectedBrushIsNotDeleted) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  EXPECT_EQ(Counts().others, 1u);
  EXPECT_EQ(SelectObject(dc, red), GetStockObject(WHITE_BRUSH));
  EXPECT_FALSE(DeleteObject(red));
  EXPECT_EQ(GetObjectType(red), static_cast<DWORD>(OBJ_BRUSH));
  LOGBRUSH lb = {};
  ASSERT_EQ(GetObjectW(red, sizeof lb, &lb), static_cast<int>(sizeof(LOGBRUSH)));
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(lb.lbColor, RGB(255, 0, 0));
  EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), red);
  EXPECT_TRUE(DeleteObject(red));
  DeleteDC(dc);
  ExpectNoObjects();
}

// ---------------------------------------------------------------------------------------------
// Deleting objects.

TEST_F(GdiTest, ASelectedBitmapIsNotDeletedUntilItIsSelectedOut) {
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
  SelectObject(dc, previous);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  DeleteDC(dc);
  ExpectNoObjects();
}

TEST_F(GdiTest, DeletingADcLetsGoOfItsBitmap) {
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 16, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bitmap);
  ASSERT_TRUE(DeleteDC(dc));
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_NE(SelectObject(other, bitmap), nullptr);  // free for another DC
  DeleteDC(other);
  EXPECT_TRUE(DeleteObject(bitmap));
  ExpectNoObjects();
}

TEST_F(GdiTest, StaleHandlesFailAndStockObjectsOutliveDeletion) {
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 16, nullptr);
  ASSERT_TRUE(DeleteObject(bitmap));
  SetLastError(0);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  BITMAP bm = {};
  bm.bmWidth = 77;
  EXPECT_EQ(GetObjectW(bitmap, sizeof bm, &bm), 0);
  EXPECT_EQ(bm.bmWidth, 77);  // not written
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
  EXPECT_FALSE(DeleteObject(nullptr));
  // Deleting a stock object does nothing and succeeds.
  HGDIOBJ black = GetStockObject(BLACK_BRUSH);
  EXPECT_TRUE(DeleteObject(black));
  EXPECT_EQ(GetObjectType(black), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(GetStockObject(BLACK_BRUSH), black);
  EXPECT_EQ(GetStockObject(99), nullptr);
  DeleteDC(dc);
  ExpectNoObjects();
}

// ---------------------------------------------------------------------------------------------
// DIB sections.

TEST_F(GdiTest, BitFieldDibSectionGivesItsPixelsTopDown) {
  void* bits = nullptr;
  HBITMAP dib = Dib565(3, 2, RowOrder::TopDown, &bits);
  ASSERT_NE(dib, nullptr);
  ASSERT_NE(bits, nullptr);
  DIBSECTION ds = {};
  ASSERT_EQ(GetObjectW(dib, sizeof ds, &ds), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(ds.dsBm.bmWidth, 3);
  EXPECT_EQ(ds.dsBm.bmHeight, 2);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 8);  // rows padded to 32 bits
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 16);
  EXPECT_EQ(ds.dsBm.bmBits, bits);
  EXPECT_EQ(ds.dsBmih.biHeight, 2);  // positive whatever the row order
  EXPECT_EQ(ds.dsBmih.biCompression, static_cast<DWORD>(BI_BITFIELDS));
  EXPECT_EQ(ds.dsBmih.biSizeImage, 16u);
  EXPECT_EQ(ds.dsBitfields[0], 0xF800u);
  EXPECT_EQ(ds.dsBitfields[1], 0x07E0u);
  EXPECT_EQ(ds.dsBitfields[2], 0x001Fu);
  EXPECT_EQ(ds.dshSection, nullptr);
  // Pixels start zeroed; the first stored row is the top row.
  uint16_t* p = Pixels16(bits);
  EXPECT_EQ(p[0], 0u);
  p[0] = 0xF800;  // (0, 0) red
  p[4 + 2] = 0x001F;  // (2, 1) blue, in the second row of four words
  GdiTest::Selected s = Select(dib);
  EXPECT_EQ(GetPixel(s.dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(s.dc, 2, 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(s.dc, 3, 0), CLR_INVALID);  // the row's padding is no pixel
  Release(s);
  EXPECT_TRUE(DeleteObject(dib));
  ExpectNoObjects();
}

TEST_F(GdiTest, BottomUpDibSectionStoresTheBottomRowFirst) {
  void* bits = nullptr;
  HBITMAP dib = Dib24(2, 3, RowOrder::BottomUp, &bits);
  ASSERT_NE(dib, nullptr);
  uint8_t* p = static_cast<uint8_t*>(bits);
  // Stored row 0, pixel 0: blue, green, red bytes.
  p[0] = 0x10;
  p[1] = 0x20;
  p[2] = 0x30;
  GdiTest::Selected s = Select(dib);
  EXPECT_EQ(GetPixel(s.dc, 0, 2), RGB(0x30, 0x20, 0x10));
  EXPECT_EQ(GetPixel(s.dc, 0, 0), RGB(0, 0, 0));
  Release(s);
  DeleteObject(dib);
  ExpectNoObjects();
}

TEST_F(GdiTest, PalettizedDibSectionsOfOneTwoFourAndEightBits) {
  const int depths[] = {1, 2, 4, 8};
  for (int depth : depths) {
    SCOPED_TRACE(depth);
    foldwise_test::DibDescription d = foldwise_test::Describe(9, 1, depth, BI_RGB, RowOrder::TopDown);
    d.header.biClrUsed = 2;  // a short table: the other entries are black
    d.colors[0] = RGBQUAD{0, 0, 255, 0};  // red
    d.colors[1] = RGBQUAD{255, 0, 0, 0};  // blue
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    DIBSECTION ds = {};
    GetObjectW(dib, sizeof ds, &ds);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, foldwise_test::DibStrideBytes(9, depth));
    EXPECT_EQ(ds.dsBmih.biClrUsed, static_cast<DWORD>(1u << depth));
    GdiTest::Selected s = Select(dib);
    // Pixel 8 is the ninth; give it index 1 through SetPixel, which picks the nearest entry.
    EXPECT_EQ(SetPixel(s.dc, 8, 0, RGB(0, 0, 250)), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(s.dc, 8, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(s.dc, 0, 0), RGB(255, 0, 0));  // index 0
    Release(s);
    DeleteObject(dib);
  }
  ExpectNoObjects();
}

TEST_F(GdiTest, DibSectionDescriptionsTheDeviceRefuses) {
  struct Case {
    const char* what;
    int width, height, bits;
    DWORD compression;
    DWORD masks[3];
  };
  const Case cases[] = {
      {"16 bits without masks (the device needs BI_BITFIELDS)", 4, 4, 16, BI_RGB, {0, 0, 0}},
      {"32 bits without masks", 4, 4, 32, BI_RGB, {0, 0, 0}},
      {"a zero mask", 4, 4, 16, BI_BITFIELDS, {0xF800, 0, 0x1F}},
      {"bit fields at 24 bits", 4, 4, 24, BI_BITFIELDS, {0xFF0000, 0xFF00, 0xFF}},
      {"bit fields at 8 bits", 4, 4, 8, BI_BITFIELDS, {0xE0, 0x1C, 0x03}},
      {"run-length compression", 4, 4, 8, BI_RLE8, {0, 0, 0}},
      {"no width", 0, 4, 16, BI_BITFIELDS, {0xF800, 0x7E0, 0x1F}},
      {"a negative width", -4, 4, 16, BI_BITFIELDS, {0xF800, 0x7E0, 0x1F}},
      {"no height", 4, 0, 16, BI_BITFIELDS, {0xF800, 0x7E0, 0x1F}},
      {"3 bits per pixel", 4, 4, 3, BI_RGB, {0, 0, 0}},
      {"no bits per pixel", 4, 4, 0, BI_RGB, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    foldwise_test::DibDescription d = foldwise_test::Describe(c.width, c.height, c.bits, c.compression, RowOrder::TopDown);
    d.SetMasks(c.masks[0], c.masks[1], c.masks[2]);
    void* bits = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
  }
  foldwise_test::DibDescription d = foldwise_test::Describe(4, 4, 24, BI_RGB, RowOrder::TopDown);
  void* bits = nullptr;
  d.header.biPlanes = 2;
  EXPECT_EQ(CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  d.header.biPlanes = 1;
  d.header.biSize = 20;
  EXPECT_EQ(CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  d.header.biSize = sizeof(BITMAPINFOHEADER);
  EXPECT_EQ(CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, &bits, reinterpret_cast<HANDLE>(8), 0), nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, d.Info(), DIB_PAL_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  // The same description with its planes right is taken, with or without a pixel pointer.
  HBITMAP dib = CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, nullptr, nullptr, 0);
  EXPECT_NE(dib, nullptr);
  DeleteObject(dib);
  ExpectNoObjects();
}

TEST_F(GdiTest, HugeBitmapsFailForWantOfMemory) {
  void* bits = reinterpret_cast<void*>(0x1234);
  SetLastError(0);
  EXPECT_EQ(Dib32(100000, 100000, RowOrder::TopDown, &bits), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(bits, nullptr);
  EXPECT_EQ(Dib565(0x7FFFFFFF, 2, RowOrder::TopDown, &bits), nullptr);
  EXPECT_EQ(CreateBitmap(60000, 60000, 1, 32, nullptr), nullptr);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(screen, 0x7FFFFFFF, 0x7FFFFFFF), nullptr);
  ReleaseDC(nullptr, screen);
  ExpectNoObjects();
  EXPECT_EQ(cesim::ReadBitmapMemory().peakBytes, 0u);
}

// ---------------------------------------------------------------------------------------------
// Device-dependent bitmaps.

TEST_F(GdiTest, CreateBitmapReadsRowsPaddedToSixteenBits) {
  // 3 x 2 at 16 bits: six bytes a row, no padding.
  const uint16_t words[] = {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x8410};
  HBITMAP b16 = CreateBitmap(3, 2, 1, 16, words);
  // 3 x 2 at 24 bits: nine bytes and one of padding a row.
  const uint8_t triples[] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0xEE, 255, 255, 255, 1, 2, 3, 4, 5, 6, 0xEE};
  HBITMAP b24 = CreateBitmap(3, 2, 1, 24, triples);
  // 3 x 2 at 1 bit: one byte and one of padding a row.
  const uint8_t mono[] = {0xA0, 0xFF, 0x40, 0xFF};
  HBITMAP b1 = CreateBitmap(3, 2, 1, 1, mono);
  BITMAP bm = {};
  GetObjectW(b16, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidthBytes, 6);
  EXPECT_EQ(bm.bmBits, nullptr);  // only DIB sections give their pixels away
  GetObjectW(b24, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidthBytes, 10);
  GetObjectW(b1, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidthBytes, 2);
  EXPECT_EQ(bm.bmBitsPixel, 1);

  GdiTest::Selected s = Select(b16);
  EXPECT_EQ(GetPixel(s.dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(s.dc, 2, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(s.dc, 0, 1), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(s.dc, 2, 1), RGB(132, 130, 132));
  SelectObject(s.dc, b24);
  EXPECT_EQ(GetPixel(s.dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(s.dc, 0, 1), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(s.dc, 2, 1), RGB(6, 5, 4));
  SelectObject(s.dc, b1);
  EXPECT_EQ(GetPixel(s.dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(s.dc, 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(s.dc, 2, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(s.dc, 1, 1), RGB(255, 255, 255));
  Release(s);
  DeleteObject(b16);
  DeleteObject(b24);
  DeleteObject(b1);
  ExpectNoObjects();
}

TEST_F(GdiTest, CreateBitmapSizesAndDepths) {
  // No width or height gives the default 1 x 1 monochrome bitmap.
  HBITMAP none = CreateBitmap(0, 5, 1, 16, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(none, GetCurrentObject(dc, OBJ_BITMAP));
  EXPECT_EQ(CreateBitmap(5, 0, 1, 16, nullptr), none);
  // Negative sizes count as positive.
  HBITMAP negative = CreateBitmap(-3, -2, 1, 16, nullptr);
  BITMAP bm = {};
  GetObjectW(negative, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 3);
  EXPECT_EQ(bm.bmHeight, 2);
  // The device keeps 2-bit bitmaps and rounds other depths up.
  HBITMAP two = CreateBitmap(4, 4, 1, 2, nullptr);
  GetObjectW(two, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 2);
  HBITMAP three = CreateBitmap(4, 4, 1, 3, nullptr);
  GetObjectW(three, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 4);
  HBITMAP twenty = CreateBitmap(4, 4, 1, 20, nullptr);
  GetObjectW(twenty, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 24);
  SetLastError(0);
  EXPECT_EQ(CreateBitmap(4, 4, 2, 16, nullptr), nullptr);  // one plane only
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(CreateBitmap(4, 4, 1, 33, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, 4, 1, 0, nullptr), nullptr);
  EXPECT_TRUE(DeleteObject(none));  // the default bitmap is a stock object
  EXPECT_EQ(GetObjectType(none), static_cast<DWORD>(OBJ_BITMAP));
  for (HBITMAP b : {negative, two, three, twenty}) EXPECT_TRUE(DeleteObject(b));
  DeleteDC(dc);
  ExpectNoObjects();
}

TEST_F(GdiTest, ABitmapMadeWithoutBitsHoldsNoZeros) {
  // The platform leaves its contents undefined; they are not the zeros a caller might count on.
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 16, nullptr);
  std::optional<cesim::BitmapPixels> pixels = cesim::ReadBitmap(bitmap);
  ASSERT_TRUE(pixels);
  EXPECT_NE(pixels->At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(pixels->At(0, 0), pixels->At(1, 1));
  DeleteObject(bitmap);
}

TEST_F(GdiTest, CreateCompatibleBitmapTakesTheFormatOfItsDc) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAP bm = {};
  // A fresh memory DC holds a monochrome bitmap: so is the new one.
  HBITMAP mono = CreateCompatibleBitmap(dc, 5, 3);
  GetObjectW(mono, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidth, 5);
  // A window DC makes bitmaps of the display's format.
  HDC screen = GetDC(nullptr);
  HBITMAP display = CreateCompatibleBitmap(screen, 5, 3);
  GetObjectW(display, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 16);
  EXPECT_EQ(bm.bmWidthBytes, 10);
  // A DC holding a DIB section makes DIB sections of its format.
  HBITMAP dib = Dib565(2, 2, RowOrder::TopDown, nullptr);
  HGDIOBJ previous = SelectObject(dc, dib);
  HBITMAP compatible = CreateCompatibleBitmap(dc, 3, 3);
  DIBSECTION ds = {};
  ASSERT_EQ(GetObjectW(compatible, sizeof ds, &ds), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 16);
  EXPECT_EQ(ds.dsBitfields[1], 0x07E0u);
  EXPECT_NE(ds.dsBm.bmBits, nullptr);
  // No size gives the default bitmap; a stale DC nothing.
  EXPECT_EQ(CreateCompatibleBitmap(dc, 0, 0), previous);
  SelectObject(dc, previous);
  DeleteDC(dc);
  EXPECT_EQ(CreateCompatibleBitmap(dc, 4, 4), nullptr);
  ReleaseDC(nullptr, screen);
  for (HBITMAP b : {mono, display, dib, compatible}) EXPECT_TRUE(DeleteObject(b));
  ExpectNoObjects();
}

TEST_F(GdiTest, GetObjectGivesWhatTheBufferHoldsRoom) {
  HBITMAP ddb = CreateBitmap(2, 2, 1, 16, nullptr);
  HBITMAP dib = Dib565(2, 2, RowOrder::TopDown, nullptr);
  EXPECT_EQ(GetObjectW(ddb, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(GetObjectW(dib, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
  BITMAP bm = {};
  EXPECT_EQ(GetObjectW(ddb, sizeof bm - 1, &bm), 0);
  DIBSECTION ds = {};
  // A device-dependent bitmap has no DIB description, whatever room there is.
  EXPECT_EQ(GetObjectW(ddb, sizeof ds, &ds), static_cast<int>(sizeof(BITMAP)));
  // A DIB section gives only its BITMAP when the buffer holds no more.
  EXPECT_EQ(GetObjectW(dib, sizeof bm, &bm), static_cast<int>(sizeof(BITMAP)));
  EXPECT_NE(bm.bmBits, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetObjectW(dc, sizeof bm, &bm), 0);
  DeleteDC(dc);
  DeleteObject(ddb);
  DeleteObject(dib);
  ExpectNoObjects();
}

// ---------------------------------------------------------------------------------------------
// Transfers on real pixels.

TEST_F(GdiTest, BitBltConvertsTriplesToFiveSixFive) {
  void* from = nullptr;
  void* to = nullptr;
  HBITMAP source = Dib24(4, 1, RowOrder::TopDown, &from);
  HBITMAP target = Dib565(4, 1, RowOrder::TopDown, &to);
  const uint8_t bgr[] = {0x10, 0x20, 0x30, 0xFF, 0xFF, 0xFF, 0x07, 0x03, 0xF8, 0x80, 0x80, 0x80};
  std::memcpy(from, bgr, sizeof bgr);
  GdiTest::Selected s = Select(source), d = Select(target);
  EXPECT_TRUE(BitBlt(d.dc, 0, 0, 4, 1, s.dc, 0, 0, SRCCOPY));
  const uint16_t* p = Pixels16(to);
  EXPECT_EQ(p[0], 0x3102u);
  EXPECT_EQ(p[1], 0xFFFFu);
  EXPECT_EQ(p[2], 0xF800u);
  EXPECT_EQ(p[3], 0x8410u);
  // And back: five and six bits widen by repeating their top bits.
  std::memset(from, 0, 12);
  EXPECT_TRUE(BitBlt(s.dc, 0, 0, 4, 1, d.dc, 0, 0, SRCCOPY));
  const uint8_t* q = static_cast<const uint8_t*>(from);
  EXPECT_EQ(q[3 * 2 + 2], 0xFFu);  // red of 0xF800
  EXPECT_EQ(q[3 * 3 + 0], 132u);   // blue of 0x8410
  EXPECT_EQ(q[3 * 3 + 1], 130u);   // green of 0x8410
  Release(s);
  Release(d);
  DeleteObject(source);
  DeleteObject(target);
  ExpectNoObjects();
}

TEST_F(GdiTest, StretchBltEnlargesByRepeatingPixels) {
  void* from = nullptr;
  void* to = nullptr;
  HBITMAP source = Dib565(2, 2, RowOrder::BottomUp, &from);
  HBITMAP target = Dib32(4, 4, RowOrder::TopDown, &to);
  GdiTest::Selected s = Select(source), d = Select(target);
  SetPixel(s.dc, 0, 0, RGB(255, 0, 0));
  SetPixel(s.dc, 1, 0, RGB(0, 255, 0));
  SetPixel(s.dc, 0, 1, RGB(0, 0, 255));
  SetPixel(s.dc, 1, 1, RGB(255, 255, 255));
  EXPECT_TRUE(StretchBlt(d.dc, 0, 0, 4, 4, s.dc, 0, 0, 2, 2, SRCCOPY));
  std::optional<cesim::BitmapPixels> out = cesim::ReadBitmap(target);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(out->At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(out->At(2, 0), RGB(0, 255, 0));
  EXPECT_EQ(out->At(3, 1), RGB(0, 255, 0));
  EXPECT_EQ(out->At(0, 3), RGB(0, 0, 255));
  EXPECT_EQ(out->At(3, 3), RGB(255, 255, 255));
  // The stored 32-bit pixel has the masks' layout.
  EXPECT_EQ(static_cast<uint32_t*>(to)[0], 0x00FF0000u);
  Release(s);
  Release(d);
  DeleteObject(source);
  DeleteObject(target);
  ExpectNoObjects();
}

TEST_F(GdiTest, StretchBltShrinksInTheStretchingModeOfTheDestination) {
  void* from = nullptr;
  HBITMAP source = Dib24(5, 1, RowOrder::TopDown, &from);
  uint8_t* p = static_cast<uint8_t*>(from);
  for (int i = 0; i < 5; ++i) p[3 * i] = p[3 * i + 1] = p[3 * i + 2] = static_cast<uint8_t>(i * 50);
  void* to = nullptr;
  HBITMAP target = Dib24(3, 1, RowOrder::TopDown, &to);
  GdiTest::Selected s = Select(source), d = Select(target);
  const uint8_t* q = static_cast<const uint8_t*>(to);
  // The default, BLACKONWHITE, ANDs the pixels that fall together: 0 & 50, 100, 150 & 200.
  EXPECT_EQ(GetStretchBltMode(d.dc), BLACKONWHITE);
  EXPECT_TRUE(StretchBlt(d.dc, 0, 0, 3, 1, s.dc, 0, 0, 5, 1, SRCCOPY));
  EXPECT_EQ(q[0], 0u);
  EXPECT_EQ(q[3], 100u);
  EXPECT_EQ(q[6], 150u & 200u);
  // WHITEONBLACK ORs them.
  EXPECT_EQ(SetStretchBltMode(d.dc, WHITEONBLACK), BLACKONWHITE);
  EXPECT_TRUE(StretchBlt(d.dc, 0, 0, 3, 1, s.dc, 0, 0, 5, 1, SRCCOPY));
  EXPECT_EQ(q[0], 0u | 50u);
  EXPECT_EQ(q[6], 150u | 200u);
  // COLORONCOLOR keeps the pixel under each centre and drops the others.
  EXPECT_EQ(SetStretchBltMode(d.dc, COLORONCOLOR), WHITEONBLACK);
  EXPECT_TRUE(StretchBlt(d.dc, 0, 0, 3, 1, s.dc, 0, 0, 5, 1, SRCCOPY));
  EXPECT_EQ(q[0], 0u);
  EXPECT_EQ(q[3], 100u);
  EXPECT_EQ(q[6], 200u);
  // Modes the device does not have are refused.
  SetLastError(0);
  EXPECT_EQ(SetStretchBltMode(d.dc, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetStretchBltMode(d.dc), COLORONCOLOR);
  Release(s);
  Release(d);
  DeleteObject(source);
  DeleteObject(target);
  ExpectNoObjects();
}

TEST_F(GdiTest, NegativeExtentsMirrorAndTransfersAreClippedToBothBitmaps) {
  void* from = nullptr;
  void* to = nullptr;
  HBITMAP source = Dib24(3, 1, RowOrder::TopDown, &from);
  HBITMAP target = Dib24(4, 1, RowOrder::TopDown, &to);
  uint8_t* p = static_cast<uint8_t*>(from);
  for (int i = 0; i < 3; ++i) p[3 * i + 2] = static_cast<uint8_t>(10 * (i + 1));  // red 10, 20, 30
  GdiTest::Selected s = Select(source), d = Select(target);
  const uint8_t* q = static_cast<const uint8_t*>(to);
  // A negative destination width reaches left of its origin and mirrors the picture.
  EXPECT_TRUE(StretchBlt(d.dc, 3, 0, -3, 1, s.dc, 0, 0, 3, 1, SRCCOPY));
  EXPECT_EQ(q[2], 30u);
  EXPECT_EQ(q[3 + 2], 20u);
  EXPECT_EQ(q[6 + 2], 10u);
  EXPECT_EQ(q[9 + 2], 0u);
  // Beyond the destination's edge nothing is written; beyond the source's, nothing is taken.
  std::memset(to, 0, 12);
  EXPECT_TRUE(BitBlt(d.dc, 2, 0, 3, 1, s.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(q[6 + 2], 10u);
  EXPECT_EQ(q[9 + 2], 20u);
  std::memset(to, 0xEE, 12);
  EXPECT_TRUE(BitBlt(d.dc, 0, 0, 4, 1, s.dc, 1, 0, SRCCOPY));
  EXPECT_EQ(q[2], 20u);
  EXPECT_EQ(q[3 + 2], 30u);
  EXPECT_EQ(q[6 + 2], 0xEEu);  // source pixel 3 does not exist: left alone
  // Nothing to draw is no failure; no source to read from is.
  EXPECT_TRUE(BitBlt(d.dc, 0, 0, 0, 1, s.dc, 0, 0, SRCCOPY));
  EXPECT_FALSE(StretchBlt(d.dc, 0, 0, 2, 1, s.dc, 0, 0, 0, 1, SRCCOPY));
  Release(s);
  Release(d);
  DeleteObject(source);
  DeleteObject(target);
  ExpectNoObjects();
}

TEST_F(GdiTest, RasterOperationsCombinePatternSourceAndDestination) {
  void* from = nullptr;
  void* to = nullptr;
  HBITMAP source = Dib565(1, 1, RowOrder::TopDown, &from);
  HBITMAP target = Dib565(1, 1, RowOrder::TopDown, &to);
  GdiTest::Selected s = Select(source), d = Select(target);
  uint16_t& src = Pixels16(from)[0];
  uint16_t& dst = Pixels16(to)[0];
  struct Case {
    DWORD rop;
    uint16_t expected;
  };
  src = 0xF0F0;
  const Case cases[] = {{SRCCOPY, 0xF0F0},          {SRCAND, 0xF0F0 & 0xFF00}, {SRCPAINT, 0xF0F0 | 0xFF00},
                        {SRCINVERT, 0xF0F0 ^ 0xFF00}, {NOTSRCCOPY, 0x0F0F},      {DSTINVERT, 0x00FF},
                        {BLACKNESS, 0x0000},         {WHITENESS, 0xFFFF},       {SRCERASE, 0xF0F0 & 0x00FF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rop);
    dst = 0xFF00;
    EXPECT_TRUE(BitBlt(d.dc, 0, 0, 1, 1, s.dc, 0, 0, c.rop));
    EXPECT_EQ(dst, c.expected);
  }
  // PATCOPY paints the DC's brush.
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  HGDIOBJ brush = SelectObject(d.dc, green);
  EXPECT_TRUE(BitBlt(d.dc, 0, 0, 1, 1, nullptr, 0, 0, PATCOPY));
  EXPECT_EQ(dst, 0x07E0u);
  SelectObject(d.dc, brush);
  DeleteObject(green);
  Release(s);
  Release(d);
  DeleteObject(source);
  DeleteObject(target);
  ExpectNoObjects();
}

TEST_F(GdiTest, MonochromeBitmapsUseTheTextAndBackgroundColours) {
  // Into monochrome: the background colour (white) gives 1, every other colour 0.
  HBITMAP mono = CreateBitmap(3, 1, 1, 1, nullptr);
  HBITMAP colour = Dib24(3, 1, RowOrder::TopDown, nullptr);
  GdiTest::Selected m = Select(mono), c = Select(colour);
  SetPixel(c.dc, 0, 0, RGB(255, 255, 255));
  SetPixel(c.dc, 1, 0, RGB(250, 250, 250));
  SetPixel(c.dc, 2, 0, RGB(0, 0, 0));
  EXPECT_TRUE(BitBlt(m.dc, 0, 0, 3, 1, c.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(m.dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(m.dc, 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(m.dc, 2, 0), RGB(0, 0, 0));
  // Out of monochrome: 0 is the text colour (black), 1 the background colour (white).
  EXPECT_TRUE(BitBlt(c.dc, 0, 0, 3, 1, m.dc, 0, 0, NOTSRCCOPY));
  EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(c.dc, 1, 0), RGB(255, 255, 255));
  Release(m);
  Release(c);
  DeleteObject(mono);
  DeleteObject(colour);
  ExpectNoObjects();
}

TEST_F(GdiTest, ATransferWithinOneBitmapReadsThePictureAsItWas) {
  HBITMAP bitmap = Dib24(4, 1, RowOrder::TopDown, nullptr);
  GdiTest::Selected s = Select(bitmap);
  for (int x = 0; x < 4; ++x) SetPixel(s.dc, x, 0, RGB(10 * (x + 1), 0, 0));
  EXPECT_TRUE(BitBlt(s.dc, 1, 0, 3, 1, s.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(s.dc, 1, 0), RGB(10, 0, 0));
  EXPECT_EQ(GetPixel(s.dc, 2, 0), RGB(20, 0, 0));
  EXPECT_EQ(GetPixel(s.dc, 3, 0), RGB(30, 0, 0));
  Release(s);
  DeleteObject(bitmap);
  ExpectNoObjects();
}

TEST_F(GdiTest, WindowDcsKeepNothingAndGiveNothing) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = Dib24(2, 2, RowOrder::TopDown, nullptr);
  GdiTest::Selected s = Select(bitmap);
  EXPECT_TRUE(BitBlt(screen, 0, 0, 2, 2, s.dc, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(s.dc, 0, 0, 2, 2, screen, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(screen, 0, 0), CLR_INVALID);
  // Nor does the read-only default bitmap of a fresh memory DC change.
  HDC fresh = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SetPixel(fresh, 0, 0, RGB(255, 255, 255)), CLR_INVALID);
  EXPECT_TRUE(BitBlt(fresh, 0, 0, 1, 1, nullptr, 0, 0, WHITENESS));
  EXPECT_EQ(GetPixel(fresh, 0, 0), RGB(0, 0, 0));
  DeleteDC(fresh);
  Release(s);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  ExpectNoObjects();
}

TEST_F(GdiTest, PixelsAndRectanglesOnTheSelectedBitmap) {
  HBITMAP bitmap = Dib565(4, 4, RowOrder::TopDown, nullptr);
  GdiTest::Selected s = Select(bitmap);
  // SetPixel gives the colour the bitmap can hold.
  EXPECT_EQ(SetPixel(s.dc, 1, 1, RGB(0x31, 0x32, 0x33)), RGB(0x31, 0x30, 0x31));
  EXPECT_EQ(SetPixel(s.dc, 4, 0, RGB(1, 2, 3)), CLR_INVALID);
  EXPECT_EQ(SetPixel(s.dc, -1, 0, RGB(1, 2, 3)), CLR_INVALID);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT r = {2, 2, 10, 10};
  EXPECT_NE(FillRect(s.dc, &r, blue), 0);
  EXPECT_EQ(GetPixel(s.dc, 3, 3), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(s.dc, 1, 3), RGB(0, 0, 0));
  EXPECT_EQ(FillRect(s.dc, &r, nullptr), 0);
  DeleteObject(blue);
  Release(s);
  DeleteObject(bitmap);
  ExpectNoObjects();
}

// ---------------------------------------------------------------------------------------------
// Counts and pixel memory.

TEST_F(GdiTest, PixelMemoryIsCountedLiveAndAtItsPeak) {
  EXPECT_EQ(cesim::ReadBitmapMemory().liveBytes, 0u);
  HBITMAP a = Dib565(100, 10, RowOrder::TopDown, nullptr);  // 200 bytes a row
  HBITMAP b = CreateBitmap(3, 2, 1, 16, nullptr);            // 6 bytes a row
  EXPECT_EQ(cesim::ReadBitmapMemory().liveBytes, 2000u + 12u);
  DeleteObject(a);
  EXPECT_EQ(cesim::ReadBitmapMemory().liveBytes, 12u);
  EXPECT_EQ(cesim::ReadBitmapMemory().peakBytes, 2012u);
  cesim::ResetPeakBitmapMemory();
  EXPECT_EQ(cesim::ReadBitmapMemory().peakBytes, 12u);
  DeleteObject(b);
  ExpectNoObjects();
}

TEST_F(GdiTest, TheScalingStepsOfAPreviewLeaveNothingBehind) {
  // The steps a preview takes: a loaded picture into one memory DC, a 5-6-5 target into another,
  // the stretch, a device-dependent copy; then everything but the copy released in order.
  void* picturePixels = nullptr;
  HBITMAP picture = Dib565(8, 6, RowOrder::BottomUp, &picturePixels);
  for (int i = 0; i < 8 * 6; ++i) Pixels16(picturePixels)[i] = 0x07E0;  // green
  BITMAP info = {};
  GetObjectW(picture, sizeof info, &info);
  HDC s = CreateCompatibleDC(nullptr);
  HGDIOBJ sPrevious = SelectObject(s, picture);
  foldwise_test::DibDescription d =
      foldwise_test::Describe(4, 3, info.bmBitsPixel, BI_BITFIELDS, RowOrder::TopDown);
  d.header.biPlanes = info.bmPlanes;
  d.SetMasks(0xF800, 0x07E0, 0x001F);
  void* targetPixels = nullptr;
  HBITMAP target = CreateDIBSection(s, d.Info(), DIB_RGB_COLORS, &targetPixels, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ dPrevious = SelectObject(dc, target);
  BITMAP t = {};
  GetObjectW(target, sizeof t, &t);
  EXPECT_TRUE(StretchBlt(dc, 0, 0, t.bmWidth, t.bmHeight, s, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY));
  HBITMAP preview = CreateBitmap(t.bmWidth, t.bmHeight, t.bmPlanes, t.bmBitsPixel, t.bmBits);
  SelectObject(dc, dPrevious);
  EXPECT_TRUE(DeleteObject(target));
  EXPECT_TRUE(DeleteDC(dc));
  SelectObject(s, sPrevious);
  EXPECT_TRUE(DeleteObject(picture));
  EXPECT_TRUE(DeleteDC(s));

  const cesim::GdiObjectCounts counts = cesim::LiveGdiObjects();
  EXPECT_EQ(counts.deviceContexts, 0u);
  EXPECT_EQ(counts.bitmaps, 1u);
  std::optional<cesim::BitmapPixels> shown = cesim::ReadBitmap(preview);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->width, 4);
  EXPECT_EQ(shown->height, 3);
  EXPECT_EQ(shown->bitsPerPixel, 16);
  EXPECT_FALSE(shown->dibSection);
  for (COLORREF pixel : shown->pixels) EXPECT_EQ(pixel, RGB(0, 255, 0));
  EXPECT_EQ(cesim::ReadBitmapMemory().liveBytes, 4u * 2 * 3);
  EXPECT_EQ(cesim::ReadBitmapMemory().peakBytes, 96u + 24u + 24u);
  DeleteObject(preview);
  ExpectNoObjects();
}

}  // namespace
