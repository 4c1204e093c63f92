// The default cells of the predecessor build and the fallback of ordinary cells to them.
#ifdef GRIDCTRL_PREDTASK

#include "GridDefaultCell.h"
#include "GridCtrl.h"

IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

CGridDefaultCell::CGridDefaultCell()
    : m_Size(30, 10), m_nStyle(0)
{
    m_nFormat = GRIDCELL_DEFAULT_FORMAT;
    m_nMargin = 3;
    m_crCellFgClr = CLR_DEFAULT;
    m_crCellBkClr = CLR_DEFAULT;
    NONCLIENTMETRICS ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(NONCLIENTMETRICS);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(NONCLIENTMETRICS), &ncm, 0);
    // The description only: a grid may be constructed before the screen can be measured
    // (the margin and size keep their defaults until a font is set).
    CGridCell::SetFont(&ncm.lfMessageFont);
}

CFont* CGridDefaultCell::GetFontObject() const
{
    if (!m_Font.GetSafeHandle())
        m_Font.CreateFontIndirect(&m_lfFont);
    return &m_Font;
}

CGridDefaultCell::~CGridDefaultCell()
{
    m_Font.DeleteObject();
}

void CGridDefaultCell::SetFont(const LOGFONT* plf)
{
    ASSERT(plf);
    if (!plf)
        return;
    CGridCell::SetFont(plf);
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(plf);

    // Margin and size measured on the screen; fixed values when no screen context exists.
    HDC hScreen = ::GetDC(NULL);
    if (!hScreen)
    {
        m_nMargin = 3;
        m_Size = CSize(40, 16);
        return;
    }
    CDC* pDC = CDC::FromHandle(hScreen);
    CFont* pOldFont = pDC->SelectObject(&m_Font);
    m_nMargin = pDC->GetTextExtent(_T(" "), 1).cx;
    m_Size = pDC->GetTextExtent(_T(" XXXXXXXXXXXX "), 14);
    m_Size.cy = (m_Size.cy * 3) / 2;
    pDC->SelectObject(pOldFont);
    ::ReleaseDC(NULL, hScreen);
}

// ---- Ordinary cells ask their default cell --------------------------------------------

CGridCellBase* CGridCell::GetDefaultCellOfKind() const
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid)
        return NULL;
    int nRow = m_nRow, nCol = m_nCol;
    return (CGridCellBase*)pGrid->GetDefaultCell(nRow >= 0 && nRow < pGrid->GetFixedRowCount(),
                                                 nCol >= 0 && nCol < pGrid->GetFixedColumnCount());
}

UINT CGridCell::GetFormat() const
{
    if (m_nFormat == (UINT)-1)
    {
        CGridCellBase* pDefault = GetDefaultCellOfKind();
        return pDefault ? pDefault->GetFormat() : GRIDCELL_DEFAULT_FORMAT;
    }
    return m_nFormat;
}

UINT CGridCell::GetMargin() const
{
    if (m_nMargin == (UINT)-1)
    {
        CGridCellBase* pDefault = GetDefaultCellOfKind();
        return pDefault ? pDefault->GetMargin() : 3;
    }
    return m_nMargin;
}

LOGFONT* CGridCell::GetFont() const
{
    if (!m_bHasFont)
    {
        CGridCellBase* pDefault = GetDefaultCellOfKind();
        if (pDefault)
            return pDefault->GetFont();
    }
    return const_cast<LOGFONT*>(&m_lfFont);
}

COLORREF CGridCell::GetTextClr() const
{
    if (m_crCellFgClr == CLR_DEFAULT)
    {
        CGridCellBase* pDefault = GetDefaultCellOfKind();
        if (pDefault)
            return pDefault->GetTextClr();
    }
    return m_crCellFgClr;
}

COLORREF CGridCell::GetBackClr() const
{
    if (m_crCellBkClr == CLR_DEFAULT)
    {
        CGridCellBase* pDefault = GetDefaultCellOfKind();
        if (pDefault)
            return pDefault->GetBackClr();
    }
    return m_crCellBkClr;
}

#endif
