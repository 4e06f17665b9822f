// Pixel formats and their conversions.
#include "gdi/pixels.h"

#include <limits>

namespace cesim::detail {

namespace {

// Widens a value of `bits` bits to 8 by repeating its bits, so that all ones stays all ones
// (5-bit 31 is 255) and the conversion back by truncation gives the value again.
BYTE Widen(uint32_t value, int bits) {
  if (bits >= 8) return static_cast<BYTE>(value >> (bits - 8));
  uint32_t result = 0;
  int filled = 0;
  while (filled < 8) {
    result = (result << bits) | value;
    filled += bits;
  }
  return static_cast<BYTE>(result >> (filled - 8));
}

Channel MakeChannel(DWORD mask) {
  Channel c;
  c.mask = mask;
  if (mask == 0) return c;
  while (((mask >> c.shift) & 1) == 0) ++c.shift;
  DWORD bits = mask >> c.shift;
  while (bits != 0) {
    ++c.bits;
    bits >>= 1;
  }
  const int kept = c.bits > 8 ? 8 : c.bits;
  for (uint32_t v = 0; v < (1u << kept); ++v) c.to8[v] = Widen(v, kept);
  return c;
}

BYTE ChannelTo8(const Channel& c, uint32_t raw) {
  uint32_t value = (raw & c.mask) >> c.shift;
  if (c.bits > 8) value >>= (c.bits - 8);
  return c.to8[value & 0xFF];
}

uint32_t ChannelFrom8(const Channel& c, BYTE intensity) {
  if (c.bits == 0) return 0;
  uint32_t value;
  if (c.bits <= 8) {
    value = static_cast<uint32_t>(intensity) >> (8 - c.bits);
  } else {
    // Wider than 8 bits: the intensity's bits repeated down to the channel's width.
    value = 0;
    int filled = 0;
    while (filled < c.bits) {
      value = (value << 8) | intensity;
      filled += 8;
    }
    value >>= (filled - c.bits);
  }
  return (value << c.shift) & c.mask;
}

}  // namespace

PixelFormat PixelFormat::Palettized(int bitsPerPixel, std::vector<RGBQUAD> palette) {
  PixelFormat f;
  f.bitsPerPixel_ = bitsPerPixel;
  palette.resize(static_cast<size_t>(1) << bitsPerPixel, RGBQUAD{0, 0, 0, 0});
  f.palette_ = std::move(palette);
  return f;
}

PixelFormat PixelFormat::Masked(int bitsPerPixel, DWORD red, DWORD green, DWORD blue) {
  PixelFormat f;
  f.bitsPerPixel_ = bitsPerPixel;
  f.channels_ = {MakeChannel(red), MakeChannel(green), MakeChannel(blue)};
  return f;
}

PixelFormat PixelFormat::Triples() {
  PixelFormat f = Masked(24, 0x00FF0000, 0x0000FF00, 0x000000FF);
  return f;
}

bool PixelFormat::SameAs(const PixelFormat& other) const {
  if (bitsPerPixel_ != other.bitsPerPixel_) return false;
  if (IsPalettized()) {
    for (size_t i = 0; i < palette_.size(); ++i) {
      const RGBQUAD& a = palette_[i];
      const RGBQUAD& b = other.palette_[i];
      if (a.rgbRed != b.rgbRed || a.rgbGreen != b.rgbGreen || a.rgbBlue != b.rgbBlue) return false;
    }
    return true;
  }
  for (int i = 0; i < 3; ++i) {
    if (channels_[i].mask != other.channels_[i].mask) return false;
  }
  return true;
}

uint32_t PixelFormat::ReadRaw(const uint8_t* row, int x) const {
  switch (bitsPerPixel_) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 2: return (row[x >> 2] >> (6 - 2 * (x & 3))) & 3;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    case 8: return row[x];
    case 16: return static_cast<uint32_t>(row[2 * x] | (row[2 * x + 1] << 8));
    case 24: {
      const uint8_t* p = row + 3 * x;
      return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
    }
    case 32: {
      const uint8_t* p = row + 4 * x;
      return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
             (static_cast<uint32_t>(p[3]) << 24);
    }
    default: return 0;
  }
}

void PixelFormat::WriteRaw(uint8_t* row, int x, uint32_t raw) const {
  switch (bitsPerPixel_) {
    case 1: {
      const int shift = 7 - (x & 7);
      row[x >> 3] = static_cast<uint8_t>((row[x >> 3] & ~(1 << shift)) | ((raw & 1) << shift));
      return;
    }
    case 2: {
      const int shift = 6 - 2 * (x & 3);
      row[x >> 2] = static_cast<uint8_t>((row[x >> 2] & ~(3 << shift)) | ((raw & 3) << shift));
      return;
    }
    case 4: {
      const int shift = (x & 1) ? 0 : 4;
      row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & ~(0xF << shift)) | ((raw & 0xF) << shift));
      return;
    }
    case 8: row[x] = static_cast<uint8_t>(raw); return;
    case 16:
      row[2 * x] = static_cast<uint8_t>(raw);
      row[2 * x + 1] = static_cast<uint8_t>(raw >> 8);
      return;
    case 24: {
      uint8_t* p = row + 3 * x;
      p[0] = static_cast<uint8_t>(raw);
      p[1] = static_cast<uint8_t>(raw >> 8);
      p[2] = static_cast<uint8_t>(raw >> 16);
      return;
    }
    case 32: {
      uint8_t* p = row + 4 * x;
      p[0] = static_cast<uint8_t>(raw);
      p[1] = static_cast<uint8_t>(raw >> 8);
      p[2] = static_cast<uint8_t>(raw >> 16);
      p[3] = static_cast<uint8_t>(raw >> 24);
      return;
    }
    default: return;
  }
}

COLORREF PixelFormat::ToColor(uint32_t raw) const {
  if (IsPalettized()) {
    if (raw >= palette_.size()) return RGB(0, 0, 0);
    const RGBQUAD& q = palette_[raw];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
  return RGB(ChannelTo8(channels_[0], raw), ChannelTo8(channels_[1], raw), ChannelTo8(channels_[2], raw));
}

uint32_t PixelFormat::FromColor(COLORREF color) const {
  const BYTE r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  if (IsPalettized()) {
    // The nearest colour of the table; the device does not dither.
    uint32_t best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (size_t i = 0; i < palette_.size(); ++i) {
      const RGBQUAD& q = palette_[i];
      const long dr = q.rgbRed - r, dg = q.rgbGreen - g, db = q.rgbBlue - b;
      const long distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = static_cast<uint32_t>(i);
        if (distance == 0) break;
      }
    }
    return best;
  }
  return ChannelFrom8(channels_[0], r) | ChannelFrom8(channels_[1], g) | ChannelFrom8(channels_[2], b);
}

uint32_t PixelFormat::ValueMask() const {
  if (IsPalettized()) return (1u << bitsPerPixel_) - 1;
  return channels_[0].mask | channels_[1].mask | channels_[2].mask;
}

size_t DibStride(int width, int bitsPerPixel) {
  if (width <= 0 || bitsPerPixel <= 0) return 0;
  const uint64_t bits = static_cast<uint64_t>(width) * static_cast<uint64_t>(bitsPerPixel);
  const uint64_t stride = ((bits + 31) / 32) * 4;
  return stride > 0x7FFFFFFF ? 0 : static_cast<size_t>(stride);
}

size_t DdbStride(int width, int bitsPerPixel) {
  if (width <= 0 || bitsPerPixel <= 0) return 0;
  const uint64_t bits = static_cast<uint64_t>(width) * static_cast<uint64_t>(bitsPerPixel);
  const uint64_t stride = ((bits + 15) / 16) * 2;
  return stride > 0x7FFFFFFF ? 0 : static_cast<size_t>(stride);
}

}  // namespace cesim::detail
