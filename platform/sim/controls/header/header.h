// The header control, class "SysHeader32": what cesim's automation reads of it beyond its
// messages (where a divider lies, so that a drag can start on it).
#ifndef CESIM_CONTROLS_HEADER_HEADER_H
#define CESIM_CONTROLS_HEADER_HEADER_H

#include "sim/types.h"

namespace cesim::detail {

// Registers the class; each boot does this for the device's own classes.
void RegisterHeaderClass();

bool IsHeader(HWND hwnd);

// A client point on the divider at the right edge of an item, where a press starts resizing it;
// false when the item does not exist or no point of its divider lies inside the header.
bool HeaderDividerPoint(HWND header, int item, POINT* client);

}  // namespace cesim::detail

#endif
