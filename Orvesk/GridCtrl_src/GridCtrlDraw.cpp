// Grid window: painting through an off-screen buffer, the background, the draw passes over
// fixed and scrolling cells, the grid lines and single-cell redraws.
#include "GridCtrl.h"
#include "MemDC.h"

namespace
{
// The next row from nRow on that has a height (hidden rows are stepped over without a
// walk); nEnd when there is none before it.
int NextShownIndex(const CGridSizeArray& sizes, int nFrom, int nEnd)
{
    if (nFrom >= nEnd)
        return nEnd;
    if (sizes.GetAt(nFrom) > 0)
        return nFrom;
    int k = sizes.IndexAtOffset(nFrom, 0);
    return k < nEnd ? k : nEnd;
}
} // namespace

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);

    if (GetRowCount() > 0)
    {
        if (m_bDoubleBuffer)
        {
            CMemDC MemDC(&dc, &m_bmpBackBuffer);
            OnDraw(&MemDC);
        }
        else
            OnDraw(&dc);
    }

    if (!m_bSyncScroll)
    {
        CGridTaskViewHooks* pView = GetTaskView();
        if (pView)
        {
            CGridCellRange range = GetVisibleNonFixedCellRange();
            if (range.GetMinRow() >= 1)
                pView->SyncGanttRows(range.GetMinRow() - 1, 0);
        }
    }
    m_bSyncScroll = FALSE;
}

BOOL CGridCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    // OnDraw paints the background.
    return TRUE;
}

void CGridCtrl::EraseBkgnd(CDC* pDC)
{
    CRect VisRect, ClipRect, rect;
    CBrush FixedBack(GetFixedBkColor());
    CBrush TextBack(GetTextBkColor());

    if (pDC->GetClipBox(ClipRect) == ERROR)
        return;
    GetVisibleNonFixedCellRange(VisRect);

    int nFixedColumnWidth = GetFixedColumnWidth();
    int nFixedRowHeight = GetFixedRowHeight();

    // The fixed columns.
    CRect rcFixedCols(ClipRect.left, ClipRect.top, nFixedColumnWidth, VisRect.bottom);
    if (!rcFixedCols.IsRectEmpty())
        pDC->FillRect(rcFixedCols, &FixedBack);

    // The fixed rows right of the fixed columns.
    if (ClipRect.top < nFixedRowHeight && ClipRect.right > nFixedColumnWidth)
    {
        CRect rcFixedRows(nFixedColumnWidth - 1, ClipRect.top, VisRect.right, nFixedRowHeight);
        if (!rcFixedRows.IsRectEmpty())
            pDC->FillRect(rcFixedRows, &FixedBack);
    }

    // The scrolling cells.
    if (rect.IntersectRect(VisRect, ClipRect))
    {
        CRect CellRect(max(nFixedColumnWidth, (int)rect.left), max(nFixedRowHeight, (int)rect.top),
                       rect.right, rect.bottom);
        if (!CellRect.IsRectEmpty())
            pDC->FillRect(CellRect, &TextBack);
    }

    // Right of the cells.
    if (VisRect.right < ClipRect.right)
        pDC->FillRect(CRect(VisRect.right, ClipRect.top, ClipRect.right, ClipRect.bottom), &TextBack);

    // Below the cells.
    if (VisRect.bottom < ClipRect.bottom && ClipRect.left < VisRect.right)
        pDC->FillRect(CRect(ClipRect.left, VisRect.bottom, VisRect.right, ClipRect.bottom), &TextBack);
}

void CGridCtrl::OnDraw(CDC* pDC)
{
    if (!m_bAllowDraw || !pDC)
        return;

    CRect clipRect;
    if (pDC->GetClipBox(&clipRect) == ERROR || clipRect.IsRectEmpty())
        return;

    EraseBkgnd(pDC);
#ifdef GRIDCTRL_PREDTASK
    // A virtual grid's owner hears which cells are about to be drawn (fixed ones included).
    if (m_bVirtualMode)
    {
        CGridCellRange visible = GetVisibleNonFixedCellRange();
        SendCacheHintToParent(CGridCellRange(0, 0, visible.GetMaxRow(), visible.GetMaxCol()));
    }
#endif

    int nFixedRowHeight = GetFixedRowHeight();
    int nFixedColWidth = GetFixedColumnWidth();

    CGridCellId idTopLeft = GetTopleftNonFixedCell();
    int minVisibleRow = idTopLeft.row;
    int minVisibleCol = idTopLeft.col;

    CRect VisRect;
    CGridCellRange VisCellRange = GetVisibleNonFixedCellRange(VisRect);
    int maxVisibleRow = VisCellRange.GetMaxRow();
    int maxVisibleCol = VisCellRange.GetMaxCol();

    CRect rect;
    CGridCellBase* pCell;
    int row, col;

    // The corner cell first, where it lies at the top left (a scrolled-away cell (0, 0) is
    // drawn by the passes below, if at all).
    CPoint ptOrigin;
    if (GetCellOrigin(0, 0, &ptOrigin) && ptOrigin.x == 0 && ptOrigin.y == 0)
    {
        rect.SetRect(0, 0, GetColumnWidth(0) - 1, GetRowHeight(0) - 1);
        pCell = GetCell(0, 0);
        if (pCell)
            pCell->Draw(pDC, 0, 0, rect, FALSE);
    }

    // The fixed corner: fixed rows whose tree cell is viewable (rows outside the tree
    // count as viewable); hidden ones take no space.
    rect.bottom = -1;
    for (row = 0; row < m_nFixedRows; row++)
    {
        CGridTreeCellHooks* pTree = GetTreeCell(row, 2);
        if (pTree && !(pTree->GetFlagByte() & GRIDTREE_VIEWABLE_BIT))
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        DrawRowCells(pDC, row, rect, 0, 0, m_nFixedCols - 1, clipRect);
    }

    // The fixed columns of the visible rows.
    rect.bottom = nFixedRowHeight - 1;
    for (row = NextShownIndex(m_arRowHeights, minVisibleRow, maxVisibleRow + 1);
         row <= maxVisibleRow; row = NextShownIndex(m_arRowHeights, row + 1, maxVisibleRow + 1))
    {
        rect.top = (int)(nFixedRowHeight + m_arRowHeights.Sum(minVisibleRow, row));
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        DrawRowCells(pDC, row, rect, 0, 0, m_nFixedCols - 1, clipRect);
    }

    // The fixed rows of the visible columns.
    rect.bottom = -1;
    for (row = 0; row < m_nFixedRows; row++)
    {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        DrawRowCells(pDC, row, rect, nFixedColWidth, minVisibleCol, maxVisibleCol, clipRect);
    }

    // The scrolling cells.
    for (row = NextShownIndex(m_arRowHeights, minVisibleRow, maxVisibleRow + 1);
         row <= maxVisibleRow; row = NextShownIndex(m_arRowHeights, row + 1, maxVisibleRow + 1))
    {
        rect.top = (int)(nFixedRowHeight + m_arRowHeights.Sum(minVisibleRow, row));
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        DrawRowCells(pDC, row, rect, nFixedColWidth, minVisibleCol, maxVisibleCol, clipRect);
    }

    // Grid lines over the scrolling area; hidden rows and columns add none (their line
    // would fall on the previous one).
    CPen pen;
    pen.CreatePen(PS_SOLID, 0, m_crGridColour);
    pDC->SelectObject(&pen);

    if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT)
    {
        int x = nFixedColWidth;
        for (col = minVisibleCol; col <= maxVisibleCol; col++)
        {
            int w = GetColumnWidth(col);
            if (w <= 0)
                continue;
            x += w;
            pDC->MoveTo(x - 1, nFixedRowHeight);
            pDC->LineTo(x - 1, VisRect.bottom);
        }
    }

    if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ)
    {
        for (row = NextShownIndex(m_arRowHeights, minVisibleRow, maxVisibleRow + 1);
             row <= maxVisibleRow; row = NextShownIndex(m_arRowHeights, row + 1, maxVisibleRow + 1))
        {
            int y = (int)(nFixedRowHeight + m_arRowHeights.Sum(minVisibleRow, row + 1));
            pDC->MoveTo(nFixedColWidth, y - 1);
            pDC->LineTo(VisRect.right, y - 1);
        }
    }

    pDC->SelectStockObject(NULL_PEN);
}

// Draws the cells of one row band (rect's top and bottom) for columns nFirstCol to nLastCol,
// laid out from x = nLeft; cells left of the clip box are skipped, the walk stops past it.
void CGridCtrl::DrawRowCells(CDC* pDC, int row, CRect rect, int nLeft, int nFirstCol, int nLastCol,
                             const CRect& clipRect)
{
    rect.right = nLeft - 1;
    for (int col = nFirstCol; col <= nLastCol; col++)
    {
        rect.left = rect.right + 1;
        rect.right = rect.left + GetColumnWidth(col) - 1;
        if (rect.left > clipRect.right)
            break;
        if (rect.right < clipRect.left)
            continue;
        CGridCellBase* pCell = GetCell(row, col);
        if (pCell)
            pCell->Draw(pDC, row, col, rect, FALSE);
    }
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, CDC* pDC)
{
    BOOL bResult = TRUE;
    BOOL bMustReleaseDC = FALSE;

    if (!m_bAllowDraw || !IsCellVisible(nRow, nCol))
        return FALSE;

    CRect rect;
    if (!GetCellRect(nRow, nCol, rect))
        return FALSE;

    if (!pDC)
    {
        pDC = GetDC();
        if (pDC)
            bMustReleaseDC = TRUE;
    }

    if (pDC)
    {
        CGridCellBase* pCell = GetCell(nRow, nCol);
        if (m_bTaskGrid && nCol == 0 && pCell)
            ShowRowNumber(nRow, pCell);
        // A focused or selected cell draws its frame and text over what is there: the old
        // text goes first, so a changed text is not drawn over the last one.
        if (pCell && !IsCellFixed(nRow, nCol) && !m_bDrawingOnDC && !m_bPrinting)
        {
            const COLORREF crBack = pCell->GetBackClr() == CLR_DEFAULT ? GetTextBkColor() : pCell->GetBackClr();
            pDC->FillSolidRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), crBack);
        }
        if (pCell)
            bResult = pCell->Draw(pDC, nRow, nCol, rect, TRUE);

        if (!IsCellFixed(nRow, nCol))
        {
            CPen pen;
            pen.CreatePen(PS_SOLID, 0, m_crGridColour);
            CPen* pOldPen = pDC->SelectObject(&pen);
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ)
            {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT)
            {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
            pDC->SelectObject(pOldPen);
        }
    }
    else
        InvalidateRect(rect, TRUE);

    if (bMustReleaseDC)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CGridCtrl::RedrawRow(int nRow)
{
    BOOL bResult = TRUE;
    if (!GetSafeHwnd())
        return FALSE;
    CDC* pDC = GetDC();
    for (int col = 0; col < GetColumnCount(); col++)
        bResult = RedrawCell(nRow, col, pDC) && bResult;
    if (pDC)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CGridCtrl::RedrawColumn(int nCol)
{
    BOOL bResult = TRUE;
    if (!GetSafeHwnd())
        return FALSE;
    CDC* pDC = GetDC();
    for (int row = 0; row < GetRowCount(); row++)
        bResult = RedrawCell(row, nCol, pDC) && bResult;
    if (pDC)
        ReleaseDC(pDC);
    return bResult;
}

void CGridCtrl::Refresh()
{
    if (GetSafeHwnd() && m_bAllowDraw)
        Invalidate();
}

BOOL CGridCtrl::InvalidateCellRect(const CGridCellId& cell)
{
    if (!GetSafeHwnd() || !m_bAllowDraw || !IsValid(cell))
        return FALSE;
    if (!IsCellVisible(cell.row, cell.col))
        return FALSE;
    CRect rect;
    if (!GetCellRect(cell, rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(rect, TRUE);
    return TRUE;
}
