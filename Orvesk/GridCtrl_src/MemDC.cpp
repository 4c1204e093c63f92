#include "MemDC.h"

CMemDC::CMemDC(CDC* pDC)
    : m_pDC(pDC), m_pOldBitmap(NULL), m_rect(0, 0, 0, 0), m_bMemDC(FALSE)
{
    ASSERT(pDC != NULL);
    if (!pDC || pDC->IsPrinting())
        return;

    pDC->GetClipBox(&m_rect);
    if (m_rect.IsRectEmpty())
        return;
    if (!CreateCompatibleDC(pDC))
        return;
    if (!m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height()))
    {
        DeleteDC();
        return;
    }
    m_bMemDC = TRUE;
    m_pOldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    FillSolidRect(m_rect, pDC->GetBkColor());
}

CMemDC::~CMemDC()
{
    if (!m_bMemDC)
        return;
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                  m_rect.top, SRCCOPY);
    SelectObject(m_pOldBitmap);
}
