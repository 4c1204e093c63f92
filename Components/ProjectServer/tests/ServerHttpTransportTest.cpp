// The server's HTTP transport against clients that misbehave on purpose: trickled headers
// and bodies past their deadlines, header floods, bodies over the bound (announced and
// chunked), malformed requests, too many connections from one address; and the readings
// of the headers a call carries (cookie, If-Match, Range) and the answers made of them.
#include "HttpCallContext.h"
#include "HttpDaemon.h"
#include "LoopbackSocket.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

using namespace projectserver;

namespace {

// A raw client socket to 127.0.0.1:port from a loopback address of its own.
int Connect(int port, const char* from = "127.0.0.1")
{
    return ConnectFrom(from, port);
}

bool SendAll(int fd, const std::string& data)
{
    size_t at = 0;
    while (at < data.size()) {
        ssize_t n = ::send(fd, data.data() + at, data.size() - at, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        at += static_cast<size_t>(n);
    }
    return true;
}

// What the server sends until it closes the connection or `waitMs` pass without a byte.
std::string Receive(int fd, int waitMs = 5000)
{
    std::string out;
    char buf[65536];
    for (;;) {
        pollfd p = {fd, POLLIN, 0};
        if (::poll(&p, 1, waitMs) <= 0)
            return out;
        ssize_t n = ::recv(fd, buf, sizeof(buf), 0);
        if (n <= 0)
            return out;
        out.append(buf, static_cast<size_t>(n));
    }
}

// Whether the server has closed the connection: waits up to `waitMs` for the end.
bool ClosedByServer(int fd, int waitMs)
{
    pollfd p = {fd, POLLIN, 0};
    if (::poll(&p, 1, waitMs) <= 0)
        return false;
    char c;
    return ::recv(fd, &c, 1, MSG_DONTWAIT) <= 0;
}

int StatusOf(const std::string& answer)
{
    return answer.compare(0, 9, "HTTP/1.1 ") == 0 ? std::atoi(answer.c_str() + 9) : -1;
}

class HttpTransportTest : public ::testing::Test {
protected:
    void Start(HttpLimits limits)
    {
        std::string error;
        ASSERT_TRUE(m_daemon.Start("127.0.0.1", 0, limits, "", "",
                                   [this](const HttpRequest& req, HttpResponse& res) {
                                       ++m_handled;
                                       res.SetContent(req.method + " " + req.path + " " + std::to_string(req.body.size()),
                                                      "text/plain");
                                   },
                                   error))
            << error;
    }
    void TearDown() override { m_daemon.Stop(); }

    CHttpDaemon m_daemon;
    std::atomic<int> m_handled{0};
};

}  // namespace

TEST(HttpHeaderReadings, CookieIfMatchRangeAndOrigin)
{
    EXPECT_EQ("ab12", CookieValue("a=1; PCSESSION=ab12; b=2", "PCSESSION"));
    EXPECT_EQ("", CookieValue("XPCSESSION=1; PCSESSIONX=2", "PCSESSION"));
    EXPECT_EQ("", CookieValue("", "PCSESSION"));
    EXPECT_EQ("17", UnquoteEntityTag("\"17\""));
    EXPECT_EQ("", UnquoteEntityTag("*"));

    ByteRange r = ParseRange("bytes=2-5", 10);
    EXPECT_EQ(ByteRange::Part, r.kind);
    EXPECT_EQ(2u, r.first);
    EXPECT_EQ(5u, r.last);
    r = ParseRange("bytes=-3", 10);
    EXPECT_EQ(ByteRange::Part, r.kind);
    EXPECT_EQ(7u, r.first);
    EXPECT_EQ(9u, r.last);
    r = ParseRange("bytes=4-99999999999999999999999", 10);
    EXPECT_EQ(ByteRange::Part, r.kind);
    EXPECT_EQ(9u, r.last);
    EXPECT_EQ(ByteRange::Unsatisfiable, ParseRange("bytes=10-", 10).kind);
    EXPECT_EQ(ByteRange::Unsatisfiable, ParseRange("bytes=-0", 10).kind);
    // Several parts, reversed bounds and other units: the whole answer.
    EXPECT_EQ(ByteRange::Whole, ParseRange("bytes=0-1,3-4", 10).kind);
    EXPECT_EQ(ByteRange::Whole, ParseRange("bytes=5-2", 10).kind);
    EXPECT_EQ(ByteRange::Whole, ParseRange("items=0-1", 10).kind);
    EXPECT_EQ(ByteRange::Whole, ParseRange("bytes=x-1", 10).kind);

    HttpRequest req;
    req.headers = {{"Host", "team-server:8080"}};
    EXPECT_EQ("http://team-server:8080", RequestOrigin(req, "0.0.0.0", 8080));
    EXPECT_EQ("http://127.0.0.1:8080", RequestOrigin(req, "127.0.0.1", 8080));
    req.secure = true;
    req.headers = {{"Host", "x\"/><evil"}};
    EXPECT_EQ("https://0.0.0.0:8080", RequestOrigin(req, "0.0.0.0", 8080));
    req.origin = "http://proxy-named:1";
    EXPECT_EQ("http://proxy-named:1", RequestOrigin(req, "0.0.0.0", 8080));

    EXPECT_EQ("product-data store: the file is not a product-data store",
              WithoutPaths("product-data store \"/srv/p/pdm.sqlite\": the file is not a product-data store",
                           {"/srv/p/pdm.sqlite"}));
}

TEST(HttpCallContext, FromHeadersAndBackToHeaders)
{
    HttpRequest req;
    req.headers = {{"cookie", "theme=x; PCSESSION=00ff"}, {"If-Match", "\"42\""}};
    req.peerAddress = "127.0.0.9";
    CallContext in = ContextOf(req);
    EXPECT_EQ("00ff", in.sessionToken);
    EXPECT_EQ("42", in.ifMatch);
    EXPECT_EQ("127.0.0.9", in.peerAddress);

    CallContext out;
    out.newSessionToken = "0123456789abcdef0123456789abcdef";
    out.etag = "43";
    HttpResponse plain, secure;
    ApplyContext(out, false, plain);
    ApplyContext(out, true, secure);
    EXPECT_EQ("PCSESSION=0123456789abcdef0123456789abcdef; Path=/; HttpOnly; SameSite=Strict",
              plain.Header("Set-Cookie"));
    EXPECT_EQ("PCSESSION=0123456789abcdef0123456789abcdef; Path=/; HttpOnly; SameSite=Strict; Secure",
              secure.Header("Set-Cookie"));
    EXPECT_EQ("\"43\"", plain.Header("ETag"));

    CallContext ended;
    ended.endSession = true;
    HttpResponse cleared;
    ApplyContext(ended, false, cleared);
    EXPECT_EQ("PCSESSION=; Path=/; Max-Age=0", cleared.Header("Set-Cookie"));
    EXPECT_EQ("", cleared.Header("ETag"));

    HttpResponse refused;
    RefuseUnauthorized(refused, true);
    EXPECT_EQ(401, refused.status);
    EXPECT_EQ("Session", refused.Header("WWW-Authenticate"));
    EXPECT_NE(std::string::npos, refused.body.find("<faultcode>soap:Client</faultcode><faultstring>a session is "
                                                   "needed: log in first</faultstring>"))
        << refused.body;
}

TEST_F(HttpTransportTest, TrickledHeadersAreCutAtTheirDeadline)
{
    HttpLimits limits;
    limits.headerSeconds = 1;
    Start(limits);
    int fd = Connect(m_daemon.Port());
    ASSERT_GE(fd, 0);
    // One byte every 100 ms keeps any inactivity time-out content; a 200-byte head would
    // take 20 s. The server must close long before it is complete.
    std::string head = "GET /x HTTP/1.1\r\nHost: h\r\nX-Slow: " + std::string(160, 'a') + "\r\n\r\n";
    bool closed = false;
    for (size_t i = 0; i < head.size() && !closed; ++i) {
        closed = !SendAll(fd, head.substr(i, 1)) || ClosedByServer(fd, 100);
    }
    EXPECT_TRUE(closed);
    EXPECT_EQ(0, m_handled);
    ::close(fd);
}

TEST_F(HttpTransportTest, ATrickledBodyIsCutAtItsDeadline)
{
    HttpLimits limits;
    limits.headerSeconds = 1;
    limits.slowestBytesPerSecond = 1000;  // 1,000 bytes: one second more
    Start(limits);
    int fd = Connect(m_daemon.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "POST /x HTTP/1.1\r\nHost: h\r\nContent-Length: 1000\r\n\r\n"));
    bool closed = false;
    for (int i = 0; i < 1000 && !closed; ++i)
        closed = !SendAll(fd, "b") || ClosedByServer(fd, 100);
    EXPECT_TRUE(closed);
    EXPECT_EQ(0, m_handled);
    ::close(fd);
}

TEST_F(HttpTransportTest, ATrickledChunkedBodyIsCutWhenItFallsBehind)
{
    HttpLimits limits;
    limits.headerSeconds = 1;
    limits.slowestBytesPerSecond = 1000;  // the body's bound would allow hours
    Start(limits);
    int fd = Connect(m_daemon.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "POST /x HTTP/1.1\r\nHost: h\r\nTransfer-Encoding: chunked\r\n\r\n"));
    bool closed = false;
    for (int i = 0; i < 100 && !closed; ++i)
        closed = !SendAll(fd, "1\r\nb\r\n") || ClosedByServer(fd, 100);
    EXPECT_TRUE(closed);
    EXPECT_EQ(0, m_handled);
    ::close(fd);
}

TEST_F(HttpTransportTest, HeaderFloodsAndMalformedRequestsAreRefused)
{
    Start(HttpLimits());
    int fd = Connect(m_daemon.Port());
    ASSERT_GE(fd, 0);
    std::string flood = "GET /x HTTP/1.1\r\nHost: h\r\n";
    for (int i = 0; i < 20000; ++i)
        flood += "X-" + std::to_string(i) + ": v\r\n";
    SendAll(fd, flood + "\r\n");  // the server may stop reading part way
    EXPECT_EQ(431, StatusOf(Receive(fd)));
    ::close(fd);

    fd = Connect(m_daemon.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "GET /x HTTP/1.1\r\nHost: h\r\nContent-Length: 12x\r\n\r\n"));
    EXPECT_EQ(400, StatusOf(Receive(fd)));
    ::close(fd);
    EXPECT_EQ(0, m_handled);
}

TEST_F(HttpTransportTest, BodiesOverTheBoundAreRefusedWithoutReadingThem)
{
    HttpLimits limits;
    limits.maxBodyBytes = 4096;
    Start(limits);
    // Announced: the answer comes before a byte of the body is sent.
    int fd = Connect(m_daemon.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "POST /x HTTP/1.1\r\nHost: h\r\nContent-Length: 1000000000000\r\n\r\n"));
    std::string answer = Receive(fd);
    EXPECT_EQ(413, StatusOf(answer)) << answer;
    ::close(fd);

    // Chunked: refused once past the bound, the rest never read.
    fd = Connect(m_daemon.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "POST /x HTTP/1.1\r\nHost: h\r\nTransfer-Encoding: chunked\r\n\r\n"));
    const std::string chunk = "400\r\n" + std::string(1024, 'c') + "\r\n";
    bool refused = false;
    for (int i = 0; i < 64 && !refused; ++i) {
        SendAll(fd, chunk);
        pollfd p = {fd, POLLIN, 0};
        refused = ::poll(&p, 1, 50) > 0;
    }
    answer = Receive(fd);
    EXPECT_EQ(413, StatusOf(answer)) << answer;
    ::close(fd);
    EXPECT_EQ(0, m_handled);

    // A chunked body within the bound arrives whole.
    fd = Connect(m_daemon.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "POST /x HTTP/1.1\r\nHost: h\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n" +
                                chunk + chunk + "0\r\n\r\n"));
    answer = Receive(fd);
    EXPECT_EQ(200, StatusOf(answer)) << answer;
    EXPECT_NE(std::string::npos, answer.find("\r\n\r\nPOST /x 2048")) << answer;
    ::close(fd);
}

TEST_F(HttpTransportTest, ABodyWhoseEndIsInDoubtIsRefusedAtOnce)
{
    Start(HttpLimits());
    struct Case {
        const char* headers;
        int status;
    };
    const Case cases[] = {
        {"Content-Length: 5\r\nContent-Length: 50000\r\n", 400},
        {"Content-Length: 5\r\nTransfer-Encoding: chunked\r\n", 400},
        {"Transfer-Encoding: gzip\r\n", 501},
        {"Transfer-Encoding: gzip, chunked\r\n", 501},
        {"Transfer-Encoding: chunked\r\nTransfer-Encoding: chunked\r\n", 501},
    };
    for (const Case& c : cases) {
        int fd = Connect(m_daemon.Port());
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(SendAll(fd, std::string("POST /x HTTP/1.1\r\nHost: h\r\n") + c.headers + "\r\nhello"));
        // Answered while the connection is still open, not at its time-out.
        const std::string answer = Receive(fd, 5000);
        EXPECT_EQ(c.status, StatusOf(answer)) << c.headers << answer;
        ::close(fd);
    }
    EXPECT_EQ(0, m_handled);
    // The same length twice is one length.
    int fd = Connect(m_daemon.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "POST /x HTTP/1.1\r\nHost: h\r\nContent-Length: 5\r\nContent-Length: 5\r\n"
                            "Connection: close\r\n\r\nhello"));
    EXPECT_EQ(200, StatusOf(Receive(fd)));
    ::close(fd);
}

TEST_F(HttpTransportTest, ManyBodiesAtOnceCannotTakeAllTheMemory)
{
    HttpLimits limits;
    limits.maxBodyBytes = 4096;
    limits.bodyBytesPerAddress = 6000;
    limits.bodyBytesInAll = 9000;
    Start(limits);
    auto begin = [this](const char* from, const std::string& length) {
        int fd = Connect(m_daemon.Port(), from);
        EXPECT_GE(fd, 0);
        EXPECT_TRUE(SendAll(fd, "POST /x HTTP/1.1\r\nHost: h\r\nConnection: close\r\n" + length + "\r\n"));
        return fd;
    };
    const std::string length4000 = "Content-Length: 4000\r\n";
    // An announced size holds nothing until it comes: 3,000 bytes of a body under way from
    // an address leave no room there for a second body of 4,000 ...
    int held = begin("127.0.0.7", length4000);
    ASSERT_TRUE(SendAll(held, std::string(3000, 'a')));
    int claim = begin("127.0.0.7", length4000);  // announced, never sent: holds nothing
    int refused = -1;
    std::string answer;
    for (int i = 0; i < 100 && StatusOf(answer) != 503; ++i) {  // until the 3,000 are in
        refused = begin("127.0.0.7", length4000);
        answer = Receive(refused, 100);
        ::close(refused);
    }
    EXPECT_EQ(503, StatusOf(answer)) << answer;
    EXPECT_NE(std::string::npos, answer.find("Retry-After: 5\r\n")) << answer;
    // ... but for one from another address, until the bound of all is reached.
    int other = begin("127.0.0.8", length4000);
    ASSERT_TRUE(SendAll(other, std::string(3000, 'a')));
    answer.clear();
    for (int i = 0; i < 100 && StatusOf(answer) != 503; ++i) {
        refused = begin("127.0.0.9", length4000);
        answer = Receive(refused, 100);
        ::close(refused);
    }
    EXPECT_EQ(503, StatusOf(answer)) << answer;
    // A chunked body is refused once it comes to the bound.
    refused = begin("127.0.0.9", "Transfer-Encoding: chunked\r\n");
    const std::string chunk = "800\r\n" + std::string(2048, 'c') + "\r\n";
    SendAll(refused, chunk + chunk);
    EXPECT_EQ(503, StatusOf(Receive(refused)));
    ::close(refused);
    // A body read whole and answered gives its memory back.
    ASSERT_TRUE(SendAll(held, std::string(1000, 'b')));
    EXPECT_EQ(200, StatusOf(Receive(held)));
    ::close(held);
    int next = begin("127.0.0.7", length4000);
    ASSERT_TRUE(SendAll(next, std::string(4000, 'd')));
    answer = Receive(next);
    EXPECT_EQ(200, StatusOf(answer));
    EXPECT_NE(std::string::npos, answer.find("\r\n\r\nPOST /x 4000")) << answer;
    ::close(next);
    ::close(other);
    ::close(claim);
    EXPECT_EQ(2, m_handled);
}

TEST_F(HttpTransportTest, ABodyAnnouncedLargeButTrickledIsCut)
{
    HttpLimits limits;
    limits.headerSeconds = 1;
    limits.slowestBytesPerSecond = 1000;  // the announced size would allow an hour
    Start(limits);
    int fd = Connect(m_daemon.Port());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "POST /x HTTP/1.1\r\nHost: h\r\nContent-Length: 3600000\r\n\r\n"));
    bool closed = false;
    for (int i = 0; i < 100 && !closed; ++i)
        closed = !SendAll(fd, "b") || ClosedByServer(fd, 100);
    EXPECT_TRUE(closed);
    EXPECT_EQ(0, m_handled);
    ::close(fd);
}

TEST_F(HttpTransportTest, OneAddressCannotTakeEveryConnection)
{
    HttpLimits limits;
    limits.connectionsPerAddress = 4;
    Start(limits);
    std::vector<int> held;
    for (int i = 0; i < 4; ++i) {
        held.push_back(Connect(m_daemon.Port(), "127.0.0.5"));
        ASSERT_GE(held.back(), 0);
    }
    int extra = Connect(m_daemon.Port(), "127.0.0.5");
    ASSERT_GE(extra, 0);
    EXPECT_TRUE(ClosedByServer(extra, 5000));
    ::close(extra);
    // Another address is served.
    int fd = Connect(m_daemon.Port(), "127.0.0.6");
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, "GET /ok HTTP/1.1\r\nHost: h\r\nConnection: close\r\n\r\n"));
    EXPECT_EQ(200, StatusOf(Receive(fd)));
    ::close(fd);
    for (int h : held)
        ::close(h);
}

namespace {

// A text of `n` bytes that differs along its length, so that a part lost or repeated shows.
std::string Pattern(size_t n)
{
    std::string text(n, 'a');
    for (size_t i = 0; i < n; ++i)
        text[i] = static_cast<char>('a' + (i * 7 + i / 4093) % 26);
    return text;
}

}  // namespace

TEST_F(HttpTransportTest, AnswersWaitingForReadersThatTakeNothingHoldBoundedMemory)
{
    HttpLimits limits;
    limits.answerBytesPerConnection = 8000000;
    limits.answerBytesInAll = 20000000;
    std::string error;
    ASSERT_TRUE(m_daemon.Start("127.0.0.1", 0, limits, "", "",
                               [this](const HttpRequest& req, HttpResponse& res) {
                                   res.SetContent(Pattern(std::strtoul(req.path.c_str() + 1, nullptr, 10)),
                                                  "text/plain");
                                   ++m_handled;
                               },
                               error))
        << error;
    // Six readers ask for answers within a connection's part, two for larger ones; none
    // reads. Three of the six fit the bound of all; the other five answers wait in files.
    std::vector<std::pair<int, size_t>> readers;
    for (size_t size : {6000000, 6000000, 9000000, 6000000, 6000000, 9000000, 6000000, 6000000}) {
        // A small receiving window: what the reader does not take stays with the server.
        const int fd = ConnectFrom(("127.0.0." + std::to_string(20 + readers.size())).c_str(), m_daemon.Port(), 4096);
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(SendAll(fd, "GET /" + std::to_string(size) + " HTTP/1.1\r\nHost: h\r\nConnection: close\r\n\r\n"));
        readers.emplace_back(fd, size);
    }
    for (int i = 0; i < 200 && (m_daemon.AnswerBytesHeld() != 18000000 || m_daemon.AnswersInFiles() != 5); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    EXPECT_EQ(18000000u, m_daemon.AnswerBytesHeld());
    EXPECT_EQ(5u, m_daemon.AnswersInFiles());
    EXPECT_EQ(8, m_handled);

    // Each reader, when it reads at last, gets its whole answer byte for byte.
    for (const auto& reader : readers) {
        const std::string answer = Receive(reader.first);
        const size_t head = answer.find("\r\n\r\n");
        ASSERT_NE(std::string::npos, head);
        EXPECT_EQ(200, StatusOf(answer));
        EXPECT_NE(std::string::npos, answer.find("Content-Length: " + std::to_string(reader.second) + "\r\n"));
        EXPECT_TRUE(answer.compare(head + 4, std::string::npos, Pattern(reader.second)) == 0)
            << "answer of " << reader.second << " bytes differs";
        ::close(reader.first);
    }
    for (int i = 0; i < 200 && m_daemon.AnswerBytesHeld() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    EXPECT_EQ(0u, m_daemon.AnswerBytesHeld());
}
