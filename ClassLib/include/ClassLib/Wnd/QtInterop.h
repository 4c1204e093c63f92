// The seams between the class library and Qt, for the class library's own layers
// (controls, dialogs, menus, printing, the framework). The system's code never needs it.
//
// Windows wrapping a Qt widget: register the window class with a widget factory. The
// factory makes the widget for each window of the class; the class's window procedure
// implements the class's messages on it and hands the rest to DefWindowProc. Input on the
// widget is translated into messages first; an input message that reaches DefWindowProc
// is then processed by the widget itself (so a handler that does not call the default
// keeps the widget from seeing it).
//
// Other devices: a device context can draw on any AfxDCTarget (a printer, a page image).
#pragma once

#include <ClassLib/Core/String.h>
#include <ClassLib/Gdi/DC.h>
#include <ClassLib/Wnd/Messages.h>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <memory>

class QWidget;
class QPainter;
class QPaintDevice;

// ---- widgets -----------------------------------------------------------------------------
typedef QWidget* (*AFX_WIDGET_FACTORY)(const CREATESTRUCT& cs, QWidget* pParentWidget);
// Registers a window class whose windows are widgets made by pfnFactory, with the window
// procedure lpfnWndProc (DefWindowProc when NULL). Returns FALSE when the module already
// has a class of that name.
AFX_EXT_API BOOL AfxRegisterWidgetClass(HINSTANCE hInstance, LPCTSTR lpszClassName, UINT nClassStyle,
                                        WNDPROC lpfnWndProc, AFX_WIDGET_FACTORY pfnFactory);
// The widget of a window (for a self-drawn window, the widget showing its backing image).
AFX_EXT_API QWidget* AfxGetWidget(HWND hWnd);
// The window a widget belongs to: the nearest widget up the parent chain that is a window.
AFX_EXT_API HWND AfxHwndFromWidget(const QWidget* pWidget);
// Translates the input of a widget inside a wrapped widget (a combo box's edit part) into
// messages of the window too.
AFX_EXT_API void AfxBridgeWidgetInput(HWND hWnd, QWidget* pChild);
// The message being translated from a Qt input event right now, when DefWindowProc is
// asked to give it to the widget: lets a class procedure tell real input from a message
// sent by code.
AFX_EXT_API BOOL AfxIsTranslatingInput(HWND hWnd, UINT nMsg);

// ---- text and colours -------------------------------------------------------------------
AFX_EXT_API QString AfxQString(LPCTSTR lpsz, int nLength = -1);  // code page 936 to Qt
AFX_EXT_API CString AfxCString(const QString& str);              // Qt to code page 936
inline QColor AfxQColor(COLORREF cr) { return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr)); }
inline COLORREF AfxColorRef(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

// ---- fonts --------------------------------------------------------------------------------
// The Qt font of a LOGFONT at the given device pixel height (lfHeight as the platform reads
// it: negative = character height, positive = cell height). "宋体" and the other Chinese
// faces, and any font in the GB2312 character set, map to the installed CJK faces.
AFX_EXT_API QFont AfxQFont(const LOGFONT& lf);
AFX_EXT_API QFont AfxQFontOf(HFONT hFont);
// The message font (SPI_GETNONCLIENTMETRICS lfMessageFont) as a Qt font.
AFX_EXT_API QFont AfxMessageQFont();

// ---- images -----------------------------------------------------------------------------------
// A copy of a bitmap's pixels (Format_RGB32); a null image for a bad handle.
AFX_EXT_API QImage AfxImageOfBitmap(HBITMAP hBitmap);
// A new bitmap holding a copy of the image.
AFX_EXT_API HBITMAP AfxBitmapFromImage(const QImage& image);
AFX_EXT_API QImage AfxImageOfIcon(HICON hIcon);  // with alpha

// ---- devices ------------------------------------------------------------------------------------
// What a device context draws on. Image-backed targets (windows, bitmaps) support raster
// operations pixel for pixel; others (printers) draw the operations as plain paint.
class AFX_EXT_CLASS AfxDCTarget
{
public:
    virtual ~AfxDCTarget();
    // The raster image, or NULL for a device without one.
    virtual QImage* Image() = 0;
    // The device QPainter draws on (the image for image targets).
    virtual QPaintDevice* Device() = 0;
    // A painter on Device(), shared by the contexts drawing on the target: a context asks
    // for it before every operation; when another owner asks, the painter is restarted.
    virtual QPainter* Painter(const void* pOwner);
    // Ends the shared painter (before the image is read or changed directly).
    virtual void EndPainting();
    // Device capabilities (GetDeviceCaps); the default is the screen's.
    virtual int DeviceCaps(int nIndex) const;
    virtual BOOL IsPrinter() const { return FALSE; }
    // Printing: SP_ERROR unless the device prints.
    virtual int StartDoc(const DOCINFO* pDocInfo);
    virtual int StartPage();
    virtual int EndPage();
    virtual int EndDoc();
    virtual int AbortDoc();

protected:
    QPainter* m_pPainter = nullptr;
    const void* m_pPainterOwner = nullptr;
};

// A new device context on a target; bPrinting sets CDC::m_bPrinting for contexts
// attached to it. Delete it with DeleteDC.
AFX_EXT_API HDC AfxCreateDCOnTarget(std::shared_ptr<AfxDCTarget> pTarget, BOOL bPrinting);
