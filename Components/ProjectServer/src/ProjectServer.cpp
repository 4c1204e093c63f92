// The project server: its routes on the HTTP transport (HttpDaemon.h), the call context
// between HTTP and the core, and the test switches.
#include <ProjectServer/ProjectServer.h>

#include "HttpCallContext.h"
#include "HttpDaemon.h"
#include "PdmDownload.h"
#include "PdmService.h"
#include "ServerCore.h"
#include "ServerSoap.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>

namespace projectserver {

namespace {

const int kMaxStallMs = 5000;
const char* const kXmlType = "text/xml; charset=utf-8";
const size_t kMaxPemBytes = 1024 * 1024;

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

// A PEM file of the TLS pair; false with a reason.
bool ReadPem(const std::string& path, const char* what, std::string& text, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    if (in)
        all << in.rdbuf();
    if (!in || all.str().empty()) {
        error = std::string("cannot read the TLS ") + what + " file " + path;
        return false;
    }
    text = all.str();
    if (text.size() > kMaxPemBytes || text.find("-----BEGIN ") == std::string::npos) {
        error = std::string("the TLS ") + what + " file " + path + " is not in PEM form";
        return false;
    }
    return true;
}

}  // namespace

struct CProjectServer::Impl {
    ServerOptions options;
    std::string site;
    CHttpDaemon http;

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

    std::string Origin() const
    {
        return std::string(http.Secure() ? "https://" : "http://") + options.address + ":" + std::to_string(http.Port());
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

    void Record(const HttpRequest& req, const std::string& operation)
    {
        std::lock_guard<std::mutex> lock(testMutex);
        if (!record)
            return;
        Request r;
        r.method = req.method;
        r.target = req.target;
        r.absoluteForm = !req.origin.empty();
        r.soapAction = req.Header("SOAPAction");
        r.contentType = req.Header("Content-Type");
        r.operation = operation;
        r.body = req.body;
        requests.push_back(std::move(r));
    }

    // Answers a test fault in place of a reply of `size` bytes that `whole` writes; false
    // when the reply is to go out after all (no fault, or a stall that is over).
    bool AnswerFault(const FaultRule* rule, size_t size, const std::function<std::string()>& whole,
                     HttpResponse& res)
    {
        Fault fault = rule ? rule->fault : Fault::None;
        switch (fault) {
        case Fault::Http500:
            res.status = 500;
            res.SetContent("Internal Server Error", "text/plain");
            return true;
        case Fault::SoapFault:
            res.status = 500;
            res.SetContent(WriteFault("soap:Server", "the project server failed on purpose"), kXmlType);
            return true;
        case Fault::CloseConnection:
            res.status = 200;
            res.contentType = kXmlType;
            res.breakOff = true;
            res.length = size + 100;
            return true;
        case Fault::Garbage:
            res.status = 200;
            res.SetContent("garbage \x01\x02 this is not XML <<<", kXmlType);
            return true;
        case Fault::Truncated: {
            std::string body = whole();
            res.status = 200;
            res.SetContent(body.substr(0, body.size() / 2), kXmlType);
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

    // Answers `body` unless a test fault says otherwise.
    void Respond(const FaultRule* rule, std::string body, HttpResponse& res)
    {
        if (!AnswerFault(rule, body.size(), [&body] { return body; }, res)) {
            res.status = 200;
            res.SetContent(std::move(body), kXmlType);
        }
    }

    // Answers an operation's results unless a test fault says otherwise.
    void RespondOperation(const FaultRule* rule, const std::string& operation, const std::vector<SoapArg>& results,
                          HttpResponse& res)
    {
        // The size is only needed for a fault that announces the reply without sending it.
        const size_t size = rule ? ResponseSize(operation, results) : 0;
        if (AnswerFault(rule, size, [&] { return WriteResponse(operation, results); }, res))
            return;
        res.status = 200;
        res.SetContent(WriteResponse(operation, results), kXmlType);
    }

    std::string EndpointFor(const HttpRequest& req) const
    {
        return RequestOrigin(req, options.address, http.Port()) + Path("OrveskService");
    }

    void OnDescription(const HttpRequest& req, HttpResponse& res)
    {
        Record(req, "WSDL");
        FaultRule rule;
        bool faulty = TakeFault("WSDL", rule);
        Respond(faulty ? &rule : nullptr, WriteServiceDescription(EndpointFor(req)), res);
    }

    void ClientFault(HttpResponse& res, const std::string& reason)
    {
        res.status = 500;
        res.SetContent(WriteFault("soap:Client", reason), kXmlType);
    }

    void OnOperation(const HttpRequest& req, HttpResponse& res)
    {
        SoapRequest request;
        std::string error;
        bool parsed = ReadRequest(req.body, req.Header("Content-Type"), request, error);
        Record(req, parsed ? request.operation : std::string());
        if (!parsed)
            return ClientFault(res, error);
        std::string action = req.Header("SOAPAction");
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
            ApplyContext(context, req.secure, res);
            if (outcome == CServerCore::BadRequest)
                return ClientFault(res, WithoutPaths(error, {options.databasePath, options.pdmStorePath}));
            if (outcome == CServerCore::StoreFailed) {
                res.status = 500;
                res.SetContent(WriteFault("soap:Server", WithoutPaths(error, {options.databasePath, options.pdmStorePath})),
                               kXmlType);
                return;
            }
        }
        RespondOperation(faulty ? &rule : nullptr, request.operation, results, res);
    }

    void OnLogout(const HttpRequest& req, HttpResponse& res)
    {
        Record(req, "Logout");
        CallContext context = ContextOf(req);
        core.EndSession(context);
        context.endSession = true;
        ApplyContext(context, req.secure, res);
        res.status = 204;
    }

    // The product-data answers and downloads: each needs a live session.
    void OnPdm(const HttpRequest& req, HttpResponse& res, const char* what,
               void (*serve)(const std::string&, const HttpRequest&, HttpResponse&))
    {
        Record(req, what);
        CallContext context = ContextOf(req);
        if (!core.CheckSession(context))
            return RefuseUnauthorized(res, false);
        serve(options.pdmStorePath, req, res);
    }

    void Route(const HttpRequest& req, HttpResponse& res)
    {
        const bool get = req.method == "GET" || req.method == "HEAD";
        const bool post = req.method == "POST";
        const std::string& path = req.path;
        if (get && path == Path("OrveskService.WSDL"))
            return OnDescription(req, res);
        if (post && path == Path("OrveskService"))
            return OnOperation(req, res);
        if (post && path == Path("Logout"))
            return OnLogout(req, res);
        struct PdmRoute {
            const char* path;
            bool post;
            const char* what;
            void (*serve)(const std::string&, const HttpRequest&, HttpResponse&);
        };
        static const PdmRoute routes[] = {
            {"/pdm/GetPdmFile.asp", false, "Download", &ServePdmFile},
            {"/pdm/Nodes.asp", false, "Pdm", &ServePdmNodes},
            {"/pdm/Documents.asp", false, "Pdm", &ServePdmDocuments},
            {"/pdm/Classes.asp", false, "Pdm", &ServePdmClasses},
            {"/pdm/Store.asp", false, "Pdm", &ServePdmStoreReady},
            {"/pdm/AddDocument.asp", true, "Pdm", &ServePdmAddDocument},
        };
        for (const PdmRoute& route : routes)
            if (path == route.path && (route.post ? post : get))
                return OnPdm(req, res, route.what, route.serve);
        res.status = 404;
        res.SetContent("not found\n", "text/plain; charset=utf-8");
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
    if (d.http.IsRunning())
        return true;
    if (!Open(error))
        return false;
    std::string certificate, key;
    if (!d.options.tlsCertFile.empty() || !d.options.tlsKeyFile.empty()) {
        if (d.options.tlsCertFile.empty() || d.options.tlsKeyFile.empty()) {
            error = "HTTPS needs both a TLS certificate file and its key file";
            return false;
        }
        if (!ReadPem(d.options.tlsCertFile, "certificate", certificate, error) ||
            !ReadPem(d.options.tlsKeyFile, "key", key, error))
            return false;
    }
    {
        std::lock_guard<std::mutex> lock(d.testMutex);
        d.stopping = false;
    }
    HttpLimits limits;
    limits.maxBodyBytes = d.options.maxBodyBytes;
    limits.workers = std::max(1, d.options.threads);
    return d.http.Start(d.options.address, d.options.port, limits, certificate, key,
                        [&d](const HttpRequest& req, HttpResponse& res) { d.Route(req, res); }, error);
}

void CProjectServer::Stop()
{
    Impl& d = *m_impl;
    {
        std::lock_guard<std::mutex> lock(d.testMutex);
        d.stopping = true;
    }
    d.stopped.notify_all();
    d.http.Stop();
}

bool CProjectServer::IsRunning() const
{
    return m_impl->http.IsRunning();
}

int CProjectServer::Port() const
{
    return m_impl->http.Port();
}

const std::string& CProjectServer::Site() const
{
    return m_impl->site;
}

std::string CProjectServer::ServiceUrl() const
{
    return m_impl->Origin() + m_impl->Path("OrveskService.WSDL");
}

std::string CProjectServer::EndpointUrl() const
{
    return m_impl->Origin() + m_impl->Path("OrveskService");
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
