// A project server on 127.0.0.1 for tests: the project server program's own server
// (Components/ProjectServer) in-process, on an ephemeral port and a temporary database that
// goes with the object, with its test switches (faults, stalls, the record of requests).
//
//   GET  /<site>/WebService/OrveskService.WSDL   the service description, its endpoint
//                                                pointing back at this server
//   POST /<site>/WebService/OrveskService        one operation per request
//
// Requests in absolute form ("POST http://host:port/<site>/..."), as an HTTP proxy receives
// them, are answered too and recorded as such, so one server can stand in for a proxy; the
// description it then hands out names the host of the request.
//
// What the operations do:
//   Login                the reply of AddUser's entry when the password matches, "" for
//                        an unknown user or a wrong password, "SERVER ERROR" while
//                        SetLoginServerError(true)
//   GetProjectList       a PROJECTS document (PROJ: ID, NAME, STATUS, CREATIONDATE) of the
//                        projects that have the user among their MEMBERS or permission
//                        records, by id
//   GetProjectData       the stored PROJECT text (result 1 for an unknown id)
//   NewProject           stores the PROJECT under a new id (its ID and FLAG set)
//   SaveProject          stores the PROJECT: tasks with FLAG 1 (or TASKID 0) get new ids,
//                        tasks with FLAG 3 are dropped, PREDID rows become the
//                        predecessors' task ids, ENTIREPROJID, PARENTID and FLAG 0 are
//                        set; the reply is the TASKIDS document of the ids given, by grid
//                        row (ROW 0: a project saved with id 0 got a new id). An unknown
//                        project or a text that is not a PROJECT: result 1 and an error
//                        text.
//   SetProjectStatus     sets STATUS of the stored project
//   DeleteProject        drops the project with its calendar and permissions
//   GetCalendar, GetUsersPermission   the stored text, or an empty default
//   SaveCalendar, SaveUsersPermission stores the text when it is a CALENDAR/PERMISSIONS
//                        document, else result 1
//   GetResources         the resources text
//   NewTask              adds the TASK to its project (ENTIREPROJID) under `parentTaskId`
//                        or at the top level, with a new id
// Unknown project ids give result 1. Stored project texts are kept in one canonical form:
// no declaration, `<A></A>` for empty elements, values escaped as XmlEscape does; a text
// written that way comes back byte for byte.
//
// Faults make the server misbehave for a number of requests (or for good): answer HTTP
// 500, a SOAP fault, garbage, a truncated envelope, close the connection half-way, or
// stall (bounded: the wait ends by itself after SetStallMilliseconds, at most 5 s, or
// when the server stops).
//
// Texts given to and read from the server are code page 936; all members are thread-safe.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/String.h>

#include <memory>
#include <string>
#include <vector>

class CLoopbackProjectServer {
public:
    enum class Fault {
        None,
        Http500,         // 500 with a plain-text body
        SoapFault,       // 500 with a soap:Fault envelope
        CloseConnection, // headers announcing a body, then the connection closes
        Stall,           // no answer until the stall time has passed
        Garbage,         // 200 with a body that is not XML
        Truncated,       // 200 with the first half of the proper envelope
        Refuse,          // the operation answers a result code (see SetFault)
    };

    struct Request {
        std::string method;      // "GET" or "POST"
        std::string target;      // as received
        bool absoluteForm;       // the target was a whole URL (the request came as to a proxy)
        std::string soapAction;  // the SOAPAction header
        std::string contentType; // the Content-Type header
        std::string operation;   // "WSDL" for the description, else the body's operation
        std::string body;        // UTF-8, as received
    };

    explicit CLoopbackProjectServer(const std::string& site = "site");
    ~CLoopbackProjectServer();
    CLoopbackProjectServer(const CLoopbackProjectServer&) = delete;
    CLoopbackProjectServer& operator=(const CLoopbackProjectServer&) = delete;

    // Binds 127.0.0.1 on a free port and serves on a thread of its own; false when it
    // cannot bind.
    bool Start();
    // Stops serving; stalled requests are let go, and this process forgets its session with
    // the server. Also done by the destructor.
    void Stop();
    int Port() const;
    // "http://127.0.0.1:<port>/<site>/WebService/OrveskService.WSDL", the value for
    // SetServiceUrl.
    CString ServiceUrl() const;
    std::string EndpointUrl() const;
    std::string TargetNamespace() const;

    // --- data (code page 936 texts)
    void AddUser(const CString& userCode, const CString& cipheredPassword, const CString& reply);
    void SetLoginServerError(bool serverError);
    // Stores a PROJECT text under a new id and gives it (-1 when it is not a PROJECT).
    LONG AddProject(const CString& projectXml);
    bool GetProject(LONG id, CString& xml) const;
    int ProjectCount() const;
    void SetCalendar(LONG id, const CString& xml);
    bool GetCalendar(LONG id, CString& xml) const;
    void SetPermissions(LONG id, const CString& xml);
    // Stores a PROJECT text under a new id as the user of this process's session (LogIn)
    // makes it, through NewProject: that user is its creator and holds every right without a
    // permission record (AddProject's projects have no creator: nobody may use them until
    // SetPermissions gives rights). -1 when it is not stored.
    LONG AddOwnProject(const CString& projectXml);
    bool GetPermissions(LONG id, CString& xml) const;
    void SetResources(const CString& xml);
    // The ids the next NewProject/SaveProject and the next new task get.
    void SetNextIds(LONG projectId, LONG taskId);

    // Starts a session for the user (made, or its password and reply replaced, as
    // AddUser does) through a Login of the SOAP client: the later calls of this process to
    // this server carry its cookie. False when the login was not accepted.
    bool LogIn(const CString& userCode);
    // The password LogIn gives its users (ciphered as the client sends it).
    static CString SessionPassword();

    // --- faults
    // The next `times` requests (-1: all) of `operation` misbehave; "" stands for every
    // operation, "WSDL" for the service description. With Fault::Refuse the operation
    // answers `result` with `text` (Login: `text` as its reply) and changes nothing.
    void SetFault(const std::string& operation, Fault fault, int times = -1, LONG result = 1,
                  const CString& text = CString());
    void ClearFaults();
    void SetStallMilliseconds(int milliseconds);

    // --- record
    std::vector<Request> Requests() const;
    std::vector<std::string> OperationNames() const; // of the requests, in order
    void ClearRequests();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
