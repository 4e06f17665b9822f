// The device's wall clock and time zone, from the image's settings: the UTC time at boot
// ([clock] boot), moved on by the virtual clock, and the bias of [timezone].
#ifndef CESIM_TIME_CLOCK_TIME_H
#define CESIM_TIME_CLOCK_TIME_H

#include <cstdint>
#include <optional>
#include <string>

#include "sim/types.h"

namespace cesim::detail {

// The device's time when it booted, when the image does not say: 1 January 2009, 00:00 UTC.
constexpr SYSTEMTIME kDefaultBootTime = {2009, 1, 4, 1, 0, 0, 0, 0};

// The boot time that an image's [clock] boot text gives, as a file time: the default boot time
// when there is no text or it does not parse.
uint64_t BootTicks(const std::optional<std::string>& text);
// UTC now, as a file time: the boot time plus the milliseconds of the virtual clock.
uint64_t SystemTicksNow();
// Minutes west of UTC ([timezone] bias; 0 when missing or not a whole number from -1440 to 1440).
LONG TimeZoneBias();

}  // namespace cesim::detail

#endif
