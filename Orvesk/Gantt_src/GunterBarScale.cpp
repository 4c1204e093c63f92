// The chart's two-tier time scale, on the screen and on a printer page.
#include "Gantt_src/GunterBar.h"

#include "Gantt_src/CalendarDate.h"

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

CString Number(int n)
{
    CString str;
    str.Format("%d", n);
    return str;
}

const UINT kUpperFormat = DT_SINGLELINE | DT_VCENTER;
const UINT kLowerFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

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

// The cells of both tiers for the zoom level. The triple receives the day after the lower
// tier's last cell.
void CGunterBar::DrawScaleLevel(CDC* pDC, const ScaleBand& band, int& nYear, int& nMonth, int& nDay,
                                int& nRemainder)
{
    const int nUpperTop = band.nTop;
    const int nLowerTop = band.nTop + kTier;
    // A band without room (an empty or inverted rectangle) draws no cell.
    if (band.nLowerLimit <= band.nLeft)
        return;

    switch (m_nTimeScale) {
    case 1: {
        // Upper: weeks; the first runs to the first Saturday and is titled with the first
        // day, the others with their Sundays.
        int y = nYear, m = nMonth, d = nDay;
        const int nWeekDay = GetDayOfWeek(y, m, d);
        if (nWeekDay < 0)
            return;
        int x = band.nLeft;
        int nRight = x + (7 - nWeekDay) * 18;
        DrawCell(pDC, band.bDraw, x, nRight, nUpperTop, FormatScaleDate(y, m, d), kUpperFormat);
        x = nRight;
        while (x < band.nUpperLimit) {
            NextWeekStart(y, m, d);
            nRight = x + 126;
            DrawCell(pDC, band.bDraw, x, nRight, nUpperTop, FormatScaleDate(y, m, d), kUpperFormat);
            x = nRight;
        }
        // Lower: days.
        y = nYear, m = nMonth, d = nDay;
        x = band.nLeft;
        while (x < band.nLowerLimit) {
            nRight = x + 18;
            DrawCell(pDC, band.bDraw, x, nRight, nLowerTop, GetWeekdayLabel(GetDayOfWeek(y, m, d)), kLowerFormat);
            if (band.bPrint && nRight > band.nLowerLimit)
                nRemainder = band.nLowerLimit - nRight + 18;
            x = nRight;
            NextDay(y, m, d);
        }
        nYear = y, nMonth = m, nDay = d;
        break;
    }
    case 2: {
        // Upper: months from the 1st of the first day's month.
        int y = nYear, m = nMonth, flag = 0;
        const int nStart = band.nLeft - (nDay - 1) * 6;
        int x = nStart;
        do {
            const int nDays = GetDaysInMonth(y, m);
            if (nDays == 0)
                return;
            const int nRight = x + nDays * 6;
            CString str;
            str.Format(" %d年%d月", y, m);
            DrawCell(pDC, band.bDraw, x, nRight, nUpperTop, str, kUpperFormat);
            x = nRight;
            NextMonth(y, m, flag);
        } while (x < band.nUpperLimit);
        // Lower: 3-day cells from the same 1st, across month ends without realigning.
        y = nYear, m = nMonth;
        int d = 1;
        x = nStart;
        while (x < band.nLowerLimit) {
            const int nRight = x + 18;
            DrawCell(pDC, band.bDraw, x, nRight, nLowerTop, Number(d), kLowerFormat);
            x = nRight;
            for (int i = 0; i < 3; ++i)
                NextDay(y, m, d);
        }
        nYear = y, nMonth = m, nDay = d;
        break;
    }
    case 3: {
        // Upper: quarters from the first month of the first day's quarter.
        const int nQuarter = GetQuarter(nMonth);
        if (nQuarter == 0)
            return;
        const int nFirstMonth = (nQuarter - 1) * 3 + 1;
        const int nStart = band.nLeft - (nMonth - nFirstMonth) * 36;
        int y = nYear, m = nFirstMonth, flag = 0;
        int x = nStart;
        do {
            const int nRight = x + 108;
            DrawCell(pDC, band.bDraw, x, nRight, nUpperTop, FormatQuarter(y, m), kUpperFormat);
            x = nRight;
            NextQuarter(y, m);
        } while (x < band.nUpperLimit);
        // Lower: months.
        y = nYear, m = nFirstMonth;
        x = nStart;
        while (x < band.nLowerLimit) {
            const int nRight = x + 36;
            DrawCell(pDC, band.bDraw, x, nRight, nLowerTop, Number(m), kLowerFormat);
            x = nRight;
            NextMonth(y, m, flag);
        }
        nYear = y, nMonth = m, nDay = 1;
        break;
    }
    case 4: {
        // Upper: years from January of the first day's year.
        if (nMonth < 1 || nMonth > 12)
            return;
        const int nStart = band.nLeft - (nMonth - 1) * 18;
        int y = nYear, m = 1, flag = 0;
        int x = nStart;
        do {
            const int nRight = x + 216;
            CString str;
            str.Format(" %d年", y);
            DrawCell(pDC, band.bDraw, x, nRight, nUpperTop, str, kUpperFormat);
            x = nRight;
            ++y;
        } while (x < band.nUpperLimit);
        // Lower: months.
        y = nYear, m = 1;
        x = nStart;
        while (x < band.nLowerLimit) {
            const int nRight = x + 18;
            DrawCell(pDC, band.bDraw, x, nRight, nLowerTop, Number(m), kLowerFormat);
            x = nRight;
            NextMonth(y, m, flag);
        }
        nYear = y, nMonth = m, nDay = 1;
        break;
    }
    default:
        break;
    }
}
