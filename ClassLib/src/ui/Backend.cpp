// The choice of the platform back end, and what both back ends share.
#include "Backend.h"
#include "BackendImpl.h"

#include <ClassLib/Wnd/UiApp.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <atomic>

namespace pc {

namespace {

std::atomic<Backend*> g_chosen{nullptr};

}  // namespace

void ChooseBackend()
{
    if (g_chosen.load())
        return;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    // The headless platforms: one that draws into memory, one that draws nowhere.
    const QString name = QGuiApplication::platformName();
    const bool headless = name == QLatin1String("offscreen") || name == QLatin1String("minimal");
    Backend* chosen = headless ? &HeadlessBackend() : &DesktopBackend();
    Backend* none = nullptr;
    if (g_chosen.compare_exchange_strong(none, chosen))
        chosen->Started();
}

Backend& TheBackend()
{
    if (Backend* b = g_chosen.load())
        return *b;
    ChooseBackend();
    if (Backend* b = g_chosen.load())
        return *b;
    return HeadlessBackend();
}

void ToolkitWait(int nMaxMs)
{
    if (!AfxIsUiThread())
        return;
    // A timer bounds the wait: the toolkit's wait itself takes no limit.
    QTimer limit;
    if (nMaxMs >= 0) {
        limit.setSingleShot(true);
        limit.start(nMaxMs);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

Qt::WindowFlags CommonTopLevelFlags(DWORD style, DWORD exStyle, bool owned, Qt::WindowType ownedCaptioned)
{
    Qt::WindowFlags f = Qt::Window;
    const bool caption = (style & WS_CAPTION) == WS_CAPTION;
    if (style & WS_POPUP) {
        if (!caption)
            f |= Qt::FramelessWindowHint;
        if (owned)
            f |= caption ? ownedCaptioned : Qt::Tool;  // stays over its owner, no task-bar entry
    } else if (!caption) {
        f |= Qt::FramelessWindowHint;
    }
    if (exStyle & WS_EX_TOOLWINDOW)
        f |= caption ? Qt::Tool : (Qt::ToolTip | Qt::FramelessWindowHint);
    if (exStyle & WS_EX_TOPMOST)
        f |= Qt::WindowStaysOnTopHint;
    if (exStyle & WS_EX_NOACTIVATE)
        f |= Qt::WindowDoesNotAcceptFocus;
    return f;
}

}  // namespace pc

