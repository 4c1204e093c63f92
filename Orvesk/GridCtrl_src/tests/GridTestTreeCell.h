// A tree cell for the grid tests: a text cell with a flag byte (level in bits 0-6, the
// viewable bit 7), standing in for the tree column's cells.
#pragma once

#include "GridCtrl.h"

class CTestTreeCell : public CGridCell, public CGridTreeCellHooks
{
    DECLARE_DYNCREATE(CTestTreeCell)

public:
    BYTE m_nFlag = GRIDTREE_VIEWABLE_BIT | 1;
    std::vector<int> changes;  // levels asked for through ChangeLevel

    BOOL IsTreeCell() const override { return TRUE; }
    BYTE GetFlagByte() override { return m_nFlag; }
    int GetLevel() override { return m_nFlag & 0x7F; }
    BOOL ChangeLevel(int nNewLevel) override
    {
        changes.push_back(nNewLevel);
        SetLevel(nNewLevel);
        return TRUE;
    }
    void SetLevel(int nLevel) override { m_nFlag = (BYTE)((m_nFlag & GRIDTREE_VIEWABLE_BIT) | (nLevel & 0x7F)); }
};

// Makes column 2 of the row a tree cell of that level.
inline CTestTreeCell* MakeTreeCell(CGridCtrl& grid, int row, int level, BOOL bViewable = TRUE)
{
    grid.SetCellType(row, 2, RUNTIME_CLASS(CTestTreeCell));
    CTestTreeCell* pCell = static_cast<CTestTreeCell*>(grid.GetCell(row, 2));
    pCell->m_nFlag = (BYTE)((bViewable ? GRIDTREE_VIEWABLE_BIT : 0) | level);
    return pCell;
}
