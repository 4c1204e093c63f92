// The task tree view: the schedule settled after an edit. Every link gives its successor an
// earliest start or finish (LinkRequirement, from the shared link rule); after a change
// every task reached is checked once all the tasks it depends on are final, and moves
// exactly when it is earlier than one of its links allows. Summaries span their children:
// a summary moved by its own links shifts its children, and its dates are rolled up from
// them before its successors are checked.
#include "TaskTreeView.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_set>
#include <utility>
#include <vector>

#include <ClassLib/Core/WorkingDays.h>

#include "GridDateTimeCtrl.h"
#include "ProjectDoc.h"
#include "TaskItem.h"
#include "ScheduleRules.h"
#include "TaskScheduleGraph.h"

using schedulerules::ChildrenSpan;
using schedulerules::DateOf;
using schedulerules::DayOf;

namespace
{
BOOL IsValidDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
}

void FoldLater(COleDateTime& date, const COleDateTime& other)
{
    if (IsValidDate(other) && (!IsValidDate(date) || other > date))
        date = other;
}

} // namespace

int CTaskTreeView::LinkRequirement(int nType, int nLag, const CTaskItem& pred, COleDateTime& required)
{
    // The shared link rule, on the day number of the predecessor's date the link leaves from.
    const COleDateTime& from = workdays::LeavesFromFinish(nType) ? pred.m_dtFinish : pred.m_dtStart;
    if (!IsValidDate(from))
        return linkBoundsNothing;
    const auto isRest = [this](long nDay) { return IsRestDay(COleDateTime((DATE)nDay)) != FALSE; };
    long nRequired = 0;
    switch (workdays::LinkRequirement(isRest, nType, nLag, DayOf(from), nRequired))
    {
    case workdays::kBoundsStart:
        required = COleDateTime((DATE)nRequired);
        return linkBoundsStart;
    case workdays::kBoundsFinish:
        required = COleDateTime((DATE)nRequired);
        return linkBoundsFinish;
    default:
        return linkBoundsNothing;
    }
}

void CTaskTreeView::KeepMilestone(CTaskItem* pTask)
{
    if (pTask)
        pTask->m_nMilestone = pTask->m_nDuration == 0 ? 1 : 0;
}

void CTaskTreeView::PropagateDates(int nRow)
{
    SettleSchedule(std::vector<int>(1, nRow));
}

int CTaskTreeView::s_nUnsettledSummaries = 0;

BOOL CTaskTreeView::AllSummaries(std::vector<CTaskItem*>& order)
{
    // Children before their summary, the last child first: the summaries from the last
    // row up.
    CProjectDoc* pDoc = GetDocument();
    order.clear();
    std::vector<std::pair<CTaskItem*, BOOL>> pending;
    for (POSITION pos = pDoc->m_listTasks.GetHeadPosition(); pos != NULL;)
        pending.emplace_back(pDoc->m_listTasks.GetNext(pos), FALSE);
    while (!pending.empty())
    {
        auto [pTask, bChildrenDone] = pending.back();
        pending.pop_back();
        if (!pTask || pTask->m_listChildren.IsEmpty())
            continue;
        if (bChildrenDone)
        {
            order.push_back(pTask);
            continue;
        }
        pending.emplace_back(pTask, TRUE);
        for (POSITION pos = pTask->m_listChildren.GetHeadPosition(); pos != NULL;)
            pending.emplace_back(pTask->m_listChildren.GetNext(pos), FALSE);
        if (pending.size() > 4 * (size_t)m_Grid.GetRowCount() + 64)
            return FALSE; // a damaged tree that loops
    }
    return TRUE;
}

BOOL CTaskTreeView::ChangedSummaries(std::vector<CTaskItem*>& order)
{
    // Each in the row the last rebuild gave it (no row moves without one); the tree follows
    // the rows, so that the last row first is children before their summary, as in the
    // whole pass.
    if (!m_bChangedSummariesClosed)
        return FALSE;
    const std::vector<CTaskItem*>& rows = m_Grid.RowTasks();
    order.clear();
    for (CTaskItem* pTask : m_changedSummaries)
    {
        const int r = pTask->m_nRowInGrid;
        if (r <= 0 || r >= (int)rows.size() || rows[(size_t)r] != pTask)
            return FALSE;
        if (!pTask->m_listChildren.IsEmpty())
            order.push_back(pTask);
    }
    std::sort(order.begin(), order.end(),
              [](const CTaskItem* a, const CTaskItem* b) { return a->m_nRowInGrid > b->m_nRowInGrid; });
    order.erase(std::unique(order.begin(), order.end()), order.end());
    return TRUE;
}

BOOL CTaskTreeView::SpansChildren(const CTaskItem* pTask)
{
    COleDateTime start, finish;
    return !ChildrenSpan(pTask, start, finish) || (pTask->m_dtStart == start && pTask->m_dtFinish == finish);
}

BOOL CTaskTreeView::SettleSummaries()
{
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc || m_nEditDepth > 0)
        return FALSE;
    std::vector<CTaskItem*> order;
    const BOOL bKnown = m_bSummariesKnown && ChangedSummaries(order);
    if (!bKnown && !AllSummaries(order))
        return FALSE;
    if (bKnown && s_bVerifyScheduleGraph)
    {
        // Every summary left out already spans its children: the whole pass would roll up
        // no other.
        std::vector<CTaskItem*> all;
        const std::unordered_set<const CTaskItem*> known(order.begin(), order.end());
        if (AllSummaries(all))
            for (const CTaskItem* pTask : all)
                if (!known.count(pTask) && !SpansChildren(pTask))
                    s_nUnsettledSummaries++;
    }
    m_changedSummaries.clear();
    m_bSummariesKnown = TRUE;
    std::vector<int> seeds;
    for (CTaskItem* pTask : order)
    {
        const COleDateTime start = pTask->m_dtStart, finish = pTask->m_dtFinish;
        RollUpSummary(pTask);
        // The row is looked up only for a summary that moved (most do not).
        if (pTask->m_dtStart == start && pTask->m_dtFinish == finish)
            continue;
        const int nRow = RowOfTask(pTask);
        if (nRow > 0)
            seeds.push_back(nRow);
    }
    if (!seeds.empty())
        SettleSchedule(seeds);
    return !seeds.empty();
}

void CTaskTreeView::SettleSchedule(const std::vector<int>& seeds)
{
    // A run settles everything it reaches: a call made while one is under way adds nothing.
    if (m_nEditDepth > 0)
        return;
    m_nEditDepth++;
    BeginRestCache();

    // The reached nodes in the order they were found, and the edges between them, on the
    // kept graph; each task reached is checked against the grid, and a graph found out of
    // date is built again and the walk made afresh.
    const CScheduleGraph* pGraph = &ScheduleGraph();
    int nNodes = 2 * (int)pGraph->rows.size();
    std::vector<int>& index = m_scheduleIndex;
    if ((int)index.size() < nNodes)
        index.resize((size_t)nNodes, -1);
    std::vector<int> order, adjStart, adj;
    for (int nTry = 0;; nTry++)
    {
        const CScheduleGraph& graph = *pGraph;
        BOOL bHolds = TRUE;
        auto reach = [&](int node) {
            if (index[(size_t)node] < 0)
            {
                index[(size_t)node] = (int)order.size();
                order.push_back(node);
                const int r = node >> 1;
                if (!graph.Holds(r, RowTask(r)))
                    bHolds = FALSE;
            }
        };
        // The changed tasks, and those of their summaries (already rolled up to them) whose
        // own links they have made fail.
        for (int nRow : seeds)
        {
            if (nRow <= 0 || nRow >= (int)graph.rows.size())
                continue;
            CTaskItem* pTask = RowTask(nRow);
            if (!graph.Holds(nRow, pTask))
                bHolds = FALSE;
            if (!pTask || !bHolds)
                continue;
            reach(2 * nRow);
            // (A damaged tree whose parents loop ends the walk up.)
            int nSteps = 0;
            for (int a = graph.parent[nRow]; a > 0 && nSteps < nNodes; a = graph.parent[a], nSteps++)
            {
                COleDateTime needStart, needFinish;
                if (RequiredDates(graph.rows[a], needStart, needFinish))
                    reach(2 * a);
            }
        }
        for (size_t i = 0; i < order.size() && bHolds; i++)
        {
            adjStart.push_back((int)adj.size());
            graph.ForEachNext(order[i], [&](int next) {
                reach(next);
                adj.push_back(index[(size_t)next]);
            });
        }
        adjStart.push_back((int)adj.size());
        if (bHolds || nTry > 0)
            break;
        for (int node : order)
            index[(size_t)node] = -1;
        order.clear();
        adjStart.clear();
        adj.clear();
        InvalidateScheduleGraph();
        pGraph = &ScheduleGraph();
        nNodes = 2 * (int)pGraph->rows.size();
        if ((int)index.size() < nNodes)
            index.resize((size_t)nNodes, -1);
    }
    const CScheduleGraph& graph = *pGraph;
    for (int node : order)
        index[(size_t)node] = -1;
    if (adjStart.size() != order.size() + 1)
        order.clear(); // (a fresh graph always holds: never reached)

    // The strongly connected parts of the reached nodes (Tarjan's walk, without recursion),
    // found after everything they lead to: worked through in the reverse order, each node
    // comes after all it depends on. A part of more than one node is a link cycle from
    // stored data: it is entered at its first-found node, whose task keeps its dates.
    std::vector<int> parts, partStart;
    ScheduleParts((int)order.size(), adjStart, adj, parts, partStart);
    for (int p = (int)partStart.size() - 2; p >= 0; p--)
    {
        auto first = parts.begin() + partStart[p], last = parts.begin() + partStart[p + 1];
        std::sort(first, last);
        // A summary on a cycle may be left not spanning its children: the next
        // SettleSummaries rolls up every summary.
        if (last - first > 1)
            m_bSummariesKnown = FALSE;
        for (auto it = first; it != last; ++it)
        {
            const int node = order[*it];
            const int r = node >> 1;
            if ((node & 1) == 0)
            {
                if (it != first || last - first == 1)
                    SettleTask(graph.rows[r]);
            }
            else if (!graph.rows[r]->m_listChildren.IsEmpty())
                RollUpSummary(graph.rows[r]);
        }
        // On a cycle a summary may have been rolled up before children of the same cycle
        // moved: once they are settled, it spans them (the deeper summaries, lower rows,
        // first).
        if (last - first > 1)
        {
            std::vector<int> summaryRows;
            for (auto it = first; it != last; ++it)
                if ((order[*it] & 1) && !graph.rows[order[*it] >> 1]->m_listChildren.IsEmpty())
                    summaryRows.push_back(order[*it] >> 1);
            std::sort(summaryRows.rbegin(), summaryRows.rend());
            for (int r : summaryRows)
                RollUpSummary(graph.rows[r]);
        }
    }

    EndRestCache();
    m_nEditDepth--;
    if (m_bDatesWritten && m_Grid.GetSafeHwnd())
        m_Grid.Invalidate(FALSE);
    m_bDatesWritten = FALSE;
}

BOOL CTaskTreeView::RequiredDates(CTaskItem* pTask, COleDateTime& needStart, COleDateTime& needFinish)
{
    needStart.SetStatus(COleDateTime::invalid);
    needFinish.SetStatus(COleDateTime::invalid);
    const int nRows = m_Grid.GetRowCount();
    POSITION pos = pTask->m_listLinks.GetHeadPosition();
    while (pos != NULL)
    {
        const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
        if (!pLink || pLink->m_nSuccID <= 0 || pLink->m_nSuccID >= nRows)
            continue;
        const CTaskItem* pPred = RowTask(pLink->m_nSuccID);
        if (!pPred || pPred == pTask)
            continue;
        COleDateTime required;
        switch (LinkRequirement(pLink->m_nType, pLink->m_nLag, *pPred, required))
        {
        case linkBoundsStart:
            FoldLater(needStart, required);
            break;
        case linkBoundsFinish:
            FoldLater(needFinish, required);
            break;
        default:
            break;
        }
    }
    const BOOL bStartLate = IsValidDate(needStart) && IsValidDate(pTask->m_dtStart) && pTask->m_dtStart < needStart;
    const BOOL bFinishLate =
        IsValidDate(needFinish) && IsValidDate(pTask->m_dtFinish) && pTask->m_dtFinish < needFinish;
    return bStartLate || bFinishLate;
}

void CTaskTreeView::SettleTask(CTaskItem* pTask)
{
    const BOOL bSummary = !pTask->m_listChildren.IsEmpty();
    if (bSummary)
        RollUpSummary(pTask); // its links are checked against its children as they stand
    COleDateTime needStart, needFinish;
    if (!RequiredDates(pTask, needStart, needFinish))
        return;
    const auto isRest = [this](long nDay) { return IsRestDay(DateOf(nDay)) != FALSE; };
    const long nNeedStart = IsValidDate(needStart) ? DayOf(needStart) : schedulerules::kNoDay;
    const long nNeedFinish = IsValidDate(needFinish) ? DayOf(needFinish) : schedulerules::kNoDay;
    if (bSummary)
    {
        // Its children move on together by the fewest working days that satisfy every link
        // of the summary, each keeping its place among the working days; the summary then
        // spans them again.
        ShiftChildren(pTask, (int)std::min<long long>(INT_MAX, schedulerules::SummaryShift(isRest, DayOf(pTask->m_dtStart),
                                                                                    DayOf(pTask->m_dtFinish), nNeedStart,
                                                                                    nNeedFinish)));
        RollUpSummary(pTask);
        return;
    }
    // Moved to the earliest dates all its links allow, keeping its working days.
    long nStart = DayOf(pTask->m_dtStart), nFinish = DayOf(pTask->m_dtFinish);
    schedulerules::PlaceTask(isRest, WorkingDays(pTask->m_dtStart, pTask->m_dtFinish), nNeedStart, nNeedFinish, nStart,
                             nFinish);
    pTask->m_dtStart = DateOf(nStart);
    pTask->m_dtFinish = DateOf(nFinish);
    KeepTaskDeadline(pTask);
    MarkModified(pTask);
    WriteRowDates(pTask, FALSE);
}

COleDateTime CTaskTreeView::AddWorkingDays(const COleDateTime& date, int nDays)
{
    if (nDays <= 0 || !IsValidDate(date))
        return date;
    const auto isRest = [this](long nDay) { return IsRestDay(DateOf(nDay)) != FALSE; };
    return DateOf(schedulerules::ShiftDay(isRest, DayOf(date), nDays));
}

void CTaskTreeView::RollUpSummary(CTaskItem* pTask)
{
    COleDateTime start, finish;
    if (!ChildrenSpan(pTask, start, finish))
        return;
    if (pTask->m_dtStart == start && pTask->m_dtFinish == finish)
        return;
    pTask->m_dtStart = start;
    pTask->m_dtFinish = finish;
    KeepTaskDeadline(pTask);
    pTask->m_nDuration = schedulerules::DurationOfDays(WorkingDays(start, finish));
    pTask->m_nTrueDuration = SumChildTrueDurations(pTask);
    KeepMilestone(pTask);
    MarkModified(pTask);
    WriteRowDates(pTask, TRUE);
}

void CTaskTreeView::ShiftChildren(CTaskItem* pTask, int nDays)
{
    if (!pTask || nDays <= 0)
        return;
    POSITION pos = pTask->m_listChildren.GetHeadPosition();
    while (pos != NULL)
    {
        CTaskItem* pChild = pTask->m_listChildren.GetNext(pos);
        if (!pChild)
            continue;
        pChild->m_dtStart = AddWorkingDays(pChild->m_dtStart, nDays);
        pChild->m_dtFinish = AddWorkingDays(pChild->m_dtFinish, nDays);
        KeepTaskDeadline(pChild);
        MarkModified(pChild);
        WriteRowDates(pChild, FALSE);
        ShiftChildren(pChild, nDays);
    }
}

void CTaskTreeView::WriteRowDates(CTaskItem* pTask, BOOL bDays)
{
    // The texts only: the grid is repainted once, when the run ends.
    const int nRow = RowOfTask(pTask);
    if (nRow <= 0)
        return;
    m_Grid.SetItemText(nRow, 4, CGridDateTimeCtrl::FormatDate(pTask->m_dtStart));
    m_Grid.SetItemText(nRow, 5, CGridDateTimeCtrl::FormatDate(pTask->m_dtFinish));
    if (bDays)
    {
        CString strDays;
        strDays.Format(_T("%d个工作日"), DurationDays(pTask->m_nDuration));
        m_Grid.SetItemText(nRow, 3, strDays);
    }
    m_bDatesWritten = TRUE;
}

int CTaskTreeView::SumChildTrueDurations(CTaskItem* pTask)
{
    return pTask ? schedulerules::SumChildTrueDurations(pTask) : 0;
}
