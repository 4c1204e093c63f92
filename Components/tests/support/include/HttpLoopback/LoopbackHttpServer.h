// A plain HTTP file server on 127.0.0.1 (an ephemeral port) for the download tests: each
// path gets a scripted reply (a POST gets its target's, as a GET does): a body with or
// without a length, a status, a required login, a body that breaks off or stalls, a
// throttled or a generated (large) body. It also serves
// as a proxy: requests in absolute form are answered from the same replies and recorded.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CLoopbackHttpServer
{
public:
    struct Reply
    {
        int status = 200;
        std::string body;
        uint64_t generatedSize = 0;  // > 0: the body is that many bytes of PatternByte
        bool chunked = false;        // sent without a length
        uint64_t breakAfter = UINT64_MAX;  // the connection closes after that many body bytes
        uint64_t stallAfter = UINT64_MAX;  // nothing more after that many, until ReleaseStalls
        unsigned bytesPerSecond = 0;       // > 0: sent in small pieces at about that rate
        std::string user, password;        // set: Basic login required, else 401
        bool proxyLogin = false;           // the login is the proxy's (407)
        std::string location;              // for a redirect status
        std::string contentType = "application/octet-stream";
    };
    struct Seen
    {
        std::string method;
        std::string target;  // as sent (absolute form through a proxy)
        std::string authorization;
        std::string proxyAuthorization;
        bool absoluteForm = false;
    };

    CLoopbackHttpServer();
    ~CLoopbackHttpServer();

    // pathAndQuery as the client sends it ("/pdm/GetPdmFile.asp?ClassID=1&ObjectID=2").
    void Serve(const std::string& pathAndQuery, const Reply& reply);
    bool Start();
    void Stop();
    int Port() const;
    std::string Url(const std::string& pathAndQuery) const;  // http://127.0.0.1:port/...
    void ReleaseStalls();
    // How many replies are held in a stall right now.
    int Stalled() const;
    std::vector<Seen> Requests() const;

    static unsigned char PatternByte(uint64_t index);
    static void FillPattern(uint64_t offset, unsigned char* out, size_t n);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
