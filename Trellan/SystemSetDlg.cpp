#include "SystemSetDlg.h"

#include "ProxyProposal.h"
#include "Resource.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CSystemSetDlg, CDialog)
    ON_BN_CLICKED(IDC_NO_PROXY, OnNoProxy)
    ON_BN_CLICKED(IDC_USE_PROXY, OnUseProxy)
END_MESSAGE_MAP()

namespace {

const char kShellKey[] = "SOFTWARE\\Corvallo\\Lumo\\MasterClient";

// A string value read into a 260-byte buffer; FALSE when it is missing.
BOOL ReadString(HKEY hKey, LPCTSTR lpszName, CString& rValue)
{
    char buf[260] = {};
    DWORD dwType = 0;
    DWORD cb = sizeof(buf);
    if (RegQueryValueEx(hKey, lpszName, NULL, &dwType, reinterpret_cast<LPBYTE>(buf), &cb) != ERROR_SUCCESS)
        return FALSE;
    buf[sizeof(buf) - 1] = '\0';
    rValue = buf;  // a multi-string value gives its first string
    return TRUE;
}

BOOL WriteString(HKEY hKey, LPCTSTR lpszName, const CString& strValue)
{
    return RegSetValueEx(hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>((LPCTSTR)strValue),
                         (DWORD)strValue.GetLength() + 1) == ERROR_SUCCESS;
}

}  // namespace

CSystemSetDlg::CSystemSetDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_bNoProxy(1), m_nProxyPort(8080)
{
}

void CSystemSetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROXY_IP, m_ctlProxyIP);
    DDX_Text(pDX, IDC_SERVER, m_strServer);
    DDX_Text(pDX, IDC_SITE, m_strSite);
    DDX_Text(pDX, IDC_PROXY_PORT, m_nProxyPort);
}

void CSystemSetDlg::LoadSettings()
{
    HKEY hKey = NULL;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kShellKey, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS) {
        CString strValue;
        if (ReadString(hKey, "ProxyServerAddress", strValue))
            m_strProxyAddress = strValue;
        if (ReadString(hKey, "ProxyServerPort", strValue))
            m_nProxyPort = atoi(strValue);
        if (ReadString(hKey, "Server", strValue))
            m_strServer = strValue;
        if (ReadString(hKey, "VDir", strValue))
            m_strSite = strValue;
        DWORD dwValue = 0, dwType = 0, cb = sizeof(dwValue);
        if (RegQueryValueEx(hKey, "Automation", NULL, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &cb) ==
            ERROR_SUCCESS)
            m_bNoProxy = (int)dwValue;
        RegCloseKey(hKey);
    }
    if (!m_strProxyAddress.IsEmpty())
        return;

    // No proxy stored: propose the proxy this session uses, else the default gateway.
    CString strProposal = SessionProxy();
    if (strProposal.IsEmpty())
        strProposal = DefaultGateway();
    if (strProposal.IsEmpty())
        return;
    int i = strProposal.Find(':');
    if (i < 0) {
        // A bare address (a gateway normally is one): the whole text is the address and
        // the port stays as it was.
        m_strProxyAddress = strProposal;
        return;
    }
    m_strProxyAddress = strProposal.Left(i);
    m_nProxyPort = atoi(strProposal.Mid(i + 1));
}

BOOL CSystemSetDlg::SaveSettings()
{
    HKEY hKey = NULL;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kShellKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS) {
        DWORD dwDisposition = 0;
        if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, kShellKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                           &hKey, &dwDisposition) != ERROR_SUCCESS)
            return FALSE;
    }
    CString strPort;
    strPort.Format("%d", m_nProxyPort);
    DWORD dwNoProxy = (DWORD)m_bNoProxy;
    BOOL bOK = RegSetValueEx(hKey, "Automation", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwNoProxy),
                             sizeof(dwNoProxy)) == ERROR_SUCCESS &&
               WriteString(hKey, "ProxyServerAddress", m_strProxyAddress) &&
               WriteString(hKey, "ProxyServerPort", strPort) && WriteString(hKey, "Server", m_strServer) &&
               WriteString(hKey, "VDir", m_strSite);
    RegCloseKey(hKey);
    return bOK;
}

void CSystemSetDlg::EnableProxyControls(BOOL bEnable)
{
    for (int nID : {IDC_PROXY_IP_LABEL, IDC_PROXY_PORT_LABEL, IDC_PROXY_IP, IDC_PROXY_PORT})
        if (CWnd* pItem = GetDlgItem(nID))
            pItem->EnableWindow(bEnable);
}

BOOL CSystemSetDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadSettings();
    if (!m_strProxyAddress.IsEmpty()) {
        // Cut at the first three dots; each part as a number truncated to a byte.
        CString strRest = m_strProxyAddress;
        BYTE fields[4] = {0, 0, 0, 0};
        for (int n = 0; n < 4; ++n) {
            int i = n < 3 ? strRest.Find('.') : -1;
            CString strPart = i >= 0 ? strRest.Left(i) : strRest;
            fields[n] = (BYTE)atoi(strPart);
            strRest = i >= 0 ? strRest.Mid(i + 1) : CString();
        }
        m_ctlProxyIP.SetAddress(fields[0], fields[1], fields[2], fields[3]);
    }
    if (m_bNoProxy == 0) {
        CheckRadioButton(IDC_NO_PROXY, IDC_USE_PROXY, IDC_USE_PROXY);
    } else {
        CheckRadioButton(IDC_NO_PROXY, IDC_USE_PROXY, IDC_NO_PROXY);
        EnableProxyControls(FALSE);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CSystemSetDlg::OnNoProxy()
{
    m_bNoProxy = 1;
    EnableProxyControls(FALSE);
    CheckRadioButton(IDC_NO_PROXY, IDC_USE_PROXY, IDC_NO_PROXY);
}

void CSystemSetDlg::OnUseProxy()
{
    m_bNoProxy = 0;
    EnableProxyControls(TRUE);
    CheckRadioButton(IDC_NO_PROXY, IDC_USE_PROXY, IDC_USE_PROXY);
}

void CSystemSetDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strServer.IsEmpty()) {
        MessageBox("请输入服务器名", "系统提示", MB_ICONINFORMATION);
        GetDlgItem(IDC_SERVER)->SetFocus();
        return;
    }
    if (m_strSite.IsEmpty()) {
        MessageBox("请输入站点名称", "系统提示", MB_ICONINFORMATION);
        GetDlgItem(IDC_SITE)->SetFocus();
        return;
    }
    if (m_bNoProxy == 0) {
        if (m_ctlProxyIP.IsBlank()) {
            MessageBox("请填入代理服务器 IP !", "提示", MB_ICONINFORMATION);
            m_ctlProxyIP.SetFocus();
            return;
        }
        BYTE b0 = 0, b1 = 0, b2 = 0, b3 = 0;
        m_ctlProxyIP.GetAddress(b0, b1, b2, b3);
        m_strProxyAddress.Format("%d.%d.%d.%d", b0, b1, b2, b3);
    }
    if (!SaveSettings()) {
        MessageBox("系统设置失败!", "提示", MB_ICONINFORMATION);
        return;
    }
    EndDialog(IDOK);
}
