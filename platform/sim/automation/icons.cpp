// Icons and image lists from outside: how many icons are alive, and which pictures they show.
#include "cesim/automation.h"
#include "controls/imagelist/imagelist.h"
#include "window/icons.h"

namespace cesim {

size_t LiveIcons() { return detail::LiveIconCount(); }

std::optional<std::u16string> IconPicture(HICON icon) {
  std::optional<detail::IconPicture> picture = detail::IconPictureOf(icon);
  if (!picture) return std::nullopt;
  return picture->source;
}

std::optional<std::vector<std::u16string>> ImageListPictures(HIMAGELIST list) { return detail::ImageSources(list); }

}  // namespace cesim
