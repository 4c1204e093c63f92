// The desktop back end: a window manager activates, stacks, maximises and decorates the
// windows; the layer asks it and follows what it reports.
#include "BackendImpl.h"
#include "PcMimeData.h"
#include "WndInternal.h"

#include <ClassLib/Wnd/UiApp.h>

#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

namespace pc {

namespace {

class Desktop final : public Backend
{
public:
    bool IsDesktop() const override { return true; }
    bool CanAskPerson() const override { return !AfxIsUnderTestHarness(); }

    void Started() override
    {
        // The toolkit's own dialogs (open and save, print, colour, font) and buttons speak the
        // program's language, Chinese, from Qt's translations. The headless platforms keep the
        // toolkit's untranslated texts, which the tests compare.
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(translator);
    }

    void Activate(QWidget* top) override
    {
        if (top && top->isVisible() && !top->isActiveWindow())
            top->activateWindow();
    }
    void WindowActivated(HWND hWnd) override { AfxDesktopActivated(hWnd); }
    void Raise(QWidget* top) override
    {
        if (top && top->isWindow() && top->isVisible())
            top->raise();
    }

    Qt::WindowFlags TopLevelFlags(DWORD style, DWORD exStyle, bool owned) const override
    {
        Qt::WindowFlags f = CommonTopLevelFlags(style, exStyle, owned, Qt::Dialog);
        if ((style & WS_CAPTION) == WS_CAPTION) {
            // The title-bar buttons are the ones the styles ask for.
            f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
            if (style & WS_SYSMENU)
                f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if ((style & WS_SYSMENU) && (style & WS_MINIMIZEBOX))
                f |= Qt::WindowMinimizeButtonHint;
            if ((style & WS_SYSMENU) && (style & WS_MAXIMIZEBOX))
                f |= Qt::WindowMaximizeButtonHint;
        }
        return f;
    }
    void MarkModal(QWidget* top) override { top->setWindowModality(Qt::WindowModal); }
    void KeepSize(QWidget* top, QSize size) override
    {
        // The window manager then offers no resizing and no maximise button for it.
        if (top->minimumSize() != size)
            top->setFixedSize(size);
    }
    void Maximize(QWidget* top) override
    {
        // The window manager maximises the window, its title bar included; the size it
        // gives comes back through the widget's resize.
        top->setWindowState((top->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    }
    void Restore(QWidget* top) override
    {
        top->setWindowState(top->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    }
    void WindowStateChanged(HWND hWnd, Qt::WindowStates st) override
    {
        AfxWindow* w = AfxWindowOf(hWnd);
        if (!w)
            return;
        w->maximized = (st & Qt::WindowMaximized) != 0;
        w->minimized = (st & Qt::WindowMinimized) != 0;
        w->style = (w->style & ~(WS_MAXIMIZE | WS_MINIMIZE)) | (w->maximized ? WS_MAXIMIZE : 0) |
                   (w->minimized ? WS_MINIMIZE : 0);
    }

    void GrabMouse(QWidget* w) override
    {
        if (w && w->isVisible())
            w->grabMouse();
    }
    std::optional<QPoint> CursorPos() const override { return QCursor::pos(); }
    void MoveCursor(QPoint global) override { QCursor::setPos(global); }
    void Beep() override { QApplication::beep(); }

    void WaitForEvents(int nMaxMs) override { ToolkitWait(nMaxMs); }

    ScreenAreas Screens() const override { return DesktopScreens(); }

    DROPEFFECT Drag(COleDataSource* source, DWORD dwEffects) override
    {
        QWidget* from = QApplication::widgetAt(QCursor::pos());
        if (!from)
            from = QApplication::focusWidget();
        if (!from)
            from = QApplication::activeWindow();
        if (!from)
            return DROPEFFECT_NONE;
        auto* drag = new QDrag(from);
        drag->setMimeData(new PcMimeData(source));
        Qt::DropAction def = (dwEffects & DROPEFFECT_MOVE) ? Qt::MoveAction : Qt::CopyAction;
        return EffectsOf(drag->exec(ActionsOf(dwEffects), def)) & dwEffects;
    }
};

}  // namespace

Backend& DesktopBackend()
{
    static Desktop backend;
    return backend;
}

}  // namespace pc
