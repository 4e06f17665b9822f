// The screen as a PNG picture: what the display shows right now, read back from the screen's
// device context and written through the platform's imaging component.
#ifndef FEXPLORE_SHOTS_SCREEN_PICTURE_H
#define FEXPLORE_SHOTS_SCREEN_PICTURE_H

#include <windows.h>

#include <string>

namespace shots {

// Writes the part `area` of the screen (screen coordinates) to `path` as a 24-bit PNG file.
// Returns false, with the reason in `error`, when the screen cannot be read or the file written.
bool SaveScreenPicture(const RECT& area, const std::wstring& path, std::string* error);

}  // namespace shots

#endif
