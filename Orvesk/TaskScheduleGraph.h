// The tasks of the grid as the schedule sees them: by row, with their parents and the
// successor rows of every row taken from the links. Each task has two nodes: its check
// (2 x row), where its links place it, and its final dates (2 x row + 1), after its
// children's; the scheduling runs over them in order, and a link that would make them
// circular is refused.
#pragma once

#include <ClassLib/Afx.h>

#include <unordered_map>
#include <utility>
#include <vector>

#include "ReadAhead.h"
#include "TaskItem.h"

// The tasks by grid row, their parents and the successor rows of every row, taken from
// the links at the start of a run.
struct CScheduleGraph
{
    std::vector<CTaskItem*> rows;
    std::vector<int> parent;
    std::vector<int> succStart;   // successors of row r: succ[succStart[r] .. succStart[r + 1])
    std::vector<int> succ;
    // The links and children each row's task had when the graph was built.
    std::vector<int> linkCount, childCount;
    // Rows whose task has a link to itself (no edge of the graph; the link checks read it).
    std::vector<char> selfLinked;
    // Links that name a row without a task (no edge either: one would come with a task there).
    int nLinksToEmptyRows = 0;

    // Tasks whose stored row is not the row they sit in (rows not yet renumbered).
    std::unordered_map<const CTaskItem*, int> moved;
    // (predecessor row, successor row) of the links read while the graph is put together.
    std::vector<std::pair<int, int>> edges;

    void Build(std::vector<CTaskItem*> taskRows)
    {
        BeginAssembly(std::move(taskRows));
        const int n = (int)rows.size();
        for (int r = 1; r < n; r++)
            if (rows[r] && rows[r]->m_nRowInGrid != r)
                moved.emplace(rows[r], r);
        for (int r = 1; r < n; r++)
        {
            // The tasks' lists asked for a few rows ahead: their reads overlap.
            ReadAheadOf(rows, (size_t)r, &CTaskItem::m_listChildren, &CTaskItem::m_listLinks);
            CTaskItem* pTask = rows[r];
            if (!pTask)
                continue;
            childCount[r] = (int)pTask->m_listChildren.GetCount();
            POSITION pos = pTask->m_listChildren.GetHeadPosition();
            while (pos != NULL)
            {
                const CTaskItem* pChild = pTask->m_listChildren.GetNext(pos);
                const int c = Row(pChild);
                if (c > 0 && c != r && parent[c] == 0)
                    parent[c] = r;
            }
            AddLinksOf(r);
        }
        EndAssembly();
    }

    // The same graph put together by a pass that already knows the tree, every task in the
    // row it records: BeginAssembly, then for every row (in row order) its parent and
    // children count set and AddLinksOf called while the pass has the task's links at hand,
    // then EndAssembly.
    void BeginAssembly(std::vector<CTaskItem*> taskRows)
    {
        rows = std::move(taskRows);
        moved.clear();
        const int n = (int)rows.size();
        parent.assign(n, 0);
        succStart.assign(n + 1, 0);
        linkCount.assign(n, 0);
        childCount.assign(n, 0);
        selfLinked.assign(n, 0);
        nLinksToEmptyRows = 0;
        edges.clear();
        edges.reserve((size_t)n);
    }

    void AddLinksOf(int r)
    {
        const CTaskItem* pTask = rows[r];
        linkCount[r] = (int)pTask->m_listLinks.GetCount();
        POSITION pos = pTask->m_listLinks.GetHeadPosition();
        while (pos != NULL)
        {
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            const int p = PredRow(pLink, r);
            if (p > 0)
            {
                succStart[p + 1]++;
                edges.emplace_back(p, r);
            }
            else if (pLink && pLink->m_nSuccID == r)
                selfLinked[r] = 1;
            else if (pLink && pLink->m_nSuccID > 0 && pLink->m_nSuccID < (int)rows.size())
                nLinksToEmptyRows++;
        }
    }

    // The task that an empty row, named just now, holds: a task of no links and no children
    // that no tree holds yet, so that no edge or parent changes. FALSE (and the graph left as
    // it was) when a link names an empty row, or the row is not one of this graph's empty ones.
    bool PutNewTask(int r, CTaskItem* pTask)
    {
        if (nLinksToEmptyRows != 0 || !pTask || !Holds(r, NULL) || !pTask->m_listLinks.IsEmpty() ||
            !pTask->m_listChildren.IsEmpty())
            return false;
        rows[r] = pTask;
        if (pTask->m_nRowInGrid != r)
            moved[pTask] = r;
        return true;
    }

    void EndAssembly()
    {
        // The links read once: their rows placed by predecessor, in the order read.
        const int n = (int)rows.size();
        for (int r = 0; r < n; r++)
            succStart[r + 1] += succStart[r];
        succ.assign(succStart[n], 0);
        std::vector<int> fill(succStart.begin(), succStart.end() - 1);
        for (const std::pair<int, int>& edge : edges)
            succ[fill[edge.first]++] = edge.second;
        edges.clear();
    }

    // TRUE when a build from taskRows would make this very graph (links and children counts
    // included). Errs towards FALSE: a task listed twice, as child or as moved, answers FALSE.
    bool Matches(const std::vector<CTaskItem*>& taskRows) const
    {
        if (taskRows != rows)
            return false;
        const int n = (int)rows.size();
        size_t nMoved = 0, nParents = 0, nChildren = 0;
        for (int r = 1; r < n; r++)
        {
            if (parent[r] != 0)
                nParents++;
            const CTaskItem* pTask = rows[r];
            if (!pTask)
            {
                if (linkCount[r] != 0 || childCount[r] != 0 || selfLinked[r] != 0 || succStart[r + 1] != succStart[r])
                    return false;
                continue;
            }
            if (pTask->m_nRowInGrid != r)
            {
                auto it = moved.find(pTask);
                if (it == moved.end() || it->second != r)
                    return false;
                nMoved++;
            }
            if (linkCount[r] != (int)pTask->m_listLinks.GetCount() ||
                childCount[r] != (int)pTask->m_listChildren.GetCount())
                return false;
        }
        if (nMoved != moved.size())
            return false;
        // Every child's parent and every link's place among its predecessor's successors.
        std::vector<int> fill(succStart.begin(), succStart.end() - 1);
        for (int r = 1; r < n; r++)
        {
            const CTaskItem* pTask = rows[r];
            if (!pTask)
                continue;
            POSITION pos = pTask->m_listChildren.GetHeadPosition();
            while (pos != NULL)
            {
                const int c = Row(pTask->m_listChildren.GetNext(pos));
                if (c > 0 && c != r)
                {
                    if (parent[c] != r)
                        return false;
                    nChildren++;
                }
            }
            char bSelf = 0;
            pos = pTask->m_listLinks.GetHeadPosition();
            while (pos != NULL)
            {
                const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
                const int p = PredRow(pLink, r);
                if (p > 0)
                {
                    if (fill[p] >= succStart[p + 1] || succ[fill[p]] != r)
                        return false;
                    fill[p]++;
                }
                else if (pLink && pLink->m_nSuccID == r)
                    bSelf = 1;
            }
            if (bSelf != selfLinked[r])
                return false;
        }
        if (nChildren != nParents)
            return false;
        for (int r = 0; r < n; r++)
            if (fill[r] != succStart[r + 1])
                return false;
        return true;
    }

    // TRUE when row r still holds pTask with the links and children it had at the build.
    bool Holds(int r, const CTaskItem* pTask) const
    {
        return r > 0 && r < (int)rows.size() && rows[r] == pTask &&
               (!pTask || (linkCount[r] == (int)pTask->m_listLinks.GetCount() &&
                           childCount[r] == (int)pTask->m_listChildren.GetCount()));
    }

    bool operator==(const CScheduleGraph& other) const
    {
        return rows == other.rows && parent == other.parent && succStart == other.succStart && succ == other.succ &&
               selfLinked == other.selfLinked && moved == other.moved;
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

// Which rows' final dates follow from the check of the task in nRow: its own, its subtree's,
// its summaries' and everything after any of them (indexed by row).
inline std::vector<char> ScheduleReachedRows(const CScheduleGraph& graph, int nRow)
{
    const int n = (int)graph.rows.size();
    std::vector<char> reached(2 * (size_t)n, 0), rows((size_t)n, 0);
    if (nRow <= 0 || nRow >= n || !graph.rows[nRow])
        return rows;
    std::vector<int> pending(1, 2 * nRow);
    reached[2 * (size_t)nRow] = 1;
    while (!pending.empty())
    {
        const int node = pending.back();
        pending.pop_back();
        if (node & 1)
            rows[(size_t)(node >> 1)] = 1;
        graph.ForEachNext(node, [&](int next) {
            if (!reached[(size_t)next])
            {
                reached[(size_t)next] = 1;
                pending.push_back(next);
            }
        });
    }
    return rows;
}

// The strongly connected parts of a graph of m nodes (the edges of node v are
// adj[adjStart[v] .. adjStart[v + 1])), by Tarjan's walk without recursion. Part p holds
// parts[partStart[p] .. partStart[p + 1]); a part comes after every part it leads to, so
// that in the reverse order each node follows all it depends on.
inline void ScheduleParts(int m, const std::vector<int>& adjStart, const std::vector<int>& adj, std::vector<int>& parts,
                          std::vector<int>& partStart)
{
    parts.clear();
    partStart.clear();
    std::vector<int> low((size_t)m), num((size_t)m, -1), stack;
    std::vector<char> onStack((size_t)m, 0);
    std::vector<std::pair<int, int>> walk;
    int nCount = 0;
    for (int root = 0; root < m; root++)
    {
        if (num[(size_t)root] >= 0)
            continue;
        walk.emplace_back(root, adjStart[(size_t)root]);
        num[(size_t)root] = low[(size_t)root] = nCount++;
        stack.push_back(root);
        onStack[(size_t)root] = 1;
        while (!walk.empty())
        {
            const int v = walk.back().first;
            int& k = walk.back().second;
            if (k < adjStart[(size_t)v + 1])
            {
                const int w = adj[(size_t)k++];
                if (num[(size_t)w] < 0)
                {
                    num[(size_t)w] = low[(size_t)w] = nCount++;
                    stack.push_back(w);
                    onStack[(size_t)w] = 1;
                    walk.emplace_back(w, adjStart[(size_t)w]);
                }
                else if (onStack[(size_t)w] && num[(size_t)w] < low[(size_t)v])
                    low[(size_t)v] = num[(size_t)w];
                continue;
            }
            walk.pop_back();
            if (!walk.empty() && low[(size_t)v] < low[(size_t)walk.back().first])
                low[(size_t)walk.back().first] = low[(size_t)v];
            if (low[(size_t)v] != num[(size_t)v])
                continue;
            partStart.push_back((int)parts.size());
            int w;
            do
            {
                w = stack.back();
                stack.pop_back();
                onStack[(size_t)w] = 0;
                parts.push_back(w);
            } while (w != v);
        }
    }
    partStart.push_back((int)parts.size());
}
