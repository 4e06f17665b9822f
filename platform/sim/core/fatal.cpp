// The loud end of a test run that did what a device would not survive.
#include "core/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace cesim::detail {

void AbortUnsurvivable(const std::string& situation) {
  std::fprintf(stderr, "cesim: a device would not survive this: %s\n", situation.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace cesim::detail
