// The link checks a link dragged in the chart goes through: the same checks as a
// predecessor typed into the grid.
#include "GanttBarView.h"

#include "ProjectDoc.h"
#include "ProjectSchedule.h"
#include "TaskItem.h"
#include "TaskLinkCheck.h"
#include "TaskTreeView.h"

#include <vector>

namespace {

void CollectRows(const CTaskItemList& list, std::vector<CTaskItem*>& rows)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTaskItem* pTask = list.GetNext(pos);
        if (pTask == NULL)
            continue;
        const int nRow = pTask->m_nRowInGrid;
        if (nRow > 0) {
            if (static_cast<size_t>(nRow) >= rows.size())
                rows.resize(nRow + 1, NULL);
            rows[nRow] = pTask;
        }
        CollectRows(pTask->m_listChildren, rows);
    }
}

} // namespace

BOOL CGanttBarView::CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage)
{
    strMessage.Empty();
    if (CTaskTreeView* pTree = GetTaskTreeView())
        return pTree->CheckTaskLink(nSuccRow, nPredRow, strMessage);
    // Without a task tree: the same checks on the document's rows.
    CProjectDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return FALSE;
    std::vector<CTaskItem*> rows(1, NULL);
    CollectRows(pDoc->m_listTasks, rows);
    if (nSuccRow <= 0 || nPredRow <= 0 || nSuccRow == nPredRow || static_cast<size_t>(nSuccRow) >= rows.size() ||
        static_cast<size_t>(nPredRow) >= rows.size() || rows[nSuccRow] == NULL || rows[nPredRow] == NULL)
        return FALSE;
    CTaskLinkCheck check(rows, nSuccRow);
    const int nVerdict = check.Check(nPredRow);
    if (nVerdict == CTaskLinkCheck::linkOK)
        return TRUE;
    strMessage = CTaskLinkCheck::LinkMessage(nVerdict);
    return FALSE;
}

void CGanttBarView::AddChartLink(CTaskItem* pSucc, CTaskItem* pPred)
{
    CProjectDoc* pDoc = GetDocument();
    CTaskTreeView* pTree = GetTaskTreeView();
    if (pDoc != NULL && pTree != NULL && !pDoc->ScheduleStale()) {
        CProjectSchedule& schedule = pDoc->Schedule();
        // (Refused only for a link the checks let through that the schedule finds circular.)
        if (CTaskLink* pLink = schedule.AddLink(pSucc, pPred, 1, 0)) {
            pLink->m_nLogicalType = 0;
            pLink->m_nSequence = 0;
            return;
        }
    }
    CTaskLink* pLink = new CTaskLink;
    pLink->m_nPredID = pPred->m_nTaskID;
    pLink->m_nSuccID = pPred->m_nRowInGrid;
    pLink->m_nType = 1;
    pLink->m_nLogicalType = 0;
    pLink->m_nSequence = 0;
    pLink->m_nLag = 0;
    pSucc->m_listLinks.AddTail(pLink);
    if (pTree != NULL)
        pTree->ForgetDocSchedule();
}
