// The task tree view: what the document asks of it that needs the grid's row order: the
// server ids of a save reply, the finish dates after a calendar change and the critical
// marks.
#include "TaskTreeView.h"

#include <XmlDom/XmlDom.h>

#include <unordered_set>
#include <vector>

#include "GridDateTimeCtrl.h"
#include "HeaderDates.h"
#include "ProjectSchedule.h"
#include "ProjectSpanWalk.h"
#include "ProjectDoc.h"
#include "ReadAhead.h"
#include "TaskItem.h"

void CTaskTreeView::ApplyServerIds(CString strReply)
{
    CProjectDoc* pDoc = GetDocument();
    if (strReply.IsEmpty() || !pDoc)
        return;
    CXmlDocument xml;
    if (!xml.LoadXml(strReply))
        return;
    CXmlNode root = xml.documentElement();
    if (root.isNull() || root.isText() || !root.nameIs("TASKIDS"))
        return;

    for (CXmlNode entry = root.firstChild(); !entry.isNull(); entry = entry.nextSibling())
    {
        if (entry.isText() || !entry.nameIs("TASKID"))
            break;
        // A missing or empty element counts as 0, except that an entry without ROW names
        // nothing: it must not pass for the project's own id.
        int nID = 0, nRow = 0, nIsSubProj = 0, nSubProjID = 0;
        BOOL bHasRow = FALSE;
        for (CXmlNode field = entry.firstChild(); !field.isNull(); field = field.nextSibling())
        {
            if (!field.isElement())
                continue;
            // A reply written with line breaks inside an element reads as a compact one.
            CString strValue = field.text();
            strValue.Trim();
            const int nValue = ParseInteger(strValue);
            if (field.nameIs("ID"))
                nID = nValue;
            else if (field.nameIs("ROW"))
            {
                nRow = nValue;
                bHasRow = TRUE;
            }
            else if (field.nameIs("ISSUBPROJ"))
                nIsSubProj = nValue;
            else if (field.nameIs("SUBPROJID"))
                nSubProjID = nValue;
        }
        if (!bHasRow)
            continue;
        if (nRow == 0)
        {
            pDoc->m_nProjectID = nID;
            pDoc->m_ProjectInfo.m_nProjID = nID;
        }
        else if (CTaskItem* pTask = RowTask(nRow))
        {
            pTask->m_nTaskID = nID;
            if (nIsSubProj != 0)
                pTask->m_nSubProjID = nSubProjID;
        }
    }
}

void CTaskTreeView::RecalcFinishDates()
{
    // Every row: tasks moved past the highest row handed out by inserts count too.
    const int nRows = m_Grid.GetRowCount();
    std::vector<int> rows;
    for (int row = 1; row < nRows; row++)
    {
        CTaskItem* pTask = RowTask(row);
        if (!pTask)
            continue;
        rows.push_back(row);
        MarkModified(pTask);
        const int nDays = pTask->m_nDuration / 86400;
        pTask->m_dtStart = SkipRestDays(pTask->m_dtStart);
        pTask->m_dtFinish = FinishFromStart(pTask->m_dtStart, nDays);
        if (pTask->m_dtDeadline < pTask->m_dtFinish)
            pTask->m_dtDeadline = pTask->m_dtFinish;
        m_Grid.SetItemText(row, 4, CGridDateTimeCtrl::FormatDate(pTask->m_dtStart));
        m_Grid.SetItemText(row, 5, CGridDateTimeCtrl::FormatDate(pTask->m_dtFinish));
        m_Grid.RedrawRow(row);
    }
    // Then links and summaries settled as after any edit: every task is checked.
    SettleSchedule(rows);
    SyncGanttRows(0, FALSE);
}

void CTaskTreeView::MarkCriticalTasks()
{
    // The grid's table of the rows' tasks (no copy of it); the tasks' dates are asked for a
    // few rows ahead of their turn.
    const std::vector<CTaskItem*>& rows = KeptTaskRows();
    const int nRows = (int)rows.size();
    CProjectSpanWalk span;
    for (int row = 1; row < nRows; row++)
    {
        ReadAheadOf<8>(rows, (size_t)row, &CTaskItem::m_nProgress, &CTaskItem::m_dtFinish, &CTaskItem::m_dtDeadline);
        if (CTaskItem* pTask = rows[(size_t)row])
            span.TakeInMark(pTask, row);
    }
    MarkCriticalChains(span, NULL);
    // Marks set outside the schedule's settles: a chart shows them with its next layout.
    if (CProjectDoc* pDoc = GetDocument(); pDoc && !pDoc->ScheduleStale())
        pDoc->Schedule().ShownChanged();
}

BOOL CTaskTreeView::MarkCriticalChains(const CProjectSpanWalk& span, std::vector<CTaskItem*>* pRaised)
{
    m_criticalSeen.clear();
    BeginPredPass();
    BOOL bDropped = FALSE;
    for (int row : span.LatestRows())
        bDropped |= MarkCriticalChain(row, pRaised);
    ClearPredIndex();
    m_criticalSeen.clear();
    return bDropped;
}

void CTaskTreeView::UpdateProjectSpan()
{
    // The schedule keeps the header dates and critical marks with every change it settles:
    // asked here, they cost what changed since (the whole project only after a change of
    // rows, tree, links or calendar).
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc || m_nEditDepth > 0)
        return;
    CProjectSchedule& schedule = pDoc->Schedule();
    schedule.Recalculate({});
    if (s_pfnScheduleSettled)
        s_pfnScheduleSettled(schedule);
    TakeHeaderDates(schedule);
}

void CTaskTreeView::TakeHeaderDates(const CProjectSchedule& schedule)
{
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    // A project without dates keeps the header it has.
    const COleDateTime first = schedule.FirstStart(), last = schedule.LastFinish();
    if (IsSetDate(first))
        pDoc->m_ProjectInfo.m_dtStart = first;
    if (IsSetDate(last))
    {
        pDoc->m_ProjectInfo.m_dtFinish = last;
        pDoc->m_ProjectInfo.m_dtDeadline = last;
    }
}

BOOL CTaskTreeView::MarkCriticalChain(int nRow, std::vector<CTaskItem*>* pRaised)
{
    // The task and, along their links, all its predecessors; each task once, so that a link
    // cycle in stored data ends. A walk of its own rather than recursion: chains may be as
    // long as the project.
    std::vector<int> pending(1, nRow);
    BOOL bAnyDropped = FALSE;
    while (!pending.empty())
    {
        const int nNext = pending.back();
        pending.pop_back();
        CTaskItem* pTask = RowTask(nNext);
        if (!pTask || !m_criticalSeen.insert(pTask).second)
            continue;
        if (pRaised && pTask->m_nCritical == 0)
            pRaised->push_back(pTask);
        pTask->m_nCritical = 1;

        // Resolved first; only a link that resolves to the task itself, or to nothing, goes.
        const BOOL bDropped = RemoveTaskLinksIf(pTask, [&](const CTaskLink* pLink) {
            if (!pLink)
                return false;
            CString strName = pLink->m_strPredName;
            int nPredRow = pLink->m_nSuccID;
            if (FindPredecessor(pLink->m_nPredID, strName, nPredRow) && nPredRow != pTask->m_nRowInGrid)
            {
                pending.push_back(nPredRow);
                return false;
            }
            return true;
        });
        if (bDropped)
        {
            ForgetDocSchedule();
            bAnyDropped = TRUE;
        }
    }
    return bAnyDropped;
}
