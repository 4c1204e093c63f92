// Moving a task row with its sub-tasks: where the rows land, their levels, what the parent
// hears, and the targets that are refused.
#include "GridTestUtil.h"
#include "GridTestTreeCell.h"

#include <string>

namespace
{
// A grid whose new task rows get a tree cell in column 2, as the task views' rows do.
class CTreeRowGrid : public CLoggingGrid
{
public:
    void InsertTaskRow(int nRow) override
    {
        CGridCtrl::InsertTaskRow(nRow);
        int row = (nRow >= 0 && nRow < GetRowCount() - 1) ? nRow : GetRowCount() - 1;
        MakeTreeCell(*this, row, 1);
    }
};

class GridRowMoveTest : public CWndTestBase
{
protected:
    CGridTestParent parent;
    CTreeRowGrid grid;

    // Rows 1 to 5: A (1), B (1), B1 (2), B2 (2), C (1).
    void Make()
    {
        grid.SetRowCount(6);
        grid.SetColumnCount(4);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetTaskGrid(TRUE);
        ASSERT_TRUE(parent.CreateEx(0, AFX_WND_CLASS, "frame", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                    nullptr, nullptr));
        ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &parent, 100, WS_CHILD | WS_VISIBLE));
        for (int col = 0; col < 4; col++)
            grid.SetColumnWidth(col, 40);  // column 2 spans x 80 to 119
        const char* names[] = {"A", "B", "B1", "B2", "C"};
        int levels[] = {1, 1, 2, 2, 1};
        for (int i = 0; i < 5; i++)
        {
            MakeTreeCell(grid, i + 1, levels[i]);
            grid.SetItemText(i + 1, 2, names[i]);
            grid.SetItemText(i + 1, 3, (std::string("d") + names[i]).c_str());
        }
        parent.log.clear();
    }

    // "name:level" of rows 1 and up.
    std::vector<std::string> Rows()
    {
        std::vector<std::string> v;
        for (int row = 1; row < grid.GetRowCount(); row++)
        {
            CGridTreeCellHooks* pTree = grid.GetTreeCell(row, 2);
            v.push_back(std::string((LPCTSTR)grid.GetItemText(row, 2)) + ":"
                        + std::to_string(pTree ? pTree->GetLevel() : 0));
        }
        return v;
    }

    void TearDown() override
    {
        if (grid.GetSafeHwnd())
            grid.DestroyWindow();
        if (parent.GetSafeHwnd())
            parent.DestroyWindow();
        CWndTestBase::TearDown();
    }
};
} // namespace

TEST_F(GridRowMoveTest, ARowMovesDownWithItsSubTasks)
{
    Make();
    ASSERT_TRUE(grid.MoveTaskRow(2, 5));
    EXPECT_EQ((std::vector<std::string>{"A:1", "C:1", "B:1", "B1:2", "B2:2"}), Rows());
    EXPECT_EQ(CString("dB1"), grid.GetItemText(4, 3));
    EXPECT_EQ(3, parent.Count(WM_GRID_TASKINSERTED));
    EXPECT_EQ(3, parent.Count(WM_GRID_ROWSCHANGED));
    EXPECT_EQ(6, parent.Count(WM_GRID_TASKCHANGED));
    // Per row: inserted, rows changed, then the finish and the duration columns.
    std::vector<UINT> first;
    for (size_t i = 0; i < 4; i++)
        first.push_back(parent.log[i].msg);
    EXPECT_EQ((std::vector<UINT>{WM_GRID_TASKINSERTED, WM_GRID_ROWSCHANGED, WM_GRID_TASKCHANGED,
                                 WM_GRID_TASKCHANGED}),
              first);
    EXPECT_EQ((WPARAM)6, parent.log[0].wParam);
    EXPECT_EQ((LPARAM)MAKELONG(5, 4), parent.log[2].lParam);
    EXPECT_EQ((LPARAM)MAKELONG(5, 3), parent.log[3].lParam);
}

TEST_F(GridRowMoveTest, ARowMovesUpBelowTheTarget)
{
    Make();
    ASSERT_TRUE(grid.MoveTaskRow(5, 1));
    EXPECT_EQ((std::vector<std::string>{"A:1", "C:1", "B:1", "B1:2", "B2:2"}), Rows());
    EXPECT_EQ(6, grid.GetRowCount());
}

TEST_F(GridRowMoveTest, ATargetWithSubTasksTakesTheRowOneLevelDeeper)
{
    Make();
    ASSERT_TRUE(grid.MoveTaskRow(5, 2));
    EXPECT_EQ((std::vector<std::string>{"A:1", "B:1", "C:2", "B1:2", "B2:2"}), Rows());
}

TEST_F(GridRowMoveTest, SubTasksKeepTheirDepthBelowTheMovedRow)
{
    Make();
    // B with its two sub-tasks below A, which has none: B stays at 1, B1 and B2 at 2.
    ASSERT_TRUE(grid.MoveTaskRow(2, 5));
    ASSERT_TRUE(grid.MoveTaskRow(3, 1));
    EXPECT_EQ((std::vector<std::string>{"A:1", "B:1", "B1:2", "B2:2", "C:1"}), Rows());
}

TEST_F(GridRowMoveTest, AMoveIntoItsOwnSubtreeIsRefused)
{
    Make();
    std::vector<std::string> before = Rows();
    EXPECT_FALSE(grid.MoveTaskRow(2, 3));
    EXPECT_FALSE(grid.MoveTaskRow(2, 4));
    EXPECT_FALSE(grid.MoveTaskRow(2, 2));
    EXPECT_FALSE(grid.MoveTaskRow(2, 9));
    EXPECT_FALSE(grid.MoveTaskRow(-1, 2));
    EXPECT_EQ(before, Rows());
    EXPECT_TRUE(parent.log.empty());
}

TEST_F(GridRowMoveTest, ALevelDragReleaseChangesTheFocusRowsLevel)
{
    Make();
    grid.SetFocusCell(5, 2);
    CTestTreeCell* pCell = static_cast<CTestTreeCell*>(grid.GetCell(5, 2));
    GridCellRequest request = {1, {100, 0}, 5, 2, -1, 0};
    grid.SendMessage(WM_GRID_ROWLEVEL, (WPARAM)&request, 0);
    ASSERT_EQ(GRIDMOUSE_LEVEL_DRAG, grid.GetMouseMode());
    AfxTestMouseDown(&grid, CPoint(100, 110));
    AfxTestMouseUp(&grid, CPoint(100, 110));
    EXPECT_EQ((std::vector<int>{2}), pCell->changes);
    const GridParentEntry* pLevel = parent.Last(WM_GRID_ROWLEVEL);
    ASSERT_TRUE(pLevel);
    EXPECT_EQ((WPARAM)5, pLevel->wParam);
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
}
