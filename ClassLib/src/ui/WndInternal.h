// Internal state of windows: the handle table, each window's data, the focus, capture
// and activation state, and the functions the window sources share.
#pragma once

#include <QPointer>
#include <QRegion>
#include <QWidget>

#include "GdiInternal.h"

#include <ClassLib/Wnd/QtInterop.h>
#include <ClassLib/Wnd/UiApp.h>
#include <ClassLib/Wnd/WinApi.h>
#include <ClassLib/Wnd/Wnd.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QScrollBar;
class AfxWndWidget;

struct AfxWndClassData
{
    WNDCLASS wc{};
    std::string name;        // as registered
    std::string menuName;
    AFX_WIDGET_FACTORY factory = nullptr;
};

struct AfxScrollState
{
    SCROLLINFO info{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    bool visible = false;
    UINT arrows = ESB_ENABLE_BOTH;
    bool tracking = false;
};

struct AfxWindow
{
    HWND hwnd = nullptr;
    CWnd* pWnd = nullptr;                // the permanent object
    std::unique_ptr<CWnd> pTemp;         // a temporary object made by FromHandle
    WNDPROC proc = nullptr;              // the current window procedure
    std::shared_ptr<AfxWndClassData> cls;
    HINSTANCE hInstance = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;
    HWND parent = nullptr;  // child windows
    HWND owner = nullptr;   // pop-ups and overlapped windows
    std::vector<HWND> children;  // z-order, top first
    CString text;
    HFONT font = nullptr;
    HMENU menu = nullptr;
    QRect rect;  // window rectangle: parent client coordinates, or screen for top-level windows
    QRect lastClient;  // the client area as last reported (WM_SIZE, WM_WINDOWPOSCHANGED)

    // Qt side.
    QPointer<QWidget> widget;
    AfxWndWidget* custom = nullptr;  // the widget when the window draws itself
    QScrollBar* bars[2] = {nullptr, nullptr};

    // Painting.
    // The client area's backing image, made (and sized) only when something draws on it or
    // shows it: a window laid out several times before its first paint allocates it once.
    std::shared_ptr<AfxImageTarget> surface;
    QSize surfaceSize;     // the size the image is to have: the client area as last laid out
    QRect surfaceKept;     // what of the image survives the sizes laid out since it was made
    QRegion surfaceBlank;  // pixels of the image not filled with the background yet
    QRegion invalid;                          // client coordinates
    bool eraseNeeded = false;
    bool redrawOff = false;   // WM_SETREDRAW FALSE
    int painting = 0;         // inside WM_PAINT dispatch

    AfxScrollState sb[2];
    std::map<std::string, HANDLE> props;
    LONG_PTR userData = 0;
    LONG_PTR msgResult = 0;
    bool destroying = false;
    bool maximized = false;
    bool minimized = false;
    bool modal = false;
    bool ncActive = true;  // the caption drawn active (WM_NCACTIVATE)  // a modal dialog's window: the desktop keeps it above its owner
};

// ---- handle table ----------------------------------------------------------------------------
AfxWindow* AfxWindowOf(HWND hWnd);  // NULL for NULL, dead or foreign handles
HWND AfxAddWindow(std::unique_ptr<AfxWindow> w);
void AfxRemoveWindow(HWND hWnd);  // frees the data (call last)
std::vector<HWND> AfxTopLevelWindows();  // z-order, top first
void AfxRaiseTopLevel(HWND hWnd);
void AfxInvalidateAllWindows();
std::vector<HWND> AfxAllWindows();

// ---- geometry ---------------------------------------------------------------------------------
// The client area inside the window rectangle (window coordinates: origin at the window's
// top-left), from the border styles and visible scroll bars.
QRect AfxClientAreaOf(const AfxWindow* w);
// The top-left of the client area in screen coordinates.
QPoint AfxClientOriginOnScreen(const AfxWindow* w);
// The menu bar of a top-level window with a menu: made, refilled or removed after the
// window's menu changed; placed over the band the menu reserves above the client area.
void AfxMenuBarChanged(HWND hWnd);
void AfxPlaceMenuBar(AfxWindow* w);
// The height of the band a menu bar takes.
int AfxMenuBandHeight();
// Applies w->rect to the widget and lays out the scroll bars.
void AfxSyncWidgetGeometry(AfxWindow* w);
// Recomputes the client area after a style or scroll-bar change, resizing the backing image
// and sending WM_SIZE when the client size changed.
void AfxFrameChanged(AfxWindow* w);
BOOL AfxIsTopLevel(const AfxWindow* w);
// The next top-level window made with an owner is a modal dialog's (AfxDoModalWindow).
void AfxMarkNextTopLevelModal(bool bModal);

// ---- painting ------------------------------------------------------------------------------------
void AfxInvalidate(AfxWindow* w, const QRegion& rgn, bool erase);
void AfxValidate(AfxWindow* w, const QRegion& rgn);
// Sends WM_PAINT when the window has an invalid region (and is visible); TRUE when it did.
BOOL AfxDispatchPaint(AfxWindow* w);
// Keeps the backing image the client size; new parts are filled with the class background.
// Notes the client area's size for the backing image (cheap: the image follows when needed).
void AfxSizeSurface(AfxWindow* w);
// The backing image at the client area's size, with what it kept; the pixels it has not
// filled yet stay blank (untouched memory) until AfxFillSurface reaches them.
void AfxEnsureSurface(AfxWindow* w);
// Fills the blank pixels of the backing image within rgn (client coordinates) with the
// window's background.
void AfxFillSurface(AfxWindow* w, const QRegion& rgn);
QRgb AfxClassBackground(const AfxWindow* w);
// The parts of w's client area its visible children cover and paint entirely.
QRegion AfxOpaqueChildrenArea(const AfxWindow* w);
void AfxScheduleBlit(AfxWindow* w, const QRect& clientRect);
HBRUSH AfxClassBrush(const AfxWindow* w);

// ---- dispatch ------------------------------------------------------------------------------------
// The message passes the pre-translation hooks and, unless swallowed, is sent.
LRESULT AfxDispatchQueued(const MSG& msg, BOOL* pSwallowed = nullptr);
void AfxSetMessageTime(DWORD time, POINT pt);
void AfxPushCurrentMessage(const MSG& msg);
void AfxPopCurrentMessage();

// ---- input state --------------------------------------------------------------------------------
void AfxSetKeyDown(int vk, bool down);
void AfxSetCursorPosTracked(QPoint global);
QPoint AfxTrackedCursorPos();
void AfxApplyCursorTo(HWND hWnd);
void AfxCaptureLost(HWND hWnd);    // the window goes away: capture, focus, timers
void AfxFocusLost(HWND hWnd);
void AfxKillTimersOf(HWND hWnd);
void AfxResetInputState();
// A focus change reported by Qt (a click on a wrapped widget, Tab in a dialog).
void AfxQtFocusIn(HWND hWnd);
HWND AfxActiveWindow();
void AfxSetActiveInternal(HWND hWnd, bool bByMouse);
// The desktop (the window manager) made the window active: the layer follows without
// asking the desktop back; a window a modal dialog disables hands activation to the dialog.
void AfxDesktopActivated(HWND hWnd);

// ---- scroll bars -----------------------------------------------------------------------------------
void AfxUpdateScrollWidgets(AfxWindow* w);
void AfxDestroyScrollWidgets(AfxWindow* w);

// ---- the widget of a self-drawn window ---------------------------------------------------------------
AfxWndWidget* AfxCreateCustomWidget(AfxWindow* w, QWidget* parentWidget);
void AfxInstallBridge(AfxWindow* w);  // input translation for wrapped widgets
// Qt input event to messages (receiver: the widget whose coordinates a mouse event
// carries); TRUE when the event was consumed.
bool AfxTranslateInput(AfxWindow* w, QEvent* e, QWidget* receiver = nullptr);
void AfxForgetDoubleClick();
// The visible, enabled window a disabled top-level window's modal dialog is (down the chain
// of owners); NULL for none.
HWND AfxEnabledPopupOf(HWND hWnd);

// Class lookup.
std::shared_ptr<AfxWndClassData> AfxFindClass(HINSTANCE hInstance, LPCTSTR lpszClassName);
void AfxEnsureDefaultClasses();

// The system colours back to the classic scheme (tests).
void AfxResetSysColors();

// The hook for tests: an unscripted message box or another blocking call meets this.
void AfxReportTestFailure(const char* pszWhat);
