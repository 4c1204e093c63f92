#include "HyperLink.h"

#include <ClassLib/Shell/Shell.h>

IMPLEMENT_DYNAMIC(CHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace {
const UINT_PTR kToolTipId = 1;
}

CHyperLink::CHyperLink()
    : m_crLinkColour(RGB(0, 0, 255)),
      m_crFocusColour(RGB(0, 128, 128)),
      m_crVisitedColour(RGB(128, 0, 128)),
      m_crHoverColour(RGB(255, 0, 0)),
      m_hLinkCursor(NULL),
      m_bHasFocus(0),
      m_bOverControl(0),
      m_bVisited(0),
      m_nLinkStyle(StyleUnderline | StyleAutoSize | StyleGetFocusOnClick)
{
}

CHyperLink::~CHyperLink()
{
    if (m_hLinkCursor != NULL)
        ::DestroyCursor(m_hLinkCursor);
}

void CHyperLink::PreSubclassWindow()
{
    if (m_strURL.IsEmpty())
        GetWindowText(m_strURL);
    CString strText;
    GetWindowText(strText);
    if (strText.IsEmpty())
        SetWindowText(m_strURL);

    CFont* pFont = GetFont();
    if (pFont == NULL) {
        m_nLinkStyle &= ~StyleAutoSize;
    } else {
        LOGFONT lf;
        pFont->GetLogFont(&lf);
        lf.lfUnderline = (BYTE)((m_nLinkStyle & StyleUnderline) ? 1 : 0);
        if (m_UnderlineFont.CreateFontIndirect(&lf))
            SetFont(&m_UnderlineFont);
    }
    PositionWindow();
    if (!(m_nLinkStyle & StyleNoHandCursor))
        SetDefaultCursor();

    CRect rect;
    GetClientRect(&rect);
    m_ToolTip.Create(this);
    m_ToolTip.AddTool(this, m_strURL, &rect, kToolTipId);
    CStatic::PreSubclassWindow();
}

BOOL CHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.GetSafeHwnd() != NULL)
        m_ToolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void CHyperLink::SetURL(CString strURL)
{
    m_strURL = strURL;
    if (GetSafeHwnd() != NULL) {
        ShowWindow(SW_HIDE);
        PositionWindow();
        if (m_ToolTip.GetSafeHwnd() != NULL)
            m_ToolTip.UpdateTipText(strURL, this, kToolTipId);
        ShowWindow(SW_SHOW);
    }
}

// The hand cursor of the desktop, as a copy of our own.
void CHyperLink::SetDefaultCursor()
{
    if (m_hLinkCursor != NULL)
        return;
    if (HCURSOR hHand = ::LoadCursor(NULL, IDC_HAND))
        m_hLinkCursor = ::CopyCursor(hHand);
}

void CHyperLink::PositionWindow()
{
    if (GetSafeHwnd() == NULL || !(m_nLinkStyle & StyleAutoSize))
        return;
    CRect rcWnd, rcClient;
    GetWindowRect(&rcWnd);
    GetClientRect(&rcClient);
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->ScreenToClient(&rcWnd);
    CString strText;
    GetWindowText(strText);
    CSize extent;
    {
        CClientDC dc(this);
        CFont* pOld = dc.SelectObject(GetFont());
        extent = dc.GetTextExtent(strText);
        dc.SelectObject(pOld);
    }
    // The toolkit lays text out with its glyph advances rounded up: one pixel more keeps a
    // text that fits by the measure on one line.
    extent.cx += 1;
    extent.cx += rcWnd.Width() - rcClient.Width();
    extent.cy += rcWnd.Height() - rcClient.Height();

    DWORD dwStyle = GetStyle();
    CRect rc = rcWnd;
    if (dwStyle & SS_CENTERIMAGE) {
        rc.top = rcWnd.top + (rcWnd.Height() - extent.cy) / 2;
        rc.bottom = rc.top + extent.cy;
    } else if (extent.cy > rcWnd.Height()) {
        // A control lower than its text grows; a higher one keeps its height, so the
        // toolkit's taller line (and the underline) is never cut off.
        rc.bottom = rc.top + extent.cy;
    }
    UINT nAlign = dwStyle & 0x1F;
    if (nAlign == SS_CENTER)
        rc.left = rcWnd.left + (rcWnd.Width() - extent.cx) / 2;
    else if (nAlign == SS_RIGHT)
        rc.left = rcWnd.right - extent.cx;
    rc.right = rc.left + extent.cx;
    SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH CHyperLink::CtlColor(CDC* pDC, UINT nCtlColor)
{
    if (nCtlColor != CTLCOLOR_STATIC)
        return NULL;
    if (m_bOverControl && (m_nLinkStyle & StyleUseHover))
        pDC->SetTextColor(m_crHoverColour);
    else if ((m_nLinkStyle & StyleNoActiveColor) || !m_bHasFocus)
        pDC->SetTextColor(m_bVisited ? m_crVisitedColour : m_crLinkColour);
    else
        pDC->SetTextColor(m_crFocusColour);
    pDC->SetBkMode(TRANSPARENT);
    return (HBRUSH)::GetStockObject(HOLLOW_BRUSH);
}

LRESULT CHyperLink::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

void CHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bOverControl) {
        CRect rect;
        GetClientRect(&rect);
        if (!rect.PtInRect(point)) {
            m_bOverControl = 0;
            ReleaseCapture();
            RedrawWindow();
            return;
        }
    } else {
        m_bOverControl = 1;
        RedrawWindow();
        SetCapture();
    }
    CStatic::OnMouseMove(nFlags, point);
}

BOOL CHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hLinkCursor != NULL) {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CHyperLink::OnLButtonDown(UINT, CPoint)
{
    if (m_nLinkStyle & StyleGetFocusOnClick)
        SetFocus();
    if (m_nLinkStyle & StyleDownClick)
        FollowLink();
    m_bHasFocus = 1;
}

void CHyperLink::OnLButtonUp(UINT, CPoint)
{
    if (m_bHasFocus && !(m_nLinkStyle & StyleDownClick))
        FollowLink();
}

void CHyperLink::OnSetFocus(CWnd*)
{
    m_bHasFocus = 1;
    RedrawWindow();
}

void CHyperLink::OnKillFocus(CWnd*)
{
    m_bHasFocus = 0;
    m_bOverControl = 0;
    RedrawWindow();
}

void CHyperLink::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE)
        FollowLink();
    else
        CStatic::OnKeyDown(nChar, nRepCnt, nFlags);
}

INT_PTR CHyperLink::OpenWithRegisteredBrowser()
{
    HKEY hKey = NULL;
    char buf[MAX_PATH] = {};
    DWORD cb = sizeof(buf);
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, ".htm", 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 0;
    LONG lResult = RegQueryValueEx(hKey, NULL, NULL, NULL, reinterpret_cast<LPBYTE>(buf), &cb);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || buf[0] == '\0')
        return 0;
    buf[sizeof(buf) - 1] = '\0';
    CString strKey = CString(buf) + "\\shell\\open\\command";
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, strKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 0;
    char command[MAX_PATH * 2] = {};
    cb = sizeof(command);
    lResult = RegQueryValueEx(hKey, NULL, NULL, NULL, reinterpret_cast<LPBYTE>(command), &cb);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || command[0] == '\0')
        return 0;
    command[sizeof(command) - 1] = '\0';
    CString strCommand = command;
    int nPos = strCommand.Find("\"%1\"");
    if (nPos < 0)
        nPos = strCommand.Find("%1");
    if (nPos >= 0)
        strCommand = strCommand.Left(nPos);
    strCommand += " ";
    strCommand += m_strURL;
    return (INT_PTR)::WinExec(strCommand, SW_SHOW);
}

CString CHyperLink::ErrorText(INT_PTR nResult)
{
    CString str;
    switch (nResult) {
    case 0: str = "The operating system is out\nof memory or resources."; break;
    case 2: str = "The specified file was not found."; break;
    case 3: str = "The specified path was not found."; break;
    case 5: str = "The operating system denied\naccess to the specified file."; break;
    case 8: str = "There was not enough memory to complete the operation."; break;
    case 11: str = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."; break;
    case 26: str = "A sharing violation occurred. "; break;
    case 27: str = "The filename association is\nincomplete or invalid."; break;
    case 28: str = "The DDE transaction could not\nbe completed because the request timed out."; break;
    case 29: str = "The DDE transaction failed."; break;
    case 30: str = "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."; break;
    case 31: str = "There is no application associated\nwith the given filename extension."; break;
    case 32: str = "The specified dynamic-link library was not found."; break;
    default: str.Format("Unknown Error (%d) occurred.", (int)nResult); break;
    }
    return "Can't open link:\n\n" + str;
}

INT_PTR CHyperLink::FollowLink()
{
    INT_PTR nResult = reinterpret_cast<INT_PTR>(::ShellExecute(NULL, "open", m_strURL, NULL, NULL, SW_SHOW));
    if (nResult <= 32)
        nResult = OpenWithRegisteredBrowser();
    if (nResult > 32) {
        m_bVisited = 1;
        RedrawWindow();
    } else {
        ::MessageBeep(MB_ICONEXCLAMATION);
        AfxMessageBox(ErrorText(nResult), MB_ICONEXCLAMATION | MB_OK);
    }
    return nResult;
}
