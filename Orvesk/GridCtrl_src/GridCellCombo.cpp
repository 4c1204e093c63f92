// The list cell.
#include "GridCellCombo.h"
#include "GridCtrl.h"
#include "GridEditHooks.h"

IMPLEMENT_DYNCREATE(CGridCellCombo, CGridCell)

CGridCellCombo::CGridCellCombo()
    : m_dwStyle(CBS_DROPDOWN)
{
}

CGridCellCombo::~CGridCellCombo()
{
}

void CGridCellCombo::SetOptions(const CStringArray& ar)
{
    m_Strings.RemoveAll();
    for (int i = 0; i < (int)ar.GetSize(); i++)
        m_Strings.Add(ar[i]);
}

CSize CGridCellCombo::GetCellExtent(CDC* pDC)
{
    CSize size = CGridCell::GetCellExtent(pDC);
    size.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    size.cy += ::GetSystemMetrics(SM_CYHSCROLL);
    return size;
}

BOOL CGridCellCombo::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid && pDC && pGrid->IsCellEditable(nRow, nCol) && !IsEditing()
        && pGrid->GetFocusCell() == CGridCellId(nRow, nCol))
    {
        int cx = ::GetSystemMetrics(SM_CXVSCROLL);
        int cy = ::GetSystemMetrics(SM_CYHSCROLL);
        if (cy < rect.Width() && cy < rect.Height())
        {
            CRect ScrollRect(rect.right - cx, rect.top, rect.right, rect.top + cy);
            pDC->DrawFrameControl(ScrollRect, DFC_SCROLL, DFCS_SCROLLDOWN);
            rect.right = ScrollRect.left;
        }
    }

    // While the list is open only the editor shows the text.
    if (IsEditing())
    {
        CString strText(GetText());
        SetText(_T(""));
        BOOL bResult = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
        SetText(strText);
        return bResult;
    }
    return CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
}

BOOL CGridCellCombo::Edit(int nRow, int nCol, CRect rect, CPoint /*point*/, UINT nID, UINT nChar)
{
    m_bEditing = TRUE;
    CGridCtrl* pGrid = GetGrid();
    CGridEditorHooks* pHooks = GridGetEditorHooks();
    m_pEditWnd = (pHooks && pGrid)
        ? pHooks->CreateList(pGrid, rect, m_dwStyle, nID, nRow, nCol, m_Strings, GetText(), nChar)
        : NULL;
    return TRUE;
}

void CGridCellCombo::EndEdit()
{
    CGridEditorHooks* pHooks = GridGetEditorHooks();
    if (m_pEditWnd && pHooks)
        pHooks->EndEdit(m_pEditWnd);
}

CWnd* CGridCellCombo::GetEditWnd() const
{
    if (!m_pEditWnd || (m_dwStyle & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST)
        return NULL;
    CGridEditorHooks* pHooks = GridGetEditorHooks();
    return pHooks ? pHooks->GetListEdit(m_pEditWnd) : NULL;
}
