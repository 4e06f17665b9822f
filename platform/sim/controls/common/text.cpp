// Texts of the controls, measured in the window system's system font.
#include "controls/common/text.h"

#include "window/metrics.h"
#include "window/table.h"

namespace cesim::detail {

std::u16string TextUpTo(LPCWSTR text, size_t maxLength) { return BoundedText(text, maxLength); }

int SystemFontHeight() { return kSystemFontHeight; }

int SystemFontCharWidth() { return kSystemFontCharWidth; }

int SystemTextWidth(const std::u16string& text) { return TextWidth(text); }

}  // namespace cesim::detail
