// Creating tasks in the task tables and listing them, on the embedded database and through
// ODBC on a PostgreSQL server the test starts: result codes, rows written, rows left alone
// on failure, the listing order, cycles, texts, concurrent sessions and the error report.
#include "TaskPropertyDlg.h"
#include "TaskResource.h"
#include "TaskStorage.h"

#include <ClassLib/Testing.h>
#include <Tavrin/Task.h>

#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace
{
class TaskStorageTest : public CWndTestBase, public ::testing::WithParamInterface<std::string>
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        std::string strError;
        ASSERT_TRUE(OpenTestDatabase(GetParam(), session, strError)) << strError;
        linkTypes.Add(_T("FS(完成--开始)"));
        linkTypes.Add(_T("FF(完成--完成)"));
        linkTypes.Add(_T("SF(开始--完成)"));
        linkTypes.Add(_T("SS(开始--开始)"));
    }

    CNewTaskInput Input(const CString& strName)
    {
        CNewTaskInput in;
        in.strName = strName;
        in.strDescription = _T("说明");
        in.dtStart = COleDateTime(2026, 3, 5, 0, 0, 0);
        in.dtDeadline = COleDateTime(2026, 11, 20, 0, 0, 0);
        in.strDuration = _T("3个工作日");
        in.bEstimate = 1;
        return in;
    }

    int Write(const CNewTaskInput& in)
    {
        CTask task(4, session, 9);
        return WriteNewTask(task, in, resNames, resIds, taskNames, taskIds, linkTypes);
    }

    void AddResource(LPCTSTR pszName, int nType = 1)
    {
        ASSERT_TRUE(Exec(session, _T("INSERT INTO TLM_RESOURCES(RES_NAME, RES_TYPE) VALUES(?, ?)"), {pszName, nType}));
    }

    void AddTask(int nProj, LPCTSTR pszName, int nParent, int bSub, int nSubProj)
    {
        ASSERT_TRUE(Exec(session,
                         _T("INSERT INTO TLM_TASKS(PROJ_ID, TASK_NAME, TASK_PARENT_ID, TASK_IS_SUBPROJ, ")
                         _T("TASK_SUBPROJ_ID) VALUES(?, ?, ?, ?, ?)"),
                         {nProj, pszName, nParent, bSub, nSubProj}));
    }

    long long Count(LPCTSTR pszTable)
    {
        return QueryNumber(session, CString(_T("SELECT COUNT(*) FROM ")) + pszTable);
    }

    void ExpectNothingStored()
    {
        EXPECT_EQ(0, Count(_T("TLM_TASKS")));
        EXPECT_EQ(0, Count(_T("TLM_ASSIGNMENTS")));
        EXPECT_EQ(0, Count(_T("TLM_LINKS")));
        EXPECT_EQ(0, Count(_T("TLM_DOCUMENTS")));
    }

    CSession session;
    CStringArray resNames, taskNames, linkTypes;
    CUIntArray resIds, taskIds;
};

TEST_P(TaskStorageTest, EmptyTableGivesRowOneAndTheNewId)
{
    int nId = Write(Input(_T("设计")));
    ASSERT_GT(nId, 0);
    CCommand cmd;
    ASSERT_EQ(S_OK, cmd.Open(session,
                             _T("SELECT TASK_ROWINGRID, TASK_DURATION, TASK_DUR_IS_EST, PROJ_ID, TASK_ASSIGNER_ID, ")
                             _T("TASK_NAME, TASK_DESC, TASK_PARENT_ID FROM TLM_TASKS WHERE TASK_ID = ?"),
                             {nId}));
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_EQ(1, cmd.GetLong(1));
    EXPECT_EQ(72, cmd.GetLong(2));  // working days x 24
    EXPECT_EQ(1, cmd.GetLong(3));
    EXPECT_EQ(4, cmd.GetLong(4));
    EXPECT_EQ(9, cmd.GetLong(5));
    EXPECT_EQ(CString(_T("设计")), cmd.GetText(6));
    EXPECT_EQ(CString(_T("说明")), cmd.GetText(7));
    EXPECT_EQ(0, cmd.GetLong(8));
    // The next task takes the next row.
    int nSecond = Write(Input(_T("编码")));
    ASSERT_GT(nSecond, nId);
    EXPECT_EQ(2, QueryNumber(session, _T("SELECT TASK_ROWINGRID FROM TLM_TASKS WHERE TASK_ID = ?"), {nSecond}));
}

TEST_P(TaskStorageTest, TwoNamesAssignBothAndTrailingCommaAddsNothing)
{
    resNames.Add(_T("张三"));
    resIds.Add(11);
    resNames.Add(_T("李四"));
    resIds.Add(12);
    CNewTaskInput in = Input(_T("任务"));
    in.strResource = _T("张三, 李四");
    int nId = Write(in);
    ASSERT_GT(nId, 0);
    EXPECT_EQ(2, QueryNumber(session, _T("SELECT COUNT(*) FROM TLM_ASSIGNMENTS WHERE TASK_ID = ?"), {nId}));
    EXPECT_EQ(1, QueryNumber(session, _T("SELECT COUNT(*) FROM TLM_ASSIGNMENTS WHERE TASK_ID = ? AND RES_ID = 12"),
                             {nId}));

    in.strResource = _T("李四,");
    int nOther = Write(in);
    ASSERT_GT(nOther, 0);
    EXPECT_EQ(1, QueryNumber(session, _T("SELECT COUNT(*) FROM TLM_ASSIGNMENTS WHERE TASK_ID = ?"), {nOther}));

    in.strResource.Empty();
    int nNone = Write(in);
    ASSERT_GT(nNone, 0);
    EXPECT_EQ(0, QueryNumber(session, _T("SELECT COUNT(*) FROM TLM_ASSIGNMENTS WHERE TASK_ID = ?"), {nNone}));
}

TEST_P(TaskStorageTest, UnknownResourceAbortsAndLeavesEveryTable)
{
    resNames.Add(_T("张三"));
    resIds.Add(11);
    CNewTaskInput in = Input(_T("任务"));
    in.strResource = _T("张三, 王五");
    in.predRows.push_back({_T(""), _T(""), _T(""), _T("")});
    EXPECT_EQ(-4, Write(in));
    ExpectNothingStored();
}

TEST_P(TaskStorageTest, LinksSkipEmptyNamesAndCheckTypeAndName)
{
    taskNames.Add(_T("前置"));
    taskIds.Add(77);
    CNewTaskInput in = Input(_T("后续"));
    in.predRows.push_back({_T(""), _T("FS(完成--开始)"), _T("3"), _T("1")});  // skipped
    in.predRows.push_back({_T("前置"), _T("SF(开始--完成)"), _T("5"), _T("2关系")});
    int nId = Write(in);
    ASSERT_GT(nId, 0);
    CCommand cmd;
    ASSERT_EQ(S_OK, cmd.Open(session, _T("SELECT LINK_PRED_ID, LINK_SUCC_ID, LINK_TYPE, LINK_LOGICAL_TYPE, ")
                                      _T("LINK_SEQUENCE FROM TLM_LINKS")));
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_EQ(77, cmd.GetLong(1));
    EXPECT_EQ(nId, cmd.GetLong(2));
    EXPECT_EQ(3, cmd.GetLong(3));
    EXPECT_EQ(2, cmd.GetLong(4));
    EXPECT_EQ(0, cmd.GetLong(5));
    EXPECT_EQ(DB_S_ENDOFROWSET, cmd.MoveNext());
    cmd.Close();

    ASSERT_TRUE(Exec(session, _T("DELETE FROM TLM_LINKS")));
    ASSERT_TRUE(Exec(session, _T("DELETE FROM TLM_TASKS")));
    CNewTaskInput badType = Input(_T("后续"));
    badType.predRows.push_back({_T("前置"), _T("XX"), _T(""), _T("")});
    EXPECT_EQ(-5, Write(badType));
    ExpectNothingStored();
    CNewTaskInput badName = Input(_T("后续"));
    badName.predRows.push_back({_T("无此任务"), _T("FS(完成--开始)"), _T(""), _T("")});
    EXPECT_EQ(-6, Write(badName));
    ExpectNothingStored();
}

TEST_P(TaskStorageTest, DocumentsCarryTheirType)
{
    CNewTaskInput in = Input(_T("文档"));
    CDocFields ref(2);
    ref.m_strDocName = _T("图纸's.dwg");
    ref.m_strDocLocation = _T("/srv/图纸");
    ref.m_nPdmClassID = 3;
    ref.m_nPdmObjectID = 4;
    in.refDocs.push_back(ref);
    CDocFields target(1);
    target.m_strDocName = _T("报告.doc");
    in.targetDocs.push_back(target);
    int nId = Write(in);
    ASSERT_GT(nId, 0);
    CCommand cmd;
    ASSERT_EQ(S_OK, cmd.Open(session, _T("SELECT DOC_NAME, DOC_SOURCE, DOC_TYPE, DOC_LOCATION, DOC_PDM_CLASSID, ")
                                      _T("DOC_PDM_OBJECTID, TASK_ID FROM TLM_DOCUMENTS ORDER BY DOC_TYPE")));
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_EQ(CString(_T("图纸's.dwg")), cmd.GetText(1));
    EXPECT_EQ(2, cmd.GetLong(2));
    EXPECT_EQ(1, cmd.GetLong(3));
    EXPECT_EQ(CString(_T("/srv/图纸")), cmd.GetText(4));
    EXPECT_EQ(3, cmd.GetLong(5));
    EXPECT_EQ(4, cmd.GetLong(6));
    EXPECT_EQ(nId, cmd.GetLong(7));
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_EQ(CString(_T("报告.doc")), cmd.GetText(1));
    EXPECT_EQ(2, cmd.GetLong(3));
}

TEST_P(TaskStorageTest, FailedCommitReturnsMinusTwoAndStoresNothing)
{
    // Assignments checked against the resources only at commit.
    ASSERT_TRUE(Exec(session, _T("DROP TABLE dbo.TLM_ASSIGNMENTS")));
    ASSERT_TRUE(Exec(session, _T("CREATE TABLE dbo.TLM_ASSIGNMENTS(TASK_ID INTEGER, RES_ID INTEGER ")
                              _T("REFERENCES TLM_RESOURCES(RES_ID) DEFERRABLE INITIALLY DEFERRED)")));
    if (GetParam() == "sqlite")
    {
        ASSERT_TRUE(Exec(session, _T("PRAGMA foreign_keys = ON")));
    }
    resNames.Add(_T("幽灵"));
    resIds.Add(999);  // not in TLM_RESOURCES
    CNewTaskInput in = Input(_T("任务"));
    in.strResource = _T("幽灵");
    EXPECT_EQ(-2, Write(in));
    ExpectNothingStored();
    // The session is usable afterwards.
    in.strResource.Empty();
    EXPECT_GT(Write(in), 0);
}

TEST_P(TaskStorageTest, QuoteChineseAndLongNamesRoundTrip)
{
    CString strLong;
    for (int i = 0; i < 30; ++i)
        strLong += _T("长");  // 60 bytes: beyond a 51-byte buffer, cut there mid-character
    const CString names[] = {CString(_T("O'Neil's 任务")), strLong};
    for (const CString& strName : names)
        ASSERT_GT(Write(Input(strName)), 0);
    CTask task(4, session, 0);
    CStringArray arNames;
    CUIntArray arIds;
    task.GetAllTask(arNames, arIds, 4, 0);
    ASSERT_EQ(2, arNames.GetSize());
    EXPECT_EQ(names[0], arNames[0]);
    EXPECT_EQ(names[1], arNames[1]);
}

TEST_P(TaskStorageTest, SubProjectListsRightAfterItsTask)
{
    AddTask(1, _T("甲"), 0, 1, 2);  // a sub-project: project 2
    AddTask(1, _T("乙"), 0, 0, 0);
    AddTask(2, _T("子一"), 0, 0, 0);
    AddTask(2, _T("子二"), 0, 0, 0);
    long long nSecond = QueryNumber(session, _T("SELECT TASK_ID FROM TLM_TASKS WHERE TASK_NAME = ?"), {_T("乙")});
    AddTask(3, _T("乙的子"), (int)nSecond, 0, 0);
    CTask task(1, session, 0);
    CStringArray arNames;
    CUIntArray arIds;
    task.GetAllTask(arNames, arIds, 1, 0);
    ASSERT_EQ(5, arNames.GetSize());
    EXPECT_EQ(CString(_T("甲")), arNames[0]);
    EXPECT_EQ(CString(_T("子一")), arNames[1]);
    EXPECT_EQ(CString(_T("子二")), arNames[2]);
    EXPECT_EQ(CString(_T("乙")), arNames[3]);
    EXPECT_EQ(CString(_T("乙的子")), arNames[4]);
    EXPECT_EQ((UINT)nSecond, arIds[3]);
}

TEST_P(TaskStorageTest, ParentAndSubProjectCyclesEnd)
{
    AddTask(5, _T("A"), 0, 0, 0);
    long long nA = QueryNumber(session, _T("SELECT MAX(TASK_ID) FROM TLM_TASKS"));
    AddTask(6, _T("B"), (int)nA, 0, 0);
    long long nB = QueryNumber(session, _T("SELECT MAX(TASK_ID) FROM TLM_TASKS"));
    ASSERT_TRUE(Exec(session, _T("UPDATE TLM_TASKS SET TASK_PARENT_ID = ? WHERE TASK_ID = ?"), {(int)nB, (int)nA}));
    AddTask(5, _T("自身"), 0, 1, 5);  // a sub-project that is its own project
    CTask task(5, session, 0);
    CStringArray arNames;
    CUIntArray arIds;
    task.GetAllTask(arNames, arIds, 5, 0);
    // A, its child B, B's child A (listed again, its children already listed), then the
    // sub-project task whose project is already being listed.
    ASSERT_EQ(4, arNames.GetSize());
    EXPECT_EQ(CString(_T("A")), arNames[0]);
    EXPECT_EQ(CString(_T("B")), arNames[1]);
    EXPECT_EQ(CString(_T("A")), arNames[2]);
    EXPECT_EQ(CString(_T("自身")), arNames[3]);
}

TEST_P(TaskStorageTest, TwoSessionsAtOnceGetTheirOwnIdsAndAssignments)
{
    CSession other;
    std::string strError;
    ASSERT_TRUE(OpenSecondSession(GetParam(), other, strError)) << strError;
    const int kEach = 10;
    std::vector<int> idsA, idsB;
    auto run = [&](CSession s, UINT nResId, LPCTSTR pszRes, std::vector<int>& out) {
        CStringArray rn;
        CUIntArray ri;
        rn.Add(pszRes);
        ri.Add(nResId);
        CStringArray tn, lt;
        CUIntArray ti;
        for (int i = 0; i < kEach; ++i)
        {
            CTask task(4, s, 0);
            CNewTaskInput in;
            in.strName = pszRes;
            in.strDuration = _T("1");
            in.strResource = pszRes;
            out.push_back(WriteNewTask(task, in, rn, ri, tn, ti, lt));
        }
    };
    std::thread a(run, session, 1u, _T("甲方"), std::ref(idsA));
    std::thread b(run, other, 2u, _T("乙方"), std::ref(idsB));
    a.join();
    b.join();
    std::set<int> all;
    for (int id : idsA)
    {
        ASSERT_GT(id, 0);
        all.insert(id);
        EXPECT_EQ(1, QueryNumber(session, _T("SELECT RES_ID FROM TLM_ASSIGNMENTS WHERE TASK_ID = ?"), {id}));
    }
    for (int id : idsB)
    {
        ASSERT_GT(id, 0);
        all.insert(id);
        EXPECT_EQ(2, QueryNumber(session, _T("SELECT RES_ID FROM TLM_ASSIGNMENTS WHERE TASK_ID = ?"), {id}));
    }
    EXPECT_EQ(2u * kEach, all.size());
    EXPECT_EQ(2 * kEach, Count(_T("TLM_ASSIGNMENTS")));
}

TEST_P(TaskStorageTest, NewTaskRunsTheSheetAndWrites)
{
    AddResource(_T("张三  "));
    AddTask(4, _T("已有"), 0, 0, 0);
    bool bShown = false;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CTaskPropertyDlg* pSheet = dynamic_cast<CTaskPropertyDlg*>(pWnd);
        ASSERT_NE(nullptr, pSheet);
        bShown = true;
        CString strTitle;
        pSheet->GetWindowText(strTitle);
        EXPECT_EQ(CString(_T("新建任务")), strTitle);
        // The predecessor page has the project's tasks.
        ASSERT_EQ(1, pSheet->m_pagePreTask.m_arTaskNames.GetSize());
        EXPECT_EQ(CString(_T("已有")), pSheet->m_pagePreTask.m_arTaskNames[0]);
        pSheet->m_pageNormal.GetDlgItem(IDC_TASK_NAME)->SetWindowText(_T("新任务'"));
        pSheet->m_pageNormal.GetDlgItem(IDC_TASK_DURATION)->SetWindowText(_T("2"));
        // Nothing is preset: the priority must be given.
        pSheet->m_pageNormal.GetDlgItem(IDC_TASK_PRIORITY)->SetWindowText(_T("3"));
        pSheet->SendMessage(WM_COMMAND, IDOK, 0);
    });
    CTask task(4, session, 3);
    int nId = task.NewTask();
    EXPECT_TRUE(bShown);
    ASSERT_GT(nId, 0);
    CCommand cmd;
    ASSERT_EQ(S_OK, cmd.Open(session, _T("SELECT TASK_NAME, TASK_DURATION, TASK_ROWINGRID FROM TLM_TASKS WHERE ")
                                      _T("TASK_ID = ?"),
                             {nId}));
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_EQ(CString(_T("新任务'")), cmd.GetText(1));
    EXPECT_EQ(48, cmd.GetLong(2));
    EXPECT_EQ(1, cmd.GetLong(3));  // the existing task had no row number
}

TEST_P(TaskStorageTest, NewTaskCancelledWritesNothing)
{
    AfxTestPushModalScript([&](CWnd* pWnd) { pWnd->SendMessage(WM_COMMAND, IDCANCEL, 0); });
    CTask task(4, session, 3);
    EXPECT_EQ(0, task.NewTask());
    ExpectNothingStored();
}

TEST_P(TaskStorageTest, NewTaskWithoutResourcesTableShowsNoSheet)
{
    ASSERT_TRUE(Exec(session, _T("DROP TABLE dbo.TLM_RESOURCES")));
    bool bShown = false;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        bShown = true;
        pWnd->SendMessage(WM_COMMAND, IDCANCEL, 0);
    });
    CTask task(4, session, 3);
    EXPECT_EQ(-1, task.NewTask());
    EXPECT_FALSE(bShown);
    AfxTestResetScripts();
}

INSTANTIATE_TEST_SUITE_P(Backends, TaskStorageTest, ::testing::Values("sqlite", "odbc"));

// A damaged or hostile task file may chain its tasks deeper than any call stack holds: the
// listing is whole and in order however deep the chain (the embedded database only: the
// same depth through a database server would take minutes of round trips).
TEST(TaskStorageDepth, AChainOfSixtyThousandLevelsListsWhole)
{
    CSession session;
    std::string strError;
    ASSERT_TRUE(OpenTestDatabase("sqlite", session, strError)) << strError;
    const int nDepth = 60000;
    // Task 1 is project 1's; every later task is the only child of the one before.
    ASSERT_TRUE(Exec(session,
                     _T("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < ?) ")
                     _T("INSERT INTO TLM_TASKS(PROJ_ID, TASK_ID, TASK_NAME, TASK_PARENT_ID, TASK_IS_SUBPROJ) ")
                     _T("SELECT CASE WHEN i = 1 THEN 1 ELSE 2 END, i, 'T' || i, i - 1, 0 FROM c"),
                     {nDepth}));
    CTask task(1, session, 0);
    CStringArray arNames;
    CUIntArray arIds;
    task.GetAllTask(arNames, arIds, 1, 0);
    ASSERT_EQ(nDepth, arNames.GetSize());
    ASSERT_EQ(nDepth, arIds.GetSize());
    EXPECT_EQ(CString(_T("T1")), arNames[0]);
    EXPECT_EQ(CString(_T("T30000")), arNames[29999]);
    EXPECT_EQ(CString(_T("T60000")), arNames[nDepth - 1]);
    for (int i = 0; i < nDepth; i++)
        if (arIds[i] != (UINT)(i + 1))
            FAIL() << "row " << i << " has id " << arIds[i];
    // By parent: the chain below task 59,998.
    arNames.RemoveAll();
    arIds.RemoveAll();
    task.GetAllTask(arNames, arIds, nDepth - 2, 1);
    ASSERT_EQ(2, arNames.GetSize());
    EXPECT_EQ(CString(_T("T59999")), arNames[0]);
    EXPECT_EQ(CString(_T("T60000")), arNames[1]);
}

TEST(TaskOleDBException, NoRecordsGivesUnknownSource)
{
    CCommand cmd;
    CString str = _T("之前");
    EXPECT_EQ(1, CTask::OleDBException(&cmd, IID_ICommand, (HRESULT)0x80040E14, str));
    EXPECT_EQ(CString(_T("不明数据源错误返回值：80040E14\r\n")), str);
}

TEST(TaskOleDBException, RecordsFollowTheCallersText)
{
    CSession session;
    ASSERT_EQ(S_OK, session.OpenSqlite(":memory:"));
    CCommand cmd;
    HRESULT hr = cmd.Open(session, _T("INSERT INTO TLM_TASKS(TASK_NAME) VALUES('a'b')"));
    ASSERT_TRUE(FAILED(hr));
    std::vector<CDbErrorRecord> records;
    cmd.GetErrorRecords(IID_ICommand, records);
    ASSERT_EQ(1u, records.size());
    CString str = _T("之前");
    CTask::OleDBException(&cmd, IID_ICommand, hr, str);
    EXPECT_EQ(CString(_T("之前描  述：")) + records[0].strDescription + _T("\r\n错误返回值：80040E14\r\n"), str);
}
} // namespace
