// The task tree view: the task property sheet opened from the grid (double click or the
// "任务属性" command) and its values written back into the row and the task.
#include "TaskTreeView.h"

#include <memory>

#include "ProjectDialogHooks.h"
#include "ProjectDoc.h"
#include "TaskItem.h"
#include "TaskRowText.h"

namespace
{
// Moves every entry of one owned list to the end of another.
template <class TList>
void MoveEntries(TList& from, TList& to)
{
    while (!from.IsEmpty())
        to.AddTail(from.RemoveHead());
}
} // namespace

int CTaskTreeView::RunTaskProperty(int nRow, BOOL bDoubleClick)
{
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc || nRow <= 0 || nRow >= m_Grid.GetRowCount())
        return 0;

    CTaskItem* pTask = RowTask(nRow);
    const BOOL bNew = pTask == NULL;
    // A blank row's sheet works on a record of its own, freed however the sheet ends.
    std::unique_ptr<CTaskItem> pBlank;
    if (bNew)
    {
        pBlank.reset(new CTaskItem);
        const COleDateTime now = COleDateTime::GetCurrentTime();
        pBlank->m_dtStart = now;
        pBlank->m_dtFinish = now;
        pBlank->m_dtDeadline = now + COleDateTimeSpan(2, 0, 0, 0);
        pBlank->m_nDuration = 86400;
        pBlank->m_nDurIsEst = 1;
        pBlank->m_nMilestone = 0;
        pBlank->m_nProjID = pDoc->m_nProjectID;
        // The sheet finds its candidate predecessors by the row (GetLinkableTasks).
        pBlank->m_nRowInGrid = nRow;
    }

    if (ProjectRunTaskProperty(*pDoc, bNew ? *pBlank : *pTask) != IDOK)
        return -1;

    if (bNew)
    {
        // The row gets its task under the sheet's name, then the sheet's values.
        m_Grid.SetItemText(nRow, 2, pBlank->m_strName);
        SendMessage(WM_GRID_NEWTASKNAME, (WPARAM)nRow, 0);
        pTask = RowTask(nRow);
        if (!pTask)
            return -1;
        pTask->m_strName = pBlank->m_strName;
        pTask->m_strDesc = pBlank->m_strDesc;
        pTask->m_dtStart = pBlank->m_dtStart;
        pTask->m_dtFinish = pBlank->m_dtFinish;
        pTask->m_dtDeadline = pBlank->m_dtDeadline;
        pTask->m_nPriority = pBlank->m_nPriority;
        pTask->m_nDuration = pBlank->m_nDuration;
        pTask->m_nTrueDuration = pBlank->m_nDuration;
        pTask->m_nDurIsEst = pBlank->m_nDurIsEst;
        pTask->m_arrAssignees.Copy(pBlank->m_arrAssignees);
        MoveEntries(pBlank->m_listLinks, pTask->m_listLinks);
        MoveEntries(pBlank->m_listRefDocs, pTask->m_listRefDocs);
        MoveEntries(pBlank->m_listTargetDocs, pTask->m_listTargetDocs);
        pTask->m_nMilestone = pBlank->m_nMilestone;
        pTask->m_nRowInGrid = nRow;
    }
    KeepMilestone(pTask);

    CGridTreeCellHooks* pTree = m_Grid.GetTreeCell(nRow, 2);
    const int nLevel = pTree ? pTree->GetLevel() : -1;
    m_Grid.SetTaskRow(nRow, pTask, bNew ? 1 : pTask->m_nIsTask, pTask->m_nStatus, pTask->m_strName, nLevel,
                      pTask->m_nDuration / 86400.0, pTask->m_dtStart, pTask->m_dtFinish,
                      TaskPredecessorText(pTask));

    if (bNew)
    {
        m_Grid.RedrawRow(nRow);
        m_Grid.SetFocusCell(nRow, 2);
        pTask->m_nFlag = FLAG_NEW;
        SendMessage(WM_GRID_ROWSCHANGED, 0, 0);
    }
    else
        MarkModified(pTask);

    if (bDoubleClick)
    {
        const COutsideChange outside(*this);
        SendTaskChanged(pTask, nRow, 3);
        SendTaskChanged(pTask, nRow, 4);
    }

    // The sheet told the document's schedule of an existing task's links; a blank row's new
    // task, its dates and links set after it was named, is taken in afresh. The successor
    // lists follow the links.
    if (bNew)
        ForgetDocSchedule();
    BuildSuccessorLists(FALSE);
    PropagateAssignees(nRow);
    // The task's links as the sheet left them, and everything after it.
    PropagateDates(nRow);
    SyncGanttRows(0, TRUE);
    pDoc->UpdateAllViews(this);
    return 1;
}
