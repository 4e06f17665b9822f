// The GDI from outside: live object counts, pixel memory and a bitmap's pixels.
#include "cesim/automation.h"
#include "gdi/bitmaps.h"
#include "gdi/objects.h"

namespace cesim {

GdiObjectCounts LiveGdiObjects() {
  GdiObjectCounts counts;
  counts.deviceContexts = detail::LiveGdiObjectCount(detail::GdiKind::DeviceContext);
  counts.bitmaps = detail::LiveGdiObjectCount(detail::GdiKind::Bitmap);
  counts.others = detail::LiveGdiObjectCount(detail::GdiKind::Brush) + detail::LiveGdiObjectCount(detail::GdiKind::Pen) +
                  detail::LiveGdiObjectCount(detail::GdiKind::Font) +
                  detail::LiveGdiObjectCount(detail::GdiKind::Palette);
  return counts;
}

BitmapMemory ReadBitmapMemory() {
  BitmapMemory memory;
  memory.liveBytes = detail::LivePixelBytes();
  memory.peakBytes = detail::PeakPixelBytes();
  return memory;
}

void ResetPeakBitmapMemory() { detail::ResetPeakPixelBytes(); }

std::optional<BitmapPixels> ReadBitmap(HBITMAP bitmap) {
  const detail::Bitmap* b = detail::FindBitmap(bitmap);
  if (b == nullptr) return std::nullopt;
  BitmapPixels result;
  result.width = b->width;
  result.height = b->height;
  result.bitsPerPixel = b->format.BitsPerPixel();
  result.dibSection = b->dibSection;
  result.pixels.reserve(static_cast<size_t>(b->width) * static_cast<size_t>(b->height));
  for (int y = 0; y < b->height; ++y) {
    const uint8_t* row = b->Row(y);
    for (int x = 0; x < b->width; ++x) result.pixels.push_back(b->format.ToColor(b->format.ReadRaw(row, x)));
  }
  return result;
}

}  // namespace cesim
