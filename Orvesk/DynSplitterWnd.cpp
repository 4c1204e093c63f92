#include "DynSplitterWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDynSplitterWnd, CSplitterWnd)

BEGIN_MESSAGE_MAP(CDynSplitterWnd, CSplitterWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CDynSplitterWnd::CDynSplitterWnd()
    : m_bDynTracking(FALSE), m_bDynTracking2(FALSE), m_nDynHit(0), m_bNoTrackerDraw(TRUE)
{
}

CDynSplitterWnd::~CDynSplitterWnd() {}

int CDynSplitterWnd::HitTest(CPoint pt) const
{
    // The class library numbers a vertical bar (between columns) 101 + column and a
    // horizontal one 201 + row; here the codes are by the row or the column they size.
    const int nHit = CSplitterWnd::HitTest(pt);
    if (nHit >= vSplitterBar1 && nHit <= vSplitterBar15)
        return htColumnBar1 + (nHit - vSplitterBar1);
    if (nHit >= hSplitterBar1 && nHit <= hSplitterBar15)
        return htRowBar1 + (nHit - hSplitterBar1);
    return nHit;
}

void CDynSplitterWnd::OnInvertTracker(const CRect& rect)
{
    if (m_bNoTrackerDraw)
        return;
    CSplitterWnd::OnInvertTracker(rect);
}

void CDynSplitterWnd::TrackedBars(int nHit, int& nRow, int& nCol)
{
    nRow = nCol = -1;
    if (nHit == htFirstRowBar)
        nRow = 0;
    else if (nHit == htFirstColumnBar)
        nCol = 0;
    else if (nHit == htCorner)
        nRow = nCol = 0;
    else if (nHit >= htRowBar1 && nHit <= htRowBar15)
        nRow = nHit - htRowBar1;
    else if (nHit >= htColumnBar1 && nHit <= htColumnBar15)
        nCol = nHit - htColumnBar1;
    else if (nHit >= htCrossing1 && nHit <= htCrossing225) {
        nRow = (nHit - htCrossing1) / 15;
        nCol = (nHit - htCrossing1) % 15;
    }
}

int CDynSplitterWnd::RowTop(int nRow) const
{
    CRect inside;
    const_cast<CDynSplitterWnd*>(this)->GetInsideRect(inside);
    int y = inside.top;
    for (int r = 0; r < nRow && r < m_nRows; ++r)
        y += m_pRowInfo[(size_t)r].nCurSize + m_cySplitterGap;
    return y;
}

int CDynSplitterWnd::ColumnLeft(int nCol) const
{
    CRect inside;
    const_cast<CDynSplitterWnd*>(this)->GetInsideRect(inside);
    int x = inside.left;
    for (int c = 0; c < nCol && c < m_nCols; ++c)
        x += m_pColInfo[(size_t)c].nCurSize + m_cxSplitterGap;
    return x;
}

void CDynSplitterWnd::BeginDynTracking(int nHit, CPoint pt)
{
    int nRow, nCol;
    TrackedBars(nHit, nRow, nCol);
    if (nRow >= m_nRows - 1)
        nRow = -1;
    if (nCol >= m_nCols - 1)
        nCol = -1;
    if (nRow < 0 && nCol < 0)
        return;
    CRect inside;
    GetInsideRect(inside);
    m_nDynHit = nHit;
    m_bDynTracking = TRUE;
    m_bDynTracking2 = nRow >= 0 && nCol >= 0;
    if (nHit == htCorner) {
        // From the middle of the first pane.
        pt = CPoint(ColumnLeft(0) + m_pColInfo[0].nCurSize / 2, RowTop(0) + m_pRowInfo[0].nCurSize / 2);
    }
    if (nCol >= 0) {
        const int x = ColumnLeft(nCol) + m_pColInfo[(size_t)nCol].nCurSize;
        m_rectDynTracker = CRect(x, inside.top, x + m_cxSplitterGap, inside.bottom);
    }
    if (nRow >= 0) {
        const int y = RowTop(nRow) + m_pRowInfo[(size_t)nRow].nCurSize;
        CRect& rect = nCol >= 0 ? m_rectDynTracker2 : m_rectDynTracker;
        rect = CRect(inside.left, y, inside.right, y + m_cySplitterGap);
    }
    SetCapture();
    OnInvertTracker(m_rectDynTracker);
    if (m_bDynTracking2)
        OnInvertTracker(m_rectDynTracker2);
    if (nHit == htCorner)
        MoveTrackers(pt);
}

void CDynSplitterWnd::MoveTrackers(CPoint pt)
{
    int nRow, nCol;
    TrackedBars(m_nDynHit, nRow, nCol);
    if (nCol >= m_nCols - 1)
        nCol = -1;
    if (nRow >= m_nRows - 1)
        nRow = -1;
    if (nCol >= 0) {
        // Between the column's own minimum and the next column's.
        const int nLeft = ColumnLeft(nCol);
        const int nRight = ColumnLeft(nCol + 2) - m_cxSplitterGap;
        const int nMin = m_pColInfo[(size_t)nCol].nMinSize;
        const int nNextMin = m_pColInfo[(size_t)nCol + 1].nMinSize;
        int x = std::max(nLeft + nMin, std::min(pt.x, nRight - nNextMin - m_cxSplitterGap));
        x = std::max(x, nLeft);
        OnInvertTracker(m_rectDynTracker);
        m_rectDynTracker.OffsetRect(x - m_rectDynTracker.left, 0);
        OnInvertTracker(m_rectDynTracker);
        const int nOld = m_pColInfo[(size_t)nCol].nCurSize;
        SetColumnInfo(nCol, x - nLeft, nMin);
        // The next column gives or takes what this one took or gave.
        int nNextCur, nNextMinOut;
        GetColumnInfo(nCol + 1, nNextCur, nNextMinOut);
        SetColumnInfo(nCol + 1, std::max(0, nNextCur - ((x - nLeft) - nOld)), nNextMinOut);
    }
    if (nRow >= 0) {
        const int nTop = RowTop(nRow);
        const int nBottom = RowTop(nRow + 2) - m_cySplitterGap;
        const int nMin = m_pRowInfo[(size_t)nRow].nMinSize;
        const int nNextMin = m_pRowInfo[(size_t)nRow + 1].nMinSize;
        int y = std::max(nTop + nMin, std::min(pt.y, nBottom - nNextMin - m_cySplitterGap));
        y = std::max(y, nTop);
        CRect& rect = nCol >= 0 ? m_rectDynTracker2 : m_rectDynTracker;
        OnInvertTracker(rect);
        rect.OffsetRect(0, y - rect.top);
        OnInvertTracker(rect);
        const int nOld = m_pRowInfo[(size_t)nRow].nCurSize;
        SetRowInfo(nRow, y - nTop, nMin);
        int nNextCur, nNextMinOut;
        GetRowInfo(nRow + 1, nNextCur, nNextMinOut);
        SetRowInfo(nRow + 1, std::max(0, nNextCur - ((y - nTop) - nOld)), nNextMinOut);
    }
    RecalcLayout();
}

void CDynSplitterWnd::EndDynTracking()
{
    if (GetCapture() == this)
        ReleaseCapture();
    OnInvertTracker(m_rectDynTracker);
    if (m_bDynTracking2)
        OnInvertTracker(m_rectDynTracker2);
    m_bDynTracking = FALSE;
    m_bDynTracking2 = FALSE;
    m_nDynHit = 0;
    RecalcLayout();
}

void CDynSplitterWnd::OnLButtonDown(UINT nFlags, CPoint pt)
{
    if (m_bDynTracking)
        return;
    const int nHit = HitTest(pt);
    if (nHit == noHit) {
        CSplitterWnd::OnLButtonDown(nFlags, pt);
        return;
    }
    BeginDynTracking(nHit, pt);
}

void CDynSplitterWnd::OnMouseMove(UINT nFlags, CPoint pt)
{
    if (!m_bDynTracking) {
        CSplitterWnd::OnMouseMove(nFlags, pt);
        return;
    }
    MoveTrackers(pt);
}

void CDynSplitterWnd::OnLButtonUp(UINT nFlags, CPoint pt)
{
    if (!m_bDynTracking) {
        CSplitterWnd::OnLButtonUp(nFlags, pt);
        return;
    }
    MoveTrackers(pt);
    EndDynTracking();
}
