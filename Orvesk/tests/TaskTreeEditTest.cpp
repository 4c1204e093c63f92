// Cell edits of the task tree view: durations and dates in working days, the roll-up into
// summary tasks and the move of successors along their links. 1 March 2004 is a Monday;
// the standard calendar rests on Saturday and Sunday.
#include <gtest/gtest.h>

#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
// 1 项目 (summary) 03-01..03-11; 2 甲 03-01..03-04 (4 days); 3 乙 03-05..03-11 (5 days)
// after 甲; 4 丙 03-12..03-18 after 乙 (top level).
void FillChain(CProjectDoc& doc)
{
    CTaskItem* pTop = AddTask(doc.m_listTasks, "项目", Day(2004, 3, 1), Day(2004, 3, 11), 9);
    pTop->m_nRowInGrid = 1;
    CTaskItem* pA = AddTask(pTop->m_listChildren, "甲", Day(2004, 3, 1), Day(2004, 3, 4), 4);
    pA->m_nRowInGrid = 2;
    CTaskItem* pB = AddTask(pTop->m_listChildren, "乙", Day(2004, 3, 5), Day(2004, 3, 11), 5);
    pB->m_nRowInGrid = 3;
    AddLink(pB, pA);
    CTaskItem* pC = AddTask(doc.m_listTasks, "丙", Day(2004, 3, 12), Day(2004, 3, 18), 5);
    pC->m_nRowInGrid = 4;
    AddLink(pC, pB);
    doc.m_nMaxRowInGrid = 4;
}
} // namespace

class TaskTreeEditTest : public ProjectWindowTest
{
protected:
    CTaskItem* Task(int nRow) { return Grid().GetTask(nRow); }
};

TEST_F(TaskTreeEditTest, AStartTypedOnASaturdayMovesToMonday)
{
    ASSERT_TRUE(Open(FillChain));
    Grid().EditCell(2, 4, "2004年3月6日");
    EXPECT_EQ(Text(2, 4), CString("2004年3月8日"));
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 8));
    // Four working days from Monday.
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 3, 11));
    EXPECT_EQ(Text(2, 5), CString("2004年3月11日"));
    EXPECT_EQ(Task(2)->m_nFlag, 2);
    EXPECT_TRUE(m_pDoc->IsModified());
}

TEST_F(TaskTreeEditTest, ADurationOfZeroMakesAMilestoneEndingTheWorkingDayBeforeItsStart)
{
    ASSERT_TRUE(Open(FillChain));
    Grid().EditCell(2, 3, "0");
    EXPECT_EQ(Task(2)->m_nDuration, 0);
    EXPECT_EQ(Task(2)->m_nMilestone, 1);
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 2, 27));
    EXPECT_EQ(Text(2, 5), CString("2004年2月27日"));
}

TEST_F(TaskTreeEditTest, FinishToStartFromAFridayLandsOnMondayKeepingTheWorkingDays)
{
    ASSERT_TRUE(Open(FillChain));
    // 甲 now ends on Friday 5 March: 乙 (starting that Friday) moves to Monday.
    Grid().EditCell(2, 3, "5个工作日");
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 3, 5));
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 8));
    EXPECT_EQ(Task(3)->m_dtFinish, Day(2004, 3, 12));
    EXPECT_EQ(Text(3, 4), CString("2004年3月8日"));
    EXPECT_EQ(Text(3, 5), CString("2004年3月12日"));
    EXPECT_EQ(Task(3)->m_nDuration, 5 * 86400);
}

TEST_F(TaskTreeEditTest, AThreeTaskChainCascadesAndRollsUp)
{
    ASSERT_TRUE(Open(FillChain));
    Grid().EditCell(2, 3, "5个工作日");
    // 乙 moved to 03-08..03-12, so 丙 (starting 03-12) moves to 03-15..03-19.
    EXPECT_EQ(Task(4)->m_dtStart, Day(2004, 3, 15));
    EXPECT_EQ(Task(4)->m_dtFinish, Day(2004, 3, 19));
    // The summary takes the latest finish of its children and its working days.
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 12));
    EXPECT_EQ(Text(1, 5), CString("2004年3月12日"));
    EXPECT_EQ(Text(1, 3), CString("10个工作日"));
    EXPECT_EQ(Task(1)->m_nDuration, 10 * 86400);
    EXPECT_EQ(Task(1)->m_nTrueDuration, 10 * 86400);
}

TEST_F(TaskTreeEditTest, ASuccessorThatAlreadyStartsLateEnoughStays)
{
    ASSERT_TRUE(Open(FillChain));
    Grid().EditCell(2, 3, "3个工作日");
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 3, 3));
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 5));
    EXPECT_EQ(Task(3)->m_nFlag, 0);
}

TEST_F(TaskTreeEditTest, AFinishTypedOnARestDayCountsToTheMovedFinish)
{
    ASSERT_TRUE(Open(FillChain));
    Grid().EditCell(2, 5, "2004年3月6日");
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 3, 8));
    EXPECT_EQ(Text(2, 5), CString("2004年3月8日"));
    // Monday 1 to Monday 8: six working days.
    EXPECT_EQ(Text(2, 3), CString("6个工作日"));
    EXPECT_EQ(Task(2)->m_nDuration, 6 * 86400);
    EXPECT_EQ(Task(2)->m_nTrueDuration, 6 * 86400);
}

TEST_F(TaskTreeEditTest, AFinishBeforeTheStartGivesAMilestoneNotANegativeDuration)
{
    ASSERT_TRUE(Open(FillChain));
    Grid().EditCell(3, 5, "2004年3月1日");
    EXPECT_EQ(Task(3)->m_nDuration, 0);
    EXPECT_EQ(Text(3, 3), CString("0个工作日"));
    EXPECT_EQ(Task(3)->m_nMilestone, 1);
}

TEST_F(TaskTreeEditTest, AChildFinishPushesTheAncestorsFinish)
{
    ASSERT_TRUE(Open(FillChain));
    Grid().EditCell(3, 5, "2004年3月16日");
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 16));
    EXPECT_EQ(Text(1, 5), CString("2004年3月16日"));
    EXPECT_EQ(Text(1, 3), CString("12个工作日"));
    EXPECT_EQ(Task(1)->m_nFlag, 2);
}

TEST_F(TaskTreeEditTest, AnUnreadableDateChangesNothing)
{
    ASSERT_TRUE(Open(FillChain));
    Grid().EditCell(2, 4, "明天");
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 1));
    EXPECT_EQ(Text(2, 4), CString("2004年3月1日"));
    EXPECT_EQ(Task(2)->m_nFlag, 0);
}

TEST_F(TaskTreeEditTest, StatusAndNameAreWrittenBack)
{
    ASSERT_TRUE(Open(FillChain));
    Grid().EditCell(2, 1, "3");
    EXPECT_EQ(Task(2)->m_nStatus, 3);
    Grid().EditCell(2, 1, "0x3");
    EXPECT_EQ(Task(2)->m_nStatus, 0);
    Grid().EditCell(2, 2, "新名称");
    EXPECT_EQ(Task(2)->m_strName, CString("新名称"));
}

TEST_F(TaskTreeEditTest, ALinkCycleInStoredDataEndsAndMovesEachTaskOnce)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        FillChain(doc);
        // 甲 also after 丙: 甲 -> 乙 -> 丙 -> 甲.
        AddLink(doc.m_listTasks.GetHead()->m_listChildren.GetHead(), doc.m_listTasks.GetTail());
    }));
    Grid().EditCell(2, 3, "5个工作日");
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 8));
    EXPECT_EQ(Task(4)->m_dtStart, Day(2004, 3, 15));
    // The edited task is not moved back round the cycle.
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 1));
}

TEST_F(TaskTreeEditTest, StartToStartMovesTheStartAndStartToFinishTheFinish)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pP = AddTask(doc.m_listTasks, "前", Day(2004, 3, 1), Day(2004, 3, 5), 5);
        pP->m_nRowInGrid = 1;
        CTaskItem* pSS = AddTask(doc.m_listTasks, "同始", Day(2004, 2, 23), Day(2004, 2, 24), 2);
        pSS->m_nRowInGrid = 2;
        AddLink(pSS, pP, 4, 0);
        CTaskItem* pSF = AddTask(doc.m_listTasks, "始完", Day(2004, 2, 16), Day(2004, 2, 17), 2);
        pSF->m_nRowInGrid = 3;
        AddLink(pSF, pP, 3, 0);
        doc.m_nMaxRowInGrid = 3;
    }));
    // Moving 前 to start on 8 March.
    Grid().EditCell(1, 4, "2004年3月8日");
    // Start-to-start: the successor starts with the predecessor, two working days long.
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 8));
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 3, 9));
    // Start-to-finish: the successor finishes by the last working day before the
    // predecessor's start (Friday 5), keeping its two working days.
    EXPECT_EQ(Task(3)->m_dtFinish, Day(2004, 3, 5));
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 4));
}

TEST_F(TaskTreeEditTest, MovingASummaryAlongItsLinkShiftsItsChildren)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pP = AddTask(doc.m_listTasks, "前", Day(2004, 3, 1), Day(2004, 3, 5), 5);
        pP->m_nRowInGrid = 1;
        CTaskItem* pSum = AddTask(doc.m_listTasks, "汇总", Day(2004, 3, 8), Day(2004, 3, 9), 2);
        pSum->m_nRowInGrid = 2;
        AddLink(pSum, pP);
        CTaskItem* pKid = AddTask(pSum->m_listChildren, "子", Day(2004, 3, 8), Day(2004, 3, 9), 2);
        pKid->m_nRowInGrid = 3;
        doc.m_nMaxRowInGrid = 3;
    }));
    Grid().EditCell(1, 3, "6个工作日");
    // 前 ends on Monday 8: the summary moves to Tuesday 9, its child one working day on.
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 9));
    EXPECT_EQ(Task(3)->m_dtStart, Day(2004, 3, 9));
    EXPECT_EQ(Task(3)->m_dtFinish, Day(2004, 3, 10));
}

TEST_F(TaskTreeEditTest, ACalendarWithoutWorkingDaysEndsTheWalks)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        FillChain(doc);
        for (int d = 0; d < 7; d++)
        {
            CDayOfWeek* pDay = new CDayOfWeek;
            pDay->m_nDay = d;
            pDay->m_bWorking = 0;
            doc.m_listDayOfWeek.AddTail(pDay);
        }
    }));
    CTaskTreeView* pTree = Tree();
    EXPECT_EQ(pTree->SkipRestDays(Day(2004, 3, 6)), Day(2004, 3, 6));
    EXPECT_EQ(pTree->FinishFromStart(Day(2004, 3, 1), 5), Day(2004, 3, 1));
    EXPECT_EQ(pTree->FinishFromStart(Day(2004, 3, 1), 0), Day(2004, 3, 1));
    EXPECT_EQ(pTree->StartFromFinish(Day(2004, 3, 5), 5), Day(2004, 3, 5));
    Grid().EditCell(2, 4, "2004年3月2日");
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 2));
}

TEST_F(TaskTreeEditTest, SharedSuccessorsAreMovedOnceSoALatticeOfPathsEndsQuickly)
{
    // X0, then twenty stages of A and B (each after the X before) and X (after A and B):
    // 2^20 paths from X0 to the last X.
    const int nStages = 20;
    ASSERT_TRUE(Open([&](CProjectDoc& doc) {
        int nRow = 0;
        CTaskItem* pX = AddTask(doc.m_listTasks, "X0", Day(2004, 3, 1), Day(2004, 3, 1), 1);
        pX->m_nRowInGrid = ++nRow;
        for (int s = 1; s <= nStages; s++)
        {
            CTaskItem* pA = AddTask(doc.m_listTasks, "A", Day(2004, 3, 1), Day(2004, 3, 1), 1);
            pA->m_strName.Format("A%d", s);
            pA->m_nRowInGrid = ++nRow;
            CTaskItem* pB = AddTask(doc.m_listTasks, "B", Day(2004, 3, 1), Day(2004, 3, 1), 1);
            pB->m_strName.Format("B%d", s);
            pB->m_nRowInGrid = ++nRow;
            AddLink(pA, pX);
            AddLink(pB, pX);
            CTaskItem* pNext = AddTask(doc.m_listTasks, "X", Day(2004, 3, 1), Day(2004, 3, 1), 1);
            pNext->m_strName.Format("X%d", s);
            pNext->m_nRowInGrid = ++nRow;
            AddLink(pNext, pA);
            AddLink(pNext, pB);
            pX = pNext;
        }
        doc.m_nMaxRowInGrid = nRow;
    }));
    Grid().EditCell(1, 3, "2个工作日");
    ASSERT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 2));
    for (int s = 1; s <= nStages; s++)
    {
        const int nX = 1 + 3 * s;
        EXPECT_EQ(Task(nX - 2)->m_dtStart, Tree()->FinishFromStart(Day(2004, 3, 2), 2 * s)) << s;
        EXPECT_EQ(Task(nX - 1)->m_dtStart, Task(nX - 2)->m_dtStart) << s;
        EXPECT_EQ(Task(nX)->m_dtStart, Tree()->FinishFromStart(Day(2004, 3, 2), 2 * s + 1)) << s;
    }
}
