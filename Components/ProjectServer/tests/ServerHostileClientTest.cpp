// The whole server against hostile clients: 256 slow connections from other addresses while
// an honest one is answered; ranges on downloads (one part only, never on POST, never an
// answer larger than the data); the end of a session; error texts without server paths.
#include "LoopbackSocket.h"
#include "ServerTestSupport.h"

#include <Pdm/PdmStore.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <thread>

namespace {

const char kGetResources[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope xmlns:soap=\"http://schemas."
                             "xmlsoap.org/soap/envelope/\"><soap:Body><GetResources xmlns=\"urn:orvesk:project-"
                             "service\"></GetResources></soap:Body></soap:Envelope>";


class ServerHostileClientTest : public ServerFixture {
protected:
    void SetUp() override
    {
        m_pdmStore = m_dir.File("pdm.sqlite");
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_pdmStore, CPdmStore::CreateIfMissing)) << store.LastError();
        int32_t folder = 0;
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "F", folder));
        for (int i = 0; i < 1000; ++i)
            m_bytes += static_cast<char>('A' + i % 26);
        ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "a.bin", m_bytes, "", 1000, "",
                                      m_embedded));
        std::ofstream(m_dir.File("linked.bin"), std::ios::binary) << m_bytes;
        ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "b.bin", "",
                                      m_dir.File("linked.bin"), 1000, "", m_linked));
        StartServer();
        LogIn();
    }
    httplib::Headers SessionHeaders() const { return {{"Cookie", "PCSESSION=" + m_session}}; }
    httplib::Result Get(int32_t id, const std::string& range)
    {
        httplib::Client client("127.0.0.1", m_server->Port());
        client.set_read_timeout(60, 0);
        httplib::Headers headers = SessionHeaders();
        if (!range.empty())
            headers.emplace("Range", range);
        return client.Get(("/pdm/GetPdmFile.asp?ClassID=" + std::to_string(PDM_DEFAULT_DOC_CLASS) +
                           "&ObjectID=" + std::to_string(id)).c_str(),
                          headers);
    }

    std::string m_bytes;
    int32_t m_embedded = 0, m_linked = 0;
};

}  // namespace

TEST_F(ServerHostileClientTest, TwoHundredFiftySixSlowClientsDoNotKeepAnHonestOneWaiting)
{
    // From 32 other loopback addresses, 8 each: half trickle their headers, half announce a
    // body and trickle it.
    std::vector<int> slow;
    for (int i = 0; i < 256; ++i) {
        std::string from = "127.0.0." + std::to_string(2 + i / 8);
        int fd = ConnectFrom(from.c_str(), m_server->Port());
        ASSERT_GE(fd, 0) << from;
        std::string start = i % 2 ? "POST /site/WebService/OrveskService HTTP/1.1\r\nHost: h\r\nContent-Length: "
                                    "900000\r\nSOAPAction: \"urn:orvesk:project-service/GetResources\"\r\n\r\n<"
                                  : "GET /site/WebService/OrveskService.WSDL HTTP/1.1\r\nHo";
        ASSERT_EQ(static_cast<ssize_t>(start.size()), ::send(fd, start.data(), start.size(), MSG_NOSIGNAL));
        slow.push_back(fd);
    }
    std::atomic<bool> done{false};
    std::thread trickle([&] {
        for (int round = 0; round < 20 && !done; ++round) {
            for (int fd : slow)
                ::send(fd, "x", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            for (int w = 0; w < 10 && !done; ++w)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    int answered = 0;
    for (int i = 0; i < 20; ++i) {
        auto res = Post(kGetResources, "GetResources");
        answered += res && res->status == 200 && res->body.find("<Result>0</Result>") != std::string::npos;
        httplib::Client client("127.0.0.1", m_server->Port());
        client.set_read_timeout(60, 0);
        auto wsdl = client.Get("/site/WebService/OrveskService.WSDL");  // needs no session
        answered += wsdl && wsdl->status == 200;
    }
    done = true;
    trickle.join();
    EXPECT_EQ(40, answered);
    for (int fd : slow)
        ::close(fd);
}

TEST_F(ServerHostileClientTest, DownloadsHonourOneRangeAndNeverMore)
{
    for (int32_t id : {m_embedded, m_linked}) {
        auto res = Get(id, "bytes=10-19");
        ASSERT_TRUE(res);
        EXPECT_EQ(206, res->status);
        EXPECT_EQ(m_bytes.substr(10, 10), res->body);
        EXPECT_EQ("bytes 10-19/1000", res->get_header_value("Content-Range"));
        res = Get(id, "bytes=-5");
        ASSERT_TRUE(res);
        EXPECT_EQ(206, res->status);
        EXPECT_EQ(m_bytes.substr(995), res->body);
        res = Get(id, "bytes=5000-");
        ASSERT_TRUE(res);
        EXPECT_EQ(416, res->status);
        EXPECT_EQ("bytes */1000", res->get_header_value("Content-Range"));
        // 2,500 parts: the whole document once, not 2,500 copies.
        std::string many = "bytes=0-999";
        for (int i = 0; i < 2499; ++i)
            many += ",0-999";
        res = Get(id, many);
        ASSERT_TRUE(res);
        EXPECT_EQ(200, res->status);
        EXPECT_TRUE(m_bytes == res->body) << res->body.size();
        EXPECT_FALSE(res->has_header("Content-Range"));
    }
    // A SOAP POST takes no range.
    httplib::Client client("127.0.0.1", m_server->Port());
    client.set_read_timeout(60, 0);
    httplib::Headers headers = SessionHeaders();
    headers.emplace("SOAPAction", "\"urn:orvesk:project-service/GetResources\"");
    headers.emplace("Range", "bytes=0-9");
    auto res = client.Post("/site/WebService/OrveskService", headers, kGetResources, "text/xml; charset=utf-8");
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    EXPECT_NE(std::string::npos, res->body.find("</soap:Envelope>"));
    EXPECT_FALSE(res->has_header("Content-Range"));
}

TEST_F(ServerHostileClientTest, LogoutEndsTheSessionAndClearsTheCookie)
{
    httplib::Client client("127.0.0.1", m_server->Port());
    client.set_read_timeout(60, 0);
    httplib::Headers headers = {{"Cookie", "PCSESSION=0011"}};
    auto res = client.Post("/site/WebService/Logout", headers, "", "text/plain");
    ASSERT_TRUE(res);
    EXPECT_EQ(204, res->status);
    EXPECT_EQ("PCSESSION=; Path=/; Max-Age=0", res->get_header_value("Set-Cookie"));
    // Unknown routes and methods are not found.
    res = client.Get("/site/WebService/Logout");
    ASSERT_TRUE(res);
    EXPECT_EQ(404, res->status);
}

TEST_F(ServerHostileClientTest, ErrorTextsNameNoServerPath)
{
    m_server->Stop();
    m_server.reset();
    m_pdmStore = m_dir.File("missing/pdm.sqlite");
    StartServer();
    httplib::Client client("127.0.0.1", m_server->Port());
    client.set_read_timeout(60, 0);
    for (const char* target : {"/pdm/Store.asp", "/pdm/GetPdmFile.asp?ClassID=101&ObjectID=1"}) {
        auto res = client.Get(target, SessionHeaders());
        ASSERT_TRUE(res);
        EXPECT_EQ(503, res->status) << target;
        EXPECT_NE(std::string::npos, res->body.find("does not exist")) << res->body;
        EXPECT_EQ(std::string::npos, res->body.find(m_dir.File(""))) << res->body;
    }
}
