// The title tip.
#include "TitleTip.h"
#include "GridDefines.h"

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CTitleTip::CTitleTip()
    : m_pParentWnd(NULL), m_rectTitle(0, 0, 0, 0), m_rectHover(0, 0, 0, 0),
      m_dwLastLButtonDown((DWORD)-1), m_dwDblClickMsecs(::GetDoubleClickTime()),
      m_lf(), m_bHasFont(FALSE), m_crText(CLR_DEFAULT), m_crBack(CLR_DEFAULT)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wndcls;
    if (!::GetClassInfo(hInst, TITLETIP_CLASSNAME, &wndcls))
    {
        memset(&wndcls, 0, sizeof(wndcls));
        wndcls.style = CS_SAVEBITS;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wndcls.hbrBackground = (HBRUSH)(COLOR_INFOBK + 1);
        wndcls.lpszClassName = TITLETIP_CLASSNAME;
        if (!AfxRegisterClass(&wndcls))
            AfxThrowResourceException();
    }
}

CTitleTip::~CTitleTip()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    ASSERT(pParentWnd && pParentWnd->GetSafeHwnd());
    if (!pParentWnd || !pParentWnd->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pParentWnd;
    return CreateEx(WS_EX_TOOLWINDOW, TITLETIP_CLASSNAME, NULL, WS_BORDER | WS_POPUP,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    pParentWnd->GetSafeHwnd(), NULL, NULL);
}

void CTitleTip::Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset, LPRECT lpHoverRect,
                     const LOGFONT* lpLogFont, COLORREF crTextClr, COLORREF crBackClr)
{
    if (!GetSafeHwnd() || !m_pParentWnd || !m_pParentWnd->GetSafeHwnd())
        return;
    if (rectTitle.IsRectEmpty() || IsWindowVisible())
        return;

    m_rectHover = lpHoverRect ? CRect(lpHoverRect) : rectTitle;
    m_rectHover.right++;
    m_rectHover.bottom++;
    m_pParentWnd->ClientToScreen(m_rectHover);
    ScreenToClient(m_rectHover);

    // Only while the application has the focus.
    if (!CWnd::GetFocus())
        return;

    m_rectTitle.top = -1;
    m_rectTitle.left = -xoffset - 1;
    m_rectTitle.right = rectTitle.Width() - xoffset;
    m_rectTitle.bottom = rectTitle.Height() + 1;

    m_pParentWnd->ClientToScreen(rectTitle);

    CString strTitle = CString(_T(" ")) + (lpszTitleText ? lpszTitleText : _T("")) + CString(_T(" "));

    CFont font;
    CFont* pFont = NULL;
    if (lpLogFont && font.CreateFontIndirect(lpLogFont))
        pFont = &font;
    else
        pFont = m_pParentWnd->GetFont();

    CDC* pDC = GetDC();
    if (!pDC)
        return;
    CFont* pOldFont = pFont ? pDC->SelectObject(pFont) : NULL;
    CSize size = pDC->GetTextExtent(strTitle);
    TEXTMETRIC tm;
    memset(&tm, 0, sizeof(tm));
    pDC->GetTextMetrics(&tm);
    size.cx += tm.tmOverhang;
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);

    CRect rectDisplay = rectTitle;
    rectDisplay.left += xoffset;
    rectDisplay.right = rectDisplay.left + size.cx + xoffset;

    // A text that fits its cell needs no tip.
    if (rectDisplay.right <= rectTitle.right - xoffset)
        return;

    m_strTitle = strTitle;
    m_bHasFont = FALSE;
    if (lpLogFont)
    {
        m_lf = *lpLogFont;
        m_bHasFont = TRUE;
    }
    m_crText = crTextClr;
    m_crBack = crBackClr;

    SetWindowPos(&wndTop, rectDisplay.left, rectDisplay.top, rectDisplay.Width(), rectDisplay.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    UpdateWindow();
    SetCapture();
}

void CTitleTip::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(rcClient);
    if (m_crBack != CLR_DEFAULT)
        dc.FillSolidRect(rcClient, m_crBack);
    if (m_crText != CLR_DEFAULT)
        dc.SetTextColor(m_crText);
    dc.SetBkMode(TRANSPARENT);

    CFont font;
    CFont* pOldFont = NULL;
    if (m_bHasFont && font.CreateFontIndirect(&m_lf))
        pOldFont = dc.SelectObject(&font);
    else if (m_pParentWnd && m_pParentWnd->GetFont())
        pOldFont = dc.SelectObject(m_pParentWnd->GetFont());
    dc.TextOut(0, 0, m_strTitle);
    if (pOldFont)
        dc.SelectObject(pOldFont);
}

void CTitleTip::Hide()
{
    if (!GetSafeHwnd())
        return;
    if (GetCapture() == this)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

void CTitleTip::ForwardMouse(UINT nClientMsg, UINT nNcMsg, WPARAM wParam, CPoint ptScreen)
{
    CWnd* pWnd = WindowFromPoint(ptScreen);
    if (!pWnd || pWnd == this)
        pWnd = m_pParentWnd;
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    LRESULT nHitTest = pWnd->SendMessage(WM_NCHITTEST, 0, MAKELONG(ptScreen.x, ptScreen.y));
    // A press reaches the window beneath before the release that follows it (a posted one
    // could come after it and leave that window with its button held down), and that
    // window is the one a second press at the spot makes a double click with.
    const BOOL bPress = nClientMsg != WM_MOUSEMOVE;
    if (bPress)
        ::AfxPassButtonDown(GetSafeHwnd(), pWnd->GetSafeHwnd());
    if (nHitTest == HTCLIENT)
    {
        CPoint pt = ptScreen;
        pWnd->ScreenToClient(&pt);
        if (bPress)
            pWnd->SendMessage(nClientMsg, wParam, MAKELONG(pt.x, pt.y));
        else
            pWnd->PostMessage(nClientMsg, wParam, MAKELONG(pt.x, pt.y));
    }
    else if (bPress)
        pWnd->SendMessage(nNcMsg, (WPARAM)nHitTest, MAKELONG(ptScreen.x, ptScreen.y));
    else
        pWnd->PostMessage(nNcMsg, (WPARAM)nHitTest, MAKELONG(ptScreen.x, ptScreen.y));
}

void CTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_rectHover.PtInRect(point))
        return;
    Hide();
    ClientToScreen(&point);
    ForwardMouse(WM_MOUSEMOVE, WM_NCMOUSEMOVE, nFlags, point);
}

BOOL CTitleTip::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd && m_pParentWnd->GetSafeHwnd())
            m_pParentWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;

    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    {
        CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        CWnd* pFrom = CWnd::FromHandle(pMsg->hwnd);
        if (pFrom)
            pFrom->ClientToScreen(&pt);
        UINT nMsg = pMsg->message;
        UINT nNcMsg = nMsg == WM_LBUTTONDOWN ? WM_NCLBUTTONDOWN
                      : nMsg == WM_RBUTTONDOWN ? WM_NCRBUTTONDOWN : WM_NCMBUTTONDOWN;
        if (nMsg == WM_LBUTTONDOWN)
        {
            DWORD dwTick = ::GetTickCount();
            if (m_dwLastLButtonDown != (DWORD)-1 && dwTick - m_dwLastLButtonDown <= m_dwDblClickMsecs)
            {
                nMsg = WM_LBUTTONDBLCLK;
                nNcMsg = WM_NCLBUTTONDBLCLK;
            }
            m_dwLastLButtonDown = dwTick;
        }
        Hide();
        ForwardMouse(nMsg, nNcMsg, pMsg->wParam, pt);
        return TRUE;
    }

    default:
        break;
    }

    if (!CWnd::GetFocus())
    {
        Hide();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}
