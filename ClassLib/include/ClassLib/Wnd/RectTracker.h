// The rectangle tracker: the frame, handles and hit testing that show and size a
// rectangle, and the inverted drag frame. Its line styles draw with the context's own
// binary raster operation, so a caller that selects R2_NOT or R2_XORPEN draws the frame in
// inverting mode and removes it by drawing it again (the gaps of the dotted style are left
// alone).
#pragma once

#include <ClassLib/Wnd/Wnd.h>

class AFX_EXT_CLASS CRectTracker
{
public:
    enum StyleFlags
    {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8
    };

    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    virtual ~CRectTracker() {}

    CRect m_rect;
    CSize m_sizeMin;
    int m_nStyle;
    int m_nHandleSize;

    void Draw(CDC* pDC) const;
    void GetTrueRect(LPRECT lpTrueRect) const;
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    int HitTest(CPoint point) const;
    int NormalizeHit(int nHandle) const;
    // The inverted drag frame: draws lpRect and removes the previous one in one call.
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    virtual UINT GetHandleMask() const;

protected:
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bErase;
    BOOL m_bFinalErase;
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    int HitTestHandles(CPoint point) const;
};
