// Every way the server can fail gives the caller a failure, never a partial success.
#include "LoopbackFixture.h"
#include "UnusedPort.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace {

typedef CLoopbackProjectServer::Fault Fault;

// Accepts connections on 127.0.0.1 and closes each at once, answering nothing.
class SilentCloser {
public:
    SilentCloser()
    {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_socket, (sockaddr*)&a, sizeof a);
        socklen_t len = sizeof a;
        getsockname(m_socket, (sockaddr*)&a, &len);
        m_port = ntohs(a.sin_port);
        listen(m_socket, 8);
        m_thread = std::thread([this] {
            while (!m_stop) {
                int c = accept(m_socket, nullptr, nullptr);
                if (c < 0)
                    break;
                char buffer[4096];
                (void)recv(c, buffer, sizeof buffer, 0);
                close(c);
            }
        });
    }
    ~SilentCloser()
    {
        m_stop = true;
        shutdown(m_socket, SHUT_RDWR);
        close(m_socket);
        m_thread.join();
    }
    int Port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

CString UrlOnPort(int port)
{
    return CString(("http://127.0.0.1:" + std::to_string(port) + "/site/WebService/OrveskService.WSDL").c_str());
}

} // namespace

class LoopbackFaultTest : public LoopbackTest {
protected:
    void SetUp() override
    {
        LoopbackTest::SetUp();
        pid = server.AddProject("<PROJECT><ID>0</ID><NAME>P</NAME></PROJECT>");
        ASSERT_GT(pid, 0);
    }

    // SaveProject under the fault: the result, with the out values checked for leftovers.
    HRESULT SaveUnder(Fault fault, const std::string& operation = "SaveProject")
    {
        server.SetFault(operation, fault, 1);
        auto c = Client(1500);
        CString reply = "left over";
        LONG result = 77;
        HRESULT hr = c->SaveProject(pid, "<PROJECT><ID>1</ID><NAME>Q</NAME></PROJECT>", reply, result);
        EXPECT_STREQ("", reply);
        EXPECT_EQ(-1, result);
        EXPECT_FALSE(c->GetLastErrorText().IsEmpty());
        lastError = c->GetLastErrorText();
        return hr;
    }

    LONG pid = 0;
    CString lastError;
};

TEST_F(LoopbackFaultTest, Http500IsAnHttpFailure)
{
    EXPECT_EQ(PS_E_HTTP, SaveUnder(Fault::Http500));
    EXPECT_STREQ("SaveProject: the server answered HTTP status 500", lastError);
}

TEST_F(LoopbackFaultTest, SoapFaultIsAFailureWithTheFaultText)
{
    EXPECT_EQ(PS_E_SOAPFAULT, SaveUnder(Fault::SoapFault));
    EXPECT_STREQ("SaveProject: the server answered a SOAP fault (soap:Server): the project server failed on purpose",
                 lastError);
}

TEST_F(LoopbackFaultTest, AConnectionClosedHalfWayIsAFailure)
{
    EXPECT_EQ(PS_E_CONNECT, SaveUnder(Fault::CloseConnection));
}

TEST_F(LoopbackFaultTest, GarbageIsABadReply)
{
    EXPECT_EQ(PS_E_BADREPLY, SaveUnder(Fault::Garbage));
}

TEST_F(LoopbackFaultTest, ATruncatedEnvelopeIsABadReply)
{
    EXPECT_EQ(PS_E_BADREPLY, SaveUnder(Fault::Truncated));
}

TEST_F(LoopbackFaultTest, AStallingServerRunsIntoTheTimeout)
{
    server.SetStallMilliseconds(4000);
    EXPECT_EQ(PS_E_TIMEOUT, SaveUnder(Fault::Stall));
}

TEST_F(LoopbackFaultTest, AFaultyDescriptionFailsTheCall)
{
    EXPECT_EQ(PS_E_WSDL, SaveUnder(Fault::Http500, "WSDL"));
    EXPECT_EQ(PS_E_WSDL, SaveUnder(Fault::Garbage, "WSDL"));
    EXPECT_EQ(PS_E_WSDL, SaveUnder(Fault::Truncated, "WSDL"));
    EXPECT_EQ(PS_E_CONNECT, SaveUnder(Fault::CloseConnection, "WSDL"));
    // Nothing was posted.
    for (const auto& r : server.Requests())
        EXPECT_EQ("WSDL", r.operation);
}

TEST_F(LoopbackFaultTest, FailuresLeaveNoOutValuesInAnyOperation)
{
    server.SetFault("", Fault::Garbage);
    auto c = Client();
    CString xml = "x", reply = "x";
    LONG n = 5;
    EXPECT_EQ(PS_E_BADREPLY, c->GetProjectList("u1", xml));
    EXPECT_STREQ("", xml);
    xml = "x";
    EXPECT_EQ(PS_E_BADREPLY, c->GetProjectData(pid, xml));
    EXPECT_STREQ("", xml);
    EXPECT_EQ(PS_E_BADREPLY, c->NewProject("<PROJECT/>", n));
    EXPECT_EQ(-1, n);
    n = 5;
    EXPECT_EQ(PS_E_BADREPLY, c->DeleteProject(pid, "", n));
    EXPECT_EQ(-1, n);
    EXPECT_EQ(PS_E_BADREPLY, c->SetProjectStatus(pid, 1));
    xml = "x";
    EXPECT_EQ(PS_E_BADREPLY, c->GetCalendar(pid, xml));
    EXPECT_STREQ("", xml);
    n = 5;
    EXPECT_EQ(PS_E_BADREPLY, c->SaveCalendar(pid, "<CALENDAR/>", n));
    EXPECT_EQ(-1, n);
    xml = "x";
    EXPECT_EQ(PS_E_BADREPLY, c->GetUsersPermission(pid, xml));
    EXPECT_STREQ("", xml);
    n = 5;
    EXPECT_EQ(PS_E_BADREPLY, c->SaveUsersPermission(pid, "<PERMISSIONS/>", n));
    EXPECT_EQ(-1, n);
    xml = "x";
    EXPECT_EQ(PS_E_BADREPLY, c->GetResources(xml));
    EXPECT_STREQ("", xml);
    n = 5;
    EXPECT_EQ(PS_E_BADREPLY, c->NewTask(0, 0, "<TASK/>", n));
    EXPECT_EQ(-1, n);
    // A failed login reads as the server error the login dialog reports.
    EXPECT_EQ(PS_E_BADREPLY, c->Login("u", "p", reply));
    EXPECT_STREQ("SERVER ERROR", reply);
}

TEST_F(LoopbackFaultTest, RefusalsOfTheServerAreFalseNotFailures)
{
    server.SetFault("", Fault::Refuse, -1, 4, "no");
    auto c = Client();
    CString xml = "x";
    LONG n = 0;
    EXPECT_EQ(S_FALSE, c->GetProjectData(pid, xml));
    EXPECT_STREQ("", xml);
    EXPECT_EQ(S_FALSE, c->DeleteProject(pid, "", n));
    EXPECT_EQ(4, n);
    EXPECT_EQ(S_FALSE, c->SaveCalendar(pid, "<CALENDAR/>", n));
    EXPECT_EQ(4, n);
    EXPECT_EQ(S_FALSE, c->NewTask(1, 2, "<TASK/>", n));
    EXPECT_EQ(-1, n);
    // Refused status changes are errors for the caller.
    EXPECT_EQ(PS_E_REFUSED, c->SetProjectStatus(pid, 1));
    // And nothing was changed.
    EXPECT_EQ(1, server.ProjectCount());
}

TEST_F(LoopbackFaultTest, AServerThatIsDownFailsToConnect)
{
    CSoapProjectService* raw = new CSoapProjectService;
    CProjectServicePtr c(raw);
    raw->SetTimeouts(2000, 5000);
    UnusedPort dead;
    c->SetServiceUrl(UrlOnPort(dead.Port()));
    CString reply = "x";
    EXPECT_EQ(PS_E_CONNECT, c->Login("u", "p", reply));
    EXPECT_STREQ("SERVER ERROR", reply);
    EXPECT_NE(-1, c->GetLastErrorText().Find("cannot reach"));
}

TEST_F(LoopbackFaultTest, APeerThatClosesWithoutAnswerFails)
{
    SilentCloser peer;
    CSoapProjectService* raw = new CSoapProjectService;
    CProjectServicePtr c(raw);
    raw->SetTimeouts(2000, 5000);
    c->SetServiceUrl(UrlOnPort(peer.Port()));
    CString xml = "x";
    EXPECT_EQ(PS_E_CONNECT, c->GetResources(xml));
    EXPECT_STREQ("", xml);
}

TEST_F(LoopbackFaultTest, AnAnswerAboveTheSizeLimitIsRefused)
{
    CSoapProjectService* raw = new CSoapProjectService;
    CProjectServicePtr c(raw);
    raw->SetMaxReplyBytes(200);
    c->SetServiceUrl(server.ServiceUrl());
    CString xml;
    EXPECT_EQ(PS_E_BADREPLY, c->GetResources(xml));
    EXPECT_NE(-1, c->GetLastErrorText().Find("larger than 200 bytes"));
}

TEST_F(LoopbackFaultTest, WithoutAServiceAddressNothingIsSent)
{
    CProjectServicePtr c(new CSoapProjectService);
    CString xml = "x";
    EXPECT_EQ(PS_E_NOSERVICEURL, c->GetResources(xml));
    EXPECT_STREQ("", xml);
    EXPECT_STREQ("GetResources: no service address was given", c->GetLastErrorText());
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(LoopbackFaultTest, OnlyHttpAddressesAreFetched)
{
    CProjectServicePtr c(new CSoapProjectService);
    c->SetServiceUrl("file:///etc/hostname");
    CString xml = "x";
    EXPECT_TRUE(FAILED(c->GetResources(xml)));
    EXPECT_STREQ("", xml);
}

TEST_F(LoopbackFaultTest, TheClientRecoversAfterAFault)
{
    server.SetFault("GetResources", Fault::Http500, 1);
    auto c = Client();
    CString xml;
    EXPECT_EQ(PS_E_HTTP, c->GetResources(xml));
    EXPECT_EQ(S_OK, c->GetResources(xml));
    EXPECT_STREQ("<RESOURCES></RESOURCES>", xml);
    EXPECT_STREQ("", c->GetLastErrorText());
}

TEST(UnusedPortTest, ThePortStaysTakenWhileTheTestUsesIt)
{
    UnusedPort dead;
    ASSERT_NE(0, dead.Port());
    // Nobody else (another test under ctest --parallel) can be given or bind the port now.
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons((uint16_t)dead.Port());
    EXPECT_NE(0, bind(s, (sockaddr*)&a, sizeof a));
    close(s);
}
