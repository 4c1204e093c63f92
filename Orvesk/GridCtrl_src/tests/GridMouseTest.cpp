// The mouse: header sorting, clicks and their notifications, Ctrl+click, column and row
// resizing, the right-click menu and its exact texts.
#include "GridTestUtil.h"
#include <ClassLib/Testing/UiScripts.h>
#include "GridTestTreeCell.h"

#include <ClassLib/Controls/ControlStyles.h>
#include <ClassLib/Menus/CMenu.h>
#include <ClassLib/Testing/DrawLog.h>

#include <map>
#include <string>

namespace
{
// The pop-up menus shown so far: item texts, "-" for a separator, "text>" for a pop-up.
std::vector<std::vector<std::string>> PopupsShown()
{
    std::vector<std::vector<std::string>> v;
    for (const AfxPopupRecord& r : AfxTestPopupLog())
    {
        std::vector<std::string> items;
        for (const CString& text : r.items)
            items.push_back((LPCTSTR)text);
        v.push_back(items);
    }
    return v;
}

// A parent that also logs the commands it gets.
class CCommandParent : public CGridTestParent
{
public:
    std::vector<WPARAM> commands;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commands.push_back(wParam);
        return CGridTestParent::WindowProc(message, wParam, lParam);
    }
};

class GridMouseTest : public CWndTestBase
{
protected:
    CCommandParent parent;
    CLoggingGrid grid;

    void Make(int rows, int cols)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        ASSERT_TRUE(parent.CreateEx(0, AFX_WND_CLASS, "frame", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                    nullptr, nullptr));
        ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &parent, 100, WS_CHILD | WS_VISIBLE));
        for (int col = 0; col < cols; col++)
            grid.SetColumnWidth(col, 40);
        AfxTestFocus(&grid);
        parent.log.clear();
        AfxTestResetScripts();
    }

    // The centre of a cell (all rows 20 high, all columns 40 wide).
    static CPoint Centre(int row, int col) { return CPoint(col * 40 + 20, row * 20 + 10); }

    std::vector<std::string> Column(int col)
    {
        std::vector<std::string> v;
        for (int row = 1; row < grid.GetRowCount(); row++)
            v.push_back((LPCTSTR)grid.GetItemText(row, col));
        return v;
    }

    void TearDown() override
    {
        AfxTestResetScripts();
        if (grid.GetSafeHwnd())
            grid.DestroyWindow();
        if (parent.GetSafeHwnd())
            parent.DestroyWindow();
        CWndTestBase::TearDown();
    }
};
} // namespace

TEST_F(GridMouseTest, HeaderClickSortsAndASecondClickReverses)
{
    Make(5, 3);
    grid.SetHeaderSort(TRUE);
    const char* texts[] = {"b", "d", "a", "c"};
    for (int i = 0; i < 4; i++)
        grid.SetItemText(i + 1, 1, texts[i]);

    AfxTestClick(&grid, Centre(0, 1));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), Column(1));
    EXPECT_EQ(1, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_FALSE(grid.IsSorting());

    AfxTestClick(&grid, Centre(0, 1));
    EXPECT_EQ((std::vector<std::string>{"d", "c", "b", "a"}), Column(1));
    EXPECT_FALSE(grid.GetSortAscending());

    // Another header sorts ascending again.
    const char* second[] = {"3", "1", "4", "2"};
    for (int i = 0; i < 4; i++)
        grid.SetItemText(i + 1, 2, second[i]);
    AfxTestClick(&grid, Centre(0, 2));
    EXPECT_EQ(2, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3", "4"}), Column(2));
}

TEST_F(GridMouseTest, HeaderWithDataValueSortsNumbers)
{
    Make(4, 2);
    grid.SetHeaderSort(TRUE);
    grid.SetItemText(1, 1, "9");
    grid.SetItemText(2, 1, "10");
    grid.SetItemText(3, 1, "2");
    grid.SetItemData(0, 1, 1);
    AfxTestClick(&grid, Centre(0, 1));
    EXPECT_EQ((std::vector<std::string>{"2", "9", "10"}), Column(1));

    grid.SetItemData(0, 1, 0);
    grid.SetSortColumn(-1);
    AfxTestClick(&grid, Centre(0, 1));
    EXPECT_EQ((std::vector<std::string>{"10", "2", "9"}), Column(1));
}

TEST_F(GridMouseTest, HeaderClickWithoutHeaderSortLeavesTheOrder)
{
    Make(4, 2);
    grid.SetItemText(1, 1, "b");
    grid.SetItemText(2, 1, "a");
    grid.SetItemText(3, 1, "c");
    AfxTestClick(&grid, Centre(0, 1));
    EXPECT_EQ((std::vector<std::string>{"b", "a", "c"}), Column(1));
}

TEST_F(GridMouseTest, ClickMovesTheFocusAndNotifiesTheOwner)
{
    Make(4, 4);
    AfxTestClick(&grid, Centre(2, 3));
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(2, 3));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 3, 2, 3));
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
    EXPECT_FALSE(grid.IsLeftButtonDown());
    const GridParentEntry* pClick = nullptr;
    for (const auto& e : parent.log)
        if (e.msg == WM_NOTIFY && e.code == GRIDN_CLICK)
            pClick = &e;
    ASSERT_TRUE(pClick);
    EXPECT_EQ(2, pClick->row);
    EXPECT_EQ(3, pClick->col);
    // The button click reaches the owner once the posted command is delivered.
    AfxPumpMessages();
    ASSERT_EQ(1u, parent.commands.size());
    EXPECT_EQ(MAKEWPARAM(100, BN_CLICKED), parent.commands[0]);
}

TEST_F(GridMouseTest, ShiftClickExtendsFromTheFocusCell)
{
    Make(5, 5);
    AfxTestClick(&grid, Centre(1, 1));
    AfxTestClick(&grid, Centre(3, 2), AFX_TEST_LEFT, MK_SHIFT);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(1, 1, 3, 2));
    EXPECT_EQ(6, grid.GetSelectedCount());
}

TEST_F(GridMouseTest, CtrlClickOnASelectedCellDeselectsJustThatCell)
{
    Make(4, 4);
    grid.SetFocusCell(1, 1);
    grid.SetSelectedRange(1, 1, 2, 2);
    AfxTestClick(&grid, Centre(2, 2), AFX_TEST_LEFT, MK_CONTROL);
    EXPECT_FALSE(grid.IsCellSelected(2, 2));
    EXPECT_TRUE(grid.IsCellSelected(1, 1));
    EXPECT_TRUE(grid.IsCellSelected(1, 2));
    EXPECT_TRUE(grid.IsCellSelected(2, 1));
    EXPECT_EQ(3, grid.GetSelectedCount());
}

TEST_F(GridMouseTest, RowHeaderClickSelectsTheRow)
{
    Make(4, 4);
    AfxTestClick(&grid, Centre(2, 0));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(2, 1, 2, 3));
}

TEST_F(GridMouseTest, DraggingAColumnBorderSetsTheWidth)
{
    Make(3, 4);
    // The border between columns 1 and 2 lies at x = 80.
    AfxTestDrag(&grid, CPoint(79, 10), CPoint(100, 10));
    EXPECT_EQ(60, grid.GetColumnWidth(1));
    EXPECT_EQ(40, grid.GetColumnWidth(2));
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
}

TEST_F(GridMouseTest, AColumnResizeReleasedWhereItStartedChangesNothing)
{
    Make(3, 4);
    AfxTestClick(&grid, CPoint(79, 10));
    EXPECT_EQ(40, grid.GetColumnWidth(1));
    // A press just right of a border sizes the column to its left.
    AfxTestDrag(&grid, CPoint(81, 10), CPoint(70, 10));
    EXPECT_EQ(30, grid.GetColumnWidth(1));
    EXPECT_EQ(40, grid.GetColumnWidth(2));
}

TEST_F(GridMouseTest, RowResizeWithoutATreeSizesThePressedRow)
{
    Make(5, 2);  // fewer than three columns: no tree column
    AfxTestDrag(&grid, CPoint(10, 59), CPoint(10, 75));  // bottom border of row 2
    EXPECT_EQ(35, grid.GetRowHeight(2));
    EXPECT_EQ(20, grid.GetRowHeight(1));
}

TEST_F(GridMouseTest, RowResizeOnAPlainThirdColumnSizesThePressedRow)
{
    Make(5, 4);
    AfxTestDrag(&grid, CPoint(10, 39), CPoint(10, 30));  // bottom border of row 1
    EXPECT_EQ(10, grid.GetRowHeight(1));
}

TEST_F(GridMouseTest, RowResizeInATreeSizesTheNearestViewableRowAbove)
{
    Make(5, 4);
    MakeTreeCell(grid, 1, 1, TRUE);
    MakeTreeCell(grid, 2, 2, FALSE);
    MakeTreeCell(grid, 3, 2, FALSE);
    AfxTestDrag(&grid, CPoint(10, 79), CPoint(10, 90));  // bottom border of row 3
    EXPECT_EQ(70, grid.GetRowHeight(1));  // 90 - origin of row 1 (20)
    EXPECT_EQ(20, grid.GetRowHeight(2));
    EXPECT_EQ(20, grid.GetRowHeight(3));
}

TEST_F(GridMouseTest, RowResizeInATreeNeverGoesAboveRowZero)
{
    Make(4, 4);
    MakeTreeCell(grid, 0, 1, FALSE);
    MakeTreeCell(grid, 1, 1, FALSE);
    MakeTreeCell(grid, 2, 1, FALSE);
    AfxTestDrag(&grid, CPoint(10, 59), CPoint(10, 65));  // bottom border of row 2
    EXPECT_EQ(65, grid.GetRowHeight(0));
    EXPECT_EQ(20, grid.GetRowHeight(1));
    EXPECT_EQ(20, grid.GetRowHeight(2));
}

TEST_F(GridMouseTest, RightClickInATaskGridShowsTheRowOrCellCommands)
{
    Make(5, 4);
    grid.SetTaskGrid(TRUE);
    AfxTestClick(&grid, Centre(3, 0), AFX_TEST_RIGHT);
    ASSERT_EQ(1u, PopupsShown().size());
    EXPECT_EQ((std::vector<std::string>{"新任务", "新增多个任务", "-", "删除任务", "删除多个任务"}),
              PopupsShown()[0]);
    EXPECT_EQ((UINT)TPM_RIGHTBUTTON, AfxTestPopupLog()[0].nFlags);
    EXPECT_TRUE(grid.GetRightClickCell() == CGridCellId(3, 0));

    AfxTestClick(&grid, Centre(3, 2), AFX_TEST_RIGHT);
    ASSERT_EQ(2u, PopupsShown().size());
    EXPECT_EQ((std::vector<std::string>{"剪切(&T)        Ctrl+X", "拷贝(&C)        Ctrl+C",
                                        "粘贴(&P)        Ctrl+V", "-", "任务的详细信息>", "任务删除",
                                        "任务属性", "任务分解"}),
              PopupsShown()[1]);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CGridCellRange(3, 2, 3, 2));
    // No plain right-click notification while a menu is shown.
    for (const auto& e : parent.log)
        EXPECT_FALSE(e.msg == WM_NOTIFY && e.code == GRIDN_RCLICK);
}

TEST_F(GridMouseTest, ACommandChosenFromTheMenuReachesTheGrid)
{
    Make(4, 4);
    grid.SetTaskGrid(TRUE);
    AfxTestPushPopupMenuResult(20024);  // 新任务
    AfxTestClick(&grid, Centre(2, 0), AFX_TEST_RIGHT);
    AfxPumpMessages();
    EXPECT_EQ(5, grid.GetRowCount());
    const GridParentEntry* pInserted = parent.Last(WM_GRID_TASKINSERTED);
    ASSERT_TRUE(pInserted);
    EXPECT_EQ((WPARAM)2, pInserted->wParam);
}

TEST_F(GridMouseTest, RightClickOnTheHeaderRowNotifiesTheOwner)
{
    Make(5, 4);
    grid.SetTaskGrid(TRUE);
    AfxTestClick(&grid, Centre(0, 2), AFX_TEST_RIGHT);
    EXPECT_TRUE(PopupsShown().empty());
    const GridParentEntry* pLast = nullptr;
    for (const auto& e : parent.log)
        if (e.msg == WM_NOTIFY && e.code == GRIDN_RCLICK)
            pLast = &e;
    ASSERT_TRUE(pLast);
    EXPECT_EQ(0, pLast->row);
    EXPECT_EQ(2, pLast->col);
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(1, 2));
}

TEST_F(GridMouseTest, RightClickOutsideTheCellsNotifiesWithNoCell)
{
    Make(3, 3);
    AfxTestClick(&grid, CPoint(390, 290), AFX_TEST_RIGHT);
    ASSERT_FALSE(parent.log.empty());
    const GridParentEntry& e = parent.log.back();
    EXPECT_EQ(GRIDN_RCLICK, e.code);
    EXPECT_EQ(-1, e.row);
    EXPECT_EQ(-1, e.col);
}

TEST_F(GridMouseTest, ReleaseInColumnZeroOfASelectedRowArmsARowMove)
{
    Make(5, 4);
    grid.EnableDragAndDrop(TRUE);
    AfxTestClick(&grid, Centre(2, 0));
    EXPECT_EQ(GRIDMOUSE_ROWMOVE_ARMED, grid.GetMouseMode());
    EXPECT_EQ(1, grid.GetRowMoveState());
    EXPECT_EQ(2, grid.GetRowMoveSource());
    EXPECT_TRUE(grid.IsRowMovePending());
    // A press on another row cancels it.
    AfxTestClick(&grid, Centre(3, 2));
    EXPECT_EQ(0, grid.GetRowMoveState());
    EXPECT_EQ(-1, grid.GetRowMoveSource());
    EXPECT_FALSE(grid.IsRowMovePending());
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
}

TEST_F(GridMouseTest, NoRowMoveWithoutRowDrag)
{
    Make(5, 4);
    AfxTestClick(&grid, Centre(2, 0));
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
    EXPECT_EQ(0, grid.GetRowMoveState());
}

TEST_F(GridMouseTest, DragImageIsTheFocusCellWithItsCornerAsHotSpot)
{
    Make(3, 3);
    EXPECT_EQ(nullptr, grid.CreateDragImage(nullptr));
    grid.SetFocusCell(1, 2);
    grid.SetColumnWidth(2, 55);
    CPoint hot;
    std::unique_ptr<CImageList> pImage(grid.CreateDragImage(&hot));
    ASSERT_TRUE(pImage);
    EXPECT_EQ(1, pImage->GetImageCount());
    EXPECT_EQ(CPoint(55, 20), hot);
}

TEST_F(GridMouseTest, TheResizeBandFollowsTheMouseAndIsErased)
{
    Make(3, 4);
    CDrawRecorder recorder(&grid);
    AfxTestMouseDown(&grid, CPoint(79, 10));
    AfxTestMouseMove(&grid, CPoint(90, 10), MK_LBUTTON);
    AfxTestMouseMove(&grid, CPoint(100, 10), MK_LBUTTON);
    AfxTestMouseUp(&grid, CPoint(100, 10));
    AfxPumpMessages();
    // Each band is drawn once and inverted away once, at the places the mouse passed.
    std::map<int, int> inverted;
    for (const AfxDrawOp* op : recorder.OfKind(AfxDrawKind::InvertRect))
        if (op->rect.Width() == 2)
            inverted[op->rect.left]++;
    EXPECT_EQ(inverted[79], 2);
    EXPECT_EQ(inverted[90], 2);
    EXPECT_EQ(inverted[100], 2);
    EXPECT_EQ(60, grid.GetColumnWidth(1));
}
