#include "Gantt_src/CalendarCalculate.h"

#include "Gantt_src/TimeScale.h"

#include <cstring>

void GanttDistributeLogFont(LOGFONT& lf)
{
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = 12;
    lf.lfWeight = 40;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfOutPrecision = OUT_STROKE_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = FF_MODERN | VARIABLE_PITCH;
    strcpy(lf.lfFaceName, "宋体");
}

CCalendarCalculate::CCalendarCalculate()
    : m_rectScale(0, 0, 0, 0), m_nStyle(1), m_nTimeScale(1), m_nYear(0), m_nMonth(0), m_nDay(0)
{
    GanttDistributeLogFont(m_logFont);
    m_font.CreateFontIndirect(&m_logFont);
}

CCalendarCalculate::~CCalendarCalculate() {}

void CCalendarCalculate::SetFont(const LOGFONT& lf)
{
    if (m_font.GetSafeHandle() != NULL)
        m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    m_logFont = lf;
}

void CCalendarCalculate::DrawScale(CDC* pDC, const CRect& rcBand, int nLevel, int& nYear, int& nMonth, int& nDay,
                                   int nStyle, COLORREF crBand, BOOL bWriteBack)
{
    m_rectScale = rcBand;
    m_nStyle = nStyle;
    m_nTimeScale = nLevel;
    m_nYear = nYear, m_nMonth = nMonth, m_nDay = nDay;

    pDC->FillSolidRect(&rcBand, crBand);
    CPen penBlack(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&penBlack);
    CFont* pOldFont = pDC->SelectObject(&m_font);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);

    const int nTop = rcBand.top;
    if (nStyle == 0) {
        pDC->MoveTo(rcBand.left, nTop);
        pDC->LineTo(rcBand.right, nTop);
    }
    pDC->MoveTo(rcBand.left, nTop + 16);
    pDC->LineTo(rcBand.right, nTop + 16);
    pDC->MoveTo(rcBand.left, nTop + 32);
    pDC->LineTo(rcBand.right, nTop + 32);

    const int nHeadingTop = nStyle == 0 ? nTop + 16 : nTop;
    const int nUnitTop = nStyle == 0 ? nTop : nTop + 16;
    // A level outside 1 to 4 is drawn as level 1.
    const int nDrawLevel = nLevel >= 1 && nLevel <= 4 ? nLevel : 1;
    int y = nYear, m = nMonth, d = nDay;
    WalkTimeScale(nDrawLevel, rcBand.left, 2 * rcBand.right, rcBand.right, y, m, d, [&](const CScaleCell& cell) {
        const int nCellTop = cell.nTier == SCALE_TIER_HEADING ? nHeadingTop : nUnitTop;
        pDC->MoveTo(cell.nRight, nCellTop);
        pDC->LineTo(cell.nRight, nCellTop + 16);
        CRect rc(cell.nLeft, nCellTop, cell.nRight, nCellTop + 16);
        pDC->DrawText(cell.strText, &rc, cell.nFormat);
        return TRUE;
    });
    if (bWriteBack) {
        nYear = y;
        nMonth = m;
        nDay = d;
    }

    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
}

BOOL CCalendarCalculate::GetTipText(CPoint point, CString& strText)
{
    strText.Empty();
    if (!m_rectScale.PtInRect(point))
        return FALSE;
    if (m_nTimeScale < 1 || m_nTimeScale > 4)
        return TRUE;
    const int nTop = m_rectScale.top;
    const int nHeadingTop = m_nStyle == 0 ? nTop + 16 : nTop;
    const int nUnitTop = m_nStyle == 0 ? nTop : nTop + 16;
    const int nLevel = m_nTimeScale;
    const int nLevel1Bound = m_rectScale.right - 18;
    int y = m_nYear, m = m_nMonth, d = m_nDay;
    WalkTimeScale(nLevel, m_rectScale.left, 2 * m_rectScale.right, m_rectScale.right, y, m, d,
                  [&](const CScaleCell& cell) {
                      if (nLevel == 1 && cell.nLeft >= nLevel1Bound)
                          return TRUE;
                      const int nCellTop = cell.nTier == SCALE_TIER_HEADING ? nHeadingTop : nUnitTop;
                      const CRect rc(cell.nLeft, nCellTop, cell.nRight, nCellTop + 16);
                      if (!rc.PtInRect(point))
                          return TRUE;
                      strText = ScaleCellTipText(nLevel, cell);
                      return FALSE;
                  });
    return TRUE;
}
