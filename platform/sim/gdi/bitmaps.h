// Bitmaps as the GDI keeps them: device-dependent bitmaps (CreateBitmap, CreateCompatibleBitmap)
// with rows padded to 16 bits and stored top row first, and DIB sections (CreateDIBSection) with
// rows padded to 32 bits, stored top-down or bottom-up as their header said, whose pixels the
// application writes directly. Also the pixel memory that bitmaps hold, live and at its peak.
#ifndef CESIM_GDI_BITMAPS_H
#define CESIM_GDI_BITMAPS_H

#include <cstddef>
#include <cstdint>

#include "gdi/objects.h"
#include "gdi/pixels.h"
#include "sim/gdi.h"

namespace cesim::detail {

struct Bitmap : GdiObject {
  Bitmap() : GdiObject(GdiKind::Bitmap) {}
  ~Bitmap() override;

  int width = 0;
  int height = 0;
  PixelFormat format;
  size_t stride = 0;          // bytes per row
  uint8_t* pixels = nullptr;  // stride * height bytes
  size_t bytes = 0;
  bool dibSection = false;
  bool topDown = true;        // DIB sections made with a negative height; every device-dependent bitmap
  DWORD compression = BI_RGB; // DIB sections: BI_RGB or BI_BITFIELDS
  HDC selectedInto = nullptr; // the one memory DC that has it selected
  bool counted = true;        // its pixels count as the application's pixel memory

  // Row y counted from the top of the picture.
  uint8_t* Row(int y) const { return pixels + static_cast<size_t>(topDown ? y : height - 1 - y) * stride; }
};

// A new bitmap with storage of its own: zero-filled, or left undefined (filled with a recognisable
// pattern) when the platform documents its contents as undefined. Null (and the last error set)
// when the size is refused or the memory cannot be had.
enum class InitialPixels { Zero, Undefined };
HBITMAP NewBitmap(int width, int height, const PixelFormat& format, bool dibSection, bool topDown,
                  DWORD compression, InitialPixels initial, void** pixels);

Bitmap* FindBitmap(HGDIOBJ handle);

// The largest pixel store a bitmap may have; a handheld could not hold a larger one.
constexpr size_t kLargestPixelStore = size_t{256} * 1024 * 1024;

// The display's own format (the [screen] depth of the image: 16 bits of 5-6-5 unless it names
// 24 or 32), which screen-compatible bitmaps and the shell's image loader use.
int DisplayBitsPerPixel();
PixelFormat DisplayFormat();
// The format of a device-dependent bitmap of the given depth (1, 2, 4, 8, 16, 24 or 32 bits).
PixelFormat DeviceFormat(int bitsPerPixel);

// Bytes of pixel memory that live bitmaps hold, and the most held at once since boot or since
// the peak was last reset.
size_t LivePixelBytes();
size_t PeakPixelBytes();
void ResetPeakPixelBytes();
void ResetPixelMemory();

}  // namespace cesim::detail

#endif
