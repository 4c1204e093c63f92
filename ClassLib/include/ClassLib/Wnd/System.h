// What the system tells a program about itself: colours, metrics, parameters, the
// keyboard and the mouse. The values are fixed, those of a classic 96-dpi desktop
// (1280 x 1024 with a 30-pixel task bar, classic colours, a message font of "宋体"
// 12 pixels in the GB2312 character set), so layouts are the same on every machine:
//
//   SM_CXSCREEN 1280, SM_CYSCREEN 1024, SM_CXVSCROLL = SM_CYHSCROLL = 16,
//   SM_CXHTHUMB = SM_CYVTHUMB = 16, SM_CYCAPTION 19, SM_CXBORDER = SM_CYBORDER 1,
//   SM_CXEDGE = SM_CYEDGE 2, SM_CXFIXEDFRAME = SM_CYFIXEDFRAME 3, SM_CXSIZEFRAME 4,
//   SM_CYMENU 19, SM_CXICON = SM_CYICON 32, SM_CXSMICON = SM_CYSMICON 16,
//   SM_CXCURSOR = SM_CYCURSOR 32, SM_CXDOUBLECLK = SM_CYDOUBLECLK 4, SM_CXDRAG 4,
//   SM_CXMENUCHECK 13, SM_DBCSENABLED 1, SM_CMOUSEBUTTONS 3, SM_MOUSEWHEELPRESENT 1,
//   work area (0, 0, 1280, 994), double-click time 500 ms, wheel scroll lines 3.
//
// Colours (GetSysColor) are the classic scheme: COLOR_BTNFACE RGB(212, 208, 200),
// COLOR_BTNSHADOW RGB(128, 128, 128), COLOR_3DDKSHADOW RGB(64, 64, 64), COLOR_WINDOW
// white, COLOR_WINDOWTEXT black, COLOR_HIGHLIGHT RGB(10, 36, 106), COLOR_INFOBK
// RGB(255, 255, 225), and so on; SetSysColors changes them and sends WM_SYSCOLORCHANGE to
// every top-level window.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Gdi/GdiTypes.h>

// ---- colours --------------------------------------------------------------------------------
#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_BTNSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_HOTLIGHT 26
#define COLOR_GRADIENTACTIVECAPTION 27
#define COLOR_GRADIENTINACTIVECAPTION 28
#define COLOR_MENUHILIGHT 29
#define COLOR_MENUBAR 30
#define COLOR_DESKTOP COLOR_BACKGROUND
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_3DSHADOW COLOR_BTNSHADOW
#define COLOR_3DHIGHLIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_BTNHILIGHT COLOR_BTNHIGHLIGHT

// ---- metrics -------------------------------------------------------------------------------
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXDLGFRAME 7
#define SM_CYDLGFRAME 8
#define SM_CYVTHUMB 9
#define SM_CXHTHUMB 10
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXCURSOR 13
#define SM_CYCURSOR 14
#define SM_CYMENU 15
#define SM_CXFULLSCREEN 16
#define SM_CYFULLSCREEN 17
#define SM_CYKANJIWINDOW 18
#define SM_MOUSEPRESENT 19
#define SM_CYVSCROLL 20
#define SM_CXHSCROLL 21
#define SM_DEBUG 22
#define SM_SWAPBUTTON 23
#define SM_CXMIN 28
#define SM_CYMIN 29
#define SM_CXSIZE 30
#define SM_CYSIZE 31
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CXMINTRACK 34
#define SM_CYMINTRACK 35
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37
#define SM_CXICONSPACING 38
#define SM_CYICONSPACING 39
#define SM_MENUDROPALIGNMENT 40
#define SM_PENWINDOWS 41
#define SM_DBCSENABLED 42
#define SM_CMOUSEBUTTONS 43
#define SM_CXFIXEDFRAME SM_CXDLGFRAME
#define SM_CYFIXEDFRAME SM_CYDLGFRAME
#define SM_CXSIZEFRAME SM_CXFRAME
#define SM_CYSIZEFRAME SM_CYFRAME
#define SM_SECURE 44
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CXMINSPACING 47
#define SM_CYMINSPACING 48
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SM_CYSMCAPTION 51
#define SM_CXSMSIZE 52
#define SM_CYSMSIZE 53
#define SM_CXMENUSIZE 54
#define SM_CYMENUSIZE 55
#define SM_ARRANGE 56
#define SM_CXMINIMIZED 57
#define SM_CYMINIMIZED 58
#define SM_CXMAXTRACK 59
#define SM_CYMAXTRACK 60
#define SM_CXMAXIMIZED 61
#define SM_CYMAXIMIZED 62
#define SM_NETWORK 63
#define SM_CLEANBOOT 67
#define SM_CXDRAG 68
#define SM_CYDRAG 69
#define SM_SHOWSOUNDS 70
#define SM_CXMENUCHECK 71
#define SM_CYMENUCHECK 72
#define SM_SLOWMACHINE 73
#define SM_MIDEASTENABLED 74
#define SM_MOUSEWHEELPRESENT 75
#define SM_XVIRTUALSCREEN 76
#define SM_YVIRTUALSCREEN 77
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79
#define SM_CMONITORS 80
#define SM_SAMEDISPLAYFORMAT 81

// ---- parameters ---------------------------------------------------------------------------
#define SPI_GETBEEP 0x0001
#define SPI_GETMOUSE 0x0003
#define SPI_GETBORDER 0x0005
#define SPI_GETKEYBOARDSPEED 0x000A
#define SPI_ICONHORIZONTALSPACING 0x000D
#define SPI_GETSCREENSAVETIMEOUT 0x000E
#define SPI_GETKEYBOARDDELAY 0x0016
#define SPI_ICONVERTICALSPACING 0x0018
#define SPI_GETICONTITLEWRAP 0x0019
#define SPI_GETMENUDROPALIGNMENT 0x001B
#define SPI_GETICONTITLELOGFONT 0x001F
#define SPI_GETDRAGFULLWINDOWS 0x0026
#define SPI_GETNONCLIENTMETRICS 0x0029
#define SPI_SETNONCLIENTMETRICS 0x002A
#define SPI_GETWORKAREA 0x0030
#define SPI_GETHIGHCONTRAST 0x0042
#define SPI_GETKEYBOARDPREF 0x0044
#define SPI_GETMOUSEHOVERWIDTH 0x0062
#define SPI_GETMOUSEHOVERHEIGHT 0x0064
#define SPI_GETMOUSEHOVERTIME 0x0066
#define SPI_GETWHEELSCROLLLINES 0x0068
#define SPI_GETMENUSHOWDELAY 0x006A
#define SPI_GETMENUANIMATION 0x1002
#define SPI_GETCOMBOBOXANIMATION 0x1004
#define SPI_GETLISTBOXSMOOTHSCROLLING 0x1006
#define SPI_GETGRADIENTCAPTIONS 0x1008
#define SPI_GETKEYBOARDCUES 0x100A
#define SPI_GETMENUUNDERLINES SPI_GETKEYBOARDCUES
#define SPI_GETHOTTRACKING 0x100E
#define SPI_GETMENUFADE 0x1012
#define SPI_GETSELECTIONFADE 0x1014
#define SPI_GETTOOLTIPANIMATION 0x1016
#define SPI_GETTOOLTIPFADE 0x1018
#define SPI_GETCURSORSHADOW 0x101A
#define SPI_GETFLATMENU 0x1022
#define SPI_GETDROPSHADOW 0x1024
#define SPIF_UPDATEINIFILE 0x0001
#define SPIF_SENDCHANGE 0x0002
#define WHEEL_PAGESCROLL ((UINT)-1)

typedef struct tagNONCLIENTMETRICS
{
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONT lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONT lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
} NONCLIENTMETRICS, *LPNONCLIENTMETRICS;

AFX_EXT_API DWORD GetSysColor(int nIndex);
// A stock brush of the colour; never deleted.
AFX_EXT_API HBRUSH GetSysColorBrush(int nIndex);
AFX_EXT_API BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues);
AFX_EXT_API int GetSystemMetrics(int nIndex);
// SPI_GETNONCLIENTMETRICS needs cbSize == sizeof(NONCLIENTMETRICS); unknown actions fail.
AFX_EXT_API BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, LPVOID pvParam, UINT fWinIni);

AFX_EXT_API UINT GetDoubleClickTime();
AFX_EXT_API BOOL SetDoubleClickTime(UINT uInterval);
AFX_EXT_API UINT GetCaretBlinkTime();

// The state of a key as of the message being processed: the high bit (0x8000 as a SHORT,
// so negative) when down, the low bit when toggled (Caps Lock and friends). Mouse buttons
// are keys VK_LBUTTON, VK_RBUTTON, VK_MBUTTON.
AFX_EXT_API SHORT GetKeyState(int nVirtKey);
AFX_EXT_API SHORT GetAsyncKeyState(int vKey);
AFX_EXT_API BOOL GetKeyboardState(LPBYTE lpKeyState);

// The mouse position in screen coordinates, as of the last mouse input.
AFX_EXT_API BOOL GetCursorPos(LPPOINT lpPoint);
AFX_EXT_API BOOL SetCursorPos(int x, int y);
AFX_EXT_API DWORD GetMessagePos();
AFX_EXT_API LONG GetMessageTime();
// The rectangle the cursor is confined to (screen coordinates); NULL frees it.
AFX_EXT_API BOOL ClipCursor(const RECT* lpRect);
AFX_EXT_API BOOL GetClipCursor(LPRECT lpRect);

#define MB_BEEP_SIMPLE 0xFFFFFFFF
AFX_EXT_API BOOL MessageBeep(UINT uType);

// (nNumber * nNumerator) / nDenominator with a 64-bit intermediate, rounded half away
// from zero; -1 when nDenominator is 0.
AFX_EXT_API int MulDiv(int nNumber, int nNumerator, int nDenominator);
