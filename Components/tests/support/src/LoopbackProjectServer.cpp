// The loopback project server: HTTP on cpp-httplib, faults, and the record of requests.
#include <ProjectServiceLoopback/LoopbackProjectServer.h>

#include "ProjectStore.h"

#include <ProjectService/ServiceDescription.h>
#include <ProjectService/SoapEnvelope.h>
#include <ProjectService/SoapProtocol.h>

#include <ClassLib/Core/Conversion.h>

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

const char* const kNamespace = "urn:orvesk:project-service";
const int kMaxStallMs = 5000;

std::string U8(const CString& s) { return Utf8FromCString(s); }

struct FaultRule {
    std::string operation;
    CLoopbackProjectServer::Fault fault;
    int times;
    LONG result;
    std::string text;
};

std::string SafeSite(const std::string& site)
{
    std::string out;
    for (char c : site) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-')
            out += c;
    }
    return out.empty() ? std::string("site") : out;
}

} // namespace

struct CLoopbackProjectServer::Impl {
    std::string site;
    httplib::Server http;
    std::thread thread;
    int port = -1;

    mutable std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
    loopback::ProjectStore store;
    std::vector<FaultRule> faults;
    int stallMs = 3000;
    std::vector<Request> requests;

    // Until the thread runs its loop, stop() would not reach it (bounded wait).
    void WaitUntilRunning()
    {
        for (int i = 0; i < 5000 && !http.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    std::string Path(const char* leaf) const { return "/" + site + "/WebService/" + leaf; }

    // The fault for this request, if any (consumes one of its times).
    bool TakeFault(const std::string& operation, FaultRule& rule)
    {
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

    void Stall(std::unique_lock<std::mutex>& lock)
    {
        int ms = std::min(stallMs, kMaxStallMs);
        stopped.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping; });
    }

    // Answers `body` unless a fault says otherwise; called with the lock held.
    void Respond(std::unique_lock<std::mutex>& lock, const FaultRule* rule, const std::string& body,
                 const char* contentType, httplib::Response& res)
    {
        Fault fault = rule ? rule->fault : Fault::None;
        switch (fault) {
        case Fault::Http500:
            res.status = 500;
            res.set_content("Internal Server Error", "text/plain");
            return;
        case Fault::SoapFault:
            res.status = 500;
            res.set_content(projectsoap::BuildFault("soap:Server", "the project server failed on purpose"),
                            "text/xml; charset=utf-8");
            return;
        case Fault::CloseConnection:
            res.status = 200;
            res.set_content_provider(
                body.size() + 100, "text/xml; charset=utf-8",
                [](size_t, size_t, httplib::DataSink&) { return false; });
            return;
        case Fault::Garbage:
            res.status = 200;
            res.set_content("garbage \x01\x02 this is not XML <<<", "text/xml; charset=utf-8");
            return;
        case Fault::Truncated:
            res.status = 200;
            res.set_content(body.substr(0, body.size() / 2), "text/xml; charset=utf-8");
            return;
        case Fault::Stall:
            Stall(lock);
            break;
        default: break;
        }
        res.status = 200;
        res.set_content(body, contentType);
    }

    void Record(const httplib::Request& req, const std::string& operation)
    {
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

    std::string EndpointFor(const httplib::Request& req) const
    {
        if (req.target.compare(0, 7, "http://") == 0) {
            size_t slash = req.target.find('/', 7);
            return req.target.substr(0, slash) + Path("OrveskService");
        }
        return "http://127.0.0.1:" + std::to_string(port) + Path("OrveskService");
    }

    void OnDescription(const httplib::Request& req, httplib::Response& res)
    {
        std::unique_lock<std::mutex> lock(mutex);
        Record(req, "WSDL");
        FaultRule rule;
        bool faulty = TakeFault("WSDL", rule);
        std::string wsdl = projectsoap::BuildServiceDescription(kNamespace, EndpointFor(req));
        Respond(lock, faulty ? &rule : nullptr, wsdl, "text/xml; charset=utf-8", res);
    }

    void Fail(httplib::Response& res, const char* code, const std::string& reason)
    {
        res.status = 500;
        res.set_content(projectsoap::BuildFault(code, reason), "text/xml; charset=utf-8");
    }

    void OnOperation(const httplib::Request& req, httplib::Response& res)
    {
        std::unique_lock<std::mutex> lock(mutex);
        projectsoap::SoapMessage message;
        std::string error;
        bool parsed = projectsoap::ParseEnvelope(req.body, message, error);
        Record(req, parsed ? message.name : std::string());
        if (!parsed)
            return Fail(res, "soap:Client", error);
        if (message.isFault || message.ns != kNamespace)
            return Fail(res, "soap:Client", "the request is not an operation of " + std::string(kNamespace));
        std::string action = req.get_header_value("SOAPAction");
        std::string expected = "\"" + std::string(kNamespace) + "/" + message.name + "\"";
        if (action != expected && action != expected.substr(1, expected.size() - 2))
            return Fail(res, "soap:Client", "SOAPAction " + action + " does not name " + message.name);

        FaultRule rule;
        bool faulty = TakeFault(message.name, rule);
        projectsoap::SoapValues results;
        if (faulty && rule.fault == Fault::Refuse) {
            const projectsoap::OperationInfo* info = projectsoap::FindOperation(message.name.c_str());
            if (!info)
                return Fail(res, "soap:Client", "unknown operation " + message.name);
            for (int i = 0; i < info->resultCount; ++i) {
                std::string name = info->results[i];
                if (name == projectsoap::kResultName)
                    results.push_back({name, std::to_string(rule.result)});
                else if (name == "ProjectId" || name == "TaskId")
                    results.push_back({name, "-1"});
                else
                    results.push_back({name, rule.text});
            }
        } else if (!store.Execute(message, results, error)) {
            return Fail(res, "soap:Client", error);
        }
        std::string body = projectsoap::BuildEnvelope(kNamespace, message.name + "Response", results);
        Respond(lock, faulty ? &rule : nullptr, body, "text/xml; charset=utf-8", res);
    }
};

CLoopbackProjectServer::CLoopbackProjectServer(const std::string& site) : m_impl(new Impl)
{
    m_impl->site = SafeSite(site);
}

CLoopbackProjectServer::~CLoopbackProjectServer() { Stop(); }

bool CLoopbackProjectServer::Start()
{
    Impl& d = *m_impl;
    if (d.thread.joinable())
        return true;
    // Absolute-form targets (as sent to a proxy) lead with the scheme and host.
    std::string prefix = "(?:http://[^/]+)?";
    std::string wsdl = prefix + d.Path("OrveskService\\.WSDL");
    std::string endpoint = prefix + d.Path("OrveskService");
    d.http.Get(wsdl, [&d](const httplib::Request& req, httplib::Response& res) { d.OnDescription(req, res); });
    d.http.Post(endpoint, [&d](const httplib::Request& req, httplib::Response& res) { d.OnOperation(req, res); });
    d.http.set_keep_alive_timeout(1);
    d.http.set_read_timeout(5, 0);
    d.http.set_write_timeout(5, 0);
    d.http.set_payload_max_length(256u * 1024u * 1024u);
    d.port = d.http.bind_to_any_port("127.0.0.1");
    if (d.port <= 0)
        return false;
    {
        std::lock_guard<std::mutex> lock(d.mutex);
        d.stopping = false;
    }
    d.thread = std::thread([&d] { d.http.listen_after_bind(); });
    d.WaitUntilRunning();
    return d.http.is_running();
}

void CLoopbackProjectServer::Stop()
{
    Impl& d = *m_impl;
    {
        std::lock_guard<std::mutex> lock(d.mutex);
        d.stopping = true;
    }
    d.stopped.notify_all();
    if (d.thread.joinable()) {
        d.WaitUntilRunning();
        d.http.stop();
        d.thread.join();
    }
}

int CLoopbackProjectServer::Port() const { return m_impl->port; }

CString CLoopbackProjectServer::ServiceUrl() const
{
    return CString(("http://127.0.0.1:" + std::to_string(m_impl->port) + m_impl->Path("OrveskService.WSDL")).c_str());
}

std::string CLoopbackProjectServer::EndpointUrl() const
{
    return "http://127.0.0.1:" + std::to_string(m_impl->port) + m_impl->Path("OrveskService");
}

std::string CLoopbackProjectServer::TargetNamespace() const { return kNamespace; }

void CLoopbackProjectServer::AddUser(const CString& userCode, const CString& cipheredPassword, const CString& reply)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->store.users[U8(userCode)] = loopback::ProjectStore::User{U8(cipheredPassword), U8(reply)};
}

void CLoopbackProjectServer::SetLoginServerError(bool serverError)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->store.loginServerError = serverError;
}

LONG CLoopbackProjectServer::AddProject(const CString& projectXml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    std::string error;
    long id = m_impl->store.nextProjectId;
    if (!m_impl->store.PutProject(id, U8(projectXml), error))
        return -1;
    m_impl->store.nextProjectId++;
    return (LONG)id;
}

namespace {

bool Lookup(const std::map<long, std::string>& m, LONG id, CString& xml)
{
    auto it = m.find(id);
    if (it == m.end()) {
        xml.Empty();
        return false;
    }
    xml = CStringFromUtf8(it->second);
    return true;
}

} // namespace

bool CLoopbackProjectServer::GetProject(LONG id, CString& xml) const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return Lookup(m_impl->store.projects, id, xml);
}

int CLoopbackProjectServer::ProjectCount() const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return (int)m_impl->store.projects.size();
}

void CLoopbackProjectServer::SetCalendar(LONG id, const CString& xml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->store.calendars[id] = U8(xml);
}

bool CLoopbackProjectServer::GetCalendar(LONG id, CString& xml) const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return Lookup(m_impl->store.calendars, id, xml);
}

void CLoopbackProjectServer::SetPermissions(LONG id, const CString& xml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->store.permissions[id] = U8(xml);
}

bool CLoopbackProjectServer::GetPermissions(LONG id, CString& xml) const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return Lookup(m_impl->store.permissions, id, xml);
}

void CLoopbackProjectServer::SetResources(const CString& xml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->store.resources = U8(xml);
}

void CLoopbackProjectServer::SetNextIds(LONG projectId, LONG taskId)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->store.nextProjectId = projectId;
    m_impl->store.nextTaskId = taskId;
}

void CLoopbackProjectServer::SetFault(const std::string& operation, Fault fault, int times, LONG result,
                                      const CString& text)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->faults.push_back(FaultRule{operation, fault, times, result, U8(text)});
}

void CLoopbackProjectServer::ClearFaults()
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->faults.clear();
}

void CLoopbackProjectServer::SetStallMilliseconds(int milliseconds)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->stallMs = std::max(0, std::min(milliseconds, kMaxStallMs));
}

std::vector<CLoopbackProjectServer::Request> CLoopbackProjectServer::Requests() const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->requests;
}

std::vector<std::string> CLoopbackProjectServer::OperationNames() const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    std::vector<std::string> names;
    for (const Request& r : m_impl->requests)
        names.push_back(r.operation);
    return names;
}

void CLoopbackProjectServer::ClearRequests()
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->requests.clear();
}
