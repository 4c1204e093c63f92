// A window's own scroll bars (WS_HSCROLL, WS_VSCROLL): Qt scroll bars in the non-client
// area that report SB_* codes through WM_HSCROLL / WM_VSCROLL and never move on their own,
// as on the platform: the window sets the position in answer to the message.
#include "WndInternal.h"

#include <ClassLib/Wnd/System.h>

#include <QScrollBar>

namespace {

class AfxWindowScrollBar : public QScrollBar
{
public:
    AfxWindowScrollBar(HWND hWnd, int bar, QWidget* parent)
        : QScrollBar(bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, parent), m_hWnd(hWnd), m_bar(bar)
    {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_NoMousePropagation, true);
        connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) { OnAction(action); });
        connect(this, &QAbstractSlider::sliderReleased, this, [this] { OnReleased(); });
    }

private:
    void Send(UINT code, int pos)
    {
        AfxWindow* w = AfxWindowOf(m_hWnd);
        if (!w)
            return;
        ::SendMessage(m_hWnd, m_bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, (WORD)(short)pos), 0);
    }

    void OnAction(int action)
    {
        AfxWindow* w = AfxWindowOf(m_hWnd);
        if (!w)
            return;
        AfxScrollState& s = w->sb[m_bar];
        UINT code;
        switch (action) {
        case SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case SliderSingleStepSub: code = SB_LINEUP; break;
        case SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case SliderPageStepSub: code = SB_PAGEUP; break;
        case SliderToMinimum: code = SB_TOP; break;
        case SliderToMaximum: code = SB_BOTTOM; break;
        case SliderMove: {
            int pos = sliderPosition();
            s.tracking = true;
            s.info.nTrackPos = pos;
            Send(SB_THUMBTRACK, pos);
            return;
        }
        default: return;
        }
        // The bar stays where the window put it; the window moves it in its handler.
        setSliderPosition(s.info.nPos);
        Send(code, 0);
        Send(SB_ENDSCROLL, 0);
    }

    void OnReleased()
    {
        AfxWindow* w = AfxWindowOf(m_hWnd);
        if (!w)
            return;
        AfxScrollState& s = w->sb[m_bar];
        int pos = s.info.nTrackPos;
        Send(SB_THUMBPOSITION, pos);
        Send(SB_ENDSCROLL, 0);
        if ((w = AfxWindowOf(m_hWnd))) {
            w->sb[m_bar].tracking = false;
            AfxUpdateScrollWidgets(w);
        }
    }

    HWND m_hWnd;
    int m_bar;
};

int MaxPos(const SCROLLINFO& si)
{
    int page = (int)si.nPage;
    return std::max(si.nMin, si.nMax - std::max(page - 1, 0));
}

}  // namespace

void AfxUpdateScrollWidgets(AfxWindow* w)
{
    if (!w->custom)
        return;
    QRect client = AfxClientAreaOf(w);
    for (int bar = 0; bar < 2; ++bar) {
        AfxScrollState& s = w->sb[bar];
        if (!s.visible) {
            if (w->bars[bar])
                w->bars[bar]->hide();
            continue;
        }
        if (!w->bars[bar])
            w->bars[bar] = new AfxWindowScrollBar(w->hwnd, bar, w->widget);
        QScrollBar* sb = w->bars[bar];
        QSignalBlocker block(sb);
        if (bar == SB_VERT)
            sb->setGeometry(client.right() + 1, client.top(), GetSystemMetrics(SM_CXVSCROLL), client.height());
        else
            sb->setGeometry(client.left(), client.bottom() + 1, client.width(), GetSystemMetrics(SM_CYHSCROLL));
        sb->setRange(s.info.nMin, MaxPos(s.info));
        sb->setPageStep(std::max((int)s.info.nPage, 1));
        sb->setSingleStep(1);
        if (!s.tracking)
            sb->setSliderPosition(s.info.nPos);
        bool scrollable = s.info.nMax > s.info.nMin && (s.info.nPage == 0 || (int)s.info.nPage <= s.info.nMax - s.info.nMin);
        sb->setEnabled(scrollable && s.arrows != ESB_DISABLE_BOTH && !(w->style & WS_DISABLED));
        sb->show();
    }
}

namespace {

AfxWindow* BarOwner(HWND hWnd, int nBar)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || (nBar != SB_HORZ && nBar != SB_VERT))
        return nullptr;
    return w;
}

void SetVisible(AfxWindow* w, int bar, bool visible)
{
    if (w->sb[bar].visible == visible)
        return;
    w->sb[bar].visible = visible;
    DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (visible)
        w->style |= bit;
    else
        w->style &= ~bit;
    AfxFrameChanged(w);
}

}  // namespace

int SetScrollInfo(HWND hWnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw)
{
    (void)redraw;
    if (nBar == SB_CTL) {
        return lpsi ? (int)::SendMessage(hWnd, 0x00E9 /* SBM_SETSCROLLINFO */, redraw, reinterpret_cast<LPARAM>(lpsi)) : 0;
    }
    AfxWindow* w = BarOwner(hWnd, nBar);
    if (!w || !lpsi)
        return 0;
    SCROLLINFO& si = w->sb[nBar].info;
    if (lpsi->fMask & SIF_RANGE) {
        si.nMin = lpsi->nMin;
        si.nMax = std::max(lpsi->nMax, lpsi->nMin);
    }
    if (lpsi->fMask & SIF_PAGE) {
        long range = (long)si.nMax - si.nMin + 1;
        si.nPage = (UINT)std::min<long>((long)lpsi->nPage, std::max(range, 0L));
    }
    if (lpsi->fMask & SIF_POS)
        si.nPos = lpsi->nPos;
    si.nPos = std::clamp(si.nPos, si.nMin, MaxPos(si));
    if (lpsi->fMask & (SIF_RANGE | SIF_PAGE)) {
        // Without a range to scroll the bar goes away (or greys with SIF_DISABLENOSCROLL).
        bool scrollable = si.nMax > si.nMin && (si.nPage == 0 || (int)si.nPage <= si.nMax - si.nMin);
        if (lpsi->fMask & SIF_DISABLENOSCROLL) {
            SetVisible(w, nBar, true);
            w->sb[nBar].arrows = scrollable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
        } else {
            SetVisible(w, nBar, scrollable);
        }
    }
    AfxUpdateScrollWidgets(w);
    return si.nPos;
}

BOOL GetScrollInfo(HWND hWnd, int nBar, LPSCROLLINFO lpsi)
{
    if (nBar == SB_CTL)
        return lpsi && ::SendMessage(hWnd, 0x00EA /* SBM_GETSCROLLINFO */, 0, reinterpret_cast<LPARAM>(lpsi));
    AfxWindow* w = BarOwner(hWnd, nBar);
    if (!w || !lpsi)
        return FALSE;
    const SCROLLINFO& si = w->sb[nBar].info;
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = si.nMin;
        lpsi->nMax = si.nMax;
    }
    if (lpsi->fMask & SIF_PAGE)
        lpsi->nPage = si.nPage;
    if (lpsi->fMask & SIF_POS)
        lpsi->nPos = si.nPos;
    if (lpsi->fMask & SIF_TRACKPOS)
        lpsi->nTrackPos = w->sb[nBar].tracking ? si.nTrackPos : si.nPos;
    return TRUE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw)
{
    AfxWindow* w = BarOwner(hWnd, nBar);
    if (nBar == SB_CTL)
        return (int)::SendMessage(hWnd, 0x00E0 /* SBM_SETPOS */, (WPARAM)nPos, bRedraw);
    if (!w)
        return 0;
    int old = w->sb[nBar].info.nPos;
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, nPos, 0};
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return old;
}

int GetScrollPos(HWND hWnd, int nBar)
{
    if (nBar == SB_CTL)
        return (int)::SendMessage(hWnd, 0x00E1 /* SBM_GETPOS */, 0, 0);
    AfxWindow* w = BarOwner(hWnd, nBar);
    return w ? w->sb[nBar].info.nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    if (nBar == SB_CTL)
        return (BOOL)::SendMessage(hWnd, 0x00E2 /* SBM_SETRANGE */, (WPARAM)nMinPos, nMaxPos);
    if (!BarOwner(hWnd, nBar))
        return FALSE;
    SCROLLINFO si{sizeof(si), SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos)
{
    AfxWindow* w = BarOwner(hWnd, nBar);
    if (!w)
        return FALSE;
    if (lpMinPos)
        *lpMinPos = w->sb[nBar].info.nMin;
    if (lpMaxPos)
        *lpMaxPos = w->sb[nBar].info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    if (wBar == SB_CTL)
        return ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE), TRUE;
    if (wBar == SB_HORZ || wBar == SB_BOTH)
        SetVisible(w, SB_HORZ, bShow != FALSE);
    if (wBar == SB_VERT || wBar == SB_BOTH)
        SetVisible(w, SB_VERT, bShow != FALSE);
    AfxUpdateScrollWidgets(w);
    return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    if (wSBflags == SB_CTL)
        return EnableWindow(hWnd, wArrows != ESB_DISABLE_BOTH), TRUE;
    if (wSBflags == SB_HORZ || wSBflags == SB_BOTH)
        w->sb[SB_HORZ].arrows = wArrows;
    if (wSBflags == SB_VERT || wSBflags == SB_BOTH)
        w->sb[SB_VERT].arrows = wArrows;
    AfxUpdateScrollWidgets(w);
    return TRUE;
}

void AfxDestroyScrollWidgets(AfxWindow* w)
{
    for (QScrollBar*& b : w->bars) {
        if (b)
            b->deleteLater();
        b = nullptr;
    }
}
