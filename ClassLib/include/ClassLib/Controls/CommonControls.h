// Styles, messages, notifications and records of the common controls (up-down, date and
// time picker, month calendar, progress bar, address field, animation, tooltips), with
// the platform's values, and the control class names dialog templates use.
#pragma once

#include <ClassLib/Core/DateTime.h>
#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Wnd/Messages.h>


// Window classes of the controls.
#define WC_BUTTON "Button"
#define WC_EDIT "Edit"
#define WC_STATIC "Static"
#define WC_COMBOBOX "ComboBox"
#define WC_LISTBOX "ListBox"
#define WC_SCROLLBAR "ScrollBar"
#define UPDOWN_CLASS "msctls_updown32"
#define DATETIMEPICK_CLASS "SysDateTimePick32"
#define MONTHCAL_CLASS "SysMonthCal32"
#define PROGRESS_CLASS "msctls_progress32"
#define WC_IPADDRESS "SysIPAddress32"
#define ANIMATE_CLASS "SysAnimate32"
#define TOOLTIPS_CLASS "tooltips_class32"
#define RICHEDIT_CLASS "RichEdit20A"
#define RICHEDIT_CLASS10A "RICHEDIT"
#define WC_LISTVIEW "SysListView32"
#define WC_TREEVIEW "SysTreeView32"
#define WC_TABCONTROL "SysTabControl32"
#define WC_HEADER "SysHeader32"
#define TRACKBAR_CLASS "msctls_trackbar32"
#define HOTKEY_CLASS "msctls_hotkey32"

// ---- Up-down --------------------------------------------------------------------------
#define UDS_WRAP 0x0001
#define UDS_SETBUDDYINT 0x0002
#define UDS_ALIGNRIGHT 0x0004
#define UDS_ALIGNLEFT 0x0008
#define UDS_AUTOBUDDY 0x0010
#define UDS_ARROWKEYS 0x0020
#define UDS_HORZ 0x0040
#define UDS_NOTHOUSANDS 0x0080
#define UDS_HOTTRACK 0x0100

#define UD_MAXVAL 0x7fff
#define UD_MINVAL (-UD_MAXVAL)

#define PC_WM_USER WM_USER
#define UDM_SETRANGE (PC_WM_USER + 101)
#define UDM_GETRANGE (PC_WM_USER + 102)
#define UDM_SETPOS (PC_WM_USER + 103)
#define UDM_GETPOS (PC_WM_USER + 104)
#define UDM_SETBUDDY (PC_WM_USER + 105)
#define UDM_GETBUDDY (PC_WM_USER + 106)
#define UDM_SETACCEL (PC_WM_USER + 107)
#define UDM_GETACCEL (PC_WM_USER + 108)
#define UDM_SETBASE (PC_WM_USER + 109)
#define UDM_GETBASE (PC_WM_USER + 110)
#define UDM_SETRANGE32 (PC_WM_USER + 111)
#define UDM_GETRANGE32 (PC_WM_USER + 112)
#define UDM_SETPOS32 (PC_WM_USER + 113)
#define UDM_GETPOS32 (PC_WM_USER + 114)


typedef struct _UDACCEL
{
    UINT nSec;
    UINT nInc;
} UDACCEL, *LPUDACCEL;

typedef struct _NM_UPDOWN
{
    NMHDR hdr;
    int iPos;
    int iDelta;
} NMUPDOWN, *LPNMUPDOWN, NM_UPDOWN, *LPNM_UPDOWN;

// ---- Date and time picker -------------------------------------------------------------
#define DTS_UPDOWN 0x0001
#define DTS_SHOWNONE 0x0002
#define DTS_SHORTDATEFORMAT 0x0000
#define DTS_LONGDATEFORMAT 0x0004
#define DTS_SHORTDATECENTURYFORMAT 0x000C
#define DTS_TIMEFORMAT 0x0009
#define DTS_APPCANPARSE 0x0010
#define DTS_RIGHTALIGN 0x0020

#define DTM_FIRST 0x1000
#define DTM_GETSYSTEMTIME (DTM_FIRST + 1)
#define DTM_SETSYSTEMTIME (DTM_FIRST + 2)
#define DTM_GETRANGE (DTM_FIRST + 3)
#define DTM_SETRANGE (DTM_FIRST + 4)
#define DTM_SETFORMAT (DTM_FIRST + 5)
#define DTM_SETMCCOLOR (DTM_FIRST + 6)
#define DTM_GETMCCOLOR (DTM_FIRST + 7)
#define DTM_GETMONTHCAL (DTM_FIRST + 8)
#define DTM_SETMCFONT (DTM_FIRST + 9)
#define DTM_GETMCFONT (DTM_FIRST + 10)

#define GDT_ERROR (-1)
#define GDT_VALID 0
#define GDT_NONE 1
#define GDTR_MIN 0x0001
#define GDTR_MAX 0x0002

#define MCSC_BACKGROUND 0
#define MCSC_TEXT 1
#define MCSC_TITLEBK 2
#define MCSC_TITLETEXT 3
#define MCSC_MONTHBK 4
#define MCSC_TRAILINGTEXT 5


typedef struct tagNMDATETIMECHANGE
{
    NMHDR nmhdr;
    DWORD dwFlags;  // GDT_VALID or GDT_NONE
    SYSTEMTIME st;
} NMDATETIMECHANGE, *LPNMDATETIMECHANGE;

// ---- Month calendar -------------------------------------------------------------------
#define MCS_DAYSTATE 0x0001
#define MCS_MULTISELECT 0x0002
#define MCS_WEEKNUMBERS 0x0004
#define MCS_NOTODAYCIRCLE 0x0008
#define MCS_NOTODAY 0x0010

#define MCM_FIRST 0x1000
#define MCM_GETCURSEL (MCM_FIRST + 1)
#define MCM_SETCURSEL (MCM_FIRST + 2)
#define MCM_GETMAXSELCOUNT (MCM_FIRST + 3)
#define MCM_SETMAXSELCOUNT (MCM_FIRST + 4)
#define MCM_GETSELRANGE (MCM_FIRST + 5)
#define MCM_SETSELRANGE (MCM_FIRST + 6)
#define MCM_GETMONTHRANGE (MCM_FIRST + 7)
#define MCM_SETDAYSTATE (MCM_FIRST + 8)
#define MCM_GETMINREQRECT (MCM_FIRST + 9)
#define MCM_SETCOLOR (MCM_FIRST + 10)
#define MCM_GETCOLOR (MCM_FIRST + 11)
#define MCM_SETTODAY (MCM_FIRST + 12)
#define MCM_GETTODAY (MCM_FIRST + 13)
#define MCM_HITTEST (MCM_FIRST + 14)
#define MCM_SETFIRSTDAYOFWEEK (MCM_FIRST + 15)
#define MCM_GETFIRSTDAYOFWEEK (MCM_FIRST + 16)
#define MCM_GETRANGE (MCM_FIRST + 17)
#define MCM_SETRANGE (MCM_FIRST + 18)


typedef struct tagNMSELCHANGE
{
    NMHDR nmhdr;
    SYSTEMTIME stSelStart;
    SYSTEMTIME stSelEnd;
} NMSELCHANGE, *LPNMSELCHANGE, NMSELECT, *LPNMSELECT;

// ---- Progress bar ---------------------------------------------------------------------
#define PBS_SMOOTH 0x01
#define PBS_VERTICAL 0x04
#define PBM_SETRANGE (PC_WM_USER + 1)
#define PBM_SETPOS (PC_WM_USER + 2)
#define PBM_DELTAPOS (PC_WM_USER + 3)
#define PBM_SETSTEP (PC_WM_USER + 4)
#define PBM_STEPIT (PC_WM_USER + 5)
#define PBM_SETRANGE32 (PC_WM_USER + 6)
#define PBM_GETRANGE (PC_WM_USER + 7)
#define PBM_GETPOS (PC_WM_USER + 8)
#define PBM_SETBARCOLOR (PC_WM_USER + 9)
#define PBM_SETBKCOLOR 0x2001

typedef struct
{
    int iLow;
    int iHigh;
} PBRANGE, *PPBRANGE;

// ---- Address field --------------------------------------------------------------------
#define IPM_CLEARADDRESS (PC_WM_USER + 100)
#define IPM_SETADDRESS (PC_WM_USER + 101)
#define IPM_GETADDRESS (PC_WM_USER + 102)
#define IPM_SETRANGE (PC_WM_USER + 103)
#define IPM_SETFOCUS (PC_WM_USER + 104)
#define IPM_ISBLANK (PC_WM_USER + 105)
#define MAKEIPRANGE(low, high) ((LPARAM)(WORD)(((BYTE)(high) << 8) + (BYTE)(low)))
#define MAKEIPADDRESS(b1, b2, b3, b4) \
    ((LPARAM)(((DWORD)(b1) << 24) + ((DWORD)(b2) << 16) + ((DWORD)(b3) << 8) + ((DWORD)(b4))))
#define FIRST_IPADDRESS(x) ((x >> 24) & 0xff)
#define SECOND_IPADDRESS(x) ((x >> 16) & 0xff)
#define THIRD_IPADDRESS(x) ((x >> 8) & 0xff)
#define FOURTH_IPADDRESS(x) (x & 0xff)

typedef struct tagNMIPADDRESS
{
    NMHDR hdr;
    int iField;
    int iValue;
} NMIPADDRESS, *LPNMIPADDRESS;

// ---- Animation ------------------------------------------------------------------------
#define ACS_CENTER 0x0001
#define ACS_TRANSPARENT 0x0002
#define ACS_AUTOPLAY 0x0004
#define ACS_TIMER 0x0008
#define ACM_OPENA (PC_WM_USER + 100)
#define ACM_OPEN ACM_OPENA
#define ACM_PLAY (PC_WM_USER + 101)
#define ACM_STOP (PC_WM_USER + 102)
#define ACM_ISPLAYING (PC_WM_USER + 104)
#define ACN_START 1
#define ACN_STOP 2

// ---- Tooltips -------------------------------------------------------------------------
#define TTS_ALWAYSTIP 0x01
#define TTS_NOPREFIX 0x02
#define TTF_IDISHWND 0x0001
#define TTF_CENTERTIP 0x0002
#define TTF_RTLREADING 0x0004
#define TTF_SUBCLASS 0x0010
#define TTF_TRACK 0x0020
#define TTF_ABSOLUTE 0x0080
#define TTF_TRANSPARENT 0x0100
#define TTDT_AUTOMATIC 0
#define TTDT_RESHOW 1
#define TTDT_AUTOPOP 2
#define TTDT_INITIAL 3
#define LPSTR_TEXTCALLBACK ((LPSTR)-1L)

typedef struct tagTOOLINFO
{
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
} TOOLINFO, *LPTOOLINFO, TTTOOLINFO, *LPTTTOOLINFO;

typedef struct tagNMTTDISPINFO
{
    NMHDR hdr;
    LPSTR lpszText;
    char szText[80];
    HINSTANCE hinst;
    UINT uFlags;
    LPARAM lParam;
} NMTTDISPINFO, *LPNMTTDISPINFO, TOOLTIPTEXT, *LPTOOLTIPTEXT;

// ---- Rich edit (plain text) -----------------------------------------------------------
#define EM_CANPASTE (PC_WM_USER + 50)
#define EM_EXGETSEL (PC_WM_USER + 52)
#define EM_EXLIMITTEXT (PC_WM_USER + 53)
#define EM_EXSETSEL (PC_WM_USER + 55)
#define EM_GETEVENTMASK (PC_WM_USER + 59)
#define EM_GETSELTEXT (PC_WM_USER + 62)
#define EM_HIDESELECTION (PC_WM_USER + 63)
#define EM_SETBKGNDCOLOR (PC_WM_USER + 67)
#define EM_SETCHARFORMAT (PC_WM_USER + 68)
#define EM_SETEVENTMASK (PC_WM_USER + 69)
#define EM_GETTEXTRANGE (PC_WM_USER + 75)
#define ENM_NONE 0x00000000
#define ENM_CHANGE 0x00000001
#define ENM_UPDATE 0x00000002
#define ENM_SCROLL 0x00000004
#define ENM_KEYEVENTS 0x00010000
#define ENM_MOUSEEVENTS 0x00020000
#define ENM_SELCHANGE 0x00080000

typedef struct _charrange
{
    LONG cpMin;
    LONG cpMax;
} CHARRANGE;

typedef struct _textrange
{
    CHARRANGE chrg;
    LPSTR lpstrText;
} TEXTRANGE;
