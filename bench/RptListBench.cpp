// Speed of the report list: filling 10,000 rows of 7 columns, sorting them by a text
// column, and one full repaint scrolled to the top and to the end, for 1,000 and 10,000
// rows (a repaint must not depend on the row count).
#include "ScreenBench.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Wnd/UiApp.h>

#include <map>
#include <memory>

#include "SuperListCtrl/RptListCtrl.h"

namespace {

const int kColumns = 7;

struct ListHost
{
    CWnd host;
    CRptListCtrl list;

    ListHost()
    {
        AfxEnsureApplication();
        host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 700), nullptr, 0);
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, CRect(0, 0, 1000, 700),
                    &host, 7);
        const char* names[kColumns] = {"成员", "描述", "打开", "发布", "删除", "进度", "论坛"};
        for (int c = 0; c < kColumns; ++c)
            list.InsertRptColumn(c, names[c], LVCFMT_LEFT, 130, c, RPTCOL_SORTABLE);
    }
    ~ListHost()
    {
        list.DestroyWindow();
        host.DestroyWindow();
    }
    void Fill(int nRows)
    {
        CString s;
        for (int r = 0; r < nRows; ++r)
        {
            // Names in a scrambled order, so the sort has work to do.
            unsigned key = static_cast<unsigned>(r) * 2654435761u;
            s.Format("成员 %08X", key);
            int n = list.InsertItem(LVIF_TEXT | LVIF_PARAM, r, s, 0, 0, 0, static_cast<LPARAM>(r));
            for (int c = 1; c < kColumns; ++c)
            {
                s.Format("%u-%d", key % 9973u, c);
                list.SetItemText(n, c, s);
            }
        }
    }
};

void BM_Fill(benchmark::State& state)
{
    ListHost h;
    for (auto _ : state)
    {
        state.PauseTiming();
        h.list.DeleteAllItems();
        state.ResumeTiming();
        h.Fill(static_cast<int>(state.range(0)));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Fill)->Arg(10000)->Unit(benchmark::kMillisecond);

// Rows whose texts the owner supplies on demand (as the permission page fills its list).
void BM_FillOnDemand(benchmark::State& state)
{
    ListHost h;
    for (auto _ : state)
    {
        state.PauseTiming();
        h.list.DeleteAllItems();
        state.ResumeTiming();
        for (int r = 0; r < state.range(0); ++r)
            h.list.InsertItemEx(r, static_cast<DWORD_PTR>(r));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FillOnDemand)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SortByText(benchmark::State& state)
{
    ListHost h;
    h.Fill(static_cast<int>(state.range(0)));
    for (auto _ : state)
        h.list.SortByColumn(0);  // each run reverses the order
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SortByText)->Arg(10000)->Unit(benchmark::kMillisecond);

std::map<int, std::unique_ptr<ListHost>> g_hosts;

ListHost& HostWith(int nRows)
{
    auto& p = g_hosts[nRows];
    if (!p)
    {
        p = std::make_unique<ListHost>();
        p->Fill(nRows);
    }
    return *p;
}

// range(0): rows; range(1): 0 top, 1 end.
void BM_Repaint(benchmark::State& state)
{
    ListHost& h = HostWith(static_cast<int>(state.range(0)));
    int nTarget = state.range(1) ? h.list.GetItemCount() - 1 : 0;
    h.list.EnsureVisible(nTarget, FALSE);
    h.list.SetItemState(nTarget, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    h.list.UpdateWindow();
    for (auto _ : state)
    {
        h.list.Invalidate(FALSE);
        h.list.UpdateWindow();
    }
}
BENCHMARK(BM_Repaint)->Args({1000, 0})->Args({1000, 1})->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMicrosecond);

}  // namespace

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
