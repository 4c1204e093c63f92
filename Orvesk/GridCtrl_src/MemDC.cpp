#include "MemDC.h"

CMemDC::CMemDC(CDC* pDC)
    : m_pDC(pDC), m_pOldBitmap(NULL), m_rect(0, 0, 0, 0), m_bMemDC(FALSE)
{
    Init(pDC, &m_bitmap);
}

CMemDC::CMemDC(CDC* pDC, CBitmap* pBackBuffer)
    : m_pDC(pDC), m_pOldBitmap(NULL), m_rect(0, 0, 0, 0), m_bMemDC(FALSE)
{
    Init(pDC, pBackBuffer ? pBackBuffer : &m_bitmap);
}

void CMemDC::Init(CDC* pDC, CBitmap* pBuffer)
{
    ASSERT(pDC != NULL);
    if (!pDC)
        return;

    m_bMemDC = !pDC->IsPrinting();
    if (m_bMemDC)
    {
        pDC->GetClipBox(&m_rect);
        CreateCompatibleDC(pDC);
        // A kept buffer is made anew only when the clip box has outgrown it.
        BITMAP bm = {};
        if (pBuffer->GetSafeHandle())
            pBuffer->GetBitmap(&bm);
        if (!pBuffer->GetSafeHandle() || bm.bmWidth < m_rect.Width() || bm.bmHeight < m_rect.Height())
        {
            int cx = max((int)bm.bmWidth, (int)m_rect.Width());
            int cy = max((int)bm.bmHeight, (int)m_rect.Height());
            pBuffer->DeleteObject();
            pBuffer->CreateCompatibleBitmap(pDC, max(cx, 1), max(cy, 1));
        }
        m_pOldBitmap = SelectObject(pBuffer);
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
