// Drawing a band of the grid's rows into a context supplied from outside (the chart's
// printing draws the task rows beside its bars with it).
#include "GridCtrl.h"

namespace
{
void SolidLine(CDC* pDC, int x1, int y1, int x2, int y2)
{
    CGdiObject* pOld = pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    if (pOld)
        pDC->SelectObject(pOld);
}

// One-unit strokes along a horizontal or vertical line, black and white in turn.
void DottedLine(CDC* pDC, int x1, int y1, int x2, int y2)
{
    CGdiObject* pOld = pDC->SelectStockObject(BLACK_PEN);
    BOOL bHorz = (y1 == y2);
    int nLength = bHorz ? x2 - x1 : y2 - y1;
    for (int i = 0; i < nLength; i++)
    {
        pDC->SelectStockObject((i % 2) == 0 ? BLACK_PEN : WHITE_PEN);
        if (bHorz)
        {
            pDC->MoveTo(x1 + i, y1);
            pDC->LineTo(x1 + i + 1, y1);
        }
        else
        {
            pDC->MoveTo(x1, y1 + i);
            pDC->LineTo(x1, y1 + i + 1);
        }
    }
    if (pOld)
        pDC->SelectObject(pOld);
}

void CellLines(CDC* pDC, const CRect& rc, BOOL bTop, BOOL bLeft)
{
    pDC->MoveTo(rc.right, rc.top);
    pDC->LineTo(rc.right, rc.bottom + 1);
    pDC->MoveTo(rc.left, rc.bottom);
    pDC->LineTo(rc.right + 1, rc.bottom);
    if (bTop)
    {
        pDC->MoveTo(rc.left, rc.top);
        pDC->LineTo(rc.right + 1, rc.top);
    }
    if (bLeft)
    {
        pDC->MoveTo(rc.left, rc.top);
        pDC->LineTo(rc.left, rc.bottom + 1);
    }
}
} // namespace

int CGridCtrl::GetColumnsWidth() const
{
    int nLastCol = GetVisibleNonFixedCellRange().GetMaxCol();
    if (nLastCol > GetColumnCount())
        nLastCol = GetColumnCount();
    int nWidth = 0;
    for (int col = 0; col < nLastCol; col++)
        nWidth += GetColumnWidth(col);
    return nWidth;
}

void CGridCtrl::DrawGridOnDC(CDC* pDC, CPrintInfo* pInfo, CFont* pFont, int nFirstRow, int nEndRow)
{
    if (pInfo)
        DrawGridOnDC(pDC, &pInfo->m_rectDraw, pFont, nFirstRow, nEndRow);
}

void CGridCtrl::DrawGridOnDC(CDC* pDC, LPRECT pRect, CFont* pFont, int nFirstRow, int nEndRow)
{
    if (!pDC || !pRect)
        return;

    // A preview keeps its outside-context mode when the chart draws the grid meanwhile.
    BOOL bWasDrawingOnDC = m_bDrawingOnDC;
    m_bDrawingOnDC = TRUE;

    // A fresh printer font each time: the given one, else the grid's own.
    m_PrinterFont.DeleteObject();
    LOGFONT lf;
    memcpy(&lf, &m_Logfont, sizeof(LOGFONT));
    if (pFont && pFont->GetSafeHandle())
        pFont->GetLogFont(&lf);
    m_PrinterFont.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);

    if (nFirstRow < GetFixedRowCount())
        nFirstRow = GetFixedRowCount();
    if (nEndRow > GetRowCount())
        nEndRow = GetRowCount();

    int nLastCol = GetVisibleNonFixedCellRange().GetMaxCol();
    if (nLastCol > GetColumnCount())
        nLastCol = GetColumnCount();
    if (nLastCol < 0)
        nLastCol = 0;

    CRect rcBounds(pRect);
    int nLeft = pRect->left;
    for (int col = 0; col < nLastCol; col++)
        pRect->left += GetColumnWidth(col);

    // Fixed rows.
    CRect rect;
    rect.bottom = rcBounds.top - 1;
    for (int row = 0; row < GetFixedRowCount(); row++)
    {
        int nHeight = GetRowHeight(row);
        if (nHeight <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + nHeight - 1;
        rect.right = nLeft - 1;
        for (int col = 0; col < nLastCol; col++)
        {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.right > rcBounds.right)
                break;
            if (CGridCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            CellLines(pDC, rect, row == 0, col == 0);
        }
    }
    int nBodyTop = rect.bottom + 1;
    if (GetFixedRowCount() == 0)
        nBodyTop = rcBounds.top;

    // Fixed columns of the band's rows.
    rect.bottom = nBodyTop - 1;
    for (int row = nFirstRow; row < nEndRow; row++)
    {
        int nHeight = GetRowHeight(row);
        if (nHeight <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + nHeight - 1;
        if (rect.bottom > rcBounds.bottom)
            break;
        rect.right = nLeft - 1;
        for (int col = 0; col < GetFixedColumnCount() && col < nLastCol; col++)
        {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (CGridCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            CellLines(pDC, rect, FALSE, col == 0);
        }
    }

    // Body cells, inset by two units, with dotted inner lines and solid outer ones.
    int nFixedWidth = 0;
    for (int col = 0; col < GetFixedColumnCount() && col < nLastCol; col++)
        nFixedWidth += GetColumnWidth(col);
    rect.bottom = nBodyTop - 1;
    for (int row = nFirstRow; row < nEndRow; row++)
    {
        int nHeight = GetRowHeight(row);
        if (nHeight <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + nHeight - 1;
        if (rect.bottom > rcBounds.bottom)
            break;
        rect.right = nLeft + nFixedWidth - 1;
        for (int col = GetFixedColumnCount(); col < nLastCol; col++)
        {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (CGridCellBase* pCell = GetCell(row, col))
            {
                CRect rcCell(rect);
                rcCell.DeflateRect(2, 2);
                pCell->PrintCell(pDC, row, col, rcCell);
            }
            if (col == nLastCol - 1)
                SolidLine(pDC, rect.right, rect.top, rect.right, rect.bottom + 1);
            else
                DottedLine(pDC, rect.right, rect.top, rect.right, rect.bottom + 1);
            if (row == nEndRow - 1)
                SolidLine(pDC, rect.left, rect.bottom, rect.right + 1, rect.bottom);
            else
                DottedLine(pDC, rect.left, rect.bottom, rect.right + 1, rect.bottom);
        }
    }

    // A band that ends on a hidden row is closed by a solid line.
    if (nEndRow - 1 >= 0 && nEndRow - 1 < GetRowCount() && GetRowHeight(nEndRow - 1) == 0)
        SolidLine(pDC, nLeft, rect.bottom, pRect->left, rect.bottom);

    pDC->SelectObject(pOldFont);
    m_bDrawingOnDC = bWasDrawingOnDC;
}
