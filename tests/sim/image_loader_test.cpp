// The shell's image loader, SHLoadImageFile (aygshell; Windows CE .NET 4.0 and later, Windows
// Mobile 2003 and later): BMP, JPEG, PNG and GIF files that the tests write themselves become a
// bitmap of the display's format, a bottom-up 16-bit 5-6-5 DIB section on the usual device; what
// is no picture, is cut short, is malformed or too large, or does not exist gives null, and no
// failure leaves a bitmap behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "image_files.h"

namespace {

using foldwise_test::GifPicture;
using foldwise_test::JpegKind;
using foldwise_test::Picture;
using foldwise_test::PngKind;
using foldwise_test::Rgb;

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};
constexpr Rgb kOdd{0x31, 0x87, 0xC4};

// The colour a 5-6-5 pixel shows for a colour: the top bits of each channel, widened again.
COLORREF As565(Rgb c) {
  const int r = c.r >> 3, g = c.g >> 2, b = c.b >> 3;
  return RGB((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
}

// Little-endian bytes of a .bmp file.
class BmpWriter {
 public:
  BmpWriter& U16(uint16_t v) {
    bytes_.push_back(static_cast<char>(v & 0xFF));
    bytes_.push_back(static_cast<char>(v >> 8));
    return *this;
  }
  BmpWriter& U32(uint32_t v) {
    U16(static_cast<uint16_t>(v & 0xFFFF));
    return U16(static_cast<uint16_t>(v >> 16));
  }
  BmpWriter& Bytes(std::initializer_list<int> values) {
    for (int v : values) bytes_.push_back(static_cast<char>(v));
    return *this;
  }
  const std::string& Text() const { return bytes_; }

 private:
  std::string bytes_;
};

// A .bmp file with a 40-byte header: `table` (colour table entries or the three masks) follows
// the header, then the rows exactly as given.
std::string Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression, const std::vector<uint32_t>& table,
                const std::string& rows, uint16_t planes = 1) {
  const uint32_t offset = 14 + 40 + static_cast<uint32_t>(table.size()) * 4;
  BmpWriter w;
  w.Bytes({'B', 'M'}).U32(offset + static_cast<uint32_t>(rows.size())).U16(0).U16(0).U32(offset);
  w.U32(40).U32(static_cast<uint32_t>(width)).U32(static_cast<uint32_t>(height)).U16(planes).U16(bits).U32(compression);
  w.U32(static_cast<uint32_t>(rows.size())).U32(2835).U32(2835).U32(bits <= 8 ? static_cast<uint32_t>(table.size()) : 0).U32(0);
  for (uint32_t entry : table) w.U32(entry);
  return w.Text() + rows;
}

std::string Bytes(std::initializer_list<int> values) { return BmpWriter().Bytes(values).Text(); }

class ImageLoaderTest : public ::testing::Test {
 protected:
  // Boots a device whose \My Documents holds the file, then loads it.
  HBITMAP Load(const std::string& contents, const std::u16string& name = u"picture") {
    device.image.AddFile(u"\\My Documents\\" + name, contents);
    if (!device.Boot()) return nullptr;
    return SHLoadImageFile((u"\\My Documents\\" + name).c_str());
  }

  static cesim::BitmapPixels Pixels(HBITMAP bitmap) {
    std::optional<cesim::BitmapPixels> pixels = cesim::ReadBitmap(bitmap);
    return pixels ? *pixels : cesim::BitmapPixels();
  }

  // Nothing is left: no bitmap, no pixel memory.
  static void ExpectNothingLeft() {
    EXPECT_EQ(cesim::LiveGdiObjects().bitmaps, 0u);
    EXPECT_EQ(cesim::LiveGdiObjects().deviceContexts, 0u);
    EXPECT_EQ(cesim::ReadBitmapMemory().liveBytes, 0u);
  }

  // Every pixel within `tolerance` of its colour in the picture, per channel, before the 5-6-5
  // cut (for the lossy JPEG).
  static void ExpectPicture(HBITMAP bitmap, const Picture& picture, int tolerance = 0) {
    const cesim::BitmapPixels shown = Pixels(bitmap);
    ASSERT_EQ(shown.width, picture.Width());
    ASSERT_EQ(shown.height, picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const COLORREF want = As565(picture.At(x, y));
        const COLORREF got = shown.At(x, y);
        const int slack = tolerance == 0 ? 0 : tolerance + 8;
        EXPECT_LE(std::abs(GetRValue(got) - GetRValue(want)), slack) << x << "," << y;
        EXPECT_LE(std::abs(GetGValue(got) - GetGValue(want)), slack) << x << "," << y;
        EXPECT_LE(std::abs(GetBValue(got) - GetBValue(want)), slack) << x << "," << y;
        if (HasFailure()) return;
      }
    }
  }

  static Picture Quadrants(int width, int height) {
    Picture p(width, height);
    p.Fill(0, 0, width / 2, height / 2, kRed);
    p.Fill(width / 2, 0, width, height / 2, kGreen);
    p.Fill(0, height / 2, width / 2, height, kBlue);
    p.Fill(width / 2, height / 2, width, height, kWhite);
    return p;
  }

  foldwise_test::BootedDevice device;
};

// ---------------------------------------------------------------------------------------------
// What the loader gives.

TEST_F(ImageLoaderTest, TheBitmapIsABottomUpFiveSixFiveDibSectionOfThePicture) {
  // 3 x 2, 24 bits, stored bottom-up: nine bytes and three of padding a row.
  const std::string rows = Bytes({0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,       // bottom row: red, green, blue
                                  255, 255, 255, 0x40, 0x80, 0x31, 0, 0, 0, 0, 0, 0});  // top row: white, odd, black
  HBITMAP bitmap = Load(Bmp(3, 2, 24, BI_RGB, {}, rows));
  ASSERT_NE(bitmap, nullptr);
  DIBSECTION ds = {};
  ASSERT_EQ(GetObjectW(bitmap, sizeof ds, &ds), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(ds.dsBm.bmWidth, 3);
  EXPECT_EQ(ds.dsBm.bmHeight, 2);
  EXPECT_EQ(ds.dsBm.bmPlanes, 1);
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 16);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 8);
  EXPECT_EQ(ds.dsBmih.biCompression, static_cast<DWORD>(BI_BITFIELDS));
  EXPECT_EQ(ds.dsBitfields[0], 0xF800u);
  EXPECT_EQ(ds.dsBitfields[1], 0x07E0u);
  EXPECT_EQ(ds.dsBitfields[2], 0x001Fu);
  // Bottom-up: the first stored row is the picture's bottom row.
  const uint16_t* stored = static_cast<const uint16_t*>(ds.dsBm.bmBits);
  EXPECT_EQ(stored[0], 0xF800u);
  EXPECT_EQ(stored[4], 0xFFFFu);
  const cesim::BitmapPixels shown = Pixels(bitmap);
  EXPECT_EQ(shown.At(0, 1), RGB(255, 0, 0));
  EXPECT_EQ(shown.At(2, 1), RGB(0, 0, 255));
  EXPECT_EQ(shown.At(1, 0), As565(Rgb{0x31, 0x80, 0x40}));
  EXPECT_EQ(shown.At(2, 0), RGB(0, 0, 0));
  EXPECT_EQ(cesim::LiveGdiObjects().bitmaps, 1u);
  EXPECT_TRUE(DeleteObject(bitmap));
  ExpectNothingLeft();
}

TEST(ImageLoaderDisplayTest, TheBitmapTakesTheDisplaysDepth) {
  foldwise_test::BootedDevice device;
  device.image.SetScreenDepth(32);
  device.image.AddFile(u"\\p.png", foldwise_test::EncodePng(Picture(2, 2, kOdd), PngKind::Rgb));
  ASSERT_TRUE(device.Boot());
  HBITMAP bitmap = SHLoadImageFile(u"\\p.png");
  ASSERT_NE(bitmap, nullptr);
  BITMAP bm = {};
  GetObjectW(bitmap, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(cesim::ReadBitmap(bitmap)->At(1, 1), RGB(0x31, 0x87, 0xC4));  // nothing cut at 32 bits
  DeleteObject(bitmap);
}

TEST_F(ImageLoaderTest, TheFormatIsTakenFromTheBytesNotTheName) {
  HBITMAP bitmap = Load(foldwise_test::EncodePng(Quadrants(4, 4), PngKind::Rgb), u"holiday.jpg");
  ASSERT_NE(bitmap, nullptr);
  ExpectPicture(bitmap, Quadrants(4, 4));
  DeleteObject(bitmap);
  ExpectNothingLeft();
}

// ---------------------------------------------------------------------------------------------
// BMP.

TEST_F(ImageLoaderTest, ATopDownBmpWithAShortColourTable) {
  // 8 bits, top-down (negative height), three colours in the table, 3 x 2 with a byte of padding.
  HBITMAP eight = Load(Bmp(3, -2, 8, BI_RGB, {0x00FF0000, 0x0000FF00, 0x000000FF},
                           Bytes({0, 1, 2, 0, 2, 1, 7, 0})));
  ASSERT_NE(eight, nullptr);
  cesim::BitmapPixels shown = Pixels(eight);
  EXPECT_EQ(shown.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(shown.At(2, 0), RGB(0, 0, 255));
  EXPECT_EQ(shown.At(0, 1), RGB(0, 0, 255));
  EXPECT_EQ(shown.At(2, 1), RGB(0, 0, 0));  // past the table: black
  DeleteObject(eight);
  ExpectNothingLeft();
}

TEST_F(ImageLoaderTest, BmpOfOneFourSixteenAndThirtyTwoBits) {
  // 1 bit, 10 x 1, bottom-up: two bytes of pixels and two of padding.
  device.image.AddFile(u"\\1.bmp", Bmp(10, 1, 1, BI_RGB, {0x00000000, 0x00FFFFFF}, Bytes({0xA0, 0x40, 0, 0})));
  // 4 bits: red, green, blue from the table.
  device.image.AddFile(u"\\4.bmp", Bmp(3, 1, 4, BI_RGB, {0x00FF0000, 0x0000FF00, 0x000000FF}, Bytes({0x01, 0x20, 0, 0})));
  // 16 bits without masks are 5-5-5; with BI_BITFIELDS the masks say.
  device.image.AddFile(u"\\555.bmp", Bmp(2, 1, 16, BI_RGB, {}, Bytes({0x00, 0x7C, 0x1F, 0x00})));
  device.image.AddFile(u"\\565.bmp", Bmp(2, 1, 16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, Bytes({0xE0, 0x07, 0x00, 0xF8})));
  // 32 bits without masks: blue, green, red and an unused byte.
  device.image.AddFile(u"\\32.bmp", Bmp(1, 1, 32, BI_RGB, {}, Bytes({0x10, 0x20, 0x30, 0x99})));
  ASSERT_TRUE(device.Boot());
  struct Case {
    const char16_t* name;
    std::vector<COLORREF> row;
  };
  const Case cases[] = {
      {u"\\1.bmp", {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0),
                      RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255)}},
      {u"\\4.bmp", {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}},
      {u"\\555.bmp", {RGB(255, 0, 0), RGB(0, 0, 255)}},
      {u"\\565.bmp", {RGB(0, 255, 0), RGB(255, 0, 0)}},
      {u"\\32.bmp", {As565(Rgb{0x30, 0x20, 0x10})}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(cesim::Narrow(c.name));
    HBITMAP bitmap = SHLoadImageFile(c.name);
    ASSERT_NE(bitmap, nullptr);
    const cesim::BitmapPixels shown = Pixels(bitmap);
    ASSERT_EQ(shown.width, static_cast<int>(c.row.size()));
    for (size_t x = 0; x < c.row.size(); ++x) EXPECT_EQ(shown.At(static_cast<int>(x), 0), c.row[x]) << x;
    DeleteObject(bitmap);
  }
  ExpectNothingLeft();
}

TEST_F(ImageLoaderTest, MalformedBmpFilesGiveNothing) {
  const std::string good = Bmp(3, 2, 24, BI_RGB, {}, std::string(24, '\0'));
  struct Case {
    const char* what;
    std::string file;
  };
  std::string badHeader = good;
  badHeader[14] = 39;  // a header size no version has
  const Case cases[] = {
      {"pixel rows cut short", good.substr(0, good.size() - 1)},
      {"the header cut short", good.substr(0, 30)},
      {"a header size no version has", badHeader},
      {"two planes", Bmp(3, 2, 24, BI_RGB, {}, std::string(24, '\0'), 2)},
      {"no width", Bmp(0, 2, 24, BI_RGB, {}, std::string(24, '\0'))},
      {"no height", Bmp(3, 0, 24, BI_RGB, {}, std::string(24, '\0'))},
      {"run-length compression", Bmp(2, 2, 8, BI_RLE8, {0, 0}, Bytes({2, 1, 0, 1}))},
      {"a colour table past the end", Bmp(2, 1, 8, BI_RGB, {}, "")},
      {"3 bits per pixel", Bmp(2, 1, 3, BI_RGB, {}, std::string(4, '\0'))},
      {"a huge picture", Bmp(100000, 100000, 24, BI_RGB, {}, std::string(64, '\0'))},
      {"the signature alone", "BM"},
  };
  int n = 0;
  for (const Case& c : cases) device.image.AddFile(u"\\bad" + cesim::Widen(std::to_string(n++)), c.file);
  ASSERT_TRUE(device.Boot());
  n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SHLoadImageFile((u"\\bad" + cesim::Widen(std::to_string(n++))).c_str()), nullptr);
  }
  ExpectNothingLeft();
  EXPECT_EQ(cesim::ReadBitmapMemory().peakBytes, 0u);  // refused before any pixel memory was taken
}

// ---------------------------------------------------------------------------------------------
// JPEG.

TEST_F(ImageLoaderTest, JpegColourAndGreyscale) {
  const Picture picture = Quadrants(32, 16);
  device.image.AddFile(u"\\colour.jpg", foldwise_test::EncodeJpeg(picture, 100));
  device.image.AddFile(u"\\progressive.jpg", foldwise_test::EncodeJpeg(picture, 100, JpegKind::Progressive));
  device.image.AddFile(u"\\inks.jpg", foldwise_test::EncodeJpeg(picture, 100, JpegKind::InvertedCmyk));
  Picture grey(16, 8, Rgb{90, 90, 90});
  grey.Fill(8, 0, 16, 8, Rgb{200, 200, 200});
  device.image.AddFile(u"\\grey.jpg", foldwise_test::EncodeJpeg(grey, 100, JpegKind::Grayscale));
  ASSERT_TRUE(device.Boot());
  for (const char16_t* name : {u"\\colour.jpg", u"\\progressive.jpg", u"\\inks.jpg"}) {
    SCOPED_TRACE(cesim::Narrow(name));
    HBITMAP bitmap = SHLoadImageFile(name);
    ASSERT_NE(bitmap, nullptr);
    // Away from the quadrants' edges, where the lossy coding blurs.
    const cesim::BitmapPixels shown = Pixels(bitmap);
    EXPECT_EQ(shown.width, 32);
    EXPECT_EQ(shown.height, 16);
    for (POINT p : {POINT{3, 3}, POINT{28, 3}, POINT{3, 12}, POINT{28, 12}}) {
      const COLORREF want = As565(picture.At(p.x, p.y));
      const COLORREF got = shown.At(p.x, p.y);
      EXPECT_LE(std::abs(GetRValue(got) - GetRValue(want)), 12) << p.x << "," << p.y;
      EXPECT_LE(std::abs(GetGValue(got) - GetGValue(want)), 12) << p.x << "," << p.y;
      EXPECT_LE(std::abs(GetBValue(got) - GetBValue(want)), 12) << p.x << "," << p.y;
    }
    DeleteObject(bitmap);
  }
  HBITMAP bitmap = SHLoadImageFile(u"\\grey.jpg");
  ASSERT_NE(bitmap, nullptr);
  ExpectPicture(bitmap, grey, 4);
  DeleteObject(bitmap);
  ExpectNothingLeft();
}

TEST_F(ImageLoaderTest, AJpegCutShortGivesNothing) {
  const std::string file = foldwise_test::EncodeJpeg(Quadrants(64, 64), 90);
  device.image.AddFile(u"\\half.jpg", file.substr(0, file.size() / 2));
  device.image.AddFile(u"\\header.jpg", file.substr(0, 20));
  std::string broken = file;
  for (size_t i = 200; i < 260 && i < broken.size(); ++i) broken[i] = static_cast<char>(0xFF);
  device.image.AddFile(u"\\broken.jpg", broken);
  ASSERT_TRUE(device.Boot());
  EXPECT_EQ(SHLoadImageFile(u"\\half.jpg"), nullptr);
  EXPECT_EQ(SHLoadImageFile(u"\\header.jpg"), nullptr);
  HBITMAP damaged = SHLoadImageFile(u"\\broken.jpg");  // may decode to garbage, must not crash
  DeleteObject(damaged);
  ExpectNothingLeft();
}

// ---------------------------------------------------------------------------------------------
// PNG.

TEST_F(ImageLoaderTest, PngOfEveryColourType) {
  Picture picture = Quadrants(9, 7);
  picture.Set(4, 3, kOdd);
  struct Case {
    const char16_t* name;
    PngKind kind;
    bool interlaced;
  };
  const Case cases[] = {{u"\\rgb.png", PngKind::Rgb, false},   {u"\\rgba.png", PngKind::Rgba, false},
                        {u"\\rgb16.png", PngKind::Rgb16, false}, {u"\\palette.png", PngKind::Palette, false},
                        {u"\\adam7.png", PngKind::Rgb, true},   {u"\\adam7-palette.png", PngKind::Palette, true}};
  for (const Case& c : cases) device.image.AddFile(c.name, foldwise_test::EncodePng(picture, c.kind, c.interlaced, 0));
  Picture grey(9, 3, Rgb{0x40, 0x40, 0x40});
  grey.Fill(0, 0, 4, 3, Rgb{0xC0, 0xC0, 0xC0});
  device.image.AddFile(u"\\grey.png", foldwise_test::EncodePng(grey, PngKind::Gray8));
  device.image.AddFile(u"\\grey-alpha.png", foldwise_test::EncodePng(grey, PngKind::GrayAlpha, false, 10));
  ASSERT_TRUE(device.Boot());
  for (const Case& c : cases) {
    SCOPED_TRACE(cesim::Narrow(c.name));
    HBITMAP bitmap = SHLoadImageFile(c.name);
    ASSERT_NE(bitmap, nullptr);
    ExpectPicture(bitmap, picture);  // transparency dropped: the stored colours show
    DeleteObject(bitmap);
  }
  for (const char16_t* name : {u"\\grey.png", u"\\grey-alpha.png"}) {
    SCOPED_TRACE(cesim::Narrow(name));
    HBITMAP bitmap = SHLoadImageFile(name);
    ASSERT_NE(bitmap, nullptr);
    ExpectPicture(bitmap, grey);
    DeleteObject(bitmap);
  }
  ExpectNothingLeft();
}

TEST_F(ImageLoaderTest, APngOfOneBitGreys) {
  Picture picture(11, 2, kBlack);
  picture.Fill(0, 0, 11, 1, kWhite);
  picture.Set(5, 1, kWhite);
  HBITMAP bitmap = Load(foldwise_test::EncodePng(picture, PngKind::Gray1));
  ASSERT_NE(bitmap, nullptr);
  ExpectPicture(bitmap, picture);
  DeleteObject(bitmap);
}

TEST_F(ImageLoaderTest, DamagedPngFilesGiveNothing) {
  const std::string file = foldwise_test::EncodePng(Quadrants(16, 16), PngKind::Rgb);
  std::string badChecksum = file;
  badChecksum[29] = static_cast<char>(badChecksum[29] ^ 0x01);  // the IHDR chunk's checksum
  device.image.AddFile(u"\\cut.png", file.substr(0, file.size() - 20));
  device.image.AddFile(u"\\checksum.png", badChecksum);
  device.image.AddFile(u"\\signature.png", file.substr(0, 8));
  ASSERT_TRUE(device.Boot());
  EXPECT_EQ(SHLoadImageFile(u"\\cut.png"), nullptr);
  EXPECT_EQ(SHLoadImageFile(u"\\checksum.png"), nullptr);
  EXPECT_EQ(SHLoadImageFile(u"\\signature.png"), nullptr);
  ExpectNothingLeft();
}

TEST_F(ImageLoaderTest, APngTooLargeForTheDeviceGivesNothing) {
  // 20000 x 20000 is 400 megapixels, far beyond what a handheld holds: refused from its header.
  std::string file = foldwise_test::EncodePng(Picture(1, 1), PngKind::Rgb);
  // Rewrite IHDR's width and height and its checksum.
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
  };
  put32(16, 20000);
  put32(20, 20000);
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 12; i < 29; ++i) {
    crc ^= static_cast<uint8_t>(file[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  put32(29, crc ^ 0xFFFFFFFFu);
  EXPECT_EQ(Load(file), nullptr);
  ExpectNothingLeft();
  EXPECT_EQ(cesim::ReadBitmapMemory().peakBytes, 0u);
}

// ---------------------------------------------------------------------------------------------
// GIF.

GifPicture SmallGif() {
  GifPicture g;
  g.screenWidth = 6;
  g.screenHeight = 5;
  g.colors = {kBlack, kRed, kGreen, kBlue};
  g.background = 3;
  g.left = 1;
  g.top = 1;
  g.width = 4;
  g.height = 3;
  g.indexes = {1, 1, 2, 2,  //
               1, 0, 0, 2,  //
               2, 2, 1, 1};
  return g;
}

TEST_F(ImageLoaderTest, AGifIsDrawnOnItsScreensBackground) {
  const GifPicture g = SmallGif();
  HBITMAP bitmap = Load(foldwise_test::EncodeGif(g));
  ASSERT_NE(bitmap, nullptr);
  const cesim::BitmapPixels shown = Pixels(bitmap);
  EXPECT_EQ(shown.width, 6);
  EXPECT_EQ(shown.height, 5);
  EXPECT_EQ(shown.At(0, 0), RGB(0, 0, 255));  // the background, blue
  EXPECT_EQ(shown.At(5, 4), RGB(0, 0, 255));
  EXPECT_EQ(shown.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(shown.At(4, 1), RGB(0, 255, 0));
  EXPECT_EQ(shown.At(2, 2), RGB(0, 0, 0));
  EXPECT_EQ(shown.At(4, 3), RGB(255, 0, 0));
  DeleteObject(bitmap);
  ExpectNothingLeft();
}

TEST_F(ImageLoaderTest, TransparentAndInterlacedGifs) {
  GifPicture transparent = SmallGif();
  transparent.transparent = 0;
  GifPicture interlaced;
  interlaced.screenWidth = 2;
  interlaced.screenHeight = 10;
  interlaced.colors = {kBlack, kWhite};
  interlaced.width = 2;
  interlaced.height = 10;
  interlaced.interlaced = true;
  for (int y = 0; y < 10; ++y) interlaced.indexes.insert(interlaced.indexes.end(), 2, static_cast<uint8_t>(y % 3 == 0));
  device.image.AddFile(u"\\transparent.gif", foldwise_test::EncodeGif(transparent));
  device.image.AddFile(u"\\interlaced.gif", foldwise_test::EncodeGif(interlaced));
  ASSERT_TRUE(device.Boot());
  HBITMAP t = SHLoadImageFile(u"\\transparent.gif");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(Pixels(t).At(2, 2), RGB(0, 0, 255));  // transparent: the background shows
  EXPECT_EQ(Pixels(t).At(1, 2), RGB(255, 0, 0));
  HBITMAP i = SHLoadImageFile(u"\\interlaced.gif");
  ASSERT_NE(i, nullptr);
  const cesim::BitmapPixels rows = Pixels(i);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(rows.At(1, y), y % 3 == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0)) << y;
  DeleteObject(t);
  DeleteObject(i);
  ExpectNothingLeft();
}

TEST_F(ImageLoaderTest, DamagedGifFilesGiveNothing) {
  const std::string file = foldwise_test::EncodeGif(SmallGif());
  // The screen description and its colour table, then at once the trailer: no picture at all.
  const std::string empty = file.substr(0, 13 + 4 * 3) + ";";
  device.image.AddFile(u"\\cut.gif", file.substr(0, file.size() - 6));
  device.image.AddFile(u"\\empty.gif", empty);
  device.image.AddFile(u"\\signature.gif", "GIF89a");
  ASSERT_TRUE(device.Boot());
  EXPECT_EQ(SHLoadImageFile(u"\\cut.gif"), nullptr);
  EXPECT_EQ(SHLoadImageFile(u"\\empty.gif"), nullptr);
  EXPECT_EQ(SHLoadImageFile(u"\\signature.gif"), nullptr);
  ExpectNothingLeft();
}

// ---------------------------------------------------------------------------------------------
// What is no picture.

TEST_F(ImageLoaderTest, WhatIsNoPictureGivesNothing) {
  device.image.AddFile(u"\\My Documents\\Letter.doc", "Dear reader, this is no picture.");
  device.image.AddFile(u"\\My Documents\\empty.jpg", "");
  device.image.AddFolder(u"\\My Documents\\Album.png");
  std::u16string parent;
  const std::u16string longPath = foldwise_test::PathOfLength(u"\\My Documents", 260, &parent);
  device.image.AddFile(foldwise_test::PathOfLength(u"\\My Documents", 259), "BM");
  ASSERT_TRUE(device.Boot());
  EXPECT_EQ(SHLoadImageFile(u"\\My Documents\\Letter.doc"), nullptr);
  EXPECT_EQ(SHLoadImageFile(u"\\My Documents\\empty.jpg"), nullptr);
  EXPECT_EQ(SHLoadImageFile(u"\\My Documents\\Album.png"), nullptr);
  SetLastError(0);
  EXPECT_EQ(SHLoadImageFile(u"\\My Documents\\missing.png"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  SetLastError(0);
  EXPECT_EQ(SHLoadImageFile(u"\\Nowhere\\missing.png"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  SetLastError(0);
  EXPECT_EQ(SHLoadImageFile(longPath.c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(SHLoadImageFile(foldwise_test::PathOfLength(u"\\My Documents", 259).c_str()), nullptr);
  EXPECT_EQ(SHLoadImageFile(u""), nullptr);
  EXPECT_EQ(SHLoadImageFile(nullptr), nullptr);
  ExpectNothingLeft();
}

TEST_F(ImageLoaderTest, IconFilesAreNotDecoded) {
  // An .ico file: the reserved word, type 1, one 1 x 1 entry, and its 32-bit DIB.
  std::string icon = Bytes({0, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1, 0, 32, 0, 48, 0, 0, 0, 22, 0, 0, 0});
  icon += Bmp(1, 2, 32, BI_RGB, {}, Bytes({0, 0, 255, 0, 0, 0, 0, 0})).substr(14);
  EXPECT_EQ(Load(icon, u"app.ico"), nullptr);
  ExpectNothingLeft();
}

TEST_F(ImageLoaderTest, EachLoadIsANewBitmapOfItsOwn) {
  HBITMAP first = Load(foldwise_test::EncodePng(Quadrants(4, 2), PngKind::Rgb));
  HBITMAP second = SHLoadImageFile(u"\\My Documents\\picture");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(cesim::ReadBitmapMemory().liveBytes, 2u * 8 * 2);
  DeleteObject(first);
  DeleteObject(second);
  ExpectNothingLeft();
}

}  // namespace
