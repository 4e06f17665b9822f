// Texts as the controls keep and measure them: a caller's text copied no further than a limit,
// and the height and widths of the device's system font that layouts use.
#ifndef CESIM_CONTROLS_COMMON_TEXT_H
#define CESIM_CONTROLS_COMMON_TEXT_H

#include <string>

#include "sim/types.h"

namespace cesim::detail {

// The caller's text up to its terminator or maxLength characters, whichever comes first; empty for
// null.
std::u16string TextUpTo(LPCWSTR text, size_t maxLength);

// The system font: its height and average character width, and the width of a one-line text.
int SystemFontHeight();
int SystemFontCharWidth();
int SystemTextWidth(const std::u16string& text);

}  // namespace cesim::detail

#endif
