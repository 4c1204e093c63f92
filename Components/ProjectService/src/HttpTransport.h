// One HTTP exchange over libcurl, bounded in time and in size.
#pragma once

#include <ClassLib/Core/WinTypes.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace projectsoap {

struct HttpRequest {
    std::string url;
    bool post = false;
    std::string body;                 // sent when post is set
    std::vector<std::string> headers; // "Name: value"
    std::string proxy;                // "" = no proxy at all (environment settings ignored)
    long proxyPort = 0;               // 0 = the proxy address's own or libcurl's default
    long connectTimeoutMs = 10000;
    long totalTimeoutMs = 60000;
    size_t maxReplyBytes = 128u * 1024u * 1024u;
    std::string trustFile;            // PEM certificates trusted instead of the system's ("" system)
};

struct HttpReply {
    long status = 0;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers; // of the final answer, as sent

    // The last header of that name (ASCII case ignored); false when there is none.
    bool Header(const char* name, std::string& value) const;
    // Every value of headers of that name, in order.
    std::vector<std::string> Headers(const char* name) const;
};

// S_OK when a complete answer arrived, whatever its status; otherwise PS_E_CONNECT (not
// reached, or the connection broke off before the answer was complete), PS_E_TIMEOUT, or
// PS_E_BADREPLY (answer too large), with a reason in `error`. HTTPS peers are always
// verified (certificate chain and host name).
HRESULT HttpExchange(const HttpRequest& request, HttpReply& reply, std::string& error);

} // namespace projectsoap
