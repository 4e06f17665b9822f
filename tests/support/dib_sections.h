// DIB sections for tests, made through the plain Win32 API only (so that conformance tests can use
// them on any platform): the 5-6-5 bit-field format that the device's display and the module's
// preview use, 24-bit triples and 32-bit pixels.
#ifndef FOLDWISE_TESTS_DIB_SECTIONS_H
#define FOLDWISE_TESTS_DIB_SECTIONS_H

#include "ceplatform.h"

namespace foldwise_test {

enum class RowOrder { TopDown, BottomUp };

// A BITMAPINFO with room for three colour masks or a colour table of up to 256 entries.
struct DibDescription {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(this); }
  void SetMasks(DWORD red, DWORD green, DWORD blue);
};

DibDescription Describe(int width, int height, int bitsPerPixel, DWORD compression, RowOrder order);

// 16 bits, masks 0xF800, 0x07E0, 0x001F.
HBITMAP Dib565(int width, int height, RowOrder order, void** bits);
// 24 bits, blue-green-red bytes.
HBITMAP Dib24(int width, int height, RowOrder order, void** bits);
// 32 bits, masks 0xFF0000, 0x00FF00, 0x0000FF.
HBITMAP Dib32(int width, int height, RowOrder order, void** bits);

// Bytes per row of a DIB.
int DibStrideBytes(int width, int bitsPerPixel);

}  // namespace foldwise_test

#endif
