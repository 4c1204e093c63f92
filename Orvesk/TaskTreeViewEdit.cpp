// The task tree view: a changed cell written back into its task, durations and dates kept
// in working days, dates rolled up into the summary tasks and successors moved along their
// links.
#include "TaskTreeView.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "ProjectDoc.h"
#include "TaskItem.h"

namespace
{
const COleDateTimeSpan kOneDay(1, 0, 0, 0);

BOOL IsValidDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
}

// Whole calendar days from b to a.
long DaysBetween(const COleDateTime& a, const COleDateTime& b)
{
    return (a - b).GetDays();
}

// The deadline never lies before the finish.
void KeepDeadline(CTaskItem* pTask)
{
    if (!IsValidDate(pTask->m_dtDeadline) || pTask->m_dtDeadline < pTask->m_dtFinish)
        pTask->m_dtDeadline = pTask->m_dtFinish;
}

// Folds a date into the running earliest start (column 4) or latest finish (column 5).
void FoldDate(COleDateTime& date, const COleDateTime& other, int nCol)
{
    if (!IsValidDate(other))
        return;
    if (!IsValidDate(date) || (nCol == 4 ? other < date : other > date))
        date = other;
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
        explicit CRestCacheScope(CTaskTreeView* p) : pView(p)
        {
            if (pView->m_nRestCacheDepth++ == 0)
                pView->m_restDays.clear();
        }
        ~CRestCacheScope()
        {
            if (--pView->m_nRestCacheDepth == 0)
                pView->m_restDays.clear();
        }
    } restCache(this);

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
        break;
    }

    case 2:
        pTask->m_strName = CellText(nRow, 2);
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
        COleDateTime start = ParseDateText(CellText(nRow, 4));
        if (!IsValidDate(start))
            start = pTask->m_dtStart;
        ApplyDuration(nRow, 5, start, pTask->m_nDuration);
        PropagateDates(nRow);
        if (pTask->m_nDuration == 0)
            pTask->m_nMilestone = 1;
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
        KeepDeadline(pTask);
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
        KeepDeadline(pTask);
        SetCellDate(nRow, 5, pTask->m_dtFinish);
        COleDateTime start = ParseDateText(CellText(nRow, 4));
        if (!IsValidDate(start))
            start = pTask->m_dtStart;
        // Counted to the finish as moved off a rest day; a finish before the start is a
        // milestone (0 days), never a negative duration.
        const int nDays = WorkingDays(start, pTask->m_dtFinish);
        SetCellDays(nRow, nDays);
        pTask->m_nDuration = pTask->m_nTrueDuration = nDays * 86400;
        RollUpAncestors(nRow, 5, pTask->m_dtFinish);
        PropagateDates(nRow);
        if (pTask->m_nDuration == 0)
            pTask->m_nMilestone = 1;
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
    KeepDeadline(pTask);
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
        if (CellText(r, 2).IsEmpty())
            continue;
        const int nLevelR = RowLevel(r);
        if (nLevelR < nLevel && IsChildRow(nRow, r))
        {
            // The extreme date over the ancestor's subtree.
            for (int k = r + 1; k < nRows; k++)
            {
                if (CellText(k, 2).IsEmpty())
                    continue;
                if (RowLevel(k) <= nLevelR)
                    break;
                FoldDate(date, RowDate(k, nCol), nCol);
            }
            const COleDateTime own = RowDate(r, nCol);
            if (IsValidDate(date) && own != date)
            {
                SetCellDate(r, nCol, date);
                const COleDateTime start = nCol == 4 ? date : RowDate(r, 4);
                const COleDateTime finish = nCol == 5 ? date : RowDate(r, 5);
                const int nDays = WorkingDays(start, finish);
                SetCellDays(r, nDays);
                if (CTaskItem* pTask = RowTask(r))
                {
                    MarkModified(pTask);
                    if (nCol == 4)
                        pTask->m_dtStart = date;
                    else
                    {
                        pTask->m_dtFinish = date;
                        KeepDeadline(pTask);
                    }
                    pTask->m_nDuration = nDays * 86400;
                    pTask->m_nTrueDuration = SumChildTrueDurations(pTask);
                }
            }
        }
        else
            FoldDate(date, RowDate(r, nCol), nCol);

        if (nLevelR <= 1)
            break;
    }
}

void CTaskTreeView::CollectSuccessorLinks(int nRow, CObList& list)
{
    list.RemoveAll();
    CTaskItem* pPred = RowTask(nRow);
    if (!pPred || !pPred->m_nSuccessor)
        return;

    // The successor rows, each once, top to bottom.
    std::vector<int> rows;
    for (INT_PTR i = 0; i < pPred->m_arrSuccessors.GetSize(); i++)
        rows.push_back((int)pPred->m_arrSuccessors[i]);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    for (int nSuccRow : rows)
    {
        CTaskItem* pSucc = RowTask(nSuccRow);
        if (!pSucc)
            continue;
        POSITION pos = pSucc->m_listLinks.GetHeadPosition();
        while (pos != NULL)
        {
            const CTaskLink* pLink = pSucc->m_listLinks.GetNext(pos);
            if (!pLink || pLink->m_nSuccID != nRow)
                continue;
            CTaskLink* pCopy = new CTaskLink;
            pCopy->m_nPredID = pSucc->m_nTaskID;
            pCopy->m_nSuccID = nSuccRow;
            pCopy->m_strPredName = pSucc->m_strName;
            pCopy->m_nType = pLink->m_nType;
            pCopy->m_nLag = pLink->m_nLag;
            list.AddTail(pCopy);
        }
    }
}

void CTaskTreeView::PropagateDates(int nRow)
{
    CTaskItem* pPred = RowTask(nRow);
    if (!pPred)
        return;

    // One edit moves each task once: a successor reached again (a shared successor, or a
    // link cycle in stored data) stays where the first move put it.
    const BOOL bOuter = m_nEditDepth == 0;
    if (bOuter)
    {
        m_movedTasks.clear();
        m_movedTasks.insert(pPred);
    }
    m_nEditDepth++;

    CObList list;
    CollectSuccessorLinks(nRow, list);
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
    {
        CTaskLink* pCopy = (CTaskLink*)list.GetNext(pos);
        const int nSuccRow = pCopy->m_nSuccID;
        CTaskItem* pSucc = m_Grid.GetCell(nSuccRow, 0) ? RowTask(nSuccRow) : NULL;
        if (!pSucc || m_movedTasks.count(pSucc))
            continue;

        const int nLag = pCopy->m_nLag;
        COleDateTime newStart, newFinish;
        BOOL bStart = FALSE, bFinish = FALSE;
        switch (pCopy->m_nType)
        {
        case 1: // finish-to-start: the start after the predecessor's finish
            if (DaysBetween(pSucc->m_dtStart, pPred->m_dtFinish) <= nLag)
            {
                newStart = FinishFromStart(pPred->m_dtFinish, nLag + 2);
                bStart = TRUE;
            }
            break;
        case 2: // finish-to-finish
        {
            const long nGap = DaysBetween(pSucc->m_dtFinish, pPred->m_dtFinish);
            if (nGap <= nLag)
            {
                newFinish = (nGap < 0 && nLag == 0) ? SkipRestDays(pPred->m_dtFinish)
                                                    : FinishFromStart(pPred->m_dtFinish, nLag + 2);
                bFinish = TRUE;
            }
            break;
        }
        case 3: // start-to-finish: the finish against the predecessor's start
        {
            const long nGap = DaysBetween(pSucc->m_dtFinish, pPred->m_dtStart);
            if (nGap <= nLag)
            {
                newFinish = (nGap < 0 && nLag == 0) ? SkipRestDays(pPred->m_dtStart - kOneDay)
                                                    : FinishFromStart(pPred->m_dtStart, nLag + 1);
                bFinish = TRUE;
            }
            break;
        }
        case 4: // start-to-start
        {
            const long nGap = DaysBetween(pSucc->m_dtStart, pPred->m_dtStart);
            if (nGap <= nLag)
            {
                newStart = (nGap < 0 && nLag == 0) ? SkipRestDays(pPred->m_dtStart)
                                                   : FinishFromStart(pPred->m_dtStart, nLag + 2);
                bStart = TRUE;
            }
            break;
        }
        default:
            break;
        }
        if (!bStart && !bFinish)
            continue;

        const COleDateTime oldStart = pSucc->m_dtStart;
        const int nWorkDays = WorkingDays(pSucc->m_dtStart, pSucc->m_dtFinish);
        if (bStart)
        {
            pSucc->m_dtStart = SkipRestDays(newStart);
            pSucc->m_dtFinish = FinishFromStart(newStart, nWorkDays);
        }
        else
        {
            pSucc->m_dtFinish = SkipRestDays(newFinish);
            pSucc->m_dtStart = StartFromFinish(pSucc->m_dtFinish, nWorkDays);
        }
        KeepDeadline(pSucc);
        m_movedTasks.insert(pSucc);

        SetCellDate(nSuccRow, 4, pSucc->m_dtStart);
        SendTaskChanged(pSucc, nSuccRow, 4);
        SetCellDate(nSuccRow, 5, pSucc->m_dtFinish);
        SendTaskChanged(pSucc, nSuccRow, 5);

        const long nShift = DaysBetween(pSucc->m_dtStart, oldStart);
        if (!pSucc->m_listChildren.IsEmpty() && nShift != 0)
            ShiftChildren(pSucc, (int)nShift);
    }

    pos = list.GetHeadPosition();
    while (pos != NULL)
        delete (CTaskLink*)list.GetNext(pos);
    list.RemoveAll();

    m_nEditDepth--;
    if (bOuter)
    {
        if (m_movedTasks.size() > 1)
            SyncGanttRows(0, TRUE);
        m_movedTasks.clear();
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
        m_movedTasks.insert(pChild);

        const int nRow = RowOfTask(pChild);
        if (nRow > 0)
        {
            SetCellDate(nRow, 4, pChild->m_dtStart);
            SendTaskChanged(pChild, nRow, 4);
            SetCellDate(nRow, 5, pChild->m_dtFinish);
            SendTaskChanged(pChild, nRow, 5);
        }
        if (!pChild->m_listChildren.IsEmpty())
            ShiftChildren(pChild, (int)DaysBetween(pChild->m_dtStart, oldStart));
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
