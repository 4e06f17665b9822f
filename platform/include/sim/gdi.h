// The graphics device interface of the core library as the Windows CE SDK declares it: device
// contexts, bitmaps and device-independent bitmap sections, bit-block transfers, brushes, stock
// objects and device capabilities.
//
// Pointer-sized members: this host is 64-bit, so BITMAP (bmBits) and DIBSECTION (dshSection) are
// larger than the device's 24 and 84 bytes; callers pass sizeof of the structure, never a number.
#ifndef CESIM_FACE_GDI_H
#define CESIM_FACE_GDI_H

#include "sim/types.h"

CESIM_DECLARE_HANDLE(HPALETTE);

// ---------------------------------------------------------------------------------------------
// Colours.

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#define CLR_INVALID 0xFFFFFFFF

// ---------------------------------------------------------------------------------------------
// Objects.

// GetObjectType results.
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_METADC 4
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_METAFILE 9
#define OBJ_MEMDC 10
#define OBJ_EXTPEN 11
#define OBJ_ENHMETADC 12
#define OBJ_ENHMETAFILE 13

// GetStockObject indexes.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_PALETTE 15

// Brush styles (LOGBRUSH).
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL

struct LOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
};
typedef LOGBRUSH* PLOGBRUSH;
typedef LOGBRUSH* LPLOGBRUSH;

CESIM_API HGDIOBJ WINAPI GetStockObject(int fnObject);
CESIM_API HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ hgdiobj);
CESIM_API HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT uObjectType);
CESIM_API int WINAPI GetObjectW(HGDIOBJ hgdiobj, int cbBuffer, LPVOID lpvObject);
CESIM_API DWORD WINAPI GetObjectType(HGDIOBJ h);
CESIM_API BOOL WINAPI DeleteObject(HGDIOBJ hObject);
#define GetObject GetObjectW

// ---------------------------------------------------------------------------------------------
// Device contexts.

// GetDeviceCaps indexes and values.
#define DRIVERVERSION 0
#define TECHNOLOGY 2
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMBRUSHES 16
#define NUMPENS 18
#define NUMFONTS 22
#define NUMCOLORS 24
#define RASTERCAPS 38
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define NUMRESERVED 106
#define COLORRES 108

#define DT_RASDISPLAY 1

#define RC_BITBLT 1
#define RC_BITMAP64 8
#define RC_DI_BITMAP 0x0080
#define RC_PALETTE 0x0100
#define RC_STRETCHBLT 0x0800

CESIM_API HDC WINAPI CreateCompatibleDC(HDC hdc);
CESIM_API BOOL WINAPI DeleteDC(HDC hdc);
CESIM_API HDC WINAPI GetDC(HWND hWnd);
CESIM_API int WINAPI ReleaseDC(HWND hWnd, HDC hDC);
CESIM_API int WINAPI GetDeviceCaps(HDC hdc, int nIndex);

// ---------------------------------------------------------------------------------------------
// Bitmaps.

// DIB compression.
#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L

// DIB colour tables.
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};
typedef RGBQUAD* LPRGBQUAD;

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
typedef BITMAPINFOHEADER* LPBITMAPINFOHEADER;
typedef BITMAPINFOHEADER* PBITMAPINFOHEADER;

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};
typedef BITMAPINFO* LPBITMAPINFO;
typedef BITMAPINFO* PBITMAPINFO;

// The header of a .bmp file; packed to two bytes as on disk.
#pragma pack(push, 2)
struct BITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
};
#pragma pack(pop)
typedef BITMAPFILEHEADER* LPBITMAPFILEHEADER;
typedef BITMAPFILEHEADER* PBITMAPFILEHEADER;

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};
typedef BITMAP* PBITMAP;
typedef BITMAP* LPBITMAP;

struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
};
typedef DIBSECTION* LPDIBSECTION;
typedef DIBSECTION* PDIBSECTION;

CESIM_API HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT cPlanes, UINT cBitsPerPel, CONST VOID* lpvBits);
CESIM_API HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int nWidth, int nHeight);
CESIM_API HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT iUsage, VOID** ppvBits,
                                          HANDLE hSection, DWORD dwOffset);

// ---------------------------------------------------------------------------------------------
// Drawing.

// Ternary raster operations.
#define SRCCOPY 0x00CC0020
#define SRCPAINT 0x00EE0086
#define SRCAND 0x008800C6
#define SRCINVERT 0x00660046
#define SRCERASE 0x00440328
#define NOTSRCCOPY 0x00330008
#define NOTSRCERASE 0x001100A6
#define MERGECOPY 0x00C000CA
#define MERGEPAINT 0x00BB0226
#define PATCOPY 0x00F00021
#define PATPAINT 0x00FB0A09
#define PATINVERT 0x005A0049
#define DSTINVERT 0x00550009
#define BLACKNESS 0x00000042
#define WHITENESS 0x00FF0062

// Stretching modes.
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define STRETCH_ANDSCANS BLACKONWHITE
#define STRETCH_ORSCANS WHITEONBLACK
#define STRETCH_DELETESCANS COLORONCOLOR

CESIM_API BOOL WINAPI BitBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, HDC hdcSrc, int nXSrc,
                             int nYSrc, DWORD dwRop);
CESIM_API BOOL WINAPI StretchBlt(HDC hdcDest, int nXOriginDest, int nYOriginDest, int nWidthDest, int nHeightDest,
                                 HDC hdcSrc, int nXOriginSrc, int nYOriginSrc, int nWidthSrc, int nHeightSrc,
                                 DWORD dwRop);
CESIM_API int WINAPI SetStretchBltMode(HDC hdc, int iStretchMode);
CESIM_API int WINAPI GetStretchBltMode(HDC hdc);
CESIM_API COLORREF WINAPI GetPixel(HDC hdc, int nXPos, int nYPos);
CESIM_API COLORREF WINAPI SetPixel(HDC hdc, int X, int Y, COLORREF crColor);

CESIM_API HBRUSH WINAPI CreateSolidBrush(COLORREF crColor);
CESIM_API int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);

#endif
