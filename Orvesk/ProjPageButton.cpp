#include "ProjPageButton.h"

void CProjPageButton::SetBitmap(int nID, int /*nHotID*/, COLORREF /*crTransparent*/)
{
    m_bitmap.DeleteObject();
    m_nBitmapID = 0;
    if (nID > 0 && m_bitmap.LoadBitmap((UINT)nID)) {
        m_nBitmapID = nID;
        ModifyStyle(0, BS_BITMAP);
        CButton::SetBitmap((HBITMAP)m_bitmap.GetSafeHandle());
    } else {
        ModifyStyle(BS_BITMAP, 0);
        CButton::SetBitmap(NULL);
    }
    Invalidate();
}

void CProjPageButton::SetTooltipText(CString strText, BOOL bActivate)
{
    if (strText == m_strTooltip)
        return;
    m_strTooltip = strText;
    if (m_tooltip.GetSafeHwnd() == NULL) {
        if (!m_tooltip.Create(this))
            return;
        m_tooltip.AddTool(this, (LPCTSTR)m_strTooltip);
    } else {
        m_tooltip.UpdateTipText((LPCTSTR)m_strTooltip, this);
    }
    m_tooltip.Activate(bActivate);
}
