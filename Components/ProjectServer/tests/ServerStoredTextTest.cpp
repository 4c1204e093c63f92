// The server stores only what it can serve back: texts valid in their encoding and made of
// characters XML carries, bodies read in the encoding they declare, task ids checked, the
// depth bounded for the writers as for the readers, and every reply well-formed. Driven as
// the HTTP layer drives the data side: the body read, the operation run for the session.
#include "ServerBackends.h"
#include "ServerCore.h"
#include "ServerSoap.h"
#include "ServerTasks.h"

#include <ProjectServer/ServerDatabase.h>

#include <ClassLib/Testing/TempFolder.h>
#include <QByteArray>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <vector>

using namespace projectserver;

namespace {

const char kService[] = "urn:orvesk:project-service";
const char kUtf8Type[] = "text/xml; charset=utf-8";
const char kFullRights[] = "<PERMISSIONS><PERMISSION><RESCODE>u1</RESCODE><OPENPROJ>1</OPENPROJ><PUBLISHPROJ>1"
                           "</PUBLISHPROJ><DELETEPROJ>1</DELETEPROJ><MODIFYPROGRESS>1</MODIFYPROGRESS><LOOKPROGRESS>1"
                           "</LOOKPROGRESS><FORUM>1</FORUM><DESC></DESC></PERMISSION></PERMISSIONS>";

// & < > escaped: a text as it travels inside an envelope.
std::string Esc(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

// An envelope whose argument texts are given as they stand in it (already escaped).
std::string Envelope(const std::string& op, const std::vector<std::pair<std::string, std::string>>& args,
                     const std::string& declaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>")
{
    std::string out = declaration + "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
                                    "<soap:Body><" + op + " xmlns=\"" + kService + "\">";
    for (const auto& a : args)
        out += "<" + a.first + ">" + a.second + "</" + a.first + ">";
    return out + "</" + op + "></soap:Body></soap:Envelope>";
}

std::string Project(long id, const std::string& nameInEnvelope, const std::string& tasks = std::string())
{
    return Esc("<PROJECT><ID>" + std::to_string(id) + "</ID><NAME>") + nameInEnvelope +
           Esc("</NAME><FLAG>2</FLAG><MEMBERS><MEMBER><RESCODE>u1</RESCODE></MEMBER></MEMBERS>" + tasks +
               "</PROJECT>");
}

std::string Task(const std::string& id, const std::string& flag, const std::string& name = "t")
{
    return "<TASK><TASKID>" + id + "</TASKID><NAME>" + name + "</NAME><FLAG>" + flag + "</FLAG></TASK>";
}

// Whether the text is well-formed XML, read by a strict reader of its own.
::testing::AssertionResult WellFormed(const std::string& xml)
{
    QXmlStreamReader reader(QByteArray(xml.data(), static_cast<int>(xml.size())));
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError())
        return ::testing::AssertionFailure() << reader.errorString().toStdString() << " in " << xml.substr(0, 300);
    return ::testing::AssertionSuccess();
}

// The TASKIDs of a stored project, in document order.
std::vector<long> StoredIds(const std::string& xml)
{
    pugi::xml_document doc;
    doc.load_string(xml.c_str());
    std::vector<long> ids;
    for (pugi::xpath_node n : doc.select_nodes("//TASK/TASKID"))
        ids.push_back(std::atol(n.node().text().get()));
    return ids;
}

struct Exchange {
    bool fault = false;
    std::string reply;  // the whole reply text
    std::map<std::string, std::string> results;
};

class ServerStoredTextTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        m_database = FreshServerDatabase(GetParam(), m_dir.Path() + "/projects.sqlite");
        bool created = false;
        std::string error;
        ASSERT_TRUE(m_core.Open(m_database, created, error)) << error;
        ASSERT_TRUE(m_core.AddUser("u1", "pw", u8"张三"));
        Exchange login = Send(Envelope("Login", {{"userCode", "u1"}, {"password", "pw"}}));
        ASSERT_EQ(u8"张三", login.results["Reply"]);
        m_id = Create(Project(0, "keep", "<TASKS>" + Task("0", "1", "a") + Task("0", "1", "b") + "</TASKS>"));
        ASSERT_GT(m_id, 0);
        ASSERT_TRUE(m_core.GetProject(m_id, m_before));
    }

    // Reads the body and runs it as the HTTP layer does; the reply as it would go out.
    Exchange Send(const std::string& body, const std::string& contentType = kUtf8Type, long project = 0)
    {
        Exchange x;
        SoapRequest request;
        std::string error;
        if (!ReadRequest(body, contentType, request, error)) {
            x.fault = true;
            x.results["fault"] = error;
            x.reply = WriteFault("soap:Client", error);
            return x;
        }
        CallContext context;
        context.sessionToken = m_token;
        context.peerAddress = "127.0.0.1";
        if (project > 0)
            context.ifMatch = m_revision[project];
        std::vector<SoapArg> results;
        const CServerCore::Outcome outcome = m_core.Execute(request, context, results, error);
        if (!context.newSessionToken.empty())
            m_token = context.newSessionToken;
        if (outcome != CServerCore::Done) {
            x.fault = true;
            x.results["fault"] = error;
            x.reply = WriteFault(outcome == CServerCore::StoreFailed ? "soap:Server" : "soap:Client", error);
            return x;
        }
        if (!context.etag.empty() && project > 0)
            m_revision[project] = context.etag;
        for (const SoapArg& a : results)
            x.results[a.name] = a.text;
        x.reply = WriteResponse(request.operation, results);
        return x;
    }

    // Opens the project (its revision kept for the next change) and saves the text.
    Exchange Save(long id, const std::string& projectInEnvelope, const std::string& contentType = kUtf8Type)
    {
        Open(id);
        return Send(Envelope("SaveProject", {{"projectId", std::to_string(id)}, {"projectData", projectInEnvelope}}),
                    contentType, id);
    }
    Exchange Open(long id)
    {
        return Send(Envelope("GetProjectData", {{"projectId", std::to_string(id)}}), kUtf8Type, id);
    }
    Exchange AddTask(long project, long parent, const std::string& taskInEnvelope)
    {
        Open(project);
        return Send(Envelope("NewTask", {{"first", "0"}, {"parentTaskId", std::to_string(parent)}, {"taskData",
                                                                                                   taskInEnvelope}}),
                    kUtf8Type, project);
    }
    // A new project saved whole, with every right for u1; its id.
    long Create(const std::string& projectInEnvelope)
    {
        Exchange x = Send(Envelope("SaveProject", {{"projectId", "0"}, {"projectData", projectInEnvelope}}));
        const std::string& reply = x.results["Reply"];
        const size_t at = reply.find("<ID>");
        if (x.results["Result"] != "0" || at == std::string::npos) {
            ADD_FAILURE() << "no project made: " << x.results["Reply"] << x.results["fault"];
            return -1;
        }
        const long id = std::atol(reply.c_str() + at + 4);
        return m_core.SetPermissions(id, kFullRights) ? id : -1;
    }
    std::string Stored(long id)
    {
        std::string xml;
        EXPECT_TRUE(m_core.GetProject(id, xml));
        return xml;
    }
    bool Listed(long id)
    {
        Exchange x = Send(Envelope("GetProjectList", {{"userCode", "u1"}}));
        return x.results["Result"] == "0" &&
               x.results["ProjectList"].find("<ID>" + std::to_string(id) + "</ID>") != std::string::npos;
    }

    CTestFolder m_dir{"storedText"};
    std::string m_database;
    CServerCore m_core;
    std::string m_token;
    std::map<long, std::string> m_revision;
    long m_id = 0;
    std::string m_before;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Backends, ServerStoredTextTest, PC_SERVER_BACKENDS);

TEST_P(ServerStoredTextTest, TextsOutsideUtf8OrXmlAreRefusedAndNothingIsStored)
{
    const struct {
        const char* name;  // as it stands in the envelope
        const char* reply;
    } kCases[] = {
        {"\xff", kRefusedEncoding},
        {"a\xc0\xaf", kRefusedEncoding},          // overlong '/'
        {"\xe0\x80\xaf", kRefusedEncoding},       // overlong, three bytes
        {"\xed\xa0\x80", kRefusedEncoding},       // a surrogate
        {"\xf4\x90\x80\x80", kRefusedEncoding},   // above U+10FFFF
        {"\xe4\xb8", kRefusedEncoding},           // cut short
        {"a\x01" "b", kRefusedCharacter},         // a raw control byte
        {"\xef\xbf\xbe", kRefusedCharacter},      // U+FFFE
        {"&#1;", kRefusedCharacter},              // a reference in the envelope
        {"a&#0;b", kRefusedCharacter},
        {"&amp;#1;", kRefusedCharacter},          // a reference in the project's own text
        {"a&amp;#0;b", kRefusedCharacter},
        {"&amp;#xD800;", kRefusedCharacter},
        {"&amp;#xFFFF;", kRefusedCharacter},
        {"&amp;#1114112;", kRefusedCharacter},    // U+110000
        {"&amp;#99999999999999999999;", kRefusedCharacter},
        {"&amp;#;", kRefusedCharacter},
        {"&amp;#x41", kRefusedCharacter},         // no ';'
    };
    for (const auto& c : kCases) {
        Exchange x = Save(m_id, Project(m_id, c.name));
        EXPECT_FALSE(x.fault) << c.name << ": " << x.results["fault"];
        EXPECT_EQ("1", x.results["Result"]) << c.name;
        EXPECT_EQ(c.reply, x.results["Reply"]) << c.name;
        EXPECT_EQ(m_before, Stored(m_id)) << c.name;
    }
    // The edges that XML carries are kept, byte for byte.
    Exchange x = Save(m_id, Project(m_id, "&amp;#9;\xef\xbf\xbd\xf0\x9f\x98\x80&amp;#x10FFFF;\x7f"));
    ASSERT_EQ("0", x.results["Result"]) << x.results["Reply"];
    EXPECT_NE(std::string::npos, Stored(m_id).find("<NAME>\t\xef\xbf\xbd\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf\x7f</NAME>"));
}

TEST_P(ServerStoredTextTest, EveryOperationThatStoresRefusesBadTextWithResultOne)
{
    Exchange x = AddTask(m_id, -1, Esc("<TASK><ENTIREPROJID>" + std::to_string(m_id) + "</ENTIREPROJID><NAME>") +
                                       "a&amp;#0;b" + Esc("</NAME></TASK>"));
    EXPECT_EQ("1", x.results["Result"]);
    EXPECT_EQ("-1", x.results["TaskId"]);
    x = Send(Envelope("SaveCalendar", {{"projectId", std::to_string(m_id)},
                                       {"calendarData", Esc("<CALENDAR><CALNAME>") + "\x02" + Esc("</CALNAME></CALENDAR>")}}));
    EXPECT_EQ("1", x.results["Result"]);
    std::string calendar;
    EXPECT_FALSE(m_core.GetCalendar(m_id, calendar));
    x = Send(Envelope("SaveUsersPermission",
                      {{"projectId", std::to_string(m_id)},
                       {"permissionData", Esc("<PERMISSIONS><PERMISSION><RESCODE>u1</RESCODE><DESC>") + "\xc0\x80" +
                                              Esc("</DESC></PERMISSION></PERMISSIONS>")}}));
    EXPECT_EQ("1", x.results["Result"]);
    std::string permissions;
    ASSERT_TRUE(m_core.GetPermissions(m_id, permissions));
    EXPECT_EQ(kFullRights, permissions);
    const long count = m_core.ProjectCount();
    x = Send(Envelope("NewProject", {{"projectData", Esc("<PROJECT><NAME>") + "&#x1F;" + Esc("</NAME></PROJECT>")}}));
    EXPECT_EQ("1", x.results["Result"]);
    EXPECT_EQ("-1", x.results["ProjectId"]);
    EXPECT_EQ(count, m_core.ProjectCount());
    EXPECT_EQ(m_before, Stored(m_id));
}

TEST_P(ServerStoredTextTest, ABodyIsReadInTheEncodingItDeclares)
{
    // 设计 in GBK: not UTF-8, so refused when nothing else is declared, read when GBK is.
    Exchange x = Save(m_id, Project(m_id, "\xc9\xe8\xbc\xc6"), "text/xml");
    EXPECT_EQ(kRefusedEncoding, x.results["Reply"]);
    std::string body = Envelope("SaveProject", {{"projectId", std::to_string(m_id)},
                                                {"projectData", Project(m_id, "\xc9\xe8\xbc\xc6")}},
                                "<?xml version=\"1.0\" encoding=\"GBK\"?>");
    Open(m_id);
    x = Send(body, "text/xml", m_id);
    ASSERT_EQ("0", x.results["Result"]) << x.results["Reply"] << x.results["fault"];
    EXPECT_NE(std::string::npos, Stored(m_id).find(u8"<NAME>设计</NAME>"));
    // Named by the Content-Type only; GB18030's four-byte form (U+0080).
    body = Envelope("SaveProject", {{"projectId", std::to_string(m_id)},
                                    {"projectData", Project(m_id, "\xb1\xe0\x81\x30\x81\x30")}},
                    "");
    Open(m_id);
    x = Send(body, "text/xml; charset=\"gb18030\"", m_id);
    ASSERT_EQ("0", x.results["Result"]) << x.results["Reply"] << x.results["fault"];
    EXPECT_NE(std::string::npos, Stored(m_id).find(u8"<NAME>编\u0080</NAME>"));
    // GB2312 is read as GBK, its superset.
    body = Envelope("SaveProject", {{"projectId", std::to_string(m_id)}, {"projectData", Project(m_id, "\xb1\xe0")}},
                    "<?xml version='1.0' encoding='gb2312'?>");
    Open(m_id);
    EXPECT_EQ("0", Send(body, kUtf8Type, m_id).results["Result"]);
    EXPECT_NE(std::string::npos, Stored(m_id).find(u8"<NAME>编</NAME>"));
    const std::string before = Stored(m_id);
    // Bytes that are not GBK: refused like bad UTF-8.
    body = Envelope("SaveProject", {{"projectId", std::to_string(m_id)}, {"projectData", Project(m_id, "\xff\xff")}},
                    "<?xml version=\"1.0\" encoding=\"GBK\"?>");
    Open(m_id);
    x = Send(body, kUtf8Type, m_id);
    EXPECT_EQ("1", x.results["Result"]);
    EXPECT_EQ(kRefusedEncoding, x.results["Reply"]);
    EXPECT_EQ(before, Stored(m_id));
    // An encoding nobody can read is a fault.
    x = Send(Envelope("GetResources", {}, "<?xml version=\"1.0\" encoding=\"x-none\"?>"));
    EXPECT_TRUE(x.fault);
    EXPECT_EQ("the request's encoding \"X-NONE\" is not supported", x.results["fault"]);
    // UTF-16 with its byte order mark.
    const std::string utf8 = Envelope("SaveProject", {{"projectId", std::to_string(m_id)},
                                                      {"projectData", Project(m_id, u8"十六")}},
                                      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>");
    std::string utf16 = "\xff\xfe";
    for (const char* p = utf8.data(); p < utf8.data() + utf8.size();) {
        unsigned long c = 0;
        size_t n = 1;
        ASSERT_TRUE(DecodeUtf8(p, utf8.data() + utf8.size(), c, n));
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
        p += n;
    }
    Open(m_id);
    x = Send(utf16, kUtf8Type, m_id);
    ASSERT_EQ("0", x.results["Result"]) << x.results["fault"];
    EXPECT_NE(std::string::npos, Stored(m_id).find(u8"<NAME>十六</NAME>"));
}

TEST_P(ServerStoredTextTest, EveryReplyOfAHostileSequenceIsWellFormed)
{
    // The reader that judges is strict itself.
    ASSERT_FALSE(WellFormed("<a>\xff</a>"));
    ASSERT_FALSE(WellFormed("<a>\x01</a>"));
    ASSERT_FALSE(WellFormed("<a>&#0;</a>"));
    // Texts stored before they were checked.
    const long legacy = Create(Project(0, "old"));
    ASSERT_GT(legacy, 0);
    // PostgreSQL keeps no ill-formed UTF-8, only control characters.
    const std::string bad = GetParam() == "sqlite" ? "\x01\xff\xc0\xaf" : "\x01\x02\x1b\x1f";
    {
        CServerDatabase db;
        bool created = false;
        ASSERT_TRUE(db.Open(m_database, created)) << db.LastError();
        std::string stored;
        long revision = 0, next = 0;
        bool found = false, matched = false;
        ASSERT_TRUE(db.GetProjectRevision(legacy, stored, revision, found) && found) << db.LastError();
        ProjectHead head;
        head.name = "a" + bad + "b";
        ASSERT_TRUE(db.Begin());
        ASSERT_TRUE(db.ReplaceProject(legacy, "<PROJECT><ID>" + std::to_string(legacy) +
                                                  "</ID><NAME>a" + bad + "b</NAME><MEMBERS><MEMBER><RESCODE>u1"
                                                  "</RESCODE></MEMBER></MEMBERS></PROJECT>",
                                      head, revision, next, matched));
        ASSERT_TRUE(matched);
        ASSERT_TRUE(db.PutCalendar(legacy, "<CALENDAR><CALNAME>" + bad + "</CALNAME></CALENDAR>"));
        ASSERT_TRUE(db.Commit());
    }
    const std::string id = std::to_string(m_id);
    const std::vector<std::string> bodies = {
        Envelope("SaveProject", {{"projectId", id}, {"projectData", Project(m_id, "\xff\x01&#0;")}}),
        Envelope("SaveProject", {{"projectId", id}, {"projectData", Project(m_id, "&amp;#1;")}}),
        Envelope("SaveProject", {{"projectId", "1\xff"}, {"projectData", Project(m_id, "x")}}),
        Envelope("DeleteProject", {{"projectId", "\x01"}, {"reserved", ""}}),
        Envelope("Frob\xc0\xaf", {}),
        Envelope("Login", {{"userCode", "\xff"}, {"password", "&#0;"}}),
        Envelope("GetProjectList", {{"userCode", "u1\x02"}}),
        Envelope("NewTask", {{"first", "0"}, {"parentTaskId", "0"}, {"taskData", "&#xFFFE;"}}),
        "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY e \"\xff\">]><x>&e;</x>",
        "<a>\xff<b>",
        Envelope("GetResources", {}, "<?xml version=\"1.0\" encoding=\"GBK\"?>\xff"),
        Envelope("GetProjectData", {{"projectId", std::to_string(legacy)}}),
        Envelope("GetCalendar", {{"projectId", std::to_string(legacy)}}),
        Envelope("GetProjectList", {{"userCode", "u1"}}),
        Envelope("GetUsersPermission", {{"projectId", id}}),
    };
    // The result texts as they go out, read back from the reply.
    auto sent = [](const std::string& reply) {
        std::map<std::string, std::string> texts;
        pugi::xml_document doc;
        doc.load_buffer(reply.data(), reply.size());
        pugi::xml_node response = doc.document_element().first_child().first_child();
        for (pugi::xml_node r = response.first_child(); r; r = r.next_sibling())
            texts[r.name()] = r.text().get();
        return texts;
    };
    for (const std::string& body : bodies) {
        Exchange x = Send(body, kUtf8Type, m_id);
        ASSERT_TRUE(WellFormed(x.reply)) << body;
        for (const auto& r : sent(x.reply)) {
            if (!r.second.empty() && r.second[0] == '<') {
                EXPECT_TRUE(WellFormed(r.second)) << r.first << " of " << body;
            }
        }
    }
    // What was stored comes out with its bad bytes replaced, not dropped.
    Exchange x = Open(legacy);
    ASSERT_EQ("0", x.results["Result"]);
    EXPECT_NE(std::string::npos,
              sent(x.reply)["ProjectData"].find("<NAME>a\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd" "b</NAME>"));
    EXPECT_EQ(m_before, Stored(m_id));
}

TEST_P(ServerStoredTextTest, TaskIdsAreTheProjectsOwnOnceEach)
{
    const std::vector<long> own = StoredIds(m_before);
    ASSERT_EQ(2u, own.size());
    const long other = Create(Project(0, "other", "<TASKS>" + Task("0", "1") + "</TASKS>"));
    ASSERT_GT(other, 0);
    const long foreign = StoredIds(Stored(other)).at(0);
    const std::string a = std::to_string(own[0]), b = std::to_string(own[1]);
    const struct {
        std::string tasks;
        std::string reply;
    } kRefused[] = {
        {Task(a, "0") + Task(a, "2"), "任务编号 " + a + " 在项目数据中出现了不止一次，本次保存未被服务器接受。"},
        {Task(a, "0") + Task(std::to_string(foreign), "0"),
         "任务编号 " + std::to_string(foreign) + " 不属于此项目，本次保存未被服务器接受。"},
        {Task("999999", "2"), "任务编号 999999 不属于此项目，本次保存未被服务器接受。"},
        {Task("12345678901234567890", "0"), kRefusedTaskId},
        {Task("2147483648", "0"), kRefusedTaskId},
        {Task("-5", "0"), kRefusedTaskId},
        {Task(a + "abc", "0"), kRefusedTaskId},
    };
    for (const auto& c : kRefused) {
        Exchange x = Save(m_id, Project(m_id, "n", "<TASKS>" + c.tasks + "</TASKS>"));
        EXPECT_EQ("1", x.results["Result"]) << c.tasks;
        EXPECT_EQ(c.reply, x.results["Reply"]) << c.tasks;
        EXPECT_EQ(m_before, Stored(m_id)) << c.tasks;
    }
    // A removed task's id is not looked at: it leaves.
    // A new task (FLAG 1) gets an id of its own, whatever it carried; the others keep theirs.
    Exchange x = Save(m_id, Project(m_id, "n", "<TASKS>" + Task(a, "2") + Task(std::to_string(foreign), "1") +
                                               Task(b, "0") + Task("12345678901234567890", "3") + "</TASKS>"));
    ASSERT_EQ("0", x.results["Result"]) << x.results["Reply"];
    std::vector<long> ids = StoredIds(Stored(m_id));
    ASSERT_EQ(3u, ids.size());
    EXPECT_EQ(own[0], ids[0]);
    EXPECT_NE(foreign, ids[1]);
    EXPECT_EQ(own[1], ids[2]);
    EXPECT_NE(std::string::npos, x.results["Reply"].find("<ID>" + std::to_string(ids[1]) + "</ID>"));
    // A project saved with id 0 (from a local file) carries ids from elsewhere: all are new.
    const long copy = Create(Project(0, "copy", "<TASKS>" + Task(a, "0") + Task(a, "0") +
                                                    Task(std::to_string(foreign), "2") + "</TASKS>"));
    ASSERT_GT(copy, 0);
    ids = StoredIds(Stored(copy));
    ASSERT_EQ(3u, ids.size());
    for (long i : ids)
        EXPECT_TRUE(i != own[0] && i != own[1] && i != foreign && i > 0) << i;
    EXPECT_TRUE(ids[0] != ids[1] && ids[1] != ids[2] && ids[0] != ids[2]);
}

TEST_P(ServerStoredTextTest, NewTaskIdsNeitherRunOutNorWrap)
{
    ASSERT_TRUE(m_core.SetNextIds(900, INT_MAX - 1));
    const long id = Create(Project(0, "late", "<TASKS>" + Task("0", "1") + Task("0", "1") + Task("0", "1") +
                                                  "</TASKS>"));
    ASSERT_GT(id, 0);
    // The last id of the counter, then the smallest ones the project does not use.
    EXPECT_EQ((std::vector<long>{INT_MAX - 1, INT_MAX, 1}), StoredIds(Stored(id)));
    Exchange x = AddTask(id, -1, Esc("<TASK><ENTIREPROJID>" + std::to_string(id) + "</ENTIREPROJID></TASK>"));
    EXPECT_EQ("0", x.results["Result"]);
    EXPECT_EQ("2", x.results["TaskId"]);
    x = Save(id, Project(id, "late", "<TASKS>" + Task("1", "0") + Task("0", "1") + Task("2", "0") + "</TASKS>"));
    ASSERT_EQ("0", x.results["Result"]) << x.results["Reply"];
    EXPECT_EQ((std::vector<long>{1, 3, 2}), StoredIds(Stored(id)));
}

TEST_P(ServerStoredTextTest, WritersStayWithinTheDepthTheReadersAccept)
{
    // PROJECT 0, TASKS 1, TASK 2, TASKS 3, TASK 4 ...: the k-th task of a chain at 2k.
    auto chain = [](int k) {
        std::string open, close;
        for (int i = 0; i < k; ++i) {
            open += "<TASKS><TASK>";
            close += "</TASK></TASKS>";
        }
        return open + close;
    };
    // The innermost task at 1,024 is read, but its new TASKID would lie deeper.
    Exchange x = Save(m_id, Project(m_id, "deep", (chain(512))));
    EXPECT_EQ("1", x.results["Result"]);
    EXPECT_EQ(kRefusedTooDeep, x.results["Reply"]);
    x = Save(m_id, Project(m_id, "deep", (chain(513))));
    EXPECT_EQ(kRefusedTooDeep, x.results["Reply"]);
    EXPECT_EQ(m_before, Stored(m_id));
    EXPECT_TRUE(Listed(m_id));
    // At 1,022 its TASKID's text lands on 1,024: stored and read back.
    x = Save(m_id, Project(m_id, "deep", (chain(511))));
    ASSERT_EQ("0", x.results["Result"]) << x.results["Reply"];
    std::vector<long> ids = StoredIds(Stored(m_id));
    ASSERT_EQ(511u, ids.size());
    std::sort(ids.begin(), ids.end());  // given outside in: the innermost has the largest
    EXPECT_TRUE(Listed(m_id));
    // A task under the innermost one would pass the limit: refused, the project stays.
    const std::string before = Stored(m_id);
    x = AddTask(m_id, ids.back(), Esc("<TASK><ENTIREPROJID>" + std::to_string(m_id) + "</ENTIREPROJID></TASK>"));
    EXPECT_EQ("1", x.results["Result"]);
    EXPECT_EQ("-1", x.results["TaskId"]);
    EXPECT_EQ(before, Stored(m_id));
    EXPECT_TRUE(Listed(m_id));
    EXPECT_EQ("0", Open(m_id).results["Result"]);
    // One level up it fits, and the project stays editable.
    x = AddTask(m_id, ids[ids.size() - 2],
                Esc("<TASK><ENTIREPROJID>" + std::to_string(m_id) + "</ENTIREPROJID></TASK>"));
    EXPECT_EQ("0", x.results["Result"]);
    EXPECT_TRUE(Listed(m_id));
    EXPECT_EQ("0", Save(m_id, Project(m_id, "flat")).results["Result"]);
}

TEST_P(ServerStoredTextTest, NewTaskStoresOneTaskWithoutItsMembers)
{
    const std::string project = std::to_string(m_id);
    Exchange x = AddTask(m_id, -1, Esc("<TASK><ENTIREPROJID>" + project + "</ENTIREPROJID><NAME>n</NAME><TASKS>" +
                                       Task("5", "0") + "</TASKS></TASK>"));
    EXPECT_EQ("1", x.results["Result"]);
    EXPECT_EQ(m_before, Stored(m_id));
    x = AddTask(m_id, -1, Esc("<TASK><ENTIREPROJID>" + project + "12</ENTIREPROJID></TASK>"));
    EXPECT_EQ("1", x.results["Result"]);
    x = AddTask(m_id, -1, Esc("<TASK><MEMBERS><MEMBER/></MEMBERS><ENTIREPROJID>" + project +
                              "</ENTIREPROJID><MEMBERS></MEMBERS><NAME>n</NAME><MEMBERS><MEMBER/></MEMBERS></TASK>"));
    ASSERT_EQ("0", x.results["Result"]);
    const std::string task = "<TASK><ENTIREPROJID>" + project + "</ENTIREPROJID><NAME>n</NAME><TASKID>" +
                             x.results["TaskId"] + "</TASKID><PARENTID>0</PARENTID><FLAG>0</FLAG></TASK></TASKS>";
    EXPECT_NE(std::string::npos, Stored(m_id).find(task)) << Stored(m_id);
}
