// The distribution chart's calendar: draws the two-tier time scale into a band (the chart
// window's cells, texts and date steps, walked by the shared scale routine) and gives the
// dates of the cell under a point.
#pragma once

#include <ClassLib/AfxWin.h>

class AFX_EXT_CLASS CCalendarCalculate
{
public:
    CCalendarCalculate();
    virtual ~CCalendarCalculate();

    // Style 0: unit tier on top and a border line on the band's top edge; any other style:
    // heading tier on top. With bWriteBack the triple receives the day the unit tier reached.
    void DrawScale(CDC* pDC, const CRect& rcBand, int nLevel, int& nYear, int& nMonth, int& nDay, int nStyle,
                   COLORREF crBand, BOOL bWriteBack);
    // FALSE outside the last scale drawn; else TRUE with the dates of the cell under the
    // point (empty when it is in no cell).
    BOOL GetTipText(CPoint point, CString& strText);
    BOOL HitTest(CPoint point) const { return m_rectScale.PtInRect(point); }
    void SetFont(const LOGFONT& lf);
    void GetFont(LOGFONT& lf) const { lf = m_logFont; }

public:
    CFont m_font;
    LOGFONT m_logFont;
    CRect m_rectScale;
    int m_nStyle;
    int m_nTimeScale;
    int m_nYear, m_nMonth, m_nDay;
};

// The font of the distribution chart's scale and tips: 12 high, 宋体.
AFX_EXT_API void GanttDistributeLogFont(LOGFONT& lf);
