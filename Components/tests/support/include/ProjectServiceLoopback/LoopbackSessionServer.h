// A project server on 127.0.0.1 for the tests of the client's transport: it holds a few
// users and project texts of its own and plays the team server's transport rules to the
// letter, over HTTP or (with the test certificate) HTTPS, recording the headers that carry
// them.
//
//   GET  /<site>/WebService/OrveskService.WSDL  the description (no session needed)
//   POST /<site>/WebService/OrveskService       one operation per request
//   POST /<site>/WebService/Logout              ends the cookie's session: 204 and the
//                                               cookie cleared
//   GET  /pdm/...                               what ServeFile gave for the path and query,
//                                               else "pdm:" + them, as a file
//
// Sessions: a Login whose user and password match answers the user's reply and sets
// "PCSESSION=<32 hex digits>; Path=/; HttpOnly; SameSite=Strict" (plus "; Secure" over
// HTTPS); any other Login answers "". Every other operation and every /pdm/ request without
// a live session's cookie is answered HTTP 401 with "WWW-Authenticate: Session" (a SOAP
// fault "soap:Client" / "a session is needed: log in first", or that text plain for /pdm/).
//
// Revisions: each project has one (1 when added, growing with each change of its text).
// GetProjectData (found), NewProject and SaveProject of project 0 answer it as
// ETag: "<revision>". SaveProject of a project whose If-Match is missing or not its revision
// answers Result 1 with the refusal text (StaleSaveText) and stores nothing; an accepted
// save stores the text as sent and answers the new revision. NewTask (the project named by
// the task's ENTIREPROJID) and SetProjectStatus are applied either way; they answer the new
// revision only when their If-Match was the current one. Other operations answer Result 0
// with empty texts.
//
// Texts are UTF-8; all members are thread-safe.
#pragma once

#include <memory>
#include <string>
#include <vector>

class CLoopbackSessionServer {
public:
    struct Request {
        std::string method;
        std::string path;       // without the query
        std::string operation;  // the SOAP operation, "WSDL", "Logout" or "PDM"
        std::string cookie;     // the Cookie header ("" none)
        std::string ifMatch;    // the If-Match header as sent ("" none)
        int status = 0;         // the HTTP status answered
    };

    explicit CLoopbackSessionServer(const std::string& site = "site");
    ~CLoopbackSessionServer();
    CLoopbackSessionServer(const CLoopbackSessionServer&) = delete;
    CLoopbackSessionServer& operator=(const CLoopbackSessionServer&) = delete;

    // Serves on a free port of 127.0.0.1; with `tls`, HTTPS with the test certificate
    // (server.pem, issued by test-ca.pem for 127.0.0.1 and localhost).
    bool Start(bool tls = false);
    void Stop();
    int Port() const;
    // "http[s]://127.0.0.1:<port>/<site>/WebService/OrveskService.WSDL".
    std::string ServiceUrl() const;
    // "http[s]://127.0.0.1:<port>".
    std::string Origin() const;

    void AddUser(const std::string& code, const std::string& cipheredPassword, const std::string& reply);
    // Stores a project text under a new id (revision 1) and gives the id.
    long AddProject(const std::string& projectXml);
    std::string ProjectText(long id) const;
    long Revision(long id) const;  // 0 for an unknown project
    // Another client's accepted save: the text changes, the revision grows.
    void SaveAsAnotherClient(long id, const std::string& projectXml);
    // Every session ends (as after the idle time).
    void EndAllSessions();
    int LiveSessions() const;

    // The answer to GET of that path and query ("/pdm/Nodes.asp?ClassID=20&ObjectID=0").
    void ServeFile(const std::string& pathAndQuery, const std::string& body, const std::string& contentType);

    std::vector<Request> Requests() const;
    void ClearRequests();

    // The refusal of a stale save (UTF-8).
    static const char* StaleSaveText();
    // The folder of the test certificates: test-ca.pem, server.pem, server.key, and
    // other-ca.pem (a CA that issued none of them).
    static std::string CertificateDir();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
