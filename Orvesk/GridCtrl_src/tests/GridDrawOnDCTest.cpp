// Drawing a band of rows into an outside context for the chart's printing.
#include "GridPrintTestUtil.h"

#include <ClassLib/Testing/DrawLog.h>

#include <gtest/gtest.h>

namespace
{
const AfxDrawOp* FindText(const CRecordingDC& dc, const char* text)
{
    for (const AfxDrawOp& op : dc.Ops())
        if (op.kind == AfxDrawKind::Text && std::string((LPCTSTR)op.text) == text)
            return &op;
    return nullptr;
}

// A line drawn from (x1, y1) to (x2, y2) with a pen of the colour.
bool HasLine(const CRecordingDC& dc, int x1, int y1, int x2, int y2, COLORREF pen)
{
    for (const AfxDrawOp& op : dc.Ops())
        if (op.kind == AfxDrawKind::Polyline && op.points.size() == 2 && op.points[0] == CPoint(x1, y1)
            && op.points[1] == CPoint(x2, y2) && op.penColor == pen)
            return true;
    return false;
}
} // namespace

TEST(GridDrawOnDC, ColumnsWidthStopsBeforeTheLastVisibleColumn)
{
    CPrintedGrid g(10, 4);
    g.grid.SetColumnWidth(2, 70);
    ASSERT_EQ(3, g.grid.GetVisibleNonFixedCellRange().GetMaxCol());
    EXPECT_EQ(100 + 100 + 70, g.grid.GetColumnsWidth());
}

TEST(GridDrawOnDC, DrawsTheFixedRowsAndTheBandAndAdvancesTheLeftEdge)
{
    CPrintedGrid g(10, 4);
    CRecordingDC dc(1200, 900);
    CRect rect(50, 10, 1000, 800);
    g.grid.DrawGridOnDC(&dc, rect, NULL, 2, 5);
    EXPECT_FALSE(g.grid.IsDrawingOnDC());
    EXPECT_EQ(350, rect.left);
    EXPECT_EQ(1000, rect.right);

    // Headings of columns 0 to 2; the last visible column is left out.
    EXPECT_NE(nullptr, FindText(dc, " Head0"));
    EXPECT_NE(nullptr, FindText(dc, " Head2"));
    EXPECT_EQ(nullptr, FindText(dc, " Head3"));
    // Rows 2 to 4 with their row headings.
    EXPECT_EQ(nullptr, FindText(dc, "r1c1"));
    EXPECT_NE(nullptr, FindText(dc, " 2"));
    EXPECT_NE(nullptr, FindText(dc, " 4"));
    EXPECT_EQ(nullptr, FindText(dc, " 5"));
    EXPECT_EQ(nullptr, FindText(dc, "r5c1"));
    EXPECT_EQ(nullptr, FindText(dc, "r2c3"));

    // Row 2 lies below the heading row; its body cells are inset by two units.
    const AfxDrawOp* pCell = FindText(dc, "r2c1");
    ASSERT_NE(nullptr, pCell);
    EXPECT_EQ(10 + 20 + 2, pCell->rect.top);
    EXPECT_EQ(10 + 20 + 19 - 2, pCell->rect.bottom);
    const AfxDrawOp* pLast = FindText(dc, "r4c2");
    ASSERT_NE(nullptr, pLast);
    EXPECT_EQ(10 + 60 + 2, pLast->rect.top);

    // The last column's right edge and the last row's bottom are solid; inner edges dotted.
    EXPECT_TRUE(HasLine(dc, 349, 30, 349, 50, RGB(0, 0, 0)));
    EXPECT_TRUE(HasLine(dc, 250, 89, 350, 89, RGB(0, 0, 0)));
    EXPECT_TRUE(HasLine(dc, 249, 31, 249, 32, RGB(255, 255, 255)));
    EXPECT_TRUE(HasLine(dc, 249, 30, 249, 31, RGB(0, 0, 0)));
}

TEST(GridDrawOnDC, UsesTheGivenFontElseTheGridsFont)
{
    CPrintedGrid g(10, 4);
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = 33;
    lstrcpy(lf.lfFaceName, _T("Serif"));
    CFont font;
    font.CreateFontIndirect(&lf);

    CRecordingDC dc(1200, 900);
    CRect rect(0, 0, 1000, 800);
    g.grid.DrawGridOnDC(&dc, rect, &font, 1, 3);
    const AfxDrawOp* pHead = FindText(dc, " Head1");
    ASSERT_NE(nullptr, pHead);
    EXPECT_EQ(33, pHead->font.lfHeight);

    // Without a font the next call prints in the grid's font again.
    CRecordingDC dc2(1200, 900);
    CRect rect2(0, 0, 1000, 800);
    g.grid.DrawGridOnDC(&dc2, rect2, NULL, 1, 3);
    const AfxDrawOp* pHead2 = FindText(dc2, " Head1");
    ASSERT_NE(nullptr, pHead2);
    EXPECT_EQ(g.grid.GetLogFont()->lfHeight, pHead2->font.lfHeight);
    EXPECT_STREQ(g.grid.GetLogFont()->lfFaceName, pHead2->font.lfFaceName);
}

TEST(GridDrawOnDC, ABandEndingOnAHiddenRowIsClosedBelow)
{
    CPrintedGrid g(10, 4);
    g.grid.SetRowHeight(4, 0);
    CRecordingDC dc(1200, 900);
    CRect rect(0, 0, 1000, 800);
    g.grid.DrawGridOnDC(&dc, rect, NULL, 2, 5);
    // Rows 2 and 3 are drawn (bottom of row 3 at 20 + 40 - 1).
    EXPECT_EQ(nullptr, FindText(dc, "r4c1"));
    EXPECT_NE(nullptr, FindText(dc, "r3c1"));
    EXPECT_TRUE(HasLine(dc, 0, 59, 300, 59, RGB(0, 0, 0)));
}

TEST(GridDrawOnDC, RowsBelowTheRectangleAreLeftOut)
{
    CPrintedGrid g(10, 4);
    CRecordingDC dc(1200, 900);
    CRect rect(0, 0, 1000, 70);
    g.grid.DrawGridOnDC(&dc, rect, NULL, 1, 9);
    EXPECT_NE(nullptr, FindText(dc, "r2c1"));
    EXPECT_EQ(nullptr, FindText(dc, "r3c1"));
}

TEST(GridDrawOnDC, ThePrintInfoFormDrawsIntoTheDrawingRectangle)
{
    CPrintedGrid g(10, 4);
    CRecordingDC dc(1200, 900);
    CPrintInfo info;
    info.m_rectDraw.SetRect(20, 40, 1000, 800);
    g.grid.DrawGridOnDC(&dc, &info, NULL, 1, 3);
    EXPECT_EQ(320, info.m_rectDraw.left);
    const AfxDrawOp* pCell = FindText(dc, "r1c1");
    ASSERT_NE(nullptr, pCell);
    EXPECT_EQ(40 + 20 + 2, pCell->rect.top);
}
