// The report list: style word, owner protocol, sorting, clipboard, clicks, keys and moving
// between editable cells.
#include "RptListTestSupport.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Columns: 0 name (text edit, sortable), 1 number (numeric), 2 grouped number,
// 3 choice (fixed combo), 4 plain (no editor).
class RptListTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 500, 280), &host, 7));
        list.InsertRptColumn(0, "Name", LVCFMT_LEFT, 100, 0, RPTCOL_EDIT | RPTCOL_SORTABLE);
        list.InsertRptColumn(1, "Number", LVCFMT_RIGHT, 80, 1, RPTCOL_NUMERIC | RPTCOL_SORTABLE);
        list.InsertRptColumn(2, "Grouped", LVCFMT_RIGHT, 80, 2, RPTCOL_GROUPEDNUM | RPTCOL_SORTABLE);
        list.InsertRptColumn(3, "Choice", LVCFMT_LEFT, 80, 3, RPTCOL_COMBO);
        list.InsertRptColumn(4, "Plain", LVCFMT_LEFT, 80, 4, 0);
        host.clickList = &list;
    }
    void TearDown() override
    {
        list.DestroyWindow();
        host.DestroyWindow();
        CWndTestBase::TearDown();
    }
    void AddRow(const char* name, const char* num, const char* grouped, DWORD_PTR data)
    {
        int n = list.InsertItem(LVIF_TEXT | LVIF_PARAM, list.GetItemCount(), name, 0, 0, 0, static_cast<LPARAM>(data));
        list.SetItemText(n, 1, num);
        list.SetItemText(n, 2, grouped);
        list.SetItemText(n, 3, "c");
        list.SetItemText(n, 4, "p");
    }
    std::string Column(int c)
    {
        std::string s;
        for (int i = 0; i < list.GetItemCount(); ++i)
            s += std::string(list.GetItemText(i, c)) + (i + 1 < list.GetItemCount() ? "," : "");
        return s;
    }
    CPoint CellCenter(int row, int col)
    {
        CRect rc;
        list.GetCellRect(row, col, rc);
        return rc.CenterPoint();
    }
    CPoint HeadingCenter(int col)
    {
        CRect rc;
        list.GetHeaderCtrl()->GetItemRect(col, &rc);
        return rc.CenterPoint();
    }

    CRptHostWnd host;
    CRecordingRptList list;
};

TEST_F(RptListTest, DefaultStyleAndColumnMasks)
{
    EXPECT_EQ(0x793Fu, list.GetRptStyle());
    EXPECT_EQ(1u << 0, list.m_dwEditMask);
    EXPECT_EQ(1u << 1, list.m_dwNumericMask);
    EXPECT_EQ(1u << 2, list.m_dwGroupedMask);
    EXPECT_EQ(1u << 3, list.m_dwComboMask);
    list.ModifyRptStyle(RPTS_CELLCURSOR | RPTS_SORTONCLICK, RPTS_ROWFORMAT);
    EXPECT_EQ((0x793Fu & ~0x4008u) | 0x0200u, list.GetRptStyle());
    // Rows are measured from the row height and the band.
    list.SetItemHeight(21);
    EXPECT_EQ(21, list.GetRowHeight());
    list.SetBandHeight(5);
    list.SetItemHeight(21);
    EXPECT_EQ(26, list.GetRowHeight());
}

TEST_F(RptListTest, SortingByAHeadingClickKeepsEachRowsItemData)
{
    AddRow("cherry", "3", "3", 500);
    AddRow("apple", "1", "1", 501);
    AddRow("Banana", "2", "2", 502);
    // A sortable column's remembered direction starts ascending: the first click inverts it.
    AfxTestClick(list.GetHeaderCtrl(), HeadingCenter(0));
    EXPECT_EQ("cherry,Banana,apple", Column(0));  // case does not count
    // Each record stays with its row.
    EXPECT_EQ(500u, list.GetItemData(0));
    EXPECT_EQ(502u, list.GetItemData(1));
    EXPECT_EQ(501u, list.GetItemData(2));
    EXPECT_EQ(0, list.GetRptHeader()->GetSortColumn());
    EXPECT_EQ(0, list.GetRptHeader()->GetSortDirection());
    // The same heading again reverses.
    AfxTestClick(list.GetHeaderCtrl(), HeadingCenter(0));
    EXPECT_EQ("apple,Banana,cherry", Column(0));
    EXPECT_EQ(501u, list.GetItemData(0));
    EXPECT_EQ(500u, list.GetItemData(2));
    EXPECT_EQ(1, list.GetRptHeader()->GetSortDirection());
    // The owner still hears of the click.
    EXPECT_NE(host.notifyCodes.end(), std::find(host.notifyCodes.begin(), host.notifyCodes.end(), static_cast<int>(LVN_COLUMNCLICK)));
}

TEST_F(RptListTest, GroupedNumbersSortWithoutTheirDots)
{
    AddRow("a", "1.234", "1.234", 1);
    AddRow("b", "999", "999", 2);
    AddRow("c", "12", "12", 3);
    AddRow("d", "x7", "", 4);
    list.SortByColumn(2);  // descending first
    EXPECT_EQ("1.234,999,12,", Column(2));
    list.SortByColumn(2);
    EXPECT_EQ(",12,999,1.234", Column(2));
    // Read as integers: "1.234" is 1, a text without a number 0.
    list.SortByColumn(1);
    list.SortByColumn(1);
    EXPECT_EQ("x7,1.234,12,999", Column(1));
    EXPECT_EQ(4u, list.GetItemData(0));
    EXPECT_EQ(1u, list.GetItemData(1));
}

TEST_F(RptListTest, ColumnsWhoseDefinitionIsNotSortableDoNotSort)
{
    CRptColumnManager* pM = list.CreateColumnManager();
    pM->DefineColumn(0, "Name", nullptr, LVCFMT_LEFT, 100, 0, -1, nullptr);
    const int shown[] = {0};
    pM->SetDefaultColumns(1, shown);
    list.ApplyColumns();
    AddRow("b", "", "", 1);
    AddRow("a", "", "", 2);
    list.SortByColumn(0);
    EXPECT_EQ("b,a", Column(0));
}

TEST_F(RptListTest, ClipboardTextCoversEveryRowWithoutATrailingNewline)
{
    for (int i = 0; i < 12; ++i)
    {
        CString name;
        name.Format("r%d", i);
        AddRow(name, "1", "2", static_cast<DWORD_PTR>(i));
    }
    CString all = list.ClipboardText(FALSE);
    std::string expected;
    for (int i = 0; i < 12; ++i)
        expected += "r" + std::to_string(i) + "\t1\t2\tc\tp" + (i < 11 ? "\n" : "");
    EXPECT_EQ(expected, std::string(all));

    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(10, LVIS_SELECTED, LVIS_SELECTED);
    list.CopyToClipboard(TRUE);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE h = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, h);
    const char* p = static_cast<const char*>(::GlobalLock(h));
    EXPECT_STREQ("r3\t1\t2\tc\tp\nr10\t1\t2\tc\tp", p);
    ::GlobalUnlock(h);
    ::CloseClipboard();
}

TEST_F(RptListTest, FirstClickSelectsSecondClickOpensTheCellsEditor)
{
    AddRow("a", "1", "1", 1);
    AddRow("b", "2", "2", 2);
    AfxTestClick(&list, CellCenter(1, 0));
    EXPECT_TRUE(list.edits.empty());
    EXPECT_NE(0u, list.GetItemState(1, LVIS_SELECTED));
    EXPECT_EQ(0, list.GetCursorColumn());
    AfxTestClick(&list, CellCenter(1, 0));
    ASSERT_EQ(1u, list.edits.size());
    EXPECT_EQ('t', list.edits[0].kind);
    EXPECT_EQ(1, list.edits[0].row);
    EXPECT_TRUE(list.edits[0].clickThrough);
    AfxTestClick(&list, CellCenter(1, 3));
    ASSERT_EQ(2u, list.edits.size());
    EXPECT_EQ('c', list.edits[1].kind);
    EXPECT_EQ(3, list.GetCursorColumn());
    AfxTestClick(&list, CellCenter(1, 4));  // no editor for a plain column
    EXPECT_EQ(2u, list.edits.size());
}

TEST_F(RptListTest, TheTextEditorWinsOverBothCombos)
{
    list.m_dwComboMask |= 1u << 4;
    list.m_dwComboEditMask |= 1u << 4;
    list.m_dwEditMask |= 1u << 4;
    AddRow("a", "1", "1", 1);
    AfxTestClick(&list, CellCenter(0, 4));
    AfxTestClick(&list, CellCenter(0, 4));
    ASSERT_EQ(1u, list.edits.size());
    EXPECT_EQ('t', list.edits[0].kind);
}

TEST_F(RptListTest, NavigationBetweenEditableCellsStopsAtTheEnds)
{
    AddRow("a", "1", "1", 1);
    AddRow("b", "2", "2", 2);
    AddRow("c", "3", "3", 3);
    int cell[2] = {2, 3};  // the last editable cell of the last row
    EXPECT_EQ(0, list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_NEXTCELL, reinterpret_cast<LPARAM>(cell)));
    EXPECT_TRUE(list.edits.empty());
    // From column 0 of row 0 the next editable cell is the choice column.
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    int first[2] = {0, 0};
    EXPECT_EQ(1, list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_NEXTCELL, reinterpret_cast<LPARAM>(first)));
    ASSERT_EQ(1u, list.edits.size());
    EXPECT_EQ(0, list.edits[0].row);
    EXPECT_EQ(3, list.edits[0].column);
    EXPECT_FALSE(list.edits[0].clickThrough);
    // From the choice column, the next row's name.
    int second[2] = {0, 3};
    list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_NEXTCELL, reinterpret_cast<LPARAM>(second));
    ASSERT_EQ(2u, list.edits.size());
    EXPECT_EQ(1, list.edits[1].row);
    EXPECT_EQ(0, list.edits[1].column);
    EXPECT_EQ(0u, list.GetItemState(0, LVIS_SELECTED));
    EXPECT_NE(0u, list.GetItemState(1, LVIS_SELECTED));
    // Previous from the first cell of the first row: nothing.
    EXPECT_EQ(0, list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_PREVCELL, reinterpret_cast<LPARAM>(first)));
    // Previous from row 1 column 0: the choice column of row 0.
    int back[2] = {1, 0};
    list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_PREVCELL, reinterpret_cast<LPARAM>(back));
    ASSERT_EQ(3u, list.edits.size());
    EXPECT_EQ(0, list.edits[2].row);
    EXPECT_EQ(3, list.edits[2].column);
}

TEST_F(RptListTest, NavigationUpAndDownAtTheBoundaries)
{
    AddRow("a", "1", "1", 1);
    AddRow("b", "2", "2", 2);
    AddRow("c", "3", "3", 3);
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_DOWN, 0);
    EXPECT_NE(0u, list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED) & LVIS_FOCUSED);
    EXPECT_EQ(0u, list.GetItemState(1, LVIS_SELECTED));
    EXPECT_EQ(0, list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_DOWN, 0));
    EXPECT_NE(0u, list.GetItemState(2, LVIS_SELECTED));
    list.SetItemState(2, 0, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(0, list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_UP, 0));
    EXPECT_NE(0u, list.GetItemState(0, LVIS_SELECTED));
    EXPECT_TRUE(list.edits.empty());
    // Left and right move the cursor column within the columns.
    list.SetCursorColumn(0);
    list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_LEFT, 0);
    EXPECT_EQ(0, list.GetCursorColumn());
    list.SetCursorColumn(4);
    list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_RIGHT, 0);
    EXPECT_EQ(4, list.GetCursorColumn());
    list.SendMessage(WM_RPT_EDITNAVIGATE, RPT_NAV_LEFT, 0);
    EXPECT_EQ(3, list.GetCursorColumn());
}

TEST_F(RptListTest, LeftAndRightKeysMoveTheCellCursor)
{
    AddRow("a", "1", "1", 1);
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    AfxTestFocus(&list);
    list.SetCursorColumn(0);
    AfxTestKey(&list, VK_LEFT);
    EXPECT_EQ(0, list.GetCursorColumn());
    AfxTestKey(&list, VK_RIGHT);
    AfxTestKey(&list, VK_RIGHT);
    EXPECT_EQ(2, list.GetCursorColumn());
    list.SetCursorColumn(4);
    host.notifyCodes.clear();
    AfxTestKey(&list, VK_RIGHT);
    EXPECT_EQ(4, list.GetCursorColumn());
    // The owner hears of the key once.
    EXPECT_EQ(1, std::count(host.notifyCodes.begin(), host.notifyCodes.end(), static_cast<int>(LVN_KEYDOWN)));
    // Without a focused row the cursor still moves and the key goes on to the list control.
    list.SetItemState(0, 0, LVIS_FOCUSED);
    host.notifyCodes.clear();
    list.SetCursorColumn(1);
    AfxTestKey(&list, VK_RIGHT);
    EXPECT_EQ(2, list.GetCursorColumn());
    EXPECT_EQ(1, std::count(host.notifyCodes.begin(), host.notifyCodes.end(), static_cast<int>(LVN_KEYDOWN)));
}

TEST_F(RptListTest, EnterOpensTheCursorCellsEditorOrActsAsADoubleClick)
{
    AddRow("a", "1", "1", 1);
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    AfxTestFocus(&list);
    list.SetCursorColumn(3);
    AfxTestKey(&list, VK_RETURN);
    ASSERT_EQ(1u, list.edits.size());
    EXPECT_EQ('c', list.edits[0].kind);
    EXPECT_FALSE(list.edits[0].clickThrough);
    host.notifyCodes.clear();
    list.SetCursorColumn(4);  // no editor: a double click for the owner
    AfxTestKey(&list, VK_RETURN);
    EXPECT_EQ(1u, list.edits.size());
    EXPECT_NE(host.notifyCodes.end(), std::find(host.notifyCodes.begin(), host.notifyCodes.end(), static_cast<int>(NM_DBLCLK)));
}

TEST_F(RptListTest, EndOfAnEditAsksTheOwner)
{
    AddRow("a", "1", "1", 41);
    AddRow("b", "2", "2", 42);
    host.answer = [](CRptCellInfo& info) -> LRESULT {
        if (info.m_nKind != RPT_CELL_EDITDONE)
            return 0;
        if (info.m_strText == "refuse")
            return 0;
        info.m_strText = "[" + info.m_strText + "]";
        return 1;
    };
    host.texts[{42, 4}] = "from owner";
    NMLVDISPINFO di;
    std::memset(&di, 0, sizeof(di));
    di.hdr.hwndFrom = list.m_hWnd;
    di.hdr.idFrom = 7;
    di.hdr.code = LVN_ENDLABELEDIT;
    di.item.iItem = 1;
    di.item.iSubItem = 4;
    di.item.pszText = const_cast<LPSTR>("new");
    LRESULT r = host.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&di));
    EXPECT_EQ(0, r);
    EXPECT_EQ(CString("[new]"), list.GetItemText(1, 4));
    ASSERT_FALSE(host.requests.empty());
    EXPECT_EQ(RPT_CELL_EDITDONE, host.requests.back().m_nKind);
    EXPECT_EQ(42u, host.requests.back().m_dwItemData);
    EXPECT_EQ(4, host.requests.back().m_nColumn);
    EXPECT_EQ(7, host.requests.back().m_nCtrlId);
    // Refused: the cell's text comes from the owner again.
    di.item.pszText = const_cast<LPSTR>("refuse");
    host.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&di));
    EXPECT_EQ(CString("from owner"), list.GetItemText(1, 4));
    // Cancelled: nothing asked.
    size_t n = host.requests.size();
    di.item.pszText = nullptr;
    host.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&di));
    EXPECT_EQ(n, host.requests.size());
}

TEST_F(RptListTest, EditAllSelectedAppliesTheEditToEverySelectedRow)
{
    list.ModifyRptStyle(0, RPTS_EDITALLSELECTED);
    AddRow("a", "1", "1", 1);
    AddRow("b", "2", "2", 2);
    AddRow("c", "3", "3", 3);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    host.answer = [](CRptCellInfo& info) -> LRESULT { return info.m_nKind == RPT_CELL_EDITDONE; };
    NMLVDISPINFO di;
    std::memset(&di, 0, sizeof(di));
    di.hdr.hwndFrom = list.m_hWnd;
    di.hdr.idFrom = 7;
    di.hdr.code = LVN_ENDLABELEDIT;
    di.item.iItem = 0;
    di.item.iSubItem = 4;
    di.item.pszText = const_cast<LPSTR>("x");
    host.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&di));
    EXPECT_EQ("x,p,x", Column(4));
}

TEST_F(RptListTest, AComboEditRequestCarriesTheCellAndMayBeRefused)
{
    CRptListCtrl plain;
    ASSERT_TRUE(plain.Create(kRptListStyle, CRect(0, 0, 300, 200), &host, 9));
    plain.InsertRptColumn(0, "A", LVCFMT_LEFT, 100, 0, 0);
    plain.InsertRptColumn(1, "B", LVCFMT_LEFT, 100, 1, RPTCOL_COMBO);
    plain.InsertItem(0, "row");
    plain.SetItemText(0, 1, "value");
    host.answer = [](CRptCellInfo& info) -> LRESULT {
        if (info.m_nKind == RPT_CELL_EDITREQUEST && info.m_pChoices != nullptr)
            info.m_pChoices->Add("one");
        return 0;
    };
    EXPECT_FALSE(plain.EditComboCell(0, 1, FALSE, FALSE));
    ASSERT_EQ(1u, host.requests.size());
    EXPECT_EQ(RPT_CELL_EDITREQUEST, host.requests[0].m_nKind);
    EXPECT_EQ(128, host.requests[0].m_nEditLimit);
    EXPECT_EQ(CString("value"), host.requests[0].m_strText);
    EXPECT_EQ(1, host.requests[0].m_nColumn);
    plain.DestroyWindow();
}

TEST_F(RptListTest, SelectionOperations)
{
    EXPECT_FALSE(list.CanMoveUp());
    EXPECT_FALSE(list.CanMoveDown());
    AddRow("a", "1", "1", 1);
    AddRow("b", "2", "2", 2);
    AddRow("c", "3", "3", 3);
    EXPECT_TRUE(list.CanMoveDown());  // none selected
    list.SelectLast();
    EXPECT_NE(0u, list.GetItemState(2, LVIS_SELECTED));
    EXPECT_FALSE(list.CanMoveDown());
    EXPECT_TRUE(list.CanMoveUp());
    list.DeselectAll();
    EXPECT_EQ(0u, list.GetSelectedCount());
    list.SelectFirst();
    EXPECT_FALSE(list.CanMoveUp());
    list.SelectNext();
    EXPECT_NE(0u, list.GetItemState(1, LVIS_SELECTED));
}

TEST_F(RptListTest, FitTextCutsWholeCharactersOnly)
{
    CClientDC dc(&list);
    CString text = CString("项目成员权限设置说明abc项目成员权限设置说明");
    int full = dc.GetTextExtent(text).cx;
    CString fitted = text;
    ASSERT_TRUE(list.FitText(&dc, fitted, full / 2, 0));
    ASSERT_GE(fitted.GetLength(), 3);
    EXPECT_EQ(CString("..."), fitted.Right(3));
    EXPECT_LE(dc.GetTextExtent(fitted).cx, full / 2);
    // What is left of the text is a prefix made of whole characters.
    CString kept = fitted.Left(fitted.GetLength() - 3);
    EXPECT_EQ(kept, text.Left(kept.GetLength()));
    int nLead = 0;
    for (int i = 0; i < kept.GetLength(); ++i)
    {
        if (nLead)
            nLead = 0;
        else if (_ismbblead(static_cast<unsigned char>(kept[i])))
            nLead = 1;
    }
    EXPECT_EQ(0, nLead);
    // A text longer than any fixed buffer.
    CString longText;
    for (int i = 0; i < 400; ++i)
        longText += "长";
    CString result;
    ASSERT_TRUE(list.FitText(&dc, longText, result, 200, 10));
    EXPECT_EQ(0, (result.GetLength() - 3) % 2);
    EXPECT_LE(dc.GetTextExtent(result).cx, 190);
    // A text that fits stays as it is.
    CString shortText = "ab";
    EXPECT_FALSE(list.FitText(&dc, shortText, 200, 0));
    EXPECT_EQ(CString("ab"), shortText);
}

}  // namespace

namespace {

TEST(RptListScrollBars, FixedScrollBarsStayShownAndGreyWhenNotNeeded)
{
    AfxEnsureApplication();
    CRptHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    CRptListCtrl list;
    ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 400, 200), &host, 7));
    list.InsertRptColumn(0, "A", LVCFMT_LEFT, 100, 0, 0);
    EXPECT_NE(0u, list.GetStyle() & WS_HSCROLL);
    EXPECT_NE(0u, list.GetStyle() & WS_VSCROLL);
    for (int i = 0; i < 3; ++i)
        list.InsertItem(i, "row");
    // The list control would hide bars it does not need; these stay.
    EXPECT_NE(0u, list.GetStyle() & WS_HSCROLL);
    EXPECT_NE(0u, list.GetStyle() & WS_VSCROLL);
    list.ModifyRptStyle(RPTS_FIXEDSCROLLBARS, 0);
    list.InsertItem(3, "row");
    EXPECT_EQ(0u, list.GetStyle() & WS_HSCROLL);
    EXPECT_EQ(0u, list.GetStyle() & WS_VSCROLL);
    list.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
