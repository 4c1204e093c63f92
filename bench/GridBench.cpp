// Grid control: filling a grid of 100,000 rows by 7 columns, and one full repaint of a
// 1280x800 client at the top, in the middle and at the end of such a grid. A repaint must
// cost about the same wherever the grid is scrolled to. A row inserted into the middle of a
// task grid of 10,000 and 50,000 rows and deleted again: the rows below are renumbered. Loading a grid text of up to
// 10,000 columns into a grid with a window, linear in the columns.
#include "GridCtrl.h"

#include "ScreenBench.h"

#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <memory>
#include <string>

namespace
{
const int kRows = 100000;
const int kCols = 7;
const int kClientWidth = 1280;
const int kClientHeight = 800;

void FillGrid(CGridCtrl& grid)
{
    grid.SetColumnCount(kCols);
    grid.SetRowCount(kRows + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    static const char* const kHeadings[kCols] = {"", "类型", "任务名称", "工期", "开始时间", "完成时间", "前置任务"};
    for (int col = 0; col < kCols; col++)
        grid.SetItemText(0, col, kHeadings[col]);
    CString s;
    for (int row = 1; row <= kRows; row++)
    {
        s.Format(_T("%d"), row);
        grid.SetItemText(row, 0, s);
        s.Format(_T("任务 %d"), row);
        grid.SetItemText(row, 2, s);
        grid.SetItemText(row, 3, _T("5个工作日"));
        grid.SetItemText(row, 4, _T("2004年3月5日"));
        grid.SetItemText(row, 5, _T("2004年3月11日"));
        s.Format(_T("%d"), row > 1 ? row - 1 : 0);
        grid.SetItemText(row, 6, s);
    }
}

void BM_Fill(benchmark::State& state)
{
    size_t nBytes = 0;
    for (auto _ : state)
    {
        size_t before = mallinfo2().uordblks;
        auto grid = std::make_unique<CGridCtrl>(0, 0, 0, 0);
        FillGrid(*grid);
        nBytes = mallinfo2().uordblks - before;
        benchmark::DoNotOptimize(grid->GetCell(kRows, kCols - 1));
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_cell"] = (double)nBytes / ((double)(kRows + 1) * kCols);
    state.counters["sizeof_CGridCell"] = (double)sizeof(CGridCell);
}
BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond)->Iterations(3);

// The grid's own share of a task row's insert and delete, without a window.
void BM_InsertDeleteMiddleRow(benchmark::State& state)
{
    const int nRows = (int)state.range(0);
    CGridCtrl grid(0, 0, 0, 0);
    grid.SetTaskGrid();
    grid.SetColumnCount(kCols);
    grid.SetRowCount(nRows + 1);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    const int nMiddle = nRows / 2;
    for (auto _ : state)
    {
        grid.InsertRow(_T(""), nMiddle);
        grid.DeleteRow(nMiddle);
    }
    if (grid.GetRowCount() != nRows + 1 || grid.GetItemText(nRows, 0) != CString(std::to_string(nRows).c_str()))
        state.SkipWithError("the rows were not numbered again");
}
BENCHMARK(BM_InsertDeleteMiddleRow)->Arg(10000)->Arg(50000)->Unit(benchmark::kMicrosecond);

// A top-level window holding a grid whose client area is 1280x800.
struct GridHost
{
    CWnd frame;
    CGridCtrl grid;

    GridHost()
    {
        CString strClass = AfxRegisterWndClass(0);
        frame.CreateEx(0, strClass, _T("bench"), WS_POPUP, CRect(0, 0, kClientWidth + 100, kClientHeight + 100),
                       NULL, 0);
        grid.Create(CRect(0, 0, kClientWidth, kClientHeight), &frame, 1, WS_CHILD | WS_VISIBLE);
        FillGrid(grid);
        grid.SetColumnWidth(2, 300);
        grid.SetColumnWidth(4, 200);
        grid.SetColumnWidth(5, 200);
        // Make the client area, less the scroll bars, exactly the size wanted.
        for (int i = 0; i < 3; i++)
        {
            CRect rcClient, rcWindow;
            grid.GetClientRect(rcClient);
            grid.GetWindowRect(rcWindow);
            int dx = kClientWidth - rcClient.Width();
            int dy = kClientHeight - rcClient.Height();
            if (dx == 0 && dy == 0)
                break;
            grid.MoveWindow(0, 0, rcWindow.Width() + dx, rcWindow.Height() + dy);
        }
        frame.ShowWindow(SW_SHOW);
    }
};

GridHost& Host()
{
    static GridHost host;
    return host;
}

void Repaint(benchmark::State& state, UINT nScrollCode, int nPos)
{
    GridHost& host = Host();
    CGridCtrl& grid = host.grid;
    grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    if (nScrollCode == SB_THUMBPOSITION)
        grid.SetScrollPos32(SB_VERT, nPos);
    else if (nScrollCode == SB_BOTTOM)
        grid.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);

    for (auto _ : state)
    {
        grid.Invalidate();
        grid.UpdateWindow();
    }
    CRect rc;
    grid.GetClientRect(rc);
    CGridCellRange range = grid.GetVisibleNonFixedCellRange();
    state.counters["top_row"] = range.GetMinRow();
    state.counters["rows_drawn"] = range.GetMaxRow() - range.GetMinRow() + 1;
    state.counters["client_w"] = rc.Width();
    state.counters["client_h"] = rc.Height();
}

void BM_RepaintTop(benchmark::State& state)
{
    Repaint(state, SB_TOP, 0);
}
void BM_RepaintMiddle(benchmark::State& state)
{
    Repaint(state, SB_THUMBPOSITION, (kRows / 2) * 20);
}
void BM_RepaintEnd(benchmark::State& state)
{
    Repaint(state, SB_BOTTOM, 0);
}
// Load of a grid text whose heading line has state.range(0) fields, into the grid with a
// window: the columns are sized and the scroll bars reset once, so the time grows with
// the number of columns, not with its square.
void BM_LoadWideText(benchmark::State& state)
{
    const int nCols = (int)state.range(0);
    char path[] = "/tmp/gridbench-wide-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
    {
        state.SkipWithError("no temporary file");
        return;
    }
    std::string text;
    for (int col = 0; col < nCols; col++)
        text += col ? ",c" + std::to_string(col) : "c0";
    text += "\n1";
    for (int col = 1; col < nCols; col++)
        text += ",x";
    text += "\n";
    if (write(fd, text.data(), text.size()) != (ssize_t)text.size())
        state.SkipWithError("cannot write the grid text");
    close(fd);
    CWnd frame;
    CGridCtrl grid;
    frame.CreateEx(0, AfxRegisterWndClass(0), _T("load"), WS_POPUP, CRect(0, 0, 900, 700), NULL, 0);
    grid.Create(CRect(0, 0, 800, 600), &frame, 1, WS_CHILD | WS_VISIBLE);
    frame.ShowWindow(SW_SHOW);
    for (auto _ : state)
    {
        if (!grid.Load(path))
            state.SkipWithError("load failed");
    }
    state.counters["columns"] = grid.GetColumnCount();
    state.SetComplexityN(nCols);
    unlink(path);
    grid.DestroyWindow();
    frame.DestroyWindow();
}
BENCHMARK(BM_LoadWideText)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

BENCHMARK(BM_RepaintTop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintMiddle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintEnd)->Unit(benchmark::kMicrosecond);
} // namespace

// The benchmark draws into offscreen windows unless a platform is chosen.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
