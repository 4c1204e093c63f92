// The tip of toolbar buttons: a small pop-up below the button under the mouse.
#include "Framework.h"

#include "FrameworkStrings.h"

namespace {

// A small pop-up below the button under the mouse, showing the command's tip text.
class CBarTipWnd : public CWnd
{
public:
    CString m_strText;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, ::GetSysColor(COLOR_INFOBK));
        dc.FrameRect(&rc, CBrush::FromHandle(::GetSysColorBrush(COLOR_INFOTEXT)));
        CFont* pOld = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
        rc.DeflateRect(3, 1);
        dc.DrawText(m_strText, &rc, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        dc.SelectObject(pOld);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarTipWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CBarTipWnd* g_pBarTip = nullptr;

}  // namespace

namespace pc_frame {

void ShowBarTip(CWnd* pBar, const CString& text, const CRect& rcButton)
{
    if (text.IsEmpty() || pBar == nullptr || pBar->m_hWnd == nullptr)
    {
        if (g_pBarTip != nullptr && g_pBarTip->m_hWnd != nullptr)
            g_pBarTip->ShowWindow(SW_HIDE);
        return;
    }
    if (g_pBarTip == nullptr)
        g_pBarTip = new CBarTipWnd;
    if (g_pBarTip->m_hWnd == nullptr)
    {
        if (!g_pBarTip->CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, AfxRegisterWndClass(CS_SAVEBITS), nullptr,
                                 WS_POPUP | WS_BORDER, CRect(0, 0, 10, 10), nullptr, 0))
            return;
    }
    g_pBarTip->m_strText = text;
    CClientDC dc(g_pBarTip);
    CFont* pOld = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    CSize sz = dc.GetTextExtent(text);
    dc.SelectObject(pOld);
    CRect rc(rcButton);
    pBar->ClientToScreen(&rc);
    g_pBarTip->SetWindowPos(&CWnd::wndTopMost, rc.left, rc.bottom + 2, sz.cx + 8, sz.cy + 4, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    g_pBarTip->Invalidate();
}

const CString* CurrentBarTip()
{
    if (g_pBarTip == nullptr || g_pBarTip->m_hWnd == nullptr || !g_pBarTip->IsWindowVisible())
        return nullptr;
    return &g_pBarTip->m_strText;
}

}  // namespace pc_frame
