// Which decoder a picture file goes to: by the signature its first bytes carry, never by the
// file's name.
#include "shell/image_decode.h"

#include <cstring>

namespace cesim::detail {

ImageFormat SniffImageFormat(const uint8_t* data, size_t size) {
  if (data == nullptr) return ImageFormat::Unknown;
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return ImageFormat::Png;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return ImageFormat::Jpeg;
  if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0)) return ImageFormat::Gif;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return ImageFormat::Bmp;
  return ImageFormat::Unknown;
}

bool WithinLimits(int64_t width, int64_t height, const DecodeLimits& limits) {
  if (width <= 0 || height <= 0 || width > limits.largestSide || height > limits.largestSide) return false;
  return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= limits.largestPixelCount;
}

bool DecodeImage(const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink) {
  switch (SniffImageFormat(data, size)) {
    case ImageFormat::Bmp: return DecodeBmp(data, size, limits, sink);
    case ImageFormat::Jpeg: return DecodeJpeg(data, size, limits, sink);
    case ImageFormat::Png: return DecodePng(data, size, limits, sink);
    case ImageFormat::Gif: return DecodeGif(data, size, limits, sink);
    case ImageFormat::Unknown: break;
  }
  return false;
}

}  // namespace cesim::detail
