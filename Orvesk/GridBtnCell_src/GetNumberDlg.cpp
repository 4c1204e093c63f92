#include "GetNumberDlg.h"

CGetNumberDlg::CGetNumberDlg(CWnd* pParent) : CDialog(IDD_GETNUMBER, pParent), m_nNumber(0) {}

CGetNumberDlg::~CGetNumberDlg() {}

void CGetNumberDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GETNUMBER_PROMPT, m_staticPrompt);
    DDX_Control(pDX, IDC_GETNUMBER_EDIT, m_editNumber);
    DDX_Text(pDX, IDC_GETNUMBER_PROMPT, m_strPrompt);
    DDX_Text(pDX, IDC_GETNUMBER_EDIT, m_nNumber);
}

BOOL CGetNumberDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strTitle.IsEmpty())
        SetWindowText(m_strTitle);
    return TRUE;
}
