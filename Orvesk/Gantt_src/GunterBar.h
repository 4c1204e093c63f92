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

#include "Gantt_src/ShapeIndex.h"

#include <map>

class CTaskBase;
class CTaskItem;
class CGanttBarView;
class CPrintInfo;

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
    CObList& GetShapeList() { return m_listShapes; }
    // To be called after the list was changed other than through AddShape/RemoveAllShapes.
    void ShapesChanged() { m_bIndexDirty = TRUE; }
    // The shapes that may show in the chart rows from y nTop to nBottom (chart coordinates,
    // before vertical scrolling), in list order; walks only those shapes.
    void GetShapesInBand(int nTop, int nBottom, std::vector<CTaskBase*>& out);

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
    // Makes the task the current one and scrolls its bar into view.
    void EnsureTaskVisible(CTaskItem* pTask);
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

public:
    CPoint m_ptMouse;
    int m_nHScrollDays;
    int m_nTopRow;
    WORD m_wOriginYear, m_wOriginMonth, m_wOriginDay;
    CObList m_listShapes;
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

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
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

    CShapeIndex m_index;
    BOOL m_bIndexDirty;
    std::map<UINT, CBrush*> m_mapPatternBrushes;
    CBitmap m_bmpBuffer;  // the painting's memory bitmap
    CSize m_sizeBuffer;
};
