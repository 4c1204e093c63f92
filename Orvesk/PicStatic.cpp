#include "PicStatic.h"

IMPLEMENT_DYNAMIC(CPicStatic, CStatic)

BEGIN_MESSAGE_MAP(CPicStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CPicStatic::CPicStatic() : m_nBitmapId(0) {}

CPicStatic::~CPicStatic() {}

void CPicStatic::SetBitmapId(int nID)
{
    m_nBitmapId = nID;
    if (GetSafeHwnd())
        Invalidate();
}

void CPicStatic::PaintPicture(CDC* pDC, const CRect& rect)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(m_nBitmapId))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bitmap))
        return;
    pDC->FillRect(&rect, &brush);
}

void CPicStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    PaintPicture(&dc, rect);
}

void CPicStatic::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == NULL)
        return;
    PaintPicture(CDC::FromHandle(lpDrawItemStruct->hDC), CRect(lpDrawItemStruct->rcItem));
}
