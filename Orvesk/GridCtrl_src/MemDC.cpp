#include "MemDC.h"

CMemDC::CMemDC(CDC* pDC)
    : m_pDC(pDC), m_pOldBitmap(NULL), m_rect(0, 0, 0, 0), m_bMemDC(FALSE)
{
    ASSERT(pDC != NULL);
    if (!pDC)
        return;

    m_bMemDC = !pDC->IsPrinting();
    if (m_bMemDC)
    {
        pDC->GetClipBox(&m_rect);
        CreateCompatibleDC(pDC);
        m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height());
        m_pOldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
        FillSolidRect(m_rect, pDC->GetBkColor());
    }
    else
    {
        // Draw into the printer's own context.
        m_bPrinting = pDC->m_bPrinting;
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
    }
}

CMemDC::~CMemDC()
{
    if (!m_pDC)
        return;
    if (m_bMemDC)
    {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                      m_rect.top, SRCCOPY);
        SelectObject(m_pOldBitmap);
    }
    else
    {
        // The handles are the target's: not ours to delete.
        m_hDC = m_hAttribDC = NULL;
    }
}
