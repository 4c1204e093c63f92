// Window relations, data, text, enabling, properties and menu handles.
#include "WndInternal.h"

#include <ClassLib/Core/MessageBox.h>

#include <QString>

#include <cstring>

HWND GetParent(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return nullptr;
    return (w->style & WS_CHILD) ? w->parent : ((w->style & WS_POPUP) ? w->owner : nullptr);
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent)
{
    AfxWindow* w = AfxWindowOf(hWndChild);
    if (!w || (hWndNewParent && !IsWindow(hWndNewParent)) || hWndChild == hWndNewParent ||
        (hWndNewParent && IsChild(hWndChild, hWndNewParent)))
        return nullptr;
    HWND old = (w->style & WS_CHILD) ? w->parent : nullptr;
    if (AfxWindow* op = AfxWindowOf(w->parent)) {
        op->children.erase(std::remove(op->children.begin(), op->children.end(), hWndChild), op->children.end());
        // The old parent shows again where the child was.
        if ((w->style & WS_VISIBLE) && (w->style & WS_CHILD))
            AfxInvalidate(op, QRegion(w->rect), true);
    }
    AfxWindow* np = AfxWindowOf(hWndNewParent);
    if (np && (w->style & WS_CHILD)) {
        w->parent = hWndNewParent;
        np->children.insert(np->children.begin(), hWndChild);
        if (w->widget && np->widget) {
            bool visible = (w->style & WS_VISIBLE) != 0;
            w->widget->setParent(np->widget);
            w->widget->setVisible(visible);
            w->widget->raise();
        }
    } else {
        w->parent = nullptr;
    }
    AfxSyncWidgetGeometry(w);
    return old;
}

HWND GetAncestor(HWND hWnd, UINT gaFlags)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT: return (w->style & WS_CHILD) ? w->parent : nullptr;
    case GA_ROOT: {
        while (w && (w->style & WS_CHILD) && AfxWindowOf(w->parent))
            w = AfxWindowOf(w->parent);
        return w ? w->hwnd : nullptr;
    }
    case GA_ROOTOWNER: {
        HWND h = GetAncestor(hWnd, GA_ROOT);
        for (AfxWindow* r = AfxWindowOf(h); r && r->owner && AfxWindowOf(r->owner);)
            r = AfxWindowOf(h = GetAncestor(r->owner, GA_ROOT));
        return h;
    }
    default: return nullptr;
    }
}

HWND GetWindow(HWND hWnd, UINT uCmd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return nullptr;
    if (uCmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    if (uCmd == GW_OWNER)
        return (w->style & WS_CHILD) ? nullptr : w->owner;
    if (uCmd == GW_ENABLEDPOPUP) {
        for (HWND h : AfxTopLevelWindows()) {
            AfxWindow* o = AfxWindowOf(h);
            if (o && o->owner == hWnd && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED))
                return h;
        }
        return nullptr;
    }
    std::vector<HWND> sibs;
    if (w->style & WS_CHILD) {
        if (AfxWindow* p = AfxWindowOf(w->parent))
            sibs = p->children;
    } else {
        sibs = AfxTopLevelWindows();
    }
    auto it = std::find(sibs.begin(), sibs.end(), hWnd);
    switch (uCmd) {
    case GW_HWNDFIRST: return sibs.empty() ? nullptr : sibs.front();
    case GW_HWNDLAST: return sibs.empty() ? nullptr : sibs.back();
    case GW_HWNDNEXT: return (it == sibs.end() || it + 1 == sibs.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == sibs.end() || it == sibs.begin()) ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hWnd)
{
    if (!hWnd) {
        std::vector<HWND> tops = AfxTopLevelWindows();
        return tops.empty() ? nullptr : tops.front();
    }
    return GetWindow(hWnd, GW_CHILD);
}

HWND GetNextWindow(HWND hWnd, UINT wCmd) { return GetWindow(hWnd, wCmd); }

HWND GetDesktopWindow()
{
    // The desktop is not a window of this program; NULL stands for it.
    return nullptr;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    AfxWindow* w = AfxWindowOf(hDlg);
    if (!w)
        return nullptr;
    for (HWND c : w->children)
        if (AfxWindow* cw = AfxWindowOf(c))
            if ((int)cw->id == nIDDlgItem || (UINT)cw->id == (UINT)(WORD)nIDDlgItem)
                return c;
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    return (w && (w->style & WS_CHILD)) ? (int)w->id : 0;
}

HWND FindWindow(LPCTSTR lpClassName, LPCTSTR lpWindowName)
{
    for (HWND h : AfxTopLevelWindows()) {
        AfxWindow* w = AfxWindowOf(h);
        if (!w)
            continue;
        if (lpClassName && w->cls &&
            QString::fromLatin1(w->cls->name.c_str()).compare(QString::fromLatin1(lpClassName), Qt::CaseInsensitive) != 0)
            continue;
        if (lpWindowName && w->text != lpWindowName)
            continue;
        return h;
    }
    return nullptr;
}

HWND GetLastActivePopup(HWND hWnd)
{
    HWND active = AfxActiveWindow();
    AfxWindow* a = AfxWindowOf(active);
    if (a && a->owner == hWnd)
        return active;
    return hWnd;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
    if (bEnable == !wasDisabled)
        return wasDisabled;
    if (bEnable)
        w->style &= ~WS_DISABLED;
    else
        w->style |= WS_DISABLED;
    if (w->widget)
        w->widget->setEnabled(bEnable != FALSE);
    if (!bEnable) {
        // A disabled window takes no input, nor do its children: a capture one of them
        // holds (a hot-tracking button opening a modal dialog) would keep every click from
        // the dialog.
        const HWND hCapture = GetCapture();
        if (hCapture != nullptr && (hCapture == hWnd || IsChild(hWnd, hCapture)))
            ReleaseCapture();
        HWND f = GetFocus();
        if (f == hWnd)
            ::SetFocus(nullptr);
    }
    ::SendMessage(hWnd, WM_ENABLE, bEnable, 0);
    if (AfxWindow* again = AfxWindowOf(hWnd))
        AfxUpdateScrollWidgets(again);
    return wasDisabled;
}

LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return 0;
    switch (nIndex) {
    case GWL_STYLE: return (LONG_PTR)(LONG)w->style;
    case GWL_EXSTYLE: return (LONG_PTR)(LONG)w->exStyle;
    case GWL_ID: return (LONG_PTR)w->id;
    case GWL_USERDATA: return w->userData;
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->hInstance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(GetParent(hWnd));
    case DWL_MSGRESULT: return w->msgResult;
    default: return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return 0;
    LONG_PTR old = GetWindowLongPtr(hWnd, nIndex);
    switch (nIndex) {
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        STYLESTRUCT ss{nIndex == GWL_STYLE ? w->style : w->exStyle, (DWORD)dwNewLong};
        ::SendMessage(hWnd, WM_STYLECHANGING, (WPARAM)nIndex, reinterpret_cast<LPARAM>(&ss));
        if (!(w = AfxWindowOf(hWnd)))
            return old;
        DWORD visible = w->style & WS_VISIBLE;
        if (nIndex == GWL_STYLE) {
            w->style = (ss.styleNew & ~WS_VISIBLE) | visible;
            w->sb[SB_VERT].visible = (w->style & WS_VSCROLL) != 0;
            w->sb[SB_HORZ].visible = (w->style & WS_HSCROLL) != 0;
            if (w->widget)
                w->widget->setEnabled(!(w->style & WS_DISABLED));
        } else {
            w->exStyle = ss.styleNew;
        }
        ::SendMessage(hWnd, WM_STYLECHANGED, (WPARAM)nIndex, reinterpret_cast<LPARAM>(&ss));
        break;
    }
    case GWL_ID: w->id = (UINT_PTR)dwNewLong; break;
    case GWL_USERDATA: w->userData = dwNewLong; break;
    case GWL_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(dwNewLong); break;
    case GWL_HWNDPARENT:
        if (!(w->style & WS_CHILD))
            w->owner = reinterpret_cast<HWND>(dwNewLong);
        break;
    case DWL_MSGRESULT: w->msgResult = dwNewLong; break;
    default: return 0;
    }
    return old;
}

LONG GetWindowLong(HWND hWnd, int nIndex) { return (LONG)GetWindowLongPtr(hWnd, nIndex); }
LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong) { return (LONG)SetWindowLongPtr(hWnd, nIndex, dwNewLong); }

BOOL SetProp(HWND hWnd, LPCTSTR lpString, HANDLE hData)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !lpString)
        return FALSE;
    std::string key = IS_INTRESOURCE(lpString) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(lpString)) : lpString;
    w->props[key] = hData;
    return TRUE;
}

HANDLE GetProp(HWND hWnd, LPCTSTR lpString)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !lpString)
        return nullptr;
    std::string key = IS_INTRESOURCE(lpString) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(lpString)) : lpString;
    auto it = w->props.find(key);
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hWnd, LPCTSTR lpString)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !lpString)
        return nullptr;
    std::string key = IS_INTRESOURCE(lpString) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(lpString)) : lpString;
    auto it = w->props.find(key);
    if (it == w->props.end())
        return nullptr;
    HANDLE h = it->second;
    w->props.erase(it);
    return h;
}

int GetWindowText(HWND hWnd, LPTSTR lpString, int nMaxCount)
{
    return (int)::SendMessage(hWnd, WM_GETTEXT, (WPARAM)nMaxCount, reinterpret_cast<LPARAM>(lpString));
}

BOOL SetWindowText(HWND hWnd, LPCTSTR lpString)
{
    if (!IsWindow(hWnd))
        return FALSE;
    return (BOOL)::SendMessage(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString));
}

int GetWindowTextLength(HWND hWnd) { return (int)::SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0); }

BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCTSTR lpString)
{
    HWND h = GetDlgItem(hDlg, nIDDlgItem);
    return h ? SetWindowText(h, lpString) : FALSE;
}

UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPTSTR lpString, int nMaxCount)
{
    HWND h = GetDlgItem(hDlg, nIDDlgItem);
    if (!h) {
        if (lpString && nMaxCount > 0)
            lpString[0] = 0;
        return 0;
    }
    return (UINT)GetWindowText(h, lpString, nMaxCount);
}

HMENU GetMenu(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    return (w && !(w->style & WS_CHILD)) ? w->menu : nullptr;
}

BOOL SetMenu(HWND hWnd, HMENU hMenu)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || (w->style & WS_CHILD))
        return FALSE;
    const bool bHadMenu = w->menu != nullptr;
    w->menu = hMenu;
    AfxMenuBarChanged(hWnd);
    // The client area grows or shrinks by the menu's band.
    if (bHadMenu != (hMenu != nullptr))
        AfxFrameChanged(w);
    return TRUE;
}

int MessageBox(HWND hWnd, LPCTSTR lpText, LPCTSTR lpCaption, UINT uType)
{
    (void)hWnd;
    extern int AfxShowMessageBox(LPCTSTR text, LPCTSTR caption, UINT type);
    return AfxShowMessageBox(lpText, lpCaption, uType);
}
