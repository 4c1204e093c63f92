// The chart's mouse: drag rounding, the press modes, scripted drags in the project window
// (move, link, refused links, progress with and without the right, resize), tips, vertical
// scrolling, the pop-up menu and the title tip.
#include "ViewsTestSupport.h"

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Testing/Input.h>
#include <ClassLib/Testing/MessageBoxes.h>
#include <ClassLib/Testing/UiScripts.h>
#include <ClassLib/Wnd/Cursor.h>

#include <Tavrin/CalendarItem.h>

#include "GanttBarView.h"
#include "GanttView.h"
#include "Gantt_src/GanttStyleRunner.h"
#include "Gantt_src/TaskShapes.h"
#include "PermInfo.h"
#include "ProjectDialogHooks.h"
#include "ProjectFrame.h"
#include "TaskTreeView.h"

namespace {

CTaskItem* Task(CTaskItemList& list, const char* pszName, int nRow, const COleDateTime& start,
                const COleDateTime& finish, int nDays, int nProgress)
{
    CTaskItem* pTask = AddTask(list, pszName, start, finish, nDays);
    pTask->m_nRowInGrid = nRow;
    pTask->m_nTaskID = 100 + nRow;
    pTask->m_nIsTask = 1;
    pTask->m_nProgress = nProgress;
    return pTask;
}

// From Monday 4 March 2024 (the chart's origin, shown 90 pixels from the left):
// row 1 准备 (summary) with 2 需求 (4-6 March) and 3 设计 (7-12 March, after 2);
// row 4 开发 (summary) with 5 编码 (13-22 March) and 6 测试 (13-15 March, SS after 5).
void FillPlan(CProjectDoc& doc)
{
    CTaskItem* pPrep = Task(doc.m_listTasks, "准备", 1, Day(2024, 3, 4), Day(2024, 3, 12), 7, 0);
    CTaskItem* pReq = Task(pPrep->m_listChildren, "需求", 2, Day(2024, 3, 4), Day(2024, 3, 6), 3, 0);
    CTaskItem* pDesign = Task(pPrep->m_listChildren, "设计", 3, Day(2024, 3, 7), Day(2024, 3, 12), 4, 0);
    AddLink(pDesign, pReq, 1);
    CTaskItem* pDev = Task(doc.m_listTasks, "开发", 4, Day(2024, 3, 13), Day(2024, 3, 22), 8, 0);
    CTaskItem* pCode = Task(pDev->m_listChildren, "编码", 5, Day(2024, 3, 13), Day(2024, 3, 22), 8, 0);
    CTaskItem* pCases = Task(pDev->m_listChildren, "测试", 6, Day(2024, 3, 13), Day(2024, 3, 15), 3, 0);
    AddLink(pCases, pCode, 4);
    doc.m_strLoginName = "U1";
    doc.m_ProjectInfo.m_strName = "样例项目";
}

// Client points of the bars: x 90 + 18 per day from 4 March, bar row r at y 37 + 20 (r - 1).
const int kX0 = 90;
int BarY(int nRow) { return 37 + 20 * (nRow - 1) + 4; }
int DayX(int nDaysFrom4March) { return kX0 + 18 * nDaysFrom4March; }

class GanttMouseTest : public ProjectWindowTest
{
protected:
    void SetUp() override
    {
        const COleDateTime today(2024, 3, 4, 9, 0, 0);
        AfxTestSetCurrentTime(&today);
        ProjectWindowTest::SetUp();
        ASSERT_TRUE(Open(FillPlan));
        m_pFrame->ShowWindow(SW_SHOWMAXIMIZED);
        AfxPumpMessages();
    }
    void TearDown() override
    {
        ProjectWindowTest::TearDown();
        AfxTestSetCurrentTime(nullptr);
    }
    CGanttBarView* BarView() const
    {
        return DYNAMIC_DOWNCAST(CGanttBarView, GanttView()->m_wndSplitter.GetPane(0, 1));
    }
    CGunterBar& Chart() const { return BarView()->m_wndChart; }
    CTaskItem* Row(int nRow) const { return Grid().GetTask(nRow); }
    void Shot(const char* pszName)
    {
        m_pMainFrame->UpdateWindow();
        AfxPumpMessages();
        EXPECT_TRUE(AfxTestGrabWindow(m_pMainFrame, AfxTestOutputPath(pszName)));
    }
    // Press, move in steps along the way, release.
    void Drag(std::initializer_list<CPoint> points)
    {
        auto it = points.begin();
        AfxTestMouseDown(&Chart(), *it);
        CPoint last = *it;
        for (++it; it != points.end(); ++it) {
            AfxTestMouseMove(&Chart(), *it);
            last = *it;
        }
        AfxTestMouseUp(&Chart(), last);
        AfxPumpMessages();
    }
    void GivePermission(int nModifyProgress)
    {
        tagPermInfo perm;
        perm.strCode = "U1";
        perm.nModifyProgress = nModifyProgress;
        m_pDoc->m_listPermissions.AddTail(perm);
    }
};

} // namespace

TEST(GanttMouseRules, DayRoundingAtLevelOne)
{
    EXPECT_EQ(2, GanttRoundDays(24, 1));
    EXPECT_EQ(1, GanttRoundDays(22, 1));
    EXPECT_EQ(-2, GanttRoundDays(-24, 1));
    EXPECT_EQ(-1, GanttRoundDays(-22, 1));
    EXPECT_EQ(2, GanttRoundDays(40, 1));
    EXPECT_EQ(3, GanttRoundDays(44, 1));
    EXPECT_EQ(1, GanttRoundDays(18, 1));
    EXPECT_EQ(0, GanttRoundDays(0, 1));
    // Below one day but past the 0.3 mark: one day toward the sign.
    EXPECT_EQ(1, GanttRoundDays(10, 1));
    EXPECT_EQ(-1, GanttRoundDays(-10, 1));
    EXPECT_EQ(0, GanttRoundDays(5, 1));
    // Level 2 rounds on the 18-pixel unit too; levels 3 and 4 do not round.
    EXPECT_EQ(5, GanttRoundDays(24, 2));
    EXPECT_EQ(3, GanttRoundDays(22, 2));
    EXPECT_EQ(20, GanttRoundDays(24, 3));
    EXPECT_EQ(0, GanttRoundDays(24, 7));
}

TEST(GanttMouseRules, APressOnTheBodyBecomesAMoveOrALink)
{
    EXPECT_EQ(1, GanttDecidePressMode(5, 1));
    EXPECT_EQ(2, GanttDecidePressMode(1, 5));
    EXPECT_EQ(1, GanttDecidePressMode(-5, 1));
    EXPECT_EQ(2, GanttDecidePressMode(0, -3));
    EXPECT_EQ(5, GanttDecidePressMode(2, 2));
    EXPECT_EQ(5, GanttDecidePressMode(3, 3));
    EXPECT_EQ(5, GanttDecidePressMode(2, 0));
}

TEST(GanttMouseRules, HitZonesOfABarAtProgressZero)
{
    CTaskItem task;
    task.m_nProgress = 0;
    CTaskRect bar;
    bar.SetPoints(0, 37, 54, 37);
    bar.SetTask(&task, 18.0);
    ASSERT_EQ(0, bar.m_rcProgress.Width());
    // The handle sits on the bar's left edge and wins over the body there.
    EXPECT_EQ(TASKHIT_PROGRESS, bar.HitTest(CPoint(-3, 40)));
    EXPECT_EQ(TASKHIT_PROGRESS, bar.HitTest(CPoint(0, 40)));
    EXPECT_EQ(TASKHIT_PROGRESS, bar.HitTest(CPoint(2, 40)));
    EXPECT_EQ(TASKHIT_BODY, bar.HitTest(CPoint(3, 40)));
    EXPECT_EQ(TASKHIT_NONE, bar.HitTest(CPoint(-4, 40)));
    EXPECT_EQ(TASKHIT_BODY, bar.HitTest(CPoint(50, 40)));
    EXPECT_EQ(TASKHIT_RIGHT, bar.HitTest(CPoint(51, 40)));
    EXPECT_EQ(TASKHIT_RIGHT, bar.HitTest(CPoint(56, 40)));
    EXPECT_EQ(TASKHIT_NONE, bar.HitTest(CPoint(57, 40)));
    EXPECT_EQ(TASKHIT_NONE, bar.HitTest(CPoint(20, 36)));
    EXPECT_EQ(TASKHIT_NONE, bar.HitTest(CPoint(20, 47)));
}

TEST_F(GanttMouseTest, ASidewaysDragMovesTheTaskTwoDays)
{
    CTaskItem* pReq = Row(2);
    ASSERT_NE(nullptr, pReq);
    Shot("gantt-move-before.png");
    // 24 pixels right (1.33 days) and one down: a move of two days.
    Drag({CPoint(DayX(0) + 10, BarY(2)), CPoint(DayX(0) + 16, BarY(2)), CPoint(DayX(0) + 34, BarY(2) + 1)});
    Shot("gantt-move-after.png");
    EXPECT_EQ(Day(2024, 3, 6), pReq->m_dtStart);
    EXPECT_EQ(Day(2024, 3, 8), pReq->m_dtFinish);
    EXPECT_EQ(3 * 86400, pReq->m_nDuration);
    EXPECT_EQ(2, pReq->m_nFlag);
    EXPECT_EQ(CString("2024年3月6日"), Text(2, 4));
    EXPECT_TRUE(m_pDoc->IsModified());
    // Its successor follows it.
    EXPECT_GT(Row(3)->m_dtStart, pReq->m_dtFinish);
    EXPECT_EQ(0, Chart().m_nDragMode);
}

TEST_F(GanttMouseTest, AChildMovedAheadOfItsSummarysLinkTakesItsSiblingOnToo)
{
    // 开发 must start after 准备 (finish 12 March); 编码 dragged a day back to Tuesday 12
    // takes 开发 a working day before that: both children go one working day on, 测试
    // (never dragged) from 13-15 to Thursday 14 .. Monday 18.
    AddLink(Row(4), Row(1), 1);
    Tree()->BuildSuccessorLists(FALSE);
    BarView()->BuildChart();
    Drag({CPoint(DayX(9) + 10, BarY(5)), CPoint(DayX(9) + 4, BarY(5)), CPoint(DayX(9) + 10 - 18, BarY(5))});
    EXPECT_EQ(Day(2024, 3, 13), Row(5)->m_dtStart);
    EXPECT_EQ(Day(2024, 3, 22), Row(5)->m_dtFinish);
    EXPECT_EQ(Day(2024, 3, 14), Row(6)->m_dtStart);
    EXPECT_EQ(Day(2024, 3, 18), Row(6)->m_dtFinish);
    EXPECT_EQ(Day(2024, 3, 13), Row(4)->m_dtStart);
    EXPECT_EQ(Day(2024, 3, 22), Row(4)->m_dtFinish);
}

TEST_F(GanttMouseTest, AMoveLandingOnAWeekendGoesOnToMonday)
{
    CTaskItem* pReq = Row(2);
    // Five days later the start is Saturday 9 March: moved on to Monday 11; the tree then
    // counts the three working days from there.
    Drag({CPoint(DayX(0) + 10, BarY(2)), CPoint(DayX(0) + 20, BarY(2)), CPoint(DayX(0) + 10 + 90, BarY(2))});
    EXPECT_EQ(Day(2024, 3, 11), pReq->m_dtStart);
    EXPECT_EQ(Day(2024, 3, 13), pReq->m_dtFinish);
    EXPECT_EQ(CString("2024年3月11日"), Text(2, 4));
}

TEST_F(GanttMouseTest, AClickWithoutMovingChangesNothing)
{
    CTaskItem* pReq = Row(2);
    Drag({CPoint(DayX(0) + 10, BarY(2)), CPoint(DayX(0) + 12, BarY(2) + 1)});
    EXPECT_EQ(Day(2024, 3, 4), pReq->m_dtStart);
    EXPECT_EQ(0, pReq->m_nFlag);
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(GanttMouseTest, ADragDownOntoAnotherBarLinksTheTwoFinishToStart)
{
    CTaskItem* pDesign = Row(3);
    CTaskItem* pCases = Row(6);
    ASSERT_EQ(1, pCases->m_listLinks.GetCount());
    Shot("gantt-link-before.png");
    AfxTestMouseDown(&Chart(), CPoint(DayX(3) + 10, BarY(3)));
    AfxTestMouseMove(&Chart(), CPoint(DayX(3) + 11, BarY(3) + 8));
    AfxTestMouseMove(&Chart(), CPoint(DayX(9) + 20, BarY(5)));
    AfxTestMouseMove(&Chart(), CPoint(DayX(9) + 20, BarY(6)));
    EXPECT_EQ(2, Chart().m_nDragMode);
    EXPECT_FALSE(Chart().m_rcLinkTarget.IsRectEmpty());
    // The rubber band and the dotted target as the screen shows them before the release.
    EXPECT_TRUE(AfxTestGrabWindow(m_pMainFrame, AfxTestOutputPath("gantt-link-during.png")));
    AfxTestMouseUp(&Chart(), CPoint(DayX(9) + 20, BarY(6)));
    AfxPumpMessages();
    Shot("gantt-link-after.png");
    ASSERT_EQ(2, pCases->m_listLinks.GetCount());
    const CTaskLink* pLink = pCases->m_listLinks.GetTail();
    EXPECT_EQ(1, pLink->m_nType);
    EXPECT_EQ(3, pLink->m_nSuccID);
    EXPECT_EQ(pDesign->m_nTaskID, pLink->m_nPredID);
    EXPECT_EQ(0, pLink->m_nLag);
    // The tree shows the new predecessor and the dates follow it.
    EXPECT_NE(-1, Text(6, 6).Find("3"));
    EXPECT_GT(pCases->m_dtStart, pDesign->m_dtFinish);
    // Exactly one more arrow in the chart.
    int nArrows = 0;
    CObList& list = Chart().GetShapeList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        if (static_cast<CTaskBase*>(list.GetNext(pos))->IsKindOf(RUNTIME_CLASS(CTaskLineArrow)))
            ++nArrows;
    EXPECT_EQ(3, nArrows);
}

TEST_F(GanttMouseTest, ALinkThatWouldCloseACycleShowsTheCheckText)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("这样将产生循环链接", IDOK);
    CTaskItem* pCode = Row(5);
    // 测试 follows 编码; linking 测试 before 编码 closes a cycle.
    Drag({CPoint(DayX(9) + 10, BarY(6)), CPoint(DayX(9) + 10, BarY(6) - 6), CPoint(DayX(9) + 10, BarY(5))});
    ASSERT_EQ(1, boxes.Count());
    EXPECT_EQ(UINT(MB_ICONINFORMATION), boxes.Boxes()[0].type & MB_ICONMASK);
    EXPECT_EQ(0, pCode->m_listLinks.GetCount());
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(GanttMouseTest, ALinkToTheTasksOwnParentIsRefused)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("父子关系", IDOK);
    CTaskItem* pPrep = Row(1);
    Drag({CPoint(DayX(0) + 10, BarY(2)), CPoint(DayX(0) + 10, BarY(2) - 6), CPoint(DayX(1), BarY(1) - 2)});
    EXPECT_EQ(1, boxes.Count());
    EXPECT_EQ(0, pPrep->m_listLinks.GetCount());
}

TEST_F(GanttMouseTest, ALinkThatExistsAlreadyIsNotMadeTwice)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("两个任务间不能重复连接!", IDOK);
    CTaskItem* pDesign = Row(3);
    Drag({CPoint(DayX(0) + 10, BarY(2)), CPoint(DayX(0) + 10, BarY(2) + 6), CPoint(DayX(4), BarY(3))});
    ASSERT_EQ(1, boxes.Count());
    EXPECT_EQ(CString("提示"), boxes.Boxes()[0].caption.IsEmpty() ? CString("提示") : boxes.Boxes()[0].caption);
    EXPECT_EQ(1, pDesign->m_listLinks.GetCount());
}

TEST_F(GanttMouseTest, ALinkDroppedOnEmptySpaceDoesNothing)
{
    CTestMessageBoxes boxes;
    Drag({CPoint(DayX(0) + 10, BarY(2)), CPoint(DayX(0) + 10, BarY(2) + 6), CPoint(DayX(30), BarY(3))});
    EXPECT_EQ(0, boxes.Count());
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(GanttMouseTest, ProgressDragWithoutTheRightChangesNothing)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("你没有权限修改任务进度!", IDOK);
    GivePermission(0);
    CTaskItem* pReq = Row(2);
    // Progress 0: the handle is on the bar's left edge.
    Drag({CPoint(DayX(0), BarY(2)), CPoint(DayX(0) + 20, BarY(2)), CPoint(DayX(0) + 36, BarY(2))});
    EXPECT_EQ(1, boxes.Count());
    EXPECT_EQ(0, pReq->m_nProgress);
    EXPECT_EQ(0, pReq->m_nFlag);
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(GanttMouseTest, ProgressDragWithTheRightSetsTheProgress)
{
    GivePermission(1);
    CTaskItem* pReq = Row(2);
    Shot("gantt-progress-before.png");
    Drag({CPoint(DayX(0), BarY(2)), CPoint(DayX(0) + 20, BarY(2)), CPoint(DayX(0) + 36, BarY(2))});
    Shot("gantt-progress-after.png");
    // Two of three days.
    EXPECT_EQ(66, pReq->m_nProgress);
    EXPECT_EQ(2, pReq->m_nFlag);
}

TEST_F(GanttMouseTest, ProgressDraggedPastAWeekendEndNeverExceedsAHundred)
{
    GivePermission(1);
    // 设计 runs Thursday 7 to Tuesday 12 March (a weekend inside, bar of 6 days).
    CTaskItem* pDesign = Row(3);
    Drag({CPoint(DayX(3), BarY(3)), CPoint(DayX(3) + 20, BarY(3)), CPoint(DayX(3) + 200, BarY(3))});
    EXPECT_EQ(100, pDesign->m_nProgress);
    // Two days (Thursday, Friday) then the weekend: 4 of 6 days.
    Drag({CPoint(DayX(9), BarY(3)), CPoint(DayX(8), BarY(3)), CPoint(DayX(3) + 36, BarY(3))});
    EXPECT_EQ(66, pDesign->m_nProgress);
}

TEST_F(GanttMouseTest, ResizeToFortyPixelsGivesTwoDaysAndFortyFourThree)
{
    CTaskItem* pCode = Row(5);
    // 编码: Wednesday 13 to Friday 22 March.
    const int nRight = DayX(9) + 10 * 18;
    Drag({CPoint(nRight, BarY(5)), CPoint(nRight - 20, BarY(5)), CPoint(DayX(9) + 40, BarY(5))});
    EXPECT_EQ(Day(2024, 3, 14), pCode->m_dtFinish);
    EXPECT_EQ(2 * 86400, pCode->m_nDuration);
    const int nRight2 = DayX(9) + 2 * 18;
    Drag({CPoint(nRight2, BarY(5)), CPoint(nRight2 + 4, BarY(5)), CPoint(DayX(9) + 44, BarY(5))});
    EXPECT_EQ(Day(2024, 3, 15), pCode->m_dtFinish);
    EXPECT_EQ(3 * 86400, pCode->m_nDuration);
}

TEST_F(GanttMouseTest, ResizeLeftOfTheStartGivesAZeroDuration)
{
    CTaskItem* pCode = Row(5);
    pCode->m_nProgress = 0;
    const int nRight = DayX(9) + 10 * 18;
    Drag({CPoint(nRight, BarY(5)), CPoint(nRight - 40, BarY(5)), CPoint(DayX(7), BarY(5))});
    EXPECT_EQ(0, pCode->m_nDuration);
    EXPECT_EQ(100, pCode->m_nProgress);
}

TEST_F(GanttMouseTest, TipTextsOfBarsAndScale)
{
    CGunterBar& chart = Chart();
    Row(2)->m_nDurIsEst = 0;
    const CString strBar = chart.GetTipText(CPoint(DayX(0) + 20, BarY(2)));
    EXPECT_EQ(CString("任务\n 名称: 需求\n 开始时间: 2024年3月4日     工期: 3个工作日\n"
                      " 完成时间: 2024年3月6日\n 目前状态: 完成 0%\n"),
              strBar);
    const CString strSummary = chart.GetTipText(CPoint(DayX(1), BarY(1)));
    EXPECT_EQ(0, strSummary.Find("摘要\n 名称: 准备\n"));
    // An estimated duration is marked.
    Row(2)->m_nDurIsEst = 1;
    EXPECT_NE(-1, chart.GetTipText(CPoint(DayX(0) + 20, BarY(2))).Find("3个工作日?\n"));
    // Nothing below the bars, nothing for a bar tip on the scale band.
    EXPECT_TRUE(chart.GetTipText(CPoint(DayX(0) + 20, BarY(9))).IsEmpty());
    // The first visible day is Wednesday 28 February: its week runs to Saturday 2 March.
    EXPECT_EQ(CString("2024-2-28 - 2024-3-2"), chart.GetTipText(CPoint(10, 8)));
    EXPECT_EQ(CString("2024-3-3 - 2024-3-9"), chart.GetTipText(CPoint(95, 16)));
    EXPECT_EQ(CString("2024-3-4"), chart.GetTipText(CPoint(95, 20)));
    chart.SetTimeScale(2);
    // Level 2: the month and the 3-day cells from the 1st of February.
    EXPECT_EQ(CString("2024-2-1--2024-2-29"), chart.GetTipText(CPoint(2, 8)));
    EXPECT_EQ(CString("2024-2-28--2024-3-1"), chart.GetTipText(CPoint(2, 24)));
    chart.SetTimeScale(4);
    EXPECT_EQ(CString("2024-1-1--2024-12-31"), chart.GetTipText(CPoint(2, 8)));
    EXPECT_EQ(CString("2024-2-1--2024-2-29"), chart.GetTipText(CPoint(2, 24)));
    chart.m_nTimeScale = 9;
    EXPECT_TRUE(chart.GetTipText(CPoint(2, 24)).IsEmpty());
    chart.m_nTimeScale = 1;
}

TEST_F(GanttMouseTest, VerticalScrollingFollowsTheRules)
{
    CGunterBar& chart = Chart();
    chart.SetScrollRange(SB_VERT, 0, 20, FALSE);
    chart.SetScrollPos(SB_VERT, 5, FALSE);
    chart.SetTopRow(5);
    // Page up from the scroll bar (position argument 0) moves one row.
    chart.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0);
    EXPECT_EQ(4, chart.GetTopRow());
    EXPECT_EQ(4, chart.GetScrollPos(SB_VERT));
    // Thumb-tracking exactly one row up does nothing.
    chart.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3), 0);
    EXPECT_EQ(4, chart.GetTopRow());
    chart.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1), 0);
    EXPECT_EQ(1, chart.GetTopRow());
    chart.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 7), 0);
    EXPECT_EQ(0, chart.GetTopRow());
    chart.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    EXPECT_EQ(0, chart.GetTopRow());
}

TEST_F(GanttMouseTest, RightClickShowsTheGanttBarMenuAndFormatSetsTheLabelStyle)
{
    AfxTestPushPopupMenuResult(22036);
    GanttStyleRunner old = GanttSetStyleRunner([](int& nStyle) {
        EXPECT_EQ(2, nStyle);
        nStyle = 0;
        return (INT_PTR)IDOK;
    });
    AfxTestClick(&Chart(), CPoint(DayX(0) + 10, BarY(2)), AFX_TEST_RIGHT);
    AfxPumpMessages();
    GanttSetStyleRunner(old);
    ASSERT_FALSE(AfxTestPopupLog().empty());
    const AfxPopupRecord& rec = AfxTestPopupLog().back();
    ASSERT_EQ(2u, rec.items.size());
    EXPECT_EQ(CString("格式(&F)"), rec.items[0]);
    EXPECT_EQ(CString("属性(&P)          ALT+P"), rec.items[1]);
    EXPECT_EQ(0, Chart().GetLabelStyle());
}

TEST_F(GanttMouseTest, ASummaryBarKeepsTheDatesItsChildrenGiveIt)
{
    // The grid locks a summary task's dates; a drag of its bar is refused the same way.
    CTaskItem* pPrep = Row(1);
    const COleDateTime dtStart = pPrep->m_dtStart;
    Drag({CPoint(DayX(1), BarY(1) - 2), CPoint(DayX(1) + 10, BarY(1) - 2), CPoint(DayX(1) + 40, BarY(1) - 2)});
    EXPECT_EQ(dtStart, pPrep->m_dtStart);
    EXPECT_EQ(0, pPrep->m_nFlag);
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(GanttMouseTest, ADragHeldAtTheRightEdgeScrollsOneDayPerEvent)
{
    CGunterBar& chart = Chart();
    CRect rc;
    chart.GetClientRect(&rc);
    const int nDays = chart.GetHScrollDays();
    AfxTestMouseDown(&chart, CPoint(DayX(0) + 10, BarY(2)));
    AfxTestMouseMove(&chart, CPoint(DayX(0) + 20, BarY(2)));
    AfxTestMouseMove(&chart, CPoint(rc.right - 1, BarY(2)));
    EXPECT_EQ(nDays + 1, chart.GetHScrollDays());
    AfxTestMouseMove(&chart, CPoint(rc.right - 1, BarY(2) + 1));
    EXPECT_EQ(nDays + 2, chart.GetHScrollDays());
    EXPECT_EQ(2, chart.m_ptDragScrolled.x);
    Shot("gantt-drag-feedback.png");
    EXPECT_GE(chart.GetScrollPos(SB_HORZ), 0);
    EXPECT_LE(chart.GetScrollPos(SB_HORZ), 100);
    AfxTestMouseUp(&chart, CPoint(rc.right - 1, BarY(2) + 1));
    AfxPumpMessages();
    EXPECT_EQ(0, chart.m_nDragMode);
    EXPECT_EQ(CPoint(0, 0), chart.m_ptDragScrolled);
}

TEST_F(GanttMouseTest, ProgressPastABarEndingBeforeAWeekendStaysAtAHundred)
{
    GivePermission(1);
    // 测试 runs Wednesday 13 to Friday 15 March: dragged past its end the count takes in the
    // weekend after it (5 days for a bar of 3), which is clamped.
    CTaskItem* pCases = Row(6);
    Drag({CPoint(DayX(9), BarY(6)), CPoint(DayX(9) + 20, BarY(6)), CPoint(DayX(9) + 150, BarY(6))});
    EXPECT_EQ(100, pCases->m_nProgress);
}

TEST_F(GanttMouseTest, ShrinkingOverAWeekendNeverGivesMoreThanAHundred)
{
    CTaskItem* pCode = Row(5);
    pCode->m_nProgress = 50;
    BarView()->BuildChart();
    // 编码 Wednesday 13 to Friday 22: the right end dragged to 90 pixels (5 days) ends on
    // Sunday 17 and steps back over the weekend to Friday 15 (3 days): 50 x 10 / 3 is
    // clamped to 100.
    const int nRight = DayX(9) + 10 * 18;
    Drag({CPoint(nRight, BarY(5)), CPoint(nRight - 20, BarY(5)), CPoint(DayX(9) + 90, BarY(5))});
    EXPECT_EQ(Day(2024, 3, 15), pCode->m_dtFinish);
    EXPECT_EQ(3 * 86400, pCode->m_nDuration);
    EXPECT_EQ(100, pCode->m_nProgress);
}

TEST_F(GanttMouseTest, ResizingABarThatStartsOnARestDayDoesNotDivideByZero)
{
    CTaskItem* pCode = Row(5);
    // A start on Saturday 16 March (as a damaged record may have it).
    pCode->m_dtStart = Day(2024, 3, 16);
    pCode->m_dtFinish = Day(2024, 3, 22);
    pCode->m_nProgress = 50;
    BarView()->BuildChart();
    const int nLeft = DayX(12);
    const int nRight = nLeft + 7 * 18;
    Drag({CPoint(nRight, BarY(5)), CPoint(nRight - 20, BarY(5)), CPoint(nLeft + 36, BarY(5))});
    EXPECT_GE(pCode->m_nProgress, 0);
    EXPECT_LE(pCode->m_nProgress, 100);
    EXPECT_GE(pCode->m_nDuration, 0);
    EXPECT_FALSE(pCode->m_dtFinish < pCode->m_dtStart);
}

TEST_F(GanttMouseTest, DoubleClickOpensThePropertySheetAndAZeroDurationMakesAMilestone)
{
    int nRuns = 0;
    CTaskItem* pSeen = nullptr;
    ProjectTaskPropertyRunner old = ProjectSetTaskPropertyRunner([&](CProjectDoc&, CTaskItem& task) {
        ++nRuns;
        pSeen = &task;
        task.m_nDuration = 0;
        return (INT_PTR)IDOK;
    });
    // Empty chart space: no sheet.
    AfxTestDoubleClick(&Chart(), CPoint(DayX(30), BarY(9)));
    AfxPumpMessages();
    EXPECT_EQ(0, nRuns);
    AfxTestDoubleClick(&Chart(), CPoint(DayX(0) + 20, BarY(2)));
    AfxPumpMessages();
    ProjectSetTaskPropertyRunner(old);
    ASSERT_EQ(1, nRuns);
    CTaskItem* pReq = Row(2);
    EXPECT_EQ(pReq, pSeen);
    EXPECT_EQ(1, pReq->m_nMilestone);
    EXPECT_EQ(2, pReq->m_nFlag);
    EXPECT_TRUE(m_pDoc->IsModified());
}

TEST_F(GanttMouseTest, DragsEndOnACalendarWithoutAWorkingDay)
{
    GivePermission(1);
    // Every day of the century a rest day: the working-day walks must still end.
    CCalendarItem* pRest = new CCalendarItem;
    pRest->m_bWorking = 0;
    pRest->m_dtFrom = Day(2000, 1, 1);
    pRest->m_dtTo = Day(2099, 12, 31);
    m_pDoc->m_listCalendarItems.AddTail(pRest);
    CTaskItem* pReq = Row(2);
    Drag({CPoint(DayX(0), BarY(2)), CPoint(DayX(0) + 20, BarY(2)), CPoint(DayX(0) + 36, BarY(2))});
    EXPECT_GE(pReq->m_nProgress, 0);
    EXPECT_LE(pReq->m_nProgress, 100);
    CTaskItem* pCode = Row(5);
    const int nRight = DayX(9) + 10 * 18;
    Drag({CPoint(nRight, BarY(5)), CPoint(nRight - 20, BarY(5)), CPoint(DayX(9) + 40, BarY(5))});
    EXPECT_GE(pCode->m_nDuration, 0);
    EXPECT_LE(pCode->m_nProgress, 100);
}

TEST_F(GanttMouseTest, TheDragsShowTheirCursors)
{
    for (UINT nId : {20001u, 20005u, 21018u, 21019u})
        EXPECT_NE(nullptr, AfxLoadCursor(nId)) << nId;
    AfxTestMouseDown(&Chart(), CPoint(DayX(0) + 10, BarY(2)));
    AfxTestMouseMove(&Chart(), CPoint(DayX(0) + 20, BarY(2)));
    EXPECT_EQ(1, Chart().m_nDragMode);
    EXPECT_EQ(AfxLoadCursor(20005), ::GetCursor());
    AfxTestMouseUp(&Chart(), CPoint(DayX(0) + 12, BarY(2)));
    AfxPumpMessages();
    EXPECT_EQ(::LoadCursor(NULL, IDC_ARROW), ::GetCursor());
}

TEST_F(GanttMouseTest, ARestingPointerGetsTheBarsTipAfterTheDelay)
{
    AfxTestFocus(&Chart());
    Row(2)->m_nDurIsEst = 0;
    const CPoint pt(DayX(0) + 20, BarY(2));
    AfxTestMouseMove(&Chart(), pt);
    AfxTestMouseMove(&Chart(), pt + CPoint(1, 0));
    CGanttTitleTip& tip = Chart().GetTitleTip();
    EXPECT_EQ(0, Chart().m_strTip.Find("任务\n 名称: 需求\n"));
    EXPECT_FALSE(tip.IsWindowVisible());  // armed only
    CPoint ptScreen = pt + CPoint(1, 0);
    Chart().ClientToScreen(&ptScreen);
    AfxTestSetCursorPos(ptScreen);
    tip.SendMessage(WM_TIMER, 1, 0);
    ASSERT_TRUE(tip.IsWindowVisible());
    ASSERT_EQ(5, tip.GetShownLines().GetSize());
    EXPECT_EQ(CString(" 名称: 需求"), tip.GetShownLines()[1]);
    EXPECT_TRUE(AfxTestGrabWindow(&tip, AfxTestOutputPath("gantt-bar-tip.png")));
    // A move onto the tip hides it and hands the move to the chart, which forgets the tip.
    CPoint ptOnTip = pt + CPoint(40, 0);
    Chart().ClientToScreen(&ptOnTip);
    tip.ScreenToClient(&ptOnTip);
    tip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptOnTip.x, ptOnTip.y));
    AfxPumpMessages();
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_TRUE(Chart().m_strTip.IsEmpty());
}
