#include "GridBtnCellCombo.h"

#include "GridCellSupport.h"

#include <ClassLib/Controls/ControlStyles.h>

IMPLEMENT_DYNCREATE(CGridBtnCellCombo, CGridBtnCell)

CGridBtnCellCombo::CGridBtnCellCombo() : m_nComboStyle(CBS_SIMPLE) {}

CGridBtnCellCombo::~CGridBtnCellCombo() {}

void CGridBtnCellCombo::Reset()
{
    CGridBtnCell::Reset();
    m_nComboStyle = CBS_SIMPLE;
    m_arOptions.RemoveAll();
}

void CGridBtnCellCombo::SetOptions(const CStringArray& options)
{
    m_arOptions.RemoveAll();
    for (INT_PTR i = 0; i < options.GetSize(); i++)
        m_arOptions.Add(options[i]);
}

void CGridBtnCellCombo::GetOptions(CStringArray& options) const
{
    options.RemoveAll();
    for (INT_PTR i = 0; i < m_arOptions.GetSize(); i++)
        options.Add(m_arOptions[i]);
}

BOOL CGridBtnCellCombo::IsOnDropDownArrow(CPoint point)
{
    const int nIndex = HitTestButton(point);
    return nIndex >= 0 && GetDrawCtl(nIndex) == DFC_SCROLL && (GetDrawState(nIndex) & 0x01);
}

void CGridBtnCellCombo::OnClick(CPoint point)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid && IsOnDropDownArrow(point)) {
        CRect rect;
        if (pGrid->GetCellRect(CellRow(), m_nCellCol, &rect)) {
            pGrid->SendMessageToParent(CellRow(), m_nCellCol, GRIDN_BEGINLABELEDIT);
            Edit(CellRow(), m_nCellCol, rect, point, IDC_GRID_INPLACE_CONTROL, VK_LBUTTON);
        }
        return;
    }
    CGridBtnCell::OnClick(point);
}

BOOL CGridBtnCellCombo::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    const int nIndex = HitTestButton(point);
    const BOOL bArrow = nIndex >= 0 && GetDrawCtl(nIndex) == DFC_SCROLL && (GetDrawState(nIndex) & 0x01);
    if ((nIndex >= 0 && !bArrow) || !HasTextArea())
        return CGridBtnCell::Edit(nRow, nCol, rect, point, nID, nChar);
    m_bEditing = 1;
    CWnd* pList = GridCellSupport::CreateListEditor(GetGrid(), rect, static_cast<DWORD>(m_nComboStyle), nID, nRow,
                                                     nCol, m_arOptions, GetText(), nChar);
    if (pList && bArrow && (m_nComboStyle == CBS_DROPDOWN || m_nComboStyle == CBS_DROPDOWNLIST))
        GridCellSupport::DropDownListEditor(pList);
    SetEditWnd(pList);
    return TRUE;
}

void CGridBtnCellCombo::EndEdit()
{
    if (CWnd* pList = GetEditWnd()) {
        SetEditWnd(NULL);
        GridCellSupport::EndEditor(pList);
    }
}

void CGridBtnCellCombo::OnEndEdit()
{
    m_bEditing = 0;
    SetEditWnd(NULL);
    ReleaseArrowsAndPushButtons();
    CGridCellBase::EndEdit();
}
