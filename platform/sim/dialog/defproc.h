// The "Dialog" class, whose window procedure is the default dialog procedure.
#ifndef CESIM_DIALOG_DEFPROC_H
#define CESIM_DIALOG_DEFPROC_H

namespace cesim::detail {

// Registers the class; each boot does this for the device's own classes.
void RegisterDialogClass();

}  // namespace cesim::detail

#endif
