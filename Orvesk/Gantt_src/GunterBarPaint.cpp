// The chart's painting: grid, shapes of the visible rows, scale.
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
    // Drawn straight into the window's picture: it reaches the screen only once the paint is
    // over, so the chart never shows half drawn.
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    PaintChart(&dc, rcClient);
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
