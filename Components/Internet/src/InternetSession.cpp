// Sessions, connections, options and closing.
#include "InternetHandles.h"

#include <curl/curl.h>

#include <cstring>

using namespace inet;

namespace {

std::string Text(LPCTSTR p) { return p ? std::string(p) : std::string(); }

// A proxy list may name one proxy per scheme ("http=host:port https=..."): HTTP's is used.
std::string ProxyFromList(const std::string& list)
{
    if (list.find('=') == std::string::npos)
        return list;
    size_t pos = 0;
    while (pos < list.size()) {
        size_t end = list.find_first_of("; ", pos);
        if (end == std::string::npos)
            end = list.size();
        std::string item = list.substr(pos, end - pos);
        if (item.compare(0, 5, "http=") == 0)
            return item.substr(5);
        pos = end + 1;
    }
    return std::string();
}

// The bypass list in curl's form: names separated by commas. "<local>" (names without a
// dot) is taken as this machine's names.
std::string BypassList(const std::string& list)
{
    std::string out;
    size_t pos = 0;
    while (pos <= list.size()) {
        size_t end = list.find_first_of("; ,", pos);
        if (end == std::string::npos)
            end = list.size();
        std::string item = list.substr(pos, end - pos);
        if (item == "<local>")
            item = "localhost,127.0.0.1";
        if (!item.empty())
            out += (out.empty() ? "" : ",") + item;
        pos = end + 1;
    }
    return out;
}

}  // namespace

HINTERNET InternetOpen(LPCTSTR lpszAgent, DWORD dwAccessType, LPCTSTR lpszProxy, LPCTSTR lpszProxyBypass,
                       DWORD /*dwFlags*/)
{
    static const CURLcode init = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (init != CURLE_OK) {
        SetLastError(ERROR_INTERNET_INTERNAL_ERROR);
        return NULL;
    }
    if (dwAccessType != INTERNET_OPEN_TYPE_PRECONFIG && dwAccessType != INTERNET_OPEN_TYPE_DIRECT &&
        dwAccessType != INTERNET_OPEN_TYPE_PROXY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return NULL;
    }
    auto s = std::make_shared<Session>();
    s->agent = Text(lpszAgent);
    s->accessType = dwAccessType;
    if (dwAccessType == INTERNET_OPEN_TYPE_PROXY) {
        s->proxy = ProxyFromList(Text(lpszProxy));
        if (s->proxy.empty()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return NULL;
        }
        s->bypass = BypassList(Text(lpszProxyBypass));
    }
    SetLastError(ERROR_SUCCESS);
    return Register(s);
}

INTERNET_STATUS_CALLBACK InternetSetStatusCallback(HINTERNET hInternet, INTERNET_STATUS_CALLBACK lpfnInternetCallback)
{
    std::shared_ptr<Object> o = Find(hInternet);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INTERNET_INVALID_STATUS_CALLBACK;
    }
    std::lock_guard<std::mutex> g(o->lock);
    INTERNET_STATUS_CALLBACK old = o->options.callback;
    o->options.callback = lpfnInternetCallback;
    return old;
}

HINTERNET InternetConnect(HINTERNET hInternet, LPCTSTR lpszServerName, INTERNET_PORT nServerPort,
                          LPCTSTR lpszUserName, LPCTSTR lpszPassword, DWORD dwService, DWORD /*dwFlags*/,
                          DWORD_PTR dwContext)
{
    std::shared_ptr<Object> o = Find(hInternet);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return NULL;
    }
    if (o->kind != Kind::Session) {
        SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
        return NULL;
    }
    if (dwService != INTERNET_SERVICE_HTTP) {
        // Only HTTP (and HTTPS through the request's flags) is offered.
        SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
        return NULL;
    }
    if (!lpszServerName || !*lpszServerName) {
        SetLastError(ERROR_INTERNET_INVALID_URL);
        return NULL;
    }
    auto c = std::make_shared<Connection>();
    c->parent = o;
    c->session = std::static_pointer_cast<Session>(o);
    c->server = lpszServerName;
    c->port = nServerPort;
    c->service = dwService;
    c->context = dwContext;
    HINTERNET h = Register(c);
    {
        std::lock_guard<std::mutex> g(c->lock);
        if (lpszUserName && *lpszUserName) {
            c->options.user = lpszUserName;
            c->options.password = Text(lpszPassword);
        }
    }
    SetLastError(ERROR_SUCCESS);
    return h;
}

BOOL InternetSetOption(HINTERNET hInternet, DWORD dwOption, LPVOID lpBuffer, DWORD dwBufferLength)
{
    std::shared_ptr<Object> o = Find(hInternet);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!lpBuffer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> g(o->lock);
    Options& op = o->options;
    auto number = [&](DWORD& target) {
        if (dwBufferLength < sizeof(DWORD))
            return false;
        std::memcpy(&target, lpBuffer, sizeof(DWORD));
        return true;
    };
    auto text = [&](std::string& target) {
        const char* p = static_cast<const char*>(lpBuffer);
        target.assign(p, strnlen(p, dwBufferLength ? dwBufferLength : 4096));
        return true;
    };
    bool ok = false;
    switch (dwOption) {
    case INTERNET_OPTION_CONNECT_TIMEOUT: ok = number(op.connectTimeout); break;
    case INTERNET_OPTION_RECEIVE_TIMEOUT: ok = number(op.receiveTimeout); break;
    case INTERNET_OPTION_SEND_TIMEOUT: {
        DWORD unused = 0;
        ok = number(unused);  // sending is bounded by the receive time-out
        break;
    }
    case INTERNET_OPTION_USERNAME: ok = text(op.user); break;
    case INTERNET_OPTION_PASSWORD: ok = text(op.password); break;
    case INTERNET_OPTION_PROXY_USERNAME: ok = text(op.proxyUser); break;
    case INTERNET_OPTION_PROXY_PASSWORD: ok = text(op.proxyPassword); break;
    default: break;
    }
    if (!ok) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

BOOL InternetCloseHandle(HINTERNET hInternet)
{
    if (!Close(hInternet)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
