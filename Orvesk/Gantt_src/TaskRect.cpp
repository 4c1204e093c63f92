#include "Gantt_src/TaskShapes.h"

#include "Gantt_src/GunterBar.h"
#include "TaskItem.h"

IMPLEMENT_DYNCREATE(CTaskRect, CTaskBase)

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlack = RGB(0, 0, 0);

} // namespace

void CTaskRect::SetPoints(int x1, int y1, int x2, int y2)
{
    m_ptFrom = CPoint(x1, y1);
    m_ptTo = CPoint(x2, y2);
    m_rect.SetRect(x1, y1, x2, y2 + 10);
    if (x1 == x2)
        m_rect.bottom += 8;  // a milestone: its rectangle is 18 pixels high
}

void CTaskRect::SetTask(CObject* pTask, double dDayWidth)
{
    ASSERT(m_ptFrom != CPoint(0, 0) || m_ptTo != CPoint(0, 0));
    m_pTask = pTask;
    const CTaskItem* pItem = GetTaskItem();
    PlaceProgress(pItem != NULL ? static_cast<int>(pItem->m_nProgress) : 0, dDayWidth);
}

void CTaskRect::SetTaskItem(CTaskItem* pTask, double dDayWidth)
{
    ASSERT(m_ptFrom != CPoint(0, 0) || m_ptTo != CPoint(0, 0));
    m_pTask = pTask;
    PlaceProgress(pTask != NULL ? static_cast<int>(pTask->m_nProgress) : 0, dDayWidth);
}

void CTaskRect::PlaceProgress(int nProgress, double dDayWidth)
{
    m_rcProgress.left = m_rect.left;
    m_rcProgress.top = m_rect.top + (m_rect.Height() - 4) / 2;
    m_rcProgress.bottom = m_rcProgress.top + 4;
    // Wide arithmetic: a long bar times a damaged progress must not overflow.
    long long nWidth = static_cast<long long>(m_rect.Width()) * nProgress / 100;
    const long long nUnit = static_cast<long long>(dDayWidth);
    if (nUnit != 0 && nWidth % nUnit != 0)
        nWidth += nUnit - nWidth % nUnit;
    if (nWidth > m_rect.Width())
        nWidth = m_rect.Width();
    m_rcProgress.right = m_rcProgress.left + static_cast<int>(nWidth);
    if (m_rcProgress.right > m_rect.right)
        m_rcProgress.right = m_rect.right;
    // A negative progress (damaged record) gives an empty strip, not one left of the bar.
    if (m_rcProgress.right < m_rcProgress.left)
        m_rcProgress.right = m_rcProgress.left;
}

void CTaskRect::GetDiamond(POINT pts[4]) const
{
    const int l = m_rect.left, t = m_rect.top;
    pts[0] = CPoint(l - 5, t);
    pts[1] = CPoint(l, t - 5);
    pts[2] = CPoint(l + 5, t);
    pts[3] = CPoint(l, t + 5);
}

int CTaskRect::HitTest(CPoint point)
{
    if (IsMilestone()) {
        POINT pts[4];
        GetDiamond(pts);
        CRgn rgn;
        rgn.CreatePolygonRgn(pts, 4, WINDING);
        return rgn.PtInRegion(point) ? TASKHIT_MILESTONE : TASKHIT_NONE;
    }
    const CRect rcHandle(m_rcProgress.right - 3, m_rect.top, m_rcProgress.right + 3, m_rect.bottom);
    if (rcHandle.PtInRect(point))
        return TASKHIT_PROGRESS;
    const CRect rcRight(m_rect.right - 3, m_rect.top, m_rect.right + 3, m_rect.bottom);
    if (rcRight.PtInRect(point))
        return TASKHIT_RIGHT;
    const CRect rcBody(m_rect.left, m_rect.top, m_rect.right - 3, m_rect.bottom);
    if (rcBody.PtInRect(point))
        return TASKHIT_BODY;
    return TASKHIT_NONE;
}

CString CTaskRect::GetLabel()
{
    CTaskItem* pItem = GetTaskItem();
    if (pItem == NULL)
        return CString();
    CString strNames;
    int nStyle = 2;
    if (m_pWnd != NULL) {
        nStyle = m_pWnd->GetLabelStyle();
        m_pWnd->GetResourceNames(pItem->m_arrAssignees, strNames);
    }
    switch (nStyle) {
    case 0:
        return strNames;
    case 1:
        return pItem->m_strName;
    default:
        if (strNames.IsEmpty())
            return pItem->m_strName;
        return pItem->m_strName + "(" + strNames + ")";
    }
}

void CTaskRect::Draw(CDC* pDC, BOOL bPrinting)
{
    CTaskItem* pItem = GetTaskItem();
    const BOOL bCurrent = pItem != NULL && m_pWnd != NULL && m_pWnd->GetCurrentTask() == pItem;

    // 1. The label right of the bar.
    if (pItem != NULL) {
        CFont* pOldFont = NULL;
        if (!bPrinting)
            pOldFont = pDC->SelectObject(GetLabelFont());
        const CString strLabel = GetLabel();
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->TextOut(m_rect.right + 1, m_rect.top, strLabel);
        pDC->SetBkMode(nOldMode);
        if (!bPrinting && pOldFont != NULL)
            pDC->SelectObject(pOldFont);
    }

    CPen* pOldPen = NULL;
    CBrush* pOldBrush = NULL;
    if (IsMilestone()) {
        // 2. The milestone diamond.
        POINT pts[4];
        GetDiamond(pts);
        CPen penBlack(PS_SOLID, 1, kBlack);
        CBrush brBlack;
        brBlack.CreateSolidBrush(kBlack);
        pOldPen = pDC->SelectObject(&penBlack);
        pOldBrush = pDC->SelectObject(&brBlack);
        pDC->Polygon(pts, 4);
        if (bCurrent) {
            CRgn rgn;
            rgn.CreatePolygonRgn(pts, 4, WINDING);
            CBrush brRed;
            brRed.CreateSolidBrush(kRed);
            pDC->FrameRgn(&rgn, &brRed, 1, 1);
        }
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    } else {
        // 3. The chequered bar and the solid progress strip.
        CBrush brPattern;
        CBrush* pPattern = m_pWnd != NULL ? m_pWnd->GetPatternBrush(m_nBitmapId) : NULL;
        if (pPattern == NULL) {
            CBitmap bmp;
            if (bmp.LoadBitmap(m_nBitmapId))
                brPattern.CreatePatternBrush(&bmp);
            else
                brPattern.CreateSolidBrush(m_crColor);
            pPattern = &brPattern;
        }
        pOldPen = pDC->SelectObject(GetPen());
        pOldBrush = pDC->SelectObject(pPattern);
        pDC->Rectangle(&m_rect);
        pDC->SelectObject(GetBrush());
        pDC->Rectangle(&m_rcProgress);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }

    // 4. The current task is outlined in red.
    if (bCurrent) {
        CPen penRed(PS_SOLID, 1, kRed);
        pOldPen = pDC->SelectObject(&penRed);
        CGdiObject* pOldHollow = pDC->SelectStockObject(HOLLOW_BRUSH);
        pDC->Rectangle(&m_rect);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldHollow);
    }
}
