// The server's data side without HTTP: sessions, rights, revisions, passwords, login
// delays and the project list, each call a CallContext as the HTTP layer fills it.
#include "ServerBackends.h"

#include "ServerCore.h"
#include "ServerOperations.h"

#include <ProjectServer/ServerDatabase.h>

#include <ClassLib/Testing/TempFolder.h>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

using projectserver::CallContext;
using projectserver::CServerCore;
using projectserver::SoapArg;
using projectserver::SoapRequest;

namespace {

const char kPermissionsOf[] = "<PERMISSIONS><PERMISSION><RESCODE>%s</RESCODE><OPENPROJ>%d</OPENPROJ>"
                              "<PUBLISHPROJ>%d</PUBLISHPROJ><DELETEPROJ>%d</DELETEPROJ><MODIFYPROGRESS>1"
                              "</MODIFYPROGRESS><LOOKPROGRESS>1</LOOKPROGRESS><FORUM>1</FORUM></PERMISSION>"
                              "</PERMISSIONS>";

std::string PermissionsOf(const std::string& user, int open, int publish, int del)
{
    char text[512];
    std::snprintf(text, sizeof text, kPermissionsOf, user.c_str(), open, publish, del);
    return text;
}

class ServerCoreTest : public ::testing::TestWithParam<std::string> {
protected:
    ServerCoreTest() : m_dir("serverCoreTest") {}

    void SetUp() override
    {
        m_where = FreshServerDatabase(GetParam(), m_dir.File("projects.sqlite"));
        Open(m_core);
    }
    void Open(CServerCore& core)
    {
        core.SetTestClock([this] { return m_now.load(); });
        bool created = false;
        std::string error;
        ASSERT_TRUE(core.Open(m_where, created, error)) << error;
    }

    // Runs an operation; the results by name.
    CServerCore::Outcome Call(CallContext& context, const std::string& operation, std::vector<SoapArg> args,
                              std::map<std::string, std::string>& out, CServerCore* core = nullptr)
    {
        SoapRequest request;
        request.operation = operation;
        request.args = std::move(args);
        std::vector<SoapArg> results;
        std::string error;
        CServerCore::Outcome outcome = (core ? *core : m_core).Execute(request, context, results, error);
        out.clear();
        for (auto& r : results)
            out[r.name] = r.text;
        return outcome;
    }
    // A call of the session; the results by name (empty when it was not Done).
    std::map<std::string, std::string> As(const std::string& token, const std::string& operation,
                                          std::vector<SoapArg> args, const std::string& ifMatch = "",
                                          std::string* etag = nullptr)
    {
        CallContext context;
        context.sessionToken = token;
        context.ifMatch = ifMatch;
        std::map<std::string, std::string> out;
        EXPECT_EQ(CServerCore::Done, Call(context, operation, std::move(args), out)) << operation;
        if (etag)
            *etag = context.etag;
        return out;
    }
    // Logs in; the session token ("" when refused), the reply into `reply`.
    std::string Login(const std::string& user, const std::string& password, std::string* reply = nullptr,
                      const std::string& address = "10.0.0.1", CServerCore* core = nullptr)
    {
        CallContext context;
        context.peerAddress = address;
        std::map<std::string, std::string> out;
        EXPECT_EQ(CServerCore::Done, Call(context, "Login", {{"userCode", user}, {"password", password}}, out, core));
        if (reply)
            *reply = out["Reply"];
        return context.newSessionToken;
    }
    std::string NewUser(const std::string& user)
    {
        EXPECT_TRUE(m_core.AddUser(user, "pw-" + user, "hello " + user));
        return Login(user, "pw-" + user);
    }
    long NewProject(const std::string& token, const std::string& name)
    {
        auto out = As(token, "NewProject", {{"projectData", "<PROJECT><NAME>" + name + "</NAME><STATUS>0</STATUS>"
                                                            "<TASKS><TASK><TASKID>7</TASKID><NAME>t</NAME></TASK></TASKS>"
                                                            "</PROJECT>"}});
        EXPECT_EQ("0", out["Result"]);
        return std::atol(out["ProjectId"].c_str());
    }
    std::string Stored(long id)
    {
        std::string xml;
        EXPECT_TRUE(m_core.GetProject(id, xml));
        return xml;
    }
    std::string List(const std::string& token, const std::string& user)
    {
        return As(token, "GetProjectList", {{"userCode", user}})["ProjectList"];
    }
    // Runs raw SQL on the database (damaging it, reading what the core keeps).
    bool OpenRaw(CSession& session)
    {
        return GetParam() == "sqlite" ? SUCCEEDED(session.OpenSqliteFile(m_where.c_str()))
                                      : SUCCEEDED(session.OpenOdbc(m_where.c_str()));
    }

    CTestFolder m_dir;
    std::string m_where;
    std::atomic<long long> m_now{1800000000};
    CServerCore m_core;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Backends, ServerCoreTest, PC_SERVER_BACKENDS);

TEST_P(ServerCoreTest, NothingButLoginWithoutALiveSession)
{
    ASSERT_TRUE(m_core.AddUser("u", "pw", "ok"));
    const std::string forged(64, 'a');
    for (const auto& operation : projectserver::ServiceOperations()) {
        if (std::string(operation.name) == "Login")
            continue;
        std::vector<SoapArg> args;
        for (int i = 0; i < operation.argCount; ++i)
            args.push_back({operation.args[i], projectserver::IsNumberField(operation.args[i]) ? "101" : "u"});
        for (const std::string& token : {std::string(), forged, std::string("not a token")}) {
            CallContext context;
            context.sessionToken = token;
            std::map<std::string, std::string> out;
            EXPECT_EQ(CServerCore::Unauthorized, Call(context, operation.name, args, out)) << operation.name;
            EXPECT_TRUE(out.empty());
            EXPECT_EQ("", context.user);
            EXPECT_FALSE(m_core.CheckSession(context));
        }
    }
    // A real session: the user comes from it, and a userCode naming another is refused.
    std::string reply;
    const std::string token = Login("u", "pw", &reply);
    EXPECT_EQ("ok", reply);
    ASSERT_EQ(64u, token.size());
    EXPECT_NE(token, Login("u", "pw"));
    CallContext context;
    context.sessionToken = token;
    EXPECT_TRUE(m_core.CheckSession(context));
    EXPECT_EQ("u", context.user);
    std::map<std::string, std::string> out;
    EXPECT_EQ(CServerCore::Unauthorized, Call(context, "GetProjectList", {{"userCode", "boss"}}, out));
    EXPECT_EQ(CServerCore::Done, Call(context, "GetProjectList", {{"userCode", "u"}}, out));
    EXPECT_EQ("<PROJECTS></PROJECTS>", out["ProjectList"]);
    // Ended: the token is worth nothing, also on the next call.
    m_core.EndSession(context);
    EXPECT_TRUE(context.endSession);
    CallContext after;
    after.sessionToken = token;
    EXPECT_EQ(CServerCore::Unauthorized, Call(after, "GetResources", {}, out));
}

TEST_P(ServerCoreTest, ASessionEndsAfterEightIdleHours)
{
    const std::string token = NewUser("u");
    CallContext context;
    context.sessionToken = token;
    m_now += 8 * 3600;  // just within the idle time: the call renews it
    EXPECT_TRUE(m_core.CheckSession(context));
    m_now += 8 * 3600;
    EXPECT_TRUE(m_core.CheckSession(context));
    m_now += 8 * 3600 + 1;
    EXPECT_FALSE(m_core.CheckSession(context));
    m_now -= 8 * 3600 + 1;  // gone for good, not only late
    EXPECT_FALSE(m_core.CheckSession(context));
}

TEST_P(ServerCoreTest, EachOperationNeedsItsRight)
{
    const std::string owner = NewUser("owner");
    const std::string u = NewUser("u");
    const long id = NewProject(owner, "p");
    ASSERT_GT(id, 0);
    const std::string idText = std::to_string(id);
    std::string etag;
    As(owner, "GetProjectData", {{"projectId", idText}}, "", &etag);
    ASSERT_EQ("1", etag);
    const std::string before = Stored(id);
    const std::string save = "<PROJECT><NAME>changed</NAME></PROJECT>";
    const std::string task = "<TASK><ENTIREPROJID>" + idText + "</ENTIREPROJID><NAME>n</NAME></TASK>";
    // Unseen, a project is answered as an unknown one; seen, the save says why.
    auto refusedToChange = [&](const std::string& text) {
        auto out = As(u, "SaveProject", {{"projectId", idText}, {"projectData", save}}, "1");
        EXPECT_EQ("1", out["Result"]);
        EXPECT_EQ(text, out["Reply"]);
        EXPECT_EQ("-1", As(u, "NewTask", {{"first", "1"}, {"parentTaskId", "-1"}, {"taskData", task}})["TaskId"]);
        EXPECT_EQ("1", As(u, "SetProjectStatus", {{"projectId", idText}, {"status", "3"}})["Result"]);
        EXPECT_EQ("1", As(u, "SaveCalendar", {{"projectId", idText}, {"calendarData", "<CALENDAR></CALENDAR>"}})["Result"]);
        EXPECT_EQ("1", As(u, "SaveUsersPermission",
                          {{"projectId", idText}, {"permissionData", PermissionsOf("u", 1, 1, 1)}})["Result"]);
        EXPECT_EQ(before, Stored(id));
    };
    auto unseen = [&] {
        EXPECT_EQ("<PROJECTS></PROJECTS>", List(u, "u"));
        auto out = As(u, "GetProjectData", {{"projectId", idText}});
        EXPECT_EQ("1", out["Result"]);
        EXPECT_EQ("", out["ProjectData"]);
        EXPECT_EQ("1", As(u, "GetCalendar", {{"projectId", idText}})["Result"]);
        EXPECT_EQ("1", As(u, "GetUsersPermission", {{"projectId", idText}})["Result"]);
        EXPECT_EQ("1", As(u, "DeleteProject", {{"projectId", idText}, {"reserved", ""}})["Result"]);
        refusedToChange("项目不存在!");
        EXPECT_EQ(1, m_core.ProjectCount());
    };
    // No record at all, though a member of the project's text.
    unseen();
    // A record with every right 0.
    ASSERT_TRUE(m_core.SetPermissions(id, "<PERMISSIONS><PERMISSION><RESCODE>u</RESCODE><OPENPROJ>0</OPENPROJ>"
                                          "<PUBLISHPROJ>0</PUBLISHPROJ><DELETEPROJ>0</DELETEPROJ><MODIFYPROGRESS>0"
                                          "</MODIFYPROGRESS><LOOKPROGRESS>0</LOOKPROGRESS><FORUM>0</FORUM>"
                                          "</PERMISSION></PERMISSIONS>"));
    unseen();
    // Everything but open.
    ASSERT_TRUE(m_core.SetPermissions(id, PermissionsOf("u", 0, 1, 1)));
    unseen();
    // Open without publish or delete: read, listed, but no change and no delete.
    ASSERT_TRUE(m_core.SetPermissions(id, PermissionsOf("u", 1, 0, 0)));
    EXPECT_EQ("<PROJECTS><PROJ><ID>" + idText + "</ID><NAME>p</NAME><STATUS>0</STATUS><CREATIONDATE></CREATIONDATE>"
              "</PROJ></PROJECTS>",
              List(u, "u"));
    EXPECT_EQ(before, As(u, "GetProjectData", {{"projectId", idText}})["ProjectData"]);
    EXPECT_EQ("0", As(u, "GetCalendar", {{"projectId", idText}})["Result"]);
    EXPECT_EQ("0", As(u, "GetUsersPermission", {{"projectId", idText}})["Result"]);
    refusedToChange("您没有保存此项目的权限，本次保存未被服务器接受。");
    EXPECT_EQ("1", As(u, "DeleteProject", {{"projectId", idText}, {"reserved", ""}})["Result"]);
    // Publish: every change; delete still refused.
    ASSERT_TRUE(m_core.SetPermissions(id, PermissionsOf("u", 1, 1, 0)));
    EXPECT_EQ("0", As(u, "SaveProject", {{"projectId", idText}, {"projectData", save}}, "1")["Result"]);
    EXPECT_EQ("1", As(u, "DeleteProject", {{"projectId", idText}, {"reserved", ""}})["Result"]);
    EXPECT_EQ(1, m_core.ProjectCount());
    // Granting rights away by a permission save does not take the creator's.
    EXPECT_EQ("0", As(u, "SaveUsersPermission",
                      {{"projectId", idText}, {"permissionData", PermissionsOf("u", 1, 1, 1)}})["Result"]);
    EXPECT_EQ("0", As(owner, "GetProjectData", {{"projectId", idText}})["Result"]);
    EXPECT_EQ("0", As(u, "DeleteProject", {{"projectId", idText}, {"reserved", ""}})["Result"]);
    EXPECT_EQ(0, m_core.ProjectCount());
}

TEST_P(ServerCoreTest, ASaveFromAnOlderRevisionIsRefusedAndStoresNothing)
{
    const std::string a = NewUser("a");
    const std::string b = NewUser("b");
    const long id = NewProject(a, "p");
    const std::string idText = std::to_string(id);
    ASSERT_TRUE(m_core.SetPermissions(id, PermissionsOf("b", 1, 1, 0)));
    std::string etagA, etagB, etag;
    As(a, "GetProjectData", {{"projectId", idText}}, "", &etagA);
    As(b, "GetProjectData", {{"projectId", idText}}, "", &etagB);
    ASSERT_EQ("1", etagA);
    ASSERT_EQ("1", etagB);
    auto out = As(b, "SaveProject", {{"projectId", idText}, {"projectData", "<PROJECT><NAME>bb</NAME></PROJECT>"}},
                  etagB, &etag);
    EXPECT_EQ("0", out["Result"]);
    EXPECT_EQ("2", etag);
    const std::string afterB = Stored(id);
    EXPECT_NE(std::string::npos, afterB.find("<NAME>bb</NAME>"));
    // aa save started from revision 1: refused, with the text the client shows.
    for (const std::string& from : {etagA, std::string(), std::string("3"), std::string("\"2\"")}) {
        out = As(a, "SaveProject", {{"projectId", idText}, {"projectData", "<PROJECT><NAME>aa</NAME></PROJECT>"}},
                 from, &etag);
        EXPECT_EQ("1", out["Result"]);
        EXPECT_EQ("此项目在您打开后已被其他用户保存，本次保存未被服务器接受。您的修改仍在窗口中，可另存为本地文件。",
                  out["Reply"]);
        EXPECT_EQ("", etag);
        EXPECT_EQ(afterB, Stored(id));
    }
    EXPECT_NE(std::string::npos, List(a, "a").find("<NAME>bb</NAME>"));
    // A new task or a status over an unnamed revision is applied without an ETag (the
    // client's next save is then refused); over the current one it hands out the next.
    const std::string task = "<TASK><ENTIREPROJID>" + idText + "</ENTIREPROJID><NAME>n</NAME></TASK>";
    EXPECT_EQ("0", As(a, "SetProjectStatus", {{"projectId", idText}, {"status", "1"}}, "1", &etag)["Result"]);
    EXPECT_EQ("", etag);
    EXPECT_NE("-1", As(a, "NewTask", {{"first", "1"}, {"parentTaskId", "-1"}, {"taskData", task}}, "3", &etag)["TaskId"]);
    EXPECT_EQ("4", etag);
    EXPECT_EQ("0", As(a, "SetProjectStatus", {{"projectId", idText}, {"status", "3"}}, "4", &etag)["Result"]);
    EXPECT_EQ("5", etag);
    EXPECT_EQ("0", As(a, "SaveProject", {{"projectId", idText}, {"projectData", "<PROJECT><NAME>aa</NAME></PROJECT>"}},
                      "5", &etag)["Result"]);
    EXPECT_EQ("6", etag);
    // A project saved with id 0 is new: revision 1.
    out = As(a, "SaveProject", {{"projectId", "0"}, {"projectData", "<PROJECT><NAME>n</NAME></PROJECT>"}}, "", &etag);
    EXPECT_EQ("0", out["Result"]);
    EXPECT_EQ("1", etag);
}

TEST_P(ServerCoreTest, SavesRacingFromOneRevisionStoreExactlyOne)
{
    const std::string a = NewUser("a");
    const long id = NewProject(a, "p");
    const std::string idText = std::to_string(id);
    const int kSaves = 8;
    std::atomic<int> ready{0};
    std::vector<std::string> results(kSaves), etags(kSaves);
    std::vector<std::thread> saves;
    for (int i = 0; i < kSaves; ++i)
        saves.emplace_back([&, i] {
            ++ready;
            while (ready < kSaves)
                std::this_thread::yield();
            results[i] = As(a, "SaveProject",
                            {{"projectId", idText},
                             {"projectData", "<PROJECT><NAME>s" + std::to_string(i) + "</NAME></PROJECT>"}},
                            "1", &etags[i])["Result"];
        });
    for (auto& t : saves)
        t.join();
    int winner = -1;
    for (int i = 0; i < kSaves; ++i) {
        if (results[i] == "0") {
            EXPECT_EQ(-1, winner) << "saves " << winner << " and " << i << " were both accepted";
            winner = i;
            EXPECT_EQ("2", etags[i]);
        } else {
            EXPECT_EQ("1", results[i]) << i;
            EXPECT_EQ("", etags[i]) << i;
        }
    }
    ASSERT_NE(-1, winner);
    EXPECT_NE(std::string::npos, Stored(id).find("<NAME>s" + std::to_string(winner) + "</NAME>")) << Stored(id);
}

TEST_P(ServerCoreTest, TwoServersOverOneDatabaseServeOneTeam)
{
    CServerCore other;
    Open(other);
    ASSERT_TRUE(m_core.AddUser("u", "pw", "ok"));
    const std::string token = Login("u", "pw", nullptr, "10.0.0.1", &other);
    ASSERT_FALSE(token.empty());
    // Logged in on one, saving on the other.
    const long id = NewProject(token, "p");
    ASSERT_GT(id, 0);
    CallContext context;
    context.sessionToken = token;
    context.ifMatch = "1";
    std::map<std::string, std::string> out;
    ASSERT_EQ(CServerCore::Done, Call(context,
                                      "SaveProject",
                                      {{"projectId", std::to_string(id)},
                                       {"projectData", "<PROJECT><NAME>q</NAME><TASKS><TASK><FLAG>1</FLAG></TASK>"
                                                       "</TASKS></PROJECT>"}},
                                      out, &other));
    EXPECT_EQ("0", out["Result"]);
    EXPECT_EQ("2", context.etag);
    // Ids handed out by the two never meet.
    const long next = NewProject(token, "r");
    EXPECT_GT(next, id);
    EXPECT_NE(std::string::npos, List(token, "u").find("<NAME>q</NAME>"));
    other.EndSession(context);
    CallContext after;
    after.sessionToken = token;
    EXPECT_FALSE(m_core.CheckSession(after));
    // Failed logins counted on one slow the user down on the other.
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Login("u", "wrong").empty());
    EXPECT_TRUE(Login("u", "pw", nullptr, "10.0.0.1", &other).empty());
    m_now += 1;
    EXPECT_FALSE(Login("u", "pw", nullptr, "10.0.0.1", &other).empty());
}

TEST_P(ServerCoreTest, PasswordsAreKeptAsSaltedHashes)
{
    ASSERT_TRUE(m_core.AddUser("u", "5b50686204", "ok"));
    ASSERT_TRUE(m_core.AddUser("v", "5b50686204", "ok"));
    projectserver::CServerDatabase db;
    bool created = false;
    ASSERT_TRUE(db.Open(m_where, created)) << db.LastError();
    projectserver::CServerDatabase::User u, v;
    bool found = false;
    ASSERT_TRUE(db.GetUser("u", u, found) && found);
    ASSERT_TRUE(db.GetUser("v", v, found) && found);
    EXPECT_EQ(0u, u.password.find("$argon2id$v=19$"));
    EXPECT_EQ(std::string::npos, u.password.find("5b50686204"));
    EXPECT_NE(u.password, v.password);  // salted
    std::string reply;
    EXPECT_FALSE(Login("u", "5b50686204", &reply).empty());
    EXPECT_EQ("ok", reply);
    // A wrong password and an unknown user answer alike.
    EXPECT_TRUE(Login("u", "5b50686205", &reply).empty());
    EXPECT_EQ("", reply);
    EXPECT_TRUE(Login("nobody", "5b50686204", &reply).empty());
    EXPECT_EQ("", reply);
}

TEST_P(ServerCoreTest, AnOlderDatabaseIsConvertedWhenFirstOpened)
{
    // A fresh place for the old layout, made by hand.
    const std::string where = FreshServerDatabase(GetParam(), m_dir.File("old.sqlite"));
    CSession session;
    ASSERT_TRUE(GetParam() == "sqlite" ? SUCCEEDED(session.OpenSqliteFile(where.c_str()))
                                       : SUCCEEDED(session.OpenOdbc(where.c_str())));
    const char* const old[] = {
        "CREATE TABLE dbo.server_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
        "CREATE TABLE dbo.users(code TEXT PRIMARY KEY, password TEXT NOT NULL, reply TEXT NOT NULL)",
        "CREATE TABLE dbo.projects(id BIGINT PRIMARY KEY, xml TEXT NOT NULL)",
        "CREATE TABLE dbo.calendars(project_id BIGINT PRIMARY KEY, xml TEXT NOT NULL)",
        "CREATE TABLE dbo.permissions(project_id BIGINT PRIMARY KEY, xml TEXT NOT NULL)",
        "CREATE TABLE dbo.counters(kind TEXT PRIMARY KEY, next BIGINT NOT NULL)",
        "INSERT INTO dbo.server_meta(key, value) VALUES('format', 'project server'), ('version', '1'),"
        " ('resources', '<RESOURCES></RESOURCES>')",
        "INSERT INTO dbo.counters(kind, next) VALUES('project', 103), ('task', 1001)",
        "INSERT INTO dbo.users(code, password, reply) VALUES('demo', '5b50686204', 'hi'), ('zhou', '5b5068', 'z')",
        "INSERT INTO dbo.projects(id, xml) VALUES(101, '<PROJECT><ID>101</ID><NAME>old</NAME><STATUS>1</STATUS>"
        "<CREATIONDATE>2020-1-2 9:0:0</CREATIONDATE></PROJECT>'), (102, '<PROJECT><NAME>hidden</NAME></PROJECT>')",
        "INSERT INTO dbo.permissions(project_id, xml) VALUES(101, '<PERMISSIONS><PERMISSION><RESCODE>demo</RESCODE>"
        "<OPENPROJ>1</OPENPROJ><PUBLISHPROJ>1</PUBLISHPROJ></PERMISSION><PERMISSION><RESCODE>zhou</RESCODE>"
        "<OPENPROJ>0</OPENPROJ></PERMISSION></PERMISSIONS>')",
    };
    for (const char* sql : old)
        ASSERT_TRUE(Exec(session, sql)) << sql;
    CServerCore core;
    core.SetTestClock([this] { return m_now.load(); });
    bool created = true;
    std::string error;
    ASSERT_TRUE(core.Open(where, created, error)) << error;
    EXPECT_FALSE(created);
    // The cipher is a hash now, and still logs in.
    EXPECT_EQ(0, QueryNumber(session, "SELECT count(*) FROM dbo.users WHERE password NOT LIKE '$argon2id$%'"));
    std::string reply;
    const std::string token = Login("demo", "5b50686204", &reply, "10.0.0.1", &core);
    ASSERT_FALSE(token.empty());
    EXPECT_EQ("hi", reply);
    // The list from the header and rights rows filled once.
    CallContext context;
    context.sessionToken = token;
    std::map<std::string, std::string> out;
    ASSERT_EQ(CServerCore::Done, Call(context, "GetProjectList", {{"userCode", "demo"}}, out, &core));
    EXPECT_EQ("<PROJECTS><PROJ><ID>101</ID><NAME>old</NAME><STATUS>1</STATUS><CREATIONDATE>2020-1-2 9:0:0"
              "</CREATIONDATE></PROJ></PROJECTS>",
              out["ProjectList"]);
    const std::string zhou = Login("zhou", "5b5068", nullptr, "10.0.0.1", &core);
    context.sessionToken = zhou;
    ASSERT_EQ(CServerCore::Done, Call(context, "GetProjectList", {{"userCode", "zhou"}}, out, &core));
    EXPECT_EQ("<PROJECTS></PROJECTS>", out["ProjectList"]);
    // Once: a second server opening it changes nothing more.
    CServerCore again;
    ASSERT_TRUE(again.Open(where, created, error)) << error;
    EXPECT_EQ(2, QueryNumber(session, "SELECT count(*) FROM dbo.project_heads"));
    EXPECT_EQ(2, QueryNumber(session, "SELECT count(*) FROM dbo.project_access"));
}

TEST_P(ServerCoreTest, RepeatedFailedLoginsWaitLongerEachTime)
{
    ASSERT_TRUE(m_core.AddUser("u", "pw", "ok"));
    std::string reply = "x";
    // Three failures are free, the fourth costs a second: within it not even the right
    // password is checked, and the answer is the one for a wrong password.
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Login("u", "wrong").empty());
    EXPECT_TRUE(Login("u", "pw", &reply).empty());
    EXPECT_EQ("", reply);
    m_now += 1;
    EXPECT_TRUE(Login("u", "wrong").empty());  // the fifth: two seconds
    m_now += 1;
    EXPECT_TRUE(Login("u", "pw").empty());
    m_now += 1;
    EXPECT_FALSE(Login("u", "pw", &reply).empty());
    EXPECT_EQ("ok", reply);
    // A success starts the user's count again.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Login("u", "wrong").empty());
    EXPECT_FALSE(Login("u", "pw").empty());

    // Many names tried from one address slow that address, not another.
    ASSERT_TRUE(m_core.AddUser("v", "pw", "ok"));
    for (int i = 0; i < 11; ++i)
        EXPECT_TRUE(Login("guess" + std::to_string(i), "pw", nullptr, "10.9.9.9").empty());
    EXPECT_TRUE(Login("v", "pw", nullptr, "10.9.9.9").empty());
    EXPECT_FALSE(Login("v", "pw", nullptr, "10.0.0.2").empty());
    // The delay is capped at a minute.
    for (int i = 0; i < 12; ++i) {
        m_now += 61;
        EXPECT_TRUE(Login("u", "wrong").empty());
    }
    m_now += 60;
    EXPECT_FALSE(Login("u", "pw").empty());
}

TEST_P(ServerCoreTest, FailedLoginsSentAllAtOnceAreEachCounted)
{
    // A burst of guesses for a user with no failures yet: each is counted (none is lost to
    // another counting beside it), so the burst ends in a delay and no answer is a server error.
    ASSERT_TRUE(m_core.AddUser("u", "pw", "ok"));
    const int kGuesses = 16;
    std::atomic<int> ready{0};
    std::vector<std::string> replies(kGuesses);
    std::vector<std::thread> guesses;
    for (int i = 0; i < kGuesses; ++i)
        guesses.emplace_back([&, i] {
            ++ready;
            while (ready < kGuesses)
                std::this_thread::yield();
            EXPECT_TRUE(Login("u", "wrong" + std::to_string(i), &replies[i]).empty());
        });
    for (auto& t : guesses)
        t.join();
    for (const std::string& reply : replies)
        EXPECT_EQ("", reply);
    std::string reply = "x";
    EXPECT_TRUE(Login("u", "pw", &reply).empty());
    EXPECT_EQ("", reply);
}

TEST_P(ServerCoreTest, AGuessWithAHugeUserCodeStoresNoHugeRow)
{
    for (char c : {'a', 'b'})
        EXPECT_TRUE(Login(std::string(1000000, c), "pw").empty());
    CSession session;
    ASSERT_TRUE(OpenRaw(session));
    EXPECT_EQ(3, QueryNumber(session, "SELECT count(*) FROM dbo.login_failures"));  // two users, one address
    EXPECT_GE(150, QueryNumber(session, "SELECT max(length(key)) FROM dbo.login_failures"));
    // Still counted, each on its own.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Login(std::string(1000000, 'a'), "pw").empty());
    EXPECT_EQ(4, QueryNumber(session, "SELECT max(failures) FROM dbo.login_failures WHERE key LIKE 'user:%'"));
}

TEST_P(ServerCoreTest, TheListComesFromHeaderRowsNotFromStoredTexts)
{
    const std::string u = NewUser("u");
    const long id = NewProject(u, "first");
    const long second = NewProject(u, "甲&乙");
    EXPECT_EQ("0", As(u, "SaveProject", {{"projectId", std::to_string(id)},
                                         {"projectData", "<PROJECT><NAME>renamed</NAME><STATUS>1</STATUS>"
                                                         "<CREATIONDATE>2026-3-2 9:0:0</CREATIONDATE></PROJECT>"}},
                      "1")["Result"]);
    // Damaged under the server's feet: the list still names it from its header row.
    CSession session;
    ASSERT_TRUE(OpenRaw(session));
    ASSERT_TRUE(Exec(session, "UPDATE dbo.projects SET xml = ? WHERE id = ?",
                     {CDbParam::Utf8("<PROJECT><NAME>broken"), CDbParam(static_cast<long long>(id))}));
    EXPECT_EQ("<PROJECTS><PROJ><ID>" + std::to_string(id) + "</ID><NAME>renamed</NAME><STATUS>1</STATUS>"
              "<CREATIONDATE>2026-3-2 9:0:0</CREATIONDATE></PROJ><PROJ><ID>" + std::to_string(second) +
              "</ID><NAME>甲&amp;乙</NAME><STATUS>0</STATUS><CREATIONDATE></CREATIONDATE></PROJ></PROJECTS>",
              List(u, "u"));
}

TEST_P(ServerCoreTest, IdsStayWithinThirtyTwoBitsAndNeverRunOut)
{
    // The client keeps ids in ints: the last counter value is handed out, then the smallest
    // ids nobody uses.
    const std::string u = NewUser("u");
    ASSERT_TRUE(m_core.SetNextIds(2147483647L, 2147483647L));
    const long last = NewProject(u, "last");
    EXPECT_EQ(2147483647L, last);
    EXPECT_EQ(1, NewProject(u, "reused"));
    EXPECT_EQ(2, NewProject(u, "next"));
    const std::string pid = std::to_string(last);
    auto newTask = [&] {
        return As(u, "NewTask", {{"first", "1"}, {"parentTaskId", "-1"},
                                 {"taskData", "<TASK><ENTIREPROJID>" + pid + "</ENTIREPROJID></TASK>"}})["TaskId"];
    };
    // The project already holds task 7 (NewProject's text): the free ones come below it.
    EXPECT_EQ("2147483647", newTask());
    EXPECT_EQ("1", newTask());
    const std::string data = As(u, "GetProjectData", {{"projectId", pid}})["ProjectData"];
    EXPECT_NE(std::string::npos, data.find("<TASKID>7</TASKID>"));
    EXPECT_NE(std::string::npos, data.find("<TASKID>2147483647</TASKID>"));
    EXPECT_NE(std::string::npos, data.find("<TASKID>1</TASKID>"));
}

TEST_P(ServerCoreTest, AProjectHeldByAWriterHoldsUpNoOtherProject)
{
    const std::string u = NewUser("u");
    const long a = NewProject(u, "a");
    const long b = NewProject(u, "b");
    const std::string save = "<PROJECT><NAME>saved</NAME></PROJECT>";
    // A writer elsewhere holds project a: its header row on a database server, the file's
    // write lock on SQLite.
    CSession writer;
    ASSERT_TRUE(OpenRaw(writer));
    ASSERT_TRUE(SUCCEEDED(writer.StartTransaction()));
    ASSERT_TRUE(Exec(writer, "UPDATE dbo.project_heads SET name = name WHERE id = ?",
                     {CDbParam(static_cast<long long>(a))}));
    // Reads go on meanwhile, of the held project too.
    EXPECT_EQ("0", As(u, "GetProjectData", {{"projectId", std::to_string(a)}})["Result"]);
    EXPECT_NE(std::string::npos, List(u, "u").find("<NAME>b</NAME>"));
    if (GetParam() == "sqlite") {
        ASSERT_TRUE(SUCCEEDED(writer.Abort()));
        return;
    }
    // A save of a waits for the writer; a save of b, meanwhile, is done.
    std::map<std::string, std::string> held;
    std::thread waiting([&] { held = As(u, "SaveProject", {{"projectId", std::to_string(a)}, {"projectData", save}}, "1"); });
    CSession watcher;
    ASSERT_TRUE(OpenRaw(watcher));
    bool blocked = false;
    for (int i = 0; i < 2000 && !blocked; ++i) {
        blocked = QueryNumber(watcher, "SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock'") > 0;
        if (!blocked)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(blocked);
    std::string etag;
    EXPECT_EQ("0", As(u, "SaveProject", {{"projectId", std::to_string(b)}, {"projectData", save}}, "1", &etag)["Result"]);
    EXPECT_EQ("2", etag);
    ASSERT_TRUE(SUCCEEDED(writer.Commit()));
    waiting.join();
    EXPECT_EQ("0", held["Result"]);
    EXPECT_NE(std::string::npos, Stored(a).find("<NAME>saved</NAME>"));
}

TEST_P(ServerCoreTest, ConnectionsTheDatabaseServerDroppedAreReplaced)
{
    if (GetParam() != "postgresql")
        return;  // a file has no server to drop its connections
    const std::string u = NewUser("u");
    const long id = NewProject(u, "p");
    CSession admin;
    ASSERT_TRUE(OpenRaw(admin));
    ASSERT_GT(QueryNumber(admin, "SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity"
                                 " WHERE pid <> pg_backend_pid() AND datname = current_database()"),
              0);
    // The calls on dropped connections fail as the server's fault (never as a lost
    // session), and each lets its connection go: soon every call is answered again.
    int failed = 0;
    std::map<std::string, std::string> out;
    for (int i = 0; i < 12; ++i) {
        CallContext context;
        context.sessionToken = u;
        CServerCore::Outcome outcome =
            Call(context, "NewTask", {{"first", "1"}, {"parentTaskId", "-1"},
                                      {"taskData", "<TASK><ENTIREPROJID>" + std::to_string(id) + "</ENTIREPROJID></TASK>"}},
                 out);
        EXPECT_NE(CServerCore::Unauthorized, outcome);
        if (outcome == CServerCore::Done)
            break;
        ++failed;
    }
    EXPECT_LE(failed, 9);
    EXPECT_EQ("0", out["Result"]);
    EXPECT_NE("-1", out["TaskId"]);
}
