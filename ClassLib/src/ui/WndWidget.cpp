// Qt events become the platform's messages here. Mouse input goes to the capture window,
// else to the window under the pointer, with WM_NCHITTEST, WM_MOUSEACTIVATE and
// WM_SETCURSOR before the button or move message; keys go to the focus window as
// WM_KEYDOWN followed by one WM_CHAR per byte of the character (two for a Chinese
// character, lead byte first), unless PreTranslateMessage swallowed the key.
#include "Backend.h"
#include "WndWidget.h"

#include "CaptionButtons.h"

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/StartTrace.h>
#include <ClassLib/Wnd/Wnd.h>
#include <ClassLib/Wnd/Keys.h>
#include <ClassLib/Wnd/System.h>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include <cstdlib>

bool AfxRunInputMessage(const MSG& msg, LRESULT* pResult, bool* pSwallowed);  // WndMessages.cpp
const QEvent* g_afxSimulatedEvent = nullptr;

namespace {

struct LastDown
{
    HWND hwnd = nullptr;
    int button = -1;
    DWORD time = 0;
    QPoint pos;
    bool valid = false;
} g_lastDown;

DWORD TimeOf(const QInputEvent* e)
{
    // Simulated input carries the settable tick count; real input its own clock.
    if (g_afxSimulatedEvent == e)
        return (DWORD)e->timestamp();
    return (DWORD)e->timestamp();
}

UINT MkFlags(Qt::MouseButtons b, Qt::KeyboardModifiers m)
{
    UINT f = 0;
    if (b & Qt::LeftButton) f |= MK_LBUTTON;
    if (b & Qt::RightButton) f |= MK_RBUTTON;
    if (b & Qt::MiddleButton) f |= MK_MBUTTON;
    if (m & Qt::ShiftModifier) f |= MK_SHIFT;
    if (m & Qt::ControlModifier) f |= MK_CONTROL;
    return f;
}

void SyncModifiers(Qt::KeyboardModifiers m)
{
    AfxSetKeyDown(VK_SHIFT, (m & Qt::ShiftModifier) != 0);
    AfxSetKeyDown(VK_CONTROL, (m & Qt::ControlModifier) != 0);
    AfxSetKeyDown(VK_MENU, (m & Qt::AltModifier) != 0);
}

void SyncButtons(Qt::MouseButtons b)
{
    AfxSetKeyDown(VK_LBUTTON, (b & Qt::LeftButton) != 0);
    AfxSetKeyDown(VK_RBUTTON, (b & Qt::RightButton) != 0);
    AfxSetKeyDown(VK_MBUTTON, (b & Qt::MiddleButton) != 0);
}

bool InsideWindow(const AfxWindow* w, QPoint global)
{
    RECT r;
    GetWindowRect(w->hwnd, &r);
    return global.x() >= r.left && global.x() < r.right && global.y() >= r.top && global.y() < r.bottom;
}

// Returns TRUE when the event was handled and the widget must not see it.
bool DeliverMouse(AfxWindow* receiver, HWND target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                  Qt::KeyboardModifiers mods, QPoint global, DWORD time)
{
    AfxWindow* w = AfxWindowOf(target);
    if (!w)
        return true;
    bool captured = GetCapture() == target;
    int bi = button == Qt::LeftButton ? 0 : button == Qt::RightButton ? 1 : button == Qt::MiddleButton ? 2 : -1;
    bool move = type == QEvent::MouseMove;
    bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (!move && bi < 0)
        return false;
    static const UINT kDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    UINT base = move ? WM_MOUSEMOVE : kDown[bi];
    LPARAM screen = MAKELPARAM(global.x(), global.y());
    LRESULT hit = HTCLIENT;
    if (!captured) {
        hit = ::SendMessage(target, WM_NCHITTEST, 0, screen);
        if (!IsWindow(target))
            return true;
    }
    bool dbl = false;
    if (down) {
        bool classDbl = (w->cls && (w->cls->wc.style & CS_DBLCLKS)) || hit != HTCLIENT;
        int dx = std::abs(global.x() - g_lastDown.pos.x()), dy = std::abs(global.y() - g_lastDown.pos.y());
        if (g_lastDown.valid && g_lastDown.hwnd == target && g_lastDown.button == bi &&
            (DWORD)(time - g_lastDown.time) <= GetDoubleClickTime() && dx <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
            dy <= GetSystemMetrics(SM_CYDOUBLECLK) / 2) {
            dbl = classDbl;
            g_lastDown.valid = false;
        } else {
            g_lastDown = LastDown{target, bi, time, global, true};
        }
    }
    UINT msg = move ? WM_MOUSEMOVE : down ? (dbl ? base + 2 : base) : base + 1;
    if (down && !captured) {
        HWND root = GetAncestor(target, GA_ROOT);
        AfxWindow* rw = AfxWindowOf(root);
        if (rw && root != AfxActiveWindow() && !(rw->exStyle & WS_EX_NOACTIVATE)) {
            LRESULT ma = ::SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root), MAKELPARAM(hit, msg));
            if (!IsWindow(target))
                return true;
            if (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT || ma == 0)
                AfxSetActiveInternal(root, true);
            if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT)
                return true;
        }
    }
    if (!captured) {
        ::SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(hit, msg));
        if (!IsWindow(target))
            return true;
    }
    AfxApplyCursorTo(target);
    MSG m{};
    m.hwnd = target;
    m.time = time;
    m.pt = POINT{global.x(), global.y()};
    if (hit == HTCLIENT || captured) {
        POINT p{global.x(), global.y()};
        ScreenToClient(target, &p);
        m.message = msg;
        m.wParam = MkFlags(buttons, mods);
        m.lParam = MAKELPARAM(p.x, p.y);
    } else {
        m.message = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        m.wParam = (WPARAM)hit;
        m.lParam = screen;
    }
    bool reached = AfxRunInputMessage(m, nullptr, nullptr);
    // A wrapped widget processes its own input when the message got to the default.
    return !(reached && receiver && receiver->hwnd == target && !receiver->custom);
}

// The screen point of real input as the window layer places its windows. A window manager
// may move a window without telling the program (one placed a dialog a caption's height
// off where it was put, and sent no notice): the point the desktop reports then lies
// elsewhere in the program's geometry than the spot under the pointer. The point within
// the receiving widget is exact, so the program's own geometry places it.
QPoint ScreenPointOf(QWidget* receiver, QMouseEvent* me)
{
    if (receiver == nullptr || !me->spontaneous())
        return me->globalPosition().toPoint();
    return receiver->mapToGlobal(me->position().toPoint());
}

bool TranslateMouse(AfxWindow* w, QMouseEvent* me, QWidget* receiver)
{
    QPoint global = ScreenPointOf(receiver, me);
    AfxSetCursorPosTracked(global);
    SyncModifiers(me->modifiers());
    SyncButtons(me->buttons());
    HWND target = GetCapture();
    if (!target) {
        target = w->hwnd;
        if (!InsideWindow(w, global)) {
            HWND under = WindowFromPoint(POINT{global.x(), global.y()});
            if (under)
                target = under;
        }
    }
    QEvent::Type type = me->type() == QEvent::MouseButtonDblClick ? QEvent::MouseButtonPress : me->type();
    return DeliverMouse(w, target, type, me->button(), me->buttons(), me->modifiers(), global, TimeOf(me));
}

bool TranslateWheel(AfxWindow* w, QWheelEvent* we)
{
    QPoint global = we->globalPosition().toPoint();
    AfxSetCursorPosTracked(global);
    SyncModifiers(we->modifiers());
    int delta = we->angleDelta().y();
    if (delta == 0)
        return true;
    // The wheel turns the focus window's contents, as on the platform.
    HWND target = GetFocus();
    if (!target || !IsWindowEnabled(target))
        target = w->hwnd;
    MSG m{};
    m.hwnd = target;
    m.message = WM_MOUSEWHEEL;
    m.wParam = MAKEWPARAM(MkFlags(we->buttons(), we->modifiers()), (WORD)(short)delta);
    m.lParam = MAKELPARAM(global.x(), global.y());
    m.time = TimeOf(we);
    m.pt = POINT{global.x(), global.y()};
    bool reached = AfxRunInputMessage(m, nullptr, nullptr);
    return !(reached && !w->custom && target == w->hwnd);
}

bool IsExtendedKey(int qtKey, Qt::KeyboardModifiers mods)
{
    if (mods & Qt::KeypadModifier)
        return qtKey == Qt::Key_Enter || qtKey == Qt::Key_Slash;
    switch (qtKey) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
    case Qt::Key_Delete: return true;
    default: return false;
    }
}

// One WM_CHAR (or WM_SYSCHAR) per byte of each character, lead byte first. The bytes go
// where the focus is when each is sent: a window that hands the focus on while handling a
// byte (a grid opening its editor on a lead byte) must not get the rest of the character
// again, the window that now has the focus gets it whole. The Qt event belongs to the first
// window's widget, so a window the focus moved to gets its bytes as sent messages, which
// its procedure handles itself.
bool SendChars(HWND target, const QString& text, bool sys, LPARAM lParam, DWORD time, bool* pAllDefault)
{
    bool all = true;
    const HWND first = target;
    const bool followFocus = target == GetFocus();
    for (int i = 0; i < text.size(); ++i) {
        QString one = text.mid(i, text[i].isHighSurrogate() ? 2 : 1);
        if (text[i].isHighSurrogate())
            ++i;
        std::string bytes = Cp936FromUtf16(reinterpret_cast<const char16_t*>(one.utf16()), (size_t)one.size());
        for (unsigned char b : bytes) {
            if (followFocus) {
                HWND focus = GetFocus();
                if (focus && IsWindow(focus))
                    target = focus;
            }
            if (!IsWindow(target))
                return false;
            if (target != first) {
                ::SendMessage(target, sys ? WM_SYSCHAR : WM_CHAR, b, lParam);
                all = false;
                continue;
            }
            MSG m{};
            m.hwnd = target;
            m.message = sys ? WM_SYSCHAR : WM_CHAR;
            m.wParam = b;
            m.lParam = lParam;
            m.time = time;
            QPoint c = AfxTrackedCursorPos();
            m.pt = POINT{c.x(), c.y()};
            all &= AfxRunInputMessage(m, nullptr, nullptr);
        }
    }
    *pAllDefault = all;
    return true;
}

// The key event translated last: the toolkit hands a key that a widget ignored on to the
// widget's parents, and that copy must not become a second keystroke.
struct KeyInFlight
{
    const QEvent* event = nullptr;
    QPointer<QWidget> widget;
    QEvent::Type type = QEvent::None;
    int key = 0;
    quint64 timestamp = 0;
} g_keyInFlight;

// The keystroke being translated, for TranslateMessage called on its WM_KEYDOWN.
struct KeyContext
{
    HWND target = nullptr;
    UINT vk = 0;
    QString text;
    bool sys = false;
    bool translated = false;
};
thread_local KeyContext* t_keyContext = nullptr;

bool TranslateKey(AfxWindow* w, QKeyEvent* ke)
{
    QWidget* receiver = w->widget.data();
    if (g_keyInFlight.event == ke && g_keyInFlight.type == ke->type() && g_keyInFlight.key == ke->key() &&
        g_keyInFlight.timestamp == ke->timestamp() && g_keyInFlight.widget && receiver &&
        receiver != g_keyInFlight.widget.data() && receiver->isAncestorOf(g_keyInFlight.widget.data()))
        return true;
    g_keyInFlight.event = ke;
    g_keyInFlight.widget = receiver;
    g_keyInFlight.type = ke->type();
    g_keyInFlight.key = ke->key();
    g_keyInFlight.timestamp = ke->timestamp();
    bool press = ke->type() == QEvent::KeyPress;
    HWND target = GetFocus();
    if (!target || !IsWindow(target))
        target = w->hwnd;
    Qt::KeyboardModifiers mods = ke->modifiers();
    UINT vk = AfxVirtualKeyOf(ke->key(), mods, ke->nativeScanCode());
    SyncModifiers(mods);
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU)
        AfxSetKeyDown(vk, press);
    else if (vk)
        AfxSetKeyDown(vk, press);
    bool alt = (mods & Qt::AltModifier) && !(mods & Qt::ControlModifier);
    bool sys = alt || vk == VK_F10 || (vk == VK_MENU);
    UINT scan = ke->nativeScanCode() > 8 ? (ke->nativeScanCode() - 8) & 0xFF : 0;
    LPARAM lParam = 1 | ((LPARAM)scan << 16);
    if (IsExtendedKey(ke->key(), mods))
        lParam |= (LPARAM)1 << 24;
    if (alt)
        lParam |= (LPARAM)1 << 29;
    if (press) {
        if (ke->isAutoRepeat())
            lParam |= (LPARAM)1 << 30;
    } else {
        lParam |= ((LPARAM)1 << 30) | ((LPARAM)1u << 31);
    }
    lParam &= 0xFFFFFFFF;
    DWORD time = TimeOf(ke);
    bool reached = true;
    bool swallowed = false;
    KeyContext context;
    context.target = target;
    context.vk = vk;
    context.sys = sys;
    if (press) {
        context.text = ke->text();
        if (vk == VK_DELETE || (!context.text.isEmpty() && context.text[0].unicode() == 127 && vk != VK_BACK))
            context.text.clear();
        if (context.text.isEmpty() && vk && (mods & Qt::ControlModifier))
            context.text = AfxKeyText(vk, mods);
        if (vk == VK_TAB && context.text.isEmpty())
            context.text = QString(QChar(9));  // Shift+Tab is a tab character too
    }
    if (vk) {
        MSG m{};
        m.hwnd = target;
        m.message = press ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
        m.wParam = vk;
        m.lParam = lParam;
        m.time = time;
        QPoint c = AfxTrackedCursorPos();
        m.pt = POINT{c.x(), c.y()};
        KeyContext* saved = t_keyContext;
        t_keyContext = &context;
        reached = AfxRunInputMessage(m, nullptr, &swallowed);
        t_keyContext = saved;
    }
    // The characters of the key, unless PreTranslateMessage swallowed it without calling
    // TranslateMessage for it.
    if (press && (!swallowed || context.translated) && IsWindow(target)) {
        bool all = true;
        if (!context.text.isEmpty())
            SendChars(target, context.text, sys, lParam, time, &all);
        reached = reached && all;
    }
    // Tab is the class library's: its dialog handling moves the focus (WM_GETDLGCODE), the
    // toolkit's focus chain never does.
    if (vk == VK_TAB)
        return true;
    // Alt with a character key is a mnemonic or the menu's (WM_SYSCHAR), never text: an
    // edit field's widget must not type it.
    if (alt && press && !context.text.isEmpty() && context.text[0].isPrint())
        return true;
    return !(reached && !w->custom && target == w->hwnd);
}

bool TranslateInputMethod(AfxWindow* w, QInputMethodEvent* ie)
{
    if (ie->commitString().isEmpty())
        return true;
    HWND target = GetFocus();
    if (!target || !IsWindow(target))
        target = w->hwnd;
    bool all = true;
    SendChars(target, ie->commitString(), false, 1, GetTickCount(), &all);
    return !(all && !w->custom && target == w->hwnd);
}

}  // namespace

void AfxForgetDoubleClick() { g_lastDown.valid = false; }

void AfxPassButtonDown(HWND hFrom, HWND hTo)
{
    if (g_lastDown.valid && hFrom && g_lastDown.hwnd == hFrom && IsWindow(hTo))
        g_lastDown.hwnd = hTo;
}

BOOL AfxTranslateKeyMessage(const MSG* pMsg)
{
    if (pMsg == nullptr || (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN) || !IsWindow(pMsg->hwnd))
        return FALSE;
    const UINT vk = static_cast<UINT>(pMsg->wParam);
    QString text;
    bool sys = pMsg->message == WM_SYSKEYDOWN;
    if (t_keyContext != nullptr && t_keyContext->vk == vk && t_keyContext->target == pMsg->hwnd) {
        // The keystroke being delivered: its characters follow its key-down message as
        // soon as PreTranslateMessage returns, as the posted ones would, and reach the
        // widget the way a person's characters do (they are typed once).
        const bool had = !t_keyContext->text.isEmpty();
        t_keyContext->translated = true;
        return had ? TRUE : FALSE;
    } else {
        Qt::KeyboardModifiers mods;
        if (GetKeyState(VK_SHIFT) < 0)
            mods |= Qt::ShiftModifier;
        if (GetKeyState(VK_CONTROL) < 0)
            mods |= Qt::ControlModifier;
        text = AfxKeyText(vk, mods);
        if (vk == VK_TAB)
            text = QString(QChar(9));
    }
    if (text.isEmpty())
        return FALSE;
    // One character message per byte, lead byte first, posted as the platform does.
    for (int i = 0; i < text.size(); ++i) {
        QString one = text.mid(i, text[i].isHighSurrogate() ? 2 : 1);
        if (text[i].isHighSurrogate())
            ++i;
        std::string bytes = Cp936FromUtf16(reinterpret_cast<const char16_t*>(one.utf16()), (size_t)one.size());
        for (unsigned char b : bytes)
            ::PostMessage(pMsg->hwnd, sys ? WM_SYSCHAR : WM_CHAR, b, pMsg->lParam);
    }
    return TRUE;
}

bool AfxTranslateInput(AfxWindow* w, QEvent* e, QWidget* receiver)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return TranslateMouse(w, static_cast<QMouseEvent*>(e), receiver);
    case QEvent::Wheel:
        return TranslateWheel(w, static_cast<QWheelEvent*>(e));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return TranslateKey(w, static_cast<QKeyEvent*>(e));
    case QEvent::InputMethod:
        return TranslateInputMethod(w, static_cast<QInputMethodEvent*>(e));
    default: return false;
    }
}

// ---- the widget of a self-drawn window -------------------------------------------------------------
AfxWndWidget::AfxWndWidget(HWND hWnd, QWidget* parent) : QWidget(parent), m_hWnd(hWnd)
{
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setAttribute(Qt::WA_NoSystemBackground, true);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setAttribute(Qt::WA_KeyCompression, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

AfxWndWidget* AfxCreateCustomWidget(AfxWindow* w, QWidget* parentWidget)
{
    return new AfxWndWidget(w->hwnd, parentWidget);
}

bool AfxWndWidget::event(QEvent* e)
{
    AfxWindow* w = AfxWindowOf(m_hWnd);
    if (!w)
        return QWidget::event(e);
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::InputMethod:
        AfxTranslateInput(w, e, this);
        e->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // A key a child widget passed up is not this window's.
        if (g_afxSimulatedEvent != e && window()->focusWidget() && window()->focusWidget() != this) {
            e->ignore();
            return false;
        }
        AfxTranslateInput(w, e);
        e->accept();
        return true;
    case QEvent::ShortcutOverride: {
        // Alt with a letter opens the menu of a window that has a menu bar, as the
        // platform's default processing of the system key does; every other key is the
        // window's own.
        const auto* ke = static_cast<QKeyEvent*>(e);
        const Qt::KeyboardModifiers mods = ke->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::AltModifier && ke->key() >= Qt::Key_A && ke->key() <= Qt::Key_Z) {
            HWND root = GetAncestor(m_hWnd, GA_ROOT);
            AfxWindow* rw = AfxWindowOf(root);
            if (rw && rw->menu != nullptr && IsWindowEnabled(root)) {
                e->ignore();
                return false;
            }
        }
        e->accept();
        return true;
    }
    case QEvent::ContextMenu:
        e->accept();  // WM_CONTEXTMENU comes from the right-button release
        return true;
    case QEvent::FocusIn:
        if (static_cast<QFocusEvent*>(e)->reason() != Qt::OtherFocusReason)
            AfxQtFocusIn(m_hWnd);
        return true;
    case QEvent::FocusOut:
        return true;
    case QEvent::WindowActivate:
        // Activation is this layer's own; only the desktop's (a click on another
        // program's window and back) is taken over, never for windows that must not
        // take activation.
        if (isWindow() && AfxActiveWindow() != m_hWnd && !(w->exStyle & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW)) &&
            (w->style & WS_VISIBLE))
            pc::TheBackend().WindowActivated(m_hWnd);
        return true;
    case QEvent::WindowStateChange:
        // The desktop's maximise and restore buttons.
        if (isWindow())
            pc::TheBackend().WindowStateChanged(m_hWnd, windowState());
        return QWidget::event(e);
    default: return QWidget::event(e);
    }
}

void AfxWndWidget::paintEvent(QPaintEvent* e)
{
    AfxWindow* w = AfxWindowOf(m_hWnd);
    if (!w)
        return;
    AfxDispatchPaint(w);
    w = AfxWindowOf(m_hWnd);
    if (!w)
        return;
    AfxEnsureSurface(w);
    QRect client = AfxClientAreaOf(w);
    // What is shown of the image is filled first, if nothing has drawn there yet.
    AfxFillSurface(w, e->region().translated(-client.topLeft()));
    w->surface->EndPainting();
    QPainter p(this);
    p.setClipRegion(e->region());
    QRect all(0, 0, w->rect.width(), w->rect.height());
    // Non-client parts: frame, edges, caption, the corner between scroll bars.
    if (client != all) {
        for (const QRect& nc : QRegion(all) - QRegion(client))
            p.fillRect(nc, AfxQColor(GetSysColor(COLOR_3DFACE)));
        QRect r = all;
        auto ring = [&](COLORREF tl, COLORREF br) {
            if (r.width() <= 0 || r.height() <= 0)
                return;
            p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), AfxQColor(tl));
            p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), AfxQColor(tl));
            p.fillRect(QRect(r.right(), r.top(), 1, r.height()), AfxQColor(br));
            p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), AfxQColor(br));
            r.adjust(1, 1, -1, -1);
        };
        bool top = AfxIsTopLevel(w);
        bool caption = (w->style & WS_CAPTION) == WS_CAPTION;
        if (!(top && caption)) {
            if (w->style & (WS_THICKFRAME | WS_DLGFRAME)) {
                ring(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
                ring(GetSysColor(COLOR_3DHILIGHT), GetSysColor(COLOR_3DSHADOW));
                int extra = (w->style & WS_THICKFRAME) ? 2 : 1;
                r.adjust(extra, extra, -extra, -extra);
            } else if (w->style & WS_BORDER) {
                ring(GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
            }
            if (caption) {
                AfxPaintCaption(p, w, w->ncActive);
                r.setTop(r.top() + GetSystemMetrics(SM_CYCAPTION));
            }
        }
        if (w->exStyle & WS_EX_CLIENTEDGE) {
            ring(GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT));
            ring(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
        }
        if (w->exStyle & WS_EX_STATICEDGE)
            ring(GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT));
        if (w->sb[SB_VERT].visible && w->sb[SB_HORZ].visible)
            p.fillRect(QRect(client.right() + 1, client.bottom() + 1, GetSystemMetrics(SM_CXVSCROLL),
                             GetSystemMetrics(SM_CYHSCROLL)),
                       AfxQColor(GetSysColor(COLOR_3DFACE)));
    }
    // The image may have more pixels than the client area has logical ones (a scaled screen):
    // its own ratio maps them back.
    const QImage& picture = w->surface->image();
    const qreal ratio = picture.devicePixelRatio();
    p.drawImage(client.topLeft(), picture,
                QRect(QPoint(0, 0), (QSizeF(client.size()) * ratio).toSize()));
    // A traced start notes the main window's first paint: it starts here, and its children
    // paint in the same pass, which has ended when a call queued now runs.
    if (AfxStartTraceWanted() && !AfxStartMarked("paint-start") && isWindow())
        if (CWnd* pMain = AfxGetMainWnd())
            if (pMain->GetSafeHwnd() == m_hWnd) {
                AfxStartMark("paint-start");
                QMetaObject::invokeMethod(QCoreApplication::instance(), [] { AfxStartMark("painted"); },
                                          Qt::QueuedConnection);
            }
}

void AfxWndWidget::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    AfxWindow* w = AfxWindowOf(m_hWnd);
    if (!w || AfxSyncingGeometry() || !isWindow())
        return;
    QRect g = geometry();
    if (g.size() != w->rect.size())
        SetWindowPos(m_hWnd, nullptr, g.x(), g.y(), g.width(), g.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void AfxWndWidget::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    AfxWindow* w = AfxWindowOf(m_hWnd);
    if (!w || AfxSyncingGeometry() || !isWindow())
        return;
    QRect g = geometry();
    if (g.topLeft() != w->rect.topLeft())
        SetWindowPos(m_hWnd, nullptr, g.x(), g.y(), 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void AfxWndWidget::closeEvent(QCloseEvent* e)
{
    // The window decides through WM_CLOSE (DefWindowProc destroys it).
    e->ignore();
    if (AfxWindowOf(m_hWnd))
        ::SendMessage(m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

QVariant AfxWndWidget::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: {
        AfxWindow* w = AfxWindowOf(m_hWnd);
        QPoint o = w ? AfxClientAreaOf(w).topLeft() : QPoint();
        return QRect(o, QSize(1, 16));
    }
    default: return QWidget::inputMethodQuery(query);
    }
}

// ---- wrapped widgets ----------------------------------------------------------------------------------
bool AfxEventBridge::eventFilter(QObject* watched, QEvent* e)
{
    AfxWindow* w = AfxWindowOf(m_hWnd);
    if (!w)
        return false;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
        return AfxTranslateInput(w, e, qobject_cast<QWidget*>(watched));
    case QEvent::FocusIn:
        if (static_cast<QFocusEvent*>(e)->reason() != Qt::OtherFocusReason)
            AfxQtFocusIn(m_hWnd);
        return false;
    case QEvent::Close:
        if (watched == w->widget.data() && w->widget->isWindow()) {
            e->ignore();
            ::SendMessage(m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        }
        return false;
    default: return false;
    }
}

void AfxInstallBridge(AfxWindow* w)
{
    if (!w->widget)
        return;
    w->widget->setMouseTracking(true);
    w->widget->installEventFilter(new AfxEventBridge(w->hwnd, w->widget));
}

void AfxBridgeWidgetInput(HWND hWnd, QWidget* pChild)
{
    if (pChild && AfxWindowOf(hWnd))
        pChild->installEventFilter(new AfxEventBridge(hWnd, pChild));
}
