// The Gregorian calendar of the platform's times: file times count 100-nanosecond intervals since
// 1 January 1601 (UTC), system times hold the date and time in fields. Pure arithmetic, shared by
// the conversions, the device's clock and the date formats.
#ifndef CESIM_TIME_CALENDAR_H
#define CESIM_TIME_CALENDAR_H

#include <cstdint>
#include <optional>

#include "sim/types.h"

namespace cesim::detail {

constexpr uint64_t kTicksPerMillisecond = 10000;
constexpr uint64_t kTicksPerSecond = 10000000;
constexpr uint64_t kTicksPerMinute = 60 * kTicksPerSecond;
// File times above this are not valid (their top bit is set).
constexpr uint64_t kLargestFileTime = 0x7FFFFFFFFFFFFFFFull;

uint64_t TicksOf(const FILETIME& time);
FILETIME FileTimeOfTicks(uint64_t ticks);

// The fields of a valid file time, the day of the week included.
std::optional<SYSTEMTIME> SystemTimeOfTicks(uint64_t ticks);
// The file time of the fields; nothing when a field is out of range (years 1601 to 30827; the day
// of the week is not looked at).
std::optional<uint64_t> TicksOfSystemTime(const SYSTEMTIME& time);

}  // namespace cesim::detail

#endif
