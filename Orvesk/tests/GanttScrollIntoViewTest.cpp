// Bringing bars into view: a clicked row's bar at every zoom level, and the first view of a
// project that lies away from today.
#include "GanttTestSupport.h"
#include "Gantt_src/TaskShapes.h"

#include <ClassLib/Testing.h>

namespace {

// Today is Monday, 4 March 2024: the chart's origin.
COleDateTime Day(int nOffset)
{
    return COleDateTime(2024, 3, 4, 0, 0, 0) + COleDateTimeSpan(nOffset, 0, 0, 0);
}

const CTaskBase* BarOf(CGunterBar& chart, const CTaskItem* pTask)
{
    for (POSITION pos = chart.GetShapeList().GetHeadPosition(); pos != NULL;) {
        const CTaskBase* pShape = static_cast<const CTaskBase*>(chart.GetShapeList().GetNext(pos));
        if (pShape->m_pTask == pTask)
            return pShape;
    }
    return nullptr;
}

// The bar's left and right pixels in the client area, as painting shifts it.
void ClientSpan(CGunterBar& chart, const CTaskBase* pBar, int& x1, int& x2)
{
    const int nShift = static_cast<int>(chart.GetHScrollDays() * chart.GetDayWidth());
    x1 = pBar->m_ptFrom.x - nShift;
    x2 = pBar->m_ptTo.x - nShift;
}

// The leftmost visible day as a date, and whether it is the origin moved by the scroll.
bool FirstDayFollowsScroll(CGunterBar& chart)
{
    int y, m, d;
    chart.GetFirstVisibleDay(y, m, d);
    return COleDateTime(y, m, d, 0, 0, 0) == Day(chart.GetHScrollDays());
}

} // namespace

class GanttScrollIntoViewTest : public CWndTestBase
{
protected:
    GanttScrollIntoViewTest() : today(2024, 3, 4) {}
    CFixedToday today;
};

TEST_F(GanttScrollIntoViewTest, AClickedRowsBarComesIntoViewAtEveryZoomLevel)
{
    for (int nLevel = 1; nLevel <= 4; ++nLevel) {
        for (int nOffset : {-3000, 2000}) {
            SCOPED_TRACE(testing::Message() << "level " << nLevel << ", " << nOffset << " days");
            CGanttHost host;
            AddGanttTask(*host.doc, NULL, "Now", 1, Day(0), 5);
            CTaskItem* pFar = AddGanttTask(*host.doc, NULL, "Far", 2, Day(nOffset), 10);
            host.InitialUpdate();
            CGunterBar& chart = host.chart();
            chart.SetTimeScale(nLevel);
            ASSERT_EQ(-5, chart.GetHScrollDays());

            chart.EnsureTaskVisible(pFar);
            EXPECT_EQ(pFar, chart.GetCurrentTask());
            const CTaskBase* pBar = BarOf(chart, pFar);
            ASSERT_NE(pBar, nullptr);
            CRect rc;
            chart.GetClientRect(&rc);
            int x1, x2;
            ClientSpan(chart, pBar, x1, x2);
            EXPECT_GE(x1, rc.left);
            EXPECT_LT(x2, rc.right);
            EXPECT_TRUE(FirstDayFollowsScroll(chart));

            // Asked again, a bar in view stays where it is.
            const int nDays = chart.GetHScrollDays();
            chart.EnsureTaskVisible(pFar);
            EXPECT_EQ(nDays, chart.GetHScrollDays());
        }
    }
}

TEST_F(GanttScrollIntoViewTest, ABarInViewBelowAScrolledTopRowStaysWhereItIs)
{
    CGanttHost host;
    CTaskItem* pLast = nullptr;
    for (int nRow = 1; nRow <= 25; ++nRow)
        pLast = AddGanttTask(*host.doc, NULL, "T", nRow, Day(2000), 10);
    host.InitialUpdate();
    CGunterBar& chart = host.chart();
    chart.SetTimeScale(1);
    // The tree scrolled down by 20 rows: row 25 is the fifth row shown.
    chart.SetTopRow(20);
    chart.EnsureTaskVisible(pLast);
    const int nCentred = chart.GetHScrollDays();
    // Two days on, the bar is still in the middle half: it is not centred again.
    chart.ScrollToDay(nCentred + 2);
    chart.EnsureTaskVisible(pLast);
    EXPECT_EQ(nCentred + 2, chart.GetHScrollDays());
}

TEST_F(GanttScrollIntoViewTest, AProjectAwayFromTodayOpensOnItsEarliestBar)
{
    // Two years back to one year ahead, and wholly a year ahead: no bar near today.
    for (int nFirst : {-730, 365}) {
        SCOPED_TRACE(nFirst);
        CGanttHost host;
        AddGanttTask(*host.doc, NULL, "Later", 1, Day(nFirst + 40), 10);
        CTaskItem* pFirst = AddGanttTask(*host.doc, NULL, "First", 2, Day(nFirst), 20);
        AddGanttTask(*host.doc, NULL, "Last", 3, Day(365 + 60), 10);
        host.InitialUpdate();
        CGunterBar& chart = host.chart();

        EXPECT_EQ(nFirst - 5, chart.GetHScrollDays());
        EXPECT_TRUE(FirstDayFollowsScroll(chart));
        int x1, x2;
        ClientSpan(chart, BarOf(chart, pFirst), x1, x2);
        EXPECT_EQ(5 * 18, x1);  // five days after the left edge
        // The origin is still the day the chart was made; no task became the current one.
        int y, m, d;
        chart.GetOriginDate(y, m, d);
        EXPECT_EQ(Day(0), COleDateTime(y, m, d, 0, 0, 0));
        EXPECT_EQ(nullptr, chart.GetCurrentTask());
    }
}

TEST_F(GanttScrollIntoViewTest, ABarAcrossTodayKeepsTheFirstViewAtToday)
{
    CGanttHost host;
    CTaskItem* pPhase = AddGanttTask(*host.doc, NULL, "Phase", 1, Day(-730), 1);
    AddGanttTask(*host.doc, pPhase, "Old", 2, Day(-730), 10);
    AddGanttTask(*host.doc, pPhase, "New", 3, Day(365), 10);
    pPhase->m_dtFinish = Day(374);  // the summary bar runs across today
    pPhase->m_nDuration = 800 * 86400;
    host.InitialUpdate();
    EXPECT_EQ(-5, host.chart().GetHScrollDays());
}
