#include "MemDC.h"

#include <ClassLib/Gdi/PaintTarget.h>

CMemDC::CMemDC(CDC* pDC)
    : m_pDC(pDC), m_pOldBitmap(NULL), m_rect(0, 0, 0, 0), m_bMemDC(FALSE), m_nSavedDC(0)
{
    Init(pDC, &m_bitmap);
}

CMemDC::CMemDC(CDC* pDC, CBitmap* pBackBuffer)
    : m_pDC(pDC), m_pOldBitmap(NULL), m_rect(0, 0, 0, 0), m_bMemDC(FALSE), m_nSavedDC(0)
{
    Init(pDC, pBackBuffer ? pBackBuffer : &m_bitmap);
}

void CMemDC::Init(CDC* pDC, CBitmap* pBuffer)
{
    ASSERT(pDC != NULL);
    if (!pDC)
        return;

    m_bMemDC = !pDC->IsPrinting() && !AfxIsWindowPaintDC(pDC);
    if (!m_bMemDC && !pDC->IsPrinting())
    {
        // The window's own picture, drawn as into the memory bitmap: the clip box starts out
        // in the target's background and the state the drawing leaves is given back.
        SetOutputDC(pDC->m_hDC);
        SetAttribDC(pDC->m_hAttribDC);
        m_nSavedDC = SaveDC();
        GetClipBox(&m_rect);
        FillSolidRect(m_rect, GetBkColor());
    }
    else if (m_bMemDC)
    {
        pDC->GetClipBox(&m_rect);
        CreateCompatibleDC(pDC);
        // A kept buffer is made anew only when the clip box has outgrown it, or the target
        // has another number of pixels per logical pixel (the window went to another screen).
        BITMAP bm = {};
        if (pBuffer->GetSafeHandle())
            pBuffer->GetBitmap(&bm);
        if (!pBuffer->GetSafeHandle() || bm.bmWidth < m_rect.Width() || bm.bmHeight < m_rect.Height() ||
            AfxPixelRatioOf(pBuffer) != AfxPixelRatioOf(pDC))
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
    else if (m_nSavedDC != 0)
    {
        RestoreDC(m_nSavedDC);
        // The handles are the target's: not ours to delete.
        ReleaseOutputDC();
        ReleaseAttribDC();
    }
    else
    {
        // The handles are the target's: not ours to delete.
        m_hDC = m_hAttribDC = NULL;
    }
}
