// The version resource calls as cesim's other parts see them: the blocks that GetFileVersionInfoW
// filled are remembered by address until shutdown, so that VerQueryValueW reads no more of a
// block than was copied into it.
#ifndef CESIM_VERSION_VERSION_H
#define CESIM_VERSION_VERSION_H

#include "core/parts.h"

namespace cesim::detail {

void ResetVersionBlocks(Phase phase);

}  // namespace cesim::detail

#endif
