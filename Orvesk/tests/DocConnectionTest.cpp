// The connection settings: read from the registry when a document is made, written by the
// options, and the proxy passed on only when the settings ask for it.
#include <ClassLib/Registry/Registry.h>
#include <ClassLib/Testing.h>
#include <Internet/ServerSession.h>
#include <ProjectService/SoapProjectService.h>
#include <ProjectServiceLoopback/LoopbackProjectServer.h>

#include <gtest/gtest.h>

#include "ProjectDialogHooks.h"
#include "ProjectDoc.h"
#include "ProjectDocIds.h"

namespace {

const char kKey[] = "SOFTWARE\\Dunhelm\\Lumo\\MasterClient";

class DocConnectionTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        ProjectSetOptionRunner(ProjectOptionRunner());
        RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Dunhelm");
        RegDeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Dunhelm");
    }
    void SetString(LPCTSTR lpszName, const CString& strValue)
    {
        HKEY hKey = NULL;
        ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, kKey, &hKey), ERROR_SUCCESS);
        RegSetValueEx(hKey, lpszName, 0, REG_SZ, (const BYTE*)(LPCTSTR)strValue, strValue.GetLength() + 1);
        RegCloseKey(hKey);
    }
    void SetDword(LPCTSTR lpszName, DWORD dwValue)
    {
        HKEY hKey = NULL;
        ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, kKey, &hKey), ERROR_SUCCESS);
        RegSetValueEx(hKey, lpszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
        RegCloseKey(hKey);
    }
    CString GetString(LPCTSTR lpszName)
    {
        HKEY hKey = NULL;
        if (RegOpenKey(HKEY_LOCAL_MACHINE, kKey, &hKey) != ERROR_SUCCESS)
            return "<no key>";
        char sz[260] = {0};
        DWORD cb = sizeof(sz), dwType = 0;
        const LONG l = RegQueryValueEx(hKey, lpszName, NULL, &dwType, (LPBYTE)sz, &cb);
        RegCloseKey(hKey);
        return l == ERROR_SUCCESS ? CString(sz) : CString("<none>");
    }
};

TEST_F(DocConnectionTest, TheSettingsMakeTheServiceAddress)
{
    SetString("Server", "plan.example");
    SetString("VDir", "lumo");
    SetString("ProxyServerAddress", "10.0.0.8");
    SetString("ProxyServerPort", "3128");
    SetDword("Automation", 0);
    CProjectDoc doc;
    EXPECT_EQ(doc.m_strServiceUrl, CString("http://plan.example/lumo/WebService/OrveskService.WSDL"));
    EXPECT_EQ(doc.m_strServer, CString("plan.example"));
    EXPECT_EQ(doc.m_strVDir, CString("lumo"));
    EXPECT_EQ(doc.m_strProxyServerAddress, CString("10.0.0.8"));
    EXPECT_EQ(doc.m_strProxyServerPort, CString("3128"));
    EXPECT_EQ(doc.m_bAutomation, 0);
}

TEST_F(DocConnectionTest, AServerNamedWithHttpsIsReachedSoAndTheCertificateFileIsTrusted)
{
    SetString("Server", "HTTPS://plan.example:8443");
    SetString("VDir", "lumo");
    SetString("CertificateFile", "/etc/plan/team-ca.pem");
    serversession::SetTrustedCertificateFile("");
    {
        CProjectDoc doc;
        EXPECT_EQ(doc.m_strServiceUrl, CString("HTTPS://plan.example:8443/lumo/WebService/OrveskService.WSDL"));
        EXPECT_EQ(serversession::TrustedCertificateFile(), "/etc/plan/team-ca.pem");
    }
    // A plain name keeps meaning http; a name with http:// is not doubled.
    SetString("Server", "http://plan.example:8080");
    {
        CProjectDoc doc;
        EXPECT_EQ(doc.m_strServiceUrl, CString("http://plan.example:8080/lumo/WebService/OrveskService.WSDL"));
    }
    serversession::SetTrustedCertificateFile("");
}

TEST_F(DocConnectionTest, WithoutTheKeyThereIsNoAddressAndNoMessage)
{
    CTestMessageBoxes boxes;
    CProjectDoc doc;
    EXPECT_TRUE(doc.m_strServiceUrl.IsEmpty());
    EXPECT_EQ(doc.m_bAutomation, 1);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(DocConnectionTest, WithoutAServerTheUserIsToldWhenAServerOperationRuns)
{
    SetString("VDir", "lumo");
    CTestMessageBoxes boxes;
    boxes.AnswerText("没有设置服务器名!", IDOK);
    CProjectDoc doc;
    EXPECT_TRUE(doc.m_strServiceUrl.IsEmpty());
    EXPECT_EQ(boxes.Count(), 0);
    // Publishing ends at the message, before the login.
    EXPECT_TRUE(doc.OnCmdMsg(ID_SAVE_TO_SERVER, CN_COMMAND, NULL, NULL));
    EXPECT_EQ(boxes.Count(), 1);
    // Once the options name a server, nothing is said.
    ProjectSetOptionRunner([&](const CString&, CProjConnectionSettings& settings) {
        settings.strServer = "plan.example";
        return (INT_PTR)IDOK;
    });
    EXPECT_TRUE(doc.OnCmdMsg(ID_OPTION, CN_COMMAND, NULL, NULL));
    EXPECT_FALSE(doc.TellServerNameMissing());
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(DocConnectionTest, TheOptionsAreWrittenBackWithThePortAsNumber)
{
    SetString("Server", "old.example");
    SetString("ProxyServerPort", "");
    CProjectDoc doc;
    CProjConnectionSettings seen;
    ProjectSetOptionRunner([&](const CString& strCaption, CProjConnectionSettings& settings) {
        EXPECT_EQ(strCaption, CString("选项"));
        seen = settings;
        settings.strServer = "new.example";
        settings.strSite = "site2";
        settings.strProxyAddress = "proxy.example";
        settings.bAutomation = 0;
        return (INT_PTR)IDOK;
    });
    EXPECT_TRUE(doc.OnCmdMsg(ID_OPTION, CN_COMMAND, NULL, NULL));
    EXPECT_EQ(seen.strServer, CString("old.example"));
    EXPECT_EQ(seen.nProxyPort, 0);
    EXPECT_EQ(seen.bAutomation, 1);
    EXPECT_EQ(doc.m_strServiceUrl, CString("http://new.example/site2/WebService/OrveskService.WSDL"));
    // An empty port is stored as "0".
    EXPECT_EQ(doc.m_strProxyServerPort, CString("0"));
    EXPECT_EQ(GetString("ProxyServerPort"), CString("0"));
    EXPECT_EQ(GetString("Server"), CString("new.example"));
    EXPECT_EQ(GetString("VDir"), CString("site2"));
    EXPECT_EQ(GetString("ProxyServerAddress"), CString("proxy.example"));

    CProjectDoc again;
    EXPECT_EQ(again.m_strServiceUrl, doc.m_strServiceUrl);
    EXPECT_EQ(again.m_bAutomation, 0);
}

TEST_F(DocConnectionTest, ACancelledOptionSheetChangesNothing)
{
    ProjectSetOptionRunner([](const CString&, CProjConnectionSettings& settings) {
        settings.strServer = "x";
        return (INT_PTR)IDCANCEL;
    });
    CProjectDoc doc;
    doc.OnCmdMsg(ID_OPTION, CN_COMMAND, NULL, NULL);
    EXPECT_TRUE(doc.m_strServer.IsEmpty());
    EXPECT_EQ(GetString("Server"), CString("<no key>"));
}

// The loopback server stands in for a proxy: the service's own host does not exist, so
// only a request sent through the proxy is answered.
TEST_F(DocConnectionTest, TheProxyIsUsedOnlyWhenAutomationIsZero)
{
    CLoopbackProjectServer proxy;
    ASSERT_TRUE(proxy.Start());
    proxy.SetResources("<RESOURCES><RESOURCE><RESCODE>u1</RESCODE><RESNAME>张三</RESNAME></RESOURCE></RESOURCES>");
    CString strPort;
    strPort.Format("%d", proxy.Port());
    SetString("Server", "projects.invalid");
    SetString("VDir", "site");
    SetString("ProxyServerAddress", "127.0.0.1");
    SetString("ProxyServerPort", strPort);

    {
        // No Automation value: 1, no proxy, the host is not found.
        CProjectDoc doc;
        EXPECT_EQ(doc.m_bAutomation, 1);
        EXPECT_EQ(doc.GetResources(), 0);
        EXPECT_TRUE(proxy.Requests().empty());
    }
    SetDword("Automation", 0);
    // The documents' calls need a session of the service's origin, started through the proxy.
    const CString strService = "http://projects.invalid/site/WebService/OrveskService.WSDL";
    proxy.AddUser("u1", CLoopbackProjectServer::SessionPassword(), "u1");
    {
        CProjectServicePtr login(new CSoapProjectService);
        login->SetServiceUrl(strService);
        login->SetProxyServer("127.0.0.1");
        login->SetProxyPort(strPort);
        CString strReply;
        ASSERT_EQ(login->Login("u1", CLoopbackProjectServer::SessionPassword(), strReply), S_OK);
        ASSERT_EQ(strReply, CString("u1"));
    }
    CProjectDoc doc;
    EXPECT_EQ(doc.GetResources(), 1);
    EXPECT_EQ(doc.m_listResources.GetCount(), 1);
    ASSERT_FALSE(proxy.Requests().empty());
    EXPECT_TRUE(proxy.Requests().back().absoluteForm);
    serversession::ForgetSession(serversession::OriginOf((LPCTSTR)strService));
}

} // namespace
