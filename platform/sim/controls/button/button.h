// The "Button" class of the device's predefined controls.
#ifndef CESIM_CONTROLS_BUTTON_BUTTON_H
#define CESIM_CONTROLS_BUTTON_BUTTON_H

namespace cesim::detail {

// Registers the class; each boot does this for the device's own classes.
void RegisterButtonClass();

}  // namespace cesim::detail

#endif
