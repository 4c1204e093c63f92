// Input simulation for tests: Qt events built here and sent to the widgets, so they take
// the path real input takes.
#include "WndInternal.h"
#include "WndWidget.h"

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Testing/Input.h>
#include <ClassLib/Wnd/System.h>

#include <QCoreApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QWheelEvent>

#include <cstdlib>

void AfxTestForceKeyState(int nVirtKey, SHORT state, bool bForce);  // Input.cpp

namespace {

Qt::MouseButtons g_buttons = Qt::NoButton;

Qt::KeyboardModifiers ModsOf(UINT n)
{
    Qt::KeyboardModifiers m = Qt::NoModifier;
    if (n & MK_SHIFT)
        m |= Qt::ShiftModifier;
    if (n & MK_CONTROL)
        m |= Qt::ControlModifier;
    if (n & AFX_TEST_ALT)
        m |= Qt::AltModifier;
    return m;
}

Qt::MouseButton ButtonOf(int n)
{
    return n == AFX_TEST_RIGHT ? Qt::RightButton : n == AFX_TEST_MIDDLE ? Qt::MiddleButton : Qt::LeftButton;
}

QPoint ScreenOf(CWnd* pWnd, CPoint pt)
{
    POINT p = pt;
    ::ClientToScreen(pWnd->GetSafeHwnd(), &p);
    return QPoint(p.x, p.y);
}

// The window the event goes to: the capture window, else the one under the point.
HWND TargetOf(CWnd* pWnd, QPoint global)
{
    if (HWND c = GetCapture())
        return c;
    HWND under = WindowFromPoint(POINT{global.x(), global.y()});
    return under ? under : pWnd->GetSafeHwnd();
}

void SendToWidget(HWND target, QEvent* e)
{
    QWidget* w = AfxGetWidget(target);
    if (!w)
        return;
    const QEvent* saved = g_afxSimulatedEvent;
    g_afxSimulatedEvent = e;
    QCoreApplication::sendEvent(w, e);
    g_afxSimulatedEvent = saved;
}

void SendMouse(CWnd* pWnd, QEvent::Type type, CPoint pt, Qt::MouseButton button, UINT nModifiers)
{
    if (!pWnd || !IsWindow(pWnd->GetSafeHwnd()))
        return;
    QPoint global = ScreenOf(pWnd, pt);
    HWND target = TargetOf(pWnd, global);
    RECT wr;
    ::GetWindowRect(target, &wr);
    QPointF local = QPointF(global - QPoint(wr.left, wr.top));
    if (type == QEvent::MouseButtonPress)
        g_buttons |= button;
    else if (type == QEvent::MouseButtonRelease)
        g_buttons &= ~button;
    QMouseEvent ev(type, local, local, QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : button, g_buttons,
                   ModsOf(nModifiers));
    ev.setTimestamp(GetTickCount());
    SendToWidget(target, &ev);
}

HWND KeyTarget(CWnd* pWnd)
{
    HWND f = GetFocus();
    if (f && IsWindow(f))
        return f;
    return pWnd ? pWnd->GetSafeHwnd() : nullptr;
}

void SendKey(CWnd* pWnd, QEvent::Type type, UINT vk, UINT nModifiers, const QString& text)
{
    HWND target = KeyTarget(pWnd);
    if (!target)
        return;
    Qt::KeyboardModifiers mods = ModsOf(nModifiers);
    int key = AfxQtKeyOf(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE)
        mods |= Qt::KeypadModifier;
    QKeyEvent ev(type, key, mods, text);
    ev.setTimestamp(GetTickCount());
    // Keys go where the keyboard's would: to the part inside the window that the window
    // hands its focus to (the field of a date picker).
    QWidget* w = AfxGetWidget(target);
    while (w && w->focusProxy() && w->isAncestorOf(w->focusProxy()))
        w = w->focusProxy();
    if (!w)
        return;
    const QEvent* saved = g_afxSimulatedEvent;
    g_afxSimulatedEvent = &ev;
    QCoreApplication::sendEvent(w, &ev);
    g_afxSimulatedEvent = saved;
}

void ModifierKeys(CWnd* pWnd, UINT nModifiers, bool down)
{
    struct M
    {
        UINT flag;
        UINT vk;
    };
    const M mods[] = {{MK_CONTROL, VK_CONTROL}, {MK_SHIFT, VK_SHIFT}, {AFX_TEST_ALT, VK_MENU}};
    UINT held = down ? 0 : nModifiers;
    for (const M& m : mods) {
        if (!(nModifiers & m.flag))
            continue;
        if (down) {
            held |= m.flag;
            SendKey(pWnd, QEvent::KeyPress, m.vk, held, QString());
        } else {
            held &= ~m.flag;
            SendKey(pWnd, QEvent::KeyRelease, m.vk, held, QString());
        }
    }
}

}  // namespace

void AfxTestMouseMove(CWnd* pWnd, CPoint point, UINT nModifiers)
{
    SendMouse(pWnd, QEvent::MouseMove, point, Qt::NoButton, nModifiers);
}

void AfxTestMouseDown(CWnd* pWnd, CPoint point, int nButton, UINT nModifiers)
{
    SendMouse(pWnd, QEvent::MouseButtonPress, point, ButtonOf(nButton), nModifiers);
}

void AfxTestMouseUp(CWnd* pWnd, CPoint point, int nButton, UINT nModifiers)
{
    SendMouse(pWnd, QEvent::MouseButtonRelease, point, ButtonOf(nButton), nModifiers);
}

namespace {
// A press or release may destroy the window and its object (a button closing its dialog):
// the rest of a gesture is only played while the window still exists.
bool StillThere(HWND hWnd) { return hWnd && IsWindow(hWnd); }
}  // namespace

void AfxTestClick(CWnd* pWnd, CPoint point, int nButton, UINT nModifiers)
{
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    AfxForgetDoubleClick();
    AfxTestMouseDown(pWnd, point, nButton, nModifiers);
    if (StillThere(hWnd))
        AfxTestMouseUp(pWnd, point, nButton, nModifiers);
}

void AfxTestDoubleClick(CWnd* pWnd, CPoint point, int nButton, UINT nModifiers)
{
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    AfxForgetDoubleClick();
    AfxTestMouseDown(pWnd, point, nButton, nModifiers);
    if (StillThere(hWnd))
        AfxTestMouseUp(pWnd, point, nButton, nModifiers);
    if (StillThere(hWnd))
        AfxTestMouseDown(pWnd, point, nButton, nModifiers);
    if (StillThere(hWnd))
        AfxTestMouseUp(pWnd, point, nButton, nModifiers);
}

void AfxTestDrag(CWnd* pWnd, CPoint from, CPoint to, int nSteps, int nButton, UINT nModifiers)
{
    AfxForgetDoubleClick();
    AfxTestMouseDown(pWnd, from, nButton, nModifiers);
    nSteps = std::max(nSteps, 1);
    for (int i = 1; i <= nSteps; ++i) {
        CPoint p(from.x + (to.x - from.x) * i / nSteps, from.y + (to.y - from.y) * i / nSteps);
        AfxTestMouseMove(pWnd, p, nModifiers);
    }
    AfxTestMouseUp(pWnd, to, nButton, nModifiers);
}

void AfxTestWheel(CWnd* pWnd, CPoint point, int nDelta, UINT nModifiers)
{
    if (!pWnd || !IsWindow(pWnd->GetSafeHwnd()))
        return;
    QPoint global = ScreenOf(pWnd, point);
    HWND target = TargetOf(pWnd, global);
    RECT wr;
    ::GetWindowRect(target, &wr);
    QPointF local = QPointF(global - QPoint(wr.left, wr.top));
    QWheelEvent ev(local, QPointF(global), QPoint(), QPoint(0, nDelta), g_buttons, ModsOf(nModifiers),
                   Qt::NoScrollPhase, false);
    ev.setTimestamp(GetTickCount());
    SendToWidget(target, &ev);
}

void AfxTestKeyDown(CWnd* pWnd, UINT nVirtKey, UINT nModifiers)
{
    SendKey(pWnd, QEvent::KeyPress, nVirtKey, nModifiers, AfxKeyText(nVirtKey, ModsOf(nModifiers)));
}

void AfxTestKeyUp(CWnd* pWnd, UINT nVirtKey, UINT nModifiers)
{
    SendKey(pWnd, QEvent::KeyRelease, nVirtKey, nModifiers, AfxKeyText(nVirtKey, ModsOf(nModifiers)));
}

void AfxTestKey(CWnd* pWnd, UINT nVirtKey, UINT nModifiers)
{
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    ModifierKeys(pWnd, nModifiers, true);
    AfxTestKeyDown(pWnd, nVirtKey, nModifiers);
    // The key-down may have destroyed the window and its object (an editor ending on Enter):
    // the rest of the keystroke goes to whatever has the focus, as from a real keyboard.
    if (hWnd && !IsWindow(hWnd))
        pWnd = nullptr;
    AfxTestKeyUp(pWnd, nVirtKey, nModifiers);
    ModifierKeys(pWnd, nModifiers, false);
}

void AfxTestInputMethodCommit(CWnd* pWnd, const char* pszUtf8)
{
    HWND target = KeyTarget(pWnd);
    if (!target || !pszUtf8)
        return;
    QInputMethodEvent ev;
    ev.setCommitString(QString::fromUtf8(pszUtf8));
    SendToWidget(target, &ev);
}

void AfxTestTypeText(CWnd* pWnd, const char* pszUtf8)
{
    if (!pszUtf8)
        return;
    QString text = QString::fromUtf8(pszUtf8);
    for (QChar c : text) {
        ushort u = c.unicode();
        if (u >= 0x20 && u < 0x7F) {
            // The key of a US layout that types the character.
            UINT vk = 0;
            bool shift = false;
            if (u >= 'a' && u <= 'z')
                vk = 'A' + (u - 'a');
            else if (u >= 'A' && u <= 'Z')
                vk = u, shift = true;
            else if (u >= '0' && u <= '9')
                vk = u;
            else if (u == ' ')
                vk = VK_SPACE;
            else {
                static const struct { char c; UINT vk; bool shift; } kPunct[] = {
                    {';', VK_OEM_1, false}, {':', VK_OEM_1, true}, {'=', VK_OEM_PLUS, false}, {'+', VK_OEM_PLUS, true},
                    {',', VK_OEM_COMMA, false}, {'<', VK_OEM_COMMA, true}, {'-', VK_OEM_MINUS, false},
                    {'_', VK_OEM_MINUS, true}, {'.', VK_OEM_PERIOD, false}, {'>', VK_OEM_PERIOD, true},
                    {'/', VK_OEM_2, false}, {'?', VK_OEM_2, true}, {'`', VK_OEM_3, false}, {'~', VK_OEM_3, true},
                    {'[', VK_OEM_4, false}, {'{', VK_OEM_4, true}, {'\\', VK_OEM_5, false}, {'|', VK_OEM_5, true},
                    {']', VK_OEM_6, false}, {'}', VK_OEM_6, true}, {'\'', VK_OEM_7, false}, {'"', VK_OEM_7, true},
                    {'!', '1', true}, {'@', '2', true}, {'#', '3', true}, {'$', '4', true}, {'%', '5', true},
                    {'^', '6', true}, {'&', '7', true}, {'*', '8', true}, {'(', '9', true}, {')', '0', true}};
                for (const auto& p : kPunct)
                    if (p.c == (char)u) {
                        vk = p.vk;
                        shift = p.shift;
                    }
            }
            if (vk) {
                AfxTestKey(pWnd, vk, shift ? MK_SHIFT : 0);
                continue;
            }
        }
        AfxTestInputMethodCommit(pWnd, QString(c).toUtf8().constData());
    }
}

void AfxTestSetCursorPos(CPoint screenPoint) { SetCursorPos(screenPoint.x, screenPoint.y); }

void AfxTestSetKeyState(int nVirtKey, BOOL bDown, BOOL bToggled)
{
    AfxTestForceKeyState(nVirtKey, (SHORT)((bDown ? 0x8000 : 0) | (bToggled ? 1 : 0)), true);
}

void AfxTestClearKeyState(int nVirtKey) { AfxTestForceKeyState(nVirtKey, 0, false); }

void AfxTestFocus(CWnd* pWnd)
{
    if (!pWnd || !IsWindow(pWnd->GetSafeHwnd()))
        return;
    HWND root = GetAncestor(pWnd->GetSafeHwnd(), GA_ROOT);
    AfxSetActiveInternal(root, false);
    ::SetFocus(pWnd->GetSafeHwnd());
}

CString AfxTestOutputPath(LPCTSTR lpszFileName)
{
    const char* dir = std::getenv("PC_TEST_OUTPUT");
    QString folder = dir && *dir ? QString::fromLocal8Bit(dir) : QStringLiteral("test-output");
    QDir().mkpath(folder);
    QString path = QDir(folder).filePath(QString::fromUtf8(lpszFileName ? lpszFileName : "out.png"));
    return CString(path.toLocal8Bit().constData());
}

BOOL AfxTestGrabWindow(CWnd* pWnd, LPCTSTR lpszPath)
{
    if (!pWnd || !lpszPath)
        return FALSE;
    AfxWindow* w = AfxWindowOf(pWnd->GetSafeHwnd());
    if (!w || !w->widget)
        return FALSE;
    AfxUpdateAllWindows();
    QPixmap pm = w->widget->grab();
    return pm.save(QString::fromLocal8Bit(lpszPath), "PNG");
}

void AfxTestForgetDeactivation();  // TestActivation.cpp

void AfxTestResetInput()
{
    AfxTestForgetDeactivation();
    ReleaseCapture();
    ::SetFocus(nullptr);
    AfxSetActiveInternal(nullptr, false);
    AfxResetInputState();
    g_buttons = Qt::NoButton;
    AfxSetCursorPosTracked(QPoint(0, 0));
    AfxResetSysColors();
}
