// The duplicate-link rule of the chart's link drag.
#include "Gantt_src/ChartLinks.h"
#include "TaskItem.h"

#include <gtest/gtest.h>

namespace {

CTaskLink* Link(CTaskItem& succ, int nPredID, int nPredRow)
{
    CTaskLink* pLink = new CTaskLink;
    pLink->m_nPredID = nPredID;
    pLink->m_nSuccID = nPredRow;
    pLink->m_nType = 1;
    succ.m_listLinks.AddTail(pLink);
    return pLink;
}

} // namespace

TEST(ChartLinks, SavedTasksAreMatchedByTaskId)
{
    CTaskItem pred, other, succ;
    pred.m_nTaskID = 501;
    pred.m_nRowInGrid = 3;
    other.m_nTaskID = 502;
    other.m_nRowInGrid = 4;
    Link(succ, 501, 7);  // the row is stale; the id decides
    EXPECT_TRUE(IsDuplicateLink(&succ, &pred));
    EXPECT_FALSE(IsDuplicateLink(&succ, &other));
}

TEST(ChartLinks, UnsavedTasksAreMatchedByRow)
{
    // Two new tasks (id 0): a link from one is no link from the other.
    CTaskItem predA, predB, succ;
    predA.m_nRowInGrid = 2;
    predB.m_nRowInGrid = 5;
    Link(succ, 0, 2);
    EXPECT_TRUE(IsDuplicateLink(&succ, &predA));
    EXPECT_FALSE(IsDuplicateLink(&succ, &predB));
}

TEST(ChartLinks, AnUnnumberedLinkFromASavedTaskIsMatchedByRow)
{
    CTaskItem pred, succ;
    pred.m_nTaskID = 77;
    pred.m_nRowInGrid = 6;
    Link(succ, 0, 6);
    EXPECT_TRUE(IsDuplicateLink(&succ, &pred));
    CTaskItem none;
    EXPECT_FALSE(IsDuplicateLink(&none, &pred));
    EXPECT_FALSE(IsDuplicateLink(NULL, &pred));
    EXPECT_FALSE(IsDuplicateLink(&succ, NULL));
}
