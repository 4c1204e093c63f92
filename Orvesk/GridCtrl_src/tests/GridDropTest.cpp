// The grid as a registered drop target and as a drag source, driven through real drag
// events: the text dropped arrives byte for byte, refused drops change nothing, the keys
// choose between move and copy, and a drag near an edge scrolls the grid.
#include "GridTestUtil.h"
#include "GridDropTarget.h"

#include <ClassLib/Ole/DataObject.h>
#include <ClassLib/Ole/DropTarget.h>
#include <ClassLib/Testing/UiScripts.h>

#include <memory>
#include <string>

namespace
{
// A data source holding the given CF_TEXT bytes (with their zero byte).
std::unique_ptr<COleDataSource> TextSource(const std::string& text)
{
    std::unique_ptr<COleDataSource> pSource(new COleDataSource);
    pSource->CacheGlobalData(CF_TEXT, AfxGlobalFromBytes(text.c_str(), text.size() + 1));
    return pSource;
}

// Two GBK words: "zhong wen" and "ce shi", as their code page 936 bytes.
const char kGbkFirst[] = "\xD6\xD0\xCE\xC4";
const char kGbkSecond[] = "\xB2\xE2\xCA\xD4";

class GridDropTest : public GridWndTest
{
protected:
    void Make(int rows, int cols)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        CreateGrid();
        for (int col = 0; col < cols; col++)
            grid.SetColumnWidth(col, 40);
        for (int row = 0; row < rows; row++)
        {
            grid.SetRowHeight(row, 20);
            for (int col = 1; col < cols; col++)
            {
                CString s;
                s.Format(_T("r%dc%d"), row, col);
                grid.SetItemText(row, col, s);
            }
        }
        grid.UpdateScrollBars();
        parent.log.clear();
    }

    std::string Text(int row, int col) { return (LPCTSTR)grid.GetItemText(row, col); }
    bool Hilited(int row, int col) { return (grid.GetItemState(row, col) & GRIDSTATE_DROPHILITED) != 0; }

    // The centre of a cell in the grid's client coordinates.
    CPoint Centre(int row, int col)
    {
        CRect rc;
        EXPECT_TRUE(grid.GetCellRect(row, col, rc));
        return rc.CenterPoint();
    }
};

TEST_F(GridDropTest, RegisteredOnTheGridsWindowWhenCreatedAndRevokedWhenDestroyed)
{
    Make(3, 3);
    CGridDropTarget* pTarget = grid.GetDropTarget();
    ASSERT_TRUE(pTarget);
    EXPECT_TRUE(pTarget->IsKindOf(RUNTIME_CLASS(COleDropTarget)));
    EXPECT_TRUE(pTarget->IsRegistered());
    EXPECT_EQ(grid.GetSafeHwnd(), pTarget->GetRegisteredWindow());
    EXPECT_EQ(&grid, pTarget->GetGrid());

    grid.DestroyWindow();
    EXPECT_FALSE(pTarget->IsRegistered());
    EXPECT_EQ(nullptr, pTarget->GetRegisteredWindow());
}

TEST_F(GridDropTest, GbkTextDroppedOnACellArrivesByteForByte)
{
    Make(4, 4);
    grid.EnableDragAndDrop(TRUE);
    auto pSource = TextSource(std::string(kGbkFirst) + "\t" + kGbkSecond + "\n" + kGbkSecond);
    grid.SetModified(FALSE, 2, 1);
    grid.SetModified(FALSE, 1, 1);
    ASSERT_FALSE(grid.GetModified(2, 1));

    EXPECT_EQ(DROPEFFECT_MOVE, AfxTestDropOn(&grid, pSource.get(), Centre(2, 1), MK_LBUTTON));
    EXPECT_EQ(kGbkFirst, Text(2, 1));
    EXPECT_EQ(kGbkSecond, Text(2, 2));
    EXPECT_EQ(kGbkSecond, Text(3, 1));
    EXPECT_EQ("r3c2", Text(3, 2));
    EXPECT_EQ("r1c1", Text(1, 1));
    // The drop took the highlight away again.
    EXPECT_FALSE(Hilited(2, 1));
    EXPECT_TRUE(grid.GetModified(2, 1));
    EXPECT_FALSE(grid.GetModified(1, 1));
}

TEST_F(GridDropTest, ControlCopiesAndNoKeyMoves)
{
    Make(4, 4);
    grid.EnableDragAndDrop(TRUE);
    auto pCopy = TextSource("copied");
    EXPECT_EQ(DROPEFFECT_COPY, AfxTestDropOn(&grid, pCopy.get(), Centre(1, 2), MK_LBUTTON | MK_CONTROL));
    EXPECT_EQ("copied", Text(1, 2));
    auto pMove = TextSource("moved");
    EXPECT_EQ(DROPEFFECT_MOVE, AfxTestDropOn(&grid, pMove.get(), Centre(1, 3), MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ("moved", Text(1, 3));
    EXPECT_EQ("copied", Text(1, 2));
}

TEST_F(GridDropTest, DropOnAReadOnlyCellIsRefused)
{
    Make(4, 4);
    grid.EnableDragAndDrop(TRUE);
    grid.SetItemState(2, 1, grid.GetItemState(2, 1) | GRIDSTATE_READONLY);
    auto pSource = TextSource("x");
    EXPECT_EQ(DROPEFFECT_NONE, AfxTestDropOn(&grid, pSource.get(), Centre(2, 1), MK_LBUTTON));
    EXPECT_EQ("r2c1", Text(2, 1));
    EXPECT_FALSE(Hilited(2, 1));
    // The cell beside it still takes the drop.
    EXPECT_EQ(DROPEFFECT_MOVE, AfxTestDropOn(&grid, pSource.get(), Centre(2, 2), MK_LBUTTON));
    EXPECT_EQ("x", Text(2, 2));
    EXPECT_EQ("r2c1", Text(2, 1));
}

TEST_F(GridDropTest, DropOutsideTheCellsOrOnAFixedCellIsRefused)
{
    Make(4, 4);
    grid.EnableDragAndDrop(TRUE);
    auto pSource = TextSource("x");
    EXPECT_EQ(DROPEFFECT_NONE, AfxTestDropOn(&grid, pSource.get(), CPoint(300, 150), MK_LBUTTON));
    EXPECT_EQ(DROPEFFECT_NONE, AfxTestDropOn(&grid, pSource.get(), Centre(0, 2), MK_LBUTTON));
    EXPECT_EQ(DROPEFFECT_NONE, AfxTestDropOn(&grid, pSource.get(), Centre(2, 0), MK_LBUTTON));
    for (int row = 0; row < 4; row++)
        for (int col = 1; col < 4; col++)
        {
            CString s;
            s.Format(_T("r%dc%d"), row, col);
            EXPECT_EQ(std::string((LPCTSTR)s), Text(row, col));
            EXPECT_FALSE(Hilited(row, col));
        }
}

TEST_F(GridDropTest, DropIsRefusedWithoutDragAndDropOrWithoutText)
{
    Make(4, 4);
    auto pSource = TextSource("x");
    EXPECT_EQ(DROPEFFECT_NONE, AfxTestDropOn(&grid, pSource.get(), Centre(2, 1), MK_LBUTTON));
    EXPECT_EQ("r2c1", Text(2, 1));

    grid.EnableDragAndDrop(TRUE);
    COleDataSource other;
    const char bytes[] = "not text";
    other.CacheGlobalData(CF_DIB, AfxGlobalFromBytes(bytes, sizeof(bytes)));
    EXPECT_EQ(DROPEFFECT_NONE, AfxTestDropOn(&grid, &other, Centre(2, 1), MK_LBUTTON));
    EXPECT_EQ("r2c1", Text(2, 1));
}

TEST_F(GridDropTest, LeavingTheGridTakesTheHighlightAwayAndPastesNothing)
{
    Make(4, 4);
    grid.EnableDragAndDrop(TRUE);
    auto pSource = TextSource("x");
    EXPECT_EQ(DROPEFFECT_NONE, AfxTestDropOn(&grid, pSource.get(), Centre(2, 2), MK_LBUTTON, true));
    EXPECT_FALSE(Hilited(2, 2));
    EXPECT_EQ("r2c2", Text(2, 2));
}

TEST_F(GridDropTest, DragNearAnEdgeLeavesTheScrollPositionAlone)
{
    Make(40, 3);
    grid.EnableDragAndDrop(TRUE);
    ASSERT_EQ(1, grid.GetTopleftNonFixedCell().row);
    CRect rcClient;
    grid.GetClientRect(rcClient);
    auto pSource = TextSource("x");
    AfxTestDropOn(&grid, pSource.get(), CPoint(60, rcClient.bottom - 3), MK_LBUTTON, true);
    EXPECT_EQ(1, grid.GetTopleftNonFixedCell().row);
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));
}

TEST_F(GridDropTest, DragScrollKeepsTheKeyEffectAndRefusesOtherWindows)
{
    Make(4, 4);
    grid.EnableDragAndDrop(TRUE);
    CGridDropTarget* pTarget = grid.GetDropTarget();
    ASSERT_TRUE(pTarget);
    EXPECT_EQ(DROPEFFECT_COPY, pTarget->OnDragScroll(&grid, MK_CONTROL, Centre(2, 2)));
    EXPECT_EQ(DROPEFFECT_MOVE, pTarget->OnDragScroll(&grid, 0, Centre(2, 2)));
    EXPECT_EQ(DROPEFFECT_NONE, pTarget->OnDragScroll(&parent, 0, Centre(2, 2)));
}

TEST_F(GridDropTest, MoveInsideTheGridThroughADragPastesThenClearsTheCellsStillSelected)
{
    Make(5, 4);
    grid.EnableDragAndDrop(TRUE);
    grid.SetSelectedRange(1, 1, 2, 1);
    CGridCtrl* pGrid = &grid;
    const CPoint pt = Centre(2, 1);  // overlaps the dragged cells
    DWORD dwAllowedSeen = 0;
    AfxTestPushDragScript([pGrid, pt, &dwAllowedSeen](COleDataSource* pSource, DWORD dwAllowed) -> DWORD {
        dwAllowedSeen = dwAllowed;
        EXPECT_EQ(GRIDMOUSE_DRAGGING, pGrid->GetMouseMode());
        EXPECT_EQ("r1c1\nr2c1", pSource->GetBytes(CF_TEXT).substr(0, 9));
        return AfxTestDropOn(pGrid, pSource, pt, MK_LBUTTON);
    });
    grid.OnBeginDrag();
    EXPECT_EQ(DROPEFFECT_COPY | DROPEFFECT_MOVE, dwAllowedSeen);
    EXPECT_EQ("", Text(1, 1));
    EXPECT_EQ("r1c1", Text(2, 1));
    EXPECT_EQ("r2c1", Text(3, 1));
    EXPECT_EQ("r4c1", Text(4, 1));
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
    ASSERT_FALSE(parent.log.empty());
    EXPECT_EQ(GRIDN_BEGINDRAG, parent.log.front().code);
    EXPECT_EQ(1, parent.log.front().row);
    EXPECT_EQ(1, parent.log.front().col);
}

TEST_F(GridDropTest, CopyInsideTheGridThroughADragKeepsTheSourceCells)
{
    Make(5, 4);
    grid.EnableDragAndDrop(TRUE);
    grid.SetSelectedRange(1, 1, 1, 2);
    CGridCtrl* pGrid = &grid;
    const CPoint pt = Centre(3, 2);
    DWORD dwResult = 0;
    AfxTestPushDragScript([pGrid, pt, &dwResult](COleDataSource* pSource, DWORD) -> DWORD {
        dwResult = AfxTestDropOn(pGrid, pSource, pt, MK_LBUTTON | MK_CONTROL);
        return dwResult;
    });
    grid.OnBeginDrag();
    EXPECT_EQ(DROPEFFECT_COPY, dwResult);
    EXPECT_EQ("r1c1", Text(1, 1));
    EXPECT_EQ("r1c2", Text(1, 2));
    EXPECT_EQ("r1c1", Text(3, 2));
    EXPECT_EQ("r1c2", Text(3, 3));
    EXPECT_EQ("r3c1", Text(3, 1));
}

TEST_F(GridDropTest, MoveToAnotherGridClearsTheDraggedCells)
{
    Make(4, 4);
    grid.EnableDragAndDrop(TRUE);
    grid.SetSelectedRange(1, 1, 1, 2);
    CGridCtrl other(3, 3, 1, 1);
    ASSERT_TRUE(other.Create(CRect(0, 0, 200, 100), &parent, 101, WS_CHILD | WS_VISIBLE));
    other.EnableDragAndDrop(TRUE);
    for (int col = 0; col < 3; col++)
        other.SetColumnWidth(col, 40);
    for (int row = 0; row < 3; row++)
        other.SetRowHeight(row, 20);
    ASSERT_TRUE(other.GetDropTarget() && other.GetDropTarget()->IsRegistered());
    CRect rcTarget;
    ASSERT_TRUE(other.GetCellRect(1, 1, rcTarget));
    const CPoint pt = rcTarget.CenterPoint();
    CGridCtrl* pOther = &other;
    AfxTestPushDragScript([pOther, pt](COleDataSource* pSource, DWORD) -> DWORD {
        return AfxTestDropOn(pOther, pSource, pt, MK_LBUTTON);
    });
    grid.OnBeginDrag();
    EXPECT_EQ("r1c1", std::string((LPCTSTR)other.GetItemText(1, 1)));
    EXPECT_EQ("r1c2", std::string((LPCTSTR)other.GetItemText(1, 2)));
    EXPECT_EQ("", Text(1, 1));
    EXPECT_EQ("", Text(1, 2));
    EXPECT_EQ("r2c1", Text(2, 1));
    other.DestroyWindow();
}

TEST_F(GridDropTest, DragThatDropsNowhereChangesNothing)
{
    Make(4, 4);
    grid.EnableDragAndDrop(TRUE);
    grid.SetSelectedRange(1, 1, 1, 1);
    CGridCtrl* pGrid = &grid;
    AfxTestPushDragScript([pGrid](COleDataSource* pSource, DWORD) -> DWORD {
        return AfxTestDropOn(pGrid, pSource, CPoint(300, 150), MK_LBUTTON);
    });
    grid.OnBeginDrag();
    EXPECT_EQ("r1c1", Text(1, 1));
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
}
} // namespace
