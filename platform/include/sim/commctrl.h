// (placeholder: filled in by the part of cesim that owns it)
#ifndef CESIM_FACE_COMMCTRL_H
#define CESIM_FACE_COMMCTRL_H

#include "sim/types.h"

#endif
