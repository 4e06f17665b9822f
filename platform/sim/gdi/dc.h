// Device contexts: memory DCs (CreateCompatibleDC) that draw into the bitmap selected into them,
// and window DCs (GetDC) that describe the display but hold no pixels of their own.
#ifndef CESIM_GDI_DC_H
#define CESIM_GDI_DC_H

#include "gdi/objects.h"
#include "sim/gdi.h"

namespace cesim::detail {

struct DeviceContext : GdiObject {
  DeviceContext() : GdiObject(GdiKind::DeviceContext) {}

  bool memory = false;
  HWND window = nullptr;  // window DCs: the window, null for the whole screen
  HBITMAP bitmap = nullptr;
  HBRUSH brush = nullptr;
  HPEN pen = nullptr;
  HFONT font = nullptr;
  HPALETTE palette = nullptr;
  int stretchMode = BLACKONWHITE;
};

DeviceContext* FindDeviceContext(HDC handle);

}  // namespace cesim::detail

#endif
