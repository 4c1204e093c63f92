// Window scroll bars under the mouse, the scroll-bar control, wrapped Qt widgets, the
// 3-D drawing calls, window contexts and the close path.
#include "WndTestUtil.h"

#include <ClassLib/Wnd/QtInterop.h>

#include <QLineEdit>
#include <QScrollBar>

namespace {

class WndExtras : public CWndTestBase
{
};

struct ScrollLog
{
    std::vector<std::pair<UINT, UINT>> codes;  // (code, pos)
    std::vector<HWND> from;
};

}  // namespace

class CScrollingWnd : public CLogWnd
{
public:
    ScrollLog v, h;

protected:
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        v.codes.push_back({nSBCode, nPos});
        v.from.push_back(pScrollBar ? pScrollBar->GetSafeHwnd() : nullptr);
        if (nSBCode == SB_LINEDOWN)
            SetScrollPos(SB_VERT, GetScrollPos(SB_VERT) + 1);
        CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
    }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        h.codes.push_back({nSBCode, nPos});
        h.from.push_back(pScrollBar ? pScrollBar->GetSafeHwnd() : nullptr);
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScrollingWnd, CLogWnd)
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

namespace {

TEST_F(WndExtras, ClickingTheWindowScrollBarSendsScrollCodes)
{
    CScrollingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "s", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 100, 100, 200, 150, nullptr, nullptr));
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 99, 10, 0, 0};
    wnd.SetScrollInfo(SB_VERT, &si);
    QWidget* widget = AfxGetWidget(wnd.GetSafeHwnd());
    ASSERT_NE(widget, nullptr);
    QScrollBar* bar = widget->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry(), QRect(184, 0, 16, 150));
    // The hit test reports the bar.
    EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(100 + 190, 100 + 50)), (LRESULT)HTVSCROLL);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_EQ(wnd.v.codes.size(), 4u);
    EXPECT_EQ(wnd.v.codes[0].first, (UINT)SB_LINEDOWN);
    EXPECT_EQ(wnd.v.codes[1].first, (UINT)SB_ENDSCROLL);
    EXPECT_EQ(wnd.v.codes[2].first, (UINT)SB_PAGEDOWN);
    EXPECT_EQ(wnd.v.from[0], nullptr);  // the window's own bar: no control
    // The handler moved the position by one; the bar did not move by itself for the page.
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 1);
    EXPECT_EQ(bar->sliderPosition(), 1);
    // Dragging the thumb reports the tracking position.
    bar->setSliderDown(true);
    bar->setSliderPosition(40);
    SCROLLINFO track{sizeof(track), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    wnd.GetScrollInfo(SB_VERT, &track, SIF_TRACKPOS);
    EXPECT_EQ(track.nTrackPos, 40);
    bar->setSliderDown(false);
    auto last = wnd.v.codes[wnd.v.codes.size() - 2];
    EXPECT_EQ(last.first, (UINT)SB_THUMBPOSITION);
    EXPECT_EQ(last.second, 40u);
    // Nobody set the position: the thumb goes back.
    EXPECT_EQ(bar->sliderPosition(), 1);
}

TEST_F(WndExtras, TheScrollBarControlReportsToItsParentAndTheParentReflects)
{
    CScrollingWnd parent;
    ASSERT_TRUE(CreateTopFrame(parent));
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(SBS_HORZ | WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 16), &parent, 9));
    bar.SetScrollRange(0, 50);
    bar.SetScrollPos(60);
    EXPECT_EQ(bar.GetScrollPos(), 50);  // clamped to the range
    SCROLLINFO si{};
    EXPECT_TRUE(bar.GetScrollInfo(&si));
    EXPECT_EQ(si.nMax, 50);
    auto* qbar = qobject_cast<QScrollBar*>(AfxGetWidget(bar.GetSafeHwnd()));
    ASSERT_NE(qbar, nullptr);
    qbar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    ASSERT_FALSE(parent.h.codes.empty());
    EXPECT_EQ(parent.h.codes[0].first, (UINT)SB_LINEUP);
    EXPECT_EQ(parent.h.from[0], bar.GetSafeHwnd());
    EXPECT_EQ(bar.GetScrollPos(), 50);
}

// A window class wrapping a Qt line edit, as the controls layer does.
QWidget* MakeLineEdit(const CREATESTRUCT& cs, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setText(AfxQString(cs.lpszName));
    return e;
}

LRESULT CALLBACK LineEditProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* e = qobject_cast<QLineEdit*>(AfxGetWidget(h));
    if (e && msg == WM_GETTEXTLENGTH)
        return AfxCString(e->text()).GetLength();
    if (e && msg == WM_GETTEXT) {
        CString s = AfxCString(e->text());
        int n = std::min((int)wParam - 1, s.GetLength());
        if (n < 0)
            return 0;
        std::memcpy(reinterpret_cast<char*>(lParam), (LPCTSTR)s, (size_t)n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return n;
    }
    return DefWindowProc(h, msg, wParam, lParam);
}

}  // namespace

class CDigitsOnly : public CLogWnd
{
protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (nChar >= '0' && nChar <= '9')
            CWnd::OnChar(nChar, nRepCnt, nFlags);  // the default: the widget types it
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDigitsOnly, CLogWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

namespace {

TEST_F(WndExtras, AWrappedWidgetSeesOnlyTheInputItsHandlersPassOn)
{
    static bool registered = false;
    if (!registered)
        registered = AfxRegisterWidgetClass(nullptr, "TestLineEdit", CS_DBLCLKS, &LineEditProc, &MakeLineEdit);
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CDigitsOnly edit;
    ASSERT_TRUE(edit.CreateEx(0, "TestLineEdit", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 30), &frame, 5));
    edit.SetFocus();
    AfxTestTypeText(&edit, "a1b2");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString("12"));
    EXPECT_EQ(edit.Count(WM_CHAR), 4);  // every character was a message
    EXPECT_EQ(AfxHwndFromWidget(AfxGetWidget(edit.GetSafeHwnd())), edit.GetSafeHwnd());
}

TEST_F(WndExtras, EdgesFrameControlsAndDisabledStateDrawing)
{
    CRecordingDC dc(80, 40);
    dc.FillSolidRect(0, 0, 80, 40, RGB(255, 0, 0));
    CRect r(0, 0, 20, 10);
    dc.DrawEdge(&r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, CRect(2, 2, 18, 8));
    EXPECT_EQ(dc.GetPixel(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(dc.GetPixel(19, 9), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(dc.GetPixel(1, 1), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(dc.GetPixel(18, 8), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(255, 0, 0));  // no BF_MIDDLE
    CRect sunk(30, 0, 40, 10);
    dc.DrawEdge(&sunk, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    EXPECT_EQ(dc.GetPixel(30, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(dc.GetPixel(35, 5), GetSysColor(COLOR_3DFACE));
    CRect arrow(50, 0, 66, 16);
    dc.DrawFrameControl(&arrow, DFC_SCROLL, DFCS_SCROLLDOWN);
    auto fc = dc.Recorder().OfKind(AfxDrawKind::FrameControl);
    ASSERT_EQ(fc.size(), 1u);
    EXPECT_EQ(fc[0]->type, (UINT)DFC_SCROLL);
    EXPECT_EQ(fc[0]->flags, (UINT)DFCS_SCROLLDOWN);
    EXPECT_EQ(fc[0]->rect, arrow);
    int dark = 0;
    for (int y = 2; y < 14; ++y)
        for (int x = 52; x < 64; ++x)
            dark += dc.GetPixel(x, y) == GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(dark, 4);  // the arrow glyph
    CRect check(0, 20, 13, 33);
    dc.DrawFrameControl(&check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(dc.GetPixel(0, 20), GetSysColor(COLOR_3DSHADOW));
    dc.SetTextColor(RGB(0, 0, 0));
    dc.DrawState(CPoint(20, 20), CSize(0, 0), "Off", DSS_DISABLED, FALSE, 0, (HBRUSH) nullptr);
    auto states = dc.Recorder().OfKind(AfxDrawKind::State);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0]->text, CString("Off"));
    EXPECT_TRUE(states[0]->flags & DSS_DISABLED);
    bool shadow = false, hilite = false;
    for (int y = 20; y < 36; ++y)
        for (int x = 20; x < 60; ++x) {
            COLORREF c = dc.GetPixel(x, y);
            shadow |= c == GetSysColor(COLOR_3DSHADOW);
            hilite |= c == GetSysColor(COLOR_3DHILIGHT);
        }
    EXPECT_TRUE(shadow);
    EXPECT_TRUE(hilite);
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));  // restored
}

TEST_F(WndExtras, WidePensAndInsideFrame)
{
    CRecordingDC dc(40, 40);
    dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
    CPen inside(PS_INSIDEFRAME, 3, RGB(0, 0, 255));
    dc.SelectObject(&inside);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(10, 10, 30, 30);
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(12, 20), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(13, 20), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(9, 20), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(29, 29), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(30, 30), RGB(255, 255, 255));
}

TEST_F(WndExtras, WindowContextsStartAtTheWindowCorner)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, "c", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 50, 50), &frame, 1));
    AfxPumpMessages();
    {
        CWindowDC wdc(&child);
        wdc.SetPixel(1, 1, RGB(1, 2, 3));  // client (0, 0)
        wdc.SetPixel(0, 0, RGB(4, 5, 6));  // the border: not part of the client picture
    }
    CClientDC cdc(&child);
    EXPECT_EQ(cdc.GetPixel(0, 0), RGB(1, 2, 3));
}

TEST_F(WndExtras, CloseDestroysUnlessTheWindowDecidesOtherwise)
{
    CLogWnd a;
    ASSERT_TRUE(CreateTopFrame(a));
    HWND h = a.GetSafeHwnd();
    a.SendMessage(WM_CLOSE);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(a.GetSafeHwnd(), nullptr);
}

TEST_F(WndExtras, ClipCursorConfinesTheTrackedPosition)
{
    CRect r(100, 100, 200, 150);
    EXPECT_TRUE(ClipCursor(&r));
    SetCursorPos(500, 10);
    CPoint p;
    GetCursorPos(&p);
    EXPECT_EQ(p, CPoint(199, 100));
    CRect got;
    GetClipCursor(&got);
    EXPECT_EQ(got, r);
    ClipCursor(nullptr);
    SetCursorPos(500, 10);
    GetCursorPos(&p);
    EXPECT_EQ(p, CPoint(500, 10));
}

}  // namespace

namespace {

TEST_F(WndExtras, ADottedTrackerInInvertingModeIsRemovedByDrawingItAgain)
{
    CRecordingDC dc(60, 40);
    dc.FillSolidRect(0, 0, 60, 40, RGB(200, 100, 50));
    CRectTracker tracker(CRect(10, 10, 40, 30), CRectTracker::dottedLine);
    int old = dc.SetROP2(R2_NOT);
    tracker.Draw(&dc);
    int inverted = 0;
    for (int x = 9; x <= 40; ++x)
        inverted += dc.GetPixel(x, 9) == RGB(55, 155, 205);
    EXPECT_GT(inverted, 8);         // a dotted frame one pixel outside the rectangle
    EXPECT_LT(inverted, 32);
    EXPECT_EQ(dc.GetPixel(20, 20), RGB(200, 100, 50));
    tracker.Draw(&dc);
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 40; ++y)
            ASSERT_EQ(dc.GetPixel(x, y), RGB(200, 100, 50));
    dc.SetROP2(old);
    CRect truth;
    tracker.GetTrueRect(&truth);
    EXPECT_EQ(truth, CRect(9, 9, 41, 31));
    EXPECT_EQ(tracker.HitTest(CPoint(20, 20)), (int)CRectTracker::hitMiddle);
    EXPECT_EQ(tracker.HitTest(CPoint(50, 20)), (int)CRectTracker::hitNothing);
    CRectTracker sizer(CRect(10, 10, 40, 30), CRectTracker::resizeInside);
    EXPECT_EQ(sizer.HitTest(CPoint(11, 11)), (int)CRectTracker::hitTopLeft);
    EXPECT_EQ(sizer.HitTest(CPoint(38, 28)), (int)CRectTracker::hitBottomRight);
}

TEST_F(WndExtras, TheTrackerDragFrameMovesWithoutLeavingTraces)
{
    CRecordingDC dc(60, 40);
    dc.FillSolidRect(0, 0, 60, 40, RGB(255, 255, 255));
    CRectTracker tracker;
    CRect a(5, 5, 20, 20), b(25, 10, 50, 30);
    tracker.DrawTrackerRect(&a, nullptr, &dc, nullptr);
    EXPECT_NE(dc.GetPixel(5, 5) == RGB(255, 255, 255), dc.GetPixel(6, 5) == RGB(255, 255, 255));
    tracker.DrawTrackerRect(&b, nullptr, &dc, nullptr);  // the first frame goes, the second shows
    for (int x = 5; x < 20; ++x)
        EXPECT_EQ(dc.GetPixel(x, 5), RGB(255, 255, 255));
    EXPECT_NE(dc.GetPixel(25, 10) == RGB(255, 255, 255), dc.GetPixel(26, 10) == RGB(255, 255, 255));
}

}  // namespace
