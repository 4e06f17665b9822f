// The decoders behind the shell's image loader: a picture file in memory (BMP, read here; JPEG,
// PNG and GIF through libjpeg-turbo, libpng and giflib) turned into rows of pixels that a sink
// stores where it wants them, so that a picture is decoded straight into its bitmap with no second
// copy. Malformed, truncated or oversized input makes the decoding fail; it never reads outside
// the input.
#ifndef CESIM_SHELL_IMAGE_DECODE_H
#define CESIM_SHELL_IMAGE_DECODE_H

#include <cstddef>
#include <cstdint>

namespace cesim::detail {

// Where a decoder puts a picture: its size first, then its rows as 8-bit red, green and blue
// triples, row 0 at the top. Interlaced pictures give rows out of order and each row more than
// once, reading a row back to complete it.
class ImageSink {
 public:
  virtual ~ImageSink() = default;
  // False stops the decoding: the sink cannot take a picture of this size.
  virtual bool Begin(int width, int height) = 0;
  virtual void PutRow(int y, const uint8_t* rgb) = 0;
  virtual void GetRow(int y, uint8_t* rgb) = 0;
};

// The largest picture decoded; larger ones are refused before any pixel memory is taken.
struct DecodeLimits {
  int largestSide = 32768;
  uint64_t largestPixelCount = uint64_t{64} * 1024 * 1024;
};

enum class ImageFormat { Unknown, Bmp, Jpeg, Png, Gif };

// The format that a file's first bytes announce.
ImageFormat SniffImageFormat(const uint8_t* data, size_t size);

// Decodes the picture in [data, data + size) into the sink; false when the bytes are no picture
// of a known format, are cut short or malformed, or exceed the limits. The sink may have been
// given rows before a failure.
bool DecodeImage(const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink);

// The decoders, one per format.
bool DecodeBmp(const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink);
bool DecodeJpeg(const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink);
bool DecodePng(const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink);
bool DecodeGif(const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink);

// Whether a picture of this size lies within the limits.
bool WithinLimits(int64_t width, int64_t height, const DecodeLimits& limits);

}  // namespace cesim::detail

#endif
