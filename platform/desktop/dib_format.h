// The device's 16-bit pixels as a DIB describes them: 5-6-5 bit fields, rows top-down.
#ifndef CEDESKTOP_DIB_FORMAT_H
#define CEDESKTOP_DIB_FORMAT_H

#include "desktop/ce_desktop.h"

struct Bitfields16 {
  BITMAPINFOHEADER header;
  DWORD masks[3];
};

// The description of a top-down DIB of `width` by `height` pixels of `bitsPerPixel` bits: 16
// bits as 5-6-5 bit fields, other depths as plain RGB.
inline Bitfields16 TopDownDib(LONG width, LONG height, WORD bitsPerPixel) {
  Bitfields16 info;
  memset(&info, 0, sizeof(info));
  info.header.biSize = sizeof(info.header);
  info.header.biWidth = width;
  info.header.biHeight = -height;
  info.header.biPlanes = 1;
  info.header.biBitCount = bitsPerPixel;
  info.header.biCompression = bitsPerPixel == 16 ? BI_BITFIELDS : BI_RGB;
  info.masks[0] = 0xF800;
  info.masks[1] = 0x07E0;
  info.masks[2] = 0x001F;
  return info;
}

#endif
