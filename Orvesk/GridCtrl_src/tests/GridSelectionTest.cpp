// The selection: the selected-cell map, the selected rows, ranges and the mouse-mode
// driven selectors, on a grid without a window.
#include "GridCtrl.h"

#include <gtest/gtest.h>

TEST(GridSelection, RangeSelectsExactlyItsCells)
{
    CGridCtrl grid(6, 5, 1, 1);
    grid.SetSelectedRange(2, 1, 3, 3);
    EXPECT_EQ(6, grid.GetSelectedCount());
    for (int row = 0; row < 6; row++)
        for (int col = 0; col < 5; col++)
            EXPECT_EQ(row >= 2 && row <= 3 && col >= 1 && col <= 3, grid.IsCellSelected(row, col))
                << row << "," << col;
    CGridCellRange range = grid.GetSelectedCellRange();
    EXPECT_TRUE(range == CGridCellRange(2, 1, 3, 3));
    EXPECT_EQ((std::vector<int>{2, 3}), grid.GetSelectedRows());

    // A new range replaces the old one.
    grid.SetSelectedRange(4, 4, 5, 4);
    EXPECT_EQ(2, grid.GetSelectedCount());
    EXPECT_FALSE(grid.IsCellSelected(2, 1));
    EXPECT_EQ((std::vector<int>{4, 5}), grid.GetSelectedRows());
}

TEST(GridSelection, BoundsInsideTheFixedCellsAreRaised)
{
    CGridCtrl grid(5, 5, 2, 2);
    grid.SetSelectedRange(0, 0, 3, 3);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 2, 3, 3));
    EXPECT_FALSE(grid.IsCellSelected(1, 1));
}

TEST(GridSelection, NegativeOrInvalidBoundsOnlyClear)
{
    CGridCtrl grid(5, 5, 1, 1);
    grid.SetSelectedRange(1, 1, 2, 2);
    grid.SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(0, grid.GetSelectedCount());
    grid.SetSelectedRange(1, 1, 2, 2);
    grid.SetSelectedRange(1, 1, 9, 2);  // beyond the rows
    EXPECT_EQ(0, grid.GetSelectedCount());
    grid.SetSelectedRange(3, 1, 2, 2);  // minimum above maximum
    EXPECT_EQ(0, grid.GetSelectedCount());
}

TEST(GridSelection, EmptySelectionGivesAnInvalidRange)
{
    CGridCtrl grid(4, 3, 1, 1);
    CGridCellRange range = grid.GetSelectedCellRange();
    EXPECT_EQ(4, range.GetMinRow());
    EXPECT_EQ(3, range.GetMinCol());
    EXPECT_EQ(-1, range.GetMaxRow());
    EXPECT_EQ(-1, range.GetMaxCol());
    EXPECT_FALSE(grid.IsValid(range));
}

// Keyed on column << 16 | row, the cells (2, 1) and (65538, 1) would share one entry.
TEST(GridSelection, CellsBeyond65535RowsKeepTheirOwnEntries)
{
    CGridCtrl grid(65540, 2, 1, 1);
    grid.SetItemState(2, 1, GRIDSTATE_SELECTED);
    grid.SetItemState(65538, 1, GRIDSTATE_SELECTED);
    EXPECT_EQ(2, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 1, 65538, 1));
    EXPECT_EQ((std::vector<int>{2, 65538}), grid.GetSelectedRows());

    grid.SetItemState(2, 1, 0);
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(65538, 1));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(65538, 1, 65538, 1));

    // A new selection clears the far cell too.
    grid.SetSelectedRange(3, 1, 3, 1);
    EXPECT_FALSE(grid.IsCellSelected(65538, 1));
    EXPECT_EQ(1, grid.GetSelectedCount());
}

TEST(GridSelection, CellsBeyond65535ColumnsKeepTheirOwnEntries)
{
    CGridCtrl grid(3, 65540, 1, 1);
    grid.SetItemState(1, 65537, GRIDSTATE_SELECTED);
    grid.SetItemState(2, 1, GRIDSTATE_SELECTED);
    grid.SetItemState(1, 1, GRIDSTATE_SELECTED);
    EXPECT_EQ(3, grid.GetSelectedCount());
    grid.SetItemState(1, 1, 0);
    EXPECT_TRUE(grid.IsCellSelected(1, 65537));
    EXPECT_TRUE(grid.IsCellSelected(2, 1));
}

TEST(GridSelection, SelectedRowsFollowColumnsOneAndUp)
{
    CGridCtrl grid(4, 4, 0, 0);
    grid.SetItemState(1, 0, GRIDSTATE_SELECTED);
    grid.SetItemState(1, 2, GRIDSTATE_SELECTED);
    grid.SetItemState(1, 3, GRIDSTATE_SELECTED);
    EXPECT_EQ((std::vector<int>{1}), grid.GetSelectedRows());
    grid.SetItemState(1, 2, 0);
    EXPECT_EQ((std::vector<int>{1}), grid.GetSelectedRows());
    grid.SetItemState(1, 3, 0);
    EXPECT_TRUE(grid.GetSelectedRows().empty());
}

TEST(GridSelection, DisabledSelectionDoesNothing)
{
    CGridCtrl grid(4, 4, 1, 1);
    grid.EnableSelection(FALSE);
    grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(0, grid.GetSelectedCount());
    grid.SelectAllCells();
    EXPECT_EQ(0, grid.GetSelectedCount());
}

TEST(GridSelection, SelectorsByMouseMode)
{
    CGridCtrl grid(6, 5, 1, 1);

    grid.SetMouseMode(GRIDMOUSE_SELECT_ALL);
    grid.OnSelecting(CGridCellId(3, 3));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(1, 1, 5, 4));

    grid.SetSelectionStartCell(CGridCellId(2, 3));
    grid.SetMouseMode(GRIDMOUSE_SELECT_COL);
    grid.OnSelecting(CGridCellId(4, 1));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(1, 1, 5, 3));

    grid.SetMouseMode(GRIDMOUSE_SELECT_ROW);
    grid.OnSelecting(CGridCellId(4, 1));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 1, 4, 4));

    grid.SetMouseMode(GRIDMOUSE_SELECT_CELLS);
    grid.OnSelecting(CGridCellId(4, 1));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 1, 4, 3));
    EXPECT_EQ(9, grid.GetSelectedCount());

    grid.SetMouseMode(GRIDMOUSE_LEVEL_DRAG);
    grid.OnSelecting(CGridCellId(5, 4));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 3, 5, 4));

    // Other modes and fixed cells select nothing new.
    grid.SetMouseMode(GRIDMOUSE_SIZING_ROW);
    grid.OnSelecting(CGridCellId(1, 1));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 3, 5, 4));
    grid.SetMouseMode(GRIDMOUSE_SELECT_CELLS);
    grid.OnSelecting(CGridCellId(0, 2));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 3, 5, 4));
}

TEST(GridSelection, SingleRowSelectionInWholeRowMode)
{
    CGridCtrl grid(6, 4, 1, 1);
    grid.SetListMode(TRUE);
    grid.SetSingleRowSelection(TRUE);
    grid.SetSelectionStartCell(CGridCellId(1, 1));
    grid.SetMouseMode(GRIDMOUSE_SELECT_ROW);
    grid.OnSelecting(CGridCellId(4, 2));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(4, 1, 4, 3));
}

TEST(GridSelection, ResetClearsSelectionAndFocus)
{
    CGridCtrl grid(6, 4, 1, 1);
    grid.SetSelectedRange(1, 1, 1, 3);
    grid.SetFocusCell(1, 2);
    grid.ResetSelectedRange();
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedRows().empty());
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(-1, -1));
    EXPECT_EQ(0u, grid.GetItemState(1, 2) & (GRIDSTATE_FOCUSED | GRIDSTATE_SELECTED));
}

TEST(GridSelection, FocusOnAFixedCellLandsOnTheFirstNonFixedOne)
{
    CGridCtrl grid(5, 5, 2, 1);
    CGridCellId prev = grid.SetFocusCell(0, 0);
    EXPECT_TRUE(prev == CGridCellId(-1, -1));
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(2, 1));
    EXPECT_TRUE(grid.GetItemState(2, 1) & GRIDSTATE_FOCUSED);

    prev = grid.SetFocusCell(3, 0);
    EXPECT_TRUE(prev == CGridCellId(2, 1));
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(3, 1));
    EXPECT_FALSE(grid.GetItemState(2, 1) & GRIDSTATE_FOCUSED);

    grid.SetFocusCell(-1, -1);
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(-1, -1));
    EXPECT_FALSE(grid.GetItemState(3, 1) & GRIDSTATE_FOCUSED);
}

TEST(GridSelection, WholeRowFocusSelectsTheRowAndKeepsTheMouseMode)
{
    CGridCtrl grid(5, 4, 1, 1);
    grid.SetListMode(TRUE);
    grid.SetSelectionStartCell(CGridCellId(2, 2));
    grid.SetFocusCell(2, 2);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 1, 2, 3));
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());

    grid.SetMouseMode(GRIDMOUSE_SELECT_ROW);
    grid.SetFocusCell(4, 2);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 1, 4, 3));
    EXPECT_EQ(GRIDMOUSE_SELECT_ROW, grid.GetMouseMode());
}

TEST(GridSelection, FocusLeavesWithTheRowCount)
{
    CGridCtrl grid(5, 4, 1, 1);
    grid.SetFocusCell(4, 3);
    grid.SetRowCount(4);
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(-1, -1));
    grid.SetFocusCell(2, 3);
    grid.SetColumnCount(3);
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(-1, -1));
    grid.SetFocusCell(1, 1);
    grid.SetFixedRowCount(2);
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(-1, -1));
}

TEST(GridSelection, EditableAndSelectedTests)
{
    CGridCtrl grid(3, 3, 1, 1);
    EXPECT_TRUE(grid.IsCellEditable(1, 1));
    grid.SetItemState(1, 1, GRIDSTATE_READONLY);
    EXPECT_FALSE(grid.IsCellEditable(1, 1));
    EXPECT_TRUE(grid.IsCellEditable(2, 2));
    grid.SetEditable(FALSE);
    EXPECT_FALSE(grid.IsCellEditable(2, 2));
    EXPECT_FALSE(grid.IsCellEditable(9, 9));
}
