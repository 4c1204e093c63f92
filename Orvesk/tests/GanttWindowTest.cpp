// The project window with the task tree beside the Gantt chart: the chart follows the
// tree's rows, folded branches and critical marks; pictures of every zoom level.
#include "ViewsTestSupport.h"

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Testing/DrawLog.h>
#include <ClassLib/Testing/Input.h>

#include <QImage>
#include <QString>

#include <algorithm>
#include <climits>

#include "GanttBarView.h"
#include "GanttView.h"
#include "Gantt_src/TaskShapes.h"
#include "ProjectFrame.h"
#include "ProjectSchedule.h"
#include "TaskTreeView.h"

namespace {

CTaskItem* Task(CTaskItemList& list, const char* pszName, int nRow, const COleDateTime& start,
                const COleDateTime& finish, int nDays, BOOL bCritical)
{
    CTaskItem* pTask = AddTask(list, pszName, start, finish, nDays);
    pTask->m_nRowInGrid = nRow;
    pTask->m_nTaskID = 100 + nRow;
    pTask->m_nIsTask = 1;
    pTask->m_nProgress = (nRow * 23) % 100;
    if (bCritical)
        pTask->m_dtLateStart = pTask->m_dtEarlyStart;
    return pTask;
}

// A small plan from Monday 4 March 2024 (the chart's origin): two summary tasks with
// children, a milestone, links of all four types, a critical chain.
void FillPlan(CProjectDoc& doc)
{
    tagResInfo res;
    res.strCode = "R1";
    res.strName = "张三";
    doc.m_ProjectInfo.m_listMembers.AddTail(res);
    res.strCode = "R2";
    res.strName = "李四";
    doc.m_ProjectInfo.m_listMembers.AddTail(res);

    CTaskItem* pPrep = Task(doc.m_listTasks, "项目准备", 1, Day(2024, 3, 4), Day(2024, 3, 12), 7, FALSE);
    CTaskItem* pReq = Task(pPrep->m_listChildren, "需求分析", 2, Day(2024, 3, 4), Day(2024, 3, 6), 3, TRUE);
    pReq->m_arrAssignees.Add("R1");
    CTaskItem* pDesign = Task(pPrep->m_listChildren, "方案设计", 3, Day(2024, 3, 7), Day(2024, 3, 12), 4, TRUE);
    pDesign->m_arrAssignees.Add("R1");
    pDesign->m_arrAssignees.Add("R2");
    AddLink(pDesign, pReq, 1);
    CTaskItem* pDev = Task(doc.m_listTasks, "开发", 4, Day(2024, 3, 13), Day(2024, 3, 27), 11, FALSE);
    CTaskItem* pCode = Task(pDev->m_listChildren, "编码", 5, Day(2024, 3, 13), Day(2024, 3, 22), 8, TRUE);
    pCode->m_arrAssignees.Add("R2");
    AddLink(pCode, pDesign, 1);
    CTaskItem* pCases = Task(pDev->m_listChildren, "测试用例", 6, Day(2024, 3, 13), Day(2024, 3, 15), 3, FALSE);
    AddLink(pCases, pCode, 4);
    CTaskItem* pJoin = Task(pDev->m_listChildren, "联调", 7, Day(2024, 3, 25), Day(2024, 3, 27), 3, TRUE);
    AddLink(pJoin, pCode, 1);
    CTaskItem* pAccept = Task(doc.m_listTasks, "验收", 8, Day(2024, 3, 28), Day(2024, 3, 28), 0, TRUE);
    pAccept->m_nMilestone = 1;
    AddLink(pAccept, pJoin, 1);
    CTaskItem* pDocs = Task(doc.m_listTasks, "文档", 9, Day(2024, 3, 18), Day(2024, 3, 27), 8, FALSE);
    AddLink(pDocs, pCases, 2);
    AddLink(pDocs, pAccept, 3);
}

class GanttWindowTest : public ProjectWindowTest
{
protected:
    void SetUp() override
    {
        const COleDateTime today(2024, 3, 4, 9, 0, 0);
        AfxTestSetCurrentTime(&today);
        ProjectWindowTest::SetUp();
    }
    void TearDown() override
    {
        ProjectWindowTest::TearDown();
        AfxTestSetCurrentTime(nullptr);
    }
    CGanttBarView* BarView() const
    {
        CWnd* pPane = GanttView()->m_wndSplitter.GetPane(0, 1);
        return DYNAMIC_DOWNCAST(CGanttBarView, pPane);
    }
    std::vector<CTaskBase*> Shapes() const
    {
        std::vector<CTaskBase*> out;
        CObList& list = BarView()->m_wndChart.GetShapeList();
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            out.push_back(static_cast<CTaskBase*>(list.GetNext(pos)));
        return out;
    }
};

} // namespace

TEST_F(GanttWindowTest, TheChartPaneIsTheGanttBarView)
{
    ASSERT_TRUE(Open(FillPlan));
    CGanttBarView* pBar = BarView();
    ASSERT_NE(nullptr, pBar);
    EXPECT_TRUE(pBar->m_wndChart.IsWindowVisible());
    EXPECT_EQ(pBar, Tree() != nullptr ? BarView() : nullptr);
    EXPECT_EQ(Tree(), pBar->GetTaskTreeView());
    // One shape per task and one arrow per link.
    int nBars = 0, nArrows = 0, nRed = 0;
    for (CTaskBase* p : Shapes()) {
        if (p->IsKindOf(RUNTIME_CLASS(CTaskLineArrow)))
            ++nArrows;
        else
            ++nBars;
        if (p->IsKindOf(RUNTIME_CLASS(CTaskRect)) && p->m_crColor == RGB(255, 0, 0))
            ++nRed;
    }
    EXPECT_EQ(9, nBars);
    EXPECT_EQ(7, nArrows);
    EXPECT_EQ(5, nRed);  // the critical chain the task tree marked, the milestone included
    for (CTaskBase* p : Shapes()) {
        if (p->m_nRow == 6 || p->m_nRow == 9) {
            EXPECT_EQ(RGB(0, 0, 255), p->m_crColor) << p->m_nRow;
            EXPECT_EQ(21003u, p->m_nBitmapId) << p->m_nRow;
        }
    }
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(GanttWindowTest, TheWheelTurnsTheChartsRowsAfterAClickThereAndTheTreeFollows)
{
    ASSERT_TRUE(Open(FillPlan));
    CGunterBar& chart = BarView()->m_wndChart;
    CRect rc;
    chart.GetClientRect(&rc);
    // A click on no bar, low in the chart, gives it the focus.
    const CPoint pt(rc.right - 5, rc.bottom - 5);
    AfxTestClick(&chart, pt);
    AfxPumpMessages();
    ASSERT_EQ(CWnd::GetFocus(), &chart);
    ASSERT_EQ(chart.GetTopRow(), 0);
    AfxTestWheel(&chart, pt, -WHEEL_DELTA);
    AfxPumpMessages();
    EXPECT_EQ(chart.GetTopRow(), 3);
    EXPECT_EQ(Tree()->m_Grid.GetScrollPos(SB_VERT), 3 * Tree()->m_Grid.GetRowHeight(1));
    AfxTestWheel(&chart, pt, WHEEL_DELTA);
    AfxPumpMessages();
    EXPECT_EQ(chart.GetTopRow(), 0);
    EXPECT_EQ(Tree()->m_Grid.GetScrollPos(SB_VERT), 0);
}

TEST_F(GanttWindowTest, FoldingABranchInTheTreeFoldsTheChart)
{
    ASSERT_TRUE(Open(FillPlan));
    CGanttBarView* pBar = BarView();
    Grid().ToggleExpand(4);  // fold 开发: rows 5 to 7
    AfxPumpMessages();
    ASSERT_EQ(3, pBar->m_arrCollapsedRows.GetSize());
    std::vector<int> rows;
    for (CTaskBase* p : Shapes())
        if (!p->IsKindOf(RUNTIME_CLASS(CTaskLineArrow)))
            rows.push_back(p->m_nRow);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 8, 9}), rows);
    for (CTaskBase* p : Shapes()) {
        if (p->m_nRow == 8) {
            EXPECT_EQ(20 * 5 + 17, p->m_ptFrom.y);
        }
    }
    Grid().ToggleExpand(4);
    AfxPumpMessages();
    EXPECT_EQ(0, pBar->m_arrCollapsedRows.GetSize());
    EXPECT_EQ(16u, Shapes().size());
}

TEST_F(GanttWindowTest, ZoomCommandsFromTheTreeReachTheChart)
{
    ASSERT_TRUE(Open(FillPlan));
    CGanttBarView* pBar = BarView();
    pBar->SendMessage(WM_COMMAND, 22003);
    EXPECT_EQ(2, pBar->m_wndChart.GetTimeScale());
    pBar->SendMessage(WM_COMMAND, 22004);
    EXPECT_EQ(1, pBar->m_wndChart.GetTimeScale());
}

// At every zoom level the chart shows each task's bar in its colour where the bar's shape
// lies: its top line runs in its colour from its left end to its right end.
TEST_F(GanttWindowTest, EveryZoomLevelShowsTheBarsWhereTheirShapesLie)
{
    ASSERT_TRUE(Open(FillPlan));
    CGanttBarView* pBar = BarView();
    m_pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    AfxPumpMessages();
    int nPreviousWidth = INT_MAX;
    for (int nLevel = 1; nLevel <= 4; ++nLevel) {
        if (nLevel > 1)
            pBar->ZoomOut();
        EXPECT_EQ(nLevel, pBar->m_wndChart.GetTimeScale());
        m_pMainFrame->UpdateWindow();
        AfxPumpMessages();
        CString strName;
        strName.Format("gantt-window-level%d.png", nLevel);
        const CString strPath = AfxTestOutputPath(strName);
        ASSERT_TRUE(AfxTestGrabWindow(m_pMainFrame, strPath));
        const QImage shot(QString::fromLocal8Bit((LPCTSTR)strPath));
        ASSERT_FALSE(shot.isNull());
        // The chart's client origin in the picture of the main window.
        CPoint ptChart(0, 0);
        pBar->m_wndChart.ClientToScreen(&ptChart);
        CRect rcMain;
        m_pMainFrame->GetWindowRect(&rcMain);
        ptChart -= rcMain.TopLeft();
        const CGunterBar& wnd = pBar->m_wndChart;
        const int nShiftX = ptChart.x - (int)(wnd.GetHScrollDays() * wnd.GetDayWidth());
        const int nShiftY = ptChart.y - wnd.GetTopRow() * GANTT_ROW_HEIGHT;
        CRect rcChart;
        pBar->m_wndChart.GetClientRect(&rcChart);
        int nBars = 0, nShown = 0;
        for (CTaskBase* p : Shapes()) {
            CTaskRect* pRect = DYNAMIC_DOWNCAST(CTaskRect, p);
            if (pRect == nullptr || pRect->IsMilestone())
                continue;
            ++nBars;
            // The bar's outline: its top line in its colour from end to end, not beyond.
            const int y = pRect->m_rect.top + nShiftY;
            const int x1 = pRect->m_rect.left + nShiftX, x2 = pRect->m_rect.right + nShiftX;
            // Only what the chart's client area shows of it.
            const int xEnd = std::min(x2, ptChart.x + rcChart.Width());
            if (xEnd <= x1)
                continue;
            ++nShown;
            const QRgb rgb = qRgb(GetRValue(p->m_crColor), GetGValue(p->m_crColor), GetBValue(p->m_crColor));
            auto isBar = [&](int x) {
                return x >= 0 && x < shot.width() && (shot.pixel(x, y) & 0xFFFFFFu) == (rgb & 0xFFFFFFu);
            };
            int nOn = 0;
            for (int x = x1; x < xEnd; ++x)
                nOn += isBar(x) ? 1 : 0;
            EXPECT_EQ(nOn, xEnd - x1) << "level " << nLevel << " row " << p->m_nRow;
            EXPECT_FALSE(isBar(x1 - 2)) << "level " << nLevel << " row " << p->m_nRow;
            if (xEnd == x2) {
                EXPECT_FALSE(isBar(x2 + 1)) << "level " << nLevel << " row " << p->m_nRow;
            }
        }
        EXPECT_EQ(6, nBars);
        EXPECT_GE(nShown, 4) << nLevel;
        // Zooming out draws the same bars shorter.
        const int nWidth = Shapes()[1]->m_rect.Width();
        EXPECT_LT(nWidth, nPreviousWidth) << nLevel;
        nPreviousWidth = nWidth;
    }
}

TEST_F(GanttWindowTest, AChartEditIsWrittenBackIntoTheGridAndPropagated)
{
    ASSERT_TRUE(Open(FillPlan));
    CGanttBarView* pBar = BarView();
    CTaskItem* pReq = Grid().GetTask(2);
    ASSERT_NE(nullptr, pReq);
    ASSERT_EQ(CString("需求分析"), pReq->m_strName);
    // The chart moved the task one day later (as a bar drag does).
    const unsigned nLayouts = pBar->Layouts();
    pReq->m_dtStart = Day(2024, 3, 5);
    pReq->m_dtFinish = Day(2024, 3, 7);
    pBar->OnTaskChanged(pReq);
    // Its bar and those the settle moved were made again in place.
    EXPECT_EQ(nLayouts, pBar->Layouts());

    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(CString("2024年3月5日"), Text(2, 4));
    EXPECT_EQ(CString("2024年3月7日"), Text(2, 5));
    EXPECT_EQ(CString("3个工作日"), Text(2, 3));
    // Its successor now starts after it.
    CTaskItem* pDesign = Grid().GetTask(3);
    ASSERT_NE(nullptr, pDesign);
    EXPECT_GT(pDesign->m_dtStart, pReq->m_dtFinish);
    EXPECT_EQ(pDesign->m_dtStart.Format("%#Y年%#m月%#d日"), Text(3, 4));
    for (CTaskBase* p : Shapes()) {
        if (p->m_nRow == 2) {
            EXPECT_EQ(18, p->m_ptFrom.x);
        }
    }
    // A second drop, the links as they were: the successor follows again, its predecessor
    // column unchanged.
    const COleDateTime designStart = pDesign->m_dtStart;
    pReq->m_dtStart = Day(2024, 3, 6);
    pReq->m_dtFinish = Day(2024, 3, 8);
    pBar->OnTaskChanged(pReq);
    EXPECT_EQ(nLayouts, pBar->Layouts());
    EXPECT_EQ(designStart + COleDateTimeSpan(3, 0, 0, 0), pDesign->m_dtStart);  // over the weekend
    EXPECT_EQ(CString("2"), Text(3, 6));
}

TEST_F(GanttWindowTest, ARenameTypedInTheGridShowsBesideTheBarAtOnce)
{
    ASSERT_TRUE(Open(FillPlan));
    CGunterBar& chart = BarView()->m_wndChart;
    CGridCtrl& grid = Tree()->m_Grid;
    CRect rc;
    grid.GetCellRect(8, 2, &rc);
    auto type = [&](const char* pszName) {
        AfxTestClick(&grid, CPoint(rc.left + rc.Width() / 3, rc.top + rc.Height() / 2));
        AfxPumpMessages();
        AfxTestTypeText(CWnd::GetFocus(), pszName);
        AfxPumpMessages();
        chart.UpdateWindow();
    };
    // The first edit marks the task modified, which the layout reads; the second changes
    // the name alone.
    type("First");
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
    type("Final");
    // The chart paints after the edit ends, without anything else asking for it, and draws
    // the new name.
    CDrawRecorder rec(&chart);
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
    ASSERT_EQ(CString("Final"), Text(8, 2));
    AfxPumpMessages();
    chart.UpdateWindow();
    EXPECT_NE(nullptr, rec.FindText("Final"));
    EXPECT_EQ(nullptr, rec.FindText("First"));
}

// A name typed into a task's cell: the chart renews that bar in place, without a whole
// layout, and draws the new name beside it.
TEST_F(GanttWindowTest, ANameTypedInTheGridRenewsItsBarWithoutALayout)
{
    ASSERT_TRUE(Open(FillPlan));
    CGanttBarView* pBar = BarView();
    CGridCtrl& grid = Tree()->m_Grid;
    AfxPumpMessages();
    pBar->m_wndChart.UpdateWindow();
    const unsigned nLayouts = pBar->Layouts();
    CRect rc;
    grid.GetCellRect(5, 2, &rc);
    AfxTestClick(&grid, CPoint(rc.left + rc.Width() / 3, rc.top + rc.Height() / 2));
    AfxPumpMessages();
    AfxTestTypeText(CWnd::GetFocus(), "Coding");
    CDrawRecorder rec(&pBar->m_wndChart);
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
    AfxPumpMessages();
    pBar->m_wndChart.UpdateWindow();
    ASSERT_EQ(CString("Coding"), Grid().GetTask(5)->m_strName);
    EXPECT_EQ(nLayouts, pBar->Layouts());
    EXPECT_FALSE(pBar->NeedsLayout());
    EXPECT_NE(nullptr, rec.FindText("Coding(李四)"));
}

// A link added through the schedule and reported as the chart's mouse reports its edits:
// the arrow is made in place, without a whole layout.
TEST_F(GanttWindowTest, ALinkAddedThroughTheScheduleGetsItsArrowWithoutALayout)
{
    ASSERT_TRUE(Open(FillPlan));
    CGanttBarView* pBar = BarView();
    AfxPumpMessages();
    const unsigned nLayouts = pBar->Layouts();
    CTaskItem* pDocs = Grid().GetTask(9);
    CTaskItem* pReq = Grid().GetTask(2);
    ASSERT_NE(nullptr, pDocs);
    ASSERT_NE(nullptr, pReq);
    CTaskLink* pLink = m_pDoc->Schedule().AddLink(pDocs, pReq, TASKLINK_FS, 0);
    ASSERT_NE(nullptr, pLink);
    pBar->OnTaskChanged(pDocs);
    EXPECT_EQ(nLayouts, pBar->Layouts());
    const CTaskBase* pArrow = nullptr;
    for (CTaskBase* p : Shapes())
        if (p->m_pTask == pLink)
            pArrow = p;
    ASSERT_NE(nullptr, pArrow);
    EXPECT_EQ(2, pArrow->m_nPredRow);
    EXPECT_TRUE(pBar->LayoutIsFresh());
}

// Two project windows on two documents: an edit in one renews its own chart and leaves the
// other's layout alone, however often the other's grid syncs it.
TEST_F(GanttWindowTest, AnEditInOneProjectWindowLeavesTheOtherChartsLayout)
{
    ASSERT_TRUE(Open(FillPlan));
    CGanttBarView* pFirst = BarView();
    ASSERT_TRUE(Open(FillPlan));
    CGanttBarView* pSecond = BarView();
    ASSERT_NE(pFirst, pSecond);
    AfxPumpMessages();
    const unsigned nFirst = pFirst->Layouts(), nSecond = pSecond->Layouts();
    CGridCtrl& grid = Tree()->m_Grid;
    CRect rc;
    grid.GetCellRect(3, 3, &rc);
    AfxTestClick(&grid, CPoint(rc.left + rc.Width() / 3, rc.top + rc.Height() / 2));
    AfxPumpMessages();
    AfxTestTypeText(CWnd::GetFocus(), "6");
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
    AfxPumpMessages();
    ASSERT_EQ(6 * 86400, Grid().GetTask(3)->m_nDuration);
    // The other window's grid syncs its chart as on each of its paints.
    EXPECT_FALSE(pFirst->NeedsLayout());
    pFirst->GetTaskTreeView()->SyncGanttRows(0, 0);
    EXPECT_EQ(nFirst, pFirst->Layouts());
    EXPECT_EQ(nSecond, pSecond->Layouts());
    EXPECT_FALSE(pSecond->NeedsLayout());
}

TEST_F(GanttWindowTest, ATypedDurationRenewsTheBarsItMovedInPlace)
{
    ASSERT_TRUE(Open(FillPlan));
    CGanttBarView* pBar = BarView();
    CGridCtrl& grid = Tree()->m_Grid;
    AfxPumpMessages();
    const unsigned nLayouts = pBar->Layouts();
    grid.SetFocusCell(2, 3);
    AfxTestFocus(&grid);
    AfxTestTypeText(CWnd::GetFocus(), "5");
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
    AfxPumpMessages();
    ASSERT_EQ(CString("5个工作日"), Text(2, 3));
    // 需求分析 now ends on Friday 8 March; 方案设计 after it starts on Monday 11 March.
    EXPECT_EQ(CString("2024年3月11日"), Text(3, 4));
    EXPECT_EQ(nLayouts, pBar->Layouts());
    int nSeen = 0;
    for (CTaskBase* p : Shapes()) {
        if (p->IsKindOf(RUNTIME_CLASS(CTaskLineArrow)))
            continue;
        if (p->m_nRow == 2) {
            EXPECT_EQ(5 * 18, p->m_ptTo.x);
            ++nSeen;
        } else if (p->m_nRow == 3) {
            EXPECT_EQ(7 * 18, p->m_ptFrom.x);
            ++nSeen;
        }
    }
    EXPECT_EQ(2, nSeen);
    // What a fresh layout gives.
    EXPECT_TRUE(pBar->LayoutIsFresh());
}

namespace {

QImage Picture(CWnd* pWnd, const char* pszName)
{
    pWnd->UpdateWindow();
    AfxPumpMessages();
    const CString strPath = AfxTestOutputPath(pszName);
    if (!AfxTestGrabWindow(pWnd, strPath))
        return QImage();
    return QImage(QString::fromLocal8Bit((LPCTSTR)strPath)).convertToFormat(QImage::Format_RGB32);
}

// After an edit typed into the grid, the chart shows exactly what drawing it whole shows,
// though only the rows the edit reached were drawn again.
void ExpectChartAsDrawnWhole(CGunterBar& chart, const char* pszName)
{
    const QImage after = Picture(&chart, (CString(pszName) + "-edit.png").GetString());
    ASSERT_FALSE(after.isNull());
    chart.Invalidate(TRUE);
    const QImage whole = Picture(&chart, (CString(pszName) + "-whole.png").GetString());
    ASSERT_FALSE(whole.isNull());
    ASSERT_EQ(whole.size(), after.size());
    int nDiffer = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
            nDiffer += whole.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
    EXPECT_EQ(0, nDiffer) << pszName;
}

} // namespace

TEST_F(GanttWindowTest, AfterATypedEditTheChartShowsWhatAWholeRepaintShows)
{
    ASSERT_TRUE(Open(FillPlan));
    m_pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    AfxPumpMessages();
    CGanttBarView* pBar = BarView();
    CGunterBar& chart = pBar->m_wndChart;
    CGridCtrl& grid = Tree()->m_Grid;
    m_pMainFrame->UpdateWindow();
    AfxPumpMessages();
    const unsigned nLayouts = pBar->Layouts();
    // A longer duration moves the bars after it, the arrows between them and their summary.
    grid.SetFocusCell(2, 3);
    AfxTestFocus(&grid);
    AfxTestTypeText(CWnd::GetFocus(), "5");
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
    // Only the rows down to the last bar moved were given to paint, not the whole chart.
    CRect rcUpdate, rcClient;
    chart.GetClientRect(&rcClient);
    ASSERT_TRUE(chart.GetUpdateRect(&rcUpdate));
    EXPECT_LT(rcUpdate.bottom, rcClient.bottom) << rcUpdate.top << " " << rcUpdate.bottom;
    AfxPumpMessages();
    ASSERT_EQ(CString("5个工作日"), Text(2, 3));
    ASSERT_EQ(nLayouts, pBar->Layouts());
    ExpectChartAsDrawnWhole(chart, "gantt-duration");

    // A name: its bar's label.
    CRect rc;
    grid.GetCellRect(5, 2, &rc);
    AfxTestClick(&grid, CPoint(rc.left + rc.Width() / 3, rc.top + rc.Height() / 2));
    AfxPumpMessages();
    chart.UpdateWindow();
    AfxTestTypeText(CWnd::GetFocus(), "Coding");
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
    AfxPumpMessages();
    ASSERT_EQ(CString("Coding"), Grid().GetTask(5)->m_strName);
    ExpectChartAsDrawnWhole(chart, "gantt-name");

    // A click on other rows makes their tasks the chart's current one, framed in red; the
    // frames move from bar to bar.
    for (int nRow : {4, 7}) {
        grid.GetCellRect(nRow, 4, &rc);
        AfxTestClick(&grid, CPoint(rc.left + rc.Width() / 3, rc.top + rc.Height() / 2));
        AfxPumpMessages();
        ASSERT_EQ(Grid().GetTask(nRow), chart.GetCurrentTask());
        ExpectChartAsDrawnWhole(chart, "gantt-current");
    }
}
