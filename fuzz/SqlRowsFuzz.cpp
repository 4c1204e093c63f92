// The task storage's reading of SQL rows: the input is the task database file (SQLite), and
// the listing of tasks depth first (children by parent, sub-projects by project) runs over
// its rows as the new-task sheet's predecessor list does.
#include "FuzzEntry.h"

#include <DataAccess/DataAccess.h>
#include <Tavrin/Task.h>

#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::EnsureHeadless();
    const char* written = fuzz::WriteInputFile(data, size, ".tasks.db");
    if (!written)
        return 0;
    const std::string path = written;
    {
        CSession session;
        if (SUCCEEDED(session.OpenSqlite(path.c_str()))) {
            // The projects the rows name (a few), each listed as the sheet lists it, then the
            // top-level tasks by parent.
            CUIntArray projects;
            {
                CCommand cmd;
                if (SUCCEEDED(cmd.Open(session, _T("SELECT DISTINCT PROJ_ID FROM TLM_TASKS LIMIT 4"))))
                    while (cmd.MoveNext() == S_OK)
                        projects.Add((UINT)cmd.GetLong(1));
            }
            for (int i = 0; i < projects.GetSize(); i++) {
                CTask task((int)projects[i], session, 0);
                CStringArray arNames;
                CUIntArray arIds;
                task.GetAllTask(arNames, arIds, (int)projects[i], 0);
            }
            CTask task(0, session, 0);
            CStringArray arNames;
            CUIntArray arIds;
            task.GetAllTask(arNames, arIds, 0, 1);
        }
    }
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::remove((path + suffix).c_str());
    return 0;
}
