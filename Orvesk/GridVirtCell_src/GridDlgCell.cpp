#include "GridDlgCell.h"

#include "GridCellSupport.h"
#include "GridVirtHooks.h"

IMPLEMENT_DYNCREATE(CGridDlgCell, CGridBtnCell)

namespace {
const int kStartColumn = 4;
const int kFinishColumn = 5;
}  // namespace

CGridDlgCell::CGridDlgCell() {}

CGridDlgCell::~CGridDlgCell() {}

BOOL CGridDlgCell::IsDropDownArrow(int nIndex) const
{
    return nIndex >= 0 && GetDrawCtl(nIndex) == DFC_SCROLL && (GetDrawState(nIndex) & 0x01);
}

void CGridDlgCell::OnClick(CPoint point)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid && IsEditable() && IsDropDownArrow(HitTestButton(point))) {
        CRect rect;
        if (pGrid->GetCellRect(CellRow(), m_nCellCol, &rect)) {
            pGrid->SendMessageToParent(CellRow(), m_nCellCol, GRIDN_BEGINLABELEDIT);
            Edit(CellRow(), m_nCellCol, rect, point, IDC_GRID_INPLACE_CONTROL, VK_LBUTTON);
        }
        return;
    }
    CGridBtnCell::OnClick(point);
}

BOOL CGridDlgCell::GetTaskDate(COleDateTime& date) const
{
    CTaskItem* pTask = GridCellSupport::GetRowTask(GetGrid(), CellRow());
    PFN_GRID_TASK_DATES pfnRead = GridGetTaskDatesReader();
    COleDateTime start, finish;
    if (!pTask || !pfnRead || (m_nCellCol != kStartColumn && m_nCellCol != kFinishColumn) ||
        !pfnRead(pTask, start, finish))
        return FALSE;
    date = m_nCellCol == kStartColumn ? start : finish;
    return TRUE;
}

BOOL CGridDlgCell::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    const int nIndex = HitTestButton(point);
    if ((nIndex >= 0 && !IsDropDownArrow(nIndex)) || !HasTextArea())
        return CGridBtnCell::Edit(nRow, nCol, rect, point, nID, nChar);
    m_bEditing = 1;
    CGridDateEditorHooks* pHooks = GridGetDateEditorHooks();
    CWnd* pPicker = pHooks ? pHooks->CreateDateEditor(GetGrid(), rect, nID, nRow, nCol, COleDateTime(2000, 10, 1, 0, 0, 0))
                           : NULL;
    if (pPicker) {
        pPicker->ShowWindow(SW_SHOW);
        COleDateTime date;
        if (GetTaskDate(date))
            pHooks->SetTime(pPicker, date);
        pPicker->SendMessage(static_cast<UINT>(DTN_DROPDOWN), 0, 0);
    }
    SetEditWnd(pPicker);
    if (pPicker)
        pHooks->TypeFirstChar(pPicker, nChar);
    return TRUE;
}

void CGridDlgCell::EndEdit()
{
    if (CWnd* pPicker = GetEditWnd()) {
        SetEditWnd(NULL);
        if (CGridDateEditorHooks* pHooks = GridGetDateEditorHooks())
            pHooks->EndEdit(pPicker);
    }
    if (GetButtonCount() > 0)
        ProcessButtonMessage(WM_LBUTTONUP, 0);
    CGridCellBase::EndEdit();
}

void CGridDlgCell::OnEndEdit()
{
    m_bEditing = 0;
    SetEditWnd(NULL);
    ReleaseArrowsAndPushButtons();
}
