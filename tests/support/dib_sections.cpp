// DIB sections for tests.
#include "dib_sections.h"

#include <cstring>

namespace foldwise_test {

void DibDescription::SetMasks(DWORD red, DWORD green, DWORD blue) {
  const DWORD masks[3] = {red, green, blue};
  std::memcpy(colors, masks, sizeof masks);
}

DibDescription Describe(int width, int height, int bitsPerPixel, DWORD compression, RowOrder order) {
  DibDescription d;
  std::memset(&d, 0, sizeof d);
  d.header.biSize = sizeof(BITMAPINFOHEADER);
  d.header.biWidth = width;
  d.header.biHeight = order == RowOrder::TopDown ? -height : height;
  d.header.biPlanes = 1;
  d.header.biBitCount = static_cast<WORD>(bitsPerPixel);
  d.header.biCompression = compression;
  return d;
}

HBITMAP Dib565(int width, int height, RowOrder order, void** bits) {
  DibDescription d = Describe(width, height, 16, BI_BITFIELDS, order);
  d.SetMasks(0xF800, 0x07E0, 0x001F);
  return CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, bits, nullptr, 0);
}

HBITMAP Dib24(int width, int height, RowOrder order, void** bits) {
  DibDescription d = Describe(width, height, 24, BI_RGB, order);
  return CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, bits, nullptr, 0);
}

HBITMAP Dib32(int width, int height, RowOrder order, void** bits) {
  DibDescription d = Describe(width, height, 32, BI_BITFIELDS, order);
  d.SetMasks(0x00FF0000, 0x0000FF00, 0x000000FF);
  return CreateDIBSection(nullptr, d.Info(), DIB_RGB_COLORS, bits, nullptr, 0);
}

int DibStrideBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

}  // namespace foldwise_test
