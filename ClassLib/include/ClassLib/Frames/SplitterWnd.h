// CSplitterWnd: a window split into rows and columns of panes (views), with bars between
// them that the user drags. A static splitter has a fixed set of panes made with
// CreateStatic and CreateView; a dynamic one (Create) starts with one pane and is split
// by dragging its split boxes, up to its maximum of rows and columns.
//
// The splitter draws itself through OnDrawSplitter (borders, bars, intersections, boxes)
// and hit-tests through HitTest, so that derived splitters change both. Pane ids are
// AFX_IDW_PANE_FIRST + row * 16 + column.
#pragma once

#include <ClassLib/Core/Geometry.h>
#include <ClassLib/DocView/StdIds.h>
#include <ClassLib/Wnd/Wnd.h>

#include <vector>

#ifndef SPLS_DYNAMIC_SPLIT
#define SPLS_DYNAMIC_SPLIT 0x0001
#define SPLS_INVERT_TRACKER 0x0002
#endif

class CDC;
class CScrollBar;
class CView;
struct CCreateContext;

class AFX_EXT_CLASS CSplitterWnd : public CWnd
{
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    // A dynamic splitter with one pane of pContext's view class; nMaxRows and nMaxCols
    // are 1 or 2; sizeMin is the smallest pane that splitting leaves.
    BOOL Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT,
                UINT nID = AFX_IDW_PANE_FIRST);
    // A static splitter of nRows x nCols panes (up to 16 each); the panes are made
    // afterwards with CreateView.
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // The view of pViewClass in pane (row, col); sizeInit gives the ideal width of its
    // column and height of its row.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetMaxRowCount() const { return m_nMaxRows; }
    int GetMaxColumnCount() const { return m_nMaxCols; }
    // The current and the minimum size; SetRowInfo/SetColumnInfo set the ideal and the
    // minimum size that the next RecalcLayout uses.
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);

    DWORD GetScrollStyle() const;
    void SetScrollStyle(DWORD dwStyle);

    CWnd* GetPane(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    BOOL IsChildPane(CWnd* pWnd, int& row, int& col) { return IsChildPane(pWnd, &row, &col); }
    int IdFromRowCol(int row, int col) const;
    virtual CWnd* GetActivePane(int* pRow = NULL, int* pCol = NULL);
    virtual void SetActivePane(int row, int col, CWnd* pWnd = NULL);

    // Places the panes and bars from the ideal sizes: every column but the last gets its
    // ideal width (none when that is below its minimum), the last takes the rest.
    virtual void RecalcLayout();

    // Dynamic splitters.
    virtual BOOL SplitRow(int cyBefore);
    virtual BOOL SplitColumn(int cxBefore);
    virtual void DeleteRow(int row);
    virtual void DeleteColumn(int col);
    virtual void DeleteView(int row, int col);
    virtual BOOL CanActivateNext(BOOL bPrev = FALSE);
    virtual void ActivateNext(BOOL bPrev = FALSE);
    virtual BOOL DoKeyboardSplit();

    enum ESplitType
    {
        splitBox,
        splitBar,
        splitIntersection,
        splitBorder
    };
    // Draws one part; pDC NULL asks for the rectangle to be repainted.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    // The tracking feedback: the rectangle inverted with a halftone pattern.
    virtual void OnInvertTracker(const CRect& rect);

    // Hit-test codes.
    enum HitTestValue
    {
        noHit = 0,
        vSplitterBox = 1,
        hSplitterBox = 2,
        bothSplitterBox = 3,
        vSplitterBar1 = 101,
        vSplitterBar15 = 115,
        hSplitterBar1 = 201,
        hSplitterBar15 = 215,
        splitterIntersection1 = 301,
        splitterIntersection225 = 525
    };
    virtual int HitTest(CPoint pt) const;

    // Layout values (pixels), as the platform has them with 3-D borders.
    int m_cxSplitter, m_cySplitter;        // width of a bar
    int m_cxBorderShare, m_cyBorderShare;  // bar part shared with the pane borders
    int m_cxSplitterGap, m_cySplitterGap;  // space between two panes
    int m_cxBorder, m_cyBorder;            // border around each pane

    struct CRowColInfo
    {
        int nMinSize;
        int nIdealSize;
        int nCurSize;
    };

    BOOL IsTracking() const { return m_bTracking; }

protected:
    CRuntimeClass* m_pDynamicViewClass;
    int m_nMaxRows, m_nMaxCols;
    int m_nRows, m_nCols;
    BOOL m_bHasHScroll, m_bHasVScroll;
    std::vector<CRowColInfo> m_pColInfo;
    std::vector<CRowColInfo> m_pRowInfo;
    BOOL m_bTracking, m_bTracking2;
    CPoint m_ptTrackOffset;
    CRect m_rectLimit;
    CRect m_rectTracker, m_rectTracker2;
    int m_htTrack;
    CScrollBar* m_pScrollBars[2];  // the splitter's own bars (horizontal, vertical)

    virtual BOOL CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID);
    virtual BOOL CreateScrollBarCtrl(DWORD dwStyle, UINT nID);
    virtual void StartTracking(int ht);
    virtual void StopTracking(BOOL bAccept);
    virtual void TrackRowSize(int y, int row);
    virtual void TrackColumnSize(int x, int col);
    virtual void GetHitRect(int ht, CRect& rect);
    virtual void GetInsideRect(CRect& rect) const;
    virtual void OnDrawSplitterParts(CDC* pDC);
    void LayoutAxis(std::vector<CRowColInfo>& info, int nCount, int nSize, int nGap, int nMaxCount);
    void LayoutPanes();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint pt);
    afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCancelMode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    DECLARE_MESSAGE_MAP()
};

