// CToolTipCtrl: tools kept by the object; tips shown with Qt's tool tips.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QToolTip>
#include <QWidget>

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

CToolTipCtrl::CToolTipCtrl() = default;

CToolTipCtrl::~CToolTipCtrl()
{
    Pop();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    AfxEnsureApplication();
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, AfxRegisterWndClass(0), nullptr, WS_POPUP | (dwStyle & 0xFFFF), 0, 0,
                    0, 0, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    m_bActive = bActivate;
    if (!bActivate)
        Pop();
}

const CToolTipCtrl::Tool* CToolTipCtrl::Find(HWND h, UINT_PTR id) const
{
    for (const Tool& t : m_tools)
        if (t.hWnd == h && t.id == id)
            return &t;
    return nullptr;
}

CToolTipCtrl::Tool* CToolTipCtrl::Find(HWND h, UINT_PTR id)
{
    for (Tool& t : m_tools)
        if (t.hWnd == h && t.id == id)
            return &t;
    return nullptr;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    CString text;
    if (!text.LoadString(nIDText))
        return FALSE;
    return AddTool(pWnd, text, lpRectTool, nIDTool);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return FALSE;
    Tool t;
    t.hWnd = pWnd->GetSafeHwnd();
    t.id = nIDTool;
    t.flags = lpRectTool ? 0 : TTF_IDISHWND;
    t.callback = lpszText == LPSTR_TEXTCALLBACK;
    t.text = t.callback || !lpszText ? "" : lpszText;
    if (lpRectTool)
        t.rect = *lpRectTool;
    else
        pWnd->GetClientRect(&t.rect);
    if (Tool* old = Find(t.hWnd, t.id))
        *old = t;
    else
        m_tools.push_back(t);
    return TRUE;
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    HWND h = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    for (auto it = m_tools.begin(); it != m_tools.end(); ++it)
        if (it->hWnd == h && it->id == nIDTool) {
            m_tools.erase(it);
            return;
        }
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    const Tool* t = Find(pWnd ? pWnd->GetSafeHwnd() : nullptr, nIDTool);
    str = t ? t->text : CString();
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    const Tool* t = Find(pWnd ? pWnd->GetSafeHwnd() : nullptr, nIDTool);
    if (!t)
        return FALSE;
    ti.cbSize = sizeof(TOOLINFO);
    ti.uFlags = t->flags;
    ti.hwnd = t->hWnd;
    ti.uId = t->id;
    ti.rect = t->rect;
    ti.hinst = nullptr;
    ti.lpszText = t->callback ? LPSTR_TEXTCALLBACK : const_cast<LPSTR>(static_cast<LPCTSTR>(t->text));
    ti.lParam = 0;
    return TRUE;
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFO lpToolInfo)
{
    if (!lpToolInfo)
        return;
    if (Tool* t = Find(lpToolInfo->hwnd, lpToolInfo->uId)) {
        t->rect = lpToolInfo->rect;
        t->flags = lpToolInfo->uFlags;
        t->callback = lpToolInfo->lpszText == LPSTR_TEXTCALLBACK;
        t->text = t->callback || !lpToolInfo->lpszText ? "" : lpToolInfo->lpszText;
    }
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    if (Tool* t = Find(pWnd ? pWnd->GetSafeHwnd() : nullptr, nIDTool))
        if (lpRect)
            t->rect = *lpRect;
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(m_tools.size());
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    if (Tool* t = Find(pWnd ? pWnd->GetSafeHwnd() : nullptr, nIDTool)) {
        t->callback = lpszText == LPSTR_TEXTCALLBACK;
        t->text = t->callback || !lpszText ? "" : lpszText;
    }
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    CString text;
    if (text.LoadString(nIDText))
        UpdateTipText(text, pWnd, nIDTool);
}

void CToolTipCtrl::SetDelayTime(UINT nDelay)
{
    m_nDelay[TTDT_INITIAL] = static_cast<int>(nDelay);
    m_nDelay[TTDT_RESHOW] = static_cast<int>(nDelay) / 5;
    m_nDelay[TTDT_AUTOPOP] = static_cast<int>(nDelay) * 10;
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    if (dwDuration <= TTDT_INITIAL)
        m_nDelay[dwDuration] = iTime;
}

int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const
{
    return dwDuration <= TTDT_INITIAL ? m_nDelay[dwDuration] : 0;
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth)
{
    int old = m_nMaxWidth;
    m_nMaxWidth = iWidth;
    return old;
}

void CToolTipCtrl::Pop()
{
    if (!m_shown.IsEmpty())
        QToolTip::hideText();
    m_shown.Empty();
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    if (!lpMsg || !m_bActive)
        return;
    switch (lpMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        Pop();
        return;
    case WM_MOUSEMOVE:
        break;
    default:
        return;
    }
    CPoint pt(GET_X_LPARAM(lpMsg->lParam), GET_Y_LPARAM(lpMsg->lParam));
    for (Tool& t : m_tools) {
        if (t.hWnd != lpMsg->hwnd || !::PtInRect(&t.rect, pt))
            continue;
        CString text = t.text;
        if (t.callback) {
            NMTTDISPINFO info = {};
            info.hdr.hwndFrom = m_hWnd;
            info.hdr.idFrom = t.id;
            info.hdr.code = TTN_GETDISPINFO;
            info.lParam = 0;
            ::SendMessage(t.hWnd, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(&info));
            text = info.lpszText && !IS_INTRESOURCE(info.lpszText) ? CString(info.lpszText) : CString(info.szText);
        }
        if (text.IsEmpty() || text == m_shown)
            return;
        m_shown = text;
        QWidget* w = AfxGetWidget(t.hWnd);
        CPoint screen = pt;
        ::ClientToScreen(t.hWnd, &screen);
        if (w)
            QToolTip::showText(QPoint(screen.x, screen.y + 20), AfxQString(text), w,
                               QRect(t.rect.left, t.rect.top, t.rect.right - t.rect.left, t.rect.bottom - t.rect.top));
        return;
    }
    Pop();
}
