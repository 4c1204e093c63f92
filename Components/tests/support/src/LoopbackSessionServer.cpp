// The session-keeping loopback server on cpp-httplib, with the project service's own
// envelope and description code.
#include <ProjectServiceLoopback/LoopbackSessionServer.h>

#include <ProjectService/ServiceDescription.h>
#include <ProjectService/SoapEnvelope.h>
#include <ProjectService/SoapProtocol.h>

#include <httplib.h>
#include <pugixml.hpp>

#include <chrono>
#include <cstdlib>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

namespace {

const char kNamespace[] = "http://loopback.test/OrveskService";
const char kNeedSession[] = "a session is needed: log in first";

struct Project {
    std::string text;
    long revision = 1;
};

std::string Arg(const projectsoap::SoapMessage& m, const char* name)
{
    const std::string* v = m.Find(name);
    return v ? *v : std::string();
}

long Number(const std::string& text)
{
    return std::strtol(text.c_str(), nullptr, 10);
}

std::string NewToken()
{
    std::random_device random;
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 4; ++i) {
        unsigned value = random();
        for (int j = 0; j < 8; ++j, value >>= 4)
            token += digits[value & 15];
    }
    return token;
}

// The session cookie's value in a Cookie header, "" when there is none.
std::string SessionToken(const std::string& cookieHeader)
{
    size_t pos = 0;
    while (pos < cookieHeader.size()) {
        size_t end = cookieHeader.find(';', pos);
        if (end == std::string::npos)
            end = cookieHeader.size();
        std::string pair = cookieHeader.substr(pos, end - pos);
        pair.erase(0, pair.find_first_not_of(' '));
        if (pair.compare(0, 10, "PCSESSION=") == 0)
            return pair.substr(10);
        pos = end + 1;
    }
    return std::string();
}

std::string Unquoted(const std::string& value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

struct CLoopbackSessionServer::Impl {
    std::string site;
    std::unique_ptr<httplib::Server> http;
    std::thread thread;
    int port = 0;
    bool tls = false;

    mutable std::mutex lock;
    struct User {
        std::string password, reply;
    };
    std::map<std::string, User> users;
    std::set<std::string> sessions;
    std::map<long, Project> projects;
    long nextId = 1;
    long nextTaskId = 1000;
    std::vector<Request> requests;
    std::map<std::string, std::pair<std::string, std::string>> files;  // body, content type

    std::string Origin() const { return std::string(tls ? "https" : "http") + "://127.0.0.1:" + std::to_string(port); }
    std::string Base() const { return "/" + site + "/WebService/"; }

    void Record(const httplib::Request& req, const std::string& operation, int status)
    {
        Request r;
        r.method = req.method;
        r.path = req.path;
        r.operation = operation;
        r.cookie = req.get_header_value("Cookie");
        r.ifMatch = req.get_header_value("If-Match");
        r.status = status;
        std::lock_guard<std::mutex> g(lock);
        requests.push_back(r);
    }

    bool LiveSession(const httplib::Request& req)
    {
        const std::string token = SessionToken(req.get_header_value("Cookie"));
        std::lock_guard<std::mutex> g(lock);
        return !token.empty() && sessions.count(token) != 0;
    }

    static void Answer(httplib::Response& res, const std::string& operation, const projectsoap::SoapValues& values)
    {
        res.status = 200;
        res.set_content(projectsoap::BuildEnvelope(kNamespace, operation + "Response", values), "text/xml; charset=utf-8");
    }

    // Whether the request names the project's current revision (the lock is held).
    static bool Matches(const httplib::Request& req, const Project& p)
    {
        return req.has_header("If-Match") && Unquoted(req.get_header_value("If-Match")) == std::to_string(p.revision);
    }

    static void SetRevision(httplib::Response& res, long revision)
    {
        res.set_header("ETag", "\"" + std::to_string(revision) + "\"");
    }

    void Operation(const httplib::Request& req, httplib::Response& res)
    {
        projectsoap::SoapMessage m;
        std::string error;
        if (!projectsoap::ParseEnvelope(req.body, m, error)) {
            res.status = 500;
            res.set_content(projectsoap::BuildFault("soap:Client", error), "text/xml; charset=utf-8");
            Record(req, "", res.status);
            return;
        }
        const std::string op = m.name;
        if (op != "Login" && !LiveSession(req)) {
            res.status = 401;
            res.set_header("WWW-Authenticate", "Session");
            res.set_content(projectsoap::BuildFault("soap:Client", kNeedSession), "text/xml; charset=utf-8");
            Record(req, op, res.status);
            return;
        }
        {
            std::lock_guard<std::mutex> g(lock);
            if (op == "Login") {
                auto it = users.find(Arg(m, "userCode"));
                const bool ok = it != users.end() && it->second.password == Arg(m, "password");
                if (ok) {
                    const std::string token = NewToken();
                    sessions.insert(token);
                    res.set_header("Set-Cookie", "PCSESSION=" + token + "; Path=/; HttpOnly; SameSite=Strict" +
                                                     (tls ? "; Secure" : ""));
                }
                Answer(res, op, {{"Reply", ok ? it->second.reply : std::string()}});
            } else if (op == "GetProjectData") {
                auto it = projects.find(Number(Arg(m, "projectId")));
                if (it == projects.end()) {
                    Answer(res, op, {{"Result", "1"}, {"ProjectData", ""}});
                } else {
                    SetRevision(res, it->second.revision);
                    Answer(res, op, {{"Result", "0"}, {"ProjectData", it->second.text}});
                }
            } else if (op == "NewProject") {
                const long id = nextId++;
                projects[id] = Project{Arg(m, "projectData"), 1};
                SetRevision(res, 1);
                Answer(res, op, {{"Result", "0"}, {"ProjectId", std::to_string(id)}});
            } else if (op == "SaveProject") {
                const long id = Number(Arg(m, "projectId"));
                if (id == 0) {
                    const long newId = nextId++;
                    projects[newId] = Project{Arg(m, "projectData"), 1};
                    SetRevision(res, 1);
                    Answer(res, op, {{"Result", "0"},
                                     {"Reply", "<TASKIDS><TASKID><ID>" + std::to_string(newId) +
                                                   "</ID><ROW>0</ROW><ISSUBPROJ>0</ISSUBPROJ><SUBPROJID>0</SUBPROJID>"
                                                   "</TASKID></TASKIDS>"}});
                } else {
                    auto it = projects.find(id);
                    if (it == projects.end()) {
                        Answer(res, op, {{"Result", "1"}, {"Reply", "no such project"}});
                    } else if (!Matches(req, it->second)) {
                        Answer(res, op, {{"Result", "1"}, {"Reply", StaleSaveText()}});
                    } else {
                        it->second.text = Arg(m, "projectData");
                        SetRevision(res, ++it->second.revision);
                        Answer(res, op, {{"Result", "0"}, {"Reply", "<TASKIDS></TASKIDS>"}});
                    }
                }
            } else if (op == "NewTask" || op == "SetProjectStatus") {
                long id = 0;
                if (op == "NewTask") {
                    pugi::xml_document task;
                    const std::string text = Arg(m, "taskData");
                    if (task.load_buffer(text.data(), text.size()))
                        id = Number(task.child("TASK").child("ENTIREPROJID").text().get());
                } else {
                    id = Number(Arg(m, "projectId"));
                }
                auto it = projects.find(id);
                if (it == projects.end() && op == "NewTask") {
                    Answer(res, op, {{"Result", "1"}, {"TaskId", "-1"}});
                } else if (it == projects.end()) {
                    Answer(res, op, {{"Result", "1"}});
                } else {
                    const bool matched = Matches(req, it->second);
                    ++it->second.revision;
                    if (matched)
                        SetRevision(res, it->second.revision);
                    if (op == "NewTask")
                        Answer(res, op, {{"Result", "0"}, {"TaskId", std::to_string(nextTaskId++)}});
                    else
                        Answer(res, op, {{"Result", "0"}});
                }
            } else {
                const projectsoap::OperationInfo* info = projectsoap::FindOperation(op.c_str());
                projectsoap::SoapValues values;
                for (int i = 0; info && i < info->resultCount; ++i)
                    values.push_back({info->results[i], std::string(info->results[i]) == "Result" ? "0" : ""});
                Answer(res, op, values);
            }
        }
        Record(req, op, res.status);
    }
};

CLoopbackSessionServer::CLoopbackSessionServer(const std::string& site) : m_impl(new Impl)
{
    m_impl->site = site;
}

CLoopbackSessionServer::~CLoopbackSessionServer()
{
    Stop();
}

bool CLoopbackSessionServer::Start(bool tls)
{
    Impl& s = *m_impl;
    s.tls = tls;
    if (tls) {
        const std::string dir = CertificateDir();
        s.http.reset(new httplib::SSLServer((dir + "/server.pem").c_str(), (dir + "/server.key").c_str()));
    } else {
        s.http.reset(new httplib::Server);
    }
    if (!s.http->is_valid())
        return false;
    httplib::Server& http = *s.http;
    http.Get(s.Base() + "OrveskService.WSDL", [&s](const httplib::Request& req, httplib::Response& res) {
        res.set_content(projectsoap::BuildServiceDescription(kNamespace, s.Origin() + s.Base() + "OrveskService"),
                        "text/xml; charset=utf-8");
        s.Record(req, "WSDL", 200);
    });
    http.Post(s.Base() + "OrveskService",
              [&s](const httplib::Request& req, httplib::Response& res) { s.Operation(req, res); });
    http.Post(s.Base() + "Logout", [&s](const httplib::Request& req, httplib::Response& res) {
        {
            std::lock_guard<std::mutex> g(s.lock);
            s.sessions.erase(SessionToken(req.get_header_value("Cookie")));
        }
        res.status = 204;
        res.set_header("Set-Cookie", "PCSESSION=; Path=/; Max-Age=0");
        s.Record(req, "Logout", 204);
    });
    http.Get(R"(/pdm/.*)", [&s](const httplib::Request& req, httplib::Response& res) {
        if (!s.LiveSession(req)) {
            res.status = 401;
            res.set_header("WWW-Authenticate", "Session");
            res.set_content(kNeedSession, "text/plain; charset=utf-8");
        } else {
            std::pair<std::string, std::string> file("pdm:" + req.target, "application/octet-stream");
            {
                std::lock_guard<std::mutex> g(s.lock);
                auto it = s.files.find(req.target);
                if (it != s.files.end())
                    file = it->second;
            }
            res.status = 200;
            res.set_content(file.first, file.second.c_str());
        }
        s.Record(req, "PDM", res.status);
    });
    s.port = http.bind_to_any_port("127.0.0.1");
    if (s.port <= 0)
        return false;
    s.thread = std::thread([&http] { http.listen_after_bind(); });
    // Connections are taken as soon as the port is bound; this only waits for the loop.
    for (int i = 0; i < 500 && !http.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return http.is_running();
}

void CLoopbackSessionServer::Stop()
{
    if (m_impl->http)
        m_impl->http->stop();
    if (m_impl->thread.joinable())
        m_impl->thread.join();
}

int CLoopbackSessionServer::Port() const
{
    return m_impl->port;
}

std::string CLoopbackSessionServer::ServiceUrl() const
{
    return m_impl->Origin() + m_impl->Base() + "OrveskService.WSDL";
}

std::string CLoopbackSessionServer::Origin() const
{
    return m_impl->Origin();
}

void CLoopbackSessionServer::AddUser(const std::string& code, const std::string& cipheredPassword,
                                     const std::string& reply)
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    m_impl->users[code] = Impl::User{cipheredPassword, reply};
}

long CLoopbackSessionServer::AddProject(const std::string& projectXml)
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    const long id = m_impl->nextId++;
    m_impl->projects[id] = Project{projectXml, 1};
    return id;
}

std::string CLoopbackSessionServer::ProjectText(long id) const
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    auto it = m_impl->projects.find(id);
    return it == m_impl->projects.end() ? std::string() : it->second.text;
}

long CLoopbackSessionServer::Revision(long id) const
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    auto it = m_impl->projects.find(id);
    return it == m_impl->projects.end() ? 0 : it->second.revision;
}

void CLoopbackSessionServer::SaveAsAnotherClient(long id, const std::string& projectXml)
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    auto it = m_impl->projects.find(id);
    if (it != m_impl->projects.end()) {
        it->second.text = projectXml;
        ++it->second.revision;
    }
}

void CLoopbackSessionServer::EndAllSessions()
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    m_impl->sessions.clear();
}

int CLoopbackSessionServer::LiveSessions() const
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    return static_cast<int>(m_impl->sessions.size());
}

void CLoopbackSessionServer::ServeFile(const std::string& pathAndQuery, const std::string& body,
                                       const std::string& contentType)
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    m_impl->files[pathAndQuery] = std::make_pair(body, contentType);
}

std::vector<CLoopbackSessionServer::Request> CLoopbackSessionServer::Requests() const
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    return m_impl->requests;
}

void CLoopbackSessionServer::ClearRequests()
{
    std::lock_guard<std::mutex> g(m_impl->lock);
    m_impl->requests.clear();
}

const char* CLoopbackSessionServer::StaleSaveText()
{
    return "此项目在您打开后已被其他用户保存，本次保存未被服务器接受。您的修改仍在窗口中，可另存为本地文件。";
}

std::string CLoopbackSessionServer::CertificateDir()
{
    return LOOPBACK_CERT_DIR;
}
