// What the window layer promises on either platform back end: a disabled owner hands
// activation to its modal dialog, the window state follows both the program and the window
// manager, and a raised window is the one shown on top. On a desktop the manager answers
// asynchronously, so each check waits (in the back end's event wait) for its state.
#include <ClassLib/Testing.h>

#include "WndTestUtil.h"

#include "../src/ui/Backend.h"
#include "../src/ui/WndInternal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

// Delivers events until the condition holds, at most five seconds.
bool WaitUntil(const std::function<bool()>& done)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        AfxPumpMessages();
        if (done())
            return true;
        const qint64 left = 5000 - t.elapsed();
        if (left <= 0)
            return false;
        pc::TheBackend().WaitForEvents(static_cast<int>(std::min<qint64>(left, 50)));
    }
}

QWidget* WidgetOf(CWnd& wnd) { return AfxGetWidget(wnd.GetSafeHwnd()); }

bool HasToolkitFocus(CWnd& wnd)
{
    QWidget* w = WidgetOf(wnd);
    return w && w->windowHandle() && QGuiApplication::focusWindow() == w->windowHandle();
}

// The desktop has mapped the window (the headless platform exposes it at once).
bool IsShown(CWnd& wnd)
{
    QWidget* w = WidgetOf(wnd);
    return w && w->windowHandle() && w->windowHandle()->isExposed();
}

const DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

class DesktopConformance : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        // The run on a window manager says so; the back end must be the desktop's there.
        m_desktopRun = std::getenv("PC_DESKTOP_RUN") != nullptr;
    }
    bool m_desktopRun = false;
};

TEST_F(DesktopConformance, TheBackEndIsTheOneOfThePlatform)
{
    EXPECT_EQ(m_desktopRun, pc::TheBackend().IsDesktop());
    EXPECT_FALSE(pc::TheBackend().CanAskPerson());  // a test harness runs
}

TEST_F(DesktopConformance, AnOwnerDisabledByItsDialogHandsActivationToTheDialog)
{
    CLogWnd owner, dialog;
    ASSERT_TRUE(owner.CreateEx(0, AFX_WND_CLASS, "owner", kFrameStyle, 40, 40, 500, 400, nullptr, nullptr));
    ASSERT_TRUE(dialog.CreateEx(0, AFX_WND_CLASS, "dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 120, 120,
                                240, 160, owner.GetSafeHwnd(), nullptr));
    ::EnableWindow(owner.GetSafeHwnd(), FALSE);
    ::SetActiveWindow(dialog.GetSafeHwnd());
    ASSERT_TRUE(WaitUntil([&] { return HasToolkitFocus(dialog); }));
    // The owner is activated as a click on it would: by the toolkit, as the desktop does.
    owner.log.clear();
    WidgetOf(owner)->activateWindow();
    AfxPumpMessages();
    EXPECT_EQ(::GetActiveWindow(), dialog.GetSafeHwnd());
    EXPECT_EQ(owner.Count(WM_ACTIVATE), 0);
    if (pc::TheBackend().IsDesktop()) {
        // The desktop gives the focus back to the dialog, not to the disabled owner.
        EXPECT_TRUE(WaitUntil([&] { return HasToolkitFocus(dialog); }));
        EXPECT_EQ(::GetActiveWindow(), dialog.GetSafeHwnd());
    }
    ::EnableWindow(owner.GetSafeHwnd(), TRUE);
    dialog.DestroyWindow();
    owner.DestroyWindow();
}

TEST_F(DesktopConformance, MaximiseAndRestoreKeepTheStyleAndTheToolkitStateTogether)
{
    CLogWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AFX_WND_CLASS, "frame", kFrameStyle, 40, 40, 400, 300, nullptr, nullptr));
    QWidget* w = WidgetOf(frame);
    ::ShowWindow(frame.GetSafeHwnd(), SW_MAXIMIZE);
    EXPECT_TRUE(::IsZoomed(frame.GetSafeHwnd()));
    EXPECT_TRUE(frame.GetStyle() & WS_MAXIMIZE);
    if (pc::TheBackend().IsDesktop()) {
        EXPECT_TRUE(WaitUntil([&] { return (w->windowState() & Qt::WindowMaximized) != 0; }));
    }
    ::ShowWindow(frame.GetSafeHwnd(), SW_RESTORE);
    EXPECT_FALSE(::IsZoomed(frame.GetSafeHwnd()));
    EXPECT_TRUE(WaitUntil([&] { return (w->windowState() & Qt::WindowMaximized) == 0; }));
    EXPECT_FALSE(::IsZoomed(frame.GetSafeHwnd()));
    if (pc::TheBackend().IsDesktop()) {
        // The window manager's own maximise button: the layer follows it.
        w->setWindowState(Qt::WindowMaximized);
        EXPECT_TRUE(WaitUntil([&] { return ::IsZoomed(frame.GetSafeHwnd()) != FALSE; }));
        EXPECT_TRUE(frame.GetStyle() & WS_MAXIMIZE);
    }
    frame.DestroyWindow();
}

TEST_F(DesktopConformance, RaisingPutsTheWindowFirstInTheStackingOrder)
{
    CLogWnd a, b;
    ASSERT_TRUE(a.CreateEx(0, AFX_WND_CLASS, "a", kFrameStyle, 40, 40, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(b.CreateEx(0, AFX_WND_CLASS, "b", kFrameStyle, 80, 80, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(WaitUntil([&] { return IsShown(a) && IsShown(b); }));
    ::SetActiveWindow(b.GetSafeHwnd());
    ASSERT_TRUE(WaitUntil([&] { return HasToolkitFocus(b); }));
    ::SetWindowPos(a.GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::vector<HWND> order = AfxTopLevelWindows();
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), a.GetSafeHwnd());
    // The window the desktop shows at a point both cover is the raised one.
    if (pc::TheBackend().IsDesktop()) {
        EXPECT_TRUE(WaitUntil([&] {
            QWidget* top = QApplication::widgetAt(QPoint(200, 150));
            return top && top->window() == WidgetOf(a);
        }));
    }
    b.DestroyWindow();
    a.DestroyWindow();
}

TEST_F(DesktopConformance, ScreenMetricsAreTheDesktopsOrAFixedHeadlessScreen)
{
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    if (pc::TheBackend().IsDesktop()) {
        // The desktop run's screen is 1600x1000 (on_desktop.py), no panels.
        QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), screen->geometry().width());
        EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN), screen->geometry().height());
        EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1600);
        EXPECT_EQ(work.right - work.left, screen->availableGeometry().width());
        EXPECT_EQ(work.bottom - work.top, screen->availableGeometry().height());
    } else {
        EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1280);
        EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN), 1024);
        EXPECT_EQ(work.bottom - work.top, 994);
    }
}

}  // namespace
