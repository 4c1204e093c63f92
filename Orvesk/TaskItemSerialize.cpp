// The task in the local project file.
#include "TaskItem.h"

#include "ArchiveLists.h"
#include "ProjectProgress.h"

namespace {

// Task trees nested deeper than this are refused on load rather than read into a
// recursion that would exhaust the stack.
const int kMaxLoadDepth = 1000;
thread_local int g_nLoadDepth = 0;

struct CLoadDepth
{
    explicit CLoadDepth(CArchive& ar)
    {
        if (g_nLoadDepth >= kMaxLoadDepth)
            ThrowDamagedArchive(ar);
        ++g_nLoadDepth;
    }
    ~CLoadDepth() { --g_nLoadDepth; }
};

bool IsKept(CTaskItem* pTask)
{
    return pTask != NULL && pTask->m_nFlag != FLAG_REMOVED;
}

} // namespace

void CTaskItem::Serialize(CArchive& ar)
{
    if (m_nFlag == FLAG_REMOVED)
        return;
    ProjectSendProgress(WM_PROGRESS_STEP);

    if (ar.IsStoring()) {
        ar << (int)m_arrSuccessors.GetSize();
        for (INT_PTR i = 0; i < m_arrSuccessors.GetSize(); ++i)
            ar << (int)m_arrSuccessors[i];
        // A removed task is never written: the list is written without it.
        StoreObjectList(ar, m_listChildren, IsKept);
        StoreObjectList(ar, m_listLinks);
        StoreObjectList(ar, m_listRefDocs);
        StoreObjectList(ar, m_listTargetDocs);
        ar.WriteCount(m_arrAssignees.GetSize());
        for (INT_PTR i = 0; i < m_arrAssignees.GetSize(); ++i)
            ar << m_arrAssignees[i];

        ar << m_strName << m_nTaskID << m_nProjID << m_strDesc << m_dtStart << m_nTrueDuration
           << m_nSubProjID << m_nStatus << m_nRowInGrid << m_nProgress << m_nPriority
           << m_nParentID << m_nReserved << m_nDuration << m_nAssignerID << m_nActDuration
           << m_dtFinish << m_dtDeadline << m_nCost << m_dtCreation << m_nIsTask
           << m_nMilestone << m_nDurIsEst << m_dtActStart << m_dtActFinish << m_nActCost
           << m_dtEarlyStart << m_dtEarlyFinish << m_dtLateStart << m_dtLateFinish;
    } else {
        // Every schema of the task reads the same fields.
        CLoadDepth depth(ar);

        const int nSuccessors = ReadRecordCount(ar);
        for (int i = 0; i < nSuccessors; ++i) {
            int nRow = 0;
            ar >> nRow;
            m_arrSuccessors.Add((DWORD)nRow);
        }
        LoadObjectList(ar, m_listChildren, RUNTIME_CLASS(CTaskItem));
        LoadObjectList(ar, m_listLinks, RUNTIME_CLASS(CTaskLink));
        LoadObjectList(ar, m_listRefDocs, RUNTIME_CLASS(CRefDoc));
        LoadObjectList(ar, m_listTargetDocs, RUNTIME_CLASS(CTargetDoc));
        const DWORD_PTR nAssignees = ar.ReadCount();
        for (DWORD_PTR i = 0; i < nAssignees; ++i) {
            CString strCode;
            ar >> strCode;
            m_arrAssignees.Add(strCode);
        }

        ar >> m_strName >> m_nTaskID >> m_nProjID >> m_strDesc >> m_dtStart >> m_nTrueDuration
           >> m_nSubProjID >> m_nStatus >> m_nRowInGrid >> m_nProgress >> m_nPriority
           >> m_nParentID >> m_nReserved >> m_nDuration >> m_nAssignerID >> m_nActDuration
           >> m_dtFinish >> m_dtDeadline >> m_nCost >> m_dtCreation >> m_nIsTask
           >> m_nMilestone >> m_nDurIsEst >> m_dtActStart >> m_dtActFinish >> m_nActCost
           >> m_dtEarlyStart >> m_dtEarlyFinish >> m_dtLateStart >> m_dtLateFinish;
    }
}
