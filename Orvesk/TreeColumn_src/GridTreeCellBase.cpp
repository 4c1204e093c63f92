#include "GridTreeCellBase.h"

#include "GridCellSupport.h"

IMPLEMENT_DYNCREATE(CGridTreeCellBase, CGridCellBase)

namespace {

const LOGFONT* DefaultTreeFont()
{
    static LOGFONT lf = [] {
        NONCLIENTMETRICS ncm;
        memset(&ncm, 0, sizeof(ncm));
        ncm.cbSize = sizeof(ncm);
        ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
        return ncm.lfMessageFont;
    }();
    return &lf;
}

}  // namespace

CGridTreeCellBase::CGridTreeCellBase()
    : m_bEditing(0),
      m_bTreeByte(TREE_VIEWABLE_BIT),
      m_nImage(0xFFFF),
      m_rcText(0, 0, 0, 0),
      m_nTreeValue(1),
      m_pTreeColumn(NULL)
{
}

CGridTreeCellBase::~CGridTreeCellBase() {}

// --- attributes -------------------------------------------------------------------------

void CGridTreeCellBase::SetText(LPCTSTR)
{
    ASSERT(FALSE);  // the text belongs to the derived cell
}

LPCTSTR CGridTreeCellBase::GetText() const
{
    ASSERT(FALSE);
    return "";
}

// The image is kept in 16 bits, 0xFFFF meaning none.
void CGridTreeCellBase::SetImage(int nImage)
{
    ASSERT(nImage >= -1 && nImage < 0xFFFF);
    if (nImage >= -1 && nImage < 0xFFFF)
        m_nImage = static_cast<WORD>(nImage < 0 ? 0xFFFF : nImage);
}

int CGridTreeCellBase::GetImage() const { return m_nImage == 0xFFFF ? -1 : m_nImage; }

void CGridTreeCellBase::SetData(LPARAM lParam)
{
    if (m_pTreeColumn)
        m_pTreeColumn->SetData(lParam);
}

LPARAM CGridTreeCellBase::GetData() const { return m_pTreeColumn ? m_pTreeColumn->GetData() : 0; }

void CGridTreeCellBase::SetFormat(UINT nFormat)
{
    if (m_pTreeColumn)
        m_pTreeColumn->SetFormat(nFormat);
}

UINT CGridTreeCellBase::GetFormat() const
{
    return m_pTreeColumn ? m_pTreeColumn->GetFormat() : (DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void CGridTreeCellBase::SetTextClr(COLORREF clr)
{
    if (m_pTreeColumn)
        m_pTreeColumn->SetTextClr(clr);
}

COLORREF CGridTreeCellBase::GetTextClr() const { return m_pTreeColumn ? m_pTreeColumn->GetTextClr() : CLR_DEFAULT; }

void CGridTreeCellBase::SetBackClr(COLORREF clr)
{
    if (m_pTreeColumn)
        m_pTreeColumn->SetBackClr(clr);
}

COLORREF CGridTreeCellBase::GetBackClr() const { return m_pTreeColumn ? m_pTreeColumn->GetBackClr() : CLR_DEFAULT; }

// The font also sets the width of one tree level: the font's height plus its external
// leading, measured on the screen.
void CGridTreeCellBase::SetFont(const LOGFONT* plf)
{
    if (!m_pTreeColumn || !plf)
        return;
    m_pTreeColumn->SetFont(plf);
    CFont font;
    if (!font.CreateFontIndirect(plf))
        return;
    CClientDC dc(NULL);  // the screen
    CFont* pOld = dc.SelectObject(&font);
    TEXTMETRIC tm;
    memset(&tm, 0, sizeof(tm));
    if (dc.GetTextMetrics(&tm))
        m_pTreeColumn->SetIndent(tm.tmHeight + tm.tmExternalLeading);
    dc.SelectObject(pOld);
}

LOGFONT* CGridTreeCellBase::GetFont() const
{
    return m_pTreeColumn ? m_pTreeColumn->GetFont() : const_cast<LOGFONT*>(DefaultTreeFont());
}

// The margin of a tree cell is the grid's blank width.
void CGridTreeCellBase::SetMargin(UINT nMargin)
{
    if (CGridCtrl* pGrid = GetGrid())
        GridCellSupport::SetBlankWidth(pGrid, static_cast<int>(nMargin));
}

UINT CGridTreeCellBase::GetMargin() const
{
    const CGridCtrl* pGrid = GetGrid();
    return pGrid ? static_cast<UINT>(GridCellSupport::GetBlankWidth(pGrid)) : 0;
}

void CGridTreeCellBase::SetGrid(CGridCtrl*) {}

CGridCtrl* CGridTreeCellBase::GetGrid() const { return m_pTreeColumn ? m_pTreeColumn->GetGrid() : NULL; }

void CGridTreeCellBase::SetCoords(int nRow, int nCol)
{
    StoreCoords(nRow, nCol);
}

void CGridTreeCellBase::operator=(const CGridCellBase& cell) { CGridCellBase::operator=(cell); }

void CGridTreeCellBase::Reset()
{
    CGridCellBase::Reset();
    StoreCoords(-1, -1);
    m_bTreeByte = TREE_VIEWABLE_BIT;
    m_nImage = 0xFFFF;
    m_bEditing = 0;
}

// --- the tree byte ----------------------------------------------------------------------

void CGridTreeCellBase::SetLevel(int nLevel)
{
    ASSERT(nLevel >= 0 && nLevel <= TREE_MAX_LEVEL);
    if (nLevel < 0 || nLevel > TREE_MAX_LEVEL)
        return;
    m_bTreeByte = static_cast<BYTE>((m_bTreeByte & TREE_VIEWABLE_BIT) | nLevel);
}

void CGridTreeCellBase::SetTopBit(BOOL bViewable)
{
    if (bViewable)
        m_bTreeByte |= TREE_VIEWABLE_BIT;
    else
        m_bTreeByte &= TREE_LEVEL_MASK;
}

BOOL CGridTreeCellBase::ChangeLevel(int nNewLevel)
{
    ASSERT(m_pTreeColumn);
    return m_pTreeColumn ? m_pTreeColumn->ChangeRowLevel(nNewLevel, CellRow()) : FALSE;
}

BOOL CGridTreeCellBase::Edit(int, int, CRect, CPoint, UINT, UINT)
{
    ASSERT(FALSE);  // editing belongs to the derived cell
    return FALSE;
}

// --- mouse ------------------------------------------------------------------------------

BOOL CGridTreeCellBase::HitTestExpandBox(CPoint point)
{
    if (!m_pTreeColumn || !m_pTreeColumn->GetShowExpandBoxes())
        return FALSE;
    BOOL bHidden = FALSE;
    if (!m_pTreeColumn->GetChildState(CellRow(), bHidden))
        return FALSE;
    CRect rcBox;
    if (!GetExpandBoxRect(rcBox))
        return FALSE;
    return point.x >= rcBox.left && point.x <= rcBox.right + 2 && point.y >= rcBox.top - 2 &&
           point.y <= rcBox.bottom;
}

// Nearest row above with a task; row 1 when there is none.
int CGridTreeCellBase::FindReferenceTaskRow() const
{
    const CGridCtrl* pGrid = GetGrid();
    for (int r = CellRow() - 1; pGrid && r >= 1; r--) {
        if (GridCellSupport::GetRowTask(pGrid, r))
            return r;
    }
    return 1;
}

// Nearest viewable row above; row 0 when there is none.
int CGridTreeCellBase::FindReferenceViewableRow() const
{
    for (int r = CellRow() - 1; m_pTreeColumn && r > 0; r--) {
        const CGridTreeCellBase* pCell = m_pTreeColumn->GetTreeCell(r);
        if (pCell && pCell->IsViewable())
            return r;
    }
    return 0;
}

CRect CGridTreeCellBase::GetLevelZone(int nZoneWidth) const
{
    return CRect(m_rcText.left, m_rcText.top + 2, m_rcText.left + nZoneWidth, m_rcText.bottom - 2);
}

void CGridTreeCellBase::SendLevelRequest(CPoint point, int nZoneWidth, int nMode, int nRefRow)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pGrid->GetSafeHwnd())
        return;
    const CRect zone = GetLevelZone(nZoneWidth);
    GridCellRequest* pRequest = new GridCellRequest;
    memset(pRequest, 0, sizeof(*pRequest));
    if (nMode < 0)
        nMode = (point.x >= zone.left && point.x <= zone.right && point.y >= zone.top && point.y <= zone.bottom) ? 1 : 0;
    pRequest->nMode = nMode;
    pRequest->pt.x = m_rcText.left;
    pRequest->pt.y = (zone.top + zone.bottom) / 2;
    pRequest->nRow = CellRow();
    pRequest->nLevel = GetLevel();
    pRequest->nRefRow = nRefRow;
    pRequest->nRefLevel = m_pTreeColumn && nRefRow >= 0 && nRefRow < m_pTreeColumn->GetEndRow()
                              ? m_pTreeColumn->GetLevel(nRefRow) : 0;
    pGrid->SendMessage(WM_GRID_ROWLEVEL, reinterpret_cast<WPARAM>(pRequest), 0);
    delete pRequest;
}

void CGridTreeCellBase::RequestMouseMode(CPoint point)
{
    LPCTSTR pszText = GetText();
    if (!pszText || !*pszText || CellRow() == 0)
        return;
    SendLevelRequest(point, 25, -1, FindReferenceTaskRow());
}

void CGridTreeCellBase::OnClickDown(CPoint point)
{
    if (!m_pTreeColumn)
        return;
    if (HitTestExpandBox(point)) {
        m_nTreeValue = 0;  // this click does not open the editor
        m_pTreeColumn->ToggleExpand(CellRow());
        GridCellSupport::SendToParent(GetGrid(), WM_GRID_EXPANDCHANGED, 0, 0);
        return;
    }
    LPCTSTR pszText = GetText();
    CGridCtrl* pGrid = GetGrid();
    if (!pszText || !*pszText || !pGrid)
        return;
    // The zone is kept in grid client coordinates; the point comes relative to the cell.
    CPoint origin;
    if (!pGrid->GetCellOrigin(CellRow(), m_nCellCol, &origin))
        return;
    const CPoint ptClient(point.x + origin.x, point.y + origin.y);
    const CRect zone = GetLevelZone(60);
    if (ptClient.x >= zone.left && ptClient.x <= zone.right && ptClient.y >= zone.top && ptClient.y <= zone.bottom)
        SendLevelRequest(ptClient, 60, 1, FindReferenceViewableRow());
}

void CGridTreeCellBase::OnClick(CPoint) {}

void CGridTreeCellBase::OnRClick(CPoint) {}

void CGridTreeCellBase::OnDblClick(CPoint point)
{
    CGridCtrl* pGrid = GetGrid();
    if (!(GetState() & GRIDSTATE_READONLY) && pGrid && pGrid->IsEditable()) {
        m_nTreeValue = 1;
        return;
    }
    if (m_pTreeColumn && !HitTestExpandBox(point))
        m_pTreeColumn->ToggleExpand(CellRow());
}
