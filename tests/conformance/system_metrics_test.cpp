// The system metrics that window layouts read: each exists, and they fit together (small icons
// smaller than icons, icon spacing at least an icon, a scroll bar narrower than the screen); an
// index the system does not know gives 0.
#include "conformance.h"

namespace conformance {
namespace {

class SystemMetricsTest : public ConformanceTest {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Start()); }
};

TEST_F(SystemMetricsTest, TheMetricsThatLayoutsReadExistAndFitTogether) {
  const int indexes[] = {SM_CXSCREEN, SM_CYSCREEN, SM_CXICONSPACING, SM_CYICONSPACING, SM_CXSMICON,
                         SM_CYSMICON, SM_CXBORDER, SM_CYBORDER,      SM_CXVSCROLL,     SM_CYHSCROLL,
                         SM_CXICON,   SM_CYICON,   SM_CXEDGE,        SM_CYEDGE,        SM_CYCAPTION};
  for (int index : indexes) EXPECT_GT(GetSystemMetrics(index), 0) << "index " << index;
  EXPECT_LT(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CXICON));
  EXPECT_LT(GetSystemMetrics(SM_CYSMICON), GetSystemMetrics(SM_CYICON));
  EXPECT_GE(GetSystemMetrics(SM_CXICONSPACING), GetSystemMetrics(SM_CXICON));
  EXPECT_GE(GetSystemMetrics(SM_CYICONSPACING), GetSystemMetrics(SM_CYICON));
  EXPECT_LT(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(GetSystemMetrics(12345), 0);
}

}  // namespace
}  // namespace conformance
