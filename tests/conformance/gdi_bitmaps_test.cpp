// Graphics as the image preview uses them: memory DCs and their default bitmap, SelectObject's
// answers, DIB sections with 5-6-5 bit fields and what GetObjectW says of them, StretchBlt on
// real pixels, CreateBitmap over a section's bits, and the lifetime rules of DeleteObject and
// DeleteDC, where Windows CE and desktop Windows differ.
#include <cstdint>
#include <cstring>

#include "conformance.h"
#include "dib_sections.h"

namespace conformance {
namespace {

class GdiTest : public ConformanceTest {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Start()); }
};

// A bitmap's description by GetObjectW, zeroed first so that a short answer shows.
BITMAP Describe(HGDIOBJ bitmap) {
  BITMAP bm;
  std::memset(&bm, 0, sizeof bm);
  EXPECT_EQ(GetObjectW(bitmap, sizeof bm, &bm), static_cast<int>(sizeof(BITMAP)));
  return bm;
}

// The platform's own CreateBitmap. On the desktop that is gdi32's, past the desktop layer, which
// makes module code's colour bitmaps of another depth than the display's in the display's format.
HBITMAP PlatformCreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
#ifdef FOLDWISE_CE_DESKTOP_H
  using CreateBitmapFunc = HBITMAP(WINAPI*)(int, int, UINT, UINT, const void*);
  static const auto desktops = reinterpret_cast<CreateBitmapFunc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(TEXT("gdi32.dll")), TEXT("CreateBitmap"))));
  return desktops != nullptr ? desktops(width, height, planes, bitsPerPixel, bits) : nullptr;
#else
  return CreateBitmap(width, height, planes, bitsPerPixel, bits);
#endif
}

// --- Memory DCs and SelectObject ---

TEST_F(GdiTest, AMemoryDcStartsWithTheOneByOneMonochromeBitmapThatEveryMemoryDcShares) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  ASSERT_NE(bitmap, nullptr);
  BITMAP bm = Describe(bitmap);
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  HDC other = CreateCompatibleDC(dc);
  EXPECT_EQ(GetCurrentObject(other, OBJ_BITMAP), bitmap);
  EXPECT_TRUE(DeleteDC(other));
  EXPECT_TRUE(DeleteDC(dc));
  // The shared bitmap is a stock object: deleting the DCs leaves it.
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
}

TEST_F(GdiTest, SelectObjectGivesThePreviousBitmapAndABitmapFitsOneDcAtATime) {
  HBITMAP bitmap = Dib565(4, 4);
  ASSERT_NE(bitmap, nullptr);
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(nullptr);
  HGDIOBJ initial = GetCurrentObject(a, OBJ_BITMAP);
  EXPECT_EQ(SelectObject(a, bitmap), initial);
  EXPECT_EQ(GetCurrentObject(a, OBJ_BITMAP), bitmap);
  EXPECT_EQ(SelectObject(b, bitmap), nullptr);  // already in a
  EXPECT_EQ(GetCurrentObject(b, OBJ_BITMAP), initial);
  EXPECT_EQ(SelectObject(a, initial), bitmap);
  EXPECT_EQ(SelectObject(b, bitmap), initial);  // free again
  SelectObject(b, initial);
  DeleteDC(a);
  DeleteDC(b);
  EXPECT_TRUE(DeleteObject(bitmap));
}

// --- DIB sections ---

TEST_F(GdiTest, ABitFieldDibSectionDescribesItselfAndGivesItsPixels) {
  void* pixels = nullptr;
  // 135 pixels wide at 16 bits: rows padded to a DWORD, 272 bytes.
  HBITMAP dib = MaskedDib(135, -2, 16, 0xF800, 0x07E0, 0x001F, &pixels);
  ASSERT_NE(dib, nullptr);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(GetObjectType(dib), static_cast<DWORD>(OBJ_BITMAP));
  BITMAP bm = Describe(dib);
  EXPECT_EQ(bm.bmType, 0);
  EXPECT_EQ(bm.bmWidth, 135);
  EXPECT_EQ(bm.bmHeight, 2);  // top-down, yet positive
  EXPECT_EQ(bm.bmWidthBytes, 272);
  EXPECT_EQ(bm.bmPlanes, 1);
  EXPECT_EQ(bm.bmBitsPixel, 16);
  EXPECT_EQ(bm.bmBits, pixels);
  DIBSECTION ds;
  std::memset(&ds, 0, sizeof ds);
  ASSERT_EQ(GetObjectW(dib, sizeof ds, &ds), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(ds.dsBm.bmBits, pixels);
  EXPECT_EQ(ds.dsBmih.biSize, static_cast<DWORD>(sizeof(BITMAPINFOHEADER)));
  EXPECT_EQ(ds.dsBmih.biWidth, 135);
  EXPECT_EQ(ds.dsBmih.biBitCount, 16);
  EXPECT_EQ(ds.dsBmih.biCompression, static_cast<DWORD>(BI_BITFIELDS));
  EXPECT_EQ(ds.dsBitfields[0], 0xF800u);
  EXPECT_EQ(ds.dsBitfields[1], 0x07E0u);
  EXPECT_EQ(ds.dsBitfields[2], 0x001Fu);
  EXPECT_EQ(ds.dshSection, nullptr);
  EXPECT_TRUE(DeleteObject(dib));
}

TEST_F(GdiTest, GetObjectGivesTheSizeWithoutABufferAndNothingIntoOneTooSmall) {
  HBITMAP dib = Dib565(3, 3);
  EXPECT_EQ(GetObjectW(dib, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
  HBITMAP plain = PlatformCreateBitmap(3, 3, 1, 16, nullptr);
  EXPECT_EQ(GetObjectW(plain, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
  BYTE buffer[sizeof(DIBSECTION)];
  std::memset(buffer, 0xAB, sizeof buffer);
  EXPECT_EQ(GetObjectW(dib, sizeof(BITMAP) - 1, buffer), 0);
  EXPECT_EQ(GetObjectW(plain, sizeof(BITMAP) - 1, buffer), 0);
  EXPECT_EQ(buffer[0], 0xAB);  // nothing written
  // Room for more than a BITMAP but less than a DIBSECTION: the BITMAP alone.
  EXPECT_EQ(GetObjectW(dib, sizeof(DIBSECTION) - 1, buffer), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(reinterpret_cast<BITMAP*>(buffer)->bmWidth, 3);
  DeleteObject(plain);
  DeleteObject(dib);
}

TEST_F(GdiTest, TheDeviceRefusesSixteenBitRgbDibSections) {
  CONFORMANCE_CE_ONLY("CreateDIBSection (Windows CE 5.0), learn.microsoft.com/en-us/previous-versions/windows/"
                      "embedded/ms908174(v=msdn.10): 16 and 32 bits per pixel need BI_BITFIELDS with three masks; "
                      "BI_RGB is not supported for them");
  for (int bits : {16, 32}) {
    void* pixels = &bits;
    EXPECT_EQ(RgbDib(2, 2, bits, &pixels), nullptr) << bits;
    EXPECT_EQ(pixels, nullptr) << bits;
  }
}

TEST_F(GdiTest, TheDesktopTakesSixteenBitRgbAsFiveFiveFive) {
  CONFORMANCE_DESKTOP_ONLY("CreateDIBSection (Windows CE 5.0) refuses BI_RGB at 16 and 32 bits per pixel");
  HBITMAP dib = RgbDib(2, 2, 16);
  ASSERT_NE(dib, nullptr);
  DIBSECTION ds;
  ASSERT_EQ(GetObjectW(dib, sizeof ds, &ds), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(ds.dsBitfields[0], 0x7C00u);
  EXPECT_EQ(ds.dsBitfields[1], 0x03E0u);
  EXPECT_EQ(ds.dsBitfields[2], 0x001Fu);
  DeleteObject(dib);
}

// --- StretchBlt ---

TEST_F(GdiTest, StretchBltScalesAndConvertsRealPixels) {
  // A 4 x 2 picture of two 2 x 2 blocks at 24 bits, shrunk into 2 x 1 and enlarged into 8 x 4 at
  // 5-6-5.
  void* from = nullptr;
  HBITMAP source = RgbDib(4, -2, 24, &from);
  ASSERT_NE(source, nullptr);
  uint8_t* rows = static_cast<uint8_t*>(from);
  const int stride = 12;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      uint8_t* px = rows + y * stride + 3 * x;  // blue, green, red
      px[0] = x < 2 ? 0x10 : 0x00;
      px[1] = x < 2 ? 0x20 : 0x00;
      px[2] = x < 2 ? 0x30 : 0xF8;
    }
  }
  void* small = nullptr;
  HBITMAP shrunk = Dib565(2, -1, &small);
  void* big = nullptr;
  HBITMAP enlarged = Dib565(8, -4, &big);
  HDC s = CreateCompatibleDC(nullptr);
  HDC d = CreateCompatibleDC(nullptr);
  HGDIOBJ sPrevious = SelectObject(s, source);
  HGDIOBJ dPrevious = SelectObject(d, shrunk);
  EXPECT_TRUE(StretchBlt(d, 0, 0, 2, 1, s, 0, 0, 4, 2, SRCCOPY));
  FinishDrawing();
  const uint16_t* q = static_cast<const uint16_t*>(small);
  EXPECT_EQ(q[0], 0x3102u);  // 0x30 >> 3, 0x20 >> 2, 0x10 >> 3
  EXPECT_EQ(q[1], 0xF800u);
  SelectObject(d, enlarged);
  EXPECT_TRUE(StretchBlt(d, 0, 0, 8, 4, s, 0, 0, 4, 2, SRCCOPY));
  FinishDrawing();
  const uint16_t* r = static_cast<const uint16_t*>(big);
  EXPECT_EQ(r[0], 0x3102u);
  EXPECT_EQ(r[3], 0x3102u);
  EXPECT_EQ(r[4], 0xF800u);
  EXPECT_EQ(r[3 * 8 + 3], 0x3102u);
  EXPECT_EQ(r[3 * 8 + 7], 0xF800u);
  SelectObject(d, dPrevious);
  SelectObject(s, sPrevious);
  DeleteDC(d);
  DeleteDC(s);
  DeleteObject(source);
  DeleteObject(shrunk);
  DeleteObject(enlarged);
}

// --- CreateBitmap ---

TEST_F(GdiTest, CreateBitmapOverADibSectionsPixelsIsADeviceBitmapOfTheSameShape) {
  void* pixels = nullptr;
  HBITMAP dib = Dib565(136, -3, &pixels);
  ASSERT_NE(dib, nullptr);
  BITMAP t = Describe(dib);
  HBITMAP copy = PlatformCreateBitmap(t.bmWidth, t.bmHeight, t.bmPlanes, t.bmBitsPixel, t.bmBits);
  ASSERT_NE(copy, nullptr);
  BITMAP bm = Describe(copy);
  EXPECT_EQ(bm.bmWidth, 136);
  EXPECT_EQ(bm.bmHeight, 3);
  EXPECT_EQ(bm.bmBitsPixel, 16);
  EXPECT_EQ(bm.bmWidthBytes, 272);  // rows padded to 16 bits
  EXPECT_EQ(bm.bmBits, nullptr);    // no pixels of its own that a program could reach
  DIBSECTION ds;
  EXPECT_EQ(GetObjectW(copy, sizeof ds, &ds), static_cast<int>(sizeof(BITMAP)));  // no DIB section
  EXPECT_TRUE(DeleteObject(copy));
  EXPECT_TRUE(DeleteObject(dib));
}

// --- DeleteObject and DeleteDC ---

TEST_F(GdiTest, TheDeviceRefusesToDeleteABitmapSelectedIntoADc) {
  CONFORMANCE_CE_ONLY("DeleteObject (Windows CE 5.0), learn.microsoft.com/en-us/previous-versions/windows/embedded/"
                      "aa452933(v=msdn.10): zero when the handle is currently selected into a device context");
  HBITMAP bitmap = Dib565(2, 2);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(SelectObject(dc, previous), bitmap);
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));  // refused, so still there
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(GdiTest, TheDesktopDeletesABitmapSelectedIntoADcWhenItIsSelectedOut) {
  CONFORMANCE_DESKTOP_ONLY("DeleteObject (Windows CE 5.0) fails while the bitmap is selected into a device context");
  HBITMAP bitmap = Dib565(2, 2);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(SelectObject(dc, previous), bitmap);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(GdiTest, AHandleDeletedOnceIsGone) {
  HBITMAP bitmap = Dib565(2, 2);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(GetObjectType(dc), 0u);
  EXPECT_FALSE(DeleteDC(dc));
}

TEST_F(GdiTest, DeletingADcLeavesItsBitmapToBeDeleted) {
  HBITMAP bitmap = Dib565(2, 2);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bitmap);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  // Free to go into another DC, and to be deleted.
  HDC other = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(other, bitmap);
  EXPECT_NE(previous, nullptr);
  SelectObject(other, previous);
  DeleteDC(other);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
}

}  // namespace
}  // namespace conformance
