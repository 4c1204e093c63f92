// Focus, activation, mouse capture, the key state table and the cursor position.
#include "Backend.h"
#include "WndInternal.h"
#include "WndWidget.h"

#include <ClassLib/Wnd/Cursor.h>
#include <ClassLib/Wnd/System.h>

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>
#include <cstring>
#include <map>

void AfxSuppressActivateFocus(bool bSuppress);  // WndMessages.cpp

namespace {

HWND g_focus = nullptr;
HWND g_capture = nullptr;
HWND g_active = nullptr;
bool g_settingQtFocus = false;
BYTE g_keys[256] = {};
std::map<int, SHORT> g_forcedKeys;  // tests
QPoint g_cursorPos(0, 0);
bool g_haveCursorPos = false;
bool g_cursorClipped = false;
RECT g_cursorClip{0, 0, 0, 0};

void GiveQtFocus(HWND h)
{
    AfxWindow* w = AfxWindowOf(h);
    if (!w || !w->widget)
        return;
    g_settingQtFocus = true;
    w->widget->setFocus(Qt::OtherFocusReason);
    g_settingQtFocus = false;
}

}  // namespace

// ---- focus --------------------------------------------------------------------------------------------
HWND GetFocus() { return (g_focus && IsWindow(g_focus)) ? g_focus : nullptr; }

static HWND SetFocusImpl(HWND hWnd, bool fromQt)
{
    if (hWnd && !IsWindow(hWnd))
        return nullptr;
    HWND old = GetFocus();
    if (old == hWnd)
        return old;
    if (hWnd) {
        // Focus in an inactive top-level window activates it first.
        HWND root = GetAncestor(hWnd, GA_ROOT);
        if (root && root != g_active) {
            AfxSuppressActivateFocus(true);
            AfxSetActiveInternal(root, false);
            AfxSuppressActivateFocus(false);
            old = GetFocus();
            if (old == hWnd)
                return old;
        }
    }
    g_focus = hWnd;
    if (old)
        ::SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (g_focus != hWnd)
        return old;  // the handler moved the focus elsewhere
    if (hWnd && IsWindow(hWnd)) {
        if (!fromQt)
            GiveQtFocus(hWnd);
        ::SendMessage(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
    return old;
}

HWND SetFocus(HWND hWnd) { return SetFocusImpl(hWnd, false); }

void AfxQtFocusIn(HWND hWnd)
{
    if (g_settingQtFocus || g_focus == hWnd)
        return;
    SetFocusImpl(hWnd, true);
}

void AfxFocusLost(HWND hWnd)
{
    HWND f = GetFocus();
    if (f && (f == hWnd || IsChild(hWnd, f))) {
        g_focus = nullptr;
        ::SendMessage(f, WM_KILLFOCUS, 0, 0);
    }
}

// ---- activation -------------------------------------------------------------------------------------
HWND AfxActiveWindow() { return (g_active && IsWindow(g_active)) ? g_active : nullptr; }

namespace {

// Makes hWnd's top-level window the active one. The desktop is asked to raise and focus it
// unless the desktop itself just activated it (raising it back would answer each of its
// activation events with another request, a loop that never rests).
void Activate(HWND hWnd, bool bByMouse, bool bAskDesktop)
{
    if (hWnd)
        hWnd = GetAncestor(hWnd, GA_ROOT);
    HWND old = AfxActiveWindow();
    if (old == hWnd)
        return;
    g_active = hWnd;
    if (old) {
        ::SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        ::SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(hWnd));
    }
    if (hWnd && IsWindow(hWnd)) {
        if (bAskDesktop) {
            AfxRaiseTopLevel(hWnd);
            if (AfxWindow* w = AfxWindowOf(hWnd))
                pc::TheBackend().Activate(w->widget);
        }
        ::SendMessage(hWnd, WM_NCACTIVATE, TRUE, 0);
        ::SendMessage(hWnd, WM_ACTIVATE, MAKEWPARAM(bByMouse ? WA_CLICKACTIVE : WA_ACTIVE, IsIconic(hWnd) ? 1 : 0),
                      reinterpret_cast<LPARAM>(old));
    } else if (!hWnd && g_focus) {
        HWND f = g_focus;
        g_focus = nullptr;
        ::SendMessage(f, WM_KILLFOCUS, 0, 0);
    }
}

}  // namespace

// The visible, enabled window a disabled top-level window's modal dialog is: the last one
// of its owned windows, followed down the chain of owners.
HWND AfxEnabledPopupOf(HWND hWnd)
{
    for (int depth = 0; depth < 16; ++depth) {
        HWND next = nullptr;
        for (HWND h : AfxTopLevelWindows()) {
            AfxWindow* o = AfxWindowOf(h);
            if (o && o->owner == hWnd && (o->style & WS_VISIBLE) && !(o->exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE))) {
                next = h;
                break;
            }
        }
        if (!next)
            return nullptr;
        if (IsWindowEnabled(next))
            return next;
        hWnd = next;
    }
    return nullptr;
}

void AfxSetActiveInternal(HWND hWnd, bool bByMouse) { Activate(hWnd, bByMouse, true); }

void AfxDesktopActivated(HWND hWnd)
{
    hWnd = GetAncestor(hWnd, GA_ROOT);
    if (!hWnd || AfxActiveWindow() == hWnd)
        return;
    if (!IsWindowEnabled(hWnd)) {
        // A modal dialog disables the window: the dialog stays (or becomes) the active
        // window, on top of its owner, and the click is answered with a beep.
        if (HWND popup = AfxEnabledPopupOf(hWnd)) {
            if (AfxActiveWindow() != popup) {
                Activate(popup, false, true);
            } else if (AfxWindow* p = AfxWindowOf(popup)) {
                AfxRaiseTopLevel(popup);
                if (p->widget && p->widget->isVisible())
                    p->widget->activateWindow();
            }
            MessageBeep(MB_OK);
        }
        return;
    }
    Activate(hWnd, false, false);
}

HWND GetActiveWindow() { return AfxActiveWindow(); }

HWND SetActiveWindow(HWND hWnd)
{
    HWND old = AfxActiveWindow();
    if (hWnd && !IsWindow(hWnd))
        return nullptr;
    // A window that waits for a modal dialog of its own hands the activation to that
    // dialog, as a click on it does: the dialog keeps the keyboard and stays on top.
    if (HWND root = hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr)
        if (!IsWindowEnabled(root))
            if (HWND hPopup = AfxEnabledPopupOf(root))
                hWnd = hPopup;
    AfxSetActiveInternal(hWnd, false);
    return old;
}

HWND GetForegroundWindow() { return AfxActiveWindow(); }
BOOL SetForegroundWindow(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return FALSE;
    AfxSetActiveInternal(hWnd, false);
    return TRUE;
}

// ---- capture ------------------------------------------------------------------------------------------
HWND GetCapture() { return (g_capture && IsWindow(g_capture)) ? g_capture : nullptr; }

HWND SetCapture(HWND hWnd)
{
    HWND old = GetCapture();
    if (!hWnd || !IsWindow(hWnd))
        return old;
    if (old == hWnd)
        return old;
    g_capture = hWnd;
    if (AfxWindow* ow = AfxWindowOf(old))
        if (ow->widget && QWidget::mouseGrabber() == ow->widget)
            ow->widget->releaseMouse();
    if (AfxWindow* w = AfxWindowOf(hWnd))
        pc::TheBackend().GrabMouse(w->widget);
    if (old)
        ::SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return old;
}

BOOL ReleaseCapture()
{
    HWND old = GetCapture();
    g_capture = nullptr;
    if (!old)
        return TRUE;
    if (AfxWindow* w = AfxWindowOf(old))
        if (w->widget && QWidget::mouseGrabber() == w->widget)
            w->widget->releaseMouse();
    ::SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

void AfxCaptureLost(HWND hWnd)
{
    if (GetCapture() == hWnd)
        ReleaseCapture();
}

// ---- keys ------------------------------------------------------------------------------------------------
void AfxSetKeyDown(int vk, bool down)
{
    if (vk <= 0 || vk > 255)
        return;
    bool was = (g_keys[vk] & 0x80) != 0;
    if (down) {
        if (!was)
            g_keys[vk] ^= 0x01;  // each press toggles
        g_keys[vk] |= 0x80;
    } else {
        g_keys[vk] &= (BYTE)~0x80;
    }
    // The left and right forms follow the generic one.
    if (vk == VK_SHIFT) {
        AfxSetKeyDown(VK_LSHIFT, down);
    } else if (vk == VK_CONTROL) {
        AfxSetKeyDown(VK_LCONTROL, down);
    } else if (vk == VK_MENU) {
        AfxSetKeyDown(VK_LMENU, down);
    }
}

SHORT GetKeyState(int nVirtKey)
{
    auto it = g_forcedKeys.find(nVirtKey);
    if (it != g_forcedKeys.end())
        return it->second;
    if (nVirtKey <= 0 || nVirtKey > 255)
        return 0;
    BYTE k = g_keys[nVirtKey];
    return (SHORT)(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vKey)
{
    return (SHORT)(GetKeyState(vKey) & 0x8000);
}

BOOL GetKeyboardState(LPBYTE lpKeyState)
{
    if (!lpKeyState)
        return FALSE;
    std::memcpy(lpKeyState, g_keys, sizeof(g_keys));
    for (const auto& f : g_forcedKeys)
        if (f.first > 0 && f.first < 256)
            lpKeyState[f.first] = (BYTE)(((f.second & 0x8000) ? 0x80 : 0) | (f.second & 1));
    return TRUE;
}

void AfxTestForceKeyState(int nVirtKey, SHORT state, bool bForce)
{
    if (bForce)
        g_forcedKeys[nVirtKey] = state;
    else
        g_forcedKeys.erase(nVirtKey);
}

void AfxResetInputState()
{
    std::memset(g_keys, 0, sizeof(g_keys));
    g_forcedKeys.clear();
    g_cursorClipped = false;
    AfxForgetDoubleClick();
}

// ---- the cursor position ------------------------------------------------------------------------------------
void AfxSetCursorPosTracked(QPoint global)
{
    if (g_cursorClipped) {
        global.setX(std::clamp<int>(global.x(), g_cursorClip.left, g_cursorClip.right - 1));
        global.setY(std::clamp<int>(global.y(), g_cursorClip.top, g_cursorClip.bottom - 1));
    }
    g_cursorPos = global;
    g_haveCursorPos = true;
}

QPoint AfxTrackedCursorPos()
{
    if (!g_haveCursorPos)
        if (std::optional<QPoint> p = pc::TheBackend().CursorPos())
            return *p;
    return g_cursorPos;
}

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (!lpPoint)
        return FALSE;
    QPoint p = AfxTrackedCursorPos();
    lpPoint->x = p.x();
    lpPoint->y = p.y();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    AfxSetCursorPosTracked(QPoint(x, y));
    pc::TheBackend().MoveCursor(g_cursorPos);
    return TRUE;
}

BOOL ClipCursor(const RECT* lpRect)
{
    if (!lpRect) {
        g_cursorClipped = false;
        return TRUE;
    }
    if (lpRect->right <= lpRect->left || lpRect->bottom <= lpRect->top)
        return FALSE;
    g_cursorClip = *lpRect;
    g_cursorClipped = true;
    AfxSetCursorPosTracked(g_cursorPos);
    return TRUE;
}

BOOL GetClipCursor(LPRECT lpRect)
{
    if (!lpRect)
        return FALSE;
    if (g_cursorClipped)
        *lpRect = g_cursorClip;
    else
        ::SetRect(lpRect, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return TRUE;
}

// ---- relations that depend on the focus and the tree ----------------------------------------------------
BOOL IsChild(HWND hWndParent, HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    while (w && !AfxIsTopLevel(w)) {
        if (w->parent == hWndParent)
            return TRUE;
        w = AfxWindowOf(w->parent);
    }
    return FALSE;
}
