// The delayed title tip of the charts.
#include "Gantt_src/GanttTitleTip.h"

namespace {

const UINT kHideAfterMsecs = 8000;
const int kHideTimerOffset = 100;

} // namespace

BEGIN_MESSAGE_MAP(CGanttTitleTip, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CGanttTitleTip::CGanttTitleTip()
    : m_nTimerId(1),
      m_pParentWnd(NULL),
      m_rectTitle(0, 0, 0, 0),
      m_rectHover(0, 0, 0, 0),
      m_dwLastLButtonDown(0xFFFFFFFF),
      m_dwDblClickMsecs(::GetDoubleClickTime()),
      m_bCreated(FALSE),
      m_crText(CLR_DEFAULT),
      m_crBack(CLR_DEFAULT),
      m_nXOffset(0)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wndcls;
    if (!::GetClassInfo(hInst, GANTTTITLETIP_CLASSNAME, &wndcls)) {
        memset(&wndcls, 0, sizeof(wndcls));
        wndcls.style = CS_SAVEBITS;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hbrBackground = (HBRUSH)(COLOR_INFOBK + 1);
        wndcls.lpszClassName = GANTTTITLETIP_CLASSNAME;
        if (!AfxRegisterClass(&wndcls))
            AfxThrowResourceException();
    }
}

CGanttTitleTip::~CGanttTitleTip()
{
    m_pParentWnd = NULL;
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

BOOL CGanttTitleTip::Create(CWnd* pParentWnd)
{
    ASSERT(pParentWnd != NULL);
    if (pParentWnd == NULL)
        return FALSE;
    if (m_bCreated && GetSafeHwnd() != NULL)
        return TRUE;
    m_pParentWnd = pParentWnd;
    m_bCreated = CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, GANTTTITLETIP_CLASSNAME, NULL, WS_POPUP | WS_BORDER,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, NULL);
    return m_bCreated;
}

void CGanttTitleTip::Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset, LPRECT lpHoverRect,
                          const LOGFONT* lpLogFont, COLORREF crTextClr, COLORREF crBackClr, UINT nDelayMsecs)
{
    if (GetSafeHwnd() == NULL && m_pParentWnd != NULL)
        Create(m_pParentWnd);
    ASSERT(GetSafeHwnd() != NULL);
    if (GetSafeHwnd() == NULL || m_pParentWnd == NULL || m_pParentWnd->GetSafeHwnd() == NULL)
        return;

    if (rectTitle.IsRectEmpty() || IsWindowVisible()) {
        KillTimer(m_nTimerId);
        return;
    }

    m_rectHover = lpHoverRect != NULL ? CRect(lpHoverRect) : rectTitle;
    m_rectHover.right++;
    m_rectHover.bottom++;
    m_pParentWnd->ClientToScreen(m_rectHover);
    ScreenToClient(m_rectHover);

    // Only while the application has the focus.
    if (CWnd::GetFocus() == NULL) {
        KillTimer(m_nTimerId);
        return;
    }

    m_rectTitle = rectTitle;
    const CString strText = lpszTitleText != NULL ? lpszTitleText : "";
    if (strText == m_strTitle)
        KillTimer(m_nTimerId);
    m_strTitle = strText;
    if (m_strTitle.IsEmpty()) {
        KillTimer(m_nTimerId);
        return;
    }

    m_font.DeleteObject();
    if (lpLogFont != NULL) {
        m_font.CreateFontIndirect(lpLogFont);
    } else if (CFont* pOwnerFont = m_pParentWnd->GetFont()) {
        LOGFONT lf;
        if (pOwnerFont->GetLogFont(&lf))
            m_font.CreateFontIndirect(&lf);
    }

    m_crBack = crBackClr;
    m_crText = crTextClr;
    m_nXOffset = xoffset;
    SetTimer(m_nTimerId, nDelayMsecs);
}

void CGanttTitleTip::Hide()
{
    if (GetSafeHwnd() == NULL)
        return;
    if (GetCapture() == this)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
    ReactivateOwner();
}

void CGanttTitleTip::ReactivateOwner()
{
    if (CWnd* pMain = AfxGetMainWnd())
        if (pMain->GetSafeHwnd() != NULL)
            pMain->SetActiveWindow();
    if (m_pParentWnd != NULL && m_pParentWnd->GetSafeHwnd() != NULL)
        m_pParentWnd->SetActiveWindow();
}

void CGanttTitleTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == static_cast<UINT_PTR>(m_nTimerId)) {
        KillTimer(m_nTimerId);
        CPoint pt;
        ::GetCursorPos(&pt);
        if (m_pParentWnd != NULL && m_pParentWnd->GetSafeHwnd() != NULL) {
            m_pParentWnd->ScreenToClient(&pt);
            const CRect rcNear(m_rectTitle.left - 3, m_rectTitle.top - 3, m_rectTitle.left + 3, m_rectTitle.top + 3);
            if (rcNear.PtInRect(pt))
                ShowNow();
        }
    } else if (nIDEvent == static_cast<UINT_PTR>(m_nTimerId + kHideTimerOffset)) {
        KillTimer(nIDEvent);
        Hide();
    }
    CWnd::OnTimer(nIDEvent);
}

void CGanttTitleTip::ShowNow()
{
    SetTimer(m_nTimerId + kHideTimerOffset, kHideAfterMsecs);

    CRect rectTitle = m_rectTitle;
    m_pParentWnd->ClientToScreen(rectTitle);

    // The lines; the stored text is consumed.
    CStringArray arrLines;
    int nLongest = 0;
    while (!m_strTitle.IsEmpty()) {
        const int nBreak = m_strTitle.Find('\n');
        CString strLine = nBreak < 0 ? m_strTitle : m_strTitle.Left(nBreak);
        m_strTitle = nBreak < 0 ? CString() : m_strTitle.Mid(nBreak + 1);
        if (arrLines.GetSize() == 0 || strLine.GetLength() > arrLines[nLongest].GetLength())
            nLongest = static_cast<int>(arrLines.GetSize());
        arrLines.Add(strLine);
    }
    if (arrLines.GetSize() == 0)
        return;

    CClientDC dc(this);
    CFont* pOldFont = m_font.GetSafeHandle() != NULL ? dc.SelectObject(&m_font) : NULL;
    CSize size = dc.GetTextExtent(arrLines[nLongest]);
    TEXTMETRIC tm;
    memset(&tm, 0, sizeof(tm));
    dc.GetTextMetrics(&tm);

    CRect rectDisplay = rectTitle;
    rectDisplay.left += m_nXOffset;
    rectDisplay.right = rectDisplay.left + size.cx + tm.tmOverhang + m_nXOffset + 8;
    rectDisplay.bottom = rectDisplay.top + (size.cy + 4) * static_cast<int>(arrLines.GetSize());

    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    // A text that fits the anchor needs no tip.
    if (rectTitle.right - m_nXOffset < rectDisplay.right) {
        m_arrShownLines.Copy(arrLines);
        SetWindowPos(&wndTopMost, rectDisplay.left, rectDisplay.top, rectDisplay.Width(), rectDisplay.Height(),
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
        // The lines are painted by OnPaint, so that they stay when the tip is exposed again.
        Invalidate(TRUE);
        UpdateWindow();
    }
    ReactivateOwner();
}

void CGanttTitleTip::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(rcClient);
    if (m_crBack != CLR_DEFAULT)
        dc.FillSolidRect(rcClient, m_crBack);
    if (m_crText != CLR_DEFAULT)
        dc.SetTextColor(m_crText);
    dc.SetBkMode(TRANSPARENT);
    CFont* pOldFont = m_font.GetSafeHandle() != NULL ? dc.SelectObject(&m_font) : NULL;
    // The first line centred in the band y 1 to 13, each further one left-aligned in the
    // next band of 15 pixels.
    for (int i = 0; i < m_arrShownLines.GetSize(); ++i) {
        if (i == 0) {
            CRect rc(0, 1, rcClient.Width(), 13);
            dc.DrawText(m_arrShownLines[i], rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        } else {
            CRect rc(0, 13 + 15 * (i - 1), rcClient.Width(), 28 + 15 * (i - 1));
            dc.DrawText(m_arrShownLines[i], rc, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
        }
    }
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
}

void CGanttTitleTip::PostToWindowUnder(UINT nClientMsg, UINT nNcMsg, WPARAM wParam, CPoint ptScreen)
{
    CWnd* pWnd = WindowFromPoint(ptScreen);
    if (pWnd == NULL)
        return;
    if (pWnd == this)
        pWnd = m_pParentWnd;
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return;
    const LRESULT nHitTest = pWnd->SendMessage(WM_NCHITTEST, 0, MAKELONG(ptScreen.x, ptScreen.y));
    if (nHitTest == HTCLIENT) {
        CPoint pt = ptScreen;
        pWnd->ScreenToClient(&pt);
        pWnd->PostMessage(nClientMsg, wParam, MAKELONG(pt.x, pt.y));
    } else {
        pWnd->PostMessage(nNcMsg, static_cast<WPARAM>(nHitTest), MAKELONG(ptScreen.x, ptScreen.y));
    }
}

void CGanttTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    Hide();
    ClientToScreen(&point);
    PostToWindowUnder(WM_MOUSEMOVE, WM_NCMOUSEMOVE, nFlags, point);
}

BOOL CGanttTitleTip::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        UINT nMsg = pMsg->message;
        if (nMsg == WM_LBUTTONDOWN) {
            const DWORD dwTick = ::GetTickCount();
            if (m_dwLastLButtonDown != 0xFFFFFFFF && dwTick - m_dwLastLButtonDown <= m_dwDblClickMsecs)
                nMsg = WM_LBUTTONDBLCLK;
            m_dwLastLButtonDown = dwTick;
        }
        CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        if (CWnd* pFrom = CWnd::FromHandle(pMsg->hwnd))
            pFrom->ClientToScreen(&pt);
        Hide();
        if (WindowFromPoint(pt) == NULL)
            break;
        const UINT nNcMsg = pMsg->message == WM_LBUTTONDOWN   ? WM_NCLBUTTONDOWN
                            : pMsg->message == WM_RBUTTONDOWN ? WM_NCRBUTTONDOWN
                                                              : WM_NCMBUTTONDOWN;
        PostToWindowUnder(nMsg, nNcMsg, pMsg->wParam, pt);
        return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd != NULL && m_pParentWnd->GetSafeHwnd() != NULL)
            m_pParentWnd->PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    default:
        if (CWnd::GetFocus() == NULL) {
            Hide();
            return CWnd::PreTranslateMessage(pMsg);
        }
        break;
    }
    return CWnd::PreTranslateMessage(pMsg);
}
