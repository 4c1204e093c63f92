// Grid window: notifications to the owner, the focus cell and the selection.
#include "GridCtrl.h"

#include <algorithm>

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage)
{
    if (!GetSafeHwnd())
        return 0;

    GridNotify nmgv;
    memset(&nmgv, 0, sizeof(nmgv));
    nmgv.iRow = nRow;
    nmgv.iColumn = nCol;
    nmgv.hdr.hwndFrom = GetSafeHwnd();
    nmgv.hdr.idFrom = GetDlgCtrlID();
    nmgv.hdr.code = nMessage;

    CWnd* pOwner = GetOwner();
    if (pOwner && ::IsWindow(pOwner->GetSafeHwnd()))
        return pOwner->SendMessage(WM_NOTIFY, nmgv.hdr.idFrom, (LPARAM)&nmgv);
    return 0;
}

// ---- Focus -----------------------------------------------------------------------------

CGridCellId CGridCtrl::SetFocusCell(CGridCellId cell)
{
    if (cell == m_idCurrentCell)
        return m_idCurrentCell;

    CGridCellId idPrev = m_idCurrentCell;

    if (cell.row != -1 && cell.row < GetFixedRowCount())
        cell.row = GetFixedRowCount();
    if (cell.col != -1 && cell.col < GetFixedColumnCount())
        cell.col = GetFixedColumnCount();

    m_idCurrentCell = cell;

    if (IsValid(idPrev))
    {
        SendMessageToParent(idPrev.row, idPrev.col, GRIDN_SELCHANGING);
        SetItemState(idPrev.row, idPrev.col, GetItemState(idPrev.row, idPrev.col) & ~GRIDSTATE_FOCUSED);
        RedrawCell(idPrev);

        if (idPrev.col != m_idCurrentCell.col)
            for (int row = 0; row < m_nFixedRows; row++)
                RedrawCell(row, idPrev.col);
        if (idPrev.row != m_idCurrentCell.row)
            for (int col = 0; col < m_nFixedCols; col++)
                RedrawCell(idPrev.row, col);
    }

    if (IsValid(m_idCurrentCell))
    {
        SetItemState(m_idCurrentCell.row, m_idCurrentCell.col,
                     GetItemState(m_idCurrentCell.row, m_idCurrentCell.col) | GRIDSTATE_FOCUSED);
        RedrawCell(m_idCurrentCell);
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GRIDN_SELCHANGED);

        if (m_bListMode)
        {
            // Whole-row selection takes the focus row; the mouse mode is only borrowed for
            // that, so a key move or a running drag keeps its own.
            int nOldMode = m_MouseMode;
            m_PrevSelectedCellMap.RemoveAll();
            m_MouseMode = GRIDMOUSE_SELECT_ROW;
            OnSelecting(m_idCurrentCell);
            m_MouseMode = nOldMode;
        }
    }

    return idPrev;
}

// ---- Selection -------------------------------------------------------------------------

void CGridCtrl::TrackSelectedRow(int nRow, int nCol, BOOL bSelected)
{
    if (bSelected)
    {
        m_SelectedRows.insert(nRow);
        if (nCol >= 1)
            m_SelectedRowCells[nRow]++;
        return;
    }
    int nLeft = 0;
    auto it = m_SelectedRowCells.find(nRow);
    if (it != m_SelectedRowCells.end())
    {
        if (nCol >= 1)
            it->second--;
        nLeft = it->second;
        if (nLeft <= 0)
            m_SelectedRowCells.erase(it);
    }
    if (nLeft <= 0)
        m_SelectedRows.erase(nRow);
}

std::vector<int> CGridCtrl::GetSelectedRows() const
{
    return std::vector<int>(m_SelectedRows.begin(), m_SelectedRows.end());
}

void CGridCtrl::SetSelectedRange(const CGridCellRange& Range, BOOL bForceRepaint)
{
    SetSelectedRange(Range.GetMinRow(), Range.GetMinCol(), Range.GetMaxRow(), Range.GetMaxCol(),
                     bForceRepaint);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                                 BOOL bForceRepaint)
{
    if (!m_bEnableSelection)
        return;

    CDC* pDC = NULL;
    if (bForceRepaint && GetSafeHwnd())
        pDC = GetDC();

    if (nMinRow >= 0 && nMinRow < GetFixedRowCount())
        nMinRow = GetFixedRowCount();
    if (nMaxRow >= 0 && nMaxRow < GetFixedRowCount())
        nMaxRow = GetFixedRowCount();
    if (nMinCol >= 0 && nMinCol < GetFixedColumnCount())
        nMinCol = GetFixedColumnCount();
    if (nMaxCol >= 0 && nMaxCol < GetFixedColumnCount())
        nMaxCol = GetFixedColumnCount();

    CGridCellRange NewRange(nMinRow, nMinCol, nMaxRow, nMaxCol);
    BOOL bAllSet = nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0;

    // Clear the cells selected so far.
    std::vector<CGridCellId> oldCells;
    oldCells.reserve((size_t)m_SelectedCellMap.GetCount());
    for (const auto& entry : m_SelectedCellMap)
        oldCells.push_back(entry.second);
    for (const CGridCellId& cell : oldCells)
    {
        if (!IsValid(cell))
        {
            m_SelectedCellMap.RemoveKey(cell.row, cell.col);
            TrackSelectedRow(cell.row, cell.col, FALSE);
            continue;
        }
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GRIDSTATE_SELECTED);
        if (!NewRange.InRange(cell))
        {
            if (pDC)
                RedrawCell(cell.row, cell.col, pDC);
            else
                InvalidateCellRect(cell);
        }
    }

    // Merge in the selection kept from before a drag.
    if (!m_bSingleRowSelection && bAllSet)
    {
        std::vector<CGridCellId> prevCells;
        for (const auto& entry : m_PrevSelectedCellMap)
            prevCells.push_back(entry.second);
        for (const CGridCellId& cell : prevCells)
        {
            if (!IsValid(cell))
                continue;
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GRIDSTATE_SELECTED);
            if (pDC)
                RedrawCell(cell.row, cell.col, pDC);
            else
                InvalidateCellRect(cell);
        }
    }

    // Select the new range.
    if (bAllSet && nMaxRow < GetRowCount() && nMaxCol < GetColumnCount() && nMinRow <= nMaxRow
        && nMinCol <= nMaxCol)
    {
        for (int row = nMinRow; row <= nMaxRow; row++)
            for (int col = nMinCol; col <= nMaxCol; col++)
            {
                UINT nState = GetItemState(row, col);
                if (nState & GRIDSTATE_SELECTED)
                    continue;
                SetItemState(row, col, nState | GRIDSTATE_SELECTED);
                if (pDC)
                    RedrawCell(row, col, pDC);
                else
                    InvalidateCellRect(CGridCellId(row, col));
            }
    }

    if (pDC)
        ReleaseDC(pDC);
}

void CGridCtrl::ResetSelectedRange()
{
    m_PrevSelectedCellMap.RemoveAll();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
}

void CGridCtrl::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, GetRowCount() - 1, GetColumnCount() - 1);
}

void CGridCtrl::SelectColumns(CGridCellId currentCell)
{
    if (!m_bEnableSelection)
        return;
    if (!IsValid(currentCell) || currentCell.col < m_nFixedCols)
        return;
    SetSelectedRange(GetFixedRowCount(), min(m_SelectionStartCell.col, currentCell.col),
                     GetRowCount() - 1, max(m_SelectionStartCell.col, currentCell.col));
}

void CGridCtrl::SelectRows(CGridCellId currentCell)
{
    if (!m_bEnableSelection)
        return;
    if (!IsValid(currentCell) || currentCell.row < m_nFixedRows)
        return;
    if (m_bListMode && m_bSingleRowSelection)
        SetSelectedRange(currentCell.row, GetFixedColumnCount(), currentCell.row,
                         GetColumnCount() - 1);
    else
        SetSelectedRange(min(m_SelectionStartCell.row, currentCell.row), GetFixedColumnCount(),
                         max(m_SelectionStartCell.row, currentCell.row), GetColumnCount() - 1);
}

void CGridCtrl::SelectCells(CGridCellId currentCell)
{
    if (!m_bEnableSelection)
        return;
    int row = currentCell.row;
    int col = currentCell.col;
    if (!IsValid(currentCell) || row < m_nFixedRows || col < m_nFixedCols)
        return;
    SetSelectedRange(min(m_SelectionStartCell.row, row), min(m_SelectionStartCell.col, col),
                     max(m_SelectionStartCell.row, row), max(m_SelectionStartCell.col, col));
}

void CGridCtrl::OnSelecting(const CGridCellId& currentCell)
{
    if (!m_bEnableSelection)
        return;
    switch (m_MouseMode)
    {
    case GRIDMOUSE_SELECT_ALL:
        SelectAllCells();
        break;
    case GRIDMOUSE_SELECT_COL:
        SelectColumns(currentCell);
        break;
    case GRIDMOUSE_SELECT_ROW:
        SelectRows(currentCell);
        break;
    case GRIDMOUSE_SELECT_CELLS:
    case GRIDMOUSE_LEVEL_DRAG:
        SelectCells(currentCell);
        break;
    default:
        break;
    }
}

CGridCellRange CGridCtrl::GetSelectedCellRange() const
{
    CGridCellRange Selection(GetRowCount(), GetColumnCount(), -1, -1);
    for (const auto& entry : m_SelectedCellMap)
    {
        const CGridCellId& cell = entry.second;
        Selection.SetMinRow(min(Selection.GetMinRow(), cell.row));
        Selection.SetMinCol(min(Selection.GetMinCol(), cell.col));
        Selection.SetMaxRow(max(Selection.GetMaxRow(), cell.row));
        Selection.SetMaxCol(max(Selection.GetMaxCol(), cell.col));
    }
    return Selection;
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const
{
    if (!m_bEnableSelection)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? ((pCell->GetState() & GRIDSTATE_SELECTED) ? TRUE : FALSE) : FALSE;
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    if (!m_bEditable)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? ((pCell->GetState() & GRIDSTATE_READONLY) ? FALSE : TRUE) : FALSE;
}
