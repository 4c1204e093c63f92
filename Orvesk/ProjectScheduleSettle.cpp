// The project's schedule settled after an edit. Every link gives its successor an earliest
// start or finish (the shared link rule); every task the change reaches is checked once all
// it depends on are final, and moves exactly when it is earlier than one of its links
// allows, keeping its working days. A summary spans its children: moved by its own links it
// shifts them, and it is rolled up from them before its successors are checked.
#include "ProjectSchedule.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <sstream>

#include "HeaderDates.h"
#include "ProjectSpanWalk.h"
#include "ScheduleRules.h"
#include "ScheduleParts.h"

using schedulerules::ChildrenSpan;
using schedulerules::DateOf;
using schedulerules::DayOf;
using schedulerules::kNoDay;

namespace
{
bool IsValidDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
}

// Whole days of a duration in seconds: (hours - 24) / 24 + 1, as the grid shows them.
int DurationDays(int nDuration)
{
    return (nDuration / 3600 - 24) / 24 + 1;
}

void MarkModified(CTaskItem* pTask)
{
    if (pTask->m_nFlag == FLAG_UNCHANGED)
        pTask->m_nFlag = FLAG_MODIFIED;
}

} // namespace

bool CProjectSchedule::IsRestDay(const COleDateTime& date) const
{
    return IsValidDate(date) && m_calendar.IsRestDay(DayOf(date));
}

int CProjectSchedule::WorkingDays(const COleDateTime& start, const COleDateTime& finish) const
{
    if (!IsValidDate(start) || !IsValidDate(finish))
        return 0;
    return workdays::WorkingDays(m_calendar, DayOf(start), DayOf(finish));
}

// The walks keep the date they start from when they reach no working day.
COleDateTime CProjectSchedule::SkipRestDays(const COleDateTime& date) const
{
    long nDay;
    if (!IsValidDate(date) || !workdays::SkipRestDays(m_calendar, DayOf(date), nDay))
        return date;
    return DateOf(nDay);
}

COleDateTime CProjectSchedule::FinishFromStart(const COleDateTime& start, int n) const
{
    long nDay;
    if (!IsValidDate(start) || !workdays::FinishFromStart(m_calendar, DayOf(start), n, nDay))
        return start;
    return DateOf(nDay);
}

COleDateTime CProjectSchedule::StartFromFinish(const COleDateTime& finish, int n) const
{
    long nDay;
    if (!IsValidDate(finish) || !workdays::StartFromFinish(m_calendar, DayOf(finish), n, nDay))
        return finish;
    return DateOf(nDay);
}

void CProjectSchedule::SetStart(CTaskItem* pTask, const COleDateTime& date)
{
    Touch(pTask);
    pTask->m_dtStart = SkipRestDays(date);
    pTask->m_dtFinish = FinishFromStart(pTask->m_dtStart, DurationDays(pTask->m_nDuration));
    KeepTaskDeadline(pTask);
    MarkModified(pTask);
}

void CProjectSchedule::SetFinish(CTaskItem* pTask, const COleDateTime& date)
{
    Touch(pTask);
    pTask->m_dtFinish = SkipRestDays(date);
    const int nDays = std::max(0, WorkingDays(pTask->m_dtStart, pTask->m_dtFinish));
    pTask->m_nDuration = pTask->m_nTrueDuration = schedulerules::DurationOfDays(nDays);
    pTask->m_nMilestone = nDays == 0 ? 1 : 0;
    KeepTaskDeadline(pTask);
    MarkModified(pTask);
}

void CProjectSchedule::SetDurationDays(CTaskItem* pTask, int nDays)
{
    Touch(pTask);
    ApplyDuration(pTask, nDays);
    MarkModified(pTask);
}

void CProjectSchedule::ApplyDuration(CTaskItem* pTask, int nDays)
{
    nDays = std::max(0, std::min(nDays, INT_MAX / 86400));
    pTask->m_nDuration = pTask->m_nTrueDuration = schedulerules::DurationOfDays(nDays);
    pTask->m_nMilestone = nDays == 0 ? 1 : 0;
    pTask->m_dtFinish = FinishFromStart(pTask->m_dtStart, nDays);
    KeepTaskDeadline(pTask);
}

void CProjectSchedule::KeepOwnDuration(CTaskItem* pTask)
{
    if (pTask && pTask->m_listChildren.IsEmpty())
        pTask->m_nOwnDuration = pTask->m_nDuration;
}

void CProjectSchedule::RegainOwnDuration(CTaskItem* pTask)
{
    if (!pTask || !pTask->m_listChildren.IsEmpty() || pTask->m_nOwnDuration < 0)
        return;
    const int nDays = DurationDays(pTask->m_nOwnDuration);
    pTask->m_nOwnDuration = -1;
    SetDurationDays(pTask, nDays);
}

void CProjectSchedule::Touch(CTaskItem* pTask)
{
    m_touched.emplace(pTask, Before{pTask->m_dtStart, pTask->m_dtFinish, pTask->m_nDuration});
}

bool CProjectSchedule::RequiredDates(const CTaskItem* pTask, long& needStart, long& needFinish) const
{
    needStart = needFinish = kNoDay;
    for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
    {
        const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
        const CTaskItem* pPred = Predecessor(pLink);
        if (!pPred)
            continue;
        const COleDateTime& anchor = workdays::LeavesFromFinish(pLink->m_nType) ? pPred->m_dtFinish : pPred->m_dtStart;
        if (!IsValidDate(anchor))
            continue;
        long nRequired;
        switch (workdays::LinkRequirement(m_calendar, pLink->m_nType, pLink->m_nLag, DayOf(anchor), nRequired))
        {
        case workdays::kBoundsStart:
            needStart = std::max(needStart, nRequired);
            break;
        case workdays::kBoundsFinish:
            needFinish = std::max(needFinish, nRequired);
            break;
        default:
            break;
        }
    }
    const bool bStartLate = needStart != kNoDay && IsValidDate(pTask->m_dtStart) && DayOf(pTask->m_dtStart) < needStart;
    const bool bFinishLate =
        needFinish != kNoDay && IsValidDate(pTask->m_dtFinish) && DayOf(pTask->m_dtFinish) < needFinish;
    if (!bStartLate)
        needStart = kNoDay;
    if (!bFinishLate)
        needFinish = kNoDay;
    return bStartLate || bFinishLate;
}

void CProjectSchedule::SettleTask(CTaskItem* pTask)
{
    const bool bSummary = !pTask->m_listChildren.IsEmpty();
    if (bSummary)
        RollUpSummary(pTask); // its links are checked against its children as they stand
    long needStart, needFinish;
    if (!RequiredDates(pTask, needStart, needFinish))
        return;
    if (bSummary)
    {
        // Its children move on together by the fewest working days that satisfy every link
        // of the summary, each keeping its place among the working days.
        ShiftChildren(pTask, schedulerules::SummaryShift(m_calendar, DayOf(pTask->m_dtStart), DayOf(pTask->m_dtFinish),
                                                         needStart, needFinish));
        RollUpSummary(pTask);
        return;
    }
    // To the earliest dates all its links allow, keeping its working days.
    Touch(pTask);
    long nStart = DayOf(pTask->m_dtStart), nFinish = DayOf(pTask->m_dtFinish);
    schedulerules::PlaceTask(m_calendar, WorkingDays(pTask->m_dtStart, pTask->m_dtFinish), needStart, needFinish, nStart,
                             nFinish);
    pTask->m_dtStart = DateOf(nStart);
    pTask->m_dtFinish = DateOf(nFinish);
    KeepTaskDeadline(pTask);
}

void CProjectSchedule::RollUpSummary(CTaskItem* pTask)
{
    COleDateTime start, finish;
    if (!ChildrenSpan(pTask, start, finish) || (pTask->m_dtStart == start && pTask->m_dtFinish == finish))
        return;
    Touch(pTask);
    pTask->m_dtStart = start;
    pTask->m_dtFinish = finish;
    KeepTaskDeadline(pTask);
    pTask->m_nDuration = schedulerules::DurationOfDays(WorkingDays(start, finish));
    pTask->m_nTrueDuration = schedulerules::SumChildTrueDurations(pTask);
    pTask->m_nMilestone = pTask->m_nDuration == 0 ? 1 : 0;
}

void CProjectSchedule::ShiftChildren(CTaskItem* pTask, long long nDays)
{
    if (nDays <= 0)
        return;
    // Each date of the subtree to the nDays-th working day after it.
    auto shift = [&](const COleDateTime& date) {
        return IsValidDate(date) ? DateOf(schedulerules::ShiftDay(m_calendar, DayOf(date), nDays)) : date;
    };
    std::vector<CTaskItem*> pending;
    for (POSITION pos = pTask->m_listChildren.GetHeadPosition(); pos != NULL;)
        pending.push_back(pTask->m_listChildren.GetNext(pos));
    while (!pending.empty())
    {
        CTaskItem* pChild = pending.back();
        pending.pop_back();
        if (!pChild)
            continue;
        Touch(pChild);
        pChild->m_dtStart = shift(pChild->m_dtStart);
        pChild->m_dtFinish = shift(pChild->m_dtFinish);
        KeepTaskDeadline(pChild);
        for (POSITION pos = pChild->m_listChildren.GetHeadPosition(); pos != NULL;)
            pending.push_back(pChild->m_listChildren.GetNext(pos));
    }
}

CProjectSchedule::ChangeSet CProjectSchedule::Recalculate(const std::vector<CTaskItem*>& changed)
{
    const unsigned long long nBase = m_nBaseRevision;
    const bool bNamed = std::any_of(changed.begin(), changed.end(), [this](CTaskItem* p) { return Holds(p); }) ||
                        !m_touched.empty();
    // The changed tasks (a summary among them spanning its children) and their summaries
    // span what they hold first, so that their own links are checked against the new span;
    // a changed task, and a summary whose links it makes fail, is where the walk starts.
    std::unordered_map<int, int> index; // node -> place in order
    std::vector<int> order;
    auto reach = [&](int node) {
        if (index.emplace(node, (int)order.size()).second)
            order.push_back(node);
    };
    for (CTaskItem* pTask : changed)
    {
        if (!Holds(pTask))
            continue;
        const int r = pTask->m_nRowInGrid;
        reach(2 * r);
        RollUpSummary(pTask);
        for (int a = m_parentRow[(size_t)r]; a > 0; a = m_parentRow[(size_t)a])
        {
            RollUpSummary(m_rows[(size_t)a]);
            long needStart, needFinish;
            if (RequiredDates(m_rows[(size_t)a], needStart, needFinish))
                reach(2 * a);
        }
    }
    std::vector<int> adjStart, adj, next;
    for (size_t i = 0; i < order.size(); i++)
    {
        adjStart.push_back((int)adj.size());
        NextNodes(order[i], next);
        for (int n : next)
        {
            reach(n);
            adj.push_back(index[n]);
        }
    }
    adjStart.push_back((int)adj.size());

    // Worked through so that each node follows all it depends on; a cycle of stored links is
    // entered at its first node, whose task keeps its dates.
    std::vector<int> parts, partStart;
    ScheduleParts((int)order.size(), adjStart, adj, parts, partStart);
    for (int p = (int)partStart.size() - 2; p >= 0; p--)
    {
        // In the order they were reached: a cycle is entered where the change reached it.
        std::vector<int> nodes(parts.begin() + partStart[(size_t)p], parts.begin() + partStart[(size_t)p + 1]);
        std::sort(nodes.begin(), nodes.end());
        for (int& node : nodes)
            node = order[(size_t)node];
        for (size_t i = 0; i < nodes.size(); i++)
        {
            CTaskItem* pTask = m_rows[(size_t)(nodes[i] >> 1)];
            if ((nodes[i] & 1) == 0)
            {
                if (i > 0 || nodes.size() == 1)
                    SettleTask(pTask);
            }
            else if (!pTask->m_listChildren.IsEmpty())
                RollUpSummary(pTask);
        }
        // A summary on a cycle may have been rolled up before children on the same cycle
        // moved: it spans them once they are settled (deeper summaries, lower rows, first).
        if (nodes.size() > 1)
        {
            std::vector<int> summaryRows;
            for (int node : nodes)
                if ((node & 1) && !m_rows[(size_t)(node >> 1)]->m_listChildren.IsEmpty())
                    summaryRows.push_back(node >> 1);
            std::sort(summaryRows.rbegin(), summaryRows.rend());
            for (int r : summaryRows)
                RollUpSummary(m_rows[(size_t)r]);
        }
    }

    ChangeSet changes;
    std::vector<std::pair<CTaskItem*, Before>> moved;
    for (const auto& [pTask, before] : m_touched)
        if (!(before.start == pTask->m_dtStart) || !(before.finish == pTask->m_dtFinish) ||
            before.nDuration != pTask->m_nDuration)
        {
            MarkModified(pTask);
            changes.dates.push_back(pTask);
            moved.emplace_back(pTask, before);
        }
        else
            changes.fields.push_back(pTask);
    // A task changed from outside (not through this schedule's edits) may have moved by
    // anything: the span is taken in afresh.
    bool bKnown = m_bSpanKnown;
    for (CTaskItem* pTask : changed)
        bKnown = bKnown && (!pTask || m_touched.count(pTask));
    m_touched.clear();
    const auto byRow = [](const CTaskItem* a, const CTaskItem* b) { return a->m_nRowInGrid < b->m_nRowInGrid; };
    std::sort(changes.dates.begin(), changes.dates.end(), byRow);
    std::sort(changes.fields.begin(), changes.fields.end(), byRow);
    if (!bKnown || !MarkSpanOf(changes, moved, changed))
        MarkWholeSpan(changes);
    // Tasks named from outside may have changed fields besides their dates.
    if (!changes.dates.empty() || !changes.critical.empty() || changes.bHeaderChanged || bNamed)
        m_nRevision++;
    changes.nRevision = m_nRevision;
    changes.nBaseRevision = nBase;
    m_nBaseRevision = m_nRevision;
    return changes;
}

bool CProjectSchedule::MarkSpanOf(ChangeSet& changes, const std::vector<std::pair<CTaskItem*, Before>>& moved,
                                  const std::vector<CTaskItem*>& changed)
{
    // While the tasks finishing last stay the same (so do their chains, as no link changed)
    // and the task that starts first stays; or when tasks that moved now finish after all
    // others, and start the chains. Otherwise the whole project is asked.
    COleDateTime newLast = m_dtLast;
    for (const auto& [pTask, before] : moved)
        if (IsSetDate(pTask->m_dtFinish) && (pTask->m_dtFinish > newLast))
            newLast = pTask->m_dtFinish;
    const bool bExtends = !(newLast == m_dtLast);
    std::vector<int> latest;
    for (const auto& [pTask, before] : moved)
    {
        if (IsSetDate(before.start) && (before.start == m_dtFirst) && !(pTask->m_dtStart == before.start))
            return false;
        if (bExtends)
        {
            if (!IsSetDate(pTask->m_dtStart))
                return false;
            if (pTask->m_dtFinish == newLast)
                latest.push_back(pTask->m_nRowInGrid);
            continue;
        }
        if (IsSetDate(before.finish) && !(before.finish < m_dtLast))
            return false;
        if (IsSetDate(pTask->m_dtFinish) && !(pTask->m_dtFinish < m_dtLast))
            return false;
    }
    std::vector<CTaskItem*> tasks = changes.dates;
    if (bExtends)
    {
        // The chains start again from the tasks now finishing last: the tasks they leave and
        // those they take in are marked again.
        std::unordered_set<const CTaskItem*> chain = ChainOf(latest);
        for (const CTaskItem* pTask : m_chain)
            if (!chain.count(pTask))
                tasks.push_back(const_cast<CTaskItem*>(pTask));
        for (const CTaskItem* pTask : chain)
            if (!m_chain.count(pTask))
                tasks.push_back(const_cast<CTaskItem*>(pTask));
        m_chain.swap(chain);
        m_dtLast = newLast;
        changes.bHeaderChanged = true;
    }
    for (CTaskItem* pTask : changed)
        if (pTask && Holds(pTask))
            tasks.push_back(pTask);
    std::sort(tasks.begin(), tasks.end(),
              [](const CTaskItem* a, const CTaskItem* b) { return a->m_nRowInGrid < b->m_nRowInGrid; });
    tasks.erase(std::unique(tasks.begin(), tasks.end()), tasks.end());
    CHeaderDatesFold dates;
    CProjectSpanWalk span;
    for (CTaskItem* pTask : tasks)
    {
        const int nMark = pTask->m_nCritical;
        dates.Add(pTask);
        span.TakeInMark(pTask, pTask->m_nRowInGrid);
        if (m_chain.count(pTask) && pTask->m_nCritical != 1)
            pTask->m_nCritical = 1;
        if (pTask->m_nCritical != nMark)
            changes.critical.push_back(pTask);
    }
    const COleDateTime first = dates.First();
    if (IsSetDate(first) && (first < m_dtFirst))
    {
        m_dtFirst = first;
        changes.bHeaderChanged = true;
    }
    return true;
}

std::unordered_set<const CTaskItem*> CProjectSchedule::ChainOf(const std::vector<int>& latestRows) const
{
    // The tasks finishing last and everything before them along links.
    std::unordered_set<const CTaskItem*> chain;
    std::vector<int> pending = latestRows;
    while (!pending.empty())
    {
        const CTaskItem* pTask = m_rows[(size_t)pending.back()];
        pending.pop_back();
        if (!chain.insert(pTask).second)
            continue;
        for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
            if (const CTaskItem* pPred = Predecessor(pTask->m_listLinks.GetNext(pos)))
                pending.push_back(pPred->m_nRowInGrid);
    }
    return chain;
}

void CProjectSchedule::MarkWholeSpan(ChangeSet& changes)
{
    // Each task's plan dates and critical mark by its own dates, the header dates, then the
    // critical chains.
    std::vector<int> marks(m_rows.size(), 0);
    CHeaderDatesFold dates;
    CProjectSpanWalk span;
    for (size_t r = 1; r < m_rows.size(); r++)
    {
        if (!m_rows[r])
            continue;
        marks[r] = m_rows[r]->m_nCritical;
        dates.Add(m_rows[r]);
        span.TakeInMark(m_rows[r], (int)r);
    }
    m_chain = ChainOf(span.LatestRows());
    for (const CTaskItem* pTask : m_chain)
        if (pTask->m_nCritical != 1)
            const_cast<CTaskItem*>(pTask)->m_nCritical = 1;
    for (size_t r = 1; r < m_rows.size(); r++)
        if (m_rows[r] && m_rows[r]->m_nCritical != marks[r])
            changes.critical.push_back(m_rows[r]);

    const COleDateTime first = dates.First(), last = dates.Last();
    if (IsSetDate(first) && !(first == m_dtFirst))
    {
        m_dtFirst = first;
        changes.bHeaderChanged = true;
    }
    if (IsSetDate(last) && !(last == m_dtLast))
    {
        m_dtLast = last;
        changes.bHeaderChanged = true;
    }
    // (The chains start from the latest finish of any task, the header from tasks with
    // dates: known together only while the two are the same day.)
    m_bSpanKnown = IsSetDate(m_dtFirst) && IsSetDate(m_dtLast) && !span.LatestRows().empty() &&
                   (m_rows[(size_t)span.LatestRows().front()]->m_dtFinish == m_dtLast);
}

std::string CProjectSchedule::VerifySpan() const
{
    if (!m_bSpanKnown)
        return "";
    std::ostringstream err;
    COleDateTime first, last;
    first.SetStatus(COleDateTime::invalid);
    last.SetStatus(COleDateTime::invalid);
    std::vector<int> latest;
    for (size_t r = 1; r < m_rows.size(); r++)
    {
        const CTaskItem* pTask = m_rows[r];
        if (!pTask)
            continue;
        if (latest.empty() || (pTask->m_dtFinish > m_rows[(size_t)latest.front()]->m_dtFinish))
            latest.assign(1, (int)r);
        else if ((pTask->m_dtFinish == m_rows[(size_t)latest.front()]->m_dtFinish))
            latest.push_back((int)r);
        if (!IsSetDate(pTask->m_dtStart))
            continue;
        if (!IsSetDate(first) || (pTask->m_dtStart < first))
            first = pTask->m_dtStart;
        if (IsSetDate(pTask->m_dtFinish) && (!IsSetDate(last) || (pTask->m_dtFinish > last)))
            last = pTask->m_dtFinish;
    }
    if (!(first == m_dtFirst) || !(last == m_dtLast))
        err << "header dates kept " << (LPCTSTR)m_dtFirst.Format("%Y-%m-%d") << ".." << (LPCTSTR)m_dtLast.Format("%Y-%m-%d")
            << ", the tasks span " << (LPCTSTR)first.Format("%Y-%m-%d") << ".." << (LPCTSTR)last.Format("%Y-%m-%d") << "\n";
    if (ChainOf(latest) != m_chain)
        err << "the kept critical chains are not those of the tasks finishing last\n";
    return err.str();
}
