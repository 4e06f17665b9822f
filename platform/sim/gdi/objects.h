// The table of GDI objects: every handle that the GDI calls take is looked up here, so that a
// deleted or foreign handle fails as the device reports it instead of reaching freed memory. It
// also holds the stock objects and counts the live objects for automation.
#ifndef CESIM_GDI_OBJECTS_H
#define CESIM_GDI_OBJECTS_H

#include <cstddef>
#include <memory>

#include "core/parts.h"
#include "sim/gdi.h"
#include "sim/types.h"

namespace cesim::detail {

enum class GdiKind { DeviceContext, Bitmap, Brush, Pen, Font, Palette };

struct GdiObject {
  explicit GdiObject(GdiKind k) : kind(k) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  const GdiKind kind;
  bool stock = false;   // a stock object: never deleted, may be selected into any number of DCs
  int selections = 0;   // device contexts that have it selected
};

// Brushes, pens, fonts and palettes: only what their GetObjectW and drawing need.
struct Brush : GdiObject {
  Brush() : GdiObject(GdiKind::Brush) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
};
struct Pen : GdiObject {
  Pen() : GdiObject(GdiKind::Pen) {}
  COLORREF color = 0;
  bool null = false;
};
struct Font : GdiObject {
  Font() : GdiObject(GdiKind::Font) {}
};
struct Palette : GdiObject {
  Palette() : GdiObject(GdiKind::Palette) {}
};

// Adds an object and gives it a handle; handles are never used twice, not even after a reboot.
HGDIOBJ AddGdiObject(std::unique_ptr<GdiObject> object);
// The live object of a handle, or null for null, stale and unknown handles.
GdiObject* FindGdiObject(HGDIOBJ handle);
// The live object of a handle when it is of the kind asked for.
template <typename T>
T* FindGdi(HGDIOBJ handle, GdiKind kind) {
  GdiObject* object = FindGdiObject(handle);
  return object != nullptr && object->kind == kind ? static_cast<T*>(object) : nullptr;
}
// Removes an object; its handle turns stale.
void RemoveGdiObject(HGDIOBJ handle);

// A stock object by its GetStockObject index, or null; and the 1 x 1 monochrome bitmap that every
// memory device context starts with.
HGDIOBJ StockObjectHandle(int index);
HBITMAP DefaultBitmapHandle();

// Objects alive now that are not stock objects, by kind.
size_t LiveGdiObjectCount(GdiKind kind);

// The GDI's part of the device: at boot the table holds only the stock objects.
void ResetGraphics(Phase phase);

}  // namespace cesim::detail

#endif
