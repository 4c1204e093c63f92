// Changing the level of a row together with its subtree (indent, outdent, level drag).
#include "TreeColumn.h"

#include "GridCtrl.h"
#include "GridTreeCell.h"

#include <vector>

namespace {

struct LevelChange {
    CGridTreeCellBase* pCell;
    int nLevel;
};

}  // namespace

// The row gets level nNewLevel. Its subtree (the rows after it that are deeper than its old
// level, blank rows stepped over) moves by the same difference. When an outdented row had
// no children, the row right after it, a former sibling, keeps its place under the row as
// its first child, and that sibling's own subtree moves with it. The rows after the
// subtree keep their levels. Nothing changes when a level would leave 1 to 126.
BOOL CTreeColumn::ChangeRowLevel(int nNewLevel, int nRow)
{
    if (nRow < 1 || nRow < m_nFirstRow || nRow >= m_nEndRow)
        return FALSE;
    if (nNewLevel < 1 || nNewLevel > TREE_MAX_LEVEL)
        return FALSE;
    CGridTreeCellBase* pCell = GetTreeCell(nRow);
    if (!pCell)
        return FALSE;
    const int nOld = pCell->GetLevel();
    const int nDelta = nNewLevel - nOld;
    if (nDelta == 0)
        return FALSE;

    // Collect every change first, so that a level out of range leaves the tree untouched.
    std::vector<LevelChange> changes;
    changes.push_back({pCell, nNewLevel});
    int nShift = nDelta;
    bool bFirst = true;
    for (int r = nRow + 1; r < m_nEndRow; r++) {
        if (IsBlankRow(r))
            continue;
        CGridTreeCellBase* pNext = GetTreeCell(r);
        if (!pNext)
            break;
        const int nLevel = pNext->GetLevel();
        const bool bDirectlyAfter = bFirst;
        bFirst = false;
        if (nLevel < nOld)
            break;
        if (nLevel == nOld) {
            if (nDelta < 0 && bDirectlyAfter) {
                // A childless row moved out: its next sibling becomes its child.
                nShift = nNewLevel + 1 - nOld;
                changes.push_back({pNext, nNewLevel + 1});
                continue;
            }
            break;
        }
        int nLevelAfter = nLevel + nShift;
        if (nLevelAfter < 1)
            nLevelAfter = 1;
        changes.push_back({pNext, nLevelAfter});
    }
    for (const LevelChange& change : changes) {
        if (change.nLevel > TREE_MAX_LEVEL)
            return FALSE;
    }
    for (const LevelChange& change : changes)
        change.pCell->SetLevel(change.nLevel);

    RefreshRowHeights();
    SendToGridParent(WM_GRID_ROWSCHANGED, 0, 0);
    return TRUE;
}
