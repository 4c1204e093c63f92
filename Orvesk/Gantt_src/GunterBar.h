// The Gantt chart window: a child window that keeps the chart's coordinate system (an
// origin date, a zoom level with its pixels per day, horizontal and vertical scroll
// positions), owns the shapes the Gantt bar view builds, and paints the two-tier time scale,
// the background grid and the shapes.
//
// Coordinates: a shape's x is (whole days from the origin date) x pixels per day, its y the
// bar line of its visible row, 20 x row + 17. Painted shapes are shifted left by
// m_nHScrollDays x pixels per day and up by 20 x m_nTopRow; the scale takes the top 32
// pixels and does not scroll vertically.
#pragma once

#include <ClassLib/AfxWin.h>

#include "Gantt_src/GanttTitleTip.h"
#include "Gantt_src/ShapeIndex.h"

#include <map>
#include <memory>
#include <vector>

class CTaskBase;
class CTaskItem;
class CGanttBarView;
class CPrintInfo;
class CTaskTreeView;

// Cursors of the chart's drags.
#define IDC_GANTT_LINK      20001  // linking two bars
#define IDC_GANTT_MOVE      20005  // moving a bar
#define IDC_GANTT_PROGRESS  21018  // the progress handle
#define IDC_GANTT_RESIZE    21019  // the right end
#define ID_GANTT_PROPERTY   22035  // "属性(&P)" of the chart's pop-up (no handler)
#define ID_GANTT_FORMAT     22036  // "格式(&F)": the bar label style
#define IDR_GANTT_MENU      20013  // its fifth pop-up is the chart's
#define IDS_GANTT_DATEFORMAT 56609 // "%#Y年%#m月%#d日"

// Day counts of a drag at a zoom level: (long)(pixels / day width), and at levels 1 and 2,
// when the pixels are not a multiple of 18 and the fraction of pixels / 18 is above 0.3 or
// below -0.3, one further from zero (toward the sign of the pixels when the count is 0).
AFX_EXT_API long GanttRoundDays(int nPixels, int nLevel);
// The scroll units a horizontal scroll code moves from position p on the range nMin to
// nMax (the charts' one rule); bKnown FALSE for a code that does not scroll.
AFX_EXT_API int GanttHScrollDelta(UINT nSBCode, int nArg, int p, int nMin, int nMax, BOOL& bKnown);
// A horizontal scroll message on a chart window with its own bar: the step in scroll units
// (0 when nothing moves), added to nHScrollDays, and the bar's thumb moved (line steps only
// within days 0 to 100).
AFX_EXT_API int GanttTakeHScroll(CWnd* pWnd, UINT nSBCode, UINT nPos, int& nHScrollDays);
// The drag mode a bar-body press turns into after the pointer moved (dx, dy) from the press:
// 1 (move) for mostly sideways, 2 (link) for mostly up or down, else 5 (still a press).
AFX_EXT_API int GanttDecidePressMode(int dx, int dy);

// Geometry shared by the chart, its view and its shapes.
enum
{
    GANTT_SCALE_HEIGHT = 32,  // the two-tier time scale band
    GANTT_TIER_HEIGHT = 16,
    GANTT_ROW_HEIGHT = 20,
    GANTT_GRID_TOP = 33,      // the background grid starts here
};

class AFX_EXT_CLASS CGunterBar : public CWnd
{
    DECLARE_DYNAMIC(CGunterBar)

public:
    CGunterBar();
    virtual ~CGunterBar();

    BOOL RegisterWindowClass();
    // Called once by the view after creation: the chart opens with the origin date as the
    // sixth visible day.
    void InitDateRange(const CRect& rect);

    // ---- shapes (owned, in painting order) ---------------------------------------------
    void AddShape(CTaskBase* pShape);
    void RemoveAllShapes();
    // A layout writes its shapes over the last layout's, in list order: BeginShapes, then
    // NextShape for each shape in painting order, then EndShapes. NextShape gives the shape
    // at the next place if it is of the class asked for, else a spare of that class or a new
    // one, always as new (Reset); EndShapes deletes what was not reused. Saves freeing and
    // allocating every shape and list node on each layout.
    void BeginShapes();
    CTaskBase* NextShape(CRuntimeClass* pClass);
    void EndShapes();
    CObList& GetShapeList() { return m_listShapes; }
    // To be called after the list was changed other than through AddShape/RemoveAllShapes.
    void ShapesChanged() { m_bIndexDirty = TRUE; }
    // Invalidates the rows a shape covers in layout pixels (as the shape index counts them),
    // one row more above and below, across the whole width: its label runs to the right.
    void InvalidateShapeRows(int nTop, int nBottom);
    // The shapes that may show in the chart rows from y nTop to nBottom (chart coordinates,
    // before vertical scrolling), in list order; walks only those shapes.
    void GetShapesInBand(int nTop, int nBottom, std::vector<CTaskBase*>& out);
    // Whether the kept index (when one is kept) is the one the list gives now.
    BOOL IndexIsFresh() const;

    // ---- zoom, scrolling and state -------------------------------------------------------
    // Pixels per day: 18, 6, 1.2, 0.6 for levels 1 to 4; 0 for any other level.
    double GetDayWidth() const;
    static double DayWidthOfLevel(int nLevel);
    int GetTimeScale() const { return m_nTimeScale; }
    // Stores the level and has the view lay the chart out again.
    void SetTimeScale(int nLevel);
    int GetTopRow() const { return m_nTopRow; }
    void SetTopRow(int nRow) { m_nTopRow = nRow; }
    int GetHScrollDays() const { return m_nHScrollDays; }
    int GetLabelStyle() const { return m_nLabelStyle; }
    void SetLabelStyle(int nStyle) { m_nLabelStyle = nStyle; }
    CTaskItem* GetCurrentTask() const { return m_pCurrentTask; }
    // Makes the task the current one; when neither end of its bar lies in the middle half of
    // the width, scrolls (by the level's day width) to bring the bar into view.
    void EnsureTaskVisible(CTaskItem* pTask);
    // When no bar lies within the client area's width, scrolls so that the earliest task's
    // bar starts five days after the left edge (a project opened away from today).
    void ShowEarliestBarIfNoneShows();
    // Makes the leftmost visible day the origin date plus nDays.
    void ScrollToDay(int nDays);
    void GetOriginDate(int& nYear, int& nMonth, int& nDay) const;
    void GetFirstVisibleDay(int& nYear, int& nMonth, int& nDay) const;
    // Applies the pending horizontal scroll units (m_ptScrollPending.x).
    void ApplyHScroll();
    // The scroll units of one step at the current level: 1, 3 or 30 days.
    int GetHScrollUnitDays() const;

    // ---- what the chart asks its view ------------------------------------------------------
    CGanttBarView* GetBarView() const;
    BOOL IsRestDay(int nYear, int nMonth, int nDay);
    void GetResourceNames(const CStringArray& arrCodes, CString& strNames);
    void Recalc();

    // ---- drawing helpers -------------------------------------------------------------------
    CFont* GetChartFont() { return &m_font; }
    const LOGFONT& GetChartLogFont() const { return m_logFont; }
    // A pattern brush of a bitmap resource, made once per chart; NULL when the bitmap is
    // not a resource.
    CBrush* GetPatternBrush(UINT nBitmapId);

    // ---- time scale and background grid --------------------------------------------------
    // The scale band for the leftmost visible day; with bAdvance the triple receives the
    // date the lower tier reached.
    void DrawScale(CDC* pDC, int& nYear, int& nMonth, int& nDay, COLORREF crBand, BOOL bAdvance);
    void DrawPrintScale(CDC* pDC, CPrintInfo* pInfo, int& nYear, int& nMonth, int& nDay,
                        int& nRemainder, BOOL bAdvance, BOOL bDraw);
    void DrawGrid(CDC* pDC, int nYear, int nMonth, int nDay);
    void DrawPrintGrid(CDC* pDC, CPrintInfo* pInfo, int nYear, int nMonth, int nDay);

    // ---- printing --------------------------------------------------------------------------
    // Negative arguments leave their setting unchanged.
    void SetPrintFormat(int nTopMarginRows, int nHeadRows, int nLeftMargin, int nRightMargin,
                        int nTopMargin, int nBottomMargin, int nFootRows);
    // The chart's width in pixels from the view's chart dates: 0 when there are none.
    int GetChartWidth();
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    // Paints the whole chart into the context (the window's painting, double-buffered).
    void PaintChart(CDC* pDC, const CRect& rcClient);

    // ---- mouse, tips and vertical scrolling --------------------------------------------------
    // A client point in chart coordinates.
    CPoint ToLogical(CPoint point) const;
    // The tip text for a client point: a bar's description below the scale, the scale
    // cell's dates on it; empty when there is none.
    CString GetTipText(CPoint point);
    // The task tree view among the document's views, or NULL.
    CTaskTreeView* GetTaskTreeView() const;
    CGanttTitleTip& GetTitleTip() { return m_wndTitleTip; }
    // The rubber-band line of a link drag (drawn twice at the same end it is gone).
    void DrawLinkLine(int x, int y);
    // Message box texts (CP936) shown by the drags; for tests.
    static const char* DuplicateLinkText();
    static const char* NoProgressPermissionText();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

public:
    CPoint m_ptMouse;
    int m_nHScrollDays;
    int m_nTopRow;
    int m_nWheelDelta = 0;  // wheel turns not yet a whole notch
    WORD m_wOriginYear, m_wOriginMonth, m_wOriginDay;
    CObList m_listShapes;
    // Between BeginShapes and EndShapes: the next place to write, and the shapes taken off
    // the list because another class goes in their place.
    POSITION m_posNextShape = NULL;
    std::vector<CTaskBase*> m_spareShapes;
    CFont m_fontPrint;
    CSize m_sizePrint1, m_sizePrint2, m_sizePrint3;
    int m_nTopMarginRows;
    int m_nHeadRows;
    int m_nLeftMargin;
    int m_nRightMargin;
    int m_nTopMargin;
    int m_nBottomMargin;
    int m_nFootRows;
    int m_nLabelStyle;
    CTaskItem* m_pCurrentTask;
    int m_nFirstYear, m_nFirstMonth, m_nFirstDay;
    CPoint m_ptScrollPending;
    CString m_strTip;
    CFont m_font;
    LOGFONT m_logFont;
    int m_nTimeScale;
    CGanttTitleTip m_wndTitleTip;
    CPoint m_ptHover;
    int m_bDragging;
    CTaskBase* m_pDragShape;
    int m_nDragMode;
    CPoint m_ptDown;
    CPoint m_ptLastDrag;
    CRect m_rcDrag;
    CRect m_rcDragStart;
    CRect m_rcLinkTarget;
    CPoint m_ptDragScrolled;
    int m_nRowSpace;
    int m_nPagesDown;
    int m_nChartWidth;
    int m_nPagesAcross;
    int m_nPrintRow;
    int m_nLastVScroll;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnFormat();
    virtual void PreSubclassWindow();
    DECLARE_MESSAGE_MAP()

private:
    CGunterBar(const CGunterBar&) = delete;
    CGunterBar& operator=(const CGunterBar&) = delete;

    // One routine per zoom level; bPrint selects the printed variant (its band, its font,
    // no fill, stopping at the band's right edge).
    struct ScaleBand;
    void DrawScaleLevel(CDC* pDC, const ScaleBand& band, int& nYear, int& nMonth, int& nDay,
                        int& nRemainder);
    void DrawGridLevel(CDC* pDC, const CRect& rcGrid, int nYear, int nMonth, int nDay, BOOL bPrint);
    // A vertical line of single pixels, white on odd y and crEven on even y: on the screen
    // one copy from a column made once per colour, on a printer pixel by pixel.
    void DrawDottedLine(CDC* pDC, int x, int nTop, int nBottom, COLORREF crEven, BOOL bPrint);

    CShapeIndex m_index;
    BOOL m_bIndexDirty;
    std::map<UINT, CBrush*> m_mapPatternBrushes;
    std::map<COLORREF, std::unique_ptr<CBitmap>> m_mapDotColumns;  // by colour, m_nDotColumnHeight high
    int m_nDotColumnHeight = 0;

    // Drag steps.
    void DrawDragTracker(const CRect& rc);
    void SetDragCursor(UINT nCursorId);
    void AutoScrollDuringDrag(CPoint point);
    CTaskBase* ShapeAt(CPoint ptLogical, CTaskBase* pExcept, BOOL bBarsOnly) const;
    void ReportChange(CTaskItem* pTask);
    void ApplyMove(CTaskItem* pTask);
    void ApplyLink(CTaskItem* pTask, CPoint point);
    void ApplyProgress(CTaskItem* pTask);
    void ApplyResize(CTaskItem* pTask);
    void EndDrag();
    CString GetScaleTipText(CPoint point);
    CString GetShapeTipText(CTaskBase* pShape);
    void PrintLegend(CDC* pDC, const CRect& rcDraw, int nBandTop, BOOL bLastPage);
};
