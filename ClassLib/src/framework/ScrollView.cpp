// CScrollView: a view over a document larger than the window, with scroll bars.
#include "Framework.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE sizeDefault = {0, 0};

namespace {
const int kScaleToFit = -1;  // m_nMapMode of SetScaleToFitSize
}

CScrollView::CScrollView()
    : m_nMapMode(0),
      m_totalLog(0, 0),
      m_totalDev(0, 0),
      m_pageDev(0, 0),
      m_lineDev(0, 0),
      m_bCenter(FALSE),
      m_bInsideUpdate(FALSE)
{
}

CScrollView::~CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    if (sizeTotal.cx < 0 || sizeTotal.cy < 0)
    {
        TRACE("Warning: a scroll view's size cannot be negative.\n");
        sizeTotal.cx = std::max<LONG>(0, sizeTotal.cx);
        sizeTotal.cy = std::max<LONG>(0, sizeTotal.cy);
    }
    int nOldMapMode = m_nMapMode;
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    // Logical sizes in pixels, through the mapping mode.
    CSize total = sizeTotal, page = sizePage, line = sizeLine;
    if (m_hWnd != nullptr && nMapMode != MM_TEXT)
    {
        CWindowDC dc(nullptr);
        dc.SetMapMode(nMapMode);
        dc.LPtoDP(&total);
        dc.LPtoDP(&page);
        dc.LPtoDP(&line);
    }
    m_totalDev = CSize(std::abs(total.cx), std::abs(total.cy));
    m_pageDev = CSize(std::abs(page.cx), std::abs(page.cy));
    m_lineDev = CSize(std::abs(line.cx), std::abs(line.cy));
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd != nullptr)
    {
        UpdateBars();
        if (nOldMapMode != m_nMapMode)
            Invalidate(TRUE);
    }
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal)
{
    m_nMapMode = kScaleToFit;
    m_totalLog = sizeTotal;
    m_totalDev = sizeTotal;
    if (m_hWnd != nullptr)
    {
        ShowScrollBar(SB_BOTH, FALSE);
        SetScrollPos(SB_HORZ, 0);
        SetScrollPos(SB_VERT, 0);
        Invalidate(TRUE);
    }
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    if (m_hWnd == nullptr || m_nMapMode == kScaleToFit)
        return CPoint(0, 0);
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT && m_nMapMode != kScaleToFit && m_nMapMode != 0)
    {
        CWindowDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.DPtoLP(&pt);
    }
    return pt;
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CSize CScrollView::GetClientSizeForBars() const
{
    CRect rc;
    GetClientRect(&rc);
    return rc.Size();
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_hWnd == nullptr || m_nMapMode == kScaleToFit)
        return;
    m_bInsideUpdate = TRUE;
    CPoint pos = GetDeviceScrollPosition();
    // Showing one bar can make the other needed: settle both.
    for (int pass = 0; pass < 2; ++pass)
    {
        CSize client = GetClientSizeForBars();
        bool bH = m_totalDev.cx > client.cx;
        bool bV = m_totalDev.cy > client.cy;
        ShowScrollBar(SB_HORZ, bH);
        ShowScrollBar(SB_VERT, bV);
    }
    CSize client = GetClientSizeForBars();
    SCROLLINFO si;
    std::memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = std::max(0, static_cast<int>(m_totalDev.cx) - 1);
    si.nPage = static_cast<UINT>(std::max(0, static_cast<int>(client.cx)));
    si.nPos = std::max(0, std::min<int>(pos.x, m_totalDev.cx - client.cx));
    int dx = pos.x - si.nPos;
    SetScrollInfo(SB_HORZ, &si, TRUE);
    si.nMax = std::max(0, static_cast<int>(m_totalDev.cy) - 1);
    si.nPage = static_cast<UINT>(std::max(0, static_cast<int>(client.cy)));
    si.nPos = std::max(0, std::min<int>(pos.y, m_totalDev.cy - client.cy));
    int dy = pos.y - si.nPos;
    SetScrollInfo(SB_VERT, &si, TRUE);
    if (dx != 0 || dy != 0)
        Invalidate(TRUE);
    m_bInsideUpdate = FALSE;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CPoint ptDev(pt);
    if (m_nMapMode != MM_TEXT && m_nMapMode != kScaleToFit)
    {
        CWindowDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.LPtoDP(&ptDev);
        ptDev.y = std::abs(ptDev.y);
    }
    CSize client = GetClientSizeForBars();
    ptDev.x = std::max(0, std::min<int>(ptDev.x, m_totalDev.cx - client.cx));
    ptDev.y = std::max(0, std::min<int>(ptDev.y, m_totalDev.cy - client.cy));
    CPoint old = GetDeviceScrollPosition();
    SetScrollPos(SB_HORZ, ptDev.x);
    SetScrollPos(SB_VERT, ptDev.y);
    if (old != ptDev)
        ScrollWindow(old.x - ptDev.x, old.y - ptDev.y);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMapMode == kScaleToFit)
    {
        // The whole document in the client area.
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(m_totalLog);
        CRect rc;
        GetClientRect(&rc);
        pDC->SetViewportExt(rc.Size());
    }
    else if (m_nMapMode != 0)
    {
        pDC->SetMapMode(m_nMapMode);
        if (!pDC->IsPrinting())
        {
            CPoint pos = GetDeviceScrollPosition();
            pDC->SetViewportOrg(-pos.x, -pos.y);
        }
    }
    CView::OnPrepareDC(pDC, pInfo);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    CSize client = GetClientSizeForBars();
    CPoint pos = GetDeviceScrollPosition();
    CPoint target(pos.x + sizeScroll.cx, pos.y + sizeScroll.cy);
    target.x = std::max(0, std::min<int>(target.x, m_totalDev.cx - client.cx));
    target.y = std::max(0, std::min<int>(target.y, m_totalDev.cy - client.cy));
    if (target == pos)
        return FALSE;
    if (bDoScroll)
    {
        SetScrollPos(SB_HORZ, target.x);
        SetScrollPos(SB_VERT, target.y);
        ScrollWindow(pos.x - target.x, pos.y - target.y);
    }
    return TRUE;
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    CSize client = GetClientSizeForBars();
    CPoint pos = GetDeviceScrollPosition();
    int x = pos.x, y = pos.y;
    auto apply = [&](UINT code, int& v, int line, int page, int total, int nView) {
        switch (code)
        {
        case SB_TOP:
            v = 0;
            break;
        case SB_BOTTOM:
            v = total;
            break;
        case SB_LINEUP:
            v -= line;
            break;
        case SB_LINEDOWN:
            v += line;
            break;
        case SB_PAGEUP:
            v -= page;
            break;
        case SB_PAGEDOWN:
            v += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            v = static_cast<int>(nPos);
            break;
        default:
            break;
        }
        (void)nView;
    };
    apply(LOBYTE(nScrollCode), x, m_lineDev.cx, m_pageDev.cx, m_totalDev.cx, client.cx);
    apply(HIBYTE(nScrollCode), y, m_lineDev.cy, m_pageDev.cy, m_totalDev.cy, client.cy);
    return OnScrollBy(CSize(x - pos.x, y - pos.y), bDoScroll);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_nMapMode == kScaleToFit)
        Invalidate(TRUE);
    else
        UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    int nLines = -zDelta / 120 * 3;
    return OnScrollBy(CSize(0, nLines * std::max<int>(1, m_lineDev.cy)));
}

void CScrollView::CenterOnPoint(CPoint ptCenter)
{
    CSize client = GetClientSizeForBars();
    ScrollToPosition(CPoint(ptCenter.x - client.cx / 2, ptCenter.y - client.cy / 2));
}

void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush)
{
    // The client area right of and below the document.
    CRect client;
    GetClientRect(&client);
    CPoint pos = GetDeviceScrollPosition();
    CRect doc(-pos.x, -pos.y, m_totalDev.cx - pos.x, m_totalDev.cy - pos.y);
    int nSave = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    if (doc.right < client.right)
        pDC->FillRect(CRect(doc.right, client.top, client.right, client.bottom), pBrush);
    if (doc.bottom < client.bottom)
        pDC->FillRect(CRect(client.left, doc.bottom, std::min<int>(doc.right, client.right), client.bottom), pBrush);
    pDC->RestoreDC(nSave);
}

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    CSize grow(m_totalDev.cx - client.Width(), m_totalDev.cy - client.Height());
    if (bShrinkOnly)
    {
        grow.cx = std::min<LONG>(grow.cx, 0);
        grow.cy = std::min<LONG>(grow.cy, 0);
    }
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    if (CWnd* pParent = pFrame->GetParent())
        pParent->ScreenToClient(&rcFrame);
    pFrame->MoveWindow(rcFrame.left, rcFrame.top, rcFrame.Width() + grow.cx, rcFrame.Height() + grow.cy, TRUE);
}
