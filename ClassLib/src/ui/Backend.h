// The platform under the window layer: what differs between a real desktop (a window
// manager that activates, stacks, maximises and measures) and the headless platforms the
// tests run on. One of the two is chosen once, when the toolkit has started; the window
// layer asks it instead of testing the platform's name.
#pragma once

#include <ClassLib/Ole/DataObject.h>
#include <ClassLib/Wnd/WinApi.h>

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

#include <optional>

class QWidget;

namespace pc {

// The screen the user works on, its work area and the whole virtual desktop.
struct ScreenAreas
{
    QRect screen{0, 0, 1280, 1024};
    QRect work{0, 0, 1280, 994};
    QRect virt{0, 0, 1280, 1024};
    int count = 1;
};

class Backend
{
public:
    virtual ~Backend() = default;

    // A real display: a desktop with a window manager, or a bare X server.
    virtual bool IsDesktop() const = 0;
    // Someone can answer what is shown (a toolkit dialog, a menu, a drag, a message box):
    // never under a test harness, never without a screen.
    virtual bool CanAskPerson() const = 0;
    // Runs once when chosen.
    virtual void Started() = 0;

    // ---- activation and stacking ----
    // Asks for the focus for a top-level widget this layer made active.
    virtual void Activate(QWidget* top) = 0;
    // The toolkit reports that the desktop activated a top-level window.
    virtual void WindowActivated(HWND hWnd) = 0;
    virtual void Raise(QWidget* top) = 0;

    // ---- window state ----
    virtual Qt::WindowFlags TopLevelFlags(DWORD style, DWORD exStyle, bool owned) const = 0;
    // A modal dialog's window: kept above its owner, given the focus when the owner is clicked.
    virtual void MarkModal(QWidget* top) = 0;
    // A top-level window without a sizing border keeps its size.
    virtual void KeepSize(QWidget* top, QSize size) = 0;
    virtual void Maximize(QWidget* top) = 0;
    virtual void Restore(QWidget* top) = 0;
    // The toolkit reports a state the desktop gave the window (its maximise and restore buttons).
    virtual void WindowStateChanged(HWND hWnd, Qt::WindowStates states) = 0;

    // ---- input ----
    virtual void GrabMouse(QWidget* w) = 0;
    // Where the pointer is, when the platform has one.
    virtual std::optional<QPoint> CursorPos() const = 0;
    virtual void MoveCursor(QPoint global) = 0;
    virtual void Beep() = 0;

    // ---- waiting ----
    // Sleeps in the toolkit until an event arrives, or at most nMaxMs (-1: no limit).
    virtual void WaitForEvents(int nMaxMs) = 0;

    // ---- screen metrics ----
    virtual ScreenAreas Screens() const = 0;

    // ---- drag and drop ----
    // A drag a person carries out; what the drop did, masked by dwEffects.
    virtual DROPEFFECT Drag(COleDataSource* source, DWORD dwEffects) = 0;
};

// The chosen back end; the headless one until the toolkit has started.
Backend& TheBackend();
// Chooses the back end for the toolkit's platform (once; later calls keep the choice).
void ChooseBackend();

// The desktop's measures of the screen the user works on (SysParams.cpp).
ScreenAreas DesktopScreens();

}  // namespace pc
