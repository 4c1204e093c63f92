// The grid's data: counts, cells, rows and columns, items, modified marks and sizes, on a
// grid without a window.
#include "GridCtrl.h"
#include "GridCellCombo.h"

#include <gtest/gtest.h>

namespace
{
CString Text(const CGridCtrl& grid, int row, int col)
{
    return grid.GetItemText(row, col);
}

// A class that is not a cell, to check the factory's refusal.
class CNotACell : public CObject
{
    DECLARE_DYNCREATE(CNotACell)
};
IMPLEMENT_DYNCREATE(CNotACell, CObject)
} // namespace

TEST(GridStructure, ConstructorSetsCountsAndDefaults)
{
    CGridCtrl grid(5, 4, 1, 1);
    EXPECT_EQ(5, grid.GetRowCount());
    EXPECT_EQ(4, grid.GetColumnCount());
    EXPECT_EQ(1, grid.GetFixedRowCount());
    EXPECT_EQ(1, grid.GetFixedColumnCount());
    EXPECT_EQ(20, grid.GetDefCellHeight());
    EXPECT_EQ(50, grid.GetDefCellWidth());
    EXPECT_EQ(GRIDLINES_BOTH, grid.GetGridLines());
    EXPECT_TRUE(grid.IsEditable());
    EXPECT_FALSE(grid.IsTaskGrid());
    EXPECT_FALSE(grid.GetListMode());
    EXPECT_TRUE(grid.IsSelectable());
    EXPECT_TRUE(grid.GetHandleTabKey());
    EXPECT_TRUE(grid.GetDoubleBuffering());
    EXPECT_TRUE(grid.GetRowResize());
    EXPECT_TRUE(grid.GetColumnResize());
    EXPECT_FALSE(grid.GetDragAndDrop());
    EXPECT_EQ(-1, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ(RGB(192, 192, 192), grid.GetGridColor());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), grid.GetTextColor());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), grid.GetTextBkColor());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), grid.GetFixedTextColor());
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), grid.GetFixedBkColor());
    EXPECT_EQ(CLR_DEFAULT, grid.GetTitleTipBackClr());
    EXPECT_EQ(CLR_DEFAULT, grid.GetTitleTipTextClr());
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(-1, -1));
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
    EXPECT_EQ(20, grid.GetRowHeight(4));
    EXPECT_EQ(50, grid.GetColumnWidth(3));

    int h, f, l, r, t, b, g;
    grid.GetPrintMarginInfo(h, f, l, r, t, b, g);
    EXPECT_EQ(2, h);
    EXPECT_EQ(2, f);
    EXPECT_EQ(4, l);
    EXPECT_EQ(4, r);
    EXPECT_EQ(1, t);
    EXPECT_EQ(1, b);
    EXPECT_EQ(1, g);
}

TEST(GridStructure, CellsAreTextCellsWithFixedBits)
{
    CGridCtrl grid(3, 3, 1, 1);
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 3; col++)
        {
            CGridCellBase* pCell = grid.GetCell(row, col);
            ASSERT_NE(nullptr, pCell);
            EXPECT_TRUE(pCell->IsKindOf(RUNTIME_CLASS(CGridCell)));
            EXPECT_EQ(&grid, pCell->GetGrid());
            BOOL bFixed = (pCell->GetState() & GRIDSTATE_FIXED) != 0;
            EXPECT_EQ(row < 1 || col < 1, bFixed) << row << "," << col;
            EXPECT_EQ(GRIDCELL_DEFAULT_FORMAT, pCell->GetFormat());
            EXPECT_EQ(0x8824u, pCell->GetFormat());
            int r = -1, c = -1;
            pCell->GetRowCol(r, c);
            EXPECT_EQ(row, r);
            EXPECT_EQ(col, c);
        }
    EXPECT_EQ(nullptr, grid.GetCell(3, 0));
    EXPECT_EQ(nullptr, grid.GetCell(0, 3));
    EXPECT_EQ(nullptr, grid.GetCell(-1, 0));
}

TEST(GridStructure, NewCellTakesTheFormatOfTheCellAbove)
{
    CGridCtrl grid(2, 2, 0, 0);
    grid.SetItemFormat(1, 1, DT_RIGHT | DT_SINGLELINE);
    grid.SetRowCount(4);
    EXPECT_EQ((UINT)(DT_RIGHT | DT_SINGLELINE), grid.GetItemFormat(2, 1));
    EXPECT_EQ((UINT)(DT_RIGHT | DT_SINGLELINE), grid.GetItemFormat(3, 1));
    EXPECT_EQ(0x8824u, grid.GetItemFormat(3, 0));
}

TEST(GridStructure, DefaultCellClassMustBeACell)
{
    CGridCtrl grid(1, 1, 0, 0);
    grid.SetDefaultCellType(RUNTIME_CLASS(CNotACell));
    grid.SetRowCount(2);
    EXPECT_EQ(2, grid.GetRowCount());
    EXPECT_EQ(nullptr, grid.GetCell(1, 0));
    EXPECT_NE(nullptr, grid.GetCell(0, 0));

    grid.SetDefaultCellType(RUNTIME_CLASS(CGridCellCombo));
    grid.SetRowCount(3);
    ASSERT_NE(nullptr, grid.GetCell(2, 0));
    EXPECT_TRUE(grid.GetCell(2, 0)->IsKindOf(RUNTIME_CLASS(CGridCellCombo)));
}

TEST(GridStructure, RowCountBelowFixedLowersFixedCount)
{
    CGridCtrl grid(5, 3, 3, 1);
    grid.SetRowCount(2);
    EXPECT_EQ(2, grid.GetRowCount());
    EXPECT_EQ(2, grid.GetFixedRowCount());
    grid.SetColumnCount(0);
    EXPECT_EQ(0, grid.GetColumnCount());
    EXPECT_EQ(0, grid.GetFixedColumnCount());
}

TEST(GridStructure, FixedCountAboveRowCountRaisesRowCount)
{
    CGridCtrl grid(2, 2, 0, 0);
    grid.SetFixedRowCount(4);
    EXPECT_EQ(4, grid.GetRowCount());
    EXPECT_EQ(4, grid.GetFixedRowCount());
    grid.SetFixedColumnCount(3);
    EXPECT_EQ(3, grid.GetColumnCount());
    EXPECT_EQ(3, grid.GetFixedColumnCount());
}

TEST(GridStructure, FixedCountChangeSetsBitsAndResetsColours)
{
    CGridCtrl grid(4, 3, 0, 0);
    grid.SetItemBkColour(1, 2, RGB(1, 2, 3));
    grid.SetItemFgColour(1, 2, RGB(4, 5, 6));
    grid.SetItemBkColour(3, 2, RGB(1, 2, 3));
    grid.SetFixedRowCount(2);
    EXPECT_TRUE(grid.GetItemState(1, 2) & GRIDSTATE_FIXED);
    EXPECT_EQ(CLR_DEFAULT, grid.GetItemBkColour(1, 2));
    EXPECT_EQ(CLR_DEFAULT, grid.GetItemFgColour(1, 2));
    EXPECT_EQ(RGB(1, 2, 3), grid.GetItemBkColour(3, 2));
    EXPECT_FALSE(grid.GetItemState(3, 2) & GRIDSTATE_FIXED);

    grid.SetFixedRowCount(1);
    EXPECT_FALSE(grid.GetItemState(1, 2) & GRIDSTATE_FIXED);
    EXPECT_TRUE(grid.GetItemState(0, 2) & GRIDSTATE_FIXED);

    grid.SetFixedColumnCount(1);
    EXPECT_TRUE(grid.GetItemState(3, 0) & GRIDSTATE_FIXED);
    EXPECT_FALSE(grid.GetItemState(3, 1) & GRIDSTATE_FIXED);
}

TEST(GridStructure, InsertRowAtCountAddsNothing)
{
    CGridCtrl grid(3, 2, 1, 0);
    EXPECT_EQ(-1, grid.InsertRow(_T("x"), 3));
    EXPECT_EQ(-1, grid.InsertRow(_T("x"), 7));
    EXPECT_EQ(3, grid.GetRowCount());
}

TEST(GridStructure, NegativeIndexAppendsA20PixelRow)
{
    CGridCtrl grid(2, 2, 1, 0);
    EXPECT_EQ(2, grid.InsertRow(_T("末行"), -1));
    EXPECT_EQ(3, grid.GetRowCount());
    EXPECT_EQ(20, grid.GetRowHeight(2));
    EXPECT_EQ(CString(_T("末行")), Text(grid, 2, 0));
    EXPECT_EQ(CString(_T("")), Text(grid, 2, 1));
}

TEST(GridStructure, InsertRowInsideMovesTheRowsBelow)
{
    CGridCtrl grid(3, 2, 1, 0);
    grid.SetItemText(1, 1, _T("one"));
    grid.SetItemText(2, 1, _T("two"));
    grid.SetRowHeight(1, 33);
    EXPECT_EQ(1, grid.InsertRow(_T("new"), 1));
    EXPECT_EQ(4, grid.GetRowCount());
    EXPECT_EQ(CString(_T("new")), Text(grid, 1, 0));
    EXPECT_EQ(CString(_T("one")), Text(grid, 2, 1));
    EXPECT_EQ(CString(_T("two")), Text(grid, 3, 1));
    EXPECT_EQ(20, grid.GetRowHeight(1));
    EXPECT_EQ(33, grid.GetRowHeight(2));
    // Every moved cell knows its new place, column 0 included.
    for (int row = 0; row < 4; row++)
        for (int col = 0; col < 2; col++)
        {
            int r, c;
            grid.GetCell(row, col)->GetRowCol(r, c);
            EXPECT_EQ(row, r);
            EXPECT_EQ(col, c);
        }
}

TEST(GridStructure, InsertRowIntoGridWithoutColumnsAddsOne)
{
    CGridCtrl grid(0, 0, 0, 0);
    EXPECT_EQ(0, grid.InsertRow(_T("a"), -1));
    EXPECT_EQ(1, grid.GetColumnCount());
    EXPECT_EQ(CString(_T("a")), Text(grid, 0, 0));
}

TEST(GridStructure, InsertAndDeleteClearFocusAndSelection)
{
    CGridCtrl grid(5, 3, 1, 1);
    grid.SetFocusCell(2, 2);
    grid.SetSelectedRange(2, 1, 3, 2);
    ASSERT_EQ(4, grid.GetSelectedCount());
    grid.InsertRow(_T(""), 1);
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(-1, -1));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetItemState(3, 2) & (GRIDSTATE_SELECTED | GRIDSTATE_FOCUSED));

    grid.SetFocusCell(4, 1);
    grid.SetSelectedRange(4, 1, 4, 2);
    grid.DeleteRow(2);
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(-1, -1));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedRows().empty());
}

TEST(GridStructure, DeletingAFixedRowLowersTheFixedCount)
{
    CGridCtrl grid(5, 2, 2, 0);
    EXPECT_TRUE(grid.DeleteRow(1));
    EXPECT_EQ(4, grid.GetRowCount());
    EXPECT_EQ(1, grid.GetFixedRowCount());
    EXPECT_TRUE(grid.DeleteRow(3));
    EXPECT_EQ(1, grid.GetFixedRowCount());
    EXPECT_FALSE(grid.DeleteRow(3));
    EXPECT_FALSE(grid.DeleteRow(-1));
    EXPECT_EQ(3, grid.GetRowCount());
}

TEST(GridStructure, TaskGridDeleteRowRenumbersColumnZero)
{
    CGridCtrl grid(6, 3, 1, 1);
    grid.SetTaskGrid();
    for (int row = 1; row < 6; row++)
    {
        CString s;
        s.Format(_T("%d"), row);
        grid.SetItemText(row, 0, s);
        grid.SetItemText(row, 2, CString(_T("任务")) + s);
    }
    grid.DeleteRow(2);
    ASSERT_EQ(5, grid.GetRowCount());
    EXPECT_EQ(CString(_T("1")), Text(grid, 1, 0));
    EXPECT_EQ(CString(_T("2")), Text(grid, 2, 0));
    EXPECT_EQ(CString(_T("3")), Text(grid, 3, 0));
    EXPECT_EQ(CString(_T("4")), Text(grid, 4, 0));
    EXPECT_EQ(CString(_T("任务3")), Text(grid, 2, 2));
    EXPECT_EQ(CString(_T("任务5")), Text(grid, 4, 2));
}

TEST(GridStructure, PlainGridDeleteRowKeepsColumnZero)
{
    CGridCtrl grid(4, 2, 1, 1);
    grid.SetItemText(3, 0, _T("head3"));
    grid.DeleteRow(1);
    EXPECT_EQ(CString(_T("head3")), Text(grid, 2, 0));
}

TEST(GridStructure, TaskGridDeleteRowMovesTheTreeRangeEnd)
{
    struct CTree : public CGridTreeColumnHooks
    {
        int nEnd = -1;
        void SetEndRow(int n) override { nEnd = n; }
        int GetEndRow() override { return nEnd; }
    } tree;
    CGridCtrl grid(6, 3, 1, 1);
    grid.AttachTreeColumn(&tree, nullptr);
    grid.DeleteRow(2);
    EXPECT_EQ(-1, tree.nEnd);  // a plain grid leaves the tree alone
    grid.SetTaskGrid();
    grid.DeleteRow(2);
    EXPECT_EQ(4, tree.nEnd);
}

TEST(GridStructure, DeleteAllItemsZeroesAllCounts)
{
    CGridCtrl grid(5, 4, 2, 1);
    grid.SetFocusCell(3, 2);
    grid.DeleteAllItems();
    EXPECT_EQ(0, grid.GetRowCount());
    EXPECT_EQ(0, grid.GetColumnCount());
    EXPECT_EQ(0, grid.GetFixedRowCount());
    EXPECT_EQ(0, grid.GetFixedColumnCount());
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(-1, -1));
    EXPECT_EQ(0, grid.GetVirtualHeight());
    EXPECT_TRUE(grid.GetModified());
}

TEST(GridStructure, InsertColumnSetsHeadingAndFormat)
{
    CGridCtrl grid(3, 2, 1, 0);
    grid.SetItemText(1, 1, _T("b"));
    EXPECT_EQ(-1, grid.InsertColumn(_T("x"), DT_CENTER, 2));
    EXPECT_EQ(1, grid.InsertColumn(_T("新列"), DT_RIGHT, 1));
    EXPECT_EQ(3, grid.GetColumnCount());
    EXPECT_EQ(CString(_T("新列")), Text(grid, 0, 1));
    EXPECT_EQ(CString(_T("b")), Text(grid, 1, 2));
    for (int row = 0; row < 3; row++)
        EXPECT_EQ((UINT)DT_RIGHT, grid.GetItemFormat(row, 1));
    EXPECT_EQ(3, grid.InsertColumn(_T("end"), DT_LEFT, -1));
    EXPECT_EQ(CString(_T("end")), Text(grid, 0, 3));
}

TEST(GridStructure, SetCellTypeCopiesContents)
{
    CGridCtrl grid(3, 3, 1, 1);
    grid.SetItemText(1, 1, _T("文本"));
    grid.SetItemFormat(1, 1, DT_CENTER);
    grid.SetItemBkColour(1, 1, RGB(10, 20, 30));
    grid.SetItemData(1, 1, 77);
    grid.GetCell(1, 1)->SetEditable(FALSE);
    ASSERT_TRUE(grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCombo)));
    CGridCellBase* pCell = grid.GetCell(1, 1);
    ASSERT_TRUE(pCell->IsKindOf(RUNTIME_CLASS(CGridCellCombo)));
    EXPECT_STREQ(_T("文本"), pCell->GetText());
    EXPECT_EQ((UINT)DT_CENTER, pCell->GetFormat());
    EXPECT_EQ(RGB(10, 20, 30), pCell->GetBackClr());
    EXPECT_EQ(77, pCell->GetData());
    EXPECT_EQ(&grid, pCell->GetGrid());
    // The editable flag is not copied.
    EXPECT_TRUE(pCell->IsEditable());
    int r, c;
    pCell->GetRowCol(r, c);
    EXPECT_EQ(1, r);
    EXPECT_EQ(1, c);

    EXPECT_FALSE(grid.SetCellType(5, 1, RUNTIME_CLASS(CGridCellCombo)));
    EXPECT_FALSE(grid.SetCellType(1, 1, RUNTIME_CLASS(CNotACell)));
}

TEST(GridStructure, SetItemAppliesMaskedMembers)
{
    CGridCtrl grid(3, 3, 1, 1);
    GridItem item;
    item.row = 2;
    item.col = 2;
    item.mask = GRIDITEM_TEXT | GRIDITEM_FORMAT | GRIDITEM_DATA | GRIDITEM_STATE | GRIDITEM_MARGIN;
    item.szText = _T("项");
    item.nFormat = DT_RIGHT;
    item.lParam = 5;
    item.state = GRIDSTATE_SELECTED | GRIDSTATE_READONLY;
    item.nMargin = 7;
    item.iImage = 4;  // not in the mask
    EXPECT_TRUE(grid.SetItem(&item));
    EXPECT_EQ(CString(_T("项")), Text(grid, 2, 2));
    EXPECT_EQ((UINT)DT_RIGHT, grid.GetItemFormat(2, 2));
    EXPECT_EQ(5, grid.GetItemData(2, 2));
    EXPECT_EQ(-1, grid.GetItemImage(2, 2));
    EXPECT_EQ(7u, grid.GetCell(2, 2)->GetMargin());
    // The state went through the selection bookkeeping.
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(2, 2));
    EXPECT_FALSE(grid.IsCellEditable(2, 2));
    // The cell is marked modified before the masked members are applied, so a state in the
    // record replaces that mark; the grid's flag stays.
    EXPECT_EQ((UINT)(GRIDSTATE_SELECTED | GRIDSTATE_READONLY), grid.GetItemState(2, 2));
    EXPECT_TRUE(grid.GetModified());
    item.mask = GRIDITEM_TEXT;
    item.szText = _T("再");
    grid.SetItem(&item);
    EXPECT_TRUE(grid.GetModified(2, 2));

    GridItem out;
    out.row = 2;
    out.col = 2;
    out.mask = GRIDITEM_TEXT | GRIDITEM_FORMAT;
    EXPECT_TRUE(grid.GetItem(&out));
    EXPECT_EQ(CString(_T("再")), out.szText);
    EXPECT_EQ((UINT)DT_RIGHT, out.nFormat);

    item.row = 9;
    EXPECT_FALSE(grid.SetItem(&item));
}

TEST(GridStructure, ModifiedMarks)
{
    CGridCtrl grid(4, 4, 1, 1);
    grid.SetModified(FALSE);
    EXPECT_FALSE(grid.GetModified());

    // Row 0 or column 0 sets only the grid's flag.
    grid.SetModified(TRUE, 0, 2);
    EXPECT_TRUE(grid.GetModified());
    EXPECT_FALSE(grid.GetItemState(0, 2) & GRIDSTATE_MODIFIED);
    grid.SetModified(FALSE);
    grid.SetModified(TRUE, 2, 0);
    EXPECT_TRUE(grid.GetModified());
    EXPECT_FALSE(grid.GetItemState(2, 0) & GRIDSTATE_MODIFIED);

    grid.SetModified(TRUE, 2, 3);
    EXPECT_TRUE(grid.GetModified(2, 3));
    EXPECT_TRUE(grid.GetItemState(2, 3) & GRIDSTATE_MODIFIED);
    EXPECT_FALSE(grid.GetModified(3, 3));

    // Clearing the grid's flag clears every cell's mark.
    grid.SetModified(FALSE);
    EXPECT_FALSE(grid.GetModified(2, 3));
    EXPECT_FALSE(grid.GetModified());

    // Setting a text marks the cell and the grid, and forgets the sort column.
    grid.SetSortColumn(2);
    grid.SetItemText(3, 2, _T("x"));
    EXPECT_TRUE(grid.GetModified(3, 2));
    EXPECT_TRUE(grid.GetModified());
    EXPECT_EQ(-1, grid.GetSortColumn());
}

TEST(GridStructure, SizesRefuseBadArguments)
{
    CGridCtrl grid(3, 3, 1, 1);
    EXPECT_EQ(-1, grid.GetRowHeight(3));
    EXPECT_EQ(-1, grid.GetColumnWidth(-1));
    EXPECT_FALSE(grid.SetRowHeight(1, -5));
    EXPECT_EQ(20, grid.GetRowHeight(1));
    EXPECT_TRUE(grid.SetRowHeight(1, 0));
    EXPECT_EQ(0, grid.GetRowHeight(1));
    EXPECT_FALSE(grid.SetColumnWidth(4, 10));
    EXPECT_TRUE(grid.SetColumnWidth(2, 70));
    EXPECT_EQ(50 + 50 + 70, grid.GetVirtualWidth());
    EXPECT_EQ(20 + 0 + 20, grid.GetVirtualHeight());
    EXPECT_EQ(20, grid.GetFixedRowHeight());
    EXPECT_EQ(50, grid.GetFixedColumnWidth());
}

TEST(GridStructure, RowStateAndTaskLiveInColumnZero)
{
    CGridCtrl grid(3, 3, 1, 1);
    EXPECT_EQ(nullptr, grid.GetRowTask(1));
    EXPECT_EQ(nullptr, grid.GetRowTask(7));
    CTaskItem* pTask = reinterpret_cast<CTaskItem*>(0x1000);
    grid.GetCell(1, 0)->SetTask(pTask);
    EXPECT_EQ(pTask, grid.GetRowTask(1));

    // The end of an edit marks the row changed: 0 becomes 2 and 4 becomes 1.
    grid.GetCell(1, 0)->SetRowState(GRIDROW_UNCHANGED);
    grid.GetCell(1, 2)->CGridCellBase::EndEdit();
    EXPECT_EQ(GRIDROW_MODIFIED, grid.GetCell(1, 0)->GetRowState());
    grid.GetCell(2, 0)->SetRowState(GRIDROW_UNNAMED);
    grid.GetCell(2, 1)->CGridCellBase::EndEdit();
    EXPECT_EQ(GRIDROW_NEW, grid.GetCell(2, 0)->GetRowState());
    grid.GetCell(2, 1)->CGridCellBase::EndEdit();
    EXPECT_EQ(GRIDROW_NEW, grid.GetCell(2, 0)->GetRowState());
    grid.GetCell(1, 1)->CGridCellBase::EndEdit();
    EXPECT_EQ(GRIDROW_MODIFIED, grid.GetCell(1, 0)->GetRowState());
}
