// Timers driven by the settable tick count, invalidation and WM_PAINT.
#include "WndTestUtil.h"

#include <ClassLib/Gdi/PaintTarget.h>

namespace {

class WndTimerPaint : public CWndTestBase
{
};

class CTimerWnd : public CLogWnd
{
public:
    std::vector<UINT_PTR> fired;

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent) { fired.push_back(nIDEvent); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimerWnd, CLogWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(WndTimerPaint, TimersFireWhenTheTickCountPassesTheirInterval)
{
    DWORD t = 5000;
    AfxTestSetTickCount(&t);
    CTimerWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    EXPECT_EQ(wnd.SetTimer(0x201, 25, nullptr), (UINT_PTR)0x201);
    EXPECT_EQ(wnd.SetTimer(7, 100, nullptr), (UINT_PTR)7);
    AfxPumpMessages();
    EXPECT_TRUE(wnd.fired.empty());  // the clock has not moved
    AfxTestAdvanceTickCount(25);
    AfxPumpMessages();
    EXPECT_EQ(wnd.fired, (std::vector<UINT_PTR>{0x201}));
    AfxTestAdvanceTickCount(75);
    AfxPumpMessages();
    EXPECT_EQ(wnd.fired, (std::vector<UINT_PTR>{0x201, 0x201, 7}));
    EXPECT_TRUE(wnd.KillTimer(0x201));
    EXPECT_FALSE(wnd.KillTimer(0x201));
    AfxTestAdvanceTickCount(100);
    AfxPumpMessages();
    EXPECT_EQ(wnd.fired, (std::vector<UINT_PTR>{0x201, 0x201, 7, 7}));
    // A destroyed window's timers go with it.
    wnd.DestroyWindow();
    AfxTestAdvanceTickCount(1000);
    AfxPumpMessages();
    EXPECT_EQ(wnd.fired.size(), 4u);
}

TEST_F(WndTimerPaint, TimerCallbacksAndThreadTimers)
{
    static std::vector<UINT_PTR> calls;
    calls.clear();
    DWORD t = 100;
    AfxTestSetTickCount(&t);
    CWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    auto proc = [](HWND, UINT msg, UINT_PTR id, DWORD) {
        EXPECT_EQ(msg, (UINT)WM_TIMER);
        calls.push_back(id);
    };
    wnd.SetTimer(3, 50, proc);
    UINT_PTR threadTimer = ::SetTimer(nullptr, 0, 50, proc);
    EXPECT_NE(threadTimer, (UINT_PTR)0);
    AfxTestAdvanceTickCount(50);
    AfxPumpMessages();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], (UINT_PTR)3);
    EXPECT_EQ(calls[1], threadTimer);
    ::KillTimer(nullptr, threadTimer);
}

class CPaintWnd : public CLogWnd
{
public:
    std::vector<CRect> paints;
    int erases = 0;
    BOOL paintDC = FALSE;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        paints.push_back(dc.m_ps.rcPaint);
        paintDC = AfxIsWindowPaintDC(&dc);
        dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(1, 2, 3));
    }
    afx_msg BOOL OnEraseBkgnd(CDC*)
    {
        ++erases;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintWnd, CLogWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST_F(WndTimerPaint, InvalidRectsCombineIntoOnePaintWithEraseWhenAsked)
{
    CPaintWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 200, 100));
    AfxPumpMessages();
    wnd.paints.clear();
    wnd.erases = 0;
    CRect a(10, 10, 20, 20), b(50, 40, 60, 45);
    wnd.InvalidateRect(&a, FALSE);
    wnd.InvalidateRect(&b, FALSE);
    CRect update;
    EXPECT_TRUE(wnd.GetUpdateRect(&update));
    EXPECT_EQ(update, CRect(10, 10, 60, 45));
    wnd.UpdateWindow();
    ASSERT_EQ(wnd.paints.size(), 1u);
    EXPECT_EQ(wnd.paints[0], CRect(10, 10, 60, 45));
    EXPECT_EQ(wnd.erases, 0);
    EXPECT_FALSE(wnd.GetUpdateRect(&update));
    wnd.Invalidate(TRUE);
    AfxPumpMessages();
    EXPECT_EQ(wnd.erases, 1);
    EXPECT_EQ(wnd.paints.back(), CRect(0, 0, 200, 100));
    // The painted pixels are in the window's picture.
    CClientDC dc(&wnd);
    EXPECT_EQ(dc.GetPixel(150, 50), RGB(1, 2, 3));
}

// Only the context of a window's paint draws into a picture that is shown after the paint.
TEST_F(WndTimerPaint, OnlyAPaintsContextIsAWindowPaintContext)
{
    CPaintWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 200, 100));
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
    EXPECT_TRUE(wnd.paintDC);
    CClientDC client(&wnd);
    EXPECT_FALSE(AfxIsWindowPaintDC(&client));
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&client));
    EXPECT_FALSE(AfxIsWindowPaintDC(&mem));
    EXPECT_FALSE(AfxIsWindowPaintDC(nullptr));
}

// A child covers its parent's painting; hidden or destroyed, its place is the parent's again.
TEST_F(WndTimerPaint, ParentsPaintAroundTheirChildrenAndWhereAChildWas)
{
    CPaintWnd parent;
    ASSERT_TRUE(CreateTopFrame(parent, 200, 100));
    auto pixel = [&](int x, int y) {
        CClientDC dc(&parent);
        return dc.GetPixel(x, y);
    };
    auto mark = [&] {
        CClientDC dc(&parent);
        dc.FillSolidRect(30, 30, 5, 5, RGB(9, 9, 9));
    };
    for (bool destroy : {false, true}) {
        CWnd child;
        ASSERT_TRUE(child.CreateEx(0, AFX_WND_CLASS, "child", WS_CHILD | WS_VISIBLE, 20, 20, 40, 30, parent.GetSafeHwnd(),
                                   nullptr));
        AfxPumpMessages();
        mark();
        parent.Invalidate(TRUE);
        AfxPumpMessages();
        EXPECT_EQ(pixel(150, 50), RGB(1, 2, 3));
        EXPECT_EQ(pixel(32, 32), RGB(9, 9, 9));  // under the child: not painted
        if (destroy)
            child.DestroyWindow();
        else
            child.ShowWindow(SW_HIDE);
        AfxPumpMessages();
        EXPECT_EQ(pixel(32, 32), RGB(1, 2, 3)) << (destroy ? "destroyed" : "hidden");
    }
}

// A window sized several times between two drawings keeps only what every size kept; the
// rest is its background (nothing paints here: the pixels are the window's picture itself).
TEST_F(WndTimerPaint, ResizesBetweenDrawingsKeepOnlyWhatEverySizeKept)
{
    CBrush brush(RGB(7, 8, 9));
    LPCTSTR cls = AfxRegisterWndClass(0, nullptr, (HBRUSH)brush.GetSafeHandle());
    for (int cxLast : {200, 300}) {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, cls, "sized", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
        {
            CClientDC dc(&wnd);
            EXPECT_EQ(dc.GetPixel(199, 99), RGB(7, 8, 9));  // never drawn: the background
            dc.FillSolidRect(0, 0, 200, 100, RGB(255, 0, 0));
        }
        wnd.SetWindowPos(nullptr, 0, 0, 50, 40, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        wnd.SetWindowPos(nullptr, 0, 0, 120, 90, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        wnd.SetWindowPos(nullptr, 0, 0, cxLast, 100, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        CClientDC dc(&wnd);
        EXPECT_EQ(dc.GetPixel(49, 39), RGB(255, 0, 0)) << cxLast;
        EXPECT_EQ(dc.GetPixel(50, 10), RGB(7, 8, 9)) << cxLast;
        EXPECT_EQ(dc.GetPixel(10, 40), RGB(7, 8, 9)) << cxLast;
        EXPECT_EQ(dc.GetPixel(150, 50), RGB(7, 8, 9)) << cxLast;
        EXPECT_EQ(dc.GetPixel(cxLast - 1, 99), RGB(7, 8, 9)) << cxLast;
    }
}

TEST_F(WndTimerPaint, HiddenWindowsAreNotPaintedAndValidateRectCancelsPaint)
{
    CPaintWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "hidden", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    wnd.Invalidate();
    AfxPumpMessages();
    EXPECT_TRUE(wnd.paints.empty());
    wnd.ShowWindow(SW_SHOWNA);
    wnd.ValidateRect(nullptr);
    AfxPumpMessages();
    EXPECT_TRUE(wnd.paints.empty());
    wnd.RedrawWindow(CRect(1, 1, 5, 5), nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(wnd.paints.size(), 1u);
    EXPECT_EQ(wnd.paints[0], CRect(1, 1, 5, 5));
}

TEST_F(WndTimerPaint, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip)
{
    CPaintWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 100, 100));
    AfxPumpMessages();
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(0, 0, 100, 100, RGB(255, 255, 255));
        dc.FillSolidRect(10, 10, 5, 5, RGB(255, 0, 0));
    }
    wnd.paints.clear();
    wnd.ScrollWindow(0, 20);
    CRect update;
    wnd.GetUpdateRect(&update);
    EXPECT_EQ(update, CRect(0, 0, 100, 20));
    CClientDC dc(&wnd);
    EXPECT_EQ(dc.GetPixel(12, 32), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(12, 12), RGB(255, 0, 0));  // uncovered, not repainted yet: the old pixels
    EXPECT_EQ(dc.GetPixel(12, 17), RGB(255, 255, 255));
}

TEST_F(WndTimerPaint, SystemColorChangeReachesChildWindows)
{
    class CColorWnd : public CLogWnd
    {
    };
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD, CRect(0, 0, 10, 10), &frame, 1));
    INT idx = COLOR_BTNFACE;
    COLORREF c = RGB(1, 1, 1);
    SetSysColors(1, &idx, &c);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 1, 1));
    EXPECT_EQ(frame.Count(WM_SYSCOLORCHANGE), 1);
    EXPECT_EQ(child.Count(WM_SYSCOLORCHANGE), 1);  // the top-level window passed it on
}

}  // namespace
