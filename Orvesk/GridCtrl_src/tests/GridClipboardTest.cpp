// Clipboard text of the grid: the exact bytes of a copy, the paste rules, cut, the command
// enabling, and the grid as drag source and drop target.
#include "GridTestUtil.h"
#include "GridDropTarget.h"

#include <ClassLib/Ole/Clipboard.h>
#include <ClassLib/Ole/DataObject.h>
#include <ClassLib/Testing/UiScripts.h>

#include <string>

namespace
{
// A data source holding the given CF_TEXT bytes (with their zero byte).
COleDataSource* TextSource(const std::string& text)
{
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, AfxGlobalFromBytes(text.c_str(), text.size() + 1));
    return pSource;
}

class GridClipboardTest : public GridWndTest
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
            for (int col = 1; col < cols; col++)
            {
                CString s;
                s.Format(_T("r%dc%d"), row, col);
                grid.SetItemText(row, col, s);
            }
        parent.log.clear();
    }

    BOOL Paste(int row, int col, const std::string& text)
    {
        std::unique_ptr<COleDataSource> pSource(TextSource(text));
        COleDataObject obj;
        obj.Attach(pSource->GetDataObject(), TRUE);
        return grid.PasteTextToGrid(CGridCellId(row, col), &obj);
    }

    std::string Text(int row, int col) { return (LPCTSTR)grid.GetItemText(row, col); }

    // The begin and end notifications the owner got, as (code, row, col).
    std::vector<std::vector<int>> EditNotifications() const
    {
        std::vector<std::vector<int>> v;
        for (const auto& e : parent.log)
            if (e.msg == WM_NOTIFY && (e.code == GRIDN_BEGINLABELEDIT || e.code == GRIDN_ENDLABELEDIT))
                v.push_back({e.code, e.row, e.col});
        return v;
    }

    void TearDown() override
    {
        COleDataSource::FlushClipboard();
        AfxTestResetScripts();
        GridWndTest::TearDown();
    }
};
} // namespace

TEST_F(GridClipboardTest, CopyGivesTabsNewlinesAndOneZeroByte)
{
    Make(4, 5);
    grid.SetSelectedRange(1, 1, 2, 3);
    std::unique_ptr<COleDataSource> pSource(grid.CopyTextFromGrid());
    ASSERT_TRUE(pSource);
    const char kExpected[] = "r1c1\tr1c2\tr1c3\nr2c1\tr2c2\tr2c3";
    EXPECT_EQ(std::string(kExpected, sizeof kExpected), pSource->GetBytes(CF_TEXT));
}

TEST_F(GridClipboardTest, CopySkipsHiddenColumnsAndLeavesUnselectedCellsEmpty)
{
    Make(5, 6);
    grid.SetSelectedRange(1, 1, 3, 4);
    grid.SetColumnWidth(3, 0);  // hidden: no field, no tab
    grid.SetRowHeight(2, 0);    // hidden: no line
    grid.SetItemState(3, 2, grid.GetItemState(3, 2) & ~GRIDSTATE_SELECTED);
    std::unique_ptr<COleDataSource> pSource(grid.CopyTextFromGrid());
    ASSERT_TRUE(pSource);
    const char kExpected[] = "r1c1\tr1c2\tr1c4\nr3c1\t\tr3c4";
    EXPECT_EQ(std::string(kExpected, sizeof kExpected), pSource->GetBytes(CF_TEXT));
}

TEST_F(GridClipboardTest, CopyKeepsCodePage936Bytes)
{
    Make(3, 3);
    grid.SetItemText(1, 1, "任务");
    grid.SetItemText(1, 2, "前置");
    grid.SetSelectedRange(1, 1, 1, 2);
    std::unique_ptr<COleDataSource> pSource(grid.CopyTextFromGrid());
    ASSERT_TRUE(pSource);
    const char kExpected[] = "\xC8\xCE\xCE\xF1\t\xC7\xB0\xD6\xC3";
    EXPECT_EQ(std::string(kExpected, sizeof kExpected), pSource->GetBytes(CF_TEXT));
}

TEST_F(GridClipboardTest, CopyOfNoSelectionGivesNothing)
{
    Make(3, 3);
    EXPECT_EQ(nullptr, grid.CopyTextFromGrid());
    EXPECT_FALSE(grid.CanCopy());
    EXPECT_FALSE(grid.CanCut());
}

TEST_F(GridClipboardTest, PasteSplitsOnTabsAndCommasAndCollapsesRuns)
{
    Make(4, 5);
    ASSERT_TRUE(Paste(1, 1, "a,b\tc\nd\t\te"));
    EXPECT_EQ("a", Text(1, 1));
    EXPECT_EQ("b", Text(1, 2));
    EXPECT_EQ("c", Text(1, 3));
    EXPECT_EQ("r1c4", Text(1, 4));
    EXPECT_EQ("d", Text(2, 1));
    EXPECT_EQ("e", Text(2, 2));  // no empty cell for the second tab
    EXPECT_EQ("r2c3", Text(2, 3));
}

TEST_F(GridClipboardTest, PasteTrimsDropsSurplusAndSkipsHiddenRowsAndColumns)
{
    Make(6, 4);
    grid.SetRowHeight(2, 0);
    grid.SetColumnWidth(2, 0);
    ASSERT_TRUE(Paste(1, 1, "  x  ,y,z,w\n\n\tq\t"));
    EXPECT_EQ("x", Text(1, 1));
    EXPECT_EQ("r1c2", Text(1, 2));  // hidden column keeps its text
    EXPECT_EQ("y", Text(1, 3));     // z and w have no column left
    EXPECT_EQ("r2c1", Text(2, 1));  // hidden row skipped
    EXPECT_EQ("", Text(3, 1));      // the empty line still writes one cell
    EXPECT_EQ("r3c3", Text(3, 3));
    EXPECT_EQ("q", Text(4, 1));
}

TEST_F(GridClipboardTest, PasteSendsOneBeginEndPairAndOneTaskChangePerCell)
{
    Make(3, 4);
    grid.SetSelectedRange(1, 1, 2, 3);
    ASSERT_TRUE(Paste(1, 2, "p\tq\nr"));
    std::vector<std::vector<int>> expected = {
        {GRIDN_BEGINLABELEDIT, 1, 2}, {GRIDN_ENDLABELEDIT, 1, 2},
        {GRIDN_BEGINLABELEDIT, 1, 3}, {GRIDN_ENDLABELEDIT, 1, 3},
        {GRIDN_BEGINLABELEDIT, 2, 2}, {GRIDN_ENDLABELEDIT, 2, 2},
    };
    EXPECT_EQ(expected, EditNotifications());
    EXPECT_EQ(3, parent.Count(WM_GRID_TASKCHANGED));
    const GridParentEntry* pLast = parent.Last(WM_GRID_TASKCHANGED);
    ASSERT_TRUE(pLast);
    EXPECT_EQ((LPARAM)MAKELONG(2, 2), pLast->lParam);
    // Pasted cells leave the selection; the others stay selected.
    EXPECT_FALSE(grid.IsCellSelected(1, 2));
    EXPECT_FALSE(grid.IsCellSelected(2, 2));
    EXPECT_TRUE(grid.IsCellSelected(1, 1));
    EXPECT_TRUE(grid.GetModified(1, 2));
}

TEST_F(GridClipboardTest, PasteSkipsReadOnlyCellsButUsesTheirFields)
{
    Make(3, 5);
    grid.SetItemState(1, 2, grid.GetItemState(1, 2) | GRIDSTATE_READONLY);
    ASSERT_TRUE(Paste(1, 1, "x,y,z"));
    EXPECT_EQ("x", Text(1, 1));
    EXPECT_EQ("r1c2", Text(1, 2));
    EXPECT_EQ("z", Text(1, 3));
    EXPECT_EQ("r1c4", Text(1, 4));
    EXPECT_EQ(2, parent.Count(WM_GRID_TASKCHANGED));
}

TEST_F(GridClipboardTest, PasteIntoReadOnlyStartOrWithoutTextChangesNothing)
{
    Make(3, 3);
    grid.SetItemState(1, 1, grid.GetItemState(1, 1) | GRIDSTATE_READONLY);
    EXPECT_FALSE(Paste(1, 1, "x"));
    EXPECT_EQ("r1c1", Text(1, 1));

    COleDataSource other;
    other.CacheGlobalData(CF_UNICODETEXT, AfxGlobalFromBytes("x\0\0", 4));
    COleDataObject obj;
    obj.Attach(other.GetDataObject(), TRUE);
    EXPECT_FALSE(grid.PasteTextToGrid(CGridCellId(1, 2), &obj));
    EXPECT_EQ("r1c2", Text(1, 2));
    EXPECT_TRUE(parent.log.empty());
}

TEST_F(GridClipboardTest, PasteOfTextWithoutZeroByteStopsAtTheBlockEnd)
{
    Make(3, 3);
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, AfxGlobalFromBytes("ab", 2));
    COleDataObject obj;
    obj.Attach(source.GetDataObject(), TRUE);
    EXPECT_TRUE(grid.PasteTextToGrid(CGridCellId(1, 1), &obj));
    EXPECT_EQ("ab", Text(1, 1));
}

TEST_F(GridClipboardTest, CutClearsEditableSelectedCellsOnly)
{
    Make(3, 4);
    grid.SetSelectedRange(1, 1, 1, 3);
    grid.SetItemState(1, 2, grid.GetItemState(1, 2) | GRIDSTATE_READONLY);
    grid.OnEditCut();
    EXPECT_EQ("", Text(1, 1));
    EXPECT_EQ("r1c2", Text(1, 2));
    EXPECT_EQ("", Text(1, 3));
    EXPECT_EQ(2, parent.Count(WM_GRID_TASKCHANGED));
    // The clipboard has the text as it was.
    ASSERT_TRUE(::OpenClipboard(NULL));
    HANDLE h = ::GetClipboardData(CF_TEXT);
    ASSERT_TRUE(h);
    std::string text((const char*)::GlobalLock(h));
    ::GlobalUnlock(h);
    ::CloseClipboard();
    EXPECT_EQ("r1c1\tr1c2\tr1c3", text);
}

TEST_F(GridClipboardTest, CutOnAReadOnlyGridDoesNothing)
{
    Make(3, 3);
    grid.SetSelectedRange(1, 1, 1, 2);
    grid.SetEditable(FALSE);
    grid.CutSelectedText();
    EXPECT_EQ("r1c1", Text(1, 1));
    EXPECT_FALSE(grid.CanCut());
    EXPECT_TRUE(grid.CanCopy());
}

TEST_F(GridClipboardTest, CopyThenPasteThroughTheClipboardAtTheFocusCell)
{
    Make(4, 4);
    grid.SetSelectedRange(1, 1, 1, 2);
    grid.OnEditCopy();
    grid.SetFocusCell(3, 2);
    EXPECT_TRUE(grid.CanPaste());
    grid.OnEditPaste();
    EXPECT_EQ("r1c1", Text(3, 2));
    EXPECT_EQ("r1c2", Text(3, 3));
    EXPECT_EQ("r3c1", Text(3, 1));
    grid.SetItemState(3, 2, grid.GetItemState(3, 2) | GRIDSTATE_READONLY);
    EXPECT_FALSE(grid.CanPaste());
}

TEST_F(GridClipboardTest, DropHighlightsTheCellAndPastesThere)
{
    Make(4, 4);
    grid.EnableDragAndDrop(TRUE);
    std::unique_ptr<COleDataSource> pSource(TextSource("dropped"));
    COleDataObject obj;
    obj.Attach(pSource->GetDataObject(), TRUE);

    CPoint ptCell(60, 50);  // cell (2, 1)
    EXPECT_EQ(DROPEFFECT_MOVE, grid.OnDragEnter(&obj, 0, ptCell));
    EXPECT_TRUE(grid.GetItemState(2, 1) & GRIDSTATE_DROPHILITED);
    EXPECT_EQ(DROPEFFECT_COPY, grid.OnDragOver(&obj, MK_CONTROL, CPoint(100, 50)));  // cell (2, 2)
    EXPECT_FALSE(grid.GetItemState(2, 1) & GRIDSTATE_DROPHILITED);
    EXPECT_TRUE(grid.GetItemState(2, 2) & GRIDSTATE_DROPHILITED);
    EXPECT_TRUE(grid.OnDrop(&obj, DROPEFFECT_COPY, CPoint(100, 50)));
    EXPECT_FALSE(grid.GetItemState(2, 2) & GRIDSTATE_DROPHILITED);
    EXPECT_EQ("dropped", Text(2, 2));
}

TEST_F(GridClipboardTest, DropIsRefusedWithoutRowDragOrOverAReadOnlyCell)
{
    Make(4, 4);
    std::unique_ptr<COleDataSource> pSource(TextSource("x"));
    COleDataObject obj;
    obj.Attach(pSource->GetDataObject(), TRUE);
    EXPECT_EQ(DROPEFFECT_NONE, grid.OnDragEnter(&obj, 0, CPoint(60, 50)));
    grid.EnableDragAndDrop(TRUE);
    grid.SetItemState(2, 1, grid.GetItemState(2, 1) | GRIDSTATE_READONLY);
    EXPECT_EQ(DROPEFFECT_NONE, grid.OnDragOver(&obj, 0, CPoint(60, 50)));
    EXPECT_EQ(DROPEFFECT_NONE, grid.OnDragOver(&obj, 0, CPoint(390, 290)));  // no cell there
    EXPECT_FALSE(grid.OnDrop(&obj, DROPEFFECT_MOVE, CPoint(60, 50)));
    EXPECT_EQ("r2c1", Text(2, 1));
}

TEST_F(GridClipboardTest, MoveInsideTheGridPastesThenClearsTheCellsStillSelected)
{
    Make(5, 4);
    grid.EnableDragAndDrop(TRUE);
    grid.SetSelectedRange(1, 1, 2, 1);
    CGridCtrl* pGrid = &grid;
    AfxTestPushDragScript([pGrid](COleDataSource* pSource, DWORD dwAllowed) -> DWORD {
        EXPECT_EQ(DROPEFFECT_COPY | DROPEFFECT_MOVE, dwAllowed);
        EXPECT_EQ(GRIDMOUSE_DRAGGING, pGrid->GetMouseMode());
        COleDataObject obj;
        obj.Attach(pSource->GetDataObject(), TRUE);
        CPoint pt(60, 50);  // cell (2, 1): overlaps the dragged cells
        pGrid->OnDragEnter(&obj, 0, pt);
        pGrid->OnDragOver(&obj, 0, pt);
        return pGrid->OnDrop(&obj, DROPEFFECT_MOVE, pt) ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    });
    grid.OnBeginDrag();
    // Pasted at (2, 1) and (3, 1); (1, 1) was still selected and is cleared.
    EXPECT_EQ("", Text(1, 1));
    EXPECT_EQ("r1c1", Text(2, 1));
    EXPECT_EQ("r2c1", Text(3, 1));
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
    // The owner was told the drag began at the top-left selected cell.
    ASSERT_FALSE(parent.log.empty());
    EXPECT_EQ(GRIDN_BEGINDRAG, parent.log.front().code);
    EXPECT_EQ(1, parent.log.front().row);
    EXPECT_EQ(1, parent.log.front().col);
}

TEST_F(GridClipboardTest, DropTargetServesOnlyItsGridsWindow)
{
    Make(3, 3);
    grid.EnableDragAndDrop(TRUE);
    CGridDropTarget* pTarget = grid.GetDropTarget();
    ASSERT_TRUE(pTarget);
    EXPECT_TRUE(pTarget->IsRegistered());
    EXPECT_FALSE(pTarget->Register(&grid));  // only once

    std::unique_ptr<COleDataSource> pSource(TextSource("t"));
    COleDataObject obj;
    obj.Attach(pSource->GetDataObject(), TRUE);
    EXPECT_EQ(DROPEFFECT_NONE, pTarget->OnDragEnter(&parent, &obj, 0, CPoint(60, 30)));
    EXPECT_EQ(DROPEFFECT_MOVE, pTarget->OnDragEnter(&grid, &obj, 0, CPoint(60, 30)));
    EXPECT_EQ(DROPEFFECT_COPY, pTarget->OnDragScroll(&grid, MK_CONTROL, CPoint(0, 0)));
    EXPECT_EQ(DROPEFFECT_MOVE, pTarget->OnDragScroll(&grid, 0, CPoint(0, 0)));
    EXPECT_TRUE(pTarget->OnDrop(&grid, &obj, DROPEFFECT_MOVE, CPoint(60, 30)));
    EXPECT_EQ("t", Text(1, 1));
    pTarget->Revoke();
    EXPECT_EQ(DROPEFFECT_NONE, pTarget->OnDragEnter(&grid, &obj, 0, CPoint(60, 30)));
}
