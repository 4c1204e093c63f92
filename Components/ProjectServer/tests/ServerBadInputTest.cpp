// Requests the server refuses: each gets a clear SOAP fault or HTTP error, and nothing is
// written.
#include "ServerTestSupport.h"

#include <algorithm>
#include <atomic>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

const char kHead[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                     "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>";
const char kTail[] = "</soap:Body></soap:Envelope>";

std::string EscapeXml(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '<' ? std::string("&lt;") : c == '>' ? std::string("&gt;") : c == '&' ? std::string("&amp;")
                                                                                          : std::string(1, c);
    return out;
}

class ServerBadInputTest : public ServerBackendFixture {
protected:
    void SetUp() override
    {
        StartServer(false, 64 * 1024);
        m_id = m_server->AddProject("<PROJECT><NAME>keep</NAME></PROJECT>");
        ASSERT_EQ(101, m_id);
        ASSERT_TRUE(m_server->GetProject(m_id, m_before));
        LogIn();
        GrantAll(m_id);
    }
    // The fault string of a 500 answer ("" when it is not a client fault).
    std::string ClientFault(const std::string& body, const std::string& operation)
    {
        auto res = Post(body, operation);
        if (!res)
            return "(no answer)";
        EXPECT_EQ(500, res->status);
        const std::string open = "<faultcode>soap:Client</faultcode><faultstring>";
        size_t at = res->body.find(open);
        if (at == std::string::npos)
            return "";
        at += open.size();
        return res->body.substr(at, res->body.find("</faultstring>", at) - at);
    }
    void ExpectUnchanged()
    {
        std::string after;
        ASSERT_TRUE(m_server->GetProject(m_id, after));
        EXPECT_EQ(m_before, after);
        EXPECT_EQ(1, m_server->ProjectCount());
    }

    long m_id = 0;
    std::string m_before;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Backends, ServerBadInputTest, PC_SERVER_BACKENDS);

TEST_P(ServerBadInputTest, MalformedXml)
{
    EXPECT_EQ("the request is not well-formed XML (Start-end tags mismatch at offset 183)",
              ClientFault(std::string(kHead) + "<SaveProject xmlns=\"urn:orvesk:project-service\"><projectId>101"
                                                "</projectid></SaveProject>" + kTail,
                          "SaveProject"));
    EXPECT_EQ("the request is not a SOAP 1.1 envelope", ClientFault("<a>b</a>", "SaveProject"));
    EXPECT_EQ("the SOAP body names no operation", ClientFault(std::string(kHead) + kTail, "SaveProject"));
    ExpectUnchanged();
}

TEST_P(ServerBadInputTest, EntityExpansionIsRefused)
{
    std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 "
                       "\"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\"><!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
                       "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                       "<SaveProject xmlns=\"urn:orvesk:project-service\"><projectId>101</projectId>"
                       "<projectData>&lt;PROJECT&gt;&lol3;&lt;/PROJECT&gt;</projectData></SaveProject>" +
                       std::string(kTail);
    EXPECT_EQ("document type declarations are not accepted", ClientFault(bomb, "SaveProject"));
    ExpectUnchanged();
    // An entity reference inside a value is only text: stored as such, never expanded.
    auto res = Post(std::string(kHead) +
                        "<SaveProject xmlns=\"urn:orvesk:project-service\"><projectId>101</projectId><projectData>"
                        "&lt;PROJECT&gt;&amp;ext;&lt;/PROJECT&gt;</projectData></SaveProject>" + kTail,
                    "SaveProject", "1");
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    EXPECT_NE(std::string::npos, res->body.find("<Result>0</Result>")) << res->body;
    std::string stored;
    ASSERT_TRUE(m_server->GetProject(m_id, stored));
    EXPECT_EQ("<PROJECT>&amp;ext;<ID>101</ID></PROJECT>", stored);
}

TEST_P(ServerBadInputTest, UnknownOperationsWrongTypesAndMissingArguments)
{
    EXPECT_EQ("unknown operation DropAll",
              ClientFault(std::string(kHead) + "<DropAll xmlns=\"urn:orvesk:project-service\"/>" + kTail, "DropAll"));
    EXPECT_EQ("the argument projectId of DeleteProject must be a whole number, not \"101 OR 1=1\"",
              ClientFault(std::string(kHead) + "<DeleteProject xmlns=\"urn:orvesk:project-service\"><projectId>101 OR"
                                               " 1=1</projectId><reserved></reserved></DeleteProject>" + kTail,
                          "DeleteProject"));
    EXPECT_EQ("the argument projectId of DeleteProject must be a whole number, not \"99999999999999999999\"",
              ClientFault(std::string(kHead) + "<DeleteProject xmlns=\"urn:orvesk:project-service\"><projectId>"
                                               "99999999999999999999</projectId><reserved></reserved></DeleteProject>" + kTail,
                          "DeleteProject"));
    EXPECT_EQ("DeleteProject lacks the argument reserved",
              ClientFault(std::string(kHead) + "<DeleteProject xmlns=\"urn:orvesk:project-service\"><projectId>101"
                                               "</projectId></DeleteProject>" + kTail,
                          "DeleteProject"));
    EXPECT_EQ("the argument projectData holds markup instead of text",
              ClientFault(std::string(kHead) + "<SaveProject xmlns=\"urn:orvesk:project-service\"><projectId>101"
                                               "</projectId><projectData><PROJECT/></projectData></SaveProject>" + kTail,
                          "SaveProject"));
    EXPECT_EQ("the operation DeleteProject is not in the namespace urn:orvesk:project-service",
              ClientFault(std::string(kHead) + "<DeleteProject xmlns=\"urn:other\"><projectId>101</projectId>"
                                               "<reserved></reserved></DeleteProject>" + kTail,
                          "DeleteProject"));
    EXPECT_EQ("the SOAPAction header \"\"urn:orvesk:project-service/GetResources\"\" does not name DeleteProject",
              ClientFault(std::string(kHead) + "<DeleteProject xmlns=\"urn:orvesk:project-service\"><projectId>101"
                                               "</projectId><reserved></reserved></DeleteProject>" + kTail,
                          "GetResources"));
    ExpectUnchanged();
}

TEST_P(ServerBadInputTest, OversizedBodiesAreRefusedWithoutReadingThem)
{
    std::string big = std::string(kHead) + "<SaveProject xmlns=\"urn:orvesk:project-service\"><projectId>101"
                                           "</projectId><projectData>&lt;PROJECT&gt;&lt;NAME&gt;" +
                      std::string(100 * 1024, 'x') + "&lt;/NAME&gt;&lt;/PROJECT&gt;</projectData></SaveProject>" +
                      kTail;
    auto res = Post(big, "SaveProject");
    ASSERT_TRUE(res);
    EXPECT_EQ(413, res->status);
    ExpectUnchanged();
}

TEST_P(ServerBadInputTest, AClientThatLeavesMidRequestChangesNothing)
{
    // Announces a body, sends half of it and goes away.
    std::string body = std::string(kHead) + "<DeleteProject xmlns=\"urn:orvesk:project-service\"><projectId>101"
                                            "</projectId><reserved></reserved></DeleteProject>" + kTail;
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(m_server->Port()));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(0, ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)));
    std::string head = "POST /site/WebService/OrveskService HTTP/1.1\r\nHost: x\r\nContent-Type: text/xml\r\n"
                       "SOAPAction: \"urn:orvesk:project-service/DeleteProject\"\r\nContent-Length: " +
                       std::to_string(body.size()) + "\r\n\r\n" + body.substr(0, body.size() / 2);
    ASSERT_EQ(static_cast<ssize_t>(head.size()), ::send(fd, head.data(), head.size(), 0));
    ::close(fd);
    // The server goes on serving, and the project is still there.
    auto res = Post(std::string(kHead) + "<GetProjectData xmlns=\"urn:orvesk:project-service\"><projectId>101"
                                         "</projectId></GetProjectData>" + kTail,
                    "GetProjectData");
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    ExpectUnchanged();
}

TEST_P(ServerBadInputTest, ConcurrentSavesOfOneProjectLeaveOneSaveWhole)
{
    auto text = [](char c) {
        std::string tasks;
        for (int i = 0; i < 200; ++i)
            tasks += "<TASK><TASKID>0</TASKID><NAME>" + std::string(20, c) + "</NAME></TASK>";
        return std::string("<PROJECT><NAME>") + c + "</NAME><TASKS>" + tasks + "</TASKS></PROJECT>";
    };
    // Bigger than the fixture's body bound allows: a server of its own.
    m_server->Stop();
    m_server.reset();
    StartServer(false, 8 * 1024 * 1024);
    long id = m_server->AddProject("<PROJECT><NAME>0</NAME></PROJECT>");
    ASSERT_GT(id, 0);
    LogIn();
    GrantAll(id);
    // Each save names the revision it read, as the client does; the saves of the two
    // interleave, and those that lost the race are refused whole.
    std::atomic<int> saved{0};
    std::vector<std::thread> threads;
    for (char c : {'a', 'b'})
        threads.emplace_back([&, c] {
            const std::string data = EscapeXml(text(c));
            for (int i = 0; i < 15; ++i) {
                auto read = Post(std::string(kHead) + "<GetProjectData xmlns=\"urn:orvesk:project-service\"><projectId>" +
                                     std::to_string(id) + "</projectId></GetProjectData>" + kTail,
                                 "GetProjectData");
                if (!read)
                    continue;
                std::string etag = read->get_header_value("ETag");
                etag = etag.size() >= 2 ? etag.substr(1, etag.size() - 2) : etag;
                auto res = Post(std::string(kHead) + "<SaveProject xmlns=\"urn:orvesk:project-service\"><projectId>" +
                                    std::to_string(id) + "</projectId><projectData>" + data +
                                    "</projectData></SaveProject>" + kTail,
                                "SaveProject", etag);
                if (res && res->body.find("<Result>0</Result>") != std::string::npos)
                    ++saved;
            }
        });
    for (auto& t : threads)
        t.join();
    std::string stored;
    ASSERT_TRUE(m_server->GetProject(id, stored));
    bool isA = stored.find("<NAME>a</NAME>") != std::string::npos;
    const char other = isA ? 'b' : 'a';
    EXPECT_EQ(std::string::npos, stored.find(std::string(20, other))) << "a mix of both saves";
    size_t tasks = 0;
    for (size_t at = stored.find("<TASK>"); at != std::string::npos; at = stored.find("<TASK>", at + 1))
        ++tasks;
    EXPECT_EQ(200u, tasks);
    EXPECT_NE(std::string::npos, stored.find(std::string(20, isA ? 'a' : 'b') + "</NAME></TASK></TASKS>"));
    EXPECT_GE(saved.load(), 1);
}
