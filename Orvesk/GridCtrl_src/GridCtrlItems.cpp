// Grid window: item attributes, the modified marks, row and column sizes, auto-sizing and
// the behaviour switches.
#include "GridCtrl.h"

namespace
{
// Spreads nDifference pixels over the first nCount sizes: each gets an equal share, the
// first ones one pixel more (or less) for the remainder; no size goes below 0.
void SpreadDifference(CGridSizeArray& sizes, int nCount, int nDifference)
{
    int nAdjustment = nDifference / nCount;
    for (int i = 0; i < nCount; i++)
        sizes.SetAt(i, max(0, sizes.GetAt(i) + nAdjustment));

    if (nDifference > 0)
    {
        int nLeftOver = nDifference % nCount;
        for (int i = 0; i < nLeftOver; i++)
            sizes.SetAt(i, sizes.GetAt(i) + 1);
    }
    else if (nDifference < 0)
    {
        int nLeftOver = (-nDifference) % nCount;
        for (int i = 0; i < nLeftOver; i++)
            sizes.SetAt(i, max(0, sizes.GetAt(i) - 1));
    }
}
} // namespace

BOOL CGridCtrl::SetItem(const GridItem* pItem)
{
    if (!pItem)
        return FALSE;
    CGridCellBase* pCell = GetCell(pItem->row, pItem->col);
    if (!pCell)
        return FALSE;

    SetModified(TRUE, pItem->row, pItem->col);

    if (pItem->mask & GRIDITEM_TEXT)
        pCell->SetText(pItem->szText);
    if (pItem->mask & GRIDITEM_DATA)
        pCell->SetData(pItem->lParam);
    if (pItem->mask & GRIDITEM_IMAGE)
        pCell->SetImage(pItem->iImage);
    if (pItem->mask & GRIDITEM_STATE)
        SetItemState(pItem->row, pItem->col, pItem->state);
    if (pItem->mask & GRIDITEM_FORMAT)
        pCell->SetFormat(pItem->nFormat);
    if (pItem->mask & GRIDITEM_BKCLR)
        pCell->SetBackClr(pItem->crBkClr);
    if (pItem->mask & GRIDITEM_FGCLR)
        pCell->SetTextClr(pItem->crFgClr);
    if (pItem->mask & GRIDITEM_FONT)
        pCell->SetFont(&pItem->lfFont);
    if (pItem->mask & GRIDITEM_MARGIN)
        pCell->SetMargin(pItem->nMargin);
    return TRUE;
}

BOOL CGridCtrl::GetItem(GridItem* pItem) const
{
    if (!pItem)
        return FALSE;
    CGridCellBase* pCell = GetCell(pItem->row, pItem->col);
    if (!pCell)
        return FALSE;

    if (pItem->mask & GRIDITEM_TEXT)
        pItem->szText = pCell->GetText();
    if (pItem->mask & GRIDITEM_DATA)
        pItem->lParam = pCell->GetData();
    if (pItem->mask & GRIDITEM_IMAGE)
        pItem->iImage = pCell->GetImage();
    if (pItem->mask & GRIDITEM_STATE)
        pItem->state = pCell->GetState();
    if (pItem->mask & GRIDITEM_FORMAT)
        pItem->nFormat = pCell->GetFormat();
    if (pItem->mask & GRIDITEM_BKCLR)
        pItem->crBkClr = pCell->GetBackClr();
    if (pItem->mask & GRIDITEM_FGCLR)
        pItem->crFgClr = pCell->GetTextClr();
    if (pItem->mask & GRIDITEM_FONT)
    {
        const LOGFONT* plf = pCell->GetFont();
        if (plf)
            memcpy(&pItem->lfFont, plf, sizeof(LOGFONT));
    }
    if (pItem->mask & GRIDITEM_MARGIN)
        pItem->nMargin = pCell->GetMargin();
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    if (!pCell)
        return FALSE;
#ifdef GRIDCTRL_PREDTASK
    // The owner may veto the change before (-105) and after (-106) it.
    if (SendMessageToParent(nRow, nCol, GRIDN_BEGINLABELEDIT) < 0)
        return FALSE;
    CString strOld = pCell->GetText();
    CString strNew = str ? str : _T("");
    if (strNew != strOld)
    {
        pCell->SetText(strNew);
        if (ValidateEdit(nRow, nCol, strNew)
            && SendMessageToParent(nRow, nCol, GRIDN_ENDLABELEDIT) >= 0)
        {
            SetModified(TRUE, nRow, nCol);
            RedrawCell(nRow, nCol);
            return TRUE;
        }
    }
    pCell->SetText(strOld);
    return FALSE;
#else
    pCell->SetText(str);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
#endif
}

CString CGridCtrl::GetItemText(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return CString(_T(""));
    return CString(pCell->GetText());
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    if (!pCell)
        return FALSE;
    pCell->SetData(lParam);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    return pCell ? pCell->GetData() : 0;
}

BOOL CGridCtrl::SetItemImage(int nRow, int nCol, int iImage)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    if (!pCell)
        return FALSE;
    pCell->SetImage(iImage);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    return pCell ? pCell->GetImage() : -1;
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    if (!pCell)
        return FALSE;

    BOOL bInMap = m_SelectedCellMap.Lookup(nRow, nCol);
    if (state & GRIDSTATE_SELECTED)
    {
        if (!bInMap)
        {
            m_SelectedCellMap.SetAt(nRow, nCol);
            TrackSelectedRow(nRow, nCol, TRUE);
        }
    }
    else if (bInMap)
    {
        m_SelectedCellMap.RemoveKey(nRow, nCol);
        TrackSelectedRow(nRow, nCol, FALSE);
    }

    pCell->SetState(state);
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    return pCell ? pCell->GetState() : 0;
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT nFormat)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    if (!pCell)
        return FALSE;
    pCell->SetFormat(nFormat);
    return TRUE;
}

UINT CGridCtrl::GetItemFormat(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    return pCell ? pCell->GetFormat() : 0;
}

BOOL CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    if (!pCell)
        return FALSE;
    pCell->SetBackClr(cr);
    return TRUE;
}

COLORREF CGridCtrl::GetItemBkColour(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    return pCell ? pCell->GetBackClr() : CLR_DEFAULT;
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF cr)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    if (!pCell)
        return FALSE;
    pCell->SetTextClr(cr);
    return TRUE;
}

COLORREF CGridCtrl::GetItemFgColour(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    return pCell ? pCell->GetTextClr() : CLR_DEFAULT;
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* lf)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    if (!pCell || !lf)
        return FALSE;
    pCell->SetFont(lf);
    return TRUE;
}

const LOGFONT* CGridCtrl::GetItemFont(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    return pCell ? pCell->GetFont() : NULL;
}

BOOL CGridCtrl::IsItemEditing(int nRow, int nCol) const
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    ASSERT(pCell);
    return pCell ? pCell->IsEditing() : FALSE;
}

BOOL CGridCtrl::IsCellFixed(int nRow, int nCol) const
{
    return nRow < GetFixedRowCount() || nCol < GetFixedColumnCount();
}

// ---- Modified marks --------------------------------------------------------------------

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    m_nSortColumn = -1;

    if (nRow < 1 || nCol < 1)
    {
        m_bModified = bModified;
    }
    else
    {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (pCell)
        {
            UINT nState = pCell->GetState();
            pCell->SetState(bModified ? (nState | GRIDSTATE_MODIFIED) : (nState & ~GRIDSTATE_MODIFIED));
        }
        if (bModified)
            m_bModified = TRUE;
    }

    if (!m_bModified)
        ClearModifiedCells();
}

void CGridCtrl::ClearModifiedCells()
{
    for (int row = 0; row < m_nRows; row++)
        for (int col = 0; col < m_nCols; col++)
        {
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell && (pCell->GetState() & GRIDSTATE_MODIFIED))
                pCell->SetState(pCell->GetState() & ~GRIDSTATE_MODIFIED);
        }
}

BOOL CGridCtrl::GetModified(int nRow, int nCol) const
{
    if (nRow < 1 || nCol < 1)
        return m_bModified;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? ((pCell->GetState() & GRIDSTATE_MODIFIED) == GRIDSTATE_MODIFIED) : FALSE;
}

// ---- Sizes -----------------------------------------------------------------------------

int CGridCtrl::GetRowHeight(int nRow) const
{
    ASSERT(nRow >= 0 && nRow < m_nRows);
    if (nRow < 0 || nRow >= m_nRows || nRow >= m_arRowHeights.GetSize())
        return -1;
    return m_arRowHeights.GetAt(nRow);
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    ASSERT(nCol >= 0 && nCol < m_nCols);
    if (nCol < 0 || nCol >= m_nCols || nCol >= m_arColWidths.GetSize())
        return -1;
    return m_arColWidths.GetAt(nCol);
}

BOOL CGridCtrl::SetRowHeight(int nRow, int height)
{
    ASSERT(nRow >= 0 && nRow < m_nRows && height >= 0);
    if (nRow < 0 || nRow >= m_nRows || height < 0)
        return FALSE;
    m_arRowHeights.SetAt(nRow, height);
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int width)
{
    ASSERT(nCol >= 0 && nCol < m_nCols && width >= 0);
    if (nCol < 0 || nCol >= m_nCols || width < 0)
        return FALSE;
    m_arColWidths.SetAt(nCol, width);
    ResetScrollBars();
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const
{
    return (int)m_arRowHeights.SumBefore(m_nFixedRows);
}

int CGridCtrl::GetFixedColumnWidth() const
{
    return (int)m_arColWidths.SumBefore(m_nFixedCols);
}

long CGridCtrl::GetVirtualWidth() const
{
    return (long)m_arColWidths.Total();
}

long CGridCtrl::GetVirtualHeight() const
{
    return (long)m_arRowHeights.Total();
}

BOOL CGridCtrl::AutoSizeColumn(int nCol, BOOL bIgnoreFixedRows)
{
    ASSERT(nCol >= 0 && nCol < m_nCols);
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;
    if (GetColumnWidth(nCol) < 1)
        return FALSE;

    CDC* pDC = GetSafeHwnd() ? GetDC() : NULL;
    if (!pDC)
        return FALSE;
    FitColumnWidth(nCol, pDC, bIgnoreFixedRows);
    ReleaseDC(pDC);
    ResetScrollBars();
    return TRUE;
}

// Sets the column's width to its widest cell without touching the scroll bars: callers
// sizing many columns reset them once afterwards (each reset sums the columns again).
void CGridCtrl::FitColumnWidth(int nCol, CDC* pDC, BOOL bIgnoreFixedRows)
{
    int nWidth = 0;
    int nStartRow = bIgnoreFixedRows ? GetFixedRowCount() : 0;
    for (int row = nStartRow; row < GetRowCount(); row++)
    {
        CGridCellBase* pCell = GetCell(row, nCol);
        if (pCell)
        {
            CSize size = pCell->GetCellExtent(pDC);
            if (size.cx > nWidth)
                nWidth = size.cx;
        }
    }
    m_arColWidths.SetAt(nCol, nWidth);
}

BOOL CGridCtrl::AutoSizeRow(int nRow)
{
    ASSERT(nRow >= 0 && nRow < m_nRows);
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    if (GetRowHeight(nRow) < 1)
        return FALSE;

    CDC* pDC = GetSafeHwnd() ? GetDC() : NULL;
    if (!pDC)
        return FALSE;

    int nHeight = 0;
    for (int col = 0; col < GetColumnCount(); col++)
    {
        CGridCellBase* pCell = GetCell(nRow, col);
        if (pCell)
        {
            CSize size = pCell->GetCellExtent(pDC);
            if (size.cy > nHeight)
                nHeight = size.cy;
        }
    }
    m_arRowHeights.SetAt(nRow, nHeight);

    ReleaseDC(pDC);
    ResetScrollBars();
    return TRUE;
}

void CGridCtrl::AutoSizeColumns()
{
    CDC* pDC = GetSafeHwnd() ? GetDC() : NULL;
    if (!pDC)
        return;
    // The grid's own font selected once: cells drawn in it need not make it again.
    CFont font;
    CFont* pOldFont = NULL;
    if (font.CreateFontIndirect(GetLogFont()))
        pOldFont = pDC->SelectObject(&font);
    for (int col = 0; col < GetColumnCount(); col++)
        if (GetColumnWidth(col) > 0)
            FitColumnWidth(col, pDC, FALSE);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);
    ResetScrollBars();
}

void CGridCtrl::ExpandColumnsToFit()
{
    if (GetColumnCount() <= 0)
        return;

    EnableScrollBars(SB_BOTH, FALSE);

    CRect rect;
    GetClientRect(rect);
    long virtualWidth = GetVirtualWidth();
    SpreadDifference(m_arColWidths, GetColumnCount(), rect.Width() - (int)virtualWidth);

    if (m_bAllowDraw && GetSafeHwnd())
        Invalidate();
}

void CGridCtrl::ExpandRowsToFit()
{
    if (GetRowCount() <= 0)
        return;

    EnableScrollBars(SB_BOTH, FALSE);

    CRect rect;
    GetClientRect(rect);
    long virtualHeight = GetVirtualHeight();
    SpreadDifference(m_arRowHeights, GetRowCount(), rect.Height() - (int)virtualHeight);

    if (m_bAllowDraw && GetSafeHwnd())
        Invalidate();
}

void CGridCtrl::ExpandToFit()
{
    ExpandColumnsToFit();
    ExpandRowsToFit();
    ExpandColumnsToFit();
    ResetScrollBars();
    Refresh();
}

// ---- Switches --------------------------------------------------------------------------

void CGridCtrl::SetGridLines(int nWhichLines)
{
    m_nGridLines = nWhichLines;
    Refresh();
}

void CGridCtrl::SetListMode(BOOL bEnableListMode)
{
    m_bListMode = bEnableListMode;
}

void CGridCtrl::EnableSelection(BOOL bEnable)
{
    m_bEnableSelection = bEnable;
}

void CGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars)
{
    if (bAllowDraw && !m_bAllowDraw)
    {
        m_bAllowDraw = TRUE;
        if (bResetScrollBars)
            ResetScrollBars();
        Refresh();
    }
    m_bAllowDraw = bAllowDraw;
}

void CGridCtrl::SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin,
                                   int nRightMargin, int nTopMargin, int nBottomMargin, int nGap)
{
    if (nHeaderHeight >= 0)
        m_nHeaderHeight = nHeaderHeight;
    if (nFooterHeight >= 0)
        m_nFooterHeight = nFooterHeight;
    if (nLeftMargin >= 0)
        m_nLeftMargin = nLeftMargin;
    if (nRightMargin >= 0)
        m_nRightMargin = nRightMargin;
    if (nTopMargin >= 0)
        m_nTopMargin = nTopMargin;
    if (nBottomMargin >= 0)
        m_nBottomMargin = nBottomMargin;
    if (nGap >= 0)
        m_nGap = nGap;
}

void CGridCtrl::GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin,
                                   int& nRightMargin, int& nTopMargin, int& nBottomMargin,
                                   int& nGap) const
{
    nHeaderHeight = m_nHeaderHeight;
    nFooterHeight = m_nFooterHeight;
    nLeftMargin = m_nLeftMargin;
    nRightMargin = m_nRightMargin;
    nTopMargin = m_nTopMargin;
    nBottomMargin = m_nBottomMargin;
    nGap = m_nGap;
}
