// For every test of the suite: whenever the task tree view has settled the document's
// schedule, the schedule's kept rows, links and critical chains must be those a fresh reading
// of the task tree gives.
#include <gtest/gtest.h>

#include "ProjectSchedule.h"
#include "TaskTreeView.h"

namespace {

void CheckKeptSchedule(CProjectSchedule& schedule)
{
    EXPECT_EQ(schedule.VerifyKept(), "") << "the schedule kept structures a fresh reading of the tree does not give";
}

class CScheduleKeptCheck : public testing::Environment
{
public:
    void SetUp() override { CTaskTreeView::s_pfnScheduleSettled = CheckKeptSchedule; }
    void TearDown() override { CTaskTreeView::s_pfnScheduleSettled = nullptr; }
};

testing::Environment* const g_pCheck = testing::AddGlobalTestEnvironment(new CScheduleKeptCheck);

} // namespace
