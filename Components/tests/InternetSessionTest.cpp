// The HTTP session against a loopback server: statuses, lengths, reads in the caller's
// pieces, bodies without a length, broken and stalled bodies, a server that is down,
// redirects, status notices and proxies.
#include "InternetTestSupport.h"
#include "UnusedPort.h"

#include <chrono>
#include <mutex>

namespace {

TEST_F(InternetTest, OkWithLengthReadsInPiecesThatAddUp)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(3000);
    server.Serve("/pdm/GetPdmFile.asp?ClassID=3&ObjectID=7", r);
    ASSERT_NE(Open("/pdm/GetPdmFile.asp?ClassID=3&ObjectID=7"), nullptr);
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0)) << GetLastError();
    EXPECT_EQ(Query(HTTP_QUERY_STATUS_CODE), "200");
    EXPECT_EQ(Query(HTTP_QUERY_CONTENT_LENGTH), "3000");
    DWORD number = 0, len = sizeof number;
    ASSERT_TRUE(HttpQueryInfo(hRequest, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &number, &len, nullptr));
    EXPECT_EQ(number, 3000u);
    EXPECT_EQ(len, 4u);
    std::string body;
    std::vector<DWORD> sizes;
    ASSERT_TRUE(ReadAll(body, 1024, &sizes));
    EXPECT_EQ(sizes, (std::vector<DWORD>{1024, 1024, 952, 0}));
    EXPECT_EQ(body, r.body);
    // Reading on after the end keeps giving no bytes.
    char c;
    DWORD got = 7;
    EXPECT_TRUE(InternetReadFile(hRequest, &c, 1, &got));
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(server.Requests().at(0).target, "/pdm/GetPdmFile.asp?ClassID=3&ObjectID=7");
}

TEST_F(InternetTest, QueryBufferTooSmallGivesTheSizeNeeded)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(123456);
    server.Serve("/f", r);
    Open("/f");
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    char buf[4];
    DWORD len = sizeof buf;
    EXPECT_FALSE(HttpQueryInfo(hRequest, HTTP_QUERY_CONTENT_LENGTH, buf, &len, nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(len, 7u);
    char big[8];
    len = sizeof big;
    ASSERT_TRUE(HttpQueryInfo(hRequest, HTTP_QUERY_CONTENT_LENGTH, big, &len, nullptr));
    EXPECT_STREQ(big, "123456");
    EXPECT_EQ(len, 6u);
}

TEST_F(InternetTest, ChunkedReplyHasNoLengthButReadsToTheEnd)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(70000);
    r.chunked = true;
    server.Serve("/chunked", r);
    Open("/chunked");
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(Query(HTTP_QUERY_STATUS_CODE), "200");
    EXPECT_EQ(Query(HTTP_QUERY_CONTENT_LENGTH), "<error " + std::to_string(ERROR_HTTP_HEADER_NOT_FOUND) + ">");
    std::string body;
    std::vector<DWORD> sizes;
    ASSERT_TRUE(ReadAll(body, 1024, &sizes)) << GetLastError();
    EXPECT_EQ(body, r.body);
    // Every read but the last two is a full piece.
    ASSERT_GE(sizes.size(), 3u);
    for (size_t i = 0; i + 2 < sizes.size(); ++i)
        EXPECT_EQ(sizes[i], 1024u) << i;
    EXPECT_EQ(sizes.back(), 0u);
}

TEST_F(InternetTest, ErrorStatusesAreResponsesWithTheirCodes)
{
    CLoopbackHttpServer::Reply r;
    r.status = 500;
    r.body = "broken";
    server.Serve("/err", r);
    Open("/missing");
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(Query(HTTP_QUERY_STATUS_CODE), "404");
    DWORD code = 0, len = sizeof code;
    ASSERT_TRUE(HttpQueryInfo(hRequest, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &len, nullptr));
    EXPECT_EQ(code, 404u);
    InternetCloseHandle(hRequest);
    hRequest = HttpOpenRequest(hConnect, "GET", "/err", nullptr, nullptr, nullptr, 0, 0);
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(Query(HTTP_QUERY_STATUS_CODE), "500");
    std::string body;
    ASSERT_TRUE(ReadAll(body));
    EXPECT_EQ(body, "broken");
}

TEST_F(InternetTest, BodyBrokenOffIsAFailureAfterTheBytesThatCame)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(10000);
    r.breakAfter = 4000;
    server.Serve("/cut", r);
    Open("/cut");
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(Query(HTTP_QUERY_CONTENT_LENGTH), "10000");
    std::string body;
    EXPECT_FALSE(ReadAll(body));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INTERNET_CONNECTION_ABORTED);
    EXPECT_EQ(body, r.body.substr(0, 4000));
}

TEST_F(InternetTest, ChunkedBodyBrokenOffIsAFailure)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(50000);
    r.chunked = true;
    r.breakAfter = 20000;
    server.Serve("/cut", r);
    Open("/cut");
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    std::string body;
    EXPECT_FALSE(ReadAll(body));
    EXPECT_NE(GetLastError(), (DWORD)ERROR_SUCCESS);
    EXPECT_LE(body.size(), 20000u);
}

TEST_F(InternetTest, StalledBodyTimesOut)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(10000);
    r.stallAfter = 2048;
    server.Serve("/stall", r);
    Open("/stall");
    DWORD ms = 300;
    ASSERT_TRUE(InternetSetOption(hRequest, INTERNET_OPTION_RECEIVE_TIMEOUT, &ms, sizeof ms));
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    const auto t0 = std::chrono::steady_clock::now();
    std::string body;
    EXPECT_FALSE(ReadAll(body));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INTERNET_TIMEOUT);
    EXPECT_EQ(body.size(), 2048u);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
    server.ReleaseStalls();
}

TEST_F(InternetTest, ServerDownFailsTheSend)
{
    Open("/x", INTERNET_OPEN_TYPE_DIRECT, nullptr, UnusedPort());
    EXPECT_FALSE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INTERNET_CANNOT_CONNECT);
    // Nothing to query or read on a request that got no response.
    char buf[32];
    DWORD len = sizeof buf;
    EXPECT_FALSE(HttpQueryInfo(hRequest, HTTP_QUERY_STATUS_CODE, buf, &len, nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INTERNET_INCORRECT_HANDLE_STATE);
    DWORD got = 0;
    EXPECT_FALSE(InternetReadFile(hRequest, buf, sizeof buf, &got));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INTERNET_INCORRECT_HANDLE_STATE);
}

TEST_F(InternetTest, HandlesOfTheWrongKindOrClosedAreRefused)
{
    Open("/x");
    EXPECT_EQ(HttpOpenRequest(hSession, nullptr, "/", nullptr, nullptr, nullptr, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
    EXPECT_FALSE(HttpSendRequest(hConnect, nullptr, 0, nullptr, 0));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
    EXPECT_EQ(InternetConnect(hSession, "h", 80, nullptr, nullptr, INTERNET_SERVICE_FTP, 0, 0), nullptr);
    // Closing the session closes what was made from it.
    ASSERT_TRUE(InternetCloseHandle(hSession));
    EXPECT_FALSE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_FALSE(InternetCloseHandle(hConnect));
    EXPECT_FALSE(InternetCloseHandle(hRequest));
    hSession = hConnect = hRequest = nullptr;
}

struct Notice
{
    DWORD_PTR context;
    DWORD status;
    std::string info;
};
std::mutex g_noticeLock;
std::vector<Notice> g_notices;

void CALLBACK RecordNotice(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD length)
{
    std::lock_guard<std::mutex> g(g_noticeLock);
    std::string text = info ? std::string(static_cast<const char*>(info)) : std::string();
    EXPECT_EQ(length, text.size() + 1);
    g_notices.push_back({context, status, text});
}

TEST_F(InternetTest, StatusNoticesForConnectingAndRedirecting)
{
    {
        std::lock_guard<std::mutex> g(g_noticeLock);
        g_notices.clear();
    }
    CLoopbackHttpServer::Reply moved;
    moved.status = 302;
    moved.location = "/new/file.doc";
    server.Serve("/old/file.doc", moved);
    CLoopbackHttpServer::Reply file;
    file.body = "contents";
    server.Serve("/new/file.doc", file);
    hSession = InternetOpen("Tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    EXPECT_EQ(InternetSetStatusCallback(hSession, &RecordNotice), nullptr);
    hConnect = InternetConnect(hSession, "127.0.0.1", (INTERNET_PORT)server.Port(), nullptr, nullptr,
                               INTERNET_SERVICE_HTTP, 0, 0x77);
    hRequest = HttpOpenRequest(hConnect, nullptr, "/old/file.doc", nullptr, nullptr, nullptr, 0, 0x99);
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(Query(HTTP_QUERY_STATUS_CODE), "200");
    std::string body;
    ASSERT_TRUE(ReadAll(body));
    EXPECT_EQ(body, "contents");
    std::lock_guard<std::mutex> g(g_noticeLock);
    std::vector<DWORD> codes;
    for (const Notice& n : g_notices) {
        codes.push_back(n.status);
        EXPECT_EQ(n.context, 0x99u);
    }
    ASSERT_EQ(codes, (std::vector<DWORD>{INTERNET_STATUS_RESOLVING_NAME, INTERNET_STATUS_NAME_RESOLVED,
                                         INTERNET_STATUS_CONNECTING_TO_SERVER, INTERNET_STATUS_CONNECTED_TO_SERVER,
                                         INTERNET_STATUS_REDIRECT}));
    EXPECT_EQ(g_notices[0].info, "127.0.0.1");
    EXPECT_EQ(g_notices[1].info, "127.0.0.1");
    EXPECT_EQ(g_notices[2].info, "127.0.0.1");
    EXPECT_EQ(g_notices[3].info, "127.0.0.1");
    EXPECT_EQ(g_notices[4].info, server.Url("/new/file.doc"));
}

TEST_F(InternetTest, ProxyGivenCarriesTheRequest)
{
    CLoopbackHttpServer::Reply r;
    r.body = "via proxy";
    server.Serve("/doc", r);
    const int dead = UnusedPort();
    const std::string proxy = "127.0.0.1:" + std::to_string(server.Port());
    Open("/doc", INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), dead);
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0)) << GetLastError();
    std::string body;
    ASSERT_TRUE(ReadAll(body));
    EXPECT_EQ(body, "via proxy");
    auto seen = server.Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].absoluteForm);
    EXPECT_EQ(seen[0].target, "http://127.0.0.1:" + std::to_string(dead) + "/doc");
}

TEST_F(InternetTest, PreconfiguredUsesTheDesktopProxyAndDirectIgnoresIt)
{
    CLoopbackHttpServer::Reply r;
    r.body = "x";
    server.Serve("/doc", r);
    const int dead = UnusedPort();
    const std::string proxy = "http://127.0.0.1:" + std::to_string(server.Port());
    CScopedEnv a("http_proxy", proxy.c_str());
    CScopedEnv b("no_proxy", nullptr);
    CScopedEnv c("NO_PROXY", nullptr);
    Open("/doc", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, dead);
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0)) << GetLastError();
    EXPECT_TRUE(server.Requests().at(0).absoluteForm);
    InternetCloseHandle(hSession);
    hSession = hConnect = hRequest = nullptr;

    Open("/doc", INTERNET_OPEN_TYPE_DIRECT, nullptr, dead);
    EXPECT_FALSE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INTERNET_CANNOT_CONNECT);
    EXPECT_EQ(server.Requests().size(), 1u);
}

}  // namespace
