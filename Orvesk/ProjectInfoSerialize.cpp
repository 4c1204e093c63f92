// The project header in the local project file.
#include "ProjectInfo.h"

#include "ArchiveLists.h"

void CProjectInfo::Serialize(CArchive& ar)
{
    if (m_nFlag == FLAG_REMOVED)
        return;

    if (ar.IsStoring()) {
        ar << (int)m_listMembers.GetCount();
        POSITION pos = m_listMembers.GetHeadPosition();
        while (pos != NULL) {
            tagResInfo res = m_listMembers.GetNext(pos);
            res.Serialize(ar);
        }
        ar << m_strName << m_strGoal << m_nProjID << m_dtStart << m_dtActStart << m_dtCreation
           << m_dtDeadline << m_dtFinish << m_dtActFinish << m_nPriority << m_nStatus << m_nCost
           << m_nActCost;
    } else {
        const int nMembers = ReadRecordCount(ar);
        for (int i = 0; i < nMembers; ++i) {
            tagResInfo res;
            res.Serialize(ar);
            m_listMembers.AddTail(res);
        }
        ar >> m_strName >> m_strGoal >> m_nProjID >> m_dtStart >> m_dtActStart >> m_dtCreation
           >> m_dtDeadline >> m_dtFinish >> m_dtActFinish >> m_nPriority >> m_nStatus >> m_nCost
           >> m_nActCost;
    }
}
