// The HTTP transport on libmicrohttpd: connections, deadlines, bounds and the workers.
#include "HttpDaemon.h"

#include <microhttpd.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <condition_variable>
#include <cstring>
#include <strings.h>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace projectserver {

namespace {

typedef std::chrono::steady_clock Clock;

// Where a connection is; the reaper holds every phase but Working to a deadline.
enum class Phase { Headers, Body, Working, Sending };

struct Connection {
    int fd = -1;
    sockaddr_storage peer = {};
    socklen_t peerLength = 0;
    Phase phase = Phase::Headers;
    Clock::time_point deadline;
    bool cut = false;
};

// One request on a connection, from its headers to its answer.
struct Exchange {
    HttpRequest request;
    Connection* connection = nullptr;
    uint64_t received = 0;
    uint64_t announced = 0;
    bool chunked = false;
    uint64_t reserved = 0;  // of the memory for bodies (Impl::Reserve)
    std::chrono::steady_clock::time_point bodyStart;
};

const char kTooLarge[] = "the request body is larger than this server accepts\n";
const char kBusy[] = "the server is taking in too many request bodies now: try again shortly\n";
const char kNoRoomForAnswer[] = "the server has no room for this answer now: try again shortly\n";

// Writes an answer on a plain connection in the middle of its body (the library takes none
// there) and ends the sending side; the connection is then closed, the rest never read.
void AnswerMidBody(Connection* c, const char* status, const char* text)
{
    if (!c || c->fd < 0)
        return;
    std::string answer = std::string("HTTP/1.1 ") + status + "\r\nConnection: close\r\n"
                         "Content-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                         std::to_string(std::strlen(text)) + "\r\n\r\n" + text;
    ssize_t n = ::send(c->fd, answer.data(), answer.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    (void)n;
    ::shutdown(c->fd, SHUT_WR);
}

std::string AddressText(const sockaddr* sa)
{
    char text[INET6_ADDRSTRLEN] = "";
    if (sa && sa->sa_family == AF_INET)
        ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(sa)->sin_addr, text, sizeof(text));
    else if (sa && sa->sa_family == AF_INET6)
        ::inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(sa)->sin6_addr, text, sizeof(text));
    return text;
}

// Percent-encodes what a query part cannot hold as it is.
std::string QueryEscape(const std::string& s)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~' || c == '/' || c == ':')
            out += static_cast<char>(c);
        else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

MHD_Result CollectPair(void* cls, MHD_ValueKind, const char* key, const char* value)
{
    static_cast<std::vector<std::pair<std::string, std::string>>*>(cls)->emplace_back(key ? key : "",
                                                                                      value ? value : "");
    return MHD_YES;
}

MHD_Response* TextResponse(const char* text)
{
    MHD_Response* r = MHD_create_response_from_buffer(std::strlen(text), const_cast<char*>(text), MHD_RESPMEM_PERSISTENT);
    if (r)
        MHD_add_response_header(r, "Content-Type", "text/plain; charset=utf-8");
    return r;
}

MHD_Result QueueText(MHD_Connection* connection, unsigned status, const char* text)
{
    MHD_Response* r = TextResponse(text);
    if (!r)
        return MHD_NO;
    MHD_Result ok = MHD_queue_response(connection, status, r);
    MHD_destroy_response(r);
    return ok;
}

ssize_t BreakOff(void*, uint64_t, char*, size_t)
{
    return MHD_CONTENT_READER_END_WITH_ERROR;
}

// The fields of an application/x-www-form-urlencoded body, added to the query's.
void AddFormFields(HttpRequest& req)
{
    const std::string type = req.Header("Content-Type");
    if (type.compare(0, 33, "application/x-www-form-urlencoded") != 0)
        return;
    auto decode = [](std::string text) {
        for (char& c : text)
            if (c == '+')
                c = ' ';
        text.resize(MHD_http_unescape(&text[0]));
        return text;
    };
    size_t at = 0;
    while (at <= req.body.size()) {
        size_t end = req.body.find('&', at);
        if (end == std::string::npos)
            end = req.body.size();
        std::string field = req.body.substr(at, end - at);
        if (!field.empty()) {
            size_t eq = field.find('=');
            req.params.emplace_back(decode(field.substr(0, eq)),
                                    eq == std::string::npos ? std::string() : decode(field.substr(eq + 1)));
        }
        at = end + 1;
    }
}

// An answer's text in memory, counted in `held` (when not null) until the library lets it go.
struct HeldBody {
    std::string text;
    std::atomic<uint64_t>* held;
};

void FreeBody(void* cls)
{
    HeldBody* body = static_cast<HeldBody*>(cls);
    if (body->held)
        body->held->fetch_sub(body->text.size());
    delete body;
}

// An unlinked temporary file in `directory` holding `text`; -1 when it cannot be made or
// written whole.
int AnswerFile(const std::string& directory, const std::string& text)
{
    int fd = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        // A file system without unnamed files: a named one, gone from the directory at once.
        std::string path = directory + "/project-server-answer-XXXXXX";
        fd = ::mkostemp(&path[0], O_CLOEXEC);
        if (fd < 0)
            return -1;
        ::unlink(path.c_str());
    }
    size_t at = 0;
    while (at < text.size()) {
        const ssize_t n = ::write(fd, text.data() + at, text.size() - at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            return -1;
        }
        at += static_cast<size_t>(n);
    }
    return fd;
}

// The library's answer for a handler's; null when it cannot be made. A body in memory is
// counted in `held` (when not null) while the library holds it.
MHD_Response* Build(HttpResponse& res, std::atomic<uint64_t>* held)
{
    MHD_Response* r = nullptr;
    if (res.breakOff)
        r = MHD_create_response_from_callback(res.length, 4096, &BreakOff, nullptr, nullptr);
    else if (res.fd >= 0) {
        r = MHD_create_response_from_fd_at_offset64(res.length, res.fd, res.offset);
        if (r)
            res.fd = -1;  // the library closes it
    } else if (res.body.empty())
        r = MHD_create_response_from_buffer(0, nullptr, MHD_RESPMEM_PERSISTENT);
    else {
        HeldBody* body = new HeldBody{std::move(res.body), held};
        r = MHD_create_response_from_buffer_with_free_callback_cls(body->text.size(), body->text.data(), &FreeBody,
                                                                   body);
        if (!r)
            FreeBody(body);
    }
    if (!r)
        return nullptr;
    if (!res.contentType.empty())
        MHD_add_response_header(r, "Content-Type", res.contentType.c_str());
    for (const auto& h : res.headers)
        MHD_add_response_header(r, h.first.c_str(), h.second.c_str());
    return r;
}

}  // namespace

struct CHttpDaemon::Impl {
    HttpLimits limits;
    Handler handler;
    std::string certificate, key;
    bool secure = false;
    MHD_Daemon* daemon = nullptr;
    int port = -1;

    std::mutex connectionsMutex;
    std::set<Connection*> connections;
    std::condition_variable reaperWake;
    bool reaperQuit = false;
    std::thread reaper;

    // The memory taken by request bodies, in all and by client address.
    std::mutex bodiesMutex;
    uint64_t bodyBytes = 0;
    std::map<std::string, uint64_t> bodyBytesByAddress;

    // Whether `n` more bytes of body memory for the exchange's address are free now.
    bool Fits(const Exchange* ex, uint64_t n)
    {
        std::lock_guard<std::mutex> lock(bodiesMutex);
        auto it = bodyBytesByAddress.find(ex->request.peerAddress);
        const uint64_t mine = it == bodyBytesByAddress.end() ? 0 : it->second;
        return bodyBytes + n <= limits.bodyBytesInAll && mine + n <= limits.bodyBytesPerAddress;
    }

    // Takes `n` more bytes of the body memory for the exchange; false when either bound
    // would be passed (then nothing is taken).
    bool Reserve(Exchange* ex, uint64_t n)
    {
        std::lock_guard<std::mutex> lock(bodiesMutex);
        uint64_t& mine = bodyBytesByAddress[ex->request.peerAddress];
        if (bodyBytes + n > limits.bodyBytesInAll || mine + n > limits.bodyBytesPerAddress) {
            if (mine == 0)
                bodyBytesByAddress.erase(ex->request.peerAddress);
            return false;
        }
        bodyBytes += n;
        mine += n;
        ex->reserved += n;
        return true;
    }

    // Gives the exchange's body memory back (again: nothing).
    void GiveBack(Exchange* ex)
    {
        if (!ex || ex->reserved == 0)
            return;
        std::lock_guard<std::mutex> lock(bodiesMutex);
        bodyBytes -= ex->reserved;
        auto it = bodyBytesByAddress.find(ex->request.peerAddress);
        if (it != bodyBytesByAddress.end() && (it->second -= ex->reserved) == 0)
            bodyBytesByAddress.erase(it);
        ex->reserved = 0;
    }

    // The memory of the answers the library holds for their readers, and the answers that
    // waited in files instead.
    std::string answerDirectory;
    std::atomic<uint64_t> answerBytes{0};
    std::atomic<uint64_t> answersInFiles{0};

    // Takes `n` bytes of the answers' memory; false when that would pass the bound of all.
    bool TakeAnswerMemory(uint64_t n)
    {
        uint64_t now = answerBytes.load();
        do {
            if (n > limits.answerBytesInAll || now > limits.answerBytesInAll - n)
                return false;
        } while (!answerBytes.compare_exchange_weak(now, now + n));
        return true;
    }

    // Where the answer waits for its reader: in memory while it fits the connection's part
    // and the bound of all (then counted in what the result names), else in a file; when
    // no file can be written either, the answer becomes a 503.
    std::atomic<uint64_t>* PlaceAnswer(HttpResponse& res)
    {
        if (res.breakOff || res.fd >= 0 || res.body.empty())
            return nullptr;
        const uint64_t size = res.body.size();
        if (size <= limits.answerBytesPerConnection && TakeAnswerMemory(size))
            return &answerBytes;
        const int fd = AnswerFile(answerDirectory, res.body);
        if (fd < 0) {
            res.status = 503;
            res.headers.clear();
            res.SetContent(kNoRoomForAnswer, "text/plain; charset=utf-8");
            res.SetHeader("Retry-After", "5");
            return nullptr;
        }
        std::string().swap(res.body);
        res.fd = fd;
        res.offset = 0;
        res.length = size;
        ++answersInFiles;
        return nullptr;
    }

    std::mutex jobsMutex;
    std::condition_variable jobsReady, jobsDone;
    std::deque<std::function<void()>> jobs;
    int inFlight = 0;
    bool stopping = false;
    bool workersQuit = false;
    std::vector<std::thread> workers;

    Clock::time_point TransferDeadline(uint64_t bytes, Clock::time_point from = Clock::now()) const
    {
        uint64_t seconds = bytes / std::max<uint64_t>(1, limits.slowestBytesPerSecond);
        seconds = std::min<uint64_t>(seconds, static_cast<uint64_t>(limits.longestTransferSeconds));
        return from + std::chrono::seconds(limits.headerSeconds + static_cast<int64_t>(seconds));
    }

    void SetPhase(Connection* c, Phase phase, Clock::time_point deadline)
    {
        if (!c)
            return;
        std::lock_guard<std::mutex> lock(connectionsMutex);
        c->phase = phase;
        c->deadline = deadline;
    }

    static Connection* ConnectionOf(MHD_Connection* connection)
    {
        const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
        return info ? static_cast<Connection*>(info->socket_context) : nullptr;
    }

    // Shuts the socket of every connection past its deadline; the library then sees the
    // connection end and closes it. A socket whose peer is no longer the one noted is left
    // alone (its number went to a new connection).
    void Reap()
    {
        std::unique_lock<std::mutex> lock(connectionsMutex);
        while (!reaperQuit) {
            reaperWake.wait_for(lock, std::chrono::milliseconds(200));
            const Clock::time_point now = Clock::now();
            for (Connection* c : connections) {
                if (c->cut || c->phase == Phase::Working || now < c->deadline || c->fd < 0)
                    continue;
                sockaddr_storage peer = {};
                socklen_t length = sizeof(peer);
                if (::getpeername(c->fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0 &&
                    (length != c->peerLength || std::memcmp(&peer, &c->peer, length) != 0))
                    continue;
                ::shutdown(c->fd, SHUT_RDWR);
                c->cut = true;
            }
        }
    }

    void Work()
    {
        std::unique_lock<std::mutex> lock(jobsMutex);
        for (;;) {
            jobsReady.wait(lock, [this] { return workersQuit || !jobs.empty(); });
            if (jobs.empty())
                return;
            std::function<void()> job = std::move(jobs.front());
            jobs.pop_front();
            lock.unlock();
            job();
            lock.lock();
            if (--inFlight == 0)
                jobsDone.notify_all();
        }
    }

    // Runs the handler for a request read whole and answers on its connection, which was
    // suspended for it and is resumed here.
    void Answer(MHD_Connection* connection, Exchange* ex)
    {
        HttpResponse res;
        try {
            AddFormFields(ex->request);
            handler(ex->request, res);
        } catch (...) {
            res.status = 500;
            res.headers.clear();
            res.SetContent("the server failed on this request\n", "text/plain; charset=utf-8");
        }
        std::string().swap(ex->request.body);  // given back before the answer goes out
        GiveBack(ex);
        std::atomic<uint64_t>* held = PlaceAnswer(res);
        const unsigned status = static_cast<unsigned>(res.status);
        SetPhase(ex->connection, Phase::Sending, TransferDeadline(res.Size()));
        MHD_Response* r = Build(res, held);
        if (r) {
            MHD_queue_response(connection, status, r);
            MHD_destroy_response(r);
        } else
            QueueText(connection, MHD_HTTP_INTERNAL_SERVER_ERROR, "the server could not build its answer\n");
        MHD_resume_connection(connection);
    }

    MHD_Result OnRequest(MHD_Connection* connection, const char* url, const char* method, const char* uploadData,
                         size_t* uploadSize, void** requestContext)
    {
        Exchange* ex = static_cast<Exchange*>(*requestContext);
        if (!ex)
            return OnHeaders(connection, url, method, requestContext);
        if (*uploadSize > 0) {
            if (ex->received + *uploadSize > limits.maxBodyBytes) {
                // A chunked body that grew past the bound. The library takes no answer in the
                // middle of a body, so a plain connection gets the 413 written on it here;
                // either way the connection is closed and the rest is never read.
                if (!secure)
                    AnswerMidBody(ex->connection, "413 Content Too Large", kTooLarge);
                return MHD_NO;
            }
            // A body takes its memory as it comes (an announced size is only a claim: a
            // client that announces much and sends little holds little).
            if (!Reserve(ex, *uploadSize)) {
                if (!secure)
                    AnswerMidBody(ex->connection, "503 Service Unavailable", kBusy);
                return MHD_NO;
            }
            // The buffer grows with what came (never ahead of it: an announced size is only a
            // claim), doubling up to the announced size or the bound.
            std::string& body = ex->request.body;
            const size_t need = body.size() + *uploadSize;
            const size_t bound = ex->chunked ? limits.maxBodyBytes : static_cast<size_t>(ex->announced);
            if (need > body.capacity())
                body.reserve(std::max(need, std::min(bound, 2 * body.capacity())));
            body.append(uploadData, *uploadSize);
            ex->received += *uploadSize;
            *uploadSize = 0;
            // The deadline moves on with what came: a body must keep coming at the slowest
            // rate allowed, whatever size it announced (or none, chunked).
            SetPhase(ex->connection, Phase::Body, TransferDeadline(ex->received, ex->bodyStart));
            return MHD_YES;
        }
        // Read whole: to a worker. (An announced body must be all there.)
        if (!ex->chunked && ex->received < ex->announced)
            return MHD_YES;
        {
            std::lock_guard<std::mutex> lock(jobsMutex);
            if (stopping)
                return QueueText(connection, MHD_HTTP_SERVICE_UNAVAILABLE, "the server is stopping\n");
            ++inFlight;
        }
        SetPhase(ex->connection, Phase::Working, Clock::time_point::max());
        MHD_suspend_connection(connection);
        {
            std::lock_guard<std::mutex> lock(jobsMutex);
            jobs.push_back([this, connection, ex] { Answer(connection, ex); });
        }
        jobsReady.notify_one();
        return MHD_YES;
    }

    MHD_Result OnHeaders(MHD_Connection* connection, const char* url, const char* method, void** requestContext)
    {
        Exchange* ex = new Exchange;
        *requestContext = ex;
        ex->connection = ConnectionOf(connection);
        HttpRequest& req = ex->request;
        req.method = method ? method : "";
        req.secure = secure;
        MHD_get_connection_values(connection, MHD_HEADER_KIND, &CollectPair, &req.headers);
        MHD_get_connection_values(connection, MHD_GET_ARGUMENT_KIND, &CollectPair, &req.params);
        const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
        req.peerAddress = AddressText(info ? info->client_addr : nullptr);
        // An absolute-form target, as a proxy receives it, leads with the scheme and host.
        std::string u = url ? url : "";
        for (const char* scheme : {"http://", "https://"}) {
            size_t n = std::strlen(scheme);
            if (u.compare(0, n, scheme) == 0) {
                size_t slash = u.find('/', n);
                req.origin = u.substr(0, slash);
                u = slash == std::string::npos ? std::string("/") : u.substr(slash);
                break;
            }
        }
        req.path = u;
        req.target = req.origin + QueryEscape(u);
        for (size_t i = 0; i < req.params.size(); ++i)
            req.target += (i ? "&" : "?") + QueryEscape(req.params[i].first) +
                          (req.params[i].second.empty() ? std::string() : "=" + QueryEscape(req.params[i].second));

        // A body whose end the server cannot be sure of is refused before a byte of it is
        // read: lengths that differ, a length beside a transfer coding (a reader on the way
        // may take the other one), or a coding other than chunked.
        std::string firstLength;
        int lengths = 0, codings = 0;
        bool chunkedOnly = true;
        for (const auto& h : req.headers) {
            if (strcasecmp(h.first.c_str(), "Content-Length") == 0) {
                if (lengths++ == 0)
                    firstLength = h.second;
                else if (h.second != firstLength)
                    return QueueText(connection, MHD_HTTP_BAD_REQUEST, "the request has two different lengths\n");
            } else if (strcasecmp(h.first.c_str(), "Transfer-Encoding") == 0) {
                ++codings;
                chunkedOnly = chunkedOnly && strcasecmp(h.second.c_str(), "chunked") == 0;
            }
        }
        if (codings > 0 && lengths > 0)
            return QueueText(connection, MHD_HTTP_BAD_REQUEST, "the request has both a length and a transfer coding\n");
        if (codings > 1 || !chunkedOnly)
            return QueueText(connection, MHD_HTTP_NOT_IMPLEMENTED, "the only transfer coding taken is chunked\n");

        uint64_t announced = 0;
        const char* length = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Length");
        if (length && *length) {
            char* end = nullptr;
            errno = 0;
            unsigned long long n = std::strtoull(length, &end, 10);
            announced = (errno || *end) ? UINT64_MAX : n;
        }
        if (announced > limits.maxBodyBytes)
            return QueueText(connection, MHD_HTTP_CONTENT_TOO_LARGE, kTooLarge);
        // Many bodies at once, each within the bound, must not take all the memory there is:
        // one announced larger than what is free now is refused before it is read.
        if (announced > 0 && !Fits(ex, announced)) {
            MHD_Response* r = TextResponse(kBusy);
            if (!r)
                return MHD_NO;
            MHD_add_response_header(r, "Retry-After", "5");
            MHD_Result ok = MHD_queue_response(connection, MHD_HTTP_SERVICE_UNAVAILABLE, r);
            MHD_destroy_response(r);
            return ok;
        }
        const bool chunked = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Transfer-Encoding") != nullptr;
        ex->announced = announced;
        ex->chunked = chunked;
        ex->bodyStart = Clock::now();
        SetPhase(ex->connection, Phase::Body, TransferDeadline(0, ex->bodyStart));
        return MHD_YES;
    }

    void OnCompleted(MHD_Connection* connection, void** requestContext)
    {
        GiveBack(static_cast<Exchange*>(*requestContext));
        delete static_cast<Exchange*>(*requestContext);
        *requestContext = nullptr;
        // The next request on the connection has its headers' time from now.
        SetPhase(ConnectionOf(connection), Phase::Headers, Clock::now() + std::chrono::seconds(limits.headerSeconds));
    }

    void OnConnection(MHD_Connection* connection, void** socketContext, MHD_ConnectionNotificationCode code)
    {
        if (code == MHD_CONNECTION_NOTIFY_STARTED) {
            Connection* c = new Connection;
            const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
            c->fd = info ? info->connect_fd : -1;
            c->peerLength = sizeof(c->peer);
            if (c->fd < 0 || ::getpeername(c->fd, reinterpret_cast<sockaddr*>(&c->peer), &c->peerLength) != 0)
                c->peerLength = 0;
            c->deadline = Clock::now() + std::chrono::seconds(limits.headerSeconds);
            std::lock_guard<std::mutex> lock(connectionsMutex);
            connections.insert(c);
            *socketContext = c;
        } else if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
            Connection* c = static_cast<Connection*>(*socketContext);
            std::lock_guard<std::mutex> lock(connectionsMutex);
            connections.erase(c);
            delete c;
            *socketContext = nullptr;
        }
    }
};

namespace {

MHD_Result OnRequestThunk(void* cls, MHD_Connection* connection, const char* url, const char* method, const char*,
                          const char* uploadData, size_t* uploadSize, void** requestContext)
{
    return static_cast<CHttpDaemon::Impl*>(cls)->OnRequest(connection, url, method, uploadData, uploadSize,
                                                           requestContext);
}

void OnCompletedThunk(void* cls, MHD_Connection* connection, void** requestContext, MHD_RequestTerminationCode)
{
    static_cast<CHttpDaemon::Impl*>(cls)->OnCompleted(connection, requestContext);
}

void OnConnectionThunk(void* cls, MHD_Connection* connection, void** socketContext, MHD_ConnectionNotificationCode code)
{
    static_cast<CHttpDaemon::Impl*>(cls)->OnConnection(connection, socketContext, code);
}

}  // namespace

CHttpDaemon::CHttpDaemon() : m_impl(new Impl) {}

CHttpDaemon::~CHttpDaemon()
{
    Stop();
}

bool CHttpDaemon::Start(const std::string& address, int port, const HttpLimits& limits,
                        const std::string& certificatePem, const std::string& keyPem, Handler handler,
                        std::string& error)
{
    Impl& d = *m_impl;
    if (d.daemon)
        return true;
    d.limits = limits;
    if (d.limits.bodyBytesInAll == 0)
        d.limits.bodyBytesInAll = std::max<uint64_t>(d.limits.maxBodyBytes, 512u * 1024u * 1024u);
    if (d.limits.bodyBytesPerAddress == 0)
        d.limits.bodyBytesPerAddress = std::max<uint64_t>(d.limits.maxBodyBytes, 128u * 1024u * 1024u);
    if (d.limits.answerBytesPerConnection == 0)
        d.limits.answerBytesPerConnection = 4u * 1024u * 1024u;
    if (d.limits.answerBytesInAll == 0)
        d.limits.answerBytesInAll = 256u * 1024u * 1024u;
    d.answerDirectory = d.limits.answerFileDirectory;
    if (d.answerDirectory.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        d.answerDirectory = tmp && *tmp ? tmp : "/tmp";
    }
    d.answersInFiles = 0;
    d.handler = std::move(handler);
    d.certificate = certificatePem;
    d.key = keyPem;
    d.secure = !certificatePem.empty();
    if (d.secure && MHD_is_feature_supported(MHD_FEATURE_TLS) != MHD_YES) {
        error = "this build of the HTTP library has no TLS";
        return false;
    }
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (::getaddrinfo(address.c_str(), service.c_str(), &hints, &found) != 0 || !found) {
        error = "cannot listen on " + address + ":" + service + ": not an address of this machine";
        return false;
    }
    sockaddr_storage bind = {};
    std::memcpy(&bind, found->ai_addr, std::min<size_t>(found->ai_addrlen, sizeof(bind)));
    const bool ipv6 = found->ai_family == AF_INET6;
    ::freeaddrinfo(found);

    unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME;
    if (ipv6)
        flags |= MHD_USE_IPv6;
    if (d.secure)
        flags |= MHD_USE_TLS;
    std::vector<MHD_OptionItem> options = {
        {MHD_OPTION_SOCK_ADDR, 0, &bind},
        {MHD_OPTION_THREAD_POOL_SIZE, 2, nullptr},
        {MHD_OPTION_CONNECTION_LIMIT, static_cast<intptr_t>(limits.connections), nullptr},
        {MHD_OPTION_PER_IP_CONNECTION_LIMIT, static_cast<intptr_t>(limits.connectionsPerAddress), nullptr},
        {MHD_OPTION_CONNECTION_MEMORY_LIMIT, static_cast<intptr_t>(limits.headerBytes), nullptr},
        // No progress at all for this long ends a connection in any phase; the reaper's
        // deadlines bound the ones that trickle.
        {MHD_OPTION_CONNECTION_TIMEOUT, 3 * limits.headerSeconds, nullptr},
        {MHD_OPTION_NOTIFY_COMPLETED, reinterpret_cast<intptr_t>(&OnCompletedThunk), &d},
        {MHD_OPTION_NOTIFY_CONNECTION, reinterpret_cast<intptr_t>(&OnConnectionThunk), &d},
    };
    if (d.secure) {
        options.push_back({MHD_OPTION_HTTPS_MEM_CERT, 0, const_cast<char*>(d.certificate.c_str())});
        options.push_back({MHD_OPTION_HTTPS_MEM_KEY, 0, const_cast<char*>(d.key.c_str())});
    }
    options.push_back({MHD_OPTION_END, 0, nullptr});

    {
        std::lock_guard<std::mutex> lock(d.jobsMutex);
        d.stopping = false;
        d.workersQuit = false;
        d.inFlight = 0;
    }
    d.reaperQuit = false;
    d.daemon = MHD_start_daemon(flags, static_cast<uint16_t>(port), nullptr, nullptr, &OnRequestThunk, &d,
                                MHD_OPTION_ARRAY, options.data(), MHD_OPTION_END);
    if (!d.daemon) {
        error = "cannot listen on " + address + ":" + service;
        if (d.secure)
            error += " (or the TLS certificate and key are not a matching PEM pair)";
        return false;
    }
    const MHD_DaemonInfo* info = MHD_get_daemon_info(d.daemon, MHD_DAEMON_INFO_BIND_PORT);
    d.port = info ? info->port : port;
    for (int i = 0; i < std::max(1, limits.workers); ++i)
        d.workers.emplace_back([&d] { d.Work(); });
    d.reaper = std::thread([&d] { d.Reap(); });
    return true;
}

void CHttpDaemon::Stop()
{
    Impl& d = *m_impl;
    if (!d.daemon)
        return;
    // No new work (a request read whole from now on is answered 503 at once); the requests
    // under way finish (their connections are suspended, and the library must not be stopped
    // with one suspended). The daemon is not quiesced: with its threads polling through
    // epoll, quiescing races with their own removal of the listening socket and the library
    // aborts the process.
    {
        std::unique_lock<std::mutex> lock(d.jobsMutex);
        d.stopping = true;
        d.jobsDone.wait(lock, [&d] { return d.inFlight == 0; });
        d.workersQuit = true;
    }
    d.jobsReady.notify_all();
    for (std::thread& t : d.workers)
        t.join();
    d.workers.clear();
    MHD_stop_daemon(d.daemon);
    d.daemon = nullptr;
    {
        std::lock_guard<std::mutex> lock(d.connectionsMutex);
        d.reaperQuit = true;
    }
    d.reaperWake.notify_all();
    if (d.reaper.joinable())
        d.reaper.join();
}

bool CHttpDaemon::IsRunning() const
{
    return m_impl->daemon != nullptr;
}

int CHttpDaemon::Port() const
{
    return m_impl->port;
}

bool CHttpDaemon::Secure() const
{
    return m_impl->secure;
}

uint64_t CHttpDaemon::AnswerBytesHeld() const
{
    return m_impl->answerBytes.load();
}

uint64_t CHttpDaemon::AnswersInFiles() const
{
    return m_impl->answersInFiles.load();
}

}  // namespace projectserver
