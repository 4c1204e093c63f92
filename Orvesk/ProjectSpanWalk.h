// What the task tree view's walk of its rows gathers for the critical marks: each task's mark
// by its own dates, and the rows of the tasks that finish last (where the critical chains
// start).
#pragma once

#include "TaskItem.h"

#include <vector>

class CProjectSpanWalk
{
public:
    CProjectSpanWalk() { m_latest.SetStatus(COleDateTime::invalid); }

    // The task of the grid's row nRow.
    void TakeInMark(CTaskItem* pTask, int nRow)
    {
        if (m_latest.GetStatus() != COleDateTime::valid || pTask->m_dtFinish > m_latest) {
            m_latest = pTask->m_dtFinish;
            m_latestRows.assign(1, nRow);
        } else if (pTask->m_dtFinish == m_latest)
            m_latestRows.push_back(nRow);

        int nCritical = 0;
        if (pTask->m_nProgress == 100)
            nCritical = 0;
        else if (pTask->m_dtEarlyStart == pTask->m_dtLateStart)
            nCritical = 1;
        else if (pTask->m_dtFinish >= pTask->m_dtDeadline)
            nCritical = 1;
        // (Written only when it changes: most marks stay, and a write would make every
        // task's memory dirty.)
        if (pTask->m_nCritical != nCritical)
            pTask->m_nCritical = nCritical;
    }

    const std::vector<int>& LatestRows() const { return m_latestRows; }

private:
    COleDateTime m_latest;
    std::vector<int> m_latestRows;
};
