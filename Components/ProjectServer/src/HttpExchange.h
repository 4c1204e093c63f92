// One HTTP exchange as the server's handlers see it: the request read whole, the answer
// they fill in; and the readings of request headers the handlers share (the session
// cookie, If-Match, Range). Nothing here touches a socket (HttpDaemon.h does).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace projectserver {

struct HttpRequest {
    std::string method;  // "GET", "POST", "HEAD", ...
    std::string target;  // as sent: origin form "/a/b?x=1" or absolute form "http://h:p/a/b?x=1"
    std::string path;    // the path of the target, percent-decoded, without scheme and host
    std::string origin;  // "http://h:p" of an absolute-form target, "" otherwise
    std::string peerAddress;
    bool secure = false;  // it came over TLS
    std::vector<std::pair<std::string, std::string>> headers;
    std::vector<std::pair<std::string, std::string>> params;  // the query, percent-decoded
    std::string body;

    // The first header or parameter of that name ("" when none; header names ignore case).
    std::string Header(const char* name) const;
    bool HasHeader(const char* name) const;
    bool HasParam(const char* name) const;
    std::string Param(const char* name) const;
};

struct HttpResponse {
    HttpResponse() = default;
    ~HttpResponse();
    HttpResponse(const HttpResponse&) = delete;
    HttpResponse& operator=(const HttpResponse&) = delete;

    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;  // besides Content-Type and Content-Length
    std::string contentType;
    std::string body;
    // A file served in place of body: `length` bytes from `offset` of the open `fd`, which
    // the response owns (closed when it is not handed on).
    int fd = -1;
    uint64_t offset = 0;
    uint64_t length = 0;
    // Announces `length` bytes (body ignored), then closes the connection: a test fault.
    bool breakOff = false;

    void SetContent(std::string text, const char* type);
    void SetHeader(const std::string& name, const std::string& value);
    std::string Header(const char* name) const;
    // The answer's size on the wire without headers.
    uint64_t Size() const { return fd >= 0 || breakOff ? length : body.size(); }
};

// The value of cookie `name` in a Cookie header ("" when none).
std::string CookieValue(const std::string& header, const std::string& name);
// An If-Match value without its quotes ("" for none or "*").
std::string UnquoteEntityTag(const std::string& value);

// A Range header against an answer of `size` bytes.
struct ByteRange {
    enum Kind {
        Whole,          // no range, one that is not understood, or more than one: the whole answer
        Part,           // bytes first..last (inclusive)
        Unsatisfiable,  // a range that starts past the end: 416
    } kind = Whole;
    uint64_t first = 0;
    uint64_t last = 0;
};
ByteRange ParseRange(const std::string& header, uint64_t size);

// The origin ("http://host:port", https over TLS) by which the client reached this
// server listening on `address`:`port`: the one an absolute-form target names; the Host it
// used when the server listens on every address (its own address would mean nothing to
// the client); else the address itself.
std::string RequestOrigin(const HttpRequest& req, const std::string& address, int port);

// `text` with the server's own file names in `paths` taken out, for answers to clients.
std::string WithoutPaths(std::string text, const std::vector<std::string>& paths);

}  // namespace projectserver
