// Creating a task in the task tables and listing a project's tasks from them. Every value
// goes in as a bound parameter; all writes of a new task are one transaction.
#include <Tavrin/Task.h>

#include <Tavrin/RefDoc.h>
#include <Tavrin/TargetDoc.h>

#include "TaskPropertyDlg.h"
#include "TaskStorage.h"

#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace
{
const LPCTSTR kResourceQuery = _T("SELECT RES_ID, RES_NAME FROM TLM_RESOURCES WHERE RES_TYPE > ?");
const LPCTSTR kRowQuery = _T("SELECT MAX(TASK_ROWINGRID) FROM TLM_TASKS");
const LPCTSTR kTaskInsert =
    _T("INSERT INTO TLM_TASKS( PROJ_ID, TASK_NAME, TASK_DESC, \t\t\t  TASK_START_DATE,  TASK_DEADLINE, ")
    _T("TASK_DURATION, TASK_DUR_IS_EST, \t\t\t  TASK_PRIORITY, TASK_STATUS, TASK_PROGRESS, TASK_ASSIGNER_ID, ")
    _T("\t\t\t  TASK_PARENT_ID, TASK_IS_MILESTONGE, TASK_IS_SUBPROJ, TASK_HAS_CHILDREN,\t\t\t  TASK_ROWINGRID) ")
    _T("\t\t\t  VALUES( ?, ?, ?, \t\t\t  ?, ?, ?, ?, \t\t\t  ?, ?, ?, ?,\t\t\t  ?, ?, ?, ?, \t\t\t  ? )");
const LPCTSTR kAssignmentInsert = _T("INSERT INTO TLM_ASSIGNMENTS( TASK_ID, RES_ID ) VALUES( ?,? )");
const LPCTSTR kLinkInsert = _T("INSERT INTO TLM_LINKS( LINK_PRED_ID, LINK_SUCC_ID, \t\t\t\t\t\t\t\t")
                            _T("LINK_TYPE, LINK_LOGICAL_TYPE, LINK_SEQUENCE) \t\t\t\t\t\t\t\t")
                            _T("VALUES( ?, ?, ?, ?, ? )");
const LPCTSTR kDocInsert = _T("INSERT INTO TLM_DOCUMENTS( TASK_ID, DOC_NAME, \t\t\t\t\t\t")
                           _T("DOC_SOURCE, DOC_TYPE, DOC_LOCATION, \t\t\t\t\t\t")
                           _T("DOC_PDM_CLASSID, DOC_PDM_OBJECTID) \t\t\t\t\t\t")
                           _T("VALUES( ?, ?, \t\t\t\t\t\t?, ?, ?, \t\t\t\t\t\t?, ? )");
const LPCTSTR kTaskList =
    _T("\t\tSELECT \t\tPROJ_ID, \t\tTASK_ID, \t\tTASK_NAME, \t\tTASK_DESC, \t\tTASK_START_DATE, ")
    _T("\t\tTASK_FINISH_DATE, \t\tTASK_DEADLINE, \t\tTASK_DURATION, \t\tTASK_DUR_IS_EST, ")
    _T("\t\tTASK_ACT_DURATION, \t\tTASK_PRIORITY, \t\tTASK_STATUS, \t\tTASK_PROGRESS, ")
    _T("\t\tTASK_ASSIGNER_ID, \t\tTASK_PARENT_ID, \t\tTASK_IS_MILESTONGE, \t\tTASK_IS_SUBPROJ, ")
    _T("\t\tTASK_SUBPROJ_ID, \t\tTASK_HAS_CHILDREN,  \t\tTASK_ROWINGRID   \t\tFROM dbo.TLM_TASKS ");

int LeadingNumber(const CString& str)
{
    return (int)strtol((LPCTSTR)str, NULL, 10);
}

int FindFirst(const CStringArray& ar, const CString& str)
{
    for (int i = 0; i < ar.GetSize(); i++)
        if (ar[i] == str)
            return i;
    return -1;
}

CString DateText(const COleDateTime& dt)
{
    CString str;
    str.Format(_T("%d-%d-%d"), dt.GetYear(), dt.GetMonth(), dt.GetDay());
    return str;
}

// Ends the transaction on every way out unless it was committed.
class CTransactionGuard
{
public:
    explicit CTransactionGuard(CSession& session) : m_session(session) {}
    ~CTransactionGuard()
    {
        if (!m_bDone)
            m_session.Abort();
    }
    void Done() { m_bDone = true; }

private:
    CSession& m_session;
    bool m_bDone = false;
};

// The queries already run by one listing: (by parent, id). Each runs once, so a parent or
// sub-project cycle ends.
using CVisited = std::set<std::pair<int, int>>;

// Opens the query of one level (the children of a task, or a project's tasks) unless it ran
// before in this listing; nullptr when it ran or fails.
std::unique_ptr<CCommand> OpenLevel(const CSession& session, int nID, int bByParent, CVisited& visited)
{
    if (!visited.insert({bByParent ? 1 : 0, nID}).second)
        return nullptr;
    static const CString strChildren = CString(kTaskList) + _T(" WHERE TASK_PARENT_ID = ?");
    static const CString strProject = CString(kTaskList) + _T(" WHERE PROJ_ID = ?");
    auto cmd = std::make_unique<CCommand>();
    if (FAILED(cmd->Open(session, bByParent ? strChildren : strProject, {nID})))
        return nullptr;
    return cmd;
}

// Depth first: each task, then its children (or its sub-project's tasks), then the next
// task. The open levels are kept on a stack of their own, so a chain of any depth in the
// tables cannot overflow the call stack.
void ListTasks(const CSession& session, CStringArray& arNames, CUIntArray& arIds, int nID, int bByParent)
{
    CVisited visited;
    std::vector<std::unique_ptr<CCommand>> levels;
    if (auto first = OpenLevel(session, nID, bByParent, visited))
        levels.push_back(std::move(first));
    while (!levels.empty())
    {
        CCommand& cmd = *levels.back();
        if (cmd.MoveNext() != S_OK)
        {
            levels.pop_back();
            continue;
        }
        // Texts are read at full length.
        arNames.Add(cmd.GetText(3));
        arIds.Add((UINT)cmd.GetLong(2));
        std::unique_ptr<CCommand> next = !cmd.GetBool(17) ? OpenLevel(session, cmd.GetLong(2), 1, visited)
                                                          : OpenLevel(session, cmd.GetLong(18), 0, visited);
        if (next)
            levels.push_back(std::move(next));
    }
}
} // namespace

void CTask::GetAllTask(CStringArray& arNames, CUIntArray& arIds, int nID, int bByParent)
{
    ListTasks(m_session, arNames, arIds, nID, bByParent);
}

int CTask::OleDBException(const CDbErrorInfo* pObject, const CDbGuid& iid, HRESULT hr, CString& strError)
{
    return DbErrorReport(pObject, iid, hr, strError);
}

int WriteNewTask(CTask& task, const CNewTaskInput& input, const CStringArray& arResNames,
                 const CUIntArray& arResIds, const CStringArray& arTaskNames, const CUIntArray& arTaskIds,
                 const CStringArray& arLinkTypes)
{
    CSession& session = task.m_session;
    session.StartTransaction(ISOLATIONLEVEL_READCOMMITTED);
    CTransactionGuard guard(session);

    task.m_strName = input.strName;
    task.m_strDescription = input.strDescription;
    task.m_dtStart = input.dtStart;
    task.m_dtDeadline = input.dtDeadline;
    task.m_bEstimate = input.bEstimate;
    task.m_nDuration = LeadingNumber(input.strDuration) * 24;
    CString strResource = input.strResource;

    int nRow = 0;
    {
        CCommand cmd;
        if (SUCCEEDED(cmd.Open(session, kRowQuery)) && cmd.MoveNext() == S_OK)
            nRow = cmd.GetLong(1);
        cmd.Close();
    }

    {
        CCommand cmd;
        HRESULT hr = cmd.Open(session, kTaskInsert,
                              {task.m_nProjectID, task.m_strName, task.m_strDescription, DateText(task.m_dtStart),
                               DateText(task.m_dtDeadline), task.m_nDuration, task.m_bEstimate, 0, 0, 0,
                               task.m_nAssignerID, 0, 0, 0, 0, nRow + 1});
        if (FAILED(hr))
        {
            CString strError;
            CTask::OleDBException(&cmd, IID_ICommand, hr, strError);
            return -2;
        }
    }

    // The id this session's insert created (another client's insert cannot intervene).
    long long nNewId = 0;
    if (FAILED(session.GetLastInsertId(nNewId)) || nNewId <= 0)
        return -3;
    int nTaskID = (int)nNewId;

    strResource += _T(",");
    int nComma;
    while ((nComma = strResource.Find(',')) >= 0)
    {
        CString strPart = strResource.Left(nComma);
        strPart.TrimLeft();
        strPart.TrimRight();
        strResource = strResource.Mid(nComma + 1);
        // An empty last piece (no resource text, or a trailing comma) assigns nothing.
        if (strPart.IsEmpty() && strResource.IsEmpty())
            break;
        int nRes = FindFirst(arResNames, strPart);
        if (nRes < 0)
            return -4;
        CCommand cmd;
        if (FAILED(cmd.Open(session, kAssignmentInsert, {nTaskID, (unsigned)arResIds[nRes]})))
            return -2;
    }

    for (const CNewTaskInput::PredRow& row : input.predRows)
    {
        if (row.strName.IsEmpty())
            continue;
        int nType = FindFirst(arLinkTypes, row.strType);
        if (nType < 0)
            return -5;
        int nPred = FindFirst(arTaskNames, row.strName);
        if (nPred < 0 || nPred >= arTaskIds.GetSize())
            return -6;
        CCommand cmd;
        if (FAILED(cmd.Open(session, kLinkInsert,
                            {(unsigned)arTaskIds[nPred], nTaskID, nType + 1, LeadingNumber(row.strLogical), 0})))
            return -2;
    }

    for (int nDocType = 1; nDocType <= 2; nDocType++)
    {
        const std::vector<CDocFields>& docs = nDocType == 1 ? input.refDocs : input.targetDocs;
        for (const CDocFields& doc : docs)
        {
            CCommand cmd;
            if (FAILED(cmd.Open(session, kDocInsert,
                                {nTaskID, doc.m_strDocName, doc.m_nDocSource, nDocType, doc.m_strDocLocation,
                                 doc.m_nPdmClassID, doc.m_nPdmObjectID})))
                return -2;
        }
    }

    // A commit that fails stores nothing and is reported as a failed write.
    if (FAILED(session.Commit()))
        return -2;
    guard.Done();
    return nTaskID;
}

int CTask::NewTask()
{
    CStringArray arResNames;
    CUIntArray arResIds;
    {
        CCommand cmd;
        if (FAILED(cmd.Open(m_session, kResourceQuery, {0})))
            return -1;
        while (cmd.MoveNext() == S_OK)
        {
            CString strName = cmd.GetText(2);
            strName.TrimRight();
            arResNames.Add(strName);
            arResIds.Add((UINT)cmd.GetLong(1));
        }
        cmd.Close();
    }

    CStringArray arTaskNames;
    CUIntArray arTaskIds;
    GetAllTask(arTaskNames, arTaskIds, m_nProjectID, 0);

    CStringArray arLinkTypes;
    arLinkTypes.Add(_T("FS(完成--开始)"));
    arLinkTypes.Add(_T("FF(完成--完成)"));
    arLinkTypes.Add(_T("SF(开始--完成)"));
    arLinkTypes.Add(_T("SS(开始--开始)"));

    CNewTaskInput input;
    {
        CTaskPropertyDlg sheet(_T("新建任务"), NULL, 0);
        sheet.SetPredecessorData(arLinkTypes, arTaskNames, arTaskIds);
        if (sheet.DoModal() != IDOK)
            return 0;

        CTaskNormalPage& general = sheet.m_pageNormal;
        input.strName = general.m_strName;
        input.strDescription = general.m_strDescription;
        input.dtStart = general.m_dtStartValue;
        input.dtDeadline = general.m_dtDeadlineValue;
        input.bEstimate = general.m_bEstimate;
        input.strDuration = general.m_strDuration;
        input.strResource = general.m_strResource;
        CGridCtrl& grid = sheet.m_pagePreTask.m_Grid;
        for (int row = 1; row < grid.GetRowCount(); row++)
            input.predRows.push_back({grid.GetItemText(row, 1), grid.GetItemText(row, 2), grid.GetItemText(row, 3),
                                      grid.GetItemText(row, 4)});
        POSITION pos = sheet.m_pageRefDoc.m_lstDocs.GetHeadPosition();
        while (pos)
            input.refDocs.push_back(*static_cast<CRefDoc*>(sheet.m_pageRefDoc.m_lstDocs.GetNext(pos)));
        pos = sheet.m_pageTargetDoc.m_lstDocs.GetHeadPosition();
        while (pos)
            input.targetDocs.push_back(*static_cast<CTargetDoc*>(sheet.m_pageTargetDoc.m_lstDocs.GetNext(pos)));
    }
    return WriteNewTask(*this, input, arResNames, arResIds, arTaskNames, arTaskIds, arLinkTypes);
}
