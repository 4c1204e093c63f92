// Raster operations and pixel rules on window backing images and bitmaps.
#include "WndTestUtil.h"

#include <ClassLib/Wnd/QtInterop.h>

namespace {

class RasterOps : public CWndTestBase
{
protected:
    // A memory context on a 64 x 48 bitmap filled with a test pattern.
    void SetUp() override
    {
        CWndTestBase::SetUp();
        mem.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&screenDC(), 64, 48);
        old = mem.SelectObject(&bmp);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                mem.SetPixel(x, y, RGB((x * 4) & 0xFF, (y * 5) & 0xFF, (x * y) & 0xFF));
    }
    void TearDown() override
    {
        mem.SelectObject(old);
        CWndTestBase::TearDown();
    }
    static CDC& screenDC()
    {
        static CDC* dc = [] {
            CDC* d = new CDC;
            d->Attach(::GetDC(nullptr));
            return d;
        }();
        return *dc;
    }
    QImage Pixels() { return AfxImageOfBitmap(static_cast<HBITMAP>(bmp.GetSafeHandle())); }

    CDC mem;
    CBitmap bmp;
    CBitmap* old = nullptr;
};

CBitmap* MakeHalftone(CBitmap& b)
{
    static const WORD bits[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    b.CreateBitmap(8, 8, 1, 1, bits);
    return &b;
}

TEST_F(RasterOps, PatInvertTwiceRestoresEveryPixel)
{
    QImage before = Pixels();
    CBitmap half;
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush(MakeHalftone(half)));
    CBrush* prev = mem.SelectObject(&brush);
    mem.PatBlt(5, 6, 40, 30, PATINVERT);
    QImage once = Pixels();
    EXPECT_NE(once, before);
    // Inside, every other pixel is inverted; outside nothing changed.
    int inverted = 0;
    for (int y = 6; y < 36; ++y)
        for (int x = 5; x < 45; ++x)
            if ((once.pixel(x, y) & 0xFFFFFF) == (~before.pixel(x, y) & 0xFFFFFF))
                ++inverted;
    EXPECT_EQ(inverted, 40 * 30 / 2);
    EXPECT_EQ(once.pixel(4, 6), before.pixel(4, 6));
    EXPECT_EQ(once.pixel(45, 35), before.pixel(45, 35));
    mem.PatBlt(5, 6, 40, 30, PATINVERT);
    EXPECT_EQ(Pixels(), before);
    mem.SelectObject(prev);
}

// A brush made from a colour picture repeats the picture from the brush origin, row by row;
// the fill's raster operation applies to each pixel.
TEST_F(RasterOps, ColourPatternBrushRepeatsFromTheBrushOrigin)
{
    auto plain = [](QRgb p) { return RGB(qRed(p), qGreen(p), qBlue(p)); };
    auto colourAt = [](int px, int py) { return RGB(40 * px + 10, 70 * py + 5, (px * 3 + py) * 20); };
    CDC picDC;
    picDC.CreateCompatibleDC(nullptr);
    CBitmap pic;
    ASSERT_TRUE(pic.CreateCompatibleBitmap(&screenDC(), 5, 3));
    CBitmap* oldPic = picDC.SelectObject(&pic);
    for (int py = 0; py < 3; ++py)
        for (int px = 0; px < 5; ++px)
            picDC.SetPixel(px, py, colourAt(px, py));
    picDC.SelectObject(oldPic);
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush(&pic));

    const QImage before = Pixels();
    mem.SetBrushOrg(2, 1);
    CRect rc(3, 7, 40, 20);
    mem.FillRect(&rc, &brush);
    QImage after = Pixels();
    for (int y = 7; y < 20; ++y)
        for (int x = 3; x < 40; ++x)
            ASSERT_EQ(plain(after.pixel(x, y)), colourAt(((x - 2) % 5 + 5) % 5, ((y - 1) % 3 + 3) % 3))
                << x << "," << y;
    EXPECT_EQ(after.pixel(2, 7), before.pixel(2, 7));
    EXPECT_EQ(after.pixel(40, 19), before.pixel(40, 19));

    // Through R2_XORPEN, the rectangle's inside takes the picture xor what was there.
    CBrush* prev = mem.SelectObject(&brush);
    CPen* prevPen = static_cast<CPen*>(mem.SelectStockObject(NULL_PEN));
    mem.SetROP2(R2_XORPEN);
    mem.Rectangle(3, 7, 40, 20);
    mem.SetROP2(R2_COPYPEN);
    mem.SelectObject(prevPen);
    mem.SelectObject(prev);
    after = Pixels();
    for (int y = 8; y < 18; ++y)
        for (int x = 4; x < 38; ++x)
            ASSERT_EQ(plain(after.pixel(x, y)), RGB(0, 0, 0)) << x << "," << y;
}

// Fills under a clip of several rectangles (a hole cut out of the clip) change the pixels of the
// clip only; a pattern picture keeps its phase from the brush origin in every piece of it.
TEST_F(RasterOps, FillsUnderAClipWithAHoleKeepThePatternPhaseAndSpareTheHole)
{
    auto plain = [](QRgb p) { return RGB(qRed(p), qGreen(p), qBlue(p)); };
    auto colourAt = [](int px, int py) { return RGB(50 * px + 7, 60 * py + 9, 30 * (px + py)); };
    CDC picDC;
    picDC.CreateCompatibleDC(nullptr);
    CBitmap pic;
    ASSERT_TRUE(pic.CreateCompatibleBitmap(&screenDC(), 3, 4));
    CBitmap* oldPic = picDC.SelectObject(&pic);
    for (int py = 0; py < 4; ++py)
        for (int px = 0; px < 3; ++px)
            picDC.SetPixel(px, py, colourAt(px, py));
    picDC.SelectObject(oldPic);
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush(&pic));

    const QImage before = Pixels();
    const CRect hole(20, 15, 31, 26);
    mem.ExcludeClipRect(&hole);
    mem.SetBrushOrg(1, 2);
    CRect rc(4, 5, 50, 40);
    mem.FillRect(&rc, &brush);
    QImage after = Pixels();
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            if (rc.PtInRect(CPoint(x, y)) && !hole.PtInRect(CPoint(x, y)))
                ASSERT_EQ(plain(after.pixel(x, y)), colourAt((x - 1) % 3, (y - 2) % 4)) << x << "," << y;
            else
                ASSERT_EQ(after.pixel(x, y), before.pixel(x, y)) << x << "," << y;
        }

    mem.FillSolidRect(0, 0, 64, 48, RGB(12, 34, 56));
    after = Pixels();
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            if (hole.PtInRect(CPoint(x, y)))
                ASSERT_EQ(after.pixel(x, y), before.pixel(x, y)) << x << "," << y;
            else
                ASSERT_EQ(plain(after.pixel(x, y)), RGB(12, 34, 56)) << x << "," << y;
        }
    mem.SelectClipRgn(nullptr);
}

TEST_F(RasterOps, DstInvertInvertRectAndXorPenAreSelfInverse)
{
    QImage before = Pixels();
    mem.PatBlt(0, 0, 10, 10, DSTINVERT);
    EXPECT_EQ(Pixels().pixel(3, 3) & 0xFFFFFF, ~before.pixel(3, 3) & 0xFFFFFF);
    CRect r(0, 0, 10, 10);
    mem.InvertRect(&r);
    EXPECT_EQ(Pixels(), before);

    CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* oldPen = mem.SelectObject(&pen);
    int oldRop = mem.SetROP2(R2_XORPEN);
    for (int pass = 0; pass < 2; ++pass) {
        mem.MoveTo(2, 3);
        mem.LineTo(60, 40);  // diagonal
        mem.MoveTo(0, 20);
        mem.LineTo(63, 20);
    }
    EXPECT_EQ(Pixels(), before);
    mem.SetROP2(R2_NOT);
    CBrush* oldBrush = static_cast<CBrush*>(mem.SelectStockObject(NULL_BRUSH));
    mem.Rectangle(3, 3, 30, 20);
    EXPECT_EQ(Pixels().pixel(3, 3) & 0xFFFFFF, ~before.pixel(3, 3) & 0xFFFFFF);
    EXPECT_EQ(Pixels().pixel(4, 4), before.pixel(4, 4));  // the hollow brush left the inside
    mem.Rectangle(3, 3, 30, 20);
    EXPECT_EQ(Pixels(), before);
    mem.SetROP2(oldRop);
    mem.SelectObject(oldPen);
    mem.SelectObject(oldBrush);
}

TEST_F(RasterOps, DrawFocusRectTwiceRemovesIt)
{
    QImage before = Pixels();
    CRect r(10, 10, 30, 25);
    mem.DrawFocusRect(&r);
    QImage once = Pixels();
    int changed = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            if (once.pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(x == 10 || x == 29 || y == 10 || y == 24) << x << "," << y;
                EXPECT_EQ((x + y) % 2, 0);
            }
    EXPECT_GT(changed, 20);
    mem.DrawFocusRect(&r);
    EXPECT_EQ(Pixels(), before);
}

TEST_F(RasterOps, RectanglesExcludeRightAndBottomAndLineToExcludesItsEnd)
{
    mem.FillSolidRect(0, 0, 64, 48, RGB(255, 0, 0));
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush brush(RGB(255, 255, 255));
    mem.SelectObject(&pen);
    mem.SelectObject(&brush);
    mem.Rectangle(10, 10, 20, 20);
    EXPECT_EQ(mem.GetPixel(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(mem.GetPixel(19, 19), RGB(0, 0, 0));
    EXPECT_EQ(mem.GetPixel(20, 20), RGB(255, 0, 0));
    EXPECT_EQ(mem.GetPixel(11, 11), RGB(255, 255, 255));
    EXPECT_EQ(mem.GetPixel(18, 18), RGB(255, 255, 255));
    // With the null pen the fill is one pixel smaller each way.
    mem.SelectStockObject(NULL_PEN);
    mem.Rectangle(30, 10, 40, 20);
    EXPECT_EQ(mem.GetPixel(30, 10), RGB(255, 255, 255));
    EXPECT_EQ(mem.GetPixel(38, 18), RGB(255, 255, 255));
    EXPECT_EQ(mem.GetPixel(39, 19), RGB(255, 0, 0));
    mem.SelectObject(&pen);
    mem.MoveTo(0, 30);
    mem.LineTo(10, 30);
    EXPECT_EQ(mem.GetPixel(9, 30), RGB(0, 0, 0));
    EXPECT_EQ(mem.GetPixel(10, 30), RGB(255, 0, 0));
    EXPECT_EQ(mem.GetCurrentPosition(), CPoint(10, 30));
    // FillRect fills [left, right) x [top, bottom).
    CRect fr(40, 30, 44, 33);
    CBrush green(RGB(0, 255, 0));
    mem.FillRect(&fr, &green);
    EXPECT_EQ(mem.GetPixel(43, 32), RGB(0, 255, 0));
    EXPECT_EQ(mem.GetPixel(44, 32), RGB(255, 0, 0));
    EXPECT_EQ(mem.GetPixel(43, 33), RGB(255, 0, 0));
}

TEST_F(RasterOps, FillSolidRectLeavesTheBackgroundColourAndDraw3dRectColoursItsSides)
{
    mem.SetBkColor(RGB(1, 1, 1));
    mem.FillSolidRect(0, 0, 64, 48, RGB(9, 8, 7));
    EXPECT_EQ(mem.GetBkColor(), RGB(9, 8, 7));
    mem.Draw3dRect(10, 10, 20, 10, RGB(255, 255, 255), RGB(0, 0, 0));
    EXPECT_EQ(mem.GetPixel(10, 10), RGB(255, 255, 255));  // top-left corner
    EXPECT_EQ(mem.GetPixel(28, 10), RGB(255, 255, 255));
    EXPECT_EQ(mem.GetPixel(29, 10), RGB(0, 0, 0));        // top-right corner belongs to the right side
    EXPECT_EQ(mem.GetPixel(10, 19), RGB(0, 0, 0));        // bottom-left to the bottom side
    EXPECT_EQ(mem.GetPixel(11, 11), RGB(9, 8, 7));
}

TEST_F(RasterOps, DashedPensAndHatchBrushesFollowTheBackgroundMode)
{
    mem.FillSolidRect(0, 0, 64, 48, RGB(255, 255, 255));
    CPen dot(PS_DOT, 1, RGB(0, 0, 0));
    mem.SelectObject(&dot);
    mem.SetBkMode(TRANSPARENT);
    mem.MoveTo(0, 5);
    mem.LineTo(60, 5);
    int ink = 0, gaps = 0;
    for (int x = 0; x < 60; ++x)
        (mem.GetPixel(x, 5) == RGB(0, 0, 0) ? ink : gaps)++;
    EXPECT_GT(ink, 0);
    EXPECT_GT(gaps, 0);
    mem.SetBkMode(OPAQUE);
    mem.SetBkColor(RGB(255, 0, 0));
    mem.MoveTo(0, 7);
    mem.LineTo(60, 7);
    for (int x = 0; x < 60; ++x)
        EXPECT_TRUE(mem.GetPixel(x, 7) == RGB(0, 0, 0) || mem.GetPixel(x, 7) == RGB(255, 0, 0));

    CBrush hatch(HS_CROSS, RGB(0, 0, 255));
    CRect r(0, 10, 16, 26);
    mem.SetBkMode(TRANSPARENT);
    mem.FillRect(&r, &hatch);
    int blue = 0, white = 0;
    for (int y = 10; y < 26; ++y)
        for (int x = 0; x < 16; ++x)
            (mem.GetPixel(x, y) == RGB(0, 0, 255) ? blue : white)++;
    EXPECT_EQ(blue, 2 * (8 + 8 + 8 - 1) + 2 * 7);  // lines of a cross every 8 pixels
    EXPECT_EQ(blue + white, 256);
}

TEST_F(RasterOps, MonochromeBitmapsTakeTheTextAndBackgroundColours)
{
    CDC monoDC;
    monoDC.CreateCompatibleDC(&mem);
    CBitmap mono;
    // Rows padded to 16 bits, the leftmost pixel in the high bit of the first byte.
    static const BYTE bits[4] = {0xF0, 0x00, 0x0F, 0x00};  // row 0: 1111 0000; row 1: 0000 1111
    ASSERT_TRUE(mono.CreateBitmap(8, 2, 1, 1, bits));
    BITMAP info;
    mono.GetBitmap(&info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidth, 8);
    CBitmap* prev = monoDC.SelectObject(&mono);
    mem.SetTextColor(RGB(10, 20, 30));
    mem.SetBkColor(RGB(200, 210, 220));
    mem.BitBlt(0, 0, 8, 2, &monoDC, 0, 0, SRCCOPY);
    EXPECT_EQ(mem.GetPixel(0, 0), RGB(200, 210, 220));  // 1 bits: background colour
    EXPECT_EQ(mem.GetPixel(5, 0), RGB(10, 20, 30));     // 0 bits: text colour
    EXPECT_EQ(mem.GetPixel(0, 1), RGB(10, 20, 30));
    EXPECT_EQ(mem.GetPixel(6, 1), RGB(200, 210, 220));
    // A fresh memory context makes monochrome compatible bitmaps, as on the platform.
    CDC fresh;
    fresh.CreateCompatibleDC(nullptr);
    CBitmap compat;
    compat.CreateCompatibleBitmap(&fresh, 4, 4);
    compat.GetBitmap(&info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    // Bits round trip.
    BYTE back[4] = {1, 1, 1, 1};
    EXPECT_EQ(mono.GetBitmapBits(sizeof(back), back), (DWORD)sizeof(back));
    EXPECT_EQ(back[0], 0xF0);
    EXPECT_EQ(back[1], 0x00);
    EXPECT_EQ(back[2], 0x0F);
    EXPECT_EQ(back[3], 0x00);
    monoDC.SelectObject(prev);
}

TEST_F(RasterOps, SourceRopsCombineBitwise)
{
    CDC src;
    src.CreateCompatibleDC(&mem);
    CBitmap sb;
    sb.CreateCompatibleBitmap(&screenDC(), 4, 4);
    CBitmap* prev = src.SelectObject(&sb);
    src.FillSolidRect(0, 0, 4, 4, RGB(0x0F, 0xF0, 0x33));
    mem.FillSolidRect(0, 0, 4, 4, RGB(0x55, 0x55, 0x55));
    mem.BitBlt(0, 0, 1, 1, &src, 0, 0, SRCAND);
    mem.BitBlt(1, 0, 1, 1, &src, 0, 0, SRCPAINT);
    mem.BitBlt(2, 0, 1, 1, &src, 0, 0, SRCINVERT);
    mem.BitBlt(3, 0, 1, 1, &src, 0, 0, NOTSRCCOPY);
    EXPECT_EQ(mem.GetPixel(0, 0), RGB(0x05, 0x50, 0x11));
    EXPECT_EQ(mem.GetPixel(1, 0), RGB(0x5F, 0xF5, 0x77));
    EXPECT_EQ(mem.GetPixel(2, 0), RGB(0x5A, 0xA5, 0x66));
    EXPECT_EQ(mem.GetPixel(3, 0), RGB(0xF0, 0x0F, 0xCC));
    // Stretching doubles each pixel.
    src.SetPixel(0, 0, RGB(1, 2, 3));
    mem.StretchBlt(10, 10, 8, 8, &src, 0, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(mem.GetPixel(11, 11), RGB(1, 2, 3));
    EXPECT_EQ(mem.GetPixel(12, 11), RGB(0x0F, 0xF0, 0x33));
    src.SelectObject(prev);
}

TEST_F(RasterOps, RegionsWindingDiamondFrameAndCombine)
{
    // The milestone diamond of the chart: corners (l-5, t), (l, t-5), (l+5, t), (l, t+5).
    POINT d[4] = {{15, 20}, {20, 15}, {25, 20}, {20, 25}};
    CRgn diamond;
    ASSERT_TRUE(diamond.CreatePolygonRgn(d, 4, WINDING));
    EXPECT_TRUE(diamond.PtInRegion(20, 20));
    EXPECT_TRUE(diamond.PtInRegion(17, 20));
    EXPECT_FALSE(diamond.PtInRegion(16, 16));
    EXPECT_FALSE(diamond.PtInRegion(26, 20));
    CRect box;
    EXPECT_EQ(diamond.GetRgnBox(&box), COMPLEXREGION);
    EXPECT_TRUE(box.PtInRect(CPoint(20, 20)));

    mem.FillSolidRect(0, 0, 64, 48, RGB(255, 255, 255));
    CRgn rect;
    rect.CreateRectRgn(30, 5, 40, 15);
    CBrush red(RGB(255, 0, 0));
    mem.FrameRgn(&rect, &red, 1, 1);
    EXPECT_EQ(mem.GetPixel(30, 5), RGB(255, 0, 0));
    EXPECT_EQ(mem.GetPixel(39, 14), RGB(255, 0, 0));
    EXPECT_EQ(mem.GetPixel(31, 6), RGB(255, 255, 255));
    EXPECT_EQ(mem.GetPixel(40, 15), RGB(255, 255, 255));

    CRgn a, b, both;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    both.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(both.PtInRegion(7, 7));
    EXPECT_TRUE(both.PtInRegion(2, 7));
}

TEST_F(RasterOps, ClipRegionsAndClipBoxInLogicalUnits)
{
    mem.FillSolidRect(0, 0, 64, 48, RGB(255, 255, 255));
    mem.IntersectClipRect(10, 10, 20, 20);
    CRect clip;
    EXPECT_EQ(mem.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, CRect(10, 10, 20, 20));
    mem.FillSolidRect(0, 0, 64, 48, RGB(0, 0, 0));
    EXPECT_EQ(mem.GetPixel(25, 15), CLR_INVALID);  // outside the clip nothing is read
    mem.SelectClipRgn(nullptr);
    EXPECT_EQ(mem.GetPixel(15, 15), RGB(0, 0, 0));
    EXPECT_EQ(mem.GetPixel(25, 15), RGB(255, 255, 255));
    mem.SetWindowOrg(100, 200);
    mem.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(100, 200, 164, 248));
}

TEST_F(RasterOps, AnisotropicMappingScalesAndMovesOrigins)
{
    mem.FillSolidRect(0, 0, 64, 48, RGB(255, 255, 255));
    mem.SetMapMode(MM_ANISOTROPIC);
    mem.SetWindowExt(100, 100);
    mem.SetViewportExt(50, 25);
    mem.SetViewportOrg(4, 2);
    CPoint p(40, 40);
    mem.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(24, 12));
    mem.DPtoLP(&p);
    EXPECT_EQ(p, CPoint(40, 40));
    mem.FillSolidRect(0, 0, 20, 40, RGB(0, 0, 0));  // device (4, 2) to (14, 12)
    EXPECT_EQ(mem.GetPixel(0, 0), RGB(0, 0, 0));    // logical (0, 0) is device (4, 2)
    CDC& d = mem;
    d.SetMapMode(MM_TEXT);
    d.SetViewportOrg(0, 0);
    EXPECT_EQ(d.GetPixel(13, 11), RGB(0, 0, 0));
    EXPECT_EQ(d.GetPixel(14, 11), RGB(255, 255, 255));
    EXPECT_EQ(d.GetPixel(13, 12), RGB(255, 255, 255));
    // OffsetWindowOrg shifts what logical coordinates mean.
    d.OffsetWindowOrg(10, 0);
    d.SetPixel(10, 40, RGB(1, 2, 3));
    d.SetWindowOrg(0, 0);
    EXPECT_EQ(d.GetPixel(0, 40), RGB(1, 2, 3));
}

TEST_F(RasterOps, SaveAndRestoreKeepSelectionsColoursAndOrigins)
{
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* orig = mem.SelectObject(&red);
    mem.SetTextColor(RGB(1, 1, 1));
    int level = mem.SaveDC();
    EXPECT_EQ(level, 1);
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    mem.SelectObject(&blue);
    mem.SetTextColor(RGB(2, 2, 2));
    mem.SetWindowOrg(5, 5);
    mem.SetROP2(R2_XORPEN);
    EXPECT_TRUE(mem.RestoreDC(-1));
    EXPECT_EQ(mem.GetCurrentPen()->GetSafeHandle(), red.GetSafeHandle());
    EXPECT_EQ(mem.GetTextColor(), RGB(1, 1, 1));
    EXPECT_EQ(mem.GetWindowOrg(), CPoint(0, 0));
    EXPECT_EQ(mem.GetROP2(), R2_COPYPEN);
    EXPECT_FALSE(mem.RestoreDC(-1));  // nothing saved any more
    mem.SelectObject(orig);
}

TEST_F(RasterOps, DeletingASelectedObjectLeavesTheContextWorking)
{
    mem.FillSolidRect(0, 0, 64, 48, RGB(255, 255, 255));
    {
        CPen pen(PS_SOLID, 1, RGB(0, 128, 0));
        mem.SelectObject(&pen);
    }  // the pen object and its handle are gone; the context still has what it needs
    mem.MoveTo(0, 1);
    mem.LineTo(5, 1);
    EXPECT_EQ(mem.GetPixel(2, 1), RGB(0, 128, 0));
    mem.SelectStockObject(BLACK_PEN);
}

TEST_F(RasterOps, WindowContextsDrawOnTheBackingImage)
{
    CWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 80, 60));
    AfxPumpMessages();
    CClientDC dc(&wnd);
    CRect clip;
    dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 80, 60));
    QImage before;
    {
        dc.FillSolidRect(0, 0, 80, 60, RGB(0, 128, 255));
        CBitmap half;
        CBrush brush;
        brush.CreatePatternBrush(MakeHalftone(half));
        CBrush* prev = dc.SelectObject(&brush);
        EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 128, 255));
        dc.PatBlt(0, 0, 80, 60, PATINVERT);
        EXPECT_NE(dc.GetPixel(0, 0) == RGB(0, 128, 255), dc.GetPixel(1, 0) == RGB(0, 128, 255));
        dc.PatBlt(0, 0, 80, 60, PATINVERT);
        EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 128, 255));
        EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 128, 255));
        dc.SelectObject(prev);
    }
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 1280);
    EXPECT_FALSE(dc.IsPrinting());
    EXPECT_EQ(dc.GetWindow(), &wnd);
}

}  // namespace

namespace {

// A 300 x 300 white page with a one-pixel black frame, reduced 3:1 into a 100 x 100
// bitmap in the given stretch mode; the pixels of the reduced page.
QImage ReducedFrame(CDC& screen, int nMode)
{
    CDC page, small;
    CBitmap pageBmp, smallBmp;
    page.CreateCompatibleDC(nullptr);
    small.CreateCompatibleDC(nullptr);
    pageBmp.CreateCompatibleBitmap(&screen, 300, 300);
    smallBmp.CreateCompatibleBitmap(&screen, 100, 100);
    CBitmap* oldPage = page.SelectObject(&pageBmp);
    CBitmap* oldSmall = small.SelectObject(&smallBmp);
    page.FillSolidRect(0, 0, 300, 300, RGB(255, 255, 255));
    page.FillSolidRect(0, 0, 300, 1, RGB(0, 0, 0));
    page.FillSolidRect(0, 299, 300, 1, RGB(0, 0, 0));
    page.FillSolidRect(0, 0, 1, 300, RGB(0, 0, 0));
    page.FillSolidRect(299, 0, 1, 300, RGB(0, 0, 0));
    small.SetStretchBltMode(nMode);
    small.StretchBlt(0, 0, 100, 100, &page, 0, 0, 300, 300, SRCCOPY);
    small.SelectObject(oldSmall);
    page.SelectObject(oldPage);
    return AfxImageOfBitmap(static_cast<HBITMAP>(smallBmp.GetSafeHandle()));
}

}  // namespace

TEST_F(RasterOps, AOnePixelFrameSurvivesAThreeToOneReductionInTheSmoothingModes)
{
    // Area averaging: each frame pixel is a third of its block, so the edge comes out grey
    // (170), the inside stays white.
    QImage half = ReducedFrame(screenDC(), HALFTONE);
    for (int i = 1; i < 99; i += 33) {
        EXPECT_EQ(qRgb(170, 170, 170), half.pixel(i, 99) | 0xFF000000u) << i;
        EXPECT_EQ(qRgb(170, 170, 170), half.pixel(99, i) | 0xFF000000u) << i;
        EXPECT_EQ(qRgb(170, 170, 170), half.pixel(0, i) | 0xFF000000u) << i;
        EXPECT_EQ(qRgb(170, 170, 170), half.pixel(i, 0) | 0xFF000000u) << i;
    }
    EXPECT_EQ(qRgb(255, 255, 255), half.pixel(50, 50) | 0xFF000000u);
    EXPECT_EQ(qRgb(255, 255, 255), half.pixel(1, 1) | 0xFF000000u);
    // Black on white keeps the dark pixels: the frame stays black.
    QImage andScans = ReducedFrame(screenDC(), BLACKONWHITE);
    EXPECT_EQ(qRgb(0, 0, 0), andScans.pixel(99, 50) | 0xFF000000u);
    EXPECT_EQ(qRgb(0, 0, 0), andScans.pixel(50, 99) | 0xFF000000u);
    EXPECT_EQ(qRgb(255, 255, 255), andScans.pixel(50, 50) | 0xFF000000u);
    // White on black keeps the light ones: the frame goes.
    QImage orScans = ReducedFrame(screenDC(), WHITEONBLACK);
    EXPECT_EQ(qRgb(255, 255, 255), orScans.pixel(99, 50) | 0xFF000000u);
}
