// The task behaviour of the grid: the state tip of column 1, the task property sheet on a
// double click or the "任务属性" command with its values written back, several rows
// inserted at once.
#include <gtest/gtest.h>

#include <ClassLib/Testing/MessageBoxes.h>

#include <ClassLib/Testing/Input.h>
#include <ClassLib/Testing/UiScripts.h>

#include <string>
#include <vector>

#include "GetNumberDlg.h"
#include "GridTaskHooks.h"
#include "ProjectDialogHooks.h"
#include "TaskItem.h"
#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
// A task tip that records what the grid asks of it.
struct TipLog
{
    std::vector<std::string> shown;
    std::vector<CRect> anchors;
    int nHides = 0;
};
TipLog* g_pTipLog = nullptr;

class CRecordingTip : public CGridTaskTipHooks
{
public:
    BOOL CreateTip(CWnd*) override { return TRUE; }
    void Hide() override
    {
        if (g_pTipLog)
            g_pTipLog->nHides++;
    }
    void DestroyTip() override {}
    void Show(const CRect& rcAnchor, LPCTSTR lpszText, int, const CRect* pHover, const LOGFONT* pFont,
              COLORREF crText, COLORREF crBack) override
    {
        EXPECT_EQ(pHover, nullptr);
        EXPECT_EQ(pFont, nullptr);
        EXPECT_EQ(crText, CLR_DEFAULT);
        EXPECT_EQ(crBack, CLR_DEFAULT);
        if (g_pTipLog)
        {
            g_pTipLog->shown.push_back(lpszText);
            g_pTipLog->anchors.push_back(rcAnchor);
        }
    }
};

CGridTaskTipHooks* CreateRecordingTip()
{
    return new CRecordingTip;
}

// 1 设计, 2 编码 after 设计.
void FillTwoTasks(CProjectDoc& doc)
{
    CTaskItem* pA = AddTask(doc.m_listTasks, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5);
    pA->m_nRowInGrid = 1;
    CTaskItem* pB = AddTask(doc.m_listTasks, "编码", Day(2004, 3, 8), Day(2004, 3, 12), 5);
    pB->m_nRowInGrid = 2;
    AddLink(pB, pA);
    doc.m_nMaxRowInGrid = 2;
}
} // namespace

class TaskGridBehaviourTest : public ProjectWindowTest
{
protected:
    void SetUp() override
    {
        ProjectWindowTest::SetUp();
        g_pTipLog = &m_tips;
        m_pfnOldTip = GridSetTaskTipFactory(CreateRecordingTip);
    }
    void TearDown() override
    {
        ProjectWindowTest::TearDown();
        GridSetTaskTipFactory(m_pfnOldTip);
        ProjectSetTaskPropertyRunner(m_oldRunner);
        g_pTipLog = nullptr;
    }
    void SetRunner(ProjectTaskPropertyRunner runner) { m_oldRunner = ProjectSetTaskPropertyRunner(runner); }
    CGridCtrl& GridCtrl() { return Tree()->m_Grid; }
    CTaskItem* Task(int nRow) { return Grid().GetTask(nRow); }
    CPoint CellCentre(int nRow, int nCol)
    {
        CRect rc;
        EXPECT_TRUE(GridCtrl().GetCellRect(nRow, nCol, rc));
        return rc.CenterPoint();
    }

    TipLog m_tips;
    PFN_GRID_CREATE_TASKTIP m_pfnOldTip = nullptr;
    ProjectTaskPropertyRunner m_oldRunner;
};

TEST_F(TaskGridBehaviourTest, TheStateTipOfColumnOne)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    Task(2)->m_nStatus = 2;
    EXPECT_EQ(GridCtrl().GetTaskStateTip(CGridCellId(2, 1)), CString("2:此任务正在进行之中!"));
    EXPECT_EQ(GridCtrl().GetTaskStateTip(CGridCellId(2, 2)), CString(""));
    EXPECT_EQ(GridCtrl().GetTaskStateTip(CGridCellId(0, 1)), CString(""));
    const char* const texts[] = {"1:此任务尚未启动!", "1:此任务已激活!", "1:此任务正在进行之中!",
                                 "1:此任务已暂停!", "1:此任务已申请完成!", "1:此任务已完成!"};
    for (int nStatus = 0; nStatus < 6; nStatus++)
    {
        Task(1)->m_nStatus = nStatus;
        EXPECT_EQ(GridCtrl().GetTaskStateTip(CGridCellId(1, 1)), CString(texts[nStatus]));
    }
    Task(1)->m_nStatus = 6;
    EXPECT_EQ(GridCtrl().GetTaskStateTip(CGridCellId(1, 1)), CString(""));

    const CPoint pt = CellCentre(2, 1);
    AfxTestMouseMove(&GridCtrl(), pt);
    AfxPumpMessages();
    ASSERT_EQ(m_tips.shown.size(), 1u);
    EXPECT_EQ(CString(m_tips.shown[0].c_str()), CString("2:此任务正在进行之中!"));
    EXPECT_EQ(m_tips.anchors[0], CRect(pt.x, pt.y, pt.x + 10, pt.y + 10));
    // The same text again changes nothing.
    AfxTestMouseMove(&GridCtrl(), pt + CPoint(1, 0));
    AfxPumpMessages();
    EXPECT_EQ(m_tips.shown.size(), 1u);
    // A cell without a tip hides it and keeps the last text.
    const int nHides = m_tips.nHides;
    AfxTestMouseMove(&GridCtrl(), CellCentre(2, 3));
    AfxPumpMessages();
    EXPECT_GT(m_tips.nHides, nHides);
    EXPECT_EQ(GridCtrl().GetLastTaskTip(), CString("2:此任务正在进行之中!"));
    AfxTestMouseMove(&GridCtrl(), pt);
    AfxPumpMessages();
    EXPECT_EQ(m_tips.shown.size(), 1u);
    // STATUS 6 or more shows no tip.
    AfxTestMouseMove(&GridCtrl(), CellCentre(1, 1));
    AfxPumpMessages();
    EXPECT_EQ(m_tips.shown.size(), 1u);
}

TEST_F(TaskGridBehaviourTest, ADoubleClickOpensTheSheetAndWritesItBack)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    int nCalls = 0;
    SetRunner([&](CProjectDoc&, CTaskItem& task) -> INT_PTR {
        nCalls++;
        EXPECT_EQ(task.m_strName, CString("编码"));
        task.m_strName = "编码与测试";
        task.m_nDuration = 5 * 86400 / 2;  // 2.5 days
        return IDOK;
    });
    AfxTestDoubleClick(&GridCtrl(), CellCentre(2, 3));
    AfxPumpMessages();
    EXPECT_EQ(nCalls, 1);
    EXPECT_EQ(GridCtrl().GetTaskPropertyResult(), 1);
    EXPECT_EQ(Text(2, 2), CString("编码与测试"));
    EXPECT_EQ(Text(2, 3), CString("2.5个工作日"));
    EXPECT_EQ(Text(2, 6), CString("1"));
    EXPECT_EQ(Task(2)->m_nFlag, 2);
    EXPECT_EQ(Task(2)->m_nMilestone, 0);
}

TEST_F(TaskGridBehaviourTest, ACancelledSheetChangesNothing)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    SetRunner([&](CProjectDoc&, CTaskItem& task) -> INT_PTR {
        task.m_strName = "不该写回";
        return IDCANCEL;
    });
    GridCtrl().SetFocusCell(2, 2);
    GridCtrl().SendMessage(WM_COMMAND, ID_GRID_TASKPROPERTY, 0);
    EXPECT_EQ(GridCtrl().GetTaskPropertyResult(), -1);
    EXPECT_EQ(Text(2, 2), CString("编码"));
    EXPECT_EQ(Task(2)->m_nFlag, 0);
}

TEST_F(TaskGridBehaviourTest, TheCommandOnABlankRowMakesANewTask)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    const int nBlank = GridCtrl().GetRowCount() - 1;
    ASSERT_EQ(Task(nBlank), nullptr);
    int nSeenRow = -1;
    SetRunner([&](CProjectDoc&, CTaskItem& task) -> INT_PTR {
        nSeenRow = task.m_nRowInGrid;
        task.m_strName = "验收";
        task.m_nDuration = 0;
        task.m_dtStart = task.m_dtFinish = Day(2004, 3, 15);
        return IDOK;
    });
    GridCtrl().SetFocusCell(nBlank, 2);
    GridCtrl().SendMessage(WM_COMMAND, ID_GRID_TASKPROPERTY, 0);
    EXPECT_EQ(nSeenRow, nBlank);
    CTaskItem* pNew = Task(nBlank);
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(pNew->m_strName, CString("验收"));
    EXPECT_EQ(pNew->m_nFlag, 1);
    EXPECT_EQ(pNew->m_nRowInGrid, nBlank);
    EXPECT_EQ(pNew->m_nMilestone, 1);
    EXPECT_EQ(pNew->m_dtStart, Day(2004, 3, 15));
    EXPECT_EQ(Text(nBlank, 2), CString("验收"));
    EXPECT_EQ(Text(nBlank, 3), CString("0个工作日"));
}

TEST_F(TaskGridBehaviourTest, ACancelledSheetOnABlankRowLeavesItBlank)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    const int nBlank = 3;
    ASSERT_EQ(Task(nBlank), nullptr);
    SetRunner([&](CProjectDoc&, CTaskItem&) -> INT_PTR { return IDCANCEL; });
    GridCtrl().SetFocusCell(1, 2);
    AfxTestDoubleClick(&GridCtrl(), CellCentre(nBlank, 3));
    AfxPumpMessages();
    EXPECT_EQ(Task(nBlank), nullptr);
    EXPECT_EQ(Text(nBlank, 2), CString(""));
    EXPECT_EQ(GridCtrl().GetTaskPropertyResult(), -1);
}

TEST_F(TaskGridBehaviourTest, SeveralRowsAreInsertedThroughTheRowCountDialog)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    const int nRows = GridCtrl().GetRowCount();
    AfxTestPushModalScript([](CWnd* pWnd) {
        CString strCaption, strPrompt;
        pWnd->GetWindowText(strCaption);
        pWnd->GetDlgItem(IDC_GETNUMBER_PROMPT)->GetWindowText(strPrompt);
        EXPECT_EQ(strCaption, CString("插入多个任务"));
        EXPECT_EQ(strPrompt, CString("行数"));
        pWnd->GetDlgItem(IDC_GETNUMBER_EDIT)->SetWindowText("3");
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    GridCtrl().SendMessage(WM_COMMAND, ID_GRID_INSERTTASKS, 0);
    EXPECT_EQ(GridCtrl().GetRowCount(), nRows + 3);
    EXPECT_EQ(Text(1, 2), CString("设计"));
    EXPECT_EQ(Text(2, 2), CString("编码"));

    // Cancelled or zero: nothing.
    AfxTestPushModalScript([](CWnd* pWnd) { pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
    GridCtrl().SendMessage(WM_COMMAND, ID_GRID_INSERTTASKS, 0);
    EXPECT_EQ(GridCtrl().GetRowCount(), nRows + 3);
}

TEST_F(TaskGridBehaviourTest, DeletingSeveralTasksDoesNothing)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    const int nRows = GridCtrl().GetRowCount();
    GridCtrl().SetFocusCell(1, 2);
    GridCtrl().SendMessage(WM_COMMAND, ID_GRID_DELETETASKS, 0);
    EXPECT_EQ(GridCtrl().GetRowCount(), nRows);
}

TEST_F(TaskGridBehaviourTest, ALevelDragStepsByTwelvePixelsAndAppliesOnRelease)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    ASSERT_EQ(Grid().GetLevel(2), 1);
    CRect rc;
    ASSERT_TRUE(GridCtrl().GetCellRect(2, 2, rc));
    // Find the tree cell's level-drag zone: the grid offers the drag there (mode 11).
    CPoint pt(-1, -1);
    for (int x = rc.left + 1; x < rc.right; x += 2)
    {
        AfxTestMouseMove(&GridCtrl(), CPoint(x, rc.CenterPoint().y));
        AfxPumpMessages();
        if (GridCtrl().GetMouseMode() == GRIDMOUSE_LEVEL_DRAG)
        {
            pt = CPoint(x, rc.CenterPoint().y);
            break;
        }
    }
    ASSERT_NE(pt.x, -1) << "no level-drag zone";
    EXPECT_EQ(CWnd::GetCapture(), &GridCtrl());
    AfxTestMouseDown(&GridCtrl(), pt);
    AfxPumpMessages();
    ASSERT_EQ(GridCtrl().GetMouseMode(), GRIDMOUSE_LEVEL_DRAG);
    // Less than 12 pixels: no step.
    AfxTestMouseMove(&GridCtrl(), pt + CPoint(8, 0), MK_LBUTTON);
    AfxPumpMessages();
    EXPECT_EQ(GridCtrl().GetLevelDragRequest().nLevel, 1);
    AfxTestMouseMove(&GridCtrl(), pt + CPoint(16, 0), MK_LBUTTON);
    AfxPumpMessages();
    EXPECT_EQ(GridCtrl().GetLevelDragRequest().nLevel, 2);
    // The feedback line one step (14 pixels) right of where it started.
    EXPECT_TRUE(AfxTestGrabWindow(&GridCtrl(), AfxTestOutputPath("task-grid-level-drag.png")));
    // Not past the row above plus one.
    AfxTestMouseMove(&GridCtrl(), pt + CPoint(40, 0), MK_LBUTTON);
    AfxPumpMessages();
    EXPECT_EQ(GridCtrl().GetLevelDragRequest().nLevel, 2);
    // The release applies the level: 编码 goes under 设计, which it followed, and the
    // link between the two goes with a word.
    CTestMessageBoxes boxes;
    boxes.AnswerText(_T("不能将两个父子关系的任务进行链接!"), IDOK);
    AfxTestMouseUp(&GridCtrl(), pt + CPoint(40, 0));
    AfxPumpMessages();
    EXPECT_EQ(Grid().GetLevel(2), 2);
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(TaskGridBehaviourTest, ADoubleClickOnTheExpandBoxOpensNoSheet)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pTop = AddTask(doc.m_listTasks, "项目", Day(2004, 3, 1), Day(2004, 3, 5), 5);
        pTop->m_nRowInGrid = 1;
        AddTask(pTop->m_listChildren, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5)->m_nRowInGrid = 2;
        doc.m_nMaxRowInGrid = 2;
    }));
    int nCalls = 0;
    SetRunner([&](CProjectDoc&, CTaskItem&) -> INT_PTR {
        nCalls++;
        return IDCANCEL;
    });
    CRect rc;
    ASSERT_TRUE(GridCtrl().GetCellRect(1, 2, rc));
    CGridTreeCellHooks* pTree = GridCtrl().GetTreeCell(1, 2);
    ASSERT_NE(pTree, nullptr);
    CPoint ptBox(-1, -1);
    for (int x = rc.left; x < rc.right && ptBox.x < 0; x++)
        if (pTree->HitTestExpandBox(CPoint(x - rc.left, rc.Height() / 2)))
            ptBox = CPoint(x, rc.top + rc.Height() / 2);
    ASSERT_NE(ptBox.x, -1) << "no expand box";
    GridCtrl().SetFocusCell(2, 3);
    AfxTestDoubleClick(&GridCtrl(), ptBox);
    AfxPumpMessages();
    EXPECT_EQ(nCalls, 0);

    // Beside the box, on the name, the sheet opens.
    GridCtrl().SetFocusCell(2, 3);
    AfxTestDoubleClick(&GridCtrl(), CPoint(rc.right - 5, ptBox.y));
    AfxPumpMessages();
    EXPECT_EQ(nCalls, 1);
}

TEST_F(TaskGridBehaviourTest, DeletingBelowABlankRowLooksPastIt)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    // A blank row between the two tasks.
    GridCtrl().SetFocusCell(2, 2);
    Grid().NewTask();
    ASSERT_EQ(Task(2), nullptr);
    ASSERT_EQ(Text(3, 2), CString("编码"));
    GridCtrl().SetFocusCell(3, 2);
    Grid().DeleteTask();
    EXPECT_EQ(Text(1, 2), CString("设计"));
    EXPECT_TRUE(Grid().IsEditable(1, 4));
    EXPECT_TRUE(Grid().IsEditable(1, 5));
}
