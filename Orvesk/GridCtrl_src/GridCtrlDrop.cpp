// Grid window: drag and drop of cell text. The grid is a drag source of its selection and
// a drop target for text, which it pastes at the cell it is dropped on.
#include "GridCtrl.h"

void CGridCtrl::SetCellDropHilite(int nRow, int nCol, BOOL bHilite)
{
    if (!IsValid(nRow, nCol))
        return;
    UINT nState = GetItemState(nRow, nCol);
    SetItemState(nRow, nCol, bHilite ? (nState | GRIDSTATE_DROPHILITED) : (nState & ~GRIDSTATE_DROPHILITED));
    RedrawCell(nRow, nCol);
}

void CGridCtrl::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (!pSource)
        return;

    CGridCellRange range = GetSelectedCellRange();
    SendMessageToParent(range.GetMinRow(), range.GetMinCol(), GRIDN_BEGINDRAG);

    m_MouseMode = GRIDMOUSE_DRAGGING;
    DROPEFFECT dropEffect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (dropEffect & DROPEFFECT_MOVE)
        CutSelectedText();
    // The drag is over: the grid takes keys and clicks again.
    if (m_MouseMode == GRIDMOUSE_DRAGGING)
        m_MouseMode = GRIDMOUSE_NOTHING;
    delete pSource;
}

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bAllowDragAndDrop || !pDataObject || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;

    m_LastDragOverCell = GetCellFromPt(point, FALSE);
    if (IsValid(m_LastDragOverCell) && IsCellEditable(m_LastDragOverCell))
        SetCellDropHilite(m_LastDragOverCell.row, m_LastDragOverCell.col, TRUE);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_bAllowDragAndDrop || !IsEditable() || !pDataObject
        || !pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;

    CGridCellId cell = GetCellFromPt(point, FALSE);
    if (!IsValid(cell))
    {
        OnDragLeave();
        m_LastDragOverCell = CGridCellId(-1, -1);
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell))
        return DROPEFFECT_NONE;

    if (cell != m_LastDragOverCell)
    {
        if (IsValid(m_LastDragOverCell))
            SetCellDropHilite(m_LastDragOverCell.row, m_LastDragOverCell.col, FALSE);
        m_LastDragOverCell = cell;
        SetCellDropHilite(cell.row, cell.col, TRUE);
    }
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::OnDragLeave()
{
    if (IsValid(m_LastDragOverCell))
        SetCellDropHilite(m_LastDragOverCell.row, m_LastDragOverCell.col, FALSE);
}

BOOL CGridCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT /*dropEffect*/, CPoint /*point*/)
{
    if (!m_bAllowDragAndDrop || !IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell))
        return FALSE;
    m_MouseMode = GRIDMOUSE_NOTHING;
    OnDragLeave();
    return PasteTextToGrid(m_LastDragOverCell, pDataObject);
}
