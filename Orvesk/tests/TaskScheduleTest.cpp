// The schedule after an edit: what each link asks of its successor, successors settled
// against every predecessor, summaries and milestones, critical marks and the project's
// dates, the property sheet's candidates, level changes that keep valid links, and damaged
// links from stored data. 1 March 2004 is a Monday; Saturday and Sunday are rest days.
#include <gtest/gtest.h>

#include <ClassLib/Testing/MessageBoxes.h>

#include "GanttBarView.h"
#include "GanttView.h"
#include "Gantt_src/TaskShapes.h"
#include "TaskItem.h"
#include "TaskPropertyRunner.h"
#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
CTaskItem* Row(CTaskItem* pTask, int nRow)
{
    pTask->m_nRowInGrid = nRow;
    return pTask;
}
} // namespace

class TaskScheduleTest : public ProjectWindowTest
{
protected:
    CTaskItem* Task(int nRow) { return Grid().GetTask(nRow); }
};

TEST_F(TaskScheduleTest, EachLinkTypeAndLagAsksForItsDateAroundRestDays)
{
    ASSERT_TRUE(Open(nullptr));
    struct Case
    {
        int nType, nLag;
        COleDateTime start, finish;   // the predecessor
        int nBound;
        COleDateTime required;
    };
    const int S = CTaskTreeView::linkBoundsStart, F = CTaskTreeView::linkBoundsFinish;
    // Thursday 4 to Friday 5, then Sunday 7 (a stored rest day) to Saturday 13.
    const COleDateTime a0 = Day(2004, 3, 4), a1 = Day(2004, 3, 5), b0 = Day(2004, 3, 7), b1 = Day(2004, 3, 13);
    const Case cases[] = {
        {1, 0, a0, a1, S, Day(2004, 3, 8)},  {1, 1, a0, a1, S, Day(2004, 3, 9)},
        {1, 2, a0, a1, S, Day(2004, 3, 10)}, {1, 3, a0, a1, S, Day(2004, 3, 11)},
        {2, 0, a0, a1, F, Day(2004, 3, 5)},  {2, 1, a0, a1, F, Day(2004, 3, 8)},
        {2, 2, a0, a1, F, Day(2004, 3, 9)},  {2, 3, a0, a1, F, Day(2004, 3, 10)},
        {4, 0, a0, a1, S, Day(2004, 3, 4)},  {4, 1, a0, a1, S, Day(2004, 3, 5)},
        {4, 2, a0, a1, S, Day(2004, 3, 8)},  {4, 3, a0, a1, S, Day(2004, 3, 9)},
        {3, 0, a0, a1, F, Day(2004, 3, 3)},  {3, 1, a0, a1, F, Day(2004, 3, 4)},
        {3, 2, a0, a1, F, Day(2004, 3, 5)},  {3, 3, a0, a1, F, Day(2004, 3, 8)},
        {1, 0, b0, b1, S, Day(2004, 3, 16)}, {1, 3, b0, b1, S, Day(2004, 3, 19)},
        {2, 0, b0, b1, F, Day(2004, 3, 15)}, {2, 1, b0, b1, F, Day(2004, 3, 16)},
        {4, 0, b0, b1, S, Day(2004, 3, 8)},  {4, 1, b0, b1, S, Day(2004, 3, 9)},
        {3, 0, b0, b1, F, Day(2004, 3, 5)},  {3, 1, b0, b1, F, Day(2004, 3, 8)},
    };
    for (const Case& c : cases)
    {
        CTaskItem pred;
        pred.m_dtStart = c.start;
        pred.m_dtFinish = c.finish;
        COleDateTime required;
        EXPECT_EQ(Tree()->LinkRequirement(c.nType, c.nLag, pred, required), c.nBound) << c.nType << "/" << c.nLag;
        EXPECT_EQ(required, c.required) << c.nType << "/" << c.nLag << " from " << (LPCTSTR)c.start.Format("%Y-%m-%d");
    }
    CTaskItem pred;
    pred.m_dtStart = a0;
    pred.m_dtFinish = a1;
    COleDateTime required;
    EXPECT_EQ(Tree()->LinkRequirement(5, 0, pred, required), CTaskTreeView::linkBoundsNothing);
}

TEST_F(TaskScheduleTest, SuccessorsPlacedByTheEarlierLagCountOpenAsStoredAndMoveOnlyWhenEarly)
{
    // P Monday 1 to Thursday 4; its successors as the earlier count of a lag placed them,
    // one working day later than their links now ask (FS was counted as it is now).
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pP = Row(AddTask(doc.m_listTasks, "P", Day(2004, 3, 1), Day(2004, 3, 4), 4), 1);
        CTaskItem* pFF = Row(AddTask(doc.m_listTasks, "FF", Day(2004, 3, 4), Day(2004, 3, 8), 3), 2);
        AddLink(pFF, pP, 2, 1);
        CTaskItem* pSS = Row(AddTask(doc.m_listTasks, "SS", Day(2004, 3, 3), Day(2004, 3, 3), 1), 3);
        AddLink(pSS, pP, 4, 1);
        CTaskItem* pSF = Row(AddTask(doc.m_listTasks, "SF", Day(2004, 3, 2), Day(2004, 3, 2), 1), 4);
        AddLink(pSF, pP, 3, 1);
        CTaskItem* pFS = Row(AddTask(doc.m_listTasks, "FS", Day(2004, 3, 8), Day(2004, 3, 8), 1), 5);
        AddLink(pFS, pP, 1, 1);
        doc.m_nMaxRowInGrid = 5;
    }));
    const COleDateTime stored[][2] = {{Day(2004, 3, 1), Day(2004, 3, 4)}, {Day(2004, 3, 4), Day(2004, 3, 8)},
                                      {Day(2004, 3, 3), Day(2004, 3, 3)}, {Day(2004, 3, 2), Day(2004, 3, 2)},
                                      {Day(2004, 3, 8), Day(2004, 3, 8)}};
    EXPECT_FALSE(m_pDoc->IsModified());
    for (int r = 1; r <= 5; r++)
    {
        EXPECT_EQ(Task(r)->m_dtStart, stored[r - 1][0]) << r;
        EXPECT_EQ(Task(r)->m_dtFinish, stored[r - 1][1]) << r;
        EXPECT_EQ(Task(r)->m_nFlag, 0) << r;
    }
    // P settled again as it is: every link holds, nothing moves.
    Grid().EditCell(1, 3, "4个工作日");
    for (int r = 2; r <= 5; r++)
    {
        EXPECT_EQ(Task(r)->m_dtStart, stored[r - 1][0]) << r;
        EXPECT_EQ(Task(r)->m_dtFinish, stored[r - 1][1]) << r;
        EXPECT_EQ(Task(r)->m_nFlag, 0) << r;
    }
    // P to Friday 5: FF lag 1 asks for Monday 8, which it has; FS lag 1 moves to Tuesday 9.
    Grid().EditCell(1, 3, "5个工作日");
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 3, 8));
    EXPECT_EQ(Task(2)->m_nFlag, 0);
    EXPECT_EQ(Task(5)->m_dtStart, Day(2004, 3, 9));
    EXPECT_EQ(Text(5, 4), CString("2004年3月9日"));
}

TEST_F(TaskScheduleTest, ASuccessorOfTwoPredecessorsEndsAfterTheLaterOne)
{
    // P; A (4 days) and B (5 days) after P; C after A and after B.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pP = Row(AddTask(doc.m_listTasks, "P", Day(2004, 3, 1), Day(2004, 3, 1), 1), 1);
        CTaskItem* pA = Row(AddTask(doc.m_listTasks, "A", Day(2004, 3, 2), Day(2004, 3, 5), 4), 2);
        CTaskItem* pB = Row(AddTask(doc.m_listTasks, "B", Day(2004, 3, 2), Day(2004, 3, 8), 5), 3);
        CTaskItem* pC = Row(AddTask(doc.m_listTasks, "C", Day(2004, 3, 9), Day(2004, 3, 9), 1), 4);
        AddLink(pA, pP);
        AddLink(pB, pP);
        AddLink(pC, pA);
        AddLink(pC, pB);
        doc.m_nMaxRowInGrid = 4;
    }));
    Grid().EditCell(1, 3, "3个工作日");
    // P ends Wednesday 3: A Thu 4 - Tue 9, B Thu 4 - Wed 10, so C starts Thursday 11.
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 3, 9));
    EXPECT_EQ(Task(3)->m_dtFinish, Day(2004, 3, 10));
    EXPECT_EQ(Task(4)->m_dtStart, Day(2004, 3, 11));
    EXPECT_EQ(Text(4, 4), CString("2004年3月11日"));
}

TEST_F(TaskScheduleTest, ALagCountsWorkingDaysAndAHeldLinkPushesNothing)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pP = Row(AddTask(doc.m_listTasks, "P", Day(2004, 3, 1), Day(2004, 3, 4), 4), 1);
        // Two working days after P's finish.
        CTaskItem* pLag = Row(AddTask(doc.m_listTasks, "L", Day(2004, 3, 8), Day(2004, 3, 8), 1), 2);
        AddLink(pLag, pP, 1, 2);
        // Finishes with P, and starts with P.
        CTaskItem* pFF = Row(AddTask(doc.m_listTasks, "FF", Day(2004, 3, 3), Day(2004, 3, 5), 3), 3);
        AddLink(pFF, pP, 2, 0);
        CTaskItem* pSS = Row(AddTask(doc.m_listTasks, "SS", Day(2004, 3, 1), Day(2004, 3, 1), 1), 4);
        AddLink(pSS, pP, 4, 0);
        doc.m_nMaxRowInGrid = 4;
    }));
    // P now ends on Friday 5: two clear working days after it are Monday and Tuesday.
    Grid().EditCell(1, 3, "5个工作日");
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 10));
    // FF already finishes with P; SS already starts with P.
    EXPECT_EQ(Task(3)->m_dtFinish, Day(2004, 3, 5));
    EXPECT_EQ(Task(3)->m_nFlag, 0);
    EXPECT_EQ(Task(4)->m_dtStart, Day(2004, 3, 1));
    // An edit that leaves P as it was moves nothing either.
    Grid().EditCell(1, 3, "5个工作日");
    EXPECT_EQ(Task(3)->m_dtFinish, Day(2004, 3, 5));
    EXPECT_EQ(Task(4)->m_dtStart, Day(2004, 3, 1));
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 10));
}

TEST_F(TaskScheduleTest, ASummaryMovedByItsChildMovesItsSuccessors)
{
    // 1 汇总 over 2 子; 3 后 after 汇总.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pSum = Row(AddTask(doc.m_listTasks, "汇总", Day(2004, 3, 1), Day(2004, 3, 2), 2), 1);
        Row(AddTask(pSum->m_listChildren, "子", Day(2004, 3, 1), Day(2004, 3, 2), 2), 2);
        CTaskItem* pAfter = Row(AddTask(doc.m_listTasks, "后", Day(2004, 3, 3), Day(2004, 3, 3), 1), 3);
        AddLink(pAfter, pSum);
        doc.m_nMaxRowInGrid = 3;
    }));
    Grid().EditCell(2, 3, "4个工作日");
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 4));
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 5));
}

TEST_F(TaskScheduleTest, ASummaryMovedByItsLinkOverAWeekendMovesItsChildrenByWorkingDays)
{
    // 1 P; 2 汇总 after P, over 3 A (Friday) and 4 B (Monday and Tuesday).
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pP = Row(AddTask(doc.m_listTasks, "P", Day(2004, 3, 1), Day(2004, 3, 4), 4), 1);
        CTaskItem* pSum = Row(AddTask(doc.m_listTasks, "汇总", Day(2004, 3, 5), Day(2004, 3, 9), 3), 2);
        Row(AddTask(pSum->m_listChildren, "A", Day(2004, 3, 5), Day(2004, 3, 5), 1), 3);
        Row(AddTask(pSum->m_listChildren, "B", Day(2004, 3, 8), Day(2004, 3, 9), 2), 4);
        AddLink(pSum, pP);
        doc.m_nMaxRowInGrid = 4;
    }));
    // P now ends on Friday: the summary starts on Monday, one working day on, and so do its
    // children, each keeping its working days.
    Grid().EditCell(1, 3, "5个工作日");
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 8));
    EXPECT_EQ(Task(3)->m_dtFinish, Day(2004, 3, 8));
    EXPECT_EQ(Task(4)->m_dtStart, Day(2004, 3, 9));
    EXPECT_EQ(Task(4)->m_dtFinish, Day(2004, 3, 10));
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 8));
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 3, 10));
    // The same edit again moves nothing.
    Grid().EditCell(1, 3, "5个工作日");
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 8));
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 3, 10));
}

// The view's ShiftChildren is the schedule's shift: the subtree moves on by working days
// over the weekend and the rows show the moved dates at once.
TEST_F(TaskScheduleTest, ShiftChildrenMovesTheSubtreeByWorkingDaysAndShowsIt)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pSum = Row(AddTask(doc.m_listTasks, "汇总", Day(2004, 3, 5), Day(2004, 3, 9), 3), 1);
        Row(AddTask(pSum->m_listChildren, "A", Day(2004, 3, 5), Day(2004, 3, 5), 1), 2);
        Row(AddTask(pSum->m_listChildren, "B", Day(2004, 3, 8), Day(2004, 3, 9), 2), 3);
        doc.m_nMaxRowInGrid = 3;
    }));
    Tree()->ShiftChildren(Task(1), 1);
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 8));
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 9));
    EXPECT_EQ(Task(3)->m_dtFinish, Day(2004, 3, 10));
    EXPECT_EQ(Text(2, 4), CString("2004年3月8日"));
    EXPECT_EQ(Text(3, 4), CString("2004年3月9日"));
    // The summary spans its moved children.
    EXPECT_EQ(Task(1)->m_dtStart, Day(2004, 3, 8));
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 10));
}

TEST_F(TaskScheduleTest, ACalendarChangeSettlesLinksAndSummaries)
{
    // 1 P (Monday to Friday); 2 S after P; 3 汇总 over 4 C (Monday) and 5 D (Wednesday and
    // Thursday).
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pP = Row(AddTask(doc.m_listTasks, "P", Day(2004, 3, 1), Day(2004, 3, 5), 5), 1);
        CTaskItem* pS = Row(AddTask(doc.m_listTasks, "S", Day(2004, 3, 8), Day(2004, 3, 8), 1), 2);
        AddLink(pS, pP);
        CTaskItem* pSum = Row(AddTask(doc.m_listTasks, "汇总", Day(2004, 3, 1), Day(2004, 3, 4), 4), 3);
        Row(AddTask(pSum->m_listChildren, "C", Day(2004, 3, 1), Day(2004, 3, 1), 1), 4);
        Row(AddTask(pSum->m_listChildren, "D", Day(2004, 3, 3), Day(2004, 3, 4), 2), 5);
        doc.m_nMaxRowInGrid = 5;
    }));
    // Tuesday 2 March becomes a rest day.
    CCalendarItem* pRest = new CCalendarItem;
    pRest->m_dtFrom = Day(2004, 3, 2);
    pRest->m_dtTo = Day(2004, 3, 2);
    pRest->m_bWorking = 0;
    m_pDoc->m_listCalendarItems.AddTail(pRest);
    Tree()->RecalcFinishDates();
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 8));
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 9));
    // The summary still spans its children (its own four days would reach Friday).
    EXPECT_EQ(Task(5)->m_dtFinish, Day(2004, 3, 4));
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 1));
    EXPECT_EQ(Task(3)->m_dtFinish, Day(2004, 3, 4));
    EXPECT_EQ(Text(2, 4), CString("2004年3月9日"));
}

// The chart and the schedule read one store of the calendar's answers: a rest day added after
// both have read the days around it shows in each, whichever asks first.
TEST_F(TaskScheduleTest, ARestDayAddedShowsInTheChartAndInTheSchedule)
{
    // 1 P (Monday to Friday, five days); 2 S after P.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pP = Row(AddTask(doc.m_listTasks, "P", Day(2004, 3, 1), Day(2004, 3, 5), 5), 1);
        CTaskItem* pS = Row(AddTask(doc.m_listTasks, "S", Day(2004, 3, 8), Day(2004, 3, 8), 1), 2);
        AddLink(pS, pP);
        doc.m_nMaxRowInGrid = 2;
    }));
    CGanttBarView* pChart = DYNAMIC_DOWNCAST(CGanttBarView, GanttView()->m_wndSplitter.GetPane(0, 1));
    ASSERT_NE(nullptr, pChart);
    auto barWidth = [pChart](int nRow) {
        CObList& list = pChart->m_wndChart.GetShapeList();
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
            const CTaskBase* p = static_cast<CTaskBase*>(list.GetNext(pos));
            if (p->m_nRow == nRow)
                return p->m_ptTo.x - p->m_ptFrom.x;
        }
        return -1;
    };
    // Both read the days of March before the calendar changes.
    Grid().EditCell(1, 3, "5个工作日");
    ASSERT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 5));
    pChart->BuildChart();
    const int nFiveDays = barWidth(1);
    ASSERT_GT(nFiveDays, 0);
    ASSERT_EQ(0, nFiveDays % 5);
    const int nDay = nFiveDays / 5;

    // Tuesday 2 March becomes a rest day. The schedule, asked first, moves P's finish past
    // it and the weekend, and S after P; the chart steps P's bar over the three rest days.
    CCalendarItem* pRest = new CCalendarItem;
    pRest->m_dtFrom = Day(2004, 3, 2);
    pRest->m_dtTo = Day(2004, 3, 2);
    pRest->m_bWorking = 0;
    m_pDoc->m_listCalendarItems.AddTail(pRest);
    Grid().EditCell(1, 3, "5个工作日");
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 8));
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 9));
    EXPECT_EQ(Text(1, 5), CString("2004年3月8日"));
    pChart->BuildChart();
    EXPECT_EQ(8 * nDay, barWidth(1));

    // A working day again. The chart, asked first, counts the weekend alone in P's span;
    // the schedule brings P's finish back to Friday.
    pRest->m_bWorking = 1;
    pChart->BuildChart();
    EXPECT_EQ(7 * nDay, barWidth(1));
    Grid().EditCell(1, 3, "5个工作日");
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 5));
    pChart->BuildChart();
    EXPECT_EQ(5 * nDay, barWidth(1));
}

TEST_F(TaskScheduleTest, TheMilestoneMarkFollowsTheDuration)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        Row(AddTask(doc.m_listTasks, "甲", Day(2004, 3, 1), Day(2004, 3, 2), 2), 1);
        doc.m_nMaxRowInGrid = 1;
    }));
    Grid().EditCell(1, 3, "0");
    EXPECT_EQ(Task(1)->m_nMilestone, 1);
    Grid().EditCell(1, 3, "5个工作日");
    EXPECT_EQ(Task(1)->m_nMilestone, 0);
    Grid().EditCell(1, 5, "2004年2月27日");
    EXPECT_EQ(Task(1)->m_nMilestone, 1);
    Grid().EditCell(1, 5, "2004年3月3日");
    EXPECT_EQ(Task(1)->m_nMilestone, 0);
}

TEST_F(TaskScheduleTest, CriticalMarksAndTheProjectDatesFollowAnEdit)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        Row(AddTask(doc.m_listTasks, "甲", Day(2004, 3, 1), Day(2004, 3, 5), 5), 1);
        Row(AddTask(doc.m_listTasks, "乙", Day(2004, 3, 1), Day(2004, 3, 3), 3), 2);
        doc.m_nMaxRowInGrid = 2;
    }));
    // 甲 finishes last.
    EXPECT_EQ(Task(1)->m_nCritical, 1);
    EXPECT_EQ(Task(2)->m_nCritical, 0);
    Grid().EditCell(2, 3, "8个工作日");
    EXPECT_EQ(Task(1)->m_nCritical, 0);
    EXPECT_EQ(Task(2)->m_nCritical, 1);
    EXPECT_EQ(m_pDoc->m_ProjectInfo.m_dtStart, Day(2004, 3, 1));
    EXPECT_EQ(m_pDoc->m_ProjectInfo.m_dtFinish, Day(2004, 3, 10));
    EXPECT_EQ(m_pDoc->m_ProjectInfo.m_dtDeadline, Day(2004, 3, 10));
    Grid().EditCell(1, 4, "2004年2月23日");
    EXPECT_EQ(m_pDoc->m_ProjectInfo.m_dtStart, Day(2004, 2, 23));
}

TEST_F(TaskScheduleTest, ThePropertySheetOffersWhatTheLinkChecksAccept)
{
    // 1 设计 over 2 草图; 3 制造 after 设计.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pDesign = Row(AddTask(doc.m_listTasks, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5), 1);
        pDesign->m_nTaskID = 11;
        Row(AddTask(pDesign->m_listChildren, "草图", Day(2004, 3, 1), Day(2004, 3, 5), 5), 2);
        CTaskItem* pMake = Row(AddTask(doc.m_listTasks, "制造", Day(2004, 3, 8), Day(2004, 3, 12), 5), 3);
        AddLink(pMake, pDesign);
        doc.m_nMaxRowInGrid = 3;
    }));
    CStringArray arNames;
    CUIntArray arIds;
    // 草图's parent is refused, and so is 制造, which follows the parent's subtree.
    TaskPredecessorCandidates(*m_pDoc, *Task(2), arNames, arIds);
    EXPECT_EQ(arNames.GetSize(), 0);
    // 制造 keeps its own predecessor, once, and may follow 草图.
    TaskPredecessorCandidates(*m_pDoc, *Task(3), arNames, arIds);
    ASSERT_EQ(arNames.GetSize(), 2);
    ASSERT_EQ(arIds.GetSize(), 2);
    int nDesign = arNames[0] == CString("设计") ? 0 : 1;
    EXPECT_EQ(arNames[nDesign], CString("设计"));
    EXPECT_EQ(arIds[nDesign], 11u);
    EXPECT_EQ(arNames[1 - nDesign], CString("草图"));
}

TEST_F(TaskScheduleTest, IndentKeepsTheLinksThatStayValid)
{
    // 1 项目 over 2 设计, 3 编码 and 4 文档, both after 设计.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pTop = Row(AddTask(doc.m_listTasks, "项目", Day(2004, 3, 1), Day(2004, 3, 12), 10), 1);
        CTaskItem* pDesign = Row(AddTask(pTop->m_listChildren, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5), 2);
        CTaskItem* pCode = Row(AddTask(pTop->m_listChildren, "编码", Day(2004, 3, 8), Day(2004, 3, 12), 5), 3);
        AddLink(pCode, pDesign);
        CTaskItem* pDoc = Row(AddTask(pTop->m_listChildren, "文档", Day(2004, 3, 8), Day(2004, 3, 12), 5), 4);
        AddLink(pDoc, pDesign);
        doc.m_nMaxRowInGrid = 4;
    }));
    // 文档 under 编码: its link to 设计 (no ancestor of it) stays.
    Grid().SetFocusCell(4, 2);
    Tree()->OnIndent();
    ASSERT_EQ(Grid().GetLevel(4), 3);
    EXPECT_EQ(Task(4)->m_listLinks.GetCount(), 1);
    EXPECT_EQ(Task(3)->m_listLinks.GetCount(), 1);
    // 编码 under 设计 takes 文档 along: 编码's link to its new parent goes, 文档's to its
    // new grandparent too; the user is told of both in one box.
    Grid().SetFocusCell(3, 2);
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    Tree()->OnIndent();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text, CString("链接任务出错!\n\n不能将两个父子关系的任务进行链接!"));
    ASSERT_EQ(Grid().GetLevel(3), 3);
    EXPECT_EQ(Task(3)->m_listLinks.GetCount(), 0);
    EXPECT_EQ(Task(4)->m_listLinks.GetCount(), 0);
}

TEST_F(TaskScheduleTest, DamagedStoredLinksOpenAndTheFirstEditMovesEachTaskOnce)
{
    // 1 甲 with a link to itself and one to a row that holds nothing; 2 乙 after 甲 and 3 丙
    // after 乙, 甲 after 丙: a cycle.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pA = Row(AddTask(doc.m_listTasks, "甲", Day(2004, 3, 1), Day(2004, 3, 2), 2), 1);
        CTaskItem* pB = Row(AddTask(doc.m_listTasks, "乙", Day(2004, 3, 3), Day(2004, 3, 4), 2), 2);
        CTaskItem* pC = Row(AddTask(doc.m_listTasks, "丙", Day(2004, 3, 5), Day(2004, 3, 8), 2), 3);
        AddLink(pA, pA);
        CTaskLink* pGone = AddLink(pA, pC);
        pGone->m_nSuccID = 40;
        pGone->m_strPredName = "不在";
        AddLink(pB, pA);
        AddLink(pC, pB);
        AddLink(pA, pC);
        doc.m_nMaxRowInGrid = 3;
    }));
    Grid().EditCell(1, 3, "3个工作日");
    // 乙 and 丙 move once each; 甲, where the cycle was entered, keeps the edited dates.
    EXPECT_EQ(Task(1)->m_dtStart, Day(2004, 3, 1));
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 3));
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 4));
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 8));
}

TEST_F(TaskScheduleTest, ALinkClosingACycleThroughASummaryAndTwoLinksIsRefused)
{
    // 1 总 over 2 子; 3 甲 after 总; 4 乙 after 甲. 乙 before 子 would put 子 after itself.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pSum = Row(AddTask(doc.m_listTasks, "总", Day(2004, 3, 1), Day(2004, 3, 5), 5), 1);
        Row(AddTask(pSum->m_listChildren, "子", Day(2004, 3, 1), Day(2004, 3, 5), 5), 2);
        CTaskItem* pA = Row(AddTask(doc.m_listTasks, "甲", Day(2004, 3, 8), Day(2004, 3, 8), 1), 3);
        AddLink(pA, pSum);
        CTaskItem* pB = Row(AddTask(doc.m_listTasks, "乙", Day(2004, 3, 9), Day(2004, 3, 9), 1), 4);
        AddLink(pB, pA);
        doc.m_nMaxRowInGrid = 4;
    }));
    CString strMessage;
    EXPECT_FALSE(Tree()->CheckTaskLink(2, 4, strMessage));
    EXPECT_FALSE(strMessage.IsEmpty());
    CStringArray arNames;
    CUIntArray arIds;
    Tree()->GetLinkableTasks(2, arNames, arIds);
    EXPECT_EQ(arNames.GetSize(), 0);
    // 乙 may still follow 子.
    EXPECT_TRUE(Tree()->CheckTaskLink(4, 2, strMessage));
}

TEST_F(TaskScheduleTest, IndentDropsALinkItTurnsIntoACycle)
{
    // 1 乙 after 3 甲; 2 丙 after 乙; 甲 then goes under 丙: 甲 -> 乙 -> 丙, which holds 甲.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pB = Row(AddTask(doc.m_listTasks, "乙", Day(2004, 3, 2), Day(2004, 3, 2), 1), 1);
        CTaskItem* pC = Row(AddTask(doc.m_listTasks, "丙", Day(2004, 3, 3), Day(2004, 3, 3), 1), 2);
        CTaskItem* pA = Row(AddTask(doc.m_listTasks, "甲", Day(2004, 3, 1), Day(2004, 3, 1), 1), 3);
        AddLink(pB, pA);
        AddLink(pC, pB);
        doc.m_nMaxRowInGrid = 3;
    }));
    Grid().SetFocusCell(3, 2);
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    Tree()->OnIndent();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text, CString("链接任务出错!\n\n这样将产生循环链接!"));
    ASSERT_EQ(Grid().GetLevel(3), 2);
    // The link from the moved task goes; the one between the others stays.
    EXPECT_EQ(Task(1)->m_listLinks.GetCount(), 0);
    EXPECT_EQ(Task(2)->m_listLinks.GetCount(), 1);
}
