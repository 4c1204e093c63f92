// The WM_CTLCOLORxxx messages of the standard controls.
#include "CtlColor.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QEvent>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>

namespace pc {

namespace {

// The message a control of this class and style sends; 0 for none.
UINT CtlColorMessage(HWND hWnd)
{
    char cls[64] = {0};
    ::GetClassName(hWnd, cls, sizeof(cls));
    const DWORD style = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE));
    if (_stricmp(cls, WC_STATIC) == 0)
        return WM_CTLCOLORSTATIC;
    if (_stricmp(cls, WC_EDIT) == 0)
        return (style & ES_READONLY) || (style & WS_DISABLED) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    if (_stricmp(cls, WC_LISTBOX) == 0)
        return WM_CTLCOLORLISTBOX;
    if (_stricmp(cls, WC_BUTTON) == 0) {
        const DWORD type = style & 0x0F;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW)
            return WM_CTLCOLORBTN;
        return WM_CTLCOLORSTATIC;  // check boxes, radio buttons, group boxes
    }
    return 0;
}

// Whether the control fills its rectangle with the brush: statics with text or a picture,
// check boxes and radio buttons (frames, lines and group boxes draw only their lines).
bool FillsWithBrush(HWND hWnd)
{
    char cls[64] = {0};
    ::GetClassName(hWnd, cls, sizeof(cls));
    const DWORD style = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE));
    if (_stricmp(cls, WC_STATIC) == 0) {
        const DWORD type = style & 0x1F;
        return type <= 0x03 || type == 0x0B || type == 0x0C || type == 0x0E;  // text, icon, simple, bitmap
    }
    if (_stricmp(cls, WC_BUTTON) == 0) {
        const DWORD type = style & 0x0F;
        return type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_OWNERDRAW && type != BS_GROUPBOX;
    }
    return false;
}

QColor ColorOf(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

class CtlColorFilter : public QObject
{
public:
    CtlColorFilter(HWND hWnd, QWidget* pWidget) : QObject(pWidget), m_hWnd(hWnd), m_widget(pWidget) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Before each paint; and when the control shows, as the background of a paint
        // is laid before the paint's own event arrives.
        if ((event->type() == QEvent::Paint || event->type() == QEvent::Show) && watched == m_widget.data() && !m_busy)
            Ask();
        return false;
    }

private:
    void Ask()
    {
        HWND hParent = ::GetParent(m_hWnd);
        UINT msg = CtlColorMessage(m_hWnd);
        if (hParent == nullptr || msg == 0 || !::IsWindow(m_hWnd))
            return;
        m_busy = true;
        HDC hdc = ::CreateCompatibleDC(nullptr);
        ::SetTextColor(hdc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkMode(hdc, OPAQUE);
        HBRUSH hbr = reinterpret_cast<HBRUSH>(
            ::SendMessage(hParent, msg, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(m_hWnd)));
        const COLORREF text = ::GetTextColor(hdc);
        const int mode = ::GetBkMode(hdc);
        (void)mode;  // the widgets draw their text without a background of their own
        ::DeleteDC(hdc);
        m_busy = false;
        if (!m_widget || !::IsWindow(m_hWnd))
            return;
        QPalette pal = m_widget->palette();
        QColor fore = ColorOf(text);
        pal.setColor(QPalette::WindowText, fore);
        pal.setColor(QPalette::Text, fore);
        pal.setColor(QPalette::ButtonText, fore);
        bool fill = false;
        LOGBRUSH lb = {};
        if (hbr != nullptr && ::GetObject(hbr, sizeof(lb), &lb) == sizeof(lb) && lb.lbStyle != BS_NULL) {
            QColor back = ColorOf(lb.lbColor);
            pal.setColor(QPalette::Window, back);
            pal.setColor(QPalette::Base, back);
            pal.setColor(QPalette::Button, back);
            fill = msg == WM_CTLCOLORSTATIC && FillsWithBrush(m_hWnd);
        }
        // Only a change is applied: a new palette repaints the widget.
        if (pal != m_widget->palette())
            m_widget->setPalette(pal);
        if (fill != m_widget->autoFillBackground())
            m_widget->setAutoFillBackground(fill);
    }

    HWND m_hWnd;
    QPointer<QWidget> m_widget;
    bool m_busy = false;
};

}  // namespace

void WatchControlColours(HWND hWnd, QWidget* pWidget)
{
    if (pWidget == nullptr || CtlColorMessage(hWnd) == 0)
        return;
    pWidget->installEventFilter(new CtlColorFilter(hWnd, pWidget));
}

}  // namespace pc
