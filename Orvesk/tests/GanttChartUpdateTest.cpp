// The chart after an edit of some tasks' dates: their bars and the arrows on them made again
// in place, the same as a fresh layout, and a whole layout whenever an update cannot mend it.
#include "GanttTestSupport.h"
#include "Gantt_src/ShapeIndex.h"
#include "Gantt_src/TaskShapes.h"
#include "ProjectSchedule.h"

#include <ClassLib/Testing.h>

#include <vector>

namespace {

// Monday, 4 March 2024: the chart's origin.
COleDateTime Day(int nOffset)
{
    return COleDateTime(2024, 3, 4, 0, 0, 0) + COleDateTimeSpan(nOffset, 0, 0, 0);
}


CTaskBase* ShapeOf(CGunterBar& chart, const CObject* pRecord)
{
    for (CTaskBase* p : GanttShapes(chart))
        if (p->m_pTask == pRecord)
            return p;
    return nullptr;
}

// The chart's shape index made, as a paint makes it.
void Paint(CGunterBar& chart)
{
    std::vector<CTaskBase*> shapes;
    chart.GetShapesInBand(0, 200, shapes);
}

void Move(CTaskItem* pTask, int nStart, int nDays)
{
    pTask->m_dtStart = Day(nStart);
    pTask->m_dtFinish = Day(nStart + nDays - 1);
    pTask->m_nDuration = nDays * 86400;
}

// The chart's band queries answer as an index made from its list now.
void ExpectBandsAnswerAsFresh(CGunterBar& chart)
{
    CShapeIndex fresh;
    fresh.Build(chart.GetShapeList());
    for (int nTop = 0; nTop < 200; nTop += 10) {
        std::vector<CTaskBase*> kept, made;
        chart.GetShapesInBand(nTop, nTop + 9, kept);
        fresh.Query(nTop, nTop + 9, made);
        EXPECT_EQ(made, kept) << "band at " << nTop;
    }
}

} // namespace

class GanttChartUpdateTest : public CWndTestBase
{
protected:
    GanttChartUpdateTest() : today(2024, 3, 4) {}

    // Sum (row 1) over A, B (after A) and C (after B); D (row 5) alone, the last to finish.
    void SetUp() override
    {
        pSum = AddGanttTask(*host.doc, NULL, "Sum", 1, Day(0), 8);
        pA = AddGanttTask(*host.doc, pSum, "A", 2, Day(0), 2);
        pB = AddGanttTask(*host.doc, pSum, "B", 3, Day(2), 3);
        pLinkAB = AddGanttLink(pB, 2, TASKLINK_FS);
        pC = AddGanttTask(*host.doc, pSum, "C", 4, Day(5), 2);
        pLinkBC = AddGanttLink(pC, 3, TASKLINK_FS);
        pD = AddGanttTask(*host.doc, NULL, "D", 5, Day(10), 4);
        pD->m_nCritical = 1;
        host.InitialUpdate();
    }

    CFixedToday today;
    CGanttHost host;
    CTaskItem *pSum = nullptr, *pA = nullptr, *pB = nullptr, *pC = nullptr, *pD = nullptr;
    CTaskLink *pLinkAB = nullptr, *pLinkBC = nullptr;
};

TEST_F(GanttChartUpdateTest, DateEditRenewsItsBarAndTheArrowsOnItInPlace)
{
    const std::vector<CTaskBase*> before = GanttShapes(host.chart());
    Paint(host.chart());
    Move(pB, 7, 2);  // Monday 11 March
    EXPECT_TRUE(host.view->UpdateTasks({pB}));
    EXPECT_EQ(before, GanttShapes(host.chart()));
    EXPECT_FALSE(host.view->NeedsLayout());

    CTaskBase* pBar = ShapeOf(host.chart(), pB);
    EXPECT_EQ(CPoint(7 * 18, 77), pBar->m_ptFrom);
    EXPECT_EQ(CPoint(9 * 18, 77), pBar->m_ptTo);
    // A's arrow ends on B's start; B's arrow to C leaves B's new end.
    EXPECT_EQ(CPoint(7 * 18, 77), ShapeOf(host.chart(), pLinkAB)->m_ptTo);
    EXPECT_EQ(CPoint(9 * 18, 82), ShapeOf(host.chart(), pLinkBC)->m_ptFrom);
    ExpectBandsAnswerAsFresh(host.chart());
    EXPECT_TRUE(host.view->LayoutIsFresh());

    // B before A's end, as a milestone: A's arrow turns below B's bar line, B's bar is the
    // diamond.
    Paint(host.chart());
    Move(pB, 0, 1);
    pB->m_nMilestone = 1;
    EXPECT_TRUE(host.view->UpdateTasks({pB}));
    ExpectBandsAnswerAsFresh(host.chart());
    EXPECT_TRUE(host.view->LayoutIsFresh());
}

TEST_F(GanttChartUpdateTest, LinkTypeEditEndsTheArrowAtItsNewPlace)
{
    Paint(host.chart());
    pLinkBC->m_nType = TASKLINK_FF;
    EXPECT_TRUE(host.view->UpdateTasks({pC}));
    // C's end (from Saturday: the weekend and two days), half a bar down; the kept shape
    // index holds it there.
    EXPECT_EQ(CPoint(9 * 18, 102), ShapeOf(host.chart(), pLinkBC)->m_ptTo);
    ExpectBandsAnswerAsFresh(host.chart());
    EXPECT_TRUE(host.view->LayoutIsFresh());
}

TEST_F(GanttChartUpdateTest, CriticalMarkRecoloursTheBarItsArrowsAndTheRowLists)
{
    pB->m_nCritical = 1;
    EXPECT_TRUE(host.view->UpdateTasks({pB}));
    ASSERT_EQ(2, host.view->m_arrCriticalRows.GetSize());
    EXPECT_EQ(3u, host.view->m_arrCriticalRows[0]);
    EXPECT_EQ(5u, host.view->m_arrCriticalRows[1]);
    EXPECT_TRUE(host.view->IsCriticalRow(3));
    EXPECT_EQ(RGB(255, 0, 0), ShapeOf(host.chart(), pB)->m_crColor);
    EXPECT_EQ(RGB(255, 0, 0), ShapeOf(host.chart(), pLinkBC)->m_crColor);
    EXPECT_EQ(RGB(0, 0, 255), ShapeOf(host.chart(), pLinkAB)->m_crColor);
    EXPECT_TRUE(host.view->LayoutIsFresh());

    pB->m_nCritical = 0;
    EXPECT_TRUE(host.view->UpdateTasks({pB}));
    ASSERT_EQ(1, host.view->m_arrCriticalRows.GetSize());
    EXPECT_EQ(5u, host.view->m_arrCriticalRows[0]);
    EXPECT_FALSE(host.view->IsCriticalRow(3));
    EXPECT_EQ(RGB(0, 0, 255), ShapeOf(host.chart(), pLinkBC)->m_crColor);
    EXPECT_TRUE(host.view->LayoutIsFresh());
}

TEST_F(GanttChartUpdateTest, ChartDatesFollowTheTasksThatHoldThem)
{
    COleDateTime dt;
    // D, the last to finish, ends early: the summary's end is the chart's now.
    Move(pD, 1, 2);
    EXPECT_TRUE(host.view->UpdateTasks({pD}));
    host.view->GetChartEndDate(dt);
    EXPECT_EQ(Day(7), dt);
    // C ends later than any.
    Move(pC, 5, 20);
    EXPECT_TRUE(host.view->UpdateTasks({pC}));
    host.view->GetChartEndDate(dt);
    EXPECT_EQ(Day(24), dt);
    // C, holding the end, takes it further, then gives it back to the summary.
    Move(pC, 5, 25);
    EXPECT_TRUE(host.view->UpdateTasks({pC}));
    host.view->GetChartEndDate(dt);
    EXPECT_EQ(Day(29), dt);
    Move(pC, 5, 2);
    EXPECT_TRUE(host.view->UpdateTasks({pC}));
    host.view->GetChartEndDate(dt);
    EXPECT_EQ(Day(7), dt);
    // A started first (with the summary, which comes first): A moving on leaves the start.
    Move(pA, 3, 1);
    EXPECT_TRUE(host.view->UpdateTasks({pA}));
    host.view->GetChartStartDate(dt);
    EXPECT_EQ(Day(0), dt);
    EXPECT_TRUE(host.view->LayoutIsFresh());
}

TEST_F(GanttChartUpdateTest, WhatAnUpdateCannotMendIsLaidOutWhole)
{
    // A bar that goes.
    pC->m_dtStart.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(host.view->UpdateTasks({pC}));
    EXPECT_EQ(nullptr, ShapeOf(host.chart(), pC));
    EXPECT_EQ(nullptr, ShapeOf(host.chart(), pLinkBC));
    EXPECT_FALSE(host.view->NeedsLayout());

    // A task added.
    CTaskItem* pE = AddGanttTask(*host.doc, NULL, "E", 6, Day(2), 1);
    EXPECT_FALSE(host.view->UpdateTasks({pE}));
    EXPECT_NE(nullptr, ShapeOf(host.chart(), pE));

    // The collapsed rows changed and not yet laid out.
    host.view->m_arrCollapsedRows.Add(2);
    Move(pB, 4, 1);
    EXPECT_FALSE(host.view->UpdateTasks({pB}));
    EXPECT_EQ(nullptr, ShapeOf(host.chart(), pA));

    EXPECT_TRUE(host.view->LayoutIsFresh());
}

// Links that came, went or now start on another row: the arrows of the tasks named are made
// again in place, in the order a layout gives them, and those of the tasks after them kept.
TEST_F(GanttChartUpdateTest, ArrowsOfLinksThatCameOrWentAreMadeInPlace)
{
    CProjectSchedule& schedule = host.doc->Schedule();
    const unsigned nLayouts = host.view->Layouts();
    Paint(host.chart());
    // D (row 5) after C: an arrow after C's.
    CTaskLink* pLinkCD = schedule.AddLink(pD, pC, TASKLINK_FS, 0);
    ASSERT_NE(nullptr, pLinkCD);
    EXPECT_TRUE(host.view->UpdateTasks({pC, pD}));
    ASSERT_NE(nullptr, ShapeOf(host.chart(), pLinkCD));
    EXPECT_EQ(4, ShapeOf(host.chart(), pLinkCD)->m_nPredRow);
    EXPECT_TRUE(host.view->LayoutIsFresh());
    // A second link into C, after B's arrow and before D's.
    ASSERT_NE(nullptr, schedule.AddLink(pC, pA, TASKLINK_SS, 0));
    EXPECT_TRUE(host.view->UpdateTasks({pC}));
    EXPECT_TRUE(host.view->LayoutIsFresh());
    ExpectBandsAnswerAsFresh(host.chart());
    // B's first link gone: the arrows after it move up.
    schedule.RemoveLink(pB, pLinkAB);
    EXPECT_TRUE(host.view->UpdateTasks({pB, pA}));
    EXPECT_TRUE(host.view->LayoutIsFresh());
    // A link now from another row, then from a collapsed one: its arrow turns, then goes.
    pLinkBC->m_nSuccID = 1;
    EXPECT_TRUE(host.view->UpdateTasks({pC}));
    EXPECT_EQ(1, ShapeOf(host.chart(), pLinkBC)->m_nPredRow);
    EXPECT_TRUE(host.view->LayoutIsFresh());
    EXPECT_EQ(nLayouts, host.view->Layouts());
    host.view->m_arrCollapsedRows.Add(2);
    host.view->BuildChart();
    pLinkBC->m_nSuccID = 2;
    EXPECT_TRUE(host.view->UpdateTasks({pC}));
    EXPECT_EQ(nullptr, ShapeOf(host.chart(), pLinkBC));
    EXPECT_TRUE(host.view->LayoutIsFresh());
    ExpectBandsAnswerAsFresh(host.chart());
}

// A damaged file's two tasks on one row: the row's marks and arrows cannot tell whose they
// are.
TEST_F(GanttChartUpdateTest, TwoTasksOnOneRowAreLaidOutWhole)
{
    CTaskItem* pTwin = AddGanttTask(*host.doc, NULL, "Twin", 3, Day(1), 1);
    pTwin->m_nCritical = 1;
    host.view->BuildChart();
    pB->m_nCritical = 1;
    EXPECT_FALSE(host.view->UpdateTasks({pB}));
    EXPECT_EQ(3, host.view->m_arrCriticalRows.GetSize());
    EXPECT_TRUE(host.view->LayoutIsFresh());
}
