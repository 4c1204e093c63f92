// The proxy settings: used exactly when given, for the description and for the calls.
#include "LoopbackFixture.h"

#include "UnusedPort.h"

#include <Internet/ServerSession.h>

#include <cstdlib>

namespace {

// Sets an environment variable for the scope of a test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name)
    {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        if (old)
            m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had = false;
    std::string m_old;
};

} // namespace

// `server` plays the proxy; the service address names a port where nothing listens, so a
// call can only succeed through the proxy.
class ProxyTest : public LoopbackTest {
protected:
    CProjectServicePtr ClientBehindProxy()
    {
        CSoapProjectService* c = new CSoapProjectService;
        c->SetTimeouts(2000, 5000);
        c->SetServiceUrl(CString(("http://127.0.0.1:" + std::to_string(deadPort) +
                                  "/site/WebService/OrveskService.WSDL").c_str()));
        return CProjectServicePtr(c);
    }
    CString ProxyPort() const { return CString(std::to_string(server.Port()).c_str()); }

    // Calls through the proxy go to the origin it stands in for, which has a session of its
    // own.
    void SetUp() override
    {
        LoopbackTest::SetUp();
        auto c = ClientBehindProxy();
        c->SetProxyServer("127.0.0.1");
        c->SetProxyPort(ProxyPort());
        CString reply;
        ASSERT_EQ(S_OK, c->Login("u1", CLoopbackProjectServer::SessionPassword(), reply));
        server.ClearRequests();
    }
    void TearDown() override
    {
        serversession::ForgetSession("http://127.0.0.1:" + std::to_string(deadPort));
        LoopbackTest::TearDown();
    }

    UnusedPort dead;
    int deadPort = dead.Port();
};

TEST_F(ProxyTest, AProxyAddressAndPortCarryEveryRequest)
{
    auto c = ClientBehindProxy();
    EXPECT_EQ(S_OK, c->SetProxyServer("127.0.0.1"));
    EXPECT_EQ(S_OK, c->SetProxyPort(ProxyPort()));
    CString xml;
    ASSERT_EQ(S_OK, c->GetResources(xml)) << (LPCTSTR)c->GetLastErrorText();
    auto requests = server.Requests();
    ASSERT_EQ(2u, requests.size());
    std::string origin = "http://127.0.0.1:" + std::to_string(deadPort);
    for (const auto& r : requests)
        EXPECT_TRUE(r.absoluteForm) << r.target;
    EXPECT_EQ(origin + "/site/WebService/OrveskService.WSDL", requests[0].target);
    EXPECT_EQ(origin + "/site/WebService/OrveskService", requests[1].target);
    EXPECT_EQ("GetResources", requests[1].operation);
}

TEST_F(ProxyTest, APortWithinTheAddressWorksToo)
{
    auto c = ClientBehindProxy();
    c->SetProxyServer(CString(("127.0.0.1:" + std::to_string(server.Port())).c_str()));
    c->SetProxyPort("");
    CString xml;
    ASSERT_EQ(S_OK, c->GetResources(xml)) << (LPCTSTR)c->GetLastErrorText();
    EXPECT_TRUE(server.Requests().back().absoluteForm);
}

TEST_F(ProxyTest, WithoutProxySettingsTheServerIsAskedDirectly)
{
    // Proxy variables of the environment do not apply: the settings say no proxy.
    ScopedEnv http("http_proxy", "http://127.0.0.1:" + std::to_string(deadPort));
    ScopedEnv all("ALL_PROXY", "http://127.0.0.1:" + std::to_string(deadPort));
    auto c = Client();
    CString xml;
    ASSERT_EQ(S_OK, c->GetResources(xml)) << (LPCTSTR)c->GetLastErrorText();
    for (const auto& r : server.Requests())
        EXPECT_FALSE(r.absoluteForm) << r.target;
}

TEST_F(ProxyTest, AnEmptyProxyAddressMeansNone)
{
    auto c = Client();
    c->SetProxyServer("  ");
    c->SetProxyPort(CString(std::to_string(deadPort).c_str()));
    CString xml;
    ASSERT_EQ(S_OK, c->GetResources(xml)) << (LPCTSTR)c->GetLastErrorText();
    EXPECT_FALSE(server.Requests().back().absoluteForm);
}

TEST_F(ProxyTest, TheNoProxyListOfTheEnvironmentDoesNotBypassAGivenProxy)
{
    ScopedEnv noProxy("no_proxy", "127.0.0.1,localhost");
    ScopedEnv noProxyUpper("NO_PROXY", "127.0.0.1,localhost");
    auto c = ClientBehindProxy();
    c->SetProxyServer("127.0.0.1");
    c->SetProxyPort(ProxyPort());
    CString xml;
    ASSERT_EQ(S_OK, c->GetResources(xml)) << (LPCTSTR)c->GetLastErrorText();
    EXPECT_TRUE(server.Requests().back().absoluteForm);
}

TEST_F(ProxyTest, AProxyThatIsDownFailsTheCall)
{
    auto c = Client();
    c->SetProxyServer("127.0.0.1");
    c->SetProxyPort(CString(std::to_string(deadPort).c_str()));
    CString xml = "x";
    EXPECT_EQ(PS_E_CONNECT, c->GetResources(xml));
    EXPECT_STREQ("", xml);
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(ProxyTest, APortThatIsNotANumberIsRefusedAndNotUsed)
{
    CProjectServicePtr c(new CSoapProjectService);
    EXPECT_EQ(E_INVALIDARG, c->SetProxyPort("80a"));
    EXPECT_EQ(E_INVALIDARG, c->SetProxyPort("70000"));
    EXPECT_EQ(E_INVALIDARG, c->SetProxyPort("-1"));
    EXPECT_EQ(S_OK, c->SetProxyPort("0"));
    EXPECT_EQ(S_OK, c->SetProxyPort(" 8080 "));
}
