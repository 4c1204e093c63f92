// The chart's two-tier time scale, on the screen and on a printer page.
#include "Gantt_src/GunterBar.h"

#include "Gantt_src/CalendarDate.h"
#include "Gantt_src/TimeScale.h"

#include <ClassLib/Printing/PrintInfo.h>

struct CGunterBar::ScaleBand
{
    int nLeft;
    int nTop;
    int nUpperLimit;  // the upper tier adds cells while the last one ended left of this
    int nLowerLimit;  // likewise the lower tier
    BOOL bPrint;
    BOOL bDraw;
};

namespace {

const int kTier = GANTT_TIER_HEIGHT;

// One scale cell: its closing line at the right edge and its text.
void DrawCell(CDC* pDC, BOOL bDraw, int nLeft, int nRight, int nTop, const CString& strText, UINT nFormat)
{
    if (!bDraw)
        return;
    pDC->MoveTo(nRight, nTop);
    pDC->LineTo(nRight, nTop + kTier);
    CRect rc(nLeft, nTop, nRight, nTop + kTier);
    pDC->DrawText(strText, &rc, nFormat);
}


} // namespace

void CGunterBar::DrawScale(CDC* pDC, int& nYear, int& nMonth, int& nDay, COLORREF crBand, BOOL bAdvance)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), GANTT_SCALE_HEIGHT, crBand);

    CPen penBlack(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&penBlack);
    CFont* pOldFont = pDC->SelectObject(&m_font);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->MoveTo(rc.left, rc.top + kTier);
    pDC->LineTo(rc.right, rc.top + kTier);
    pDC->MoveTo(rc.left, rc.top + GANTT_SCALE_HEIGHT);
    pDC->LineTo(rc.right, rc.top + GANTT_SCALE_HEIGHT);

    ScaleBand band = {rc.left, rc.top, 2 * rc.Width(), rc.Width(), FALSE, TRUE};
    int y = nYear, m = nMonth, d = nDay, nRemainder = 0;
    DrawScaleLevel(pDC, band, y, m, d, nRemainder);
    if (bAdvance) {
        nYear = y;
        nMonth = m;
        nDay = d;
    }

    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
}

void CGunterBar::DrawPrintScale(CDC* pDC, CPrintInfo* pInfo, int& nYear, int& nMonth, int& nDay,
                                int& nRemainder, BOOL bAdvance, BOOL bDraw)
{
    const CRect& rc = pInfo->m_rectDraw;
    CFont* pOldFont = pDC->SelectObject(m_fontPrint.GetSafeHandle() != NULL ? &m_fontPrint : &m_font);
    CGdiObject* pOldPen = pDC->SelectStockObject(BLACK_PEN);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    if (bDraw) {
        pDC->MoveTo(rc.left, rc.top + kTier);
        pDC->LineTo(rc.right, rc.top + kTier);
        pDC->MoveTo(rc.left, rc.top + GANTT_SCALE_HEIGHT);
        pDC->LineTo(rc.right, rc.top + GANTT_SCALE_HEIGHT);
    }

    ScaleBand band = {rc.left, rc.top, rc.right, rc.right, TRUE, bDraw};
    int y = nYear, m = nMonth, d = nDay;
    nRemainder = 0;
    DrawScaleLevel(pDC, band, y, m, d, nRemainder);
    if (bAdvance) {
        nYear = y;
        nMonth = m;
        nDay = d;
    }

    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldFont);
}

// The cells of both tiers for the zoom level (the shared cell walk). The triple receives
// the day after the lower tier's last cell.
void CGunterBar::DrawScaleLevel(CDC* pDC, const ScaleBand& band, int& nYear, int& nMonth, int& nDay,
                                int& nRemainder)
{
    const int nUpperTop = band.nTop;
    const int nLowerTop = band.nTop + kTier;
    const int nLevel = m_nTimeScale;
    WalkTimeScale(nLevel, band.nLeft, band.nUpperLimit, band.nLowerLimit, nYear, nMonth, nDay,
                  [&](const CScaleCell& cell) {
                      const int nTop = cell.nTier == SCALE_TIER_HEADING ? nUpperTop : nLowerTop;
                      DrawCell(pDC, band.bDraw, cell.nLeft, cell.nRight, nTop, cell.strText, cell.nFormat);
                      if (nLevel == 1 && band.bPrint && cell.nTier == SCALE_TIER_UNIT &&
                          cell.nRight > band.nLowerLimit)
                          nRemainder = band.nLowerLimit - cell.nRight + 18;
                      return TRUE;
                  });
}
