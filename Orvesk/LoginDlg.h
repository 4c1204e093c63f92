// The login dialog: asks for a user name and a password, enciphers the password and logs
// in at the project service. Three tries; the third wrong answer cancels.
#pragma once

#include <ClassLib/AfxWin.h>

class CLoginDlg : public CDialog
{
public:
    explicit CLoginDlg(CWnd* pParent = NULL);

    // The connection the login uses; called before DoModal.
    void SetConnection(int bAutomation, CString strServiceUrl, CString strProxyPort,
                       CString strProxyAddress);
    // The user name and the password as the user typed them; called after IDOK.
    void GetLoginInfo(CString& strUserName, CString& strPassword);

    // Installs the dialog as the project document's login.
    static void InstallAsProjectLogin();

    CString m_strProxyServerAddress;
    CString m_strPassword;
    CString m_strUserName;
    int m_nTries;
    CString m_strProxyServerPort;
    CString m_strServiceUrl;
    int m_bAutomation;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
