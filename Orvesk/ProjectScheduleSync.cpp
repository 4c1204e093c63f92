// The project schedule kept in step with an owner that changes the tree itself (the
// document's task tree, which the task grid rebuilds from its rows).
#include "ProjectSchedule.h"

#include <algorithm>

CProjectSchedule::CProjectSchedule(CTaskItemList& roots, TakenInLater)
    : m_roots(roots), m_rows(1, nullptr), m_parentRow(1, 0)
{
    m_dtFirst.SetStatus(COleDateTime::invalid);
    m_dtLast.SetStatus(COleDateTime::invalid);
}

void CProjectSchedule::TakeInStoredTree()
{
    // A task that left the tree, or a row that holds another task now, may be what a link's
    // row names: the links are read again then.
    auto held = [this]() { return m_rows.size() - (size_t)std::count(m_rows.begin(), m_rows.end(), nullptr); };
    const size_t nHeld = held();
    TakeStoredRows();
    // A task that joined the tree is named by no link yet (links resolve to tasks held);
    // its own links are read with the others unless the tree's links are still those read.
    size_t nLinks = 0;
    if (held() > nHeld && m_nUnresolvedLinks == 0)
        for (const CTaskItem* pTask : m_rows)
            if (pTask)
                nLinks += (size_t)pTask->m_listLinks.GetCount();
    if (held() < nHeld || m_nUnresolvedLinks > 0 || (held() > nHeld && nLinks != m_pred.size()))
    {
        TakeInStoredRows();
        return;
    }
    StructureChanged();
}

void CProjectSchedule::TakeStoredRows()
{
    m_touched.clear();
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
    // (The owner carries the links' stored rows along with the rows it moves.)
    Renumber(false);
}

void CProjectSchedule::TakeInStoredRows()
{
    // The resolved links' nodes and the successor lists are used again (a large project
    // reads them anew after every change of its links).
    std::vector<decltype(m_pred)::node_type> spare;
    spare.reserve(m_pred.size());
    while (!m_pred.empty())
        spare.push_back(m_pred.extract(m_pred.begin()));
    for (auto& entry : m_succ)
        entry.second.clear();
    TakeStoredRows();
    // A link names its predecessor by the row it stores.
    const int nRows = (int)m_rows.size();
    size_t nLinks = 0;
    for (const CTaskItem* pTask : m_rows)
        if (pTask)
            nLinks += (size_t)pTask->m_listLinks.GetCount();
    m_pred.reserve(nLinks);
    m_nUnresolvedLinks = 0;
    for (int r = 1; r < nRows; r++)
    {
        CTaskItem* pTask = m_rows[(size_t)r];
        for (POSITION pos = pTask ? pTask->m_listLinks.GetHeadPosition() : NULL; pos != NULL;)
        {
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            const int p = pLink ? pLink->m_nSuccID.Get() : 0;
            CTaskItem* pPred = p > 0 && p < nRows ? m_rows[(size_t)p] : nullptr;
            if (!pPred || pPred == pTask)
            {
                m_nUnresolvedLinks++;
                continue;
            }
            if (!spare.empty())
            {
                auto node = std::move(spare.back());
                spare.pop_back();
                node.key() = pLink;
                node.mapped() = pPred;
                if (!m_pred.insert(std::move(node)).inserted)
                    continue;
            }
            else if (!m_pred.emplace(pLink, pPred).second)
                continue;
            m_succ[pPred].push_back(pTask);
        }
    }
    // Lists of tasks that are no predecessor any more go once they outnumber the others.
    if (m_succ.size() > 2 * m_pred.size() + 64)
        for (auto it = m_succ.begin(); it != m_succ.end();)
            it = it->second.empty() ? m_succ.erase(it) : std::next(it);
    StructureChanged();
}

void CProjectSchedule::Note(CTaskItem* pTask)
{
    if (Holds(pTask))
        Touch(pTask);
}

void CProjectSchedule::RollUp(CTaskItem* pTask)
{
    if (Holds(pTask) && !pTask->m_listChildren.IsEmpty())
        RollUpSummary(pTask);
}
