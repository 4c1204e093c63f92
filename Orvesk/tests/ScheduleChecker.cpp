#include "ScheduleChecker.h"

#include <algorithm>

// The tasks that lie on a cycle of "must be placed after": a link orders its successor
// after its predecessor, a summary's start and finish come after its children's, and a
// summary's placement comes before its children's. Links on such a cycle (left by a level
// change from links the checks accepted) cannot all hold.
std::set<const CTaskItem*> CyclicTasks(const std::vector<CTaskItem*>& tasks,
                                       std::map<const CTaskItem*, CTaskItem*>& parent,
                                       const std::function<const CTaskItem*(int)>& rowTask)
{
    // Node 2i: where task i is placed; 2i + 1: its final dates.
    std::map<const CTaskItem*, int> index;
    for (size_t i = 0; i < tasks.size(); i++)
        index[tasks[i]] = (int)i;
    const int n = 2 * (int)tasks.size();
    std::vector<std::vector<int>> next((size_t)n);
    for (size_t i = 0; i < tasks.size(); i++)
    {
        const CTaskItem* pTask = tasks[i];
        next[2 * i].push_back(2 * (int)i + 1);
        if (parent[pTask])
        {
            next[2 * (size_t)index[parent[pTask]]].push_back(2 * (int)i);
            next[2 * i + 1].push_back(2 * index[parent[pTask]] + 1);
        }
        for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
        {
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            const CTaskItem* pPred = pLink->m_nSuccID > 0 ? rowTask(pLink->m_nSuccID) : nullptr;
            if (pPred && pPred != pTask && index.count(pPred))
                next[2 * (size_t)index[pPred] + 1].push_back(2 * (int)i);
        }
    }
    // Strongly connected parts (iterative Tarjan).
    std::vector<int> low((size_t)n, 0), num((size_t)n, -1), stack, comp((size_t)n, -1), size;
    std::vector<char> on((size_t)n, 0);
    int nCounter = 0;
    for (int root = 0; root < n; root++)
    {
        if (num[(size_t)root] >= 0)
            continue;
        std::vector<std::pair<int, size_t>> call(1, {root, 0});
        while (!call.empty())
        {
            auto& [v, k] = call.back();
            if (k == 0)
            {
                num[(size_t)v] = low[(size_t)v] = nCounter++;
                stack.push_back(v);
                on[(size_t)v] = 1;
            }
            if (k < next[(size_t)v].size())
            {
                const int w = next[(size_t)v][k++];
                if (num[(size_t)w] < 0)
                    call.push_back({w, 0});
                else if (on[(size_t)w])
                    low[(size_t)v] = std::min(low[(size_t)v], num[(size_t)w]);
                continue;
            }
            if (low[(size_t)v] == num[(size_t)v])
            {
                int nSize = 0, w;
                do
                {
                    w = stack.back();
                    stack.pop_back();
                    on[(size_t)w] = 0;
                    comp[(size_t)w] = (int)size.size();
                    nSize++;
                } while (w != v);
                size.push_back(nSize);
            }
            const int nDone = v;
            call.pop_back();
            if (!call.empty())
                low[(size_t)call.back().first] = std::min(low[(size_t)call.back().first], low[(size_t)nDone]);
        }
    }
    std::set<const CTaskItem*> cyclic;
    for (int v = 0; v < n; v++)
        if (size[(size_t)comp[(size_t)v]] > 1)
            cyclic.insert(tasks[(size_t)v / 2]);
    return cyclic;
}

void AllTasks(const CTaskItemList& list, std::vector<CTaskItem*>& out, CTaskItem* pParent,
              std::map<const CTaskItem*, CTaskItem*>& parents)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CTaskItem* pTask = list.GetNext(pos);
        out.push_back(pTask);
        parents[pTask] = pParent;
        AllTasks(pTask->m_listChildren, out, pTask, parents);
    }
}

CScheduleBefore ScheduleSnapshot(const CTaskItemList& roots)
{
    std::vector<CTaskItem*> tasks;
    std::map<const CTaskItem*, CTaskItem*> parent;
    AllTasks(roots, tasks, nullptr, parent);
    CScheduleBefore before;
    for (CTaskItem* pTask : tasks)
        before[pTask] = {pTask->m_dtStart, pTask->m_dtFinish};
    return before;
}

std::string CScheduleChecker::Check(const CTaskItemList& roots, const CScheduleBefore& before, const CTaskItem* pEdited,
                                    bool bCellEdit, const CScheduleHeader& header) const
{
    std::vector<CTaskItem*> tasks;
    std::map<const CTaskItem*, CTaskItem*> parent;
    AllTasks(roots, tasks, nullptr, parent);
    std::ostringstream err;
    const std::set<const CTaskItem*> cyclic =
        CyclicTasks(tasks, parent, m_rowTask);
    auto moved = [&](const CTaskItem* p) {
        auto it = before.find(p);
        return it == before.end() || it->second.start != p->m_dtStart || it->second.finish != p->m_dtFinish;
    };
    COleDateTime first, last;
    first.SetStatus(COleDateTime::invalid);
    last.SetStatus(COleDateTime::invalid);
    for (CTaskItem* pTask : tasks)
    {
        const std::string name = (LPCTSTR)pTask->m_strName;
        BOOL bPredMoved = FALSE;
        for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
        {
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            const CTaskItem* pPred = pLink->m_nSuccID > 0 ? m_rowTask(pLink->m_nSuccID) : nullptr;
            if (!pPred || pPred == pTask)
                continue;
            bPredMoved = bPredMoved || moved(pPred);
            COleDateTime req;
            const BOOL bStart = m_days.Required(pLink->m_nType, pLink->m_nLag, *pPred, req);
            const COleDateTime& own = bStart ? pTask->m_dtStart : pTask->m_dtFinish;
            if (own < req && !cyclic.count(pTask))
                err << name << " breaks its type " << pLink->m_nType << " lag " << pLink->m_nLag << " link from "
                    << (LPCTSTR)pPred->m_strName << ": " << DateText(own) << " < " << DateText(req) << "\n";
        }
        if (!pTask->m_listChildren.IsEmpty())
        {
            COleDateTime s = pTask->m_listChildren.GetHead()->m_dtStart, f = pTask->m_listChildren.GetHead()->m_dtFinish;
            BOOL bChildMoved = FALSE;
            for (POSITION pos = pTask->m_listChildren.GetHeadPosition(); pos != NULL;)
            {
                const CTaskItem* pChild = pTask->m_listChildren.GetNext(pos);
                s = pChild->m_dtStart < s ? pChild->m_dtStart : s;
                f = pChild->m_dtFinish > f ? pChild->m_dtFinish : f;
                bChildMoved = bChildMoved || moved(pChild);
            }
            if ((s != pTask->m_dtStart || f != pTask->m_dtFinish) && !cyclic.count(pTask))
                err << name << " spans " << DateText(pTask->m_dtStart) << ".." << DateText(pTask->m_dtFinish)
                    << ", its children " << DateText(s) << ".." << DateText(f) << "\n";
            bPredMoved = bPredMoved || bChildMoved;
        }
        if (parent[pTask] && moved(parent[pTask]))
            bPredMoved = TRUE;
        // Structural edits re-level or re-parent tasks: only cell and chart edits say
        // which tasks may move.
        if (bCellEdit && moved(pTask) && !bPredMoved && pTask != pEdited && !cyclic.count(pTask))
            err << name << " moved though nothing it depends on did\n";
        if (pTask->m_nMilestone != (pTask->m_nDuration == 0 ? 1 : 0))
            err << name << " milestone mark " << pTask->m_nMilestone << " with duration " << pTask->m_nDuration << "\n";
        if (IsSet(pTask->m_dtStart) && (!IsSet(first) || pTask->m_dtStart < first))
            first = pTask->m_dtStart;
        if (IsSet(pTask->m_dtFinish) && (!IsSet(last) || pTask->m_dtFinish > last))
            last = pTask->m_dtFinish;
    }
    if (bCellEdit)
        CheckNoFurtherThanNeeded(tasks, parent, before, pEdited, cyclic, err);
    if (IsSet(first) && header.start != first)
        err << "header start " << DateText(header.start) << " not " << DateText(first) << "\n";
    if (IsSet(last) && (header.finish != last || header.deadline != last))
        err << "header finish " << DateText(header.finish) << " not " << DateText(last) << "\n";
    CheckCritical(tasks, err);
    return err.str();
}
// A task that moved in a cell or chart edit went no further than something asked:
// it is the edited task, it sits exactly where one of its links puts it, it is a summary
// following a child that moved for such a reason, or it moved with its summary by no
// more working days than the summary did (children keep their working-day places).
void CScheduleChecker::CheckNoFurtherThanNeeded(const std::vector<CTaskItem*>& tasks, std::map<const CTaskItem*, CTaskItem*>& parent,
                              const CScheduleBefore& before, const CTaskItem* pEdited,
                              const std::set<const CTaskItem*>& cyclic, std::ostringstream& err) const
{
    auto moved = [&](const CTaskItem* p) {
        const CScheduleSnapshot& b = before.at(p);
        return b.start != p->m_dtStart || b.finish != p->m_dtFinish;
    };
    auto tight = [&](const CTaskItem* pTask) {
        for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
        {
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            const CTaskItem* pPred = pLink->m_nSuccID > 0 ? m_rowTask(pLink->m_nSuccID) : nullptr;
            if (!pPred || pPred == pTask)
                continue;
            COleDateTime req;
            const BOOL bStart = m_days.Required(pLink->m_nType, pLink->m_nLag, *pPred, req);
            if ((bStart ? pTask->m_dtStart : pTask->m_dtFinish) == m_days.Skip(req))
                return TRUE;
        }
        return FALSE;
    };
    // The summaries over the edited task: their spans changed with it before their own
    // links were checked, so what they asked of their children is not measured here.
    std::set<const CTaskItem*> over;
    if (pEdited && parent.count(pEdited))
        for (const CTaskItem* p = parent[pEdited]; p; p = parent[p])
            over.insert(p);
    // Moved for a reason of its own, or following such a child (children first).
    std::map<const CTaskItem*, BOOL> own;
    for (auto it = tasks.rbegin(); it != tasks.rend(); ++it)
    {
        const CTaskItem* pTask = *it;
        BOOL bOwn = pTask == pEdited || over.count(pTask) || tight(pTask);
        for (POSITION pos = pTask->m_listChildren.GetHeadPosition(); pos != NULL && !bOwn;)
        {
            const CTaskItem* pChild = pTask->m_listChildren.GetNext(pos);
            bOwn = moved(pChild) && own[pChild];
        }
        own[pTask] = bOwn;
    }
    // Parents first: moved with a justified summary by no more than it moved.
    std::map<const CTaskItem*, BOOL> justified;
    for (CTaskItem* pTask : tasks)
    {
        const CTaskItem* pParent = parent[pTask];
        BOOL bOk = !moved(pTask) || own[pTask] || cyclic.count(pTask);
        if (!bOk && pParent && moved(pParent) && justified[pParent])
        {
            const CScheduleSnapshot& b = before.at(pTask);
            const CScheduleSnapshot& pb = before.at(pParent);
            const int nShift = std::max(m_days.After(b.start, pTask->m_dtStart), m_days.After(b.finish, pTask->m_dtFinish));
            const int nParentShift = std::max(m_days.After(pb.start, pParent->m_dtStart),
                                              m_days.After(pb.finish, pParent->m_dtFinish));
            bOk = over.count(pParent) || nShift <= nParentShift;
        }
        justified[pTask] = bOk;
        if (!bOk)
            err << (LPCTSTR)pTask->m_strName << " moved further than anything asked: " << DateText(before.at(pTask).start)
                << ".." << DateText(before.at(pTask).finish) << " to " << DateText(pTask->m_dtStart) << ".."
                << DateText(pTask->m_dtFinish) << "\n";
    }
}
// The critical marks computed afresh: a task finishing last, and everything before it
// along links; otherwise by its plan dates and deadline; none once complete.
void CScheduleChecker::CheckCritical(const std::vector<CTaskItem*>& tasks, std::ostringstream& err) const
{
    std::map<const CTaskItem*, int> expect;
    COleDateTime last;
    last.SetStatus(COleDateTime::invalid);
    for (CTaskItem* pTask : tasks)
    {
        int n = 0;
        if (pTask->m_nProgress != 100)
            n = pTask->m_dtEarlyStart == pTask->m_dtLateStart || pTask->m_dtFinish >= pTask->m_dtDeadline;
        expect[pTask] = n;
        if (last.GetStatus() != COleDateTime::valid || pTask->m_dtFinish > last)
            last = pTask->m_dtFinish;
    }
    std::vector<const CTaskItem*> pending;
    for (CTaskItem* pTask : tasks)
        if (pTask->m_dtFinish == last)
            pending.push_back(pTask);
    std::set<const CTaskItem*> seen;
    while (!pending.empty())
    {
        const CTaskItem* pTask = pending.back();
        pending.pop_back();
        if (!seen.insert(pTask).second)
            continue;
        expect[pTask] = 1;
        for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
        {
            const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            if (const CTaskItem* pPred = pLink->m_nSuccID > 0 ? m_rowTask(pLink->m_nSuccID) : nullptr)
                pending.push_back(pPred);
        }
    }
    for (CTaskItem* pTask : tasks)
        if (pTask->m_nCritical != expect[pTask])
            err << (LPCTSTR)pTask->m_strName << " critical mark " << pTask->m_nCritical << " not " << expect[pTask] << "\n";
}