// Creating and destroying windows, with the platform's message sequence:
// creation sends WM_NCCREATE, WM_CREATE, WM_SIZE and WM_MOVE (then WM_SHOWWINDOW for
// WS_VISIBLE); destruction sends WM_DESTROY to the window and then to its children, and
// WM_NCDESTROY to the children before the window itself. Owned pop-ups go first.
#include "Backend.h"
#include "WndInternal.h"

#include <ClassLib/Controls/CommonControls.h>
#include <ClassLib/Controls/InitCommonControls.h>
#include "WndWidget.h"

#include <ClassLib/Core/Debug.h>
#include <ClassLib/Wnd/System.h>

#include <QApplication>

#include <algorithm>

namespace {

QWidget* TopWidgetOf(HWND h)
{
    HWND root = GetAncestor(h, GA_ROOT);
    AfxWindow* r = AfxWindowOf(root);
    return r ? r->widget.data() : nullptr;
}

bool g_nextTopLevelModal = false;

bool UsesDefaultGuiFont(const std::string& className)
{
    static const char* const kControls[] = {
        WC_EDIT,      WC_BUTTON,     WC_STATIC,     WC_COMBOBOX,   WC_LISTBOX,        UPDOWN_CLASS,
        DATETIMEPICK_CLASS, MONTHCAL_CLASS, PROGRESS_CLASS, WC_IPADDRESS, WC_TREEVIEW, WC_LISTVIEW,
        WC_HEADER,    WC_TABCONTROL,
    };
    for (const char* name : kControls)
        if (QString::fromLatin1(className.c_str()).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void SetTopLevelFlags(AfxWindow* w, QWidget* widget)
{
    widget->setWindowFlags(pc::TheBackend().TopLevelFlags(w->style, w->exStyle, w->owner != nullptr));
    if (w->exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE))
        widget->setAttribute(Qt::WA_ShowWithoutActivating, true);
}

}  // namespace

void AfxMarkNextTopLevelModal(bool bModal) { g_nextTopLevelModal = bModal; }

BOOL AfxIsTopLevel(const AfxWindow* w)
{
    return w && !(w->style & WS_CHILD);
}

HWND AfxCreateWindow(CWnd* pWnd, CREATESTRUCT& cs)
{
    AfxEnsureApplication();
    if (!AfxIsUiThread())
        return nullptr;
    std::shared_ptr<AfxWndClassData> cls = AfxFindClass(cs.hInstance, cs.lpszClass ? cs.lpszClass : AFX_WND_CLASS);
    if (!cls) {
        // The standard and common control classes are registered on first use: a window of
        // one of them made before any control object or dialog still finds its class.
        InitCommonControls();
        cls = AfxFindClass(cs.hInstance, cs.lpszClass ? cs.lpszClass : AFX_WND_CLASS);
    }
    if (!cls) {
        TRACE("CreateWindowEx: no window class '%s'\n",
              cs.lpszClass && !IS_INTRESOURCE(cs.lpszClass) ? cs.lpszClass : "#");
        return nullptr;
    }
    DWORD style = (DWORD)cs.style;
    AfxWindow* parent = nullptr;
    if (style & WS_CHILD) {
        parent = AfxWindowOf(cs.hwndParent);
        if (!parent || parent->destroying)
            return nullptr;  // a child window needs a live parent
        if (style & WS_POPUP)
            style &= ~WS_POPUP;
    }
    if (!(style & (WS_CHILD | WS_POPUP)))
        style |= WS_CLIPSIBLINGS | WS_CAPTION;  // overlapped windows always have a caption

    auto data = std::make_unique<AfxWindow>();
    AfxWindow* w = data.get();
    w->cls = cls;
    w->hInstance = cs.hInstance;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = cs.dwExStyle;
    if (style & WS_CHILD) {
        w->id = reinterpret_cast<UINT_PTR>(cs.hMenu);
        w->parent = cs.hwndParent;
    } else {
        w->menu = cs.hMenu;
        // The owner of a top-level window is the top-level ancestor of the one given.
        w->owner = cs.hwndParent ? GetAncestor(cs.hwndParent, GA_ROOT) : nullptr;
        w->modal = g_nextTopLevelModal && w->owner;
        g_nextTopLevelModal = false;
    }
    if (cs.lpszName)
        w->text = cs.lpszName;
    w->proc = pWnd ? &AfxWndProc : cls->wc.lpfnWndProc;

    // Default position and size.
    int x = cs.x, y = cs.y, cx = cs.cx, cy = cs.cy;
    if (!(style & (WS_CHILD | WS_POPUP))) {
        if (x == CW_USEDEFAULT) {
            x = 0;
            y = 0;
        }
        if (cx == CW_USEDEFAULT) {
            cx = 960;
            cy = 768;
        }
    } else {
        if (x == CW_USEDEFAULT)
            x = y = 0;
        if (cx == CW_USEDEFAULT)
            cx = cy = 0;
    }
    w->rect = QRect(x, y, std::max(cx, 0), std::max(cy, 0));
    // Standard scroll bars start with the range 0 to 100.
    for (int bar = 0; bar < 2; ++bar) {
        w->sb[bar].info.nMin = 0;
        w->sb[bar].info.nMax = 100;
    }
    w->sb[SB_VERT].visible = (style & WS_VSCROLL) != 0;
    w->sb[SB_HORZ].visible = (style & WS_HSCROLL) != 0;

    HWND hWnd = AfxAddWindow(std::move(data));
    if (parent)
        parent->children.push_back(hWnd);  // new children go to the bottom of the z-order
    else
        AfxRaiseTopLevel(hWnd);
    if (pWnd) {
        w->pWnd = pWnd;
        pWnd->m_hWnd = hWnd;
        WNDPROC classProc = cls->wc.lpfnWndProc;
        pWnd->m_pfnSuper = (classProc == &DefWindowProc || classProc == &AfxWndProc) ? nullptr : classProc;
    }

    // The widget: a Qt widget of the class's factory, or one showing the backing image.
    QWidget* parentWidget = parent ? parent->widget.data() : (w->owner ? TopWidgetOf(w->owner) : nullptr);
    cs.style = (LONG)style;
    QWidget* widget = nullptr;
    if (cls->factory) {
        widget = cls->factory(cs, parent ? parentWidget : nullptr);
        if (!widget) {
            AfxRemoveWindow(hWnd);
            if (parent)
                parent->children.erase(std::remove(parent->children.begin(), parent->children.end(), hWnd),
                                       parent->children.end());
            if (pWnd)
                pWnd->m_hWnd = nullptr;
            return nullptr;
        }
        if (parent && widget->parentWidget() != parentWidget)
            widget->setParent(parentWidget);
        w->widget = widget;
        AfxInstallBridge(w);
    } else {
        w->custom = AfxCreateCustomWidget(w, parent ? parentWidget : nullptr);
        widget = w->custom;
        w->widget = widget;
    }
    widget->setProperty("afx_hwnd", QVariant::fromValue<qulonglong>((qulonglong)(uintptr_t)hWnd));
    widget->setAttribute(Qt::WA_NoMousePropagation, true);
    if (!parent) {
        SetTopLevelFlags(w, widget);
        if (parentWidget && widget->parentWidget() != parentWidget)
            widget->setParent(parentWidget, widget->windowFlags());
        // A modal dialog: the desktop keeps it above its owner and gives it the focus when
        // the owner is clicked.
        if (w->modal && parentWidget)
            pc::TheBackend().MarkModal(widget);
        widget->setWindowTitle(AfxQString(w->text));
    }
    if (style & WS_DISABLED)
        widget->setEnabled(false);
    widget->hide();
    if (parent) {
        // Keep the widgets' stacking in the z-order: new children below their siblings.
        for (auto it = parent->children.rbegin(); it != parent->children.rend(); ++it) {
            if (*it == hWnd)
                continue;
            if (AfxWindow* sib = AfxWindowOf(*it))
                if (sib->widget) {
                    widget->stackUnder(sib->widget);
                    break;
                }
        }
    }
    AfxSyncWidgetGeometry(w);
    AfxSizeSurface(w);

    // The creation messages. The name they carry is a copy: the window's own text is
    // assigned from it (WM_NCCREATE) and must not pull the buffer from under WM_CREATE.
    const CString strCreateName = w->text;
    cs.lpszName = strCreateName;
    cs.lpszClass = cls->name.c_str();
    cs.x = w->rect.x();
    cs.y = w->rect.y();
    cs.cx = w->rect.width();
    cs.cy = w->rect.height();
    if (!::SendMessage(hWnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(hWnd);
        return nullptr;
    }
    if (!IsWindow(hWnd))
        return nullptr;
    if (::SendMessage(hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hWnd);
        return nullptr;
    }
    if (!IsWindow(hWnd))
        return nullptr;
    if (parent && w->font == nullptr && UsesDefaultGuiFont(cls->name)) {
        // A control made without a font draws with the desktop's GUI font (regular weight),
        // as the platform's controls do; a font given later (a dialog's) replaces it.
        ::SendMessage(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        if (!IsWindow(hWnd))
            return nullptr;
    }
    if (w->menu != nullptr)
        AfxMenuBarChanged(hWnd);
    if (parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
        ::SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, (WORD)w->id), reinterpret_cast<LPARAM>(hWnd));
    if (!IsWindow(hWnd))
        return nullptr;
    QRect client = AfxClientAreaOf(w);
    w->lastClient = client;
    ::SendMessage(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.width(), client.height()));
    if (!IsWindow(hWnd))
        return nullptr;
    ::SendMessage(hWnd, WM_MOVE, 0, MAKELPARAM(w->rect.x() + client.x(), w->rect.y() + client.y()));
    if (!IsWindow(hWnd))
        return nullptr;
    if (style & WS_MAXIMIZE)
        ShowWindow(hWnd, SW_SHOWMAXIMIZED);
    else if (style & WS_VISIBLE)
        ShowWindow(hWnd, (w->exStyle & WS_EX_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    return IsWindow(hWnd) ? hWnd : nullptr;
}

HWND CreateWindowEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpClassName;
    cs.lpszName = lpWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = hMenu;
    cs.hInstance = hInstance;
    cs.lpCreateParams = lpParam;
    return AfxCreateWindow(nullptr, cs);
}

namespace {

void Finalize(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return;
    if (w->parent)
        if (AfxWindow* p = AfxWindowOf(w->parent))
            p->children.erase(std::remove(p->children.begin(), p->children.end(), hWnd), p->children.end());
    // An object that did not detach in WM_NCDESTROY loses the handle now.
    if (w->pWnd && w->pWnd->m_hWnd == hWnd) {
        w->pWnd->m_hWnd = nullptr;
        w->pWnd = nullptr;
    }
    if (w->pTemp) {
        w->pTemp->m_hWnd = nullptr;
        w->pTemp.reset();
    }
    if (w->custom)
        w->custom->Detach();
    if (QWidget* widget = w->widget.data()) {
        widget->setProperty("afx_hwnd", QVariant());
        widget->hide();
        widget->deleteLater();
    }
    w->widget = nullptr;
    w->custom = nullptr;
    w->bars[0] = w->bars[1] = nullptr;
    if (w->surface)
        w->surface->EndPainting();
    AfxRemoveWindow(hWnd);
}

void SendDestroy(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return;
    w->destroying = true;
    AfxKillTimersOf(hWnd);
    AfxCaptureLost(hWnd);
    AfxFocusLost(hWnd);
    ::SendMessage(hWnd, WM_DESTROY, 0, 0);
    w = AfxWindowOf(hWnd);
    if (!w)
        return;
    std::vector<HWND> kids = w->children;
    for (HWND c : kids)
        if (AfxWindowOf(c) && !AfxWindowOf(c)->destroying)
            SendDestroy(c);
}

void SendNcDestroy(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return;
    std::vector<HWND> kids = w->children;
    for (HWND c : kids)
        SendNcDestroy(c);
    // The widget is hidden while the window's procedure still lives: hiding it can call back
    // into that procedure (a combo box closing its list), which WM_NCDESTROY may delete.
    w = AfxWindowOf(hWnd);
    if (w && w->widget)
        w->widget->hide();
    ::SendMessage(hWnd, WM_NCDESTROY, 0, 0);
    Finalize(hWnd);
}

}  // namespace

BOOL DestroyWindow(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || w->destroying)
        return FALSE;
    if (!AfxIsUiThread())
        return FALSE;
    // Owned windows first.
    for (HWND h : AfxTopLevelWindows()) {
        AfxWindow* o = AfxWindowOf(h);
        if (o && o->owner == hWnd && !o->destroying)
            DestroyWindow(h);
    }
    w = AfxWindowOf(hWnd);
    if (!w || w->destroying)
        return FALSE;
    if (w->parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
        ::SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, (WORD)w->id), reinterpret_cast<LPARAM>(hWnd));
    w = AfxWindowOf(hWnd);
    if (!w || w->destroying)
        return FALSE;
    bool wasActive = AfxActiveWindow() == hWnd;
    HWND owner = w->owner;
    if (w->widget)
        w->widget->hide();
    // The parent shows again where a visible child was.
    if ((w->style & WS_VISIBLE) && !AfxIsTopLevel(w))
        if (AfxWindow* p = AfxWindowOf(w->parent))
            AfxInvalidate(p, QRegion(w->rect), true);
    w->style &= ~WS_VISIBLE;
    SendDestroy(hWnd);
    SendNcDestroy(hWnd);
    if (wasActive) {
        // Activation passes to the owner, else to the next visible top-level window.
        HWND next = (owner && IsWindowVisible(owner)) ? owner : nullptr;
        if (!next)
            for (HWND h : AfxTopLevelWindows())
                if (IsWindowVisible(h)) {
                    next = h;
                    break;
                }
        AfxSetActiveInternal(next, false);
    }
    return TRUE;
}

BOOL IsWindow(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    return w != nullptr;
}
