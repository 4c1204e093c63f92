// The about box (dialog 100): the product line, the support address as a link, and the
// button that opens the support web page.
#pragma once

#include "HyperLink.h"

#include <ClassLib/AfxWin.h>

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

    enum { IDD = 100 };

    // The support web page: the profile value "Settings\SupportURL", else the program's.
    static CString SupportURL();

    CHyperLink m_wndLink;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSupport();
    DECLARE_MESSAGE_MAP()
};
