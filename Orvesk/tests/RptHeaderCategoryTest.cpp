// The report list's header (sort mark, dragging headings, widths) and its categories.
#include "RptListTestSupport.h"

#include <cstring>
#include <string>

namespace {

class RptHeaderTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 500, 280), &host, 7));
        const char* names[] = {"A", "B", "C", "D", "E"};
        for (int i = 0; i < 5; ++i)
            list.InsertRptColumn(i, names[i], LVCFMT_LEFT, 80, i, RPTCOL_SORTABLE | (i == 4 ? RPTCOL_FIXEDWIDTH : 0));
        list.InsertItem(0, "row");
    }
    void TearDown() override
    {
        list.DestroyWindow();
        host.DestroyWindow();
        CWndTestBase::TearDown();
    }
    CHeaderCtrl* Header() { return list.GetHeaderCtrl(); }
    std::string Order()
    {
        std::string s;
        for (int c = 0; c < list.GetColumnCount(); ++c)
            s += static_cast<char>('A' + list.ColumnId(c));
        return s;
    }
    // A point inside heading i, dx from its left.
    CPoint InHeading(int i, int dx = 40)
    {
        CRect rc;
        Header()->GetItemRect(i, &rc);
        return CPoint(rc.left + dx, rc.CenterPoint().y);
    }

    CRptHostWnd host;
    CRptListCtrl list;
};

TEST_F(RptHeaderTest, DroppingAHeadingOnItselfOrTheNextPlaceDoesNothing)
{
    AfxTestDrag(Header(), InHeading(1), InHeading(1, 60));
    EXPECT_EQ("ABCDE", Order());
    AfxTestDrag(Header(), InHeading(1), InHeading(2, 30));
    EXPECT_EQ("ABCDE", Order());
    EXPECT_FALSE(list.GetRptHeader()->IsDragging());
}

TEST_F(RptHeaderTest, ADraggedHeadingMovesItsColumnAndTheSortMarkFollows)
{
    list.GetRptHeader()->SetSortColumn(1, 1);
    host.notifyCodes.clear();
    AfxTestDrag(Header(), InHeading(1), InHeading(3, 20));
    EXPECT_EQ("ACBDE", Order());
    // The mark is on B, which lands at 2 (the drop place less its own old place).
    EXPECT_EQ(2, list.GetRptHeader()->GetSortColumn());
    // A drag is not a click: nothing was sorted.
    EXPECT_EQ(host.notifyCodes.end(), std::find(host.notifyCodes.begin(), host.notifyCodes.end(), static_cast<int>(LVN_COLUMNCLICK)));
    // The moved heading keeps its column id for the read-back.
    HDITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = HDI_LPARAM | HDI_FORMAT;
    Header()->GetItem(2, &item);
    EXPECT_EQ(1, static_cast<int>(item.lParam));
    EXPECT_NE(0, item.fmt & HDF_OWNERDRAW);
    // A column moving across the sorted one shifts the mark with its column.
    list.GetRptHeader()->SetSortColumn(3, 0);
    AfxTestDrag(Header(), InHeading(2), InHeading(4, 10));  // B lands after D
    EXPECT_EQ("ACDBE", Order());
    EXPECT_EQ(2, list.GetRptHeader()->GetSortColumn());  // still on D
    list.GetRptHeader()->SetSortColumn(4, 0);
    AfxTestDrag(Header(), InHeading(4), InHeading(1, 10));  // E before C
    EXPECT_EQ("AECDB", Order());
    EXPECT_EQ(1, list.GetRptHeader()->GetSortColumn());
}

TEST_F(RptHeaderTest, AMovedColumnKeepsItsCellsAndTheOthersKeepTheirIds)
{
    for (int c = 1; c < 5; ++c)
        list.SetItemText(0, c, CString(static_cast<char>('a' + c)));
    CRptListCtrl::MoveColumn(&list, 1, 4);
    EXPECT_EQ("ACDBE", Order());
    std::string cells;
    for (int c = 1; c < 5; ++c)
        cells += std::string(list.GetCellText(0, c));
    EXPECT_EQ("cdbe", cells);
    EXPECT_EQ(80, list.GetColumnWidth(3));
    EXPECT_EQ(CString("row"), list.GetItemText(0, 0));
}

TEST_F(RptHeaderTest, TheFirstColumnStaysFirst)
{
    AfxTestDrag(Header(), InHeading(3), InHeading(0, 5));
    EXPECT_EQ("ADBCE", Order());
    CRptListCtrl::MoveColumn(&list, 0, 3);  // column 0 never moves
    EXPECT_EQ("ADBCE", Order());
}

TEST_F(RptHeaderTest, TheDropMarkerIsARedTriangleAtTheBoundary)
{
    CRect client;
    Header()->GetClientRect(&client);
    int h = client.Height();
    AfxTestMouseDown(Header(), InHeading(1));
    CDrawRecorder rec(Header());
    AfxTestMouseMove(Header(), InHeading(3, 10), MK_LBUTTON);
    AfxTestMouseMove(Header(), InHeading(3, 20), MK_LBUTTON);
    EXPECT_TRUE(list.GetRptHeader()->IsDragging());
    EXPECT_EQ(3, list.GetRptHeader()->GetDropPosition());
    const AfxDrawOp* pMarker = nullptr;
    for (const AfxDrawOp* op : rec.OfKind(AfxDrawKind::Polygon))
        if (op->brushColor == RGB(255, 0, 0))
            pMarker = op;
    ASSERT_NE(nullptr, pMarker);
    ASSERT_EQ(3u, pMarker->points.size());
    EXPECT_EQ(CPoint(240, h - 8), pMarker->points[0]);
    EXPECT_EQ(CPoint(237, h - 1), pMarker->points[1]);
    EXPECT_EQ(CPoint(243, h - 1), pMarker->points[2]);
    AfxTestMouseUp(Header(), InHeading(3, 20));
    EXPECT_FALSE(list.GetRptHeader()->IsDragging());
}

TEST_F(RptHeaderTest, NarrowWidthsAreRefusedExceptForTheFirstColumn)
{
    HDITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = HDI_WIDTH;
    item.cxy = 10;
    Header()->SetItem(2, &item);
    EXPECT_EQ(80, list.GetColumnWidth(2));
    item.cxy = 16;
    Header()->SetItem(2, &item);
    EXPECT_EQ(16, list.GetColumnWidth(2));
    item.cxy = 10;
    Header()->SetItem(0, &item);
    EXPECT_EQ(10, list.GetColumnWidth(0));
    // Dragging a divider below 16 stops at the last allowed width.
    CRect rc;
    Header()->GetItemRect(1, &rc);
    AfxTestDrag(Header(), CPoint(rc.right - 1, rc.CenterPoint().y), CPoint(rc.left + 5, rc.CenterPoint().y), 8);
    EXPECT_GE(list.GetColumnWidth(1), 16);
}

TEST_F(RptHeaderTest, ALockedColumnCannotBeResized)
{
    EXPECT_EQ(1u << 4, list.GetRptHeader()->m_dwLockedMask);
    CRect rc;
    Header()->GetItemRect(4, &rc);
    EXPECT_TRUE(list.GetRptHeader()->IsOnLockedDivider(rc.right));
    EXPECT_FALSE(list.GetRptHeader()->IsOnLockedDivider(rc.CenterPoint().x));
    Header()->GetItemRect(3, &rc);
    EXPECT_FALSE(list.GetRptHeader()->IsOnLockedDivider(rc.right));
    Header()->GetItemRect(4, &rc);
    AfxTestDrag(Header(), CPoint(rc.right - 1, rc.CenterPoint().y), CPoint(rc.right + 40, rc.CenterPoint().y));
    EXPECT_EQ(80, list.GetColumnWidth(4));
    Header()->GetItemRect(3, &rc);
    AfxTestDrag(Header(), CPoint(rc.right - 1, rc.CenterPoint().y), CPoint(rc.right + 19, rc.CenterPoint().y));
    EXPECT_EQ(100, list.GetColumnWidth(3));
}

// Counts the divider double clicks its header reports.
class CDividerList : public CRptListCtrl
{
public:
    int m_nDividerClicks = 0;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (reinterpret_cast<NMHDR*>(lParam)->code == HDN_DIVIDERDBLCLICK)
            ++m_nDividerClicks;
        return CRptListCtrl::OnNotify(wParam, lParam, pResult);
    }
};

TEST(RptHeaderLocked, ADoubleClickOnALockedDividerDoesNothing)
{
    AfxEnsureApplication();
    AfxTestResetInput();
    CRptHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    CDividerList list;
    ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 500, 280), &host, 7));
    list.InsertRptColumn(0, "A", LVCFMT_LEFT, 80, 0, 0);
    list.InsertRptColumn(1, "B", LVCFMT_LEFT, 80, 1, RPTCOL_FIXEDWIDTH);
    list.InsertRptColumn(2, "C", LVCFMT_LEFT, 80, 2, 0);
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    CRect rc;
    pHeader->GetItemRect(1, &rc);
    AfxTestDoubleClick(pHeader, CPoint(rc.right - 1, rc.CenterPoint().y));
    EXPECT_EQ(0, list.m_nDividerClicks);
    pHeader->GetItemRect(2, &rc);
    AfxTestDoubleClick(pHeader, CPoint(rc.right - 1, rc.CenterPoint().y));
    EXPECT_EQ(1, list.m_nDividerClicks);
    list.DestroyWindow();
    host.DestroyWindow();
    AfxTestResetInput();
}

TEST_F(RptHeaderTest, TheSortMarkAndImageHeadings)
{
    CImageList images;
    MakeTestImages(images, 3);
    list.SetHeaderImageList(&images);
    list.SetColumnImage(2, 1);
    list.GetRptHeader()->SetSortColumn(1, 1);
    CDrawRecorder rec(Header());
    Header()->Invalidate();
    Header()->UpdateWindow();
    EXPECT_EQ(nullptr, rec.FindText("1_"));  // the image, not its number
    bool bImage = false;
    for (const AfxDrawOp* op : rec.OfKind(AfxDrawKind::Image))
        bImage = bImage || op->image == 1;
    EXPECT_TRUE(bImage);
    ASSERT_NE(nullptr, rec.FindText("B"));
    // The mark's lines lie at the right of the sorted heading.
    CRect rc;
    Header()->GetItemRect(1, &rc);
    int nLines = 0;
    for (const AfxDrawOp* op : rec.OfKind(AfxDrawKind::Polyline))
        if (!op->points.empty() && op->points[0].x > rc.right - 30 && op->points[0].x < rc.right)
            ++nLines;
    EXPECT_EQ(3, nLines);
}

// ---- Categories ---------------------------------------------------------------------------

void ByParity(LPARAM, CRptCategoryManager* pManager, DWORD_PTR* pValue)
{
    pManager->AddRowToCategory((*pValue % 2) ? 0 : 1, *pValue);
}

class RptCategoryTest : public RptHeaderTest
{
protected:
    void SetUp() override
    {
        RptHeaderTest::SetUp();
        list.DeleteAllItems();
        for (int i = 1; i <= 5; ++i)
        {
            list.InsertItemEx(i - 1, static_cast<DWORD_PTR>(i));
            host.texts[{static_cast<DWORD_PTR>(i), 1}] = CString("v") + static_cast<char>('0' + i);
        }
        CRptCategoryManager* pM = list.CreateCategoryManager();
        pM->AddTextCategory("Odd", "odd");
        pM->AddTextCategory("Even", "even");
        list.SetCategoryCallback(&ByParity);
        list.EnableCategories(TRUE);
    }
    std::string Rows()
    {
        std::string s;
        for (int i = 0; i < list.GetItemCount(); ++i)
        {
            if (list.IsCategoryRow(i))
                s += "[" + std::string(list.GetItemText(i, 0)) + "]";
            else
                s += std::to_string(list.GetItemData(i));
            s += ";";
        }
        return s;
    }
};

TEST_F(RptCategoryTest, CategoryRowsCountTheirElements)
{
    EXPECT_EQ("[Categoria: Odd (3 elementi)];[Categoria: Even (2 elementi)];", Rows());
    CRptCategoryEntry e{};
    char name[] = "Open";
    e.name = name;
    e.count = 1;
    EXPECT_EQ(CString("Categoria: Open (1 elemento)"), CRptCategoryManager::CategoryText(e));
    e.count = 0;
    EXPECT_EQ(CString("Categoria: Open (0 elementi)"), CRptCategoryManager::CategoryText(e));
    e.count = 2;
    EXPECT_EQ(CString("Categoria: Open (2 elementi)"), CRptCategoryManager::CategoryText(e));
}

TEST_F(RptCategoryTest, OpeningAndClosingTouchOnlyTheCategorysRows)
{
    host.clickList = &list;
    CRect rc;
    list.GetCellRect(0, 0, rc);
    AfxTestClick(&list, rc.CenterPoint());
    EXPECT_EQ("[Categoria: Odd (3 elementi)];1;3;5;[Categoria: Even (2 elementi)];", Rows());
    list.ToggleCategory(4);
    EXPECT_EQ("[Categoria: Odd (3 elementi)];1;3;5;[Categoria: Even (2 elementi)];2;4;", Rows());
    AfxTestClick(&list, rc.CenterPoint());  // close Odd
    EXPECT_EQ("[Categoria: Odd (3 elementi)];[Categoria: Even (2 elementi)];2;4;", Rows());
    // A double click on another column of a category row toggles it too, and opens no editor.
    list.GetCellRect(1, 2, rc);
    AfxTestDoubleClick(&list, rc.CenterPoint());
    EXPECT_EQ("[Categoria: Odd (3 elementi)];[Categoria: Even (2 elementi)];", Rows());
    // Turned off: the rows come back in their first order.
    list.EnableCategories(FALSE);
    EXPECT_FALSE(list.HasCategories());
    EXPECT_EQ("1;2;3;4;5;", Rows());
}

TEST_F(RptCategoryTest, ANewRowJoinsItsCategory)
{
    list.ToggleCategory(1);  // open Even
    int nRow = list.InsertItemEx(0, 6);
    EXPECT_EQ(2, nRow);
    EXPECT_EQ("[Categoria: Odd (3 elementi)];[Categoria: Even (3 elementi)];6;2;4;", Rows());
}

TEST(RptCategoryRanges, DateAndNumberRangesIncludeTheLowEndOnly)
{
    CRptCategoryManager m;
    COleDateTime t1(2026, 1, 1, 0, 0, 0), t2(2026, 2, 1, 0, 0, 0);
    m.AddDateCategory("January", t1, t2);
    m.AddNumberCategory("Small", 0, 10);
    m.AddTextCategory("Text", "Abc");
    EXPECT_EQ(0, m.FindDateCategory(t1));
    EXPECT_EQ(-1, m.FindDateCategory(t2));
    EXPECT_EQ(1, m.FindNumberCategory(0));
    EXPECT_EQ(1, m.FindNumberCategory(9.5));
    EXPECT_EQ(-1, m.FindNumberCategory(10));
    EXPECT_EQ(2, m.FindTextCategory("Abc"));
    EXPECT_EQ(-1, m.FindTextCategory("abc"));  // case counts
    m.AddRowToCategory(7, 1);  // out of range: nothing
    EXPECT_EQ(-1, m.IndexOfCategory(0));
}

}  // namespace
