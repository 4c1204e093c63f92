// CWnd: the object side of a window, its message map and message routing.
#include "Backend.h"
#include "TempWndObjects.h"
#include "WndInternal.h"

#include <ClassLib/Core/Debug.h>
#include <ClassLib/Core/MessageBox.h>
#include <ClassLib/Wnd/Cursor.h>
#include <ClassLib/Wnd/ScrollBar.h>
#include <ClassLib/Wnd/System.h>
#include <ClassLib/Wnd/WndTakeOver.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

HWND AfxCreateWindow(CWnd* pWnd, CREATESTRUCT& cs);  // WndCreate.cpp

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

AFX_MAINWND_PROVIDER g_mainProvider = nullptr;
CWnd* g_mainWnd = nullptr;
AFX_PRETRANSLATE_HOOK g_preHook = nullptr;
AFX_MENU_HOOKS g_menuHooks{};
AFX_WND_TAKEOVER g_takeOver = nullptr;
AFX_WND_HANDBACK g_handBack = nullptr;

}  // namespace

void AfxSetWndTakeOverHooks(AFX_WND_TAKEOVER pfnTakeOver, AFX_WND_HANDBACK pfnHandBack)
{
    g_takeOver = pfnTakeOver;
    g_handBack = pfnHandBack;
}

CWnd::CWnd()
    : m_hWnd(nullptr), m_hWndOwner(nullptr), m_pfnSuper(nullptr), m_nFlags(0), m_nModalResult(0), m_dwContextHelpId(0)
{
}

CWnd::CWnd(HWND hWnd)
    : m_hWnd(hWnd), m_hWndOwner(nullptr), m_pfnSuper(nullptr), m_nFlags(0), m_nModalResult(0), m_dwContextHelpId(0)
{
}

CWnd::~CWnd()
{
    if (g_mainWnd == this)
        g_mainWnd = nullptr;
    AfxWindow* w = AfxWindowOf(m_hWnd);
    if (w && w->pWnd == this) {
        TRACE("A window object is destroyed while its window exists; the window goes too.\n");
        if (!w->destroying)
            ::DestroyWindow(m_hWnd);
        if ((w = AfxWindowOf(m_hWnd)) && w->pWnd == this)
            w->pWnd = nullptr;
    }
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return nullptr;
    if (w->pWnd)
        return w->pWnd;
    if (!w->pTemp) {
        w->pTemp.reset(AfxNewTempWndObject(w->cls ? w->cls->name.c_str() : nullptr));
        w->pTemp->m_hWnd = hWnd;
    }
    return w->pTemp.get();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    return w ? w->pWnd : nullptr;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    AfxWindow* w = AfxWindowOf(hWndNew);
    if (!w || m_hWnd)
        return FALSE;
    if (w->pWnd && w->pWnd != this) {
        // Another object is attached already: only a control of the same kind may take
        // the window (and its state) over.
        CWnd* pOld = w->pWnd;
        WNDPROC super = pOld->m_pfnSuper;
        if (!g_takeOver || !g_takeOver(pOld, this, hWndNew))
            return FALSE;
        w = AfxWindowOf(hWndNew);
        if (!w || w->pWnd)
            return FALSE;
        if (!m_pfnSuper)
            m_pfnSuper = super;
    }
    w->pWnd = this;
    m_hWnd = hWndNew;
    if (w->pTemp) {
        w->pTemp->m_hWnd = nullptr;
        w->pTemp.reset();
    }
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (AfxWindow* w = AfxWindowOf(h))
        if (w->pWnd == this)
            w->pWnd = nullptr;
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    WNDPROC old = w->proc;
    if (old != &AfxWndProc) {
        m_pfnSuper = (old == &::DefWindowProc) ? nullptr : old;
        w->proc = &AfxWndProc;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND h = pParent ? ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID) : nullptr;
    return h ? SubclassWindow(h) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    AfxWindow* w = AfxWindowOf(m_hWnd);
    if (w)
        w->proc = m_pfnSuper ? m_pfnSuper : &::DefWindowProc;
    m_pfnSuper = nullptr;
    HWND h = Detach();
    if (g_handBack && w && !w->destroying && AfxWindowOf(h) == w)
        g_handBack(this, h);
    return h;
}

// ---- creation ------------------------------------------------------------------------------------------
BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AFX_WND_CLASS;
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd && IsWindow(m_hWnd))
        return FALSE;  // one window per object
    m_hWnd = nullptr;
    AfxEnsureApplication();
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    HWND h = AfxCreateWindow(this, cs);
    return h != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                    reinterpret_cast<HMENU>((UINT_PTR)nID), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    ASSERT((dwStyle & WS_POPUP) == 0);
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    static_cast<LPVOID>(pContext));
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND h = m_hWnd;
    bool permanent = FromHandlePermanent(h) == this;
    BOOL r = ::DestroyWindow(h);
    if (!permanent)
        m_hWnd = nullptr;
    return r;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD ex = GetExStyle();
    if (nAdjustType == 0)
        ex &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, ex);
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

// ---- styles and identity ---------------------------------------------------------------------------------
DWORD CWnd::GetStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE); }
DWORD CWnd::GetExStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE); }

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, GWL_STYLE);
    DWORD dwNew = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNew)
        return FALSE;
    ::SetWindowLong(hWnd, GWL_STYLE, (LONG)dwNew);
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    else if (AfxWindow* w = AfxWindowOf(hWnd))
        AfxFrameChanged(w);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, GWL_EXSTYLE);
    DWORD dwNew = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNew)
        return FALSE;
    ::SetWindowLong(hWnd, GWL_EXSTYLE, (LONG)dwNew);
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    else if (AfxWindow* w = AfxWindowOf(hWnd))
        AfxFrameChanged(w);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return (int)::SetWindowLong(m_hWnd, GWL_ID, nID); }

// ---- relations ---------------------------------------------------------------------------------------------
CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner ? CWnd::FromHandle(m_hWndOwner) : GetParent();
}
void CWnd::SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->GetSafeHwnd() : nullptr; }
CWnd* CWnd::GetParent() const { return CWnd::FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return CWnd::FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->GetSafeHwnd() : nullptr));
}

namespace {

HWND ParentOwnerOf(HWND h)
{
    return (::GetWindowLong(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h) : ::GetWindow(h, GW_OWNER);
}

}  // namespace

CWnd* CWnd::GetTopLevelParent() const
{
    if (!GetSafeHwnd())
        return nullptr;
    HWND h = m_hWnd, t;
    int guard = 0;
    while ((t = ParentOwnerOf(h)) != nullptr && ++guard < 1000)
        h = t;
    return CWnd::FromHandle(h);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (!GetSafeHwnd())
        return nullptr;
    HWND h = m_hWnd, t;
    int guard = 0;
    while ((t = ::GetWindow(h, GW_OWNER)) != nullptr && ++guard < 1000)
        h = t;
    return CWnd::FromHandle(h);
}

CWnd* CWnd::GetParentOwner() const
{
    if (!GetSafeHwnd())
        return nullptr;
    HWND h = m_hWnd, t;
    while ((::GetWindowLong(h, GWL_STYLE) & WS_CHILD) && (t = ::GetParent(h)) != nullptr)
        h = t;
    return CWnd::FromHandle(h);
}

BOOL CWnd::IsFrameWnd() const { return FALSE; }

CFrameWnd* CWnd::GetParentFrame() const
{
    if (!GetSafeHwnd())
        return nullptr;
    for (CWnd* p = GetParent(); p; p = p->GetParent())
        if (p->IsFrameWnd())
            return reinterpret_cast<CFrameWnd*>(p);
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (!GetSafeHwnd())
        return nullptr;
    CWnd* frame = IsFrameWnd() ? const_cast<CWnd*>(this) : reinterpret_cast<CWnd*>(GetParentFrame());
    while (frame) {
        CWnd* next = reinterpret_cast<CWnd*>(frame->GetParentFrame());
        if (!next)
            break;
        frame = next;
    }
    return reinterpret_cast<CFrameWnd*>(frame);
}

CWnd* CWnd::GetDesktopWindow() { return CWnd::FromHandle(::GetDesktopWindow()); }
CWnd* CWnd::GetWindow(UINT nCmd) const { return CWnd::FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetLastActivePopup() const { return CWnd::FromHandle(::GetLastActivePopup(m_hWnd)); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return pWnd && ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
CWnd* CWnd::GetDlgItem(int nID) const { return CWnd::FromHandle(::GetDlgItem(m_hWnd, nID)); }
void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    if (phWnd)
        *phWnd = ::GetDlgItem(m_hWnd, nID);
}
CWnd* CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
{
    return CWnd::FromHandle(::FindWindow(lpszClassName, lpszWindowName));
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    AfxWindow* w = AfxWindowOf(m_hWnd);
    if (!w || w->children.empty())
        return nullptr;
    const std::vector<HWND>& kids = w->children;
    int n = (int)kids.size();
    int start = 0;
    HWND cur = pWndCtl ? pWndCtl->GetSafeHwnd() : nullptr;
    for (int i = 0; i < n; ++i)
        if (kids[(size_t)i] == cur)
            start = i;
    for (int step = 1; step <= n; ++step) {
        int i = bPrevious ? (start - step + 2 * n) % n : (start + step) % n;
        AfxWindow* c = AfxWindowOf(kids[(size_t)i]);
        if (c && (c->style & WS_TABSTOP) && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED))
            return CWnd::FromHandle(kids[(size_t)i]);
    }
    return pWndCtl;
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    AfxWindow* w = AfxWindowOf(m_hWnd);
    HWND cur = pWndCtl ? pWndCtl->GetSafeHwnd() : nullptr;
    if (!w || !cur)
        return nullptr;
    const std::vector<HWND>& kids = w->children;
    auto it = std::find(kids.begin(), kids.end(), cur);
    if (it == kids.end())
        return nullptr;
    // The group runs from the child with WS_GROUP up to the next one with it.
    size_t first = (size_t)(it - kids.begin());
    while (first > 0 && !(::GetWindowLong(kids[first], GWL_STYLE) & WS_GROUP))
        --first;
    size_t last = (size_t)(it - kids.begin());
    while (last + 1 < kids.size() && !(::GetWindowLong(kids[last + 1], GWL_STYLE) & WS_GROUP))
        ++last;
    size_t n = last - first + 1, pos = (size_t)(it - kids.begin()) - first;
    for (size_t step = 1; step <= n; ++step) {
        size_t i = first + (bPrevious ? (pos + n - step) % n : (pos + step) % n);
        DWORD s = (DWORD)::GetWindowLong(kids[i], GWL_STYLE);
        if ((s & WS_VISIBLE) && !(s & WS_DISABLED))
            return CWnd::FromHandle(kids[i]);
    }
    return pWndCtl;
}

// ---- text and font -------------------------------------------------------------------------------------------
void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount); }
void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLength(m_hWnd);
    std::vector<char> buf((size_t)n + 2, 0);
    ::GetWindowText(m_hWnd, buf.data(), n + 1);
    rString = buf.data();
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}
CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)));
}
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }
int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    return (int)::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount);
}
int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (CWnd* p = GetDlgItem(nID))
        p->GetWindowText(rString);
    return rString.GetLength();
}
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    char buf[32];
    if (bSigned)
        std::snprintf(buf, sizeof(buf), "%d", (int)nValue);
    else
        std::snprintf(buf, sizeof(buf), "%u", nValue);
    SetDlgItemText(nID, buf);
}
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    CString s;
    GetDlgItemText(nID, s);
    s.Trim();
    const char* p = s;
    char* end = nullptr;
    errno = 0;
    long long v = bSigned ? std::strtoll(p, &end, 10) : (long long)std::strtoull(p, &end, 10);
    bool ok = end && end != p && *end == 0 && errno == 0 &&
              (bSigned ? (v >= -2147483648LL && v <= 2147483647LL) : (v >= 0 && v <= 0xFFFFFFFFLL)) &&
              !(!bSigned && s.GetLength() > 0 && s[0] == '-');
    if (lpTrans)
        *lpTrans = ok;
    return ok ? (UINT)v : 0;
}
LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { SendDlgItemMessage(nIDButton, 0x00F1 /* BM_SETCHECK */, nCheck, 0); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return (UINT)::SendDlgItemMessage(m_hWnd, nIDButton, 0x00F0 /* BM_GETCHECK */, 0, 0);
}
void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        CheckDlgButton(id, id == nIDCheckButton ? 1 : 0);
}
int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (IsDlgButtonChecked(id))
            return id;
    return 0;
}

// ---- size and position ----------------------------------------------------------------------------------------
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    if (lpRect)
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->GetSafeHwnd() : nullptr, lpPoint, nCount);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->GetSafeHwnd() : nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT area;
    HWND centerOn = pAlternateOwner ? pAlternateOwner->GetSafeHwnd() : nullptr;
    if (!centerOn)
        centerOn = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (centerOn && ::IsWindowVisible(centerOn) && !::IsIconic(centerOn)) {
        ::GetWindowRect(centerOn, &area);
    } else {
        SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT me;
    GetWindowRect(&me);
    int w = me.right - me.left, h = me.bottom - me.top;
    int x = (area.left + area.right - w) / 2, y = (area.top + area.bottom - h) / 2;
    if (GetStyle() & WS_CHILD) {
        POINT p{x, y};
        ::ScreenToClient(::GetParent(m_hWnd), &p);
        x = p.x;
        y = p.y;
    } else {
        RECT work;
        SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        x = std::max<int>(work.left, std::min<int>(x, work.right - w));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - h));
    }
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    AfxWindow* w = AfxWindowOf(m_hWnd);
    if (!w || !lpwndpl)
        return FALSE;
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    lpwndpl->flags = 0;
    lpwndpl->showCmd = !(w->style & WS_VISIBLE) ? SW_HIDE : w->minimized ? SW_SHOWMINIMIZED : w->maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    lpwndpl->ptMinPosition = POINT{-1, -1};
    lpwndpl->ptMaxPosition = POINT{-1, -1};
    ::SetRect(&lpwndpl->rcNormalPosition, w->rect.x(), w->rect.y(), w->rect.x() + w->rect.width(), w->rect.y() + w->rect.height());
    return TRUE;
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    if (!lpwndpl || !m_hWnd)
        return FALSE;
    const RECT& r = lpwndpl->rcNormalPosition;
    SetWindowPos(nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow((int)lpwndpl->showCmd);
    return TRUE;
}

// ---- state ---------------------------------------------------------------------------------------------------
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
CWnd* CWnd::GetActiveWindow() { return CWnd::FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetActiveWindow() { return CWnd::FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetForegroundWindow() { return CWnd::FromHandle(::GetForegroundWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::GetFocus() { return CWnd::FromHandle(::GetFocus()); }
CWnd* CWnd::SetFocus() { return CWnd::FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetCapture() { return CWnd::FromHandle(::GetCapture()); }
CWnd* CWnd::SetCapture() { return CWnd::FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
    return CWnd::FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}
CWnd* CWnd::WindowFromPoint(POINT point) { return CWnd::FromHandle(::WindowFromPoint(point)); }

// ---- painting --------------------------------------------------------------------------------------------------
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }
void CWnd::EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(::GetDCEx(m_hWnd, prgnClip ? static_cast<HRGN>(prgnClip->GetSafeHandle()) : nullptr, flags));
}
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()) : 0; }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::SetRedraw(BOOL bRedraw) { ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
int CWnd::GetUpdateRgn(CRgn* pRgn, BOOL bErase)
{
    return pRgn ? ::GetUpdateRgn(m_hWnd, static_cast<HRGN>(pRgn->GetSafeHandle()), bErase) : ERROR;
}
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, pRgn ? static_cast<HRGN>(pRgn->GetSafeHandle()) : nullptr, bErase);
}
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
void CWnd::ValidateRgn(CRgn* pRgn) { ::ValidateRgn(m_hWnd, pRgn ? static_cast<HRGN>(pRgn->GetSafeHandle()) : nullptr); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate ? static_cast<HRGN>(prgnUpdate->GetSafeHandle()) : nullptr, flags);
}
void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}
int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags)
{
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip,
                            prgnUpdate ? static_cast<HRGN>(prgnUpdate->GetSafeHandle()) : nullptr, lpRectUpdate, flags);
}
BOOL CWnd::LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
void CWnd::UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
void CWnd::Print(CDC* pDC, DWORD dwFlags) const
{
    ::SendMessage(m_hWnd, WM_PRINT, reinterpret_cast<WPARAM>(pDC ? pDC->GetSafeHdc() : nullptr), dwFlags);
}
void CWnd::PrintClient(CDC* pDC, DWORD dwFlags) const
{
    ::SendMessage(m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pDC ? pDC->GetSafeHdc() : nullptr), dwFlags);
}

// ---- menus ------------------------------------------------------------------------------------------------------
void AfxSetMenuHooks(const AFX_MENU_HOOKS* pHooks) { g_menuHooks = pHooks ? *pHooks : AFX_MENU_HOOKS{}; }
CMenu* AfxMenuFromHandle(HMENU hMenu)
{
    return (hMenu && g_menuHooks.pfnFromHandle) ? g_menuHooks.pfnFromHandle(hMenu) : nullptr;
}
CMenu* CWnd::GetMenu() const { return AfxMenuFromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu)
{
    HMENU h = (pMenu && g_menuHooks.pfnHandleOf) ? g_menuHooks.pfnHandleOf(pMenu) : nullptr;
    BOOL ok = ::SetMenu(m_hWnd, h);
    DrawMenuBar();
    return ok;
}
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return g_menuHooks.pfnGetSystemMenu ? AfxMenuFromHandle(g_menuHooks.pfnGetSystemMenu(m_hWnd, bRevert)) : nullptr;
}
void CWnd::DrawMenuBar()
{
    if (g_menuHooks.pfnDrawMenuBar)
        g_menuHooks.pfnDrawMenuBar(m_hWnd);
}

// ---- scroll bars ---------------------------------------------------------------------------------------------------
CScrollBar* CWnd::GetScrollBarCtrl(int nBar) const
{
    (void)nBar;
    return nullptr;
}

int CWnd::GetScrollPos(int nBar) const
{
    if (CScrollBar* p = GetScrollBarCtrl(nBar))
        return p->GetScrollPos();
    return ::GetScrollPos(m_hWnd, nBar);
}
int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    if (CScrollBar* p = GetScrollBarCtrl(nBar))
        return p->SetScrollPos(nPos, bRedraw);
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    if (CScrollBar* p = GetScrollBarCtrl(nBar))
        p->GetScrollRange(lpMinPos, lpMaxPos);
    else
        ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    if (CScrollBar* p = GetScrollBarCtrl(nBar))
        p->SetScrollRange(nMinPos, nMaxPos, bRedraw);
    else
        ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, (int)nBar, bShow); }
void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    if (nBar == SB_BOTH) {
        EnableScrollBarCtrl(SB_HORZ, bEnable);
        EnableScrollBarCtrl(SB_VERT, bEnable);
    } else if (CScrollBar* p = GetScrollBarCtrl(nBar)) {
        p->EnableWindow(bEnable);
    } else {
        ::ShowScrollBar(m_hWnd, nBar, bEnable);
    }
}
BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags) { return ::EnableScrollBar(m_hWnd, (UINT)nSBFlags, nArrowFlags); }
BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    if (CScrollBar* p = GetScrollBarCtrl(nBar))
        return p->SetScrollInfo(lpScrollInfo, bRedraw);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}
BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    if (CScrollBar* p = GetScrollBarCtrl(nBar))
        return p->GetScrollInfo(lpScrollInfo, nMask);
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}
int CWnd::GetScrollLimit(int nBar)
{
    int nMin = 0, nMax = 0;
    GetScrollRange(nBar, &nMin, &nMax);
    SCROLLINFO info{};
    if (GetScrollInfo(nBar, &info, SIF_PAGE))
        nMax -= std::max((int)info.nPage - 1, 0);
    return nMax;
}

// ---- timers -----------------------------------------------------------------------------------------------------------
UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD))
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

// ---- messages ------------------------------------------------------------------------------------------------------------
LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::SendMessage(m_hWnd, message, wParam, lParam); }
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::PostMessage(m_hWnd, message, wParam, lParam); }
BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendNotifyMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return;
    std::vector<HWND> kids = w->children;  // handlers may create or destroy windows
    for (HWND child : kids) {
        if (!IsWindow(child))
            continue;
        if (bOnlyPerm) {
            if (CWnd* p = FromHandlePermanent(child))
                AfxCallWndProc(p, child, message, wParam, lParam);
        } else {
            ::SendMessage(child, message, wParam, lParam);
        }
        if (bDeep && IsWindow(child))
            SendMessageToDescendants(child, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

LRESULT CWnd::Default()
{
    const MSG* m = GetCurrentMessage();
    return DefWindowProc(m->message, m->wParam, m->lParam);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return AfxShowMessageBox(lpszText, lpszCaption, nType);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (!pNMHDR)
            return FALSE;
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }
    // An entry for the very message (ON_MESSAGE(WM_CTLCOLORLISTBOX, ...)) comes before the
    // OnCtlColor entries that take every WM_CTLCOLORxxx.
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message);
    if (!e && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        e = FindMessageEntry(WM_CTLCOLOR);
    if (!e)
        return FALSE;
    AFX_MSGCALL call{message, wParam, lParam, 0, 0, nullptr, TRUE};
    lResult = e->pfnThunk(this, call);  // 'this' may be deleted from here on
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

namespace {

// A test UI for a menu or accelerator command: is it enabled right now?
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

BOOL ReflectMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
    if (!pWnd)
        return FALSE;
    return pWnd->OnChildNotify(message, wParam, lParam, pResult);
}

}  // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        if (nID == 0)
            return FALSE;
        // A menu or accelerator command that is disabled right now does nothing.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (ReflectMsg(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    (void)wParam;
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (hWndCtrl && IsWindow(hWndCtrl) && ::GetDlgCtrlID(hWndCtrl)) ? (UINT)::GetDlgCtrlID(hWndCtrl)
                                                                           : (UINT)pNMHDR->idFrom;
    if (hWndCtrl && ReflectMsg(hWndCtrl, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, pNMHDR};
    return OnCmdMsg(nID, MAKELONG((WORD)pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, MAKELONG((WORD)nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{pResult, pNMHDR};
        return CCmdTarget::OnCmdMsg(0, MAKELONG((WORD)pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            AFX_CTLCOLOR ctl{reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
            LRESULT r = 0;
            BOOL b = CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl), &r);
            if (b && r) {
                if (pResult)
                    *pResult = r;
                return TRUE;
            }
        }
        return FALSE;
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    const MSG* m = GetCurrentMessage();
    return ReflectMsg(hWndChild, m->message, m->wParam, m->lParam, pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG* m = GetCurrentMessage();
    return OnChildNotify(m->message, m->wParam, m->lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    (void)pMsg;
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    int guard = 0;
    for (HWND hWnd = pMsg->hwnd; hWnd && ++guard < 1000; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd))
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

// ---- modal loops -------------------------------------------------------------------------------------------------------
int CWnd::RunModalLoop(DWORD dwFlags)
{
    (void)dwFlags;
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    HWND h = m_hWnd;
    // Nobody can end a loop that waits for input under a test harness or headless: after
    // this long without a message it ends as failed.
    const qint64 kUnansweredMs = 10000;
    QElapsedTimer idle;
    idle.start();
    while (IsWindow(h) && FromHandlePermanent(h) == this && (m_nFlags & WF_CONTINUEMODAL) && ContinueModal()) {
        int n = AfxPumpMessages(1);
        if (AfxQuitRequested())
            break;
        if (n > 0) {
            idle.restart();
            continue;
        }
        if (!(m_nFlags & WF_CONTINUEMODAL))
            break;
        // Nothing left: sleep in the toolkit until input, a posted message or a timer
        // arrives (EndModalLoop posts one), as the platform's modal loop does.
        pc::Backend& backend = pc::TheBackend();
        if (backend.CanAskPerson()) {
            backend.WaitForEvents(-1);
            continue;
        }
        const qint64 left = kUnansweredMs - idle.elapsed();
        if (left <= 0) {
            AfxReportTestFailure("a modal loop waited for input nobody gives (headless)");
            EndModalLoop(-1);
            break;
        }
        backend.WaitForEvents(static_cast<int>(left));
    }
    if (IsWindow(h) && FromHandlePermanent(h) == this)
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);
    }
}

// ---- window data ------------------------------------------------------------------------------------------------------------
LONG_PTR CWnd::GetWindowLongPtr(int nIndex) const { return ::GetWindowLongPtr(m_hWnd, nIndex); }
LONG_PTR CWnd::SetWindowLongPtr(int nIndex, LONG_PTR dwNewLong) { return ::SetWindowLongPtr(m_hWnd, nIndex, dwNewLong); }
BOOL CWnd::SetProp(LPCTSTR lpString, HANDLE hData) { return ::SetProp(m_hWnd, lpString, hData); }
HANDLE CWnd::GetProp(LPCTSTR lpString) const { return ::GetProp(m_hWnd, lpString); }
HANDLE CWnd::RemoveProp(LPCTSTR lpString) { return ::RemoveProp(m_hWnd, lpString); }

// ---- the application's main window and pre-translation ---------------------------------------------------------------------
void AfxSetMainWndProvider(AFX_MAINWND_PROVIDER pfn) { g_mainProvider = pfn; }
void AfxSetMainWnd(CWnd* pWnd) { g_mainWnd = pWnd; }
CWnd* AfxGetMainWnd()
{
    if (g_mainProvider)
        return g_mainProvider();
    return g_mainWnd;
}

AFX_PRETRANSLATE_HOOK AfxSetPreTranslateHook(AFX_PRETRANSLATE_HOOK pfn)
{
    AFX_PRETRANSLATE_HOOK old = g_preHook;
    g_preHook = pfn;
    return old;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (g_preHook)
        return g_preHook(pMsg);
    if (!pMsg->hwnd)
        return FALSE;
    CWnd* pMain = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMain ? pMain->GetSafeHwnd() : nullptr, pMsg))
        return TRUE;
    if (pMain && IsWindow(pMain->GetSafeHwnd()) && IsWindow(pMsg->hwnd)) {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd && pWnd->GetTopLevelParent() != pMain && pMain->GetSafeHwnd() != pMsg->hwnd)
            return pMain->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

// ---- the default handlers ------------------------------------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_PARENTNOTIFY()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

void CWnd::OnNcDestroy()
{
    if (g_mainWnd == this)
        g_mainWnd = nullptr;
    Default();
    Detach();
    PostNcDestroy();  // may delete this
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->GetSafeHwnd()))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->GetSafeHwnd()))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT r = 0;
    if (pWnd && ReflectLastMsg(pWnd->GetSafeHwnd(), &r))
        return reinterpret_cast<HBRUSH>(r);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType != ODT_MENU)
        if (HWND h = ::GetDlgItem(m_hWnd, nIDCtl))
            if (ReflectLastMsg(h))
                return;
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT r = 0;
    if (lpCompareItemStruct && ReflectLastMsg(lpCompareItemStruct->hwndItem, &r))
        return (int)r;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (lpDeleteItemStruct && ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) && ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return;
    Default();
}

void CWnd::OnSysColorChange()
{
    // A top-level window passes the news on to all its descendants.
    if (!(GetStyle() & WS_CHILD))
        SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
    Default();
}

void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnChildActivate() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return (BOOL)Default(); }
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnEndSession(BOOL) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnIconEraseBkgnd(CDC*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
BOOL CWnd::OnQueryEndSession() { return (BOOL)Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
BOOL CWnd::OnQueryOpen() { return (BOOL)Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnEnterSizeMove() { Default(); }
void CWnd::OnExitSizeMove() { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnSysDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnCompacting(UINT) { Default(); }
void CWnd::OnDevModeChange(LPTSTR) { Default(); }
void CWnd::OnFontChange() { Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
void CWnd::OnPaletteIsChanging(CWnd*) { Default(); }
void CWnd::OnTimeChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnDestroyClipboard() { Default(); }
void CWnd::OnDrawClipboard() { Default(); }
void CWnd::OnRenderFormat(UINT) { Default(); }
void CWnd::OnRenderAllFormats() { Default(); }
