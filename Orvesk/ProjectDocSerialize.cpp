// The project document's archive: the local project file.
#include "ProjectDoc.h"

#include "ArchiveLists.h"
#include "ProjectProgress.h"

namespace {

bool IsKept(CTaskItem* pTask)
{
    return pTask != NULL && pTask->m_nFlag != FLAG_REMOVED;
}

} // namespace

void CProjectDoc::Serialize(CArchive& ar)
{
    if (m_ProjectInfo.m_nFlag == FLAG_REMOVED)
        return;

    const BOOL bStoring = ar.IsStoring();
    ProjectProgressStart(bStoring ? "正在保存" : "正在装载");
    // The bar ends on every way out, a damaged file included.
    CProgressEndGuard progressEnd;

    m_ProjectInfo.Serialize(ar);
    if (bStoring)
        StoreObjectList(ar, m_listTasks, IsKept);
    else
        LoadObjectList(ar, m_listTasks, RUNTIME_CLASS(CTaskItem));
    ProjectSendProgress(WM_PROGRESS_STEP);

    if (bStoring) {
        StoreObjectList(ar, m_listDayOfWeek);
        StoreObjectList(ar, m_listCalendarItems);
    } else {
        LoadObjectList(ar, m_listDayOfWeek, RUNTIME_CLASS(CDayOfWeek));
        LoadObjectList(ar, m_listCalendarItems, RUNTIME_CLASS(CCalendarItem));
    }
    ProjectSendProgress(WM_PROGRESS_STEP);

    if (bStoring) {
        ar << (int)m_listResources.GetCount();
        POSITION pos = m_listResources.GetHeadPosition();
        while (pos != NULL) {
            tagResInfo res = m_listResources.GetNext(pos);
            res.Serialize(ar);
        }
        ar << (int)m_listPermissions.GetCount();
        pos = m_listPermissions.GetHeadPosition();
        while (pos != NULL) {
            tagPermInfo perm = m_listPermissions.GetNext(pos);
            perm.Serialize(ar);
        }
        ar << m_nMaxRowInGrid << m_nCalID << m_nCalBaseID << m_strCalName;
    } else {
        const int nResources = ReadRecordCount(ar);
        for (int i = 0; i < nResources; ++i) {
            tagResInfo res;
            res.Serialize(ar);
            m_listResources.AddTail(res);
        }
        const int nPermissions = ReadRecordCount(ar);
        for (int i = 0; i < nPermissions; ++i) {
            tagPermInfo perm;
            perm.Serialize(ar);
            m_listPermissions.AddTail(perm);
        }
        ar >> m_nMaxRowInGrid >> m_nCalID >> m_nCalBaseID >> m_strCalName;
        m_nProjectID = m_ProjectInfo.m_nProjID;
    }
}
