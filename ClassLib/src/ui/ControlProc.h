// Private: the behaviour of a standard control's window, on a Qt widget. Each control
// class (edit, button, combo box...) has a procedure that owns the widget, answers the
// class's messages (EM_*, BM_*, CB_*, WM_SETTEXT...) and reports to the parent through
// its host: WM_COMMAND notifications and WM_NOTIFY records, in the platform's order.
#pragma once

#include <ClassLib/Controls/CommonControls.h>
#include <ClassLib/Controls/ControlStyles.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Menus/MenuTypes.h>

#include <QPixmap>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QPainter;
class QWidget;

namespace pc {

class ControlProc;

// What a control needs of the window it lives in.
class ControlHost
{
public:
    virtual ~ControlHost() = default;
    // WM_COMMAND(MAKEWPARAM(id, code), hwnd) to the parent.
    virtual void Command(UINT code) = 0;
    // WM_NOTIFY to the parent; the host fills hwndFrom and idFrom. The parent's answer.
    virtual LRESULT Notify(NMHDR& hdr) = 0;
    // A message to another window (a buddy, a group sibling); 0 when there is none.
    virtual LRESULT SendTo(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // The window's siblings in dialog order, itself included (radio groups, buddies).
    virtual std::vector<HWND> Siblings() const = 0;
    virtual DWORD StyleOf(HWND hWnd) const = 0;
    virtual HWND Self() const = 0;
    // Owner-drawn controls: the parent draws the item with a device context on the painter
    // (WM_DRAWITEM). The host fills CtlID, hwndItem and hDC.
    virtual void OwnerDraw(QPainter& painter, DRAWITEMSTRUCT& dis) { (void)painter; (void)dis; }
    // The text colour the parent sets for the control when asked with a WM_CTLCOLORxxx
    // message (msg) before painting; *pText holds the control's own colour on entry and the
    // colour the parent left in the device context on return.
    virtual void CtlColorText(UINT msg, COLORREF* pText) { (void)msg; (void)pText; }
    // Owner-drawn lists: the parent measures an item (WM_MEASUREITEM).
    virtual void OwnerMeasure(MEASUREITEMSTRUCT& mis) { (void)mis; }
    // A child window of this control (the edit part of a combo box), with the procedure of
    // its class and its own host; NULL when it cannot be made.
    virtual ControlProc* AddChildControl(const char* className, UINT id, DWORD style, QWidget* widgetParent) = 0;
    // WM_HSCROLL or WM_VSCROLL to the parent, from this control.
    virtual void Scroll(bool horizontal, UINT code, int pos) = 0;
    // The widget of another window (a buddy); NULL when it has none.
    virtual QWidget* WidgetOf(HWND hWnd) const = 0;
    // The picture of a bitmap or icon handle, for buttons and static controls.
    virtual QPixmap PixmapOf(HANDLE image, UINT type) { (void)image; (void)type; return QPixmap(); }
};

class ControlProc
{
public:
    ControlProc(ControlHost* host, DWORD style) : m_host(host), m_style(style) {}
    virtual ~ControlProc() = default;
    ControlProc(const ControlProc&) = delete;
    ControlProc& operator=(const ControlProc&) = delete;

    virtual QWidget* Widget() const = 0;
    // A message of the control's class. 'handled' false leaves it to the window's default.
    virtual LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

    DWORD Style() const { return m_style; }
    virtual void StyleChanged(DWORD style) { m_style = style; }
    // The window exists now (WM_CREATE): parts that are windows of their own are made here.
    virtual void Created() {}
    // The text the window was created with; set without notifying the parent.
    virtual void InitialText(LPCTSTR text)
    {
        bool handled = false;
        Proc(0x000C /* WM_SETTEXT */, 0, reinterpret_cast<LPARAM>(text), handled);
    }
    ControlHost* Host() const { return m_host; }

protected:
    ControlHost* m_host;
    DWORD m_style;
};

// A procedure for a window class ("Edit", "Button", UPDOWN_CLASS...); NULL for a class
// that is not a standard control. The widget is created as a child of parent.
std::unique_ptr<ControlProc> MakeControlProc(const char* className, ControlHost* host, DWORD style, QWidget* parent);
bool IsControlClass(const char* className);

// Code page 936 text at the Qt boundary.
QString ToQt(const char* text);
QString ToQt(const CString& text);
CString FromQt(const QString& text);
// Positions: bytes of the code page 936 form against UTF-16 indexes of the Qt text.
int QtIndexOfByte(const QString& text, int bytePos);
int ByteOfQtIndex(const QString& text, int qtIndex);
// WM_GETTEXT: copies at most cchMax - 1 bytes (whole characters) and a zero byte.
LRESULT CopyText(const CString& text, WPARAM cchMax, LPARAM buffer);

}  // namespace pc
