// The one instance of the module state; static storage, so it starts zeroed at every load.
#include "module/module_state.h"

ModuleState g_module;
