// The pick-one dialog and its template.
#include "DlgComboChoice.h"

#include <ClassLib/Resources/Resources.h>

// The module the dialog's template belongs to (the library that carries the grid).
#ifndef GRIDCTRL_MODULE
#define GRIDCTRL_MODULE Orvesk
#endif

namespace
{
const AFX_DLG_ITEM kChoiceItems[] = {
    {"BUTTON", IDC_CHOICE_FIRST, "2001-4-10",
     WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, 14, 12, 80, 10},
    {"BUTTON", IDC_CHOICE_SECOND, "2001-10-1", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 14, 28,
     80, 10},
    {"BUTTON", IDC_CHOICE_THIRD, "2020-10-10", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 14, 44,
     80, 10},
    {"BUTTON", IDOK, "OK", WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 112, 8,
     50, 14},
    {"BUTTON", IDCANCEL, "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 112, 26, 50,
     14},
};
const AFX_DLG_TEMPLATE kChoiceTemplate = {
    DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 172, 64,
    "Pick One", "宋体", 9, AFX_DLG_ITEMS(kChoiceItems)};
} // namespace

#define DLGCOMBOCHOICE_RESOURCES(name) AFX_MODULE_RESOURCES(name)
DLGCOMBOCHOICE_RESOURCES(GRIDCTRL_MODULE)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_COMBO_CHOICE, &kChoiceTemplate);
}

CDlgComboChoice::CDlgComboChoice(CWnd* pParent) : CDialog(CDlgComboChoice::IDD, pParent)
{
    m_nChoice = 0;
}

void CDlgComboChoice::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_CHOICE_FIRST, m_nChoice);
}
