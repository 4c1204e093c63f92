#include "Gantt_src/ChartLinks.h"

#include "TaskItem.h"

BOOL IsDuplicateLink(const CTaskItem* pSucc, const CTaskItem* pPred)
{
    if (pSucc == NULL || pPred == NULL)
        return FALSE;
    for (POSITION pos = pSucc->m_listLinks.GetHeadPosition(); pos != NULL;) {
        const CTaskLink* pLink = pSucc->m_listLinks.GetNext(pos);
        if (pLink == NULL)
            continue;
        if (pPred->m_nTaskID != 0 && pLink->m_nPredID != 0) {
            if (pLink->m_nPredID == pPred->m_nTaskID)
                return TRUE;
        } else if (pLink->m_nSuccID == pPred->m_nRowInGrid) {
            return TRUE;
        }
    }
    return FALSE;
}
