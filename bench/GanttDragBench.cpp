// Speed of a bar drag in the project window at 10,000 and 50,000 tasks, counted until the
// window has painted: one mouse move of the drag (feedback drawn, nothing applied) and a
// drop (the release: the task moved, written into the tree, its successors propagated, the
// chart laid out again and the window painted).
#include "PaintCheck.h"
#include "ScreenBench.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Core/MessageBox.h>
#include <ClassLib/DocView/DocTemplate.h>
#include <ClassLib/Frames/MDIWnd.h>
#include <ClassLib/Testing/Input.h>
#include <ClassLib/Wnd/UiApp.h>

#include <map>
#include <memory>

#include "GanttBarView.h"
#include "GanttView.h"
#include "GridCtrl.h"
#include "Gantt_src/TaskShapes.h"
#include "ProjectFrame.h"
#include "ProjectGenerator.h"
#include "TaskGridAccess.h"
#include "TaskItem.h"
#include "TaskTreeView.h"

namespace {

enum : UINT
{
    IDR_DRAGBENCH_MAIN = 9410,
    IDR_DRAGBENCH_PROJECT = 9411,
};

class CBenchMainFrame : public CMDIFrameWnd
{
protected:
    void PostNcDestroy() override {}
};

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("GanttDragBench") {}
};

int QuietMessageBox(LPCTSTR, LPCTSTR, UINT) { return IDOK; }

// A project window on a generated project, the chart scrolled to a leaf bar with
// successors near the top.
struct DragWindow
{
    CWinApp* pApp = nullptr;
    CMultiDocTemplate* pTemplate = nullptr;
    CBenchMainFrame* pMain = nullptr;
    CProjectDoc* pDoc = nullptr;
    CFrameWnd* pFrame = nullptr;
    CGanttBarView* pBar = nullptr;
    CTaskTreeView* pTree = nullptr;
    int nRow = 0;

    explicit DragWindow(int nTasks)
    {
        AfxEnsureApplication();
        AfxSetMessageBoxHandler(&QuietMessageBox);
        pApp = new CBenchApp;
        pTemplate = new CMultiDocTemplate(IDR_DRAGBENCH_PROJECT, RUNTIME_CLASS(CProjectDoc),
                                          RUNTIME_CLASS(CProjectFrame), RUNTIME_CLASS(CGanttView));
        pApp->AddDocTemplate(pTemplate);
        pMain = new CBenchMainFrame;
        pMain->Create(NULL, "GanttDragBench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1600, 1000));
        pApp->m_pMainWnd = pMain;
        pMain->ShowWindow(SW_SHOW);

        pDoc = static_cast<CProjectDoc*>(pTemplate->CreateNewDocument());
        ProjectGeneratorOptions options;
        options.nTasks = nTasks;
        GenerateProject(*pDoc, options);
        pFrame = pTemplate->CreateNewFrame(pDoc, NULL);
        pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
        pFrame->ShowWindow(SW_SHOWMAXIMIZED);
        AfxPumpMessages();
        for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL;) {
            CView* pView = pDoc->GetNextView(pos);
            if (pView->IsKindOf(RUNTIME_CLASS(CGanttBarView)))
                pBar = static_cast<CGanttBarView*>(pView);
            if (pView->IsKindOf(RUNTIME_CLASS(CTaskTreeView)))
                pTree = static_cast<CTaskTreeView*>(pView);
        }
        // The tree opens with the sub-summaries folded: unfold the first top summary's
        // first sub-summary so that its leaves have bars.
        if (pTree != nullptr && pBar != nullptr) {
            for (int nRowToOpen : {1, 2})
                if (pBar->IsRowCollapsed(static_cast<UINT>(nRowToOpen + 1)))
                    CTaskGridAccess(pTree).ToggleExpand(nRowToOpen);
            AfxPumpMessages();
        }
    }
    ~DragWindow()
    {
        if (pFrame != nullptr && pFrame->GetSafeHwnd() != NULL)
            pFrame->DestroyWindow();
        AfxPumpMessages();
        if (pMain->GetSafeHwnd() != NULL)
            pMain->DestroyWindow();
        delete pMain;
        delete pApp;
    }

    // The chart's first visible day made nDays and its top row the first, as a scroll does:
    // the days counted, then the first visible day stepped.
    void ScrollTo(int nDays)
    {
        CGunterBar& chart = pBar->m_wndChart;
        const int nDelta = nDays - chart.GetHScrollDays();
        chart.m_nHScrollDays += nDelta;
        chart.m_ptScrollPending.x = nDelta;
        chart.ApplyHScroll();
        chart.SetTopRow(0);
    }

    // The first leaf bar of the project (row 3 of the generated tree: a top summary, a
    // sub-summary, then leaves), scrolled so that it lies 200 pixels from the left.
    CPoint BarPoint()
    {
        CGunterBar& chart = pBar->m_wndChart;
        CObList& list = chart.GetShapeList();
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
            CTaskBase* pShape = static_cast<CTaskBase*>(list.GetNext(pos));
            if (!pShape->IsKindOf(RUNTIME_CLASS(CTaskRect)) || pShape->m_rect.Width() < 30)
                continue;
            ScrollTo(pShape->m_rect.left / 18 - 10);
            const CPoint ptLogical(pShape->m_rect.left + 8, pShape->m_rect.top + 4);
            const CPoint ptOrigin = chart.ToLogical(CPoint(0, 0));
            return CPoint(ptLogical.x - ptOrigin.x, ptLogical.y - ptOrigin.y);
        }
        return CPoint(-1, -1);
    }
};

const CMeasureCounts kCounts{
    {"drag-move", "one mouse move of a sideways bar drag: the tracker erased, moved and drawn again"},
    {"edit-bar-drop", "the button release of a bar drag until the task moved, its successors settled, the chart laid "
                      "out and the window painted (press and moves not timed)"},
    {"edit-chart-link", "the button release of a link drag from one bar onto another until the link is made, the "
                        "successor settled and the window painted (press and moves not timed)"},
};

// One project window at a time: the application object is the window's.
std::unique_ptr<DragWindow> g_window;
int g_nWindowTasks = 0;

DragWindow& Window(int nTasks)
{
    if (!g_window || g_nWindowTasks != nTasks) {
        g_window.reset();
        g_window.reset(new DragWindow(nTasks));
        g_nWindowTasks = nTasks;
    }
    return *g_window;
}

LPARAM At(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }

// One mouse move of a sideways drag: the tracker erased, moved and drawn again.
void BM_DragMouseMove(benchmark::State& state)
{
    DragWindow& w = Window(static_cast<int>(state.range(0)));
    CGunterBar& chart = w.pBar->m_wndChart;
    const CPoint pt = w.BarPoint();
    if (pt.x < 0) {
        state.SkipWithError("no bar");
        return;
    }
    AfxPumpMessages();
    chart.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pt));
    chart.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(pt + CPoint(6, 0)));
    AfxPumpMessages();
    int i = 0;
    CScreenTimes times;
    for (auto _ : state) {
        times.Start();
        chart.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(pt + CPoint(8 + (i++ % 40), 0)));
        AfxPumpMessages();
        times.Stop(state);
    }
    times.Report(state, "drag-move", static_cast<double>(state.range(0)));
    state.counters["mode"] = chart.m_nDragMode;  // 1: a move
    // Back to the start: the release applies nothing.
    chart.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(pt + CPoint(1, 0)));
    chart.SendMessage(WM_LBUTTONUP, 0, At(pt + CPoint(1, 0)));
    AfxPumpMessages();
}
BENCHMARK(BM_DragMouseMove)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseManualTime();

// The drop of a drag that moves the first leaf one day later (then one day back): the
// release event, with the task moved, written through the tree, its successors propagated,
// the chart laid out again and the window painted. The press and the moves are not timed.
void BM_DragDrop(benchmark::State& state)
{
    DragWindow& w = Window(static_cast<int>(state.range(0)));
    CGunterBar& chart = w.pBar->m_wndChart;
    int nDir = 1;
    CScreenTimes times;
    for (auto _ : state) {
        const CPoint pt = w.BarPoint();
        if (pt.x < 0) {
            state.SkipWithError("no bar");
            break;
        }
        const CPoint ptTo = pt + CPoint(18 * nDir, 0);
        CTaskItem* pTask = CTaskGridAccess(w.pTree).GetTask(3);
        const COleDateTime start = pTask ? COleDateTime(pTask->m_dtStart) : COleDateTime();
        CPaintCheck paints{w.pTree->GetGrid().GetSafeHwnd(), chart.GetSafeHwnd()};
        chart.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pt));
        chart.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(pt + CPoint(6 * nDir, 0)));
        chart.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(ptTo));
        AfxPumpMessages();
        times.Start();
        chart.SendMessage(WM_LBUTTONUP, 0, At(ptTo));
        paints.Armed();
        AfxPumpMessages();
        times.Stop(state);
        if (!pTask || pTask->m_dtStart == start || !paints.Painted()) {
            state.SkipWithError("the drop moved no task, or nothing was painted");
            break;
        }
        nDir = -nDir;
    }
    times.Report(state, "edit-bar-drop", static_cast<double>(state.range(0)));
    state.counters["shapes"] = static_cast<double>(chart.GetShapeList().GetCount());
}
BENCHMARK(BM_DragDrop)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

// A link drag's two ends: the first leaf's bar (row 3) and the bar of a later leaf of its
// sub-summary (rows 5 to 11) that does not yet follow it and names predecessors in its cell,
// the chart scrolled so that the first bar's end and the later bar's start are both seen;
// false when no such pair is found.
bool LinkPoints(DragWindow& w, CPoint& from, CPoint& to, int& nSucc)
{
    CGunterBar& chart = w.pBar->m_wndChart;
    CTaskGridAccess grid(w.pTree);
    CTaskBase* pFrom = nullptr;
    CTaskBase* pTo = nullptr;
    CObList& list = chart.GetShapeList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTaskBase* pShape = static_cast<CTaskBase*>(list.GetNext(pos));
        CTaskItem* pTask = pShape->GetTaskItem();
        if (!pShape->IsKindOf(RUNTIME_CLASS(CTaskRect)) || !pTask)
            continue;
        const int r = pTask->m_nRowInGrid;
        if (r == 3 && pShape->m_rect.Width() >= 60)
            pFrom = pShape;
        else if (pFrom && !pTo && r >= 5 && r <= 11 && pShape->m_rect.Width() >= 20
                 && pShape->m_rect.left - pFrom->m_rect.right < 600 && !grid.GetText(r, 6).IsEmpty()
                 && grid.GetText(r, 6).Find("3") < 0)
            pTo = pShape;
    }
    if (!pFrom || !pTo)
        return false;
    w.ScrollTo((pFrom->m_rect.right - 200) / 18);
    const CPoint ptOrigin = chart.ToLogical(CPoint(0, 0));
    from = CPoint(pFrom->m_rect.right - 30, pFrom->m_rect.CenterPoint().y) - ptOrigin;
    to = CPoint(pTo->m_rect.left + 10, pTo->m_rect.CenterPoint().y) - ptOrigin;
    nSucc = pTo->GetTaskItem()->m_nRowInGrid;
    CRect rcClient;
    chart.GetClientRect(rcClient);
    return from.x > 0 && rcClient.PtInRect(to);
}

// A link drawn in the chart: the press on the first leaf's bar, a move down into the link
// mode and onto a later leaf's bar (not timed); the release timed until the link is made,
// the successor settled and the window painted. The successor's own predecessors are then
// typed back into its cell, which takes the link away again (not timed).
void BM_ChartLink(benchmark::State& state)
{
    DragWindow& w = Window(static_cast<int>(state.range(0)));
    CGunterBar& chart = w.pBar->m_wndChart;
    CTaskGridAccess grid(w.pTree);
    CGridCtrl& gridCtrl = w.pTree->GetGrid();
    CPaintCheck paints{gridCtrl.GetSafeHwnd(), chart.GetSafeHwnd()};
    CScreenTimes times;
    for (auto _ : state) {
        CPoint from, to;
        int nSucc = 0;
        if (!LinkPoints(w, from, to, nSucc)) {
            state.SkipWithError("no two bars to link");
            break;
        }
        CTaskItem* pSucc = grid.GetTask(nSucc);
        const int nLinks = pSucc->m_listLinks.GetCount();
        const CString strPreds = grid.GetText(nSucc, 6);
        chart.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(from));
        chart.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(from + CPoint(1, 8)));
        chart.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(to));
        AfxPumpMessages();
        times.Start();
        chart.SendMessage(WM_LBUTTONUP, 0, At(to));
        paints.Armed();
        AfxPumpMessages();
        times.Stop(state);
        if (pSucc->m_listLinks.GetCount() != nLinks + 1 || !paints.Painted()) {
            state.SkipWithError("the drag made no link, or nothing was painted");
            break;
        }
        gridCtrl.SetFocusCell(nSucc, 6);
        AfxTestFocus(&gridCtrl);
        AfxTestTypeText(CWnd::GetFocus(), strPreds);
        AfxTestKey(CWnd::GetFocus(), VK_RETURN);
        AfxPumpMessages();
        if (pSucc->m_listLinks.GetCount() != nLinks) {
            state.SkipWithError("the predecessors typed back did not take the link away");
            break;
        }
    }
    times.Report(state, "edit-chart-link", static_cast<double>(state.range(0)));
}
BENCHMARK(BM_ChartLink)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    g_window.reset();
    benchmark::Shutdown();
    return 0;
}
