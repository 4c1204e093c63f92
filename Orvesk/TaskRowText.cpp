#include "TaskRowText.h"

#include "TaskItem.h"

#include <cstdio>

CString TaskPredecessorText(const CTaskItem* pTask)
{
    CString strText;
    if (!pTask)
        return strText;
    char buffer[16];
    POSITION pos = pTask->m_listLinks.GetHeadPosition();
    while (pos != NULL)
    {
        const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
        if (!pLink)
            continue;
        std::snprintf(buffer, sizeof(buffer), strText.IsEmpty() ? "%d" : ",%d", pLink->m_nSuccID);
        strText += buffer;
    }
    return strText;
}
