// The keyboard: moves of the focus cell, the selection they make, the keys that start an
// edit, the dialog code, and the end of an in-place edit.
#include "GridTestUtil.h"

namespace
{
class GridKeyboardTest : public GridWndTest
{
protected:
    void Make(int rows, int cols, int fixedRows = 1, int fixedCols = 1)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(fixedRows);
        grid.SetFixedColumnCount(fixedCols);
        CreateGrid();
        for (int col = 0; col < cols; col++)
            grid.SetColumnWidth(col, 40);
        AfxTestFocus(&grid);
    }
    void Key(UINT vk, UINT modifiers = 0) { AfxTestKey(&grid, vk, modifiers); }
    CGridCellId Focus() const { return grid.GetFocusCell(); }
};

#define EXPECT_FOCUS(r, c) EXPECT_TRUE(Focus() == CGridCellId(r, c)) << "focus " << Focus().row << "," << Focus().col
} // namespace

TEST_F(GridKeyboardTest, TabMovesRightAndWrapsToTheNextRow)
{
    Make(4, 4);
    grid.SetFocusCell(1, 2);
    Key(VK_TAB);
    EXPECT_FOCUS(1, 3);
    Key(VK_TAB);
    EXPECT_FOCUS(2, 1);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 1, 2, 1));
    EXPECT_TRUE(grid.GetSelectionStartCell() == CGridCellId(2, 1));
}

TEST_F(GridKeyboardTest, ShiftTabMovesLeftAndWrapsToThePreviousRow)
{
    Make(4, 4);
    grid.SetFocusCell(2, 1);
    Key(VK_TAB, MK_SHIFT);
    EXPECT_FOCUS(1, 3);
    Key(VK_TAB, MK_SHIFT);
    EXPECT_FOCUS(1, 2);
    grid.SetFocusCell(1, 1);
    Key(VK_TAB, MK_SHIFT);
    EXPECT_FOCUS(1, 1);
}

TEST_F(GridKeyboardTest, TabInTheLastCellStays)
{
    Make(4, 4);
    grid.SetFocusCell(3, 3);
    Key(VK_TAB);
    EXPECT_FOCUS(3, 3);
}

TEST_F(GridKeyboardTest, ArrowsSkipHiddenRowsAndColumns)
{
    Make(7, 6);
    grid.SetColumnWidth(3, 0);
    grid.SetRowHeight(3, 0);
    grid.SetRowHeight(4, 0);
    grid.SetFocusCell(2, 2);
    Key(VK_RIGHT);
    EXPECT_FOCUS(2, 4);
    Key(VK_LEFT);
    EXPECT_FOCUS(2, 2);
    Key(VK_DOWN);
    EXPECT_FOCUS(5, 2);
    Key(VK_UP);
    EXPECT_FOCUS(2, 2);
    Key(VK_UP);
    EXPECT_FOCUS(1, 2);
    Key(VK_UP);  // not into the fixed rows
    EXPECT_FOCUS(1, 2);
    Key(VK_LEFT);
    EXPECT_FOCUS(1, 1);
    Key(VK_LEFT);  // the first non-fixed column stays put
    EXPECT_FOCUS(1, 1);
    grid.SetFocusCell(6, 5);
    Key(VK_DOWN);
    EXPECT_FOCUS(6, 5);
    Key(VK_RIGHT);
    EXPECT_FOCUS(6, 5);
}

TEST_F(GridKeyboardTest, HomeAndEndSkipHiddenRowsAndColumns)
{
    Make(7, 7);
    grid.SetColumnWidth(1, 0);
    grid.SetColumnWidth(6, 0);
    grid.SetRowHeight(1, 0);
    grid.SetRowHeight(6, 0);
    grid.SetFocusCell(3, 3);
    Key(VK_HOME);
    EXPECT_FOCUS(3, 2);
    Key(VK_END);
    EXPECT_FOCUS(3, 5);
    Key(VK_END, MK_CONTROL);
    EXPECT_FOCUS(5, 5);
    Key(VK_HOME, MK_CONTROL);
    EXPECT_FOCUS(2, 2);
}

TEST_F(GridKeyboardTest, PageKeysLandOnTheFirstAndLastRowWhenNothingScrolls)
{
    Make(5, 3);
    grid.SetFocusCell(3, 1);
    Key(VK_PRIOR);
    EXPECT_FOCUS(1, 1);
    Key(VK_NEXT);
    EXPECT_FOCUS(4, 1);
}

TEST_F(GridKeyboardTest, PageDownMovesByTheScrolledRows)
{
    Make(200, 3);
    grid.SetFocusCell(2, 1);
    CGridCellId before = grid.GetTopleftNonFixedCell();
    Key(VK_NEXT);
    CGridCellId after = grid.GetTopleftNonFixedCell();
    ASSERT_GT(after.row, before.row);
    EXPECT_FOCUS(2 + after.row - before.row, 1);
    Key(VK_PRIOR);
    EXPECT_FOCUS(2, 1);
    EXPECT_EQ(1, grid.GetTopleftNonFixedCell().row);
}

TEST_F(GridKeyboardTest, ShiftArrowInCellModeSelectsOnlyTheNewFocusCell)
{
    Make(6, 4);
    grid.SetFocusCell(2, 2);
    grid.SetSelectionStartCell(CGridCellId(2, 2));
    Key(VK_DOWN, MK_SHIFT);
    EXPECT_FOCUS(3, 2);
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(3, 2));
    EXPECT_TRUE(grid.GetSelectionStartCell() == CGridCellId(2, 2));
}

TEST_F(GridKeyboardTest, ShiftArrowInWholeRowModeSelectsFromTheStartRow)
{
    Make(6, 4);
    grid.SetListMode(TRUE);
    grid.SetSelectionStartCell(CGridCellId(2, 2));
    grid.SetFocusCell(2, 2);
    Key(VK_DOWN, MK_SHIFT);
    Key(VK_DOWN, MK_SHIFT);
    EXPECT_FOCUS(4, 2);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 1, 4, 3));
    EXPECT_EQ(9, grid.GetSelectedCount());
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
    // Without Shift the start follows the focus.
    Key(VK_UP);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(3, 1, 3, 3));
}

TEST_F(GridKeyboardTest, DialogCode)
{
    Make(3, 3);
    EXPECT_EQ((LRESULT)(DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB), grid.SendMessage(WM_GETDLGCODE));
    EXPECT_EQ(0x83, grid.SendMessage(WM_GETDLGCODE));
    AfxTestSetKeyState(VK_CONTROL, TRUE);
    EXPECT_EQ(0x81, grid.SendMessage(WM_GETDLGCODE));
    AfxTestClearKeyState(VK_CONTROL);
    grid.SetHandleTabKey(FALSE);
    EXPECT_EQ(0x81, grid.SendMessage(WM_GETDLGCODE));
}

TEST_F(GridKeyboardTest, TypedCharacterStartsAnEditOfTheFocusCell)
{
    Make(4, 4);
    grid.SetFocusCell(2, 3);
    Key('A');
    ASSERT_EQ(1u, grid.edits.size());
    EXPECT_EQ(2, grid.edits[0].row);
    EXPECT_EQ(3, grid.edits[0].col);
    EXPECT_EQ((UINT)'a', grid.edits[0].nChar);

    grid.edits.clear();
    Key(VK_ESCAPE);
    Key(VK_TAB);  // moves, but starts no edit
    EXPECT_TRUE(grid.edits.empty());
    grid.SendMessage(WM_CHAR, 'x');
    grid.SetMouseMode(GRIDMOUSE_SELECT_CELLS);
    grid.SendMessage(WM_CHAR, 'y');
    grid.SetMouseMode(GRIDMOUSE_NOTHING);
    AfxTestSetKeyState(VK_CONTROL, TRUE);
    grid.SendMessage(WM_CHAR, 'z');
    AfxTestClearKeyState(VK_CONTROL);
    ASSERT_EQ(1u, grid.edits.size());
    EXPECT_EQ((UINT)'x', grid.edits[0].nChar);

    // Without the Tab handling a Tab character starts an edit too.
    grid.edits.clear();
    grid.SetHandleTabKey(FALSE);
    grid.SendMessage(WM_CHAR, VK_TAB);
    ASSERT_EQ(1u, grid.edits.size());
    EXPECT_EQ((UINT)VK_TAB, grid.edits[0].nChar);
}

TEST_F(GridKeyboardTest, PunctuationKeyEditsWithItsCharacterAndF12AsEnter)
{
    Make(4, 4);
    grid.SetFocusCell(1, 2);
    Key(VK_OEM_1);  // ';'
    ASSERT_EQ(1u, grid.edits.size());
    EXPECT_EQ((UINT)';', grid.edits[0].nChar);
    EXPECT_EQ(1, grid.edits[0].row);
    EXPECT_EQ(2, grid.edits[0].col);

    grid.edits.clear();
    Key(VK_F12);
    ASSERT_EQ(1u, grid.edits.size());
    EXPECT_EQ((UINT)VK_RETURN, grid.edits[0].nChar);
}

TEST_F(GridKeyboardTest, F2EditsAsAClickWould)
{
    Make(4, 4);
    grid.SetFocusCell(3, 1);
    Key(VK_F2);
    ASSERT_EQ(1u, grid.edits.size());
    EXPECT_EQ(3, grid.edits[0].row);
    EXPECT_EQ((UINT)VK_LBUTTON, grid.edits[0].nChar);
}

TEST_F(GridKeyboardTest, KeysWithoutAFocusCellDoNothing)
{
    Make(4, 4);
    Key(VK_DOWN);
    Key(VK_F2);
    EXPECT_TRUE(Focus() == CGridCellId(-1, -1));
    EXPECT_TRUE(grid.edits.empty());
}

TEST_F(GridKeyboardTest, CtrlASelectsAll)
{
    Make(4, 4);
    grid.SetFocusCell(2, 2);
    Key('A', MK_CONTROL);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(1, 1, 3, 3));
    EXPECT_TRUE(grid.edits.empty());
}

TEST_F(GridKeyboardTest, InsertAppendsARowInAPlainGridAndTellsTheParent)
{
    Make(4, 3);
    grid.SetFocusCell(2, 1);
    Key(VK_INSERT);
    EXPECT_EQ(5, grid.GetRowCount());
    const GridParentEntry* e = parent.Last(WM_GRID_TASKINSERTED);
    ASSERT_NE(nullptr, e);
    EXPECT_EQ((WPARAM)4, e->wParam);
    EXPECT_EQ(0, e->lParam);
}

TEST_F(GridKeyboardTest, FocusNotificationsLeaveBeforeArrive)
{
    Make(4, 4);
    grid.SetFocusCell(0, 0);
    EXPECT_FOCUS(1, 1);
    grid.SetFocusCell(0, 2);
    EXPECT_FOCUS(1, 2);
    ASSERT_EQ((std::vector<int>{GRIDN_SELCHANGED, GRIDN_SELCHANGING, GRIDN_SELCHANGED}), parent.Codes());
    EXPECT_EQ(1, parent.log[0].row);
    EXPECT_EQ(1, parent.log[0].col);
    EXPECT_EQ(1, parent.log[1].row);
    EXPECT_EQ(1, parent.log[1].col);
    EXPECT_EQ(1, parent.log[2].row);
    EXPECT_EQ(2, parent.log[2].col);
    EXPECT_EQ((WPARAM)100, parent.log[2].wParam);
    const GridNotify* p = reinterpret_cast<const GridNotify*>(parent.log[2].lParam);
    (void)p;  // the record lives only during the call; its fields were copied above
}

TEST_F(GridKeyboardTest, TimerMovesTheFocusDownOneRowPerTickWhileDraggingBelow)
{
    Make(40, 3);
    grid.SetFocusCell(2, 1);
    grid.SetSelectionStartCell(CGridCellId(2, 1));
    grid.SetMouseMode(GRIDMOUSE_SELECT_CELLS);
    CRect rc;
    grid.GetClientRect(rc);
    CPoint below(60, rc.bottom + 15);
    grid.ClientToScreen(&below);
    AfxTestSetCursorPos(below);

    grid.SendMessage(WM_TIMER, GRID_AUTOSCROLL_TIMER);
    EXPECT_FOCUS(3, 1);
    grid.SendMessage(WM_TIMER, GRID_AUTOSCROLL_TIMER);
    EXPECT_FOCUS(4, 1);
    // The selection runs from the start to the row under the bottom edge (the point is
    // clamped to the edge, which is the first pixel below the client area).
    CGridCellRange sel = grid.GetSelectedCellRange();
    EXPECT_EQ(2, sel.GetMinRow());
    EXPECT_EQ(1, sel.GetMinCol());
    EXPECT_EQ(1, sel.GetMaxCol());
    EXPECT_EQ(grid.GetCellFromPt(CPoint(60, rc.bottom)).row, sel.GetMaxRow());
    EXPECT_EQ(grid.GetVisibleNonFixedCellRange().GetMaxRow() + 1, sel.GetMaxRow());
    EXPECT_EQ(GRIDMOUSE_SELECT_CELLS, grid.GetMouseMode());
}

// ---- the end of an in-place edit ---------------------------------------------------------

namespace
{
LRESULT SendEndEdit(CGridCtrl& grid, int row, int col, LPCTSTR text, UINT nKey)
{
    GridDispInfo info;
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = IDC_GRID_INPLACE_CONTROL;
    info.hdr.code = (UINT)GRIDN_ENDLABELEDIT;
    info.item.mask = GRIDITEM_TEXT | GRIDITEM_DATA;
    info.item.row = row;
    info.item.col = col;
    info.item.szText = text;
    info.item.lParam = nKey;
    return grid.SendMessage(WM_NOTIFY, IDC_GRID_INPLACE_CONTROL, (LPARAM)&info);
}
} // namespace

TEST_F(GridKeyboardTest, EndOfEditStoresTheTextAndReportsANullTaskForARowWithoutOne)
{
    Make(4, 4);
    grid.SetFocusCell(2, 2);
    parent.log.clear();
    SendEndEdit(grid, 2, 2, _T("新文本"), 0);
    EXPECT_EQ(CString(_T("新文本")), grid.GetItemText(2, 2));
    EXPECT_TRUE(grid.GetModified(2, 2));
    ASSERT_EQ(2u, parent.log.size());
    EXPECT_EQ((UINT)WM_GRID_TASKCHANGED, parent.log[0].msg);
    EXPECT_EQ((WPARAM)0, parent.log[0].wParam);
    EXPECT_EQ(MAKELONG(2, 2), (LONG)parent.log[0].lParam);
    EXPECT_EQ((UINT)WM_NOTIFY, parent.log[1].msg);
    EXPECT_EQ(GRIDN_ENDLABELEDIT, parent.log[1].code);
    EXPECT_EQ(2, parent.log[1].row);
    EXPECT_EQ(2, parent.log[1].col);
    EXPECT_TRUE(grid.edits.empty());
}

TEST_F(GridKeyboardTest, EndOfEditCarriesTheRowsTask)
{
    Make(4, 4);
    CTaskItem* pTask = reinterpret_cast<CTaskItem*>(0x4242);
    grid.GetCell(3, 0)->SetTask(pTask);
    SendEndEdit(grid, 3, 1, _T("x"), 0);
    const GridParentEntry* e = parent.Last(WM_GRID_TASKCHANGED);
    ASSERT_NE(nullptr, e);
    EXPECT_EQ((WPARAM)pTask, e->wParam);
    EXPECT_EQ(MAKELONG(3, 1), (LONG)e->lParam);
}

TEST_F(GridKeyboardTest, UnchangedOrUnnamedRowEditSendsNoTaskChange)
{
    Make(4, 4);
    grid.SetItemText(1, 1, _T("same"));
    SendEndEdit(grid, 1, 1, _T("same"), 0);
    EXPECT_EQ(0, parent.Count(WM_GRID_TASKCHANGED));
    EXPECT_EQ((std::vector<int>{GRIDN_ENDLABELEDIT}), parent.Codes());

    grid.GetCell(2, 0)->SetRowState(GRIDROW_UNNAMED);
    SendEndEdit(grid, 2, 3, _T("silent"), 0);
    EXPECT_EQ(CString(_T("silent")), grid.GetItemText(2, 3));
    EXPECT_EQ(0, parent.Count(WM_GRID_TASKCHANGED));

    // An edit of a cell outside the grid stores nothing and reports nothing.
    SendEndEdit(grid, 9, 1, _T("lost"), 0);
    EXPECT_EQ(0, parent.Count(WM_GRID_TASKCHANGED));
}

TEST_F(GridKeyboardTest, EndOfEditByTabMovesOnAndEditsTheNextCell)
{
    Make(4, 4);
    grid.SetFocusCell(1, 3);
    SendEndEdit(grid, 1, 3, _T("t"), VK_TAB);
    EXPECT_FOCUS(2, 1);
    ASSERT_EQ(1u, grid.edits.size());
    EXPECT_EQ(2, grid.edits[0].row);
    EXPECT_EQ(1, grid.edits[0].col);
    EXPECT_EQ((UINT)VK_TAB, grid.edits[0].nChar);

    grid.edits.clear();
    SendEndEdit(grid, 2, 1, _T("d"), VK_DOWN);
    EXPECT_FOCUS(3, 1);
    ASSERT_EQ(1u, grid.edits.size());
    EXPECT_EQ((UINT)VK_DOWN, grid.edits[0].nChar);

    // Enter ends the edit without moving.
    grid.edits.clear();
    SendEndEdit(grid, 3, 1, _T("e"), VK_RETURN);
    EXPECT_FOCUS(3, 1);
    EXPECT_TRUE(grid.edits.empty());
}

TEST_F(GridKeyboardTest, CaptureGoingElsewhereEndsADrag)
{
    Make(4, 4);
    grid.SetMouseMode(GRIDMOUSE_DRAGGING);
    grid.SendMessage(WM_CAPTURECHANGED, 0, (LPARAM)grid.GetSafeHwnd());
    EXPECT_EQ(GRIDMOUSE_DRAGGING, grid.GetMouseMode());
    grid.SendMessage(WM_CAPTURECHANGED, 0, (LPARAM)parent.GetSafeHwnd());
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
    // Other modes are left to the button release.
    grid.SetMouseMode(GRIDMOUSE_SELECT_CELLS);
    grid.SendMessage(WM_CAPTURECHANGED, 0, (LPARAM)parent.GetSafeHwnd());
    EXPECT_EQ(GRIDMOUSE_SELECT_CELLS, grid.GetMouseMode());
}

TEST_F(GridKeyboardTest, TimerMovesTheFocusUpAndLeftWhileDraggingAboveAndLeft)
{
    Make(40, 8);
    grid.SetFocusCell(5, 4);
    grid.SetSelectionStartCell(CGridCellId(5, 4));
    grid.SetMouseMode(GRIDMOUSE_SELECT_CELLS);
    CPoint corner(-10, -10);  // above the headings and left of the row headings
    grid.ClientToScreen(&corner);
    AfxTestSetCursorPos(corner);

    grid.SendMessage(WM_TIMER, GRID_AUTOSCROLL_TIMER);
    EXPECT_FOCUS(4, 3);

    // To the right and below: down and right.
    CRect rc;
    grid.GetClientRect(rc);
    CPoint beyond(rc.right + 10, rc.bottom + 10);
    grid.ClientToScreen(&beyond);
    AfxTestSetCursorPos(beyond);
    grid.SendMessage(WM_TIMER, GRID_AUTOSCROLL_TIMER);
    EXPECT_FOCUS(5, 4);
}
