#include "KWCoolTip.h"

#include <ClassLib/Core/Clock.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CKWCoolTip, CWnd)

BEGIN_MESSAGE_MAP(CKWCoolTip, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {
const char kClassName[] = "KWCoolTip";
const UINT_PTR kTimerShow = 1;
const UINT_PTR kTimerHide = 2;
const UINT kShownFor = 10000;
} // namespace

CKWCoolTip::CKWCoolTip()
    : m_pOwner(NULL), m_crText(CLR_DEFAULT), m_crBack(CLR_DEFAULT), m_nOffset(0), m_dwLastClick(0), m_bHiding(FALSE)
{
    WNDCLASS wc;
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (!::GetClassInfo(hInst, kClassName, &wc)) {
        wc = WNDCLASS();
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_INFOBK + 1);
        wc.lpszClassName = kClassName;
        ::RegisterClass(&wc);
    }
    m_nDblClickTime = ::GetDoubleClickTime();
}

CKWCoolTip::~CKWCoolTip()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CKWCoolTip::Create(CWnd* pOwner)
{
    m_pOwner = pOwner;
    if (GetSafeHwnd())
        return TRUE;
    return CreateEx(WS_EX_TOOLWINDOW, kClassName, NULL, WS_POPUP | WS_BORDER, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, pOwner != NULL ? pOwner->GetSafeHwnd() : NULL, NULL);
}

void CKWCoolTip::SplitLines(const CString& strText, CStringArray& lines)
{
    lines.RemoveAll();
    int nStart = 0;
    for (;;) {
        const int nBreak = strText.Find('\n', nStart);
        if (nBreak < 0) {
            lines.Add(strText.Mid(nStart));
            return;
        }
        lines.Add(strText.Mid(nStart, nBreak - nStart));
        nStart = nBreak + 1;
    }
}

void CKWCoolTip::Show(const CRect& rectAnchor, LPCTSTR lpszText, int nOffset, const CRect& /*rectHover*/,
                      CFont* pFont, COLORREF crText, COLORREF crBack, UINT nDelay)
{
    if (!GetSafeHwnd())
        return;
    if (lpszText == NULL || *lpszText == '\0' || CWnd::GetCapture() == NULL) {
        KillTimer(kTimerShow);
        return;
    }
    m_rectAnchor = rectAnchor;
    m_rectAnchorWide = rectAnchor;
    m_rectAnchorWide.right += 1;
    m_rectAnchorWide.bottom += 1;
    m_strText = lpszText;
    m_nOffset = nOffset;
    m_crText = crText;
    m_crBack = crBack;
    if (pFont == NULL && m_pOwner != NULL)
        pFont = m_pOwner->GetFont();
    LOGFONT lf;
    if (pFont != NULL && pFont->GetSafeHandle() != NULL && pFont->GetLogFont(&lf)) {
        m_font.DeleteObject();
        m_font.CreateFontIndirect(&lf);
    }
    SetTimer(kTimerShow, nDelay, NULL);
}

void CKWCoolTip::Hide()
{
    if (m_bHiding)
        return;
    m_bHiding = TRUE;
    KillTimer(kTimerHide);
    if (CWnd::GetCapture() == this)
        ReleaseCapture();
    ShowWindow(SW_HIDE);
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SetFocus();
    if (m_pOwner != NULL && m_pOwner->GetSafeHwnd())
        m_pOwner->SetFocus();
    m_bHiding = FALSE;
}

void CKWCoolTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerHide) {
        Hide();
        return;
    }
    if (nIDEvent != kTimerShow || CWnd::GetCapture() == NULL)
        return;
    KillTimer(kTimerShow);
    if (m_pOwner == NULL || !m_pOwner->GetSafeHwnd())
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    m_pOwner->ScreenToClient(&pt);
    if (std::abs(pt.x - m_rectAnchor.left) > 2 || std::abs(pt.y - m_rectAnchor.top) > 2)
        return;
    ShowNow();
}

void CKWCoolTip::ShowNow()
{
    SetTimer(kTimerHide, kShownFor, NULL);
    CStringArray lines;
    SplitLines(m_strText, lines);
    CClientDC dc(this);
    CFont* pOldFont = m_font.GetSafeHandle() != NULL ? dc.SelectObject(&m_font) : NULL;
    int nWidest = 0, nLineHeight = 0;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const CSize size = dc.GetTextExtent(lines[i].IsEmpty() ? CString(" ") : lines[i]);
        nWidest = std::max(nWidest, lines[i].IsEmpty() ? 0 : (int)size.cx);
        nLineHeight = std::max(nLineHeight, (int)size.cy);
    }
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);

    CPoint ptTopLeft(m_rectAnchor.left + m_nOffset, m_rectAnchor.top);
    m_pOwner->ClientToScreen(&ptTopLeft);
    const int cx = nWidest + m_nOffset + 8;
    const int cy = (nLineHeight + 4) * (int)lines.GetSize();
    SetWindowPos(&wndTopMost, ptTopLeft.x, ptTopLeft.y, cx, cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    // The tip takes the mouse so that the next press or move ends it.
    SetCapture();
}

void CKWCoolTip::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    if (m_crBack != CLR_DEFAULT)
        dc.FillSolidRect(&rect, m_crBack);
    if (m_crText != CLR_DEFAULT)
        dc.SetTextColor(m_crText);
    dc.SetBkMode(TRANSPARENT);
    CFont* pOldFont = m_font.GetSafeHandle() != NULL ? dc.SelectObject(&m_font) : NULL;
    CStringArray lines;
    SplitLines(m_strText, lines);
    int y = 2;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i, y += kLineStep) {
        CRect rcLine(rect.left + 4, y, rect.right - 4, y + kLineStep);
        dc.DrawText(lines[i], &rcLine, (i == 0 ? DT_CENTER : DT_LEFT) | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
}

void CKWCoolTip::PassMouse(UINT nClientMsg, UINT nNcMsg, WPARAM wParam)
{
    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);
    Hide();
    CWnd* pTarget = CWnd::WindowFromPoint(ptScreen);
    if (pTarget == NULL || pTarget == this)
        return;
    const LRESULT nHit = pTarget->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    if (nHit == HTCLIENT) {
        CPoint ptClient = ptScreen;
        pTarget->ScreenToClient(&ptClient);
        pTarget->PostMessage(nClientMsg, wParam, MAKELPARAM(ptClient.x, ptClient.y));
    } else {
        pTarget->PostMessage(nNcMsg, (WPARAM)nHit, MAKELPARAM(ptScreen.x, ptScreen.y));
    }
}

LRESULT CKWCoolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!GetSafeHwnd() || !IsWindowVisible() || m_bHiding)
        return CWnd::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pOwner != NULL && m_pOwner->GetSafeHwnd())
            m_pOwner->PostMessage(message, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN: {
        const DWORD dwNow = ::GetTickCount();
        const bool bDouble = m_dwLastClick != 0 && dwNow - m_dwLastClick <= m_nDblClickTime;
        m_dwLastClick = dwNow;
        PassMouse(bDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, WM_NCLBUTTONDOWN, wParam);
        return 0;
    }
    case WM_RBUTTONDOWN:
        PassMouse(WM_RBUTTONDOWN, WM_NCRBUTTONDOWN, wParam);
        return 0;
    case WM_MBUTTONDOWN:
        PassMouse(WM_MBUTTONDOWN, WM_NCMBUTTONDOWN, wParam);
        return 0;
    case WM_MOUSEMOVE:
        PassMouse(WM_MOUSEMOVE, WM_NCMOUSEMOVE, wParam);
        return 0;
    case WM_CAPTURECHANGED:
        // Nobody holds the mouse for the tip any more.
        Hide();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
