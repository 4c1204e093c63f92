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
#include "ProjectSchedule.h"

using schedulerules::ChildrenSpan;
using schedulerules::DateOf;
using schedulerules::DayOf;

namespace
{
BOOL IsValidDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
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

BOOL CTaskTreeView::s_bVerifySummaries = FALSE;
int CTaskTreeView::s_nUnsettledSummaries = 0;
void (*CTaskTreeView::s_pfnScheduleSettled)(CProjectSchedule& schedule) = nullptr;

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
    // The schedule names the summaries whose children changed and no longer span them; it
    // rolls them up (those over them with them) and settles everything after them, together
    // with what the steps of a hold changed before.
    std::vector<CTaskItem*> changed;
    changed.swap(m_heldSettle);
    const std::vector<CTaskItem*> reshaped = pDoc->Schedule().TakeReshapedSummaries();
    changed.insert(changed.end(), reshaped.begin(), reshaped.end());
    const BOOL bMoved = !changed.empty() && SettleTasks(changed, TRUE);
    if (s_bVerifySummaries)
    {
        // Every summary spans its children now: those left out of the roll-up did already.
        std::vector<const CTaskItem*> pending;
        for (POSITION pos = pDoc->m_listTasks.GetHeadPosition(); pos != NULL;)
            pending.push_back(pDoc->m_listTasks.GetNext(pos));
        for (size_t i = 0; i < pending.size() && pending.size() <= 4 * (size_t)m_Grid.GetRowCount() + 64; i++)
        {
            const CTaskItem* pTask = pending[i];
            if (!pTask)
                continue;
            if (!SpansChildren(pTask))
                s_nUnsettledSummaries++;
            for (POSITION pos = pTask->m_listChildren.GetHeadPosition(); pos != NULL;)
                pending.push_back(pTask->m_listChildren.GetNext(pos));
        }
    }
    return bMoved;
}

void CTaskTreeView::SettleSchedule(const std::vector<int>& seeds)
{
    std::vector<CTaskItem*> changed;
    changed.reserve(seeds.size());
    for (int nRow : seeds)
        if (CTaskItem* pTask = RowTask(nRow))
            changed.push_back(pTask);
    SettleTasks(changed);
}

void CTaskTreeView::NoteScheduleChange(CTaskItem* pTask)
{
    // (A schedule to be taken in again takes in the whole span anyway.)
    if (CProjectDoc* pDoc = GetDocument(); pDoc && pTask && m_nEditDepth == 0)
    {
        // Its cells are written once the schedule has settled it, wherever it ends.
        m_noted.push_back(pTask);
        if (!pDoc->ScheduleStale())
            pDoc->Schedule().Note(pTask);
    }
}

BOOL CTaskTreeView::SettleTasks(const std::vector<CTaskItem*>& changed, BOOL bNow)
{
    // A run settles everything it reaches: a call made while one is under way adds nothing.
    CProjectDoc* pDoc = GetDocument();
    if (m_nEditDepth > 0 || !pDoc)
        return FALSE;
    // While layouts are held (a level change, a new task's several cells) the schedule is
    // settled once, when the hold ends, after everything the steps changed.
    if (m_nLayoutHold > 0 && !bNow)
    {
        m_heldSettle.insert(m_heldSettle.end(), changed.begin(), changed.end());
        return !changed.empty();
    }
    struct CDepth
    {
        int& n;
        explicit CDepth(int& r) : n(r) { ++n; }
        ~CDepth() { --n; }
    } depth(m_nEditDepth);
    CProjectSchedule& schedule = pDoc->Schedule();
    const CProjectSchedule::ChangeSet changes = schedule.Recalculate(changed);
    if (s_pfnScheduleSettled)
        s_pfnScheduleSettled(schedule);
    // The cells of what moved: dates, and the days of summaries (a leaf keeps its days);
    // the changed and noted tasks' own too, which may have moved back to where they were
    // before the change (their cells show the change).
    for (CTaskItem* pTask : changes.dates)
        WriteRowDates(pTask, !pTask->m_listChildren.IsEmpty());
    std::vector<CTaskItem*> noted;
    noted.swap(m_noted);
    noted.insert(noted.end(), changed.begin(), changed.end());
    for (CTaskItem* pTask : noted)
        if (schedule.Holds(pTask))
            WriteRowDates(pTask, !pTask->m_listChildren.IsEmpty());
    TakeHeaderDates(schedule);
    // The chart renews what the change reached: the tasks edited and noted, what the settle
    // moved or marked, and what changed otherwise since the last settle (links, names).
    noted.insert(noted.end(), changes.dates.begin(), changes.dates.end());
    noted.insert(noted.end(), changes.critical.begin(), changes.critical.end());
    noted.insert(noted.end(), changes.fields.begin(), changes.fields.end());
    HandChartChanges(changes.nBaseRevision, std::move(noted));
    if (m_bDatesWritten && m_Grid.GetSafeHwnd())
        m_Grid.Invalidate(FALSE);
    m_bDatesWritten = FALSE;
    return !changes.dates.empty();
}

void CTaskTreeView::ShiftChildren(CTaskItem* pTask, int nDays)
{
    // The schedule's own shift, then a settle from the task: the rows it moved are written
    // from that settle's change set.
    CProjectDoc* pDoc = GetDocument();
    if (!pTask || nDays <= 0 || !pDoc)
        return;
    pDoc->Schedule().ShiftChildren(pTask, nDays);
    SettleSchedule({pTask->m_nRowInGrid});
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
