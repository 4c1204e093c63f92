// Window geometry: client areas, coordinates, positioning, showing and hit testing.
// Positions are kept here (child windows in their parent's client coordinates, top-level
// windows on the screen) and pushed to the widgets, so they are exact and the same on
// every platform, the offscreen one included.
#include "Backend.h"
#include "WndInternal.h"
#include "WndWidget.h"

#include <ClassLib/Wnd/System.h>

#include <QScrollBar>

#include <algorithm>

#ifndef SWP_NOCLIENTSIZE
#define SWP_NOCLIENTSIZE 0x0800
#define SWP_NOCLIENTMOVE 0x1000
#endif

void AfxLowerTopLevel(HWND hWnd);  // WndTable.cpp

namespace {

bool g_syncing = false;

// Frame width of the styles: sizing frame 4, dialog frame 3, thin border 1; edges add.
int FrameOf(const AfxWindow* w, bool* pCaption)
{
    bool top = AfxIsTopLevel(w);
    bool caption = (w->style & WS_CAPTION) == WS_CAPTION;
    *pCaption = false;
    int b = 0;
    // A top-level window with a caption gets its frame from the desktop's window manager.
    if (!(top && caption)) {
        if (w->style & WS_THICKFRAME)
            b = 4;
        else if (w->style & WS_DLGFRAME)
            b = 3;
        else if (w->style & WS_BORDER)
            b = 1;
        if (caption)
            *pCaption = true;
    }
    if (w->exStyle & WS_EX_CLIENTEDGE)
        b += 2;
    if (w->exStyle & WS_EX_STATICEDGE)
        b += 1;
    if ((w->exStyle & WS_EX_DLGMODALFRAME) && !(top && caption) && !(w->style & (WS_DLGFRAME | WS_THICKFRAME)))
        b += 3;
    return b;
}

QPoint ScreenOriginOfWindow(const AfxWindow* w)
{
    if (AfxIsTopLevel(w) || !w->parent)
        return w->rect.topLeft();
    const AfxWindow* p = AfxWindowOf(w->parent);
    if (!p)
        return w->rect.topLeft();
    return AfxClientOriginOnScreen(p) + w->rect.topLeft();
}

}  // namespace

QRect AfxClientAreaOf(const AfxWindow* w)
{
    bool caption;
    int b = FrameOf(w, &caption);
    QRect r(0, 0, w->rect.width(), w->rect.height());
    r.adjust(b, b, -b, -b);
    if (caption)
        r.setTop(r.top() + GetSystemMetrics(SM_CYCAPTION));
    // A top-level window's menu takes a band above the client area.
    if (w->menu != nullptr && !(w->style & WS_CHILD) && AfxIsTopLevel(w))
        r.setTop(r.top() + AfxMenuBandHeight());
    if (w->sb[SB_VERT].visible)
        r.setRight(r.right() - GetSystemMetrics(SM_CXVSCROLL));
    if (w->sb[SB_HORZ].visible)
        r.setBottom(r.bottom() - GetSystemMetrics(SM_CYHSCROLL));
    if (r.width() < 0)
        r.setWidth(0);
    if (r.height() < 0)
        r.setHeight(0);
    return r;
}

QPoint AfxClientOriginOnScreen(const AfxWindow* w)
{
    return ScreenOriginOfWindow(w) + AfxClientAreaOf(w).topLeft();
}

void AfxSyncWidgetGeometry(AfxWindow* w)
{
    QWidget* widget = w->widget.data();
    if (!widget)
        return;
    bool old = g_syncing;
    g_syncing = true;
    QRect r = w->rect;
    if (!AfxIsTopLevel(w)) {
        if (AfxWindow* p = AfxWindowOf(w->parent))
            r.translate(AfxClientAreaOf(p).topLeft());
    }
    // A top-level window without a sizing border keeps its size on the desktop too: the
    // window manager then offers no resizing and no maximise button for it.
    if (AfxIsTopLevel(w) && !(w->style & WS_THICKFRAME) && !w->maximized)
        pc::TheBackend().KeepSize(widget, r.size());
    if (widget->geometry() != r)
        widget->setGeometry(r);
    g_syncing = old;
    AfxUpdateScrollWidgets(w);
    AfxPlaceMenuBar(w);
}

bool AfxSyncingGeometry() { return g_syncing; }

void AfxFrameChanged(AfxWindow* w)
{
    QRect before = w->surfaceSize.isEmpty() ? QRect() : QRect(QPoint(0, 0), w->surfaceSize);
    AfxSyncWidgetGeometry(w);
    AfxSizeSurface(w);
    QRect client = AfxClientAreaOf(w);
    for (HWND c : w->children)
        if (AfxWindow* cw = AfxWindowOf(c))
            AfxSyncWidgetGeometry(cw);
    if (w->widget)
        w->widget->update();
    w->lastClient = client;
    if (before.size() != client.size()) {
        AfxInvalidate(w, QRegion(0, 0, client.width(), client.height()), true);
        ::SendMessage(w->hwnd, WM_SIZE, w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                      MAKELPARAM(client.width(), client.height()));
    }
}

// ---- rectangles and coordinates -------------------------------------------------------------
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !lpRect)
        return FALSE;
    QPoint o = ScreenOriginOfWindow(w);
    ::SetRect(lpRect, o.x(), o.y(), o.x() + w->rect.width(), o.y() + w->rect.height());
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !lpRect)
        return FALSE;
    QRect c = AfxClientAreaOf(w);
    ::SetRect(lpRect, 0, 0, c.width(), c.height());
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    QPoint o = AfxClientOriginOnScreen(w);
    lpPoint->x += o.x();
    lpPoint->y += o.y();
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    QPoint o = AfxClientOriginOnScreen(w);
    lpPoint->x -= o.x();
    lpPoint->y -= o.y();
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    QPoint from, to;
    if (hWndFrom) {
        AfxWindow* w = AfxWindowOf(hWndFrom);
        if (!w)
            return 0;
        from = AfxClientOriginOnScreen(w);
    }
    if (hWndTo) {
        AfxWindow* w = AfxWindowOf(hWndTo);
        if (!w)
            return 0;
        to = AfxClientOriginOnScreen(w);
    }
    QPoint d = from - to;
    for (UINT i = 0; lpPoints && i < cPoints; ++i) {
        lpPoints[i].x += d.x();
        lpPoints[i].y += d.y();
    }
    return MAKELONG((WORD)(short)d.x(), (WORD)(short)d.y());
}

BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle)
{
    if (!lpRect)
        return FALSE;
    AfxWindow probe;
    probe.style = dwStyle;
    probe.exStyle = dwExStyle;
    probe.rect = QRect(0, 0, 1000, 1000);
    QRect c = AfxClientAreaOf(&probe);
    lpRect->left -= c.left();
    lpRect->top -= c.top();
    lpRect->right += 1000 - (c.left() + c.width());
    lpRect->bottom += 1000 - (c.top() + c.height());
    if (bMenu && !(dwStyle & WS_CHILD))
        lpRect->top -= GetSystemMetrics(SM_CYMENU);
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu)
{
    return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0);
}

// ---- positioning -------------------------------------------------------------------------------
namespace {

void ApplyZOrder(AfxWindow* w, HWND after)
{
    if (AfxIsTopLevel(w)) {
        bool wasTopmost = (w->exStyle & WS_EX_TOPMOST) != 0;
        if (after == HWND_TOPMOST)
            w->exStyle |= WS_EX_TOPMOST;
        else if (after == HWND_NOTOPMOST)
            w->exStyle &= ~WS_EX_TOPMOST;
        bool topmost = (w->exStyle & WS_EX_TOPMOST) != 0;
        if (topmost != wasTopmost && w->widget) {
            bool visible = w->widget->isVisible();
            w->widget->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
            if (visible)
                w->widget->show();
        }
        if (after == HWND_BOTTOM)
            AfxLowerTopLevel(w->hwnd);
        else
            AfxRaiseTopLevel(w->hwnd);
        return;
    }
    AfxWindow* p = AfxWindowOf(w->parent);
    if (!p)
        return;
    auto& kids = p->children;
    kids.erase(std::remove(kids.begin(), kids.end(), w->hwnd), kids.end());
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        kids.insert(kids.begin(), w->hwnd);
        if (w->widget)
            w->widget->raise();
    } else if (after == HWND_BOTTOM) {
        kids.push_back(w->hwnd);
        if (w->widget)
            w->widget->lower();
    } else {
        auto it = std::find(kids.begin(), kids.end(), after);
        if (it == kids.end()) {
            kids.insert(kids.begin(), w->hwnd);
        } else {
            kids.insert(it + 1, w->hwnd);
            AfxWindow* a = AfxWindowOf(after);
            if (w->widget && a && a->widget)
                w->widget->stackUnder(a->widget);
        }
    }
}

void SetVisibleFlag(AfxWindow* w, bool show)
{
    if (show)
        w->style |= WS_VISIBLE;
    else
        w->style &= ~WS_VISIBLE;
    if (QWidget* widget = w->widget.data())
        widget->setVisible(show);
}

}  // namespace

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    WINDOWPOS wp{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
    if (uFlags & SWP_NOMOVE) {
        wp.x = w->rect.x();
        wp.y = w->rect.y();
    }
    if (uFlags & SWP_NOSIZE) {
        wp.cx = w->rect.width();
        wp.cy = w->rect.height();
    }
    if (!(uFlags & SWP_NOSENDCHANGING)) {
        ::SendMessage(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        w = AfxWindowOf(hWnd);
        if (!w)
            return FALSE;
    }
    QRect oldRect = w->rect;
    QRect oldClient = w->lastClient.isNull() ? AfxClientAreaOf(w) : w->lastClient;
    QPoint oldClientOrigin = oldRect.topLeft() + oldClient.topLeft();
    QRect newRect(wp.x, wp.y, std::max(wp.cx, 0), std::max(wp.cy, 0));
    if (!(wp.flags & SWP_NOZORDER))
        ApplyZOrder(w, wp.hwndInsertAfter);
    w->rect = newRect;
    bool sized = newRect.size() != oldRect.size();
    bool moved = newRect.topLeft() != oldRect.topLeft();
    if (sized || moved || (wp.flags & SWP_FRAMECHANGED)) {
        AfxSyncWidgetGeometry(w);
        AfxSizeSurface(w);
        for (HWND c : w->children)
            if (AfxWindow* cw = AfxWindowOf(c))
                AfxSyncWidgetGeometry(cw);
    }
    QRect newClient = AfxClientAreaOf(w);
    if (newClient.size() != oldClient.size() && !(wp.flags & SWP_NOREDRAW)) {
        bool redrawAll = w->cls && (w->cls->wc.style & (CS_HREDRAW | CS_VREDRAW));
        QRegion grown = QRegion(0, 0, newClient.width(), newClient.height()) -
                        QRegion(0, 0, oldClient.width(), oldClient.height());
        AfxInvalidate(w, redrawAll ? QRegion(0, 0, newClient.width(), newClient.height()) : grown, true);
    }
    if ((wp.flags & SWP_FRAMECHANGED) && w->widget)
        w->widget->update();
    // The parent shows again where the window was.
    if (!AfxIsTopLevel(w) && (sized || moved) && (w->style & WS_VISIBLE))
        if (AfxWindow* p = AfxWindowOf(w->parent))
            AfxInvalidate(p, QRegion(oldRect) - QRegion(newRect), true);
    if (wp.flags & SWP_SHOWWINDOW) {
        if (!(w->style & WS_VISIBLE)) {
            SetVisibleFlag(w, true);
            AfxInvalidate(w, QRegion(0, 0, newClient.width(), newClient.height()), true);
        }
    } else if (wp.flags & SWP_HIDEWINDOW) {
        if (w->style & WS_VISIBLE) {
            SetVisibleFlag(w, false);
            if (!AfxIsTopLevel(w))
                if (AfxWindow* p = AfxWindowOf(w->parent))
                    AfxInvalidate(p, QRegion(newRect), true);
        }
    }
    if (AfxIsTopLevel(w) && !(wp.flags & SWP_NOACTIVATE) && (w->style & WS_VISIBLE) &&
        !(w->exStyle & WS_EX_NOACTIVATE))
        AfxSetActiveInternal(hWnd, false);
    UINT changed = wp.flags;
    QPoint newClientOrigin = newRect.topLeft() + newClient.topLeft();
    if (newClient.size() == oldClient.size())
        changed |= SWP_NOCLIENTSIZE;
    if (newClientOrigin == oldClientOrigin)
        changed |= SWP_NOCLIENTMOVE;
    if (!sized)
        changed |= SWP_NOSIZE;
    if (!moved)
        changed |= SWP_NOMOVE;
    w->lastClient = newClient;
    WINDOWPOS done{hWnd, wp.hwndInsertAfter, newRect.x(), newRect.y(), newRect.width(), newRect.height(), changed};
    ::SendMessage(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hWnd)
{
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool show = nCmdShow != SW_HIDE;
    if (show != wasVisible) {
        ::SendMessage(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        w = AfxWindowOf(hWnd);
        if (!w)
            return wasVisible;
    }
    bool top = AfxIsTopLevel(w);
    switch (nCmdShow) {
    case SW_MAXIMIZE:
        if (!w->maximized) {
            w->maximized = true;
            w->minimized = false;
            w->style |= WS_MAXIMIZE;
            w->style &= ~WS_MINIMIZE;
            RECT area;
            if (top) {
                SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
            } else {
                ::GetClientRect(w->parent, &area);
            }
            SetWindowPos(hWnd, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            // On a desktop the window manager maximises the window, its title bar included.
            w = AfxWindowOf(hWnd);
            if (w && top && w->widget)
                pc::TheBackend().Maximize(w->widget);
        }
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        w->minimized = true;
        w->style |= WS_MINIMIZE;
        if (top && w->widget)
            w->widget->showMinimized();
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (top && w->widget && (w->maximized || w->minimized))
            pc::TheBackend().Restore(w->widget);
        w->minimized = false;
        w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        w->maximized = false;
        break;
    default: break;
    }
    w = AfxWindowOf(hWnd);
    if (!w)
        return wasVisible;
    if (show != wasVisible) {
        SetVisibleFlag(w, show);
        QRect client = AfxClientAreaOf(w);
        if (show)
            AfxInvalidate(w, QRegion(0, 0, client.width(), client.height()), true);
        else if (!top)
            if (AfxWindow* p = AfxWindowOf(w->parent))
                AfxInvalidate(p, QRegion(w->rect), true);
    }
    if (top) {
        bool activate = show && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE &&
                        nCmdShow != SW_SHOWMINNOACTIVE && nCmdShow != SW_MINIMIZE &&
                        !(w->exStyle & WS_EX_NOACTIVATE);
        if (show && !activate)
            AfxRaiseTopLevel(hWnd);
        if (activate)
            AfxSetActiveInternal(hWnd, false);
        else if (!show && AfxActiveWindow() == hWnd) {
            HWND next = nullptr;
            if (w->owner && IsWindowVisible(w->owner))
                next = w->owner;
            for (HWND h : AfxTopLevelWindows())
                if (!next && h != hWnd && IsWindowVisible(h))
                    next = h;
            AfxSetActiveInternal(next, false);
        }
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND hWnd)
{
    for (AfxWindow* w = AfxWindowOf(hWnd); w; w = AfxIsTopLevel(w) ? nullptr : AfxWindowOf(w->parent)) {
        if (!(w->style & WS_VISIBLE))
            return FALSE;
        if (AfxIsTopLevel(w))
            return TRUE;
    }
    return FALSE;
}

BOOL IsIconic(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    return w && w->minimized;
}

BOOL IsZoomed(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    return w && w->maximized;
}

// ---- hit testing ---------------------------------------------------------------------------------
HWND ChildWindowFromPointEx(HWND hWndParent, POINT Point, UINT uFlags)
{
    AfxWindow* p = AfxWindowOf(hWndParent);
    if (!p)
        return nullptr;
    QRect client = AfxClientAreaOf(p);
    if (!QRect(0, 0, p->rect.width(), p->rect.height()).contains(QPoint(Point.x, Point.y) + client.topLeft()))
        return nullptr;
    for (HWND c : p->children) {
        AfxWindow* cw = AfxWindowOf(c);
        if (!cw)
            continue;
        if ((uFlags & CWP_SKIPINVISIBLE) && !(cw->style & WS_VISIBLE))
            continue;
        if ((uFlags & CWP_SKIPDISABLED) && (cw->style & WS_DISABLED))
            continue;
        if ((uFlags & CWP_SKIPTRANSPARENT) && (cw->exStyle & WS_EX_TRANSPARENT))
            continue;
        if (cw->rect.contains(QPoint(Point.x, Point.y)))
            return c;
    }
    return hWndParent;
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point)
{
    return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL);
}

namespace {

// The visible, enabled child under a point in the parent's client coordinates that the mouse
// reaches: a child the mouse passes through (a group box over the controls it frames) is
// skipped, as the platform skips windows transparent to hit-testing. The parent when none.
HWND MouseChildFromPoint(HWND hWndParent, POINT Point)
{
    AfxWindow* p = AfxWindowOf(hWndParent);
    if (!p)
        return nullptr;
    for (HWND c : p->children) {
        AfxWindow* cw = AfxWindowOf(c);
        if (!cw || !(cw->style & WS_VISIBLE) || (cw->style & WS_DISABLED))
            continue;
        if (!cw->rect.contains(QPoint(Point.x, Point.y)))
            continue;
        if (QWidget* widget = AfxGetWidget(c))
            if (widget->testAttribute(Qt::WA_TransparentForMouseEvents))
                continue;
        return c;
    }
    return hWndParent;
}

}  // namespace

HWND WindowFromPoint(POINT Point)
{
    QPoint pt(Point.x, Point.y);
    for (HWND h : AfxTopLevelWindows()) {
        AfxWindow* w = AfxWindowOf(h);
        if (!w || !(w->style & WS_VISIBLE) || w->minimized)
            continue;
        if (!w->rect.contains(pt))
            continue;
        HWND cur = h;
        for (;;) {
            AfxWindow* cw = AfxWindowOf(cur);
            QPoint local = pt - AfxClientOriginOnScreen(cw);
            HWND next = MouseChildFromPoint(cur, POINT{local.x(), local.y()});
            if (!next || next == cur)
                break;
            cur = next;
        }
        return cur;
    }
    return nullptr;
}
