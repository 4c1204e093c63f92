// A splitter whose panes follow the bar while it is dragged: every mouse move applies the
// new row height or column width at once and lays the panes out again.
//
// Hit codes: 1 the bar below the first row, 2 the bar right of the first column, 3 the
// corner box (both), 101 + n the bar below row n, 201 + n the bar right of column n,
// 301 + row * 15 + column the crossing of the two.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Frames/SplitterWnd.h>

class AFX_EXT_CLASS CDynSplitterWnd : public CSplitterWnd
{
    DECLARE_DYNAMIC(CDynSplitterWnd)

public:
    CDynSplitterWnd();
    ~CDynSplitterWnd() override;

    enum
    {
        htFirstRowBar = 1,
        htFirstColumnBar = 2,
        htCorner = 3,
        htRowBar1 = 101,
        htRowBar15 = 115,
        htColumnBar1 = 201,
        htColumnBar15 = 215,
        htCrossing1 = 301,
        htCrossing225 = 525,
    };

    int HitTest(CPoint pt) const override;
    void OnInvertTracker(const CRect& rect) override;

    BOOL IsDynTracking() const { return m_bDynTracking; }

protected:
    // The row and the column a hit code moves (-1: none).
    static void TrackedBars(int nHit, int& nRow, int& nCol);
    void BeginDynTracking(int nHit, CPoint pt);
    // Moves the trackers to the point (clamped) and applies the sizes they stand for.
    void MoveTrackers(CPoint pt);
    void EndDynTracking();
    // The top of a row, the left of a column, in client coordinates.
    int RowTop(int nRow) const;
    int ColumnLeft(int nCol) const;

    BOOL m_bDynTracking;     // a bar is being dragged
    BOOL m_bDynTracking2;    // both bars (corner box or crossing)
    int m_nDynHit;           // the hit code being dragged
    CRect m_rectDynTracker;  // the column bar's tracker (or the only one)
    CRect m_rectDynTracker2; // the row bar's tracker
    BOOL m_bNoTrackerDraw;   // the class library's tracker drawing is suppressed

    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
    afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint pt);
    DECLARE_MESSAGE_MAP()
};
