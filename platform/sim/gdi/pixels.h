// Pixel formats of bitmaps and the conversions between them: a pixel's stored value ("raw") and
// its colour, for palettes of 1 to 8 bits, for 16 and 32 bits with colour masks, and for 24-bit
// blue-green-red triples. Rows are addressed by the caller; these work on one row at a time.
#ifndef CESIM_GDI_PIXELS_H
#define CESIM_GDI_PIXELS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/gdi.h"
#include "sim/types.h"

namespace cesim::detail {

// One colour channel of a masked format: where its bits are and how its values widen to 8 bits.
struct Channel {
  DWORD mask = 0;
  int shift = 0;            // of the mask's lowest bit
  int bits = 0;             // bits in the mask, counted from its lowest bit
  std::array<BYTE, 256> to8{};  // channel value (its top 8 bits when wider) -> 8-bit intensity
};

class PixelFormat {
 public:
  // Palettized: 1, 2, 4 or 8 bits per pixel with their colour table (entries past it are black).
  static PixelFormat Palettized(int bitsPerPixel, std::vector<RGBQUAD> palette);
  // 16 or 32 bits with red, green and blue masks; each mask nonzero.
  static PixelFormat Masked(int bitsPerPixel, DWORD red, DWORD green, DWORD blue);
  // 24 bits: blue, green and red bytes.
  static PixelFormat Triples();

  int BitsPerPixel() const { return bitsPerPixel_; }
  bool IsPalettized() const { return bitsPerPixel_ <= 8; }
  bool IsMasked() const { return bitsPerPixel_ == 16 || bitsPerPixel_ == 32; }
  const std::vector<RGBQUAD>& Palette() const { return palette_; }
  DWORD Mask(int channel) const { return channels_[channel].mask; }
  bool SameAs(const PixelFormat& other) const;

  // The stored value of pixel x of a row, and storing one.
  uint32_t ReadRaw(const uint8_t* row, int x) const;
  void WriteRaw(uint8_t* row, int x, uint32_t raw) const;

  // The colour of a stored value, and the stored value that shows a colour (the nearest palette
  // entry; masked formats keep the top bits of each channel).
  COLORREF ToColor(uint32_t raw) const;
  uint32_t FromColor(COLORREF color) const;

  // The bits of a stored value that it actually holds (all of a masked pixel's colour bits).
  uint32_t ValueMask() const;

 private:
  int bitsPerPixel_ = 0;
  std::vector<RGBQUAD> palette_;
  std::array<Channel, 3> channels_{};  // red, green, blue
};

// Bytes per row: DIBs pad their rows to 32-bit boundaries, device-dependent bitmaps (CreateBitmap)
// to 16-bit boundaries. Zero when the row would not fit in 31 bits.
size_t DibStride(int width, int bitsPerPixel);
size_t DdbStride(int width, int bitsPerPixel);

}  // namespace cesim::detail

#endif
