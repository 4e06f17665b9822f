// Picture files that tests write themselves, encoded with the same libraries the device's decoders
// use (libjpeg-turbo, libpng, giflib), from a picture held as rows of 8-bit red, green and blue.
#ifndef FOLDWISE_TESTS_IMAGE_FILES_H
#define FOLDWISE_TESTS_IMAGE_FILES_H

#include <cstdint>
#include <string>
#include <vector>

namespace foldwise_test {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

class Picture {
 public:
  Picture(int width, int height, Rgb fill = Rgb());
  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb color);
  // Fills the rectangle [left, right) x [top, bottom).
  void Fill(int left, int top, int right, int bottom, Rgb color);
  const uint8_t* Row(int y) const { return rgb_.data() + static_cast<size_t>(y) * width_ * 3; }

 private:
  int width_;
  int height_;
  std::vector<uint8_t> rgb_;
};

// JPEG: baseline or progressive, colour or greyscale (the average of the channels), or CMYK stored
// inverted as Adobe software does.
enum class JpegKind { Color, Progressive, Grayscale, InvertedCmyk };
std::string EncodeJpeg(const Picture& picture, int quality, JpegKind kind = JpegKind::Color);

// PNG of the given colour type. Rgba and GrayAlpha add an alpha channel of `alpha`; Palette
// takes the picture's distinct colours (at most 16) as a 4-bit palette; Gray1 keeps the red
// channel's top bit; Rgb16 widens each sample to 16 bits.
enum class PngKind { Rgb, Rgba, Rgb16, Gray8, Gray1, GrayAlpha, Palette };
std::string EncodePng(const Picture& picture, PngKind kind, bool interlaced = false, uint8_t alpha = 255);

// GIF: one picture of colour-table indexes on a logical screen, with the screen's colour table,
// its background index, an optional transparent index and the picture's place on the screen.
struct GifPicture {
  int screenWidth = 0;
  int screenHeight = 0;
  std::vector<Rgb> colors;  // 2, 4, 8, ... 256 entries
  int background = 0;
  int transparent = -1;
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  std::vector<uint8_t> indexes;  // width * height, top row first
};
std::string EncodeGif(const GifPicture& gif);

}  // namespace foldwise_test

#endif
