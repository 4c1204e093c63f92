// The off-screen drawing context of the grid's paint.
#include "MemDC.h"

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
