// The scripted file server on cpp-httplib.
#include <HttpLoopback/LoopbackHttpServer.h>

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace {

std::string Base64(const std::string& in)
{
    static const char* k = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < in.size(); i += 3) {
        unsigned v = ((unsigned char)in[i] << 16) | ((unsigned char)in[i + 1] << 8) | (unsigned char)in[i + 2];
        out += k[v >> 18];
        out += k[(v >> 12) & 63];
        out += k[(v >> 6) & 63];
        out += k[v & 63];
    }
    if (i + 1 == in.size()) {
        unsigned v = (unsigned char)in[i] << 16;
        out += k[v >> 18];
        out += k[(v >> 12) & 63];
        out += "==";
    } else if (i + 2 == in.size()) {
        unsigned v = ((unsigned char)in[i] << 16) | ((unsigned char)in[i + 1] << 8);
        out += k[v >> 18];
        out += k[(v >> 12) & 63];
        out += k[(v >> 6) & 63];
        out += '=';
    }
    return out;
}

}  // namespace

struct CLoopbackHttpServer::Impl
{
    httplib::Server http;
    std::thread thread;
    int port = 0;
    mutable std::mutex lock;
    std::condition_variable changed;
    std::map<std::string, Reply> replies;
    std::vector<Seen> seen;
    bool stopping = false;
    unsigned releases = 0;
    int stalled = 0;

    // Waits until released or stopping; false when stopping.
    bool Stall()
    {
        std::unique_lock<std::mutex> g(lock);
        const unsigned at = releases;
        ++stalled;
        changed.wait(g, [&] { return stopping || releases != at; });
        --stalled;
        return !stopping;
    }

    bool Stopping()
    {
        std::lock_guard<std::mutex> g(lock);
        return stopping;
    }

    // Writes body bytes [offset, offset + n) of the reply; false to drop the connection.
    bool Write(const Reply& r, uint64_t offset, size_t n, httplib::DataSink& sink)
    {
        unsigned char piece[65536];
        while (n > 0) {
            if (offset >= r.breakAfter)
                return false;
            if (offset == r.stallAfter && !Stall())
                return false;
            size_t step = std::min(n, sizeof piece);
            if (r.bytesPerSecond)
                step = std::min<size_t>(step, std::max<size_t>(1, r.bytesPerSecond / 20));
            if (r.breakAfter != UINT64_MAX)
                step = (size_t)std::min<uint64_t>(step, r.breakAfter - offset);
            if (r.stallAfter != UINT64_MAX && offset < r.stallAfter)
                step = (size_t)std::min<uint64_t>(step, r.stallAfter - offset);
            if (r.generatedSize)
                FillPattern(offset, piece, step);
            else
                std::memcpy(piece, r.body.data() + offset, step);
            if (!sink.write(reinterpret_cast<const char*>(piece), step))
                return false;
            offset += step;
            n -= step;
            if (r.bytesPerSecond) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                if (Stopping())
                    return false;
            }
        }
        return true;
    }

    void Handle(const httplib::Request& req, httplib::Response& res)
    {
        Seen s;
        s.method = req.method;
        s.target = req.target;
        s.authorization = req.get_header_value("Authorization");
        s.proxyAuthorization = req.get_header_value("Proxy-Authorization");
        s.absoluteForm = req.target.compare(0, 7, "http://") == 0;
        std::string key = req.target;
        if (s.absoluteForm) {
            const size_t slash = key.find('/', 7);
            key = slash == std::string::npos ? "/" : key.substr(slash);
        }
        Reply r;
        {
            std::lock_guard<std::mutex> g(lock);
            seen.push_back(s);
            auto it = replies.find(key);
            if (it == replies.end()) {
                res.status = 404;
                res.set_content("not found", "text/plain");
                return;
            }
            r = it->second;
        }
        if (!r.user.empty()) {
            const std::string expected = "Basic " + Base64(r.user + ":" + r.password);
            const std::string given = r.proxyLogin ? s.proxyAuthorization : s.authorization;
            if (given != expected) {
                res.status = r.proxyLogin ? 407 : 401;
                res.set_header(r.proxyLogin ? "Proxy-Authenticate" : "WWW-Authenticate", "Basic realm=\"pdm\"");
                res.set_content("<html>login required</html>", "text/html");
                return;
            }
        }
        res.status = r.status;
        if (!r.location.empty())
            res.set_header("Location", r.location);
        const uint64_t size = r.generatedSize ? r.generatedSize : r.body.size();
        if (req.method == "HEAD") {
            res.set_header("Content-Length", std::to_string(size));
            return;
        }
        if (size == 0) {
            res.set_content("", r.contentType);
            return;
        }
        if (r.chunked) {
            res.set_chunked_content_provider(r.contentType, [this, r, size](size_t offset, httplib::DataSink& sink) {
                const size_t n = (size_t)std::min<uint64_t>(size - offset, 16384);
                if (n == 0 || !Write(r, offset, n, sink)) {
                    if (n == 0)
                        sink.done();
                    return n == 0;
                }
                return true;
            });
            return;
        }
        res.set_content_provider((size_t)size, r.contentType,
                                 [this, r](size_t offset, size_t length, httplib::DataSink& sink) {
                                     return Write(r, offset, std::min<size_t>(length, 1 << 20), sink);
                                 });
    }
};

CLoopbackHttpServer::CLoopbackHttpServer() : m_impl(new Impl) {}
CLoopbackHttpServer::~CLoopbackHttpServer() { Stop(); }

void CLoopbackHttpServer::Serve(const std::string& pathAndQuery, const Reply& reply)
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    m_impl->replies[pathAndQuery] = reply;
}

bool CLoopbackHttpServer::Start()
{
    Impl& d = *m_impl;
    if (d.thread.joinable())
        return true;
    auto handler = [&d](const httplib::Request& req, httplib::Response& res) { d.Handle(req, res); };
    d.http.Get(".*", handler);
    d.http.Post(".*", handler);  // a POST is answered like a GET of its target
    d.http.set_keep_alive_timeout(1);
    d.http.set_read_timeout(5, 0);
    d.http.set_write_timeout(5, 0);
    d.port = d.http.bind_to_any_port("127.0.0.1");
    if (d.port <= 0)
        return false;
    d.thread = std::thread([&d] { d.http.listen_after_bind(); });
    for (int i = 0; i < 500 && !d.http.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return d.http.is_running();
}

void CLoopbackHttpServer::Stop()
{
    Impl& d = *m_impl;
    {
        std::lock_guard<std::mutex> g(d.lock);
        d.stopping = true;
    }
    d.changed.notify_all();
    if (d.thread.joinable()) {
        d.http.stop();
        d.thread.join();
    }
}

int CLoopbackHttpServer::Port() const { return m_impl->port; }

std::string CLoopbackHttpServer::Url(const std::string& pathAndQuery) const
{
    return "http://127.0.0.1:" + std::to_string(m_impl->port) + pathAndQuery;
}

void CLoopbackHttpServer::ReleaseStalls()
{
    {
        std::lock_guard<std::mutex> g(m_impl->lock);
        ++m_impl->releases;
    }
    m_impl->changed.notify_all();
}

int CLoopbackHttpServer::Stalled() const
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    return m_impl->stalled;
}

std::vector<CLoopbackHttpServer::Seen> CLoopbackHttpServer::Requests() const
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    return m_impl->seen;
}

unsigned char CLoopbackHttpServer::PatternByte(uint64_t index)
{
    return (unsigned char)((index * 131) ^ (index >> 9) ^ (index >> 17));
}

void CLoopbackHttpServer::FillPattern(uint64_t offset, unsigned char* out, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        out[i] = PatternByte(offset + i);
}
