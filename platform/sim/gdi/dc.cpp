// Device contexts: creating and deleting them, selecting objects into them, their capabilities
// and stretching mode.
#include "gdi/dc.h"

#include "gdi/bitmaps.h"
#include "sim/core.h"
#include "sim/window.h"
#include "window/metrics.h"

namespace cesim::detail {

namespace {

// Takes an object out of a DC's selection count (and frees a bitmap for another DC).
void Deselect(HGDIOBJ handle) {
  GdiObject* object = FindGdiObject(handle);
  if (object == nullptr) return;
  if (object->selections > 0) --object->selections;
  if (object->kind == GdiKind::Bitmap) static_cast<Bitmap*>(object)->selectedInto = nullptr;
}

void Select(HDC hdc, HGDIOBJ handle) {
  GdiObject* object = FindGdiObject(handle);
  if (object == nullptr) return;
  ++object->selections;
  if (object->kind == GdiKind::Bitmap && !object->stock) static_cast<Bitmap*>(object)->selectedInto = hdc;
}

HDC NewDeviceContext(bool memory, HWND window) {
  auto dc = std::make_unique<DeviceContext>();
  dc->memory = memory;
  dc->window = window;
  dc->bitmap = memory ? DefaultBitmapHandle() : nullptr;
  dc->brush = static_cast<HBRUSH>(StockObjectHandle(WHITE_BRUSH));
  dc->pen = static_cast<HPEN>(StockObjectHandle(BLACK_PEN));
  dc->font = static_cast<HFONT>(StockObjectHandle(SYSTEM_FONT));
  dc->palette = static_cast<HPALETTE>(StockObjectHandle(DEFAULT_PALETTE));
  HGDIOBJ selected[] = {dc->bitmap, dc->brush, dc->pen, dc->font, dc->palette};
  HDC handle = static_cast<HDC>(AddGdiObject(std::move(dc)));
  for (HGDIOBJ object : selected) Select(handle, object);
  return handle;
}

void DeselectAll(const DeviceContext& dc) {
  Deselect(dc.bitmap);
  Deselect(dc.brush);
  Deselect(dc.pen);
  Deselect(dc.font);
  Deselect(dc.palette);
}

// Swaps the object of one slot of the DC; the previous one is given back.
template <typename Handle>
HGDIOBJ Swap(HDC hdc, Handle* slot, HGDIOBJ handle) {
  HGDIOBJ previous = *slot;
  if (previous == handle) return previous;
  Deselect(previous);
  *slot = static_cast<Handle>(handle);
  Select(hdc, handle);
  return previous;
}

HGDIOBJ SelectBitmap(HDC hdc, DeviceContext& dc, Bitmap& bitmap, HGDIOBJ handle) {
  // Bitmaps go only into memory DCs, and each into one DC at a time (the default bitmap into any).
  if (!dc.memory) return nullptr;
  if (handle == dc.bitmap) return handle;
  if (!bitmap.stock && bitmap.selectedInto != nullptr) return nullptr;
  return Swap(hdc, &dc.bitmap, handle);
}

}  // namespace

DeviceContext* FindDeviceContext(HDC handle) {
  return FindGdi<DeviceContext>(handle, GdiKind::DeviceContext);
}

}  // namespace cesim::detail

using namespace cesim::detail;

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc != nullptr && FindDeviceContext(hdc) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return NewDeviceContext(true, nullptr);
}

BOOL WINAPI DeleteDC(HDC hdc) {
  DeviceContext* dc = FindDeviceContext(hdc);
  // A DC of GetDC goes back with ReleaseDC, never DeleteDC.
  if (dc == nullptr || !dc->memory) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DeselectAll(*dc);
  RemoveGdiObject(hdc);
  return TRUE;
}

HDC WINAPI GetDC(HWND hWnd) {
  if (hWnd != nullptr && !IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return NewDeviceContext(false, hWnd);
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
  DeviceContext* dc = FindDeviceContext(hDC);
  if (dc == nullptr || dc->memory || dc->window != hWnd) return 0;
  DeselectAll(*dc);
  RemoveGdiObject(hDC);
  return 1;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ hgdiobj) {
  DeviceContext* dc = FindDeviceContext(hdc);
  GdiObject* object = FindGdiObject(hgdiobj);
  if (dc == nullptr || object == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  switch (object->kind) {
    case GdiKind::Bitmap: return SelectBitmap(hdc, *dc, *static_cast<Bitmap*>(object), hgdiobj);
    case GdiKind::Brush: return Swap(hdc, &dc->brush, hgdiobj);
    case GdiKind::Pen: return Swap(hdc, &dc->pen, hgdiobj);
    case GdiKind::Font: return Swap(hdc, &dc->font, hgdiobj);
    default:
      // Palettes are selected with SelectPalette; a DC is no object to select.
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT uObjectType) {
  DeviceContext* dc = FindDeviceContext(hdc);
  if (dc == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  switch (uObjectType) {
    case OBJ_BITMAP: return dc->bitmap;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_PEN: return dc->pen;
    case OBJ_FONT: return dc->font;
    case OBJ_PAL: return dc->palette;
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

int WINAPI GetDeviceCaps(HDC hdc, int nIndex) {
  if (FindDeviceContext(hdc) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  // Every DC describes the display: memory DCs are compatible with it.
  const int bits = DisplayBitsPerPixel();
  switch (nIndex) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return ScreenWidth();
    case VERTRES: return ScreenHeight();
    case HORZSIZE: return ScreenWidth() * 254 / 960;  // millimetres at 96 dots per inch
    case VERTSIZE: return ScreenHeight() * 254 / 960;
    case BITSPIXEL: return bits;
    case PLANES: return 1;
    case NUMCOLORS: return -1;  // more than 256 colours
    case SIZEPALETTE: return 0;
    case NUMRESERVED: return 0;
    case COLORRES: return 0;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_STRETCHBLT;
    default: return 0;
  }
}

int WINAPI SetStretchBltMode(HDC hdc, int iStretchMode) {
  DeviceContext* dc = FindDeviceContext(hdc);
  if (dc == nullptr || (iStretchMode != BLACKONWHITE && iStretchMode != WHITEONBLACK && iStretchMode != COLORONCOLOR)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int previous = dc->stretchMode;
  dc->stretchMode = iStretchMode;
  return previous;
}

int WINAPI GetStretchBltMode(HDC hdc) {
  DeviceContext* dc = FindDeviceContext(hdc);
  if (dc == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return dc->stretchMode;
}
