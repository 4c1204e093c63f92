// The task tree view's grid: set-up, the fill from the document, the rebuild of the task
// tree from the rows, the links resolved into rows and successor lists.
#include <gtest/gtest.h>

#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
// 1 项目 (summary) 2004-03-01..12; 2 设计 03-01..05; 3 编码 03-08..12 after 2; 4 测试
// 03-15..19 after 3.
void FillSmallProject(CProjectDoc& doc)
{
    CTaskItem* pTop = AddTask(doc.m_listTasks, "项目", Day(2004, 3, 1), Day(2004, 3, 12), 10);
    pTop->m_nRowInGrid = 1;
    CTaskItem* pDesign = AddTask(pTop->m_listChildren, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5);
    pDesign->m_nRowInGrid = 2;
    pDesign->m_nStatus = 5;
    CTaskItem* pCode = AddTask(pTop->m_listChildren, "编码", Day(2004, 3, 8), Day(2004, 3, 12), 5);
    pCode->m_nRowInGrid = 3;
    pCode->m_nStatus = 2;
    AddLink(pCode, pDesign);
    CTaskItem* pTest = AddTask(doc.m_listTasks, "测试", Day(2004, 3, 15), Day(2004, 3, 19), 5);
    pTest->m_nRowInGrid = 4;
    AddLink(pTest, pCode);
    doc.m_nMaxRowInGrid = 4;
}
} // namespace

class TaskTreeFillTest : public ProjectWindowTest
{
};

TEST_F(TaskTreeFillTest, AnEmptyProjectShowsTheHeadingsAndBlankRowsDownTheWindow)
{
    ASSERT_TRUE(Open(nullptr));
    ASSERT_NE(Tree(), nullptr);
    const char* headings[7] = {"", "", "任务名称", "工期", "开始时间", "完成时间", "前置任务"};
    for (int col = 0; col < 7; col++)
        EXPECT_EQ(Text(0, col), CString(headings[col])) << col;
    EXPECT_EQ(Grid().GetFormat(0, 2), (UINT)0x8034);
    EXPECT_EQ(Grid().GetRowHeight(0), 32);
    EXPECT_GE(Grid().GetRowCount(), 101);
    for (int row = 1; row < Grid().GetRowCount(); row++)
    {
        ASSERT_EQ(Grid().GetTask(row), nullptr);
        ASSERT_EQ(Grid().GetRowState(row), 4);
        ASSERT_EQ(Grid().GetCellClass(row, 2), CString("CGridTreeCell"));
    }
    EXPECT_EQ(Tree()->GetTaskCount(), 0);
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(TaskTreeFillTest, TasksSitInTheirStoredRowsWithTheirTreeLevels)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CTaskGridAccess grid = Grid();
    EXPECT_EQ(Text(1, 2), CString("项目"));
    EXPECT_EQ(Text(2, 2), CString("设计"));
    EXPECT_EQ(Text(4, 2), CString("测试"));
    EXPECT_EQ(grid.GetLevel(1), 1);
    EXPECT_EQ(grid.GetLevel(2), 2);
    EXPECT_EQ(grid.GetLevel(3), 2);
    EXPECT_EQ(grid.GetLevel(4), 1);
    EXPECT_EQ(Text(1, 3), CString("10个工作日"));
    EXPECT_EQ(Text(2, 4), CString("2004年3月1日"));
    EXPECT_EQ(Text(2, 5), CString("2004年3月5日"));
    EXPECT_EQ(Text(3, 6), CString("2"));
    EXPECT_EQ(Text(4, 6), CString("3"));
    EXPECT_EQ(Text(1, 6), CString(""));
    // The status is the bitmap cell's value; written rows have no status text.
    EXPECT_EQ(grid.GetRowState(2, 1), 5);
    EXPECT_EQ(grid.GetRowState(3, 1), 2);
    EXPECT_EQ(Text(2, 1), CString(""));
    EXPECT_EQ(grid.GetRowState(2), 0);
    // The cells of a task row and their formats.
    EXPECT_EQ(grid.GetCellClass(2, 1), CString("CGridBmpCell"));
    EXPECT_EQ(grid.GetCellClass(2, 2), CString("CGridTreeCell"));
    EXPECT_EQ(grid.GetCellClass(2, 3), CString("CGridSpinCell"));
    EXPECT_EQ(grid.GetCellClass(2, 4), CString("CGridDlgCell"));
    EXPECT_EQ(grid.GetCellClass(2, 5), CString("CGridDlgCell"));
    EXPECT_EQ(grid.GetFormat(2, 4), (UINT)0x8026);
    EXPECT_EQ(grid.GetFormat(2, 6), (UINT)0x8026);
    EXPECT_EQ(grid.GetFormat(2, 2), (UINT)0x8024);
    EXPECT_EQ(grid.GetFormat(2, 3), (UINT)0x8024);
    EXPECT_EQ(Tree()->GetTaskId(2), 0);
    EXPECT_EQ(Tree()->GetTaskId(60), -1);
    EXPECT_EQ(Tree()->GetTaskId(100000), -1);
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(TaskTreeFillTest, ATaskWithoutARowGetsTheNextRowAfterTheHighest)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        FillSmallProject(doc);
        AddTask(doc.m_listTasks, "新加", Day(2004, 3, 22), Day(2004, 3, 22), 1);
    }));
    EXPECT_EQ(m_pDoc->m_nMaxRowInGrid, 5);
    EXPECT_EQ(Text(5, 2), CString("新加"));
    EXPECT_EQ(m_pDoc->m_listTasks.GetTail()->m_nRowInGrid, 5);
    EXPECT_EQ(Tree()->GetTaskCount(), 5);
    // Inserted rows show the status as text.
    EXPECT_EQ(Text(5, 1), CString("0"));
}

TEST_F(TaskTreeFillTest, SiblingsShowTheirOwnPredecessorRows)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        FillSmallProject(doc);
        CTaskItem* pTop = doc.m_listTasks.GetHead();
        CTaskItem* pA = AddTask(pTop->m_listChildren, "甲", Day(2004, 3, 15), Day(2004, 3, 15), 1);
        pA->m_nRowInGrid = 5;
        CTaskItem* pB = AddTask(pTop->m_listChildren, "乙", Day(2004, 3, 15), Day(2004, 3, 15), 1);
        pB->m_nRowInGrid = 6;
        doc.m_nMaxRowInGrid = 6;
        // 甲 follows 编码 (row 3), 乙 follows 甲 (row 5).
        AddLink(pA, pTop->m_listChildren.GetAt(pTop->m_listChildren.FindIndex(1)));
        AddLink(pB, pA);
    }));
    EXPECT_EQ(Text(5, 6), CString("3"));
    EXPECT_EQ(Text(6, 6), CString("5"));
}

TEST_F(TaskTreeFillTest, ATaskStoredBeyondTheGridMakesTheGridGrow)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pFar = AddTask(doc.m_listTasks, "远处", Day(2004, 3, 1), Day(2004, 3, 1), 1);
        pFar->m_nRowInGrid = 150;
        doc.m_nMaxRowInGrid = 150;
    }));
    EXPECT_GE(Grid().GetRowCount(), 151);
    EXPECT_EQ(Text(150, 2), CString("远处"));
    EXPECT_EQ(Grid().GetTask(150), m_pDoc->m_listTasks.GetHead());
    EXPECT_EQ(Grid().GetTask(149), nullptr);
}

TEST_F(TaskTreeFillTest, SummaryDatesAreReadOnlyAfterTheFill)
{
    ASSERT_TRUE(Open(FillSmallProject));
    for (int col = 3; col <= 5; col++)
    {
        EXPECT_FALSE(Grid().IsEditable(1, col)) << col;
        EXPECT_TRUE(Grid().IsEditable(2, col)) << col;
    }
}

TEST_F(TaskTreeFillTest, SuccessorListsAreBuiltAfreshOnEveryRun)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CTaskItem* pDesign = Grid().GetTask(2);
    ASSERT_EQ(pDesign->m_arrSuccessors.GetSize(), 1);
    EXPECT_EQ(pDesign->m_arrSuccessors[0], 3u);
    EXPECT_EQ(pDesign->m_nSuccessor, 1);
    Tree()->BuildSuccessorLists(FALSE);
    Tree()->BuildSuccessorLists(TRUE);
    ASSERT_EQ(pDesign->m_arrSuccessors.GetSize(), 1);
    // A task that lost its successor loses the mark.
    CTaskItem* pCode = Grid().GetTask(3);
    delete pCode->m_listLinks.RemoveHead();
    Tree()->BuildSuccessorLists(FALSE);
    EXPECT_EQ(pDesign->m_arrSuccessors.GetSize(), 0);
    EXPECT_EQ(pDesign->m_nSuccessor, 0);
    EXPECT_EQ(Text(3, 6), CString(""));
}

TEST_F(TaskTreeFillTest, DurationsShowOneDecimalOrTheWholeNumber)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* p = AddTask(doc.m_listTasks, "半", Day(2004, 3, 1), Day(2004, 3, 3), 0);
        p->m_nDuration = 216000; // 2.5 days
        p->m_nRowInGrid = 1;
        p = AddTask(doc.m_listTasks, "近三", Day(2004, 3, 1), Day(2004, 3, 3), 0);
        p->m_nDuration = 255744; // 2.96 days
        p->m_nRowInGrid = 2;
        p = AddTask(doc.m_listTasks, "三", Day(2004, 3, 1), Day(2004, 3, 3), 3);
        p->m_nRowInGrid = 3;
        p = AddTask(doc.m_listTasks, "零", Day(2004, 3, 1), Day(2004, 3, 1), 0);
        p->m_nRowInGrid = 4;
        doc.m_nMaxRowInGrid = 4;
    }));
    EXPECT_EQ(Text(1, 3), CString("2.5个工作日"));
    EXPECT_EQ(Text(2, 3), CString("3个工作日"));
    EXPECT_EQ(Text(3, 3), CString("3个工作日"));
    EXPECT_EQ(Text(4, 3), CString("0个工作日"));
}

TEST_F(TaskTreeFillTest, RowsBelowTheSecondLevelStartFolded)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pTop = AddTask(doc.m_listTasks, "顶", Day(2004, 3, 1), Day(2004, 3, 5), 5);
        pTop->m_nRowInGrid = 1;
        CTaskItem* pMid = AddTask(pTop->m_listChildren, "中", Day(2004, 3, 1), Day(2004, 3, 5), 5);
        pMid->m_nRowInGrid = 2;
        CTaskItem* pLeaf = AddTask(pMid->m_listChildren, "底", Day(2004, 3, 1), Day(2004, 3, 5), 5);
        pLeaf->m_nRowInGrid = 3;
        doc.m_nMaxRowInGrid = 3;
    }));
    EXPECT_TRUE(Grid().IsViewable(2));
    EXPECT_FALSE(Grid().IsViewable(3));
    EXPECT_EQ(Grid().GetRowHeight(3), 0);
    EXPECT_GT(Grid().GetRowHeight(2), 0);
    // The chart hears of the folded row.
    ASSERT_GE(Tree()->GetCollapsedRows().GetSize(), 1);
    EXPECT_EQ(Tree()->GetCollapsedRows()[0], 3u);
}

TEST_F(TaskTreeFillTest, MovingARowDeeperMakesItAChildOfTheRowAbove)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CTaskItem* pTest = Grid().GetTask(4);
    ASSERT_EQ(pTest->m_nFlag, 0);
    ASSERT_TRUE(Grid().ChangeLevel(4, 2));
    CTaskItem* pTop = Grid().GetTask(1);
    ASSERT_EQ(pTop->m_listChildren.GetCount(), 3);
    EXPECT_EQ(pTop->m_listChildren.GetTail(), pTest);
    EXPECT_EQ(m_pDoc->m_listTasks.GetCount(), 1);
    EXPECT_EQ(pTest->m_nFlag, 2);
    EXPECT_TRUE(m_pDoc->IsModified());
}

TEST_F(TaskTreeFillTest, ANewTaskKeepsItsNewFlagThroughARebuild)
{
    ASSERT_TRUE(Open(FillSmallProject));
    Grid().GetTask(4)->m_nFlag = 1;
    Tree()->SendMessage(WM_GRID_ROWSCHANGED, 0, 0);
    EXPECT_EQ(Grid().GetTask(4)->m_nFlag, 1);
    EXPECT_EQ(Grid().GetTask(2)->m_nFlag, 2);
}

TEST_F(TaskTreeFillTest, ABlankRowBetweenAParentAndItsChildrenDoesNotEndTheSubtree)
{
    ASSERT_TRUE(Open(FillSmallProject));
    // A blank row inserted at row 3, between 设计 and 编码.
    Grid().SetFocusCell(3, 2);
    Grid().NewTask();
    ASSERT_EQ(Grid().GetTask(3), nullptr);
    EXPECT_EQ(Text(4, 2), CString("编码"));
    CTaskItem* pTop = Grid().GetTask(1);
    ASSERT_EQ(pTop->m_listChildren.GetCount(), 2);
    EXPECT_EQ(pTop->m_listChildren.GetTail()->m_nRowInGrid, 4);
    // The links followed their rows.
    EXPECT_EQ(Text(4, 6), CString("2"));
    EXPECT_EQ(Text(5, 6), CString("4"));
}

TEST_F(TaskTreeFillTest, ALinkToARemovedTaskDisappears)
{
    ASSERT_TRUE(Open(FillSmallProject));
    Grid().GetTask(2)->m_nFlag = 3;
    Tree()->BuildSuccessorLists(FALSE);
    EXPECT_EQ(Text(3, 6), CString(""));
    EXPECT_EQ(Grid().GetTask(3)->m_listLinks.GetCount(), 0);
}

TEST_F(TaskTreeFillTest, ALinkOfATaskToItselfIsDropped)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        FillSmallProject(doc);
        CTaskItem* pTest = doc.m_listTasks.GetTail();
        AddLink(pTest, pTest);
    }));
    EXPECT_EQ(Text(4, 6), CString("3"));
    EXPECT_EQ(Grid().GetTask(4)->m_listLinks.GetCount(), 1);
}
