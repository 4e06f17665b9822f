// The one class the module serves: its context menu extension.
#ifndef FOLDWISE_CLASS_ID_H
#define FOLDWISE_CLASS_ID_H

#include "ceplatform.h"

// {6B1E3A52-8C4D-4F7A-9E21-3D5C7B9A0F14}; the device registers it as the Explorer's context
// menu handler.
extern const CLSID CLSID_FoldwiseContextMenu;

// Compares two identifiers byte for byte.
BOOL SameGuid(REFGUID a, REFGUID b);

#endif
