// (placeholder: filled in by the part of cesim that owns it)
#ifndef CESIM_FACE_WINDOW_H
#define CESIM_FACE_WINDOW_H

#include "sim/types.h"

#endif
