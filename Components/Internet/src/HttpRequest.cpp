// Requests: sending, reading the body in the caller's pieces, and the response's headers.
#include "HttpRequest.h"

#include <Internet/ServerSession.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <functional>

using namespace inet;

#ifndef ERROR_HTTP_INVALID_QUERY_REQUEST
#define ERROR_HTTP_INVALID_QUERY_REQUEST 12154L
#endif
#ifndef ERROR_HTTP_INVALID_HEADER
#define ERROR_HTTP_INVALID_HEADER 12153L
#endif

namespace {

// Received body bytes are held up to this much (or the read in progress, if larger) before
// the transfer waits for the reader.
const size_t kMaxBuffered = 256 * 1024;

using Clock = std::chrono::steady_clock;

DWORD ErrorFor(CURLcode rc)
{
    switch (rc) {
    case CURLE_OK: return ERROR_SUCCESS;
    case CURLE_UNSUPPORTED_PROTOCOL: return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case CURLE_URL_MALFORMAT: return ERROR_INTERNET_INVALID_URL;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST: return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT: return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT: return ERROR_INTERNET_TIMEOUT;
    case CURLE_PARTIAL_FILE: return ERROR_INTERNET_CONNECTION_ABORTED;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR: return ERROR_INTERNET_CONNECTION_RESET;
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY: return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_TOO_MANY_REDIRECTS: return ERROR_HTTP_REDIRECT_FAILED;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE: return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
    case CURLE_ABORTED_BY_CALLBACK: return ERROR_INTERNET_OPERATION_CANCELLED;
    default: return ERROR_INTERNET_INTERNAL_ERROR;
    }
}

std::string Trim(std::string s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    size_t b = 0;
    while (b < s.size() && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    return s.substr(b);
}

// The URL a Location header names, made absolute against the URL being fetched.
std::string Resolved(Request& r, const std::string& location)
{
    std::string out = location;
    char* base = nullptr;
    if (curl_easy_getinfo(r.easy, CURLINFO_EFFECTIVE_URL, &base) != CURLE_OK || !base)
        return out;
    CURLU* u = curl_url();
    char* full = nullptr;
    if (curl_url_set(u, CURLUPART_URL, base, 0) == CURLUE_OK &&
        curl_url_set(u, CURLUPART_URL, location.c_str(), 0) == CURLUE_OK &&
        curl_url_get(u, CURLUPART_URL, &full, 0) == CURLUE_OK && full) {
        out = full;
        curl_free(full);
    }
    curl_url_cleanup(u);
    return out;
}

size_t OnHeader(char* data, size_t size, size_t n, void* user)
{
    Request& r = *static_cast<Request*>(user);
    const size_t total = size * n;
    r.lastProgress = Clock::now();
    std::string line = Trim(std::string(data, total));
    if (line.compare(0, 5, "HTTP/") == 0) {
        // A new response starts: the earlier one's headers no longer count.
        r.headers.clear();
        r.status = 0;
        r.statusText.clear();
        const size_t sp = line.find(' ');
        if (sp != std::string::npos) {
            r.status = std::strtol(line.c_str() + sp + 1, nullptr, 10);
            const size_t sp2 = line.find(' ', sp + 1);
            if (sp2 != std::string::npos)
                r.statusText = line.substr(sp2 + 1);
        }
        return total;
    }
    if (line.empty()) {
        std::string location;
        if (r.status >= 100 && r.status < 200)
            return total;  // an interim response
        if (r.following && r.status >= 300 && r.status < 400 && r.Header("Location", location)) {
            Notify(r, r.context, INTERNET_STATUS_REDIRECT, Resolved(r, location));
            return total;
        }
        r.headersDone = true;
        return total;
    }
    const size_t colon = line.find(':');
    if (colon != std::string::npos)
        r.headers.emplace_back(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
    return total;
}

size_t OnBody(char* data, size_t size, size_t n, void* user)
{
    Request& r = *static_cast<Request*>(user);
    const size_t total = size * n;
    if (r.Buffered() >= std::max(kMaxBuffered, r.want)) {
        r.paused = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    r.headersDone = true;
    if (r.pos > 0 && r.pos >= r.buffer.size() / 2) {
        r.buffer.erase(0, r.pos);
        r.pos = 0;
    }
    r.buffer.append(data, total);
    r.lastProgress = Clock::now();
    return total;
}

std::string AddressText(const struct sockaddr* a)
{
    char text[INET6_ADDRSTRLEN] = "";
    if (a->sa_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(a)->sin_addr, text, sizeof text);
    else if (a->sa_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(a)->sin6_addr, text, sizeof text);
    return text;
}

// A new connection: the name has been resolved and the connect starts.
curl_socket_t OnOpenSocket(void* user, curlsocktype purpose, struct curl_sockaddr* address)
{
    Request& r = *static_cast<Request*>(user);
    if (purpose == CURLSOCKTYPE_IPCXN) {
        const std::string ip = AddressText(&address->addr);
        if (r.socketsOpened == r.socketsReported) {
            std::string host = r.conn->server;
            char* url = nullptr;
            if (curl_easy_getinfo(r.easy, CURLINFO_EFFECTIVE_URL, &url) == CURLE_OK && url) {
                CURLU* u = curl_url();
                char* h = nullptr;
                if (curl_url_set(u, CURLUPART_URL, url, 0) == CURLUE_OK &&
                    curl_url_get(u, CURLUPART_HOST, &h, 0) == CURLUE_OK && h) {
                    host = h;
                    curl_free(h);
                }
                curl_url_cleanup(u);
            }
            Notify(r, r.context, INTERNET_STATUS_RESOLVING_NAME, host);
            Notify(r, r.context, INTERNET_STATUS_NAME_RESOLVED, ip);
        }
        Notify(r, r.context, INTERNET_STATUS_CONNECTING_TO_SERVER, ip);
        r.socketsOpened = r.socketsReported + 1;
        r.peerAddress = ip;
    }
    return socket(address->family, address->socktype, address->protocol);
}

// The connection is up (new or reused) and the request is about to go out.
int OnPrereq(void* user, char* primaryIp, char* /*localIp*/, int /*primaryPort*/, int /*localPort*/)
{
    Request& r = *static_cast<Request*>(user);
    r.connected = true;
    r.lastProgress = Clock::now();
    if (r.socketsOpened > r.socketsReported) {
        r.socketsReported = r.socketsOpened;
        Notify(r, r.context, INTERNET_STATUS_CONNECTED_TO_SERVER, primaryIp ? primaryIp : r.peerAddress);
    }
    return CURL_PREREQFUNC_OK;
}

void Detach(Request& r)
{
    if (r.attached) {
        curl_multi_remove_handle(r.multi, r.easy);
        r.attached = false;
    }
}

// Runs the transfer until ready() holds, the transfer ends, the handle is closed or the
// server has sent nothing for the receive time-out. FALSE (with the error set) for the
// last two.
bool Pump(Request& r, const std::function<bool()>& ready)
{
    const Options op = r.GetOptions();
    const auto limit = std::chrono::milliseconds(op.receiveTimeout ? op.receiveTimeout : 30000);
    r.lastProgress = Clock::now();
    for (;;) {
        if (r.ClosedWithParents()) {
            SetLastError(ERROR_INTERNET_OPERATION_CANCELLED);
            return false;
        }
        if (ready() || r.done)
            return true;
        if (r.paused) {
            r.paused = false;
            curl_easy_pause(r.easy, CURLPAUSE_CONT);  // may deliver held data at once
            continue;
        }
        int running = 0;
        if (curl_multi_perform(r.multi, &running) != CURLM_OK) {
            SetLastError(ERROR_INTERNET_INTERNAL_ERROR);
            return false;
        }
        int queued = 0;
        while (CURLMsg* m = curl_multi_info_read(r.multi, &queued)) {
            if (m->msg == CURLMSG_DONE && m->easy_handle == r.easy) {
                r.done = true;
                r.result = m->data.result;
            }
        }
        if (ready() || r.done)
            continue;
        // Connecting is bounded by curl's connect time-out; after that, silence is.
        if (r.connected && !r.paused && Clock::now() - r.lastProgress > limit) {
            Detach(r);
            r.done = true;
            r.result = CURLE_OPERATION_TIMEDOUT;
            SetLastError(ERROR_INTERNET_TIMEOUT);
            return false;
        }
        curl_multi_poll(r.multi, nullptr, 0, 100, nullptr);
    }
}

std::shared_ptr<Request> FindRequest(HINTERNET h)
{
    std::shared_ptr<Object> o = Find(h);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (o->kind != Kind::Request) {
        SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
        return nullptr;
    }
    return std::static_pointer_cast<Request>(o);
}

}  // namespace

namespace inet {

Request::~Request()
{
    if (easy) {
        Detach(*this);
        curl_easy_cleanup(easy);
    }
    if (multi)
        curl_multi_cleanup(multi);
    if (headerList)
        curl_slist_free_all(headerList);
}

void Request::Wake()
{
    if (multi)
        curl_multi_wakeup(multi);
}

bool Request::Header(const char* name, std::string& value) const
{
    for (auto it = headers.rbegin(); it != headers.rend(); ++it)
        if (strcasecmp(it->first.c_str(), name) == 0) {
            value = it->second;
            return true;
        }
    return false;
}

}  // namespace inet

HINTERNET HttpOpenRequest(HINTERNET hConnect, LPCTSTR lpszVerb, LPCTSTR lpszObjectName, LPCTSTR /*lpszVersion*/,
                          LPCTSTR /*lpszReferrer*/, LPCTSTR* /*lplpszAcceptTypes*/, DWORD dwFlags, DWORD_PTR dwContext)
{
    std::shared_ptr<Object> o = Find(hConnect);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return NULL;
    }
    if (o->kind != Kind::Connection) {
        SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
        return NULL;
    }
    auto r = std::make_shared<Request>();
    r->parent = o;
    r->conn = std::static_pointer_cast<Connection>(o);
    r->verb = lpszVerb && *lpszVerb ? lpszVerb : "GET";
    r->object = lpszObjectName && *lpszObjectName ? lpszObjectName : "/";
    if (r->object[0] != '/')
        r->object.insert(0, "/");
    r->flags = dwFlags;
    r->context = dwContext;
    r->easy = curl_easy_init();
    r->multi = curl_multi_init();
    if (!r->easy || !r->multi) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return NULL;
    }
    SetLastError(ERROR_SUCCESS);
    return Register(r);
}

BOOL HttpSendRequest(HINTERNET hRequest, LPCTSTR lpszHeaders, DWORD dwHeadersLength, LPVOID lpOptional,
                     DWORD dwOptionalLength)
{
    std::shared_ptr<Request> rp = FindRequest(hRequest);
    if (!rp)
        return FALSE;
    Request& r = *rp;
    std::lock_guard<std::mutex> call(r.callLock);
    Detach(r);
    r.sent = r.headersDone = r.done = r.paused = r.connected = false;
    r.result = CURLE_OK;
    r.status = 0;
    r.statusText.clear();
    r.headers.clear();
    r.buffer.clear();
    r.pos = r.want = 0;
    r.socketsReported = r.socketsOpened;

    const Options op = r.GetOptions();
    const Session& session = *r.conn->session;
    const bool secure = (r.flags & INTERNET_FLAG_SECURE) != 0;
    unsigned port = r.conn->port;
    if (port == INTERNET_INVALID_PORT_NUMBER)
        port = secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    std::string host = r.conn->server;
    if (host.find(':') != std::string::npos && host[0] != '[')
        host = "[" + host + "]";
    const std::string url = std::string(secure ? "https://" : "http://") + host + ":" + std::to_string(port) + r.object;

    CURL* e = r.easy;
    curl_easy_reset(e);
    if (curl_easy_setopt(e, CURLOPT_URL, url.c_str()) != CURLE_OK) {
        SetLastError(ERROR_INTERNET_INVALID_URL);
        return FALSE;
    }
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_BUFFERSIZE, 64L * 1024L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, (long)(op.connectTimeout ? op.connectTimeout : 30000));
    r.following = (r.flags & INTERNET_FLAG_NO_AUTO_REDIRECT) == 0;
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, r.following ? 1L : 0L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, 10L);
    if (!session.agent.empty())
        curl_easy_setopt(e, CURLOPT_USERAGENT, session.agent.c_str());

    if (r.verb == "GET") {
        curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
    } else if (r.verb == "HEAD") {
        curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
    } else {
        curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, r.verb.c_str());
    }
    r.body.assign(static_cast<const char*>(lpOptional), lpOptional ? dwOptionalLength : 0);
    if (lpOptional && dwOptionalLength) {
        curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE, (long)r.body.size());
        curl_easy_setopt(e, CURLOPT_POSTFIELDS, r.body.data());
    }

    if (r.headerList) {
        curl_slist_free_all(r.headerList);
        r.headerList = nullptr;
    }
    if (r.flags & (INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE)) {
        // Nothing on the way may answer from a cache.
        r.headerList = curl_slist_append(r.headerList, "Cache-Control: no-cache");
        r.headerList = curl_slist_append(r.headerList, "Pragma: no-cache");
    }
    if (lpszHeaders) {
        std::string all = dwHeadersLength == (DWORD)-1 ? std::string(lpszHeaders) : std::string(lpszHeaders, dwHeadersLength);
        size_t p = 0;
        while (p < all.size()) {
            size_t end = all.find_first_of("\r\n", p);
            if (end == std::string::npos)
                end = all.size();
            std::string line = all.substr(p, end - p);
            if (!line.empty())
                r.headerList = curl_slist_append(r.headerList, line.c_str());
            p = end + 1;
        }
    }
    // The session a login to this origin started goes with the request, unless the
    // caller sends a cookie of its own.
    bool ownCookie = false;
    for (const curl_slist* h = r.headerList; h; h = h->next)
        ownCookie = ownCookie || strncasecmp(h->data, "Cookie:", 7) == 0;
    const std::string cookie = ownCookie ? std::string() : serversession::CookieFor(url);
    if (!cookie.empty())
        r.headerList = curl_slist_append(r.headerList, ("Cookie: " + cookie).c_str());
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, r.headerList);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    const std::string trust = serversession::TrustedCertificateFile();
    if (!trust.empty()) {
        curl_easy_setopt(e, CURLOPT_CAINFO, trust.c_str());
        curl_easy_setopt(e, CURLOPT_CAPATH, nullptr);
    }

    if (!op.user.empty()) {
        curl_easy_setopt(e, CURLOPT_HTTPAUTH, (long)CURLAUTH_BASIC);
        curl_easy_setopt(e, CURLOPT_USERNAME, op.user.c_str());
        curl_easy_setopt(e, CURLOPT_PASSWORD, op.password.c_str());
    }
    if (session.accessType == INTERNET_OPEN_TYPE_DIRECT) {
        curl_easy_setopt(e, CURLOPT_PROXY, "");
    } else if (session.accessType == INTERNET_OPEN_TYPE_PROXY) {
        curl_easy_setopt(e, CURLOPT_PROXY, session.proxy.c_str());
        if (!session.bypass.empty())
            curl_easy_setopt(e, CURLOPT_NOPROXY, session.bypass.c_str());
    }
    if (!op.proxyUser.empty()) {
        curl_easy_setopt(e, CURLOPT_PROXYAUTH, (long)CURLAUTH_BASIC);
        curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, op.proxyUser.c_str());
        curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, op.proxyPassword.c_str());
    }
    curl_easy_setopt(e, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);

    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &r);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &r);
    curl_easy_setopt(e, CURLOPT_OPENSOCKETFUNCTION, &OnOpenSocket);
    curl_easy_setopt(e, CURLOPT_OPENSOCKETDATA, &r);
    curl_easy_setopt(e, CURLOPT_PREREQFUNCTION, &OnPrereq);
    curl_easy_setopt(e, CURLOPT_PREREQDATA, &r);

    if (curl_multi_add_handle(r.multi, e) != CURLM_OK) {
        SetLastError(ERROR_INTERNET_INTERNAL_ERROR);
        return FALSE;
    }
    r.attached = true;
    r.sent = true;
    if (!Pump(r, [&] { return r.headersDone; }))
        return FALSE;
    if (!r.headersDone) {
        SetLastError(r.result != CURLE_OK ? ErrorFor(r.result) : ERROR_HTTP_INVALID_SERVER_RESPONSE);
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL InternetReadFile(HINTERNET hFile, LPVOID lpBuffer, DWORD dwNumberOfBytesToRead, LPDWORD lpdwNumberOfBytesRead)
{
    if (!lpdwNumberOfBytesRead || (!lpBuffer && dwNumberOfBytesToRead)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpdwNumberOfBytesRead = 0;
    std::shared_ptr<Request> rp = FindRequest(hFile);
    if (!rp)
        return FALSE;
    Request& r = *rp;
    std::lock_guard<std::mutex> call(r.callLock);
    if (!r.sent || !r.headersDone) {
        SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
        return FALSE;
    }
    r.want = dwNumberOfBytesToRead;
    const bool ok = Pump(r, [&] { return r.Buffered() >= dwNumberOfBytesToRead; });
    r.want = 0;
    if (!ok)
        return FALSE;
    const size_t n = std::min<size_t>(dwNumberOfBytesToRead, r.Buffered());
    if (n > 0) {
        std::memcpy(lpBuffer, r.buffer.data() + r.pos, n);
        r.pos += n;
        if (r.pos == r.buffer.size()) {
            r.buffer.clear();
            r.pos = 0;
        }
        *lpdwNumberOfBytesRead = (DWORD)n;
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    if (r.done && r.result != CURLE_OK) {
        // The body broke off (or the response never completed): not an end of data.
        SetLastError(ErrorFor(r.result));
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL HttpQueryInfo(HINTERNET hRequest, DWORD dwInfoLevel, LPVOID lpBuffer, LPDWORD lpdwBufferLength,
                   LPDWORD /*lpdwIndex*/)
{
    if (!lpdwBufferLength) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::shared_ptr<Request> rp = FindRequest(hRequest);
    if (!rp)
        return FALSE;
    Request& r = *rp;
    std::lock_guard<std::mutex> call(r.callLock);
    if (!r.headersDone) {
        SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
        return FALSE;
    }
    std::string value;
    bool have = false;
    switch (dwInfoLevel & 0xFFFF) {
    case HTTP_QUERY_STATUS_CODE:
        value = std::to_string(r.status);
        have = true;
        break;
    case HTTP_QUERY_STATUS_TEXT:
        value = r.statusText;
        have = true;
        break;
    case HTTP_QUERY_CONTENT_LENGTH: have = r.Header("Content-Length", value); break;
    case HTTP_QUERY_CONTENT_TYPE: have = r.Header("Content-Type", value); break;
    default: SetLastError(ERROR_HTTP_INVALID_QUERY_REQUEST); return FALSE;
    }
    if (!have) {
        SetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
        return FALSE;
    }
    if (dwInfoLevel & HTTP_QUERY_FLAG_NUMBER) {
        unsigned long long n = 0;
        if (value.empty() || value.size() > 10)
            have = false;
        for (char c : value) {
            if (c < '0' || c > '9')
                have = false;
            n = n * 10 + (unsigned)(c - '0');
        }
        if (!have || n > 0xFFFFFFFFull) {
            SetLastError(ERROR_HTTP_INVALID_HEADER);
            return FALSE;
        }
        if (!lpBuffer || *lpdwBufferLength < sizeof(DWORD)) {
            *lpdwBufferLength = sizeof(DWORD);
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        const DWORD d = (DWORD)n;
        std::memcpy(lpBuffer, &d, sizeof d);
        *lpdwBufferLength = sizeof d;
        return TRUE;
    }
    if (!lpBuffer || *lpdwBufferLength < value.size() + 1) {
        *lpdwBufferLength = (DWORD)(value.size() + 1);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(lpBuffer, value.c_str(), value.size() + 1);
    *lpdwBufferLength = (DWORD)value.size();
    return TRUE;
}
