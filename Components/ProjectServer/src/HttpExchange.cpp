// The request and answer of one exchange and the header readings the handlers share.
#include "HttpExchange.h"

#include <strings.h>
#include <unistd.h>

namespace projectserver {

namespace {

bool SameName(const std::string& a, const char* b)
{
    return ::strcasecmp(a.c_str(), b) == 0;
}

std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return std::string();
    size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

// A run of digits as a number, saturating at the largest value; false when it is empty or
// holds anything else.
bool Digits(const std::string& s, uint64_t& value)
{
    if (s.empty())
        return false;
    value = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        unsigned d = static_cast<unsigned>(c - '0');
        value = value > (UINT64_MAX - d) / 10 ? UINT64_MAX : value * 10 + d;
    }
    return true;
}

}  // namespace

std::string HttpRequest::Header(const char* name) const
{
    for (const auto& h : headers)
        if (SameName(h.first, name))
            return h.second;
    return std::string();
}

bool HttpRequest::HasHeader(const char* name) const
{
    for (const auto& h : headers)
        if (SameName(h.first, name))
            return true;
    return false;
}

bool HttpRequest::HasParam(const char* name) const
{
    for (const auto& p : params)
        if (p.first == name)
            return true;
    return false;
}

std::string HttpRequest::Param(const char* name) const
{
    for (const auto& p : params)
        if (p.first == name)
            return p.second;
    return std::string();
}

HttpResponse::~HttpResponse()
{
    if (fd >= 0)
        ::close(fd);
}

void HttpResponse::SetContent(std::string text, const char* type)
{
    body = std::move(text);
    contentType = type;
}

void HttpResponse::SetHeader(const std::string& name, const std::string& value)
{
    for (auto& h : headers)
        if (SameName(h.first, name.c_str())) {
            h.second = value;
            return;
        }
    headers.emplace_back(name, value);
}

std::string HttpResponse::Header(const char* name) const
{
    for (const auto& h : headers)
        if (SameName(h.first, name))
            return h.second;
    return std::string();
}

std::string CookieValue(const std::string& header, const std::string& name)
{
    size_t at = 0;
    while (at < header.size()) {
        while (at < header.size() && (header[at] == ' ' || header[at] == ';' || header[at] == '\t'))
            ++at;
        size_t end = header.find(';', at);
        if (end == std::string::npos)
            end = header.size();
        std::string pair = header.substr(at, end - at);
        size_t eq = pair.find('=');
        if (eq != std::string::npos && Trim(pair.substr(0, eq)) == name)
            return Trim(pair.substr(eq + 1));
        at = end;
    }
    return std::string();
}

std::string UnquoteEntityTag(const std::string& value)
{
    std::string v = Trim(value);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        return v.substr(1, v.size() - 2);
    return v == "*" ? std::string() : v;
}

ByteRange ParseRange(const std::string& header, uint64_t size)
{
    ByteRange range;
    std::string h = Trim(header);
    size_t eq = h.find('=');
    if (eq == std::string::npos || !SameName(Trim(h.substr(0, eq)), "bytes"))
        return range;
    std::string ranges = Trim(h.substr(eq + 1));
    // More than one range is answered whole: parts are never sent more than once, and an
    // answer is never larger than the data.
    if (ranges.find(',') != std::string::npos)
        return range;
    size_t dash = ranges.find('-');
    if (dash == std::string::npos)
        return range;
    std::string from = Trim(ranges.substr(0, dash)), to = Trim(ranges.substr(dash + 1));
    uint64_t first = 0, last = 0;
    if (from.empty()) {
        // The last `to` bytes.
        if (!Digits(to, last))
            return range;
        if (last == 0 || size == 0) {
            range.kind = ByteRange::Unsatisfiable;
            return range;
        }
        range.kind = ByteRange::Part;
        range.first = last >= size ? 0 : size - last;
        range.last = size - 1;
        return range;
    }
    if (!Digits(from, first))
        return range;
    if (to.empty())
        last = UINT64_MAX;
    else if (!Digits(to, last) || last < first)
        return range;
    if (first >= size) {
        range.kind = ByteRange::Unsatisfiable;
        return range;
    }
    range.kind = ByteRange::Part;
    range.first = first;
    range.last = last >= size ? size - 1 : last;
    return range;
}

std::string RequestOrigin(const HttpRequest& req, const std::string& address, int port)
{
    if (!req.origin.empty())
        return req.origin;
    const std::string scheme = req.secure ? "https://" : "http://";
    const std::string host = Trim(req.Header("Host"));
    // Only a name or address and a port: the text goes into the service description.
    bool plain = !host.empty() && host.size() <= 255;
    for (char c : host)
        plain = plain && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                          c == '-' || c == ':' || c == '[' || c == ']');
    if ((address == "0.0.0.0" || address == "::") && plain)
        return scheme + host;
    return scheme + address + ":" + std::to_string(port);
}

std::string WithoutPaths(std::string text, const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        if (path.empty())
            continue;
        for (const std::string& form : {" \"" + path + "\"", "\"" + path + "\"", path}) {
            const std::string with = form == path ? std::string("(a file of the server)") : std::string();
            for (size_t at = text.find(form); at != std::string::npos; at = text.find(form, at + with.size()))
                text.replace(at, form.size(), with);
        }
    }
    return text;
}

}  // namespace projectserver
