// The edit round trip: opening the in-place editors from the keyboard, their keys, their
// one end-of-edit notification, the date editor's text, the list editor, and what the grid
// stores and reports at the end.
#include "GridTestUtil.h"
#include "GridCellCombo.h"
#include "GridDateTimeCtrl.h"
#include "InPlaceEdit.h"
#include "InPlaceList.h"

#include <string>

namespace
{
// What an editor reported to the grid.
struct EndRecord
{
    int row, col;
    UINT mask;
    std::string text;
    LPARAM key;
    int code;
};

class CEndLoggingGrid : public CLoggingGrid
{
public:
    std::vector<EndRecord> ends;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
        {
            const GridDispInfo* p = reinterpret_cast<const GridDispInfo*>(lParam);
            if (p->hdr.code == (UINT)GRIDN_ENDLABELEDIT)
                ends.push_back({p->item.row, p->item.col, p->item.mask, (LPCTSTR)p->item.szText,
                                (LPARAM)p->item.lParam, (int)p->hdr.code});
        }
        return CLoggingGrid::WindowProc(message, wParam, lParam);
    }
};

class GridEditCycleTest : public CWndTestBase
{
protected:
    CGridTestParent parent;
    CEndLoggingGrid grid;

    void Make(int rows, int cols)
    {
        grid.bPassEdits = TRUE;
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
    }

    CWnd* Editor(int row, int col)
    {
        CGridCell* pCell = dynamic_cast<CGridCell*>(grid.GetCell(row, col));
        return pCell ? pCell->GetEditWindow() : nullptr;
    }

    // Makes cell (1, 1) a list of two options showing szText (NULL: none) and opens its
    // editor with F2.
    CInPlaceList* OpenList(LPCTSTR szFirst, LPCTSTR szSecond, LPCTSTR szText)
    {
        grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCombo));
        CGridCellCombo* pCombo = static_cast<CGridCellCombo*>(grid.GetCell(1, 1));
        CStringArray options;
        options.Add(szFirst);
        options.Add(szSecond);
        pCombo->SetOptions(options);
        if (szText)
            grid.SetItemText(1, 1, szText);
        grid.SetFocusCell(1, 1);
        AfxTestKey(&grid, VK_F2);
        return dynamic_cast<CInPlaceList*>(pCombo->GetEditWindow());
    }

    static std::string WindowText(CWnd* pWnd)
    {
        CString s;
        pWnd->GetWindowText(s);
        return (LPCTSTR)s;
    }

    void TearDown() override
    {
        AfxPumpMessages();
        if (grid.GetSafeHwnd())
            grid.DestroyWindow();
        if (parent.GetSafeHwnd())
            parent.DestroyWindow();
        CWndTestBase::TearDown();
    }
};
} // namespace

TEST_F(GridEditCycleTest, AnUnchangedEditSendsNoTaskChange)
{
    Make(3, 3);
    grid.SetItemText(1, 1, "same");
    grid.OnEndEditCell(1, 1, _T("same"));
    EXPECT_EQ(0, parent.Count(WM_GRID_TASKCHANGED));

    grid.OnEndEditCell(1, 1, _T("other"));
    ASSERT_EQ(1, parent.Count(WM_GRID_TASKCHANGED));
    EXPECT_EQ((LPARAM)MAKELONG(1, 1), parent.Last(WM_GRID_TASKCHANGED)->lParam);
    EXPECT_EQ(CString("other"), grid.GetItemText(1, 1));
    EXPECT_TRUE(grid.GetModified(1, 1));
}

TEST_F(GridEditCycleTest, AnEditOfAnUnnamedRowIsStoredSilently)
{
    Make(3, 3);
    grid.GetCell(2, 0)->SetRowState(GRIDROW_UNNAMED);
    grid.OnEndEditCell(2, 1, _T("new name"));
    EXPECT_EQ(CString("new name"), grid.GetItemText(2, 1));
    EXPECT_EQ(0, parent.Count(WM_GRID_TASKCHANGED));
}

TEST_F(GridEditCycleTest, F2OpensTheEditorWithTheCaretAtTheEndLeftWithCtrlAndAnArrow)
{
    Make(3, 3);
    grid.SetItemText(1, 1, "abc");
    grid.SetFocusCell(1, 1);
    AfxTestKey(&grid, VK_F2);
    CWnd* pEdit = Editor(1, 1);
    ASSERT_TRUE(pEdit);
    EXPECT_EQ("abc", WindowText(pEdit));
    DWORD s = 99, e = 99;
    pEdit->SendMessage(EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    EXPECT_EQ(3u, s);
    EXPECT_EQ(3u, e);
    // Opened by F2 (as by a click), the arrows move the caret instead of leaving.
    CInPlaceEdit* pInPlace = dynamic_cast<CInPlaceEdit*>(pEdit);
    ASSERT_TRUE(pInPlace);
    EXPECT_FALSE(pInPlace->GetExitOnArrows());
    AfxTestKey(pEdit, VK_LEFT);
    EXPECT_EQ(pEdit, Editor(1, 1));
    EXPECT_TRUE(grid.ends.empty());
    // The owner heard of the edit's beginning.
    ASSERT_FALSE(parent.Codes().empty());
    EXPECT_EQ(GRIDN_BEGINLABELEDIT, parent.Codes().back());
    // With Ctrl held a navigation key leaves, reporting the text, the cell and the key.
    AfxTestSetKeyState(VK_CONTROL, TRUE);
    AfxTestKey(pEdit, VK_DOWN);
    AfxTestClearKeyState(VK_CONTROL);
    AfxPumpMessages();
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("abc", grid.ends[0].text);
    EXPECT_EQ((LPARAM)VK_DOWN, grid.ends[0].key);
    EXPECT_EQ(1, grid.ends[0].row);
    EXPECT_EQ(1, grid.ends[0].col);
    EXPECT_EQ((UINT)(GRIDITEM_TEXT | GRIDITEM_DATA), grid.ends[0].mask);
}

TEST_F(GridEditCycleTest, TypingACharacterReplacesTheText)
{
    Make(3, 3);
    grid.SetItemText(1, 1, "old");
    grid.SetFocusCell(1, 1);
    AfxTestKey(&grid, '7');
    CWnd* pEdit = Editor(1, 1);
    ASSERT_TRUE(pEdit);
    EXPECT_EQ("7", WindowText(pEdit));
    AfxTestKey(pEdit, VK_RETURN);
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("7", grid.ends[0].text);
    EXPECT_EQ((LPARAM)VK_RETURN, grid.ends[0].key);
    EXPECT_EQ((UINT)(GRIDITEM_TEXT | GRIDITEM_DATA), grid.ends[0].mask);
    EXPECT_EQ(CString("7"), grid.GetItemText(1, 1));
    EXPECT_EQ(1, parent.Count(WM_GRID_TASKCHANGED));
}

TEST_F(GridEditCycleTest, BackspaceOpensTheEditorWithoutTheLastCharacter)
{
    Make(3, 3);
    grid.SetItemText(1, 2, "abcd");
    grid.SetFocusCell(1, 2);
    AfxTestKey(&grid, VK_BACK);
    CWnd* pEdit = Editor(1, 2);
    ASSERT_TRUE(pEdit);
    EXPECT_EQ("abc", WindowText(pEdit));
}

TEST_F(GridEditCycleTest, EscapeRestoresTheInitialTextAndStillReports)
{
    Make(3, 3);
    grid.SetItemText(1, 1, "keep");
    grid.SetFocusCell(1, 1);
    AfxTestKey(&grid, VK_F2);
    CWnd* pEdit = Editor(1, 1);
    ASSERT_TRUE(pEdit);
    AfxTestTypeText(pEdit, "xyz");
    EXPECT_EQ("keepxyz", WindowText(pEdit));
    AfxTestKey(pEdit, VK_ESCAPE);
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("keep", grid.ends[0].text);
    EXPECT_EQ((LPARAM)VK_ESCAPE, grid.ends[0].key);
    EXPECT_EQ(1, grid.ends[0].row);
    EXPECT_EQ(1, grid.ends[0].col);
    EXPECT_EQ(CString("keep"), grid.GetItemText(1, 1));
    EXPECT_EQ(0, parent.Count(WM_GRID_TASKCHANGED));
    AfxPumpMessages();
    EXPECT_EQ(nullptr, Editor(1, 1));
    EXPECT_FALSE(grid.IsItemEditing(1, 1));
}

TEST_F(GridEditCycleTest, AnArrowLeavesAnEditorOpenedByTyping)
{
    Make(3, 4);
    grid.SetFocusCell(1, 1);
    AfxTestKey(&grid, 'Q');  // the key that types "q"
    CWnd* pEdit = Editor(1, 1);
    ASSERT_TRUE(pEdit);
    AfxTestKey(pEdit, VK_RIGHT);
    ASSERT_FALSE(grid.ends.empty());
    EXPECT_EQ("q", grid.ends[0].text);
    EXPECT_EQ((LPARAM)VK_RIGHT, grid.ends[0].key);
    // The grid moved on and opened the next cell.
    EXPECT_TRUE(grid.GetFocusCell() == CGridCellId(1, 2));
}

TEST_F(GridEditCycleTest, TypingWidensTheEditorUpToTheGridsRightEdge)
{
    Make(3, 9);
    grid.SetFocusCell(1, 8);  // x 320 to 359; the grid ends at 400
    AfxTestKey(&grid, 'A');
    CInPlaceEdit* pEdit = dynamic_cast<CInPlaceEdit*>(Editor(1, 8));
    ASSERT_TRUE(pEdit);
    int nStartWidth = pEdit->GetEditRect().Width();
    AfxTestTypeText(pEdit, "bcdefgh");
    EXPECT_GT(pEdit->GetEditRect().Width(), nStartWidth);
    EXPECT_LE(pEdit->GetEditRect().right, 400);
    AfxTestTypeText(pEdit, "ijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(400, pEdit->GetEditRect().right);
    CRect rc;
    pEdit->GetWindowRect(rc);
    grid.ScreenToClient(rc);
    EXPECT_EQ(400, rc.right);
    EXPECT_EQ(320, rc.left);
}

TEST_F(GridEditCycleTest, AReadOnlyCellOpensNoEditorAndSendsNothing)
{
    Make(3, 3);
    grid.SetItemState(1, 1, grid.GetItemState(1, 1) | GRIDSTATE_READONLY);
    grid.SetFocusCell(1, 1);
    parent.log.clear();
    AfxTestKey(&grid, VK_F2);
    EXPECT_EQ(nullptr, Editor(1, 1));
    for (int code : parent.Codes())
        EXPECT_NE(GRIDN_BEGINLABELEDIT, code);
}

TEST_F(GridEditCycleTest, TheTextEditorEndsOnce)
{
    Make(3, 3);
    grid.SetFocusCell(1, 1);
    AfxTestKey(&grid, VK_F2);
    CInPlaceEdit* pEdit = dynamic_cast<CInPlaceEdit*>(Editor(1, 1));
    ASSERT_TRUE(pEdit);
    pEdit->EndEdit();
    pEdit->EndEdit();
    grid.SetFocus();
    AfxPumpMessages();
    EXPECT_EQ(1u, grid.ends.size());
}

TEST_F(GridEditCycleTest, TheDateEditorReportsTheDateWithoutLeadingZeros)
{
    EXPECT_EQ(std::string("2004年3月5日"),
              (LPCTSTR)CGridDateTimeCtrl::FormatDate(COleDateTime(2004, 3, 5, 0, 0, 0)));
    EXPECT_EQ(std::string("2012年11月25日"),
              (LPCTSTR)CGridDateTimeCtrl::FormatDate(COleDateTime(2012, 11, 25, 0, 0, 0)));

    Make(3, 3);
    CRect rc(40, 20, 120, 40);
    CGridDateTimeCtrl* pDate = new CGridDateTimeCtrl(&grid, rc, 0, IDC_GRID_INPLACE_CONTROL, 1, 2,
                                                     COleDateTime(2004, 3, 5, 0, 0, 0));
    ASSERT_TRUE(pDate->GetSafeHwnd());
    pDate->EndEdit();
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("2004年3月5日", grid.ends[0].text);
    EXPECT_EQ(1, grid.ends[0].row);
    EXPECT_EQ(2, grid.ends[0].col);
    EXPECT_EQ(0, grid.ends[0].key);
    // The focus loss that follows ends nothing a second time.
    grid.SetFocus();
    AfxPumpMessages();
    EXPECT_EQ(1u, grid.ends.size());
    EXPECT_EQ(CString("2004年3月5日"), grid.GetItemText(1, 2));
}

TEST_F(GridEditCycleTest, TheDateEditorEndsOnceOnFocusLoss)
{
    Make(3, 3);
    CRect rc(40, 20, 120, 40);
    CGridDateTimeCtrl* pDate = new CGridDateTimeCtrl(&grid, rc, 0, IDC_GRID_INPLACE_CONTROL, 1, 1,
                                                     COleDateTime(2010, 12, 1, 0, 0, 0));
    ASSERT_TRUE(pDate->GetSafeHwnd());
    EXPECT_EQ(pDate, CWnd::GetFocus());
    grid.SetFocus();
    AfxPumpMessages();
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("2010年12月1日", grid.ends[0].text);
}

TEST_F(GridEditCycleTest, AListCellShowsATextNotAmongItsOptionsAndEndsOnce)
{
    Make(3, 3);
    CInPlaceList* pList = OpenList("甲", "乙", "丙");
    ASSERT_TRUE(pList);
    ASSERT_TRUE(pList->GetEdit());
    EXPECT_EQ("丙", WindowText(pList->GetEdit()));
    EXPECT_EQ(2, pList->GetCount());

    pList->EndEdit();
    pList->EndEdit();
    grid.SetFocus();
    AfxPumpMessages();
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("丙", grid.ends[0].text);
}

TEST_F(GridEditCycleTest, AListEditorDropsDownOverTheCellAndFourCellsMoreWithAScrollBar)
{
    Make(3, 3);
    grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCombo));
    CGridCellCombo* pCombo = static_cast<CGridCellCombo*>(grid.GetCell(1, 1));
    CStringArray options;
    for (const char* psz : {"o1", "o2", "o3", "o4", "o5", "o6", "o7", "o8", "o9", "o10", "o11", "o12"})
        options.Add(psz);
    pCombo->SetOptions(options);
    grid.SetFocusCell(1, 1);
    AfxTestKey(&grid, VK_F2);
    CInPlaceList* pList = dynamic_cast<CInPlaceList*>(pCombo->GetEditWindow());
    ASSERT_TRUE(pList);
    CRect rcCell;
    ASSERT_TRUE(grid.GetCellRect(1, 1, &rcCell));
    grid.ClientToScreen(&rcCell);
    CRect rcDropped, rcBox;
    pList->GetDroppedControlRect(&rcDropped);
    pList->GetWindowRect(&rcBox);
    EXPECT_EQ(rcDropped.top, rcCell.top);
    EXPECT_EQ(rcDropped.Height(), 5 * rcCell.Height() + ::GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_LT(rcBox.Height(), rcDropped.Height());

    pList->ShowDropDown(TRUE);
    AfxPumpMessages();
    HWND hDropped = ::FindWindow("ComboLBox", nullptr);
    ASSERT_NE(nullptr, hDropped);
    CRect rcShown;
    ::GetWindowRect(hDropped, &rcShown);
    const int nItem = (int)::SendMessage(hDropped, LB_GETITEMHEIGHT, 0, 0);
    // The list fills the extent below the box in whole items; the rest scroll.
    EXPECT_EQ(rcShown.top, rcBox.bottom);
    EXPECT_LE(rcShown.bottom, rcDropped.bottom);
    EXPECT_GT(rcShown.bottom + nItem, rcDropped.bottom);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(hDropped, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 11);
    EXPECT_LT((int)si.nPage, 12);
    AfxTestGrabWindow(CWnd::FromHandle(hDropped), AfxTestOutputPath("grid-list-editor-dropped.png"));
    pList->ShowDropDown(FALSE);
    pList->EndEdit();
}

TEST_F(GridEditCycleTest, AListCellSelectsAMatchingOption)
{
    Make(3, 3);
    CInPlaceList* pList = OpenList("north", "south", "south");
    ASSERT_TRUE(pList);
    EXPECT_EQ(1, pList->GetCurSel());
    AfxTestKey(pList->GetEdit(), VK_TAB);
    AfxPumpMessages();
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("south", grid.ends[0].text);
    EXPECT_EQ((LPARAM)VK_TAB, grid.ends[0].key);
}

TEST_F(GridEditCycleTest, APressOutsideAnEditorOpenedByTypingEndsTheEdit)
{
    Make(4, 4);
    grid.SetFocusCell(1, 1);
    AfxTestKey(&grid, 'Q');
    CWnd* pEdit = Editor(1, 1);
    ASSERT_TRUE(pEdit);
    EXPECT_EQ(pEdit, CWnd::GetCapture());
    AfxTestMouseDown(&grid, CPoint(140, 70));
    AfxTestMouseUp(&grid, CPoint(140, 70));
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("q", grid.ends[0].text);
    EXPECT_EQ(0, grid.ends[0].key);
    EXPECT_EQ(CString("q"), grid.GetItemText(1, 1));
}

TEST_F(GridEditCycleTest, TypedChineseReachesTheEditorWholeAndTheCellKeepsIt)
{
    // The lead byte of a double-byte character opens the editor; the trail byte and the
    // characters after it belong to the editor, not to the grid again.
    Make(3, 4);
    grid.SetColumnWidth(2, 200);
    grid.SetFocusCell(1, 2);
    AfxTestTypeText(&grid, u8"审核通过");  // typed text is UTF-8
    CWnd* pEdit = Editor(1, 2);
    ASSERT_TRUE(pEdit);
    EXPECT_EQ(std::string("审核通过"), WindowText(pEdit));
    AfxTestKey(pEdit, VK_RETURN);
    AfxPumpMessages();
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ(std::string("审核通过"), grid.ends[0].text);
    EXPECT_EQ(CString("审核通过"), grid.GetItemText(1, 2));

    // The same in one input-method commit of the whole text.
    grid.ends.clear();
    grid.SetFocusCell(2, 2);
    AfxTestFocus(&grid);
    AfxTestInputMethodCommit(&grid, u8"通过审核");
    pEdit = Editor(2, 2);
    ASSERT_TRUE(pEdit);
    EXPECT_EQ(std::string("通过审核"), WindowText(pEdit));
    AfxTestKey(pEdit, VK_RETURN);
    AfxPumpMessages();
    EXPECT_EQ(CString("通过审核"), grid.GetItemText(2, 2));
}

TEST_F(GridEditCycleTest, TheListEditorCoversItsCellNotTheRowsBelow)
{
    Make(6, 3);
    CInPlaceList* pList = OpenList("north", "south", NULL);
    ASSERT_TRUE(pList);
    CRect rcCell, rcList;
    grid.GetCellRect(1, 1, rcCell);
    pList->GetWindowRect(rcList);
    grid.ScreenToClient(rcList);
    // One box over the cell: the selection field is as high as the cell, plus its frame.
    EXPECT_EQ(rcCell.top, rcList.top);
    EXPECT_LE(rcList.Height(), rcCell.Height() + 8);
    EXPECT_LT(rcList.bottom, rcCell.bottom + rcCell.Height());
    pList->EndEdit();
}

TEST_F(GridEditCycleTest, TheListEditorLeavesOnCtrlWithANavigationKey)
{
    Make(3, 3);
    CInPlaceList* pList = OpenList("north", "south", "north");
    ASSERT_TRUE(pList);
    ASSERT_TRUE(pList->GetEdit());
    // A plain page key stays in the list; with Ctrl it leaves, reporting the key.
    AfxTestKey(pList->GetEdit(), VK_NEXT);
    EXPECT_TRUE(grid.ends.empty());
    AfxTestSetKeyState(VK_CONTROL, TRUE);
    AfxTestKey(pList->GetEdit(), VK_NEXT);
    AfxTestClearKeyState(VK_CONTROL);
    AfxPumpMessages();
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ((LPARAM)VK_NEXT, grid.ends[0].key);
    EXPECT_EQ(1, grid.ends[0].row);
    EXPECT_EQ(1, grid.ends[0].col);

}

TEST_F(GridEditCycleTest, EscapeInTheListEditorRestoresTheInitialTextAndReports)
{
    Make(3, 3);
    CInPlaceList* pList = OpenList("north", "south", "north");
    ASSERT_TRUE(pList);
    ASSERT_TRUE(pList->GetEdit());
    pList->GetEdit()->SetWindowText("changed");
    AfxTestKey(pList->GetEdit(), VK_ESCAPE);
    AfxPumpMessages();
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ("north", grid.ends[0].text);
    EXPECT_EQ((LPARAM)VK_ESCAPE, grid.ends[0].key);
}

TEST_F(GridEditCycleTest, EnterEndsAListEditAndTheNextKeyStartsAnotherWithThatKey)
{
    Make(3, 3);
    CInPlaceList* pList = OpenList("north", "south", "north");
    ASSERT_TRUE(pList);
    AfxTestKey(pList->GetEdit(), VK_ESCAPE);
    AfxPumpMessages();
    grid.ends.clear();

    // The typed key opens the list with that key as its text.
    AfxTestFocus(&grid);
    AfxTestTypeText(&grid, "s");
    CGridCellCombo* pCombo = static_cast<CGridCellCombo*>(grid.GetCell(1, 1));
    pList = dynamic_cast<CInPlaceList*>(pCombo->GetEditWindow());
    ASSERT_TRUE(pList);
    EXPECT_EQ(std::string("s"), WindowText(pList->GetEdit()));
    // What is typed is the text: nothing completes it to an option ("south").
    AfxTestTypeText(CWnd::GetFocus(), "o");
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
    AfxPumpMessages();
    ASSERT_EQ(1u, grid.ends.size());
    EXPECT_EQ(CString("so"), grid.GetItemText(1, 1));
    EXPECT_EQ(&grid, CWnd::GetFocus());

    // Punctuation opens the next one the same way.
    AfxTestTypeText(&grid, "(");
    pList = dynamic_cast<CInPlaceList*>(pCombo->GetEditWindow());
    ASSERT_TRUE(pList);
    EXPECT_EQ(std::string("("), WindowText(pList->GetEdit()));
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
    AfxPumpMessages();
    EXPECT_EQ(CString("("), grid.GetItemText(1, 1));
}
