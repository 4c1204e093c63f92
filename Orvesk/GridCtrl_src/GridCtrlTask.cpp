// Grid window: the hooks of a task grid (the grid embedded in the task tree view): the
// tree column, the task view and task tip, the level-drag request of a tree cell, the task
// commands and the feedback drawing. The task views complete InsertTaskRow, SetTaskRow and
// OnDeleteTask with the task rows' cell classes and records.
#include "GridCtrl.h"

void CGridCtrl::AttachTreeColumn(CGridTreeColumnHooks* pTreeColumn, CBtnDataBase* pBtnDataBase)
{
    m_pTreeColumn = pTreeColumn;
    m_pBtnDataBase = pBtnDataBase;
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
    // A blank row; the task views give its cells their classes.
    InsertRow(_T(""), (nRow >= 0 && nRow < GetRowCount()) ? nRow : -1);
    if (m_bTaskGrid && m_pTreeColumn)
        m_pTreeColumn->SetEndRow(GetRowCount());
}

void CGridCtrl::SetTaskRow(int /*nRow*/, CTaskItem* /*pTask*/)
{
    // Filled by the task views, which know the task record.
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

void CGridCtrl::OnDeleteTask()
{
    // Deleting task rows (and asking about their sub-tasks) is the task views' part.
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

LRESULT CGridCtrl::OnGridRowLevel(WPARAM wParam, LPARAM /*lParam*/)
{
    const GridCellRequest* pRequest = (const GridCellRequest*)wParam;
    if (!pRequest)
        return 0;

    m_LevelDragRequest = *pRequest;
    m_ptLevelDrag = CPoint(pRequest->pt.x, pRequest->pt.y);

    if (pRequest->nMode == 1)
    {
        m_MouseMode = GRIDMOUSE_LEVEL_DRAG;
        ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE));
    }
    else if (m_MouseMode == GRIDMOUSE_LEVEL_DRAG || m_MouseMode == GRIDMOUSE_NOTHING)
    {
        // Only the level drag (or rest) returns to rest; a selection or sizing under way
        // keeps its mode.
        m_MouseMode = GRIDMOUSE_NOTHING;
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    }
    return 0;
}
