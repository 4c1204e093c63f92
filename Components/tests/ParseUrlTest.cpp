// AfxParseURL: service, server, object and port, and the texts it refuses.
#include <Internet/AfxInet.h>

#include <gtest/gtest.h>

namespace {

struct Parsed
{
    BOOL ok;
    DWORD service;
    std::string server, object;
    unsigned port;
};

Parsed Parse(const char* url)
{
    Parsed p;
    CString server = "old", object = "old";
    INTERNET_PORT port = 1;
    p.ok = AfxParseURL(url, p.service, server, object, port);
    p.server = (LPCTSTR)server;
    p.object = (LPCTSTR)object;
    p.port = port;
    return p;
}

TEST(ParseUrl, ServerPortAndObjectWithQuery)
{
    Parsed p = Parse("http://h:8080/p/x.asp?a=1");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.service, (DWORD)AFX_INET_SERVICE_HTTP);
    EXPECT_EQ(p.server, "h");
    EXPECT_EQ(p.object, "/p/x.asp?a=1");
    EXPECT_EQ(p.port, 8080u);
}

TEST(ParseUrl, DefaultPortsAndObject)
{
    Parsed p = Parse("http://server");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.server, "server");
    EXPECT_EQ(p.object, "/");
    EXPECT_EQ(p.port, 80u);
    p = Parse("HTTPS://Server.example/pdm/");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.service, (DWORD)AFX_INET_SERVICE_HTTPS);
    EXPECT_EQ(p.server, "Server.example");
    EXPECT_EQ(p.object, "/pdm/");
    EXPECT_EQ(p.port, 443u);
    p = Parse("ftp://files/a.txt");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.service, (DWORD)AFX_INET_SERVICE_FTP);
    EXPECT_EQ(p.port, 21u);
}

TEST(ParseUrl, QueryWithoutPathAndCredentialsAndAddresses)
{
    Parsed p = Parse("http://h?ClassID=20&ObjectID=0");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.server, "h");
    EXPECT_EQ(p.object, "/?ClassID=20&ObjectID=0");
    p = Parse("http://user:pw@10.0.0.5:81/x");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.server, "10.0.0.5");
    EXPECT_EQ(p.port, 81u);
    EXPECT_EQ(p.object, "/x");
    p = Parse("http://[::1]:8081/y");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.server, "::1");
    EXPECT_EQ(p.port, 8081u);
}

TEST(ParseUrl, ObjectBytesKeptAsWritten)
{
    // A code page 936 name and an escaped blank pass through untouched.
    Parsed p = Parse("http://h/pdm/\xCE\xC4\xBC\xFE%20a.doc");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.object, "/pdm/\xCE\xC4\xBC\xFE%20a.doc");
}

TEST(ParseUrl, Refused)
{
    for (const char* bad : {"", "server/pdm/file.asp", "://h/x", "http://", "http://h:0/", "http://h:65536/",
                            "http://h:8o/", "http://h:123456/", "http://a b/", "http://[::1/"}) {
        Parsed p = Parse(bad);
        EXPECT_FALSE(p.ok) << bad;
        EXPECT_EQ(p.server, "") << bad;
        EXPECT_EQ(p.object, "") << bad;
    }
    Parsed p = Parse("news://h/x");
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.service, (DWORD)AFX_INET_SERVICE_UNK);
    DWORD s = 0;
    CString a, b;
    INTERNET_PORT port = 0;
    EXPECT_FALSE(AfxParseURL(nullptr, s, a, b, port));
}

}  // namespace
