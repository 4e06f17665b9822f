// What every conformance test shares: the fixture that owns the platform host, and the ways a
// test says that the platforms legitimately differ, that cesim is known to be wrong, or that Wine
// is known to differ from Windows.
//
// - CONFORMANCE_CE_ONLY(reference): the behaviour is Windows CE's and desktop Windows differs
//   (the reference names the CE page); the test runs on cesim only.
// - CONFORMANCE_DESKTOP_ONLY(reference): the desktop's side of such a difference; runs on the
//   desktop only.
// - CONFORMANCE_CESIM_ONLY(reason): a check of how cesim makes the platform's undefined or fatal
//   cases visible (poisoned outputs, reports of what a real control would not survive), where
//   the desktop offers nothing that could be watched safely.
// - KnownCesimFault("name", body): the body states the platform's behaviour; on cesim it is
//   expected to fail until cesim is fixed. Its failures are turned into a skip that names the
//   fault (listed in KNOWN_CESIM_FAULTS.md) and shows the first difference; a body that passes
//   on cesim fails the test, so that a fixed fault is taken off the list.
// - KnownWineDifference("name", "wine test", body): the body states what Windows does where Wine's
//   own tests show that Wine does otherwise (a todo_wine line; "wine test" names its file and test
//   function). On cesim and on Windows the body is an ordinary test. Under Wine its failures turn
//   into a skip that names the difference (listed in KNOWN_WINE_DIFFERENCES.md), cites the Wine
//   test and shows the first difference; a body that passes under Wine fails the test, so that
//   the entry is taken off the list once Wine agrees. Never a way to let a cesim fault pass.
#ifndef FOLDWISE_CONFORMANCE_CONFORMANCE_H
#define FOLDWISE_CONFORMANCE_CONFORMANCE_H

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host.h"

namespace conformance {

class ConformanceTest : public ::testing::Test {
 protected:
  Host host;
};

void KnownCesimFault(const char* fault, const std::function<void()>& body);
void KnownWineDifference(const char* difference, const char* wineTest, const std::function<void()>& body);

// A platform text as UTF-8, for failure messages.
std::string Printable(const Text& text);

}  // namespace conformance

#define CONFORMANCE_CE_ONLY(reference)                                                         \
  if (!::conformance::OnCesim())                                                               \
  GTEST_SKIP() << "Windows CE behaviour; desktop Windows differs (" reference ")"

#define CONFORMANCE_DESKTOP_ONLY(reference)                                                    \
  if (::conformance::OnCesim())                                                                \
  GTEST_SKIP() << "desktop Windows behaviour; Windows CE differs (" reference ")"

#define CONFORMANCE_CESIM_ONLY(reason)                                                         \
  if (!::conformance::OnCesim())                                                               \
  GTEST_SKIP() << "checks how cesim shows what the platform leaves undefined or does not survive (" reason ")"

#endif
