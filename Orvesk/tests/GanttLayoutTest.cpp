// The Gantt bar view's layout: bar and arrow geometry, collapsed rows, colours, and that a
// layout leaves the project as it was.
#include "GanttTestSupport.h"
#include "Gantt_src/GanttRes.h"
#include "GanttRowTable.h"
#include "ProjectSchedule.h"
#include "Gantt_src/TaskShapes.h"

#include <ClassLib/Testing.h>

#include <string>
#include <vector>

namespace {

// Today is Monday, 4 March 2024: the chart's origin.
const int kY = 2024, kM = 3, kD = 4;

COleDateTime Day(int nOffset)
{
    return COleDateTime(kY, kM, kD, 0, 0, 0) + COleDateTimeSpan(nOffset, 0, 0, 0);
}


CTaskBase* BarOfRow(CGunterBar& chart, int nRow)
{
    for (CTaskBase* p : GanttShapes(chart))
        if (p->m_nRow == nRow)
            return p;
    return nullptr;
}

std::vector<CTaskLineArrow*> Arrows(CGunterBar& chart)
{
    std::vector<CTaskLineArrow*> out;
    for (CTaskBase* p : GanttShapes(chart))
        if (CTaskLineArrow* a = DYNAMIC_DOWNCAST(CTaskLineArrow, p))
            out.push_back(a);
    return out;
}

// What a shape is and where it draws, to compare two layouts.
std::string Describe(CTaskBase* p)
{
    CString s;
    s.Format("%s r%d p%d t%d c%06lx b%u %ld,%ld,%ld,%ld %ld,%ld,%ld,%ld %ld,%ld %ld,%ld %p %p",
             p->GetRuntimeClass()->m_lpszClassName, p->m_nRow, p->m_nPredRow, p->m_nLinkType,
             static_cast<unsigned long>(p->m_crColor), p->m_nBitmapId, (long)p->m_rect.left, (long)p->m_rect.top,
             (long)p->m_rect.right, (long)p->m_rect.bottom, (long)p->m_rcProgress.left, (long)p->m_rcProgress.top,
             (long)p->m_rcProgress.right, (long)p->m_rcProgress.bottom, (long)p->m_ptFrom.x, (long)p->m_ptFrom.y,
             (long)p->m_ptTo.x, (long)p->m_ptTo.y, static_cast<void*>(p->m_pTask), static_cast<void*>(p->m_pWnd));
    std::string out(static_cast<const char*>(s));
    if (CTaskPolygon* pPoly = DYNAMIC_DOWNCAST(CTaskPolygon, p))
        out += pPoly->GetRegion()->PtInRegion(pPoly->m_points[6] + CPoint(0, -2)) ? " in" : " out";
    return out;
}

std::vector<std::string> DescribeAll(CGunterBar& chart)
{
    std::vector<std::string> out;
    for (CTaskBase* p : GanttShapes(chart))
        out.push_back(Describe(p));
    return out;
}

} // namespace

class GanttLayoutTest : public CWndTestBase
{
protected:
    GanttLayoutTest() : today(kY, kM, kD) {}
    CFixedToday today;
};

TEST_F(GanttLayoutTest, BarLinesLieTwentyPixelsApart)
{
    CGanttHost host;
    for (int r = 1; r <= 3; ++r)
        AddGanttTask(*host.doc, NULL, "T", r, Day(0), 1);
    host.InitialUpdate();
    for (int r = 1; r <= 3; ++r) {
        CTaskBase* p = BarOfRow(host.chart(), r);
        ASSERT_NE(nullptr, p) << r;
        EXPECT_EQ(20 * r + 17, p->m_ptFrom.y) << r;
        EXPECT_EQ(20 * r + 17, p->m_rect.top) << r;
    }
}

TEST_F(GanttLayoutTest, BarSpansWholeDaysWithRestDays)
{
    CGanttHost host;
    // Thursday 7 March, three working days: its finish is set on Saturday, so one rest day
    // lies in between.
    CTaskItem* p = AddGanttTask(*host.doc, NULL, "T", 1, Day(3) + COleDateTimeSpan(0, 8, 0, 0), 3);
    host.InitialUpdate();
    CTaskBase* pBar = BarOfRow(host.chart(), 1);
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(3 * 18, pBar->m_ptFrom.x);
    EXPECT_EQ((3 + 1 + 3) * 18, pBar->m_ptTo.x);
    EXPECT_EQ(CRect(54, 37, 126, 47), pBar->m_rect);
    EXPECT_EQ(p, pBar->GetTask());

    // Other zoom levels: 6 and 1.2 pixels a day, truncated.
    host.view->ZoomOut();
    pBar = BarOfRow(host.chart(), 1);
    EXPECT_EQ(18, pBar->m_ptFrom.x);
    EXPECT_EQ(42, pBar->m_ptTo.x);
    host.view->ZoomOut();
    pBar = BarOfRow(host.chart(), 1);
    EXPECT_EQ(3, pBar->m_ptFrom.x);   // 3.6
    EXPECT_EQ(8, pBar->m_ptTo.x);     // 8.4
    host.view->ZoomOut();
    pBar = BarOfRow(host.chart(), 1);
    EXPECT_EQ(1, pBar->m_ptFrom.x);   // 1.8
    EXPECT_EQ(4, pBar->m_ptTo.x);     // 4.2
}

TEST_F(GanttLayoutTest, ZoomStopsAtBothEnds)
{
    CGanttHost host;
    AddGanttTask(*host.doc, NULL, "T", 1, Day(1), 2);
    host.InitialUpdate();
    EXPECT_EQ(1, host.chart().GetTimeScale());
    host.view->ZoomIn();
    EXPECT_EQ(1, host.chart().GetTimeScale());
    for (int i = 0; i < 5; ++i)
        host.view->ZoomOut();
    EXPECT_EQ(4, host.chart().GetTimeScale());
    // The commands reach the view.
    host.view->SendMessage(WM_COMMAND, ID_GANTT_ZOOMIN);
    EXPECT_EQ(3, host.chart().GetTimeScale());
    host.view->SendMessage(WM_COMMAND, ID_GANTT_ZOOMOUT);
    EXPECT_EQ(4, host.chart().GetTimeScale());
}

TEST_F(GanttLayoutTest, TasksBeforeTheOriginHaveNegativeX)
{
    CGanttHost host;
    AddGanttTask(*host.doc, NULL, "Old", 1, Day(-10), 2);
    host.InitialUpdate();
    EXPECT_EQ(-180, BarOfRow(host.chart(), 1)->m_ptFrom.x);
}

TEST_F(GanttLayoutTest, MilestoneAndOnePixelBars)
{
    CGanttHost host;
    CTaskItem* pMilestone = AddGanttTask(*host.doc, NULL, "M", 1, Day(1), 2);
    pMilestone->m_nMilestone = 1;  // zero width even though it lasts two days
    CTaskItem* pZero = AddGanttTask(*host.doc, NULL, "Z", 2, Day(2), 0);
    pZero->m_dtFinish = pZero->m_dtStart;
    host.InitialUpdate();
    CTaskBase* pM = BarOfRow(host.chart(), 1);
    EXPECT_EQ(pM->m_rect.left, pM->m_rect.right);
    EXPECT_EQ(18, pM->m_rect.Height());
    CTaskBase* pZ = BarOfRow(host.chart(), 2);
    EXPECT_EQ(36, pZ->m_rect.left);
    EXPECT_EQ(37, pZ->m_rect.right);
    EXPECT_EQ(10, pZ->m_rect.Height());
}

TEST_F(GanttLayoutTest, StartAfterFinishCountsNoRestDays)
{
    CGanttHost host;
    CTaskItem* p = AddGanttTask(*host.doc, NULL, "Back", 1, Day(5), 2);  // Saturday
    p->m_dtFinish = Day(-2);  // the Saturday before: START after FINISH
    host.InitialUpdate();
    EXPECT_EQ((5 + 0 + 2) * 18, BarOfRow(host.chart(), 1)->m_ptTo.x);
}

TEST_F(GanttLayoutTest, SummaryBarsAndTheirChildren)
{
    CGanttHost host;
    CTaskItem* pSum = AddGanttTask(*host.doc, NULL, "Sum", 1, Day(0), 5);
    AddGanttTask(*host.doc, pSum, "A", 2, Day(0), 2);
    AddGanttTask(*host.doc, pSum, "B", 3, Day(2), 3);
    host.InitialUpdate();
    const auto shapes = GanttShapes(host.chart());
    ASSERT_EQ(3u, shapes.size());
    EXPECT_TRUE(shapes[0]->IsKindOf(RUNTIME_CLASS(CTaskPolygon)));
    EXPECT_EQ(1, shapes[0]->m_nRow);
    EXPECT_EQ(2, shapes[1]->m_nRow);
    EXPECT_EQ(3, shapes[2]->m_nRow);
    EXPECT_TRUE(host.view->IsSummaryRow(1));
    EXPECT_FALSE(host.view->IsSummaryRow(2));
    ASSERT_EQ(1, host.view->m_arrSummaryRows.GetSize());
    // The summary shape keeps the colour it was made with.
    EXPECT_EQ(RGB(0, 0, 255), shapes[0]->m_crColor);
}

TEST_F(GanttLayoutTest, CollapsedRowsAreLeftOutAndLaterRowsMoveUp)
{
    CGanttHost host;
    CTaskItem* pSum = AddGanttTask(*host.doc, NULL, "Sum", 1, Day(0), 5);
    AddGanttTask(*host.doc, pSum, "A", 2, Day(0), 2);
    AddGanttTask(*host.doc, pSum, "B", 3, Day(2), 3);
    CTaskItem* pAfter = AddGanttTask(*host.doc, NULL, "After", 4, Day(5), 2);
    AddGanttLink(pAfter, 2, TASKLINK_FS);  // from a hidden row: not drawn
    AddGanttLink(pAfter, 1, TASKLINK_FS);
    host.InitialUpdate();
    EXPECT_EQ(2u, Arrows(host.chart()).size());

    CUIntArray rows;
    rows.Add(3);
    rows.Add(2);
    host.view->SetCollapsedRows(rows, 0);
    EXPECT_EQ(nullptr, BarOfRow(host.chart(), 2));
    EXPECT_EQ(nullptr, BarOfRow(host.chart(), 3));
    CTaskBase* pBar = BarOfRow(host.chart(), 4);
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(20 * 2 + 17, pBar->m_rect.top);
    EXPECT_EQ(2, host.view->CountCollapsedRowsAbove(4));
    EXPECT_EQ(0, host.view->CountCollapsedRowsAbove(2));
    const auto arrows = Arrows(host.chart());
    ASSERT_EQ(1u, arrows.size());
    EXPECT_EQ(1, arrows[0]->m_nPredRow);
    // The view's array is a copy.
    rows.RemoveAll();
    EXPECT_EQ(2, host.view->m_arrCollapsedRows.GetSize());
}

// The collapsed rows' index answers from its table by row as from the list itself: rows
// out of order, a row twice, and rows far beyond any grid (a damaged file's) alike.
TEST(GanttCollapsedRowIndexTest, AnswersAsTheListForEveryRow)
{
    const UINT list[] = {7, 3, 3, 5, 3000000, 0xFFFFFFFFu};
    CCollapsedRowIndex<UINT> index;
    index.Assign(list, list + 6);
    for (UINT nRow : {0u, 1u, 3u, 4u, 5u, 6u, 7u, 8u, 1048575u, 1048576u, 2999999u, 3000000u, 3000001u, 0xFFFFFFFEu,
                      0xFFFFFFFFu})
    {
        int nAbove = 0;
        bool bHas = false;
        for (UINT n : list)
        {
            nAbove += n < nRow ? 1 : 0;
            bHas = bHas || n == nRow;
        }
        EXPECT_EQ(bHas, index.Has(nRow)) << nRow;
        EXPECT_EQ(nAbove, index.Above(nRow)) << nRow;
    }
}

// The grid syncs the chart on each of its paints: a sync that finds neither the schedule's
// revision nor a setting moved keeps the shapes; one after the schedule took in a change of
// a task or a link, or a rest day was added, lays the chart out again.
TEST_F(GanttLayoutTest, SyncLaysOutAgainOnlyWhenTheLayoutInputsChanged)
{
    CGanttHost host;
    CTaskItem* pA = AddGanttTask(*host.doc, NULL, "A", 1, Day(0), 2);
    CTaskItem* pB = AddGanttTask(*host.doc, NULL, "B", 2, Day(9), 2);
    host.InitialUpdate();
    CProjectSchedule& schedule = host.doc->Schedule();
    CUIntArray rows;
    host.view->SetCollapsedRows(rows, 0);
    CTaskBase* pBar = BarOfRow(host.chart(), 1);
    ASSERT_NE(nullptr, pBar);
    const unsigned nLayouts = host.view->Layouts();
    host.view->SetCollapsedRows(rows, 0);
    EXPECT_EQ(pBar, BarOfRow(host.chart(), 1));
    EXPECT_EQ(nLayouts, host.view->Layouts());

    // The task's dates edited and settled.
    pA->m_dtStart = Day(7);
    pA->m_dtFinish = Day(8) + COleDateTimeSpan(0, 17, 0, 0);
    schedule.Recalculate({pA});
    host.view->SetCollapsedRows(rows, 0);
    ASSERT_NE(nullptr, BarOfRow(host.chart(), 1));
    EXPECT_EQ(7 * 18, BarOfRow(host.chart(), 1)->m_ptFrom.x);
    EXPECT_EQ(nLayouts + 1, host.view->Layouts());

    // A link added.
    EXPECT_TRUE(Arrows(host.chart()).empty());
    ASSERT_NE(nullptr, schedule.AddLink(pB, pA, TASKLINK_FS, 0));
    host.view->SetCollapsedRows(rows, 0);
    EXPECT_EQ(1u, Arrows(host.chart()).size());

    // Progress, read into the bar at layout, as its owner reports it.
    const CRect rcBefore = static_cast<CTaskRect*>(BarOfRow(host.chart(), 2))->m_rcProgress;
    pB->m_nProgress = 100;
    schedule.ShownChanged();
    host.view->SetCollapsedRows(rows, 0);
    EXPECT_GT(static_cast<CTaskRect*>(BarOfRow(host.chart(), 2))->m_rcProgress.Width(), rcBefore.Width());

    // A rest day within B's span: its bar now steps over it.
    const int nRightBefore = BarOfRow(host.chart(), 2)->m_ptTo.x;
    CCalendarItem* pRest = new CCalendarItem;
    pRest->m_bWorking = 0;
    pRest->m_dtFrom = Day(10);
    pRest->m_dtTo = Day(10);
    host.doc->m_listCalendarItems.AddTail(pRest);
    host.view->SetCollapsedRows(rows, 0);
    EXPECT_NE(nRightBefore, BarOfRow(host.chart(), 2)->m_ptTo.x);
}

// After a layout the chart needs none until the document schedule's revision or a setting
// the layout reads moves: also with rows under a collapsed summary, a row without a name and
// a task without dates; a settle that changed nothing needs none.
TEST_F(GanttLayoutTest, ALayoutIsNeededOnceTheScheduleOrASettingMoved)
{
    CGanttHost host;
    CTaskItem* pSum = AddGanttTask(*host.doc, NULL, "Sum", 1, Day(0), 5);
    CTaskItem* pA = AddGanttTask(*host.doc, pSum, "A", 2, Day(0), 2);
    CTaskItem* pB = AddGanttTask(*host.doc, pSum, "B", 3, Day(2), 3);
    CTaskLink* pHidden = AddGanttLink(pB, 2, TASKLINK_FS);
    CTaskItem* pNameless = AddGanttTask(*host.doc, NULL, "", 4, Day(1), 1);
    CTaskItem* pUndated = AddGanttTask(*host.doc, NULL, "Undated", 5, Day(1), 1);
    pUndated->m_dtStart.SetStatus(COleDateTime::invalid);
    AddGanttLink(pUndated, 1, TASKLINK_FS);
    host.InitialUpdate();
    CProjectSchedule& schedule = host.doc->Schedule();
    schedule.Recalculate({});
    CUIntArray rows;
    rows.Add(2);
    rows.Add(3);
    host.view->SetCollapsedRows(rows, 0);
    EXPECT_FALSE(host.view->NeedsLayout());
    EXPECT_EQ(nullptr, BarOfRow(host.chart(), 3));
    schedule.Recalculate({});
    EXPECT_FALSE(host.view->NeedsLayout());

    const auto movedBy = [&](auto change) {
        EXPECT_FALSE(host.view->NeedsLayout());
        change();
        const BOOL bNeeds = host.view->NeedsLayout();
        host.view->SetCollapsedRows(rows, 0);
        return bNeeds;
    };
    // A link between the hidden rows, its task settled.
    EXPECT_TRUE(movedBy([&] {
        pHidden->m_nType = TASKLINK_SS;
        schedule.Recalculate({pB});
    }));
    EXPECT_TRUE(movedBy([&] { schedule.ShownChanged(); }));
    EXPECT_TRUE(movedBy([&] { ASSERT_NE(nullptr, schedule.AddLink(pB, pNameless, TASKLINK_FF, 0)); }));
    EXPECT_TRUE(movedBy([&] { schedule.RemoveLink(pB, pB->m_listLinks.GetTail()); }));
    EXPECT_TRUE(movedBy([&] { schedule.AddTask(pUndated, 0, "U1", Day(0), 1); }));
    EXPECT_TRUE(movedBy([&] { schedule.MoveTask(pA, NULL, 0); }));
    // A change of rows the schedule is to take in again.
    EXPECT_TRUE(movedBy([&] { host.doc->ForgetSchedule(false); }));

    // The settings: collapsed rows, the calendar, the zoom.
    rows.RemoveAt(1);
    host.view->SetCollapsedRows(rows, 0);
    CCalendarItem* pRest = new CCalendarItem;
    pRest->m_bWorking = 0;
    pRest->m_dtFrom = Day(3);
    pRest->m_dtTo = Day(3);
    EXPECT_TRUE(movedBy([&] { host.doc->m_listCalendarItems.AddTail(pRest); }));
    EXPECT_TRUE(movedBy([&] { pRest->m_dtTo = Day(4); }));
    EXPECT_TRUE(movedBy([&] { host.chart().m_nTimeScale = 2; }));
    EXPECT_FALSE(host.view->NeedsLayout());
}

// Two charts on two documents: a change of one document's schedule lays out its own chart
// alone.
TEST_F(GanttLayoutTest, AChangeOfOneDocumentLaysOutItsOwnChartAlone)
{
    CGanttHost first, second;
    CTaskItem* pA = AddGanttTask(*first.doc, NULL, "A", 1, Day(0), 2);
    AddGanttTask(*second.doc, NULL, "B", 1, Day(0), 2);
    first.InitialUpdate();
    second.InitialUpdate();
    CUIntArray rows;
    first.view->SetCollapsedRows(rows, 0);
    second.view->SetCollapsedRows(rows, 0);
    const unsigned nFirst = first.view->Layouts(), nSecond = second.view->Layouts();
    pA->m_dtStart = Day(3);
    pA->m_dtFinish = Day(4);
    first.doc->Schedule().Recalculate({pA});
    EXPECT_FALSE(second.view->NeedsLayout());
    first.view->SetCollapsedRows(rows, 0);
    second.view->SetCollapsedRows(rows, 0);
    EXPECT_EQ(nFirst + 1, first.view->Layouts());
    EXPECT_EQ(nSecond, second.view->Layouts());
    EXPECT_EQ(3 * 18, BarOfRow(first.chart(), 1)->m_ptFrom.x);
}

// The check a kept chart gets in every test: shapes that differ from a fresh layout (here a
// bar moved by hand, as a field the layout reads but no revision tracks would leave it) are
// caught, and laid out again.
TEST_F(GanttLayoutTest, TheCheckOfAKeptChartCatchesShapesAFreshLayoutDoesNotGive)
{
    CGanttHost host;
    AddGanttTask(*host.doc, NULL, "A", 1, Day(0), 2);
    CTaskItem* pB = AddGanttTask(*host.doc, NULL, "B", 2, Day(2), 2);
    AddGanttLink(pB, 1, TASKLINK_FS);
    host.InitialUpdate();
    EXPECT_TRUE(host.view->LayoutIsFresh());
    CTaskBase* pBar = BarOfRow(host.chart(), 2);
    ASSERT_NE(nullptr, pBar);
    const int nLeft = pBar->m_ptFrom.x;
    pBar->m_ptFrom.x = -999;
    EXPECT_FALSE(host.view->NeedsLayout());
    EXPECT_FALSE(host.view->LayoutIsFresh());
    EXPECT_EQ(pBar, BarOfRow(host.chart(), 2));
    EXPECT_EQ(nLeft, pBar->m_ptFrom.x);
    EXPECT_TRUE(host.view->LayoutIsFresh());

    host.view->m_arrCriticalRows.Add(2);
    EXPECT_FALSE(host.view->LayoutIsFresh());
    Arrows(host.chart())[0]->m_crColor = RGB(1, 2, 3);
    EXPECT_FALSE(host.view->LayoutIsFresh());
    host.view->m_dtChartEnd = Day(40);
    EXPECT_FALSE(host.view->LayoutIsFresh());
    EXPECT_TRUE(host.view->LayoutIsFresh());
}

TEST_F(GanttLayoutTest, EndAndStartPointsByLinkType)
{
    CGanttHost host;
    CTaskItem* pPred = AddGanttTask(*host.doc, NULL, "Pred", 1, Day(0), 2);      // x 0..36
    CTaskItem* pSucc = AddGanttTask(*host.doc, NULL, "Succ", 2, Day(7), 3);      // x 126..180
    CTaskItem* pAbove = AddGanttTask(*host.doc, NULL, "Above", 3, Day(1), 1);    // row 3, x 18..36
    (void)pPred;
    AddGanttLink(pSucc, 1, TASKLINK_FS);
    AddGanttLink(pSucc, 1, TASKLINK_FF);
    AddGanttLink(pSucc, 1, TASKLINK_SF);
    AddGanttLink(pSucc, 1, TASKLINK_SS);
    AddGanttLink(pAbove, 2, TASKLINK_FS);  // from row 2, above row 3: the top line
    CTaskItem* pBelowPred = AddGanttTask(*host.doc, NULL, "Late", 4, Day(14), 1);
    AddGanttLink(pSucc, 4, TASKLINK_FS);   // predecessor below the successor: its bottom line
    (void)pBelowPred;
    host.InitialUpdate();

    const int y2 = 57, y3 = 77;
    const auto arrows = Arrows(host.chart());
    ASSERT_EQ(6u, arrows.size());
    // Pred's bar: (0, 37) to (36, 37).
    EXPECT_EQ(CPoint(126, y2), arrows[0]->m_ptTo);        // FS from above: the top line
    EXPECT_EQ(CPoint(36, 42), arrows[0]->m_ptFrom);       // from Pred's finish
    EXPECT_EQ(CPoint(180, y2 + 5), arrows[1]->m_ptTo);    // FF
    EXPECT_EQ(CPoint(36, 42), arrows[1]->m_ptFrom);
    EXPECT_EQ(CPoint(180, y2 + 5), arrows[2]->m_ptTo);    // SF
    EXPECT_EQ(CPoint(0, 42), arrows[2]->m_ptFrom);        // from Pred's start
    EXPECT_EQ(CPoint(126, y2 + 5), arrows[3]->m_ptTo);    // SS
    EXPECT_EQ(CPoint(0, 42), arrows[3]->m_ptFrom);
    EXPECT_EQ(CPoint(126, y2 + 10), arrows[4]->m_ptTo);   // FS from row 4, below
    EXPECT_EQ(CPoint(14 * 18 + 18, 20 * 4 + 17 + 5), arrows[4]->m_ptFrom);
    EXPECT_EQ(CPoint(18, y3), arrows[5]->m_ptTo);         // Above's link from row 2
    EXPECT_EQ(CPoint(180, y2 + 5), arrows[5]->m_ptFrom);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(i < 4 ? 1 : (i == 4 ? 4 : 2), arrows[i]->m_nPredRow) << i;
}

TEST_F(GanttLayoutTest, ArrowsComeAfterEveryBar)
{
    CGanttHost host;
    CTaskItem* p1 = AddGanttTask(*host.doc, NULL, "A", 1, Day(0), 1);
    CTaskItem* p2 = AddGanttTask(*host.doc, NULL, "B", 2, Day(1), 1);
    AddGanttTask(*host.doc, NULL, "C", 3, Day(2), 1);
    AddGanttLink(p2, 1, TASKLINK_FS);
    (void)p1;
    host.InitialUpdate();
    const auto shapes = GanttShapes(host.chart());
    ASSERT_EQ(4u, shapes.size());
    EXPECT_EQ(3, shapes[2]->m_nRow);
    EXPECT_TRUE(shapes[3]->IsKindOf(RUNTIME_CLASS(CTaskLineArrow)));
}

TEST_F(GanttLayoutTest, ColoursOfBarsAndArrows)
{
    CGanttHost host;
    CTaskItem* pSum = AddGanttTask(*host.doc, NULL, "Sum", 1, Day(0), 3);
    AddGanttTask(*host.doc, pSum, "Child", 2, Day(0), 3);
    CTaskItem* pCrit = AddGanttTask(*host.doc, NULL, "Crit", 3, Day(3), 2);
    pCrit->m_nCritical = 1;
    CTaskItem* pPlain = AddGanttTask(*host.doc, NULL, "Plain", 4, Day(3), 2);
    CTaskItem* pLast = AddGanttTask(*host.doc, NULL, "Last", 5, Day(7), 2);
    AddGanttLink(pLast, 1, TASKLINK_FS);
    AddGanttLink(pLast, 3, TASKLINK_FS);
    AddGanttLink(pLast, 4, TASKLINK_FS);
    AddGanttLink(pLast, 9, TASKLINK_FS);  // no bar in that row: starts at (0, 0)
    (void)pPlain;
    host.InitialUpdate();

    CTaskBase* pCritBar = BarOfRow(host.chart(), 3);
    EXPECT_EQ(RGB(255, 0, 0), pCritBar->m_crColor);
    EXPECT_EQ(21036u, pCritBar->m_nBitmapId);
    CTaskBase* pPlainBar = BarOfRow(host.chart(), 4);
    EXPECT_EQ(RGB(0, 0, 255), pPlainBar->m_crColor);
    EXPECT_EQ(21003u, pPlainBar->m_nBitmapId);
    EXPECT_TRUE(host.view->IsCriticalRow(3));
    EXPECT_FALSE(host.view->IsCriticalRow(4));

    const auto arrows = Arrows(host.chart());
    ASSERT_EQ(4u, arrows.size());
    EXPECT_EQ(RGB(0, 0, 0), arrows[0]->m_crColor);
    EXPECT_EQ(RGB(255, 0, 0), arrows[1]->m_crColor);
    EXPECT_EQ(RGB(0, 0, 255), arrows[2]->m_crColor);
    EXPECT_EQ(0u, arrows[0]->m_nBitmapId);
    EXPECT_EQ(CPoint(0, 0), arrows[3]->m_ptFrom);
}

// A layout writes its shapes over the last one's, of other classes and counts at the same
// places: the result is what a layout into an empty chart makes.
TEST_F(GanttLayoutTest, ALayoutOverAnotherEqualsAFreshOne)
{
    CGanttHost host;
    CTaskItem* pA = AddGanttTask(*host.doc, NULL, "A", 1, Day(0), 2);
    CTaskItem* pB = AddGanttTask(*host.doc, NULL, "B", 2, Day(1), 3);
    CTaskItem* pC = AddGanttTask(*host.doc, NULL, "C", 3, Day(4), 1);
    CTaskItem* pD = AddGanttTask(*host.doc, NULL, "D", 4, Day(5), 2);
    AddGanttLink(pC, 1, TASKLINK_FS);
    AddGanttLink(pD, 2, TASKLINK_SS);
    AddGanttLink(pD, 3, TASKLINK_FF);
    host.InitialUpdate();
    ASSERT_EQ(7u, GanttShapes(host.chart()).size());

    const auto relayOutMatchesFresh = [&host](size_t nExpected) {
        host.view->BuildChart();
        const std::vector<std::string> over = DescribeAll(host.chart());
        host.chart().RemoveAllShapes();
        host.view->BuildChart();
        EXPECT_EQ(DescribeAll(host.chart()), over);
        EXPECT_EQ(nExpected, over.size());
    };
    // Summaries where bars were, a bar where an arrow was, one arrow fewer, a critical bar.
    AddGanttTask(*host.doc, pA, "A1", 5, Day(0), 2);
    AddGanttTask(*host.doc, pD, "D1", 6, Day(5), 2);
    delete pD->m_listLinks.RemoveTail();
    pC->m_nCritical = 1;
    relayOutMatchesFresh(8u);
    // The same shapes again, each reused at its place; then fewer shapes than before.
    relayOutMatchesFresh(8u);
    pB->m_strName.Empty();
    delete pC->m_listLinks.RemoveTail();
    relayOutMatchesFresh(6u);
}

TEST_F(GanttLayoutTest, UnnamedAndRemovedTasksGetNoShapes)
{
    CGanttHost host;
    CTaskItem* pUnnamed = AddGanttTask(*host.doc, NULL, "", 1, Day(0), 2);
    AddGanttTask(*host.doc, pUnnamed, "Child", 2, Day(0), 2);
    CTaskItem* pRemoved = AddGanttTask(*host.doc, NULL, "Gone", 3, Day(-30), 40);
    pRemoved->m_nFlag = FLAG_REMOVED;
    AddGanttTask(*host.doc, NULL, "Kept", 4, Day(2), 2);
    host.InitialUpdate();
    const auto shapes = GanttShapes(host.chart());
    ASSERT_EQ(1u, shapes.size());
    EXPECT_EQ(4, shapes[0]->m_nRow);
    // The removed task still widens the chart's own dates.
    COleDateTime dtStart, dtEnd;
    host.view->GetChartStartDate(dtStart);
    host.view->GetChartEndDate(dtEnd);
    EXPECT_EQ(Day(-30), dtStart);
    EXPECT_EQ(Day(9), dtEnd);
}

TEST_F(GanttLayoutTest, LayoutLeavesTheProjectAsItWas)
{
    CGanttHost host;
    CTaskItem* pA = AddGanttTask(*host.doc, NULL, "A", 1, Day(0), 2);
    CTaskItem* pB = AddGanttTask(*host.doc, NULL, "B", 2, Day(5), 2);
    AddGanttLink(pB, 1, TASKLINK_FS);
    pA->m_nCritical = 1;
    pB->m_nCritical = 0;
    pA->m_dtLateStart = Day(-3);      // earlier than START
    pA->m_dtEarlyStart = Day(4);      // later than START
    pA->m_dtLateFinish.SetStatus(COleDateTime::null);
    const COleDateTime dtHeaderStart = Day(-100), dtHeaderFinish = Day(100), dtDeadline = Day(200);
    host.doc->m_ProjectInfo.m_dtStart = dtHeaderStart;
    host.doc->m_ProjectInfo.m_dtFinish = dtHeaderFinish;
    host.doc->m_ProjectInfo.m_dtDeadline = dtDeadline;
    host.InitialUpdate();
    host.view->Recalc();

    EXPECT_EQ(Day(-3), pA->m_dtLateStart);
    EXPECT_EQ(Day(4), pA->m_dtEarlyStart);
    EXPECT_EQ(COleDateTime::null, pA->m_dtLateFinish.GetStatus());
    EXPECT_EQ(dtHeaderStart, host.doc->m_ProjectInfo.m_dtStart);
    EXPECT_EQ(dtHeaderFinish, host.doc->m_ProjectInfo.m_dtFinish);
    EXPECT_EQ(dtDeadline, host.doc->m_ProjectInfo.m_dtDeadline);
    EXPECT_EQ(1, pA->m_nCritical);
    EXPECT_EQ(0, pB->m_nCritical);
    EXPECT_EQ(1, pB->m_listLinks.GetCount());
    EXPECT_EQ(0, pA->m_nFlag);
    EXPECT_EQ(0, pB->m_nFlag);
    EXPECT_FALSE(host.doc->IsModified());
}

TEST_F(GanttLayoutTest, EmptyProjectHasNoChartDatesAndNoWidth)
{
    CGanttHost host;
    host.InitialUpdate();
    COleDateTime dt;
    host.view->GetChartStartDate(dt);
    EXPECT_NE(COleDateTime::valid, dt.GetStatus());
    EXPECT_EQ(0, host.chart().GetChartWidth());
    EXPECT_TRUE(host.chart().GetShapeList().IsEmpty());
    host.chart().UpdateWindow();
    // Printing an empty project draws the scale of the visible range on one page.
    CRecordingDC dc(600, 400);
    CPrintInfo info;
    info.m_rectDraw.SetRect(10, 10, 590, 390);
    host.view->OnBeginPrinting(&dc, &info);
    host.view->OnPrint(&dc, &info);
    EXPECT_EQ(1u, info.GetMaxPage());
    EXPECT_FALSE(dc.Ops().empty());
}

TEST_F(GanttLayoutTest, ChartWidthFromTheChartDates)
{
    CGanttHost host;
    AddGanttTask(*host.doc, NULL, "A", 1, Day(0), 10);   // finish Day(9)
    host.InitialUpdate();
    EXPECT_EQ((9 + 5) * 18, host.chart().GetChartWidth());
    host.view->ZoomOut();
    host.view->ZoomOut();
    EXPECT_EQ(static_cast<int>(14 * 1.2), host.chart().GetChartWidth());
}

TEST_F(GanttLayoutTest, ResourceNamesJoinedByComma)
{
    CGanttHost host;
    tagResInfo res;
    res.strCode = "R1";
    res.strName = "Alice";
    host.doc->m_ProjectInfo.m_listMembers.AddTail(res);
    CStringArray codes;
    codes.Add("R1");
    codes.Add("R9");
    CString str;
    host.view->GetResourceNames(codes, str);
    EXPECT_EQ(CString("Alice,R9"), str);
    codes.RemoveAll();
    host.view->GetResourceNames(codes, str);
    EXPECT_TRUE(str.IsEmpty());
}

TEST_F(GanttLayoutTest, ViewCreatesTheChartHiddenThenShowsIt)
{
    CGanttHost host;
    CWnd* pChart = host.view->GetDlgItem(20021);
    ASSERT_NE(nullptr, pChart);
    EXPECT_EQ(host.chart().GetSafeHwnd(), pChart->GetSafeHwnd());
    EXPECT_FALSE(host.chart().IsWindowVisible());
    EXPECT_EQ(-5, host.chart().GetHScrollDays());
    host.doc->SetModifiedFlag(TRUE);
    host.frame->ShowWindow(SW_SHOW);
    host.InitialUpdate();
    EXPECT_TRUE(host.chart().IsWindowVisible());
    EXPECT_FALSE(host.doc->IsModified());
    CRect rcView, rcChart;
    host.view->GetClientRect(&rcView);
    host.chart().GetWindowRect(&rcChart);
    EXPECT_EQ(rcView.Size(), rcChart.Size());
}

TEST_F(GanttLayoutTest, PaintingDrawsOnlyTheVisibleRows)
{
    CGanttHost host;
    for (int r = 1; r <= 500; ++r) {
        CString strName;
        strName.Format("T%d", r);
        CTaskItem* p = AddGanttTask(*host.doc, NULL, strName, r, Day(r % 20), 2);
        if (r > 1)
            AddGanttLink(p, r - 1, TASKLINK_FS);
    }
    CTaskItem* pLast = host.doc->m_listTasks.GetTail();
    AddGanttLink(pLast, 3, TASKLINK_SS);  // one link across the whole project
    host.InitialUpdate();
    host.chart().SetTopRow(200);

    CRecordingDC dc(800, 400);
    host.chart().PaintChart(&dc, CRect(0, 0, 800, 400));
    std::vector<int> rows;
    for (const AfxDrawOp* op : dc.Recorder().Texts()) {
        int nRow = 0;
        if (sscanf(static_cast<LPCTSTR>(op->text), "T%d", &nRow) == 1) {
            rows.push_back(nRow);
            EXPECT_EQ(20 * nRow + 17, op->points.at(0).y) << nRow;  // logical: before the shift
        }
    }
    ASSERT_FALSE(rows.empty());
    EXPECT_LE(rows.front(), 200);
    EXPECT_GE(rows.back(), 219);
    EXPECT_LE(rows.size(), 25u);
    // The long link crosses the visible rows and is drawn; the arrows of rows far away are not.
    int nLines = 0;
    for (const AfxDrawOp* op : dc.Recorder().OfKind(AfxDrawKind::Polyline))
        if (op->penColor == RGB(0, 0, 255))
            ++nLines;
    EXPECT_GE(nLines, 3);
    EXPECT_LE(nLines, 5 * 30);  // at most five segments for each of the rows shown, not 500 arrows
}
