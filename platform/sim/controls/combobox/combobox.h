// The "ComboBox" class of the core library: a selection field whose list drops down under it.
#ifndef CESIM_CONTROLS_COMBOBOX_COMBOBOX_H
#define CESIM_CONTROLS_COMBOBOX_COMBOBOX_H

namespace cesim::detail {

// Registers the class and that of its dropped list ("ComboLBox"); each boot does this for the
// device's own classes.
void RegisterComboBoxClass();

}  // namespace cesim::detail

#endif
