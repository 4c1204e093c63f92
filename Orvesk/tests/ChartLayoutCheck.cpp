// For every test of the suite: whenever a sync keeps the chart's shapes, they must be those a
// fresh layout gives; a kept chart that is not fails the test that kept it.
#include <gtest/gtest.h>

#include "GanttBarView.h"

namespace {

void CheckKeptLayout(CGanttBarView& view)
{
    EXPECT_TRUE(view.LayoutIsFresh()) << "the chart kept shapes that a fresh layout does not give";
}

class CChartLayoutCheck : public testing::Environment
{
public:
    void SetUp() override { CGanttBarView::s_pfnLayoutKept = CheckKeptLayout; }
    void TearDown() override { CGanttBarView::s_pfnLayoutKept = NULL; }
};

testing::Environment* const g_pCheck = testing::AddGlobalTestEnvironment(new CChartLayoutCheck);

} // namespace
