// The "Static" class of the device's predefined controls.
#ifndef CESIM_CONTROLS_STATIC_STATIC_H
#define CESIM_CONTROLS_STATIC_STATIC_H

namespace cesim::detail {

// Registers the class; each boot does this for the device's own classes.
void RegisterStaticClass();

}  // namespace cesim::detail

#endif
