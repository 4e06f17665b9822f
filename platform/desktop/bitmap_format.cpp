// Bitmaps as the device makes them: a colour bitmap of another depth than the display's (the
// device's 16-bit bitmaps are 5-6-5) can be selected into a memory DC of the display and drawn,
// where the desktop keeps it in its own depth, which no DC of the display takes. Such a bitmap is
// made in the display's format with the given pixels' colours.
#include "dib_format.h"

namespace {

// The display's bits per pixel.
int DisplayDepth() {
  HDC screen = GetDC(NULL);
  if (screen == NULL) return 0;
  const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(NULL, screen);
  return depth;
}

// The pixels of a bitmap of `height` rows of `rowBytes` (16-bit aligned, as CreateBitmap takes
// them) in rows of 32-bit alignment, as a DIB takes them; null when memory is short.
BYTE* DwordRows(const void* bits, int height, size_t rowBytes, size_t dibRowBytes) {
  BYTE* rows = static_cast<BYTE*>(LocalAlloc(LPTR, dibRowBytes * height));
  if (rows == NULL) return NULL;
  const BYTE* from = static_cast<const BYTE*>(bits);
  for (int row = 0; row < height; ++row) memcpy(rows + dibRowBytes * row, from + rowBytes * row, rowBytes);
  return rows;
}

}  // namespace

HBITMAP WINAPI cedesktop_CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  const int depth = DisplayDepth();
  const bool otherColourDepth = planes == 1 && (bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32) &&
                                static_cast<int>(bitsPerPixel) != depth;
  if (!otherColourDepth || width <= 0 || height <= 0) {
    return CreateBitmap(width, height, planes, bitsPerPixel, bits);
  }
  HDC screen = GetDC(NULL);
  if (screen == NULL) return NULL;
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  if (bitmap != NULL && bits != NULL) {
    const size_t rowBytes = ((static_cast<size_t>(width) * bitsPerPixel + 15) / 16) * 2;
    const size_t dibRowBytes = ((static_cast<size_t>(width) * bitsPerPixel + 31) / 32) * 4;
    BYTE* rows = DwordRows(bits, height, rowBytes, dibRowBytes);
    // The bitmap's rows run top-down.
    Bitfields16 info = TopDownDib(width, height, static_cast<WORD>(bitsPerPixel));
    if (rows == NULL ||
        SetDIBits(screen, bitmap, 0, height, rows, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0) {
      DeleteObject(bitmap);
      bitmap = NULL;
    }
    if (rows != NULL) LocalFree(rows);
  }
  ReleaseDC(NULL, screen);
  return bitmap;
}
