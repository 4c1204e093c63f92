// The loopback project server: the project server on a temporary database, with its test
// switches, behind the interface the tests use (code page 936 texts).
#include <ProjectServiceLoopback/LoopbackProjectServer.h>
#include <ProjectServiceLoopback/LoopbackLogin.h>

#include <ProjectServer/ProjectServer.h>
#include <ProjectService/SoapProjectService.h>

#include <Internet/ServerSession.h>

#include <ClassLib/Core/Conversion.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

std::string U8(const CString& s)
{
    return Utf8FromCString(s);
}

std::string MakeTempDir()
{
    std::string templ = (std::filesystem::temp_directory_path() / "loopback-XXXXXX").string();
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    return ::mkdtemp(buf.data()) ? std::string(buf.data()) : std::string();
}

}  // namespace

bool LoopbackLogIn(const std::string& serviceUrl, const std::string& userCode, const std::string& cipheredPassword)
{
    CProjectServicePtr client(new CSoapProjectService);
    client->SetServiceUrl(CStringFromUtf8(serviceUrl));
    CString reply;
    return client->Login(CStringFromUtf8(userCode), CStringFromUtf8(cipheredPassword), reply) == S_OK &&
           !reply.IsEmpty() && reply != "SERVER ERROR";
}

void LoopbackForgetSession(const std::string& serviceUrl)
{
    serversession::ForgetSession(serversession::OriginOf(serviceUrl));
}

struct CLoopbackProjectServer::Impl {
    std::string dir;
    std::unique_ptr<projectserver::CProjectServer> server;
};

CLoopbackProjectServer::CLoopbackProjectServer(const std::string& site) : m_impl(new Impl)
{
    m_impl->dir = MakeTempDir();
    projectserver::ServerOptions options;
    options.site = site;
    options.databasePath = m_impl->dir + "/projects.sqlite";
    options.demoData = false;
    options.maxBodyBytes = 256u * 1024u * 1024u;
    m_impl->server.reset(new projectserver::CProjectServer(options));
    std::string error;
    m_impl->server->Open(error);
    m_impl->server->SetTestRecordRequests(true);
}

CLoopbackProjectServer::~CLoopbackProjectServer()
{
    Stop();
    m_impl->server.reset();
    std::error_code ec;
    if (!m_impl->dir.empty())
        std::filesystem::remove_all(m_impl->dir, ec);
}

bool CLoopbackProjectServer::Start()
{
    std::string error;
    return m_impl->server->Start(error);
}

void CLoopbackProjectServer::Stop()
{
    // A later server on the same port must not be sent this one's session.
    if (m_impl->server->Port() > 0)
        LoopbackForgetSession(m_impl->server->ServiceUrl());
    m_impl->server->Stop();
}

int CLoopbackProjectServer::Port() const
{
    return m_impl->server->Port();
}

CString CLoopbackProjectServer::ServiceUrl() const
{
    return CString(m_impl->server->ServiceUrl().c_str());
}

std::string CLoopbackProjectServer::EndpointUrl() const
{
    return m_impl->server->EndpointUrl();
}

std::string CLoopbackProjectServer::TargetNamespace() const
{
    return projectserver::CProjectServer::TargetNamespace();
}

void CLoopbackProjectServer::AddUser(const CString& userCode, const CString& cipheredPassword, const CString& reply)
{
    m_impl->server->AddUser(U8(userCode), U8(cipheredPassword), U8(reply));
}

CString CLoopbackProjectServer::SessionPassword()
{
    return "loopback-session";
}

bool CLoopbackProjectServer::LogIn(const CString& userCode)
{
    AddUser(userCode, SessionPassword(), userCode);
    return LoopbackLogIn(m_impl->server->ServiceUrl(), U8(userCode), U8(SessionPassword()));
}

void CLoopbackProjectServer::SetLoginServerError(bool serverError)
{
    m_impl->server->SetTestLoginServerError(serverError);
}

LONG CLoopbackProjectServer::AddProject(const CString& projectXml)
{
    return static_cast<LONG>(m_impl->server->AddProject(U8(projectXml)));
}

bool CLoopbackProjectServer::GetProject(LONG id, CString& xml) const
{
    std::string text;
    bool found = m_impl->server->GetProject(id, text);
    xml = found ? CStringFromUtf8(text) : CString();
    return found;
}

int CLoopbackProjectServer::ProjectCount() const
{
    return static_cast<int>(m_impl->server->ProjectCount());
}

void CLoopbackProjectServer::SetCalendar(LONG id, const CString& xml)
{
    m_impl->server->SetCalendar(id, U8(xml));
}

bool CLoopbackProjectServer::GetCalendar(LONG id, CString& xml) const
{
    std::string text;
    bool found = m_impl->server->GetCalendar(id, text);
    xml = found ? CStringFromUtf8(text) : CString();
    return found;
}

void CLoopbackProjectServer::SetPermissions(LONG id, const CString& xml)
{
    m_impl->server->SetPermissions(id, U8(xml));
}

LONG CLoopbackProjectServer::AddOwnProject(const CString& projectXml)
{
    CProjectServicePtr client(new CSoapProjectService);
    client->SetServiceUrl(ServiceUrl());
    LONG id = -1;
    return client->NewProject(projectXml, id) == S_OK ? id : -1;
}

bool CLoopbackProjectServer::GetPermissions(LONG id, CString& xml) const
{
    std::string text;
    bool found = m_impl->server->GetPermissions(id, text);
    xml = found ? CStringFromUtf8(text) : CString();
    return found;
}

void CLoopbackProjectServer::SetResources(const CString& xml)
{
    m_impl->server->SetResources(U8(xml));
}

void CLoopbackProjectServer::SetNextIds(LONG projectId, LONG taskId)
{
    m_impl->server->SetNextIds(projectId, taskId);
}

void CLoopbackProjectServer::SetFault(const std::string& operation, Fault fault, int times, LONG result,
                                      const CString& text)
{
    m_impl->server->SetTestFault(operation, static_cast<projectserver::CProjectServer::Fault>(fault), times, result,
                                 U8(text));
}

void CLoopbackProjectServer::ClearFaults()
{
    m_impl->server->ClearTestFaults();
}

void CLoopbackProjectServer::SetStallMilliseconds(int milliseconds)
{
    m_impl->server->SetTestStallMilliseconds(milliseconds);
}

std::vector<CLoopbackProjectServer::Request> CLoopbackProjectServer::Requests() const
{
    std::vector<Request> out;
    for (const auto& r : m_impl->server->TestRequests())
        out.push_back(Request{r.method, r.target, r.absoluteForm, r.soapAction, r.contentType, r.operation, r.body});
    return out;
}

std::vector<std::string> CLoopbackProjectServer::OperationNames() const
{
    std::vector<std::string> names;
    for (const auto& r : m_impl->server->TestRequests())
        names.push_back(r.operation);
    return names;
}

void CLoopbackProjectServer::ClearRequests()
{
    m_impl->server->ClearTestRequests();
}
