// The project's schedule without a window: its tree, links and graph operations. The
// settling of an edit is in ProjectScheduleSettle.cpp.
#include "ProjectSchedule.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "HeaderDates.h"
#include "ProjectSpanWalk.h"
#include "ScheduleRules.h"

namespace
{
void InsertAt(CTaskItemList& list, int nIndex, CTaskItem* pTask)
{
    POSITION pos = nIndex >= 0 ? list.FindIndex(nIndex) : NULL;
    if (pos)
        list.InsertBefore(pos, pTask);
    else
        list.AddTail(pTask);
}

bool RemoveFrom(CTaskItemList& list, CTaskItem* pTask)
{
    POSITION pos = list.Find(pTask);
    if (!pos)
        return false;
    list.RemoveAt(pos);
    return true;
}

// The tasks of a tree in row order: a task, then its children's subtrees in list order.
void TreeOrder(const CTaskItemList& roots, std::vector<CTaskItem*>& out)
{
    std::vector<CTaskItem*> pending;
    for (POSITION pos = roots.GetTailPosition(); pos != NULL;)
        pending.push_back(roots.GetPrev(pos));
    while (!pending.empty())
    {
        CTaskItem* p = pending.back();
        pending.pop_back();
        if (!p)
            continue;
        out.push_back(p);
        for (POSITION pos = p->m_listChildren.GetTailPosition(); pos != NULL;)
            pending.push_back(p->m_listChildren.GetPrev(pos));
    }
}

void AddSubtree(CTaskItem* pTask, std::vector<CTaskItem*>& out)
{
    std::vector<CTaskItem*> pending(1, pTask);
    while (!pending.empty())
    {
        CTaskItem* p = pending.back();
        pending.pop_back();
        out.push_back(p);
        for (POSITION pos = p->m_listChildren.GetHeadPosition(); pos != NULL;)
            if (CTaskItem* pChild = p->m_listChildren.GetNext(pos))
                pending.push_back(pChild);
    }
}
} // namespace

CProjectSchedule::CProjectSchedule() : m_roots(m_ownRoots), m_rows(1, nullptr), m_parentRow(1, 0)
{
    m_dtFirst.SetStatus(COleDateTime::invalid);
    m_dtLast.SetStatus(COleDateTime::invalid);
}

CProjectSchedule::CProjectSchedule(CTaskItemList& roots) : m_roots(roots), m_rows(1, nullptr), m_parentRow(1, 0)
{
    m_dtFirst.SetStatus(COleDateTime::invalid);
    m_dtLast.SetStatus(COleDateTime::invalid);
    TakeStoredGaps();
    Renumber();
    ResolveLinks();
}

void CProjectSchedule::StructureChanged(bool bSpanKept)
{
    m_nRowsRevision++;
    m_nRevision++;
    m_bSpanKnown = m_bSpanKnown && bSpanKept;
    m_nBaseRevision = m_nRevision;
}

void CProjectSchedule::ShownChanged(CTaskItem* pTask)
{
    m_nRevision++;
    if (pTask && Holds(pTask))
        Touch(pTask);
    else
        m_nBaseRevision = m_nRevision;
}

void CProjectSchedule::LinksChanged()
{
    m_nRevision++;
    m_bSpanKnown = false;
}

CProjectSchedule::~CProjectSchedule()
{
    while (!m_ownRoots.IsEmpty())
        delete m_ownRoots.RemoveHead();
}

void CProjectSchedule::SetCalendar(const workdays::CWorkingCalendar& calendar)
{
    m_calendar = calendar;
    StructureChanged();
}

void CProjectSchedule::Adopt(CTaskItemList& roots)
{
    while (!roots.IsEmpty() && &roots != &m_roots)
        m_roots.AddTail(roots.RemoveHead());
    // Rows first, as stored; then the links by the rows they name.
    TakeStoredGaps();
    Renumber();
    ResolveLinks();
    StructureChanged();
}

void CProjectSchedule::TakeStoredGaps()
{
    // The grid shows a task in the row it stores, blank rows before it where the stored rows
    // leave room; rows out of order, or so far on that the rows would outnumber the tasks
    // many times, are closed up.
    std::vector<CTaskItem*> order;
    TreeOrder(m_roots, order);
    long long nPrev = 0, nAllowed = 3 * (long long)order.size() + 1000;
    for (CTaskItem* pTask : order)
    {
        const long long nStored = pTask->m_nRowInGrid;
        const long long nGap = nStored - nPrev - 1;
        pTask->m_nScheduleGap = 0;
        if (nGap > 0 && nGap <= nAllowed)
        {
            pTask->m_nScheduleGap = (int)nGap;
            nAllowed -= nGap;
            nPrev = nStored;
        }
        else
            nPrev++;
    }
}

int CProjectSchedule::GapBefore(const CTaskItem* pTask) const
{
    return pTask->m_nScheduleGap;
}

CTaskItem* CProjectSchedule::TaskAfterRow(int nRow) const
{
    for (size_t r = (size_t)nRow + 1; r < m_rows.size(); r++)
        if (m_rows[r])
            return m_rows[r];
    return nullptr;
}

void CProjectSchedule::Renumber(bool bLinks, RowsFrom from)
{
    static unsigned long long s_nWalks = 0;
    const unsigned long long nWalkBefore = m_nWalk;
    m_nWalk = ++s_nWalks;
    m_nLinksWalked = 0;
    m_rows.assign(1, nullptr);
    m_parentRow.assign(1, 0);
    // Tree order: a task, then its children's subtrees in list order.
    std::vector<std::pair<CTaskItem*, int>> pending;
    for (POSITION pos = m_roots.GetTailPosition(); pos != NULL;)
        pending.emplace_back(m_roots.GetPrev(pos), 0);
    while (!pending.empty())
    {
        const auto [pTask, nParent] = pending.back();
        pending.pop_back();
        if (!pTask)
            continue;
        if (from != RowsFrom::Kept)
        {
            const long long nStored = pTask->m_nRowInGrid, nNext = (long long)m_rows.size();
            pTask->m_nScheduleGap = nStored > nNext ? (int)(nStored - nNext) : 0;
        }
        if (from == RowsFrom::StoredAfresh || pTask->m_nScheduleWalk != nWalkBefore)
            pTask->m_scheduleSuccs.clear();
        pTask->m_nScheduleWalk = m_nWalk;
        m_nLinksWalked += (size_t)pTask->m_listLinks.GetCount();
        for (int nGap = GapBefore(pTask); nGap > 0; nGap--)
        {
            m_rows.push_back(nullptr);
            m_parentRow.push_back(0);
        }
        const int nRow = (int)m_rows.size();
        m_rows.push_back(pTask);
        m_parentRow.push_back(nParent);
        if (pTask->m_nRowInGrid != nRow)
            pTask->m_nRowInGrid = nRow;
        for (POSITION pos = pTask->m_listChildren.GetTailPosition(); pos != NULL;)
            pending.emplace_back(pTask->m_listChildren.GetPrev(pos), nRow);
    }
    // The stored form of every resolved link follows its predecessor's row.
    if (!bLinks)
        return;
    for (CTaskItem* pTask : m_rows)
        for (POSITION pos = pTask ? pTask->m_listLinks.GetHeadPosition() : NULL; pos != NULL;)
        {
            CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            const CTaskItem* pPred = pLink ? pLink->m_pSchedulePred : nullptr;
            if (pPred && pLink->m_nSuccID != pPred->m_nRowInGrid)
                pLink->m_nSuccID = pPred->m_nRowInGrid;
        }
}

void CProjectSchedule::TrimBlankRows()
{
    if (std::find(m_rows.begin() + 1, m_rows.end(), nullptr) == m_rows.end())
        return;
    for (CTaskItem* pTask : m_rows)
        if (pTask)
            pTask->m_nScheduleGap = 0;
    Renumber();
    StructureChanged();
}

void CProjectSchedule::ResolveLinks()
{
    // A stored link names its predecessor by row, id and name, as the task tree view reads
    // it: the task at the row when its id (or, without an id, its name) is the link's; else
    // the first task with the id, or without an id the first with the name, else whatever
    // task the row holds. A link that names no task, a removed one or its own task is
    // deleted; one that names a task is rewritten to that task's row and name.
    const int nRows = (int)m_rows.size();
    for (CTaskItem* pTask : m_rows)
        if (pTask)
            pTask->m_scheduleSuccs.clear();
    m_nResolvedLinks = 0;
    std::unordered_map<int, CTaskItem*> byId;
    std::unordered_map<std::string, CTaskItem*> byName;
    for (int r = nRows - 1; r >= 1; r--)
    {
        CTaskItem* pTask = m_rows[(size_t)r];
        if (!pTask)
            continue;
        if (pTask->m_nTaskID != 0)
            byId[pTask->m_nTaskID] = pTask;
        byName[(LPCTSTR)pTask->m_strName] = pTask;
    }
    auto find = [&](const CTaskLink* pLink) -> CTaskItem* {
        const int p = pLink->m_nSuccID;
        CTaskItem* pAtRow = p > 0 && p < nRows ? m_rows[(size_t)p] : nullptr;
        const int nID = pLink->m_nPredID;
        if (pAtRow && (nID != 0 ? pAtRow->m_nTaskID == nID : pAtRow->m_strName == pLink->m_strPredName))
            return pAtRow;
        if (nID != 0)
        {
            auto it = byId.find(nID);
            return it == byId.end() ? nullptr : it->second;
        }
        auto it = byName.find((LPCTSTR)pLink->m_strPredName);
        return it == byName.end() ? pAtRow : it->second;
    };
    for (int r = 1; r < nRows; r++)
    {
        CTaskItem* pTask = m_rows[(size_t)r];
        if (!pTask)
            continue;
        RemoveTaskLinksIf(pTask, [&](const CTaskLink* pLink) {
            CTaskItem* pPred = pLink ? find(pLink) : nullptr;
            if (!pPred || pPred == pTask || pPred->m_nFlag == FLAG_REMOVED)
                return true;
            CTaskLink* pStored = const_cast<CTaskLink*>(pLink);
            if (pStored->m_nSuccID != pPred->m_nRowInGrid)
                pStored->m_nSuccID = pPred->m_nRowInGrid;
            if (!(pStored->m_strPredName == pPred->m_strName))
                pStored->m_strPredName = pPred->m_strName;
            pStored->m_pSchedulePred = pPred;
            m_nResolvedLinks++;
            pPred->m_scheduleSuccs.push_back(pTask);
            return false;
        });
    }
}

bool CProjectSchedule::Holds(const CTaskItem* pTask) const
{
    const int r = pTask ? pTask->m_nRowInGrid : 0;
    return r > 0 && r < (int)m_rows.size() && m_rows[(size_t)r] == pTask;
}

CTaskItem* CProjectSchedule::Parent(const CTaskItem* pTask) const
{
    if (!Holds(pTask))
        return nullptr;
    return m_rows[(size_t)m_parentRow[(size_t)pTask->m_nRowInGrid]];
}

CTaskItem* CProjectSchedule::Predecessor(const CTaskLink* pLink) const
{
    return pLink ? pLink->m_pSchedulePred : nullptr;
}

CTaskItem* CProjectSchedule::AddTask(CTaskItem* pParent, int nIndex, const CString& strName,
                                     const COleDateTime& start, int nDays)
{
    if (pParent && !Holds(pParent))
        return nullptr;
    CTaskItem* pTask = new CTaskItem;
    pTask->m_strName = strName;
    pTask->m_dtStart = SkipRestDays(start);
    schedulerules::NewTaskPlanDates(m_calendar, pTask, pTask->m_dtStart);
    ApplyDuration(pTask, nDays);
    pTask->m_nFlag = FLAG_NEW;
    KeepOwnDuration(pParent);
    InsertAt(ChildList(pParent), nIndex, pTask);
    Renumber();
    // Put in above the task that follows it, as the grid inserts a row: the blank rows above
    // that task now stand above the new one.
    if (CTaskItem* pNext = TaskAfterRow(pTask->m_nRowInGrid); pNext && GapBefore(pNext) > 0)
    {
        pTask->m_nScheduleGap = pNext->m_nScheduleGap;
        pNext->m_nScheduleGap = 0;
        Renumber();
    }
    StructureChanged();
    return pTask;
}

void CProjectSchedule::ForgetSubtree(CTaskItem* pTask)
{
    std::vector<CTaskItem*> gone;
    AddSubtree(pTask, gone);
    std::unordered_map<const CTaskItem*, bool> isGone;
    for (CTaskItem* p : gone)
    {
        isGone[p] = true;
        m_touched.erase(p);
    }
    m_reshaped.erase(std::remove_if(m_reshaped.begin(), m_reshaped.end(), [&](CTaskItem* p) { return isGone.count(p) > 0; }),
                     m_reshaped.end());
    // The links that name a task that goes, held by tasks that stay.
    for (CTaskItem* p : gone)
    {
        std::vector<CTaskItem*> succs;
        succs.swap(p->m_scheduleSuccs);
        std::sort(succs.begin(), succs.end());
        succs.erase(std::unique(succs.begin(), succs.end()), succs.end());
        for (CTaskItem* pSucc : succs)
            if (!isGone.count(pSucc))
                RemoveTaskLinksIf(pSucc, [&](const CTaskLink* pLink) {
                    if (!pLink || pLink->m_pSchedulePred != p)
                        return false;
                    m_nResolvedLinks--;
                    return true;
                });
    }
    // The links the tasks that go hold.
    for (CTaskItem* p : gone)
        ReleaseLinksOf(p);
}

void CProjectSchedule::RemoveTask(CTaskItem* pTask)
{
    if (TakeOutTask(pTask))
        delete pTask;
}

bool CProjectSchedule::TakeOutTask(CTaskItem* pTask)
{
    if (!Holds(pTask))
        return false;
    CTaskItem* pParent = Parent(pTask);
    // The grid deletes the subtree's rows; the blank rows among them stay, above the task
    // that follows.
    std::vector<CTaskItem*> gone;
    AddSubtree(pTask, gone);
    int nLast = 0, nGaps = 0;
    // The header dates and critical chains stay while none of the tasks that go is on a
    // chain or bounds the span: the links they lose named no task of a chain.
    bool bSpanKept = m_bSpanKnown;
    for (const CTaskItem* p : gone)
    {
        nLast = std::max(nLast, p->m_nRowInGrid);
        nGaps += GapBefore(p);
        bSpanKept = bSpanKept && !m_chain.count(p) && !(p->m_dtStart == m_dtFirst) && !(p->m_dtFinish == m_dtLast);
    }
    if (!RemoveFrom(ChildList(pParent), pTask))
        return false;
    Reshaped(pParent);
    if (CTaskItem* pNext = TaskAfterRow(nLast); pNext && nGaps > 0)
        pNext->m_nScheduleGap += nGaps;
    ForgetSubtree(pTask);
    // (A summary left without children keeps its span as its duration, as the grid's delete
    // leaves it; only a level change gives it its own duration back.)
    if (gone.size() == 1)
    {
        // One row out: the rows below move up, without a walk of the tree; blank rows left
        // with no task below them are no rows of the schedule.
        const int nRow = pTask->m_nRowInGrid;
        m_rows.erase(m_rows.begin() + nRow);
        m_parentRow.erase(m_parentRow.begin() + nRow);
        ShiftRowsBelow(nRow, -1);
        while (m_rows.size() > 1 && !m_rows.back())
        {
            m_rows.pop_back();
            m_parentRow.pop_back();
        }
    }
    else
        Renumber();
    StructureChanged(bSpanKept);
    return true;
}

bool CProjectSchedule::PutInTask(CTaskItem* pTask, CTaskItem* pAfter, int nRow)
{
    const int nRows = (int)m_rows.size();
    if (!pTask || Holds(pTask) || !pTask->m_listChildren.IsEmpty() || !pTask->m_listLinks.IsEmpty() || nRow < 1 ||
        (nRow < nRows && m_rows[(size_t)nRow]))
        return false;
    CTaskItem* pAbove = nullptr;
    for (int r = std::min(nRow, nRows) - 1; r >= 1 && !pAbove; r--)
        pAbove = m_rows[(size_t)r];
    if (pAbove != pAfter || (pAfter && !pAfter->m_listChildren.IsEmpty()))
        return false;
    CTaskItem* pParent = pAfter ? Parent(pAfter) : nullptr;
    CTaskItemList& list = ChildList(pParent);
    if (POSITION pos = pAfter ? list.Find(pAfter) : NULL)
        list.InsertAfter(pos, pTask);
    else if (!pAfter)
        list.AddHead(pTask);
    else
        return false;
    const int nParentRow = pParent ? pParent->m_nRowInGrid : 0;
    if (CTaskItem* pNext = nRow < nRows ? TaskAfterRow(nRow) : nullptr)
    {
        // The blank rows before the next task: those above the row stay before the new one.
        const int nFirstBlank = pNext->m_nRowInGrid - pNext->m_nScheduleGap;
        pTask->m_nScheduleGap = nRow - nFirstBlank;
        pNext->m_nScheduleGap = pNext->m_nRowInGrid - nRow - 1;
        m_rows[(size_t)nRow] = pTask;
        m_parentRow[(size_t)nRow] = nParentRow;
    }
    else
    {
        pTask->m_nScheduleGap = nRow - nRows;
        m_rows.resize((size_t)nRow, nullptr);
        m_parentRow.resize((size_t)nRow, 0);
        m_rows.push_back(pTask);
        m_parentRow.push_back(nParentRow);
    }
    Reshaped(pParent);
    pTask->m_nRowInGrid = nRow;
    pTask->m_scheduleSuccs.clear();
    pTask->m_nScheduleWalk = m_nWalk;
    // Its own mark, as the whole project's marks are taken; a task inside the span and on
    // no link is on no critical chain.
    CProjectSpanWalk span;
    span.TakeInMark(pTask, nRow);
    const bool bInside = IsSetDate(pTask->m_dtStart) && IsSetDate(pTask->m_dtFinish) &&
                         !(pTask->m_dtStart < m_dtFirst) && pTask->m_dtFinish < m_dtLast;
    StructureChanged(bInside);
    return true;
}

void CProjectSchedule::InsertBlankRow(int nRow)
{
    if (nRow < 1 || nRow >= (int)m_rows.size())
        return;  // below the last task: no task moves
    // The blank row stands right before the task that now follows it.
    CTaskItem* pNext = m_rows[(size_t)nRow] ? m_rows[(size_t)nRow] : TaskAfterRow(nRow);
    if (!pNext)
        return;
    pNext->m_nScheduleGap++;
    m_rows.insert(m_rows.begin() + nRow, nullptr);
    m_parentRow.insert(m_parentRow.begin() + nRow, 0);
    ShiftRowsBelow(nRow, 1);
    StructureChanged(true);
}

void CProjectSchedule::RemoveBlankRow(int nRow)
{
    if (nRow < 1 || nRow >= (int)m_rows.size() || m_rows[(size_t)nRow])
        return;  // below the last task no task moves
    // (The rows end with a task: a blank row is one of the blank rows before the next.)
    TaskAfterRow(nRow)->m_nScheduleGap--;
    m_rows.erase(m_rows.begin() + nRow);
    m_parentRow.erase(m_parentRow.begin() + nRow);
    ShiftRowsBelow(nRow, -1);
    StructureChanged(true);
}

void CProjectSchedule::ShiftRowsBelow(int nAt, int nDelta)
{
    // Old rows from nFrom on moved by nDelta: they now start at nFrom + nDelta.
    const int nFrom = nDelta > 0 ? nAt : nAt + 1;
    const int nRows = (int)m_rows.size();
    for (int r = nFrom + nDelta; r < nRows; r++)
        if (m_parentRow[(size_t)r] >= nFrom)
            m_parentRow[(size_t)r] += nDelta;
    for (int r = nFrom + nDelta; r < nRows; r++)
    {
        CTaskItem* pTask = m_rows[(size_t)r];
        if (!pTask)
            continue;
        pTask->m_nRowInGrid = r;
        // The stored form of the links naming it follows its row.
        for (CTaskItem* pSucc : pTask->m_scheduleSuccs)
            for (POSITION pos = pSucc->m_listLinks.GetHeadPosition(); pos != NULL;)
            {
                CTaskLink* pLink = pSucc->m_listLinks.GetNext(pos);
                if (pLink && pLink->m_pSchedulePred == pTask && pLink->m_nSuccID != r)
                    pLink->m_nSuccID = r;
            }
    }
}

int CProjectSchedule::MoveTask(CTaskItem* pTask, CTaskItem* pParent, int nIndex)
{
    return MoveTasks({{pTask, pParent, nIndex}});
}

bool CProjectSchedule::MayMove(const Move& move) const
{
    if (!Holds(move.pTask) || (move.pParent && !Holds(move.pParent)))
        return false;
    for (const CTaskItem* p = move.pParent; p; p = Parent(p))
        if (p == move.pTask)
            return false;
    return true;
}

void CProjectSchedule::TakeOffLinksOf(CTaskItem* pTask, std::vector<std::pair<CTaskItem*, CTaskLink*>>& touching,
                                      std::unordered_set<const CTaskLink*>& taken)
{
    std::vector<CTaskItem*> moved;
    AddSubtree(pTask, moved);
    for (CTaskItem* p : moved)
    {
        // Its own links, and those of its successors that name it.
        for (POSITION pos = p->m_listLinks.GetHeadPosition(); pos != NULL;)
        {
            CTaskLink* pLink = p->m_listLinks.GetNext(pos);
            if (Predecessor(pLink) && taken.insert(pLink).second)
                touching.emplace_back(p, pLink);
        }
        std::vector<CTaskItem*> succs = p->m_scheduleSuccs;
        std::sort(succs.begin(), succs.end());
        succs.erase(std::unique(succs.begin(), succs.end()), succs.end());
        for (CTaskItem* pSucc : succs)
            for (POSITION pos = pSucc->m_listLinks.GetHeadPosition(); pos != NULL;)
            {
                CTaskLink* pLink = pSucc->m_listLinks.GetNext(pos);
                if (Predecessor(pLink) == p && taken.insert(pLink).second)
                    touching.emplace_back(pSucc, pLink);
            }
    }
}

int CProjectSchedule::MoveTasks(const std::vector<Move>& moves, bool bLevelChange)
{
    // The links into and out of the moved subtrees are taken off the graph, the tree changed
    // move by move, and the links put back together, as the grid's level change drops them:
    // those joining a task to its ancestor or descendant go, then every other one that lies
    // on a cycle (judged together, so the order of the links does not matter). Without
    // them the graph has none, as the tree alone has none.
    std::vector<std::pair<CTaskItem*, CTaskLink*>> touching;  // (successor, link)
    std::unordered_set<const CTaskLink*> taken;
    bool bMoved = false;
    for (const Move& move : moves)
    {
        if (!MayMove(move))
            continue;
        const size_t nBefore = touching.size();
        TakeOffLinksOf(move.pTask, touching, taken);
        for (size_t i = nBefore; i < touching.size(); i++)
        {
            std::vector<CTaskItem*>& succs = touching[i].second->m_pSchedulePred->m_scheduleSuccs;
            succs.erase(std::find(succs.begin(), succs.end(), touching[i].first));
        }
        CTaskItem* pOldParent = Parent(move.pTask);
        RemoveFrom(ChildList(pOldParent), move.pTask);
        KeepOwnDuration(move.pParent);
        InsertAt(ChildList(move.pParent), move.nIndex, move.pTask);
        Renumber();
        if (bLevelChange)
            RegainOwnDuration(pOldParent);
        bMoved = true;
    }
    if (!bMoved)
        return -1;

    // First the links that now join a task to its own ancestor or descendant (each a cycle
    // by itself), then, all together, those the others leave on a cycle.
    auto isUnder = [this](const CTaskItem* pTask, const CTaskItem* pAbove) {
        for (const CTaskItem* p = Parent(pTask); p; p = Parent(p))
            if (p == pAbove)
                return true;
        return false;
    };
    std::vector<std::pair<CTaskItem*, CTaskLink*>> dropped, kept;
    for (const auto& [pSucc, pLink] : touching)
    {
        const CTaskItem* pPred = pLink->m_pSchedulePred;
        if (isUnder(pSucc, pPred) || isUnder(pPred, pSucc))
            dropped.emplace_back(pSucc, pLink);
        else
        {
            kept.emplace_back(pSucc, pLink);
            pLink->m_pSchedulePred->m_scheduleSuccs.push_back(pSucc);
        }
    }
    std::vector<std::pair<CTaskItem*, CTaskLink*>> cyclic;
    for (const auto& [pSucc, pLink] : kept)
        if (Reaches(2 * pSucc->m_nRowInGrid, 2 * pLink->m_pSchedulePred->m_nRowInGrid + 1))
            cyclic.emplace_back(pSucc, pLink);
    for (const auto& [pSucc, pLink] : cyclic)
    {
        std::vector<CTaskItem*>& succs = pLink->m_pSchedulePred->m_scheduleSuccs;
        succs.erase(std::find(succs.begin(), succs.end(), pSucc));
        dropped.emplace_back(pSucc, pLink);
    }
    for (const auto& [pSucc, pLink] : dropped)
    {
        pLink->m_pSchedulePred = nullptr;
        m_nResolvedLinks--;
        const CTaskLink* pGone = pLink;
        RemoveTaskLinksIf(pSucc, [pGone](const CTaskLink* p) { return p == pGone; });
    }
    StructureChanged();
    return (int)dropped.size();
}

void CProjectSchedule::NextNodes(int nNode, std::vector<int>& next) const
{
    next.clear();
    const int r = nNode >> 1;
    const CTaskItem* pTask = m_rows[(size_t)r];
    if ((nNode & 1) == 0)
    {
        // Placed, a task's final dates follow, and so does its children's placement.
        next.push_back(nNode + 1);
        for (POSITION pos = pTask->m_listChildren.GetHeadPosition(); pos != NULL;)
            if (const CTaskItem* pChild = pTask->m_listChildren.GetNext(pos))
                next.push_back(2 * pChild->m_nRowInGrid);
        return;
    }
    // Final, its summary's final dates follow, and its successors' placement.
    if (m_parentRow[(size_t)r] > 0)
        next.push_back(2 * m_parentRow[(size_t)r] + 1);
    for (const CTaskItem* pSucc : pTask->m_scheduleSuccs)
        next.push_back(2 * pSucc->m_nRowInGrid);
}

bool CProjectSchedule::Reaches(int nFrom, int nTo) const
{
    std::unordered_map<int, bool> seen;
    std::vector<int> pending(1, nFrom), next;
    seen[nFrom] = true;
    while (!pending.empty())
    {
        const int n = pending.back();
        pending.pop_back();
        if (n == nTo)
            return true;
        NextNodes(n, next);
        for (int m : next)
            if (seen.emplace(m, true).second)
                pending.push_back(m);
    }
    return false;
}

CTaskLink* CProjectSchedule::AddLink(CTaskItem* pSucc, CTaskItem* pPred, int nType, int nLag)
{
    if (!Holds(pSucc) || !Holds(pPred) || pSucc == pPred)
        return nullptr;
    for (POSITION pos = pSucc->m_listLinks.GetHeadPosition(); pos != NULL;)
        if (Predecessor(pSucc->m_listLinks.GetNext(pos)) == pPred)
            return nullptr;
    // The new edge runs from the predecessor's final dates to the successor's placement.
    if (Reaches(2 * pSucc->m_nRowInGrid, 2 * pPred->m_nRowInGrid + 1))
        return nullptr;
    CTaskLink* pLink = new CTaskLink;
    pLink->m_strPredName = pPred->m_strName;
    pLink->m_nPredID = pPred->m_nTaskID;
    pLink->m_nSuccID = pPred->m_nRowInGrid;
    pLink->m_nType = nType;
    pLink->m_nLag = nLag;
    pSucc->m_listLinks.AddTail(pLink);
    pLink->m_pSchedulePred = pPred;
    m_nResolvedLinks++;
    pPred->m_scheduleSuccs.push_back(pSucc);
    LinksChanged();
    Touch(pSucc);
    Touch(pPred);
    return pLink;
}

void CProjectSchedule::RemoveLink(CTaskItem* pSucc, CTaskLink* pLink)
{
    if (!Holds(pSucc) || !pSucc->m_listLinks.Find(pLink))
        return;
    if (CTaskItem* pPred = pLink->m_pSchedulePred)
    {
        Touch(pPred);
        ReleaseLink(pSucc, pLink);
    }
    RemoveTaskLinksIf(pSucc, [&](const CTaskLink* p) { return p == pLink; });
    LinksChanged();
    Touch(pSucc);
}

std::string CProjectSchedule::VerifyKept() const
{
    std::ostringstream err;
    // Rows and parents: the tree read afresh.
    std::vector<std::pair<const CTaskItem*, int>> pending;
    for (POSITION pos = m_roots.GetTailPosition(); pos != NULL;)
        pending.emplace_back(m_roots.GetPrev(pos), 0);
    size_t nRow = 1;
    while (!pending.empty())
    {
        const auto [pTask, nParent] = pending.back();
        pending.pop_back();
        for (int nGap = GapBefore(pTask); nGap > 0; nGap--, nRow++)
            if (nRow >= m_rows.size() || m_rows[nRow])
                err << "row " << nRow << " is not blank\n";
        if (nRow >= m_rows.size() || m_rows[nRow] != pTask || pTask->m_nRowInGrid != (int)nRow)
            err << "row " << nRow << " is not " << (LPCTSTR)pTask->m_strName << "\n";
        else if (m_parentRow[nRow] != nParent)
            err << "row " << nRow << " has parent row " << m_parentRow[nRow] << " not " << nParent << "\n";
        for (POSITION pos = pTask->m_listChildren.GetTailPosition(); pos != NULL;)
            pending.emplace_back(pTask->m_listChildren.GetPrev(pos), (int)nRow);
        nRow++;
    }
    if (nRow != m_rows.size())
        err << "the tree and its blank rows take " << nRow - 1 << " rows, the rows are " << m_rows.size() - 1 << "\n";
    // Links: each resolved one held by a task of the tree, stored by its predecessor's row,
    // and its successor listed once for it.
    std::unordered_map<const CTaskItem*, std::vector<CTaskItem*>> succ;
    size_t nHeld = 0;
    for (CTaskItem* pTask : m_rows)
        for (POSITION pos = pTask ? pTask->m_listLinks.GetHeadPosition() : NULL; pos != NULL;)
        {
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            CTaskItem* pPred = Predecessor(pLink);
            if (!pPred)
                continue;
            nHeld++;
            succ[pPred].push_back(pTask);
            if (pLink->m_nSuccID != pPred->m_nRowInGrid)
                err << (LPCTSTR)pTask->m_strName << "'s link names row " << pLink->m_nSuccID << ", its predecessor "
                    << (LPCTSTR)pPred->m_strName << " sits in row " << pPred->m_nRowInGrid << "\n";
        }
    if (nHeld != m_nResolvedLinks)
        err << m_nResolvedLinks << " links resolved, " << nHeld << " held by the tasks\n";
    for (auto& [pPred, succs] : succ)
    {
        std::vector<CTaskItem*> kept = pPred->m_scheduleSuccs;
        std::sort(kept.begin(), kept.end());
        std::sort(succs.begin(), succs.end());
        if (kept != succs)
            err << "the successors of " << (LPCTSTR)pPred->m_strName << " are out of date\n";
    }
    for (const CTaskItem* pPred : m_rows)
        if (pPred && !pPred->m_scheduleSuccs.empty() && !succ.count(pPred))
            err << "successors kept for " << (LPCTSTR)pPred->m_strName << ", which has none\n";
    // Summaries: each not waiting to be named by TakeReshapedSummaries spans its children.
    if (!m_bAllReshaped)
        for (const CTaskItem* pTask : m_rows)
        {
            COleDateTime start, finish;
            if (pTask && schedulerules::ChildrenSpan(pTask, start, finish) &&
                !(pTask->m_dtStart == start && pTask->m_dtFinish == finish) &&
                std::find(m_reshaped.begin(), m_reshaped.end(), pTask) == m_reshaped.end())
                err << "the summary " << (LPCTSTR)pTask->m_strName << " does not span its children\n";
        }
    err << VerifySpan();
    return err.str();
}
