// The chart's background grid: rest days, week, month, quarter and year boundaries and the
// origin date, on the screen (behind the shapes) and on a printer page.
#include "Gantt_src/GunterBar.h"

#include "Gantt_src/CalendarDate.h"
#include "Gantt_src/GanttRes.h"

#include <ClassLib/Printing/PrintInfo.h>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);

// A vertical line of single pixels: white on odd y, the given colour on even y.
void DottedLine(CDC* pDC, int x, int nTop, int nBottom, COLORREF crEven)
{
    for (int y = nTop; y < nBottom; ++y)
        pDC->SetPixelV(x, y, (y & 1) ? kWhite : crEven);
}

// The printed form of the Sunday line: alternating one-pixel segments drawn with the stock
// white and black pens.
void PrintedDottedLine(CDC* pDC, int x, int nTop, int nBottom)
{
    CGdiObject* pOld = pDC->SelectStockObject(BLACK_PEN);
    for (int y = nTop; y < nBottom; ++y) {
        pDC->SelectStockObject((y & 1) ? WHITE_PEN : BLACK_PEN);
        pDC->MoveTo(x, y);
        pDC->LineTo(x, y + 1);
    }
    pDC->SelectObject(pOld);
}

} // namespace

void CGunterBar::DrawDottedLine(CDC* pDC, int x, int nTop, int nBottom, COLORREF crEven, BOOL bPrint)
{
    if (nBottom <= nTop)
        return;
    if (bPrint || pDC->IsPrinting()) {
        DottedLine(pDC, x, nTop, nBottom, crEven);
        return;
    }
    // The column starts on an even row and is one row longer than the line, so that a line
    // starting on an odd row copies from its second row.
    const int nHeight = nBottom - nTop + 1;
    if (nHeight > m_nDotColumnHeight) {
        m_mapDotColumns.clear();
        m_nDotColumnHeight = nHeight;
    }
    CDC dcColumn;
    if (!dcColumn.CreateCompatibleDC(pDC)) {
        DottedLine(pDC, x, nTop, nBottom, crEven);
        return;
    }
    std::unique_ptr<CBitmap>& pColumn = m_mapDotColumns[crEven];
    const BOOL bNew = pColumn == nullptr;
    if (bNew) {
        pColumn.reset(new CBitmap);
        if (!pColumn->CreateCompatibleBitmap(pDC, 1, m_nDotColumnHeight)) {
            m_mapDotColumns.erase(crEven);
            DottedLine(pDC, x, nTop, nBottom, crEven);
            return;
        }
    }
    CBitmap* pOld = dcColumn.SelectObject(pColumn.get());
    if (bNew)
        DottedLine(&dcColumn, 0, 0, m_nDotColumnHeight, crEven);
    pDC->BitBlt(x, nTop, 1, nBottom - nTop, &dcColumn, 0, nTop & 1, SRCCOPY);
    dcColumn.SelectObject(pOld);
}

void CGunterBar::DrawGrid(CDC* pDC, int nYear, int nMonth, int nDay)
{
    // The grid is drawn under the scrolled origin: its rectangle is the client area in the
    // context's logical coordinates.
    CRect rc;
    GetClientRect(&rc);
    const CPoint org = pDC->GetViewportOrg();
    rc.OffsetRect(-org.x, -org.y);
    rc.top += GANTT_GRID_TOP;
    DrawGridLevel(pDC, rc, nYear, nMonth, nDay, FALSE);
}

void CGunterBar::DrawPrintGrid(CDC* pDC, CPrintInfo* pInfo, int nYear, int nMonth, int nDay)
{
    CRect rc = pInfo->m_rectDraw;
    rc.top += GANTT_GRID_TOP;
    DrawGridLevel(pDC, rc, nYear, nMonth, nDay, TRUE);
}

void CGunterBar::DrawGridLevel(CDC* pDC, const CRect& rc, int nYear, int nMonth, int nDay, BOOL bPrint)
{
    if (rc.bottom <= rc.top || rc.right <= rc.left || GetDaysInMonth(nYear, nMonth) == 0)
        return;
    const int nOriginYear = m_wOriginYear, nOriginMonth = m_wOriginMonth, nOriginDay = m_wOriginDay;
    int y = nYear, m = nMonth, d = nDay, flag = 0;

    switch (m_nTimeScale) {
    case 1: {
        CPen penWhite(PS_SOLID, 1, kWhite);
        CBrush brSolid;
        CBrush* pRestBrush = GetPatternBrush(IDB_GANTT_RESTDAY);
        if (pRestBrush == NULL) {
            brSolid.CreateSolidBrush(RGB(192, 192, 192));
            pRestBrush = &brSolid;
        }
        for (int x = rc.left; x < rc.right; x += 18) {
            if (IsRestDay(y, m, d)) {
                CPen* pOldPen = pDC->SelectObject(&penWhite);
                CBrush* pOldBrush = pDC->SelectObject(pRestBrush);
                pDC->Rectangle(x, rc.top, x + 18, rc.bottom);
                pDC->SelectObject(pOldPen);
                pDC->SelectObject(pOldBrush);
            }
            if (GetDayOfWeek(y, m, d) == 0) {
                if (bPrint)
                    PrintedDottedLine(pDC, x, rc.top, rc.bottom);
                else
                    DrawDottedLine(pDC, x, rc.top, rc.bottom, kBlack, FALSE);
            }
            if (y == nOriginYear && m == nOriginMonth && d == nOriginDay) {
                if (bPrint) {
                    CPen penRed(PS_DOT, 2, kRed);
                    CPen* pOldPen = pDC->SelectObject(&penRed);
                    for (int t = rc.top; t < rc.bottom - 1; t += 12) {
                        const int b = t + 8 < rc.bottom - 1 ? t + 8 : rc.bottom - 1;
                        pDC->MoveTo(x, t);
                        pDC->LineTo(x, b);
                    }
                    pDC->SelectObject(pOldPen);
                } else {
                    for (int t = rc.top; t < rc.bottom; t += 12)
                        pDC->FillSolidRect(x, t, 2, 8, kRed);
                }
            }
            if (!NextDay(y, m, d))
                break;
        }
        break;
    }
    case 2: {
        for (int x = rc.left; x < rc.right; x += 6) {
            const BOOL bOrigin = y == nOriginYear && m == nOriginMonth && d == nOriginDay;
            if (bOrigin || IsLastDayOfMonth(y, m, d))
                DrawDottedLine(pDC, x + 6, rc.top, rc.bottom, bOrigin ? kRed : kBlack, bPrint);
            if (!NextDay(y, m, d))
                break;
        }
        break;
    }
    case 3: {
        const int nQuarter = GetQuarter(m);
        const int nFirstMonth = (nQuarter - 1) * 3 + 1;
        int x = rc.left - (m - nFirstMonth) * 36;
        m = nFirstMonth;
        for (; x < rc.right; x += 36) {
            if (IsQuarterEndMonth(y, m, 1))
                DrawDottedLine(pDC, x + 36, rc.top, rc.bottom, kBlack, bPrint);
            if (y == nOriginYear && m == nOriginMonth)
                DrawDottedLine(pDC, x + nOriginDay, rc.top, rc.bottom, kRed, bPrint);
            NextMonth(y, m, flag);
        }
        break;
    }
    case 4: {
        for (int x = rc.left; x < rc.right; x += 18) {
            if (m == 12)
                DrawDottedLine(pDC, x + 18, rc.top, rc.bottom, kBlack, bPrint);
            if (y == nOriginYear && m == nOriginMonth)
                DrawDottedLine(pDC, x + static_cast<int>(nOriginDay * 0.6), rc.top, rc.bottom, kRed, bPrint);
            NextMonth(y, m, flag);
        }
        break;
    }
    default:
        break;
    }
}
