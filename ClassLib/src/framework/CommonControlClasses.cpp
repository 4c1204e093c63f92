// Window classes of the controls that ClassLib draws itself (lists, headers, trees, tabs).
#include "Framework.h"

#include "FrameworkStrings.h"

#include <cstring>

// The dialog layer registers the dialog window class and the standard controls' classes
// here (it does so before its first dialog too).
namespace pc {
void RegisterDialogClass();
}

namespace pc_frame {

void EnsureStandardClasses()
{
    pc::RegisterDialogClass();
}

void EnsureControlClasses()
{
    static bool s_done = false;
    if (s_done)
        return;
    s_done = true;
    const char* names[] = {WC_LISTVIEW, WC_HEADER, WC_TREEVIEW, WC_TABCONTROL};
    for (const char* name : names)
    {
        WNDCLASS wc;
        std::memset(&wc, 0, sizeof(wc));
        wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
        wc.lpfnWndProc = ControlClassProc(name);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        AfxRegisterClass(&wc);
    }
}


}  // namespace pc_frame

// ---- The tip of toolbar buttons -------------------------------------------------------------

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
