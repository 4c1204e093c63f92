// Grid window: moving a task row with its subtree below another row (the release of a
// row move).
#include "GridCtrl.h"

#include <vector>

namespace
{
int LevelOf(CGridTreeCellHooks* pTree)
{
    return pTree ? pTree->GetLevel() : 0;
}
} // namespace

BOOL CGridCtrl::MoveTaskRow(int nSource, int nTarget)
{
    if (nSource < 0 || nSource >= GetRowCount() || nTarget < 0 || nTarget >= GetRowCount())
        return FALSE;

    // The subtree: the rows below the source that are deeper than it.
    int nLevel0 = LevelOf(GetTreeCell(nSource, 2));
    int nEnd = nSource + 1;
    if (nLevel0 > 0)
        while (nEnd < GetRowCount() && LevelOf(GetTreeCell(nEnd, 2)) > nLevel0)
            nEnd++;
    int nCount = nEnd - nSource;

    // A row cannot be moved onto itself or below one of its own sub-tasks: the rows would
    // have to be inserted into the range that is being taken out.
    if (nTarget >= nSource && nTarget < nEnd)
        return FALSE;

    int nNewLevel = 1;
    if (nTarget > 0)
    {
        nNewLevel = LevelOf(GetTreeCell(nTarget, 2));
        if (nTarget + 1 < GetRowCount() && LevelOf(GetTreeCell(nTarget + 1, 2)) > nNewLevel)
            nNewLevel++;
    }
    int nShift = nNewLevel - nLevel0;

    CWnd* pParent = GetParent();
    if (pParent && !pParent->GetSafeHwnd())
        pParent = NULL;

    for (int i = 0; i < nCount; i++)
    {
        // Moving up, the rows go one below the other after the target; moving down, each
        // goes just below the target, which moves up as the rows above it are taken out.
        BOOL bUp = nSource > nTarget;
        int nInsert = bUp ? nTarget + 1 + i : nTarget + 1;
        int nLevel = LevelOf(GetTreeCell(bUp ? nSource + i : nSource, 2)) + nShift;
        if (nLevel < 1)
            nLevel = 1;
        if (nLevel > 126)
            nLevel = 126;

        InsertTaskRow(nInsert);
        if (nInsert >= GetRowCount())
            nInsert = GetRowCount() - 1;
        if (pParent)
            pParent->SendMessage(WM_GRID_TASKINSERTED, (WPARAM)nInsert, 0);
        int nFrom = bUp ? nSource + i + 1 : nSource;

        CGridTreeCellHooks* pNewTree = GetTreeCell(nInsert, 2);
        if (pNewTree)
            pNewTree->SetLevel(nLevel);

        // The row keeps its cells' texts and data; a task grid then writes the task record.
        for (int col = 1; col < GetColumnCount(); col++)
        {
            SetItemText(nInsert, col, GetItemText(nFrom, col));
            SetItemData(nInsert, col, GetItemData(nFrom, col));
        }
        CGridCellBase* pFromHead = GetCell(nFrom, 0);
        CGridCellBase* pNewHead = GetCell(nInsert, 0);
        CTaskItem* pTask = pFromHead ? pFromHead->GetTask() : NULL;
        if (pNewHead && pFromHead)
        {
            pNewHead->SetTask(pTask);
            pNewHead->SetRowState(pFromHead->GetRowState());
            pFromHead->SetTask(NULL);
        }
        if (pTask)
            SetTaskRow(nInsert, pTask);

        DeleteRow(nFrom);
        if (nFrom < nInsert)
            nInsert--;
        if (pParent)
        {
            pParent->SendMessage(WM_GRID_ROWSCHANGED, 0, 0);
            pParent->SendMessage(WM_GRID_TASKCHANGED, (WPARAM)pTask, MAKELONG(nInsert, 4));
            pParent->SendMessage(WM_GRID_TASKCHANGED, (WPARAM)pTask, MAKELONG(nInsert, 3));
        }
    }

    CGridTaskViewHooks* pView = GetTaskView();
    if (pView)
    {
        pView->BuildSuccessorLists();
        pView->SyncGanttRows(0, 1);
    }
    if (GetSafeHwnd())
        Invalidate();
    return TRUE;
}
