// The option sheet of the project window and its connection page: server, site and the
// HTTP proxy through which the project service is reached.
#pragma once

#include <ClassLib/AfxWin.h>

class CConnectionPage : public CPropertyPage
{
public:
    CConnectionPage();

    void SetSettings(CString strServer, CString strSite, CString strProxyAddress, int nProxyPort, int bAutomation);
    void GetSettings(CString& strServer, CString& strSite, CString& strProxyAddress, int& nProxyPort,
                     int& bAutomation) const;
    // 1 when the last OK passed the checks.
    int IsValid() const { return m_bValid; }

    // Takes the controls' values and checks them; valid only when they pass. Safe to run
    // more than once (the sheet runs it before the base's OK runs it again).
    void OnOK() override;

    CString m_strProxyAddress;
    int m_bAutomation;
    int m_bValid;
    int m_nProxyPort;
    CString m_strServer;
    CString m_strSite;
    CIPAddressCtrl m_ipProxy;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnNoProxy();
    afx_msg void OnUseProxy();
    DECLARE_MESSAGE_MAP()

private:
    void EnableProxyControls(BOOL bEnable);
};

class COptionSheet : public CPropertySheet
{
public:
    explicit COptionSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit COptionSheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    // Installs the sheet as the project document's option sheet.
    static void InstallAsProjectOptions();

    CConnectionPage m_pageConnection;

protected:
    // OK goes through the connection page's checks first; a failed check keeps the sheet
    // open.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
