#include "TreeColumn.h"

#include "GridCtrl.h"
#include "GridTreeCell.h"

CTreeColumn::CTreeColumn()
    : m_nFormat(DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS),
      m_crBack(CLR_DEFAULT),
      m_crText(CLR_DEFAULT),
      m_lParam(0),
      m_bSetup(FALSE),
      m_pEditWnd(NULL),
      m_pGrid(NULL),
      m_nColumn(-1),
      m_nIndent(10),
      m_bShowExpandBoxes(TRUE),
      m_bShowImages(FALSE),
      m_crLine(::GetSysColor(COLOR_BTNSHADOW)),
      m_nFirstRow(-1),
      m_nEndRow(-1)
{
    NONCLIENTMETRICS ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    m_lfFont = ncm.lfMessageFont;
}

CTreeColumn::~CTreeColumn() {}

void CTreeColumn::SetFont(const LOGFONT* plf)
{
    ASSERT(plf);
    if (plf)
        m_lfFont = *plf;
}

void CTreeColumn::Setup(CGridCtrl* pGrid, int nColumn, int nRows, int nFirstRow,
                        const BYTE* pbLevels, BOOL bShowExpandBoxes, BOOL bShowImages,
                        CRuntimeClass* pCellClass)
{
    ASSERT(pGrid);
    if (!pGrid || nColumn < pGrid->GetFixedColumnCount() || nColumn >= pGrid->GetColumnCount())
        return;
    if (!pCellClass)
        pCellClass = RUNTIME_CLASS(CGridTreeCell);
    if (!pCellClass->IsDerivedFrom(RUNTIME_CLASS(CGridTreeCellBase)))
        return;
    ASSERT(nFirstRow >= 0 && nRows >= 0);
    if (nFirstRow < 0 || nRows < 0 || (nRows > 0 && !pbLevels))
        return;

    m_bSetup = FALSE;
    m_pGrid = pGrid;
    m_nFirstRow = nFirstRow;
    m_nEndRow = nFirstRow + nRows;
    m_nColumn = nColumn;

    pGrid->SetFixedRowCount(nFirstRow);
    pGrid->SetRowCount(m_nEndRow);

    for (int i = 0; i < nRows; i++) {
        const int nRow = nFirstRow + i;
        if (!pGrid->SetCellType(nRow, nColumn, pCellClass))
            break;
        CGridTreeCellBase* pCell = GetTreeCell(nRow);
        if (!pCell)
            break;
        pCell->SetTreeColumn(this);
        pCell->SetFlagByte(pbLevels[i]);
    }
    m_bShowExpandBoxes = bShowExpandBoxes;
    m_bShowImages = bShowImages;

    m_bSetup = TRUE;
    if (pGrid->GetSafeHwnd())
        pGrid->Invalidate();
}

CGridTreeCellBase* CTreeColumn::GetTreeCell(int nRow) const
{
    if (!m_pGrid || m_nColumn < 0 || nRow < 0)
        return NULL;
    CGridCellBase* pCell = m_pGrid->GetCell(nRow, m_nColumn);
    if (!pCell || !pCell->IsKindOf(RUNTIME_CLASS(CGridTreeCellBase)))
        return NULL;
    return static_cast<CGridTreeCellBase*>(pCell);
}

BOOL CTreeColumn::IsBlankRow(int nRow) const
{
    if (!m_pGrid)
        return TRUE;
    CGridCellBase* pName = m_pGrid->GetCell(nRow, TREE_NAME_COLUMN);
    if (!pName)
        return TRUE;
    LPCTSTR pszText = pName->GetText();
    return !pszText || !*pszText;
}

void CTreeColumn::SetLevel(int nRow, int nLevel)
{
    ASSERT(nRow >= 0 && nRow < m_nEndRow);
    if (CGridTreeCellBase* pCell = (nRow < m_nEndRow ? GetTreeCell(nRow) : NULL))
        pCell->SetLevel(nLevel);
}

int CTreeColumn::GetLevel(int nRow) const
{
    ASSERT(nRow >= 0 && nRow < m_nEndRow);
    const CGridTreeCellBase* pCell = nRow < m_nEndRow ? GetTreeCell(nRow) : NULL;
    return pCell ? pCell->GetLevel() : 0;
}

BOOL CTreeColumn::IsRowViewable(int nRow) const
{
    ASSERT(nRow >= 0 && nRow < m_nEndRow);
    const CGridTreeCellBase* pCell = nRow < m_nEndRow ? GetTreeCell(nRow) : NULL;
    return pCell ? pCell->IsViewable() : FALSE;
}

BYTE CTreeColumn::GetTreeByte(int nRow) const
{
    ASSERT(nRow >= 0 && nRow < m_nEndRow);
    const CGridTreeCellBase* pCell = nRow < m_nEndRow ? GetTreeCell(nRow) : NULL;
    return pCell ? pCell->GetFlagByte() : 0;
}

void CTreeColumn::SetShowImages(BOOL bShow)
{
    m_bShowImages = bShow;
    if (!bShow)
        return;
    ASSERT(m_pGrid && m_pGrid->GetImageList() && m_nEndRow > m_nFirstRow);
    if (!m_pGrid || !m_pGrid->GetImageList() || m_nEndRow <= m_nFirstRow)
        return;
    for (int nRow = m_nFirstRow; nRow < m_nEndRow; nRow++) {
        if (CGridTreeCellBase* pCell = GetTreeCell(nRow))
            pCell->SetImage(0);
    }
}

void CTreeColumn::SendToGridParent(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (!m_pGrid || !m_pGrid->GetSafeHwnd())
        return;
    if (CWnd* pParent = m_pGrid->GetParent())
        pParent->SendMessage(nMessage, wParam, lParam);
}
