// Dialog templates as per-module data. A module declares each dialog as a table of
// controls and registers it with its resources:
//
//   static const AFX_DLG_ITEM kLoginItems[] = {
//       {"STATIC", IDC_STATIC, "用户名", WS_CHILD | WS_VISIBLE, 7, 42, 30, 8},
//       {"EDIT", 23054, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 40, 36, 82, 14},
//       {"BUTTON", IDOK, "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 142, 7, 45, 14},
//   };
//   static const AFX_DLG_TEMPLATE kLogin = {
//       DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 194, 82,
//       "用户登入", "宋体", 9, AFX_DLG_ITEMS(kLoginItems)};
//   AFX_MODULE_RESOURCES(Orvesk) { AfxRegisterResource(hModule, RT_DIALOG, 21046, &kLogin); }
//
// Positions and sizes are dialog units of the template's font. A control's style is
// given whole: it shows only with WS_VISIBLE, as in the platform's binary templates.
// The class is a standard control class ("BUTTON", "EDIT", "STATIC", "COMBOBOX",
// "LISTBOX", "SCROLLBAR", UPDOWN_CLASS, DATETIMEPICK_CLASS...) or a window class a module
// registered; an unknown class gives a plain child window.
#pragma once

#include <ClassLib/Core/WinTypes.h>

#include <cstddef>

#define DS_ABSALIGN 0x01L
#define DS_SYSMODAL 0x02L
#define DS_3DLOOK 0x0004L
#define DS_FIXEDSYS 0x0008L
#define DS_NOFAILCREATE 0x0010L
#define DS_LOCALEDIT 0x20L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_NOIDLEMSG 0x100L
#define DS_SETFOREGROUND 0x200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

struct AFX_DLG_ITEM
{
    const char* pszClass;
    int nID;
    const char* pszText;  // the control's text; "#123" names resource 123 (pictures)
    DWORD dwStyle;
    short x, y, cx, cy;
    DWORD dwExStyle = 0;
    // The first items of a combo box or list box, separated by '\n' (the template's
    // initial data); NULL for none.
    const char* pszInitItems = nullptr;
};

struct AFX_DLG_TEMPLATE
{
    DWORD dwStyle;
    DWORD dwExStyle;
    short x, y, cx, cy;
    const char* pszCaption;
    const char* pszFont;  // with DS_SETFONT; NULL: the system's dialog font
    WORD wPointSize;
    const AFX_DLG_ITEM* pItems;
    size_t nItems;
    WORD wWeight = 400;
    BYTE bItalic = 0;
    BYTE bCharSet = 134;  // GB2312
};

#define AFX_DLG_ITEMS(items) (items), (sizeof(items) / sizeof((items)[0]))

// Dialog manager messages.
#define DM_GETDEFID 0x0400
#define DM_SETDEFID 0x0401
#define DM_REPOSITION 0x0402
#define DC_HASDEFID 0x534B
