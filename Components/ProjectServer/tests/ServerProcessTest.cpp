// The program itself: started as a process on a free port and driven with the client's
// SOAP layer; demo data on the first run, stopping, a kill in the middle of saves, and
// eight clients at once.
#include "ServerTestSupport.h"

#include <Internet/ServerSession.h>
#include <Pdm/PdmStore.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

class CServerProcess {
public:
    ~CServerProcess() { Kill(SIGKILL); }

    // Starts the program and reads the port it listens on from its first line.
    bool Start(const std::vector<std::string>& args)
    {
        int out[2];
        if (::pipe(out) != 0)
            return false;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(PROJECT_SERVER_PROGRAM));
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(PROJECT_SERVER_PROGRAM, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        m_out = ::fdopen(out[0], "r");
        char line[512];
        while (m_out && std::fgets(line, sizeof(line), m_out)) {
            const char* at = std::strstr(line, "listening on 127.0.0.1:");
            if (at) {
                m_port = std::atoi(at + std::strlen("listening on 127.0.0.1:"));
                return m_port > 0;
            }
        }
        return false;
    }
    int Port() const { return m_port; }
    std::string ServiceUrl() const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + "/site/WebService/OrveskService.WSDL";
    }
    // Sends the signal and waits for the end; the exit status (or -signal).
    int Kill(int sig)
    {
        if (m_pid <= 0)
            return 0;
        ::kill(m_pid, sig);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        if (m_out)
            std::fclose(m_out);
        m_out = nullptr;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

private:
    pid_t m_pid = -1;
    FILE* m_out = nullptr;
    int m_port = 0;
};

int RunProgram(const std::string& args, std::string& output)
{
    FILE* p = ::popen((std::string(PROJECT_SERVER_PROGRAM) + " " + args + " 2>&1").c_str(), "r");
    char buf[512];
    size_t n;
    output.clear();
    while ((n = std::fread(buf, 1, sizeof(buf), p)) > 0)
        output.append(buf, n);
    int rc = ::pclose(p);
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

CProjectServicePtr ClientOf(const CServerProcess& server)
{
    CSoapProjectService* c = new CSoapProjectService;
    // Generous: the machine may be busy with other test programs running beside this one.
    c->SetTimeouts(10000, 30000);
    c->SetServiceUrl(CString(server.ServiceUrl().c_str()));
    return CProjectServicePtr(c);
}

// A client of the server logged in as the user the fixture added (the session is kept per
// origin for the whole test program, so every later client of the server shares it).
CProjectServicePtr LoggedInClientOf(const CServerProcess& server)
{
    CProjectServicePtr c = ClientOf(server);
    CString reply;
    EXPECT_EQ(S_OK, c->Login("tester", "pw", reply));
    EXPECT_STREQ("ok", reply);
    return c;
}

// A project whose name is the counter, with tasks enough to make a save take a while.
CString ProjectText(int counter, int tasks)
{
    std::string x = "<PROJECT><ID>0</ID><NAME>" + std::to_string(counter) + "</NAME><TASKS>";
    for (int i = 0; i < tasks; ++i)
        x += "<TASK><TASKID>" + std::to_string(9000 + i) + "</TASKID><NAME>" + std::to_string(counter) +
             "</NAME><ROWINGRID>" + std::to_string(i + 1) + "</ROWINGRID></TASK>";
    x += "</TASKS></PROJECT>";
    return CString(x.c_str());
}

// The counter a stored project was saved with, -1 when it is not one whole save.
int SavedCounter(const CString& xml, int tasks)
{
    std::string s(static_cast<LPCTSTR>(xml));
    size_t a = s.find("<NAME>"), b = s.find("</NAME>");
    if (a == std::string::npos || b == std::string::npos)
        return -1;
    std::string name = s.substr(a + 6, b - a - 6);
    int counter = std::atoi(name.c_str());
    int count = 0;
    for (size_t at = s.find("<NAME>" + name + "</NAME><ROWINGRID>"); at != std::string::npos;
         at = s.find("<NAME>" + name + "</NAME><ROWINGRID>", at + 1))
        ++count;
    return count == tasks && s.size() > 18 && s.compare(s.size() - 18, 18, "</TASKS></PROJECT>") == 0 ? counter : -1;
}

// Each case on both back ends: the database of a case is made fresh once and kept across
// the server's restarts within it.
class ServerProcessTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        m_database = FreshServerDatabase(GetParam(), m_dir.File("db.sqlite"));
        // On PostgreSQL the product-data store is left unnamed: it goes into the database.
        m_pdmStore = FreshPdmStoreDatabase(GetParam(), m_dir.File("pdm.sqlite"));
    }
    // Makes the database without demo data and with one user, "tester" (password "pw"),
    // for the cases that start the program with --empty.
    void AddTester()
    {
        projectserver::ServerOptions options;
        options.databasePath = m_database;
        options.demoData = false;
        projectserver::CProjectServer setup(options);
        std::string error;
        ASSERT_TRUE(setup.Open(error)) << error;
        ASSERT_TRUE(setup.AddUser("tester", "pw", "ok"));
    }
    std::vector<std::string> Args(bool empty = true)
    {
        std::vector<std::string> a = {"--port", "0", "--database", m_database};
        if (GetParam() == "sqlite")
            a.insert(a.end(), {"--pdm-store", m_pdmStore});
        if (empty)
            a.push_back("--empty");
        return a;
    }
    CServerTempDir m_dir;
    std::string m_database;
    std::string m_pdmStore;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Backends, ServerProcessTest, PC_SERVER_BACKENDS);

TEST_P(ServerProcessTest, HelpAndBadArguments)
{
    std::string out;
    EXPECT_EQ(0, RunProgram("--help", out));
    EXPECT_NE(std::string::npos, out.find("Usage: project-server [OPTIONS]"));
    EXPECT_NE(std::string::npos, out.find("--database FILE"));
    EXPECT_EQ(2, RunProgram("--port 70000", out));
    EXPECT_NE(std::string::npos, out.find("--port takes a number from 0 to 65535"));
    EXPECT_EQ(2, RunProgram("--frobnicate", out));
    std::ofstream(m_dir.File("junk.sqlite")) << "junk";
    EXPECT_EQ(1, RunProgram("--port 0 --database " + m_dir.File("junk.sqlite"), out));
    EXPECT_NE(std::string::npos, out.find("is not a project server database")) << out;
}

TEST_P(ServerProcessTest, AFirstRunHasTheDemoUserProjectAndDocuments)
{
    CServerProcess server;
    ASSERT_TRUE(server.Start(Args(false)));
    CProjectServicePtr c = ClientOf(server);
    CString reply;
    ASSERT_EQ(S_OK, c->Login("demo", "5b50686204", reply));
    EXPECT_STREQ(Gbk(u8"演示用户"), reply);
    CString xml;
    ASSERT_EQ(S_OK, c->GetProjectList("demo", xml));
    EXPECT_NE(-1, xml.Find(Gbk(u8"<ID>101</ID><NAME>项目管理系统开发（演示）</NAME>")));
    ASSERT_EQ(S_OK, c->GetProjectData(101, xml));
    int tasks = 0;
    for (int at = xml.Find("<TASK>"); at >= 0; at = xml.Find("<TASK>", at + 1))
        ++tasks;
    EXPECT_EQ(31, tasks);
    EXPECT_NE(-1, xml.Find("<LINKS><LINK><PREDID>1002</PREDID><TYPE>1</TYPE>"));
    EXPECT_NE(-1, xml.Find(Gbk(u8"<NAME>需求评审</NAME>")));
    ASSERT_EQ(S_OK, c->GetCalendar(101, xml));
    // Sunday (0) and Saturday (6) rest.
    EXPECT_NE(-1, xml.Find("<CALDAY><DAY>0</DAY><WORKING>0</WORKING></CALDAY><CALDAY><DAY>6</DAY><WORKING>0</WORKING>"));
    ASSERT_EQ(S_OK, c->GetUsersPermission(101, xml));
    EXPECT_NE(-1, xml.Find("<RESCODE>wang</RESCODE>"));
    ASSERT_EQ(S_OK, c->GetResources(xml));
    EXPECT_NE(-1, xml.Find("<RESCODE>zhou</RESCODE>"));
    httplib::Client http("127.0.0.1", server.Port());
    http.set_read_timeout(60, 0);
    auto res = http.Get("/pdm/GetPdmFile.asp?ClassID=101&ObjectID=1");
    ASSERT_TRUE(res);
    EXPECT_EQ(401, res->status);  // a download needs the session too
    const std::string cookie = serversession::CookieFor(server.ServiceUrl());
    ASSERT_FALSE(cookie.empty());
    res = http.Get("/pdm/GetPdmFile.asp?ClassID=101&ObjectID=1", {{"Cookie", cookie}});
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    EXPECT_EQ(0u, res->body.find(u8"项目章程.txt"));
    EXPECT_EQ(0, server.Kill(SIGTERM));

    // The second run finds the data and adds nothing.
    ASSERT_TRUE(server.Start(Args(false)));
    c = ClientOf(server);
    ASSERT_EQ(S_OK, c->Login("demo", "5b50686204", reply));
    ASSERT_EQ(S_OK, c->GetProjectList("demo", xml));
    int projects = 0;
    for (int at = xml.Find("<PROJ>"); at >= 0; at = xml.Find("<PROJ>", at + 1))
        ++projects;
    EXPECT_EQ(1, projects);
    EXPECT_EQ(0, server.Kill(SIGINT));
    CPdmStore store;
    ASSERT_TRUE(store.Open(m_pdmStore, CPdmStore::OpenExisting)) << store.LastError();
    std::vector<PdmNodeRow> folders;
    ASSERT_TRUE(store.ListChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, folders));
    EXPECT_EQ(3u, folders.size());
}

TEST_P(ServerProcessTest, EmptyStartsWithoutDemoData)
{
    AddTester();
    CServerProcess server;
    ASSERT_TRUE(server.Start(Args(true)));
    CProjectServicePtr c = ClientOf(server);
    CString reply, xml;
    ASSERT_EQ(S_OK, c->Login("demo", "5b50686204", reply));
    EXPECT_STREQ("", reply);
    // No demo user, so no session: the data is refused as a failed connection.
    HRESULT refused = c->GetProjectData(101, xml);
    EXPECT_NE(S_OK, refused);
    EXPECT_NE(S_FALSE, refused);
    c = LoggedInClientOf(server);
    ASSERT_EQ(S_FALSE, c->GetProjectData(101, xml));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("pdm.sqlite")));
}

TEST_P(ServerProcessTest, AKillInTheMiddleOfSavesLosesNoFinishedSave)
{
    const int kTasks = 300;
    AddTester();
    CServerProcess server;
    ASSERT_TRUE(server.Start(Args(true)));
    const int kProjects = 4;
    std::vector<LONG> ids(kProjects);
    std::vector<std::string> revisions(kProjects);
    {
        CProjectServicePtr c = LoggedInClientOf(server);
        for (int p = 0; p < kProjects; ++p) {
            ASSERT_EQ(S_OK, c->NewProject(ProjectText(0, kTasks), ids[p]));
            revisions[p] = c->GetProjectRevision();
        }
    }
    std::vector<std::atomic<int>> lastDone(kProjects);
    std::atomic<bool> stop{false};
    std::vector<std::thread> clients;
    for (int p = 0; p < kProjects; ++p) {
        lastDone[p] = 0;
        clients.emplace_back([&, p] {
            // Each client saves from the revision its project was made at.
            CProjectServicePtr c = ClientOf(server);
            c->SetProjectRevision(revisions[p]);
            for (int i = 1; i <= 100000 && !stop; ++i) {
                CString reply;
                LONG result = -1;
                if (c->SaveProject(ids[p], ProjectText(i, kTasks), reply, result) != S_OK)
                    break;
                lastDone[p] = i;
            }
        });
    }
    // Until every client has finished a few saves (bounded), then kill.
    for (int w = 0; w < 200; ++w) {
        bool all = true;
        for (auto& d : lastDone)
            all = all && d >= 3;
        if (all)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(-SIGKILL, server.Kill(SIGKILL));
    stop = true;
    for (auto& t : clients)
        t.join();

    ASSERT_TRUE(server.Start(Args(true)));
    CProjectServicePtr c = LoggedInClientOf(server);
    for (int p = 0; p < kProjects; ++p) {
        CString xml;
        ASSERT_EQ(S_OK, c->GetProjectData(ids[p], xml));
        int counter = SavedCounter(xml, kTasks);
        EXPECT_GE(counter, 3);
        // The last finished save, or the one under way when the server died, whole.
        EXPECT_TRUE(counter == lastDone[p] || counter == lastDone[p] + 1)
            << "project " << ids[p] << ": stored " << counter << ", last finished " << lastDone[p];
    }
}

TEST_P(ServerProcessTest, EightClientsSavingForTenSecondsLoseNothing)
{
    const int kTasks = 100;
    AddTester();
    CServerProcess server;
    ASSERT_TRUE(server.Start(Args(true)));
    const int kClients = 8;
    std::vector<LONG> ids(kClients);
    std::vector<std::string> revisions(kClients);
    {
        CProjectServicePtr c = LoggedInClientOf(server);
        for (int p = 0; p < kClients; ++p) {
            ASSERT_EQ(S_OK, c->NewProject(ProjectText(0, kTasks), ids[p]));
            revisions[p] = c->GetProjectRevision();
        }
    }
    std::vector<int> lastDone(kClients, 0), failures(kClients, 0);
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::vector<std::thread> clients;
    for (int p = 0; p < kClients; ++p)
        clients.emplace_back([&, p] {
            // Each client saves from the revision its project was made at.
            CProjectServicePtr c = ClientOf(server);
            c->SetProjectRevision(revisions[p]);
            for (int i = 1; i <= 1000000 && std::chrono::steady_clock::now() < end; ++i) {
                CString reply;
                LONG result = -1;
                if (c->SaveProject(ids[p], ProjectText(i, kTasks), reply, result) == S_OK)
                    lastDone[p] = i;
                else
                {
                    ++failures[p];
                    ADD_FAILURE() << "save " << i << " of project " << ids[p] << ": "
                                  << static_cast<LPCTSTR>(c->GetLastErrorText());
                }
            }
        });
    for (auto& t : clients)
        t.join();
    CProjectServicePtr c = LoggedInClientOf(server);
    for (int p = 0; p < kClients; ++p) {
        EXPECT_EQ(0, failures[p]);
        EXPECT_GT(lastDone[p], 0);
        CString xml;
        ASSERT_EQ(S_OK, c->GetProjectData(ids[p], xml));
        EXPECT_EQ(lastDone[p], SavedCounter(xml, kTasks));
    }
    EXPECT_EQ(0, server.Kill(SIGTERM));
}
