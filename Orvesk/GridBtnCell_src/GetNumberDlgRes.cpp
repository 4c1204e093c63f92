// The template of the number-entry dialog, in the module of the library that carries the
// grid's cells.
#include "GetNumberDlg.h"

#ifndef GRIDCTRL_MODULE
#define GRIDCTRL_MODULE Orvesk
#endif

namespace {

const AFX_DLG_ITEM kGetNumberItems[] = {
    {"STATIC", IDC_GETNUMBER_PROMPT, "", WS_CHILD | WS_VISIBLE, 7, 9, 50, 8},
    {"EDIT", IDC_GETNUMBER_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 60, 7, 60, 14},
    {"BUTTON", IDOK, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 14, 30, 50, 14},
    {"BUTTON", IDCANCEL, "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 70, 30, 50, 14},
};

const AFX_DLG_TEMPLATE kGetNumber = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                     0,
                                     0,
                                     0,
                                     134,
                                     51,
                                     "Dialog",
                                     "宋体",
                                     9,
                                     AFX_DLG_ITEMS(kGetNumberItems)};

}  // namespace

#define GRIDCELLS_RESOURCES(name) AFX_MODULE_RESOURCES(name)
GRIDCELLS_RESOURCES(GRIDCTRL_MODULE)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_GETNUMBER, &kGetNumber);
}
