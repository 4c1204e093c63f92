// The project server: HTTP on cpp-httplib, the database, and the test switches.
#include <ProjectServer/ProjectServer.h>

#include "PdmDownload.h"
#include "PdmService.h"
#include "ServerCore.h"
#include "ServerSoap.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace projectserver {

namespace {

const int kMaxStallMs = 5000;
const char* const kXmlType = "text/xml; charset=utf-8";

struct FaultRule {
    std::string operation;
    CProjectServer::Fault fault;
    int times;
    long result;
    std::string text;
};

std::string SafeSite(const std::string& site)
{
    std::string out;
    for (char c : site)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-')
            out += c;
    return out.empty() ? std::string("site") : out;
}

// The value of the session cookie in a Cookie header ("" when none).
std::string SessionCookie(const std::string& header)
{
    const std::string name = std::string(kSessionCookie) + "=";
    size_t at = 0;
    while (at < header.size()) {
        while (at < header.size() && (header[at] == ' ' || header[at] == ';'))
            ++at;
        size_t end = header.find(';', at);
        if (end == std::string::npos)
            end = header.size();
        if (header.compare(at, name.size(), name) == 0)
            return header.substr(at + name.size(), end - at - name.size());
        at = end;
    }
    return std::string();
}

// The request half of a call's context, from its headers.
CallContext ContextOf(const httplib::Request& req)
{
    CallContext context;
    context.sessionToken = SessionCookie(req.get_header_value("Cookie"));
    context.peerAddress = req.remote_addr;
    std::string match = req.get_header_value("If-Match");
    if (match.size() >= 2 && match.front() == '"' && match.back() == '"')
        match = match.substr(1, match.size() - 2);
    context.ifMatch = match;
    return context;
}

// The reply half: the session cookie and the revision.
void ApplyContext(const CallContext& context, httplib::Response& res)
{
    if (!context.newSessionToken.empty())
        res.set_header("Set-Cookie", std::string(kSessionCookie) + "=" + context.newSessionToken +
                                         "; Path=/; HttpOnly; SameSite=Strict");
    else if (context.endSession)
        res.set_header("Set-Cookie", std::string(kSessionCookie) + "=; Path=/; Max-Age=0");
    if (!context.etag.empty())
        res.set_header("ETag", "\"" + context.etag + "\"");
}

void RefuseUnauthorized(httplib::Response& res, bool soap)
{
    res.status = 401;
    res.set_header("WWW-Authenticate", "Session");
    if (soap)
        res.set_content(WriteFault("soap:Client", "a session is needed: log in first"), kXmlType);
    else
        res.set_content("a session is needed: log in first", "text/plain");
}

}  // namespace

struct CProjectServer::Impl {
    ServerOptions options;
    std::string site;
    httplib::Server http;
    std::thread thread;
    int port = -1;

    // The database, the operations and the sessions (thread-safe).
    CServerCore core;

    // Test switches and the record.
    mutable std::mutex testMutex;
    std::condition_variable stopped;
    bool stopping = false;
    std::vector<FaultRule> faults;
    int stallMs = 3000;
    bool record = false;
    std::vector<Request> requests;

    std::string Path(const char* leaf) const { return "/" + site + "/WebService/" + leaf; }

    void WaitUntilRunning()
    {
        for (int i = 0; i < 5000 && !http.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    bool TakeFault(const std::string& operation, FaultRule& rule)
    {
        std::lock_guard<std::mutex> lock(testMutex);
        for (auto it = faults.begin(); it != faults.end(); ++it) {
            bool matches = it->operation == operation || (it->operation.empty() && operation != "WSDL");
            if (!matches || it->times == 0)
                continue;
            rule = *it;
            if (it->times > 0 && --it->times == 0)
                faults.erase(it);
            return true;
        }
        return false;
    }

    void Record(const httplib::Request& req, const std::string& operation)
    {
        std::lock_guard<std::mutex> lock(testMutex);
        if (!record)
            return;
        Request r;
        r.method = req.method;
        r.target = req.target;
        r.absoluteForm = req.target.compare(0, 7, "http://") == 0;
        r.soapAction = req.get_header_value("SOAPAction");
        r.contentType = req.get_header_value("Content-Type");
        r.operation = operation;
        r.body = req.body;
        requests.push_back(std::move(r));
    }

    // Answers a test fault in place of a reply of `size` bytes that `whole` writes; false
    // when the reply is to go out after all (no fault, or a stall that is over).
    bool AnswerFault(const FaultRule* rule, size_t size, const std::function<std::string()>& whole,
                     httplib::Response& res)
    {
        Fault fault = rule ? rule->fault : Fault::None;
        switch (fault) {
        case Fault::Http500:
            res.status = 500;
            res.set_content("Internal Server Error", "text/plain");
            return true;
        case Fault::SoapFault:
            res.status = 500;
            res.set_content(WriteFault("soap:Server", "the project server failed on purpose"), kXmlType);
            return true;
        case Fault::CloseConnection:
            res.status = 200;
            res.set_content_provider(size + 100, kXmlType, [](size_t, size_t, httplib::DataSink&) { return false; });
            return true;
        case Fault::Garbage:
            res.status = 200;
            res.set_content("garbage \x01\x02 this is not XML <<<", kXmlType);
            return true;
        case Fault::Truncated: {
            std::string body = whole();
            res.status = 200;
            res.set_content(body.substr(0, body.size() / 2), kXmlType);
            return true;
        }
        case Fault::Stall: {
            std::unique_lock<std::mutex> lock(testMutex);
            int ms = std::min(stallMs, kMaxStallMs);
            stopped.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping; });
            return false;
        }
        default:
            return false;
        }
    }

    static void SendWhole(std::string body, httplib::Response& res)
    {
        res.status = 200;
        // As set_content does, without copying a large reply.
        auto types = res.headers.equal_range("Content-Type");
        res.headers.erase(types.first, types.second);
        res.body = std::move(body);
        res.set_header("Content-Type", kXmlType);
    }

    // Answers `body` unless a test fault says otherwise.
    void Respond(const FaultRule* rule, std::string body, httplib::Response& res)
    {
        if (!AnswerFault(rule, body.size(), [&body] { return body; }, res))
            SendWhole(std::move(body), res);
    }

    // Answers an operation's results unless a test fault says otherwise. A reply larger
    // than a piece is written as it goes out, escaped a piece at a time straight into the
    // connection, instead of being built whole first; the bytes are the same. Requests
    // that accept a compressed answer (br or gzip) or ask for a part of it get the whole
    // text, which the HTTP layer compresses or cuts as before.
    void RespondOperation(const FaultRule* rule, const httplib::Request& req, const std::string& operation,
                          std::vector<SoapArg> results, httplib::Response& res)
    {
        const size_t size = ResponseSize(operation, results);
        if (AnswerFault(rule, size, [&] { return WriteResponse(operation, results); }, res))
            return;
        const std::string encodings = req.get_header_value("Accept-Encoding");
        if (size <= kReplyPiece || encodings.find("br") != std::string::npos ||
            encodings.find("gzip") != std::string::npos || req.has_header("Range"))
            return SendWhole(WriteResponse(operation, results), res);
        auto reply = std::make_shared<std::pair<std::string, std::vector<SoapArg>>>(operation, std::move(results));
        res.status = 200;
        auto types = res.headers.equal_range("Content-Type");
        res.headers.erase(types.first, types.second);
        res.set_content_provider(size, kXmlType, [reply](size_t offset, size_t, httplib::DataSink& sink) {
            // All of it in the first call; a second one would mean bytes went missing.
            return offset == 0 && WriteResponse(reply->first, reply->second, [&sink](const char* data, size_t n) {
                       return sink.write(data, n);
                   });
        });
    }

    std::string EndpointFor(const httplib::Request& req) const
    {
        if (req.target.compare(0, 7, "http://") == 0) {
            size_t slash = req.target.find('/', 7);
            return req.target.substr(0, slash) + Path("OrveskService");
        }
        return "http://" + options.address + ":" + std::to_string(port) + Path("OrveskService");
    }

    void OnDescription(const httplib::Request& req, httplib::Response& res)
    {
        Record(req, "WSDL");
        FaultRule rule;
        bool faulty = TakeFault("WSDL", rule);
        Respond(faulty ? &rule : nullptr, WriteServiceDescription(EndpointFor(req)), res);
    }

    void ClientFault(httplib::Response& res, const std::string& reason)
    {
        res.status = 500;
        res.set_content(WriteFault("soap:Client", reason), kXmlType);
    }

    void OnOperation(const httplib::Request& req, httplib::Response& res)
    {
        SoapRequest request;
        std::string error;
        bool parsed = ReadRequest(req.body, request, error);
        Record(req, parsed ? request.operation : std::string());
        if (!parsed)
            return ClientFault(res, error);
        std::string action = req.get_header_value("SOAPAction");
        std::string expected = std::string(kServiceNamespace) + "/" + request.operation;
        if (action != "\"" + expected + "\"" && action != expected)
            return ClientFault(res, "the SOAPAction header \"" + action + "\" does not name " + request.operation);
        const OperationSpec* operation = FindServiceOperation(request.operation);
        if (!operation)
            return ClientFault(res, "unknown operation " + request.operation);

        FaultRule rule;
        bool faulty = TakeFault(request.operation, rule);
        std::vector<SoapArg> results;
        if (faulty && rule.fault == Fault::Refuse) {
            for (int i = 0; i < operation->resultCount; ++i) {
                std::string name = operation->results[i];
                if (name == "Result")
                    results.push_back({name, std::to_string(rule.result)});
                else if (name == "ProjectId" || name == "TaskId")
                    results.push_back({name, "-1"});
                else
                    results.push_back({name, rule.text});
            }
        } else {
            CallContext context = ContextOf(req);
            CServerCore::Outcome outcome = core.Execute(request, context, results, error);
            if (outcome == CServerCore::Unauthorized)
                return RefuseUnauthorized(res, true);
            ApplyContext(context, res);
            if (outcome == CServerCore::BadRequest)
                return ClientFault(res, error);
            if (outcome == CServerCore::StoreFailed) {
                res.status = 500;
                res.set_content(WriteFault("soap:Server", error), kXmlType);
                return;
            }
        }
        RespondOperation(faulty ? &rule : nullptr, req, request.operation, std::move(results), res);
    }

    void OnDownload(const httplib::Request& req, httplib::Response& res)
    {
        Record(req, "Download");
        CallContext context = ContextOf(req);
        if (!core.CheckSession(context))
            return RefuseUnauthorized(res, false);
        ServePdmFile(options.pdmStorePath, req, res);
    }

    // The product-data answers of the browser's components.
    void ServePdm(const std::string& pattern, void (*serve)(const std::string&, const httplib::Request&,
                                                             httplib::Response&),
                  bool post)
    {
        auto handler = [this, serve](const httplib::Request& req, httplib::Response& res) {
            Record(req, "Pdm");
            CallContext context = ContextOf(req);
            if (!core.CheckSession(context))
                return RefuseUnauthorized(res, false);
            serve(options.pdmStorePath, req, res);
        };
        if (post)
            http.Post(pattern, handler);
        else
            http.Get(pattern, handler);
    }
};

CProjectServer::CProjectServer(const ServerOptions& options) : m_impl(new Impl)
{
    m_impl->options = options;
    m_impl->site = SafeSite(options.site);
}

CProjectServer::~CProjectServer()
{
    Stop();
}

bool CProjectServer::Open(std::string& error)
{
    Impl& d = *m_impl;
    if (!d.core.IsOpen()) {
        if (d.options.databasePath.empty()) {
            error = "no database file is given";
            return false;
        }
        bool created = false;
        if (!d.core.Open(d.options.databasePath, created, error))
            return false;
        if (created && d.options.demoData && !AddDemoData(*this, error))
            return false;
        if (d.options.demoData && !d.options.pdmStorePath.empty() && !MakeDemoPdmStore(d.options.pdmStorePath, error))
            return false;
    }
    return true;
}

bool CProjectServer::Start(std::string& error)
{
    Impl& d = *m_impl;
    if (d.thread.joinable())
        return true;
    if (!Open(error))
        return false;
    // Absolute-form targets (as sent to a proxy) lead with the scheme and host.
    std::string prefix = "(?:http://[^/]+)?";
    d.http.Get(prefix + d.Path("OrveskService\\.WSDL"),
               [&d](const httplib::Request& req, httplib::Response& res) { d.OnDescription(req, res); });
    d.http.Post(prefix + d.Path("OrveskService"),
                [&d](const httplib::Request& req, httplib::Response& res) { d.OnOperation(req, res); });
    d.http.Post(prefix + d.Path("Logout"), [&d](const httplib::Request& req, httplib::Response& res) {
        d.Record(req, "Logout");
        CallContext context = ContextOf(req);
        d.core.EndSession(context);
        ApplyContext(context, res);
        res.status = 204;
    });
    d.http.Get(prefix + "/pdm/GetPdmFile\\.asp",
               [&d](const httplib::Request& req, httplib::Response& res) { d.OnDownload(req, res); });
    d.ServePdm(prefix + "/pdm/Nodes\\.asp", &ServePdmNodes, false);
    d.ServePdm(prefix + "/pdm/Documents\\.asp", &ServePdmDocuments, false);
    d.ServePdm(prefix + "/pdm/Classes\\.asp", &ServePdmClasses, false);
    d.ServePdm(prefix + "/pdm/Store\\.asp", &ServePdmStoreReady, false);
    d.ServePdm(prefix + "/pdm/AddDocument\\.asp", &ServePdmAddDocument, true);
    int threads = std::max(1, d.options.threads);
    d.http.new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<size_t>(threads)); };
    d.http.set_keep_alive_timeout(5);
    d.http.set_read_timeout(10, 0);
    d.http.set_write_timeout(10, 0);
    d.http.set_payload_max_length(d.options.maxBodyBytes);
    d.port = d.options.port > 0 ? (d.http.bind_to_port(d.options.address.c_str(), d.options.port) ? d.options.port : -1)
                                : d.http.bind_to_any_port(d.options.address.c_str());
    if (d.port <= 0) {
        error = "cannot listen on " + d.options.address + ":" + std::to_string(d.options.port);
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(d.testMutex);
        d.stopping = false;
    }
    d.thread = std::thread([&d] { d.http.listen_after_bind(); });
    d.WaitUntilRunning();
    if (!d.http.is_running()) {
        error = "the server did not start";
        return false;
    }
    return true;
}

void CProjectServer::Stop()
{
    Impl& d = *m_impl;
    {
        std::lock_guard<std::mutex> lock(d.testMutex);
        d.stopping = true;
    }
    d.stopped.notify_all();
    if (d.thread.joinable()) {
        d.WaitUntilRunning();
        d.http.stop();
        d.thread.join();
    }
}

bool CProjectServer::IsRunning() const
{
    return m_impl->http.is_running();
}

int CProjectServer::Port() const
{
    return m_impl->port;
}

const std::string& CProjectServer::Site() const
{
    return m_impl->site;
}

std::string CProjectServer::ServiceUrl() const
{
    return "http://" + m_impl->options.address + ":" + std::to_string(m_impl->port) +
           m_impl->Path("OrveskService.WSDL");
}

std::string CProjectServer::EndpointUrl() const
{
    return "http://" + m_impl->options.address + ":" + std::to_string(m_impl->port) + m_impl->Path("OrveskService");
}

std::string CProjectServer::TargetNamespace()
{
    return kServiceNamespace;
}

// --- data

bool CProjectServer::AddUser(const std::string& code, const std::string& cipheredPassword, const std::string& reply)
{
    return m_impl->core.AddUser(code, cipheredPassword, reply);
}

long CProjectServer::AddProject(const std::string& projectXml) { return m_impl->core.AddProject(projectXml); }

bool CProjectServer::GetProject(long id, std::string& xml) { return m_impl->core.GetProject(id, xml); }

long CProjectServer::ProjectCount() { return m_impl->core.ProjectCount(); }

bool CProjectServer::SetCalendar(long id, const std::string& xml) { return m_impl->core.SetCalendar(id, xml); }

bool CProjectServer::GetCalendar(long id, std::string& xml) { return m_impl->core.GetCalendar(id, xml); }

bool CProjectServer::SetPermissions(long id, const std::string& xml) { return m_impl->core.SetPermissions(id, xml); }

bool CProjectServer::GetPermissions(long id, std::string& xml) { return m_impl->core.GetPermissions(id, xml); }

bool CProjectServer::SetResources(const std::string& xml) { return m_impl->core.SetResources(xml); }

bool CProjectServer::SetNextIds(long projectId, long taskId) { return m_impl->core.SetNextIds(projectId, taskId); }

// --- test switches

void CProjectServer::SetTestFault(const std::string& operation, Fault fault, int times, long result,
                                  const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_impl->testMutex);
    m_impl->faults.push_back(FaultRule{operation, fault, times, result, text});
}

void CProjectServer::ClearTestFaults()
{
    std::lock_guard<std::mutex> lock(m_impl->testMutex);
    m_impl->faults.clear();
}

void CProjectServer::SetTestStallMilliseconds(int milliseconds)
{
    std::lock_guard<std::mutex> lock(m_impl->testMutex);
    m_impl->stallMs = std::max(0, std::min(milliseconds, kMaxStallMs));
}

void CProjectServer::SetTestLoginServerError(bool serverError)
{
    m_impl->core.SetTestLoginServerError(serverError);
}

void CProjectServer::SetTestRecordRequests(bool record)
{
    std::lock_guard<std::mutex> lock(m_impl->testMutex);
    m_impl->record = record;
}

std::vector<CProjectServer::Request> CProjectServer::TestRequests() const
{
    std::lock_guard<std::mutex> lock(m_impl->testMutex);
    return m_impl->requests;
}

void CProjectServer::ClearTestRequests()
{
    std::lock_guard<std::mutex> lock(m_impl->testMutex);
    m_impl->requests.clear();
}

}  // namespace projectserver
