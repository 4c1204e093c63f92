// The components on a server named with https: over TLS, verified against the trusted
// certificates, and with the session of the process's login.
#include "PdmTestSupport.h"

#include <Internet/ServerSession.h>
#include <Pdm/PdmFactory.h>
#include <Pdm/PdmReplies.h>
#include <ProjectServiceLoopback/LoopbackSessionServer.h>

#include <ClassLib/Core/Conversion.h>

namespace {

const char kNodes[] = "/pdm/Nodes.asp?ClassID=20&ObjectID=0";

class PdmHttpsSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UnsetProxies();
        SetPdmHttpTimeouts(2000, 2000, 5000);
        ASSERT_TRUE(server.Start(true));
        server.AddUser("u1", "c1", "User One");
        std::vector<PdmNodeRow> rows(1);
        rows[0].classId = PDM_FOLDER_CLASS;
        rows[0].objectId = 7;
        rows[0].name = u8"图纸";
        server.ServeFile(kNodes, WritePdmNodes(rows), kPdmXmlType);
        SetPdmServerSetting("https://127.0.0.1:" + std::to_string(server.Port()) + "/");
    }
    void TearDown() override
    {
        LoopbackForgetSession(server.ServiceUrl());
        serversession::SetTrustedCertificateFile("");
        server.Stop();
        SetPdmServerSetting("");
        SetPdmHttpTimeouts(5000, 10000, 30000);
    }
    HRESULT LoadRoot(LONG& count)
    {
        CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
        count = -1;
        const HRESULT hr = list->LoadChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT);
        if (hr == S_OK)
            list->GetCount(count);
        return hr;
    }

    CLoopbackSessionServer server;
    CPdmTraceCatcher trace;
};

} // namespace

TEST_F(PdmHttpsSourceTest, TheComponentsAskOverTlsWithTheSession)
{
    LONG count = -1;
    // Not trusted: nothing reaches the server.
    EXPECT_EQ(PDM_E_STORE, LoadRoot(count));
    EXPECT_TRUE(server.Requests().empty());
    serversession::SetTrustedCertificateFile(CLoopbackSessionServer::CertificateDir() + "/test-ca.pem");
    // Trusted, but no session yet.
    EXPECT_EQ(PDM_E_STORE, LoadRoot(count));
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_EQ(401, server.Requests()[0].status);
    ASSERT_TRUE(LoopbackLogIn(server.ServiceUrl(), "u1", "c1"));
    ASSERT_EQ(S_OK, LoadRoot(count));
    EXPECT_EQ(1, count);
    const auto last = server.Requests().back();
    EXPECT_EQ("PDM", last.operation);
    EXPECT_EQ("/pdm/Nodes.asp", last.path);
    EXPECT_EQ(200, last.status);
    EXPECT_EQ(serversession::CookieFor(server.ServiceUrl()), last.cookie);
    EXPECT_NE("", last.cookie);
}
