// The print-preview view: the task grid's preview (mode 1) and the chart's (mode 0) take
// the main window's place and give it back when the preview is closed; each end clears
// only its own side's pointer. Screenshots of both previews.
#include <gtest/gtest.h>

#include <ClassLib/DocView/PrintPreview.h>
#include <ClassLib/DocView/StdIds.h>
#include <ClassLib/Frames/MDIWnd.h>

#include "GanttBarView.h"
#include "GridCtrl.h"
#include "TaskTreeView.h"
#include "ViewPrintPreview.h"
#include "ViewsTestSupport.h"

namespace {

class ViewPrintPreviewTest : public ProjectWindowTest
{
protected:
    void OpenProject()
    {
        ASSERT_TRUE(Open([](CProjectDoc& doc) {
            AddTask(doc.m_listTasks, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5);
            AddTask(doc.m_listTasks, "施工", Day(2004, 3, 8), Day(2004, 3, 19), 10);
            AddTask(doc.m_listTasks, "验收", Day(2004, 3, 22), Day(2004, 3, 26), 5);
        }));
        POSITION pos = m_pDoc->GetFirstViewPosition();
        while (pos != NULL) {
            CView* pView = m_pDoc->GetNextView(pos);
            if (pView->IsKindOf(RUNTIME_CLASS(CGanttBarView)))
                m_pBarView = static_cast<CGanttBarView*>(pView);
        }
        ASSERT_NE(m_pBarView, nullptr);
    }

    // The class library's preview window shown in the preview frame.
    static CPreviewView* ShownPreview(CWnd* pFrame)
    {
        CFrameWnd* pFrameWnd = dynamic_cast<CFrameWnd*>(pFrame);
        return pFrameWnd != nullptr ? dynamic_cast<CPreviewView*>(pFrameWnd->GetActiveView()) : nullptr;
    }

    CGanttBarView* m_pBarView = nullptr;
};

TEST_F(ViewPrintPreviewTest, TheGridPreviewStandsInForTheMainWindowAndGivesItBack)
{
    OpenProject();
    CGridCtrl& grid = Tree()->GetGrid();
    grid.TogglePrintPreview();
    AfxPumpMessages();
    CWnd* pPreviewFrame = AfxGetMainWnd();
    ASSERT_NE(pPreviewFrame, (CWnd*)m_pMainFrame);
    EXPECT_FALSE(m_pMainFrame->IsWindowVisible());
    CViewPrintPreview* pView = dynamic_cast<CViewPrintPreview*>(grid.GetPrintPreviewView());
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->m_nMode, 1);
    EXPECT_EQ(pView->m_pGrid, &grid);
    EXPECT_EQ(pView->m_pOldMainWnd, (CWnd*)m_pMainFrame);
    EXPECT_EQ(pView->GetParentFrame(), pPreviewFrame);
    CPreviewView* pShown = ShownPreview(pPreviewFrame);
    ASSERT_NE(pShown, nullptr);
    EXPECT_EQ(pShown->GetPrintView(), pView);
    EXPECT_GE(pShown->GetLastPage(), 1u);
    pPreviewFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    AfxPumpMessages();
    EXPECT_TRUE(AfxTestGrabWindow(pPreviewFrame, AfxTestOutputPath("grid-print-preview.png")));

    // The preview bar's close button; the frame goes with its window.
    const HWND hPreviewFrame = pPreviewFrame->GetSafeHwnd();
    pShown->OnPreviewClose();
    AfxPumpMessages();
    EXPECT_EQ(AfxGetMainWnd(), (CWnd*)m_pMainFrame);
    EXPECT_TRUE(m_pMainFrame->IsWindowVisible());
    EXPECT_EQ(grid.GetPrintPreviewView(), nullptr);
    EXPECT_FALSE(::IsWindow(hPreviewFrame));
    EXPECT_FALSE(grid.IsPrintPreviewShown());
}

TEST_F(ViewPrintPreviewTest, EndingAChartPreviewClearsTheChartsPointerNotTheGrids)
{
    OpenProject();
    CGridCtrl& grid = Tree()->GetGrid();
    CGunterBar& chart = m_pBarView->GetChart();
    // A stand-in for a grid preview pointer that must survive.
    CWnd standIn;
    grid.SetPrintPreviewView(&standIn);

    CFrameWnd* pPreviewFrame = CViewPrintPreview::OpenChartPreview(&chart);
    ASSERT_NE(pPreviewFrame, nullptr);
    AfxPumpMessages();
    EXPECT_EQ(AfxGetMainWnd(), (CWnd*)pPreviewFrame);
    EXPECT_FALSE(m_pMainFrame->IsWindowVisible());
    CViewPrintPreview* pView = CViewPrintPreview::ChartPreviewOf(&chart);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->m_nMode, 0);
    EXPECT_EQ(pView->m_pChart, &chart);
    CPreviewView* pShown = ShownPreview(pPreviewFrame);
    ASSERT_NE(pShown, nullptr);
    EXPECT_EQ(pShown->GetPrintView(), pView);
    pPreviewFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    AfxPumpMessages();
    EXPECT_TRUE(AfxTestGrabWindow(pPreviewFrame, AfxTestOutputPath("chart-print-preview.png")));

    const HWND hPreviewFrame = pPreviewFrame->GetSafeHwnd();
    pShown->OnPreviewClose();
    AfxPumpMessages();
    EXPECT_FALSE(::IsWindow(hPreviewFrame));
    EXPECT_EQ(CViewPrintPreview::ChartPreviewOf(&chart), nullptr);
    EXPECT_EQ(grid.GetPrintPreviewView(), &standIn);
    EXPECT_EQ(AfxGetMainWnd(), (CWnd*)m_pMainFrame);
    EXPECT_TRUE(m_pMainFrame->IsWindowVisible());
    grid.SetPrintPreviewView(NULL);
}

TEST_F(ViewPrintPreviewTest, ANewViewPrintsTheGrid)
{
    CViewPrintPreview view;
    EXPECT_EQ(view.m_nMode, 1);
    EXPECT_EQ(view.m_pGrid, nullptr);
    EXPECT_EQ(view.m_pChart, nullptr);
    EXPECT_EQ(view.m_pOldMainWnd, nullptr);
}

} // namespace
