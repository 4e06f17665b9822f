// The pattern over outputs documented as undefined.
#include "core/poison.h"

#include <cstring>

#include "cesim/automation.h"

namespace cesim::detail {

void PoisonUndefinedOutput(void* buffer, size_t bytes) {
  if (buffer != nullptr && bytes > 0) std::memset(buffer, kUndefinedOutputByte, bytes);
}

}  // namespace cesim::detail
