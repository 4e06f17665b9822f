// DIB sections that the graphics tests draw into and show: 16 bits with the display's 5-6-5
// masks (or any three masks given), and sections without masks (BI_RGB), as a decoded picture
// comes at 24 bits.
#ifndef FOLDWISE_CONFORMANCE_DIB_SECTIONS_H
#define FOLDWISE_CONFORMANCE_DIB_SECTIONS_H

#include "ceplatform.h"

namespace conformance {

// A negative height gives a top-down section. *pixels (when asked for) receives its bits.
HBITMAP MaskedDib(int width, int height, int bitsPerPixel, DWORD red, DWORD green, DWORD blue, void** pixels);
HBITMAP Dib565(int width, int height, void** pixels = nullptr);
HBITMAP RgbDib(int width, int height, int bitsPerPixel, void** pixels = nullptr);

}  // namespace conformance

#endif
