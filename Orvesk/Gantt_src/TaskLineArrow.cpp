#include "Gantt_src/TaskShapes.h"

IMPLEMENT_DYNCREATE(CTaskLineArrow, CTaskBase)

namespace {

const int kStub = 20;  // length of the stubs leaving and entering a bar
const int kHead = 5;   // size of the arrow head

enum HeadDirection { kRight, kLeft, kUp, kDown };

void MakeHead(CPoint head[3], CPoint tip, HeadDirection dir)
{
    head[0] = tip;
    switch (dir) {
    case kRight:
        head[1] = CPoint(tip.x - kHead, tip.y - kHead);
        head[2] = CPoint(tip.x - kHead, tip.y + kHead);
        break;
    case kLeft:
        head[1] = CPoint(tip.x + kHead, tip.y - kHead);
        head[2] = CPoint(tip.x + kHead, tip.y + kHead);
        break;
    case kUp:
        head[1] = CPoint(tip.x - kHead, tip.y + kHead);
        head[2] = CPoint(tip.x + kHead, tip.y + kHead);
        break;
    case kDown:
        head[1] = CPoint(tip.x - kHead, tip.y - kHead);
        head[2] = CPoint(tip.x + kHead, tip.y - kHead);
        break;
    }
}

} // namespace

CTaskLineArrow::CTaskLineArrow()
{
    m_nLinkType = TASKLINK_FS;
}

void CTaskLineArrow::Reset()
{
    CTaskBase::Reset();
    m_nLinkType = TASKLINK_FS;
}

int CTaskLineArrow::HitTest(CPoint /*point*/) { return 0; }

void CTaskLineArrow::SetPoints(int x1, int y1, int x2, int y2)
{
    if (x2 == x1 && m_nLinkType == TASKLINK_FS)
        x2 = x1 + 5;
    m_ptFrom = CPoint(x1, y1);
    m_ptTo = CPoint(x2, y2);
}

BOOL CTaskLineArrow::GetRoute(CPoint* pPath, int& nCount, CPoint head[3]) const
{
    const int x1 = m_ptFrom.x, y1 = m_ptFrom.y, x2 = m_ptTo.x, y2 = m_ptTo.y;
    nCount = 0;
    auto add = [&](int x, int y) { pPath[nCount++] = CPoint(x, y); };

    switch (m_nLinkType) {
    case TASKLINK_FS:
        if (x2 >= x1) {
            add(x1, y1);
            if (y1 == y2) {
                add(x2, y2);
                MakeHead(head, CPoint(x2, y2), kRight);
            } else {
                add(x2, y1);
                add(x2, y2);
                MakeHead(head, CPoint(x2, y2), y1 < y2 ? kDown : kUp);
            }
        } else if (y1 < y2) {
            // The successor starts left of the predecessor's end, further down: a detour
            // half-way between the rows into the side of the target below its end point.
            const int m = (y2 - y1 <= 10) ? (y1 + y2 + 5) / 2 : (y1 + y2 + 10) / 2;
            add(x1, y1);
            add(x1 + kStub, y1);
            add(x1 + kStub, m);
            add(x2 - kStub, m);
            add(x2 - kStub, y2 + 5);
            add(x2, y2 + 5);
            MakeHead(head, CPoint(x2, y2 + 5), kRight);
        } else {
            const int m = (y1 - y2 <= 10) ? (y1 + y2 - 5) / 2 : (y1 + y2 - 10) / 2;
            add(x1, y1);
            add(x1 + kStub, y1);
            add(x1 + kStub, m);
            add(x2 - kStub, m);
            add(x2 - kStub, y2 - 5);
            add(x2, y2 - 5);
            MakeHead(head, CPoint(x2, y2 - 5), kRight);
        }
        return TRUE;
    case TASKLINK_FF:
        add(x1, y1);
        if (x2 < x1) {
            add(x1 + kStub, y1);
            add(x1 + kStub, y2);
        } else {
            add(x2 + kStub, y1);
            add(x2 + kStub, y2);
        }
        add(x2, y2);
        MakeHead(head, CPoint(x2, y2), kLeft);
        return TRUE;
    case TASKLINK_SF:
        add(x1, y1);
        add(x1 - kStub, y1);
        if (x2 >= x1) {
            const int nDistance = y2 > y1 ? y2 - y1 : y1 - y2;
            const int m = nDistance >= 10 ? (y1 + y2 + 7) / 2 : (y1 + y2) / 2;
            add(x1 - kStub, m);
            add(x2 + kStub, m);
            add(x2 + kStub, y2);
        } else {
            add(x1 - kStub, y2);
        }
        add(x2, y2);
        MakeHead(head, CPoint(x2, y2), kLeft);
        return TRUE;
    case TASKLINK_SS:
        add(x1, y1);
        if (x2 >= x1) {
            add(x1 - kStub, y1);
            add(x1 - kStub, y2);
        } else {
            add(x2 - kStub, y1);
            add(x2 - kStub, y2);
        }
        add(x2, y2);
        MakeHead(head, CPoint(x2, y2), kRight);
        return TRUE;
    default:
        return FALSE;
    }
}

void CTaskLineArrow::GetVerticalExtent(int& nTop, int& nBottom) const
{
    nTop = m_ptFrom.y < m_ptTo.y ? m_ptFrom.y : m_ptTo.y;
    nBottom = m_ptFrom.y < m_ptTo.y ? m_ptTo.y : m_ptFrom.y;
    // The detours run up to 5 pixels beyond the end point, the head 5 more.
    nTop -= 2 * kHead;
    nBottom += 2 * kHead;
}

void CTaskLineArrow::Draw(CDC* pDC, BOOL /*bPrinting*/)
{
    CPoint path[6];
    CPoint head[3];
    int nCount = 0;
    if (!GetRoute(path, nCount, head))
        return;

    CPen* pOldPen = pDC->SelectObject(GetPen());
    CBrush* pOldBrush = pDC->SelectObject(GetBrush());
    pDC->MoveTo(path[0]);
    for (int i = 1; i < nCount; ++i)
        pDC->LineTo(path[i]);
    CRgn rgn;
    rgn.CreatePolygonRgn(head, 3, WINDING);
    pDC->FillRgn(&rgn, GetBrush());
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}
