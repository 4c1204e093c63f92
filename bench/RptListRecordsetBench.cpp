// Speed of the report list bound to a record set on SQLite: opening the record set and
// filling one row per record, reading every cell of a lookup column (each a search in the
// lookup record set), and a header-click sort (sort string and requery), for 1,000 and
// 10,000 records against 1,000 lookup records. Each must grow linearly with the records.
#include "ScreenBench.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Testing/TempFolder.h>
#include <ClassLib/Wnd/UiApp.h>
#include <DataAccess/DaoRecordset.h>

#include <map>
#include <memory>
#include <string>

#include "SuperListCtrl/RptListCtrl.h"

namespace {

const int kDepartments = 1000;

// The owner routes display texts to the list, as a bound list's owner does.
class CBenchHost : public CWnd
{
public:
    CRptListCtrl* list = nullptr;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (list != nullptr && pHdr->code == LVN_GETDISPINFO) {
            list->OnGetDispInfoRecordset(pHdr, pResult);
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

// One database file per record count, made once.
struct Database
{
    CTestFolder folder{"rptrsbench"};
    CSession session;

    explicit Database(int nRecords)
    {
        session.OpenSqlite((folder.Path() + "/bench.db").c_str());
        Run("CREATE TABLE dbo.DEPTS(DEPT_ID INTEGER PRIMARY KEY, DEPT_NAME VARCHAR(40))");
        Run("CREATE TABLE dbo.PEOPLE(PERSON_ID INTEGER PRIMARY KEY, NAME VARCHAR(60), AGE SMALLINT,"
            " JOINED DATE, RATE DOUBLE, DEPT_ID INTEGER)");
        session.StartTransaction();
        CString name;
        for (int d = 0; d < kDepartments; ++d) {
            name.Format("Department %d", d);
            CCommand cmd;
            cmd.Open(session, "INSERT INTO dbo.DEPTS VALUES(?, ?)", {d, name});
        }
        for (int r = 0; r < nRecords; ++r) {
            unsigned key = static_cast<unsigned>(r) * 2654435761u;
            name.Format("Person %08X", key);
            CCommand cmd;
            cmd.Open(session, "INSERT INTO dbo.PEOPLE VALUES(?, ?, ?, ?, ?, ?)",
                     {r, name, static_cast<int>(key % 80), "2026-12-07", (key % 1000) / 10.0,
                      static_cast<int>(key % kDepartments)});
        }
        session.Commit();
    }
    void Run(const char* sql)
    {
        CCommand cmd;
        cmd.Open(session, sql);
    }
};

Database& DatabaseOf(int nRecords)
{
    static std::map<int, std::unique_ptr<Database>> s_databases;
    auto& p = s_databases[nRecords];
    if (!p)
        p = std::make_unique<Database>(nRecords);
    return *p;
}

struct BoundList
{
    CBenchHost host;
    CRptListCtrl list;
    CDaoRecordset people;
    CDaoRecordset depts;

    explicit BoundList(Database& db) : people(db.session), depts(db.session)
    {
        AfxEnsureApplication();
        host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 900, 600), nullptr, 0);
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, CRect(0, 0, 900, 600),
                    &host, 7);
        host.list = &list;
        depts.Open("DEPTS", "DEPT_ID");
    }
    ~BoundList()
    {
        list.DestroyWindow();
        host.DestroyWindow();
    }
    void Bind()
    {
        people.Open("PEOPLE", "PERSON_ID");
        list.SetRecordset(&people);
        list.BuildColumnsFromRecordset();
        list.FillFromRecordset();
        list.SetColumnLookup("DEPT_ID", &depts, "DEPT_ID", "DEPT_NAME");
    }
};

void BM_OpenAndFill(benchmark::State& state)
{
    Database& db = DatabaseOf(static_cast<int>(state.range(0)));
    BoundList b(db);
    for (auto _ : state) {
        b.Bind();
        benchmark::DoNotOptimize(b.list.GetItemCount());
    }
    state.SetComplexityN(state.range(0));
}

void BM_AllLookupTexts(benchmark::State& state)
{
    Database& db = DatabaseOf(static_cast<int>(state.range(0)));
    BoundList b(db);
    b.Bind();
    const int nColumn = b.list.GetColumnCount() - 1;
    for (auto _ : state) {
        size_t n = 0;
        for (int i = 0; i < b.list.GetItemCount(); ++i)
            n += static_cast<size_t>(b.list.GetCellText(i, nColumn).GetLength());
        benchmark::DoNotOptimize(n);
    }
    state.SetComplexityN(state.range(0));
}

void BM_SortByRequery(benchmark::State& state)
{
    Database& db = DatabaseOf(static_cast<int>(state.range(0)));
    BoundList b(db);
    b.Bind();
    for (auto _ : state)
        b.list.SortByColumn(2);  // NAME, one direction then the other
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_OpenAndFill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_AllLookupTexts)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_SortByRequery)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK_MAIN();
