// The shell's system image lists, one of large and one of small icons, shared by every caller:
// the same pictures at the same indexes in both. They start with the shell's own pictures and gain
// one for each icon location (a program's own icon, a file type's DefaultIcon) when first asked.
#ifndef CESIM_SHELL_SYSTEM_IMAGES_H
#define CESIM_SHELL_SYSTEM_IMAGES_H

#include <string>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

// The shell's own pictures, at these indexes of both lists.
extern const char16_t kDocumentPicture[];     // a file of no type with an icon of its own
extern const char16_t kFolderPicture[];
extern const char16_t kOpenFolderPicture[];
extern const char16_t kProgramPicture[];      // a program whose own icon is not known
extern const char16_t kStorageCardPicture[];  // the folder of a storage volume

HIMAGELIST SystemImageList(bool small);
// The index of a picture in both lists, added to both when it is new.
int SystemIconIndex(const std::u16string& picture);

void ResetSystemImages(Phase phase);

}  // namespace cesim::detail

#endif
