// Image lists as cesim's other parts use them: the shell keeps its system image lists here. An
// image is the picture it shows, known by name (see window/icons.h); nothing is drawn.
#ifndef CESIM_CONTROLS_IMAGELIST_IMAGELIST_H
#define CESIM_CONTROLS_IMAGELIST_IMAGELIST_H

#include <optional>
#include <string>
#include <vector>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

// A list that the system shares with every caller: ImageList_Destroy refuses it.
HIMAGELIST CreateSharedImageList(int width, int height);
// Appends an image showing the picture; returns its index, -1 for a handle that is no list.
int AppendImage(HIMAGELIST list, const std::u16string& source);
// The pictures of a live list, in order; nothing for a handle that is no list.
std::optional<std::vector<std::u16string>> ImageSources(HIMAGELIST list);
// The index of the first image showing the picture; -1 when there is none or no such list.
int FindImageSource(HIMAGELIST list, const std::u16string& source);

// Every list goes with the device.
void ResetImageLists(Phase phase);

}  // namespace cesim::detail

#endif
