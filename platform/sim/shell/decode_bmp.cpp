// .bmp files, read with the bounded byte reader: the file header, a core (12-byte) or info header
// (40 bytes and its longer versions), the colour table or colour masks, and uncompressed rows of
// 1, 2, 4, 8, 16, 24 or 32 bits, stored bottom-up or (negative height) top-down. Run-length
// compressed files are not read.
#include <vector>

#include "core/byte_reader.h"
#include "gdi/pixels.h"
#include "shell/image_decode.h"
#include "sim/gdi.h"

namespace cesim::detail {

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

struct BmpHeader {
  uint32_t pixelOffset = 0;
  uint32_t headerSize = 0;
  int64_t width = 0;
  int64_t height = 0;  // negative: top-down
  uint16_t planes = 0;
  uint16_t bitCount = 0;
  uint32_t compression = BI_RGB;
  uint32_t colorsUsed = 0;
  uint32_t masks[3] = {0, 0, 0};
};

bool ReadHeader(ByteReader& file, BmpHeader* h) {
  uint16_t magic = 0, reserved = 0;
  uint32_t fileSize = 0;
  if (!file.U16(&magic) || !file.U32(&fileSize) || !file.U16(&reserved) || !file.U16(&reserved) ||
      !file.U32(&h->pixelOffset) || !file.U32(&h->headerSize)) {
    return false;
  }
  if (h->headerSize == kCoreHeaderSize) {
    uint16_t width = 0, height = 0;
    if (!file.U16(&width) || !file.U16(&height) || !file.U16(&h->planes) || !file.U16(&h->bitCount)) return false;
    h->width = width;
    h->height = height;
    return true;
  }
  // The info header and its longer forms (52, 56, 108 and 124 bytes) share their first 40 bytes.
  if (h->headerSize < kInfoHeaderSize || h->headerSize > 1024) return false;
  uint32_t width = 0, height = 0, imageSize = 0, xDensity = 0, yDensity = 0, important = 0;
  if (!file.U32(&width) || !file.U32(&height) || !file.U16(&h->planes) || !file.U16(&h->bitCount) ||
      !file.U32(&h->compression) || !file.U32(&imageSize) || !file.U32(&xDensity) || !file.U32(&yDensity) ||
      !file.U32(&h->colorsUsed) || !file.U32(&important)) {
    return false;
  }
  h->width = static_cast<int32_t>(width);
  h->height = static_cast<int32_t>(height);
  if (h->compression == BI_BITFIELDS) {
    // The masks follow the 40-byte header, where the longer headers keep them too.
    if (!file.U32(&h->masks[0]) || !file.U32(&h->masks[1]) || !file.U32(&h->masks[2])) return false;
  }
  return true;
}

// The pixel format of the file's rows; false for what the file format does not allow.
bool FileFormat(const uint8_t* data, size_t size, const BmpHeader& h, PixelFormat* format) {
  const bool core = h.headerSize == kCoreHeaderSize;
  switch (h.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8: {
      if (h.compression != BI_RGB) return false;
      const uint32_t full = 1u << h.bitCount;
      const uint32_t count = core || h.colorsUsed == 0 || h.colorsUsed > full ? full : h.colorsUsed;
      // The colour table follows the header (and, for bit-field files, their masks).
      const size_t entry = core ? 3 : 4;
      size_t tableOffset = 14 + static_cast<size_t>(h.headerSize);
      ByteReader table = ByteReader(data, size).Sub(tableOffset, count * entry);
      if (table.Failed()) return false;
      std::vector<RGBQUAD> palette;
      for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = table.Here();
        palette.push_back(RGBQUAD{p[0], p[1], p[2], 0});
        table.Skip(entry);
      }
      *format = PixelFormat::Palettized(h.bitCount, palette);
      return true;
    }
    case 24:
      if (h.compression != BI_RGB) return false;
      *format = PixelFormat::Triples();
      return true;
    case 16:
    case 32:
      if (core) return false;
      if (h.compression == BI_RGB) {
        *format = h.bitCount == 16 ? PixelFormat::Masked(16, 0x7C00, 0x03E0, 0x001F)
                                   : PixelFormat::Masked(32, 0x00FF0000, 0x0000FF00, 0x000000FF);
        return true;
      }
      if (h.compression != BI_BITFIELDS) return false;
      *format = PixelFormat::Masked(h.bitCount, h.masks[0], h.masks[1], h.masks[2]);
      return true;
    default: return false;
  }
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink) {
  ByteReader file(data, size);
  BmpHeader h;
  if (!ReadHeader(file, &h) || h.planes != 1) return false;
  const int64_t height = h.height < 0 ? -h.height : h.height;
  if (!WithinLimits(h.width, height, limits)) return false;
  PixelFormat format;
  if (!FileFormat(data, size, h, &format)) return false;
  const int width = static_cast<int>(h.width);
  const int rows = static_cast<int>(height);
  const size_t stride = DibStride(width, h.bitCount);
  // Every row must be there: a file cut short is no picture.
  ByteReader pixels = file.Sub(h.pixelOffset, stride * static_cast<size_t>(rows));
  if (stride == 0 || pixels.Failed()) return false;
  if (!sink.Begin(width, rows)) return false;
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * 3);
  const bool topDown = h.height < 0;
  for (int y = 0; y < rows; ++y) {
    const int stored = topDown ? y : rows - 1 - y;
    const uint8_t* row = pixels.Here() + static_cast<size_t>(stored) * stride;
    for (int x = 0; x < width; ++x) {
      const COLORREF color = format.ToColor(format.ReadRaw(row, x));
      rgb[3 * x] = GetRValue(color);
      rgb[3 * x + 1] = GetGValue(color);
      rgb[3 * x + 2] = GetBValue(color);
    }
    sink.PutRow(y, rgb.data());
  }
  return true;
}

}  // namespace cesim::detail
