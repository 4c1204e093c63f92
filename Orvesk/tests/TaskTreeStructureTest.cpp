// Inserted, deleted and new task rows, level changes and assignees in the task tree view.
#include <gtest/gtest.h>

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Ole/DataObject.h>
#include <ClassLib/Testing/Input.h>
#include <ClassLib/Testing/MessageBoxes.h>
#include <ClassLib/Testing/UiScripts.h>

#include "GridDefines.h"
#include "ProjectSchedule.h"
#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
// 1 项目 (summary) with 2 设计 and 3 编码 (after 设计); 4 测试 after 编码.
void FillSmallProject(CProjectDoc& doc)
{
    CTaskItem* pTop = AddTask(doc.m_listTasks, "项目", Day(2004, 3, 1), Day(2004, 3, 12), 10);
    pTop->m_nRowInGrid = 1;
    pTop->m_nTaskID = 501;
    CTaskItem* pDesign = AddTask(pTop->m_listChildren, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5);
    pDesign->m_nRowInGrid = 2;
    CTaskItem* pCode = AddTask(pTop->m_listChildren, "编码", Day(2004, 3, 8), Day(2004, 3, 12), 5);
    pCode->m_nRowInGrid = 3;
    AddLink(pCode, pDesign);
    CTaskItem* pTest = AddTask(doc.m_listTasks, "测试", Day(2004, 3, 15), Day(2004, 3, 19), 5);
    pTest->m_nRowInGrid = 4;
    AddLink(pTest, pCode);
    doc.m_nMaxRowInGrid = 4;
}

// 1 准备, 2 甲, 3 乙 after 甲: a consecutive pair below another row.
void FillPair(CProjectDoc& doc)
{
    AddTask(doc.m_listTasks, "准备", Day(2004, 3, 1), Day(2004, 3, 1), 1)->m_nRowInGrid = 1;
    CTaskItem* pA = AddTask(doc.m_listTasks, "甲", Day(2004, 3, 2), Day(2004, 3, 2), 1);
    pA->m_nRowInGrid = 2;
    CTaskItem* pB = AddTask(doc.m_listTasks, "乙", Day(2004, 3, 3), Day(2004, 3, 3), 1);
    pB->m_nRowInGrid = 3;
    AddLink(pB, pA);
    doc.m_nMaxRowInGrid = 3;
}
} // namespace

class TaskTreeStructureTest : public ProjectWindowTest
{
protected:
    CTaskItem* Task(int nRow) { return Grid().GetTask(nRow); }
    void DeleteRow(int nRow)
    {
        Grid().SetFocusCell(nRow, 2);
        Grid().DeleteTask();
    }
};

TEST_F(TaskTreeStructureTest, LinksSurviveADeleteAboveAConsecutivePair)
{
    ASSERT_TRUE(Open(FillPair));
    ASSERT_EQ(Text(3, 6), CString("2"));
    DeleteRow(1);
    EXPECT_EQ(Text(1, 2), CString("甲"));
    EXPECT_EQ(Text(2, 2), CString("乙"));
    ASSERT_EQ(Task(2)->m_listLinks.GetCount(), 1);
    EXPECT_EQ(Text(2, 6), CString("1"));
    EXPECT_EQ(Task(2)->m_listLinks.GetHead()->m_nSuccID, 1);
    EXPECT_EQ(Task(1)->m_nRowInGrid, 1);
}

TEST_F(TaskTreeStructureTest, DeletingAnUnsavedPredecessorDropsTheLinksToIt)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        FillPair(doc);
        CTaskItem* pC = AddTask(doc.m_listTasks, "丙", Day(2004, 3, 4), Day(2004, 3, 4), 1);
        pC->m_nRowInGrid = 4;
        AddLink(pC, doc.m_listTasks.GetAt(doc.m_listTasks.FindIndex(2))); // after 乙
        doc.m_nMaxRowInGrid = 4;
    }));
    Task(3)->m_nFlag = 1;
    DeleteRow(3); // 乙
    EXPECT_EQ(Text(3, 2), CString("丙"));
    // Not re-targeted at whatever now sits in row 3 (丙 itself) or took 乙's name.
    EXPECT_EQ(Task(3)->m_listLinks.GetCount(), 0);
    EXPECT_EQ(Text(3, 6), CString(""));
    EXPECT_EQ(m_pDoc->m_listDeletedTasks.GetCount(), 0);
}

TEST_F(TaskTreeStructureTest, WithRepeatedNamesALinkKeepsItsOwnPredecessor)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        AddTask(doc.m_listTasks, "同名", Day(2004, 3, 1), Day(2004, 3, 1), 1)->m_nRowInGrid = 1;
        AddTask(doc.m_listTasks, "其他", Day(2004, 3, 2), Day(2004, 3, 2), 1)->m_nRowInGrid = 2;
        CTaskItem* pSecond = AddTask(doc.m_listTasks, "同名", Day(2004, 3, 3), Day(2004, 3, 3), 1);
        pSecond->m_nRowInGrid = 3;
        CTaskItem* pLast = AddTask(doc.m_listTasks, "最后", Day(2004, 3, 4), Day(2004, 3, 4), 1);
        pLast->m_nRowInGrid = 4;
        AddLink(pLast, pSecond);
        doc.m_nMaxRowInGrid = 4;
    }));
    ASSERT_EQ(Text(4, 6), CString("3"));
    // A blank row above everything: the second 同名 is now row 4.
    Grid().SetFocusCell(1, 2);
    Grid().NewTask();
    EXPECT_EQ(Text(4, 2), CString("同名"));
    EXPECT_EQ(Text(5, 6), CString("4"));
}

TEST_F(TaskTreeStructureTest, DeletingASavedTaskPutsItOnTheRemovedList)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CTaskItem* pTest = Task(4);
    DeleteRow(4);
    ASSERT_EQ(m_pDoc->m_listDeletedTasks.GetCount(), 1);
    EXPECT_EQ(m_pDoc->m_listDeletedTasks.GetHead(), pTest);
    EXPECT_EQ(pTest->m_nFlag, 3);
    EXPECT_EQ(m_pDoc->m_listTasks.GetCount(), 1);
    EXPECT_TRUE(m_pDoc->IsModified());
    // The save sends it as removed.
    CString strXml;
    m_pDoc->WriteProjectXml(strXml);
    EXPECT_GE(strXml.Find("测试"), 0);
}

TEST_F(TaskTreeStructureTest, DeletingTheLastChildMakesTheSummaryEditableAgain)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pTop = AddTask(doc.m_listTasks, "汇总", Day(2004, 3, 1), Day(2004, 3, 5), 5);
        pTop->m_nRowInGrid = 1;
        AddTask(pTop->m_listChildren, "唯一", Day(2004, 3, 1), Day(2004, 3, 5), 5)->m_nRowInGrid = 2;
        doc.m_nMaxRowInGrid = 2;
    }));
    ASSERT_FALSE(Grid().IsEditable(1, 4));
    Task(2)->m_nFlag = 1;
    DeleteRow(2);
    EXPECT_TRUE(Grid().GetTask(1)->m_listChildren.IsEmpty());
    for (int col = 3; col <= 5; col++)
        EXPECT_TRUE(Grid().IsEditable(1, col)) << col;
}

TEST_F(TaskTreeStructureTest, DeletingASummaryAndAnsweringNoKeepsItsChildrenOneLevelUp)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CTestMessageBoxes boxes;
    boxes.AnswerText("你要删除当前任务的子任务吗!", IDNO);
    ASSERT_EQ(boxes.Pending(), 1u);
    DeleteRow(1);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].caption, CString("系统提示"));
    EXPECT_EQ(boxes.Boxes()[0].answer, IDNO);
    EXPECT_EQ(boxes.Boxes()[0].type, (UINT)(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_EQ(Text(1, 2), CString("设计"));
    EXPECT_EQ(Grid().GetLevel(1), 1);
    EXPECT_EQ(Grid().GetLevel(2), 1);
    EXPECT_EQ(m_pDoc->m_listTasks.GetCount(), 3);
    // The links followed: 编码 after 设计 (row 1), 测试 after 编码 (row 2).
    EXPECT_EQ(Text(2, 6), CString("1"));
    EXPECT_EQ(Text(3, 6), CString("2"));
}

TEST_F(TaskTreeStructureTest, DeletingASummaryAndAnsweringYesDeletesTheSubtree)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CTestMessageBoxes boxes;
    boxes.Answer(IDYES);
    DeleteRow(1);
    EXPECT_EQ(Text(1, 2), CString("测试"));
    EXPECT_EQ(m_pDoc->m_listTasks.GetCount(), 1);
    EXPECT_EQ(m_pDoc->m_listDeletedTasks.GetCount(), 3);
    // Its predecessor went with the subtree.
    EXPECT_EQ(Task(1)->m_listLinks.GetCount(), 0);
}

TEST_F(TaskTreeStructureTest, NamingABlankRowBelowATaskMakesANewTaskFromIt)
{
    ASSERT_TRUE(Open(FillSmallProject));
    Grid().NameBlankRow(5, "新任务");
    CTaskItem* pNew = Task(5);
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(pNew->m_nFlag, 1);
    EXPECT_EQ(pNew->m_nIsTask, 1);
    EXPECT_EQ(pNew->m_strName, CString("新任务"));
    EXPECT_EQ(pNew->m_nRowInGrid, 5);
    // The start of 测试 above, five working days.
    EXPECT_EQ(pNew->m_dtStart, Day(2004, 3, 15));
    EXPECT_EQ(pNew->m_dtFinish, Day(2004, 3, 19));
    EXPECT_EQ(Text(5, 3), CString("5个工作日"));
    EXPECT_EQ(pNew->m_nDuration, 5 * 86400);
    EXPECT_EQ(Grid().GetLevel(5), 1);
    EXPECT_EQ(m_pDoc->m_nMaxRowInGrid, 5);
    EXPECT_EQ(m_pDoc->m_listTasks.GetTail(), pNew);
    EXPECT_EQ(pNew->m_dtEarlyStart, Day(2004, 3, 15));
    EXPECT_EQ(pNew->m_dtLateStart, Day(2004, 3, 17));
    EXPECT_EQ(pNew->m_dtDeadline, Day(2004, 3, 22));
}

TEST_F(TaskTreeStructureTest, NamingTheFirstRowOfAnEmptyProjectStartsOnTheNextWorkingDay)
{
    const COleDateTime saturday(2004, 3, 6, 10, 30, 0);
    AfxTestSetCurrentTime(&saturday);
    ASSERT_TRUE(Open(nullptr));
    Grid().NameBlankRow(1, "第一个");
    AfxTestSetCurrentTime(nullptr);
    ASSERT_NE(Task(1), nullptr);
    EXPECT_EQ(Task(1)->m_dtStart, Day(2004, 3, 8));
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 12));
    EXPECT_EQ(Task(1)->m_dtCreation, Day(2004, 3, 6));
    EXPECT_EQ(Grid().GetLevel(1), 1);
}

TEST_F(TaskTreeStructureTest, AnInsertedRowRenumbersTheTasksBelowIt)
{
    ASSERT_TRUE(Open(FillSmallProject));
    Grid().SetFocusCell(2, 2);
    Grid().NewTask();
    EXPECT_EQ(Grid().GetTask(2), nullptr);
    EXPECT_EQ(Task(3)->m_strName, CString("设计"));
    EXPECT_EQ(Task(3)->m_nRowInGrid, 3);
    EXPECT_EQ(Task(5)->m_nRowInGrid, 5);
    EXPECT_EQ(Text(4, 6), CString("3"));
    EXPECT_TRUE(m_pDoc->IsModified());
    // The last task moved to row 5: the whole-project loops reach it.
    EXPECT_EQ(m_pDoc->m_nMaxRowInGrid, 5);
    EXPECT_EQ(Tree()->GetTaskCount(), 5);
}

TEST_F(TaskTreeStructureTest, TheScheduleFollowsAnInsertedRowAndADeletedLeafWithoutTakingTheRowsInAgain)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CProjectSchedule& schedule = m_pDoc->Schedule();
    ASSERT_FALSE(m_pDoc->ScheduleStale());
    CTaskItem* pCode = Task(3);
    CTaskItem* pTest = Task(4);
    Grid().SetFocusCell(2, 2);
    Grid().NewTask();
    // Told through its own operation: kept, every task in its grid row, the links' rows along.
    EXPECT_FALSE(m_pDoc->ScheduleStale());
    ASSERT_EQ(schedule.Rows().size(), 6u);
    EXPECT_EQ(schedule.Rows()[2], nullptr);
    EXPECT_EQ(schedule.Rows()[4], pCode);
    EXPECT_EQ(schedule.Parent(pCode), Task(1));
    EXPECT_EQ(pTest->m_listLinks.GetHead()->m_nSuccID, 4);
    EXPECT_EQ(Text(5, 6), CString("4"));
    EXPECT_EQ(schedule.VerifyKept(), "");
    // The blank row deleted again, then one more put in.
    DeleteRow(2);
    EXPECT_FALSE(m_pDoc->ScheduleStale());
    EXPECT_EQ(schedule.Rows()[2], Task(2));
    EXPECT_EQ(pTest->m_listLinks.GetHead()->m_nSuccID, 3);
    EXPECT_EQ(schedule.VerifyKept(), "");
    Grid().SetFocusCell(2, 2);
    Grid().NewTask();
    // 编码 deleted: its successor's link to it goes with it, the rows below move up.
    DeleteRow(4);
    EXPECT_FALSE(m_pDoc->ScheduleStale());
    EXPECT_FALSE(schedule.Holds(pCode));
    ASSERT_EQ(schedule.Rows().size(), 5u);
    EXPECT_EQ(schedule.Rows()[4], pTest);
    EXPECT_EQ(pTest->m_listLinks.GetCount(), 0);
    EXPECT_EQ(Text(4, 6), CString(""));
    EXPECT_EQ(Task(1)->m_listChildren.GetCount(), 1);
    // The summary spans what it has left.
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 5));
    EXPECT_EQ(schedule.VerifyKept(), "");
}

TEST_F(TaskTreeStructureTest, ARowNamedBetweenTwoSiblingsJoinsTheScheduleUnderTheirSummary)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CProjectSchedule& schedule = m_pDoc->Schedule();
    Grid().SetFocusCell(3, 2);
    Grid().NewTask();
    Grid().NameBlankRow(3, "评审");
    CTaskItem* pNew = Task(3);
    ASSERT_NE(pNew, nullptr);
    EXPECT_FALSE(m_pDoc->ScheduleStale());
    EXPECT_EQ(schedule.Rows()[3], pNew);
    EXPECT_EQ(schedule.Parent(pNew), Task(1));
    ASSERT_EQ(Task(1)->m_listChildren.GetCount(), 3);
    EXPECT_EQ(Task(1)->m_listChildren.GetAt(Task(1)->m_listChildren.FindIndex(1)), pNew);
    EXPECT_EQ(Grid().GetLevel(3), 2);
    EXPECT_EQ(pNew->m_dtStart, Day(2004, 3, 1));
    EXPECT_EQ(Text(5, 6), CString("4"));
    EXPECT_EQ(schedule.VerifyKept(), "");
}

TEST_F(TaskTreeStructureTest, ALevelChangeReHangsTheScheduleTasksWithoutTakingTheRowsInAgain)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CProjectSchedule& schedule = m_pDoc->Schedule();
    CTaskItem* pCode = Task(3);
    Grid().SetFocusCell(3, 2);
    Tree()->OnOutdent();
    ASSERT_EQ(Grid().GetLevel(3), 1);
    EXPECT_FALSE(m_pDoc->ScheduleStale());
    EXPECT_EQ(schedule.Parent(pCode), nullptr);
    EXPECT_EQ(schedule.Parent(Task(2)), Task(1));
    // The summary spans only 设计 now; the links stay.
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 5));
    EXPECT_EQ(Text(3, 6), CString("2"));
    EXPECT_EQ(Text(4, 6), CString("3"));
    EXPECT_EQ(schedule.VerifyKept(), "");
    Tree()->OnIndent();
    ASSERT_EQ(Grid().GetLevel(3), 2);
    EXPECT_EQ(schedule.Parent(pCode), Task(1));
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2004, 3, 12));
    EXPECT_EQ(schedule.VerifyKept(), "");
}

TEST_F(TaskTreeStructureTest, IndentAndOutdentRefuseWhatTheTreeCannotTake)
{
    ASSERT_TRUE(Open(FillSmallProject));
    // The first row cannot go deeper; nor can a row already deeper than the one above.
    Grid().SetFocusCell(1, 2);
    Tree()->OnIndent();
    EXPECT_EQ(Grid().GetLevel(1), 1);
    Grid().SetFocusCell(2, 2);
    Tree()->OnIndent();
    EXPECT_EQ(Grid().GetLevel(2), 2);
    // A top-level row cannot go up.
    Grid().SetFocusCell(4, 2);
    Tree()->OnOutdent();
    EXPECT_EQ(Grid().GetLevel(4), 1);
    // 编码 under 设计: the link between the two goes (a task keeps no link to a row
    // above it in its tree), and the user is told.
    Grid().SetFocusCell(3, 2);
    CTestMessageBoxes boxes;
    boxes.AnswerText(_T("不能将两个父子关系的任务进行链接"), IDOK);
    Tree()->OnIndent();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text, CString("链接任务出错!\n\n不能将两个父子关系的任务进行链接!"));
    EXPECT_EQ(Grid().GetLevel(3), 3);
    EXPECT_EQ(Task(2)->m_listChildren.GetCount(), 1);
    EXPECT_EQ(Task(3)->m_listLinks.GetCount(), 0);
    Tree()->OnOutdent();
    EXPECT_EQ(Grid().GetLevel(3), 2);
}

TEST_F(TaskTreeStructureTest, IndentThenOutdentGivesTheFormerSummaryItsOwnDuration)
{
    // 1 甲 of one day, 2 乙 of three days, 3 丙 after 乙.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        AddTask(doc.m_listTasks, "甲", Day(2004, 3, 1), Day(2004, 3, 1), 1)->m_nRowInGrid = 1;
        CTaskItem* pB = AddTask(doc.m_listTasks, "乙", Day(2004, 3, 2), Day(2004, 3, 4), 3);
        pB->m_nRowInGrid = 2;
        CTaskItem* pC = AddTask(doc.m_listTasks, "丙", Day(2004, 3, 5), Day(2004, 3, 5), 1);
        pC->m_nRowInGrid = 3;
        AddLink(pC, pB);
        doc.m_nMaxRowInGrid = 3;
    }));
    CTestMessageBoxes boxes;
    Grid().SetFocusCell(2, 2);
    Tree()->OnIndent();
    ASSERT_EQ(Task(1)->m_listChildren.GetCount(), 1);
    // The summary spans its child.
    EXPECT_EQ(Text(1, 3), CString("3个工作日"));
    EXPECT_FALSE(Grid().IsEditable(1, 3));
    Tree()->OnOutdent();
    ASSERT_EQ(Task(1)->m_listChildren.GetCount(), 0);
    EXPECT_EQ(Task(1)->m_nDuration, 86400);
    EXPECT_EQ(Task(1)->m_nTrueDuration, 86400);
    EXPECT_EQ(Task(1)->m_dtFinish, Task(1)->m_dtStart);
    EXPECT_EQ(Text(1, 3), CString("1个工作日"));
    EXPECT_EQ(Text(1, 5), Text(1, 4));
    // A leaf again: its dates can be typed.
    EXPECT_TRUE(Grid().IsEditable(1, 3));
    EXPECT_TRUE(Grid().IsEditable(1, 5));
    // 乙 and its link to 丙 are as they were; no link went, nothing was said.
    EXPECT_EQ(Task(2)->m_nDuration, 3 * 86400);
    EXPECT_EQ(Task(3)->m_listLinks.GetCount(), 1);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(TaskTreeStructureTest, AStoredSummaryLeftWithoutChildrenTakesTypedDatesAgain)
{
    // 1 甲 a summary as stored (it never was a leaf here), 2 乙 its only child.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pA = AddTask(doc.m_listTasks, "甲", Day(2004, 3, 1), Day(2004, 3, 3), 3);
        pA->m_nRowInGrid = 1;
        AddTask(pA->m_listChildren, "乙", Day(2004, 3, 1), Day(2004, 3, 3), 3)->m_nRowInGrid = 2;
        doc.m_nMaxRowInGrid = 2;
    }));
    ASSERT_FALSE(Grid().IsEditable(1, 4));
    Grid().SetFocusCell(2, 2);
    Tree()->OnOutdent();
    ASSERT_EQ(Task(1)->m_listChildren.GetCount(), 0);
    for (int nCol : {3, 4, 5})
        EXPECT_TRUE(Grid().IsEditable(1, nCol)) << nCol;
    // It keeps the span it had as its own duration.
    EXPECT_EQ(Task(1)->m_nDuration, 3 * 86400);
    EXPECT_EQ(Text(1, 3), CString("3个工作日"));
}

namespace
{
// The enabled state an update handler gives.
class CStateCmdUI : public CCmdUI
{
public:
    explicit CStateCmdUI(UINT nID) { m_nID = nID; }
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    BOOL m_bEnabled = -1;
};
} // namespace

TEST_F(TaskTreeStructureTest, InsertAndDeleteKeysActAtTheFocusRowAfterARightClickElsewhere)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CGridCtrl& grid = Tree()->m_Grid;
    // A right click on 测试 (row 4), its menu dismissed.
    CRect rc;
    ASSERT_TRUE(grid.GetCellRect(4, 2, rc));
    AfxTestPushPopupMenuResult(0);
    AfxTestClick(&grid, rc.CenterPoint(), AFX_TEST_RIGHT);
    AfxPumpMessages();
    ASSERT_EQ(grid.GetRightClickCell().row, 4);
    // Insert with the focus on 编码 (row 3): the blank row comes at row 3.
    grid.SetFocusCell(3, 2);
    AfxTestFocus(&grid);
    AfxTestKey(&grid, VK_INSERT);
    AfxPumpMessages();
    EXPECT_EQ(Text(3, 2), CString(""));
    EXPECT_EQ(Text(4, 2), CString("编码"));
    EXPECT_EQ(Text(5, 2), CString("测试"));
    // Delete on the selected row of 编码 (now row 4) deletes 编码, as 任务删除 does.
    grid.SetFocusCell(4, 2);
    grid.SetSelectedRange(4, 1, 4, 6);
    AfxTestKey(&grid, VK_DELETE);
    AfxPumpMessages();
    EXPECT_EQ(Text(4, 2), CString("测试"));
    EXPECT_EQ(Text(2, 2), CString("设计"));
}

TEST_F(TaskTreeStructureTest, EditMenuDeleteAndPropertyAreOfferedWhereTheContextMenuIs)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CGridCtrl& grid = Tree()->m_Grid;
    for (UINT nID : {(UINT)ID_GRID_DELETETASK_MENU, (UINT)ID_GRID_TASKPROPERTY})
    {
        grid.SetFocusCell(CGridCellId(-1, -1));
        CStateCmdUI none(nID);
        none.DoUpdate(Tree(), TRUE);
        EXPECT_FALSE(none.m_bEnabled) << nID;
        grid.SetFocusCell(2, 3);
        CStateCmdUI cell(nID);
        cell.DoUpdate(Tree(), TRUE);
        EXPECT_TRUE(cell.m_bEnabled) << nID;
    }
    // Edit → 任务删除 deletes the focus row's task, not the one right-clicked before.
    CRect rc;
    ASSERT_TRUE(grid.GetCellRect(1, 2, rc));
    AfxTestPushPopupMenuResult(0);
    AfxTestClick(&grid, rc.CenterPoint(), AFX_TEST_RIGHT);
    AfxPumpMessages();
    grid.SetFocusCell(4, 2);
    Tree()->SendMessage(WM_COMMAND, ID_GRID_DELETETASK_MENU, 0);
    EXPECT_EQ(Text(1, 2), CString("项目"));
    EXPECT_EQ(Text(4, 2), CString(""));
    EXPECT_EQ(Tree()->GetTaskCount(), 4);
}

TEST_F(TaskTreeStructureTest, ABlankRowStaysBelowTheLastTaskHoweverManyThereAre)
{
    // Tasks in every row the set-up makes, and one more.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        for (int nRow = 1; nRow <= 101; nRow++)
            AddTask(doc.m_listTasks, "任务", Day(2004, 3, 1), Day(2004, 3, 1), 1)->m_nRowInGrid = nRow;
        doc.m_nMaxRowInGrid = 101;
    }));
    CGridCtrl& grid = Tree()->m_Grid;
    ASSERT_GE(grid.GetRowCount(), 103);
    const int nLast = grid.GetRowCount() - 1;
    EXPECT_EQ(Grid().GetTask(nLast), nullptr);
    EXPECT_NE(Grid().GetTask(101), nullptr);
    // Naming the last blank row leaves another below it, and the new row's dates stand
    // right as the others do.
    Grid().NameBlankRow(nLast, "收尾");
    ASSERT_NE(Grid().GetTask(nLast), nullptr);
    EXPECT_EQ(grid.GetRowCount(), nLast + 2);
    EXPECT_EQ(Grid().GetTask(nLast + 1), nullptr);
    for (int col = 4; col <= 6; col++)
        EXPECT_EQ(grid.GetCell(nLast, col)->GetFormat() & (DT_RIGHT | DT_CENTER), (UINT)DT_RIGHT) << col;
}

TEST_F(TaskTreeStructureTest, AssigneesReachTheAncestorsAndTheMembers)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        FillSmallProject(doc);
        tagResInfo res;
        res.strCode = "R7";
        res.strName = "服务器资源";
        doc.m_listResources.AddTail(res);
    }));
    CTaskItem* pCode = Task(3);
    pCode->m_arrAssignees.Add("R7");
    pCode->m_arrAssignees.Add("NOBODY");
    Tree()->PropagateAssignees(3);
    CTaskItem* pTop = Task(1);
    ASSERT_EQ(pTop->m_arrAssignees.GetSize(), 2);
    EXPECT_EQ(pTop->m_arrAssignees[0], CString("R7"));
    EXPECT_EQ(pTop->m_nFlag, 2);
    // Only the server's resource becomes a member, once.
    ASSERT_EQ(m_pDoc->m_ProjectInfo.m_listMembers.GetCount(), 1);
    EXPECT_EQ(m_pDoc->m_ProjectInfo.m_listMembers.GetHead().strCode, CString("R7"));
    EXPECT_EQ(m_pDoc->m_ProjectInfo.m_nFlag, 2);
    Tree()->PropagateAssignees(3);
    EXPECT_EQ(m_pDoc->m_ProjectInfo.m_listMembers.GetCount(), 1);
    EXPECT_EQ(pTop->m_arrAssignees.GetSize(), 2);
    // 测试 (another top-level task) is nobody's ancestor.
    EXPECT_EQ(Task(4)->m_arrAssignees.GetSize(), 0);
}

TEST_F(TaskTreeStructureTest, FoldingARowHandsTheFoldedRowsOn)
{
    ASSERT_TRUE(Open(FillSmallProject));
    Grid().ToggleExpand(1);
    EXPECT_EQ(Grid().GetRowHeight(2), 0);
    ASSERT_GE(Tree()->GetCollapsedRows().GetSize(), 2);
    EXPECT_EQ(Tree()->GetCollapsedRows()[0], 2u);
    EXPECT_EQ(Tree()->GetCollapsedRows()[1], 3u);
    // The trim of blank rows leaves the tasks and their links where they were.
    EXPECT_EQ(Text(4, 2), CString("测试"));
    EXPECT_EQ(Text(4, 6), CString("3"));
}

TEST_F(TaskTreeStructureTest, TheServerReplyGivesTasksAndTheProjectTheirIds)
{
    ASSERT_TRUE(Open(FillSmallProject));
    Tree()->ApplyServerIds("<TASKIDS><TASKID><ID>57</ID><ROW>3</ROW><ISSUBPROJ>0</ISSUBPROJ>"
                           "<SUBPROJID>9</SUBPROJID></TASKID><TASKID><ROW>0</ROW><ID>12</ID></TASKID></TASKIDS>");
    EXPECT_EQ(Task(3)->m_nTaskID, 57);
    EXPECT_EQ(Task(3)->m_nSubProjID, 0);
    EXPECT_EQ(m_pDoc->m_nProjectID, 12);
    EXPECT_EQ(m_pDoc->m_ProjectInfo.m_nProjID, 12);
    Tree()->ApplyServerIds("not xml");
    Tree()->ApplyServerIds("<OTHER><TASKID><ID>1</ID><ROW>3</ROW></TASKID></OTHER>");
    EXPECT_EQ(Task(3)->m_nTaskID, 57);
    EXPECT_EQ(Tree()->GetTaskId(3), 57);
}

TEST_F(TaskTreeStructureTest, EditMenuCutCopyAndPasteAreTheGridsClipboardCommands)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CGridCtrl& grid = Tree()->m_Grid;
    // The summary's duration copied and pasted on a task through the project window's
    // Edit menu (and Ctrl+C, Ctrl+V, which name the same commands).
    grid.SetFocusCell(1, 3);
    grid.SetSelectedRange(1, 3, 1, 3);
    const CString strCopied = Text(1, 3);
    for (UINT nID : {(UINT)ID_GRID_MENU_COPY, (UINT)ID_EDIT_COPY})
    {
        CStateCmdUI ui(nID);
        ui.DoUpdate(Tree(), TRUE);
        EXPECT_TRUE(ui.m_bEnabled) << nID;
    }
    Tree()->SendMessage(WM_COMMAND, ID_EDIT_COPY, 0);
    grid.SetFocusCell(4, 3);
    for (UINT nID : {(UINT)ID_GRID_MENU_PASTE, (UINT)ID_EDIT_PASTE})
    {
        CStateCmdUI ui(nID);
        ui.DoUpdate(Tree(), TRUE);
        EXPECT_TRUE(ui.m_bEnabled) << nID;
    }
    ASSERT_NE(Text(4, 3), strCopied);
    Tree()->SendMessage(WM_COMMAND, ID_GRID_MENU_PASTE, 0);
    EXPECT_EQ(Text(4, 3), strCopied);
    EXPECT_EQ(Task(4)->m_nDuration, 10 * 86400);
    COleDataSource::FlushClipboard();
}

TEST_F(TaskTreeStructureTest, ARowOutdentedOverRowsBelowSpansThemBeforeItsSummarysSuccessorsAreChecked)
{
    // 1 总 over 2 分 (over 3 甲 15-16 March, 4 乙 22-23 March, 5 丙 1-2 March); 6 后 1-2 March
    // starts with 总 (start-to-start).
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        struct { const char* pszName; int nParent, nFirst, nLast, nDays; } rows[] = {
            {"总", 0, 1, 23, 17}, {"分", 1, 1, 23, 17}, {"甲", 2, 15, 16, 2},
            {"乙", 2, 22, 23, 2}, {"丙", 2, 1, 2, 2},  {"后", 0, 1, 2, 2}};
        std::vector<CTaskItem*> made;
        for (const auto& row : rows)
        {
            CTaskItemList& list = row.nParent ? made[(size_t)row.nParent - 1]->m_listChildren : doc.m_listTasks;
            made.push_back(AddTask(list, row.pszName, Day(2004, 3, row.nFirst), Day(2004, 3, row.nLast), row.nDays));
            made.back()->m_nRowInGrid = (int)made.size();
        }
        AddLink(made[5], made[0], 4);
        doc.m_nMaxRowInGrid = 6;
    }));
    // 乙 one level up: 丙 hangs under it, and 乙 spans 1-2 March at once; 总 never starts
    // later than 1 March, so 后 stays where it is.
    Grid().SetFocusCell(4, 2);
    Tree()->OnOutdent();
    ASSERT_EQ(Task(4)->m_listChildren.GetCount(), 1);
    CString strSpans;
    for (int r = 1; r <= 6; r++)
        strSpans += Task(r)->m_dtStart.Format("%d..") + Task(r)->m_dtFinish.Format("%d ");
    EXPECT_EQ(strSpans, CString("01..16 15..16 15..16 01..02 01..02 01..02 "));
}
