// Rows that move: each cell reports the row it is in after inserts, deletes and sorts,
// a task grid's heading cells show their rows' numbers, and a cell taken out of the grid
// keeps the coordinates it had.
#include "GridCtrl.h"
#include "GridCell.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
CString Text(const CGridCtrl& grid, int row, int col)
{
    return grid.GetItemText(row, col);
}

int RowOf(const CGridCellBase* pCell)
{
    int nRow = -1, nCol = -1;
    pCell->GetRowCol(nRow, nCol);
    return nRow;
}

CString Number(int n)
{
    CString s;
    s.Format(_T("%d"), n);
    return s;
}
} // namespace

TEST(GridRowPlace, TaskGridHeadingsShowTheirRowsThroughInsertsAndDeletes)
{
    CGridCtrl grid(6, 3, 1, 1);
    grid.SetTaskGrid();
    for (int row = 1; row < 6; row++)
        grid.SetItemText(row, 2, CString(_T("任务")) + Number(row));
    grid.DeleteRow(1);
    for (int row = 1; row < 5; row++)
        EXPECT_EQ(Number(row), Text(grid, row, 0)) << row;
    // A heading given its own text above an insertion keeps it; one below gets its number.
    grid.SetItemText(1, 0, _T("甲"));
    grid.SetItemText(3, 0, _T("乙"));
    ASSERT_EQ(2, grid.InsertRow(_T("新"), 2));
    EXPECT_EQ(CString(_T("甲")), Text(grid, 1, 0));
    EXPECT_EQ(CString(_T("2")), Text(grid, 2, 0));
    EXPECT_EQ(CString(_T("3")), Text(grid, 3, 0));
    EXPECT_EQ(CString(_T("4")), Text(grid, 4, 0));
    EXPECT_EQ(CString(_T("任务4")), Text(grid, 4, 2));
    grid.DeleteRow(2);
    grid.DeleteRow(2);
    ASSERT_EQ(4, grid.GetRowCount());
    EXPECT_EQ(CString(_T("甲")), Text(grid, 1, 0));
    EXPECT_EQ(CString(_T("2")), Text(grid, 2, 0));
    EXPECT_EQ(CString(_T("3")), Text(grid, 3, 0));
    EXPECT_EQ(CString(_T("任务5")), Text(grid, 3, 2));
    for (int row = 0; row < 4; row++)
        for (int col = 0; col < 3; col++)
            EXPECT_EQ(row, RowOf(grid.GetCell(row, col))) << row << "," << col;
}

TEST(GridRowPlace, SortedTaskGridRowsKeepTheHeadingsTheyShow)
{
    CGridCtrl grid(5, 2, 1, 1);
    grid.SetTaskGrid();
    grid.InsertRow(_T(""), 1);
    const char* const names[] = {"d", "c", "a", "b"};
    for (int row = 2; row < 6; row++)
        grid.SetItemText(row, 1, names[row - 2]);
    ASSERT_EQ(CString(_T("5")), Text(grid, 5, 0));
    grid.SortTextItems(1, TRUE);
    // "", a, b, c, d: the rows 1, 4, 5, 3, 2 before.
    EXPECT_EQ(CString(_T("1")), Text(grid, 1, 0));
    EXPECT_EQ(CString(_T("4")), Text(grid, 2, 0));
    EXPECT_EQ(CString(_T("5")), Text(grid, 3, 0));
    EXPECT_EQ(CString(_T("3")), Text(grid, 4, 0));
    EXPECT_EQ(CString(_T("2")), Text(grid, 5, 0));
    EXPECT_EQ(CString(_T("d")), Text(grid, 5, 1));
    for (int row = 0; row < 6; row++)
        EXPECT_EQ(row, RowOf(grid.GetCell(row, 1))) << row;
    // The next renumbering numbers the rows below it again.
    grid.DeleteRow(1);
    for (int row = 1; row < 5; row++)
        EXPECT_EQ(Number(row), Text(grid, row, 0)) << row;
}

TEST(GridRowPlace, ACellTakenOutKeepsItsCoordinatesAndText)
{
    CGridCtrl grid(6, 2, 1, 1);
    grid.SetTaskGrid();
    grid.DeleteRow(1);
    std::unique_ptr<CGridCellBase> pHead(grid.GetCell(3, 0));
    std::unique_ptr<CGridCellBase> pCell(grid.GetCell(3, 1));
    ASSERT_EQ(CString(_T("3")), CString(pHead->GetText()));
    ASSERT_TRUE(grid.SetCell(3, 0, new CGridCell));
    ASSERT_TRUE(grid.SetCell(3, 1, new CGridCell));
    grid.DeleteRow(1);
    grid.InsertRow(_T(""), 1);
    grid.InsertRow(_T(""), 1);
    EXPECT_EQ(3, RowOf(pCell.get()));
    EXPECT_EQ(3, RowOf(pHead.get()));
    EXPECT_EQ(CString(_T("3")), CString(pHead->GetText()));
    // The cells put in their place are told their rows like every other.
    EXPECT_EQ(4, RowOf(grid.GetCell(4, 1)));
    EXPECT_EQ(CString(_T("4")), Text(grid, 4, 0));
}

TEST(GridRowPlace, ACellGivenOtherCoordinatesIsPlacedAgainByTheNextRenumbering)
{
    CGridCtrl grid(6, 2, 1, 0);
    grid.GetCell(4, 1)->SetRowCol(9, 7);
    grid.GetCell(1, 1)->SetRowCol(8, 6);
    grid.InsertRow(_T(""), 3);
    int nRow = -1, nCol = -1;
    grid.GetCell(5, 1)->GetRowCol(nRow, nCol);
    EXPECT_EQ(5, nRow);
    EXPECT_EQ(1, nCol);
    // Above the insertion nothing is told again.
    grid.GetCell(1, 1)->GetRowCol(nRow, nCol);
    EXPECT_EQ(8, nRow);
    EXPECT_EQ(6, nCol);
    grid.DeleteRow(0);
    grid.GetCell(0, 1)->GetRowCol(nRow, nCol);
    EXPECT_EQ(0, nRow);
    EXPECT_EQ(1, nCol);
}

TEST(GridRowPlace, ColumnsInsertedBeforeTheHeadingsKeepTheirTexts)
{
    CGridCtrl grid(4, 2, 1, 1);
    grid.SetTaskGrid();
    grid.DeleteRow(1);
    ASSERT_EQ(CString(_T("2")), Text(grid, 2, 0));
    grid.InsertColumn(_T("前"), DT_LEFT, 0);
    grid.InsertRow(_T(""), 1);
    // The old headings moved to column 1 with their texts; column 0 takes the numbers.
    EXPECT_EQ(CString(_T("1")), Text(grid, 2, 1));
    EXPECT_EQ(CString(_T("2")), Text(grid, 3, 1));
    EXPECT_EQ(CString(_T("2")), Text(grid, 2, 0));
    EXPECT_EQ(CString(_T("3")), Text(grid, 3, 0));
}
