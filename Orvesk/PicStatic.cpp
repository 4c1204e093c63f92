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

void CPicStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(m_nBitmapId))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bitmap))
        return;
    dc.FillRect(&rect, &brush);
}
