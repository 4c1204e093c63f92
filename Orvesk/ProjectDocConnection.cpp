// The connection settings of the project document: read from and written to the registry,
// and edited in the option sheet.
#include "ProjectDoc.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Registry/Registry.h>
#include <Internet/ServerSession.h>

#include <cstdlib>

#include "ProjectDialogHooks.h"
#include "ProjectProgress.h"

namespace {

const char kConnectionKey[] = "SOFTWARE\\Dunhelm\\Lumo\\MasterClient";

// A string value read into a 260-byte buffer; the field keeps its value when it cannot be
// read.
void QueryString(HKEY hKey, LPCTSTR lpszName, CString& strValue)
{
    char szBuffer[260];
    DWORD dwType = 0;
    DWORD cbData = sizeof(szBuffer);
    if (RegQueryValueEx(hKey, lpszName, NULL, &dwType, (LPBYTE)szBuffer, &cbData) != ERROR_SUCCESS)
        return;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        return;
    szBuffer[cbData < sizeof(szBuffer) ? cbData : sizeof(szBuffer) - 1] = '\0';
    strValue = szBuffer;
}

LONG SetString(HKEY hKey, LPCTSTR lpszName, const CString& strValue)
{
    return RegSetValueEx(hKey, lpszName, 0, REG_SZ, (const BYTE*)(LPCTSTR)strValue,
                         (DWORD)strValue.GetLength() + 1);
}

} // namespace

void CProjectDoc::BuildServiceUrl()
{
    // Without a server there is no address: "http:///..." would only fail later, less
    // clearly. A server named with its scheme ("https://host:port") is reached that way;
    // a plain name means http.
    CString strLower = m_strServer;
    strLower.MakeLower();
    if (m_strServer.IsEmpty())
        m_strServiceUrl.Empty();
    else if (strLower.Left(8) == "https://" || strLower.Left(7) == "http://")
        m_strServiceUrl = m_strServer + "/" + m_strVDir + "/WebService/OrveskService.WSDL";
    else
        m_strServiceUrl = "http://" + m_strServer + "/" + m_strVDir + "/WebService/OrveskService.WSDL";
}

int CProjectDoc::ReadReg()
{
    if (!m_strServiceUrl.IsEmpty())
        return 1;

    CProjectWait wait;
    HKEY hKey = NULL;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kConnectionKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return 0;

    QueryString(hKey, "Server", m_strServer);
    QueryString(hKey, "ProxyServerAddress", m_strProxyServerAddress);
    QueryString(hKey, "ProxyServerPort", m_strProxyServerPort);
    QueryString(hKey, "VDir", m_strVDir);
    // The certificates an https server is verified against, when not the system's.
    CString strCertificateFile;
    QueryString(hKey, "CertificateFile", strCertificateFile);
    if (!strCertificateFile.IsEmpty())
        serversession::SetTrustedCertificateFile(Utf8FromCString(strCertificateFile));
    DWORD dwAutomation = 0;
    DWORD dwType = 0;
    DWORD cbData = sizeof(dwAutomation);
    if (RegQueryValueEx(hKey, "Automation", NULL, &dwType, (LPBYTE)&dwAutomation, &cbData) == ERROR_SUCCESS
        && dwType == REG_DWORD)
        m_bAutomation = (int)dwAutomation;

    BuildServiceUrl();
    RegCloseKey(hKey);
    // Said when a server operation is about to run, not here: a local project needs no
    // server.
    m_bNoServerName = m_strServiceUrl.IsEmpty();
    return m_bNoServerName ? 0 : 1;
}

BOOL CProjectDoc::TellServerNameMissing()
{
    if (!m_bNoServerName)
        return FALSE;
    AfxMessageBox("\n  没有设置服务器名!\n\n  请在\"选项\"中设置服务器连接。", MB_ICONINFORMATION);
    return TRUE;
}

void CProjectDoc::SaveConnection()
{
    HKEY hKey = NULL;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kConnectionKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS) {
        DWORD dwDisposition = 0;
        if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, kConnectionKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, NULL, &hKey, &dwDisposition)
            != ERROR_SUCCESS)
            return;
    }

    const DWORD dwAutomation = (DWORD)m_bAutomation;
    LONG lResult = RegSetValueEx(hKey, "Automation", 0, REG_DWORD, (const BYTE*)&dwAutomation,
                                 sizeof(dwAutomation));
    if (lResult == ERROR_SUCCESS)
        lResult = SetString(hKey, "ProxyServerAddress", m_strProxyServerAddress);
    if (lResult == ERROR_SUCCESS)
        lResult = SetString(hKey, "ProxyServerPort", m_strProxyServerPort);
    if (lResult == ERROR_SUCCESS)
        lResult = SetString(hKey, "Server", m_strServer);
    if (lResult == ERROR_SUCCESS)
        SetString(hKey, "VDir", m_strVDir);
    RegCloseKey(hKey);
}

void CProjectDoc::OnOption()
{
    CProjConnectionSettings settings;
    settings.strServer = m_strServer;
    settings.strSite = m_strVDir;
    settings.strProxyAddress = m_strProxyServerAddress;
    settings.nProxyPort = atoi(m_strProxyServerPort);
    settings.bAutomation = m_bAutomation;
    if (ProjectRunOptionSheet("选项", settings) != IDOK)
        return;

    m_strServer = settings.strServer;
    m_strVDir = settings.strSite;
    m_strProxyServerAddress = settings.strProxyAddress;
    m_strProxyServerPort.Format("%d", settings.nProxyPort);
    m_bAutomation = settings.bAutomation;
    BuildServiceUrl();
    m_bNoServerName = m_strServiceUrl.IsEmpty();
    SaveConnection();
}
