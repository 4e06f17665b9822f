// What a device would not survive (a destruction that recurses until the stack overflows, a
// control that goes on using the state of a window destroyed under it): cesim reports it on
// stderr, naming the window and the situation, and aborts, so that a test fails where a device
// would crash instead of passing because cesim survived.
#ifndef CESIM_CORE_FATAL_H
#define CESIM_CORE_FATAL_H

#include <string>

namespace cesim::detail {

[[noreturn]] void AbortUnsurvivable(const std::string& situation);

}  // namespace cesim::detail

#endif
