// The SOAP client's session and revisions at the HTTP level, against a loopback server that
// keeps them as the team server does; HTTPS with the test certificates.
#include <Internet/ServerSession.h>
#include <Internet/WinInet.h>
#include <ProjectService/SoapProjectService.h>
#include <ProjectServiceLoopback/LoopbackSessionServer.h>

#include <ClassLib/Core/Conversion.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char kProject[] = "<PROJECT><ID>1</ID><NAME>alpha</NAME></PROJECT>";
const char kTask[] = "<TASK><ENTIREPROJID>1</ENTIREPROJID><TASKID>0</TASKID><NAME>t</NAME></TASK>";

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.AddUser("u1", "c1", "User One");
        ASSERT_EQ(1, server.AddProject(kProject));
    }
    void TearDown() override
    {
        serversession::ForgetSession(server.Origin());
        serversession::SetTrustedCertificateFile("");
        server.Stop();
    }
    void Start(bool tls = false) { ASSERT_TRUE(server.Start(tls)); }

    CProjectServicePtr Client()
    {
        CSoapProjectService* c = new CSoapProjectService;
        c->SetTimeouts(2000, 10000);
        c->SetServiceUrl(server.ServiceUrl().c_str());
        return CProjectServicePtr(c);
    }
    HRESULT LogIn(const char* user = "u1", const char* password = "c1")
    {
        CString reply;
        return Client()->Login(user, password, reply);
    }
    // The requests of the operation, in order.
    std::vector<CLoopbackSessionServer::Request> Of(const std::string& operation) const
    {
        std::vector<CLoopbackSessionServer::Request> out;
        for (const auto& r : server.Requests())
            if (r.operation == operation)
                out.push_back(r);
        return out;
    }

    CLoopbackSessionServer server;
};

} // namespace

TEST_F(SessionTest, TheCookieOfALoginGoesWithEveryLaterCallAndTheRevisionWithTheSave)
{
    Start();
    ASSERT_EQ(S_OK, LogIn());
    ASSERT_EQ(1, server.LiveSessions());
    auto c = Client();
    CString xml;
    ASSERT_EQ(S_OK, c->GetProjectData(1, xml)) << (LPCTSTR)c->GetLastErrorText();
    EXPECT_STREQ(kProject, xml);
    CString reply;
    LONG result = -1;
    ASSERT_EQ(S_OK, c->SaveProject(1, "<PROJECT><ID>1</ID><NAME>beta</NAME></PROJECT>", reply, result))
        << (LPCTSTR)c->GetLastErrorText();
    EXPECT_EQ(2, server.Revision(1));
    EXPECT_EQ("2", c->GetProjectRevision());
    // The next save starts from the revision the accepted one answered.
    auto next = Client();
    next->SetProjectRevision(c->GetProjectRevision());
    ASSERT_EQ(S_OK, next->SaveProject(1, "<PROJECT><ID>1</ID><NAME>gamma</NAME></PROJECT>", reply, result));
    EXPECT_EQ("<PROJECT><ID>1</ID><NAME>gamma</NAME></PROJECT>", server.ProjectText(1));

    const auto login = Of("Login");
    ASSERT_EQ(1u, login.size());
    EXPECT_EQ("", login[0].cookie);
    const auto data = Of("GetProjectData");
    ASSERT_EQ(1u, data.size());
    EXPECT_EQ(42u, data[0].cookie.size());
    EXPECT_EQ(0u, data[0].cookie.find("PCSESSION="));
    EXPECT_EQ("", data[0].ifMatch);
    const auto saves = Of("SaveProject");
    ASSERT_EQ(2u, saves.size());
    EXPECT_EQ(data[0].cookie, saves[0].cookie);
    EXPECT_EQ("\"1\"", saves[0].ifMatch);
    EXPECT_EQ("\"2\"", saves[1].ifMatch);
    EXPECT_EQ(data[0].cookie, Of("WSDL").back().cookie);
}

TEST_F(SessionTest, WithoutASessionACallFailsAsAConnectionFailure)
{
    Start();
    auto c = Client();
    CString xml = "kept?";
    EXPECT_EQ(PS_E_CONNECT, c->GetProjectData(1, xml));
    EXPECT_STREQ("", xml);
    EXPECT_STREQ("GetProjectData: the server asks for a login first (HTTP 401)", c->GetLastErrorText());
    ASSERT_EQ(1u, Of("GetProjectData").size());
    EXPECT_EQ(401, Of("GetProjectData")[0].status);

    // A wrong password starts no session; the refusal is the server's empty reply.
    CString reply;
    EXPECT_EQ(S_OK, Client()->Login("u1", "wrong", reply));
    EXPECT_STREQ("", reply);
    LONG result = -1;
    EXPECT_EQ(PS_E_CONNECT, Client()->SaveProject(1, kProject, reply, result));
    EXPECT_EQ(-1, result);
    EXPECT_EQ(kProject, server.ProjectText(1));
}

TEST_F(SessionTest, ASessionTheServerEndedIsDroppedAndALoginStartsANewOne)
{
    Start();
    ASSERT_EQ(S_OK, LogIn());
    server.EndAllSessions();
    CString xml;
    EXPECT_EQ(PS_E_CONNECT, Client()->GetProjectData(1, xml));
    EXPECT_EQ(PS_E_CONNECT, Client()->GetProjectData(1, xml));
    const auto refused = Of("GetProjectData");
    ASSERT_EQ(2u, refused.size());
    EXPECT_NE("", refused[0].cookie);
    EXPECT_EQ("", refused[1].cookie);  // forgotten after the first 401
    ASSERT_EQ(S_OK, LogIn());
    EXPECT_EQ(S_OK, Client()->GetProjectData(1, xml));
    EXPECT_EQ(200, Of("GetProjectData").back().status);
}

TEST_F(SessionTest, AStaleSaveIsRefusedWithTheServersTextAndStoresNothing)
{
    Start();
    ASSERT_EQ(S_OK, LogIn());
    CString xml, reply;
    auto c = Client();
    ASSERT_EQ(S_OK, c->GetProjectData(1, xml));
    server.SaveAsAnotherClient(1, "<PROJECT><ID>1</ID><NAME>theirs</NAME></PROJECT>");
    LONG result = -1;
    EXPECT_EQ(S_FALSE, c->SaveProject(1, "<PROJECT><ID>1</ID><NAME>mine</NAME></PROJECT>", reply, result));
    EXPECT_EQ(1, result);
    EXPECT_EQ(CStringFromUtf8(CLoopbackSessionServer::StaleSaveText()), reply);
    EXPECT_EQ("<PROJECT><ID>1</ID><NAME>theirs</NAME></PROJECT>", server.ProjectText(1));
    EXPECT_EQ("\"1\"", Of("SaveProject").back().ifMatch);
    // The refused save taught the client nothing new: it is refused again until reopened.
    EXPECT_EQ("1", c->GetProjectRevision());
    EXPECT_EQ(S_FALSE, c->SaveProject(1, "<PROJECT><ID>1</ID><NAME>mine</NAME></PROJECT>", reply, result));
    ASSERT_EQ(S_OK, c->GetProjectData(1, xml));
    EXPECT_EQ(S_OK, c->SaveProject(1, "<PROJECT><ID>1</ID><NAME>mine</NAME></PROJECT>", reply, result));
    EXPECT_EQ("\"2\"", Of("SaveProject").back().ifMatch);
    // An instance that was handed no revision names none, and is refused.
    EXPECT_EQ(S_FALSE, Client()->SaveProject(1, "<PROJECT><ID>1</ID><NAME>blind</NAME></PROJECT>", reply, result));
    EXPECT_EQ("", Of("SaveProject").back().ifMatch);
    EXPECT_EQ("<PROJECT><ID>1</ID><NAME>mine</NAME></PROJECT>", server.ProjectText(1));
}

TEST_F(SessionTest, TwoHoldersOfOneProjectKeepTheirOwnRevisionsSoTheSecondStaleSaveIsRefused)
{
    Start();
    ASSERT_EQ(S_OK, LogIn());
    CString xml, reply;
    // Two windows of one program open the same project.
    auto first = Client(), second = Client();
    ASSERT_EQ(S_OK, first->GetProjectData(1, xml));
    ASSERT_EQ(S_OK, second->GetProjectData(1, xml));
    LONG result = -1;
    ASSERT_EQ(S_OK, first->SaveProject(1, "<PROJECT><ID>1</ID><NAME>first</NAME></PROJECT>", reply, result));
    EXPECT_EQ(S_FALSE, second->SaveProject(1, "<PROJECT><ID>1</ID><NAME>second</NAME></PROJECT>", reply, result));
    EXPECT_EQ(1, result);
    EXPECT_EQ(CStringFromUtf8(CLoopbackSessionServer::StaleSaveText()), reply);
    EXPECT_EQ("<PROJECT><ID>1</ID><NAME>first</NAME></PROJECT>", server.ProjectText(1));
    EXPECT_EQ("\"1\"", Of("SaveProject").back().ifMatch);
    EXPECT_EQ("2", first->GetProjectRevision());
    EXPECT_EQ("1", second->GetProjectRevision());
}

TEST_F(SessionTest, ANewTaskAndAStatusNameTheirProjectsRevisionAndKeepTheNewOne)
{
    Start();
    ASSERT_EQ(S_OK, LogIn());
    CString xml, reply;
    auto c = Client();
    ASSERT_EQ(S_OK, c->GetProjectData(1, xml));
    // Each call on an instance of its own, handed the revision the one before answered.
    auto task = Client();
    task->SetProjectRevision(c->GetProjectRevision());
    LONG taskId = -1;
    ASSERT_EQ(S_OK, task->NewTask(1, -1, kTask, taskId));
    EXPECT_EQ(1000, taskId);
    auto status = Client();
    status->SetProjectRevision(task->GetProjectRevision());
    ASSERT_EQ(S_OK, status->SetProjectStatus(1, 1));
    auto save = Client();
    save->SetProjectRevision(status->GetProjectRevision());
    LONG result = -1;
    ASSERT_EQ(S_OK, save->SaveProject(1, kProject, reply, result));
    EXPECT_EQ("\"1\"", Of("NewTask").back().ifMatch);
    EXPECT_EQ("\"2\"", Of("SetProjectStatus").back().ifMatch);
    EXPECT_EQ("\"3\"", Of("SaveProject").back().ifMatch);
    EXPECT_EQ(4, server.Revision(1));
}

TEST_F(SessionTest, AProjectSavedForTheFirstTimeIsKnownByItsNewId)
{
    Start();
    ASSERT_EQ(S_OK, LogIn());
    CString reply;
    LONG result = -1;
    auto c = Client();
    ASSERT_EQ(S_OK, c->SaveProject(0, "<PROJECT><ID>0</ID></PROJECT>", reply, result));
    EXPECT_EQ("", Of("SaveProject").back().ifMatch);
    ASSERT_EQ(S_OK, c->SaveProject(2, "<PROJECT><ID>2</ID></PROJECT>", reply, result));
    EXPECT_EQ("\"1\"", Of("SaveProject").back().ifMatch);
    LONG id = -1;
    auto other = Client();
    ASSERT_EQ(S_OK, other->NewProject("<PROJECT><ID>0</ID></PROJECT>", id));
    EXPECT_EQ(3, id);
    ASSERT_EQ(S_OK, other->SaveProject(3, "<PROJECT><ID>3</ID></PROJECT>", reply, result));
    EXPECT_EQ("\"1\"", Of("SaveProject").back().ifMatch);
}

TEST_F(SessionTest, ALoginAgainEndsTheEarlierSessionAtTheServer)
{
    Start();
    ASSERT_EQ(S_OK, LogIn());
    CString xml;
    ASSERT_EQ(S_OK, Client()->GetProjectData(1, xml));
    const std::string first = Of("GetProjectData").back().cookie;
    ASSERT_EQ(S_OK, LogIn());
    EXPECT_EQ(1, server.LiveSessions());
    const auto logout = Of("Logout");
    ASSERT_EQ(1u, logout.size());
    EXPECT_EQ(first, logout[0].cookie);
    ASSERT_EQ(S_OK, Client()->GetProjectData(1, xml));
    EXPECT_NE(first, Of("GetProjectData").back().cookie);
    EXPECT_EQ(200, Of("GetProjectData").back().status);
}

TEST_F(SessionTest, TheCookieGoesOnlyToTheOriginThatGaveIt)
{
    Start();
    CLoopbackSessionServer other;
    ASSERT_TRUE(other.Start());
    other.AddUser("u1", "c1", "User One");
    ASSERT_EQ(S_OK, LogIn());
    CSoapProjectService* c = new CSoapProjectService;
    CProjectServicePtr otherClient(c);
    c->SetServiceUrl(other.ServiceUrl().c_str());
    CString xml;
    EXPECT_EQ(PS_E_CONNECT, otherClient->GetResources(xml));
    ASSERT_FALSE(other.Requests().empty());
    for (const auto& r : other.Requests())
        EXPECT_EQ("", r.cookie) << r.operation;
    other.Stop();
}

TEST_F(SessionTest, EndingTheSessionsLogsOutWithTheCookieAndForgetsIt)
{
    Start();
    ASSERT_EQ(S_OK, LogIn());
    CString xml;
    ASSERT_EQ(S_OK, Client()->GetProjectData(1, xml));
    const std::string cookie = Of("GetProjectData").back().cookie;
    EXPECT_EQ(1, serversession::EndSessions(2000));
    EXPECT_EQ(0, server.LiveSessions());
    const auto logout = Of("Logout");
    ASSERT_EQ(1u, logout.size());
    EXPECT_EQ("POST", logout[0].method);
    EXPECT_EQ("/site/WebService/Logout", logout[0].path);
    EXPECT_EQ(cookie, logout[0].cookie);
    EXPECT_EQ("", serversession::CookieFor(server.ServiceUrl()));
    EXPECT_EQ(0, serversession::EndSessions(2000));
    // A server that is gone holds nothing up and is not counted.
    ASSERT_EQ(S_OK, LogIn());
    server.Stop();
    EXPECT_EQ(0, serversession::EndSessions(500));
}

TEST_F(SessionTest, OverHttpsTheServerIsVerifiedAgainstTheNamedCertificates)
{
    Start(true);
    const std::string dir = CLoopbackSessionServer::CertificateDir();
    // Not issued by the system's authorities, nor by another one: refused before any request.
    CString reply;
    EXPECT_EQ(PS_E_CONNECT, Client()->Login("u1", "c1", reply));
    EXPECT_STREQ("SERVER ERROR", reply);
    serversession::SetTrustedCertificateFile(dir + "/other-ca.pem");
    auto refused = Client();
    EXPECT_EQ(PS_E_CONNECT, refused->Login("u1", "c1", reply));
    EXPECT_NE(std::string::npos, std::string(refused->GetLastErrorText()).find("cannot reach"));
    EXPECT_TRUE(server.Requests().empty());

    serversession::SetTrustedCertificateFile(dir + "/test-ca.pem");
    ASSERT_EQ(S_OK, LogIn());
    CString xml;
    auto c = Client();
    ASSERT_EQ(S_OK, c->GetProjectData(1, xml)) << (LPCTSTR)c->GetLastErrorText();
    LONG result = -1;
    ASSERT_EQ(S_OK, c->SaveProject(1, kProject, reply, result));
    EXPECT_EQ("\"1\"", Of("SaveProject").back().ifMatch);
    EXPECT_EQ(0u, server.ServiceUrl().find("https://127.0.0.1:"));
}

TEST_F(SessionTest, TheDownloadSessionCarriesTheCookieOverHttpAndHttps)
{
    for (bool tls : {false, true}) {
        SCOPED_TRACE(tls ? "https" : "http");
        server.Stop();
        server.ClearRequests();
        Start(tls);
        serversession::SetTrustedCertificateFile(tls ? CLoopbackSessionServer::CertificateDir() + "/test-ca.pem"
                                                     : std::string());
        auto fetch = [&](std::string& body) -> long {
            HINTERNET s = InternetOpen("Tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
            HINTERNET c = InternetConnect(s, "127.0.0.1", (INTERNET_PORT)server.Port(), nullptr, nullptr,
                                          INTERNET_SERVICE_HTTP, 0, 0);
            HINTERNET r = HttpOpenRequest(c, "GET", "/pdm/GetPdmFile.asp?ClassID=1&ObjectID=2", nullptr, nullptr,
                                          nullptr, INTERNET_FLAG_RELOAD | (tls ? INTERNET_FLAG_SECURE : 0), 0);
            long status = -1;
            if (HttpSendRequest(r, nullptr, 0, nullptr, 0)) {
                char text[16];
                DWORD size = sizeof text;
                if (HttpQueryInfo(r, HTTP_QUERY_STATUS_CODE, text, &size, nullptr))
                    status = std::atol(text);
                char buf[256];
                DWORD got = 0;
                while (InternetReadFile(r, buf, sizeof buf, &got) && got > 0)
                    body.append(buf, got);
            }
            InternetCloseHandle(s);
            return status;
        };
        std::string body;
        EXPECT_EQ(401, fetch(body));
        ASSERT_EQ(S_OK, LogIn());
        body.clear();
        EXPECT_EQ(200, fetch(body));
        EXPECT_EQ("pdm:/pdm/GetPdmFile.asp?ClassID=1&ObjectID=2", body);
        const auto pdm = Of("PDM");
        ASSERT_EQ(2u, pdm.size());
        EXPECT_EQ("", pdm[0].cookie);
        EXPECT_NE("", pdm[1].cookie);
        EXPECT_EQ(serversession::CookieFor(server.ServiceUrl()), pdm[1].cookie);
    }
}
