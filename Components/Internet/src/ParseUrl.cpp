// AfxParseURL: a plain split of the URL's text; the object keeps its bytes as written
// (code page 936 names and query values pass through untouched).
#include <Internet/AfxInet.h>

#include <cctype>
#include <cstring>
#include <string>

namespace {

struct Scheme
{
    const char* name;
    DWORD service;
    INTERNET_PORT port;
};

const Scheme kSchemes[] = {
    {"http", AFX_INET_SERVICE_HTTP, INTERNET_DEFAULT_HTTP_PORT},
    {"https", AFX_INET_SERVICE_HTTPS, INTERNET_DEFAULT_HTTPS_PORT},
    {"ftp", AFX_INET_SERVICE_FTP, 21},
    {"gopher", AFX_INET_SERVICE_GOPHER, 70},
    {"file", AFX_INET_SERVICE_FILE, 0},
};

bool ValidHostChar(unsigned char c)
{
    return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '%' || c >= 0x80;
}

}  // namespace

BOOL AfxParseURL(LPCTSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                 INTERNET_PORT& nPort)
{
    dwServiceType = AFX_INET_SERVICE_UNK;
    strServer.Empty();
    strObject.Empty();
    nPort = 0;
    if (!pstrURL)
        return FALSE;
    std::string url(pstrURL);
    // Blanks around the URL are not part of it.
    while (!url.empty() && (url.back() == ' ' || url.back() == '\t'))
        url.pop_back();
    size_t start = 0;
    while (start < url.size() && (url[start] == ' ' || url[start] == '\t'))
        ++start;
    url.erase(0, start);

    const size_t colon = url.find("://");
    if (colon == std::string::npos || colon == 0)
        return FALSE;
    std::string scheme = url.substr(0, colon);
    for (char& c : scheme)
        c = (char)std::tolower((unsigned char)c);
    const Scheme* found = nullptr;
    for (const Scheme& s : kSchemes)
        if (scheme == s.name)
            found = &s;
    if (!found)
        return FALSE;
    dwServiceType = found->service;

    const size_t authStart = colon + 3;
    size_t authEnd = url.find_first_of("/?#", authStart);
    if (authEnd == std::string::npos)
        authEnd = url.size();
    std::string authority = url.substr(authStart, authEnd - authStart);
    std::string object = url.substr(authEnd);
    if (object.empty())
        object = "/";
    else if (object[0] != '/')
        object.insert(0, "/");

    // Credentials before the server are not the server.
    const size_t at = authority.rfind('@');
    if (at != std::string::npos)
        authority.erase(0, at + 1);

    std::string host = authority;
    std::string port;
    if (!authority.empty() && authority[0] == '[') {
        const size_t close = authority.find(']');
        if (close == std::string::npos)
            return FALSE;
        host = authority.substr(1, close - 1);
        const std::string rest = authority.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != ':')
                return FALSE;
            port = rest.substr(1);
        }
    } else {
        const size_t pc = authority.rfind(':');
        if (pc != std::string::npos) {
            host = authority.substr(0, pc);
            port = authority.substr(pc + 1);
        }
        for (unsigned char c : host)
            if (!ValidHostChar(c))
                return FALSE;
    }
    if (host.empty() && found->service != AFX_INET_SERVICE_FILE)
        return FALSE;

    INTERNET_PORT value = found->port;
    if (!port.empty()) {
        if (port.size() > 5)
            return FALSE;
        unsigned long n = 0;
        for (char c : port) {
            if (c < '0' || c > '9')
                return FALSE;
            n = n * 10 + (unsigned long)(c - '0');
        }
        if (n == 0 || n > 65535)
            return FALSE;
        value = (INTERNET_PORT)n;
    }
    strServer = host.c_str();
    strObject = object.c_str();
    nPort = value;
    return TRUE;
}
