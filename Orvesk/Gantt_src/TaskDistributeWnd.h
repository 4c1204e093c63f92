// The task distribution chart: vertical load bars coloured in up to three bands by how far
// they reach towards a capacity (green to 50 %, yellow to 80 %, red above), over a two-tier
// time scale along the bottom with a date tip. It is fed three sample bars.
#pragma once

#include <ClassLib/AfxWin.h>

#include "Gantt_src/CalendarCalculate.h"
#include "Gantt_src/GanttTitleTip.h"

class AFX_EXT_CLASS CTaskDistributeRect : public CObject
{
public:
    CTaskDistributeRect();
    virtual ~CTaskDistributeRect();

    void SetColors(COLORREF crLow, COLORREF crMid, COLORREF crHigh);
    void GetColors(COLORREF& crLow, COLORREF& crMid, COLORREF& crHigh) const;
    void SetValues(int nCapacity, int nThreshold1, int nThreshold2);
    void GetValues(int& nCapacity, int& nThreshold1, int& nThreshold2) const;
    void SetRect(const CRect& rect) { m_rect = rect; }
    void Draw(CDC* pDC);

public:
    COLORREF m_crLow;
    COLORREF m_crMid;
    COLORREF m_crHigh;
    CRect m_rect;
    int m_nCapacity;
    int m_nThreshold1;
    int m_nThreshold2;
};

class AFX_EXT_CLASS CTaskDistributeWnd : public CWnd
{
public:
    CTaskDistributeWnd();
    virtual ~CTaskDistributeWnd();

    // Starts the scale five days before today.
    void InitDateRange(const CRect& rect);
    // Appends the three sample bars.
    void CreateBars();
    double GetPixelsPerDay() const;
    // Lays the bars out in the chart area and draws them.
    void DrawBars(CDC* pDC);
    // Applies the pending scroll units to the leftmost visible day.
    void ApplyHScroll();

public:
    CCalendarCalculate m_calendar;
    CPoint m_ptScrollPending;
    CFont m_font;
    LOGFONT m_logFont;
    CGanttTitleTip m_wndTitleTip;
    int m_nTimeScale;
    int m_nHScrollDays;
    int m_nFirstYear, m_nFirstMonth, m_nFirstDay;
    CString m_strTip;
    CPoint m_ptTipAnchor;
    CPoint m_ptMouse;
    CObList m_listBars;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void DeleteBars();
};
