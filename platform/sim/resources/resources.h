// The resources of loaded modules as cesim's other parts see them: the loader gives each module its
// compiled .res image at load and takes it back at unload; the dialog manager asks how far a
// template pointer may be read.
#ifndef CESIM_RESOURCES_RESOURCES_H
#define CESIM_RESOURCES_RESOURCES_H

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

// Copies a module's .res image into read-only memory below 2 GB (so that the in-place form of
// LoadStringW can return its pointers as a positive int) and reads its records. A module whose
// image holds no records has no resources.
void AttachResources(HMODULE module, const uint8_t* image, size_t size);
// Forgets a module's resources and unmaps their memory; pointers into them become invalid.
void DetachResources(HMODULE module);

// How many bytes of a loaded resource's data lie at and after `pointer` (what a reader of a
// template from LoadResource may read); empty when the pointer is inside no loaded resource.
std::optional<size_t> ResourceBytesAt(const void* pointer);

// Forgets the resources of every module and unmaps their memory.
void ResetResources(Phase phase);

}  // namespace cesim::detail

#endif
