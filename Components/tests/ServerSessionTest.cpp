// The process's session store: origins, the session cookie of a Set-Cookie value, and which
// requests get a cookie.
#include <Internet/ServerSession.h>

#include <gtest/gtest.h>

TEST(ServerSession, AnOriginIsSchemeHostAndPortWithTheDefaultPortWritten)
{
    using serversession::OriginOf;
    EXPECT_EQ("https://plan.example:443", OriginOf("HTTPS://Plan.Example/site/WebService/OrveskService.WSDL"));
    EXPECT_EQ(OriginOf("http://h:80/a?b"), OriginOf("http://h/c"));
    EXPECT_EQ("http://127.0.0.1:8080", OriginOf("http://127.0.0.1:8080"));
    EXPECT_NE(OriginOf("http://h:8080/"), OriginOf("https://h:8080/"));
    EXPECT_EQ("", OriginOf("ftp://h/file"));
    EXPECT_EQ("", OriginOf("h:8080/site"));
    EXPECT_EQ("", OriginOf(""));
}

TEST(ServerSession, OnlyTheSessionCookieIsTakenAndOnlyWhenItCanBeSentBack)
{
    using serversession::ParseSessionCookie;
    std::string token = "unchanged";
    EXPECT_FALSE(ParseSessionCookie("OTHER=1; Path=/", token));
    EXPECT_FALSE(ParseSessionCookie("PCSESSIONX=1", token));
    EXPECT_FALSE(ParseSessionCookie("PCSESSION=a b; Path=/", token));
    EXPECT_FALSE(ParseSessionCookie("PCSESSION=a\r\nX-Injected: 1", token));
    EXPECT_EQ("unchanged", token);
    ASSERT_TRUE(ParseSessionCookie("PCSESSION=0123abcd; Path=/; HttpOnly; SameSite=Strict; Secure", token));
    EXPECT_EQ("0123abcd", token);
    ASSERT_TRUE(ParseSessionCookie(" PCSESSION = ; Path=/; Max-Age=0", token));
    EXPECT_EQ("", token);
}

TEST(ServerSession, ACookieGoesToItsOriginOnlyAndAnEmptyTokenForgetsIt)
{
    using namespace serversession;
    KeepSession("http://h:8080", "t1", "http://h:8080/site/WebService/Logout");
    EXPECT_EQ("PCSESSION=t1", CookieFor("http://H:8080/pdm/GetPdmFile.asp?ClassID=1"));
    EXPECT_EQ("", CookieFor("http://h:8081/pdm/"));
    EXPECT_EQ("", CookieFor("https://h:8080/pdm/"));
    KeepSession("http://h:8080", "bad;token", "");
    EXPECT_EQ("", CookieFor("http://h:8080/"));
    KeepSession("http://h:8080", "t2", "");
    KeepSession("http://h:8080", "", "");
    EXPECT_EQ("", CookieFor("http://h:8080/"));
}
