// The SOAP client of the project service.
#include <ProjectService/SoapProjectService.h>
#include <ProjectService/ProjectServiceFactory.h>
#include <ProjectService/SoapProtocol.h>

#include "HttpTransport.h"
#include "Revisions.h"

#include <Internet/ServerSession.h>

#include <ClassLib/Core/Conversion.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

using projectsoap::SoapMessage;
using projectsoap::SoapValue;
using projectsoap::SoapValues;

namespace {

const char* const kServerError = "SERVER ERROR";

std::string Utf8(const CString& s) { return Utf8FromCString(s); }
std::string Decimal(LONG v) { return std::to_string(v); }

// A whole decimal number in the range of LONG, optionally signed, blanks around allowed.
bool ParseLong(const std::string& text, LONG& value)
{
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t' || *begin == '\r' || *begin == '\n')
        ++begin;
    if (!*begin)
        return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return false;
    while (*end == ' ' || *end == '\t' || *end == '\r' || *end == '\n')
        ++end;
    if (*end)
        return false;
    value = (LONG)v;
    return true;
}

// Where the server ends a session: beside the service's endpoint.
std::string LogoutUrl(const std::string& endpoint)
{
    const size_t query = endpoint.find_first_of("?#");
    const std::string path = endpoint.substr(0, query);
    const size_t slash = path.rfind('/');
    const size_t authority = path.find("://");
    if (slash == std::string::npos || authority == std::string::npos || slash < authority + 3)
        return std::string();
    return path.substr(0, slash + 1) + "Logout";
}

} // namespace

CSoapProjectService::CSoapProjectService() : m_maxReplyBytes(128u * 1024u * 1024u)
{
    GetProjectServiceTimeouts(m_connectTimeoutMs, m_totalTimeoutMs);
}

CSoapProjectService::~CSoapProjectService() = default;

void CSoapProjectService::Release() { delete this; }

void CSoapProjectService::SetTimeouts(long connectMilliseconds, long totalMilliseconds)
{
    m_connectTimeoutMs = connectMilliseconds > 0 ? connectMilliseconds : 1;
    m_totalTimeoutMs = totalMilliseconds > 0 ? totalMilliseconds : 1;
}

CString CSoapProjectService::GetLastErrorText() const { return m_strLastError; }

HRESULT CSoapProjectService::Fail(HRESULT hr, const std::string& utf8Reason)
{
    m_strLastError = CStringFromUtf8(utf8Reason);
    return hr;
}

HRESULT CSoapProjectService::SetServiceUrl(const CString& url)
{
    std::string u = Utf8(url);
    if (u != m_serviceUrl) {
        m_serviceUrl = u;
        m_bDescriptionRead = false;
        m_description = projectsoap::ServiceDescription();
    }
    return S_OK;
}

HRESULT CSoapProjectService::SetProxyServer(const CString& address)
{
    std::string a = Utf8(address);
    size_t b = a.find_first_not_of(" \t");
    size_t e = a.find_last_not_of(" \t");
    m_proxy = b == std::string::npos ? std::string() : a.substr(b, e - b + 1);
    return S_OK;
}

HRESULT CSoapProjectService::SetProxyPort(const CString& port)
{
    std::string p = Utf8(port);
    if (p.find_first_not_of(" \t") == std::string::npos) {
        m_proxyPort = 0;
        return S_OK;
    }
    LONG value = 0;
    if (!ParseLong(p, value) || value < 0 || value > 65535) {
        m_proxyPort = 0;
        return Fail(E_INVALIDARG, "the proxy port is not a port number: " + p);
    }
    m_proxyPort = value;
    return S_OK;
}

HRESULT CSoapProjectService::LoadDescription()
{
    if (m_bDescriptionRead)
        return S_OK;
    projectsoap::HttpRequest request;
    request.url = m_serviceUrl;
    request.proxy = m_proxy;
    request.proxyPort = m_proxyPort;
    request.connectTimeoutMs = m_connectTimeoutMs;
    request.totalTimeoutMs = m_totalTimeoutMs;
    request.maxReplyBytes = m_maxReplyBytes;
    request.trustFile = serversession::TrustedCertificateFile();
    const std::string cookie = serversession::CookieFor(m_serviceUrl);
    if (!cookie.empty())
        request.headers.push_back("Cookie: " + cookie);
    projectsoap::HttpReply reply;
    std::string error;
    HRESULT hr = projectsoap::HttpExchange(request, reply, error);
    if (FAILED(hr))
        return Fail(hr, "the service description cannot be fetched: " + error);
    if (reply.status != 200)
        return Fail(PS_E_WSDL, "the service description " + m_serviceUrl + " answered HTTP status " +
                                   std::to_string(reply.status));
    projectsoap::ServiceDescription description;
    if (!projectsoap::ParseServiceDescription(reply.body, description, error))
        return Fail(PS_E_WSDL, "the service description " + m_serviceUrl + " cannot be read: " + error);
    m_description = std::move(description);
    m_bDescriptionRead = true;
    return S_OK;
}

HRESULT CSoapProjectService::Invoke(const char* operation, const SoapValues& arguments, SoapMessage& answer)
{
    m_strLastError = CString();
    answer = SoapMessage();
    m_replyRevision.clear();
    const bool sendRevision = m_bSendRevision;
    m_bSendRevision = false;
    if (m_serviceUrl.empty())
        return Fail(PS_E_NOSERVICEURL, std::string(operation) + ": no service address was given");
    HRESULT hr = LoadDescription();
    if (FAILED(hr))
        return hr;
    std::string action;
    if (!m_description.FindSoapAction(operation, action))
        return Fail(PS_E_WSDL, std::string("the service description has no operation ") + operation);

    projectsoap::HttpRequest request;
    request.url = m_description.endpoint;
    request.post = true;
    request.body = projectsoap::BuildEnvelope(m_description.targetNamespace, operation, arguments);
    request.headers.push_back("Content-Type: text/xml; charset=utf-8");
    request.headers.push_back("SOAPAction: \"" + action + "\"");
    const std::string origin = serversession::OriginOf(m_description.endpoint);
    const bool login = std::string(operation) == "Login";
    // A login starts afresh: an earlier session of this origin is not sent along, and is
    // ended at the server once the new one has started.
    std::string oldToken, oldLogoutUrl;
    if (login)
        serversession::TakeSession(origin, oldToken, oldLogoutUrl);
    const std::string cookie = serversession::CookieFor(m_description.endpoint);
    if (!cookie.empty())
        request.headers.push_back("Cookie: " + cookie);
    if (sendRevision && !m_projectRevision.empty())
        request.headers.push_back("If-Match: \"" + m_projectRevision + "\"");
    request.proxy = m_proxy;
    request.proxyPort = m_proxyPort;
    request.connectTimeoutMs = m_connectTimeoutMs;
    request.totalTimeoutMs = m_totalTimeoutMs;
    request.maxReplyBytes = m_maxReplyBytes;
    request.trustFile = serversession::TrustedCertificateFile();
    projectsoap::HttpReply reply;
    std::string error;
    hr = projectsoap::HttpExchange(request, reply, error);
    if (FAILED(hr))
        return Fail(hr, std::string(operation) + ": " + error);

    if (reply.status == 401) {
        // No live session: the server no longer knows this one (or none was started).
        serversession::ForgetSession(origin);
        return Fail(PS_E_CONNECT, std::string(operation) + ": the server asks for a login first (HTTP 401)");
    }
    if (login) {
        if (reply.status == 200) {
            for (const std::string& value : reply.Headers("Set-Cookie")) {
                std::string token;
                if (serversession::ParseSessionCookie(value, token))
                    serversession::KeepSession(origin, token, LogoutUrl(m_description.endpoint));
            }
        }
        if (!oldToken.empty())
            serversession::EndSession(origin, oldToken, oldLogoutUrl, m_connectTimeoutMs);
    }
    std::string etag;
    if (reply.status == 200 && reply.Header("ETag", etag))
        m_replyRevision = projectsoap::RevisionFromETag(etag);

    SoapMessage message;
    bool parsed = projectsoap::ParseEnvelope(std::move(reply.body), message, error);
    if (parsed && message.isFault)
        return Fail(PS_E_SOAPFAULT, std::string(operation) + ": the server answered a SOAP fault (" +
                                        message.faultCode + "): " + message.faultString);
    if (reply.status != 200)
        return Fail(PS_E_HTTP, std::string(operation) + ": the server answered HTTP status " +
                                   std::to_string(reply.status));
    if (!parsed)
        return Fail(PS_E_BADREPLY, std::string(operation) + ": " + error);
    std::string expected = std::string(operation) + "Response";
    if (message.name != expected || message.ns != m_description.targetNamespace)
        return Fail(PS_E_BADREPLY, std::string(operation) + ": the answer is " + message.name + " in \"" +
                                       message.ns + "\", not " + expected);
    answer = std::move(message);
    return S_OK;
}

HRESULT CSoapProjectService::ReadResult(const char* operation, const SoapMessage& answer, LONG& result)
{
    return ReadLong(operation, answer, projectsoap::kResultName, result);
}

const std::string* CSoapProjectService::FindValue(const char* operation, const SoapMessage& answer, const char* name)
{
    const std::string* value = answer.Find(name);
    if (!value)
        Fail(PS_E_BADREPLY, std::string(operation) + ": the answer has no " + name);
    return value;
}

HRESULT CSoapProjectService::ReadText(const char* operation, const SoapMessage& answer, const char* name, CString& text)
{
    const std::string* value = FindValue(operation, answer, name);
    if (!value)
        return PS_E_BADREPLY;
    text = CStringFromUtf8(*value);
    return S_OK;
}

HRESULT CSoapProjectService::ReadLong(const char* operation, const SoapMessage& answer, const char* name, LONG& value)
{
    const std::string* text = answer.Find(name);
    if (!text)
        return Fail(PS_E_BADREPLY, std::string(operation) + ": the answer has no " + name);
    if (!ParseLong(*text, value))
        return Fail(PS_E_BADREPLY, std::string(operation) + ": " + name + " is not a number: " + text->substr(0, 40));
    return S_OK;
}

HRESULT CSoapProjectService::InvokeAccepted(const char* operation, const SoapValues& arguments, SoapMessage& answer,
                                            LONG& result)
{
    result = 0;
    HRESULT hr = Invoke(operation, arguments, answer);
    if (SUCCEEDED(hr))
        hr = ReadResult(operation, answer, result);
    if (FAILED(hr))
        return hr;
    if (result != 0) {
        Fail(S_FALSE, std::string(operation) + ": the server refused (result " + std::to_string(result) + ")");
        return S_FALSE;
    }
    return S_OK;
}

HRESULT CSoapProjectService::CallForUtf8(const char* operation, const SoapValues& arguments, const char* resultName,
                                         std::string& text)
{
    text.clear();
    SoapMessage answer;
    LONG result = 0;
    HRESULT hr = InvokeAccepted(operation, arguments, answer, result);
    if (FAILED(hr) || result != 0)
        return hr;
    if (!FindValue(operation, answer, resultName))
        return PS_E_BADREPLY;
    // The answer is not read again: its text is handed on as it is.
    text = std::move(*answer.Find(resultName));
    return S_OK;
}

HRESULT CSoapProjectService::CallForText(const char* operation, const SoapValues& arguments, const char* resultName,
                                         CString& xml)
{
    xml.Empty();
    std::string text;
    const HRESULT hr = CallForUtf8(operation, arguments, resultName, text);
    if (hr == S_OK)
        xml = CStringFromUtf8(text);
    return hr;
}

HRESULT CSoapProjectService::CallForResult(const char* operation, const SoapValues& arguments, LONG& result)
{
    result = -1;
    SoapMessage answer;
    LONG value = 0;
    const HRESULT hr = InvokeAccepted(operation, arguments, answer, value);
    if (FAILED(hr))
        return hr;
    result = value;
    return hr;
}

HRESULT CSoapProjectService::CallForId(const char* operation, const SoapValues& arguments, const char* idName, LONG& id)
{
    id = -1;
    SoapMessage answer;
    LONG result = 0, value = 0;
    HRESULT hr = InvokeAccepted(operation, arguments, answer, result);
    if (FAILED(hr) || result != 0)
        return hr;
    hr = ReadLong(operation, answer, idName, value);
    if (FAILED(hr))
        return hr;
    id = value;
    return S_OK;
}

HRESULT CSoapProjectService::Login(const CString& userCode, const CString& cipheredPassword, CString& reply)
{
    reply = kServerError;
    SoapMessage answer;
    CString text;
    HRESULT hr = Invoke("Login", {{"userCode", Utf8(userCode)}, {"password", Utf8(cipheredPassword)}}, answer);
    if (SUCCEEDED(hr))
        hr = ReadText("Login", answer, "Reply", text);
    if (FAILED(hr))
        return hr;
    reply = text;
    return S_OK;
}

HRESULT CSoapProjectService::GetProjectList(const CString& userCode, CString& xml)
{
    return CallForText("GetProjectList", {{"userCode", Utf8(userCode)}}, "ProjectList", xml);
}

void CSoapProjectService::SetProjectRevision(const std::string& revision) { m_projectRevision = revision; }

std::string CSoapProjectService::GetProjectRevision() const { return m_projectRevision; }

void CSoapProjectService::KeepReplyRevision()
{
    if (!m_replyRevision.empty())
        m_projectRevision = m_replyRevision;
}

HRESULT CSoapProjectService::GetProjectData(LONG projectId, CString& xml)
{
    const HRESULT hr = CallForText("GetProjectData", {{"projectId", Decimal(projectId)}}, "ProjectData", xml);
    if (hr == S_OK)
        KeepReplyRevision();
    return hr;
}

HRESULT CSoapProjectService::GetProjectDataUtf8(LONG projectId, std::string& utf8Xml)
{
    const HRESULT hr = CallForUtf8("GetProjectData", {{"projectId", Decimal(projectId)}}, "ProjectData", utf8Xml);
    if (hr == S_OK)
        KeepReplyRevision();
    return hr;
}

HRESULT CSoapProjectService::NewProject(const CString& projectXml, LONG& newProjectId)
{
    const HRESULT hr = CallForId("NewProject", {{"projectData", Utf8(projectXml)}}, "ProjectId", newProjectId);
    if (hr == S_OK)
        KeepReplyRevision();
    return hr;
}

HRESULT CSoapProjectService::DeleteProject(LONG projectId, const CString& reserved, LONG& result)
{
    return CallForResult("DeleteProject", {{"projectId", Decimal(projectId)}, {"reserved", Utf8(reserved)}}, result);
}

HRESULT CSoapProjectService::SetProjectStatus(LONG projectId, LONG status)
{
    LONG result = -1;
    m_bSendRevision = true;
    HRESULT hr = CallForResult("SetProjectStatus", {{"projectId", Decimal(projectId)}, {"status", Decimal(status)}}, result);
    if (hr == S_FALSE)
        return Fail(PS_E_REFUSED, "SetProjectStatus: the server refused to set status " + std::to_string(status) +
                                      " of project " + std::to_string(projectId) + " (result " +
                                      std::to_string(result) + ")");
    if (hr == S_OK)
        KeepReplyRevision();
    return hr;
}

HRESULT CSoapProjectService::SaveProject(LONG projectId, const CString& projectXml, CString& reply, LONG& result)
{
    reply.Empty();
    result = -1;
    SoapMessage answer;
    LONG value = 0;
    CString text;
    m_bSendRevision = true;
    HRESULT hr = Invoke("SaveProject", {{"projectId", Decimal(projectId)}, {"projectData", Utf8(projectXml)}}, answer);
    if (SUCCEEDED(hr))
        hr = ReadResult("SaveProject", answer, value);
    if (SUCCEEDED(hr) && (value == 0 || value == 1))
        hr = ReadText("SaveProject", answer, "Reply", text);
    if (FAILED(hr))
        return hr;
    result = value;
    if (value == 0) {
        reply = text;
        KeepReplyRevision();
        return S_OK;
    }
    if (value == 1) {
        reply = text;
        Fail(S_FALSE, "SaveProject: the server refused the project: " + Utf8(text));
        return S_FALSE;
    }
    return Fail(PS_E_REFUSED, "SaveProject: the server failed to save the project (result " + std::to_string(value) + ")");
}

HRESULT CSoapProjectService::GetCalendar(LONG projectId, CString& xml)
{
    return CallForText("GetCalendar", {{"projectId", Decimal(projectId)}}, "CalendarData", xml);
}

HRESULT CSoapProjectService::SaveCalendar(LONG projectId, const CString& calendarXml, LONG& result)
{
    return CallForResult("SaveCalendar", {{"projectId", Decimal(projectId)}, {"calendarData", Utf8(calendarXml)}}, result);
}

HRESULT CSoapProjectService::GetUsersPermission(LONG projectId, CString& xml)
{
    return CallForText("GetUsersPermission", {{"projectId", Decimal(projectId)}}, "PermissionData", xml);
}

HRESULT CSoapProjectService::SaveUsersPermission(LONG projectId, const CString& permissionXml, LONG& result)
{
    return CallForResult("SaveUsersPermission",
                         {{"projectId", Decimal(projectId)}, {"permissionData", Utf8(permissionXml)}}, result);
}

HRESULT CSoapProjectService::GetResources(CString& xml)
{
    return CallForText("GetResources", {}, "ResourceData", xml);
}

HRESULT CSoapProjectService::NewTask(LONG first, LONG parentTaskId, const CString& taskXml, LONG& newTaskId)
{
    m_bSendRevision = true;
    const HRESULT hr = CallForId(
        "NewTask", {{"first", Decimal(first)}, {"parentTaskId", Decimal(parentTaskId)}, {"taskData", Utf8(taskXml)}},
        "TaskId", newTaskId);
    if (hr == S_OK)
        KeepReplyRevision();
    return hr;
}
