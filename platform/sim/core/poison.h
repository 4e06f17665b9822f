// Outputs that the platform documents as undefined (a registry value's buffer after
// ERROR_MORE_DATA, the find data of a failed search): cesim writes a recognisable pattern over the
// whole buffer the caller gave, so that code reading them fails visibly instead of finding its old
// contents. The byte is cesim::kUndefinedOutputByte of the automation API.
#ifndef CESIM_CORE_POISON_H
#define CESIM_CORE_POISON_H

#include <cstddef>

namespace cesim::detail {

void PoisonUndefinedOutput(void* buffer, size_t bytes);

}  // namespace cesim::detail

#endif
