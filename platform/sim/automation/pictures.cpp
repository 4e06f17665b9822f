// What windows show beyond their text: the picture of a static control, and the opacity of a
// layered window.
#include "cesim/ui.h"
#include "controls/static/static.h"
#include "loader/loader.h"
#include "sim/controls.h"
#include "sim/gdi.h"
#include "sim/resources.h"

namespace cesim {

std::optional<StaticImage> ShownImage(HWND staticControl) {
  std::optional<detail::StaticPicture> picture = detail::StaticPictureOf(staticControl);
  if (!picture) return std::nullopt;
  StaticImage shown;
  RECT client = {0, 0, 0, 0};
  GetClientRect(staticControl, &client);
  if (picture->type == IMAGE_ICON) {
    shown.icon = static_cast<HICON>(picture->image);
    return shown;
  }
  shown.bitmap = static_cast<HBITMAP>(picture->image);
  BITMAP bm = {};
  if (shown.bitmap == nullptr || GetObjectW(shown.bitmap, sizeof bm, &bm) == 0) return shown;
  shown.size = {bm.bmWidth, bm.bmHeight};
  LONG left = 0, top = 0;
  if ((GetWindowLongW(staticControl, GWL_STYLE) & SS_CENTERIMAGE) != 0) {
    left = client.right / 2 - bm.bmWidth / 2;
    top = client.bottom / 2 - bm.bmHeight / 2;
  }
  shown.drawn = {left, top, left + bm.bmWidth, top + bm.bmHeight};
  if (!IntersectRect(&shown.visible, &shown.drawn, &client)) shown.visible = {0, 0, 0, 0};
  return shown;
}

std::optional<LayeredAttributes> ReadLayeredAttributes(HWND hwnd) {
  if (!IsWindow(hwnd) || (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return std::nullopt;
  std::optional<detail::LayeredWindowAttributes> attributes = detail::LayeredAttributesOf(hwnd);
  if (!attributes) return std::nullopt;
  LayeredAttributes result;
  result.key = attributes->key;
  result.alpha = attributes->alpha;
  result.flags = attributes->flags;
  return result;
}

std::optional<BYTE> LayeredAlpha(HWND hwnd) {
  std::optional<LayeredAttributes> attributes = ReadLayeredAttributes(hwnd);
  if (!attributes) return std::nullopt;
  return (attributes->flags & LWA_ALPHA) != 0 ? attributes->alpha : static_cast<BYTE>(255);
}

}  // namespace cesim
