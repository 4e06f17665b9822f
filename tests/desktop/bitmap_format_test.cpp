// Bitmaps as module code makes them on desktop Windows: a 16-bit bitmap of 5-6-5 pixels goes into
// a memory DC of the display with its colours, row by row also when its rows are not of whole
// 32-bit words; a monochrome bitmap stays the desktop's own.
#include <gtest/gtest.h>

#include "ceplatform.h"

namespace {

const WORD kRed = 0xF800;
const WORD kGreen = 0x07E0;
const WORD kBlue = 0x001F;
const WORD kWhite = 0xFFFF;
const WORD kBlack = 0x0000;

// Whether a colour read back is the 5-6-5 colour within the precision of its 5 or 6 bits.
::testing::AssertionResult Near(COLORREF actual, int red, int green, int blue) {
  const int slack = 8;
  if (abs(GetRValue(actual) - red) <= slack && abs(GetGValue(actual) - green) <= slack &&
      abs(GetBValue(actual) - blue) <= slack)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "read " << static_cast<int>(GetRValue(actual)) << ","
                                       << static_cast<int>(GetGValue(actual)) << ","
                                       << static_cast<int>(GetBValue(actual)) << " for " << red << "," << green
                                       << "," << blue;
}

class BitmapFormat : public ::testing::Test {
 protected:
  void SetUp() override {
    dc_ = CreateCompatibleDC(NULL);
    ASSERT_NE(static_cast<HDC>(NULL), dc_);
  }
  void TearDown() override {
    if (previous_ != NULL) SelectObject(dc_, previous_);
    if (bitmap_ != NULL) DeleteObject(bitmap_);
    DeleteDC(dc_);
  }

  bool Select(HBITMAP bitmap) {
    bitmap_ = bitmap;
    if (bitmap == NULL) return false;
    previous_ = SelectObject(dc_, bitmap);
    return previous_ != NULL;
  }

  HDC dc_ = NULL;
  HBITMAP bitmap_ = NULL;
  HGDIOBJ previous_ = NULL;
};

TEST_F(BitmapFormat, ASixteenBitBitmapGoesIntoAMemoryDcOfTheDisplayWithItsColours) {
  // Three pixels a row: rows of 16-bit words (six bytes), not of 32-bit ones.
  const WORD pixels[] = {kRed, kGreen, kBlue, kWhite, kBlack, kRed};
  ASSERT_TRUE(Select(CreateBitmap(3, 2, 1, 16, pixels)));
  BITMAP shape;
  ASSERT_EQ(static_cast<int>(sizeof(shape)), GetObjectW(bitmap_, sizeof(shape), &shape));
  EXPECT_EQ(3, shape.bmWidth);
  EXPECT_EQ(2, shape.bmHeight);

  EXPECT_TRUE(Near(GetPixel(dc_, 0, 0), 255, 0, 0));
  EXPECT_TRUE(Near(GetPixel(dc_, 1, 0), 0, 255, 0));
  EXPECT_TRUE(Near(GetPixel(dc_, 2, 0), 0, 0, 255));
  EXPECT_TRUE(Near(GetPixel(dc_, 0, 1), 255, 255, 255));
  EXPECT_TRUE(Near(GetPixel(dc_, 1, 1), 0, 0, 0));
  EXPECT_TRUE(Near(GetPixel(dc_, 2, 1), 255, 0, 0));
}

TEST_F(BitmapFormat, ASixteenBitBitmapWithoutPixelsCanBeDrawnOn) {
  ASSERT_TRUE(Select(CreateBitmap(4, 4, 1, 16, NULL)));
  SetPixel(dc_, 2, 3, RGB(0, 0, 255));
  EXPECT_TRUE(Near(GetPixel(dc_, 2, 3), 0, 0, 255));
}

TEST_F(BitmapFormat, AMonochromeBitmapStaysMonochrome) {
  const BYTE rows[] = {0x80, 0x00, 0x00, 0x00};  // rows of a 16-bit word each; the top left pixel set
  ASSERT_TRUE(Select(CreateBitmap(2, 2, 1, 1, rows)));
  BITMAP shape;
  ASSERT_EQ(static_cast<int>(sizeof(shape)), GetObjectW(bitmap_, sizeof(shape), &shape));
  EXPECT_EQ(1, shape.bmBitsPixel);
  EXPECT_TRUE(Near(GetPixel(dc_, 0, 0), 255, 255, 255));
  EXPECT_TRUE(Near(GetPixel(dc_, 1, 1), 0, 0, 0));
}

}  // namespace
