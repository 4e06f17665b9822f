#include "dib_sections.h"

#include <cstring>

namespace conformance {

namespace {

// A header followed by the three colour masks of BI_BITFIELDS, as CreateDIBSection reads them.
struct MaskedInfo {
  BITMAPINFOHEADER header;
  DWORD masks[3];
};

BITMAPINFOHEADER Header(int width, int height, int bitsPerPixel, DWORD compression) {
  BITMAPINFOHEADER header;
  std::memset(&header, 0, sizeof header);
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitsPerPixel);
  header.biCompression = compression;
  return header;
}

}  // namespace

HBITMAP MaskedDib(int width, int height, int bitsPerPixel, DWORD red, DWORD green, DWORD blue, void** pixels) {
  MaskedInfo info;
  info.header = Header(width, height, bitsPerPixel, BI_BITFIELDS);
  info.masks[0] = red;
  info.masks[1] = green;
  info.masks[2] = blue;
  return CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, pixels, nullptr, 0);
}

HBITMAP Dib565(int width, int height, void** pixels) {
  return MaskedDib(width, height, 16, 0xF800, 0x07E0, 0x001F, pixels);
}

HBITMAP RgbDib(int width, int height, int bitsPerPixel, void** pixels) {
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader = Header(width, height, bitsPerPixel, BI_RGB);
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0);
}

}  // namespace conformance
