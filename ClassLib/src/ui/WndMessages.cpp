// Sending messages and their default processing.
#include "CaptionButtons.h"
#include "WndInternal.h"
#include "WndWidget.h"

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Core/Mbcs.h>
#include <ClassLib/Core/Thread.h>
#include <ClassLib/Wnd/Cursor.h>
#include <ClassLib/Wnd/System.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#ifndef SWP_NOCLIENTSIZE
#define SWP_NOCLIENTSIZE 0x0800
#define SWP_NOCLIENTMOVE 0x1000
#endif

namespace {

// The stack of messages being handled, innermost last. Window objects with static storage
// may be destroyed (and handle messages) after this thread's state is gone at exit: once the
// stack has been destroyed, pushes and pops do nothing. The flag has no destructor, so it
// stays readable to the end.
thread_local bool t_currentGone = false;
struct CurrentMessages
{
    std::vector<MSG> stack;
    ~CurrentMessages() { t_currentGone = true; }
};
thread_local CurrentMessages t_current;
thread_local int t_sendDepth = 0;
DWORD g_msgTime = 0;
POINT g_msgPt = {0, 0};

struct InputPass
{
    HWND hwnd = nullptr;
    UINT msg = 0;
    bool reachedDefault = false;
};
thread_local InputPass* t_pass = nullptr;

}  // namespace

void AfxSetMessageTime(DWORD time, POINT pt)
{
    g_msgTime = time;
    g_msgPt = pt;
}

LONG GetMessageTime() { return (LONG)g_msgTime; }
DWORD GetMessagePos() { return (DWORD)MAKELONG((WORD)(short)g_msgPt.x, (WORD)(short)g_msgPt.y); }

void AfxPushCurrentMessage(const MSG& msg)
{
    if (!t_currentGone)
        t_current.stack.push_back(msg);
}
void AfxPopCurrentMessage()
{
    if (!t_currentGone && !t_current.stack.empty())
        t_current.stack.pop_back();
}

const MSG* CWnd::GetCurrentMessage()
{
    static MSG empty{};  // read-only; a plain static outlives every thread's state
    if (t_currentGone || t_current.stack.empty())
        return &empty;
    return &t_current.stack.back();
}

BOOL InSendMessage() { return t_sendDepth > 0; }

// Runs a message through DefWindowProc-aware input translation: the translator asks here
// whether the default processing was reached.
bool AfxRunInputMessage(const MSG& msg, LRESULT* pResult, bool* pSwallowed)
{
    InputPass pass;
    pass.hwnd = msg.hwnd;
    pass.msg = msg.message;
    InputPass* saved = t_pass;
    t_pass = &pass;
    BOOL swallowed = FALSE;
    LRESULT r = AfxDispatchQueued(msg, &swallowed);
    t_pass = saved;
    if (pResult)
        *pResult = r;
    if (pSwallowed)
        *pSwallowed = swallowed != FALSE;
    return pass.reachedDefault;
}

BOOL AfxIsTranslatingInput(HWND hWnd, UINT nMsg)
{
    return t_pass && t_pass->hwnd == hWnd && t_pass->msg == nMsg;
}

LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : DefWindowProc(hWnd, Msg, wParam, lParam);
}

LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == HWND_BROADCAST) {
        for (HWND h : AfxTopLevelWindows())
            ::SendMessage(h, Msg, wParam, lParam);
        return 0;
    }
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return 0;
    if (!AfxIsUiThread()) {
        // Another thread waits until the user-interface thread has handled it; that thread
        // serves it from its event loop or from a wait for a thread handle.
        LRESULT result = 0;
        if (!QCoreApplication::instance())
            return 0;
        AfxCallOnUiThread([&] { result = ::SendMessage(hWnd, Msg, wParam, lParam); });
        return result;
    }
    WNDPROC proc = w->proc ? w->proc : &DefWindowProc;
    ++t_sendDepth;
    LRESULT r = proc(hWnd, Msg, wParam, lParam);
    --t_sendDepth;
    return r;
}

LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    HWND h = GetDlgItem(hDlg, nIDDlgItem);
    return h ? ::SendMessage(h, Msg, wParam, lParam) : 0;
}

UINT RegisterWindowMessage(LPCTSTR lpString)
{
    static std::mutex lock;
    static std::map<std::string, UINT> ids;
    static UINT next = 0xC100;
    if (!lpString || !*lpString)
        return 0;
    std::string key(lpString);
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
    std::lock_guard<std::mutex> g(lock);
    auto it = ids.find(key);
    if (it != ids.end())
        return it->second;
    if (next > 0xFFFF)
        return 0;
    ids[key] = next;
    return next++;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    CWnd* pWnd = w ? w->pWnd : nullptr;
    if (!pWnd)
        return DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    MSG m{};
    m.hwnd = hWnd;
    m.message = nMsg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = g_msgTime;
    m.pt = g_msgPt;
    AfxPushCurrentMessage(m);
    LRESULT r = pWnd->WindowProc(nMsg, wParam, lParam);  // pWnd may be gone afterwards
    AfxPopCurrentMessage();
    return r;
}

// ---- default processing ----------------------------------------------------------------------
namespace {

LRESULT HitTest(AfxWindow* w, POINT screen)
{
    QPoint origin = QPoint(0, 0);
    RECT wr;
    GetWindowRect(w->hwnd, &wr);
    origin = QPoint(wr.left, wr.top);
    QPoint p = QPoint(screen.x, screen.y) - origin;
    if (!QRect(0, 0, w->rect.width(), w->rect.height()).contains(p))
        return HTNOWHERE;
    QRect client = AfxClientAreaOf(w);
    if (client.contains(p))
        return HTCLIENT;
    bool v = w->sb[SB_VERT].visible, h = w->sb[SB_HORZ].visible;
    int cxv = GetSystemMetrics(SM_CXVSCROLL), cyh = GetSystemMetrics(SM_CYHSCROLL);
    if (v && h && p.x() >= client.right() + 1 && p.x() < client.right() + 1 + cxv && p.y() >= client.bottom() + 1 &&
        p.y() < client.bottom() + 1 + cyh)
        return HTSIZE;
    if (v && p.x() >= client.right() + 1 && p.x() < client.right() + 1 + cxv && p.y() >= client.top() &&
        p.y() <= client.bottom())
        return HTVSCROLL;
    if (h && p.y() >= client.bottom() + 1 && p.y() < client.bottom() + 1 + cyh && p.x() >= client.left() &&
        p.x() <= client.right())
        return HTHSCROLL;
    if ((w->style & WS_CAPTION) == WS_CAPTION && !AfxIsTopLevel(w) && p.y() < client.top() && p.y() >= 3) {
        const LRESULT part = AfxCaptionHit(w, p);
        return part == HTNOWHERE ? HTCAPTION : part;
    }
    if (w->style & WS_THICKFRAME) {
        int b = 4;
        bool left = p.x() < b, right = p.x() >= w->rect.width() - b;
        bool top = p.y() < b, bottom = p.y() >= w->rect.height() - b;
        if (top && left) return HTTOPLEFT;
        if (top && right) return HTTOPRIGHT;
        if (bottom && left) return HTBOTTOMLEFT;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    return HTBORDER;
}

LRESULT CursorForHit(AfxWindow* w, UINT hit)
{
    LPCTSTR id = nullptr;
    switch (hit) {
    case HTLEFT:
    case HTRIGHT: id = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: id = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: id = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: id = IDC_SIZENESW; break;
    case HTCLIENT:
        if (w->cls && w->cls->wc.hCursor) {
            SetCursor(w->cls->wc.hCursor);
            return FALSE;
        }
        return FALSE;
    default: id = IDC_ARROW; break;
    }
    SetCursor(LoadCursor(nullptr, id));
    return FALSE;
}

void FillBackground(AfxWindow* w, HDC hdc)
{
    HBRUSH br = AfxClassBrush(w);
    RECT r;
    ::GetClipBox(hdc, &r);
    ::FillRect(hdc, &r, br);
}

HBRUSH CtlColorBrush(UINT msg, HDC hdc)
{
    switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        ::SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
        return GetSysColorBrush(COLOR_WINDOW);
    case WM_CTLCOLORSCROLLBAR:
        return GetSysColorBrush(COLOR_SCROLLBAR);
    default:
        ::SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(hdc, GetSysColor(COLOR_3DFACE));
        return GetSysColorBrush(COLOR_3DFACE);
    }
}

bool g_activateSetsFocus = true;

}  // namespace

void AfxSuppressActivateFocus(bool bSuppress) { g_activateSetsFocus = !bSuppress; }

LRESULT CALLBACK DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return 0;
    if (t_pass && t_pass->hwnd == hWnd && t_pass->msg == Msg)
        t_pass->reachedDefault = true;
    switch (Msg) {
    case WM_NCCREATE: {
        const CREATESTRUCT* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            w->text = cs->lpszName;
        return TRUE;
    }
    case WM_CREATE:
        return 0;
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<LPCTSTR>(lParam) : "";
        if (AfxIsTopLevel(w) && w->widget)
            w->widget->setWindowTitle(AfxQString(w->text));
        if ((w->style & WS_CAPTION) == WS_CAPTION && !AfxIsTopLevel(w) && w->widget)
            w->widget->update();
        return TRUE;
    case WM_GETTEXT: {
        LPTSTR buf = reinterpret_cast<LPTSTR>(lParam);
        int max = (int)wParam;
        if (!buf || max <= 0)
            return 0;
        int n = std::min(w->text.GetLength(), max - 1);
        // Never end on the first byte of a double-byte character.
        int keep = 0;
        for (int i = 0; i < n;) {
            int step = IsDBCSLeadByte((BYTE)w->text[i]) && i + 1 < w->text.GetLength() ? 2 : 1;
            if (i + step > n)
                break;
            i += step;
            keep = i;
        }
        std::memcpy(buf, (LPCTSTR)w->text, (size_t)keep);
        buf[keep] = 0;
        return keep;
    }
    case WM_GETTEXTLENGTH:
        return w->text.GetLength();
    case WM_SETFONT:
        w->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(w->font);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        if (!AfxClassBrush(w))
            return 0;
        FillBackground(w, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_NCHITTEST:
        return HitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETCURSOR: {
        if (!AfxIsTopLevel(w) && w->parent)
            if (::SendMessage(w->parent, WM_SETCURSOR, wParam, lParam))
                return TRUE;
        UINT hit = (UINT)(short)LOWORD(lParam);
        if (hit == (UINT)HTERROR) {
            UINT msg = HIWORD(lParam);
            if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN)
                MessageBeep(0);
            return FALSE;
        }
        return CursorForHit(w, hit);
    }
    case WM_MOUSEACTIVATE:
        if (!AfxIsTopLevel(w) && w->parent) {
            LRESULT r = ::SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r)
                return r;
        }
        return MA_ACTIVATE;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        if (!AfxIsTopLevel(w) && w->parent)
            return ::SendMessage(w->parent, Msg, wParam, lParam);
        return 0;
    case WM_RBUTTONUP: {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hWnd, &pt);
        ::SendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(pt.x, pt.y));
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            ::SendMessage(hWnd, WM_CLOSE, 0, 0);
        else if ((wParam & 0xFFF0) == SC_MINIMIZE)
            ShowWindow(hWnd, SW_MINIMIZE);
        else if ((wParam & 0xFFF0) == SC_MAXIMIZE)
            ShowWindow(hWnd, SW_MAXIMIZE);
        else if ((wParam & 0xFFF0) == SC_RESTORE)
            ShowWindow(hWnd, SW_RESTORE);
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        AfxCaptionButtonDown(hWnd, (UINT)wParam, Msg == WM_NCLBUTTONDBLCLK);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (HIWORD(lParam) & 0x2000) && AfxIsTopLevel(w))
            ::PostMessage(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && g_activateSetsFocus) {
            HWND focus = GetFocus();
            if (!focus || (focus != hWnd && !IsChild(hWnd, focus)))
                SetFocus(hWnd);
        }
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const WINDOWPOS* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!wp)
            return 0;
        QRect client = AfxClientAreaOf(w);
        if (!(wp->flags & SWP_NOCLIENTMOVE))
            ::SendMessage(hWnd, WM_MOVE, 0, MAKELPARAM(w->rect.x() + client.x(), w->rect.y() + client.y()));
        if (!(wp->flags & SWP_NOCLIENTSIZE))
            ::SendMessage(hWnd, WM_SIZE, w->maximized ? SIZE_MAXIMIZED : (w->minimized ? SIZE_MINIMIZED : SIZE_RESTORED),
                          MAKELPARAM(client.width(), client.height()));
        return 0;
    }
    case WM_CANCELMODE:
        if (GetCapture() == hWnd)
            ReleaseCapture();
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(CtlColorBrush(Msg, reinterpret_cast<HDC>(wParam)));
    case WM_SETREDRAW:
        w->redrawOff = !wParam;
        return 0;
    case WM_PRINTCLIENT:
    case WM_PRINT:
        return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
    case WM_NCACTIVATE:
        if (w->ncActive != (wParam != 0)) {
            w->ncActive = wParam != 0;
            if (w->widget && (w->style & WS_CAPTION) == WS_CAPTION && !AfxIsTopLevel(w))
                w->widget->update();
        }
        return TRUE;
    case WM_GETDLGCODE:
        return 0;
    case WM_NOTIFYFORMAT:
        return 1;  // NFR_ANSI
    default:
        return 0;
    }
}
