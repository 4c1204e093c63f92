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
    EndEditing();
    HideTitleTip();

    int scrollPos = GetScrollPos32(SB_VERT);
    CGridCellId idTopLeft = GetTopleftNonFixedCell();
    CRect rect;
    GetClientRect(rect);

    if (m_nVScrollMax <= scrollPos)
        m_nVScrollMax = (int)GetVirtualHeight() - 1;

    switch (nSBCode)
    {
    case SB_LINEDOWN:
        if (scrollPos < m_nVScrollMax)
        {
            // Hidden rows are stepped over forwards.
            int iRowToUse = idTopLeft.row;
            while (iRowToUse < m_nRows - 1 && GetRowHeight(iRowToUse) <= 0)
                iRowToUse++;
            int yScroll = (iRowToUse >= 0 && iRowToUse < m_nRows) ? GetRowHeight(iRowToUse) : 0;
            SetScrollPos32(SB_VERT, scrollPos + yScroll);
            if (GetScrollPos32(SB_VERT) == scrollPos)
                break;
            rect.top = GetFixedRowHeight();
            InvalidateRect(rect);
        }
        break;

    case SB_LINEUP:
        if (scrollPos > 0 && idTopLeft.row > GetFixedRowCount())
        {
            int iRowToUse = idTopLeft.row - 1;
            while (iRowToUse > GetFixedRowCount() && GetRowHeight(iRowToUse) <= 0)
                iRowToUse--;
            int yScroll = GetRowHeight(iRowToUse);
            SetScrollPos32(SB_VERT, max(0, scrollPos - yScroll));
            rect.top = GetFixedRowHeight();
            InvalidateRect(rect);
        }
        break;

    case SB_PAGEDOWN:
        if (scrollPos < m_nVScrollMax)
        {
            rect.top = GetFixedRowHeight();
            scrollPos = min(m_nVScrollMax, scrollPos + rect.Height());
            SetScrollPos32(SB_VERT, scrollPos);
            InvalidateRect(rect);
        }
        break;

    case SB_PAGEUP:
        if (scrollPos > 0)
        {
            rect.top = GetFixedRowHeight();
            int pos = max(0, scrollPos - rect.Height());
            SetScrollPos32(SB_VERT, pos);
            InvalidateRect(rect);
        }
        break;

    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
    {
        int nNewPos;
        if (m_bTaskGrid)
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
            if (v > m_nVScrollMax)
                v = m_nVScrollMax;
            nNewPos = (int)v;
            TRACE("Grid SB_VERT nPos: %d\n", (int)nPos);
            TRACE("Grid SB_VERT nNewPos: %d\n", nNewPos);
        }
        else
        {
            // The grid's own bar tracks in pixels.
            nNewPos = GetScrollPos32(SB_VERT, TRUE);
        }
        SetScrollPos32(SB_VERT, nNewPos);
        CGridCellId idNewTopLeft = GetTopleftNonFixedCell();
        if (idNewTopLeft != idTopLeft)
        {
            rect.top = GetFixedRowHeight();
            InvalidateRect(rect);
        }
        break;
    }

    case SB_TOP:
        if (scrollPos > 0)
        {
            SetScrollPos32(SB_VERT, 0);
            Invalidate();
        }
        break;

    case SB_BOTTOM:
        if (scrollPos < m_nVScrollMax)
        {
            SetScrollPos32(SB_VERT, m_nVScrollMax);
            Invalidate();
        }
        break;

    default:
        break;
    }
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    EndEditing();
    HideTitleTip();

    int scrollPos = GetScrollPos32(SB_HORZ);
    CGridCellId idTopLeft = GetTopleftNonFixedCell();
    CRect rect;
    GetClientRect(rect);

    if (m_nHScrollMax <= scrollPos)
        m_nHScrollMax = (int)GetVirtualWidth() - 1;

    switch (nSBCode)
    {
    case SB_LINERIGHT:
        if (scrollPos < m_nHScrollMax)
        {
            int iColToUse = idTopLeft.col;
            while (iColToUse < m_nCols - 1 && GetColumnWidth(iColToUse) <= 0)
                iColToUse++;
            int xScroll = (iColToUse >= 0 && iColToUse < m_nCols) ? GetColumnWidth(iColToUse) : 0;
            SetScrollPos32(SB_HORZ, scrollPos + xScroll);
            if (GetScrollPos32(SB_HORZ) == scrollPos)
                break;
            rect.left = GetFixedColumnWidth();
            InvalidateRect(rect);
        }
        break;

    case SB_LINELEFT:
        if (scrollPos > 0 && idTopLeft.col > GetFixedColumnCount())
        {
            int iColToUse = idTopLeft.col - 1;
            while (iColToUse > GetFixedColumnCount() && GetColumnWidth(iColToUse) <= 0)
                iColToUse--;
            int xScroll = GetColumnWidth(iColToUse);
            SetScrollPos32(SB_HORZ, max(0, scrollPos - xScroll));
            rect.left = GetFixedColumnWidth();
            InvalidateRect(rect);
        }
        break;

    case SB_PAGERIGHT:
        if (scrollPos < m_nHScrollMax)
        {
            rect.left = GetFixedColumnWidth();
            int pos = min(m_nHScrollMax, scrollPos + rect.Width());
            SetScrollPos32(SB_HORZ, pos);
            InvalidateRect(rect);
        }
        break;

    case SB_PAGELEFT:
        if (scrollPos > 0)
        {
            rect.left = GetFixedColumnWidth();
            int pos = max(0, scrollPos - rect.Width());
            SetScrollPos32(SB_HORZ, pos);
            InvalidateRect(rect);
        }
        break;

    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
    {
        SetScrollPos32(SB_HORZ, GetScrollPos32(SB_HORZ, TRUE));
        CGridCellId idNewTopLeft = GetTopleftNonFixedCell();
        if (idNewTopLeft != idTopLeft)
        {
            rect.left = GetFixedColumnWidth();
            InvalidateRect(rect);
        }
        break;
    }

    case SB_LEFT:
        if (scrollPos > 0)
        {
            SetScrollPos32(SB_HORZ, 0);
            Invalidate();
        }
        break;

    case SB_RIGHT:
        if (scrollPos < m_nHScrollMax)
        {
            SetScrollPos32(SB_HORZ, m_nHScrollMax);
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
