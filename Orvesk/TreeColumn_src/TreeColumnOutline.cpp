// Expanding, collapsing and showing levels. A node's expanded state is not stored: it is
// the viewable bits of its children. Blank rows are stepped over by every scan.
#include "TreeColumn.h"

#include "GridCtrl.h"
#include "GridTreeCell.h"

BOOL CTreeColumn::GetChildState(int nRow, BOOL& bHasHiddenChild) const
{
    bHasHiddenChild = FALSE;
    const CGridTreeCellBase* pCell = GetTreeCell(nRow);
    if (!pCell || pCell->GetLevel() < 1)
        return FALSE;
    const int nLevel = pCell->GetLevel();
    BOOL bHasChild = FALSE;
    for (int r = nRow + 1; r < m_nEndRow; r++) {
        if (IsBlankRow(r))
            continue;
        const CGridTreeCellBase* pNext = GetTreeCell(r);
        const int nNextLevel = pNext ? pNext->GetLevel() : 0;
        if (nNextLevel <= nLevel)
            break;
        bHasChild = TRUE;
        if (nNextLevel == nLevel + 1 && !pNext->IsViewable())
            bHasHiddenChild = TRUE;
    }
    return bHasChild;
}

// Makes the row viewable and sets the bits of its subtree: direct children shown (when
// bShowChildren) and every deeper row hidden.
void CTreeColumn::SetSubtreeViewable(int nRow, BOOL bShowChildren)
{
    ASSERT(nRow >= m_nFirstRow && nRow < m_nEndRow);
    if (nRow < m_nFirstRow || nRow >= m_nEndRow)
        return;
    CGridTreeCellBase* pCell = GetTreeCell(nRow);
    if (!pCell || pCell->GetLevel() < 1)
        return;
    const int nLevel = pCell->GetLevel();
    pCell->SetTopBit(TRUE);
    for (int r = nRow + 1; r < m_nEndRow; r++) {
        if (IsBlankRow(r))
            continue;
        CGridTreeCellBase* pNext = GetTreeCell(r);
        if (!pNext || pNext->GetLevel() <= nLevel)
            break;
        pNext->SetTopBit(bShowChildren && pNext->GetLevel() == nLevel + 1);
    }
}

void CTreeColumn::Expand(int nRow) { SetSubtreeViewable(nRow, TRUE); }

void CTreeColumn::Collapse(int nRow) { SetSubtreeViewable(nRow, FALSE); }

void CTreeColumn::ToggleExpand(int nRow)
{
    ASSERT(m_bSetup);
    if (!m_bSetup || nRow < m_nFirstRow || nRow >= m_nEndRow)
        return;
    // The decision rests on the next non-blank row alone.
    int nNext = -1;
    for (int r = nRow + 1; r < m_nEndRow; r++) {
        if (!IsBlankRow(r)) {
            nNext = r;
            break;
        }
    }
    const CGridTreeCellBase* pNext = nNext >= 0 ? GetTreeCell(nNext) : NULL;
    if (!pNext)
        return;
    if (pNext->IsViewable())
        Collapse(nRow);
    else
        Expand(nRow);
    RefreshRowHeights();
}

void CTreeColumn::ShowLevelRange(BYTE bLevel, int nOffset, int nCount)
{
    ASSERT(bLevel != 0 && nOffset >= 0 && nCount >= 1 && nOffset + nCount <= m_nEndRow - m_nFirstRow);
    if (bLevel == 0 || nOffset < 0 || nCount < 1 || nOffset + nCount > m_nEndRow - m_nFirstRow)
        return;
    for (int i = 0; i < nCount; i++) {
        CGridTreeCellBase* pCell = GetTreeCell(m_nFirstRow + nOffset + i);
        if (!pCell)
            break;
        if (bLevel & TREE_VIEWABLE_BIT) {
            pCell->SetTopBit(TRUE);
        } else {
            const int nLevel = pCell->GetLevel();
            pCell->SetTopBit(nLevel == 0 || nLevel <= bLevel);
        }
    }
}

void CTreeColumn::ShowLevels(BYTE bLevel)
{
    if (m_nEndRow > m_nFirstRow)
        ShowLevelRange(bLevel, 0, m_nEndRow - m_nFirstRow);
    RefreshRowHeights();
}

void CTreeColumn::RefreshRowHeights()
{
    if (!m_pGrid)
        return;
    const int nDefault = m_pGrid->GetDefCellHeight();
    const int nRows = m_pGrid->GetRowCount();
    const unsigned nMask = m_nColumn >= 0 && m_nColumn < 32 ? 1u << m_nColumn : 0u;
    for (int nRow = m_nFirstRow; nRow < m_nEndRow; nRow++) {
        // The tree cells a few rows on asked for, so that their reads overlap.
        if (nRow < nRows)
            m_pGrid->PrefetchRowCells(nRow, nMask);
        const CGridTreeCellBase* pCell = nRow < nRows ? GetTreeCell(nRow) : NULL;
        if (!pCell)
            return;
        const int nHeight = m_pGrid->GetRowHeight(nRow);
        if (pCell->IsViewable()) {
            if (nHeight < nDefault)
                m_pGrid->SetRowHeight(nRow, nDefault);
        } else if (nHeight > 0) {
            m_pGrid->SetRowHeight(nRow, 0);
        }
    }
    if (m_pGrid->GetSafeHwnd() && m_bSetup)
        m_pGrid->Invalidate();
}
