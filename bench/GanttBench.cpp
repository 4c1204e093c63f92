// Speed of the Gantt chart: the layout of 10,000 and 50,000 tasks (bars and arrows built), the
// update after one task's dates changed (until painted),
// and one full repaint of a 1600 x 1000 chart scrolled to the top, the middle and the end
// at each zoom level, for 1,000 and 50,000 tasks (a repaint must not depend on the size).
#include "ScreenBench.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/CreateContext.h>
#include <ClassLib/Wnd/UiApp.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>

#include "GanttBarView.h"
#include "ProjectDoc.h"
#include "TaskItem.h"

namespace {

const int kChartWidth = 1600;
const int kChartHeight = 1000;

// Groups of ten rows: a summary task and nine children, each child linked finish-to-start
// to the one before it, every seventh task critical. Dates advance with the rows.
void FillProject(CProjectDoc& doc, int nTasks, const COleDateTime& dtBase)
{
    CTaskItem* pSummary = NULL;
    for (int nRow = 1; nRow <= nTasks; ++nRow) {
        CTaskItem* pTask = new CTaskItem;
        pTask->m_nRowInGrid = nRow;
        pTask->m_strName.Format("任务 %d", nRow);
        const int nDays = 1 + nRow % 5;
        pTask->m_dtStart = dtBase + COleDateTimeSpan(nRow / 4, 8, 0, 0);
        pTask->m_dtFinish = pTask->m_dtStart + COleDateTimeSpan(nDays - 1, 9, 0, 0);
        pTask->m_nDuration = nDays * 86400;
        pTask->m_nProgress = nRow % 101;
        pTask->m_nCritical = nRow % 7 == 0;
        CString strCode;
        strCode.Format("R%d", nRow % 20);
        pTask->m_arrAssignees.Add(strCode);
        if (nRow % 10 == 1) {
            pSummary = pTask;
            doc.m_listTasks.AddTail(pTask);
            continue;
        }
        pSummary->m_listChildren.AddTail(pTask);
        if (nRow % 10 != 2) {
            CTaskLink* pLink = new CTaskLink;
            pLink->m_nSuccID = nRow - 1;
            pLink->m_nType = 1;
            pTask->m_listLinks.AddTail(pLink);
        }
    }
}

// A frame with a Gantt bar view on a generated project; the chart's client area is
// 1600 x 1000.
struct GanttHost
{
    CProjectDoc* doc;
    CFrameWnd* frame;
    CGanttBarView* view;
    int nTasks;

    explicit GanttHost(int n) : nTasks(n)
    {
        AfxEnsureApplication();
        doc = new CProjectDoc;
        doc->m_bAutoDelete = FALSE;
        const COleDateTime dtNow = COleDateTime::GetCurrentTime();
        FillProject(*doc, n, COleDateTime(dtNow.GetYear(), dtNow.GetMonth(), dtNow.GetDay(), 0, 0, 0));
        frame = new CFrameWnd;
        frame->Create(NULL, "bench", WS_POPUP, CRect(0, 0, kChartWidth + 100, kChartHeight + 100));
        CCreateContext ctx;
        ctx.m_pNewViewClass = RUNTIME_CLASS(CGanttBarView);
        ctx.m_pCurrentDoc = doc;
        view = static_cast<CGanttBarView*>(frame->CreateView(&ctx));
        view->MoveWindow(0, 0, kChartWidth, kChartHeight);
        for (int i = 0; i < 3; i++) {
            CRect rcClient, rcWindow;
            view->m_wndChart.GetClientRect(rcClient);
            view->GetWindowRect(rcWindow);
            const int dx = kChartWidth - rcClient.Width(), dy = kChartHeight - rcClient.Height();
            if (dx == 0 && dy == 0)
                break;
            view->MoveWindow(0, 0, rcWindow.Width() + dx, rcWindow.Height() + dy);
        }
        view->OnInitialUpdate();
        frame->ShowWindow(SW_SHOW);
    }
    ~GanttHost()
    {
        frame->DestroyWindow();
        delete doc;
    }
};

const CMeasureCounts kCounts{
    {"chart-layout", "the chart's whole layout (every bar and arrow placed) of the project alone"},
    {"chart-layout-check", "a repaint's question whether the chart must be laid out again, nothing changed"},
    {"chart-update", "one task's dates moved: UpdateTasks for it (its bar and the arrows on it made again in the "
                     "kept layout) and the chart's paint of 1600 x 1000"},
    {"chart-update-shapes", "the same edit's UpdateTasks alone, without the paint"},
};

// The windows go before the program's exit handlers take the window layer's thread data.
std::map<int, std::unique_ptr<GanttHost>> g_hosts;

GanttHost& Host(int nTasks)
{
    auto& p = g_hosts[nTasks];
    if (!p)
        p.reset(new GanttHost(nTasks));
    return *p;
}

void BM_Layout(benchmark::State& state)
{
    GanttHost& host = Host(static_cast<int>(state.range(0)));
    CScreenTimes times;
    for (auto _ : state) {
        times.Start();
        host.view->BuildChart();
        times.Stop(state);
    }
    times.Report(state, "chart-layout", static_cast<double>(state.range(0)));
    state.counters["shapes"] = static_cast<double>(host.view->m_wndChart.GetShapeList().GetCount());
}
BENCHMARK(BM_Layout)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseManualTime();

// An edit of one task's dates after the schedule settled it: a leaf in the middle moved a day
// later and back by turns, the chart brought up to date for it (its bar, the arrow ending on
// it and the one leaving it made again in the kept layout) and painted; counts UpdateTasks
// and the chart's paint, and UpdateTasks alone.
void BM_ChartUpdate(benchmark::State& state)
{
    GanttHost& host = Host(static_cast<int>(state.range(0)));
    host.view->BuildChart();
    CTaskItem* pLeaf = NULL;
    const int nRow = host.nTasks / 2 + 5;
    CTaskItem* pSummary = host.doc->m_listTasks.GetAt(host.doc->m_listTasks.FindIndex(nRow / 10));
    for (POSITION pos = pSummary->m_listChildren.GetHeadPosition(); pos != NULL;) {
        CTaskItem* pTask = pSummary->m_listChildren.GetNext(pos);
        if (pTask->m_nRowInGrid == nRow)
            pLeaf = pTask;
    }
    if (pLeaf == NULL) {
        state.SkipWithError("no leaf at the row");
        return;
    }
    CGunterBar& chart = host.view->m_wndChart;
    chart.SetTopRow(nRow - 10);
    int nStep = 1;
    int nLaidOut = 0;
    CScreenTimes times;
    std::vector<double> shapeTimes;
    for (auto _ : state) {
        pLeaf->m_dtStart += COleDateTimeSpan(nStep, 0, 0, 0);
        pLeaf->m_dtFinish += COleDateTimeSpan(nStep, 0, 0, 0);
        nStep = -nStep;
        times.Start();
        const auto t0 = std::chrono::steady_clock::now();
        if (!host.view->UpdateTasks({pLeaf}))
            nLaidOut++;
        shapeTimes.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        chart.Invalidate(FALSE);
        chart.UpdateWindow();
        times.Stop(state);
    }
    if (nLaidOut > 0)
        state.SkipWithError("the update laid the chart out");
    times.Report(state, "chart-update", static_cast<double>(state.range(0)));
    std::sort(shapeTimes.begin(), shapeTimes.end());
    if (!shapeTimes.empty())
        state.counters["measure:1:chart-update-shapes"] = shapeTimes[shapeTimes.size() / 2];
}
BENCHMARK(BM_ChartUpdate)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseManualTime();

// The check the task grid makes on each of its paints: the chart told its collapsed rows and
// top row again, nothing changed, so no layout follows (what a repaint pays to tell: the task
// records' revision and the chart settings compared).
void BM_LayoutCheck(benchmark::State& state)
{
    GanttHost& host = Host(static_cast<int>(state.range(0)));
    CUIntArray rows;
    host.view->SetCollapsedRows(rows, 0);
    CScreenTimes times;
    for (auto _ : state) {
        times.Start();
        host.view->SetCollapsedRows(rows, 0);
        times.Stop(state);
    }
    times.Report(state, "chart-layout-check", static_cast<double>(state.range(0)));
}
BENCHMARK(BM_LayoutCheck)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseManualTime();

// Arguments: tasks, zoom level, position (0 top, 1 middle, 2 end).
void BM_Repaint(benchmark::State& state)
{
    GanttHost& host = Host(static_cast<int>(state.range(0)));
    CGunterBar& chart = host.view->m_wndChart;
    const int nLevel = static_cast<int>(state.range(1));
    if (chart.GetTimeScale() != nLevel)
        chart.SetTimeScale(nLevel);
    const int nVisibleRows = (kChartHeight - 37) / 20;
    int nTopRow = 0;
    if (state.range(2) == 1)
        nTopRow = host.nTasks / 2;
    else if (state.range(2) == 2)
        nTopRow = host.nTasks - nVisibleRows;
    chart.SetTopRow(nTopRow);
    // Scroll sideways to the dates of the top row, as following the tree would.
    chart.m_ptScrollPending.x = (nTopRow / 4 - chart.GetHScrollDays()) / chart.GetHScrollUnitDays();
    chart.ApplyHScroll();

    for (auto _ : state) {
        chart.Invalidate(FALSE);
        chart.UpdateWindow();
    }
    std::vector<CTaskBase*> shapes;
    chart.GetShapesInBand(nTopRow * 20, nTopRow * 20 + kChartHeight, shapes);
    state.counters["shapes_drawn"] = static_cast<double>(shapes.size());
    CRect rc;
    chart.GetClientRect(&rc);
    state.counters["client_w"] = rc.Width();
    state.counters["client_h"] = rc.Height();
}
BENCHMARK(BM_Repaint)
    ->ArgsProduct({{1000, 50000}, {1, 2, 3, 4}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    g_hosts.clear();
    benchmark::Shutdown();
    return 0;
}
