// Sorting the rows of a grid.
#include "GridCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::vector<std::string> Column(const CGridCtrl& grid, int col)
{
    std::vector<std::string> v;
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); row++)
        v.push_back((LPCTSTR)grid.GetItemText(row, col));
    return v;
}

void Fill(CGridCtrl& grid, int col, const std::vector<const char*>& texts)
{
    int row = grid.GetFixedRowCount();
    for (const char* s : texts)
        grid.SetItemText(row++, col, s);
}
} // namespace

TEST(GridSort, KeepsCellsAndHeightsTogether)
{
    CGridCtrl grid(5, 3, 1, 1);
    Fill(grid, 1, {"c", "a", "d", "b"});
    Fill(grid, 2, {"C", "A", "D", "B"});
    grid.SetRowHeight(1, 21);
    grid.SetRowHeight(2, 22);
    grid.SetRowHeight(3, 23);
    grid.SetRowHeight(4, 24);
    grid.SetItemText(0, 1, _T("head"));

    EXPECT_TRUE(grid.SortTextItems(1, TRUE));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), Column(grid, 1));
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C", "D"}), Column(grid, 2));
    EXPECT_EQ(22, grid.GetRowHeight(1));
    EXPECT_EQ(24, grid.GetRowHeight(2));
    EXPECT_EQ(21, grid.GetRowHeight(3));
    EXPECT_EQ(23, grid.GetRowHeight(4));
    // The fixed row stays where it is.
    EXPECT_EQ(CString(_T("head")), grid.GetItemText(0, 1));
    EXPECT_EQ(1, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    // The moved cells learn their rows.
    for (int row = 0; row < 5; row++)
    {
        int r, c;
        grid.GetCell(row, 2)->GetRowCol(r, c);
        EXPECT_EQ(row, r);
    }

    EXPECT_TRUE(grid.SortTextItems(1, FALSE));
    EXPECT_EQ((std::vector<std::string>{"d", "c", "b", "a"}), Column(grid, 1));
    EXPECT_EQ((std::vector<std::string>{"D", "C", "B", "A"}), Column(grid, 2));
    EXPECT_EQ(23, grid.GetRowHeight(1));
    EXPECT_FALSE(grid.GetSortAscending());
}

TEST(GridSort, ComparesCodePageBytesUnsigned)
{
    CGridCtrl grid(6, 2, 1, 1);
    // "中" is D6 D0 and "啊" is B0 A1 in code page 936: both above every ASCII letter, and
    // "啊" before "中" (in UTF-8 the two would compare the other way round).
    Fill(grid, 1, {"中", "z", "啊", "A", "中国"});
    grid.SortTextItems(1, TRUE);
    EXPECT_EQ((std::vector<std::string>{"A", "z", "啊", "中", "中国"}), Column(grid, 1));
    EXPECT_EQ(std::string("\xB0\xA1"), Column(grid, 1)[2]);
}

TEST(GridSort, NumericCompare)
{
    CGridCtrl grid(5, 2, 1, 1);
    Fill(grid, 1, {"10", "9", "-3", "100"});
    grid.SortItems(CGridCtrl::pfnCellNumericCompare, 1, TRUE, 0);
    EXPECT_EQ((std::vector<std::string>{"-3", "9", "10", "100"}), Column(grid, 1));
    grid.SortTextItems(1, TRUE);
    EXPECT_EQ((std::vector<std::string>{"-3", "10", "100", "9"}), Column(grid, 1));
}

TEST(GridSort, CompareFunctionsToleratesMissingCells)
{
    CGridCell cell;
    EXPECT_EQ(0, CGridCtrl::pfnCellTextCompare((LPARAM)&cell, 0, 0));
    EXPECT_EQ(0, CGridCtrl::pfnCellNumericCompare(0, (LPARAM)&cell, 0));
}

TEST(GridSort, ColumnBeyondTheCountSortsNothing)
{
    CGridCtrl grid(4, 2, 1, 1);
    Fill(grid, 1, {"b", "c", "a"});
    EXPECT_FALSE(grid.SortTextItems(5, TRUE));
    EXPECT_EQ((std::vector<std::string>{"b", "c", "a"}), Column(grid, 1));
    EXPECT_EQ(5, grid.GetSortColumn());
}

TEST(GridSort, ResetsFocusAndSelection)
{
    CGridCtrl grid(4, 2, 1, 1);
    grid.SetFocusCell(2, 1);
    grid.SetSelectedRange(1, 1, 3, 1);
    grid.SortTextItems(1, TRUE);
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(-1, -1));
    EXPECT_EQ(0, grid.GetSelectedCount());
}

TEST(GridSort, ManyEqualAndOrderedRowsSortWithBoundedDepth)
{
    const int nRows = 60000;
    CGridCtrl grid(nRows + 1, 2, 1, 1);
    for (int row = 1; row <= nRows; row++)
    {
        CString s;
        s.Format(_T("%06d"), (row % 3 == 0) ? 7 : nRows - row);
        grid.SetItemText(row, 1, s);
    }
    grid.SortTextItems(1, TRUE);
    for (int row = 2; row <= nRows; row++)
        ASSERT_LE(grid.GetItemText(row - 1, 1).Compare(grid.GetItemText(row, 1)), 0) << row;
}
