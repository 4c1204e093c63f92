#include "AboutDlg.h"

#include "Resource.h"

#include <ClassLib/Shell/Shell.h>

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_SUPPORT, OnSupport)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD) {}

CString CAboutDlg::SupportURL()
{
    CString strDefault;
    strDefault.LoadString(IDS_SUPPORT_URL);
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL ? pApp->GetProfileString("Settings", "SupportURL", strDefault) : strDefault;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_LINK, m_wndLink);
}

BOOL CAboutDlg::OnInitDialog()
{
    m_wndLink.SetURL(SupportURL());
    CDialog::OnInitDialog();
    if (CStatic* pIcon = static_cast<CStatic*>(GetDlgItem(IDC_ABOUT_ICON)))
        if (pIcon->GetIcon() == NULL)
            pIcon->SetIcon(::AfxLoadIcon(IDR_MAINFRAME));
    return TRUE;
}

void CAboutDlg::OnSupport()
{
    ::ShellExecute(NULL, "open", SupportURL(), NULL, NULL, SW_SHOWNORMAL);
}
