// CRptListTip: showing over a cell and passing on what ends it.
#include "SuperListCtrl/RptListTip.h"

#include <cstring>

namespace {

const char kTipClass[] = "RptListTip";

} // namespace

CRptListTip::CRptListTip()
{
    WNDCLASS wc;
    std::memset(&wc, 0, sizeof(wc));
    if (::GetClassInfo(AfxGetInstanceHandle(), kTipClass, &wc))
        return;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = nullptr;
    wc.hCursor = nullptr;  // the cursor stays as it was over the list
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = kTipClass;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
}

BOOL CRptListTip::Create(CWnd* pParentList)
{
    m_pParent = pParentList;
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTipClass, nullptr, WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                    pParentList != nullptr ? pParentList->GetSafeHwnd() : nullptr, nullptr);
}

void CRptListTip::Show(CRect rcCell, LPCTSTR lpszText, int nOffset)
{
    if (GetSafeHwnd() == nullptr || m_pParent == nullptr || rcCell.IsRectEmpty() || lpszText == nullptr ||
        *lpszText == '\0' || IsWindowVisible() || ::GetFocus() == nullptr)
        return;
    m_rcTitle.SetRect(-(nOffset + 1), -1, rcCell.Width() - nOffset, rcCell.Height() + 1);
    m_pParent->ClientToScreen(&rcCell);
    m_strText = lpszText;
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(m_pParent->GetFont());
    const int w = dc.GetTextExtent(m_strText).cx;
    dc.SelectObject(pOld);
    CRect rcTip(rcCell.left + nOffset, rcCell.top, rcCell.left + nOffset + w + 3, rcCell.bottom);
    // A text that fits shows no tip.
    if (rcCell.right - nOffset >= rcTip.right)
        return;
    SetWindowPos(&CWnd::wndTopMost, rcTip.left, rcTip.top, rcTip.Width(), rcTip.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    CClientDC dcTip(this);
    CFont* pOldTip = dcTip.SelectObject(m_pParent->GetFont());
    dcTip.SetBkMode(TRANSPARENT);
    dcTip.TextOut(0, 0, m_strText);
    dcTip.SelectObject(pOldTip);
    SetCapture();
}

void CRptListTip::Hide()
{
    // Hiding sends messages of its own to the tip: they find it hiding already.
    if (m_bHiding)
        return;
    m_bHiding = true;
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (GetSafeHwnd() != nullptr && IsWindowVisible())
        ShowWindow(SW_HIDE);
    m_bHiding = false;
}

CWnd* CRptListTip::TargetAt(CPoint ptScreen)
{
    CWnd* pWnd = CWnd::WindowFromPoint(ptScreen);
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == GetSafeHwnd())
        pWnd = m_pParent;
    return pWnd;
}

LRESULT CRptListTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(this);
        CFont* pOld = m_pParent != nullptr ? dc.SelectObject(m_pParent->GetFont()) : nullptr;
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(0, 0, m_strText);
        if (pOld != nullptr)
            dc.SelectObject(pOld);
        return 0;
    }
    case WM_MOUSEMOVE: {
        CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (m_rcTitle.PtInRect(pt))
            return 0;
        Hide();
        ClientToScreen(&pt);
        CWnd* pTarget = TargetAt(pt);
        if (pTarget == nullptr)
            return 0;
        const UINT nHit = static_cast<UINT>(pTarget->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
        if (nHit == HTCLIENT) {
            pTarget->ScreenToClient(&pt);
            pTarget->PostMessage(WM_MOUSEMOVE, wParam, MAKELPARAM(pt.x, pt.y));
        } else
            pTarget->PostMessage(WM_NCMOUSEMOVE, nHit, MAKELPARAM(pt.x, pt.y));
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        ClientToScreen(&pt);
        CWnd* pTarget = TargetAt(pt);
        Hide();
        if (pTarget == nullptr)
            return 0;
        const UINT nHit = static_cast<UINT>(pTarget->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
        if (nHit == HTCLIENT) {
            pTarget->ScreenToClient(&pt);
            pTarget->PostMessage(message, wParam, MAKELPARAM(pt.x, pt.y));
        } else {
            const UINT nNc = message == WM_LBUTTONDOWN ? WM_NCLBUTTONDOWN
                             : message == WM_RBUTTONDOWN ? WM_NCRBUTTONDOWN
                                                         : WM_NCMBUTTONDOWN;
            pTarget->PostMessage(nNc, nHit, MAKELPARAM(pt.x, pt.y));
        }
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParent != nullptr)
            m_pParent->PostMessage(message, wParam, lParam);
        return 0;
    default:
        if (::GetFocus() == nullptr && IsWindowVisible())
            Hide();
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
