// Icons as cesim's parts make and read them: an icon is a handle to a picture of a size, made by
// the shell and the image lists and destroyed by its owner with DestroyIcon. Nothing is drawn;
// the picture is known by the name of what it shows, so that automation can tell icons apart.
#ifndef CESIM_WINDOW_ICONS_H
#define CESIM_WINDOW_ICONS_H

#include <optional>
#include <string>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

struct IconPicture {
  std::u16string source;  // what the picture shows: "folder", "\\Windows\\calc.exe,0"
  int width = 0;
  int height = 0;
};

// A new icon of the picture; the caller owns it (DestroyIcon).
HICON CreateIconOf(const IconPicture& picture);
// The picture of a live icon; nothing for null, destroyed and unknown handles.
std::optional<IconPicture> IconPictureOf(HICON icon);
// Icons made and not destroyed.
size_t LiveIconCount();

// Every icon goes with the device.
void ResetIcons(Phase phase);

}  // namespace cesim::detail

#endif
