// Grid window: where cells lie in the client area and which cell lies under a point.
// Positions come from the running sums of the row heights and column widths, so no query
// walks the rows above the visible ones.
#include "GridCtrl.h"

namespace
{
// The visible stretch of the rows (or columns) from nFirst, the first non-fixed one shown,
// in a client area ending at nClientEnd with a fixed band of nFixed before them: nLast gets
// the last one shown (a partly shown one counts; nCount when the rest does not fill the
// client; nFirst when nFirst is past the end) and nEnd where the shown ones end.
void GetVisibleSpan(const CGridSizeArray& sizes, int nFirst, int nCount, int nFixed, int nClientEnd,
                    int& nLast, int& nEnd)
{
    if (nFirst >= nCount)
    {
        nEnd = nFixed;
        nLast = nFirst;
        return;
    }
    long long nWanted = (long long)nClientEnd - nFixed;
    long long nAvailable = sizes.Sum(nFirst, nCount);
    if (nAvailable >= nWanted)
    {
        int k = sizes.FirstReaching(nFirst, nWanted);
        if (k < nFirst + 1)
            k = nFirst + 1;
        nLast = k - 1;
        nEnd = nClientEnd;
    }
    else
    {
        nLast = nCount;
        nEnd = nFixed + (int)nAvailable;
    }
}
} // namespace

BOOL CGridCtrl::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

BOOL CGridCtrl::IsValid(const CGridCellRange& range) const
{
    return range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0
        && range.GetMaxCol() >= 0 && range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols
        && range.GetMinRow() <= range.GetMaxRow() && range.GetMinCol() <= range.GetMaxCol();
}

CGridCellRange CGridCtrl::GetCellRange() const
{
    return CGridCellRange(0, 0, GetRowCount() - 1, GetColumnCount() - 1);
}

CGridCellId CGridCtrl::GetTopleftNonFixedCell() const
{
    CGridCtrl* pThis = const_cast<CGridCtrl*>(this);
    int nVertScroll = pThis->GetScrollPos32(SB_VERT);
    int nHorzScroll = pThis->GetScrollPos32(SB_HORZ);

    // The first non-fixed column whose width sum from the first non-fixed column reaches the
    // scroll position, not past the last column; rows likewise.
    int col = m_arColWidths.FirstReaching(m_nFixedCols, nHorzScroll);
    if (col > m_nCols - 1)
        col = m_nCols - 1;
    if (col < m_nFixedCols)
        col = m_nFixedCols;

    int row = m_arRowHeights.FirstReaching(m_nFixedRows, nVertScroll);
    if (row > m_nRows - 1)
        row = m_nRows - 1;
    if (row < m_nFixedRows)
        row = m_nFixedRows;

    return CGridCellId(row, col);
}

CGridCellRange CGridCtrl::GetVisibleNonFixedCellRange(LPRECT pRect) const
{
    CRect rect(0, 0, 0, 0);
    if (GetSafeHwnd())
        GetClientRect(rect);
    CGridCellId idTopLeft = GetTopleftNonFixedCell();

    // Rows from the top-left one down until the client bottom is reached (a partly visible
    // last row counts).
    int bottom, nLastRow;
    GetVisibleSpan(m_arRowHeights, idTopLeft.row, m_nRows, GetFixedRowHeight(), rect.bottom, nLastRow, bottom);
    int maxVisibleRow = min(nLastRow, GetRowCount() - 1);

    // Columns likewise, from the top-left one across to the client's right edge.
    int right, nLastCol;
    GetVisibleSpan(m_arColWidths, idTopLeft.col, m_nCols, GetFixedColumnWidth(), rect.right, nLastCol, right);
    int maxVisibleCol = min(nLastCol, GetColumnCount() - 1);

    if (pRect)
    {
        pRect->left = pRect->top = 0;
        pRect->right = min(right, (int)rect.right);
        pRect->bottom = min(bottom, (int)rect.bottom);
    }

    return CGridCellRange(idTopLeft.row, idTopLeft.col, maxVisibleRow, maxVisibleCol);
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p) const
{
    if (!p || !IsValid(nRow, nCol))
        return FALSE;

    CGridCellId idTopLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows)
        idTopLeft = GetTopleftNonFixedCell();

    if ((nRow >= m_nFixedRows && nRow < idTopLeft.row)
        || (nCol >= m_nFixedCols && nCol < idTopLeft.col))
        return FALSE;

    if (nCol < m_nFixedCols)
        p->x = (LONG)m_arColWidths.SumBefore(nCol);
    else
        p->x = (LONG)(GetFixedColumnWidth() + m_arColWidths.Sum(idTopLeft.col, nCol));

    if (nRow < m_nFixedRows)
        p->y = (LONG)m_arRowHeights.SumBefore(nRow);
    else
        p->y = (LONG)(GetFixedRowHeight() + m_arRowHeights.Sum(idTopLeft.row, nRow));

    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect) const
{
    CPoint CellOrigin;
    if (!pRect || !GetCellOrigin(nRow, nCol, &CellOrigin))
        return FALSE;

    pRect->left = CellOrigin.x;
    pRect->top = CellOrigin.y;
    pRect->right = CellOrigin.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = CellOrigin.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

BOOL CGridCtrl::GetCellRangeRect(const CGridCellRange& cellRange, LPRECT lpRect) const
{
    CPoint MinOrigin, MaxOrigin;
    if (!lpRect)
        return FALSE;
    if (!GetCellOrigin(cellRange.GetMinRow(), cellRange.GetMinCol(), &MinOrigin))
        return FALSE;
    if (!GetCellOrigin(cellRange.GetMaxRow(), cellRange.GetMaxCol(), &MaxOrigin))
        return FALSE;

    lpRect->left = MinOrigin.x;
    lpRect->top = MinOrigin.y;
    lpRect->right = MaxOrigin.x + GetColumnWidth(cellRange.GetMaxCol()) - 1;
    lpRect->bottom = MaxOrigin.y + GetRowHeight(cellRange.GetMaxRow()) - 1;
    return TRUE;
}

CGridCellId CGridCtrl::GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck) const
{
    CGridCellId idTopLeft = GetTopleftNonFixedCell();
    CGridCellId cellID;

    int fixedColWidth = GetFixedColumnWidth();
    if (point.x < 0 || (!bAllowFixedCellCheck && point.x < fixedColWidth))
        cellID.col = -1;
    else if (point.x < fixedColWidth)
        cellID.col = m_arColWidths.IndexAtOffset(0, point.x);
    else
    {
        int col = m_arColWidths.IndexAtOffset(idTopLeft.col, (long long)point.x - fixedColWidth);
        cellID.col = (col >= GetColumnCount()) ? -1 : col;
    }

    int fixedRowHeight = GetFixedRowHeight();
    if (point.y < 0 || (!bAllowFixedCellCheck && point.y < fixedRowHeight))
        cellID.row = -1;
    else if (point.y < fixedRowHeight)
        cellID.row = m_arRowHeights.IndexAtOffset(0, point.y);
    else
    {
        int row = m_arRowHeights.IndexAtOffset(idTopLeft.row, (long long)point.y - fixedRowHeight);
        cellID.row = (row >= GetRowCount()) ? -1 : row;
    }

    return cellID;
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol) const
{
    if (!GetSafeHwnd() || !IsValid(nRow, nCol))
        return FALSE;

    CGridCellId TopLeft;
    if (nCol >= GetFixedColumnCount() || nRow >= GetFixedRowCount())
    {
        TopLeft = GetTopleftNonFixedCell();
        if (nCol >= GetFixedColumnCount() && nCol < TopLeft.col)
            return FALSE;
        if (nRow >= GetFixedRowCount() && nRow < TopLeft.row)
            return FALSE;
    }

    CRect rect;
    GetClientRect(rect);

    long long x = (nCol < GetFixedColumnCount())
        ? m_arColWidths.SumBefore(nCol)
        : GetFixedColumnWidth() + m_arColWidths.Sum(TopLeft.col, nCol);
    if (x >= rect.right)
        return FALSE;

    long long y = (nRow < GetFixedRowCount())
        ? m_arRowHeights.SumBefore(nRow)
        : GetFixedRowHeight() + m_arRowHeights.Sum(TopLeft.row, nRow);
    if (y >= rect.bottom)
        return FALSE;

    return TRUE;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!GetSafeHwnd() || !IsValid(nRow, nCol))
        return;

    CGridCellRange VisibleCells = GetVisibleNonFixedCellRange();

    int right = nCol - VisibleCells.GetMaxCol();
    int left = VisibleCells.GetMinCol() - nCol;
    int down = nRow - VisibleCells.GetMaxRow();
    int up = VisibleCells.GetMinRow() - nRow;

    int iColumnStart = VisibleCells.GetMaxCol() + 1;
    while (right > 0)
    {
        if (iColumnStart < m_nCols && GetColumnWidth(iColumnStart) > 0)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        right--;
        iColumnStart++;
    }

    iColumnStart = VisibleCells.GetMinCol() - 1;
    while (left > 0)
    {
        if (iColumnStart >= 0 && GetColumnWidth(iColumnStart) > 0)
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
        left--;
        iColumnStart--;
    }

    int iRowStart = VisibleCells.GetMaxRow() + 1;
    while (down > 0)
    {
        if (iRowStart < m_nRows && GetRowHeight(iRowStart) > 0)
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        down--;
        iRowStart++;
    }

    iRowStart = VisibleCells.GetMinRow() - 1;
    while (up > 0)
    {
        if (iRowStart >= 0 && GetRowHeight(iRowStart) > 0)
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        up--;
        iRowStart--;
    }

    // A last cell that is still only partly visible needs one more step.
    CRect rectCell;
    if (!GetCellRect(nRow, nCol, rectCell))
        return;
    CRect rectWindow;
    GetClientRect(rectWindow);
    if (rectCell.right > rectWindow.right)
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    if (rectCell.bottom > rectWindow.bottom)
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
}

BOOL CGridCtrl::MouseOverRowResizeArea(CPoint& point) const
{
    if (point.x >= GetFixedColumnWidth())
        return FALSE;

    CGridCellId idCurrentCell = GetCellFromPt(point);
    CPoint start;
    if (!GetCellOrigin(idCurrentCell, &start))
        return FALSE;

    int endy = start.y + GetRowHeight(idCurrentCell.row);
    if ((point.y - start.y <= m_nResizeCaptureRange && idCurrentCell.row != 0)
        || endy - point.y <= m_nResizeCaptureRange)
        return TRUE;
    return FALSE;
}

BOOL CGridCtrl::MouseOverColumnResizeArea(CPoint& point) const
{
    if (point.y >= GetFixedRowHeight())
        return FALSE;

    CGridCellId idCurrentCell = GetCellFromPt(point);
    CPoint start;
    if (!GetCellOrigin(idCurrentCell, &start))
        return FALSE;

    int endx = start.x + GetColumnWidth(idCurrentCell.col);
    if ((point.x - start.x <= m_nResizeCaptureRange && idCurrentCell.col != 0)
        || endx - point.x <= m_nResizeCaptureRange)
        return TRUE;
    return FALSE;
}

BOOL CGridCtrl::GetTextRect(int nRow, int nCol, LPRECT pRect)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    if (!GetCellRect(nRow, nCol, pRect))
        return FALSE;
    return pCell->GetTextRect(pRect);
}

CPoint CGridCtrl::GetPointClicked(int nRow, int nCol, const CPoint& point) const
{
    CPoint PointCellOrigin;
    if (!GetCellOrigin(nRow, nCol, &PointCellOrigin))
        return CPoint(0, 0);
    return CPoint(point.x - PointCellOrigin.x, point.y - PointCellOrigin.y);
}
