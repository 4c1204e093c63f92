// The headless back end: no window manager, no pointer, nobody to answer. Activation,
// stacking and window state are this layer's own bookkeeping alone; the screen is a fixed
// 1280x1024, so that what tests lay out does not depend on the machine.
#include "BackendImpl.h"

#include <QWidget>

namespace pc {

namespace {

class Headless final : public Backend
{
public:
    bool IsDesktop() const override { return false; }
    bool CanAskPerson() const override { return false; }
    void Started() override {}

    void Activate(QWidget* top) override
    {
        // The toolkit's own focus follows the active window.
        if (top && top->isVisible() && !top->isActiveWindow())
            top->activateWindow();
    }
    void WindowActivated(HWND) override {}  // only this layer activates here
    void Raise(QWidget*) override {}        // no stacking to change

    Qt::WindowFlags TopLevelFlags(DWORD style, DWORD exStyle, bool owned) const override
    {
        return CommonTopLevelFlags(style, exStyle, owned, Qt::Tool);
    }
    void MarkModal(QWidget*) override {}
    void KeepSize(QWidget*, QSize) override {}
    void Maximize(QWidget*) override {}
    void Restore(QWidget*) override {}
    void WindowStateChanged(HWND, Qt::WindowStates) override {}

    void GrabMouse(QWidget*) override {}
    std::optional<QPoint> CursorPos() const override { return std::nullopt; }
    void MoveCursor(QPoint) override {}
    void Beep() override {}

    void WaitForEvents(int nMaxMs) override { ToolkitWait(nMaxMs); }

    ScreenAreas Screens() const override { return ScreenAreas(); }

    DROPEFFECT Drag(COleDataSource*, DWORD) override { return DROPEFFECT_NONE; }
};

}  // namespace

Backend& HeadlessBackend()
{
    static Headless backend;
    return backend;
}

}  // namespace pc
