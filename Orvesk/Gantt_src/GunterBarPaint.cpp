// The chart's painting (double-buffered: grid, shapes of the visible rows, scale) and the
// entry points its view's printing calls.
#include "Gantt_src/GunterBar.h"

#include "Gantt_src/CalendarDate.h"
#include "Gantt_src/TaskShapes.h"
#include "GanttBarView.h"

#include <ClassLib/Printing/PrintInfo.h>

#include <vector>

namespace {

const COLORREF kScaleFace = 0xC8D0D4;

} // namespace

void CGunterBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;

    CDC dcMem;
    dcMem.CreateCompatibleDC(&dc);
    // The buffer is kept between paints and made again when the window's size changes.
    if (m_bmpBuffer.GetSafeHandle() == NULL || m_sizeBuffer != rcClient.Size()) {
        m_bmpBuffer.DeleteObject();
        m_sizeBuffer = CSize(0, 0);
        if (!m_bmpBuffer.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height())) {
            PaintChart(&dc, rcClient);
            return;
        }
        m_sizeBuffer = rcClient.Size();
    }
    CBitmap* pOldBitmap = dcMem.SelectObject(&m_bmpBuffer);
    PaintChart(&dcMem, rcClient);
    dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
}

void CGunterBar::PaintChart(CDC* pDC, const CRect& rcClient)
{
    pDC->FillSolidRect(&rcClient, RGB(255, 255, 255));

    // Grid and shapes under the scrolled origin.
    const int nShiftX = -static_cast<int>(m_nHScrollDays * GetDayWidth());
    const int nShiftY = -m_nTopRow * GANTT_ROW_HEIGHT;
    const CPoint ptOldOrg = pDC->SetViewportOrg(nShiftX, nShiftY);
    DrawGrid(pDC, m_nFirstYear, m_nFirstMonth, m_nFirstDay);

    // Only the shapes that reach into the visible rows: bars of those rows and the arrows
    // that cross them, in list order (bars first, arrows over them).
    std::vector<CTaskBase*> shapes;
    GetShapesInBand(rcClient.top - nShiftY, rcClient.bottom - nShiftY, shapes);
    for (CTaskBase* pShape : shapes)
        pShape->Draw(pDC, FALSE);

    pDC->SetViewportOrg(ptOldOrg);
    int y = m_nFirstYear, m = m_nFirstMonth, d = m_nFirstDay;
    DrawScale(pDC, y, m, d, kScaleFace, FALSE);

    CPen penWhite(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* pOldPen = pDC->SelectObject(&penWhite);
    pDC->MoveTo(rcClient.right - 1, rcClient.top);
    pDC->LineTo(rcClient.left, rcClient.top);
    pDC->LineTo(rcClient.left, rcClient.bottom);
    pDC->SelectObject(pOldPen);
}

int CGunterBar::GetChartWidth()
{
    CGanttBarView* pView = GetBarView();
    if (pView == NULL)
        return 0;
    COleDateTime dtStart, dtEnd;
    pView->GetChartStartDate(dtStart);
    pView->GetChartEndDate(dtEnd);
    // An empty project has no chart dates: no width.
    if (dtStart.GetStatus() != COleDateTime::valid || dtEnd.GetStatus() != COleDateTime::valid)
        return 0;
    const long nDays = (dtEnd - dtStart).GetDays() + 5;
    const double dWidth = nDays * GetDayWidth();
    if (dWidth <= 0)
        return 0;
    return dWidth > 0x3FFFFFFF ? 0x3FFFFFFF : static_cast<int>(dWidth);
}

// Printing of the chart: one page with the scale from two days before the chart's first
// day, the grid and every shape, inside the page's drawing rectangle.
void CGunterBar::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_fontPrint.GetSafeHandle() == NULL) {
        LOGFONT lf = {};
        lf.lfHeight = 9;
        lf.lfWeight = 400;
        lf.lfCharSet = GB2312_CHARSET;
        lf.lfOutPrecision = 2;
        lf.lfClipPrecision = 1;
        strcpy(lf.lfFaceName, "宋体");
        m_fontPrint.CreateFontIndirect(&lf);
    }
    (void)pDC;
    if (pInfo != NULL)
        pInfo->SetMaxPage(1);
}

void CGunterBar::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo == NULL || pInfo->m_rectDraw.IsRectEmpty())
        return;
    int y = m_nFirstYear, m = m_nFirstMonth, d = m_nFirstDay;
    if (CGanttBarView* pView = GetBarView()) {
        COleDateTime dtStart;
        pView->GetChartStartDate(dtStart);
        if (dtStart.GetStatus() == COleDateTime::valid) {
            y = dtStart.GetYear(), m = dtStart.GetMonth(), d = dtStart.GetDay();
            PrevDay(y, m, d);
            PrevDay(y, m, d);
        }
    }
    int nRemainder = 0;
    int py = y, pm = m, pd = d;
    DrawPrintScale(pDC, pInfo, py, pm, pd, nRemainder, FALSE, TRUE);
    DrawPrintGrid(pDC, pInfo, y, m, d);

    // The shapes, shifted so that the printed first day sits at the drawing rectangle's left.
    const COleDateTime dtOrigin(m_wOriginYear, m_wOriginMonth, m_wOriginDay, 0, 0, 0);
    const COleDateTime dtFirst(y, m, d, 0, 0, 0);
    const long nDays = (dtFirst - dtOrigin).GetDays();
    const int nShiftX = pInfo->m_rectDraw.left - static_cast<int>(nDays * GetDayWidth());
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&pInfo->m_rectDraw);
    const CPoint ptOld = pDC->OffsetViewportOrg(nShiftX, pInfo->m_rectDraw.top);
    for (POSITION pos = m_listShapes.GetHeadPosition(); pos != NULL;)
        static_cast<CTaskBase*>(m_listShapes.GetNext(pos))->Draw(pDC, TRUE);
    pDC->SetViewportOrg(ptOld);
    pDC->RestoreDC(nSaved);
}

void CGunterBar::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/) {}
