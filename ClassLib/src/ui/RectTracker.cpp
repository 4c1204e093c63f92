// The rectangle tracker.
#include <ClassLib/Wnd/Cursor.h>
#include <ClassLib/Wnd/RectTracker.h>
#include <ClassLib/Wnd/System.h>
#include <ClassLib/Wnd/WinApi.h>

CRectTracker::CRectTracker() : m_sizeMin(0, 0), m_nStyle(0), m_nHandleSize(6), m_bErase(FALSE), m_bFinalErase(FALSE) {}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : CRectTracker()
{
    if (lpSrcRect)
        m_rect = *lpSrcRect;
    m_nStyle = (int)nStyle;
}

UINT CRectTracker::GetHandleMask() const
{
    UINT mask = 0x0F;  // the corners
    int size = m_nHandleSize * 3;
    if (std::abs(m_rect.Width()) - size > 4)
        mask |= 0x50;
    if (std::abs(m_rect.Height()) - size > 4)
        mask |= 0xA0;
    return mask;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const
{
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine))
        r.InflateRect(1, 1);
    int size = m_nHandleSize;
    if (m_nStyle & resizeOutside)
        r.InflateRect(size - 1, size - 1);
    int x = 0, y = 0;
    switch (nHandle) {
    case hitTopLeft: x = r.left; y = r.top; break;
    case hitTopRight: x = r.right - size; y = r.top; break;
    case hitBottomRight: x = r.right - size; y = r.bottom - size; break;
    case hitBottomLeft: x = r.left; y = r.bottom - size; break;
    case hitTop: x = r.left + (r.Width() - size) / 2; y = r.top; break;
    case hitRight: x = r.right - size; y = r.top + (r.Height() - size) / 2; break;
    case hitBottom: x = r.left + (r.Width() - size) / 2; y = r.bottom - size; break;
    case hitLeft: x = r.left; y = r.top + (r.Height() - size) / 2; break;
    default: break;
    }
    pHandleRect->SetRect(x, y, x + size, y + size);
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const
{
    CRect r = m_rect;
    r.NormalizeRect();
    int inflate = (m_nStyle & (resizeOutside | hatchedBorder)) ? m_nHandleSize - 1 : 0;
    if (m_nStyle & (solidLine | dottedLine))
        inflate = std::max(inflate, 1);
    r.InflateRect(inflate, inflate);
    *lpTrueRect = r;
}

void CRectTracker::Draw(CDC* pDC) const
{
    if (!pDC)
        return;
    int saved = pDC->SaveDC();
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & (dottedLine | solidLine)) {
        CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
        pDC->SelectObject(&pen);
        pDC->SelectStockObject(NULL_BRUSH);
        pDC->SetBkMode(TRANSPARENT);  // the gaps between the dots stay untouched
        CRect frame = r;
        frame.InflateRect(1, 1);
        pDC->Rectangle(&frame);  // with the context's raster operation
        pDC->RestoreDC(saved);
        saved = pDC->SaveDC();
    }
    if (m_nStyle & (hatchInside | hatchedBorder)) {
        CBrush hatch(HS_BDIAGONAL, RGB(0, 0, 0));
        pDC->SetBkMode(TRANSPARENT);
        if (m_nStyle & hatchInside) {
            pDC->FillRect(&r, &hatch);
        } else {
            CRect outer = r;
            outer.InflateRect(m_nHandleSize - 1, m_nHandleSize - 1);
            CRect parts[4] = {CRect(outer.left, outer.top, outer.right, r.top), CRect(outer.left, r.bottom, outer.right, outer.bottom),
                              CRect(outer.left, r.top, r.left, r.bottom), CRect(r.right, r.top, outer.right, r.bottom)};
            for (CRect& p : parts)
                pDC->FillRect(&p, &hatch);
        }
    }
    if (m_nStyle & (resizeInside | resizeOutside)) {
        UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            if (!(mask & (1u << i)))
                continue;
            CRect h;
            GetHandleRect(i, &h);
            pDC->FillSolidRect(&h, RGB(0, 0, 0));
        }
    }
    pDC->RestoreDC(saved);
}

int CRectTracker::HitTestHandles(CPoint point) const
{
    CRect truth;
    GetTrueRect(&truth);
    if (!truth.PtInRect(point))
        return hitNothing;
    if (m_nStyle & (resizeInside | resizeOutside)) {
        UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            if (!(mask & (1u << i)))
                continue;
            CRect h;
            GetHandleRect(i, &h);
            if (h.PtInRect(point))
                return i;
        }
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const
{
    return HitTestHandles(point);
}

int CRectTracker::NormalizeHit(int nHandle) const
{
    if (nHandle == hitMiddle || nHandle == hitNothing)
        return nHandle;
    static const int kFlipX[8] = {1, 0, 3, 2, 4, 7, 6, 5};
    static const int kFlipY[8] = {3, 2, 1, 0, 6, 5, 4, 7};
    if (m_rect.Width() < 0)
        nHandle = kFlipX[nHandle];
    if (m_rect.Height() < 0)
        nHandle = kFlipY[nHandle];
    return nHandle;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const
{
    if (!pWnd || nHitTest != HTCLIENT)
        return FALSE;
    CPoint p;
    GetCursorPos(&p);
    pWnd->ScreenToClient(&p);
    int hit = NormalizeHit(HitTest(p));
    if (hit < 0)
        return FALSE;
    static LPCTSTR const kCursors[9] = {IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENS,
                                        IDC_SIZEWE,   IDC_SIZENS,   IDC_SIZEWE,   IDC_SIZEALL};
    ::SetCursor(LoadCursor(nullptr, kCursors[hit]));
    return TRUE;
}

void CRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    (void)nHandle;
    (void)lpRect;
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    (void)pWnd;
    if (!pDC)
        return;
    CRect r = lpRect ? CRect(*lpRect) : CRect();
    r.NormalizeRect();
    if (pWndClipTo) {
        // The frame stays inside the client area of the clip window.
        CRect clip;
        pWndClipTo->GetClientRect(&clip);
        r.IntersectRect(&r, &clip);
    }
    CSize size(0, 0);
    if (!m_bFinalErase) {
        size.cx = size.cy = (m_nStyle & (hatchedBorder | resizeOutside)) ? std::max(m_nHandleSize - 1, 1) : 1;
        if (m_bErase && !m_bFinalErase) {
            // nothing more: DrawDragRect below removes the last frame and shows the new one
        }
    } else {
        r.SetRectEmpty();
    }
    pDC->DrawDragRect(&r, size, m_bErase ? &m_rectLast : nullptr, m_sizeLast);
    m_rectLast = r;
    m_sizeLast = size;
    m_bErase = !m_bFinalErase;
}
