// HTTP exchanges of the SOAP client, on libcurl.
#include "HttpTransport.h"

#include <ProjectService/IProjectService.h>

#include <curl/curl.h>

#include <strings.h>

#include <memory>
#include <mutex>

namespace projectsoap {

namespace {

void GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Sink {
    std::string* body;
    size_t limit;
    bool overflow = false;
    CURL* curl = nullptr;
    bool sized = false;
};

size_t Write(char* data, size_t size, size_t count, void* user)
{
    Sink* sink = static_cast<Sink*>(user);
    size_t bytes = size * count;
    if (sink->body->size() + bytes > sink->limit) {
        sink->overflow = true;
        return 0; // aborts the transfer
    }
    if (!sink->sized && sink->curl != nullptr) {
        // A large answer announced by its length gets its room at once rather than by
        // doubling (each doubling copies all that came before).
        sink->sized = true;
        curl_off_t length = -1;
        if (curl_easy_getinfo(sink->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK && length > 0 &&
            static_cast<size_t>(length) <= sink->limit)
            sink->body->reserve(static_cast<size_t>(length));
    }
    sink->body->append(data, bytes);
    return bytes;
}

// Keeps the header lines of the last answer (an interim or earlier answer's are dropped).
size_t OnHeader(char* data, size_t size, size_t count, void* user)
{
    auto* headers = static_cast<std::vector<std::pair<std::string, std::string>>*>(user);
    const size_t bytes = size * count;
    std::string line(data, bytes);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    if (line.compare(0, 5, "HTTP/") == 0) {
        headers->clear();
        return bytes;
    }
    const size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0)
        return bytes;
    size_t b = colon + 1;
    while (b < line.size() && (line[b] == ' ' || line[b] == '\t'))
        ++b;
    size_t e = line.size();
    while (e > b && (line[e - 1] == ' ' || line[e - 1] == '\t'))
        --e;
    headers->emplace_back(line.substr(0, colon), line.substr(b, e - b));
    return bytes;
}

struct EasyDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct ListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

} // namespace

bool HttpReply::Header(const char* name, std::string& value) const
{
    for (auto it = headers.rbegin(); it != headers.rend(); ++it)
        if (strcasecmp(it->first.c_str(), name) == 0) {
            value = it->second;
            return true;
        }
    return false;
}

std::vector<std::string> HttpReply::Headers(const char* name) const
{
    std::vector<std::string> values;
    for (const auto& h : headers)
        if (strcasecmp(h.first.c_str(), name) == 0)
            values.push_back(h.second);
    return values;
}

HRESULT HttpExchange(const HttpRequest& request, HttpReply& reply, std::string& error)
{
    GlobalInit();
    reply = HttpReply();
    std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
    if (!curl) {
        error = "the HTTP client cannot be created";
        return PS_E_CONNECT;
    }
    CURL* c = curl.get();
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    std::string body;
    Sink sink{&body, request.maxReplyBytes};
    sink.curl = c;

    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(c, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, request.connectTimeoutMs);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, request.totalTimeoutMs);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "OrveskProjectService/1.0");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Write);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    std::vector<std::pair<std::string, std::string>> replyHeaders;
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &replyHeaders);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!request.trustFile.empty()) {
        curl_easy_setopt(c, CURLOPT_CAINFO, request.trustFile.c_str());
        curl_easy_setopt(c, CURLOPT_CAPATH, nullptr);
    }
    if (request.proxy.empty()) {
        curl_easy_setopt(c, CURLOPT_PROXY, "");
    } else {
        curl_easy_setopt(c, CURLOPT_PROXY, request.proxy.c_str());
        if (request.proxyPort > 0)
            curl_easy_setopt(c, CURLOPT_PROXYPORT, request.proxyPort);
        curl_easy_setopt(c, CURLOPT_PROXYTYPE, (long)CURLPROXY_HTTP);
        // The configured proxy is used for every host; no_proxy in the environment does not apply.
        curl_easy_setopt(c, CURLOPT_NOPROXY, "");
    }

    std::unique_ptr<curl_slist, ListDeleter> headers;
    curl_slist* list = nullptr;
    for (const std::string& h : request.headers)
        list = curl_slist_append(list, h.c_str());
    list = curl_slist_append(list, "Expect:");
    headers.reset(list);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, list);
    if (request.post) {
        curl_easy_setopt(c, CURLOPT_POST, 1L);
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, request.body.data());
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, (curl_off_t)request.body.size());
    } else {
        curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    }

    CURLcode code = curl_easy_perform(c);
    if (code != CURLE_OK) {
        std::string detail = errorBuffer[0] ? errorBuffer : curl_easy_strerror(code);
        if (sink.overflow) {
            error = "the answer of " + request.url + " is larger than " + std::to_string(request.maxReplyBytes) + " bytes";
            return PS_E_BADREPLY;
        }
        if (code == CURLE_OPERATION_TIMEDOUT) {
            error = "no complete answer from " + request.url + " in time: " + detail;
            return PS_E_TIMEOUT;
        }
        if (code == CURLE_PARTIAL_FILE || code == CURLE_GOT_NOTHING || code == CURLE_RECV_ERROR)
            error = "the connection to " + request.url + " broke off: " + detail;
        else
            error = "cannot reach " + request.url + ": " + detail;
        return PS_E_CONNECT;
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    reply.status = status;
    reply.body.swap(body);
    reply.headers.swap(replyHeaders);
    return S_OK;
}

} // namespace projectsoap
