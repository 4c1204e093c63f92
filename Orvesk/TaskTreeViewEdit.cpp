// The task tree view: a changed cell written back into its task, durations and dates kept
// in working days, dates rolled up into the summary tasks and successors moved along their
// links.
#include "TaskTreeView.h"

#include <algorithm>
#include <cmath>

#include "ProjectDoc.h"
#include "ScheduleRules.h"
#include "TaskItem.h"

namespace
{
BOOL IsValidDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
}

// Folds a date into the running earliest start (column 4) or latest finish (column 5).
void FoldDate(COleDateTime& date, const COleDateTime& other, int nCol)
{
    if (!IsValidDate(other))
        return;
    if (!IsValidDate(date) || (nCol == 4 ? other < date : other > date))
        date = other;
}

// The start (column 4) or finish (column 5) of a row's task; invalid for a row without one.
COleDateTime TaskDate(const CTaskItem* pTask, int nCol)
{
    COleDateTime date;
    date.SetStatus(COleDateTime::invalid);
    return pTask ? (nCol == 4 ? pTask->m_dtStart : pTask->m_dtFinish) : date;
}
} // namespace

LRESULT CTaskTreeView::OnTaskChanged(WPARAM wParam, LPARAM lParam)
{
    CTaskItem* pTask = (CTaskItem*)wParam;
    const int nRow = (short)LOWORD(lParam);
    const int nCol = (short)HIWORD(lParam);
    if (!m_Grid.GetCell(nRow, nCol) || !m_Grid.GetCell(nRow, 2) || !pTask)
        return 0;

    // The rest days asked during this edit (and the edits it sends) are remembered.
    struct CRestCacheScope
    {
        CTaskTreeView* pView;
        explicit CRestCacheScope(CTaskTreeView* p) : pView(p) { pView->BeginRestCache(); }
        ~CRestCacheScope() { pView->EndRestCache(); }
    } restCache(this);

    // The dates an edit of the duration, start or finish changes are the schedule's to
    // follow: it is told before they change.
    if (nCol >= 3 && nCol <= 5 && m_nOutsideChange == 0)
        NoteScheduleChange(pTask);

    switch (nCol)
    {
    case 1:
    {
        // Column 1 shows the state as an image and the row writer leaves it without text:
        // no text keeps STATUS.
        CString strStatus = CellText(nRow, 1);
        strStatus.Trim();
        if (!strStatus.IsEmpty())
            pTask->m_nStatus = ParseInteger(strStatus);
        MarkModified(pTask);
        ShowTaskChange(pTask);
        break;
    }

    case 2:
        pTask->m_strName = CellText(nRow, 2);
        MarkModified(pTask);
        ShowTaskChange(pTask);
        break;

    case 3:
    {
        // Hours typed ("2小时") are a 24th of a day each.
        double dDays = ParseDurationDays(CellText(nRow, 3));
        if (dDays < 0)
            dDays = 0;
        if (dDays > kMaxDurationDays)
            dDays = kMaxDurationDays;
        // Up to the next whole second (a tenth of a day is not 8640.000000000001 s).
        pTask->m_nDuration = (int)std::ceil(dDays * 86400.0 - 1e-6);
        pTask->m_nTrueDuration = pTask->m_nDuration;
        // The cell shows the duration taken, in its own form ("5" typed: "5个工作日").
        m_Grid.SetItemText(nRow, 3, CGridCtrl::FormatTaskDays(pTask->m_nDuration / 86400.0));
        m_Grid.RedrawCell(nRow, 3);
        ApplyDuration(nRow, 5, pTask->m_dtStart, pTask->m_nDuration);
        KeepMilestone(pTask);
        PropagateDates(nRow);
        break;
    }

    case 4:
    {
        const COleDateTime typed = ParseDateText(CellText(nRow, 4));
        if (!IsValidDate(typed))
        {
            // Nothing readable: the cell shows the task's start again.
            SetCellDate(nRow, 4, pTask->m_dtStart);
            return 0;
        }
        pTask->m_dtStart = SkipRestDays(typed);
        // The cell shows the start taken, in the date format.
        SetCellDate(nRow, 4, pTask->m_dtStart);
        pTask->m_dtFinish = FinishFromStart(pTask->m_dtStart, DurationDays(pTask->m_nDuration));
        KeepTaskDeadline(pTask);
        SetCellDate(nRow, 5, pTask->m_dtFinish);
        RollUpAncestors(nRow, 4, pTask->m_dtStart);
        RollUpAncestors(nRow, 5, pTask->m_dtFinish);
        PropagateDates(nRow);
        break;
    }

    case 5:
    {
        const COleDateTime typed = ParseDateText(CellText(nRow, 5));
        if (!IsValidDate(typed))
        {
            SetCellDate(nRow, 5, pTask->m_dtFinish);
            return 0;
        }
        pTask->m_dtFinish = SkipRestDays(typed);
        KeepTaskDeadline(pTask);
        SetCellDate(nRow, 5, pTask->m_dtFinish);
        const COleDateTime start = pTask->m_dtStart;
        // Counted to the finish as moved off a rest day; a finish before the start is a
        // milestone (0 days), never a negative duration.
        const int nDays = WorkingDays(start, pTask->m_dtFinish);
        SetCellDays(nRow, nDays);
        pTask->m_nDuration = pTask->m_nTrueDuration = schedulerules::DurationOfDays(nDays);
        RollUpAncestors(nRow, 5, pTask->m_dtFinish);
        KeepMilestone(pTask);
        PropagateDates(nRow);
        break;
    }

    case 6:
        // The rows typed become the task's links, or the cell shows the links it had.
        if (m_Grid.IsTaskGrid() && !ApplyPredecessorText(nRow, pTask))
            return 0;
        break;

    default:
        break;
    }

    MarkModified(pTask);
    // Changes made while dates propagate are handed to the chart once, by the edit that
    // started them.
    if (m_nEditDepth == 0)
        SyncGanttRows(0, TRUE);
    if (CProjectDoc* pDoc = GetDocument())
        pDoc->SetModifiedFlag(TRUE);
    return 0;
}

void CTaskTreeView::ApplyDuration(int nRow, int /*nCol*/, const COleDateTime& start, int nDuration)
{
    CTaskItem* pTask = RowTask(nRow);
    if (!pTask)
        return;
    const COleDateTime finish = FinishFromStart(start, DurationDays(nDuration));
    pTask->m_dtFinish = finish;
    KeepTaskDeadline(pTask);
    SetCellDate(nRow, 5, finish);
    RollUpAncestors(nRow, 5, finish);
}

void CTaskTreeView::RollUpAncestors(int nRow, int nCol, COleDateTime date)
{
    const int nLevel = RowLevel(nRow);
    if (nLevel <= 1)
        return;
    const int nRows = m_Grid.GetRowCount();

    for (int r = nRow - 1; r >= 1; r--)
    {
        if (IsCellEmpty(r, 2))
            continue;
        const int nLevelR = RowLevel(r);
        if (nLevelR < nLevel && IsChildRow(nRow, r))
        {
            // The extreme date over the ancestor's subtree.
            for (int k = r + 1; k < nRows; k++)
            {
                if (IsCellEmpty(k, 2))
                    continue;
                if (RowLevel(k) <= nLevelR)
                    break;
                FoldDate(date, TaskDate(RowTask(k), nCol), nCol);
            }
            CTaskItem* pTask = RowTask(r);
            const COleDateTime own = TaskDate(pTask, nCol);
            if (IsValidDate(date) && own != date)
            {
                SetCellDate(r, nCol, date);
                const COleDateTime start = nCol == 4 ? date : TaskDate(pTask, 4);
                const COleDateTime finish = nCol == 5 ? date : TaskDate(pTask, 5);
                const int nDays = WorkingDays(start, finish);
                SetCellDays(r, nDays);
                if (pTask)
                {
                    // A summary changed outside the schedule, which settles it afterwards.
                    NoteScheduleChange(pTask);
                    MarkModified(pTask);
                    if (nCol == 4)
                        pTask->m_dtStart = date;
                    else
                    {
                        pTask->m_dtFinish = date;
                        KeepTaskDeadline(pTask);
                    }
                    pTask->m_nDuration = schedulerules::DurationOfDays(nDays);
                    pTask->m_nTrueDuration = SumChildTrueDurations(pTask);
                    KeepMilestone(pTask);
                }
            }
        }
        else
            FoldDate(date, TaskDate(RowTask(r), nCol), nCol);

        if (nLevelR <= 1)
            break;
    }
}
