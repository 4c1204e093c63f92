// The project schedule kept in step with an owner that changes the tree itself (the
// document's task tree, which the task grid rebuilds from its rows).
#include "ProjectSchedule.h"

CProjectSchedule::CProjectSchedule(CTaskItemList& roots, TakenInLater)
    : m_roots(roots), m_rows(1, nullptr), m_parentRow(1, 0)
{
    m_dtFirst.SetStatus(COleDateTime::invalid);
    m_dtLast.SetStatus(COleDateTime::invalid);
}

void CProjectSchedule::TakeInStoredRows()
{
    m_touched.clear();
    m_pred.clear();
    m_succ.clear();
    // Blank rows before each task from the rows the tasks store, in tree order; a task
    // storing a row not below the one before it takes the next row.
    m_gapBefore.clear();
    std::vector<const CTaskItem*> pending;
    for (POSITION pos = m_roots.GetTailPosition(); pos != NULL;)
        pending.push_back(m_roots.GetPrev(pos));
    long long nPrev = 0;
    while (!pending.empty())
    {
        const CTaskItem* pTask = pending.back();
        pending.pop_back();
        if (!pTask)
            continue;
        const long long nStored = pTask->m_nRowInGrid;
        if (nStored > nPrev + 1)
        {
            m_gapBefore[pTask] = (int)(nStored - nPrev - 1);
            nPrev = nStored;
        }
        else
            nPrev++;
        for (POSITION pos = pTask->m_listChildren.GetTailPosition(); pos != NULL;)
            pending.push_back(pTask->m_listChildren.GetPrev(pos));
    }
    Renumber();
    // A link names its predecessor by the row it stores.
    const int nRows = (int)m_rows.size();
    for (int r = 1; r < nRows; r++)
    {
        CTaskItem* pTask = m_rows[(size_t)r];
        for (POSITION pos = pTask ? pTask->m_listLinks.GetHeadPosition() : NULL; pos != NULL;)
        {
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            const int p = pLink ? pLink->m_nSuccID.Get() : 0;
            CTaskItem* pPred = p > 0 && p < nRows ? m_rows[(size_t)p] : nullptr;
            if (!pPred || pPred == pTask)
                continue;
            m_pred[pLink] = pPred;
            m_succ[pPred].push_back(pTask);
        }
    }
    StructureChanged();
}

void CProjectSchedule::Note(CTaskItem* pTask)
{
    if (Holds(pTask))
        Touch(pTask);
}
