// Drawing and geometry of tree cells: the expand box, the indent of each level and the
// rectangle left for image and text.
#include "GridTreeCellBase.h"

#include "GridCellSupport.h"

int CGridTreeCellBase::GetBlankWidth() const
{
    const CGridCtrl* pGrid = GetGrid();
    return pGrid ? GridCellSupport::GetBlankWidth(pGrid) : 0;
}

BOOL CGridTreeCellBase::IsDrawingToOutsideDC() const
{
    const CGridCtrl* pGrid = GetGrid();
    return pGrid && GridCellSupport::IsDrawingToOtherDC(pGrid);
}

int CGridTreeCellBase::GetTreeIndent() const
{
    const int nLevel = GetLevel();
    if (nLevel == 0 || !m_pTreeColumn)
        return 0;
    const int nLevels = m_pTreeColumn->GetShowExpandBoxes() ? nLevel : nLevel - 1;
    return m_pTreeColumn->GetIndent() * nLevels + 2 * GetBlankWidth();
}

BOOL CGridTreeCellBase::GetExpandBoxRect(CRect& rcBox) const
{
    const int nLevel = GetLevel();
    if (nLevel < 1 || !m_pTreeColumn)
        return FALSE;
    const int nIndent = m_pTreeColumn->GetIndent();
    const int nBlank = GetBlankWidth();
    rcBox.left = nBlank + 2 + nIndent * (nLevel - 1);
    rcBox.right = rcBox.left + nIndent - 2;
    rcBox.top = nBlank;
    rcBox.bottom = rcBox.top + nIndent - 2;
    return TRUE;
}

void CGridTreeCellBase::DrawExpandBox(CDC* pDC, const CRect& rcDrawn)
{
    CRect rcCell = rcDrawn;
    rcCell.right += 1;
    rcCell.bottom += 1;
    const BOOL bImages = m_pTreeColumn->GetShowImages();
    if (GetLevel() == 0) {
        if (bImages)
            SetImage(2);
        return;
    }
    if (m_pTreeColumn->GetIndent() < 6)
        return;

    CRect rcBox;
    GetExpandBoxRect(rcBox);
    rcBox.OffsetRect(rcCell.left, rcCell.top);
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, m_pTreeColumn->GetTreeLineColor());
    CPen* pOldPen = pDC->SelectObject(&pen);

    int nImage = 2;
    BOOL bHidden = FALSE;
    if (CellRow() < m_pTreeColumn->GetEndRow() - 1 && m_pTreeColumn->GetChildState(CellRow(), bHidden)) {
        nImage = bHidden ? 1 : 0;
        if (rcCell.PtInRect(rcBox.TopLeft()) && rcCell.PtInRect(rcBox.BottomRight())) {
            if (IsDrawingToOutsideDC())
                rcBox.DeflateRect(1, 1);
            CBrush* pOldBrush = static_cast<CBrush*>(pDC->SelectStockObject(WHITE_BRUSH));
            pDC->Rectangle(rcBox);
            pDC->SelectObject(pOldBrush);
            CRect rcLimit = rcCell;
            rcLimit.InflateRect(GetBlankWidth(), GetBlankWidth());
            auto line = [&](int x1, int y1, int x2, int y2) {
                if (rcLimit.PtInRect(CPoint(x1, y1)) && rcLimit.PtInRect(CPoint(x2, y2))) {
                    pDC->MoveTo(x1, y1);
                    pDC->LineTo(x2, y2);
                }
            };
            const CPoint centre = rcBox.CenterPoint();
            line(rcBox.left + 2, centre.y, rcBox.right - 2, centre.y);
            if (bHidden)
                line(centre.x, rcBox.top + 2, centre.x, rcBox.bottom - 2);
        }
    }
    pDC->SelectObject(pOldPen);
    if (bImages)
        SetImage(nImage);
}

BOOL CGridTreeCellBase::DrawTreePart(CDC* pDC, int nRow, int nCol, CRect& rect)
{
    if (!m_pTreeColumn || !m_pTreeColumn->GetIsSetup() || !GetGrid() || !pDC)
        return FALSE;
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    LPCTSTR pszText = GetText();
    if (!pszText || !*pszText)
        return TRUE;

    const int nSaved = pDC->SaveDC();
    const BOOL bTreeColumn = nCol == m_pTreeColumn->GetColumn();
    if (bTreeColumn && m_pTreeColumn->IsRowViewable(nRow)) {
        if (m_pTreeColumn->GetShowExpandBoxes()) {
            DrawExpandBox(pDC, rect);
        } else if (m_pTreeColumn->GetShowImages()) {
            SetImage(2);
            BOOL bHidden = FALSE;
            if (nRow + m_pTreeColumn->GetFirstRow() < m_pTreeColumn->GetEndRow() &&
                m_pTreeColumn->GetChildState(nRow, bHidden))
                SetImage(bHidden ? 1 : 0);
        }
    }
    if (bTreeColumn)
        rect.left += GetTreeIndent();
    pDC->RestoreDC(nSaved);
    return TRUE;
}

BOOL CGridTreeCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* pGrid = GetGrid();
    if (pDC && pGrid)
        GridCellSupport::DrawFrameOrFill(pDC, this, pGrid, rect, GridCellSupport::FRAME_SINGLE_SELECTION);
    if (!DrawTreePart(pDC, nRow, nCol, rect))
        return FALSE;
    m_rcText = rect;
    return CGridCellBase::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
}

BOOL CGridTreeCellBase::GetTextRect(LPRECT pRect)
{
    if (pRect)
        pRect->left += GetTreeIndent();
    return CGridCellBase::GetTextRect(pRect);
}

CSize CGridTreeCellBase::GetCellExtent(CDC* pDC)
{
    CSize size = CGridCellBase::GetCellExtent(pDC);
    size.cx += GetTreeIndent();
    return size;
}

BOOL CGridTreeCellBase::PrintCell(CDC* pDC, int nRow, int nCol, CRect rect)
{
    return Draw(pDC, nRow, nCol, rect, TRUE);
}
