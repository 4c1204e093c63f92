#include "TaskGridAccess.h"

#include "TaskTreeView.h"

int CTaskGridAccess::GetRowCount() const
{
    return m_pView->m_Grid.GetRowCount();
}

CString CTaskGridAccess::GetText(int nRow, int nCol) const
{
    return m_pView->m_Grid.GetItemText(nRow, nCol);
}

void CTaskGridAccess::SetText(int nRow, int nCol, LPCTSTR lpszText)
{
    m_pView->m_Grid.SetItemText(nRow, nCol, lpszText);
}

int CTaskGridAccess::GetLevel(int nRow) const
{
    CGridTreeCellHooks* pTree = m_pView->m_Grid.GetTreeCell(nRow, 2);
    return pTree ? pTree->GetLevel() : 0;
}

BOOL CTaskGridAccess::IsViewable(int nRow) const
{
    CGridTreeCellHooks* pTree = m_pView->m_Grid.GetTreeCell(nRow, 2);
    return pTree ? (pTree->GetFlagByte() & GRIDTREE_VIEWABLE_BIT) != 0 : FALSE;
}

CTaskItem* CTaskGridAccess::GetTask(int nRow) const
{
    return m_pView->m_Grid.GetRowTask(nRow);
}

int CTaskGridAccess::GetRowState(int nRow, int nCol) const
{
    CGridCellBase* pCell = m_pView->m_Grid.GetCell(nRow, nCol);
    return pCell ? pCell->GetRowState() : -1;
}

BOOL CTaskGridAccess::IsEditable(int nRow, int nCol) const
{
    CGridCellBase* pCell = m_pView->m_Grid.GetCell(nRow, nCol);
    return pCell ? pCell->IsEditable() : FALSE;
}

int CTaskGridAccess::GetRowHeight(int nRow) const
{
    return m_pView->m_Grid.GetRowHeight(nRow);
}

UINT CTaskGridAccess::GetFormat(int nRow, int nCol) const
{
    CGridCellBase* pCell = m_pView->m_Grid.GetCell(nRow, nCol);
    return pCell ? pCell->GetFormat() : 0;
}

CString CTaskGridAccess::GetCellClass(int nRow, int nCol) const
{
    CGridCellBase* pCell = m_pView->m_Grid.GetCell(nRow, nCol);
    return pCell ? CString(pCell->GetRuntimeClass()->m_lpszClassName) : CString();
}

void CTaskGridAccess::SetFocusCell(int nRow, int nCol)
{
    m_pView->m_Grid.SetFocusCell(nRow, nCol);
}

void CTaskGridAccess::EditCell(int nRow, int nCol, LPCTSTR lpszText)
{
    m_pView->m_Grid.SetItemText(nRow, nCol, lpszText);
    m_pView->SendMessage(WM_GRID_TASKCHANGED, (WPARAM)m_pView->m_Grid.GetRowTask(nRow), MAKELONG(nRow, nCol));
}

void CTaskGridAccess::NameBlankRow(int nRow, LPCTSTR lpszName)
{
    m_pView->m_Grid.SetItemText(nRow, 2, lpszName);
    if (CGridCellBase* pHead = m_pView->m_Grid.GetCell(nRow, 0))
        if (pHead->GetRowState() == GRIDROW_UNNAMED)
            pHead->SetRowState(GRIDROW_NEW);
    m_pView->SendMessage(WM_GRID_NEWTASKNAME, (WPARAM)nRow, 0);
}

void CTaskGridAccess::NewTask()
{
    m_pView->m_Grid.OnNewTask();
}

void CTaskGridAccess::DeleteTask()
{
    m_pView->m_Grid.OnDeleteTask();
}

BOOL CTaskGridAccess::ChangeLevel(int nRow, int nLevel)
{
    CGridTreeCellHooks* pTree = m_pView->m_Grid.GetTreeCell(nRow, 2);
    return pTree ? pTree->ChangeLevel(nLevel) : FALSE;
}

BOOL CTaskGridAccess::MoveRow(int nSource, int nTarget)
{
    return m_pView->m_Grid.MoveTaskRow(nSource, nTarget);
}

void CTaskGridAccess::ToggleExpand(int nRow)
{
    m_pView->m_TreeColumn.ToggleExpand(nRow);
    m_pView->SendMessage(WM_GRID_EXPANDCHANGED, 0, 0);
}

BOOL CTaskGridAccess::DragLevel(int nRow, int nLevel)
{
    if (!ChangeLevel(nRow, nLevel))
        return FALSE;
    m_pView->HoldLayouts(TRUE);
    m_pView->RelinkRowsAbove(nRow);
    m_pView->SyncGanttRows(0, 1);
    m_pView->SendMessage(WM_GRID_ROWLEVEL, (WPARAM)nRow, 0);
    m_pView->HoldLayouts(FALSE);
    return TRUE;
}
