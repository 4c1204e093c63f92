// The login dialog.
#include "LoginDlg.h"

#include <ProjectService/ProjectServiceFactory.h>

#include "DocDialogsResource.h"
#include "ProjectLogin.h"
#include "ProjectServiceUse.h"
#include "StringCipher.h"

BEGIN_MESSAGE_MAP(CLoginDlg, CDialog)
END_MESSAGE_MAP()

CLoginDlg::CLoginDlg(CWnd* pParent)
    : CDialog(IDD_LOGIN_DIALOG, pParent), m_nTries(0), m_bAutomation(1)
{
}

void CLoginDlg::SetConnection(int bAutomation, CString strServiceUrl, CString strProxyPort,
                              CString strProxyAddress)
{
    m_bAutomation = bAutomation;
    m_strServiceUrl = strServiceUrl;
    m_strProxyServerPort = strProxyPort;
    m_strProxyServerAddress = strProxyAddress;
}

void CLoginDlg::GetLoginInfo(CString& strUserName, CString& strPassword)
{
    strUserName = m_strUserName;
    strPassword = m_strPassword;
}

void CLoginDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LOGIN_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_LOGIN_USERNAME, m_strUserName);
}

void CLoginDlg::OnOK()
{
    UpdateData(TRUE);
    if (m_strUserName.IsEmpty())
    {
        MessageBox("请输入用户名!", "系统提示", MB_ICONINFORMATION);
        GetDlgItem(IDC_LOGIN_USERNAME)->SetFocus();
        return;
    }

    // The password goes to the server enciphered; the edits keep what the user typed.
    CString strCiphered = m_strPassword;
    EncryptString(strCiphered, g_szLoginCipherKey);

    IProjectService* pService = CreateProjectService();
    if (pService == NULL)
        return;
    CProjectServicePtr service(pService);

    SetCapture();
    CWaitCursor wait;
    service->SetServiceUrl(m_strServiceUrl);
    if (m_bAutomation == 0)
    {
        service->SetProxyServer(m_strProxyServerAddress);
        service->SetProxyPort(m_strProxyServerPort);
    }
    CString strReply;
    service->Login(m_strUserName, strCiphered, strReply);

    if (strReply == "SERVER ERROR")
    {
        m_strUserName.Empty();
        m_strPassword.Empty();
        AfxMessageBox(kProjectConnectionChecklist, MB_ICONINFORMATION);
        UpdateData(FALSE);
        ReleaseCapture();
        EndDialog(IDCANCEL);
        return;
    }
    if (!strReply.IsEmpty())
    {
        ReleaseCapture();
        CDialog::OnOK();
        return;
    }
    if (m_nTries == 2)
    {
        m_strUserName.Empty();
        m_strPassword.Empty();
        MessageBox("用户名或密码不正确!", "系统提示", MB_ICONINFORMATION);
        UpdateData(FALSE);
        ReleaseCapture();
        EndDialog(IDCANCEL);
        return;
    }
    m_nTries++;
    MessageBox("请输入正确的用户名和密码!", "系统提示", MB_ICONINFORMATION);
    GetDlgItem(IDC_LOGIN_PASSWORD)->SetFocus();
    ReleaseCapture();
}

void CLoginDlg::InstallAsProjectLogin()
{
    ProjectSetLoginHandler([](int bAutomation, const CString& strServiceUrl,
                              const CString& strProxyPort, const CString& strProxyAddress,
                              CString& strUser, CString& strPassword) -> BOOL {
        CLoginDlg dlg(AfxGetMainWnd());
        dlg.SetConnection(bAutomation, strServiceUrl, strProxyPort, strProxyAddress);
        if (dlg.DoModal() != IDOK)
            return FALSE;
        dlg.GetLoginInfo(strUser, strPassword);
        return TRUE;
    });
}
