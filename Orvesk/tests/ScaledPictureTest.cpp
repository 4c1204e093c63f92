// Windows that draw their picture into a memory bitmap first and copy it over: on a screen of
// k image pixels per logical pixel the picture they show has all of them (text drawn at the
// screen's resolution, one-pixel lines k image pixels wide). Run again at scale 2 (see
// CMakeLists.txt).
#include <ClassLib/Core/Clock.h>
#include <ClassLib/DocView/CreateContext.h>
#include <ClassLib/Gdi/PaintTarget.h>
#include <ClassLib/Testing.h>
#include <ClassLib/Testing/Input.h>
#include <gtest/gtest.h>

#include <QImage>

#include "CalendarDlg.h"
#include "Gantt_src/TaskDistributeWnd.h"
#include "NetworkView.h"
#include "ProjectDoc.h"

namespace {

int PixelRatio(CWnd& wnd)
{
    CClientDC dc(&wnd);
    return AfxPixelRatioOf(&dc);
}

QImage Picture(CWnd& wnd, const char* pszName)
{
    const CString path = AfxTestOutputPath(pszName);
    if (!AfxTestGrabWindow(&wnd, path))
        return QImage();
    return QImage(QString::fromLocal8Bit((LPCTSTR)path));
}

QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }

// Blocks of k x k image pixels within the logical rectangle that hold more than one colour:
// none where a picture of logical pixels was enlarged.
int MixedBlocks(const QImage& img, int k, const CRect& r)
{
    int mixed = 0;
    for (int by = r.top; by < r.bottom; ++by)
        for (int bx = r.left; bx < r.right; ++bx)
            for (int i = 1; i < k * k; ++i)
                if (At(img, bx * k + i % k, by * k + i / k) != At(img, bx * k, by * k)) {
                    ++mixed;
                    break;
                }
    return mixed;
}

class ScaledPicture : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }
};

}  // namespace

TEST_F(ScaledPicture, TheCalendarsDaysAndFrameKeepEveryPixel)
{
    CObList items, weekdays;
    CCalendarDlg dlg;
    dlg.SetCalendar(items, weekdays, "项目日历", 7, 0, -2);
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CCalendarWnd& wnd = static_cast<CCalendarDlg*>(pWnd)->m_wndCalendar;
        const int k = PixelRatio(wnd);
        CRect rc;
        wnd.GetClientRect(&rc);
        const QImage img = Picture(wnd, "calendar-pixels.png");
        ASSERT_EQ(rc.Width() * k, img.width());
        // The headings and day numbers show at the screen's resolution.
        const CRect heading = wnd.GetCell(0, 0)->m_rect;
        const CRect day = wnd.GetCell(3, 3)->m_rect;
        if (k > 1) {
            EXPECT_GT(MixedBlocks(img, k, heading), 0);
            EXPECT_GT(MixedBlocks(img, k, day), 0);
        }
        pWnd->PostMessage(WM_COMMAND, IDCANCEL);
    });
    dlg.DoModal();
}

TEST_F(ScaledPicture, TheDistributionChartsScaleKeepsEveryPixel)
{
    const COleDateTime today(2024, 3, 4, 9, 0, 0);
    AfxTestSetCurrentTime(&today);
    CProjectDoc* doc = new CProjectDoc;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = new CFrameWnd;
    frame->Create(NULL, "distribution", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400));
    CCreateContext ctx;
    ctx.m_pNewViewClass = RUNTIME_CLASS(CNetworkView);
    ctx.m_pCurrentDoc = doc;
    CNetworkView* view = static_cast<CNetworkView*>(frame->CreateView(&ctx));
    ASSERT_NE(nullptr, view);
    CRect rcFrame;
    frame->GetClientRect(&rcFrame);
    view->MoveWindow(&rcFrame);
    view->OnInitialUpdate();
    frame->ShowWindow(SW_SHOW);
    AfxPumpMessages();
    CTaskDistributeWnd& wnd = view->m_wndDistribute;
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
    const int k = PixelRatio(wnd);
    CRect rc;
    wnd.GetClientRect(&rc);
    const QImage img = Picture(wnd, "distribution-pixels.png");
    ASSERT_EQ(rc.Width() * k, img.width());
    // The first bar (green) where it lies at scale 1, in logical pixels.
    const int H = rc.Height() - 33;
    const int x1 = 90 + 100 + 15;
    EXPECT_EQ(0x00FF00u, At(img, x1 * k, (H - 2) * k));
    // The scale's texts at the bottom show at the screen's resolution.
    if (k > 1) {
        EXPECT_GT(MixedBlocks(img, k, CRect(0, rc.bottom - 32, rc.right, rc.bottom)), 0);
    }
    frame->DestroyWindow();
    delete doc;
    AfxTestSetCurrentTime(nullptr);
}
