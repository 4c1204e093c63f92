// Grid window: the hooks of a task grid (the grid embedded in the task tree view): the
// tree column, the task view and task tip, the level-drag request of a tree cell, the task
// commands and the feedback drawing. The task rows themselves (cells, writing, deleting)
// are in GridCtrlTaskRows.cpp, built with the task-row cells.
#include "GridCtrl.h"

void CGridCtrl::AttachTreeColumn(CGridTreeColumnHooks* pTreeColumn, CBtnDataBase* pBtnDataBase)
{
    m_pTreeColumn = pTreeColumn;
    m_pBtnDataBase = pBtnDataBase;
}

BOOL CGridCtrl::KeepsTasklessText(int nRow, int nCol) const
{
    return IsTaskGrid() && nCol >= 3 && nCol <= 6 && !GetRowTask(nRow);
}

CGridTreeCellHooks* CGridCtrl::GetTreeCell(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell || !pCell->IsTreeCell())
        return NULL;
    return dynamic_cast<CGridTreeCellHooks*>(pCell);
}

CGridTaskViewHooks* CGridCtrl::GetTaskView() const
{
    if (!GetSafeHwnd())
        return NULL;
    CWnd* pParent = GetParent();
    return pParent ? dynamic_cast<CGridTaskViewHooks*>(pParent) : NULL;
}

void CGridCtrl::InsertTaskRow(int nRow)
{
    CGridTaskRowHooks* pHooks = m_bTaskGrid ? GridGetTaskRowHooks() : NULL;
    if (pHooks)
    {
        pHooks->InsertBlankTaskRow(this, nRow);
        return;
    }
    InsertRow(_T(""), (nRow >= 0 && nRow < GetRowCount()) ? nRow : -1);
    if (m_bTaskGrid && m_pTreeColumn)
        m_pTreeColumn->SetEndRow(GetRowCount());
}

void CGridCtrl::SetTaskRow(int nRow, CTaskItem* pTask)
{
    CGridTaskRowHooks* pHooks = GridGetTaskRowHooks();
    if (pHooks && nRow >= 0 && nRow < GetRowCount())
        pHooks->WriteTaskRow(this, nRow, pTask);
}

void CGridCtrl::OnNewTask()
{
    int nRow = -1;
    if (IsValid(m_idRightClickCell) && m_idRightClickCell.row >= m_nFixedRows)
        nRow = m_idRightClickCell.row;
    else if (IsValid(m_idCurrentCell))
        nRow = m_idCurrentCell.row;

    if (m_bTaskGrid)
    {
        if (nRow < 0)
            nRow = GetRowCount();
        InsertTaskRow(nRow);
        if (nRow >= GetRowCount())
            nRow = GetRowCount() - 1;
    }
    else
        nRow = InsertRow(_T(""), -1);

    CWnd* pParent = GetParent();
    if (pParent && pParent->GetSafeHwnd())
        pParent->SendMessage(WM_GRID_TASKINSERTED, (WPARAM)nRow, 0);
}

BOOL CGridCtrl::DeleteTaskRow(int nRow)
{
    if (nRow <= 0 || nRow >= GetRowCount())
        return FALSE;
    // The task is read before the row (and its cells) go.
    CTaskItem* pTask = GetRowTask(nRow);
    if (!DeleteRow(nRow))
        return FALSE;
    if (m_bTaskGrid && m_pTreeColumn)
        m_pTreeColumn->SetEndRow(GetRowCount());
    CWnd* pParent = GetParent();
    if (pParent && pParent->GetSafeHwnd())
        pParent->SendMessage(WM_GRID_TASKDELETED, (WPARAM)pTask, 0);
    return TRUE;
}

void CGridCtrl::OnDeleteTask()
{
    int nRow = GetRowCount();
    if (IsValid(m_idRightClickCell) && m_idRightClickCell.row >= m_nFixedRows)
        nRow = m_idRightClickCell.row;
    else if (IsValid(m_idCurrentCell))
        nRow = m_idCurrentCell.row;
    if (nRow < 1 || nRow >= GetRowCount())
        return;

    // The subtree ends before the first following task row that is not deeper.
    CGridTreeCellHooks* pTree = GetTreeCell(nRow, 2);
    const int nLevel = pTree ? pTree->GetLevel() : 0;
    int nEnd = nRow + 1;
    BOOL bChildren = FALSE;
    while (nEnd < GetRowCount())
    {
        if (GetRowTask(nEnd))
        {
            CGridTreeCellHooks* pNext = GetTreeCell(nEnd, 2);
            if (!pNext || pNext->GetLevel() <= nLevel)
                break;
            bChildren = TRUE;
        }
        nEnd++;
    }

    BOOL bWhole = TRUE;
    if (bChildren && GetRowTask(nRow))
        bWhole = MessageBox(_T("你要删除当前任务的子任务吗!"), _T("系统提示"),
                            MB_YESNO | MB_ICONINFORMATION) == IDYES;

    const int nFocusRow = m_idCurrentCell.row;
    for (int row = nEnd - 1; row >= nRow; row--)
    {
        if (bWhole || row == nRow)
        {
            if (GetRowTask(row) || row == nFocusRow)
                DeleteTaskRow(row);
        }
        else if (GetRowTask(row))
        {
            CGridTreeCellHooks* pChild = GetTreeCell(row, 2);
            if (pChild && pChild->GetLevel() > 1)
                pChild->SetLevel(pChild->GetLevel() - 1);
        }
    }
    if (GetSafeHwnd())
        Invalidate();
}

void CGridCtrl::TrimEmptyRows()
{
    for (int row = GetRowCount() - 1; row >= GetFixedRowCount(); row--)
    {
        CGridCellBase* pName = GetCell(row, 2);
        if (pName && pName->GetText()[0] == 0)
            DeleteRow(row);
    }
    InsertTaskRow(GetRowCount());
}

void CGridCtrl::OnNewTaskCommand()
{
    OnNewTask();
}

void CGridCtrl::OnDeleteTaskCommand()
{
    OnDeleteTask();
}

int CGridCtrl::CountHiddenRows(int nRow) const
{
    int nLast = (nRow < 0 || nRow >= GetRowCount()) ? GetRowCount() - 1 : nRow;
    int nCount = 0;
    for (int row = 1; row <= nLast; row++)
        if (GetRowHeight(row) == 0)
            nCount++;
    return nCount;
}

void CGridCtrl::InvertHalftoneRect(const CRect& rect)
{
    if (!GetSafeHwnd())
        return;
    CDC* pDC = GetDC();
    if (!pDC)
        return;

    WORD pattern[8];
    for (int i = 0; i < 8; i++)
        pattern[i] = (WORD)(0x5555 << (i & 1));
    CBitmap bitmap;
    bitmap.CreateBitmap(8, 8, 1, 1, pattern);
    CBrush brush;
    brush.CreatePatternBrush(&bitmap);

    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    pDC->SelectObject(pOldBrush);
    ReleaseDC(pDC);
}

BOOL CGridCtrl::CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage)
{
    strMessage.Empty();
    CGridTaskViewHooks* pView = GetTaskView();
    return pView ? pView->CheckTaskLink(nSuccRow, nPredRow, strMessage) : TRUE;
}

void CGridCtrl::GetLinkableTasks(int nRow, CStringArray& arrNames, CUIntArray& arrIds)
{
    arrNames.RemoveAll();
    arrIds.RemoveAll();
    if (CGridTaskViewHooks* pView = GetTaskView())
        pView->GetLinkableTasks(nRow, arrNames, arrIds);
}

LRESULT CGridCtrl::OnGridRowLevel(WPARAM wParam, LPARAM /*lParam*/)
{
    const GridCellRequest* pRequest = (const GridCellRequest*)wParam;
    if (!pRequest)
        return 0;

    m_LevelDragRequest = *pRequest;
    m_ptLevelDrag = CPoint(pRequest->pt.x, pRequest->pt.y);
    m_ptLevelStep = m_ptLevelDrag;
    m_nLevelDragStart = pRequest->nLevel;

    if (pRequest->nMode == 1)
    {
        m_MouseMode = GRIDMOUSE_LEVEL_DRAG;
        if (GetSafeHwnd() && GetCapture() != this)
            SetCapture();
        ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE));
    }
    else if (m_MouseMode == GRIDMOUSE_LEVEL_DRAG || m_MouseMode == GRIDMOUSE_NOTHING)
    {
        // Only the level drag (or rest) returns to rest; a selection or sizing under way
        // keeps its mode.
        if (m_MouseMode == GRIDMOUSE_LEVEL_DRAG && !m_bLMouseButtonDown && GetSafeHwnd() && GetCapture() == this)
            ::ReleaseCapture();
        m_MouseMode = GRIDMOUSE_NOTHING;
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    }
    return 0;
}
