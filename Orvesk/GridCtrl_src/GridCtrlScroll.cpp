// Grid window: scroll ranges in pixels, the scroll-bar handlers, the chart-driven vertical
// scroll of a task grid and the mouse wheel.
#include "GridCtrl.h"

int CGridCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos)
{
    if (!GetSafeHwnd())
        return 0;
    SCROLLINFO si;
    memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(SCROLLINFO);
    if (bGetTrackPos)
    {
        if (GetScrollInfo(nBar, &si, SIF_TRACKPOS))
            return si.nTrackPos;
    }
    else
    {
        if (GetScrollInfo(nBar, &si, SIF_POS))
            return si.nPos;
    }
    return 0;
}

BOOL CGridCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw)
{
    if (!GetSafeHwnd())
        return FALSE;
    SCROLLINFO si;
    memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(SCROLLINFO);
    si.fMask = SIF_POS;
    si.nPos = nPos;
    return SetScrollInfo(nBar, &si, bRedraw);
}

void CGridCtrl::EnableScrollBars(int nBar, BOOL bEnable)
{
    if (!GetSafeHwnd())
        return;
    if (nBar == SB_HORZ || nBar == SB_BOTH)
    {
        if (m_bHorzScrollShown != (bEnable ? TRUE : FALSE))
        {
            ShowScrollBar(SB_HORZ, bEnable);
            m_bHorzScrollShown = bEnable ? TRUE : FALSE;
        }
    }
    if (nBar == SB_VERT || nBar == SB_BOTH)
    {
        if (m_bVertScrollShown != (bEnable ? TRUE : FALSE))
        {
            ShowScrollBar(SB_VERT, bEnable);
            m_bVertScrollShown = bEnable ? TRUE : FALSE;
        }
    }
}

void CGridCtrl::ResetScrollBars()
{
    if (!m_bAllowDraw || !GetSafeHwnd())
        return;

    CRect rect;
    GetClientRect(rect);
    if (rect.IsRectEmpty())
        return;

    if (m_bVertScrollShown)
        rect.right += ::GetSystemMetrics(SM_CXVSCROLL) + ::GetSystemMetrics(SM_CXBORDER);
    if (m_bHorzScrollShown)
        rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL) + ::GetSystemMetrics(SM_CYBORDER);

    rect.left += GetFixedColumnWidth();
    rect.top += GetFixedRowHeight();

    if (rect.left >= rect.right || rect.top >= rect.bottom)
    {
        ShowScrollBar(SB_BOTH, FALSE);
        return;
    }

    CRect VisibleRect(GetFixedColumnWidth(), GetFixedRowHeight(), rect.right, rect.bottom);
    CRect VirtualRect(GetFixedColumnWidth(), GetFixedRowHeight(), (int)GetVirtualWidth(),
                      (int)GetVirtualHeight());

    SCROLLINFO si;
    memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(SCROLLINFO);
    si.fMask = SIF_PAGE;
    si.nPage = (UINT)max(0, VisibleRect.Width());
    SetScrollInfo(SB_HORZ, &si, FALSE);
    si.nPage = (UINT)max(0, VisibleRect.Height());
    SetScrollInfo(SB_VERT, &si, FALSE);

    if (VisibleRect.Height() < VirtualRect.Height())
        VisibleRect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (VisibleRect.Width() < VirtualRect.Width())
        VisibleRect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);

    if (VisibleRect.Height() < VirtualRect.Height())
    {
        // A task grid never shows its own vertical bar: the chart's bar scrolls it.
        if (!m_bTaskGrid)
            EnableScrollBars(SB_VERT, TRUE);
        m_nVScrollMax = VirtualRect.Height() - 1;
    }
    else
        m_nVScrollMax = 0;

    if (VisibleRect.Width() < VirtualRect.Width())
    {
        EnableScrollBars(SB_HORZ, TRUE);
        m_nHScrollMax = VirtualRect.Width() - 1;
    }
    else
        m_nHScrollMax = 0;

    // The vertical range runs in 20-pixel rows, the step of the chart beside a task grid.
    if (m_nVScrollMax != m_nRows * 20)
        m_nVScrollMax = m_nRows * 20;

    SetScrollRange(SB_VERT, 0, m_nVScrollMax, TRUE);
    SetScrollRange(SB_HORZ, 0, m_nHScrollMax, TRUE);

    if (m_bTaskGrid)
    {
        // Setting the range may have shown the bar; hide it whatever the flag says.
        ShowScrollBar(SB_VERT, FALSE);
        m_bVertScrollShown = FALSE;
    }
    else
    {
        SetScrollRange(SB_VERT, 0, m_nVScrollMax, TRUE);
        EnableScrollBars(SB_BOTH, TRUE);
    }
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* /*pScrollBar*/)
{
    ScrollAlong(SB_VERT, nSBCode, nPos);
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* /*pScrollBar*/)
{
    ScrollAlong(SB_HORZ, nSBCode, nPos);
}

void CGridCtrl::ScrollAlong(int nBar, UINT nSBCode, UINT nPos)
{
    EndEditing();
    HideTitleTip();

    const BOOL bVert = nBar == SB_VERT;
    int scrollPos = GetScrollPos32(nBar);
    CGridCellId idTopLeft = GetTopleftNonFixedCell();
    CRect rect;
    GetClientRect(rect);

    int& nScrollMax = bVert ? m_nVScrollMax : m_nHScrollMax;
    if (nScrollMax <= scrollPos)
        nScrollMax = (int)(bVert ? GetVirtualHeight() : GetVirtualWidth()) - 1;

    // The rows (or the columns): the first shown non-fixed one, their count, the fixed
    // ones' count, and a row's height (a column's width).
    const int nFirst = bVert ? idTopLeft.row : idTopLeft.col;
    const int nCount = bVert ? m_nRows : m_nCols;
    const int nFixedCount = bVert ? GetFixedRowCount() : GetFixedColumnCount();
    auto sizeOf = [&](int i) { return bVert ? GetRowHeight(i) : GetColumnWidth(i); };
    // Narrows rect to the client area past the fixed band, the part that scrolls; returns
    // its extent along the bar.
    auto toBody = [&]() {
        if (bVert)
            rect.top = GetFixedRowHeight();
        else
            rect.left = GetFixedColumnWidth();
        return bVert ? rect.Height() : rect.Width();
    };

    switch (nSBCode)
    {
    case SB_LINEDOWN:  // and SB_LINERIGHT
        if (scrollPos < nScrollMax)
        {
            // Hidden rows are stepped over forwards.
            int iToUse = nFirst;
            while (iToUse < nCount - 1 && sizeOf(iToUse) <= 0)
                iToUse++;
            int nScroll = (iToUse >= 0 && iToUse < nCount) ? sizeOf(iToUse) : 0;
            SetScrollPos32(nBar, scrollPos + nScroll);
            if (GetScrollPos32(nBar) == scrollPos)
                break;
            toBody();
            InvalidateRect(rect);
        }
        break;

    case SB_LINEUP:  // and SB_LINELEFT
        if (scrollPos > 0 && nFirst > nFixedCount)
        {
            int iToUse = nFirst - 1;
            while (iToUse > nFixedCount && sizeOf(iToUse) <= 0)
                iToUse--;
            int nScroll = sizeOf(iToUse);
            SetScrollPos32(nBar, max(0, scrollPos - nScroll));
            toBody();
            InvalidateRect(rect);
        }
        break;

    case SB_PAGEDOWN:  // and SB_PAGERIGHT
        if (scrollPos < nScrollMax)
        {
            int nPage = toBody();
            SetScrollPos32(nBar, min(nScrollMax, scrollPos + nPage));
            InvalidateRect(rect);
        }
        break;

    case SB_PAGEUP:  // and SB_PAGELEFT
        if (scrollPos > 0)
        {
            int nPage = toBody();
            SetScrollPos32(nBar, max(0, scrollPos - nPage));
            InvalidateRect(rect);
        }
        break;

    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
    {
        int nNewPos;
        if (bVert && m_bTaskGrid)
        {
            // The chart hands its thumb position as a share of the range: scale it to the
            // grid's range, round, and snap to a 20-pixel row.
            int nMin = 0, nMax = 0;
            GetScrollRange(SB_VERT, &nMin, &nMax);
            long long v = (long long)nPos * nMax;
            long long r = v % 100;
            v = (r < 50) ? v - r : v - r + 100;
            v /= 100;
            long long m = (v * nMax) % 20;
            v = (m < 10) ? v - m : v + 20 - m;
            if (v < 0)
                v = 0;
            if (v > nScrollMax)
                v = nScrollMax;
            nNewPos = (int)v;
            TRACE("Grid SB_VERT nPos: %d\n", (int)nPos);
            TRACE("Grid SB_VERT nNewPos: %d\n", nNewPos);
        }
        else
        {
            // The grid's own bars track in pixels.
            nNewPos = GetScrollPos32(nBar, TRUE);
        }
        SetScrollPos32(nBar, nNewPos);
        CGridCellId idNewTopLeft = GetTopleftNonFixedCell();
        if (idNewTopLeft != idTopLeft)
        {
            toBody();
            InvalidateRect(rect);
        }
        break;
    }

    case SB_TOP:  // and SB_LEFT
        if (scrollPos > 0)
        {
            SetScrollPos32(nBar, 0);
            Invalidate();
        }
        break;

    case SB_BOTTOM:  // and SB_RIGHT
        if (scrollPos < nScrollMax)
        {
            SetScrollPos32(nBar, nScrollMax);
            Invalidate();
        }
        break;

    default:
        break;
    }
}

void CGridCtrl::VScrollSync(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar, BOOL bSync)
{
    OnVScroll(nSBCode, nPos, pScrollBar);
    m_bSyncScroll = bSync;
    if (bSync && GetSafeHwnd())
        UpdateWindow();
}

// Posts nCount scroll messages; never more than there are rows, which already reaches
// either end.
void CGridCtrl::ScrollLines(UINT nMsg, UINT nCode, int nCount)
{
    if (nCount > m_nRows)
        nCount = m_nRows;
    for (int i = 0; i < nCount; i++)
        PostMessage(nMsg, nCode, 0);
}

BOOL CGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (m_nRowsPerWheelNotch == -1)
    {
        int nPagesScrolled = zDelta / 120;
        if (nPagesScrolled > 0)
            ScrollLines(WM_VSCROLL, SB_PAGEUP, nPagesScrolled);
        else
            ScrollLines(WM_VSCROLL, SB_PAGEDOWN, -nPagesScrolled);
    }
    else
    {
        long long nRowsScrolled = (long long)m_nRowsPerWheelNotch * zDelta / 120;
        if (nRowsScrolled > 0)
            ScrollLines(WM_VSCROLL, SB_LINEUP, (int)min(nRowsScrolled, (long long)0x7FFFFFFF));
        else
            ScrollLines(WM_VSCROLL, SB_LINEDOWN, (int)min(-nRowsScrolled, (long long)0x7FFFFFFF));
    }
    return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}
