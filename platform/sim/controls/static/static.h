// The "Static" class of the device's predefined controls.
#ifndef CESIM_CONTROLS_STATIC_STATIC_H
#define CESIM_CONTROLS_STATIC_STATIC_H

#include <optional>

#include "sim/types.h"

namespace cesim::detail {

// Registers the class; each boot does this for the device's own classes.
void RegisterStaticClass();

// The picture a static control holds (STM_SETIMAGE): the handle and its image type.
struct StaticPicture {
  HANDLE image = nullptr;
  UINT type = 0;  // IMAGE_BITMAP or IMAGE_ICON
};
// Null when the window is no static control.
std::optional<StaticPicture> StaticPictureOf(HWND hwnd);

}  // namespace cesim::detail

#endif
