// The project header's first and last dates, taken in task by task in any order, and each
// task's plan dates drawn out to take in its start. Shared by the document's walk of its
// task tree and the task tree view's walk of its rows (which marks the critical tasks in the
// same walk).
#pragma once

#include "ProjectDoc.h"
#include "TaskItem.h"

// A date the task was given (day 0 stands for none).
inline BOOL IsSetDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid && (DATE)date != 0;
}

class CHeaderDatesFold
{
public:
    CHeaderDatesFold()
    {
        m_first.SetStatus(COleDateTime::invalid);
        m_last.SetStatus(COleDateTime::invalid);
    }

    void Add(CTaskItem* pTask)
    {
        const COleDateTime& start = pTask->m_dtStart;
        const COleDateTime& finish = pTask->m_dtFinish;
        // A task never given dates (day 0) has no say.
        if (!IsSetDate(start))
            return;
        // The plan dates take in the start, keeping their length.
        if (start > pTask->m_dtLateStart) {
            pTask->m_dtLateStart = start;
            pTask->m_dtLateFinish = start + (finish - start);
        }
        if (start < pTask->m_dtEarlyStart) {
            pTask->m_dtEarlyStart = start;
            pTask->m_dtEarlyFinish = start + (finish - start);
        }
        // (Equal dates are the same value: the order of the tasks does not show.)
        if (!IsSetDate(m_first) || start < m_first)
            m_first = start;
        if (IsSetDate(finish) && (!IsSetDate(m_last) || finish > m_last))
            m_last = finish;
    }

    // Into the header; a project without dates keeps the ones it has.
    void ApplyTo(CProjectDoc& doc) const
    {
        if (IsSetDate(m_first))
            doc.m_ProjectInfo.m_dtStart = m_first;
        if (IsSetDate(m_last)) {
            doc.m_ProjectInfo.m_dtFinish = m_last;
            doc.m_ProjectInfo.m_dtDeadline = m_last;
        }
    }

    // The first start and last finish taken in (not valid when no task had dates).
    const COleDateTime& First() const { return m_first; }
    const COleDateTime& Last() const { return m_last; }

private:
    COleDateTime m_first;
    COleDateTime m_last;
};
