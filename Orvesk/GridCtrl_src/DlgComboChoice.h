// A small pick-one dialog: three dates as radio buttons; the chosen index (0-2) is
// exchanged with m_nChoice.
#pragma once

#include "GridDefines.h"

#define IDD_COMBO_CHOICE   20004
#define IDC_CHOICE_FIRST   20009
#define IDC_CHOICE_SECOND  20010
#define IDC_CHOICE_THIRD   20011

class CDlgComboChoice : public CDialog
{
public:
    explicit CDlgComboChoice(CWnd* pParent = NULL);

    enum { IDD = IDD_COMBO_CHOICE };
    int m_nChoice;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};
