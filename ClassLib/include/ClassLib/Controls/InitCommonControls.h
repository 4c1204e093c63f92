// Registers the window classes of the common controls (list view, header, tree view, tab
// control...), so windows of those classes can be made with CreateWindowEx and from
// dialog templates. Dialogs and the control classes' Create do it themselves.
#pragma once

#include <ClassLib/Core/WinTypes.h>

typedef struct tagINITCOMMONCONTROLSEX
{
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_HOTKEY_CLASS 0x00000040
#define ICC_ANIMATE_CLASS 0x00000080
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_DATE_CLASSES 0x00000100
#define ICC_USEREX_CLASSES 0x00000200
#define ICC_COOL_CLASSES 0x00000400
#define ICC_INTERNET_CLASSES 0x00000800

AFX_EXT_API void InitCommonControls();
// Every class is registered whatever dwICC names; FALSE for a NULL or short record.
AFX_EXT_API BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);
