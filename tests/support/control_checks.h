// Whether cesim's control checks are built into this test program: the death tests of what a real
// control does not survive (destroyed inside a notification after which it uses its state) run
// only then.
#ifndef FOLDWISE_TEST_CONTROL_CHECKS_H
#define FOLDWISE_TEST_CONTROL_CHECKS_H

namespace foldwise_test {

#if defined(CESIM_CONTROL_CHECKS) && CESIM_CONTROL_CHECKS
constexpr bool kControlChecks = true;
#else
constexpr bool kControlChecks = false;
#endif

}  // namespace foldwise_test

#define SKIP_WITHOUT_CONTROL_CHECKS()             \
  if (!foldwise_test::kControlChecks) GTEST_SKIP() \
      << "cesim was built without control checks"

#endif
