// The fixed system values: colours, metrics, parameters (see Wnd/System.h).
#include "Backend.h"
#include "GdiInternal.h"
#include "WndInternal.h"

#include <ClassLib/Wnd/System.h>

#include <QApplication>
#include <QScreen>
#include <QWindow>

#include <cstring>
#include <mutex>

namespace {

const COLORREF kClassicColors[COLOR_MENUBAR + 1] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25 (unused)
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

std::mutex g_colorLock;
COLORREF g_colors[COLOR_MENUBAR + 1];
bool g_colorsInit = false;
UINT g_doubleClickTime = 500;

void InitColors()
{
    if (!g_colorsInit) {
        std::memcpy(g_colors, kClassicColors, sizeof(g_colors));
        g_colorsInit = true;
    }
}

void SetFace(LOGFONT& lf, const char* face)
{
    std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}

LOGFONT SystemFont(LONG weight)
{
    LOGFONT lf{};
    lf.lfHeight = -12;
    lf.lfWeight = weight;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    SetFace(lf, "\xCB\xCE\xCC\xE5");  // 宋体
    return lf;
}

// The screen and its work area (the screen less the desktop's panels), as the back end
// measures them: the headless one keeps a fixed 1280x1024 desktop so that what tests lay
// out does not depend on the machine.
using pc::ScreenAreas;

ScreenAreas Screens()
{
    if (!AfxIsUiThread())
        return ScreenAreas();
    return pc::TheBackend().Screens();
}

}  // namespace

pc::ScreenAreas pc::DesktopScreens()
{
    ScreenAreas a;
    // The screen the user works on: that of the window with the focus, else of the first
    // visible top-level window, else the primary one.
    QScreen* s = nullptr;
    if (QWindow* pFocus = QGuiApplication::focusWindow())
        s = pFocus->screen();
    if (!s)
        for (QWindow* pWindow : QGuiApplication::topLevelWindows())
            if (pWindow->isVisible() && pWindow->type() != Qt::ToolTip && pWindow->type() != Qt::Popup) {
                s = pWindow->screen();
                break;
            }
    if (!s)
        s = QGuiApplication::primaryScreen();
    if (!s)
        return a;
    a.screen = s->geometry();
    a.work = s->availableGeometry();
    a.virt = s->virtualGeometry();
    a.count = (int)QGuiApplication::screens().size();
    return a;
}

DWORD GetSysColor(int nIndex)
{
    std::lock_guard<std::mutex> g(g_colorLock);
    InitColors();
    if (nIndex < 0 || nIndex > COLOR_MENUBAR)
        return 0;
    return g_colors[nIndex];
}

BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues)
{
    if (cElements < 0 || (cElements > 0 && (!lpaElements || !lpaRgbValues)))
        return FALSE;
    {
        std::lock_guard<std::mutex> g(g_colorLock);
        InitColors();
        for (int i = 0; i < cElements; ++i)
            if (lpaElements[i] >= 0 && lpaElements[i] <= COLOR_MENUBAR)
                g_colors[lpaElements[i]] = lpaRgbValues[i] & 0x00FFFFFF;
    }
    // Every top-level window hears of it; frames pass it on to their children.
    for (HWND h : AfxTopLevelWindows())
        ::SendMessage(h, WM_SYSCOLORCHANGE, 0, 0);
    AfxInvalidateAllWindows();
    return TRUE;
}

void AfxResetSysColors()
{
    std::lock_guard<std::mutex> g(g_colorLock);
    std::memcpy(g_colors, kClassicColors, sizeof(g_colors));
    g_colorsInit = true;
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXSCREEN: return Screens().screen.width();
    case SM_CYSCREEN: return Screens().screen.height();
    case SM_CXFULLSCREEN: return Screens().work.width();
    case SM_CYFULLSCREEN: return Screens().work.height() - 19;
    case SM_CXMAXTRACK: return Screens().virt.width() + 12;
    case SM_CYMAXTRACK: return Screens().virt.height() + 12;
    case SM_CXMAXIMIZED: return Screens().work.width() + 8;
    case SM_CYMAXIMIZED: return Screens().work.height() + 8;
    case SM_XVIRTUALSCREEN: return Screens().virt.x();
    case SM_YVIRTUALSCREEN: return Screens().virt.y();
    case SM_CXVIRTUALSCREEN: return Screens().virt.width();
    case SM_CYVIRTUALSCREEN: return Screens().virt.height();
    case SM_CMONITORS: return Screens().count;
    case SM_CXVSCROLL: return 16;
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: return 1;
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: return 3;
    case SM_CYDLGFRAME: return 3;
    case SM_CYVTHUMB: return 16;
    case SM_CXHTHUMB: return 16;
    case SM_CXICON: return 32;
    case SM_CYICON: return 32;
    case SM_CXCURSOR: return 32;
    case SM_CYCURSOR: return 32;
    case SM_CYMENU: return 19;
    case SM_CYKANJIWINDOW: return 0;
    case SM_MOUSEPRESENT: return 1;
    case SM_CYVSCROLL: return 16;
    case SM_CXHSCROLL: return 16;
    case SM_DEBUG: return 0;
    case SM_SWAPBUTTON: return 0;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXSIZE: return 18;
    case SM_CYSIZE: return 18;
    case SM_CXFRAME: return 4;
    case SM_CYFRAME: return 4;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK: return 4;
    case SM_CYDOUBLECLK: return 4;
    case SM_CXICONSPACING: return 75;
    case SM_CYICONSPACING: return 75;
    case SM_MENUDROPALIGNMENT: return 0;
    case SM_PENWINDOWS: return 0;
    case SM_DBCSENABLED: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_SECURE: return 0;
    case SM_CXEDGE: return 2;
    case SM_CYEDGE: return 2;
    case SM_CXMINSPACING: return 160;
    case SM_CYMINSPACING: return 24;
    case SM_CXSMICON: return 16;
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 15;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 14;
    case SM_CXMENUSIZE: return 18;
    case SM_CYMENUSIZE: return 18;
    case SM_ARRANGE: return 8;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 24;
    case SM_NETWORK: return 1;
    case SM_CLEANBOOT: return 0;
    case SM_CXDRAG: return 4;
    case SM_CYDRAG: return 4;
    case SM_SHOWSOUNDS: return 0;
    case SM_CXMENUCHECK: return 13;
    case SM_CYMENUCHECK: return 13;
    case SM_SLOWMACHINE: return 0;
    case SM_MIDEASTENABLED: return 0;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_SAMEDISPLAYFORMAT: return 1;
    default: return 0;
    }
}

BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, LPVOID pvParam, UINT fWinIni)
{
    (void)fWinIni;
    switch (uiAction) {
    case SPI_GETNONCLIENTMETRICS: {
        NONCLIENTMETRICS* p = static_cast<NONCLIENTMETRICS*>(pvParam);
        if (!p || p->cbSize != sizeof(NONCLIENTMETRICS))
            return FALSE;
        p->iBorderWidth = 1;
        p->iScrollWidth = 16;
        p->iScrollHeight = 16;
        p->iCaptionWidth = 18;
        p->iCaptionHeight = 18;
        p->lfCaptionFont = SystemFont(FW_BOLD);
        p->iSmCaptionWidth = 12;
        p->iSmCaptionHeight = 14;
        p->lfSmCaptionFont = SystemFont(FW_BOLD);
        p->iMenuWidth = 18;
        p->iMenuHeight = 18;
        p->lfMenuFont = SystemFont(FW_NORMAL);
        p->lfStatusFont = SystemFont(FW_NORMAL);
        p->lfMessageFont = SystemFont(FW_NORMAL);
        return TRUE;
    }
    case SPI_GETICONTITLELOGFONT:
        if (!pvParam || uiParam < sizeof(LOGFONT))
            return FALSE;
        *static_cast<LOGFONT*>(pvParam) = SystemFont(FW_NORMAL);
        return TRUE;
    case SPI_GETWORKAREA: {
        if (!pvParam)
            return FALSE;
        const QRect work = Screens().work;
        ::SetRect(static_cast<RECT*>(pvParam), work.left(), work.top(), work.right() + 1, work.bottom() + 1);
        return TRUE;
    }
    case SPI_GETWHEELSCROLLLINES:
        if (!pvParam)
            return FALSE;
        *static_cast<UINT*>(pvParam) = 3;
        return TRUE;
    case SPI_GETKEYBOARDDELAY:
    case SPI_GETKEYBOARDSPEED:
    case SPI_GETMENUSHOWDELAY:
    case SPI_GETMOUSEHOVERTIME:
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
    case SPI_GETBORDER: {
        if (!pvParam)
            return FALSE;
        int v = 0;
        switch (uiAction) {
        case SPI_GETKEYBOARDDELAY: v = 1; break;
        case SPI_GETKEYBOARDSPEED: v = 31; break;
        case SPI_GETMENUSHOWDELAY: v = 400; break;
        case SPI_GETMOUSEHOVERTIME: v = 400; break;
        case SPI_GETMOUSEHOVERWIDTH:
        case SPI_GETMOUSEHOVERHEIGHT: v = 4; break;
        case SPI_GETBORDER: v = 1; break;
        }
        *static_cast<UINT*>(pvParam) = (UINT)v;
        return TRUE;
    }
    case SPI_GETBEEP:
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETMENUDROPALIGNMENT:
    case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETKEYBOARDCUES:
    case SPI_GETHOTTRACKING:
    case SPI_GETMENUANIMATION:
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETMENUFADE:
    case SPI_GETSELECTIONFADE:
    case SPI_GETTOOLTIPANIMATION:
    case SPI_GETTOOLTIPFADE:
    case SPI_GETCURSORSHADOW:
    case SPI_GETFLATMENU:
    case SPI_GETDROPSHADOW:
    case SPI_GETICONTITLEWRAP:
    case SPI_GETKEYBOARDPREF:
        if (!pvParam)
            return FALSE;
        // The classic desktop: beep on, full drag, gradients and keyboard cues off.
        *static_cast<BOOL*>(pvParam) =
            (uiAction == SPI_GETBEEP || uiAction == SPI_GETDRAGFULLWINDOWS || uiAction == SPI_GETICONTITLEWRAP) ? TRUE
                                                                                                            : FALSE;
        return TRUE;
    default:
        return FALSE;
    }
}

UINT GetDoubleClickTime() { return g_doubleClickTime; }

BOOL SetDoubleClickTime(UINT uInterval)
{
    g_doubleClickTime = uInterval == 0 ? 500 : uInterval;
    return TRUE;
}

UINT GetCaretBlinkTime() { return 530; }

BOOL MessageBeep(UINT uType)
{
    (void)uType;
    if (AfxIsUiThread())
        pc::TheBackend().Beep();
    return TRUE;
}

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    long long p = (long long)nNumber * nNumerator;
    long long d = nDenominator;
    bool neg = (p < 0) != (d < 0);
    unsigned long long ap = (unsigned long long)(p < 0 ? -p : p);
    unsigned long long ad = (unsigned long long)(d < 0 ? -d : d);
    unsigned long long q = (ap + ad / 2) / ad;
    long long r = neg ? -(long long)q : (long long)q;
    if (r > 0x7FFFFFFFLL || r < -0x80000000LL)
        return -1;
    return (int)r;
}
