// The project service: every exchange of the client with the project server goes through
// one instance of this interface. A caller creates an instance for one operation
// (CreateProjectService, ProjectServiceFactory.h), gives it the service address and, when
// its settings ask for one, the proxy, makes one call, and releases the instance.
//
// Texts are code page 936 CString values; on the wire they travel as UTF-8. Ids are LONG.
//
// Results. Every call returns an HRESULT:
//   S_OK      the server carried the operation out; out values are set.
//   S_FALSE   the server answered but refused (its result code was not 0); the out texts
//             are empty unless stated below, out ids are -1.
//   FAILED    no usable answer: the server could not be reached, timed out, answered an
//             HTTP error, a SOAP fault, a reply that is not XML or is cut short, or (where
//             stated) refused in a way the caller treats as an error. GetLastErrorText()
//             then tells why. Nothing received half-way is handed out: out texts are empty
//             and out ids are -1 (except the Login reply, below).
//
// Per call (the server's result code is its answer to the operation, 0 = done):
//   Login               S_OK: `reply` is the server's answer: "SERVER ERROR" when the
//                       server cannot check users, "" for an unknown user or a wrong
//                       password, any other text for a user it accepted. FAILED: `reply`
//                       is set to "SERVER ERROR" as well, so that a caller that looks
//                       only at the reply shows the connection checklist.
//   GetProjectList      S_OK: `xml` is the PROJECTS document of the user's projects.
//   GetProjectData      S_OK: `xml` is the PROJECT document. S_FALSE: no such project.
//   NewProject          S_OK: `newProjectId` is the id the server gave the project.
//   DeleteProject       `result` is the server's result code (0 = deleted; -1 when there
//                       was no answer). S_OK exactly when it is 0.
//   SetProjectStatus    S_OK when the status was set; a refusal is FAILED
//                       (PS_E_REFUSED), never S_FALSE, since callers treat it as an error.
//   SaveProject         `result` 0 -> S_OK, `reply` is the TASKIDS document of the ids the
//                       server assigned; 1 -> S_FALSE, `reply` is an error text for the
//                       user; any other code -> FAILED (PS_E_REFUSED), `reply` empty; -1
//                       when there was no answer.
//   GetCalendar         S_OK: `xml` is the CALENDAR document.
//   SaveCalendar        `result` as for DeleteProject; S_OK exactly when it is 0.
//   GetUsersPermission  S_OK: `xml` is the PERMISSIONS document.
//   SaveUsersPermission `result` as for DeleteProject; S_OK exactly when it is 0.
//   GetResources        S_OK: `xml` is the RESOURCES document.
//   NewTask             S_OK: `newTaskId` is the id the server gave the task.
//
// The setters return S_OK; SetProxyPort returns E_INVALIDARG for a text that is not a port
// number (1..65535) and then uses none. An empty proxy address or a port of "" or "0"
// means: none.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/String.h>

#include <memory>
#include <string>

// Failure codes of the project service (FACILITY_ITF).
#define PS_E_NOSERVICEURL ((HRESULT)0x80040301L) // no service address was given
#define PS_E_WSDL ((HRESULT)0x80040302L)         // the service description cannot be read
#define PS_E_CONNECT ((HRESULT)0x80040303L)      // not reached, broke off, or no live session (HTTP 401)
#define PS_E_TIMEOUT ((HRESULT)0x80040304L)      // no complete answer within the time-out
#define PS_E_HTTP ((HRESULT)0x80040305L)         // HTTP status other than 200
#define PS_E_SOAPFAULT ((HRESULT)0x80040306L)    // the server answered a SOAP fault
#define PS_E_BADREPLY ((HRESULT)0x80040307L)     // the answer is not a complete, valid reply
#define PS_E_REFUSED ((HRESULT)0x80040308L)      // the server refused (see the calls above)

class IProjectService {
public:
    // Ends the instance. Every instance a factory hands out is ended this way, never by
    // delete.
    virtual void Release() = 0;

    // The service description's address: "http://" + server + "/" + site +
    // "/WebService/OrveskService.WSDL".
    virtual HRESULT SetServiceUrl(const CString& url) = 0;
    virtual HRESULT SetProxyServer(const CString& address) = 0;
    virtual HRESULT SetProxyPort(const CString& port) = 0;

    virtual HRESULT Login(const CString& userCode, const CString& cipheredPassword, CString& reply) = 0;
    virtual HRESULT GetProjectList(const CString& userCode, CString& xml) = 0;
    virtual HRESULT GetProjectData(LONG projectId, CString& xml) = 0;
    // The same project text in UTF-8, as the server sent it, for a reader that holds it in
    // UTF-8 anyway: a large text is then not converted to the code page and back. By
    // default GetProjectData's text, converted.
    virtual HRESULT GetProjectDataUtf8(LONG projectId, std::string& utf8Xml)
    {
        CString xml;
        const HRESULT hr = GetProjectData(projectId, xml);
        utf8Xml = Utf8FromCString(xml);
        return hr;
    }
    virtual HRESULT NewProject(const CString& projectXml, LONG& newProjectId) = 0;
    // `reserved` is passed on unchanged; callers give an empty string.
    virtual HRESULT DeleteProject(LONG projectId, const CString& reserved, LONG& result) = 0;
    // Status: 1 published, 3 stopped.
    virtual HRESULT SetProjectStatus(LONG projectId, LONG status) = 0;
    virtual HRESULT SaveProject(LONG projectId, const CString& projectXml, CString& reply, LONG& result) = 0;
    virtual HRESULT GetCalendar(LONG projectId, CString& xml) = 0;
    virtual HRESULT SaveCalendar(LONG projectId, const CString& calendarXml, LONG& result) = 0;
    virtual HRESULT GetUsersPermission(LONG projectId, CString& xml) = 0;
    virtual HRESULT SaveUsersPermission(LONG projectId, const CString& permissionXml, LONG& result) = 0;
    virtual HRESULT GetResources(CString& xml) = 0;
    // `first` is passed on unchanged for the server to interpret; `parentTaskId` is the
    // task under which the new one goes (below 0: none).
    virtual HRESULT NewTask(LONG first, LONG parentTaskId, const CString& taskXml, LONG& newTaskId) = 0;

    // The revision of a stored project's text (the server's ETag): the caller holds the one
    // of the text it has open and hands it to each instance, so that two windows or two
    // documents on one project never share it. SaveProject, NewTask and SetProjectStatus
    // name it as the revision they start from, and a server that keeps revisions refuses a
    // save from any other ("" names none). After a call that succeeded, GetProjectRevision
    // is the revision its answer named (GetProjectData, NewProject, SaveProject, and a
    // NewTask or SetProjectStatus that started from the current one), else the one set.
    virtual void SetProjectRevision(const std::string& revision) { (void)revision; }
    virtual std::string GetProjectRevision() const { return std::string(); }

    // Why the last call failed or was refused ("" after S_OK).
    virtual CString GetLastErrorText() const = 0;

protected:
    virtual ~IProjectService() = default;
};

// Releases an instance when it goes out of scope:
//   CProjectServicePtr service(CreateProjectService());
struct CProjectServiceRelease {
    void operator()(IProjectService* service) const
    {
        if (service)
            service->Release();
    }
};
typedef std::unique_ptr<IProjectService, CProjectServiceRelease> CProjectServicePtr;
