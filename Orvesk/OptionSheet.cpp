#include "OptionSheet.h"

#include <cstdlib>

#include "ProjDialogsResource.h"
#include "ProjectDialogHooks.h"

BEGIN_MESSAGE_MAP(CConnectionPage, CPropertyPage)
    ON_BN_CLICKED(IDC_CONN_NO_PROXY, OnNoProxy)
    ON_BN_CLICKED(IDC_CONN_USE_PROXY, OnUseProxy)
END_MESSAGE_MAP()

CConnectionPage::CConnectionPage()
    : CPropertyPage(IDD_CONNECTION_PAGE), m_bAutomation(1), m_bValid(1), m_nProxyPort(80)
{
}

void CConnectionPage::SetSettings(CString strServer, CString strSite, CString strProxyAddress, int nProxyPort,
                                  int bAutomation)
{
    m_strServer = strServer;
    m_strSite = strSite;
    m_strProxyAddress = strProxyAddress;
    m_nProxyPort = nProxyPort;
    m_bAutomation = bAutomation;
}

void CConnectionPage::GetSettings(CString& strServer, CString& strSite, CString& strProxyAddress, int& nProxyPort,
                                  int& bAutomation) const
{
    strServer = m_strServer;
    strSite = m_strSite;
    strProxyAddress = m_strProxyAddress;
    nProxyPort = m_nProxyPort;
    bAutomation = m_bAutomation;
}

void CConnectionPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONN_PROXY_ADDRESS, m_ipProxy);
    DDX_Text(pDX, IDC_CONN_PROXY_PORT, m_nProxyPort);
    DDX_Text(pDX, IDC_CONN_SERVER, m_strServer);
    DDX_Text(pDX, IDC_CONN_SITE, m_strSite);
}

BOOL CConnectionPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    if (!m_strProxyAddress.IsEmpty()) {
        // Split at the first three dots; a missing dot leaves its part 0 and the search
        // for the next one starts again at the beginning.
        BYTE fields[4] = {0, 0, 0, 0};
        int nStart = 0;
        for (int i = 0; i < 3; ++i) {
            const int nDot = m_strProxyAddress.Find('.', nStart);
            if (nDot < 0) {
                fields[i] = 0;
                nStart = 0;
            } else {
                fields[i] = (BYTE)atoi(m_strProxyAddress.Mid(nStart, nDot - nStart));
                nStart = nDot + 1;
            }
        }
        fields[3] = (BYTE)atoi(m_strProxyAddress.Mid(nStart));
        m_ipProxy.SetAddress(fields[0], fields[1], fields[2], fields[3]);
    }

    if (m_bAutomation) {
        EnableProxyControls(FALSE);
        CheckRadioButton(IDC_CONN_NO_PROXY, IDC_CONN_USE_PROXY, IDC_CONN_NO_PROXY);
    } else {
        CheckRadioButton(IDC_CONN_NO_PROXY, IDC_CONN_USE_PROXY, IDC_CONN_USE_PROXY);
    }
    return TRUE;
}

void CConnectionPage::EnableProxyControls(BOOL bEnable)
{
    for (UINT nID : {IDC_CONN_ADDRESS_LABEL, IDC_CONN_PORT_LABEL, IDC_CONN_PROXY_ADDRESS, IDC_CONN_PROXY_PORT}) {
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(bEnable);
    }
}

void CConnectionPage::OnNoProxy()
{
    m_bAutomation = 1;
    EnableProxyControls(FALSE);
    CheckRadioButton(IDC_CONN_NO_PROXY, IDC_CONN_USE_PROXY, IDC_CONN_NO_PROXY);
}

void CConnectionPage::OnUseProxy()
{
    m_bAutomation = 0;
    EnableProxyControls(TRUE);
    CheckRadioButton(IDC_CONN_NO_PROXY, IDC_CONN_USE_PROXY, IDC_CONN_USE_PROXY);
}

void CConnectionPage::OnOK()
{
    if (!UpdateData(TRUE)) {
        m_bValid = 0;
        return;
    }
    if (m_strServer.IsEmpty()) {
        m_bValid = 0;
        MessageBox("请输入服务器名", "系统提示", MB_ICONINFORMATION);
        return;
    }
    if (m_strSite.IsEmpty()) {
        m_bValid = 0;
        MessageBox("请输入站点名称", "系统提示", MB_ICONINFORMATION);
        return;
    }
    if (m_bAutomation == 0) {
        if (m_ipProxy.IsBlank()) {
            m_bValid = 0;
            MessageBox("请填入代理服务器 IP !", "提示", MB_ICONINFORMATION);
            return;
        }
        BYTE f0 = 0, f1 = 0, f2 = 0, f3 = 0;
        m_ipProxy.GetAddress(f0, f1, f2, f3);
        m_strProxyAddress.Format("%d.%d.%d.%d", f0, f1, f2, f3);
    }
    m_bValid = 1;
    CPropertyPage::OnOK();
}

COptionSheet::COptionSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
    AddPage(&m_pageConnection);
}

COptionSheet::COptionSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    AddPage(&m_pageConnection);
}

BOOL COptionSheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDOK && m_pageConnection.GetSafeHwnd() != NULL) {
        m_pageConnection.OnOK();
        if (!m_pageConnection.IsValid())
            return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

void COptionSheet::InstallAsProjectOptions()
{
    ProjectSetOptionRunner([](const CString& strCaption, CProjConnectionSettings& settings) {
        COptionSheet sheet((LPCTSTR)strCaption, AfxGetMainWnd());
        sheet.m_pageConnection.SetSettings(settings.strServer, settings.strSite, settings.strProxyAddress,
                                           settings.nProxyPort, settings.bAutomation);
        const INT_PTR nResult = sheet.DoModal();
        if (nResult == IDOK)
            sheet.m_pageConnection.GetSettings(settings.strServer, settings.strSite, settings.strProxyAddress,
                                               settings.nProxyPort, settings.bAutomation);
        return nResult;
    });
}
