// What the task tree view does for the document and the chart: server ids from the save
// reply, critical marks, finish dates after a calendar change, the zoom commands and the
// printing of the project window.
#include <gtest/gtest.h>

#include <ClassLib/Testing/DrawLog.h>

#include "GanttBarView.h"
#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
// 1 项目 (summary) with 2 设计 and 3 编码 (after 设计); 4 测试 after 编码.
void FillSmallProject(CProjectDoc& doc)
{
    CTaskItem* pTop = AddTask(doc.m_listTasks, "项目", Day(2004, 3, 1), Day(2004, 3, 12), 10);
    pTop->m_nRowInGrid = 1;
    CTaskItem* pDesign = AddTask(pTop->m_listChildren, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5);
    pDesign->m_nRowInGrid = 2;
    CTaskItem* pCode = AddTask(pTop->m_listChildren, "编码", Day(2004, 3, 8), Day(2004, 3, 12), 5);
    pCode->m_nRowInGrid = 3;
    AddLink(pCode, pDesign);
    CTaskItem* pTest = AddTask(doc.m_listTasks, "测试", Day(2004, 3, 15), Day(2004, 3, 19), 5);
    pTest->m_nRowInGrid = 4;
    AddLink(pTest, pCode);
    doc.m_nMaxRowInGrid = 4;
    doc.m_nProjectID = 7;
    doc.m_ProjectInfo.m_nProjID = 7;
}
} // namespace

class TaskTreeServicesTest : public ProjectWindowTest
{
protected:
    CTaskItem* Task(int nRow) { return Grid().GetTask(nRow); }
    CGanttBarView* Bar()
    {
        POSITION pos = m_pDoc->GetFirstViewPosition();
        while (pos != NULL)
        {
            CView* pView = m_pDoc->GetNextView(pos);
            if (pView->IsKindOf(RUNTIME_CLASS(CGanttBarView)))
                return static_cast<CGanttBarView*>(pView);
        }
        return nullptr;
    }
    // Every task not critical by itself: late start after early start, deadline far.
    void ClearOwnMarks()
    {
        for (int row = 1; row <= 4; row++)
            Task(row)->m_dtLateStart = Task(row)->m_dtEarlyStart + COleDateTimeSpan(3, 0, 0, 0);
    }
};

TEST_F(TaskTreeServicesTest, APrettyPrintedReplyReadsLikeACompactOne)
{
    ASSERT_TRUE(Open(FillSmallProject));
    Tree()->ApplyServerIds("<?xml version=\"1.0\"?>\r\n<TASKIDS>\r\n  <TASKID>\r\n    <ID>57</ID>\r\n"
                           "    <ROW>3</ROW>\r\n    <ISSUBPROJ>1</ISSUBPROJ>\r\n    <SUBPROJID>\r\n      9\r\n"
                           "    </SUBPROJID>\r\n  </TASKID>\r\n  <TASKID>\r\n    <ID>12</ID>\r\n    <ROW>0</ROW>\r\n"
                           "  </TASKID>\r\n</TASKIDS>\r\n");
    EXPECT_EQ(Task(3)->m_nTaskID, 57);
    EXPECT_EQ(Task(3)->m_nSubProjID, 9);
    EXPECT_EQ(m_pDoc->m_nProjectID, 12);
    EXPECT_EQ(m_pDoc->m_ProjectInfo.m_nProjID, 12);
}

TEST_F(TaskTreeServicesTest, AnEntryWithoutARowIsSkipped)
{
    ASSERT_TRUE(Open(FillSmallProject));
    Tree()->ApplyServerIds("<TASKIDS><TASKID><ID>99</ID></TASKID><TASKID><ID>41</ID><ROW>1</ROW></TASKID></TASKIDS>");
    EXPECT_EQ(m_pDoc->m_nProjectID, 7);
    EXPECT_EQ(m_pDoc->m_ProjectInfo.m_nProjID, 7);
    EXPECT_EQ(Task(1)->m_nTaskID, 41);
    // An empty ROW is the project.
    Tree()->ApplyServerIds("<TASKIDS><TASKID><ID>13</ID><ROW/></TASKID></TASKIDS>");
    EXPECT_EQ(m_pDoc->m_nProjectID, 13);
}

TEST_F(TaskTreeServicesTest, ReadingStopsAtTheFirstOtherChild)
{
    ASSERT_TRUE(Open(FillSmallProject));
    Tree()->ApplyServerIds("<TASKIDS><TASKID><ID>21</ID><ROW>1</ROW></TASKID><OTHER/>"
                           "<TASKID><ID>22</ID><ROW>2</ROW></TASKID></TASKIDS>");
    EXPECT_EQ(Task(1)->m_nTaskID, 21);
    EXPECT_EQ(Task(2)->m_nTaskID, 0);
    // A wrong root and a row without a task change nothing.
    Tree()->ApplyServerIds("<TASKID><ID>5</ID><ROW>2</ROW></TASKID>");
    Tree()->ApplyServerIds("<TASKIDS><TASKID><ID>5</ID><ROW>40</ROW></TASKID></TASKIDS>");
    EXPECT_EQ(Task(2)->m_nTaskID, 0);
    EXPECT_EQ(m_pDoc->m_nProjectID, 7);
}

TEST_F(TaskTreeServicesTest, BothLatestFinishersStartACriticalChain)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pA = AddTask(doc.m_listTasks, "甲", Day(2004, 3, 1), Day(2004, 3, 2), 2);
        pA->m_nRowInGrid = 1;
        CTaskItem* pB = AddTask(doc.m_listTasks, "乙", Day(2004, 3, 3), Day(2004, 3, 9), 5);
        pB->m_nRowInGrid = 2;
        AddLink(pB, pA);
        CTaskItem* pC = AddTask(doc.m_listTasks, "丙", Day(2004, 3, 1), Day(2004, 3, 9), 7);
        pC->m_nRowInGrid = 3;
        CTaskItem* pD = AddTask(doc.m_listTasks, "丁", Day(2004, 3, 1), Day(2004, 3, 3), 3);
        pD->m_nRowInGrid = 4;
        doc.m_nMaxRowInGrid = 4;
    }));
    ClearOwnMarks();
    Tree()->MarkCriticalTasks();
    EXPECT_EQ(Task(1)->m_nCritical, 1);  // through 乙
    EXPECT_EQ(Task(2)->m_nCritical, 1);
    EXPECT_EQ(Task(3)->m_nCritical, 1);
    EXPECT_EQ(Task(4)->m_nCritical, 0);
    // The chart lays the marks out with the next sync.
    ASSERT_NE(Bar(), nullptr);
    EXPECT_TRUE(Bar()->NeedsLayout());
    Tree()->SyncGanttRows(0, 0);
    EXPECT_TRUE(Bar()->IsCriticalRow(1));
    EXPECT_FALSE(Bar()->IsCriticalRow(4));
}

TEST_F(TaskTreeServicesTest, ACompleteTaskIsCriticalOnlyThroughAChain)
{
    ASSERT_TRUE(Open(FillSmallProject));
    ClearOwnMarks();
    Task(2)->m_nProgress = 100;
    Task(2)->m_dtLateStart = Task(2)->m_dtEarlyStart;  // critical by itself, were it not done
    Tree()->MarkCriticalTasks();
    EXPECT_EQ(Task(4)->m_nCritical, 1);
    EXPECT_EQ(Task(3)->m_nCritical, 1);
    EXPECT_EQ(Task(2)->m_nCritical, 1);
    EXPECT_EQ(Task(1)->m_nCritical, 0);

    // Without the chain the complete task is not critical.
    Task(4)->m_dtFinish = Day(2004, 3, 1);
    Task(1)->m_dtFinish = Day(2004, 3, 30);
    Tree()->MarkCriticalTasks();
    EXPECT_EQ(Task(2)->m_nCritical, 0);
    EXPECT_EQ(Task(1)->m_nCritical, 1);
    // A deadline reached makes a task critical by itself.
    Task(3)->m_dtDeadline = Task(3)->m_dtFinish;
    Tree()->MarkCriticalTasks();
    EXPECT_EQ(Task(3)->m_nCritical, 1);
}

TEST_F(TaskTreeServicesTest, FinishDatesFollowTheCalendar)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        // Starts on a Saturday.
        CTaskItem* pA = AddTask(doc.m_listTasks, "甲", Day(2004, 3, 6), Day(2004, 3, 6), 3);
        pA->m_nRowInGrid = 1;
        pA->m_dtDeadline = Day(2004, 3, 1);
        CTaskItem* pB = AddTask(doc.m_listTasks, "乙", Day(2004, 3, 1), Day(2004, 3, 1), 2);
        pB->m_nRowInGrid = 2;
        pB->m_nFlag = 1;
        doc.m_nMaxRowInGrid = 1;  // lagging: row 2 is recomputed all the same
    }));
    Tree()->RecalcFinishDates();
    EXPECT_EQ(Task(1)->m_dtStart, Day(2004, 3, 8));
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 10));
    EXPECT_EQ(Task(1)->m_dtDeadline, Day(2004, 3, 10));
    EXPECT_EQ(Task(1)->m_nFlag, 2);
    EXPECT_EQ(Text(1, 4), CString("2004年3月8日"));
    EXPECT_EQ(Text(1, 5), CString("2004年3月10日"));
    EXPECT_EQ(Task(2)->m_dtFinish, Day(2004, 3, 2));
    EXPECT_EQ(Task(2)->m_nFlag, 1);
    EXPECT_EQ(Text(2, 5), CString("2004年3月2日"));
}

TEST_F(TaskTreeServicesTest, ZoomCommandsReachTheChart)
{
    ASSERT_TRUE(Open(FillSmallProject));
    ASSERT_NE(Bar(), nullptr);
    const int nLevel = Bar()->m_wndChart.GetTimeScale();
    Tree()->SendMessage(WM_COMMAND, ID_TASK_ZOOMOUT);
    EXPECT_EQ(Bar()->m_wndChart.GetTimeScale(), nLevel + 1);
    Tree()->SendMessage(WM_COMMAND, ID_TASK_ZOOMIN);
    EXPECT_EQ(Bar()->m_wndChart.GetTimeScale(), nLevel);
}

TEST_F(TaskTreeServicesTest, PrintingTheProjectWindowPrintsTheChart)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CRecordingDC dc(600, 400);
    CPrintInfo info;
    info.m_rectDraw.SetRect(10, 10, 590, 390);
    Tree()->OnBeginPrinting(&dc, &info);
    Tree()->OnPrepareDC(&dc, &info);
    Tree()->OnPrint(&dc, &info);
    Tree()->OnEndPrinting(&dc, &info);
    EXPECT_GE(info.GetMaxPage(), 1u);
    // The chart's scale texts are on the page, and beside them, on the first page across,
    // the task tree's columns with their headings.
    BOOL bScale = FALSE, bGrid = FALSE;
    for (const auto& op : dc.Ops())
    {
        if (op.text.Find("任务名称") >= 0)
            bGrid = TRUE;
        if (op.text.Find("2004") >= 0 || op.text.Find("月") >= 0)
            bScale = TRUE;
    }
    EXPECT_TRUE(bScale);
    EXPECT_TRUE(bGrid);
}

TEST(TaskTreeCommandTexts, IndentAndOutdentPrompts)
{
    CString str;
    ASSERT_TRUE(str.LoadString(ID_TASK_OUTDENT));
    EXPECT_EQ(str, CString("任务左移"));
    ASSERT_TRUE(str.LoadString(ID_TASK_INDENT));
    EXPECT_EQ(str, CString("任务右移"));
}
