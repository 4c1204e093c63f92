// The project schedule kept in step with an owner that changes the tree itself (the
// document's task tree, which the task grid rebuilds from its rows).
#include "ProjectSchedule.h"

#include <algorithm>

#include "ScheduleRules.h"

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
    if (held() < nHeld || m_nUnresolvedLinks > 0 || (held() > nHeld && m_nLinksWalked != m_nResolvedLinks))
    {
        // (The rows are those just taken.)
        for (CTaskItem* pTask : m_rows)
            if (pTask)
                pTask->m_scheduleSuccs.clear();
        ReadStoredLinks();
    }
    StructureChanged();
}

void CProjectSchedule::TakeStoredRows(bool bSuccessorsAfresh)
{
    m_touched.clear();
    // Any summary's children may have changed.
    m_reshaped.clear();
    m_bAllReshaped = true;
    // (The owner carries the links' stored rows along with the rows it moves.)
    Renumber(false, bSuccessorsAfresh ? RowsFrom::StoredAfresh : RowsFrom::Stored);
}

void CProjectSchedule::TakeInStoredRows()
{
    TakeStoredRows(true);
    ReadStoredLinks();
    StructureChanged();
}

void CProjectSchedule::ReadStoredLinks()
{
    // A link names its predecessor by the row it stores.
    const int nRows = (int)m_rows.size();
    m_nResolvedLinks = 0;
    m_nUnresolvedLinks = 0;
    for (int r = 1; r < nRows; r++)
    {
        CTaskItem* pTask = m_rows[(size_t)r];
        for (POSITION pos = pTask ? pTask->m_listLinks.GetHeadPosition() : NULL; pos != NULL;)
        {
            ResolveLink(pTask, pTask->m_listLinks.GetNext(pos));
        }
    }
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

void CProjectSchedule::Reshaped(CTaskItem* pSummary)
{
    if (!pSummary || m_bAllReshaped)
        return;
    if (m_reshaped.size() >= m_rows.size())
    {
        m_reshaped.clear();
        m_bAllReshaped = true;
        return;
    }
    m_reshaped.push_back(pSummary);
}

std::vector<CTaskItem*> CProjectSchedule::TakeReshapedSummaries()
{
    std::vector<CTaskItem*> summaries;
    const auto add = [&](CTaskItem* pTask) {
        COleDateTime start, finish;
        if (pTask && !pTask->m_listChildren.IsEmpty() && schedulerules::ChildrenSpan(pTask, start, finish) &&
            !(pTask->m_dtStart == start && pTask->m_dtFinish == finish))
            summaries.push_back(pTask);
    };
    if (m_bAllReshaped)
        for (size_t r = m_rows.size(); r-- > 1;)
            add(m_rows[r]);
    else
    {
        for (CTaskItem* pTask : m_reshaped)
            if (Holds(pTask))
                add(pTask);
        std::sort(summaries.begin(), summaries.end(),
                  [](const CTaskItem* a, const CTaskItem* b) { return a->m_nRowInGrid > b->m_nRowInGrid; });
        summaries.erase(std::unique(summaries.begin(), summaries.end()), summaries.end());
    }
    m_reshaped.clear();
    m_bAllReshaped = false;
    return summaries;
}

bool CProjectSchedule::TakeInParents(const std::vector<CTaskItem*>& rows, const std::vector<int>& parentRow)
{
    // The rows held, then the grid's blank rows below the last task.
    const size_t nHeld = m_rows.size();
    if (rows.size() < nHeld || parentRow.size() != rows.size() || !std::equal(m_rows.begin(), m_rows.end(), rows.begin()) ||
        std::find_if(rows.begin() + (std::ptrdiff_t)nHeld, rows.end(), [](const CTaskItem* p) { return p != nullptr; }) !=
            rows.end())
        return false;
    // A task hung under another summary changes both summaries' children.
    for (size_t r = 1; r < nHeld; r++)
        if (m_rows[r] && m_parentRow[r] != parentRow[r])
        {
            Reshaped(m_rows[(size_t)m_parentRow[r]]);
            if (parentRow[r] > 0 && (size_t)parentRow[r] < nHeld)
                Reshaped(m_rows[(size_t)parentRow[r]]);
        }
    std::copy(parentRow.begin(), parentRow.begin() + (std::ptrdiff_t)nHeld, m_parentRow.begin());
    m_parentRow[0] = 0;
    // The header dates and the critical chains follow the tasks' dates and links alone.
    StructureChanged(true);
    return true;
}

void CProjectSchedule::ResolveLink(CTaskItem* pTask, CTaskLink* pLink)
{
    const int p = pLink ? pLink->m_nSuccID : 0;
    CTaskItem* pPred = p > 0 && p < (int)m_rows.size() ? m_rows[(size_t)p] : nullptr;
    if (pPred == pTask)
        pPred = nullptr;
    if (pLink)
        pLink->m_pSchedulePred = pPred;
    if (!pPred)
    {
        m_nUnresolvedLinks++;
        return;
    }
    m_nResolvedLinks++;
    pPred->m_scheduleSuccs.push_back(pTask);
}

void CProjectSchedule::ReleaseLinksOf(CTaskItem* pTask)
{
    for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
    {
        CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
        CTaskItem* pPred = pLink ? pLink->m_pSchedulePred : nullptr;
        if (pPred)
            ReleaseLink(pTask, pLink);
        else if (m_nUnresolvedLinks > 0)
            m_nUnresolvedLinks--;  // (one the last reading of the rows found naming no task)
    }
}

void CProjectSchedule::ReleaseLink(CTaskItem* pSucc, CTaskLink* pLink)
{
    std::vector<CTaskItem*>& succs = pLink->m_pSchedulePred->m_scheduleSuccs;
    auto at = std::find(succs.begin(), succs.end(), pSucc);
    if (at != succs.end())
        succs.erase(at);
    pLink->m_pSchedulePred = nullptr;
    m_nResolvedLinks--;
}

void CProjectSchedule::LetGoLinksOf(CTaskItem* pTask)
{
    if (!Holds(pTask))
        return;
    ReleaseLinksOf(pTask);
    LinksChanged();
}

void CProjectSchedule::TakeInLinksOf(CTaskItem* pTask)
{
    if (!Holds(pTask))
        return;
    for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
        ResolveLink(pTask, pTask->m_listLinks.GetNext(pos));
    LinksChanged();
}
