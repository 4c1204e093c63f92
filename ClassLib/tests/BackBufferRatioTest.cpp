// A self-drawn window's back buffer has as many pixels per logical pixel as its screen: what
// the window draws in logical coordinates fills whole blocks of them, text and curves draw at
// the full resolution, and copies from memory bitmaps land where they did at scale 1. Run
// once at scale 1 and once more at scale 2 (QT_SCALE_FACTOR=2, see CMakeLists.txt).
#include "WndTestUtil.h"

#include "../src/ui/WndInternal.h"

#include <ClassLib/Gdi/PaintTarget.h>

#include <QWidget>

#include <cstdlib>
#include <utility>
#include <cstring>

namespace {

class CDrawnWnd : public CWnd
{
public:
    bool m_bText = false;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(rc, RGB(255, 255, 255));
        // A one-pixel black line across at y = 10, from x = 5 up to (not including) x = 50.
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* pOld = dc.SelectObject(&pen);
        dc.MoveTo(5, 10);
        dc.LineTo(50, 10);
        dc.SelectObject(pOld);
        // A memory bitmap of 4 x 4 logical pixels, red, copied to (60, 20).
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, 4, 4);
        CBitmap* pOldBmp = mem.SelectObject(&bmp);
        mem.FillSolidRect(0, 0, 4, 4, RGB(255, 0, 0));
        dc.BitBlt(60, 20, 4, 4, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(pOldBmp);
        if (m_bText) {
            dc.SetBkMode(TRANSPARENT);
            dc.TextOut(5, 30, "Wg");
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawnWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

// Draws its whole client area into a memory bitmap first and copies that to the window, as
// the grid, the chart and the calendar do.
class CBufferedWnd : public CWnd
{
public:
    int m_nBitmapRatio = 0;
    CSize m_bitmapSize;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
        m_nBitmapRatio = AfxPixelRatioOf(&bmp);
        BITMAP bm{};
        bmp.GetBitmap(&bm);
        m_bitmapSize = CSize(bm.bmWidth, bm.bmHeight);
        CBitmap* pOld = mem.SelectObject(&bmp);
        mem.FillSolidRect(rc, RGB(255, 255, 255));
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* pOldPen = mem.SelectObject(&pen);
        mem.MoveTo(5, 10);
        mem.LineTo(50, 10);
        mem.SelectObject(pOldPen);
        mem.SetBkMode(TRANSPARENT);
        mem.TextOut(5, 30, "Wg");
        dc.BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
        mem.SelectObject(pOld);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBufferedWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class BackBufferRatio : public CWndTestBase
{
protected:
    const QImage& Picture(CWnd& wnd)
    {
        AfxUpdateAllWindows();
        wnd.UpdateWindow();
        return AfxWindowOf(wnd.GetSafeHwnd())->surface->image();
    }
    static int ScreenRatio(CWnd& wnd) { return qRound(AfxGetWidget(wnd.GetSafeHwnd())->devicePixelRatioF()); }
    static QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }
    // Blocks of k x k image pixels in the logical rectangle that hold more than one colour.
    static int MixedBlocks(const QImage& img, int k, const QRect& r)
    {
        int mixed = 0;
        for (int by = r.top(); by <= r.bottom(); ++by)
            for (int bx = r.left(); bx <= r.right(); ++bx) {
                const QRgb first = At(img, bx * k, by * k);
                for (int i = 0; i < k * k; ++i)
                    if (At(img, bx * k + i % k, by * k + i / k) != first) {
                        ++mixed;
                        break;
                    }
            }
        return mixed;
    }
};

}  // namespace

TEST_F(BackBufferRatio, LogicalPixelsAreWholeBlocksOfTheScreensPixels)
{
    CDrawnWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 120, 80));
    const int k = ScreenRatio(wnd);
    if (const char* scale = std::getenv("QT_SCALE_FACTOR"); scale && std::strcmp(scale, "2") == 0) {
        ASSERT_EQ(k, 2);
    }
    const QImage& img = Picture(wnd);
    CRect rc;
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), 120);  // logical sizes stay what they are
    ASSERT_EQ(img.width(), 120 * k);
    ASSERT_EQ(img.height(), 80 * k);
    EXPECT_DOUBLE_EQ(img.devicePixelRatio(), double(k));
    // The line covers exactly k image rows, from 5k up to 50k.
    for (int y = 9 * k - 1; y <= 11 * k; ++y) {
        const bool onLine = y >= 10 * k && y < 11 * k;
        EXPECT_EQ(At(img, 20 * k, y), onLine ? 0x000000u : 0xFFFFFFu) << "y " << y;
    }
    EXPECT_EQ(At(img, 5 * k, 10 * k), 0x000000u);
    EXPECT_EQ(At(img, 5 * k - 1, 10 * k), 0xFFFFFFu);
    EXPECT_EQ(At(img, 50 * k - 1, 10 * k), 0x000000u);
    EXPECT_EQ(At(img, 50 * k, 10 * k), 0xFFFFFFu);
    // The memory bitmap's 4 x 4 pixels cover 4k x 4k at (60k, 20k), and nothing beyond.
    EXPECT_EQ(At(img, 60 * k, 20 * k), 0xFF0000u);
    EXPECT_EQ(At(img, 64 * k - 1, 24 * k - 1), 0xFF0000u);
    EXPECT_EQ(At(img, 64 * k, 20 * k), 0xFFFFFFu);
    EXPECT_EQ(At(img, 60 * k, 24 * k), 0xFFFFFFu);
    EXPECT_EQ(At(img, 60 * k - 1, 20 * k), 0xFFFFFFu);
    // Read back through a context: logical pixels.
    CClientDC dc(&wnd);
    EXPECT_EQ(dc.GetPixel(20, 10), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(61, 21), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(61, 25), RGB(255, 255, 255));
    wnd.DestroyWindow();
}

TEST_F(BackBufferRatio, InvertingTwiceGivesBackEveryImagePixel)
{
    CDrawnWnd wnd;
    wnd.m_bText = true;
    ASSERT_TRUE(CreateTopFrame(wnd, 120, 80));
    const int k = ScreenRatio(wnd);
    const QImage before = Picture(wnd).copy();
    {
        CClientDC dc(&wnd);
        dc.PatBlt(2, 25, 40, 20, DSTINVERT);
    }
    const QImage& inverted = Picture(wnd);
    // Each image pixel is inverted on its own: the text's detail stays.
    EXPECT_EQ(At(inverted, 20 * k, 10 * k), 0x000000u);
    EXPECT_EQ(At(inverted, 3 * k, 26 * k), 0x000000u);  // white inverted
    int differing = 0;
    for (int y = 25 * k; y < 45 * k; ++y)
        for (int x = 2 * k; x < 42 * k; ++x)
            differing += (At(inverted, x, y) ^ At(before, x, y)) == 0xFFFFFFu ? 0 : 1;
    EXPECT_EQ(differing, 0);
    {
        CClientDC dc(&wnd);
        dc.PatBlt(2, 25, 40, 20, DSTINVERT);
    }
    const QImage& again = Picture(wnd);
    EXPECT_TRUE(again.copy() == before);
    wnd.DestroyWindow();
}

TEST_F(BackBufferRatio, ScrollingMovesWholeBlocks)
{
    CDrawnWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 120, 80));
    const int k = ScreenRatio(wnd);
    Picture(wnd);
    // Three logical pixels down; what is uncovered is painted again (the line at 10 too).
    wnd.ScrollWindow(0, 3);
    const QImage& img = Picture(wnd);
    ASSERT_EQ(img.width(), 120 * k);
    for (int y = 12 * k; y <= 14 * k; ++y) {
        const bool onLine = y >= 13 * k && y < 14 * k;
        EXPECT_EQ(At(img, 20 * k, y), onLine ? 0x000000u : 0xFFFFFFu) << "y " << y;
    }
    // The copied bitmap moved from (60, 20) to (60, 23).
    EXPECT_EQ(At(img, 60 * k, 23 * k), 0xFF0000u);
    EXPECT_EQ(At(img, 64 * k - 1, 27 * k - 1), 0xFF0000u);
    EXPECT_EQ(At(img, 60 * k, 27 * k), 0xFFFFFFu);
    wnd.DestroyWindow();
}

TEST_F(BackBufferRatio, TextIsDrawnAtTheFullResolution)
{
    CDrawnWnd wnd;
    wnd.m_bText = true;
    ASSERT_TRUE(CreateTopFrame(wnd, 120, 80));
    const int k = ScreenRatio(wnd);
    if (k < 2)
        GTEST_SKIP() << "the screen has one pixel per logical pixel";
    const QImage& img = Picture(wnd);
    // Some block of k x k pixels in the text holds more than one colour: the glyphs are not
    // logical pixels enlarged.
    EXPECT_GT(MixedBlocks(img, k, QRect(3, 28, 37, 22)), 0);
    wnd.DestroyWindow();
}

TEST_F(BackBufferRatio, AMemoryBitmapDrawnAndCopiedKeepsEveryPixel)
{
    CBufferedWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 120, 80));
    const int k = ScreenRatio(wnd);
    const QImage& img = Picture(wnd);
    // The bitmap has the window's pixels per logical pixel but reports its logical size.
    EXPECT_EQ(wnd.m_nBitmapRatio, k);
    EXPECT_EQ(wnd.m_bitmapSize, CSize(120, 80));
    // The one-pixel line is k image rows exactly, black on white with nothing in between.
    for (int y = 9 * k - 1; y <= 11 * k; ++y) {
        const bool onLine = y >= 10 * k && y < 11 * k;
        EXPECT_EQ(At(img, 20 * k, y), onLine ? 0x000000u : 0xFFFFFFu) << "y " << y;
    }
    EXPECT_EQ(At(img, 5 * k - 1, 10 * k), 0xFFFFFFu);
    EXPECT_EQ(At(img, 5 * k, 10 * k + k - 1), 0x000000u);
    EXPECT_EQ(At(img, 50 * k - 1, 10 * k), 0x000000u);
    EXPECT_EQ(At(img, 50 * k, 10 * k), 0xFFFFFFu);
    // The text went through the bitmap at the screen's resolution.
    if (k > 1) {
        EXPECT_GT(MixedBlocks(img, k, QRect(3, 28, 37, 22)), 0);
    }
    wnd.DestroyWindow();
}

TEST_F(BackBufferRatio, AScaledBitmapReadsAndPatternsInLogicalPixels)
{
    CDrawnWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 40, 40));
    CClientDC dc(&wnd);
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dc, 3, 2));
    EXPECT_EQ(AfxPixelRatioOf(&bmp), AfxPixelRatioOf(&dc));
    // Bits in: one 32-bit word per logical pixel, rows padded to 16 bits.
    const DWORD in[6] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0x00FFFFFFu, 0x00000000u, 0x00808080u};
    ASSERT_EQ(bmp.SetBitmapBits(sizeof(in), in), (DWORD)sizeof(in));
    DWORD out[6] = {};
    ASSERT_EQ(bmp.GetBitmapBits(sizeof(out), out), (DWORD)sizeof(out));
    EXPECT_EQ(std::memcmp(in, out, sizeof(in)), 0);
    // A pattern brush of it repeats every 3 x 2 logical pixels.
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(&dc, 6, 4));
    CBitmap* pOld = mem.SelectObject(&target);
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush(&bmp));
    mem.FillRect(CRect(0, 0, 6, 4), &brush);
    EXPECT_EQ(mem.GetPixel(0, 0), RGB(0xFF, 0, 0));
    EXPECT_EQ(mem.GetPixel(4, 0), RGB(0, 0xFF, 0));
    EXPECT_EQ(mem.GetPixel(5, 3), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(mem.GetPixel(3, 2), RGB(0xFF, 0, 0));
    mem.SelectObject(pOld);
    wnd.DestroyWindow();
}

namespace {

// A diagonal line and a diamond filled with an inverting raster operation, drawn into a memory
// bitmap and copied over.
class CSlantWnd : public CWnd
{
protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
        CBitmap* pOld = mem.SelectObject(&bmp);
        mem.FillSolidRect(rc, RGB(255, 255, 255));
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* pOldPen = mem.SelectObject(&pen);
        mem.MoveTo(10, 10);
        mem.LineTo(50, 30);
        // The diamond: inverted (white to black) inside, no outline.
        mem.SelectStockObject(NULL_PEN);
        CBrush brush(RGB(0, 0, 0));
        CBrush* pOldBrush = mem.SelectObject(&brush);
        mem.SetROP2(R2_NOT);
        const POINT diamond[4] = {{80, 10}, {100, 30}, {80, 50}, {60, 30}};
        mem.Polygon(diamond, 4);
        mem.SetROP2(R2_COPYPEN);
        mem.SelectObject(pOldBrush);
        mem.SelectObject(pOldPen);
        dc.BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
        mem.SelectObject(pOld);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSlantWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

// The black run of an image column within rows [y0, y1): its first row and length; -1 when
// none, -2 when there are two runs or a colour other than black and white.
std::pair<int, int> BlackRun(const QImage& img, int x, int y0, int y1)
{
    int first = -1, length = 0;
    bool ended = false;
    for (int y = y0; y < y1; ++y) {
        const QRgb c = img.pixel(x, y) & 0xFFFFFFu;
        if (c != 0 && c != 0xFFFFFFu)
            return {-2, 0};
        if (c == 0) {
            if (ended)
                return {-2, 0};
            if (first < 0)
                first = y;
            ++length;
        } else if (first >= 0) {
            ended = true;
        }
    }
    return {first, length};
}

}  // namespace

TEST_F(BackBufferRatio, DiagonalsAndPolygonEdgesStepByImagePixels)
{
    CSlantWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 120, 60));
    const int k = ScreenRatio(wnd);
    const QImage& img = Picture(wnd);
    // The line: in every image column from 10k to 50k, one black run of k or k + 1 rows (a
    // logical pixel thick, nothing blurred); at scale 2 the runs start on odd rows too, so its
    // steps are image pixels rather than enlarged logical ones.
    int oddStarts = 0;
    for (int x = 10 * k; x < 50 * k; ++x) {
        const auto [first, length] = BlackRun(img, x, 5 * k, 35 * k);
        ASSERT_GE(first, 0) << "x " << x;
        EXPECT_TRUE(length == k || length == k + 1) << "x " << x << " length " << length;
        oddStarts += first % k != 0 ? 1 : 0;
    }
    if (k > 1) {
        EXPECT_GT(oddStarts, 0);
    }
    // Nothing beyond the ends.
    EXPECT_EQ(BlackRun(img, 10 * k - 1, 5 * k, 35 * k).first, -1);
    EXPECT_EQ(BlackRun(img, 50 * k + k, 5 * k, 35 * k).first, -1);
    // The diamond: one black run per column, nothing but black and white; at scale 2 its
    // edges step by image pixels.
    oddStarts = 0;
    for (int x = 61 * k; x < 99 * k; ++x) {
        const auto [first, length] = BlackRun(img, x, 5 * k, 55 * k);
        ASSERT_GE(first, 0) << "x " << x;
        EXPECT_GT(length, 0);
        oddStarts += first % k != 0 ? 1 : 0;
    }
    if (k > 1) {
        EXPECT_GT(oddStarts, 0);
    }
    wnd.DestroyWindow();
}

TEST_F(BackBufferRatio, ADiagonalInvertedTwiceGivesBackEveryImagePixel)
{
    CDrawnWnd wnd;
    wnd.m_bText = true;
    ASSERT_TRUE(CreateTopFrame(wnd, 120, 80));
    const QImage before = Picture(wnd).copy();
    auto invert = [&] {
        CClientDC dc(&wnd);
        dc.SetROP2(R2_NOT);
        dc.MoveTo(3, 5);
        dc.LineTo(70, 40);
        dc.LineTo(20, 70);
        const POINT tri[3] = {{80, 5}, {110, 40}, {75, 60}};
        dc.SelectStockObject(NULL_PEN);
        dc.Polygon(tri, 3);
    };
    invert();
    EXPECT_FALSE(Picture(wnd).copy() == before);
    invert();
    EXPECT_TRUE(Picture(wnd).copy() == before);
    wnd.DestroyWindow();
}
TEST_F(BackBufferRatio, AReducedCopyOntoAScaledPictureSamplesEachImagePixel)
{
    CDrawnWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 120, 80));
    const int k = ScreenRatio(wnd);
    Picture(wnd);
    // 40 x 1 pixels of one pixel per logical pixel: black on the odd columns, white on the even.
    DWORD bits[40];
    for (int x = 0; x < 40; ++x)
        bits[x] = x % 2 ? 0x000000u : 0xFFFFFFu;
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(40, 1, 1, 32, bits));
    {
        CClientDC dc(&wnd);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap* pOld = mem.SelectObject(&bmp);
        // Halved onto 20 x 4 logical pixels at (10, 60), averaging what falls together.
        dc.SetStretchBltMode(HALFTONE);
        ASSERT_TRUE(dc.StretchBlt(10, 60, 20, 4, &mem, 0, 0, 40, 1, SRCCOPY));
        mem.SelectObject(pOld);
    }
    const QImage& img = Picture(wnd);
    for (int x = 10 * k; x < 30 * k; ++x) {
        // At scale 1 each pixel is the mean of a white and a black one; at scale 2 each image
        // pixel shows its own source pixel.
        const QRgb want = k == 1 ? 0x808080u : ((x - 10 * k) % 2 ? 0x000000u : 0xFFFFFFu);
        EXPECT_EQ(At(img, x, 61 * k), want) << "x " << x;
    }
    EXPECT_EQ(At(img, 30 * k, 61 * k), 0xFFFFFFu);
    wnd.DestroyWindow();
}

TEST_F(BackBufferRatio, ADiagonalFromOutsideDrawsOnlyInsideItsClip)
{
    CDrawnWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 120, 80));
    const int k = ScreenRatio(wnd);
    const QImage before = Picture(wnd).copy();
    {
        CClientDC dc(&wnd);
        // A clip of two rectangles; the line comes from the left of the window into the first.
        CRgn a, b;
        a.CreateRectRgn(0, 0, 10, 10);
        b.CreateRectRgn(30, 20, 50, 40);
        a.CombineRgn(&a, &b, RGN_OR);
        dc.SelectClipRgn(&a);
        dc.MoveTo(-20, 0);
        dc.LineTo(5, 5);
        dc.MoveTo(-20, 25);
        dc.LineTo(45, 30);
    }
    const QImage& img = Picture(wnd);
    int inside = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (At(img, x, y) == At(before, x, y))
                continue;
            const QPoint p(x / k, y / k);
            EXPECT_TRUE(QRect(0, 0, 10, 10).contains(p) || QRect(30, 20, 20, 20).contains(p)) << x << ", " << y;
            ++inside;
        }
    EXPECT_GT(inside, 0);
    wnd.DestroyWindow();
}
