// Grid window: resizing, the font and the default cell size it gives, system colour
// changes and the mouse cursor.
#include "GridCtrl.h"

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    // One guard for all grids: resizing a grid can resize another one.
    static BOOL bAlreadyInsideThisProcedure = FALSE;
    if (bAlreadyInsideThisProcedure)
        return;
    bAlreadyInsideThisProcedure = TRUE;

    EndEditing();
    CWnd::OnSize(nType, cx, cy);
    ResetScrollBars();

    bAlreadyInsideThisProcedure = FALSE;
}

LRESULT CGridCtrl::OnSetFont(WPARAM hFont, LPARAM lParam)
{
    LRESULT result = DefWindowProc(WM_SETFONT, hFont, lParam);
    if (!hFont)
        return result;

    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    CFont* pFont = CFont::FromHandle((HFONT)hFont);
    if (!pFont || !pFont->GetLogFont(&lf))
        return result;

    memcpy(&m_Logfont, &lf, sizeof(LOGFONT));
#ifdef GRIDCTRL_PREDTASK
    // The default cells take the font and measure themselves; the cells follow them.
    SetDefaultCellFont(&lf);
    if (GetSafeHwnd() && m_bAllowDraw)
        Invalidate();
    return result;
#endif
    for (int row = 0; row < GetRowCount(); row++)
        for (int col = 0; col < GetColumnCount(); col++)
        {
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell)
                pCell->SetFont(&lf);
        }

    CDC* pDC = GetSafeHwnd() ? GetDC() : NULL;
    if (pDC)
    {
        m_Font.DeleteObject();
        m_Font.CreateFontIndirect(&m_Logfont);
        CFont* pOldFont = pDC->SelectObject(&m_Font);

        TEXTMETRIC tm;
        memset(&tm, 0, sizeof(tm));
        pDC->GetTextMetrics(&tm);
        CSize sizeBlank = pDC->GetTextExtent(_T(" "), 1);
        m_nBlankWidth = sizeBlank.cx;

        pDC->SelectObject(pOldFont);
        ReleaseDC(pDC);

        m_nDefCellHeight = max(20, (int)(tm.tmHeight + tm.tmExternalLeading + tm.tmHeight / 4));
        m_nDefCellWidth = max(100, (int)(tm.tmAveCharWidth * 12 + 2 * m_nBlankWidth));

        if (GetSafeHwnd())
            Invalidate();
    }
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return (LRESULT)(HFONT)m_Font;
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();

    if (GetTextColor() == m_crWindowText)
        SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    if (GetTextBkColor() == m_crWindowColour)
        SetTextBkColor(::GetSysColor(COLOR_WINDOW));
    if (GetFixedTextColor() == m_crWindowText)
        SetFixedTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    if (GetFixedBkColor() == m_cr3DFace)
        SetFixedBkColor(::GetSysColor(COLOR_3DFACE));

    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = ::GetSysColor(COLOR_WINDOW);
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
#ifdef GRIDCTRL_PREDTASK
    SetDefaultCellColours();
#endif
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);

    switch (m_MouseMode)
    {
    case GRIDMOUSE_OVER_ROW_BORDER:
        ::SetCursor(::LoadCursor(NULL, IDC_SIZENS));
        break;
    case GRIDMOUSE_OVER_COL_BORDER:
        ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE));
        break;
    case GRIDMOUSE_DRAGGING:
        break;
    default:
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        CGridCellId cell = GetCellFromPt(pt);
        CGridCellBase* pCell = IsValid(cell) ? GetCell(cell.row, cell.col) : NULL;
        if (pCell)
            return pCell->OnSetCursor();
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
        break;
    }
    }
    return TRUE;
}
