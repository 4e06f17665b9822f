// The "Edit" class of the device's predefined controls.
#ifndef CESIM_CONTROLS_EDIT_EDIT_H
#define CESIM_CONTROLS_EDIT_EDIT_H

namespace cesim::detail {

// Registers the class; each boot does this for the device's own classes.
void RegisterEditClass();

}  // namespace cesim::detail

#endif
