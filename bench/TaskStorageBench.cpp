// Listing a project from the embedded task database: 10,000 tasks, 9,000 of the project
// (900 top-level tasks with 9 children each), one top-level task a sub-project of 1,000 more.
#include <Tavrin/Task.h>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <string>

namespace
{
bool Exec(CSession& session, LPCTSTR pszSql, const std::vector<CDbParam>& params)
{
    CCommand cmd;
    return SUCCEEDED(cmd.Open(session, pszSql, params));
}

void GetAllTaskOf10000Tasks(benchmark::State& state)
{
    char dir[] = "/tmp/taskbench-XXXXXX";
    if (!mkdtemp(dir))
        return state.SkipWithError("no temporary folder");
    std::string path = std::string(dir) + "/tasks.db";
    CSession session;
    if (FAILED(session.OpenSqlite(path.c_str())))
        return state.SkipWithError("cannot open the database");
    const LPCTSTR kInsert = _T("INSERT INTO TLM_TASKS(PROJ_ID, TASK_ID, TASK_NAME, TASK_PARENT_ID, TASK_IS_SUBPROJ, ")
                            _T("TASK_SUBPROJ_ID) VALUES(?, ?, ?, ?, ?, ?)");
    session.StartTransaction();
    int nId = 1;
    for (int top = 0; top < 900; ++top)
    {
        int nParent = nId;
        bool bSub = top == 450;
        Exec(session, kInsert, {1, nId++, CString(_T("顶层任务")) + std::to_string(top).c_str(), 0, bSub ? 1 : 0, 2});
        for (int child = 0; child < 9; ++child)
            Exec(session, kInsert, {1, nId++, CString(_T("子任务")), nParent, 0, 0});
    }
    for (int top = 0; top < 100; ++top)
    {
        int nParent = nId;
        Exec(session, kInsert, {2, nId++, CString(_T("分项目任务")), 0, 0, 0});
        for (int child = 0; child < 9; ++child)
            Exec(session, kInsert, {2, nId++, CString(_T("分项目子任务")), nParent, 0, 0});
    }
    if (FAILED(session.Commit()))
        return state.SkipWithError("cannot fill the database");

    CTask task(1, session, 0);
    size_t nCount = 0;
    for (auto _ : state)
    {
        CStringArray arNames;
        CUIntArray arIds;
        // As the new-task sheet lists them: every task of the project, each followed by its
        // children (or its sub-project's tasks).
        task.GetAllTask(arNames, arIds, 1, 0);
        nCount = arNames.GetSize();
        benchmark::DoNotOptimize(arIds.GetData());
    }
    state.counters["tasks"] = (double)nCount;
    unlink(path.c_str());
    rmdir(dir);
}
BENCHMARK(GetAllTaskOf10000Tasks)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
