// What a walk over the project's tasks gathers for the project's span: the header dates, each
// task's critical mark by its own dates, and the rows of the tasks that finish last (where
// the critical chains start). The task tree view's walk of its rows and the chart's walk of
// the task tree (which lays the bars out in the same walk) take tasks in the same way.
#pragma once

#include "DateOrder.h"
#include "HeaderDates.h"
#include "TaskItem.h"

#include <vector>

class CProjectSpanWalk
{
public:
    CProjectSpanWalk() { m_latest.SetStatus(COleDateTime::invalid); }

    // A task of the grid's row nRow: its plan dates drawn out, then its critical mark.
    void TakeIn(CTaskItem* pTask, int nRow)
    {
        m_dates.Add(pTask);
        TakeInMark(pTask, nRow);
    }
    void TakeInDates(CTaskItem* pTask) { m_dates.Add(pTask); }
    // The critical mark alone.
    void TakeInMark(CTaskItem* pTask, int nRow)
    {
        if (m_latest.GetStatus() != COleDateTime::valid || DateAfter(pTask->m_dtFinish, m_latest)) {
            m_latest = pTask->m_dtFinish;
            m_latestRows.assign(1, nRow);
        } else if (DateSame(pTask->m_dtFinish, m_latest))
            m_latestRows.push_back(nRow);

        int nCritical = 0;
        if (pTask->m_nProgress == 100)
            nCritical = 0;
        else if (DateSame(pTask->m_dtEarlyStart, pTask->m_dtLateStart))
            nCritical = 1;
        else if (DateNotBefore(pTask->m_dtFinish, pTask->m_dtDeadline))
            nCritical = 1;
        // (Written only when it changes: most marks stay, and a write would make every
        // task's memory dirty.)
        if (pTask->m_nCritical != nCritical)
            pTask->m_nCritical = nCritical;
    }

    const CHeaderDatesFold& Dates() const { return m_dates; }
    const std::vector<int>& LatestRows() const { return m_latestRows; }

private:
    CHeaderDatesFold m_dates;
    COleDateTime m_latest;
    std::vector<int> m_latestRows;
};

// The chart's walk of the task tree taking the tasks in for the project's span, along with a
// check that they are the tasks of the grid's rows (the table by row, NULL for a row without
// a task), each in its row's place, in the rows' order, as many as the table holds: only then
// are the critical marks those of a walk of the rows. The header dates are the tree's.
class CTaskTreeSpanWalk
{
public:
    CTaskTreeSpanWalk(const std::vector<CTaskItem*>& rows, size_t nTasks) : m_rows(rows), m_nTasks(nTasks) {}
    void Meet(CTaskItem* pTask)
    {
        const int nRow = pTask->m_nRowInGrid;
        m_nMet++;
        if (m_bSame && (nRow <= m_nLastRow || static_cast<size_t>(nRow) >= m_rows.size() ||
                        m_rows[static_cast<size_t>(nRow)] != pTask))
            m_bSame = false;
        if (!m_bSame) {
            // Not the rows: the marks are left to the rows' own walk.
            m_span.TakeInDates(pTask);
            return;
        }
        m_nLastRow = nRow;
        m_span.TakeIn(pTask, nRow);
    }
    bool Same() const { return m_bSame && m_nMet == m_nTasks; }
    const CProjectSpanWalk& Span() const { return m_span; }

private:
    const std::vector<CTaskItem*>& m_rows;
    const size_t m_nTasks;
    size_t m_nMet = 0;
    int m_nLastRow = 0;
    bool m_bSame = true;
    CProjectSpanWalk m_span;
};
