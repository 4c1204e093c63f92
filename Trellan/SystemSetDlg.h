// CSystemSetDlg: the shell's connection settings (server, site, HTTP proxy), kept under
// HKEY_LOCAL_MACHINE SOFTWARE\Corvallo\Lumo\MasterClient.
#pragma once

#include <ClassLib/AfxWin.h>

class CSystemSetDlg : public CDialog
{
public:
    explicit CSystemSetDlg(CWnd* pParent = NULL);

    enum { IDD = 133 };

    CString m_strProxyAddress;
    int m_bNoProxy;
    int m_nProxyPort;
    CString m_strServer;
    CString m_strSite;

    // Reads the stored values; proposes a proxy when none is stored.
    void LoadSettings();
    // Writes Automation, the proxy address and port, Server and VDir in this order;
    // FALSE at the first one that fails.
    BOOL SaveSettings();

    CIPAddressCtrl m_ctlProxyIP;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void EnableProxyControls(BOOL bEnable);

    afx_msg void OnNoProxy();
    afx_msg void OnUseProxy();
    DECLARE_MESSAGE_MAP()
};
