// The project server: the project service (SOAP over HTTP) and the product-data answers,
// with its data in a SQLite file or on a database server (ServerDatabase.h).
//
//   GET  /<site>/WebService/OrveskService.WSDL     the service description, its endpoint
//                                                  pointing back at this server
//   POST /<site>/WebService/OrveskService          one operation per request
//   POST /<site>/WebService/Logout                 ends the caller's session (204)
//   GET  /pdm/GetPdmFile.asp?ClassID=%d&ObjectID=%d  a document of the product-data store
//   GET  /pdm/Nodes.asp, Documents.asp, Classes.asp, Store.asp, POST /pdm/AddDocument.asp
//                                                  the browser's components (Pdm/PdmReplies.h)
//
// Requests in absolute form ("POST http://host:port/<site>/..."), as an HTTP proxy
// receives them, are answered too; the description then names the host of the request.
// The operations are those of ServerOperations.h, for the user of a live session
// (ServerCore.h), different projects in parallel; a save lands whole, and only over the
// revision it started from. Bad requests get a SOAP client fault (HTTP 500), bodies over
// the bound HTTP 413; nothing is written for them.
// HTTPS when given a certificate and key (tlsCertFile, tlsKeyFile); a downloaded document
// may be asked for one byte range.
//
// Texts of the data calls are UTF-8. All members are thread-safe.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace projectserver {

struct ServerOptions {
    std::string address = "127.0.0.1";
    int port = 0;  // 0: a free port (read it back with Port())
    std::string site = "site";
    std::string databasePath;  // required: a SQLite file, or an ODBC connection string
    std::string pdmStorePath;  // the product-data store served: a file or an ODBC connection string ("" none)
    bool demoData = true;      // fill a database made now (and a missing store) with demo data
    size_t maxBodyBytes = 64u * 1024u * 1024u;
    int threads = 8;
    std::string tlsCertFile;  // with tlsKeyFile: serve HTTPS with this PEM certificate (chain)
    std::string tlsKeyFile;   // the PEM private key of tlsCertFile
};

class CProjectServer {
public:
    explicit CProjectServer(const ServerOptions& options);
    ~CProjectServer();
    CProjectServer(const CProjectServer&) = delete;
    CProjectServer& operator=(const CProjectServer&) = delete;

    // Opens the database (making it, with demo data, when it does not exist). Start does
    // it when it was not done before.
    bool Open(std::string& error);
    // Binds and serves on threads of its own. False with a reason.
    bool Start(std::string& error);
    // Stops serving after the requests under way; stalled test requests are let go.
    void Stop();
    bool IsRunning() const;
    int Port() const;
    const std::string& Site() const;
    // "http://<address>:<port>/<site>/WebService/OrveskService.WSDL" (https:// when serving
    // HTTPS) and the endpoint.
    std::string ServiceUrl() const;
    std::string EndpointUrl() const;
    static std::string TargetNamespace();

    // --- data, beside the operations (AddUser keeps an argon2id hash of the password the
    // client sends; AddProject's projects have no creator: SetPermissions gives the rights)
    bool AddUser(const std::string& code, const std::string& cipheredPassword, const std::string& reply);
    // Stores a PROJECT text under a new id and gives it (-1 when it is not a PROJECT).
    long AddProject(const std::string& projectXml);
    bool GetProject(long id, std::string& xml);
    long ProjectCount();
    bool SetCalendar(long id, const std::string& xml);
    bool GetCalendar(long id, std::string& xml);
    bool SetPermissions(long id, const std::string& xml);
    bool GetPermissions(long id, std::string& xml);
    bool SetResources(const std::string& xml);
    // The ids the next new project and the next new task get.
    bool SetNextIds(long projectId, long taskId);

    // --- test switches (the in-process server of the tests)
    enum class Fault {
        None,
        Http500,          // 500 with a plain-text body
        SoapFault,        // 500 with a soap:Fault envelope
        CloseConnection,  // headers announcing a body, then the connection closes
        Stall,            // no answer until the stall time has passed
        Garbage,          // 200 with a body that is not XML
        Truncated,        // 200 with the first half of the proper envelope
        Refuse,           // the operation answers a result code and changes nothing
    };
    struct Request {
        std::string method;
        std::string target;
        bool absoluteForm = false;
        std::string soapAction;
        std::string contentType;
        std::string operation;  // "WSDL" for the description, else the body's operation
        std::string body;
    };
    // The next `times` requests (-1: all) of `operation` misbehave; "" stands for every
    // operation, "WSDL" for the description. With Fault::Refuse the operation answers
    // `result` with `text` (Login: `text` as its reply).
    void SetTestFault(const std::string& operation, Fault fault, int times, long result, const std::string& text);
    void ClearTestFaults();
    void SetTestStallMilliseconds(int milliseconds);  // at most 5000
    void SetTestLoginServerError(bool serverError);
    void SetTestRecordRequests(bool record);
    std::vector<Request> TestRequests() const;
    void ClearTestRequests();

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

// Fills a new database with the demo user ("demo", password "demo") and the demo project
// with its calendar, members and permissions; and a missing product-data store with a few
// folders and documents. Used on a first run.
bool AddDemoData(CProjectServer& server, std::string& error);
extern const char kDemoUser[];
extern const char kDemoCipheredPassword[];  // "demo" as the client's login cipher gives it
bool MakeDemoPdmStore(const std::string& path, std::string& error);

}  // namespace projectserver
