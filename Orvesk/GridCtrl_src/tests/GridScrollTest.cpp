// Scrolling, the wheel, cell geometry, the font and the system colours of a live grid.
#include "GridTestUtil.h"

#include <ClassLib/Registry/Registry.h>

#include <numeric>

namespace
{
class GridScrollTest : public GridWndTest
{
protected:
    void Make(int rows, int cols, int fixedRows = 1, int fixedCols = 1, BOOL bTask = FALSE)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(fixedRows);
        grid.SetFixedColumnCount(fixedCols);
        grid.SetTaskGrid(bTask);
        CreateGrid();
        for (int col = 0; col < cols; col++)
            grid.SetColumnWidth(col, 40);
        for (int row = 0; row < rows; row++)
            grid.SetRowHeight(row, 20);
        grid.UpdateScrollBars();
    }
    void Pump() { AfxPumpMessages(); }
};

void SetWheelSetting(const char* value)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKey(HKEY_CURRENT_USER, _T("Control Panel\\Desktop"), &hKey));
    if (value)
        ::RegSetValueEx(hKey, _T("WheelScrollLines"), 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
    else
        ::RegDeleteValue(hKey, _T("WheelScrollLines"));
    ::RegCloseKey(hKey);
}
} // namespace

TEST_F(GridScrollTest, VerticalRangeIsTwentyPixelsPerRow)
{
    Make(50, 3);
    for (int row = 0; row < 50; row++)
        grid.SetRowHeight(row, 33);
    grid.UpdateScrollBars();
    int nMin = -1, nMax = -1;
    grid.GetScrollRange(SB_VERT, &nMin, &nMax);
    EXPECT_EQ(0, nMin);
    EXPECT_EQ(1000, nMax);
    EXPECT_EQ(1000, grid.GetVScrollMax());
}

TEST_F(GridScrollTest, TaskGridNeverShowsAVerticalBar)
{
    Make(200, 3, 1, 1, TRUE);
    EXPECT_FALSE(grid.GetStyle() & WS_VSCROLL);
    CRect rc;
    grid.GetClientRect(rc);
    EXPECT_EQ(400, rc.Width());
    int nMin = -1, nMax = -1;
    grid.GetScrollRange(SB_VERT, &nMin, &nMax);
    EXPECT_EQ(4000, nMax);

    // A plain grid of the same size does show one.
    CGridTestParent parent2;
    CGridCtrl plain(200, 3, 1, 1);
    ASSERT_TRUE(parent2.CreateEx(0, AFX_WND_CLASS, "frame2", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                 nullptr));
    ASSERT_TRUE(plain.Create(CRect(0, 0, 400, 300), &parent2, 101));
    plain.UpdateScrollBars();
    EXPECT_TRUE(plain.GetStyle() & WS_VSCROLL);
    plain.DestroyWindow();
    parent2.DestroyWindow();
}

TEST_F(GridScrollTest, WheelPostsLineScrolls)
{
    Make(60, 3);
    AfxTestFocus(&grid);
    grid.SetWheelScrollLines(3);
    grid.vscrolls.clear();
    AfxTestWheel(&grid, CPoint(50, 50), -120);
    Pump();
    EXPECT_EQ((std::vector<UINT>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN}), grid.vscrolls);

    grid.vscrolls.clear();
    AfxTestWheel(&grid, CPoint(50, 50), 240);
    Pump();
    EXPECT_EQ(std::vector<UINT>(6, SB_LINEUP), grid.vscrolls);
}

TEST_F(GridScrollTest, WheelInPageModePostsPageScrolls)
{
    Make(60, 3);
    AfxTestFocus(&grid);
    grid.SetWheelScrollLines(-1);
    grid.vscrolls.clear();
    AfxTestWheel(&grid, CPoint(50, 50), -120);
    Pump();
    EXPECT_EQ((std::vector<UINT>{SB_PAGEDOWN}), grid.vscrolls);

    grid.vscrolls.clear();
    AfxTestWheel(&grid, CPoint(50, 50), 360);
    Pump();
    EXPECT_EQ(std::vector<UINT>(3, SB_PAGEUP), grid.vscrolls);
}

TEST_F(GridScrollTest, WheelNeverPostsMoreLinesThanRows)
{
    Make(10, 3);
    AfxTestFocus(&grid);
    grid.SetWheelScrollLines(1000000);
    grid.vscrolls.clear();
    AfxTestWheel(&grid, CPoint(50, 50), -120);
    Pump();
    EXPECT_EQ(std::vector<UINT>(10, SB_LINEDOWN), grid.vscrolls);

    grid.SetWheelScrollLines(0);
    grid.vscrolls.clear();
    AfxTestWheel(&grid, CPoint(50, 50), -120);
    Pump();
    EXPECT_TRUE(grid.vscrolls.empty());
}

TEST(GridWheelSetting, ReadFromTheDesktopSettings)
{
    AfxTestSetRegistryFile("");
    SetWheelSetting("5");
    EXPECT_EQ(5, CGridCtrl().GetWheelScrollLines());
    SetWheelSetting("-1");
    EXPECT_EQ(-1, CGridCtrl().GetWheelScrollLines());
    SetWheelSetting("4294967295");
    EXPECT_EQ(-1, CGridCtrl().GetWheelScrollLines());
    SetWheelSetting("abc");
    EXPECT_EQ(3, CGridCtrl().GetWheelScrollLines());
    SetWheelSetting(nullptr);
    EXPECT_EQ(3, CGridCtrl().GetWheelScrollLines());
    std::string longValue(300, '7');
    SetWheelSetting(longValue.c_str());
    EXPECT_EQ(3, CGridCtrl().GetWheelScrollLines());
    AfxTestSetRegistryFile("");
}

TEST_F(GridScrollTest, LineDownStepsOverHiddenRows)
{
    Make(30, 3);
    grid.SetRowHeight(1, 0);
    grid.SetRowHeight(2, 0);
    grid.SetRowHeight(3, 0);
    ASSERT_EQ(1, grid.GetTopleftNonFixedCell().row);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(20, grid.GetScrollPos32(SB_VERT));
    EXPECT_EQ(5, grid.GetTopleftNonFixedCell().row);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(6, grid.GetTopleftNonFixedCell().row);
    grid.SendMessage(WM_VSCROLL, SB_LINEUP);
    grid.SendMessage(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));
    grid.SendMessage(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));
}

TEST_F(GridScrollTest, TopBottomAndPages)
{
    Make(100, 3);
    grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
    int nBottom = grid.GetScrollPos32(SB_VERT);
    EXPECT_GT(nBottom, 1500);
    EXPECT_EQ(99, grid.GetVisibleNonFixedCellRange().GetMaxRow());
    grid.SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));
    grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    CRect rc;
    grid.GetClientRect(rc);
    EXPECT_EQ(rc.Height() - 20, grid.GetScrollPos32(SB_VERT));
    grid.SendMessage(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));
}

TEST_F(GridScrollTest, HorizontalLinesFollowColumnWidths)
{
    Make(5, 30);
    grid.SetColumnWidth(1, 0);
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(40, grid.GetScrollPos32(SB_HORZ));
    EXPECT_EQ(3, grid.GetTopleftNonFixedCell().col);
    grid.SendMessage(WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ(29, grid.GetVisibleNonFixedCellRange().GetMaxCol());
    grid.SendMessage(WM_HSCROLL, SB_LEFT);
    EXPECT_EQ(0, grid.GetScrollPos32(SB_HORZ));
}

TEST_F(GridScrollTest, HorizontalPagesGoByTheScrollingWidth)
{
    Make(5, 40);
    CRect rc;
    grid.GetClientRect(rc);
    ASSERT_NE(rc.Width(), rc.Height());
    grid.SendMessage(WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_EQ(rc.Width() - 40, grid.GetScrollPos32(SB_HORZ));  // less the fixed column
    grid.SendMessage(WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_EQ(2 * (rc.Width() - 40), grid.GetScrollPos32(SB_HORZ));
    grid.SendMessage(WM_HSCROLL, SB_PAGELEFT);
    EXPECT_EQ(rc.Width() - 40, grid.GetScrollPos32(SB_HORZ));
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));
}

TEST_F(GridScrollTest, ALineBackFromHiddenRowsAndColumnsGoesToTheShownOneBefore)
{
    Make(30, 30);
    grid.SetRowHeight(4, 0);
    grid.SetRowHeight(5, 0);
    grid.SetColumnWidth(4, 0);
    grid.SetColumnWidth(5, 0);
    grid.SetScrollPos32(SB_VERT, 60);  // rows 1 to 3 above: the hidden row 4 at the top
    grid.SetScrollPos32(SB_HORZ, 120);
    ASSERT_EQ(4, grid.GetTopleftNonFixedCell().row);
    ASSERT_EQ(4, grid.GetTopleftNonFixedCell().col);
    grid.SendMessage(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(40, grid.GetScrollPos32(SB_VERT));
    EXPECT_EQ(3, grid.GetTopleftNonFixedCell().row);
    grid.SendMessage(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(80, grid.GetScrollPos32(SB_HORZ));
    EXPECT_EQ(3, grid.GetTopleftNonFixedCell().col);
    // Forwards, the hidden ones are stepped over.
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(120, grid.GetScrollPos32(SB_HORZ));
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(160, grid.GetScrollPos32(SB_HORZ));
    EXPECT_EQ(7, grid.GetTopleftNonFixedCell().col);
}

TEST_F(GridScrollTest, TaskGridThumbFromTheChartIsAShareOfTheRange)
{
    Make(101, 3, 1, 1, TRUE);
    grid.VScrollSync(SB_THUMBTRACK, 50, nullptr, FALSE);
    // 50 of 100 of the range 0..2020, on a 20-pixel row.
    EXPECT_EQ(1010, grid.GetScrollPos32(SB_VERT));
    grid.VScrollSync(SB_THUMBTRACK, 0, nullptr, FALSE);
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));
    // Far beyond the range: the position stays inside it.
    grid.VScrollSync(SB_THUMBTRACK, 60000, nullptr, FALSE);
    EXPECT_LE(grid.GetScrollPos32(SB_VERT), 2020);
    EXPECT_GE(grid.GetScrollPos32(SB_VERT), 0);
}

TEST_F(GridScrollTest, PlainGridThumbTracksPixels)
{
    Make(100, 3);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    si.nPos = 0;
    grid.SetScrollInfo(SB_VERT, &si);
    // The grid's own bar reports its tracking position; without a drag it is the position.
    grid.SetScrollPos32(SB_VERT, 300);
    grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 12), 0);
    EXPECT_EQ(300, grid.GetScrollPos32(SB_VERT));
    EXPECT_EQ(16, grid.GetTopleftNonFixedCell().row);
}

TEST_F(GridScrollTest, CellGeometry)
{
    Make(20, 20, 1, 2);
    CRect rc;
    ASSERT_TRUE(grid.GetCellRect(1, 2, rc));
    EXPECT_TRUE(rc == CRect(80, 20, 119, 39));
    ASSERT_TRUE(grid.GetCellRect(0, 0, rc));
    EXPECT_TRUE(rc == CRect(0, 0, 39, 19));
    EXPECT_TRUE(grid.GetCellRangeRect(CGridCellRange(1, 2, 2, 3), rc));
    EXPECT_TRUE(rc == CRect(80, 20, 159, 59));

    EXPECT_TRUE(grid.GetCellFromPt(CPoint(85, 25)) == CGridCellId(1, 2));
    EXPECT_TRUE(grid.GetCellFromPt(CPoint(79, 19)) == CGridCellId(0, 1));
    EXPECT_TRUE(grid.GetCellFromPt(CPoint(30, 30), FALSE) == CGridCellId(1, -1));
    EXPECT_TRUE(grid.GetCellFromPt(CPoint(30, 10), FALSE) == CGridCellId(-1, -1));
    EXPECT_TRUE(grid.GetCellFromPt(CPoint(-1, 30)) == CGridCellId(1, -1));
    EXPECT_EQ(CPoint(5, 6), grid.GetPointClicked(1, 2, CPoint(85, 26)));

    // Scroll two columns and a row away.
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_TRUE(grid.GetTopleftNonFixedCell() == CGridCellId(2, 4));
    EXPECT_FALSE(grid.GetCellRect(1, 2, rc));
    EXPECT_FALSE(grid.IsCellVisible(1, 3));
    EXPECT_TRUE(grid.IsCellVisible(0, 0));
    EXPECT_TRUE(grid.IsCellVisible(0, 4));
    EXPECT_EQ(CPoint(0, 0), grid.GetPointClicked(1, 2, CPoint(85, 26)));
    ASSERT_TRUE(grid.GetCellRect(2, 4, rc));
    EXPECT_TRUE(rc == CRect(80, 20, 119, 39));
    ASSERT_TRUE(grid.GetCellRect(0, 4, rc));
    EXPECT_TRUE(rc == CRect(80, 0, 119, 19));
    ASSERT_TRUE(grid.GetCellRect(2, 1, rc));
    EXPECT_TRUE(rc == CRect(40, 20, 79, 39));
    EXPECT_TRUE(grid.GetCellFromPt(CPoint(85, 25)) == CGridCellId(2, 4));
}

TEST_F(GridScrollTest, PointRightOfTheLastColumnMapsToMinusOne)
{
    Make(3, 3);
    EXPECT_EQ(-1, grid.GetCellFromPt(CPoint(125, 25)).col);
    EXPECT_EQ(2, grid.GetCellFromPt(CPoint(119, 25)).col);
    EXPECT_EQ(-1, grid.GetCellFromPt(CPoint(50, 65)).row);
    CRect rcVis;
    CGridCellRange range = grid.GetVisibleNonFixedCellRange(rcVis);
    EXPECT_TRUE(range == CGridCellRange(1, 1, 2, 2));
    EXPECT_TRUE(rcVis == CRect(0, 0, 120, 60));
    EXPECT_FALSE(grid.IsCellVisible(3, 0));
}

TEST_F(GridScrollTest, EnsureVisibleScrollsTheCellIntoView)
{
    Make(100, 30);
    grid.EnsureVisible(60, 20);
    EXPECT_TRUE(grid.IsCellVisible(60, 20));
    CRect rcCell, rcClient;
    ASSERT_TRUE(grid.GetCellRect(60, 20, rcCell));
    grid.GetClientRect(rcClient);
    EXPECT_LE(rcCell.bottom, rcClient.bottom);
    EXPECT_LE(rcCell.right, rcClient.right);
    grid.EnsureVisible(1, 1);
    EXPECT_TRUE(grid.GetTopleftNonFixedCell() == CGridCellId(1, 1));
}

TEST_F(GridScrollTest, ResizeAreas)
{
    Make(5, 5);
    CPoint p(20, 39);  // bottom of row 1, in the fixed column
    EXPECT_TRUE(grid.MouseOverRowResizeArea(p));
    p = CPoint(20, 30);
    EXPECT_FALSE(grid.MouseOverRowResizeArea(p));
    p = CPoint(50, 39);  // not in the fixed column
    EXPECT_FALSE(grid.MouseOverRowResizeArea(p));
    p = CPoint(20, 1);  // top of row 0 does not count
    EXPECT_FALSE(grid.MouseOverRowResizeArea(p));
    p = CPoint(79, 10);
    EXPECT_TRUE(grid.MouseOverColumnResizeArea(p));
    p = CPoint(1, 10);
    EXPECT_FALSE(grid.MouseOverColumnResizeArea(p));
    p = CPoint(82, 10);
    EXPECT_TRUE(grid.MouseOverColumnResizeArea(p));
}

TEST_F(GridScrollTest, SmallFontStillGivesTheMinimumCellSize)
{
    Make(3, 3);
    LOGFONT lf{};
    lf.lfHeight = -4;
    lf.lfCharSet = GB2312_CHARSET;
    CFont font;
    font.CreateFontIndirect(&lf);
    grid.SetFont(&font);
    EXPECT_EQ(20, grid.GetDefCellHeight());
    EXPECT_EQ(100, grid.GetDefCellWidth());
    EXPECT_EQ(-4, grid.GetLogFont()->lfHeight);
    EXPECT_EQ(-4, grid.GetItemFont(2, 2)->lfHeight);
    EXPECT_GT(grid.GetBlankWidth(), 0);
}

TEST_F(GridScrollTest, InsertedRowIsTwentyPixelsWhateverTheDefaultHeight)
{
    Make(3, 3);
    LOGFONT lf{};
    lf.lfHeight = -40;
    CFont font;
    font.CreateFontIndirect(&lf);
    grid.SetFont(&font);
    ASSERT_GT(grid.GetDefCellHeight(), 20);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.GetDefCellHeight(), grid.GetRowHeight(3));
    int nRow = grid.InsertRow(_T("x"), -1);
    EXPECT_EQ(20, grid.GetRowHeight(nRow));
    nRow = grid.InsertRow(_T("y"), 1);
    EXPECT_EQ(20, grid.GetRowHeight(nRow));
}

TEST_F(GridScrollTest, SystemColourChangeKeepsOwnColours)
{
    Make(3, 3);
    grid.SetTextBkColor(RGB(1, 2, 3));
    INT elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE};
    COLORREF colours[] = {RGB(250, 250, 240), RGB(10, 20, 30), RGB(200, 190, 180)};
    ::SetSysColors(3, elements, colours);
    grid.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(RGB(1, 2, 3), grid.GetTextBkColor());
    EXPECT_EQ(RGB(10, 20, 30), grid.GetTextColor());
    EXPECT_EQ(RGB(10, 20, 30), grid.GetFixedTextColor());
    EXPECT_EQ(RGB(200, 190, 180), grid.GetFixedBkColor());

    // The new system colours are remembered: a further change follows them again.
    COLORREF colours2[] = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(212, 208, 200)};
    ::SetSysColors(3, elements, colours2);
    grid.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(RGB(0, 0, 0), grid.GetTextColor());
    EXPECT_EQ(RGB(212, 208, 200), grid.GetFixedBkColor());
    EXPECT_EQ(RGB(1, 2, 3), grid.GetTextBkColor());
}

TEST_F(GridScrollTest, ExpandColumnsToFitSpreadsTheDifference)
{
    Make(3, 3);
    grid.SetColumnWidth(0, 41);
    grid.ExpandColumnsToFit();
    CRect rc;
    grid.GetClientRect(rc);
    int total = grid.GetColumnWidth(0) + grid.GetColumnWidth(1) + grid.GetColumnWidth(2);
    EXPECT_EQ(rc.Width(), total);
    int diff = rc.Width() - 121;
    EXPECT_EQ(41 + diff / 3 + (diff % 3 > 0 ? 1 : 0), grid.GetColumnWidth(0));
    EXPECT_EQ(40 + diff / 3 + (diff % 3 > 1 ? 1 : 0), grid.GetColumnWidth(1));
    EXPECT_EQ(40 + diff / 3, grid.GetColumnWidth(2));
}

TEST_F(GridScrollTest, ExpandRowsToFitNeverMakesNegativeHeights)
{
    Make(40, 3);
    for (int row = 0; row < 40; row++)
        grid.SetRowHeight(row, 1);
    grid.SetRowHeight(0, 500);
    grid.ExpandRowsToFit();
    for (int row = 0; row < 40; row++)
        EXPECT_GE(grid.GetRowHeight(row), 0) << row;
}

TEST_F(GridScrollTest, AutoSizeColumnTakesTheWidestCell)
{
    Make(4, 3);
    grid.SetItemText(1, 1, _T("短"));
    grid.SetItemText(2, 1, _T("一个很长很长的文本"));
    grid.SetItemText(3, 1, _T("中等长度"));
    CDC* pDC = grid.GetDC();
    int nWidest = 0;
    for (int row = 0; row < 4; row++)
        nWidest = max(nWidest, (int)grid.GetCell(row, 1)->GetCellExtent(pDC).cx);
    grid.ReleaseDC(pDC);
    EXPECT_TRUE(grid.AutoSizeColumn(1));
    EXPECT_EQ(nWidest, grid.GetColumnWidth(1));
    EXPECT_GT(nWidest, 40);

    grid.SetColumnWidth(2, 0);
    EXPECT_FALSE(grid.AutoSizeColumn(2));
    EXPECT_EQ(0, grid.GetColumnWidth(2));
}

TEST_F(GridScrollTest, CursorByMouseModeAndCell)
{
    Make(5, 5);
    LPARAM lClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    grid.SetMouseMode(GRIDMOUSE_OVER_ROW_BORDER);
    grid.SendMessage(WM_SETCURSOR, (WPARAM)grid.GetSafeHwnd(), lClient);
    EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZENS), ::GetCursor());
    grid.SetMouseMode(GRIDMOUSE_OVER_COL_BORDER);
    grid.SendMessage(WM_SETCURSOR, (WPARAM)grid.GetSafeHwnd(), lClient);
    EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZEWE), ::GetCursor());
    // While dragging the cursor is left as it is.
    grid.SetMouseMode(GRIDMOUSE_DRAGGING);
    grid.SendMessage(WM_SETCURSOR, (WPARAM)grid.GetSafeHwnd(), lClient);
    EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZEWE), ::GetCursor());
    // At rest the cell under the cursor chooses: a text cell the arrow.
    grid.SetMouseMode(GRIDMOUSE_NOTHING);
    CPoint pt(60, 30);
    grid.ClientToScreen(&pt);
    AfxTestSetCursorPos(pt);
    grid.SendMessage(WM_SETCURSOR, (WPARAM)grid.GetSafeHwnd(), lClient);
    EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), ::GetCursor());
}
