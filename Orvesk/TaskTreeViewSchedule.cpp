// The task tree view: the schedule settled after an edit. Every link gives its successor an
// earliest start or finish (LinkRequirement, the one definition of a link); after a change
// every task reached is checked once all the tasks it depends on are final, and moves
// exactly when it is earlier than one of its links allows. Summaries span their children:
// a summary moved by its own links shifts its children, and its dates are rolled up from
// them before its successors are checked.
#include "TaskTreeView.h"

#include <climits>
#include <unordered_map>
#include <utility>

#include "ProjectDoc.h"
#include "TaskItem.h"

namespace
{
BOOL IsValidDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
}

void KeepDeadline(CTaskItem* pTask)
{
    if (!IsValidDate(pTask->m_dtDeadline) || pTask->m_dtDeadline < pTask->m_dtFinish)
        pTask->m_dtDeadline = pTask->m_dtFinish;
}

void FoldLater(COleDateTime& date, const COleDateTime& other)
{
    if (IsValidDate(other) && (!IsValidDate(date) || other > date))
        date = other;
}

// The tasks by grid row, their parents and the successor rows of every row, taken from
// the links at the start of a run.
struct CScheduleGraph
{
    std::vector<CTaskItem*> rows;
    std::vector<int> parent;
    std::vector<int> succStart;   // successors of row r: succ[succStart[r] .. succStart[r + 1])
    std::vector<int> succ;

    // Tasks whose stored row is not the row they sit in (rows not yet renumbered).
    std::unordered_map<const CTaskItem*, int> moved;

    void Build(std::vector<CTaskItem*> taskRows)
    {
        rows = std::move(taskRows);
        const int n = (int)rows.size();
        for (int r = 1; r < n; r++)
            if (rows[r] && rows[r]->m_nRowInGrid != r)
                moved.emplace(rows[r], r);
        parent.assign(n, 0);
        succStart.assign(n + 1, 0);
        for (int r = 1; r < n; r++)
        {
            CTaskItem* pTask = rows[r];
            if (!pTask)
                continue;
            POSITION pos = pTask->m_listChildren.GetHeadPosition();
            while (pos != NULL)
            {
                const CTaskItem* pChild = pTask->m_listChildren.GetNext(pos);
                const int c = Row(pChild);
                if (c > 0 && c != r && parent[c] == 0)
                    parent[c] = r;
            }
            pos = pTask->m_listLinks.GetHeadPosition();
            while (pos != NULL)
            {
                const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
                const int p = PredRow(pLink, r);
                if (p > 0)
                    succStart[p + 1]++;
            }
        }
        for (int r = 0; r < n; r++)
            succStart[r + 1] += succStart[r];
        succ.assign(succStart[n], 0);
        std::vector<int> fill(succStart.begin(), succStart.end() - 1);
        for (int r = 1; r < n; r++)
        {
            CTaskItem* pTask = rows[r];
            if (!pTask)
                continue;
            POSITION pos = pTask->m_listLinks.GetHeadPosition();
            while (pos != NULL)
            {
                const int p = PredRow(pTask->m_listLinks.GetNext(pos), r);
                if (p > 0)
                    succ[fill[p]++] = r;
            }
        }
    }

    // The row of a task, when it really sits there.
    int Row(const CTaskItem* pTask) const
    {
        if (!pTask)
            return 0;
        const int r = pTask->m_nRowInGrid;
        if (r > 0 && r < (int)rows.size() && rows[r] == pTask)
            return r;
        auto it = moved.find(pTask);
        return it != moved.end() ? it->second : 0;
    }

    // The predecessor row of a link of the task in row r; 0 for a link to nothing or to the
    // task itself.
    int PredRow(const CTaskLink* pLink, int r) const
    {
        if (!pLink)
            return 0;
        const int p = pLink->m_nSuccID;
        return p > 0 && p < (int)rows.size() && rows[p] && p != r ? p : 0;
    }

    // The nodes that follow a node: a task's check (2r) comes before its final dates
    // (2r + 1) and before its children's checks; a summary's final dates follow its
    // children's; a successor's check follows its predecessor's final dates.
    template <class F>
    void ForEachNext(int node, F&& f) const
    {
        const int r = node >> 1;
        CTaskItem* pTask = rows[r];
        if ((node & 1) == 0)
        {
            f(2 * r + 1);
            POSITION pos = pTask->m_listChildren.GetHeadPosition();
            while (pos != NULL)
            {
                const int c = Row(pTask->m_listChildren.GetNext(pos));
                if (c > 0 && parent[c] == r)
                    f(2 * c);
            }
            return;
        }
        if (parent[r] > 0)
            f(2 * parent[r] + 1);
        for (int i = succStart[r]; i < succStart[r + 1]; i++)
            f(2 * succ[i]);
    }
};
} // namespace

int CTaskTreeView::LinkRequirement(int nType, int nLag, const CTaskItem& pred, COleDateTime& required)
{
    // Codes 1 and 2 leave the predecessor's finish, 3 and 4 its start.
    const COleDateTime& from = nType == 1 || nType == 2 ? pred.m_dtFinish : pred.m_dtStart;
    if (!IsValidDate(from))
        return linkBoundsNothing;
    switch (nType)
    {
    case 1: // finish-to-start
        required = FinishFromStart(from, nLag + 2);
        return linkBoundsStart;
    case 2: // finish-to-finish
        required = nLag == 0 ? SkipRestDays(from) : FinishFromStart(from, nLag + 2);
        return linkBoundsFinish;
    case 3: // start-to-finish: with no lag, the last working day before the start
        required = FinishFromStart(from, nLag == 0 ? 0 : nLag + 1);
        return linkBoundsFinish;
    case 4: // start-to-start
        required = nLag == 0 ? SkipRestDays(from) : FinishFromStart(from, nLag + 2);
        return linkBoundsStart;
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
    // A run settles everything it reaches: a call made while one is under way adds nothing.
    if (m_nEditDepth > 0)
        return;
    CScheduleGraph graph;
    graph.Build(TaskRows());
    if (graph.Row(RowTask(nRow)) != nRow)
        return;
    m_nEditDepth++;
    if (m_nRestCacheDepth++ == 0)
        m_restDays.clear();

    const int nNodes = 2 * (int)graph.rows.size();
    std::vector<int> indegree(nNodes, 0);
    std::vector<char> reached(nNodes, 0), done(nNodes, 0);
    std::vector<int> order;   // the reached nodes in the order they were found

    auto reach = [&](int node) {
        if (!reached[node])
        {
            reached[node] = 1;
            order.push_back(node);
        }
    };
    // The edited task, and those of its summaries (already rolled up to it) whose own links
    // it has made fail.
    reach(2 * nRow);
    for (int a = graph.parent[nRow]; a > 0; a = graph.parent[a])
    {
        COleDateTime needStart, needFinish;
        if (RequiredDates(graph.rows[a], needStart, needFinish))
            reach(2 * a);
    }
    for (size_t i = 0; i < order.size(); i++)
        graph.ForEachNext(order[i], [&](int next) {
            indegree[next]++;
            reach(next);
        });

    // Topological order of the reached part; a link cycle from stored data is entered at
    // its first-found task, which keeps its dates.
    std::vector<int> queue;
    queue.reserve(order.size());
    for (int node : order)
        if (indegree[node] == 0)
            queue.push_back(node);
    size_t nHead = 0, nCursor = 0, nDone = 0;
    while (nDone < order.size())
    {
        BOOL bCycleEntry = FALSE;
        if (nHead == queue.size())
        {
            while (done[order[nCursor]])
                nCursor++;
            queue.push_back(order[nCursor]);
            bCycleEntry = TRUE;
        }
        const int node = queue[nHead++];
        if (done[node])
            continue;
        done[node] = 1;
        nDone++;
        const int r = node >> 1;
        if ((node & 1) == 0)
        {
            if (!bCycleEntry)
                SettleTask(graph.rows[r]);
        }
        else if (!graph.rows[r]->m_listChildren.IsEmpty())
            RollUpSummary(graph.rows[r]);
        graph.ForEachNext(node, [&](int next) {
            if (!done[next] && --indegree[next] == 0)
                queue.push_back(next);
        });
    }

    if (--m_nRestCacheDepth == 0)
        m_restDays.clear();
    m_nEditDepth--;
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
    COleDateTime needStart, needFinish;
    if (!RequiredDates(pTask, needStart, needFinish))
        return;
    const COleDateTime oldStart = pTask->m_dtStart;
    // Moved to the earliest dates all its links allow, keeping its working days.
    const int nWorkDays = WorkingDays(pTask->m_dtStart, pTask->m_dtFinish);
    if (IsValidDate(needStart) && pTask->m_dtStart < needStart)
    {
        pTask->m_dtStart = SkipRestDays(needStart);
        pTask->m_dtFinish = FinishFromStart(needStart, nWorkDays);
    }
    if (IsValidDate(needFinish) && pTask->m_dtFinish < needFinish)
    {
        pTask->m_dtFinish = SkipRestDays(needFinish);
        pTask->m_dtStart = StartFromFinish(pTask->m_dtFinish, nWorkDays);
    }
    KeepDeadline(pTask);
    MarkModified(pTask);
    const int nRow = RowOfTask(pTask);
    if (nRow > 0)
    {
        SetCellDate(nRow, 4, pTask->m_dtStart);
        SetCellDate(nRow, 5, pTask->m_dtFinish);
    }
    const long nShift = (pTask->m_dtStart - oldStart).GetDays();
    if (!pTask->m_listChildren.IsEmpty() && nShift != 0)
        ShiftChildren(pTask, (int)nShift);
}

void CTaskTreeView::RollUpSummary(CTaskItem* pTask)
{
    COleDateTime start, finish;
    start.SetStatus(COleDateTime::invalid);
    finish.SetStatus(COleDateTime::invalid);
    POSITION pos = pTask->m_listChildren.GetHeadPosition();
    while (pos != NULL)
    {
        const CTaskItem* pChild = pTask->m_listChildren.GetNext(pos);
        if (!pChild)
            continue;
        if (IsValidDate(pChild->m_dtStart) && (!IsValidDate(start) || pChild->m_dtStart < start))
            start = pChild->m_dtStart;
        FoldLater(finish, pChild->m_dtFinish);
    }
    if (!IsValidDate(start) || !IsValidDate(finish))
        return;
    if (pTask->m_dtStart == start && pTask->m_dtFinish == finish)
        return;
    pTask->m_dtStart = start;
    pTask->m_dtFinish = finish;
    KeepDeadline(pTask);
    const int nDays = WorkingDays(start, finish);
    pTask->m_nDuration = nDays * 86400;
    pTask->m_nTrueDuration = SumChildTrueDurations(pTask);
    KeepMilestone(pTask);
    MarkModified(pTask);
    const int nRow = RowOfTask(pTask);
    if (nRow > 0)
    {
        SetCellDate(nRow, 4, start);
        SetCellDate(nRow, 5, finish);
        SetCellDays(nRow, nDays);
    }
}

void CTaskTreeView::ShiftChildren(CTaskItem* pTask, int nDays)
{
    if (!pTask)
        return;
    POSITION pos = pTask->m_listChildren.GetHeadPosition();
    while (pos != NULL)
    {
        CTaskItem* pChild = pTask->m_listChildren.GetNext(pos);
        if (!pChild)
            continue;
        const COleDateTime oldStart = pChild->m_dtStart;
        pChild->m_dtStart = FinishFromStart(pChild->m_dtStart, nDays + 1);
        pChild->m_dtFinish = FinishFromStart(pChild->m_dtFinish, nDays + 1);
        KeepDeadline(pChild);
        MarkModified(pChild);
        const int nRow = RowOfTask(pChild);
        if (nRow > 0)
        {
            SetCellDate(nRow, 4, pChild->m_dtStart);
            SetCellDate(nRow, 5, pChild->m_dtFinish);
        }
        if (!pChild->m_listChildren.IsEmpty())
            ShiftChildren(pChild, (int)(pChild->m_dtStart - oldStart).GetDays());
    }
}

int CTaskTreeView::SumChildTrueDurations(CTaskItem* pTask)
{
    long long nSum = 0;
    if (!pTask)
        return 0;
    POSITION pos = pTask->m_listChildren.GetHeadPosition();
    while (pos != NULL)
        if (const CTaskItem* pChild = pTask->m_listChildren.GetNext(pos))
            nSum += pChild->m_nTrueDuration;
    if (nSum > INT_MAX)
        nSum = INT_MAX;
    if (nSum < INT_MIN)
        nSum = INT_MIN;
    return (int)nSum;
}
