// Grid window: the edit cycle of a cell, from opening its in-place editor to storing the
// edited text.
#include "GridCtrl.h"

void CGridCtrl::OnEditCell(int nRow, int nCol, CPoint point, UINT nChar)
{
    HideTitleTip();

    // An invalid, read-only or hidden cell is not edited and nothing is announced.
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
        return;
    if (GetRowHeight(nRow) <= 0 || GetColumnWidth(nCol) <= 0)
        return;

    if (GetSelectedCount() > 1)
        SetSelectedRange(nRow, nCol, nRow, nCol);

    EnsureVisible(nRow, nCol);
    if (!IsCellVisible(nRow, nCol))
        return;

    CRect rect;
    if (!GetCellRect(nRow, nCol, rect))
        return;

    SendMessageToParent(nRow, nCol, GRIDN_BEGINLABELEDIT);

    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell)
        pCell->Edit(nRow, nCol, rect, point, IDC_GRID_INPLACE_CONTROL, nChar);
}

void CGridCtrl::EndEditing()
{
    CGridCellId cell = GetFocusCell();
    if (!IsValid(cell))
        return;
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    if (pCell)
        pCell->EndEdit();
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, CString str)
{
    if (!IsValid(nRow, nCol))
        return;

    CString strCurrentText = GetItemText(nRow, nCol);
    if (KeepsTasklessText(nRow, nCol))
        str = strCurrentText;
    if (strCurrentText != str)
    {
        SetModified(TRUE, nRow, nCol);
        SetItemText(nRow, nCol, str);

        // A row that was inserted and not yet named takes its text silently. A row without
        // a task record reports a NULL task; receivers must allow for that.
        CGridCellBase* pHead = GetCell(nRow, 0);
        if (!pHead || pHead->GetRowState() != GRIDROW_UNNAMED)
        {
            CWnd* pParent = GetParent();
            if (pParent && pParent->GetSafeHwnd())
                pParent->SendMessage(WM_GRID_TASKCHANGED, (WPARAM)GetRowTask(nRow),
                                     MAKELONG(nRow, nCol));
        }
    }

    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell)
        pCell->OnEndEdit();
#ifdef GRIDCTRL_PREDTASK
    // A predecessor chosen in column 1 completes its row.
    if (nCol == 1 && !GetItemText(nRow, nCol).IsEmpty())
        CompletePredecessorRow(nRow);
#endif
}
