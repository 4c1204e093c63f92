// The off-screen drawing context of the grid's paint.
#include "MemDC.h"

#include <ClassLib/Gdi/PaintTarget.h>
#include <ClassLib/Testing.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QImage>

TEST(GridMemDC, ScreenTargetGetsOneCopyOfTheClipBox)
{
    AfxEnsureApplication();
    CRecordingDC dc(300, 200);
    dc.IntersectClipRect(10, 20, 110, 70);
    {
        CMemDC mem(&dc);
        CRect clip;
        mem.GetClipBox(&clip);
        EXPECT_TRUE(clip == CRect(10, 20, 110, 70));
        mem.FillSolidRect(CRect(15, 25, 30, 40), RGB(9, 9, 9));
        // Nothing reaches the target before the end.
        EXPECT_TRUE(dc.Ops().empty());
    }
    ASSERT_EQ(1u, dc.Ops().size());
    const AfxDrawOp& op = dc.Ops()[0];
    EXPECT_EQ(AfxDrawKind::Blt, op.kind);
    EXPECT_TRUE(op.rect == CRect(10, 20, 110, 70));
    EXPECT_EQ((UINT)SRCCOPY, op.flags);

    // The copied pixels: the fill where it was drawn, the target's background elsewhere.
    QImage img = AfxImageOfBitmap(dc.GetBitmapHandle());
    EXPECT_EQ(0x090909u, img.pixel(20, 30) & 0xFFFFFF);
    EXPECT_EQ(0xFFFFFFu, img.pixel(50, 50) & 0xFFFFFF);
}

TEST(GridMemDC, PrintingTargetIsDrawnIntoDirectly)
{
    AfxEnsureApplication();
    CRecordingDC dc(300, 200);
    dc.m_bPrinting = TRUE;
    {
        CMemDC mem(&dc);
        EXPECT_TRUE(mem.IsPrinting());
        EXPECT_EQ(dc.GetSafeHdc(), mem.GetSafeHdc());
        mem.FillSolidRect(CRect(1, 2, 3, 4), RGB(9, 9, 9));
    }
    ASSERT_EQ(1u, dc.Ops().size());
    EXPECT_EQ(AfxDrawKind::FillRect, dc.Ops()[0].kind);
    EXPECT_EQ(RGB(9, 9, 9), dc.Ops()[0].color);
    // The target is still usable: the context handle was not taken away.
    dc.FillSolidRect(CRect(5, 5, 6, 6), RGB(1, 1, 1));
    EXPECT_EQ(2u, dc.Ops().size());
    dc.m_bPrinting = FALSE;
}

TEST(GridMemDC, AKeptBufferIsReusedAndMadeAnewOnlyWhenOutgrown)
{
    AfxEnsureApplication();
    CRecordingDC dc(400, 300);
    CBitmap buffer;
    dc.IntersectClipRect(0, 0, 200, 100);
    {
        CMemDC mem(&dc, &buffer);
        mem.FillSolidRect(CRect(0, 0, 10, 10), RGB(9, 9, 9));
    }
    HGDIOBJ first = buffer.GetSafeHandle();
    ASSERT_NE(nullptr, first);
    BITMAP bm = {};
    buffer.GetBitmap(&bm);
    EXPECT_EQ(200, bm.bmWidth);
    EXPECT_EQ(100, bm.bmHeight);
    ASSERT_EQ(1u, dc.Ops().size());
    EXPECT_EQ(static_cast<HBITMAP>(first), dc.Ops()[0].bitmap);

    // A second paint of the same size, and a smaller one, draw into the same bitmap; what
    // the earlier paint left there does not show (the clip box is filled first).
    dc.Recorder().Clear();
    {
        CMemDC mem(&dc, &buffer);
    }
    EXPECT_EQ(first, buffer.GetSafeHandle());
    QImage img = AfxImageOfBitmap(dc.GetBitmapHandle());
    EXPECT_EQ(0xFFFFFFu, img.pixel(5, 5) & 0xFFFFFF);
    dc.SelectClipRgn(nullptr);
    dc.IntersectClipRect(50, 20, 100, 60);
    {
        CMemDC mem(&dc, &buffer);
    }
    EXPECT_EQ(first, buffer.GetSafeHandle());

    // A clip box taller than the buffer: a new one, never smaller than the old in either way.
    dc.SelectClipRgn(nullptr);
    dc.IntersectClipRect(0, 0, 150, 250);
    {
        CMemDC mem(&dc, &buffer);
    }
    buffer.GetBitmap(&bm);
    EXPECT_EQ(200, bm.bmWidth);
    EXPECT_EQ(250, bm.bmHeight);
}

namespace
{
// The grid's memory context on a window's own context outside its paint (the picture is the
// window's, at the screen's pixels per logical pixel).
class CPlainWnd : public CWnd
{
};

// Blocks of k x k pixels of the picture, within the logical rectangle, holding more than one
// colour.
int MixedBlocks(const QImage& img, int k, const CRect& r)
{
    int mixed = 0;
    for (int by = r.top; by < r.bottom; ++by)
        for (int bx = r.left; bx < r.right; ++bx)
            for (int i = 1; i < k * k; ++i)
                if (img.pixel(bx * k + i % k, by * k + i / k) != img.pixel(bx * k, by * k))
                {
                    ++mixed;
                    break;
                }
    return mixed;
}
} // namespace

TEST(GridMemDC, AWindowsPictureGetsABufferOfItsPixelsAndEveryOneOfThem)
{
    AfxEnsureApplication();
    CPlainWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "grid", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100,
                             nullptr, nullptr));
    // A buffer kept from a context of one pixel per logical pixel (the screen's), big enough.
    CBitmap buffer;
    {
        CClientDC screen(nullptr);
        ASSERT_TRUE(buffer.CreateCompatibleBitmap(&screen, 300, 200));
    }
    ASSERT_EQ(1, AfxPixelRatioOf(&buffer));
    int k = 1;
    {
        CClientDC dc(&wnd);
        k = AfxPixelRatioOf(&dc);
        {
            CMemDC mem(&dc, &buffer);
            mem.FillSolidRect(CRect(0, 0, 200, 100), RGB(255, 255, 255));
            mem.FillSolidRect(CRect(10, 10, 60, 11), RGB(0, 0, 0));
            mem.SetBkMode(TRANSPARENT);
            mem.TextOut(10, 30, "工期 Wg");
        }
    }
    // Made anew for the window's pixels when they differ, kept otherwise.
    EXPECT_EQ(k, AfxPixelRatioOf(&buffer));
    const CString path = AfxTestOutputPath(_T("GridMemDCPixels.png"));
    ASSERT_TRUE(AfxTestGrabWindow(&wnd, path));
    QImage img(QString::fromLocal8Bit((LPCTSTR)path));
    ASSERT_EQ(200 * k, img.width());
    // The one-pixel line: exactly k image rows.
    for (int y = 9 * k; y < 12 * k; ++y)
        EXPECT_EQ(y >= 10 * k && y < 11 * k ? 0u : 0xFFFFFFu, img.pixel(30 * k, y) & 0xFFFFFF) << y;
    // The text was drawn at the picture's own resolution.
    if (k > 1)
    {
        EXPECT_GT(MixedBlocks(img, k, CRect(8, 28, 80, 50)), 0);
    }
    wnd.DestroyWindow();
}