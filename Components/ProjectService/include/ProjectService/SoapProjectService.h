// The project service over SOAP 1.1 and HTTP.
//
// SetServiceUrl names the service description (WSDL). The first call fetches it and reads
// the endpoint (soap:address), the target namespace and each operation's SOAP action; each
// call then posts one envelope (Content-Type text/xml; charset=utf-8, SOAPAction header) in
// the vocabulary of SoapProtocol.h and reads the `<Operation>Response` element of the
// answer. With a proxy address set, every request goes through that HTTP proxy; without
// one, no proxy is used (proxy settings of the environment included).
//
// Exchanges are bounded: by the connection and total time-outs and by a maximum answer
// size. Results and failures are as IProjectService.h describes.
//
// Around the envelope, at the HTTP level: a Login the server accepts starts a session (the
// cookie its answer sets, kept per origin for the whole process, Internet/ServerSession.h),
// and every later request to that origin carries it; an answer of HTTP 401 (no live
// session) fails with PS_E_CONNECT. SaveProject, NewTask and SetProjectStatus name the
// instance's project revision (SetProjectRevision) as the one they start from (If-Match);
// the revision (ETag) a successful GetProjectData, NewProject, SaveProject, NewTask or
// SetProjectStatus answers with becomes the instance's (GetProjectRevision). An https:// service address is verified against the system's certificates or the
// trusted certificate file (ServerSession.h); verification is never turned off.
#pragma once

#include <ProjectService/IProjectService.h>
#include <ProjectService/ServiceDescription.h>
#include <ProjectService/SoapEnvelope.h>

#include <cstddef>
#include <string>

class CSoapProjectService : public IProjectService {
public:
    // Time-outs from GetProjectServiceTimeouts (ProjectServiceFactory.h).
    CSoapProjectService();

    void Release() override;

    HRESULT SetServiceUrl(const CString& url) override;
    HRESULT SetProxyServer(const CString& address) override;
    HRESULT SetProxyPort(const CString& port) override;

    HRESULT Login(const CString& userCode, const CString& cipheredPassword, CString& reply) override;
    HRESULT GetProjectList(const CString& userCode, CString& xml) override;
    HRESULT GetProjectData(LONG projectId, CString& xml) override;
    HRESULT GetProjectDataUtf8(LONG projectId, std::string& utf8Xml) override;
    HRESULT NewProject(const CString& projectXml, LONG& newProjectId) override;
    HRESULT DeleteProject(LONG projectId, const CString& reserved, LONG& result) override;
    HRESULT SetProjectStatus(LONG projectId, LONG status) override;
    HRESULT SaveProject(LONG projectId, const CString& projectXml, CString& reply, LONG& result) override;
    HRESULT GetCalendar(LONG projectId, CString& xml) override;
    HRESULT SaveCalendar(LONG projectId, const CString& calendarXml, LONG& result) override;
    HRESULT GetUsersPermission(LONG projectId, CString& xml) override;
    HRESULT SaveUsersPermission(LONG projectId, const CString& permissionXml, LONG& result) override;
    HRESULT GetResources(CString& xml) override;
    HRESULT NewTask(LONG first, LONG parentTaskId, const CString& taskXml, LONG& newTaskId) override;
    void SetProjectRevision(const std::string& revision) override;
    std::string GetProjectRevision() const override;

    CString GetLastErrorText() const override;

    // Milliseconds to establish a connection, and for a whole exchange.
    void SetTimeouts(long connectMilliseconds, long totalMilliseconds);
    // Largest answer accepted, in bytes (default 128 MiB).
    void SetMaxReplyBytes(size_t bytes) { m_maxReplyBytes = bytes; }
    // What the service description said ("" before it was read).
    std::string GetEndpoint() const { return m_description.endpoint; }
    std::string GetTargetNamespace() const { return m_description.targetNamespace; }

protected:
    ~CSoapProjectService() override;

private:
    HRESULT Invoke(const char* operation, const projectsoap::SoapValues& arguments, projectsoap::SoapMessage& answer);
    HRESULT LoadDescription();
    HRESULT Fail(HRESULT hr, const std::string& utf8Reason);
    HRESULT ReadResult(const char* operation, const projectsoap::SoapMessage& answer, LONG& result);
    HRESULT ReadText(const char* operation, const projectsoap::SoapMessage& answer, const char* name, CString& text);
    HRESULT ReadLong(const char* operation, const projectsoap::SoapMessage& answer, const char* name, LONG& value);
    // Invoke and ReadResult; a result other than 0 is noted as the server's refusal and
    // gives S_FALSE.
    HRESULT InvokeAccepted(const char* operation, const projectsoap::SoapValues& arguments,
                           projectsoap::SoapMessage& answer, LONG& result);
    HRESULT CallForText(const char* operation, const projectsoap::SoapValues& arguments, const char* resultName, CString& xml);
    // CallForText's text in UTF-8, taken out of the answer without a copy.
    HRESULT CallForUtf8(const char* operation, const projectsoap::SoapValues& arguments, const char* resultName,
                        std::string& text);
    // The value of that name, or NULL after noting that the answer has none.
    const std::string* FindValue(const char* operation, const projectsoap::SoapMessage& answer, const char* name);
    HRESULT CallForResult(const char* operation, const projectsoap::SoapValues& arguments, LONG& result);
    HRESULT CallForId(const char* operation, const projectsoap::SoapValues& arguments, const char* idName, LONG& id);
    // The revision the last answer named (if any) becomes the instance's.
    void KeepReplyRevision();

    std::string m_serviceUrl; // UTF-8
    std::string m_proxy;
    long m_proxyPort = 0;
    long m_connectTimeoutMs;
    long m_totalTimeoutMs;
    size_t m_maxReplyBytes;
    bool m_bDescriptionRead = false;
    projectsoap::ServiceDescription m_description;
    CString m_strLastError;
    bool m_bSendRevision = false; // the next call names m_projectRevision (If-Match)
    std::string m_projectRevision; // the revision of the caller's project text, "" none
    std::string m_replyRevision;   // the revision (ETag) the last answer named, "" none
};
