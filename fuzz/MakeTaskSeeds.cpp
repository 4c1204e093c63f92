// Writes the seeds of the SQL-row reader with the task storage's own writer: fuzz-seeds-tasks
// FOLDER fills FOLDER/SqlRows/ with task database files (the schema the storage makes, the
// rows its new-task writer stores, and a tree of children and sub-projects).
#include "SeedFiles.h"

#include <DataAccess/DataAccess.h>
#include <Tavrin/Task.h>

#include "TaskStorage.h"

#include <cstdio>
#include <functional>

namespace {

bool Exec(const CSession& session, LPCTSTR pszSql, const std::vector<CDbParam>& params = {})
{
    CCommand cmd;
    return SUCCEEDED(cmd.Open(session, pszSql, params));
}

CNewTaskInput Input(LPCTSTR pszName)
{
    CNewTaskInput in;
    in.strName = pszName;
    in.strDescription = _T("说明 'a' \"b\"");
    in.dtStart = COleDateTime(2026, 3, 5, 0, 0, 0);
    in.dtDeadline = COleDateTime(2026, 11, 20, 0, 0, 0);
    in.strDuration = _T("3个工作日");
    in.bEstimate = 1;
    return in;
}

// A database made by the storage, filled by fill, closed and taken as a seed.
void Seed(const std::string& dir, const char* name, const std::function<void(CSession&)>& fill)
{
    const std::string path = dir + "/" + name;
    {
        CSession session;
        if (FAILED(session.OpenSqlite(path.c_str()))) {
            std::fprintf(stderr, "cannot make %s\n", path.c_str());
            return;
        }
        fill(session);
    }
    seeds::Put("SqlRows", name, seeds::ReadFile(path));
}

void Written(CSession& session)
{
    Exec(session, _T("INSERT INTO TLM_RESOURCES(RES_NAME, RES_TYPE) VALUES(?, ?)"), {_T("张三"), 1});
    Exec(session, _T("INSERT INTO TLM_RESOURCES(RES_NAME, RES_TYPE) VALUES(?, ?)"), {_T("李四"), 2});
    CStringArray resNames, taskNames, linkTypes;
    CUIntArray resIds, taskIds;
    resNames.Add(_T("张三"));
    resIds.Add(1);
    resNames.Add(_T("李四"));
    resIds.Add(2);
    linkTypes.Add(_T("FS(完成--开始)"));
    linkTypes.Add(_T("FF(完成--完成)"));
    CTask task(1, session, 9);
    CNewTaskInput first = Input(_T("设计"));
    first.strResource = _T("张三, 李四");
    CDocFields doc(1);
    doc.m_strDocName = _T("图纸.dwg");
    doc.m_strDocLocation = _T("/docs/1");
    first.refDocs.push_back(doc);
    const int nFirst = WriteNewTask(task, first, resNames, resIds, taskNames, taskIds, linkTypes);
    taskNames.Add(_T("设计"));
    taskIds.Add((UINT)nFirst);
    CNewTaskInput second = Input(_T("编码"));
    second.predRows.push_back({_T("设计"), _T("FS(完成--开始)"), _T("0"), _T("1")});
    second.targetDocs.push_back(doc);
    WriteNewTask(task, second, resNames, resIds, taskNames, taskIds, linkTypes);
}

// Project 1: A with children A1 (with A11) and A2; S, a sub-project task naming project 2
// (two tasks); a parent cycle in project 3 and a sub-project naming its own project 4.
void Tree(CSession& session)
{
    CStringArray none;
    CUIntArray noIds;
    CTask task(1, session, 0);
    auto add = [&](int nProj, LPCTSTR pszName) {
        task.m_nProjectID = nProj;
        return WriteNewTask(task, Input(pszName), none, noIds, none, noIds, none);
    };
    auto set = [&](int nId, int nParent, int bSub, int nSubProj) {
        Exec(session, _T("UPDATE TLM_TASKS SET TASK_PARENT_ID = ?, TASK_IS_SUBPROJ = ?, TASK_SUBPROJ_ID = ? ")
                      _T("WHERE TASK_ID = ?"),
             {nParent, bSub, nSubProj, nId});
    };
    const int a = add(1, _T("A"));
    const int a1 = add(1, _T("A1"));
    const int a11 = add(1, _T("A11"));
    const int a2 = add(1, _T("A2"));
    const int s = add(1, _T("S"));
    add(2, _T("子一"));
    add(2, _T("子二"));
    set(a1, a, 0, 0);
    set(a11, a1, 0, 0);
    set(a2, a, 0, 0);
    set(s, 0, 1, 2);
    const int c1 = add(3, _T("C1"));
    const int c2 = add(3, _T("C2"));
    set(c2, c1, 0, 0);
    set(c1, c2, 0, 0);
    const int self = add(4, _T("自身"));
    set(self, 0, 1, 4);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("PC_REGISTRY_FILE", ":memory:", 0);
    seeds::SetRoot(argv[1]);
    const std::string dir = seeds::TempFolder();
    if (dir.empty())
        return 1;
    Seed(dir, "schema.db", [](CSession&) {});
    Seed(dir, "written.db", Written);
    Seed(dir, "tree.db", Tree);
    seeds::RemoveFolder(dir);
    return 0;
}
