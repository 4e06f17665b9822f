// Drawing on real pixels: bit-block transfers between memory DCs (BitBlt, StretchBlt) with every
// ternary raster operation, the stretching modes and conversion between pixel formats; single
// pixels, solid brushes and filled rectangles. Window DCs have no pixels: what is drawn on them is
// not kept, and they give nothing to read.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gdi/bitmaps.h"
#include "gdi/dc.h"
#include "sim/core.h"

namespace cesim::detail {

namespace {

// The colours a DC maps monochrome bits to: 0 is the text colour, 1 the background colour.
constexpr COLORREF kTextColor = RGB(0, 0, 0);
constexpr COLORREF kBackgroundColor = RGB(255, 255, 255);

Bitmap* SurfaceOf(const DeviceContext& dc) { return dc.memory ? FindBitmap(dc.bitmap) : nullptr; }

// The source pixels of a transfer: a bitmap's rows, or a copy of them when the transfer reads and
// writes the same bitmap.
struct SourcePixels {
  const Bitmap* bitmap = nullptr;
  const uint8_t* base = nullptr;
  const uint8_t* Row(int y) const {
    return base + static_cast<size_t>(bitmap->topDown ? y : bitmap->height - 1 - y) * bitmap->stride;
  }
};

// The pixels one signed extent covers along an axis: a negative extent reaches left of (or above)
// its origin, the origin itself excluded, and mirrors the picture.
struct Span {
  int origin = 0;
  int count = 0;
  bool negative = false;
};

// Coordinates and extents beyond 27 bits are refused, as the device's GDI does.
constexpr int kLargestCoordinate = 0x7FFFFFF;

bool InRange(int value) { return value >= -kLargestCoordinate && value <= kLargestCoordinate; }

Span MakeSpan(int origin, int extent) {
  if (extent < 0) return Span{origin + extent, -extent, true};
  return Span{origin, extent, false};
}

// For the destination pixels of one axis that lie on the bitmap (from `visibleFirst` on), the
// source pixels that each takes, as absolute source positions clipped to the source bitmap: when
// shrinking in a combining mode, every source pixel that falls into it; otherwise the one under
// its centre. An empty range leaves the destination pixel as it is.
struct AxisMap {
  int visibleFirst = 0;  // destination index of the first entry
  std::vector<int> first;
  std::vector<int> last;  // one past
};

AxisMap MapAxis(const Span& destination, int destinationLimit, const Span& source, int sourceLimit, bool combining,
                bool mirrored) {
  AxisMap map;
  const int64_t d = destination.count, s = source.count;
  const int64_t from = std::max<int64_t>(0, -static_cast<int64_t>(destination.origin));
  const int64_t to = std::min<int64_t>(d, static_cast<int64_t>(destinationLimit) - destination.origin);
  map.visibleFirst = static_cast<int>(from);
  for (int64_t i = from; i < to; ++i) {
    const int64_t at = mirrored ? d - 1 - i : i;
    int64_t start, end;
    if (combining && s > d) {
      // Source pixel j falls into destination pixel floor((2j + 1) d / 2s).
      start = std::max<int64_t>(0, (2 * s * at - d + 2 * d - 1) / (2 * d));
      end = std::min<int64_t>(s, (2 * s * (at + 1) - d + 2 * d - 1) / (2 * d));
    } else {
      start = ((2 * at + 1) * s) / (2 * d);
      end = start + 1;
    }
    start = std::max<int64_t>(start + source.origin, 0);
    end = std::min<int64_t>(end + source.origin, sourceLimit);
    map.first.push_back(static_cast<int>(start));
    map.last.push_back(static_cast<int>(std::max(start, end)));
  }
  return map;
}

// The value of a ternary raster operation (the operation's index byte) on pattern, source and
// destination bits.
uint32_t RasterOperation(BYTE code, uint32_t p, uint32_t s, uint32_t d) {
  switch (code) {
    case 0xCC: return s;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFFu;
    default: break;
  }
  uint32_t result = 0;
  for (int minterm = 0; minterm < 8; ++minterm) {
    if (((code >> minterm) & 1) == 0) continue;
    result |= ((minterm & 4) ? p : ~p) & ((minterm & 2) ? s : ~s) & ((minterm & 1) ? d : ~d);
  }
  return result;
}

bool UsesSource(BYTE code) { return ((code >> 2) & 0x33) != (code & 0x33); }

enum class Combine { One, And, Or };

// Reads stored values of a source row; specialised on the usual depths, because a preview reads
// every pixel of a camera picture.
struct Read16 {
  uint32_t operator()(const uint8_t* row, int x) const {
    uint16_t v;
    std::memcpy(&v, row + 2 * x, 2);
    return v;
  }
};
struct Read24 {
  uint32_t operator()(const uint8_t* row, int x) const {
    const uint8_t* p = row + 3 * x;
    return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
  }
};
struct Read32 {
  uint32_t operator()(const uint8_t* row, int x) const {
    uint32_t v;
    std::memcpy(&v, row + 4 * x, 4);
    return v;
  }
};
// Any depth; palettized pixels combine by colour, not by index.
struct ReadAny {
  const PixelFormat* format;
  uint32_t operator()(const uint8_t* row, int x) const {
    const uint32_t raw = format->ReadRaw(row, x);
    return format->IsPalettized() ? format->ToColor(raw) : raw;
  }
};

struct Transfer {
  Bitmap* destination = nullptr;
  SourcePixels source;  // no bitmap for operations without a source
  Span dx, dy, sx, sy;
  BYTE code = 0xCC;
  uint32_t pattern = 0;  // the DC's brush in the destination's stored form
  int mode = BLACKONWHITE;
};

// The destination's stored value for what a source pixel (or a combination of them) holds.
uint32_t ToDestination(const Transfer& t, uint32_t value) {
  const Bitmap& src = *t.source.bitmap;
  const Bitmap& dst = *t.destination;
  if (!src.format.IsPalettized() && src.format.SameAs(dst.format)) return value;
  if (src.format.IsPalettized() && src.format.SameAs(dst.format)) return dst.format.FromColor(value);
  // A monochrome device bitmap shows its bits in the DC's text and background colours.
  COLORREF color;
  if (src.format.BitsPerPixel() == 1 && !src.dibSection) {
    color = value == kBackgroundColor ? kBackgroundColor : kTextColor;
  } else {
    color = src.format.IsPalettized() ? value : src.format.ToColor(value);
  }
  // A colour picture turned into a monochrome device bitmap: the background colour gives white
  // bits, every other colour black ones.
  if (dst.format.BitsPerPixel() == 1 && !dst.dibSection && src.format.BitsPerPixel() != 1)
    return color == kBackgroundColor ? 1 : 0;
  return dst.format.FromColor(color);
}

void Store(const Transfer& t, int x, int y, uint32_t sourceValue) {
  Bitmap& dst = *t.destination;
  uint8_t* row = dst.Row(y);
  const uint32_t d = t.code == 0xCC ? 0 : dst.format.ReadRaw(row, x);
  dst.format.WriteRaw(row, x, RasterOperation(t.code, t.pattern, sourceValue, d) & dst.format.ValueMask());
}

// Folds one source row into the values of one destination row: each destination pixel combines
// the source pixels of its column range. Kept tight, as it reads every pixel of the source.
template <Combine C, typename Read>
void FoldRow(const uint8_t* line, const AxisMap& columns, Read read, std::vector<uint32_t>& values) {
  const size_t width = values.size();
  for (size_t c = 0; c < width; ++c) {
    const int first = columns.first[c], last = columns.last[c];
    if (first >= last) continue;
    if constexpr (C == Combine::One) {
      values[c] = read(line, first);
    } else {
      uint32_t value = values[c];
      for (int sx = first; sx < last; ++sx) {
        if constexpr (C == Combine::And) {
          value &= read(line, sx);
        } else {
          value |= read(line, sx);
        }
      }
      values[c] = value;
    }
  }
}

template <Combine C, typename Read>
void RunWithSource(const Transfer& t, Read read) {
  const Bitmap& src = *t.source.bitmap;
  const Bitmap& dst = *t.destination;
  const bool mirrorX = t.dx.negative != t.sx.negative, mirrorY = t.dy.negative != t.sy.negative;
  const AxisMap columns = MapAxis(t.dx, dst.width, t.sx, src.width, C != Combine::One, mirrorX);
  const AxisMap rows = MapAxis(t.dy, dst.height, t.sy, src.height, C != Combine::One, mirrorY);
  const size_t width = columns.first.size();
  // AND starts from all ones, OR from none; a pixel whose ranges are empty keeps its value.
  const uint32_t start = C == Combine::And ? 0xFFFFFFFFu : 0;
  std::vector<uint32_t> values(width);
  for (size_t i = 0; i < rows.first.size(); ++i) {
    if (rows.first[i] >= rows.last[i]) continue;
    const int y = t.dy.origin + rows.visibleFirst + static_cast<int>(i);
    std::fill(values.begin(), values.end(), start);
    for (int sy = rows.first[i]; sy < rows.last[i]; ++sy) FoldRow<C>(t.source.Row(sy), columns, read, values);
    for (size_t c = 0; c < width; ++c) {
      if (columns.first[c] >= columns.last[c]) continue;
      Store(t, t.dx.origin + columns.visibleFirst + static_cast<int>(c), y, ToDestination(t, values[c]));
    }
  }
}

template <typename Read>
void RunWithSource(const Transfer& t, Read read) {
  switch (t.mode) {
    case BLACKONWHITE: return RunWithSource<Combine::And>(t, read);
    case WHITEONBLACK: return RunWithSource<Combine::Or>(t, read);
    default: return RunWithSource<Combine::One>(t, read);
  }
}

void RunWithoutSource(const Transfer& t) {
  const Bitmap& dst = *t.destination;
  const int left = std::max(t.dx.origin, 0), right = std::min<int64_t>(static_cast<int64_t>(t.dx.origin) + t.dx.count, dst.width);
  const int top = std::max(t.dy.origin, 0), bottom = std::min<int64_t>(static_cast<int64_t>(t.dy.origin) + t.dy.count, dst.height);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) Store(t, x, y, 0);
  }
}

void Run(const Transfer& t) {
  if (t.source.bitmap == nullptr) return RunWithoutSource(t);
  const PixelFormat& format = t.source.bitmap->format;
  if (format.IsPalettized()) return RunWithSource(t, ReadAny{&format});
  switch (format.BitsPerPixel()) {
    case 16: return RunWithSource(t, Read16());
    case 24: return RunWithSource(t, Read24());
    default: return RunWithSource(t, Read32());
  }
}

uint32_t BrushValue(const DeviceContext& dc, const Bitmap& destination) {
  const Brush* brush = FindGdi<Brush>(dc.brush, GdiKind::Brush);
  if (brush == nullptr || brush->style != BS_SOLID) return 0;
  return destination.format.FromColor(brush->color);
}

BOOL Blit(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
          int hSrc, DWORD rop) {
  DeviceContext* dst = FindDeviceContext(hdcDest);
  if (dst == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const BYTE code = static_cast<BYTE>((rop >> 16) & 0xFF);
  const bool needsSource = UsesSource(code);
  DeviceContext* src = needsSource ? FindDeviceContext(hdcSrc) : nullptr;
  if (needsSource && src == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!InRange(xDest) || !InRange(yDest) || !InRange(wDest) || !InRange(hDest) ||
      (needsSource && (!InRange(xSrc) || !InRange(ySrc) || !InRange(wSrc) || !InRange(hSrc)))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (wDest == 0 || hDest == 0) return TRUE;
  Bitmap* surface = SurfaceOf(*dst);
  Bitmap* sourceBitmap = needsSource ? SurfaceOf(*src) : nullptr;
  // A window DC gives no pixels to read.
  if (needsSource && sourceBitmap == nullptr) return FALSE;
  if (needsSource && (wSrc == 0 || hSrc == 0)) return FALSE;
  // Drawing on a window DC is not kept; the default bitmap of a memory DC is read-only.
  if (surface == nullptr || surface->stock) return TRUE;

  Transfer t;
  t.destination = surface;
  t.dx = MakeSpan(xDest, wDest);
  t.dy = MakeSpan(yDest, hDest);
  t.code = code;
  t.pattern = BrushValue(*dst, *surface);
  t.mode = dst->stretchMode;
  std::vector<uint8_t> copy;
  if (sourceBitmap != nullptr) {
    t.source.bitmap = sourceBitmap;
    t.source.base = sourceBitmap->pixels;
    // Reading and writing one bitmap: read from the picture as it was before the transfer.
    if (sourceBitmap == surface) {
      copy.assign(sourceBitmap->pixels, sourceBitmap->pixels + sourceBitmap->bytes);
      t.source.base = copy.data();
    }
    t.sx = MakeSpan(xSrc, wSrc);
    t.sy = MakeSpan(ySrc, hSrc);
  }
  Run(t);
  return TRUE;
}

}  // namespace

}  // namespace cesim::detail

using namespace cesim::detail;

BOOL WINAPI BitBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, HDC hdcSrc, int nXSrc, int nYSrc,
                   DWORD dwRop) {
  return Blit(hdcDest, nXDest, nYDest, nWidth, nHeight, hdcSrc, nXSrc, nYSrc, nWidth, nHeight, dwRop);
}

BOOL WINAPI StretchBlt(HDC hdcDest, int nXOriginDest, int nYOriginDest, int nWidthDest, int nHeightDest, HDC hdcSrc,
                       int nXOriginSrc, int nYOriginSrc, int nWidthSrc, int nHeightSrc, DWORD dwRop) {
  return Blit(hdcDest, nXOriginDest, nYOriginDest, nWidthDest, nHeightDest, hdcSrc, nXOriginSrc, nYOriginSrc,
              nWidthSrc, nHeightSrc, dwRop);
}

COLORREF WINAPI GetPixel(HDC hdc, int nXPos, int nYPos) {
  DeviceContext* dc = FindDeviceContext(hdc);
  Bitmap* surface = dc != nullptr ? SurfaceOf(*dc) : nullptr;
  if (surface == nullptr || nXPos < 0 || nYPos < 0 || nXPos >= surface->width || nYPos >= surface->height)
    return CLR_INVALID;
  return surface->format.ToColor(surface->format.ReadRaw(surface->Row(nYPos), nXPos));
}

COLORREF WINAPI SetPixel(HDC hdc, int X, int Y, COLORREF crColor) {
  DeviceContext* dc = FindDeviceContext(hdc);
  Bitmap* surface = dc != nullptr ? SurfaceOf(*dc) : nullptr;
  if (surface == nullptr || X < 0 || Y < 0 || X >= surface->width || Y >= surface->height) return CLR_INVALID;
  // The default bitmap of a memory DC is read-only.
  if (surface->stock) return CLR_INVALID;
  const uint32_t raw = surface->format.FromColor(crColor & 0x00FFFFFF);
  surface->format.WriteRaw(surface->Row(Y), X, raw);
  return surface->format.ToColor(raw);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF crColor) {
  auto brush = std::make_unique<Brush>();
  brush->style = BS_SOLID;
  brush->color = crColor & 0x00FFFFFF;
  return static_cast<HBRUSH>(AddGdiObject(std::move(brush)));
}

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DeviceContext* dc = FindDeviceContext(hDC);
  const Brush* brush = FindGdi<Brush>(hbr, GdiKind::Brush);
  if (dc == nullptr || brush == nullptr || lprc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  Bitmap* surface = SurfaceOf(*dc);
  if (surface == nullptr || surface->stock || brush->style != BS_SOLID) return 1;
  const uint32_t raw = surface->format.FromColor(brush->color);
  const int left = std::max<LONG>(lprc->left, 0), right = std::min<LONG>(lprc->right, surface->width);
  const int top = std::max<LONG>(lprc->top, 0), bottom = std::min<LONG>(lprc->bottom, surface->height);
  for (int y = top; y < bottom; ++y) {
    uint8_t* row = surface->Row(y);
    for (int x = left; x < right; ++x) surface->format.WriteRaw(row, x, raw);
  }
  return 1;
}
