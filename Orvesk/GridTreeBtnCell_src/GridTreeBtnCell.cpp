#include "GridTreeBtnCell.h"

#include "GridCellSupport.h"

IMPLEMENT_DYNCREATE(CGridTreeBtnCell, CGridTreeCell)

CGridTreeBtnCell::CGridTreeBtnCell() {}

CGridTreeBtnCell::~CGridTreeBtnCell() {}

void CGridTreeBtnCell::SetCoords(int nRow, int nCol)
{
    CGridTreeCell::SetCoords(nRow, nCol);
    m_btnCell.SetCoords(nRow, nCol);
    // The embedded cell is in no row of its own: every renumbering tells it again.
    KeepsOwnCoords();
}

// The embedded cell draws and edits by the state of this one.
void CGridTreeBtnCell::SetState(UINT nState)
{
    CGridTreeCell::SetState(nState);
    m_btnCell.SetState(nState);
}

void CGridTreeBtnCell::SetEditable(BOOL bEditable)
{
    CGridTreeCell::SetEditable(bEditable);
    m_btnCell.SetEditable(bEditable);
}

void CGridTreeBtnCell::CopyFrom(const CGridTreeBtnCell& cell)
{
    // Both parts by the cells' attribute copy, not member by member.
    CGridTreeCellBase::operator=(static_cast<const CGridCellBase&>(cell));
    static_cast<CGridCellBase&>(m_btnCell) = static_cast<const CGridCellBase&>(cell.m_btnCell);
    const CPoint coords = cell.GetCoords();
    SetCoords(coords.y, coords.x);
    m_pTreeColumn = cell.m_pTreeColumn;
    m_bTreeByte = cell.m_bTreeByte;
}

void CGridTreeBtnCell::CopyWithDataBase(const CGridTreeBtnCell& cell)
{
    CopyFrom(cell);
    m_btnCell.SetBtnDataBase(cell.m_btnCell.GetBtnDataBase());
}

void CGridTreeBtnCell::operator=(const CGridCellBase& cell)
{
    if (cell.IsKindOf(RUNTIME_CLASS(CGridTreeBtnCell)))
        CopyFrom(static_cast<const CGridTreeBtnCell&>(cell));
    else
        CGridTreeCellBase::operator=(cell);
}

void CGridTreeBtnCell::Reset()
{
    CGridTreeCell::Reset();
    m_btnCell.Reset();
}

BOOL CGridTreeBtnCell::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    if (CGridCtrl* pGrid = GetGrid()) {
        if (pDC)
            GridCellSupport::DrawFrameOrFill(pDC, this, pGrid, rect, GridCellSupport::FRAME_SINGLE_SELECTION);
    }
    if (!DrawTreePart(pDC, nRow, nCol, rect))
        return FALSE;
    m_rcText = rect;
    m_btnCell.DrawButtons(pDC, nRow, nCol, rect, bEraseBkgnd);
    return CGridCellBase::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
}

BOOL CGridTreeBtnCell::GetTextRect(LPRECT pRect)
{
    if (!pRect)
        return FALSE;
    pRect->left += GetTreeIndent();
    return m_btnCell.GetTextRect(pRect);
}

CSize CGridTreeBtnCell::GetCellExtent(CDC* pDC)
{
    // The embedded cell measures with this cell's text.
    m_btnCell.SetText(GetText());
    CSize size = m_btnCell.GetCellExtent(pDC);
    size.cx += GetTreeIndent();
    return size;
}

BOOL CGridTreeBtnCell::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    m_btnCell.SetText(GetText());
    return m_btnCell.Edit(nRow, nCol, rect, ToButtons(point), nID, nChar);
}

void CGridTreeBtnCell::EndEdit() { m_btnCell.EndEdit(); }

void CGridTreeBtnCell::OnEndEdit() { m_btnCell.OnEndEdit(); }

void CGridTreeBtnCell::OnClick(CPoint point) { m_btnCell.OnClick(ToButtons(point)); }

void CGridTreeBtnCell::OnRClick(CPoint point) { m_btnCell.OnRClick(ToButtons(point)); }

void CGridTreeBtnCell::OnClickDown(CPoint point)
{
    if (HitTestExpandBox(point)) {
        if (m_pTreeColumn)
            m_pTreeColumn->ToggleExpand(CellRow());
        return;
    }
    m_btnCell.OnClickDown(ToButtons(point));
}

void CGridTreeBtnCell::OnDblClick(CPoint point)
{
    CGridCtrl* pGrid = GetGrid();
    if ((!(GetState() & GRIDSTATE_READONLY) && pGrid && pGrid->IsEditable()) || HitTestExpandBox(point)) {
        m_btnCell.OnDblClick(ToButtons(point));
        return;
    }
    if (m_pTreeColumn)
        m_pTreeColumn->ToggleExpand(CellRow());
}
