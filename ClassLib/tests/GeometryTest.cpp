// Points, sizes and rectangles.
#include <ClassLib/Afx.h>

#include <gtest/gtest.h>

namespace {

void ExpectRect(const RECT& r, LONG l, LONG t, LONG rt, LONG b)
{
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rt);
    EXPECT_EQ(r.bottom, b);
}

TEST(GeometryTest, TypesHaveThePlatformLayout)
{
    EXPECT_EQ(sizeof(POINT), 8u);
    EXPECT_EQ(sizeof(SIZE), 8u);
    EXPECT_EQ(sizeof(RECT), 16u);
    EXPECT_EQ(sizeof(CRect), 16u);
    EXPECT_EQ(sizeof(CPoint), 8u);
}

TEST(GeometryTest, RectMeasuresAndEdges)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.Size(), CSize(100, 50));
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    r.TopLeft() = CPoint(0, 0);
    r.BottomRight().x = 5;
    ExpectRect(r, 0, 0, 5, 70);
    EXPECT_FALSE(r.IsRectEmpty());
    EXPECT_FALSE(r.IsRectNull());
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 3, 9).IsRectEmpty());
}

TEST(GeometryTest, PointInRectExcludesRightAndBottom)
{
    CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(r.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 5)));
    EXPECT_FALSE(r.PtInRect(CPoint(5, 10)));
    EXPECT_FALSE(r.PtInRect(CPoint(-1, 5)));
    EXPECT_FALSE(PtInRect(nullptr, CPoint(0, 0)));
}

TEST(GeometryTest, IntersectionOfDisjointRectsIsEmpty)
{
    CRect a(0, 0, 10, 10), b(20, 20, 30, 30), r(1, 2, 3, 4);
    EXPECT_FALSE(r.IntersectRect(a, b));
    ExpectRect(r, 0, 0, 0, 0);
    // Touching edges do not overlap.
    EXPECT_FALSE(r.IntersectRect(a, CRect(10, 0, 20, 10)));
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_TRUE(r.IntersectRect(a, CRect(5, -5, 15, 5)));
    ExpectRect(r, 5, 0, 10, 5);
    ExpectRect(a & CRect(8, 8, 40, 40), 8, 8, 10, 10);
    ExpectRect(a & b, 0, 0, 0, 0);
}

TEST(GeometryTest, UnionLeavesOutEmptyRects)
{
    CRect a(0, 0, 10, 10), b(20, 5, 30, 30), r;
    EXPECT_TRUE(r.UnionRect(a, b));
    ExpectRect(r, 0, 0, 30, 30);
    EXPECT_TRUE(r.UnionRect(a, CRect(50, 50, 50, 60)));
    ExpectRect(r, 0, 0, 10, 10);
    EXPECT_FALSE(r.UnionRect(CRect(), CRect(3, 3, 1, 1)));
    ExpectRect(r, 0, 0, 0, 0);
    CRect u(a);
    u |= b;
    ExpectRect(u, 0, 0, 30, 30);
}

TEST(GeometryTest, SubtractRemovesFullSpanStrips)
{
    CRect r;
    EXPECT_TRUE(r.SubtractRect(CRect(0, 0, 10, 10), CRect(-5, -5, 15, 3)));
    ExpectRect(r, 0, 3, 10, 10);
    EXPECT_TRUE(r.SubtractRect(CRect(0, 0, 10, 10), CRect(6, -1, 12, 11)));
    ExpectRect(r, 0, 0, 6, 10);
    // A hole in the middle leaves the rectangle whole.
    EXPECT_TRUE(r.SubtractRect(CRect(0, 0, 10, 10), CRect(2, 2, 4, 4)));
    ExpectRect(r, 0, 0, 10, 10);
    EXPECT_FALSE(r.SubtractRect(CRect(0, 0, 10, 10), CRect(-1, -1, 11, 11)));
    ExpectRect(r, 0, 0, 0, 0);
}

TEST(GeometryTest, NormalizeSwapsReversedEdges)
{
    CRect r(10, 20, 0, 5);
    r.NormalizeRect();
    ExpectRect(r, 0, 5, 10, 20);
    CRect s(1, 2, 3, 4);
    s.NormalizeRect();
    ExpectRect(s, 1, 2, 3, 4);
}

TEST(GeometryTest, InflateDeflateOffset)
{
    CRect r(10, 10, 20, 20);
    r.InflateRect(2, 3);
    ExpectRect(r, 8, 7, 22, 23);
    r.DeflateRect(2, 3);
    ExpectRect(r, 10, 10, 20, 20);
    r.InflateRect(CSize(1, 1));
    ExpectRect(r, 9, 9, 21, 21);
    r.DeflateRect(1, 2, 3, 4);
    ExpectRect(r, 10, 11, 18, 17);
    CRect by(1, 2, 3, 4);
    r.InflateRect(&by);
    ExpectRect(r, 9, 9, 21, 21);
    r.DeflateRect(&by);
    ExpectRect(r, 10, 11, 18, 17);
    r.OffsetRect(-10, 5);
    ExpectRect(r, 0, 16, 8, 22);
    r.OffsetRect(CPoint(1, 1));
    ExpectRect(r, 1, 17, 9, 23);
    r -= CSize(1, 17);
    ExpectRect(r, 0, 0, 8, 6);
    ExpectRect(r + CPoint(2, 2), 2, 2, 10, 8);
    ExpectRect(r - CPoint(2, 2), -2, -2, 6, 4);
    r.MoveToXY(100, 200);
    ExpectRect(r, 100, 200, 108, 206);
}

TEST(GeometryTest, PointAndSizeArithmetic)
{
    CPoint p(3, 4);
    p += CSize(1, 1);
    EXPECT_EQ(p, CPoint(4, 5));
    p -= CPoint(4, 5);
    EXPECT_EQ(p, CPoint(0, 0));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 3), CSize(3, 2));
    EXPECT_EQ(CPoint(5, 5) - CSize(2, 3), CPoint(3, 2));
    EXPECT_EQ(-CPoint(1, -2), CPoint(-1, 2));
    EXPECT_EQ(CSize(1, 2) + CSize(3, 4), CSize(4, 6));
    EXPECT_NE(CSize(1, 2), CSize(2, 1));
    // Packed coordinates are signed 16-bit halves.
    CPoint packed(static_cast<DWORD>(MAKELONG(-5, 7)));
    EXPECT_EQ(packed, CPoint(-5, 7));
}

TEST(GeometryTest, FreeFunctionsRejectNull)
{
    RECT r;
    EXPECT_TRUE(SetRect(&r, 1, 2, 3, 4));
    ExpectRect(r, 1, 2, 3, 4);
    RECT c;
    EXPECT_TRUE(CopyRect(&c, &r));
    EXPECT_TRUE(EqualRect(&c, &r));
    EXPECT_TRUE(OffsetRect(&c, 1, 1));
    EXPECT_FALSE(EqualRect(&c, &r));
    EXPECT_TRUE(InflateRect(&c, 1, 1));
    ExpectRect(c, 1, 2, 5, 6);
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
    EXPECT_FALSE(CopyRect(nullptr, &r));
    EXPECT_TRUE(IsRectEmpty(nullptr));
    EXPECT_FALSE(IntersectRect(nullptr, &r, &c));
    EXPECT_TRUE(SetRectEmpty(&r));
    EXPECT_TRUE(IsRectEmpty(&r));
    LPCRECT cp = CRect(1, 1, 2, 2);
    (void)cp;
}

}  // namespace
