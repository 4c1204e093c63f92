#include "Gantt_src/TaskShapes.h"

#include "Gantt_src/GunterBar.h"
#include "TaskItem.h"

IMPLEMENT_DYNCREATE(CTaskPolygon, CTaskBase)

void CTaskPolygon::SetPoints(int x1, int y1, int x2, int y2)
{
    m_ptFrom = CPoint(x1, y1);
    m_ptTo = CPoint(x2, y2);
    m_points[0] = CPoint(x1 - 5, y1);
    m_points[1] = CPoint(x2 + 5, y2);
    m_points[2] = CPoint(x2 + 5, y2 + 5);
    m_points[3] = CPoint(x2, y2 + 10);
    m_points[4] = CPoint(x2 - 5, y2 + 5);
    m_points[5] = CPoint(x1 + 5, y1 + 5);
    m_points[6] = CPoint(x1, y1 + 10);
    m_points[7] = CPoint(x1 - 5, y1 + 5);
    if (m_rgn.GetSafeHandle() != NULL)
        m_rgn.DeleteObject();  // made again from the new outline when needed
    m_rect.SetRect(x1 - 5, y1, x2 + 5, y1 + 5);
}

void CTaskPolygon::Reset()
{
    CTaskBase::Reset();
    for (CPoint& pt : m_points)
        pt = CPoint(0, 0);
    if (m_rgn.GetSafeHandle() != NULL)
        m_rgn.DeleteObject();
}

CRgn* CTaskPolygon::GetRegion()
{
    if (m_rgn.GetSafeHandle() == NULL)
        m_rgn.CreatePolygonRgn(m_points, 8, WINDING);
    return &m_rgn;
}

int CTaskPolygon::HitTest(CPoint point)
{
    return GetRegion()->PtInRegion(point) ? 1 : 0;
}

void CTaskPolygon::Draw(CDC* pDC, BOOL /*bPrinting*/)
{
    CBrush brBlack;
    brBlack.CreateSolidBrush(RGB(0, 0, 0));
    CBrush* pOldBrush = pDC->SelectObject(&brBlack);
    if (!pDC->Polygon(m_points, 8))
        AfxMessageBox("fail!");
    if (m_pTask != NULL && m_pWnd != NULL && m_pWnd->GetCurrentTask() == m_pTask) {
        CBrush brRed;
        brRed.CreateSolidBrush(RGB(255, 0, 0));
        pDC->FrameRgn(GetRegion(), &brRed, 1, 1);
    }
    pDC->SelectObject(pOldBrush);
}
