// The GDI object table, the stock objects and the calls that every kind of object shares:
// GetStockObject, GetObjectType, GetObjectW and DeleteObject.
#include "gdi/objects.h"

#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "gdi/bitmaps.h"
#include "gdi/dc.h"
#include "sim/core.h"

namespace cesim::detail {

namespace {

// Stock objects have fixed handles, one per index; other objects are numbered from a base of
// their own in steps of four and never reused, not even across boots.
constexpr uintptr_t kStockBase = 0x0F000000;
constexpr uintptr_t kObjectBase = 0x10000000;

struct Table {
  std::unordered_map<uintptr_t, std::unique_ptr<GdiObject>> objects;
};

Table& State() {
  static Table table;
  return table;
}

uintptr_t& NextHandleValue() {
  static uintptr_t next = kObjectBase;
  return next;
}

// The stock objects of the device, by GetStockObject index; the default bitmap takes the index
// after the last one, which GetStockObject does not give out.
constexpr int kDefaultBitmapIndex = DEFAULT_PALETTE + 1;

uintptr_t StockValue(int index) { return kStockBase + static_cast<uintptr_t>(index) * 4; }

void AddStock(int index, std::unique_ptr<GdiObject> object) {
  object->stock = true;
  State().objects[StockValue(index)] = std::move(object);
}

std::unique_ptr<GdiObject> StockBrush(UINT style, COLORREF color) {
  auto brush = std::make_unique<Brush>();
  brush->style = style;
  brush->color = color;
  return brush;
}

std::unique_ptr<GdiObject> StockPen(COLORREF color, bool null) {
  auto pen = std::make_unique<Pen>();
  pen->color = color;
  pen->null = null;
  return pen;
}

void AddStockObjects() {
  AddStock(WHITE_BRUSH, StockBrush(BS_SOLID, RGB(255, 255, 255)));
  AddStock(LTGRAY_BRUSH, StockBrush(BS_SOLID, RGB(192, 192, 192)));
  AddStock(GRAY_BRUSH, StockBrush(BS_SOLID, RGB(128, 128, 128)));
  AddStock(DKGRAY_BRUSH, StockBrush(BS_SOLID, RGB(64, 64, 64)));
  AddStock(BLACK_BRUSH, StockBrush(BS_SOLID, RGB(0, 0, 0)));
  AddStock(NULL_BRUSH, StockBrush(BS_NULL, 0));
  AddStock(WHITE_PEN, StockPen(RGB(255, 255, 255), false));
  AddStock(BLACK_PEN, StockPen(RGB(0, 0, 0), false));
  AddStock(NULL_PEN, StockPen(0, true));
  AddStock(SYSTEM_FONT, std::make_unique<Font>());
  AddStock(DEFAULT_PALETTE, std::make_unique<Palette>());
  // The read-only 1 x 1 monochrome bitmap that a new memory device context holds.
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->width = bitmap->height = 1;
  bitmap->format = DeviceFormat(1);
  bitmap->stride = DdbStride(1, 1);
  bitmap->bytes = bitmap->stride;
  bitmap->pixels = static_cast<uint8_t*>(std::calloc(1, bitmap->bytes));
  bitmap->counted = false;  // the device's own, not the application's pixel memory
  AddStock(kDefaultBitmapIndex, std::move(bitmap));
}

int LogBrushSize() { return static_cast<int>(sizeof(LOGBRUSH)); }

int BitmapObject(const Bitmap& b, int size, void* buffer) {
  if (buffer == nullptr) return static_cast<int>(sizeof(BITMAP));
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP bm = {};
  bm.bmType = 0;
  bm.bmWidth = b.width;
  bm.bmHeight = b.height;
  bm.bmWidthBytes = static_cast<LONG>(b.stride);
  bm.bmPlanes = 1;
  bm.bmBitsPixel = static_cast<WORD>(b.format.BitsPerPixel());
  // Only a DIB section lets the application reach its pixels.
  bm.bmBits = b.dibSection ? b.pixels : nullptr;
  if (!b.dibSection || size < static_cast<int>(sizeof(DIBSECTION))) {
    std::memcpy(buffer, &bm, sizeof bm);
    return static_cast<int>(sizeof(BITMAP));
  }
  DIBSECTION ds = {};
  ds.dsBm = bm;
  ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
  ds.dsBmih.biWidth = b.width;
  ds.dsBmih.biHeight = b.height;  // given as positive whatever the row order
  ds.dsBmih.biPlanes = 1;
  ds.dsBmih.biBitCount = bm.bmBitsPixel;
  ds.dsBmih.biCompression = b.compression;
  ds.dsBmih.biSizeImage = static_cast<DWORD>(b.bytes);
  ds.dsBmih.biClrUsed = b.format.IsPalettized() ? static_cast<DWORD>(b.format.Palette().size()) : 0;
  if (b.compression == BI_BITFIELDS) {
    for (int i = 0; i < 3; ++i) ds.dsBitfields[i] = b.format.Mask(i);
  }
  ds.dshSection = nullptr;
  ds.dsOffset = 0;
  std::memcpy(buffer, &ds, sizeof ds);
  return static_cast<int>(sizeof(DIBSECTION));
}

}  // namespace

HGDIOBJ AddGdiObject(std::unique_ptr<GdiObject> object) {
  uintptr_t& next = NextHandleValue();
  const uintptr_t value = next;
  next += 4;
  State().objects[value] = std::move(object);
  return reinterpret_cast<HGDIOBJ>(value);
}

GdiObject* FindGdiObject(HGDIOBJ handle) {
  if (handle == nullptr) return nullptr;
  auto& objects = State().objects;
  auto it = objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == objects.end() ? nullptr : it->second.get();
}

void RemoveGdiObject(HGDIOBJ handle) { State().objects.erase(reinterpret_cast<uintptr_t>(handle)); }

HGDIOBJ StockObjectHandle(int index) {
  if (index < 0 || index > DEFAULT_PALETTE) return nullptr;
  HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(StockValue(index));
  return FindGdiObject(handle) != nullptr ? handle : nullptr;
}

HBITMAP DefaultBitmapHandle() { return reinterpret_cast<HBITMAP>(StockValue(kDefaultBitmapIndex)); }

size_t LiveGdiObjectCount(GdiKind kind) {
  size_t count = 0;
  for (const auto& entry : State().objects) {
    if (!entry.second->stock && entry.second->kind == kind) ++count;
  }
  return count;
}

void ResetGraphics(Phase phase) {
  State().objects.clear();
  ResetPixelMemory();
  if (phase == Phase::Boot) AddStockObjects();
}

}  // namespace cesim::detail

using namespace cesim::detail;

HGDIOBJ WINAPI GetStockObject(int fnObject) { return StockObjectHandle(fnObject); }

DWORD WINAPI GetObjectType(HGDIOBJ h) {
  GdiObject* object = FindGdiObject(h);
  if (object == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  switch (object->kind) {
    case GdiKind::DeviceContext: return static_cast<DeviceContext*>(object)->memory ? OBJ_MEMDC : OBJ_DC;
    case GdiKind::Bitmap: return OBJ_BITMAP;
    case GdiKind::Brush: return OBJ_BRUSH;
    case GdiKind::Pen: return OBJ_PEN;
    case GdiKind::Font: return OBJ_FONT;
    case GdiKind::Palette: return OBJ_PAL;
  }
  return 0;
}

int WINAPI GetObjectW(HGDIOBJ hgdiobj, int cbBuffer, LPVOID lpvObject) {
  GdiObject* object = FindGdiObject(hgdiobj);
  if (object == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  switch (object->kind) {
    case GdiKind::Bitmap: return BitmapObject(*static_cast<Bitmap*>(object), cbBuffer, lpvObject);
    case GdiKind::Brush: {
      if (lpvObject == nullptr) return LogBrushSize();
      if (cbBuffer < LogBrushSize()) return 0;
      const Brush& brush = *static_cast<Brush*>(object);
      LOGBRUSH lb = {brush.style, brush.color, 0};
      std::memcpy(lpvObject, &lb, sizeof lb);
      return LogBrushSize();
    }
    default:
      // Pens, fonts and palettes carry no description here; device contexts have none.
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

BOOL WINAPI DeleteObject(HGDIOBJ hObject) {
  GdiObject* object = FindGdiObject(hObject);
  if (object == nullptr || object->kind == GdiKind::DeviceContext) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (object->stock) return TRUE;  // stock objects outlive every call
  // The device refuses an object that a device context still has selected.
  if (object->selections > 0) return FALSE;
  RemoveGdiObject(hObject);
  return TRUE;
}
