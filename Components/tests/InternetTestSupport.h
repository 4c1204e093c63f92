// A loopback file server and a session on it, for the tests of the HTTP session.
#pragma once

#include <HttpLoopback/LoopbackHttpServer.h>
#include <Internet/WinInet.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// Sets (or clears, with nullptr) an environment variable for the scope of a test.
class CScopedEnv
{
public:
    CScopedEnv(const char* name, const char* value) : m_name(name)
    {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        if (old)
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~CScopedEnv()
    {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had = false;
    std::string m_old;
};

class InternetTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.Start()); }
    void TearDown() override
    {
        for (HINTERNET h : {hRequest, hConnect, hSession})
            if (h)
                InternetCloseHandle(h);
        server.Stop();
    }

    // Session (direct unless told otherwise), connection to the loopback server, a GET of
    // the object; returns the request, not yet sent.
    HINTERNET Open(const std::string& object, DWORD access = INTERNET_OPEN_TYPE_DIRECT, const char* proxy = nullptr,
                   int port = -1)
    {
        hSession = InternetOpen("Tests", access, proxy, nullptr, 0);
        EXPECT_NE(hSession, nullptr);
        hConnect = InternetConnect(hSession, "127.0.0.1", (INTERNET_PORT)(port < 0 ? server.Port() : port), nullptr,
                                   nullptr, INTERNET_SERVICE_HTTP, 0, 0);
        EXPECT_NE(hConnect, nullptr);
        static LPCTSTR accept[] = {"*/*", nullptr};
        hRequest = HttpOpenRequest(hConnect, nullptr, object.c_str(), nullptr, nullptr, accept,
                                   INTERNET_FLAG_RELOAD | INTERNET_FLAG_DONT_CACHE | INTERNET_FLAG_KEEP_CONNECTION,
                                   0x5A5A);
        EXPECT_NE(hRequest, nullptr);
        return hRequest;
    }

    std::string Query(DWORD level)
    {
        char buf[32];
        DWORD len = sizeof buf;
        if (!HttpQueryInfo(hRequest, level, buf, &len, nullptr))
            return "<error " + std::to_string(GetLastError()) + ">";
        return std::string(buf, len);
    }

    // Reads the whole body in pieces of n bytes; the sizes of the reads in *pSizes.
    bool ReadAll(std::string& body, DWORD n = 1024, std::vector<DWORD>* pSizes = nullptr)
    {
        std::vector<char> buf(n);
        for (;;) {
            DWORD got = 0;
            if (!InternetReadFile(hRequest, buf.data(), n, &got))
                return false;
            if (pSizes)
                pSizes->push_back(got);
            if (got == 0)
                return true;
            body.append(buf.data(), got);
        }
    }

    static std::string Pattern(size_t n)
    {
        std::string s(n, '\0');
        CLoopbackHttpServer::FillPattern(0, reinterpret_cast<unsigned char*>(&s[0]), n);
        return s;
    }

    CLoopbackHttpServer server;
    HINTERNET hSession = nullptr, hConnect = nullptr, hRequest = nullptr;
};
